#include "macro/KeyNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(KeyNames, EveryCodeMapsBothWays)
{
    const std::set<unsigned> unnamed = {0, 7, 10, 11, 14, 15, 22, 24, 26, 58, 59, 60, 61, 62, 63, 64, 94,
                                        136, 137, 138, 139, 140, 141, 142, 143, 151, 152, 153, 154, 155,
                                        156, 157, 158, 159, 184, 185, 224, 232, 255};
    int named = 0;
    for (unsigned code = 0; code < 256; ++code) {
        CString name = VirtualKeyToKeyName(code);
        bool hasName = !(unnamed.count(code) || (code >= 193 && code <= 218));
        EXPECT_EQ(!name.IsEmpty(), hasName) << code;
        if (hasName) {
            EXPECT_EQ(KeyNameToVirtualKey(name), static_cast<int>(code)) << name.GetString();
            ++named;
        }
    }
    EXPECT_EQ(named, 191);
    EXPECT_STREQ(VirtualKeyToKeyName(300), "");
}

TEST(KeyNames, NamesAreExact)
{
    const struct { const char* name; int code; } cases[] = {
        {"<4>", 100}, {"<5>", 101}, {"4", 52}, {"<L Win>", 91}, {"\\", 220}, {"'", 222}, {"<F24>", 135},
        {"<MouseLeft>", 1}, {"A", 65},
        // Not key names: 0, never a key that would then be sent.
        {"a", 0}, {"<f1>", 0}, {"", 0}, {"<LWin>", 0}, {"<F25>", 0}, {"9 ", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyNameToVirtualKey(c.name), c.code) << '"' << c.name << '"';
    EXPECT_STREQ(VirtualKeyToKeyName(91), "<L Win>");
    EXPECT_STREQ(VirtualKeyToKeyName(100), "<4>");
}

TEST(KeyNames, HotKeyTextsBecomeCodes)
{
    const struct { const char* text; const char* code; } cases[] = {
        {"Ctrl + Shift + Alt + A", "^+!A"},
        {"Ctrl + Shift + <F1>", "^+<F1>"},
        {"Ctrl + Alt + R", "^!R"},
        {"Shift + Alt + <Home>", "+!<Home>"},
        {"Ctrl + <L Win>", "^<L Win>"},
        {"Shift + <F1>", "+<F1>"},
        {"Alt + ,", "!,"},
        {"None", "None"},
        {"<F11>", "<F11>"},
        {"ctrl + A", "ctrl + A"},
        {"Ctrl +A", "Ctrl +A"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(HotKeyTextToCode(c.text), c.code) << c.text;
}

TEST(KeyNames, HexDigits)
{
    const struct { const char* text; int value; } values[] = {
        {"1", 1}, {"9", 9}, {"a", 10}, {"F", 15}, {"f", 15}, {"0", 0}, {"g", 0}, {"10", 0}, {"", 0}, {" ", 0},
    };
    for (const auto& c : values)
        EXPECT_EQ(HexDigitValue(c.text), c.value) << '"' << c.text << '"';
    for (unsigned v = 0; v < 16; ++v)
        EXPECT_EQ(HexDigitValue(HexDigitText(v)), static_cast<int>(v));
    EXPECT_STREQ(HexDigitText(11), "B");
    EXPECT_STREQ(HexDigitText(16), "");
}

}  // namespace
