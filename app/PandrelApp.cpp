#include "app/PandrelApp.h"

#include "app/CommandLine.h"
#include "app/MacroFolder.h"

namespace {

const char kMutexName[] = "Brenvik Kestrune Mutex";
const char kMainWindowCaption[] = "Brenvik Kestrune";
const char kTrayTip[] = "Kestrune - Automate your tasks!";
// Further attempts after a first failure.
const int kCreateRetries = 5;
const int kTrayIconRetries = 5;
// Run's result when the main window could not be made.
const int kStartFailedExitCode = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CPandrelHiddenWnd, CWnd)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CPandrelApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

HWND FindKestruneMainWindow()
{
    HWND window = nullptr;
    while ((window = ::FindWindowExA(nullptr, window, nullptr, kMainWindowCaption)) != nullptr)
        if (::GetDlgItem(window, IDC_MACRO_LIST))
            return window;
    return nullptr;
}

CPandrelApp::CPandrelApp() : CWinApp(kMainWindowCaption)
{
}

CPandrelApp::~CPandrelApp()
{
    delete m_pMainDlg;
}

BOOL CPandrelApp::InitInstance()
{
    // The share page's HTML view hosts the system's web browser control.
    AfxEnableControlContainer();
    HANDLE mutex = ::CreateMutexA(nullptr, TRUE, kMutexName);
    if (!mutex)
        return TRUE;   // no way to tell: run as the only instance
    if (::GetLastError() != ERROR_ALREADY_EXISTS) {
        // The first instance. The handle stays open for the life of the
        // process and keeps the name in existence.
        ::ReleaseMutex(mutex);
        return TRUE;
    }
    // Another instance runs. Holding the mutex makes instances that start
    // together hand over their requests one after the other.
    ::WaitForSingleObject(mutex, INFINITE);
    ForwardToRunningInstance();
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
    return FALSE;
}

void CPandrelApp::ForwardToRunningInstance()
{
    HWND running = FindKestruneMainWindow();
    if (!running)
        return;   // still starting, or gone: the request is lost
    ::ShowWindow(running, SW_SHOWNORMAL);
    ::SetFocus(running);
    ::SetForegroundWindow(running);

    CString name;
    if (!ParseRunSwitch(m_lpCmdLine, name))
        return;
    // Returns once the running instance has run the macro.
    ::SendMessageA(running, WM_RUNMACRO, 0, FindMacroPosition(name));
}

int CPandrelApp::Run()
{
    BOOL created = CreateMainWindows();
    for (int retry = 0; !created && retry < kCreateRetries; ++retry)
        created = CreateMainWindows();
    if (!created)
        return kStartFailedExitCode;   // no loop without a main window
    int exitCode = CWinApp::Run();
    // The windows go while the framework still serves them; the process-wide
    // objects it keeps are not all there any more when theApp is destroyed.
    DestroyMainWindows();
    return exitCode;
}

BOOL CPandrelApp::CreateMainWindows()
{
    if (!m_hiddenWnd.m_hWnd &&
        !m_hiddenWnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr))
        return FALSE;

    delete m_pMainDlg;
    m_pMainDlg = new CPandrelDlg(nullptr);
    CString name;
    if (ParseRunSwitch(m_lpCmdLine, name))
        m_pMainDlg->SetCommandLineMacro(name);
    m_pMainDlg->Create(CPandrelDlg::IDD, nullptr);
    m_pMainWnd = m_pMainDlg;
    m_pMainDlg->ShowWindow(SW_SHOWNORMAL);

    if (m_hiddenWnd.m_hWnd)
        m_hiddenWnd.DestroyWindow();
    AddTrayIcon();
    return TRUE;
}

void CPandrelApp::AddTrayIcon()
{
    m_trayIcon.SetApplication(this);
    m_trayIcon.SetIcon(IDI_TRAY, TRAYICON_NORMAL);
    m_trayIcon.Create(m_pMainWnd);
    m_trayIcon.SetMenuId(IDR_TRAY_MENU);
    m_trayIcon.SetTooltipText(kTrayTip);
    BOOL added = m_trayIcon.AddIcon(TRAYICON_NORMAL);
    m_trayIcon.SetOwnerWindow(m_pMainWnd);
    for (int retry = 0; !added && retry < kTrayIconRetries; ++retry)
        added = m_trayIcon.AddIcon(TRAYICON_NORMAL);
}

void CPandrelApp::RemoveTrayIcon()
{
    m_trayIcon.RemoveIcon();
}

void CPandrelApp::DestroyMainWindows()
{
    if (m_trayIcon.m_hWnd)
        m_trayIcon.DestroyWindow();
    if (m_pMainDlg) {
        if (m_pMainDlg->m_hWnd)
            m_pMainDlg->DestroyWindow();
        m_pMainWnd = nullptr;
        delete m_pMainDlg;
        m_pMainDlg = nullptr;
    }
}
