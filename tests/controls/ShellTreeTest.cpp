// The shell tree on a real form over a test tree under C:\: lazy filling from its base folder,
// selecting a deep folder by its item ID list, going up, a linked shell list that follows a
// click at once and keyboard movement after a rest, refreshes, renaming, new folders, keys,
// context menus, dragging out, drops and hover expansion, and drive changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <dbt.h>

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "FormDescription.h"
#include "Mouse.h"
#include "RzPanel.h"
#include "RzDeviceChangeHandler.h"
#include "RzShellDataObject.h"
#include "RzShellHelpers.h"
#include "RzShellCombo.h"
#include "RzShellList.h"
#include "RzShellTree.h"
#include "ShellTestTree.h"
#include "SysUtils.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

// Records the drags the tree starts (and ends them at once) and its fills.
class TTestShellTree : public TRzShellTree {
public:
    using TRzShellTree::TRzShellTree;
    struct TDragSeen {
        TTreeNode* dragged;
        TTreeNode* highlighted;
        bool inside;
        TRzDragButton button;
    };
    std::vector<TDragSeen> drags;
    int fills = 0;

protected:
    IDropSource* CreateDropSource(TRzDragButton button) override {
        drags.push_back({DraggedNode(), DropTarget(), InsideMenuOrDrag(), button});
        return TEndingDropSource::Create();
    }
    void DoFillStart() override {
        ++fills;
        TRzShellTree::DoFillStart();
    }
};

class ShellTree : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        tree.Folder(L"a\\deep\\deeper\\deepest");
        tree.Folder(L"b\\inner");
        tree.Folder(L"c");
        tree.File(L"note.txt", 10);
        form.reset(NewShownForm(600, 400));
        shellTree = new TTestShellTree(form.get());
        shellTree->SetBounds(10, 10, 250, 380);
        shellTree->BaseFolder()->SetPathName(tree.Root());
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    // Shows the tree and waits for its deferred fill.
    void Show() {
        shellTree->SetParent(form.get());
        shellTree->HandleNeeded();
        ASSERT_TRUE(PumpUntil([&] { return shellTree->Items()->Count() > 0; }));
    }
    TTreeNode* Root() const { return shellTree->Items()->GetFirstNode(); }
    static std::vector<String> ChildTexts(TTreeNode* node) {
        std::vector<String> texts;
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            texts.push_back(child->Text());
        return texts;
    }
    static TTreeNode* Child(TTreeNode* node, const String& text) {
        for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            if (AnsiCompareText(child->Text(), text) == 0) return child;
        return nullptr;
    }
    void ClickNode(TTreeNode* node) {
        TRect r = node->DisplayRect(true);
        ClickAt(shellTree->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    }

    TPoint NodeCentre(TTreeNode* node) const {
        TRect r = node->DisplayRect(true);
        return shellTree->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    void Focus() {
        shellTree->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return shellTree->Focused(); }));
    }
    HWND EditBox() const { return HWND(SendMessageW(shellTree->Handle(), TVM_GETEDITCONTROL, 0, 0)); }
    // Only refreshes the test asks for.
    void WithoutWatching() { shellTree->SetOptions(shellTree->Options() - stoDynamicRefresh); }

    TShellTestTree tree;
    std::unique_ptr<TForm> form;
    TTestShellTree* shellTree = nullptr;
};

}  // namespace

