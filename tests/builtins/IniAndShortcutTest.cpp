// INI files checked against their text on disk, and shortcuts written and
// read back through the shell's link object.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

using namespace builtins_test;
using testing_support::FileExists;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

int IniWrite(const std::string& file, const char* section, const char* key, const char* value)
{
    return Call("INIWRITE", {Text(file.c_str()), Text(section), Text(key), Text(value)}).result.GetInt();
}

std::string IniRead(const std::string& file, const char* section, const char* key, const char* fallback = "none")
{
    return Call("INIREAD", {Text(file.c_str()), Text(section), Text(key), Text(fallback)}).Text();
}

TEST(Ini, RoundTripsShowInTheFileText)
{
    TempFolder folder;
    const std::string file = folder / "settings.ini";
    EXPECT_EQ(IniWrite(file, "Main", "name", "Kestrune"), 1);
    EXPECT_EQ(ReadFileBytes(file), "[Main]\r\nname=Kestrune\r\n");
    EXPECT_EQ(IniWrite(file, "Main", "count", "3"), 1);
    EXPECT_EQ(IniWrite(file, "Other", "key", "a value with = sign"), 1);
    EXPECT_EQ(ReadFileBytes(file), "[Main]\r\nname=Kestrune\r\ncount=3\r\n[Other]\r\nkey=a value with = sign\r\n");
    EXPECT_EQ(IniWrite(file, "main", "NAME", "changed"), 1);        // names without regard to case
    EXPECT_EQ(ReadFileBytes(file), "[Main]\r\nname=changed\r\ncount=3\r\n[Other]\r\nkey=a value with = sign\r\n");

    EXPECT_EQ(IniRead(file, "Main", "name"), "changed");
    EXPECT_EQ(IniRead(file, "Other", "key"), "a value with = sign");
    EXPECT_EQ(IniRead(file, "Main", "missing", "fallback"), "fallback");
    EXPECT_EQ(IniRead(file, "Missing", "name", ""), "");
    EXPECT_EQ(IniRead(folder / "none.ini", "Main", "name", "no file"), "no file");

    EXPECT_EQ(Call("INIDELETE", {Text(file.c_str()), Text("Main"), Text("count")}).result.GetInt(), 1);
    EXPECT_EQ(ReadFileBytes(file), "[Main]\r\nname=changed\r\n[Other]\r\nkey=a value with = sign\r\n");
    EXPECT_EQ(IniRead(file, "Main", "count"), "none");
}

TEST(Ini, ValuesWrittenByHandAreRead)
{
    TempFolder folder;
    const std::string file = folder / "hand.ini";
    WriteFileBytes(file, "; comment\r\n[Section]\r\n  spaced  =  value  \r\nempty=\r\n");
    EXPECT_EQ(IniRead(file, "Section", "spaced"), "value");
    EXPECT_EQ(IniRead(file, "Section", "empty"), "");
}

TEST(Ini, ARelativeNameCountsFromTheWorkingFolder)
{
    TempFolder folder;
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    const int written = IniWrite("relative.ini", "S", "k", "v");
    const std::string read = IniRead("relative.ini", "S", "k");
    const int deleted = Call("INIDELETE", {Text("relative.ini"), Text("S"), Text("k")}).result.GetInt();
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(written, 1);
    EXPECT_EQ(read, "v");
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(ReadFileBytes(folder / "relative.ini"), "[S]\r\n");
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_FALSE(FileExists(std::string(windows) + "\\relative.ini"));
}

TEST(Ini, AFileThatCannotBeWrittenFails)
{
    TempFolder folder;
    EXPECT_EQ(IniWrite(folder / "no folder\\x.ini", "S", "k", "v"), 0);
    EXPECT_EQ(Call("INIDELETE", {Text((folder / "no folder\\x.ini").c_str()), Text("S"), Text("k")}).result.GetInt(), 0);
}

