// Sections: TCustomdxBarComboControl (drop-down, keys, mouse) · TdxBarComboControl (the local
// index stepped by keys and the wheel).

#include "dxBarComboControl.h"

#include <windowsx.h>

#include "Control.h"
#include "cxObjectLinks.h"
#include "dxBarCombo.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"
#include "dxCustomBarControl.h"

// ---- TCustomdxBarComboControl -------------------------------------------------------------------

TCustomdxBarComboControl::~TCustomdxBarComboControl() { ChangeDroppedDown(false); }

TCustomdxBarCombo* TCustomdxBarComboControl::GetComboItem() const { return As<TCustomdxBarCombo>(Item()); }

HWND TCustomdxBarComboControl::GetDropDownWindowHandle() const {
    TCustomdxBarCombo* combo = GetComboItem();
    return combo ? combo->GetDropDownWindow() : nullptr;
}

bool TCustomdxBarComboControl::ItemShowsEditor() const {
    TCustomdxBarCombo* combo = GetComboItem();
    return !combo || combo->ShowEditor();
}

void TCustomdxBarComboControl::ChangeDroppedDown(bool value) {
    // The flag first: a control going with its link must not reach the item.
    if (value == droppedDown_) return;
    TCustomdxBarCombo* combo = GetComboItem();
    if (!combo || combo->ReadOnly()) return;
    droppedDown_ = value;
    RepaintControl();
    if (value) {
        TPoint at = CalcDropDownPos();
        combo->DropDown(at.x, at.y);
    } else {
        combo->CloseUp();
    }
}

TPoint TCustomdxBarComboControl::CalcDropDownPos() {
    TRect r = GetBounds();
    TCustomdxBarControl* bar = BarControl();
    TPoint p{r.right, r.top};
    if (bar && bar->GetBarControlKind() == 0 && !bar->IsDockedVertically()) p = TPoint{r.left + GetEditOffset(), r.bottom};
    return bar && bar->HandleAllocated() ? bar->ClientToScreen(p) : p;
}

void TCustomdxBarComboControl::ControlInactivate(bool immediately) {
    ChangeDroppedDown(false);
    TdxBarEditControl::ControlInactivate(immediately);
}

void TCustomdxBarComboControl::ChangeFocused(bool value) {
    if (!value) ChangeDroppedDown(false);
    TdxBarEditControl::ChangeFocused(value);
}

void TCustomdxBarComboControl::EnabledChanged() {
    ChangeDroppedDown(false);
    TdxBarEditControl::EnabledChanged();
}

bool TCustomdxBarComboControl::ContainsWindow(HWND window) const {
    if (TdxBarEditControl::ContainsWindow(window)) return true;
    HWND list = droppedDown_ ? GetDropDownWindowHandle() : nullptr;
    return list && window && IsWindowVisible(list) && (window == list || IsChild(list, window));
}

bool TCustomdxBarComboControl::DrawsText() const { return !(IsEnabled() && Focused() && ItemShowsEditor()); }

void TCustomdxBarComboControl::CalcEditParts(TRect* parts) {
    TdxBarEditControl::CalcEditParts(parts);
    TdxBarItemControlDrawParams* params = DrawParams();
    params->droppedDown = droppedDown_;
    if (TdxBarPainter* painter = GetPainter()) painter->CalcComboLayout(params, parts, 3, CalcEditRect());
}

void TCustomdxBarComboControl::AdjustDropDownButtonWidth(TRect& frameRect) {
    TRect margins{};
    if (TdxBarPainter* painter = GetPainter()) painter->GetEditMargins(GetPaintKind(), margins);
    frameRect.right = EditPart(3).right + margins.right;
}

void TCustomdxBarComboControl::DrawEditContent() {
    TdxBarItemControlDrawParams* params = DrawParams();
    params->droppedDown = droppedDown_;
    if (TdxBarPainter* painter = GetPainter()) painter->DrawComboButton(params, EditPart(3), 1);
    TdxBarEditControl::DrawEditContent();
}

bool TCustomdxBarComboControl::HandleKeyDown(Word& key, TShiftState shift) {
    // Alt+Up and Alt+Down toggle the list.
    if (key == VK_UP || key == VK_DOWN) {
        ChangeDroppedDown(!droppedDown_);
        key = 0;
        return true;
    }
    return TdxBarEditControl::HandleKeyDown(key, shift);
}

void TCustomdxBarComboControl::HandleKeyUp(Word& key) {
    if (key == VK_UP || key == VK_DOWN) {
        key = 0;
        return;
    }
    TdxBarEditControl::HandleKeyUp(key);
}

bool TCustomdxBarComboControl::IsDropDownPartHot() const {
    return HotPart() == 3 || (!ItemShowsEditor() && HotPart() == 0);
}

