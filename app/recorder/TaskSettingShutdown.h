// CTaskSettingShutdown: "Shut Down/Log Off" (template 219), the settings of
// a shut-down step: which of four ways to end the session. OK builds the
// step line ("Power off computer", say).
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

class CTaskSettingShutdown : public CDialog
{
public:
    enum { IDD = IDD_TASK_SHUTDOWN };

    explicit CTaskSettingShutdown(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    // The step line; read it after DoModal gave IDOK.
    CString GetActionLine() const { return m_actionLine; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CString m_actionLine;
};
