#include "macro/ActiveWinPath.h"
#include "tests/macro/RefusedModuleList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Real top-level windows of this process, destroyed with the fixture.
class ActiveWinPathTest : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KestruneFinderTest";
        RegisterClassA(&wc);
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, sizeof module);
        m_module = module;
    }

    void TearDown() override
    {
        for (HWND w : m_windows)
            DestroyWindow(w);
    }

    HWND Make(const char* title, bool visible = true, int x = 50, const char* className = "KestruneFinderTest")
    {
        HWND w = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                                 x, 40, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(w, nullptr);
        m_windows.push_back(w);
        Pump();
        return w;
    }

    static void Pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    HalvaneInfo Record(const char* title, int level = 0)
    {
        HalvaneInfo info;
        info.WinIndex = 1;
        info.WinTitle = title;
        info.WinPath = m_module.c_str();
        info.WinParentLevel = level;
        info.WinRect = {120, 90, 420, 330};
        return info;
    }

    std::string m_module;
    std::vector<HWND> m_windows;
};

TEST_F(ActiveWinPathTest, DescribesTheTopLevelWindowOfAControl)
{
    HWND top = Make("Describe me");
    HWND child = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, top, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    CActiveWinPath finder;
    HalvaneInfo info;
    info.WinIndex = 42;
    ASSERT_EQ(finder.DescribeWindow(child, info), 1);
    EXPECT_EQ(info.hWnd, top);
    EXPECT_STREQ(info.WinTitle, "Describe me");
    EXPECT_EQ(CString(info.WinPath).CompareNoCase(m_module.c_str()), 0);
    EXPECT_EQ(info.WinParentLevel, 0);
    RECT rect;
    GetWindowRect(top, &rect);
    EXPECT_TRUE(EqualRect(&rect, &info.WinRect));
    EXPECT_EQ(info.WinIndex, 42);   // left for the caller

    EXPECT_EQ(finder.DescribeWindow(nullptr, info), 0);
    CString path;
    EXPECT_EQ(finder.GetWindowModulePath(top, path), 1);
    EXPECT_EQ(path.CompareNoCase(m_module.c_str()), 0);
}

TEST_F(ActiveWinPathTest, ShellWindowsAreDescribedByFixedNames)
{
    const std::string module = m_module;
    const struct
    {
        const char* className;   // registered here in this spelling
        const char* title;
        const char* winTitle;
        const char* winPath;
    } cases[] = {
        {"KestruneFinderTest", "Program Manager", "Desktop", "Program Manager"},
        {"WorkerW", "", "Desktop", "Program Manager"},
        {"basebar", "Menu", "Start Menu", "Start Menu"},
        {"Shell_TrayWnd", "", "Task Bar", "Task Bar"},
        {"DimmedWindowClass", "", "Dimmed Desktop", "Dimmed Desktop"},
        {"FAKEDESKTOPWCLASS", "", "Dimmed Desktop", "Dimmed Desktop"},
        {"DV2ControlHost", "Start Menu", "Start Menu", "Start Menu"},
        {"DV2ControlHost", "Recent", "Recent", module.c_str()},
    };
    for (const auto& c : cases) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = c.className;
        RegisterClassA(&wc);
        HWND window = Make(c.title, true, 50, c.className);
        CActiveWinPath finder;
        HalvaneInfo info;
        ASSERT_EQ(finder.DescribeWindow(window, info), 1) << c.className;
        EXPECT_STREQ(info.WinTitle, c.winTitle) << c.className << " " << c.title;
        EXPECT_EQ(CString(info.WinPath).CompareNoCase(c.winPath), 0) << c.className << " " << info.WinPath.GetString();
        EXPECT_EQ(info.hWnd, window);
        DestroyWindow(window);
    }
}

TEST_F(ActiveWinPathTest, ExactTitleBeatsASimilarOneInEitherOrder)
{
    for (int order = 0; order < 2; ++order) {
        HWND first = Make(order ? "Report - Exact" : "Report - Other");
        HWND second = Make(order ? "Report - Other" : "Report - Exact");
        HWND exact = order ? first : second;

        CActiveWinPath finder;
        HalvaneInfo info = Record("Report - Exact");
        ASSERT_EQ(finder.ActivateRecordedWindow(info, 1), 1);
        EXPECT_EQ(finder.FoundWindow, exact);
        EXPECT_EQ(info.hWnd, exact);
        DestroyWindow(first);
        DestroyWindow(second);
    }
}

