// CRobotUploadDlg: the Share Macro command's dialog. It writes the share
// page for one macro file and shows it, maximised, in an HTML view; the
// user checks the form and sends it from the page.
#pragma once

#include "controls/HtmlCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CRobotUploadDlg : public CDialog
{
public:
    enum { IDD = IDD_ROBOT_UPLOAD };

    explicit CRobotUploadDlg(CWnd* parent = nullptr);

    // The macro file the page is made from.
    void SetMacroPath(const CString& path) { m_macroPath = path; }

    // Writes the page as `fileName` in the share folder; FALSE when no macro
    // is set or the page cannot be written.
    BOOL WriteUploadPage(const CString& fileName);
    BOOL WritePageFile(const CString& fileName, const CString& text);
    // Shows the page of that name from the share folder.
    void ShowPage(const CString& fileName);

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    // The Close button at the bottom right, the view over the rest.
    void PlaceControls();

    CButton m_close;
    CHtmlCtrl m_view;
    BOOL m_viewCreated = FALSE;
    CString m_macroPath;
};
