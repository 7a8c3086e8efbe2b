#include "engine/automation/WindowSearch.h"

#include "engine/automation/WindowThreads.h"

#include <stdio.h>
#include <string.h>

namespace {

bool BeginsWithNoCase(const char* text, const char* prefix, size_t& length)
{
    length = strlen(prefix);
    return _strnicmp(text, prefix, length) == 0;
}

bool IsDecimalNumber(const char* text)
{
    if (!*text)
        return false;
    for (; *text; ++text) {
        if (*text < '0' || *text > '9')
            return false;
    }
    return true;
}

}  // namespace

bool CWindowSearch::FindWindowByTitle()
{
    // A stored handle names a window only while that window lives, and a
    // desktop without a foreground window has no "active" window: a null
    // handle must never reach the builtins, which would post to it.
    if (Options.TitleMatchMode == 4) {
        if (Title.IsEmpty() || Title.CompareNoCase("last") == 0)
            return FoundWindow != nullptr && IsWindow(FoundWindow);
        if (Title.CompareNoCase("active") == 0)
            return TakeForegroundWindow();
    } else if (Title.IsEmpty() && Text.IsEmpty()) {
        return TakeForegroundWindow();
    }

    m_windowFound = 0;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (Options.SearchChildren)
        EnumChildWindows(GetDesktopWindow(), MatchWindowTitleProc, self);
    else
        EnumWindows(MatchWindowTitleProc, self);
    return m_windowFound != 0;
}

bool CWindowSearch::TakeForegroundWindow()
{
    HWND foreground = GetForegroundWindow();
    m_windowFound = foreground ? 1 : 0;
    if (foreground)
        FoundWindow = foreground;
    return foreground != nullptr;
}

bool CWindowSearch::IsMatchActive()
{
    return FindWindowByTitle() && FoundWindow == GetForegroundWindow();
}

BOOL CALLBACK CWindowSearch::MatchWindowTitleProc(HWND window, LPARAM search)
{
    return reinterpret_cast<CWindowSearch*>(search)->MatchWindowTitle(window) ? FALSE : TRUE;
}

bool CWindowSearch::MatchWindowTitle(HWND window)
{
    char title[1024];
    if (GetWindowTextA(window, title, sizeof title) <= 0)
        title[0] = '\0';
    const char* search = Title;
    bool matches = false;
    size_t prefix = 0;
    switch (Options.TitleMatchMode) {
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
            FormatWindowHandle(window, handle, sizeof handle);
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
    FoundWindow = window;
    m_windowFound = 1;
    return true;
}

bool CWindowSearch::WindowHasText(HWND window)
{
    if (Text.IsEmpty())
        return true;
    if (Options.TextMatchMode != 2 && IsWindowHung(window, kHungWindowTimeout))
        return false;
    m_windowFound = 0;
    EnumChildWindows(window, WindowTextProc, reinterpret_cast<LPARAM>(this));
    return m_windowFound != 0;
}

BOOL CALLBACK CWindowSearch::WindowTextProc(HWND child, LPARAM search)
{
    CWindowSearch& self = *reinterpret_cast<CWindowSearch*>(search);
    if (!self.Options.DetectHiddenText && !IsWindowVisible(child))
        return TRUE;
    char text[32768];
    text[0] = '\0';
    if (self.Options.TextMatchMode == 2) {
        GetWindowTextA(child, text, sizeof text);
    } else {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                            kHungWindowTimeout, &length);
        text[length < sizeof text ? length : sizeof text - 1] = '\0';
    }
    if (text[0] && strstr(text, self.Text)) {
        self.m_windowFound = 1;
        return FALSE;
    }
    return TRUE;
}

bool CWindowSearch::FindControl(const char* title, const char* text, const char* control)
{
    Title = title;
    Text = text;
    if (!FindWindowByTitle())
        return false;
    m_controlSearchText = control;
    m_controlCounts.clear();
    m_controlFound = 0;
    if (m_controlSearchText.IsEmpty()) {
        FoundControl = FoundWindow;
        m_controlFound = 1;
        return true;
    }
    // First by class and instance number, then by exact text.
    m_controlByClass = 1;
    EnumChildWindows(FoundWindow, ControlProc, reinterpret_cast<LPARAM>(this));
    if (!m_controlFound) {
        m_controlByClass = 0;
        EnumChildWindows(FoundWindow, ControlProc, reinterpret_cast<LPARAM>(this));
    }
    return m_controlFound != 0;
}

BOOL CALLBACK CWindowSearch::ControlProc(HWND child, LPARAM search)
{
    CWindowSearch& self = *reinterpret_cast<CWindowSearch*>(search);
    const char* wanted = self.m_controlSearchText;
    bool matches = false;
    if (self.m_controlByClass) {
        char className[256];
        if (GetClassNameA(child, className, sizeof className) <= 0)
            className[0] = '\0';
        // Only the control's own class counts toward its instance number, so
        // that ComboBox and ComboBoxEx32 controls do not number each other.
        const size_t length = strlen(className);
        if (length == 0 || strncmp(wanted, className, length) != 0 || !IsDecimalNumber(wanted + length))
            return TRUE;
        const unsigned instance = ++self.m_controlCounts[className];
        char name[300];
        snprintf(name, sizeof name, "%s%u", className, instance);
        matches = strcmp(name, wanted) == 0;
    } else {
        char text[1024];
        if (GetWindowTextA(child, text, sizeof text) <= 0)
            text[0] = '\0';
        matches = strcmp(text, wanted) == 0;
    }
    if (!matches)
        return TRUE;
    self.FoundControl = child;
    self.m_controlFound = 1;
    return FALSE;
}

void FormatWindowHandle(HWND window, char* text, size_t size)
{
    snprintf(text, size, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
}
