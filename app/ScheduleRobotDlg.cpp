#include "app/ScheduleRobotDlg.h"

#include "app/ScheduleJob.h"
#include "scheduling/ScheduledTask.h"

#include <commctrl.h>

namespace {

const int kKindButtons[] = {
    IDC_SCHED_KIND_DAILY, IDC_SCHED_KIND_WEEKLY, IDC_SCHED_KIND_MONTHLY,
    IDC_SCHED_KIND_ONCE, IDC_SCHED_KIND_STARTUP, IDC_SCHED_KIND_LOGON,
};
const int kMonthButtons[] = { 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1096, 1097, 1098, 1099 };
const char* const kWhichWeeks[] = { "first", "second", "third", "fourth", "last" };
const char* const kWeekdayNames[] = { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday" };
const int kAccountFields[] = {
    IDC_SCHED_USER_NAME, IDC_SCHED_USER_LABEL, IDC_SCHED_PASSWORD_LABEL, IDC_SCHED_PASSWORD,
    IDC_SCHED_CONFIRM_LABEL, IDC_SCHED_CONFIRM, IDC_SCHED_ACCOUNT_NOTE,
};

const DWORD kFlagsOtherAccount = TASK_FLAG_INTERACTIVE | TASK_FLAG_DELETE_WHEN_DONE |
                                 TASK_FLAG_RUN_IF_CONNECTED_TO_INTERNET;   // 0x403
const DWORD kFlagsCurrentAccount = kFlagsOtherAccount | TASK_FLAG_RUN_ONLY_IF_LOGGED_ON;   // 0x2403

bool IsChecked(const CWnd& page, int id)
{
    return page.IsDlgButtonChecked(id) == BST_CHECKED;
}

void EnableItem(CWnd& page, int id, bool enable)
{
    if (CWnd* item = page.GetDlgItem(id))
        item->EnableWindow(enable);
}

SYSTEMTIME PickerTime(const CWnd& page, int id)
{
    SYSTEMTIME time = {};
    if (page.SendDlgItemMessage(id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) != GDT_VALID)
        ::GetLocalTime(&time);
    return time;
}

CString ItemText(const CWnd& page, int id)
{
    CString text;
    page.GetDlgItemText(id, text);
    return text;
}

CString ModulePath()
{
    char path[260] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

CString CurrentFolder()
{
    char folder[260] = {};
    ::GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

}  // namespace

BEGIN_MESSAGE_MAP(CScheduleRobotDlg, CDialog)
    ON_BN_CLICKED(IDC_SCHED_NEXT, OnFinish)
    ON_BN_CLICKED(IDC_SCHED_BACK, OnBack)
    ON_BN_CLICKED(IDC_SCHED_CANCEL, OnCancelButton)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CScheduleRobotDlg::CScheduleRobotDlg(CWnd* parent) : CDialog(IDD, parent)
{
}

CScheduleRobotDlg::~CScheduleRobotDlg() = default;

BOOL CScheduleRobotDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreatePages();
    ShowPage();
    SetTimer(IDT_UPDATE_CONTROLS, 200);
    return TRUE;
}

void CScheduleRobotDlg::CreatePages()
{
    CWnd* place = GetDlgItem(IDC_SCHED_PAGE_PLACE);
    CRect rect;
    place->GetWindowRect(&rect);
    ScreenToClient(&rect);
    for (int i = 0; i < kPageCount; ++i) {
        const UINT templateId = IDD_SCHEDULE_KIND + i;
        m_pages[i].reset(new CChildDialog(templateId, this));
        m_pages[i]->Create(templateId, this);
        // Right after the place in the tab order: the page, then the buttons.
        m_pages[i]->SetWindowPos(place, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }

    // The trigger keeps the hour and the minute: the pickers show no seconds.
    for (int page = kDailyPage; page <= kOncePage; ++page)
        m_pages[page]->SendDlgItemMessage(IDC_SCHED_START_TIME, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("h:mm tt"));

    CChildDialog& kind = *m_pages[kKindPage];
    kind.CheckDlgButton(IDC_SCHED_KIND_DAILY, BST_CHECKED);

    CChildDialog& daily = *m_pages[kDailyPage];
    daily.CheckDlgButton(IDC_SCHED_DAILY_EVERY_DAY, BST_CHECKED);
    SetupNumber(daily, 1, 365);

    SetupNumber(*m_pages[kWeeklyPage], 1, 52);

    CChildDialog& monthly = *m_pages[kMonthlyPage];
    monthly.CheckDlgButton(IDC_SCHED_MONTH_DAY, BST_CHECKED);
    SetupNumber(monthly, 1, 31);
    for (int id : kMonthButtons)
        monthly.CheckDlgButton(id, BST_CHECKED);
    for (const char* week : kWhichWeeks)
        monthly.SendDlgItemMessage(IDC_SCHED_WHICH_WEEK, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(week));
    for (const char* day : kWeekdayNames)
        monthly.SendDlgItemMessage(IDC_SCHED_WEEKDAY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(day));
    monthly.SendDlgItemMessage(IDC_SCHED_WHICH_WEEK, CB_SETCURSEL, 0);
    monthly.SendDlgItemMessage(IDC_SCHED_WEEKDAY, CB_SETCURSEL, 0);

    m_pages[kAccountPage]->CheckDlgButton(IDC_SCHED_CURRENT_ACCOUNT, BST_CHECKED);
}

void CScheduleRobotDlg::SetupNumber(CChildDialog& page, int low, int high)
{
    HWND spin = ::GetDlgItem(page.m_hWnd, IDC_SCHED_NUMBER_SPIN);
    ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(::GetDlgItem(page.m_hWnd, IDC_SCHED_NUMBER)), 0);
    ::SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    page.SetDlgItemText(IDC_SCHED_NUMBER, "1");
}

void CScheduleRobotDlg::OnDestroy()
{
    KillTimer(IDT_UPDATE_CONTROLS);
    for (auto& page : m_pages)
        if (page)
            page->DestroyWindow();
    CDialog::Default();
}

// ---------------------------------------------------------------- pages

void CScheduleRobotDlg::ShowPage()
{
    if (m_page >= kFinished) {
        EndDialog(IDOK);
        return;
    }
    for (int i = 0; i < kPageCount; ++i)
        m_pages[i]->ShowWindow(i == m_page ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_SCHED_BACK)->EnableWindow(m_page != kKindPage);
    SetDlgItemText(IDC_SCHED_NEXT, m_page == kAccountPage ? "Finish" : "Next >");
    UpdateControls();
}

void CScheduleRobotDlg::OnTimer(UINT_PTR id)
{
    if (id == IDT_UPDATE_CONTROLS)
        UpdateControls();
}

void CScheduleRobotDlg::UpdateControls()
{
    const ScheduleChoice choice = ReadChoice();
    bool canGoOn = true;
    if (m_page == kWeeklyPage)
        canGoOn = choice.weekdays != 0;
    else if (m_page == kMonthlyPage)
        canGoOn = choice.months != 0;
    CWnd* next = GetDlgItem(IDC_SCHED_NEXT);
    if ((next->IsWindowEnabled() != FALSE) != canGoOn)
        next->EnableWindow(canGoOn);

    const bool everyN = choice.dailyMode == kEveryNDays;
    EnableItem(*m_pages[kDailyPage], IDC_SCHED_NUMBER, everyN);
    EnableItem(*m_pages[kDailyPage], IDC_SCHED_NUMBER_SPIN, everyN);
    const bool byWeekday = choice.monthlyMode == kWeekdayOfMonth;
    EnableItem(*m_pages[kMonthlyPage], IDC_SCHED_WHICH_WEEK, byWeekday);
    EnableItem(*m_pages[kMonthlyPage], IDC_SCHED_WEEKDAY, byWeekday);
    const bool other = IsChecked(*m_pages[kAccountPage], IDC_SCHED_OTHER_ACCOUNT);
    for (int id : kAccountFields)
        EnableItem(*m_pages[kAccountPage], id, other);
}

int CScheduleRobotDlg::CheckedKind() const
{
    for (int i = 0; i < static_cast<int>(sizeof kKindButtons / sizeof kKindButtons[0]); ++i)
        if (IsChecked(*m_pages[kKindPage], kKindButtons[i]))
            return kScheduleDaily + i;
    return kScheduleDaily;
}

int CScheduleRobotDlg::PageOfKind(int kind) const
{
    switch (kind) {
    case kScheduleDaily: return kDailyPage;
    case kScheduleWeekly: return kWeeklyPage;
    case kScheduleMonthly: return kMonthlyPage;
    case kScheduleOnce: return kOncePage;
    default: return kAccountPage;
    }
}

ScheduleChoice CScheduleRobotDlg::ReadChoice() const
{
    ScheduleChoice choice;
    choice.kind = CheckedKind();
    ::GetLocalTime(&choice.now);
    const int page = PageOfKind(choice.kind);
    if (page != kAccountPage) {
        choice.startTime = PickerTime(*m_pages[page], IDC_SCHED_START_TIME);
        if (page == kDailyPage || page == kOncePage)
            choice.startDate = PickerTime(*m_pages[page], IDC_SCHED_START_DATE);
    }

    const CChildDialog& daily = *m_pages[kDailyPage];
    choice.dailyMode = IsChecked(daily, IDC_SCHED_DAILY_WEEKDAYS)  ? kWeekdays
                       : IsChecked(daily, IDC_SCHED_DAILY_EVERY_N) ? kEveryNDays
                                                                   : kEveryDay;
    const CChildDialog& weekly = *m_pages[kWeeklyPage];
    for (int day = 0; day < 7; ++day)
        if (IsChecked(weekly, IDC_SCHED_MONDAY + day))
            choice.weekdays |= WeekdayBitFromMonday(day);
    const CChildDialog& monthly = *m_pages[kMonthlyPage];
    choice.monthlyMode = IsChecked(monthly, IDC_SCHED_MONTH_WEEKDAY) ? kWeekdayOfMonth : kDayOfMonth;
    choice.whichWeek = static_cast<int>(monthly.SendDlgItemMessage(IDC_SCHED_WHICH_WEEK, CB_GETCURSEL));
    choice.weekday = static_cast<int>(monthly.SendDlgItemMessage(IDC_SCHED_WEEKDAY, CB_GETCURSEL));
    for (int month = 0; month < 12; ++month)
        if (IsChecked(monthly, kMonthButtons[month]))
            choice.months |= MonthBit(month);
    if (page == kDailyPage || page == kWeeklyPage || page == kMonthlyPage)
        choice.number = ItemText(*m_pages[page], IDC_SCHED_NUMBER);
    return choice;
}

BOOL CScheduleRobotDlg::CheckKindPage()
{
    CString message;
    if (CheckScheduleChoice(ReadChoice(), message))
        return TRUE;
    MessageBox(message, nullptr, MB_OK | MB_ICONEXCLAMATION);
    const int page = PageOfKind(CheckedKind());
    if (CWnd* number = m_pages[page]->GetDlgItem(IDC_SCHED_NUMBER)) {
        number->SetFocus();
        number->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;
}

BOOL CScheduleRobotDlg::CheckPasswords()
{
    const CChildDialog& account = *m_pages[kAccountPage];
    if (!IsChecked(account, IDC_SCHED_OTHER_ACCOUNT) ||
        ItemText(account, IDC_SCHED_PASSWORD) == ItemText(account, IDC_SCHED_CONFIRM))
        return TRUE;
    MessageBox("The password and its confirmation differ. Please enter the password again.", nullptr,
               MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CScheduleRobotDlg::OnFinish()
{
    if (!GetDlgItem(IDC_SCHED_NEXT)->IsWindowEnabled())
        return;   // Enter while the page cannot go on yet
    switch (m_page) {
    case kKindPage:
        m_page = PageOfKind(CheckedKind());
        break;
    case kDailyPage:
    case kWeeklyPage:
    case kMonthlyPage:
        if (!CheckKindPage())
            return;
        m_page = kAccountPage;
        break;
    case kOncePage:
        m_page = kAccountPage;
        break;
    case kAccountPage:
        if (!CheckPasswords())
            return;
        if (CreateTask())
            m_page = kFinished;
        else
            MessageBox(ScheduleErrorText(m_saveResult), nullptr, MB_OK | MB_ICONEXCLAMATION);
        break;
    default:
        break;
    }
    ShowPage();
}

void CScheduleRobotDlg::OnBack()
{
    if (m_page == kAccountPage)
        m_page = PageOfKind(CheckedKind()) == kAccountPage ? kKindPage : PageOfKind(CheckedKind());
    else if (m_page > kKindPage && m_page < kAccountPage)
        m_page = kKindPage;
    ShowPage();
}

void CScheduleRobotDlg::OnCancelButton()
{
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------- saving

int CScheduleRobotDlg::CreateTask()
{
    const ScheduleChoice choice = ReadChoice();
    TASK_TRIGGER trigger = {};
    CString message;
    if (!BuildScheduleTrigger(choice, trigger, message)) {
        m_saveResult = E_INVALIDARG;
        return 0;
    }

    CScheduledTask task;
    task.SetApplicationName(ModulePath());
    task.SetParameters(ScheduleParameters(m_strMacroName));
    task.SetWorkingDirectory(CurrentFolder());
    const CChildDialog& account = *m_pages[kAccountPage];
    if (IsChecked(account, IDC_SCHED_OTHER_ACCOUNT)) {
        task.SetAccountName(ItemText(account, IDC_SCHED_USER_NAME));
        task.SetPassword(ItemText(account, IDC_SCHED_PASSWORD));
        task.SetFlags(kFlagsOtherAccount);
    } else {
        task.SetFlags(kFlagsCurrentAccount);
    }
    task.SetComment("");
    task.AddTrigger(trigger);
    m_saveResult = task.SaveTask(ScheduleJobName(m_strMacroName), FALSE, FALSE);
    return m_saveResult == S_OK ? 1 : 0;
}
