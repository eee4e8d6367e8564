#include "ListView.h"

#include <algorithm>
#include <unordered_map>

// Sections: options; construction and window; items and columns in the window; selection and
// positions; sorting; notifications; custom drawing.

// ---- options ----

TPersistent* TIconOptions::GetOwner() const { return owner_; }

void TIconOptions::SetArrangement(TIconArrangement v) {
    if (AssignIfChanged(arrangement_, v)) owner_->RecreateWnd();
}

void TIconOptions::SetAutoArrange(bool v) {
    if (AssignIfChanged(autoArrange_, v)) owner_->RecreateWnd();
}

void TIconOptions::SetWrapText(bool v) {
    if (AssignIfChanged(wrapText_, v)) owner_->RecreateWnd();
}

// ---- construction and window ----

TCustomListView::TCustomListView(TComponent* AOwner)
    : TSystemControl(AOwner),
      columns_(new TListColumns(this)),
      items_(new TListItems(this)),
      iconOptions_(new TIconOptions(this)),
      imageChangeLink_(new TChangeLink()) {
    imageChangeLink_->OnChange = MakeEvent(this, &TCustomListView::ImageListChanged);
    SetBorderStyle(bsSingle);
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView() {
    // The window goes first: while it is destroyed it may still ask for texts.
    if (HandleAllocated()) DestroyHandle();
    FreeObject(imageChangeLink_);
    FreeObject(items_);
    FreeObject(columns_);
    FreeObject(iconOptions_);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    Params.Style |= views[viewStyle_] | LVS_SHAREIMAGELISTS;
    if (!multiSelect_) Params.Style |= LVS_SINGLESEL;
    if (!hideSelection_) Params.Style |= LVS_SHOWSELALWAYS;
    if (!readOnly_) Params.Style |= LVS_EDITLABELS;
    if (!columnClick_) Params.Style |= LVS_NOSORTHEADER;
    if (!showColumnHeaders_) Params.Style |= LVS_NOCOLUMNHEADER;
    if (iconOptions_->AutoArrange()) Params.Style |= LVS_AUTOARRANGE;
    if (iconOptions_->Arrangement() == TIconArrangement::iaLeft) Params.Style |= LVS_ALIGNLEFT;
    if (!iconOptions_->WrapText()) Params.Style |= LVS_NOLABELWRAP;
}

DWORD TCustomListView::ExtendedStyle() const {
    DWORD style = 0;
    if (checkboxes_) style |= LVS_EX_CHECKBOXES;
    if (rowSelect_) style |= LVS_EX_FULLROWSELECT;
    if (OnInfoTip) style |= LVS_EX_INFOTIP;
    return style;
}

void TCustomListView::FillWindow() {
    ::SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP,
                   LPARAM(ExtendedStyle()));
    ApplyColors();
    ApplyImageLists();
    ShowColumns();
    if (allocBy_ > 0) ::SendMessageW(handle_, LVM_SETITEMCOUNT, WPARAM(allocBy_), 0);
    for (int i = 0; i < items_->Count(); ++i) InsertIntoWindow(items_->Item(i), i);
}

void TCustomListView::SaveWindowState() {
    for (int i = 0; i < items_->Count(); ++i) {
        TListItem* item = items_->Item(i);
        TItemStates states;
        for (TItemStateItem s : {isCut, isDropHilited, isFocused, isSelected})
            if (item->State(s)) states += s;
        item->checked_ = item->Checked();
        item->states_ = states;
    }
}

void TCustomListView::ApplyColors() {
    if (!HandleAllocated()) return;
    COLORREF back = COLORREF(ColorToRGB(Color()));
    ::SendMessageW(handle_, LVM_SETBKCOLOR, 0, LPARAM(back));
    ::SendMessageW(handle_, LVM_SETTEXTBKCOLOR, 0, LPARAM(back));
    ::SendMessageW(handle_, LVM_SETTEXTCOLOR, 0, LPARAM(COLORREF(ColorToRGB(Font()->Color()))));
}

