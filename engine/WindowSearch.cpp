// The search behind the window and control builtins: a window named by its
// title (under WinTitleMatchMode) and, optionally, a text of one of its
// child windows; a control named by its class and instance number or by its
// exact text.
#include "engine/WindowSearch.h"

#include "engine/ScriptEngine.h"

#include <stdio.h>
#include <string.h>

namespace {

const UINT kHungTimeout = 5000;

bool BeginsWithNoCase(const char* text, const char* prefix, size_t& length)
{
    length = strlen(prefix);
    return _strnicmp(text, prefix, length) == 0;
}

}  // namespace

bool IsWindowHung(HWND window, UINT ms)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &answer) == 0;
}

void AttachToWindowThread(HWND window, bool attach)
{
    if (attach && IsWindowHung(window, kHungTimeout))
        return;
    const DWORD current = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(window, nullptr);
    if (other && other != current)
        AttachThreadInput(current, other, attach ? TRUE : FALSE);
}

bool CPandrel_Script::FindWindowByTitle()
{
    if (m_winTitleMatchMode == 4) {
        if (m_searchTitle.IsEmpty() || m_searchTitle.CompareNoCase("last") == 0)
            return m_foundWindow != nullptr;
        if (m_searchTitle.CompareNoCase("active") == 0) {
            m_foundWindow = GetForegroundWindow();
            m_windowFound = 1;
            return true;
        }
    } else if (m_searchTitle.IsEmpty() && m_searchText.IsEmpty()) {
        m_foundWindow = GetForegroundWindow();
        m_windowFound = 1;
        return true;
    }

    m_windowFound = 0;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (m_winSearchChildren)
        EnumChildWindows(GetDesktopWindow(), MatchWindowTitleProc, self);
    else
        EnumWindows(MatchWindowTitleProc, self);
    return m_windowFound != 0;
}

BOOL CALLBACK CPandrel_Script::MatchWindowTitleProc(HWND window, LPARAM engine)
{
    return reinterpret_cast<CPandrel_Script*>(engine)->MatchWindowTitle(window) ? FALSE : TRUE;
}

bool CPandrel_Script::MatchWindowTitle(HWND window)
{
    char title[1024];
    if (GetWindowTextA(window, title, sizeof title) <= 0)
        title[0] = '\0';
    const char* search = m_searchTitle;
    bool matches = false;
    size_t prefix = 0;
    switch (m_winTitleMatchMode) {
    case 1:
        matches = strncmp(title, search, strlen(search)) == 0;
        break;
    case 2:
        matches = strstr(title, search) != nullptr;
        break;
    case 3:
        matches = strcmp(title, search) == 0;
        break;
    case 4:
        if (BeginsWithNoCase(search, "classname=", prefix)) {
            char className[1024];
            matches = GetClassNameA(window, className, sizeof className) > 0 &&
                      strcmp(className, search + prefix) == 0;
        } else if (BeginsWithNoCase(search, "handle=", prefix)) {
            char handle[16];
            snprintf(handle, sizeof handle, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
            matches = _stricmp(handle, search + prefix) == 0;
        } else {
            matches = strncmp(title, search, strlen(search)) == 0;
        }
        break;
    default:
        break;
    }
    if (!matches || !WindowHasText(window))
        return false;
    m_foundWindow = window;
    m_windowFound = 1;
    return true;
}

bool CPandrel_Script::WindowHasText(HWND window)
{
    if (m_searchText.IsEmpty())
        return true;
    if (m_winTextMatchMode != 2 && IsWindowHung(window, kHungTimeout))
        return false;
    m_windowFound = 0;
    EnumChildWindows(window, WindowTextProc, reinterpret_cast<LPARAM>(this));
    return m_windowFound != 0;
}

BOOL CALLBACK CPandrel_Script::WindowTextProc(HWND child, LPARAM engine)
{
    CPandrel_Script& self = *reinterpret_cast<CPandrel_Script*>(engine);
    if (!self.m_winDetectHiddenText && !IsWindowVisible(child))
        return TRUE;
    char text[32768];
    text[0] = '\0';
    if (self.m_winTextMatchMode == 2) {
        GetWindowTextA(child, text, sizeof text);
    } else {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            kHungTimeout, &length);
        text[length < sizeof text ? length : sizeof text - 1] = '\0';
    }
    if (text[0] && strstr(text, self.m_searchText)) {
        self.m_windowFound = 1;
        return FALSE;
    }
    return TRUE;
}

bool CPandrel_Script::FindControl(const char* title, const char* text, const char* control)
{
    m_searchTitle = title;
    m_searchText = text;
    if (!FindWindowByTitle())
        return false;
    m_controlSearchText = control;
    m_controlCounter = 0;
    m_controlFound = 0;
    if (m_controlSearchText.IsEmpty()) {
        m_foundControl = m_foundWindow;
        m_controlFound = 1;
        return true;
    }
    // First by class and instance number, then by exact text.
    m_controlByClass = 1;
    EnumChildWindows(m_foundWindow, ControlProc, reinterpret_cast<LPARAM>(this));
    if (!m_controlFound) {
        m_controlByClass = 0;
        EnumChildWindows(m_foundWindow, ControlProc, reinterpret_cast<LPARAM>(this));
    }
    return m_controlFound != 0;
}

BOOL CALLBACK CPandrel_Script::ControlProc(HWND child, LPARAM engine)
{
    CPandrel_Script& self = *reinterpret_cast<CPandrel_Script*>(engine);
    const char* wanted = self.m_controlSearchText;
    bool matches = false;
    if (self.m_controlByClass) {
        char className[256];
        if (GetClassNameA(child, className, sizeof className) <= 0)
            className[0] = '\0';
        if (strncmp(wanted, className, strlen(className)) != 0)
            return TRUE;
        char name[300];
        snprintf(name, sizeof name, "%s%u", className, static_cast<unsigned>(++self.m_controlCounter));
        matches = strcmp(name, wanted) == 0;
    } else {
        char text[1024];
        if (GetWindowTextA(child, text, sizeof text) <= 0)
            text[0] = '\0';
        matches = strcmp(text, wanted) == 0;
    }
    if (!matches)
        return TRUE;
    self.m_foundControl = child;
    self.m_controlFound = 1;
    return FALSE;
}
