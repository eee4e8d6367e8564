#include "RzShellList.h"
#include "RzShellScopes.h"

#include <algorithm>

#include "Application.h"
#include "Form.h"
#include "MessageDialogs.h"
#include <dbt.h>
#include "RzDeviceChangeHandler.h"
#include "RzShellDataObject.h"
#include "RzShellHelpers.h"
#include "RzShellKeys.h"
#include "Screen.h"
#include "SysUtils.h"

namespace {

constexpr SFGAOF ListDataAttributes = 0x700F0037;
constexpr SFGAOF IncludeAttributes =
    0x724B0000;  // ancestor, folder, file system, removable, stream, hidden, share, link
constexpr int DefaultAllocBy = 256;

// The widths of the last file-system folder's columns, for the next one (this process only).
std::vector<Integer> savedColumnWidths;
// The default widths data of the last default-column setup and its size (0: none yet).
Word rememberedColumnData[11] = {};
Integer rememberedColumnSize = 0;

String StrRetText(STRRET& name, const ITEMIDLIST* pidl) {
    switch (name.uType) {
        case STRRET_WSTR: {
            String text = name.pOleStr ? name.pOleStr : L"";
            CoTaskMemFree(name.pOleStr);
            return text;
        }
        case STRRET_OFFSET: {
            const char* ansi = reinterpret_cast<const char*>(pidl) + name.uOffset;
            int length = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
            String text(size_t(std::max(length, 1)), L'\0');
            MultiByteToWideChar(CP_ACP, 0, ansi, -1, text.data(), length);
            text.resize(wcslen(text.c_str()));
            return text;
        }
        case STRRET_CSTR: {
            wchar_t wide[MAX_PATH] = {};
            MultiByteToWideChar(CP_ACP, 0, name.cStr, -1, wide, MAX_PATH);
            return wide;
        }
    }
    return String();
}

String UpperName(const String& name) {
    String upper = name;
    CharUpperBuffW(upper.data(), DWORD(upper.size()));
    return upper;
}

}  // namespace

// ---- item data

TRzShellListData::~TRzShellListData() {
    ShellMemFree(relPidl_);
    ShellMemFree(absPidl_);
}

const ITEMIDLIST* TRzShellListData::AbsPidl() {
    if (!absPidl_) absPidl_ = ConcatPidls(nullptr, owner_->folderPidl_, relPidl_);
    return absPidl_;
}

void TRzShellListData::SetRelPidl(PItemIDList value) {
    ShellMemFree(relPidl_);
    ShellMemFree(absPidl_);
    relPidl_ = value;
    absPidl_ = nullptr;
    haveName_ = false;
    textsFilled_ = false;
    iconIndex_ = -1;
}

SFGAOF TRzShellListData::Attributes() {
    if (!owner_->shellFolder_) return 0;
    SFGAOF wanted = HIWORD(Shell32Version().MS) >= 6 ? 0x704F0037 : ListDataAttributes;
    String path = PathName();
    // Asking a removable drive whether an item is read-only may spin the drive up.
    if (path.size() > 3 && GetDriveTypeW(path.substr(0, 3).c_str()) == DRIVE_REMOVABLE) wanted &= ~SFGAO_READONLY;
    const ITEMIDLIST* item = relPidl_;
    if (FAILED(owner_->shellFolder_->GetAttributesOf(1, &item, &wanted))) return 0;
    return wanted;
}

bool TRzShellListData::IsFolder() {
    return IsFolderItem(Attributes(), owner_->options_.Contains(sloFilesCanBeFolders));
}

bool TRzShellListData::IsLink() {
    String name = FileName();
    return name.size() > 4 && AnsiCompareText(name.substr(name.size() - 4), L".lnk") == 0;
}

const String& TRzShellListData::DisplayName() {
    if (!haveName_) {
        displayName_ = GetPidlDisplayName(owner_->shellFolder_, relPidl_, snkInFolder);
        haveName_ = true;
    }
    return displayName_;
}

String TRzShellListData::FileName() {
    String parsing = GetPidlDisplayName(owner_->shellFolder_, relPidl_, snkForParsing);
    size_t slash = parsing.find_last_of(L'\\');
    return slash == String::npos ? parsing : parsing.substr(slash + 1);
}

String TRzShellListData::PathName() { return PidlToPath(AbsPidl()); }

void TRzShellListData::FillDefaultTexts() {
    if (textsFilled_) return;
    textsFilled_ = true;
    SFGAOF attributes = Attributes();
    GetFileSizeAndDate(AbsPidl(), size_, modified_);
    if (IsFolderItem(attributes, owner_->options_.Contains(sloFilesCanBeFolders))) size_.clear();
    type_ = GetFileTypeName(AbsPidl(), attributes);
}

String TRzShellListData::ColumnText(int column) {
    if (column == 0) return String();
    if (owner_->details_) {
        SHELLDETAILS details{};
        if (FAILED(owner_->details_->GetDetailsOf(relPidl_, UINT(column), &details))) return String();
        return StrRetText(details.str, relPidl_);
    }
    FillDefaultTexts();
    switch (column) {
        case 1:
            return size_;
        case 2:
            return type_;
        case 3:
            return modified_;
    }
    return String();
}

int TRzShellListData::IconIndex() {
    if (iconIndex_ < 0) iconIndex_ = GetPidlIconIndex(AbsPidl(), SHGFI_SMALLICON);
    return iconIndex_;
}

// ---- options and links

TRzShellListOptions TRzShellList::DefaultOptions() {
    return TRzShellListOptions{sloAutoFill,         sloNonFilesystemAncestors, sloDefaultKeyHandling,
                               sloContextMenus,     sloDynamicRefresh,         sloOleDrag,
                               sloOleDrop,          sloFolderContextMenu,      sloShowHidden,
                               sloFilesCanBeFolders};
}

TRzCustomShellList::TRzCustomShellList(TComponent* AOwner)
    : TRzCustomListView(AOwner),
      syncTimer_(new TTimer(this)),
      folder_(new TRzShellLocator),
      options_(TRzShellList::DefaultOptions()),
      smallImages_(new TImageList(this)),
      largeImages_(new TImageList(this)) {
    folder_->OnChange = MakeEvent(this, &TRzCustomShellList::FolderChanged);
    syncTimer_->SetEnabled(false);
    syncTimer_->SetOnTimer(MakeEvent(this, &TRzCustomShellList::SyncTimerFired));
    smallImages_->SetShareImages(true);
    smallImages_->SetHandle(GetSystemImageList(sisSmall));
    largeImages_->SetShareImages(true);
    largeImages_->SetHandle(GetSystemImageList(sisLarge));
    SetSmallImages(smallImages_);
    SetLargeImages(largeImages_);
    IconOptions()->SetAutoArrange(true);
    SetAllocBy(DefaultAllocBy);
    DeviceChangeHandler()->Register(MakeEvent(this, &TRzCustomShellList::DoDeviceChange));
}