TEST_F(ActiveWinPathTest, SimilarFallbackOnlyWhenAllowedAndOnlyVisible)
{
    HWND hidden = Make("editor - hidden", false);
    HWND shown = Make("EDITOR - SHOWN");
    HalvaneInfo info = Record("Editor - Shown");   // differs only in case: not exact

    CActiveWinPath finder;
    EXPECT_EQ(finder.ActivateRecordedWindow(info, 1), 0);
    EXPECT_EQ(finder.FoundWindow, nullptr);
    // The second call on the same finder, with the fallback, takes the
    // visible window of the same program.
    ASSERT_EQ(finder.ActivateRecordedWindow(info, 0), 1);
    EXPECT_EQ(info.hWnd, shown);
    EXPECT_NE(info.hWnd, hidden);

    CActiveWinPath onlyHidden;
    onlyHidden.ExcludedWindows.AddTail(shown);
    EXPECT_EQ(onlyHidden.ActivateRecordedWindow(info, 0), 0);
}

TEST_F(ActiveWinPathTest, ExcludedWindowsAndParentLevels)
{
    HWND a = Make("Twin");
    HWND b = Make("Twin", true, 300);
    CActiveWinPath finder;
    finder.ExcludedWindows.AddTail(a);
    HalvaneInfo info = Record("Twin");
    ASSERT_EQ(finder.ActivateRecordedWindow(info, 0), 1);
    EXPECT_EQ(info.hWnd, b);

    CActiveWinPath wrongLevel;
    HalvaneInfo owned = Record("Twin", 1);
    EXPECT_EQ(wrongLevel.ActivateRecordedWindow(owned, 0), 0);
    CActiveWinPath anyLevel;
    HalvaneInfo any = Record("Twin", -1);
    EXPECT_EQ(anyLevel.ActivateRecordedWindow(any, 1), 1);
}

TEST_F(ActiveWinPathTest, BringsAMinimisedWindowBackToItsRecordedPlace)
{
    HWND window = Make("Minimised");
    HWND other = Make("Something else");
    ShowWindow(window, SW_MINIMIZE);
    SetForegroundWindow(other);
    Pump();
    ASSERT_TRUE(IsIconic(window));

    CActiveWinPath finder;
    HalvaneInfo info = Record("Minimised");
    ASSERT_EQ(finder.ActivateRecordedWindow(info, 1), 1);
    Pump();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_TRUE(EqualRect(&rect, &info.WinRect)) << rect.left << "," << rect.top << "," << rect.right << ","
                                                 << rect.bottom;
}

TEST_F(ActiveWinPathTest, AStaleFoundWindowDoesNotBlockTheSearch)
{
    HWND gone = Make("Reopened");
    DestroyWindow(gone);
    HWND again = Make("Reopened");
    CActiveWinPath finder;
    finder.FoundWindow = gone;
    HalvaneInfo info = Record("Reopened");
    ASSERT_EQ(finder.ActivateRecordedWindow(info, 1), 1);
    EXPECT_EQ(info.hWnd, again);
}

TEST_F(ActiveWinPathTest, ShellWindowsNeedNoSearch)
{
    Make("Keeps the focus");
    for (const char* name : {"Task Bar", "Start Menu", "Dimmed Desktop"}) {
        CActiveWinPath finder;
        HalvaneInfo info;
        info.WinTitle = name;
        info.WinPath = CString(name).MakeLower();   // compared without regard to case
        info.hWnd = reinterpret_cast<HWND>(0x10);
        EXPECT_EQ(finder.ActivateRecordedWindow(info, 1), 1) << name;
        EXPECT_EQ(info.hWnd, nullptr);
        EXPECT_EQ(finder.FoundWindow, nullptr);
    }
    CActiveWinPath finder;
    HalvaneInfo desktop;
    desktop.WinTitle = "Desktop";
    desktop.WinPath = "Program Manager";
    EXPECT_EQ(finder.ActivateRecordedWindow(desktop, 1), 1);
    EXPECT_EQ(desktop.hWnd, nullptr);
}

TEST_F(ActiveWinPathTest, WithoutTheModuleListWindowsAreStillDescribedAndFound)
{
    HWND window = Make("Sixty-four bits");
    RefusedModuleList finder;
    CString path;
    ASSERT_EQ(finder.GetWindowModulePath(window, path), 1);
    EXPECT_GT(finder.refusals, 0) << "the module list was asked first";
    EXPECT_EQ(path.CompareNoCase(m_module.c_str()), 0) << path.GetString();

    HalvaneInfo info;
    ASSERT_EQ(finder.DescribeWindow(window, info), 1);
    EXPECT_EQ(info.WinPath.CompareNoCase(m_module.c_str()), 0);
    EXPECT_STREQ(info.WinTitle, "Sixty-four bits");

    RefusedModuleList player;
    HalvaneInfo recorded = Record("Sixty-four bits");
    ASSERT_EQ(player.ActivateRecordedWindow(recorded, 1), 1);
    EXPECT_EQ(player.FoundWindow, window);
}

}  // namespace
