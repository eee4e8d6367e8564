#include "RzListVw.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Forms.h"
#include "Mouse.h"
#include "RzGrafx.h"
#include "RzShellUtils.h"
#include "Themes.h"

// Sections: construction and window; frame and colours; header; sorting and the last column;
// notifications; info tips; context menus; mouse and keys.

namespace {

bool ComCtlAtLeast(DWORD major, DWORD minor) { return ComCtlVersion().MS >= MAKELONG(minor, major); }

// The text of an item in a column: its caption in column 0, a sub-item text (maybe missing) after.
String ColumnText(TListItem* item, int column) {
    if (column == 0) return item->Caption();
    TStrings* subItems = item->SubItems();
    return column - 1 < subItems->Count() ? subItems->Get(column - 1) : String();
}

// The column to sort by and its direction travel in the comparison's data.
int CompareByColumn(TListItem* a, TListItem* b, LPARAM data) {
    const int column = int(data >> 1);
    const String first = ColumnText(a, column), second = ColumnText(b, column);
    int order;
    // Empty texts come after all others.
    if (first.empty() || second.empty())
        order = int(first.empty()) - int(second.empty());
    else
        order = AnsiCompareText(first, second);
    return (data & 1) ? -order : order;
}

// The square the sort arrow is drawn in, at the left of a text rectangle.
TRect ArrowBox(const TRect& text) {
    const int size = (text.top + text.bottom) / 2 - 1;
    const int top = (text.top + text.bottom - size) / 2 - 1;
    return TRect{text.left, top, text.left + size + 1, top + size};
}

// A triangle 2h - 1 pixels wide over the box's bottom h rows (h = 3/4 of the box's height),
// its apex down or up.
void PaintSortArrow(TCanvas* canvas, const TRect& box, bool down) {
    const int h = RectHeight(box) * 3 / 4;
    if (h <= 0) return;
    const int centre = box.left + RectWidth(box) / 2;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    for (int row = 0; row < h; ++row) {
        const int halfWidth = down ? h - 1 - row : row;
        const int y = box.bottom - h + row;
        canvas->MoveTo(centre - halfWidth, y);
        canvas->LineTo(centre + halfWidth + 1, y);
    }
}

bool ApplicationInForeground() {
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    return process == GetCurrentProcessId();
}

}  // namespace

// ---- construction and window

TRzCustomListView::TRzCustomListView(TComponent* AOwner)
    : TCustomListView(AOwner), frame_(this), headerCanvas_(new TCanvas()) {}

TRzCustomListView::~TRzCustomListView() {
    if (frame_.Controller) frame_.Controller->RemoveControl(this);
    header_.Release();
    FreeObject(infoTip_);
    FreeObject(headerCanvas_);
}

void TRzCustomListView::CreateWnd() {
    TCustomListView::CreateWnd();
    ApplyColors();
    HookHeader();
    ApplyHeaderFormats();
    // Once the window has settled (the header may come with the first column), once more.
    PostMessageW(WindowHandle(), RZ_LV_APPLYHEADERFORMATS, 0, 0);
}

void TRzCustomListView::DestroyWnd() {
    HideInfoTip();
    header_.Release();
    TCustomListView::DestroyWnd();
}

void TRzCustomListView::WMApplyHeaderFormats(TMessage&) { ApplyHeaderFormats(); }

void TRzCustomListView::Loaded() {
    TCustomListView::Loaded();
    UpdateColors();
    UpdateFrameState(false, false);
    loadingColumns_ = true;
    ResizeLastColumn();
    loadingColumns_ = false;
    HookHeader();
}

void TRzCustomListView::DefineProperties(TFiler* filer) {
    TCustomListView::DefineProperties(filer);
    DefineObsoleteFrameProperties(filer,
                                  {[this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
                                   [this](TFrameStyle v) { SetFrameHotStyle(v); }});
}

void TRzCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomListView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == frame_.Controller) frame_.Controller = nullptr;
}

