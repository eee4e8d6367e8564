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

TThreadHintTimers threadTimers;
TdxBarHintTimers* timers = &threadTimers;
TdxBarHintDisplay* display = nullptr;

// The hint state all managers share.
struct THintState {
    bool guard = false;                   // a hint just went: the next one shows at once
    bool requested = false;               // a hint was asked for and not hidden since
    bool activated = false;               // the hint window shows the hint (the timer hides it)
    String explicitHint;                  // a text given instead of the hint object's
    TdxBarManager* timerOwner = nullptr;  // the manager that started the show/hide timer
} state;

void StopShowHideTimer() { timers->Stop(TdxBarHintTimers::htShowHide); }

void StopGuard() {
    timers->Stop(TdxBarHintTimers::htGuard);
    state.guard = false;
}
}  // namespace

TdxBarHintDisplay* BarHintDisplay() { return display; }
void SetBarHintDisplay(TdxBarHintDisplay* value) { display = value; }
TdxBarHintTimers* BarHintTimers() { return timers; }
void SetBarHintTimers(TdxBarHintTimers* value) { timers = value ? value : &threadTimers; }

bool TdxBarManager::IsHintWindowVisible() const { return display && display->IsVisible(); }

void TdxBarManager::ShowItemHint(bool show, const String& hint, TObject* hintObject) {
    if (IsCustomizingOrDesigning() || !showHint_ || !display) return;
    // A screen tip goes first, so that the next hint waits for the show delay again.
    if (show && display->IsScreenTipState()) InternalShowItemHint(false, String(), nullptr);
    InternalShowItemHint(show, hint, hintObject);
}

void TdxBarManager::InternalShowItemHint(bool show, const String& hint, TObject* hintObject) {
    if (!show && !state.requested) return;
    state.requested = show;
    state.explicitHint = hint;
    state.activated = false;
    // A control hot under the mouse wants its hint; one selected by the keyboard only with a
    // text or an object. Hook (bar windows): "hot under the mouse" is a selected control whose
    // bar window is not keyboard-active.
    bool hotUnderMouse = selectedItemControl_ != nullptr;
    bool wanted = show && (hotUnderMouse || !hint.empty() || hintObject);
    StopShowHideTimer();
    hintObject_ = hintObject;
    if (wanted) {
        if (display->IsVisible() || state.guard) {
            ShowPendingHint();
        } else {
            state.timerOwner = this;
            timers->Start(TdxBarHintTimers::htShowHide, display->ShowDelay());
        }
    } else if (display->IsVisible()) {
        display->Hide();
        if (show) {  // the mouse left the items while a hint showed
            timers->Start(TdxBarHintTimers::htGuard, dxBarHintGuardTime);
            state.guard = true;
        }
    }
}

void TdxBarManager::ShowPendingHint() {
    String hint, shortCut;
    bool any = false;
    if (!state.explicitHint.empty()) {
        hint = state.explicitHint;
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
    if (any && display->Show(this, hint, shortCut)) {
        state.activated = true;
        state.timerOwner = this;
        StopShowHideTimer();
        timers->Start(TdxBarHintTimers::htShowHide, display->HideTimeout());
    } else {
        HideItemHint();
    }
}

void TdxBarManager::StopHints() {
    if (state.timerOwner == this) {
        StopShowHideTimer();
        if (display && display->IsVisible()) display->Hide();
        state.timerOwner = nullptr;
        state.requested = state.activated = false;
    }
    StopGuard();
}

void TdxBarManager::HintTimerExpired() {
    StopShowHideTimer();
    TdxBarManager* owner = state.timerOwner;
    if (!owner || owner->IsDestroying() || !display) return;
    if (state.activated) {
        display->Hide();
        state.activated = false;
    } else {
        owner->ShowPendingHint();
    }
}

void TdxBarManager::HintGuardExpired() { StopGuard(); }
