// Ticking a macro changes its file's Enable line and nothing else.
#include "app/EnableLine.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace testing_support;

namespace {

const std::string kHead = "[General]\r\nName=Report\r\nStartKey=Ctrl + <F1>\r\nEndKey=<F11>\r\nDescription=Daily\r\n";
const std::string kTail = "RepeatOption=0\r\nRepeatTimes=02\r\nOriginalSpeed=x\r\n[Script]\r\nSend(\"a\")\r\n";

TEST(EnableLine, ChangesOnlyTheEnableLine)
{
    TempFolder folder;
    const std::string path = folder / "Report.txt";
    // What the record writer would normalise ("02", "x", a bad window
    // record that stops the reader) must come through unchanged.
    const std::string tail = kTail + "[HalvaneInfo]\r\nWinIndex=0\r\nWinRect=1,2\r\nWinIndex=1\r\nWinRect=1,2,3,4\r\n";
    WriteFileBytes(path, kHead + "Enable=7\r\n" + tail);

    ASSERT_TRUE(WriteEnableLine(path.c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(path), kHead + "Enable=0\r\n" + tail);
    ASSERT_TRUE(WriteEnableLine(path.c_str(), TRUE));
    EXPECT_EQ(ReadFileBytes(path), kHead + "Enable=1\r\n" + tail);
    ASSERT_TRUE(WriteEnableLine(path.c_str(), TRUE)) << "already so: nothing to write";
    EXPECT_EQ(ReadFileBytes(path), kHead + "Enable=1\r\n" + tail);
}

TEST(EnableLine, KeepsTheFilesOwnLineEnds)
{
    TempFolder folder;
    const std::string path = folder / "Unix.txt";
    WriteFileBytes(path, "[General]\nName=Unix\nStartKey=None\nEndKey=None\nDescription=\nEnable=0");
    ASSERT_TRUE(WriteEnableLine(path.c_str(), TRUE));
    EXPECT_EQ(ReadFileBytes(path), "[General]\nName=Unix\nStartKey=None\nEndKey=None\nDescription=\nEnable=1");
}

TEST(EnableLine, TakesFilesWrittenByHandInATextEditor)
{
    // A UTF-8 byte-order mark before "[General]", keys in another case: the
    // record reader reads such a file, so its tick must be kept too.
    TempFolder folder;
    const std::string path = folder / "Edited.txt";
    const std::string head =
        "\xEF\xBB\xBF[general]\r\nName=Edited\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\n";
    WriteFileBytes(path, head + "enable=0\r\n" + kTail);
    ASSERT_TRUE(WriteEnableLine(path.c_str(), TRUE));
    EXPECT_EQ(ReadFileBytes(path), head + "Enable=1\r\n" + kTail);
}

TEST(EnableLine, LeavesFilesOfAnotherFormAlone)
{
    TempFolder folder;
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        { "a text that is no macro", "Notes\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\n" },
        { "no Enable key on line 6", kHead + "RepeatOption=1\r\n" },
        { "ends before line 6", kHead },
        { "empty", "" },
    };
    for (const auto& c : cases) {
        const std::string path = folder / "Other.txt";
        WriteFileBytes(path, c.bytes);
        EXPECT_FALSE(WriteEnableLine(path.c_str(), TRUE)) << c.what;
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.what;
    }
    EXPECT_FALSE(WriteEnableLine((folder / "Missing.txt").c_str(), TRUE));
    EXPECT_FALSE(FileExists(folder / "Missing.txt"));
}

TEST(EnableLine, LeavesNoTemporaryFileBehind)
{
    TempFolder folder;
    const std::string path = folder / "Report.txt";
    WriteFileBytes(path, kHead + "Enable=0\r\n" + kTail);
    ASSERT_TRUE(WriteEnableLine(path.c_str(), TRUE));
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder / "*").c_str(), &data);
    int files = 0;
    do
        files += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(find, &data));
    FindClose(find);
    EXPECT_EQ(files, 1);
}

}  // namespace
