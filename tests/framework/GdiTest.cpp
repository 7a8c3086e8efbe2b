// GDI wrappers: selection hands back what it replaced, and every object
// and context a wrapper makes is freed with it.
#include "framework/Ui.h"
#include "tests/support/GuiObjects.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(Gdi, SelectingAnObjectReturnsTheOneItReplaced)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
    CPen* old = dc.SelectObject(&pen);
    EXPECT_EQ(old->m_hObject, original);
    EXPECT_EQ(dc.SelectObject(old)->m_hObject, pen.m_hObject);
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(original)), old) << "one wrapper per handle until idle";
}

TEST(Gdi, WrappersFreeWhatTheyMake)
{
    auto drawSomething = [] {
        CDC screen;
        screen.Attach(GetDC(nullptr));
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 20, 20);
        CBitmap* oldBitmap = memory.SelectObject(&bitmap);
        CBrush brush(RGB(200, 0, 0));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 200));
        CFont font;
        font.CreatePointFont(80, "Tahoma");
        CRgn region;
        region.CreateRectRgn(0, 0, 10, 10);
        CPen* oldPen = memory.SelectObject(&pen);
        CFont* oldFont = memory.SelectObject(&font);
        memory.SelectClipRgn(&region);
        memory.FillRect(CRect(0, 0, 20, 20), &brush);
        memory.Draw3dRect(CRect(0, 0, 20, 20), RGB(255, 255, 255), RGB(0, 0, 0));
        memory.SelectObject(oldPen);
        memory.SelectObject(oldFont);
        memory.SelectObject(oldBitmap);
        ReleaseDC(nullptr, screen.Detach());
    };
    ExpectNoGuiObjectLeak(drawSomething, 20);
}

}  // namespace
