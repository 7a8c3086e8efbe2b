// CInputOtherDlg: the other-steps editor, a pane body of the macro editor
// (template 148): waits ("Wait 500 milliseconds"), typed text, tags and the
// jumps to them, and the starts and ends of loops. The tags inserted while
// the editor is open are offered in the switch-to-tag box; loops are
// numbered from 1 for each opening of the editor.
#pragma once

#include "controls/NumEdit.h"
#include "controls/NumSpinCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CInputRobotDlg;

class CInputOtherDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_OTHER };

    explicit CInputOtherDlg(CInputRobotDlg* editor) : m_editor(editor) {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter and Escape inside a pane close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnAddWait();
    afx_msg void OnAddInputText();
    afx_msg void OnAddTag();
    afx_msg void OnAddSwitchToTag();
    afx_msg void OnAddStartLoop();
    afx_msg void OnAddEndLoop();

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_inputTextEdit;
    CEdit m_tagEdit;
    CComboBox m_switchTagCombo;
    CComboBox m_unitCombo;
    CNumSpinCtrl m_waitSpin;
    CNumEdit m_waitEdit;
    CNumSpinCtrl m_loopSpin;
    CNumEdit m_loopCountEdit;
    int m_loopCounter = 0;   // the number of the last loop started
    CInputRobotDlg* m_editor;
};
