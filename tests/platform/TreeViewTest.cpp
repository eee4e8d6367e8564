// Tree views: nodes with their data, expansion that adds children when first needed (by the
// user and by code), selection with real input, editing, deletion, sorting and window
// re-creation.

#include "ControlsTestForm.h"

namespace {

// The texts of a window item's children, walked as any program would.
std::vector<String> WindowChildTexts(TTreeView* tree, HTREEITEM parent) {
    std::vector<String> texts;
    auto next = [&](HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, how, LPARAM(item)));
    };
    for (HTREEITEM item = parent ? next(parent, TVGN_CHILD) : next(nullptr, TVGN_ROOT); item;
         item = next(item, TVGN_NEXT)) {
        wchar_t text[64] = {};
        TVITEMW info{};
        info.mask = TVIF_TEXT | TVIF_HANDLE;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = 64;
        SendMessageW(tree->Handle(), TVM_GETITEMW, 0, LPARAM(&info));
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST_F(StandardControlsTest, ATreeViewSelectsAndExpandsWithRealInput) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* textures = tree->Items()->GetFirstNode();
    EXPECT_EQ(WindowChildTexts(tree, nullptr), (std::vector<String>{L"Текстуры", L"Модели"}));
    EXPECT_EQ(textures->Count(), 0);
    form->TakeEvents();

    ClickAt(tree->ClientToScreen(RectCentre(textures->DisplayRect(true))));
    ASSERT_TRUE(PumpUntil([&] { return tree->Selected() == textures; }));
    PumpUntilIdle();
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"tvFolders.change Текстуры"}));

    TypeKey(VK_RIGHT);  // expands: the children arrive first
    ASSERT_TRUE(PumpUntil([&] { return textures->Expanded(); }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"tvFolders.expanding Текстуры"}));
    EXPECT_EQ(WindowChildTexts(tree, textures->ItemId()), (std::vector<String>{L"Камень", L"Трава", L"Вода"}));
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return tree->Selected() == textures->Item(0); }));
    EXPECT_EQ(tree->Selected()->Level(), 1);
    EXPECT_EQ(tree->Selected()->Parent(), textures);
    TypeKey(VK_LEFT);  // to the parent
    TypeKey(VK_LEFT);  // collapses it
    ASSERT_TRUE(PumpUntil([&] { return !textures->Expanded(); }));
    EXPECT_EQ(tree->Selected(), textures);
}

TEST_F(StandardControlsTest, ExpandingFromCodeAsksCanExpandAndARefusalKeepsTheNodeClosed) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* models = tree->Items()->GetFirstNode()->GetNextSibling();
    form->TakeEvents();
    models->Expand(false);
    EXPECT_TRUE(models->Expanded());
    EXPECT_EQ(models->Count(), 3);
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"tvFolders.expanding Модели"}));
    models->Collapse(false);

    struct TRefuser : TObject {
        void Expanding(TObject*, TTreeNode*, bool& allow) { allow = false; }
    } refuser;
    tree->OnExpanding = MakeEvent(&refuser, &TRefuser::Expanding);
    models->Expand(false);
    EXPECT_FALSE(models->Expanded());
    tree->FullExpand();
    EXPECT_FALSE(models->Expanded());
}

