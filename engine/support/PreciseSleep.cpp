#include "engine/support/PreciseSleep.h"

#include "base/OsVersion.h"

#include <windows.h>

namespace EngineSupport {

namespace {

const int kSliceMs = 10;

LONGLONG ElapsedMs(const LARGE_INTEGER& start, const LARGE_INTEGER& frequency)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (now.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
}

}  // namespace

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
        if (ElapsedMs(start, frequency) >= ms)
            return;
    }
}

bool PreciseSleepWhile(int ms, const std::function<bool()>& goOn)
{
    if (!goOn())
        return false;
    LARGE_INTEGER start, frequency;
    if (ms <= kSliceMs || !QueryPerformanceCounter(&start) || !QueryPerformanceFrequency(&frequency) ||
        frequency.QuadPart <= 0) {
        PreciseSleep(ms);
        return ms <= 0 || goOn();
    }
    // Slices measured against the start, so that the pause keeps its length
    // however long the pumping takes.
    for (;;) {
        const LONGLONG left = ms - ElapsedMs(start, frequency);
        if (left <= 0)
            return true;
        PreciseSleep(left < kSliceMs ? static_cast<int>(left) : kSliceMs);
        if (!goOn())
            return false;
    }
}

}  // namespace EngineSupport
