#include "macro/Folders.h"
#include "macro/NumberText.h"
#include "macro/Robot.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <limits.h>
#include <string>
#include <vector>

using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::SourcePath;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

CRobot SampleRobot()
{
    CRobot robot;
    robot.Name = "Greeting";
    robot.TriggerRobot = "Next";
    robot.StartKey = "Ctrl + Alt + <F5>";
    robot.EndKey = "<F11>";
    robot.Description = "Says hello; then waits";
    robot.Enable = 5;
    robot.RepeatOption = 2;
    robot.RepeatTimes = 3;
    robot.Script.Add("Send(\"hello\", 1)-> At Win [1]");
    robot.Script.Add("");
    robot.Script.Add("Sleep(150)=> [remove on faster speed]");
    robot.OriginalSpeed = 1;
    robot.UseHalvane = 1;
    robot.UseSimilarWin = 0;
    HalvaneInfo info;
    info.WinIndex = 1;
    info.hWnd = reinterpret_cast<HWND>(0x1234);
    info.WinTitle = "Untitled - Notepad";
    info.WinPath = "C:\\windows\\system32\\notepad.exe";
    info.WinParentLevel = 0;
    info.WinRect = {-4, 10, 640, 480};
    robot.AddHalvaneInfo(info);
    return robot;
}

const char kSampleFile[] =
    "[General]\r\nName=Greeting\r\nStartKey=Ctrl + Alt + <F5>\r\nEndKey=<F11>\r\n"
    "Description=Says hello; then waits\r\nEnable=1\r\nRepeatOption=2\r\nRepeatTimes=3\r\n"
    "OriginalSpeed=0\r\nUseSimilarWin=0\r\nUseHalvane=1\r\nTriggerRobot=Next\r\n[Script]\r\n"
    "Send(\"hello\", 1)-> At Win [1]\r\n\r\nSleep(150)=> [remove on faster speed]\r\n"
    "[HalvaneInfo]\r\nWinIndex=1\r\nWinTitle=Untitled - Notepad\r\n"
    "WinPath=C:\\windows\\system32\\notepad.exe\r\nWinParentLevel=0\r\nWinRect=-4,10,640,480\r\n";

void ExpectSameRecord(const CRobot& a, const CRobot& b)
{
    EXPECT_STREQ(a.Name, b.Name);
    EXPECT_STREQ(a.TriggerRobot, b.TriggerRobot);
    EXPECT_STREQ(a.StartKey, b.StartKey);
    EXPECT_STREQ(a.EndKey, b.EndKey);
    EXPECT_STREQ(a.Description, b.Description);
    EXPECT_EQ(a.RepeatOption, b.RepeatOption);
    EXPECT_EQ(a.RepeatTimes, b.RepeatTimes);
    EXPECT_EQ(a.OriginalSpeed, b.OriginalSpeed);
    EXPECT_EQ(a.UseHalvane, b.UseHalvane);
    EXPECT_EQ(a.UseSimilarWin, b.UseSimilarWin);
    ASSERT_EQ(a.Script.GetSize(), b.Script.GetSize());
    for (INT_PTR i = 0; i < a.Script.GetSize(); ++i)
        EXPECT_STREQ(a.Script[i], b.Script[i]);
    ASSERT_EQ(a.HalvaneInfos.size(), b.HalvaneInfos.size());
    for (size_t i = 0; i < a.HalvaneInfos.size(); ++i) {
        EXPECT_EQ(a.HalvaneInfos[i].WinIndex, b.HalvaneInfos[i].WinIndex);
        EXPECT_STREQ(a.HalvaneInfos[i].WinTitle, b.HalvaneInfos[i].WinTitle);
        EXPECT_STREQ(a.HalvaneInfos[i].WinPath, b.HalvaneInfos[i].WinPath);
        EXPECT_EQ(a.HalvaneInfos[i].WinParentLevel, b.HalvaneInfos[i].WinParentLevel);
        EXPECT_TRUE(EqualRect(&a.HalvaneInfos[i].WinRect, &b.HalvaneInfos[i].WinRect));
    }
}

