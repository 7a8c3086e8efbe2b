// The label in a dialog: its font and colours, backgrounds and gradients
// as painted, flashing, hover, link clicks, and the text-metrics functions.
#include "controls/FontMetrics.h"
#include "controls/Label.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/ControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>

using namespace control_tests;
using namespace testing_support;

namespace {

class ProbeLabel : public CLabel
{
public:
    using CLabel::m_flashPhase;
    using CLabel::m_flashTimer;
    using CLabel::m_logFont;
    using CLabel::m_textColour;
    using CLabel::TextFormat;
};

class LabelsDlg : public CDialog
{
public:
    ProbeLabel m_plain, m_solid, m_gradient, m_narrow, m_link, m_shell, m_transparent, m_flash;
    int clicks = 0;
    NMHDR lastClick = {};
    CRect plainTemplateRect;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        if (!m_plain.m_hWnd) {
            GetDlgItem(IDC_LABEL_PLAIN)->GetClientRect(&plainTemplateRect);
        }
        DDX_Control(dx, IDC_LABEL_PLAIN, m_plain);
        DDX_Control(dx, IDC_LABEL_SOLID, m_solid);
        DDX_Control(dx, IDC_LABEL_GRADIENT, m_gradient);
        DDX_Control(dx, IDC_LABEL_NARROW, m_narrow);
        DDX_Control(dx, IDC_LABEL_LINK, m_link);
        DDX_Control(dx, IDC_LABEL_SHELL, m_shell);
        DDX_Control(dx, IDC_LABEL_TRANSPARENT, m_transparent);
        DDX_Control(dx, IDC_LABEL_FLASH, m_flash);
    }
    afx_msg void OnLinkClick(NMHDR* header, LRESULT*)
    {
        ++clicks;
        lastClick = *header;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LabelsDlg, CDialog)
    ON_NOTIFY(NM_LABELCLICK, IDC_LABEL_LINK, OnLinkClick)
    ON_NOTIFY(NM_LABELCLICK, IDC_LABEL_SHELL, OnLinkClick)
END_MESSAGE_MAP()

class Label : public DialogTest<LabelsDlg, IDD_LABELS>
{
protected:
    void Resize(CWnd& label, int width, int height)
    {
        label.SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        label.Invalidate();
        PumpMessages(50);
    }
    static int Pixels(const WindowCapture& picture) { return picture.Width() * picture.Height(); }
};

TEST_F(Label, AFreshLabelDrawsInItsOwnFontAndTheSystemColours)
{
    EXPECT_STREQ(m_dlg.m_plain.m_logFont.lfFaceName, "Lucida Sans");
    EXPECT_EQ(m_dlg.m_plain.m_logFont.lfHeight, -10) << "8 points at 96 dots per inch";
    EXPECT_EQ(m_dlg.m_plain.m_logFont.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(m_dlg.m_plain.m_textColour, GetSysColor(COLOR_WINDOWTEXT));
    WindowCapture picture = Picture(m_dlg.m_plain);
    EXPECT_EQ(picture.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(picture.Pixel(picture.Width() - 1, picture.Height() - 1), GetSysColor(COLOR_BTNFACE));

    // The label fits itself from the dialog font's base units to 6 x 13.
    int width = 0, height = 0;
    GetFontBaseUnits(&m_dlg.m_plain, &width, &height);
    CRect client;
    m_dlg.m_plain.GetClientRect(&client);
    EXPECT_EQ(client.Width(), MulDiv(6, m_dlg.plainTemplateRect.Width(), width));
    EXPECT_EQ(client.Height(), MulDiv(13, m_dlg.plainTemplateRect.Height(), height));
}

TEST_F(Label, ASolidBackgroundFillsTheLabel)
{
    m_dlg.m_solid.SetBkColor(RGB(200, 30, 30)).SetTextColor(RGB(255, 255, 255));
    WindowCapture picture = Picture(m_dlg.m_solid);
    EXPECT_EQ(picture.Pixel(0, 0), RGB(200, 30, 30));
    EXPECT_EQ(picture.Pixel(picture.Width() - 1, picture.Height() - 1), RGB(200, 30, 30));
    EXPECT_GT(picture.Count(RGB(200, 30, 30)), Pixels(picture) / 2);
}

// Strip i of a gradient of n strips, channel by channel in 8.8 fixed point.
COLORREF Strip(COLORREF start, COLORREF end, int n, int i)
{
    auto channel = [&](int a, int b) { return (a * 256 + i * ((b - a) * 256 / n)) / 256; };
    return RGB(channel(GetRValue(start), GetRValue(end)), channel(GetGValue(start), GetGValue(end)),
               channel(GetBValue(start), GetBValue(end)));
}

TEST_F(Label, AGradientRunsLeftToRightInAtMostAHundredStrips)
{
    const COLORREF start = RGB(0, 40, 250), end = RGB(250, 140, 0);
    Resize(m_dlg.m_gradient, 300, 20);
    m_dlg.m_gradient.SetBkColor(start, end, 1).SetText("");
    WindowCapture wide = Picture(m_dlg.m_gradient);
    for (int i : { 0, 1, 50, 98, 99 }) {
        EXPECT_EQ(wide.Pixel(i * 3 + 1, 10), Strip(start, end, 100, i)) << "strip " << i;
        EXPECT_EQ(wide.Pixel(i * 3 + 1, 19), Strip(start, end, 100, i)) << "the bottom row too, strip " << i;
    }

    Resize(m_dlg.m_narrow, 40, 10);
    m_dlg.m_narrow.SetBkColor(start, end, 1);
    WindowCapture narrow = Picture(m_dlg.m_narrow);
    for (int x : { 0, 1, 20, 39 })
        EXPECT_EQ(narrow.Pixel(x, 5), Strip(start, end, 40, x)) << "one strip per pixel column, " << x;

    Resize(m_dlg.m_narrow, 0, 10);   // no strips at all, and no failure
    m_dlg.m_narrow.SetBkColor(start, end, 1);
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("labels-gradient");
}

TEST_F(Label, FlashingTextVanishesEveryOtherHalfSecond)
{
    ProbeLabel& label = m_dlg.m_flash;
    const COLORREF green = RGB(0, 128, 0);
    label.SetBkColor(green).SetTextColor(RGB(255, 255, 0)).SetFontBold(TRUE);
    label.FlashText(TRUE);
    label.RedrawWindow();
    EXPECT_EQ(Picture(label).Count(green), Pixels(Picture(label))) << "the off phase: text in the background colour";
    ASSERT_TRUE(PumpUntil([&] { return label.m_flashPhase != FALSE; }, 2000));
    PumpMessages(50);
    EXPECT_LT(Picture(label).Count(green), Pixels(Picture(label))) << "the on phase shows the text";

    label.FlashText(FALSE);
    EXPECT_FALSE(label.m_flashTimer);
    BOOL phase = label.m_flashPhase;
    PumpMessages(1200);
    EXPECT_EQ(label.m_flashPhase, phase) << "the timer is gone";
}

TEST_F(Label, WithoutASolidBackgroundFlashingTextTurnsBlack)
{
    ProbeLabel& label = m_dlg.m_flash;
    label.SetTextColor(RGB(255, 255, 0)).SetFontBold(TRUE).SetFontSize(14);
    EXPECT_EQ(Picture(label).Count(RGB(0, 0, 0)), 0);
    label.FlashText(TRUE);
    label.RedrawWindow();
    EXPECT_GT(Picture(label).Count(RGB(0, 0, 0)), 0);
    label.FlashText(FALSE);
}

TEST_F(Label, AFlashingBackgroundComesBackWhenTheFlashingStops)
{
    ProbeLabel& label = m_dlg.m_flash;
    const COLORREF green = RGB(0, 128, 0);
    label.SetBkColor(green);
    label.FlashBackground(TRUE);
    label.RedrawWindow();
    EXPECT_EQ(Picture(label).Count(green), 0) << "the off phase shows the button face";
    label.FlashBackground(FALSE);
    label.RedrawWindow();
    EXPECT_GT(Picture(label).Count(green), Pixels(Picture(label)) / 2) << "even when caught in the off phase";
}

TEST_F(Label, HoveringALinkChangesItsColourAndUnderlinesIt)
{
    ProbeLabel& link = m_dlg.m_link;
    const COLORREF blue = RGB(0, 0, 255), red = RGB(255, 0, 0);
    link.SetTextColor(blue).SetLink(TRUE, TRUE).SetHoverEffect(TRUE, red);
    HoverOver(link.m_hWnd);
    EXPECT_TRUE(PumpUntil([&] { return link.m_textColour == red; }, 2000));
    EXPECT_TRUE(link.m_logFont.lfUnderline);
    PumpMessages(50);
    // The underline is a solid line of the hover colour.
    WindowCapture hovered = Picture(link);
    int longestRun = 0;
    for (int y = 0; y < hovered.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < hovered.Width(); ++x) {
            run = hovered.Pixel(x, y) == red ? run + 1 : 0;
            longestRun = run > longestRun ? run : longestRun;
        }
    }
    EXPECT_GT(longestRun, 20);
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("labels-hover");

    ParkMouse();
    EXPECT_TRUE(PumpUntil([&] { return link.m_textColour == blue; }, 2000));
    EXPECT_FALSE(link.m_logFont.lfUnderline);
}

TEST_F(Label, AClickNotifiesTheParentOrOpensTheText)
{
    TempFolder folder;
    std::string marker = folder / "opened.txt";
    std::string script = folder / "open.cmd";
    WriteFileBytes(script, "@echo opened> \"" + marker + "\"\r\n");
    m_dlg.m_link.SetText(script.c_str()).SetLink(TRUE, TRUE);
    ClickAt(CentreOf(m_dlg.m_link.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return m_dlg.clicks == 1; }, 2000));
    EXPECT_EQ(m_dlg.lastClick.hwndFrom, m_dlg.m_link.m_hWnd);
    EXPECT_EQ(m_dlg.lastClick.idFrom, static_cast<UINT_PTR>(IDC_LABEL_LINK));
    EXPECT_EQ(m_dlg.lastClick.code, 0x8200u);
    PumpMessages(1000);
    EXPECT_FALSE(FileExists(marker)) << "a label that notifies never opens its text";

    m_dlg.m_shell.SetText(script.c_str()).SetLink(TRUE, FALSE);
    ClickAt(CentreOf(m_dlg.m_shell.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return FileExists(marker); }, 15000)) << "the shell opened the label's text";
    EXPECT_EQ(m_dlg.clicks, 1);
}

