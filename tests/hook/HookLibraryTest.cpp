// The hook library as the recorder uses it: loaded from its file, installed
// on a window of this thread, and fed real input (SendInput) from a second
// thread while this one pumps messages, as the recorder's UI thread does.
//
// Every input sequence ends with the release of F24, the marker. The test's
// own low-level hooks are installed before the library's, so the system
// calls them after it: once they have seen the marker, whatever the library
// was going to post for the sequence is in the queue.
#include "hook/HookMessages.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace {

const WORD kMarkerKey = VK_F24;

struct Posted
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Posted> g_posted;   // the hook messages the window received
bool g_markerSeen = false;

LRESULT CALLBACK CollectorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOOK_MOUSEMOVE:
    case WM_HOOK_MOUSE:
    case WM_HOOK_KEY:
        g_posted.push_back(Posted{message, wParam, lParam});
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        return 0;   // no menu loop for the Alt combinations
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK MarkerKeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && key->vkCode == kMarkerKey && (key->flags & LLKHF_UP))
        g_markerSeen = true;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PassMouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    Pump();
    return true;
}

struct Key
{
    WORD vk;
    bool up;
};

INPUT KeyInput(Key key)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key.vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = key.up ? KEYEVENTF_KEYUP : 0;
    if (key.vk == VK_RCONTROL || key.vk == VK_RMENU)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

INPUT MoveInput(POINT screen)
{
    // Absolute co-ordinates run from 0 to 65535 across the screen; aim at
    // the middle of the pixel.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<LONG>((screen.x * 65536LL + 32768) / width),
                      static_cast<LONG>((screen.y * 65536LL + 32768) / height));
}

class HookLibrary : public testing::Test
{
protected:
    void SetUp() override
    {
        g_posted.clear();
        g_markerSeen = false;
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CollectorProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "KestruneHookCollector";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Hook test", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                   100, 100, 300, 200, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(m_window, nullptr);
        m_target = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 150, 60, 100, 80,
                                   m_window, nullptr, instance, nullptr);
        SetForegroundWindow(m_window);
        SetFocus(m_window);
        Pump();

        m_markerKeyboard = SetWindowsHookExA(WH_KEYBOARD_LL, MarkerKeyboardProc, instance, 0);
        m_markerMouse = SetWindowsHookExA(WH_MOUSE_LL, PassMouseProc, instance, 0);
        ASSERT_TRUE(m_markerKeyboard && m_markerMouse);

        m_library = LoadLibraryA(KESTRUNE_HOOK_LIBRARY_PATH);
        ASSERT_NE(m_library, nullptr) << KESTRUNE_HOOK_LIBRARY_PATH;
        m_install = reinterpret_cast<InstallHookFn>(reinterpret_cast<void*>(GetProcAddress(m_library, "InstallHook")));
        m_uninstall = reinterpret_cast<UninstallHookFn>(reinterpret_cast<void*>(GetProcAddress(m_library, "UninstallHook")));
        ASSERT_TRUE(m_install && m_uninstall) << "both entry points, by their plain names";
    }

    void TearDown() override
    {
        if (m_library) {
            m_uninstall();
            FreeLibrary(m_library);
        }
        UnhookWindowsHookEx(m_markerKeyboard);
        UnhookWindowsHookEx(m_markerMouse);
        DestroyWindow(m_window);
    }

    // Sends the inputs and the marker from a second thread, and returns
    // what reached the window, in order, the marker's own messages left out.
    std::vector<Posted> Send(std::vector<INPUT> inputs)
    {
        g_posted.clear();
        g_markerSeen = false;
        inputs.push_back(KeyInput({kMarkerKey, false}));
        inputs.push_back(KeyInput({kMarkerKey, true}));
        std::thread sender([&] {
            for (INPUT& input : inputs)
                SendInput(1, &input, sizeof input);
        });
        const bool seen = PumpUntil([] { return g_markerSeen; });
        sender.join();
        EXPECT_TRUE(seen) << "the marker key arrived";
        Pump();
        std::vector<Posted> posted;
        for (const Posted& p : g_posted)
            if (!(p.message == WM_HOOK_KEY && p.wParam == kMarkerKey))
                posted.push_back(p);
        return posted;
    }

    bool Install() { return m_install(m_library, m_window); }

    HWND m_window = nullptr;
    HWND m_target = nullptr;   // a known window to click on
    HHOOK m_markerKeyboard = nullptr;
    HHOOK m_markerMouse = nullptr;
    HMODULE m_library = nullptr;
    InstallHookFn m_install = nullptr;
    UninstallHookFn m_uninstall = nullptr;
};

