// The actor: animations, frame stepping by the cadencer, posing before each draw.
//
// Sections: TActorAnimation · TActorAnimations · TGLActor frames · stepping · animations and
// controllers · drawing · loading and copying.

#include "GLActor.h"

#include <algorithm>
#include <cmath>

#include "Format.h"
#include "GLAnimationControler.h"
#include "GLMeshObject.h"
#include "GLSkeleton.h"
#include "GLState.h"
#include "OpenGL1x.h"
#include "SysUtils.h"

// ---- TActorAnimation -------------------------------------------------------------------------

TActorAnimation::~TActorAnimation() {
    if (TGLActor* actor = Actor())
        if (actor->targetAnimation_ == this) actor->targetAnimation_ = nullptr;
}

TGLActor* TActorAnimation::Actor() const {
    auto* animations = dynamic_cast<TActorAnimations*>(Collection());
    return animations ? animations->Owner() : nullptr;
}

Integer TActorAnimation::FrameCount() const {
    TGLActor* actor = Actor();
    switch (reference_) {
        case aarMorph:
            return actor ? actor->MeshObjects()->MorphTargetCount() : 0;
        case aarSkeleton:
            return actor ? actor->Skeleton()->Frames()->Count() : 0;
        default:
            Assert(false, L"GLVectorFileObjects: an animation without frames");
            return 0;
    }
}

void TActorAnimation::SetStartFrame(Integer value) {
    const Integer frames = FrameCount();
    if (value < 0) value = 0;
    if (value >= frames) value = frames - 1;
    startFrame_ = value;
    if (endFrame_ < startFrame_) endFrame_ = startFrame_;
}

void TActorAnimation::SetEndFrame(Integer value) {
    const Integer frames = FrameCount();
    if (value < 0) value = 0;
    if (value >= frames) value = frames - 1;
    endFrame_ = value;
    if (value < startFrame_) startFrame_ = value;
}

void TActorAnimation::SetReference(TActorAnimationReference value) {
    if (value == reference_) return;
    reference_ = value;
    SetStartFrame(startFrame_);
    SetEndFrame(endFrame_);
}

void TActorAnimation::RemoveRootDrift() {
    if (TGLActor* actor = Actor()) actor->Skeleton()->RemoveRootDrift(startFrame_, endFrame_);
}

String TActorAnimation::DisplayName() const {
    return Format(L"%d - %s [%d - %d]", {Index(), name_, startFrame_, endFrame_});
}

void TActorAnimation::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TActorAnimation*>(source)) {
        name_ = other->name_;
        startFrame_ = other->startFrame_;
        endFrame_ = other->endFrame_;
        reference_ = other->reference_;
        return;
    }
    TCollectionItem::Assign(source);
}

// ---- TActorAnimations ------------------------------------------------------------------------

TActorAnimations::TActorAnimations(TGLActor* owner) : TOwnedCollection(owner, TActorAnimation::StaticClass()) {}

TGLActor* TActorAnimations::Owner() const { return static_cast<TGLActor*>(GetOwner()); }

TActorAnimation* TActorAnimations::FindName(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(GetAnimation(i)->Name(), name)) return GetAnimation(i);
    return nullptr;
}

// ---- TGLActor frames -------------------------------------------------------------------------

TGLActor::TGLActor(TComponent* owner) : TGLBaseMesh(owner), animations_(new TActorAnimations(this)) {
    SetObjectStyle(ObjectStyle() + osDirectDraw);
}

TGLActor::~TGLActor() {
    // Controllers hear of the end through the free notifications; the animations go with the
    // actor, its pending one first.
    BeforeDestruction();
    targetAnimation_ = nullptr;
    FreeAndNil(animations_);
}

Integer TGLActor::FrameCount() const {
    switch (reference_) {
        case aarMorph:
            return MeshObjects()->MorphTargetCount();
        case aarSkeleton:
            return Skeleton()->Frames()->Count();
        default:
            return 0;
    }
}

void TGLActor::SetCurrentFrame(Integer value) {
    if (value == currentFrame_) return;
    const Integer frames = FrameCount();
    if (value > frames - 1) value = frames - 1;
    if (value < 0) value = 0;
    currentFrame_ = value;
    currentFrameDelta_ = 0;
    switch (animationMode_) {
        case aamPlayOnce:
            if (currentFrame_ == endFrame_ && !targetAnimation_) animationMode_ = aamNone;
            break;
        case aamBounceForward:
            if (currentFrame_ == endFrame_) animationMode_ = aamBounceBackward;
            break;
        case aamBounceBackward:
            if (currentFrame_ == startFrame_) animationMode_ = aamBounceForward;
            break;
        default:
            break;
    }
    StructureChanged();
    FireEvent(OnFrameChanged);
}

