// The other-steps and colour-condition panes in the open editor: the line
// of each button, the tags offered for a jump, the loops' numbers, the
// colour presets, Ctrl+Alt+C with the real cursor, and the colour picker
// with a real drag of its icon over a red window.
#include "app/editor/ColorPickerDlg.h"
#include "controls/Label.h"
#include "tests/builtins/TestWindow.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/editor/OpenEditor.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <colordlg.h>
#include <commctrl.h>

using namespace editor_tests;
using testing_support::WindowCapture;

namespace {

class OtherSteps : public OpenEditor
{
protected:
    void SetUp() override
    {
        OpenEditor::SetUp();
        m_other = PageWith(m_editor.m_hWnd, IDC_SWITCH_TAG);
        m_color = PageWith(m_editor.m_hWnd, IDC_COLOR_COMBO);
        ASSERT_TRUE(m_other && m_color);
    }

    // The entries of a combo box of a pane, from the top.
    static std::vector<std::string> ComboTexts(HWND page, int id)
    {
        std::vector<std::string> texts;
        const int count = static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendDlgItemMessageA(page, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    static void Select(HWND page, int id, int index)
    {
        SendDlgItemMessageA(page, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    static bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
    static bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

    HWND m_other = nullptr;
    HWND m_color = nullptr;
};

// Each row: what the user puts into the pane, the button pressed, and the
// line added (none for an empty one). The rows run in order in one pane.
TEST_F(OtherSteps, EachButtonAddsItsLine)
{
    const struct
    {
        int edit;            // the control typed into, or 0
        const char* text;
        int unit;            // the wait unit selected, or -1
        int button;
        const char* line;    // null: nothing is added
    } cases[] = {
        { 0, "", -1, IDC_WAIT_INSERT, "Wait 1 milliseconds" },
        { IDC_WAIT_VALUE, "500", 0, IDC_WAIT_INSERT, "Wait 500 milliseconds" },
        { IDC_WAIT_VALUE, "2", 1, IDC_WAIT_INSERT, "Wait 2 seconds" },
        { IDC_WAIT_VALUE, "3", 2, IDC_WAIT_INSERT, "Wait 3 minutes" },
        { IDC_INPUT_TEXT, "Hello, world", -1, IDC_INPUT_TEXT_INSERT, "Input text Hello, world" },
        { IDC_INPUT_TEXT, "", -1, IDC_INPUT_TEXT_INSERT, nullptr },
        { IDC_TAG, "Retry", -1, IDC_TAG_INSERT, "TAG Retry" },
        { IDC_TAG, "", -1, IDC_TAG_INSERT, nullptr },
        { IDC_SWITCH_TAG, "Retry", -1, IDC_SWITCH_TAG_INSERT, "Switch to TAG Retry" },
        { IDC_SWITCH_TAG, "", -1, IDC_SWITCH_TAG_INSERT, nullptr },
        { IDC_LOOP_COUNT, "5", -1, IDC_LOOP_START_INSERT, "Start loop1, loop 5 times" },
        { IDC_LOOP_COUNT, "1", -1, IDC_LOOP_START_INSERT, "Start loop2, loop 1 times" },
        { 0, "", -1, IDC_LOOP_END_INSERT, "End loop block" },
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        if (c.edit)
            SetItemText(m_other, c.edit, c.text);
        if (c.unit >= 0)
            Select(m_other, IDC_WAIT_UNIT, c.unit);
        Click(m_other, c.button);
        if (c.line)
            expected.push_back(c.line);
        EXPECT_EQ(Steps(), expected) << "after " << c.text << " and button " << c.button;
    }
}

TEST_F(OtherSteps, AnInsertedTagIsOfferedForAJumpOnceWhateverItsCase)
{
    for (const char* tag : { "A", "A", "a", "Next" }) {
        SetItemText(m_other, IDC_TAG, tag);
        Click(m_other, IDC_TAG_INSERT);
    }
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "TAG A", "TAG A", "TAG a", "TAG Next" }));
    EXPECT_EQ(ComboTexts(m_other, IDC_SWITCH_TAG), (std::vector<std::string>{ "A", "Next" }));
    Select(m_other, IDC_SWITCH_TAG, 1);
    Click(m_other, IDC_SWITCH_TAG_INSERT);
    EXPECT_EQ(Steps().back(), "Switch to TAG Next");
}

// The loop's number names its counter in the script: it counts on while
// the editor is open and starts at 1 again in the next one.
TEST_F(OtherSteps, LoopsAreNumberedFromOneInEachOpeningOfTheEditor)
{
    Click(m_other, IDC_LOOP_START_INSERT);
    Click(m_other, IDC_LOOP_START_INSERT);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "Start loop1, loop 1 times", "Start loop2, loop 1 times" }));

    m_editor.DestroyWindow();
    ASSERT_TRUE(m_editor.Create(IDD_INPUT_ROBOT, nullptr));
    m_other = PageWith(m_editor.m_hWnd, IDC_SWITCH_TAG);
    ASSERT_NE(m_other, nullptr);
    Click(m_other, IDC_LOOP_START_INSERT);
    EXPECT_EQ(Steps(), std::vector<std::string>{ "Start loop1, loop 1 times" });
}

