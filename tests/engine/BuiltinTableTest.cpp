#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <mmsystem.h>
#include <string.h>

#include <set>
#include <string>

using namespace engine_test;

namespace {

int IndexOf(const char* name)
{
    for (int i = 0; i < kBuiltinCount; ++i)
        if (strcmp(GetBuiltinTable()[i].Name, name) == 0)
            return i;
    return -1;
}

TEST(BuiltinTable, HoldsEveryBuiltinInItsFixedOrder)
{
    const BuiltinEntry* table = GetBuiltinTable();
    EXPECT_EQ(g_ScriptEngine.GetBuiltinCount(), kBuiltinCount);
    EXPECT_STREQ(table[0].Name, "ABS");
    EXPECT_STREQ(table[kBuiltinCount - 1].Name, "WINWAITNOTACTIVE");

    // Entries kept beside a relative, and the three ORVEX entries after ATAN.
    const struct { const char* name; const char* after; } placed[] = {
        {"MOUSEDOUBLECLICK", "MOUSECLICK"}, {"RUNREADYINPUT", "RUN"},
        {"ORVEXSETOPTION", "ATAN"}, {"ORVEXWINGETTITLE", "ORVEXSETOPTION"},
        {"ORVEXWINSETTITLE", "ORVEXWINGETTITLE"}, {"KEYSEND", "CONTROLSEND"}, {"KEYUP", "KEYSEND"},
        {"KEYDOWN", "KEYUP"}, {"CHECKCOLOR", "MOUSEMOVE"}, {"DELAY", "SIN"}, {"WAIT", "WINWAIT"},
        {"WAITLONG", "WAIT"},
    };
    std::set<std::string> relatives;
    for (const auto& p : placed) {
        EXPECT_EQ(IndexOf(p.name), IndexOf(p.after) + 1) << p.name;
        relatives.insert(p.name);
    }
    // Everything else is in strict alphabetical order, and every name is upper case.
    const char* previous = "";
    std::set<std::string> names;
    for (int i = 0; i < kBuiltinCount; ++i) {
        const char* name = table[i].Name;
        names.insert(name);
        for (const char* p = name; *p; ++p)
            EXPECT_TRUE((*p >= 'A' && *p <= 'Z')) << name;
        if (relatives.count(name))
            continue;
        EXPECT_LT(strcmp(previous, name), 0) << previous << " before " << name;
        previous = name;
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kBuiltinCount));
}

TEST(BuiltinTable, ArgumentCounts)
{
    const struct { const char* name; int min; int max; } cases[] = {
        {"ABS", 1, 1}, {"ADLIBDISABLE", 0, 0}, {"BITAND", 2, 255}, {"BITXOR", 2, 255},
        {"OPT", 2, 2}, {"ORVEXSETOPTION", 2, 2}, {"DELAY", 1, 1}, {"SETERROR", 1, 1},
        {"RANDOM", 0, 2}, {"STRINGFORMAT", 1, 33}, {"SPLASHTEXTON", 2, 10},
        {"WINMENUSELECTITEM", 3, 9}, {"FILECREATESHORTCUT", 2, 9}, {"CONTROLCOMMAND", 5, 5},
        {"KEYSEND", 4, 5}, {"MOUSECLICKDRAG", 5, 6}, {"CHECKCOLOR", 6, 6}, {"RUNASSET", 0, 4},
        {"FILERECYCLEEMPTY", 0, 1}, {"REGWRITE", 1, 4}, {"MSGBOX", 3, 4}, {"WINWAIT", 1, 3},
        {"TOOLTIP", 1, 3}, {"URLDOWNLOADTOFILE", 2, 2}, {"INIREAD", 4, 4},
    };
    for (const auto& c : cases) {
        int index = IndexOf(c.name);
        ASSERT_GE(index, 0) << c.name;
        const BuiltinEntry& entry = GetBuiltinTable()[index];
        EXPECT_EQ(entry.MinArgs, c.min) << c.name;
        EXPECT_EQ(entry.MaxArgs, c.max) << c.name;
        EXPECT_FALSE(BuiltinAcceptsArgumentCount(entry, c.min - 1)) << c.name;
        EXPECT_TRUE(BuiltinAcceptsArgumentCount(entry, c.min)) << c.name;
        EXPECT_TRUE(BuiltinAcceptsArgumentCount(entry, c.max)) << c.name;
        EXPECT_EQ(BuiltinAcceptsArgumentCount(entry, c.max + 1), c.max == 255) << c.name;
    }
    // Names that share a handler.
    const BuiltinEntry* table = GetBuiltinTable();
    EXPECT_TRUE(table[IndexOf("OPT")].Handler == table[IndexOf("ORVEXSETOPTION")].Handler);
}

