#include "engine/VariableScopes.h"

#include "framework/String.h"

#include <string.h>

#include <algorithm>
#include <map>

#include <string>

namespace {

unsigned HashName(const char* name)
{
    unsigned hash = 2166136261u;
    for (; *name; ++name)
        hash = (hash ^ static_cast<unsigned char>(*name)) * 16777619u;
    return hash;
}

// A name upper-cased through the ANSI code page, without allocating for the
// names that scripts use.
class UpperName
{
public:
    explicit UpperName(const char* name)
    {
        size_t length = strlen(name ? name : "");
        char* out = m_small;
        if (length >= sizeof m_small) {
            m_large.resize(length);
            out = &m_large[0];
        }
        for (size_t i = 0; i < length; ++i)
            out[i] = FoldCharUpper(name[i]);
        out[length] = '\0';
        m_text = out;
    }
    UpperName(const UpperName&) = delete;
    UpperName& operator=(const UpperName&) = delete;

    operator const char*() const { return m_text; }

private:
    char m_small[128];
    std::string m_large;
    const char* m_text;
};

// Layouts: each is a layout with one more name; they are numbered as they
// are first met. Past kInternedLayouts a layout gets a number of its own
// that no other table shares (look-ups from those tables are not carried
// over from one call to the next), so that scripts that make endless new
// names cannot make the numbering grow without end.
const size_t kInternedLayouts = 65536;
unsigned g_nextUnsharedLayout = 0x80000000u;

unsigned NextLayout(unsigned layout, const char* name)
{
    static std::map<std::pair<unsigned, std::string>, unsigned> layouts;
    auto found = layouts.find(std::make_pair(layout, std::string(name)));
    if (found != layouts.end())
        return found->second;
    if (layouts.size() >= kInternedLayouts)
        return g_nextUnsharedLayout++;
    const unsigned next = static_cast<unsigned>(layouts.size() + 1);
    layouts.emplace(std::make_pair(layout, std::string(name)), next);
    return next;
}

}  // namespace

VariableTable::~VariableTable()
{
    for (Entry& entry : m_entries)
        delete entry.Owned;
}

void VariableTable::ClearIndex()
{
    // An index that outlived the names that made it keeps its size; a few
    // names free their own slots.
    if (static_cast<size_t>(m_count) * 4 < m_slots.size()) {
        for (int i = 0; i < m_count; ++i)
            m_slots[m_entries[static_cast<size_t>(i)].Slot] = 0;
    } else {
        std::fill(m_slots.begin(), m_slots.end(), 0);
    }
}

int VariableTable::FindIndex(const char* name, unsigned hash) const
{
    if (m_slots.empty()) {
        for (int i = 0; i < m_count; ++i) {
            const Entry& entry = m_entries[static_cast<size_t>(i)];
            if (entry.Hash == hash && strcmp(entry.Name, name) == 0)
                return i;
        }
        return -1;
    }
    size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        int entry = m_slots[slot] - 1;
        if (entry < 0)
            return -1;
        if (m_entries[static_cast<size_t>(entry)].Hash == hash &&
            strcmp(m_entries[static_cast<size_t>(entry)].Name, name) == 0)
            return entry;
    }
}

void VariableTable::BuildIndex()
{
    // Kept at most half full, so that every probe ends at a free slot.
    size_t size = 16;
    while (size < static_cast<size_t>(m_count) * 2 + 2)
        size *= 2;
    m_slots.assign(size, 0);
    const size_t mask = size - 1;
    for (int i = 0; i < m_count; ++i) {
        Entry& entry = m_entries[static_cast<size_t>(i)];
        size_t slot = entry.Hash & mask;
        while (m_slots[slot])
            slot = (slot + 1) & mask;
        m_slots[slot] = i + 1;
        entry.Slot = slot;
    }
}

void VariableTable::AddToIndex(int entry, unsigned hash)
{
    if (m_slots.empty() && m_count <= kLinearSearchLimit)
        return;
    if (static_cast<size_t>(m_count) * 2 > m_slots.size()) {
        BuildIndex();   // the new entry included
        return;
    }
    size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot])
        slot = (slot + 1) & mask;
    m_slots[slot] = entry + 1;
    m_entries[static_cast<size_t>(entry)].Slot = slot;
}

VariableTable::Entry& VariableTable::AddEntryAfresh(const char* name, unsigned hash)
{
    if (m_count == m_spareEnd) {
        m_entries.emplace_back();
        ++m_spareEnd;
    }
    if (m_count < m_boundCount)
        m_boundKey = nullptr;   // the entry may take another name
    Entry& entry = m_entries[static_cast<size_t>(m_count++)];
    if (entry.Hash != hash || strcmp(entry.Name, name) != 0) {
        entry.Name.Assign(name);
        entry.Hash = hash;
        entry.LayoutAfter = 0;
    }
    if (entry.LayoutBefore != m_layout || !entry.LayoutAfter) {
        entry.LayoutBefore = m_layout;
        entry.LayoutAfter = NextLayout(m_layout, name);
    }
    m_layout = entry.LayoutAfter;
    AddToIndex(m_count - 1, hash);
    return entry;
}

CEngineVariant* VariableTable::Set(const char* name, const CEngineVariant& value)
{
    return Set(name, HashName(name), value);
}

CEngineVariant* VariableTable::Set(const char* name, unsigned hash, const CEngineVariant& value)
{
    int index = FindIndex(name, hash);
    if (index >= 0) {
        CEngineVariant* variant = m_entries[static_cast<size_t>(index)].Value;
        variant->Assign(value);
        return variant;
    }
    return AddNew(name, hash, value);
}

