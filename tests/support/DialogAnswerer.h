// Answers the message boxes and dialogs that the code under test shows, as a
// user would: a watcher thread finds each new dialog window (class "#32770")
// of this process, notes its caption and text, and presses a button.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class DialogAnswerer
{
public:
    struct Seen
    {
        std::string caption;
        std::string text;     // the texts of its static controls, joined by "\n"
        DWORD style = 0;
        DWORD exStyle = 0;
    };

    // Starts watching; every dialog found is answered with `button` (an id
    // such as IDOK, IDYES or IDCANCEL) after `delayMs`, except the test's
    // own dialogs listed in `ignore`.
    explicit DialogAnswerer(int button = IDOK, DWORD delayMs = 0, const std::vector<HWND>& ignore = {});
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // The dialogs answered so far, in order.
    std::vector<Seen> Dialogs() const;
    // Waits until at least `count` dialogs were answered; false on time-out.
    bool WaitFor(size_t count, DWORD timeoutMs = 5000) const;

private:
    void Watch();
    void Answer(HWND dialog);

    const int m_button;
    const DWORD m_delayMs;
    mutable std::mutex m_mutex;
    std::vector<Seen> m_seen;
    std::vector<HWND> m_answered;
    volatile bool m_stop = false;
    std::thread m_thread;
};

}  // namespace testing_support
