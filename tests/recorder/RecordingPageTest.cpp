// The recording page in the open editor: a visible recording with real
// input goes in above the selected step; Esc and the close box end it with
// the hook gone and nothing inserted; the hidden recording of Ctrl+Alt+R is
// not stopped before it has started, and its stop replaces the steps.
#include "app/editor/InputRobotDlg.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/recorder/RecorderTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace recorder_tests;
using kestrune_probe::WaitUntil;

namespace {

const char kRecorderCaption[] = "Record keyboard and mouse actions";

// Runs a function on this thread from inside a modal loop: posted, or at a
// timer.
class Callback
{
public:
    explicit Callback(std::function<void()> call) : m_call(std::move(call))
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KestruneRecorderTestCallback";
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Callback() { DestroyWindow(m_window); }

    void Post() const { PostMessageA(m_window, WM_APP, 0, 0); }
    void After(UINT ms) const { SetTimer(m_window, 1, ms, nullptr); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Callback*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && (message == WM_APP || message == WM_TIMER)) {
            KillTimer(window, 1);
            self->m_call();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::function<void()> m_call;
    HWND m_window = nullptr;
};

class RecordingPage : public testing::Test
{
protected:
    void SetUp() override
    {
        FindHookLibraryBesideTheProgram();
        ASSERT_TRUE(m_editor.Create(IDD_INPUT_ROBOT, nullptr));
        m_editor.ShowWindow(SW_SHOW);
        kestrune_probe::BringToFront(m_editor.m_hWnd);
        testing_support::PumpMessages(50);
        m_page = editor_tests::PageWith(m_editor.m_hWnd, IDC_START_RECORD);
        ASSERT_NE(m_page, nullptr);
    }
    void TearDown() override { m_editor.DestroyWindow(); }

    // "Start Record": the visible recording, run to its end.
    void StartRecord() { SendMessageA(m_page, WM_COMMAND, MAKEWPARAM(IDC_START_RECORD, BN_CLICKED), 0); }
    std::vector<std::string> Steps() const
    {
        return editor_tests::ListColumn(m_editor.GetDlgItem(IDC_STEP_LIST)->m_hWnd, 1);
    }
    static void PressStartAndWaitForTheHook(HWND recorder)
    {
        testing_support::PressDialogButton(recorder, IDC_RECORD_START);
        EXPECT_TRUE(WaitUntil(IsHookLibraryLoaded, 5000)) << "recording";
    }

    CWinApp m_app{"Brenvik Kestrune"};
    CInputRobotDlg m_editor;
    HWND m_page = nullptr;
};

TEST_F(RecordingPage, AVisibleRecordingGoesInAboveTheSelectedStep)
{
    EXPECT_FALSE(testing_support::WindowCapture::OfWindow(m_page).SavePng("recording-page").empty());
    // A step bound to a window recorded before keeps its window.
    HalvaneInfo earlier;
    earlier.WinIndex = 1;
    earlier.WinTitle = "Earlier window";
    m_editor.AddRecordedWindow(earlier);
    m_editor.AddStepLine("Mouse Left Down At Win [0]");
    m_editor.AddStepLine("Comment: two");
    m_editor.GetStepList().SelectItem(1, TRUE);
    TargetWindow target("Typing target");

    testing_support::DialogDriver driver(kRecorderCaption, [&](HWND recorder) {
        EXPECT_FALSE(IsWindowVisible(m_editor.m_hWnd)) << "the editor makes way";
        EXPECT_TRUE(GetWindowLongA(recorder, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_FALSE(testing_support::WindowCapture::OfWindow(recorder).SavePng("recording-dialog").empty());
        PressStartAndWaitForTheHook(recorder);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(recorder, IDC_RECORD_START)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(recorder, IDC_RECORD_ALL_MOVES)));
        ASSERT_TRUE(kestrune_probe::BringToFront(target.Window()));
        testing_support::PressKey('K');
        EXPECT_TRUE(WaitUntil([&] { return target.Text() == "k"; }, 5000));
        testing_support::PressDialogButton(recorder, IDC_RECORD_STOP);
    });
    StartRecord();
    ASSERT_TRUE(driver.Finish());

    EXPECT_EQ(Steps(), (std::vector<std::string>{"Mouse Left Down At Win [0]", "Comment: ==== Start recorded actions ====",
                                                 "Key Down K At Win [1]", "Key Up K",
                                                 "Comment: ==== End of recorded actions ====", "Comment: two"}));
    EXPECT_EQ(editor_tests::SelectedRows(m_editor.GetDlgItem(IDC_STEP_LIST)->m_hWnd), std::vector<int>{5});
    const CRobot robot = m_editor.GetRobot();
    ASSERT_EQ(robot.HalvaneInfos.size(), 2u);
    EXPECT_STREQ(robot.HalvaneInfos[0].WinTitle, "Earlier window");
    EXPECT_STREQ(robot.HalvaneInfos[1].WinTitle, "Typing target");
    EXPECT_EQ(m_editor.IsDlgButtonChecked(IDC_HALVANE), BST_UNCHECKED) << "window binding is off on Windows 7";
    EXPECT_TRUE(IsWindowVisible(m_editor.m_hWnd));
    EXPECT_FALSE(IsHookLibraryLoaded());
}

// "Select Action": the step made in the action picker goes in above the
// selected step; a cancelled picker adds nothing.
TEST_F(RecordingPage, SelectActionAddsThePickedStep)
{
    m_editor.AddStepLine("Comment: one");
    m_editor.GetStepList().SelectItem(0, TRUE);
    for (bool accept : {false, true}) {
        testing_support::DialogDriver driver("Select Action", [&](HWND picker) {
            if (!accept) {
                testing_support::PressDialogButton(picker, IDCANCEL);
                return;
            }
            const HWND tree = GetDlgItem(picker, IDC_TASK_TREE);
            const LPARAM first = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
            const LPARAM shutDown = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, first);
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, shutDown);
            testing_support::PressDialogButton(picker, IDOK);
            const HWND settings = editor_tests::WaitForDialogCaptioned("Shut Down/Log Off");
            ASSERT_NE(settings, nullptr);
            testing_support::PressDialogButton(settings, IDOK);
        });
        SendMessageA(m_page, WM_COMMAND, MAKEWPARAM(IDC_SELECT_ACTION, BN_CLICKED), 0);
        ASSERT_TRUE(driver.Finish());
    }
    EXPECT_EQ(Steps(), (std::vector<std::string>{"Power off computer", "Comment: one"}));
}

