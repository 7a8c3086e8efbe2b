// The text display over a placeholder of a dialog: its window, the
// background it clears to, word wrapping inside its margins, and that its
// off-screen picture and window class are not made again and again.
#include "controls/TextDispCtrl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/DisplayControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <set>

using namespace control_tests;
using namespace testing_support;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

const char kLongText[] =
    "A macro is a list of steps: mouse moves and clicks, keys, typed text and waits. Record one with "
    "Ctrl+Alt+R, stop with Ctrl+Alt+S, and give it a start key to run it from anywhere. This text goes on "
    "long enough to be cut at the bottom of the display, since a tip never scrolls: one two three four five "
    "six seven eight nine ten eleven twelve thirteen fourteen fifteen sixteen seventeen eighteen nineteen.";

class TextDisplayDlg : public CDialog
{
public:
    CTextDispCtrl m_display;

    BOOL MakeDisplay(CTextDispCtrl& display, UINT id)
    {
        CRect place;
        GetDlgItem(IDC_TEXT_DISPLAY_PLACE)->GetWindowRect(&place);
        ScreenToClient(&place);
        return display.Create(WS_CHILD | WS_VISIBLE, place, this, id);
    }
};

class TextDisplay : public DialogTest<TextDisplayDlg, IDD_STATICS>
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_TRUE(m_dlg.MakeDisplay(m_dlg.m_display, 1000));
    }
    WindowCapture Shown()
    {
        m_dlg.m_display.UpdateWindow();
        PumpMessages(30);
        return Picture(m_dlg.m_display);
    }
};

TEST_F(TextDisplay, ComesUpAsAClearedChildWithAClientEdge)
{
    CTextDispCtrl& display = m_dlg.m_display;
    EXPECT_TRUE(display.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(display.GetDlgCtrlID(), 1000);
    char className[64] = {};
    GetClassNameA(display.m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, "KestruneTextDisplay");
    WindowCapture picture = Shown();
    EXPECT_EQ(picture.Count(kWhite), picture.Width() * picture.Height()) << "the background colour all over";

    CTextDispCtrl unmade;
    unmade.SetText("before the window: nothing happens");
}

TEST_F(TextDisplay, WrapsTheTextInsideItsMarginsAndCutsItAtTheBottom)
{
    CTextDispCtrl& display = m_dlg.m_display;
    EXPECT_TRUE(display.SetTextFont("MS Sans Serif", 100));
    display.SetText(kLongText);
    WindowCapture picture = Shown();
    const int w = picture.Width(), h = picture.Height();
    std::set<int> textRows;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (picture.Pixel(x, y) != kBlack)
                continue;
            textRows.insert(y);
            ASSERT_TRUE(x >= 5 && y >= 5 && x < w - 10 && y < h - 10)
                << "text at " << x << "," << y << " outside the text rectangle of " << w << " x " << h;
        }
    ASSERT_FALSE(textRows.empty());
    EXPECT_GT(*textRows.rbegin() - *textRows.begin(), 3 * 13) << "several lines";
    EXPECT_GT(*textRows.rbegin(), h - 10 - 13) << "lines to the bottom of the text rectangle: the text was cut";
    picture.SavePng("text-display");
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("text-display-dialog");

    display.SetText("");
    picture = Shown();
    EXPECT_EQ(picture.Count(kWhite), w * h) << "an empty text clears the display";
}

TEST_F(TextDisplay, TwoDisplaysAtOnceAndAgainAfterwardsLeakNothing)
{
    CTextDispCtrl second;
    ASSERT_TRUE(m_dlg.MakeDisplay(second, 1001)) << "the class is there for the second one";
    second.SetText("second");
    second.DestroyWindow();

    ExpectNoGuiObjectLeak([&] {
        CTextDispCtrl display;
        ASSERT_TRUE(m_dlg.MakeDisplay(display, 1002));
        display.SetTextFont("MS Sans Serif", 100);
        display.SetText(kLongText);
        display.UpdateWindow();
        display.DestroyWindow();
        ASSERT_TRUE(m_dlg.MakeDisplay(display, 1002)) << "made again on the same object";
        display.SetText("again");
    });   // the object's destructor takes the last window
}

}  // namespace