TEST_F(ShellTree, FillsTheBaseFolderAndLoadsChildrenOnFirstExpansion) {
    Show();
    TTreeNode* root = Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetNextSibling(), nullptr);
    EXPECT_EQ(AnsiCompareText(root->Text(), ExtractFileName(tree.Root())), 0);
    EXPECT_TRUE(root->Expanded());
    // Folders only, in the folder's order; nothing below them is loaded yet.
    EXPECT_EQ(ChildTexts(root), (std::vector<String>{L"a", L"b", L"c"}));
    EXPECT_EQ(shellTree->Items()->Count(), 4);
    EXPECT_EQ(shellTree->Selected(), root);
    EXPECT_EQ(shellTree->SelectedFolder()->PathName(), tree.Root());

    TTreeNode* a = Child(root, L"a");
    ASSERT_TRUE(a->HasChildren());
    a->Expand(false);
    EXPECT_EQ(ChildTexts(a), (std::vector<String>{L"deep"}));
    EXPECT_EQ(shellTree->NodeData(a->GetFirstChild())->PathName(), tree.Path(L"a\\deep"));
    EXPECT_EQ(Child(a, L"deep")->Count(), 0);

    // An empty folder loses its mark once it has been looked into.
    TTreeNode* c = Child(root, L"c");
    c->Expand(false);
    EXPECT_EQ(c->Count(), 0);
    EXPECT_FALSE(c->HasChildren());

    // With files included, the file shows as well; a refill starts lazy again.
    shellTree->SetOptions(shellTree->Options() + stoIncludeNonFolders);
    shellTree->FillTree();
    EXPECT_EQ(ChildTexts(Root()), (std::vector<String>{L"a", L"b", L"c", L"note.txt"}));
    EXPECT_EQ(Child(Root(), L"a")->Count(), 0);
}

TEST_F(ShellTree, SelectPidlWalksDownAndGoUpStopsAtTheRoot) {
    Show();
    TOwnedPidl deepest(tree.Pidl(L"a\\deep\\deeper\\deepest"));
    shellTree->SelectPidl(deepest.p);
    ASSERT_NE(shellTree->Selected(), nullptr);
    EXPECT_EQ(shellTree->Selected()->Text(), L"deepest");
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"a\\deep\\deeper\\deepest"));
    EXPECT_EQ(shellTree->SelectedFolder()->PathName(), tree.Path(L"a\\deep\\deeper\\deepest"));
    EXPECT_TRUE(shellTree->Selected()->Parent()->Expanded());
    EXPECT_EQ(shellTree->Selected()->Level(), 4);

    // Setting the selected folder selects its node.
    shellTree->SelectedFolder()->SetPathName(tree.Path(L"b\\inner"));
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"b\\inner"));

    shellTree->GoUpLevels(1);
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"b"));
    shellTree->GoUpLevels(50);
    EXPECT_EQ(shellTree->Selected(), Root());
    EXPECT_EQ(shellTree->SelectedFolder()->PathName(), tree.Root());

    // A folder made after the fill is found and added on the way down.
    tree.Folder(L"c\\late");
    TOwnedPidl late(tree.Pidl(L"c\\late"));
    shellTree->SelectPidl(late.p);
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"c\\late"));

    // A folder outside the base folder has no node: the root is selected.
    TOwnedPidl outside(nullptr);
    PathToPidl(L"C:\\windows", outside.p);
    ASSERT_NE(outside.p, nullptr);
    shellTree->SelectPidl(outside.p);
    EXPECT_EQ(shellTree->Selected(), Root());
}

