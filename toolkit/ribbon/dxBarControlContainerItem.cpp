#include "dxBarControlContainerItem.h"

#include <algorithm>
#include <vector>

#include "WinControl.h"
#include "cxGraphics.h"
#include "dxBarCanvas.h"
#include "dxBarDrawing.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarStatic.h"
#include "dxBarStrs.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"

namespace {

TColor BrushColor(HBRUSH brush) {
    // A brush may be a system colour index + 1, as FillRect takes them.
    const INT_PTR value = INT_PTR(brush);
    if (value > 0 && value <= COLOR_MENUBAR + 1) return TColor(GetSysColor(int(value - 1)));
    LOGBRUSH logBrush{};
    if (brush && GetObjectW(brush, sizeof(logBrush), &logBrush) == sizeof(logBrush)) return TColor(logBrush.lbColor);
    return TColor(GetSysColor(COLOR_BTNFACE));
}

String WithoutAmpersands(const String& text) {
    String result;
    for (wchar_t c : text)
        if (c != L'&') result += c;
    return result;
}

}  // namespace

// ---- TPlaceForm ----------------------------------------------------------------------------

TPlaceForm::TPlaceForm() : TCustomForm(nullptr, CreateNew) { SetBorderStyle(bsNone); }

void TPlaceForm::WMEraseBkgnd(TMessage& message) {
    HDC dc = HDC(message.WParam);
    TRect rect = ClientRect();
    TdxBarItemControl* control = BarItemControl;
    TCustomdxBarControl* bar = control ? control->BarControl() : nullptr;
    TdxBarPainter* painter = control ? control->GetPainter() : nullptr;
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(Color())));
    if (bar && painter && bar->HandleAllocated()) {
        // The bar's background under the item, as if the form were not there.
        TPoint previousOrigin{}, offset{};
        ShiftWindowOrgToParent(this, bar, dc, previousOrigin, offset, rect);
        TdxBarCanvas canvas;
        canvas.BeginDraw(dc);
        try {
            painter->FillBkUnderItem(control->DrawParams(), &canvas, rect, brush);
        } catch (...) {
            canvas.EndDraw();
            RestoreWindowOrg(dc, previousOrigin);
            DeleteObject(brush);
            throw;
        }
        canvas.EndDraw();
        RestoreWindowOrg(dc, previousOrigin);
    } else {
        FillRect(dc, &rect, brush);
    }
    DeleteObject(brush);
    message.Result = 1;
}

// ---- TdxBarControlContainerItem ------------------------------------------------------------

TdxBarControlContainerItem::TdxBarControlContainerItem(TComponent* owner) : TdxBarItem(owner) {
    placeForm_ = new TPlaceForm;
}

TdxBarControlContainerItem::~TdxBarControlContainerItem() {
    SetControl(nullptr);
    delete placeForm_;
    placeForm_ = nullptr;
}