void TCustomListView::WMNotify(TMessage& Message) {
    Inherited<TSystemControl>(Message);
    // A column the user resized keeps its width from then on.
    auto* header = reinterpret_cast<NMHEADERW*>(Message.LParam);
    if (header->hdr.hwndFrom != HeaderHandle() || header->hdr.code != HDN_ITEMCHANGEDW || !header->pitem ||
        !(header->pitem->mask & HDI_WIDTH) || header->iItem < 0 || header->iItem >= columns_->Count())
        return;
    columns_->Items(header->iItem)->width_ = header->pitem->cxy;
}

void TCustomListView::SetImageList(TCustomImageList*& field, TCustomImageList* v, int kind) {
    if (!ChangeImageList(field, v, imageChangeLink_)) return;
    if (HandleAllocated()) ::SendMessageW(handle_, LVM_SETIMAGELIST, WPARAM(kind), LPARAM(v ? v->Handle() : nullptr));
}

void TCustomListView::ApplyImageLists() {
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL, LPARAM(largeImages_ ? largeImages_->Handle() : nullptr));
    ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL, LPARAM(smallImages_ ? smallImages_->Handle() : nullptr));
    // Check boxes bring their own state images.
    if (stateImages_ && !checkboxes_)
        ::SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_STATE, LPARAM(stateImages_->Handle()));
}

void TCustomListView::ImageListChanged(TObject*) {
    ApplyImageLists();
    Invalidate();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TSystemControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == largeImages_) SetLargeImages(nullptr);
    if (AComponent == smallImages_) SetSmallImages(nullptr);
    if (AComponent == stateImages_) SetStateImages(nullptr);
}

void TCustomListView::SetViewStyle(TViewStyle v) {
    if (!AssignIfChanged(viewStyle_, v)) return;
    if (!HandleAllocated()) return;
    // The view is a style bit the window follows without a new window.
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG style = GetWindowLongW(handle_, GWL_STYLE);
    SetWindowLongW(handle_, GWL_STYLE, LONG((DWORD(style) & ~DWORD(LVS_TYPEMASK)) | views[v]));
    Invalidate();
}

void TCustomListView::SetCheckboxes(bool v) {
    if (checkboxes_ == v) return;
    if (HandleAllocated()) SaveWindowState();
    checkboxes_ = v;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool v) {
    if (!AssignIfChanged(rowSelect_, v)) return;
    if (HandleAllocated())
        ::SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, v ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetMultiSelect(bool v) {
    if (AssignIfChanged(multiSelect_, v)) RecreateWnd();
}

void TCustomListView::SetHideSelection(bool v) {
    if (AssignIfChanged(hideSelection_, v)) RecreateWnd();
}

void TCustomListView::SetReadOnly(bool v) {
    if (AssignIfChanged(readOnly_, v)) RecreateWnd();
}

void TCustomListView::SetColumnClick(bool v) {
    if (AssignIfChanged(columnClick_, v)) RecreateWnd();
}

void TCustomListView::SetShowColumnHeaders(bool v) {
    if (AssignIfChanged(showColumnHeaders_, v)) RecreateWnd();
}

void TCustomListView::SetAllocBy(int v) {
    if (AssignIfChanged(allocBy_, v) && HandleAllocated() && v > 0)
        ::SendMessageW(handle_, LVM_SETITEMCOUNT, WPARAM(v), 0);
}

// ---- items and columns in the window ----

void TCustomListView::InsertIntoWindow(TListItem* item, int index) {
    if (!HandleAllocated()) return;
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    row.iItem = index;
    row.pszText = LPSTR_TEXTCALLBACKW;
    row.iImage = I_IMAGECALLBACK;
    row.lParam = LPARAM(item);
    row.stateMask = LVIS_CUT | LVIS_DROPHILITED | LVIS_FOCUSED | LVIS_SELECTED | LVIS_OVERLAYMASK;
    if (checkboxes_) row.stateMask |= LVIS_STATEIMAGEMASK;
    row.state = item->StateBits();
    if (::SendMessageW(handle_, LVM_INSERTITEMW, 0, LPARAM(&row)) < 0)
        throw EOutOfResources(L"The list view has no room for another item");
    // A new item starts unchecked whatever it asks for.
    if (checkboxes_ && item->checked_) item->SetChecked(true);
    for (int column = 1; column < columns_->Count(); ++column) {
        LVITEMW cell{};
        cell.iSubItem = column;
        cell.pszText = LPSTR_TEXTCALLBACKW;
        ::SendMessageW(handle_, LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&cell));
    }
}

