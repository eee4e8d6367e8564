#include "RzShellTree.h"

#include <algorithm>
#include <vector>

#include <dbt.h>

#include "Mouse.h"
#include "RzDeviceChangeHandler.h"
#include "RzShellDataObject.h"
#include "RzShellHelpers.h"
#include "RzShellKeys.h"
#include "RzShellScopes.h"
#include "SysUtils.h"

namespace {

constexpr UINT TreeSmallIcon = SHGFI_SMALLICON;
constexpr UINT TreeSmallOpenIcon = SHGFI_SMALLICON | SHGFI_OPENICON;
// What a node needs to know of its item: subfolders, file system, folder, file-system ancestor,
// removable, hidden, shared and link.
constexpr SFGAOF TreeNodeAttributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR |
                                      SFGAO_REMOVABLE | SFGAO_HIDDEN | SFGAO_SHARE | SFGAO_LINK;
constexpr Cardinal KeyboardSyncDelay = 500;
enum TSyncAction : int { saNone = 0, saSynchronise = 1, saRefresh = 2 };
constexpr Cardinal FocusedRefreshDelay = 400, UnfocusedRefreshDelay = 2000;

// Frees the lists of an enumeration at scope end.
struct TFreeEnumeratedPidls {
    std::vector<PItemIDList>& items;
    ~TFreeEnumeratedPidls() {
        for (PItemIDList p : items) ShellMemFree(p);
    }
};

bool IsNoItemPidl(const ITEMIDLIST* pidl) { return PidlSize(pidl) <= 2; }

// The folder's order of two items (column 0); a failed comparison counts as equal.
int CompareInFolder(IShellFolder* folder, const ITEMIDLIST* a, const ITEMIDLIST* b) {
    HRESULT result = folder->CompareIDs(0, a, b);
    if (FAILED(result)) return 0;
    return short(HRESULT_CODE(result));
}

// Orders sibling nodes by their parent's folder.
int CompareSiblings(TTreeNode* a, TTreeNode* b, LPARAM) {
    auto* da = static_cast<TRzShellTreeData*>(a->Data());
    auto* db = static_cast<TRzShellTreeData*>(b->Data());
    if (!da || !db || !da->Parent()) return 0;
    IShellFolder* folder = da->Parent()->ThisFolder();
    return folder ? CompareInFolder(folder, da->RelPidl(), db->RelPidl()) : 0;
}

}  // namespace

// ---- node data

TRzShellTreeData::TRzShellTreeData(TRzCustomShellTree* owner, TRzShellTreeData* parent, const ITEMIDLIST* relPidl)
    : owner_(owner), parent_(parent), relPidl_(CopyPidl(nullptr, relPidl)) {}

TRzShellTreeData::~TRzShellTreeData() {
    if (parentFolder_) parentFolder_->Release();
    if (thisFolder_) thisFolder_->Release();
    ShellMemFree(absPidl_);
    ShellMemFree(relPidl_);
}

const ITEMIDLIST* TRzShellTreeData::AbsPidl() {
    if (!absPidl_)
        absPidl_ = parent_ ? ConcatPidls(nullptr, parent_->AbsPidl(), relPidl_) : CopyPidl(nullptr, relPidl_);
    return absPidl_;
}

IShellFolder* TRzShellTreeData::ThisFolder() {
    if (thisFolder_) return thisFolder_;
    if (IsNoItemPidl(AbsPidl())) {
        GetDesktopFolder(thisFolder_);
    } else if (parent_ && parent_->ThisFolder()) {
        if (FAILED(parent_->ThisFolder()->BindToObject(relPidl_, nullptr, IID_IShellFolder,
                                                       reinterpret_cast<void**>(&thisFolder_))))
            thisFolder_ = nullptr;
    } else if (FAILED(GetShellFolder(AbsPidl(), thisFolder_))) {
        thisFolder_ = nullptr;
    }
    return thisFolder_;
}

void TRzShellTreeData::SetThisFolder(IShellFolder* folder) {
    if (folder) folder->AddRef();
    if (thisFolder_) thisFolder_->Release();
    thisFolder_ = folder;
}

IShellFolder* TRzShellTreeData::ParentFolder() {
    if (parent_) return parent_->ThisFolder();
    if (!parentFolder_ && !IsNoItemPidl(relPidl_)) {
        TRzIdListArray levels(relPidl_);
        PItemIDList up = CopyPidl(nullptr, levels.Ancestor(1));
        if (FAILED(GetShellFolder(up, parentFolder_))) parentFolder_ = nullptr;
        ShellMemFree(up);
    }
    return parentFolder_;
}

bool TRzShellTreeData::CanRename() {
    if (!parent_ || IsNoItemPidl(relPidl_)) return false;
    IShellFolder* folder = ParentFolder();
    if (!folder) return false;
    SFGAOF attributes = 0x40000177;  // the capability bits and file system
    const ITEMIDLIST* item = relPidl_;
    if (FAILED(folder->GetAttributesOf(1, &item, &attributes))) return false;
    return attributes & SFGAO_CANRENAME;
}

void TRzShellTreeData::SetRelPidl(PItemIDList value) {
    ShellMemFree(relPidl_);
    relPidl_ = value;
    DropCaches();
}

IDropTarget* TRzShellTreeData::DropTarget(HWND owner) {
    IDropTarget* target = nullptr;
    // The folder's own view object first: some shells answer the item request with the target of
    // the item's parent.
    if (IShellFolder* folder = ThisFolder())
        if (SUCCEEDED(folder->CreateViewObject(owner, IID_IDropTarget, reinterpret_cast<void**>(&target))) && target)
            return target;
    target = nullptr;
    HRESULT result;
    if (parent_) {
        IShellFolder* folder = ParentFolder();
        const ITEMIDLIST* item = relPidl_;
        result = folder ? folder->GetUIObjectOf(owner, 1, &item, IID_IDropTarget, nullptr,
                                                reinterpret_cast<void**>(&target))
                        : E_FAIL;
    } else if (IsNoItemPidl(AbsPidl())) {
        result = GetDesktopDropTarget(target);
    } else {
        result = GetPidlUIObject(AbsPidl(), IID_IDropTarget, reinterpret_cast<void**>(&target));
    }
    return SUCCEEDED(result) ? target : nullptr;
}

