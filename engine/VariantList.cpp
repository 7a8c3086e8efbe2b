#include "engine/VariantList.h"

#include <stddef.h>

CEngineVariant& CVariantList::GetItem(int index)
{
    if (index >= 0 && index < GetCount())
        return m_items[static_cast<size_t>(index)];
    // A handler may have changed the spare through its reference: hand it out fresh.
    m_spare.SetNumber(0.0);
    return m_spare;
}
