// A window of the test's own thread for the input and pixel tests: a borderless
// top-level window at a fixed place on the screen, in the foreground, painted
// in the colours asked for, recording the mouse and key messages that reach
// it, and optionally holding an EDIT control that has the keyboard focus.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace builtins_test {

class TestWindow
{
public:
    struct Patch
    {
        RECT rect;          // client coordinates
        COLORREF colour;
    };
    struct Message
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        POINT point;        // of a mouse message: client coordinates
    };

    // A window covering `screenRect`, filled with `background` and then the
    // patches; with `withEdit` an EDIT child fills its top 30 pixels.
    TestWindow(const RECT& screenRect, COLORREF background, std::vector<Patch> patches = {}, bool withEdit = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_window; }
    HWND Edit() const { return m_edit; }
    std::string EditText() const;
    void SetEditText(const char* text);

    // Paints patch `index` in another colour.
    void RepaintPatch(size_t index, COLORREF colour);

    // Dispatches this thread's messages until none has come for `quietMs`.
    static void Pump(DWORD quietMs = 60);

    // Mouse and key messages received so far, and the count of one kind.
    const std::vector<Message>& Messages() const { return m_messages; }
    int Count(UINT message) const;
    void ClearMessages() { m_messages.clear(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND m_window = nullptr;
    HWND m_edit = nullptr;
    COLORREF m_background;
    std::vector<Patch> m_patches;
    std::vector<Message> m_messages;
};

// A TestWindow with an edit on a thread of its own, reading its messages as
// they arrive, as the window of another program would.
class TestWindowThread
{
public:
    explicit TestWindowThread(const RECT& screenRect);
    ~TestWindowThread();
    TestWindowThread(const TestWindowThread&) = delete;
    TestWindowThread& operator=(const TestWindowThread&) = delete;

    HWND Handle() const { return m_window; }
    HWND Edit() const { return m_edit; }
    // The edit's text once it has stopped changing.
    std::string SettledEditText() const;

private:
    HWND m_window = nullptr;
    HWND m_edit = nullptr;
    DWORD m_threadId = 0;
    HANDLE m_ready = nullptr;
    std::thread m_thread;
};

}  // namespace builtins_test
