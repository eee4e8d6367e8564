#include "dxStatusBar.h"

#include <algorithm>

#include "Actions.h"
#include "AssignIfChanged.h"
#include "Form.h"
#include "ImageList.h"
#include "cxEventHandlerCollection.h"
#include "cxRegisteredClasses.h"
#include "dxOffice11.h"
#include "dxStatusBarContainerPanel.h"
#include "dxStatusBarKeyboardStatePanel.h"
#include "dxStatusBarStateIndicatorPanel.h"
#include "dxStatusBarStrs.h"
#include "dxStatusBarTextPanel.h"
#include "dxThemeManager.h"

// Sections: panels · the panel collection · view info · the status bar (life · properties ·
// layout and painting · mouse, hints and messages) · the unit.

namespace {

bool IsLoadingOrReading(TComponent* component) {
    const TComponentState state = component->ComponentState();
    return state.Contains(csLoading) || state.Contains(csReading);
}

// The inside of the client area less the painter's frame: where panels lie.
TRect PanelArea(TdxCustomStatusBar* bar) {
    TRect r = bar->ClientBounds();
    const TRect margins = bar->Painter()->GetBorderMargins(bar);
    return TRect{r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
}

}  // namespace

// ---- panels --------------------------------------------------------------------------------

TdxStatusBarPanel::TdxStatusBarPanel(TCollection* collection) : TCollectionItem(collection) {
    if (TdxCustomStatusBar* bar = StatusBar()) {
        TakeBarBiDiMode();
        if (!IsLoadingOrReading(bar)) SetPanelStyleClass(bar->GetDefaultPanelStyleClass());
    }
    // The collection told the bar of the new item before the panel existed as one.
    Changed(false);
}

TdxStatusBarPanel::~TdxStatusBarPanel() {
    // The style goes with its panel whatever CanDelete says: a destructor cannot refuse.
    TdxStatusBarPanelStyle* style = std::exchange(style_, nullptr);
    delete style;
}

TdxCustomStatusBar* TdxStatusBarPanel::StatusBar() const {
    auto* panels = As<TdxStatusBarPanels>(Collection());
    return panels ? panels->StatusBar() : nullptr;
}

String TdxStatusBarPanel::DisplayName() const { return text_.empty() ? TCollectionItem::DisplayName() : text_; }

void TdxStatusBarPanel::Assign(TPersistent* source) {
    auto* other = As<TdxStatusBarPanel>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    TCollection* panels = Collection();
    if (panels) panels->BeginUpdate();
    try {
        RestoreDefaults();
        SetPanelStyleClass(other->styleClass_);
        if (style_ && other->style_) style_->Assign(other->style_);
        SetVisible(other->visible_);
        SetBevel(other->bevel_);
        SetBiDiMode(other->biDiMode_);
        SetFixed(other->fixed_);
        if (other->minWidthAssigned_) SetMinWidth(other->minWidth_);
        SetParentBiDiMode(other->parentBiDiMode_);
        SetText(other->text_);
        if (other->widthAssigned_) SetWidth(other->width_);
        OnClick = other->OnClick;
        OnDblClick = other->OnDblClick;
        OnDrawPanel = other->OnDrawPanel;
    } catch (...) {
        if (panels) panels->EndUpdate();
        throw;
    }
    if (panels) panels->EndUpdate();
}

void TdxStatusBarPanel::SetPanelStyleClass(TdxStatusBarPanelStyleClass value) {
    if (value == styleClass_) return;
    TdxCustomStatusBar* bar = StatusBar();
    if (bar && !bar->CanAcceptPanelStyle(value)) return;
    DestroyPanelStyle();
    styleClass_ = value;
    CreatePanelStyle();
    // Another style asks for other widths.
    Changed(false);
}

void TdxStatusBarPanel::SetPanelStyleClassName(const String& value) {
    SetPanelStyleClass(FindStatusBarPanelStyleClass(value));
}

void TdxStatusBarPanel::SetPanelStyle(TdxStatusBarPanelStyle* value) {
    if (style_ && value) style_->Assign(value);
}

void TdxStatusBarPanel::CreatePanelStyle() {
    if (styleClass_) style_ = styleClass_->CreateStyle(this);
    if (TdxCustomStatusBar* bar = StatusBar()) bar->Invalidate();
}

void TdxStatusBarPanel::DestroyPanelStyle() {
    if (!style_) return;
    if (TdxCustomStatusBar* bar = StatusBar()) {
        const TComponentState state = bar->ComponentState();
        const bool busy = state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying) ||
                          state.Contains(csUpdating);
        if (!busy && !style_->CanDelete()) throw EdxException(ResolveResourceString(&sdxCannotDeleteAncestorComponent));
    }
    TdxStatusBarPanelStyle* style = std::exchange(style_, nullptr);
    delete style;
}