CEngineVariant* VariableTable::AddNew(const char* name, unsigned hash, const CEngineVariant& value)
{
    CEngineVariant* variant = AddOwned(name, hash);
    variant->Assign(value);
    return variant;
}

void VariableTable::SetAlias(const char* name, CEngineVariant* target)
{
    SetAlias(name, HashName(name), target);
}

void VariableTable::SetAlias(const char* name, unsigned hash, CEngineVariant* target)
{
    int index = FindIndex(name, hash);
    Entry* entry;
    if (index >= 0) {
        ++m_version;
        entry = &m_entries[static_cast<size_t>(index)];
        if (!entry->IsAlias && entry->Owned)
            entry->Owned->SetInt(0);
    } else {
        entry = &AddEntry(name, hash);
    }
    entry->IsAlias = true;
    entry->Value = target;
}

void VariableTable::AddNewAlias(const char* name, unsigned hash, CEngineVariant* target)
{
    Entry& entry = AddEntry(name, hash);
    entry.IsAlias = true;
    entry.Value = target;
}

CEngineVariant* VariableTable::Find(const char* name) const
{
    return Find(name, HashName(name));
}

CEngineVariant* VariableTable::Find(const char* name, unsigned hash) const
{
    int index = FindIndex(name, hash);
    return index >= 0 ? m_entries[static_cast<size_t>(index)].Value : nullptr;
}

unsigned VariableScopes::s_nextEpoch = 1;

VariableScopes::~VariableScopes()
{
    Clear();
    for (LocalLevel& level : m_locals)
        delete level.Table;
}

void VariableScopes::NewGlobalEpoch()
{
    NewEpoch();
    m_globalEpoch = m_epoch;
}

CEngineVariant* VariableScopes::SetIn(VariableTable& table, const char* upperName, unsigned hash,
                                      const CEngineVariant& value)
{
    const unsigned version = table.GetVersion();
    CEngineVariant* variable = table.Set(upperName, hash, value);
    if (table.GetVersion() != version) {
        if (&table == &m_global)
            NewGlobalEpoch();
        else
            NewEpoch();
    }
    return variable;
}

CEngineVariant* VariableScopes::Declare(const char* name, const CEngineVariant& value, int scope)
{
    UpperName upper(name);
    VariableTable* local = TopLocal();
    VariableTable& table = (scope != kScopeGlobal && local) ? *local : m_global;
    return SetIn(table, upper, HashName(upper), value);
}

CEngineVariant* VariableScopes::DeclareUpper(const char* upperName, unsigned hash, const CEngineVariant& value,
                                             int scope)
{
    VariableTable* local = TopLocal();
    VariableTable& table = (scope != kScopeGlobal && local) ? *local : m_global;
    return SetIn(table, upperName, hash, value);
}

bool VariableScopes::DeclareAliasUpper(const char* upperName, unsigned hash, CEngineVariant* target)
{
    VariableTable* local = TopLocal();
    if (!local || !target)
        return false;
    local->SetAlias(upperName, hash, target);
    NewEpoch();
    return true;
}

CEngineVariant* VariableScopes::Lookup(const char* name, int scope) const
{
    UpperName upper(name);
    VariableTable* local = TopLocal();
    switch (scope) {
    case kScopeAuto:
        if (local)
            if (CEngineVariant* found = local->Find(upper))
                return found;
        return m_global.Find(upper);
    case kScopeLocal:
        return local ? local->Find(upper) : m_global.Find(upper);
    default:
        return m_global.Find(upper);
    }
}

unsigned VariableScopes::NameHash(const char* upperName)
{
    return HashName(upperName);
}

CEngineVariant* VariableScopes::LookupUpper(const char* upperName, unsigned hash, int scope,
                                            VariableLookupCache& cache) const
{
    VariableTable* local = TopLocal();
    if (scope != kScopeAuto) {
        if (scope == kScopeLocal && local)
            return local->Find(upperName, hash);
        return m_global.Find(upperName, hash);
    }
    if (cache.Variable && cache.Epoch == m_epoch)
        return cache.Variable;
    if (CEngineVariant* placed = PlacedLookup(cache))
        return placed;
    CEngineVariant* found;
    const int index = local ? local->IndexOf(upperName, hash) : -1;
    cache.LocalIndex = index;
    if (index >= 0) {
        cache.LocalLayout = local->GetLayout();
        found = local->ValueAt(index);
    } else {
        found = m_global.Find(upperName, hash);
        cache.Global = found;
        cache.GlobalEpoch = m_globalEpoch;
        cache.MissLayout = TopLayout();
    }
    cache.Variable = found;
    cache.Epoch = m_epoch;
    return found;
}

bool VariableScopes::DeclareAlias(const char* name, CEngineVariant* target)
{
    VariableTable* local = TopLocal();
    if (!local || !target)
        return false;
    local->SetAlias(UpperName(name), target);
    NewEpoch();
    return true;
}

int VariableScopes::IsDeclared(const char* name) const
{
    UpperName upper(name);
    VariableTable* local = TopLocal();
    if (local && local->Find(upper))
        return -1;
    return m_global.Find(upper) ? 1 : 0;
}

void VariableScopes::Clear()
{
    while (m_top)
        PopScope();
    m_global.Clear();
    NewGlobalEpoch();
}
