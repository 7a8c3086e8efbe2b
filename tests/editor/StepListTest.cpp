// The editor's step list as the user works it: rows clicked (with Ctrl for
// several), lines inserted from the panes, Move Up, Move Down and Delete,
// and the question before deleting that dcm.ini can turn off.
#include "app/editor/InputRobotDlg.h"
#include "macro/Folders.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <future>

using namespace editor_tests;
using testing_support::FileExists;
using testing_support::PumpUntil;
using testing_support::ReadFileBytes;

namespace {

const char kDeleteQuestion[] = "Are you sure you want to delete selected robot actions?";
const int kCheckBoxId = 1141;   // "Do not show this again"
const int kYes = 6, kNo = 7;

class StepList : public testing::Test
{
protected:
    void SetUp() override
    {
        CreateDirectoryPath(GetUserDataFolder());
        DeleteFileA(ConfirmFile().c_str());
        ASSERT_TRUE(m_editor.Create(IDD_INPUT_ROBOT, nullptr));
        m_editor.ShowWindow(SW_SHOW);
        kestrune_probe::BringToFront(m_editor.m_hWnd);
        testing_support::PumpMessages(50);
        m_list = m_editor.GetStepList().m_hWnd;
    }
    void TearDown() override
    {
        m_editor.DestroyWindow();
        DeleteFileA(ConfirmFile().c_str());
    }

    static std::string ConfirmFile() { return CListCtrlEx::ConfirmSettingPath().str(); }

