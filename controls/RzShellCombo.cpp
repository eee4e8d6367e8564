#include "RzShellCombo.h"

#include <algorithm>

#include "Form.h"
#include "RzShellHelpers.h"
#include "Screen.h"

// Sections: entry data; linking; filling; selection and navigation; window life; sorting;
// the column adapter.

namespace {

constexpr SFGAOF ComboFillAttributes = 0xF00B0000;  // subfolders, file system, folder, ancestor, hidden, share, link
constexpr SFGAOF AncestorAttributes = 0xB00B0000;   // the same without the file-system bit
constexpr UINT SmallIcon = SHGFI_SMALLICON;
constexpr UINT SmallOpenIcon = SHGFI_SMALLICON | SHGFI_OPENICON;

// Whether folder's items a and b are the same by the folder's order.
bool SameItem(IShellFolder* folder, const ITEMIDLIST* a, const ITEMIDLIST* b) {
    HRESULT result = folder->CompareIDs(0, a, b);
    return SUCCEEDED(result) && SmallInt(HRESULT_CODE(result)) == 0;
}

SFGAOF AttributesOf(IShellFolder* folder, const ITEMIDLIST* relPidl, SFGAOF wanted) {
    SFGAOF attributes = wanted;
    if (FAILED(folder->GetAttributesOf(1, &relPidl, &attributes))) return 0;
    return attributes;
}

void SetOverlays(TRzImageComboBoxItem* item, SFGAOF attributes) {
    if (attributes & SFGAO_SHARE) item->SetOverlayIndex(0);
    if (attributes & SFGAO_LINK) item->SetOverlayIndex(1);
}

}  // namespace

// ---- entry data

TRzShellComboData::~TRzShellComboData() {
    if (parentFolder_) parentFolder_->Release();
    ShellMemFree(parentPidl_);
    ShellMemFree(relPidl_);
    ShellMemFree(absPidl_);
}

void TRzShellComboData::SetItem(IShellFolder* parentFolder, const ITEMIDLIST* parentPidl, const ITEMIDLIST* relPidl) {
    if (parentFolder) parentFolder->AddRef();
    if (parentFolder_) parentFolder_->Release();
    parentFolder_ = parentFolder;
    ShellMemFree(parentPidl_);
    ShellMemFree(relPidl_);
    ShellMemFree(absPidl_);
    parentPidl_ = CopyPidl(nullptr, parentPidl);
    relPidl_ = CopyPidl(nullptr, relPidl);
    absPidl_ = ConcatPidls(nullptr, parentPidl_, relPidl_);
}

// ---- linking

TRzCustomShellCombo::TRzCustomShellCombo(TComponent* AOwner)
    : TRzCustomImageComboBox(AOwner), locator_(new TRzShellLocator), systemImages_(new TImageList(this)) {
    locator_->OnChange = MakeEvent(this, &TRzCustomShellCombo::LocatorChanged);
    systemImages_->SetShareImages(true);
    systemImages_->SetHandle(GetSystemImageList(sisSmall));
    SetImages(systemImages_);
}

TRzCustomShellCombo::~TRzCustomShellCombo() {
    SetShellList(nullptr);
    SetShellTree(nullptr);
    if (HandleAllocated()) DestroyHandle();
    DeleteShellItems();
    delete locator_;
}

IRzShellComboLink* TRzCustomShellCombo::Link() const {
    if (shellTree_) return dynamic_cast<IRzShellComboLink*>(shellTree_);
    if (shellList_) return dynamic_cast<IRzShellComboLink*>(shellList_);
    return nullptr;
}

void TRzCustomShellCombo::Relink(TComponent*& field, TComponent* v) {
    if (v == field) return;
    if (v && !dynamic_cast<IRzShellComboLink*>(v)) throw EInvalidOperation(L"A shell list or tree is required");
    if (field) {
        if (auto* link = dynamic_cast<IRzShellComboLink*>(field)) link->LinkShellCombo(nullptr);
        field->RemoveFreeNotification(this);
    }
    field = v;
    if (v) {
        v->FreeNotification(this);
        dynamic_cast<IRzShellComboLink*>(v)->LinkShellCombo(this);
    }
}

void TRzCustomShellCombo::SetShellList(TComponent* v) {
    if (v && shellTree_) return;  // a tree drives the combo already
    Relink(shellList_, v);
}

void TRzCustomShellCombo::SetShellTree(TComponent* v) {
    if (v && shellList_) return;  // a list is linked already
    Relink(shellTree_, v);
}

void TRzCustomShellCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TRzCustomImageComboBox::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == shellList_) shellList_ = nullptr;
    if (AComponent == shellTree_) shellTree_ = nullptr;
}

void TRzCustomShellCombo::FlushLinked(bool flush) {
    if (!flush) return;
    if (IRzShellComboLink* link = Link()) link->FlushForCombo();
}

// ---- filling

TRzShellComboData* TRzCustomShellCombo::ItemData(int index) const {
    if (index < 0 || index >= Items()->Count()) return nullptr;
    TRzImageComboBoxItem* item = ItemAt(index);
    return item ? static_cast<TRzShellComboData*>(item->Data()) : nullptr;
}

void TRzCustomShellCombo::DeleteShellItems() {
    if (Items()->Count()) {
        SetItemIndex(-1);
        ClearItems();
    }
    for (TRzShellComboData* data : data_) delete data;
    data_.clear();
}

bool TRzCustomShellCombo::CanAddComboItem(IShellFolder*, const ITEMIDLIST*, int, SFGAOF, const ITEMIDLIST*) {
    return true;
}

void TRzCustomShellCombo::FillCombo() {
    if (!HandleAllocated()) return;
    Items()->BeginUpdate();
    ++lock_;
    try {
        DeleteShellItems();
        // The locator's list is read once: the levels point into it while the fill runs.
        PItemIDList shown = CopyPidl(nullptr, locator_->IdList());
        TRzIdListArray levels(shown);
        TFillTarget target{&levels, levels.Count(), false, -1};
        try {
            TComRef<IShellFolder> desktop;
            OleCheck(GetDesktopFolder(*desktop.Out()));
            FillComboLevel(desktop.Get(), nullptr, target, -1);
        } catch (...) {
            ShellMemFree(shown);
            throw;
        }
        ShellMemFree(shown);
        SetItemIndex(target.selected >= 0 ? target.selected : (Items()->Count() ? 0 : -1));
    } catch (...) {
        --lock_;
        Items()->EndUpdate();
        throw;
    }
    --lock_;
    Items()->EndUpdate();
}

TRzImageComboBoxItem* TRzCustomShellCombo::AddShellItem(IShellFolder* folder, const ITEMIDLIST* parentPidl,
                                                        const ITEMIDLIST* relPidl, int level, SFGAOF attributes,
                                                        bool withCaption) {
    auto* data = new TRzShellComboData(this);
    data_.push_back(data);
    data->SetItem(folder, parentPidl, relPidl);
    TRzImageComboBoxItem* item = withCaption ? AddItem(GetPidlDisplayName(folder, relPidl, snkInFolder),
                                                       GetPidlIconIndex(data->AbsPidl(), SmallOpenIcon), level)
                                             : AddItem(String(), -1, level);
    item->SetData(data);
    SetOverlays(item, attributes);
    return item;
}

