// The commands that open the macro editor: Add, Record and Edit, and the
// editor that Ctrl+Alt+R opens to record a new macro. While an editor is
// open the main window is minimised and holds no macro keys (only
// Ctrl+Alt+S acts); the editor writes the macro file itself and the window
// lists what it saved.
#include "app/PandrelDlg.h"

#include "app/MacroFolder.h"
#include "app/editor/InputRobotDlg.h"

void CPandrelDlg::CollectMacroNames(CStringArray& names, int skip) const
{
    for (int i = 0; i < GetMacroCount(); ++i)
        if (i != skip)
            names.Add(m_macros[i].Name);
}

void CPandrelDlg::AddEditedMacro(const CInputRobotDlg& editor)
{
    const int row = AddMacroRow(editor.GetRobot(), MacroFilePath(editor.GetMacroName()));
    if (row >= 0)
        SetItemChecked(row, TRUE);
}

void CPandrelDlg::FinishEditing()
{
    RegisterAllHotKeys(FALSE);
    m_editing = FALSE;
    ShowWindow(SW_RESTORE);
}

void CPandrelDlg::AddMacroWithEditor(BOOL record)
{
    m_editing = TRUE;
    UnregisterAllHotKeys(FALSE);
    CStringArray names;
    CollectMacroNames(names);
    CInputRobotDlg editor(this, this);
    editor.SetMacroNames(names);
    if (record)
        editor.SetRecordOnOpen();
    ShowWindow(SW_SHOWMINIMIZED);
    if (editor.DoModal() == IDOK)
        AddEditedMacro(editor);
    FinishEditing();
}

void CPandrelDlg::OnAddMacro()
{
    AddMacroWithEditor(FALSE);
}

void CPandrelDlg::OnRecordMacro()
{
    AddMacroWithEditor(TRUE);
}

void CPandrelDlg::OnEditMacro()
{
    const int row = GetSelectedRow();
    if (row < 0) {
        MessageBox("No macro selected! Please select a macro from list above to edit.", nullptr, MB_OK);
        return;
    }
    m_editing = TRUE;
    ShowWindow(SW_SHOWMINIMIZED);
    UnregisterAllHotKeys(FALSE);
    m_indexUnderEdit = row;
    if (row < GetMacroCount() && !m_macros[row].Name.IsEmpty()) {
        CRobot robot;
        robot.LoadFromFile(m_rows[static_cast<size_t>(row)].path);
        CStringArray names;
        CollectMacroNames(names, row);
        CInputRobotDlg editor(this, this);
        editor.SetMacroNames(names);
        editor.SetEditRobot(robot);
        if (editor.DoModal() == IDOK) {
            m_macroList.SetItemText(row, 1, editor.GetMacroName());
            m_macroList.SetItemText(row, 2, editor.GetStartKey());
            m_macroList.SetItemText(row, 3, editor.GetEndKey());
            m_macroList.SetItemText(row, 4, editor.GetDescription());
            m_macros[row] = editor.GetRobot();
            m_rows[static_cast<size_t>(row)].path = MacroFilePath(editor.GetMacroName());
            SetItemChecked(row, TRUE);
        }
    }
    FinishEditing();
    m_indexUnderEdit = -1;
}

void CPandrelDlg::StartRecording()
{
    m_editing = TRUE;
    UnregisterAllHotKeys(FALSE);
    CStringArray names;
    CollectMacroNames(names);
    m_recordingEditor.reset(new CInputRobotDlg(this, this));
    m_recordingEditor->SetMacroNames(names);
    m_recordingEditor->SetReportToHost();
    SetTimer(IDT_START_RECORDING, 30);
    m_recordingResult = m_recordingEditor->DoModal();
}

// Ctrl+Alt+S before the recording has started does nothing, and a later
// one still stops it.
void CPandrelDlg::StopRecording()
{
    if (!m_recordingEditor || !m_recordingEditor->m_hWnd)
        return;
    m_stopRecordingMark = m_recordingEditor->StopHotKeyRecording();
}

void CPandrelDlg::ApplyEditedMacro()
{
    if (m_recordingEditor)
        AddEditedMacro(*m_recordingEditor);
    FinishEditing();
    m_stopRecordingMark = FALSE;
}

void CPandrelDlg::EndEditing()
{
    FinishEditing();
    m_stopRecordingMark = FALSE;
}
