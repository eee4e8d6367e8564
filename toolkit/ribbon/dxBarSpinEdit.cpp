// Sections: TdxBarSpinEdit (number text rules, setters, steps, keys) · TdxBarSpinEditControl
// (button parts, drawing, the press-and-repeat of the buttons).

#include "dxBarSpinEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "SysMath.h"
#include "SysUtils.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"
#include "dxBarUtils.h"
#include "dxCustomBarControl.h"

namespace {
// The repeat timers of the edit window: the delay before the repeat, then the repeat itself.
constexpr UINT_PTR spinDelayTimer = 1;
constexpr UINT_PTR spinRepeatTimer = 2;
constexpr UINT spinRepeatInterval = 100;
}  // namespace

// ---- TdxBarSpinEdit: the number text rules -------------------------------------------------------

TdxBarSpinEdit::TdxBarSpinEdit(TComponent* owner) : TdxBarEdit(owner) { SetText(L"0"); }

Extended TdxBarSpinEdit::Normalize(Extended value) const {
    return valueType_ == svtInteger ? Extended(Trunc(value)) : value;
}

Extended TdxBarSpinEdit::Clamp(Extended value) const {
    value = Normalize(value);
    if (BoundsInForce()) {
        if (value < minValue_) value = minValue_;
        if (value > maxValue_) value = maxValue_;
    }
    return value;
}

String TdxBarSpinEdit::Format(Extended value) const {
    String number = valueType_ == svtFloat ? FloatToStr(value) : IntToStr(Trunc(value));
    return prefixPlace_ == ppStart ? prefix_ + number : number + prefix_;
}

String TdxBarSpinEdit::WithoutPrefix(const String& text) const {
    String result = text;
    if (!prefix_.empty()) {
        size_t at = result.find(prefix_);
        if (at != String::npos) result.erase(at, prefix_.size());
    }
    return result;
}

bool TdxBarSpinEdit::Converts(const String& text) const {
    String number = WithoutPrefix(text);
    if (valueType_ == svtFloat) {
        Extended value = 0;
        return TryStrToFloat(number, value);
    }
    // 64 bits: every integer this item formats reads back.
    Int64 value = 0;
    return TryStrToInt64(number, value);
}

Extended TdxBarSpinEdit::Parse(const String& text) const {
    String number = WithoutPrefix(text);
    if (valueType_ == svtFloat) {
        Extended value = 0;
        return TryStrToFloat(number, value) ? value : minValue_;
    }
    Int64 value = 0;
    return TryStrToInt64(number, value) ? Extended(value) : minValue_;
}

// ---- TdxBarSpinEdit: value, text and the editor's number -----------------------------------------

void TdxBarSpinEdit::SetValue(Extended value) {
    Extended a = Clamp(value);
    if (a != Value()) SetText(Format(a));
}

void TdxBarSpinEdit::SetText(const String& value) {
    if (!Converts(value)) return;
    TdxBarEdit::SetText(Format(Clamp(Parse(value))));
}

TdxBarSpinEditControl* TdxBarSpinEdit::EditingControl() const {
    TdxBarItemLink* link = GetEditingLink();
    return link ? As<TdxBarSpinEditControl>(link->Control()) : nullptr;
}

Extended TdxBarSpinEdit::EditingValue() const {
    TdxBarSpinEditControl* control = EditingControl();
    if (!control || !control->GetEditHandle()) return Value();
    String text;
    control->ReadEditText(text);
    return Parse(text);
}

void TdxBarSpinEdit::SetEditingValue(Extended value) {
    Extended a = Clamp(value);
    if (a == EditingValue()) return;
    TdxBarSpinEditControl* control = EditingControl();
    if (control && control->GetEditHandle())
        control->WriteEditText(Format(a));
    else
        SetText(Format(a));
}

void TdxBarSpinEdit::Step(TdxBarSpinEditButton button) {
    TcxObjectLinkGuard self(this);
    if (button == sbUp) SetEditingValue(EditingValue() + increment_);
    if (button == sbDown) SetEditingValue(EditingValue() - increment_);
    if (self.Alive() && OnButtonClick) OnButtonClick(this, button);
}

// ---- TdxBarSpinEdit: setters ----------------------------------------------------------------------

void TdxBarSpinEdit::SetIncrement(Extended value) {
    value = Normalize(value);
    if (valueType_ == svtInteger ? value < 1 : value <= 0) value = 1;
    increment_ = value;
}

void TdxBarSpinEdit::ReclampAfterBoundsChange() {
    // Both clamps see the new bounds: the stored number and the one the user is editing.
    Extended editing = EditingValue();
    SetValue(Clamp(Value()));
    SetEditingValue(Clamp(editing));
}

