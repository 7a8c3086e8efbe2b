// The end key inside one builtin that would run for hours: the run loop's
// pump keeps turning within the builtin, the stop ends it at once, and the
// run ends with no key or button left down, also one that the script held
// with {CTRLDOWN} or MouseDown.
#include "tests/engine/ScriptTestSupport.h"

#include "tests/host/EngineAccess.h"

#include <mmsystem.h>

namespace {

using script_host::Global;
using script_test::RunClean;

// The end key: a thread timer, whose WM_TIMER only the pump hands out.
void CALLBACK PressEndKey(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_ScriptEngine.StopFlag = 1;
}

TEST(LongStep, TheEndKeyStopsItAndNothingStaysDown)
{
    const struct
    {
        std::vector<std::string> step;
        int keyOrButton;   // what the step holds down at times
    } cases[] = {
        {{"Send(\"{CTRLDOWN}{SHIFT 2000000}{CTRLUP}\")"}, VK_CONTROL},
        {{"Send(\"{SHIFT 2000000}\")"}, VK_SHIFT},
        {{"MouseClick(\"middle\", 2000000)"}, VK_MBUTTON},
        {{"MouseWheel(\"down\", 2000000)"}, 0},
        {{"Opt(\"MouseClickDragDelay\", 600000)", "MouseClickDrag(\"middle\", 0, 0, 40, 0)"}, VK_MBUTTON},
        // Held by one line and stopped in another.
        {{"Send(\"{CTRLDOWN}\")", "WAIT(600000)"}, VK_CONTROL},
        {{"MouseDown(\"middle\")", "WAIT(600000)"}, VK_MBUTTON},
    };
    for (const auto& c : cases) {
        script_host::RunSettings settings;
        settings.BeforeRun = [] { SetTimer(nullptr, 0, 150, PressEndKey); };
        script_test::Lines lines = {"$before = 1"};
        lines.insert(lines.end(), c.step.begin(), c.step.end());
        lines.push_back("$after = 1");
        const DWORD start = timeGetTime();
        RunClean(lines, settings);
        const DWORD took = timeGetTime() - start;
        const std::string& step = c.step.back();
        EXPECT_GE(took, 150u) << step;
        EXPECT_LT(took, 400u) << step;
        EXPECT_EQ(Global("before"), "1") << step;
        EXPECT_EQ(Global("after"), "<undeclared>") << step;
        if (c.keyOrButton) {
            EXPECT_FALSE(GetAsyncKeyState(c.keyOrButton) & 0x8000) << step;
        }
    }
}

}  // namespace