TRzCustomShellList::~TRzCustomShellList() {
    DeviceChangeHandler()->Unregister(MakeEvent(this, &TRzCustomShellList::DoDeviceChange));
    if (shellCombo_) shellCombo_->SetShellList(nullptr);
    if (HandleAllocated()) DestroyHandle();
    ++ignoreChanges_;
    DeleteAllItems();
    delete watcher_;
    watcher_ = nullptr;
    RegisterDropTarget(false);
    if (details_) details_->Release();
    if (shellFolder_) shellFolder_->Release();
    ShellMemFree(folderPidl_);
    delete filterTable_;
    delete folder_;
}

void TRzCustomShellList::SetOptions(TRzShellListOptions v) {
    TRzShellListOptions old = options_;
    if (old == v) return;
    options_ = v;
    if (!HandleAllocated() || IsLoading()) return;
    if (old.Contains(sloOleDrop) != v.Contains(sloOleDrop)) RegisterDropTarget(v.Contains(sloOleDrop) && !Designing());
    if (old.Contains(sloDynamicRefresh) != v.Contains(sloDynamicRefresh) && !Designing()) {
        if (v.Contains(sloDynamicRefresh))
            StartWatchingFolder();
        else if (watcher_)
            watcher_->RemoveAllWatches();
    }
    if (old.Contains(sloHideFoldersWhenLinkedToTree) != v.Contains(sloHideFoldersWhenLinkedToTree) ||
        old.Contains(sloShowHidden) != v.Contains(sloShowHidden))
        RefreshList();
}

void TRzCustomShellList::SetFileFilter(const String& v) {
    if (v == fileFilter_) {
        if (v.empty()) masks_.clear();
        return;
    }
    fileFilter_ = v;
    masks_.clear();
    size_t start = 0;
    while (start <= v.size()) {
        size_t end = v.find(L';', start);
        if (end == String::npos) end = v.size();
        String mask = v.substr(start, end - start);
        if (!mask.empty()) masks_.push_back(mask);
        start = end + 1;
    }
    if (options_.Contains(sloAutoFill) && !IsLoading()) FillList();
}

void TRzCustomShellList::LinkShellTree(TComponent* tree) {
    if (tree == shellTree_) return;
    if (shellTree_) shellTree_->RemoveFreeNotification(this);
    shellTree_ = tree;
    if (tree) tree->FreeNotification(this);
}

void TRzCustomShellList::LinkShellCombo(TRzCustomShellCombo* combo) {
    if (combo == shellCombo_) return;
    if (shellCombo_) shellCombo_->RemoveFreeNotification(this);
    shellCombo_ = combo;
    if (combo) combo->FreeNotification(this);
}

void TRzCustomShellList::Notification(TComponent* AComponent, TOperation Operation) {
    TRzCustomListView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == shellTree_) shellTree_ = nullptr;
    if (AComponent == shellCombo_) shellCombo_ = nullptr;
}

void TRzCustomShellList::ShowComboFolder(const ITEMIDLIST* pidl, bool) { folder_->SetIdList(pidl); }

void TRzCustomShellList::FollowTreeNode(const ITEMIDLIST* nodePidl) {
    if (!IsLoading()) folder_->SetIdList(nodePidl);
}

void TRzCustomShellList::FolderChanged(TObject*) {
    if (ignoreChanges_ == 0) {
        ++ignoreChanges_;
        try {
            if (auto* tree = dynamic_cast<IRzShellListTreeLink*>(shellTree_))
                tree->SelectFolderForList(folder_->IdList());
            else if (shellCombo_)
                shellCombo_->SelectedFolder()->SetIdList(folder_->IdList());
            FillList();
        } catch (...) {
            --ignoreChanges_;
            throw;
        }
        --ignoreChanges_;
    }
    DoFolderChanged();
}

// ---- filling and columns

TRzShellListData* TRzCustomShellList::ListData(TListItem* item) const {
    return item ? static_cast<TRzShellListData*>(item->Data()) : nullptr;
}

TRzShellListData* TRzCustomShellList::ItemData(int index) const {
    return index >= 0 && index < Items()->Count() ? ListData(Items()->Item(index)) : nullptr;
}

TRzShellListData* TRzCustomShellList::SelectedItem() const { return ListData(Selected()); }

void TRzCustomShellList::DeleteAllItems() {
    deletingItems_ = true;
    try {
        if (HandleAllocated()) ClearSelection();
        Items()->Clear();
    } catch (...) {
        deletingItems_ = false;
        throw;
    }
    deletingItems_ = false;
}

void TRzCustomShellList::Delete(TListItem* Item) {
    TRzShellListData* data = ListData(Item);
    if (OnDeleteItem) OnDeleteItem(this, Item, data);
    Item->SetData(nullptr);
    if (Item == highlighted_) highlighted_ = nullptr;
    TRzCustomListView::Delete(Item);
    delete data;
}

void TRzCustomShellList::SetFolderPidl(const ITEMIDLIST* pidl) {
    PItemIDList copy = CopyPidl(nullptr, pidl);
    ShellMemFree(folderPidl_);
    folderPidl_ = copy;
}

void TRzCustomShellList::FillList() {
    if (!HandleAllocated()) return;
    if (ownDrag_ || IsEditing()) {
        refreshDeferred_ = true;
        return;
    }
    refreshDeferred_ = false;
    THourglass hourglass;
    DeleteAllItems();
    TComRef<IShellFolder> folder;
    OleCheck(GetShellFolder(folder_->IdList(), *folder.Out()));
    PrepareFilter();
    try {
        FillFromFolder(folder.Get(), folder_->IdList());
    } catch (...) {
        FreeFilter();
        throw;
    }
    FreeFilter();
    SortItems();
    if (Items()->Count()) Items()->Item(0)->SetFocused(true);
    if (ViewStyle() == vsIcon || ViewStyle() == vsSmallIcon) {
        POINT origin{};
        SendMessageW(Handle(), LVM_GETORIGIN, 0, LPARAM(&origin));
        Scroll(-origin.x, -origin.y);
    }
    if (options_.Contains(sloDynamicRefresh) && !Designing()) StartWatchingFolder();
}

