#include "engine/EngineString.h"
#include "engine/Random.h"
#include "engine/UserFunctionList.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineString, FindCountsOverlappingMatchesFromEitherEnd)
{
    const CEngineString s("abcabc");
    const struct { const char* text; bool caseSensitive; int occurrence; int position; } cases[] = {
        {"bc", true, 1, 1}, {"bc", true, 2, 4}, {"bc", true, 3, 6}, {"bc", true, -1, 4},
        {"bc", true, -2, 1}, {"bc", true, 0, 6}, {"BC", true, 1, 6}, {"BC", false, 2, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.Find(c.text, c.caseSensitive, c.occurrence), c.position)
            << c.text << " " << c.occurrence;
    EXPECT_LT(s.Find("bc", true, -3), 0);
    EXPECT_EQ(CEngineString("aaaa").Find("aa", true, 3), 2);   // overlapping
    EXPECT_EQ(CEngineString("ABC").Find("b", false, 1), 1);
    EXPECT_EQ(CEngineString("ABC").Find("b", true, 1), 3);
    // A text longer than the string matches nowhere, from either end.
    EXPECT_EQ(CEngineString("ab").Find("abc", true, 1), 2);
    EXPECT_EQ(CEngineString("ab").Find("abc", false, 1), 2);
    EXPECT_LT(CEngineString("ab").Find("abc", true, -1), 0);
}

TEST(EngineString, EditsStayWithinTheText)
{
    CEngineString hello("hello");
    CEngineString part;
    part.Mid(hello, 1, 3);
    EXPECT_STREQ(part, "el");
    part.Mid(hello, 3, 3);
    EXPECT_STREQ(part, "");
    part.Mid(hello, 2, 9);
    EXPECT_STREQ(part, "");
    part.Mid(part, 0, 0);
    EXPECT_STREQ(part, "");

    CEngineString s("abcdef");
    s.Erase(1, 3);
    EXPECT_STREQ(s, "adef");
    s.Erase(2, 9);   // out of range: nothing
    s.Erase(-1, 2);
    EXPECT_STREQ(s, "adef");
    s.Truncate(3);
    EXPECT_STREQ(s, "ade");
    s.Truncate(7);
    EXPECT_STREQ(s, "ade");
    EXPECT_EQ(s.CharAt(1), 'd');
    EXPECT_EQ(s.CharAt(3), '\0');
    EXPECT_EQ(s.CharAt(-1), '\0');

    CEngineString padded("ab  \t ");
    EXPECT_EQ(padded.FindLastNotOf(" \t"), 1);
    EXPECT_EQ(padded.FindFirstOf("\t"), 4);
    EXPECT_EQ(padded.FindFirstOf("xyz"), 6);
    padded.TrimRight(" \t");
    EXPECT_STREQ(padded, "ab");
    CEngineString blanks("   ");
    EXPECT_EQ(blanks.FindLastNotOf(" "), 3);
    blanks.TrimRight(" ");
    EXPECT_TRUE(blanks.IsEmpty());
    EXPECT_EQ(CEngineString("").FindLastNotOf(" "), 0);
}

TEST(EngineString, GrowsByTheRulesAndCopiesItself)
{
    CEngineString s("ab");
    EXPECT_EQ(s.GetCapacity(), 3);
    s.Append("cd");
    EXPECT_EQ(s.GetCapacity(), 9);   // 2 x 4 + 1
    s.AppendChar('e');
    EXPECT_STREQ(s, "abcde");
    s.Append(s);
    EXPECT_STREQ(s, "abcdeabcde");
    CEngineString copy(s);
    EXPECT_TRUE(copy.Equals(s));
    EXPECT_EQ(copy.GetCapacity(), s.GetCapacity());
    copy.Assign(copy);
    EXPECT_STREQ(copy, "abcdeabcde");
    copy.AssignChar('z');
    EXPECT_STREQ(copy, "z");
    copy.Clear();
    EXPECT_TRUE(copy.IsEmpty());

    CEngineString reserved(10);
    EXPECT_TRUE(reserved.IsEmpty());
    EXPECT_EQ(reserved.GetCapacity(), 11);

    // Case follows the ANSI code page (1252 here): a-umlaut folds too.
    CEngineString mixed("Gr\xe4tz");
    mixed.MakeUpper();
    EXPECT_STREQ(mixed, "GR\xc4TZ");
    EXPECT_EQ(mixed.CompareNoCase("gr\xe4tz"), 0);
    EXPECT_LT(mixed.CompareNoCase("gr\xe4tzz"), 0);
    mixed.MakeLower();
    EXPECT_STREQ(mixed, "gr\xe4tz");
}

// Published MT19937 outputs for the seed 5489.
TEST(MersenneTwister, ReproducesThePublishedSequence)
{
    MersenneTwister twister;
    twister.Seed(5489);
    const unsigned first[] = {3499211612u, 581869302u, 3890346734u, 3586334585u, 545404204u};
    for (unsigned expected : first)
        EXPECT_EQ(twister.NextWord(), expected);
    for (int i = 5; i < 9999; ++i)
        twister.NextWord();
    EXPECT_EQ(twister.NextWord(), 4123659995u);   // the 10,000th

    twister.Seed(5489);
    EXPECT_DOUBLE_EQ(twister.NextDouble(), 3499211612.0 / 4294967296.0);
    for (int i = 0; i < 2000; ++i) {
        double d = twister.NextDouble();
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
    }
}

TEST(MersenneTwister, DrawsBeforeSeedingSeedFromTheClock)
{
    MersenneTwister unseeded;
    double d = unseeded.NextDouble();
    EXPECT_GE(d, 0.0);
    EXPECT_LT(d, 1.0);
    SeedRandom();
    EXPECT_LT(g_MersenneTwister.NextDouble(), 1.0);
}

TEST(UserFunctionList, FindsByNameWithoutCaseInOrder)
{
    UserFunctionList functions;
    UserFunctionEntry entry;
    entry.Name = "FIRST";
    entry.FirstLine = 3;
    entry.ParameterCount = 2;
    entry.LastLine = 9;
    functions.Append(entry);
    entry.Name = "SECOND";
    entry.FirstLine = 10;
    functions.Append(entry);
    EXPECT_EQ(functions.GetCount(), 2);

    const UserFunctionEntry* found = functions.Find("first");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->FirstLine, 3);
    EXPECT_EQ(found->ParameterCount, 2);
    EXPECT_EQ(found->LastLine, 9);
    EXPECT_EQ(functions.Find("Second")->FirstLine, 10);
    EXPECT_EQ(functions.Find("third"), nullptr);
    functions.Clear();
    EXPECT_EQ(functions.Find("FIRST"), nullptr);
}

}  // namespace
