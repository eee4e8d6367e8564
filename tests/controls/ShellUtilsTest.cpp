// Item ID list helpers on hand-made lists, the ordered list of ID lists, the text helpers, and
// the shell queries against the real namespace on a temporary folder.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "ControlsUnits.h"
#include "RzPidlList.h"
#include "RzShellUtils.h"
#include "TestSupport.h"

namespace {

// A list built from item payloads; each item gets its 16-bit count in front.
PItemIDList MakeList(std::initializer_list<std::vector<Byte>> items) {
    std::vector<Byte> bytes;
    for (auto& item : items) {
        Word count = Word(item.size() + 2);
        bytes.push_back(Byte(count & 0xFF));
        bytes.push_back(Byte(count >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    auto* result = static_cast<Byte*>(ShellMemAlloc(Cardinal(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), result);
    return reinterpret_cast<PItemIDList>(result);
}

std::vector<Byte> Bytes(const ITEMIDLIST* pidl) {
    auto* p = reinterpret_cast<const Byte*>(pidl);
    return std::vector<Byte>(p, p + PidlSize(pidl));
}

// Frees a list at scope end.
struct TPidl {
    PItemIDList p = nullptr;
    TPidl() = default;
    explicit TPidl(PItemIDList list) : p(list) {}
    ~TPidl() { ShellMemFree(p); }
    TPidl(const TPidl&) = delete;
    TPidl& operator=(const TPidl&) = delete;
};

class ShellUtils : public testing::Test {
protected:
    void SetUp() override { InitializeControlsUnits(); }
};

}  // namespace

TEST_F(ShellUtils, SizeCopyAndConcatOfHandMadeLists) {
    TPidl two(MakeList({{1, 2, 3}, {4}})), one(MakeList({{9, 9}})), empty(MakeList({}));
    EXPECT_EQ(PidlSize(nullptr), 0);
    EXPECT_EQ(PidlSize(empty.p), 2);
    EXPECT_EQ(PidlSize(two.p), 5 + 3 + 2);

    TPidl copyOfNil(CopyPidl(nullptr, nullptr));
    EXPECT_EQ(Bytes(copyOfNil.p), (std::vector<Byte>{0, 0}));
    TPidl copy(CopyPidl(ShellMalloc(), two.p));
    EXPECT_EQ(Bytes(copy.p), Bytes(two.p));
    EXPECT_NE(copy.p, two.p);

    TPidl joined(ConcatPidls(nullptr, two.p, one.p));
    EXPECT_EQ(Bytes(joined.p), (std::vector<Byte>{5, 0, 1, 2, 3, 3, 0, 4, 4, 0, 9, 9, 0, 0}));
    EXPECT_EQ(TRzIdListArray(joined.p).Count(), 3);
    TPidl withNil(ConcatPidls(nullptr, nullptr, one.p));
    EXPECT_EQ(Bytes(withNil.p), Bytes(one.p));
}

TEST_F(ShellUtils, IdListArrayLevels) {
    TPidl three(MakeList({{1}, {2, 2}, {3, 3, 3}}));
    TRzIdListArray levels(three.p);
    EXPECT_EQ(levels.Count(), 3);
    EXPECT_EQ(Bytes(levels.Items(2)), (std::vector<Byte>{5, 0, 3, 3, 3, 0, 0}));
    EXPECT_EQ(levels.Items(3), nullptr);
    EXPECT_EQ(levels.Items(-1), nullptr);
    EXPECT_EQ(Bytes(levels.Ancestor(1)), (std::vector<Byte>{3, 0, 1, 4, 0, 2, 2, 0, 0}));
    EXPECT_EQ(Bytes(levels.Ancestor(0)), Bytes(three.p));
    EXPECT_EQ(Bytes(levels.Ancestor(3)), (std::vector<Byte>{0, 0}));
    EXPECT_EQ(levels.Ancestor(4), nullptr);
    EXPECT_EQ(levels.Ancestor(-1), nullptr);

    TPidl empty(MakeList({}));
    TRzIdListArray desktop(empty.p);
    EXPECT_EQ(desktop.Count(), 0);
    EXPECT_EQ(Bytes(desktop.Items(0)), (std::vector<Byte>{0, 0}));
    TRzIdListArray none(nullptr);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_EQ(none.Items(0), nullptr);
}

TEST_F(ShellUtils, PidlListInByteOrderWithDuplicateRules) {
    // The list frees what it holds through the allocator.
    TRzPidlList list;
    list.SetMalloc(ShellMalloc());
    list.Add(MakeList({{5}}));
    list.Add(MakeList({{1, 2}}));
    list.Add(MakeList({{1}}));
    list.SetSorted(true);
    ASSERT_EQ(list.Count(), 3);
    // A list comes before a longer one that starts with the same bytes... but the count byte
    // leads, so {1} (count 3) sorts before {5} (count 3, payload 5) and before {1, 2} (count 4).
    EXPECT_EQ(Bytes(list.Pidls(0)), (std::vector<Byte>{3, 0, 1, 0, 0}));
    EXPECT_EQ(Bytes(list.Pidls(1)), (std::vector<Byte>{3, 0, 5, 0, 0}));
    EXPECT_EQ(Bytes(list.Pidls(2)), (std::vector<Byte>{4, 0, 1, 2, 0, 0}));

    TPidl probe(MakeList({{5}}));
    EXPECT_EQ(list.IndexOf(probe.p), 1);
    TPidl missing(MakeList({{7}}));
    EXPECT_EQ(list.IndexOf(missing.p), -1);

    PItemIDList duplicate = MakeList({{5}});
    try {
        list.Add(duplicate);
        ADD_FAILURE() << "a duplicate was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(Utf8(e.Message()), "TRzPidlList: Duplicate PIDL");
    }
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(dupIgnore);
    EXPECT_EQ(list.Add(duplicate), 1);
    EXPECT_EQ(list.Count(), 3);
    ShellMemFree(duplicate);

    list.SetDuplicates(dupAccept);
    int marker = 0;
    PItemIDList second = MakeList({{5}});
    EXPECT_EQ(list.AddObject(second, &marker), 1);  // before the equal one already there
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Objects(1), &marker);
    EXPECT_EQ(list.Pidls(1), second);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ShellUtils, ByteOrderPutsAPrefixFirst) {
    TRzPidlList list;  // no allocator: the lists stay ours
    TPidl longer(MakeList({{1}, {2}})), shorter(MakeList({{1}}));
    list.Add(longer.p);
    list.Add(shorter.p);
    list.Sort();
    EXPECT_EQ(list.Pidls(0), shorter.p);
    EXPECT_EQ(list.Pidls(1), longer.p);
}

TEST_F(ShellUtils, FormatStrPosInsertsByPosition) {
    EXPECT_EQ(Utf8(FormatStrPos(L"Unable to create the folder '%2'\n\n%1", {L"Access denied", L"New"})),
              "Unable to create the folder 'New'\r\n\r\nAccess denied");  // the formatter's line breaks
    EXPECT_EQ(FormatStrPos(nullptr, {L"x"}), L"");
    // A position beyond the strings given inserts nothing rather than reading stray memory.
    EXPECT_EQ(FormatStrPos(L"[%1|%7]", {L"a"}), L"[a|]");

    std::vector<String> fifty(50, L"s");
    fifty[49] = L"last";
    EXPECT_EQ(FormatStrPos(L"%50", fifty), L"last");
    fifty.push_back(L"one too many");
    try {
        FormatStrPos(L"%1", fifty);
        ADD_FAILURE() << "51 strings were accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(Utf8(e.Message()), "FormatStrPos: Too many substitution strings");
    }
}

TEST_F(ShellUtils, TrailingCharacterHelpers) {
    struct Case {
        String in, trimmed;
    } cases[] = {{L"abc \t", L"abc"},  {L"   ", L""},          {L"", L""},
                 {L"a b\r\n", L"a b"}, {L"\x0416", L"\x0416"}, {L"x\xD83D\xDE00", L"x\xD83D\xDE00"}};
    for (auto& c : cases) EXPECT_EQ(TrimTrailingControls(c.in), c.trimmed) << Utf8(c.in);

    EXPECT_EQ(EnsureTrailingChar(L"", L'\\'), L"");
    EXPECT_EQ(EnsureTrailingChar(L"C:", L'\\'), L"C:\\");
    EXPECT_EQ(EnsureTrailingChar(L"C:\\", L'\\'), L"C:\\");

    String text = L"a\xD83D\xDE00z", result;
    Integer position = 1;
    AppendCharAt(position, text, result);
    AppendCharAt(position, text, result);
    EXPECT_EQ(position, 4);
    EXPECT_EQ(result, L"a\xD83D\xDE00");
}

// ---- Against the shell namespace

namespace {

class ShellNamespace : public ShellUtils {
protected:
    void SetUp() override {
        ShellUtils::SetUp();
        for (const wchar_t* name : {L"beta.txt", L"alpha.level"}) std::ofstream(temp.File(name).c_str()) << "x";
        CreateDirectoryW(temp.File(L"Sub").c_str(), nullptr);
        folderPath = temp.Path().substr(0, temp.Path().size() - 1);
        ASSERT_EQ(PathToPidl(folderPath, folder.p), S_OK);
    }
    TTempFolder temp;
    String folderPath;  // without the trailing backslash
    TPidl folder;
};

String Lower(String s) {
    std::transform(s.begin(), s.end(), s.begin(), ::towlower);
    return s;
}

}  // namespace

TEST_F(ShellNamespace, PathAndIdListRoundTrip) {
    EXPECT_EQ(Lower(PidlToPath(folder.p)), Lower(folderPath));
    TPidl file;
    ASSERT_EQ(PathToPidl(temp.File(L"beta.txt"), file.p), S_OK);
    EXPECT_EQ(Lower(PidlToPath(file.p)), Lower(temp.File(L"beta.txt")));
    EXPECT_EQ(Utf8(GetAbsolutePidlDisplayName(file.p)).substr(0, 4), "beta");

    // The parent of the file is the folder; the last item joined to it is the file again.
    TRzIdListArray levels(file.p);
    EXPECT_EQ(ComparePidls(levels.Ancestor(1), folder.p), 0);
    TPidl rejoined(ConcatPidls(nullptr, folder.p, levels.Items(levels.Count() - 1)));
    EXPECT_EQ(ComparePidls(rejoined.p, file.p), 0);
    EXPECT_NE(ComparePidls(folder.p, file.p), 0);

    TPidl bad;
    EXPECT_TRUE(FAILED(PathToPidl(temp.File(L"no such file.txt"), bad.p)));
    EXPECT_EQ(bad.p, nullptr);
    EXPECT_EQ(PidlToPath(nullptr).empty(), PidlToPath(nullptr) == L"");
}

TEST_F(ShellNamespace, CompareHandlesNilAndDesktop) {
    TPidl desktop1(MakeList({})), desktop2(MakeList({}));
    EXPECT_EQ(ComparePidls(nullptr, nullptr), 0);
    EXPECT_EQ(ComparePidls(nullptr, desktop1.p), -1);
    EXPECT_EQ(ComparePidls(desktop1.p, desktop2.p), 0);
    EXPECT_EQ(ComparePidls(desktop1.p, folder.p), -1);
    EXPECT_EQ(ComparePidls(folder.p, folder.p), 0);
}

TEST_F(ShellNamespace, EnumeratesNamesAndAttributesInShellOrder) {
    IShellFolder* shellFolder = nullptr;
    ASSERT_EQ(GetShellFolder(folder.p, shellFolder), S_OK);
    TComRef<IShellFolder> holder(shellFolder);
    TComRef<IEnumIDList> items;
    ASSERT_EQ(shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Out()), S_OK);

    TRzPidlList list;
    list.SetMalloc(ShellMalloc());
    list.SetShellFolder(shellFolder);
    list.SetSorted(true);
    PItemIDList item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) list.Add(item);
    ASSERT_EQ(list.Count(), 3);

    std::vector<std::string> names;
    for (Integer i = 0; i < list.Count(); ++i)
        names.push_back(Utf8(GetPidlDisplayName(shellFolder, list.Pidls(i), snkInFolder)));
    // The shell puts folders first, then files by name.
    EXPECT_EQ(names[0], "Sub");
    EXPECT_EQ(names[1].substr(0, 5), "alpha");
    EXPECT_EQ(names[2].substr(0, 4), "beta");
    String parsing = GetPidlDisplayName(shellFolder, list.Pidls(2), snkForParsing);
    EXPECT_EQ(Lower(parsing), Lower(temp.File(L"beta.txt")));

    const ITEMIDLIST* sub[] = {list.Pidls(0)};
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    ASSERT_EQ(shellFolder->GetAttributesOf(1, sub, &attributes), S_OK);
    EXPECT_EQ(attributes & (SFGAO_FOLDER | SFGAO_FILESYSTEM), DWORD(SFGAO_FOLDER | SFGAO_FILESYSTEM));
    const ITEMIDLIST* file[] = {list.Pidls(2)};
    attributes = SFGAO_FOLDER;
    ASSERT_EQ(shellFolder->GetAttributesOf(1, file, &attributes), S_OK);
    EXPECT_EQ(attributes & SFGAO_FOLDER, 0u);

    // The desktop's own name, and the desktop enumerates under the null folder.
    EXPECT_FALSE(GetPidlDisplayName(nullptr, list.Pidls(0), snkNormal).empty() &&
                 GetAbsolutePidlDisplayName(nullptr).empty());
}

TEST_F(ShellNamespace, SpecialFolders) {
    TPidl desktop(MakeList({}));
    EXPECT_EQ(PidlToSpecialFolder(desktop.p), 0);
    EXPECT_EQ(PidlToSpecialFolder(folder.p), 50);
    TPidl personal;
    ASSERT_EQ(GetSpecialFolderPidl(nullptr, CSIDL_PERSONAL, personal.p), S_OK);
    EXPECT_EQ(PidlToSpecialFolder(personal.p), CSIDL_PERSONAL);
    EXPECT_FALSE(SpecialFolderPath(nullptr, CSIDL_PERSONAL).empty());
    EXPECT_EQ(SpecialFolderPath(nullptr, 0x7E), L"");  // no such folder
    EXPECT_THROW(GetSpecialFolderIconIndex(0x7E, SHGFI_SMALLICON), EOleSysError);
    EXPECT_GE(GetSpecialFolderIconIndex(CSIDL_DRIVES, SHGFI_SMALLICON), 0);
}

TEST_F(ShellNamespace, IconsAndSystemImageLists) {
    HIMAGELIST small = GetSystemImageList(sisSmall), large = GetSystemImageList(sisLarge);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(small, &cx, &cy);
    EXPECT_EQ(cx, 16);
    Integer index = GetPathIconIndex(temp.File(L"beta.txt"), SHGFI_SMALLICON);
    EXPECT_GE(index, 0);
    EXPECT_LT(index, ImageList_GetImageCount(small));
    EXPECT_EQ(GetPidlIconIndex(folder.p, SHGFI_SMALLICON), GetPathIconIndex(folderPath, SHGFI_SMALLICON));

    // The overlays went into every list of the shell, so an icon has one index in all of them:
    // the lists hold the same number of images before and after a new kind of icon is asked for.
    static const GUID imageListId = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};
    auto counts = [&] {
        std::vector<int> found;
        for (int kind = SHIL_LARGE; kind <= SHIL_JUMBO; ++kind) {
            void* list = nullptr;
            if (SUCCEEDED(SHGetImageList(kind, imageListId, &list)) && list)
                found.push_back(ImageList_GetImageCount(HIMAGELIST(list)));
        }
        return found;
    };
    std::vector<int> before = counts();
    ASSERT_GE(before.size(), 2u);
    EXPECT_EQ(std::count(before.begin(), before.end(), before[0]), Integer(before.size()));
    std::ofstream(temp.File(L"odd.zarnikicon").c_str()) << "x";
    GetPathIconIndex(temp.File(L"odd.zarnikicon"), SHGFI_SMALLICON);
    GetPathIconIndex(temp.File(L"Sub"), SHGFI_SMALLICON | SHGFI_OPENICON);
    std::vector<int> after = counts();
    EXPECT_EQ(std::count(after.begin(), after.end(), after[0]), Integer(after.size()));
}

