// CCmdTarget: the base of every class with a message map (windows, the
// application and its threads). It finds the entries of its map and runs
// command handlers.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Object.h"

class CCmdTarget : public CObject
{
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of the command (WM_COMMAND with this id and
    // notification code) from this object's map; FALSE when it has none.
    virtual BOOL OnCmdMsg(UINT id, int code);

    // The first entry, searching this class's table and then its bases',
    // for the message with this code and an id within the entry's range.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
