#pragma once
// The engine's change road: every value object reports each change of itself to its owner at
// once, so a change anywhere climbs the ownership chain to a scene object or the scene, which
// redraws. Value objects have no update bracket: batches are bracketed at the scene only.

#include "Events.h"
#include "GLComponent.h"
#include "GLCrossPlatform.h"
#include "Persistent.h"
#include "VectorTypes.h"

class TFiler;

// Implemented by everything that hears of its parts' changes.
class IChangeNotifiable {
public:
    virtual void ReportChange(TObject* sender) = 0;

protected:
    ~IChangeNotifiable() = default;
};

// The cadencer's step: its length and the new time, in seconds.
struct TProgressStepTimes {
    Double DeltaTime;
    Double NewTime;
};

// Implemented by the components the cadencer drives.
class IProgressReceiver {
public:
    virtual void DoProgress(const TProgressStepTimes& times) = 0;

protected:
    ~IProgressReceiver() = default;
};

using TGLProgressEvent = TEvent<void(TObject* Sender, Double deltaTime, Double newTime)>;

// A persistent value (colour, coordinates, texture, material...) that reports every change to
// the owner it was created with. It neither owns nor registers with its owner.
class TGLUpdateAbleObject : public TPersistent, public IChangeNotifiable {
    Z_CLASS(TGLUpdateAbleObject, TPersistent)
public:
    explicit TGLUpdateAbleObject(TPersistent* owner) : owner_(owner) {}

    TPersistent* Owner() const { return owner_; }
    // Streaming names nested values by their owner's path.
    TPersistent* GetOwner() const override { return owner_; }

    // Called by every setter after the value changed. Tells an update-able owner (object or
    // component) with this object as the sender, then fires OnChange; without an owner nothing
    // happens at all.
    void ReportChange(TObject* sender) override;

    TNotifyEvent OnChange;

private:
    TPersistent* owner_;
};

// A component the cadencer drives.
class TGLCadenceAbleComponent : public TGLComponent, public IProgressReceiver {
    Z_CLASS(TGLCadenceAbleComponent, TGLComponent)
public:
    using TGLComponent::TGLComponent;
    // Once per cadencer step for each subscribed component; nothing in the base.
    void DoProgress(const TProgressStepTimes& times) override {}
};

// A component that passes its parts' changes on to an update-able owner component.
class TGLUpdateAbleComponent : public TGLCadenceAbleComponent, public IChangeNotifiable {
    Z_CLASS(TGLUpdateAbleComponent, TGLCadenceAbleComponent)
public:
    using TGLCadenceAbleComponent::TGLCadenceAbleComponent;
    // Tells the owner component when it is update-able, with this component as the sender.
    void ReportChange(TObject* sender) override;
};

// Defines a form property holding the 16 bytes of value (four little-endian singles), always
// written; reading stores them without notification and refuses data of any other size.
void DefineVector4Property(TFiler* filer, const String& name, TVector4f& value);
