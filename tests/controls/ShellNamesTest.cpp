// Typed names of the open and save dialogs: resolving against a folder, splitting, validation,
// extensions and the decisions asked of the user; the places bar's policy; the dialog's
// form-state record. Mutation loops feed broken input to the name handling and the record reader.

#include <gtest/gtest.h>

#include <random>

#include "Registry.h"
#include "RzShellDialogs.h"
#include "RzShellNames.h"
#include "RzShellPlaces.h"
#include "ShellTestTree.h"
#include "Streams.h"
#include "SysUtils.h"
#include "TestSupport.h"

namespace {

TEST(ShellNames, ClassifyAndCombineResolveAgainstTheFolderAndStopAtTheRoot) {
    struct {
        const wchar_t *folder, *typed, *expected;
    } cases[] = {
        {L"C:\\a\\b", L"..\\x", L"C:\\a\\x"},
        {L"C:\\a\\b\\", L"..\\x", L"C:\\a\\x"},
        {L"C:\\a\\b", L"\\x", L"C:\\x"},
        {L"C:\\a\\b", L"D:", L"D:\\"},
        {L"C:\\a\\b", L"D:\\y\\z.level", L"D:\\y\\z.level"},
        {L"C:\\a\\b", L"\\\\server\\share\\f", L"\\\\server\\share\\f"},
        {L"C:\\a\\b", L"x", L"C:\\a\\b\\x"},
        {L"C:\\a\\b", L"...\\x", L"C:\\x"},          // three dots: two levels up
        {L"C:\\a\\b", L"....\\..\\x", L"C:\\x"},     // never above the drive
        {L"C:\\a\\b", L"..", L"C:\\a"},
        {L"C:\\a", L"..", L"C:\\"},                  // the drive alone is its root
        {L"C:\\", L"x.level", L"C:\\x.level"},
        {L"C:\\a\\b", L"sub\\\\x", L"C:\\a\\b\\sub\\x"},  // an empty part adds nothing
        {L"\\\\srv\\share\\a\\b", L"....\\x", L"\\\\srv\\share\\x"},  // nor above the share
        {L"\\\\srv\\share\\a", L"\\x", L"\\\\srv\\share\\x"},
        {L"", L"\\x", L"\\x"},
        {L"C:\\a", L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(CombinePath(c.folder, c.typed), c.expected) << c.folder << L" + " << c.typed;

    EXPECT_EQ(ClassifyPath(L""), pkEmpty);
    EXPECT_EQ(ClassifyPath(L"x"), pkRelative);
    EXPECT_EQ(ClassifyPath(L"\\x"), pkRootRelative);
    EXPECT_EQ(ClassifyPath(L"\\\\"), pkRootRelative);  // two backslashes alone are no UNC name
    EXPECT_EQ(ClassifyPath(L"\\\\s"), pkUNC);
    EXPECT_EQ(ClassifyPath(L"D:"), pkDriveBased);

    // Long names are built whole: nothing is cut at a buffer size.
    const String longName(700, L'n');
    EXPECT_EQ(CombinePath(L"C:\\a", longName), L"C:\\a\\" + longName);
}

TEST(ShellNames, SplitValidateAndSeeWildcards) {
    using V = std::vector<String>;
    struct {
        const wchar_t* text;
        V names;
    } splits[] = {
        {L"a b", V{L"a b"}},
        {L"\"a\" \"b\"", V{L"a", L"b"}},
        {L"  \"a b\"\t\"c\"  ", V{L"a b", L"c"}},
        {L"x\"y\"", V{L"x", L"y"}},
        {L"\"\" \"  \"", V{}},
        {L"\"open", V{L"open"}},
        {L"a \t", V{L"a"}},
    };
    for (const auto& s : splits) EXPECT_EQ(SplitQuotedNames(s.text), s.names) << s.text;

    struct {
        const wchar_t* text;
        bool valid;
    } names[] = {{L"level.level", true}, {L"a/b", false},  {L"a<b", false},   {L"a>b", false},
                 {L"a|b", false},        {L"\\\\srv\\s", true}, {L"C:\\\\a", false}, {L"C:\\a\\b", true}};
    for (const auto& n : names) EXPECT_EQ(IsValidFileName(n.text), n.valid) << n.text;

    EXPECT_TRUE(HasWildcard(L"*.txt"));
    EXPECT_TRUE(HasWildcard(L"C:\\a\\lev?l"));
    EXPECT_FALSE(HasWildcard(L"C:\\a*\\b"));  // only the name part counts
    EXPECT_EQ(NamePart(L"C:\\a\\b.level"), L"b.level");
    EXPECT_EQ(FolderPart(L"C:\\a\\b.level"), L"C:\\a\\");
}

TEST(ShellNames, ExtensionsFollowTheSelectedTypeOrTheDefault) {
    EXPECT_EQ(MaskExtension(L"*.level"), L".level");
    EXPECT_EQ(MaskExtension(L"*.level;*.txt"), L".level");
    EXPECT_EQ(MaskExtension(L"*.*"), L"");
    EXPECT_EQ(MaskExtension(L"*.lev*"), L"");
    EXPECT_EQ(MaskExtension(L""), L"");

    struct {
        const wchar_t *name, *defaultExt, *mask, *expected;
        bool differentBefore, differentAfter;
    } cases[] = {
        {L"C:\\l\\Level02", L"level", L"*.level", L"C:\\l\\Level02.level", true, false},
        {L"C:\\l\\Level02", L"dat", L"*.level", L"C:\\l\\Level02.level", false, true},
        {L"C:\\l\\Level02", L"level", L"*.*", L"C:\\l\\Level02.level", true, false},  // as with no type
        {L"C:\\l\\Level02", L"Level01.level", L"*.*", L"C:\\l\\Level02.Level01.level", true, false},
        {L"C:\\l\\Level02.", L"level", L"", L"C:\\l\\Level02.level", true, false},
        {L"C:\\l\\b.LEVEL", L"dat", L"*.level", L"C:\\l\\b.LEVEL", true, true},  // has it: flag kept
        {L"C:\\l\\b.zzqq", L"level", L"*.level", L"C:\\l\\b.zzqq.level", true, false},
        {L"C:\\l\\b.zarnikknown", L"level", L"*.level", L"C:\\l\\b.zarnikknown", false, true},  // a known type stays
        {L"C:\\l\\b", L"", L"*.level", L"C:\\l\\b", false, false},             // no default: nothing
    };
    // A type the system knows: a key under the classes root (of the test's own prefix).
    TRegistry classes;
    classes.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(classes.CreateKey(L".zarnikknown"));
    for (const auto& c : cases) {
        bool different = c.differentBefore;
        EXPECT_EQ(CheckDefaultExtension(c.name, c.defaultExt, MaskExtension(c.mask), different), c.expected)
            << c.name << L" " << c.mask;
        EXPECT_EQ(different, c.differentAfter) << c.name << L" " << c.mask;
    }
    classes.DeleteKey(L".zarnikknown");
}

struct TAskedBox {
    String text;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
};

TEST(ShellNames, CheckFileAsksAndWarnsAsTheOptionsSay) {
    TShellTestTree tree(L"zarnik-checkfile");
    const String existing = tree.File(L"a.level");
    const String readOnly = tree.File(L"ro.level");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const String missing = tree.Path(L"new.level");

    std::vector<TAskedBox> asked;
    int answer = mrYes;
    TRzDialogMessage message = [&](const String& text, TMsgDlgType type, TMsgDlgButtons buttons) {
        asked.push_back({text, type, buttons});
        return answer;
    };
    using O = TRzOpenSaveOptions;
    struct {
        String name;
        O options;
        int answer;
        bool accepted;
        String text;  // empty: no question
        TMsgDlgType type;
    } cases[] = {
        {existing, O{}, mrYes, true, L"", mtWarning},
        {existing, O{osoOverwritePrompt}, mrYes, true, existing + L" already exists.\nDo you want to replace it?", mtWarning},
        {existing, O{osoOverwritePrompt}, mrNo, false, existing + L" already exists.\nDo you want to replace it?", mtWarning},
        {readOnly, O{osoNoReadOnlyReturn, osoOverwritePrompt}, mrOk, false,
         readOnly + L"\nThis file exists with Read Only attributes.\nPlease use a different file name.", mtWarning},
        {readOnly, O{}, mrOk, true, L"", mtWarning},
        {missing, O{}, mrOk, true, L"", mtWarning},
        {missing, O{osoFileMustExist}, mrOk, false,
         missing + L"\nFile not found.\nPlease verify the correct file name was given.", mtWarning},
        {missing, O{osoCreatePrompt}, mrYes, true, L"new.level\nThis file does not exist.\n\nCreate the file?",
         mtConfirmation},
        {missing, O{osoCreatePrompt}, mrNo, false, L"new.level\nThis file does not exist.\n\nCreate the file?",
         mtConfirmation},
    };
    for (const auto& c : cases) {
        asked.clear();
        answer = c.answer;
        EXPECT_EQ(CheckFile(c.name, c.options, message), c.accepted) << c.name << L" " << c.text;
        if (c.text.empty()) {
            EXPECT_TRUE(asked.empty()) << c.name;
        } else {
            ASSERT_EQ(asked.size(), 1u) << c.text;
            EXPECT_EQ(asked[0].text, c.text);
            EXPECT_EQ(asked[0].type, c.type);
        }
    }
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Sets the places policy for one test and removes it again.
class TPlacesPolicy {
public:
    TPlacesPolicy() {
        registry_.SetRootKey(HKEY_CURRENT_USER);
        registry_.DeleteKey(kRzPlacesPolicyKey);
    }
    ~TPlacesPolicy() {
        registry_.CloseKey();
        registry_.DeleteKey(kRzPlacesPolicyKey);
    }
    TRegistry& Open() {
        registry_.OpenKey(kRzPlacesPolicyKey, true);
        return registry_;
    }

private:
    TRegistry registry_;
};

TEST(ShellPlaces, ThePolicyKeyChoosesThePlacesInOrderWithoutGaps) {
    {
        TPlacesPolicy policy;
        TRzPlaces places = LoadPlaces();  // no key: the five usual folders
        ASSERT_EQ(places.size(), 5u);
        const Byte expected[] = {8, 0, 5, 17, 18};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(places[i]->SpecialFolder, expected[i]);
            EXPECT_TRUE(places[i]->Path.empty());
        }
        EXPECT_FALSE(places[1]->Caption.empty());
    }
    {
        TPlacesPolicy policy;
        TShellTestTree tree(L"zarnik-places");
        tree.Folder(L"levels");
        policy.Open().WriteString(L"Place2", tree.Path(L"levels"));
        TRzPlaces places = LoadPlaces();
        ASSERT_EQ(places.size(), 1u);  // only Place2: it becomes the first
        EXPECT_EQ(places[0]->SpecialFolder, kRzPlaceIsPath);
        EXPECT_EQ(places[0]->Path, tree.Path(L"levels"));
        EXPECT_EQ(places[0]->Caption, L"levels");
    }
    {
        TPlacesPolicy policy;
        TRegistry& key = policy.Open();
        key.WriteInteger(L"Place0", 5);
        key.WriteExpandString(L"Place1", L"%SystemRoot%");
        TRzPlaces places = LoadPlaces();
        ASSERT_EQ(places.size(), 2u);
        EXPECT_EQ(places[0]->SpecialFolder, 5);
        EXPECT_TRUE(SameText(places[1]->Path, L"C:\\windows")) << places[1]->Path;
    }
    {
        TPlacesPolicy policy;
        policy.Open();
        EXPECT_TRUE(LoadPlaces().empty());  // an empty key hides every place
    }
    {
        TPlacesPolicy policy;
        const Byte bytes[] = {1, 2, 3};
        policy.Open().WriteBinaryData(L"Place0", bytes, 3);
        EXPECT_THROW(LoadPlaces(), ERegistryException);  // neither text nor number
    }
}

TEST(ShellDialogState, TheRecordRoundTripsAndRefusesBytesOutsideTheEnumerations) {
    TRzOpenDialog dialog(nullptr);
    dialog.SetFormLeft(10);
    dialog.SetFormTop(-20);
    dialog.SetFormWidth(600);
    dialog.SetFormHeight(450);
    dialog.SetFormWindowState(wsMaximized);
    dialog.SetFormPosition(poDesigned);
    dialog.SetFormSplitterPos(210);
    dialog.SetOptions(dialog.Options() + osoShowTree);
    TMemoryStream stream;
    dialog.WriteFormState(&stream);
    ASSERT_EQ(stream.Size(), 23);
    const Byte* bytes = static_cast<const Byte*>(stream.Memory());
    EXPECT_EQ(bytes[16], Byte(wsMaximized));
    EXPECT_EQ(bytes[17], Byte(poDesigned));
    EXPECT_EQ(bytes[18], 1);

    TRzOpenDialog copy(nullptr);
    stream.SetPosition(0);
    copy.ReadFormState(&stream);
    EXPECT_EQ(copy.FormLeft(), 10);
    EXPECT_EQ(copy.FormTop(), -20);
    EXPECT_EQ(copy.FormWidth(), 600);
    EXPECT_EQ(copy.FormHeight(), 450);
    EXPECT_EQ(copy.FormWindowState(), wsMaximized);
    EXPECT_EQ(copy.FormPosition(), poDesigned);
    EXPECT_EQ(copy.FormSplitterPos(), 210);
    EXPECT_TRUE(copy.Options().Contains(osoShowTree));

    // A show-tree byte of 2 counts as set; a window state of 3 or a position of 8 is refused
    // with nothing stored; a short record is refused.
    auto readInto = [](TRzOpenDialog& d, std::vector<Byte> record) {
        TMemoryStream s;
        s.WriteBuffer(record.data(), Integer(record.size()));
        s.SetPosition(0);
        d.ReadFormState(&s);
    };
    std::vector<Byte> record(static_cast<const Byte*>(stream.Memory()), static_cast<const Byte*>(stream.Memory()) + 23);
    TRzOpenDialog target(nullptr);
    record[18] = 2;
    readInto(target, record);
    EXPECT_TRUE(target.Options().Contains(osoShowTree));
    for (auto [at, value] : {std::pair{16, 3}, std::pair{17, 8}}) {
        TRzOpenDialog fresh(nullptr);
        std::vector<Byte> bad = record;
        bad[at] = Byte(value);
        EXPECT_THROW(readInto(fresh, bad), EReadError);
        EXPECT_EQ(fresh.FormLeft(), -1);
        EXPECT_EQ(fresh.FormSplitterPos(), -1);
        EXPECT_EQ(fresh.FormWindowState(), wsNormal);
    }
    TRzOpenDialog shortOne(nullptr);
    EXPECT_THROW(readInto(shortOne, std::vector<Byte>(record.begin(), record.begin() + 20)), EReadError);
    EXPECT_EQ(shortOne.FormLeft(), -1);
}

TEST(ShellDialogState, MutatedRecordsAreReadOrRefusedWithoutACrash) {
    std::mt19937 random(29);
    std::vector<Byte> base(23, 0);
    for (int round = 0; round < 10000; ++round) {
        std::vector<Byte> record = base;
        for (Byte& b : record)
            if (random() % 3 == 0) b = Byte(random());
        record.resize(random() % 30);
        TRzSaveDialog dialog(nullptr);
        TMemoryStream stream;
        stream.WriteBuffer(record.data(), Integer(record.size()));
        stream.SetPosition(0);
        try {
            dialog.ReadFormState(&stream);
            EXPECT_LE(int(dialog.FormWindowState()), int(wsMaximized));
            EXPECT_LE(int(dialog.FormPosition()), int(poOwnerFormCenter));
        } catch (const EReadError&) {
            EXPECT_EQ(dialog.FormLeft(), -1);
        }
    }
}

TEST(ShellNames, MutatedTypedNamesResolveOrAreRefused) {
    std::mt19937 random(2029);
    const wchar_t alphabet[] = L"ab.\\/:<>|\"* ?\t-\x0416";
    for (int round = 0; round < 10000; ++round) {
        String typed;
        const int length = int(random() % (round % 100 == 0 ? 400 : 24));
        for (int i = 0; i < length; ++i) typed += alphabet[random() % (std::size(alphabet) - 1)];
        for (const String& name : SplitQuotedNames(typed)) {
            if (!IsValidFileName(typed)) continue;
            const String full = CombinePath(L"C:\\levels\\sub", name);
            if (full.empty()) continue;
            const TRzPathKind kind = ClassifyPath(full);
            EXPECT_TRUE(kind == pkDriveBased || kind == pkUNC || kind == pkRootRelative) << full;
            EXPECT_EQ(full.find(L"\\\\", 2), String::npos) << full;
            bool different = false;
            CheckDefaultExtension(full, L"level", L".level", different);
        }
    }
}

}  // namespace
