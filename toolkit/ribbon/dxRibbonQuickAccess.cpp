#include "dxRibbonQuickAccess.h"

#include <algorithm>

#include "Bitmap.h"
#include "Canvas.h"
#include "SysObject.h"
#include "Form.h"
#include "cxBitmap.h"
#include "cxGeometry.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarDrawing.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPopupMenu.h"
#include "dxBarUnit.h"
#include "dxBarViewLevels.h"
#include "dxRibbon.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonPainter.h"
#include "dxRibbonQuickAccessAccessibility.h"
#include "dxRibbonViewInfo.h"

namespace {

bool QatIsDestroying(const TComponent* c) { return c && c->ComponentState().Contains(csDestroying); }

// A canvas over a borrowed device context for a scope.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC dc) : canvas_(new TCanvas()), cx_(canvas_) { canvas_->SetHandle(dc); }
    ~TBorrowedCanvas() {
        canvas_->SetHandle(nullptr);
        delete canvas_;
    }
    TcxCanvas* operator->() { return &cx_; }
    TcxCanvas* get() { return &cx_; }

private:
    TCanvas* canvas_;
    TcxCanvas cx_;
};

// The skin state for a mark state: normal draws nothing.
int MarkSkinState(int markState) { return markState == 2 ? 4 : markState == 1 ? 3 : 0; }

}  // namespace

// ---- painters ------------------------------------------------------------------------------

int TdxRibbonQuickAccessPainter::GetMarkWidth() const {
    const int rowHeight = OwnerRibbon() ? OwnerRibbon()->GetGroupRowHeight() : 22;
    return ((rowHeight + 2) / 2) | 1;
}

int TdxRibbonQuickAccessPainter::GetMarkOffset() const {
    TdxCustomRibbon* ribbon = OwnerRibbon();
    TdxCustomRibbonSkin* scheme = ribbon ? ribbon->ColorScheme() : nullptr;
    if (!scheme) return 0;
    TdxRibbonViewInfo* info = ribbon->ViewInfo();
    return scheme->QuickAccessToolbarMarkOffset(info->IsApplicationButtonShown(), info->IsQATBelow());
}

void TdxRibbonQuickAccessPainter::CalcMarkRect(W* window, TRect& rect) const {
    rect = window->ClientRect();
    rect.left = rect.right - GetMarkWidth();
}

void TdxRibbonQuickAccessPainter::DrawMarkBk(W*, HDC dc, const TRect& rect, int state) const {
    const int skinState = MarkSkinState(state);
    if (skinState != 0 && OwnerRibbon()) OwnerRibbon()->DrawSkinPart(dc, rect, PartMarkBackground, skinState);
}

int TdxRibbonQuickAccessPainter::ButtonPartState(bool enabled, bool pressed, bool hot) {
    if (!enabled) return 1;
    if (pressed) return 4;
    return hot ? 2 : 0;
}

void TdxRibbonQuickAccessPainter::DrawGroupButton(HDC dc, const TRect& r, int state, TBitmap* glyph) const {
    TdxCustomRibbon* ribbon = OwnerRibbon();
    if (!ribbon) return;
    ribbon->DrawSkinPart(dc, r, PartGroupButton, state);
    if (!glyph || glyph->Empty()) return;
    TRect insets{};
    ribbon->GetSkinPartContentOffsets(PartGroupButton, insets);
    const TRect area{r.left + insets.left, r.top + insets.top, r.right - insets.right, r.bottom - insets.bottom};
    const int w = std::min(glyph->Width(), std::max(0, RectWidth(area)));
    const int h = std::min(glyph->Height(), std::max(0, RectHeight(area)));
    const int left = area.left + (RectWidth(area) - w) / 2, top = area.top + (RectHeight(area) - h) / 2;
    DrawGlyphForEnabled(dc, TRect{left, top, left + w, top + h}, glyph, state != 1);
}

void TdxRibbonQuickAccessPopupPainter::DrawCustomizeButton(HDC dc, const TRect& r, int state) const {
    TdxCustomRibbon* ribbon = OwnerRibbon();
    if (!ribbon) return;
    if (state != 0) ribbon->DrawSkinPart(dc, r, PartMarkBackground, state);
    ribbon->DrawSkinPart(dc, r, PartMarkContent, state == 3 ? 2 : state);
}

// ---- the toolbar window --------------------------------------------------------------------

