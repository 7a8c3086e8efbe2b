// Hot-key codes and the key sender's tables, without sending anything.
#include "engine/automation/KeySender.h"
#include "engine/automation/KeySenderTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(ParseKeySpec, ModifiersAndKeys)
{
    const struct { const char* spec; int vk; bool shift, ctrl, alt, win; } cases[] = {
        {"^!r", 'R', false, true, true, false},
        {"r", 'R', false, false, false, false},
        {"R", 'R', true, false, false, false},          // the layout needs Shift for it
        {"+<F5>", VK_F5, true, false, false, false},
        {"#<lwin>", VK_LWIN, false, false, false, true},
        {"^+!#<NumPad5>", VK_NUMPAD5, true, true, true, true},
        {"!<Browser_Back>", VK_BROWSER_BACK, false, false, true, false},
        {"^1", '1', false, true, false, false},
        {"?", VK_OEM_2, true, false, false, false},
        {"^<SPACE>trailing", VK_SPACE, false, true, false, false},
    };
    for (const auto& c : cases) {
        int vk = -1;
        bool shift = true, ctrl = true, alt = true, win = true;
        ASSERT_TRUE(CKeySender::ParseKeySpec(c.spec, &vk, &shift, &ctrl, &alt, &win)) << c.spec;
        EXPECT_EQ(vk, c.vk) << c.spec;
        EXPECT_EQ(shift, c.shift) << c.spec;
        EXPECT_EQ(ctrl, c.ctrl) << c.spec;
        EXPECT_EQ(alt, c.alt) << c.spec;
        EXPECT_EQ(win, c.win) << c.spec;
    }
}

TEST(ParseKeySpec, RefusesWhatItCannotMap)
{
    for (const char* spec : {"<ASC>", "<ALT>", "<ctrldown>", "<RWINUP>", "<NUMPADENTER>", "<NoSuchKey>",
                             "<F5", "", "^", "^!+#", "\xE9", "^\x81", "<>"}) {
        int vk = 7;
        bool shift = true, ctrl = true, alt = true, win = true;
        EXPECT_FALSE(CKeySender::ParseKeySpec(spec, &vk, &shift, &ctrl, &alt, &win)) << spec;
        EXPECT_NE(vk, 255) << spec;
    }
}

TEST(SendKeyNames, TableShape)
{
    const SendKeyName* table = GetSendKeyNameTable();
    EXPECT_STREQ(table[0].Name, "ALT");
    EXPECT_STREQ(table[kSendKeyNameCount - 1].Name, "ASC");
    EXPECT_STREQ(table[kSendKeyNameCount - 11].Name, "CTRLDOWN");
    std::set<std::string> names;
    int special = 0;
    for (int i = 0; i < kSendKeyNameCount; ++i) {
        names.insert(table[i].Name);
        special += table[i].Kind != kSendKeyPlain ? 1 : 0;
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kSendKeyNameCount));
    EXPECT_EQ(special, 13);
    EXPECT_EQ(FindSendKeyName("pgdn", 4)->VirtualKey, VK_NEXT);
    EXPECT_EQ(FindSendKeyName("F12 3", 3)->VirtualKey, VK_F12);
    EXPECT_EQ(FindSendKeyName("F1", 1), nullptr);
    EXPECT_EQ(FindSendKeyName("F", 1), nullptr);
}

TEST(SendKeyNames, ExtendedKeys)
{
    for (int vk : {VK_PRIOR, VK_DOWN, VK_INSERT, VK_DELETE, VK_LWIN, VK_RWIN, VK_APPS, VK_SLEEP, VK_DIVIDE,
                   VK_RCONTROL, VK_RMENU, VK_BROWSER_BACK, VK_LAUNCH_APP2})
        EXPECT_TRUE(IsExtendedKey(vk)) << vk;
    for (int vk : {VK_RETURN, int('A'), VK_F1, VK_LCONTROL, VK_LMENU, VK_NUMPAD1, VK_MULTIPLY, VK_SNAPSHOT})
        EXPECT_FALSE(IsExtendedKey(vk)) << vk;
}

TEST(SendKeyNames, AccentRecipesStayInsideTheirTables)
{
    // Codes below 128 have no recipe; every recipe names an accent and a
    // letter that exist.
    for (int code = 0; code < 128; ++code)
        EXPECT_EQ(AccentedCharacterRecipe(static_cast<unsigned char>(code)), 0) << code;
    for (int code = 128; code < 256; ++code) {
        const unsigned recipe = AccentedCharacterRecipe(static_cast<unsigned char>(code));
        if (recipe >= 32) {
            EXPECT_GE(recipe >> 4, 2u) << code;
            EXPECT_LE(recipe >> 4, 7u) << code;
            EXPECT_NE(kAccentBaseLetters[recipe & 15], ' ') << code;
        }
    }
    EXPECT_EQ(AccentedCharacterRecipe(0xE9) >> 4, 2u);            // e acute: the acute accent
    EXPECT_EQ(kAccentBaseLetters[AccentedCharacterRecipe(0xE9) & 15], 'e');
    EXPECT_EQ(kAccentBaseLetters[AccentedCharacterRecipe(0xD1) & 15], 'N');
    EXPECT_EQ(kAccentDeadKeys[AccentedCharacterRecipe(0xF1) >> 4], '~');
    EXPECT_EQ(AccentedCharacterRecipe(0x81), 0);
}

}  // namespace
