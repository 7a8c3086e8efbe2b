// The variables of a running script: one global table and a stack of local
// tables, one per running user function. Names are compared without regard
// to case (they are upper-cased on the way in).
#pragma once

#include "engine/EngineString.h"
#include "engine/EngineVariant.h"

#include <stddef.h>
#include <string.h>

#include <vector>

// What one place in a script remembers of its last variable look-up. It
// holds while the scopes have not changed since (the same epoch): no name
// added, aliased or removed, no scope pushed or popped.
struct VariableLookupCache
{
    CEngineVariant* Variable = nullptr;
    unsigned Epoch = 0;
    // A name found in the top local table: its place there, which holds in
    // every local table of the same layout (a user function's scope in each
    // of its calls); -1 otherwise.
    int LocalIndex = -1;
    unsigned LocalLayout = 0;
    // A name found in the global table: that variable, which holds while
    // the global table keeps its names (GlobalEpoch) and the top local
    // table, when there is one, has the layout it was missed in (so the
    // name is still not there).
    CEngineVariant* Global = nullptr;
    unsigned GlobalEpoch = 0;
    unsigned MissLayout = 0;
};

// One scope's variables, in the order they were made. An entry owns its
// variant unless it is an alias of a variant that another scope owns (a
// ByRef parameter). Names are compared exactly; callers upper-case them.
// A table that is cleared keeps its entries' storage for the next variables
// it gets, so that a user function's scope costs no allocation per call.
// A few names (a function's usual scope) are searched by their hashes one
// after the other; a hashed index is kept only for a table that outgrows them.
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
    CEngineVariant* Set(const char* name, unsigned hash, const CEngineVariant& value);
    // Set and SetAlias for a name the table does not hold yet (no search).
    CEngineVariant* AddNew(const char* name, unsigned hash, const CEngineVariant& value);
    CEngineVariant* AddNew(const char* name, unsigned hash, CEngineVariant&& value)
    {
        CEngineVariant* variant = AddOwned(name, hash);
        *variant = static_cast<CEngineVariant&&>(value);
        return variant;
    }
    // The same for a name with its length (a user function's parameter).
    CEngineVariant* AddNew(const CEngineString& name, unsigned hash, CEngineVariant&& value)
    {
        CEngineVariant* variant = AddOwned(name, hash);
        *variant = static_cast<CEngineVariant&&>(value);
        return variant;
    }
    void AddNewAlias(const char* name, unsigned hash, CEngineVariant* target);
    // Points the name at `target`, which this table does not own.
    void SetAlias(const char* name, CEngineVariant* target);
    void SetAlias(const char* name, unsigned hash, CEngineVariant* target);
    // The variable's variant, or null.
    CEngineVariant* Find(const char* name) const;
    CEngineVariant* Find(const char* name, unsigned hash) const;
    int GetCount() const { return m_count; }
    // Removes every variable; the values they owned are emptied.
    void Clear()
    {
        ++m_version;
        for (int i = 0; i < m_count; ++i) {
            CEngineVariant* owned = m_entries[static_cast<size_t>(i)].Owned;
            if (owned && owned->HoldsStorage())
                owned->SetInt(0);   // an array's elements and a text go now
        }
        if (!m_slots.empty())
            ClearIndex();
        m_count = 0;
        m_layout = 0;
    }

    // The count of changes to which variant a name stands for (new names,
    // aliases, clearing).
    unsigned GetVersion() const { return m_version; }
    // A user function's parameters, by value, bound again in this table just
    // emptied when the last parameters it bound were the same ones (`key`,
    // in the state `stamp`): each takes its entry back, its value moved in.
    // False, with nothing done, otherwise; the caller then binds them one
    // by one and notes them with NoteBoundParameters.
    // `valueAt(i)` gives the i-th value.
    template <class ValueAt>
    bool RebindParameters(const void* key, unsigned long long stamp, int count, ValueAt&& valueAt)
    {
        if (!BindsAgain(key, stamp, count))
            return false;
        for (int i = 0; i < count; ++i)
            ParameterValue(i) = static_cast<CEngineVariant&&>(valueAt(i));
        BindParametersAgain();
        return true;
    }
    // RebindParameters in parts, for values that can be made in place before
    // the table becomes the top scope: whether it binds those parameters
    // again, the variant each of them will have, and the binding.
    bool BindsAgain(const void* key, unsigned long long stamp, int count) const
    {
        return !m_count && m_boundKey == key && m_boundStamp == stamp && count == m_boundCount;
    }
    CEngineVariant& ParameterValue(int index) { return *m_entries.data()[index].Owned; }
    void BindParametersAgain()
    {
        ++m_version;
        Entry* entries = m_entries.data();
        for (int i = 0; i < m_boundCount; ++i) {
            entries[i].IsAlias = false;
            entries[i].Value = entries[i].Owned;
        }
        m_count = m_boundCount;
        m_layout = m_boundLayout;
    }
    void NoteBoundParameters(const void* key, unsigned long long stamp)
    {
        m_boundKey = key;
        m_boundStamp = stamp;
        m_boundCount = m_count;
        m_boundLayout = m_layout;
    }

    // The names the table holds, in order: two tables with the same names
    // in the same order have the same layout (0 when empty).
    unsigned GetLayout() const { return m_layout; }
    // The place of a name in the table, or -1; the variant at a place.
    int IndexOf(const char* name, unsigned hash) const { return FindIndex(name, hash); }
    CEngineVariant* ValueAt(int index) const { return m_entries[static_cast<size_t>(index)].Value; }
    const char* NameAt(int index) const { return m_entries[static_cast<size_t>(index)].Name; }