void TRzCustomShellList::FillFromFolder(IShellFolder* folder, const ITEMIDLIST* pidl) {
    Items()->BeginUpdate();
    TQuietErrors quiet;
    DoFillStart();
    PItemIDList previous = CopyPidl(nullptr, folderPidl_);
    try {
        SetFolderPidl(pidl);
        folder->AddRef();
        if (shellFolder_) shellFolder_->Release();
        shellFolder_ = folder;
        if (details_) details_->Release();
        details_ = CreateDetailsInterface(folder);
        SetupColumns();

        SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
        if (options_.Contains(sloShowHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
        TComRef<IEnumIDList> enumerator;
        HRESULT started = folder->EnumObjects(Handle(), flags, enumerator.Out());
        std::vector<PItemIDList> found;
        found.reserve(500);
        if (SUCCEEDED(started) && started != S_FALSE && enumerator) {
            PItemIDList item = nullptr;
            ULONG fetched = 0;
            HRESULT next;
            while ((next = enumerator->Next(1, &item, &fetched)) == S_OK && fetched == 1) found.push_back(item);
            if (EnumerationFinished(next)) {
                size_t at = 0;
                try {
                    for (; at < found.size(); ++at) IncludeItem(found[at]);
                } catch (...) {
                    for (++at; at < found.size(); ++at) ShellMemFree(found[at]);
                    throw;
                }
            } else {
                for (PItemIDList p : found) ShellMemFree(p);
                if (next != E_FAIL) RaiseOleSysError(next);
            }
        }
    } catch (...) {
        SetFolderPidl(previous);
        ShellMemFree(previous);
        DoFillComplete();
        Items()->EndUpdate();
        throw;
    }
    ShellMemFree(previous);
    DoFillComplete();
    Items()->EndUpdate();
}

void TRzCustomShellList::IncludeItem(PItemIDList relPidl) {
    const ITEMIDLIST* item = relPidl;
    SFGAOF attributes = IncludeAttributes;
    if (FAILED(shellFolder_->GetAttributesOf(1, &item, &attributes))) attributes = 0;
    bool take =
        options_.Contains(sloNonFilesystemAncestors) || (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    if (take && options_.Contains(sloHideFoldersWhenLinkedToTree) && LinkedToTree() &&
        IsFolderItem(attributes, options_.Contains(sloFilesCanBeFolders)))
        take = false;
    if (take) take = DoAddItem(shellFolder_, folderPidl_, attributes, relPidl);
    if (!take) {
        ShellMemFree(relPidl);
        return;
    }
    AddShellItem(relPidl, attributes);
}

bool TRzCustomShellList::DoAddItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, SFGAOF attributes,
                                   const ITEMIDLIST* relPidl) {
    bool allow = true;
    if (filterTable_ && !IsFolderItem(attributes, options_.Contains(sloFilesCanBeFolders))) {
        String parsing = GetPidlDisplayName(folder, relPidl, snkForParsing);
        size_t slash = parsing.find_last_of(L'\\');
        allow = PassesFilter(slash == String::npos ? parsing : parsing.substr(slash + 1), attributes);
    }
    if (allow && OnAddItem) OnAddItem(this, folder, parentPidl, relPidl, attributes, allow);
    return allow;
}

void TRzCustomShellList::AddShellItem(PItemIDList relPidl, SFGAOF attributes) {
    auto* data = new TRzShellListData(this, relPidl);
    adding_ = data;
    addingAttributes_ = attributes;
    try {
        Items()->Add();
    } catch (const Exception&) {
        adding_ = nullptr;
        delete data;
        MessageDlg(L"Exception in AddNewShellItem", mtError, TMsgDlgButtons{mbOK}, 0);
        throw;
    }
    adding_ = nullptr;
}

void TRzCustomShellList::InsertItem(TListItem* Item) {
    if (adding_) {
        Item->SetData(adding_);
        if (addingAttributes_ & SFGAO_SHARE) Item->SetOverlayIndex(0);
        if (addingAttributes_ & SFGAO_LINK) Item->SetOverlayIndex(1);
        if (addingAttributes_ & SFGAO_HIDDEN) Item->SetCut(true);
        int extra = details_ ? std::max(0, Columns()->Count() - 1) : 3;
        // The window asks every column's text through the callback already: the blank sub-items
        // need no repaint, which would read every column of each new item (sizes, dates, types)
        // as it is added.
        auto* subItems = As<TStringList>(Item->SubItems());
        TNotifyEvent changed = subItems ? subItems->OnChange : TNotifyEvent();
        if (subItems) subItems->OnChange = nullptr;
        for (int i = 0; i < extra; ++i) Item->SubItems()->Add(String());
        if (subItems) subItems->OnChange = changed;
    }
    TRzCustomListView::InsertItem(Item);
}

void TRzCustomShellList::PrepareFilter() {
    FreeFilter();
    String path = PidlToPath(folder_->IdList());
    if (path.empty() || fileFilter_.empty() || fileFilter_ == L"*" || fileFilter_ == L"*.*") return;
    filterTable_ = new std::set<String>;
    TQuietErrors quiet;
    String folder = EnsureTrailingChar(path, L'\\');
    for (const String& mask : masks_) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + mask).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_FILE_NOT_FOUND) break;
            continue;
        }
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) filterTable_->insert(UpperName(found.cFileName));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}

bool TRzCustomShellList::PassesFilter(const String& fileName, SFGAOF attributes) {
    if (IsFolderItem(attributes, options_.Contains(sloFilesCanBeFolders))) return true;
    return !filterTable_ || filterTable_->count(UpperName(fileName)) != 0;
}

void TRzCustomShellList::FreeFilter() {
    delete filterTable_;
    filterTable_ = nullptr;
}

const std::vector<Integer>& TRzCustomShellList::SavedColumnWidths() { return savedColumnWidths; }

void TRzCustomShellList::SaveColumnWidths() {
    if (!Columns()->Count() || !lastFolderHadPath_) return;
    if (HandleAllocated())
        for (int i = 0; i < Columns()->Count(); ++i) {
            int width = int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
            if (width > 0) Columns()->Items(i)->SetWidth(width);
        }
    savedColumnWidths.clear();
    for (int i = 0; i < Columns()->Count(); ++i) savedColumnWidths.push_back(Columns()->Items(i)->Width());
}

