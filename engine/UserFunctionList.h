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
    unsigned Serial = 0;      // unique among the entries the process has made
    // The parameters, read from the Func line once for the line store's
    // generation they were read in, so that a call does not read them again.
    mutable std::vector<UserFunctionParameter> Parameters;
    mutable unsigned ParametersGeneration = 0;
    mutable bool DistinctParameters = false;   // no name twice
    mutable bool ParametersRead = false;
    // Which parameters these are: the entry and the reading of them.
    unsigned long long ParametersStamp() const
    {
        return static_cast<unsigned long long>(Serial) << 32 | ParametersGeneration;
    }
};

class UserFunctionList
{
public:
    // The first entry whose name equals `name` without regard to case.
    const UserFunctionEntry* Find(const char* name) const;
    // Appends a copy of the entry, with a serial number of its own.
    void Append(const UserFunctionEntry& entry)
    {
        m_entries.AddTail(entry);
        m_entries.GetTail().Serial = ++s_serials;
    }
    void Clear() { m_entries.RemoveAll(); }
    int GetCount() const { return static_cast<int>(m_entries.GetCount()); }
    POSITION GetHeadPosition() const { return m_entries.GetHeadPosition(); }
    const UserFunctionEntry& GetNext(POSITION& position) const { return m_entries.GetNext(position); }

private:
    CList<UserFunctionEntry> m_entries;
    static unsigned s_serials;
};
