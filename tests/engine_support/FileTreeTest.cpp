#include "engine/support/FileTree.h"

#include "engine/support/PathHelpers.h"
#include "macro/Folders.h"
#include "tests/engine_support/SupportFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace EngineSupport;
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

// Keeps a file open with no sharing at all, so nothing can read it.
class LockedFile
{
public:
    explicit LockedFile(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        EXPECT_NE(m_handle, INVALID_HANDLE_VALUE);
    }
    ~LockedFile() { CloseHandle(m_handle); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

private:
    HANDLE m_handle;
};

const std::vector<std::string> SourceFiles = {"a.txt=A", "b.txt=B", "c.log=C", "sub\\d.txt=D"};
const Listing SourceListing = {"a.txt=A", "b.txt=B", "c.log=C", "sub\\", "sub\\d.txt=D"};

class FileTree : public testing::Test
{
protected:
    FileTree()
    {
        Make(m_folder / "src", SourceFiles);
        CreateDirectoryA((m_folder / "dst").c_str(), nullptr);
    }

    std::string Path(const std::string& name) const { return m_folder / name; }

    TempFolder m_folder;
};

TEST(BuildTargetName, FillsTheTargetTemplateWithTheSourceName)
{
    struct Case
    {
        const char* source;
        const char* target;
        const char* result;
    } cases[] = {
        {"x.txt", "C:\\d\\plain.dat", "C:\\d\\plain.dat"},
        {"x.txt", "C:\\d\\*.bak", "C:\\d\\x.bak"},
        {"x.txt", "C:\\d\\new*.txt", "C:\\d\\newx.txt"},
        {"x.txt", "C:\\d\\*.*", "C:\\d\\x.txt"},
        {"x.txt", "C:\\d\\*", "C:\\d\\x.txt"},
        {"x.txt", "C:\\d\\a*b*c.t*", "C:\\d\\axbc.ttxt"},
        {"x.tar.gz", "C:\\d\\*.old", "C:\\d\\x.tar.old"},
        {"noext", "C:\\d\\*.*", "C:\\d\\noext"},
        {"noext", "C:\\d\\*.bak", "C:\\d\\noext.bak"},
        {"x.txt", "C:*-copy", "C:x-copy.txt"},
        {"x.txt", "relative/*.b", "relative/x.b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " to " + c.target);
        EXPECT_STREQ(BuildTargetName(c.source, c.target), c.result);
    }
}

TEST_F(FileTree, CopiesTheMatchingFilesByTheTargetTemplate)
{
    struct Case
    {
        const char* source;
        const char* target;
        Listing copied;
    } cases[] = {
        {"src\\*.txt", "dst", {"a.txt=A", "b.txt=B"}},
        {"src\\*.txt", "dst\\", {"a.txt=A", "b.txt=B"}},
        {"src\\*.txt", "dst\\*.bak", {"a.bak=A", "b.bak=B"}},
        {"src\\a.txt", "dst\\renamed.dat", {"renamed.dat=A"}},
        {"src", "dst", {"a.txt=A", "b.txt=B", "c.log=C"}},
        {"src\\*.*", "dst\\x*", {"xa.txt=A", "xb.txt=B", "xc.log=C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " to " + c.target);
        testing_support::RemoveTree(Path("dst"));
        CreateDirectoryA(Path("dst").c_str(), nullptr);
        EXPECT_TRUE(CopyOrMoveFiles(Path(c.source).c_str(), Path(c.target).c_str(), false, false));
        EXPECT_EQ(List(Path("dst")), c.copied);
        EXPECT_EQ(List(Path("src")), SourceListing);
    }
}

TEST_F(FileTree, CopyingIntoTheSameFolderNeverTakesItsOwnOutput)
{
    EXPECT_TRUE(CopyOrMoveFiles(Path("src\\*.txt").c_str(), Path("src\\new*.txt").c_str(), false, false));
    EXPECT_EQ(List(Path("src")), (Listing{"a.txt=A", "b.txt=B", "newa.txt=A", "newb.txt=B", "c.log=C", "sub\\",
                                          "sub\\d.txt=D"}));
}

TEST_F(FileTree, AnExistingTargetIsReplacedOnlyWithOverwrite)
{
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        Make(Path("dst"), {"a.txt=old"});
        EXPECT_FALSE(CopyOrMoveFiles(Path("src\\a.txt").c_str(), Path("dst").c_str(), false, move));
        EXPECT_EQ(ReadFileBytes(Path("dst\\a.txt")), "old");
        EXPECT_TRUE(FileExists(Path("src\\a.txt")));

        Make(Path("src"), {"a.txt=new"});
        EXPECT_TRUE(CopyOrMoveFiles(Path("src\\a.txt").c_str(), Path("dst").c_str(), true, move));
        EXPECT_EQ(ReadFileBytes(Path("dst\\a.txt")), "new");
        EXPECT_EQ(FileExists(Path("src\\a.txt")), !move);
        Make(Path("src"), {"a.txt=A"});
    }
}

TEST_F(FileTree, AFileIsNeverCopiedOrMovedOntoItself)
{
    char shortName[MAX_PATH];
    Make(Path("src"), {"A long name.text=long"});
    ASSERT_GT(GetShortPathNameA(Path("src\\A long name.text").c_str(), shortName, sizeof shortName), 0u);
    std::vector<std::pair<std::string, std::string>> sameFiles = {
        {Path("src\\a.txt"), Path("SRC\\A.TXT")},
        {Path("src\\a.txt"), Path("src")},
        {Path("src\\A long name.text"), shortName},
    };
    const std::string otherDrive = support_test::OtherDrivePathOf(Path("src\\b.txt"));
    if (!otherDrive.empty())
        sameFiles.push_back({Path("src\\b.txt"), otherDrive});

    for (const auto& same : sameFiles) {
        for (bool move : {false, true}) {
            SCOPED_TRACE(same.first + " onto " + same.second + (move ? " (move)" : " (copy)"));
            const std::string before = ReadFileBytes(same.first);
            EXPECT_FALSE(CopyOrMoveFiles(same.first.c_str(), same.second.c_str(), true, move));
            EXPECT_EQ(ReadFileBytes(same.first), before);
        }
    }
}

TEST_F(FileTree, APatternThatMatchesNothingFails)
{
    EXPECT_FALSE(CopyOrMoveFiles(Path("src\\*.none").c_str(), Path("dst").c_str(), true, false));
    EXPECT_FALSE(CopyOrMoveFiles(Path("missing").c_str(), Path("dst").c_str(), true, true));
    CreateDirectoryA(Path("empty").c_str(), nullptr);
    EXPECT_FALSE(CopyOrMoveFiles(Path("empty").c_str(), Path("dst").c_str(), true, false));
    // A folder that matches counts as found, though folders are not copied.
    EXPECT_TRUE(CopyOrMoveFiles(Path("src\\su*").c_str(), Path("dst").c_str(), true, false));
    EXPECT_EQ(List(Path("dst")), Listing{});
}

TEST_F(FileTree, MovesOnOneDriveAndAcrossDrives)
{
    OtherDriveFolder otherDrive;
    for (const std::string& target : {Path("dst"), otherDrive.Path()}) {
        SCOPED_TRACE(target);
        Make(Path("src"), {"a.txt=A", "b.txt=B"});
        EXPECT_TRUE(CopyOrMoveFiles(Path("src\\*.txt").c_str(), target.c_str(), false, true));
        EXPECT_EQ(List(target), (Listing{"a.txt=A", "b.txt=B"}));
        EXPECT_EQ(List(Path("src")), (Listing{"c.log=C", "sub\\", "sub\\d.txt=D"}));
        DeleteFileA((target + "\\a.txt").c_str());
        DeleteFileA((target + "\\b.txt").c_str());
    }
}

TEST_F(FileTree, TheFirstFailedFileStopsTheCopyAndAMoveKeepsItsSource)
{
    OtherDriveFolder otherDrive;
    LockedFile locked(Path("src\\a.txt"));
    EXPECT_FALSE(CopyOrMoveFiles(Path("src\\a.txt").c_str(), Path("dst").c_str(), true, false));
    EXPECT_FALSE(FileExists(Path("dst\\a.txt")));
    EXPECT_FALSE(CopyOrMoveFiles(Path("src\\a.txt").c_str(), otherDrive.Path().c_str(), true, true));
    EXPECT_TRUE(FileExists(Path("src\\a.txt")));
}

TEST_F(FileTree, DeletesTheMatchingFilesOnly)
{
    EXPECT_TRUE(DeleteFilesPattern(Path("src\\*.txt").c_str()));
    EXPECT_EQ(List(Path("src")), (Listing{"c.log=C", "sub\\", "sub\\d.txt=D"}));
    EXPECT_FALSE(DeleteFilesPattern(Path("src\\*.txt").c_str()));

    EXPECT_TRUE(DeleteFilesPattern(Path("src\\").c_str()));
    EXPECT_EQ(List(Path("src")), (Listing{"sub\\", "sub\\d.txt=D"}));

    Make(Path("dst"), {"locked.txt=L", "other.txt=O"});
    LockedFile locked(Path("dst\\locked.txt"));
    EXPECT_FALSE(DeleteFilesPattern(Path("dst\\*.txt").c_str()));
    EXPECT_TRUE(FileExists(Path("dst\\locked.txt")));
}

TEST_F(FileTree, RemovesAFolderEmptyOrWithEverythingInIt)
{
    EXPECT_FALSE(RemoveDirectoryTree(Path("src").c_str(), false));
    EXPECT_EQ(List(Path("src")), SourceListing);
    EXPECT_FALSE(RemoveDirectoryTree(Path("src\\a.txt").c_str(), true));
    EXPECT_TRUE(FileExists(Path("src\\a.txt")));

    EXPECT_TRUE(RemoveDirectoryTree(Path("src").c_str(), true));
    EXPECT_FALSE(FileExists(Path("src")));
    EXPECT_TRUE(RemoveDirectoryTree(Path("dst\\").c_str(), false));
    EXPECT_FALSE(FileExists(Path("dst")));
    EXPECT_FALSE(RemoveDirectoryTree(Path("missing").c_str(), true));
}

TEST_F(FileTree, CopiesAFolderTreeIntoANewOrAnExistingFolder)
{
    EXPECT_TRUE(CopyDirectoryTree(Path("src").c_str(), Path("new\\parents\\copy").c_str(), false));
    EXPECT_EQ(List(Path("new\\parents\\copy")), SourceListing);

    Make(Path("dst"), {"a.txt=old", "kept.txt=K"});
    EXPECT_FALSE(CopyDirectoryTree(Path("src").c_str(), Path("dst").c_str(), false));
    EXPECT_EQ(List(Path("dst")), (Listing{"a.txt=old", "kept.txt=K"}));
    EXPECT_TRUE(CopyDirectoryTree(Path("src").c_str(), Path("dst").c_str(), true));
    Listing merged = SourceListing;
    merged.insert("kept.txt=K");
    EXPECT_EQ(List(Path("dst")), merged);

    CreateDirectoryA(Path("empty").c_str(), nullptr);
    EXPECT_TRUE(CopyDirectoryTree(Path("empty").c_str(), Path("empty copy").c_str(), false));
    EXPECT_TRUE(IsDirectory(Path("empty copy").c_str()));

    EXPECT_FALSE(CopyDirectoryTree(Path("src").c_str(), Path("src\\sub\\inside").c_str(), true));
    EXPECT_FALSE(CopyDirectoryTree(Path("src\\a.txt").c_str(), Path("file copy").c_str(), true));
    EXPECT_EQ(List(Path("src")), SourceListing);
}

TEST_F(FileTree, MovesAFolderTreeOnOneDriveAndAcrossDrives)
{
    OtherDriveFolder otherDrive;
    for (const std::string& target : {Path("moved"), otherDrive / "moved"}) {
        SCOPED_TRACE(target);
        EXPECT_TRUE(MoveDirectoryTree(Path("src").c_str(), target.c_str(), false));
        EXPECT_EQ(List(target), SourceListing);
        EXPECT_FALSE(FileExists(Path("src")));
        Make(Path("src"), SourceFiles);
    }
    EXPECT_FALSE(MoveDirectoryTree(Path("src").c_str(), Path("dst").c_str(), false));
    EXPECT_FALSE(MoveDirectoryTree(Path("src").c_str(), Path("src\\sub\\inside").c_str(), true));
    EXPECT_EQ(List(Path("src")), SourceListing);
}

TEST_F(FileTree, AFolderCopyWithAnUnreadableFileFailsAndAMoveKeepsItsSource)
{
    OtherDriveFolder otherDrive;
    {
        LockedFile locked(Path("src\\sub\\d.txt"));
        EXPECT_FALSE(CopyDirectoryTree(Path("src").c_str(), Path("copy").c_str(), false));
        EXPECT_FALSE(MoveDirectoryTree(Path("src").c_str(), (otherDrive / "moved").c_str(), false));
    }
    EXPECT_EQ(List(Path("src")), SourceListing);
}

TEST_F(FileTree, SetsEachTimeOfAFileOrFolder)
{
    SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    for (const char* name : {"src\\a.txt", "src\\sub"}) {
        for (int type : {FileTimeLastWritten, FileTimeCreated, FileTimeLastAccessed}) {
            SCOPED_TRACE(std::string(name) + " type " + std::to_string(type));
            EXPECT_TRUE(SetFileTimes(Path(name).c_str(), time, type));
            WIN32_FILE_ATTRIBUTE_DATA data;
            ASSERT_TRUE(GetFileAttributesExA(Path(name).c_str(), GetFileExInfoStandard, &data));
            const FILETIME& read = type == FileTimeCreated      ? data.ftCreationTime
                                   : type == FileTimeLastAccessed ? data.ftLastAccessTime
                                                                  : data.ftLastWriteTime;
            EXPECT_EQ(CompareFileTime(&read, &time), 0);
        }
    }
    EXPECT_FALSE(SetFileTimes(Path("missing").c_str(), time, FileTimeLastWritten));
}

TEST_F(FileTree, OnWindows9xAFolderTimeIsLeftAlone)
{
    SYSTEMTIME when = {1999, 12, 0, 31, 23, 59, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&when, &time);
    WIN32_FILE_ATTRIBUTE_DATA before, after;
    GetFileAttributesExA(Path("src\\sub").c_str(), GetFileExInfoStandard, &before);
    {
        auto windows98 = support_test::ScopedOsVersion::Windows98();
        EXPECT_TRUE(SetFileTimes(Path("src\\sub").c_str(), time, FileTimeLastWritten));
        EXPECT_TRUE(SetFileTimes(Path("src\\a.txt").c_str(), time, FileTimeLastWritten));
    }
    GetFileAttributesExA(Path("src\\sub").c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0);
    GetFileAttributesExA(Path("src\\a.txt").c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &time), 0);
}

}  // namespace