void TdxBarControlContainerItem::SetControl(TControl* value) {
    if (value == control_) return;
    if (value) {
        if (TdxBarManager* manager = BarManager())
            for (int i = 0; i < manager->GetItemCount(); ++i) {
                auto* other = As<TdxBarControlContainerItem>(manager->GetItemByIndex(i));
                if (other && other != this && other->Control() == value)
                    throw EdxException(BarString(dxSBAR_CANTASSIGNCONTROL));
            }
    }
    if (control_) {
        UnhookControl();
        TdxBarManager* manager = BarManager();
        const bool designing = manager && manager->IsBarManagerDesigning();
        if (!control_->ComponentState().Contains(csDestroying) && !designing) control_->SetParent(nullptr);
        control_->RemoveFreeNotification(this);
    }
    control_ = value;
    if (control_) {
        control_->FreeNotification(this);
        HookControl();
        lastWidth_ = control_->Width();
        lastHeight_ = control_->Height();
    } else if (placeForm_) {
        placeForm_->Hide();
    }
    RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarControlContainerItem::HookControl() {
    savedWindowProc_ = control_->WindowProc();
    control_->SetWindowProc(MakeEvent(this, &TdxBarControlContainerItem::ControlWndProc));
}

void TdxBarControlContainerItem::UnhookControl() {
    if (savedWindowProc_) control_->SetWindowProc(savedWindowProc_);
    savedWindowProc_ = TWndMethod();
}

void TdxBarControlContainerItem::ControlWndProc(TMessage& message) {
    if (message.Msg == CM_RECREATEWND) {
        TControl* control = control_;
        control->SetWindowProc(savedWindowProc_);
        try {
            control->WindowProc()(message);
        } catch (...) {
            savedWindowProc_ = control->WindowProc();
            control->SetWindowProc(MakeEvent(this, &TdxBarControlContainerItem::ControlWndProc));
            throw;
        }
        savedWindowProc_ = control->WindowProc();
        control->SetWindowProc(MakeEvent(this, &TdxBarControlContainerItem::ControlWndProc));
        return;
    }
    savedWindowProc_(message);
    if (!control_ || AnyControlPlacing()) return;
    const bool resized = message.Msg == WM_SIZE || (message.Msg == WM_WINDOWPOSCHANGED && message.LParam == 0);
    if (!resized || (control_->Width() == lastWidth_ && control_->Height() == lastHeight_)) return;
    lastWidth_ = control_->Width();
    lastHeight_ = control_->Height();
    RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarControlContainerItem::Notification(TComponent* component, TOperation operation) {
    TdxBarItem::Notification(component, operation);
    if (operation == opRemove && component == control_) {
        // The control is going: its window procedure is no business of ours any more.
        savedWindowProc_ = TWndMethod();
        control_ = nullptr;
        if (placeForm_) placeForm_->Hide();
        RecalcLinkBars(dxBarAllControlKinds);
    }
}

void TdxBarControlContainerItem::SetName(const String& name) {
    TdxBarItem::SetName(name);
    // Without a control the item shows its name.
    if (!control_ && !IsLoading()) RecalcLinkBars(dxBarAllControlKinds);
}

bool TdxBarControlContainerItem::CanShowLink(TdxBarItemLink* link) const {
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    return control && control->BarControl() && control->BarControl()->GetBarControlKind() == bckQuickCustomization;
}

bool TdxBarControlContainerItem::AnyControlPlacing() const {
    for (int i = 0; i < GetLinkCount(); ++i)
        if (auto* control = dynamic_cast<TdxBarControlContainerControl*>(GetLink(i)->Control()))
            if (control->Placing()) return true;
    return false;
}

void TdxBarControlContainerItem::HideControlWindow(TdxBarItemControl* control) {
    auto* container = dynamic_cast<TdxBarControlContainerControl*>(control);
    if (!container || !container->MayPlace() || !placeForm_) return;
    placeForm_->Hide();
    placeForm_->SetEnabled(false);
    placeForm_->SetParentWindow(nullptr);
    placeForm_->SetEnabled(true);
    if (placeForm_->BarItemControl == control) placeForm_->BarItemControl = nullptr;
}

void TdxBarControlContainerItem::RecalcLinkBars(TdxBarControlKinds kinds) { UpdateBarsShowingItem(this, kinds); }

// ---- TdxBarControlContainerControl ---------------------------------------------------------

TdxBarControlContainerControl::~TdxBarControlContainerControl() {
    if (TdxBarControlContainerItem* item = ContainerItem()) {
        item->HideControlWindow(this);
        if (item->PlaceForm() && item->PlaceForm()->BarItemControl == this) item->PlaceForm()->BarItemControl = nullptr;
    }
}

TdxBarControlContainerItem* TdxBarControlContainerControl::ContainerItem() const {
    return As<TdxBarControlContainerItem>(Item());
}

bool TdxBarControlContainerControl::InQuickCustomization() const {
    return BarControl() && BarControl()->GetBarControlKind() == bckQuickCustomization;
}

bool TdxBarControlContainerControl::MayPlace() const {
    TdxBarControlContainerItem* item = ContainerItem();
    TdxBarManager* manager = GetManager();
    return !InQuickCustomization() && item && item->Control() && !(manager && manager->IsBarManagerDesigning());
}

bool TdxBarControlContainerControl::IsNavigable() const {
    if (InQuickCustomization()) return true;
    TdxBarManager* manager = GetManager();
    return manager && manager->IsBarManagerDesigning();
}

int TdxBarControlContainerControl::CalcRowHeight() {
    TdxBarControlContainerItem* item = ContainerItem();
    if (item && item->Control() && !InQuickCustomization()) return item->Control()->Height();
    const int text = GetActualTextSize();
    if (BarControl() && BarControl()->GetBarControlKind() == bckSubMenu) return text;
    return std::max(text, int(DrawParams()->buttonSize.cy));
}

int TdxBarControlContainerControl::CalcWidth() {
    TdxBarControlContainerItem* item = ContainerItem();
    if (item && item->Control() && !InQuickCustomization()) return item->Control()->Width();
    const String name = WithoutAmpersands(item ? item->Name() : String());
    const int caption = int(MeasureText(name).cx);
    TCustomdxBarControl* bar = BarControl();
    if (bar && bar->GetBarControlKind() == bckSubMenu) {
        TdxBarPainter* painter = GetPainter();
        const int extent = painter ? painter->GetMenuTextIndent(DrawParams()) : 0;
        return caption + 2 * bar->TextSize() + extent + 6;
    }
    if (InQuickCustomization()) {
        const int glyph = DrawParams()->buttonSize.cx;
        return caption + (HasImageAt(0) ? glyph + 4 : (bar ? bar->TextSize() : 0));
    }
    TcxCanvas* canvas = GetDrawCanvas();
    return caption + (canvas ? std::abs(canvas->GetCanvasFont()->Height()) : 0);
}

void TdxBarControlContainerControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    TdxBarControlContainerItem* item = ContainerItem();
    if (!item) return;
    if (MayPlace()) {
        PlaceControl();
        return;
    }
    DrawPlaceHolder(r);
}

void TdxBarControlContainerControl::DrawPlaceHolder(const TRect& r) {
    TcxCanvas* canvas = GetDrawCanvas();
    TdxBarPainter* painter = GetPainter();
    TdxBarControlContainerItem* item = ContainerItem();
    if (!canvas || !painter || !item) return;
    HDC dc = canvas->GetCanvasHandle();
    String text = item->Name();
    if (!InQuickCustomization()) {
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        FrameRect(dc, &r, shadow);
        TRect inside = r;
        InflateRect(&inside, -1, -1);
        HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, GetSysColor(COLOR_BTNSHADOW));
        const COLORREF oldBk = SetBkColor(dc, COLORREF(BrushColor(BarControl()->GetBkBrush())));
        const int oldMode = SetBkMode(dc, OPAQUE);
        FillRect(dc, &inside, hatch);
        SetBkMode(dc, oldMode);
        SetBkColor(dc, oldBk);
        DeleteObject(hatch);
        text = BarString(dxSBAR_PLACEFORCONTROL) + (item->Control() ? item->Control()->Name() : item->Name());
    }
    painter->DrawItemText(this, dc, text, r, 2, IsEnabled(), false, IsRotated(), true, false, DT_SINGLELINE);
}

