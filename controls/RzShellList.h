#pragma once
// TRzCustomShellList (published as TRzShellList): the contents of one shell folder in a list
// view. Icons come from the system image lists; the columns are the folder's own details, or
// Name, Size, Type and Modified; it sorts by the folder's order of a column, filters files by
// masks, renames, opens, makes new folders, shows the shell's context menus, drags and drops
// shell items, and refreshes itself when the folder changes on disk. A linked shell tree or
// combo owns the navigation.
//
// Sections: item data; options and links; filling and columns; sorting; navigation and keys;
// renaming and new folders; verbs and menus; drag and drop; refresh; window life.

#include <shlobj.h>

#include <set>
#include <vector>

#include "ImageList.h"
#include "RzChangeHandlerThread.h"
#include "RzListVw.h"
#include "RzShellCombo.h"
#include "RzShellContextMenu.h"
#include "RzShellDragDrop.h"
#include "RzShellLocator.h"
#include "Timer.h"

class TRzCustomShellList;

// One item of the list: its relative list in the list's folder, its absolute list (made on first
// use), its display name and the default column texts (read once).
class TRzShellListData : public TObject {
    Z_CLASS(TRzShellListData, TObject)
public:
    // Takes ownership of relPidl.
    TRzShellListData(TRzCustomShellList* owner, PItemIDList relPidl) : owner_(owner), relPidl_(relPidl) {}
    ~TRzShellListData() override;

    TRzCustomShellList* Owner() const { return owner_; }
    const ITEMIDLIST* RelPidl() const { return relPidl_; }
    const ITEMIDLIST* AbsPidl();
    // Takes ownership; the cached names and texts are dropped.
    void SetRelPidl(PItemIDList value);
    // The attributes the list works with (folder, file system, hidden, link, can-rename...).
    SFGAOF Attributes();
    bool IsFolder();
    bool IsLink();
    bool CanRename() { return (Attributes() & SFGAO_CANRENAME) != 0; }
    const String& DisplayName();
    void SetDisplayName(const String& value) {
        displayName_ = value;
        haveName_ = true;
    }
    // The last part of the item's path, and the path itself (empty without one).
    String FileName();
    String PathName();
    // The text of a column: 0 is empty (the caption shows); the folder's details when it has
    // them; otherwise Size, Type and Modified.
    String ColumnText(int column);
    int IconIndex();

private:
    void FillDefaultTexts();

    TRzCustomShellList* owner_;
    PItemIDList relPidl_;
    PItemIDList absPidl_ = nullptr;
    String displayName_;
    bool haveName_ = false;
    String size_, type_, modified_;
    bool textsFilled_ = false;
    int iconIndex_ = -1;
};

Z_ENUM(TRzShellListOption, int, sloAutoFill, sloNonFilesystemAncestors, sloDesignInteractive, sloDefaultKeyHandling,
       sloContextMenus, sloDontChangeFolder, sloDontGoBelowBase, sloDynamicRefresh, sloHideFoldersWhenLinkedToTree,
       sloOleDrag, sloOleDrop, sloFolderContextMenu, sloShowHidden, sloFilesCanBeFolders)
using TRzShellListOptions = TSet<TRzShellListOption>;

// What a shell tree does for the list linked to it.
class IRzShellListTreeLink {
public:
    virtual void LinkShellList(TRzCustomShellList* list) = 0;
    // The list browsed into a folder (absolute list): the tree selects it.
    virtual void SelectFolderForList(const ITEMIDLIST* pidl) = 0;
    virtual void GoUpLevels(int levels) = 0;
    virtual void FlushPendingSync(bool flushLinked) = 0;

protected:
    ~IRzShellListTreeLink() = default;
};

using TRzShAddItemEvent = TEvent<void(TObject* Sender, IShellFolder* Folder, const ITEMIDLIST* ParentPidl,
                                      const ITEMIDLIST* RelPidl, SFGAOF Attributes, bool& AllowAdd)>;
