#include "engine/EngineVariant.h"
#include "engine/NumberConversion.h"
#include "engine/VariantList.h"
#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <limits.h>
#include <math.h>

#include <string>

using engine_test::Int;
using engine_test::Text;

namespace {

CEngineVariant Number(double value)
{
    CEngineVariant v;
    v.SetNumber(value);
    return v;
}

CEngineVariant Array(int size)
{
    CEngineVariant v;
    v.PushSubscript(size);
    EXPECT_TRUE(v.CreateArray());
    return v;
}

TEST(NumberText, FormatsWithFifteenDigitsAndATwoDigitExponent)
{
    const struct { double value; const char* text; } cases[] = {
        {3, "3"}, {0.1, "0.1"}, {-2.5, "-2.5"}, {1.0 / 3, "0.333333333333333"},
        {1e15, "1e+15"}, {123456789012345.0, "123456789012345"}, {1e20, "1e+20"},
        {1e-5, "1e-05"}, {0.0001, "0.0001"}, {1.5e300, "1.5e+300"}, {-0.0, "-0"},
        {4294967295.0, "4294967295"}, {HUGE_VAL, "inf"}, {-HUGE_VAL, "-inf"},
    };
    for (const auto& c : cases) {
        CEngineVariant v = Number(c.value);
        EXPECT_STREQ(v.GetString(), c.text) << c.value;
        EXPECT_EQ(v.GetStringLength(), static_cast<int>(strlen(c.text)));
    }
    EXPECT_EQ(std::string(Number(NAN).GetString()).find("nan") != std::string::npos, true);
}

TEST(NumberText, ReadsTheLeadingDecimalNumberOnly)
{
    const struct { const char* text; double number; int integer; } cases[] = {
        {"12abc", 12, 12}, {"abc", 0, 0}, {" 7", 7, 7}, {"\t-3.75x", -3.75, -3},
        {"+.5", 0.5, 0}, {"5.", 5, 5}, {".", 0, 0}, {"", 0, 0}, {"-", 0, 0},
        {"1e3", 1000, 1}, {"1e", 1, 1}, {"1e+", 1, 1}, {"2E-2", 0.02, 2}, {"1.5e2.7", 150, 1},
        // not numbers in this language, whatever the C library reads
        {"inf", 0, 0}, {"-Infinity", 0, 0}, {"nan", 0, 0}, {" 0x1A", 0, 0}, {"-0x10", 0, 0},
    };
    for (const auto& c : cases) {
        CEngineVariant v = Text(c.text);
        EXPECT_DOUBLE_EQ(v.GetNumber(), c.number) << c.text;
        EXPECT_EQ(v.GetInt(), c.integer) << c.text;
    }
    EXPECT_EQ(ReadDecimalNumber("0.1"), 0.1);   // correctly rounded
    EXPECT_EQ(ReadDecimalNumber("123456789", 4), 1234.0);
}

TEST(NumberText, HexadecimalTextHasAtMostEightDigits)
{
    const struct { const char* text; int value; } cases[] = {
        {"0x1F", 31}, {"0X1f", 31}, {"0x", 0}, {"0xFFFFFFFF", -1}, {"0x7fffffff", INT_MAX},
        {"0x123456789", 0}, {"0x1G", 0}, {"0x1p3", 0}, {"0x10 ", 0},
    };
    for (const auto& c : cases) {
        CEngineVariant asNumber = Text(c.text);
        EXPECT_EQ(asNumber.GetNumber(), c.value) << c.text;
        CEngineVariant asInt = Text(c.text);
        EXPECT_EQ(asInt.GetInt(), c.value) << c.text;
    }
}

TEST(NumberText, IntegerConversionIsDefinedForEveryDouble)
{
    const struct { double value; int int32; long long int64; } cases[] = {
        {2.9, 2, 2}, {-2.9, -2, -2}, {4294967295.0, -1, 4294967295LL},
        {4294967296.0 + 5, 5, 4294967301LL}, {-4294967297.0, -1, -4294967297LL},
        {2147483648.0, INT_MIN, 2147483648LL},
        {1e30, INT_MAX, LLONG_MAX}, {-1e30, INT_MIN, LLONG_MIN},
        {HUGE_VAL, INT_MAX, LLONG_MAX}, {-HUGE_VAL, INT_MIN, LLONG_MIN}, {NAN, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DoubleToInt32(c.value), c.int32) << c.value;
        EXPECT_EQ(DoubleToInt64(c.value), c.int64) << c.value;
        EXPECT_EQ(Number(c.value).GetInt(), c.int32) << c.value;
    }
    // Digit strings convert the same way: within 64 bits they wrap, beyond they saturate.
    EXPECT_EQ(Text("4294967295").GetInt(), -1);
    EXPECT_EQ(Text("-2147483649").GetInt(), INT_MAX);
    EXPECT_EQ(Text("9223372036854775807").GetInt(), -1);
    EXPECT_EQ(Text("99999999999999999999").GetInt(), INT_MAX);
    EXPECT_EQ(Text("-99999999999999999999").GetInt(), INT_MIN);
}

TEST(EngineVariant, NewValueIsTheNumberZero)
{
    CEngineVariant v;
    EXPECT_TRUE(v.IsNumber());
    EXPECT_EQ(v.GetNumber(), 0.0);
    EXPECT_STREQ(v.GetString(), "0");
    EXPECT_FALSE(v.IsTrue());
}

TEST(EngineVariant, TypeTestsAndConversionsInPlace)
{
    EXPECT_TRUE(Number(3).IsInt());
    EXPECT_FALSE(Number(3).IsFloat());
    EXPECT_TRUE(Number(3.5).IsFloat());
    EXPECT_FALSE(Text("3").IsInt());
    EXPECT_FALSE(Number(NAN).IsInt());
    EXPECT_FALSE(Number(1e300).IsInt());   // beyond what a 64-bit integer holds

    CEngineVariant v = Text("0x10");
    v.ToNumber();
    EXPECT_TRUE(v.IsNumber());
    EXPECT_EQ(v.GetNumber(), 16);
    v = Number(2.5);
    v.ToString();
    EXPECT_TRUE(v.IsString());
    EXPECT_STREQ(v.GetString(), "2.5");
    EXPECT_EQ(v.GetInt(), 2);
}

TEST(EngineVariant, ArithmeticMakesANumberAndDropsTheCachedText)
{
    CEngineVariant v = Int(7);
    EXPECT_STREQ(v.GetString(), "7");
    CEngineVariant two = Text("2");
    v.Add(two);
    EXPECT_STREQ(v.GetString(), "9");
    v.Subtract(two);
    v.Multiply(two);
    EXPECT_EQ(v.GetNumber(), 14);
    CEngineVariant four = Number(4);
    v.Divide(four);
    EXPECT_EQ(v.GetNumber(), 3.5);
    CEngineVariant zero;
    v.Divide(zero);
    EXPECT_TRUE(isinf(v.GetNumber()));

    CEngineVariant array = Array(3);
    CEngineVariant n = Int(5);
    n.Add(array);
    EXPECT_EQ(n.GetNumber(), 5);
    array.Add(n);
    EXPECT_TRUE(array.IsArray());
}

TEST(EngineVariant, NotAndTruth)
{
    const struct { CEngineVariant value; bool truth; int notValue; } cases[] = {
        {Int(0), false, 1}, {Int(2), true, 0}, {Number(0.5), true, 1}, {Number(-0.5), true, 1},
        {Text(""), false, 1}, {Text("0"), true, 1}, {Text("abc"), true, 1}, {Text("3"), true, 0},
        {Number(NAN), true, 0},
    };
    for (const auto& c : cases) {
        CEngineVariant v = c.value;
        EXPECT_EQ(v.IsTrue(), c.truth) << v.GetString();
        v.Not();
        EXPECT_EQ(v.GetInt(), c.notValue) << c.value.GetType();
    }
    CEngineVariant array = Array(2);
    EXPECT_FALSE(array.IsTrue());
}

TEST(EngineVariant, ConcatenateTurnsTheLeftSideIntoText)
{
    CEngineVariant v = Int(1);
    CEngineVariant tail = Number(2.5);
    v.Concatenate(tail);
    EXPECT_TRUE(v.IsString());
    EXPECT_STREQ(v.GetString(), "12.5");
    v.Concatenate(v);
    EXPECT_STREQ(v.GetString(), "12.512.5");
    EXPECT_EQ(v.GetNumber(), 12.512);   // caches follow the new text
    std::string expected = "12.512.5";
    for (int i = 0; i < 200; ++i) {
        CEngineVariant piece = Text("xyz");
        v.Concatenate(piece);
        expected += "xyz";
    }
    EXPECT_EQ(v.GetString(), expected);
}

TEST(EngineVariant, ComparisonsFollowTheTypes)
{
    const struct { CEngineVariant a, b; bool equal, less, greater, exact; } cases[] = {
        {Text("abc"), Text("ABC"), true, false, false, false},
        {Text("10"), Text("9"), false, true, false, false},     // both strings: as text
        {Int(10), Text("9"), false, false, true, false},        // as numbers
        {Int(1), Number(1.0), true, false, false, true},        // both print "1"
        {Int(1), Text("1"), true, false, false, true},
        {Text("1.0"), Int(1), true, false, false, false},
        {Text("a"), Text("ab"), false, true, false, false},
        {Text("_"), Text("a"), false, true, false, false},      // folded to lower case
        {Text(""), Int(0), true, false, false, false},
        {Number(NAN), Number(NAN), false, false, false, true},
    };
    for (const auto& c : cases) {
        CEngineVariant a = c.a, b = c.b;
        std::string what = std::string(a.GetString()) + " ? " + b.GetString();
        EXPECT_EQ(a.Equal(b), c.equal) << what;
        EXPECT_EQ(a.Less(b), c.less) << what;
        EXPECT_EQ(a.Greater(b), c.greater) << what;
        EXPECT_EQ(a.EqualExact(b), c.exact) << what;
    }
    CEngineVariant array = Array(1), zero;
    EXPECT_FALSE(array.Equal(zero));
    EXPECT_FALSE(zero.Less(array));
    EXPECT_FALSE(array.EqualExact(array));
    CEngineVariant one = Int(1), empty = Text("");
    EXPECT_TRUE(one.Or(empty));
    EXPECT_FALSE(one.And(empty));
    EXPECT_FALSE(one.Or(array));
}

TEST(EngineArray, ElementsAreRowMajorAndMadeOnFirstUse)
{
    CEngineVariant a;
    a.PushSubscript(3);
    a.PushSubscript(4);
    ASSERT_TRUE(a.CreateArray());
    EXPECT_EQ(a.GetElementCount(), 12);
    EXPECT_EQ(a.DimensionSize(0), 2);
    EXPECT_EQ(a.DimensionSize(1), 3);
    EXPECT_EQ(a.DimensionSize(2), 4);
    EXPECT_EQ(a.DimensionSize(3), 0);

    a.PushSubscript(2);
    a.PushSubscript(1);
    EXPECT_EQ(a.ElementIndex(), 9);   // the last subscript varies fastest
    CEngineVariant* element = a.Element();
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->GetNumber(), 0.0);
    element->SetString("x");

