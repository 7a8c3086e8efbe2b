// CTaskSettingRunExe: "Run program/open document" (template 215), the
// settings of a run step: the program or document, its parameters, the
// working directory, the window state and what to wait for. OK builds the
// step line "Run '<program>' <parameters>|<folder>|<show code>|<wait code>".
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

class CTaskSettingRunExe : public CDialog
{
public:
    enum { IDD = IDD_TASK_RUN_EXE };

    explicit CTaskSettingRunExe(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    // The step line; read it after DoModal gave IDOK.
    CString GetActionLine() const { return m_actionLine; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnBrowseProgram();
    afx_msg void OnBrowseFolder();

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_folderEdit;
    CComboBox m_waitCombo;
    CComboBox m_windowCombo;
    CEdit m_parametersEdit;
    CEdit m_programEdit;
    CString m_actionLine;
};
