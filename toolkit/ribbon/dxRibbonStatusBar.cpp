#include "dxRibbonStatusBar.h"

#include "Filer.h"
#include "Format.h"
#include "Form.h"
#include "cxGraphics.h"
#include "dxBarDrawing.h"

namespace {

TdxCustomRibbonSkin* SchemeOf(TdxCustomStatusBar* bar) {
    auto* ribbonBar = As<TdxRibbonStatusBar>(bar);
    return ribbonBar ? ribbonBar->UsableScheme() : nullptr;
}

}  // namespace

// ---- painter -------------------------------------------------------------------------------

const TdxRibbonStatusBarPainter* TdxRibbonStatusBarPainter::Instance() {
    static const TdxRibbonStatusBarPainter painter;
    return &painter;
}

int TdxRibbonStatusBarPainter::GetPanelSeparatorWidth(TdxCustomStatusBar* bar) const {
    TdxCustomRibbonSkin* scheme = SchemeOf(bar);
    return scheme ? scheme->GetStatusBarSeparatorSize() : 3;
}

void TdxRibbonStatusBarPainter::DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const {
    if (TdxCustomRibbonSkin* scheme = SchemeOf(bar)) {
        scheme->DrawStatusBar(canvas->GetCanvasHandle(), r);
    } else {
        canvas->FrameRectBorders(r, clBtnShadow);
        TRect inner = r;
        InflateRect(&inner, -1, -1);
        canvas->FillRectWithColor(inner, clBtnFace);
    }
    // The panels lie inside the margins, where the bar lays them out.
    const TRect margins = GetBorderMargins(bar);
    r = TRect{r.left + margins.left, r.top + margins.top, r.right - margins.right, r.bottom - margins.bottom};
}

void TdxRibbonStatusBarPainter::DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                                                TdxStatusBarPanelBevel bevel) const {
    if (TdxCustomRibbonSkin* scheme = SchemeOf(bar))
        scheme->DrawStatusBarPanel(canvas->GetCanvasHandle(), r, r, bevel != dxpbRaised);
}

void TdxRibbonStatusBarPainter::DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const {
    if (TdxCustomRibbonSkin* scheme = SchemeOf(bar))
        scheme->DrawStatusBarPanelSeparator(canvas->GetCanvasHandle(), r);
    else
        canvas->FillRectWithColor(r, clBtnShadow);
}

void TdxRibbonStatusBarPainter::DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                                             bool overlapped) const {
    TdxCustomRibbonSkin* scheme = SchemeOf(bar);
    if (!scheme) {
        const TSize size = GetSizeGripSize();
        TRect grip{r.right - size.cx, r.bottom - size.cy, r.right, r.bottom};
        canvas->FillRectWithColor(grip, clBtnFace);
        DrawSizeGripTransparent(canvas->GetCanvasHandle(), grip);
        canvas->ExcludeRectFromClip(grip);
        return;
    }
    HDC dc = canvas->GetCanvasHandle();
    TRect grip{r.right - GetSizeGripSize().cx, r.top, r.right, r.bottom};
    scheme->DrawStatusBarSizeGripBackground(dc, grip);
    scheme->DrawStatusBarSizeGrip(dc, TRect{grip.left, grip.top, grip.right + (overlapped ? 2 : 1), grip.bottom - 3});
    // A raised last panel needs no separator before the grip: it keeps 3 more pixels.
    auto* ribbonBar = As<TdxRibbonStatusBar>(bar);
    if (ribbonBar && !ribbonBar->NeedSizeGripSeparator()) grip.left += 3;
    canvas->ExcludeRectFromClip(grip);
}

TdxStatusBarPanelBevel TdxRibbonStatusBarPainter::GetPanelBevel(TdxStatusBarPanel* panel) const {
    return panel ? panel->Bevel() : dxpbNone;
}

// ---- the ribbon status bar -----------------------------------------------------------------

TdxRibbonStatusBar::TdxRibbonStatusBar(TComponent* AOwner)
    : TdxCustomStatusBar(TdxCustomRibbon::CheckedRibbonOwner(AOwner, StaticClass())) {
    Font()->SetColor(clDefault);
    SetHeight(23);
    PainterChanged();
}

TdxRibbonStatusBar::~TdxRibbonStatusBar() { LeaveRibbon(); }

void TdxRibbonStatusBar::BeforeDestruction() {
    LeaveRibbon();
    TdxCustomStatusBar::BeforeDestruction();
}

