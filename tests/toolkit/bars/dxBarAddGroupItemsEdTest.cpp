// The add-group-items dialog at design time (the manager designing): the rows it lists for a
// group, what OK hands back from a selection made with real clicks, and how the rows are drawn
// (pixels of the list box, painted as the system paints it).

#include "SmallDialogTestSupport.h"

#include <set>

#include "ControlSnapshot.h"
#include "Lists.h"
#include "dxBarAddGroupItemsEd.h"
#include "dxBarGroup.h"

namespace {

class AddGroupItemsDialogTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        form->SetBounds(20, 20, 300, 200);
        form->Show();
        manager->SetStateFlag(csDesigning, true);
        manager->Categories()->Add(L"Файл");
        manager->Categories()->Add(L"Пусто");
        manager->Categories()->Add(L"Правка");
        open = Item(L"btnOpen", 1, L"Открыть");
        save = Item(L"btnSave", 1, L"Сохранить");
        cut = Item(L"btnCut", 3, L"Вырезать");
        group = new TdxBarGroup(form.get());
        group->SetName(L"grpEdit");
        group->Add(save);
    }
    void TearDown() override {
        manager->SetStateFlag(csDesigning, false);
        BarTest::TearDown();
    }
    TTestBarItem* Item(const wchar_t* name, int category, const wchar_t* caption) {
        TTestBarItem* item = NewItem(name, category);
        item->SetCaption(caption);
        return item;
    }
    TdxBarGroup* NewGroup(const wchar_t* name) {
        auto* other = new TdxBarGroup(form.get());
        other->SetName(name);
        return other;
    }
    static std::vector<std::string> Rows(TListBox* list) {
        std::vector<std::string> rows;
        for (int i = 0; i < list->Items()->Count(); ++i) {
            auto* component = As<TComponent>(list->Items()->Objects(i));
            rows.push_back(Utf8(list->Items()->Strings(i)) + (component ? " @" + Utf8(component->Name()) : ""));
        }
        return rows;
    }
    static int RowOf(TListBox* list, const wchar_t* text) { return list->Items()->IndexOf(text); }
    static void ClickRow(TListBox* list, int row, bool control) {
        TRect r = list->ItemRect(row);
        if (control) KeyDown(VK_CONTROL);
        ClickAt(list->ClientToScreen(TPoint{r.left + 30, (r.top + r.bottom) / 2}));
        if (control) KeyUp(VK_CONTROL);
    }

    TTestBarItem *open = nullptr, *save = nullptr, *cut = nullptr;
    TdxBarGroup* group = nullptr;
};

