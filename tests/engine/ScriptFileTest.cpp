#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

const char kGeneral[] =
    "[General]\r\nName=t\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=1\r\n"
    "RepeatOption=0\r\nRepeatTimes=1\r\nOriginalSpeed=1\r\nUseSimilarWin=0\r\nUseHalvane=1\r\n"
    "TriggerRobot=\r\n";

const char kRecords[] =
    "WinIndex=0\r\nWinTitle=Untitled - Notepad\r\nWinPath=C:\\windows\\notepad.exe\r\n"
    "WinParentLevel=0\r\nWinRect=0,0,640,480\r\n"
    "WinIndex=1\r\nWinTitle=Calculator\r\nWinPath=C:\\windows\\calc.exe\r\n"
    "WinParentLevel=1\r\nWinRect=10,20,300,400\r\n";

struct StoredLine
{
    std::string text;
    int lineNumber;
    int window;
};

std::vector<StoredLine> Stored(const CPandrel_ScriptFile& store)
{
    std::vector<StoredLine> lines;
    for (int position = 1; position <= store.GetLineCount(); ++position)
        lines.push_back({store.GetLine(position), store.GetLineNumber(position), store.GetLineWindow(position)});
    return lines;
}

void ExpectLines(const CPandrel_ScriptFile& store, const std::vector<StoredLine>& expected)
{
    std::vector<StoredLine> lines = Stored(store);
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text) << "position " << i + 1;
        EXPECT_EQ(lines[i].lineNumber, expected[i].lineNumber) << "position " << i + 1;
        EXPECT_EQ(lines[i].window, expected[i].window) << "position " << i + 1;
    }
}

class LineStoreLoading : public testing::Test
{
protected:
    std::string WriteMacro(const std::string& script, const std::string& records = "",
                           const char* scriptSection = "[Script]", const char* recordSection = "[HalvaneInfo]")
    {
        std::string path = folder / "macro.txt";
        std::string text = std::string(kGeneral) + scriptSection + "\r\n" + script;
        if (!records.empty())
            text += std::string(recordSection) + "\r\n" + records;
        WriteFileBytes(path, text);
        return path;
    }

    TempFolder folder;
    CPandrel_ScriptFile store;
};

const char kRecordedScript[] =
    "Comment: ==== Start recorded actions ====\r\n"                    // 1
    "MouseMove(10, 20)-> At Win [0]=> [remove on faster speed]\r\n"    // 2
    "MouseClick(\"left\", 1)-> At Win [1]\r\n"                         // 3
    "WAIT(100)=> [remove on faster speed]\r\n"                         // 4
    "Send(\"a-> At Win [5]\")-> At Win [0]\r\n"                        // 5
    "\r\n"                                                             // 6
    ";comment\r\n"                                                     // 7
    "KeySend(\"\",\"\",\"\",\"A\", 1)\r\n"                             // 8
    "comment: any case\r\n"                                            // 9
    "WAIT(5) => [remove on faster speed]\r\n";                         // 10

TEST_F(LineStoreLoading, OriginalSpeedKeepsMarkedLinesWithoutTheMarker)
{
    store.SpeedMode = 0;
    ASSERT_TRUE(store.LoadMacroFile(WriteMacro(kRecordedScript, kRecords).c_str(), 0));
    store.BuildIndex();
    ExpectLines(store, {
        {"MouseMove(10, 20)", 2, 0},
        {"MouseClick(\"left\", 1)", 3, 1},
        {"WAIT(100)", 4, -1},
        {"Send(\"a-> At Win [5]\")", 5, 0},   // bound by the last suffix
        {"KeySend(\"\",\"\",\"\",\"A\", 1)", 8, -1},   // the blank and ";" lines gave way
        {"WAIT(5) ", 10, -1},
    });
    ASSERT_EQ(store.GetWindows().size(), 2u);
    EXPECT_STREQ(store.GetWindows()[0].WinTitle, "Untitled - Notepad");
    EXPECT_STREQ(store.GetWindows()[1].WinPath, "C:\\windows\\calc.exe");
    EXPECT_EQ(store.GetWindows()[1].WinRect.bottom, 400);
}