using TRzShListDeleteItemEvent = TEvent<void(TObject* Sender, TListItem* Node, TRzShellListData* ListData)>;
using TRzShDblClickOpenEvent = TEvent<void(TObject* Sender, bool& Handled)>;
using TRzShPopupHintEvent = TEvent<void(TObject* Sender, const String& Hint)>;

// The list's private messages.
constexpr Cardinal RZ_SHELLLIST_EDITNEWFOLDER = WM_USER + 102;
constexpr Cardinal RZ_SHELLCONTROL_DEFERREDFILL = WM_USER + 103;
constexpr Cardinal RZ_CWM_GETISHELLBROWSER = WM_USER + 7;

class TRzCustomShellList : public TRzCustomListView, public IRzShellComboLink, public IRzShellDropHandler {
    Z_CLASS(TRzCustomShellList, TRzCustomListView)
    Z_MESSAGE_MAP(Z_MESSAGE(RZ_SHELLCHANGE, WMShellChange), Z_MESSAGE(RZ_SHELLLIST_EDITNEWFOLDER, WMEditNewFolder),
                  Z_MESSAGE(RZ_SHELLCONTROL_DEFERREDFILL, WMDeferredFill),
                  Z_MESSAGE(RZ_CWM_GETISHELLBROWSER, WMGetIShellBrowser),
                  Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey), Z_MESSAGE(CN_NOTIFY, CNNotify),
                  Z_MESSAGE(WM_INITMENUPOPUP, WMMenuMessage), Z_MESSAGE(WM_DRAWITEM, WMMenuMessage),
                  Z_MESSAGE(WM_MEASUREITEM, WMMenuMessage), Z_MESSAGE(WM_MENUCHAR, WMMenuMessage),
                  Z_MESSAGE(WM_MENUSELECT, WMMenuMessage), Z_MESSAGE(WM_RBUTTONUP, WMRButtonUp),
                  Z_MESSAGE(WM_DESTROY, WMDestroy), Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged))
public:
    explicit TRzCustomShellList(TComponent* AOwner);
    ~TRzCustomShellList() override;

    // ---- options and links
    TRzShellLocator* Folder() const { return folder_; }
    void SetFolder(TRzShellLocator* v) { folder_->Assign(v); }
    const String& FileFilter() const { return fileFilter_; }
    void SetFileFilter(const String& v);
    TRzShellListOptions Options() const { return options_; }
    void SetOptions(TRzShellListOptions v);
    TComponent* ShellTree() const { return shellTree_; }
    // The tree's linking hook: it records itself (null unlinks).
    void LinkShellTree(TComponent* tree);
    TRzCustomShellCombo* ShellCombo() const { return shellCombo_; }
    // The tree's selected node (absolute list): the list shows it.
    void FollowTreeNode(const ITEMIDLIST* nodePidl);

    // ---- filling
    void FillList();
    void RefreshList();
    // Runs a pending refresh now; with flushLinked, the linked combo's and tree's first.
    void FlushPendingRefresh(bool flushLinked);
    // The folder shown (absolute list; null is the desktop) and its shell folder.
    const ITEMIDLIST* FolderPidl() const { return folderPidl_; }
    IShellFolder* ShellFolder() const { return shellFolder_; }
    TRzShellListData* ListData(TListItem* item) const;
    TRzShellListData* ItemData(int index) const;
    TRzShellListData* SelectedItem() const;

    // ---- sorting: 1-based column, negative for descending
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int v);

    // ---- navigation, verbs and new folders
    void GoUp(int levels);
    void OpenSelected();
    bool CreateNewFolderInList(bool edit);
    void InvokeSelectionVerb(const String& verb);
    // A verb on the folder shown (paste...); failures raise.
    void InvokeFolderVerb(const String& verb);
    // The drop target registered for the window (null while none).
    IDropTarget* RegisteredDropTarget() const { return dropTarget_; }
    // The column widths kept across folders with a file-system path.
    static const std::vector<Integer>& SavedColumnWidths();

    // ---- IRzShellComboLink
    void LinkShellCombo(TRzCustomShellCombo* combo) override;
    void ShowComboFolder(const ITEMIDLIST* pidl, bool refresh) override;
    void FlushForCombo() override { FlushPendingRefresh(false); }

    // ---- IRzShellDropHandler (the registered drop target calls these)
    void DoDragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) override;
    void DoDragOver(DWORD keyState, POINTL point, DWORD& effect) override;
    void DoDragLeave() override;
    void DoDrop(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) override;

    TRzShAddItemEvent OnAddItem;
    TRzShListDeleteItemEvent OnDeleteItem;
    TRzShDblClickOpenEvent OnDblClickOpen;
    TNotifyEvent OnFillComplete, OnFillStart, OnFolderChanged;
    TRzShPopupHintEvent OnPopupHint;

