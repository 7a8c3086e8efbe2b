#include "framework/FileDialog.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExt, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd* parent)
    : m_ofn(), m_bOpenFileDialog(openFileDialog)
{
    m_pParentWnd = parent;
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    if (fileName)
        lstrcpynA(m_szFileName, fileName, sizeof m_szFileName);
    if (defaultExt) {
        m_defaultExt = defaultExt;
        m_ofn.lpstrDefExt = m_defaultExt;
    }
    if (filter) {
        for (const char* c = filter; *c; ++c)
            m_filter.push_back(*c == '|' ? '\0' : *c);
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = ModalOwner();
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const
{
    const char* path = m_ofn.lpstrFile;
    return m_ofn.nFileOffset < lstrlenA(path) ? CString(path + m_ofn.nFileOffset) : CString();
}

CString CFileDialog::GetFileExt() const
{
    const char* path = m_ofn.lpstrFile;
    return m_ofn.nFileExtension && m_ofn.nFileExtension < lstrlenA(path) ? CString(path + m_ofn.nFileExtension)
                                                                         : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}
