// The file and folder builtins on real trees in the prefix: wildcards,
// recursion, times, attributes, versions, long and short names, folder
// copies and moves on one drive and across drives, and the recycle bin of
// the test session.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/engine_support/SupportFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace builtins_test;
using support_test::OtherDriveFolder;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

using Listing = testing_support::TreeListing;

Listing List(const std::string& folder)
{
    return testing_support::ListTree(folder);
}

void Make(const std::string& folder, const std::vector<std::string>& files)
{
    testing_support::MakeTree(folder, files);
}

int Result(const char* name, const std::vector<CEngineVariant>& args)
{
    return Call(name, args).result.GetInt();
}

CEngineVariant Path(const std::string& path)
{
    return Text(path.c_str());
}

FILETIME LastWritten(const std::string& path)
{
    FILETIME created = {}, accessed = {}, written = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    GetFileTime(file, &created, &accessed, &written);
    CloseHandle(file);
    return written;
}

// A local time as the file time (UTC) that FileSetTime should write.
ULONGLONG LocalTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME local = {};
    local.wYear = year;
    local.wMonth = month;
    local.wDay = day;
    local.wHour = hour;
    local.wMinute = minute;
    local.wSecond = second;
    FILETIME localFile, utc;
    SystemTimeToFileTime(&local, &localFile);
    LocalFileTimeToFileTime(&localFile, &utc);
    return static_cast<ULONGLONG>(utc.dwHighDateTime) << 32 | utc.dwLowDateTime;
}

