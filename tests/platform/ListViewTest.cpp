// List views: items with their data shown through callbacks, real clicks and keys, caption
// editing, sorting, custom drawing and window re-creation.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

namespace {

// What the window shows in a cell, asked as any program would.
String ListCellText(TListView* list, int row, int column) {
    wchar_t text[64] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = 64;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&cell));
    return text;
}

LPARAM ListRowData(TListView* list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list->Handle(), LVM_GETITEMW, 0, LPARAM(&item));
    return item.lParam;
}

int SizeOrder(TListItem* a, TListItem* b, LPARAM descending) {
    int order = *static_cast<int*>(a->Data()) - *static_cast<int*>(b->Data());
    return descending ? -order : order;
}

}  // namespace

TEST_F(StandardControlsTest, AListViewShowsItsItemsAndAnswersClicksAndKeys) {
    auto* list = form->Find<TListView>(L"lvFiles");
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(ListCellText(list, 2, 0), L"Ёлка.bmp");
    EXPECT_EQ(ListCellText(list, 2, 1), L"512");
    form->TakeEvents();

    ClickAt(list->ClientToScreen(RectCentre(list->Items()->Item(1)->DisplayRect(drLabel))));
    ASSERT_TRUE(PumpUntil([&] { return list->Selected() == list->Items()->Item(1); }));
    PumpUntilIdle();
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lvFiles.select readme.txt"}));
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return list->Selected() == list->Items()->Item(2); }));
    PumpUntilIdle();
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lvFiles.unselect readme.txt", "lvFiles.select Ёлка.bmp"}));
    EXPECT_EQ(list->ItemFocused(), list->Items()->Item(2));

    // A click on the second column's header.
    RECT header{};
    SendMessageW(list->HeaderHandle(), HDM_GETITEMRECT, 1, LPARAM(&header));
    MapWindowPoints(list->HeaderHandle(), nullptr, reinterpret_cast<POINT*>(&header), 2);
    ClickAt(RectCentre(header));
    ASSERT_TRUE(PumpUntil([&] { return !form->events.empty(); }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lvFiles.column1"}));
}

TEST_F(StandardControlsTest, AListViewCaptionIsEditedWithRealKeys) {
    auto* list = form->Find<TListView>(L"lvFiles");
    TListItem* item = list->Items()->Item(1);
    list->SetSelected(item);
    form->TakeEvents();
    ASSERT_TRUE(item->EditCaption());
    ASSERT_TRUE(PumpUntil([&] { return list->IsEditing(); }));
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETEDITCONTROL, 0, 0)), EM_SETSEL, 0, -1);
    TypeText(L"Новое имя");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !list->IsEditing(); }));
    EXPECT_EQ(item->Caption(), L"Новое имя");
    EXPECT_EQ(ListCellText(list, 1, 0), L"Новое имя");
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lvFiles.edited Новое имя"}));
    // Enter ended the edit; it did not reach the form.
    EXPECT_TRUE(list->Focused());
}

TEST_F(StandardControlsTest, AListViewKeepsItemsDataStatesAndColumnsAcrossANewWindow) {
    auto* list = form->Find<TListView>(L"lvFiles");
    list->SetMultiSelect(true);
    list->Items()->Item(0)->SetSelected(true);
    list->Items()->Item(3)->SetSelected(true);
    list->Items()->Item(2)->SetCut(true);
    list->Columns()->Items(0)->SetWidth(150);
    list->SetCheckboxes(true);  // a new window
    list->Items()->Item(1)->SetChecked(true);
    form->TakeEvents();
    HWND before = list->Handle();
    list->RecreateWnd();
    ASSERT_NE(list->Handle(), before);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ListRowData(list, i), LPARAM(list->Items()->Item(i)));
        EXPECT_EQ(list->Items()->Item(i)->Data(), &form->sizes[i]);
    }
    EXPECT_EQ(ListCellText(list, 3, 1), L"77");
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Items()->Item(0)->Selected() && list->Items()->Item(3)->Selected());
    EXPECT_TRUE(list->Items()->Item(2)->Cut());
    EXPECT_TRUE(list->Items()->Item(1)->Checked());
    EXPECT_FALSE(list->Items()->Item(0)->Checked());
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 150);
    // No deletion was reported for the old window's items.
    EXPECT_TRUE(form->TakeEvents().empty());

    // Without a window the items answer for themselves.
    list->DestroyHandle();
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Items()->Item(1)->Checked());
}

TEST_F(StandardControlsTest, SortingAListViewOrdersItsItemsAndTheWindowAlike) {
    auto* list = form->Find<TListView>(L"lvFiles");
    list->CustomSort(&SizeOrder, 1);
    const int expected[] = {2048, 512, 77, 10};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(*static_cast<int*>(list->Items()->Item(i)->Data()), expected[i]);
        EXPECT_EQ(ListRowData(list, i), LPARAM(list->Items()->Item(i)));
        EXPECT_EQ(ListCellText(list, i, 1), IntToStr(expected[i]));
    }
    list->AlphaSort();
    EXPECT_EQ(ListCellText(list, 0, 0), L"readme.txt");
    EXPECT_EQ(ListCellText(list, 2, 0), L"Ёлка.bmp");  // Ё comes before У
    EXPECT_EQ(ListCellText(list, 3, 0), L"Уровень01.level");
}

TEST_F(StandardControlsTest, AListViewAsksForImagesWhenItDrawsAndDeletesItemsOnce) {
    auto* list = form->Find<TListView>(L"lvFiles");
    struct TImageProbe : TObject {
        int asked = 0;
        void GetImage(TObject*, TListItem* item) {
            ++asked;
            item->SetImageIndex(item->Index() + 5);
        }
    } probe;
    list->OnGetImageIndex = MakeEvent(&probe, &TImageProbe::GetImage);
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 3;
    SendMessageW(list->Handle(), LVM_GETITEMW, 0, LPARAM(&item));
    EXPECT_EQ(item.iImage, 8);
    EXPECT_GE(probe.asked, 1);
    list->OnGetImageIndex = {};

    form->TakeEvents();
    list->Items()->Delete(1);
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"lvFiles.delete readme.txt"}));
    EXPECT_EQ(ListCellText(list, 1, 0), L"Ёлка.bmp");
    list->Items()->Clear();
    EXPECT_EQ(form->TakeEvents().size(), 3u);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(StandardControlsTest, CustomDrawnListItemsTakeTheCanvasColours) {
    auto* list = form->Find<TListView>(L"lvFiles");
    struct TPainter : TObject {
        void DrawItem(TCustomListView* sender, TListItem* item, TCustomDrawState, bool&) {
            sender->Canvas()->Brush()->SetColor(item->Index() == 2 ? clYellow : clAqua);
            sender->Canvas()->Font()->SetColor(clNavy);
        }
    } painter;
    list->OnCustomDrawItem = MakeEvent(&painter, &TPainter::DrawItem);
    list->Invalidate();
    TControlSnapshot shot(list);
    TRect label = list->Items()->Item(2)->DisplayRect(drLabel);
    // The label's background, right of its text.
    EXPECT_EQ(shot.Pixel(label.right - 3, (label.top + label.bottom) / 2), clYellow);
    TRect other = list->Items()->Item(0)->DisplayRect(drLabel);
    EXPECT_EQ(shot.Pixel(other.right - 3, (other.top + other.bottom) / 2), clAqua);
}
