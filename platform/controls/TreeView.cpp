#include "TreeView.h"

#include <algorithm>
#include <unordered_map>

// Sections: construction and window; nodes in the window; selection and positions; sorting;
// notifications.

// ---- construction and window ----

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TSystemControl(AOwner), items_(new TTreeNodes(this)), imageChangeLink_(new TChangeLink()) {
    imageChangeLink_->OnChange = MakeEvent(this, &TCustomTreeView::ImageListChanged);
    SetBorderStyle(bsSingle);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
    // The window goes first: while it is destroyed it may still ask for images.
    if (HandleAllocated()) DestroyHandle();
    FreeObject(imageChangeLink_);
    FreeObject(items_);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    if (showButtons_) Params.Style |= TVS_HASBUTTONS;
    if (showLines_) Params.Style |= TVS_HASLINES;
    if (showRoot_) Params.Style |= TVS_LINESATROOT;
    if (!readOnly_) Params.Style |= TVS_EDITLABELS;
    if (!hideSelection_) Params.Style |= TVS_SHOWSELALWAYS;
    if (rowSelect_) Params.Style |= TVS_FULLROWSELECT;
    if (hotTrack_) Params.Style |= TVS_TRACKSELECT;
    if (autoExpand_) Params.Style |= TVS_SINGLEEXPAND;
    if (!toolTips_) Params.Style |= TVS_NOTOOLTIPS;
    if (DragMode() != dmAutomatic) Params.Style |= TVS_DISABLEDRAGDROP;
}

void TCustomTreeView::SetStyleOption(bool& option, bool v) {
    if (option == v) return;
    option = v;
    RecreateWnd();
}

void TCustomTreeView::FillWindow() {
    ApplyColors();
    ApplyImageLists();
    if (indent_ > 0) ::SendMessageW(handle_, TVM_SETINDENT, WPARAM(indent_), 0);
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext()) InsertIntoWindow(node);
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext())
        if (node->expanded_) ExpandInWindow(node, true);
    if (selected_) ::SendMessageW(handle_, TVM_SELECTITEM, TVGN_CARET, LPARAM(selected_->item_));
    if (dropTarget_) ::SendMessageW(handle_, TVM_SELECTITEM, TVGN_DROPHILITE, LPARAM(dropTarget_->item_));
}

void TCustomTreeView::SaveWindowState() {
    TTreeNode* selected = Selected();
    TTreeNode* dropTarget = DropTarget();
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext()) node->expanded_ = node->Expanded();
    // The window's items go with it.
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext()) node->item_ = nullptr;
    selected_ = selected;
    dropTarget_ = dropTarget;
}

void TCustomTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, TVM_SETBKCOLOR, 0, LPARAM(COLORREF(ColorToRGB(Color()))));
    ::SendMessageW(handle_, TVM_SETTEXTCOLOR, 0, LPARAM(COLORREF(ColorToRGB(Font()->Color()))));
}

void TCustomTreeView::SetImageList(TCustomImageList*& field, TCustomImageList* v, int kind) {
    if (!ChangeImageList(field, v, imageChangeLink_)) return;
    if (HandleAllocated()) ::SendMessageW(handle_, TVM_SETIMAGELIST, WPARAM(kind), LPARAM(v ? v->Handle() : nullptr));
}