void TRzShellTreeData::DropCaches() {
    ShellMemFree(absPidl_);
    absPidl_ = nullptr;
    if (thisFolder_) thisFolder_->Release();
    thisFolder_ = nullptr;
}

// ---- construction and links

TRzShellTreeOptions TRzShellTree::DefaultOptions() {
    return TRzShellTreeOptions{stoAutoFill,     stoVirtualFolders, stoDefaultKeyHandling,
                               stoContextMenus, stoDynamicRefresh, stoOleDrag,
                               stoOleDrop,      stoShowHidden};
}

TRzCustomShellTree::TRzCustomShellTree(TComponent* AOwner)
    : TRzCustomTreeView(AOwner),
      syncTimer_(new TTimer(this)),
      selectedFolder_(new TRzShellLocator),
      baseFolder_(new TRzShellLocator),
      options_(TRzShellTree::DefaultOptions()),
      smallImages_(new TImageList(this)) {
    syncTimer_->SetEnabled(false);
    syncTimer_->SetOnTimer(MakeEvent(this, &TRzCustomShellTree::SyncTimerFired));
    selectedFolder_->OnChange = MakeEvent(this, &TRzCustomShellTree::SelectedFolderChanged);
    baseFolder_->OnChange = MakeEvent(this, &TRzCustomShellTree::BaseFolderChanged);
    smallImages_->SetShareImages(true);
    smallImages_->SetHandle(GetSystemImageList(sisSmall));
    SetImages(smallImages_);
    SetShowRoot(false);
    SetWidth(150);
    SetHeight(150);
    DeviceChangeHandler()->Register(MakeEvent(this, &TRzCustomShellTree::DoDeviceChange));
}

TRzCustomShellTree::~TRzCustomShellTree() {
    DeviceChangeHandler()->Unregister(MakeEvent(this, &TRzCustomShellTree::DoDeviceChange));
    if (shellList_) shellList_->LinkShellTree(nullptr);
    if (shellCombo_) shellCombo_->SetShellTree(nullptr);
    if (HandleAllocated()) DestroyHandle();
    RegisterDropTarget(false);
    if (dragData_) dragData_->Release();
    delete watcher_;
    ++busy_;
    Items()->Clear();
    delete selectedFolder_;
    delete baseFolder_;
}

void TRzCustomShellTree::SetOptions(TRzShellTreeOptions v) {
    TRzShellTreeOptions old = options_;
    if (old == v) return;
    options_ = v;
    if (!HandleAllocated() || IsLoading()) return;
    if (old.Contains(stoOleDrop) != v.Contains(stoOleDrop)) RegisterDropTarget(v.Contains(stoOleDrop) && !Designing());
    if (old.Contains(stoOleDrag) != v.Contains(stoOleDrag))
        SetWindowStyleBit(Handle(), TVS_DISABLEDRAGDROP, !v.Contains(stoOleDrag) && DragMode() != dmAutomatic);
    if (old.Contains(stoDynamicRefresh) != v.Contains(stoDynamicRefresh) && !Designing()) {
        if (v.Contains(stoDynamicRefresh))
            WatchFixedDrives();
        else if (watcher_)
            watcher_->RemoveAllWatches();
    }
}

void TRzCustomShellTree::CreateParams(TCreateParams& Params) {
    TRzCustomTreeView::CreateParams(Params);
    // The tree's own begin-drag notices start the shell drag.
    if (options_.Contains(stoOleDrag)) Params.Style &= ~TVS_DISABLEDRAGDROP;
}

void TRzCustomShellTree::SetBaseFolder(TRzShellLocator* v) {
    if (!IsLoading()) baseFolder_->Assign(v);
}

void TRzCustomShellTree::SetShellList(TRzCustomShellList* v) {
    if (v == shellList_) return;
    if (shellList_) {
        shellList_->LinkShellTree(nullptr);
        shellList_->RemoveFreeNotification(this);
    }
    shellList_ = v;
    if (!v) return;
    v->FreeNotification(this);
    v->LinkShellTree(this);
    v->FollowTreeNode(selectedFolder_->IdList());
}

void TRzCustomShellTree::LinkShellCombo(TRzCustomShellCombo* combo) {
    if (combo == shellCombo_) return;
    if (shellCombo_) shellCombo_->RemoveFreeNotification(this);
    shellCombo_ = combo;
    if (combo) combo->FreeNotification(this);
}

void TRzCustomShellTree::Notification(TComponent* AComponent, TOperation Operation) {
    TRzCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == shellList_) shellList_ = nullptr;
    if (AComponent == shellCombo_) shellCombo_ = nullptr;
}

void TRzCustomShellTree::BaseFolderChanged(TObject*) {
    if (IsLoading()) return;
    selectedFolder_->Clear();
    if (options_.Contains(stoAutoFill) && HandleAllocated()) {
        immediateSync_ = true;
        FillTree();
    }
}

// ---- filling and expansion

bool TRzCustomShellTree::PostponeRefresh() {
    if (!insideMenuOrDrag_ && !IsEditing()) return false;
    refreshRequested_ = true;
    return true;
}

void TRzCustomShellTree::RunPostponedRefresh() {
    if (!refreshRequested_) return;
    refreshRequested_ = false;
    RefreshTree();
}

void TRzCustomShellTree::FillTree() {
    if (PostponeRefresh()) return;
    refreshRequested_ = false;
    {
        THourglass hourglass;
        ++busy_;
        try {
            SetSelected(nullptr);
            Items()->Clear();
            IShellFolder* folder = nullptr;
            OleCheck(GetShellFolder(baseFolder_->IdList(), folder));
            TComRef<IShellFolder> held(folder);
            FillNode(folder, nullptr);
        } catch (...) {
            --busy_;
            throw;
        }
        --busy_;
    }
    if (!IsNoItemPidl(selectedFolder_->IdList()))
        SelectPidl(selectedFolder_->IdList());
    else if (TTreeNode* first = Items()->GetFirstNode()) {
        immediateSync_ = true;
        SetSelected(first);
        immediateSync_ = false;
    }
    FlushPendingSync(false);
    if (options_.Contains(stoDynamicRefresh) && !ComponentState().Contains(csDesigning)) WatchFixedDrives();
}

