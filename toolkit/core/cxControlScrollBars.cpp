#include "cxControlScrollBars.h"

#include <algorithm>
#include <utility>

#include "Application.h"
#include "MessageWindow.h"
#include "cxControl.h"
#include "cxWindowHelpers.h"

// Sections: the control's scroll bar · the size grip · the settings controller · TcxControl's
// scroll bars (creation, the data a derived control reports, recalculation, placement,
// scrolling, metrics).

// ---- the control's scroll bar --------------------------------------------------------------

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
    SetControlStyle(ControlStyle() - csFramed + csNoDesignVisible);
    SetTabStop(false);
    SetVisible(false);
    SetColor(clBtnFace);
}

void TcxControlScrollBar::WMLButtonDown(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    if (auto* control = As<TcxControl>(Parent())) {
        if (control->FocusOnScrollBarClick()) control->SetFocus();
    } else if (Parent() && Parent()->CanFocus()) {
        Parent()->SetFocus();
    }
    if (self.Alive()) Inherited<TcxScrollBar>(Message);
}

// ---- the size grip -------------------------------------------------------------------------

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner), lookAndFeel_(new TcxLookAndFeel(this)) {
    SetControlStyle(ControlStyle() + csNoDesignVisible);
    SetColor(clBtnFace);
    lookAndFeel_->OnChanged = MakeEvent(this, &TcxSizeGrip::LookAndFeelChanged);
}

TcxSizeGrip::~TcxSizeGrip() {
    if (HandleAllocated()) DestroyHandle();
    delete lookAndFeel_;
}

void TcxSizeGrip::Paint() {
    TRect r = ClientRect();
    Canvas()->Brush()->SetColor(lookAndFeel_->ActivePainter()->FormContentColor());
    Canvas()->FillRect(r);
}

// ---- the settings controller ---------------------------------------------------------------

namespace {
TcxSettingsController* settingsController = nullptr;
}

TcxSettingsController* SettingsController() {
    if (!settingsController && !IsToolkitControlsFinalizing()) settingsController = new TcxSettingsController;
    return settingsController;
}

void FreeSettingsController() { FreeAndNil(settingsController); }

TcxSettingsController::~TcxSettingsController() {
    if (window_) DeallocateHWnd(window_);
}

void TcxSettingsController::AddListener(TcxControl* control) {
    if (std::find(listeners_.begin(), listeners_.end(), control) != listeners_.end()) return;
    listeners_.push_back(control);
    if (!window_) window_ = AllocateHWnd(MakeEvent(this, &TcxSettingsController::WndProc));
}

void TcxSettingsController::RemoveListener(TcxControl* control) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), control), listeners_.end());
    if (listeners_.empty() && window_) {
        DeallocateHWnd(window_);
        window_ = nullptr;
    }
}

void TcxSettingsController::WndProc(TMessage& Message) {
    try {
        if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
            for (TcxControl* control : std::vector<TcxControl*>(listeners_))
                if (control->HandleAllocated())
                    SendNotifyMessageW(control->WindowHandle(), CM_SCROLLBARMETRICSCHANGED, 0, 0);
            Message.Result = 0;
        } else {
            Message.Result = DefWindowProcW(window_, Message.Msg, Message.WParam, Message.LParam);
        }
    } catch (...) {
        if (Application) Application->HandleException(this, std::current_exception());
    }
}

// ---- TcxControl: creation ------------------------------------------------------------------

