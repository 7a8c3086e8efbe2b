// The image button in a dialog, driven with real mouse input: its icons and
// their darker copies, hover, pressed and check states as drawn, the focus
// when it is disabled, its drop-down menu, and what it leaves behind.
#include "controls/IconVariants.h"
#include "controls/ImageButton.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/ControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Input.h"
#include "tests/support/MenuWatcher.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>

using namespace control_tests;
using namespace testing_support;

namespace {

class ProbeButton : public CImageButton
{
public:
    using CImageButton::m_checkMode;
    using CImageButton::m_default;
    using CImageButton::m_linkUrl;
    using CImageButton::m_mouseOver;
    using CImageButton::m_alignment;
    using CImageButton::m_pressedOffsetX;
    using CImageButton::m_pressedOffsetY;
    using CImageButton::m_icons;
};

// A button with the raised look (not flat).
class RaisedButton : public ProbeButton
{
public:
    RaisedButton() { m_flat = FALSE; }
};

class ButtonsDlg : public CDialog
{
public:
    ProbeButton m_icon, m_check, m_default, m_menu, m_next;
    RaisedButton m_raised;
    CEdit m_edit;
    std::vector<UINT> commands;
    HMENU callbackMenu = nullptr;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_BUTTON_ICON, m_icon);
        DDX_Control(dx, IDC_BUTTON_CHECK, m_check);
        DDX_Control(dx, IDC_BUTTON_DEFAULT, m_default);
        DDX_Control(dx, IDC_BUTTON_EDIT, m_edit);
        DDX_Control(dx, IDC_BUTTON_MENU, m_menu);
        DDX_Control(dx, IDC_BUTTON_NEXT, m_next);
        DDX_Control(dx, IDC_BUTTON_RAISED, m_raised);
    }
    afx_msg void OnMenuCommand(UINT id) { commands.push_back(id); }
    afx_msg LRESULT OnMenuOpening(WPARAM menu, LPARAM)
    {
        callbackMenu = reinterpret_cast<HMENU>(menu);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonsDlg, CDialog)
    ON_COMMAND_RANGE(ID_MENU_OPEN, ID_MENU_EXIT, OnMenuCommand)
    ON_MESSAGE(WM_USER + 20, OnMenuOpening)
END_MESSAGE_MAP()

class ImageButton : public DialogTest<ButtonsDlg, IDD_BUTTONS>
{
protected:
    // Where the icon of a captioned, left-aligned button starts.
    static CPoint IconOrigin(CWnd& button)
    {
        CRect client;
        button.GetClientRect(&client);
        return CPoint(3, (client.Height() - 32) / 2);
    }
};

TEST_F(ImageButton, SubclassingMakesItOwnerDrawnAndReadsItsKind)
{
    for (CWnd* button : { static_cast<CWnd*>(&m_dlg.m_icon), static_cast<CWnd*>(&m_dlg.m_check), static_cast<CWnd*>(&m_dlg.m_default) })
        EXPECT_EQ(button->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_TRUE(m_dlg.m_check.m_checkMode) << "a check box becomes a check button";
    EXPECT_FALSE(m_dlg.m_icon.m_checkMode);
    EXPECT_TRUE(m_dlg.m_default.m_default);
    EXPECT_TRUE(m_dlg.m_default.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
    EXPECT_TRUE(m_dlg.m_icon.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);

    m_dlg.m_icon.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(m_dlg.m_icon.m_default);
    EXPECT_EQ(m_dlg.m_icon.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW)) << "it stays owner-drawn";
    m_dlg.m_icon.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(m_dlg.m_icon.m_default);
}

TEST(IconVariants, DarkAndGreyCopiesKeepBlack)
{
    EXPECT_EQ(DarkenColour(RGB(255, 100, 0), 0.25), RGB(191, 75, 0));
    EXPECT_EQ(DarkenColour(RGB(255, 100, 0), 0.0), RGB(255, 100, 0));
    EXPECT_EQ(DarkenColour(RGB(255, 100, 0), 1.5), RGB(255, 100, 0));

    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BUTTON), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    struct Case
    {
        HICON (*make)(HICON);
        COLORREF red;
        COLORREF blue;
    };
    const Case cases[] = { { &MakeDarkIcon, RGB(191, 0, 0), RGB(0, 0, 191) }, { &MakeGreyIcon, RGB(76, 76, 76), RGB(29, 29, 29) } };
    for (const Case& c : cases) {
        HICON variant = c.make(icon);
        ASSERT_NE(variant, nullptr);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 32, 32);
        CBitmap* old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 32, 32, RGB(0, 255, 0));
        DrawIconEx(dc, 0, 0, variant, 32, 32, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(dc.GetPixel(5, 5), c.red);
        EXPECT_EQ(dc.GetPixel(15, 15), c.blue);
        EXPECT_EQ(dc.GetPixel(2, 2), RGB(0, 0, 0)) << "black stays black";
        EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 255, 0)) << "the mask is the icon's";
        dc.SelectObject(old);
        DestroyIcon(variant);
    }
    EXPECT_EQ(MakeDarkIcon(nullptr), nullptr);
    DestroyIcon(icon);
}

