// Sections: unit state and the fast-mode handler · construction · clock · progress ·
// registration · setters.

#include "GLCadencer.h"

#include <algorithm>

#include "Application.h"
#include "DateUtils.h"
#include "GLCrossPlatform.h"
#include "Scene.h"
#include "MessageWindow.h"

// ---- unit state and the fast-mode handler ----------------------------------------------------

namespace {

UINT tickMessage = 0;
Int64 counterFrequency = 0;  // 0: no performance counter
std::vector<TGLCadencer*>* fastCadencers = nullptr;

}  // namespace

// The hidden window that runs every cadencer of the fast mode, one step per round trip of the
// tick message.
class TASAPHandler {
public:
    TASAPHandler() {
        window_ = AllocateHWnd(MakeEvent(this, &TASAPHandler::WndProc));
        PostMessageW(window_, tickMessage, 0, 0);
    }
    ~TASAPHandler() {
        if (timer_) KillTimer(window_, timer_);
        DeallocateHWnd(window_);
    }
    HWND Window() const { return window_; }

private:
    void WndProc(TMessage& message);

    HWND window_ = nullptr;
    UINT_PTR timer_ = 0;
    Integer tooFastCounter_ = 0;
    bool busy_ = false;
};

namespace {

TASAPHandler* fastHandler = nullptr;

void FreeFastMode() {
    delete fastHandler;
    fastHandler = nullptr;
    delete fastCadencers;
    fastCadencers = nullptr;
}

}  // namespace

void TASAPHandler::WndProc(TMessage& message) {
    if (message.Msg != tickMessage && message.Msg != WM_TIMER) {
        message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (message.Msg == WM_TIMER) {
        KillTimer(window_, timer_);
        timer_ = 0;
    }
    // Ticks stamped with the current time again and again mean the queue only spins: after
    // 5000 of them the next step waits for a 1-millisecond timer.
    if (message.Msg == WM_TIMER || DWORD(GetMessageTime()) != GetTickCount()) {
        tooFastCounter_ = 0;
    } else if (++tooFastCounter_ > 5000) {
        if (!timer_) timer_ = SetTimer(window_, 1, 1, nullptr);
        tooFastCounter_ = 0;
    }
    message.Result = 0;
    if (timer_ || busy_) return;

    busy_ = true;
    try {
        for (Integer i = Integer(fastCadencers->size()) - 1; i >= 0; --i) {
            if (i >= Integer(fastCadencers->size())) continue;
            TGLCadencer* cadencer = (*fastCadencers)[size_t(i)];
            if (!cadencer || cadencer->Mode() != cmASAP || !cadencer->Enabled() || cadencer->progressing_ != 0)
                continue;
            if (Application && Application->Terminated()) {
                cadencer->SetEnabled(false);
                continue;
            }
            try {
                cadencer->Progress();
            } catch (...) {
                // Shown once; this cadencer stops for good.
                if (Application) Application->HandleException(cadencer);
                cadencer->SetEnabled(false);
            }
        }
    } catch (...) {
        busy_ = false;
        throw;
    }
    busy_ = false;

    std::erase(*fastCadencers, nullptr);
    if (!fastCadencers->empty())
        PostMessageW(window_, tickMessage, 0, 0);
    else
        FreeFastMode();  // this object goes too: nothing of it is touched after here
}

HWND CadencerTickWindow() { return fastHandler ? fastHandler->Window() : nullptr; }

void InitializeGLCadencer() {
    RegisterClass(TGLCadencer::StaticClass());
    tickMessage = RegisterWindowMessageW(L"TickGLCadencer");
    if (!QueryCounterFrequency(counterFrequency)) counterFrequency = 0;
}

void FinalizeGLCadencer() { FreeFastMode(); }

// ---- construction ----------------------------------------------------------------------------

TGLCadencer::TGLCadencer(TComponent* owner) : TComponent(owner) {
    timeReference_ = cmPerformanceCounter;
    pausedAt_ = RawReferenceTime();
    originTime_ = pausedAt_;
    timeMultiplier_ = 1.0;
    sleepLength_ = -1;
    mode_ = cmASAP;
    SetEnabled(true);
}

TGLCadencer::~TGLCadencer() { BeforeDestruction(); }

void TGLCadencer::BeforeDestruction() {
    if (!tornDown_) {
        tornDown_ = true;
        Assert(progressing_ == 0, L"Cadencer destroyed while progressing");
        Destroying();
        Unregister(mode_);
        for (TGLCadenceAbleComponent* c : subscribed_) c->RemoveFreeNotification(this);
        subscribed_.clear();
        if (scene_) scene_->RemoveFreeNotification(this);
        scene_ = nullptr;
    }
    TComponent::BeforeDestruction();
}

void TGLCadencer::Loaded() {
    TComponent::Loaded();
    UpdateRegistration();
}

void TGLCadencer::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        if (component == scene_) {
            scene_ = nullptr;
            UpdateRegistration();
        }
        std::erase(subscribed_, component);
    }
    TComponent::Notification(component, operation);
}