void TRzCustomShellTree::RefreshTree() {
    if (PostponeRefresh()) return;
    refreshRequested_ = false;
    TTreeNode* root = Items()->GetFirstNode();
    if (!root) {
        FillTree();
        return;
    }
    bool added = false;
    {
        THourglass hourglass;
        DoFillStart();
        ++busy_;
        refreshSelection_ = Selected();
        Items()->BeginUpdate();
        try {
            SetSelected(nullptr);
            SyncNodeChildren(root, added);
            if (added) CustomSort(&CompareSiblings, 0, true);
        } catch (...) {
            Items()->EndUpdate();
            --busy_;
            refreshSelection_ = nullptr;
            throw;
        }
        Items()->EndUpdate();
        --busy_;
    }
    TTreeNode* select = refreshSelection_;
    refreshSelection_ = nullptr;
    if (select) {
        immediateSync_ = true;
        SetSelected(select);
        immediateSync_ = false;
    }
    DoFillComplete();
}

bool TRzCustomShellTree::EnumerateInto(IShellFolder* folder, std::vector<PItemIDList>& found, HRESULT& endCode) {
    SHCONTF flags = SHCONTF_FOLDERS;
    if (options_.Contains(stoShowHidden)) flags |= SHCONTF_INCLUDEHIDDEN;
    if (options_.Contains(stoIncludeNonFolders)) flags |= SHCONTF_NONFOLDERS;
    TComRef<IEnumIDList> enumerator;
    HWND owner = HandleAllocated() && probing_ == 0 ? Handle() : nullptr;
    HRESULT started = folder->EnumObjects(owner, flags, enumerator.Out());
    if (FAILED(started) || started == S_FALSE || !enumerator) return false;
    PItemIDList item = nullptr;
    ULONG fetched = 0;
    while ((endCode = enumerator->Next(1, &item, &fetched)) == S_OK && fetched == 1) found.push_back(item);
    return true;
}

void TRzCustomShellTree::SyncNodeChildren(TTreeNode* node, bool& added) {
    if (node->HasChildren() && node->Count() == 0) return;  // never loaded: nothing to bring in line
    TRzShellTreeData* data = NodeData(node);
    IShellFolder* folder = data ? data->ThisFolder() : nullptr;
    if (!folder) return;
    std::vector<PItemIDList> fresh;
    TFreeEnumeratedPidls freeAll{fresh};
    TQuietErrors quiet;
    // A listing that fails or stops early says nothing about what vanished: the node stays.
    HRESULT endCode = S_FALSE;
    if (!EnumerateInto(folder, fresh, endCode) || !EnumerationFinished(endCode)) return;
    std::vector<bool> present(fresh.size(), false);
    for (TTreeNode* child = node->GetFirstChild(); child;) {
        TTreeNode* next = child->GetNextSibling();
        TRzShellTreeData* childData = NodeData(child);
        bool found = false;
        for (size_t i = 0; i < fresh.size() && childData && !found; ++i)
            if (!present[i] && CompareInFolder(folder, fresh[i], childData->RelPidl()) == 0) found = present[i] = true;
        if (!found) {
            if (refreshSelection_ && (refreshSelection_ == child || refreshSelection_->HasAsParent(child)))
                refreshSelection_ = node;
            child->Delete();
        }
        child = next;
    }
    for (size_t i = 0; i < fresh.size(); ++i)
        if (!present[i] && AddNode(folder, data->AbsPidl(), fresh[i], node)) added = true;
    if (node->Count() > 0) node->SetHasChildren(true);
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        SyncNodeChildren(child, added);
}

// ---- dynamic refresh

void TRzCustomShellTree::EnsureWatcher() {
    if (watcher_ || !HandleAllocated()) return;
    watcher_ = new TChangeHandlerThread(Handle(), RZ_SHELLCHANGE);
    watcher_->Start();
}

void TRzCustomShellTree::WatchFixedDrives() {
    EnsureWatcher();
    if (!watcher_) return;
    watcher_->RemoveAllWatches();
    DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter))) continue;
        String root = String(1, wchar_t(L'A' + letter)) + L":\\";
        UINT type = GetDriveTypeW(root.c_str());
        // Removable and CD drives are never watched; network drives only while connected.
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK || (type == DRIVE_REMOTE && IsNetDriveConnected(root[0])))
            WatchDrive(root);
    }
}

void TRzCustomShellTree::WatchDrive(const String& path) {
    EnsureWatcher();
    if (!watcher_) return;
    if (path.empty()) {
        watcher_->RemoveAllWatches();
        return;
    }
    DWORD filter = FILE_NOTIFY_CHANGE_DIR_NAME;
    if (options_.Contains(stoIncludeNonFolders)) filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
    Integer slot = -1;
    watcher_->AddWatch(path.substr(0, 2) + L"\\", filter, slot, true);
}

void TRzCustomShellTree::WMShellChange(TMessage&) {
    if (ignoreNextNotification_) {
        ignoreNextNotification_ = false;
        return;
    }
    // Not lost: the menu or drag refreshes when it ends.
    if (insideMenuOrDrag_) {
        refreshRequested_ = true;
        return;
    }
    syncTimer_->SetEnabled(false);
    syncTimer_->SetTag(saRefresh);
    syncTimer_->SetInterval(Focused() ? FocusedRefreshDelay : UnfocusedRefreshDelay);
    syncTimer_->SetEnabled(true);
}

