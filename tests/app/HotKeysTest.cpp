// The global hot keys Kestrune holds: while it holds a key, another
// program's registration of the same combination fails.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

class HotKeys : public testing::Test
{
protected:
    ScriptFolder m_scripts;
};

TEST_F(HotKeys, TheKeysOfTickedMacrosAndTheProgramsOwnAreHeld)
{
    m_scripts.Write({ "Ticked", "Ctrl + Shift + <F2>", "Ctrl + <F3>", "", 1 });
    m_scripts.Write({ "Unticked", "Ctrl + Shift + <F4>", "Ctrl + <F6>", "", 0 });
    // Keys the hot-key edit stores that the key sender has no names for.
    m_scripts.Write({ "Function13", "Ctrl + <F13>", "<Scroll>", "", 1 });
    m_scripts.Write({ "Keypad", "Shift + <4>", "Alt + <*>", "", 1 });
    // A macro without keys holds none, not the key of its text's first letter.
    m_scripts.Write({ "Keyless", "None", "None", "", 1 });
    KestruneProcess kestrune;
    ASSERT_NE(kestrune.WaitUntilReady(), nullptr);

    const struct
    {
        const char* what;
        UINT modifiers;
        UINT key;
        bool held;
    } cases[] = {
        { "start key", MOD_CONTROL | MOD_SHIFT, VK_F2, true },
        { "end key", MOD_CONTROL, VK_F3, true },
        { "unticked start key", MOD_CONTROL | MOD_SHIFT, VK_F4, false },
        { "unticked end key", MOD_CONTROL, VK_F6, false },
        { "<F13>", MOD_CONTROL, VK_F13, true },
        { "<Scroll>", 0, VK_SCROLL, true },
        { "keypad <4>", MOD_SHIFT, VK_NUMPAD4, true },
        { "keypad <*>", MOD_ALT, VK_MULTIPLY, true },
        { "'None'", 0, 'N', false },
        { "record Ctrl+Alt+R", MOD_CONTROL | MOD_ALT, 'R', true },
        { "stop recording Ctrl+Alt+S", MOD_CONTROL | MOD_ALT, 'S', true },
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsHotKeyHeld(c.modifiers, c.key), c.held) << c.what;
}

TEST_F(HotKeys, ASharedEndKeyStaysUntilTheLastMacroLetsGo)
{
    m_scripts.Write({ "First", "Ctrl + <F2>", "<F11>", "", 1 });
    m_scripts.Write({ "Second", "Ctrl + <F3>", "<F11>", "", 1 });
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    HWND list = MacroListOf(window);
    BringToFront(window);
    ASSERT_TRUE(IsHotKeyHeld(0, VK_F11));

    ASSERT_TRUE(ClickCheckBox(list, "First"));
    EXPECT_TRUE(WaitUntil([] { return !IsHotKeyHeld(MOD_CONTROL, VK_F2); }, 5000));
    EXPECT_TRUE(IsHotKeyHeld(0, VK_F11)) << "the second macro still needs its end key";
    ASSERT_TRUE(ClickCheckBox(list, "Second"));
    EXPECT_TRUE(WaitUntil([] { return !IsHotKeyHeld(0, VK_F11); }, 5000));
    ASSERT_TRUE(ClickCheckBox(list, "First"));
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(0, VK_F11) && IsHotKeyHeld(MOD_CONTROL, VK_F2); }, 5000));
}

}  // namespace