void TcxControl::CreateScrollBars() {
    if (hScrollBar_) return;
    hScrollBar_ = new TcxControlScrollBar(nullptr);
    vScrollBar_ = new TcxControlScrollBar(nullptr);
    vScrollBar_->SetKind(sbVertical);
    vScrollBar_->SetWidth(GetSystemMetrics(SM_CXVSCROLL));
    sizeGrip_ = new TcxSizeGrip(nullptr);
    for (TcxControlScrollBar* bar : {hScrollBar_, vScrollBar_}) {
        bar->OnScroll = MakeEvent(this, &TcxControl::ScrollBarScrolled);
        bar->SetControlStyle(bar->ControlStyle() + csReplicatable);
        bar->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
    }
    sizeGrip_->SetControlStyle(sizeGrip_->ControlStyle() + csReplicatable);
    sizeGrip_->SetVisible(false);
    sizeGrip_->LookAndFeel()->SetMasterLookAndFeel(lookAndFeel_);
    if (TcxSettingsController* controller = SettingsController()) controller->AddListener(this);
}

void TcxControl::DestroyScrollBars() {
    if (!hScrollBar_) return;
    if (settingsController) settingsController->RemoveListener(this);
    FreeAndNil(sizeGrip_);
    FreeAndNil(vScrollBar_);
    FreeAndNil(hScrollBar_);
}

void TcxControl::AttachScrollBars() {
    if (!hScrollBar_) return;
    hScrollBar_->SetParent(this);
    vScrollBar_->SetParent(this);
    sizeGrip_->SetParent(this);
}

void TcxControl::SetScrollBars(TScrollStyle value) {
    if (scrollBars_ == value) return;
    scrollBars_ = value;
    RecalcScrollBars();
}

bool TcxControl::IsOwnScrollControl(TControl* control) const {
    return control && (control == hScrollBar_ || control == vScrollBar_ || control == sizeGrip_);
}

void TcxControl::ScrollBarScrolled(TObject* sender, TScrollCode code, int& position) {
    ScrollContent(static_cast<TcxScrollBar*>(sender)->Kind(), code, position);
}

// ---- TcxControl: what a derived control reports --------------------------------------------

bool TcxControl::IsHScrollBarVisible() const {
    if (!hScrollBar_) return false;
    return calculatingScrollBarParams_ ? hScrollBar_->Data().Visible : hScrollBar_->Visible();
}

bool TcxControl::IsVScrollBarVisible() const {
    if (!vScrollBar_) return false;
    return calculatingScrollBarParams_ ? vScrollBar_->Data().Visible : vScrollBar_->Visible();
}

void TcxControl::SetScrollBarInfo(TScrollBarKind kind, int min, int max, int smallChange, int pageSize, int position,
                                  bool allowShow, bool allowHide) {
    TcxControlScrollBar* bar = kind == sbHorizontal ? hScrollBar_ : vScrollBar_;
    if (!bar) return;
    TcxScrollBarData& data = bar->Data();
    const TScrollStyle shown = kind == sbHorizontal ? ssHorizontal : ssVertical;
    data.AllowShow = allowShow && (scrollBars_ == shown || scrollBars_ == ssBoth);
    data.AllowHide = allowHide;
    if (!data.AllowShow) {
        data.Visible = false;
        return;
    }
    if (min <= max && pageSize < max - min + 1 && position >= min) {
        data.Min = min;
        data.Max = max;
        data.PageSize = pageSize;
        data.Position = position;
        data.SmallChange = SmallInt(smallChange);
        data.LargeChange = SmallInt(pageSize);
        data.Enabled = true;
        data.Visible = true;
    } else if (allowHide) {
        data.Visible = false;
    } else {
        data.Visible = true;
        data.Enabled = false;
    }
}

// ---- TcxControl: recalculation -------------------------------------------------------------

namespace {

// A derived control whose reported needs flip with every pass would keep the calculation going
// for ever; a content that settles does so within the four combinations of two bars.
constexpr int kMaxScrollBarCalculationPasses = 8;

}  // namespace

