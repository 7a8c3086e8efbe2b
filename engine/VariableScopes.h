// The variables of a running script: one global table and a stack of local
// tables, one per running user function. Names are compared without regard
// to case (they are upper-cased on the way in).
#pragma once

#include "engine/EngineString.h"
#include "engine/EngineVariant.h"

#include <vector>

// One scope's variables, in the order they were made. An entry owns its
// variant unless it is an alias of a variant that another scope owns (a
// ByRef parameter). Names are compared exactly; callers upper-case them.
class VariableTable
{
public:
    VariableTable() = default;
    VariableTable(const VariableTable&) = delete;
    VariableTable& operator=(const VariableTable&) = delete;
    ~VariableTable();

    // Assigns `value` to the variable (through an alias, to the aliased
    // variant), making an owning entry with a copy when there is none.
    // Returns the variable's variant.
    CEngineVariant* Set(const char* name, const CEngineVariant& value);
    // Points the name at `target`, which this table does not own.
    void SetAlias(const char* name, CEngineVariant* target);
    // The variable's variant, or null.
    CEngineVariant* Find(const char* name) const;
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // Destroys every entry and the variants it owns.
    void Clear();

private:
    struct Entry
    {
        CEngineString Name;
        bool IsAlias;
        CEngineVariant* Value;
    };

    int FindIndex(const char* name, unsigned hash) const;
    void AddToIndex(int entry, unsigned hash);

    std::vector<Entry> m_entries;
    // Open-addressing hash of entry numbers (+1; 0 is free), so that a look-up
    // does not walk the whole table.
    std::vector<int> m_slots;
};

enum VariableScope
{
    kScopeAuto = 0,     // the running function's scope, else the global one
    kScopeLocal = 1,
    kScopeGlobal = 2
};

class VariableScopes
{
public:
    VariableScopes() = default;
    VariableScopes(const VariableScopes&) = delete;
    VariableScopes& operator=(const VariableScopes&) = delete;
    ~VariableScopes();

    // Declares (or assigns) a variable: scopes auto and local write into the
    // top local table when there is one, else into the global table; global
    // writes into the global table. Returns the variable's variant.
    CEngineVariant* Declare(const char* name, const CEngineVariant& value, int scope);
    // Auto looks in the top local table, then the global one; local only in
    // the top local table (the global one when there is none); global only
    // in the global table.
    CEngineVariant* Lookup(const char* name, int scope) const;
    // Makes `name` an alias of `target` in the top local table; false when
    // there is no local scope or no target.
    bool DeclareAlias(const char* name, CEngineVariant* target);
    // -1 when the name is in the top local table, 1 in the global table, else 0.
    int IsDeclared(const char* name) const;

    void PushScope();
    // Destroys the top local table with every variant it owns.
    void PopScope();
    int GetLocalDepth() const { return static_cast<int>(m_locals.size()); }
    // Destroys every variable, global ones included.
    void Clear();

private:
    VariableTable* TopLocal() const { return m_locals.empty() ? nullptr : m_locals.back(); }

    VariableTable m_global;
    std::vector<VariableTable*> m_locals;
};
