// The shell list on a real form over a test tree under C:\: filters, column texts and widths,
// sorting by a header click, navigation and keys, renaming and new folders on disk, copy and
// paste, refresh after outside changes, drop routing and right-button releases after a drag.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzShellDataObject.h"
#include "RzShellContextMenu.h"
#include "RzShellHelpers.h"
#include "RzShellList.h"
#include "ShellTestTree.h"
#include "SysUtils.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

class TTestShellList : public TRzShellList {
public:
    using TRzShellList::TRzShellList;
    bool defaultColumns = false;
    int filterChecks = 0, rightUps = 0, fills = 0;
    void Drag(TRzDragButton button) { StartListDrag(button); }
    bool cancelDrags = false;

protected:
    IDropSource* CreateDropSource(TRzDragButton button) override;
    IShellDetails* CreateDetailsInterface(IShellFolder* folder) override {
        return defaultColumns ? nullptr : TRzShellList::CreateDetailsInterface(folder);
    }
    bool PassesFilter(const String& fileName, SFGAOF attributes) override {
        ++filterChecks;
        return TRzShellList::PassesFilter(fileName, attributes);
    }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override {
        if (Button == mbRight) ++rightUps;
        TRzShellList::MouseUp(Button, Shift, X, Y);
    }
    void DoFillStart() override {
        ++fills;
        TRzShellList::DoFillStart();
    }
};

IDropSource* TTestShellList::CreateDropSource(TRzDragButton button) {
    if (!cancelDrags) return TRzShellList::CreateDropSource(button);
    return TEndingDropSource::Create();
}

class ShellList : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        tree.File(L"a.level", 1);
        tree.File(L"b.level", 1024);
        tree.File(L"c.txt", 1025);
        tree.Folder(L"sub");
        tree.File(L"sub\\inner.txt", 10);
        tree.Folder(L"other");
        form.reset(NewShownForm(600, 400));
        list = new TTestShellList(form.get());
        list->SetBounds(10, 10, 580, 380);
        list->SetViewStyle(vsReport);
        list->SetMultiSelect(true);
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    // Shows folder (a path under the test tree) and waits for the fill.
    void Show(const String& relative) {
        list->Folder()->SetPathName(tree.Path(relative));
        if (!list->Parent()) list->SetParent(form.get());
        list->HandleNeeded();
        ASSERT_TRUE(PumpUntil([&] { return list->Items()->Count() > 0; }));
    }
    std::vector<String> Names() const {
        std::vector<String> names;
        for (int i = 0; i < list->Items()->Count(); ++i) names.push_back(list->ItemData(i)->DisplayName());
        return names;
    }
    std::vector<String> SortedNames() const {
        std::vector<String> names = Names();
        std::sort(names.begin(), names.end());
        return names;
    }
    TListItem* ItemNamed(const String& name) const {
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (AnsiCompareText(list->ItemData(i)->DisplayName(), name) == 0) return list->Items()->Item(i);
        return nullptr;
    }
    void SelectOnly(const String& name) {
        TListItem* item = ItemNamed(name);
        ASSERT_NE(item, nullptr) << "no item " << AnsiString(name.begin(), name.end());
        list->ClearSelection();
        item->SetSelected(true);
        item->SetFocused(true);
    }
    void Focus() {
        list->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return list->Focused(); }));
    }
    String ShownPath() const { return list->Folder()->PathName(); }
    HWND EditBox() const { return HWND(SendMessageW(list->Handle(), LVM_GETEDITCONTROL, 0, 0)); }

    TShellTestTree tree;
    std::unique_ptr<TForm> form;
    TTestShellList* list = nullptr;
};

}  // namespace