TEST_F(ShellTree, LinkedListFollowsAClickAtOnceAndArrowKeysAfterARest) {
    auto* list = new TRzShellList(form.get());
    list->SetBounds(270, 10, 320, 380);
    list->SetParent(form.get());
    shellTree->SetShellList(list);
    EXPECT_EQ(list->ShellTree(), shellTree);
    Show();
    EXPECT_EQ(list->Folder()->PathName(), tree.Root());

    TTreeNode* b = Child(Root(), L"b");
    ClickNode(b);
    ASSERT_TRUE(PumpUntil([&] { return shellTree->Selected() == b; }));
    EXPECT_EQ(list->Folder()->PathName(), tree.Path(L"b"));

    // Down to c: the list waits for the keyboard to rest.
    ASSERT_TRUE(PumpUntil([&] { return shellTree->Focused(); }));
    DWORD pressed = GetTickCount();
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return shellTree->Selected() == Child(Root(), L"c"); }));
    EXPECT_EQ(list->Folder()->PathName(), tree.Path(L"b"));
    ASSERT_TRUE(PumpUntil([&] { return list->Folder()->PathName() == tree.Path(L"c"); }, 3000));
    EXPECT_GE(GetTickCount() - pressed, 450u);

    // A pending move is carried out at once when flushed.
    TypeKey(VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return shellTree->Selected() == b; }));
    shellTree->FlushPendingSync(true);
    EXPECT_EQ(list->Folder()->PathName(), tree.Path(L"b"));

    // The list going up moves the tree's selection.
    list->GoUp(1);
    EXPECT_EQ(shellTree->Selected(), Root());
    EXPECT_EQ(list->Folder()->PathName(), tree.Root());

    // A freed list is unlinked.
    delete list;
    EXPECT_EQ(shellTree->ShellList(), nullptr);
    ClickNode(Child(Root(), L"a"));
    ASSERT_TRUE(PumpUntil([&] { return shellTree->SelectedPathName() == tree.Path(L"a"); }));
}

TEST_F(ShellTree, RefreshFollowsFoldersMadeAndRemovedOutside) {
    Show();
    TOwnedPidl deeper(tree.Pidl(L"a\\deep\\deeper"));
    shellTree->SelectPidl(deeper.p);
    ASSERT_EQ(shellTree->Selected()->Text(), L"deeper");

    // A new folder appears in order, the selection stays.
    tree.Folder(L"a\\deep\\added");
    tree.Folder(L"ab");
    shellTree->RefreshTree();
    EXPECT_EQ(ChildTexts(Root()), (std::vector<String>{L"a", L"ab", L"b", L"c"}));
    EXPECT_EQ(ChildTexts(Child(Child(Root(), L"a"), L"deep")), (std::vector<String>{L"added", L"deeper"}));
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"a\\deep\\deeper"));

    // The selected folder's ancestor goes: the selection moves to the nearest remaining parent.
    TShellTestTree::RemoveAll(tree.Path(L"a\\deep"));
    shellTree->RefreshTree();
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"a"));
    EXPECT_EQ(shellTree->SelectedFolder()->PathName(), tree.Path(L"a"));
    EXPECT_EQ(Child(Root(), L"a")->Count(), 0);

    // Through the real watcher and timer: an outside mkdir shows up by itself.
    tree.Folder(L"watched");
    EXPECT_TRUE(PumpUntil([&] { return Child(Root(), L"watched") != nullptr; }, 6000));
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"a"));
}

TEST_F(ShellTree, LinkedComboShowsTheSelectedFolderAndDrivesTheTree) {
    auto* combo = new TRzShellCombo(form.get());
    combo->SetBounds(270, 10, 320, 24);
    combo->SetParent(form.get());
    combo->HandleNeeded();
    combo->SetShellTree(shellTree);
    EXPECT_EQ(shellTree->ShellCombo(), combo);
    Show();

    TOwnedPidl deep(tree.Pidl(L"a\\deep"));
    shellTree->SelectPidl(deep.p);
    EXPECT_EQ(combo->SelectedFolder()->PathName(), tree.Path(L"a\\deep"));
    EXPECT_EQ(AnsiCompareText(combo->Text(), L"deep"), 0);

    // A folder chosen in the combo is selected in the tree.
    combo->SelectedFolder()->SetPathName(tree.Path(L"b\\inner"));
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"b\\inner"));

    delete combo;
    EXPECT_EQ(shellTree->ShellCombo(), nullptr);
    shellTree->GoUpLevels(1);
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"b"));
}

