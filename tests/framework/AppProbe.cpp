// A program made of nothing but an application object, run by the framework's
// WinMain; the app tests start it with a command line that says what to do:
//   report <file>   write the title and command line to the file, then end
//   quit            run the message loop until a WM_QUIT with exit code 18
//   close           run the loop until the main window is destroyed
#include "framework/Ui.h"

class CProbeWnd : public CWnd
{
protected:
    afx_msg LRESULT OnQuitNow(WPARAM, LPARAM)
    {
        ::PostQuitMessage(18);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_MESSAGE(WM_USER + 1, OnQuitNow)
END_MESSAGE_MAP()

class CProbeApp : public CWinApp
{
public:
    CProbeApp() : CWinApp("Brenvik Probe") {}

    BOOL InitInstance() override
    {
        CString command = m_lpCmdLine;
        if (command.Left(7) == "report ") {
            CStdioFile file(command.Mid(7), CFile::modeCreate | CFile::modeWrite);
            file.WriteString(CString(AfxGetAppName()) + "|" + m_lpCmdLine + "|" +
                             (AfxGetInstanceHandle() == ::GetModuleHandleA(nullptr) ? "instance" : "none"));
            return FALSE;
        }
        if (!m_wnd.CreateEx(0, nullptr, "Probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr))
            return FALSE;
        m_pMainWnd = &m_wnd;
        m_wnd.PostMessage(command == "quit" ? WM_USER + 1 : WM_CLOSE);
        return TRUE;
    }

private:
    CProbeWnd m_wnd;
};

CProbeApp theApp;
