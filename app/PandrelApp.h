// CPandrelApp: the application object. It keeps the program to one
// instance (a second one brings the first to the front and hands it its
// "-a <macro>" request), creates the main window as a modeless dialog, puts
// the icon into the notification area and runs the message loop until the
// main window quits (exit code 18; a second instance ends with 0).
#pragma once

#include "app/PandrelDlg.h"
#include "controls/TrayIcon.h"
#include "framework/Ui.h"

// An invisible pop-up window that exists only while the main window is
// being created.
class CPandrelHiddenWnd : public CWnd
{
protected:
    DECLARE_MESSAGE_MAP()
};

class CPandrelApp : public CWinApp
{
public:
    CPandrelApp();
    ~CPandrelApp() override;

    BOOL InitInstance() override;
    int Run() override;

    // FALSE only when the hidden window cannot be created.
    BOOL CreateMainWindows();
    void AddTrayIcon();
    void RemoveTrayIcon();

protected:
    DECLARE_MESSAGE_MAP()

private:
    // A later instance: shows the running one and forwards its request.
    void ForwardToRunningInstance();
    void DestroyMainWindows();

    CPandrelHiddenWnd m_hiddenWnd;
    CPandrelDlg* m_pMainDlg = nullptr;
    CTrayIcon m_trayIcon;
};

// The main window of a running Kestrune found from any process: the
// top-level window captioned "Brenvik Kestrune" that holds the macro list
// (message boxes carry the same caption). Null when there is none.
HWND FindKestruneMainWindow();
