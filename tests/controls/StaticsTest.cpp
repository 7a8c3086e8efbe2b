// The painted static and the image static in a dialog: the push-button
// look, where images and text go by the layout and text flags, loading
// images, and sizing to the content.
#include "controls/ImageStatic.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/DisplayControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

using namespace control_tests;
using namespace testing_support;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kText = RGB(0, 0, 0);   // a context's own text colour

class StaticsDlg : public CDialog
{
public:
    CPaintedStatic m_painted;
    CImageStatic m_images, m_right, m_above, m_textOnly;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_painted.SubclassDlgItem(IDC_PAINTED_STATIC, this);
        for (auto [control, id] : {std::pair<CImageStatic*, UINT>{&m_images, IDC_IMAGE_STATIC},
                                   {&m_right, IDC_IMAGE_RIGHT}, {&m_above, IDC_IMAGE_ABOVE},
                                   {&m_textOnly, IDC_TEXT_ONLY}})
            control->SubclassControl(id, this);
        return TRUE;
    }
};

// The smallest rectangle holding every pixel of the colour; empty when none.
CRect Bounds(const WindowCapture& picture, COLORREF colour)
{
    CRect bounds(picture.Width(), picture.Height(), -1, -1);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) == colour) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds.right < 0 ? CRect() : bounds;
}

class Statics : public DialogTest<StaticsDlg, IDD_STATICS>
{
protected:
    WindowCapture Repainted(CWnd& control)
    {
        control.RedrawWindow();
        PumpMessages(30);
        return Picture(control);
    }
};

TEST_F(Statics, APaintedStaticLooksLikeAPushButtonWithItsText)
{
    WindowCapture picture = Repainted(m_dlg.m_painted);
    const int w = picture.Width(), h = picture.Height();
    EXPECT_EQ(picture.Pixel(w - 1, h - 1), GetSysColor(COLOR_3DDKSHADOW)) << "the button's outer shadow";
    EXPECT_EQ(picture.Pixel(3, h / 2), GetSysColor(COLOR_BTNFACE)) << "its face";
    // The text sits in the draw rectangle: margin 4, one pixel more.
    const CRect text = Bounds(picture, kText);
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GE(text.left, 5);
    EXPECT_GE(text.top, 5);
    EXPECT_LE(text.bottom, h - 5);
    picture.SavePng("painted-static");
}

TEST_F(Statics, SizingToTheContentKeepsAllOfItInView)
{
    WindowCapture wide = Repainted(m_dlg.m_painted);
    const int textPixels = wide.Count(kText);
    ASSERT_GT(textPixels, 0);

    SIZE ideal;
    m_dlg.m_painted.GetIdealSize(&ideal);
    m_dlg.m_painted.SizeToContent();
    CRect window;
    m_dlg.m_painted.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), ideal.cx);
    EXPECT_EQ(window.Height(), ideal.cy);
    EXPECT_LT(ideal.cx, wide.Width()) << "it shrank";
    EXPECT_EQ(Repainted(m_dlg.m_painted).Count(kText), textPixels) << "nothing of the text is cut";

    ASSERT_EQ(m_dlg.m_images.LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255)), 0);
    WindowCapture before = Repainted(m_dlg.m_images);
    m_dlg.m_images.SizeToContent();
    WindowCapture after = Repainted(m_dlg.m_images);
    EXPECT_LT(after.Width(), before.Width());
    EXPECT_EQ(after.Count(kRed), 100);
    EXPECT_EQ(after.Count(kBlue), 100);
    EXPECT_EQ(after.Count(kText), before.Count(kText));
}

TEST_F(Statics, LoadingABitmapCutsItIntoImagesAndAddsToThem)
{
    CImageStatic& images = m_dlg.m_images;
    EXPECT_EQ(images.GetImageCount(), 0);
    EXPECT_FALSE(images.HasImages());
    EXPECT_EQ(images.LoadBitmap(IDB_MISSING), -1);
    EXPECT_EQ(images.GetImageCount(), 0);

    ASSERT_EQ(images.LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 2);
    ASSERT_EQ(images.LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255)), 0);
    EXPECT_EQ(images.GetImageCount(), 4) << "added to the images already there";

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_TWO_IMAGES));
    EXPECT_EQ(m_dlg.m_textOnly.AddBitmap(&bitmap, RGB(255, 255, 255)), 0) << "a list of the bitmap's size is made";
    EXPECT_EQ(m_dlg.m_textOnly.GetImageCount(), 1) << "the whole bitmap, one image";
}

