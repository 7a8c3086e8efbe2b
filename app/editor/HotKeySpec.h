// The global hot keys that the step editors and the path measurer hold
// while they are open (Ctrl+Alt+P, Ctrl+Alt+1, ...), named by their key
// sender codes ("^!p"). A key's identifier is the global atom of its code
// text, the scheme the main window's keys use; a WM_HOTKEY handler knows its
// key by comparing the message's identifier with ParseHotKeyAtom of its code.
//
// Each parse adds a reference to the atom. A registration keeps its own
// until the key is let go; the look-ups give theirs back at once.
#pragma once

#include <windows.h>

// The identifier of a code ("^!1"), with its MOD_ flags ORed into
// `modifiers` and its virtual key; 0 when the key sender cannot parse it.
ATOM ParseHotKeyAtom(const char* spec, UINT& modifiers, UINT& virtualKey);

// Registers the key for the window; FALSE only when the code does not parse
// (a key that another program holds is not reported).
BOOL RegisterHotKeySpec(HWND window, const char* spec);
// Lets the key go; the system's answer, FALSE too when the code does not parse.
BOOL UnregisterHotKeySpec(HWND window, const char* spec);

// Whether a WM_HOTKEY identifier is the one of the code.
BOOL HotKeySpecMatches(UINT identifier, const char* spec);
