// Records the system's keyboard and mouse input as low-level hooks see it:
// a thread of its own installs WH_KEYBOARD_LL and WH_MOUSE_LL and runs the
// message loop that the hooks need, so the test's own thread can send input
// (keybd_event, mouse_event) and then read back the exact event sequence.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class InputRecorder
{
public:
    struct Key
    {
        DWORD vk;
        DWORD scan;
        DWORD flags;      // LLKHF_ flags: LLKHF_UP, LLKHF_EXTENDED, LLKHF_INJECTED, ...
        DWORD time;       // ms, the event's own time stamp
        bool Up() const { return (flags & LLKHF_UP) != 0; }
    };
    struct Mouse
    {
        UINT message;     // WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEWHEEL, ...
        POINT point;
        DWORD mouseData;
        DWORD time;
    };

    // Installs the hooks; the recording starts at once.
    InputRecorder();
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // Waits until no event has arrived for `quietMs` (at most 3 s), so that
    // what the sender produced has been seen.
    void Settle(DWORD quietMs = 100) const;
    std::vector<Key> Keys() const;
    std::vector<Mouse> Mice() const;
    void Clear();

    // The key events as text, one "down"/"up" and virtual-key name each:
    // "+SHIFT +A -A -SHIFT" (a "*" marks the extended flag).
    std::string DescribeKeys() const;

private:
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    void Run();

    mutable std::mutex m_mutex;
    std::vector<Key> m_keys;
    std::vector<Mouse> m_mice;
    DWORD m_lastEventTick = 0;
    DWORD m_threadId = 0;
    HANDLE m_ready = nullptr;
    std::thread m_thread;
};

// The name of a virtual key as DescribeKeys writes it: "A", "5", "SHIFT",
// "LSHIFT", "F1", "NUMPAD3", or the code in hexadecimal.
std::string VirtualKeyText(DWORD vk);

}  // namespace testing_support