TEST_F(Statics, ImagesAndTextArePlacedByTheFlags)
{
    for (CImageStatic* control : {&m_dlg.m_images, &m_dlg.m_right, &m_dlg.m_above})
        ASSERT_EQ(control->LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255)), 0);

    // Left and centred vertically (the defaults): the images start at the
    // draw rectangle, the text one pixel after them; the white frame of
    // each image is the mask and lets the face show.
    {
        WindowCapture picture = Repainted(m_dlg.m_images);
        const CRect red = Bounds(picture, kRed), blue = Bounds(picture, kBlue), text = Bounds(picture, kText);
        EXPECT_EQ(red.left, 5 + 1);
        EXPECT_EQ(blue.left, 5 + 12 + 1 + 1) << "one pixel between the images";
        EXPECT_EQ(red.Width(), 10);
        EXPECT_EQ(picture.Pixel(red.left - 1, red.top - 1), GetSysColor(COLOR_BTNFACE)) << "the masked frame";
        EXPECT_GE(text.left, 5 + 25 + 1);
        const int above = red.top - 5, below = (picture.Height() - 5) - red.bottom;
        EXPECT_LE(std::abs(above - below), 3) << "centred vertically";
    }
    // Right: the images end one pixel before the right edge, the text ends before them.
    {
        m_dlg.m_right.SetLayoutFlags(CImageStatic::AlignRight | CImageStatic::AlignMiddle);
        WindowCapture picture = Repainted(m_dlg.m_right);
        const CRect blue = Bounds(picture, kBlue), red = Bounds(picture, kRed), text = Bounds(picture, kText);
        const int right = picture.Width() - 5;
        EXPECT_EQ(blue.right, right - 1 - 1) << "the image's right edge at the edge minus 1, its frame masked";
        EXPECT_LT(text.right, red.left);
    }
    // Centred with text: the images above the text, both centred.
    {
        m_dlg.m_above.SetLayoutFlags(CImageStatic::AlignCentre | CImageStatic::AlignMiddle);
        m_dlg.m_above.SetTextFlags(CImageStatic::AlignCentre);
        WindowCapture picture = Repainted(m_dlg.m_above);
        const CRect red = Bounds(picture, kRed), blue = Bounds(picture, kBlue), text = Bounds(picture, kText);
        ASSERT_FALSE(text.IsRectEmpty());
        EXPECT_LT(red.bottom, text.top) << "images above the text";
        const int centre = picture.Width() / 2;
        EXPECT_LE(std::abs((red.left + blue.right) / 2 - centre), 2);
        EXPECT_LE(std::abs(text.CenterPoint().x - centre), 3);
    }
    // Text without images: placed by the text flags alone.
    {
        m_dlg.m_textOnly.SetTextFlags(CImageStatic::AlignCentre | CImageStatic::AlignMiddle);
        WindowCapture picture = Repainted(m_dlg.m_textOnly);
        const CRect text = Bounds(picture, kText);
        EXPECT_EQ(picture.Count(kRed) + picture.Count(kBlue), 0);
        EXPECT_LE(std::abs(text.CenterPoint().x - picture.Width() / 2), 3);
        m_dlg.m_textOnly.SetTextFlags(CImageStatic::AlignRight | CImageStatic::AlignBottom);
        WindowCapture right = Repainted(m_dlg.m_textOnly);
        EXPECT_GT(Bounds(right, kText).left, text.left);
    }
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("statics");
}

TEST(StaticsObjects, ImageStaticsFreeTheirImages)
{
    ExpectNoGuiObjectLeak([] {
        StaticsDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_STATICS));
        dlg.m_images.LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255));
        dlg.m_images.LoadBitmap(IDB_TWO_IMAGES, 12, RGB(255, 255, 255));
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        dlg.DestroyWindow();
    });
}

}  // namespace
