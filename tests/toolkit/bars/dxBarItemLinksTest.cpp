// Item links and link collections: the usable, showable and shown lists with separators and
// group lines, personalized menus (recent counts, loaded usage), accelerators, keyboard
// navigation, merging, linking and unlinking items, and what the owner refuses.

#include "BarTestSupport.h"

#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxCore.h"

namespace {

// A toolbar-like owner: it places items as a toolbar does, so a separator is refused.
class TToolbarLinksOwner : public IdxBarLinksOwner {
public:
    explicit TToolbarLinksOwner(TdxBar* bar) : bar_(bar) {}
    bool CanAddItem(TdxBarItem* item, String& errorText) override {
        return item->CanPlaceOn(dxBarPlaceOnToolbar, bar_, errorText);
    }
    TCustomdxBarControl* CreateBarControl() override { return nullptr; }
    TComponent* GetOwnerObject() override { return bar_; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return nullptr; }

private:
    TdxBar* bar_;
};

// Menu links whose navigable links the test names (item controls answer it in bar windows).
class TNavigationLinks : public TdxBarSubMenuControlItemLinks {
public:
    using TdxBarSubMenuControlItemLinks::TdxBarSubMenuControlItemLinks;
    std::vector<TdxBarItemLink*> navigable;
    bool IsNavigableLink(TdxBarItemLink* link) const override {
        return std::find(navigable.begin(), navigable.end(), link) != navigable.end();
    }
};

class ItemLinks : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        menu = new TdxBarPopupMenu(form.get());
        menu->SetName(L"pmMenu");
        links = menu->ItemLinks();
    }

    // Links to items described by a spec: "B" a button, "S" a separator, "-" a button whose link
    // is hidden, "N" a button that is never visible; items are named by position ("i0"...).
    void Fill(TdxBarItemLinks* target, const std::string& spec) {
        for (size_t i = 0; i < spec.size(); ++i) {
            TdxBarItem* item = spec[i] == 'S' ? static_cast<TdxBarItem*>(new TdxBarSeparator(form.get()))
                                              : new TdxBarButton(form.get());
            item->SetName(L"i" + std::to_wstring(i));
            item->SetCaption(L"i" + std::to_wstring(i));
            item->SetCategory(0);
            if (spec[i] == 'N') item->SetVisible(ivNever);
            TdxBarItemLink* link = target->AddItem(item);
            if (spec[i] == '-') link->SetVisible(false);
        }
    }
    static std::string Names(int count, const std::function<TdxBarItemLink*(int)>& at) {
        std::string names;
        for (int i = 0; i < count; ++i) names += (names.empty() ? "" : " ") + Utf8(at(i)->Item()->Name());
        return names;
    }
    // Frees the items of the form (their links go with them).
    void FreeItems() {
        for (int i = form->ComponentCount() - 1; i >= 0; --i)
            if (Is<TdxBarItem>(form->Components(i))) FreeObject(form->Components(i));
    }
    std::string Usable() const {
        return Names(links->GetUsableLinkCount(), [this](int i) { return links->GetUsableLink(i); });
    }
    std::string Showable() const {
        return Names(links->GetShowableLinkCount(), [this](int i) { return links->GetShowableLink(i); });
    }
    std::string Shown() const {
        return Names(links->GetShownLinkCount(), [this](int i) { return links->GetShownLink(i); });
    }
    std::string Recent() const {
        return Names(links->GetRecentLinkCount(), [this](int i) { return links->GetRecentLink(i); });
    }

    TdxBarPopupMenu* menu = nullptr;
    TdxBarItemLinks* links = nullptr;
};

