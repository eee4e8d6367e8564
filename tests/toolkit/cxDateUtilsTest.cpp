// Month stepping, day clamping, day and time parts, weeks, and the locale's start of week.

#include <gtest/gtest.h>

#include "DateTesting.h"
#include "cxCalendarTables.h"
#include "cxDateUtils.h"

TEST(DateArithmetic, ShiftMonthAcrossYears) {
    struct Case {
        Word year, month;
        int delta;
        Word toYear, toMonth;
        int years;
    };
    const Case cases[] = {
        {2024, 1, -1, 2023, 12, 0}, {2024, 1, -13, 2022, 12, -1}, {2024, 1, 25, 2026, 2, 2},
        {2024, 12, 1, 2025, 1, 0},  {2024, 6, -6, 2023, 12, 0},   {2024, 6, 0, 2024, 6, 0},
        {2024, 11, 14, 2026, 1, 1}, {2024, 3, -27, 2021, 12, -2},
    };
    for (const Case& c : cases) {
        Word year = c.year, month = c.month;
        EXPECT_EQ(ShiftMonth(year, month, c.delta), c.years) << c.year << "-" << c.month << " by " << c.delta;
        EXPECT_EQ(year, c.toYear) << c.delta;
        EXPECT_EQ(month, c.toMonth) << c.delta;
    }
    Word year = 2024, month = 1;
    StepMonthBack(year, month);
    EXPECT_EQ(year * 100 + month, 202312);
    StepMonthForward(year, month);
    StepMonthForward(year, month);
    EXPECT_EQ(year * 100 + month, 202402);
    year = 2024, month = 12;
    StepMonthForward(year, month);
    EXPECT_EQ(year * 100 + month, 202501);
}

TEST(DateArithmetic, ClampDayAndLeapYears) {
    EXPECT_EQ(ClampDay(2023, 2, 30), 28);
    EXPECT_EQ(ClampDay(2024, 2, 30), 29);
    EXPECT_EQ(ClampDay(2024, 4, 0), 1);
    EXPECT_EQ(ClampDay(2024, 4, -5), 1);
    EXPECT_EQ(ClampDay(2024, 4, 31), 30);
    EXPECT_EQ(ClampDay(2024, 4, 17), 17);
    EXPECT_FALSE(IsGregorianLeapYear(1900));
    EXPECT_TRUE(IsGregorianLeapYear(2000));
    EXPECT_TRUE(IsGregorianLeapYear(2024));
    EXPECT_FALSE(IsGregorianLeapYear(2023));
    EXPECT_TRUE(IsGregorianLeapYear(-4));  // the same formula below zero
    EXPECT_FALSE(IsGregorianLeapYear(-100));
    EXPECT_EQ(MonthDayCount(2024, 2), 29);
    EXPECT_EQ(MonthDayCount(2100, 2), 28);
    EXPECT_EQ(MonthDayCount(2024, 13), 0);
}

TEST(DateArithmetic, NegativeDatesSplitTowardZero) {
    EXPECT_DOUBLE_EQ(StripTimeOfDay(-1.25), -1.0);
    EXPECT_DOUBLE_EQ(TimeOfDayPart(-1.25), 0.25);
    EXPECT_DOUBLE_EQ(StripTimeOfDay(45351.75), 45351.0);
    EXPECT_DOUBLE_EQ(TimeOfDayPart(45351.75), 0.75);
    // Rounded to whole milliseconds: a value a hair before midnight is the next day.
    EXPECT_DOUBLE_EQ(StripTimeOfDay(45351.9999999999), 45352.0);
    EXPECT_DOUBLE_EQ(TimeOfDayPart(45351.9999999999), 0.0);
}

TEST(DateArithmetic, DateComponentsWithAndWithoutTable) {
    const TDateTime date = DateOf(2024, 2, 29);
    EXPECT_EQ(DateComponent(dcYear, nullptr, date), 2024);
    EXPECT_EQ(DateComponent(dcMonth, nullptr, date), 2);
    EXPECT_EQ(DateComponent(dcDay, nullptr, date), 29);
    TcxThaiCalendarTable thai;
    EXPECT_EQ(DateComponent(dcYear, &thai, date), 2567);
}

TEST(DateArithmetic, WeeksOfTheYear) {
    struct Case {
        int startDay;
        TcxFirstWeekRule rule;
        TDateTime date;
        int week;
    };
    const Case cases[] = {
        {1, fwrJanuaryFirst, DateOf(2024, 12, 30), 1},  // the week from Monday 2024-12-30 holds 2025-01-01
        {1, fwrFourDays, DateOf(2024, 12, 30), 1},
        {1, fwrFullWeek, DateOf(2024, 12, 30), 53},   // no December rule for full weeks
        {1, fwrJanuaryFirst, DateOf(2024, 1, 1), 1},  // a Monday
        {1, fwrFullWeek, DateOf(2024, 1, 1), 1},
        {0, fwrJanuaryFirst, DateOf(2023, 1, 1), 1},  // a Sunday
        {1, fwrJanuaryFirst, DateOf(2023, 1, 1), 1},  // the week from Monday 2022-12-26
        {1, fwrFourDays, DateOf(2023, 1, 2), 1},
        {1, fwrFullWeek, DateOf(2023, 1, 8), 1},
        {1, fwrJanuaryFirst, DateOf(2023, 12, 31), 53},
        {1, fwrFourDays, DateOf(2020, 12, 31), 53},  // a Thursday: four days of 2020
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeekOfYear(c.startDay, c.rule, c.date), c.week)
            << "start " << c.startDay << " rule " << int(c.rule) << " day " << c.date;
    EXPECT_DOUBLE_EQ(WeekStartOf(DateOf(2024, 2, 14) + 0.5, 1), DateOf(2024, 2, 12));  // Wednesday to Monday
    EXPECT_DOUBLE_EQ(WeekStartOf(DateOf(2024, 2, 11), 1), DateOf(2024, 2, 5));         // Sunday to Monday
    EXPECT_DOUBLE_EQ(WeekStartOf(DateOf(2024, 2, 11), 0), DateOf(2024, 2, 11));
}

TEST(DateArithmetic, StartOfWeekFromTheThreadLocale) {
    {
        TLocaleScope russian(0x419);  // weeks start on Monday (locale value 0)
        EXPECT_EQ(LocaleStartOfWeek(), 1);
        EXPECT_EQ(FormatControllerInstance()->StartOfWeek(), 1);
        EXPECT_EQ(DayIndexInWeek(DateOf(2024, 2, 12)), 0);  // Monday
        EXPECT_EQ(DayIndexInWeek(DateOf(2024, 2, 18)), 6);  // Sunday
        EXPECT_EQ(LocaleFirstWeekRule(), fwrFourDays);
    }
    {
        TLocaleScope english(0x409);  // Sunday (locale value 6)
        EXPECT_EQ(LocaleStartOfWeek(), 0);
        EXPECT_EQ(DayIndexInWeek(DateOf(2024, 2, 18)), 0);
        EXPECT_EQ(LocaleFirstWeekRule(), fwrJanuaryFirst);
    }
}
