// The control builtins against other programs: Wine's notepad (its edit),
// regedit's status bar, winecfg's tabs, and control_helper.exe with one
// control of every kind, which logs the notifications it receives.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/TestFiles.h"
#include "tests/host/ScriptHost.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>

using namespace builtins_test;

namespace {

// A program started for a test and ended with it. The process that shows
// the window may be another than the one started (a launcher), and a
// program left running would hold the test's output open: both are ended.
class Program
{
public:
    Program(const std::string& programText, const char* title)
    {
        Outcome started = Call("RUN", {Text(programText.c_str())});
        m_processIds[0] = static_cast<DWORD>(started.result.GetInt());
        found = Call("WINWAIT", {Text(title), Text(""), Int(20)}).result.GetInt() == 1;
        if (found) {
            const std::string handle = Call("WINGETHANDLE", {Text(title)}).Text();
            HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(strtoull(handle.c_str(), nullptr, 16)));
            GetWindowThreadProcessId(window, &m_processIds[1]);
        }
    }
    ~Program()
    {
        for (DWORD processId : m_processIds) {
            if (HANDLE process = processId ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId) : nullptr) {
                TerminateProcess(process, 0);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool found = false;

private:
    DWORD m_processIds[2] = {0, 0};
};

std::vector<CEngineVariant> Named(const char* title, const char* control, std::vector<CEngineVariant> more = {})
{
    std::vector<CEngineVariant> args = {Text(title), Text(""), Text(control)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

Outcome Command(const char* title, const char* control, const char* command, CEngineVariant option = Text(""))
{
    return Call("CONTROLCOMMAND", Named(title, control, {Text(command), option}));
}

TEST(NotepadEdit, TextLinesColumnsAndFocus)
{
    OptionScope noDelay("WinWaitDelay", 0);
    const char* title = "Untitled - Notepad";
    Program notepad("'notepad.exe'", title);
    ASSERT_TRUE(notepad.found);
    EXPECT_EQ(Call("CONTROLSETTEXT", Named(title, "Edit1", {Text("line one\r\nline two\r\nthree")})).result.GetInt(), 1);
    EXPECT_EQ(Call("CONTROLGETTEXT", Named(title, "Edit1")).Text(), "line one\r\nline two\r\nthree");
    EXPECT_EQ(Command(title, "Edit1", "GETLINECOUNT").result.GetInt(), 3);
    EXPECT_EQ(Command(title, "Edit1", "GETLINE", Int(2)).Text(), "line two");
    EXPECT_EQ(Command(title, "Edit1", "GetLine", Int(3)).Text(), "three");   // no stray characters after it

    HWND edit = FindWindowExA(FindWindowA(nullptr, title), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, EM_SETSEL, 15, 18);   // "two" on the second line
    EXPECT_EQ(Command(title, "Edit1", "GETCURRENTLINE").result.GetInt(), 2);
    EXPECT_EQ(Command(title, "Edit1", "GETCURRENTCOL").result.GetInt(), 6);
    EXPECT_EQ(Command(title, "Edit1", "GETSELECTED").Text(), "two");
    Command(title, "Edit1", "EDITPASTE", Text("2"));
    EXPECT_EQ(Call("CONTROLGETTEXT", Named(title, "Edit1")).Text(), "line one\r\nline 2\r\nthree");

    EXPECT_EQ(Call("CONTROLFOCUS", Named(title, "Edit1")).result.GetInt(), 1);
    EXPECT_EQ(Call("CONTROLGETFOCUS", {Text(title)}).Text(), "Edit1");
    // A bare class name is no instance name; no control has that text.
    EXPECT_EQ(Call("CONTROLGETTEXT", Named(title, "Edit")).error, 1);
    EXPECT_EQ(Call("CONTROLSETTEXT", Named(title, "Edit2", {Text("x")})).result.GetInt(), 0);
}

TEST(NotepadEdit, SelectionsBeyondSixteenBitsAreReadWhole)
{
    // Character positions above 65,535 do not fit the packed answer of
    // EM_GETSEL: the selection, the line and the column still come out right.
    OptionScope noDelay("WinWaitDelay", 0);
    const char* title = "Untitled - Notepad";
    Program notepad("'notepad.exe'", title);
    ASSERT_TRUE(notepad.found);
    std::string text;
    for (int i = 0; i < 7000; ++i)
        text += "aaaaaaaa\r\n";   // 70,000 characters in short lines
    text += "bcd efg";
    ASSERT_EQ(Call("CONTROLSETTEXT", Named(title, "Edit1", {Text(text.c_str())})).result.GetInt(), 1);
    HWND edit = FindWindowExA(FindWindowA(nullptr, title), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, EM_SETSEL, 70004, 70007);   // "efg" on the last line
    EXPECT_EQ(Command(title, "Edit1", "GETSELECTED").Text(), "efg");
    EXPECT_EQ(Command(title, "Edit1", "GETCURRENTLINE").result.GetInt(), 7001);
    EXPECT_EQ(Command(title, "Edit1", "GETCURRENTCOL").result.GetInt(), 5);
}

TEST(RegeditStatusBar, IsReadAcrossProcesses)
{
    OptionScope noDelay("WinWaitDelay", 0);
    Program regedit("'regedit.exe'", "Registry Editor");
    ASSERT_TRUE(regedit.found);
    // Its window shows before the status bar is made.
    Outcome outcome = Call("STATUSBARGETTEXT", {Text("Registry Editor")});
    for (int i = 0; i < 500 && outcome.error; ++i) {
        Sleep(10);
        outcome = Call("STATUSBARGETTEXT", {Text("Registry Editor")});
    }
    EXPECT_EQ(outcome.error, 0);
    EXPECT_NE(outcome.Text(), "");
    for (int part : {0, 9}) {
        outcome = Call("STATUSBARGETTEXT", {Text("Registry Editor"), Text(""), Int(part)});
        EXPECT_EQ(outcome.Text(), "") << part;
        EXPECT_EQ(outcome.error, 1) << part;
    }
}

TEST(WinecfgTabs, MoveRightAndTellTheCurrentOne)
{
    OptionScope noDelay("WinWaitDelay", 0);
    const char* title = "Wine configuration";
    Program winecfg("'winecfg.exe'", title);
    ASSERT_TRUE(winecfg.found);
    const int first = Command(title, "SysTabControl321", "CURRENTTAB").result.GetInt();
    ASSERT_GE(first, 1);
    Command(title, "SysTabControl321", "TABRIGHT");
    int now = first;
    for (int i = 0; i < 200 && now == first; ++i) {
        Sleep(10);
        now = Command(title, "SysTabControl321", "CURRENTTAB").result.GetInt();
    }
    EXPECT_EQ(now, first + 1);
}

class HelperControls : public testing::Test
{
protected:
    HelperControls()
        : helper("'" + script_host::HostProgramPath("control_helper.exe") + "' \"" + std::string(kTitle) + "\" \"" +
                     (folder / "log.txt") + "\"",
                 kTitle)
    {
    }

    // The notifications logged since the last call, as "id code" lines.
    std::string Notifications()
    {
        Sleep(50);
        std::ifstream file(folder / "log.txt");
        std::stringstream all;
        all << file.rdbuf();
        const std::string text = all.str();
        const std::string fresh = text.substr(m_seen < text.size() ? m_seen : text.size());
        m_seen = text.size();
        return fresh;
    }

    static constexpr const char* kTitle = "Kestrune Control Helper";
    testing_support::TempFolder folder;
    OptionScope noDelay{"WinWaitDelay", 0};
    Program helper;

private:
    size_t m_seen = 0;
};

TEST_F(HelperControls, ListAndComboCommands)
{
    ASSERT_TRUE(helper.found);
    // Index 0 is a success like any other.
    Outcome outcome = Command(kTitle, "ListBox1", "ADDSTRING", Text("first"));
    EXPECT_EQ(outcome.error, 0);
    for (const char* item : {"second", "third", "second"})
        Command(kTitle, "ListBox1", "ADDSTRING", Text(item));
    // Searches start after item 1 and wrap round.
    EXPECT_EQ(Command(kTitle, "ListBox1", "FINDSTRING", Text("second")).result.GetInt(), 3);
    EXPECT_EQ(Command(kTitle, "ListBox1", "FINDSTRING", Text("first")).result.GetInt(), 0);
    outcome = Command(kTitle, "ListBox1", "FINDSTRING", Text("none"));
    EXPECT_EQ(outcome.result.GetInt(), -1);
    EXPECT_EQ(outcome.error, 1);

    Notifications();
    EXPECT_EQ(Command(kTitle, "ListBox1", "SETCURRENTSELECTION", Int(1)).error, 0);
    EXPECT_EQ(Notifications(), "103 1\n103 2\n");
    EXPECT_EQ(Command(kTitle, "ListBox1", "GETCURRENTSELECTION").Text(), "second");
    EXPECT_EQ(Command(kTitle, "ComboBox1", "SELECTSTRING", Text("ban")).error, 0);
    EXPECT_EQ(Notifications(), "104 1\n104 9\n");
    EXPECT_EQ(Command(kTitle, "ComboBox1", "GETCURRENTSELECTION").Text(), "banana");

    // Deleting down to no items left is no failure either.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Command(kTitle, "ListBox1", "DELSTRING", Int(0)).error, 0) << i;
    EXPECT_EQ(Command(kTitle, "ListBox1", "DELSTRING", Int(0)).error, 1);
    EXPECT_EQ(Command(kTitle, "ListBox1", "GETCURRENTSELECTION").error, 1);

    outcome = Command(kTitle, "ListBox1", "NOSUCHCOMMAND");
    EXPECT_EQ(outcome.result.GetInt(), 1);
    EXPECT_EQ(outcome.error, 1);
}

TEST_F(HelperControls, InstanceNumbersCountTheirOwnClassOnly)
{
    ASSERT_TRUE(helper.found);
    // The extended combo box holds a ComboBox of its own: ComboBox1 is the
    // first combo, ComboBox2 the inner one, ComboBox3 the second combo.
    EXPECT_EQ(Command(kTitle, "ComboBoxEx321", "ISVISIBLE").error, 0);
    EXPECT_EQ(Command(kTitle, "ComboBox3", "SETCURRENTSELECTION", Int(0)).error, 0);
    EXPECT_EQ(Command(kTitle, "ComboBox3", "GETCURRENTSELECTION").Text(), "second");
    EXPECT_EQ(Call("CONTROLFOCUS", Named(kTitle, "ComboBox3")).result.GetInt(), 1);
    EXPECT_EQ(Call("CONTROLGETFOCUS", {Text(kTitle)}).Text(), "ComboBox3");
}

TEST_F(HelperControls, ButtonsStateAndPlace)
{
    ASSERT_TRUE(helper.found);
    EXPECT_EQ(Command(kTitle, "Button1", "ISCHECKED").result.GetInt(), 0);
    Command(kTitle, "Check me", "CHECK");   // named by its text
    Sleep(100);
    EXPECT_EQ(Command(kTitle, "Button1", "ISCHECKED").result.GetInt(), 1);
    Command(kTitle, "Button1", "UNCHECK");
    Sleep(100);
    EXPECT_EQ(Command(kTitle, "Button1", "ISCHECKED").result.GetInt(), 0);

    Notifications();
    EXPECT_EQ(Call("CONTROLCLICK", Named(kTitle, "Button2", {Text("left"), Int(2)})).result.GetInt(), 1);
    EXPECT_EQ(Notifications(), "108 0\n108 0\n");

    Call("CONTROLDISABLE", Named(kTitle, "Button2"));
    EXPECT_EQ(Command(kTitle, "Button2", "ISENABLED").result.GetInt(), 0);
    Call("CONTROLENABLE", Named(kTitle, "Button2"));
    Call("CONTROLHIDE", Named(kTitle, "Button2"));
    EXPECT_EQ(Command(kTitle, "Button2", "ISVISIBLE").result.GetInt(), 0);
    Call("CONTROLSHOW", Named(kTitle, "Button2"));
    EXPECT_EQ(Command(kTitle, "Button2", "ISVISIBLE").result.GetInt(), 1);
    Call("CONTROLMOVE", Named(kTitle, "Button2", {Int(300), Int(250), Int(90), Int(30)}));
    EXPECT_EQ(Call("CONTROLGETPOS", Named(kTitle, "Button2")).Text(), "[300|250|90|30]");
    EXPECT_EQ(Command(kTitle, "SysTabControl321", "CURRENTTAB").result.GetInt(), 1);

    Outcome missing = Call("CONTROLCLICK", Named(kTitle, "Button9"));
    EXPECT_EQ(missing.result.GetInt(), 0);
    EXPECT_EQ(Command(kTitle, "Button9", "ISVISIBLE").error, 1);
}

TEST_F(HelperControls, AHungWindowIsFoundByTitleButItsTextsAreNotWaitedFor)
{
    ASSERT_TRUE(helper.found);
    EXPECT_EQ(Call("WINEXISTS", {Text(kTitle), Text("Check me")}).result.GetInt(), 1);
    // The helper stops answering; five seconds after it last looked at its
    // messages the system takes it for hung.
    PostMessageA(FindWindowA(nullptr, kTitle), WM_APP, 9000, 0);
    Sleep(5500);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Call("WINEXISTS", {Text(kTitle), Text("Check me")}).result.GetInt(), 0);
    EXPECT_EQ(Call("WINEXISTS", {Text(kTitle)}).result.GetInt(), 1);
    EXPECT_EQ(Call("WINGETTEXT", {Text(kTitle)}).Text(), "");
    EXPECT_LT(GetTickCount() - start, 2000u);
}

TEST_F(HelperControls, StatusBarPartsAndKeysSent)
{
    ASSERT_TRUE(helper.found);
    EXPECT_EQ(Call("STATUSBARGETTEXT", {Text(kTitle)}).Text(), "Ready");
    EXPECT_EQ(Call("STATUSBARGETTEXT", {Text(kTitle), Text(""), Int(2)}).Text(), "Part two");
    // A long part is read into room for all of it, and cut at 4,095 characters.
    Outcome longPart = Call("STATUSBARGETTEXT", {Text(kTitle), Text(""), Int(3)});
    EXPECT_EQ(longPart.Text(), std::string(4095, 'x'));
    EXPECT_EQ(longPart.error, 0);
    Outcome beyond = Call("STATUSBARGETTEXT", {Text(kTitle), Text(""), Int(4)});
    EXPECT_EQ(beyond.error, 1);

    // Keys go to the control by messages, parsed ("{SPACE}" is a key) or raw.
    EXPECT_EQ(Call("CONTROLSEND", Named(kTitle, "Edit1", {Text("ab{SPACE}c")})).result.GetInt(), 1);
    EXPECT_EQ(Call("CONTROLSEND", Named(kTitle, "Edit1", {Text("de"), Int(1)})).result.GetInt(), 1);
    std::string text;
    for (int i = 0; i < 100 && text != "ab cde"; ++i) {
        Sleep(10);
        text = Call("CONTROLGETTEXT", Named(kTitle, "Edit1")).Text();
    }
    EXPECT_EQ(text, "ab cde");
    EXPECT_EQ(Call("CONTROLSEND", Named(kTitle, "Edit9", {Text("ab")})).result.GetInt(), 0);
}

}  // namespace
