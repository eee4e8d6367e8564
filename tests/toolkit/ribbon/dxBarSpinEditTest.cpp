// The spin edit: its number text rules as one table (truncation, bounds, refused texts, the
// prefix, the step after a type switch), the characters it lets through, and, in a real bar
// window under Xvfb, its buttons: a click steps the editor's number and Enter stores it with one
// OnChange, a held button repeats and stops on release, the keys and the wheel step, a
// read-only item does not move, and the buttons are drawn with their arrows.

#include "../bars/EditControlTestWindow.h"

#include <functional>

#include "ExtItemsTesting.h"
#include "SysUtils.h"
#include "dxBarItemLinks.h"
#include "dxBarSpinEdit.h"

namespace {

void EnsureSpinEditRegistered() {
    EnsureItemRegistered(TdxBarSpinEdit::StaticClass(), TdxBarSpinEditControl::StaticClass());
}

TEST(BarSpinEditRules, NumberTextCases) {
    struct TCase {
        const char* what;
        std::function<void(TdxBarSpinEdit&)> act;
        const wchar_t* text;
        Extended increment, minValue, maxValue;
    };
    using E = TdxBarSpinEdit;
    const TCase cases[] = {
        {"new item", [](E&) {}, L"0", 1, 0, 0},
        {"integer value truncates toward zero", [](E& e) { e.SetValue(2.9L); }, L"2", 1, 0, 0},
        {"negative integer truncates toward zero", [](E& e) { e.SetValue(-2.9L); }, L"-2", 1, 0, 0},
        {"both bounds 0: unbounded", [](E& e) { e.SetValue(-12345); }, L"-12345", 1, 0, 0},
        {"a maximum puts 0..max in force",
         [](E& e) {
             e.SetValue(-5);
             e.SetMaxValue(10);
         },
         L"0", 1, 0, 10},
        {"a value above the maximum",
         [](E& e) {
             e.SetMaxValue(10);
             e.SetValue(50);
         },
         L"10", 1, 0, 10},
        {"a minimum above the maximum moves it",
         [](E& e) {
             e.SetMaxValue(10);
             e.SetMinValue(20);
         },
         L"20", 1, 20, 20},
        {"a maximum below the minimum moves it",
         [](E& e) {
             e.SetMinValue(-3);
             e.SetMaxValue(-8);
         },
         L"-8", 1, -8, -8},
        {"bounds are truncated for integers", [](E& e) { e.SetMaxValue(9.7L); }, L"0", 1, 0, 9},
        {"a text that is no number is refused",
         [](E& e) {
             e.SetText(L"7");
             e.SetText(L"abc");
         },
         L"7", 1, 0, 0},
        {"an exponent is refused for integers", [](E& e) { e.SetText(L"1e3"); }, L"0", 1, 0, 0},
        {"an exponent is a float",
         [](E& e) {
             e.SetValueType(svtFloat);
             e.SetText(L"1e3");
         },
         L"1000", 1, 0, 0},
        {"a stored text is clamped",
         [](E& e) {
             e.SetMaxValue(10);
             e.SetText(L"99");
         },
         L"10", 1, 0, 10},
        {"a suffix by default",
         [](E& e) {
             e.SetPrefix(L" %");
             e.SetValue(5);
         },
         L"5 %", 1, 0, 0},
        {"a suffixed text reads back",
         [](E& e) {
             e.SetPrefix(L" %");
             e.SetText(L"5 %");
             e.SetValue(e.Value() + 1);
         },
         L"6 %", 1, 0, 0},
        {"the prefix moves to the start",
         [](E& e) {
             e.SetValue(5);
             e.SetPrefix(L"$");
             e.SetPrefixPlace(ppStart);
         },
         L"$5", 1, 0, 0},
        {"a float step of 0.5 becomes 1 for integers",
         [](E& e) {
             e.SetValueType(svtFloat);
             e.SetIncrement(0.5L);
             e.SetValue(2.5L);
             e.SetValueType(svtInteger);
         },
         L"2", 1, 0, 0},
        {"a float step stays", [](E& e) {
             e.SetValueType(svtFloat);
             e.SetIncrement(0.25L);
         },
         L"0", 0.25L, 0, 0},
        {"a step not above 0 becomes 1", [](E& e) {
             e.SetValueType(svtFloat);
             e.SetIncrement(-2);
         },
         L"0", 1, 0, 0},
        {"an integer step below 1 becomes 1", [](E& e) { e.SetIncrement(0.9L); }, L"0", 1, 0, 0},
        {"float bounds are truncated by the switch",
         [](E& e) {
             e.SetValueType(svtFloat);
             e.SetMinValue(-1.5L);
             e.SetMaxValue(2.5L);
             e.SetValue(2.25L);
             e.SetValueType(svtInteger);
         },
         L"2", 1, -1, 2},
    };
    for (const TCase& c : cases) {
        TdxBarSpinEdit edit(nullptr);
        c.act(edit);
        EXPECT_EQ(edit.GetText(), String(c.text)) << c.what;
        EXPECT_EQ(double(edit.Increment()), double(c.increment)) << c.what;
        EXPECT_EQ(double(edit.MinValue()), double(c.minValue)) << c.what;
        EXPECT_EQ(double(edit.MaxValue()), double(c.maxValue)) << c.what;
    }
}

TEST(BarSpinEditRules, AnUnreadableTextParsesAsTheMinimumAndAStepFiresAlsoAtABound) {
    TdxBarSpinEdit edit(nullptr);
    edit.SetMinValue(3);
    EXPECT_EQ(double(edit.Parse(L"x")), 3.0);
    edit.SetMaxValue(10);
    edit.SetValue(10);
    struct TRecorder {
        std::vector<TdxBarSpinEditButton> buttons;
        void Clicked(TdxBarSpinEdit*, TdxBarSpinEditButton b) { buttons.push_back(b); }
    } recorder;
    edit.OnButtonClick = MakeEvent(&recorder, &TRecorder::Clicked);
    edit.Step(sbUp);
    EXPECT_EQ(edit.GetText(), L"10");
    edit.Step(sbDown);
    EXPECT_EQ(edit.GetText(), L"9");
    EXPECT_EQ(recorder.buttons, (std::vector<TdxBarSpinEditButton>{sbUp, sbDown}));
}

TEST(BarSpinEditRules, TypedCharactersThatCannotBeLongToTheNumberAreSwallowed) {
    const wchar_t separator = FormatSettings.DecimalSeparator;
    struct TCase {
        wchar_t key;
        TdxBarSpinEditValueType type;
        Extended minValue;
        bool passes;
    };
    const TCase cases[] = {
        {L'7', svtInteger, 0, true},    {8, svtInteger, 0, true},          {3, svtInteger, 0, true},
        {22, svtInteger, 0, true},      {24, svtInteger, 0, true},         {L'-', svtInteger, 0, false},
        {L'-', svtInteger, -5, true},   {separator, svtInteger, 0, false}, {separator, svtFloat, 0, true},
        {L'a', svtFloat, 0, false},     {L' ', svtInteger, 0, false},      {1, svtInteger, 0, false},
    };
    for (const TCase& c : cases) {
        TdxBarSpinEdit edit(nullptr);
        edit.SetValueType(c.type);
        if (c.minValue != 0) {
            edit.SetMaxValue(100);
            edit.SetMinValue(c.minValue);
        }
        wchar_t key = c.key;
        edit.DoKeyPress(key);
        EXPECT_EQ(key != 0, c.passes) << int(c.key) << " type " << int(c.type);
    }
}

// ---- the control in a bar window -----------------------------------------------------------------

class BarSpinEditControl : public EditControlTest {
public:
    void ButtonClicked(TdxBarSpinEdit*, TdxBarSpinEditButton button) { clicks.push_back(button); }

protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureSpinEditRegistered();
        spin = static_cast<TdxBarSpinEdit*>(manager->AddItem(TdxBarSpinEdit::StaticClass()));
        spin->SetCaption(L"Шаг");
        spin->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
        spin->OnButtonClick = MakeEvent(this, &BarSpinEditControl::ButtonClicked);
        ShowWindowWith({spin});
        control = dynamic_cast<TdxBarSpinEditControl*>(LinkOf(spin)->Control());
        ASSERT_NE(control, nullptr);
    }
    String Shown() const { return ReadEditor(control); }
    TPoint ButtonCentre(int part) const { return ScreenCentre(control->EditPart(part)); }
    void OpenEditor() {
        ClickAt(ScreenCentre(control->EditPart(0)));
        ASSERT_TRUE(PumpUntil([&] { return control->EditHandle() && GetFocus() == control->EditHandle(); }));
    }

