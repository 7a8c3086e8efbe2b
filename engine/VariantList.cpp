#include "engine/VariantList.h"

#include <stddef.h>

void CVariantList::Append(const CEngineVariant& value)
{
    if (!m_items.empty() && &value >= &m_items.front() && &value <= &m_items.back()) {
        CEngineVariant copy(value);   // growing the list would move it
        AppendNew() = static_cast<CEngineVariant&&>(copy);
        return;
    }
    AppendNew().Assign(value);
}

CEngineVariant& CVariantList::GetItem(int index)
{
    if (index >= 0 && index < GetCount())
        return m_items[static_cast<size_t>(index)];
    // A handler may have changed the spare through its reference: hand it out fresh.
    m_spare.SetNumber(0.0);
    return m_spare;
}
