#include "app/RobotUploadDlg.h"

#include "app/SharePage.h"

BEGIN_MESSAGE_MAP(CRobotUploadDlg, CDialog)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CRobotUploadDlg::CRobotUploadDlg(CWnd* parent) : CDialog(IDD, parent)
{
}

BOOL CRobotUploadDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShowWindow(SW_SHOWMAXIMIZED);
    m_close.Attach(::GetDlgItem(m_hWnd, IDOK));
    m_viewCreated = m_view.CreateFromStatic(IDC_UPLOAD_VIEW, this) != 0;
    PlaceControls();

    if (WriteUploadPage(g_strShareFileName))
        ShowPage(g_strShareFileName);
    else if (!m_macroPath.IsEmpty())
        MessageBox("The share page could not be written:\n" + GetSharePagePath(g_strShareFileName), nullptr,
                   MB_OK | MB_ICONERROR);
    return TRUE;
}

void CRobotUploadDlg::OnSize(UINT type, int cx, int cy)
{
    Default();
    PlaceControls();
}

void CRobotUploadDlg::PlaceControls()
{
    CRect window;
    GetWindowRect(&window);
    if (m_close.m_hWnd)
        m_close.SetWindowPos(nullptr, window.Width() - 100, window.Height() - 60, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_viewCreated && m_view.m_hWnd)
        m_view.SetWindowPos(nullptr, 30, 30, window.Width() - 60, window.Height() - 100,
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CRobotUploadDlg::WriteUploadPage(const CString& fileName)
{
    return WriteSharePage(m_macroPath, fileName);
}

BOOL CRobotUploadDlg::WritePageFile(const CString& fileName, const CString& text)
{
    return WriteSharePageFile(fileName, text);
}

void CRobotUploadDlg::ShowPage(const CString& fileName)
{
    if (m_viewCreated)
        m_view.Navigate2(GetSharePagePath(fileName), 0, nullptr, nullptr, nullptr, 0);
}
