// Hot-key texts become the keys Kestrune registers.
#include "app/HotKeyTable.h"

#include <gtest/gtest.h>

namespace {

TEST(HotKeyParse, EveryKeyTheHotKeyEditStoresHasItsKey)
{
    const struct
    {
        const char* text;
        const char* code;
        UINT modifiers;
        UINT virtualKey;
    } cases[] = {
        { "Ctrl + Shift + Alt + A", "^+!a", MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'A' },
        { "Ctrl + <F1>", "^<f1>", MOD_CONTROL, VK_F1 },
        // Keys the key sender's names do not have.
        { "Ctrl + <F13>", "^<f13>", MOD_CONTROL, VK_F13 },
        { "<Scroll>", "<scroll>", 0, VK_SCROLL },
        { "Shift + <4>", "+<4>", MOD_SHIFT, VK_NUMPAD4 },
        { "Alt + <*>", "!<*>", MOD_ALT, VK_MULTIPLY },
        { "Ctrl + <Prior>", "^<prior>", MOD_CONTROL, VK_PRIOR },
        { "Ctrl + <L Win>", "^<l win>", MOD_CONTROL, VK_LWIN },
        { "Shift + ;", "+;", MOD_SHIFT, VK_OEM_1 },
        { "Ctrl + 9", "^9", MOD_CONTROL, '9' },
        { "<F11>", "<f11>", 0, VK_F11 },
        // The program's own keys, in the key sender's form.
        { "^!r", "^!r", MOD_CONTROL | MOD_ALT, 'R' },
        { "^!s", "^!s", MOD_CONTROL | MOD_ALT, 'S' },
    };
    for (const auto& c : cases) {
        UINT modifiers = 99, virtualKey = 99;
        EXPECT_STREQ(CHotKeyTable::ParseHotKey(c.text, modifiers, virtualKey), c.code) << c.text;
        EXPECT_EQ(modifiers, c.modifiers) << c.text;
        EXPECT_EQ(virtualKey, c.virtualKey) << c.text;
    }
}

TEST(HotKeyParse, NoKeyIsNoKey)
{
    // "None" is no key at all, not the N key; a name neither table knows is refused.
    for (const char* text : { "None", "", "Ctrl + <NoSuchKey>", "Ctrl + <F1", "^" }) {
        UINT modifiers = 99, virtualKey = 99;
        EXPECT_STREQ(CHotKeyTable::ParseHotKey(text, modifiers, virtualKey), "") << '"' << text << '"';
        EXPECT_EQ(virtualKey, 0u) << text;
    }
}

}  // namespace
