// The mouse and key step editors in the open editor, with the real cursor
// and keyboard: Ctrl+Alt+P takes the point shown, the path measurer fills
// a relative move, keys pressed into the key box become key steps.
#include "tests/editor/EditorTestSupport.h"
#include "tests/editor/OpenEditor.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <future>

using namespace editor_tests;

namespace {

class StepEditors : public OpenEditor
{
protected:
    void SetUp() override
    {
        OpenEditor::SetUp();
        m_mouse = PageWith(m_editor.m_hWnd, IDC_MOUSE_CLICK_INSERT);
        m_keys = PageWith(m_editor.m_hWnd, IDC_KEY_SPIN);
        ASSERT_TRUE(m_mouse && m_keys);
    }

    HWND m_mouse = nullptr;
    HWND m_keys = nullptr;
};

TEST_F(StepEditors, CtrlAltPTakesThePointShownIntoTheMove)
{
    MoveMouseAndWait({ 123, 234 });
    ASSERT_TRUE(PumpUntilText(m_mouse, IDC_CURSOR_X, "123"));
    ASSERT_TRUE(PumpUntilText(m_mouse, IDC_CURSOR_Y, "234"));
    PressChord({ VK_CONTROL, VK_MENU }, 'P');
    EXPECT_TRUE(PumpUntilText(m_mouse, IDC_MOUSE_X, "123"));
    EXPECT_EQ(ItemText(m_mouse, IDC_MOUSE_Y), "234");
    Click(m_mouse, IDC_MOUSE_MOVE_INSERT);
    EXPECT_EQ(Steps(), std::vector<std::string>{ "Mouse move to 123, 234" });
}

TEST_F(StepEditors, TheMeasuredDistanceBecomesTheRelativeMove)
{
    testing_support::DialogDriver driver("Measure Path", [](HWND dialog) {
        // Each wait below can only end with the point stored: a point not
        // stored follows the cursor.
        MoveMouseAndWait({ 50, 60 });
        // The measurer is running once its texts follow the cursor.
        EXPECT_TRUE(WaitForItemText(dialog, IDC_POINT1, "( 50, 60 )"));
        ASSERT_TRUE(PressUntil(
            [&] {
                MoveMouseAndWait({ 50, 60 });
                PressChord({ VK_CONTROL, VK_MENU }, '1');
                WaitUntilHandled(dialog);
                MoveMouseAndWait({ 85, 240 });
            },
            [&] { return ItemText(dialog, IDC_POINT2) == "( 85, 240 )" && ItemText(dialog, IDC_POINT1) == "( 50, 60 )"; }))
            << ItemText(dialog, IDC_POINT1);
        EXPECT_TRUE(PressUntil(
            [&] {
                MoveMouseAndWait({ 85, 240 });
                PressChord({ VK_CONTROL, VK_MENU }, '2');
                WaitUntilHandled(dialog);
                MoveMouseAndWait({ 100, 200 });
                PressChord({ VK_CONTROL, VK_MENU }, '1');
                WaitUntilHandled(dialog);
            },
            [&] {
                return ItemText(dialog, IDC_RELATIVE_MOVE) == "( -15, 40 )" && ItemText(dialog, IDC_POINT1) == "( 100, 200 )";
            }));
        testing_support::PressDialogButton(dialog, IDOK);
    });
    // The link tells the pane it was clicked.
    NMHDR click = { GetDlgItem(m_mouse, IDC_MOUSE_MEASURE), IDC_MOUSE_MEASURE, 0x8200 };
    SendMessageA(m_mouse, WM_NOTIFY, IDC_MOUSE_MEASURE, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(ItemText(m_mouse, IDC_MOUSE_CX), "-15");
    EXPECT_EQ(ItemText(m_mouse, IDC_MOUSE_CY), "40");
    Click(m_mouse, IDC_MOUSE_RELATIVE_INSERT);
    EXPECT_EQ(Steps(), std::vector<std::string>{ "Relative mouse move -15, 40" });
    // The pane follows the cursor again afterwards.
    MoveMouseAndWait({ 222, 111 });
    EXPECT_TRUE(PumpUntilText(m_mouse, IDC_CURSOR_X, "222"));
}

TEST_F(StepEditors, ClicksCarryTheirCountUnlessItIsOne)
{
    Click(m_mouse, IDC_MOUSE_CLICK_INSERT);
    SendDlgItemMessageA(m_mouse, IDC_MOUSE_KIND, CB_SETCURSEL, 2, 0);   // Double Click
    SetItemText(m_mouse, IDC_MOUSE_COUNT, "3");
    Click(m_mouse, IDC_MOUSE_CLICK_INSERT);
    SendDlgItemMessageA(m_mouse, IDC_MOUSE_KIND, CB_SETCURSEL, 6, 0);   // Right Up
    SetItemText(m_mouse, IDC_MOUSE_COUNT, "2");
    Click(m_mouse, IDC_MOUSE_CLICK_INSERT);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "Mouse Left Click", "Mouse Double Click, 3 times", "Mouse Right Up, 2 times" }));
}

