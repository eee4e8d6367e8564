#include <gtest/gtest.h>

#include <string>

#include "cxClasses.h"
#include "cxComponent.h"
#include "cxComponentCollection.h"
#include "cxComponentList.h"
#include "cxInterfacedCollection.h"

namespace {

class TTestItem;

// A parent component (like the bar manager) keeping its items in one collection.
class TTestParent : public TComponent {
    Z_CLASS(TTestParent, TComponent)
public:
    explicit TTestParent(TComponent* owner);
    ~TTestParent() override { FreeObject(items); }
    TcxComponentCollection* items;
};

class TTestItem : public TcxComponentCollectionItem {
    Z_CLASS(TTestItem, TcxComponentCollectionItem)
public:
    explicit TTestItem(TComponent* owner) : TcxComponentCollectionItem(owner) {}
    int value = 0;
    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TTestItem*>(source))
            value = other->value;
        else
            TcxComponentCollectionItem::Assign(source);
    }

protected:
    TcxComponentCollection* CollectionFromParent(TComponent* parent) override {
        auto* p = dynamic_cast<TTestParent*>(parent);
        return p ? p->items : nullptr;
    }
};

class TForeignItem : public TcxComponentCollectionItem {
    Z_CLASS(TForeignItem, TcxComponentCollectionItem)
public:
    explicit TForeignItem(TComponent* owner) : TcxComponentCollectionItem(owner) {}

protected:
    TcxComponentCollection* CollectionFromParent(TComponent* parent) override {
        return static_cast<TTestParent*>(parent)->items;
    }
};

// Records the collection's notifications (n) and change events (c).
class TRecordingCollection : public TcxComponentCollection {
public:
    using TcxComponentCollection::TcxComponentCollection;
    std::string log;

protected:
    void ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override {
        (void)item;
        log += "n" + std::to_string(action);
    }
    void HandleChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action) override {
        log += "c" + std::to_string(action) + (item ? "" : "*");
        TcxComponentCollection::HandleChange(item, action);
    }
};

TTestParent::TTestParent(TComponent* owner)
    : TComponent(owner), items(new TRecordingCollection(this, TTestItem::StaticClass())) {}

std::string& Log(TTestParent& parent) { return static_cast<TRecordingCollection*>(parent.items)->log; }

TEST(ComponentCollection, AddNewCreatesAnItemOwnedByTheParentsOwnerAndNumbersIt) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    TcxComponentCollectionItem* first = parent->items->AddNew();
    TcxComponentCollectionItem* second = parent->items->AddNew();
    EXPECT_EQ(Log(*parent), "n0c0n0c0");
    EXPECT_EQ(first->Owner(), &form);
    EXPECT_EQ(first->Collection(), parent->items);
    EXPECT_EQ(first->GetParentComponent(), parent);
    EXPECT_TRUE(first->HasParent());
    EXPECT_EQ(first->ID(), 0);
    EXPECT_EQ(second->ID(), 1);
    EXPECT_EQ(second->IndexInCollection(), 1);
    EXPECT_EQ(parent->items->GetOwner(), parent);
}

TEST(ComponentCollection, ForeignClassIsRefusedSilently) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    auto* foreign = new TForeignItem(&form);
    foreign->SetParentComponent(parent);
    EXPECT_EQ(parent->items->ItemCount(), 0);
    EXPECT_EQ(Log(*parent), "");
    EXPECT_EQ(foreign->Collection(), nullptr);
    EXPECT_FALSE(foreign->HasParent());
}

TEST(ComponentCollection, FreeingAnItemDetachesItWithTwoNotificationsAndOneEvent) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    TcxComponentCollectionItem* item = parent->items->AddNew();
    Log(*parent).clear();
    FreeObject(item);
    EXPECT_EQ(Log(*parent), "n2n3c3");
    EXPECT_EQ(parent->items->ItemCount(), 0);
}

TEST(ComponentCollection, DeleteAllReportsOnceAtTheEndAndIdsKeepGrowing) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    for (int i = 0; i < 3; ++i) parent->items->AddNew();
    Log(*parent).clear();
    parent->items->DeleteAll();
    EXPECT_EQ(Log(*parent), "n2n3n2n3n2n3c1*");
    EXPECT_EQ(form.ComponentCount(), 1);  // the items are gone with their owner's knowledge
    EXPECT_EQ(parent->items->AddNew()->ID(), 3);
    Log(*parent).clear();
    parent->items->LockUpdates();
    parent->items->LockUpdates();
    parent->items->UnlockUpdates(true);
    EXPECT_EQ(Log(*parent), "");
    parent->items->UnlockUpdates(false);
    EXPECT_EQ(Log(*parent), "");
}

