#include "ListBox.h"

#include "Format.h"

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TSystemControl(AOwner), items_(new TListControlItems(this, ListBoxMessages)) {
    SetBorderStyle(bsSingle);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
    // The window goes first: its last messages may still ask for the items.
    if (HandleAllocated()) DestroyHandle();
    FreeObject(items_);
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
    if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!integralHeight_) Params.Style |= LBS_NOINTEGRALHEIGHT;
}

void TCustomListBox::FillWindow() {
    items_->FillWindow();
    if (multiSelect_) {
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Marked(i)) ::SendMessageW(handle_, LB_SETSEL, TRUE, i);
        if (itemIndex_ >= 0 && itemIndex_ < items_->Count())
            ::SendMessageW(handle_, LB_SETCARETINDEX, WPARAM(itemIndex_), 0);
    } else if (itemIndex_ >= 0 && itemIndex_ < items_->Count()) {
        ::SendMessageW(handle_, LB_SETCURSEL, WPARAM(itemIndex_), 0);
    }
    ::SendMessageW(handle_, LB_SETTOPINDEX, WPARAM(topIndex_), 0);
}

void TCustomListBox::SaveWindowState() {
    itemIndex_ = ItemIndex();
    topIndex_ = int(::SendMessageW(handle_, LB_GETTOPINDEX, 0, 0));
    if (WindowMultiSelects())
        for (int i = 0; i < items_->Count(); ++i)
            items_->SetMarked(i, ::SendMessageW(handle_, LB_GETSEL, WPARAM(i), 0) > 0);
}

bool TCustomListBox::WindowMultiSelects() const {
    return (GetWindowLongW(handle_, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
    if (AssignIfChanged(style_, v)) RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
    if (OwnerDrawn() || !HandleAllocated()) return itemHeight_;
    return int(::SendMessageW(handle_, LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int v) {
    if (itemHeight_ == v || v <= 0) return;
    itemHeight_ = v;
    if (OwnerDrawn()) RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool v) {
    if (multiSelect_ == v) return;
    if (HandleAllocated()) SaveWindowState();
    // The chosen entry becomes the only mark; back to single selection, the focused entry is
    // the chosen one.
    if (v)
        for (int i = 0; i < items_->Count(); ++i) items_->SetMarked(i, i == itemIndex_);
    multiSelect_ = v;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool v) {
    if (AssignIfChanged(extendedSelect_, v) && multiSelect_) RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool v) {
    if (AssignIfChanged(integralHeight_, v)) RecreateWnd();
}

int TCustomListBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_ < items_->Count() ? itemIndex_ : -1;
    if (WindowMultiSelects()) {
        int caret = int(::SendMessageW(handle_, LB_GETCARETINDEX, 0, 0));
        return caret < items_->Count() ? caret : -1;
    }
    return int(::SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int v) {
    if (!HandleAllocated()) {
        itemIndex_ = v;
        return;
    }
    if (multiSelect_)
        ::SendMessageW(handle_, LB_SETCARETINDEX, WPARAM(v), 0);
    else
        ::SendMessageW(handle_, LB_SETCURSEL, WPARAM(v), 0);
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= items_->Count()) throw EListError(Format(L"List index out of bounds (%d)", {index}));
    if (!multiSelect_) return ItemIndex() == index;
    if (HandleAllocated()) return ::SendMessageW(handle_, LB_GETSEL, WPARAM(index), 0) > 0;
    return items_->Marked(index);
}

void TCustomListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= items_->Count()) throw EListError(Format(L"List index out of bounds (%d)", {index}));
    if (!multiSelect_) {
        if (v)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (HandleAllocated())
        ::SendMessageW(handle_, LB_SETSEL, v ? TRUE : FALSE, index);
    else
        items_->SetMarked(index, v);
}

int TCustomListBox::SelCount() const {
    if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
    int count = 0;
    for (int i = 0; i < items_->Count(); ++i) count += Selected(i) ? 1 : 0;
    return count;
}

int TCustomListBox::TopIndex() const {
    return HandleAllocated() ? int(::SendMessageW(handle_, LB_GETTOPINDEX, 0, 0)) : topIndex_;
}

void TCustomListBox::SetTopIndex(int v) {
    if (HandleAllocated())
        ::SendMessageW(handle_, LB_SETTOPINDEX, WPARAM(v), 0);
    else
        topIndex_ = v;
}

TRect TCustomListBox::ItemRect(int index) const {
    RECT r{};
    if (HandleAllocated()) ::SendMessageW(handle_, LB_GETITEMRECT, WPARAM(index), LPARAM(&r));
    return r;
}

int TCustomListBox::ItemAtPos(TPoint pos, bool Existing) const {
    if (HandleAllocated()) {
        TRect client = ClientRect();
        for (int i = TopIndex(); i < items_->Count(); ++i) {
            TRect r = ItemRect(i);
            if (r.top >= client.bottom) break;
            if (PtInRect(&r, pos)) return i;
        }
    }
    return Existing ? -1 : items_->Count();
}

void TCustomListBox::ClearSelection() {
    if (!multiSelect_) {
        SetItemIndex(-1);
        return;
    }
    for (int i = 0; i < items_->Count(); ++i) SetSelected(i, false);
}

void TCustomListBox::SelectAll() {
    if (!multiSelect_) return;
    for (int i = 0; i < items_->Count(); ++i) SetSelected(i, true);
}

void TCustomListBox::DeleteSelected() {
    items_->BeginUpdate();
    for (int i = items_->Count() - 1; i >= 0; --i)
        if (Selected(i)) items_->Delete(i);
    items_->EndUpdate();
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index < items_->Count()) canvas->TextOut(Rect.left + 2, Rect.top, items_->Get(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNCommand(TMessage& Message) {
    if (InState(csCreating)) return;
    switch (Message.WParamHi()) {
        case LBN_SELCHANGE:
            Click();
            break;
        case LBN_DBLCLK:
            DblClick();
            break;
    }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
    DrawOwnerDrawnItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam),
                       [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
    Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int height = itemHeight_;
    if (style_ == lbOwnerDrawVariable) MeasureItem(int(measure->itemID), height);
    measure->itemHeight = UINT(std::max(height, 1));
    Message.Result = 1;
}