void TGLActor::SetStartFrame(Integer value) {
    if (value >= 0 && value < FrameCount() && value != startFrame_) startFrame_ = value;
    if (endFrame_ < startFrame_) endFrame_ = startFrame_;
    if (currentFrame_ < startFrame_) SetCurrentFrame(startFrame_);
}

void TGLActor::SetEndFrame(Integer value) {
    if (value >= 0 && value < FrameCount() && value != endFrame_) endFrame_ = value;
    if (currentFrame_ > endFrame_) SetCurrentFrame(endFrame_);
}

void TGLActor::SetReference(TActorAnimationReference value) {
    if (value == reference_) return;
    reference_ = value;
    StructureChanged();
}

void TGLActor::SetCurrentFrameDelta(Single value) {
    if (value == currentFrameDelta_) return;
    currentFrameDelta_ = value;
    StructureChanged();
}

void TGLActor::SetFrameInterpolation(TActorFrameInterpolation value) {
    if (value == frameInterpolation_) return;
    frameInterpolation_ = value;
    StructureChanged();
}

void TGLActor::SetAnimationMode(TActorAnimationMode value) {
    if (value == animationMode_) return;
    animationMode_ = value;
    StructureChanged();
}

void TGLActor::SetOptions(TGLActorOptions value) {
    if (value == options_) return;
    options_ = value;
    StructureChanged();
}

// ---- stepping --------------------------------------------------------------------------------

Integer TGLActor::NextFrameIndex() const {
    switch (animationMode_) {
        case aamNone:
        case aamPlayOnce:
            if (targetAnimation_) return targetAnimation_->StartFrame();
            return std::min(currentFrame_ + 1, endFrame_);
        case aamLoop:
        case aamBounceForward:
            if (targetAnimation_) return targetAnimation_->StartFrame();
            if (currentFrame_ + 1 <= endFrame_) return currentFrame_ + 1;
            return std::min(endFrame_, currentFrame_ + startFrame_ - endFrame_);
        case aamBounceBackward:
        case aamLoopBackward:
            if (targetAnimation_) return targetAnimation_->StartFrame();
            if (currentFrame_ - 1 >= startFrame_) return currentFrame_ - 1;
            return std::max(startFrame_, endFrame_ + currentFrame_ - startFrame_);
        case aamExternal:
            return currentFrame_;
        default:
            Assert(false, L"GLVectorFileObjects: unknown animation mode");
            return currentFrame_;
    }
}

void TGLActor::NextFrame(Integer n) {
    for (Integer i = 0; i < n; ++i) {
        const Integer before = currentFrame_;
        SetCurrentFrame(NextFrameIndex());
        // A step that stays where it was (play-once at its end) reaches nothing again, so each
        // end of a play-once animation is reported once.
        if (currentFrame_ == before) continue;
        if (currentFrame_ == endFrame_) FireEvent(OnEndFrameReached);
        if (currentFrame_ == startFrame_) FireEvent(OnStartFrameReached);
    }
}

void TGLActor::DoProgress(const TProgressStepTimes& times) {
    TGLBaseMesh::DoProgress(times);
    if (animationMode_ == aamNone || interval_ <= 0 || startFrame_ == endFrame_ || FrameCount() <= 1) return;
    currentFrameDelta_ = Single(currentFrameDelta_ + times.DeltaTime * 1000 / interval_);
    if (currentFrameDelta_ > 1) {
        if (targetAnimation_) {
            TActorAnimation* target = targetAnimation_;
            targetAnimation_ = nullptr;
            SelectAnimation(target, false);
        }
        const Single delta = currentFrameDelta_;
        const Integer steps = Integer(std::trunc(delta));
        NextFrame(steps);
        currentFrameDelta_ = delta - Single(steps);
        StructureChanged();
    } else if (frameInterpolation_ != afpNone) {
        StructureChanged();
    }
}

// ---- animations and controllers --------------------------------------------------------------

void TGLActor::SelectAnimation(TActorAnimation* animation, bool smooth) {
    if (!animation) return;
    if (smooth) {
        targetAnimation_ = animation;
        currentFrameDelta_ = 0;
        return;
    }
    SetReference(animation->Reference());
    SetStartFrame(animation->StartFrame());
    SetEndFrame(animation->EndFrame());
    SetCurrentFrame(startFrame_);
}

void TGLActor::SelectAnimationByName(const String& name, bool smooth) {
    SelectAnimation(animations_->FindName(name), smooth);
}

void TGLActor::SynchronizeWith(TGLActor* other) {
    if (!other) return;
    // The reference first: the range is checked against the frames of the kind it will index.
    reference_ = other->reference_;
    const Integer frames = FrameCount();
    if (other->startFrame_ < frames) startFrame_ = other->startFrame_;
    if (other->endFrame_ < frames) endFrame_ = other->endFrame_;
    if (other->currentFrame_ < frames) currentFrame_ = other->currentFrame_;
    currentFrameDelta_ = other->currentFrameDelta_;
    animationMode_ = other->animationMode_;
    frameInterpolation_ = other->frameInterpolation_;
    targetAnimation_ = other->targetAnimation_ ? animations_->FindName(other->targetAnimation_->Name()) : nullptr;
    if (Skeleton()->Frames()->Count() > 0 && other->Skeleton()->Frames()->Count() > 0)
        Skeleton()->Synchronize(other->Skeleton());
}

