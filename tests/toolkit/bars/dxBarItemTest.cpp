// The bar item's properties: the hint that follows the caption, visibility deferred while
// loading, categories, ignored values, change listeners, copying to and from actions, streaming.

#include "BarTestSupport.h"

#include "Actions.h"
#include "FormDescription.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"

namespace {

using BarItem = BarTest;

TEST_F(BarItem, TheHintFollowsTheCaptionWhileItShowsTheCaption) {
    struct Case {
        const char* what;
        const wchar_t *hint, *oldCaption, *newCaption, *expectedHint;
    } cases[] = {
        {"an empty hint takes the caption without & and ...", L"", L"", L"&Open...", L"Open"},
        {"the short part follows, the long part stays", L"Open|Opens a level from a file", L"&Open", L"Export",
         L"Export|Opens a level from a file"},
        {"a hint of its own stays", L"Load a level", L"&Open", L"Export", L"Load a level"},
        {"a doubled ampersand keeps one", L"", L"", L"Save && Exit", L"Save & Exit"},
        {"only the first run of dots goes", L"", L"", L"Go...on...", L"Goon..."},
        {"only the first ampersand goes", L"", L"", L"A&B&C", L"AB&C"},
    };
    for (const Case& c : cases) {
        TTestBarItem* item = NewItem(L"btnHint");
        item->SetCaption(c.oldCaption);
        item->SetHint(c.hint);
        item->SetCaption(c.newCaption);
        EXPECT_EQ(Utf8(item->Hint()), Utf8(c.expectedHint)) << c.what;
        EXPECT_EQ(Utf8(item->GetCaption()), Utf8(c.newCaption)) << c.what;
        FreeObject(item);
    }
}

TEST_F(BarItem, ACaptionSetWhileLoadingOrFromALoadingActionLeavesTheHint) {
    TTestBarItem* item = NewItem(L"btnLoading");
    item->SetStateFlag(csLoading, true);
    item->SetCaption(L"&Open");
    EXPECT_EQ(item->Hint(), L"");
    EXPECT_EQ(item->captionChanges, 0);
    item->SetStateFlag(csLoading, false);

    TTestBarItem* other = NewItem(L"btnFromAction");
    auto* action = new TAction(form.get());
    action->SetCaption(L"Save");
    action->SetStateFlag(csLoading, true);
    other->SetAction(action);
    EXPECT_EQ(other->GetCaption(), L"Save");
    EXPECT_EQ(other->Hint(), L"");
}

TEST_F(BarItem, VisibleSetWhileLoadingWaitsForTheManager) {
    TTestBarItem* item = NewItem(L"btnLater");
    item->SetStateFlag(csLoading, true);
    item->SetVisible(ivNever);
    EXPECT_EQ(item->Visible(), ivAlways);
    manager->SetStateFlag(csLoading, true);
    manager->Loaded();
    EXPECT_EQ(item->Visible(), ivNever);
    item->SetStateFlag(csLoading, false);
}

TEST_F(BarItem, AFormDescriptionAppliesTheReadVisibilityWhenTheManagerHasLoaded) {
    std::unique_ptr<TForm> loaded(CreateNewForm(nullptr));
    ReadComponentFromText(
        "object LoadForm: TForm\r\n"
        "  object Manager: TdxBarManager\r\n"
        "    object btnNever: TTestBarItem\r\n"
        "      Caption = 'Never'\r\n"
        "      Category = 0\r\n"
        "      Visible = ivNever\r\n"
        "    end\r\n"
        "    object btnSometimes: TTestBarItem\r\n"
        "      Category = 0\r\n"
        "      Visible = ivInCustomizing\r\n"
        "    end\r\n"
        "  end\r\n"
        "end\r\n",
        loaded.get());
    auto* loadedManager = static_cast<TdxBarManager*>(loaded->FindComponent(L"Manager"));
    ASSERT_NE(loadedManager, nullptr);
    ASSERT_EQ(loadedManager->GetItemCount(), 2);
    EXPECT_EQ(loadedManager->GetItemByIndex(0)->Visible(), ivNever);
    EXPECT_EQ(loadedManager->GetItemByIndex(1)->Visible(), ivInCustomizing);
    EXPECT_EQ(loadedManager->GetItemByIndex(0)->GetParentComponent(), loadedManager);
    EXPECT_TRUE(loadedManager->CanReset());  // it was read from a description
}

TEST_F(BarItem, ACategoryOutsideTheListChangesNothing) {
    TTestBarItem* item = NewItem(L"btnCategory");
    for (int bad : {1, 7, -1, -5}) {
        item->SetCategory(bad);
        EXPECT_EQ(item->Category(), 0) << bad;
    }
}

TEST_F(BarItem, AnItemMovesBehindTheLastItemOfItsNewCategory) {
    manager->Categories()->Add(L"Вид");
    TTestBarItem* x = NewItem(L"x", 0);
    TTestBarItem* y = NewItem(L"y", 1);
    TTestBarItem* z = NewItem(L"z", 0);
    EXPECT_EQ(manager->GetItemByIndex(0), x);
    EXPECT_EQ(manager->GetItemByIndex(1), z);
    EXPECT_EQ(manager->GetItemByIndex(2), y);
    x->SetCategory(1);  // behind y, which now stands before it
    EXPECT_EQ(manager->GetItemByIndex(0), z);
    EXPECT_EQ(manager->GetItemByIndex(1), y);
    EXPECT_EQ(manager->GetItemByIndex(2), x);
}

TEST_F(BarItem, IgnoredAndAdjustedValues) {
    TTestBarItem* item = NewItem(L"btnValues");
    item->SetWidth(40);
    item->SetWidth(-3);
    item->SetWidth(40);
    EXPECT_EQ(item->GetWidth(), 40);
    EXPECT_EQ(item->widthChanges, 1);
    item->SetMergeOrder(-7);
    EXPECT_EQ(item->MergeOrder(), 0);
    item->SetMergeOrder(3);
    EXPECT_EQ(item->MergeOrder(), 3);
    EXPECT_EQ(item->GetLink(0), nullptr);
    EXPECT_EQ(item->GetLink(-1), nullptr);
    item->SetShortCut(0x4053);
    item->SetShortCut(0x4053);
    EXPECT_EQ(item->shortCutChanges, 1);
}

TEST_F(BarItem, ChangesReachTheListsThatHoldTheItem) {
    struct TListRecorder : TObject {
        std::vector<std::pair<TComponent*, TcxComponentCollectionNotification>> changes;
        void Changed(TObject*, TComponent* c, TcxComponentCollectionNotification n) { changes.emplace_back(c, n); }
    } heard;
    auto list = std::make_unique<TdxBarComponentList>();
    list->OnComponentListChanged = MakeEvent(&heard, &TListRecorder::Changed);
    TTestBarItem* item = NewItem(L"btnListened");
    int listeners = item->ChangeListenerCount();  // the manager's item list is one
    list->Add(item);
    EXPECT_EQ(item->ChangeListenerCount(), listeners + 1);
    heard.changes.clear();
    item->SetDescription(L"Opens a level");
    item->SetCategory(0);
    item->SetName(L"btnRenamed");
    using Change = std::pair<TComponent*, TcxComponentCollectionNotification>;
    EXPECT_EQ(heard.changes, (std::vector<Change>{{item, itemChanged}, {nullptr, itemChanged}, {item, itemChanged}}));
    // A list freed first leaves the item without a dangling listener; an item freed first
    // leaves the list.
    list.reset();
    EXPECT_EQ(item->ChangeListenerCount(), listeners);
    list = std::make_unique<TdxBarComponentList>();
    list->Add(item);
    FreeObject(item);
    EXPECT_EQ(list->Count(), 0);
}

TEST_F(BarItem, AnItemGivesItsValuesToAnAction) {
    TTestBarItem* item = NewItem(L"btnSource");
    item->SetCaption(L"&Сохранить");
    item->SetHint(L"Сохранить уровень");
    item->SetEnabled(false);
    item->SetShortCut(0x4053);
    item->SetImageIndex(4);
    item->SetHelpContext(12);
    item->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    auto* action = new TAction(form.get());
    struct Case {
        TdxBarItemVisible visible;
        bool start, expected;
    } cases[] = {{ivNever, true, false}, {ivAlways, false, true}, {ivInCustomizing, false, false}};
    for (const Case& c : cases) {
        action->SetVisible(c.start);
        item->SetVisible(c.visible);
        action->Assign(item);
        EXPECT_EQ(action->Visible(), c.expected) << int(c.visible);
    }
    EXPECT_EQ(Utf8(action->Caption()), "&Сохранить");
    EXPECT_EQ(Utf8(action->Hint()), "Сохранить уровень");
    EXPECT_FALSE(action->Enabled());
    EXPECT_EQ(action->ShortCut(), 0x4053);
    EXPECT_EQ(action->ImageIndex(), 4);
    EXPECT_EQ(action->HelpContext(), 12);
    EXPECT_TRUE(action->OnExecute() == item->OnClick);
    EXPECT_EQ(MessageOf([&] { item->Assign(action); }), "Cannot assign a TAction to a TTestBarItem");
}

TEST_F(BarItem, AssignCopiesAnotherItem) {
    TTestBarItem* source = NewItem(L"btnFrom");
    source->SetCaption(L"Открыть");
    source->SetAlign(iaRight);
    source->SetKeyTip(L"O");
    source->SetShortCut(0x404F);
    source->SetLargeImageIndex(2);
    TObject marker;
    source->UserData = &marker;
    TTestBarItem* target = NewItem(L"btnTo");
    target->Assign(source);
    EXPECT_EQ(target->GetCaption(), L"Открыть");
    EXPECT_EQ(target->Align(), iaRight);
    EXPECT_EQ(target->KeyTip(), L"O");
    EXPECT_EQ(target->ShortCut(), 0x404F);
    EXPECT_EQ(target->LargeImageIndex(), 2);
    EXPECT_EQ(target->UserData, &marker);
}

TEST_F(BarItem, OnlyAManagerCanBeTheParentOfAnItem) {
    TTestBarItem* item = NewItem(L"btnParent");
    EXPECT_EQ(ClassAndMessageOf([&] { item->SetParentComponent(form.get()); }), "EInvalidCast: Invalid class typecast");
    EXPECT_EQ(item->BarManager(), manager);
    EXPECT_TRUE(item->HasParent());
    item->SetCategory(0);
    TTestBarItem* internal = NewItem(L"btnInternal", -1);
    EXPECT_FALSE(internal->HasParent());  // not written among the manager's children
    EXPECT_EQ(internal->GetParentComponent(), nullptr);
}

TEST_F(BarItem, DestructionFiresOnDestroyAndTheItemLeavesItsManager) {
    TTestBarItem* item = NewItem(L"btnGone");
    item->OnDestroy = MakeEvent(&recorder, &TEventRecorder::Destroyed);
    int before = manager->GetItemCount();
    FreeObject(item);
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnDestroy"}));
    EXPECT_EQ(manager->GetItemCount(), before - 1);
}

class TDerivedBarItem : public TTestBarItem {
    Z_CLASS(TDerivedBarItem, TTestBarItem)
public:
    using TTestBarItem::TTestBarItem;
};

class TTestItemControl : public TObject {
    Z_CLASS(TTestItemControl, TObject)
};

TEST_F(BarItem, AnItemWithoutARegistrationOfItsOwnClassHasNoControlClass) {
    RegisterItemControlClass(TTestBarItem::StaticClass(), TTestItemControl::StaticClass(), false);
    TTestBarItem* item = NewItem(L"btnRegistered");
    auto* derived = new TDerivedBarItem(form.get());
    EXPECT_EQ(item->GetItemControlClass(0), TTestItemControl::StaticClass());
    EXPECT_EQ(derived->GetItemControlClass(0), nullptr);
    UnregisterItemControlClass(TTestBarItem::StaticClass());
    EXPECT_EQ(item->GetItemControlClass(0), nullptr);
    RegisterClass(TTestBarItem::StaticClass());  // the suite streams it
}

TEST_F(BarItem, SelectionGoesThroughTheManagersDesigner) {
    TTestBarItem* item = NewItem(L"btnSelectable");
    IdxBarSelectableItem* selectable = QuerySelectableItem(item);
    ASSERT_NE(selectable, nullptr);
    EXPECT_EQ(SelectableItemObject(selectable), item);
    EXPECT_EQ(selectable->GetSupportedActions(), 0x0419);
    EXPECT_EQ(selectable->GetSelectionState(), 0);  // no designer: nothing is selected
    auto* designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
    selectable->SelectInDesigner(dxBarSelectionExclusive);
    ASSERT_EQ(designer->selections.size(), 1u);
    EXPECT_EQ(designer->selections[0], (std::pair<TObject*, Integer>(item, dxBarSelectionExclusive)));
    designer->selected.push_back(item);
    EXPECT_TRUE(selectable->IsSelected());
    TList selection;
    manager->GetSelectedComponents(&selection);
    EXPECT_EQ(selection.Count(), 1);
    TdxObjectList owners;
    selectable->AddOwnerToList(&owners);
    selectable->AddOwnerToList(&owners);
    EXPECT_EQ(owners.Count(), 1);
    EXPECT_EQ(owners.GetObject(0), form.get());
    EXPECT_EQ(owners.GetObject(1), nullptr);
    item->OpenDefaultHandler();
    EXPECT_EQ(designer->openedHandlers, (std::vector<TdxBarItem*>{item}));
    // Deleting asks the designer; a refused item stays.
    designer->canRemove = false;
    IdxBarSelectableItem* ref = selectable;
    selectable->DeleteIfAllowed(ref, true);
    EXPECT_EQ(ref, selectable);
    designer->canRemove = true;
    designer->selected.clear();
    selectable->DeleteIfAllowed(ref, true);
    EXPECT_EQ(ref, nullptr);
    EXPECT_EQ(manager->FindItemByName(L"btnSelectable"), nullptr);
    manager->SetDesigner(nullptr);
}

TEST_F(BarItem, AnObjectListHoldsEachObjectOnceAndDropsTheUnselectable) {
    TTestBarItem* item = NewItem(L"btnListed");
    TdxObjectList list;
    EXPECT_EQ(list.AddUnique(item), 0);
    EXPECT_EQ(list.AddUnique(item), 0);
    EXPECT_EQ(list.AddUnique(nullptr), -1);
    list.AddUnique(form.get());
    EXPECT_EQ(list.GetLast(), form.get());
    TdxObjectList copy;
    copy.AddUnique(manager);
    list.AssignTo(&copy);
    EXPECT_EQ(copy.Count(), 2);
    RemoveNonSelectableItems(&copy);
    EXPECT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.GetObject(0), item);
}

TEST_F(BarItem, TheNewItemCaptionIsTheStringTableText) {
    EXPECT_EQ(Utf8(NewItem(L"btnNew")->GetNewItemCaption()), "Новый элемент");
}

}  // namespace
