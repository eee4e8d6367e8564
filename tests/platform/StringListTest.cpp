#include <gtest/gtest.h>

#include <cstring>

#include "Streams.h"
#include "StringList.h"
#include "TestSupport.h"

namespace {

using V = std::vector<String>;

TEST(StringList, IndexOfIgnoresCaseUnlessCaseSensitive) {
    TStringList list;
    list.AddStrings({L"Alpha", L"beta", L"Гамма"});
    EXPECT_EQ(list.IndexOf(L"ALPHA"), 0);
    EXPECT_EQ(list.IndexOf(L"Beta"), 1);
    EXPECT_EQ(list.IndexOf(L"гАММА"), 2);
    EXPECT_EQ(list.IndexOf(L"delta"), -1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(L"ALPHA"), -1);
    EXPECT_EQ(list.IndexOf(L"Alpha"), 0);
}

TEST(StringList, EditingKeepsObjects) {
    TStringList list;
    TObject one, two;
    list.AddObject(L"one", &one);
    list.AddObject(L"two", &two);
    list.Insert(0, L"zero");
    EXPECT_EQ(Lines(list), (V{L"zero", L"one", L"two"}));
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (V{L"one", L"two", L"zero"}));
    list.Exchange(0, 1);
    EXPECT_EQ(list.Objects(0), &two);
    EXPECT_EQ(list.Objects(1), &one);
    list.Put(0, L"TWO");
    EXPECT_EQ(list.Objects(0), &two);
    EXPECT_EQ(list.IndexOfObject(&one), 1);
    list.Delete(1);
    EXPECT_EQ(Lines(list), (V{L"TWO", L"zero"}));
    try {
        list.Get(2);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(Utf8(e.Message()), "List index out of bounds (2)");
    }
    EXPECT_THROW(list.Insert(3, L"x"), EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    EXPECT_THROW(list.Move(0, 2), EStringListError);
    EXPECT_EQ(Lines(list), (V{L"TWO", L"zero"}));
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    list.SetText(L"Width=10\r\nheight=20\r\nplain\r\nEmpty=\r\nURL=a=b");
    EXPECT_EQ(list.Values(L"WIDTH"), L"10");
    EXPECT_EQ(list.Values(L"Height"), L"20");
    EXPECT_EQ(list.Values(L"plain"), L"");  // no separator: not a name
    EXPECT_EQ(list.IndexOfName(L"plain"), -1);
    EXPECT_EQ(list.IndexOfName(L"empty"), 3);
    EXPECT_EQ(list.Values(L"url"), L"a=b");  // the first separator splits
    EXPECT_EQ(list.Names(4), L"URL");
    EXPECT_EQ(list.ValueFromIndex(2), L"");
    list.SetValue(L"width", L"11");
    EXPECT_EQ(list[0], L"width=11");  // the line takes the name as given
    list.SetValue(L"Depth", L"5");
    EXPECT_EQ(list[5], L"Depth=5");
    list.SetValue(L"HEIGHT", L"");  // an empty value removes the pair
    EXPECT_EQ(list.IndexOfName(L"height"), -1);
    EXPECT_EQ(list.Count(), 5);
    list.SetValue(L"missing", L"");
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringList, TextJoinsWithCrLfAndSplitsAtEveryLineEnd) {
    struct Case {
        const wchar_t* text;
        V lines;
    } cases[] = {
        {L"a\r\nb\r\nc", {L"a", L"b", L"c"}},
        {L"a\rb\nc", {L"a", L"b", L"c"}},
        {L"a\n\nb", {L"a", L"", L"b"}},
        {L"a\r\n", {L"a"}},  // a final line end adds no empty line
        {L"\r\n", {L""}},
        {L"\n\r", {L"", L""}},  // LF then CR are two line ends
        {L"", {}},
        {L" x \r\n\ty", {L" x ", L"\ty"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << Utf8(c.text);
    }
    TStringList list;
    list.AddStrings({L"a", L"", L"c"});
    EXPECT_EQ(list.Text(), L"a\r\n\r\nc\r\n");
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
    struct Case {
        V lines;
        const wchar_t* text;
    } cases[] = {
        {{L"a", L"b", L"c"}, L"a,b,c"},
        {{L"two words", L"x"}, L"\"two words\",x"},
        {{L"a,b"}, L"\"a,b\""},
        {{L"say \"hi\""}, L"\"say \"\"hi\"\"\""},
        {{L""}, L"\"\""},
        {{L"a", L"", L"b"}, L"a,,b"},
        {{L"tab\there"}, L"\"tab\there\""},
        {{}, L""},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const String& s : c.lines) list.Add(s);
        EXPECT_EQ(Utf8(list.CommaText()), Utf8(c.text));
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Lines(back), c.lines) << Utf8(c.text);
    }
}

TEST(StringList, CommaTextSplitsAtBlanksAndCommas) {
    struct Case {
        const wchar_t* text;
        V lines;
    } cases[] = {
        {L"a b,c", {L"a", L"b", L"c"}},
        {L"  a   b  ", {L"a", L"b"}},  // runs of blanks are one separator
        {L"a , b", {L"a", L"b"}},
        {L"a,,b", {L"a", L"", L"b"}},  // empty only between commas
        {L"a,", {L"a", L""}},
        {L"\"x y\" z", {L"x y", L"z"}},
        {L"\"a,b\",c", {L"a,b", L"c"}},
        {L"\"un\"\"quote\"", {L"un\"quote"}},
        {L"\"open ended", {L"open ended"}},
        {L"10 -2.5 \"Bone 1\"", {L"10", L"-2.5", L"Bone 1"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetCommaText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << Utf8(c.text);
    }
}

TEST(StringList, DelimitedTextWithOtherDelimiterAndStrict) {
    TStringList list;
    list.SetDelimiter(L';');
    list.SetQuoteChar(L'\'');
    list.SetDelimitedText(L"a b;'c;d';e");
    EXPECT_EQ(Lines(list), (V{L"a", L"b", L"c;d", L"e"}));
    list.SetStrictDelimiter(true);
    list.SetDelimitedText(L"a b;c");
    EXPECT_EQ(Lines(list), (V{L"a b", L"c"}));
    EXPECT_EQ(list.DelimitedText(), L"a b;c");
    EXPECT_EQ(list.CommaText(), L"\"a b\",c");  // comma text keeps its own rules
}

TEST(StringList, SortedInsertFindAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    for (const wchar_t* s : {L"pear", L"Apple", L"fig", L"apple"}) list.Add(s);
    EXPECT_EQ(Lines(list), (V{L"Apple", L"fig", L"pear"}));  // dupIgnore, case-insensitive
    EXPECT_EQ(list.Add(L"FIG"), 1);
    Integer index;
    EXPECT_TRUE(list.Find(L"PEAR", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find(L"banana", index));
    EXPECT_EQ(index, 1);
    EXPECT_THROW(list.Insert(0, L"x"), EStringListError);
    EXPECT_THROW(list.Put(0, L"x"), EStringListError);
    EXPECT_THROW(list.Move(0, 2), EStringListError);
    EXPECT_EQ(Lines(list), (V{L"Apple", L"fig", L"pear"}));  // nothing lost

    list.SetDuplicates(dupError);
    try {
        list.Add(L"pear");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(Utf8(e.Message()), "String list does not allow duplicates");
    }
    list.SetDuplicates(dupAccept);
    list.Add(L"pear");
    EXPECT_EQ(list.Count(), 4);

    TStringList unsorted;
    unsorted.AddStrings({L"c", L"b", L"a"});
    unsorted.SetSorted(true);
    EXPECT_EQ(Lines(unsorted), (V{L"a", L"b", L"c"}));
    unsorted.CustomSort([](TStringList* l, Integer i1, Integer i2) { return -CompareStr(l->Get(i1), l->Get(i2)); });
    EXPECT_EQ(Lines(unsorted), (V{L"c", L"b", L"a"}));
}

class TChangeCounter : public TObject {
public:
    void Changing(TObject*) { ++changing; }
    void Changed(TObject*) { ++changed; }
    int changing = 0, changed = 0;
};

TEST(StringList, ChangeEventsFireOnceInsideAnUpdate) {
    TStringList list;
    TChangeCounter counter;
    list.OnChanging = MakeEvent(&counter, &TChangeCounter::Changing);
    list.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    list.Add(L"a");
    EXPECT_EQ(counter.changing, 1);
    EXPECT_EQ(counter.changed, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(L"b");
    list.Delete(0);
    list.SetText(L"x\ny\nz");
    list.EndUpdate();
    EXPECT_EQ(counter.changed, 1);
    list.EndUpdate();
    EXPECT_EQ(counter.changing, 2);
    EXPECT_EQ(counter.changed, 2);
    list.SetCommaText(L"p,q");  // one change for the whole text
    EXPECT_EQ(counter.changed, 3);
    EXPECT_THROW(list.EndUpdate(), EAssertionFailed);
}

TEST(StringList, FilesInAnsiOrUtf16AndBomsOnLoad) {
    TTempFolder temp;
    TStringList list;
    list.AddStrings({L"one", L"two"});
    list.SaveToFile(temp.File(L"plain.txt"));
    TBytes plain = FileBytes(temp.File(L"plain.txt"));
    EXPECT_EQ(std::string(plain.begin(), plain.end()), "one\r\ntwo\r\n");

    // Characters the ANSI code page lacks go out as UTF-16 with a byte-order mark.
    list.Add(L"\u4E2D\u6587 \u263A");
    list.SaveToFile(temp.File(L"wide.txt"));
    TBytes wide = FileBytes(temp.File(L"wide.txt"));
    ASSERT_GE(wide.size(), 2u);
    EXPECT_EQ(wide[0], 0xFF);
    EXPECT_EQ(wide[1], 0xFE);
    TStringList back;
    back.LoadFromFile(temp.File(L"wide.txt"));
    EXPECT_EQ(Lines(back), Lines(list));

    TStringStream utf8("\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\nb");
    back.LoadFromStream(&utf8);
    EXPECT_EQ(Lines(back), (V{L"Жук", L"b"}));
    TStringStream bigEndian(std::string("\xFE\xFF\x04\x16\x00\r\x00\n\x00x", 10));
    back.LoadFromStream(&bigEndian);
    EXPECT_EQ(Lines(back), (V{L"Ж", L"x"}));
    TStringStream ansi("a\rb");
    back.LoadFromStream(&ansi);
    EXPECT_EQ(Lines(back), (V{L"a", L"b"}));
    EXPECT_THROW(back.LoadFromFile(temp.File(L"none.txt")), EFOpenError);
}

TEST(StringList, AssignAndAddStrings) {
    TStringList source, target;
    TObject tag;
    source.AddObject(L"k=v", &tag);
    source.Add(L"second");
    target.Add(L"old");
    target.Assign(&source);
    EXPECT_EQ(Lines(target), Lines(source));
    EXPECT_EQ(target.Objects(0), &tag);
    target.AddStrings(&source);
    EXPECT_EQ(target.Count(), 4);
    TPersistent other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
    EXPECT_TRUE(source.Equals(&source));
    EXPECT_FALSE(source.Equals(&target));
}

}  // namespace
