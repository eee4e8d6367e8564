#include "dxStatusBarKeyboardStatePanel.h"

#include <algorithm>

#include "AssignIfChanged.h"
#include "Timer.h"
#include "cxGraphics.h"
#include "dxStatusBar.h"
#include "dxStatusBarPainter.h"

// Sections: key appearances · the key watcher · the style.

// ---- key appearances -----------------------------------------------------------------------

TdxStatusBarKeyStateAppearance::TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState id, int code,
                                                               TColor activeFontColor, const String& activeCaption,
                                                               const String& inactiveCaption)
    : id_(id),
      code_(code),
      activeFontColor_(activeFontColor),
      activeCaption_(activeCaption),
      inactiveCaption_(inactiveCaption) {}

void TdxStatusBarKeyStateAppearance::Assign(TPersistent* source) {
    auto* other = As<TdxStatusBarKeyStateAppearance>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    activeFontColor_ = other->activeFontColor_;
    inactiveFontColor_ = other->inactiveFontColor_;
    activeCaption_ = other->activeCaption_;
    inactiveCaption_ = other->inactiveCaption_;
    Change();
}

void TdxStatusBarKeyStateAppearance::SetActiveFontColor(TColor value) {
    if (AssignIfChanged(activeFontColor_, value)) Change();
}

void TdxStatusBarKeyStateAppearance::SetInactiveFontColor(TColor value) {
    if (AssignIfChanged(inactiveFontColor_, value)) Change();
}

void TdxStatusBarKeyStateAppearance::SetActiveCaption(const String& value) {
    if (AssignIfChanged(activeCaption_, value)) Change();
}

void TdxStatusBarKeyStateAppearance::SetInactiveCaption(const String& value) {
    if (AssignIfChanged(inactiveCaption_, value)) Change();
}

void TdxStatusBarKeyStateAppearance::Change() {
    if (OnChange) OnChange(this);
}

// ---- the key watcher -----------------------------------------------------------------------

Byte KeyStateByte(int code) { return Byte(GetKeyState(code) & 0xFF); }

TdxStatusBarKeyboardStateNotifier::TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* bar)
    : bar_(bar), timer_(new TTimer(nullptr)) {
    timer_->SetInterval(100);
    timer_->SetOnTimer(MakeEvent(this, &TdxStatusBarKeyboardStateNotifier::TimerTick));
}

TdxStatusBarKeyboardStateNotifier::~TdxStatusBarKeyboardStateNotifier() { delete timer_; }

void TdxStatusBarKeyboardStateNotifier::AddKey(int code) {
    RemoveKey(code);
    keys_.push_back({code, KeyStateByte(code)});
}

void TdxStatusBarKeyboardStateNotifier::RemoveKey(int code) {
    std::erase_if(keys_, [code](const TdxStatusBarKeyboardStateWatchedKey& key) { return key.Code == code; });
}

void TdxStatusBarKeyboardStateNotifier::CheckKeys() {
    bool changed = false;
    for (TdxStatusBarKeyboardStateWatchedKey& key : keys_) {
        const Byte state = KeyStateByte(key.Code);
        if (state != key.State) {
            key.State = state;
            changed = true;
        }
    }
    if (changed && bar_) bar_->Recalculate();
}

// ---- the style -----------------------------------------------------------------------------

namespace {

constexpr TdxStatusBarKeyboardState kKeyOrder[] = {dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert};

}  // namespace

TdxStatusBarKeyboardStatePanelStyle::TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* owner)
    : TdxStatusBarPanelStyle(owner) {
    const TColor active = Font()->Color();
    appearances_[dxksCapsLock] = new TdxStatusBarKeyStateAppearance(dxksCapsLock, VK_CAPITAL, active, L"CAPS", L"CAPS");
    appearances_[dxksNumLock] = new TdxStatusBarKeyStateAppearance(dxksNumLock, VK_NUMLOCK, active, L"NUM", L"NUM");
    appearances_[dxksScrollLock] =
        new TdxStatusBarKeyStateAppearance(dxksScrollLock, VK_SCROLL, active, L"SCRL", L"SCRL");
    appearances_[dxksInsert] = new TdxStatusBarKeyStateAppearance(dxksInsert, VK_INSERT, active, L"OVR", L"INS");
    notifier_ = new TdxStatusBarKeyboardStateNotifier(StatusBar());
    for (TdxStatusBarKeyStateAppearance* appearance : appearances_) {
        appearance->OnChange = MakeEvent(this, &TdxStatusBarKeyboardStatePanelStyle::AppearanceChanged);
        notifier_->AddKey(appearance->Code());
    }
}