protected:
    virtual bool DoAddItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, SFGAOF attributes,
                           const ITEMIDLIST* relPidl);
    virtual void DoDeviceChange(TObject* Sender, TMessage& Message);
    virtual void FillFromFolder(IShellFolder* folder, const ITEMIDLIST* pidl);
    virtual void PrepareFilter();
    virtual bool PassesFilter(const String& fileName, SFGAOF attributes);
    virtual void FreeFilter();
    virtual void DoDblClickOpen(bool& handled) {
        if (OnDblClickOpen) OnDblClickOpen(this, handled);
    }
    virtual void DoFillComplete() {
        if (OnFillComplete) OnFillComplete(this);
    }
    virtual void DoFillStart() {
        if (OnFillStart) OnFillStart(this);
    }
    virtual void DoFolderChanged() {
        if (OnFolderChanged) OnFolderChanged(this);
    }
    virtual void StartWatchingFolder();
    // The column details of the folder shown (referenced; null: the default columns).
    virtual IShellDetails* CreateDetailsInterface(IShellFolder* folder) { return GetDetailsInterface(folder); }
    // The drag's drop source, for the button that started it.
    virtual IDropSource* CreateDropSource(TRzDragButton button) { return TDropSource_shlvtv::Create(button); }
    // Starts an own drag of the selection (button: left or right).
    virtual void StartListDrag(TRzDragButton button);

    bool CanEdit(TListItem* Item) override;
    void Edit(TListItem* Item, String& S) override;
    void Delete(TListItem* Item) override;
    void InsertItem(TListItem* Item) override;
    void ColClick(TListColumn* Column) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ShowItemContextMenu(TPoint pos) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void WMShellChange(TMessage& Message);
    void WMEditNewFolder(TMessage& Message);
    void WMDeferredFill(TMessage& Message);
    void WMGetIShellBrowser(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void CNNotify(TMessage& Message);
    void WMMenuMessage(TMessage& Message);
    void MenuHint(TObject* Sender, const String& Hint);
    void WMRButtonUp(TMessage& Message);
    void WMDestroy(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);

    void FolderChanged(TObject*);
    void SyncTimerFired(TObject*);
    void DeleteAllItems();
    void SetFolderPidl(const ITEMIDLIST* pidl);
    void SetupColumns();
    void SaveColumnWidths();
    void ApplySavedWidths();
    void SortItems();
    void IncludeItem(PItemIDList relPidl);
    void AddShellItem(PItemIDList relPidl, SFGAOF attributes);
    void DisplayInfo(NMLVDISPINFOW& info);
    void OpenItem(TListItem* item);
    void BrowseTo(const ITEMIDLIST* pidl);
    std::vector<const ITEMIDLIST*> SelectedPidls() const;
    DWORD SelectedDropEffects() const;
    void InvokeDefaultCommand(const std::vector<const ITEMIDLIST*>& items);
    void ShowListContextMenu(TPoint pos);
    void RegisterDropTarget(bool on);
    IDropTarget* ChooseDropTarget(POINTL point, TListItem*& item, DWORD& ownDragEffect);
    void Highlight(TListItem* item);
    void DragScroll(TPoint client);
    bool IsNetworkFolder() const;
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool LinkedToTree() const { return shellTree_ != nullptr; }

    TComponent* shellTree_ = nullptr;
    TRzCustomShellCombo* shellCombo_ = nullptr;
    TTimer* syncTimer_;
    bool ownDrag_ = false;
    TRzDragButton ownDragButton_ = dbLeft;
    bool refreshDeferred_ = false;
    bool skipRightButtonUp_ = false;
    bool ignoreNextNotification_ = false;
    int ignoreChanges_ = 0;
    bool deletingItems_ = false;
    bool inWindowCreation_ = false;
    bool loaded_ = false;
    IShellFolder* shellFolder_ = nullptr;
    PItemIDList folderPidl_ = nullptr;
    IShellDetails* details_ = nullptr;
    IDropTarget* dropTarget_ = nullptr;
    IDataObject* dragData_ = nullptr;
    DWORD dragKeyState_ = 0;
    DWORD lastScrollTime_ = 0;
    TListItem* highlighted_ = nullptr;
    TRzShellContextMenu* activeMenu_ = nullptr;
    String folderToEdit_;
    TChangeHandlerThread* watcher_ = nullptr;
    String fileFilter_;
    std::vector<String> masks_;
    std::set<String>* filterTable_ = nullptr;
    TRzShellLocator* folder_;
    TRzShellListOptions options_;
    TRzShellListData* adding_ = nullptr;
    SFGAOF addingAttributes_ = 0;
    enum TColumnState : Byte { csNone, csShellDetails, csDefault } columnState_ = csNone;
    bool lastFolderHadPath_ = false;
    int sortColumn_ = 1;
    bool sortColumnAssigned_ = false;
    TImageList* smallImages_;
    TImageList* largeImages_;

    friend class TRzShellListData;
};

