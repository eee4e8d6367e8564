// The date combo and its navigator: week columns, the 42 dates of a month's view, the keys of
// the drop-down (Page Down from 31 January, the Page Up example of 5 April 2026), the month
// list's scroll timers, the date bounds, and, under Xvfb, a pick in the drop-down, '+' in an
// empty editor, a drag that leaves the navigator, the navigator's pixels and the dialog.

#include "../DateTesting.h"
#include "../bars/EditControlTestWindow.h"

#include "CustomEdit.h"
#include "ExtItemsTesting.h"
#include "Form.h"
#include "cxDateUtils.h"
#include "dxBarDateCombo.h"
#include "dxBarDateNavigator.h"
#include "dxBarExtItemsShared.h"
#include "dxBarItemLinks.h"

namespace {

// The first day of the week for one test.
class TFirstDayScope {
public:
    explicit TFirstDayScope(int day) : old_(dxBarFirstDayOfWeek()) { SetdxBarFirstDayOfWeek(day); }
    ~TFirstDayScope() { SetdxBarFirstDayOfWeek(old_); }

private:
    int old_;
};

constexpr int Sunday = 0, Monday = 1;

TEST(BarDateNavigatorDates, WeekColumnsFollowTheFirstDayOfTheWeek) {
    struct TCase {
        TDateTime date;
        int firstDay, column;
    };
    // 2026-06-01 is a Monday, 2026-06-07 a Sunday.
    const TCase cases[] = {
        {DateOf(2026, 6, 1), Monday, 0}, {DateOf(2026, 6, 7), Monday, 6}, {DateOf(2026, 6, 7), Sunday, 0},
        {DateOf(2026, 6, 6), Sunday, 6}, {DateOf(2026, 6, 3), 3, 0},      {DateOf(2026, 6, 2), 3, 6},
        // Dates before 1899-12-30 count backwards: the column stays in 0..6.
        {DateOf(1899, 12, 25), Monday, 0}, {DateOf(1800, 1, 5), Sunday, 0},
    };
    for (const TCase& c : cases) EXPECT_EQ(DateColumnInWeek(c.date, c.firstDay), c.column) << c.date << " " << c.firstDay;
}

TEST(BarDateNavigatorDates, TheViewHolds42DatesAndAMonthOnTheFirstWeekdayShowsThePreviousWeek) {
    TFirstDayScope monday(Monday);
    TdxBarDateNavigator navigator(nullptr, nullptr, false);
    // June 2026 begins on a Monday: the first row is the last week of May.
    navigator.SetFirstDate(DateOf(2026, 6, 17));
    EXPECT_EQ(navigator.FirstDate(), DateOf(2026, 6, 1));
    EXPECT_EQ(navigator.GetFirstVisibleDate(), DateOf(2026, 5, 25));
    EXPECT_EQ(navigator.GetLastVisibleDate(), DateOf(2026, 7, 5));
    EXPECT_EQ(navigator.GetLastDate(), DateOf(2026, 6, 30));
    EXPECT_EQ(navigator.CellDate(0, 1), DateOf(2026, 6, 1));
    // July 2026 begins on a Wednesday: two days of June lead.
    navigator.SetFirstDate(DateOf(2026, 7, 1));
    EXPECT_EQ(navigator.GetFirstVisibleDate(), DateOf(2026, 6, 29));
    EXPECT_EQ(navigator.GetLastVisibleDate() - navigator.GetFirstVisibleDate(), 41);
}

TEST(BarDateNavigatorDates, TheMonthListScrollsFasterTheFurtherTheMouseLeavesIt) {
    struct TCase {
        int d, timerId;
        UINT interval;
    };
    const TCase cases[] = {
        {0, 0, 0},    {1, 6, 500},   {11, 6, 500},  {12, 7, 250},  {30, 8, 100},  {35, 8, 100},
        {36, 9, 50},  {200, 9, 50},  {-1, 4, 500},  {-30, 2, 100}, {-36, 1, 50},  {-500, 1, 50},
    };
    for (const TCase& c : cases) {
        const TMonthListScroll scroll = MonthListScrollFor(c.d);
        EXPECT_EQ(scroll.timerId, c.timerId) << c.d;
        EXPECT_EQ(scroll.interval, c.interval) << c.d;
    }
}

class BarDateNavigatorKeys : public WindowTest {
protected:
    void Key(TdxBarDateNavigator& navigator, Word key, bool ctrl = false) {
        if (ctrl) KeyDown(VK_CONTROL);
        navigator.Perform(WM_KEYDOWN, key, 0);
        if (ctrl) KeyUp(VK_CONTROL);
    }
};

TEST_F(BarDateNavigatorKeys, PageKeysKeepTheDayWithinTheMonthAndTheViewFollowsTheSelection) {
    TFirstDayScope monday(Monday);
    TdxBarDateNavigator navigator(nullptr, nullptr, true);
    navigator.HandleNeeded();
    navigator.SelectDate(DateOf(2026, 1, 31));
    Key(navigator, VK_NEXT);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 2, 28));
    navigator.SelectDate(DateOf(2028, 1, 31));
    Key(navigator, VK_NEXT);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2028, 2, 29));

    // From 5 April 2026 back a month: 5 March shows in February's view (its last row is 2..8
    // March), not in March's own.
    navigator.SetFirstDate(DateOf(2026, 4, 1));
    navigator.SelectDate(DateOf(2026, 4, 5));
    Key(navigator, VK_PRIOR);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 3, 5));
    EXPECT_EQ(navigator.FirstDate(), DateOf(2026, 2, 1));
    EXPECT_EQ(navigator.CellDate(0, 5), DateOf(2026, 3, 2));
    EXPECT_EQ(navigator.CellDate(6, 5), DateOf(2026, 3, 8));

    // Home and End: the week (Monday to Sunday); with Ctrl the month.
    navigator.SelectDate(DateOf(2026, 6, 17));  // a Wednesday
    Key(navigator, VK_HOME);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 6, 15));
    Key(navigator, VK_END);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 6, 21));
    Key(navigator, VK_END, true);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 6, 30));
    Key(navigator, VK_HOME, true);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 6, 1));
    Key(navigator, VK_UP);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 5, 25));
    Key(navigator, VK_RIGHT);
    EXPECT_EQ(navigator.GetSelectionStart(), DateOf(2026, 5, 26));
}

