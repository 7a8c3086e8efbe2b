// CInputRobotDlg: the macro editor, a modal dialog (template 155) in which
// the user creates, records or edits one macro: its properties (name,
// description, start and end keys, repeat option, speed, window binding,
// the macro to run next) and its steps, a list of step lines. Its left side
// is a column of collapsible panes holding the step editors, which add
// their lines through AddStepLine. Save checks the input, turns the step
// lines into script statements and writes the macro file.
//
// The main window opens it in one of four modes, set before DoModal: Add
// (nothing set), Record (SetRecordOnOpen), Record by Ctrl+Alt+R
// (SetReportToHost: the host takes the result from inside OnOK and
// OnCancel) and Edit (SetEditRobot).
//
// InputRobotDlg.cpp holds the dialog and its steps, InputRobotDlgSave.cpp
// the checks and the save.
#pragma once

#include "app/editor/ListCtrlEx.h"
#include "controls/KeyEditCtrl.h"
#include "framework/Ui.h"
#include "macro/Robot.h"
#include "res/resource.h"

class CExplorerPane;
class CItemPane;
class CInputKeyDlg;
class CInputMouseDlg;
class CInputOtherDlg;
class CInputAdvanceDlg;
class CInputRecordDlg;
class CMacroEditorHost;

class CInputRobotDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_ROBOT };
    enum { IDT_RECORD_ON_OPEN = 1030 };

    explicit CInputRobotDlg(CWnd* parent = nullptr, CMacroEditorHost* host = nullptr);
    ~CInputRobotDlg() override;

    // Set up before DoModal
    // The names of the other macros: offered as the macro to run next, and
    // refused as this macro's name.
    void SetMacroNames(const CStringArray& names);
    void SetRecordOnOpen() { m_recordOnOpen = 1; }
    void SetReportToHost() { m_reportToHost = 1; }
    void SetEditRobot(const CRobot& robot);

    // Read after IDOK
    CRobot GetRobot() const { return m_robot; }
    CString GetMacroName() const { return m_name; }
    CString GetStartKey() const { return m_startKey; }
    CString GetEndKey() const { return m_endKey; }
    CString GetDescription() const { return m_description; }

    // The Ctrl+Alt+R recording, through the recording page. Stopping is
    // FALSE, doing nothing, before the recording has started.
    void StartHotKeyRecording();
    BOOL StopHotKeyRecording();

    // Called by the step editors and the recording page
    // Inserts a step line above the selected row (which stays selected),
    // or appends it when no row is selected.
    void AddStepLine(const CString& line);
    void ClearSteps();
    void AddRecordedWindow(const HalvaneInfo& info) { m_robot.AddHalvaneInfo(info); }
    void ClearRecordedWindows() { m_robot.HalvaneInfos.clear(); }
    void SetHalvaneEnabled(BOOL on);

    CListCtrlEx& GetStepList() { return m_stepList; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Save: every check first; the dialog stays open after any refusal and
    // after a failed write.
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnRepeatOptions();
    afx_msg void OnHalvaneClicked();
    afx_msg void OnMoveUp() { m_stepList.MoveSelectedUp(); }
    afx_msg void OnMoveDown() { m_stepList.MoveSelectedDown(); }
    afx_msg void OnDeleteSteps() { m_stepList.DeleteSelected(); }
    afx_msg void OnNameChanged() { KeepOneLine(m_nameEdit); }
    afx_msg void OnDescriptionChanged() { KeepOneLine(m_descriptionEdit); }

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePanes();
    void DestroyPanes();
    void InitStepList();
    void LoadForEdit();
    void ShowRepeatText();
    // A pasted line break would split the macro file's line.
    static void KeepOneLine(CEdit& edit);

    // The checks of Save, in order; FALSE after the user was told.
    BOOL ValidateInput();
    BOOL ValidateHotKey(const CString& text);
    // Fills the macro from the controls and writes its file; FALSE after
    // telling the user that it could not be written.
    BOOL SaveMacro();

    CComboBox m_runAfterCombo;
    CEdit m_repeatText;
    CEdit m_descriptionEdit;
    CEdit m_nameEdit;
    CKeyEditCtrl m_endKeyEdit;
    CKeyEditCtrl m_startKeyEdit;
    CListCtrlEx m_stepList;
    CComboBox m_speedCombo;

    CExplorerPane* m_column = nullptr;
    CInputKeyDlg* m_keyPage = nullptr;
    CInputMouseDlg* m_mousePage = nullptr;
    CInputOtherDlg* m_otherPage = nullptr;
    CInputAdvanceDlg* m_colorPage = nullptr;
    CInputRecordDlg* m_recordPage = nullptr;
    CItemPane* m_keyPane = nullptr;
    CItemPane* m_mousePane = nullptr;
    CItemPane* m_otherPane = nullptr;
    CItemPane* m_colorPane = nullptr;
    CItemPane* m_recordPane = nullptr;

    CString m_name;
    CString m_startKey;
    CString m_endKey;
    CString m_description;
    int m_repeatOption = 0;   // 0: a number of times; 1: until the end key
    int m_repeatCount = 1;
    CRobot m_robot;
    CString m_originalName;   // the edited macro's name when the editor opened
    CStringArray m_macroNames;
    int m_speed = 0;
    int m_useHalvane = 0;
    int m_useSimilarWin = 0;

    CMacroEditorHost* m_host;
    int m_reportToHost = 0;
    int m_recordOnOpen = 0;
    int m_editMode = 0;
};