TEST_F(RecordingPage, EscAndTheCloseBoxEndTheRecordingWithTheHookGoneAndNothingInserted)
{
    for (bool escape : {true, false}) {
        testing_support::DialogDriver driver(kRecorderCaption, [&](HWND recorder) {
            PressStartAndWaitForTheHook(recorder);
            if (escape) {
                ASSERT_TRUE(kestrune_probe::BringToFront(recorder));
                testing_support::PressKey(VK_ESCAPE);
            } else {
                PostMessageA(recorder, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(recorder); }, 5000));
        });
        StartRecord();
        ASSERT_TRUE(driver.Finish());
        EXPECT_FALSE(IsHookLibraryLoaded()) << escape;
        EXPECT_TRUE(Steps().empty()) << escape;
        EXPECT_TRUE(IsWindowVisible(m_editor.m_hWnd)) << escape;
    }
}

// Ctrl+Alt+S reaches the editor through StopHotKeyRecording: before the
// hidden recording has started it does nothing, so that a later one still
// stops it.
TEST_F(RecordingPage, TheHiddenRecordingStopsOnlyOnceStarted)
{
    m_editor.AddStepLine("Comment: replaced");
    EXPECT_FALSE(m_editor.StopHotKeyRecording()) << "no recording";
    EXPECT_EQ(Steps().size(), 1u);

    bool stopped = false;
    Callback stopNow([&] {
        EXPECT_TRUE(m_editor.StopHotKeyRecording());
        EXPECT_FALSE(m_editor.StopHotKeyRecording()) << "once";
        stopped = true;
    });
    Callback started([&] {
        HWND recorder = FindWindowA(nullptr, kRecorderCaption);
        ASSERT_NE(recorder, nullptr);
        EXPECT_FALSE(IsWindowVisible(recorder)) << "a hidden recording never shows";
        EXPECT_NE(GetForegroundWindow(), recorder);
        EXPECT_TRUE(IsHookLibraryLoaded());
        EXPECT_FALSE(IsWindowVisible(m_editor.m_hWnd));
        stopNow.Post();
    });
    Callback notStarted([&] {
        EXPECT_NE(FindWindowA(nullptr, kRecorderCaption), nullptr) << "the recording dialog runs";
        EXPECT_FALSE(IsHookLibraryLoaded());
        EXPECT_FALSE(m_editor.StopHotKeyRecording());
        EXPECT_EQ(Steps().size(), 1u) << "nothing changed";
        started.After(300);
    });
    // A posted message comes before the recording's start timer.
    notStarted.Post();
    m_editor.StartHotKeyRecording();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(Steps().empty()) << "a hidden recording makes a new macro";
    EXPECT_EQ(m_editor.IsDlgButtonChecked(IDC_HALVANE), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(m_editor.m_hWnd));
    EXPECT_FALSE(IsHookLibraryLoaded());
}

}  // namespace
