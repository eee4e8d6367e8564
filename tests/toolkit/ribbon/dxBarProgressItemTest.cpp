// The static item and the progress item: their rules, their sizes in a toolbar-like bar window,
// and the progress bar's pixels and repainting.

#include "../bars/EditControlTestWindow.h"

#include "ExtItemsTesting.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"
#include "dxBarProgressItem.h"
#include "dxBarStatic.h"

namespace {

// ---- item rules --------------------------------------------------------------------------

TEST(BarProgressItemRules, TheRangeAndPositionCases) {
    struct TCase {
        const char* what;
        int setMin, setMax, setPosition;  // applied in this order; INT_MIN skips
        int min, max, position;
    } const cases[] = {
        {"defaults", INT_MIN, INT_MIN, INT_MIN, 0, 100, 0},
        {"position inside", INT_MIN, INT_MIN, 40, 0, 100, 40},
        {"position above", INT_MIN, INT_MIN, 140, 0, 100, 100},
        {"position below", INT_MIN, INT_MIN, -5, 0, 100, 0},
        {"min above max takes max up", 150, INT_MIN, INT_MIN, 150, 150, 150},
        {"max below min takes min down", 20, 10, INT_MIN, 10, 10, 10},
        {"max below min and below zero", INT_MIN, -30, INT_MIN, -30, -30, -30},
        {"min then max widen", -50, 200, -20, -50, 200, -20},
    };
    for (const TCase& c : cases) {
        TdxBarProgressItem item(nullptr);
        if (c.setMin != INT_MIN) item.SetMin(c.setMin);
        if (c.setMax != INT_MIN) item.SetMax(c.setMax);
        if (c.setPosition != INT_MIN) item.SetPosition(c.setPosition);
        EXPECT_EQ(item.Min(), c.min) << c.what;
        EXPECT_EQ(item.Max(), c.max) << c.what;
        EXPECT_EQ(item.Position(), c.position) << c.what;
    }
    // Lowering Max under the position takes the position down too.
    TdxBarProgressItem item(nullptr);
    item.SetPosition(80);
    item.SetMax(60);
    EXPECT_EQ(item.Position(), 60);
    EXPECT_EQ(item.BorderStyle(), sbsLowered);
    EXPECT_EQ(item.Step(), 10);
}

class BarStaticItemClicks : public ::testing::Test {
public:
    void Clicked(TObject*) { ++clicks; }
    int clicks = 0;
};

TEST_F(BarStaticItemClicks, OnlyAnItemThatAllowsClicksAnswersAClickOrItsShortCut) {
    TdxBarStatic item(nullptr);
    item.OnClick = MakeEvent(static_cast<BarStaticItemClicks*>(this), &BarStaticItemClicks::Clicked);
    const TShortCut key = ShortCut('K', TShiftState{ssCtrl});
    item.SetShortCut(key);
    item.Click();
    EXPECT_FALSE(item.ExecuteShortCut(key));
    EXPECT_EQ(clicks, 0);
    item.SetAllowClick(true);
    item.Click();
    EXPECT_TRUE(item.ExecuteShortCut(key));
    EXPECT_EQ(clicks, 2);
    // Negative sizes are kept as 0.
    item.SetLeftIndent(-4);
    item.SetWidth(-1);
    item.SetHeight(-9);
    EXPECT_EQ(item.LeftIndent(), 0);
    EXPECT_EQ(item.GetWidth(), 0);
    EXPECT_EQ(item.Height(), 0);
}

// ---- controls in a bar window --------------------------------------------------------------

class BarStaticControls : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureItemRegistered(TdxBarStatic::StaticClass(), TdxBarStaticControl::StaticClass());
        EnsureItemRegistered(TdxBarProgressItem::StaticClass(), TdxBarProgressControl::StaticClass());
    }
    template <class T>
    T* Add(const String& caption) {
        auto* item = static_cast<T*>(manager->AddItem(T::StaticClass()));
        item->SetCaption(caption);
        return item;
    }
    template <class C>
    C* ControlOf(TdxBarItem* item) const {
        auto* control = dynamic_cast<C*>(LinkOf(item)->Control());
        EXPECT_NE(control, nullptr);
        return control;
    }
};

