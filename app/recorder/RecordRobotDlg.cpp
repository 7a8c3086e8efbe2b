#include "app/recorder/RecordRobotDlg.h"

#include "app/recorder/RecordedLines.h"
#include "hook/HookMessages.h"

#include <shellapi.h>

namespace {

// The maker's page on recording.
const char kRecordHelpPage[] = "https://www.brenvik.example/support/record_help.html";

}  // namespace

BEGIN_MESSAGE_MAP(CRecordRobotDlg, CDialog)
    ON_BN_CLICKED(IDC_RECORD_START, OnStartRecord)
    ON_BN_CLICKED(IDC_RECORD_STOP, OnStopRecord)
    ON_NOTIFY(NM_LABELCLICK, IDC_RECORD_HELP, OnHelpLink)
    ON_MESSAGE(WM_HOOK_MOUSEMOVE, OnHookMouseMove)
    ON_MESSAGE(WM_HOOK_MOUSE, OnHookMouse)
    ON_MESSAGE(WM_HOOK_KEY, OnHookKey)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CRecordRobotDlg::CRecordRobotDlg(int mode, CWnd* parent)
    : CDialog(IDD, parent), m_windowFinder(new CActiveWinPath), m_mode(mode)
{
}

CRecordRobotDlg::~CRecordRobotDlg()
{
    ReleaseHook();
}

void CRecordRobotDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_RECORD_HELP, m_helpLabel);
    DDX_Check(dx, IDC_RECORD_ALL_MOVES, m_recordAllMoves);
}

BOOL CRecordRobotDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_mode == VISIBLE)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_lines.RemoveAll();
    GetDlgItem(IDC_RECORD_STOP)->EnableWindow(FALSE);
    m_helpLabel.SetTransparent(TRUE)
        .SetFontName("Tahoma", ANSI_CHARSET)
        .SetFontSize(9)
        .SetTextColor(RGB(5, 0, 255))
        .SetFontUnderline(TRUE)
        .SetLink(TRUE, TRUE)
        .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_LINK_HAND));
    if (m_mode == HIDDEN) {
        m_hidden = 1;
        ShowWindow(SW_HIDE);
    }
    // The focus on a control of a hidden dialog would make it the active
    // window, in front of the user's.
    return m_hidden ? FALSE : TRUE;
}

// A hidden recording's dialog is never shown or activated, not even for
// the moment after the modal loop first shows a dialog that starts hidden:
// the input goes on to the user's windows.
LRESULT CRecordRobotDlg::OnWindowPosChanging(WPARAM, LPARAM lParam)
{
    if (m_hidden) {
        WINDOWPOS* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->flags &= ~SWP_SHOWWINDOW;
        position->flags |= SWP_NOACTIVATE;
    }
    return Default();
}

void CRecordRobotDlg::StartHidden()
{
    m_hidden = 1;
    ShowWindow(SW_HIDE);
    OnStartRecord();
    ShowWindow(SW_HIDE);
}

void CRecordRobotDlg::OnStartRecord()
{
    ReleaseHook();
    m_lines.RemoveAll();
    m_keysDown.RemoveAll();
    m_windows.clear();

    m_hookLibrary = ::LoadLibraryA(KESTRUNE_HOOK_LIBRARY);
    if (!m_hookLibrary) {
        AfxMessageBox("Failed to load kestrune.dll.", MB_OK);
        return;
    }
    UpdateData(TRUE);
    GetDlgItem(IDC_RECORD_ALL_MOVES)->EnableWindow(FALSE);
    auto install =
        reinterpret_cast<InstallHookFn>(reinterpret_cast<void*>(::GetProcAddress(m_hookLibrary, "InstallHook")));
    if (install)
        install(m_hookLibrary, m_hWnd);
    GetDlgItem(IDC_RECORD_STOP)->EnableWindow(TRUE);
    // The focus leaves the disabled "start" for "stop"; a hidden dialog
    // takes no focus, which would bring it to the front.
    if (!m_hidden)
        GotoDlgCtrl(GetDlgItem(IDC_RECORD_STOP));
    GetDlgItem(IDC_RECORD_START)->EnableWindow(FALSE);
    m_lastEventTime = m_lastLineTime = Now();
}

void CRecordRobotDlg::OnStopRecord()
{
    RemoveUnfinishedKeyDowns(m_lines);
    RemoveLeadingStartKeyUps(m_lines);
    RemoveTrailingWaitsAndKeyDowns(m_lines);
    ReleaseHook();
    RewriteMoveWaits();
    CDialog::OnOK();
}

void CRecordRobotDlg::RewriteMoveWaits()
{
    UnmarkMovesBeforeWaits(m_lines);
}

void CRecordRobotDlg::OnOK()
{
    if (IsRecording())
        OnStopRecord();
}

void CRecordRobotDlg::OnCancel()
{
    ReleaseHook();
    CDialog::OnCancel();
}

void CRecordRobotDlg::OnDestroy()
{
    ReleaseHook();
    CDialog::OnDestroy();
}

void CRecordRobotDlg::ReleaseHook()
{
    if (!m_hookLibrary)
        return;
    auto uninstall =
        reinterpret_cast<UninstallHookFn>(reinterpret_cast<void*>(::GetProcAddress(m_hookLibrary, "UninstallHook")));
    if (uninstall)
        uninstall();
    ::FreeLibrary(m_hookLibrary);
    m_hookLibrary = nullptr;
}

CString CRecordRobotDlg::GetRecordedLine(int i) const
{
    return i >= 0 && i < GetLineCount() ? m_lines[i] : CString();
}

int CRecordRobotDlg::GetRecordedWindow(int i, HalvaneInfo& info) const
{
    if (i < 0 || i >= GetWindowCount())
        return 0;
    info = m_windows[static_cast<size_t>(i)];
    return 1;
}

void CRecordRobotDlg::OnHelpLink(NMHDR*, LRESULT* result)
{
    *result = 0;
    HINSTANCE started = ::ShellExecuteA(::GetDesktopWindow(), "open", kRecordHelpPage, nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        MessageBox(CString("Unable to load web ") + kRecordHelpPage + ".", nullptr, MB_OK);
}
