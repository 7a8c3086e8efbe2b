// CInputAdvanceDlg: the colour-condition editor, a pane body of the macro
// editor (template 198). It inserts three lines that stand together:
// "If color at (120, 45) Equal to #FF0000, Then", "Else" and "EndIf",
// testing the point under the mouse or a fixed point against a colour of
// its colour box. The colour comes from the presets or from the colour
// picker; Ctrl+Alt+C (held while the pane exists) copies the cursor's point
// into X and Y.
#pragma once

#include "controls/ColorCombo.h"
#include "controls/Label.h"
#include "framework/Ui.h"
#include "res/resource.h"

class CInputRobotDlg;

class CInputAdvanceDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_ADVANCE };
    enum { IDT_CURSOR = 1 };

    explicit CInputAdvanceDlg(CInputRobotDlg* editor) : m_editor(editor) {}

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter and Escape inside a pane close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnPointKindClicked();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnHotKey(UINT identifier, UINT modifiers, UINT virtualKey);
    afx_msg void OnDestroy();
    afx_msg void OnGetColor(NMHDR* header, LRESULT* result);
    afx_msg void OnHelpLink(NMHDR* header, LRESULT* result);
    afx_msg void OnAddColorCondition();

    DECLARE_MESSAGE_MAP()

private:
    void StartCursorTimer();
    // Puts the colour at the top of the colour box, named by its red, green
    // and blue ("FF0000").
    void InsertColor(COLORREF colour);
    // The point's X and Y are edited only for a fixed point.
    void EnablePointEdits();

    CComboBox m_compareCombo;
    CColorCombo m_colorCombo;
    CEdit m_yEdit;
    CEdit m_xEdit;
    CString m_cursorX;   // "X : 120", shown under "Current mouse pointer"
    CString m_cursorY;
    CLabel m_getColorLink;
    CLabel m_helpLink;
    UINT_PTR m_timer = 0;
    CInputRobotDlg* m_editor;
};