TEST_F(ShellNamespace, ShellLinkWrittenAndResolved) {
    String target = temp.File(L"beta.txt"), linkFile = temp.File(L"beta.lnk");
    {
        TComRef<IShellLinkW> link;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.OutVoid()),
                  S_OK);
        link->SetPath(target.c_str());
        link->SetArguments(L"-x 1");
        link->SetDescription(L"Описание");
        link->SetWorkingDirectory(folderPath.c_str());
        TComRef<IPersistFile> file;
        ASSERT_EQ(link->QueryInterface(IID_IPersistFile, file.OutVoid()), S_OK);
        ASSERT_EQ(file->Save(linkFile.c_str(), TRUE), S_OK);
    }
    for (bool noUI : {false, true}) {
        TLinkData data;
        data.NoUI = noUI;
        ASSERT_TRUE(SUCCEEDED(ResolveShellLink(linkFile, data, true))) << noUI;
        TPidl pidl(data.Pidl);
        EXPECT_EQ(Lower(data.TargetPath), Lower(target));
        EXPECT_EQ(data.Arguments, L"-x 1");
        EXPECT_EQ(data.Description, L"Описание");
        EXPECT_EQ(Lower(data.WorkingDirectory), Lower(folderPath));
        EXPECT_NE(data.ShowCmd, 0);  // Wine keeps only SW_SHOWNORMAL
        EXPECT_EQ(data.ItemFlags, 0x3F);
        EXPECT_EQ(data.FindData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
        ASSERT_NE(data.Pidl, nullptr);
        EXPECT_EQ(Lower(PidlToPath(data.Pidl)), Lower(target));
    }
    TLinkData none;
    EXPECT_TRUE(FAILED(ResolveShellLink(temp.File(L"missing.lnk"), none, false)));
    EXPECT_EQ(none.ItemFlags, 0);
}

TEST_F(ShellNamespace, VersionsAndDrives) {
    EXPECT_TRUE(IsWinNT());
    TRzFileVersion version;
    EXPECT_TRUE(GetFileVersion(L"comctl32.dll", version));
    EXPECT_GE(HIWORD(version.MS), 5);
    EXPECT_FALSE(GetFileVersion(temp.File(L"beta.txt"), version));
    EXPECT_GE(HIWORD(Shell32Version().MS), 5);
    // Wine's network-use service reports no connection; only the call's safety matters here.
    IsNetDriveConnected(L'C');
    ValidateDrivesFolder();
    SuspendDrivesValidation();
    ValidateDrivesFolder();
    ResumeDrivesValidation();
}
