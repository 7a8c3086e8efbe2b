// Save: the checks, in the order the user meets them, and the write. The
// macro's file is written first, completely, and only then is the file of
// its old name removed, so that a failed write loses nothing and leaves the
// editor open with the user's input.
#include "app/editor/InputRobotDlg.h"

#include "app/editor/MacroChecks.h"
#include "app/editor/MacroEditorHost.h"
#include "macro/ActionText.h"
#include "macro/Folders.h"

namespace {

const char kNameTaken[] = "Macro name already exists, please choose another one.";
const char kSameKeys[] = "Start Hotkey and End Hotkey can not be same.\nPlease use different key for Start Hotkey and End Hotkey.";

CString MacroFolder()
{
    return GetUserDataFolder() + "\\script";
}

CString MacroFileIn(const CString& folder, const CString& name)
{
    return folder + "\\" + name + ".txt";
}

}  // namespace

void CInputRobotDlg::OnOK()
{
    if (!ValidateInput() || !SaveMacro())
        return;
    if (m_reportToHost && m_host)
        m_host->ApplyEditedMacro();
    EndDialog(IDOK);
}

BOOL CInputRobotDlg::ValidateHotKey(const CString& text)
{
    const CString problem = HotKeyProblem(text);
    if (problem.IsEmpty())
        return TRUE;
    MessageBox(problem, nullptr, MB_OK);
    return FALSE;
}

BOOL CInputRobotDlg::ValidateInput()
{
    m_nameEdit.GetWindowText(m_name);
    const CString nameProblem = MacroNameProblem(m_name);
    if (!nameProblem.IsEmpty()) {
        MessageBox(nameProblem, nullptr, MB_OK);
        GotoDlgCtrl(&m_nameEdit);
        return FALSE;
    }
    // Names that differ only in case name one file; the list of names holds
    // every other macro (all but the edited one in edit mode).
    for (INT_PTR i = 0; i < m_macroNames.GetSize(); ++i) {
        if (m_name.CompareNoCase(m_macroNames[i]) == 0) {
            MessageBox(kNameTaken, nullptr, MB_OK);
            GotoDlgCtrl(&m_nameEdit);
            return FALSE;
        }
    }

    m_startKeyEdit.GetWindowText(m_startKey);
    if (!ValidateHotKey(m_startKey)) {
        GotoDlgCtrl(&m_startKeyEdit);
        return FALSE;
    }
    m_endKeyEdit.GetWindowText(m_endKey);
    if (!ValidateHotKey(m_endKey)) {
        GotoDlgCtrl(&m_endKeyEdit);
        return FALSE;
    }

    if (m_host && !m_host->CheckStartKeyConflict(m_startKey)) {
        GotoDlgCtrl(&m_startKeyEdit);
        return FALSE;
    }
    if (m_host && !m_host->CheckEndKeyConflict(m_endKey)) {
        GotoDlgCtrl(&m_endKeyEdit);
        return FALSE;
    }
    if (m_startKey.CompareNoCase(m_endKey) == 0) {
        MessageBox(kSameKeys, nullptr, MB_OK);
        GotoDlgCtrl(&m_startKeyEdit);
        return FALSE;
    }
    return TRUE;
}

BOOL CInputRobotDlg::SaveMacro()
{
    const CString folder = MacroFolder();
    CString description;
    m_descriptionEdit.GetWindowText(description);
    m_description = SingleLine(description);

    m_robot.Name = m_name;
    m_robot.StartKey = m_startKey;
    m_robot.EndKey = m_endKey;
    m_robot.Description = m_description;
    m_robot.Enable = 1;
    m_robot.RepeatOption = m_repeatOption;
    m_robot.RepeatTimes = ClampRepeatCount(m_repeatCount);
    m_speed = m_speedCombo.GetCurSel() == 1 ? 1 : 0;
    m_robot.OriginalSpeed = m_speed;
    m_robot.UseSimilarWin = IsDlgButtonChecked(IDC_SIMILAR_WINDOWS) == BST_CHECKED ? 1 : 0;
    m_robot.UseHalvane = IsDlgButtonChecked(IDC_HALVANE) == BST_CHECKED ? 1 : 0;
    const int next = m_runAfterCombo.GetCurSel();
    m_robot.TriggerRobot.Empty();
    if (next > 0)
        m_runAfterCombo.GetLBText(next, m_robot.TriggerRobot);

    m_robot.Script.RemoveAll();
    for (int row = 0; row < m_stepList.GetItemCount(); ++row) {
        const CString statement = ActionTextToScript(m_stepList.GetItemText(row, 1));
        if (!statement.IsEmpty())
            m_robot.Script.Add(statement);
    }

    CreateDirectoryPath(folder);
    const CString path = MacroFileIn(folder, m_name);
    if (!m_robot.SaveToFile(folder)) {
        MessageBox("The macro could not be saved as \"" + path +
                       "\".\n\nPlease check that the folder can be written to and that the file is not open "
                       "in another program.",
                   nullptr, MB_OK | MB_ICONERROR);
        return FALSE;
    }

    // A renamed macro: its old file goes, now that the new one is complete.
    if (m_editMode && !m_originalName.IsEmpty() && m_originalName != m_name) {
        const CString oldPath = MacroFileIn(folder, m_originalName);
        if (m_originalName.CompareNoCase(m_name) != 0)
            ::DeleteFileA(oldPath);       // a failure leaves a stray file, not a lost macro
        else
            ::MoveFileA(oldPath, path);   // the same file: only its name's case changes
    }
    return TRUE;
}
