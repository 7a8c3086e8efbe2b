#include "engine/support/TimedMessageBox.h"

#include <mmsystem.h>
#include <string.h>

#include <atomic>

namespace EngineSupport {

namespace {

// What one call shares with its closing thread. The caller writes `running`;
// the thread writes `timedOut`; the hook, on the caller's thread, writes
// `box`. The caller reads `timedOut` only after the thread has ended.
struct PendingBox
{
    DWORD timeoutMs = 0;
    std::atomic<bool> running{false};
    std::atomic<bool> timedOut{false};
    std::atomic<HWND> box{nullptr};
};

// The call on this thread that waits for its box to be created. A box shown
// from a message handler while another is open nests: each call keeps the
// one before and puts it back.
thread_local PendingBox* t_waitingForBox = nullptr;

bool IsDialogClass(HWND window)
{
    char name[16];
    return GetClassNameA(window, name, sizeof name) > 0 && strcmp(name, "#32770") == 0;
}

// The first top-level dialog created on this thread after the hook is set is
// the message box: MessageBoxA creates it before it runs its message loop.
LRESULT CALLBACK NoteMessageBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_waitingForBox && !t_waitingForBox->box) {
        HWND window = reinterpret_cast<HWND>(wParam);
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (!(create->style & WS_CHILD) && IsDialogClass(window))
            t_waitingForBox->box = window;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI CloseWhenTimedOut(void* parameter)
{
    PendingBox& pending = *static_cast<PendingBox*>(parameter);
    const DWORD start = timeGetTime();
    while (pending.running) {
        HWND box = pending.box;
        // The box may still be in the making when a very short time-out ends,
        // so the thread keeps looking until it has one to close.
        if (box && timeGetTime() - start >= pending.timeoutMs) {
            pending.timedOut = true;
            EndDialog(box, 1);
            break;
        }
        Sleep(10);
    }
    return 0;
}

}  // namespace

int MessageBoxWithTimeout(HWND owner, const char* text, const char* caption, UINT type, DWORD timeoutMs)
{
    PendingBox pending;
    pending.timeoutMs = timeoutMs;

    HANDLE closer = nullptr;
    HHOOK hook = nullptr;
    PendingBox* outer = t_waitingForBox;
    if (timeoutMs != 0) {
        hook = SetWindowsHookExA(WH_CBT, NoteMessageBox, nullptr, GetCurrentThreadId());
        if (hook) {
            t_waitingForBox = &pending;
            pending.running = true;
            closer = CreateThread(nullptr, 0, CloseWhenTimedOut, &pending, 0, nullptr);
            if (!closer)
                pending.running = false;
        }
    }

    const int answer = MessageBoxA(owner, text, caption, type);

    pending.running = false;
    if (closer) {
        WaitForSingleObject(closer, INFINITE);
        CloseHandle(closer);
    }
    if (hook) {
        UnhookWindowsHookEx(hook);
        t_waitingForBox = outer;
    }
    return pending.timedOut ? -1 : answer;
}

}  // namespace EngineSupport
