// The interface of the hook library "kestrune.dll": its two entry points,
// found by name with GetProcAddress, and the three messages through which
// it reports the user's keyboard and mouse input to a window while a
// recording runs.
//
//   HMODULE library = LoadLibraryA(KESTRUNE_HOOK_LIBRARY);
//   auto install = reinterpret_cast<InstallHookFn>(GetProcAddress(library, "InstallHook"));
//   install(library, m_hWnd);   ...   UninstallHook, then FreeLibrary.
//
// The messages are posted, in the order of the input, to the installing
// thread's window:
//
//   WM_HOOK_MOUSEMOVE  wParam 0; lParam the position where the next button
//                      press, release or wheel turn happens (see below).
//   WM_HOOK_MOUSE      wParam the mouse message: WM_MOUSEMOVE (0x200),
//                      WM_LBUTTONDOWN/UP (0x201/0x202), WM_RBUTTONDOWN/UP
//                      (0x204/0x205) or WM_MOUSEWHEEL (0x20A).
//                      lParam: for a move the position; for a button the
//                      window under the cursor; for the wheel 1 when it
//                      turned up (away from the user), 0 when down.
//   WM_HOOK_KEY        wParam the virtual-key code; lParam's high word
//                      WM_KEYDOWN (256) for a press, WM_KEYUP (257) for a
//                      release, Alt combinations included.
//
// Positions are screen co-ordinates packed as two signed 16-bit numbers, x
// in the low word (HookPackPoint, HookUnpackPoint), so a monitor left of or
// above the primary one gives negative numbers. The position of a button or
// wheel event comes first as WM_HOOK_MOUSEMOVE whenever the cursor moved
// since the last button or wheel event, because a recorder that thins out
// the stream of moves may otherwise put the click where the cursor was a
// moment earlier. Shift, Ctrl and Alt are reported by their common codes
// (VK_SHIFT, VK_CONTROL, VK_MENU) whichever side was pressed, as the key
// names of recorded lines have them; the Windows keys keep VK_LWIN and
// VK_RWIN.
#pragma once

#include <windows.h>

#define KESTRUNE_HOOK_LIBRARY "kestrune.dll"

#define WM_HOOK_MOUSEMOVE (WM_USER + 14)
#define WM_HOOK_MOUSE (WM_USER + 15)
#define WM_HOOK_KEY (WM_USER + 16)

// Starts reporting input to `window`; `library` is the hook library's own
// module (null stands for it too). Installing again moves the reports to
// the new window. FALSE when the system refused a hook.
typedef BOOL(WINAPI* InstallHookFn)(HINSTANCE library, HWND window);
// Stops reporting; nothing arrives after it returns.
typedef BOOL(WINAPI* UninstallHookFn)();

inline LPARAM HookPackPoint(POINT point)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(point.x)), static_cast<WORD>(static_cast<SHORT>(point.y)));
}

inline POINT HookUnpackPoint(LPARAM lParam)
{
    POINT point;
    point.x = static_cast<SHORT>(LOWORD(lParam));
    point.y = static_cast<SHORT>(HIWORD(lParam));
    return point;
}
