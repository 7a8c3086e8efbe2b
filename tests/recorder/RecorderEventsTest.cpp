// The recording dialog's rules, driven by hook messages posted to it with a
// clock the test sets for each message: the lines each event gives, the
// waits and their faster-speed markers, the window records and the
// clean-up when the recording stops. The hook library is loaded and
// installed as in a real recording; the test sends no real input.
#include "tests/recorder/RecorderTestSupport.h"

#include "hook/HookMessages.h"
#include "tests/macro/RefusedModuleList.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

using namespace recorder_tests;

namespace {

const char M[] = "=> [remove on faster speed]";

// Where a message's window comes from: the two targets, and a button of
// the recording dialog itself.
enum : LPARAM { kTargetOne = -1, kTargetTwo = -2, kDialogButton = -3 };

struct Event
{
    DWORD at;   // ms after the start
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

Event Down(DWORD at, UINT vk) { return {at, WM_HOOK_KEY, vk, MAKELPARAM(0, WM_KEYDOWN)}; }
Event Up(DWORD at, UINT vk) { return {at, WM_HOOK_KEY, vk, MAKELPARAM(0, WM_KEYUP)}; }
Event Move(DWORD at, int x, int y) { return {at, WM_HOOK_MOUSE, WM_MOUSEMOVE, HookPackPoint({x, y})}; }
// Where a button or the wheel acts, announced before it.
Event Position(int x, int y) { return {0, WM_HOOK_MOUSEMOVE, 0, HookPackPoint({x, y})}; }
Event Button(DWORD at, UINT code, LPARAM window = kTargetOne) { return {at, WM_HOOK_MOUSE, code, window}; }
Event Wheel(DWORD at, bool up) { return {at, WM_HOOK_MOUSE, WM_MOUSEWHEEL, up ? 1 : 0}; }

std::string Marked(const std::string& line) { return line + M; }

class RecorderEvents : public testing::Test
{
protected:
    void SetUp() override
    {
        FindHookLibraryBesideTheProgram();
        kestrune_probe::BringToFront(m_one.Window());
        testing_support::PumpMessages(20);
    }

