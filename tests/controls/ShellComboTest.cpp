// The shell locator (change rules, its "Pidl" form data and what it refuses there) and the shell
// combo on a real form against Wine's namespace: the listing down to a folder, going up, the
// linking rules, the drop-down count, the folder-2 column adapter and the sort guard.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsUnits.h"
#include "Filer.h"
#include "MutationSupport.h"
#include "RzShellCombo.h"
#include "ShellTestTree.h"
#include "StringList.h"
#include "Streams.h"
#include "SysUtils.h"
#include "WindowTesting.h"

namespace {

// Captures the "Pidl" procedures a locator declares.
class TCaptureFiler : public TFiler {
public:
    TCaptureFiler() : TFiler(nullptr) {}
    void DefineProperty(const String&, const TReaderProc&, const TWriterProc&, bool) override {}
    void DefineBinaryProperty(const String& name, const TStreamProc& read, const TStreamProc& write,
                              bool hasData) override {
        EXPECT_EQ(name, L"Pidl");
        read_ = read;
        write_ = write;
        hasData_ = hasData;
    }
    TStreamProc read_, write_;
    bool hasData_ = false;
};

// What the locator writes as "Pidl"; empty when it writes nothing.
std::vector<Byte> WrittenPidl(TRzShellLocator& locator) {
    TCaptureFiler filer;
    locator.DefineProperties(&filer);
    if (!filer.hasData_) return {};
    TMemoryStream stream;
    filer.write_(&stream);
    std::vector<Byte> bytes(size_t(stream.Size()));
    stream.SetPosition(0);
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), Integer(bytes.size()));
    return bytes;
}

void ReadPidl(TRzShellLocator& locator, const std::vector<Byte>& bytes) {
    TCaptureFiler filer;
    locator.DefineProperties(&filer);
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Integer(bytes.size()));
    stream.SetPosition(0);
    filer.read_(&stream);
}

struct TChangeCounter : TObject {
    int changes = 0;
    void Changed(TObject*) { ++changes; }
};

std::vector<Byte> Int32Bytes(Integer v) { return {Byte(v), Byte(v >> 8), Byte(v >> 16), Byte(v >> 24)}; }

// Busy blocks and bytes of the process heap, where the shell's allocator takes its memory.
THeapUse ProcessHeapInUse() {
    THeapUse use;
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            ++use.blocks;
            use.bytes += entry.cbData;
        }
    HeapUnlock(heap);
    return use;
}

class ShellLocator : public testing::Test {
protected:
    void SetUp() override {
        InitializeControlsUnits();
        locator.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
    }
    TRzShellLocator locator;
    TChangeCounter counter;
};

}  // namespace

TEST_F(ShellLocator, ReportsAChangeOnlyWhenTheFolderChanges) {
    TShellTestTree tree;
    tree.Folder(L"a");
    locator.SetPathName(tree.Path(L"a"));
    EXPECT_EQ(counter.changes, 1);
    locator.SetPathName(tree.Path(L"a"));  // the same folder again
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(AnsiCompareText(locator.PathName(), tree.Path(L"a")), 0);

    locator.SetCSIDL(5);
    locator.SetCSIDL(5);
    EXPECT_EQ(counter.changes, 2);
    EXPECT_EQ(locator.LocatorKind(), lkSpecialFolder);
    ASSERT_NE(locator.IdList(), nullptr);  // looked up on demand

    // A list set over a special folder always counts, even for the same folder.
    TOwnedPidl same(CopyPidl(nullptr, locator.IdList()));
    locator.SetIdList(same.p);
    EXPECT_EQ(counter.changes, 3);
    EXPECT_EQ(locator.CSIDL(), RzNoSpecialFolder);

    locator.Clear();
    locator.Clear();
    EXPECT_EQ(counter.changes, 4);
    EXPECT_EQ(locator.IdList(), nullptr);

    // An unparsable path is the desktop: no change from the desktop.
    locator.SetPathName(L"C:\\no such folder\\here");
    EXPECT_EQ(counter.changes, 4);
    EXPECT_EQ(locator.IdList(), nullptr);
}

TEST_F(ShellLocator, AssignCopiesOtherFoldersAndRefusesOtherKinds) {
    TRzShellLocator other;
    other.SetCSIDL(17);
    locator.Assign(&other);
    locator.Assign(&other);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(locator.CSIDL(), 17);

    other.SetPathName(L"C:\\windows");
    locator.Assign(&other);
    EXPECT_EQ(counter.changes, 2);
    EXPECT_EQ(ComparePidls(locator.IdList(), other.IdList()), 0);

    locator.Assign(nullptr);
    EXPECT_EQ(counter.changes, 3);
    locator.Assign(nullptr);  // nothing left to forget
    EXPECT_EQ(counter.changes, 3);

    TStringList notALocator;
    EXPECT_THROW(locator.Assign(&notALocator), EConvertError);
}