void TGLCadencer::Subscribe(TGLCadenceAbleComponent* component) {
    if (!component || std::find(subscribed_.begin(), subscribed_.end(), component) != subscribed_.end()) return;
    subscribed_.push_back(component);
    component->FreeNotification(this);
}

void TGLCadencer::UnSubscribe(TGLCadenceAbleComponent* component) {
    auto found = std::find(subscribed_.begin(), subscribed_.end(), component);
    if (found == subscribed_.end()) return;
    subscribed_.erase(found);
    component->RemoveFreeNotification(this);
}

// ---- clock -----------------------------------------------------------------------------------

Double TGLCadencer::RawReferenceTime() const {
    switch (timeReference_) {
        case cmRTC:
            return Double(Now()) * 86400.0;
        case cmPerformanceCounter: {
            if (counterFrequency == 0) return Double(Now()) * 86400.0;  // no counter: the clock
            Int64 value;
            QueryCounter(value);
            return Double(value) / Double(counterFrequency);
        }
        case cmExternal:
            return externalTime_;
        default:
            Assert(false, L"Unknown time reference");
            return 0;
    }
}

Double TGLCadencer::GetCurrentTime() {
    currentTime_ = (RawReferenceTime() - originTime_) * timeMultiplier_;
    return currentTime_;
}

// ---- progress --------------------------------------------------------------------------------

void TGLCadencer::Progress() {
    if (progressing_ < 0) return;  // the scene is being advanced by this cadencer
    if (enabled_) {
        if (sleepLength_ >= 0) Sleep(DWORD(sleepLength_));
        if (mode_ == cmASAP) {
            if (Application) Application->ProcessMessages();
            // The messages may have unregistered or freed the fast mode meanwhile.
            if (!fastCadencers || std::find(fastCadencers->begin(), fastCadencers->end(), this) == fastCadencers->end())
                return;
        }
    }
    ++progressing_;
    try {
        if (enabled_) {
            Double newTime = GetCurrentTime();
            Double delta = newTime - lastTime_;
            if (delta >= minDeltaTime_ && delta >= fixedDeltaTime_) {
                if (maxDeltaTime_ > 0 && delta > maxDeltaTime_) {
                    // A stall is dropped from the clock, not caught up.
                    originTime_ += (delta - maxDeltaTime_) / timeMultiplier_;
                    delta = maxDeltaTime_;
                    newTime = lastTime_ + delta;
                }
                Double total = delta;
                Double step = fixedDeltaTime_ > 0 ? fixedDeltaTime_ : delta;
                while (total >= step) {
                    lastTime_ += step;
                    if (scene_ && step != 0) {
                        progressing_ = -progressing_;
                        try {
                            scene_->Progress(step, lastTime_);
                        } catch (...) {
                            progressing_ = -progressing_;
                            throw;
                        }
                        progressing_ = -progressing_;
                    }
                    std::vector<TGLCadenceAbleComponent*> subscribers = subscribed_;
                    for (TGLCadenceAbleComponent* c : subscribers)
                        if (std::find(subscribed_.begin(), subscribed_.end(), c) != subscribed_.end())
                            c->DoProgress({step, lastTime_});
                    if (OnProgress && !IsDesigning()) OnProgress(this, step, newTime);
                    if (step <= 0) break;
                    total -= step;
                }
            }
        }
    } catch (...) {
        --progressing_;
        throw;
    }
    --progressing_;
}

