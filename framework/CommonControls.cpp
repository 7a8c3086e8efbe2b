#include "framework/CommonControls.h"

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

// ---------------------------------------------------------------- CListCtrl

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem)
{
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_FMT;
    info.fmt = format;
    info.pszText = const_cast<LPSTR>(heading);
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text);
    item.iImage = image;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // The control copies at most the buffer's size: grow until the text fits.
    for (int size = 256;; size *= 2) {
        CString text;
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.pszText = text.GetBufferSetLength(size);
        item.cchTextMax = size + 1;
        int length = static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                                                     reinterpret_cast<LPARAM>(&item)));
        text.ReleaseBuffer(length);
        if (length < size)
            return text;
    }
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    // As the list's: grow the buffer until the text fits.
    for (int size = 256;; size *= 2) {
        CString text;
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text.GetBufferSetLength(size);
        info.cchTextMax = size + 1;
        const BOOL got = static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info)));
        text.ReleaseBuffer();
        if (!got)
            return CString();
        if (text.GetLength() < size)
            return text;
    }
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCSTR text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

// A position is the selected index plus one, so that NULL ends the walk.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int index = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    int index = static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
    int next = GetNextItem(index, LVNI_SELECTED);
    position = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
    return index;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(POINT point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    int index = static_cast<int>(::SendMessageA(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags)
        *flags = info.flags;
    return index;
}

// ---------------------------------------------------------------- CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    BOOL created = CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
    if (created)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return created;
}

TTTOOLINFOA CToolTipCtrl::ToolInfo(CWnd* wnd, UINT_PTR toolId) const
{
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd->m_hWnd;
    info.uId = toolId ? toolId : reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    info.uFlags = toolId ? 0 : TTF_IDISHWND | TTF_SUBCLASS;
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR toolId)
{
    TTTOOLINFOA info = ToolInfo(wnd, toolId);
    info.lpszText = const_cast<LPSTR>(text ? text : LPSTR_TEXTCALLBACKA);
    if (rect)
        info.rect = *rect;
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    TTTOOLINFOA info = ToolInfo(wnd, toolId);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId)
{
    TTTOOLINFOA info = ToolInfo(wnd, toolId);
    info.lpszText = const_cast<LPSTR>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
