#include "engine/VariableScopes.h"

#include "framework/String.h"

#include <string.h>

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

}  // namespace

VariableTable::~VariableTable()
{
    Clear();
}

void VariableTable::Clear()
{
    for (Entry& entry : m_entries)
        if (!entry.IsAlias)
            delete entry.Value;
    m_entries.clear();
    m_slots.clear();
}

int VariableTable::FindIndex(const char* name, unsigned hash) const
{
    if (m_slots.empty())
        return -1;
    size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        int entry = m_slots[slot] - 1;
        if (entry < 0)
            return -1;
        if (strcmp(m_entries[static_cast<size_t>(entry)].Name, name) == 0)
            return entry;
    }
}

void VariableTable::AddToIndex(int entry, unsigned hash)
{
    // Kept at most half full, so that every probe ends at a free slot.
    if (static_cast<size_t>(m_entries.size()) * 2 > m_slots.size()) {
        std::vector<int> slots(m_slots.empty() ? 16 : m_slots.size() * 2, 0);
        m_slots.swap(slots);
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (static_cast<int>(i) == entry)
                continue;
            size_t mask = m_slots.size() - 1;
            size_t slot = HashName(m_entries[i].Name) & mask;
            while (m_slots[slot])
                slot = (slot + 1) & mask;
            m_slots[slot] = static_cast<int>(i) + 1;
        }
    }
    size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot])
        slot = (slot + 1) & mask;
    m_slots[slot] = entry + 1;
}

CEngineVariant* VariableTable::Set(const char* name, const CEngineVariant& value)
{
    unsigned hash = HashName(name);
    int index = FindIndex(name, hash);
    if (index >= 0) {
        CEngineVariant* variant = m_entries[static_cast<size_t>(index)].Value;
        variant->Assign(value);
        return variant;
    }
    CEngineVariant* variant = new CEngineVariant(value);
    m_entries.push_back(Entry{CEngineString(name), false, variant});
    AddToIndex(static_cast<int>(m_entries.size()) - 1, hash);
    return variant;
}

void VariableTable::SetAlias(const char* name, CEngineVariant* target)
{
    unsigned hash = HashName(name);
    int index = FindIndex(name, hash);
    if (index >= 0) {
        Entry& entry = m_entries[static_cast<size_t>(index)];
        if (!entry.IsAlias)
            delete entry.Value;
        entry.IsAlias = true;
        entry.Value = target;
        return;
    }
    m_entries.push_back(Entry{CEngineString(name), true, target});
    AddToIndex(static_cast<int>(m_entries.size()) - 1, hash);
}

CEngineVariant* VariableTable::Find(const char* name) const
{
    int index = FindIndex(name, HashName(name));
    return index >= 0 ? m_entries[static_cast<size_t>(index)].Value : nullptr;
}

VariableScopes::~VariableScopes()
{
    Clear();
}

CEngineVariant* VariableScopes::Declare(const char* name, const CEngineVariant& value, int scope)
{
    UpperName upper(name);
    VariableTable* local = TopLocal();
    VariableTable& table = (scope != kScopeGlobal && local) ? *local : m_global;
    return table.Set(upper, value);
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

bool VariableScopes::DeclareAlias(const char* name, CEngineVariant* target)
{
    VariableTable* local = TopLocal();
    if (!local || !target)
        return false;
    local->SetAlias(UpperName(name), target);
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

void VariableScopes::PushScope()
{
    m_locals.push_back(new VariableTable);
}

void VariableScopes::PopScope()
{
    if (!m_locals.empty()) {
        delete m_locals.back();
        m_locals.pop_back();
    }
}

void VariableScopes::Clear()
{
    while (!m_locals.empty())
        PopScope();
    m_global.Clear();
}
