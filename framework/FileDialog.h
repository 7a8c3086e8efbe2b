// CFileDialog: the common dialog that asks for a file to open or save.
//
//   CFileDialog dlg(TRUE, "exe", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
//                   "Programs (*.exe)|*.exe|All files (*.*)|*.*||", this);
//   if (dlg.DoModal() == IDOK)
//       path = dlg.GetPathName();
//
// The filter separates its texts and patterns with "|"; m_ofn is the
// record the dialog runs with, open to change before DoModal (a larger
// lpstrFile buffer for several files, say).
#pragma once

#include "framework/Dialog.h"

#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog
{
public:
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExt = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr, CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal() override;

    CString GetPathName() const { return m_ofn.lpstrFile; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[MAX_PATH] = {};
    std::vector<char> m_filter;   // the filter's texts, each ended by a zero
    CString m_defaultExt;
};
