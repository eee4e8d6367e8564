// Shell items as OLE data, by direct COM calls: the offered formats and their enumerator, the
// exact block layouts (read back by the system's own readers where it has them), the drop
// source's decisions, the drop target's forwarding, and the reading of blocks other programs
// wrote, malformed ones included.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <random>

#include "ControlsUnits.h"
#include "RzShellDataObject.h"
#include "RzShellDragDrop.h"
#include "TestSupport.h"

namespace {

struct TPidlHolder {
    PItemIDList p = nullptr;
    ~TPidlHolder() { ShellMemFree(p); }
};

std::vector<Byte> BlockBytes(HGLOBAL block) {
    std::vector<Byte> bytes(GlobalSize(block));
    std::memcpy(bytes.data(), GlobalLock(block), bytes.size());
    GlobalUnlock(block);
    return bytes;
}

std::vector<Byte> PidlBytes(const ITEMIDLIST* pidl) {
    auto* p = reinterpret_cast<const Byte*>(pidl);
    return std::vector<Byte>(p, p + PidlSize(pidl));
}

FORMATETC Descriptor(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL, DWORD aspect = DVASPECT_CONTENT) {
    return FORMATETC{format, nullptr, aspect, -1, tymed};
}

// A data object that offers one raw block as "Shell IDList Array", as another program might.
class TRawIdListData : public TInterfacedObject, public IDataObject {
public:
    explicit TRawIdListData(std::vector<Byte> bytes) : bytes_(std::move(bytes)) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        return QuerySingleInterface<IDataObject>(this, iid, IID_IDataObject, object);
    }
    RZ_COM_REFERENCE_COUNT
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (format->cfFormat != ShellIdListFormat()) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->pUnkForRelease = nullptr;
        medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        std::memcpy(GlobalLock(medium->hGlobal), bytes_.data(), bytes_.size());
        GlobalUnlock(medium->hGlobal);
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    std::vector<Byte> bytes_;
};

// Two temporary files and a folder in the shell's namespace, with their lists.
class ShellDataTransfer : public testing::Test {
protected:
    void SetUp() override {
        InitializeControlsUnits();
        for (const wchar_t* name : {L"one.level", L"Два.level"}) std::ofstream(temp.File(name).c_str()) << "x";
        CreateDirectoryW(temp.File(L"Sub").c_str(), nullptr);
        folderPath = temp.Path().substr(0, temp.Path().size() - 1);
        ASSERT_EQ(PathToPidl(folderPath, folder.p), S_OK);
        ASSERT_EQ(GetShellFolder(folder.p, *shellFolder.Out()), S_OK);
        for (const wchar_t* name : {L"one.level", L"Два.level"}) {
            ULONG eaten = 0;
            String parsed = name;
            PItemIDList item = nullptr;
            ASSERT_EQ(shellFolder->ParseDisplayName(nullptr, nullptr, parsed.data(), &eaten, &item, nullptr), S_OK);
            items.push_back(item);
        }
    }
    void TearDown() override {
        for (auto* item : items) ShellMemFree(item);
    }
    std::vector<const ITEMIDLIST*> Items() const { return {items.begin(), items.end()}; }

    TTempFolder temp;
    String folderPath;
    TPidlHolder folder;
    TComRef<IShellFolder> shellFolder;
    std::vector<PItemIDList> items;
};

}  // namespace

TEST_F(ShellDataTransfer, OffersIdListArrayFirstAndEnumeratesLikeTheInterfaceSays) {
    TComRef<IDataObject> data(TRzShellDataObject::Create(folder.p, {items[0]}, {temp.File(L"one.level")}));
    TComRef<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Out()), S_OK);

    FORMATETC got[3] = {};
    ULONG fetched = 99;
    ASSERT_EQ(formats->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].cfFormat, ShellIdListFormat());
    EXPECT_EQ(got[0].dwAspect, DWORD(DVASPECT_CONTENT));
    EXPECT_EQ(got[0].lindex, -1);
    EXPECT_EQ(got[0].tymed, DWORD(TYMED_HGLOBAL));
    EXPECT_EQ(got[0].ptd, nullptr);
    ASSERT_EQ(formats->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);

    ASSERT_EQ(formats->Reset(), S_OK);
    EXPECT_EQ(formats->Next(3, got, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[1].cfFormat, CF_HDROP);

    formats->Reset();
    EXPECT_EQ(formats->Skip(1), S_OK);
    TComRef<IEnumFORMATETC> clone;
    ASSERT_EQ(formats->Clone(clone.Out()), S_OK);
    ASSERT_EQ(clone->Next(1, got, nullptr), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP) << "a clone starts where its original stands";
    EXPECT_EQ(formats->Skip(5), S_FALSE);
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE) << "a skip past the end stops at the end";
    clone.Reset();
    data.Reset();  // the enumerator outlives its data object
    formats->Reset();
    EXPECT_EQ(formats->Next(2, got, &fetched), S_OK);

    TComRef<IUnknown> unknown;
    EXPECT_EQ(formats->QueryInterface(IID_IUnknown, unknown.OutVoid()), S_OK);
    EXPECT_EQ(formats->QueryInterface(IID_IDataObject, unknown.OutVoid()), E_NOINTERFACE);
    EXPECT_EQ(unknown.Get(), nullptr);
}

