// The combo control and its drop-down list in a real bar window under Xvfb: the button opens the
// list (beside a menu item, below the edit box on a toolbar) and draws its entries; a click on an
// entry chooses it with one OnChange; a press on the button dragged into the list chooses the
// entry it is released over, a release outside nothing; F4 and Alt+Down toggle the list; arrow
// keys and the wheel step the shown entry, Enter commits it; a typed text is stored as text;
// a read-only combo never opens.

#include "EditControlTestWindow.h"

#include "dxBarCombo.h"
#include "dxBarComboControl.h"
#include "dxBarDropDownListBox.h"
#include "dxBarItemLinks.h"

namespace {

class BarComboControl : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        combo = static_cast<TdxBarCombo*>(form->FindComponent(L"cbMaterial"));
        ASSERT_NE(combo, nullptr);
        combo->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
    }
    void Show(int kind = 2) {
        ShowWindowWith({combo}, kind);
        control = dynamic_cast<TdxBarComboControl*>(LinkOf(combo)->Control());
        ASSERT_NE(control, nullptr);
    }
    HWND List() const { return combo->ListBox()->HandleAllocated() ? combo->ListBox()->Handle() : nullptr; }
    bool ListShown() const { return List() && IsWindowVisible(List()); }
    void ClickEditBox() {
        ClickAt(ScreenCentre(control->EditPart(0)));
        ASSERT_TRUE(PumpUntil([&] { return control->EditHandle() && GetFocus() == control->EditHandle(); }));
    }
    void ClickButton() { ClickAt(ScreenCentre(control->EditPart(3))); }
    // The screen centre of the list's entry.
    TPoint EntryCentre(int index) const {
        TRect r = combo->ListBox()->ItemRect(index);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(List(), &p);
        return TPoint{p.x, p.y};
    }
    String Shown() const { return ReadEditor(control); }

    TdxBarCombo* combo = nullptr;
    TdxBarComboControl* control = nullptr;
};

TEST_F(BarComboControl, TheButtonDropsTheListBesideAMenuItemAndAClickOnAnEntryChoosesIt) {
    Show();
    ClickButton();
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    PumpUntilIdle();
    EXPECT_TRUE(control->DroppedDown());
    // Beside the control, at its top: the control's top-right corner.
    RECT list{};
    GetWindowRect(List(), &list);
    TRect bounds = control->GetBounds();
    const TPoint expected = window->ClientToScreen(TPoint{bounds.right, bounds.top});
    EXPECT_EQ(list.left, expected.x);
    EXPECT_EQ(list.top, expected.y);
    // Three entries, the chosen one selected; the entries' text is drawn in each row.
    RECT bar{};
    GetWindowRect(window->Handle(), &bar);
    SaveScreenPicture("combo-list", TRect{bar.left - 4, bar.top - 4, list.right + 4, std::max(bar.bottom, list.bottom) + 4});
    EXPECT_EQ(combo->ListBox()->Count(), 3);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), 1);
    {
        TControlSnapshot shot(List());
        const TColor ink = TColor(ColorToRGB(clWindowText));
        for (int i : {0, 2}) EXPECT_GT(CountColor(shot, combo->ListBox()->ItemRect(i), ink), 5) << i;
        const TColor selected = TColor(ColorToRGB(clHighlight));
        EXPECT_GT(CountColor(shot, combo->ListBox()->ItemRect(1), selected), 10);
        // The chosen entry's text shows in the selection's text colour.
        EXPECT_EQ(CountColor(shot, combo->ListBox()->ItemRect(1), ink), 0);
        EXPECT_GT(CountColor(shot, combo->ListBox()->ItemRect(1), TColor(ColorToRGB(clHighlightText))), 5);
    }
    ClickAt(EntryCentre(2));
    ASSERT_TRUE(PumpUntil([&] { return !ListShown(); }));
    PumpUntilIdle();
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Utf8(combo->GetText()), "Дерево");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(control->DroppedDown());
    EXPECT_FALSE(control->Focused());
}

TEST_F(BarComboControl, OnAToolbarTheListOpensBelowTheEditBoxNotTheCaption) {
    combo->SetShowCaption(true);
    Show(0);
    ASSERT_GT(control->GetEditOffset(), 0);
    ClickButton();
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    RECT list{};
    GetWindowRect(List(), &list);
    TRect bounds = control->GetBounds();
    const TPoint expected = window->ClientToScreen(TPoint{bounds.left + control->GetEditOffset(), bounds.bottom});
    EXPECT_EQ(list.left, expected.x);
    EXPECT_EQ(list.top, expected.y);
}