void TCustomTreeView::ApplyImageLists() {
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, TVM_SETIMAGELIST, TVSIL_NORMAL, LPARAM(images_ ? images_->Handle() : nullptr));
    ::SendMessageW(handle_, TVM_SETIMAGELIST, TVSIL_STATE, LPARAM(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomTreeView::ImageListChanged(TObject*) {
    ApplyImageLists();
    Invalidate();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TSystemControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == images_) SetImages(nullptr);
    if (AComponent == stateImages_) SetStateImages(nullptr);
}

int TCustomTreeView::Indent() const { return indent_; }

void TCustomTreeView::SetIndent(int v) {
    if (AssignIfChanged(indent_, v) && HandleAllocated() && v > 0) ::SendMessageW(handle_, TVM_SETINDENT, WPARAM(v), 0);
}

void TCustomTreeView::SetSortType(TSortType v) {
    if (AssignIfChanged(sortType_, v) && v != stNone) AlphaSort(true);
}

// ---- nodes in the window ----

void TCustomTreeView::InsertIntoWindow(TTreeNode* node) {
    if (!HandleAllocated()) return;
    TVINSERTSTRUCTW insert{};
    insert.hParent = node->parent_ ? node->parent_->item_ : TVI_ROOT;
    TTreeNode* previous = node->GetPrevSibling();
    insert.hInsertAfter = previous ? previous->item_ : TVI_FIRST;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    item.pszText = const_cast<wchar_t*>(node->text_.c_str());
    item.lParam = LPARAM(node);
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    item.cChildren = node->hasChildren_ ? 1 : 0;
    item.stateMask = TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK;
    item.state = node->StateBits();
    node->item_ = reinterpret_cast<HTREEITEM>(::SendMessageW(handle_, TVM_INSERTITEMW, 0, LPARAM(&insert)));
    if (!node->item_) throw ETreeViewError(L"Failed to insert a tree item");
}

void TCustomTreeView::ExpandInWindow(TTreeNode* node, bool expand) {
    if (!node->item_ || !HandleAllocated()) return;
    ++expandingFromCode_;
    ::SendMessageW(handle_, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE, LPARAM(node->item_));
    --expandingFromCode_;
}

void TCustomTreeView::ForgetNode(TTreeNode* node) {
    if (selected_ == node) selected_ = nullptr;
    if (dropTarget_ == node) dropTarget_ = nullptr;
}

TTreeNode* TCustomTreeView::NodeOf(HTREEITEM item, LPARAM param) const {
    if (param) return reinterpret_cast<TTreeNode*>(param);
    if (!item || !HandleAllocated()) return nullptr;
    TVITEMW info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    if (!::SendMessageW(handle_, TVM_GETITEMW, 0, LPARAM(&info))) return nullptr;
    return reinterpret_cast<TTreeNode*>(info.lParam);
}

// ---- selection and positions ----

TTreeNode* TCustomTreeView::Selected() const {
    if (!HandleAllocated()) return selected_;
    return NodeOf(reinterpret_cast<HTREEITEM>(::SendMessageW(handle_, TVM_GETNEXTITEM, TVGN_CARET, 0)), 0);
}

void TCustomTreeView::SetSelected(TTreeNode* v) {
    if (!HandleAllocated()) {
        selected_ = v;
        return;
    }
    ::SendMessageW(handle_, TVM_SELECTITEM, TVGN_CARET, LPARAM(v ? v->item_ : nullptr));
}

TTreeNode* TCustomTreeView::DropTarget() const {
    if (!HandleAllocated()) return dropTarget_;
    return NodeOf(reinterpret_cast<HTREEITEM>(::SendMessageW(handle_, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)), 0);
}

void TCustomTreeView::SetDropTarget(TTreeNode* v) {
    if (!HandleAllocated()) {
        dropTarget_ = v;
        return;
    }
    ::SendMessageW(handle_, TVM_SELECTITEM, TVGN_DROPHILITE, LPARAM(v ? v->item_ : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() const {
    if (!HandleAllocated()) return items_->GetFirstNode();
    return NodeOf(reinterpret_cast<HTREEITEM>(::SendMessageW(handle_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)), 0);
}

void TCustomTreeView::SetTopItem(TTreeNode* v) {
    if (v && HandleAllocated()) ::SendMessageW(handle_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, LPARAM(v->item_));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) const {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(handle_, TVM_HITTEST, 0, LPARAM(&hit)));
    return item && (hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON))
               ? NodeOf(item, 0)
               : nullptr;
}

bool TCustomTreeView::IsEditing() const {
    return HandleAllocated() && ::SendMessageW(handle_, TVM_GETEDITCONTROL, 0, 0) != 0;
}

void TCustomTreeView::FullExpand() {
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNextSibling()) node->Expand(true);
}

void TCustomTreeView::FullCollapse() {
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNextSibling()) node->Collapse(true);
}

// ---- sorting ----

int TCustomTreeView::CompareForSort(TTreeNode* a, TTreeNode* b) {
    int order = 0;
    if (OnCompare)
        OnCompare(this, a, b, 0, order);
    else
        order = AnsiCompareText(a->Text(), b->Text());
    return order;
}

namespace {
int CALLBACK CompareTreePositions(LPARAM a, LPARAM b, LPARAM positions) {
    auto& map = *reinterpret_cast<std::unordered_map<LPARAM, int>*>(positions);
    return map[a] - map[b];
}
}  // namespace