void TRzCustomShellList::ApplySavedWidths() {
    int count = std::min<int>(int(savedColumnWidths.size()), Columns()->Count());
    for (int i = 0; i < count; ++i) Columns()->Items(i)->SetWidth(savedColumnWidths[size_t(i)]);
}

void TRzCustomShellList::SetupColumns() {
    SaveColumnWidths();
    bool hasPath = !PidlToPath(folderPidl_).empty();
    // Column by column: the collection's update bracket would swallow the report that puts the
    // new columns into the window.
    try {
        Columns()->Clear();
        if (details_) {
            for (UINT i = 0;; ++i) {
                SHELLDETAILS details{};
                if (FAILED(details_->GetDetailsOf(nullptr, i, &details))) break;
                TListColumn* column = Columns()->Add();
                column->SetCaption(StrRetText(details.str, nullptr));
                column->SetAlignment(details.fmt == LVCFMT_RIGHT    ? taRightJustify
                                     : details.fmt == LVCFMT_CENTER ? taCenter
                                                                    : taLeftJustify);
                column->SetWidth(details.cxChar * 7);
            }
            if (hasPath && !savedColumnWidths.empty()) ApplySavedWidths();
            columnState_ = csShellDetails;
        } else {
            Word data[11] = {200, 60, 100, 120, 50};
            Integer size = 10;
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", 0, KEY_READ,
                              &key) == ERROR_SUCCESS) {
                DWORD type = 0, bytes = sizeof(data);
                Byte stored[22] = {};
                if (RegQueryValueExW(key, L"DirectoryCols", nullptr, &type, stored, &bytes) == ERROR_SUCCESS &&
                    type == REG_BINARY && bytes <= 22) {
                    memcpy(data, stored, bytes);
                    size = Integer(bytes);
                }
                RegCloseKey(key);
            }
            static const wchar_t* const captions[] = {L"Name", L"Size", L"Type", L"Modified"};
            for (int i = 0; i < 4; ++i) {
                TListColumn* column = Columns()->Add();
                column->SetCaption(captions[i]);
                column->SetWidth(data[i]);
                if (i == 1) column->SetAlignment(taRightJustify);
            }
            bool sameData = rememberedColumnSize != 0 && size == rememberedColumnSize &&
                            memcmp(data, rememberedColumnData, size_t(size / 2) * 2) == 0;
            if (sameData && !savedColumnWidths.empty()) ApplySavedWidths();
            memcpy(rememberedColumnData, data, sizeof(data));
            rememberedColumnSize = size;
            columnState_ = csDefault;
        }
    } catch (...) {
        lastFolderHadPath_ = hasPath;
        throw;
    }
    lastFolderHadPath_ = hasPath;
    if (std::abs(sortColumn_) > Columns()->Count()) sortColumn_ = 1;
    SetSortedColumn(std::abs(sortColumn_) - 1);
    SetSortDescending(sortColumn_ < 0);
}

void TRzCustomShellList::DisplayInfo(NMLVDISPINFOW& info) {
    auto* item = reinterpret_cast<TListItem*>(info.item.lParam);
    if (!item || info.item.iItem < 0) {
        if (info.item.iItem >= 0 && info.item.iItem < Items()->Count()) item = Items()->Item(info.item.iItem);
        if (!item) return;
    }
    TRzShellListData* data = ListData(item);
    if (!data) return;
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        String text;
        int sub = info.item.iSubItem;
        if (sub == 0) {
            text = data->DisplayName();
        } else if (sub - 1 < item->SubItems()->Count()) {
            text = item->SubItems()->Get(sub - 1);
            if (text.empty()) text = data->ColumnText(sub);
        }
        lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
    }
    if ((info.item.mask & LVIF_IMAGE) && info.item.iSubItem == 0) {
        item->SetImageIndex(-1);
        GetImageIndex(item);
        info.item.iImage = item->ImageIndex() >= 1 ? item->ImageIndex() : data->IconIndex();
    }
}

void TRzCustomShellList::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
        case LVN_GETDISPINFOW:
            DisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(header));
            return;
        case LVN_BEGINDRAG:
        case LVN_BEGINRDRAG:
            Inherited<TRzCustomListView>(Message);
            if (options_.Contains(sloOleDrag) && !Designing())
                StartListDrag(header->code == LVN_BEGINRDRAG ? dbRight : dbLeft);
            return;
    }
    Inherited<TRzCustomListView>(Message);
}

// ---- sorting

namespace {
int CompareByFolder(TListItem* a, TListItem* b, LPARAM list) {
    auto* self = reinterpret_cast<TRzCustomShellList*>(list);
    auto* first = static_cast<TRzShellListData*>(a->Data());
    auto* second = static_cast<TRzShellListData*>(b->Data());
    if (!first || !second || !self->ShellFolder()) return 0;
    int column = self->SortColumn();
    if (column == 0) return AnsiCompareText(first->DisplayName(), second->DisplayName());
    HRESULT result = self->ShellFolder()->CompareIDs(LPARAM(std::abs(column) - 1), first->RelPidl(), second->RelPidl());
    if (FAILED(result)) return 0;
    int order = SmallInt(HRESULT_CODE(result));
    return column < 0 ? -order : order;
}
}  // namespace

void TRzCustomShellList::SortItems() {
    if (Items()->Count() > 1) CustomSort(&CompareByFolder, LPARAM(this));
}

void TRzCustomShellList::SetSortColumn(int v) {
    SetSortedColumn(std::abs(v) - 1);
    SetSortDescending(v < 0);
    sortColumnAssigned_ = true;
    if (v == sortColumn_) return;
    sortColumn_ = v;
    SortItems();
}

void TRzCustomShellList::ColClick(TListColumn* Column) {
    TRzCustomListView::ColClick(Column);
    if (SortOnColumnClick()) return;  // the base sorted already
    int column = Column->Index() + 1;
    SetSortColumn(std::abs(sortColumn_) == column ? -sortColumn_ : column);
}

// ---- navigation and keys

