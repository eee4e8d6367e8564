// Sub, list and container items: menus that may not contain themselves, the detaching bar, the
// numbered buttons a list item generates and its DataIndex, and the links a container expands
// into (and takes back from) a bare link collection.

#include "BarTestSupport.h"

#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarSubItem.h"

namespace {

class BarSubItem : public BarTest {
protected:
    template <class T>
    T* New(const String& name) {
        auto* item = new T(form.get());
        item->SetName(name);
        item->SetCategory(0);
        return item;
    }
};

TEST_F(BarSubItem, AMenuThatWouldContainItsSubItemIsRefusedAndTheLinkKeepsNoItem) {
    auto* file = New<TdxBarSubItem>(L"subFile");
    auto* recent = New<TdxBarSubItem>(L"subRecent");
    auto* open = New<TdxBarButton>(L"btnOpen");
    file->ItemLinks()->AddItem(recent);
    recent->ItemLinks()->AddItem(open);
    TdxBarItemLink* link = recent->ItemLinks()->Add();
    EXPECT_EQ(ClassAndMessageOf([&] { link->SetItem(file); }), "EdxException: Нельзя создавать рекурсивные меню");
    EXPECT_EQ(link->Item(), nullptr);
    EXPECT_EQ(ClassAndMessageOf([&] { file->ItemLinks()->AddItem(file); }),
              "EdxException: Нельзя создавать рекурсивные меню");
    EXPECT_EQ(file->ItemLinks()->Count(), 1);
    // A separator is welcome in a menu; the sub item's shortcut search goes through its links.
    EXPECT_NE(file->ItemLinks()->AddItem(New<TdxBarSeparator>(L"sepFile")), nullptr);
    open->SetShortCut(ShortCut('O', {ssCtrl}));
    open->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    EXPECT_TRUE(file->ExecuteShortCut(ShortCut('O', {ssCtrl})));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick btnOpen"}));
    EXPECT_EQ(Utf8(file->GetNewItemCaption()), "Новый под-элемент");
}

TEST_F(BarSubItem, TheDetachingBarMustBeOneOfTheManagersBars) {
    auto* sub = New<TdxBarSubItem>(L"subTools");
    TdxBar* first = manager->Bars()->Add();
    manager->Bars()->Add();
    struct Case {
        int value, expected;
    } cases[] = {{1, 1}, {2, -1}, {-2, -1}, {0, 0}, {-1, -1}};
    for (const Case& c : cases) {
        sub->SetDetachingBar(c.value);
        EXPECT_EQ(sub->DetachingBar(), c.expected) << c.value;
    }
    sub->SetDetachingBar(0);
    sub->BarRemoved(true, first);
    EXPECT_EQ(sub->DetachingBar(), -1);
}

TEST_F(BarSubItem, ListItemsCountDataIndexAmongTheEntriesThatAreNotSeparators) {
    auto* list = New<TdxBarListItem>(L"lstRecent");
    list->Items()->SetCommaText(L"Alpha,-,Beta");
    struct Case {
        int itemIndex, dataIndex;
    } reads[] = {{2, 1}, {0, 0}, {1, 0}, {-1, -1}, {3, -1}};
    for (const Case& c : reads) {
        list->SetItemIndex(c.itemIndex);
        EXPECT_EQ(list->DataIndex(), c.dataIndex) << c.itemIndex;
    }
    struct Write {
        int dataIndex, itemIndex;
    } writes[] = {{1, 2}, {0, 0}, {5, 3}, {-1, 3}};
    for (const Write& w : writes) {
        list->SetDataIndex(w.dataIndex);
        EXPECT_EQ(list->ItemIndex(), w.itemIndex) << w.dataIndex;
    }
    list->Items()->Clear();
    list->SetDataIndex(0);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(BarSubItem, AListItemGeneratesNumberedButtonsAndAClickChoosesTheEntry) {
    auto* list = New<TdxBarListItem>(L"lstLevels");
    list->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    list->Items()->SetCommaText(L"Alpha,-,Beta");
    list->SetShowCheck(true);
    list->SetItemIndex(2);
    auto* menu = New<TdxBarSubItem>(L"subLevels");
    TdxBarItemLink* own = menu->ItemLinks()->AddItem(list);
    menu->ItemLinks()->AddItem(New<TdxBarButton>(L"btnAfter"));
    // The bar window's expansion: the generated links follow the container's link.
    list->AddExpandedLinks(menu->ItemLinks(), 1, own, true);
    TdxBarItemLinks* links = menu->ItemLinks();
    ASSERT_EQ(links->Count(), 4);
    EXPECT_EQ(Utf8(links->GetLink(1)->Item()->GetCaption()), "&1 Alpha");
    EXPECT_EQ(Utf8(links->GetLink(2)->Item()->GetCaption()), "&2 Beta");
    EXPECT_TRUE(links->GetLink(1)->StoredBeginGroup());
    EXPECT_TRUE(links->GetLink(2)->StoredBeginGroup()) << "after the separator";
    EXPECT_EQ(links->GetLink(2)->GetSourceLink(), own);
    auto* beta = static_cast<TdxBarButton*>(links->GetLink(2)->Item());
    EXPECT_TRUE(beta->Down());
    EXPECT_FALSE(static_cast<TdxBarButton*>(links->GetLink(1)->Item())->Down());
    list->SetItemIndex(-1);
    static_cast<TdxBarButton*>(links->GetLink(2)->Item())->DirectClick();
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick lstLevels"}));

    list->RemoveExpandedLinks(links, 1);
    ASSERT_EQ(links->Count(), 2) << "the container's own link and the one after it";
    EXPECT_EQ(links->GetLink(1)->Item()->Name(), L"btnAfter");
    EXPECT_EQ(list->EntryButtons()->Count(), 2);
    list->RequestClearItemList();
    list->AddExpandedLinks(links, 1, own, false);  // the entries are made again
    EXPECT_EQ(links->Count(), 4);
}

TEST_F(BarSubItem, TwelveEntriesAreNumberedOneToNineThenAToC) {
    auto* list = New<TdxBarListItem>(L"lstMany");
    for (int i = 1; i <= 12; ++i) list->Items()->Add(L"L" + std::to_wstring(i));
    TdxBarSubMenuControlItemLinks links(manager, nullptr);
    list->AddExpandedLinks(&links, 0, nullptr, false);
    ASSERT_EQ(links.Count(), 12);
    std::string accelerators;
    for (int i = 0; i < 12; ++i) accelerators += char(links.GetLink(i)->GetAccelChar());
    EXPECT_EQ(accelerators, "123456789abc");
    EXPECT_EQ(Utf8(links.GetLink(9)->Item()->GetCaption()), "&A L10");
    list->SetShowNumbers(false);
    list->RemoveExpandedLinks(&links, 0);
    list->ClearItemList();
    list->AddExpandedLinks(&links, 0, nullptr, false);
    EXPECT_EQ(Utf8(links.GetLink(0)->Item()->GetCaption()), "L1");
}

TEST_F(BarSubItem, AContainerCopiesItsShowableLinksAndGetsItsDataFirst) {
    auto* container = New<TdxBarContainerItem>(L"conTools");
    EXPECT_FALSE(container->HasVisibleItems()) << "no links";
    container->ItemLinks()->Add();
    EXPECT_TRUE(container->HasVisibleItems()) << "links not resolved yet";
    container->ItemLinks()->Clear();
    auto* cut = New<TdxBarButton>(L"btnCut");
    auto* hidden = New<TdxBarButton>(L"btnHidden");
    auto* copy = New<TdxBarButton>(L"btnCopy");
    hidden->SetVisible(ivNever);
    container->ItemLinks()->AddItem(cut);
    container->ItemLinks()->AddItem(hidden);
    container->ItemLinks()->AddItem(copy)->SetUserCaption(L"Копия");
    EXPECT_TRUE(container->HasVisibleItems());
    EXPECT_TRUE(container->IsAvailable());

    int fetched = 0;
    struct Handler : TObject {
        int* fetched;
        void GetData(TObject*) { ++*fetched; }
    } handler;
    handler.fetched = &fetched;
    container->OnGetData = MakeEvent(&handler, &Handler::GetData);
    auto* menu = New<TdxBarSubItem>(L"subEdit");
    TdxBarItemLink* own = menu->ItemLinks()->AddItem(container);
    container->AddExpandedLinks(menu->ItemLinks(), 1, own, true);
    EXPECT_EQ(fetched, 1);
    TdxBarItemLinks* links = menu->ItemLinks();
    ASSERT_EQ(links->Count(), 3);
    EXPECT_EQ(links->GetLink(1)->Item(), cut);
    EXPECT_TRUE(links->GetLink(1)->StoredBeginGroup());
    EXPECT_EQ(Utf8(links->GetLink(2)->GetEffectiveCaption()), "Копия");
    EXPECT_EQ(links->GetLink(2)->GetSourceLink(), own);
    container->AddExpandedLinks(container->ItemLinks(), 0, nullptr, false);  // its own links: nothing
    EXPECT_EQ(container->ItemLinks()->Count(), 3);
    container->RemoveExpandedLinks(links, 1);
    EXPECT_EQ(links->Count(), 1);
    EXPECT_EQ(cut->GetLinkCount(), 1);

    // Content changes reach the windows (as a visibility change), but not from OnGetData.
    hidden->SetVisible(ivAlways);
    EXPECT_EQ(container->ItemLinks()->GetShowableLinkCount(), 3);
}

}  // namespace