TEST_F(LineStoreLoading, FasterSpeedDropsMarkedLinesAndKeepsLineNumbers)
{
    store.SpeedMode = 1;
    ASSERT_TRUE(store.LoadMacroFile(WriteMacro(kRecordedScript, kRecords).c_str(), 0));
    store.BuildIndex();
    ExpectLines(store, {
        {"MouseClick(\"left\", 1)", 3, 1},
        {"Send(\"a-> At Win [5]\")", 5, 0},
        {"KeySend(\"\",\"\",\"\",\"A\", 1)", 8, -1},
    });
}

TEST_F(LineStoreLoading, SectionLinesAreFoundWhateverTheirCase)
{
    store.SpeedMode = 0;
    ASSERT_TRUE(store.LoadMacroFile(
        WriteMacro("MouseClick(\"left\", 1)-> At Win [1]\r\n", kRecords, "[script]", "[HALVANEINFO]").c_str(), 0));
    ExpectLines(store, {{"MouseClick(\"left\", 1)", 1, 1}});
    EXPECT_EQ(store.GetWindows().size(), 2u);
}

TEST_F(LineStoreLoading, FilesWithoutAScriptLoadNothing)
{
    EXPECT_FALSE(store.LoadMacroFile((folder / "missing.txt").c_str(), 0));
    EXPECT_EQ(store.GetLineCount(), 0);

    std::string path = folder / "general-only.txt";
    WriteFileBytes(path, kGeneral);
    EXPECT_TRUE(store.LoadMacroFile(path.c_str(), 0));
    EXPECT_EQ(store.GetLineCount(), 0);

    EXPECT_TRUE(store.LoadMacroFile(WriteMacro("Comment: one\r\nComment: two\r\n").c_str(), 0));
    EXPECT_EQ(store.GetLineCount(), 0);

    WriteFileBytes(path, "");
    EXPECT_TRUE(store.LoadMacroFile(path.c_str(), 0));
    EXPECT_EQ(store.GetLineCount(), 0);
}

TEST_F(LineStoreLoading, ABadWindowRecordEndsTheRecordList)
{
    std::string records = std::string(kRecords) +
        "WinIndex=2\r\nWinTitle=Broken\r\nWinRect=1,2\r\n"
        "WinIndex=3\r\nWinTitle=After\r\nWinRect=1,2,3,4\r\n";
    ASSERT_TRUE(store.LoadMacroFile(WriteMacro("WAIT(1)\r\n", records).c_str(), 0));
    ASSERT_EQ(store.GetWindows().size(), 2u);

    // The next load starts from an empty window list and map.
    ASSERT_TRUE(store.LoadMacroFile(WriteMacro("WAIT(2)\r\n").c_str(), 0));
    EXPECT_TRUE(store.GetWindows().empty());
    EXPECT_EQ(store.GetLineWindow(1), -1);
}

TEST_F(LineStoreLoading, AReplacedLineTakesItsBindingAlong)
{
    store.SpeedMode = 0;
    ASSERT_TRUE(store.LoadMacroFile(
        WriteMacro("-> At Win [1]\r\nWAIT(3)\r\nMouseUp(\"left\")-> At Win []\r\n", kRecords).c_str(), 0));
    ExpectLines(store, {{"WAIT(3)", 2, -1}, {"MouseUp(\"left\")", 3, -1}});
}

TEST_F(LineStoreLoading, OnlyASuffixThatEndsTheLineBindsIt)
{
    store.SpeedMode = 0;
    ASSERT_TRUE(store.LoadMacroFile(WriteMacro(
        "Send(\"x-> At Win [\", 1)\r\n"
        "Send(\"y-> At Win [2] z\", 1)\r\n"
        "Send(\"w\", 1)-> At Win [1]  \r\n", kRecords).c_str(), 0));
    ExpectLines(store, {
        {"Send(\"x-> At Win [\", 1)", 1, -1},
        {"Send(\"y-> At Win [2] z\", 1)", 2, -1},
        {"Send(\"w\", 1)", 3, 1},
    });
}