TEST_F(AddGroupItemsDialogTest, ListsOtherGroupsOnlyWhenThereAreSomeAndCategoriesWithItems) {
    const std::vector<std::string> itemRows = {"~Файл", "Открыть @btnOpen", "Сохранить @btnSave", "~Правка",
                                               "Вырезать @btnCut"};
    struct TCase {
        const char* name;
        std::vector<const wchar_t*> otherGroups;
        std::vector<std::string> head;
    };
    const TCase cases[] = {
        {"the edited group alone", {}, {}},
        {"two more groups", {L"grpFile", L"grpView"}, {"~< Groups >", "grpFile @grpFile", "grpView @grpView"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TdxBarGroup*> made;
        for (const wchar_t* name : c.otherGroups) made.push_back(NewGroup(name));
        TfrmAddGroupItems* dialog = nullptr;
        std::vector<std::string> rows;
        std::string caption;
        TModalScript<TfrmAddGroupItems> script(dialog, {[&] {
                                                           rows = Rows(dialog->lbGroupItems);
                                                           caption = Utf8(dialog->Caption());
                                                           TypeKey(VK_ESCAPE);
                                                           return true;
                                                       }});
        TList picked;
        EXPECT_FALSE(ShowAddGroupItemsDialog(group, &picked));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(caption, "Add Group Items");
        std::vector<std::string> expected = c.head;
        expected.insert(expected.end(), itemRows.begin(), itemRows.end());
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(picked.Count(), 0);
        for (TdxBarGroup* g : made) FreeObject(g);
    }
}

TEST_F(AddGroupItemsDialogTest, OkHandsBackTheObjectsOfTheSelectedRowsInRowOrder) {
    NewGroup(L"grpFile");
    for (bool confirm : {false, true}) {
        SCOPED_TRACE(confirm);
        TfrmAddGroupItems* dialog = nullptr;
        int selected = 0;
        TModalScript<TfrmAddGroupItems> script(dialog, {[&] {
                                                           TListBox* list = dialog->lbGroupItems;
                                                           ClickRow(list, RowOf(list, L"Вырезать"), false);
                                                           ClickRow(list, RowOf(list, L"~Файл"), true);
                                                           ClickRow(list, RowOf(list, L"grpFile"), true);
                                                           ClickRow(list, RowOf(list, L"Открыть"), true);
                                                           return true;
                                                       },
                                                       [&] {
                                                           selected = dialog->lbGroupItems->SelCount();
                                                           if (selected < 4) return false;
                                                           TypeKey(confirm ? VK_RETURN : VK_ESCAPE);
                                                           return true;
                                                       }});
        TList picked;
        EXPECT_EQ(ShowAddGroupItemsDialog(group, &picked), confirm);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(selected, 4);
        std::vector<TObject*> objects;
        for (int i = 0; i < picked.Count(); ++i) objects.push_back(static_cast<TObject*>(picked.Items(i)));
        // The header row has no object; the group itself is not changed here.
        if (confirm)
            EXPECT_EQ(objects, (std::vector<TObject*>{manager->GetGroup(1), open, cut}));
        else
            EXPECT_TRUE(objects.empty());
        EXPECT_EQ(group->GetMemberCount(), 1);
    }
}

TEST_F(AddGroupItemsDialogTest, RowsAreDrawnAsHeadersItemsInTwoColumnsAndGreyedMembers) {
    auto* dialog = static_cast<TfrmAddGroupItems*>(
        TfrmAddGroupItems::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    dialog->FillList(group);
    dialog->Show();
    TListBox* list = dialog->lbGroupItems;
    list->SetSelected(RowOf(list, L"Вырезать"), true);
    ASSERT_TRUE(PumpUntilIdle());

    // Row height: the text height of "Qq" in the list's font, plus 2.
    list->Canvas()->Font()->Assign(list->Font());
    const int rowHeight = list->Canvas()->TextHeight(L"Qq") + 2;
    for (int i = 0; i < list->Items()->Count(); ++i) {
        TRect r = list->ItemRect(i);
        EXPECT_EQ(r.bottom - r.top, rowHeight) << i;
    }

    // The list paints its background through its rows only: an erase leaves the device alone.
    {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SetPixel(dc, 1, 1, RGB(1, 2, 3));
        EXPECT_EQ(SendMessageW(list->Handle(), WM_ERASEBKGND, WPARAM(dc), 0), 1);
        EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 2, 3));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    TControlSnapshot shot(list->Handle());
    const TColor face = ColorToRGB(clBtnFace), window = ColorToRGB(clWindow), text = ColorToRGB(clWindowText),
                 highlight = ColorToRGB(clHighlight), highlightText = ColorToRGB(clHighlightText),
                 faceText = ColorToRGB(clBtnText);
    const int middle = shot.Width() / 2;
    // The colours met in a part of a row, and whether its vertical line at middle - 1 is whole.
    auto coloursIn = [&](int row, int left, int right) {
        std::set<TColor> colours;
        TRect r = list->ItemRect(row);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = left; x < right; ++x) colours.insert(shot.Pixel(x, y));
        return colours;
    };
    auto lineIs = [&](int row, TColor colour) {
        TRect r = list->ItemRect(row);
        for (int y = r.top; y < r.bottom; ++y)
            if (shot.Pixel(middle - 1, y) != colour) return false;
        return true;
    };

    // Text is smoothed: its edges blend the text colour into the background.
    auto noneDarkerThan = [](const std::set<TColor>& colours, TColor limit) {
        for (TColor c : colours)
            if (GetRValue(c) < GetRValue(limit) || GetGValue(c) < GetGValue(limit) || GetBValue(c) < GetBValue(limit))
                return false;
        return true;
    };

    const int header = RowOf(list, L"~Файл");
    EXPECT_TRUE(coloursIn(header, 0, shot.Width()).count(faceText));
    EXPECT_EQ(coloursIn(header, shot.Width() - 20, shot.Width()), std::set<TColor>{face});
    // The header's text starts 2 pixels in, without the "~".
    EXPECT_EQ(coloursIn(header, 0, 2), std::set<TColor>{face});

    const int plain = RowOf(list, L"Открыть");
    EXPECT_TRUE(coloursIn(plain, 0, middle - 1).count(text));
    EXPECT_TRUE(coloursIn(plain, middle, shot.Width()).count(text));  // the name column
    EXPECT_TRUE(lineIs(plain, text));
    // Three blanks of indent: the first pixels are background.
    EXPECT_EQ(coloursIn(plain, 0, 6), std::set<TColor>{window});

    const int member = RowOf(list, L"Сохранить");  // already in the group: greyed
    std::set<TColor> memberColours = coloursIn(member, 0, middle - 1);
    EXPECT_TRUE(memberColours.count(window));
    EXPECT_TRUE(memberColours.count(face));
    EXPECT_TRUE(noneDarkerThan(memberColours, face));
    EXPECT_TRUE(lineIs(member, text));

    const int chosen = RowOf(list, L"Вырезать");
    std::set<TColor> chosenColours = coloursIn(chosen, 0, middle - 1);
    EXPECT_TRUE(chosenColours.count(highlight));
    EXPECT_TRUE(chosenColours.count(highlightText));
    EXPECT_TRUE(lineIs(chosen, highlightText));

    // Below the last row: button face.
    TRect last = list->ItemRect(list->Items()->Count() - 1);
    ASSERT_LT(last.bottom + 2, shot.Height());
    for (int y : {int(last.bottom), shot.Height() - 1})
        for (int x : {0, middle, shot.Width() - 1}) EXPECT_EQ(shot.Pixel(x, y), face) << x << "," << y;

    FreeObject(dialog);
}

}  // namespace
