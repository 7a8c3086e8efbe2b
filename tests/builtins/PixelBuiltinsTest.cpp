// Pixel builtins on a window painted in known colours.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/builtins/TestWindow.h"

#include <gtest/gtest.h>

using namespace builtins_test;

namespace {

// The window covers (200, 200)-(400, 300): a dark background with a red
// patch at (220, 210)-(239, 229), an orange-ish one at (350, 220)-(359, 229),
// a blue one at (300, 250)-(309, 259) and one black pixel at (380, 280).
const COLORREF kBackground = RGB(10, 20, 30);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 128, 255);
const COLORREF kOrange = RGB(200, 100, 50);

class PixelTest : public testing::Test
{
protected:
    PixelTest()
        : window({200, 200, 400, 300}, kBackground,
                 {{{20, 10, 40, 30}, kRed}, {{100, 50, 110, 60}, kBlue}, {{150, 20, 160, 30}, kOrange},
                  {{180, 80, 181, 81}, RGB(0, 0, 0)}})
    {
    }

    std::string Search(int left, int top, int right, int bottom, int colour, std::vector<CEngineVariant> more = {},
                       int* error = nullptr)
    {
        std::vector<CEngineVariant> args = {Int(left), Int(top), Int(right), Int(bottom), Int(colour)};
        args.insert(args.end(), more.begin(), more.end());
        Outcome outcome = Call("PIXELSEARCH", args);
        if (error)
            *error = outcome.error;
        return outcome.error ? "none" : outcome.Text();
    }
    double Checksum(int left, int top, int right, int bottom)
    {
        return Call("PIXELCHECKSUM", {Int(left), Int(top), Int(right), Int(bottom)}).Number();
    }
    int Check(int x, int y, int r, int g, int b, int mode, int* error = nullptr)
    {
        Outcome outcome = Call("CHECKCOLOR", {Int(x), Int(y), Int(r), Int(g), Int(b), Int(mode)});
        if (error)
            *error = outcome.error;
        return outcome.result.GetInt();
    }

    TestWindow window;
};