std::vector<INPUT> KeyInputs(const std::vector<Key>& keys)
{
    std::vector<INPUT> inputs;
    for (Key key : keys)
        inputs.push_back(KeyInput(key));
    return inputs;
}

TEST(HookMessagePoint, PositionsArePackedAsSignedSixteenBitNumbers)
{
    const POINT cases[] = {{0, 0}, {1279, 1023}, {-1, -1}, {-1920, 40}, {300, -1080}, {32767, -32768}};
    for (POINT p : cases) {
        const LPARAM packed = HookPackPoint(p);
        EXPECT_EQ(LOWORD(packed), static_cast<WORD>(p.x));
        EXPECT_EQ(HIWORD(packed), static_cast<WORD>(p.y));
        const POINT back = HookUnpackPoint(packed);
        EXPECT_EQ(back.x, p.x);
        EXPECT_EQ(back.y, p.y);
    }
    EXPECT_EQ(WM_HOOK_MOUSEMOVE, 0x40Eu);
    EXPECT_EQ(WM_HOOK_MOUSE, 0x40Fu);
    EXPECT_EQ(WM_HOOK_KEY, 0x410u);
}

TEST_F(HookLibrary, KeysArriveWithTheirCodeAndTransition)
{
    ASSERT_TRUE(Install());
    const struct
    {
        const char* name;
        std::vector<Key> keys;
        std::vector<Key> reported;
    } cases[] = {
        {"a plain key", {{'K', false}, {'K', true}}, {{'K', false}, {'K', true}}},
        {"Shift+A",
         {{VK_SHIFT, false}, {'A', false}, {'A', true}, {VK_SHIFT, true}},
         {{VK_SHIFT, false}, {'A', false}, {'A', true}, {VK_SHIFT, true}}},
        {"Ctrl+C with the right Ctrl key",
         {{VK_RCONTROL, false}, {'C', false}, {'C', true}, {VK_RCONTROL, true}},
         {{VK_CONTROL, false}, {'C', false}, {'C', true}, {VK_CONTROL, true}}},
        {"Alt+F, reported by the system as system keys",
         {{VK_MENU, false}, {'F', false}, {'F', true}, {VK_MENU, true}},
         {{VK_MENU, false}, {'F', false}, {'F', true}, {VK_MENU, true}}},
        {"Ctrl+Alt+R with the left keys",
         {{VK_LCONTROL, false}, {VK_LMENU, false}, {'R', false}, {'R', true}, {VK_LMENU, true}, {VK_LCONTROL, true}},
         {{VK_CONTROL, false}, {VK_MENU, false}, {'R', false}, {'R', true}, {VK_MENU, true}, {VK_CONTROL, true}}},
        {"Shift+Tab with the right Shift key",
         {{VK_RSHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_RSHIFT, true}},
         {{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}}},
    };
    for (const auto& c : cases) {
        const std::vector<Posted> posted = Send(KeyInputs(c.keys));
        ASSERT_EQ(posted.size(), c.reported.size()) << c.name;
        for (size_t i = 0; i < posted.size(); ++i) {
            EXPECT_EQ(posted[i].message, static_cast<UINT>(WM_HOOK_KEY)) << c.name << ", message " << i;
            EXPECT_EQ(posted[i].wParam, c.reported[i].vk) << c.name << ", message " << i;
            EXPECT_EQ(HIWORD(posted[i].lParam), c.reported[i].up ? WM_KEYUP : WM_KEYDOWN) << c.name << ", message " << i;
            EXPECT_EQ(LOWORD(posted[i].lParam), 0) << c.name << ", message " << i;
        }
    }
}

