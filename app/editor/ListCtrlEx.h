// CListCtrlEx: the macro editor's list of steps, a two-column report list:
// column 0 the step's number (1, 2, 3 ... in row order, never moved), column
// 1 its step line. It moves the selected steps up or down by one place and
// deletes them, asking first unless the user ticked "Do not show this
// again", a choice kept in dcm.ini in the data folder ("showcofm=0").
#pragma once

#include "framework/Ui.h"

#include <vector>

class CListCtrlEx : public CListCtrl
{
public:
    // The buttons "Move Up", "Move Down" and "Delete" (and the Delete key).
    void MoveSelectedUp();
    void MoveSelectedDown();
    void DeleteSelected();

    // Selects the row; with `focus`, it becomes the focused row and the
    // list takes the keyboard focus.
    void SelectItem(int row, BOOL focus);
    void DeselectItem(int row);

    // Rewrites column 0 from `first` to the last row: the row's position + 1.
    void RenumberFrom(int first);

    // TRUE when dcm.ini says not to ask before deleting steps.
    static BOOL LoadConfirmSetting();
    // Writes dcm.ini: do not ask again. A file that cannot be written is
    // skipped: the question then simply comes again.
    static void SaveConfirmSetting();
    static CString ConfirmSettingPath();

protected:
    afx_msg void OnKeyUp(UINT key, UINT repeats, UINT flags);

    DECLARE_MESSAGE_MAP()

private:
    std::vector<int> SelectedRows() const;
    void SwapStepTexts(int a, int b);
    // Deselects the rows that were selected and selects the new positions.
    void Reselect(const std::vector<int>& before, const std::vector<int>& after);
};
