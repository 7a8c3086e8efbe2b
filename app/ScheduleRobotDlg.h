// CScheduleRobotDlg: the schedule wizard (template 188 "Schedule Macro").
// Six child pages share the frame's place: 0 how often, 1 daily, 2 weekly,
// 3 monthly, 4 one time, 5 the account. Next goes from page 0 to the
// kind's page (or straight to the account for start-up and log-on), then to
// the account; Finish there saves the macro's job, which starts this
// program with "-a <macro name>".
#pragma once

#include "app/ScheduleTrigger.h"
#include "controls/ChildDialog.h"
#include "framework/Ui.h"
#include "res/resource.h"

#include <memory>

class CScheduleRobotDlg : public CDialog
{
public:
    enum { IDD = IDD_SCHEDULE_ROBOT };
    enum
    {
        kKindPage = 0,
        kDailyPage,
        kWeeklyPage,
        kMonthlyPage,
        kOncePage,
        kAccountPage,
        kPageCount,
        kFinished = kPageCount,
    };
    // Keeps Next and the fields that depend on a choice up to date.
    enum { IDT_UPDATE_CONTROLS = 1 };

    explicit CScheduleRobotDlg(CWnd* parent = nullptr);
    ~CScheduleRobotDlg() override;

    // The macro to schedule; set before the wizard runs.
    CString m_strMacroName;

    // Saves the job of the pages' choice: 1 when it was saved, 0 when not
    // (GetSaveResult tells why).
    int CreateTask();
    HRESULT GetSaveResult() const { return m_saveResult; }
    int GetCurrentPage() const { return m_page; }
    CChildDialog* GetPage(int index) const { return m_pages[index].get(); }
    // What the pages say, as the trigger builder takes it.
    ScheduleChoice ReadChoice() const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}

    afx_msg void OnFinish();
    afx_msg void OnBack();
    afx_msg void OnCancelButton();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void CreatePages();
    void SetupNumber(CChildDialog& page, int low, int high);
    void ShowPage();
    void UpdateControls();
    int CheckedKind() const;
    // The page of the kind chosen on page 0 (the account page for the
    // event kinds).
    int PageOfKind(int kind) const;
    // FALSE, after telling the user, when the kind's page holds a number
    // out of range; the number gets the focus.
    BOOL CheckKindPage();
    BOOL CheckPasswords();

    std::unique_ptr<CChildDialog> m_pages[kPageCount];
    int m_page = kKindPage;
    HRESULT m_saveResult = S_OK;
};
