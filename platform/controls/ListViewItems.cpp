#include "ListViewItems.h"

#include <algorithm>

#include "ListView.h"

// ---- TListColumn ----

TCustomListView* TListColumn::ListView() const {
    auto* columns = static_cast<TListColumns*>(Collection());
    return columns ? columns->Owner() : nullptr;
}

void TListColumn::SetAlignment(TAlignment v) {
    if (AssignIfChanged(alignment_, v)) Changed(false);
}

void TListColumn::SetCaption(const String& v) {
    if (AssignIfChanged(caption_, v)) Changed(false);
}

void TListColumn::SetImageIndex(int v) {
    if (AssignIfChanged(imageIndex_, v)) Changed(false);
}

void TListColumn::SetWidth(int v) {
    if (!AssignIfChanged(width_, v)) return;
    TCustomListView* view = ListView();
    if (view && view->HandleAllocated() && Index() >= 0)
        ::SendMessageW(view->WindowHandle(), LVM_SETCOLUMNWIDTH, WPARAM(Index()), MAKELPARAM(v, 0));
}

void TListColumn::Assign(TPersistent* source) {
    auto* other = As<TListColumn>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    alignment_ = other->alignment_;
    caption_ = other->caption_;
    imageIndex_ = other->imageIndex_;
    width_ = other->width_;
    Changed(false);
}

// ---- TListColumns ----

TListColumns::TListColumns(TCustomListView* owner)
    : TOwnedCollection(owner, TListColumn::StaticClass()), owner_(owner) {}

TListColumn* TListColumns::Add() {
    auto* column = static_cast<TListColumn*>(TCollection::Add());
    // Shown now that it is whole.
    Changed();
    return column;
}

void TListColumns::Notify(TCollectionItem* item, TCollectionNotification action) {
    if (action == cnAdded) constructing_ = item;
}

void TListColumns::Update(TCollectionItem* item) {
    if (constructing_) {
        // The report of a column being added comes before its constructor has run.
        constructing_ = nullptr;
        if (!item) return;
    }
    owner_->ShowColumns();
}

// ---- TListItem ----

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(new TStringList()) {
    subItems_->OnChange = MakeEvent(this, &TListItem::SubItemsChanged);
}

TListItem::~TListItem() { FreeObject(subItems_); }

TCustomListView* TListItem::ListView() const { return owner_ ? owner_->Owner() : nullptr; }

int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

void TListItem::SetCaption(const String& v) {
    if (!AssignIfChanged(caption_, v)) return;
    if (TCustomListView* view = ListView()) view->RepaintItem(this);
}

void TListItem::SetImageIndex(int v) {
    if (!AssignIfChanged(imageIndex_, v)) return;
    if (TCustomListView* view = ListView()) view->RepaintItem(this);
}

void TListItem::SetOverlayIndex(int v) {
    if (!AssignIfChanged(overlayIndex_, v)) return;
    TCustomListView* view = ListView();
    if (!view || !view->HandleAllocated()) return;
    LVITEMW item{};
    item.stateMask = LVIS_OVERLAYMASK;
    item.state = v >= 0 ? INDEXTOOVERLAYMASK(UINT(v) + 1) : 0;
    ::SendMessageW(view->WindowHandle(), LVM_SETITEMSTATE, WPARAM(Index()), LPARAM(&item));
}

void TListItem::SubItemsChanged(TObject*) {
    if (TCustomListView* view = ListView()) view->RepaintItem(this);
}

namespace {
UINT ListItemStateBit(TItemStateItem s) {
    static const UINT bits[] = {LVIS_CUT, LVIS_DROPHILITED, LVIS_FOCUSED, LVIS_SELECTED};
    return bits[s];
}
}  // namespace

bool TListItem::State(TItemStateItem s) const {
    TCustomListView* view = ListView();
    if (view && view->HandleAllocated())
        return ::SendMessageW(view->WindowHandle(), LVM_GETITEMSTATE, WPARAM(Index()), ListItemStateBit(s)) != 0;
    return states_.Contains(s);
}

void TListItem::SetState(TItemStateItem s, bool v) {
    if (v)
        states_ += s;
    else
        states_ -= s;
    TCustomListView* view = ListView();
    if (!view || !view->HandleAllocated()) return;
    LVITEMW item{};
    item.stateMask = ListItemStateBit(s);
    item.state = v ? item.stateMask : 0;
    ::SendMessageW(view->WindowHandle(), LVM_SETITEMSTATE, WPARAM(Index()), LPARAM(&item));
}