void TRzCustomShellList::BrowseTo(const ITEMIDLIST* pidl) {
    if (options_.Contains(sloDontChangeFolder)) return;
    PItemIDList target = CopyPidl(nullptr, pidl);  // pidl may belong to an item deleted below
    try {
        DeleteAllItems();
        if (auto* tree = dynamic_cast<IRzShellListTreeLink*>(shellTree_))
            tree->SelectFolderForList(target);
        else if (shellCombo_)
            shellCombo_->SelectedFolder()->SetIdList(target);
        else
            folder_->SetIdList(target);
    } catch (...) {
        ShellMemFree(target);
        throw;
    }
    ShellMemFree(target);
}

void TRzCustomShellList::GoUp(int levels) {
    if (options_.Contains(sloDontChangeFolder) || levels <= 0) return;
    if (auto* tree = dynamic_cast<IRzShellListTreeLink*>(shellTree_)) {
        tree->GoUpLevels(levels);
        return;
    }
    if (shellCombo_) {
        shellCombo_->ComboGoUp(levels);
        return;
    }
    TRzIdListArray array(folder_->IdList());
    if (array.Count() == 0) return;
    PItemIDList up = CopyPidl(nullptr, array.Ancestor(std::min(levels, int(array.Count()))));
    folder_->SetIdList(up);
    ShellMemFree(up);
}

void TRzCustomShellList::FlushPendingRefresh(bool flushLinked) {
    if (flushLinked) {
        if (auto* tree = dynamic_cast<IRzShellListTreeLink*>(shellTree_)) tree->FlushPendingSync(false);
        if (shellCombo_) shellCombo_->FlushLinked(false);
    }
    if (syncTimer_->Enabled()) SyncTimerFired(syncTimer_);
}

void TRzCustomShellList::InvokeDefaultCommand(const std::vector<const ITEMIDLIST*>& items) {
    if (items.empty() || !shellFolder_) return;
    IContextMenu* menu = nullptr;
    HMENU popup = nullptr;
    std::vector<const ITEMIDLIST*> list(items);
    if (FAILED(BuildContextMenu(ShellOwnerWindow(this), shellFolder_, UINT(list.size()), list.data(), menu, popup,
                                CMF_EXPLORE | CMF_DEFAULTONLY)))
        return;
    UINT command = GetMenuDefaultItem(popup, FALSE, 0);
    if (command != UINT(-1) && command >= FirstShellCommand)
        InvokeContextCommand(ShellOwnerWindow(this), menu, command - FirstShellCommand);
    DestroyMenu(popup);
    menu->Release();
}

void TRzCustomShellList::OpenItem(TListItem* item) {
    TRzShellListData* data = ListData(item);
    if (!data) return;
    FlushPendingRefresh(true);
    THourglass hourglass;
    if (data->IsFolder()) {
        BrowseTo(data->AbsPidl());
        return;
    }
    if (data->IsLink()) {
        TLinkData link;
        link.NoUI = true;
        if (SUCCEEDED(ResolveShellLink(data->PathName(), link, false)) && !link.TargetPath.empty()) {
            DWORD attributes = GetFileAttributesW(link.TargetPath.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                PItemIDList target = nullptr;
                if (SUCCEEDED(PathToPidl(link.TargetPath, target))) {
                    BrowseTo(target);
                    ShellMemFree(target);
                    return;
                }
            }
        }
    }
    bool handled = false;
    DoDblClickOpen(handled);
    if (!handled) InvokeDefaultCommand({data->RelPidl()});
}

void TRzCustomShellList::OpenSelected() {
    FlushPendingRefresh(true);
    if (SelCount() == 1) {
        OpenItem(Selected());
        return;
    }
    if (SelCount() < 1) return;
    bool handled = false;
    DoDblClickOpen(handled);
    if (!handled) InvokeDefaultCommand(SelectedPidls());
}

void TRzCustomShellList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TRzCustomListView::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Shift.Contains(ssDouble)) OpenSelected();
}

void TRzCustomShellList::KeyDown(Word& Key, TShiftState Shift) {
    TRzCustomListView::KeyDown(Key, Shift);
    if (Key == 0 || !options_.Contains(sloDefaultKeyHandling) || IsEditing() || Designing()) return;
    TShortCut pressed = ShortCut(Key, Shift);
    if (pressed == DefaultShellKey(skSelectAll)) {
        Items()->BeginUpdate();
        SelectAll();
        Items()->EndUpdate();
    } else if (pressed == DefaultShellKey(skRefresh)) {
        FillList();
    } else if (pressed == DefaultShellKey(skCopy)) {
        InvokeSelectionVerb(L"copy");
    } else if (pressed == DefaultShellKey(skCut)) {
        InvokeSelectionVerb(L"cut");
    } else if (pressed == DefaultShellKey(skPaste)) {
        InvokeFolderVerb(L"paste");
        RefreshList();
    } else if (pressed == DefaultShellKey(skRename)) {
        if (TListItem* item = ItemFocused()) item->EditCaption();
    } else if (pressed == DefaultShellKey(skDelete) || pressed == (DefaultShellKey(skDelete) | scShift)) {
        InvokeSelectionVerb(L"delete");
        RefreshList();
    } else {
        return;
    }
    Key = 0;
}

void TRzCustomShellList::KeyPress(wchar_t& Key) {
    TRzCustomListView::KeyPress(Key);
    if (!options_.Contains(sloDefaultKeyHandling) || IsEditing() || Designing()) return;
    if (Key == L'\b') {
        Key = 0;
        GoUp(1);
    } else if (Key == L'\r') {
        Key = 0;
        OpenSelected();
    }
}

void TRzCustomShellList::CMWantSpecialKey(TMessage& Message) {
    if (IsEditing()) {
        Message.Result = 1;
        return;
    }
    if (Message.WParam == VK_RETURN) {
        TRzShellListData* data = SelectedItem();
        Message.Result = data && data->IsFolder() ? 1 : 0;
        return;
    }
    Inherited<TRzCustomListView>(Message);
}

// ---- renaming and new folders

bool TRzCustomShellList::CanEdit(TListItem* Item) {
    TRzShellListData* data = ListData(Item);
    if (!data) return TRzCustomListView::CanEdit(Item);
    if (!data->CanRename() || !TRzCustomListView::CanEdit(Item) || Designing()) return false;
    if (HWND edit = HWND(SendMessageW(Handle(), LVM_GETEDITCONTROL, 0, 0)))
        SetWindowTextW(edit, GetPidlDisplayName(shellFolder_, data->RelPidl(), snkInFolderForEditing).c_str());
    return true;
}

