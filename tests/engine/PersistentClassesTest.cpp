// The tagged archive: golden bytes of every value form, the reader's acceptance and refusals,
// persistent objects and the persistent object list.

#include <gtest/gtest.h>

#include <memory>

#include "ArchiveFixtures.h"
#include "TestSupport.h"
#include "VectorLists.h"

namespace {

template <class F>
AnsiString ReadBack(const AnsiString& data, F&& read) {
    TStringStream stream(data);
    TBinaryReader reader(&stream);
    read(reader);
    return stream.ReadString(1 << 20);  // what the read left over
}

// ---- values ----------------------------------------------------------------------------------

TEST(BinaryArchive, IntegersTakeTheirSmallestForm) {
    struct Case {
        Integer value;
        AnsiString bytes;
    };
    const Case cases[] = {
        {0, Bytes({2, 0})},
        {127, Bytes({2, 0x7F})},
        {128, Bytes({3, 0x80, 0})},
        {-128, Bytes({2, 0x80})},
        {-129, Bytes({3, 0x7F, 0xFF})},
        {32767, Bytes({3, 0xFF, 0x7F})},
        {32768, Bytes({4, 0, 0x80, 0, 0})},
        {-32768, Bytes({3, 0, 0x80})},
        {-32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
        {-2147483647 - 1, Bytes({4, 0, 0, 0, 0x80})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        AnsiString written = Written([&](TBinaryWriter& w) { w.WriteInteger(c.value); });
        EXPECT_BYTES(written, c.bytes);
        Integer read = 0;
        EXPECT_EQ(ReadBack(written, [&](TBinaryReader& r) { read = r.ReadInteger(); }), "");
        EXPECT_EQ(read, c.value);
    }
}

TEST(BinaryArchive, ReaderAcceptsEveryIntegerFormWhateverTheValue) {
    Integer a = 0, b = 0, c = 0;
    ReadBack(Bytes({4, 5, 0, 0, 0, 3, 0xFB, 0xFF, 2, 0xFF}), [&](TBinaryReader& r) {
        a = r.ReadInteger();
        b = r.ReadInteger();
        c = r.ReadInteger();
    });
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, -5);
    EXPECT_EQ(c, -1);
}

TEST(BinaryArchive, StringsShortBelow256BytesLongFrom256) {
    AnsiString s255(255, 'a'), s256(256, 'b');
    EXPECT_BYTES(Written([](TBinaryWriter& w) { w.WriteString(""); }), Bytes({6, 0}));
    EXPECT_BYTES(Written([&](TBinaryWriter& w) { w.WriteString(s255); }), Bytes({6, 0xFF}) + s255);
    EXPECT_BYTES(Written([&](TBinaryWriter& w) { w.WriteString(s256); }), Bytes({12, 0, 1, 0, 0}) + s256);
    for (const AnsiString& s : {AnsiString(), s255, s256}) {
        AnsiString read;
        ReadBack(Written([&](TBinaryWriter& w) { w.WriteString(s); }),
                 [&](TBinaryReader& r) { read = r.ReadString(); });
        EXPECT_EQ(read, s);
    }
}

TEST(BinaryArchive, WideStringsAreWrittenAndReadAsAnsiText) {
    AnsiString written = Written([](TBinaryWriter& w) { w.WriteWideString(L"Ab"); });
    EXPECT_BYTES(written, Bytes({18, 2, 0, 0, 0, 'A', 0, 'b', 0}));
    AnsiString read;
    ReadBack(written, [&](TBinaryReader& r) { read = r.ReadString(); });
    EXPECT_EQ(read, "Ab");
    ReadBack(Bytes({20, 3, 0, 0, 0, 'x', 'y', 'z'}), [&](TBinaryReader& r) { read = r.ReadString(); });
    EXPECT_EQ(read, "xyz");
}

TEST(BinaryArchive, Utf8DecodingFollowsTheLeadByte) {
    struct Case {
        AnsiString bytes;
        String text;
    };
    const Case cases[] = {
        {"plain", L"plain"},
        {Bytes({0xC3, 0xA9}), L"\u00E9"},
        {Bytes({0xE2, 0x82, 0xAC}), L"\u20AC"},
        {Bytes({0xF0, 0x9F, 0x98, 0x80}), L"\xD83D\xDE00"},  // above FFFF: a surrogate pair
        {Bytes({'a', 0xE2, 0x82}), L"a\xFFFD"},              // truncated sequence
        {Bytes({0x80, 'b'}),
         L"\xFFFD"
         L"b"},                                                    // stray trailing byte
        {Bytes({0xFC, 0x84, 0x80, 0x80, 0x80, 0x80}), L"\xFFFD"},  // beyond U+10FFFF
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8(DecodeArchiveUTF8(c.bytes)), Utf8(c.text)) << HexDump(c.bytes);
}

TEST(BinaryArchive, BooleansFloatsAndListMarks) {
    AnsiString written = Written([](TBinaryWriter& w) {
        w.WriteBoolean(false);
        w.WriteBoolean(true);
        w.WriteFloat(1.0L);
        w.WriteListBegin();
        w.WriteListEnd();
    });
    EXPECT_BYTES(written, Bytes({8, 9, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F, 1, 0}));

    const Extended x = -1234.5678901234567L;
    Extended y = 0;
    bool atEnd = true;
    ReadBack(Written([&](TBinaryWriter& w) {
                 w.WriteFloat(x);
                 w.WriteListBegin();
                 w.WriteInteger(1);
                 w.WriteListEnd();
             }),
             [&](TBinaryReader& r) {
                 y = r.ReadFloat();
                 r.ReadListBegin();
                 atEnd = r.AtListEnd();
                 EXPECT_EQ(r.PeekValueTag(), atInt8);
                 EXPECT_EQ(r.ReadInteger(), 1);
                 EXPECT_TRUE(r.AtListEnd());
                 r.ReadListEnd();
             });
    EXPECT_EQ(y, x);  // all 64 bits of the significand survive
    EXPECT_FALSE(atEnd);
}

TEST(BinaryArchive, WrongTagIsAReadTypeErrorBeforeAnyPayload) {
    TStringStream stream(Bytes({6, 1, 'a'}));
    TBinaryReader reader(&stream);
    using Read = void (*)(TBinaryReader&);
    const Read reads[] = {
        [](TBinaryReader& r) { r.ReadInteger(); }, [](TBinaryReader& r) { r.ReadBoolean(); },
        [](TBinaryReader& r) { r.ReadFloat(); },   [](TBinaryReader& r) { r.ReadListBegin(); },
        [](TBinaryReader& r) { r.ReadListEnd(); },
    };
    for (Read read : reads) {
        stream.SetPosition(0);
        try {
            read(reader);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_EQ(Utf8(e.Message()), "TBinaryReader, read type error");
        }
        EXPECT_EQ(stream.Position(), 1);  // only the tag was consumed
    }
    stream.SetPosition(0);
    EXPECT_THROW(ReadBack(Bytes({2, 1}), [](TBinaryReader& r) { r.ReadString(); }), EReadError);
}

// Counts and lengths come from the data: they must not drive reads or allocations past it.
TEST(BinaryArchive, TruncatedOrOversizedValuesAreRefused) {
    const AnsiString bad[] = {
        Bytes({}),                                 // nothing at all
        Bytes({4, 1, 0}),                          // integer cut short
        Bytes({5, 0, 0, 0}),                       // float cut short
        Bytes({6, 5, 'a', 'b'}),                   // short string cut short
        Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),  // 2 GB long string
        Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF}),       // negative length
        Bytes({18, 0, 0, 0, 0x40, 'a', 0}),        // 1 G characters
        Bytes({18, 2, 0, 0, 0, 'a', 0, 'b'}),      // odd byte cut off
        Bytes({20, 9, 0, 0, 0, 'a'}),              // UTF-8 cut short
    };
    for (const AnsiString& data : bad) {
        SCOPED_TRACE(HexDump(data));
        Byte tag = data.empty() ? 0 : Byte(data[0]);
        EXPECT_THROW(ReadBack(data,
                              [&](TBinaryReader& r) {
                                  if (tag == atInt32)
                                      r.ReadInteger();
                                  else if (tag == atExtended)
                                      r.ReadFloat();
                                  else
                                      r.ReadString();
                              }),
                     EReadError);
    }
    EXPECT_THROW(ReadBack("", [](TBinaryReader& r) { r.AtListEnd(); }), EReadError);
}

