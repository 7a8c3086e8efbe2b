#include "framework/Framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ExtractCase
{
    const char* what;
    CString result;
    const char* expected;
};

TEST(CString, ExtractionClampsOutOfRangePositionsAndCounts)
{
    const CString s("abcdef");
    const ExtractCase cases[] = {
        {"Mid(2)", s.Mid(2), "cdef"},
        {"Mid(2,3)", s.Mid(2, 3), "cde"},
        {"Mid(-3,4)", s.Mid(-3, 4), "abcd"},
        {"Mid(4,10)", s.Mid(4, 10), "ef"},
        {"Mid(6)", s.Mid(6), ""},
        {"Mid(99)", s.Mid(99), ""},
        {"Mid(1,-2)", s.Mid(1, -2), ""},
        {"Left(0)", s.Left(0), ""},
        {"Left(-1)", s.Left(-1), ""},
        {"Left(3)", s.Left(3), "abc"},
        {"Left(99)", s.Left(99), "abcdef"},
        {"Right(2)", s.Right(2), "ef"},
        {"Right(99)", s.Right(99), "abcdef"},
        {"Right(-1)", s.Right(-1), ""},
        {"SpanIncluding", CString("aabxa").SpanIncluding("ab"), "aab"},
        {"SpanExcluding", CString("key=value").SpanExcluding("=:"), "key"},
    };
    for (const ExtractCase& c : cases)
        EXPECT_STREQ(c.result, c.expected) << c.what;
}

TEST(CString, FindStartsAtTheGivenIndex)
{
    const CString s("a=b=c");
    EXPECT_EQ(s.Find('='), 1);
    EXPECT_EQ(s.Find('=', 1), 1);
    EXPECT_EQ(s.Find('=', 2), 3);
    EXPECT_EQ(s.Find('=', 4), -1);
    EXPECT_EQ(s.Find('=', 50), -1);
    EXPECT_EQ(s.Find('=', -5), 1);
    EXPECT_EQ(s.Find("b=c", 0), 2);
    EXPECT_EQ(s.Find("", 5), 5);
    EXPECT_EQ(s.Find("", 6), -1);
    EXPECT_EQ(s.ReverseFind('='), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
}

TEST(CString, ChangesInPlace)
{
    CString s("one two two");
    EXPECT_EQ(s.Replace("two", "three"), 2);
    EXPECT_STREQ(s, "one three three");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('e', 'E'), 5);
    EXPECT_STREQ(s, "onE thrEE thrEE");
    EXPECT_EQ(s.Remove('E'), 5);
    EXPECT_STREQ(s, "on thr thr");
    EXPECT_EQ(s.Delete(2, 100), 2);
    EXPECT_EQ(s.Insert(99, "!"), 3);
    EXPECT_EQ(s.Insert(0, '<'), 4);
    EXPECT_STREQ(s, "<on!");

    CString padded(" \t x y \r\n");
    EXPECT_STREQ(CString(padded).Trim(), "x y");
    EXPECT_STREQ(CString(padded).TrimLeft(), "x y \r\n");
    EXPECT_STREQ(CString(padded).TrimRight(), " \t x y");
    EXPECT_STREQ(CString("--x--").Trim('-'), "x");
    EXPECT_STREQ(CString("ab-x-ba").Trim("ab"), "-x-");
    EXPECT_STREQ(CString("abc").MakeReverse(), "cba");
}

TEST(CString, CaseFoldsThroughTheAnsiCodePage)
{
    // The test session runs with a fixed locale whose ANSI code page is 1252.
    ASSERT_EQ(GetACP(), 1252u);
    EXPECT_STREQ(CString("Hello \xC9t\xE9").MakeUpper(), "HELLO \xC9T\xC9");
    EXPECT_STREQ(CString("Hello \xC9t\xE9").MakeLower(), "hello \xE9t\xE9");
    EXPECT_EQ(CString("\xC9TAT").CompareNoCase("\xE9tat"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
    EXPECT_NE(CString("abc").Compare("ABC"), 0);
}

TEST(CString, TokenizeSkipsRunsOfDelimiters)
{
    const CString s(";;Enable,50;;Name,100;");
    int pos = 0;
    EXPECT_STREQ(s.Tokenize(";", pos), "Enable,50");
    EXPECT_STREQ(s.Tokenize(";", pos), "Name,100");
    EXPECT_STREQ(s.Tokenize(";", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(CString, FormatsTextsOfAnyLength)
{
    CString s;
    s.Format("%d|%s|%.15g|%6.2f", -42, "x", 0.1 + 0.2, 3.14159);
    EXPECT_STREQ(s, "-42|x|0.3|  3.14");
    s.Format("%.15g %g", 1e20, 1.5e-7);
    EXPECT_STREQ(s, "1e+20 1.5e-07");

    std::string big(5000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.AppendFormat("%03d", 7);
    EXPECT_STREQ(s.Right(4), "]007");
}

TEST(CString, BufferAccessAndConversions)
{
    CString s("abc");
    char* buffer = s.GetBuffer(100);
    lstrcpyA(buffer, "a much longer text");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "a much longer text");
    s.GetBuffer(10);
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "a m");

    EXPECT_STREQ(CString(L"caf\u00e9"), "caf\xE9");
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString("abcdef", 2), "ab");
    EXPECT_STREQ(CString(static_cast<LPCSTR>(nullptr)), "");
    EXPECT_TRUE(CString("a") + "b" + 'c' == "abc");
}

}  // namespace
