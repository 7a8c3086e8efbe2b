#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace engine_test;

namespace {

TEST(Lexer, ErrorsReportTheirColumnAndStopTheRun)
{
    const struct { const char* line; const char* message; int column; const char* rest; } cases[] = {
        {"$", "Badly formated variable or macro.", 0, ""},
        {"$x = @ + 1", "Badly formated variable or macro.", 5, "var(x)@0 =@3"},
        {"#x", "Unable to parse line.", 0, "eol@0"},
        {"$a = 1 ! 2", "Unable to parse line.", 7, "var(a)@0 =@3 num(1)@5 eol@7"},
        {"x = 1e", "Unable to parse line.", 4, "word(X)@0 =@2 eol@4"},
        {"0x123456789", "Unable to parse line.", 0, "eol@0"},
        {"MsgBox(0, \"t\", \"open)", "String missing closing quote.", 15,
         "fn(MSGBOX)@0 (@6 num(0)@7 ,@8 str(t)@10 ,@13 eol@15"},
        {"'it''s", "String missing closing quote.", 0, "eol@0"},
    };
    for (const auto& c : cases) {
        LoadLines({c.line});
        g_ScriptEngine.SetRunState(kRunStateRunning);
        TokenList tokens;
        int status = 0;
        auto boxes = CaptureBoxes([&] { status = g_ScriptEngine.Tokenise(c.line, tokens); });
        EXPECT_EQ(status, 1) << c.line;
        EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop) << c.line;
        EXPECT_EQ(Describe(tokens), c.rest) << c.line;
        ASSERT_EQ(boxes.size(), 1u) << c.line;
        const std::string expected = std::string("Line 1:\n\n") + c.line + "\n" +
                                     std::string(c.line).substr(0, static_cast<size_t>(c.column)) +
                                     "^ ERROR\n\nError: " + c.message;
        EXPECT_EQ(boxes[0].text, expected);
        EXPECT_EQ(boxes[0].caption, "Internal Error");
    }
}

}  // namespace
