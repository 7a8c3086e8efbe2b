// The column of panes in a window, driven with real clicks on the panes'
// caption bars: the layout, expanding and collapsing, scrolling, closing
// while a pane animates, the skins' shapes, dragging a skinned window, what
// is left behind after many windows, and pictures of the column.
#include "controls/ExplorerPane.h"
#include "res/ControlsResource.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/EditorControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace control_tests;
using namespace testing_support;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kColumnColour = 0xD8E9EC;
const int kBarHeight = 25;
const int kGap = 2;

class ProbePane : public CItemPane
{
public:
    using CItemPane::CItemPane;
    using CItemPane::m_animating;
    using CItemPane::m_state;
    using CItemPane::m_visibleBodyHeight;
};

// A window with a column of three panes, as the editor builds its own:
// the first expanded, the others collapsed.
class PaneWindow
{
public:
    static constexpr int kBodyHeights[3] = { 101, 180, 150 };

    explicit PaneWindow(int columnHeight)
    {
        host.Create(IDD_PANE_HOST);
        column = new CExplorerPane(IDD_EXPLORER_PANE, &host);
        column->Create(IDD_EXPLORER_PANE, &host);
        column->MoveWindow(5, 4, 335, columnHeight);
        column->ShowWindow(SW_SHOW);
        column->SetBkColor(kColumnColour);
        column->m_gap = kGap;
        column->EnableScroll(TRUE);
        const UINT templates[3] = { IDD_PANE_BODY_SHORT, IDD_PANE_BODY_TALL, IDD_PANE_BODY_TALL };
        const UINT skins[3] = { IDB_PANE_KEYS, IDB_PANE_MOUSE, IDB_PANE_OTHER };
        for (int i = 0; i < 3; ++i) {
            bodies[i].reset(new CDialog);
            bodies[i]->Create(templates[i], column);
            bodies[i]->SetWindowPos(nullptr, 0, 0, 315, kBodyHeights[i], SWP_NOMOVE | SWP_NOZORDER);
            panes[i] = new ProbePane(IDD_ITEM_PANE, column, bodies[i].get(), skins[i], IDB_PANE_EXPAND,
                                     IDB_PANE_COLLAPSE, i == 0 ? CItemPane::EXPANDED : CItemPane::COLLAPSED);
            panes[i]->Create(IDD_ITEM_PANE, column);
            panes[i]->SetCaption("", 0xFFFFFF, nullptr);
            panes[i]->ShowWindow(SW_SHOW);
            column->AddPane(panes[i]);
        }
    }
    ~PaneWindow()
    {
        for (int i = 0; i < 3; ++i) {
            bodies[i]->DestroyWindow();
            panes[i]->DestroyWindow();
            delete panes[i];
        }
        column->DestroyWindow();
        delete column;
        host.DestroyWindow();
    }

    // Where a window of the column is, in the column's client coordinates.
    CRect PlaceOf(CWnd& wnd) const
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        column->ScreenToClient(&rect);
        return rect;
    }
    int TopOf(int pane) const { return PlaceOf(*panes[pane]).top; }
    bool HasScrollBar() const { return (column->GetStyle() & WS_VSCROLL) != 0; }

    // Clicks the pane's caption bar and waits until it has grown or shrunk.
    bool ClickCaption(int pane)
    {
        ClickAt(CentreOf(panes[pane]->m_hWnd));
        PumpUntil([&] { return panes[pane]->m_animating; }, 3000);
        return PumpUntil([&] { return !panes[pane]->m_animating; }, 5000);
    }

    CDialog host;
    CExplorerPane* column;
    std::unique_ptr<CDialog> bodies[3];
    ProbePane* panes[3];
};

class Panes : public testing::Test
{
protected:
    void SetUp() override { ParkMouse(); }
    void TearDown() override { ReleaseMouseButton(); }

    std::unique_ptr<PaneWindow> Open(int columnHeight)
    {
        std::unique_ptr<PaneWindow> window(new PaneWindow(columnHeight));
        ShowInFront(window->host);
        return window;
    }
};

TEST_F(Panes, StackPanesWithTheirBodiesInOrder)
{
    auto w = Open(470);
    int y = 0;
    for (int i = 0; i < 3; ++i) {
        CRect pane = w->PlaceOf(*w->panes[i]);
        EXPECT_EQ(pane.top, y) << i;
        EXPECT_EQ(pane.left, 0) << i;
        EXPECT_EQ(pane.Height(), kBarHeight) << "the skin's size";
        EXPECT_EQ(pane.Width(), 315);
        int visible = i == 0 ? PaneWindow::kBodyHeights[0] : 0;
        EXPECT_EQ(w->panes[i]->m_visibleBodyHeight, visible);
        EXPECT_EQ(w->bodies[i]->IsWindowVisible() != 0, i == 0) << i;
        if (i == 0) {
            EXPECT_EQ(w->PlaceOf(*w->bodies[0]), CRect(0, kBarHeight, 315, kBarHeight + visible));
        }
        y += kBarHeight + visible + kGap;
    }
    // All of it fits: no scroll bar, and scrolling does nothing.
    EXPECT_FALSE(w->HasScrollBar());
    w->column->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w->TopOf(0), 0);
}