private:
    struct Entry
    {
        CEngineString Name;
        unsigned Hash = 0;
        bool IsAlias = false;
        CEngineVariant* Value = nullptr;   // Owned, or the aliased variant
        CEngineVariant* Owned = nullptr;   // this entry's own variant, kept for reuse
        // The layouts before and after this entry's name was last added,
        // so that a table refilled with the same names finds them again.
        unsigned LayoutBefore = 0;
        unsigned LayoutAfter = 0;
        size_t Slot = 0;   // its place in m_slots, which Clear empties
    };
    // Past this many names the table keeps its index.
    static const int kLinearSearchLimit = 8;

    int FindIndex(const char* name, unsigned hash) const;
    void AddToIndex(int entry, unsigned hash);
    void ClearIndex();
    void BuildIndex();
    // A new entry for `name` at the end, reusing spare storage. A spare
    // entry that held the same name after the same layout knows the layout
    // that follows, and a table that stays small needs no index: a
    // function's parameters in each of its calls take only that way.
    template <class Name>
    Entry& AddEntry(const Name& name, unsigned hash)
    {
        ++m_version;
        if (m_count < m_spareEnd && m_count < kLinearSearchLimit && m_slots.empty()) {
            Entry& entry = m_entries[static_cast<size_t>(m_count)];
            if (entry.Hash == hash && entry.LayoutBefore == m_layout && entry.LayoutAfter && SameName(entry.Name, name)) {
                ++m_count;
                m_layout = entry.LayoutAfter;
                return entry;
            }
        }
        return AddEntryAfresh(name, hash);
    }
    static bool SameName(const CEngineString& held, const char* name) { return strcmp(held, name) == 0; }
    static bool SameName(const CEngineString& held, const CEngineString& name)
    {
        const int length = held.GetLength();
        if (length != name.GetLength())
            return false;
        const char* a = held.GetText();
        const char* b = name.GetText();
        for (int i = 0; i < length; ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }
    Entry& AddEntryAfresh(const char* name, unsigned hash);
    // A new owning entry; its variant holds what it held before.
    template <class Name>
    CEngineVariant* AddOwned(const Name& name, unsigned hash)
    {
        Entry& entry = AddEntry(name, hash);
        if (!entry.Owned)
            entry.Owned = new CEngineVariant;
        entry.IsAlias = false;
        entry.Value = entry.Owned;
        return entry.Value;
    }

    std::vector<Entry> m_entries;   // the first m_count are in use, the rest spare
    int m_count = 0;
    int m_spareEnd = 0;             // the size of m_entries
    // The parameters the first m_boundCount entries were last bound to
    // (RebindParameters); an entry of those that takes another name ends it.
    const void* m_boundKey = nullptr;
    unsigned long long m_boundStamp = 0;
    int m_boundCount = 0;
    unsigned m_boundLayout = 0;
    // Open-addressing hash of entry numbers (+1; 0 is free), so that a look-up
    // does not walk the whole table; empty until the table outgrows the
    // linear search.
    std::vector<int> m_slots;
    unsigned m_version = 0;
    unsigned m_layout = 0;
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
    VariableScopes() { NewGlobalEpoch(); }
    VariableScopes(const VariableScopes&) = delete;
    VariableScopes& operator=(const VariableScopes&) = delete;
    ~VariableScopes();

    // Declares (or assigns) a variable: scopes auto and local write into the
    // top local table when there is one, else into the global table; global
    // writes into the global table. Returns the variable's variant.
    CEngineVariant* Declare(const char* name, const CEngineVariant& value, int scope);
    // Declare and DeclareAlias for a name already upper-cased, with its NameHash.
    CEngineVariant* DeclareUpper(const char* upperName, unsigned hash, const CEngineVariant& value, int scope);
    bool DeclareAliasUpper(const char* upperName, unsigned hash, CEngineVariant* target);
    // A user function's parameter in the scope just pushed for its call,
    // which does not hold the name yet and has not been looked in since it
    // was pushed (so no look-up holds an answer to renew): `value`, moved
    // in, or an alias of `target`.
    void BindParameter(const CEngineString& upperName, unsigned hash, CEngineVariant&& value)
    {
        m_top->AddNew(upperName, hash, static_cast<CEngineVariant&&>(value));
    }
    template <class ValueAt>
    bool RebindParameters(const void* key, unsigned long long stamp, int count, ValueAt&& valueAt)
    {
        return m_top->RebindParameters(key, stamp, count, valueAt);
    }
    void NoteBoundParameters(const void* key, unsigned long long stamp) { m_top->NoteBoundParameters(key, stamp); }
    void BindParameterAlias(const char* upperName, unsigned hash, CEngineVariant* target)
    {
        if (target)
            m_top->AddNewAlias(upperName, hash, target);
    }
    // Auto looks in the top local table, then the global one; local only in
    // the top local table (the global one when there is none); global only
    // in the global table.
    CEngineVariant* Lookup(const char* name, int scope) const;
    // The same for a name already upper-cased, with its NameHash; `cache`
    // keeps the answer of an automatic look-up for the next one from the
    // same place.
    CEngineVariant* LookupUpper(const char* upperName, unsigned hash, int scope, VariableLookupCache& cache) const;
    // The answer `cache` holds when the scopes have not changed since, else null.
    CEngineVariant* CachedLookup(const VariableLookupCache& cache) const
    {
        return cache.Epoch == m_epoch ? cache.Variable : nullptr;
    }
    // The variable at the place in the top local table that `cache` holds,
    // when that table has the layout it was found in; else null.
    CEngineVariant* PlacedLookup(VariableLookupCache& cache) const
    {
        if (cache.LocalIndex < 0 || !m_top || m_top->GetLayout() != cache.LocalLayout)
            return nullptr;
        cache.Variable = m_top->ValueAt(cache.LocalIndex);
        cache.Epoch = m_epoch;
        return cache.Variable;
    }
    // PlacedLookup's answer alone, the cache left as it is.
    CEngineVariant* AtPlace(const VariableLookupCache& cache) const
    {
        return m_top && m_top->GetLayout() == cache.LocalLayout ? m_top->ValueAt(cache.LocalIndex) : nullptr;
    }
    // The global variable that `cache` holds, when it still stands for the name; else null.
    CEngineVariant* GlobalLookup(VariableLookupCache& cache) const
    {
        if (!cache.Global || cache.GlobalEpoch != m_globalEpoch || cache.MissLayout != TopLayout())
            return nullptr;
        cache.Variable = cache.Global;
        cache.Epoch = m_epoch;
        return cache.Global;
    }
    static unsigned NameHash(const char* upperName);
    // Makes `name` an alias of `target` in the top local table; false when
    // there is no local scope or no target.
    bool DeclareAlias(const char* name, CEngineVariant* target);
    // -1 when the name is in the top local table, 1 in the global table, else 0.
    int IsDeclared(const char* name) const;

    // The table that the next PushScope makes the top one, when it exists.
    VariableTable* NextScope() const
    {
        return m_depth < static_cast<int>(m_locals.size()) ? m_locals[static_cast<size_t>(m_depth)].Table : nullptr;
    }
    __attribute__((always_inline)) void PushScope()
    {
        if (m_depth == static_cast<int>(m_locals.size()))
            m_locals.push_back(LocalLevel{new VariableTable, 0, 0});
        LocalLevel& level = m_locals[static_cast<size_t>(m_depth++)];
        level.EpochBelow = m_epoch;
        level.GlobalEpochBelow = m_globalEpoch;
        m_top = level.Table;
        NewEpoch();
    }
    // Empties the top local table, with every variant it owns, for a later
    // call. The scopes are then as they were before its push, unless the
    // global table's names changed meanwhile: the look-ups made before it
    // hold again.
    __attribute__((always_inline)) void PopScope()
    {
        if (!m_top) {
            NewEpoch();
            return;
        }
        m_top->Clear();
        const LocalLevel& level = m_locals[static_cast<size_t>(--m_depth)];
        m_top = m_depth ? m_locals[static_cast<size_t>(m_depth - 1)].Table : nullptr;
        if (level.GlobalEpochBelow == m_globalEpoch)
            m_epoch = level.EpochBelow;
        else
            NewEpoch();
    }
    int GetLocalDepth() const { return m_depth; }
    const VariableTable& GetGlobals() const { return m_global; }
    // Destroys every variable, global ones included.
    void Clear();

private:
    VariableTable* TopLocal() const { return m_top; }
    // The layout of the top local table; kNoLocalScope when there is none.
    enum : unsigned { kNoLocalScope = 0xFFFFFFFFu };
    unsigned TopLayout() const { return m_top ? m_top->GetLayout() : kNoLocalScope; }
    // A change to which variant a name stands for: cached look-ups end.
    void NewEpoch()
    {
        m_epoch = s_nextEpoch++;
        if (!m_epoch)   // after a wrap: 0 is what a cache that never looked holds
            m_epoch = s_nextEpoch++;
    }
    // The same for a change in the global table.
    void NewGlobalEpoch();
    // Declares into `table`, starting a new epoch when that added a name.
    CEngineVariant* SetIn(VariableTable& table, const char* upperName, unsigned hash, const CEngineVariant& value);

    VariableTable m_global;
    // The local tables: the first m_depth in use, bottom first; the rest
    // were popped and serve the next calls. Each keeps the epochs of the
    // scopes below it as its push found them.
    struct LocalLevel
    {
        VariableTable* Table;
        unsigned EpochBelow;
        unsigned GlobalEpochBelow;
    };
    std::vector<LocalLevel> m_locals;
    int m_depth = 0;
    VariableTable* m_top = nullptr;   // the top local table in use, or null
    static unsigned s_nextEpoch;
    unsigned m_epoch = 0;   // unique among every VariableScopes' epochs; set by the constructor
    unsigned m_globalEpoch = 0;   // the same, renewed only when the global table's names change
};
