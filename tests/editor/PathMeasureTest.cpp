// The path measurer with the real cursor and real hot keys: Ctrl+Alt+1 and
// Ctrl+Alt+2 store the cursor's point, the texts follow the cursor while a
// point is not stored, and the dialog gives point 2 minus point 1.
#include "app/editor/MouseMovePathMesure.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Input.h"

#include <gtest/gtest.h>

using namespace editor_tests;
using testing_support::DialogDriver;

namespace {

// The measurer reads the cursor when it handles the hot key: the mouse
// stays until it has.
void StoreAt(HWND dialog, POINT point, WORD key)
{
    MoveMouseAndWait(point);
    PressChord({ VK_CONTROL, VK_MENU }, key);
    WaitUntilHandled(dialog);
}

// The keys that the measurer of an earlier test held are free again.
void WaitForTheKeys()
{
    for (UINT key : { '1', '2' })
        ASSERT_TRUE(WaitUntilHotKeyFree(MOD_CONTROL | MOD_ALT, key));
}

TEST(PathMeasurer, CtrlAlt1And2StoreThePointsAndOKGivesTheirDifference)
{
    WaitForTheKeys();
    CWinApp app("Brenvik Kestrune");
    CMouseMovePathMesure measure;
    DialogDriver driver("Measure Path", [](HWND dialog) {
        // Nothing stored: all three texts follow the cursor.
        MoveMouseAndWait({ 300, 310 });
        EXPECT_TRUE(WaitForItemText(dialog, IDC_POINT1, "( 300, 310 )"));
        EXPECT_TRUE(WaitForItemText(dialog, IDC_POINT2, "( 300, 310 )"));
        EXPECT_TRUE(WaitForItemText(dialog, IDC_RELATIVE_MOVE, "( 0, 0 )"));

        // Each check below can only hold with the point stored: a point not
        // stored follows the cursor.
        EXPECT_TRUE(PressUntil(
            [&] {
                StoreAt(dialog, { 100, 200 }, '1');
                MoveMouseAndWait({ 85, 240 });   // point 2 still follows
            },
            [&] { return ItemText(dialog, IDC_RELATIVE_MOVE) == "( -15, 40 )" && ItemText(dialog, IDC_POINT1) == "( 100, 200 )"; }));
        EXPECT_TRUE(PressUntil(
            [&] {
                StoreAt(dialog, { 85, 240 }, '2');
                MoveMouseAndWait({ 300, 310 });
            },
            [&] { return ItemText(dialog, IDC_POINT2) == "( 85, 240 )"; }));
        // Storing a point again replaces it.
        EXPECT_TRUE(PressUntil(
            [&] {
                StoreAt(dialog, { 50, 60 }, '1');
                MoveMouseAndWait({ 300, 310 });
            },
            [&] { return ItemText(dialog, IDC_RELATIVE_MOVE) == "( 35, 180 )"; }));
        EXPECT_EQ(ItemText(dialog, IDC_POINT2), "( 85, 240 )") << "a stored point no longer follows";
        testing_support::PressDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(measure.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(measure.GetDeltaX(), 35);
    EXPECT_EQ(measure.GetDeltaY(), 180);
}

TEST(PathMeasurer, OnlyOnePointStoredGivesNoMove)
{
    WaitForTheKeys();
    CWinApp app("Brenvik Kestrune");
    CMouseMovePathMesure measure;
    DialogDriver driver("Measure Path", [](HWND dialog) {
        EXPECT_TRUE(PressUntil(
            [&] {
                StoreAt(dialog, { 120, 130 }, '1');
                MoveMouseAndWait({ 400, 420 });
            },
            [&] { return ItemText(dialog, IDC_RELATIVE_MOVE) == "( 280, 290 )"; }));
        testing_support::PressDialogButton(dialog, IDOK);
    });
    EXPECT_EQ(measure.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(measure.GetDeltaX(), 0);
    EXPECT_EQ(measure.GetDeltaY(), 0);
}

// While the measurer is open it holds Ctrl+Alt+1 and Ctrl+Alt+2; closing
// it lets them go, so another program (here the test) can take them.
TEST(PathMeasurer, HoldsItsKeysOnlyWhileOpen)
{
    WaitForTheKeys();
    CWinApp app("Brenvik Kestrune");
    CMouseMovePathMesure measure;
    DialogDriver driver("Measure Path", [](HWND dialog) {
        EXPECT_FALSE(RegisterHotKey(nullptr, 0x7F01, MOD_CONTROL | MOD_ALT, '1'));
        EXPECT_FALSE(RegisterHotKey(nullptr, 0x7F02, MOD_CONTROL | MOD_ALT, '2'));
        testing_support::PressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(measure.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Finish());
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x7F01, MOD_CONTROL | MOD_ALT, '1'));
    UnregisterHotKey(nullptr, 0x7F01);
}

}  // namespace