TEST_F(Panes, AClickOnTheCaptionExpandsThePaneAndAnotherCollapsesIt)
{
    auto w = Open(470);
    int below = w->TopOf(2);
    WindowCapture collapsed = Picture(*w->panes[1]);

    ASSERT_TRUE(w->ClickCaption(1));
    EXPECT_EQ(w->panes[1]->m_state, CItemPane::EXPANDED);
    EXPECT_EQ(w->panes[1]->m_visibleBodyHeight, 180);
    EXPECT_TRUE(w->bodies[1]->IsWindowVisible());
    EXPECT_EQ(w->PlaceOf(*w->bodies[1]).Height(), 180);
    EXPECT_EQ(w->TopOf(2), below + 180);
    EXPECT_EQ(w->TopOf(0), 0);
    // The button on the bar shows the new state.
    WindowCapture expanded = Picture(*w->panes[1]);
    int differing = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 290; x < 306; ++x)
            differing += collapsed.Pixel(x, y) != expanded.Pixel(x, y);
    EXPECT_GT(differing, 10);

    ASSERT_TRUE(w->ClickCaption(1));
    EXPECT_EQ(w->panes[1]->m_state, CItemPane::COLLAPSED);
    EXPECT_EQ(w->panes[1]->m_visibleBodyHeight, 0);
    EXPECT_FALSE(w->bodies[1]->IsWindowVisible());
    EXPECT_EQ(w->TopOf(2), below);
}

TEST_F(Panes, AClickWhilePaneAnimatesDoesNotStartAnother)
{
    auto w = Open(470);
    ProbePane& pane = *w->panes[2];
    ClickAt(CentreOf(pane.m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return pane.m_animating; }, 3000));
    pane.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(100, 12));
    pane.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(100, 12));
    EXPECT_EQ(pane.m_state, CItemPane::EXPANDED);
    ASSERT_TRUE(PumpUntil([&] { return !pane.m_animating; }, 5000));
    EXPECT_EQ(pane.m_state, CItemPane::EXPANDED);
    EXPECT_EQ(pane.m_visibleBodyHeight, 150);
    EXPECT_EQ(w->PlaceOf(*w->bodies[2]).Height(), 150);
}

TEST_F(Panes, AScrolledColumnMovesOnlyThePanesFromTheOneThatChanges)
{
    auto w = Open(300);
    ASSERT_TRUE(w->ClickCaption(1));   // 362 pixels in a column of 300
    EXPECT_TRUE(w->HasScrollBar());
    w->column->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w->TopOf(0), -60);
    int second = w->TopOf(1), third = w->TopOf(2);

    ASSERT_TRUE(w->ClickCaption(2));
    EXPECT_EQ(w->TopOf(0), -60);
    EXPECT_EQ(w->TopOf(1), second);
    EXPECT_EQ(w->TopOf(2), third);
    EXPECT_EQ(w->PlaceOf(*w->bodies[2]).Height(), 150);

    // The far end stops the scrolling: 512 pixels in 300 scroll by 212 at most.
    for (int i = 0; i < 10; ++i)
        w->column->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(w->TopOf(0), -(512 - 300));
    w->column->SendMessage(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(w->TopOf(0), 0);
}

TEST_F(Panes, ClosingTheWindowWhileAPaneAnimatesIsSafe)
{
    std::unique_ptr<PaneWindow> w = Open(470);
    ProbePane* pane = w->panes[1];
    ClickAt(CentreOf(pane->m_hWnd));
    ASSERT_TRUE(PumpUntil([&] { return pane->m_animating; }, 3000));
    w.reset();   // panes, bodies and column destroyed and deleted mid-way
    PumpMessages(300);
    SUCCEED() << "no step of the animation ran after the pane was gone";
}

TEST_F(Panes, ManyWindowsOfPanesLeaveNothingBehind)
{
    ExpectNoGuiObjectLeak([] {
        PaneWindow w(300);
        ShowInFront(w.host);
        w.ClickCaption(1);
        w.column->SendMessage(WM_VSCROLL, SB_LINEDOWN);
        w.host.UpdateWindow();
        CSkinnedDialog skinned(IDD_SKINNED_POPUP);
        skinned.Create(IDD_SKINNED_POPUP);
        skinned.SetSkin(IDB_PANE_RECORD, kMagenta);
        skinned.SetSkin(IDB_PANE_COLOUR, kMagenta);   // a second skin replaces the first
        skinned.ShowWindow(SW_SHOWNA);
        skinned.UpdateWindow();
        skinned.DestroyWindow();
    }, 20);
}