TEST_F(ShellList, FileFiltersShowFoldersAndMatchingFiles) {
    struct TCase {
        const wchar_t* filter;
        std::vector<String> names;
        bool table;
    } cases[] = {
        {L"*.level", {L"a.level", L"b.level", L"other", L"sub"}, true},
        {L"*", {L"a.level", L"b.level", L"c.txt", L"other", L"sub"}, false},
        {L"*.*", {L"a.level", L"b.level", L"c.txt", L"other", L"sub"}, false},
        {L"a.*;*.txt", {L"a.level", L"c.txt", L"other", L"sub"}, true},
        {L";*.txt;;", {L"c.txt", L"other", L"sub"}, true},
        {L"", {L"a.level", L"b.level", L"c.txt", L"other", L"sub"}, false},
    };
    Show(L"");
    for (const TCase& c : cases) {
        list->filterChecks = 0;
        list->SetFileFilter(c.filter);
        list->FillList();
        EXPECT_EQ(SortedNames(), c.names) << AnsiString(c.filter, c.filter + wcslen(c.filter));
        EXPECT_EQ(list->filterChecks > 0, c.table) << AnsiString(c.filter, c.filter + wcslen(c.filter));
    }

    // A folder outside the file system ignores the filter: the computer still shows its drives.
    list->SetFileFilter(L"*.level");
    list->Folder()->SetCSIDL(CSIDL_DRIVES);
    int withFilter = list->Items()->Count();
    list->SetFileFilter(L"");
    EXPECT_GT(withFilter, 0);
    EXPECT_EQ(list->Items()->Count(), withFilter);
}

TEST_F(ShellList, DefaultColumnTextsRoundSizesUpToWholeKilobytes) {
    list->defaultColumns = true;
    Show(L"");
    ASSERT_EQ(list->Columns()->Count(), 4);
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), L"Name");
    EXPECT_EQ(list->Columns()->Items(1)->Caption(), L"Size");
    EXPECT_EQ(list->Columns()->Items(1)->Alignment(), taRightJustify);
    EXPECT_EQ(list->Columns()->Items(2)->Caption(), L"Type");
    EXPECT_EQ(list->Columns()->Items(3)->Caption(), L"Modified");
    struct TCase {
        const wchar_t* name;
        const wchar_t* size;
    } cases[] = {{L"a.level", L"1KB"}, {L"b.level", L"1KB"}, {L"c.txt", L"2KB"}, {L"sub", L""}};
    for (const TCase& c : cases) {
        TRzShellListData* data = list->ListData(ItemNamed(c.name));
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->ColumnText(1), c.size) << AnsiString(c.name, c.name + wcslen(c.name));
        String size, date;
        GetFileSizeAndDate(data->AbsPidl(), size, date);
        EXPECT_FALSE(date.empty());
        EXPECT_EQ(data->ColumnText(3), date);
        EXPECT_FALSE(data->ColumnText(2).empty());
    }
    // The window shows the same texts.
    TListItem* c = ItemNamed(L"c.txt");
    wchar_t text[64] = {};
    LVITEMW cell{};
    cell.iSubItem = 1;
    cell.pszText = text;
    cell.cchTextMax = 64;
    SendMessageW(list->Handle(), LVM_GETITEMTEXTW, WPARAM(c->Index()), LPARAM(&cell));
    EXPECT_STREQ(text, L"2KB");
}

TEST_F(ShellList, ColumnWidthsCarryOverToTheNextFolder) {
    Show(L"");
    ASSERT_GE(list->Columns()->Count(), 2);
    SendMessageW(list->Handle(), LVM_SETCOLUMNWIDTH, 0, 333);
    SendMessageW(list->Handle(), LVM_SETCOLUMNWIDTH, 1, 77);
    Show(L"sub");
    EXPECT_EQ(int(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0)), 333);
    EXPECT_EQ(int(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 1, 0)), 77);
    ASSERT_GE(list->SavedColumnWidths().size(), 2u);
    EXPECT_EQ(list->SavedColumnWidths()[0], 333);
}