void TdxBarSpinEdit::SetMaxValue(Extended value) {
    value = Normalize(value);
    if (value == maxValue_) return;
    maxValue_ = value;
    if (maxValue_ < minValue_) minValue_ = maxValue_;
    ReclampAfterBoundsChange();
}

void TdxBarSpinEdit::SetMinValue(Extended value) {
    value = Normalize(value);
    if (value == minValue_) return;
    minValue_ = value;
    if (minValue_ > maxValue_) maxValue_ = minValue_;
    ReclampAfterBoundsChange();
}

void TdxBarSpinEdit::SetPrefix(const String& value) {
    if (value == prefix_) return;
    Extended number = Value();
    prefix_ = value;
    SetText(Format(number));
}

void TdxBarSpinEdit::SetPrefixPlace(TdxBarSpinEditPrefixPlace value) {
    if (value == prefixPlace_) return;
    Extended number = Value();
    prefixPlace_ = value;
    SetText(Format(number));
}

void TdxBarSpinEdit::SetValueType(TdxBarSpinEditValueType value) {
    if (value == valueType_) return;
    Extended number = Value(), editing = EditingValue();
    valueType_ = value;
    if (value != svtInteger) return;
    SetIncrement(increment_);
    SetMinValue(minValue_);
    SetMaxValue(maxValue_);
    SetValue(number);
    SetEditingValue(editing);
}

// ---- TdxBarSpinEdit: keys -------------------------------------------------------------------------

void TdxBarSpinEdit::DoKeyDown(Word& key, TShiftState shift) {
    TcxObjectLinkGuard self(this);
    TdxBarEdit::DoKeyDown(key, shift);
    if (!self.Alive() || (key != VK_UP && key != VK_DOWN)) return;
    TdxBarSpinEditControl* control = EditingControl();
    if (!control || ReadOnly()) return;
    if (!control->Spinning()) {
        const bool up = key == VK_UP;
        control->SetActiveButton(up ? TdxBarSpinEditControl::UpButtonPart : TdxBarSpinEditControl::DownButtonPart);
        Step(up ? sbUp : sbDown);
    }
    key = 0;
}

void TdxBarSpinEdit::DoKeyPress(wchar_t& key) {
    TcxObjectLinkGuard self(this);
    TdxBarEdit::DoKeyPress(key);
    if (!self.Alive()) return;
    // Copy, Backspace, paste, cut and the digits; a sign only when negative numbers are allowed,
    // a decimal separator only for floats.
    const bool allowed = key == 3 || key == 8 || key == 22 || key == 24 || (key >= L'0' && key <= L'9') ||
                         (key == L'-' && minValue_ < 0) ||
                         (key == FormatSettings.DecimalSeparator && valueType_ == svtFloat);
    if (!allowed) key = 0;
}

void TdxBarSpinEdit::DoKeyUp(Word& key, TShiftState shift) {
    TcxObjectLinkGuard self(this);
    TdxBarEdit::DoKeyUp(key, shift);
    if (!self.Alive() || (key != VK_UP && key != VK_DOWN)) return;
    TdxBarSpinEditControl* control = EditingControl();
    if (control && !control->Spinning()) control->SetActiveButton(-1);
}

// ---- TdxBarSpinEditControl ------------------------------------------------------------------------

TdxBarSpinEditControl::~TdxBarSpinEditControl() {
    HWND window = GetEditHandle();
    if (window && repeatTimer_) KillTimer(window, repeatTimer_);
    repeatTimer_ = 0;
}

TdxBarSpinEdit* TdxBarSpinEditControl::SpinEdit() const { return As<TdxBarSpinEdit>(Item()); }

TdxBarItemControlDrawParams* TdxBarSpinEditControl::CreateDrawParams() { return new TdxBarSpinEditDrawParams(this); }

void TdxBarSpinEditControl::SetActiveButton(int part) {
    TdxBarSpinEdit* item = SpinEdit();
    if (!item || item->ReadOnly()) {
        activeButton_ = -1;
        return;
    }
    if (part == activeButton_) return;
    activeButton_ = part;
    RepaintControl();
}

void TdxBarSpinEditControl::StopSpinning() {
    HWND window = GetEditHandle();
    if (window && GetCapture() == window) ReleaseCapture();
    SetActiveButton(-1);
    KillAndClearTimer(window, repeatTimer_);
}

void TdxBarSpinEditControl::CalcDrawParams(bool withItemData) {
    TdxBarEditControl::CalcDrawParams(withItemData);
    auto* params = dynamic_cast<TdxBarSpinEditDrawParams*>(DrawParams());
    if (!params) return;
    params->activeButton = activeButton_;
    params->pressed = activeButton_ != -1;
    if (TdxBarPainter* painter = GetPainter()) painter->CalcSpinArrowSize(RectHeight(GetBounds()), params->arrowSize);
}