TEST_F(ShellTree, ATypedNameRenamesTheFolderOnDiskAndTheRootRefuses) {
    Show();
    auto editBox = [&] { return HWND(SendMessageW(shellTree->Handle(), TVM_GETEDITCONTROL, 0, 0)); };
    shellTree->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return shellTree->Focused(); }));
    Root()->EditText();
    PumpUntilIdle();
    EXPECT_EQ(editBox(), nullptr);

    TOwnedPidl deeper(tree.Pidl(L"a\\deep\\deeper"));
    shellTree->SelectPidl(deeper.p);
    TTreeNode* deep = shellTree->Selected()->Parent();
    shellTree->SetSelected(deep);
    ASSERT_TRUE(deep->EditText());
    ASSERT_TRUE(PumpUntil([&] { return editBox() != nullptr; }));
    TypeChord({VK_CONTROL, 'A'});
    TypeText(L"moved");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return TShellTestTree::Exists(tree.Path(L"a\\moved")); }));
    EXPECT_FALSE(TShellTestTree::Exists(tree.Path(L"a\\deep")));
    EXPECT_EQ(deep->Text(), L"moved");
    EXPECT_EQ(shellTree->SelectedFolder()->PathName(), tree.Path(L"a\\moved"));
    // The nodes below find their folders under the new name.
    EXPECT_EQ(shellTree->NodeData(deep->GetFirstChild())->PathName(), tree.Path(L"a\\moved\\deeper"));
    // The watcher's notice of the tree's own rename brings no refresh.
    int fills = shellTree->fills;
    PumpForTicks(100, 9);  // past the focused refresh delay
    EXPECT_EQ(shellTree->fills, fills);
}

TEST_F(ShellTree, ANewFolderTakesTheNextFreeNameAndOpensForEditingAfterTheWait) {
    tree.Folder(L"b\\New Folder");
    WithoutWatching();
    Show();
    TOwnedPidl b(tree.Pidl(L"b"));
    shellTree->SelectPidl(b.p);
    Focus();
    DWORD started = GetTickCount();
    ASSERT_TRUE(shellTree->CreateNewFolderInTree());
    EXPECT_GE(GetTickCount() - started, 1000u) << "the shell is given its second";
    EXPECT_TRUE(TShellTestTree::Exists(tree.Path(L"b\\New Folder (2)")));
    TTreeNode* made = Child(Child(Root(), L"b"), L"New Folder (2)");
    ASSERT_NE(made, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    EXPECT_EQ(shellTree->DropTarget(), nullptr);
    wchar_t text[64] = {};
    GetWindowTextW(EditBox(), text, 64);
    EXPECT_STREQ(text, L"New Folder (2)");
    // While the label is open the tree wants Enter and Escape for the edit box.
    EXPECT_EQ(shellTree->Perform(CM_WANTSPECIALKEY, VK_ESCAPE, 0), 1);
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return EditBox() == nullptr; }));

    // A folder without a place on disk gets no new folder (nor does the current folder).
    auto* computer = new TRzShellTree(form.get());
    computer->BaseFolder()->SetCSIDL(CSIDL_DRIVES);
    computer->SetParent(form.get());
    computer->HandleNeeded();
    ASSERT_TRUE(PumpUntil([&] { return computer->Items()->Count() > 0; }));
    computer->SetSelected(computer->Items()->GetFirstNode());
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_FALSE(computer->CreateNewFolderInTree());
    EXPECT_FALSE(TShellTestTree::Exists(String(current) + L"\\New Folder"));
}

TEST_F(ShellTree, ARefreshAskedForDuringALabelEditRunsWhenTheEditEnds) {
    WithoutWatching();
    Show();
    Focus();
    TTreeNode* c = Child(Root(), L"c");
    shellTree->SetSelected(c);
    ASSERT_TRUE(c->EditText());
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    tree.Folder(L"late");
    int fills = shellTree->fills;
    shellTree->RefreshTree();
    shellTree->FillTree();
    EXPECT_EQ(shellTree->fills, fills);
    EXPECT_EQ(Child(Root(), L"late"), nullptr);
    EXPECT_EQ(EditBox() != nullptr, true) << "the edit stays open";
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return Child(Root(), L"late") != nullptr; }));
    EXPECT_EQ(shellTree->SelectedPathName(), tree.Path(L"c"));
}

