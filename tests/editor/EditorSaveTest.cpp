// The macro editor's Save, driven as a user would: the edits filled, keys
// pressed into the hot-key edits, steps inserted from the panes, Save
// clicked and the messages answered. The file written is checked byte for
// byte; a refused or failed Save keeps the editor open, and a rename
// removes the old file only once the new one is written.
#include "app/PandrelDlg.h"
#include "app/editor/InputRobotDlg.h"
#include "app/editor/MacroEditorHost.h"
#include "tests/app/KestruneSession.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>

using namespace editor_tests;
using kestrune_e2e::MacroFileText;
using kestrune_e2e::MacroSpec;
using testing_support::FileExists;
using testing_support::PressDialogButton;
using testing_support::ReadFileBytes;

namespace {

const char kSaveFailed[] = "could not be saved";

class EditorSave : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_main.Create(CPandrelDlg::IDD)); }
    void TearDown() override { m_main.DestroyWindow(); }

    // The macro names the main window gives a new macro's editor.
    CStringArray Names()
    {
        CStringArray names;
        for (int i = 0; i < m_main.GetMacroCount(); ++i)
            names.Add(m_main.GetMacro(i).Name);
        return names;
    }
    // The macro files of the script folder.
    std::vector<std::string> MacroFiles() const
    {
        std::vector<std::string> files;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_scripts.Path() + "\\*.txt").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return files;
        do
            files.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        std::sort(files.begin(), files.end());
        return files;
    }
    // Selects the macro's row and presses Edit, as the user would, while
    // `steps` play the user in the editor; whether the editor showed.
    bool EditThroughMainWindow(const std::string& name, std::function<void(HWND)> steps)
    {
        const std::vector<std::string> names = ListColumn(MainList(), 1);
        const auto found = std::find(names.begin(), names.end(), name);
        if (found == names.end())
            return false;
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(MainList(), LVM_SETITEMSTATE, static_cast<WPARAM>(found - names.begin()),
                     reinterpret_cast<LPARAM>(&state));
        testing_support::DialogDriver driver("Edit Macro", std::move(steps));
        m_main.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT, BN_CLICKED), 0);
        return driver.Finish();
    }
    HWND MainList() { return m_main.GetDlgItem(IDC_MACRO_LIST)->m_hWnd; }

    kestrune_e2e::ScriptFolder m_scripts;
    CWinApp m_app{ "Brenvik Kestrune" };
    CPandrelDlg m_main;
};

TEST_F(EditorSave, ANewMacroIsWrittenAsTheUserEnteredIt)
{
    m_scripts.Write({ "Other", "Ctrl + <F1>", "<F11>" });
    m_main.LoadMacroList();
    CInputRobotDlg editor(&m_main, &m_main);
    editor.SetMacroNames(Names());
    testing_support::DialogDriver driver("Add Macro", [](HWND dialog) {
        // A new macro's defaults.
        EXPECT_EQ(ItemText(dialog, IDC_START_KEY), "None");
        EXPECT_EQ(ItemText(dialog, IDC_END_KEY), "<F11>");
        EXPECT_EQ(ItemText(dialog, IDC_REPEAT_TEXT), "Run 1 times");

        SetItemText(dialog, IDC_MACRO_NAME, "Daily report");
        SetItemText(dialog, IDC_MACRO_DESCRIPTION, "Opens the day's work");
        FocusItem(dialog, IDC_START_KEY);
        PressChord({ VK_CONTROL, VK_SHIFT }, VK_F2);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_START_KEY, "Ctrl + Shift + <F2>"));
        FocusItem(dialog, IDC_END_KEY);
        testing_support::PressKey(VK_F9);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_END_KEY, "<F9>"));

        HWND mouse = PageWith(dialog, IDC_MOUSE_CLICK_INSERT);
        HWND keys = PageWith(dialog, IDC_KEY_SPIN);
        ASSERT_TRUE(mouse && keys);
        PressDialogButton(mouse, IDC_MOUSE_CLICK_INSERT);
        FocusItem(keys, IDC_KEY_BOX);
        testing_support::PressKey(VK_F5);
        EXPECT_TRUE(WaitForItemText(keys, IDC_KEY_BOX, "<F5>"));
        SetItemText(keys, IDC_KEY_COUNT, "4");
        PressDialogButton(keys, IDC_KEY_INSERT);
        HWND list = GetDlgItem(dialog, IDC_STEP_LIST);
        EXPECT_TRUE(kestrune_probe::WaitUntil([&] { return ListColumn(list, 1).size() == 2; }, 5000));
        EXPECT_EQ(ListColumn(list, 1), (std::vector<std::string>{ "Mouse Left Click", "Key Press <F5>, 4 times" }));
        // A line that is no step (a damaged one) is not saved.
        char text[] = "not a step";
        LVITEMA row = {};
        row.mask = LVIF_TEXT;
        row.iItem = 2;
        row.pszText = const_cast<char*>("3");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
        row.iSubItem = 1;
        row.pszText = text;
        SendMessageA(list, LVM_SETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&row));

        PressDialogButton(dialog, IDC_REPEAT_OPTIONS);
        HWND options = WaitForDialogCaptioned("Macro Repeat Options");
        ASSERT_NE(options, nullptr);
        SetItemText(options, IDC_REPEAT_COUNT, "3");
        PressDialogButton(options, IDOK);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_REPEAT_TEXT, "Run 3 times"));

        SendDlgItemMessageA(dialog, IDC_SPEED, CB_SETCURSEL, 1, 0);           // faster
        SendDlgItemMessageA(dialog, IDC_RUN_AFTER, CB_SETCURSEL, 1, 0);       // "Other"
        PressDialogButton(dialog, IDOK);
    });
    ASSERT_EQ(editor.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());

    MacroSpec expected;
    expected.name = "Daily report";
    expected.startKey = "Ctrl + Shift + <F2>";
    expected.endKey = "<F9>";
    expected.description = "Opens the day's work";
    expected.enable = 1;
    expected.repeatTimes = 3;
    expected.faster = true;
    expected.triggerRobot = "Other";
    expected.script = { "MouseClick(\"left\", 1)", "KeySend(\"\",\"\",\"\",\"<F5>\", 4)" };
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Daily report")), MacroFileText(expected));
    EXPECT_EQ(editor.GetMacroName().str(), "Daily report");
    EXPECT_EQ(editor.GetStartKey().str(), "Ctrl + Shift + <F2>");
    EXPECT_EQ(editor.GetEndKey().str(), "<F9>");
    EXPECT_EQ(editor.GetDescription().str(), "Opens the day's work");
}

