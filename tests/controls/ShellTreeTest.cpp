// The shell tree on a real form over a test tree under C:\: lazy filling from its base folder,
// selecting a deep folder by its item ID list, going up, and a linked shell list that follows a
// click at once and keyboard movement after a rest.

#include <gtest/gtest.h>

#include <memory>

#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzShellCombo.h"
#include "RzShellList.h"
#include "RzShellTree.h"
#include "ShellTestTree.h"
#include "SysUtils.h"
#include "TestSupport.h"
#include "WindowTesting.h"

namespace {

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
        shellTree = new TRzShellTree(form.get());
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

    TShellTestTree tree;
    std::unique_ptr<TForm> form;
    TRzShellTree* shellTree = nullptr;
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
}
