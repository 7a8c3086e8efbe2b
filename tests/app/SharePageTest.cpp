// The share page: its exact text for a macro whose texts try to break out
// of the form, the macro file's reading, the page's file, and the system's
// name on the page.
#include "app/SharePage.h"
#include "macro/Folders.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A description that closes the attribute and opens a script, and a script
// that closes the text area and the form.
const char kHostileMacroFile[] =
    "[General]\r\n"
    "Name=Tom & \"Jerry\"\r\n"
    "StartKey=None\r\n"
    "EndKey=None\r\n"
    "Description=First\r\n"
    "Description=Says \"hi\"><script>alert('x')</script> & <b>bye</b>\r\n"
    "Enable=0\r\n"
    "[Script]\r\n"
    "Send(\"</TEXTAREA></FORM><script>document.write(1)</script>\")\r\n"
    "$a = 1 < 2 And 3 > 2 & \"&amp;\"\r\n";

class SharePage : public testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryPath(GetUserDataFolder());   // the share folder's parent is not made
        WriteFileBytes(m_folder / "Tom & Jerry's macro.txt", kHostileMacroFile);
    }
    void TearDown() override { RemoveTree(std::string(GetUserDataFolder()) + "\\share"); }

    std::string MacroPath() const { return m_folder / "Tom & Jerry's macro.txt"; }

    TempFolder m_folder;
};

TEST_F(SharePage, HostileTextsStayTextInTheForm)
{
    SharedMacro macro = ReadSharedMacro(MacroPath().c_str());
    EXPECT_EQ(std::string(macro.name), "Tom & Jerry's macro.txt");
    EXPECT_EQ(std::string(macro.description), "Says \"hi\"><script>alert('x')</script> & <b>bye</b>")
        << "the last Description line";
    EXPECT_EQ(std::string(macro.script),
              "[General]\nName=Tom & \"Jerry\"\nStartKey=None\nEndKey=None\nDescription=First\n"
              "Description=Says \"hi\"><script>alert('x')</script> & <b>bye</b>\nEnable=0\n[Script]\n"
              "Send(\"</TEXTAREA></FORM><script>document.write(1)</script>\")\n"
              "$a = 1 < 2 And 3 > 2 & \"&amp;\"\n");

    const std::string page(BuildSharePage(macro, "1024 x 768", "WinXP"));
    EXPECT_EQ(page, ReadFileBytes(SourcePath("app/golden/share-page.html")));
    // Whatever the macro holds, the page has one form, one text area and
    // only the tags of its own.
    auto count = [&page](const std::string& what) {
        size_t n = 0;
        for (size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("</TEXTAREA>"), 1u);
    EXPECT_EQ(count("</FORM>"), 1u);
    EXPECT_EQ(count("<script>"), 0u);
    EXPECT_EQ(count("<b>"), 0u);
}

TEST_F(SharePage, TheWrittenPageIsTheMacrosPageInTheShareFolder)
{
    const std::string shareFolder = std::string(GetUserDataFolder()) + "\\share";
    RemoveTree(shareFolder);
    ASSERT_TRUE(WriteSharePage(MacroPath().c_str(), g_strShareFileName));
    const std::string path = shareFolder + "\\robot_share.html";
    EXPECT_EQ(std::string(GetSharePagePath(g_strShareFileName)), path);

    CString resolution;
    resolution.Format("%d x %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    int code = 0;
    CString osName;
    GetOsName(code, osName);
    const std::string expected(BuildSharePage(ReadSharedMacro(MacroPath().c_str()), resolution, osName));
    EXPECT_EQ(ReadFileBytes(path), expected);

    // Written whole again, shorter this time.
    WriteFileBytes(MacroPath(), "[General]\r\nName=x\r\n");
    ASSERT_TRUE(WriteSharePage(MacroPath().c_str(), g_strShareFileName));
    EXPECT_EQ(ReadFileBytes(path),
              std::string(BuildSharePage(ReadSharedMacro(MacroPath().c_str()), resolution, osName)));
}

TEST_F(SharePage, AMissingMacroFileGivesEmptyFieldsAndNoPathGivesNoPage)
{
    SharedMacro macro = ReadSharedMacro((m_folder / "gone.txt").c_str());
    EXPECT_EQ(std::string(macro.name), "gone.txt");
    EXPECT_TRUE(macro.description.IsEmpty());
    EXPECT_TRUE(macro.script.IsEmpty());
    EXPECT_TRUE(WriteSharePage((m_folder / "gone.txt").c_str(), g_strShareFileName));
    EXPECT_FALSE(WriteSharePage("", g_strShareFileName));
}

TEST_F(SharePage, APageThatCannotBeWrittenIsReported)
{
    // A file where the share folder should be.
    const std::string shareFolder = std::string(GetUserDataFolder()) + "\\share";
    RemoveTree(shareFolder);
    WriteFileBytes(shareFolder, "not a folder");
    EXPECT_FALSE(WriteSharePage(MacroPath().c_str(), g_strShareFileName));
    DeleteFileA(shareFolder.c_str());

    // The page itself held open by another program.
    ASSERT_TRUE(WriteSharePageFile(g_strShareFileName, "old"));
    HANDLE lock = CreateFileA((shareFolder + "\\robot_share.html").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteSharePageFile(g_strShareFileName, "new"));
    CloseHandle(lock);
    EXPECT_EQ(ReadFileBytes(shareFolder + "\\robot_share.html"), "old");
}

TEST(OsName, ByPlatformAndVersion)
{
    static const struct
    {
        DWORD platform, major, minor;
        int code;
        const char* name;
    } kCases[] = {
        { VER_PLATFORM_WIN32s, 3, 10, 7, "Win32" },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 0, 1, "Win95" },
        { VER_PLATFORM_WIN32_WINDOWS, 3, 95, 1, "Win95" },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2, "Win98" },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 89, 2, "Win98" },
        { VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3, "WinME" },
        { VER_PLATFORM_WIN32_WINDOWS, 5, 0, 3, "WinME" },
        { VER_PLATFORM_WIN32_NT, 3, 51, 4, "WinNT" },
        { VER_PLATFORM_WIN32_NT, 4, 0, 4, "WinNT" },
        { VER_PLATFORM_WIN32_NT, 5, 0, 5, "Win2000" },
        { VER_PLATFORM_WIN32_NT, 5, 1, 6, "WinXP" },
        { VER_PLATFORM_WIN32_NT, 5, 2, 0, "" },
        { VER_PLATFORM_WIN32_NT, 6, 1, 0, "" },
        { 7, 1, 0, 0, "Unknown OS" },
    };
    for (const auto& c : kCases) {
        int code = -1;
        CString name = "stale";
        OsNameOf(c.platform, c.major, c.minor, code, name);
        EXPECT_EQ(code, c.code) << c.platform << " " << c.major << "." << c.minor;
        EXPECT_EQ(std::string(name), c.name) << c.platform << " " << c.major << "." << c.minor;
    }
    // The test prefix is Windows 7: an NT version after 5.1.
    int code = -1;
    CString name = "stale";
    EXPECT_TRUE(GetOsName(code, name));
    EXPECT_EQ(std::string(name), "");
}

}  // namespace
