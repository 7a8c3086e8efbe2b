#include "framework/WinApp.h"

#include "framework/MessageBox.h"
#include "framework/Wnd.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

CWinApp* g_app = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName)
{
    g_app = this;
    MakeCurrent();
    if (appName)
        AfxSetAppName(appName);
    m_pszAppName = AfxGetAppName();
    m_profileName = CString(m_pszAppName) + ".INI";
    m_pszProfileName = m_profileName;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd)
        return thread->m_pMainWnd;
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine;
    app->m_nCmdShow = show;
    AfxInitCommonControls();
    if (!app->InitApplication())
        return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

// ---------------------------------------------------------------- profile

void CWinApp::SetRegistryKey(LPCSTR key)
{
    m_registryKey = key;
    m_pszRegistryKey = m_registryKey;
}

HKEY CWinApp::OpenSectionKey(LPCSTR section, bool create) const
{
    CString path;
    path.Format("Software\\%s\\%s\\%s", m_pszRegistryKey, m_pszAppName, section);
    HKEY key = nullptr;
    LONG status = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                             &key, nullptr)
                         : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue)
{
    if (!m_pszRegistryKey)
        return ::GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
    HKEY key = OpenSectionKey(section, false);
    DWORD value = static_cast<DWORD>(defaultValue), size = sizeof value, type = 0;
    if (key) {
        if (::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            value = static_cast<DWORD>(defaultValue);
        ::RegCloseKey(key);
    }
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value)
{
    if (!m_pszRegistryKey) {
        char text[16];
        wsprintfA(text, "%d", value);
        return ::WritePrivateProfileStringA(section, entry, text, m_pszProfileName);
    }
    HKEY key = OpenSectionKey(section, true);
    if (!key)
        return FALSE;
    DWORD data = static_cast<DWORD>(value);
    LONG status = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue)
{
    if (!defaultValue)
        defaultValue = "";
    if (!m_pszRegistryKey) {
        std::string buffer(4096, '\0');
        for (;;) {
            DWORD length = ::GetPrivateProfileStringA(section, entry, defaultValue, &buffer[0],
                                                      static_cast<DWORD>(buffer.size()), m_pszProfileName);
            if (length < buffer.size() - 1)
                return CString(buffer.c_str(), static_cast<int>(length));
            buffer.resize(buffer.size() * 2);
        }
    }
    HKEY key = OpenSectionKey(section, false);
    if (!key)
        return defaultValue;
    CString value = defaultValue;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::string buffer(size + 1, '\0');
        if (::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&buffer[0]), &size) == ERROR_SUCCESS)
            value = buffer.c_str();
    }
    ::RegCloseKey(key);
    return value;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value)
{
    if (!m_pszRegistryKey)
        return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
    HKEY key = OpenSectionKey(section, true);
    if (!key)
        return FALSE;
    LONG status = value ? ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                           lstrlenA(value) + 1)
                        : ::RegDeleteValueA(key, entry);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

// In an INI file a binary value is written as two hexadecimal digits a byte.
BOOL CWinApp::GetProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE* data, UINT* bytes)
{
    *data = nullptr;
    *bytes = 0;
    if (!m_pszRegistryKey) {
        CString text = GetProfileString(section, entry);
        int length = text.GetLength();
        if (length == 0 || length % 2)
            return FALSE;
        LPBYTE buffer = new BYTE[length / 2];
        for (int i = 0; i < length / 2; ++i) {
            char pair[3] = { text[2 * i], text[2 * i + 1], 0 };
            char* end = nullptr;
            buffer[i] = static_cast<BYTE>(strtoul(pair, &end, 16));
            if (*end) {
                delete[] buffer;
                return FALSE;
            }
        }
        *data = buffer;
        *bytes = static_cast<UINT>(length / 2);
        return TRUE;
    }
    HKEY key = OpenSectionKey(section, false);
    if (!key)
        return FALSE;
    DWORD type = 0, size = 0;
    BOOL found = FALSE;
    if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_BINARY &&
        size > 0) {
        LPBYTE buffer = new BYTE[size];
        if (::RegQueryValueExA(key, entry, nullptr, &type, buffer, &size) == ERROR_SUCCESS) {
            *data = buffer;
            *bytes = size;
            found = TRUE;
        } else {
            delete[] buffer;
        }
    }
    ::RegCloseKey(key);
    return found;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR section, LPCSTR entry, const BYTE* data, UINT bytes)
{
    if (!m_pszRegistryKey) {
        CString text;
        for (UINT i = 0; i < bytes; ++i)
            text.AppendFormat("%02X", data[i]);
        return WriteProfileString(section, entry, text);
    }
    HKEY key = OpenSectionKey(section, true);
    if (!key)
        return FALSE;
    LONG status = ::RegSetValueExA(key, entry, 0, REG_BINARY, data, bytes);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