TEST_F(ShellTree, DefaultKeysEditRefreshAndCopyAndTheRootRefusesVerbs) {
    WithoutWatching();
    Show();
    Focus();
    TTreeNode* b = Child(Root(), L"b");
    shellTree->SetSelected(b);
    TypeKey(VK_F2);
    ASSERT_TRUE(PumpUntil([&] { return EditBox() != nullptr; }));
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return EditBox() == nullptr; }));
    EXPECT_TRUE(TShellTestTree::Exists(tree.Path(L"b")));

    tree.Folder(L"d");
    TypeKey(VK_F5);
    ASSERT_TRUE(PumpUntil([&] { return Child(Root(), L"d") != nullptr; }));

    // Ctrl+C puts the folder on the clipboard as a shell item.
    OleSetClipboard(nullptr);
    TypeChord({VK_CONTROL, 'C'});
    PumpUntilIdle();
    std::vector<String> copied = ClipboardShellItemPaths();
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(AnsiCompareText(copied[0], tree.Path(L"b")), 0);

    // Ctrl+V pastes into the selected folder through the shell (which copies nothing here).
    shellTree->SetSelected(Child(Root(), L"c"));
    TypeChord({VK_CONTROL, 'V'});
    PumpUntilIdle();
    EXPECT_TRUE(TakeRecordedCallbackErrors().empty()) << "the paste failed";
    EXPECT_FALSE(FAILED(shellTree->InvokeNodeVerb(Child(Root(), L"c"), L"paste")));
    EXPECT_TRUE(FAILED(shellTree->InvokeNodeVerb(Child(Root(), L"c"), L"no such verb")));

    // The root takes no verb: Del on it deletes nothing.
    EXPECT_EQ(shellTree->InvokeNodeVerb(Root(), L"delete"), S_FALSE);
    shellTree->SetSelected(Root());
    TypeKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_TRUE(TShellTestTree::Exists(tree.Root()));
    EXPECT_TRUE(TakeRecordedCallbackErrors().empty());
}

TEST_F(ShellTree, TheWheelAndADragNearTheEdgeScrollByLines) {
    for (int i = 0; i < 80; ++i) tree.Folder(L"many" + std::to_wstring(100 + i));
    Show();
    auto top = [&] { return GetScrollPos(shellTree->Handle(), SB_VERT); };
    ASSERT_EQ(top(), 0);
    Mouse->SetWheelScrollLines(3);
    MoveMouseTo(NodeCentre(Root()));
    Focus();
    WheelBy(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return top() != 0; }));
    EXPECT_EQ(top(), 3);
    // A count of -1 is a page.
    Mouse->SetWheelScrollLines(-1);
    WheelBy(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return top() != 3; }));
    int visible = int(SendMessageW(shellTree->Handle(), TVM_GETVISIBLECOUNT, 0, 0));
    EXPECT_GE(top(), 3 + visible - 1);
    EXPECT_LE(top(), 3 + visible);
    Mouse->SetWheelScrollLines(std::nullopt);

    // Dragging near the top edge scrolls a line a step, at most every 100 ms.
    IDropTarget* target = shellTree->RegisteredDropTarget();
    ASSERT_NE(target, nullptr);
    TComRef<IDataObject> data(TRzShellDataObject::Create(nullptr, {}, {}));
    TPoint nearTop = shellTree->ClientToScreen(TPoint{60, 5});
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_HRESULT_SUCCEEDED(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{nearTop.x, nearTop.y}, &effect));
    int before = top();
    DWORD started = GetTickCount();
    while (top() > before - 3 && GetTickCount() - started < 3000) {
        effect = DROPEFFECT_COPY;
        target->DragOver(MK_LBUTTON, POINTL{nearTop.x, nearTop.y}, &effect);
        PumpForTicks(10, 1);
    }
    EXPECT_EQ(top(), before - 3);
    EXPECT_GE(GetTickCount() - started, 200u);
    target->DragLeave();
}

