#include "engine/support/PreciseSleep.h"

#include "tests/engine_support/SupportFixtures.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace EngineSupport;

namespace {

double MeasureMs(int ms)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    PreciseSleep(ms);
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The shortest of a few runs: a loaded machine may delay any single one.
double ShortestMs(int ms)
{
    double shortest = 1e9;
    for (int i = 0; i < 5; ++i) {
        const double took = MeasureMs(ms);
        EXPECT_GE(took, ms) << "returned early";
        if (took < shortest)
            shortest = took;
    }
    return shortest;
}

TEST(PreciseSleep, ShortPausesLastTheirLengthAndNoTick)
{
    EXPECT_LT(ShortestMs(3), 8.0);
    EXPECT_LT(ShortestMs(1), 6.0);
}

TEST(PreciseSleep, NegativeAndZeroReturnAtOnceLongPausesSleep)
{
    EXPECT_LT(ShortestMs(-5), 2.0);
    EXPECT_LT(ShortestMs(0), 2.0);
    const double took = MeasureMs(40);
    EXPECT_GE(took, 40.0);
    EXPECT_LT(took, 200.0);
}

TEST(PreciseSleep, OnWindows9xPausesBelowItsTickSpinToo)
{
    auto windows98 = support_test::ScopedOsVersion::Windows98();
    EXPECT_GE(MeasureMs(30), 30.0);
    EXPECT_LT(ShortestMs(3), 8.0);
}

}  // namespace