void TGLActor::AddControler(TGLBaseAnimationControler* controler) {
    if (std::find(controlers_.begin(), controlers_.end(), controler) != controlers_.end()) return;
    controlers_.push_back(controler);
    controler->FreeNotification(this);
}

void TGLActor::RemoveControler(TGLBaseAnimationControler* controler) {
    Assert(!controlers_.empty(), L"GLVectorFileObjects: the actor has no controllers");
    std::erase(controlers_, controler);
    controler->RemoveFreeNotification(this);
}

void TGLActor::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) std::erase(controlers_, component);
    TGLBaseMesh::Notification(component, operation);
}

// ---- drawing ---------------------------------------------------------------------------------

Integer TGLActor::SkeletonFrameIndex(Integer index) const {
    return std::clamp(index, 0, Skeleton()->Frames()->Count() - 1);
}

void TGLActor::PoseSkeleton(Integer next) {
    TSkeleton* skeleton = Skeleton();
    // The range may outlive the frames it was set for (a new reference, a failed load): the
    // pose is taken from the nearest frame there is.
    const Integer current = SkeletonFrameIndex(currentFrame_);
    const bool linear = frameInterpolation_ == afpLinear;
    if (!controlers_.empty() && animationMode_ != aamExternal) {
        std::vector<TSkeletonLerpInfo> infos(controlers_.size() + 1);
        const bool between = next >= 0 && linear;
        infos[0].FrameIndex1 = current;
        infos[0].FrameIndex2 = between ? SkeletonFrameIndex(next) : current;
        infos[0].LerpFactor = between ? currentFrameDelta_ : 0;
        infos[0].Weight = 1;
        size_t kept = 1;
        for (TGLBaseAnimationControler* controler : controlers_)
            if (controler->Apply(infos[kept])) {
                infos[kept].FrameIndex1 = SkeletonFrameIndex(infos[kept].FrameIndex1);
                infos[kept].FrameIndex2 = SkeletonFrameIndex(infos[kept].FrameIndex2);
                ++kept;
            }
        infos.resize(kept);
        skeleton->BlendedLerps(infos);
    } else if (next >= 0 && animationMode_ != aamExternal) {
        if (linear)
            skeleton->LerpFrames(current, SkeletonFrameIndex(next), currentFrameDelta_);
        else
            skeleton->SetCurrentFrame(skeleton->Frames()->Frame(current));
    }
    skeleton->MorphMesh(options_.Contains(aoSkeletonNormalizeNormals));
}

void TGLActor::BuildList(TRenderContextInfo& rci) {
    const Integer next = NextFrameIndex();
    if (reference_ == aarSkeleton && Skeleton()->Frames()->Count() > 0) {
        PoseSkeleton(next);
    } else if (reference_ == aarMorph && next >= 0) {
        const Integer targets = MeshObjects()->MorphTargetCount();
        if (targets > 0) {
            const Integer current = std::clamp(currentFrame_, 0, targets - 1);
            if (frameInterpolation_ == afpLinear)
                MeshObjects()->Lerp(current, std::clamp(next, 0, targets - 1), currentFrameDelta_);
            else
                MeshObjects()->MorphTo(current);
        }
    }
    TGLBaseMesh::BuildList(rci);
    if (OverlaySkeleton()) {
        TEnableAttribScope scope(rci.GLStates);
        if (rci.GLStates) rci.GLStates->DisableState(stDepthTest);
        Skeleton()->RootBones()->BuildList(rci);
    }
}

// ---- loading and copying ---------------------------------------------------------------------

void TGLActor::LoadFromStream(const String& fileName, TStream* stream) {
    if (!fileName.empty()) {
        targetAnimation_ = nullptr;
        animations_->Clear();
    }
    TGLBaseMesh::LoadFromStream(fileName, stream);
}

void TGLActor::AfterDataLoaded() {
    startFrame_ = 0;
    endFrame_ = FrameCount() - 1;
    currentFrame_ = 0;
    FireEvent(OnFrameChanged);
    TGLBaseMesh::AfterDataLoaded();
}

void TGLActor::Assign(TPersistent* source) {
    TGLBaseMesh::Assign(source);
    if (auto* other = dynamic_cast<TGLActor*>(source)) {
        targetAnimation_ = nullptr;
        animations_->Assign(other->animations_);
        animationMode_ = other->animationMode_;
        SynchronizeWith(other);
    }
}