void TdxStatusBarPanel::SetBevel(TdxStatusBarPanelBevel value) {
    if (AssignIfChanged(bevel_, value)) Changed(false);
}

void TdxStatusBarPanel::SetBiDiMode(TBiDiMode value) {
    parentBiDiMode_ = false;
    if (AssignIfChanged(biDiMode_, value)) Changed(false);
}

void TdxStatusBarPanel::TakeBarBiDiMode() {
    TdxCustomStatusBar* bar = StatusBar();
    if (parentBiDiMode_ && bar) biDiMode_ = bar->BiDiMode();
}

void TdxStatusBarPanel::SetParentBiDiMode(bool value) {
    if (!AssignIfChanged(parentBiDiMode_, value)) return;
    TakeBarBiDiMode();
    Changed(false);
}

bool TdxStatusBarPanel::StyleCanSize() const { return !style_ || style_->CanSize(); }

bool TdxStatusBarPanel::Fixed() const { return StyleCanSize() ? fixed_ : true; }

void TdxStatusBarPanel::SetFixed(bool value) {
    if (AssignIfChanged(fixed_, value)) Changed(false);
}

int TdxStatusBarPanel::MinWidth() { return minWidthAssigned_ && StyleCanSize() ? minWidth_ : GetDefaultMinWidth(); }

void TdxStatusBarPanel::SetMinWidth(int value) {
    minWidth_ = std::max(value, 0);
    minWidthAssigned_ = true;
    if (Width() < minWidth_) SetWidth(minWidth_);
    Changed(false);
}

int TdxStatusBarPanel::Width() { return widthAssigned_ && StyleCanSize() ? width_ : GetDefaultWidth(); }

void TdxStatusBarPanel::SetWidth(int value) {
    width_ = std::max(value, MinWidth());
    widthAssigned_ = true;
    Changed(false);
}

void TdxStatusBarPanel::SetText(const String& value) {
    if (AssignIfChanged(text_, value)) Changed(false);
}

void TdxStatusBarPanel::SetVisible(bool value) {
    if (!AssignIfChanged(visible_, value)) return;
    if (style_) style_->VisibleChanged();
    Changed(false);
}

int TdxStatusBarPanel::GetDefaultMinWidth() { return style_ ? style_->GetMinWidth() : 20; }

int TdxStatusBarPanel::GetDefaultWidth() { return StyleCanSize() ? 50 : GetDefaultMinWidth(); }

int TdxStatusBarPanel::GetCalculatedMinWidth() {
    int width = MinWidth();
    AdjustWidth(width);
    return width;
}

int TdxStatusBarPanel::GetCalculatedWidth() {
    int width = Width();
    AdjustWidth(width);
    return width;
}

void TdxStatusBarPanel::AdjustWidth(int& width) {
    if (!style_) return;
    if (!style_->DrawsOwnBorders()) width += 2;
    TdxCustomStatusBar* bar = StatusBar();
    if (bar && IsLast() && bar->SizeGripVisible()) width += bar->Painter()->GetSizeGripSize().cx;
}

bool TdxStatusBarPanel::IsLast() const { return Collection() && Index() == Collection()->Count() - 1; }

void TdxStatusBarPanel::Click() { FireNotifyEvent(this, OnClick); }

void TdxStatusBarPanel::DblClick() { FireNotifyEvent(this, OnDblClick); }

