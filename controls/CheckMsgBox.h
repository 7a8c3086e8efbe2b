// CCheckMsgBox: a Yes/No question with a "Do not show this again" check
// box. The caller sets m_message, runs DoModal and reads m_answer (1 Yes,
// 0 No, also for Escape and the close box) and m_check (the box ticked).
#pragma once

#include "framework/Ui.h"
#include "res/ControlsResource.h"

class CCheckMsgBox : public CDialog
{
public:
    explicit CCheckMsgBox(CWnd* parent = nullptr);

    CStatic m_messageText;
    CButton m_dontShowAgain;
    CString m_message;
    int m_check = 0;
    int m_answer = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnYes();
    afx_msg void OnNo();

    DECLARE_MESSAGE_MAP()
};