    TdxBarSpinEdit* spin = nullptr;
    TdxBarSpinEditControl* control = nullptr;
    std::vector<TdxBarSpinEditButton> clicks;
};

TEST_F(BarSpinEditControl, AClickOnAButtonStepsTheEditorAndEnterStoresTheNumberOnce) {
    const TRect up = control->EditPart(3), down = control->EditPart(4);
    ASSERT_FALSE(IsRectEmpty(&up));
    ASSERT_FALSE(IsRectEmpty(&down));
    // The buttons close the edit box on the right, up above down.
    EXPECT_LE(control->EditPart(0).right, control->EditPart(3).left);
    EXPECT_LE(control->EditPart(3).bottom, control->EditPart(4).top);

    ClickAt(ButtonCentre(3));
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"1" && !control->Spinning(); }));
    EXPECT_TRUE(control->Focused());
    EXPECT_EQ(control->ActiveButton(), -1);
    // Only the editor moved so far.
    EXPECT_EQ(spin->GetText(), L"0");
    ClickAt(ButtonCentre(3));
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"2" && !control->Spinning(); }));
    ClickAt(ButtonCentre(4));
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"1" && !control->Spinning(); }));
    EXPECT_EQ(clicks, (std::vector<TdxBarSpinEditButton>{sbUp, sbUp, sbDown}));
    EXPECT_EQ(changes, 0);

    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !control->Focused(); }));
    EXPECT_EQ(spin->GetText(), L"1");
    EXPECT_EQ(changes, 1);
}