void TdxRibbonQuickAccessBarControlViewInfo::Calculate() {
    ClearItems();
    TdxBarItemLinks* links = BarControl()->ItemLinks();
    if (!links) return;
    for (int i = 0; i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        TdxBarItemControl* control = link->Control();
        const TRect r = link->ItemRect();
        if (!control || IsRectEmpty(&r)) continue;
        control->ViewInfo()->SetBounds(r);
        AppendItemViewInfo(control->ViewInfo());
    }
}

TdxRibbonQuickAccessBarControl::TdxRibbonQuickAccessBarControl(TComponent* owner)
    : TdxRibbonCustomBarControl(owner),
      blankItemGlyph_(std::make_unique<TBitmap>(16, 16, pf32bit)),
      menuItemsOwned_(std::make_unique<TComponentList>(true)),
      glassBitmap_(std::make_unique<TcxBitmap>()) {}

TdxRibbonQuickAccessBarControl::~TdxRibbonQuickAccessBarControl() {
    ReleaseAccessibilityHelper(markHelper_);
    if (TdxBarItemLinks* links = ItemLinks()) links->OnChange = nullptr;
    // The menu's links go before the items they show.
    if (customizeMenu_) {
        customizeMenu_->ItemLinks()->Clear();
        FreeObject(customizeMenu_);
        customizeMenu_ = nullptr;
    }
    menuItemsOwned_->Clear();
}

// The toolbar's links stop calling this window before it leaves its toolbar: once it has left,
// ItemLinks() no longer finds them and the destructor could not unhook the change event.
void TdxRibbonQuickAccessBarControl::BeforeDestruction() {
    if (TdxBarItemLinks* links = ItemLinks()) links->OnChange = nullptr;
    TdxRibbonCustomBarControl::BeforeDestruction();
}

const TcxAccessibilityHelperMeta* TdxRibbonQuickAccessBarControl::GetAccessHelperClass() const {
    return TdxRibbonQuickAccessBarControlAccessibilityHelper::StaticClass();
}

IdxBarAccessibilityHelper* TdxRibbonQuickAccessBarControl::ObtainMarkAccessibilityHelper() {
    if (IsDestroying()) return nullptr;
    if (!markHelper_) markHelper_ = new TdxRibbonQuickAccessBarControlMarkAccessibilityHelper(this);
    return markHelper_.get();
}

TdxCustomRibbon* TdxRibbonQuickAccessBarControl::GetRibbon() const {
    auto* dock = As<TdxRibbonQuickAccessDockControl>(DockControl());
    return dock ? dock->Ribbon() : nullptr;
}

TdxBarPainter* TdxRibbonQuickAccessBarControl::GetPainter() const {
    auto* dock = As<TdxRibbonQuickAccessDockControl>(DockControl());
    return dock ? dock->GetPainter() : TdxRibbonCustomBarControl::GetPainter();
}

TdxRibbonQuickAccessPainter* TdxRibbonQuickAccessBarControl::QuickAccessPainter() const {
    return dynamic_cast<TdxRibbonQuickAccessPainter*>(GetPainter());
}

bool TdxRibbonQuickAccessBarControl::HasMark() const {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon) return false;
    return !ribbon->GetEffectivePopupMenuItems().Empty();
}

int TdxRibbonQuickAccessBarControl::GetQuickAccessMarkAreaSize() const {
    TdxRibbonQuickAccessPainter* painter = QuickAccessPainter();
    return HasMark() && painter ? painter->GetMarkSize() : 0;
}

TRect TdxRibbonQuickAccessBarControl::GetMarkRect() const {
    TdxRibbonQuickAccessPainter* painter = QuickAccessPainter();
    if (!HasMark() || !painter) return TRect{};
    TRect r = ClientRect();
    r.left = r.right - painter->GetMarkWidth();
    return r;
}

void TdxRibbonQuickAccessBarControl::SetMarkState(int value) {
    if (markState_ == value) return;
    markState_ = value;
    if (HandleAllocated()) {
        const TRect r = GetMarkRect();
        InvalidateRect(Handle(), &r, FALSE);
    }
}

Byte TdxRibbonQuickAccessBarControl::GetItemViewLevel(TdxBarItemControl* control) const {
    const Byte level = GetLastViewLevel(control->GetPossibleViewLevels());
    return level > ivlControlOnly ? Byte(ivlSmallIcon) : level;
}

