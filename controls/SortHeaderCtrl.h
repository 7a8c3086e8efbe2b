// CSortHeaderCtrl: the header of a sortable list. It draws an arrow on the
// sort column (up for ascending, down for descending) and can write and
// read back the widths of its columns.
#pragma once

#include "framework/Ui.h"

class CSortHeaderCtrl : public CHeaderCtrl
{
public:
    void SetSortArrow(int column, BOOL ascending);
    int GetSortColumn() const { return m_sortColumn; }
    BOOL IsSortAscending() const { return m_ascending; }

    // Stores the item count and each item's width; loading sets the widths
    // only when the count matches the header's.
    void Serialize(CArchive& archive) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void DrawSortArrow(CDC* dc, const CRect& item, int offset) const;

    int m_sortColumn = -1;
    BOOL m_ascending = TRUE;
};