// ---- persistent objects ----------------------------------------------------------------------

TEST(PersistentObject, SavesAndLoadsThroughStringsStreamsAndFiles) {
    TArchiveRecord a("first", 70000);
    AnsiString data = a.SaveToString();
    EXPECT_BYTES(data, Bytes({2, 1, 6, 5, 'f', 'i', 'r', 's', 't', 4, 0x70, 0x11, 1, 0}));

    TArchiveRecord b;
    b.LoadFromString(data);
    EXPECT_EQ(b.Name(), "first");
    EXPECT_EQ(b.Number(), 70000);

    TStringStream stream(data);
    TBinaryReader reader(&stream);
    std::unique_ptr<TPersistentObject> created(
        TPersistentObject::CreateFromArchive(TOtherRecord::StaticClass(), &reader));
    EXPECT_EQ(created->ClassType(), TOtherRecord::StaticClass());
    EXPECT_EQ(static_cast<TArchiveRecord*>(created.get())->Number(), 70000);

    TTempFolder folder;
    a.SetNumber(-3);
    a.SaveToFile(folder.File(L"record.bin"));
    TArchiveRecord c;
    c.LoadFromFile(folder.File(L"record.bin"));
    EXPECT_EQ(c.Number(), -3);
    EXPECT_THROW(c.LoadFromFile(folder.File(L"missing.bin")), Exception);
}