int TdxRibbonQuickAccessBarControl::LinkWidth(TdxBarItemLink* link) {
    TdxBarItemControl* control = link->Control();
    if (!control) return 0;
    const int width = control->CalcWidthForViewLevel(TdxBarItemViewLevel(GetItemViewLevel(control)));
    if (width > 0) return width;
    TdxCustomRibbon* ribbon = GetRibbon();
    return ribbon ? ribbon->GetGroupRowHeight() : 22;
}

void TdxRibbonQuickAccessBarControl::CreateParams(TCreateParams& params) {
    TdxRibbonCustomBarControl::CreateParams(params);
    // Always a plain child of its dock: no frame, no caption.
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.ExStyle &= ~DWORD(WS_EX_TOOLWINDOW);
}

int TdxRibbonQuickAccessBarControl::CalcRowSize() {
    TdxCustomRibbon* ribbon = GetRibbon();
    const int rowHeight = ribbon ? ribbon->GetGroupRowHeight() : 22;
    if (!HandleAllocated() && !Visible()) return rowHeight;
    int height = 0;
    TdxBarItemLinks* links = ItemLinks();
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i)
        if (TdxBarItemControl* control = links->GetShownLink(i)->Control())
            height = std::max(height, control->CalcLayoutHeight());
    return std::max(height, rowHeight);
}

void TdxRibbonQuickAccessBarControl::CalcLayout() {
    TdxBarItemLinks* links = ItemLinks();
    itemsCut_ = false;
    if (!links) return;
    links->EmptyLinkRects();
    const TRect margins = GetContentMargins();
    const TRect c = ClientRect();
    const int markArea = GetQuickAccessMarkAreaSize();
    int x = margins.left;
    TdxBarItemLink* last = nullptr;
    for (int i = 0; i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        const int w = LinkWidth(link);
        if (c.right - markArea < x + w) {
            itemsCut_ = true;
            break;
        }
        link->SetItemRect(TRect{x, margins.top, x + w, c.bottom - margins.bottom});
        link->RowHeight = RectHeight(c);
        x += w;
        last = link;
    }
    (void)last;
}

TSize TdxRibbonQuickAccessBarControl::ArrangeItems(int width) {
    if ((!Visible() && !IsPopupWindow()) || windowBeingCreated_) return TSize{0, 0};
    HandleNeeded();
    int w = GetQuickAccessMarkAreaSize();
    int h = CalcRowSize();
    bool fitted = false;
    TdxBarItemLinks* links = ItemLinks();
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        const int lw = LinkWidth(link);
        if (w + lw > width) break;
        w += lw;
        fitted = true;
        if (TdxBarItemControl* control = link->Control()) h = std::max(h, control->CalcLayoutHeight());
    }
    if (HasMark() && !fitted)
        if (TdxRibbonQuickAccessPainter* painter = QuickAccessPainter()) w -= painter->GetMarkOffset();
    const TRect m = GetContentMargins();
    return TSize{w + m.left + m.right, h + m.top + m.bottom};
}

void TdxRibbonQuickAccessBarControl::Rebuild(bool recreate) {
    TCustomdxBarControl::Rebuild(recreate);
    // The ribbon places the window: its layout follows the ribbon's.
    if (TdxCustomRibbon* ribbon = GetRibbon()) {
        if (!QatIsDestroying(ribbon)) ribbon->Changed();
    }
    CalcLayout();
    UpdateViewInfo();
    if (HandleAllocated()) Invalidate();
}

void TdxRibbonQuickAccessBarControl::CreateWnd() {
    windowBeingCreated_ = true;
    try {
        TdxRibbonCustomBarControl::CreateWnd();
    } catch (...) {
        windowBeingCreated_ = false;
        throw;
    }
    windowBeingCreated_ = false;
    DrawBlankItemGlyph();
}

void TdxRibbonQuickAccessBarControl::DrawBlankItemGlyph() {
    TdxCustomRibbon* ribbon = GetRibbon();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, blankItemGlyph_->Handle());
    const TRect r{0, 0, 16, 16};
    FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    if (ribbon && ribbon->ColorScheme()) ribbon->ColorScheme()->DrawQuickAccessToolbarGroupButtonGlyph(dc, r);
    SelectObject(dc, old);
    DeleteDC(dc);
}

bool TdxRibbonQuickAccessBarControl::IsOnGlass() const {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon) return false;
    TdxRibbonViewInfo* info = ribbon->ViewInfo();
    return info->UsesCompositionFrame() && info->IsQATInCaption();
}