TEST(RobotFile, SavesTheExactFormatAndReadsItBack)
{
    TempFolder dir;
    CRobot robot = SampleRobot();
    ASSERT_EQ(robot.SaveToFile(dir.Path().c_str()), 1);
    EXPECT_EQ(ReadFileBytes(dir / "Greeting.txt"), kSampleFile);

    CRobot loaded;
    ASSERT_EQ(loaded.LoadFromFile((dir / "Greeting.txt").c_str()), 1);
    ExpectSameRecord(loaded, robot);
    EXPECT_EQ(loaded.Enable, 1);
    EXPECT_EQ(loaded.HalvaneInfos[0].hWnd, nullptr);   // handles are never stored

    // Saving what was read gives the same bytes.
    ASSERT_EQ(loaded.SaveToFile(dir.Path().c_str()), 1);
    EXPECT_EQ(ReadFileBytes(dir / "Greeting.txt"), kSampleFile);
}

TEST(RobotFile, SpeedCodesAreStoredInverted)
{
    TempFolder dir;
    CRobot robot;
    robot.Name = "speed";
    const struct { int code; const char* stored; } cases[] = {{0, "1"}, {1, "0"}, {2, "2"}, {7, "2"}};
    for (const auto& c : cases) {
        robot.OriginalSpeed = c.code;
        ASSERT_EQ(robot.SaveToFile(dir.Path().c_str()), 1);
        std::string text = ReadFileBytes(dir / "speed.txt");
        EXPECT_NE(text.find(std::string("\r\nOriginalSpeed=") + c.stored + "\r\n"), std::string::npos) << c.code;
        EXPECT_EQ(text.find("[HalvaneInfo]"), std::string::npos);   // no records, no section line
        CRobot loaded;
        loaded.LoadFromFile((dir / "speed.txt").c_str());
        EXPECT_EQ(loaded.OriginalSpeed, c.code == 7 ? 2 : c.code);
    }
    // Anything but exactly "0" or "2" reads as the original speed.
    for (const char* value : {"1", "", "x", "02", "00"}) {
        WriteFileBytes(dir / "speed.txt", std::string("[General]\r\nName=speed\r\n\r\n\r\n\r\n\r\n\r\n\r\nOriginalSpeed=") +
                                              value + "\r\n[Script]\r\n");
        CRobot loaded;
        loaded.OriginalSpeed = 9;
        loaded.LoadFromFile((dir / "speed.txt").c_str());
        EXPECT_EQ(loaded.OriginalSpeed, 0) << '"' << value << '"';
    }
}

TEST(RobotFile, ReadsHandMadeFiles)
{
    {
        CRobot r;
        ASSERT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/full.txt").c_str()), 1);
        EXPECT_STREQ(r.Name, "full");   // the file's name wins over the Name= line
        EXPECT_EQ(r.Enable, 7);
        EXPECT_EQ(r.OriginalSpeed, 1);
        EXPECT_EQ(r.UseSimilarWin, 1);
        EXPECT_EQ(r.UseHalvane, 1);
        EXPECT_STREQ(r.TriggerRobot, "next one");
        ASSERT_EQ(r.Script.GetSize(), 3);
        EXPECT_STREQ(r.Script[1], "");
        ASSERT_EQ(r.HalvaneInfos.size(), 2u);
        // The second record leaves out index, path and level: it keeps the first one's.
        EXPECT_EQ(r.HalvaneInfos[1].WinIndex, 1);
        EXPECT_STREQ(r.HalvaneInfos[1].WinTitle, "Second");
        EXPECT_STREQ(r.HalvaneInfos[1].WinPath, "C:\\windows\\notepad.exe");
        EXPECT_EQ(r.HalvaneInfos[1].WinRect.left, -5);
        EXPECT_EQ(r.HalvaneInfos[1].WinRect.bottom, 8);
    }
    {
        CRobot r;
        r.UseHalvane = r.UseSimilarWin = 1;
        r.TriggerRobot = "stale";
        ASSERT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/no-optional.txt").c_str()), 1);
        EXPECT_EQ(r.UseSimilarWin, 0);
        EXPECT_EQ(r.UseHalvane, 0);
        EXPECT_STREQ(r.TriggerRobot, "");
        EXPECT_EQ(r.OriginalSpeed, 0);
        ASSERT_EQ(r.Script.GetSize(), 1);
        EXPECT_STREQ(r.Script[0], "MouseClick(\"left\")");
    }
    {
        CRobot r;
        ASSERT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/lower-section.txt").c_str()), 1);
        EXPECT_EQ(r.UseSimilarWin, 1);
        EXPECT_EQ(r.UseHalvane, 0);
        ASSERT_EQ(r.Script.GetSize(), 1);
        EXPECT_STREQ(r.Script[0], "Line one");
        ASSERT_EQ(r.HalvaneInfos.size(), 1u);
        EXPECT_EQ(r.HalvaneInfos[0].WinParentLevel, -1);
        EXPECT_EQ(r.HalvaneInfos[0].WinRect.right, 3);
        EXPECT_EQ(r.HalvaneInfos[0].WinRect.bottom, 0);   // nothing after the third comma
    }
    {
        // The name differs from the file's only in case: the file's wins.
        // The keys of a record may come in any order before its "WinRect="
        // line; key lines after the last "WinRect=" line add nothing.
        CRobot r;
        ASSERT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/Reordered.txt").c_str()), 1);
        EXPECT_STREQ(r.Name, "Reordered");
        ASSERT_EQ(r.HalvaneInfos.size(), 1u);
        const HalvaneInfo& info = r.HalvaneInfos[0];
        EXPECT_EQ(info.WinIndex, 4);
        EXPECT_STREQ(info.WinTitle, "Four");
        EXPECT_STREQ(info.WinPath, "C:\\tools\\x.exe");
        EXPECT_EQ(info.WinParentLevel, 0);
        EXPECT_EQ(info.WinRect.left, 1);
        EXPECT_EQ(info.WinRect.bottom, 4);
    }
    {
        CRobot r;
        ASSERT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/truncated.txt").c_str()), 1);
        EXPECT_STREQ(r.Name, "truncated");
        EXPECT_STREQ(r.EndKey, "<F");
        EXPECT_STREQ(r.Description, "");
        EXPECT_EQ(r.RepeatTimes, 0);
        EXPECT_EQ(r.Script.GetSize(), 0);
    }
}

