#include "engine/support/MouseInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using namespace EngineSupport;

namespace {

struct MouseEvent
{
    UINT message;
    short wheelDelta;
};

// Sees the synthetic mouse input through a low-level hook on a thread of its
// own, and swallows it, so that no other window of the session is clicked.
class MouseInputWatcher
{
public:
    MouseInputWatcher()
    {
        s_watcher = this;
        m_thread = std::thread([this] { Run(); });
        while (!m_ready)
            Sleep(5);
    }
    ~MouseInputWatcher()
    {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
        s_watcher = nullptr;
    }
    MouseInputWatcher(const MouseInputWatcher&) = delete;
    MouseInputWatcher& operator=(const MouseInputWatcher&) = delete;

    bool Hooked() const { return m_hook != nullptr; }

    // Waits until `count` events have arrived; gives those seen.
    std::vector<MouseEvent> WaitFor(size_t count)
    {
        for (int i = 0; i < 300; ++i) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_events.size() >= count)
                    break;
            }
            Sleep(10);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<MouseEvent> events;
        events.swap(m_events);
        return events;
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (code == HC_ACTION && s_watcher && wParam != WM_MOUSEMOVE) {
            std::lock_guard<std::mutex> lock(s_watcher->m_mutex);
            s_watcher->m_events.push_back({static_cast<UINT>(wParam), static_cast<short>(HIWORD(info->mouseData))});
            return 1;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void Run()
    {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue
        m_threadId = GetCurrentThreadId();
        m_hook = SetWindowsHookExA(WH_MOUSE_LL, Hook, GetModuleHandleA(nullptr), 0);
        m_ready = true;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        if (m_hook)
            UnhookWindowsHookEx(m_hook);
    }

    static MouseInputWatcher* s_watcher;
    std::thread m_thread;
    std::atomic<bool> m_ready{false};
    DWORD m_threadId = 0;
    HHOOK m_hook = nullptr;
    std::mutex m_mutex;
    std::vector<MouseEvent> m_events;
};

MouseInputWatcher* MouseInputWatcher::s_watcher = nullptr;

TEST(MouseInput, ButtonsByNameAnyOtherNameIsTheLeftButton)
{
    MouseInputWatcher watcher;
    ASSERT_TRUE(watcher.Hooked());
    struct Case
    {
        const char* button;
        UINT down;
        UINT up;
    } cases[] = {
        {"RIGHT", WM_RBUTTONDOWN, WM_RBUTTONUP},
        {"right", WM_RBUTTONDOWN, WM_RBUTTONUP},
        {"Middle", WM_MBUTTONDOWN, WM_MBUTTONUP},
        {"LEFT", WM_LBUTTONDOWN, WM_LBUTTONUP},
        {"primary", WM_LBUTTONDOWN, WM_LBUTTONUP},
        {"", WM_LBUTTONDOWN, WM_LBUTTONUP},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        MouseButtonDown(c.button);
        MouseButtonUp(c.button);
        const std::vector<MouseEvent> events = watcher.WaitFor(2);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].message, c.down);
        EXPECT_EQ(events[1].message, c.up);
    }
}

TEST(MouseInput, WheelStepsUpForUpAndDownOtherwise)
{
    MouseInputWatcher watcher;
    ASSERT_TRUE(watcher.Hooked());
    MouseWheelStep("UP");
    MouseWheelStep("up");
    MouseWheelStep("DOWN");
    MouseWheelStep("sideways");
    const std::vector<MouseEvent> events = watcher.WaitFor(4);
    ASSERT_EQ(events.size(), 4u);
    const short expected[] = {WHEEL_DELTA, WHEEL_DELTA, -WHEEL_DELTA, -WHEEL_DELTA};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(events[i].message, static_cast<UINT>(WM_MOUSEWHEEL));
        EXPECT_EQ(events[i].wheelDelta, expected[i]);
    }
}

}  // namespace
