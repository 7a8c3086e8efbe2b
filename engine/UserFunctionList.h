// The store behind the engine's user-function table: one entry per Func
// declaration, in the order of registration, found by name without regard
// to case.
#pragma once

#include "engine/EngineString.h"
#include "framework/Collections.h"

#include <vector>

// One parameter as the Func line declares it.
struct UserFunctionParameter
{
    CEngineString Name;       // upper-cased
    unsigned Hash = 0;        // VariableScopes::NameHash of Name
    bool ByRef = false;
};

struct UserFunctionEntry
{
    CEngineString Name;
    int FirstLine = 0;        // position of the Func line
    int ParameterCount = 0;
    int LastLine = 0;         // position of the EndFunc line
    // The parameters, read from the Func line once for the line store's
    // generation they were read in, so that a call does not read them again.
    mutable std::vector<UserFunctionParameter> Parameters;
    mutable unsigned ParametersGeneration = 0;
    mutable bool DistinctParameters = false;   // no name twice
    mutable bool ParametersRead = false;
};

class UserFunctionList
{
public:
    // The first entry whose name equals `name` without regard to case.
    const UserFunctionEntry* Find(const char* name) const;
    // Appends a copy of the entry.
    void Append(const UserFunctionEntry& entry) { m_entries.AddTail(entry); }
    void Clear() { m_entries.RemoveAll(); }
    int GetCount() const { return static_cast<int>(m_entries.GetCount()); }

private:
    CList<UserFunctionEntry> m_entries;
};