// ---- the item's date text and bounds ---------------------------------------------------------------

TEST(BarDateComboRules, BoundsClampTheDateAsStated) {
    const TDateTime d1 = DateOf(2026, 3, 1), d2 = DateOf(2026, 3, 31), inside = DateOf(2026, 3, 15);
    struct TCase {
        const char* what;
        TDateTime maxFirst, min, max;  // MaxDate set first, then MinDate, then MaxDate again
        TDateTime date, expected;
        TDateTime expectedMin;
    };
    const TCase cases[] = {
        {"no bounds: NullDate stays empty", 0, 0, 0, NullDate, NullDate, 0},
        {"inside the bounds", d2, d1, d2, inside, inside, d1},
        {"below the minimum", d2, d1, d2, d1 - 10, d1, d1},
        {"above the maximum", d2, d1, d2, d2 + 10, d2, d1},
        {"an empty date with bounds is the minimum", d2, d1, d2, NullDate, d1, d1},
        {"MinDate first while MaxDate is 0 stays 0", 0, d1, d2, inside, inside, 0},
        {"MaxDate alone: clearing gives the date 0", d2, 0, d2, NullDate, 0, 0},
    };
    for (const TCase& c : cases) {
        TdxBarDateCombo combo(nullptr);
        if (c.maxFirst != 0) combo.SetMaxDate(c.maxFirst);
        combo.SetMinDate(c.min);
        combo.SetMaxDate(c.max);
        EXPECT_EQ(combo.MinDate(), c.expectedMin) << c.what;
        combo.SetDate(c.date);
        EXPECT_EQ(combo.GetDate(), c.expected) << c.what;
        EXPECT_EQ(combo.GetText().empty(), c.expected == NullDate) << c.what;
    }
}

TEST(BarDateComboRules, TheTextLeadsWithTheDayNameAndReadsBack) {
    TdxBarDateCombo combo(nullptr);
    EXPECT_EQ(combo.DateOnStart(), bdsToday);
    EXPECT_EQ(combo.GetDate(), Date());
    const TDateTime date = DateOf(2026, 4, 5);  // a Sunday
    combo.SetDate(date);
    EXPECT_EQ(combo.DateOnStart(), bdsCustom);
    EXPECT_EQ(combo.GetText(), LocaleShortDayName(1) + L" " + DateToDisplayText(date));
    EXPECT_EQ(combo.GetDate(), date);
    combo.SetShowDayText(false);
    EXPECT_EQ(combo.GetText(), DateToDisplayText(date));
    combo.SetText(L"no date");
    EXPECT_EQ(combo.GetText(), L"");
    combo.SetDateOnStart(bdsNullDate);
    EXPECT_EQ(combo.GetDate(), NullDate);
}

// ---- the control and the navigator under Xvfb -------------------------------------------------------