void TCustomdxBarComboControl::HandleEditMessage(TMessage& message) {
    bool keyMessage = message.Msg == WM_KEYDOWN || message.Msg == WM_KEYUP || message.Msg == WM_CHAR;
    if (keyMessage) {
        if (message.Msg == WM_KEYDOWN && message.WParam == VK_F4) {
            ChangeDroppedDown(!droppedDown_);
            return;
        }
        HWND list = GetDropDownWindowHandle();
        TCustomdxBarCombo* combo = GetComboItem();
        if (droppedDown_ && list && IsWindow(list) && combo &&
            combo->CheckKeyForDropDownWindow(Word(message.WParam), KeyDataToShiftState(message.LParam))) {
            message.Result = SendMessageW(list, message.Msg, message.WParam, message.LParam);
            return;
        }
    }
    TcxObjectLinkGuard self(this);
    TdxBarEditControl::HandleEditMessage(message);
    if (!self.Alive() || !EditWindowVisible()) return;
    bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
    if (press) droppedAtPress_ = droppedDown_;
    if (!IsDropDownPartHot()) return;
    // A press opens a closed list at once; an open one closes when the button is released.
    if ((!droppedAtPress_ && press) || (droppedAtPress_ && message.Msg == WM_LBUTTONUP))
        ChangeDroppedDown(!droppedDown_);
}

// ---- TdxBarComboControl -------------------------------------------------------------------------

TdxBarCustomCombo* TdxBarComboControl::GetCustomCombo() const { return As<TdxBarCustomCombo>(Item()); }

void TdxBarComboControl::SetLocalItemIndex(int index) {
    localItemIndex_ = index;
    LoadTextFromItem();
    if (!ItemShowsEditor()) RepaintControl();
}

void TdxBarComboControl::ChangeFocused(bool value) {
    if (value && !Focused()) {
        TdxBarCustomCombo* combo = GetCustomCombo();
        SetFocusing(true);
        SetLocalItemIndex(combo ? combo->ItemIndex() : -1);
        SetFocusing(false);
    }
    TCustomdxBarComboControl::ChangeFocused(value);
}

void TdxBarComboControl::LoadTextFromItem() {
    TdxBarCustomCombo* combo = GetCustomCombo();
    if (combo && localItemIndex_ >= 0 && localItemIndex_ < combo->Items()->Count())
        WriteEditText(combo->Items()->Strings(localItemIndex_));
    else
        TCustomdxBarComboControl::LoadTextFromItem();
}

void TdxBarComboControl::PaintEditText(TcxCanvas* canvas, const TRect& rect) {
    TdxBarCustomCombo* combo = GetCustomCombo();
    if (!combo) return;
    int index = Focused() ? localItemIndex_ : combo->ItemIndex();
    combo->PaintEditText(GetPainter(), canvas, index, rect);
}

void TdxBarComboControl::HandleEditMessage(TMessage& message) {
    TdxBarCustomCombo* combo = GetCustomCombo();
    if (combo && !combo->ReadOnly()) {
        int count = combo->Items()->Count();
        TShiftState shift = KeyDataToShiftState(message.LParam);
        Word key = Word(message.WParam);
        if (message.Msg == WM_KEYDOWN && (key == VK_UP || key == VK_DOWN) && shift.Empty() && !DroppedDown()) {
            // Both keys are eaten, also at the ends where nothing moves.
            if (key == VK_UP && localItemIndex_ > 0) SetLocalItemIndex(localItemIndex_ - 1);
            if (key == VK_DOWN && localItemIndex_ < count - 1) SetLocalItemIndex(localItemIndex_ + 1);
            return;
        }
        if (message.Msg == WM_KEYDOWN && (key == VK_RETURN || key == VK_TAB) && localItemIndex_ != -1) {
            String text;
            ReadEditText(text);
            // The stepped entry is committed only while the user has not typed another text.
            if (localItemIndex_ < count && text == combo->Items()->Strings(localItemIndex_)) {
                TcxObjectLinkGuard self(this);
                combo->SetItemIndex(localItemIndex_);
                if (!self.Alive() || !EditWindowVisible()) return;
            }
        }
        if (message.Msg == WM_MOUSEWHEEL) {
            bool up = GET_WHEEL_DELTA_WPARAM(message.WParam) > 0;
            HWND list = GetDropDownWindowHandle();
            if (DroppedDown() && list) {
                SendMessageW(list, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
            } else if (up) {
                if (localItemIndex_ > 0) SetLocalItemIndex(localItemIndex_ - 1);
            } else if (localItemIndex_ < count - 1) {
                SetLocalItemIndex(localItemIndex_ + 1);
            }
        }
    }
    TCustomdxBarComboControl::HandleEditMessage(message);
}