    void AddSteps(int count)
    {
        for (int i = 1; i <= count; ++i)
            m_editor.AddStepLine(CString("step ") + std::to_string(i).c_str());
    }
    // A click on the row's number; with Ctrl, added to the selection.
    void ClickRow(int row, bool withCtrl = false)
    {
        RECT rect = { LVIR_BOUNDS };
        SendMessageA(m_list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        const POINT point = testing_support::ClientPointToScreen(m_list, rect.left + 15, (rect.top + rect.bottom) / 2);
        if (withCtrl)
            testing_support::KeyDown(VK_CONTROL);
        testing_support::ClickAt(point);
        if (withCtrl)
            testing_support::KeyUp(VK_CONTROL);
        PumpUntil([&] { return (SendMessageA(m_list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0; });
    }
    void Press(int button) { m_editor.SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }
    // Presses a button whose handler asks or tells something, and answers.
    std::string PressAndAnswer(int button, int answer, bool tick = false)
    {
        auto text = std::async(std::launch::async, [=] {
            return AnswerMessageBox(answer, 5000, m_editor.m_hWnd, [tick](HWND box) {
                if (tick)
                    SendDlgItemMessageA(box, kCheckBoxId, BM_SETCHECK, BST_CHECKED, 0);
            });
        });
        Press(button);
        return text.get();
    }
    std::vector<std::string> Steps() const { return ListColumn(m_list, 1); }
    std::vector<std::string> Numbers() const { return ListColumn(m_list, 0); }
    std::vector<int> Selected() const { return SelectedRows(m_list); }
    static std::vector<std::string> Counting(int count)
    {
        std::vector<std::string> numbers;
        for (int i = 1; i <= count; ++i)
            numbers.push_back(std::to_string(i));
        return numbers;
    }

    CWinApp m_app{ "Brenvik Kestrune" };
    CInputRobotDlg m_editor;
    HWND m_list = nullptr;
};

TEST_F(StepList, LinesGoAboveTheSelectedRowWhichStaysSelected)
{
    AddSteps(2);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2" })) << "no selection: appended";
    m_editor.AddStepLine("step 3");
    m_editor.AddStepLine("step 4");
    m_editor.AddStepLine("step 5");

    ClickRow(2);
    // From the key pane, as the user inserts a step.
    HWND keys = PageWith(m_editor.m_hWnd, IDC_KEY_SPIN);
    ASSERT_NE(keys, nullptr);
    SetItemText(keys, IDC_KEY_BOX, "<Tab>");
    SendMessageA(keys, WM_COMMAND, MAKEWPARAM(IDC_KEY_INSERT, BN_CLICKED), 0);
    m_editor.AddStepLine("second new");
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2", "Key Press <Tab>", "second new", "step 3", "step 4",
                                                  "step 5" }));
    EXPECT_EQ(Numbers(), Counting(7));
    EXPECT_EQ(Selected(), std::vector<int>{ 4 }) << "the row that was selected stays selected";
    EXPECT_EQ(GetFocus(), m_list);
}

TEST_F(StepList, SelectedRowsMoveUpAndDownPastTheOthers)
{
    AddSteps(5);
    ClickRow(0);
    ClickRow(1, true);
    ClickRow(3, true);
    Press(IDC_MOVE_UP);
    // The block at the top stays; step 4 moves up past step 3.
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2", "step 4", "step 3", "step 5" }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 0, 1, 2 }));
    EXPECT_EQ(Numbers(), Counting(5)) << "the numbers stay in row order";

    ClickRow(4);
    Press(IDC_MOVE_DOWN);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2", "step 4", "step 3", "step 5" })) << "the last row stays";
    EXPECT_EQ(Selected(), std::vector<int>{ 4 });

    ClickRow(1);
    ClickRow(2, true);
    Press(IDC_MOVE_DOWN);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 3", "step 2", "step 4", "step 5" }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 2, 3 }));
    Press(IDC_MOVE_UP);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2", "step 4", "step 3", "step 5" }));
    EXPECT_EQ(Selected(), (std::vector<int>{ 1, 2 }));
}

TEST_F(StepList, MovingOrDeletingWithNothingSelectedSaysSo)
{
    AddSteps(2);
    const std::string move = "No item selected, please select one item from list above.";
    EXPECT_EQ(PressAndAnswer(IDC_MOVE_UP, IDOK), move);
    EXPECT_EQ(PressAndAnswer(IDC_MOVE_DOWN, IDOK), move);
    EXPECT_EQ(PressAndAnswer(IDC_DELETE_STEPS, IDOK), "No item selected, please select one item from list above to delete.");
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 2" }));
}

TEST_F(StepList, DeleteAsksAndATickedNoWritesNothing)
{
    AddSteps(5);
    ClickRow(1);
    ClickRow(3, true);
    EXPECT_EQ(PressAndAnswer(IDC_DELETE_STEPS, kNo, true), kDeleteQuestion);
    EXPECT_EQ(Steps().size(), 5u);
    EXPECT_FALSE(FileExists(ConfirmFile()));

    EXPECT_EQ(PressAndAnswer(IDC_DELETE_STEPS, kYes), kDeleteQuestion);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 1", "step 3", "step 5" }));
    EXPECT_EQ(Numbers(), Counting(3));
    EXPECT_EQ(Selected(), std::vector<int>{ 1 });
    EXPECT_FALSE(FileExists(ConfirmFile())) << "Yes without the tick asks again next time";
}

TEST_F(StepList, DoNotShowThisAgainIsKeptInDcmIni)
{
    AddSteps(3);
    ClickRow(0);
    EXPECT_EQ(PressAndAnswer(IDC_DELETE_STEPS, kYes, true), kDeleteQuestion);
    EXPECT_EQ(ReadFileBytes(ConfirmFile()), "showcofm=0\r\n");
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "step 2", "step 3" }));

    // Now the Delete key deletes at once.
    ClickRow(1);
    testing_support::PressKey(VK_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return Steps().size() == 1; }));
    EXPECT_EQ(Steps(), std::vector<std::string>{ "step 2" });
    EXPECT_EQ(Selected(), std::vector<int>{ 0 }) << "past the end: the last row";

    Press(IDC_DELETE_STEPS);
    EXPECT_TRUE(Steps().empty());
    EXPECT_TRUE(Selected().empty());
}

TEST_F(StepList, DcmIniAsksForAnyValueButZero)
{
    const struct
    {
        const char* file;
        bool asks;
    } cases[] = {
        { "showcofm=1\r\n", true },
        { "other=1\r\nshowcofm=0\r\n", false },
        { "showcofm=00\r\n", true },
        { "showcofm=\r\n", true },
        { "", true },
    };
    int row = 0;
    for (const auto& c : cases) {
        testing_support::WriteFileBytes(ConfirmFile(), c.file);
        m_editor.ClearSteps();
        AddSteps(2);
        row = 1 - row;   // another place each time: two clicks in one place would be a double click
        ClickRow(row);
        if (c.asks)
            EXPECT_EQ(PressAndAnswer(IDC_DELETE_STEPS, kYes), kDeleteQuestion) << c.file;
        else
            Press(IDC_DELETE_STEPS);
        EXPECT_EQ(Steps(), std::vector<std::string>{ row == 0 ? "step 2" : "step 1" }) << c.file;
    }
}

}  // namespace
