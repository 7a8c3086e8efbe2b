#include "app/MacroListCtrl.h"

BEGIN_MESSAGE_MAP(CMacroListCtrl, CSortListCtrl)
    ON_NOTIFY_REFLECT_EX(LVN_COLUMNCLICK, OnColumnClickThenTellParent)
END_MESSAGE_MAP()

BOOL CMacroListCtrl::OnColumnClickThenTellParent(NMHDR* header, LRESULT* result)
{
    OnColumnClick(header, result);
    return FALSE;   // the parent sees the click too, after the sort
}
