#pragma once
// The arithmetic Hijri calendar table (TcxHijriCalendarTable).

#include "cxCalendarTables.h"

class TcxHijriCalendarTable : public TcxCustomCalendarTable {
    Z_CLASS(TcxHijriCalendarTable, TcxCustomCalendarTable)
public:
    TcxHijriCalendarTable();
    ~TcxHijriCalendarTable() override;

    TDateTime UpperDateLimit() override;
    TDateTime LowerDateLimit() override;
    int UpperYearLimit() override { return 9666; }
    int LowerYearLimit() override { return 1; }
    TcxEra* StandardEra() override { return defaultEra_; }
    TcxCalendarAlgorithmKind AlgorithmKind() override { return cakLunar; }
    int PlatformCalendarId() override { return 6; }

    TcxCalendarMoment SplitDate(TDateTime value) override;
    TDateTime MomentToValue(const TcxCalendarMoment& date) override;
    int EraMonthLength(int era, int year, int month) override;
    int EraYearLength(int era, int year) override;
    int EraMonthCount(int era, int year) override { return 12; }
    int WeekStartDay() override { return 6; }
    int WeeksPerYear(int year) override { return 50; }
    int WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) override;
    bool LeapDayInEra(int era, int year, int month, int day) override;
    bool LeapMonthInEra(int era, int year, int month) override;
    bool LeapYearInEra(int era, int year) override;
    int MonthFromText(int year, const String& text) override;

private:
    TcxEra* defaultEra_;
};