TEST(ComponentCollection, MoveToIndexReportsOnlyARealMove) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    TcxComponentCollectionItem* a = parent->items->AddNew();
    TcxComponentCollectionItem* b = parent->items->AddNew();
    Log(*parent).clear();
    a->MoveToIndex(0);
    EXPECT_EQ(Log(*parent), "");
    a->MoveToIndex(1);
    EXPECT_EQ(Log(*parent), "c1*");
    EXPECT_EQ(parent->items->ItemAt(0), b);
    Log(*parent).clear();
    a->NotifyChanged();
    a->NotifyChanged(true);
    EXPECT_EQ(Log(*parent), "c1c1*");
}

TEST(ComponentCollection, AssignCopiesItemsInOrderWithOneEvent) {
    TComponent form(nullptr);
    auto* source = new TTestParent(&form);
    auto* target = new TTestParent(&form);
    for (int v : {5, 7}) static_cast<TTestItem*>(source->items->AddNew())->value = v;
    target->items->AddNew();
    Log(*target).clear();
    target->items->Assign(source->items);
    ASSERT_EQ(target->items->ItemCount(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(target->items->ItemAt(0))->value, 5);
    EXPECT_EQ(static_cast<TTestItem*>(target->items->ItemAt(1))->value, 7);
    EXPECT_EQ(Log(*target), "n2n3n0n0c1*");
    EXPECT_THROW(target->items->Assign(&form), EConvertError);
}

TEST(ComponentCollection, DestroyingTheCollectionFreesItsItemsSilently) {
    TComponent form(nullptr);
    auto* parent = new TTestParent(&form);
    parent->items->AddNew();
    parent->items->AddNew();
    int changes = 0;
    struct Counter : TObject {
        int* n;
        void Changed(TObject*, TcxComponentCollectionItem*, TcxComponentCollectionNotification) { ++*n; }
    } counter;
    counter.n = &changes;
    parent->items->OnChange = MakeEvent(&counter, &Counter::Changed);
    FreeObject(parent);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.ComponentCount(), 0);
}

class ListRecorder : public TObject {
public:
    std::string log;
    void Changed(TObject*, TComponent* c, TcxComponentCollectionNotification a) {
        log += "c" + std::to_string(a) + (c ? "" : "*");
    }
    void Notified(TObject*, TComponent*, TListNotification n) { log += "n" + std::to_string(n); }
};

class TOnlyItems : public TcxComponentList {
protected:
    TClass ItemBaseClass() const override { return TTestItem::StaticClass(); }
};

TEST(ComponentList, ReportsAddExtractDeleteAndFreedMembers) {
    TComponent form(nullptr);
    auto* a = new TComponent(&form);
    auto* b = new TComponent(&form);
    TcxComponentList list;
    ListRecorder r;
    list.OnComponentListChanged = MakeEvent(&r, &ListRecorder::Changed);
    list.OnNotify = MakeEvent(&r, &ListRecorder::Notified);
    list.Add(a);
    list.Add(b);
    list.Extract(a);
    list.Delete(0);
    EXPECT_EQ(r.log, "n0c0n0c0n1c3n2c4");
    EXPECT_EQ(form.ComponentCount(), 2);  // the list does not own its components
    r.log.clear();
    list.Add(a);
    FreeObject(a);  // a freed member leaves the list
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(r.log, "n0c0n1c3");
}

TEST(ComponentList, NestedLocksFireOnlyWhenTheLastEnds) {
    TcxComponentList list;
    ListRecorder r;
    list.OnComponentListChanged = MakeEvent(&r, &ListRecorder::Changed);
    TComponent c(nullptr);
    list.LockChanges();
    list.LockChanges();
    list.Add(&c);
    list.UnlockChanges();
    EXPECT_EQ(r.log, "");
    list.UnlockChanges();
    EXPECT_EQ(r.log, "c1*");
    list.LockChanges();
    list.UnlockChangesSilently();
    EXPECT_EQ(r.log, "c1*");
    list.Clear();
}

TEST(ComponentList, EntriesOfAnotherClassAreRefused) {
    TComponent form(nullptr);
    auto* plain = new TComponent(&form);
    TOnlyItems list;
    ListRecorder r;
    list.OnComponentListChanged = MakeEvent(&r, &ListRecorder::Changed);
    list.Add(plain);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(r.log, "");
}