TEST_F(ShellList, AClickOnTheSortedColumnReversesTheOrderAndTheArrow) {
    Show(L"");
    std::vector<String> ascending = Names();
    EXPECT_EQ(list->SortColumn(), 1);
    EXPECT_EQ(list->SortedColumn(), 0);
    EXPECT_FALSE(list->SortDescending());

    RECT section{};
    HWND header = list->HeaderHandle();
    SendMessageW(header, HDM_GETITEMRECT, 0, LPARAM(&section));
    POINT centre{(section.left + section.right) / 2, (section.top + section.bottom) / 2};
    ClientToScreen(header, &centre);
    ClickAt(TPoint{centre.x, centre.y});
    ASSERT_TRUE(PumpUntil([&] { return list->SortColumn() == -1; }));
    EXPECT_TRUE(list->SortDescending());
    EXPECT_EQ(list->SortedColumn(), 0);
    std::vector<String> descending = Names();
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(descending, ascending);

    PumpForTicks(100, GetDoubleClickTime() / 100 + 2);  // a second click, not a double click
    ClickAt(TPoint{centre.x, centre.y});
    ASSERT_TRUE(PumpUntil([&] { return list->SortColumn() == 1; }));
    EXPECT_FALSE(list->SortDescending());
    EXPECT_EQ(Names(), ascending);
}

TEST_F(ShellList, EnterOpensAFolderBackspaceGoesUpAndCtrlASelectsAll) {
    Show(L"");
    Focus();
    SelectOnly(L"sub");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return AnsiCompareText(ShownPath(), tree.Path(L"sub")) == 0; }));
    EXPECT_EQ(Names(), std::vector<String>{L"inner.txt"});
    TypeKey(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return AnsiCompareText(ShownPath(), tree.Root()) == 0; }));
    EXPECT_EQ(list->Items()->Count(), 5);

    TypeChord({VK_CONTROL, 'A'});
    ASSERT_TRUE(PumpUntil([&] { return list->SelCount() == 5; }));

    // A list that may not navigate stays where it is.
    list->SetOptions(list->Options() + sloDontChangeFolder);
    SelectOnly(L"sub");
    TypeKey(VK_RETURN);
    TypeKey(VK_BACK);
    PumpUntilIdle();
    EXPECT_EQ(AnsiCompareText(ShownPath(), tree.Root()), 0);
    EXPECT_EQ(list->Items()->Count(), 5);
}

TEST_F(ShellList, F2AndATypedNameRenameTheFileOnDisk) {
    Show(L"");
    Focus();
    SelectOnly(L"c.txt");
    TypeKey(VK_F2);
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    TypeChord({VK_CONTROL, 'A'});
    TypeText(L"renamed.txt");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return TShellTestTree::Exists(tree.Path(L"renamed.txt")); }));
    EXPECT_FALSE(TShellTestTree::Exists(tree.Path(L"c.txt")));
    EXPECT_NE(ItemNamed(L"renamed.txt"), nullptr);
    EXPECT_EQ(ItemNamed(L"c.txt"), nullptr);
    EXPECT_EQ(AnsiCompareText(list->ListData(ItemNamed(L"renamed.txt"))->PathName(), tree.Path(L"renamed.txt")), 0);
}

// Wine's paste, reached through the folder's background menu because its item menus lack the
// verb, answers success but copies nothing; so the copy is checked on the clipboard and the paste
// by its route and result.
TEST_F(ShellList, CtrlCPutsTheFileOnTheClipboardAndCtrlVPastesThroughTheFolder) {
    Show(L"");
    Focus();
    SelectOnly(L"b.level");
    OleSetClipboard(nullptr);
    TypeChord({VK_CONTROL, 'C'});
    PumpUntilIdle();
    std::vector<String> copied = ClipboardShellItemPaths();
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(AnsiCompareText(copied[0], tree.Path(L"b.level")), 0);

    list->Folder()->SetPathName(tree.Path(L"other"));
    ASSERT_TRUE(PumpUntil([&] { return AnsiCompareText(ShownPath(), tree.Path(L"other")) == 0; }));
    Focus();
    TypeChord({VK_CONTROL, 'V'});
    PumpUntilIdle();
    EXPECT_TRUE(TakeRecordedCallbackErrors().empty()) << "the paste failed";
    EXPECT_NO_THROW(list->InvokeFolderVerb(L"paste"));
    EXPECT_THROW(list->InvokeFolderVerb(L"no such verb"), EOleSysError);
    EXPECT_TRUE(TShellTestTree::Exists(tree.Path(L"b.level")));  // never moved
}