void TdxRibbonQuickAccessBarControl::FillBk(HDC dc, const TRect& r, bool, TColor, HBRUSH) {
    TdxCustomRibbon* ribbon = GetRibbon();
    if (!ribbon || !ribbon->ColorScheme()) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    TdxRibbonViewInfo* info = ribbon->ViewInfo();
    if (IsOnGlass()) FillRect(dc, &r, HBRUSH(GetStockObject(BLACK_BRUSH)));
    // The ribbon's background behind the toolbar, in the ribbon's coordinates.
    TPoint origin{};
    const TPoint offset = ribbon->ScreenToClient(ClientToScreen(TPoint{0, 0}));
    OffsetWindowOrgEx(dc, offset.x, offset.y, &origin);
    const int saved = SaveDC(dc);
    TRect clip = r;
    OffsetRect(&clip, offset.x, offset.y);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    TBorrowedCanvas canvas(dc);
    if (info->IsQATInCaption() && ribbon->FormCaptionHelper())
        ribbon->FormCaptionHelper()->DrawCaption(canvas.get(), true);
    else {
        ribbon->Painter()->DrawBackground(canvas.get(), info->Bounds());
        ribbon->Painter()->DrawQuickAccessToolbar(canvas.get(), info->QATBounds(), true);
    }
    RestoreDC(dc, saved);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}

void TdxRibbonQuickAccessBarControl::Paint() {
    HDC dc = Canvas()->Handle();
    // The ribbon's background first: the items are drawn over it (their parts are translucent).
    FillBk(dc, ClientRect(), false, clNone, nullptr);
    DrawItems();
    const TRect mark = GetMarkRect();
    if (!IsRectEmpty(&mark))
        if (TdxRibbonQuickAccessPainter* painter = QuickAccessPainter()) {
            painter->DrawMarkBk(PaintedWindow(), dc, mark, markState_);
            if (TdxCustomRibbon* ribbon = GetRibbon())
                ribbon->DrawSkinPart(dc, mark, TdxRibbonQuickAccessPainter::PartMarkContent,
                                     markState_ == 2 ? 4 : markState_ == 1 ? 2 : 0);
        }
}

void TdxRibbonQuickAccessBarControl::DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r) {
    if (!IsOnGlass()) {
        TdxRibbonCustomBarControl::DrawItemControl(control, canvas, r);
        return;
    }
    // On glass the item is drawn opaque through a bitmap of its own, first filled black.
    glassBitmap_->SetSize(RectWidth(r), RectHeight(r));
    HDC bitmapDC = glassBitmap_->Canvas()->Handle();
    const TRect local{0, 0, RectWidth(r), RectHeight(r)};
    FillRect(bitmapDC, &local, HBRUSH(GetStockObject(BLACK_BRUSH)));
    TPoint origin{};
    SetWindowOrgEx(bitmapDC, r.left, r.top, &origin);
    TBorrowedCanvas bitmapCanvas(bitmapDC);
    control->PaintOn(bitmapCanvas.get(), r, GetItemDrawKind());
    SetWindowOrgEx(bitmapDC, origin.x, origin.y, nullptr);
    glassBitmap_->MakeOpaque();
    BitBlt(canvas->GetCanvasHandle(), r.left, r.top, RectWidth(r), RectHeight(r), bitmapDC, 0, 0, SRCCOPY);
    DrawSelectionFrame(canvas->GetCanvasHandle(), control, r);
}

void TdxRibbonQuickAccessBarControl::HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p,
                                                     TdxBarItemControl* control) {
    const TRect mark = GetMarkRect();
    if (button == mbLeft && !control && PtInRect(&mark, POINT{p.x, p.y})) {
        ShowCustomizeMenu();
        return;
    }
    TdxRibbonCustomBarControl::HandleMouseDown(button, shift, p, control);
}

void TdxRibbonQuickAccessBarControl::AssignItemLinks(TdxBarItemLinks* links) {
    if (TdxBarItemLinks* old = ItemLinks()) old->OnChange = nullptr;
    TdxRibbonCustomBarControl::AssignItemLinks(links);
    // The toolbar's window hears of every added or removed link.
    if (links) links->OnChange = MakeEvent(this, &TdxRibbonQuickAccessBarControl::ItemLinksChanged);
}

void TdxRibbonQuickAccessBarControl::LinksChanged() {
    if (IsDestroying()) return;
    TdxBarItemLinks* links = ItemLinks();
    for (int i = 0; links && i < links->Count(); ++i) {
        TdxBarItemLink* link = links->GetLink(i);
        if (!link->Control() && link->CanBeShown()) link->CreateControl();
    }
    TdxCustomRibbon* ribbon = GetRibbon();
    if (ribbon && !QatIsDestroying(ribbon)) ribbon->Changed();
    if (HandleAllocated()) Invalidate();
}