void TRzCustomListView::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomListView::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (header_.Attached()) ResizeLastColumn();
}

void TRzCustomListView::SetParent(TWinControl* AParent) {
    TCustomListView::SetParent(AParent);
    HookHeader();
}

void TRzCustomListView::SetViewStyle(TViewStyle v) {
    const bool changed = v != ViewStyle();
    TCustomListView::SetViewStyle(v);
    if (changed && v == vsReport) {
        HookHeader();
        ApplyHeaderFormats();
    }
}

// ---- frame and colours

void TRzCustomListView::WMNCPaint(TMessage& Message) {
    DefaultHandler(Message);
    frame_.PaintNonClient();
    Message.Result = 0;
}

void TRzCustomListView::WMSize(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    if (frame_.Painted()) RepaintFrame();
}

void TRzCustomListView::RepaintFrame() {
    if (IsLoading() || !HandleAllocated()) return;
    InvalidateNonClientFrame(WindowHandle(), TRect{0, 0, Width(), Height()});
}

void TRzCustomListView::UpdateColors() { frame_.ShowStateColor(); }

void TRzCustomListView::UpdateFrameState(bool changeMouseOver, bool mouseOver) {
    if (changeMouseOver) frame_.MouseOver = mouseOver;
    if (frame_.HotTrack) RepaintFrame();
    UpdateColors();
}

void TRzCustomListView::CMColorChanged(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    if (frame_.ColorChanged()) RepaintFrame();
}

void TRzCustomListView::CMSysColorChange(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    frame_.SystemColorsChanged();
}

void TRzCustomListView::CMEnabledChanged(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    UpdateColors();
}

void TRzCustomListView::CMEnter(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    UpdateFrameState(false, false);
}

void TRzCustomListView::CMExit(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    UpdateFrameState(false, false);
}

void TRzCustomListView::SetFrameVisible(bool v) {
    if (!AssignIfChanged(frame_.Visible, v)) return;
    if (!assigningController_) RecreateWnd();
}

void TRzCustomListView::SetFrameStyle(TFrameStyle v) { ChangeFrame(frame_.Style, v); }
void TRzCustomListView::SetFrameHotStyle(TFrameStyle v) { ChangeFrame(frame_.HotStyle, v); }
void TRzCustomListView::SetFrameSides(TSides v) { ChangeFrame(frame_.Sides, v); }
void TRzCustomListView::SetFrameColor(TColor v) { ChangeFrame(frame_.Color, v); }
void TRzCustomListView::SetFrameHotColor(TColor v) { ChangeFrame(frame_.HotColor, v); }

void TRzCustomListView::SetFrameHotTrack(bool v) {
    if (!AssignIfChanged(frame_.HotTrack, v)) return;
    if (v) {
        SetFrameVisible(true);
        if (!IsLoading()) SetFrameSides(sdAllSides);
    }
    RepaintFrame();
    Invalidate();
}

void TRzCustomListView::SetFramingPreference(TFramingPreference v) {
    if (AssignIfChanged(frame_.Preference, v) && v == fpCustomFraming) RepaintFrame();
}

void TRzCustomListView::SetFrameController(TRzFrameController* v) {
    if (frame_.Controller == v) return;
    if (frame_.Controller) frame_.Controller->RemoveControl(this);
    frame_.Controller = v;
    if (!v) return;
    assigningController_ = true;
    try {
        v->AddControl(this);
    } catch (...) {
        assigningController_ = false;
        throw;
    }
    assigningController_ = false;
    v->FreeNotification(this);
}

void TRzCustomListView::SetDisabledColor(TColor v) {
    if (AssignIfChanged(frame_.DisabledColor, v) && !Enabled()) UpdateColors();
}

void TRzCustomListView::SetFocusColor(TColor v) {
    if (AssignIfChanged(frame_.FocusColor, v) && Focused()) UpdateColors();
}

// ---- header