void TCustomListView::ShowColumns() {
    if (!HandleAllocated()) return;
    HWND header = HeaderHandle();
    int shown = header ? int(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = shown - 1; i >= 0; --i) ::SendMessageW(handle_, LVM_DELETECOLUMN, WPARAM(i), 0);
    static const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* column = columns_->Items(i);
        LVCOLUMNW info{};
        info.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        info.fmt = formats[column->alignment_];
        info.cx = column->width_;
        info.pszText = const_cast<wchar_t*>(column->caption_.c_str());
        info.iSubItem = i;
        if (column->imageIndex_ >= 0) {
            info.mask |= LVCF_IMAGE;
            info.fmt |= LVCFMT_IMAGE;
            info.iImage = column->imageIndex_;
        }
        ::SendMessageW(handle_, LVM_INSERTCOLUMNW, WPARAM(i), LPARAM(&info));
    }
    // Every cell of the new columns asks for its text.
    for (int row = 0; row < items_->Count(); ++row)
        for (int column = 1; column < columns_->Count(); ++column) {
            LVITEMW cell{};
            cell.iSubItem = column;
            cell.pszText = LPSTR_TEXTCALLBACKW;
            ::SendMessageW(handle_, LVM_SETITEMTEXTW, WPARAM(row), LPARAM(&cell));
        }
}

HWND TCustomListView::HeaderHandle() const {
    return HandleAllocated() ? reinterpret_cast<HWND>(::SendMessageW(handle_, LVM_GETHEADER, 0, 0)) : nullptr;
}

void TCustomListView::RepaintItem(TListItem* item) {
    if (!HandleAllocated()) return;
    int index = item->Index();
    if (index < 0) return;
    // Setting the callback again makes the window ask anew (and measure the new caption).
    LVITEMW cell{};
    cell.pszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(handle_, LVM_SETITEMTEXTW, WPARAM(index), LPARAM(&cell));
    ::SendMessageW(handle_, LVM_UPDATE, WPARAM(index), 0);
}

void TCustomListView::DeleteItem(TListItem* item) {
    Delete(item);
    int index = item->Index();
    if (index < 0) return;  // the deletion event deleted it
    if (HandleAllocated()) ::SendMessageW(handle_, LVM_DELETEITEM, WPARAM(index), 0);
    items_->Remove(item);
}

