// Screen-pixel builtins. Coordinates count from the foreground window under
// PixelCoordMode 0; colours are 0xRRGGBB under ColorMode 0 and the system's
// 0xBBGGRR under ColorMode 1.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/BuiltinSupport.h"
#include "engine/builtins/ScreenCapture.h"
#include "engine/support/TextHelpers.h"

namespace {

// Adler-32 (modulus 65521, starting value 1) over single bytes and over runs
// of one byte value of any length.
class Adler32
{
public:
    void Add(unsigned byte)
    {
        m_a = (m_a + byte) % kModulus;
        m_b = (m_b + m_a) % kModulus;
    }
    // `count` bytes of `byte`, the count given modulo 65521: the sums grow
    // by count * byte and count * a + byte * count * (count + 1) / 2.
    void AddRun(unsigned byte, unsigned long long countModulo)
    {
        const unsigned long long n = countModulo % kModulus;
        const unsigned long long a = m_a;
        const unsigned long long triangle = n * (n + 1) % kModulus * kHalf % kModulus;
        m_a = static_cast<unsigned>((a + n * byte) % kModulus);
        m_b = static_cast<unsigned>((m_b + n * a % kModulus + byte * triangle) % kModulus);
    }
    DWORD Value() const { return m_b << 16 | m_a; }

    static unsigned long long Modulo(long long value) { return static_cast<unsigned long long>(value) % kModulus; }

private:
    static const unsigned kModulus = 65521;
    static const unsigned kHalf = (kModulus + 1) / 2;   // the inverse of 2
    unsigned m_a = 1;
    unsigned m_b = 0;
};

// A point off the screen reads as a failed GetPixel would: three 0xFF bytes.
const unsigned kOffScreenByte = 0xFF;

// `count` pixels off the screen (count given modulo 65521).
void AddOffScreenPixels(Adler32& sum, unsigned long long countModulo)
{
    sum.AddRun(kOffScreenByte, 3 * (countModulo % 65521));
}

// The first coordinate of the grid start, start + step, ... that is at
// least `minimum`.
long long FirstOnGrid(long long start, long long step, long long minimum)
{
    if (start >= minimum)
        return start;
    return start + (minimum - start + step - 1) / step * step;
}

// The rectangle of arguments 1-4 in screen coordinates (both bounds
// included), and the origin that the script's coordinates count from.
struct Area
{
    long long left, top, right, bottom;
    POINT origin;
};

Area ReadArea(CVariantList& args, int coordinateMode)
{
    const POINT origin = BuiltinSupport::CoordinateOrigin(coordinateMode);
    return Area{static_cast<long long>(args.GetItem(0).GetInt()) + origin.x,
                static_cast<long long>(args.GetItem(1).GetInt()) + origin.y,
                static_cast<long long>(args.GetItem(2).GetInt()) + origin.x,
                static_cast<long long>(args.GetItem(3).GetInt()) + origin.y, origin};
}

bool ChannelInRange(unsigned channel, int wanted, int shade)
{
    const int low = wanted - shade < 0 ? 0 : wanted - shade;
    const int high = wanted + shade > 255 ? 255 : wanted + shade;
    return static_cast<int>(channel) >= low && static_cast<int>(channel) <= high;
}

int BuiltinPixelGetColor(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const POINT point = BuiltinSupport::ToScreen(args.GetItem(0).GetInt(), args.GetItem(1).GetInt(), options.PixelCoordMode);
    const HDC screen = GetDC(nullptr);
    if (!screen) {
        context.SetError(1);
        return 0;
    }
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) {
        // Off the screen: there is no colour to give.
        result.SetInt(-1);
        context.SetError(1);
        return 0;
    }
    if (options.ColorMode == 0)
        EngineSupport::SwapRedBlue(colour);
    result.SetInt(static_cast<int>(colour));
    return 0;
}