TEST_F(ItemLinks, TheDerivedListsDropTrailingAndRepeatedSeparatorsAndHiddenLinks) {
    struct Case {
        const char *spec, *usable, *showable, *shown;
    } cases[] = {
        {"BS", "i0 i1", "i0", "i0"},                      // a separator at the end goes
        {"BSSB", "i0 i1 i2 i3", "i0 i2 i3", "i0 i2 i3"},  // a run keeps its last one
        {"SB", "i0 i1", "i0 i1", "i0 i1"},                // a leading separator stays
        {"BSS", "i0 i1 i2", "i0", "i0"},                  // trailing separators all go
        {"B-B", "i0 i1 i2", "i0 i2", "i0 i2"},            // a hidden link is usable only
        {"BNB", "i0 i2", "i0 i2", "i0 i2"},               // an item never visible is not even usable
        {"BS-", "i0 i1 i2", "i0", "i0"},                  // the separator is last of the shown ones
    };
    for (const Case& c : cases) {
        FreeItems();
        Fill(links, c.spec);
        EXPECT_EQ(Usable(), c.usable) << c.spec;
        EXPECT_EQ(Showable(), c.showable) << c.spec;
        EXPECT_EQ(Shown(), c.shown) << c.spec;
    }
    // At design time every link with an item is shown, separators included.
    manager->SetStateFlag(csDesigning, true);
    links->RebuildLists();
    EXPECT_EQ(Shown(), "i0 i1 i2");
    manager->SetStateFlag(csDesigning, false);
}

TEST_F(ItemLinks, AHiddenLinkPassesItsGroupLineToTheNextShownLink) {
    Fill(links, "B-BSB");
    links->GetLink(1)->SetBeginGroup(true);
    EXPECT_TRUE(links->GetLink(1)->BeginGroup());  // hidden: its own flag
    EXPECT_TRUE(links->GetLink(2)->BeginGroup());  // inherits the hidden link's line
    EXPECT_FALSE(links->GetLink(0)->BeginGroup());
    // The first shown link never begins a group; no line follows a separator item.
    links->GetLink(0)->SetBeginGroup(true);
    links->GetLink(4)->SetBeginGroup(true);
    EXPECT_FALSE(links->GetLink(0)->BeginGroup());
    EXPECT_FALSE(links->GetLink(4)->BeginGroup());
    links->GetLink(3)->SetVisible(false);  // without the separator the line shows again
    EXPECT_TRUE(links->GetLink(4)->BeginGroup());
}

TEST_F(ItemLinks, TheRecentCountKeepsTheLinksUsedAboveTheThreshold) {
    struct Case {
        const char* what;
        std::vector<int> counts;  // use counts in recent order
        int expected;
    } cases[] = {
        {"95 %: 20, 21, 40 give the threshold 21", {40, 21, 20}, 2},
        {"the threshold is met by the last one: all", {40, 20, 21}, -1},
        {"only the front one", {40, 1, 1}, 1},
        {"all counts 0", {0, 0, 0}, -1},
    };
    for (const Case& c : cases) {
        FreeItems();
        Fill(links, "BBB");
        // The recent order: link 0 first, then 1, then 2.
        for (int i = 2; i >= 0; --i) links->GetLink(i)->MoveToRecentFront(false);
        ASSERT_EQ(Recent(), "i0 i1 i2");
        for (int i = 0; i < 3; ++i) links->GetLink(i)->SetUseCount(c.counts[size_t(i)]);
        EXPECT_EQ(links->CalcRecentItemCount(), c.expected) << c.what;
    }
    FreeItems();
    EXPECT_EQ(links->CalcRecentItemCount(), -1) << "no showable link";
    Fill(links, "BBB");
    manager->SetStyle(bmsStandard);
    EXPECT_EQ(links->CalcRecentItemCount(), -1) << "a standard-style menu shows all";
    links->SetRecentItemCount(1);
    EXPECT_EQ(Shown(), "i0 i1 i2");
    links->RestoreRecentItemCount();
}

TEST_F(ItemLinks, ALimitShowsTheMostRecentLinksInCollectionOrder) {
    Fill(links, "BBBB");
    for (int i : {1, 3, 0, 2}) links->GetLink(i)->MoveToRecentFront(false);  // recent: 2 0 3 1
    ASSERT_EQ(Recent(), "i2 i0 i3 i1");
    links->SetRecentItemCount(2);
    EXPECT_EQ(Shown(), "i0 i2");
    links->RestoreRecentItemCount();
    EXPECT_EQ(Shown(), "i0 i1 i2 i3");
    links->SetRecentItemCount(2);
    links->SetRecentItemCount(0);
    EXPECT_EQ(Shown(), "");
    links->RestoreRecentItemCount();  // one level: the limit before the last one
    EXPECT_EQ(Shown(), "i0 i2");
}

