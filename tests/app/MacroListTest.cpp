// The main window's macro list: its rows come from the files of the data
// folder, and its check boxes change the files' Enable lines and nothing else.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <map>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const char kBadRecordMessage[] = "Failed to load record Window info";

class MacroList : public testing::Test
{
protected:
    void Launch() { m_kestrune.reset(new KestruneProcess()); }
    HWND Start()
    {
        Launch();
        return Ready();
    }
    HWND Ready()
    {
        m_window = m_kestrune->WaitUntilReady();
        m_list = m_window ? MacroListOf(m_window) : nullptr;
        if (m_window)
            BringToFront(m_window);
        return m_window;
    }

    // The rows by macro name.
    std::map<std::string, ListRow> RowsByName() const
    {
        std::map<std::string, ListRow> rows;
        for (const ListRow& row : ReadListRows(m_list))
            rows[row.texts.at(1)] = row;
        return rows;
    }

    bool WaitForFile(const std::string& path, const std::string& bytes) const
    {
        return WaitUntil([&] { return testing_support::ReadFileBytes(path) == bytes; }, 5000);
    }

    ScriptFolder m_scripts;
    std::unique_ptr<KestruneProcess> m_kestrune;
    HWND m_window = nullptr;
    HWND m_list = nullptr;
};

TEST_F(MacroList, RowsMatchTheFiles)
{
    m_scripts.Write({ "Morning", "Ctrl + <F1>", "<F11>", "Opens the reports", 1 });
    m_scripts.Write({ "Backup", "<F9>", "<F10>", "Copies the notes", 0 });
    m_scripts.Write({ "Timesheet", "Ctrl + Shift + T", "<F11>", "Types the hours", 1 });
    // Neither a folder named like a macro file nor another file is listed.
    CreateDirectoryA((m_scripts.Path() + "\\Folder.txt").c_str(), nullptr);
    testing_support::WriteFileBytes(m_scripts.Path() + "\\notes.ini", "[x]\r\n");
    ASSERT_NE(Start(), nullptr);

    std::map<std::string, ListRow> rows = RowsByName();
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> morning = { "", "Morning", "Ctrl + <F1>", "<F11>", "Opens the reports" };
    EXPECT_EQ(rows["Morning"].texts, morning);
    EXPECT_TRUE(rows["Morning"].checked);
    EXPECT_FALSE(rows["Backup"].checked);
    EXPECT_EQ(rows["Backup"].texts.at(2), "<F9>");
    EXPECT_TRUE(rows["Timesheet"].checked);
    EXPECT_EQ(rows["Timesheet"].texts.at(4), "Types the hours");
}

TEST_F(MacroList, AnEmptyFolderGivesAnEmptyListAndRunAsksForASelection)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_TRUE(ReadListRows(m_list).empty());
    ClickButton(m_window, 1002);   // Run
    HWND message = WaitForDialog(m_kestrune->Id(), "No macro selected!", 5000);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(DialogText(message), "No macro selected! Please select a macro from list above to run.");
    PressDialogButton(message, IDOK);
}

TEST_F(MacroList, TickingARowRewritesOnlyItsEnableLine)
{
    // Lines the record writer would write otherwise: they must stay.
    const std::string head = "[General]\r\nName=Hand Made\r\nStartKey=Ctrl + <F5>\r\nEndKey=<F11>\r\nDescription=typed by hand\r\n";
    const std::string tail = "RepeatOption=0\r\nRepeatTimes=02\r\nOriginalSpeed=\r\n[script]\r\nDELAY(10)\r\n";
    const std::string path = m_scripts.FileOf("Hand Made");
    testing_support::WriteFileBytes(path, head + "Enable=0\r\n" + tail);
    const std::string other = m_scripts.Write({ "Other", "Ctrl + <F6>", "<F11>", "", 0 });
    const std::string otherBytes = testing_support::ReadFileBytes(other);
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(testing_support::ReadFileBytes(path), head + "Enable=0\r\n" + tail) << "listing writes nothing";

    ASSERT_TRUE(ClickCheckBox(m_list, "Hand Made"));
    EXPECT_TRUE(WaitForFile(path, head + "Enable=1\r\n" + tail));
    EXPECT_TRUE(RowsByName()["Hand Made"].checked);
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL, VK_F5); }, 3000));

    ASSERT_TRUE(ClickRow(m_list, "Other"));   // selecting changes no file
    Sleep(300);
    ASSERT_TRUE(ClickCheckBox(m_list, "Hand Made"));
    EXPECT_TRUE(WaitForFile(path, head + "Enable=0\r\n" + tail));
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL, VK_F5));
    EXPECT_EQ(testing_support::ReadFileBytes(other), otherBytes);
}