TEST_F(ShellTree, TheShellMenuOfAFolderHoldsRefreshesBackAndTheRootHasNone) {
    WithoutWatching();
    Show();
    std::vector<String> hints;
    struct THintSink {
        std::vector<String>* hints;
        TObject* sender = nullptr;
        void Hint(TObject* Sender, const String& hint) {
            sender = Sender;
            hints->push_back(hint);
        }
    } sink;
    sink.hints = &hints;
    shellTree->OnPopupHint = MakeEvent(&sink, &THintSink::Hint);
    bool insideDuringMenu = false, addedDuringMenu = true;
    int items = 0;
    TWhileMenuShows whileShown([&](HWND menuWindow) {
        insideDuringMenu = shellTree->InsideMenuOrDrag();
        items = GetMenuItemCount(HMENU(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
        tree.Folder(L"during");
        shellTree->RefreshTree();
        addedDuringMenu = Child(Root(), L"during") != nullptr;
        // The menu's selection messages reach the hint event (the shell here gives no help text).
        SendMessageW(shellTree->Handle(), WM_MENUSELECT, MAKEWPARAM(FirstShellCommand, MF_HILITE), 0);
        EndMenu();
    });
    RightClickAt(NodeCentre(Child(Root(), L"b")));
    ASSERT_TRUE(PumpUntil([&] { return whileShown.Ran(); }));
    EXPECT_TRUE(insideDuringMenu);
    EXPECT_GT(items, 0);
    EXPECT_FALSE(addedDuringMenu) << "a refresh waits for the menu";
    ASSERT_TRUE(PumpUntil([&] { return Child(Root(), L"during") != nullptr; }));
    EXPECT_FALSE(shellTree->InsideMenuOrDrag());
    ASSERT_FALSE(hints.empty());
    for (const String& hint : hints) EXPECT_EQ(hint, L"");
    EXPECT_EQ(sink.sender, shellTree);

    // The root has no shell menu.
    TWhileMenuShows rootMenu([&](HWND) { EndMenu(); });
    RightClickAt(NodeCentre(Root()));
    PumpForTicks(50, 10);
    EXPECT_FALSE(rootMenu.Ran());
    rootMenu.Disarm();
}

TEST_F(ShellTree, AFolderIsDraggedOutByItsNodeAndTheRootIsNot) {
    Show();
    auto dragFrom = [&](TTreeNode* node) {
        TPoint start = NodeCentre(node);
        MoveMouseTo(start);
        MouseButton(true);
        TTickScript script({[&] {
                                MoveMouseTo(TPoint{start.x + 25, start.y + 25});
                                return true;
                            },
                            [&] {
                                MouseButton(false);
                                return true;
                            }});
        ASSERT_TRUE(PumpUntil([&] { return script.Done(); }));
        PumpUntilIdle();
    };
    TTreeNode* b = Child(Root(), L"b");
    dragFrom(b);
    ASSERT_EQ(shellTree->drags.size(), 1u);
    EXPECT_EQ(shellTree->drags[0].dragged, b);
    EXPECT_EQ(shellTree->drags[0].highlighted, b) << "the dragged folder shows as the drop target";
    EXPECT_TRUE(shellTree->drags[0].inside);
    EXPECT_EQ(shellTree->drags[0].button, dbLeft);
    EXPECT_EQ(shellTree->DraggedNode(), nullptr);
    EXPECT_EQ(shellTree->DropTarget(), nullptr);
    EXPECT_FALSE(shellTree->InsideMenuOrDrag());

    dragFrom(Root());
    EXPECT_EQ(shellTree->drags.size(), 1u) << "the root stays where it is";
}

TEST_F(ShellTree, TheRegisteredDropTargetRoutesToFoldersAndAResttingDragExpandsOne) {
    WithoutWatching();
    Show();
    IDropTarget* target = shellTree->RegisteredDropTarget();
    ASSERT_NE(target, nullptr);
    String dragged = tree.File(L"c\\moved.txt", 3);
    TOwnedPidl cPidl(tree.Pidl(L"c")), file(tree.Pidl(L"c\\moved.txt"));
    TRzIdListArray levels(file.p);
    TOwnedPidl rel(CopyPidl(nullptr, levels.Items(levels.Count() - 1)));
    TComRef<IDataObject> data(TRzShellDataObject::Create(cPidl.p, {rel.p}, {dragged}));

    TTreeNode* a = Child(Root(), L"a");
    TTreeNode* b = Child(Root(), L"b");
    TPoint overA = NodeCentre(a), overB = NodeCentre(b);
    TPoint below = shellTree->ClientToScreen(TPoint{40, shellTree->ClientHeight() - 40});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_HRESULT_SUCCEEDED(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{overB.x, overB.y}, &effect));
    EXPECT_NE(effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE), 0u);
    EXPECT_EQ(shellTree->DropTarget(), b);

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_HRESULT_SUCCEEDED(target->DragOver(MK_LBUTTON, POINTL{below.x, below.y}, &effect));
    EXPECT_EQ(effect, DWORD(DROPEFFECT_SCROLL)) << "no folder under the point";
    EXPECT_EQ(shellTree->DropTarget(), nullptr);

    // Moving between folders expands nothing; resting on a collapsed one for the hover time does.
    DWORD started = GetTickCount();
    while (GetTickCount() - started < DragHoverTime + 300) {
        TPoint p = (GetTickCount() / 50) % 2 ? overA : overB;
        effect = DROPEFFECT_COPY;
        target->DragOver(MK_LBUTTON, POINTL{p.x, p.y}, &effect);
        PumpForTicks(20, 1);
    }
    EXPECT_EQ(a->Count(), 0);
    started = GetTickCount();
    while (a->Count() == 0 && GetTickCount() - started < 3000) {
        effect = DROPEFFECT_COPY;
        target->DragOver(MK_LBUTTON, POINTL{overA.x, overA.y}, &effect);
        PumpForTicks(20, 1);
    }
    EXPECT_TRUE(a->Expanded());
    EXPECT_EQ(ChildTexts(a), (std::vector<String>{L"deep"}));
    EXPECT_GE(GetTickCount() - started, DragHoverTime - 50);
    EXPECT_EQ(shellTree->DropTarget(), a);
    ASSERT_HRESULT_SUCCEEDED(target->DragLeave());
    EXPECT_EQ(shellTree->DropTarget(), nullptr);

    // A drop goes to the folder's target (which copies nothing here), ends the highlight and
    // refreshes the tree.
    int fills = shellTree->fills;
    effect = DROPEFFECT_COPY;
    ASSERT_HRESULT_SUCCEEDED(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{overB.x, overB.y}, &effect));
    effect = DROPEFFECT_COPY;
    ASSERT_HRESULT_SUCCEEDED(target->Drop(data.Get(), 0, POINTL{overB.x, overB.y}, &effect));
    EXPECT_EQ(shellTree->DropTarget(), nullptr);
    EXPECT_GT(shellTree->fills, fills);
    EXPECT_TRUE(TakeRecordedCallbackErrors().empty());
}