// Adler-32 over red, green and blue of each pixel as GetPixel reads it,
// columns from the left and each from the top.
double ReferenceChecksum(int left, int top, int right, int bottom)
{
    const HDC screen = GetDC(nullptr);
    unsigned a = 1, b = 0;
    for (int x = left; x <= right; ++x) {
        for (int y = top; y <= bottom; ++y) {
            const COLORREF colour = GetPixel(screen, x, y);
            for (unsigned byte : {GetRValue(colour), GetGValue(colour), GetBValue(colour)}) {
                a = (a + byte) % 65521;
                b = (b + a) % 65521;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return static_cast<double>(b << 16 | a);
}

TEST_F(PixelTest, GetColorInEachColourAndCoordinateMode)
{
    EXPECT_EQ(Call("PIXELGETCOLOR", {Int(225), Int(215)}).result.GetInt(), 0xFF0000);
    EXPECT_EQ(Call("PIXELGETCOLOR", {Int(305), Int(255)}).result.GetInt(), 0x0080FF);
    EXPECT_EQ(Call("PIXELGETCOLOR", {Int(210), Int(290)}).result.GetInt(), 0x0A141E);
    {
        OptionScope systemOrder("ColorMode", 1);
        EXPECT_EQ(Call("PIXELGETCOLOR", {Int(305), Int(255)}).result.GetInt(), 0xFF8000);
    }
    OptionScope relative("PixelCoordMode", 0);
    EXPECT_EQ(Call("PIXELGETCOLOR", {Int(25), Int(15)}).result.GetInt(), 0xFF0000);
    Outcome offScreen = Call("PIXELGETCOLOR", {Int(-400), Int(-400)});
    EXPECT_EQ(offScreen.error, 1);
    EXPECT_EQ(offScreen.result.GetInt(), -1);
}

TEST_F(PixelTest, SearchFindsTheFirstPixelByColumns)
{
    EXPECT_EQ(Search(200, 200, 399, 299, 0xFF0000), "[220|210]");
    EXPECT_EQ(Search(200, 200, 399, 299, 0x0080FF), "[300|250]");
    // Both bounds are part of the area.
    EXPECT_EQ(Search(239, 229, 239, 229, 0xFF0000), "[239|229]");
    EXPECT_EQ(Search(240, 230, 260, 240, 0xFF0000), "none");
    // Steps: 200, 203, ... reach the patch at 221 and 212.
    EXPECT_EQ(Search(200, 200, 399, 299, 0xFF0000, {Int(0), Int(3)}), "[221|212]");
    EXPECT_EQ(Search(200, 200, 399, 299, 0xFF0000, {Int(0), Int(1)}), "[220|210]");
    // Far off the screen on every side: only the screen is searched.
    EXPECT_EQ(Search(-100000, -100000, 100000, 100000, 0x0080FF), "[300|250]");
    int error = 0;
    EXPECT_EQ(Search(200, 200, 399, 299, 0x123456, {}, &error), "none");
    EXPECT_EQ(error, 1);
    EXPECT_EQ(Search(399, 299, 200, 200, 0xFF0000), "none");
}

TEST_F(PixelTest, SearchWithShadeAcceptsNearColours)
{
    EXPECT_EQ(Search(200, 200, 399, 299, 0xCD6937), "none");                      // (205, 105, 55)
    EXPECT_EQ(Search(200, 200, 399, 299, 0xCD6937, {Int(4)}), "none");
    EXPECT_EQ(Search(200, 200, 399, 299, 0xCD6937, {Int(5)}), "[350|220]");
    EXPECT_EQ(Search(200, 200, 399, 299, 0xCD6937, {Int(-7)}), "none");            // negative: exact
    // A shade of 256 or more accepts every pixel.
    EXPECT_EQ(Search(300, 250, 399, 299, 0x123456, {Int(300)}), "[300|250]");
    // Channels are clipped to 0-255: the red patch is within 10 of (250, 0, 5).
    EXPECT_EQ(Search(200, 200, 399, 299, 0xFA0005, {Int(10)}), "[220|210]");
}

TEST_F(PixelTest, SearchInTheOtherModes)
{
    {
        OptionScope systemOrder("ColorMode", 1);
        EXPECT_EQ(Search(200, 200, 399, 299, 0x0000FF), "[220|210]");
        EXPECT_EQ(Search(200, 200, 399, 299, 0xFF8000), "[300|250]");
    }
    OptionScope relative("PixelCoordMode", 0);
    EXPECT_EQ(Search(0, 0, 199, 99, 0xFF0000), "[20|10]");
    EXPECT_EQ(Search(50, 0, 199, 99, 0x0080FF), "[100|50]");
}

TEST_F(PixelTest, ChecksumIsAdlerOverRedGreenBlue)
{
    EXPECT_EQ(Checksum(380, 280, 380, 280), static_cast<double>(0x00030001));     // one black pixel
    EXPECT_EQ(Checksum(215, 205, 245, 235), ReferenceChecksum(215, 205, 245, 235));
    EXPECT_EQ(Checksum(200, 200, 399, 299), ReferenceChecksum(200, 200, 399, 299));
    // Points off the screen count as a failed GetPixel reads them.
    EXPECT_EQ(Checksum(-40, -10, 5, 5), ReferenceChecksum(-40, -10, 5, 5));
    EXPECT_EQ(Checksum(1010, 750, 1040, 780), ReferenceChecksum(1010, 750, 1040, 780));
    EXPECT_EQ(Checksum(2000, 2000, 2010, 2003), ReferenceChecksum(2000, 2000, 2010, 2003));
    // An area without pixels keeps the starting value; a vast one still ends.
    EXPECT_EQ(Checksum(10, 10, 9, 10), 1.0);
    EXPECT_GT(Checksum(-2000000000, -2000000000, 2000000000, 2000000000), 0.0);

    OptionScope relative("PixelCoordMode", 0);
    EXPECT_EQ(Checksum(15, 5, 45, 35), ReferenceChecksum(215, 205, 245, 235));
}

TEST_F(PixelTest, ChecksumFollowsAChangeOfOnePixel)
{
    const double before = Checksum(370, 270, 390, 290);
    window.RepaintPatch(3, RGB(0, 0, 1));
    EXPECT_EQ(Checksum(380, 280, 380, 280), static_cast<double>(0x00040002));
    EXPECT_NE(Checksum(370, 270, 390, 290), before);
    EXPECT_EQ(Checksum(370, 270, 390, 290), ReferenceChecksum(370, 270, 390, 290));
}

TEST_F(PixelTest, CheckColorInEachMode)
{
    EXPECT_EQ(Check(225, 215, 255, 0, 0, 0), 1);                 // mode 0: equal
    EXPECT_EQ(Check(225, 215, 254, 0, 0, 0), 0);
    EXPECT_EQ(Check(225, 215, 255, 0, 0, 1), 0);                 // mode 1: different
    EXPECT_EQ(Check(225, 215, 255, 0, 1, 1), 1);
    EXPECT_EQ(Check(225, 215, 240, 10, 15, 2), 1);               // mode 2: each within 20
    EXPECT_EQ(Check(225, 215, 235, 0, 0, 2), 0);                 // 20 away is not within
    EXPECT_EQ(Check(355, 225, 181, 119, 31, 2), 1);
    // The colour under the cursor.
    SetCursorPos(305, 255);
    EXPECT_EQ(Check(-1, -1, 0, 128, 255, 0), 1);
    EXPECT_EQ(Check(-1, -1, 255, 0, 0, 0), 0);
}

TEST_F(PixelTest, CheckColorWithoutAnAnswerIsNoMatch)
{
    int error = 0;
    EXPECT_EQ(Check(225, 215, 255, 0, 0, 3, &error), 0);         // no such mode
    EXPECT_EQ(error, 1);
    EXPECT_EQ(Check(225, 215, 255, 0, 0, -1, &error), 0);
    EXPECT_EQ(error, 1);
    EXPECT_EQ(Check(-500, -500, 255, 255, 255, 1, &error), 0);   // no pixel there to read
    EXPECT_EQ(error, 1);
}

}  // namespace