TEST_F(BarStaticControls, AStaticMeasuresItsCaptionIndentsAndBorderOnAToolbar) {
    auto* label = Add<TdxBarStatic>(L"Слой: фон");
    ShowWindowWith({label}, 0);
    auto* control = ControlOf<TdxBarStaticControl>(label);
    ASSERT_NE(control, nullptr);
    const int text = control->GetActualTextSize();
    const int caption = int(control->MeasureText(L"Слой: фон").cx);
    ASSERT_GT(text, 0);
    struct TCase {
        TdxBarStaticBorderStyle style;
        int border;
    } const cases[] = {{sbsNone, 0}, {sbsLowered, 1}, {sbsRaised, 1}, {sbsEtched, 2}, {sbsBump, 2}};
    for (const TCase& c : cases) {
        label->SetBorderStyle(c.style);
        label->SetLeftIndent(3);
        label->SetRightIndent(5);
        // A size change rebuilds the window's controls.
        control = ControlOf<TdxBarStaticControl>(label);
        control->CalcDrawParams(true);
        EXPECT_EQ(control->CalcWidth(), caption + text / 2 + 3 + 5 + 2 * c.border) << int(c.style);
        EXPECT_EQ(control->CalcHeight(), text - 3 + 2 * c.border) << int(c.style);
    }
    // A fixed size wins; a rotated bar swaps the two.
    label->SetWidth(90);
    label->SetHeight(30);
    control = ControlOf<TdxBarStaticControl>(label);
    control->CalcDrawParams(true);
    EXPECT_EQ(control->CalcWidth(), 90);
    EXPECT_EQ(control->CalcHeight(), 30);
    window->rotated = true;
    EXPECT_EQ(control->CalcWidth(), 30);
    EXPECT_EQ(control->CalcHeight(), 90);
    window->rotated = false;
}

TEST_F(BarStaticControls, TheProgressBarSitsAtTheRightEndAndItsRowMakesRoomForIt) {
    auto* progress = Add<TdxBarProgressItem>(L"Загрузка");
    progress->SetRightIndent(4);
    ShowWindowWith({progress}, 0);
    auto* control = ControlOf<TdxBarProgressControl>(progress);
    ASSERT_NE(control, nullptr);
    control->CalcDrawParams(true);
    const TRect bounds = control->GetBounds();
    const TRect bar = control->GetBarRect();
    // Lowered: one pixel of border on each side.
    EXPECT_EQ(bar.right, bounds.right - (1 + 4 + 2));
    EXPECT_EQ(RectWidth(bar), 150);
    const int thickness = RectHeight(bar);
    EXPECT_EQ(thickness % 2, RectHeight(bounds) % 2);
    EXPECT_EQ(bar.top - bounds.top, bounds.bottom - bar.bottom);
    EXPECT_GE(control->CalcRowHeight(), control->GetPainter()->GetProgressBarHeight() + 2 + 2);

    // The row: the static's width plus the bar with its gaps (wider without a caption).
    const int text = control->GetActualTextSize();
    const int caption = int(control->MeasureText(L"Загрузка").cx);
    const int indent = control->GetPainter()->GetProgressIndent();
    EXPECT_EQ(control->CalcRowWidth(), caption + text / 2 + 4 + 2 + 152 + indent);
    progress->SetShowCaption(false);
    control = ControlOf<TdxBarProgressControl>(progress);
    control->CalcDrawParams(true);
    EXPECT_EQ(control->CalcRowWidth(), 4 + 2 + 154 + indent);

    // A fixed width takes the bar's length from it.
    progress->SetShowCaption(true);
    progress->SetWidth(200);
    control = ControlOf<TdxBarProgressControl>(progress);
    control->CalcDrawParams(true);
    EXPECT_EQ(RectWidth(control->GetBarRect()), 200 - (caption + text / 2 + 4 + 2) - 2);
}

TEST_F(BarStaticControls, TheFilledLengthFollowsThePositionAndAnEmptyRangeFillsNothing) {
    auto* progress = Add<TdxBarProgressItem>(L"");
    ShowWindowWith({progress}, 0);
    auto* control = ControlOf<TdxBarProgressControl>(progress);
    ASSERT_NE(control, nullptr);
    const TRect bar{0, 0, 150, 10};
    struct TCase {
        int min, max, position, length;
    } const cases[] = {
        {0, 100, 0, 0}, {0, 100, 50, 75}, {0, 100, 100, 150}, {-100, 100, 0, 75}, {10, 20, 12, 30}, {50, 50, 50, 0},
    };
    for (const TCase& c : cases) {
        progress->SetMin(INT_MIN / 2);
        progress->SetMax(c.max);
        progress->SetMin(c.min);
        progress->SetPosition(c.position);
        EXPECT_EQ(control->PositionLength(bar), c.length) << c.min << ".." << c.max << " at " << c.position;
    }
}