TEST_F(MacroList, TickingAMacroWhoseFileNameDiffersFromItsNameChangesThatFile)
{
    // A file renamed by hand: the file's name is the macro's name.
    MacroSpec macro = { "Old Name", "Ctrl + <F5>", "<F11>", "renamed", 0 };
    const std::string bytes = MacroFileText(macro);
    const std::string path = m_scripts.FileOf("Renamed");
    testing_support::WriteFileBytes(path, bytes);
    ASSERT_NE(Start(), nullptr);
    ASSERT_NE(RowOf(m_list, "Renamed"), -1);

    ASSERT_TRUE(ClickCheckBox(m_list, "Renamed"));
    std::string ticked = bytes;
    ticked.replace(ticked.find("Enable=0"), 8, "Enable=1");
    EXPECT_TRUE(WaitForFile(path, ticked));
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL, VK_F5); }, 3000));
    for (const char* stray : { "", "Old Name" })
        EXPECT_FALSE(testing_support::FileExists(m_scripts.FileOf(stray))) << '"' << stray << '"';
}

TEST_F(MacroList, TickingAMacroWithABadWindowRecordKeepsEveryRecord)
{
    // The record reader stops at the bad "WinRect=" line; the records after
    // it are in the file all the same and must stay there.
    kestrune_e2e::MacroSpec macro = { "Recorded", "Ctrl + <F7>", "<F11>", "", 0 };
    macro.script = { "DELAY(10) -> At Win [1]" };
    std::string bytes = MacroFileText(macro) +
                        "[HalvaneInfo]\r\nWinIndex=0\r\nWinTitle=First\r\nWinPath=C:\\a.exe\r\nWinParentLevel=0\r\n"
                        "WinRect=1,2\r\nWinIndex=1\r\nWinTitle=Second\r\nWinPath=C:\\b.exe\r\nWinParentLevel=0\r\n"
                        "WinRect=1,2,3,4\r\n";
    const std::string path = m_scripts.FileOf("Recorded");
    testing_support::WriteFileBytes(path, bytes);

    Launch();
    HWND message = WaitForDialog(m_kestrune->Id(), kBadRecordMessage, 20000);
    ASSERT_NE(message, nullptr) << "the list reads the file";
    PressDialogButton(message, IDOK);
    ASSERT_NE(Ready(), nullptr);

    ASSERT_TRUE(ClickCheckBox(m_list, "Recorded"));
    message = WaitForDialog(m_kestrune->Id(), kBadRecordMessage, 5000);
    ASSERT_NE(message, nullptr) << "the tick reads the file again";
    PressDialogButton(message, IDOK);
    const std::string ticked = bytes.replace(bytes.find("Enable=0"), 8, "Enable=1");
    EXPECT_TRUE(WaitForFile(path, ticked));
}

TEST_F(MacroList, SortingKeepsEachRowWithItsMacro)
{
    for (const char* name : { "Alpha", "Bravo", "Charlie" })
        m_scripts.Write({ name, std::string("Ctrl + Shift + ") + name[0], "<F11>", name, 0 });
    ASSERT_NE(Start(), nullptr);

    HWND header = reinterpret_cast<HWND>(SendMessageA(m_list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    RECT headerRect;
    GetWindowRect(header, &headerRect);
    const POINT nameColumn = { headerRect.left + 50 + 40, (headerRect.top + headerRect.bottom) / 2 };
    testing_support::ClickAt(nameColumn);   // ascending
    ASSERT_TRUE(WaitUntil([&] { return RowOf(m_list, "Alpha") == 0; }, 3000));
    Sleep(GetDoubleClickTime() + 100);      // a second click, not a double click
    testing_support::ClickAt(nameColumn);   // descending
    ASSERT_TRUE(WaitUntil([&] { return RowOf(m_list, "Charlie") == 0; }, 3000));
    ASSERT_EQ(RowOf(m_list, "Alpha"), 2);

    // The row now first is Charlie's: its tick changes Charlie's file.
    ASSERT_TRUE(ClickCheckBox(m_list, "Charlie"));
    EXPECT_TRUE(WaitUntil([&] {
        return testing_support::ReadFileBytes(m_scripts.FileOf("Charlie")).find("Enable=1") != std::string::npos;
    }, 5000));
    EXPECT_NE(testing_support::ReadFileBytes(m_scripts.FileOf("Alpha")).find("Enable=0"), std::string::npos);
    EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'C'); }, 3000));
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, 'A'));
}

TEST_F(MacroList, RemoveDeletesTheFileAndLetsItsKeysGo)
{
    m_scripts.Write({ "Doomed", "Ctrl + <F8>", "<F12>", "", 1 });
    m_scripts.Write({ "Kept", "Ctrl + <F9>", "<F12>", "", 1 });
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(IsHotKeyHeld(MOD_CONTROL, VK_F8));

    ASSERT_TRUE(ClickRow(m_list, "Doomed"));
    ClickButton(m_window, 1007);   // Remove
    HWND question = WaitForDialog(m_kestrune->Id(), "Are you sure you want to delete the selected macro?", 5000);
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDYES);

    EXPECT_TRUE(WaitUntil([&] { return !testing_support::FileExists(m_scripts.FileOf("Doomed")); }, 5000));
    EXPECT_EQ(RowOf(m_list, "Doomed"), -1);
    EXPECT_NE(RowOf(m_list, "Kept"), -1);
    EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL, VK_F8));
    EXPECT_TRUE(IsHotKeyHeld(0, VK_F12)) << "the end key the two shared stays with the other";
}

}  // namespace