void TdxStatusBarPanel::RestoreDefaults() {
    if (!visible_) {
        visible_ = true;
        if (style_) style_->VisibleChanged();
    }
    minWidth_ = 20;
    width_ = 50;
    fixed_ = true;
    parentBiDiMode_ = true;
    TakeBarBiDiMode();
    bevel_ = dxpbLowered;
    minWidthAssigned_ = widthAssigned_ = false;
    Changed(false);
}

// ---- the panel collection ------------------------------------------------------------------

TdxStatusBarPanels::TdxStatusBarPanels(TdxCustomStatusBar* owner)
    : TOwnedCollection(owner, TdxStatusBarPanel::StaticClass()), bar_(owner) {}

void TdxStatusBarPanels::Update(TCollectionItem*) {
    if (bar_) bar_->Recalculate();
}

// ---- view info -----------------------------------------------------------------------------

void TdxStatusBarViewInfo::Calculate(const TRect& bounds) {
    panels_.clear();
    widths_.clear();
    sizeGripOverlapped_ = false;
    TdxStatusBarPanels* panels = bar_->Panels();
    for (int i = 0; i < panels->Count(); ++i) {
        // An item still being made is not a panel yet: it is laid out once it is.
        auto* panel = As<TdxStatusBarPanel>(panels->TCollection::Items(i));
        if (panel && panel->Visible()) panels_.push_back(panel);
    }
    const int n = PanelCount();
    if (n == 0) return;

    TcxAutoWidthObject layout(2 * n - 1);
    const int separator = bar_->Painter()->GetPanelSeparatorWidth(bar_);
    bool nonFixedBefore = false;
    for (int i = 0; i < n; ++i) {
        TcxAutoWidthItem* item = layout.NewItem();
        item->MinWidth = panels_[i]->GetCalculatedMinWidth();
        item->Width = panels_[i]->GetCalculatedWidth();
        // When every panel is fixed the last one stretches.
        item->Fixed = panels_[i]->Fixed() && !(i == n - 1 && !nonFixedBefore);
        nonFixedBefore = nonFixedBefore || !item->Fixed;
        if (i == n - 1) break;
        TcxAutoWidthItem* gap = layout.NewItem();
        gap->MinWidth = gap->Width = separator;
        gap->Fixed = true;
    }
    layout.AvailableWidth = bounds.right - bounds.left;
    layout.DistributeWidths();
    sizeGripOverlapped_ = layout.TotalWidth() >= layout.AvailableWidth;
    for (int i = 0; i < layout.ItemCount(); ++i) widths_.push_back(layout.ItemAt(i)->AutoWidth);
}

// ---- the status bar: life ------------------------------------------------------------------

// Virtual operations of a derived bar (its painter, view info, panel class) are asked after
// construction: the painter and the view info are made on first need.
TdxCustomStatusBar::TdxCustomStatusBar(TComponent* AOwner) : TcxControl(AOwner) {
    SetControlStyle(ControlStyle() - csSetCaption + csCaptureMouse + csClickEvents + csOpaque + csDoubleClicks);
    SetTabStop(false);
    SetDoubleBuffered(true);
    imagesLink_ = new TChangeLink;
    imagesLink_->OnChange = MakeEvent(this, &TdxCustomStatusBar::ImagesChanged);
    themeNotificator_ = new TdxThemeChangedNotificator;
    themeNotificator_->OnThemeChanged = MakeEvent(this, &TdxCustomStatusBar::ThemeChanged);
    panels_ = CreatePanels();
    SetColor(clBtnFace);
    SetHeight(20);
    SetAlign(alBottom);
    SetParentFont(false);
    AcquireOffice11ColorTables();
}

TdxCustomStatusBar::~TdxCustomStatusBar() {
    Destroying();
    delete themeNotificator_;
    themeNotificator_ = nullptr;
    SetImages(nullptr);
    delete imagesLink_;
    imagesLink_ = nullptr;
    delete panels_;
    panels_ = nullptr;
    delete viewInfo_;
    viewInfo_ = nullptr;
    ReleaseOffice11ColorTables();
}

TdxStatusBarViewInfo* TdxCustomStatusBar::CreateViewInfo() { return new TdxStatusBarViewInfo(this); }