TEST_F(BarStaticControls, TheBarIsDrawnInItsColourUpToThePosition) {
    auto* progress = Add<TdxBarProgressItem>(L"Ход");
    progress->SetColor(clRed);
    progress->SetSmooth(true);
    progress->SetPosition(50);
    ShowWindowWith({progress}, 0);
    auto* control = ControlOf<TdxBarProgressControl>(progress);
    ASSERT_NE(control, nullptr);
    PumpUntilIdle();
    const TRect bar = control->GetBarRect();
    ASSERT_FALSE(IsRectEmpty(&bar));
    const int middle = (bar.left + bar.right) / 2;
    {
        TControlSnapshot shot(window->Handle());
        EXPECT_GT(CountColor(shot, TRect{bar.left, bar.top, middle - 4, bar.bottom}, clRed), 0);
        EXPECT_EQ(CountColor(shot, TRect{middle + 4, bar.top, bar.right, bar.bottom}, clRed), 0);
        // Nothing red outside the bar.
        const TRect bounds = control->GetBounds();
        EXPECT_EQ(CountColor(shot, TRect{bounds.left, bounds.top, bar.left, bounds.bottom}, clRed), 0);
    }
    progress->SetPosition(100);
    PumpUntilIdle();
    {
        TControlSnapshot shot(window->Handle());
        EXPECT_GT(CountColor(shot, TRect{bar.right - 8, bar.top, bar.right, bar.bottom}, clRed), 0);
    }
    // An empty range draws an empty bar.
    progress->SetMin(100);
    PumpUntilIdle();
    {
        TControlSnapshot shot(window->Handle());
        EXPECT_EQ(CountColor(shot, bar, clRed), 0);
    }
}

TEST_F(BarStaticControls, APositionChangeRepaintsOnlyTheBandThatChanged) {
    auto* progress = Add<TdxBarProgressItem>(L"Ход");
    progress->SetPosition(20);
    ShowWindowWith({progress}, 0);
    auto* control = ControlOf<TdxBarProgressControl>(progress);
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(control->GetPainter()->AllowsPartialProgressUpdate());
    PumpUntilIdle();
    const TRect bar = control->GetBarRect();
    const int at20 = control->PositionLength(bar);
    EXPECT_EQ(control->PrevPos(), at20);
    ValidateRect(window->Handle(), nullptr);
    progress->SetPosition(60);
    const int at60 = control->PositionLength(bar);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window->Handle(), &update, FALSE));
    EXPECT_EQ(update.left, bar.left + at20);
    EXPECT_EQ(update.right, bar.left + at60);
    EXPECT_EQ(update.top, bar.top);
    EXPECT_EQ(update.bottom, bar.bottom);
    // Back down: the same band; the same length again: nothing.
    PumpUntilIdle();
    ValidateRect(window->Handle(), nullptr);
    progress->SetPosition(20);
    ASSERT_TRUE(GetUpdateRect(window->Handle(), &update, FALSE));
    EXPECT_EQ(update.left, bar.left + at20);
    EXPECT_EQ(update.right, bar.left + at60);
    PumpUntilIdle();
    EXPECT_EQ(control->PrevPos(), at20);
    ValidateRect(window->Handle(), nullptr);
    control->UpdateBar();
    EXPECT_FALSE(GetUpdateRect(window->Handle(), &update, FALSE));
}

TEST_F(BarStaticControls, ABorderChangeRelaysOutUnlessTheSizeIsFixed) {
    auto* label = Add<TdxBarStatic>(L"Метка");
    ShowWindowWith({label}, 0);
    auto* control = ControlOf<TdxBarStaticControl>(label);
    ASSERT_NE(control, nullptr);
    const int before = RectHeight(control->GetBounds());
    label->SetBorderStyle(sbsEtched);
    PumpUntilIdle();
    control = ControlOf<TdxBarStaticControl>(label);
    EXPECT_EQ(RectHeight(control->GetBounds()), before + 4);

    label->SetWidth(80);
    label->SetHeight(26);
    PumpUntilIdle();
    control = ControlOf<TdxBarStaticControl>(label);
    ASSERT_EQ(RectHeight(control->GetBounds()), 26);
    label->SetBorderStyle(sbsNone);
    PumpUntilIdle();
    control = ControlOf<TdxBarStaticControl>(label);
    EXPECT_EQ(RectHeight(control->GetBounds()), 26);
}

}  // namespace