void TdxBarSpinEditControl::CalcEditParts(TRect* parts) {
    TdxBarEditControl::CalcEditParts(parts);
    CalcDrawParams(false);
    // The buttons close the edit box on its right (the box starts after the caption).
    if (TdxBarPainter* painter = GetPainter()) painter->CalcSpinEditLayout(DrawParams(), parts, 4, CalcEditRect());
}

void TdxBarSpinEditControl::AdjustDropDownButtonWidth(TRect& frameRect) {
    if (TdxBarPainter* painter = GetPainter()) painter->CalcSpinEditTextWidth(DrawParams(), frameRect);
}

void TdxBarSpinEditControl::DrawEditContent() {
    TdxBarPainter* painter = GetPainter();
    TcxCanvas* canvas = GetDrawCanvas();
    TRect up = EditPart(UpButtonPart), down = EditPart(DownButtonPart);
    if (painter && canvas && !IsRectEmpty(&up)) {
        CalcDrawParams(false);
        TdxBarItemControlDrawParams* params = DrawParams();
        TRect buttons = up;
        if (!IsRectEmpty(&down)) UnionRect(&buttons, &up, &down);
        TRect margins;
        painter->GetSpinButtonMargins(params->paintKind, margins);
        buttons = TRect{buttons.left - margins.left, buttons.top - margins.top, buttons.right + margins.right,
                        buttons.bottom + margins.bottom};
        HDC dc = canvas->GetCanvasHandle();
        const int saved = SaveDC(dc);
        const TRect bounds = GetBounds();
        TRect clip{};
        IntersectRect(&clip, &buttons, &bounds);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        painter->FillSpinEditBk(params, buttons);
        painter->DrawSpinButton(params, up, UpButtonPart);
        painter->DrawSpinButton(params, down, DownButtonPart);
        RestoreDC(dc, saved);
        // The text and the frame stay off the buttons.
        ExcludeClipRect(dc, buttons.left, buttons.top, buttons.right, buttons.bottom);
    }
    TdxBarEditControl::DrawEditContent();
}

int TdxBarSpinEditControl::ButtonPartAt(const TMessage& message) {
    const int part = HitTestEditMessage(message);
    return part == UpButtonPart || part == DownButtonPart ? part : -1;
}

void TdxBarSpinEditControl::StepActiveButton() {
    TdxBarSpinEdit* item = SpinEdit();
    if (!item) return;
    if (activeButton_ == UpButtonPart) item->Step(sbUp);
    if (activeButton_ == DownButtonPart) item->Step(sbDown);
}

void TdxBarSpinEditControl::HandleEditMessage(TMessage& message) {
    TcxObjectLinkGuard self(this);
    HWND window = GetEditHandle();
    // The repeat timers are the control's own: the edit window never sees them.
    if (message.Msg == WM_TIMER && (message.WParam == spinDelayTimer || message.WParam == spinRepeatTimer)) {
        if (message.WParam == spinDelayTimer && repeatTimer_ == spinDelayTimer) {
            KillTimer(window, spinDelayTimer);
            repeatTimer_ = SetTimer(window, spinRepeatTimer, spinRepeatInterval, nullptr) ? spinRepeatTimer : 0;
        } else if (message.WParam == spinRepeatTimer && repeatTimer_ == spinRepeatTimer) {
            StepActiveButton();
        }
        return;
    }
    TdxBarEditControl::HandleEditMessage(message);
    if (!self.Alive()) return;
    window = GetEditHandle();
    TdxBarSpinEdit* item = SpinEdit();
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (activeButton_ != -1 || !window) break;
            const int part = ButtonPartAt(message);
            SetActiveButton(part);
            if (activeButton_ == -1) break;
            SetCapture(window);
            StepActiveButton();
            // The step's event may have freed the control or taken the mouse elsewhere.
            if (!self.Alive() || GetCapture() != window) break;
            const UINT delay = std::max<int>(int(GetDoubleClickTime()) - 100, 1);
            repeatTimer_ = SetTimer(window, spinDelayTimer, delay, nullptr) ? spinDelayTimer : 0;
            break;
        }
        case WM_MOUSEMOVE:
            // Off the button the repeat pauses; onto the other button it turns round.
            if (repeatTimer_) SetActiveButton(ButtonPartAt(message));
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (repeatTimer_) StopSpinning();
            break;
        case WM_MOUSEWHEEL:
            if (item && !item->ReadOnly()) item->Step(GET_WHEEL_DELTA_WPARAM(message.WParam) > 0 ? sbUp : sbDown);
            break;
        default: break;
    }
}

void TdxBarSpinEditControl::EditKillFocus(HWND newFocus) {
    if (activeButton_ != -1) StopSpinning();
    TdxBarEditControl::EditKillFocus(newFocus);
}
