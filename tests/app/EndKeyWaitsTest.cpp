// The end key of a macro that waits: in each kind of wait, Kestrune.exe
// stops the run at once, and nothing after the wait runs.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <stdio.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const UINT kModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kEndKey = VK_F6;

struct WaitingMacro
{
    const char* name;
    const char* wait;
    const char* startKeyText;
    UINT startKey;
};

TEST(EndKeyDuringAWait, StopsTheRunAtOnce)
{
    const WaitingMacro macros[] = {
        {"WinWait", "WinWait(\"Kestrune never shown\")", "Ctrl + Shift + <F5>", VK_F5},
        {"WinWaitActive", "WinWaitActive(\"Kestrune never shown\")", "Ctrl + Shift + <F7>", VK_F7},
        {"WAIT", "WAIT(60000)", "Ctrl + Shift + <F8>", VK_F8},
        {"WAITLONG", "WAITLONG(60000)", "Ctrl + Shift + <F9>", VK_F9},
        {"ProcessWait", "ProcessWait(\"kestrune-none.exe\")", "Ctrl + Shift + <F10>", VK_F10},
        {"ProcessWaitClose", "ProcessWaitClose(\"services.exe\")", "Ctrl + Shift + <F11>", VK_F11},
    };
    ScriptFolder scripts;
    testing_support::TempFolder output;
    std::vector<std::string> files;
    for (const WaitingMacro& wait : macros) {
        files.push_back(output / (std::string(wait.name) + ".txt"));
        MacroSpec macro = {wait.name, wait.startKeyText, "Ctrl + Shift + <F6>", "", 1};
        macro.script = AppendLineScript(files.back(), "waiting");
        macro.script.push_back(wait.wait);
        for (const std::string& line : AppendLineScript(files.back(), "after"))
            macro.script.push_back(line);
        scripts.Write(macro);
    }
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    for (size_t i = 0; i < files.size(); ++i) {
        const WaitingMacro& wait = macros[i];
        ASSERT_TRUE(WaitUntil([&] { return IsHotKeyHeld(kModifiers, wait.startKey); }, 10000)) << wait.name;
        PressHotKey(kModifiers, wait.startKey);
        ASSERT_TRUE(WaitUntil([&] { return ReadLines(files[i]).size() == 1; }, 10000)) << wait.name;
        Sleep(200);   // well inside the wait
        const DWORD pressed = GetTickCount();
        PressHotKey(kModifiers, kEndKey);
        // The run is over when its start key is Kestrune's again.
        ASSERT_TRUE(WaitUntil([&] { return IsHotKeyHeld(kModifiers, wait.startKey); }, 5000)) << wait.name;
        printf("end key -> start key free again, %s: %lu ms\n", wait.name,
               static_cast<unsigned long>(GetTickCount() - pressed));
        EXPECT_EQ(ReadLines(files[i]), std::vector<std::string>({"waiting"})) << wait.name;
    }
    EXPECT_TRUE(kestrune.IsRunning());
}

}  // namespace