ULONGLONG AsNumber(const FILETIME& time)
{
    return static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

const std::vector<std::string> kTree = {"a.txt=A", "b.txt=B", "c.log=C", "sub\\d.txt=D", "sub\\deep\\e.txt=E"};
const Listing kTreeListing = {"a.txt=A", "b.txt=B", "c.log=C", "sub\\", "sub\\d.txt=D", "sub\\deep\\",
                              "sub\\deep\\e.txt=E"};

class FileBuiltins : public testing::Test
{
protected:
    FileBuiltins() { Make(m_folder / "src", kTree); }
    std::string At(const std::string& name) const { return m_folder / name; }
    TempFolder m_folder;
};

TEST_F(FileBuiltins, CopyMoveDeleteAndExistsFollowTheWildcards)
{
    EXPECT_EQ(Result("DIRCREATE", {Path(At("dst"))}), 1);
    EXPECT_EQ(Result("FILECOPY", {Path(At("src\\*.txt")), Path(At("dst"))}), 1);
    EXPECT_EQ(List(At("dst")), (Listing{"a.txt=A", "b.txt=B"}));
    EXPECT_EQ(Result("FILECOPY", {Path(At("src\\a.txt")), Path(At("dst"))}), 0);            // exists
    EXPECT_EQ(Result("FILEINSTALL", {Path(At("src\\*.txt")), Path(At("dst\\*.bak")), Int(1)}), 1);
    EXPECT_EQ(Result("FILEMOVE", {Path(At("dst\\*.bak")), Path(At("dst\\new*.old"))}), 1);
    EXPECT_EQ(List(At("dst")), (Listing{"a.txt=A", "b.txt=B", "newa.old=A", "newb.old=B"}));

    EXPECT_EQ(Result("FILEEXISTS", {Path(At("dst\\new?.old"))}), 1);
    EXPECT_EQ(Result("FILEEXISTS", {Path(At("dst\\*.bak"))}), 0);
    EXPECT_EQ(Result("FILEEXISTS", {Path(At("src\\sub"))}), 1);
    EXPECT_EQ(Result("FILEEXISTS", {Path(At("missing.txt"))}), 0);

    EXPECT_EQ(Result("FILEDELETE", {Path(At("dst\\*.old"))}), 1);
    EXPECT_EQ(Result("FILEDELETE", {Path(At("dst\\*.old"))}), 0);                           // none left
    EXPECT_EQ(List(At("dst")), (Listing{"a.txt=A", "b.txt=B"}));
    EXPECT_EQ(Result("FILECOPY", {Path(At("src\\*.none")), Path(At("dst"))}), 0);
}

TEST_F(FileBuiltins, SizesAttributesVersionsAndNames)
{
    WriteFileBytes(At("sized.bin"), std::string(12345, 'x'));
    EXPECT_EQ(Call("FILEGETSIZE", {Path(At("sized.bin"))}).Number(), 12345);
    Outcome missing = Call("FILEGETSIZE", {Path(At("none.bin"))});
    EXPECT_EQ(missing.Number(), 0);
    EXPECT_EQ(missing.error, 1);

    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src"))}).Text(), "D");
    // (Wine shows every file as archived, so the set and clear are shown with S.)
    SetFileAttributesA(At("src\\a.txt").c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(Result("FILESETATTRIB", {Path(At("src\\a.txt")), Text("+rh-S")}), 1);
    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src\\a.txt"))}).Text(), "RAH");
    EXPECT_EQ(Result("FILESETATTRIB", {Path(At("src\\a.txt")), Text("-RH+A")}), 1);
    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src\\a.txt"))}).Text(), "A");
    EXPECT_EQ(Result("FILESETATTRIB", {Path(At("src\\a.txt")), Text("+RX")}), 0);           // X is no letter
    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src\\a.txt"))}).Text(), "A");
    // Recursion reaches every file below; without it only the folder's own.
    EXPECT_EQ(Result("FILESETATTRIB", {Path(At("src\\*.txt")), Text("+H"), Int(1)}), 1);
    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src\\sub\\deep\\e.txt"))}).Text(), "AH");
    EXPECT_EQ(Call("FILEGETATTRIB", {Path(At("src\\c.log"))}).Text(), "A");
    Outcome noFile = Call("FILEGETATTRIB", {Path(At("none"))});
    EXPECT_EQ(noFile.Text(), "");
    EXPECT_EQ(noFile.error, 1);

    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Outcome version = Call("FILEGETVERSION", {Path(std::string(system) + "\\kernel32.dll")});
    EXPECT_EQ(version.error, 0);
    EXPECT_NE(version.Text(), "0.0.0.0");
    const std::string versionText = version.Text();
    EXPECT_EQ(std::count(versionText.begin(), versionText.end(), '.'), 3) << versionText;
    Outcome noVersion = Call("FILEGETVERSION", {Path(At("src\\a.txt"))});
    EXPECT_EQ(noVersion.Text(), "0.0.0.0");
    EXPECT_EQ(noVersion.error, 1);

    Make(At("A folder with a long name"), {"Some long file name.text=L"});
    const std::string longName = At("A folder with a long name\\Some long file name.text");
    Outcome shortName = Call("FILEGETSHORTNAME", {Path(longName)});
    EXPECT_EQ(shortName.error, 0);
    EXPECT_EQ(shortName.Text().find(' '), std::string::npos) << shortName.Text();
    EXPECT_EQ(ReadFileBytes(shortName.Text()), "L");
    Outcome backToLong = Call("FILEGETLONGNAME", {Path(shortName.Text())});
    EXPECT_EQ(backToLong.error, 0);
    EXPECT_EQ(lstrcmpiA(backToLong.Text().c_str(), longName.c_str()), 0) << backToLong.Text();
    Outcome noShort = Call("FILEGETSHORTNAME", {Path(At("none at all"))});
    EXPECT_EQ(noShort.Text(), At("none at all"));
    EXPECT_EQ(noShort.error, 1);
}

TEST_F(FileBuiltins, SetTimeOnAFolderAloneOrWithEverythingBelow)
{
    const ULONGLONG before = AsNumber(LastWritten(At("src\\a.txt")));
    EXPECT_EQ(Result("FILESETTIME", {Path(At("src")), Text("2001")}), 1);
    EXPECT_EQ(AsNumber(LastWritten(At("src"))), LocalTime(2001, 1, 1));
    EXPECT_EQ(AsNumber(LastWritten(At("src\\a.txt"))), before);

    EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\")), Text("20020304050607"), Int(0), Int(1)}), 1);
    for (const char* name : {"src", "src\\a.txt", "src\\sub", "src\\sub\\deep\\e.txt"})
        EXPECT_EQ(AsNumber(LastWritten(At(name))), LocalTime(2002, 3, 4, 5, 6, 7)) << name;

    // A pattern with recursion reaches the matching files of every level only.
    EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\*.log")), Text("200306"), Int(0), Int(1)}), 1);
    EXPECT_EQ(AsNumber(LastWritten(At("src\\c.log"))), LocalTime(2003, 6, 1));
    EXPECT_EQ(AsNumber(LastWritten(At("src\\a.txt"))), LocalTime(2002, 3, 4, 5, 6, 7));

    // Type 2 is the last-access time; a type outside 0-2 is the last-written time.
    EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\b.txt")), Text("2004"), Int(7)}), 1);
    EXPECT_EQ(AsNumber(LastWritten(At("src\\b.txt"))), LocalTime(2004, 1, 1));
    EXPECT_EQ(Call("FILEGETTIME", {Path(At("src\\b.txt"))}).Text(), "[2004|01|01|00|00|00]");
    EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\b.txt")), Text("20050607"), Int(2)}), 1);
    EXPECT_EQ(Call("FILEGETTIME", {Path(At("src\\b.txt")), Int(2)}).Text(), "[2005|06|07|00|00|00]");
    EXPECT_EQ(Call("FILEGETTIME", {Path(At("src\\b.txt")), Int(0)}).Text(), "[2004|01|01|00|00|00]");
    Outcome noFile = Call("FILEGETTIME", {Path(At("none"))});
    EXPECT_EQ(noFile.error, 1);
}

TEST_F(FileBuiltins, SetTimeNowIsTheCurrentTimeAndBadTimesChangeNothing)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\a.txt")), Text("")}), 1);
    const LONGLONG difference = static_cast<LONGLONG>(AsNumber(LastWritten(At("src\\a.txt"))) - AsNumber(now));
    EXPECT_LT(difference < 0 ? -difference : difference, 10LL * 10000000) << "not within 10 s of now";

    Result("FILESETTIME", {Path(At("src\\b.txt")), Text("1999")});
    for (const char* bad : {"199", "1999x", "19991340", "abcd"}) {
        EXPECT_EQ(Result("FILESETTIME", {Path(At("src\\b.txt")), Text(bad)}), 0) << bad;
        EXPECT_EQ(AsNumber(LastWritten(At("src\\b.txt"))), LocalTime(1999, 1, 1)) << bad;
    }
}

TEST_F(FileBuiltins, APatternInAMissingFolderTouchesNothingOfTheWorkingFolder)
{
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_EQ(Result("FILECHANGEDIR", {Path(At("src"))}), 1);
    Result("FILESETTIME", {Text("*.*"), Text("1999")});
    Result("FILESETATTRIB", {Text("*.*"), Text("-A")});
    const int time = Result("FILESETTIME", {Text("..\\missing\\*.*"), Text("2010"), Int(0), Int(1)});
    const int attributes = Result("FILESETATTRIB", {Text("..\\missing\\*.*"), Text("+R"), Int(1)});
    char during[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, during);
    EXPECT_EQ(Result("FILECHANGEDIR", {Path(At("missing"))}), 0);
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(time, 0);
    EXPECT_EQ(attributes, 0);
    EXPECT_EQ(lstrcmpiA(during, At("src").c_str()), 0) << during;
    EXPECT_EQ(AsNumber(LastWritten(At("src\\a.txt"))), LocalTime(1999, 1, 1));
    EXPECT_EQ(GetFileAttributesA(At("src\\a.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(FileBuiltins, FoldersAreCreatedCopiedAndRemoved)
{
    EXPECT_EQ(Result("DIRCREATE", {Path(At("one\\two\\three"))}), 1);
    EXPECT_EQ(Result("DIRCREATE", {Path(At("src\\a.txt"))}), 0);             // a file
    EXPECT_EQ(Result("DIRCOPY", {Path(At("src")), Path(At("one\\two\\copy"))}), 1);
    EXPECT_EQ(List(At("one\\two\\copy")), kTreeListing);
    EXPECT_EQ(Result("DIRCOPY", {Path(At("src")), Path(At("one\\two\\copy"))}), 0);  // exists
    EXPECT_EQ(Result("DIRREMOVE", {Path(At("one\\two"))}), 0);                // not empty
    EXPECT_EQ(Result("DIRREMOVE", {Path(At("one\\two\\three"))}), 1);
    EXPECT_EQ(Result("DIRREMOVE", {Path(At("one")), Int(1)}), 1);
    EXPECT_FALSE(FileExists(At("one")));
    EXPECT_EQ(Result("DIRREMOVE", {Path(At("one")), Int(1)}), 0);
}

// Moving onto an existing folder with overwrite merges the two trees, on
// one drive exactly as across drives.
TEST_F(FileBuiltins, DirMoveOntoAnExistingFolderMergesOnOneDriveAndAcrossDrives)
{
    OtherDriveFolder otherDrive;
    for (const std::string& target : {At("target"), otherDrive / "target"}) {
        SCOPED_TRACE(target);
        Make(target, {"a.txt=old", "kept.txt=K", "sub\\kept.txt=K2"});
        EXPECT_EQ(Result("DIRMOVE", {Path(At("src")), Path(target)}), 0);       // exists, no overwrite
        EXPECT_EQ(List(At("src")), kTreeListing);
        EXPECT_EQ(Result("DIRMOVE", {Path(At("src")), Path(target), Int(1)}), 1);
        Listing merged = kTreeListing;
        merged.insert({"kept.txt=K", "sub\\kept.txt=K2"});
        EXPECT_EQ(List(target), merged);
        EXPECT_FALSE(FileExists(At("src")));
        Make(At("src"), kTree);
    }
    // A new target is made by the move itself.
    EXPECT_EQ(Result("DIRMOVE", {Path(At("src")), Path(otherDrive / "new")}), 1);
    EXPECT_EQ(List(otherDrive / "new"), kTreeListing);
    EXPECT_FALSE(FileExists(At("src")));
}

// The session's own trash (the harness points XDG_DATA_HOME at it): a test
// never empties the trash of the user who runs the tests.
TEST_F(FileBuiltins, RecycledFilesGoToTheTrashAndEmptyingClearsIt)
{
    char dataHome[MAX_PATH];
    if (!GetEnvironmentVariableA("XDG_DATA_HOME", dataHome, MAX_PATH))
        GTEST_SKIP() << "no session trash (XDG_DATA_HOME is not set)";
    std::string trash = std::string("Z:") + dataHome + "/Trash/files";
    for (char& ch : trash)
        if (ch == '/')
            ch = '\\';

    EXPECT_EQ(Result("FILERECYCLE", {Path(At("src\\a.txt"))}), 1);
    EXPECT_FALSE(FileExists(At("src\\a.txt")));
    EXPECT_TRUE(FileExists(trash + "\\a.txt")) << trash;
    EXPECT_EQ(Result("FILERECYCLE", {Path(At("src\\none.txt"))}), 0);

    EXPECT_EQ(Result("FILERECYCLEEMPTY", {}), 1);
    EXPECT_FALSE(FileExists(trash + "\\a.txt"));
}

}  // namespace
