// Combo boxes: keys and clicks on the drop-down list, typing, the five styles across window
// re-creation, owner-drawn entries, deletions and sorting.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

namespace {

// A combo box that logs what passes its edit part and the entries deleted with their data.
class TProbeComboBox : public TComboBox {
    Z_CLASS(TProbeComboBox, TComboBox)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_DELETEITEM, WMDeleteItem))
public:
    explicit TProbeComboBox(TComponent* o) : TComboBox(o) {}
    String editChars;
    std::vector<TObject*> deleted;

protected:
    void EditWndProc(TMessage& Message) override {
        if (Message.Msg == WM_CHAR) editChars += wchar_t(Message.WParam);
        TComboBox::EditWndProc(Message);
    }

private:
    void WMDeleteItem(TMessage& Message) {
        deleted.push_back(reinterpret_cast<TObject*>(reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam)->itemData));
        Inherited<TComboBox>(Message);
    }
};

// The screen rectangle of an entry of a dropped-down list.
TRect DroppedEntryRect(TCustomComboBox* combo, int index) {
    RECT r{};
    SendMessageW(combo->ListHandle(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    MapWindowPoints(combo->ListHandle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST_F(StandardControlsTest, AComboDropsDownAndSelectsWithKeys) {
    auto* combo = form->Find<TComboBox>(L"cbKind");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), L"Бета");
    combo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return combo->Focused(); }));
    form->TakeEvents();

    TypeKey(VK_DOWN);  // closed: the next entry at once
    ASSERT_TRUE(PumpUntil([&] { return combo->ItemIndex() == 2; }));
    EXPECT_EQ(combo->Text(), L"Гамма");
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"cbKind.click", "cbKind.change"}));

    TypeKey(VK_F4);
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    TypeKey(VK_UP);
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }));
    PumpUntilIdle();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(form->TakeEvents(),
              (std::vector<std::string>{"cbKind.dropdown", "cbKind.click", "cbKind.change", "cbKind.closeup"}));
    // Enter went to the list, not on to the form.
    EXPECT_TRUE(combo->Focused());
}

TEST_F(StandardControlsTest, AComboDropsDownAndSelectsWithClicks) {
    auto* combo = form->Find<TComboBox>(L"cbKind");
    form->TakeEvents();
    ClickAt(combo->ClientToScreen(TPoint{combo->Width() - 8, combo->Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    ClickAt(RectCentre(DroppedEntryRect(combo, 3)));
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }));
    PumpUntilIdle();
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), L"Дельта");
    // The system reports the choice of a clicked entry after the list has closed.
    EXPECT_EQ(form->TakeEvents(),
              (std::vector<std::string>{"cbKind.dropdown", "cbKind.closeup", "cbKind.click", "cbKind.change"}));
}

TEST_F(StandardControlsTest, TypingIntoAComboPassesItsEditPartAndFiresOnChangeOncePerChange) {
    auto* combo = new TProbeComboBox(form);
    combo->SetBounds(200, 400, 150, 21);
    combo->SetParent(form);
    combo->Items()->AddStrings({L"New York", L"Москва"});
    combo->OnChange = MakeEvent(form, &TControlsTestForm::ControlChange);
    combo->SetName(L"cbProbe");
    ASSERT_NE(combo->EditHandle(), nullptr);
    ClickAt(combo->ClientToScreen(TPoint{20, 8}));
    ASSERT_TRUE(PumpUntil([&] { return combo->Focused(); }));
    TypeText(L"Мо");
    ASSERT_TRUE(PumpUntil([&] { return combo->Text() == L"Мо"; }));
    EXPECT_EQ(combo->editChars, L"Мо");
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"cbProbe.change", "cbProbe.change"}));
    FreeObject(combo);
}

TEST_F(StandardControlsTest, AComboKeepsEntriesDataSelectionAndTextAcrossANewWindowInEveryStyle) {
    TObject data[3];
    for (TComboBoxStyle style : {csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable}) {
        SCOPED_TRACE(int(style));
        auto* combo = new TComboBox(form);
        combo->SetStyle(style);
        combo->SetBounds(200, 40, 150, style == csSimple ? 90 : 21);
        combo->SetParent(form);
        combo->Items()->AddObject(L"Один", &data[0]);
        combo->Items()->AddObject(L"Два", &data[1]);
        combo->Items()->AddObject(L"Три", &data[2]);
        combo->SetItemIndex(2);
        HWND before = combo->Handle();
        combo->RecreateWnd();
        ASSERT_NE(combo->Handle(), before);
        EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(combo->Items()->Objects(1), &data[1]);
        EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMDATA, 1, 0), LRESULT(&data[1]));
        EXPECT_EQ(combo->ItemIndex(), 2);
        EXPECT_EQ(combo->Text(), L"Три");
        if (style == csDropDown || style == csSimple) {
            combo->SetText(L"Свой текст");
            combo->RecreateWnd();
            EXPECT_EQ(combo->Text(), L"Свой текст");
        }
        // Without a window the control answers the same.
        combo->SetItemIndex(1);
        combo->DestroyHandle();
        EXPECT_EQ(combo->ItemIndex(), 1);
        EXPECT_EQ(combo->Text(), L"Два");
        FreeObject(combo);
    }
}

TEST_F(StandardControlsTest, OwnerDrawnComboEntriesHaveTheirMeasuredHeightsAndPaintThemselves) {
    auto* combo = form->Find<TComboBox>(L"cbColor");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, WPARAM(i), 0), 16 + 4 * i);
    combo->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    PumpUntilIdle();
    TControlSnapshot list(combo->ListHandle());
    const TColor expected[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        RECT r{};
        SendMessageW(combo->ListHandle(), LB_GETITEMRECT, WPARAM(i), LPARAM(&r));
        EXPECT_EQ(r.bottom - r.top, 16 + 4 * i);
        // Near the entry's top: the list may show the last one only in part. The selected entry
        // is drawn in its own colour too: the handler paints every state.
        EXPECT_EQ(list.Pixel((r.left + r.right) / 2, r.top + 2), expected[i]) << i;
    }
    combo->SetDroppedDown(false);
}

TEST_F(StandardControlsTest, AComboReportsDeletedEntriesButNotANewWindow) {
    auto* combo = new TProbeComboBox(form);
    combo->SetStyle(csDropDownList);
    combo->SetParent(form);
    TObject data[3];
    for (TObject& d : data) combo->Items()->AddObject(L"x", &d);
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->deleted, (std::vector<TObject*>{&data[1]}));
    combo->RecreateWnd();
    EXPECT_EQ(combo->deleted.size(), 1u);
    combo->Items()->Clear();
    EXPECT_EQ(combo->deleted.size(), 3u);
    FreeObject(combo);
}

TEST_F(StandardControlsTest, ASortedComboKeepsItsEntriesInOrderInTheWindow) {
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->Items()->AddStrings({L"Щ", L"а", L"Б"});
    combo->SetSorted(true);
    combo->Items()->Add(L"В");
    const wchar_t* order[] = {L"а", L"Б", L"В", L"Щ"};
    for (int i = 0; i < 4; ++i) {
        wchar_t text[8] = {};
        SendMessageW(combo->Handle(), CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        EXPECT_EQ(String(text), order[i]);
        EXPECT_EQ(combo->Items()->Get(i), order[i]);
    }
    FreeObject(combo);
}

TEST_F(StandardControlsTest, AutoDropDownOpensTheListOnATypedCharacter) {
    auto* combo = form->Find<TComboBox>(L"cbKind");
    combo->SetAutoDropDown(true);
    combo->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return combo->Focused(); }));
    TypeText(L"Д");
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }));
}
