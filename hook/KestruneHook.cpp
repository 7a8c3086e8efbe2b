// The hook library: low-level keyboard and mouse hooks that turn the
// system's input into the messages of HookMessages.h. A low-level hook runs
// in the thread that installed it (the recorder's UI thread, which pumps
// messages anyway), so it sees the input of every process, 64-bit ones
// included, without being loaded into them, and needs no shared memory.
// The hooks only post: the recorder's work happens in its own handlers,
// outside the system's time limit on low-level hooks.
#include "hook/HookMessages.h"

namespace {

HINSTANCE g_library = nullptr;   // this library, from DllMain
HHOOK g_keyboardHook = nullptr;
HHOOK g_mouseHook = nullptr;
HWND g_target = nullptr;

// The position of the last button or wheel event, announced with
// WM_HOOK_MOUSEMOVE; none before the first.
bool g_announced = false;
POINT g_announcedPoint = {};

void Report(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_target)
        PostMessageA(g_target, message, wParam, lParam);
}

DWORD CommonModifierCode(DWORD vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        WORD transition = 0;
        if (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)
            transition = WM_KEYDOWN;
        else if (wParam == WM_KEYUP || wParam == WM_SYSKEYUP)
            transition = WM_KEYUP;
        if (transition)
            Report(WM_HOOK_KEY, CommonModifierCode(key->vkCode), MAKELPARAM(0, transition));
    }
    return CallNextHookEx(g_keyboardHook, code, wParam, lParam);
}

void AnnouncePosition(POINT point)
{
    if (g_announced && point.x == g_announcedPoint.x && point.y == g_announcedPoint.y)
        return;
    g_announced = true;
    g_announcedPoint = point;
    Report(WM_HOOK_MOUSEMOVE, 0, HookPackPoint(point));
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        switch (wParam) {
        case WM_MOUSEMOVE:
            Report(WM_HOOK_MOUSE, WM_MOUSEMOVE, HookPackPoint(mouse->pt));
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            AnnouncePosition(mouse->pt);
            Report(WM_HOOK_MOUSE, wParam, reinterpret_cast<LPARAM>(WindowFromPoint(mouse->pt)));
            break;
        case WM_MOUSEWHEEL:
            AnnouncePosition(mouse->pt);
            Report(WM_HOOK_MOUSE, WM_MOUSEWHEEL, static_cast<SHORT>(HIWORD(mouse->mouseData)) > 0 ? 1 : 0);
            break;
        default:
            break;   // the middle and extra buttons are not recorded
        }
    }
    return CallNextHookEx(g_mouseHook, code, wParam, lParam);
}

void RemoveHooks()
{
    if (g_keyboardHook)
        UnhookWindowsHookEx(g_keyboardHook);
    if (g_mouseHook)
        UnhookWindowsHookEx(g_mouseHook);
    g_keyboardHook = nullptr;
    g_mouseHook = nullptr;
    g_target = nullptr;
}

}  // namespace

extern "C" {

BOOL WINAPI InstallHook(HINSTANCE library, HWND window)
{
    RemoveHooks();
    if (!library)
        library = g_library;
    g_announced = false;
    g_target = window;
    g_keyboardHook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardProc, library, 0);
    g_mouseHook = SetWindowsHookExA(WH_MOUSE_LL, MouseProc, library, 0);
    if (g_keyboardHook && g_mouseHook)
        return TRUE;
    RemoveHooks();
    return FALSE;
}

BOOL WINAPI UninstallHook()
{
    RemoveHooks();
    return TRUE;
}

// A hook left installed when the library is freed would call into code
// that is no longer there at the next key or mouse event.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_library = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        RemoveHooks();
    }
    return TRUE;
}

}  // extern "C"