TListItem* TCustomListView::ItemOf(int index, LPARAM param) const {
    if (param) return reinterpret_cast<TListItem*>(param);
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

// ---- selection and positions ----

TListItem* TCustomListView::Selected() const {
    if (!HandleAllocated()) {
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Item(i)->states_.Contains(isSelected)) return items_->Item(i);
        return nullptr;
    }
    int index = int(::SendMessageW(handle_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    return index >= 0 ? items_->Item(index) : nullptr;
}

void TCustomListView::SetSelected(TListItem* v) {
    ClearSelection();
    if (v) v->SetSelected(true);
}

TListItem* TCustomListView::ItemFocused() const {
    if (!HandleAllocated()) {
        for (int i = 0; i < items_->Count(); ++i)
            if (items_->Item(i)->states_.Contains(isFocused)) return items_->Item(i);
        return nullptr;
    }
    int index = int(::SendMessageW(handle_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    return index >= 0 ? items_->Item(index) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* v) {
    if (TListItem* old = ItemFocused(); old && old != v) old->SetFocused(false);
    if (v) v->SetFocused(true);
}

int TCustomListView::SelCount() const {
    if (HandleAllocated()) return int(::SendMessageW(handle_, LVM_GETSELECTEDCOUNT, 0, 0));
    return int(std::count_if(items_->items_.begin(), items_->items_.end(),
                             [](TListItem* item) { return item->states_.Contains(isSelected); }));
}

void TCustomListView::SelectAll() {
    for (TListItem* item : items_->items_) item->SetSelected(true);
}

void TCustomListView::ClearSelection() {
    for (TListItem* item : items_->items_) item->SetSelected(false);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) const {
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = POINT{X, Y};
    int index = int(::SendMessageW(handle_, LVM_HITTEST, 0, LPARAM(&hit)));
    return index >= 0 && (hit.flags & LVHT_ONITEM) ? items_->Item(index) : nullptr;
}

TListItem* TCustomListView::TopItem() const {
    if (!HandleAllocated()) return nullptr;
    int index = int(::SendMessageW(handle_, LVM_GETTOPINDEX, 0, 0));
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

int TCustomListView::VisibleRowCount() const {
    return HandleAllocated() ? int(::SendMessageW(handle_, LVM_GETCOUNTPERPAGE, 0, 0)) : 0;
}

void TCustomListView::Scroll(int DX, int DY) {
    if (HandleAllocated()) ::SendMessageW(handle_, LVM_SCROLL, WPARAM(DX), LPARAM(DY));
}

bool TCustomListView::IsEditing() const {
    return HandleAllocated() && ::SendMessageW(handle_, LVM_GETEDITCONTROL, 0, 0) != 0;
}

// ---- sorting ----

void TCustomListView::CustomSort(TLVCompare compare, LPARAM data) {
    std::stable_sort(items_->items_.begin(), items_->items_.end(),
                     [&](TListItem* a, TListItem* b) { return compare(a, b, data) < 0; });
    SortWindowByItems();
}

namespace {
struct TListViewSortContext {
    std::unordered_map<LPARAM, int> positions;
};
int CALLBACK CompareListViewPositions(LPARAM a, LPARAM b, LPARAM context) {
    auto* sort = reinterpret_cast<TListViewSortContext*>(context);
    return sort->positions[a] - sort->positions[b];
}
}  // namespace

void TCustomListView::SortWindowByItems() {
    if (!HandleAllocated()) return;
    TListViewSortContext sort;
    for (int i = 0; i < items_->Count(); ++i) sort.positions[LPARAM(items_->Item(i))] = i;
    ::SendMessageW(handle_, LVM_SORTITEMS, WPARAM(&sort), reinterpret_cast<LPARAM>(&CompareListViewPositions));
}

void TCustomListView::AlphaSort() {
    std::stable_sort(items_->items_.begin(), items_->items_.end(), [this](TListItem* a, TListItem* b) {
        int order = 0;
        if (OnCompare)
            OnCompare(this, a, b, 0, order);
        else
            order = AnsiCompareText(a->Caption(), b->Caption());
        return order < 0;
    });
    SortWindowByItems();
}

// ---- notifications ----

bool TCustomListView::CanEdit(TListItem* Item) {
    bool allow = true;
    if (OnEditing) OnEditing(this, Item, allow);
    return allow;
}

void TCustomListView::Edit(TListItem* Item, String& S) {
    if (OnEdited) OnEdited(this, Item, S);
    Item->SetCaption(S);
}

bool TCustomListView::CanChange(TListItem* Item, TItemChange Change) {
    bool allow = true;
    if (OnChanging) OnChanging(this, Item, Change, allow);
    return allow;
}

void TCustomListView::Change(TListItem* Item, TItemChange Change) {
    if (OnChange) OnChange(this, Item, Change);
}

void TCustomListView::DisplayInfo(NMLVDISPINFOW& info) {
    TListItem* item = ItemOf(info.item.iItem, info.item.lParam);
    if (!item) return;
    if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
        String text;
        int sub = info.item.iSubItem;
        if (sub == 0)
            text = item->Caption();
        else if (sub - 1 < item->SubItems()->Count())
            text = item->SubItems()->Get(sub - 1);
        lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
    }
    if ((info.item.mask & LVIF_IMAGE) && info.item.iSubItem == 0) {
        GetImageIndex(item);
        info.item.iImage = item->ImageIndex();
    }
}

void TCustomListView::CNNotify(TMessage& Message) {
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    switch (header->code) {
        case LVN_GETDISPINFOW:
            DisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(header));
            return;
        case NM_CUSTOMDRAW:
            Message.Result = CustomDrawNotify(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            return;
        case LVN_DELETEALLITEMS:
            // Deletions are the items' own business: no notification for each.
            Message.Result = TRUE;
            return;
    }
    if (InState(csCreating)) return;
    switch (header->code) {
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(header);
            TListItem* item = ItemOf(change->iItem, change->lParam);
            if (!item || change->iItem < 0) return;
            TItemChange kind = (change->uChanged & LVIF_TEXT)    ? ctText
                               : (change->uChanged & LVIF_IMAGE) ? ctImage
                                                                 : ctState;
            if (header->code == LVN_ITEMCHANGING) {
                if (!CanChange(item, kind)) Message.Result = TRUE;
                return;
            }
            Change(item, kind);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) &&
                OnSelectItem)
                OnSelectItem(this, item, (change->uNewState & LVIS_SELECTED) != 0);
            return;
        }
        case LVN_BEGINLABELEDITW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            TListItem* item = ItemOf(info->item.iItem, info->item.lParam);
            if (!item || !CanEdit(item)) Message.Result = TRUE;
            return;
        }
        case LVN_ENDLABELEDITW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            TListItem* item = ItemOf(info->item.iItem, info->item.lParam);
            if (item && info->item.pszText) {
                String text = info->item.pszText;
                Edit(item, text);
            }
            // The window keeps asking the item for its caption: it stores no text itself.
            Message.Result = FALSE;
            return;
        }
        case LVN_COLUMNCLICK: {
            int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
            if (column >= 0 && column < columns_->Count()) ColClick(columns_->Items(column));
            return;
        }
        case LVN_GETINFOTIPW: {
            auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(header);
            TListItem* item = ItemOf(tip->iItem, tip->lParam);
            if (!item || !tip->pszText || tip->cchTextMax <= 0) return;
            String text = item->Caption();
            DoInfoTip(item, text);
            lstrcpynW(tip->pszText, text.c_str(), tip->cchTextMax);
            return;
        }
        case NM_CLICK:
            Click();
            return;
        case NM_DBLCLK:
            DblClick();
            return;
    }
}

