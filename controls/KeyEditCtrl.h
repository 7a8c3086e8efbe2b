// CKeyEditCtrl: an edit box that shows the key pressed in it instead of
// taking typed text. In hot-key mode it shows a hot-key text ("Ctrl + Alt + "
// and a key name, or "None"), the form a macro stores for its start and end
// keys; in plain mode the key name alone.
//
// The box sets its whole text itself, so nothing else may edit it: no key
// reaches the edit's own handling, no character is typed, and paste, cut
// and clear (the context menu, Shift+Insert, Shift+Delete) are refused.
#pragma once

#include "framework/Ui.h"

class CKeyEditCtrl : public CEdit
{
public:
    CKeyEditCtrl() = default;

    BOOL PreTranslateMessage(MSG* msg) override;

    // The text for a key going down with the modifiers held now (read with
    // GetKeyState); set as the box's text.
    void UpdateHotKeyText(UINT virtualKey);

    // The hot-key text of `virtualKey` with the given modifiers held: "None"
    // for a key that cannot be a hot key, the modifier prefix alone for a
    // modifier itself.
    static CString HotKeyTextOf(UINT virtualKey, bool ctrl, bool shift, bool alt);
    // Keys that cannot be part of a hot key (Enter, Escape, Delete, the
    // Windows keys, the keypad digits, the media keys, ...).
    static bool IsRefusedHotKey(UINT virtualKey);

    BYTE m_hotKeyMode = 0;   // set by the owner after the dialog is initialised

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