TEST_F(OtherSteps, TheColourPaneOpensOnTheMousePointAndThePresets)
{
    EXPECT_EQ(ComboTexts(m_color, IDC_COLOR_COMBO),
              (std::vector<std::string>{ "FFFFFF", "0000FF", "00FF00", "FF0000", "000000" }));
    const COLORREF colours[] = { RGB(255, 255, 255), RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0), RGB(0, 0, 0) };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SendDlgItemMessageA(m_color, IDC_COLOR_COMBO, CB_GETITEMDATA, i, 0), static_cast<LRESULT>(colours[i]))
            << i;
    EXPECT_EQ(SendDlgItemMessageA(m_color, IDC_COLOR_COMBO, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ComboTexts(m_color, IDC_COLOR_COMPARE), (std::vector<std::string>{ "equal", "not equal", "approx" }));
    EXPECT_TRUE(Checked(m_color, IDC_COLOR_UNDER_MOUSE));
    EXPECT_EQ(ItemText(m_color, IDC_COLOR_POINT_X), "0");
    EXPECT_EQ(ItemText(m_color, IDC_COLOR_POINT_Y), "0");
    EXPECT_FALSE(Enabled(m_color, IDC_COLOR_POINT_X));
    EXPECT_FALSE(Enabled(m_color, IDC_COLOR_POINT_Y));

    // The point's X and Y are edited only for a fixed point.
    SendDlgItemMessageA(m_color, IDC_COLOR_AT_POINT, BM_CLICK, 0, 0);
    EXPECT_TRUE(Enabled(m_color, IDC_COLOR_POINT_X));
    EXPECT_TRUE(Enabled(m_color, IDC_COLOR_POINT_Y));
    SendDlgItemMessageA(m_color, IDC_COLOR_UNDER_MOUSE, BM_CLICK, 0, 0);
    EXPECT_FALSE(Enabled(m_color, IDC_COLOR_POINT_X));
}

// Each condition comes with its "Else" and "EndIf"; with a step selected
// the three stand together above it.
TEST_F(OtherSteps, AColourConditionIsThreeLines)
{
    const struct
    {
        const char* x;       // null: the point under the mouse
        const char* y;
        int compare;
        int colour;          // index in the colour box
        int selectedRow;     // -1: none
        const char* line;
    } cases[] = {
        { nullptr, nullptr, 1, 2, -1, "If color at mouse point Unqual to #00FF00, Then" },
        { "120", "45", 0, 3, -1, "If color at (120, 45) Equal to #FF0000, Then" },
        { nullptr, nullptr, 2, 4, 3, "If color at mouse point Approximately equal to #000000, Then" },
    };
    std::vector<std::string> expected;
    HWND list = m_editor.GetDlgItem(IDC_STEP_LIST)->m_hWnd;
    for (const auto& c : cases) {
        SendDlgItemMessageA(m_color, c.x ? IDC_COLOR_AT_POINT : IDC_COLOR_UNDER_MOUSE, BM_CLICK, 0, 0);
        if (c.x) {
            SetItemText(m_color, IDC_COLOR_POINT_X, c.x);
            SetItemText(m_color, IDC_COLOR_POINT_Y, c.y);
        }
        Select(m_color, IDC_COLOR_COMPARE, c.compare);
        Select(m_color, IDC_COLOR_COMBO, c.colour);
        if (c.selectedRow >= 0)
            m_editor.GetStepList().SelectItem(c.selectedRow, TRUE);
        Click(m_color, IDC_COLOR_INSERT);
        const auto at = c.selectedRow >= 0 ? expected.begin() + c.selectedRow : expected.end();
        expected.insert(at, { c.line, "Else", "EndIf" });
        EXPECT_EQ(Steps(), expected);
    }
    EXPECT_EQ(SelectedRows(list), std::vector<int>{ 6 }) << "the selected step moved down with its selection";
    EXPECT_EQ(ListColumn(list, 0), (std::vector<std::string>{ "1", "2", "3", "4", "5", "6", "7", "8", "9" }));
}