TEST_F(Panes, PicturesWithPanesOpenAndClosed)
{
    auto w = Open(470);
    ASSERT_TRUE(w->ClickCaption(1));
    PumpMessages(100);
    WindowCapture open = WindowCapture::OfClient(w->host.m_hWnd);
    EXPECT_FALSE(open.SavePng("panes-open").empty());
    // The column's ground under the last body, the bar's own colours on the bars.
    EXPECT_EQ(open.Pixel(5 + 325, 4 + 460), kColumnColour);
    EXPECT_EQ(open.Count(CRect(5, 4, 5 + 315, 4 + kBarHeight), kMagenta), 0) << "corners cut away";

    ASSERT_TRUE(w->ClickCaption(1));
    ASSERT_TRUE(w->ClickCaption(0));
    PumpMessages(100);
    WindowCapture closed = WindowCapture::OfClient(w->host.m_hWnd);
    EXPECT_FALSE(closed.SavePng("panes-closed").empty());
    EXPECT_EQ(closed.Pixel(5 + 100, 4 + 3 * (kBarHeight + kGap) + 10), kColumnColour) << "nothing below the bars";
}

TEST(SkinRegion, LeavesOutTheTransparentColourWithinItsTolerance)
{
    // One row: red F7 (within 8 of magenta), red F6 (not), black, magenta.
    const COLORREF row[] = { RGB(0xF7, 0x08, 0xF7), RGB(0xF6, 0x08, 0xF7), RGB(0, 0, 0), kMagenta,
                             RGB(0xFF, 0x09, 0xFF), RGB(0xFF, 0x00, 0xF6) };
    const bool opaque[] = { false, true, true, false, true, true };
    const int n = sizeof row / sizeof row[0];
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, n, 1);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int x = 0; x < n; ++x)
        SetPixel(dc, x, 0, row[x]);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    HRGN region = CreateRegionFromBitmap(bitmap, kMagenta);
    ASSERT_NE(region, nullptr);
    for (int x = 0; x < n; ++x)
        EXPECT_EQ(PtInRegion(region, x, 0) != 0, opaque[x]) << x;
    DeleteObject(region);
    DeleteObject(bitmap);
}

TEST(SkinRegion, ABitmapOfManyRunsMakesOneRegionAndFreesItsPieces)
{
    // A checkerboard of 120 x 60: 3600 runs, joined from pieces of 2000.
    const int width = 120, height = 60;
    std::vector<DWORD> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = (x + y) % 2 ? 0x000000 : 0xFF00FF;
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, pixels.data());
    DeleteObject(CreateRegionFromBitmap(bitmap, kMagenta));   // what the system keeps after a first use
    GuiObjectCounts before = CountGuiObjects();
    HRGN region = CreateRegionFromBitmap(bitmap, kMagenta);
    ASSERT_NE(region, nullptr);
    for (POINT p : { POINT{ 1, 0 }, POINT{ 0, 1 }, POINT{ 119, 58 }, POINT{ 118, 59 } })
        EXPECT_TRUE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : { POINT{ 0, 0 }, POINT{ 1, 1 }, POINT{ 119, 59 } })
        EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(CountGuiObjects().gdi, before.gdi + 1) << "the region alone";
    DeleteObject(region);
    DeleteObject(bitmap);
}

TEST(SkinnedDialog, TakesTheSkinsShapeAndIsDraggedByItsBody)
{
    ParkMouse();
    CSkinnedDialog dlg(IDD_SKINNED_POPUP);
    ASSERT_TRUE(dlg.Create(IDD_SKINNED_POPUP));
    ASSERT_TRUE(dlg.SetSkin(IDB_PANE_KEYS, kMagenta));
    EXPECT_FALSE(dlg.SetSkin(20499, kMagenta)) << "no such bitmap";
    ASSERT_TRUE(dlg.SetSkin(IDB_PANE_KEYS, kMagenta));
    ShowInFront(dlg);
    CRect before;
    dlg.GetWindowRect(&before);
    EXPECT_EQ(before.Size(), CSize(315, kBarHeight));
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(dlg.GetWindowRgn(shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0)) << "a rounded corner";
    EXPECT_TRUE(PtInRegion(shape, 100, 12));
    DeleteObject(shape);
    EXPECT_NE(Picture(dlg).Pixel(100, 20), kMagenta);

    MoveMouseTo(ClientPointToScreen(dlg.m_hWnd, 100, 12));
    PumpMessages(100);
    MouseDown();
    PumpMessages(100);
    MoveMouseTo(ClientPointToScreen(dlg.m_hWnd, 100 + 40, 12 + 30));
    CRect moved;
    EXPECT_TRUE(PumpUntil([&] { dlg.GetWindowRect(&moved); return moved.left != before.left; }, 3000));
    MouseUp();
    PumpMessages(100);
    dlg.GetWindowRect(&moved);
    EXPECT_EQ(moved.left, before.left + 40);
    EXPECT_EQ(moved.top, before.top + 30);
    dlg.DestroyWindow();
}

}  // namespace