void TRzCustomShellList::Edit(TListItem* Item, String& S) {
    TRzShellListData* data = ListData(Item);
    if (!data) {
        TRzCustomListView::Edit(Item, S);
        return;
    }
    S = Trim(S);
    TRzCustomListView::Edit(Item, S);  // OnEdited may change the name
    {
        THourglass hourglass;
        ignoreNextNotification_ = true;
        PITEMID_CHILD renamed = nullptr;
        HRESULT result = shellFolder_->SetNameOf(Handle(), data->RelPidl(), S.c_str(), SHGDN_INFOLDER, &renamed);
        if (SUCCEEDED(result) && renamed) {
            data->SetRelPidl(renamed);
        } else {
            ignoreNextNotification_ = false;  // nothing changed on disk
            if (SUCCEEDED(result)) data->SetRelPidl(CopyPidl(nullptr, data->RelPidl()));
        }
        Item->Update();
    }
    if (refreshDeferred_) RefreshList();
}

bool TRzCustomShellList::CreateNewFolderInList(bool edit) {
    String path = PidlToPath(folder_->IdList());
    ignoreNextNotification_ = true;
    String name;
    if (!CreateNewFolderIn(path, name)) {
        ignoreNextNotification_ = false;
        return false;
    }
    if (PidlSize(folder_->IdList()) <= 2) WaitWithHourglass(2100);
    RefreshList();
    if (edit) {
        folderToEdit_ = name;
        PostMessageW(Handle(), RZ_SHELLLIST_EDITNEWFOLDER, 0, 0);
    }
    return true;
}

void TRzCustomShellList::WMEditNewFolder(TMessage&) {
    for (int i = 0; i < Items()->Count(); ++i) {
        TRzShellListData* data = ItemData(i);
        if (data && data->DisplayName() == folderToEdit_) {
            SetFocus();
            Items()->Item(i)->EditCaption();
            break;
        }
    }
    folderToEdit_.clear();
}

// ---- verbs and menus

std::vector<const ITEMIDLIST*> TRzCustomShellList::SelectedPidls() const {
    std::vector<const ITEMIDLIST*> pidls;
    for (int i = 0; i < Items()->Count(); ++i) {
        TListItem* item = Items()->Item(i);
        if (item->Selected())
            if (TRzShellListData* data = ListData(item)) pidls.push_back(data->RelPidl());
    }
    return pidls;
}

bool TRzCustomShellList::IsNetworkFolder() const { return PidlToPath(folderPidl_).rfind(L"\\\\", 0) == 0; }

void TRzCustomShellList::InvokeSelectionVerb(const String& verb) {
    std::vector<const ITEMIDLIST*> items = SelectedPidls();
    if (items.empty() || !shellFolder_) return;
    IContextMenu* menu = nullptr;
    HMENU popup = nullptr;
    HWND owner = ShellOwnerWindow(this);
    OleCheck(BuildContextMenu(owner, shellFolder_, UINT(items.size()), items.data(), menu, popup, CMF_EXPLORE));
    HRESULT result = InvokeContextCommand(owner, menu, verb);
    DestroyMenu(popup);
    menu->Release();
    OleCheck(result);
    if (IsNetworkFolder()) RefreshList();
}

void TRzCustomShellList::InvokeFolderVerb(const String& verb) {
    IShellFolder* parent = nullptr;
    PItemIDList parentList = nullptr, item = nullptr;
    GetParentFolderAndItem(folder_->IdList(), parent, parentList, item);  // without them, the background menu
    HRESULT result = InvokeItemVerb(ShellOwnerWindow(this), parent, item, shellFolder_, verb);
    if (parent) parent->Release();
    ShellMemFree(parentList);
    ShellMemFree(item);
    OleCheck(result);
}

void TRzCustomShellList::ShowItemContextMenu(TPoint pos) {
    if (!options_.Contains(sloContextMenus) || Designing() || ownDrag_) {
        TRzCustomListView::ShowItemContextMenu(pos);
        return;
    }
    TPopupMenu* menu = PopupMenu();
    DoItemContextMenu(ItemFocused(), pos, menu);
    MarkMenuShown();
    ShowListContextMenu(pos);
}

void TRzCustomShellList::ShowListContextMenu(TPoint pos) {
    std::vector<const ITEMIDLIST*> items = SelectedPidls();
    if (items.empty() || !shellFolder_) return;
    TRzShellListData* focused = ListData(ItemFocused());
    bool canRename = focused && !focused->PathName().empty() && !ReadOnly();
    TRzShellContextMenu menu(Handle(), smallImages_->Handle());
    menu.OnPopupHint = MakeEvent(this, &TRzCustomShellList::MenuHint);
    activeMenu_ = &menu;
    TRzContextMenuChoice choice;
    try {
        choice = menu.Show(ShellOwnerWindow(this), shellFolder_, items, ClientToScreen(pos), canRename);
    } catch (...) {
        activeMenu_ = nullptr;
        throw;
    }
    activeMenu_ = nullptr;
    switch (choice.Kind) {
        case TRzContextMenuChoice::ckRename:
            if (TListItem* item = ItemFocused()) item->EditCaption();
            break;
        case TRzContextMenuChoice::ckInvoked:
            if (IsNetworkFolder()) RefreshList();
            break;
        case TRzContextMenuChoice::ckSendTo: {
            std::vector<String> names;
            for (const ITEMIDLIST* p : items) {
                PItemIDList abs = ConcatPidls(nullptr, folderPidl_, p);
                names.push_back(PidlToPath(abs));
                ShellMemFree(abs);
            }
            TComRef<IDataObject> data(TRzShellDataObject::Create(folderPidl_, items, names));
            SendToItem(choice.SendToFile, data.Get());
            break;
        }
        default:
            break;
    }
}

void TRzCustomShellList::MenuHint(TObject*, const String& hint) {
    // The handler hears of the list, not of the menu object.
    if (OnPopupHint) OnPopupHint(this, hint);
}

void TRzCustomShellList::WMMenuMessage(TMessage& Message) {
    if (activeMenu_ && activeMenu_->HandleMenuMessage(Message)) return;
    Inherited<TRzCustomListView>(Message);
}

// ---- drag and drop

DWORD TRzCustomShellList::SelectedDropEffects() const { return ItemsDropEffects(shellFolder_, SelectedPidls()); }