TEST_F(ImageButton, TheDarkerIconShowsUntilTheMouseComesAndMovesWhenPressed)
{
    ProbeButton& button = m_dlg.m_icon;
    ASSERT_EQ(button.SetIcon(IDI_BUTTON, CImageButton::DarkerIcon), 0u);
    EXPECT_EQ(button.m_icons[0].width, 32u);
    EXPECT_EQ(button.m_icons[0].height, 32u);
    button.UpdateWindow();
    CPoint icon = IconOrigin(button);
    WindowCapture normal = Picture(button);
    EXPECT_EQ(normal.Pixel(icon.x + 5, icon.y + 5), RGB(191, 0, 0)) << "the darker copy";

    HoverAt(button.m_hWnd, icon.x + 30, icon.y + 16);
    EXPECT_TRUE(button.m_mouseOver);
    WindowCapture hovered = Picture(button);
    EXPECT_EQ(hovered.Pixel(icon.x + 5, icon.y + 5), RGB(255, 0, 0)) << "the icon itself";
    EXPECT_EQ(hovered.Pixel(icon.x + 2, icon.y + 2), RGB(0, 0, 0)) << "its frame";

    MouseDown();
    PumpMessages(200);
    WindowCapture pressed = Picture(button);
    EXPECT_EQ(pressed.Pixel(icon.x + 3, icon.y + 3), RGB(0, 0, 0)) << "one pixel right and down";
    EXPECT_EQ(pressed.Pixel(icon.x + 2, icon.y + 2), GetSysColor(COLOR_BTNFACE));
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("image-buttons-pressed");
    MouseUp();
    PumpMessages(100);

    EXPECT_EQ(button.SetIcon(9999, 0), 1u) << "no such icon";
    EXPECT_EQ(button.m_icons[0].icon, nullptr);
}

TEST_F(ImageButton, AFlatButtonShowsItsBorderAndLightCaptionOnlyWhileHovered)
{
    ProbeButton& button = m_dlg.m_next;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW), caption = RGB(0xCC, 0xCC, 0xCC);
    WindowCapture resting = Picture(button);
    int w = resting.Width(), h = resting.Height();
    EXPECT_EQ(resting.Pixel(0, 0), face);
    EXPECT_EQ(resting.Pixel(w - 1, h - 1), face);
    EXPECT_EQ(resting.Count(caption), 0);

    HoverOver(button.m_hWnd);
    ASSERT_TRUE(button.m_mouseOver);
    WindowCapture hovered = Picture(button);
    EXPECT_EQ(hovered.Pixel(0, 0), light);
    EXPECT_EQ(hovered.Pixel(w - 1, h - 1), shadow);
    EXPECT_GT(hovered.Count(caption), 0) << "the caption of a hovered button is light grey";
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("image-buttons-hovered");

    ParkMouse();
    EXPECT_TRUE(PumpUntil([&] { return !button.m_mouseOver; }, 2000)) << "leaving ends the hover";
    EXPECT_EQ(Picture(button).Pixel(0, 0), face);
}