class BarDateComboControl : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureItemRegistered(TdxBarDateCombo::StaticClass(), TdxBarDateComboControl::StaticClass());
        combo = static_cast<TdxBarDateCombo*>(manager->AddItem(TdxBarDateCombo::StaticClass()));
        combo->SetShowDayText(false);
        combo->SetDate(DateOf(2026, 4, 15));
        combo->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
        ShowWindowWith({combo});
        control = dynamic_cast<TdxBarDateComboControl*>(LinkOf(combo)->Control());
        ASSERT_NE(control, nullptr);
    }
    bool PopupShown() const {
        TdxBarDateNavigator* popup = combo->DatePopup();
        return popup->HandleAllocated() && IsWindowVisible(popup->Handle());
    }
    TPoint CellCentre(TdxBarDateNavigator* navigator, int column, int row) const {
        TRect r = navigator->DayCellRect(column, row);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(navigator->Handle(), &p);
        return TPoint{p.x, p.y};
    }

    TdxBarDateCombo* combo = nullptr;
    TdxBarDateComboControl* control = nullptr;
};

TEST_F(BarDateComboControl, APickInTheDropDownSetsTheDateOnceAndClosesIt) {
    TFirstDayScope monday(Monday);
    ClickAt(ScreenCentre(control->EditPart(3)));
    ASSERT_TRUE(PumpUntil([&] { return PopupShown(); }));
    PumpUntilIdle();
    TdxBarDateNavigator* popup = combo->DatePopup();
    EXPECT_EQ(popup->FirstDate(), DateOf(2026, 4, 1));
    EXPECT_EQ(popup->GetSelectionStart(), DateOf(2026, 4, 15));
    // April 2026 begins on a Wednesday: row 3, column 2 is 22 April.
    ASSERT_EQ(popup->CellDate(2, 3), DateOf(2026, 4, 22));
    ClickAt(CellCentre(popup, 2, 3));
    ASSERT_TRUE(PumpUntil([&] { return !PopupShown(); }))
        << popup->GetSelectionStart();
    PumpUntilIdle();
    EXPECT_EQ(combo->GetDate(), DateOf(2026, 4, 22));
    EXPECT_EQ(changes, 1);
}

TEST_F(BarDateComboControl, PlusAndMinusStepTheEditorsDateAndAreSwallowedWithoutOne) {
    ClickAt(ScreenCentre(control->EditPart(0)));
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    TypeText(L"+");
    ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control) == DateToDisplayText(DateOf(2026, 4, 16)); }));
    TypeText(L"--");
    ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control) == DateToDisplayText(DateOf(2026, 4, 14)); }));
    // An empty editor: nothing happens and no sign appears.
    TypeKey(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control).empty(); }));
    TypeText(L"+");
    PumpUntilIdle();
    EXPECT_EQ(ReadEditor(control), L"");
    EXPECT_EQ(changes, 0);
}

class BarDateNavigatorWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = NewShownTestForm(300, 260);
        navigator = new TdxBarDateNavigator(form, nullptr, false);
        navigator->SetLook(0);
        navigator->SetParent(form);
        navigator->SetBounds(10, 10, 10, 10);
        navigator->OnDateSelected = MakeEvent(this, &BarDateNavigatorWindow::Selected);
        PumpUntilIdle();
    }
    void TearDown() override {
        delete form;
        WindowTest::TearDown();
    }
    void Selected(TObject*) { ++selections; }
    TPoint ScreenOf(const TRect& r) const {
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(navigator->Handle(), &p);
        return TPoint{p.x, p.y};
    }

    TForm* form = nullptr;
    TdxBarDateNavigator* navigator = nullptr;
    int selections = 0;
};

TEST_F(BarDateNavigatorWindow, DraggingOutsideRestoresTheSelectionAndAClickSelects) {
    TFirstDayScope monday(Monday);
    navigator->SetFirstDate(DateOf(2026, 4, 1));
    navigator->SelectDate(DateOf(2026, 4, 15));
    PumpUntilIdle();
    MoveMouseTo(ScreenOf(navigator->DayCellRect(0, 1)));  // 6 April
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return navigator->GetSelectionStart() == DateOf(2026, 4, 6); }));
    MoveMouseTo(ScreenOf(navigator->DayCellRect(3, 2)));  // dragged on to 16 April
    ASSERT_TRUE(PumpUntil([&] { return navigator->GetSelectionStart() == DateOf(2026, 4, 16); }));
    RECT window{};
    GetWindowRect(navigator->Handle(), &window);
    MoveMouseTo(TPoint{window.right + 30, window.bottom + 30});
    ASSERT_TRUE(PumpUntil([&] { return navigator->GetSelectionStart() == DateOf(2026, 4, 15); }));
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_EQ(navigator->GetSelectionStart(), DateOf(2026, 4, 15));
    EXPECT_EQ(selections, 0);

    ClickAt(ScreenOf(navigator->DayCellRect(4, 3)));  // 24 April
    ASSERT_TRUE(PumpUntil([&] { return selections == 1; }));
    EXPECT_EQ(navigator->GetSelectionStart(), DateOf(2026, 4, 24));
    // An arrow scrolls the view a month; the selection stays.
    ClickAt(ScreenOf(navigator->NextArrowRect()));
    ASSERT_TRUE(PumpUntil([&] { return navigator->FirstDate() == DateOf(2026, 5, 1); }));
    PumpUntil([&] { return navigator->ScrollTimer() == 0; });
    EXPECT_EQ(navigator->GetSelectionStart(), DateOf(2026, 4, 24));
}

