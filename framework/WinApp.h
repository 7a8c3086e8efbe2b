// CWinApp: the application object. A program defines one, of its own class,
// as a global object; the framework's WinMain (WinMain.cpp) then runs its
// InitInstance and, when that succeeds, its Run (the message loop), and
// returns the exit code.
#pragma once

#include "framework/String.h"
#include "framework/WinThread.h"

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CWinThread
{
public:
    // The title goes to AfxSetAppName, so that message boxes carry it.
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;   // the command line after the program's path
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    // Where the profile lives: under HKEY_CURRENT_USER\Software\<key>\<app
    // name> once SetRegistryKey is called, else in the INI file named here
    // (by default the program's name with ".INI", in the Windows folder).
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;

    void SetRegistryKey(LPCSTR key);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
    // A new[] buffer the caller deletes; FALSE (and no buffer) without the entry.
    BOOL GetProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE* data, UINT* bytes);
    BOOL WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT bytes);

    HICON LoadIcon(UINT id) const { return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id)); }
    HICON LoadStandardIcon(LPCSTR name) const { return ::LoadIconA(nullptr, name); }
    HCURSOR LoadCursor(UINT id) const { return ::LoadCursorA(m_hInstance, MAKEINTRESOURCEA(id)); }
    HCURSOR LoadStandardCursor(LPCSTR name) const { return ::LoadCursorA(nullptr, name); }

protected:
    // The help command: the program has no help context, so it does nothing.
    afx_msg void OnHelp() {}

    DECLARE_MESSAGE_MAP()

private:
    HKEY OpenSectionKey(LPCSTR section, bool create) const;

    CString m_registryKey;
    CString m_profileName;
};

HINSTANCE AfxGetInstanceHandle();
// Where the framework loads dialog templates, menus, icons and bitmaps from.
HINSTANCE AfxGetResourceHandle();

// The body of the program's WinMain; -1 when there is no application object.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