// ---- custom drawing ----

bool TCustomListView::IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage) {
    if (Stage != cdPrePaint) return false;
    if (Target == dtControl) return bool(OnCustomDraw);
    if (Target == dtItem) return bool(OnCustomDrawItem);
    return false;
}

bool TCustomListView::CustomDraw(const TRect& ARect, TCustomDrawStage Stage) {
    bool defaultDraw = true;
    if (Stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, ARect, defaultDraw);
    return defaultDraw;
}

bool TCustomListView::CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage) {
    bool defaultDraw = true;
    if (Stage == cdPrePaint && OnCustomDrawItem) OnCustomDrawItem(this, Item, State, defaultDraw);
    return defaultDraw;
}

LRESULT TCustomListView::CustomDrawNotify(NMLVCUSTOMDRAW& draw) {
    NMCUSTOMDRAW& stage = draw.nmcd;
    if (stage.dwDrawStage == CDDS_PREPAINT) {
        LRESULT result = CDRF_DODEFAULT;
        if (IsCustomDrawn(dtControl, cdPrePaint)) {
            bool defaultDraw = true;
            DrawOnCanvas(stage.hdc, [&] { defaultDraw = CustomDraw(stage.rc, cdPrePaint); });
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
        }
        if (IsCustomDrawn(dtItem, cdPrePaint)) result |= CDRF_NOTIFYITEMDRAW;
        return result;
    }
    if (stage.dwDrawStage == CDDS_ITEMPREPAINT) {
        TListItem* item = ItemOf(int(stage.dwItemSpec), stage.lItemlParam);
        if (!item) return CDRF_DODEFAULT;
        TCustomDrawState state = TCustomDrawState::FromBits(stage.uItemState & 0x1FF);
        bool defaultDraw = true;
        DrawOnCanvas(stage.hdc, [&] {
            defaultDraw = CustomDrawItem(item, state, cdPrePaint);
            // The window draws the item in the canvas's colours.
            draw.clrText = COLORREF(ColorToRGB(Canvas()->Font()->Color()));
            draw.clrTextBk = COLORREF(ColorToRGB(Canvas()->Brush()->Color()));
        });
        return defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}