TEST_F(ShellList, ANewFolderAppearsInEditModeUnderTheNextFreeName) {
    tree.Folder(L"New Folder");
    Show(L"");
    ASSERT_TRUE(list->CreateNewFolderInList(true));
    EXPECT_TRUE(TShellTestTree::Exists(tree.Path(L"New Folder (2)")));
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(EditBox(), text, MAX_PATH);
    EXPECT_STREQ(text, L"New Folder (2)");
    TListItem* item = ItemNamed(L"New Folder (2)");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->Focused());
    TypeKey(VK_ESCAPE);
}

TEST_F(ShellList, OutsideChangesRefreshOnceAfterTheFocusedOrUnfocusedDelay) {
    Show(L"");
    Focus();
    struct TCase {
        bool focused;
        DWORD least, most;
    } cases[] = {{true, 350, 1500}, {false, 1900, 4000}};
    int n = 0;
    for (const TCase& c : cases) {
        if (!c.focused) {
            form->SetActiveControl(nullptr);
            SetFocus(form->Handle());
            ASSERT_TRUE(PumpUntil([&] { return !list->Focused(); }));
        }
        PumpUntilIdle();
        list->fills = 0;
        String name = L"outside" + std::to_wstring(++n) + L".txt";
        DWORD start = GetTickCount();
        tree.File(name, 5);
        ASSERT_TRUE(PumpUntil([&] { return ItemNamed(name) != nullptr; }, 6000)) << c.focused;
        DWORD elapsed = GetTickCount() - start;
        EXPECT_GE(elapsed, c.least) << c.focused;
        EXPECT_LE(elapsed, c.most) << c.focused;
        PumpForTicks(100, 5);
        EXPECT_EQ(list->fills, 1) << c.focused;
    }
}

TEST_F(ShellList, ItsOwnRenameIsNotRefreshedAgain) {
    Show(L"");
    Focus();
    PumpUntilIdle();
    list->fills = 0;
    SelectOnly(L"a.level");
    ASSERT_TRUE(ItemNamed(L"a.level")->EditCaption());
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    SetWindowTextW(EditBox(), L"own.level");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return TShellTestTree::Exists(tree.Path(L"own.level")); }));
    PumpForTicks(100, 8);  // past the focused refresh delay
    EXPECT_EQ(list->fills, 0);
    EXPECT_NE(ItemNamed(L"own.level"), nullptr);
}

TEST_F(ShellList, TheRegisteredDropTargetRoutesToItemsAndTheFolder) {
    Show(L"");
    IDropTarget* target = list->RegisteredDropTarget();
    ASSERT_NE(target, nullptr);
    String dragged = tree.File(L"other\\moved.txt", 3);
    TOwnedPidl otherPidl(tree.Pidl(L"other")), file(tree.Pidl(L"other\\moved.txt"));
    TRzIdListArray levels(file.p);
    TOwnedPidl rel(CopyPidl(nullptr, levels.Items(levels.Count() - 1)));
    TComRef<IDataObject> data(TRzShellDataObject::Create(otherPidl.p, {rel.p}, {dragged}));

    TListItem* sub = ItemNamed(L"sub");
    TRect icon = sub->DisplayRect(drIcon);
    TPoint overSub = list->ClientToScreen(TPoint{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    TPoint empty = list->ClientToScreen(TPoint{list->ClientWidth() - 30, list->ClientHeight() - 30});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_HRESULT_SUCCEEDED(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{overSub.x, overSub.y}, &effect));
    EXPECT_NE(effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE), 0u);
    EXPECT_TRUE(sub->DropTarget());

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_HRESULT_SUCCEEDED(target->DragOver(MK_LBUTTON, POINTL{empty.x, empty.y}, &effect));
    EXPECT_NE(effect & DROPEFFECT_SCROLL, 0u);
    EXPECT_NE(effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE), 0u) << "the list's folder takes the drop";
    EXPECT_FALSE(sub->DropTarget());

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_HRESULT_SUCCEEDED(target->DragOver(MK_LBUTTON, POINTL{overSub.x, overSub.y}, &effect));
    EXPECT_TRUE(sub->DropTarget());
    ASSERT_HRESULT_SUCCEEDED(target->DragLeave());
    EXPECT_FALSE(sub->DropTarget());

    // A drop goes to the folder's own target (which copies nothing here) and ends the highlight.
    effect = DROPEFFECT_COPY;
    ASSERT_HRESULT_SUCCEEDED(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{overSub.x, overSub.y}, &effect));
    effect = DROPEFFECT_COPY;
    ASSERT_HRESULT_SUCCEEDED(target->Drop(data.Get(), 0, POINTL{overSub.x, overSub.y}, &effect));
    EXPECT_FALSE(sub->DropTarget());
}

