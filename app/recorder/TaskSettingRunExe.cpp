#include "app/recorder/TaskSettingRunExe.h"

#include "controls/FileDialog2.h"

#include <shlobj.h>

#include <vector>

namespace {

// The window states and wait options in their lists' order, with the codes
// the step line carries (the window's show code, the kind of run).
const struct Choice
{
    const char* text;
    const char* code;
} kWindowStates[] = {
    { "Normal", "1" },      // SW_SHOWNORMAL
    { "Minimized", "2" },   // SW_SHOWMINIMIZED
    { "Maximized", "3" },   // SW_SHOWMAXIMIZED
    { "Hidden", "0" },      // SW_HIDE
}, kWaitOptions[] = {
    { "Don't wait", "0" },
    { "Wait until the program is ready", "1" },
    { "Wait until the program exits", "2" },
};

template <size_t Count>
void FillChoices(CComboBox& combo, const Choice (&choices)[Count])
{
    for (const Choice& choice : choices)
        combo.AddString(choice.text);
    combo.SetCurSel(0);
}

template <size_t Count>
const char* ChosenCode(const CComboBox& combo, const Choice (&choices)[Count])
{
    const int index = combo.GetCurSel();
    return choices[index >= 0 && index < static_cast<int>(Count) ? index : 0].code;
}

const char kProgramFilter[] = "Executable File (*.exe)|*.exe|All Files (*.*)|*.*||";
const DWORD kFileNameBufferSize = 32000;   // characters
const char kFolderBrowserTitle[] = "Select the working directory of the program";

CString WindowText(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTaskSettingRunExe, CDialog)
    ON_BN_CLICKED(IDC_BROWSE_PROGRAM, OnBrowseProgram)
    ON_BN_CLICKED(IDC_BROWSE_FOLDER, OnBrowseFolder)
END_MESSAGE_MAP()

void CTaskSettingRunExe::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_RUN_FOLDER, m_folderEdit);
    DDX_Control(dx, IDC_RUN_WAIT, m_waitCombo);
    DDX_Control(dx, IDC_RUN_WINDOW, m_windowCombo);
    DDX_Control(dx, IDC_RUN_PARAMETERS, m_parametersEdit);
    DDX_Control(dx, IDC_RUN_PROGRAM, m_programEdit);
}

BOOL CTaskSettingRunExe::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillChoices(m_windowCombo, kWindowStates);
    FillChoices(m_waitCombo, kWaitOptions);
    return TRUE;
}

void CTaskSettingRunExe::OnBrowseProgram()
{
    CFileDialog2 dialog(TRUE, "exe", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, kProgramFilter, this);
    std::vector<char> fileName(kFileNameBufferSize, '\0');
    dialog.m_ofn.lpstrFile = fileName.data();
    dialog.m_ofn.nMaxFile = kFileNameBufferSize;
    if (dialog.DoModal() == IDOK)
        m_programEdit.SetWindowText(dialog.GetPathName());
}

void CTaskSettingRunExe::OnBrowseFolder()
{
    const HCURSOR previousCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    // The browser's new style needs OLE on this thread.
    const bool oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = kFolderBrowserTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST item = ::SHBrowseForFolderA(&browse);
    ::SetCursor(previousCursor);
    if (item) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(item, path) && path[0])
            m_folderEdit.SetWindowText(path);
        ::CoTaskMemFree(item);
    }
    if (oleStarted)
        ::OleUninitialize();
}

void CTaskSettingRunExe::OnOK()
{
    const CString program = WindowText(m_programEdit);
    if (program.IsEmpty()) {
        MessageBox("Please input program or document to open.", nullptr, MB_OK);
        GotoDlgCtrl(&m_programEdit);
        return;
    }
    CString line = "Run '" + program + "'";
    const CString parameters = WindowText(m_parametersEdit);
    if (!parameters.IsEmpty())
        line += " " + parameters;
    line += "|" + WindowText(m_folderEdit) + "|";
    line += ChosenCode(m_windowCombo, kWindowStates);
    line += "|";
    line += ChosenCode(m_waitCombo, kWaitOptions);
    m_actionLine = line;
    CDialog::OnOK();
}
