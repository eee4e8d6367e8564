#include <gtest/gtest.h>

#include "DateUtils.h"
#include "FloatControl.h"
#include "SysMath.h"
#include "TestSupport.h"

namespace {

TEST(Rounding, RoundHalfToEvenTruncFracInt) {
    struct Case {
        Extended value;
        Int64 round, trunc;
    } cases[] = {
        {2.5, 2, 2}, {3.5, 4, 3},    {-2.5, -2, -2}, {-3.5, -4, -3}, {0.5, 0, 0},
        {1.5, 2, 1}, {2.4999, 2, 2}, {2.5001, 3, 2}, {-0.7, -1, 0},  {1e12 + 0.5, 1000000000000, 1000000000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.value), c.round) << double(c.value);
        EXPECT_EQ(Trunc(c.value), c.trunc) << double(c.value);
    }
    EXPECT_DOUBLE_EQ(double(Frac(2.75L)), 0.75);
    EXPECT_DOUBLE_EQ(double(Frac(-2.75L)), -0.75);
    EXPECT_DOUBLE_EQ(double(Int(-2.75L)), -2.0);
    EXPECT_EQ(Get8087CW() & ~0x40, kDefaultFPUControlWord);  // bit 6 is reserved and reads as set
}

TEST(Random, KnownSeedGivesTheRuntimesSequence) {
    // s := s * 134775813 + 1 (mod 2^32); Random(n) = (s * n) >> 32 after the step.
    RandSeed = 0;
    struct Step {
        Cardinal seed;
        Integer random100;
    } steps[] = {{1u, 0}, {134775814u, 3}, {3698175007u, 86}, {870078620u, 20}, {1172187917u, 27}};
    for (const Step& step : steps) {
        EXPECT_EQ(Random(100), step.random100);
        EXPECT_EQ(Cardinal(RandSeed), step.seed);
    }
    // Random() = s / 2^32.
    RandSeed = 12345;
    EXPECT_DOUBLE_EQ(double(Random()), 1655067934.0 / 4294967296.0);
    EXPECT_DOUBLE_EQ(double(Random()), 1242767767.0 / 4294967296.0);
    RandSeed = -1;
    EXPECT_EQ(Random(1000), 968);
    EXPECT_EQ(RandSeed, -134775812);
    for (int i = 0; i < 1000; ++i) {
        Integer r = Random(7);
        ASSERT_TRUE(r >= 0 && r < 7);
        Extended f = Random();
        ASSERT_TRUE(f >= 0 && f < 1);
    }
    EXPECT_EQ(Random(0), 0);
}

TEST(SystemRoutines, MulDivRoundsHalfAwayAndFailsWithMinusOne) {
    EXPECT_EQ(MulDiv(10, 3, 4), 8);    // 7.5
    EXPECT_EQ(MulDiv(-10, 3, 4), -8);  // -7.5
    EXPECT_EQ(MulDiv(5, 1, 3), 2);     // 1.67
    EXPECT_EQ(MulDiv(96, 120, 96), 120);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1);
    Int64 t0 = PerformanceCounter();
    Sleep(20);
    Int64 elapsed = PerformanceCounter() - t0;
    EXPECT_GT(PerformanceFrequency(), 0);
    EXPECT_GE(double(elapsed) / double(PerformanceFrequency()), 0.015);
}

TEST(Dates, EncodeDecodeAndTheEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    struct Case {
        Word y, m, d;
    } dates[] = {{1, 1, 1},     {1600, 2, 29},  {1899, 12, 30}, {1900, 2, 28},
                 {2000, 2, 29}, {2024, 12, 31}, {9999, 12, 31}};
    for (const Case& c : dates) {
        Word y, m, d;
        DecodeDate(EncodeDate(c.y, c.m, c.d), y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(2023, 13, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

    TDateTime t = EncodeTime(18, 30, 15, 250);
    EXPECT_DOUBLE_EQ(t, (18 * 3600 + 30 * 60 + 15.25) / 86400.0);
    Word h, mi, s, ms;
    DecodeTime(EncodeDate(1850, 1, 1) - t, h, mi, s, ms);  // before the epoch the fraction still counts forward
    EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 183015250);

    SYSTEMTIME st = DateTimeToSystemTime(EncodeDate(2024, 5, 17) + EncodeTime(9, 8, 7, 6));
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wDay, 17);
    EXPECT_EQ(st.wDayOfWeek, 5);                             // a Friday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 5, 17) + 0.9), 6);  // 1 = Sunday
    EXPECT_EQ(DayOfWeek(0), 7);                              // 1899-12-30, a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1850, 1, 6) - 0.5), 1);   // a Sunday before the epoch
    EXPECT_EQ(st.wMilliseconds, 6);
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(st), EncodeDate(2024, 5, 17) + EncodeTime(9, 8, 7, 6));

    TDateTime now = Now();
    EXPECT_NEAR(now, Date() + Time(), 1.0 / 86400);
    EXPECT_GT(now, EncodeDate(2020, 1, 1));
}

}  // namespace
