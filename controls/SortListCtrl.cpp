#include "controls/SortListCtrl.h"

#include <stdlib.h>

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CSortListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    AttachHeader();
}

// A list made by Create has its header only once it exists, not yet when
// it is subclassed: the header is then attached when columns are added.
void CSortListCtrl::AttachHeader()
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    if (header && !m_header.m_hWnd)
        m_header.SubclassWindow(header);
}

BOOL CSortListCtrl::SetHeadings(const CString& columnSpec)
{
    AttachHeader();
    int position = 0;
    while (position < columnSpec.GetLength()) {
        int comma = columnSpec.Find(',', position);
        if (comma < 0)
            return TRUE;
        CString title = columnSpec.Mid(position, comma - position);
        int end = columnSpec.Find(';', comma + 1);
        if (end < 0)
            end = columnSpec.GetLength();
        int width = atoi(columnSpec.Mid(comma + 1, end - comma - 1));
        if (InsertColumn(m_columnCount, title, LVCFMT_LEFT, width) < 0)
            return FALSE;
        ++m_columnCount;
        position = end + 1;
    }
    return TRUE;
}

int CSortListCtrl::AddRow(const LPCSTR* texts, int count)
{
    int row = InsertItem(GetItemCount(), texts[0]);
    if (row < 0)
        return row;
    Row* record = new Row;
    record->texts.resize(static_cast<size_t>(m_columnCount > 0 ? m_columnCount : 1));
    record->texts[0] = texts[0];
    for (int column = 1; column < m_columnCount; ++column) {
        LPCSTR text = column < count && texts[column] ? texts[column] : "";
        CListCtrl::SetItemText(row, column, text);
        record->texts[static_cast<size_t>(column)] = text;
    }
    SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
    return row;
}

BOOL CSortListCtrl::SetItemText(int row, int column, LPCSTR text)
{
    if (!CListCtrl::SetItemText(row, column, text))
        return FALSE;
    Row* record = RowAt(row);
    if (record && column >= 0 && static_cast<size_t>(column) < record->texts.size())
        record->texts[static_cast<size_t>(column)] = text;
    return TRUE;
}

void CSortListCtrl::FreeRow(int row)
{
    delete RowAt(row);
    SetItemData(row, 0);
}

BOOL CSortListCtrl::DeleteItem(int row)
{
    FreeRow(row);
    return CListCtrl::DeleteItem(row);
}

BOOL CSortListCtrl::DeleteAllItems()
{
    for (int row = GetItemCount() - 1; row >= 0; --row)
        FreeRow(row);
    return CListCtrl::DeleteAllItems();
}

void CSortListCtrl::OnDestroy()
{
    for (int row = GetItemCount() - 1; row >= 0; --row)
        FreeRow(row);
    CListCtrl::OnDestroy();
}

void CSortListCtrl::OnColumnClick(NMHDR* header, LRESULT* result)
{
    int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
    BOOL ascending = column != m_sortColumn ? TRUE : !m_ascending;
    SortColumn(column, ascending);
    *result = 0;
}

void CSortListCtrl::SortColumn(int column, BOOL ascending)
{
    m_sortColumn = column;
    m_ascending = ascending;
    m_header.SetSortArrow(column, ascending);
    SortItems(&CompareRows, reinterpret_cast<DWORD_PTR>(this));
}

namespace {

bool AllDigits(LPCSTR text)
{
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

bool IsDate(LPCSTR text)
{
    static const char pattern[] = "dd/dd/dddd";
    for (int i = 0; i < 10; ++i) {
        char ch = text[i];
        if (pattern[i] == 'd' ? ch < '0' || ch > '9' : ch != '/')
            return false;   // a shorter text fails at its terminator
    }
    return text[10] == '\0';
}

// The number in `count` characters from `first`, taking only characters
// the text has: a text too short for the field gives 0.
int Field(LPCSTR text, int first, int count)
{
    CString whole(text);
    return atoi(whole.Mid(first, count));
}

int Order(int a, int b)
{
    return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

int CSortListCtrl::CompareCells(LPCSTR first, LPCSTR second, BOOL ascending)
{
    // The kind of comparison comes from the first text; descending only
    // swaps the two sides.
    LPCSTR a = ascending ? first : second;
    LPCSTR b = ascending ? second : first;
    if (AllDigits(first))
        return Order(atoi(a), atoi(b));
    if (IsDate(first)) {
        // day/month/year: the year decides first, the day last
        static const int fields[][2] = { { 6, 4 }, { 3, 2 }, { 0, 2 } };
        for (const auto& field : fields) {
            int order = Order(Field(a, field[0], field[1]), Field(b, field[0], field[1]));
            if (order)
                return order;
        }
        return 0;
    }
    return lstrcmpA(a, b);
}

int CALLBACK CSortListCtrl::CompareRows(LPARAM first, LPARAM second, LPARAM list)
{
    const CSortListCtrl* self = reinterpret_cast<const CSortListCtrl*>(list);
    const Row* one = reinterpret_cast<const Row*>(first);
    const Row* two = reinterpret_cast<const Row*>(second);
    size_t column = static_cast<size_t>(self->m_sortColumn);
    LPCSTR textOne = one && column < one->texts.size() ? static_cast<LPCSTR>(one->texts[column]) : "";
    LPCSTR textTwo = two && column < two->texts.size() ? static_cast<LPCSTR>(two->texts[column]) : "";
    return CompareCells(textOne, textTwo, self->m_ascending);
}

void CSortListCtrl::LoadColumnInfo()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    char entry[16];
    wsprintfA(entry, "%d", GetDlgCtrlID());
    LPBYTE data = nullptr;
    UINT size = 0;
    if (app->GetProfileBinary("ListCtrls", entry, &data, &size) && size > 0) {
        CMemFile file(data, size);
        CArchive archive(&file, CArchive::load);
        try {
            m_header.Serialize(archive);
        } catch (CException* error) {   // a damaged record leaves the widths as they are
            error->Delete();
        }
        m_header.Invalidate();
    }
    delete[] data;
}

void CSortListCtrl::SaveColumnInfo()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    m_header.Serialize(archive);
    char entry[16];
    wsprintfA(entry, "%d", GetDlgCtrlID());
    app->WriteProfileBinary("ListCtrls", entry, file.GetData(), static_cast<UINT>(file.GetLength()));
}