TEST_F(BarDateNavigatorWindow, PixelsShowTodaysFrameTheSelectedCellAndTheGreyNeighbours) {
    const TDateTime today = Date();
    navigator->SetFirstDate(today);
    // Another day of the view, selected.
    const TDateTime other = today == navigator->FirstDate() ? today + 1 : navigator->FirstDate();
    navigator->SelectDate(other);
    navigator->Invalidate();
    PumpUntilIdle();
    TControlSnapshot shot(navigator->Handle(), TControlSnapshot::kFromScreen);
    auto count = [&](const TRect& r, TColor color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (shot.Pixel(x, y) == color) ++n;
        return n;
    };
    auto cellOf = [&](TDateTime date) {
        const int index = int(date - navigator->GetFirstVisibleDate());
        return navigator->DayCellRect(index % 7, index / 7);
    };
    const TRect todayCell = cellOf(today), otherCell = cellOf(other);
    const TColor frame = TColor(RGB(128, 0, 0));
    const int perimeter = 2 * (RectWidth(todayCell) + RectHeight(todayCell)) - 4;
    EXPECT_EQ(count(todayCell, frame), perimeter);
    EXPECT_GT(count(otherCell, TColor(ColorToRGB(clHighlight))), RectWidth(otherCell) * RectHeight(otherCell) / 2);
    EXPECT_GT(count(otherCell, TColor(ColorToRGB(clHighlightText))), 3);
    // The first cell is a day of the month before: grey text on the control colour.
    const TRect first = navigator->DayCellRect(0, 0);
    EXPECT_GT(count(first, TColor(ColorToRGB(clGrayText))), 3);
    EXPECT_EQ(count(first, TColor(ColorToRGB(clWindowText))), 0);
}

TEST_F(BarDateComboControl, TheDialogLaysOutItsPartsAndOkTakesTheEditedDate) {
    EditControlTest::window->Hide();
    TdxBarDateNavigator* navigator = nullptr;
    TEdit* edit = nullptr;
    TRunWhenShown run([&] { return combo->DateDialog() ? combo->DateDialog()->Handle() : nullptr; },
                      [&](HWND) {
                          TForm* dialog = combo->DateDialog();
                          for (int i = 0; i < dialog->ComponentCount(); ++i) {
                              if (auto* n = dynamic_cast<TdxBarDateNavigator*>(dialog->Components(i))) navigator = n;
                              if (auto* e = dynamic_cast<TEdit*>(dialog->Components(i))) edit = e;
                          }
                          if (!navigator || !edit) return;
                          EXPECT_EQ(navigator->GetSelectionStart(), DateOf(2026, 4, 15));
                          const int f = navigator->ButtonsHeight() / 4;
                          const int bw = MulDiv(navigator->TodayButtonWidth(), 3, 2);
                          EXPECT_EQ(dialog->ClientWidth(), navigator->Width() + bw + 3 * f);
                          EXPECT_EQ(dialog->ClientHeight(), edit->Height() + navigator->Height() + 3 * f);
                          EXPECT_EQ(edit->Width(), navigator->Width());
                          EXPECT_EQ(navigator->Top(), edit->Top() + edit->Height() + f);
                          EXPECT_EQ(dialog->Caption(), L"Выберите дату");
                          // A typed date moves the navigator; OK takes it.
                          edit->SetText(DateToDisplayText(DateOf(2026, 5, 2)));
                          EXPECT_EQ(navigator->GetSelectionStart(), DateOf(2026, 5, 2));
                          dialog->SetModalResult(mrOk);
                      });
    combo->DirectClick();
    EXPECT_TRUE(run.Ran());
    ASSERT_NE(navigator, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(combo->GetDate(), DateOf(2026, 5, 2));
    EXPECT_EQ(combo->DateDialog(), nullptr);
}

}  // namespace