void TRzCustomShellTree::FillNode(IShellFolder* folder, TTreeNode* node) {
    DoFillStart();
    TQuietErrors quiet;
    bool newRoot = !node;
    if (newRoot) {
        const ITEMIDLIST* base = baseFolder_->IdList();
        auto* data = new TRzShellTreeData(this, nullptr, base);
        node = Items()->AddChildObject(nullptr, GetAbsolutePidlDisplayName(base), data);
        node->SetImageIndex(GetPidlIconIndex(base, TreeSmallIcon));
        node->SetSelectedIndex(GetPidlIconIndex(base, TreeSmallOpenIcon));
        data->SetThisFolder(folder);
        DoInsertItem(node);
    }
    std::vector<PItemIDList> found;
    TFreeEnumeratedPidls freeAll{found};
    HRESULT next = S_FALSE;
    if (!EnumerateInto(folder, found, next)) {
        // A folder that cannot be listed keeps its mark and shows no children.
        node->SetHasChildren(true);
        DoFillComplete();
        return;
    }
    if (!EnumerationFinished(next)) {
        if (next == E_FAIL) {
            DoFillComplete();
            return;
        }
        RaiseOleSysError(next);
    }
    // Added in the folder's own order, so no node is moved afterwards.
    std::stable_sort(found.begin(), found.end(),
                     [&](PItemIDList a, PItemIDList b) { return CompareInFolder(folder, a, b) < 0; });
    TRzShellTreeData* parentData = NodeData(node);
    for (PItemIDList child : found) AddNode(folder, parentData->AbsPidl(), child, node);
    if (node->Count() == 0) node->SetHasChildren(false);
    if (newRoot) node->Expand(false);
    DoFillComplete();
}

bool TRzCustomShellTree::AddNode(IShellFolder* folder, const ITEMIDLIST* parentPidl, const ITEMIDLIST* relPidl,
                                 TTreeNode* node) {
    if (IsNoItemPidl(relPidl)) return false;
    SFGAOF attributes = TreeNodeAttributes;
    if (FAILED(folder->GetAttributesOf(1, &relPidl, &attributes))) attributes = 0;
    bool take = options_.Contains(stoVirtualFolders) || (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    if (!take || !DoAddItem(folder, parentPidl, attributes, relPidl)) return false;
    auto* data = new TRzShellTreeData(this, NodeData(node), relPidl);
    TTreeNode* child = Items()->AddChildObject(node, GetPidlDisplayName(folder, relPidl, snkInFolder), data);
    bool isFolder = attributes & SFGAO_FOLDER, hasSubfolders = attributes & SFGAO_HASSUBFOLDER;
    child->SetHasChildren(options_.Contains(stoIncludeNonFolders) ? (isFolder || hasSubfolders)
                                                                  : (isFolder && hasSubfolders));
    if (attributes & SFGAO_SHARE)
        child->SetOverlayIndex(0);
    else if (attributes & SFGAO_LINK)
        child->SetOverlayIndex(1);
    if (attributes & SFGAO_HIDDEN) child->SetCut(true);
    DoInsertItem(child);
    return true;
}

bool TRzCustomShellTree::DoAddItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, SFGAOF attributes,
                                   const ITEMIDLIST* relPidl) {
    bool allow = true;
    if (OnAddItem) OnAddItem(this, folder, parentPidl, relPidl, attributes, allow);
    return allow;
}

TTreeNode* TRzCustomShellTree::FindChild(TTreeNode* node, const ITEMIDLIST* relPidl) {
    TRzShellTreeData* data = NodeData(node);
    IShellFolder* folder = data ? data->ThisFolder() : nullptr;
    if (!folder) return nullptr;
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling()) {
        TRzShellTreeData* childData = NodeData(child);
        if (!childData) continue;
        HRESULT result = folder->CompareIDs(0, relPidl, childData->RelPidl());
        if (SUCCEEDED(result) && short(HRESULT_CODE(result)) == 0) return child;
    }
    return nullptr;
}

bool TRzCustomShellTree::CanExpand(TTreeNode* Node) {
    if (IsLoading() || !TRzCustomTreeView::CanExpand(Node)) return false;
    if (Node->HasChildren() && Node->Count() == 0) ExpandNode(Node);
    return true;
}

void TRzCustomShellTree::ExpandNode(TTreeNode* node) {
    TRzShellTreeData* data = NodeData(node);
    IShellFolder* folder = data ? data->ThisFolder() : nullptr;
    if (!folder) {
        node->SetHasChildren(false);
        return;
    }
    THourglass hourglass;
    FillNode(folder, node);
}

void TRzCustomShellTree::GetImageIndex(TTreeNode* Node) {
    TRzCustomTreeView::GetImageIndex(Node);
    if (Node->ImageIndex() > 0) return;
    TRzShellTreeData* data = NodeData(Node);
    if (!data) return;
    Node->SetImageIndex(GetPidlIconIndex(data->AbsPidl(), TreeSmallIcon));
    Node->SetSelectedIndex(GetPidlIconIndex(data->AbsPidl(), TreeSmallOpenIcon));
}

void TRzCustomShellTree::Delete(TTreeNode* Node) {
    TRzCustomTreeView::Delete(Node);
    TRzShellTreeData* data = NodeData(Node);
    if (!data) return;
    if (OnDeleteItem) OnDeleteItem(this, Node, data);
    Node->SetData(nullptr);
    delete data;
}

// ---- renaming

bool TRzCustomShellTree::CanEdit(TTreeNode* Node) {
    TRzShellTreeData* data = NodeData(Node);
    if (!data) return TRzCustomTreeView::CanEdit(Node);
    if (!data->CanRename() || !TRzCustomTreeView::CanEdit(Node) || ComponentState().Contains(csDesigning)) return false;
    if (HWND edit = HWND(SendMessageW(Handle(), TVM_GETEDITCONTROL, 0, 0)))
        SetWindowTextW(edit, GetPidlDisplayName(data->ParentFolder(), data->RelPidl(), snkInFolderForEditing).c_str());
    return true;
}

