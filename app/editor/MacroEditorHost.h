// What the macro editor asks of the window that opened it (the main
// window): whether another macro holds a key, and, for the editor that
// Ctrl+Alt+R opened, taking the saved macro or the cancel.
#pragma once

#include "framework/String.h"

class CMacroEditorHost
{
public:
    // FALSE, after telling the user, when another macro holds the key.
    virtual BOOL CheckStartKeyConflict(const CString& startKey) = 0;
    virtual BOOL CheckEndKeyConflict(const CString& endKey) = 0;
    // The editor that reports to its host has saved (ApplyEditedMacro) or
    // was cancelled (EndEditing); it is still open.
    virtual void ApplyEditedMacro() = 0;
    virtual void EndEditing() = 0;

protected:
    ~CMacroEditorHost() = default;
};
