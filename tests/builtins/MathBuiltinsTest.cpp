// Maths, bit and type builtins: results and @error values.
#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

#include <math.h>

using namespace builtins_test;

namespace {

CEngineVariant TwoElementArray()
{
    CEngineVariant array;
    array.PushSubscript(2);
    array.CreateArray();
    return array;
}

TEST(MathBuiltins, Functions)
{
    const double pi = 3.14159265358979323846;
    const struct { const char* name; std::vector<CEngineVariant> args; double expected; } cases[] = {
        {"ABS", {Number(-3.5)}, 3.5},
        {"ABS", {Text("-2")}, 2},
        {"SIN", {Number(pi / 2)}, 1},
        {"COS", {Int(0)}, 1},
        {"TAN", {Number(pi / 4)}, 1},
        {"ASIN", {Int(1)}, pi / 2},
        {"ACOS", {Int(-1)}, pi},
        {"ATAN", {Int(1)}, pi / 4},
        {"EXP", {Int(1)}, exp(1.0)},
        {"LOG", {Number(exp(2.0))}, 2},
        {"SQRT", {Int(16)}, 4},
        {"MOD", {Int(7), Int(3)}, 1},
        {"MOD", {Int(-7), Int(3)}, -1},          // the sign of the first
        {"MOD", {Int(7), Int(-3)}, 1},
        {"MOD", {Number(5.5), Int(2)}, 1.5},
        {"ROUND", {Number(2.5)}, 3},
        {"ROUND", {Number(-2.5)}, -3},
        {"ROUND", {Number(1.2345), Int(2)}, 1.23},
        {"ROUND", {Number(-1.2355), Int(3)}, -1.236},
        {"ROUND", {Int(1234), Int(-2)}, 1200},
        {"ROUND", {Int(1250), Int(-2)}, 1300},
        {"ROUND", {Int(-1250), Int(-2)}, -1300},
        {"ROUND", {Int(987654), Int(-3)}, 988000},
        {"ROUND", {Number(0.4)}, 0},
        {"INT", {Number(-2.7)}, -2},
        {"INT", {Text("3.9")}, 3},
        {"INT", {Number(1e20)}, 9223372036854775807.0},
    };
    for (const auto& c : cases) {
        Outcome outcome = Call(c.name, c.args);
        EXPECT_NEAR(outcome.Number(), c.expected, 1e-9 * (1 + fabs(c.expected))) << c.name;
        EXPECT_TRUE(outcome.result.IsNumber()) << c.name;
        EXPECT_EQ(outcome.error, 0) << c.name;
    }
}

TEST(MathBuiltins, ResultsOutsideTheRealNumbersAreNoErrors)
{
    const struct { const char* name; std::vector<CEngineVariant> args; bool nan; } cases[] = {
        {"SQRT", {Int(-1)}, true},
        {"ASIN", {Int(2)}, true},
        {"MOD", {Int(1), Int(0)}, true},
        {"LOG", {Int(0)}, false},
    };
    for (const auto& c : cases) {
        Outcome outcome = Call(c.name, c.args);
        EXPECT_EQ(outcome.error, 0) << c.name;
        EXPECT_EQ(c.nan ? std::isnan(outcome.Number()) : std::isinf(outcome.Number()), true) << c.name;
    }
}

TEST(MathBuiltins, RandomRangesAndErrors)
{
    for (int i = 0; i < 200; ++i) {
        const double unit = Call("RANDOM").Number();
        EXPECT_TRUE(unit >= 0 && unit < 1);
        const double upTo = Call("RANDOM", {Int(10)}).Number();
        EXPECT_TRUE(upTo >= 0 && upTo < 10);
        const double between = Call("RANDOM", {Int(-3), Number(-2.5)}).Number();
        EXPECT_TRUE(between >= -3 && between < -2.5);
    }
    const struct { std::vector<CEngineVariant> args; int error; } failures[] = {
        {{Text("5")}, 1}, {{TwoElementArray()}, 1}, {{Int(0)}, 2}, {{Int(-1)}, 2},
        {{Int(5), Int(5)}, 2}, {{Int(6), Int(5)}, 2}, {{TwoElementArray(), Int(5)}, 1},
        {{Int(1), TwoElementArray()}, 1},
    };
    for (const auto& f : failures) {
        Outcome outcome = Call("RANDOM", f.args);
        EXPECT_EQ(outcome.error, f.error);
        EXPECT_EQ(outcome.result.GetInt(), 1);
    }
    // Texts that hold numbers are accepted as bounds.
    EXPECT_EQ(Call("RANDOM", {Text("1"), Text("2")}).error, 0);
}

TEST(MathBuiltins, Bits)
{
    const struct { const char* name; std::vector<CEngineVariant> args; int expected; } cases[] = {
        {"BITAND", {Int(12), Int(10), Int(8)}, 8},
        {"BITAND", {Text("0xFF"), Int(0x3C)}, 0x3C},
        {"BITOR", {Int(1), Int(2), Int(4), Int(8)}, 15},
        {"BITXOR", {Int(5), Int(1)}, 4},
        {"BITXOR", {Int(-1), Int(1), Int(2)}, -4},
        {"BITNOT", {Int(0)}, -1},
        {"BITNOT", {Number(4294967295.0)}, 0},
        {"BITSHIFT", {Int(-8), Int(1)}, -4},     // right, keeping the sign
        {"BITSHIFT", {Int(1), Int(-4)}, 16},     // left
        {"BITSHIFT", {Int(256), Int(33)}, 128},  // the count modulo 32
        {"BITSHIFT", {Int(1), Int(-32)}, 1},
        {"BITSHIFT", {Int(1), Int(-31)}, static_cast<int>(0x80000000u)},
        {"BITSHIFT", {Int(-1), Int(31)}, -1},
        {"BITSHIFT", {Int(3), Int(-2147483647 - 1)}, 3},
    };
    for (const auto& c : cases) {
        Outcome outcome = Call(c.name, c.args);
        EXPECT_EQ(outcome.result.GetInt(), c.expected) << c.name;
        EXPECT_TRUE(outcome.result.IsInt()) << c.name;
    }
}

TEST(MathBuiltins, CharacterCodes)
{
    EXPECT_EQ(Call("ASC", {Text("A")}).result.GetInt(), 65);
    EXPECT_EQ(Call("ASC", {Text("abc")}).result.GetInt(), 97);
    EXPECT_EQ(Call("ASC", {Text("")}).result.GetInt(), 0);
    EXPECT_EQ(Call("ASC", {Text("\xE9")}).result.GetInt(), 233);
    EXPECT_EQ(Call("ASC", {Int(7)}).result.GetInt(), 55);
    const struct { CEngineVariant arg; const char* text; } chr[] = {
        {Int(65), "A"}, {Text("65"), ""}, {Int(0), ""}, {Int(321), "A"}, {Number(233.9), "\xE9"},
    };
    for (const auto& c : chr) {
        Outcome outcome = Call("CHR", {c.arg});
        EXPECT_TRUE(outcome.result.IsString());
        EXPECT_EQ(outcome.Text(), c.text);
    }
}

TEST(MathBuiltins, HexadecimalBothWays)
{
    const struct { const char* text; int value; int error; } dec[] = {
        {"FF", 255, 0}, {"ff", 255, 0}, {"FFFFFFFF", -1, 0}, {"0", 0, 0}, {"", 0, 0},
        {"0xFF", 0, 1}, {"123456789", 0, 1}, {"FG", 0, 1}, {" 1", 0, 1},
    };
    for (const auto& d : dec) {
        Outcome outcome = Call("DEC", {Text(d.text)});
        EXPECT_EQ(outcome.result.GetInt(), d.value) << d.text;
        EXPECT_EQ(outcome.error, d.error) << d.text;
    }
    const struct { CEngineVariant value; int digits; const char* text; int error; } hex[] = {
        {Int(-1), 8, "FFFFFFFF", 0}, {Int(255), 1, "F", 1}, {Int(255), 4, "00FF", 0},
        {Number(4294967295.0), 8, "FFFFFFFF", 0}, {Int(0x1234), 2, "34", 1}, {Int(0), 0, "", 0},
        {Int(1), 9, "", 1}, {Int(1), -1, "", 1}, {Text("0x1F"), 2, "1F", 0},
    };
    for (const auto& h : hex) {
        Outcome outcome = Call("HEX", {h.value, Int(h.digits)});
        EXPECT_EQ(outcome.Text(), h.text) << h.digits;
        EXPECT_EQ(outcome.error, h.error) << h.digits;
    }
}

TEST(MathBuiltins, TypeTests)
{
    const struct { const char* name; CEngineVariant arg; int expected; } cases[] = {
        {"ISARRAY", TwoElementArray(), 1}, {"ISARRAY", Int(1), 0},
        {"ISSTRING", Text("3"), 1}, {"ISSTRING", Int(3), 0},
        {"ISNUMBER", Int(3), 1}, {"ISNUMBER", Text("3"), 0}, {"ISNUMBER", TwoElementArray(), 0},
        {"ISINT", Number(3.0), 1}, {"ISINT", Text("3"), 0}, {"ISINT", Number(3.5), 0},
        {"ISFLOAT", Number(3.5), 1}, {"ISFLOAT", Int(3), 0}, {"ISFLOAT", Text("3.5"), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Call(c.name, {c.arg}).result.GetInt(), c.expected) << c.name;
}

TEST(MathBuiltins, NumberAndStringConvert)
{
    Outcome number = Call("NUMBER", {Text("0x10")});
    EXPECT_TRUE(number.result.IsNumber());
    EXPECT_EQ(number.Number(), 16);
    EXPECT_EQ(Call("NUMBER", {Text("12abc")}).Number(), 12);
    EXPECT_TRUE(Call("NUMBER", {TwoElementArray()}).result.IsArray());
    Outcome text = Call("STRING", {Number(3.5)});
    EXPECT_TRUE(text.result.IsString());
    EXPECT_EQ(text.Text(), "3.5");
    EXPECT_EQ(Call("STRING", {Number(1e20)}).Text(), "1e+20");
    EXPECT_EQ(Call("STRING", {Text("as is")}).Text(), "as is");
    EXPECT_EQ(Call("ADLIBDISABLE").result.GetInt(), 1);
}

}  // namespace
