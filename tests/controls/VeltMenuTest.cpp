// Owner-drawn menus: loading a menu resource, finding items and texts,
// measuring and drawing items in both looks, mnemonics, images, and the
// probes that choose the look.
#include "controls/VeltMenu.h"
#include "tests/controls/ControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

class ProbeMenu : public VeltMenu
{
public:
    using VeltMenu::DrawCheckGlyph;
    using VeltMenu::HasImageVariants;
};

// A menu item drawn into a bitmap of its own.
class ItemPicture
{
public:
    ItemPicture(int width, int height) : m_width(width), m_height(height)
    {
        CClientDC screen(nullptr);
        m_dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, width, height);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, width, height, RGB(1, 2, 3));
    }
    ~ItemPicture() { m_dc.SelectObject(m_old); }

    void Draw(VeltMenu& menu, HMENU holder, int position, UINT state)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_ID;
        GetMenuItemInfoA(holder, static_cast<UINT>(position), TRUE, &info);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemID = info.wID;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = reinterpret_cast<HWND>(holder);
        item.hDC = m_dc;
        item.rcItem = { 0, 0, m_width, m_height };
        item.itemData = info.dwItemData;
        menu.DrawItem(&item);
    }
    COLORREF Pixel(int x, int y) const { return m_dc.GetPixel(x, y); }
    int Count(const RECT& area, COLORREF colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += Pixel(x, y) == colour;
        return count;
    }
    int Count(COLORREF colour) const { return Count(RECT{ 0, 0, m_width, m_height }, colour); }
    CDC& DC() { return m_dc; }

private:
    int m_width, m_height;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old;
};

class Menus : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_menu.LoadMenu(IDR_BUTTON_MENU));
        m_popup = static_cast<VeltMenu*>(m_menu.GetSubMenu(0));
        ASSERT_NE(m_popup, nullptr);
    }
    void TearDown() override { VeltMenu::SetDrawModes(1, 0); }
    UINT Measure(VeltMenu& menu, HMENU holder, int position, UINT* height)
    {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        GetMenuItemInfoA(holder, static_cast<UINT>(position), TRUE, &info);
        MEASUREITEMSTRUCT item = {};
        item.CtlType = ODT_MENU;
        item.itemData = info.dwItemData;
        menu.MeasureItem(&item);
        *height = item.itemHeight;
        return item.itemWidth;
    }

    VeltMenu m_menu;
    VeltMenu* m_popup = nullptr;
};

