// CWnd: a window. A CWnd object is attached to its window handle for the
// window's life; messages reach the object's WindowProc, which routes them
// through its message map to handlers, and everything it does not handle
// goes on to the window's own procedure (Default).
#pragma once

#include "framework/CmdTarget.h"
#include "framework/Dc.h"
#include "framework/Geometry.h"
#include "framework/String.h"

class CMenu;
class CScrollBar;

// The framework's window classes; a null class name in Create and CreateEx
// stands for the default one (arrow cursor, window-colour background).
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);

class CWnd : public CCmdTarget
{
public:
    CWnd() = default;
    ~CWnd() override;   // destroys the window if it still exists

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
    bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

    // The object attached to the window, or else a temporary wrapper (see
    // HandleMap.h); null for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // Only the attached object, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches the object and routes the window's messages through it.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation. Create makes a child window; CreateEx any window.
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id);
    virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                          int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                          LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Overridables
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs) { return TRUE; }
    virtual void PreSubclassWindow() {}
    virtual BOOL PreTranslateMessage(MSG* msg) { return FALSE; }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification that the parent reflects back to this control: WM_COMMAND,
    // WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM, WM_MEASUREITEM. TRUE when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called after the window is gone (WM_NCDESTROY) and the object detached;
    // an object that owns itself deletes itself here.
    virtual void PostNcDestroy() {}
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The window procedure's answer to the message being handled.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    // Offers the message being handled to the child control; TRUE when it took it.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // PreTranslateMessage of each attached window from the message's target
    // up to `stop` (or the target's top-level window); TRUE when one took it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    // Styles
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    // Changes the style; with SWP_ flags, SetWindowPos applies the change.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    // Relatives
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetWindow(UINT command) const { return FromHandle(::GetWindow(m_hWnd, command)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongA(m_hWnd, GWL_ID, id)); }
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const
    {
        return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
    }
    CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const
    {
        return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
    }
    BOOL IsChild(const CWnd* wnd) const { return ::IsChild(m_hWnd, wnd->m_hWnd); }

    // State
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }

    // Text and font
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR buffer, int maxCount) const { return ::GetWindowTextA(m_hWnd, buffer, maxCount); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* font, BOOL redraw = TRUE)
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
    }
    CFont* GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }
    HICON SetIcon(HICON icon, BOOL big)
    {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }

    // Dialog items
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const
    {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int checked) { ::CheckRadioButton(m_hWnd, first, last, checked); }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }

    // Geometry
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const
    {
        ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
    }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE)
    {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, width, height, flags);
    }
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

    // Painting
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, rect, region ? static_cast<HRGN>(*region) : nullptr, flags);
    }
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* dc) { return ::ReleaseDC(m_hWnd, dc->m_hDC); }

    // Scroll bars of the window itself, and its shape
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE)
    {
        ::SetScrollInfo(m_hWnd, bar, info, redraw);
        return TRUE;
    }
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const
    {
        info->cbSize = sizeof *info;
        info->fMask = mask;
        return ::GetScrollInfo(m_hWnd, bar, info);
    }
    int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
    int SetScrollPos(int bar, int position, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, bar, position, redraw); }
    void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }
    void ScrollWindow(int dx, int dy, LPCRECT scrollRect = nullptr, LPCRECT clipRect = nullptr)
    {
        ::ScrollWindow(m_hWnd, dx, dy, scrollRect, clipRect);
    }
    // The window owns the region afterwards (and frees the one it had).
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int GetWindowRgn(HRGN region) const { return ::GetWindowRgn(m_hWnd, region); }

    // Timers, menus, message boxes
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    CMenu* GetMenu() const;
    CMenu* GetSystemMenu(BOOL revert) const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

protected:
    // Sends the child's notification on to its own object: WM_COMMAND and
    // WM_NOTIFY to ON_..._REFLECT entries, WM_CTLCOLOR... to ON_WM_CTLCOLOR_REFLECT.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Default handlers: each does what the window would do without a map entry.
    afx_msg int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnNcDestroy() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnTimer(UINT_PTR) { Default(); }
    afx_msg void OnSize(UINT, int, int) { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
    afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
    afx_msg void OnSetFocus(CWnd*) { Default(); }
    afx_msg void OnKillFocus(CWnd*) { Default(); }
    afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    afx_msg void OnEnable(BOOL) { Default(); }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
    afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
    afx_msg void OnSysColorChange() { Default(); }
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg LRESULT OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
    afx_msg void OnHotKey(UINT, UINT, UINT) { Default(); }
    afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
    afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
    afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
    afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
    afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
    afx_msg void OnMouseHover(UINT, CPoint) { Default(); }
    afx_msg void OnMouseLeave() { Default(); }

    WNDPROC m_pfnSuper = nullptr;   // the window's own procedure, once subclassed

    DECLARE_MESSAGE_MAP()

private:
    LRESULT CallHandler(const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam, UINT ctlColor);
    void DetachAfterDestroy();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
};

// The window procedure of every window with an attached CWnd.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The next window that the calling thread creates is attached to `wnd`
// (and subclassed) before it receives its first message.
void AfxHookWindowCreate(CWnd* wnd);
// Ends the hook; FALSE when no window was attached.
BOOL AfxUnhookWindowCreate();

// Registers every common control class once (list views, headers, up-downs,
// tool tips, ...), so that dialog templates may use them.
void AfxInitCommonControls();
