// CInputKeyDlg: the key-step editor, a pane body of the macro editor
// (template 147). The user presses a key into the key box, picks a press
// kind and a count, and inserts "Key Press <F5>, 4 times".
#pragma once

#include "controls/KeyEditCtrl.h"
#include "controls/NumEdit.h"
#include "controls/NumSpinCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CInputRobotDlg;

class CInputKeyDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_KEY };

    explicit CInputKeyDlg(CInputRobotDlg* editor) : m_editor(editor) {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter and Escape inside a pane close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnInsert();

    DECLARE_MESSAGE_MAP()

private:
    CKeyEditCtrl m_keyBox;
    CComboBox m_kindCombo;
    CNumSpinCtrl m_countSpin;
    CNumEdit m_countEdit;
    CInputRobotDlg* m_editor;
};
