// KEYSEND, KEYDOWN and KEYUP: one key named as in step lines, sent when the
// named window and control exist.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/builtins/TestWindow.h"
#include "tests/support/InputRecorder.h"

#include <gtest/gtest.h>

using namespace builtins_test;
using testing_support::InputRecorder;

namespace {

const char kTitle[] = "Kestrune builtin test";

class NamedKeyTest : public testing::Test
{
protected:
    NamedKeyTest() : window({100, 100, 500, 200}, RGB(255, 255, 255), {}, true) {}

    // The builtin's outcome and the key events it produced.
    std::string Keys(const char* builtin, const std::vector<CEngineVariant>& args, Outcome* outcome = nullptr)
    {
        recorder.Clear();
        Outcome result = Call(builtin, args);
        recorder.Settle();
        TestWindow::Pump();
        if (outcome)
            *outcome = result;
        return recorder.DescribeKeys();
    }

    TestWindow window;
    InputRecorder recorder;
};

TEST_F(NamedKeyTest, KeySendPressesTheKeyCountTimes)
{
    Outcome outcome;
    EXPECT_EQ(Keys("KEYSEND", {Text(kTitle), Text(""), Text(""), Text("<F5>"), Text("2")}, &outcome),
              "+F5 -F5 +F5 -F5");
    EXPECT_EQ(outcome.result.GetInt(), 1);
    // An empty or missing count presses once; "0" presses nothing.
    EXPECT_EQ(Keys("KEYSEND", {Text(""), Text(""), Text(""), Text("A"), Text("")}), "+A -A");
    EXPECT_EQ(Keys("KEYSEND", {Text(""), Text(""), Text(""), Text("<Delete>")}), "+DELETE* -DELETE*");
    EXPECT_EQ(Keys("KEYSEND", {Text(""), Text(""), Text(""), Text("A"), Text("0")}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 1);
    EXPECT_EQ(window.EditText(), "a");
    // A control named by class and instance.
    EXPECT_EQ(Keys("KEYSEND", {Text(kTitle), Text(""), Text("Edit1"), Text(","), Text("1")}), "+OEM_COMMA -OEM_COMMA");
}

TEST_F(NamedKeyTest, KeyDownAndKeyUpSendOneHalf)
{
    EXPECT_EQ(Keys("KEYDOWN", {Text(kTitle), Text(""), Text(""), Text("<L Shift>"), Text("3")}), "+LSHIFT");
    EXPECT_EQ(Keys("KEYUP", {Text(kTitle), Text(""), Text(""), Text("<L Shift>"), Text("3")}), "-LSHIFT");
}

TEST_F(NamedKeyTest, AnUnknownKeyNameSendsNothing)
{
    for (const char* name : {"<NoSuchKey>", "", "a", "<f5>"}) {
        for (const char* builtin : {"KEYSEND", "KEYDOWN", "KEYUP"}) {
            Outcome outcome;
            EXPECT_EQ(Keys(builtin, {Text(kTitle), Text(""), Text(""), Text(name), Text("1")}, &outcome), "")
                << builtin << " " << name;
            EXPECT_EQ(outcome.result.GetInt(), 0);
            EXPECT_EQ(outcome.error, 1);
        }
    }
}

TEST_F(NamedKeyTest, AMissingWindowOrControlSendsNothing)
{
    Outcome outcome;
    EXPECT_EQ(Keys("KEYSEND", {Text("No such window"), Text(""), Text(""), Text("A"), Text("1")}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 0);
    EXPECT_EQ(Keys("KEYSEND", {Text(kTitle), Text(""), Text("Edit2"), Text("A"), Text("1")}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 0);
    EXPECT_EQ(Keys("KEYDOWN", {Text(kTitle), Text("text no child has"), Text(""), Text("A")}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 0);
}

TEST_F(NamedKeyTest, BlockInputIsAcceptedEvenWhereTheSystemCannotBlock)
{
    EXPECT_EQ(Call("BLOCKINPUT", {Int(1)}).result.GetInt(), 1);
    EXPECT_EQ(Call("BLOCKINPUT", {Int(0)}).result.GetInt(), 1);
    EXPECT_EQ(Keys("SEND", {Text("q")}), "+Q -Q");
}

}  // namespace