TEST_F(StandardControlsTest, ATreeViewKeepsNodesDataExpansionAndSelectionAcrossANewWindow) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* textures = tree->Items()->GetFirstNode();
    textures->Expand(false);
    int data = 7;
    TTreeNode* grass = textures->Item(1);
    grass->SetData(&data);
    grass->SetImageIndex(3);
    tree->SetSelected(grass);
    form->TakeEvents();
    HWND before = tree->Handle();
    tree->SetShowLines(false);  // a new window
    ASSERT_NE(tree->Handle(), before);
    EXPECT_EQ(tree->Items()->Count(), 5);
    EXPECT_TRUE(textures->Expanded());
    EXPECT_EQ(tree->Selected(), grass);
    EXPECT_EQ(grass->Data(), &data);
    EXPECT_EQ(WindowChildTexts(tree, textures->ItemId()), (std::vector<String>{L"Камень", L"Трава", L"Вода"}));
    TVITEMW image{};
    image.mask = TVIF_IMAGE | TVIF_HANDLE;
    image.hItem = grass->ItemId();
    SendMessageW(tree->Handle(), TVM_GETITEMW, 0, LPARAM(&image));
    EXPECT_EQ(image.iImage, 3);
    // The new window's filling is nobody's doing: no events.
    EXPECT_TRUE(form->TakeEvents().empty());

    // Without a window the nodes answer for themselves, and changes wait for the next one.
    tree->DestroyHandle();
    EXPECT_TRUE(textures->Expanded());
    EXPECT_EQ(tree->Selected(), grass);
    textures->Item(0)->SetText(L"Камни");
    tree->SetSelected(textures->Item(2));
    tree->HandleNeeded();
    EXPECT_EQ(WindowChildTexts(tree, textures->ItemId())[0], L"Камни");
    EXPECT_EQ(tree->Selected(), textures->Item(2));
}

TEST_F(StandardControlsTest, ATreeNodeTextIsEditedWithRealKeys) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* models = tree->Items()->GetFirstNode()->GetNextSibling();
    tree->SetSelected(models);
    form->TakeEvents();
    ASSERT_TRUE(models->EditText());
    ASSERT_TRUE(PumpUntil([&] { return tree->IsEditing(); }));
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(tree->Handle(), TVM_GETEDITCONTROL, 0, 0)), EM_SETSEL, 0, -1);
    TypeText(L"Роботы");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !tree->IsEditing(); }));
    EXPECT_EQ(models->Text(), L"Роботы");
    EXPECT_EQ(WindowChildTexts(tree, nullptr)[1], L"Роботы");
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"tvFolders.edited Роботы"}));
}

TEST_F(StandardControlsTest, DeletingATreeNodeReportsItsSubtreeDeepestFirst) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* textures = tree->Items()->GetFirstNode();
    textures->Expand(false);
    tree->SetSelected(textures->Item(1));
    form->TakeEvents();
    tree->Items()->Delete(textures);
    auto events = form->TakeEvents();
    std::vector<std::string> deletions;
    for (const std::string& e : events)
        if (e.rfind("tvFolders.delete", 0) == 0) deletions.push_back(e);
    EXPECT_EQ(deletions, (std::vector<std::string>{"tvFolders.delete Вода", "tvFolders.delete Трава",
                                                   "tvFolders.delete Камень", "tvFolders.delete Текстуры"}));
    EXPECT_EQ(tree->Items()->Count(), 1);
    EXPECT_NE(tree->Selected(), nullptr);  // the window chose another node, one that exists
    EXPECT_EQ(tree->Selected(), tree->Items()->GetFirstNode());
    tree->Items()->Clear();
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(SendMessageW(tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

TEST_F(StandardControlsTest, ASortedTreeKeepsChildrenInOrderInTheWindow) {
    auto* tree = form->Find<TTreeView>(L"tvFolders");
    TTreeNode* textures = tree->Items()->GetFirstNode();
    textures->Expand(false);  // Камень, Трава, Вода
    tree->SetSortType(stText);
    EXPECT_EQ(WindowChildTexts(tree, nullptr), (std::vector<String>{L"Модели", L"Текстуры"}));
    EXPECT_EQ(WindowChildTexts(tree, textures->ItemId()), (std::vector<String>{L"Вода", L"Камень", L"Трава"}));
    tree->Items()->AddChild(textures, L"Железо");
    EXPECT_EQ(WindowChildTexts(tree, textures->ItemId()),
              (std::vector<String>{L"Вода", L"Железо", L"Камень", L"Трава"}));
    EXPECT_EQ(textures->Item(1)->Text(), L"Железо");
}
