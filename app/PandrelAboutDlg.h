// CPandrelAboutDlg: the About box of the tray menu. It shows the program's
// name and version and the maker's support, sales and web addresses as
// links that start a new e-mail message or open the web site.
#pragma once

#include "controls/Label.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CPandrelAboutDlg : public CDialog
{
public:
    enum { IDD = IDD_ABOUTBOX };

    explicit CPandrelAboutDlg(CWnd* parent = nullptr);

    // Opens an address with the shell; FALSE when nothing could open it.
    // Replaceable, so that the links can be shown without starting programs.
    virtual BOOL OpenAddress(const CString& address);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnSupportMail(NMHDR* header, LRESULT* result);
    afx_msg void OnSalesMail(NMHDR* header, LRESULT* result);
    afx_msg void OnWebSite(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void OpenMail(const char* address);

    CLabel m_title;
    CLabel m_version;
    CLabel m_supportMail;
    CLabel m_salesMail;
    CLabel m_webSite;
    CBrush m_background;
};
