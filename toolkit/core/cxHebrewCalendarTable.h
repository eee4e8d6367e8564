#pragma once
// The Hebrew calendar table (TcxHebrewCalendarTable) and its year table (THebrewYearRow,
// HebrewYearRow), and the numeric value of Hebrew letters (HebrewLetterNumber).

#include "cxCalendarTables.h"

class TcxHebrewCalendarTable : public TcxCustomCalendarTable {
    Z_CLASS(TcxHebrewCalendarTable, TcxCustomCalendarTable)
public:
    TcxHebrewCalendarTable();
    ~TcxHebrewCalendarTable() override;

    TDateTime UpperDateLimit() override;
    TDateTime LowerDateLimit() override;
    int UpperYearLimit() override { return 5999; }
    int LowerYearLimit() override { return 5343; }
    TcxEra* StandardEra() override { return defaultEra_; }
    TcxCalendarAlgorithmKind AlgorithmKind() override { return cakLunisolar; }
    int PlatformCalendarId() override { return 8; }

    TcxCalendarMoment SplitDate(TDateTime value) override;
    TDateTime MomentToValue(const TcxCalendarMoment& date) override;
    int EraMonthLength(int era, int year, int month) override;
    int EraYearLength(int era, int year) override;
    int EraMonthCount(int era, int year) override;
    int WeekStartDay() override { return 0; }
    int WeeksPerYear(int year) override { return EraYearLength(-1, year) / 7; }
    int WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) override;
    bool LeapDayInEra(int era, int year, int month, int day) override;
    bool LeapMonthInEra(int era, int year, int month) override;
    bool LeapYearInEra(int era, int year) override;
    int DayFromText(const String& text) override;
    int MonthFromText(int year, const String& text) override;
    int YearFromText(const String& text) override;

private:
    TcxEra* defaultEra_;
};

// A row of the Hebrew year table: the code of the Hebrew date of January 1 of Gregorian year
// (Hebrew year - 3760), and the year-type code (1..3 for 353..355 days, plus 3 in a leap year).
struct THebrewYearRow {
    Integer JanuaryFirstCode;
    Integer YearType;
};
constexpr int HebrewTableFirstYear = 5343;
constexpr int HebrewTableLastYear = 5999;
// The row of a Hebrew year; nullptr outside the table.
const THebrewYearRow* HebrewYearRow(int hebrewYear);
// The sum of the letters' numeric values (alef 1 .. tav 400, final forms as their normal ones).
int HebrewLetterNumber(const String& text);
