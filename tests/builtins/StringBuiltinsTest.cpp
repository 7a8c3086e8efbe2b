// String builtins: results and @error values.
#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

using namespace builtins_test;

namespace {

struct Case
{
    const char* name;
    std::vector<CEngineVariant> args;
    const char* expected;
    int error;
};

void ExpectAll(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        Outcome outcome = Call(c.name, c.args);
        std::string args;
        for (CEngineVariant v : c.args)
            args += std::string(args.empty() ? "" : ", ") + v.GetString();
        EXPECT_EQ(outcome.Text(), c.expected) << c.name << "(" << args << ")";
        EXPECT_EQ(outcome.error, c.error) << c.name << "(" << args << ")";
    }
}

TEST(StringBuiltins, PiecesOfText)
{
    ExpectAll({
        {"STRINGLEN", {Text("abcdef")}, "6", 0},
        {"STRINGLEN", {Number(1.5)}, "3", 0},
        {"STRINGLEFT", {Text("abc"), Int(2)}, "ab", 0},
        {"STRINGLEFT", {Text("abc"), Int(10)}, "abc", 0},
        {"STRINGLEFT", {Text("abc"), Int(0)}, "", 0},
        {"STRINGLEFT", {Text("abc"), Int(-1)}, "", 0},
        {"STRINGRIGHT", {Text("abc"), Int(2)}, "bc", 0},
        {"STRINGRIGHT", {Text("abc"), Text("9")}, "abc", 0},
        {"STRINGRIGHT", {Text("abc"), Int(-2)}, "", 0},
        {"STRINGMID", {Text("abcdef"), Int(2), Int(3)}, "bcd", 0},
        {"STRINGMID", {Text("abcdef"), Int(5), Int(10)}, "ef", 0},
        {"STRINGMID", {Text("abc"), Int(0), Int(2)}, "", 0},
        {"STRINGMID", {Text("abc"), Int(4), Int(1)}, "", 0},
        {"STRINGMID", {Text("abc"), Int(1), Int(0)}, "", 0},
        {"STRINGTRIMLEFT", {Text("abcdef"), Int(2)}, "cdef", 0},
        {"STRINGTRIMLEFT", {Text("abc"), Int(0)}, "abc", 0},
        {"STRINGTRIMLEFT", {Text("abc"), Int(3)}, "", 0},
        {"STRINGTRIMLEFT", {Text("abc"), Int(-1)}, "", 0},
        {"STRINGTRIMRIGHT", {Text("abcdef"), Int(2)}, "abcd", 0},
        {"STRINGTRIMRIGHT", {Text("abc"), Int(5)}, "", 0},
    });
}

TEST(StringBuiltins, InStrCountsOccurrencesFromEitherEnd)
{
    ExpectAll({
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ")}, "2", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(1)}, "0", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("yz"), Int(1)}, "2", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(0), Int(-1)}, "5", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(0), Int(2)}, "5", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(0), Int(3)}, "0", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(0), Int(-3)}, "0", 0},
        {"STRINGINSTR", {Text("xyzxyz"), Text("YZ"), Int(0), Int(0)}, "0", 1},
        {"STRINGINSTR", {Text("aaaa"), Text("aa"), Int(0), Int(3)}, "3", 0},   // matches overlap
        {"STRINGINSTR", {Text("abc"), Text("d")}, "0", 0},
        {"STRINGINSTR", {Text(""), Text("a")}, "0", 0},
        {"STRINGINSTR", {Int(31415), Int(41)}, "3", 0},
    });
}

TEST(StringBuiltins, CaseAndLineEnds)
{
    ExpectAll({
        {"STRINGLOWER", {Text("AbC \xC9")}, "abc \xE9", 0},
        {"STRINGUPPER", {Text("aBc \xE9")}, "ABC \xC9", 0},
        {"STRINGSTRIPCR", {Text("a\r\nb\r\rc")}, "a\nbc", 0},
        {"STRINGADDCR", {Text("a\nb\n\nc")}, "a\r\nb\r\n\r\nc", 0},
        {"STRINGADDCR", {Text("\n")}, "\r\n", 0},
    });
}