void TRzCustomShellList::StartListDrag(TRzDragButton button) {
    std::vector<const ITEMIDLIST*> items = SelectedPidls();
    if (items.empty()) return;
    std::vector<String> names;
    for (const ITEMIDLIST* p : items) {
        PItemIDList abs = ConcatPidls(nullptr, folderPidl_, p);
        names.push_back(PidlToPath(abs));
        ShellMemFree(abs);
    }
    ownDrag_ = true;
    ownDragButton_ = button;
    skipRightButtonUp_ = true;
    TComRef<IDataObject> data(TRzShellDataObject::Create(folderPidl_, items, names));
    TComRef<IDropSource> source(CreateDropSource(button));
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DoDragDrop(data.Get(), source.Get(), SelectedDropEffects(), &effect);
    ownDrag_ = false;
    // The release that ended the drag went to the drag loop: nothing is left to swallow.
    if (!(GetAsyncKeyState(VK_RBUTTON) & 0x8000)) skipRightButtonUp_ = false;
    if (result == DRAGDROP_S_DROP || refreshDeferred_) RefreshList();
}

void TRzCustomShellList::WMRButtonUp(TMessage& Message) {
    if (skipRightButtonUp_) {
        // The release that ends the own right-button drag; later ones reach the control again.
        skipRightButtonUp_ = false;
        DefaultHandler(Message);
        return;
    }
    Inherited<TRzCustomListView>(Message);
}

void TRzCustomShellList::RegisterDropTarget(bool on) {
    RegisterShellDropTarget(HandleAllocated() ? Handle() : nullptr, this, on, dropTarget_);
}

IDropTarget* TRzCustomShellList::ChooseDropTarget(POINTL point, TListItem*& item, DWORD& ownDragEffect) {
    ownDragEffect = DWORD(-1);
    TPoint client = ScreenToClient(TPoint{point.x, point.y});
    item = GetItemAt(client.x, client.y);
    IDropTarget* target = nullptr;
    if (item && shellFolder_) {
        if (TRzShellListData* data = ListData(item)) {
            const ITEMIDLIST* rel = data->RelPidl();
            if (FAILED(shellFolder_->GetUIObjectOf(Handle(), 1, &rel, IID_IDropTarget, nullptr,
                                                   reinterpret_cast<void**>(&target))))
                target = nullptr;
        }
        if (target) return target;
        item = nullptr;
    } else if (ownDrag_) {
        // Dropping an own item on its own folder: only a right-button copy makes sense.
        ownDragEffect = ownDragButton_ == dbRight ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return nullptr;
    }
    // The folder's own view object first: some shells answer the item request with the target of
    // the folder's parent.
    if (shellFolder_ &&
        SUCCEEDED(shellFolder_->CreateViewObject(Handle(), IID_IDropTarget, reinterpret_cast<void**>(&target))) &&
        target)
        return target;
    target = nullptr;
    if (PidlSize(folderPidl_) <= 2) {
        if (FAILED(GetDesktopDropTarget(target))) target = nullptr;
    } else if (FAILED(GetPidlUIObject(folderPidl_, IID_IDropTarget, reinterpret_cast<void**>(&target)))) {
        target = nullptr;
    }
    return target;
}

void TRzCustomShellList::Highlight(TListItem* item) {
    if (item == highlighted_) return;
    if (highlighted_) highlighted_->SetDropTarget(false);
    highlighted_ = item;
    if (item) item->SetDropTarget(true);
    Update();
}