TdxStatusBarViewInfo* TdxCustomStatusBar::ViewInfo() {
    if (!viewInfo_) viewInfo_ = CreateViewInfo();
    return viewInfo_;
}

TdxStatusBarPanels* TdxCustomStatusBar::CreatePanels() { return new TdxStatusBarPanels(this); }

TClass TdxCustomStatusBar::GetPanelClass() const { return TdxStatusBarPanel::StaticClass(); }

TdxStatusBarPanel* TdxCustomStatusBar::AddPanel() {
    return static_cast<TdxStatusBarPanel*>(GetPanelClass()->CreateInCollection(panels_));
}

TdxStatusBarPanelStyleClass TdxCustomStatusBar::GetDefaultPanelStyleClass() const {
    return TdxStatusBarTextPanelStyle::StaticClass();
}

bool TdxCustomStatusBar::CanAcceptPanelStyle(TdxStatusBarPanelStyleClass styleClass) const {
    return !(styleClass && styleClass->RequiresRibbonStatusBar());
}

void TdxCustomStatusBar::Loaded() {
    TcxControl::Loaded();
    for (int i = 0; i < panels_->Count(); ++i)
        if (TdxStatusBarPanelStyle* style = panels_->Items(i)->PanelStyle()) style->Loaded();
    Calculate();
}

void TdxCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
    TcxControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

// ---- the status bar: properties ------------------------------------------------------------

void TdxCustomStatusBar::SetBorderWidth(int value) {
    if (AssignIfChanged(borderWidth_, std::max(value, 0))) Recalculate();
}

void TdxCustomStatusBar::SetImages(TCustomImageList* value) {
    if (images_ == value) return;
    if (images_) {
        images_->UnRegisterChanges(imagesLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imagesLink_);
        images_->FreeNotification(this);
    }
    Recalculate();
}

void TdxCustomStatusBar::SetPaintStyle(TdxStatusBarPaintStyle value) {
    if (AssignIfChanged(paintStyle_, value)) PainterChanged();
}

void TdxCustomStatusBar::SetSizeGrip(bool value) {
    if (AssignIfChanged(sizeGrip_, value)) Recalculate();
}

void TdxCustomStatusBar::SetBiDiMode(TBiDiMode value) {
    if (AssignIfChanged(biDiMode_, value)) Perform(CM_BIDIMODECHANGED);
}

TdxStatusBarPainterClass TdxCustomStatusBar::Painter() {
    if (!painter_) UpdatePainter();
    return painter_;
}

TdxStatusBarPaintStyle TdxCustomStatusBar::GetPaintStyle() const {
    if (paintStyle_ != dxspsLookAndFeel) return paintStyle_;
    if (LookAndFeel()->NativeStyle() && themeAvailable_) return dxspsThemed;
    switch (LookAndFeel()->Kind()) {
        case lfUltraFlat:
            return dxspsFlat;
        case lfOffice11:
            return dxspsOffice11;
        default:
            return dxspsStandard;
    }
}

TdxStatusBarPainterClass TdxCustomStatusBar::GetPainterClass() {
    switch (GetPaintStyle()) {
        case dxspsFlat:
            return TdxStatusBarFlatPainter::Instance();
        case dxspsThemed:
            if (themeAvailable_) return TdxStatusBarXPPainter::Instance();
            return TdxStatusBarStandardPainter::Instance();
        case dxspsOffice11:
            return TdxStatusBarOffice11Painter::Instance();
        default:
            return TdxStatusBarStandardPainter::Instance();
    }
}

void TdxCustomStatusBar::UpdatePainter() {
    themeAvailable_ = AreThemesAvailable(ThemedTypes({totStatus}));
    painter_ = GetPainterClass();
}

void TdxCustomStatusBar::PainterChanged() {
    UpdatePainter();
    Recalculate();
}

void TdxCustomStatusBar::ThemeChanged() { PainterChanged(); }

void TdxCustomStatusBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { PainterChanged(); }

// ---- the status bar: layout and painting ---------------------------------------------------

