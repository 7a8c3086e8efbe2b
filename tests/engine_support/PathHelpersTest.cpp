#include "engine/support/PathHelpers.h"

#include "tests/engine_support/SupportFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using namespace EngineSupport;
using testing_support::FileExists;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

class PathHelpers : public testing::Test
{
protected:
    PathHelpers()
    {
        WriteFileBytes(m_folder / "a.txt", "a");
        CreateDirectoryA((m_folder / "sub").c_str(), nullptr);
    }

    TempFolder m_folder;
};

TEST_F(PathHelpers, ExistenceOfPatternsFilesAndFolders)
{
    struct Case
    {
        const char* name;
        bool exists;
        bool directory;
    } cases[] = {
        {"a.txt", true, false},     {"*.txt", true, false}, {"a?txt", true, false},
        {"*.bak", false, false},    {"sub", true, true},    {"sub\\", true, true},
        {"missing", false, false},  {"s*", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_folder / c.name;
        EXPECT_EQ(FileExistsPattern(path.c_str()), c.exists);
        EXPECT_EQ(IsDirectory(path.c_str()), c.directory);
    }
}

TEST_F(PathHelpers, FullPathsLoseOneTrailingBackslashButARootKeepsIt)
{
    CString full;
    EXPECT_TRUE(GetFullPathNoSlash((m_folder.Path() + "\\sub\\").c_str(), full));
    EXPECT_STREQ(full, (m_folder / "sub").c_str());
    EXPECT_TRUE(GetFullPathNoSlash("C:\\", full));
    EXPECT_STREQ(full, "C:\\");
    EXPECT_TRUE(GetFullPathNoSlash("c:\\windows\\..\\x.txt", full));
    EXPECT_STREQ(full, "c:\\x.txt");

    SetCurrentDirectoryA(m_folder.Path().c_str());
    EXPECT_TRUE(GetFullPathNoSlash("sub", full));
    EXPECT_STREQ(full, (m_folder / "sub").c_str());

    const std::string tooLong = "C:\\" + std::string(300, 'x');
    EXPECT_FALSE(GetFullPathNoSlash(tooLong.c_str(), full));
    EXPECT_TRUE(full.IsEmpty());

    char text[] = "C:\\a\\\\";
    StripTrailingBackslash(text);
    EXPECT_STREQ(text, "C:\\a\\");
    char empty[] = "";
    StripTrailingBackslash(empty);
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(JoinPath("C:\\", "x"), "C:\\x");
    EXPECT_STREQ(JoinPath("C:\\d", "x"), "C:\\d\\x");
}

TEST_F(PathHelpers, LongPathsReplaceShortNames)
{
    const std::string longName = m_folder / "A long file name.text";
    WriteFileBytes(longName, "x");
    char shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(longName.c_str(), shortName, sizeof shortName), 0u);
    ASSERT_STRNE(shortName, longName.c_str());

    CString result;
    EXPECT_TRUE(GetLongPath(shortName, result));
    EXPECT_EQ(result.CompareNoCase(longName.c_str()), 0) << result.GetString();

    const std::string missing = m_folder / "NOSUCH~1.TXT";
    EXPECT_FALSE(GetLongPath(missing.c_str(), result));
    EXPECT_STREQ(result, missing.c_str());
}

TEST_F(PathHelpers, DifferentVolumesByDriveLetter)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool different;
    } cases[] = {
        {"C:\\a", "c:\\b\\c", false},
        {"C:\\a", "Z:\\a", true},
        {"\\\\server\\share\\x", "C:\\x", true},
        {"\\\\server\\share\\x", "\\\\server\\share\\y", true},
        {"relative", "C:\\x", false},   // the working folder is on C:
    };
    SetCurrentDirectoryA(m_folder.Path().c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " and " + c.b);
        EXPECT_EQ(IsDifferentVolume(c.a, c.b), c.different);
    }
}

TEST_F(PathHelpers, SameFileByAnyOfItsNames)
{
    const std::string file = m_folder / "A long file name.text";
    WriteFileBytes(file, "x");
    char shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(file.c_str(), shortName, sizeof shortName), 0u);

    std::string upper = file;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(IsSameFile(file.c_str(), upper.c_str()));
    EXPECT_TRUE(IsSameFile(file.c_str(), shortName));
    EXPECT_TRUE(IsSameFile((m_folder / "missing").c_str(), (m_folder / "MISSING").c_str()));
    EXPECT_FALSE(IsSameFile(file.c_str(), (m_folder / "a.txt").c_str()));
    EXPECT_FALSE(IsSameFile((m_folder / "sub").c_str(), (m_folder / "a.txt").c_str()));

    const std::string otherDrive = support_test::OtherDrivePathOf(file);
    if (!otherDrive.empty()) {
        EXPECT_TRUE(IsSameFile(file.c_str(), otherDrive.c_str())) << otherDrive;
    }
}

}  // namespace