TEST_F(ShellDataTransfer, AnswersQueriesForFormatsMediaAndAspects) {
    TComRef<IDataObject> data(TRzShellDataObject::Create(folder.p, Items(), {temp.File(L"one.level")}));
    struct Case {
        const char* what;
        FORMATETC format;
        HRESULT expected;
    } cases[] = {
        {"id list array", Descriptor(ShellIdListFormat()), S_OK},
        {"file drop", Descriptor(CF_HDROP), S_OK},
        {"several media with global memory", Descriptor(CF_HDROP, TYMED_HGLOBAL | TYMED_ISTREAM), S_OK},
        {"another medium", Descriptor(ShellIdListFormat(), TYMED_ISTREAM), DV_E_TYMED},
        {"another aspect", Descriptor(CF_HDROP, TYMED_HGLOBAL, DVASPECT_THUMBNAIL), DV_E_FORMATETC},
        {"a format not offered", Descriptor(CF_UNICODETEXT), DV_E_FORMATETC},
    };
    for (auto& c : cases) {
        EXPECT_EQ(data->QueryGetData(&c.format), c.expected) << c.what;
        STGMEDIUM medium{};
        HRESULT got = data->GetData(&c.format, &medium);
        EXPECT_EQ(got, c.expected) << c.what;
        if (SUCCEEDED(got)) {
            EXPECT_EQ(medium.tymed, DWORD(TYMED_HGLOBAL));
            EXPECT_EQ(medium.pUnkForRelease, nullptr);
            ReleaseStgMedium(&medium);
        }
    }
    TComRef<IEnumFORMATETC> none;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, none.Out()), E_NOTIMPL);
    EXPECT_EQ(none.Get(), nullptr);
    FORMATETC format = Descriptor(CF_HDROP), canonical = format;
    canonical.ptd = reinterpret_cast<DVTARGETDEVICE*>(&format);
    EXPECT_EQ(data->GetCanonicalFormatEtc(&format, &canonical), E_NOTIMPL);
    EXPECT_EQ(canonical.ptd, nullptr);
    STGMEDIUM medium{};
    EXPECT_EQ(data->SetData(&format, &medium, FALSE), E_NOTIMPL);
    EXPECT_EQ(data->GetDataHere(&format, &medium), E_NOTIMPL);
    DWORD connection = 0;
    EXPECT_EQ(data->DAdvise(&format, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(data->DUnadvise(0), OLE_E_ADVISENOTSUPPORTED);

    // Nothing to carry, nothing offered.
    TComRef<IDataObject> empty(TRzShellDataObject::Create(folder.p, {}, {}));
    FORMATETC idList = Descriptor(ShellIdListFormat());
    EXPECT_EQ(empty->QueryGetData(&idList), DV_E_FORMATETC);
    TComRef<IEnumFORMATETC> formats;
    ASSERT_EQ(empty->EnumFormatEtc(DATADIR_GET, formats.Out()), S_OK);
    FORMATETC got{};
    EXPECT_EQ(formats->Next(1, &got, nullptr), S_FALSE);
}

TEST_F(ShellDataTransfer, IdListArrayHasTheSystemsLayoutAndMatchesTheShellsOwn) {
    TComRef<IDataObject> data(TRzShellDataObject::Create(folder.p, {items[0]}, {temp.File(L"one.level")}));
    FORMATETC format = Descriptor(ShellIdListFormat());
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    std::vector<Byte> bytes = BlockBytes(medium.hGlobal);
    ReleaseStgMedium(&medium);

    std::vector<Byte> parent = PidlBytes(folder.p), item = PidlBytes(items[0]);
    ASSERT_EQ(bytes.size(), 12 + parent.size() + item.size());
    auto int32At = [&](size_t at) {
        Integer v;
        std::memcpy(&v, &bytes[at], 4);
        return v;
    };
    EXPECT_EQ(int32At(0), 1);
    EXPECT_EQ(int32At(4), 4 + 2 * 4) << "the parent's list follows the two offsets";
    EXPECT_EQ(int32At(8), Integer(12 + parent.size()));
    EXPECT_EQ(std::vector<Byte>(bytes.begin() + 12, bytes.begin() + 12 + parent.size()), parent);
    EXPECT_EQ(std::vector<Byte>(bytes.begin() + 12 + parent.size(), bytes.end()), item);

    // Each request gets a copy of its own.
    STGMEDIUM again{};
    ASSERT_EQ(data->GetData(&format, &again), S_OK);
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_NE(again.hGlobal, medium.hGlobal);
    ReleaseStgMedium(&again);
    ReleaseStgMedium(&medium);

    // The shell's own data object for the same items says the same.
    TComRef<IDataObject> shellData;
    std::vector<const ITEMIDLIST*> both = Items();
    ASSERT_EQ(shellFolder->GetUIObjectOf(nullptr, 2, both.data(), IID_IDataObject, nullptr, shellData.OutVoid()), S_OK);
    ASSERT_EQ(shellData->GetData(&format, &medium), S_OK);
    std::vector<Byte> shellBytes = BlockBytes(medium.hGlobal);
    ReleaseStgMedium(&medium);
    const ITEMIDLIST* shellParent = nullptr;
    std::vector<const ITEMIDLIST*> shellItems;
    ASSERT_TRUE(ReadIdListArray(shellBytes.data(), shellBytes.size(), shellParent, shellItems));
    ASSERT_EQ(shellItems.size(), 2u);
    EXPECT_EQ(ComparePidls(shellParent, folder.p), 0);

    HGLOBAL ours = nullptr;
    ASSERT_EQ(BuildIdListArray(folder.p, both, ours), S_OK);
    std::vector<Byte> ourBytes = BlockBytes(ours);
    GlobalFree(ours);
    const ITEMIDLIST* ourParent = nullptr;
    std::vector<const ITEMIDLIST*> ourItems;
    ASSERT_TRUE(ReadIdListArray(ourBytes.data(), ourBytes.size(), ourParent, ourItems));
    for (size_t i = 0; i < 2; ++i) EXPECT_EQ(shellFolder->CompareIDs(0, ourItems[i], shellItems[i]) & 0xFFFF, 0) << i;

    // No parent: the desktop's empty list stands first.
    HGLOBAL orphan = nullptr;
    ASSERT_EQ(BuildIdListArray(nullptr, {items[0]}, orphan), S_OK);
    std::vector<Byte> orphanBytes = BlockBytes(orphan);
    GlobalFree(orphan);
    EXPECT_EQ(orphanBytes[12], 0);
    EXPECT_EQ(orphanBytes[13], 0);
}

TEST_F(ShellDataTransfer, FileDropBlockCarriesLongAndCyrillicNamesIntact) {
    String longName = L"C:\\" + String(300, L'x') + L".level";
    std::vector<String> names = {temp.File(L"one.level"), longName, L"C:\\Уровни\\Первый уровень.level"};
    TComRef<IDataObject> data(TRzShellDataObject::Create(folder.p, Items(), names));
    FORMATETC format = Descriptor(CF_HDROP);
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    std::vector<Byte> bytes = BlockBytes(medium.hGlobal);

    // The system's reader of file drops is the referee.
    auto drop = static_cast<HDROP>(medium.hGlobal);
    ASSERT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 3u);
    for (UINT i = 0; i < 3; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        String name(length, L'\0');
        DragQueryFileW(drop, i, name.data(), length + 1);
        EXPECT_EQ(Utf8(name), Utf8(names[i])) << i;
    }
    ReleaseStgMedium(&medium);

    DROPFILES header;
    std::memcpy(&header, bytes.data(), sizeof(header));
    EXPECT_EQ(header.pFiles, 20u);
    EXPECT_EQ(header.fWide, TRUE);
    EXPECT_EQ(header.fNC, FALSE);
    size_t textBytes = 0;
    for (auto& name : names) textBytes += (name.size() + 1) * 2;
    ASSERT_EQ(bytes.size(), 20 + textBytes + 2) << "sized from the names";
    auto* text = reinterpret_cast<const wchar_t*>(bytes.data() + 20);
    EXPECT_EQ(String(text), names[0]);
    EXPECT_EQ(text[names[0].size()], 0);
    EXPECT_EQ(text[textBytes / 2 - 1], 0);
    EXPECT_EQ(text[textBytes / 2], 0) << "ends with two NULs";
}