TEST(StringBuiltins, ReplaceScansLeftToRightWithoutOverlap)
{
    ExpectAll({
        {"STRINGREPLACE", {Text("aaa"), Text("a"), Text("b"), Int(2)}, "bba", 0},
        {"STRINGREPLACE", {Text("aAa"), Text("a"), Text("x")}, "xxx", 0},
        {"STRINGREPLACE", {Text("aAa"), Text("a"), Text("x"), Int(0), Int(1)}, "xAx", 0},
        {"STRINGREPLACE", {Text("aaaa"), Text("aa"), Text("a")}, "aa", 0},
        {"STRINGREPLACE", {Text("abab"), Text("ab"), Text("abab")}, "abababab", 0},  // not searched again
        {"STRINGREPLACE", {Text("abc"), Text("b"), Text("")}, "ac", 0},
        {"STRINGREPLACE", {Text("abc"), Text("x"), Text("y")}, "abc", 0},
        {"STRINGREPLACE", {Text("abc"), Text("c"), Text("d"), Int(-1)}, "abd", 0},
        {"STRINGREPLACE", {Int(1001), Int(0), Int(7)}, "1771", 0},
        // Nothing to look for: the text itself, not the number 1.
        {"STRINGREPLACE", {Text("keep me"), Text(""), Text("x")}, "keep me", 0},
    });
    EXPECT_TRUE(Call("STRINGREPLACE", {Text("keep me"), Text(""), Text("x")}).result.IsString());
}

TEST(StringBuiltins, SplitIntoAnArrayWithItsCount)
{
    ExpectAll({
        {"STRINGSPLIT", {Text("a,,b"), Text(",")}, "[3|a||b]", 0},
        {"STRINGSPLIT", {Text("a,b;c"), Text(";,")}, "[3|a|b|c]", 0},
        {"STRINGSPLIT", {Text(",a,"), Text(",")}, "[3||a|]", 0},
        {"STRINGSPLIT", {Text(","), Text(",")}, "[2||]", 0},
        {"STRINGSPLIT", {Text("abc"), Text(",")}, "[1|abc]", 1},
        {"STRINGSPLIT", {Text(""), Text(",")}, "[1|]", 1},
        {"STRINGSPLIT", {Text("ab"), Text("")}, "[2|a|b]", 0},
        {"STRINGSPLIT", {Text(""), Text("")}, "[0]", 0},
    });
}

TEST(StringBuiltins, StripWhiteSpaceByFlags)
{
    const char* text = "  a \t b  ";
    ExpectAll({
        {"STRINGSTRIPWS", {Text(text), Int(0)}, "  a \t b  ", 0},
        {"STRINGSTRIPWS", {Text(text), Int(1)}, "a \t b  ", 0},
        {"STRINGSTRIPWS", {Text(text), Int(2)}, "  a \t b", 0},
        {"STRINGSTRIPWS", {Text(text), Int(3)}, "a \t b", 0},
        {"STRINGSTRIPWS", {Text(text), Int(4)}, " a b ", 0},
        {"STRINGSTRIPWS", {Text("  a   b  "), Int(1 + 2 + 4)}, "a b", 0},
        {"STRINGSTRIPWS", {Text("  a   b  "), Int(8)}, "ab", 0},
        {"STRINGSTRIPWS", {Text(" a\r\n\v\fb "), Int(8 + 1)}, "ab", 0},
        {"STRINGSTRIPWS", {Text(" \t "), Int(3)}, "", 0},
    });
    CEngineVariant array;
    array.PushSubscript(1);
    array.CreateArray();
    EXPECT_EQ(Call("STRINGSTRIPWS", {array, Int(1)}).error, 1);
    EXPECT_TRUE(Call("STRINGSTRIPWS", {array, Int(0)}).result.IsArray());
}