TEST_F(ItemLinks, LoadedUsageSetsCountsAndRecentPositionsAndCompactingMovesShowableLinksUp) {
    Fill(links, "BBBB");
    links->GetLink(3)->SetLoadedUsage(7, 0);
    links->GetLink(1)->SetLoadedUsage(5, 1);
    links->GetLink(0)->SetLoadedVisible(false);
    links->ApplyLoadedUsage(true);
    EXPECT_EQ(Recent().substr(0, 5), "i3 i1");
    EXPECT_EQ(links->GetLink(3)->UseCount(), 7);
    EXPECT_EQ(links->GetLink(1)->UseCount(), 5);
    EXPECT_FALSE(links->GetLink(0)->Visible());
    EXPECT_EQ(Showable(), "i1 i2 i3");

    // The recent order i3 i0(hidden) i2 i1 compacts to i3 i2 i1 i0.
    for (int i : {1, 2, 0, 3}) links->GetLink(i)->MoveToRecentFront(false);
    ASSERT_EQ(Recent(), "i3 i0 i2 i1");
    links->CompactRecentOrder();
    EXPECT_EQ(Recent(), "i3 i2 i1 i0");
}

TEST_F(ItemLinks, AcceleratorsMatchTheirKeyWithTheShiftStateTheLayoutNeeds) {
    // The tests run with the "us" keyboard layout of Xvfb.
    struct Case {
        const wchar_t* caption;
        Word key;
        TShiftState shift;
        bool matches;
    } cases[] = {
        {L"&Open", 'O', {}, true},
        {L"&Open", 'O', {ssShift}, true},  // upper case: Shift or not
        {L"&open", 'O', {}, true},
        {L"&open", 'O', {ssShift}, false},
        {L"&Open", 'O', {ssCtrl}, false},
        {L"&1 Level", '1', {}, true},
        {L"&1 Level", '1', {ssShift}, false},  // a digit: no modifiers
        {L"Save && Exit", 'E', {}, false},
        {L"Open", 'O', {}, false},  // no accelerator
        {L"Co&py", 'P', {}, true},
        {L"Co&py", 'C', {}, false},
    };
    Fill(links, "B");
    TdxBarItem* item = links->GetLink(0)->Item();
    for (const Case& c : cases) {
        item->SetCaption(c.caption);
        EXPECT_EQ(links->GetLink(0)->MatchesAccel(c.key, c.shift), c.matches)
            << Utf8(c.caption) << " key " << char(c.key) << " shift " << c.shift.Bits();
    }
    item->SetCaption(L"&Open");
    EXPECT_EQ(links->GetLink(0)->GetAccelChar(), L'o');
}

TEST_F(ItemLinks, AMenuSearchesAcceleratorsCyclicallyFromTheLinkAfterTheStart) {
    Fill(links, "BBB");
    links->GetLink(0)->Item()->SetCaption(L"&Alpha");
    links->GetLink(1)->Item()->SetCaption(L"&Apple");
    links->GetLink(2)->Item()->SetCaption(L"&Beta");
    EXPECT_EQ(links->FindAccelLink('A', {}, nullptr), links->GetLink(1));  // the first comes last
    EXPECT_EQ(links->FindAccelLink('A', {}, links->GetLink(1)), links->GetLink(0));
    EXPECT_EQ(links->FindAccelLink('B', {ssAlt}, nullptr), nullptr);
    EXPECT_EQ(links->FindAccelLinkNoAlt('B', {ssAlt}, nullptr), links->GetLink(2));
    links->GetLink(2)->Item()->SetEnabled(false);  // an item that cannot show the link
    EXPECT_EQ(links->FindAccelLink('B', {}, nullptr), nullptr);
}