TEST_F(StepEditors, KeysPressedIntoTheKeyBoxBecomeKeySteps)
{
    Click(m_keys, IDC_KEY_INSERT);   // an empty key box adds nothing
    FocusItem(m_keys, IDC_KEY_BOX);
    // Modifiers held do not go into a key step's name.
    PressChord({ VK_CONTROL }, 'Q');
    ASSERT_TRUE(PumpUntilText(m_keys, IDC_KEY_BOX, "Q"));
    Click(m_keys, IDC_KEY_INSERT);
    testing_support::PressKey(VK_TAB);
    ASSERT_TRUE(PumpUntilText(m_keys, IDC_KEY_BOX, "<Tab>"));
    SendDlgItemMessageA(m_keys, IDC_KEY_KIND, CB_SETCURSEL, 1, 0);   // Key Down
    SetItemText(m_keys, IDC_KEY_COUNT, "4");
    Click(m_keys, IDC_KEY_INSERT);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "Key Press Q", "Key Down <Tab>, 4 times" }));
}

TEST_F(StepEditors, TheEditorWithItsPanesOpenAndClosed)
{
    MoveMouseAndWait({ 0, 0 });
    testing_support::PumpMessages(300);
    EXPECT_FALSE(testing_support::WindowCapture::OfWindow(m_editor.m_hWnd).SavePng("macro-editor").empty());

    // A click on the mouse pane's caption bar opens its body to its full height.
    EXPECT_TRUE(ExpandPane(m_mouse, 182));   // the body's template height
    MoveMouseAndWait({ 0, 0 });
    testing_support::PumpMessages(300);
    EXPECT_FALSE(testing_support::WindowCapture::OfWindow(m_editor.m_hWnd).SavePng("macro-editor-mouse-open").empty());
}

// Opening and closing the editor, panes and all, leaves no window, GDI
// object or timer behind.
TEST(EditorWindows, FiftyOpeningsLeakNothing)
{
    CWinApp app("Brenvik Kestrune");
    auto openAndClose = [] {
        CInputRobotDlg editor;
        ASSERT_TRUE(editor.Create(IDD_INPUT_ROBOT, nullptr));
        editor.ShowWindow(SW_SHOW);
        testing_support::PumpMessages(20);
        editor.DestroyWindow();
        testing_support::PumpMessages(0);
    };
    openAndClose();   // what stays loaded: window classes, fonts
    const testing_support::GuiObjectCounts before = testing_support::CountGuiObjects();
    for (int i = 0; i < 50; ++i)
        openAndClose();
    const testing_support::GuiObjectCounts after = testing_support::CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi) << "GDI objects";
    EXPECT_EQ(after.user, before.user) << "windows, menus and icons";
    std::printf("after 1 and after 51 openings: GDI objects %ld and %ld, USER objects %ld and %ld\n", before.gdi,
                after.gdi, before.user, after.user);
}

}  // namespace
