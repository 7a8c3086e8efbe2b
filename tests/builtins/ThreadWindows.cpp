#include "tests/builtins/ThreadWindows.h"

namespace builtins_test {

volatile LONG ThreadWindows::LastCommand = 0;

namespace {

const UINT kRunTask = WM_APP + 40;

struct Task
{
    std::function<void()> Work;
    HANDLE Done;   // null: nobody waits
};

LRESULT CALLBACK ThreadWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam == 0)
        InterlockedExchange(&ThreadWindows::LastCommand, static_cast<LONG>(LOWORD(wParam)));
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK DestroyThreadWindow(HWND window, LPARAM)
{
    DestroyWindow(window);
    return TRUE;
}

}  // namespace

ThreadWindows::ThreadWindows()
{
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this] { Loop(); });
    WaitForSingleObject(m_ready, 10000);
}

ThreadWindows::~ThreadWindows()
{
    Run([this] { EnumThreadWindows(m_threadId, DestroyThreadWindow, 0); });
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    CloseHandle(m_ready);
}

void ThreadWindows::Loop()
{
    m_threadId = GetCurrentThreadId();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue
    SetEvent(m_ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == kRunTask) {
            Task* task = reinterpret_cast<Task*>(message.lParam);
            task->Work();
            if (task->Done)
                SetEvent(task->Done);
            else
                delete task;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ThreadWindows::Run(std::function<void()> task)
{
    Task work{std::move(task), CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    PostThreadMessageA(m_threadId, kRunTask, 0, reinterpret_cast<LPARAM>(&work));
    WaitForSingleObject(work.Done, 30000);
    CloseHandle(work.Done);
}

void ThreadWindows::Post(std::function<void()> task)
{
    PostThreadMessageA(m_threadId, kRunTask, 0, reinterpret_cast<LPARAM>(new Task{std::move(task), nullptr}));
}

HWND ThreadWindows::MakeWindow(const char* title, const char* className, int x, int y, HMENU menu)
{
    HWND window = nullptr;
    Run([&] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ThreadWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        window = CreateWindowA(className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 200, nullptr, menu,
                               windowClass.hInstance, nullptr);
    });
    return window;
}

HWND ThreadWindows::MakeChild(HWND parent, const char* className, const char* text, bool visible, int x, int y,
                              int id, DWORD style)
{
    HWND child = nullptr;
    Run([&] {
        child = CreateWindowA(className, text, WS_CHILD | (visible ? WS_VISIBLE : 0) | style, x, y, 120, 24, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    });
    return child;
}

void ThreadWindows::Destroy(HWND window)
{
    Run([window] { DestroyWindow(window); });
}

}  // namespace builtins_test
