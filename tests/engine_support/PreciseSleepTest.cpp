#include "engine/support/PreciseSleep.h"

#include "tests/engine_support/SupportFixtures.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace EngineSupport;

namespace {

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double MeasureMs(int ms)
{
    const double start = NowMs();
    PreciseSleep(ms);
    return NowMs() - start;
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

TEST(PreciseSleepWhile, AsksAtLeastEveryTenMillisecondsAndKeepsItsLength)
{
    const double start = NowMs();
    double lastAsked = start, longestGap = 0;
    int asked = 0;
    const bool wentOn = PreciseSleepWhile(100, [&] {
        const double now = NowMs();
        if (now - lastAsked > longestGap)
            longestGap = now - lastAsked;
        lastAsked = now;
        ++asked;
        return true;
    });
    const double took = NowMs() - start;
    EXPECT_TRUE(wentOn);
    EXPECT_GE(took, 100.0);
    EXPECT_LT(took, 200.0);
    EXPECT_GE(asked, 10);
    EXPECT_LT(longestGap, 30.0);   // 10 ms slices, with room for a busy machine

    asked = 0;
    EXPECT_TRUE(PreciseSleepWhile(0, [&] { return ++asked > 0; }));
    EXPECT_EQ(asked, 1);   // a step without a pause asks too
}

TEST(PreciseSleepWhile, EndsAtOnceWhenToldToStop)
{
    const double start = NowMs();
    EXPECT_FALSE(PreciseSleepWhile(600000, [&] { return NowMs() - start < 30.0; }));
    EXPECT_LT(NowMs() - start, 100.0);

    int asked = 0;
    EXPECT_FALSE(PreciseSleepWhile(5, [&] { ++asked; return false; }));
    EXPECT_EQ(asked, 1);   // already stopping: no pause at all
}

}  // namespace