TEST(ShellDropSource, ContinuesDropsOrCancelsByButtonsAndEscape) {
    struct Case {
        TRzDragButton button;
        bool escape;
        DWORD keys;
        HRESULT expected;
    } cases[] = {
        {dbLeft, false, MK_LBUTTON, S_OK},
        {dbLeft, false, MK_LBUTTON | MK_CONTROL | MK_SHIFT, S_OK},
        {dbLeft, false, 0, DRAGDROP_S_DROP},
        {dbLeft, false, MK_CONTROL, DRAGDROP_S_DROP},
        {dbLeft, true, MK_LBUTTON, DRAGDROP_S_CANCEL},
        {dbLeft, false, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
        {dbLeft, false, MK_LBUTTON | MK_MBUTTON, DRAGDROP_S_CANCEL},
        {dbRight, false, MK_RBUTTON, S_OK},
        {dbRight, false, 0, DRAGDROP_S_DROP},
        {dbRight, false, MK_RBUTTON | MK_LBUTTON, DRAGDROP_S_CANCEL},
        {dbRight, true, 0, DRAGDROP_S_CANCEL},
        {dbMiddle, false, MK_MBUTTON, S_OK},
        {dbMiddle, false, MK_RBUTTON, DRAGDROP_S_CANCEL},
        {dbMiddle, false, 0, DRAGDROP_S_DROP},
    };
    for (auto& c : cases) {
        TComRef<IDropSource> source(TDropSource_shlvtv::Create(c.button));
        EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.expected)
            << int(c.button) << " escape " << c.escape << " keys " << c.keys;
        EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
    }
}