class TRzShellList : public TRzCustomShellList {
    Z_CLASS(TRzShellList, TRzCustomShellList)
    Z_PUBLISHED {
        using C = TRzShellList;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"Color", &C::Color, &C::SetColor).Stored(&C::IsColorStored);
        p.Property(L"ViewStyle", &C::ViewStyle, &C::SetViewStyle).Default(vsIcon);
        p.Property(L"MultiSelect", &C::MultiSelect, &C::SetMultiSelect).Default(false);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"RowSelect", &C::RowSelect, &C::SetRowSelect).Default(false);
        p.Property(L"HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
        p.Property(L"FileFilter", &C::FileFilter, &C::SetFileFilter);
        p.Property(L"Folder", &C::Folder, &C::SetFolder).Stored(&C::IsFolderStored);
        p.Property(L"Options", &C::Options, &C::SetOptions).Default(DefaultOptions());
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Event(L"OnDblClickOpen", &C::OnDblClickOpen);
        p.Event(L"OnFillComplete", &C::OnFillComplete);
        p.Event(L"OnFillStart", &C::OnFillStart);
        p.Event(L"OnFolderChanged", &C::OnFolderChanged);
        p.Event(L"OnPopupHint", &C::OnPopupHint);
        p.Event(L"OnColumnClick", &C::OnColumnClick);
        p.Event(L"OnEdited", &C::OnEdited);
        p.Event(L"OnSelectItem", &C::OnSelectItem);
        p.Event(L"OnItemContextMenu", &C::OnItemContextMenu);
    }

public:
    using TRzCustomShellList::TRzCustomShellList;
    static TRzShellListOptions DefaultOptions();
    // The folder is the linked tree's or combo's to keep while one is linked.
    bool IsFolderStored() const { return !ShellTree() && !ShellCombo(); }
};

void InitializeRzShellList();