int BuiltinPixelSearch(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const Area area = ReadArea(args, options.PixelCoordMode);

    COLORREF colour = static_cast<COLORREF>(args.GetItem(4).GetInt());
    if (options.ColorMode == 0)
        EngineSupport::SwapRedBlue(colour);
    int shade = args.GetCount() > 5 ? args.GetItem(5).GetInt() : 0;
    shade = shade < 0 ? 0 : (shade > 255 ? 255 : shade);
    int step = args.GetCount() > 6 ? args.GetItem(6).GetInt() : 1;
    if (step < 2)
        step = 1;
    const int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);

    ScreenCapture capture;
    if (!capture.Capture(area.left, area.top, area.right, area.bottom)) {
        context.SetError(1);
        return 0;
    }
    // Columns from the left, each from the top; only points on the screen
    // can match.
    const RECT& copied = capture.Copied();
    for (long long x = FirstOnGrid(area.left, step, copied.left); x < copied.right; x += step) {
        for (long long y = FirstOnGrid(area.top, step, copied.top); y < copied.bottom; y += step) {
            const DWORD pixel = capture.PixelAt(x, y);
            if (ChannelInRange(pixel >> 16 & 0xFF, red, shade) && ChannelInRange(pixel >> 8 & 0xFF, green, shade) &&
                ChannelInRange(pixel & 0xFF, blue, shade)) {
                BuiltinSupport::MakePointArray(result, static_cast<int>(x - area.origin.x),
                                               static_cast<int>(y - area.origin.y));
                return 0;
            }
        }
    }
    context.SetError(1);
    return 0;
}

int BuiltinPixelChecksum(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const Area area = ReadArea(args, options.PixelCoordMode);
    const long long left = area.left, top = area.top, right = area.right, bottom = area.bottom;
    Adler32 sum;
    if (right < left || bottom < top) {
        result.SetNumber(sum.Value());
        return 0;
    }
    ScreenCapture capture;
    if (!capture.Capture(left, top, right, bottom)) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    const RECT& copied = capture.Copied();
    const long long rows = bottom - top + 1;
    if (IsRectEmpty(&copied)) {
        AddOffScreenPixels(sum, Adler32::Modulo(right - left + 1) * Adler32::Modulo(rows));
    } else {
        // Columns left of the screen, the columns that cross it, then those
        // right of it; red, green and blue of each pixel from the top.
        AddOffScreenPixels(sum, Adler32::Modulo(copied.left - left) * Adler32::Modulo(rows));
        for (long long x = copied.left; x < copied.right; ++x) {
            AddOffScreenPixels(sum, Adler32::Modulo(copied.top - top));
            for (long long y = copied.top; y < copied.bottom; ++y) {
                const DWORD pixel = capture.PixelAt(x, y);
                sum.Add(pixel >> 16 & 0xFF);
                sum.Add(pixel >> 8 & 0xFF);
                sum.Add(pixel & 0xFF);
            }
            AddOffScreenPixels(sum, Adler32::Modulo(bottom + 1 - copied.bottom));
        }
        AddOffScreenPixels(sum, Adler32::Modulo(right + 1 - copied.right) * Adler32::Modulo(rows));
    }
    result.SetNumber(sum.Value());
    return 0;
}

int BuiltinCheckColor(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    POINT point = {args.GetItem(0).GetInt(), args.GetItem(1).GetInt()};
    if (point.x == -1 && point.y == -1)
        GetCursorPos(&point);
    const int red = args.GetItem(2).GetInt();
    const int green = args.GetItem(3).GetInt();
    const int blue = args.GetItem(4).GetInt();
    const int mode = args.GetItem(5).GetInt();

    // Nothing read, or no known test: no match.
    result.SetInt(0);
    const HDC screen = GetDC(nullptr);
    if (!screen || mode < 0 || mode > 2) {
        if (screen)
            ReleaseDC(nullptr, screen);
        context.SetError(1);
        return 0;
    }
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) {
        context.SetError(1);
        return 0;
    }
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    bool matches = false;
    switch (mode) {
    case 0:
        matches = r == red && g == green && b == blue;
        break;
    case 1:
        matches = r != red || g != green || b != blue;
        break;
    default: {
        auto within20 = [](int channel, int value) { return value - 20 < channel && channel < value + 20; };
        matches = within20(r, red) && within20(g, green) && within20(b, blue);
        break;
    }
    }
    result.SetInt(matches ? 1 : 0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"CHECKCOLOR", BuiltinCheckColor},
    {"PIXELCHECKSUM", BuiltinPixelChecksum},
    {"PIXELGETCOLOR", BuiltinPixelGetColor},
    {"PIXELSEARCH", BuiltinPixelSearch},
};

}  // namespace

extern const BuiltinFamily kPixelBuiltins = MakeBuiltinFamily("pixels", kBindings);
