#include "engine/builtins/OpenFileTable.h"

int OpenFileTable::Take(const OpenFileSlot& slot)
{
    if (!HasFreeSlot())
        return -1;
    for (int i = 0; i < kScriptFileSlots; ++i) {
        if (!m_slots[i].InUse) {
            m_slots[i] = slot;
            m_slots[i].InUse = true;
            ++m_inUse;
            return i;
        }
    }
    return -1;
}

void OpenFileTable::Close(int handle)
{
    OpenFileSlot* slot = InUseAt(handle);
    if (!slot)
        return;
    if (slot->SlotKind == OpenFileSlot::kSearch) {
        FindClose(slot->Search);
        delete[] slot->PendingName;
    } else if (slot->Stream) {
        fclose(slot->Stream);
    }
    *slot = OpenFileSlot();
    --m_inUse;
}

void OpenFileTable::CloseAll()
{
    for (int handle = 0; handle < kScriptFileSlots; ++handle)
        Close(handle);
}