void TRzCustomShellList::DragScroll(TPoint client) {
    DWORD now = GetTickCount();
    if (now - lastScrollTime_ < DragScrollInterval) return;
    RECT r;
    GetClientRect(Handle(), &r);
    int dx = client.x < DragScrollZoneX ? -1 : client.x > r.right - DragScrollZoneX ? 1 : 0;
    int dy = client.y < DragScrollZoneY ? -1 : client.y > r.bottom - DragScrollZoneY ? 1 : 0;
    if (!dx && !dy) return;
    int before = GetScrollPos(Handle(), SB_VERT) + GetScrollPos(Handle(), SB_HORZ);
    if (dx) SendMessageW(Handle(), WM_HSCROLL, dx < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    if (dy) SendMessageW(Handle(), WM_VSCROLL, dy < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    if (GetScrollPos(Handle(), SB_VERT) + GetScrollPos(Handle(), SB_HORZ) != before) lastScrollTime_ = now;
}

void TRzCustomShellList::DoDragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) {
    if (dragData_) dragData_->Release();
    dragData_ = data;
    if (data) data->AddRef();
    dragKeyState_ = keyState;
    lastScrollTime_ = GetTickCount();
    TListItem* item = nullptr;
    DWORD own = 0;
    TComRef<IDropTarget> target(ChooseDropTarget(point, item, own));
    if (target) {
        target->DragEnter(data, keyState, point, &effect);
        target->DragLeave();
    } else {
        effect = own == DWORD(-1) ? DROPEFFECT_NONE : (effect & own);
    }
    Highlight(effect != DROPEFFECT_NONE ? item : nullptr);
}

void TRzCustomShellList::DoDragOver(DWORD keyState, POINTL point, DWORD& effect) {
    TListItem* item = nullptr;
    DWORD own = 0;
    TComRef<IDropTarget> target(ChooseDropTarget(point, item, own));
    if (target && dragData_)
        effect = ProbeDropTarget(target.Get(), dragData_, keyState, point, effect);
    else
        effect = own == DWORD(-1) ? DROPEFFECT_NONE : (effect & own);
    Highlight(effect != DROPEFFECT_NONE ? item : nullptr);
    DragScroll(ScreenToClient(TPoint{point.x, point.y}));
    effect |= DROPEFFECT_SCROLL;
}

void TRzCustomShellList::DoDragLeave() {
    if (dragData_) dragData_->Release();
    dragData_ = nullptr;
    Highlight(nullptr);
}

void TRzCustomShellList::DoDrop(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) {
    struct TEnd {
        TRzCustomShellList* self;
        ~TEnd() { self->DoDragLeave(); }
    } end{this};
    TListItem* item = nullptr;
    DWORD own = 0;
    TComRef<IDropTarget> target(ChooseDropTarget(point, item, own));
    if (!target) {
        effect = DROPEFFECT_NONE;  // an own item on its own folder: nothing to do
        return;
    }
    DropOnTarget(target.Get(), data, keyState | (dragKeyState_ & (MK_LBUTTON | MK_RBUTTON)), point, effect);
    RefreshList();
}

// ---- refresh

void TRzCustomShellList::StartWatchingFolder() {
    syncTimer_->SetEnabled(false);
    if (!HandleAllocated()) return;
    if (watcher_) {
        watcher_->RemoveAllWatches();
    } else {
        watcher_ = new TChangeHandlerThread(Handle(), RZ_SHELLCHANGE);
        watcher_->Start();
    }
    String path = PidlToPath(folderPidl_);
    Integer slot = -1;
    if (!path.empty())
        watcher_->AddWatch(path, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot, false);
}

void TRzCustomShellList::WMShellChange(TMessage&) {
    if (ignoreNextNotification_ || ownDrag_) {
        ignoreNextNotification_ = false;
        return;
    }
    syncTimer_->SetEnabled(false);
    syncTimer_->SetInterval(Focused() ? 400 : 2000);
    syncTimer_->SetEnabled(true);
}

void TRzCustomShellList::SyncTimerFired(TObject*) {
    syncTimer_->SetEnabled(false);
    ++ignoreChanges_;
    try {
        if (shellCombo_) shellCombo_->FlushLinked(false);
        if (auto* tree = dynamic_cast<IRzShellListTreeLink*>(shellTree_)) tree->FlushPendingSync(false);
    } catch (...) {
        --ignoreChanges_;
        throw;
    }
    --ignoreChanges_;
    RefreshList();
}

void TRzCustomShellList::RefreshList() {
    if (!HandleAllocated()) return;
    if (ownDrag_ || IsEditing()) {
        refreshDeferred_ = true;
        return;
    }
    if (Items()->Count() == 0 || !shellFolder_) {
        FillList();
        return;
    }
    refreshDeferred_ = false;
    THourglass hourglass;
    DoFillStart();
    PrepareFilter();
    // Byte order for file-system folders: the same item has the same bytes on each enumeration.
    bool byFolder = PidlToPath(folderPidl_).empty();
    TRzPidlList existing, fresh;
    existing.SetSorted(true);
    existing.SetDuplicates(dupAccept);
    fresh.SetSorted(true);
    fresh.SetDuplicates(dupAccept);
    fresh.SetMalloc(ShellMalloc());
    if (byFolder) {
        existing.SetShellFolder(shellFolder_);
        fresh.SetShellFolder(shellFolder_);
    }
    try {
        for (int i = 0; i < Items()->Count(); ++i)
            if (TRzShellListData* data = ItemData(i))
                existing.AddObject(const_cast<ITEMIDLIST*>(data->RelPidl()), Items()->Item(i));
        SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
        if (options_.Contains(sloShowHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
        TComRef<IEnumIDList> enumerator;
        HRESULT started = shellFolder_->EnumObjects(Handle(), flags, enumerator.Out());
        if (SUCCEEDED(started) && started != S_FALSE && enumerator) {
            PItemIDList item = nullptr;
            ULONG fetched = 0;
            while (enumerator->Next(1, &item, &fetched) == S_OK && fetched == 1) fresh.Add(item);
        }
        // What both hold stays as it is.
        for (int i = existing.Count() - 1; i >= 0; --i) {
            Integer at = 0;
            if (fresh.Find(existing.Pidls(i), at)) {
                fresh.Delete(at);
                existing.Delete(i);
            }
        }
        Items()->BeginUpdate();
        try {
            for (int i = 0; i < existing.Count(); ++i) static_cast<TListItem*>(existing.Objects(i))->Delete();
            if (fresh.Count()) {
                SetAllocBy(fresh.Count());
                while (fresh.Count()) {
                    PItemIDList item = fresh.Pidls(0);
                    fresh.SetMalloc(nullptr);
                    fresh.Delete(0);
                    fresh.SetMalloc(ShellMalloc());
                    IncludeItem(item);
                }
                SetAllocBy(DefaultAllocBy);
                SortItems();
            }
        } catch (...) {
            Items()->EndUpdate();
            throw;
        }
        Items()->EndUpdate();
    } catch (...) {
        FreeFilter();
        DoFillComplete();
        throw;
    }
    FreeFilter();
    DoFillComplete();
}

void TRzCustomShellList::DoDeviceChange(TObject*, TMessage& Message) {
    if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
    ValidateDrivesFolder();
    if (PidlToSpecialFolder(folder_->IdList()) != CSIDL_DRIVES) return;
    SuspendDrivesValidation();
    try {
        FillList();
    } catch (...) {
        ResumeDrivesValidation();
        throw;
    }
    ResumeDrivesValidation();
}

// ---- window life

void TRzCustomShellList::CreateWnd() {
    inWindowCreation_ = true;
    try {
        TRzCustomListView::CreateWnd();
    } catch (...) {
        inWindowCreation_ = false;
        throw;
    }
    inWindowCreation_ = false;
    if (options_.Contains(sloOleDrop) && !Designing()) RegisterDropTarget(true);
    if (options_.Contains(sloAutoFill) && Items()->Count() == 0)
        PostMessageW(Handle(), RZ_SHELLCONTROL_DEFERREDFILL, 0, 0);
}

void TRzCustomShellList::Loaded() {
    TRzCustomListView::Loaded();
    if (!inWindowCreation_ && HandleAllocated() && options_.Contains(sloAutoFill) && Items()->Count() == 0)
        PostMessageW(Handle(), RZ_SHELLCONTROL_DEFERREDFILL, 0, 0);
    loaded_ = true;
}

void TRzCustomShellList::WMDeferredFill(TMessage&) {
    if (Items()->Count() == 0) FillList();
}

void TRzCustomShellList::DestroyWnd() {
    ++ignoreChanges_;
    try {
        DeleteAllItems();
    } catch (...) {
        --ignoreChanges_;
        throw;
    }
    --ignoreChanges_;
    TRzCustomListView::DestroyWnd();
}

void TRzCustomShellList::WMDestroy(TMessage& Message) {
    SaveColumnWidths();
    delete watcher_;
    watcher_ = nullptr;
    syncTimer_->SetEnabled(false);
    RegisterDropTarget(false);
    Inherited<TRzCustomListView>(Message);
}

void TRzCustomShellList::WMWindowPosChanged(TMessage& Message) {
    if (deletingItems_) return;
    Inherited<TRzCustomListView>(Message);
}

void TRzCustomShellList::WMGetIShellBrowser(TMessage& Message) { Message.Result = 0; }

void InitializeRzShellList() { RegisterClass(TRzShellList::StaticClass()); }