TEST_F(ShellList, AShellMenuShowsForTheSelectionAndItsHintsComeFromTheList) {
    Show(L"");
    SelectOnly(L"a.level");
    struct THintSink {
        std::vector<String> hints;
        TObject* sender = nullptr;
        void Hint(TObject* Sender, const String& hint) {
            sender = Sender;
            hints.push_back(hint);
        }
    } sink;
    list->OnPopupHint = MakeEvent(&sink, &THintSink::Hint);
    int items = 0;
    TWhileMenuShows whileShown([&](HWND menuWindow) {
        items = GetMenuItemCount(HMENU(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
        SendMessageW(list->Handle(), WM_MENUSELECT, MAKEWPARAM(FirstShellCommand, MF_HILITE), 0);
        EndMenu();
    });
    // A second menu for the same click would stay up for ever: it is closed and counted.
    TWhileMenuShows secondMenu([&](HWND) { EndMenu(); });
    TRect r = ItemNamed(L"a.level")->DisplayRect(drIcon);
    RightClickAt(list->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return whileShown.Ran(); }));
    PumpUntilIdle();
    EXPECT_FALSE(secondMenu.Ran()) << "one click, one menu";
    secondMenu.Disarm();
    EXPECT_GT(items, 0);
    ASSERT_FALSE(sink.hints.empty());
    EXPECT_EQ(sink.sender, list);
    EXPECT_TRUE(TakeRecordedCallbackErrors().empty());
}

TEST_F(ShellList, RightButtonReleasesReachTheControlAfterARightDrag) {
    Show(L"");
    SelectOnly(L"a.level");
    list->cancelDrags = true;
    PostMessageW(list->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // the drag loop's first input
    list->Drag(dbRight);
    // Releases over no item with nothing selected: no context menu comes up.
    ItemNamed(L"a.level")->SetFocused(false);
    list->ClearSelection();
    MoveMouseTo(TPoint{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
    PumpUntilIdle();
    list->rightUps = 0;
    for (int i = 0; i < 2; ++i) SendMessageW(list->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(list->rightUps, 2);
}

// The combo and the list linked on a form, as the open dialog shows them (the gallery's picture,
// with the tree as well, is made by ShellTree.ComboTreeAndListOnScreen).
TEST_F(ShellList, ComboAndListOnScreen) {
    auto* combo = new TRzShellCombo(form.get());
    combo->SetBounds(10, 10, 300, 24);
    combo->SetParent(form.get());
    list->SetBounds(10, 44, 580, 346);
    combo->SetShellList(list);
    combo->SelectedFolder()->SetPathName(tree.Path(L"sub"));
    Show(L"");
    combo->SelectedFolder()->SetPathName(tree.Path(L""));
    ASSERT_TRUE(PumpUntil([&] { return list->Items()->Count() == 5; }));
    EXPECT_EQ(AnsiCompareText(PidlToPath(combo->ItemData(combo->ItemIndex())->AbsPidl()), tree.Root()), 0);
    EXPECT_EQ(AnsiCompareText(ShownPath(), tree.Root()), 0);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();
    // The first row shows its icon: its pixels are not all the window's colour.
    TRect icon = list->Items()->Item(0)->DisplayRect(drIcon);
    HDC dc = GetDC(list->Handle());
    int painted = 0;
    for (int y = icon.top; y < icon.bottom; ++y)
        for (int x = icon.left; x < icon.right; ++x)
            if (TColor(GetPixel(dc, x, y)) != RgbOf(list->Color())) ++painted;
    ReleaseDC(list->Handle(), dc);
    EXPECT_GT(painted, 10);
}
