// The list view base on a real form: its header formats and sort arrows (by the header's pixels),
// sorting by a clicked column, the stretched last column, the colours of its states, the frame,
// the routes of its context menus and the veto of a check change.

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "ImageList.h"
#include "RzListVw.h"
#include "WindowTesting.h"

namespace {

struct TMenuRecorder : TObject {
    std::vector<std::string> calls;
    TPopupMenu* replacement = nullptr;
    bool handlePlainPopup = false;
    void ItemMenu(TObject*, TListItem* item, TPoint& pos, TPopupMenu*& menu) {
        calls.push_back("item " + (item ? Utf8(item->Caption()) : std::string("none")) + " at " +
                        std::to_string(pos.x) + "," + std::to_string(pos.y));
        if (replacement) menu = replacement;
    }
    void ContextPopup(TObject*, TPoint pos, bool& handled) {
        calls.push_back("popup at " + std::to_string(pos.x) + "," + std::to_string(pos.y));
        handled = handlePlainPopup;
    }
    void ColumnClick(TObject*, TListColumn* column) { calls.push_back("column " + std::to_string(column->Index())); }
};

class ListViewBase : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(420, 300));
        other = new TFocusTarget(form.get());
        other->SetParent(form.get());
        other->SetBounds(380, 260, 30, 30);
        list = new TRzCustomListView(form.get());
        list->SetParent(form.get());
        list->SetBounds(10, 10, 360, 220);
        list->SetViewStyle(vsReport);
        AddColumn(L"Name", 120, taLeftJustify);
        AddColumn(L"Size", 80, taRightJustify);
        AddColumn(L"Type", 60, taCenter);
        list->SetStretchLastColumn(false);
        PumpUntilIdle();
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    void AddColumn(const String& caption, int width, TAlignment alignment) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(width);
        column->SetAlignment(alignment);
    }
    TListItem* AddItem(const String& caption, std::initializer_list<String> subItems = {}) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(caption);
        for (const String& s : subItems) item->SubItems()->Add(s);
        return item;
    }
    HWND Header() { return list->HeaderHandle(); }
    int HeaderFormat(int index) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(Header(), HDM_GETITEMW, WPARAM(index), LPARAM(&item));
        return item.fmt;
    }
    TRect SectionRect(int index) {
        RECT r{};
        SendMessageW(Header(), HDM_GETITEMRECT, WPARAM(index), LPARAM(&r));
        return r;
    }
    TPoint SectionCentre(int index, int dx = 0) {
        TRect r = SectionRect(index);
        POINT p{(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2};
        ClientToScreen(Header(), &p);
        return TPoint{p.x, p.y};
    }
    // The captions in the window's order (each row's item, as the window keeps it).
    std::string WindowOrder() {
        std::string out;
        int count = int(SendMessageW(list->WindowHandle(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            LVITEMW row{};
            row.mask = LVIF_PARAM;
            row.iItem = i;
            SendMessageW(list->WindowHandle(), LVM_GETITEMW, 0, LPARAM(&row));
            String caption = reinterpret_cast<TListItem*>(row.lParam)->Caption();
            out += (caption.empty() ? std::string("-") : Utf8(caption)) + " ";
        }
        return out;
    }
    // The pixel of the list view's whole window (frame included), as the screen shows it.
    TColor WindowPixel(int x, int y) {
        UpdateWindow(list->WindowHandle());
        RedrawWindow(list->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(list->WindowHandle());
        TColor c = TColor(GetPixel(dc, x, y));
        ReleaseDC(list->WindowHandle(), dc);
        return c;
    }

    std::unique_ptr<TForm> form;
    TFocusTarget* other = nullptr;
    TRzCustomListView* list = nullptr;
};

}  // namespace

TEST_F(ListViewBase, HeaderFormatsFollowTheSortDisplayMode) {
    ASSERT_NE(Header(), nullptr);
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    list->Columns()->Items(2)->SetImageIndex(0);
    struct Case {
        TRzLVHeaderSortDisplayMode mode;
        bool smallImages;
        int expected[3];
    } cases[] = {
        {hsdmRightOfText, false, {HDF_OWNERDRAW | HDF_LEFT, HDF_OWNERDRAW | HDF_RIGHT, HDF_OWNERDRAW | HDF_CENTER}},
        {hsdmLeftAlign, true, {HDF_OWNERDRAW | HDF_LEFT, HDF_OWNERDRAW | HDF_RIGHT, HDF_OWNERDRAW | HDF_CENTER}},
        {hsdmRightAlign, false, {HDF_OWNERDRAW | HDF_LEFT, HDF_OWNERDRAW | HDF_RIGHT, HDF_OWNERDRAW | HDF_CENTER}},
        {hsdmNone, false, {HDF_STRING | HDF_LEFT, HDF_STRING | HDF_RIGHT, HDF_STRING | HDF_CENTER}},
        {hsdmNone, true, {HDF_STRING | HDF_LEFT, HDF_STRING | HDF_RIGHT, HDF_STRING | HDF_CENTER | HDF_IMAGE}},
    };
    for (const Case& c : cases) {
        list->SetSmallImages(c.smallImages ? &images : nullptr);
        list->SetHeaderSortDisplayMode(c.mode);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(HeaderFormat(i) & (HDF_OWNERDRAW | HDF_STRING | HDF_IMAGE | HDF_JUSTIFYMASK), c.expected[i])
                << "mode " << int(c.mode) << " column " << i;
    }
    list->SetSmallImages(nullptr);

    // A new window gets the formats again, and so does a report view that comes back.
    list->SetHeaderSortDisplayMode(hsdmRightAlign);
    list->SetViewStyle(vsList);
    list->SetViewStyle(vsReport);
    EXPECT_TRUE(HeaderFormat(0) & HDF_OWNERDRAW);
    list->SetMultiSelect(true);  // re-creates the window
    PumpUntilIdle();
    ASSERT_NE(Header(), nullptr);
    EXPECT_TRUE(HeaderFormat(1) & HDF_OWNERDRAW);
    EXPECT_EQ(HeaderFormat(1) & HDF_JUSTIFYMASK, HDF_RIGHT);
}

TEST_F(ListViewBase, TheSortArrowPointsItsWayAndNeedsRoom) {
    list->SetHeaderSortDisplayMode(hsdmRightAlign);
    list->SetSortedColumn(0);
    const TColor shadow = RgbOf(clBtnShadow);
    // The arrow box of the first section: the text rectangle is the section less 2 all round
    // and 4 more at either end; the box stands at its right end.
    const TRect section = SectionRect(0);
    const int top = section.top + 2, bottom = section.bottom - 2, right = section.right - 2 - 4;
    const int size = (top + bottom) / 2 - 1;
    const TRect box{right - size - 1, (top + bottom - size) / 2 - 1, right, (top + bottom - size) / 2 - 1 + size};
    const int h = size * 3 / 4, centre = box.left + (box.right - box.left) / 2;
    ASSERT_GT(h, 2);

    for (bool descending : {false, true}) {
        list->SetSortDescending(descending);
        TControlSnapshot shot(Header());
        // The middle column carries the arrow in every row; the base row is full width.
        for (int row = 0; row < h; ++row) EXPECT_EQ(shot.Pixel(centre, box.bottom - h + row), shadow) << row;
        const int baseRow = descending ? box.bottom - h : box.bottom - 1;
        const int apexRow = descending ? box.bottom - 1 : box.bottom - h;
        EXPECT_EQ(shot.Pixel(centre - (h - 1), baseRow), shadow) << "descending " << descending;
        EXPECT_EQ(shot.Pixel(centre + (h - 1), baseRow), shadow) << "descending " << descending;
        EXPECT_NE(shot.Pixel(centre - 1, apexRow), shadow) << "descending " << descending;
        EXPECT_NE(shot.Pixel(centre + 1, apexRow), shadow) << "descending " << descending;
    }

    // A column less than twice the box wide shows no arrow; other columns none either.
    auto shadowPixelsIn = [&](int index) {
        TControlSnapshot shot(Header());
        TRect r = SectionRect(index);
        int count = 0;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                if (shot.Pixel(x, y) == shadow) ++count;
        return count;
    };
    EXPECT_GT(shadowPixelsIn(0), 2 * h);
    EXPECT_EQ(shadowPixelsIn(1), 0);
    list->Columns()->Items(0)->SetWidth(2 * (size + 1));
    PumpUntilIdle();
    EXPECT_EQ(shadowPixelsIn(0), 0) << "exactly twice the box is not enough";
    list->Columns()->Items(0)->SetWidth(2 * (size + 1) + 1);
    PumpUntilIdle();
    EXPECT_GT(shadowPixelsIn(0), 0);
    list->SetHeaderSortDisplayMode(hsdmNone);
    EXPECT_EQ(shadowPixelsIn(0), 0);
}

TEST_F(ListViewBase, ColumnClicksSortUpThenDownWithEmptyTextsLast) {
    TMenuRecorder recorder;
    list->OnColumnClick = MakeEvent(&recorder, &TMenuRecorder::ColumnClick);
    list->SetSortOnColumnClick(true);
    AddItem(L"beta", {L"20"});
    AddItem(L"", {L"5"});
    AddItem(L"Alpha");
    AddItem(L"gamma", {L""});
    AddItem(L"delta", {L"1"});
    PumpUntilIdle();

    struct Step {
        int column;
        std::string order;
        bool descending;
    } steps[] = {
        {0, "Alpha beta delta gamma - ", false},
        {0, "- gamma delta beta Alpha ", true},
        {0, "Alpha beta delta gamma - ", false},
        {1, "delta beta - Alpha gamma ", false},  // texts: a missing sub-item is empty
        {1, "Alpha gamma - beta delta ", true},   // empties first, in their order
    };
    int shift = 0;
    for (const Step& s : steps) {
        // Clicks apart by more than the double-click rectangle count one by one.
        shift = shift ? 0 : 12;
        ClickAt(SectionCentre(s.column, shift));
        ASSERT_TRUE(PumpUntil([&] { return !recorder.calls.empty(); }, 2000));
        EXPECT_EQ(recorder.calls, std::vector<std::string>{"column " + std::to_string(s.column)});
        recorder.calls.clear();
        EXPECT_EQ(WindowOrder(), s.order) << "column " << s.column;
        std::string items;
        for (int i = 0; i < list->Items()->Count(); ++i) {
            String caption = list->Items()->Item(i)->Caption();
            items += (caption.empty() ? std::string("-") : Utf8(caption)) + " ";
        }
        EXPECT_EQ(items, s.order);
        EXPECT_EQ(list->SortedColumn(), s.column);
        EXPECT_EQ(list->SortDescending(), s.descending);
    }

    // Without the option a click only reports.
    list->SetSortOnColumnClick(false);
    ClickAt(SectionCentre(0, shift ? 0 : 12));
    ASSERT_TRUE(PumpUntil([&] { return !recorder.calls.empty(); }, 2000));
    EXPECT_EQ(WindowOrder(), steps[4].order);
}

TEST_F(ListViewBase, TheLastColumnTakesTheRestOfTheWidth) {
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    TListColumn* last = list->Columns()->Items(2);
    list->SetStretchLastColumn(true);
    const int client = list->ClientWidth();
    EXPECT_EQ(last->Width(), client - 200 - scrollBar) << "no items: room for a scroll bar";

    AddItem(L"one");
    AddItem(L"two");
    list->ResizeLastColumn();
    EXPECT_EQ(last->Width(), client - 200);
    EXPECT_EQ(list->ClientWidth(), client) << "three items need no scroll bar";

    // Resizing the control stretches it again.
    list->SetWidth(list->Width() + 40);
    EXPECT_EQ(last->Width(), list->ClientWidth() - 200);

    struct Case {
        int othersLeave;  // client width minus the other columns
        int expected;     // -1: unchanged
    } cases[] = {{5, 5}, {4, 5}, {1, 5}, {0, -1}, {-30, -1}};
    for (const Case& c : cases) {
        last->SetWidth(77);
        list->Columns()->Items(0)->SetWidth(list->ClientWidth() - 80 - c.othersLeave);
        list->ResizeLastColumn();
        EXPECT_EQ(last->Width(), c.expected < 0 ? 77 : c.expected) << c.othersLeave;
    }

    // Other views and the option off leave the columns alone.
    last->SetWidth(77);
    list->Columns()->Items(0)->SetWidth(50);
    list->SetStretchLastColumn(false);
    list->ResizeLastColumn();
    EXPECT_EQ(last->Width(), 77);
}

TEST_F(ListViewBase, ColoursFollowTheStateAndColoursSetFromOutside) {
    auto windowBack = [&] { return TColor(SendMessageW(list->WindowHandle(), LVM_GETBKCOLOR, 0, 0)); };
    // Color set while FocusColor equals it: FocusColor follows.
    list->SetColor(clAqua);
    EXPECT_EQ(list->FocusColor(), clAqua);
    EXPECT_EQ(list->UnfocusedColor(), clAqua);
    EXPECT_EQ(windowBack(), RgbOf(clAqua));
    // Once they differ, only the unfocused colour moves.
    list->SetFocusColor(clYellow);
    list->SetColor(clLime);
    EXPECT_EQ(list->FocusColor(), clYellow);
    EXPECT_EQ(list->UnfocusedColor(), clLime);

    list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
    EXPECT_EQ(list->Color(), clYellow);
    EXPECT_EQ(windowBack(), RgbOf(clYellow));
    list->SetFocusColor(clFuchsia);  // the state it colours is current: shown at once
    EXPECT_EQ(list->Color(), clFuchsia);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !list->Focused(); }));
    EXPECT_EQ(list->Color(), clLime);
    EXPECT_EQ(list->FocusColor(), clFuchsia) << "the control's own colour changes move nothing";

    // Disabled: the disabled colour, for the window and every item drawn.
    AddItem(L"first");
    list->SetDisabledColor(clSilver);
    list->SetEnabled(false);
    EXPECT_EQ(list->Color(), clSilver);
    EXPECT_EQ(windowBack(), RgbOf(clSilver));
    TRect label = list->Items()->Item(0)->DisplayRect(drLabel);
    RedrawWindow(list->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(list->WindowHandle());
    TColor itemBack = TColor(GetPixel(dc, label.right - 2, label.top + 1));
    ReleaseDC(list->WindowHandle(), dc);
    EXPECT_EQ(itemBack, RgbOf(clSilver));
    list->SetDisabledColor(clGray);
    EXPECT_EQ(list->Color(), clGray);
    list->SetEnabled(true);
    EXPECT_EQ(list->Color(), clLime);
}

