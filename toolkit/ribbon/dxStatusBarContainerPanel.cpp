#include "dxStatusBarContainerPanel.h"

#include <utility>

#include "AssignIfChanged.h"
#include "SysUtils.h"
#include "dxStatusBar.h"

// Sections: the container control · the style.

namespace {

// The bar is being read, destroyed or updated: controls it holds are not freed now.
bool IsStatusBarBusy(TdxCustomStatusBar* bar) {
    if (!bar) return false;
    const TComponentState state = bar->ComponentState();
    return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying) ||
           state.Contains(csUpdating);
}

}  // namespace

// ---- the container control -----------------------------------------------------------------

TdxStatusBarContainerControl::TdxStatusBarContainerControl(TComponent* AOwner) : TcxControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csNoDesignVisible);
    SetTabStop(false);
}

TdxStatusBarContainerControl::~TdxStatusBarContainerControl() {
    if (TdxStatusBarContainerPanelStyle* style = std::exchange(panelStyle_, nullptr)) {
        style->container_ = nullptr;
        if (TdxStatusBarPanel* panel = style->Owner()) panel->SetPanelStyleClass(nullptr);
    }
}

void TdxStatusBarContainerControl::Paint() {
    TcxControl::Paint();
    TdxCustomStatusBar* bar = panelStyle_ ? panelStyle_->StatusBar() : nullptr;
    if (bar)
        bar->Painter()->DrawContainerControl(panelStyle_);
    else
        cxCanvas()->FillRectWithColor(ClientRect(), clBtnFace);
    if (IsDesigning()) {
        // Marks the area on a design surface.
        TCanvas* canvas = Canvas();
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->Brush()->SetColor(clBtnShadow);
        canvas->Brush()->SetStyle(bsBDiagonal);
        canvas->Rectangle(ClientRect());
        canvas->Brush()->SetStyle(bsSolid);
    }
}

// ---- the style -----------------------------------------------------------------------------

TdxStatusBarContainerPanelStyle::TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* owner)
    : TdxStatusBarPanelStyle(owner) {
    TdxCustomStatusBar* bar = StatusBar();
    if (!bar) return;
    const TComponentState state = bar->ComponentState();
    if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csUpdating)) return;
    auto* container = new TdxStatusBarContainerControl(bar->Owner());
    if (bar->IsDesigning() && bar->Owner()) {
        int number = owner->ID();
        while (bar->Owner()->FindComponent(bar->Name() + L"Container" + IntToStr(number))) ++number;
        container->SetName(bar->Name() + L"Container" + IntToStr(number));
    }
    SetContainer(container);
    container->SetParent(bar);
}

TdxStatusBarContainerPanelStyle::~TdxStatusBarContainerPanelStyle() { SetContainer(nullptr); }

void TdxStatusBarContainerPanelStyle::SetAlignControl(bool value) {
    if (AssignIfChanged(alignControl_, value)) Changed();
}

void TdxStatusBarContainerPanelStyle::SetContainer(TdxStatusBarContainerControl* value) {
    if (value == container_) return;
    if (TdxStatusBarContainerControl* old = std::exchange(container_, nullptr)) {
        old->panelStyle_ = nullptr;
        if (!value && !IsStatusBarBusy(StatusBar())) FreeObject(old);
    }
    if (value) {
        if (value->panelStyle_) value->panelStyle_->container_ = nullptr;
        value->panelStyle_ = this;
        container_ = value;
    }
    VisibleChanged();
}

bool TdxStatusBarContainerPanelStyle::CanDelete() const {
    return !(container_ && container_->ComponentState().Contains(csAncestor));
}

void TdxStatusBarContainerPanelStyle::DoAssign(TdxStatusBarPanelStyle* source) {
    TdxStatusBarPanelStyle::DoAssign(source);
    auto* other = As<TdxStatusBarContainerPanelStyle>(source);
    if (!other) return;
    alignControl_ = other->alignControl_;
    TdxCustomStatusBar* bar = StatusBar();
    if (!other->container_ || !bar) return;
    for (int i = 0; i < bar->ControlCount(); ++i)
        if (auto* container = As<TdxStatusBarContainerControl>(bar->Controls(i));
            container && SameText(container->Name(), other->container_->Name())) {
            SetContainer(container);
            return;
        }
}

void TdxStatusBarContainerPanelStyle::DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) {
    TdxStatusBarPanelStyle::DrawContent(canvas, r, painter);
    if (!container_) return;
    TRect content = r;
    if (painter->ClipsSizeGrip()) AdjustContentRect(content);
    container_->SetBoundsRect(content);
    TdxCustomStatusBar* bar = StatusBar();
    if (!alignControl_ || (bar && bar->IsDesigning())) return;
    for (int i = 0; i < container_->ControlCount(); ++i)
        container_->Controls(i)->SetBounds(0, 0, container_->Width(), container_->Height());
}

void TdxStatusBarContainerPanelStyle::RestoreDefaults() {
    alignControl_ = true;
    TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarContainerPanelStyle::VisibleChanged() {
    if (container_ && Owner()) container_->SetVisible(Owner()->Visible());
}
