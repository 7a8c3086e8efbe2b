#include "tests/support/InputRecorder.h"

#include <stdio.h>

namespace testing_support {

namespace {

// The one recorder whose hooks are installed (hook procedures get no context).
InputRecorder* g_recorder = nullptr;

}  // namespace

InputRecorder::InputRecorder()
{
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_recorder = this;
    m_thread = std::thread([this] { Run(); });
    WaitForSingleObject(m_ready, 10000);
}

InputRecorder::~InputRecorder()
{
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
    g_recorder = nullptr;
    CloseHandle(m_ready);
}

void InputRecorder::Run()
{
    m_threadId = GetCurrentThreadId();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, instance, 0);
    const HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, instance, 0);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue exists now
    SetEvent(m_ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    UnhookWindowsHookEx(keyboard);
    UnhookWindowsHookEx(mouse);
}

LRESULT CALLBACK InputRecorder::KeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_recorder) {
        const KBDLLHOOKSTRUCT& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        std::lock_guard<std::mutex> lock(g_recorder->m_mutex);
        g_recorder->m_keys.push_back(Key{event.vkCode, event.scanCode, event.flags, event.time});
        g_recorder->m_lastEventTick = GetTickCount();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InputRecorder::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_recorder) {
        const MSLLHOOKSTRUCT& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        std::lock_guard<std::mutex> lock(g_recorder->m_mutex);
        g_recorder->m_mice.push_back(Mouse{static_cast<UINT>(wParam), event.pt, event.mouseData, event.time});
        g_recorder->m_lastEventTick = GetTickCount();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void InputRecorder::Settle(DWORD quietMs) const
{
    const DWORD start = GetTickCount();
    for (;;) {
        Sleep(10);
        DWORD last;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            last = m_lastEventTick;
        }
        const DWORD now = GetTickCount();
        if ((now - last >= quietMs && now - start >= quietMs) || now - start >= 3000)
            return;
    }
}

std::vector<InputRecorder::Key> InputRecorder::Keys() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keys;
}

std::vector<InputRecorder::Mouse> InputRecorder::Mice() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mice;
}

void InputRecorder::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_keys.clear();
    m_mice.clear();
}

std::string InputRecorder::DescribeKeys() const
{
    std::string text;
    for (const Key& key : Keys()) {
        if (!text.empty())
            text += " ";
        text += key.Up() ? "-" : "+";
        text += VirtualKeyText(key.vk);
        if (key.flags & LLKHF_EXTENDED)
            text += "*";
    }
    return text;
}

std::string VirtualKeyText(DWORD vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string(1, static_cast<char>(vk));
    if (vk >= VK_F1 && vk <= VK_F24)
        return "F" + std::to_string(vk - VK_F1 + 1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return "NUMPAD" + std::to_string(vk - VK_NUMPAD0);
    static const struct { DWORD vk; const char* name; } kNames[] = {
        {VK_BACK, "BACK"}, {VK_TAB, "TAB"}, {VK_RETURN, "RETURN"}, {VK_SHIFT, "SHIFT"},
        {VK_CONTROL, "CONTROL"}, {VK_MENU, "MENU"}, {VK_PAUSE, "PAUSE"}, {VK_CAPITAL, "CAPITAL"},
        {VK_ESCAPE, "ESCAPE"}, {VK_SPACE, "SPACE"}, {VK_PRIOR, "PRIOR"}, {VK_NEXT, "NEXT"},
        {VK_END, "END"}, {VK_HOME, "HOME"}, {VK_LEFT, "LEFT"}, {VK_UP, "UP"}, {VK_RIGHT, "RIGHT"},
        {VK_DOWN, "DOWN"}, {VK_INSERT, "INSERT"}, {VK_DELETE, "DELETE"}, {VK_LWIN, "LWIN"},
        {VK_RWIN, "RWIN"}, {VK_APPS, "APPS"}, {VK_NUMLOCK, "NUMLOCK"}, {VK_SCROLL, "SCROLL"},
        {VK_LSHIFT, "LSHIFT"}, {VK_RSHIFT, "RSHIFT"}, {VK_LCONTROL, "LCONTROL"},
        {VK_RCONTROL, "RCONTROL"}, {VK_LMENU, "LMENU"}, {VK_RMENU, "RMENU"}, {VK_DIVIDE, "DIVIDE"},
        {VK_OEM_1, "OEM_1"}, {VK_OEM_PLUS, "OEM_PLUS"}, {VK_OEM_COMMA, "OEM_COMMA"},
        {VK_OEM_MINUS, "OEM_MINUS"}, {VK_OEM_PERIOD, "OEM_PERIOD"}, {VK_OEM_2, "OEM_2"},
        {VK_OEM_3, "OEM_3"}, {VK_OEM_4, "OEM_4"}, {VK_OEM_5, "OEM_5"}, {VK_OEM_6, "OEM_6"},
        {VK_OEM_7, "OEM_7"},
    };
    for (const auto& entry : kNames)
        if (entry.vk == vk)
            return entry.name;
    char code[8];
    snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(vk));
    return code;
}

}  // namespace testing_support