void TRzCustomListView::HookHeader() {
    HWND header = HeaderHandle();
    if (!header || header_.Handle() == header) return;
    header_.Attach(header, MakeEvent(this, &TRzCustomListView::HeaderWndProc));
    ApplyHeaderFormats();
}

void TRzCustomListView::WMParentNotify(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    // The list view makes its header when it first needs one.
    if (LOWORD(Message.WParam) == WM_CREATE && !header_.Attached()) HookHeader();
}

void TRzCustomListView::HeaderWndProc(TMessage& Message) {
    HWND header = header_.Handle();
    const bool themed = ThemesActive();
    switch (Message.Msg) {
        case WM_MOUSEMOVE:
            if (themed && !sectionPressed_) {
                HDHITTESTINFO hit{};
                hit.pt = POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
                hotSection_ = int(SendMessageW(header, HDM_HITTEST, 0, LPARAM(&hit)));
                InvalidateRect(header, nullptr, FALSE);
            }
            if (themed && !mouseInHeader_) {
                mouseInHeader_ = true;
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, header, HOVER_DEFAULT};
                TrackMouseEvent(&track);
            }
            break;
        case WM_LBUTTONDOWN:
            sectionPressed_ = true;
            break;
        case WM_LBUTTONUP:
            sectionPressed_ = false;
            break;
        case WM_MOUSELEAVE:
            if (themed) {
                mouseInHeader_ = false;
                hotSection_ = -1;
                InvalidateRect(header, nullptr, FALSE);
            }
            break;
    }
    header_.CallOriginal(Message);
}

void TRzCustomListView::ApplyHeaderFormats() {
    HWND header = header_.Handle();
    if (!HandleAllocated() || ViewStyle() != vsReport || !header || applyingFormats_) return;
    ++applyingFormats_;
    const int count = std::min(int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)), Columns()->Count());
    for (int i = count - 1; i >= 0; --i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, WPARAM(i), LPARAM(&item));
        item.fmt &= HDF_JUSTIFYMASK;
        if (headerSortDisplayMode_ != hsdmNone) {
            item.fmt |= HDF_OWNERDRAW;
        } else {
            item.fmt |= HDF_STRING;
            if (Columns()->Items(i)->ImageIndex() >= 0 && SmallImages()) item.fmt |= HDF_IMAGE;
        }
        SendMessageW(header, HDM_SETITEMW, WPARAM(i), LPARAM(&item));
    }
    --applyingFormats_;
    InvalidateRect(header, nullptr, TRUE);
}

void TRzCustomListView::WMDrawItem(TMessage& Message) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    if (item.CtlType != ODT_HEADER || !header_.Attached() || item.hwndItem != header_.Handle()) {
        Inherited<TCustomListView>(Message);
        return;
    }
    PaintHeaderSection(item);
    Message.Result = 1;
}

