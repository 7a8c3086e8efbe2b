// The store behind the engine's user-function table: one entry per Func
// declaration, in the order of registration, found by name without regard
// to case.
#pragma once

#include "engine/EngineString.h"

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
    UserFunctionList() = default;
    UserFunctionList(const UserFunctionList&) = delete;
    UserFunctionList& operator=(const UserFunctionList&) = delete;
    ~UserFunctionList() { Clear(); }

    // The first entry whose name equals `name` without regard to case.
    const UserFunctionEntry* Find(const char* name) const;
    // Appends a copy of the entry.
    void Append(const UserFunctionEntry& entry);
    void Clear();
    int GetCount() const { return m_count; }

private:
    struct Node
    {
        UserFunctionEntry entry;
        Node* next;
    };

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};