TEST(ComponentBase, DestroyingAComponentClearsWeakLinksToIt) {
    auto* component = new TcxComponent(nullptr);
    TcxObjectLink* link = CreateObjectLink(component);
    FreeObject(component);
    EXPECT_EQ(link->Ref, nullptr);
    DestroyObjectLink(link);
    auto* deleted = new TcxComponent(nullptr);
    link = CreateObjectLink(deleted);
    delete deleted;
    EXPECT_EQ(link->Ref, nullptr);
    DestroyObjectLink(link);
}

TEST(ComponentBase, FakeLinksAreStoredButNotRefreshedAtRunTime) {
    TComponent form(nullptr);
    auto* c = new TcxComponent(&form);
    auto* other = new TComponent(&form);
    c->SetFakeComponentLink2(other);
    c->RefreshFakeComponentLinks();
    EXPECT_EQ(c->FakeComponentLink2(), other);
    EXPECT_FALSE(c->IsDesigning());
    EXPECT_NE(c->PublishedTable().FindProperty(L"FakeComponentLink3"), nullptr);
}

TEST(ComponentBase, FreeNotificatorReportsWatchedComponentsOnly) {
    TcxFreeNotificator notificator(nullptr);
    struct Catcher : TObject {
        TComponent* freed = nullptr;
        void Freed(TObject*, TComponent* c) { freed = c; }
    } catcher;
    notificator.OnFreeNotification = MakeEvent(&catcher, &Catcher::Freed);
    auto* watched = new TComponent(nullptr);
    auto* dropped = new TComponent(nullptr);
    notificator.WatchComponent(watched);
    notificator.WatchComponent(nullptr);
    notificator.WatchComponent(dropped);
    notificator.StopWatchingComponent(dropped);
    FreeObject(dropped);
    EXPECT_EQ(catcher.freed, nullptr);
    FreeObject(watched);
    EXPECT_EQ(catcher.freed, watched);
}

TEST(ComponentBase, ObjectListFreesItsObjects) {
    int freed = 0;
    struct Counted : TObject {
        int* n;
        ~Counted() override { ++*n; }
    };
    {
        TcxObjectList list;
        for (int i = 0; i < 3; ++i) {
            auto* o = new Counted;
            o->n = &freed;
            list.Add(o);
        }
        list.Clear();
        EXPECT_EQ(freed, 3);
        auto* o = new Counted;
        o->n = &freed;
        list.Add(o);
    }
    EXPECT_EQ(freed, 4);
}

class TCountedCollection : public TCollection, public virtual IInterface {
public:
    explicit TCountedCollection(TClass cls) : TCollection(cls) {}
    Integer _AddRef() override { return ++count; }
    Integer _Release() override { return --count; }
    Integer count = 1;
};

TEST(InterfacedCollections, ItemCountsThroughItsCollectionOrNotAtAll) {
    TCollection plain(TcxInterfacedCollectionItem::StaticClass());
    auto* item = static_cast<TcxInterfacedCollectionItem*>(plain.Add());
    EXPECT_EQ(item->_AddRef(), -1);
    EXPECT_EQ(item->_Release(), -1);
    EXPECT_EQ(plain.Count(), 1);
    TCountedCollection counted(TcxInterfacedCollectionItem::StaticClass());
    auto* countedItem = static_cast<TcxInterfacedCollectionItem*>(counted.Add());
    EXPECT_EQ(countedItem->_AddRef(), 2);
    EXPECT_EQ(countedItem->_Release(), 1);
}

TEST(InterfacedCollections, OwnedCollectionReportsItemChangesUntilDestroyed) {
    TComponent owner(nullptr);
    auto* collection = new TcxOwnedInterfacedCollection(&owner, TCollectionItem::StaticClass());
    struct Catcher : TObject {
        int calls = 0;
        void Changed(TObject*, TCollectionItem*) { ++calls; }
    } catcher;
    collection->OnChange = MakeEvent(&catcher, &Catcher::Changed);
    collection->Add();
    int afterAdd = catcher.calls;
    EXPECT_GT(afterAdd, 0);
    EXPECT_EQ(collection->GetOwner(), &owner);
    EXPECT_EQ(collection->_AddRef(), -1);
    FreeObject(collection);
    EXPECT_EQ(catcher.calls, afterAdd);
}

}  // namespace
