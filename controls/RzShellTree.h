#pragma once
// TRzCustomShellTree (published as TRzShellTree): the shell namespace as a tree. One root node
// for the base folder (the desktop by default) and, below it, the folders the shell enumerates,
// loaded when a node is first expanded. The selected folder drives a linked shell list and shell
// combo: a click at once, keyboard movement after half a second of rest. It renames and makes
// folders, answers the usual keys, shows the shell's context menus, drags its folders out and
// takes drops onto them, and refreshes itself when folders change on disk or drives come and go.
//
// Sections: node data; options and links; filling and expansion; selection and synchronisation;
// folders, verbs and menus; drag and drop.

#include <shlobj.h>

#include <vector>

#include "ImageList.h"
#include "RzChangeHandlerThread.h"
#include "RzShellCombo.h"
#include "RzShellContextMenu.h"
#include "RzShellDragDrop.h"
#include "RzShellList.h"
#include "RzShellLocator.h"
#include "RzTreeVw.h"
#include "Timer.h"

class TRzCustomShellTree;

// The shell item of one node: its list relative to the parent node's folder, its absolute list
// and its own folder (both made on first use). The root holds the whole base list.
class TRzShellTreeData : public TObject {
    Z_CLASS(TRzShellTreeData, TObject)
public:
    // Copies relPidl; for the root, relPidl is the whole base list and parent is null.
    TRzShellTreeData(TRzCustomShellTree* owner, TRzShellTreeData* parent, const ITEMIDLIST* relPidl);
    ~TRzShellTreeData() override;

    TRzCustomShellTree* Owner() const { return owner_; }
    TRzShellTreeData* Parent() const { return parent_; }
    const ITEMIDLIST* RelPidl() const { return relPidl_; }
    const ITEMIDLIST* AbsPidl();
    // The node's own folder (not referenced for the caller); null when it cannot be bound.
    IShellFolder* ThisFolder();
    // Takes a reference; the root is given the folder that filled it.
    void SetThisFolder(IShellFolder* folder);
    String PathName() { return PidlToPath(AbsPidl()); }
    // The folder that holds the item (not referenced for the caller): the parent node's, or for
    // the root the folder its base list lies in.
    IShellFolder* ParentFolder();
    // Whether the shell lets the item be renamed; never the root.
    bool CanRename();
    // Takes ownership of the renamed item's list; the cached list and folder are rebuilt.
    void SetRelPidl(PItemIDList value);
    // Forgets the absolute list and the folder (an ancestor was renamed).
    void DropCaches();
    // The shell's drop target for the item (referenced for the caller); null when it has none.
    IDropTarget* DropTarget(HWND owner);

private:
    TRzCustomShellTree* owner_;
    TRzShellTreeData* parent_;
    PItemIDList relPidl_;
    PItemIDList absPidl_ = nullptr;
    IShellFolder* thisFolder_ = nullptr;
    IShellFolder* parentFolder_ = nullptr;
};

Z_ENUM(TRzShellTreeOption, int, stoAutoFill, stoVirtualFolders, stoDesignInteractive, stoDefaultKeyHandling,
       stoContextMenus, stoDynamicRefresh, stoIncludeNonFolders, stoOleDrag, stoOleDrop, stoShowHidden)
using TRzShellTreeOptions = TSet<TRzShellTreeOption>;

using TRzShTreeDeleteItemEvent = TEvent<void(TObject* Sender, TTreeNode* Node, TRzShellTreeData* TreeData)>;
using TRzShTreeInsertItemEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;

class TRzCustomShellTree : public TRzCustomTreeView,
                           public IRzShellComboLink,
                           public IRzShellListTreeLink,
                           public IRzShellDropHandler {
    Z_CLASS(TRzCustomShellTree, TRzCustomTreeView)
    Z_MESSAGE_MAP(Z_MESSAGE(RZ_SHELLCONTROL_DEFERREDFILL, WMDeferredFill), Z_MESSAGE(RZ_SHELLCHANGE, WMShellChange),
                  Z_MESSAGE(CN_NOTIFY, CNNotify), Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey),
                  Z_MESSAGE(WM_INITMENUPOPUP, WMMenuMessage), Z_MESSAGE(WM_DRAWITEM, WMMenuMessage),
                  Z_MESSAGE(WM_MEASUREITEM, WMMenuMessage), Z_MESSAGE(WM_MENUCHAR, WMMenuMessage),
                  Z_MESSAGE(WM_MENUSELECT, WMMenuMessage), Z_MESSAGE(WM_NCDESTROY, WMNCDestroy),
                  Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged), Z_MESSAGE(WM_NCHITTEST, WMNCHitTest),
                  Z_MESSAGE(CM_DESIGNHITTEST, CMDesignHitTest), Z_MESSAGE(TVM_DELETEITEM, TVMDeleteItem),
                  Z_MESSAGE(WM_LBUTTONDOWN, WMButtonDown), Z_MESSAGE(WM_RBUTTONDOWN, WMButtonDown),
                  Z_MESSAGE(WM_PAINT, WMPaint))
