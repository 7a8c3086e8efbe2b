// Attaching a CWnd to the window it creates before the window's first
// message, the framework's window classes, and the common control classes.
#include "framework/Wnd.h"

#include "framework/WinApp.h"

#include <commctrl.h>

#include <set>
#include <string>

namespace {

thread_local CWnd* t_windowBeingCreated = nullptr;
thread_local HHOOK t_createHook = nullptr;

bool IsImeWindow(HWND hwnd)
{
    char name[16];
    return ::GetClassNameA(hwnd, name, sizeof name) && lstrcmpiA(name, "IME") == 0;
}

}  // namespace

// A computer-based-training hook sees each window of the thread just before
// its first message (WM_GETMINMAXINFO or WM_NCCREATE): the pending object is
// attached and the window's procedure replaced by AfxWndProc.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_windowBeingCreated) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (!IsImeWindow(hwnd)) {
            CWnd* wnd = t_windowBeingCreated;
            t_windowBeingCreated = nullptr;
            wnd->Attach(hwnd);
            wnd->PreSubclassWindow();
            WNDPROC old = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (old != &AfxWndProc)
                wnd->m_pfnSuper = old;
        }
    }
    return ::CallNextHookEx(t_createHook, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* wnd)
{
    if (!t_createHook)
        t_createHook = ::SetWindowsHookExA(WH_CBT, &AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_windowBeingCreated = wnd;
}

BOOL AfxUnhookWindowCreate()
{
    if (t_createHook) {
        ::UnhookWindowsHookEx(t_createHook);
        t_createHook = nullptr;
    }
    bool attached = t_windowBeingCreated == nullptr;
    t_windowBeingCreated = nullptr;
    return attached;
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    // One class per combination, named after it; the names live as long as
    // the process, like the classes.
    static std::set<std::string> registered;
    char name[96];
    wsprintfA(name, "Kestrune:%x:%x:%x:%x", classStyle, reinterpret_cast<UINT_PTR>(cursor),
              reinterpret_cast<UINT_PTR>(background), reinterpret_cast<UINT_PTR>(icon));
    auto found = registered.find(name);
    if (found != registered.end())
        return found->c_str();
    WNDCLASSA wc = {};
    wc.style = classStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    WNDCLASSA existing;
    if (!::GetClassInfoA(wc.hInstance, name, &existing) && !::RegisterClassA(&wc))
        return nullptr;
    return registered.insert(name).first->c_str();
}

void AfxInitCommonControls()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX init = { sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES };
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}
