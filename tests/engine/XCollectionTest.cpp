// The polymorphic item collection: its stream with the class table, acceptance of item classes,
// ownership of the items, names and copies.

#include <gtest/gtest.h>

#include <memory>

#include "Component.h"
#include "Filer.h"
#include "FormDescription.h"
#include "TestSupport.h"
#include "XCollection.h"

namespace {

int liveItems = 0;

class TItemA : public TXCollectionItem {
    Z_CLASS(TItemA, TXCollectionItem)
public:
    explicit TItemA(TXCollection* owner) : TXCollectionItem(owner) { ++liveItems; }
    ~TItemA() override { --liveItems; }
    static String ClassCaption() { return L"Item A"; }
};

class TItemB : public TItemA {
    Z_CLASS(TItemB, TItemA)
public:
    using TItemA::TItemA;
    static String ClassCaption() { return L"Item B"; }
    static String ClassDescription() { return L"The second kind"; }
};

class TUniqueItem : public TItemA {
    Z_CLASS(TUniqueItem, TItemA)
public:
    using TItemA::TItemA;
    static bool IsUnique() { return true; }
};

class TDerivedUnique : public TUniqueItem {
    Z_CLASS(TDerivedUnique, TUniqueItem)
public:
    using TUniqueItem::TUniqueItem;
};

// Refuses every collection.
class TShyItem : public TItemA {
    Z_CLASS(TShyItem, TItemA)
public:
    using TItemA::TItemA;
    static bool CanAddTo(TXCollection*) { return false; }
};

class TOtherCollection : public TXCollection {
    Z_CLASS(TOtherCollection, TXCollection)
public:
    using TXCollection::TXCollection;
};

class XCollectionTest : public testing::Test {
protected:
    void SetUp() override {
        for (TXCollectionItemClass c : {TItemA::StaticClass(), TItemB::StaticClass(), TUniqueItem::StaticClass()})
            RegisterXCollectionItemClass(c);
        liveBefore_ = liveItems;
    }
    void TearDown() override {
        for (TXCollectionItemClass c : {TItemA::StaticClass(), TItemB::StaticClass(), TUniqueItem::StaticClass()})
            UnregisterXCollectionItemClass(c);
        EXPECT_EQ(liveItems, liveBefore_) << "items leaked or freed twice";
    }
    template <class C>
    C* Add(TXCollection& collection, const String& name) {
        auto* item = static_cast<C*>(C::StaticClass()->CreateItem(&collection));
        item->SetName(name);
        return item;
    }

private:
    int liveBefore_ = 0;
};

AnsiString WrittenValues(TXCollection& collection) {
    TMemoryStream stream;
    {
        TWriter writer(&stream);
        collection.WriteToWriter(&writer);
    }
    return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

TEST_F(XCollectionTest, StreamNamesEachClassOnceThenByPosition) {
    TXCollection collection(nullptr);
    Add<TItemA>(collection, L"first");
    Add<TItemB>(collection, L"second");
    Add<TItemA>(collection, L"third");
    AnsiString text = WrittenValues(collection);

    TStringStream stream(text);
    TReader reader(&stream);
    EXPECT_EQ(reader.ReadInteger(), 3);
    EXPECT_EQ(reader.NextValue(), vaString);
    EXPECT_EQ(reader.ReadString(), L"TItemA");
    EXPECT_EQ(reader.ReadInteger(), 0);  // the item's version
    EXPECT_EQ(reader.ReadString(), L"first");
    EXPECT_EQ(reader.ReadString(), L"TItemB");
    EXPECT_EQ(reader.ReadInteger(), 0);
    EXPECT_EQ(reader.ReadString(), L"second");
    EXPECT_EQ(reader.NextValue(), vaInt);
    EXPECT_EQ(reader.ReadInteger(), 0);  // class position of TItemA
    EXPECT_EQ(reader.ReadInteger(), 0);
    EXPECT_EQ(reader.ReadString(), L"third");
    EXPECT_EQ(reader.NextValue(), vaNull);

    TXCollection copy(nullptr);
    Add<TItemB>(copy, L"replaced");
    TStringStream again(text);
    TReader reader2(&again);
    copy.ReadFromReader(&reader2);
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy[0]->ClassType(), TItemA::StaticClass());
    EXPECT_EQ(copy[1]->ClassType(), TItemB::StaticClass());
    EXPECT_EQ(copy[2]->ClassType(), TItemA::StaticClass());
    EXPECT_EQ(copy[2]->Name(), L"third");
}

TEST_F(XCollectionTest, ReadingRefusesUnknownClassesAndKeepsWhatCameBefore) {
    TXCollection collection(nullptr);
    Add<TItemA>(collection, L"kept");
    AnsiString good = WrittenValues(collection);
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"2 'TItemA' 0 'kept' 'TNope' 0 'x'", "Class TNope unknown. Add the relevant unit to your \"uses\"."},
        {"2 'TItemA' 0 'kept' 5 0 'x'", "List index out of bounds (5)"},
        {"2 'TItemA' 0 'kept' 'TItemA' 1 'x'", "unknown item archive version 1"},
        {"2 'TItemA' 0 'kept' 'TItemA' 0", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TXCollection copy(nullptr);
        TStringStream stream(c.text);
        TReader reader(&stream);
        try {
            copy.ReadFromReader(&reader);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            if (c.message) {
                EXPECT_NE(e.Message().find(String(c.message, c.message + strlen(c.message))), String::npos)
                    << Utf8(e.Message());
            }
        }
        ASSERT_EQ(copy.Count(), 1);
        EXPECT_EQ(copy[0]->Name(), L"kept");
    }
}