void TcxControl::CalculateScrollBarsParams() {
    if (calculatingScrollBarParams_) return;
    calculatingScrollBarParams_ = true;
    try {
        hScrollBar_->Data().Visible = false;
        vScrollBar_->Data().Visible = false;
        bool settled = false;
        bool hBefore = false, vBefore = false;
        for (int pass = 0; pass < kMaxScrollBarCalculationPasses && !settled; ++pass) {
            hBefore = hScrollBar_->Data().Visible;
            vBefore = vScrollBar_->Data().Visible;
            CalculateScrollBarParams();
            settled = hScrollBar_->Data().Visible == hBefore && vScrollBar_->Data().Visible == vBefore;
        }
        if (!settled) {
            // The content needs a bar exactly while it is hidden: the bar that keeps flipping
            // stays, disabled.
            for (auto [bar, before] : {std::pair{hScrollBar_, hBefore}, std::pair{vScrollBar_, vBefore}}) {
                if (bar->Data().Visible == before) continue;
                bar->Data().Visible = true;
                bar->Data().Enabled = false;
            }
        }
        // Both bars shown only because each takes room from the other: with TracksScrollEnd, a
        // page that grows by the other bar's thickness shows the whole content, so both go.
        const TcxScrollBarData& hd = hScrollBar_->Data();
        const TcxScrollBarData& vd = vScrollBar_->Data();
        if (hd.Visible && hd.Enabled && hd.AllowHide && vd.Visible && vd.Enabled && vd.AllowHide &&
            TracksScrollEnd(sbHorizontal) && TracksScrollEnd(sbVertical) &&
            hd.PageSize + vScrollBar_->Width() >= hd.Max - hd.Min + 1 &&
            vd.PageSize + hScrollBar_->Height() >= vd.Max - vd.Min + 1) {
            const TcxScrollBarData h = hd, v = vd;
            SetScrollBarInfo(sbHorizontal, h.Min, h.Max, h.SmallChange, h.PageSize + vScrollBar_->Width(), h.Position,
                             h.AllowShow, h.AllowHide);
            SetScrollBarInfo(sbVertical, v.Min, v.Max, v.SmallChange, v.PageSize + hScrollBar_->Height(), v.Position,
                             v.AllowShow, v.AllowHide);
        }
    } catch (...) {
        calculatingScrollBarParams_ = false;
        throw;
    }
    calculatingScrollBarParams_ = false;
}

void TcxControl::ApplyScrollBarData(TcxControlScrollBar* bar) {
    const TcxScrollBarData& data = bar->Data();
    if (data.Visible) {
        bar->SetScrollParams(data.Min, data.Max, data.Position, data.PageSize);
        bar->SetSmallChange(data.SmallChange);
        bar->SetLargeChange(data.LargeChange);
    }
    bar->SetEnabled(data.Enabled);
    if (bar->Visible() != data.Visible) bar->SetVisible(data.Visible);
}