TEST_F(Label, ATransparentLabelLeavesItsBackgroundToTheParent)
{
    ProbeLabel& label = m_dlg.m_transparent;
    label.SetBkColor(RGB(200, 30, 30));
    EXPECT_GT(Picture(label).Count(RGB(200, 30, 30)), 0);
    label.SetTransparent(TRUE);
    PumpMessages(50);
    WindowCapture picture = Picture(label);
    EXPECT_EQ(picture.Count(RGB(200, 30, 30)), 0);
    EXPECT_EQ(picture.Pixel(0, 0), GetSysColor(COLOR_BTNFACE)) << "the dialog's own background";
}

TEST_F(Label, TheStaticsStyleDecidesTheTextLayout)
{
    struct Case
    {
        DWORD style;
        const char* text;
        UINT format;
    };
    const Case cases[] = {
        { SS_LEFT, "one", DT_WORDBREAK },
        { SS_CENTER, "one", DT_CENTER | DT_WORDBREAK },
        { SS_RIGHT, "one", DT_RIGHT | DT_WORDBREAK },
        { SS_LEFTNOWORDWRAP, "one", DT_LEFT },
        { SS_LEFT | SS_CENTERIMAGE, "one", DT_SINGLELINE | DT_VCENTER | DT_CENTER },
        { SS_LEFT | SS_CENTERIMAGE, "one\r\ntwo", DT_CENTER },
    };
    ProbeLabel& label = m_dlg.m_plain;
    for (const Case& c : cases) {
        label.ModifyStyle(SS_TYPEMASK | SS_CENTERIMAGE, c.style);
        EXPECT_EQ(label.TextFormat(c.text), c.format) << c.style << " " << c.text;
    }
}