TEST_F(ItemLinks, NavigationStepsCyclicallyAndEndsAfterOneTurn) {
    TNavigationLinks nav(manager, nullptr);
    Fill(&nav, "BBBB");
    TdxBarPopupMenu* other = new TdxBarPopupMenu(form.get());
    TdxBarItemLink* foreign = other->ItemLinks()->AddItem(nav.GetLink(0)->Item());
    nav.navigable = {nav.GetLink(1), nav.GetLink(3)};
    EXPECT_EQ(nav.GetFirstNavigableLink(), nav.GetLink(1));
    EXPECT_EQ(nav.GetLastNavigableLink(), nav.GetLink(3));
    EXPECT_EQ(nav.GetNextNavigableLink(nullptr), nav.GetLink(1));
    EXPECT_EQ(nav.GetPrevNavigableLink(nullptr), nav.GetLink(3));
    EXPECT_EQ(nav.GetNextNavigableLink(nav.GetLink(3)), nav.GetLink(1));  // wraps around
    EXPECT_EQ(nav.GetPrevNavigableLink(nav.GetLink(1)), nav.GetLink(3));
    EXPECT_EQ(nav.GetNextNavigableLink(foreign), nav.GetLink(1));
    EXPECT_EQ(nav.GetPrevNavigableLink(foreign), nav.GetLink(3));
    EXPECT_EQ(nav.GetNextNavigableLink(nav.GetLink(1), true), nav.GetLink(2));  // any link
    nav.navigable = {nav.GetLink(2)};
    EXPECT_EQ(nav.GetNextNavigableLink(nav.GetLink(2)), nav.GetLink(2));  // itself after a turn
    nav.navigable.clear();
    EXPECT_EQ(nav.GetNextNavigableLink(nav.GetLink(0)), nullptr);
    EXPECT_EQ(nav.GetNextNavigableLink(foreign), nullptr);
    nav.Clear();
    EXPECT_EQ(nav.GetFirstNavigableLink(), nullptr);
}

TEST_F(ItemLinks, TheMergeDecisionFollowsKindsAndOrdersAndTheManagersEvent) {
    Fill(links, "BBB");
    for (int i = 0; i < 3; ++i) links->GetLink(i)->Item()->SetMergeOrder(i * 10);  // 0 10 20
    TdxBarPopupMenu* child = new TdxBarPopupMenu(form.get());
    TdxBarButton* source = new TdxBarButton(form.get());
    source->SetName(L"btnChild");
    TdxBarItemLink* sourceLink = child->ItemLinks()->AddItem(source);
    struct Case {
        TdxBarItemMergeKind kind;
        int order;
        TdxBarItemMergeKind expectedKind;
        int expectedIndex;
    } cases[] = {
        {mkNone, 0, mkNone, -1},         {mkAdd, 10, mkAdd, 2},  // after the last link of order <= 10
        {mkAdd, 15, mkAdd, 2},           {mkAdd, 99, mkAdd, 3},
        {mkMergeByCaption, 5, mkAdd, 1},  // no target (buttons do not merge): added
    };
    for (const Case& c : cases) {
        source->SetMergeKind(c.kind);
        source->SetMergeOrder(c.order);
        auto decision = links->MergeDecision(sourceLink);
        EXPECT_EQ(decision.Kind, c.expectedKind) << c.order;
        EXPECT_EQ(decision.Index, c.expectedIndex) << c.order;
    }
    links->GetLink(0)->Item()->SetMergeOrder(20);
    source->SetMergeKind(mkAdd);
    source->SetMergeOrder(5);
    EXPECT_EQ(links->MergeDecision(sourceLink).Index, 0) << "no link of a lower order: the start";

    struct Validation {
        TdxBarItemMergeKind kind;
        int index;
        bool valid;
    } validations[] = {{mkAdd, -1, false},           {mkAdd, 3, true},  {mkAdd, 4, false}, {mkMergeByCaption, 1, false},
                       {mkMergeByCaption, 7, false}, {mkNone, 0, false}};
    for (const Validation& v : validations) {
        TdxBarItemLinks::TMergeDecision decision{v.kind, v.index};
        EXPECT_EQ(links->ValidateMergeDecision(sourceLink, decision), v.valid) << int(v.kind) << " " << v.index;
    }

    // The manager's handler may change the decision.
    struct Handler : TObject {
        void Merge(TObject*, TdxBarItemLinks*, TdxBarItemLinks*, TdxBarItemLink*, TdxBarItemMergeKind& kind,
                   int& index) {
            kind = mkAdd;
            index = 1;
        }
    } handler;
    manager->OnMergeItemLink = MakeEvent(&handler, &Handler::Merge);
    source->SetMergeKind(mkNone);
    auto decision = links->MergeDecision(sourceLink);
    EXPECT_EQ(decision.Kind, mkAdd);
    EXPECT_EQ(decision.Index, 1);
    manager->OnMergeItemLink = nullptr;
}

