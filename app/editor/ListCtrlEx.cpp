#include "app/editor/ListCtrlEx.h"

#include "controls/CheckMsgBox.h"
#include "macro/Folders.h"
#include "macro/NumberText.h"

#include <algorithm>

namespace {

const char kNothingToMove[] = "No item selected, please select one item from list above.";
const char kNothingToDelete[] = "No item selected, please select one item from list above to delete.";
const char kDeleteQuestion[] = "Are you sure you want to delete selected robot actions?";
const char kConfirmKey[] = "showcofm=";

}  // namespace

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
    ON_WM_KEYUP()
END_MESSAGE_MAP()

std::vector<int> CListCtrlEx::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;   // ascending: the list walks its rows in order
}

void CListCtrlEx::SelectItem(int row, BOOL focus)
{
    const UINT state = LVIS_SELECTED | (focus ? LVIS_FOCUSED : 0);
    SetItemState(row, state, state);
    if (focus)
        SetFocus();
}

void CListCtrlEx::DeselectItem(int row)
{
    SetItemState(row, 0, LVIS_SELECTED);
}

void CListCtrlEx::RenumberFrom(int first)
{
    for (int row = std::max(0, first); row < GetItemCount(); ++row)
        SetItemText(row, 0, IntToText(row + 1));
}

void CListCtrlEx::SwapStepTexts(int a, int b)
{
    const CString textA = GetItemText(a, 1);
    SetItemText(a, 1, GetItemText(b, 1));
    SetItemText(b, 1, textA);
}

void CListCtrlEx::Reselect(const std::vector<int>& before, const std::vector<int>& after)
{
    for (int row : before)
        DeselectItem(row);
    for (int row : after)
        SelectItem(row, TRUE);
}

// A selected row moves up past an unselected one; a block of selected rows
// at the top stays, and the selected rows keep their order among themselves.
void CListCtrlEx::MoveSelectedUp()
{
    const std::vector<int> selected = SelectedRows();
    if (selected.empty()) {
        MessageBox(kNothingToMove, nullptr, MB_OK);
        return;
    }
    std::vector<int> moved;
    int barrier = -1;
    for (int row : selected) {
        if (row - 1 > barrier) {
            SwapStepTexts(row, row - 1);
            barrier = row - 1;
        } else {
            barrier = row;
        }
        moved.push_back(barrier);
        EnsureVisible(std::max(0, row - 1), FALSE);
    }
    Reselect(selected, moved);
}

void CListCtrlEx::MoveSelectedDown()
{
    std::vector<int> selected = SelectedRows();
    if (selected.empty()) {
        MessageBox(kNothingToMove, nullptr, MB_OK);
        return;
    }
    std::reverse(selected.begin(), selected.end());
    std::vector<int> moved;
    int barrier = GetItemCount();
    for (int row : selected) {
        if (row < barrier - 1) {
            SwapStepTexts(row, row + 1);
            barrier = row + 1;
        } else {
            barrier = row;
        }
        moved.push_back(barrier);
        EnsureVisible(std::min(GetItemCount() - 1, row + 1), FALSE);
    }
    Reselect(selected, moved);
}

void CListCtrlEx::DeleteSelected()
{
    if (GetNextItem(-1, LVNI_SELECTED) < 0) {
        MessageBox(kNothingToDelete, nullptr, MB_OK);
        return;
    }
    if (!LoadConfirmSetting()) {
        CCheckMsgBox question(this);
        question.m_message = kDeleteQuestion;
        question.DoModal();
        if (question.m_answer != 1)
            return;
        if (question.m_check)
            SaveConfirmSetting();
    }
    int first = GetItemCount();
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(-1, LVNI_SELECTED)) {
        first = std::min(first, row);
        DeleteItem(row);
    }
    RenumberFrom(first);
    const int count = GetItemCount();
    if (count > 0)
        SelectItem(std::min(first, count - 1), TRUE);
}

void CListCtrlEx::OnKeyUp(UINT key, UINT, UINT)
{
    Default();
    if (key == VK_DELETE)
        DeleteSelected();
}

CString CListCtrlEx::ConfirmSettingPath()
{
    return GetUserDataFolder() + "\\dcm.ini";
}

BOOL CListCtrlEx::LoadConfirmSetting()
{
    CStdioFile file;
    if (!file.Open(ConfirmSettingPath(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return FALSE;
    const int keyLength = static_cast<int>(sizeof kConfirmKey - 1);
    CString line;
    while (file.ReadString(line)) {
        if (line.Left(keyLength) == kConfirmKey)
            return line.Mid(keyLength) == "0";
    }
    return FALSE;
}

void CListCtrlEx::SaveConfirmSetting()
{
    CreateDirectoryPath(GetUserDataFolder());
    CStdioFile file;
    if (!file.Open(ConfirmSettingPath(), CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return;
    try {
        CString line;
        line.Format("%s%d\n", kConfirmKey, 0);
        file.WriteString(line);
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
    }
}
