#pragma once
// TCustomTreeView and TTreeView: a tree over the common controls' tree-view class.
//
// The nodes (TreeNodes.h) belong to the object; each new window is filled from them, and the
// expansion and selection are read back before a window goes, so both survive re-creation.
// Expanding asks CanExpand first, whether the user or the code expands, so a descendant can
// add a node's children only when they are first needed.

#include "ImageList.h"
#include "SystemControl.h"
#include "TreeNodes.h"

Z_ENUM(TSortType, Byte, stNone, stData, stText, stBoth)

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = TEvent<void(TObject* Sender, TTreeNode* Node, String& S)>;
using TTVCompareEvent = TEvent<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, LPARAM Data, int& Compare)>;
// Orders two nodes: below 0, 0 or above 0.
using TTVCompare = int (*)(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data);

class TCustomTreeView : public TSystemControl {
    Z_CLASS(TCustomTreeView, TSystemControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_NOTIFY, CNNotify))
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes* Items() const { return items_; }
    void SetItems(TTreeNodes* v) { items_->Assign(v); }
    // The selected node, or null; selecting from code fires OnChanging and OnChange as well.
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* v);
    TTreeNode* DropTarget() const;
    void SetDropTarget(TTreeNode* v);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* v);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v) { SetImageList(images_, v, TVSIL_NORMAL); }
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v) { SetImageList(stateImages_, v, TVSIL_STATE); }

    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool v) { SetStyleOption(showRoot_, v); }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool v) { SetStyleOption(showLines_, v); }
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool v) { SetStyleOption(showButtons_, v); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v) { SetStyleOption(hideSelection_, v); }
    // Without ReadOnly the user may edit the texts.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { SetStyleOption(readOnly_, v); }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v) { SetStyleOption(rowSelect_, v); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v) { SetStyleOption(hotTrack_, v); }
    // Selecting a node expands it and collapses the others.
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool v) { SetStyleOption(autoExpand_, v); }
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool v) { SetStyleOption(toolTips_, v); }
    // A right click selects the node under the mouse.
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool v) { rightClickSelect_ = v; }
    // Pixels a level is indented by (0: the window's own).
    int Indent() const;
    void SetIndent(int v);
    // With stText or stBoth the children are kept in order as they are added.
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType v);

    // The node at a client point, or null.
    TTreeNode* GetNodeAt(int X, int Y) const;
    bool IsEditing() const override;
    void FullExpand();
    void FullCollapse();
    // Sorts the top-level nodes (and below, with recurse) by OnCompare or by their texts.
    void AlphaSort(bool recurse = false);
    void CustomSort(TTVCompare compare, LPARAM data, bool recurse = false);

    TTVChangedEvent OnChange, OnExpanded, OnCollapsed, OnDeletion, OnGetImageIndex, OnGetSelectedIndex;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVCollapsingEvent OnCollapsing;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVCompareEvent OnCompare;

protected:
    const wchar_t* SystemClassName() const override { return WC_TREEVIEWW; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    void SaveWindowState() override;
    void ApplyColors() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual bool CanExpand(TTreeNode* Node);
    virtual void Expand(TTreeNode* Node) {
        if (OnExpanded) OnExpanded(this, Node);
    }
    virtual bool CanCollapse(TTreeNode* Node);
    virtual void Collapse(TTreeNode* Node) {
        if (OnCollapsed) OnCollapsed(this, Node);
    }
    virtual bool CanChange(TTreeNode* Node);
    virtual void Change(TTreeNode* Node) {
        if (OnChange) OnChange(this, Node);
    }
    // A node is being deleted (OnDeletion); never called for a window's re-creation.
    virtual void Delete(TTreeNode* Node) {
        if (OnDeletion) OnDeletion(this, Node);
    }
    virtual bool CanEdit(TTreeNode* Node);
    // The user finished editing a node's text with S (OnEdited may change it).
    virtual void Edit(TTreeNode* Node, String& S);
    // Let OnGetImageIndex / OnGetSelectedIndex set the node's indexes before it is drawn.
    virtual void GetImageIndex(TTreeNode* Node) {
        if (OnGetImageIndex) OnGetImageIndex(this, Node);
    }
    virtual void GetSelectedIndex(TTreeNode* Node) {
        if (OnGetSelectedIndex) OnGetSelectedIndex(this, Node);
    }

    void CNNotify(TMessage& Message);
    // The node of a window item.
    TTreeNode* NodeOf(HTREEITEM item, LPARAM param) const;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleOption(bool& option, bool v);
    void SetImageList(TCustomImageList*& field, TCustomImageList* v, int kind);
    void ImageListChanged(TObject* Sender);
    void ApplyImageLists();
    void InsertIntoWindow(TTreeNode* node);
    void ExpandInWindow(TTreeNode* node, bool expand);
    void SortNodes(std::vector<TTreeNode*>& nodes, HTREEITEM parent,
                   const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse);
    int CompareForSort(TTreeNode* a, TTreeNode* b);
    void ForgetNode(TTreeNode* node);

    TTreeNodes* items_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TChangeLink* imageChangeLink_;
    // Selection and drop target while there is no window.
    TTreeNode* selected_ = nullptr;
    TTreeNode* dropTarget_ = nullptr;
    bool showRoot_ = true, showLines_ = true, showButtons_ = true, hideSelection_ = true, readOnly_ = false;
    bool rowSelect_ = false, hotTrack_ = false, autoExpand_ = false, toolTips_ = true, rightClickSelect_ = false;
    int indent_ = 0;
    TSortType sortType_ = stNone;
    // Expansion the code itself sends to the window: its notifications are not the user's.
    int expandingFromCode_ = 0;
};

class TTreeView : public TCustomTreeView {
    Z_CLASS(TTreeView, TCustomTreeView)
    Z_PUBLISHED {
        using C = TTreeView;
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
        p.Property(L"Images", &C::Images, &C::SetImages);
        p.Property(L"StateImages", &C::StateImages, &C::SetStateImages);
        p.Property(L"ShowRoot", &C::ShowRoot, &C::SetShowRoot).Default(true);
        p.Property(L"ShowLines", &C::ShowLines, &C::SetShowLines).Default(true);
        p.Property(L"ShowButtons", &C::ShowButtons, &C::SetShowButtons).Default(true);
        p.Property(L"HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"RowSelect", &C::RowSelect, &C::SetRowSelect).Default(false);
        p.Property(L"HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
        p.Property(L"AutoExpand", &C::AutoExpand, &C::SetAutoExpand).Default(false);
        p.Property(L"ToolTips", &C::ToolTips, &C::SetToolTips).Default(true);
        p.Property(L"RightClickSelect", &C::RightClickSelect, &C::SetRightClickSelect).Default(false);
        p.Property(L"Indent", &C::Indent, &C::SetIndent).Default(0);
        p.Property(L"SortType", &C::SortType, &C::SetSortType).Default(stNone);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnChanging", &C::OnChanging);
        p.Event(L"OnExpanding", &C::OnExpanding);
        p.Event(L"OnExpanded", &C::OnExpanded);
        p.Event(L"OnCollapsing", &C::OnCollapsing);
        p.Event(L"OnCollapsed", &C::OnCollapsed);
        p.Event(L"OnDeletion", &C::OnDeletion);
        p.Event(L"OnEditing", &C::OnEditing);
        p.Event(L"OnEdited", &C::OnEdited);
        p.Event(L"OnGetImageIndex", &C::OnGetImageIndex);
        p.Event(L"OnGetSelectedIndex", &C::OnGetSelectedIndex);
        p.Event(L"OnCompare", &C::OnCompare);
    }

public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