TEST(LineStore, PositionsOutsideTheStoreHaveNoLine)
{
    CPandrel_ScriptFile store;
    store.AddLine(1, "first", 0);
    store.AddLine(2, "second", 3);
    store.BuildIndex();
    EXPECT_STREQ(store.GetLine(2), "second");
    EXPECT_EQ(store.GetFileIndex(2), 3);
    for (int position : {0, -1, 3}) {
        EXPECT_EQ(store.GetLine(position), nullptr);
        EXPECT_EQ(store.GetLineNumber(position), -1);
        EXPECT_EQ(store.GetFileIndex(position), -1);
    }
    // Only the last line may be blank or a comment.
    store.AddLine(3, ";note", 0);
    EXPECT_EQ(store.GetLineCount(), 3);
    store.AddLine(4, "", 0);
    EXPECT_EQ(store.GetLineCount(), 3);
    EXPECT_STREQ(store.GetLine(3), "");
    EXPECT_EQ(store.GetLineNumber(3), 4);
}

TEST(LineStore, FileNamesAreSharedByFullPathWithoutCase)
{
    TempFolder folder;
    CPandrel_ScriptFile store;
    std::string path = folder / "Script.txt";
    EXPECT_EQ(store.AddFileName(path.c_str()), 0);
    std::string upper = path;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(ch));
    EXPECT_EQ(store.AddFileName(upper.c_str()), 0);
    EXPECT_EQ(store.GetFileNameUseCount(0), 2);
    EXPECT_STREQ(store.GetFileName(0), path.c_str());
    EXPECT_EQ(store.GetFileName(1), nullptr);

    // A relative name is stored as its full path.
    SetCurrentDirectoryA(folder.Path().c_str());
    EXPECT_EQ(store.AddFileName("other.txt"), 1);
    EXPECT_EQ(std::string(store.GetFileName(1)), folder / "other.txt");

    for (int i = 2; i < CPandrel_ScriptFile::kMaxFileNames; ++i)
        EXPECT_EQ(store.AddFileName(("f" + std::to_string(i)).c_str()), i);
    EXPECT_EQ(store.AddFileName("one-too-many"), -1);
    EXPECT_EQ(store.AddFileName(path.c_str()), -1);

    store.AddLine(1, "x", 0);
    store.Clear();
    EXPECT_EQ(store.GetLineCount(), 0);
    EXPECT_EQ(store.GetFileNameCount(), 0);
    EXPECT_EQ(store.GetFileName(0), nullptr);
    SetCurrentDirectoryA("C:\\");
}

}  // namespace

namespace {

TEST(PrepareScript, SetsTheScriptsNamesAndClearsTheStopFlag)
{
    TempFolder folder;
    SetCurrentDirectoryA(folder.Path().c_str());
    g_ScriptEngine.StopFlag = 1;
    EXPECT_EQ(g_ScriptEngine.PrepareScript("robot.txt"), 0);
    EXPECT_EQ(std::string(g_ScriptEngine.GetScriptFullPath()), folder / "robot.txt");
    EXPECT_STREQ(g_ScriptEngine.GetScriptName(), "robot.txt");
    EXPECT_EQ(std::string(g_ScriptEngine.GetScriptDir()), folder.Path());
    EXPECT_EQ(g_ScriptEngine.StopFlag, 0);

    EXPECT_EQ(g_ScriptEngine.PrepareScript("C:\\top.txt"), 0);
    EXPECT_STREQ(g_ScriptEngine.GetScriptDir(), "C:");
    EXPECT_STREQ(g_ScriptEngine.GetScriptName(), "top.txt");
    SetCurrentDirectoryA("C:\\");
}

}  // namespace
