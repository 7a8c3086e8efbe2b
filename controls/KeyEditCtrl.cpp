#include "controls/KeyEditCtrl.h"

#include "macro/KeyNames.h"

namespace {

// Inclusive ranges of the virtual-key codes a hot key may not use.
struct KeyRange
{
    UINT first, last;
};

const KeyRange kRefusedKeys[] = {
    { 3, 3 },     { 5, 6 },     { 8, 9 },     { 12, 13 },   { 19, 21 },   { 23, 23 },
    { 25, 25 },   { 27, 31 },   { 33, 34 },   { 42, 44 },   { 46, 47 },   { 91, 93 },
    { 95, 105 },  { 144, 144 }, { 146, 150 }, { 166, 183 }, { 225, 231 }, { 233, 236 },
    { 239, 251 }, { 253, 254 },
};

bool IsDown(int virtualKey)
{
    return (::GetKeyState(virtualKey) & 0xFF00) != 0;
}

}  // namespace

bool CKeyEditCtrl::IsRefusedHotKey(UINT virtualKey)
{
    for (const KeyRange& range : kRefusedKeys)
        if (virtualKey >= range.first && virtualKey <= range.last)
            return true;
    return false;
}

CString CKeyEditCtrl::HotKeyTextOf(UINT virtualKey, bool ctrl, bool shift, bool alt)
{
    if (IsRefusedHotKey(virtualKey))
        return "None";
    bool modifierItself = virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU;
    CString prefix;
    if (ctrl)
        prefix += "Ctrl + ";
    if (shift)
        prefix += "Shift + ";
    if (alt)
        prefix += "Alt + ";
    return modifierItself ? prefix : prefix + VirtualKeyToKeyName(virtualKey);
}

void CKeyEditCtrl::UpdateHotKeyText(UINT virtualKey)
{
    if (!m_hotKeyMode)
        SetWindowText(VirtualKeyToKeyName(virtualKey));
    else
        SetWindowText(HotKeyTextOf(virtualKey, IsDown(VK_CONTROL), IsDown(VK_SHIFT), IsDown(VK_MENU)));
}

BOOL CKeyEditCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == m_hWnd && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN))
        UpdateHotKeyText(static_cast<UINT>(msg->wParam));
    // Alt with a letter must not press the dialog's button of that mnemonic:
    // here it is a hot key being entered.
    if (msg->hwnd == m_hWnd && msg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(msg);
}

LRESULT CKeyEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:     // the text is already set; Delete, Shift+Insert and
    case WM_SYSKEYDOWN:  // the like must not edit it afterwards
    case WM_SYSKEYUP:    // nor Alt or F10 open the window menu
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
        return 0;
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}
