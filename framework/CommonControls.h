// The common controls (comctl32): CListCtrl, CHeaderCtrl, CTreeCtrl,
// CSpinButtonCtrl and CToolTipCtrl.
#pragma once

#include "framework/Collections.h"
#include "framework/ImageList.h"
#include "framework/Wnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd
{
public:
    int GetItemCount() const { return static_cast<int>(::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0)); }
    BOOL GetItem(int index, HDITEMA* item) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(int index, HDITEMA* item)
    {
        return static_cast<BOOL>(SendMessage(HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    BOOL GetItemRect(int index, LPRECT rect) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
    }

    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CListCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_LISTVIEWA, nullptr, style, rect, parent, id);
    }
    CHeaderCtrl* GetHeaderCtrl() const
    {
        return static_cast<CHeaderCtrl*>(FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0))));
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)); }
    DWORD SetExtendedStyle(DWORD style)
    {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    // Returns the list it replaced (the list control does not own either).
    HIMAGELIST SetImageList(CImageList* list, int kind)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                                        reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr)));
    }

    // Columns
    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column))); }
    BOOL GetColumn(int column, LVCOLUMNA* info) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
    }
    int GetColumnWidth(int column) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    }
    BOOL SetColumnWidth(int column, int width)
    {
        return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
    }

    // Items
    int GetItemCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0)); }
    int InsertItem(const LVITEMA* item)
    {
        return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int index, LPCSTR text, int image = -1);
    BOOL DeleteItem(int index) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index))); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL GetItem(LVITEMA* item) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
    }
    BOOL SetItem(const LVITEMA* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    CString GetItemText(int index, int subItem) const;
    BOOL SetItemText(int index, int subItem, LPCSTR text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const
    {
        return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
    }
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL GetCheck(int index) const { return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) - 1) > 0; }
    BOOL SetCheck(int index, BOOL check = TRUE) { return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK); }
    int GetNextItem(int start, int flags) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0)); }
    // Selected items, in order: POSITION-style iteration over their indexes.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    BOOL EnsureVisible(int index, BOOL partialOK)
    {
        return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOK));
    }
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    int HitTest(POINT point, UINT* flags = nullptr) const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
    {
        return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
    }
};

class CTreeCtrl : public CWnd
{
public:
    // Returns the list it replaced (the tree control does not own either).
    HIMAGELIST SetImageList(CImageList* list, int kind)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                                        reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr)));
    }
    HTREEITEM InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent = TVI_ROOT,
                         HTREEITEM after = TVI_LAST);
    HTREEITEM GetSelectedItem() const
    {
        return reinterpret_cast<HTREEITEM>(::SendMessageA(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    BOOL SelectItem(HTREEITEM item)
    {
        return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
    }
    CString GetItemText(HTREEITEM item) const;
};

class CSpinButtonCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(UPDOWN_CLASSA, nullptr, style, rect, parent, id);
    }
    void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower)); }
    void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    void GetRange32(int& lower, int& upper) const
    {
        ::SendMessageA(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    }
    int SetPos(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }
    int GetPos() const { return static_cast<int>(::SendMessageA(m_hWnd, UDM_GETPOS32, 0, 0)); }
    CWnd* SetBuddy(CWnd* buddy)
    {
        return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->m_hWnd))));
    }
    CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(::SendMessageA(m_hWnd, UDM_GETBUDDY, 0, 0))); }
    int SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
    BOOL SetAccel(int count, UDACCEL* accelerators)
    {
        return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accelerators)));
    }
};

class CToolTipCtrl : public CWnd
{
public:
    // A tool tip owned by `parent`'s window.
    BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    int GetToolCount() const { return static_cast<int>(::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void SetDelayTime(DWORD kind, int time) { SendMessage(TTM_SETDELAYTIME, kind, MAKELPARAM(time, 0)); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }

private:
    TTTOOLINFOA ToolInfo(CWnd* wnd, UINT_PTR toolId) const;
};