void TdxRibbonStatusBar::LeaveRibbon() {
    if (!ribbon_) return;
    if (!ribbon_->IsDestroying()) {
        ribbon_->RemoveFreeNotification(this);
        ribbon_->ColorSchemeListeners()->RemoveHandler(MakeEvent(this, &TdxRibbonStatusBar::ColorSchemeChanged));
        ribbon_->UnregisterPart(this);
    }
    ribbon_ = nullptr;
}

TdxCustomRibbonSkin* TdxRibbonStatusBar::UsableScheme() const {
    return ribbon_ && !ribbon_->IsDestroying() ? ribbon_->ColorScheme() : nullptr;
}

void TdxRibbonStatusBar::SetRibbon(TdxCustomRibbon* value) {
    if (value == ribbon_) return;
    LeaveRibbon();
    ribbon_ = value;
    if (ribbon_) {
        ribbon_->FreeNotification(this);
        ribbon_->ColorSchemeListeners()->AddHandler(MakeEvent(this, &TdxRibbonStatusBar::ColorSchemeChanged));
        ribbon_->RegisterPart(this);
    }
    SetBounds(Left(), Top(), Width(), Height());
    PainterChanged();
}

void TdxRibbonStatusBar::SetStoredColor(TColor value) {
    storedColor_ = value;
    if (value != clDefault) SetColor(value);
    PainterChanged();
}

void TdxRibbonStatusBar::ColorSchemeChanged(TObject*, const void*) { PainterChanged(); }

void TdxRibbonStatusBar::PainterChanged() {
    if (TdxCustomRibbonSkin* scheme = UsableScheme(); scheme && storedColor_ == clDefault)
        SetColor(scheme->PartColor(10018, 0));
    TdxCustomStatusBar::PainterChanged();
}

void TdxRibbonStatusBar::AdjustTextColor(TColor& color, bool active) {
    if (TdxCustomRibbonSkin* scheme = UsableScheme())
        color = scheme->PartColor(10138, active ? 0 : 1);
    else
        color = Font()->Color();
}

TdxStatusBarViewInfo* TdxRibbonStatusBar::CreateViewInfo() { return new TdxRibbonStatusBarViewInfo(this); }

void TdxRibbonStatusBar::Calculate() {
    TdxCustomStatusBar::Calculate();
    rightRaised_ = SizeGripVisible();
    TdxStatusBarPanel* first = nullptr;
    TdxStatusBarPanel* last = nullptr;
    for (int i = 0; i < Panels()->Count(); ++i) {
        TdxStatusBarPanel* panel = Panels()->Items(i);
        if (!panel->Visible()) continue;
        if (!first) first = panel;
        last = panel;
    }
    leftRaised_ = first && first->Bevel() == dxpbRaised;
    needSizeGripSeparator_ = Panels()->Count() == 0 || !last || last->Bevel() != dxpbRaised;
}

void TdxRibbonStatusBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TdxCustomStatusBar::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, GetMinHeight()));
    if (Panels()) Calculate();
}

void TdxRibbonStatusBar::SetParent(TWinControl* AParent) {
    if (AParent) {
        TCustomForm* form = As<TCustomForm>(AParent);
        if (!form) form = AParent->GetParentForm();
        if (!form) throw EdxException(Format(L"%s should have TCustomForm as its Parent", {ClassName()}));
    }
    TdxCustomStatusBar::SetParent(AParent);
    // Below every other control aligned to the bottom.
    if (AParent) SetTop(32000);
}

bool TdxRibbonStatusBar::IsOnForm(TCustomForm* form) { return Visible() && Owner() == form; }

void TdxRibbonStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
    TdxCustomStatusBar::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == ribbon_) {
        // The ribbon is going: it forgets its listeners and parts itself.
        ribbon_ = nullptr;
        PainterChanged();
    }
}

void TdxRibbonStatusBar::CMVisibleChanged(TMessage& Message) {
    Inherited<TdxCustomStatusBar>(Message);
    auto* form = As<TCustomForm>(Owner());
    if (!UsableScheme() || !form || !form->HandleAllocated() || !form->Visible()) return;
    SetWindowPos(form->Handle(), nullptr, 0, 0, form->Width(), form->Height(),
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// ---- the unit ------------------------------------------------------------------------------

void InitializedxRibbonStatusBar() { RegisterClass(TdxRibbonStatusBar::StaticClass()); }

void FinalizedxRibbonStatusBar() { UnRegisterClass(TdxRibbonStatusBar::StaticClass()); }
