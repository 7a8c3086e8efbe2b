#include "engine/SystemErrorText.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace engine_test;

namespace {

std::string ReportOf(const std::function<void()>& report)
{
    g_ScriptEngine.SetRunState(kRunStateRunning);
    auto boxes = CaptureBoxes(report);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);   // an error ends the run
    if (boxes.size() != 1) {
        ADD_FAILURE() << boxes.size() << " boxes";
        return "";
    }
    EXPECT_EQ(boxes[0].caption, "Internal Error");
    EXPECT_TRUE(boxes[0].exStyle & WS_EX_TOPMOST);   // system-modal
    return boxes[0].text;
}

TEST(ScriptError, HeaderNamesTheSourceFileWhenThereIsOne)
{
    testing_support::TempFolder folder;
    std::string path = folder / "macro.txt";
    g_ScriptFile.Clear();
    ASSERT_EQ(g_ScriptFile.AddFileName(path.c_str()), 0);
    g_ScriptFile.AddLine(11, "WAIT(1)", 0);
    g_ScriptFile.AddLine(12, "$x = 1 +", 0);
    g_ScriptFile.BuildIndex();
    g_ScriptEngine.SetCurrentLine(2);

    EXPECT_EQ(ReportOf([] { g_ScriptEngine.ShowScriptError("Error in expression.", 5); }),
              "Line 12  (File \"" + path + "\"):\n\n$x = 1 +\n$x = ^ ERROR\n\nError: Error in expression.");

    // After Clear the same file index names no file any more.
    g_ScriptFile.Clear();
    g_ScriptFile.AddLine(3, "$x = 1 +", 0);
    g_ScriptEngine.SetCurrentLine(1);
    EXPECT_EQ(ReportOf([] { g_ScriptEngine.ShowScriptError("Error in expression.", -1); }),
              "Line 3:\n\n$x = 1 +\n\nError: Error in expression.");
}

TEST(ScriptError, CaretLineMarksTheColumn)
{
    LoadLines({"MouseClick(\"left\", 1)"});
    const struct { int column; const char* marker; } cases[] = {
        {0, "^ ERROR\n"},
        {10, "MouseClick^ ERROR\n"},
        {99, "MouseClick(\"left\", 1)^ ERROR\n"},
        {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportOf([&] { g_ScriptEngine.ShowScriptError("Unable to parse line.", c.column); }),
                  std::string("Line 1:\n\nMouseClick(\"left\", 1)\n") + c.marker + "\nError: Unable to parse line.")
            << c.column;
}

TEST(ScriptError, PlainTwinShowsTheDetailInsteadOfTheCaret)
{
    LoadLines({"WAIT(1)", "Run(\"missing.exe\")"}, 2);
    const std::string detail = GetSystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(detail.empty());
    EXPECT_EQ(ReportOf([&] { g_ScriptEngine.ShowScriptErrorPlain("Unable to execute the external program.", detail.c_str()); }),
              "Line 2:\n\nRun(\"missing.exe\")\n\nError: Unable to execute the external program.\n\n" + detail);
}

TEST(ScriptError, AVeryLongLineStillGivesABoundedReport)
{
    const size_t kLimit = 12288 - 1;   // the report's buffer, less its terminator
    std::string line = "$x = \"" + std::string(20000, 'w') + "\" +";
    LoadLines({line});
    std::string text = ReportOf([&] { g_ScriptEngine.ShowScriptError("Error in expression.", 15000); });
    EXPECT_EQ(text.substr(0, 15), "Line 1:\n\n$x = \"");
    EXPECT_LE(text.size(), kLimit);
    EXPECT_NE(text.find("w^ ERROR\n\nError: Error in expression."), std::string::npos);

    // A long detail or message is cut too, and the line still shows.
    const std::string detail(20000, 'd');
    text = ReportOf([&] { g_ScriptEngine.ShowScriptErrorPlain("Unable to execute.", detail.c_str()); });
    EXPECT_LE(text.size(), kLimit);
    EXPECT_NE(text.find("\n\nError: Unable to execute.\n\nddd"), std::string::npos);
    const CString message(std::string(20000, 'm').c_str());
    text = ReportOf([&] { g_ScriptEngine.ShowScriptError(message, 3); });
    EXPECT_LE(text.size(), kLimit);
    EXPECT_EQ(text.substr(0, 15), "Line 1:\n\n$x = \"");
    EXPECT_NE(text.find("\n$x ^ ERROR\n\nError: mmm"), std::string::npos);
}

TEST(ScriptError, WithoutALineTheReportStillHasItsShape)
{
    g_ScriptFile.Clear();
    g_ScriptEngine.SetCurrentLine(0);
    EXPECT_EQ(ReportOf([] { g_ScriptEngine.ShowScriptError("Unknown option or bad parameter specified.", -1); }),
              "Line 0:\n\n\n\nError: Unknown option or bad parameter specified.");
}

TEST(SystemErrorText, ComesFromTheSystemAndFollowsGetLastError)
{
    std::string notFound = GetSystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(notFound.empty());
    SetLastError(ERROR_ACCESS_DENIED);
    std::string last = GetSystemErrorText(-1);
    EXPECT_EQ(last, std::string(GetSystemErrorText(ERROR_ACCESS_DENIED)));
    EXPECT_NE(last, notFound);
    EXPECT_STREQ(GetSystemErrorText(0x2FFFFFFF), "");   // no such code
}

TEST(Opt, AnUnknownNameIsAScriptError)
{
    LoadLines({"Opt(\"NoSuchOption\", 1)"});
    CVariantList args = Args({Text("NoSuchOption"), Int(1)});
    CEngineVariant result;
    int status = 0;
    auto boxes = CaptureBoxes([&] { status = g_ScriptEngine.BuiltinOpt(args, result); });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Line 1:\n\nOpt(\"NoSuchOption\", 1)\n\nError: Unknown option or bad parameter specified.");
}

}  // namespace