namespace {

struct TRecordingDropHandler : IRzShellDropHandler {
    std::vector<std::string> calls;
    bool fail = false;
    void DoDragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD& effect) override {
        calls.push_back("enter " + std::to_string(data != nullptr) + " " + std::to_string(keys) + " " +
                        std::to_string(point.x) + "," + std::to_string(point.y));
        effect = DROPEFFECT_MOVE;
    }
    void DoDragOver(DWORD, POINTL, DWORD& effect) override {
        calls.push_back("over");
        if (fail) throw Exception(L"the folder is gone");
        effect = DROPEFFECT_LINK;
    }
    void DoDragLeave() override { calls.push_back("leave"); }
    void DoDrop(IDataObject*, DWORD, POINTL, DWORD& effect) override {
        calls.push_back("drop");
        effect = DROPEFFECT_COPY;
    }
};

}  // namespace

TEST(ShellDropTarget, PassesCallsToItsControlAndRefusesWhenTheControlFails) {
    InitializeControlsUnits();
    TRecordingDropHandler control;
    TComRef<IDropTarget> target(TRzShellDropTarget::Create(&control));
    TComRef<IDropTarget> again;
    ASSERT_EQ(target->QueryInterface(IID_IDropTarget, again.OutVoid()), S_OK);
    EXPECT_EQ(again.Get(), target.Get());

    TComRef<IDataObject> data(TRzShellDataObject::Create(nullptr, {}, {L"C:\\a.txt"}));
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, POINTL{5, 7}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(target->DragOver(MK_LBUTTON, POINTL{6, 7}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_LINK));
    EXPECT_EQ(target->Drop(data.Get(), 0, POINTL{6, 7}, &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(control.calls, (std::vector<std::string>{"enter 1 1 5,7", "over", "drop", "leave"}));

    // A failure inside the control is reported, and the system hears "no drop".
    TakeRecordedCallbackErrors();
    control.fail = true;
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, POINTL{0, 0}, &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    auto errors = TakeRecordedCallbackErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(Utf8(errors[0]), "the folder is gone");
}

TEST_F(ShellDataTransfer, DroppedItemsEffectsOfTheShellsDataAndOurs) {
    // Referee: the shell's own data object for the two files.
    TComRef<IDataObject> shellData;
    std::vector<const ITEMIDLIST*> both = Items();
    ASSERT_EQ(shellFolder->GetUIObjectOf(nullptr, 2, both.data(), IID_IDataObject, nullptr, shellData.OutVoid()), S_OK);
    SFGAOF expected = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    ASSERT_EQ(shellFolder->GetAttributesOf(2, both.data(), &expected), S_OK);
    expected &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_NE(expected, 0u);
    EXPECT_EQ(DroppedItemsEffects(shellData.Get()), expected);

    TComRef<IDataObject> ours(TRzShellDataObject::Create(folder.p, both, {}));
    EXPECT_EQ(DroppedItemsEffects(ours.Get()), expected);

    // Without a readable "Shell IDList Array" every effect is allowed.
    TComRef<IDataObject> namesOnly(TRzShellDataObject::Create(folder.p, {}, {temp.File(L"one.level")}));
    EXPECT_EQ(DroppedItemsEffects(namesOnly.Get()), 7u);
    struct Bad {
        const char* what;
        std::vector<Byte> bytes;
    } bad[] = {
        {"too short for a count", {1, 0}},
        {"negative count", {0xFF, 0xFF, 0xFF, 0xFF, 12, 0, 0, 0, 0, 0}},
        {"offsets past the end", {1, 0, 0, 0, 12, 0, 0, 0}},
        {"offset past the end", {1, 0, 0, 0, 12, 0, 0, 0, 0x70, 0, 0, 0, 0, 0}},
        {"negative offset", {1, 0, 0, 0, 12, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF, 0, 0}},
        {"list without its end", {1, 0, 0, 0, 12, 0, 0, 0, 14, 0, 0, 0, 0, 0, 6, 0, 1, 2}},
        {"huge count", {0xFF, 0xFF, 0xFF, 0x7F, 8, 0, 0, 0, 0, 0}},
    };
    for (auto& b : bad) {
        auto* raw = new TRawIdListData(b.bytes);
        raw->AddRef();
        TComRef<IDataObject> data(raw);
        EXPECT_EQ(DroppedItemsEffects(data.Get()), 7u) << b.what;
    }
}

namespace {

// Memory whose neighbours cannot be read: a read past either end of a block faults at once.
class TGuardedPage {
public:
    TGuardedPage() {
        base_ = static_cast<Byte*>(VirtualAlloc(nullptr, 3 * Page, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS));
        DWORD old;
        VirtualProtect(base_ + Page, Page, PAGE_READWRITE, &old);
    }
    ~TGuardedPage() { VirtualFree(base_, 0, MEM_RELEASE); }
    // The bytes at the very end of the readable page, or at its very start.
    Byte* Place(const std::vector<Byte>& bytes, bool atEnd) {
        Byte* at = atEnd ? base_ + 2 * Page - bytes.size() : base_ + Page;
        if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
        return at;
    }
    static constexpr size_t Page = 4096;

private:
    Byte* base_;
};

bool InsideBlock(const Byte* block, size_t size, const ITEMIDLIST* list) {
    auto* p = reinterpret_cast<const Byte*>(list);
    if (p < block || p + 2 > block + size) return false;
    size_t at = size_t(p - block);
    for (;;) {
        if (at + 2 > size) return false;
        Word count = Word(block[at] | (block[at + 1] << 8));
        if (count == 0) return true;
        at += count;
    }
}

}  // namespace

TEST_F(ShellDataTransfer, MalformedIdListArraysAreNeverReadOutsideTheirBlock) {
    HGLOBAL valid = nullptr;
    ASSERT_EQ(BuildIdListArray(folder.p, Items(), valid), S_OK);
    const std::vector<Byte> original = BlockBytes(valid);
    GlobalFree(valid);
    ASSERT_LT(original.size(), TGuardedPage::Page);

    TGuardedPage page;
    std::mt19937 random(20261210);
    int accepted = 0;
    for (int round = 0; round < 12000; ++round) {
        std::vector<Byte> bytes = original;
        int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes; ++c) {
            switch (random() % 5) {
                case 0:  // a random byte anywhere
                    bytes[random() % bytes.size()] = Byte(random());
                    break;
                case 1: {  // a random count or offset, often negative or huge
                    size_t field = random() % 4;
                    Integer value = (random() % 2) ? Integer(random()) : Integer(random() % 64) - 8;
                    std::memcpy(&bytes[field * 4], &value, 4);
                    break;
                }
                case 2:  // cut short
                    bytes.resize(random() % (bytes.size() + 1));
                    break;
                case 3: {  // an item count that points elsewhere
                    if (bytes.size() < 16) break;
                    size_t at = 12 + random() % (bytes.size() - 13);
                    bytes[at] = Byte(random() % 8);
                    bytes[at + 1] = Byte(random() % 2 ? 0 : random());
                    break;
                }
                default:  // some bytes more
                    bytes.resize(bytes.size() + random() % 16, Byte(random()));
                    break;
            }
            if (bytes.empty()) break;
        }
        Byte* block = page.Place(bytes, round % 2 == 0);
        const ITEMIDLIST* parent = nullptr;
        std::vector<const ITEMIDLIST*> found;
        if (!ReadIdListArray(block, bytes.size(), parent, found)) continue;
        ++accepted;
        ASSERT_TRUE(InsideBlock(block, bytes.size(), parent)) << round;
        for (auto* item : found) ASSERT_TRUE(InsideBlock(block, bytes.size(), item)) << round;
    }
    EXPECT_GT(accepted, 0) << "some changes leave a readable block";

    // An intact block reads back whole, at either end of the page.
    for (bool atEnd : {false, true}) {
        const ITEMIDLIST* parent = nullptr;
        std::vector<const ITEMIDLIST*> found;
        ASSERT_TRUE(ReadIdListArray(page.Place(original, atEnd), original.size(), parent, found));
        EXPECT_EQ(found.size(), 2u);
        EXPECT_EQ(PidlBytes(parent), PidlBytes(folder.p));
    }
}

TEST_F(ShellDataTransfer, ParentFolderAndItemOfAbsoluteLists) {
    TPidlHolder file;
    ASSERT_EQ(PathToPidl(temp.File(L"Два.level"), file.p), S_OK);
    IShellFolder* parent = nullptr;
    PItemIDList parentList = nullptr, item = nullptr;
    ASSERT_EQ(GetParentFolderAndItem(file.p, parent, parentList, item), S_OK);
    TComRef<IShellFolder> holder(parent);
    EXPECT_EQ(ComparePidls(parentList, folder.p), 0);
    EXPECT_EQ(Utf8(GetPidlDisplayName(parent, item, snkInFolder).substr(0, 3)), Utf8(L"Два"));
    ShellMemFree(parentList);
    ShellMemFree(item);

    // A one-item list lies in the desktop, with no parent list.
    TPidlHolder drives;
    ASSERT_EQ(GetSpecialFolderPidl(nullptr, CSIDL_DRIVES, drives.p), S_OK);
    ASSERT_EQ(GetParentFolderAndItem(drives.p, parent, parentList, item), S_OK);
    holder.Reset();
    TComRef<IShellFolder> desktopHolder(parent);
    EXPECT_EQ(parentList, nullptr);
    EXPECT_EQ(PidlBytes(item), PidlBytes(drives.p));
    ShellMemFree(item);

    // The desktop itself stands for its file-system folder.
    Word empty = 0;
    ASSERT_EQ(GetParentFolderAndItem(reinterpret_cast<ITEMIDLIST*>(&empty), parent, parentList, item), S_OK);
    TComRef<IShellFolder> desktopFolderHolder(parent);
    TPidlHolder whole;
    whole.p = ConcatPidls(nullptr, parentList, item);
    EXPECT_EQ(PidlToPath(whole.p), PidlToPath(nullptr));
    ShellMemFree(parentList);
    ShellMemFree(item);

    TComRef<IDataObject> data;
    EXPECT_EQ(GetPidlUIObject(file.p, IID_IDataObject, data.OutVoid()), S_OK);
    EXPECT_NE(data.Get(), nullptr);
    TComRef<IDropTarget> desktopTarget;
    EXPECT_EQ(GetDesktopDropTarget(*desktopTarget.Out()), S_OK);
    EXPECT_NE(desktopTarget.Get(), nullptr);
}