public:
    explicit TRzCustomShellTree(TComponent* AOwner);
    ~TRzCustomShellTree() override;

    // ---- options and links
    TRzShellLocator* BaseFolder() const { return baseFolder_; }
    void SetBaseFolder(TRzShellLocator* v);
    // Assigning a folder selects it in the tree.
    TRzShellLocator* SelectedFolder() const { return selectedFolder_; }
    TRzShellTreeOptions Options() const { return options_; }
    void SetOptions(TRzShellTreeOptions v);
    TRzCustomShellList* ShellList() const { return shellList_; }
    void SetShellList(TRzCustomShellList* v);
    TRzCustomShellCombo* ShellCombo() const { return shellCombo_; }

    // ---- filling and expansion
    // Rebuilds the tree from the base folder; shell errors raise.
    void FillTree();
    // Brings the loaded nodes in line with the disk: vanished folders go (a selection inside
    // them moves to the nearest remaining parent), new ones are added in order.
    void RefreshTree();
    // Watches the fixed and RAM drives (and connected network drives) for folder changes.
    void WatchFixedDrives();
    TRzShellTreeData* NodeData(TTreeNode* node) const {
        return node ? static_cast<TRzShellTreeData*>(node->Data()) : nullptr;
    }
    // The child of node whose item equals relPidl in node's folder; null when none.
    TTreeNode* FindChild(TTreeNode* node, const ITEMIDLIST* relPidl);

    // ---- selection
    // Selects the node of an absolute list, expanding and adding nodes on the way.
    void SelectPidl(const ITEMIDLIST* pidl);
    // The selected node's file-system path; empty when none.
    String SelectedPathName() const;
    // Orders node's children (all levels below it) by the folder's comparison.
    void SortChildren(TTreeNode* node);

    // ---- folders, verbs and menus
    // Makes "New Folder" (or the next free name) in the selected folder, shows it and starts
    // editing its name; false when none was made.
    bool CreateNewFolderInTree();
    // Runs a shell verb ("copy", "paste", "delete"...) on node's item; the root answers S_FALSE
    // and does nothing.
    HRESULT InvokeNodeVerb(TTreeNode* node, const String& verb);
    // True while a shell context menu or an own drag is running.
    bool InsideMenuOrDrag() const { return insideMenuOrDrag_; }

    // ---- drag and drop
    // The drop target registered for the window (null while none).
    IDropTarget* RegisteredDropTarget() const { return dropTarget_; }
    // The node being dragged out of the tree (null while none).
    TTreeNode* DraggedNode() const { return draggedNode_; }
    // IRzShellDropHandler (the registered drop target calls these)
    void DoDragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) override;
    void DoDragOver(DWORD keyState, POINTL point, DWORD& effect) override;
    void DoDragLeave() override;
    void DoDrop(IDataObject* data, DWORD keyState, POINTL point, DWORD& effect) override;

    // ---- IRzShellListTreeLink
    void LinkShellList(TRzCustomShellList* list) override { SetShellList(list); }
    void SelectFolderForList(const ITEMIDLIST* pidl) override { selectedFolder_->SetIdList(pidl); }
    void GoUpLevels(int levels) override;
    // Runs a pending synchronisation now; with flushLinked, the linked controls' first.
    void FlushPendingSync(bool flushLinked) override;

    // ---- IRzShellComboLink
    void LinkShellCombo(TRzCustomShellCombo* combo) override;
    void ShowComboFolder(const ITEMIDLIST* pidl, bool refresh) override;
    void FlushForCombo() override { FlushPendingSync(false); }

    TRzShAddItemEvent OnAddItem;
    TRzShTreeDeleteItemEvent OnDeleteItem;
    TRzShTreeInsertItemEvent OnInsertItem;
    TNotifyEvent OnFillComplete, OnFillStart;
    TRzShPopupHintEvent OnPopupHint;

protected:
    // Adds the node of relPidl under node in folder (absolute list parentPidl); false when the
    // item is not taken.
    virtual bool AddNode(IShellFolder* folder, const ITEMIDLIST* parentPidl, const ITEMIDLIST* relPidl,
                         TTreeNode* node);
    virtual bool DoAddItem(IShellFolder* folder, const ITEMIDLIST* parentPidl, SFGAOF attributes,
                           const ITEMIDLIST* relPidl);
    // Fills node's children from folder; without a node, makes the root first.
    virtual void FillNode(IShellFolder* folder, TTreeNode* node);
    virtual void DoInsertItem(TTreeNode* node) {
        if (OnInsertItem) OnInsertItem(this, node);
    }
    virtual void DoFillComplete() {
        if (OnFillComplete) OnFillComplete(this);
    }
    virtual void DoFillStart() {
        if (OnFillStart) OnFillStart(this);
    }
    // Watches the drive of path, subtree included; an empty path stops all watches.
    virtual void WatchDrive(const String& path);
    // The drag's drop source, for the button that started it.
    virtual IDropSource* CreateDropSource(TRzDragButton button) { return TDropSource_shlvtv::Create(button); }
    // Drags node's item out of the tree (not the root).
    virtual void StartNodeDrag(TTreeNode* node, TRzDragButton button);
    // Near an edge, scrolls a line at a time; resting over a collapsed folder expands it.
    virtual void DragScrollAndExpand(TPoint client);
    // A drive came or went: the computer's drives are read again and the tree refreshed.
    virtual void DoDeviceChange(TObject* Sender, TMessage& Message);
    // The shell's context menu for node at a client point.
    virtual void ShowShellContextMenu(TTreeNode* node, TPoint pos);
    // Sends node's item to the Send To entry fileName.
    virtual void DoSendTo(TTreeNode* node, const String& fileName);

    bool CanExpand(TTreeNode* Node) override;
    bool CanEdit(TTreeNode* Node) override;
    void Edit(TTreeNode* Node, String& S) override;
    void Change(TTreeNode* Node) override;
    void Delete(TTreeNode* Node) override;
    void GetImageIndex(TTreeNode* Node) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoNodeContextMenu(TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu) override;

