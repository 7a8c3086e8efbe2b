#include "engine/support/TextHelpers.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>

using namespace EngineSupport;

namespace {

TEST(FormatHex, WritesExactlyTheWidthAndTellsWhetherTheValueFitted)
{
    struct Case
    {
        DWORD value;
        int width;
        const char* text;
        bool fitted;
    } cases[] = {
        {255, 2, "FF", true},
        {256, 2, "00", false},
        {0x1A, 4, "001A", true},
        {0xFFFFFFFF, 8, "FFFFFFFF", true},
        {0xABCDEF01, 3, "F01", false},
        {255, 1, "F", false},
        {0, 0, "", true},
        {5, 0, "", false},
        {5, -3, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.width));
        char buffer[16];
        memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(FormatHex(c.value, buffer, c.width), c.fitted);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[strlen(c.text) + 1], '#') << "wrote past the terminator";
    }
}

TEST(ParseHex, ReadsUpToEightDigitsOfEitherCase)
{
    struct Case
    {
        const char* text;
        DWORD value;
        bool valid;
    } cases[] = {
        {"1f", 31, true},
        {"FF", 255, true},
        {"aBcD", 0xABCD, true},
        {"FFFFFFFF", 0xFFFFFFFF, true},
        {"00000010", 16, true},
        {"", 0, true},
        {"123456789", 0, false},
        {"0x1", 0, false},
        {"12 ", 0, false},
        {"-1", 0, false},
        {"g", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        DWORD value = 12345;
        EXPECT_EQ(ParseHex(c.text, value), c.valid);
        EXPECT_EQ(value, c.value);
    }
}

TEST(LineEnds, StripAndExpandCarriageReturns)
{
    char text[] = "a\r\nb\rc\r\r\n";
    StripCarriageReturns(text);
    EXPECT_STREQ(text, "a\nbc\n");

    const char* source = "one\ntwo\n\nend";
    const int needed = ExpandedLength(source);
    EXPECT_EQ(needed, static_cast<int>(strlen(source)) + 3 + 1);
    std::unique_ptr<char[]> expanded(new char[needed]);
    ExpandLineFeeds(source, expanded.get(), needed);
    EXPECT_STREQ(expanded.get(), "one\r\ntwo\r\n\r\nend");
    EXPECT_EQ(ExpandedLength(""), 1);
}

TEST(LineEnds, ExpandingIntoAShortBufferStaysInsideIt)
{
    struct Case
    {
        int size;
        const char* text;
    } cases[] = {
        {1, ""},
        {3, "ab"},
        {4, "ab"},   // no room for the whole "\r\n"
        {5, "ab\r\n"},
        {6, "ab\r\nc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[16];
        memset(buffer, '#', sizeof buffer);
        ExpandLineFeeds("ab\ncd", buffer, c.size);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[c.size], '#');
    }
    char untouched = '#';
    ExpandLineFeeds("ab", &untouched, 0);
    EXPECT_EQ(untouched, '#');
}

TEST(SwapRedBlue, ExchangesTheOuterBytesAndClearsTheTop)
{
    COLORREF colour = 0x12345678;
    SwapRedBlue(colour);
    EXPECT_EQ(colour, 0x00785634u);
    SwapRedBlue(colour);
    EXPECT_EQ(colour, 0x00345678u);
}

TEST(CopyStringBounded, CopiesWhatFitsAndAlwaysTerminates)
{
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    CopyStringBounded(buffer, "abcdef", 4);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], '#');
    CopyStringBounded(buffer, "xy", sizeof buffer);
    EXPECT_STREQ(buffer, "xy");
    CopyStringBounded(buffer, "zzz", 0);
    EXPECT_STREQ(buffer, "xy");

    std::unique_ptr<char[]> copy(DuplicateString("copied text"));
    EXPECT_STREQ(copy.get(), "copied text");
}

}  // namespace