// Each refusal is shown and leaves the editor open for the next try.
TEST_F(EditorSave, EachCheckRefusesWithItsMessage)
{
    m_scripts.Write({ "Existing", "Ctrl + <F1>", "<F11>" });
    m_main.LoadMacroList();
    CInputRobotDlg editor(&m_main, &m_main);
    editor.SetMacroNames(Names());
    const std::string chars = "cannot contain any of the following characters:\n \\ / : * ? \" < > |";
    const std::string taken = "You may try to use different hotkeys like:\n'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9'";
    const struct
    {
        const char* name;
        const char* start;
        const char* end;
        std::string message;
    } cases[] = {
        { "", "None", "<F11>", "Macro name is empty. Please enter macro name." },
        { "a/b", "None", "<F11>", chars },
        { "CON", "None", "<F11>", chars },
        { "lpt3.txt", "None", "<F11>", chars },
        { "report.", "None", "<F11>", chars },
        { "existing", "None", "<F11>", "Macro name already exists, please choose another one." },
        { "Fresh", "None", "<F11>", "Macro's Start/End Hotkey is not set. Please set the start/End Hotkey for macro." },
        { "Fresh", "Ctrl + Alt + r", "<F11>",
          "Hotkeys 'Ctrl+Alt+R' and 'Ctrl+Alt+S' are reserved for recording robots.\n\nPlease set the Start/End Hotkey for robot." },
        { "Fresh", "Ctrl + ", "<F11>",
          "You can not specify key 'Ctrl + ' as Start or End Hotkey.\n\nPlease specify Start or End Hotkey like something "
          "below:\n'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9' or <F2>" },
        { "Fresh", "Ctrl + <F12>", "<F11>",
          "Key <F12> is reserved by Windows and it can not be used as Start/End Hotkey.\n\nPlease use another hotkey." },
        { "Fresh", "Ctrl + <F3>", "None", "Macro's Start/End Hotkey is not set. Please set the start/End Hotkey for macro." },
        { "Fresh", "Ctrl + <F1>", "<F11>", "Start hotkey you specified for this macro has been taken by another macro.\n\n" + taken },
        { "Fresh", "Ctrl + <F3>", "Ctrl + <F1>", "End hotkey you specified for this macro has been taken by another macro.\n\n" + taken },
        { "Fresh", "Ctrl + <F3>", "ctrl + <f3>",
          "Start Hotkey and End Hotkey can not be same.\nPlease use different key for Start Hotkey and End Hotkey." },
    };
    testing_support::DialogDriver driver("Add Macro", [&](HWND dialog) {
        for (const auto& c : cases) {
            SetItemText(dialog, IDC_MACRO_NAME, c.name);
            SetItemText(dialog, IDC_START_KEY, c.start);
            SetItemText(dialog, IDC_END_KEY, c.end);
            PressDialogButton(dialog, IDOK);
            EXPECT_EQ(AnswerMessageBox(IDOK, 5000, dialog), c.message) << c.name << " / " << c.start << " / " << c.end;
            EXPECT_TRUE(IsWindowVisible(dialog)) << "the editor stays open";
        }
        // Two macros may share an end key.
        SetItemText(dialog, IDC_END_KEY, "<F11>");
        PressDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(editor.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(MacroFiles(), (std::vector<std::string>{ "Existing.txt", "Fresh.txt" })) << "only the accepted name was saved";
}

TEST_F(EditorSave, ARenameRemovesTheOldFileOnlyAfterTheNewOneIsWritten)
{
    MacroSpec old{ "Old", "Ctrl + <F2>", "<F11>", "kept", 1 };
    old.script = { "MouseMove(10, 20)", "KeySend(\"\",\"\",\"\",\"<F5>\", 1)" };
    const std::string oldBytes = MacroFileText(old);
    m_scripts.Write(old);
    // The new name's file cannot be written: a folder stands in its place.
    ASSERT_TRUE(CreateDirectoryA(m_scripts.FileOf("New").c_str(), nullptr));
    m_main.LoadMacroList();

    std::string failure;
    bool stayedOpen = false, oldKept = false;
    ASSERT_TRUE(EditThroughMainWindow("Old", [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_MACRO_NAME), "Old");
        EXPECT_EQ(ListColumn(GetDlgItem(dialog, IDC_STEP_LIST), 1),
                  (std::vector<std::string>{ "Mouse move to 10, 20", "Key Press <F5>" }));
        SetItemText(dialog, IDC_MACRO_NAME, "New");
        PressDialogButton(dialog, IDOK);
        failure = AnswerMessageBox(IDOK, 5000, dialog);
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        oldKept = ReadFileBytes(m_scripts.FileOf("Old")) == oldBytes;

        SetItemText(dialog, IDC_MACRO_NAME, "Newer");
        PressDialogButton(dialog, IDOK);
    }));
    EXPECT_NE(failure.find(kSaveFailed), std::string::npos) << failure;
    EXPECT_NE(failure.find(m_scripts.FileOf("New")), std::string::npos) << failure;
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(oldKept) << "a failed save leaves the old file as it was";

    MacroSpec renamed = old;
    renamed.name = "Newer";
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Newer")), MacroFileText(renamed));
    EXPECT_FALSE(FileExists(m_scripts.FileOf("Old")));
    EXPECT_EQ(ListColumn(MainList(), 1), std::vector<std::string>{ "Newer" }) << "the list shows the new name";
    EXPECT_EQ(m_main.GetMacro(0).Name.str(), "Newer");
}

TEST_F(EditorSave, AFileHeldOpenKeepsItsContentsUntilItCanBeWritten)
{
    MacroSpec held{ "Held", "Ctrl + <F2>", "<F11>", "before", 1 };
    const std::string before = MacroFileText(held);
    m_scripts.Write(held);
    m_main.LoadMacroList();
    HANDLE reader = CreateFileA(m_scripts.FileOf("Held").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);

    std::string failure;
    bool keptWhileHeld = false;
    ASSERT_TRUE(EditThroughMainWindow("Held", [&](HWND dialog) {
        SetItemText(dialog, IDC_MACRO_DESCRIPTION, "after");
        PressDialogButton(dialog, IDOK);
        failure = AnswerMessageBox(IDOK, 5000, dialog);
        keptWhileHeld = IsWindowVisible(dialog) && ReadFileBytes(m_scripts.FileOf("Held")) == before;
        CloseHandle(reader);
        PressDialogButton(dialog, IDOK);
    }));
    EXPECT_NE(failure.find(kSaveFailed), std::string::npos) << failure;
    EXPECT_TRUE(keptWhileHeld);
    held.description = "after";
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Held")), MacroFileText(held));
}

// A speed the combo does not offer shows no selection and is saved as the
// original speed; a hand-written repeat count of 0 becomes 1, so the macro runs.
TEST_F(EditorSave, AnEditedMacroKeepsWhatItHadAndMendsWhatCouldNeverRun)
{
    MacroSpec odd{ "Odd", "Ctrl + <F2>", "<F11>", "", 1, 0, 0 };
    std::string bytes = MacroFileText(odd);
    bytes.replace(bytes.find("OriginalSpeed=1"), 15, "OriginalSpeed=2");
    testing_support::WriteFileBytes(m_scripts.FileOf("Odd"), bytes);
    m_main.LoadMacroList();
    ASSERT_TRUE(EditThroughMainWindow("Odd", [](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPEED, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(ItemText(dialog, IDC_REPEAT_TEXT), "Run 1 times");
        PressDialogButton(dialog, IDOK);
    }));
    odd.repeatTimes = 1;
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Odd")), MacroFileText(odd));
}

// The window-binding switches, the repeat until the end key and the macro
// to run next come into the editor from the file, and go back out as the
// user left them.
TEST_F(EditorSave, AnEditedMacroShowsItsSwitchesAndSavesThemAsLeft)
{
    m_scripts.Write({ "Other", "Ctrl + <F1>", "<F11>" });
    MacroSpec bound{ "Bound", "Ctrl + <F2>", "<F11>", "", 1, 1 };
    bound.triggerRobot = "Other";
    std::string bytes = MacroFileText(bound);
    const std::string switchesOff = "UseSimilarWin=0\r\nUseHalvane=0";
    bytes.replace(bytes.find(switchesOff), switchesOff.size(), "UseSimilarWin=1\r\nUseHalvane=1");
    testing_support::WriteFileBytes(m_scripts.FileOf("Bound"), bytes);
    m_main.LoadMacroList();

    ASSERT_TRUE(EditThroughMainWindow("Bound", [](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HALVANE), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SIMILAR_WINDOWS), BST_CHECKED);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_SIMILAR_WINDOWS)));
        EXPECT_EQ(ItemText(dialog, IDC_REPEAT_TEXT), "Run until pressing end key");
        // The macro itself is not offered to run after itself.
        HWND next = GetDlgItem(dialog, IDC_RUN_AFTER);
        ASSERT_EQ(SendMessageA(next, CB_GETCOUNT, 0, 0), 2);
        char selected[64] = {};
        SendMessageA(next, CB_GETLBTEXT, SendMessageA(next, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(selected));
        EXPECT_STREQ(selected, "Other");

        // Without the binding the similar-windows switch cannot be changed.
        SendDlgItemMessageA(dialog, IDC_HALVANE, BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_SIMILAR_WINDOWS)));
        SendMessageA(next, CB_SETCURSEL, 0, 0);   // "don't run any macro"
        PressDialogButton(dialog, IDOK);
    }));
    bound.triggerRobot = "";
    bytes = MacroFileText(bound);
    bytes.replace(bytes.find(switchesOff), switchesOff.size(), "UseSimilarWin=1\r\nUseHalvane=0");
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Bound")), bytes);
}

