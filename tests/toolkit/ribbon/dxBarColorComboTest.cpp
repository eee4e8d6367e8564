// The colour combo: colour and index lookups with and without the automatic entry, a colour
// outside the table, the DropDownCount rule, and, in a real bar window under Xvfb, a pick in the
// drop-down list (one OnChange), the swatch's pixels in the edit box, and the colour dialog
// opened by Ctrl+Enter and by the custom-colour button, preset with the entry under the editor.

#include "../bars/EditControlTestWindow.h"

#include "CommonDialogs.h"
#include "ExtItemsTesting.h"
#include "dxBarColorCombo.h"
#include "dxBarDropDownListBox.h"
#include "dxBarExtItemsShared.h"
#include "dxBarItemLinks.h"

namespace {

struct TChangeCounter {
    int count = 0;
    void Changed(TObject*) { ++count; }
};

TEST(BarColorComboLookups, IndexesAndColoursWithAndWithoutTheAutomaticEntry) {
    struct TCase {
        bool showAuto;
        TColor color;
        int index;
    };
    const TCase cases[] = {
        {false, clRed, 9},       {true, clRed, 10},         {false, clBlack, 0},    {true, clBlack, 1},
        {true, clWindowText, 0},  // the automatic colour, compared as stored
        {false, clWhite, 15},    {true, clWhite, 16},       {false, TColor(0x123456), -1},
        {true, TColor(0x123456), -1},
    };
    for (const TCase& c : cases) {
        TdxBarColorCombo combo(nullptr);
        combo.SetShowAutoColor(c.showAuto);
        EXPECT_EQ(combo.IndexOfColor(c.color), c.index) << int(c.color) << " auto " << c.showAuto;
        combo.SetColor(c.color);
        EXPECT_EQ(combo.ItemIndex(), c.index) << int(c.color) << " auto " << c.showAuto;
        EXPECT_EQ(combo.Color(), c.color);
        if (c.index >= 0) EXPECT_EQ(combo.ColorByIndex(c.index), c.color);
    }
    TdxBarColorCombo combo(nullptr);
    EXPECT_EQ(combo.Items()->Count(), 16);
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(combo.Color(), clBlack);
    combo.SetShowAutoColor(true);
    EXPECT_EQ(combo.Items()->Count(), 17);
    EXPECT_EQ(combo.Items()->Strings(0), L"(авто)");
    EXPECT_EQ(combo.Items()->Strings(10), L"Красный");
    EXPECT_EQ(combo.ColorByIndex(0), clWindowText);
    EXPECT_EQ(combo.ColorByIndex(10), clRed);
    // A system colour matches the table colour it resolves to now.
    combo.SetShowAutoColor(false);
    EXPECT_EQ(combo.IndexOfColor(TColor(0xFF000000 | COLOR_WINDOWTEXT)),
              combo.IndexOfColor(TColor(ColorToRGB(clWindowText))));
}

TEST(BarColorComboLookups, AColourOutsideTheTableSurvivesListMovesAndNotifiesOnce) {
    TdxBarColorCombo combo(nullptr);
    TChangeCounter changes;
    combo.OnChange = MakeEvent(&changes, &TChangeCounter::Changed);
    const TColor custom = TColor(0x123456);
    combo.SetColor(custom);
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes.count, 1);
    // Another colour outside the table: the index stays -1, the change is still told.
    combo.SetColor(TColor(0x654321));
    EXPECT_EQ(changes.count, 2);
    combo.SetColor(custom);
    // Moving the list around an index of -1 keeps the colour.
    combo.SetShowAutoColor(true);
    combo.SetShowAutoColor(false);
    combo.SetItemIndex(-1);
    EXPECT_EQ(combo.Color(), custom);
    EXPECT_EQ(combo.ColorByIndex(-1), custom);
    EXPECT_EQ(combo.ColorByIndex(99), custom);
    // A pick in the list takes the entry's colour.
    combo.SetItemIndex(9);
    EXPECT_EQ(combo.Color(), clRed);
    EXPECT_EQ(combo.GetText(), L"Красный");
}

TEST(BarColorComboLookups, AnUntouchedDropDownCountFollowsTheAutomaticEntry) {
    TdxBarColorCombo combo(nullptr);
    EXPECT_EQ(combo.DropDownCount(), 16);
    combo.SetShowAutoColor(true);
    EXPECT_EQ(combo.DropDownCount(), 17);
    combo.SetShowAutoColor(false);
    EXPECT_EQ(combo.DropDownCount(), 16);
    combo.SetDropDownCount(10);
    combo.SetShowAutoColor(true);
    EXPECT_EQ(combo.DropDownCount(), 10);
    // The automatic colour moves the index only while its entry is shown.
    combo.SetColor(clRed);
    combo.SetAutoColor(clRed);
    EXPECT_EQ(combo.ItemIndex(), 0);
}