void TRzCustomListView::PaintHeaderSection(const DRAWITEMSTRUCT& item) {
    const int index = int(item.itemID);
    if (index < 0 || index >= Columns()->Count()) return;
    TListColumn* column = Columns()->Items(index);
    const TRect section = item.rcItem;
    const bool themed = ThemesActive();
    const int saved = SaveDC(item.hDC);
    headerCanvas_->SetHandle(item.hDC);
    TCanvas* canvas = headerCanvas_;
    try {
        canvas->SetFont(Font());
        canvas->Font()->SetColor(clBtnText);
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Brush()->SetStyle(bsSolid);
        TRect r = section;
        if (!themed) {
            canvas->FillRect(r);
            InflateRect(&r, -2, -2);
        }
        if (!defaultHeaderPainting_) {
            DoPaintHeaderSection(canvas, index, r);
        } else {
            if (themed) {
                const int state = index != hotSection_ ? HIS_NORMAL : sectionPressed_ ? HIS_PRESSED : HIS_HOT;
                TThemeData(L"HEADER", header_.Handle()).DrawBackground(item.hDC, HP_HEADERITEM, state, section);
                InflateRect(&r, -2, -2);
            }
            TRect text{r.left + 4, r.top, r.right - 4, r.bottom};
            IntersectClipRect(item.hDC, section.left, section.top, section.right, section.bottom);

            const bool sorted = index == sortedColumn_;
            TRect box = ArrowBox(text);
            const bool arrow = sorted && 2 * RectWidth(box) < RectWidth(section);
            const TAlignment alignment = column->Alignment();
            bool arrowAfterText = false;
            switch (headerSortDisplayMode_) {
                case hsdmNone:
                    break;
                case hsdmLeftAlign:
                    if (sorted && RectWidth(section) > 15) text.left = box.right + 5;
                    break;
                case hsdmRightOfText:
                    if (alignment == taLeftJustify) {
                        arrowAfterText = true;
                        break;
                    }
                    OffsetRect(&box, text.right - box.right, 0);
                    if (sorted && alignment == taRightJustify) text.right = box.left - 5;
                    if (sorted && alignment == taCenter) InflateRect(&text, -(RectWidth(box) + 5), 0);
                    break;
                case hsdmRightAlign:
                    OffsetRect(&box, text.right - box.right, 0);
                    if (sorted) text.right = box.left - 5;
                    break;
            }

            // The column's image, then its caption.
            TCustomImageList* images = SmallImages();
            if (column->ImageIndex() >= 0 && images) {
                images->Draw(canvas, text.left, text.top + (RectHeight(text) - images->Height()) / 2,
                             column->ImageIndex());
                text.left += images->Width() + 4;
            }
            canvas->Brush()->SetStyle(themed ? bsClear : bsSolid);
            const String caption = column->Caption().substr(0, 255);
            PaintText(canvas, caption, text,
                      DrawTextAlignment(alignment) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            if (arrowAfterText) {
                const int width = std::min(canvas->TextWidth(caption), RectWidth(text));
                OffsetRect(&box, text.left + width + 5 - box.left, 0);
            }
            if (arrow && headerSortDisplayMode_ != hsdmNone) PaintSortArrow(canvas, box, sortDescending_);
        }
    } catch (...) {
        headerCanvas_->SetHandle(nullptr);
        RestoreDC(item.hDC, saved);
        throw;
    }
    headerCanvas_->SetHandle(nullptr);
    RestoreDC(item.hDC, saved);
}

void TRzCustomListView::DoPaintHeaderSection(TCanvas* canvas, int index, const TRect& rect) {
    if (OnPaintHeaderSection) OnPaintHeaderSection(this, canvas, index, rect);
}

void TRzCustomListView::InvalidateHeaderSection(int index) {
    HWND header = header_.Handle();
    if (!header || index < 0) return;
    RECT r{};
    if (SendMessageW(header, HDM_GETITEMRECT, WPARAM(index), LPARAM(&r))) InvalidateRect(header, &r, TRUE);
}

void TRzCustomListView::SetSortedColumn(int v) {
    if (sortedColumn_ == v) return;
    InvalidateHeaderSection(sortedColumn_);
    sortedColumn_ = v;
    InvalidateHeaderSection(v);
    SortChanged();
}

void TRzCustomListView::SetSortDescending(bool v) {
    if (!AssignIfChanged(sortDescending_, v)) return;
    InvalidateHeaderSection(sortedColumn_);
    if (HandleAllocated()) UpdateWindow(WindowHandle());
    SortChanged();
}

void TRzCustomListView::SortChanged() {
    if (ComCtlAtLeast(6, 0)) ApplyHeaderFormats();
}

void TRzCustomListView::SetHeaderSortDisplayMode(TRzLVHeaderSortDisplayMode v) {
    // Owner-drawn sections need the header of comctl32 4.70.
    headerSortDisplayMode_ = ComCtlAtLeast(4, 70) ? v : hsdmNone;
    ApplyHeaderFormats();
    if (header_.Attached()) InvalidateRect(header_.Handle(), nullptr, TRUE);
}

// ---- sorting and the last column

void TRzCustomListView::SortByColumn(int column, bool descending) {
    CustomSort(&CompareByColumn, (LPARAM(column) << 1) | (descending ? 1 : 0));
}

void TRzCustomListView::ColClick(TListColumn* Column) {
    if (sortOnColumnClick_) {
        const int index = Column->Index();
        if (index != lastSortColumn_) {
            SortByColumn(index, false);
            SetSortedColumn(index);
            SetSortDescending(false);
            lastSortColumn_ = index;
        } else {
            SortByColumn(index, true);
            SetSortDescending(true);
            lastSortColumn_ = -1;
        }
    }
    TCustomListView::ColClick(Column);
}

void TRzCustomListView::SetStretchLastColumn(bool v) {
    if (AssignIfChanged(stretchLastColumn_, v)) ResizeLastColumn();
}

void TRzCustomListView::ResizeLastColumn() {
    const int count = Columns()->Count();
    if (!stretchLastColumn_ || ViewStyle() != vsReport || IsDestroying() || count == 0) return;
    int others = 0;
    for (int i = 0; i < count - 1; ++i) others += Columns()->Items(i)->Width();
    int width = ClientWidth();
    // With no items yet the vertical scroll bar may still come: leave room for it.
    if (Items()->Count() == 0 || loadingColumns_) width -= GetSystemMetrics(SM_CXVSCROLL);
    if (others >= width) return;
    Items()->BeginUpdate();
    Columns()->Items(count - 1)->SetWidth(width - others <= 4 ? 5 : width - others);
    Items()->EndUpdate();
}

// ---- notifications

void TRzCustomListView::WMNotify(TMessage& Message) {
    Inherited<TCustomListView>(Message);
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (!header_.Attached() || header->hwndFrom != header_.Handle()) return;
    switch (header->code) {
        case HDN_ITEMCHANGEDW:
        case HDN_ITEMCHANGEDA:
        case HDN_TRACKW:
        case HDN_TRACKA:
            ApplyHeaderFormats();
            break;
        case HDN_ENDTRACKW:
        case HDN_ENDTRACKA:
            ApplyHeaderFormats();
            ResizeLastColumn();
            break;
        case HDN_DIVIDERDBLCLICKW:
        case HDN_DIVIDERDBLCLICKA:
            ResizeLastColumn();
            break;
    }
}

void TRzCustomListView::CNNotify(TMessage& Message) {
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
        case LVN_GETINFOTIPW:
        case LVN_GETINFOTIPA:
            return;  // the control shows its own tips
        case LVN_BEGINDRAG:
        case LVN_BEGINRDRAG:
            dragStarted_ = true;
            break;
        case LVN_BEGINLABELEDITW:
            if (!LabelEditAllowed(*reinterpret_cast<const NMLVDISPINFOW*>(header))) {
                Message.Result = TRUE;
                return;
            }
            Inherited<TCustomListView>(Message);
            editingCaption_ = Message.Result == FALSE;
            return;
        case LVN_ENDLABELEDITW:
            editingCaption_ = false;
            break;
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED:
            ItemChangeNotify(Message, header->code == LVN_ITEMCHANGING);
            return;
        case NM_RCLICK: {
            POINT p;
            GetCursorPos(&p);
            const TPoint client = ScreenToClient(TPoint{p.x, p.y});
            if (GetItemAt(client.x, client.y)) {
                rightClicked_ = true;
                try {
                    ShowContextMenuAt(client);
                } catch (...) {
                    rightClicked_ = false;
                    throw;
                }
                rightClicked_ = false;
            }
            break;
        }
    }
    Inherited<TCustomListView>(Message);
}

