#include "TreeNodes.h"

#include <algorithm>
#include <cstring>

#include "TreeView.h"

// ---- TTreeNode ----

TTreeNode::~TTreeNode() {
    for (TTreeNode* child : children_) {
        child->parent_ = nullptr;
        FreeObject(child);
    }
}

TCustomTreeView* TTreeNode::TreeView() const { return owner_ ? owner_->Owner() : nullptr; }

void TTreeNode::SetItemData(UINT mask, const std::function<void(TVITEMW&)>& fill) {
    TCustomTreeView* tree = TreeView();
    if (!item_ || !tree || !tree->HandleAllocated()) return;
    TVITEMW item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = item_;
    fill(item);
    ::SendMessageW(tree->WindowHandle(), TVM_SETITEMW, 0, LPARAM(&item));
}

void TTreeNode::SetText(const String& v) {
    if (!AssignIfChanged(text_, v)) return;
    SetItemData(TVIF_TEXT, [&](TVITEMW& item) { item.pszText = const_cast<wchar_t*>(text_.c_str()); });
}

namespace {
// Asks the window to fetch the images again.
void RefetchTreeImages(TVITEMW& item) {
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
}
}  // namespace

void TTreeNode::SetImageIndex(int v) {
    if (AssignIfChanged(imageIndex_, v)) SetItemData(TVIF_IMAGE | TVIF_SELECTEDIMAGE, RefetchTreeImages);
}

void TTreeNode::SetSelectedIndex(int v) {
    if (AssignIfChanged(selectedIndex_, v)) SetItemData(TVIF_IMAGE | TVIF_SELECTEDIMAGE, RefetchTreeImages);
}

UINT TTreeNode::StateBits() const {
    UINT bits = 0;
    if (cut_) bits |= TVIS_CUT;
    if (overlayIndex_ >= 0) bits |= INDEXTOOVERLAYMASK(UINT(overlayIndex_) + 1);
    if (stateIndex_ >= 0) bits |= INDEXTOSTATEIMAGEMASK(UINT(stateIndex_));
    return bits;
}

void TTreeNode::SetStateBits(UINT mask, UINT bits) {
    SetItemData(TVIF_STATE, [&](TVITEMW& item) {
        item.stateMask = mask;
        item.state = bits & mask;
    });
}

void TTreeNode::SetOverlayIndex(int v) {
    if (AssignIfChanged(overlayIndex_, v)) SetStateBits(TVIS_OVERLAYMASK, StateBits());
}

void TTreeNode::SetStateIndex(int v) {
    if (AssignIfChanged(stateIndex_, v)) SetStateBits(TVIS_STATEIMAGEMASK, StateBits());
}

void TTreeNode::SetCut(bool v) {
    if (AssignIfChanged(cut_, v)) SetStateBits(TVIS_CUT, StateBits());
}

void TTreeNode::SetHasChildren(bool v) {
    if (!AssignIfChanged(hasChildren_, v)) return;
    SetItemData(TVIF_CHILDREN, [&](TVITEMW& item) { item.cChildren = v ? 1 : 0; });
}

bool TTreeNode::Expanded() const {
    TCustomTreeView* tree = TreeView();
    if (item_ && tree && tree->HandleAllocated())
        return (::SendMessageW(tree->WindowHandle(), TVM_GETITEMSTATE, WPARAM(item_), TVIS_EXPANDED) & TVIS_EXPANDED) !=
               0;
    return expanded_;
}

void TTreeNode::SetExpanded(bool v) {
    if (v)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TCustomTreeView* tree = TreeView();
    if (!Expanded() && tree->CanExpand(this)) {
        expanded_ = true;
        tree->ExpandInWindow(this, true);
        tree->Expand(this);
    }
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TCustomTreeView* tree = TreeView();
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Collapse(true);
    if (Expanded() && tree->CanCollapse(this)) {
        expanded_ = false;
        tree->ExpandInWindow(this, false);
        tree->Collapse(this);
    }
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool v) {
    TCustomTreeView* tree = TreeView();
    if (v)
        tree->SetSelected(this);
    else if (Selected())
        tree->SetSelected(nullptr);
}

bool TTreeNode::DropTarget() const { return TreeView()->DropTarget() == this; }

void TTreeNode::SetDropTarget(bool v) {
    TCustomTreeView* tree = TreeView();
    if (v)
        tree->SetDropTarget(this);
    else if (DropTarget())
        tree->SetDropTarget(nullptr);
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->Expanded()) return false;
    return true;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return children_[size_t(index)];
}

