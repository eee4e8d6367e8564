#pragma once
// The Gregorian calendar table (TcxGregorianCalendarTable, with its localized variants told
// apart by the platform's calendar id) and the era calendars built on it: Japanese
// (TcxJapaneseCalendarTable, four eras), Taiwan, Korean and Thai (TcxTaiwanCalendarTable,
// TcxKoreanCalendarTable, TcxThaiCalendarTable: one era with a fixed year offset).

#include "cxCalendarTables.h"

class TcxGregorianCalendarTable : public TcxCustomCalendarTable {
    Z_CLASS(TcxGregorianCalendarTable, TcxCustomCalendarTable)
public:
    explicit TcxGregorianCalendarTable(int calendarId = 1);
    ~TcxGregorianCalendarTable() override;

    TDateTime UpperDateLimit() override;
    TDateTime LowerDateLimit() override;
    int UpperYearLimit() override { return 9999; }
    int LowerYearLimit() override { return 100; }
    TcxEra* StandardEra() override { return defaultEra_; }
    TcxCalendarAlgorithmKind AlgorithmKind() override { return cakSolar; }
    int PlatformCalendarId() override { return calendarId_; }

    TcxCalendarMoment SplitDate(TDateTime value) override;
    TDateTime MomentToValue(const TcxCalendarMoment& date) override;
    int EraMonthLength(int era, int year, int month) override;
    int EraYearLength(int era, int year) override;
    int EraMonthCount(int era, int year) override { return 12; }
    int WeekStartDay() override;
    int WeeksPerYear(int year) override;
    int WeekIndexOf(const TcxCalendarMoment& date, int startDay, int rule) override;
    bool LeapDayInEra(int era, int year, int month, int day) override;
    bool LeapMonthInEra(int era, int year, int month) override;
    bool LeapYearInEra(int era, int year) override;

protected:
    TcxEra* DefaultEra() const { return defaultEra_; }

private:
    int calendarId_;
    TcxEra* defaultEra_;
};

// The era calendars: Japanese with its four eras; Taiwan, Korean and Thai with one era each.
// Supported years run from the first era's lowest year to the last era's highest, supported
// dates from the first era's start; the standard era is the last one.
class TcxJapaneseCalendarTable : public TcxGregorianCalendarTable {
    Z_CLASS(TcxJapaneseCalendarTable, TcxGregorianCalendarTable)
public:
    TcxJapaneseCalendarTable();

    TDateTime LowerDateLimit() override;
    int UpperYearLimit() override;
    int LowerYearLimit() override;
    TcxEra* StandardEra() override;
    int PlatformCalendarId() override { return 3; }
    int WeekStartDay() override { return 0; }

protected:
    // The one-era calendars: only their own era.
    explicit TcxJapaneseCalendarTable(TcxEra* onlyEra);
};

class TcxTaiwanCalendarTable : public TcxJapaneseCalendarTable {
    Z_CLASS(TcxTaiwanCalendarTable, TcxJapaneseCalendarTable)
public:
    TcxTaiwanCalendarTable();
    int PlatformCalendarId() override { return 4; }
};

class TcxKoreanCalendarTable : public TcxJapaneseCalendarTable {
    Z_CLASS(TcxKoreanCalendarTable, TcxJapaneseCalendarTable)
public:
    TcxKoreanCalendarTable();
    int PlatformCalendarId() override { return 5; }
};

class TcxThaiCalendarTable : public TcxJapaneseCalendarTable {
    Z_CLASS(TcxThaiCalendarTable, TcxJapaneseCalendarTable)
public:
    TcxThaiCalendarTable();
    int PlatformCalendarId() override { return 7; }
};
