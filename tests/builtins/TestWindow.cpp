#include "tests/builtins/TestWindow.h"

namespace builtins_test {

namespace {

const char kClassName[] = "KestruneBuiltinTestWindow";

void RegisterOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    windowClass.style = CS_DBLCLKS;
    RegisterClassA(&windowClass);
    registered = true;
}

}  // namespace

TestWindow::TestWindow(const RECT& screenRect, COLORREF background, std::vector<Patch> patches, bool withEdit)
    : m_background(background), m_patches(std::move(patches))
{
    RegisterOnce();
    m_window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "Kestrune builtin test", WS_POPUP, screenRect.left,
                               screenRect.top, screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    if (withEdit) {
        m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                 screenRect.right - screenRect.left, 30, m_window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    SetForegroundWindow(m_window);
    if (m_edit)
        SetFocus(m_edit);
    // Input goes to the window only once the activation has come through.
    for (int i = 0; i < 40 && GetForegroundWindow() != m_window; ++i)
        Pump(50);
    Pump(100);
}

TestWindow::~TestWindow()
{
    DestroyWindow(m_window);
    Pump(20);
}

std::string TestWindow::EditText() const
{
    char text[4096];
    const int length = GetWindowTextA(m_edit, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

void TestWindow::SetEditText(const char* text)
{
    SetWindowTextA(m_edit, text);
}

void TestWindow::Pump(DWORD quietMs)
{
    DWORD lastMessage = GetTickCount();
    const DWORD start = lastMessage;
    for (;;) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            lastMessage = GetTickCount();
            continue;
        }
        const DWORD now = GetTickCount();
        if (now - lastMessage >= quietMs || now - start >= 5000)
            return;
        Sleep(5);
    }
}

void TestWindow::RepaintPatch(size_t index, COLORREF colour)
{
    m_patches.at(index).colour = colour;
    InvalidateRect(m_window, &m_patches[index].rect, FALSE);
    UpdateWindow(m_window);
    Pump();
}

int TestWindow::Count(UINT message) const
{
    int count = 0;
    for (const Message& seen : m_messages)
        count += seen.message == message ? 1 : 0;
    return count;
}

void TestWindow::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_window, &paint);
    RECT client;
    GetClientRect(m_window, &client);
    const HBRUSH background = CreateSolidBrush(m_background);
    FillRect(dc, &client, background);
    DeleteObject(background);
    for (const Patch& patch : m_patches) {
        const HBRUSH brush = CreateSolidBrush(patch.colour);
        FillRect(dc, &patch.rect, brush);
        DeleteObject(brush);
    }
    EndPaint(m_window, &paint);
}

LRESULT CALLBACK TestWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TestWindow* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
        if (message == WM_PAINT) {
            self->Paint();
            return 0;
        }
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
            const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            self->m_messages.push_back(Message{message, wParam, lParam, point});
        } else if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
            self->m_messages.push_back(Message{message, wParam, lParam, POINT{0, 0}});
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TestWindowThread::TestWindowThread(const RECT& screenRect)
{
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, screenRect] {
        TestWindow window(screenRect, RGB(255, 255, 255), {}, true);
        m_window = window.Handle();
        m_edit = window.Edit();
        m_threadId = GetCurrentThreadId();
        SetEvent(m_ready);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    });
    WaitForSingleObject(m_ready, 10000);
}

TestWindowThread::~TestWindowThread()
{
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    CloseHandle(m_ready);
}

std::string TestWindowThread::SettledEditText() const
{
    std::string text;
    DWORD lastChange = GetTickCount();
    const DWORD start = lastChange;
    for (;;) {
        char buffer[4096];
        const LRESULT length = SendMessageA(m_edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        const std::string now(buffer, length > 0 ? static_cast<size_t>(length) : 0);
        if (now != text) {
            text = now;
            lastChange = GetTickCount();
        }
        if (GetTickCount() - lastChange >= 200 || GetTickCount() - start >= 5000)
            return text;
        Sleep(10);
    }
}

}  // namespace builtins_test