TEST_F(HookLibrary, MovesClicksAndTheWheelArriveWithTheirFields)
{
    RECT target;
    GetWindowRect(m_target, &target);
    const POINT start = {20, 30};
    const POINT over = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    const POINT later = {over.x + 5, over.y + 3};
    Send({MoveInput({5, 5})});   // the cursor starts elsewhere
    ASSERT_TRUE(Install());

    const std::vector<Posted> posted = Send({
        MoveInput(start), MoveInput(over),
        MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
        MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP),
        MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA),
        MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(-WHEEL_DELTA)),
        MoveInput(later), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
    });
    const LPARAM window = reinterpret_cast<LPARAM>(m_target);
    const Posted expected[] = {
        {WM_HOOK_MOUSE, WM_MOUSEMOVE, HookPackPoint(start)},
        {WM_HOOK_MOUSE, WM_MOUSEMOVE, HookPackPoint(over)},
        {WM_HOOK_MOUSEMOVE, 0, HookPackPoint(over)},   // where the buttons go
        {WM_HOOK_MOUSE, WM_LBUTTONDOWN, window},
        {WM_HOOK_MOUSE, WM_LBUTTONUP, window},
        {WM_HOOK_MOUSE, WM_RBUTTONDOWN, window},
        {WM_HOOK_MOUSE, WM_RBUTTONUP, window},
        {WM_HOOK_MOUSE, WM_MOUSEWHEEL, 1},
        {WM_HOOK_MOUSE, WM_MOUSEWHEEL, 0},
        {WM_HOOK_MOUSE, WM_MOUSEMOVE, HookPackPoint(later)},
        {WM_HOOK_MOUSEMOVE, 0, HookPackPoint(later)},   // it moved since the last button
        {WM_HOOK_MOUSE, WM_LBUTTONDOWN, window},
        {WM_HOOK_MOUSE, WM_LBUTTONUP, window},
    };
    ASSERT_EQ(posted.size(), sizeof expected / sizeof expected[0]);
    for (size_t i = 0; i < posted.size(); ++i) {
        EXPECT_EQ(posted[i].message, expected[i].message) << "message " << i;
        EXPECT_EQ(posted[i].wParam, expected[i].wParam) << "message " << i;
        EXPECT_EQ(posted[i].lParam, expected[i].lParam) << "message " << i;
    }
    EXPECT_NE(LOWORD(posted[7].lParam), 0) << "a turn up";
    EXPECT_EQ(LOWORD(posted[8].lParam), 0) << "a turn down";
}

TEST_F(HookLibrary, NothingArrivesAfterUninstalling)
{
    ASSERT_TRUE(Install());
    EXPECT_EQ(Send(KeyInputs({{'Q', false}, {'Q', true}})).size(), 2u);
    ASSERT_TRUE(m_uninstall());
    EXPECT_TRUE(Send(KeyInputs({{'Q', false}, {'Q', true}})).empty());
    EXPECT_TRUE(Send({MoveInput({40, 40}), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)}).empty());

    ASSERT_TRUE(Install()) << "and it can be installed again";
    EXPECT_EQ(Send(KeyInputs({{'Q', false}, {'Q', true}})).size(), 2u);
}

TEST_F(HookLibrary, InstallingAgainMovesTheReportsToTheNewWindow)
{
    ASSERT_TRUE(Install());
    ASSERT_TRUE(m_install(nullptr, m_target)) << "a null module stands for the library itself";
    const std::vector<Posted> posted = Send(KeyInputs({{'W', false}, {'W', true}}));
    EXPECT_EQ(posted.size(), 2u) << "reported once, not twice";
}

TEST_F(HookLibrary, FreeingTheLibraryWithTheHookInstalledRemovesIt)
{
    ASSERT_TRUE(Install());
    EXPECT_EQ(Send(KeyInputs({{'E', false}, {'E', true}})).size(), 2u);
    ASSERT_TRUE(FreeLibrary(m_library));
    m_library = nullptr;
    ASSERT_EQ(GetModuleHandleA(KESTRUNE_HOOK_LIBRARY), nullptr) << "the library is gone";
    // The process survives input after the hook's code is gone, and nothing more arrives.
    EXPECT_TRUE(Send(KeyInputs({{'E', false}, {'E', true}})).empty());
    EXPECT_TRUE(Send({MoveInput({60, 60}), MouseInput(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA)}).empty());
}

}  // namespace