TEST_F(ShellLocator, PidlDataSizesAndRoundTrip) {
    EXPECT_TRUE(WrittenPidl(locator).empty());  // the desktop as a list writes nothing

    locator.SetCSIDL(17);
    EXPECT_EQ(WrittenPidl(locator), (std::vector<Byte>{1, 17}));

    locator.SetPathName(L"C:\\windows");
    std::vector<Byte> written = WrittenPidl(locator);
    Integer size = PidlSize(locator.IdList());
    ASSERT_EQ(written.size(), size_t(1 + 4 + size));
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(std::vector<Byte>(written.begin() + 1, written.begin() + 5), Int32Bytes(size));

    TRzShellLocator read;
    ReadPidl(read, written);
    EXPECT_EQ(read.LocatorKind(), lkIdList);
    EXPECT_EQ(ComparePidls(read.IdList(), locator.IdList()), 0);
    EXPECT_EQ(AnsiCompareText(read.PathName(), L"C:\\windows"), 0);

    // Any kind but 0 is a special folder; a kind-0 size of 0 is the desktop by number.
    ReadPidl(read, {7, 5});
    EXPECT_EQ(read.LocatorKind(), lkSpecialFolder);
    EXPECT_EQ(read.CSIDL(), 5);
    std::vector<Byte> zero{0};
    for (Byte b : Int32Bytes(0)) zero.push_back(b);
    ReadPidl(read, zero);
    EXPECT_EQ(read.LocatorKind(), lkSpecialFolder);
    EXPECT_EQ(read.CSIDL(), 0);
}

TEST_F(ShellLocator, RefusesPidlDataThatIsNoSoundList) {
    auto data = [](Integer size, std::vector<Byte> list) {
        std::vector<Byte> bytes{0};
        for (Byte b : Int32Bytes(size)) bytes.push_back(b);
        bytes.insert(bytes.end(), list.begin(), list.end());
        return bytes;
    };
    struct TCase {
        const char* what;
        std::vector<Byte> bytes;
    } cases[] = {
        {"size beyond the data", data(40, {4, 0, 9, 9, 0, 0})},
        {"negative size", data(-6, {4, 0, 9, 9, 0, 0})},
        {"size below a terminator", data(1, {0})},
        {"item running past the end", data(6, {9, 0, 9, 9, 0, 0})},
        {"no terminator", data(4, {4, 0, 9, 9})},
        {"item count of one", data(5, {1, 0, 0, 0, 0})},
        {"bytes after the terminator", data(8, {4, 0, 9, 9, 0, 0, 1, 1})},
        {"no size at all", {0, 6}},
    };
    locator.SetPathName(L"C:\\windows");
    TOwnedPidl before(CopyPidl(nullptr, locator.IdList()));
    for (const TCase& c : cases) {
        EXPECT_THROW(ReadPidl(locator, c.bytes), EReadError) << c.what;
        EXPECT_EQ(ComparePidls(locator.IdList(), before.p), 0) << c.what << ": the old folder stays";
    }
    ReadPidl(locator, data(6, {4, 0, 9, 9, 0, 0}));  // sound, though no folder the shell knows
    EXPECT_EQ(PidlSize(locator.IdList()), 6);
}

