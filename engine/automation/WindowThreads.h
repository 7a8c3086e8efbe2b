// Threads of other windows: whether a window answers, and sharing its
// thread's input for the time of an operation.
#pragma once

#include <windows.h>

// True when `window` does not answer a WM_NULL within `ms` milliseconds.
bool IsWindowHung(HWND window, UINT ms);

// Attaches the calling thread's input to `window`'s thread (not when the
// window is hung), or detaches it again.
void AttachToWindowThread(HWND window, bool attach);

// How long a window may take to answer before it counts as hung.
const UINT kHungWindowTimeout = 5000;

// Shares `window`'s thread input for the life of the object (not when the
// window is hung), and gives it back on every path.
class ThreadInputScope
{
public:
    explicit ThreadInputScope(HWND window) : m_window(window) { AttachToWindowThread(window, true); }
    ~ThreadInputScope() { AttachToWindowThread(m_window, false); }
    ThreadInputScope(const ThreadInputScope&) = delete;
    ThreadInputScope& operator=(const ThreadInputScope&) = delete;

private:
    HWND m_window;
};
