// The probe: looks at a running Kestrune.exe from another process and
// drives it as a user would, through the windows, messages and input that
// any other program has: its main window and list, the hot keys it holds,
// its message boxes, and the keyboard and mouse. The end-to-end tests use it,
// and so does kestrune_probe.exe (ProbeMain.cpp) for tools/run.sh.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrune_probe {

// The main window: the top-level window captioned "Brenvik Kestrune" that
// holds the macro list (control 1001); null when there is none. With a
// process id, only a window of that process counts.
HWND FindMainWindow(DWORD processId = 0);
// Waits for it to exist (and to be visible, when asked); null on time-out.
HWND WaitForMainWindow(DWORD timeoutMs, bool visible = true, DWORD processId = 0);
HWND MacroListOf(HWND mainWindow);

// One row of the macro list as the user sees it.
struct ListRow
{
    bool checked = false;
    std::vector<std::string> texts;   // the five columns; the first is empty
};
// The rows of a list view of another process (its texts are read through
// memory lent in that process).
std::vector<ListRow> ReadListRows(HWND list);
// A row's rectangle on the screen; false when there is no such row.
bool ListRowRect(HWND list, int row, RECT& screen);

// A visible top-level dialog (message box) of the process, other than its
// main window, whose texts contain `text`; null when there is none. WaitForDialog waits for one.
HWND FindDialog(DWORD processId, const std::string& text);
HWND WaitForDialog(DWORD processId, const std::string& text, DWORD timeoutMs);
// The texts of a dialog's static controls, joined by "\n".
std::string DialogText(HWND dialog);
// Presses one of the dialog's buttons (IDOK, IDYES, IDNO, ...) as a click would.
void PressDialogButton(HWND dialog, int buttonId);

// Whether some program holds the hot key: the probe's own registration of
// it fails then.
bool IsHotKeyHeld(UINT modifiers, UINT virtualKey);
// Presses and releases the key with its modifiers (SendInput).
void PressHotKey(UINT modifiers, UINT virtualKey);

// Makes the window the foreground window, as a click on it would.
bool BringToFront(HWND window);

// The window as the screen shows it, saved as a PNG file; false on failure.
// With `clientOnly`, only its client area (the frame is the window
// manager's to draw, and a virtual display may have none).
bool SaveWindowPicture(HWND window, const std::string& path, bool clientOnly = false);

// Polls `done` every 20 ms until it holds (true) or `timeoutMs` passes.
template <class Condition>
bool WaitUntil(Condition done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}

}  // namespace kestrune_probe
