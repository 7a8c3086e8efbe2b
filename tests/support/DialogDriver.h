// Plays the user of one dialog that the code under test shows and waits in
// (a common file or folder dialog, say): a helper thread waits for the first
// visible dialog of this process with the given caption, lets it settle, and
// runs the test's steps on it, such as typing a name and pressing OK. A
// dialog still open after the steps is cancelled, so a test never hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace testing_support {

class DialogDriver
{
public:
    DialogDriver(const std::string& caption, std::function<void(HWND dialog)> steps);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the helper to finish; whether the dialog appeared.
    bool Finish();

private:
    void Drive();

    const std::string m_caption;
    const std::function<void(HWND)> m_steps;
    bool m_found = false;
    bool m_finished = false;
    std::thread m_thread;
};

// Steps a user takes in a dialog.
void TypeIntoDialogItem(HWND dialog, int id, const char* text);
void PressDialogButton(HWND dialog, int id);
// The first descendant of `dialog` of the window class `className`.
HWND FindDialogDescendant(HWND dialog, const char* className);

}  // namespace testing_support