TEST_F(BarComboControl, APressOnTheButtonDraggedIntoTheListChoosesTheEntryReleasedOver) {
    Show();
    for (bool intoList : {false, true}) {
        SCOPED_TRACE(intoList ? "released over an entry" : "released outside the list");
        changes = 0;
        MoveMouseTo(ScreenCentre(control->EditPart(3)));
        PumpUntilIdle();
        MouseButton(true);
        ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
        EXPECT_TRUE(combo->ListBox()->WaitsForCapture());
        if (intoList) {
            MoveMouseTo(EntryCentre(0));
            PumpUntilIdle();
        }
        MouseButton(false);
        PumpUntilIdle();
        EXPECT_EQ(changes, intoList ? 1 : 0);
        EXPECT_EQ(combo->ItemIndex(), intoList ? 0 : 1);
        EXPECT_EQ(ListShown(), !intoList);  // a release outside keeps the list open
        control->ControlInactivate(true);
        PumpUntilIdle();
    }
}

TEST_F(BarComboControl, F4AndAltDownToggleTheListAndAReadOnlyComboNeverOpens) {
    Show();
    ClickEditBox();
    TypeKey(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    TypeKey(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return !ListShown(); }));
    TypeChord({VK_MENU, VK_DOWN});
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    TypeChord({VK_MENU, VK_DOWN});
    ASSERT_TRUE(PumpUntil([&] { return !ListShown(); }));
    EXPECT_TRUE(control->Focused());

    control->ControlInactivate(true);
    combo->SetReadOnly(true);
    ClickButton();
    ClickEditBox();
    TypeKey(VK_F4);
    TypeKey(VK_UP);
    PumpUntilIdle();
    EXPECT_FALSE(ListShown());
    EXPECT_FALSE(control->DroppedDown());
    EXPECT_EQ(Utf8(Shown()), "Кирпич");
}

TEST_F(BarComboControl, ArrowKeysAndTheWheelStepTheShownEntryAndEnterCommitsIt) {
    Show();
    ClickEditBox();
    TypeKey(VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"Бетон"; }));
    // At the first entry Up is eaten: nothing moves, nothing reaches the window.
    TypeKey(VK_UP);
    PumpUntilIdle();
    EXPECT_EQ(Utf8(Shown()), "Бетон");
    EXPECT_EQ(control->LocalItemIndex(), 0);
    EXPECT_EQ(combo->ItemIndex(), 1);  // the item keeps its entry until Enter
    WheelBy(-120);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"Кирпич"; }));
    WheelBy(-120);
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"Дерево"; }));
    EXPECT_EQ(changes, 0);
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    PumpUntilIdle();
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(Utf8(combo->GetText()), "Дерево");
    EXPECT_EQ(changes, 1);
}

TEST_F(BarComboControl, ATypedTextWithEnterIsStoredAsTheText) {
    Show();
    ClickEditBox();
    TypeKey(VK_DOWN);  // a stepped entry, then typed over
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"Дерево"; }));
    SendMessageW(control->EditHandle(), EM_SETSEL, 0, -1);
    TypeText(L"Стекло");
    ASSERT_TRUE(PumpUntil([&] { return Shown() == L"Стекло"; }));
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    PumpUntilIdle();
    EXPECT_EQ(Utf8(combo->GetText()), "Стекло");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(BarComboControl, KeysMoveTheOpenListsSelectionAndTheWheelScrollsIt) {
    combo->Items()->SetCommaText(L"Бетон,Кирпич,Дерево,Стекло,Камень");
    combo->SetItemIndex(-1);
    combo->SetDropDownCount(2);
    changes = 0;
    Show();
    ClickEditBox();
    TypeKey(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return ListShown(); }));
    // Two entries high, the scroll bar beside them.
    RECT client{};
    GetClientRect(List(), &client);
    EXPECT_EQ(client.bottom, combo->ListBox()->ItemRect(1).bottom);
    EXPECT_EQ(combo->ListBox()->ItemIndex(), -1);
    // With nothing chosen, the first Down starts from the top entry; the editor previews it.
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return combo->ListBox()->ItemIndex() == 1; }));
    EXPECT_EQ(Utf8(Shown()), "Кирпич");
    int top = combo->ListBox()->TopIndex();
    WheelBy(-120);
    ASSERT_TRUE(PumpUntil([&] { return combo->ListBox()->TopIndex() == top + 1; }));
    EXPECT_TRUE(ListShown());
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(combo->ItemIndex(), 1);
}

}  // namespace