TEST(PersistentObject, SignatureIsWrittenRawAndChecked) {
    TSignedRecord a("s", 1);
    AnsiString data = a.SaveToString();
    EXPECT_EQ(data.substr(0, 4), "ZRC1");
    TSignedRecord b;
    b.LoadFromString(data);
    EXPECT_EQ(b.Name(), "s");
    for (const AnsiString& wrong : {AnsiString("ZRC2") + data.substr(4), AnsiString("ZR")}) {
        try {
            b.LoadFromString(wrong);
            ADD_FAILURE() << "accepted " << wrong;
        } catch (const EInvalidFileSignature& e) {
            EXPECT_EQ(Utf8(e.Message()), "Invalid file signature");
        }
    }
}

TEST(PersistentObject, AssignIsADeepCopyOnlyBetweenObjectsOfOneClass) {
    TArchiveRecord a("original", 5);
    TArchiveRecord b;
    b.Assign(&a);
    a.SetNumber(6);
    EXPECT_EQ(b.Name(), "original");
    EXPECT_EQ(b.Number(), 5);

    std::unique_ptr<TPersistentObject> copy(a.Duplicate());
    EXPECT_EQ(copy->ClassType(), TArchiveRecord::StaticClass());
    EXPECT_EQ(static_cast<TArchiveRecord*>(copy.get())->Number(), 6);

    TOtherRecord other("other", 1);
    EXPECT_THROW(b.Assign(&other), EConvertError);
    EXPECT_THROW(other.Assign(&a), EConvertError);
}

TEST(PersistentObject, UnknownVersionNamesTheClass) {
    TArchiveRecord a;
    try {
        a.LoadFromString(Bytes({2, 3}));
        ADD_FAILURE();
    } catch (const EFilerException& e) {
        EXPECT_EQ(Utf8(e.Message()), "TArchiveRecord : unknown archive version 3");
    }
    try {
        RaiseArchiveVersionErrorFor(TSingleList::StaticClass(), -2);
    } catch (const EFilerException& e) {
        EXPECT_EQ(Utf8(e.Message()), "TSingleList : unknown archive version -2");
    }
}