bool TListItem::Checked() const {
    TCustomListView* view = ListView();
    if (view && view->HandleAllocated() && view->Checkboxes())
        return (::SendMessageW(view->WindowHandle(), LVM_GETITEMSTATE, WPARAM(Index()), LVIS_STATEIMAGEMASK) >> 12) ==
               2;
    return checked_;
}

void TListItem::SetChecked(bool v) {
    checked_ = v;
    TCustomListView* view = ListView();
    if (!view || !view->HandleAllocated() || !view->Checkboxes()) return;
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(v ? 2 : 1);
    ::SendMessageW(view->WindowHandle(), LVM_SETITEMSTATE, WPARAM(Index()), LPARAM(&item));
}

UINT TListItem::StateBits() const {
    UINT bits = 0;
    for (TItemStateItem s : {isCut, isDropHilited, isFocused, isSelected})
        if (states_.Contains(s)) bits |= ListItemStateBit(s);
    if (overlayIndex_ >= 0) bits |= INDEXTOOVERLAYMASK(UINT(overlayIndex_) + 1);
    TCustomListView* view = ListView();
    if (view && view->Checkboxes()) bits |= INDEXTOSTATEIMAGEMASK(checked_ ? 2 : 1);
    return bits;
}

TRect TListItem::DisplayRect(TDisplayCode code) const {
    TCustomListView* view = ListView();
    RECT r{};
    if (!view || !view->HandleAllocated()) return r;
    static const LONG codes[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
    r.left = codes[code];
    ::SendMessageW(view->WindowHandle(), LVM_GETITEMRECT, WPARAM(Index()), LPARAM(&r));
    return r;
}

void TListItem::MakeVisible(bool partialOK) {
    TCustomListView* view = ListView();
    if (view && view->HandleAllocated())
        ::SendMessageW(view->WindowHandle(), LVM_ENSUREVISIBLE, WPARAM(Index()), partialOK ? TRUE : FALSE);
}

bool TListItem::EditCaption() {
    TCustomListView* view = ListView();
    if (!view) return false;
    HWND window = view->Handle();
    SetFocus(window);
    return ::SendMessageW(window, LVM_EDITLABELW, WPARAM(Index()), 0) != 0;
}

void TListItem::Update() {
    if (TCustomListView* view = ListView()) view->RepaintItem(this);
}

void TListItem::Delete() {
    if (owner_) owner_->Delete(Index());
}

void TListItem::Assign(TPersistent* source) {
    auto* other = As<TListItem>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    caption_ = other->caption_;
    subItems_->Assign(other->subItems_);
    data_ = other->data_;
    imageIndex_ = other->imageIndex_;
    overlayIndex_ = other->overlayIndex_;
    states_ = other->states_;
    checked_ = other->Checked();
    Update();
}

// ---- TListItems ----

TListItems::~TListItems() {
    for (TListItem* item : items_) {
        item->owner_ = nullptr;
        FreeObject(item);
    }
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return items_[size_t(index)];
}

int TListItems::IndexOf(const TListItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count()) ListIndexError(index);
    auto* item = new TListItem(this);
    items_.insert(items_.begin() + index, item);
    try {
        owner_->InsertIntoWindow(item, index);
        owner_->InsertItem(item);
    } catch (...) {
        Remove(item);
        throw;
    }
    return item;
}

void TListItems::Delete(int index) { owner_->DeleteItem(Item(index)); }

void TListItems::Clear() {
    BeginUpdate();
    try {
        while (!items_.empty()) owner_->DeleteItem(items_.back());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TListItems::Remove(TListItem* item) {
    std::erase(items_, item);
    item->owner_ = nullptr;
    FreeObject(item);
}

void TListItems::BeginUpdate() {
    if (updateCount_++ == 0) EnableWindowDrawing(owner_->WindowHandle(), false);
}

void TListItems::EndUpdate() {
    if (--updateCount_ == 0) EnableWindowDrawing(owner_->WindowHandle(), true);
}

void TListItems::Assign(TPersistent* source) {
    auto* other = As<TListItems>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (TListItem* item : other->items_) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