TdxStatusBarKeyboardStatePanelStyle::~TdxStatusBarKeyboardStatePanelStyle() {
    for (TdxStatusBarKeyStateAppearance* appearance : appearances_) notifier_->RemoveKey(appearance->Code());
    delete notifier_;
    for (TdxStatusBarKeyStateAppearance* appearance : appearances_) delete appearance;
}

void TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TdxStatusBarKeyboardStates value) {
    if (AssignIfChanged(keyboardStates_, value)) Changed();
}

void TdxStatusBarKeyboardStatePanelStyle::SetFullRect(bool value) {
    if (AssignIfChanged(fullRect_, value)) Changed();
}

int TdxStatusBarKeyboardStatePanelStyle::KeyBoxWidth(TcxCanvas* canvas, TdxStatusBarKeyboardState key) {
    const TdxStatusBarKeyStateAppearance* appearance = appearances_[key];
    return std::max(canvas->WidthOfText(appearance->ActiveCaption()),
                    canvas->WidthOfText(appearance->InactiveCaption())) +
           4;
}

int TdxStatusBarKeyboardStatePanelStyle::GetMinWidth() {
    TdxCustomStatusBar* bar = StatusBar();
    if (keyboardStates_.Empty() || !bar) return 50;
    TcxCanvas* canvas = bar->GetCurrentCanvas();
    TFont saved;
    saved.Assign(canvas->GetCanvasFont());
    canvas->SetCanvasFont(Font());
    const int separator = bar->Painter()->GetPanelSeparatorWidth(bar);
    int width = 0, shown = 0;
    for (TdxStatusBarKeyboardState key : kKeyOrder) {
        if (!keyboardStates_.Contains(key)) continue;
        width += KeyBoxWidth(canvas, key) + (fullRect_ ? 0 : 2);
        ++shown;
    }
    canvas->SetCanvasFont(&saved);
    return width + separator * (shown - 1);
}

void TdxStatusBarKeyboardStatePanelStyle::DrawContent(TcxCanvas* canvas, const TRect& r,
                                                      TdxStatusBarPainterClass painter) {
    TdxStatusBarPanelStyle::DrawContent(canvas, r, painter);
    TdxCustomStatusBar* bar = StatusBar();
    TdxStatusBarKeyboardState last = dxksCapsLock;
    for (TdxStatusBarKeyboardState key : kKeyOrder)
        if (keyboardStates_.Contains(key)) last = key;
    canvas->SetCanvasFont(Font());
    const int separator = painter->GetPanelSeparatorWidth(bar);
    int x = r.left;
    for (TdxStatusBarKeyboardState key : kKeyOrder) {
        if (!keyboardStates_.Contains(key)) continue;
        const TdxStatusBarKeyStateAppearance* appearance = appearances_[key];
        const bool active = !bar->IsDesigning() && KeyStateByte(appearance->Code()) == 1;
        TColor color = active ? appearance->ActiveFontColor() : appearance->InactiveFontColor();
        painter->AdjustPanelTextColor(bar, color, active);
        AdjustTextColor(color, active);
        const TRect box{x, r.top, x + KeyBoxWidth(canvas, key) + (fullRect_ ? 0 : 2), r.bottom};
        TRect textRect = box;
        if (!fullRect_) painter->DrawPanelBorder(bar, canvas, textRect, Owner()->Bevel());
        canvas->GetCanvasBrush()->SetStyle(bsClear);
        canvas->GetCanvasFont()->SetColor(color);
        canvas->DrawTextInRect(active ? appearance->ActiveCaption() : appearance->InactiveCaption(), textRect,
                               cxAlignHCenter | cxAlignVCenter | cxSingleLine, bar->Enabled());
        if (key == last) break;
        x = box.right + separator;
    }
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
}

void TdxStatusBarKeyboardStatePanelStyle::DoAssign(TdxStatusBarPanelStyle* source) {
    TdxStatusBarPanelStyle::DoAssign(source);
    auto* other = As<TdxStatusBarKeyboardStatePanelStyle>(source);
    if (!other) return;
    keyboardStates_ = other->keyboardStates_;
    fullRect_ = other->fullRect_;
    for (TdxStatusBarKeyboardState key : kKeyOrder) appearances_[key]->Assign(other->appearances_[key]);
}

void TdxStatusBarKeyboardStatePanelStyle::RestoreDefaults() {
    keyboardStates_ = AllKeyboardStates();
    fullRect_ = false;
    TdxStatusBarPanelStyle::RestoreDefaults();
}
