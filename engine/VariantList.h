// CVariantList: the arguments of a builtin or user-function call, in order.
// Reading past the end gives a spare number 0, so a handler that reads a
// missing optional argument reads 0. Clearing keeps the variants for the
// next use, so a list that is refilled call after call stops allocating.
#pragma once

#include "engine/EngineVariant.h"

#include <stddef.h>

#include <vector>

class CVariantList
{
public:
    CVariantList() { m_items.reserve(4); }

    // Appends a copy of `value` (which may be one of the list's own items).
    void Append(const CEngineVariant& value);
    // Appends an item holding whatever its slot held before, for the caller
    // to set. The reference stays valid until the next Append.
    CEngineVariant& AppendNew()
    {
        if (m_count == static_cast<int>(m_items.size()))
            m_items.emplace_back();
        CEngineVariant& item = m_items[static_cast<size_t>(m_count++)];
        if (item.IsArray())
            item.SetInt(0);   // a copied array is not kept for reuse
        return item;
    }
    // The index-th argument (0-based), or the spare number 0.
    CEngineVariant& GetItem(int index);
    int GetCount() const { return m_count; }
    void Clear() { m_count = 0; }

private:
    std::vector<CEngineVariant> m_items;   // the first m_count are in use
    int m_count = 0;
    CEngineVariant m_spare;
};