TEST(BuiltinCall, PresetsTheResultAndError)
{
    CEngineVariant result;
    result.SetString("stale");
    g_ScriptEngine.SetError(7);
    CVariantList code = Args({Int(5)});
    EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(IndexOf("SETERROR"), code, result), 0);
    EXPECT_EQ(g_ScriptEngine.GetError(), 5);
    EXPECT_TRUE(result.IsNumber());
    EXPECT_EQ(result.GetInt(), 1);

    // A builtin of a family not built yet (the first there is, if any) fails
    // the ordinary way: the script goes on.
    CVariantList one = Args({Int(-3)});
    for (int i = 0; i < kBuiltinCount; ++i) {
        if (g_ScriptEngine.GetBuiltin(i).Handler != BuiltinNotYetAvailable)
            continue;
        EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(i, one, result), 0) << g_ScriptEngine.GetBuiltin(i).Name;
        EXPECT_EQ(result.GetInt(), 0);
        EXPECT_EQ(g_ScriptEngine.GetError(), 1);
        break;
    }
    EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(kBuiltinCount, one, result), 0);
    EXPECT_EQ(g_ScriptEngine.GetError(), 1);
}

TEST(Delay, ZeroOrLessDoesNotWait)
{
    CEngineVariant result;
    for (int ms : {0, -50}) {
        CVariantList args = Args({Int(ms)});
        DWORD start = timeGetTime();
        EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(IndexOf("DELAY"), args, result), 0);
        EXPECT_LT(timeGetTime() - start, 50u);
        EXPECT_EQ(result.GetInt(), 1);
        EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateRunning);
    }
}

// Counts the messages it receives; a WM_APP message stands for the end key.
LRESULT CALLBACK DelayTestWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER)
        SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
    if (message == WM_APP)
        g_ScriptEngine.StopFlag = 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeDelayTestWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DelayTestWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KestruneDelayTest";
    RegisterClassA(&windowClass);
    return CreateWindowA("KestruneDelayTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

TEST(Delay, WaitsWhilePumpingMessages)
{
    HWND window = MakeDelayTestWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    CVariantList args = Args({Int(150)});
    CEngineVariant result;
    DWORD start = timeGetTime();
    EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(IndexOf("DELAY"), args, result), 0);
    DWORD elapsed = timeGetTime() - start;
    EXPECT_GE(elapsed, 150u);
    EXPECT_LT(elapsed, 1000u);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 1);   // dispatched during the wait
    EXPECT_EQ(result.GetInt(), 1);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateRunning);
    EXPECT_EQ(g_ScriptEngine.GetNestingDepth(), 0);
    DestroyWindow(window);
}

TEST(Delay, TheStopFlagEndsTheWait)
{
    HWND window = MakeDelayTestWindow();
    PostMessageA(window, WM_APP, 0, 0);
    CVariantList args = Args({Int(5000)});
    CEngineVariant result;
    DWORD start = timeGetTime();
    g_ScriptEngine.CallBuiltinByIndex(IndexOf("DELAY"), args, result);
    EXPECT_LT(timeGetTime() - start, 1000u);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);
    DestroyWindow(window);
    g_ScriptEngine.StopFlag = 0;
}

}  // namespace