// ---- the customize menu --------------------------------------------------------------------

TdxBarPopupMenu* TdxRibbonQuickAccessBarControl::CustomizeMenu() {
    if (!customizeMenu_) {
        customizeMenu_ = new TdxBarPopupMenu(nullptr);
        customizeMenu_->SetBarManager(GetManager());
        customizeMenu_->OnCloseUp = MakeEvent(this, &TdxRibbonQuickAccessBarControl::CustomizeMenuClosed);
    }
    return customizeMenu_;
}

void TdxRibbonQuickAccessBarControl::AddQuickCustItems(TdxBarItemLinks* links) {
    TdxBarManager* manager = GetManager();
    links->Clear();
    menuItemsOwned_->Clear();
    auto addInternal = [&](TClass cls) {
        auto* item = static_cast<TdxBarItem*>(cls->Create(manager->Owner()));
        menuItemsOwned_->Add(item);
        manager->InternalItems()->Add(item);
        return item;
    };
    TdxBarItemLinks* own = ItemLinks();
    if (own && own->Count() > 0) {
        auto* separator = static_cast<TdxBarSeparator*>(addInternal(TdxBarSeparator::StaticClass()));
        separator->SetCaption(L"Customize Quick Access Toolbar");
        links->AddItem(separator);
        for (int i = 0; i < own->Count(); ++i) {
            TdxBarItemLink* link = own->GetLink(i);
            auto* entry = static_cast<TdxRibbonQuickAccessPopupSubItemButton*>(
                addInternal(TdxRibbonQuickAccessPopupSubItemButton::StaticClass()));
            entry->SetShownLink(link);
            entry->SetTag(NativeInt(link));
            entry->SetButtonStyle(bsChecked);
            entry->SetDown(link->Visible());
            entry->SetCaption(link->GetEffectiveCaption());
            links->AddItem(entry);
        }
    }
    TdxCustomRibbon* ribbon = GetRibbon();
    if (ribbon) ribbon->QuickAccessToolbar()->FillPopupMenu(links);
}

void TdxRibbonQuickAccessBarControl::ShowCustomizeMenu() {
    if (!HasMark() || !HandleAllocated()) return;
    TdxBarPopupMenu* menu = CustomizeMenu();
    if (menu->IsPopupVisible()) return;
    AddQuickCustItems(menu->ItemLinks());
    SetMarkState(2);
    const TRect mark = GetMarkRect();
    const TPoint bottomLeft = ClientToScreen(TPoint{mark.left, mark.bottom});
    const TPoint topLeft = ClientToScreen(TPoint{mark.left, mark.top});
    const TRect owner{topLeft.x, topLeft.y, topLeft.x + RectWidth(mark), topLeft.y + RectHeight(mark)};
    menu->PopupForOwner(bottomLeft.x, bottomLeft.y, RectWidth(mark), RectHeight(mark), false, &owner, false, this);
}

void TdxRibbonQuickAccessBarControl::CustomizeMenuClosed(TObject*) { SetMarkState(0); }

// ---- check entries -------------------------------------------------------------------------

void TdxRibbonQuickAccessPopupSubItemButton::DirectClick() {
    TdxBarButton::DirectClick();
    TdxBarItemLink* link = shownLink_;
    if (!link) return;
    link->SetVisible(Down());
    if (auto* window = As<TdxRibbonQuickAccessBarControl>(link->GetBarControl())) window->LinksChanged();
}

// ---- registrations -------------------------------------------------------------------------

void RegisterRibbonQuickAccessClasses() {
    RegisterClasses({TdxRibbonQuickAccessGroupButton::StaticClass()});
    RegisterItemControlClass(TdxRibbonQuickAccessGroupButton::StaticClass(),
                             TdxRibbonQuickAccessGroupButtonControl::StaticClass(), false);
    RegisterItemControlClass(TdxRibbonQuickAccessPopupSubItemButton::StaticClass(),
                             TdxRibbonQuickAccessPopupSubItemButtonControl::StaticClass(), false);
}

void UnregisterRibbonQuickAccessClasses() {
    UnregisterItemControlClass(TdxRibbonQuickAccessPopupSubItemButton::StaticClass());
    UnregisterItemControlClass(TdxRibbonQuickAccessGroupButton::StaticClass());
}
