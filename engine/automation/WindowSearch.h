// CWindowSearch: the search behind the window and control builtins. A window
// is named by its title (under WinTitleMatchMode) and, optionally, a text of
// one of its child windows; a control by its class and instance number
// (counted among the controls of exactly that class) or by its exact text. The engine owns one; its options are run options (Opt)
// and the last window found is what the title "last" names.
#pragma once

#include "engine/EngineString.h"

#include <windows.h>

#include <map>
#include <string>

struct WindowSearchOptions
{
    int TitleMatchMode = 1;          // 1 prefix, 2 substring, 3 exact, 4 advanced
    int TextMatchMode = 1;           // 1 WM_GETTEXT, 2 GetWindowTextA
    BYTE DetectHiddenText = 0;
    BYTE SearchChildren = 0;
    int WaitDelay = 250;             // ms after a window operation or wait
};

class CWindowSearch
{
public:
    WindowSearchOptions Options;

    // The (title, text) that FindWindowByTitle looks for.
    CEngineString Title;
    CEngineString Text;
    // What the last search found.
    HWND FoundWindow = nullptr;
    HWND FoundControl = nullptr;

    // Looks for a window by Title and Text: true when found (FoundWindow).
    bool FindWindowByTitle();
    // FindWindowByTitle found the window, and it is the foreground window.
    bool IsMatchActive();
    // Looks for the window (title, text) and its control named `control`
    // (empty: the window itself): true when found (FoundControl).
    bool FindControl(const char* title, const char* text, const char* control);

private:
    bool TakeForegroundWindow();
    bool MatchWindowTitle(HWND window);
    bool WindowHasText(HWND window);
    static BOOL CALLBACK MatchWindowTitleProc(HWND window, LPARAM search);
    static BOOL CALLBACK WindowTextProc(HWND child, LPARAM search);
    static BOOL CALLBACK ControlProc(HWND child, LPARAM search);

    BYTE m_windowFound = 0;
    CEngineString m_controlSearchText;
    std::map<std::string, unsigned> m_controlCounts;   // instances seen, per class
    BYTE m_controlFound = 0;
    BYTE m_controlByClass = 0;
};

// The text of a window handle as WinGetHandle gives it and the title
// "handle=" matches: eight upper-case hexadecimal digits.
void FormatWindowHandle(HWND window, char* text, size_t size);