private:
    void WMDeferredFill(TMessage& Message);
    void WMShellChange(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void WMMenuMessage(TMessage& Message);
    void MenuHint(TObject* Sender, const String& Hint);
    void WMNCDestroy(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void CMDesignHitTest(TMessage& Message);
    void TVMDeleteItem(TMessage& Message);
    void WMButtonDown(TMessage& Message);
    void WMPaint(TMessage& Message);
    // A refresh asked for during a menu, a drag or a label edit waits for its end.
    bool PostponeRefresh();
    void RunPostponedRefresh();
    void RegisterDropTarget(bool on);
    // The node under a screen point and its item's drop target (referenced; null: none).
    IDropTarget* NodeDropTarget(POINTL point, TTreeNode*& node);
    void Highlight(TTreeNode* node);
    DWORD NodeDropEffects(TTreeNode* node);
    IDataObject* NewNodeDataObject(TTreeNode* node);
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void SyncNodeChildren(TTreeNode* node, bool& added);
    // Lists the folder's items with the tree's flags; false when the listing cannot start.
    bool EnumerateInto(IShellFolder* folder, std::vector<PItemIDList>& found, HRESULT& endCode);
    void EnsureWatcher();
    void CNNotify(TMessage& Message);
    void BaseFolderChanged(TObject*);
    void SelectedFolderChanged(TObject*);
    void SyncTimerFired(TObject*);
    // The selected node's folder goes to SelectedFolder, the list and the combo.
    void SyncToNode(TTreeNode* node);
    void ExpandNode(TTreeNode* node);

    TTimer* syncTimer_;
    TRzShellLocator* selectedFolder_;
    TRzShellLocator* baseFolder_;
    TRzCustomShellList* shellList_ = nullptr;
    TRzCustomShellCombo* shellCombo_ = nullptr;
    TRzShellTreeOptions options_;
    TImageList* smallImages_;
    bool immediateSync_ = false;
    int busy_ = 0;
    // The watcher's next notice is the tree's own rename.
    bool ignoreNextNotification_ = false;
    TChangeHandlerThread* watcher_ = nullptr;
    // While refreshing: the node to select afterwards.
    TTreeNode* refreshSelection_ = nullptr;
    bool refreshRequested_ = false;
    bool insideMenuOrDrag_ = false;
    bool destroyingWindow_ = false;
    // Raised while a drag's hover expands a node: the shell gets no owner window then.
    int probing_ = 0;
    TRzShellContextMenu* activeMenu_ = nullptr;
    TTreeNode* draggedNode_ = nullptr;
    // A drag began (and ended) inside the window's handling of a button press.
    bool dragEnded_ = false;
    TTreeNode* highlighted_ = nullptr;
    IDropTarget* dropTarget_ = nullptr;
    IDataObject* dragData_ = nullptr;
    DWORD dragKeyState_ = 0;
    DWORD lastScrollTime_ = 0;
    TPoint hoverPoint_{-1, -1};
    DWORD hoverSince_ = 0;
};

class TRzShellTree : public TRzCustomShellTree {
    Z_CLASS(TRzShellTree, TRzCustomShellTree)
    Z_PUBLISHED {
        using C = TRzShellTree;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"BaseFolder", &C::BaseFolder, &C::SetBaseFolder);
        p.Property(L"ShellList", &C::ShellList, &C::SetShellList);
        p.Property(L"Options", &C::Options, &C::SetOptions).Default(DefaultOptions());
        p.Property(L"ShowRoot", &C::ShowRoot, &C::SetShowRoot).Default(false);
        p.Property(L"HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Event(L"OnFillComplete", &C::OnFillComplete);
        p.Event(L"OnFillStart", &C::OnFillStart);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnNodeContextMenu", &C::OnNodeContextMenu);
        p.Event(L"OnPopupHint", &C::OnPopupHint);
    }

public:
    using TRzCustomShellTree::TRzCustomShellTree;
    static TRzShellTreeOptions DefaultOptions();
};

void InitializeRzShellTree();
