#include "app/PandrelAboutDlg.h"

#include "app/ProgramInfo.h"

#include <shellapi.h>

namespace {

const COLORREF kBackgroundColour = 0xD3D3B5;
const COLORREF kLinkColour = 0xFF0005;

}  // namespace

BEGIN_MESSAGE_MAP(CPandrelAboutDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_NOTIFY(NM_LABELCLICK, IDC_ABOUT_SUPPORT_MAIL, OnSupportMail)
    ON_NOTIFY(NM_LABELCLICK, IDC_ABOUT_SALES_MAIL, OnSalesMail)
    ON_NOTIFY(NM_LABELCLICK, IDC_ABOUT_WEBSITE, OnWebSite)
END_MESSAGE_MAP()

CPandrelAboutDlg::CPandrelAboutDlg(CWnd* parent) : CDialog(IDD, parent)
{
}

void CPandrelAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ABOUT_TITLE, m_title);
    DDX_Control(dx, IDC_ABOUT_VERSION, m_version);
    DDX_Control(dx, IDC_ABOUT_SUPPORT_MAIL, m_supportMail);
    DDX_Control(dx, IDC_ABOUT_SALES_MAIL, m_salesMail);
    DDX_Control(dx, IDC_ABOUT_WEBSITE, m_webSite);
}

BOOL CPandrelAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_background.CreateSolidBrush(kBackgroundColour);

    m_title.SetTransparent(TRUE).SetFontName("Tahoma").SetFontSize(14).SetTextColor(0);
    m_version.SetTransparent(TRUE).SetText(CString("Version ") + g_strVersion);

    // Each link shows the address it opens.
    const struct
    {
        CLabel* label;
        const char* address;
    } links[] = {
        { &m_webSite, kWebSiteAddress },
        { &m_supportMail, kSupportMailAddress },
        { &m_salesMail, kSalesMailAddress },
    };
    HCURSOR hand = AfxGetApp()->LoadCursor(IDC_LINK_HAND);
    for (const auto& link : links) {
        link.label->SetTransparent(TRUE)
            .SetFontName("Tahoma")
            .SetFontSize(10)
            .SetTextColor(kLinkColour)
            .SetFontUnderline(TRUE)
            .SetLink(TRUE, TRUE)
            .SetLinkCursor(hand);
        link.label->SetText(link.address);
    }
    return TRUE;
}

HBRUSH CPandrelAboutDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (ctlColor == CTLCOLOR_DLG)
        return static_cast<HBRUSH>(m_background.GetSafeHandle());
    if (ctlColor == CTLCOLOR_STATIC || ctlColor == CTLCOLOR_BTN) {
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_background.GetSafeHandle());
    }
    return CDialog::OnCtlColor(dc, wnd, ctlColor);
}

BOOL CPandrelAboutDlg::OpenAddress(const CString& address)
{
    HINSTANCE started = ::ShellExecuteA(::GetDesktopWindow(), "open", address, nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(started) > 32;
}

void CPandrelAboutDlg::OpenMail(const char* address)
{
    if (!OpenAddress(CString("mailto:") + address))
        MessageBox("We are unable to locate your default e-mail program.", nullptr, MB_OK);
}

void CPandrelAboutDlg::OnSupportMail(NMHDR*, LRESULT* result)
{
    *result = 0;
    OpenMail(kSupportMailAddress);
}

void CPandrelAboutDlg::OnSalesMail(NMHDR*, LRESULT* result)
{
    *result = 0;
    OpenMail(kSalesMailAddress);
}

void CPandrelAboutDlg::OnWebSite(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (!OpenAddress(kWebSiteAddress))
        MessageBox("We are unable to locate your default browser.", nullptr, MB_OK);
}
