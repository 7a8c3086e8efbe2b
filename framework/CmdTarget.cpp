#include "framework/CmdTarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->getBaseMap ? map->getBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->entries; entry->sig != AfxSig_end; ++entry) {
            if (entry->message == message && entry->code == code && id >= entry->id && id <= entry->lastId)
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code)
{
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_COMMAND, static_cast<UINT>(code), id);
    if (!entry)
        return FALSE;
    switch (entry->sig) {
    case AfxSig_cmd:
        (this->*entry->handler)();
        return TRUE;
    case AfxSig_cmd_range:
        (this->*AfxHandlerAs<void (CCmdTarget::*)(UINT)>(entry))(id);
        return TRUE;
    default:
        return FALSE;
    }
}
