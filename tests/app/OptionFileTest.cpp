// option.ini: which texts turn the start-up tips off, and what is written
// when the user turns them off.
#include "app/OptionFile.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(OptionFile, OnlyTheExactValue0TurnsTheTipsOff)
{
    static const struct
    {
        const char* text;
        int expected;
    } kCases[] = {
        { "showtip=1\r\n", 1 },
        { "showtip=0\r\n", 0 },
        { "showtip=0", 0 },                         // no line end
        { "showtip=0\n", 0 },
        { "showtip=00\r\n", 1 },
        { "showtip=0 \r\n", 1 },
        { "showtip=\r\n", 1 },
        { "showtip=1\r\nshowtip=0\r\n", 0 },        // a later line wins
        { "showtip=0\r\nshowtip=1\r\n", 1 },
        { "[options]\r\nsize=3\r\nshowtip=0\r\n", 0 },
        { " showtip=0\r\n", 1 },                    // not at the start of the line
        { "SHOWTIP=0\r\n", 1 },
        { "", 1 },
    };
    TempFolder folder;
    for (const auto& c : kCases) {
        WriteFileBytes(folder / "option.ini", c.text);
        int flag = 1;
        ReadShowTipOption((folder / "option.ini").c_str(), flag);
        EXPECT_EQ(flag, c.expected) << c.text;
    }
}

TEST(OptionFile, AMissingOrUnreadableFileKeepsTheFlag)
{
    TempFolder folder;
    for (int initial : { 0, 1 }) {
        int flag = initial;
        ReadShowTipOption((folder / "option.ini").c_str(), flag);
        EXPECT_EQ(flag, initial) << "missing";

        // A file another program holds without sharing, and a folder.
        WriteFileBytes(folder / "locked.ini", initial ? "showtip=0\r\n" : "showtip=1\r\n");
        HANDLE lock = CreateFileA((folder / "locked.ini").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        ReadShowTipOption((folder / "locked.ini").c_str(), flag);
        CloseHandle(lock);
        EXPECT_EQ(flag, initial) << "locked";

        CreateDirectoryA((folder / "folder.ini").c_str(), nullptr);
        ReadShowTipOption((folder / "folder.ini").c_str(), flag);
        EXPECT_EQ(flag, initial) << "a folder";
    }
}

TEST(OptionFile, WritingGivesTheOneLineAndReadsBack)
{
    TempFolder folder;
    WriteFileBytes(folder / "option.ini", "showtip=1\r\nother=2\r\n");
    WriteShowTipOption((folder / "option.ini").c_str(), 0);
    EXPECT_EQ(ReadFileBytes(folder / "option.ini"), "showtip=0\r\n");
    int flag = 1;
    ReadShowTipOption((folder / "option.ini").c_str(), flag);
    EXPECT_EQ(flag, 0);

    // Into a folder that does not exist: nothing, and no file appears.
    WriteShowTipOption((folder / "missing\\option.ini").c_str(), 0);
    EXPECT_FALSE(FileExists(folder / "missing\\option.ini"));
}

}  // namespace
