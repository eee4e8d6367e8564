// List boxes: clicks, owner-drawn entries of variable height, positions and window re-creation.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

TEST_F(StandardControlsTest, AClickSelectsAListBoxEntryAndFiresOnClickOnce) {
    auto* list = form->Find<TListBox>(L"lbNames");
    EXPECT_EQ(list->Count(), 7);
    EXPECT_EQ(list->ItemIndex(), -1);
    form->TakeEvents();
    ClickAt(list->ClientToScreen(RectCentre(list->ItemRect(2))));
    ASSERT_TRUE(PumpUntil([&] { return !form->events.empty(); }));
    PumpUntilIdle();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->Items()->Get(2), L"Третий");
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lbNames.click"}));
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return !form->events.empty(); }));
    PumpUntilIdle();
    EXPECT_EQ(list->ItemIndex(), 3);
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lbNames.click"}));
}

TEST_F(StandardControlsTest, OwnerDrawnListEntriesOfVariableHeightMapToPositions) {
    auto* list = form->Find<TListBox>(L"lbColors");
    TControlSnapshot shot(list);
    const TColor expected[] = {clRed, clLime, clBlue, clYellow};
    int top = 0;
    for (int i = 0; i < 3; ++i) {  // the fourth does not fit
        TRect r = list->ItemRect(i);
        EXPECT_EQ(r.top, top);
        EXPECT_EQ(r.bottom - r.top, 16 + 4 * i);
        top = r.bottom;
        TPoint c = RectCentre(r);
        EXPECT_EQ(list->ItemAtPos(c, true), i);
        EXPECT_EQ(shot.Pixel(c.x, c.y), expected[i]) << i;
    }
    // Below the last entry.
    list->Items()->Delete(3);
    list->Items()->Delete(2);
    TPoint below{10, list->ItemRect(1).bottom + 5};
    EXPECT_EQ(list->ItemAtPos(below, true), -1);
    EXPECT_EQ(list->ItemAtPos(below, false), 2);

    list->Items()->AddStrings({L"Синий", L"Жёлтый", L"Красный"});
    list->SetTopIndex(2);
    EXPECT_EQ(list->TopIndex(), 2);
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 5}, true), 2);
}

TEST_F(StandardControlsTest, AListBoxKeepsEntriesSelectionAndTopIndexAcrossANewWindow) {
    auto* list = form->Find<TListBox>(L"lbColors");
    TObject data;
    list->Items()->SetObjects(1, &data);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetItemIndex(2);
    list->SetTopIndex(1);
    HWND before = list->Handle();
    list->SetItemHeight(20);  // owner-drawn: a new window
    ASSERT_NE(list->Handle(), before);
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Items()->Objects(1), &data);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMDATA, 1, 0), LRESULT(&data));
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(0) && !list->Selected(1) && list->Selected(2));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->TopIndex(), 1);

    // Without a window, and changed while it has none.
    list->DestroyHandle();
    EXPECT_TRUE(list->Selected(2));
    list->SetSelected(3, true);
    list->HandleNeeded();
    EXPECT_EQ(list->SelCount(), 3);

    // Turning multiple selection off keeps the chosen entry.
    list->SetMultiSelect(false);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->SelCount(), 1);
}
