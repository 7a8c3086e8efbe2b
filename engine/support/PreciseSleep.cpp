#include "engine/support/PreciseSleep.h"

#include "base/OsVersion.h"

#include <windows.h>

namespace EngineSupport {

void PreciseSleep(int ms)
{
    if (ms < 0)
        return;
    if (ms == 0) {
        Sleep(0);
        return;
    }

    const int coarseThreshold = g_OsVersion.Is9x ? 55 : 10;
    LARGE_INTEGER start, frequency;
    if (ms >= coarseThreshold || !QueryPerformanceCounter(&start) ||
        !QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) {
        Sleep(static_cast<DWORD>(ms));
        return;
    }

    // 64-bit arithmetic throughout: the counter runs at MHz rates, so its
    // readings overflow 32 bits within seconds.
    for (;;) {
        Sleep(0);
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const LONGLONG elapsedMs = (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
        if (elapsedMs >= ms)
            return;
    }
}

}  // namespace EngineSupport