TEST_F(ShellTree, ADriveArrivingOrGoingRefreshesTheTree) {
    WithoutWatching();
    Show();
    tree.Folder(L"mounted");
    // Other device events change nothing.
    SendMessageW(DeviceChangeHandler()->Handle(), WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, 0);
    PumpUntilIdle();
    EXPECT_EQ(Child(Root(), L"mounted"), nullptr);
    SendMessageW(DeviceChangeHandler()->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    ASSERT_TRUE(PumpUntil([&] { return Child(Root(), L"mounted") != nullptr; }));
    TShellTestTree::RemoveAll(tree.Path(L"mounted"));
    SendMessageW(DeviceChangeHandler()->Handle(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    ASSERT_TRUE(PumpUntil([&] { return Child(Root(), L"mounted") == nullptr; }));
}

TEST_F(ShellTree, AFormDescriptionKeepsTheLinkedListAndTheBaseFolder) {
    TRzCustomPanel host(nullptr);
    host.SetName(L"Host");
    auto* stored = new TRzShellTree(&host);
    stored->SetName(L"Tree");
    stored->SetParent(&host);
    stored->BaseFolder()->SetPathName(tree.Root());
    auto* list = new TRzShellList(&host);
    list->SetName(L"List");
    list->SetParent(&host);
    stored->SetShellList(list);
    AnsiString written = WriteComponentToText(&host);
    EXPECT_NE(std::string(written.c_str()).find("ShellList = List"), std::string::npos) << written.c_str();

    TRzCustomPanel copy(nullptr);
    ReadComponentFromText(written, &copy);
    auto* treeCopy = As<TRzShellTree>(copy.FindComponent(L"Tree"));
    auto* listCopy = As<TRzShellList>(copy.FindComponent(L"List"));
    ASSERT_NE(treeCopy, nullptr);
    ASSERT_NE(listCopy, nullptr);
    EXPECT_EQ(treeCopy->ShellList(), listCopy);
    EXPECT_EQ(listCopy->ShellTree(), treeCopy);
    EXPECT_EQ(treeCopy->BaseFolder()->PathName(), tree.Root());
}

// The combo, the tree and the list in details view linked on a form, as the open dialog with its
// tree pane shows them; with ZARNIK_CONTROLS_GALLERY set to a folder the form is also saved as
// shellviews.bmp (scripts/controls-gallery.sh makes docs/controls-shellviews.png of it).
TEST_F(ShellTree, ComboTreeAndListOnScreen) {
    tree.File(L"first.level", 2048);
    tree.File(L"second.level", 700);
    form->SetClientWidth(800);
    form->SetClientHeight(460);
    auto* combo = new TRzShellCombo(form.get());
    combo->SetBounds(10, 10, 300, 24);
    combo->SetParent(form.get());
    auto* list = new TRzShellList(form.get());
    list->SetBounds(270, 44, 520, 406);
    list->SetViewStyle(vsReport);
    list->SetParent(form.get());
    shellTree->SetBounds(10, 44, 250, 406);
    shellTree->SetShellList(list);
    combo->SetShellTree(shellTree);
    Show();
    TOwnedPidl deeper(tree.Pidl(L"a\\deep\\deeper"));
    shellTree->SelectPidl(deeper.p);
    shellTree->SelectPidl(TOwnedPidl(tree.Pidl(L"")).p);
    ASSERT_TRUE(PumpUntil([&] { return list->Items()->Count() == 6; }));
    EXPECT_EQ(combo->SelectedFolder()->PathName(), tree.Root());
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpUntilIdle();
    // The nodes show their folder icons: the pixels left of a node's text are not all background.
    auto paintedLeftOf = [&](TTreeNode* node) {
        TRect text = node->DisplayRect(true);
        HDC dc = GetDC(shellTree->Handle());
        int painted = 0;
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = std::max(0, int(text.left) - 18); x < text.left - 2; ++x)
                if (TColor(GetPixel(dc, x, y)) != RgbOf(shellTree->Color())) ++painted;
        ReleaseDC(shellTree->Handle(), dc);
        return painted;
    };
    EXPECT_GT(paintedLeftOf(Child(Root(), L"b")), 10);

    if (const char* folder = std::getenv("ZARNIK_CONTROLS_GALLERY")) {
        TPoint origin = form->ClientToScreen(TPoint{0, 0});
        TBitmap picture(form->ClientWidth(), form->ClientHeight(), pf24bit);
        HDC screen = GetDC(nullptr);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y,
               SRCCOPY);
        ReleaseDC(nullptr, screen);
        std::string path = std::string(folder) + "\\shellviews.bmp";
        picture.SaveToFile(String(path.begin(), path.end()));
    }
}
