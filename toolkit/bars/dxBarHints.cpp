// The item hints of the managers: one pending or shown hint for the whole process, its show
// and hide delays, and the guard after a hint went.

#include "dxBarHints.h"

#include <windows.h>

#include "CallbackBarrier.h"
#include "dxBarManager.h"
#include "dxBarUtils.h"

namespace {
// Thread timers, found again by their ids.
class TThreadHintTimers : public TdxBarHintTimers {
public:
    void Start(TKind kind, int milliseconds) override {
        Stop(kind);
        ids_[kind] = SetTimer(nullptr, 0, UINT(milliseconds), kind == htGuard ? &GuardProc : &ShowHideProc);
    }
    void Stop(TKind kind) override { KillAndClearTimer(nullptr, ids_[kind]); }

private:
    static void CALLBACK ShowHideProc(HWND, UINT, UINT_PTR, DWORD) {
        CallbackBarrier([] { TdxBarManager::HintTimerExpired(); });
    }
    static void CALLBACK GuardProc(HWND, UINT, UINT_PTR, DWORD) {
        CallbackBarrier([] { TdxBarManager::HintGuardExpired(); });
    }
    UINT_PTR ids_[2] = {};
};

TThreadHintTimers threadHintTimers;
TdxBarHintTimers* hintTimers = &threadHintTimers;
TdxBarHintDisplay* hintDisplay = nullptr;

// The hint state all managers share.
struct TBarHintState {
    bool guard = false;                   // a hint just went: the next one shows at once
    bool requested = false;               // a hint was asked for and not hidden since
    bool activated = false;               // the hint window shows the hint (the timer hides it)
    String explicitHint;                  // a text given instead of the hint object's
    TdxBarManager* timerOwner = nullptr;  // the manager that started the show/hide timer
} hintState;

void StopShowHideTimer() { hintTimers->Stop(TdxBarHintTimers::htShowHide); }

void StopGuard() {
    hintTimers->Stop(TdxBarHintTimers::htGuard);
    hintState.guard = false;
}
}  // namespace

TdxBarHintDisplay* BarHintDisplay() { return hintDisplay; }
void SetBarHintDisplay(TdxBarHintDisplay* value) { hintDisplay = value; }
TdxBarHintTimers* BarHintTimers() { return hintTimers; }
void SetBarHintTimers(TdxBarHintTimers* value) { hintTimers = value ? value : &threadHintTimers; }

bool TdxBarManager::IsHintWindowVisible() const { return hintDisplay && hintDisplay->IsVisible(); }

void TdxBarManager::ShowItemHint(bool show, const String& hint, TObject* hintObject) {
    if (IsCustomizingOrDesigning() || !showHint_ || !hintDisplay) return;
    // A screen tip goes first, so that the next hint waits for the show delay again.
    if (show && hintDisplay->IsScreenTipState()) InternalShowItemHint(false, String(), nullptr);
    InternalShowItemHint(show, hint, hintObject);
}

void TdxBarManager::InternalShowItemHint(bool show, const String& hint, TObject* hintObject) {
    if (!show && !hintState.requested) return;
    hintState.requested = show;
    hintState.explicitHint = hint;
    hintState.activated = false;
    // A control hot under the mouse wants its hint; one selected by the keyboard only with a
    // text or an object. Hook (bar windows): "hot under the mouse" is a selected control whose
    // bar window is not keyboard-active.
    bool hotUnderMouse = selectedItemControl_ != nullptr;
    bool wanted = show && (hotUnderMouse || !hint.empty() || hintObject);
    StopShowHideTimer();
    hintObject_ = hintObject;
    if (wanted) {
        if (hintDisplay->IsVisible() || hintState.guard) {
            ShowPendingHint();
        } else {
            hintState.timerOwner = this;
            hintTimers->Start(TdxBarHintTimers::htShowHide, hintDisplay->ShowDelay());
        }
    } else if (hintDisplay->IsVisible()) {
        hintDisplay->Hide();
        if (show) {  // the mouse left the items while a hint showed
            hintTimers->Start(TdxBarHintTimers::htGuard, dxBarHintGuardTime);
            hintState.guard = true;
        }
    }
}

void TdxBarManager::ShowPendingHint() {
    String hint, shortCut;
    bool any = false;
    if (!hintState.explicitHint.empty()) {
        hint = hintState.explicitHint;
        any = true;
    } else if (auto* source = dynamic_cast<IdxBarHintSource*>(hintObject_)) {
        bool hideShown = true;
        if (source->GetHint(hideShown, hint, shortCut) &&
            (source->IsHintSourceEnabled() || showHintForDisabledItems_)) {
            any = true;
            // The application's own shortcut-in-hint setting is not kept by this platform.
            if (!showShortCutInHint_) shortCut.clear();
        }
    }
    if (any && hintDisplay->Show(this, hint, shortCut)) {
        hintState.activated = true;
        hintState.timerOwner = this;
        StopShowHideTimer();
        hintTimers->Start(TdxBarHintTimers::htShowHide, hintDisplay->HideTimeout());
    } else {
        HideItemHint();
    }
}

void TdxBarManager::StopHints() {
    if (hintState.timerOwner == this) {
        StopShowHideTimer();
        if (hintDisplay && hintDisplay->IsVisible()) hintDisplay->Hide();
        hintState.timerOwner = nullptr;
        hintState.requested = hintState.activated = false;
    }
    StopGuard();
}

void TdxBarManager::HintTimerExpired() {
    StopShowHideTimer();
    TdxBarManager* owner = hintState.timerOwner;
    if (!owner || owner->IsDestroying() || !hintDisplay) return;
    if (hintState.activated) {
        hintDisplay->Hide();
        hintState.activated = false;
    } else {
        owner->ShowPendingHint();
    }
}

void TdxBarManager::HintGuardExpired() { StopGuard(); }
