#include "app/recorder/InputRecordDlg.h"

#include "app/editor/InputRobotDlg.h"
#include "app/recorder/RecordRobotDlg.h"
#include "app/recorder/RecordedLines.h"
#include "app/recorder/TaskSelDialog.h"
#include "base/OsVersion.h"

BEGIN_MESSAGE_MAP(CInputRecordDlg, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_START_RECORD, OnStartRecord)
    ON_BN_CLICKED(IDC_SELECT_ACTION, OnSelectAction)
END_MESSAGE_MAP()

CInputRecordDlg::CInputRecordDlg(CInputRobotDlg* editor) : m_editor(editor)
{
}

CInputRecordDlg::~CInputRecordDlg() = default;

void CInputRecordDlg::RecordModal()
{
    m_editor->ShowWindow(SW_HIDE);
    CRecordRobotDlg recorder(CRecordRobotDlg::VISIBLE, this);
    if (recorder.DoModal() != IDOK) {
        m_editor->ShowWindow(SW_SHOWNORMAL);
        return;
    }
    // Window binding starts off on the NT 6 versions (Vista to 8.1).
    const bool nt6 = g_OsVersion.IsNT && g_OsVersion.MajorVersion == 6;
    m_editor->SetHalvaneEnabled(nt6 ? FALSE : TRUE);
    TakeRecording(recorder, true);
}

int CInputRecordDlg::StartRecorder(int mode)
{
    m_recorder.reset();
    m_recorderStarted = FALSE;
    m_editor->ShowWindow(SW_HIDE);
    m_recorder.reset(new CRecordRobotDlg(mode, this));
    SetTimer(IDT_RECORD_START, 30);
    m_result = static_cast<int>(m_recorder->DoModal());
    return m_result;
}

// The hidden recording starts once its dialog runs.
void CInputRecordDlg::OnTimer(UINT_PTR id)
{
    if (id != IDT_RECORD_START) {
        Default();
        return;
    }
    KillTimer(IDT_RECORD_START);
    if (!m_recorder || !m_recorder->m_hWnd)
        return;
    m_recorder->StartHidden();
    m_recorderStarted = TRUE;
}

BOOL CInputRecordDlg::CollectRecording()
{
    if (!m_recorderStarted || !m_recorder || !m_recorder->m_hWnd)
        return FALSE;
    m_recorderStarted = FALSE;
    m_recorder->OnStopRecord();
    m_editor->SetHalvaneEnabled(TRUE);
    m_editor->ClearSteps();   // a hidden recording makes a new macro
    TakeRecording(*m_recorder, false);
    return TRUE;
}

void CInputRecordDlg::TakeRecording(const CRecordRobotDlg& recorder, bool keepWindows)
{
    if (!keepWindows)
        m_editor->ClearRecordedWindows();
    const int earlierWindows = static_cast<int>(m_editor->GetRobot().HalvaneInfos.size());
    if (recorder.GetLineCount() > 0) {
        m_editor->AddStepLine("Comment: ==== Start recorded actions ====");
        for (int i = 0; i < recorder.GetLineCount(); ++i) {
            const CString line = recorder.GetRecordedLine(i);
            if (!line.IsEmpty())
                m_editor->AddStepLine(ShiftWindowSuffix(line, earlierWindows));
        }
        m_editor->AddStepLine("Comment: ==== End of recorded actions ====");
    }
    HalvaneInfo window;
    for (int i = 0; recorder.GetRecordedWindow(i, window); ++i)
        m_editor->AddRecordedWindow(window);
    m_editor->ShowWindow(SW_SHOWNORMAL);
}

void CInputRecordDlg::OnSelectAction()
{
    CTaskSelDialog picker(this);
    if (picker.DoModal() == IDOK)
        m_editor->AddStepLine(picker.GetActionLine());
}