// The editor that Ctrl+Alt+R opens hands its result to the main window from
// inside Save and Cancel, while it is still open.
TEST_F(EditorSave, AnEditorReportingToItsHostTellsItOfSaveAndCancel)
{
    struct Host : CMacroEditorHost
    {
        BOOL CheckStartKeyConflict(const CString&) override { return TRUE; }
        BOOL CheckEndKeyConflict(const CString&) override { return TRUE; }
        void ApplyEditedMacro() override { applied.push_back(IsWindowVisible(editor->m_hWnd) != FALSE); }
        void EndEditing() override { ended.push_back(IsWindowVisible(editor->m_hWnd) != FALSE); }
        CInputRobotDlg* editor = nullptr;
        std::vector<bool> applied, ended;
    } host;

    for (int button : { IDOK, IDCANCEL }) {
        CInputRobotDlg editor(nullptr, &host);
        editor.SetReportToHost();
        host.editor = &editor;
        testing_support::DialogDriver driver("Add Macro", [button](HWND dialog) {
            SetItemText(dialog, IDC_MACRO_NAME, "Recorded");
            SetItemText(dialog, IDC_START_KEY, "Ctrl + <F6>");
            PressDialogButton(dialog, button);
        });
        EXPECT_EQ(editor.DoModal(), button);
        EXPECT_TRUE(driver.Finish());
    }
    EXPECT_EQ(host.applied, std::vector<bool>{ true }) << "once, at Save, while still open";
    EXPECT_EQ(host.ended, std::vector<bool>{ true }) << "once, at Cancel, while still open";
    EXPECT_TRUE(FileExists(m_scripts.FileOf("Recorded")));
}

TEST_F(EditorSave, NameAndDescriptionTakeOneLine)
{
    m_main.LoadMacroList();
    CInputRobotDlg editor(&m_main, &m_main);
    testing_support::DialogDriver driver("Add Macro", [](HWND dialog) {
        SetItemText(dialog, IDC_MACRO_NAME, "Two\r\nlines");
        SetItemText(dialog, IDC_MACRO_DESCRIPTION, "first\r\nsecond");
        SetItemText(dialog, IDC_START_KEY, "Ctrl + <F4>");
        EXPECT_EQ(ItemText(dialog, IDC_MACRO_NAME), "Two  lines");
        EXPECT_EQ(ItemText(dialog, IDC_MACRO_DESCRIPTION), "first  second");
        PressDialogButton(dialog, IDOK);
    });
    ASSERT_EQ(editor.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    MacroSpec expected{ "Two  lines", "Ctrl + <F4>", "<F11>", "first  second", 1 };
    EXPECT_EQ(ReadFileBytes(m_scripts.FileOf("Two  lines")), MacroFileText(expected));
}

}  // namespace