TEST_F(ShellLocator, MutatedPidlDataIsReadOrRefusedWithoutLeaks) {
    TRzShellLocator source;
    source.SetPathName(L"C:\\windows\\system32");
    const std::vector<Byte> valid = WrittenPidl(source);
    ASSERT_GT(valid.size(), 8u);
    TRuntimeRandom random(2026);
    auto mutate = [&] {
        std::vector<Byte> bytes = valid;
        int edits = 1 + int(random.Next(4));
        for (int i = 0; i < edits; ++i) {
            switch (random.Next(4)) {
                case 0:
                    bytes[random.Next(Cardinal(bytes.size()))] = Byte(random.Next(256));
                    break;
                case 1:
                    bytes.resize(random.Next(Cardinal(bytes.size()) + 1));
                    break;
                case 2:
                    bytes.push_back(Byte(random.Next(256)));
                    break;
                default:
                    bytes[1 + random.Next(4)] = Byte(random.Next(256));
                    break;  // the size
            }
        }
        return bytes;
    };
    // A first round settles the allocators' own bookkeeping.
    for (int i = 0; i < 200; ++i) {
        TRzShellLocator l;
        try {
            ReadPidl(l, mutate());
        } catch (const Exception&) {}
    }
    THeapUse processBefore = ProcessHeapInUse(), runtimeBefore = HeapInUse();
    int read = 0, refused = 0;
    for (int i = 0; i < 10000; ++i) {
        std::vector<Byte> bytes = mutate();
        TRzShellLocator l;
        try {
            ReadPidl(l, bytes);
            ++read;
            if (l.LocatorKind() == lkIdList && l.IdList()) {
                ASSERT_TRUE(IsWellFormedIdList(reinterpret_cast<const Byte*>(l.IdList()), PidlSize(l.IdList())));
            }
        } catch (const Exception&) {
            ++refused;
        }
    }
    EXPECT_GT(read, 100);
    EXPECT_GT(refused, 100);
    THeapUse processAfter = ProcessHeapInUse(), runtimeAfter = HeapInUse();
    EXPECT_LE(processAfter.blocks, processBefore.blocks + 20);
    EXPECT_LE(runtimeAfter.blocks, runtimeBefore.blocks + 20);
}

// ---- the combo

namespace {

// A shell list or tree stand-in that records what the combo asks of it.
class TFakeComboLink : public TComponent, public IRzShellComboLink {
public:
    using TComponent::TComponent;
    void LinkShellCombo(TRzCustomShellCombo* c) override { combo = c; }
    void ShowComboFolder(const ITEMIDLIST* pidl, bool refresh) override {
        shown.push_back(PidlToPath(pidl));
        refreshed = refresh;
    }
    void FlushForCombo() override { ++flushes; }
    TRzCustomShellCombo* combo = nullptr;
    std::vector<String> shown;
    bool refreshed = false;
    int flushes = 0;
};

class TTestShellCombo : public TRzShellCombo {
public:
    using TRzShellCombo::TRzShellCombo;
    void FillItem(int index) { DoGetItemData(ItemAt(index)); }
    void ChooseItem(int index) {
        SetItemIndex(index);
        DoSelEndOk();
    }
    // Drops the list down as a click would, and closes it again.
    void OpenDropDown() {
        SendMessageW(Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    }
};

class ShellCombo : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(360, 200));
        combo = new TTestShellCombo(form.get());
        combo->SetBounds(10, 10, 300, 24);
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    void Show(const String& path) {
        combo->SelectedFolder()->SetPathName(path);
        combo->SetParent(form.get());
        combo->HandleNeeded();
    }
    String PathOf(int index) const { return PidlToPath(combo->ItemData(index)->AbsPidl()); }
    int IndentOf(int index) const { return combo->ItemAt(index)->IndentLevel(); }
    int IndexOfPath(const String& path) const {
        for (int i = 0; i < combo->Items()->Count(); ++i)
            if (AnsiCompareText(PathOf(i), path) == 0) return i;
        return -1;
    }
    std::unique_ptr<TForm> form;
    TTestShellCombo* combo = nullptr;
};

}  // namespace

TEST_F(ShellCombo, ListsTheDesktopTheDrivesAndTheChainDownToTheFolder) {
    Show(L"C:\\windows");
    ASSERT_GT(combo->Items()->Count(), 3);

    // The desktop first, by its own name and image.
    EXPECT_EQ(IndentOf(0), 0);
    EXPECT_EQ(PidlSize(combo->ItemData(0)->AbsPidl()), 2);
    EXPECT_EQ(combo->ItemAt(0)->Caption(), GetPidlDisplayName(nullptr, combo->ItemData(0)->AbsPidl(), snkInFolder));

    // The computer among the desktop's folders, its drives one level deeper.
    TOwnedPidl computerPidl;
    ASSERT_HRESULT_SUCCEEDED(GetSpecialFolderPidl(nullptr, CSIDL_DRIVES, computerPidl.p));
    int computer = -1;
    for (int i = 1; i < combo->Items()->Count(); ++i)
        if (ComparePidls(combo->ItemData(i)->AbsPidl(), computerPidl.p) == 0) computer = i;
    ASSERT_GT(computer, 0);
    EXPECT_EQ(IndentOf(computer), 1);
    int drive = IndexOfPath(L"C:\\");
    ASSERT_GT(drive, computer);
    for (int i = computer + 1; i <= drive; ++i) EXPECT_EQ(IndentOf(i), 2) << i;

    // The folder right under its drive, selected, with its name shown at once.
    int windows = drive + 1;
    EXPECT_EQ(AnsiCompareText(PathOf(windows), L"C:\\windows"), 0);
    EXPECT_EQ(IndentOf(windows), 3);
    EXPECT_EQ(combo->ItemIndex(), windows);
    EXPECT_EQ(AnsiCompareText(combo->ItemAt(windows)->Caption(), L"windows"), 0);
    EXPECT_NE(combo->ItemAt(windows)->ImageIndex(), -1);

    // The other drives follow at their level; the items below are named when first shown.
    for (int i = windows + 1; i < combo->Items()->Count() && IndentOf(i) > 1; ++i) EXPECT_EQ(IndentOf(i), 2);
    EXPECT_TRUE(combo->ItemAt(drive)->Caption().empty());
    combo->FillItem(drive);
    EXPECT_EQ(combo->ItemAt(drive)->Caption(), GetPidlDisplayName(combo->ItemData(drive)->ParentFolder(),
                                                                  combo->ItemData(drive)->RelPidl(), snkInFolder));
    EXPECT_NE(combo->ItemAt(drive)->ImageIndex(), -1);
}