int TTreeNode::Index() const {
    const auto& siblings = owner_->SiblingsOf(parent_);
    return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* node = owner_->GetFirstNode(); node && node != this; node = node->GetNext()) ++index;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = owner_->SiblingsOf(parent_);
    size_t next = size_t(Index()) + 1;
    return next < siblings.size() ? siblings[next] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    int index = Index();
    return index > 0 ? owner_->SiblingsOf(parent_)[size_t(index) - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front();
    for (const TTreeNode* node = this; node; node = node->parent_)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

bool TTreeNode::HasAsParent(const TTreeNode* node) const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (p == node) return true;
    return false;
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    RECT r{};
    TCustomTreeView* tree = TreeView();
    if (!item_ || !tree->HandleAllocated()) return r;
    // The message takes the item in the rectangle's first bytes.
    std::memcpy(&r, &item_, sizeof(item_));
    if (!::SendMessageW(tree->WindowHandle(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE, LPARAM(&r))) return RECT{};
    return r;
}

void TTreeNode::MakeVisible() {
    TCustomTreeView* tree = TreeView();
    if (item_ && tree->HandleAllocated()) ::SendMessageW(tree->WindowHandle(), TVM_ENSUREVISIBLE, 0, LPARAM(item_));
}

bool TTreeNode::EditText() {
    TCustomTreeView* tree = TreeView();
    HWND window = tree->Handle();
    ::SetFocus(window);
    return ::SendMessageW(window, TVM_EDITLABELW, 0, LPARAM(item_)) != 0;
}

void TTreeNode::EndEdit(bool cancel) {
    TCustomTreeView* tree = TreeView();
    if (tree->HandleAllocated()) ::SendMessageW(tree->WindowHandle(), TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE, 0);
}

void TTreeNode::Delete() { owner_->Delete(this); }

void TTreeNode::DeleteChildren() {
    owner_->BeginUpdate();
    while (!children_.empty()) owner_->Delete(children_.back());
    owner_->EndUpdate();
}

void TTreeNode::AlphaSort(bool recurse) {
    TCustomTreeView* tree = TreeView();
    tree->SortNodes(
        children_, item_, [tree](TTreeNode* a, TTreeNode* b) { return tree->CompareForSort(a, b); }, recurse);
}

void TTreeNode::Assign(TPersistent* source) {
    auto* other = As<TTreeNode>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetText(other->text_);
    data_ = other->data_;
    SetImageIndex(other->imageIndex_);
    SetSelectedIndex(other->selectedIndex_);
    SetOverlayIndex(other->overlayIndex_);
    SetStateIndex(other->stateIndex_);
    SetCut(other->cut_);
    SetHasChildren(other->hasChildren_);
}

// ---- TTreeNodes ----

TTreeNodes::~TTreeNodes() {
    for (TTreeNode* node : roots_) FreeObject(node);
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
    int i = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext(), ++i)
        if (i == index) return node;
    ListIndexError(index);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* parent, size_t position, const String& text, void* data) {
    auto& siblings = SiblingsOf(parent);
    auto* node = new TTreeNode(this);
    node->parent_ = parent;
    node->text_ = text;
    node->data_ = data;
    if (owner_->SortType() == stText || owner_->SortType() == stBoth) {
        // A sorted tree keeps each node among its siblings in order.
        position =
            size_t(std::upper_bound(siblings.begin(), siblings.end(), node,
                                    [this](TTreeNode* a, TTreeNode* b) { return owner_->CompareForSort(a, b) < 0; }) -
                   siblings.begin());
    }
    siblings.insert(siblings.begin() + std::ptrdiff_t(std::min(position, siblings.size())), node);
    try {
        owner_->InsertIntoWindow(node);
    } catch (...) {
        std::erase(siblings, node);
        FreeObject(node);
        throw;
    }
    if (parent) parent->SetHasChildren(true);
    return node;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const String& text, void* data) {
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return InsertNode(parent, SiblingsOf(parent).size(), text, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const String& text) {
    return InsertNode(sibling ? sibling->parent_ : nullptr, 0, text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const String& text, void* data) {
    return InsertNode(parent, SiblingsOf(parent).size(), text, data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const String& text) {
    return InsertNode(parent, 0, text, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const String& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertNode(sibling->parent_, size_t(sibling->Index()), text, nullptr);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->owner_ != this) return;
    // Deepest first, each node's deletion reported while the whole subtree still exists.
    std::vector<TTreeNode*> subtree;
    for (TTreeNode* n = node; n && (n == node || n->HasAsParent(node)); n = n->GetNext()) subtree.push_back(n);
    for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) owner_->Delete(*it);
    for (TTreeNode* n : subtree) owner_->ForgetNode(n);
    if (node->item_ && owner_->HandleAllocated())
        ::SendMessageW(owner_->WindowHandle(), TVM_DELETEITEM, 0, LPARAM(node->item_));
    std::erase(SiblingsOf(node->parent_), node);
    node->parent_ = nullptr;
    FreeObject(node);
}

void TTreeNodes::Clear() {
    BeginUpdate();
    try {
        while (!roots_.empty()) Delete(roots_.back());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TTreeNodes::BeginUpdate() {
    if (updateCount_++ == 0) EnableWindowDrawing(owner_->WindowHandle(), false);
}

void TTreeNodes::EndUpdate() {
    if (--updateCount_ == 0) EnableWindowDrawing(owner_->WindowHandle(), true);
}

void TTreeNodes::CopyChildren(TTreeNode* to, const std::vector<TTreeNode*>& from) {
    for (TTreeNode* source : from) {
        TTreeNode* copy = AddChild(to, source->text_);
        copy->Assign(source);
        CopyChildren(copy, source->children_);
        if (source->Expanded()) copy->Expand(false);
    }
}

void TTreeNodes::Assign(TPersistent* source) {
    auto* other = As<TTreeNodes>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        CopyChildren(nullptr, other->roots_);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