bool TRzCustomListView::LabelEditAllowed(const NMLVDISPINFOW& info) {
    if (ViewStyle() != vsReport || !RowSelect() || rowClickEdits_ || editingCaption_) return true;
    // Row select would start an edit from a click anywhere on the row: only the caption counts.
    if (info.item.iItem < 0 || info.item.iItem >= Items()->Count()) return false;
    POINT p;
    GetCursorPos(&p);
    const TPoint client = ScreenToClient(TPoint{p.x, p.y});
    const TRect label = Items()->Item(info.item.iItem)->DisplayRect(drLabel);
    return PtInRect(&label, POINT{client.x, client.y}) != FALSE;
}

void TRzCustomListView::ItemChangeNotify(TMessage& Message, bool changing) {
    Inherited<TCustomListView>(Message);
    if (!Checkboxes() || InState(csCreating) || (changing && Message.Result)) return;
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
    const UINT image = change.uNewState & LVIS_STATEIMAGEMASK;
    const bool checked = image == INDEXTOSTATEIMAGEMASK(2);
    if (!(change.uChanged & LVIF_STATE) || (!checked && image != INDEXTOSTATEIMAGEMASK(1))) return;
    // A change of the selection or the focus carries the check box's image unchanged: no event.
    if (!((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) return;
    if (change.iItem < 0 || change.iItem >= Items()->Count()) return;
    TListItem* item = Items()->Item(change.iItem);
    if (!changing) {
        ItemCheckChanged(item);
    } else if (!ItemCheckChanging(item, checked)) {
        Message.Result = TRUE;
    }
}

void TRzCustomListView::ItemCheckChanged(TListItem* Item) {
    if (OnItemCheckChanged) OnItemCheckChanged(this, Item);
}

bool TRzCustomListView::ItemCheckChanging(TListItem* Item, bool NewChecked) {
    bool allow = true;
    if (OnItemCheckChanging) OnItemCheckChanging(this, Item, allow, NewChecked);
    return allow;
}

bool TRzCustomListView::IsCustomDrawn(TCustomDrawTarget Target, TCustomDrawStage Stage) {
    // A disabled list shows its items on the disabled colour.
    if (!Enabled() && Target == dtItem && Stage == cdPrePaint) return true;
    return TCustomListView::IsCustomDrawn(Target, Stage);
}

bool TRzCustomListView::CustomDrawItem(TListItem* Item, TCustomDrawState State, TCustomDrawStage Stage) {
    if (!Enabled()) Canvas()->Brush()->SetColor(frame_.DisabledColor);
    return TCustomListView::CustomDrawItem(Item, State, Stage);
}

// ---- info tips

void TRzCustomListView::UpdateInfoTip(TPoint client) {
    if (!OnInfoTip) return;
    TListItem* item = GetItemAt(client.x, client.y);
    if (!item || !ApplicationInForeground()) {
        HideInfoTip();
        return;
    }
    String tip = item->Caption();
    DoInfoTip(item, tip);
    if (!infoTip_) {
        infoTip_ = new THintWindow(this);
        infoTip_->SetColor(clInfoBk);
    }
    infoTip_->SetFont(Font());
    TRect r = infoTip_->CalcHintRect(GetSystemMetrics(SM_CXSCREEN), tip);
    const TRect itemRect = item->DisplayRect(drBounds);
    const TPoint at = ClientToScreen(TPoint{itemRect.left + 5, itemRect.bottom - 3});
    OffsetRect(&r, at.x, at.y);
    // Moved only when it has to be, so that it does not flicker while the mouse moves.
    if (EqualRect(&r, &infoTipRect_) && infoTip_->HandleAllocated() && IsWindowVisible(infoTip_->WindowHandle()))
        return;
    infoTipRect_ = r;
    infoTip_->ActivateHint(r, tip);
}

void TRzCustomListView::HideInfoTip() {
    if (infoTip_ && infoTip_->HandleAllocated()) infoTip_->ReleaseHandle();
    infoTipRect_ = TRect{};
}

// ---- context menus

void TRzCustomListView::ShowPlainPopup(TPoint pos) {
    bool handled = false;
    DoContextPopup(pos, handled);
    if (handled || !PopupMenu() || !PopupMenu()->AutoPopup()) return;
    ShowPopupMenuFor(this, PopupMenu(), ClientToScreen(pos));
    menuHandled_ = true;
}

void TRzCustomListView::ShowContextMenuAt(TPoint pos) {
    if (rightClicked_) {
        ShowItemContextMenu(pos);
        return;
    }
    TListItem* target = ItemFocused();
    if (!target) target = Selected();
    if (!target) {
        ShowPlainPopup(pos);
        return;
    }
    const TRect icon = target->DisplayRect(drIcon);
    ShowItemContextMenu(TPoint{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
}

void TRzCustomListView::ShowItemContextMenu(TPoint pos) {
    TPopupMenu* menu = PopupMenu();
    DoItemContextMenu(ItemFocused(), pos, menu);
    menuHandled_ = true;
    if (menu) ShowPopupMenuFor(this, menu, ClientToScreen(pos));
}

void TRzCustomListView::DoItemContextMenu(TListItem* Item, TPoint& Pos, TPopupMenu*& Menu) {
    if (OnItemContextMenu) OnItemContextMenu(this, Item, Pos, Menu);
}

void TRzCustomListView::WMContextMenu(TMessage& Message) {
    Message.Result = 1;
    // The request that follows a menu shown already (by the key or the click) ends here.
    if (menuHandled_) {
        menuHandled_ = false;
        return;
    }
    if (!Selected() && !ItemFocused()) return;
    const TPoint screen = MessagePoint(Message.LParam);
    if (screen.x == -1 && screen.y == -1)
        ShowContextMenuAt(TPoint{0, 0});
    else
        ShowItemContextMenu(ScreenToClient(screen));
}

void TRzCustomListView::WMRButtonUp(TMessage& Message) {
    if (menuHandled_) {
        // The menu was shown already: the release must not show the popup menu again.
        TPopupMenu* menu = PopupMenu();
        SetPopupMenu(nullptr);
        try {
            Inherited<TCustomListView>(Message);
        } catch (...) {
            SetPopupMenu(menu);
            menuHandled_ = false;
            throw;
        }
        SetPopupMenu(menu);
    } else {
        Inherited<TCustomListView>(Message);
    }
    menuHandled_ = false;
}

// ---- mouse and keys

void TRzCustomListView::KeyDown(Word& Key, TShiftState Shift) {
    if (IsContextMenuKey(Key, Shift)) {
        Key = 0;
        ShowContextMenuAt(TPoint{0, 0});
        return;
    }
    TCustomListView::KeyDown(Key, Shift);
}

void TRzCustomListView::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomListView::MouseMove(Shift, X, Y);
    if (hotSection_ != -1 && ThemesActive() && ViewStyle() == vsReport) {
        hotSection_ = -1;
        if (header_.Attached()) InvalidateRect(header_.Handle(), nullptr, FALSE);
    }
    UpdateInfoTip(TPoint{X, Y});
}

void TRzCustomListView::MouseEnter() {
    TCustomListView::MouseEnter();
    UpdateFrameState(true, true);
    POINT p;
    GetCursorPos(&p);
    UpdateInfoTip(ScreenToClient(TPoint{p.x, p.y}));
}

void TRzCustomListView::MouseLeave() {
    TCustomListView::MouseLeave();
    if (hotSection_ != -1 && ThemesActive() && ViewStyle() == vsReport) {
        hotSection_ = -1;
        if (header_.Attached()) InvalidateRect(header_.Handle(), nullptr, FALSE);
    }
    UpdateFrameState(true, false);
    HideInfoTip();
}

bool TRzCustomListView::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomListView::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    // One step of the wheel moves a fixed number of pixels per line.
    const int line = ViewStyle() == vsIcon ? 32 : 16;
    const int pixels = Mouse->WheelScrollLines() * line;
    Scroll(0, WheelDelta < 0 ? pixels : -pixels);
    return true;
}
