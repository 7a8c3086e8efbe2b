#include "app/OptionsDlg.h"

#include "app/MacroFolder.h"
#include "app/PandrelDlg.h"

#include <ole2.h>
#include <shlobj.h>
#include <shlwapi.h>

namespace {

const char kFolderDialogTitle[] = "Select a folder to store your robots";
const char kExportQuestionTail[] = "\" already exists in output folder. "
                                   "Do you wish to overwrite existing robot in output folder?";
const char kImportQuestionTail[] = "\" already exists. Do you wish to overwrite existing robot?";
const char kExportFailed[] = "These robots could not be exported:";
const char kImportFailed[] = "These robots could not be imported:";
const char kFailureHint[] = "The files may be read-only or in use, or the disk may be full.";

// The wait cursor for the length of a command; the one before comes back.
class WaitCursor
{
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_previous); }

private:
    HCURSOR m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_EXPORT_MACROS, OnExportMacros)
    ON_BN_CLICKED(IDC_IMPORT_MACROS, OnImportMacros)
    ON_BN_CLICKED(IDC_START_ADVANCED_INPUT, OnStartAdvancedInput)
END_MESSAGE_MAP()

COptionsDlg::COptionsDlg(CPandrelDlg* parent) : CDialog(IDD, parent), m_pParent(parent)
{
}

void COptionsDlg::OnExportMacros()
{
    WaitCursor wait;
    CString folder = ChooseFolder();
    if (folder.IsEmpty())
        return;
    if (folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);

    std::vector<Copy> copies;
    PlanCopies(GetScriptFolder() + "\\", "*.txt", folder + "\\", ".robo", copies);
    int copied = 0;
    CStringArray failed;
    RunCopies(copies, kExportQuestionTail, copied, failed);
    ReportFailures(kExportFailed, failed);
}

void COptionsDlg::OnImportMacros()
{
    WaitCursor wait;
    CString folder = ChooseFolder();
    if (folder.IsEmpty())
        return;
    if (folder.Right(1) != "\\")
        folder += "\\";

    std::vector<Copy> copies;
    PlanCopies(folder, "*.robo", GetScriptFolder() + "\\", ".txt", copies);
    int copied = 0;
    CStringArray failed;
    const BOOL finished = RunCopies(copies, kImportQuestionTail, copied, failed);
    ReportFailures(kImportFailed, failed);
    // A cancelled import leaves its copies for the next reload.
    if (finished && copied > 0 && m_pParent)
        m_pParent->LoadMacroList();
}

void COptionsDlg::OnStartAdvancedInput()
{
    OnOK();
    // The main window's Add, once this dialog has gone.
    if (m_pParent && m_pParent->m_hWnd)
        m_pParent->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(m_pParent->m_hWnd, IDC_ADD)));
}

CString COptionsDlg::ChooseFolder()
{
    CString folder;
    IMalloc* shellMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&shellMalloc)) || !shellMalloc)
        return folder;
    // The dialog's new style needs OLE on this thread.
    ::OleInitialize(nullptr);
    BROWSEINFOA browse = {};
    browse.hwndOwner = m_hWnd;
    browse.lpszTitle = kFolderDialogTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST item = ::SHBrowseForFolderA(&browse);
    if (item) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(item, path))
            folder = path;
        shellMalloc->Free(item);
    }
    shellMalloc->Release();
    return folder;
}

int COptionsDlg::AskOverwrite(const CString& question)
{
    return MessageBox(question, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
}

void COptionsDlg::PlanCopies(const CString& folder, LPCSTR pattern, const CString& targetFolder,
                             LPCSTR targetExtension, std::vector<Copy>& copies)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(folder + pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString fileName = found.cFileName;
        if (fileName == "." || fileName == ".." || IsFolder(folder + fileName))
            continue;
        char baseName[MAX_PATH] = {};
        lstrcpynA(baseName, fileName, MAX_PATH);
        ::PathRemoveExtensionA(baseName);   // only the last extension: "a.b.txt" is "a.b"
        Copy copy;
        copy.source = folder + fileName;
        copy.target = targetFolder + baseName + targetExtension;
        copy.name = baseName;
        copies.push_back(copy);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

BOOL COptionsDlg::RunCopies(const std::vector<Copy>& copies, LPCSTR questionTail, int& copied, CStringArray& failed)
{
    for (const Copy& copy : copies) {
        if (ProbeFile(copy.target) != CFileException::fileNotFound) {
            const CString question = "Brenvik Kestrune robot \"" + copy.name + questionTail;
            const int answer = AskOverwrite(question);
            if (answer == IDCANCEL)
                return FALSE;
            if (answer != IDYES)
                continue;
        }
        if (::CopyFileA(copy.source, copy.target, FALSE))
            ++copied;
        else
            failed.Add(copy.target);
    }
    return TRUE;
}

void COptionsDlg::ReportFailures(LPCSTR heading, const CStringArray& failed)
{
    if (failed.GetSize() == 0)
        return;
    CString text = heading;
    text += "\n\n";
    for (INT_PTR i = 0; i < failed.GetSize(); ++i)
        text += failed[i] + "\n";
    text += "\n";
    text += kFailureHint;
    MessageBox(text, nullptr, MB_OK | MB_ICONWARNING);
}

int COptionsDlg::ProbeFile(const CString& path)
{
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeWrite, &error))
        return error.m_cause;
    file.Close();
    return 0;
}

BOOL COptionsDlg::IsFolder(const CString& path)
{
    CString pattern = path;
    if (pattern.Right(1) != "\\")
        pattern += "\\";
    pattern += "*.*";
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    // A folder lists "." first and ".." next; the first entry read after
    // the first one that is a folder answers.
    BOOL folder = FALSE;
    while (!folder && ::FindNextFileA(search, &found))
        folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::FindClose(search);
    return folder;
}