    const struct { int subscripts[3]; int count; } invalid[] = {
        {{3, 0}, 2}, {{0, 4}, 2}, {{-1, 0}, 2}, {{0}, 1}, {{0, 0, 0}, 3},
    };
    for (const auto& c : invalid) {
        a.ClearSubscripts();
        for (int i = 0; i < c.count; ++i)
            a.PushSubscript(c.subscripts[i]);
        EXPECT_FALSE(a.SubscriptsValid());
        EXPECT_EQ(a.ElementIndex(), -1);
        EXPECT_EQ(a.Element(), nullptr);
    }

    CEngineVariant copy = a;
    copy.ClearSubscripts();
    copy.PushSubscript(2);
    copy.PushSubscript(1);
    EXPECT_STREQ(copy.Element()->GetString(), "x");
    copy.Element()->SetString("changed");
    a.ClearSubscripts();
    a.PushSubscript(2);
    a.PushSubscript(1);
    EXPECT_STREQ(a.Element()->GetString(), "x");   // a deep copy
}

TEST(EngineArray, SizeLimits)
{
    CEngineVariant a;
    for (int i = 0; i < 64; ++i)
        EXPECT_TRUE(a.PushSubscript(1));
    EXPECT_FALSE(a.PushSubscript(1));
    EXPECT_TRUE(a.CreateArray());
    EXPECT_EQ(a.DimensionSize(0), 64);

    CEngineVariant big;
    big.PushSubscript(4096);
    big.PushSubscript(4096);
    EXPECT_TRUE(big.CreateArray());
    EXPECT_EQ(big.GetElementCount(), 16777216);

    const struct { int sizes[4]; int count; } refused[] = {
        {{4096, 4096, 2}, 3}, {{65536, 65536, 65536, 65536}, 4}, {{0}, 1}, {{5, -1}, 2}, {{}, 0},
    };
    for (const auto& c : refused) {
        CEngineVariant v;
        for (int i = 0; i < c.count; ++i)
            v.PushSubscript(c.sizes[i]);
        EXPECT_FALSE(v.CreateArray());
        EXPECT_TRUE(v.IsNumber());
        EXPECT_EQ(v.GetNumber(), 0.0);
    }
}

