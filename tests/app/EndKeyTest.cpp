// The end key of a running macro: whatever step the run is in, a wait or a
// builtin that would go on for minutes (a long send, millions of clicks),
// Kestrune.exe stops the run at once, lets go of every key and button the
// step pressed, puts Caps Lock back as the user had it, and runs nothing
// after the step.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <stdio.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const UINT kModifiers = MOD_CONTROL | MOD_SHIFT;
const WORD kEndKey[] = {VK_CONTROL, VK_SHIFT, VK_F6};

// From the end key to the start key being Kestrune's again: the run stops
// within 100 ms; the test adds the probe's look every 20 ms and, for the
// end key and the start key, a round trip each through the Wine server and
// Kestrune's queue.
const DWORD kStopWithinMs = 100;
const DWORD kTestOverheadMs = 60;

// The keys and buttons that the steps press: none may stay down.
const struct
{
    int key;
    const char* name;
} kPressedBySteps[] = {
    {VK_SHIFT, "Shift"}, {VK_CONTROL, "Ctrl"}, {VK_MENU, "Alt"}, {VK_LWIN, "Win"}, {'X', "X"},
    {VK_DOWN, "Down"}, {VK_CAPITAL, "Caps Lock"}, {VK_LBUTTON, "left button"}, {VK_MBUTTON, "middle button"},
};

// A macro that writes "waiting" and then is stuck in `step`; it would write
// "after" past it. `before` runs ahead of the "waiting" line.
struct StuckMacro
{
    const char* name;
    std::vector<std::string> before;
    std::string step;
};

// The start key of the i-th macro: Ctrl+Shift with 1 to 9, then A to Z.
char StartKeyOf(size_t i)
{
    return static_cast<char>(i < 9 ? '1' + i : 'A' + (i - 9));
}

bool CapsLockOn()
{
    return (GetKeyState(VK_CAPITAL) & 1) != 0;
}

void SetCapsLock(bool on)
{
    if (CapsLockOn() != on)
        testing_support::PressKey(VK_CAPITAL);
    WaitUntil([&] { return CapsLockOn() == on; }, 2000);
}

// Caps Lock on while the object lives, as a user may have it: a send turns
// it off while it types and must put it back, also when it is stopped.
class CapsLockOnMeanwhile
{
public:
    CapsLockOnMeanwhile() : m_wasOn(CapsLockOn()) { SetCapsLock(true); }
    ~CapsLockOnMeanwhile() { SetCapsLock(m_wasOn); }

private:
    bool m_wasOn;
};

// Runs each macro by its start key in one Kestrune,
// presses the end key (Ctrl+Shift+F6) once the macro is in its step, and
// checks that the run stopped in time with nothing left pressed.
void StopEachInItsStep(const std::vector<StuckMacro>& macros)
{
    ScriptFolder scripts;
    testing_support::TempFolder output;
    std::vector<std::string> files;
    for (size_t i = 0; i < macros.size(); ++i) {
        const StuckMacro& stuck = macros[i];
        files.push_back(output / ("macro" + std::to_string(i) + ".txt"));
        MacroSpec macro = {stuck.name, "Ctrl + Shift + " + std::string(1, StartKeyOf(i)), "Ctrl + Shift + <F6>", "", 1};
        macro.script = stuck.before;
        for (const std::string& line : AppendLineScript(files.back(), "waiting"))
            macro.script.push_back(line);
        macro.script.push_back(stuck.step);
        for (const std::string& line : AppendLineScript(files.back(), "after"))
            macro.script.push_back(line);
        scripts.Write(macro);
    }
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);
    CapsLockOnMeanwhile capsLock;
    ASSERT_TRUE(CapsLockOn());

    for (size_t i = 0; i < macros.size(); ++i) {
        const char* name = macros[i].name;
        const UINT startKey = static_cast<UINT>(StartKeyOf(i));
        ASSERT_TRUE(WaitUntil([&] { return IsHotKeyHeld(kModifiers, startKey); }, 10000)) << name;
        PressHotKey(kModifiers, startKey);
        ASSERT_TRUE(WaitUntil([&] { return ReadLines(files[i]).size() == 1; }, 10000)) << name;
        Sleep(200);   // well inside the step
        const DWORD pressed = GetTickCount();
        // One SendInput, so that keys which the step sends cannot come
        // between the end key's modifiers and its key.
        testing_support::PressChord(kEndKey, 3);
        // The run is over when its start key is Kestrune's again.
        ASSERT_TRUE(WaitUntil([&] { return IsHotKeyHeld(kModifiers, startKey); }, 5000)) << name;
        const DWORD took = GetTickCount() - pressed;
        printf("end key -> start key free again, %s: %lu ms\n", name, static_cast<unsigned long>(took));
        EXPECT_LT(took, kStopWithinMs + kTestOverheadMs) << name;
        EXPECT_EQ(ReadLines(files[i]), std::vector<std::string>({"waiting"})) << name;
        for (const auto& key : kPressedBySteps)
            EXPECT_FALSE(GetAsyncKeyState(key.key) & 0x8000) << name << ": " << key.name << " left down";
        EXPECT_TRUE(CapsLockOn()) << name;
    }
    EXPECT_TRUE(kestrune.IsRunning());
}

