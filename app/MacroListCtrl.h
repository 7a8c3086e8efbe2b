// CMacroListCtrl: the main window's macro list. It sorts its rows like
// every sortable list when the user clicks a column header, and then lets
// the main window know (LVN_COLUMNCLICK reaches the parent after the sort),
// so that the window can keep its macro array in the rows' new order.
#pragma once

#include "controls/SortListCtrl.h"

class CMacroListCtrl : public CSortListCtrl
{
protected:
    afx_msg BOOL OnColumnClickThenTellParent(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()
};
