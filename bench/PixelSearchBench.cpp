// PixelSearch over the whole 1024x768 screen for a colour that is not on it,
// so that every pixel is looked at: the time per search, against the time the
// same scan would take with one GetPixel per pixel (measured on a sample of
// the screen and scaled up), and PixelChecksum of the whole screen.
//
// Run under Wine after a build:
//   tools/wine-session.sh --temp-prefix --virtual-display -- wine build/bench/pixel_search_bench.exe
#include "bench/BuiltinBench.h"

#include <windows.h>

#include <stdio.h>

using namespace builtin_bench;

int main()
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int runs = 20;
    CEngineVariant result;
    int error = 0;
    double start = NowMs();
    for (int i = 0; i < runs; ++i)
        error = Call("PIXELSEARCH", {Int(0), Int(0), Int(width - 1), Int(height - 1), Int(0x123457)}, result);
    const double searchMs = (NowMs() - start) / runs;

    start = NowMs();
    for (int i = 0; i < runs; ++i)
        Call("PIXELCHECKSUM", {Int(0), Int(0), Int(width - 1), Int(height - 1)}, result);
    const double checksumMs = (NowMs() - start) / runs;

    // One GetPixel per pixel, on one column band of the screen.
    const HDC screen = GetDC(nullptr);
    const int sampleColumns = 16;
    start = NowMs();
    COLORREF sink = 0;
    for (int x = 0; x < sampleColumns; ++x)
        for (int y = 0; y < height; ++y)
            sink ^= GetPixel(screen, x, y);
    const double perPixelMs = (NowMs() - start) / (sampleColumns * height);
    ReleaseDC(nullptr, screen);

    printf("screen %dx%d (%d pixels)\n", width, height, width * height);
    printf("PixelSearch, whole screen, colour absent: %8.2f ms per search (@error %d)\n", searchMs, error);
    printf("PixelChecksum, whole screen:              %8.2f ms per checksum\n", checksumMs);
    printf("GetPixel per pixel (sampled):             %8.4f ms per pixel -> %.0f ms for the screen (%.0fx)\n",
           perPixelMs, perPixelMs * width * height, perPixelMs * width * height / searchMs);
    return sink == 0xFFFFFFFF ? 1 : 0;
}