void TRzCustomShellTree::Edit(TTreeNode* Node, String& S) {
    TRzShellTreeData* data = NodeData(Node);
    if (!data) {
        TRzCustomTreeView::Edit(Node, S);
        return;
    }
    S = Trim(S);
    if (OnEdited) OnEdited(this, Node, S);
    IShellFolder* folder = data->ParentFolder();
    if (!folder) return;
    THourglass hourglass;
    ++busy_;
    try {
        ignoreNextNotification_ = true;
        PITEMID_CHILD renamed = nullptr;
        HRESULT result = folder->SetNameOf(Handle(), data->RelPidl(), S.c_str(), SHGDN_INFOLDER, &renamed);
        if (SUCCEEDED(result) && renamed) {
            data->SetRelPidl(renamed);
            for (TTreeNode* below = Node->GetNext(); below && below->HasAsParent(Node); below = below->GetNext())
                if (TRzShellTreeData* belowData = NodeData(below)) belowData->DropCaches();
            Node->SetText(GetPidlDisplayName(folder, data->RelPidl(), snkInFolder));
            const ITEMIDLIST* pidl = data->AbsPidl();
            selectedFolder_->SetIdList(pidl);
            if (shellList_) shellList_->FollowTreeNode(pidl);
            if (shellCombo_) shellCombo_->FollowTreeNode(pidl);
        } else {
            // Refused: the node keeps its name.
            if (FAILED(result)) ignoreNextNotification_ = false;
            Node->SetText(GetPidlDisplayName(folder, data->RelPidl(), snkInFolder));
        }
        CustomSort(&CompareSiblings, 0, true);
    } catch (...) {
        --busy_;
        throw;
    }
    --busy_;
}

// ---- selection and synchronisation

void TRzCustomShellTree::Change(TTreeNode* Node) {
    if (busy_ > 0 || IsLoading()) return;
    TRzCustomTreeView::Change(Node);
    if (!NodeData(Node)) return;
    syncTimer_->SetEnabled(false);
    if (immediateSync_ || !shellList_) {
        immediateSync_ = false;
        SyncToNode(Node);
    } else {
        syncTimer_->SetTag(saSynchronise);
        syncTimer_->SetInterval(KeyboardSyncDelay);
        syncTimer_->SetEnabled(true);
    }
}

void TRzCustomShellTree::SyncToNode(TTreeNode* node) {
    const ITEMIDLIST* pidl = NodeData(node)->AbsPidl();
    ++busy_;
    try {
        selectedFolder_->SetIdList(pidl);
        if (shellList_) shellList_->FollowTreeNode(pidl);
        if (shellCombo_) shellCombo_->FollowTreeNode(pidl);
    } catch (...) {
        --busy_;
        throw;
    }
    --busy_;
}

void TRzCustomShellTree::SyncTimerFired(TObject*) {
    syncTimer_->SetEnabled(false);
    NativeInt action = syncTimer_->Tag();
    syncTimer_->SetTag(saNone);
    if (action == saSynchronise && NodeData(Selected()))
        SyncToNode(Selected());
    else if (action == saRefresh)
        RefreshTree();
}

void TRzCustomShellTree::FlushPendingSync(bool flushLinked) {
    if (flushLinked && shellList_) shellList_->FlushPendingRefresh(false);
    if (syncTimer_->Enabled()) SyncTimerFired(syncTimer_);
}

void TRzCustomShellTree::SelectedFolderChanged(TObject*) {
    if (IsLoading() || busy_ > 0) {
        if (busy_ == 0 && shellList_) shellList_->FollowTreeNode(selectedFolder_->IdList());
        return;
    }
    if (Items()->Count() > 0) SelectPidl(selectedFolder_->IdList());
}

void TRzCustomShellTree::ShowComboFolder(const ITEMIDLIST* pidl, bool) {
    if (busy_ == 0) selectedFolder_->SetIdList(pidl);
}

void TRzCustomShellTree::SelectPidl(const ITEMIDLIST* pidl) {
    TTreeNode* root = Items()->GetFirstNode();
    if (busy_ > 0 || !root) return;
    const ITEMIDLIST* base = baseFolder_->IdList();
    TRzIdListArray baseLevels(base), targetLevels(pidl);
    int baseCount = baseLevels.Count(), targetCount = targetLevels.Count();
    TTreeNode* node = root;
    if (targetCount > baseCount) {
        // A folder outside the base has no node: the root stands for it.
        PItemIDList head = CopyPidl(nullptr, targetLevels.Ancestor(targetCount - baseCount));
        bool under = IsNoItemPidl(base) || ComparePidls(head, base) == 0;
        ShellMemFree(head);
        if (under) {
            Items()->BeginUpdate();
            try {
                root->Expand(false);
                bool hideFolders = shellList_ && shellList_->Options().Contains(sloHideFoldersWhenLinkedToTree);
                for (int level = baseCount; level < targetCount; ++level) {
                    PItemIDList item = CopyPidl(nullptr, targetLevels.Items(level));
                    TTreeNode* child = FindChild(node, item);
                    if (!child) {
                        TRzShellTreeData* data = NodeData(node);
                        IShellFolder* folder = data ? data->ThisFolder() : nullptr;
                        if (folder && AddNode(folder, data->AbsPidl(), item, node)) child = node->GetLastChild();
                    }
                    ShellMemFree(item);
                    if (!child) {
                        MessageBeep(0);
                        break;
                    }
                    node = child;
                    if (level < targetCount - 1 || hideFolders) node->Expand(false);
                }
            } catch (...) {
                Items()->EndUpdate();
                throw;
            }
            Items()->EndUpdate();
        }
    } else if (targetCount > 0) {
        root->Expand(false);
    }
    immediateSync_ = true;
    SetSelected(node);
    immediateSync_ = false;
    node->MakeVisible();
}

void TRzCustomShellTree::GoUpLevels(int levels) {
    TTreeNode* node = Selected();
    if (!node) return;
    for (int i = 0; i < levels && node->Parent(); ++i) node = node->Parent();
    immediateSync_ = true;
    SetSelected(node);
    immediateSync_ = false;
}

String TRzCustomShellTree::SelectedPathName() const {
    TRzShellTreeData* data = NodeData(Selected());
    return data ? data->PathName() : String();
}

// ---- folders, verbs and menus

