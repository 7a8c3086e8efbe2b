// CInputRecordDlg: the recording page, a pane body of the macro editor
// (template 158). It is where a recording starts and where the action
// picker opens. The recorder (the hook library and the recording dialog)
// is not built yet: the page shows its texts with both buttons disabled,
// and the editor's calls below record nothing.
#pragma once

#include "framework/Ui.h"
#include "res/resource.h"

class CInputRobotDlg;

class CInputRecordDlg : public CDialog
{
public:
    enum { IDD = IDD_INPUT_RECORD };

    explicit CInputRecordDlg(CInputRobotDlg* editor) : m_editor(editor) {}

    // A visible recording (the editor opened by Record).
    void RecordModal() {}
    // A hidden recording (Ctrl+Alt+R), and its end (Ctrl+Alt+S).
    int StartRecorder(int /*mode*/) { return 0; }
    void CollectRecording() {}

protected:
    // Enter and Escape inside a pane close nothing.
    void OnOK() override {}
    void OnCancel() override {}

private:
    CInputRobotDlg* m_editor;
};