// The mended layout: panels are laid out over the area inside the painter's frame, where they
// are drawn, so that the last panel's bevel is not cut off by a frame on the right.
void TdxCustomStatusBar::Calculate() {
    if (panels_) ViewInfo()->Calculate(PanelArea(this));
}

void TdxCustomStatusBar::Recalculate() {
    if (IsDestroying() || !panels_) return;
    Calculate();
    Invalidate();
}

void TdxCustomStatusBar::Resize() {
    TcxObjectLinkGuard self(this);
    TcxControl::Resize();
    if (!self.Alive()) return;
    Calculate();
    Invalidate();
}

bool TdxCustomStatusBar::SizeGripVisible() {
    if (!sizeGrip_) return false;
    TCustomForm* form = GetParentForm();
    if (!form || (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin)) return false;
    if (form->WindowState() != wsNormal) return false;
    const TPoint corner = ClientToParent(TPoint{Width(), Height()}, form);
    return corner.x == form->ClientWidth() && corner.y >= form->ClientHeight();
}

TRect TdxCustomStatusBar::SizeGripHitRect() {
    const TRect r = ClientBounds();
    const TSize grip = Painter()->GetSizeGripSize();
    return TRect{r.right - grip.cx - 2, r.bottom - grip.cy - 2, r.right, r.bottom};
}

TdxStatusBarPanel* TdxCustomStatusBar::GetPanelAt(int x, int y) {
    const TRect area = PanelArea(this);
    TdxStatusBarViewInfo* info = ViewInfo();
    const TPoint p{x, y};
    int left = area.left;
    for (int i = 0; i < info->PanelCount(); ++i) {
        const TRect r{left, area.top, left + info->PanelWidth(i), area.bottom};
        if (PtInRect(&r, p)) return info->Panels(i);
        left = r.right;
        if (i < info->PanelCount() - 1) left += info->SeparatorWidth(i);
    }
    return nullptr;
}

void TdxCustomStatusBar::Paint() {
    TcxCanvas* canvas = cxCanvas();
    TdxStatusBarPainterClass painter = Painter();
    TdxStatusBarViewInfo* info = ViewInfo();
    canvas->PushClipRegion();
    TRect r = ClientBounds();
    painter->DrawBorder(this, canvas, r);
    canvas->IntersectClipWithRect(r);
    const bool overlapped = info->PanelCount() > 0 && info->SizeGripOverlapped();
    const bool grip = SizeGripVisible();
    if (grip && painter->SizeGripFirst()) painter->DrawSizeGrip(this, canvas, r, overlapped);
    if (info->PanelCount() > 0) {
        int left = r.left;
        for (int i = 0; i < info->PanelCount(); ++i) {
            const TRect panelRect{left, r.top, left + info->PanelWidth(i), r.bottom};
            painter->DrawPanel(this, canvas, panelRect, info->Panels(i));
            left = panelRect.right;
            if (i == info->PanelCount() - 1) break;
            const TRect separator{left, r.top, left + info->SeparatorWidth(i), r.bottom};
            painter->DrawPanelSeparator(this, canvas, separator);
            left = separator.right;
        }
    } else {
        painter->DrawEmptyPanel(this, canvas, r);
    }
    if (grip && !painter->SizeGripFirst()) painter->DrawSizeGrip(this, canvas, r, overlapped);
    canvas->PopClipRegion();
}

// ---- the status bar: mouse, hints and messages ---------------------------------------------

void TdxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxObjectLinkGuard self(this);
    TcxControl::MouseDown(Button, Shift, X, Y);
    if (!self.Alive() || Button != mbLeft || !Shift.Contains(ssDouble)) return;
    if (TdxStatusBarPanel* panel = GetPanelAt(X, Y)) panel->DblClick();
}

void TdxCustomStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxObjectLinkGuard self(this);
    TcxControl::MouseUp(Button, Shift, X, Y);
    if (!self.Alive() || Button != mbLeft) return;
    if (TdxStatusBarPanel* panel = GetPanelAt(X, Y)) panel->Click();
}

bool TdxCustomStatusBar::DoHint() {
    if (!OnHint) return false;
    OnHint(this);
    return true;
}

