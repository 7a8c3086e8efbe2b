// The check message box run modally and answered with the mouse and the
// keyboard from a helper thread, as a user would.
#include "controls/CheckMsgBox.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace testing_support;

namespace {

void ClickItem(HWND dialog, int id)
{
    ClickAt(CentreOf(GetDlgItem(dialog, id)));
    Sleep(100);
}

struct Answering
{
    const char* what;
    std::function<void(HWND)> steps;
    int answer;
    int check;
};

TEST(CheckMsgBox, AnswersAndTheTickedBox)
{
    const Answering cases[] = {
        { "Yes", [](HWND d) { ClickItem(d, IDYES); }, 1, 0 },
        { "ticked, Yes", [](HWND d) { ClickItem(d, IDC_CHECK_MSG_DONT_SHOW); ClickItem(d, IDYES); }, 1, 1 },
        { "ticked, No", [](HWND d) { ClickItem(d, IDC_CHECK_MSG_DONT_SHOW); ClickItem(d, IDNO); }, 0, 1 },
        { "Enter", [](HWND) { PressKey(VK_RETURN); }, 1, 0 },
        { "ticked, Escape", [](HWND d) { ClickItem(d, IDC_CHECK_MSG_DONT_SHOW); PressKey(VK_ESCAPE); }, 0, 0 },
        { "the close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0, 0 },
    };
    for (const Answering& c : cases) {
        CCheckMsgBox box;
        box.m_message = "Are you sure you want to delete selected robot actions?";
        std::string shown;
        DialogDriver driver("Brenvik Kestrune", [&](HWND dialog) {
            shown = WindowText(GetDlgItem(dialog, IDC_CHECK_MSG_TEXT));
            SetForegroundWindow(dialog);
            Sleep(100);
            c.steps(dialog);
        });
        box.DoModal();
        EXPECT_TRUE(driver.Finish()) << c.what;
        EXPECT_EQ(shown, "Are you sure you want to delete selected robot actions?") << c.what;
        EXPECT_EQ(box.m_answer, c.answer) << c.what;
        EXPECT_EQ(box.m_check, c.check) << c.what;
    }
}

}  // namespace
