// CVariantList: the arguments of a builtin or user-function call, in order.
// Reading past the end gives a spare number 0, so a handler that reads a
// missing optional argument reads 0.
#pragma once

#include "engine/EngineVariant.h"

#include <vector>

class CVariantList
{
public:
    CVariantList() { m_items.reserve(4); }

    // Appends a copy of `value`.
    void Append(const CEngineVariant& value) { m_items.push_back(value); }
    // The index-th argument (0-based), or the spare number 0.
    CEngineVariant& GetItem(int index);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }

private:
    std::vector<CEngineVariant> m_items;
    CEngineVariant m_spare;
};