TEST(EndKeyDuringAWait, StopsTheRunAtOnce)
{
    StopEachInItsStep({
        {"WinWait", {}, "WinWait(\"Kestrune never shown\")"},
        {"WinWaitActive", {}, "WinWaitActive(\"Kestrune never shown\")"},
        {"WAIT", {}, "WAIT(60000)"},
        {"WAITLONG", {}, "WAITLONG(60000)"},
        {"ProcessWait", {}, "ProcessWait(\"kestrune-none.exe\")"},
        {"ProcessWaitClose", {}, "ProcessWaitClose(\"services.exe\")"},
    });
}

// Steps that send input for minutes, and a button that the macro holds
// down in a wait. The clicks use the middle button and the keys go to
// Kestrune's own list, where they do no harm. Options last as long as the
// program: the cases that lengthen a pause come last, each after the steps
// that pause so.
TEST(EndKeyDuringALongStep, StopsTheRunAtOnceWithNothingLeftPressed)
{
    const std::vector<std::string> longText = {
        "$text = \"x\"", "For $i = 1 To 17", "$text = $text & $text", "Next",
    };
    StopEachInItsStep({
        {"Braced key count", {}, "Send(\"{SHIFT 2000000}\")"},
        {"Long key text", longText, "Send($text)"},
        {"Long raw text", longText, "Send($text, 1)"},
        {"KeySend count", {}, "KeySend(\"Brenvik Kestrune\", \"\", \"SysListView321\", \"<Down>\", 2000000)"},
        {"MouseClick count", {}, "MouseClick(\"middle\", 2000000)"},
        {"MouseDoubleClick count", {}, "MouseDoubleClick(\"middle\", 2000000)"},
        {"MouseWheel count", {}, "MouseWheel(\"down\", 2000000)"},
        {"ControlClick count", {}, "ControlClick(\"Brenvik Kestrune\", \"\", \"SysListView321\", \"middle\", 2000000)"},
        // From where the mouse already is: the button goes down at once and
        // stays down while the mouse moves along the bottom of the screen.
        {"MouseClickDrag moving", {"MouseMove(0, @DesktopHeight - 1)", "Opt(\"MouseClickDragDelay\", 10)"},
         "MouseClickDrag(\"middle\", 0, @DesktopHeight - 1, @DesktopWidth - 1, @DesktopHeight - 1, 100)"},
        {"MouseClickDrag holding", {"Opt(\"MouseClickDragDelay\", 600000)"},
         "MouseClickDrag(\"middle\", 0, @DesktopHeight - 1, 40, @DesktopHeight - 1, 0)"},
        {"Button held in a wait", {"MouseDown(\"middle\")"}, "WAIT(600000)"},
        {"SendKeyDelay", {"Opt(\"SendKeyDelay\", 600000)"}, "Send(\"x\")"},
        {"WinWaitDelay", {"Opt(\"WinWaitDelay\", 600000)"}, "WinActivate(\"Brenvik Kestrune\")"},
    });
}

}  // namespace