void TRzCustomShellTree::SortChildren(TTreeNode* node) {
    if (!node) return;
    // The platform sorts whole levels: the nodes below node are ordered by the same comparison.
    Items()->BeginUpdate();
    try {
        CustomSort(&CompareSiblings, 0, true);
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
}

bool TRzCustomShellTree::CreateNewFolderInTree() {
    TTreeNode* node = Selected();
    String path = SelectedPathName();
    // A folder without a file-system path has no place for a new folder; the process's current
    // folder is not where the user looked.
    if (!node || path.empty()) return false;
    ignoreNextNotification_ = true;
    String name;
    if (!CreateNewFolderIn(path, name)) {
        ignoreNextNotification_ = false;
        return false;
    }
    // The shell needs a moment before it lists the new folder, the desktop longer.
    WaitWithHourglass(IsNoItemPidl(selectedFolder_->IdList()) ? 2100 : 1000);
    RefreshTree();
    node = Selected();
    if (!node) return true;
    node->Expand(false);
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        if (child->Text() == name) {
            child->EditText();
            break;
        }
    return true;
}

HRESULT TRzCustomShellTree::InvokeNodeVerb(TTreeNode* node, const String& verb) {
    TRzShellTreeData* data = NodeData(node);
    if (!data || !data->Parent()) return S_FALSE;  // the root takes no verbs
    return InvokeItemVerb(ShellOwnerWindow(this), data->ParentFolder(), data->RelPidl(), data->ThisFolder(), verb);
}

void TRzCustomShellTree::KeyDown(Word& Key, TShiftState Shift) {
    TRzCustomTreeView::KeyDown(Key, Shift);
    if (Key == 0 || !options_.Contains(stoDefaultKeyHandling) || IsEditing() || Designing()) return;
    TShortCut pressed = ShortCut(Key, Shift);
    TTreeNode* node = Selected();
    if (pressed == DefaultShellKey(skRename)) {
        if (node) node->EditText();
    } else if (pressed == DefaultShellKey(skRefresh)) {
        RefreshTree();
    } else if (pressed == DefaultShellKey(skCut)) {
        OleCheck(InvokeNodeVerb(node, L"cut"));
    } else if (pressed == DefaultShellKey(skCopy)) {
        OleCheck(InvokeNodeVerb(node, L"copy"));
    } else if (pressed == DefaultShellKey(skPaste)) {
        OleCheck(InvokeNodeVerb(node, L"paste"));
        RefreshTree();
    } else if (pressed == DefaultShellKey(skDelete) || pressed == (DefaultShellKey(skDelete) | scShift)) {
        OleCheck(InvokeNodeVerb(node, L"delete"));
        RefreshTree();
    } else {
        return;
    }
    Key = 0;
}

bool TRzCustomShellTree::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    // The wheel event's handler first; otherwise the system's line count, or a page.
    if (TCustomTreeView::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (!HandleAllocated()) return false;
    int lines = Mouse->WheelScrollLines();
    bool down = WheelDelta < 0;
    if (lines < 0) {
        SendMessageW(Handle(), WM_VSCROLL, down ? SB_PAGEDOWN : SB_PAGEUP, 0);
    } else {
        for (int i = 0; i < lines; ++i) SendMessageW(Handle(), WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, 0);
    }
    return true;
}

void TRzCustomShellTree::CMWantSpecialKey(TMessage& Message) {
    // Enter and Escape belong to the label's edit box while it is open.
    if (IsEditing()) {
        Message.Result = 1;
        return;
    }
    Inherited<TRzCustomTreeView>(Message);
}

void TRzCustomShellTree::DoNodeContextMenu(TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu) {
    TRzCustomTreeView::DoNodeContextMenu(Node, Pos, Menu);
    if (!options_.Contains(stoContextMenus) || Designing() || !Node) return;
    TRzShellTreeData* data = NodeData(Node);
    // The root offers no verbs: the popup menu of the control stays.
    if (!data || !data->Parent()) return;
    Menu = nullptr;
    ShowShellContextMenu(Node, Pos);
}

void TRzCustomShellTree::ShowShellContextMenu(TTreeNode* node, TPoint pos) {
    TRzShellTreeData* data = NodeData(node);
    if (!data || !data->Parent() || IsNoItemPidl(data->RelPidl())) return;
    IShellFolder* folder = data->ParentFolder();
    if (!folder) return;
    TRzShellContextMenu menu(Handle(), smallImages_->Handle());
    // The hint reaches the handler with the tree as its sender.
    menu.OnPopupHint = MakeEvent(this, &TRzCustomShellTree::MenuHint);
    activeMenu_ = &menu;
    insideMenuOrDrag_ = true;
    TRzContextMenuChoice choice;
    try {
        choice = menu.Show(ShellOwnerWindow(this), folder, {data->RelPidl()}, ClientToScreen(pos), !ReadOnly());
    } catch (...) {
        activeMenu_ = nullptr;
        insideMenuOrDrag_ = false;
        throw;
    }
    activeMenu_ = nullptr;
    insideMenuOrDrag_ = false;
    switch (choice.Kind) {
        case TRzContextMenuChoice::ckRename:
            node->EditText();
            break;
        case TRzContextMenuChoice::ckInvoked:
            refreshRequested_ = true;
            break;
        case TRzContextMenuChoice::ckSendTo:
            DoSendTo(node, choice.SendToFile);
            break;
        default:
            break;
    }
    RunPostponedRefresh();
}

void TRzCustomShellTree::MenuHint(TObject*, const String& hint) {
    if (OnPopupHint) OnPopupHint(this, hint);
}

void TRzCustomShellTree::DoSendTo(TTreeNode* node, const String& fileName) {
    TComRef<IDataObject> data(NewNodeDataObject(node));
    if (data) SendToItem(fileName, data.Get());
}

void TRzCustomShellTree::WMMenuMessage(TMessage& Message) {
    if (activeMenu_ && activeMenu_->HandleMenuMessage(Message)) return;
    Inherited<TRzCustomTreeView>(Message);
}

// ---- drag and drop

IDataObject* TRzCustomShellTree::NewNodeDataObject(TTreeNode* node) {
    TRzShellTreeData* data = NodeData(node);
    if (!data || !data->Parent()) return nullptr;
    return TRzShellDataObject::Create(data->Parent()->AbsPidl(), {data->RelPidl()}, {data->PathName()});
}

DWORD TRzCustomShellTree::NodeDropEffects(TTreeNode* node) {
    TRzShellTreeData* data = NodeData(node);
    return data ? ItemsDropEffects(data->ParentFolder(), {data->RelPidl()}) : DROPEFFECT_NONE;
}

void TRzCustomShellTree::StartNodeDrag(TTreeNode* node, TRzDragButton button) {
    TComRef<IDataObject> data(NewNodeDataObject(node));
    if (!data) return;  // the root is not dragged
    insideMenuOrDrag_ = true;
    HRESULT result = DRAGDROP_S_CANCEL;
    try {
        TComRef<IDropSource> source(CreateDropSource(button));
        DWORD effect = DROPEFFECT_NONE;
        result = DoDragDrop(data.Get(), source.Get(), NodeDropEffects(node), &effect);
    } catch (...) {
        insideMenuOrDrag_ = false;
        throw;
    }
    insideMenuOrDrag_ = false;
    if (result == DRAGDROP_S_DROP) refreshRequested_ = true;
    RunPostponedRefresh();
}

void TRzCustomShellTree::RegisterDropTarget(bool on) {
    RegisterShellDropTarget(HandleAllocated() ? Handle() : nullptr, this, on, dropTarget_);
}

IDropTarget* TRzCustomShellTree::NodeDropTarget(POINTL point, TTreeNode*& node) {
    TPoint client = ScreenToClient(TPoint{point.x, point.y});
    node = GetNodeAt(client.x, client.y);
    TRzShellTreeData* data = NodeData(node);
    IDropTarget* target = data ? data->DropTarget(probing_ ? nullptr : Handle()) : nullptr;
    if (!target) node = nullptr;
    return target;
}

void TRzCustomShellTree::Highlight(TTreeNode* node) {
    if (node == highlighted_) return;
    highlighted_ = node;
    SetDropTarget(node);
    Update();
}

void TRzCustomShellTree::DoDragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) {
    if (dragData_) dragData_->Release();
    dragData_ = data;
    if (data) data->AddRef();
    dragKeyState_ = keyState;
    lastScrollTime_ = GetTickCount();
    hoverPoint_ = ScreenToClient(TPoint{point.x, point.y});
    hoverSince_ = lastScrollTime_;
    TTreeNode* node = nullptr;
    TComRef<IDropTarget> target(NodeDropTarget(point, node));
    if (target) {
        target->DragEnter(data, keyState, point, &effect);
        target->DragLeave();
        Highlight(node);
    } else {
        effect = DROPEFFECT_NONE;
        Highlight(draggedNode_);
    }
}