TEST_F(ListViewBase, TheFramePaintsOverTheBorderOnItsSides) {
    MoveMouseTo(TPoint{700, 550});  // the frame is hot under the mouse
    list->SetColor(clWhite);
    list->SetFrameColor(clRed);
    list->SetFrameVisible(true);
    PumpUntilIdle();
    const int w = list->Width(), h = list->Height();
    EXPECT_EQ(WindowPixel(0, h / 2), RgbOf(clRed));
    EXPECT_EQ(WindowPixel(1, h / 2), RgbOf(clWhite)) << "the second ring in the control's colour";
    EXPECT_EQ(WindowPixel(w - 1, h / 2), RgbOf(clRed));
    EXPECT_EQ(WindowPixel(w / 2, h - 1), RgbOf(clRed));

    list->SetFrameSides(TSides{sdLeft, sdTop});
    EXPECT_EQ(WindowPixel(0, h / 2), RgbOf(clRed));
    EXPECT_EQ(WindowPixel(w - 1, h / 2), RgbOf(clWhite));

    // Hot tracking: the bold hot style in the hot colour while focused, on all sides again.
    list->SetFrameHotColor(clBlue);
    list->SetFrameHotTrack(true);
    EXPECT_EQ(list->FrameSides(), sdAllSides);
    list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
    EXPECT_EQ(WindowPixel(0, h / 2), RgbOf(clBlue));
    EXPECT_EQ(WindowPixel(1, h / 2), RgbOf(clBlue));
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !list->Focused(); }));
    EXPECT_EQ(WindowPixel(1, h / 2), RgbOf(clWhite));

    // No frame: the system's border.
    list->SetFrameHotTrack(false);
    list->SetFrameVisible(false);
    PumpUntilIdle();
    EXPECT_NE(WindowPixel(0, h / 2), RgbOf(clRed));
}

