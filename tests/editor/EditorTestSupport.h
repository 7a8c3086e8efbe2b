// What the editor tests share: the user's side of the editor's dialogs,
// played from a helper thread while the dialog under test runs modally on
// the test's thread.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace editor_tests {

// Holds the modifiers down, presses the key, lets the modifiers go.
void PressChord(std::initializer_list<WORD> modifiers, WORD key);

// The text of a dialog's control, read from another thread.
std::string ItemText(HWND dialog, int id);
// Waits until the control's text is `expected`; false on time-out.
bool WaitForItemText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs = 5000);

// A message box or question of this process captioned "Brenvik Kestrune",
// other than `except`: waits for it, notes its text, presses `button` and
// waits until it is gone. Returns its text, or "<none>" on time-out.
std::string AnswerMessageBox(int button = IDOK, DWORD timeoutMs = 5000, HWND except = nullptr);

// Brings the dialog to the front and gives the control the keyboard focus,
// as a click on it would.
void FocusItem(HWND dialog, int id);

}  // namespace editor_tests
