// CTaskSelDialog: "Select Action" (template 212), the recording page's
// picker of ready-made actions. Add opens the chosen action's settings
// dialog; when that is accepted, its step line is the picker's result and
// the picker closes. Cancelling a settings dialog leaves the picker open.
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

class CTaskSelDialog : public CDialog
{
public:
    enum { IDD = IDD_TASK_SELECT };

    explicit CTaskSelDialog(CWnd* parent);

    // The chosen action's step line; read it after DoModal gave IDOK.
    CString GetActionLine() const { return m_actionLine; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CTreeCtrl m_tree;
    CImageList m_images;
    const CString m_runItemText;
    const CString m_shutdownItemText;
    CString m_actionLine;
};