TEST(StringBuiltins, CharacterClassTests)
{
    const struct { const char* name; const char* pass; const char* fail; } cases[] = {
        {"STRINGISALPHA", "abcXYZ\xE9", "ab1"},
        {"STRINGISALNUM", "ab12", "ab 12"},
        {"STRINGISDIGIT", "0123456789", "12a"},
        {"STRINGISXDIGIT", "09afAF", "0x1"},
        {"STRINGISLOWER", "abc\xE9", "abC"},
        {"STRINGISUPPER", "ABC\xC9", "ABc"},
        {"STRINGISSPACE", " \t\n\v\f\r", " a"},
        {"STRINGISASCII", "any ~ text", "caf\xE9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Call(c.name, {Text(c.pass)}).result.GetInt(), 1) << c.name << " " << c.pass;
        EXPECT_EQ(Call(c.name, {Text(c.fail)}).result.GetInt(), 0) << c.name << " " << c.fail;
        EXPECT_EQ(Call(c.name, {Text("")}).result.GetInt(), 1) << c.name;   // the empty text passes
    }
}

TEST(StringBuiltins, NumberPatterns)
{
    for (const char* text : {"1.", ".5", "-1.5", "+0.0", "007.25"})
        EXPECT_EQ(Call("STRINGISFLOAT", {Text(text)}).result.GetInt(), 1) << text;
    for (const char* text : {"1", "1e5", ".", "+.", "-.", "", "1.2.3", "1.5x", " 1.5"})
        EXPECT_EQ(Call("STRINGISFLOAT", {Text(text)}).result.GetInt(), 0) << text;
    for (const char* text : {"007", "-12", "+3", "0"})
        EXPECT_EQ(Call("STRINGISINT", {Text(text)}).result.GetInt(), 1) << text;
    for (const char* text : {"+", "-", "1.0", "", "12a", " 1"})
        EXPECT_EQ(Call("STRINGISINT", {Text(text)}).result.GetInt(), 0) << text;
}

TEST(StringFormat, FormatsValuesByPrintfRules)
{
    ExpectAll({
        {"STRINGFORMAT", {Text("%05.1f|%-3d|%s"), Number(3.14159), Int(7), Text("x")}, "003.1|7  |x", 0},
        {"STRINGFORMAT", {Text("%d and %d"), Int(1)}, "1 and ", 0},
        {"STRINGFORMAT", {Text("%x %X %o %u"), Int(255), Int(255), Int(8), Int(-1)}, "ff FF 10 4294967295", 0},
        {"STRINGFORMAT", {Text("%+d|% d|%#x|%i"), Int(5), Int(5), Int(255), Number(-3.9)}, "+5| 5|0xff|-3", 0},
        {"STRINGFORMAT", {Text("%e|%G|%g"), Number(12345.678), Number(0.000001), Number(0.5)},
         "1.234568e+04|1E-06|0.5", 0},
        {"STRINGFORMAT", {Text("%s|%s|%d"), Int(12), Number(0.5), Text("0x10")}, "12|0.5|16", 0},
        {"STRINGFORMAT", {Text("[%5.2s]"), Text("abcdef")}, "[   ab]", 0},
        {"STRINGFORMAT", {Text("no values: %d")}, "no values: ", 0},
        {"STRINGFORMAT", {Text("unused"), Int(1), Int(2)}, "unused", 0},
    });
}

TEST(StringFormat, EscapesAndPercentSigns)
{
    ExpectAll({
        {"STRINGFORMAT", {Text("100%% \\% done\\n\\t\\r")}, "100% % done\n\t\r", 0},
        {"STRINGFORMAT", {Text("a\\qb\\\\n")}, "a\\qb\\\\n", 0},
        {"STRINGFORMAT", {Text("end\\")}, "end\\", 0},
        {"STRINGFORMAT", {Text("%%d"), Int(3)}, "%d", 0},
    });
}

TEST(StringFormat, AnythingButASafeSpecificationIsText)
{
    // "%n" would write memory, "%*d" read a missing value, "%ld" a wider one.
    ExpectAll({
        {"STRINGFORMAT", {Text("%n|%d"), Int(4)}, "%n|4", 0},
        {"STRINGFORMAT", {Text("%*d|%d"), Int(4)}, "%*d|4", 0},
        {"STRINGFORMAT", {Text("%ld"), Int(4)}, "%ld", 0},
        {"STRINGFORMAT", {Text("%-5.3q"), Int(4)}, "%-5.3q", 0},
        {"STRINGFORMAT", {Text("%5"), Int(4)}, "%5", 0},
        {"STRINGFORMAT", {Text("%"), Int(4)}, "%", 0},
        {"STRINGFORMAT", {Text("%p %c"), Int(65), Int(66)}, "%p %c", 0},
    });
}

TEST(StringFormat, HugeWidthsAndTextsAreBounded)
{
    EXPECT_EQ(Call("STRINGFORMAT", {Text("%99999999999d"), Int(1)}).Text().size(), 65535u);
    EXPECT_EQ(Call("STRINGFORMAT", {Text("%.4000000000f"), Number(1)}).Text().size(), 65537u);
    const std::string longText(70000, 'w');
    EXPECT_EQ(Call("STRINGFORMAT", {Text("%s!"), Text(longText.c_str())}).Text(), std::string(65535, 'w') + "!");
    // Many wide pieces in one format.
    std::vector<CEngineVariant> args = {Text("%3000d%3000d%3000d%3000d%3000d%3000d%3000d%3000d")};
    for (int i = 0; i < 8; ++i)
        args.push_back(Int(i));
    EXPECT_EQ(Call("STRINGFORMAT", args).Text().size(), 24000u);
}

}  // namespace
