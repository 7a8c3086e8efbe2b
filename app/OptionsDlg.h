// COptionsDlg: the Options command's dialog. Export copies every macro file
// of the script folder into a folder the user picks, as "<name>.robo" with
// the same bytes; Import copies the ".robo" files of a folder back as macro
// files and reloads the main window's list. Start closes the dialog and
// adds a macro.
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

#include <vector>

class CPandrelDlg;

class COptionsDlg : public CDialog
{
public:
    enum { IDD = IDD_OPTIONS };

    explicit COptionsDlg(CPandrelDlg* parent);

    // 0 when the file can be opened for writing; otherwise why not, as a
    // CFileException cause: CFileException::fileNotFound when it does not exist.
    static int ProbeFile(const CString& path);
    // TRUE when the path names a folder.
    static BOOL IsFolder(const CString& path);

protected:
    afx_msg void OnExportMacros();
    afx_msg void OnImportMacros();
    afx_msg void OnStartAdvancedInput();

    // The folder the user picks in the shell's folder dialog; empty when
    // none is picked.
    virtual CString ChooseFolder();
    // The overwrite question: IDYES, IDNO or IDCANCEL.
    virtual int AskOverwrite(const CString& question);

    DECLARE_MESSAGE_MAP()

private:
    // One file to copy: from, to, and the name the questions give it.
    struct Copy
    {
        CString source;
        CString target;
        CString name;
    };

    // The files of `folder` (ending in a backslash) that match `pattern`,
    // each to go into `targetFolder` (ending in a backslash) with
    // `targetExtension` in place of its own.
    static void PlanCopies(const CString& folder, LPCSTR pattern, const CString& targetFolder,
                           LPCSTR targetExtension, std::vector<Copy>& copies);
    // Copies them, asking before each one that would replace a file; stops
    // at a Cancel (FALSE). `copied` counts the files copied, `failed` lists
    // the target files that could not be written.
    BOOL RunCopies(const std::vector<Copy>& copies, LPCSTR questionTail, int& copied, CStringArray& failed);
    void ReportFailures(LPCSTR heading, const CStringArray& failed);

    CPandrelDlg* m_pParent;
};
