// CSortListCtrl: a report-view list whose columns come from one layout text
// (a ColumnSpec such as "Enable,50;Name,100;Description,330"), which keeps
// its own copy of every cell's text, and which sorts its rows when the user
// clicks a column header: by number, by day/month/year date or by text,
// ascending, then descending on a second click.
#pragma once

#include "controls/SortHeaderCtrl.h"

#include <vector>

class CSortListCtrl : public CListCtrl
{
public:
    // Adds the columns of the layout text; FALSE at the first that cannot be
    // inserted. An item without a comma ends the list.
    BOOL SetHeadings(const CString& columnSpec);
    // Restores the column widths saved in the application's profile
    // (section "ListCtrls", entry the control's id), when there are any.
    void LoadColumnInfo();
    // Saves the column widths for LoadColumnInfo.
    void SaveColumnInfo();

    // Appends a row with one text per column; missing texts are empty.
    template <class... Texts>
    int AddItem(LPCSTR first, const Texts&... others)
    {
        LPCSTR texts[] = { first, static_cast<LPCSTR>(others)... };
        return AddRow(texts, 1 + sizeof...(others));
    }
    BOOL SetItemText(int row, int column, LPCSTR text);
    BOOL DeleteItem(int row);
    BOOL DeleteAllItems();
    void SortColumn(int column, BOOL ascending);

    int GetColumnCount() const { return m_columnCount; }
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsSortAscending() const { return m_ascending; }
    CSortHeaderCtrl& GetSortHeader() { return m_header; }

    // The order of two rows' cell texts (-1, 0, 1): as numbers when the
    // first row's text holds only digits, as dates when it reads dd/mm/yyyy,
    // else as texts. Descending reverses the order, not the kind.
    static int CompareCells(LPCSTR first, LPCSTR second, BOOL ascending = TRUE);

protected:
    void PreSubclassWindow() override;
    afx_msg void OnColumnClick(NMHDR* header, LRESULT* result);
    afx_msg void OnDestroy();

    CSortHeaderCtrl m_header;
    int m_columnCount = 0;
    int m_sortColumn = -1;
    BOOL m_ascending = TRUE;

    DECLARE_MESSAGE_MAP()

private:
    // What each row's item data points to: the row's cell texts.
    struct Row
    {
        std::vector<CString> texts;
    };

    void AttachHeader();
    int AddRow(const LPCSTR* texts, int count);
    Row* RowAt(int row) const { return reinterpret_cast<Row*>(GetItemData(row)); }
    void FreeRow(int row);
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list);
};
