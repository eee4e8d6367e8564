#include "GLAnimationControler.h"

#include <algorithm>
#include <cmath>

#include "GLSkeleton.h"

// ---- TGLBaseAnimationControler ---------------------------------------------------------------

TGLBaseAnimationControler::~TGLBaseAnimationControler() {
    // Deleted without FreeObject: BeforeDestruction below did not run.
    if (actor_) SetActor(nullptr);
}

void TGLBaseAnimationControler::BeforeDestruction() {
    // First, while the actor still lists this controller.
    if (actor_) SetActor(nullptr);
    TComponent::BeforeDestruction();
}

void TGLBaseAnimationControler::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (actor_) DoChange();
}

void TGLBaseAnimationControler::SetActor(TGLActor* value) {
    if (value == actor_) return;
    if (actor_) actor_->RemoveControler(this);
    actor_ = value;
    if (actor_) {
        actor_->AddControler(this);
        DoChange();
    }
}

void TGLBaseAnimationControler::DoChange() {
    if (actor_) actor_->ReportChange(this);
}

void TGLBaseAnimationControler::Notification(TComponent* component, TOperation operation) {
    // The actor is going: it forgets its controllers itself.
    if (operation == opRemove && component == actor_) actor_ = nullptr;
    TComponent::Notification(component, operation);
}

// ---- TGLAnimationControler -------------------------------------------------------------------

void TGLAnimationControler::SetAnimationName(const String& value) {
    if (value == animationName_) return;
    animationName_ = value;
    DoChange();
}

void TGLAnimationControler::SetRatio(Single value) {
    if (value == ratio_) return;
    ratio_ = std::clamp(value, 0.0f, 1.0f);
    DoChange();
}

void TGLAnimationControler::DoChange() {
    if (!animationName_.empty()) TGLBaseAnimationControler::DoChange();
}

bool TGLAnimationControler::Apply(TSkeletonLerpInfo& info) {
    if (!Enabled() || !Actor()) return false;
    TActorAnimation* animation = Actor()->Animations()->FindName(animationName_);
    if (!animation) return false;
    if (ratio_ == 0) {
        info.FrameIndex1 = info.FrameIndex2 = animation->StartFrame();
        info.LerpFactor = 0;
    } else if (ratio_ == 1) {
        info.FrameIndex1 = info.FrameIndex2 = animation->EndFrame();
        info.LerpFactor = 0;
    } else {
        const Extended f = Extended(animation->EndFrame() - animation->StartFrame()) * ratio_ + animation->StartFrame();
        info.FrameIndex1 = Integer(std::trunc(f));
        info.FrameIndex2 = info.FrameIndex1 + 1;
        info.LerpFactor = Single(f - std::trunc(f));
    }
    info.Weight = 1;
    info.ExternalRotations = nullptr;
    info.ExternalQuaternions = nullptr;
    return true;
}
