#include "engine/UserFunctionList.h"

unsigned UserFunctionList::s_serials = 0;

const UserFunctionEntry* UserFunctionList::Find(const char* name) const
{
    for (POSITION position = m_entries.GetHeadPosition(); position;) {
        const UserFunctionEntry& entry = m_entries.GetNext(position);
        if (entry.Name.CompareNoCase(name) == 0)
            return &entry;
    }
    return nullptr;
}