// ---- registration ----------------------------------------------------------------------------

void TGLCadencer::UpdateRegistration() {
    if (ComponentState().Contains(csLoading)) return;
    bool wanted = (mode_ == cmASAP || mode_ == cmApplicationIdle) && !IsDesigning() && scene_ && enabled_ &&
                  !ComponentState().Contains(csDestroying);
    if (!wanted) {
        Unregister(mode_);
        return;
    }
    if (mode_ == cmASAP) {
        if (!fastCadencers) fastCadencers = new std::vector<TGLCadencer*>();
        if (std::find(fastCadencers->begin(), fastCadencers->end(), this) == fastCadencers->end())
            fastCadencers->push_back(this);
        if (!fastHandler) fastHandler = new TASAPHandler();
    } else if (Application) {
        Application->OnIdle = MakeEvent(this, &TGLCadencer::IdleHandler);
    }
}

void TGLCadencer::Unregister(TGLCadencerMode mode) {
    if (mode == cmASAP) {
        // Emptied only: the handler packs the list at its next tick.
        if (fastCadencers)
            std::replace(fastCadencers->begin(), fastCadencers->end(), this, static_cast<TGLCadencer*>(nullptr));
    } else if (mode == cmApplicationIdle && Application) {
        // Another cadencer's (or the program's) idle handler stays.
        if (Application->OnIdle == MakeEvent(this, &TGLCadencer::IdleHandler)) Application->OnIdle = {};
    }
}

void TGLCadencer::IdleHandler(TObject*, bool& done) {
    Progress();
    done = false;  // keeps the idle step calling
}

// ---- setters ---------------------------------------------------------------------------------

void TGLCadencer::SetScene(TGLScene* value) {
    if (scene_ == value) return;
    if (scene_) scene_->RemoveFreeNotification(this);
    scene_ = value;
    if (scene_) scene_->FreeNotification(this);
    UpdateRegistration();
}

void TGLCadencer::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    if (!IsDesigning()) {
        if (enabled_)
            originTime_ += RawReferenceTime() - pausedAt_;  // the time spent disabled does not count
        else
            pausedAt_ = RawReferenceTime();
    }
    UpdateRegistration();
}

void TGLCadencer::SetTimeMultiplier(Double value) {
    if (value == timeMultiplier_) return;
    if (value != 0) {
        Double old = timeMultiplier_;
        if (old == 0) {
            SetEnabled(true);
            old = savedMultiplier_;
        }
        Double raw = RawReferenceTime();
        originTime_ = raw - (raw - originTime_) * old / value;  // no jump in the current time
    } else {
        savedMultiplier_ = timeMultiplier_;
        SetEnabled(false);
    }
    timeMultiplier_ = value;
}

void TGLCadencer::SetTimeReference(TGLCadencerTimeReference value) {
    if (value == timeReference_) return;
    // Readings of two clocks have nothing in common: the origin moves to the new clock so that
    // the time goes on from the last reading.
    Double current = currentTime_;
    timeReference_ = value;
    Double raw = RawReferenceTime();
    originTime_ = timeMultiplier_ != 0 ? raw - current / timeMultiplier_ : raw;
    pausedAt_ = raw;
}

void TGLCadencer::SetMode(TGLCadencerMode value) {
    if (value == mode_) return;
    if (mode_ != cmManual) Unregister(mode_);
    mode_ = value;
    UpdateRegistration();
}