void TcxControl::RecalcScrollBars() {
    if (!hScrollBar_ || IsDestroying()) return;
    if (scrollBarsLockCount_ > 0) {
        scrollBarsUpdateNeeded_ = true;
        return;
    }
    const bool outermost = !updatingScrollBars_;
    if (outermost) {
        initialHScrollBarVisible_ = hScrollBar_->Visible();
        initialVScrollBarVisible_ = vScrollBar_->Visible();
    }
    updatingScrollBars_ = true;
    TcxObjectLinkGuard self(this);
    auto restore = [&] {
        if (!self.Alive()) return;
        updatingScrollBars_ = !outermost;
        if (outermost) initialScrollBarsParams_ = false;
    };
    try {
        const bool hBefore = hScrollBar_->Visible(), vBefore = vScrollBar_->Visible();
        if (!initialScrollBarsParams_) {
            CalculateScrollBarsParams();
            if (!outermost && hScrollBar_->Data().Visible == initialHScrollBarVisible_ &&
                vScrollBar_->Data().Visible == initialVScrollBarVisible_) {
                // Back where the update began: showing a bar made it unneeded. Keep the bars that
                // came up, disabled, and stop here.
                initialScrollBarsParams_ = true;
                if (hScrollBar_->Visible() != initialHScrollBarVisible_) {
                    hScrollBar_->SetVisible(true);
                    hScrollBar_->SetEnabled(false);
                }
                if (vScrollBar_->Visible() != initialVScrollBarVisible_) {
                    vScrollBar_->SetVisible(true);
                    vScrollBar_->SetEnabled(false);
                }
            } else {
                ApplyScrollBarData(hScrollBar_);
                ApplyScrollBarData(vScrollBar_);
            }
        }
        if (hScrollBar_->Visible() != hBefore || vScrollBar_->Visible() != vBefore) {
            HandleBoundsChanged();  // the client area changed: a nested update
        } else if (self.Alive()) {
            sizeGrip_->SetVisible(hScrollBar_->Visible() && vScrollBar_->Visible());
            PlaceScrollBars();
            if (KeepsScrollBarsOnTop()) BringScrollBarsToFront();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TcxControl::UnlockScrollBars() {
    if (scrollBarsLockCount_ == 0) return;
    if (--scrollBarsLockCount_ == 0 && scrollBarsUpdateNeeded_) {
        scrollBarsUpdateNeeded_ = false;
        RecalcScrollBars();
    }
}

// ---- TcxControl: placement -----------------------------------------------------------------

TRect TcxControl::HScrollBarBounds() const {
    const TRect r = ClientBounds();
    return TRect{r.left, r.bottom, r.right, r.bottom + (hScrollBar_ ? hScrollBar_->Height() : 0)};
}

TRect TcxControl::VScrollBarBounds() const {
    const TRect r = ClientBounds();
    return TRect{r.right, r.top, r.right + (vScrollBar_ ? vScrollBar_->Width() : 0), r.bottom};
}

TRect TcxControl::SizeGripBounds() const {
    const TRect h = HScrollBarBounds(), v = VScrollBarBounds();
    return TRect{v.left, h.top, v.right, h.bottom};
}

void TcxControl::PlaceScrollBars() {
    if (!hScrollBar_) return;
    if (hScrollBar_->Visible()) hScrollBar_->SetBoundsRect(HScrollBarBounds());
    if (vScrollBar_->Visible()) vScrollBar_->SetBoundsRect(VScrollBarBounds());
    if (sizeGrip_->Visible()) sizeGrip_->SetBoundsRect(SizeGripBounds());
}

void TcxControl::BringScrollBarsToFront() {
    if (!hScrollBar_) return;
    hScrollBar_->BringToFront();
    vScrollBar_->BringToFront();
    sizeGrip_->BringToFront();
}

void TcxControl::RefreshScrollBarStates() {
    if (!hScrollBar_) return;
    if (hScrollBar_->Visible()) hScrollBar_->RefreshState();
    if (vScrollBar_->Visible()) vScrollBar_->RefreshState();
    if (sizeGrip_->Visible()) sizeGrip_->RefreshState();
}

// ---- TcxControl: scrolling and metrics -----------------------------------------------------

void TcxControl::ScrollInDirection(TcxScrollDirection direction) {
    if (direction == dirNone) return;
    if (!hScrollBar_ && !HandlesExternalScroll(direction)) return;
    const TScrollBarKind kind = (direction == dirLeft || direction == dirRight) ? sbHorizontal : sbVertical;
    const TScrollCode code = (direction == dirLeft || direction == dirUp) ? scLineUp : scLineDown;
    TcxControlScrollBar* bar = kind == sbHorizontal ? hScrollBar_ : vScrollBar_;
    int position = bar ? bar->Position() : 0;
    TcxObjectLinkGuard self(this);
    ScrollContent(kind, code, position);
    if (self.Alive()) Update();
}

void TcxControl::CMScrollBarMetricsChanged(TMessage&) {
    if (!hScrollBar_) return;
    const int height = GetSystemMetrics(SM_CYHSCROLL), width = GetSystemMetrics(SM_CXVSCROLL);
    if (hScrollBar_->Height() == height && vScrollBar_->Width() == width) return;
    hScrollBar_->SetHeight(height);
    vScrollBar_->SetWidth(width);
    HandleBoundsChanged();
}