TEST_F(ItemLinks, MergedLinksRememberTheirBarAndUnmergeRemovesOnlyThem) {
    Fill(links, "BB");
    TdxBar* bar = manager->Bars()->Add();
    TdxBarPopupMenu* child = new TdxBarPopupMenu(form.get());
    TdxBarButton* source = new TdxBarButton(form.get());
    source->SetName(L"btnMerged");
    source->SetMergeOrder(99);
    child->ItemLinks()->AddItem(source)->SetUserCaption(L"Merged");
    links->Merge(child->ItemLinks(), bar);
    ASSERT_EQ(links->Count(), 3);
    EXPECT_EQ(links->GetLink(2)->Item(), source);
    EXPECT_EQ(links->GetLink(2)->CreatedFromBar(), bar);
    EXPECT_EQ(Utf8(links->GetLink(2)->GetEffectiveCaption()), "Merged");
    EXPECT_EQ(links->GetLink(0)->CreatedFromBar(), nullptr);
    links->Unmerge(bar);
    EXPECT_EQ(links->Count(), 2);
    EXPECT_EQ(source->GetLinkCount(), 1);
}

TEST_F(ItemLinks, SettingTheItemToNilFreesTheLinkAndKeepsTheUpdateCountBalanced) {
    Fill(links, "BB");
    TdxBarItem* item = links->GetLink(0)->Item();
    links->GetLink(0)->SetItem(nullptr);
    EXPECT_EQ(links->Count(), 1);
    EXPECT_EQ(links->UpdateCount(), 0);
    EXPECT_EQ(item->GetLinkCount(), 0);
    EXPECT_EQ(Shown(), "i1");
    // Freeing an item frees its links.
    FreeObject(links->GetLink(0)->Item());
    EXPECT_EQ(links->Count(), 0);
}

TEST_F(ItemLinks, AMenuOutlivingItsManagerForgetsIt) {
    Fill(links, "BB");
    FreeObject(manager);  // frees its items, and with them the menu's links
    manager = nullptr;
    EXPECT_EQ(menu->BarManager(), nullptr);
    EXPECT_EQ(links->Count(), 0);
    links->Add();
    FreeObject(menu);
}

TEST_F(ItemLinks, LinksReportTheirChangesToTheManager) {
    std::vector<std::string> log;
    struct Handler : TObject {
        std::vector<std::string>* log;
        void Added(TObject*, TdxBarItemLink*) { log->push_back("add"); }
        void Changed(TObject*, TdxBarItemLink*) { log->push_back("change"); }
        void Deleted(TObject*, TdxBarItemLink*) { log->push_back("delete"); }
        void CollectionChanged(TObject*) { log->push_back("collection"); }
    } handler;
    handler.log = &log;
    manager->OnItemLinkAdd = MakeEvent(&handler, &Handler::Added);
    manager->OnItemLinkChange = MakeEvent(&handler, &Handler::Changed);
    manager->OnItemLinkDelete = MakeEvent(&handler, &Handler::Deleted);
    links->OnChange = MakeEvent(&handler, &Handler::CollectionChanged);
    TdxBarButton* button = new TdxBarButton(form.get());
    TdxBarItemLink* link = links->AddItem(button);
    // Inside AddItem's update bracket the link's own change is not reported.
    EXPECT_EQ(log, (std::vector<std::string>{"add", "collection"}));
    log.clear();
    TdxBarItemLink* second = links->Add();
    log.clear();
    second->SetItem(button);
    EXPECT_EQ(log, (std::vector<std::string>{"change", "collection"}));
    FreeObject(second);
    log.clear();
    link->SetBeginGroup(true);
    link->SetPosition(ipBeginsNewColumn);
    EXPECT_EQ(log, (std::vector<std::string>{"change", "collection"}));
    log.clear();
    FreeObject(link);
    EXPECT_EQ(log, (std::vector<std::string>{"delete", "collection"}));
    manager->OnItemLinkAdd = nullptr;
    manager->OnItemLinkChange = nullptr;
    manager->OnItemLinkDelete = nullptr;
}