TEST_F(Label, SettersKeepTheFontDescriptionWithinBounds)
{
    ProbeLabel& label = m_dlg.m_plain;
    label.SetFontName(std::string(40, 'F').c_str());
    EXPECT_EQ(std::string(label.m_logFont.lfFaceName), std::string(31, 'F'));
    label.SetFontBold(TRUE).SetFontItalic(TRUE).SetFontUnderline(TRUE).SetRotationAngle(90, TRUE);
    EXPECT_EQ(label.m_logFont.lfWeight, FW_BOLD);
    EXPECT_TRUE(label.m_logFont.lfItalic);
    EXPECT_EQ(label.m_logFont.lfEscapement, 900);
    EXPECT_EQ(label.m_logFont.lfOrientation, 900);
    label.SetSunken(TRUE).SetBorder(TRUE);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_TRUE(label.GetStyle() & WS_BORDER);
    label.SetSunken(FALSE).SetBorder(FALSE);
    EXPECT_FALSE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_FALSE(label.GetStyle() & WS_BORDER);
}

TEST_F(Label, RectanglesScaleFromTheFontsBaseUnits)
{
    int width = 0, height = 0;
    DWORD packed = GetFontBaseUnits(&m_dlg, &width, &height);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    EXPECT_EQ(packed, static_cast<DWORD>(MAKELONG(width, height)));
    struct Case
    {
        int mode;
        RECT expected;
    };
    const RECT start = { 10, 20, 110, 70 };
    const RECT scaled = { MulDiv(12, 10, width), MulDiv(26, 20, height), MulDiv(12, 110, width), MulDiv(26, 70, height) };
    const RECT moved = { scaled.left, scaled.top, scaled.left + 100, scaled.top + 50 };
    const Case cases[] = { { 0, scaled }, { 1, moved }, { 2, scaled }, { 3, scaled }, { 4, scaled },
                           { 5, moved },  { 6, scaled }, { 7, start }, { -1, start } };
    for (const Case& c : cases) {
        RECT rect = start;
        ScaleRectByBaseUnits(&rect, c.mode, 12, 26, &m_dlg);
        EXPECT_TRUE(EqualRect(&rect, &c.expected)) << "mode " << c.mode;
    }
}

TEST(LabelLeaks, OpeningPaintingAndClosingLeavesNothingBehind)
{
    ExpectNoGuiObjectLeak([] {
        LabelsDlg dlg;
        dlg.Create(IDD_LABELS);
        dlg.m_solid.SetBkColor(RGB(10, 20, 30));
        dlg.m_gradient.SetBkColor(RGB(0, 0, 0), RGB(255, 255, 255), 1);
        dlg.m_flash.FlashText(TRUE);
        dlg.m_link.SetFont3D(TRUE, 1).SetFontBold(TRUE).SetFontSize(10);
        ShowInFront(dlg);
        dlg.DestroyWindow();
    });
}

}  // namespace