TEST_F(ListViewBase, ContextMenusGoToThePlainPopupOrTheItemEvent) {
    TSpyPopupMenu popup(form.get()), itemMenu(form.get());
    list->SetPopupMenu(&popup);
    TMenuRecorder recorder;
    list->OnItemContextMenu = MakeEvent(&recorder, &TMenuRecorder::ItemMenu);
    list->OnContextPopup = MakeEvent(&recorder, &TMenuRecorder::ContextPopup);
    list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));

    // Nothing selected or focused: the context-menu key opens the plain popup at the origin.
    TypeKey(VK_APPS);
    ASSERT_TRUE(PumpUntil([&] { return !popup.shown.empty(); }, 2000));
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"popup at 0,0"});
    ASSERT_EQ(popup.shown.size(), 1u);
    EXPECT_EQ(popup.shown[0], PointText(list->ClientToScreen(TPoint{0, 0})));
    EXPECT_EQ(popup.PopupComponent(), list);
    PumpUntilIdle();
    // A request of the system with nothing selected shows nothing.
    recorder.calls.clear();
    list->Perform(WM_CONTEXTMENU, WPARAM(list->WindowHandle()), MAKELPARAM(-1, -1));
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(popup.shown.size(), 1u);
    // Handled by OnContextPopup: no menu.
    recorder.handlePlainPopup = true;
    TypeKey(VK_APPS);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.calls.empty(); }, 2000));
    PumpUntilIdle();  // the key's release, with its request, goes by before the selection changes
    EXPECT_EQ(popup.shown.size(), 1u);

    // With a focused item the item's event decides, at the middle of its icon.
    TListItem* item = AddItem(L"item");
    AddItem(L"other");
    item->SetSelected(true);
    item->SetFocused(true);
    recorder.calls.clear();
    recorder.replacement = &itemMenu;
    TypeChord({VK_SHIFT, VK_F10});
    ASSERT_TRUE(PumpUntil([&] { return !itemMenu.shown.empty(); }, 2000));
    TRect icon = item->DisplayRect(drIcon);
    TPoint middle{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    EXPECT_EQ(recorder.calls,
              std::vector<std::string>{"item item at " + std::to_string(middle.x) + "," + std::to_string(middle.y)});
    EXPECT_EQ(itemMenu.shown[0], PointText(list->ClientToScreen(middle)));
    EXPECT_EQ(popup.shown.size(), 1u);
    PumpUntilIdle();
    EXPECT_EQ(itemMenu.shown.size(), 1u) << "shown once";
}

