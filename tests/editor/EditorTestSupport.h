// What the editor tests share: the user's side of the editor's dialogs,
// played from a helper thread while the dialog under test runs modally on
// the test's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace editor_tests {

// Moves the mouse and waits until the system reports the cursor there, so
// that a hot key pressed next reads the new point.
void MoveMouseAndWait(POINT screen);

// Waits until no program holds the hot key: one that a test before this one
// held may take a moment to be let go after that test's process ended.
bool WaitUntilHotKeyFree(UINT modifiers, UINT virtualKey);

// Holds the modifiers down, presses the key, lets the modifiers go.
void PressChord(std::initializer_list<WORD> modifiers, WORD key);

// Returns once the window's thread has handled what was posted to it
// before the call (a hot key just pressed, say): of two messages sent one
// after the other, the second goes through the thread's message loop only
// after the loop has taken what was queued behind the first.
void WaitUntilHandled(HWND window);

// Under Wine a hot key pressed right after another process let the same key
// go is at times lost: plays `press` and waits up to 2 s for `done`, up to
// three times. True once `done` holds.
bool PressUntil(const std::function<void()>& press, const std::function<bool()>& done);

// The text of a dialog's control, read from another thread.
std::string ItemText(HWND dialog, int id);
// Waits until the control's text is `expected`; false on time-out.
bool WaitForItemText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs = 5000);

// A message box or question of this process captioned "Brenvik Kestrune"
// (owned by a window: not the main window), other than `except`: waits for it, notes its text, presses `button` and
// waits until it is gone. Returns its text, or "<none>" on time-out.
// `before` runs on the box first (to tick its check box, say).
std::string AnswerMessageBox(int button = IDOK, DWORD timeoutMs = 5000, HWND except = nullptr,
                             const std::function<void(HWND)>& before = {});

// Brings the dialog to the front and gives the control the keyboard focus,
// as a click on it would.
void FocusItem(HWND dialog, int id);

}  // namespace editor_tests

namespace editor_tests {

// The pane body of the editor that holds a control of this id (the ids of
// the step editors overlap, so the caller names one that only that body
// has); null when there is none.
HWND PageWith(HWND editor, int uniqueControlId);

// Types into a control as WM_SETTEXT would (the user's paste).
void SetItemText(HWND dialog, int id, const std::string& text);

}  // namespace editor_tests

namespace editor_tests {

// A visible dialog of this process with that caption, once it shows; null
// on time-out.
HWND WaitForDialogCaptioned(const std::string& caption, DWORD timeoutMs = 5000);

// The rows' texts of column `column` of a list view of this process.
std::vector<std::string> ListColumn(HWND list, int column);
// The selected rows of a list view, ascending.
std::vector<int> SelectedRows(HWND list);

}  // namespace editor_tests