TEST_F(ShellCombo, GoesUpByIndentAndStopsAtTheDesktop) {
    TShellTestTree tree;
    tree.Folder(L"one\\two");
    Show(tree.Path(L"one\\two"));
    EXPECT_EQ(AnsiCompareText(PathOf(combo->ItemIndex()), tree.Path(L"one\\two")), 0);

    combo->ComboGoUp(1);
    EXPECT_EQ(AnsiCompareText(combo->SelectedFolder()->PathName(), tree.Path(L"one")), 0);
    EXPECT_EQ(AnsiCompareText(PathOf(combo->ItemIndex()), tree.Path(L"one")), 0);

    combo->ComboGoUp(2);  // past the test root to the drive
    EXPECT_EQ(AnsiCompareText(combo->SelectedFolder()->PathName(), L"C:\\"), 0);
    EXPECT_EQ(AnsiCompareText(PathOf(combo->ItemIndex()), L"C:\\"), 0);

    combo->ComboGoUp(10);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->SelectedFolder()->IdList(), nullptr);
    combo->ComboGoUp(1);  // nothing above the desktop
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ShellCombo, LinksOneListOrOneTreeAndDrivesIt) {
    auto* list = new TFakeComboLink(form.get());
    auto* tree = new TFakeComboLink(form.get());
    Show(L"C:\\windows");
    combo->SetShellList(list);
    EXPECT_EQ(list->combo, combo);
    combo->SetShellTree(tree);  // ignored while the list is linked, without an error
    EXPECT_EQ(combo->ShellTree(), nullptr);
    EXPECT_EQ(tree->combo, nullptr);

    combo->ChooseItem(IndexOfPath(L"C:\\"));
    ASSERT_EQ(list->shown.size(), 1u);
    EXPECT_EQ(AnsiCompareText(list->shown[0], L"C:\\"), 0);
    EXPECT_EQ(AnsiCompareText(PathOf(combo->ItemIndex()), L"C:\\"), 0);
    combo->FlushLinked(false);
    combo->FlushLinked(true);
    EXPECT_EQ(list->flushes, 1);

    combo->SetShellList(nullptr);
    EXPECT_EQ(list->combo, nullptr);
    combo->SetShellTree(tree);
    EXPECT_EQ(tree->combo, combo);
    combo->SetShellList(list);  // and the other way round
    EXPECT_EQ(combo->ShellList(), nullptr);

    delete tree;  // a freed tree is unlinked
    EXPECT_EQ(combo->ShellTree(), nullptr);
    combo->ChooseItem(0);
    EXPECT_EQ(combo->SelectedFolder()->IdList(), nullptr);
}

TEST_F(ShellCombo, DropDownCountReachesTheScreenBottomAndKeepsARow) {
    Show(L"C:\\windows");
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    form->SetTop(0);
    PumpUntilIdle();
    combo->OpenDropDown();
    int bottom = combo->ClientToScreen(TPoint{0, combo->Height()}).y;
    EXPECT_EQ(combo->DropDownCount(), (screenHeight - bottom - 1) / combo->ItemHeight());

    // The combo at the very bottom of the screen: no row fits below it.
    combo->SetTop(170);
    form->SetTop(screenHeight - 190);
    PumpUntilIdle();
    bottom = combo->ClientToScreen(TPoint{0, combo->Height()}).y;
    ASSERT_LE((screenHeight - bottom - 1) / combo->ItemHeight(), 0) << "the combo was not moved low enough";
    combo->OpenDropDown();
    EXPECT_EQ(combo->DropDownCount(), 1);
}