    // Starts recording, posts the events at their times, and returns the
    // lines; the recorder is left recording.
    std::vector<std::string> Record(ScriptedRecorder& recorder, const std::vector<Event>& events,
                                    bool allMoves = false, bool dialogInFront = false)
    {
        EXPECT_TRUE(recorder.Create(CRecordRobotDlg::IDD, nullptr));
        recorder.CheckDlgButton(IDC_RECORD_ALL_MOVES, allMoves ? BST_CHECKED : BST_UNCHECKED);
        recorder.now = kStart;
        if (dialogInFront)
            recorder.ShowWindow(SW_SHOW);
        recorder.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RECORD_START, BN_CLICKED));
        EXPECT_TRUE(recorder.IsRecording());
        // The user's window is in front, unless the test puts the dialog there.
        kestrune_probe::BringToFront(dialogInFront ? recorder.m_hWnd : m_one.Window());
        for (const Event& e : events) {
            recorder.now = kStart + e.at;
            recorder.PostMessage(e.message, e.wParam, Window(recorder, e.lParam));
            MSG msg;
            while (PeekMessageA(&msg, recorder.m_hWnd, WM_HOOK_MOUSEMOVE, WM_HOOK_KEY, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        return RecordedLines(recorder);
    }

    LPARAM Window(const CRecordRobotDlg& recorder, LPARAM placeholder) const
    {
        switch (placeholder) {
        case kTargetOne:
            return reinterpret_cast<LPARAM>(m_one.Edit());
        case kTargetTwo:
            return reinterpret_cast<LPARAM>(m_two.Edit());
        case kDialogButton:
            return reinterpret_cast<LPARAM>(recorder.GetDlgItem(IDC_RECORD_STOP)->m_hWnd);
        default:
            return placeholder;
        }
    }

    static const DWORD kStart = 5000;
    CWinApp m_app{"Brenvik Kestrune"};
    TargetWindow m_one{"Target one", 300};
    TargetWindow m_two{"Target two", 560};
};

struct Case
{
    const char* name;
    std::vector<Event> events;
    std::vector<std::string> lines;          // while recording
    std::vector<std::string> afterStop;      // once stopped
    int mode = CRecordRobotDlg::VISIBLE;
    bool allMoves = false;
};

TEST_F(RecorderEvents, EventsBecomeLinesAndStoppingCleansThemUp)
{
    const Case cases[] = {
        {"the first event has no wait; a wait before a key press is marked when shorter than 800 ms",
         {Down(4000, 'A'), Up(4050, 'A'), Down(4250, 'B'), Up(4300, 'B'), Down(4501, 'C'), Up(4550, 'C'),
          Down(5349, 'D'), Up(5400, 'D'), Down(6200, 'E'), Up(6600, 'E')},
         {"Key Down A At Win [0]", "Key Up A", "Key Down B", "Key Up B", Marked("Wait 201 milliseconds"),
          "Key Down C", "Key Up C", Marked("Wait 799 milliseconds"), "Key Down D", "Key Up D",
          "Wait 800 milliseconds", "Key Down E", "Wait 400 milliseconds", "Key Up E"},
         {"Key Down A At Win [0]", "Key Up A", "Key Down B", "Key Up B", Marked("Wait 201 milliseconds"),
          "Key Down C", "Key Up C", Marked("Wait 799 milliseconds"), "Key Down D", "Key Up D",
          "Wait 800 milliseconds", "Key Down E", "Wait 400 milliseconds", "Key Up E"}},
        {"Tab waits for the focus; a release without its press is a press; Win+E keeps its order",
         {Down(0, VK_TAB), Up(10, VK_TAB), Up(20, 'X'), Down(30, VK_LWIN), Up(40, VK_LWIN), Up(50, 'E'),
          Up(60, VK_LWIN)},
         {"Key Down <Tab> At Win [0]", "Wait 200 milliseconds", "Key Up <Tab>", "Key Press X", "Key Down <L Win>",
          "Key Press E", "Key Up <L Win>"},
         {"Key Down <Tab> At Win [0]", "Wait 200 milliseconds", "Key Up <Tab>", "Key Press X", "Key Down <L Win>",
          "Key Press E", "Key Up <L Win>"}},
        {"a hidden recording leaves out the release of Ctrl+Alt+R until something is recorded",
         {Up(0, 'R'), Up(5, VK_MENU), Up(300, VK_CONTROL), Down(900, 'H'), Up(950, 'H'), Up(1000, VK_CONTROL)},
         {"Key Down H At Win [0]", "Key Up H", "Key Press <Ctrl>"},
         {"Key Down H At Win [0]", "Key Up H", "Key Press <Ctrl>"},
         CRecordRobotDlg::HIDDEN},
        {"a visible recording records those releases",
         {Up(0, 'R'), Up(5, VK_MENU), Up(300, VK_CONTROL)},
         {"Key Press R", "Key Press <Alt>", "Wait 295 milliseconds", "Key Press <Ctrl>"},
         {"Key Press R", "Key Press <Alt>", "Wait 295 milliseconds", "Key Press <Ctrl>"}},
        {"Ctrl+Alt+S, still held at the stop, and the waits before it go",
         {Down(0, 'A'), Up(50, 'A'), Down(1050, VK_CONTROL), Down(1100, VK_MENU), Down(1120, 'S')},
         {"Key Down A At Win [0]", "Key Up A", "Wait 1000 milliseconds", "Key Down <Ctrl>", "Key Down <Alt>",
          "Key Down S"},
         {"Key Down A At Win [0]", "Key Up A"}},
        {"moves close after a move are left out; a path's moves and pauses are marked, the first move "
         "after a click is not; positions may be negative",
         {Move(0, 10, 20), Move(10, 11, 21), Move(30, 12, 22), Move(90, 40, 50), Button(100, WM_LBUTTONDOWN),
          Button(150, WM_LBUTTONUP), Move(210, 41, 51), Move(215, 42, 52), Move(305, -20, -5)},
         {"Mouse move to 10, 20", Marked("Mouse move to 12, 22"), Marked("Wait 60 milliseconds"),
          Marked("Mouse move to 40, 50"), "Mouse Left Down At Win [0]", "Mouse Left Up", "Wait 60 milliseconds",
          "Mouse move to 41, 51", Marked("Wait 90 milliseconds"), Marked("Mouse move to -20, -5")},
         // The move before a pause keeps its place at the faster speed.
         {"Mouse move to 10, 20", "Mouse move to 12, 22", Marked("Wait 60 milliseconds"),
          Marked("Mouse move to 40, 50"), "Mouse Left Down At Win [0]", "Mouse Left Up", "Wait 60 milliseconds",
          "Mouse move to 41, 51", Marked("Wait 90 milliseconds"), Marked("Mouse move to -20, -5")}},
        {"a move before a pause loses its marker at the stop",
         {Move(0, 1, 1), Move(100, 2, 2), Button(400, WM_RBUTTONDOWN), Button(450, WM_RBUTTONUP)},
         {"Mouse move to 1, 1", Marked("Wait 100 milliseconds"), Marked("Mouse move to 2, 2"),
          "Wait 300 milliseconds", "Mouse Right Down At Win [0]", "Mouse Right Up"},
         {"Mouse move to 1, 1", Marked("Wait 100 milliseconds"), "Mouse move to 2, 2", "Wait 300 milliseconds",
          "Mouse Right Down At Win [0]", "Mouse Right Up"}},
        {"with \"Record all detail mouse moves\" every move is recorded",
         {Move(0, 10, 20), Move(10, 11, 21)},
         {"Mouse move to 10, 20", Marked("Mouse move to 11, 21")},
         {"Mouse move to 10, 20", Marked("Mouse move to 11, 21")},
         CRecordRobotDlg::VISIBLE, true},
        {"clicks outside and inside the client area, the wheel; the middle button is not recorded and "
         "sets no time",
         {Position(-30, -40), Button(0, WM_NCLBUTTONDOWN), Button(20, WM_NCLBUTTONUP), Button(40, WM_LBUTTONDBLCLK),
          Button(60, WM_RBUTTONDOWN, kTargetTwo), Button(70, WM_RBUTTONUP, kTargetTwo),
          Button(500, WM_MBUTTONDOWN), Wheel(560, true), Wheel(580, false), Button(600, WM_LBUTTONDOWN)},
         {"Mouse move to -30, -40", "Mouse Left Down At Win [0]", "Mouse Left Up", "Mouse Double Click",
          "Mouse Right Down At Win [1]", "Mouse Right Up", "Wait 490 milliseconds", "Mouse Scroll Up",
          "Mouse Scroll Down", "Mouse Left Down At Win [2]"},
         {"Mouse move to -30, -40", "Mouse Left Down At Win [0]", "Mouse Left Up", "Mouse Double Click",
          "Mouse Right Down At Win [1]", "Mouse Right Up", "Wait 490 milliseconds", "Mouse Scroll Up",
          "Mouse Scroll Down", "Mouse Left Down At Win [2]"}},
        {"a click on the recording dialog records nothing, not even the time",
         {Button(0, WM_LBUTTONDOWN, kDialogButton), Button(10, WM_LBUTTONUP, kDialogButton), Down(900, 'Q'),
          Up(950, 'Q')},
         {"Key Down Q At Win [0]", "Key Up Q"},
         {"Key Down Q At Win [0]", "Key Up Q"}},
    };
    for (const Case& c : cases) {
        ScriptedRecorder recorder(c.mode);
        EXPECT_EQ(Record(recorder, c.events, c.allMoves), c.lines) << c.name;
        recorder.OnStopRecord();
        EXPECT_EQ(RecordedLines(recorder), c.afterStop) << c.name;
        EXPECT_FALSE(recorder.IsRecording()) << c.name;
        recorder.DestroyWindow();
    }
    EXPECT_FALSE(IsHookLibraryLoaded()) << "each stop frees the library";
}

TEST_F(RecorderEvents, WhileTheRecordingDialogIsInFrontClicksAndTheWheelAreNotRecorded)
{
    ScriptedRecorder recorder;
    const std::vector<std::string> lines = Record(
        recorder, {Wheel(0, true), Button(10, WM_LBUTTONDOWN), Button(20, WM_LBUTTONUP), Down(600, 'A'), Up(620, 'A')},
        false, true);
    ASSERT_EQ(GetForegroundWindow(), recorder.m_hWnd);
    // The keys typed into the dialog itself name no window, and the first
    // of them is still the recording's first event.
    EXPECT_EQ(lines, (std::vector<std::string>{"Key Down A", "Key Up A"}));
    EXPECT_EQ(recorder.GetWindowCount(), 0);
    recorder.DestroyWindow();
    EXPECT_FALSE(IsHookLibraryLoaded()) << "closing the dialog frees the library";
}

// Enter on the dialog, wherever its focus is, ends a recording as "stop"
// does; before the start it closes nothing.
TEST_F(RecorderEvents, EnterStopsARecordingAsStopDoes)
{
    ScriptedRecorder recorder;
    ASSERT_TRUE(recorder.Create(CRecordRobotDlg::IDD, nullptr));
    recorder.ShowWindow(SW_SHOW);
    recorder.SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(recorder.IsWindowVisible()) << "still waiting for its start";
    recorder.DestroyWindow();

    ScriptedRecorder recording;
    Record(recording, {Down(0, 'A'), Up(20, 'A'), Down(400, VK_RETURN)});
    recording.SendMessage(WM_COMMAND, IDOK);
    EXPECT_FALSE(recording.IsRecording());
    EXPECT_EQ(RecordedLines(recording), (std::vector<std::string>{"Key Down A At Win [0]", "Key Up A"}));
    recording.DestroyWindow();
}

// Each window that input went to is recorded once for as long as input goes
// to it; windows of one program are numbered in the order they were first met.
TEST_F(RecorderEvents, WindowRecordsNumberTheWindowsOfAProgram)
{
    ScriptedRecorder recorder;
    Record(recorder, {Button(0, WM_LBUTTONDOWN), Button(10, WM_LBUTTONDOWN), Button(20, WM_LBUTTONDOWN, kTargetTwo),
                      Button(30, WM_LBUTTONDOWN)});
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    const struct
    {
        const char* title;
        HWND window;
        int index;
    } expected[] = {{"Target one", m_one.Window(), 1}, {"Target two", m_two.Window(), 2}, {"Target one", m_one.Window(), 1}};
    ASSERT_EQ(recorder.GetWindowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        HalvaneInfo info;
        ASSERT_EQ(recorder.GetRecordedWindow(i, info), 1);
        EXPECT_STREQ(info.WinTitle, expected[i].title) << i;
        EXPECT_EQ(info.hWnd, expected[i].window) << i;
        EXPECT_EQ(info.WinIndex, expected[i].index) << i;
        EXPECT_EQ(info.WinPath.CompareNoCase(module), 0) << info.WinPath.GetString();
    }
    HalvaneInfo none;
    EXPECT_EQ(recorder.GetRecordedWindow(3, none), 0);
    EXPECT_EQ(recorder.GetRecordedWindow(-1, none), 0);
    EXPECT_STREQ(recorder.GetRecordedLine(99), "");
    recorder.DestroyWindow();
}

// A 32-bit Kestrune on 64-bit Windows cannot read a 64-bit program's module
// list: the window record still names the program, from its image name.
TEST_F(RecorderEvents, WithoutTheModuleListTheWindowRecordStillNamesTheProgram)
{
    ScriptedRecorder recorder;
    auto finder = std::make_unique<RefusedModuleList>();
    RefusedModuleList* refused = finder.get();
    recorder.UseWindowFinder(std::move(finder));
    EXPECT_EQ(Record(recorder, {Down(0, 'W'), Up(10, 'W')}), (std::vector<std::string>{"Key Down W At Win [0]", "Key Up W"}));
    EXPECT_GT(refused->refusals, 0);
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    HalvaneInfo info;
    ASSERT_EQ(recorder.GetRecordedWindow(0, info), 1);
    EXPECT_EQ(info.WinPath.CompareNoCase(module), 0) << info.WinPath.GetString();
    EXPECT_STREQ(info.WinTitle, "Target one");
    recorder.DestroyWindow();
}

TEST_F(RecorderEvents, WithoutTheHookLibraryTheUserIsToldAndNothingStarts)
{
    SetDllDirectoryA(nullptr);   // the library is beside the program, not beside the test
    ScriptedRecorder recorder;
    ASSERT_TRUE(recorder.Create(CRecordRobotDlg::IDD, nullptr));
    testing_support::DialogAnswerer answerer(IDOK);
    recorder.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RECORD_START, BN_CLICKED));
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Dialogs()[0].text, "Failed to load kestrune.dll.");
    EXPECT_EQ(answerer.Dialogs()[0].caption, "Brenvik Kestrune");
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_TRUE(recorder.GetDlgItem(IDC_RECORD_START)->IsWindowEnabled()) << "the buttons stay as they were";
    EXPECT_FALSE(recorder.GetDlgItem(IDC_RECORD_STOP)->IsWindowEnabled());
    EXPECT_TRUE(recorder.GetDlgItem(IDC_RECORD_ALL_MOVES)->IsWindowEnabled());
    recorder.DestroyWindow();
}

}  // namespace