bool TdxCustomStatusBar::ExecuteAction(TBasicAction* Action) {
    TdxStatusBarPanel* hintPanel = nullptr;
    if (!IsDesigning())
        for (int i = 0; i < panels_->Count(); ++i)
            if (auto* text = As<TdxStatusBarTextPanelStyle>(panels_->Items(i)->PanelStyle()); text && text->AutoHint())
                hintPanel = panels_->Items(i);
    auto* hint = As<THintAction>(Action);
    if (hintPanel && hint && !DoHint()) {
        hintPanel->SetText(hint->Hint());
        return true;
    }
    return TcxControl::ExecuteAction(Action);
}

void TdxCustomStatusBar::NotifyFontListeners() {
    TcxObjectLinkGuard self(this);
    TcxControl::NotifyFontListeners();
    if (!self.Alive()) return;
    for (int i = 0; i < panels_->Count(); ++i)
        if (TdxStatusBarPanelStyle* style = panels_->Items(i)->PanelStyle()) style->ParentFontChanged();
    // Widths measured in the old font are out of date.
    Recalculate();
}

void TdxCustomStatusBar::CMBiDiModeChanged(TMessage& Message) {
    Inherited<TcxControl>(Message);
    if (!HandleAllocated()) return;
    for (int i = 0; i < panels_->Count(); ++i) panels_->Items(i)->TakeBarBiDiMode();
    Recalculate();
}

void TdxCustomStatusBar::CMEnabledChanged(TMessage& Message) {
    Inherited<TcxControl>(Message);
    Invalidate();
}

void TdxCustomStatusBar::CMParentFontChanged(TMessage& Message) {
    Inherited<TcxControl>(Message);
    Recalculate();
}

void TdxCustomStatusBar::CMSysColorChange(TMessage& Message) {
    Inherited<TcxControl>(Message);
    RecalcOffice11ColorTables();
    Recalculate();
}

void TdxCustomStatusBar::CMWinIniChange(TMessage& Message) {
    Inherited<TcxControl>(Message);
    Recalculate();
}

void TdxCustomStatusBar::WMNCHitTest(TMessage& Message) {
    Inherited<TcxControl>(Message);
    if (IsDesigning() || !SizeGripVisible()) return;
    const TPoint p = ScreenToClient(MessagePoint(Message.LParam));
    const TRect grip = SizeGripHitRect();
    if (PtInRect(&grip, p)) Message.Result = HTBOTTOMRIGHT;
}

void TdxCustomStatusBar::WMNCLButtonDown(TMessage& Message) {
    TCustomForm* form = Message.WParam == HTBOTTOMRIGHT ? GetParentForm() : nullptr;
    if (form && form->HandleAllocated()) {
        PostMessageW(form->WindowHandle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, Message.LParam);
        Message.Result = 0;
        return;
    }
    Inherited<TcxControl>(Message);
}

// ---- the unit ------------------------------------------------------------------------------

void InitializeStatusBar() {
    TcxRegisteredClasses* styles = GetRegisteredStatusBarPanelStyles();
    styles->AddClass(TdxStatusBarTextPanelStyle::StaticClass(), ResolveResourceString(&sdxTextPanelStyle));
    styles->AddClass(TdxStatusBarContainerPanelStyle::StaticClass(), ResolveResourceString(&sdxContainerPanelStyle));
    styles->AddClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass(),
                     ResolveResourceString(&sdxKeyboardStatePanelStyle));
    styles->AddClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass(),
                     ResolveResourceString(&sdxStateIndicatorPanelStyle));
    RegisterClasses({TdxStatusBarContainerControl::StaticClass()});
}

void FinalizeStatusBar() {
    TcxRegisteredClasses* styles = GetRegisteredStatusBarPanelStyles();
    styles->RemoveClass(TdxStatusBarTextPanelStyle::StaticClass());
    styles->RemoveClass(TdxStatusBarContainerPanelStyle::StaticClass());
    styles->RemoveClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass());
    styles->RemoveClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass());
    FreeRegisteredStatusBarPanelStyles();
}