TEST_F(ImageButton, ARaisedButtonNeverHoversAndDrawsFourLines)
{
    RaisedButton& button = m_dlg.m_raised;
    HoverOver(button.m_hWnd);
    EXPECT_FALSE(button.m_mouseOver);
    WindowCapture picture = Picture(button);
    int w = picture.Width(), h = picture.Height();
    EXPECT_EQ(picture.Pixel(0, h / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(picture.Pixel(1, h / 2), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(picture.Pixel(w / 2, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(picture.Pixel(w / 2, h - 2), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(ImageButton, ACheckButtonFlipsOnEachClickAndTwiceOnADoubleClick)
{
    ProbeButton& check = m_dlg.m_check;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    ClickAt(CentreOf(check.m_hWnd));
    PumpMessages(200);
    EXPECT_EQ(check.GetCheckState(), 1);
    ParkMouse();
    EXPECT_EQ(Picture(check).Pixel(0, 0), shadow) << "a checked button is drawn pressed";
    ClickAt(CentreOf(check.m_hWnd));
    PumpMessages(200);
    EXPECT_EQ(check.GetCheckState(), 0);

    DoubleClickAt(CentreOf(check.m_hWnd));
    PumpMessages(300);
    EXPECT_EQ(check.GetCheckState(), 0) << "two clicks";

    check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
    check.SendMessage(BM_SETCHECK, 7);
    EXPECT_EQ(check.GetCheckState(), 0);
    check.SetCheckState(5);
    EXPECT_EQ(check.GetCheckState(), 1);
    m_dlg.m_icon.SetCheckState(1);
    EXPECT_EQ(m_dlg.m_icon.GetCheckState(), 0) << "only a check button has a check state";
}

TEST_F(ImageButton, SettersRefuseValuesOutOfRange)
{
    ProbeButton& button = m_dlg.m_icon;
    EXPECT_EQ(button.SetAlign(CImageButton::AlignAbove), 0u);
    EXPECT_EQ(button.SetAlign(4, TRUE), 4u);
    EXPECT_EQ(button.m_alignment, CImageButton::AlignAbove);
    EXPECT_EQ(button.SetPressedOffsetStyle(1), 0u);
    EXPECT_EQ(button.m_pressedOffsetX, 0);
    EXPECT_EQ(button.m_pressedOffsetY, 2);
    EXPECT_EQ(button.SetPressedOffsetStyle(2), 6u);
    EXPECT_EQ(button.m_pressedOffsetY, 2);

    button.SetLinkUrl(std::string(300, 'w').c_str());
    EXPECT_EQ(std::string(button.m_linkUrl), std::string(259, 'w')) << "cut and terminated";
    button.SetLinkUrl(nullptr);
    EXPECT_EQ(button.m_linkUrl[0], '\0');
}

TEST_F(ImageButton, DisablingMovesTheFocusOnlyWhenTheButtonHasIt)
{
    m_dlg.m_menu.SetFocus();
    m_dlg.m_menu.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), m_dlg.m_next.m_hWnd) << "to the next tab stop";
    m_dlg.m_menu.EnableWindow(TRUE);

    m_dlg.m_edit.SetFocus();
    m_dlg.m_menu.EnableWindow(FALSE);
    EXPECT_EQ(::GetFocus(), m_dlg.m_edit.m_hWnd) << "an edit keeps its focus";
}

TEST_F(ImageButton, TheDropDownMenuIsOwnerDrawnAndAnswersItsMnemonics)
{
    ProbeButton& button = m_dlg.m_menu;
    ASSERT_EQ(button.SetMenu(IDR_BUTTON_MENU, m_dlg.m_hWnd), 0u);
    button.SetMenuCallback(m_dlg.m_hWnd, WM_USER + 20);
    EXPECT_EQ(button.SetMenu(9999, m_dlg.m_hWnd), 1u);
    ASSERT_EQ(button.SetMenu(IDR_BUTTON_MENU, m_dlg.m_hWnd), 0u);

    MenuWatcher watcher({ MenuWatcher::Char('f') });
    ClickAt(CentreOf(button.m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return watcher.Done(); }));
    EXPECT_TRUE(PumpUntil([&] { return !m_dlg.commands.empty(); }, 2000));
    EXPECT_EQ(m_dlg.commands, std::vector<UINT>{ ID_MENU_FIND }) << "the item with &F was chosen";
    EXPECT_NE(m_dlg.callbackMenu, nullptr);
    EXPECT_EQ(m_dlg.callbackMenu, watcher.Menu());

    WindowCapture menu = watcher.Picture();
    menu.SavePng("image-button-menu");
    EXPECT_GT(menu.Count(GetSysColor(COLOR_MENU)), menu.Width() * menu.Height() / 3) << "drawn by the menu itself";
    EXPECT_GT(menu.Count(GetSysColor(COLOR_MENUTEXT)), 0);
}

TEST(ImageButtonLeaks, OpeningAndClosingLeavesNoIconBitmapsBehind)
{
    ExpectNoGuiObjectLeak([] {
        ButtonsDlg dlg;
        dlg.Create(IDD_BUTTONS);
        dlg.m_icon.SetIcon(IDI_BUTTON, CImageButton::DarkerIcon);
        dlg.m_check.SetIcon(IDI_BUTTON, CImageButton::GreyIcon);
        dlg.m_next.SetIcon(IDI_BUTTON, 0);
        dlg.m_next.DrawTransparent(TRUE);
        dlg.m_default.SetTooltipText("Default");
        dlg.m_menu.SetMenu(IDR_BUTTON_MENU, dlg.m_hWnd);
        dlg.m_raised.SetBitmaps(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_MENU_IMAGE)), RGB(192, 192, 192));
        ShowInFront(dlg);
        for (CWnd* button : { static_cast<CWnd*>(&dlg.m_icon), static_cast<CWnd*>(&dlg.m_raised) }) {
            button->EnableWindow(FALSE);
            button->UpdateWindow();
        }
        dlg.DestroyWindow();
    });
}

}  // namespace