TEST_F(XCollectionTest, UniqueClassesAndVetoes) {
    TXCollection collection(nullptr);
    EXPECT_TRUE(collection.AcceptsItemClass(TUniqueItem::StaticClass()));
    Add<TUniqueItem>(collection, L"one");
    EXPECT_FALSE(collection.AcceptsItemClass(TUniqueItem::StaticClass()));
    EXPECT_FALSE(collection.AcceptsItemClass(TDerivedUnique::StaticClass()));  // derives from a present unique
    EXPECT_TRUE(collection.AcceptsItemClass(TItemA::StaticClass()));           // its ancestor is not unique
    try {
        TUniqueItem::StaticClass()->CreateItem(&collection);
        ADD_FAILURE();
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(e.Message().find(L"Addition of TUniqueItem to TXCollection rejected."), String::npos);
    }
    EXPECT_EQ(collection.Count(), 1);

    TXCollection other(nullptr);
    Add<TDerivedUnique>(other, L"derived");
    EXPECT_FALSE(other.AcceptsItemClass(TUniqueItem::StaticClass()));  // a descendant of it is present
    EXPECT_FALSE(other.AcceptsItemClass(TShyItem::StaticClass()));
    EXPECT_THROW(TShyItem::StaticClass()->CreateItem(&other), EAssertionFailed);
    EXPECT_EQ(other.Count(), 1);
}

TEST_F(XCollectionTest, ItemsBelongToTheirCollection) {
    auto collection = std::make_unique<TXCollection>(nullptr);
    TItemA* a = Add<TItemA>(*collection, L"a");
    TItemB* b = Add<TItemB>(*collection, L"b");
    Add<TItemA>(*collection, L"c");
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(b->Owner(), collection.get());
    delete a;  // leaves the list
    EXPECT_EQ(collection->Count(), 2);
    EXPECT_EQ(b->Index(), 0);
    EXPECT_THROW(collection->GetItem(2), EListError);

    TXCollection* destroyed = nullptr;
    struct Watch {
        TXCollection** seen;
        void Destroyed(TXCollection* c) { *seen = c; }
    } watch{&destroyed};
    XCollectionDestroyed = MakeEvent(&watch, &Watch::Destroyed);
    TXCollection* raw = collection.get();
    collection.reset();  // frees the items too
    XCollectionDestroyed = nullptr;
    EXPECT_EQ(destroyed, raw);

    TItemA loose(nullptr);
    EXPECT_EQ(loose.Index(), -1);
    EXPECT_EQ(loose.Owner(), nullptr);
}

TEST_F(XCollectionTest, CaptionsNamesAndPaths) {
    TComponent cube(nullptr);
    cube.SetName(L"Cube1");
    TXCollection behaviours(&cube);
    TItemB* item = static_cast<TItemB*>(TItemB::StaticClass()->CreateItem(&behaviours));
    EXPECT_EQ(item->Name(), L"Item B");  // named after the class caption
    EXPECT_EQ(TItemB::StaticClass()->ClassDescription(), L"The second kind");
    EXPECT_EQ(TItemA::StaticClass()->ClassDescription(), L"Item A");  // defaults to the caption
    TItemA::StaticClass()->CreateItem(&behaviours);
    EXPECT_EQ(behaviours.GetNamePath(), L"Cube1.XCollection");
    EXPECT_EQ(behaviours[1]->GetNamePath(), L"Cube1.XCollection[1]");
    TXCollection loose(nullptr);
    EXPECT_EQ(loose.GetNamePath(), L"TXCollection");
}

TEST_F(XCollectionTest, AssignCopiesItemsOfTheSameClasses) {
    TXCollection source(nullptr);
    Add<TItemB>(source, L"x");
    Add<TItemA>(source, L"y");
    TXCollection copy(nullptr);
    Add<TItemA>(copy, L"old");
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy[0]->ClassType(), TItemB::StaticClass());
    EXPECT_EQ(copy[0]->Name(), L"x");
    EXPECT_EQ(copy[1]->Name(), L"y");
    EXPECT_NE(copy[0], source[0]);
    TOtherCollection other(nullptr);
    EXPECT_THROW(other.Assign(&source), EConvertError);
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Count(), 0);
}

// A scene object's stand-in: its behaviours are stored as the values of a binary property.
class TBehaviourHolder : public TComponent {
    Z_CLASS(TBehaviourHolder, TComponent)
public:
    explicit TBehaviourHolder(TComponent* owner) : TComponent(owner) {}
    TXCollection behaviours{this};

protected:
    void DefineProperties(TFiler* filer) override {
        inherited::DefineProperties(filer);
        filer->DefineBinaryProperty(
            L"BehavioursData",
            [this](TStream* stream) {
                TReader reader(stream);
                behaviours.ReadFromReader(&reader);
            },
            [this](TStream* stream) {
                TWriter writer(stream);
                behaviours.WriteToWriter(&writer);
            },
            true);
    }
};

TEST_F(XCollectionTest, EmptyAndFullListsRoundTripThroughAFormDescription) {
    RegisterClass(TBehaviourHolder::StaticClass());
    TBehaviourHolder holder(nullptr);
    holder.SetName(L"Cube1");
    AnsiString text = WriteComponentToText(&holder);
    TBehaviourHolder copy(nullptr);
    Add<TItemA>(copy.behaviours, L"gone");
    ReadComponentFromText(text, &copy);
    EXPECT_EQ(copy.behaviours.Count(), 0) << text;

    Add<TItemA>(holder.behaviours, L"spin");
    Add<TItemA>(holder.behaviours, L"bob");
    text = WriteComponentToText(&holder);
    ReadComponentFromText(text, &copy);
    ASSERT_EQ(copy.behaviours.Count(), 2) << text;
    EXPECT_EQ(copy.behaviours[1]->Name(), L"bob");
}

}  // namespace