void TRzCustomShellCombo::FillComboLevel(IShellFolder* folder, const ITEMIDLIST* parentPidl, TFillTarget& target,
                                         int level) {
    PItemIDList computer = nullptr;
    OleCheck(GetSpecialFolderPidl(nullptr, CSIDL_DRIVES, computer));
    PItemIDList parent = nullptr;
    std::vector<PItemIDList> children;
    auto cleanUp = [&] {
        ShellMemFree(computer);
        ShellMemFree(parent);
        for (PItemIDList child : children) ShellMemFree(child);
    };
    try {
        if (level == -1) {
            PItemIDList empty = CopyPidl(nullptr, nullptr);
            TRzImageComboBoxItem* desktop =
                AddItem(GetPidlDisplayName(folder, empty, snkInFolder), GetPidlIconIndex(empty, SmallIcon), 0);
            auto* data = new TRzShellComboData(this);
            data_.push_back(data);
            data->SetItem(folder, nullptr, nullptr);
            desktop->SetData(data);
            ShellMemFree(empty);
            level = 1;
        } else {
            parent = CopyPidl(nullptr, parentPidl);
        }

        TComRef<IEnumIDList> enumerator;
        HRESULT started = folder->EnumObjects(ShellOwnerWindow(this), SHCONTF_FOLDERS, enumerator.Out());
        OleCheck(started);
        if (started == S_OK && enumerator) {
            PItemIDList child = nullptr;
            ULONG fetched = 0;
            HRESULT next;
            while ((next = enumerator->Next(1, &child, &fetched)) == S_OK && fetched == 1) children.push_back(child);
            OleCheck(next);
        }
        SortPidls(folder, children);

        for (PItemIDList rel : children) {
            SFGAOF attributes = AttributesOf(folder, rel, ComboFillAttributes);
            bool considered = options_.Contains(scoNonFilesystemAncestors) ||
                              (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
            if (!considered || !CanAddComboItem(folder, parent, level, attributes, rel)) continue;
            bool matches =
                !target.usedUp && level - 1 < target.count && SameItem(folder, rel, target.levels->Items(level - 1));
            bool lastOfTarget = matches && target.count == level;
            TRzImageComboBoxItem* item = AddShellItem(folder, parent, rel, level, attributes, lastOfTarget);
            auto* data = static_cast<TRzShellComboData*>(item->Data());
            bool isComputer = level == 1 && ComparePidls(data->AbsPidl(), computer) == 0;
            if (matches) {
                if (lastOfTarget) {
                    target.selected = item->Index();
                    target.usedUp = true;
                } else if (!isComputer) {
                    AddAncestorChain(folder, data->AbsPidl(), rel, target, level);
                    target.usedUp = true;
                }
            }
            if (isComputer) {
                TComRef<IShellFolder> computerFolder;
                OleCheck(folder->BindToObject(rel, nullptr, IID_IShellFolder, computerFolder.OutVoid()));
                FillComboLevel(computerFolder.Get(), data->AbsPidl(), target, 2);
            }
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
}

void TRzCustomShellCombo::AddAncestorChain(IShellFolder* folder, const ITEMIDLIST* matchedAbs,
                                           const ITEMIDLIST* matchedRel, TFillTarget& target, int level) {
    TComRef<IShellFolder> current;
    OleCheck(folder->BindToObject(matchedRel, nullptr, IID_IShellFolder, current.OutVoid()));
    PItemIDList currentPidl = CopyPidl(nullptr, matchedAbs);
    TRzImageComboBoxItem* last = nullptr;
    try {
        for (int depth = level + 1; depth <= target.count; ++depth) {
            PItemIDList rel = CopyPidl(nullptr, target.levels->Items(depth - 1));
            try {
                bool isLast = depth == target.count;
                SFGAOF attributes = AttributesOf(current.Get(), rel, AncestorAttributes);
                last = AddShellItem(current.Get(), currentPidl, rel, depth, attributes, isLast);
                if (!isLast) {
                    TComRef<IShellFolder> next;
                    OleCheck(current->BindToObject(rel, nullptr, IID_IShellFolder, next.OutVoid()));
                    *current.Out() = next.Detach();
                    PItemIDList deeper = ConcatPidls(nullptr, currentPidl, rel);
                    ShellMemFree(currentPidl);
                    currentPidl = deeper;
                }
            } catch (...) {
                ShellMemFree(rel);
                throw;
            }
            ShellMemFree(rel);
        }
    } catch (...) {
        ShellMemFree(currentPidl);
        throw;
    }
    ShellMemFree(currentPidl);
    if (last) target.selected = last->Index();
}

void TRzCustomShellCombo::DoGetItemData(TRzImageComboBoxItem* item) {
    TRzCustomImageComboBox::DoGetItemData(item);
    auto* data = static_cast<TRzShellComboData*>(item->Data());
    if (!data || item->ImageIndex() != -1) return;
    item->SetImageIndex(GetPidlIconIndex(data->AbsPidl(), SmallIcon));
    item->SetCaption(GetPidlDisplayName(data->ParentFolder(), data->RelPidl(), snkInFolder));
}

// ---- selection and navigation

void TRzCustomShellCombo::DoSelEndOk() {
    TRzCustomImageComboBox::DoSelEndOk();
    if (TRzShellComboData* data = ItemData(ItemIndex())) locator_->SetIdList(data->AbsPidl());
}

void TRzCustomShellCombo::LocatorChanged(TObject*) { ComboFolderChanged(); }

void TRzCustomShellCombo::ComboFolderChanged() {
    if (lock_ > 0) return;
    ++lock_;
    try {
        if (IRzShellComboLink* link = Link()) link->ShowComboFolder(locator_->IdList(), false);
        FillCombo();
    } catch (...) {
        --lock_;
        throw;
    }
    --lock_;
}

void TRzCustomShellCombo::FollowTreeNode(const ITEMIDLIST* nodePidl) { locator_->SetIdList(nodePidl); }

void TRzCustomShellCombo::ComboGoUp(int levels) {
    int selected = ItemIndex();
    if (selected < 0) return;
    int threshold = ItemAt(selected)->IndentLevel() - levels + 1;
    int at = selected;
    while (at > 0 && ItemAt(at)->IndentLevel() >= threshold) --at;
    if (at == selected) return;
    if (TRzShellComboData* data = ItemData(at)) locator_->SetIdList(data->AbsPidl());
}

void TRzCustomShellCombo::DropDown() {
    if (autoDropDownCount_ && HandleAllocated()) {
        int bottom = ClientToScreen(TPoint{0, Height()}).y;
        int rows = (Screen->Height() - bottom - 1) / std::max(1, ItemHeight());
        // Near the bottom of the screen there is no room below: the list still shows a row.
        SetDropDownCount(std::max(1, rows));
    }
    TRzCustomImageComboBox::DropDown();
}

// ---- window life

void TRzCustomShellCombo::CreateWnd() {
    TRzCustomImageComboBox::CreateWnd();
    if (!IsLoading() && options_.Contains(scoAutofill)) FillCombo();
}

void TRzCustomShellCombo::DestroyWnd() {
    DeleteShellItems();
    TRzCustomImageComboBox::DestroyWnd();
}

void TRzCustomShellCombo::Loaded() {
    TRzCustomImageComboBox::Loaded();
    if (!options_.Contains(scoAutofill)) return;
    ++lock_;
    try {
        FillCombo();
        if (IRzShellComboLink* link = Link()) link->ShowComboFolder(locator_->IdList(), shellTree_ != nullptr);
    } catch (...) {
        --lock_;
        throw;
    }
    --lock_;
}

// ---- sorting

namespace {
bool sortRunning = false;
}

void SortPidls(IShellFolder* folder, std::vector<PItemIDList>& pidls) {
    if (sortRunning) throw Exception(L"Recursive call to SortPidls");
    sortRunning = true;
    try {
        std::stable_sort(pidls.begin(), pidls.end(), [folder](PItemIDList a, PItemIDList b) {
            HRESULT result = folder->CompareIDs(0, a, b);
            return SUCCEEDED(result) && SmallInt(HRESULT_CODE(result)) < 0;
        });
    } catch (...) {
        sortRunning = false;
        throw;
    }
    sortRunning = false;
}

// ---- the column adapter

TShellFolder2ToShellDetailsAdapter::TShellFolder2ToShellDetailsAdapter(IShellFolder2* folder) : folder_(folder) {
    folder_->AddRef();
}

TShellFolder2ToShellDetailsAdapter::~TShellFolder2ToShellDetailsAdapter() { folder_->Release(); }

STDMETHODIMP TShellFolder2ToShellDetailsAdapter::QueryInterface(REFIID iid, void** object) {
    return ComGuard([&] { return QuerySingleInterface<IShellDetails>(this, iid, IID_IShellDetails, object); });
}

STDMETHODIMP TShellFolder2ToShellDetailsAdapter::GetDetailsOf(PCUITEMID_CHILD pidl, UINT column,
                                                              SHELLDETAILS* details) {
    return ComGuard([&]() -> HRESULT {
        SHCOLSTATEF state = 0;
        HRESULT known = folder_->GetDefaultColumnState(column, &state);
        if (FAILED(known) || (state & SHCOLSTATE_ONBYDEFAULT)) return folder_->GetDetailsOf(pidl, column, details);
        return E_INVALIDARG;
    });
}

STDMETHODIMP TShellFolder2ToShellDetailsAdapter::ColumnClick(UINT) { return E_NOTIMPL; }

IShellDetails* GetDetailsInterface(IShellFolder* folder) {
    if (!folder) return nullptr;
    TComRef<IShellFolder2> folder2;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellFolder2, folder2.OutVoid())) && folder2) {
        SHELLDETAILS details{};
        if (SUCCEEDED(folder2->GetDetailsOf(nullptr, 0, &details))) {
            if (details.str.uType == STRRET_WSTR) CoTaskMemFree(details.str.pOleStr);
            auto* adapter = new TShellFolder2ToShellDetailsAdapter(folder2.Get());
            adapter->AddRef();
            return adapter;
        }
    }
    IShellDetails* details = nullptr;
    if (SUCCEEDED(folder->QueryInterface(IID_IShellDetails, reinterpret_cast<void**>(&details))) && details)
        return details;
    details = nullptr;
    if (SUCCEEDED(folder->CreateViewObject(nullptr, IID_IShellDetails, reinterpret_cast<void**>(&details))) && details)
        return details;
    return nullptr;
}

void InitializeRzShellCombo() { RegisterClass(TRzShellCombo::StaticClass()); }