void TCustomTreeView::SortNodes(std::vector<TTreeNode*>& nodes, HTREEITEM parent,
                                const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse) {
    std::stable_sort(nodes.begin(), nodes.end(), [&](TTreeNode* a, TTreeNode* b) { return compare(a, b) < 0; });
    if (HandleAllocated()) {
        // The window takes the nodes' new order.
        std::unordered_map<LPARAM, int> positions;
        for (size_t i = 0; i < nodes.size(); ++i) positions[LPARAM(nodes[i])] = int(i);
        TVSORTCB sort{parent ? parent : TVI_ROOT, &CompareTreePositions, LPARAM(&positions)};
        ::SendMessageW(handle_, TVM_SORTCHILDRENCB, 0, LPARAM(&sort));
    }
    if (recurse)
        for (TTreeNode* node : nodes) SortNodes(node->children_, node->item_, compare, true);
}

void TCustomTreeView::AlphaSort(bool recurse) {
    SortNodes(
        items_->roots_, nullptr, [this](TTreeNode* a, TTreeNode* b) { return CompareForSort(a, b); }, recurse);
}

void TCustomTreeView::CustomSort(TTVCompare compare, LPARAM data, bool recurse) {
    SortNodes(
        items_->roots_, nullptr, [&](TTreeNode* a, TTreeNode* b) { return compare(a, b, data); }, recurse);
}

// ---- notifications ----

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, Node, allow);
    return allow;
}

bool TCustomTreeView::CanEdit(TTreeNode* Node) {
    bool allow = true;
    if (OnEditing) OnEditing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Edit(TTreeNode* Node, String& S) {
    if (OnEdited) OnEdited(this, Node, S);
    Node->SetText(S);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header->code == TVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        TTreeNode* node = NodeOf(info->item.hItem, info->item.lParam);
        if (!node) return;
        if (info->item.mask & TVIF_IMAGE) {
            GetImageIndex(node);
            info->item.iImage = node->imageIndex_;
        }
        if (info->item.mask & TVIF_SELECTEDIMAGE) {
            GetSelectedIndex(node);
            info->item.iSelectedImage = node->selectedIndex_;
        }
        return;
    }
    // Notifications of filling or tearing down a window are not the user's doing.
    if (InState(csCreating) || InState(csDestroyingHandle)) return;
    switch (header->code) {
        case TVN_ITEMEXPANDINGW: {
            if (expandingFromCode_) return;
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            TTreeNode* node = NodeOf(view->itemNew.hItem, view->itemNew.lParam);
            if (!node) return;
            bool allow = (view->action & TVE_EXPAND) ? CanExpand(node) : CanCollapse(node);
            if (!allow) Message.Result = TRUE;
            return;
        }
        case TVN_ITEMEXPANDEDW: {
            if (expandingFromCode_) return;
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            TTreeNode* node = NodeOf(view->itemNew.hItem, view->itemNew.lParam);
            if (!node) return;
            node->expanded_ = (view->action & TVE_EXPAND) != 0;
            if (node->expanded_)
                Expand(node);
            else
                Collapse(node);
            return;
        }
        case TVN_SELCHANGINGW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            TTreeNode* node = NodeOf(view->itemNew.hItem, view->itemNew.lParam);
            if (!CanChange(node)) Message.Result = TRUE;
            return;
        }
        case TVN_SELCHANGEDW: {
            auto* view = reinterpret_cast<NMTREEVIEWW*>(header);
            Change(NodeOf(view->itemNew.hItem, view->itemNew.lParam));
            return;
        }
        case TVN_BEGINLABELEDITW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            TTreeNode* node = NodeOf(info->item.hItem, info->item.lParam);
            if (!node || !CanEdit(node)) Message.Result = TRUE;
            return;
        }
        case TVN_ENDLABELEDITW: {
            auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
            TTreeNode* node = NodeOf(info->item.hItem, info->item.lParam);
            if (node && info->item.pszText) {
                String text = info->item.pszText;
                Edit(node, text);
            }
            Message.Result = FALSE;  // the node has set the window's text itself
            return;
        }
        case NM_CLICK:
            Click();
            return;
        case NM_DBLCLK:
            DblClick();
            return;
        case NM_RCLICK:
            if (rightClickSelect_) {
                POINT p;
                GetCursorPos(&p);
                ::ScreenToClient(handle_, &p);
                if (TTreeNode* node = GetNodeAt(p.x, p.y)) SetSelected(node);
            }
            return;
    }
}