TEST(EngineArray, ReDimCopiesTheElementsThatFitBothShapes)
{
    auto make = [](int rows, int columns) {
        CEngineVariant v;
        v.PushSubscript(rows);
        v.PushSubscript(columns);
        EXPECT_TRUE(v.CreateArray());
        return v;
    };
    auto at = [](CEngineVariant& v, int row, int column) {
        v.ClearSubscripts();
        v.PushSubscript(row);
        v.PushSubscript(column);
        return v.Element();
    };
    CEngineVariant old = make(3, 3);
    at(old, 0, 0)->SetInt(1);
    at(old, 1, 2)->SetInt(12);
    at(old, 2, 1)->SetInt(21);

    CEngineVariant grown = make(2, 5);
    grown.CopyElementsFrom(old);
    EXPECT_EQ(at(grown, 0, 0)->GetInt(), 1);
    EXPECT_EQ(at(grown, 1, 2)->GetInt(), 12);
    EXPECT_EQ(at(grown, 1, 4)->GetInt(), 0);
    int made = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 5; ++c)
            made += at(grown, r, c)->GetInt();
    EXPECT_EQ(made, 13);   // [2][1] did not fit

    CEngineVariant flat;
    flat.PushSubscript(9);
    ASSERT_TRUE(flat.CreateArray());
    flat.CopyElementsFrom(old);   // other number of dimensions: nothing copied
    flat.ClearSubscripts();
    flat.PushSubscript(0);
    EXPECT_EQ(flat.Element()->GetInt(), 0);
}

TEST(EngineArray, AssigningAnElementToItsArrayKeepsTheValue)
{
    CEngineVariant a = Array(2);
    a.ClearSubscripts();
    a.PushSubscript(1);
    a.Element()->SetString("kept");
    CEngineVariant* element = a.Element();
    a.Assign(*element);
    EXPECT_TRUE(a.IsString());
    EXPECT_STREQ(a.GetString(), "kept");
}

TEST(VariantList, ReadingPastTheEndGivesZero)
{
    CVariantList args;
    args.Append(Text("a"));
    args.Append(Int(2));
    args.Append(Number(3.5));
    EXPECT_EQ(args.GetCount(), 3);
    EXPECT_STREQ(args.GetItem(0).GetString(), "a");
    EXPECT_EQ(args.GetItem(2).GetNumber(), 3.5);
    args.GetItem(4).SetString("scribbled");
    EXPECT_TRUE(args.GetItem(5).IsNumber());
    EXPECT_EQ(args.GetItem(5).GetNumber(), 0.0);
    EXPECT_EQ(args.GetItem(-1).GetInt(), 0);
}

}  // namespace