TEST_F(ItemLinks, UserSettingsOverrideTheItemAndClearingThemResetsTheValues) {
    Fill(links, "B");
    TdxBarItemLink* link = links->GetLink(0);
    link->SetUserCaption(L"Mine");
    link->SetUserPaintStyle(psCaptionGlyph);
    link->SetUserPaintStyle(psCaptionGlyph);
    EXPECT_EQ(link->UserDefine(), (TdxBarUserDefines{udCaption, udPaintStyle}));
    EXPECT_EQ(Utf8(link->GetEffectiveCaption()), "Mine");
    EXPECT_EQ(link->GetEffectivePaintStyle(), psCaptionGlyph);
    link->SetUserDefine({udPaintStyle});
    EXPECT_EQ(link->UserCaption(), L"");
    EXPECT_EQ(Utf8(link->GetEffectiveCaption()), "i0");
    link->SetUserWidth(0);  // equal to the effective width: nothing to define
    EXPECT_FALSE(link->UserDefine().Contains(udWidth));
}

TEST_F(ItemLinks, AnItemTheOwnerRefusesLeavesNoLinkAndAFailingAddItemOfClassFreesBoth) {
    TdxBar* bar = manager->Bars()->Add();
    TToolbarLinksOwner owner(bar);
    TdxBarControlItemLinks toolbar(manager, &owner);
    TdxBarSeparator* separator = new TdxBarSeparator(form.get());
    EXPECT_EQ(ClassAndMessageOf([&] { toolbar.AddItem(separator); }),
              "EdxException: A separator item cannot be placed on the specified toolbar");
    EXPECT_EQ(toolbar.Count(), 0);
    EXPECT_EQ(separator->GetLinkCount(), 0);
    TdxBarItemLink* link = toolbar.Add();
    EXPECT_THROW(link->SetItem(separator), EdxException);
    EXPECT_EQ(link->Item(), nullptr);  // SetItem itself leaves the link without item
    EXPECT_EQ(toolbar.UpdateCount(), 0);
    FreeObject(link);

    int items = manager->GetItemCount(), components = form->ComponentCount();
    EXPECT_EQ(ClassAndMessageOf([&] { toolbar.AddItemOfClass(TdxBarSeparator::StaticClass()); }),
              "EdxException: A separator item cannot be placed on the specified toolbar");
    EXPECT_EQ(toolbar.Count(), 0);
    EXPECT_EQ(manager->GetItemCount(), items);
    EXPECT_EQ(form->ComponentCount(), components);
    TdxBarItemLink* made = toolbar.AddItemOfClass(TdxBarButton::StaticClass());
    EXPECT_TRUE(Is<TdxBarButton>(made->Item()));
    EXPECT_EQ(made->Item()->Owner(), form.get());
    // In a menu the separator is accepted.
    EXPECT_EQ(links->AddItem(separator)->Item(), separator);
}

TEST_F(ItemLinks, ShortCutsReachTheItemsOfUsableLinks) {
    Fill(links, "BN");
    auto* first = static_cast<TdxBarButton*>(links->GetLink(0)->Item());
    auto* hidden = static_cast<TdxBarButton*>(links->GetLink(1)->Item());
    first->SetShortCut(ShortCut('O', {ssCtrl}));
    hidden->SetShortCut(ShortCut('H', {ssCtrl}));
    first->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    hidden->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    EXPECT_FALSE(links->ExecuteShortCut(0));
    EXPECT_FALSE(links->ExecuteShortCut(ShortCut('H', {ssCtrl})));
    EXPECT_TRUE(links->ExecuteShortCut(ShortCut('O', {ssCtrl})));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick i0"}));
}

}  // namespace
