// The store behind the engine's user-function table: one entry per Func
// declaration, in the order of registration, found by name without regard
// to case.
#pragma once

#include "engine/EngineString.h"
#include "framework/Collections.h"

struct UserFunctionEntry
{
    CEngineString Name;
    int FirstLine = 0;        // position of the Func line
    int ParameterCount = 0;
    int LastLine = 0;         // position of the EndFunc line
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
