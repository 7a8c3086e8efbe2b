// The hot keys one window holds, shared by their holders.
#include "app/HotKeyTable.h"
#include "tests/probe/KestruneProbe.h"

#include <gtest/gtest.h>

using kestrune_probe::IsHotKeyHeld;

namespace {

// Keys no desktop uses, so the system gives them to the test.
const char kShared[] = "Ctrl + Shift + Alt + <F20>";
const UINT kSharedModifiers = MOD_CONTROL | MOD_SHIFT | MOD_ALT;

TEST(HotKeyTable, AKeyStaysWhileAnyHolderHoldsIt)
{
    CHotKeyTable table;
    EXPECT_TRUE(table.Add(kShared, "end:first"));
    EXPECT_TRUE(table.Add(kShared, "end:second"));
    EXPECT_TRUE(IsHotKeyHeld(kSharedModifiers, VK_F20));
    EXPECT_EQ(table.HolderCount(kShared), 2);

    EXPECT_TRUE(table.Remove(kShared, "end:first"));
    EXPECT_TRUE(IsHotKeyHeld(kSharedModifiers, VK_F20)) << "the second holder still needs it";
    EXPECT_TRUE(table.Remove(kShared, "end:second"));
    EXPECT_FALSE(IsHotKeyHeld(kSharedModifiers, VK_F20));
    EXPECT_EQ(table.IdentifierOf(kShared), 0u);
}

TEST(HotKeyTable, HoldersCountOnce)
{
    CHotKeyTable table;
    table.Add(kShared, "start:a");
    table.Add(kShared, "start:a");
    EXPECT_EQ(table.HolderCount(kShared), 1);
    EXPECT_FALSE(table.Remove(kShared, "start:b")) << "not a holder";
    EXPECT_TRUE(IsHotKeyHeld(kSharedModifiers, VK_F20));
    EXPECT_TRUE(table.Remove(kShared, "start:a"));
    EXPECT_FALSE(table.Remove(kShared, "start:a"));
    EXPECT_FALSE(IsHotKeyHeld(kSharedModifiers, VK_F20));
}

TEST(HotKeyTable, EqualCodesShareOneIdentifier)
{
    // A macro's "Ctrl + Alt + R" is the program's own "^!r"; a key name
    // written in another case is the same key.
    CHotKeyTable table;
    table.Add("Ctrl + Alt + R", "macro");
    table.Add("^!r", "own");
    table.Add("Ctrl + Alt + <f9>", "hand-edited");
    table.Add("Ctrl + Alt + <F9>", "edited");
    EXPECT_NE(table.IdentifierOf("^!r"), 0u);
    EXPECT_EQ(table.IdentifierOf("Ctrl + Alt + R"), table.IdentifierOf("^!r"));
    EXPECT_EQ(table.HolderCount("^!r"), 2);
    EXPECT_EQ(table.HolderCount("Ctrl + Alt + <F9>"), 2);
    EXPECT_NE(table.IdentifierOf("Ctrl + Alt + <F9>"), table.IdentifierOf("^!r"));
    for (const char* holder : { "macro", "own" })
        table.Remove("^!r", holder);
    for (const char* holder : { "hand-edited", "edited" })
        table.Remove("Ctrl + Alt + <F9>", holder);
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL | MOD_ALT, 'R'));
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL | MOD_ALT, VK_F9));
}

TEST(HotKeyTable, AKeyAnotherProgramHoldsIsTakenOnceFree)
{
    const int kOtherId = 0x3456;
    ASSERT_TRUE(RegisterHotKey(nullptr, kOtherId, MOD_CONTROL | MOD_SHIFT, VK_F22));
    CHotKeyTable table;
    EXPECT_FALSE(table.Add("Ctrl + Shift + <F22>", "first"));
    EXPECT_FALSE(table.IsRegistered("Ctrl + Shift + <F22>"));
    UnregisterHotKey(nullptr, kOtherId);
    EXPECT_TRUE(table.Add("Ctrl + Shift + <F22>", "second"));
    EXPECT_TRUE(IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, VK_F22));
    table.Remove("Ctrl + Shift + <F22>", "first");
    table.Remove("Ctrl + Shift + <F22>", "second");
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, VK_F22));
}

TEST(HotKeyTable, APressArrivesUnderTheKeysIdentifier)
{
    CHotKeyTable table;   // no window: the presses come to this thread
    ASSERT_TRUE(table.Add("Shift + <F23>", "macro"));
    kestrune_probe::PressHotKey(MOD_SHIFT, VK_F23);
    MSG message = {};
    bool arrived = kestrune_probe::WaitUntil([&] {
        return PeekMessageA(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) != 0;
    }, 3000);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(message.wParam, table.IdentifierOf("Shift + <F23>"));
    table.Remove("Shift + <F23>", "macro");
}

}  // namespace