// ---- the control in a bar window -----------------------------------------------------------------

class BarColorComboControl : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        EnsureItemRegistered(TdxBarColorCombo::StaticClass(), TdxBarColorComboControl::StaticClass());
        combo = static_cast<TdxBarColorCombo*>(manager->AddItem(TdxBarColorCombo::StaticClass()));
        combo->SetCaption(L"Цвет");
        combo->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
    }
    void Show(int kind = 2) {
        ShowWindowWith({combo}, kind);
        control = dynamic_cast<TdxBarColorComboControl*>(LinkOf(combo)->Control());
        ASSERT_NE(control, nullptr);
    }
    HWND List() const { return combo->ListBox()->HandleAllocated() ? combo->ListBox()->Handle() : nullptr; }
    bool ListShown() const { return List() && IsWindowVisible(List()); }
    TPoint EntryCentre(int index) const {
        TRect r = combo->ListBox()->ItemRect(index);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(List(), &p);
        return TPoint{p.x, p.y};
    }

    TdxBarColorCombo* combo = nullptr;
    TdxBarColorComboControl* control = nullptr;
};

TEST_F(BarColorComboControl, APickInTheListChangesTheColourOnceAndTheSwatchShowsIt) {
    Show();
    ClickAt(ScreenCentre(control->EditPart(3)));
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    PumpUntilIdle();
    EXPECT_EQ(combo->ListBox()->Count(), 16);
    {
        // Each entry's box is filled with its colour.
        TControlSnapshot shot(List());
        for (int i : {2, 9, 12}) {
            TRect r = combo->ListBox()->ItemRect(i);
            r.right = r.left + 30;
            EXPECT_GT(CountColor(shot, r, TdxBarColorCombo::TableColor(i)), 20) << i;
        }
    }
    ClickAt(EntryCentre(9));
    ASSERT_TRUE(PumpUntil([&] { return !ListShown(); }));
    PumpUntilIdle();
    EXPECT_EQ(combo->Color(), clRed);
    EXPECT_EQ(combo->ItemIndex(), 9);
    EXPECT_EQ(changes, 1);
    // Away from the editor, the edit box shows the red swatch beside the colour's name.
    TypeKey(VK_ESCAPE);
    PumpUntil([&] { return !control->Focused(); });
    window->Invalidate();
    PumpUntilIdle();
    TControlSnapshot shot(window->Handle());
    TRect edit = control->EditPart(0);
    TRect box = edit;
    box.right = box.left + 30;
    EXPECT_GT(CountColor(shot, box, clRed), 20);
    TRect text = edit;
    text.left = box.right;
    EXPECT_EQ(CountColor(shot, text, clRed), 0);
    EXPECT_GT(CountColor(shot, text, TColor(ColorToRGB(clWindowText))), 5);
}

TEST_F(BarColorComboControl, CtrlEnterAndTheCustomButtonOpenTheDialogPresetWithTheShownEntry) {
    combo->SetShowCustomColorButton(true);
    Show();
    // Ctrl+Enter after stepping the editor to "Каштановый" while black is stored.
    ClickAt(ScreenCentre(control->EditPart(0)));
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return control->LocalItemIndex() == 1; }));
    EXPECT_EQ(combo->Color(), clBlack);
    TColor preset = clNone;
    {
        TDialogButtonPresser ok(IDOK, [&](HWND) { preset = dxBarColorDialog()->Color(); });
        TypeChord({VK_CONTROL, VK_RETURN});
        ASSERT_TRUE(PumpUntil([&] { return ok.Pressed(); }, 8000));
        ASSERT_TRUE(PumpUntil([&] { return combo->Color() == TColor(0x000080); }));
    }
    EXPECT_EQ(preset, TColor(0x000080));
    EXPECT_EQ(combo->ItemIndex(), 1);
    PumpUntilIdle();

    // The custom-colour button: preset with the stored colour; Cancel keeps it.
    const TRect button = control->EditPart(TdxBarColorComboControl::CustomButtonPart);
    ASSERT_FALSE(IsRectEmpty(&button));
    preset = clNone;
    changes = 0;
    {
        TDialogButtonPresser cancel(IDCANCEL, [&](HWND) { preset = dxBarColorDialog()->Color(); });
        ClickAt(ScreenCentre(button));
        ASSERT_TRUE(PumpUntil([&] { return cancel.Pressed(); }, 8000));
        PumpUntil([&] { return FindWindowW(L"#32770", nullptr) == nullptr; });
    }
    PumpUntilIdle();
    EXPECT_EQ(preset, TColor(0x000080));
    EXPECT_EQ(combo->Color(), TColor(0x000080));
    EXPECT_EQ(changes, 0);
}

}  // namespace