// ---- the persistent object list --------------------------------------------------------------

class PersistentObjectListTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterArchiveRecords();
        TArchiveRecord::readOrder.clear();
        liveBefore_ = TArchiveRecord::live;
    }
    void TearDown() override {
        list.Clean();
        EXPECT_EQ(TArchiveRecord::live, liveBefore_) << "records leaked or freed twice";
    }
    TPersistentObjectList list;

private:
    int liveBefore_ = 0;
};

TEST_F(PersistentObjectListTest, EmptyListArchive) {
    EXPECT_BYTES(list.SaveToString(), Bytes({2, 0, 1, 0}));
    list.Add(new TArchiveRecord("old", 1));
    list.Add(nullptr);
    list.LoadFromString(Bytes({2, 0, 1, 0}));  // frees the old record
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(PersistentObjectListTest, TwoSingleListsAndANil) {
    list.Add(new TSingleList);
    list.Add(new TSingleList);
    list.Add(nullptr);
    const AnsiString emptySingles = Bytes({2, 0, 2, 0, 2, 4});
    EXPECT_BYTES(list.SaveToString(), Bytes({2, 0, 1, 6, 11}) + "TSingleList" + emptySingles + Bytes({2, 0}) +
                                          emptySingles + Bytes({8, 2, 0, 0}));

    static_cast<TSingleList*>(list[0])->Add(2.5f);
    TPersistentObjectList copy;
    copy.LoadFromString(list.SaveToString());
    ASSERT_EQ(copy.Count(), 3);
    ASSERT_EQ(copy[0]->ClassType(), TSingleList::StaticClass());
    EXPECT_EQ(static_cast<TSingleList*>(copy[0])->GetItem(0), 2.5f);
    EXPECT_EQ(static_cast<TSingleList*>(copy[1])->Count(), 0);
    EXPECT_EQ(copy[2], nullptr);
    copy.Clean();
}

TEST_F(PersistentObjectListTest, MixedClassesRoundTripWithTheClassTable) {
    list.Add(new TArchiveRecord("a", 1));
    list.Add(new TOtherRecord("b", 2));
    list.Add(nullptr);
    list.Add(new TArchiveRecord("c", 3));
    list.Add(new TOtherRecord("d", 4));
    AnsiString data = list.SaveToString();
    // Each class name once; later items of a class by position.
    EXPECT_EQ(data.find("TArchiveRecord"), data.rfind("TArchiveRecord"));
    EXPECT_NE(data.find(Bytes({2, 0, 2, 1, 6, 1, 'c'})), AnsiString::npos);
    EXPECT_NE(data.find(Bytes({2, 1, 2, 1, 6, 1, 'd'})), AnsiString::npos);

    TPersistentObjectList copy;
    copy.LoadFromString(data);
    ASSERT_EQ(copy.Count(), 5);
    const char* names[] = {"a", "b", nullptr, "c", "d"};
    const TClass classes[] = {TArchiveRecord::StaticClass(), TOtherRecord::StaticClass(), nullptr,
                              TArchiveRecord::StaticClass(), TOtherRecord::StaticClass()};
    for (int i = 0; i < 5; ++i) {
        if (!names[i]) {
            EXPECT_EQ(copy[i], nullptr);
            continue;
        }
        EXPECT_EQ(copy[i]->ClassType(), classes[i]);
        EXPECT_EQ(static_cast<TArchiveRecord*>(copy[i])->Name(), names[i]);
    }
    copy.Clean();
}

TEST_F(PersistentObjectListTest, ItemCreatedHookRunsBeforeTheItemReadsItself) {
    list.Add(new TArchiveRecord("x", 1));
    list.Add(new TArchiveRecord("y", 2));
    AnsiString data = list.SaveToString();
    TArchiveRecord::readOrder.clear();
    TStringStream stream(data);
    TBinaryReader reader(&stream);
    TPersistentObjectList copy;
    copy.ReadItemsFromArchive(&reader, TPersistentObjectCreatedEvent(+[](TObject* item) {
        TArchiveRecord::readOrder.push_back("created " + std::to_string(static_cast<TArchiveRecord*>(item)->Number()));
    }));
    EXPECT_EQ(TArchiveRecord::readOrder, (std::vector<std::string>{"created 0", "read x", "created 0", "read y"}));
    copy.Clean();
}

TEST_F(PersistentObjectListTest, RefusalsKeepTheItemsReadBefore) {
    list.Add(new TArchiveRecord("kept", 1));
    const AnsiString good = list.SaveToString();
    const AnsiString head = good.substr(0, good.size() - 1);  // without the closing 00
    struct Case {
        const char* what;
        AnsiString data;
        const char* message;
    };
    const Case cases[] = {
        {"version", Bytes({2, 1, 1, 0}), "TPersistentObjectList : unknown archive version 1"},
        {"broken tag", head + Bytes({5}), "Broken ObjectList archive"},
        {"unknown class", head + Bytes({6, 3, 'T', 'Z', 'Z'}), "Class TZZ not found"},
        {"class position", head + Bytes({2, 1}), "List index out of bounds (1)"},
        {"not persistent", head + Bytes({6, 7}) + "TObject", nullptr},
        {"truncated item", head + Bytes({2, 0, 2, 1, 6, 9, 'x'}), nullptr},
        {"no end", head, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPersistentObjectList copy;
        try {
            copy.LoadFromString(c.data);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            if (c.message) {
                EXPECT_EQ(Utf8(e.Message()), c.message);
            }
        }
        if (c.data != Bytes({2, 1, 1, 0})) {
            ASSERT_EQ(copy.Count(), 1);
            EXPECT_EQ(static_cast<TArchiveRecord*>(copy[0])->Name(), "kept");
        }
        copy.Clean();
    }
}

TEST_F(PersistentObjectListTest, ReferencesOfOtherObjectsAreNotReadBack) {
    TObject plain;
    list.Add(&plain);
    TPersistentObjectList copy;
    copy.LoadFromString(list.SaveToString());
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy[0], nullptr);
    list.Clear();
}

TEST_F(PersistentObjectListTest, GrowthInsertDeleteAndFreeing) {
    for (int i = 0; i < 17; ++i) list.Add(nullptr);
    EXPECT_EQ(list.Capacity(), 32);
    list.Clear();
    EXPECT_EQ(list.Capacity(), 0);

    auto* a = new TArchiveRecord("a", 1);
    auto* b = new TArchiveRecord("b", 2);
    auto* c = new TArchiveRecord("c", 3);
    list.Add(a);
    list.Add(c);
    list.Insert(1, b);
    EXPECT_EQ(list.IndexOf(b), 1);
    EXPECT_EQ(list.Remove(a), 0);
    EXPECT_EQ(list.Remove(a), -1);
    EXPECT_EQ(list[0], b);
    list.SetCount(4);
    EXPECT_EQ(list[3], nullptr);
    list.SetCapacity(1);  // below the count: the count follows
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Pop(), b);
    EXPECT_EQ(list.Pop(), nullptr);
    delete a;
    delete b;

    int live = TArchiveRecord::live;
    list.Add(c);
    list.Clear();  // does not free
    EXPECT_EQ(TArchiveRecord::live, live);
    list.Add(c);
    list.Add(nullptr);
    list.Clean();  // frees c, skips the null
    EXPECT_EQ(TArchiveRecord::live, live - 1);
    auto* owned = new TPersistentObjectList;
    owned->Add(new TArchiveRecord("z", 0));
    TPersistentObjectList::CleanFree(owned);
    EXPECT_EQ(owned, nullptr);
}

}  // namespace