TEST(ShellComboAdapter, ReportsOnlyTheColumnsAFolderShowsByDefault) {
    InitializeControlsUnits();
    TOwnedPidl windows;
    ASSERT_HRESULT_SUCCEEDED(PathToPidl(L"C:\\windows", windows.p));
    TComRef<IShellFolder> folder;
    ASSERT_HRESULT_SUCCEEDED(GetShellFolder(windows.p, *folder.Out()));
    TComRef<IShellFolder2> folder2;
    ASSERT_HRESULT_SUCCEEDED(folder->QueryInterface(IID_IShellFolder2, folder2.OutVoid()));
    TComRef<IShellDetails> details(GetDetailsInterface(folder.Get()));
    ASSERT_TRUE(details);
    TComRef<IShellDetails> same;
    EXPECT_HRESULT_SUCCEEDED(details->QueryInterface(IID_IShellDetails, same.OutVoid()));
    TComRef<IShellFolder> other;
    EXPECT_EQ(details->QueryInterface(IID_IShellFolder, other.OutVoid()), E_NOINTERFACE);
    EXPECT_EQ(details->ColumnClick(0), E_NOTIMPL);

    int shown = 0, hidden = 0;
    for (UINT column = 0; column < 40; ++column) {
        SHELLDETAILS direct{}, adapted{};
        SHCOLSTATEF state = 0;
        bool exists = SUCCEEDED(folder2->GetDetailsOf(nullptr, column, &direct));
        bool byDefault = FAILED(folder2->GetDefaultColumnState(column, &state)) || (state & SHCOLSTATE_ONBYDEFAULT);
        HRESULT result = details->GetDetailsOf(nullptr, column, &adapted);
        if (exists && byDefault) {
            EXPECT_HRESULT_SUCCEEDED(result) << column;
            ++shown;
        } else if (exists) {
            EXPECT_EQ(result, E_INVALIDARG) << column;
            ++hidden;
        } else {
            EXPECT_TRUE(FAILED(result)) << column;
        }
        if (direct.str.uType == STRRET_WSTR) CoTaskMemFree(direct.str.pOleStr);
        if (SUCCEEDED(result) && adapted.str.uType == STRRET_WSTR) CoTaskMemFree(adapted.str.pOleStr);
    }
    EXPECT_GE(shown, 4);  // name, size, type, modified at least
    RecordProperty("hidden columns", hidden);
}

namespace {

// A folder whose comparison starts another sort, as a re-entrant shell extension could.
class TReentrantFolder : public IShellFolder {
public:
    STDMETHODIMP QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE a, PCUIDLIST_RELATIVE b) override {
        if (reenter) {
            std::vector<PItemIDList> inner;
            SortPidls(this, inner);
        }
        int order = int(reinterpret_cast<const Byte*>(a)[2]) - int(reinterpret_cast<const Byte*>(b)[2]);
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, Word(SmallInt(order)));
    }
    STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_NOTIMPL; }
    STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_NOTIMPL; }
    STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_NOTIMPL; }
    bool reenter = false;
};

PItemIDList OneByteItem(Byte value) {
    auto* bytes = static_cast<Byte*>(ShellMemAlloc(5));
    bytes[0] = 3;
    bytes[1] = 0;
    bytes[2] = value;
    bytes[3] = 0;
    bytes[4] = 0;
    return reinterpret_cast<PItemIDList>(bytes);
}

}  // namespace

TEST(ShellComboSort, SortsByTheFolderAndRefusesANestedSort) {
    InitializeControlsUnits();
    TReentrantFolder folder;
    std::vector<PItemIDList> pidls{OneByteItem(3), OneByteItem(1), OneByteItem(2)};
    SortPidls(&folder, pidls);
    EXPECT_EQ(reinterpret_cast<Byte*>(pidls[0])[2], 1);
    EXPECT_EQ(reinterpret_cast<Byte*>(pidls[2])[2], 3);

    folder.reenter = true;
    try {
        SortPidls(&folder, pidls);
        ADD_FAILURE() << "a nested sort ran";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Recursive call to SortPidls");
    }
    folder.reenter = false;
    std::swap(pidls[0], pidls[2]);
    SortPidls(&folder, pidls);  // the guard was lifted again
    EXPECT_EQ(reinterpret_cast<Byte*>(pidls[0])[2], 1);
    for (PItemIDList p : pidls) ShellMemFree(p);
}
