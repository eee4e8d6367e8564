#include <gtest/gtest.h>

#include "cxClasses.h"
#include "cxEventHandlerCollection.h"
#include "cxRegisteredClasses.h"

namespace {

class A : public TObject {
    Z_CLASS(A, TObject)
};
class B : public A {
    Z_CLASS(B, A)
};
class C : public B {
    Z_CLASS(C, B)
};
class D : public C {
    Z_CLASS(D, C)
};
class Unrelated : public TObject {
    Z_CLASS(Unrelated, TObject)
};
class ForA : public TObject {
    Z_CLASS(ForA, TObject)
};
class ForB : public TObject {
    Z_CLASS(ForB, TObject)
};
class ForC : public TObject {
    Z_CLASS(ForC, TObject)
};
class ForC2 : public TObject {
    Z_CLASS(ForC2, TObject)
};

TEST(RegisteredClassList, MostDerivedRegisteredAncestorWinsWhateverTheOrderOfRegistration) {
    TcxRegisteredClassList list;
    list.AddPair(A::StaticClass(), ForA::StaticClass());
    list.AddPair(C::StaticClass(), ForC::StaticClass());
    list.AddPair(B::StaticClass(), ForB::StaticClass());
    // Entries of a class follow those of its ancestors.
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemAt(0)->ItemClass, A::StaticClass());
    EXPECT_EQ(list.ItemAt(1)->ItemClass, B::StaticClass());
    EXPECT_EQ(list.ItemAt(2)->ItemClass, C::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(C::StaticClass()), ForC::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(D::StaticClass()), ForC::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(B::StaticClass()), ForB::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(A::StaticClass()), ForA::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(Unrelated::StaticClass()), nullptr);
    // The last pair added for one class wins; removing it brings the earlier one back.
    list.AddPair(C::StaticClass(), ForC2::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(D::StaticClass()), ForC2::StaticClass());
    list.RemovePair(C::StaticClass(), ForC2::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(D::StaticClass()), ForC::StaticClass());
    list.RemovePair(C::StaticClass(), ForC::StaticClass());
    EXPECT_EQ(list.LookupRegisteredClass(D::StaticClass()), ForB::StaticClass());
}

TEST(RegisteredClassList, FindByClassReportsTheFirstDescendantWhenNoAncestorIsRegistered) {
    TcxRegisteredClassList list;
    list.AddPair(D::StaticClass(), ForC::StaticClass());
    list.AddPair(C::StaticClass(), ForB::StaticClass());  // goes before its descendant
    EXPECT_EQ(list.ItemAt(0)->ItemClass, C::StaticClass());
    int index = 42;
    EXPECT_FALSE(list.FindByClass(B::StaticClass(), index));
    EXPECT_EQ(index, 0);
    index = 42;
    EXPECT_FALSE(list.FindByClass(Unrelated::StaticClass(), index));
    EXPECT_EQ(index, 42);
}

TEST(RegisteredClasses, KeepOneEntryPerClassShowDescriptionsAndSort) {
    TcxRegisteredClasses classes;
    classes.AddClass(B::StaticClass(), L"Текст|Text panel");
    classes.AddClass(B::StaticClass(), L"Other");
    classes.AddClass(A::StaticClass(), L"ячейка");
    classes.AddClass(C::StaticClass(), L"Алфавит");
    ASSERT_EQ(classes.Count(), 3);
    EXPECT_EQ(classes.Description(classes.IndexOfClass(B::StaticClass())), L"Текст");
    EXPECT_EQ(classes.FindByClassName(L"C"), C::StaticClass());
    EXPECT_EQ(classes.FindByClassName(L"c"), nullptr);
    classes.SetSorted(true);
    EXPECT_EQ(classes.ClassAt(0), C::StaticClass());
    EXPECT_EQ(classes.ClassAt(1), B::StaticClass());
    EXPECT_EQ(classes.ClassAt(2), A::StaticClass());
    classes.AddClass(D::StaticClass(), L"бук");
    EXPECT_EQ(classes.ClassAt(1), D::StaticClass());
    classes.RemoveClass(B::StaticClass());
    classes.RemoveClass(B::StaticClass());
    EXPECT_EQ(classes.Count(), 3);
    EXPECT_EQ(classes.IndexOfClass(B::StaticClass()), -1);
}

class Streamed : public TObject {
    Z_CLASS(Streamed, TObject)
};

TEST(RegisteredClasses, RegisterForStreamingWhenAsked) {
    {
        TcxRegisteredClasses classes(true);
        classes.AddClass(Streamed::StaticClass(), L"Streamed");
    }
    EXPECT_EQ(GetClass(L"Streamed"), Streamed::StaticClass());
    UnRegisterClass(Streamed::StaticClass());
}

class Recorder : public TObject {
public:
    void First(TObject*, const void*) { log += "1"; }
    void Second(TObject*, const void*) { log += "2"; }
    void RemovesSecond(TObject*, const void*) {
        log += "R";
        handlers->RemoveHandler(TcxEventHandler(this, &Recorder::Second));
        handlers->RemoveHandler(TcxEventHandler(this, &Recorder::RemovesSecond));
    }
    std::string log;
    TcxEventHandlerCollection* handlers = nullptr;
};