void TdxBarControlContainerControl::PlaceControl() {
    TdxBarControlContainerItem* item = ContainerItem();
    TCustomdxBarControl* bar = BarControl();
    TPlaceForm* form = item ? item->PlaceForm() : nullptr;
    TControl* control = item ? item->Control() : nullptr;
    if (!form || !control || !bar || placing_ || item->AnyControlPlacing()) return;
    placing_ = true;
    try {
        const TRect r = GetBounds();
        const bool empty = IsRectEmpty(&r);
        if (!(empty && item->GetLinkCount() > 1)) form->SetParentWindow(bar->Handle());
        form->SetPosition(poDesigned);
        if (!empty || form->ParentWindow() == bar->Handle())
            form->SetBounds(r.left, r.top, RectWidth(r), RectHeight(r));
        control->SetParent(form);
        if (!empty) {
            control->SetBounds(0, 0, form->ClientWidth(), form->ClientHeight());
            control->Show();
        }
        form->SetColor(BrushColor(bar->GetBkBrush()));
        form->BarItemControl = this;
        form->Show();
        placed_ = true;
    } catch (...) {
        placing_ = false;
        throw;
    }
    placing_ = false;
    form->Invalidate();
    control->Invalidate();
}

void TdxBarControlContainerControl::ReleaseWindows() {
    TdxBarItemControl::ReleaseWindows();
    TdxBarControlContainerItem* item = ContainerItem();
    TPlaceForm* form = item ? item->PlaceForm() : nullptr;
    TCustomdxBarControl* bar = BarControl();
    if (!form || !bar || !bar->HandleAllocated() || form->ParentWindow() != bar->Handle()) return;
    if (Is<TWinControl>(item->Control())) item->Control()->SetParent(nullptr);
    form->Hide();
    form->SetParentWindow(nullptr);
}

void TdxBarControlContainerControl::CalcParts() {
    TdxBarItemControl::CalcParts();
    const TRect r = GetBounds();
    TdxBarControlContainerItem* item = ContainerItem();
    if (IsRectEmpty(&r) && item && item->PlaceForm() && item->PlaceForm()->BarItemControl == this)
        item->PlaceForm()->Hide();
}
