// Typing into an edit control: SEND types a 1,000-character text (letters,
// capitals, digits and punctuation) into the focused EDIT control of a
// window that reads its input on its own thread, as another program would,
// under several key delays. It prints the time taken against the time the
// delays alone account for (each character pauses twice for each delay: the
// key-down delay after its modifiers go down and after the key goes down, the
// key delay after the key and after its modifiers come up), and checks that
// the text arrived whole.
//
// Run under Wine after a build:
//   tools/wine-session.sh --temp-prefix --virtual-display -- wine build/bench/key_typing_bench.exe
#include "bench/BuiltinBench.h"

#include <windows.h>

#include <stdio.h>

#include <string>
#include <thread>

using namespace builtin_bench;

namespace {

const int kTextLength = 1000;

// A window with a multi-line edit, on a thread of its own.
class EditWindow
{
public:
    EditWindow()
    {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = std::thread([this, ready] {
            m_window = CreateWindowExA(WS_EX_TOPMOST, "EDIT", "", WS_POPUP | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL,
                                       50, 50, 900, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            SetForegroundWindow(m_window);
            SetFocus(m_window);
            m_threadId = GetCurrentThreadId();
            SetEvent(ready);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            DestroyWindow(m_window);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
        // Keys go where the focus is once the window has really become the
        // foreground window; until then the first Shift could go astray.
        for (int i = 0; i < 200 && GetForegroundWindow() != m_window; ++i)
            Sleep(10);
        Sleep(200);
    }
    ~EditWindow()
    {
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    void Clear() { SendMessageA(m_window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }
    // The text once it has stopped growing.
    std::string SettledText() const
    {
        std::string text;
        double lastChange = NowMs();
        for (;;) {
            static char buffer[8192];
            const LRESULT length = SendMessageA(m_window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
            const std::string now(buffer, static_cast<size_t>(length > 0 ? length : 0));
            if (now != text) {
                text = now;
                lastChange = NowMs();
            }
            if (NowMs() - lastChange > 300)
                return text;
            Sleep(10);
        }
    }

private:
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
};

std::string SampleText(int& shifted)
{
    const char kPattern[] = "The quick brown fox, 42 Jumps; over: the LAZY dog. ";
    std::string text;
    shifted = 0;
    while (static_cast<int>(text.size()) < kTextLength) {
        const char ch = kPattern[text.size() % (sizeof kPattern - 1)];
        text += ch;
        shifted += (VkKeyScanA(ch) & 0x100) ? 1 : 0;
    }
    return text;
}

}  // namespace

int main()
{
    int shifted = 0;
    const std::string text = SampleText(shifted);
    EditWindow edit;
    printf("SEND of %d characters (%d with Shift) into an edit control\n", kTextLength, shifted);
    printf("%-20s %10s %12s %12s %14s %6s\n", "delays (down/after)", "total ms", "ms per char", "delays ms",
           "overhead/char", "text");
    const struct { int down; int after; } delays[] = {{1, 5}, {0, 0}, {-1, -1}, {5, 10}};
    for (const auto& delay : delays) {
        CEngineVariant result;
        Call("OPT", {Text("SendKeyDownDelay"), Int(delay.down)}, result);
        Call("OPT", {Text("SendKeyDelay"), Int(delay.after)}, result);
        edit.Clear();
        const double start = NowMs();
        Call("SEND", {Text(text.c_str()), Int(1)}, result);
        const double elapsed = NowMs() - start;
        const std::string typed = edit.SettledText();
        const bool whole = typed == text;
        const int down = delay.down > 0 ? delay.down : 0, after = delay.after > 0 ? delay.after : 0;
        const double expected = static_cast<double>(kTextLength) * 2 * (down + after);
        char label[32];
        snprintf(label, sizeof label, "%d / %d ms", delay.down, delay.after);
        printf("%-20s %10.0f %12.2f %12.0f %14.3f %6s\n", label, elapsed, elapsed / kTextLength, expected,
               (elapsed - expected) / kTextLength, whole ? "whole" : "LOST");
    }
    return 0;
}