TEST(EventHandlerCollection, AddsOnceCallsInOrderAndSurvivesRemovalDuringACall) {
    TcxEventHandlerCollection handlers;
    Recorder r;
    r.handlers = &handlers;
    handlers.AddHandler(TcxEventHandler(&r, &Recorder::First));
    handlers.AddHandler(TcxEventHandler(&r, &Recorder::RemovesSecond));
    handlers.AddHandler(TcxEventHandler(&r, &Recorder::Second));
    handlers.AddHandler(TcxEventHandler(&r, &Recorder::First));
    EXPECT_EQ(handlers.Count(), 3);
    handlers.CallHandlers(&r);
    EXPECT_EQ(r.log, "1R2");  // the list as it was when the call started
    EXPECT_EQ(handlers.Count(), 1);
    r.log.clear();
    handlers.CallHandlers(&r);
    EXPECT_EQ(r.log, "1");
    handlers.RemoveHandler(TcxEventHandler(&r, &Recorder::Second));  // absent: ignored
    EXPECT_EQ(handlers.Count(), 1);
}

struct WidthCase {
    int available;
    std::vector<std::tuple<int, int, bool>> items;  // width, minimum, fixed
    std::vector<int> expected;
};

TEST(AutoWidthObject, DistributesInProportionRespectingMinimaAndFixedItems) {
    const WidthCase cases[] = {
        {100, {{10, 0, false}, {20, 0, false}, {30, 0, false}}, {17, 33, 50}},
        {30, {{10, 12, false}, {50, 0, false}}, {12, 18}},
        {100, {{40, 0, true}, {10, 0, false}, {20, 0, false}}, {40, 20, 40}},
        {10, {{30, 8, false}, {10, 6, false}, {10, 0, false}}, {8, 6, 0}},
        {50, {{0, 5, false}, {10, 0, false}}, {5, 45}},
        {50, {{0, 5, false}, {0, 0, false}}, {5, 0}},
    };
    for (const WidthCase& c : cases) {
        TcxAutoWidthObject distributor(4);
        distributor.AvailableWidth = c.available;
        for (auto [width, minimum, fixed] : c.items) {
            TcxAutoWidthItem* item = distributor.NewItem();
            EXPECT_EQ(item->AutoWidth, -1);
            item->Width = width;
            item->MinWidth = minimum;
            item->Fixed = fixed;
        }
        distributor.DistributeWidths();
        std::vector<int> result;
        for (int i = 0; i < distributor.ItemCount(); ++i) result.push_back(distributor.ItemAt(i)->AutoWidth);
        EXPECT_EQ(result, c.expected) << "available " << c.available;
    }
}

TEST(ObjectLinks, ReadNilOnceTheirObjectIsGoneAndDieSafely) {
    int before = ObjectLinkCount();
    EXPECT_EQ(CreateObjectLink(nullptr), nullptr);
    DestroyObjectLink(nullptr);
    auto* object = new TObject;
    TcxObjectLink* first = CreateObjectLink(object);
    TcxObjectLink* second = CreateObjectLink(object);
    auto* other = new TObject;
    TcxObjectLink* third = CreateObjectLink(other);
    EXPECT_EQ(first->Ref, object);
    ResetObjectLinks(object);
    delete object;
    EXPECT_EQ(first->Ref, nullptr);
    EXPECT_EQ(second->Ref, nullptr);
    EXPECT_EQ(third->Ref, other);
    DestroyObjectLink(first);
    DestroyObjectLink(third);
    DestroyObjectLink(second);
    EXPECT_EQ(ObjectLinkCount(), before);
    delete other;
}

TEST(ObjectLinks, ALinkToAnyComponentReadsNilOnceTheComponentIsFreed) {
    int before = ObjectLinkCount();
    auto* owner = new TComponent(nullptr);
    auto* owned = new TComponent(owner);
    auto* kept = new TComponent(nullptr);
    TcxObjectLink* toOwned = CreateObjectLink(owned);
    TcxObjectLink* toOwner = CreateObjectLink(owner);
    TcxObjectLink* toKept = CreateObjectLink(kept);
    TcxObjectLink* dropped = CreateObjectLink(kept);
    DestroyObjectLink(dropped);  // the other link to it still follows the component
    FreeObject(owner);           // frees owned with it
    EXPECT_EQ(toOwned->Ref, nullptr);
    EXPECT_EQ(toOwner->Ref, nullptr);
    EXPECT_EQ(toKept->Ref, kept);
    FreeObject(kept);
    EXPECT_EQ(toKept->Ref, nullptr);
    for (TcxObjectLink* link : {toOwned, toOwner, toKept}) DestroyObjectLink(link);
    EXPECT_EQ(ObjectLinkCount(), before);
}

}  // namespace