void TRzCustomShellTree::DoDragOver(DWORD keyState, POINTL point, DWORD& effect) {
    TTreeNode* node = nullptr;
    TComRef<IDropTarget> target(NodeDropTarget(point, node));
    if (target && dragData_) {
        effect = ProbeDropTarget(target.Get(), dragData_, keyState, point, effect);
        Highlight(node);
    } else {
        effect = DROPEFFECT_NONE;
        Highlight(draggedNode_);
    }
    DragScrollAndExpand(ScreenToClient(TPoint{point.x, point.y}));
    effect |= DROPEFFECT_SCROLL;
}

void TRzCustomShellTree::DoDragLeave() {
    if (dragData_) dragData_->Release();
    dragData_ = nullptr;
    Highlight(draggedNode_);
}

void TRzCustomShellTree::DoDrop(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) {
    struct TEnd {
        TRzCustomShellTree* self;
        ~TEnd() { self->DoDragLeave(); }
    } end{this};
    TTreeNode* node = nullptr;
    TComRef<IDropTarget> target(NodeDropTarget(point, node));
    if (!target) {
        effect = DROPEFFECT_NONE;
        return;
    }
    DropOnTarget(target.Get(), data, keyState | (dragKeyState_ & (MK_LBUTTON | MK_RBUTTON)), point, effect);
    if (insideMenuOrDrag_)
        refreshRequested_ = true;  // dropped during the tree's own drag: it refreshes when that ends
    else
        RefreshTree();
}

void TRzCustomShellTree::DragScrollAndExpand(TPoint client) {
    DWORD now = GetTickCount();
    if (now - lastScrollTime_ >= DragScrollInterval) {
        RECT r;
        GetClientRect(Handle(), &r);
        // A line only where the bar has somewhere to go.
        auto scroll = [&](int bar, UINT message, WPARAM step) {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_ALL;
            if (!GetScrollInfo(Handle(), bar, &info) || info.nMax - info.nMin + 1 <= int(info.nPage)) return;
            int before = GetScrollPos(Handle(), bar);
            SendMessageW(Handle(), message, step, 0);
            if (GetScrollPos(Handle(), bar) != before) lastScrollTime_ = now;
        };
        if (client.x < DragScrollZoneX)
            scroll(SB_HORZ, WM_HSCROLL, SB_LINELEFT);
        else if (client.x > r.right - DragScrollZoneX)
            scroll(SB_HORZ, WM_HSCROLL, SB_LINERIGHT);
        if (client.y < DragScrollZoneY)
            scroll(SB_VERT, WM_VSCROLL, SB_LINEUP);
        else if (client.y > r.bottom - DragScrollZoneY)
            scroll(SB_VERT, WM_VSCROLL, SB_LINEDOWN);
    }
    // Resting near the last point for the hover time expands the folder under it. The rectangle
    // reaches further right and down than left and up.
    TRect rest{hoverPoint_.x - DragHoverWidth / 2, hoverPoint_.y - DragHoverHeight / 2,
               hoverPoint_.x + DragHoverWidth, hoverPoint_.y + DragHoverHeight};
    bool resting = client.x >= rest.left && client.x <= rest.right && client.y >= rest.top && client.y <= rest.bottom;
    if (!resting) {
        hoverPoint_ = client;
        hoverSince_ = now;
        return;
    }
    if (now - hoverSince_ < DragHoverTime) return;
    TTreeNode* node = GetNodeAt(hoverPoint_.x, hoverPoint_.y);
    if (!node || !node->HasChildren() || node->Count() > 0) return;
    ++probing_;
    try {
        node->Expand(false);
    } catch (...) {
        // A folder that cannot be opened during a drag just stops offering to.
        node->SetHasChildren(false);
    }
    --probing_;
}

