#pragma once
// TGLCadencer: drives time. It reads a clock, and advances its scene and the components
// subscribed to it by the time elapsed: as fast as the message loop allows (cmASAP), on the
// application's idle step (cmApplicationIdle), or only when Progress is called (cmManual).
//
// The fast mode posts the registered message "TickGLCadencer" to one hidden window shared by
// every fast cadencer; each time it comes back the cadencers advance and the message is posted
// again. Everything runs on the GUI thread; the progressing counter (negative while the scene
// itself is being advanced) keeps a cadencer from being advanced again inside its own step.

#include <vector>

#include "BaseClasses.h"
#include "TypInfo.h"

class TGLScene;

Z_ENUM(TGLCadencerMode, int, cmManual, cmASAP, cmApplicationIdle)
Z_ENUM(TGLCadencerTimeReference, int, cmRTC, cmPerformanceCounter, cmExternal)

class TGLCadencer : public TComponent {
    Z_CLASS(TGLCadencer, TComponent)
    Z_PUBLISHED {
        p.Property(L"Scene", &TGLCadencer::Scene, &TGLCadencer::SetScene);
        p.Property(L"Enabled", &TGLCadencer::Enabled, &TGLCadencer::SetEnabled).Default(true);
        p.Property(L"TimeMultiplier", &TGLCadencer::TimeMultiplier, &TGLCadencer::SetTimeMultiplier).Default(1.0);
        p.Property(L"TimeReference", &TGLCadencer::TimeReference, &TGLCadencer::SetTimeReference)
            .Default(cmPerformanceCounter);
        p.Property(L"Mode", &TGLCadencer::Mode, &TGLCadencer::SetMode).Default(cmASAP);
        p.Property(L"SleepLength", &TGLCadencer::SleepLength, &TGLCadencer::SetSleepLength).Default(-1);
        p.Property(L"MaxDeltaTime", &TGLCadencer::MaxDeltaTime, &TGLCadencer::SetMaxDeltaTime).Default(0.0);
        p.Property(L"MinDeltaTime", &TGLCadencer::MinDeltaTime, &TGLCadencer::SetMinDeltaTime).Default(0.0);
        p.Property(L"FixedDeltaTime", &TGLCadencer::FixedDeltaTime, &TGLCadencer::SetFixedDeltaTime).Default(0.0);
        p.Event(L"OnProgress", &TGLCadencer::OnProgress);
    }

public:
    explicit TGLCadencer(TComponent* owner);
    ~TGLCadencer() override;
    void BeforeDestruction() override;
    void Loaded() override;

    // One advance: every step of the elapsed time goes to the scene, the subscribers and
    // OnProgress.
    void Progress();
    // The clock as it reads now, in seconds.
    Double RawReferenceTime() const;
    // (raw - origin) * TimeMultiplier; also kept as the last reading.
    Double GetCurrentTime();
    // The last reading.
    Double CurrentTime() const { return currentTime_; }
    // The clock of cmExternal, set by the program.
    void SetCurrentTime(Double value) { externalTime_ = value; }
    Double OriginTime() const { return originTime_; }
    Double LastTime() const { return lastTime_; }
    bool IsBusy() const { return progressing_ != 0; }

    // Components advanced with the scene; they leave the list when freed.
    void Subscribe(TGLCadenceAbleComponent* component);
    void UnSubscribe(TGLCadenceAbleComponent* component);

    TGLScene* Scene() const { return scene_; }
    void SetScene(TGLScene* value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    Double TimeMultiplier() const { return timeMultiplier_; }
    void SetTimeMultiplier(Double value);
    TGLCadencerTimeReference TimeReference() const { return timeReference_; }
    // The current time goes on from where it was, read from the new clock.
    void SetTimeReference(TGLCadencerTimeReference value);
    TGLCadencerMode Mode() const { return mode_; }
    void SetMode(TGLCadencerMode value);
    Integer SleepLength() const { return sleepLength_; }
    void SetSleepLength(Integer value) { sleepLength_ = value; }
    Double MaxDeltaTime() const { return maxDeltaTime_; }
    void SetMaxDeltaTime(Double value) { maxDeltaTime_ = value; }
    Double MinDeltaTime() const { return minDeltaTime_; }
    void SetMinDeltaTime(Double value) { minDeltaTime_ = value; }
    Double FixedDeltaTime() const { return fixedDeltaTime_; }
    void SetFixedDeltaTime(Double value) { fixedDeltaTime_ = value; }
    TGLProgressEvent OnProgress;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TASAPHandler;
    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    void UpdateRegistration();
    void Unregister(TGLCadencerMode mode);
    void IdleHandler(TObject* sender, bool& done);

    std::vector<TGLCadenceAbleComponent*> subscribed_;
    TGLScene* scene_ = nullptr;
    Double timeMultiplier_ = 1.0;
    Double lastTime_ = 0;
    Double pausedAt_ = 0;
    Double savedMultiplier_ = 1.0;
    bool enabled_ = false;
    Integer sleepLength_ = -1;
    TGLCadencerMode mode_ = cmManual;
    TGLCadencerTimeReference timeReference_ = cmPerformanceCounter;
    Double currentTime_ = 0;
    Double externalTime_ = 0;
    Double originTime_ = 0;
    Double maxDeltaTime_ = 0, minDeltaTime_ = 0, fixedDeltaTime_ = 0;
    Integer progressing_ = 0;
    bool tornDown_ = false;
};

// The hidden window of the fast mode; null while no cadencer runs in it.
HWND CadencerTickWindow();

void InitializeGLCadencer();
void FinalizeGLCadencer();
