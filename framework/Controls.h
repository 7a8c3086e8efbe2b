// The standard Windows controls: CStatic, CButton, CEdit, CComboBox and
// CScrollBar.
// An owner-drawn static, button or combo box draws itself in DrawItem (and
// a combo box measures its items in MeasureItem): the parent passes those
// messages on to the control's object.
#pragma once

#include "framework/Wnd.h"

class CStatic : public CWnd
{
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::Create("STATIC", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0)); }

    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CButton : public CWnd
{
public:
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("BUTTON", caption, style, rect, parent, id);
    }
    UINT GetState() const { return static_cast<UINT>(::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
    }
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }

    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("EDIT", nullptr, style, rect, parent, id);
    }
    void GetSel(int& start, int& end) const
    {
        DWORD s = 0, e = 0;
        ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void SetSel(int start, int end, BOOL noScroll = FALSE)
    {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void SetLimitText(UINT limit) { SendMessage(EM_SETLIMITTEXT, limit); }
    UINT GetLimitText() const { return static_cast<UINT>(::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0)); }
    void LimitText(int limit = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
    int GetLineCount() const { return static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }
    BOOL GetModify() const { return static_cast<BOOL>(::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0)); }
    void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
    BOOL Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
};

class CComboBox : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("COMBOBOX", nullptr, style, rect, parent, id);
    }
    int GetCount() const { return Send(CB_GETCOUNT); }
    int GetCurSel() const { return Send(CB_GETCURSEL); }
    int SetCurSel(int index) { return Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int AddString(LPCSTR text) { return Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
    int InsertString(int index, LPCSTR text)
    {
        return Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    int DeleteString(UINT index) { return Send(CB_DELETESTRING, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetLBTextLen(int index) const { return Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)); }
    void GetLBText(int index, CString& text) const;
    int FindString(int startAfter, LPCSTR text) const
    {
        return Send(CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int FindStringExact(int startAfter, LPCSTR text) const
    {
        return Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    int SelectString(int startAfter, LPCSTR text)
    {
        return Send(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text));
    }
    DWORD_PTR GetItemData(int index) const
    {
        return static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    int SetItemData(int index, DWORD_PTR data)
    {
        return Send(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    }
    BOOL GetDroppedState() const { return Send(CB_GETDROPPEDSTATE) != 0; }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }

    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    int Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, message, wParam, lParam));
    }
};

class CScrollBar : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("SCROLLBAR", nullptr, style, rect, parent, id);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int position, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, position, redraw); }
};
