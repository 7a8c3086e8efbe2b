// CInputRecordDlg: the recording page, a pane body of the macro editor
// (template 158). Its "Start Record" runs a visible recording, and its
// "Select Action" adds a step made in the action picker; the editor
// runs a hidden one through it for Ctrl+Alt+R (StartRecorder) and ends it
// for Ctrl+Alt+S (CollectRecording). A recording's lines go into the
// editor's steps between two comment lines, and its window records join
// the editor's, numbered as the lines' " At Win [n]" count them.
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

#include <memory>

class CInputRobotDlg;
class CRecordRobotDlg;

class CInputRecordDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_RECORD };
    enum { IDT_RECORD_START = 1029 };

    explicit CInputRecordDlg(CInputRobotDlg* editor);
    ~CInputRecordDlg() override;

    // A visible recording: the recording dialog on top, with its own start
    // and stop; its steps go in above the selected step.
    void RecordModal();
    // A hidden recording (mode 0): hides the editor and runs the hidden
    // recording dialog until CollectRecording; returns that run's result.
    int StartRecorder(int mode);
    // Ends the hidden recording and puts its steps in place of the editor's.
    // FALSE, doing nothing, when no hidden recording has started.
    BOOL CollectRecording();

protected:
    // Enter and Escape inside a pane close nothing.
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnStartRecord() { RecordModal(); }
    afx_msg void OnSelectAction();

    DECLARE_MESSAGE_MAP()

private:
    // The recording's lines and windows into the editor, which shows again.
    // With `keepWindows` the recording's windows go after the editor's, so
    // that the steps already bound to those keep them.
    void TakeRecording(const CRecordRobotDlg& recorder, bool keepWindows);

    CInputRobotDlg* m_editor;
    std::unique_ptr<CRecordRobotDlg> m_recorder;   // the hidden recording's dialog
    int m_result = 0;
    BOOL m_recorderStarted = FALSE;   // its recording started and was not collected yet
};
