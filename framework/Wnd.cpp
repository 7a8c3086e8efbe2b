#include "framework/Wnd.h"

#include "framework/File.h"
#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"

namespace {

CHandleMap<CWnd, HWND>& WindowMap()
{
    static thread_local CHandleMap<CWnd, HWND> map(
        [](HWND hwnd) { CWnd* wnd = new CWnd; wnd->m_hWnd = hwnd; return wnd; },
        [](CWnd* wnd) { wnd->m_hWnd = nullptr; delete wnd; });
    return map;
}

// The message each nested call of a window procedure is handling, for Default().
thread_local MSG t_currentMessage;

class CurrentMessageScope
{
public:
    CurrentMessageScope(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) : m_saved(t_currentMessage)
    {
        t_currentMessage.hwnd = hwnd;
        t_currentMessage.message = message;
        t_currentMessage.wParam = wParam;
        t_currentMessage.lParam = lParam;
    }
    ~CurrentMessageScope() { t_currentMessage = m_saved; }

private:
    MSG m_saved;
};

// A framework exception that reaches a window procedure is reported there:
// it must not unwind through the system's code.
LRESULT ReportWindowProcException(CException* error, UINT message)
{
    char text[512];
    error->GetErrorMessage(text, sizeof text);
    error->Delete();
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return message == WM_CREATE ? -1 : 0;
}

}  // namespace

// ---------------------------------------------------------------- handle map

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return WindowMap().FromHandle(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return WindowMap().LookupPermanent(hwnd);
}

BOOL CWnd::Attach(HWND hwnd)
{
    // One object per window: a second would lose the first one's procedure.
    if (!hwnd || m_hWnd || WindowMap().LookupPermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    WindowMap().SetPermanent(hwnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd && WindowMap().LookupPermanent(hwnd) == this)
        WindowMap().RemoveHandle(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!::IsWindow(hwnd) || !Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::DetachAfterDestroy()
{
    Detach();
    m_pfnSuper = nullptr;
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        // The program ends with its main window.
        thread->m_pMainWnd = nullptr;
        if (thread == static_cast<CWinThread*>(AfxGetApp()))
            ::PostQuitMessage(0);
    }
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    Detach();
}

// ---------------------------------------------------------------- creation

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param)
{
    AfxInitCommonControls();
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className ? className : AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    cs.lpszName = windowName;
    cs.style = style;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate() && !hwnd)
        PostNcDestroy();   // never attached: nothing else will tell the object
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

// ---------------------------------------------------------------- message handling

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    CurrentMessageScope scope(hwnd, message, wParam, lParam);
    LRESULT result;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (CException* error) {
        result = ReportWindowProcException(error, message);
    }
    if (message == WM_NCDESTROY && wnd->m_hWnd == hwnd) {
        wnd->DetachAfterDestroy();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_currentMessage;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control)   // a menu or accelerator command: the same to its handler
        return OnCmdMsg(LOWORD(wParam), 0);
    if (ReflectLastMsg(control))
        return TRUE;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(header->hwndFrom, result))
        return TRUE;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom));
    if (!entry)
        return FALSE;
    (this->*AfxHandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry))(header, result);
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result)
{
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd)
        return FALSE;
    LRESULT ignored = 0;
    return wnd->OnChildNotify(t_currentMessage.message, t_currentMessage.wParam, t_currentMessage.lParam,
                              result ? result : &ignored);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0);
        if (!entry)
            return FALSE;
        if (entry->sig == AfxSig_cmd_ex)
            return (this->*AfxHandlerAs<BOOL (CCmdTarget::*)()>(entry))();
        (this->*entry->handler)();
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_BASE + WM_NOTIFY, header->code, 0);
        if (!entry)
            return FALSE;
        if (entry->sig == AfxSig_notify_ex)
            return (this->*AfxHandlerAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry))(header, result);
        (this->*AfxHandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(entry))(header, result);
        return TRUE;
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (!entry)
            return FALSE;
        HBRUSH brush = (static_cast<CWnd*>(this)->*AfxHandlerAs<HBRUSH (CWnd::*)(CDC*, UINT)>(entry))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
        *result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    if (!stop)
        stop = ::GetAncestor(msg->hwnd, GA_ROOT);
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

// ---------------------------------------------------------------- operations

namespace {

BOOL ChangeStyle(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongA(hwnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(hwnd, index, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    return ChangeStyle(m_hWnd, GWL_STYLE, remove, add, flags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ChangeStyle(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (deep && ::GetTopWindow(child))
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

CWnd* CWnd::GetTopLevelParent() const
{
    return FromHandle(::GetAncestor(m_hWnd, GA_ROOT));
}

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    if (HWND item = ::GetDlgItem(m_hWnd, id))
        FromHandle(item)->GetWindowText(text);
    return text.GetLength();
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    HWND owner = alternateOwner ? alternateOwner->m_hWnd
                                : (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    if (GetStyle() & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&area), 2);
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    int width = self.right - self.left, height = self.bottom - self.top;
    ::SetWindowPos(m_hWnd, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2,
                   0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

BOOL CWnd::SetMenu(CMenu* menu)
{
    return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