// ---- drives

void TRzCustomShellTree::DoDeviceChange(TObject*, TMessage& Message) {
    if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
    ValidateDrivesFolder();
    if (!HandleAllocated() || Items()->Count() == 0) return;
    SuspendDrivesValidation();
    try {
        RefreshTree();
    } catch (...) {
        ResumeDrivesValidation();
        throw;
    }
    ResumeDrivesValidation();
}

// ---- window life

void TRzCustomShellTree::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
        case NM_CLICK:
            // A click synchronises at once; keyboard movement waits for rest.
            immediateSync_ = true;
            break;
        case TVN_BEGINDRAGW:
        case TVN_BEGINRDRAGW: {
            Inherited<TRzCustomTreeView>(Message);
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            TTreeNode* node = NodeOf(view->itemNew.hItem, view->itemNew.lParam);
            if (!node || !options_.Contains(stoOleDrag) || Designing()) return;
            draggedNode_ = node;
            Highlight(node);
            try {
                StartNodeDrag(node, header->code == TVN_BEGINRDRAGW ? dbRight : dbLeft);
            } catch (...) {
                draggedNode_ = nullptr;
                Highlight(nullptr);
                throw;
            }
            draggedNode_ = nullptr;
            Highlight(nullptr);
            dragEnded_ = true;
            return;
        }
        case TVN_ENDLABELEDITW:
            Inherited<TRzCustomTreeView>(Message);
            // The edit box goes after this notice: a refresh it held back runs once it has.
            if (refreshRequested_ && HandleAllocated()) PostMessageW(Handle(), RZ_SHELLCONTROL_DEFERREDFILL, 0, 0);
            return;
    }
    Inherited<TRzCustomTreeView>(Message);
}

void TRzCustomShellTree::WMNCDestroy(TMessage& Message) {
    RegisterDropTarget(false);
    delete watcher_;
    watcher_ = nullptr;
    Inherited<TRzCustomTreeView>(Message);
}

void TRzCustomShellTree::WMWindowPosChanged(TMessage& Message) {
    if (destroyingWindow_) return;
    Inherited<TRzCustomTreeView>(Message);
}

void TRzCustomShellTree::WMButtonDown(TMessage& Message) {
    dragEnded_ = false;
    Inherited<TRzCustomTreeView>(Message);
    // Some tree windows mark the dragged node as the drop target once the begin-drag notice
    // returns; the drag is over by then, so is the mark.
    if (dragEnded_ && HandleAllocated()) {
        dragEnded_ = false;
        highlighted_ = nullptr;
        SetDropTarget(nullptr);
    }
}

void TRzCustomShellTree::WMPaint(TMessage& Message) {
    // Icons drawn straight onto the tree's colour need no mask. The lists are shared with other
    // controls, so their colour is set on the lists themselves (no change notices) and put back.
    HIMAGELIST lists[2] = {Images() ? Images()->Handle() : nullptr, StateImages() ? StateImages()->Handle() : nullptr};
    COLORREF saved[2] = {CLR_NONE, CLR_NONE};
    COLORREF colour = COLORREF(ColorToRGB(Color()));
    for (int i = 0; i < 2; ++i)
        if (lists[i]) saved[i] = ImageList_SetBkColor(lists[i], colour);
    try {
        Inherited<TRzCustomTreeView>(Message);
    } catch (...) {
        for (int i = 0; i < 2; ++i)
            if (lists[i]) ImageList_SetBkColor(lists[i], saved[i]);
        throw;
    }
    for (int i = 0; i < 2; ++i)
        if (lists[i]) ImageList_SetBkColor(lists[i], saved[i]);
}

void TRzCustomShellTree::WMNCHitTest(TMessage& Message) { DefaultHandler(Message); }

void TRzCustomShellTree::TVMDeleteItem(TMessage& Message) {
    // Deleting moves the window's selection from node to node: nothing of that is the user's.
    ++busy_;
    try {
        Inherited<TRzCustomTreeView>(Message);
    } catch (...) {
        --busy_;
        throw;
    }
    --busy_;
}

void TRzCustomShellTree::CMDesignHitTest(TMessage& Message) {
    // At design time the mouse works on items, their buttons and the scroll bars only on request.
    Message.Result = 0;
    if (!options_.Contains(stoDesignInteractive) || !HandleAllocated()) return;
    POINT p = MessagePoint(Message.LParam);
    TVHITTESTINFO hit{};
    hit.pt = p;
    SendMessageW(Handle(), TVM_HITTEST, 0, LPARAM(&hit));
    if (hit.flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) Message.Result = 1;
}

void TRzCustomShellTree::CreateWnd() {
    TRzCustomTreeView::CreateWnd();
    if (options_.Contains(stoOleDrop) && !Designing()) RegisterDropTarget(true);
    if (options_.Contains(stoAutoFill) && Items()->Count() == 0 && !IsLoading())
        PostMessageW(Handle(), RZ_SHELLCONTROL_DEFERREDFILL, 0, 0);
    if (shellList_) shellList_->FollowTreeNode(selectedFolder_->IdList());
}

void TRzCustomShellTree::DestroyWnd() {
    // The watcher posts to this window: it goes with it.
    delete watcher_;
    watcher_ = nullptr;
    syncTimer_->SetEnabled(false);
    destroyingWindow_ = true;
    try {
        TRzCustomTreeView::DestroyWnd();
    } catch (...) {
        destroyingWindow_ = false;
        throw;
    }
    destroyingWindow_ = false;
}

void TRzCustomShellTree::WMDeferredFill(TMessage&) {
    if (Items()->Count() == 0)
        FillTree();
    else
        RunPostponedRefresh();
}

void TRzCustomShellTree::Loaded() {
    TRzCustomTreeView::Loaded();
    if (options_.Contains(stoAutoFill) && !shellCombo_ && HandleAllocated() && Items()->Count() == 0) FillTree();
}

void InitializeRzShellTree() { RegisterClass(TRzShellTree::StaticClass()); }
