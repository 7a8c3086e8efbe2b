// CInputMouseDlg: the mouse-step editor, a pane body of the macro editor
// (template 146): clicks, absolute moves and relative moves. It shows where
// the cursor is, and Ctrl+Alt+P (held while the pane exists) copies that
// point into the move's X and Y. "Measure relative distance" opens the path
// measurer for a relative move.
#pragma once

#include "controls/Label.h"
#include "controls/NumEdit.h"
#include "controls/NumSpinCtrl.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CInputRobotDlg;

class CInputMouseDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_MOUSE };
    enum { IDT_CURSOR = 1 };

    explicit CInputMouseDlg(CInputRobotDlg* editor) : m_editor(editor) {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnHotKey(UINT identifier, UINT modifiers, UINT virtualKey);
    afx_msg void OnDestroy();
    afx_msg void OnInsertClick();
    afx_msg void OnInsertMove();
    afx_msg void OnInsertRelativeMove();
    afx_msg void OnHelpLink(NMHDR* header, LRESULT* result);
    afx_msg void OnMeasureLink(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void StartCursorTimer();

    CEdit m_yEdit;
    CEdit m_xEdit;
    CEdit m_cyEdit;
    CEdit m_cxEdit;
    CComboBox m_kindCombo;
    CNumSpinCtrl m_countSpin;
    CNumEdit m_countEdit;
    CLabel m_helpLink;
    CLabel m_measureLink;
    CString m_cursorX;   // the cursor at the latest timer tick
    CString m_cursorY;
    UINT_PTR m_timer = 0;
    CInputRobotDlg* m_editor;
};