TEST_F(OtherSteps, CtrlAltCTakesTheCursorIntoXAndY)
{
    MoveMouseAndWait({ 321, 123 });
    ASSERT_TRUE(PumpUntilText(m_color, IDC_COLOR_CURSOR_X, "X : 321"));
    EXPECT_EQ(ItemText(m_color, IDC_COLOR_CURSOR_Y), "Y : 123");
    PressChord({ VK_CONTROL, VK_MENU }, 'C');
    EXPECT_TRUE(PumpUntilText(m_color, IDC_COLOR_POINT_X, "321"));
    EXPECT_EQ(ItemText(m_color, IDC_COLOR_POINT_Y), "123");
    EXPECT_TRUE(Checked(m_color, IDC_COLOR_UNDER_MOUSE)) << "the kind of point stays as chosen";
}

// A pure red window at the bottom right of the screen, above the editor;
// made before the editor, whose timers would keep its set-up waiting.
class ColourPicking : public OtherSteps
{
protected:
    builtins_test::TestWindow m_red{ { 850, 600, 950, 700 }, RGB(255, 0, 0) };
};

// The user ticks "add position", drags the pick icon onto the red window
// and lets go: the picker shows the red, the pane puts it at the top of
// its colours, and the point where it was picked becomes the fixed point.
TEST_F(ColourPicking, ThePickedColourAndPointGoIntoTheCondition)
{
    const POINT onRed = { 900, 650 };
    testing_support::DialogDriver driver("Pick color", [&](HWND picker) {
        testing_support::ClickAt(testing_support::CentreOf(GetDlgItem(picker, IDC_PICK_ADD_POSITION)));
        const POINT icon = testing_support::CentreOf(GetDlgItem(picker, IDC_PICK_ICON));
        MoveMouseAndWait(icon);
        testing_support::MouseDown();
        MoveMouseAndWait({ icon.x + 30, icon.y + 30 });
        MoveMouseAndWait(onRed);
        EXPECT_TRUE(WaitForItemText(picker, IDC_PICK_HEX, "FF0000"));
        EXPECT_EQ(ItemText(picker, IDC_PICK_RGB), "255,0,0");
        EXPECT_EQ(ItemText(picker, IDC_PICK_POSITION), "900, 650");
        testing_support::MouseUp();
        Sleep(100);
        const WindowCapture swatch = WindowCapture::OfClient(GetDlgItem(picker, IDC_PICK_SWATCH));
        EXPECT_EQ(swatch.Pixel(swatch.Width() / 2, swatch.Height() / 2), RGB(255, 0, 0)) << "the swatch shows it";
        EXPECT_FALSE(WindowCapture::OfWindow(picker).SavePng("color-picker").empty());
        testing_support::PressDialogButton(picker, IDOK);
    });
    NMHDR click = { GetDlgItem(m_color, IDC_COLOR_GET), IDC_COLOR_GET, NM_LABELCLICK };
    SendMessageA(m_color, WM_NOTIFY, IDC_COLOR_GET, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(driver.Finish());

    const std::vector<std::string> colours = ComboTexts(m_color, IDC_COLOR_COMBO);
    ASSERT_EQ(colours.size(), 6u);
    EXPECT_EQ(colours[0], "FF0000");
    EXPECT_EQ(SendDlgItemMessageA(m_color, IDC_COLOR_COMBO, CB_GETITEMDATA, 0, 0), static_cast<LRESULT>(RGB(255, 0, 0)));
    EXPECT_EQ(SendDlgItemMessageA(m_color, IDC_COLOR_COMBO, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Checked(m_color, IDC_COLOR_AT_POINT));
    EXPECT_FALSE(Checked(m_color, IDC_COLOR_UNDER_MOUSE));
    EXPECT_TRUE(Enabled(m_color, IDC_COLOR_POINT_X));
    Click(m_color, IDC_COLOR_INSERT);
    EXPECT_EQ(Steps(), (std::vector<std::string>{ "If color at (900, 650) Equal to #FF0000, Then", "Else", "EndIf" }));
    // The pane follows the cursor again afterwards.
    MoveMouseAndWait({ 222, 111 });
    EXPECT_TRUE(PumpUntilText(m_color, IDC_COLOR_CURSOR_X, "X : 222"));
}

// Escape during a drag ends the drag and leaves the picker open; the next
// Escape cancels it, and the caller keeps its colours.
TEST(ColorPicker, EscapeEndsTheDragNotThePicker)
{
    CWinApp app("Brenvik Kestrune");
    builtins_test::TestWindow red({ 850, 600, 950, 700 }, RGB(255, 0, 0));
    CColorPickerDlg picker;
    testing_support::DialogDriver driver("Pick color", [](HWND dialog) {
        const POINT icon = testing_support::CentreOf(GetDlgItem(dialog, IDC_PICK_ICON));
        MoveMouseAndWait(icon);
        testing_support::MouseDown();
        MoveMouseAndWait({ 900, 650 });
        EXPECT_TRUE(WaitForItemText(dialog, IDC_PICK_HEX, "FF0000"));
        testing_support::PressKey(VK_ESCAPE);
        GUITHREADINFO thread = { sizeof thread };
        EXPECT_TRUE(kestrune_probe::WaitUntil(
            [&] { return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread) && !thread.hwndCapture; },
            2000))
            << "the mouse is let go";
        EXPECT_TRUE(IsWindowVisible(dialog));
        MoveMouseAndWait({ 20, 740 });
        Sleep(200);
        EXPECT_EQ(ItemText(dialog, IDC_PICK_HEX), "FF0000") << "no longer picking";
        testing_support::MouseUp();
        testing_support::PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(picker.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Finish());
}

// "Get Color" opens the standard colour dialog; its colour becomes the
// picker's.
TEST(ColorPicker, TheStandardColourDialogGivesTheColour)
{
    CWinApp app("Brenvik Kestrune");
    CColorPickerDlg picker;
    testing_support::DialogDriver driver("Pick color", [](HWND dialog) {
        testing_support::PressDialogButton(dialog, IDC_PICK_STANDARD);
        HWND standard = WaitForDialogCaptioned("Color");
        ASSERT_NE(standard, nullptr);
        Sleep(200);
        for (auto [id, text] : { std::pair<int, const char*>{ COLOR_RED, "0" }, { COLOR_GREEN, "128" }, { COLOR_BLUE, "255" } })
            SetItemText(standard, id, text);
        testing_support::PressDialogButton(standard, IDOK);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_PICK_HEX, "0080FF"));
        EXPECT_EQ(ItemText(dialog, IDC_PICK_RGB), "0,128,255");
        testing_support::PressDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(picker.GetColor(), RGB(0, 128, 255));
    EXPECT_FALSE(picker.GetAddPosition());
}

TEST_F(OtherSteps, ThePanesOpen)
{
    ASSERT_TRUE(ExpandPane(m_other, 170));   // the body's template height
    MoveMouseAndWait({ 0, 0 });
    testing_support::PumpMessages(300);
    EXPECT_FALSE(WindowCapture::OfWindow(m_editor.m_hWnd).SavePng("macro-editor-other-open").empty());

    m_editor.DestroyWindow();
    ASSERT_TRUE(m_editor.Create(IDD_INPUT_ROBOT, nullptr));
    m_editor.ShowWindow(SW_SHOW);
    kestrune_probe::BringToFront(m_editor.m_hWnd);
    m_color = PageWith(m_editor.m_hWnd, IDC_COLOR_COMBO);
    ASSERT_TRUE(ExpandPane(m_color, 156));
    MoveMouseAndWait({ 0, 0 });
    testing_support::PumpMessages(300);
    EXPECT_FALSE(WindowCapture::OfWindow(m_editor.m_hWnd).SavePng("macro-editor-colour-open").empty());
}

}  // namespace
