// The window builtins against windows of another thread of the test: the
// match modes and options, what they read and change, the menu walk, and
// what a window that is not there gives.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/builtins/ThreadWindows.h"
#include "tests/host/ScriptHost.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <stdio.h>

using namespace builtins_test;

namespace {

std::string HandleText(HWND window)
{
    char text[24];
    snprintf(text, sizeof text, "%08X", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::string FoundHandle(const char* title, const char* text = "")
{
    Outcome outcome = Call("WINGETHANDLE", {Text(title), Text(text)});
    return outcome.error ? "none" : outcome.Text();
}

class WindowBuiltins : public testing::Test
{
protected:
    void SetUp() override
    {
        alpha = windows.MakeWindow("Kestrune Match Alpha", "KestruneMatchA", 40, 40);
        windows.MakeChild(alpha, "STATIC", "first child text");
        windows.MakeChild(alpha, "STATIC", "hidden child text", false, 10, 40);
        child = windows.MakeChild(alpha, "BUTTON", "Kestrune Child Title", true, 10, 70);
        ASSERT_NE(alpha, nullptr);
    }

    ThreadWindows windows;
    HWND alpha = nullptr;
    HWND child = nullptr;
    OptionScope noDelay{"WinWaitDelay", 0};
};

TEST_F(WindowBuiltins, EveryMatchModeAndOptionFindsItsWindow)
{
    std::string lowerHandle = HandleText(alpha);
    for (char& c : lowerHandle)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    struct Case
    {
        int mode;
        std::string title;
        const char* text;
        int detectHidden, searchChildren;
        HWND expected;
    };
    const Case cases[] = {
        {1, "Kestrune Match Al", "", 0, 0, alpha},
        {1, "Match Alpha", "", 0, 0, nullptr},
        {1, "kestrune match alpha", "", 0, 0, nullptr},   // case counts in every mode
        {2, "Match Alp", "", 0, 0, alpha},
        {3, "Kestrune Match Alpha", "", 0, 0, alpha},
        {3, "Kestrune Match Alph", "", 0, 0, nullptr},
        {4, "classname=KestruneMatchA", "", 0, 0, alpha},
        {4, "CLASSNAME=KestruneMatchA", "", 0, 0, alpha},
        {4, "classname=kestrunematcha", "", 0, 0, nullptr},
        {4, "handle=" + lowerHandle, "", 0, 0, alpha},
        {4, "Kestrune Match", "", 0, 0, alpha},            // otherwise as mode 1
        // Texts of the children, not of the window itself; hidden ones only with the option.
        {1, "", "first child", 0, 0, alpha},
        {1, "Kestrune Match", "Kestrune Match", 0, 0, nullptr},
        {1, "Kestrune Match Alpha", "hidden child", 0, 0, nullptr},
        {1, "Kestrune Match Alpha", "hidden child", 1, 0, alpha},
        {2, "Kestrune Child Title", "", 0, 0, nullptr},
        {2, "Kestrune Child Title", "", 0, 1, child},
    };
    for (const Case& c : cases) {
        OptionScope mode("WinTitleMatchMode", c.mode);
        OptionScope hidden("WinDetectHiddenText", c.detectHidden);
        OptionScope children("WinSearchChildren", c.searchChildren);
        EXPECT_EQ(FoundHandle(c.title.c_str(), c.text), c.expected ? HandleText(c.expected) : "none")
            << "mode " << c.mode << " title '" << c.title << "' text '" << c.text << "'";
    }
}

TEST_F(WindowBuiltins, LastNamesTheStoredWindowOnlyWhileItLives)
{
    OptionScope mode("WinTitleMatchMode", 4);
    ASSERT_EQ(FoundHandle("Kestrune Match Alpha"), HandleText(alpha));
    EXPECT_EQ(FoundHandle("LAST"), HandleText(alpha));
    EXPECT_EQ(FoundHandle(""), HandleText(alpha));
    windows.Destroy(alpha);
    EXPECT_EQ(FoundHandle("last"), "none");
    EXPECT_EQ(Call("WINEXISTS", {Text("last")}).result.GetInt(), 0);

    SetForegroundWindow(windows.MakeWindow("Kestrune Match Beta"));
    HWND beta = FindWindowA(nullptr, "Kestrune Match Beta");
    EXPECT_EQ(FoundHandle("Active"), HandleText(beta));
}

TEST_F(WindowBuiltins, ReadAndChangeTheWindowFound)
{
    const char* title = "Kestrune Match Alpha";
    Call("WINMOVE", {Text(title), Text(""), Int(60), Int(70), Int(320), Int(240)});
    EXPECT_EQ(Call("WINGETPOS", {Text(title)}).Text(), "[60|70|320|240]");
    Call("WINMOVE", {Text(title), Text(""), Int(80), Int(90)});   // the size stays
    EXPECT_EQ(Call("WINGETPOS", {Text(title)}).Text(), "[80|90|320|240]");
    RECT client;
    GetClientRect(alpha, &client);
    EXPECT_EQ(Call("WINGETCLIENTSIZE", {Text(title)}).Text(),
              "[" + std::to_string(client.right) + "|" + std::to_string(client.bottom) + "]");

    EXPECT_EQ(Call("WINGETTEXT", {Text(title)}).Text(), "first child text\nKestrune Child Title\n");
    {
        OptionScope hidden("WinDetectHiddenText", 1);
        EXPECT_EQ(Call("WINGETTEXT", {Text(title)}).Text(),
                  "first child text\nhidden child text\nKestrune Child Title\n");
    }
    EXPECT_EQ(Call("WINGETCLASSLIST", {Text(title)}).Text(), "Static\nStatic\nButton\n");

    Call("WINSETONTOP", {Text(title), Text(""), Int(1)});
    EXPECT_TRUE(GetWindowLongA(alpha, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Call("WINSETONTOP", {Text(title), Text(""), Int(0)});
    EXPECT_FALSE(GetWindowLongA(alpha, GWL_EXSTYLE) & WS_EX_TOPMOST);

    Call("WINSETSTATE", {Text(title), Text(""), Int(SW_MAXIMIZE)});
    Call("WINACTIVATE", {Text(title)});
    EXPECT_EQ(Call("WINACTIVE", {Text(title)}).result.GetInt(), 1);
    EXPECT_EQ(Call("WINGETSTATE", {Text(title)}).result.GetInt(), 47);
    Call("WINSHOW", {Text(title), Text(""), Int(SW_MINIMIZE)});
    EXPECT_EQ(Call("WINGETSTATE", {Text(title)}).result.GetInt() & 16, 16);

    Call("WINSETTITLE", {Text(title), Text(""), Text("Kestrune Renamed")});
    EXPECT_EQ(Call("WINGETTITLE", {Text("Kestrune Ren")}).Text(), "Kestrune Renamed");
    Call("WINCLOSE", {Text("Kestrune Renamed")});
    EXPECT_EQ(Call("WINWAITCLOSE", {Text("Kestrune Renamed"), Text(""), Int(5)}).result.GetInt(), 1);
    EXPECT_FALSE(IsWindow(alpha));
}

TEST_F(WindowBuiltins, AWindowThatIsNotThereIsNoScriptError)
{
    struct Case
    {
        const char* builtin;
        std::string result;
        int error;
    };
    const Case cases[] = {
        {"WINEXISTS", "0", 0},     {"WINACTIVE", "0", 0},       {"WINGETHANDLE", "", 1},
        {"WINGETSTATE", "0", 1},   {"WINGETCLASSLIST", "1", 1}, {"WINGETPOS", "1", 1},
        {"WINGETCLIENTSIZE", "1", 1}, {"WINGETTITLE", "1", 0},  {"WINGETTEXT", "1", 0},
        {"WINCLOSE", "1", 0},      {"WINKILL", "1", 0},         {"WINACTIVATE", "1", 0},
    };
    for (const Case& c : cases) {
        Outcome outcome = Call(c.builtin, {Text("Kestrune no such window"), Text("")});
        EXPECT_EQ(outcome.Text(), c.result) << c.builtin;
        EXPECT_EQ(outcome.error, c.error) << c.builtin;
        EXPECT_EQ(outcome.returned, 0) << c.builtin;
    }
}

TEST(WindowKill, ClosesTheWindowOfAnotherProgram)
{
    HANDLE helper = script_host::StartHostProgram("window_helper.exe", "\"Kestrune Kill Me\" 0 20000");
    ASSERT_NE(helper, nullptr);
    OptionScope noDelay("WinWaitDelay", 0);
    ASSERT_EQ(Call("WINWAIT", {Text("Kestrune Kill Me"), Text(""), Int(10)}).result.GetInt(), 1);
    EXPECT_EQ(Call("WINKILL", {Text("Kestrune Kill Me")}).result.GetInt(), 1);
    EXPECT_EQ(Call("WINWAITCLOSE", {Text("Kestrune Kill Me"), Text(""), Int(5)}).result.GetInt(), 1);
    TerminateProcess(helper, 0);
    CloseHandle(helper);
}

TEST(WindowMenu, ItemsAreFoundByTheirTextAsItStands)
{
    ThreadWindows windows;
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&Open");
    AppendMenuA(file, MF_STRING, 102, "&Save as");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    HWND window = windows.MakeWindow("Kestrune Menu Window", "KestruneMenuWindow", 40, 40, bar);
    ASSERT_NE(window, nullptr);
    OptionScope noDelay("WinWaitDelay", 0);
    struct Case
    {
        std::vector<const char*> items;
        int result;
        LONG command;
    };
    const Case cases[] = {
        {{"&File", "&Save"}, 1, 102},
        {{"&Fi", "&O"}, 1, 101},
        {{"File", "Open"}, 0, 0},
        {{"&File"}, 0, 0},   // a sub-menu is no command
        {{"&File", "&Close"}, 0, 0},
    };
    for (const Case& c : cases) {
        InterlockedExchange(&ThreadWindows::LastCommand, 0);
        std::vector<CEngineVariant> args = {Text("Kestrune Menu Window"), Text("")};
        for (const char* item : c.items)
            args.push_back(Text(item));
        EXPECT_EQ(Call("WINMENUSELECTITEM", args).result.GetInt(), c.result) << c.items.back();
        windows.Run([] {});   // the posted command has been handled
        windows.Run([] {});
        EXPECT_EQ(ThreadWindows::LastCommand, c.command) << c.items.back();
    }
}

TEST(WindowCaret, TheCaretIsReadAgainstItsOwnWindow)
{
    ThreadWindows windows;
    HWND window = windows.MakeWindow("Kestrune Caret Window", "KestruneCaretWindow", 100, 100);
    HWND edit = windows.MakeChild(window, "EDIT", "", true, 150, 80, 7, WS_BORDER);
    windows.Run([&] {
        SetForegroundWindow(window);
        SetFocus(edit);
    });
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i)
        Sleep(10);
    Outcome outcome = Call("WINGETCARETPOS");
    ASSERT_EQ(outcome.error, 0);
    int x = -1, y = -1;
    ASSERT_EQ(sscanf(outcome.Text().c_str(), "[%d|%d]", &x, &y), 2) << outcome.Text();
    // In screen coordinates, the caret lies inside the edit that holds it,
    // 150 pixels right of the frame's own corner.
    RECT editRect;
    GetWindowRect(edit, &editRect);
    EXPECT_GE(x, editRect.left);
    EXPECT_LT(x, editRect.right);
    EXPECT_GE(y, editRect.top);
    EXPECT_LT(y, editRect.bottom);
}

TEST(WindowToolTip, OneTrackingTipShowsEachText)
{
    Call("TOOLTIP", {Text("first tip"), Int(30), Int(40)});
    Call("TOOLTIP", {Text("second tip"), Int(50), Int(60)});
    HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(GetWindowThreadProcessId(tip, nullptr), GetCurrentThreadId());
    char text[64] = "";
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "second tip");
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

}  // namespace
