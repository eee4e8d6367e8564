#pragma once
// Animation controllers: components that blend a further animation into an actor's skeletal
// pose. Each one set on an actor fills one more input of the skeleton's blend (GLSkeleton.h)
// every time the actor draws.

#include "Component.h"
#include "GLActor.h"

struct TSkeletonLerpInfo;

class TGLBaseAnimationControler : public TComponent {
    Z_CLASS(TGLBaseAnimationControler, TComponent)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TGLBaseAnimationControler::Enabled, &TGLBaseAnimationControler::SetEnabled)
            .Default(true);
        p.Property(L"Actor", &TGLBaseAnimationControler::Actor, &TGLBaseAnimationControler::SetActor);
    }

public:
    explicit TGLBaseAnimationControler(TComponent* owner) : TComponent(owner) {}
    // Leaves the actor.
    ~TGLBaseAnimationControler() override;
    // Leaves the actor before anyone hears of the destruction.
    void BeforeDestruction() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Not owned; a freed actor is forgotten.
    TGLActor* Actor() const { return actor_; }
    void SetActor(TGLActor* value);

    // Tells the actor that its pose changed.
    virtual void DoChange();
    // Fills info with this controller's blend input; false when it has none (the base).
    virtual bool Apply(TSkeletonLerpInfo& info) { return false; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool enabled_ = true;
    TGLActor* actor_ = nullptr;
};

// Blends the named animation of the actor at a place from 0 (its start) to 1 (its end).
class TGLAnimationControler : public TGLBaseAnimationControler {
    Z_CLASS(TGLAnimationControler, TGLBaseAnimationControler)
    Z_PUBLISHED {
        p.Property(L"AnimationName", &TGLAnimationControler::AnimationName, &TGLAnimationControler::SetAnimationName);
        p.Property(L"Ratio", &TGLAnimationControler::Ratio, &TGLAnimationControler::SetRatio).Default(0.0);
    }

public:
    using TGLBaseAnimationControler::TGLBaseAnimationControler;

    // Letter case counts here; the actor's lookup ignores it.
    const String& AnimationName() const { return animationName_; }
    void SetAnimationName(const String& value);
    Single Ratio() const { return ratio_; }
    // Clamped to 0 .. 1.
    void SetRatio(Single value);

    // Only with an animation name.
    void DoChange() override;
    // The two frames around the place and the fraction between them, weight 1; false when
    // disabled or the actor has no such animation.
    bool Apply(TSkeletonLerpInfo& info) override;

private:
    String animationName_;
    Single ratio_ = 0;
};