TEST(RobotFile, WindowRectangleLines)
{
    // Three commas are needed, with text after the first and the second.
    const struct
    {
        const char* line;
        bool ok;
        RECT rect;
    } cases[] = {
        {"WinRect=1,2,3,4", true, {1, 2, 3, 4}},
        {"WinRect=-10,-20,30,", true, {-10, -20, 30, 0}},
        {"WinRect=1,,3,4", true, {1, 0, 3, 4}},
        {"WinRect=1,2,3,4,5", true, {1, 2, 3, 4}},
        {"WinRect=", false, {}},
        {"WinRect=1", false, {}},
        {"WinRect=1,", false, {}},
        {"WinRect=1,2", false, {}},
        {"WinRect=1,2,", false, {}},
        {"WinRect=1,2,3", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<HalvaneInfo> records;
        HalvaneInfoReader reader(records);
        EXPECT_EQ(reader.ReadLine(c.line), c.ok) << c.line;
        ASSERT_EQ(records.size(), c.ok ? 1u : 0u) << c.line;
        if (c.ok) {
            const RECT& r = records[0].WinRect;
            EXPECT_TRUE(EqualRect(&r, &c.rect)) << c.line << " gave " << r.left << "," << r.top << ","
                                                << r.right << "," << r.bottom;
            EXPECT_EQ(records[0].hWnd, nullptr);
        }
    }
}

TEST(RobotFile, BadInputNeverCrashesOrHangs)
{
    TempFolder dir;
    CRobot r;
    EXPECT_EQ(r.LoadFromFile((dir / "missing.txt").c_str()), 0);
    EXPECT_TRUE(r.Name.IsEmpty());

    WriteFileBytes(dir / "empty.txt", "");
    EXPECT_EQ(r.LoadFromFile((dir / "empty.txt").c_str()), 1);
    EXPECT_STREQ(r.Name, "empty");
    EXPECT_EQ(r.Script.GetSize(), 0);

    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    WriteFileBytes(dir / "garbage.txt", garbage);
    r.LoadFromFile((dir / "garbage.txt").c_str());
    EXPECT_STREQ(r.Name, "garbage");

    std::string longLine(300000, 'k');
    WriteFileBytes(dir / "long.txt", "[General]\r\nName=" + longLine + "\r\n\r\n\r\nDescription=" + longLine +
                                         "\r\n1\r\n1\r\n1\r\n1\r\n[Script]\r\n" + longLine + "\r\n");
    EXPECT_EQ(r.LoadFromFile((dir / "long.txt").c_str()), 1);
    EXPECT_EQ(r.Description.GetLength(), 300000);
    ASSERT_EQ(r.Script.GetSize(), 1);
    EXPECT_EQ(r.Script[0].GetLength(), 300000);
}

TEST(RobotFile, ANulByteInALineLosesNothingAfterIt)
{
    TempFolder dir;
    CRobot robot = SampleRobot();
    const std::string withNul("a\0b", 3);
    robot.Script.SetAt(1, CString(withNul.data(), 3));
    ASSERT_EQ(robot.SaveToFile(dir.Path().c_str()), 1);
    std::string expected = kSampleFile;
    const std::string emptyLine = "\r\n\r\nSleep";
    expected.replace(expected.find(emptyLine), emptyLine.size(), "\r\n" + withNul + "\r\nSleep");
    EXPECT_EQ(ReadFileBytes(dir / "Greeting.txt"), expected);

    CRobot loaded;
    ASSERT_EQ(loaded.LoadFromFile((dir / "Greeting.txt").c_str()), 1);
    ASSERT_EQ(loaded.Script.GetSize(), 3);
    EXPECT_EQ(loaded.Script[1].str(), withNul);
    EXPECT_EQ(loaded.HalvaneInfos.size(), 1u);
}

TEST(RobotFile, AFailedSaveKeepsTheOldFile)
{
    TempFolder dir;
    CRobot robot = SampleRobot();
    EXPECT_EQ(robot.SaveToFile((dir / "no-such-folder").c_str()), 0);

    WriteFileBytes(dir / "Greeting.txt", "old macro");
    // Another program holds the old file open without sharing: the save
    // fails and the old file is left as it was, with no temporary file left.
    HANDLE held = CreateFileA((dir / "Greeting.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(robot.SaveToFile(dir.Path().c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(dir / "Greeting.txt"), "old macro");

    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir / "*").c_str(), &data);
    int files = 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    EXPECT_EQ(files, 1);
}

TEST(RobotRecord, CopiesAreDeep)
{
    CRobot a = SampleRobot();
    CRobot b;
    b.Script.Add("to be replaced");
    b = a;
    a.Script[0] = "changed";
    a.HalvaneInfos[0].WinTitle = "changed";
    ExpectSameRecord(b, SampleRobot());
    b = b;
    ExpectSameRecord(b, SampleRobot());
    CRobot c(b);
    ExpectSameRecord(c, b);
}

TEST(DecimalText, LeadingNumberOfAText)
{
    const struct
    {
        const char* text;
        int value;
    } cases[] = {
        {"12", 12}, {"  -7x", -7}, {"\t+3", 3}, {"0042", 42}, {"5,6", 5}, {"", 0}, {"x5", 0}, {"- 5", 0},
        {"--5", 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringToInt(c.text), c.value) << '"' << c.text << '"';
    EXPECT_STREQ(IntToText(-305), "-305");
    EXPECT_STREQ(IntToText(0), "0");
    EXPECT_EQ(StringToInt(IntToText(INT_MIN)), INT_MIN);
}

TEST(Folders, DataAndProgramFolders)
{
    char appData[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE));
    EXPECT_STREQ(GetUserDataFolder(), (std::string(appData) + "\\brenvik").c_str());

    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    EXPECT_STREQ(GetModulePath(), module);
    EXPECT_STREQ(GetProgramDirectory() + "\\" + GetModulePath().Mid(GetModulePath().ReverseFind('\\') + 1),
                 module);
}

TEST(Folders, CreateDirectoryPathMakesEveryMissingParent)
{
    TempFolder dir;
    WriteFileBytes(dir / "a.txt", "a");
    auto isFolder = [](const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    const std::string nested = dir / "one\\two\\three";
    EXPECT_TRUE(CreateDirectoryPath(nested.c_str()));
    EXPECT_TRUE(isFolder(nested));
    EXPECT_TRUE(CreateDirectoryPath((dir / "four\\five\\").c_str()));
    EXPECT_TRUE(isFolder(dir / "four\\five"));

    // An existing folder is fine whatever its other attributes.
    EXPECT_TRUE(CreateDirectoryPath(nested.c_str()));
    const std::string readOnly = dir / "sub";
    CreateDirectoryA(readOnly.c_str(), nullptr);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(CreateDirectoryPath(readOnly.c_str()));
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(CreateDirectoryPath(""));
    EXPECT_FALSE(CreateDirectoryPath((dir / "a.txt").c_str()));
    EXPECT_FALSE(CreateDirectoryPath((dir / "a.txt\\below").c_str()));
    EXPECT_FALSE(FileExists(dir / "a.txt\\below"));
}

}  // namespace