TEST_F(BarSpinEditControl, AHeldButtonRepeatsUntilItIsReleased) {
    OpenEditor();
    MoveMouseTo(ButtonCentre(3));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return control->ActiveButton() == 3; }));
    EXPECT_EQ(GetCapture(), control->EditHandle());
    // The first step at once, then the repeat after the double-click time.
    ASSERT_TRUE(PumpUntil([&] { return StrToIntDef(Shown(), 0) >= 4; }, 5000)) << Shown();
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !control->Spinning(); }));
    EXPECT_EQ(control->ActiveButton(), -1);
    EXPECT_NE(GetCapture(), control->EditHandle());
    const String stopped = Shown();
    PumpForTicks(100, 4);
    EXPECT_EQ(Shown(), stopped);
    EXPECT_EQ(clicks.size(), size_t(StrToIntDef(stopped, 0)));
}

TEST_F(BarSpinEditControl, TheArrowKeysAndTheWheelStepWithinTheBoundsAndAReadOnlyItemStays) {
    spin->SetMaxValue(3);
    OpenEditor();
    TypeKey(VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"1"; }));
    // The key up releases the button the key pressed.
    ASSERT_TRUE(PumpUntil([&] { return control->ActiveButton() == -1; }));
    WheelBy(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"2"; }));
    for (int i = 0; i < 3; ++i) TypeKey(VK_UP);
    PumpUntil([&] { return clicks.size() == 5; });
    EXPECT_EQ(Shown(), L"3");
    WheelBy(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"2"; }));
    EXPECT_EQ(clicks.size(), 6u);

    // Read-only: no key, wheel or button moves it.
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !control->Focused(); }));
    spin->SetReadOnly(true);
    clicks.clear();
    OpenEditor();
    TypeKey(VK_UP);
    WheelBy(WHEEL_DELTA);
    ClickAt(ButtonCentre(3));
    PumpUntilIdle();
    EXPECT_EQ(Shown(), L"0");
    EXPECT_EQ(control->ActiveButton(), -1);
}

TEST_F(BarSpinEditControl, TheButtonsAreDrawnWithTheirArrows) {
    PumpUntilIdle();
    TControlSnapshot shot(window->Handle());
    const TColor arrow = TColor(ColorToRGB(clBtnText));
    for (int part : {3, 4}) EXPECT_GT(CountColor(shot, control->EditPart(part), arrow), 2) << part;
    // The up arrow points up: its widest row is at its bottom; the down arrow's at its top.
    auto widestRow = [&](const TRect& r) {
        int best = -1, bestCount = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            int count = CountColor(shot, TRect{r.left, y, r.right, y + 1}, arrow);
            if (count > bestCount) best = y, bestCount = count;
        }
        return best;
    };
    const TRect up = control->EditPart(3), down = control->EditPart(4);
    EXPECT_GT(widestRow(up), (up.top + up.bottom) / 2 - 1);
    EXPECT_LT(widestRow(down), (down.top + down.bottom) / 2 + 1);
}

}  // namespace