TEST_F(ListViewBase, ACheckChangeCanBeVetoed) {
    list->SetCheckboxes(true);
    TListItem* first = AddItem(L"first");
    AddItem(L"second");
    PumpUntilIdle();
    struct TCheckRecorder : TObject {
        bool allow = false;
        std::vector<std::string> calls;
        void Changing(TObject*, TListItem* item, bool& allowChange, bool newChecked) {
            calls.push_back("changing " + Utf8(item->Caption()) + (newChecked ? " on" : " off"));
            allowChange = allow;
        }
        void Changed(TObject*, TListItem* item) { calls.push_back("changed " + Utf8(item->Caption())); }
    } recorder;
    list->OnItemCheckChanging = MakeEvent(&recorder, &TCheckRecorder::Changing);
    list->OnItemCheckChanged = MakeEvent(&recorder, &TCheckRecorder::Changed);

    first->SetChecked(true);
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"changing first on"});

    // The user's space bar is refused the same way.
    recorder.calls.clear();
    first->SetSelected(true);
    first->SetFocused(true);
    list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
    TypeKey(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return !recorder.calls.empty(); }, 2000));
    PumpUntilIdle();
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(recorder.calls.back(), "changing first on");

    recorder.allow = true;
    recorder.calls.clear();
    first->SetChecked(true);
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"changing first on", "changed first"}));
    recorder.calls.clear();
    first->SetChecked(false);
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"changing first off", "changed first"}));
}
