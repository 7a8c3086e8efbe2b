// Windows of another thread for the window and control builtins: a thread
// of the test with its own message loop makes the windows, answers their
// messages as another program would, and can be told to stop answering.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace builtins_test {

class ThreadWindows
{
public:
    ThreadWindows();
    ~ThreadWindows();   // destroys the thread's windows
    ThreadWindows(const ThreadWindows&) = delete;
    ThreadWindows& operator=(const ThreadWindows&) = delete;

    // Runs `task` on the windows' thread; Run waits for it, Post does not.
    void Run(std::function<void()> task);
    void Post(std::function<void()> task);

    // A top-level window of a class of its own (`className`), shown, at
    // (x, y) 300 x 200; with `menu`, that menu.
    HWND MakeWindow(const char* title, const char* className = "KestruneThreadWindow", int x = 40, int y = 40,
                    HMENU menu = nullptr);
    // A child control of `parent` at (x, y) 120 x 24 with id `id`.
    HWND MakeChild(HWND parent, const char* className, const char* text, bool visible = true, int x = 10,
                   int y = 10, int id = 0, DWORD style = 0);
    void Destroy(HWND window);
    DWORD ThreadId() const { return m_threadId; }

    // The last WM_COMMAND id that a window of MakeWindow received.
    static volatile LONG LastCommand;

private:
    void Loop();

    DWORD m_threadId = 0;
    HANDLE m_ready = nullptr;
    std::thread m_thread;
};

}  // namespace builtins_test
