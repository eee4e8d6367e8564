#pragma once
// The nodes of a tree view (TCustomTreeView, TreeView.h): TTreeNode and the collection of all
// nodes, TTreeNodes.
//
// The tree of nodes belongs to the object: each node knows its parent and children, its text,
// data, images and states, and its item in the window while there is one. The window asks for
// images when it draws them, so OnGetImageIndex can supply them.

#include <commctrl.h>

#include <vector>

#include "Persistent.h"
#include "SysExceptions.h"

// windowsx.h defines window macros of the same names as two node members; a unity batch may
// include it first.
#undef GetNextSibling
#undef GetPrevSibling

class TCustomTreeView;
class TTreeNodes;

// Raised by tree operations that fail.
Z_EXCEPTION(ETreeViewError, Exception)

class TTreeNode : public TPersistent {
    Z_CLASS(TTreeNode, TPersistent)
public:
    explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return owner_; }
    TCustomTreeView* TreeView() const;
    // The window's item while there is a window, else null.
    HTREEITEM ItemId() const { return item_; }

    const String& Text() const { return text_; }
    void SetText(const String& v);
    void* Data() const { return data_; }
    void SetData(void* v) { data_ = v; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int v);
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int v);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int v);
    // Drawn dimmed, as cut to the clipboard.
    bool Cut() const { return cut_; }
    void SetCut(bool v);
    // Shows an expand button, whether the children are there yet or not. Adding a child sets it.
    bool HasChildren() const { return hasChildren_; }
    void SetHasChildren(bool v);

    // Expanding asks the tree view's CanExpand first (which may add the children).
    bool Expanded() const;
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    // Highlighted as the target of a drag.
    bool DropTarget() const;
    void SetDropTarget(bool v);
    // Shown: every ancestor expanded.
    bool IsVisible() const;

    TTreeNode* Parent() const { return parent_; }
    int Level() const;
    int Count() const { return int(children_.size()); }
    TTreeNode* Item(int index) const;
    int Index() const;
    // The position in the whole tree, in tree order.
    int AbsoluteIndex() const;
    TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
    TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node in tree order (first child, else next sibling, else an ancestor's).
    TTreeNode* GetNext() const;
    bool HasAsParent(const TTreeNode* node) const;

    // The node's rectangle in client coordinates (its text only, or the whole row); empty
    // without a window or while the node is hidden.
    TRect DisplayRect(bool textOnly) const;
    void MakeVisible();
    // Starts editing the text; false when the tree view refuses.
    bool EditText();
    void EndEdit(bool cancel);
    void Delete();
    void DeleteChildren();
    // Sorts the children with OnCompare, or by their texts without letter case.
    void AlphaSort(bool recurse = false);
    void Assign(TPersistent* source) override;

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    UINT StateBits() const;
    void SetStateBits(UINT mask, UINT bits);
    void SetItemData(UINT mask, const std::function<void(TVITEMW&)>& fill);

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<TTreeNode*> children_;
    HTREEITEM item_ = nullptr;
    String text_;
    void* data_ = nullptr;
    int imageIndex_ = -1, selectedIndex_ = -1, overlayIndex_ = -1, stateIndex_ = -1;
    bool cut_ = false, hasChildren_ = false, expanded_ = false;
};

class TTreeNodes : public TPersistent {
    Z_CLASS(TTreeNodes, TPersistent)
public:
    explicit TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}
    ~TTreeNodes() override;

    TCustomTreeView* Owner() const { return owner_; }
    // Every node, counted in tree order.
    int Count() const;
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }

    // A new last sibling of sibling (a last root when null).
    TTreeNode* Add(TTreeNode* sibling, const String& text) { return AddObject(sibling, text, nullptr); }
    TTreeNode* AddObject(TTreeNode* sibling, const String& text, void* data);
    TTreeNode* AddFirst(TTreeNode* sibling, const String& text);
    // A new last (first) child of parent (a root when null).
    TTreeNode* AddChild(TTreeNode* parent, const String& text) { return AddChildObject(parent, text, nullptr); }
    TTreeNode* AddChildObject(TTreeNode* parent, const String& text, void* data);
    TTreeNode* AddChildFirst(TTreeNode* parent, const String& text);
    // A new node before sibling (a last root when null).
    TTreeNode* Insert(TTreeNode* sibling, const String& text);
    void Delete(TTreeNode* node);
    void Clear();
    // Repaints once, at the end of the outermost bracket.
    void BeginUpdate();
    void EndUpdate();
    // Copies the other tree's nodes: texts, data, images, states and structure.
    void Assign(TPersistent* source) override;

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    std::vector<TTreeNode*>& SiblingsOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    TTreeNode* InsertNode(TTreeNode* parent, size_t position, const String& text, void* data);
    void CopyChildren(TTreeNode* to, const std::vector<TTreeNode*>& from);

    TCustomTreeView* owner_;
    std::vector<TTreeNode*> roots_;
    int updateCount_ = 0;
};
