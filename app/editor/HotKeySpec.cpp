#include "app/editor/HotKeySpec.h"

#include "engine/automation/KeySender.h"

ATOM ParseHotKeyAtom(const char* spec, UINT& modifiers, UINT& virtualKey)
{
    int key = 0;
    bool shift = false, ctrl = false, alt = false, win = false;
    if (!CKeySender::ParseKeySpec(spec, &key, &shift, &ctrl, &alt, &win))
        return 0;
    modifiers |= (shift ? MOD_SHIFT : 0) | (ctrl ? MOD_CONTROL : 0) | (alt ? MOD_ALT : 0) | (win ? MOD_WIN : 0);
    virtualKey = static_cast<UINT>(key);
    return GlobalAddAtomA(spec);
}

BOOL RegisterHotKeySpec(HWND window, const char* spec)
{
    UINT modifiers = 0, virtualKey = 0;
    const ATOM identifier = ParseHotKeyAtom(spec, modifiers, virtualKey);
    if (!identifier)
        return FALSE;
    RegisterHotKey(window, identifier, modifiers, virtualKey);
    return TRUE;
}

BOOL UnregisterHotKeySpec(HWND window, const char* spec)
{
    UINT modifiers = 0, virtualKey = 0;
    const ATOM identifier = ParseHotKeyAtom(spec, modifiers, virtualKey);
    if (!identifier)
        return FALSE;
    const BOOL unregistered = UnregisterHotKey(window, identifier);
    GlobalDeleteAtom(identifier);
    if (unregistered)
        GlobalDeleteAtom(identifier);   // the registration's reference
    return unregistered;
}

BOOL HotKeySpecMatches(UINT identifier, const char* spec)
{
    UINT modifiers = 0, virtualKey = 0;
    const ATOM atom = ParseHotKeyAtom(spec, modifiers, virtualKey);
    if (!atom)
        return FALSE;
    GlobalDeleteAtom(atom);
    return identifier == atom;
}