TEST_F(Menus, LoadingMakesEveryItemBelowTheTopLevelOwnerDrawn)
{
    EXPECT_EQ(m_menu.GetMenuItemCount(), 1);
    MENUITEMINFOA info = { sizeof info, MIIM_FTYPE };
    m_menu.GetMenuItemInfo(0, &info, TRUE);
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_STRING)) << "a menu bar draws its own top level";
    CString top;
    m_menu.GetMenuString(0, top, MF_BYPOSITION);
    EXPECT_STREQ(top, "Button");

    EXPECT_TRUE(VeltMenu::IsVeltMenu(m_popup));
    EXPECT_NE(dynamic_cast<VeltMenu*>(CMenu::FromHandlePermanent(m_popup->m_hMenu)), nullptr);
    ASSERT_EQ(m_popup->GetMenuItemCount(), 7);
    for (UINT i = 0; i < 7; ++i) {
        m_popup->GetMenuItemInfo(i, &info, TRUE);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << i;
    }
    EXPECT_TRUE(m_popup->GetMenuState(ID_MENU_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(m_popup->GetMenuState(ID_MENU_GRAYED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(VeltMenu::IsVeltMenu(m_popup->GetSubMenu(5)));

    CString text;
    EXPECT_TRUE(m_menu.GetItemText(ID_MENU_FIND, text, MF_BYCOMMAND));
    EXPECT_STREQ(text, "&Find\tCtrl+F");
    EXPECT_TRUE(m_popup->GetItemText(6, text, MF_BYPOSITION));
    EXPECT_STREQ(text, "E&xit");
    EXPECT_FALSE(m_popup->GetItemText(7, text, MF_BYPOSITION)) << "nothing past the last item";

    int position = 0;
    VeltMenu* holder = m_menu.FindMenuHoldingCommand(ID_MENU_NESTED, &position);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->m_hMenu, m_popup->GetSubMenu(5)->m_hMenu);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(m_menu.FindMenuHoldingCommand(12345, &position), nullptr);
    EXPECT_EQ(position, -1);
}

TEST(MenuLoading, AMissingOrDamagedResourceIsRefused)
{
    VeltMenu menu;
    EXPECT_FALSE(menu.LoadMenu(9999));
    EXPECT_FALSE(menu.LoadMenu(IDR_BROKEN_MENU)) << "the template ends inside an item";
    EXPECT_EQ(menu.m_hMenu, nullptr) << "and no half-built menu is left to open";
}

TEST_F(Menus, DestroyingForgetsEveryMenuHandle)
{
    HMENU top = m_menu.m_hMenu, popup = m_popup->m_hMenu, nested = m_popup->GetSubMenu(5)->m_hMenu;
    m_menu.DestroyMenu();
    for (HMENU handle : { top, popup, nested }) {
        EXPECT_FALSE(VeltMenu::IsVeltMenu(handle));
        EXPECT_FALSE(IsMenu(handle));
        EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
    }
}

TEST(MenuLeaks, LoadingAndDestroyingLeavesNoMenusOrImagesBehind)
{
    ExpectNoGuiObjectLeak([] {
        VeltMenu menu;
        menu.LoadMenu(IDR_BUTTON_MENU);
        menu.m_useBitmapBackground = TRUE;
        menu.AddBitmapToImageList(menu.GetImageList(), IDB_MENU_IMAGE);
    });
}

TEST_F(Menus, MeasuringAndDrawingItemsInBothLooksLeavesNothingBehind)
{
    m_popup->m_useBitmapBackground = TRUE;
    ASSERT_TRUE(m_popup->AddBitmapToImageList(m_popup->GetImageList(), IDB_MENU_IMAGE));
    ASSERT_TRUE(m_popup->AppendOwnerDrawnItem(L"&Picture", MF_STRING, 41000, 0));
    int count = m_popup->GetMenuItemCount();
    ExpectNoGuiObjectLeak([&] {
        for (int look = 0; look < 2; ++look) {
            VeltMenu::SetDrawModes(1, look);
            for (int i = 0; i < count; ++i) {
                UINT height = 0;
                Measure(*m_popup, m_popup->m_hMenu, i, &height);
                for (UINT state : { 0u, UINT(ODS_SELECTED), UINT(ODS_CHECKED), UINT(ODS_GRAYED | ODS_SELECTED) }) {
                    ItemPicture item(120, 22);
                    item.Draw(*m_popup, m_popup->m_hMenu, i, state);
                }
            }
        }
    });
}

TEST_F(Menus, ItemsAreMeasuredFromTheIconSizeAndTheMenuFont)
{
    int menuHeight = GetSystemMetrics(SM_CYMENU);
    UINT height = 0;
    EXPECT_EQ(Measure(*m_popup, m_popup->m_hMenu, 2, &height), 0u);
    EXPECT_EQ(height, static_cast<UINT>(std::max(9, menuHeight / 2))) << "a separator, classic";
    UINT width = Measure(*m_popup, m_popup->m_hMenu, 0, &height);
    EXPECT_EQ(height, static_cast<UINT>(std::max(19, menuHeight)));

    NONCLIENTMETRICSA metrics = { sizeof metrics };
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    CFont font;
    font.CreateFontIndirect(&metrics.lfMenuFont);
    CClientDC screen(nullptr);
    CFont* old = screen.SelectObject(&font);
    SIZE text = {};
    GetTextExtentPoint32W(screen, L"&Open", 5, &text);
    screen.SelectObject(old);
    EXPECT_EQ(width, static_cast<UINT>(text.cx + 2 * 16 + 1));

    VeltMenu::SetDrawModes(1, 1);
    ASSERT_TRUE(VeltMenu::IsXPStyleActive());
    EXPECT_EQ(Measure(*m_popup, m_popup->m_hMenu, 0, &height), static_cast<UINT>(text.cx + 16 + 7 + 8));
    EXPECT_EQ(height, static_cast<UINT>(std::max(22, menuHeight))) << "the flat look's larger border";
    Measure(*m_popup, m_popup->m_hMenu, 2, &height);
    EXPECT_EQ(height, static_cast<UINT>(std::max(11, menuHeight / 2)));
}

TEST_F(Menus, TheClassicLookFillsSelectsAndSeparates)
{
    const COLORREF menu = GetSysColor(COLOR_MENU), highlight = GetSysColor(COLOR_HIGHLIGHT);
    ItemPicture plain(120, 20);
    plain.Draw(*m_popup, m_popup->m_hMenu, 0, 0);
    EXPECT_EQ(plain.Pixel(0, 0), menu);
    EXPECT_EQ(plain.Pixel(119, 19), menu);

    ItemPicture selected(120, 20);
    selected.Draw(*m_popup, m_popup->m_hMenu, 0, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(119, 0), highlight);
    EXPECT_GT(selected.Count(highlight), 120 * 20 / 2);

    ItemPicture separator(120, 10);
    separator.Draw(*m_popup, m_popup->m_hMenu, 2, 0);
    EXPECT_EQ(separator.Pixel(60, 5), GetSysColor(COLOR_BTNSHADOW)) << "an etched line across the middle";
    EXPECT_EQ(separator.Pixel(60, 6), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(separator.Pixel(60, 2), menu);

    ItemPicture checked(120, 20);
    checked.Draw(*m_popup, m_popup->m_hMenu, 3, ODS_CHECKED);
    EXPECT_GT(checked.Count(RECT{ 0, 0, 20, 20 }, GetSysColor(COLOR_MENUTEXT)), 20) << "the check mark";
    EXPECT_GT(checked.Count(RECT{ 0, 0, 20, 20 }, VeltMenu::LightenColour(menu, 0.6)), 0) << "on a lighter box";
}

TEST(MenuGlyphs, TheCheckMarkIsSevenStrokesAndTheRadioADot)
{
    ItemPicture picture(20, 20);
    ProbeMenu::DrawCheckGlyph(&picture.DC(), 4, 4, FALSE);
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    static const int strokes[7][2] = { { 2, 5 }, { 3, 6 }, { 4, 7 }, { 3, 6 }, { 2, 5 }, { 1, 4 }, { 0, 3 } };
    for (int k = 0; k < 7; ++k)
        for (int y = 0; y < 12; ++y)
            EXPECT_EQ(picture.Pixel(4 + k, 4 + y) == ink, y >= strokes[k][0] && y < strokes[k][1]) << k << "," << y;
    EXPECT_EQ(picture.Count(ink), 21);

    ItemPicture radio(20, 20);
    ProbeMenu::DrawCheckGlyph(&radio.DC(), 5, 4, TRUE);
    EXPECT_EQ(radio.Pixel(7, 6), ink);
    EXPECT_NE(radio.Pixel(12, 11), ink);
}

TEST_F(Menus, ImagesAreDrawnAndEmbossedWhenDisabled)
{
    m_popup->m_useBitmapBackground = TRUE;
    CImageList* images = m_popup->GetImageList();
    ASSERT_TRUE(m_popup->AddBitmapToImageList(images, IDB_MENU_IMAGE));
    EXPECT_FALSE(m_popup->AddBitmapToImageList(images, 9999));
    ASSERT_TRUE(m_popup->AppendOwnerDrawnItem(L"&Picture", MF_STRING, 41000, 0));
    int last = m_popup->GetMenuItemCount() - 1;

    ItemPicture enabled(120, 20);
    enabled.Draw(*m_popup, m_popup->m_hMenu, last, 0);
    EXPECT_GT(enabled.Count(RECT{ 0, 0, 22, 20 }, RGB(0, 255, 0)), 30) << "the image in the icon column";
    EXPECT_EQ(enabled.Count(RGB(192, 192, 192)), 0) << "its background left out";

    ItemPicture disabled(120, 20);
    disabled.Draw(*m_popup, m_popup->m_hMenu, last, ODS_GRAYED);
    EXPECT_EQ(disabled.Count(RGB(0, 255, 0)), 0);
    EXPECT_GT(disabled.Count(RECT{ 0, 0, 22, 20 }, GetSysColor(COLOR_BTNSHADOW)), 10) << "embossed";
}

TEST_F(Menus, TheFlatLookHasAnIconColumnAndAFramedSelection)
{
    VeltMenu::SetDrawModes(1, 1);
    ASSERT_TRUE(VeltMenu::IsXPStyleActive());
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    ItemPicture plain(120, 22);
    plain.Draw(*m_popup, m_popup->m_hMenu, 0, 0);
    EXPECT_EQ(plain.Pixel(2, 11), VeltMenu::LightenColour(GetSysColor(COLOR_BTNFACE), 0.25)) << "the icon column";
    EXPECT_EQ(plain.Pixel(110, 2), GetSysColor(COLOR_WINDOW)) << "the text area";

    ItemPicture selected(120, 22);
    selected.Draw(*m_popup, m_popup->m_hMenu, 0, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(0, 0), highlight) << "framed";
    EXPECT_EQ(selected.Pixel(110, 11), VeltMenu::LightenColour(highlight, 0.85));

    ItemPicture grayed(120, 22);
    grayed.Draw(*m_popup, m_popup->m_hMenu, 4, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(grayed.Pixel(110, 2), GetSysColor(COLOR_WINDOW)) << "a grayed item is never drawn selected";

    m_popup->m_useBitmapBackground = TRUE;
    CImageList* images = m_popup->GetImageList();
    ASSERT_TRUE(m_popup->AddBitmapToImageList(images, IDB_MENU_IMAGE));
    EXPECT_EQ(images->GetImageCount(), 3) << "with its faded and shadow copies";
}

TEST_F(Menus, AListsImageCopiesAreForgottenWithTheList)
{
    VeltMenu::SetDrawModes(1, 1);
    CImageList* images = m_menu.GetImageList();
    ASSERT_TRUE(m_menu.AddBitmapToImageList(images, IDB_MENU_IMAGE));
    ASSERT_TRUE(ProbeMenu::HasImageVariants(images, 0));
    HIMAGELIST gone = images->m_hImageList;
    m_menu.DestroyMenu();
    // A list made later may get the same handle: it must not inherit the marks.
    CImageList reused;
    reused.m_hImageList = gone;
    EXPECT_FALSE(ProbeMenu::HasImageVariants(&reused, 0));
    reused.Detach();
}

TEST_F(Menus, EveryItemInBothLooksForAPersonToSee)
{
    const int width = 160, height = 22;
    UINT states[] = { ODS_SELECTED, 0, 0, ODS_CHECKED, ODS_GRAYED, 0, 0 };
    ItemPicture picture(2 * width, 7 * height);
    for (int look = 0; look < 2; ++look) {
        VeltMenu::SetDrawModes(1, look);
        for (int i = 0; i < 7; ++i) {
            ItemPicture item(width, height);
            item.Draw(*m_popup, m_popup->m_hMenu, i, states[i]);
            picture.DC().BitBlt(look * width, i * height, width, height, &item.DC(), 0, 0, SRCCOPY);
        }
    }
    WindowCapture::OfDC(picture.DC(), 2 * width, 7 * height).SavePng("velt-menu-classic-and-flat");
    EXPECT_EQ(picture.Pixel(width + 40, 2 * height + 2), GetSysColor(COLOR_WINDOW)) << "a flat separator's text area";
}

TEST_F(Menus, AMnemonicChoosesTheItemThatHoldsIt)
{
    EXPECT_EQ(VeltMenu::FindMenuChar('f', MF_POPUP, m_popup), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(VeltMenu::FindMenuChar('F', MF_POPUP, m_popup), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(VeltMenu::FindMenuChar('x', MF_POPUP, m_popup), MAKELRESULT(6, MNC_EXECUTE));
    EXPECT_EQ(VeltMenu::FindMenuChar('z', MF_POPUP, m_popup), 0);
    CMenu plain;
    plain.CreatePopupMenu();
    EXPECT_EQ(VeltMenu::FindMenuChar('f', MF_POPUP, &plain), 0) << "not a VeltMenu";

    // Items removed behind its back: the records follow the real items again.
    m_popup->RemoveMenu(0, MF_BYPOSITION);
    EXPECT_EQ(VeltMenu::FindMenuChar('f', MF_POPUP, m_popup), MAKELRESULT(0, MNC_EXECUTE));
    m_popup->AppendMenu(MF_STRING, 41001, "&Zoom");
    EXPECT_EQ(VeltMenu::FindMenuChar('z', MF_POPUP, m_popup), MAKELRESULT(6, MNC_EXECUTE));
    MENUITEMINFOA info = { sizeof info, MIIM_FTYPE };
    m_popup->GetMenuItemInfo(6, &info, TRUE);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "the new item is drawn by the menu";
}

TEST(MenuStyle, TheSystemAndThemeDecideTheLook)
{
    struct Case
    {
        DWORD version;
        DWORD major, minor;
        int code;
    };
    const Case cases[] = {
        { 0x80000003, 3, 10, 0 }, { 0xC0000004, 4, 0, 2 },  { 0xC0000A04, 4, 10, 3 }, { 0xC0005A04, 4, 90, 4 },
        { 0x05650004, 4, 0, 5 },  { 0x08930005, 5, 0, 6 },  { 0x0A280105, 5, 1, 7 },  { 0x0ECE0205, 5, 2, 1 },
        { 0x17700006, 6, 0, 1 },  { 0x1DB10106, 6, 1, 1 },
    };
    for (const Case& c : cases) {
        OSVERSIONINFOA info = {};
        info.dwMajorVersion = c.major;
        info.dwMinorVersion = c.minor;
        EXPECT_EQ(VeltMenu::OsVersionCodeOf(c.version, &info), c.code) << c.major << "." << c.minor;
    }
    EXPECT_EQ(VeltMenu::OsVersionCodeOf(0x80000004, nullptr), 2);
    EXPECT_EQ(VeltMenu::OsVersionCodeOf(0x00000005, nullptr), 1);
    EXPECT_EQ(VeltMenu::GetOsVersionCode(), 1) << "Windows 7: the classic look";
    EXPECT_FALSE(VeltMenu::IsXPStyleAvailable());
    EXPECT_FALSE(VeltMenu::IsXPStyleActive());

    EXPECT_TRUE(VeltMenu::IsClassicThemeFile("C:\\Windows\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(VeltMenu::IsClassicThemeFile("C:\\THEMES\\WINDOWS CLASSIC.THEME"));
    EXPECT_FALSE(VeltMenu::IsClassicThemeFile("C:\\Themes\\Luna.theme"));
    EXPECT_FALSE(VeltMenu::IsClassicThemeFile(""));
    EXPECT_FALSE(VeltMenu::IsClassicThemeActive()) << "no theme chosen in the test prefix";

    EXPECT_EQ(VeltMenu::LightenColour(RGB(0, 100, 255), 0.5), RGB(127, 177, 255)) << "truncated";
    EXPECT_EQ(VeltMenu::LightenColour(RGB(0, 100, 255), 0.0), RGB(0, 100, 255));
    EXPECT_EQ(VeltMenu::LightenColour(RGB(0, 100, 255), 2.0), RGB(0, 100, 255));
}

TEST(MenuImages, SixteenColourBitmapsTakeTheSystemColours)
{
    HBITMAP mapped = VeltMenu::LoadSysColourBitmap(IDB_SYS_COLOURS);
    ASSERT_NE(mapped, nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mapped);
    EXPECT_EQ(dc.GetPixel(2, 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dc.GetPixel(12, 2), GetSysColor(COLOR_BTNSHADOW));
    SelectObject(dc, old);
    DeleteObject(mapped);
}

TEST(MenuImages, ToolbarCommandsHaveTheirImageIndex)
{
    int index = -1;
    EXPECT_TRUE(VeltMenu::ToolbarImageIndex(IDR_TOOLBAR, ID_TOOL_SECOND, &index));
    EXPECT_EQ(index, 1) << "the separator has no image";
    EXPECT_TRUE(VeltMenu::ToolbarImageIndex(IDR_TOOLBAR, ID_TOOL_FIRST, &index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(VeltMenu::ToolbarImageIndex(IDR_TOOLBAR, 12345, &index));
    EXPECT_FALSE(VeltMenu::ToolbarImageIndex(9999, ID_TOOL_FIRST, &index));
}

}  // namespace