// The hot key stored in a link, read with the shell's own interface.
WORD StoredHotKey(const std::string& link)
{
    WORD hotKey = 0;
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ)))
                shellLink->GetHotkey(&hotKey);
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return hotKey;
}

TEST(Shortcut, EveryFieldRoundTrips)
{
    TempFolder folder;
    const std::string target = folder / "tool.exe";
    const std::string icon = folder / "tool.ico";
    WriteFileBytes(target, "MZ");
    WriteFileBytes(icon, "");
    const std::string link = folder / "Tool";
    Outcome created = Call("FILECREATESHORTCUT",
                           {Text(target.c_str()), Text(link.c_str()), Text(folder.Path().c_str()), Text("-a \"my macro\""),
                            Text("Runs the tool"), Text(icon.c_str()), Text("^+k"), Int(2), Int(SW_SHOWMAXIMIZED)});
    EXPECT_EQ(created.result.GetInt(), 1);
    ASSERT_TRUE(FileExists(link + ".lnk"));

    Outcome read = Call("FILEGETSHORTCUT", {Text(link.c_str())});
    EXPECT_EQ(read.error, 0);
    const std::string text = read.Text();
    EXPECT_EQ(text.substr(0, text.rfind('|')), "[" + target + "|" + folder.Path() + "|-a \"my macro\"|Runs the tool|" + icon + "|2");
    // The show state is stored in the link's header (Wine's link object does
    // not read it back, so the file is checked).
    EXPECT_EQ(ReadFileBytes(link + ".lnk").at(0x3C), SW_SHOWMAXIMIZED);
    // The ".lnk" may be given, in any case.
    EXPECT_EQ(Call("FILEGETSHORTCUT", {Text((link + ".LNK").c_str())}).Text(), read.Text());
    // Shortcut hot keys are Ctrl+Alt keys; the code's Shift is kept.
    EXPECT_EQ(StoredHotKey(link + ".lnk"), MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT));
}

TEST(Shortcut, OnlyTheGivenFieldsAreSet)
{
    TempFolder folder;
    const std::string target = folder / "doc.txt";
    WriteFileBytes(target, "text");
    const std::string link = folder / "Doc.lnk";
    EXPECT_EQ(Call("FILECREATESHORTCUT", {Text(target.c_str()), Text(link.c_str())}).result.GetInt(), 1);
    EXPECT_TRUE(FileExists(link));
    EXPECT_FALSE(FileExists(link + ".lnk"));
    EXPECT_EQ(Call("FILEGETSHORTCUT", {Text(link.c_str())}).Text(), "[" + target + "|||||0|1]");

    // A hot-key code that does not parse sets none.
    const std::string other = folder / "Other";
    Call("FILECREATESHORTCUT", {Text(target.c_str()), Text(other.c_str()), Text(""), Text(""), Text(""), Text(""),
                                Text("<NoSuchKey>")});
    EXPECT_EQ(StoredHotKey(other + ".lnk"), 0);
    Call("FILECREATESHORTCUT", {Text(target.c_str()), Text(other.c_str()), Text(""), Text(""), Text(""), Text(""),
                                Text("!#<F9>")});
    EXPECT_EQ(StoredHotKey(other + ".lnk"), MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT));
}

TEST(Shortcut, FailuresAreReported)
{
    TempFolder folder;
    Outcome missing = Call("FILEGETSHORTCUT", {Text((folder / "missing").c_str())});
    EXPECT_EQ(missing.error, 1);
    EXPECT_FALSE(missing.result.IsArray());
    const std::string notALink = folder / "plain.lnk";
    WriteFileBytes(notALink, "not a shortcut");
    EXPECT_EQ(Call("FILEGETSHORTCUT", {Text(notALink.c_str())}).error, 1);
    EXPECT_EQ(Call("FILECREATESHORTCUT", {Text("C:\\x.exe"), Text((folder / "no folder\\x").c_str())}).result.GetInt(), 0);
}

}  // namespace
