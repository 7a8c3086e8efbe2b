// Expressions: precedence and associativity, numbers against strings,
// truth values, short-circuit AND and OR, and powers.
#include "tests/engine/ScriptTestSupport.h"

#include <windows.h>

namespace {

using script_host::Global;
using script_test::RunClean;
using script_test::ValueOf;

struct ExpressionCase
{
    const char* expression;
    const char* value;   // as text
};

void ExpectValues(const std::vector<ExpressionCase>& cases)
{
    for (const ExpressionCase& c : cases)
        EXPECT_EQ(ValueOf(c.expression), c.value) << c.expression;
}

TEST(Expressions, PrecedenceAndAssociativity)
{
    ExpectValues({
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 4 - 3", "3"},
        {"100 / 10 / 5", "2"},
        {"2 ^ 3 ^ 2", "64"},
        {"2 * 3 ^ 2", "18"},
        {"2 ^ -1", "0.5"},
        {"5 - -2", "7"},
        {"-3 - -3", "0"},
        {"2 * -3", "-6"},
        {"7 / 2", "3.5"},
        {"1 & 2 + 3", "15"},
        {"1 + 2 & 3 * 4", "312"},
        {"\"a\" & 1 = \"a1\"", "1"},
        {"NOT 1 + 1", "1"},
        {"NOT 0 = 1", "1"},
        {"1 OR 0 AND 0", "0"},
        {"0 AND 0 OR 1", "1"},
        {"1 < 2 = 1", "1"},
        {"((((1))))", "1"},
        {"-(2 + 3) * 2", "-10"},
    });
}

TEST(Expressions, PowersAreExactAndKeepTheSignOfANegativeBase)
{
    ExpectValues({
        {"10 ^ 2 = 100", "1"},
        {"Int(10 ^ 2)", "100"},
        {"Int(10 ^ 9)", "1000000000"},
        {"10 ^ 15 = 1000000000000000", "1"},
        {"3 ^ 4", "81"},
        {"(-2) ^ 2", "4"},
        {"(-2) ^ 3", "-8"},
        {"-2 ^ 2", "4"},   // the negation applies first
        {"0 ^ 0", "1"},
        {"0 ^ -2", "1"},
        {"0 ^ 3", "0"},
        {"4 ^ 0.5", "2"},
    });
    RunClean({"$n = (-8) ^ 0.5", "$r = $n = $n"});
    EXPECT_EQ(Global("r"), "0");   // not a number: equal to nothing, itself included
}

TEST(Expressions, StringsAndNumbersCompareAndJoin)
{
    ExpectValues({
        {"\"abc\" = \"ABC\"", "1"},
        {"\"abc\" == \"ABC\"", "0"},
        {"\"abc\" == \"abc\"", "1"},
        {"1 == 1.0", "1"},
        {"\"1\" == 1", "1"},
        {"\"10\" < \"9\"", "1"},
        {"10 < \"9\"", "0"},
        {"\"b\" > \"A\"", "1"},
        {"\"a\" <> \"A\"", "0"},
        {"2 <= 2", "1"},
        {"3 >= 4", "0"},
        {"\"5\" + \"6\"", "11"},
        {"\"0x1F\" + 1", "32"},
        {"\"12abc\" * 2", "24"},
        {"\"abc\" + 1", "1"},
        {"1 & 2", "12"},
        {"1.5 & \"x\"", "1.5x"},
        {"0.1 + 0.2", "0.3"},
        {"\"\" & \"\"", ""},
    });
}

TEST(Expressions, TruthValues)
{
    const struct
    {
        const char* condition;
        bool truth;
    } cases[] = {
        {"\"0\"", true}, {"\"\"", false}, {"0", false}, {"0.0001", true}, {"-1", true},
        {"\"abc\"", true}, {"NOT \"\"", true}, {"NOT \"abc\"", true}, {"NOT 0.5", true}, {"1 - 1", false},
    };
    for (const auto& c : cases) {
        RunClean({"$r = \"no\"", std::string("If ") + c.condition + " Then $r = \"yes\""});
        EXPECT_EQ(Global("r"), c.truth ? "yes" : "no") << c.condition;
    }
}

TEST(Expressions, AndOrSkipTheirRightSideAcrossBrackets)
{
    ExpectValues({
        {"1 OR $undeclared", "1"},
        {"0 AND $undeclared", "0"},
        {"1 OR (0 AND 1)", "1"},
        {"0 AND (1 OR $undeclared[1])", "0"},
        {"1 OR ((($undeclared)))", "1"},
        {"1 OR $undeclared AND 1", "1"},
        {"(1 OR $undeclared) + 1", "2"},
        // A right side that is skipped is never read as an expression: what
        // would be a fault there goes unnoticed.
        {"1 OR 2 3", "1"},
        {"0 AND 2 3", "0"},
    });
    // The skip stops at the end of a subscript and of an argument.
    RunClean({"Dim $a[3]", "$a[1] = \"one\"", "$r = $a[1 OR $undeclared]", "$s = SetError(0 AND $undeclared)"});
    EXPECT_EQ(Global("r"), "one");
    EXPECT_EQ(Global("s"), "1");
}

TEST(Expressions, AndOrEvaluateTheRightSideWhenItDecides)
{
    RunClean({
        "Func Touch($v)",
        "    $touched = $touched + 1",
        "    Return $v",
        "EndFunc",
        "$touched = 0",
        "$a = 1 AND Touch(1)",
        "$b = 0 OR Touch(0)",
        "$c = 0 AND Touch(1)",
        "$d = 1 OR Touch(0)",
    });
    EXPECT_EQ(Global("touched"), "2");
    EXPECT_EQ(Global("a"), "1");
    EXPECT_EQ(Global("b"), "0");
    EXPECT_EQ(Global("c"), "0");
    EXPECT_EQ(Global("d"), "1");
}

TEST(Expressions, ArrayElementsAndWholeArrays)
{
    RunClean({
        "Dim $grid[3][4]",
        "$grid[2][3] = \"corner\"",
        "$r = $grid[2][3]",
        "$untouched = $grid[0][0]",
        "$copy = $grid",
        "$copy[2][3] = \"changed\"",
        "$still = $grid[2][3]",
        "$i = 1",
        "$grid[$i + 1][$i * 3] = $grid[2][3] & \"!\"",
        "$computed = $grid[2][3]",
        // Elements in arithmetic: numbers, a text that reads as one, and a
        // subscript that is itself an expression.
        "$grid[0][1] = 5",
        "$grid[1][1] = \"7\"",
        "$sum = $grid[0][$i] + $grid[$i][1] * 2 + $grid[0][$i * 1]",
        "$k = 0",
        "$grid[$k][$k] = $grid[0][1] - $grid[$k][$k]",
        "$corner = $grid[$k][$k]",
    });
    EXPECT_EQ(Global("r"), "corner");
    EXPECT_EQ(Global("sum"), "24");
    EXPECT_EQ(Global("corner"), "5");
    EXPECT_EQ(Global("untouched"), "0");
    EXPECT_EQ(Global("copy"), "<array>");
    EXPECT_EQ(Global("still"), "corner");
    EXPECT_EQ(Global("computed"), "corner!");
}

TEST(Expressions, StringsBuiltPieceByPiece)
{
    // The in-place append must give what the expression as written gives.
    RunClean({
        "$s = \"\"",
        "For $i = 1 To 5",
        "    $s = $s & $i & \",\"",
        "Next",
        "$n = 7",
        "$n = $n & 1 + 2 & \"x\"",
        "$t = \"a\"",
        "$t = $t & $t",
        "$u = \"a\"",
        "$u = $u & (2 * 3)",
        "$v = \"v\"",
        "$v = $v & -2 ^ 2",
        "Dim $arr[2]",
        "$w = \"w\"",
        "$w = $w & $arr & \"!\"",
    });
    EXPECT_EQ(Global("s"), "1,2,3,4,5,");
    EXPECT_EQ(Global("n"), "73x");
    EXPECT_EQ(Global("t"), "aa");
    EXPECT_EQ(Global("u"), "a6");
    EXPECT_EQ(Global("v"), "v4");
    EXPECT_EQ(Global("w"), "w!");
}

TEST(Expressions, StringsExpandEnvironmentVariablesWhenTheOptionIsOn)
{
    // One line read twice, before and after the option changes: the second
    // time its string is expanded, though the line was read before.
    SetEnvironmentVariableA("KESTRUNE_TEST_VALUE", "expanded");
    RunClean({
        "Dim $v[3]",
        "For $i = 1 To 2",
        "    $v[$i] = \"%KESTRUNE_TEST_VALUE% 100%%\"",
        "    Opt(\"ExpandEnvStrings\", 1)",
        "Next",
        "$first = $v[1]",
        "$second = $v[2]",
    });
    EXPECT_EQ(Global("first"), "%KESTRUNE_TEST_VALUE% 100%%");
    EXPECT_EQ(Global("second"), "expanded 100%");
}

}  // namespace
