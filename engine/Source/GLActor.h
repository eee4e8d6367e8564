#pragma once
// TGLActor: the animated mesh. It keeps a current frame, a start and an end frame and the
// fraction of the way to the next frame, advances them on the cadencer's ticks at Interval
// milliseconds a frame, and before every draw poses its mesh objects for that place: by morph
// targets (GLMorphableMeshObject.h) or by the skeleton (GLSkeleton.h). Animations name frame
// ranges, so that callers switch motions by name; animation controllers (GLAnimationControler.h)
// blend further animations into the skeleton's pose.
//
//     auto* actor = static_cast<TGLActor*>(scene->Objects()->AddNewChild(TGLActor::StaticClass()));
//     actor->LoadFromFile(L"models\\Bot\\robot.smd");
//     actor->AddDataFromFile(L"models\\Bot\\stand.smd");   // a new last animation
//     actor->SetAnimationMode(aamLoop);
//     actor->SelectAnimationByName(L"stand");
//
// Sections: enumerations · TActorAnimation(s) · TGLActor.

#include <vector>

#include "Collection.h"
#include "GLBaseMesh.h"

class TGLActor;
class TGLBaseAnimationControler;

// ---- enumerations ----

// What the frames of an animation are.
Z_ENUM(TActorAnimationReference, int, aarMorph, aarSkeleton, aarNone)
Z_ENUM(TActorFrameInterpolation, int, afpNone, afpLinear)
Z_ENUM(TActorAnimationMode, int, aamNone, aamPlayOnce, aamLoop, aamBounceForward, aamBounceBackward, aamLoopBackward,
       aamExternal)
Z_ENUM(TGLActorOption, int, aoSkeletonNormalizeNormals)
using TGLActorOptions = TSet<TGLActorOption>;

// ---- animations ----

// A named range of frames. The frame setters keep start <= end within the actor's frames of
// the animation's kind.
class TActorAnimation : public TCollectionItem {
    Z_CLASS(TActorAnimation, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Name", &TActorAnimation::Name, &TActorAnimation::SetName);
        p.Property(L"StartFrame", &TActorAnimation::StartFrame, &TActorAnimation::SetStartFrame);
        p.Property(L"EndFrame", &TActorAnimation::EndFrame, &TActorAnimation::SetEndFrame);
        p.Property(L"Reference", &TActorAnimation::Reference, &TActorAnimation::SetReference).Default(aarMorph);
    }

public:
    explicit TActorAnimation(TCollection* collection) : TCollectionItem(collection) {}
    // Stops being the actor's pending animation.
    ~TActorAnimation() override;

    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    Integer StartFrame() const { return startFrame_; }
    // Clamped to the frames (-1 when there are none); the end follows when it is below.
    void SetStartFrame(Integer value);
    Integer EndFrame() const { return endFrame_; }
    // Clamped the same way; the start follows when it is above.
    void SetEndFrame(Integer value);
    TActorAnimationReference Reference() const { return reference_; }
    // Clamps both frames again for the new kind.
    void SetReference(TActorAnimationReference value);

    TGLActor* Actor() const;
    // Morph targets or skeleton frames of the actor; aarNone fails an assertion.
    Integer FrameCount() const;
    // Keeps the skeleton in place over the animation's frames.
    void RemoveRootDrift();

    // "index - name [start - end]".
    String DisplayName() const override;
    void Assign(TPersistent* source) override;

private:
    String name_;
    Integer startFrame_ = 0, endFrame_ = 0;
    TActorAnimationReference reference_ = aarMorph;
};

class TActorAnimations : public TOwnedCollection {
    Z_CLASS(TActorAnimations, TOwnedCollection)
public:
    explicit TActorAnimations(TGLActor* owner);

    TGLActor* Owner() const;
    TActorAnimation* Add() { return static_cast<TActorAnimation*>(TCollection::Add()); }
    // Raises EListError outside the items.
    TActorAnimation* GetAnimation(int index) const { return static_cast<TActorAnimation*>(Items(index)); }
    TActorAnimation* Last() const { return Count() > 0 ? GetAnimation(Count() - 1) : nullptr; }
    // The first animation of that name, ASCII letter case ignored; nullptr when none.
    TActorAnimation* FindName(const String& name) const;
};

// ---- TGLActor ----

class TGLActor : public TGLBaseMesh {
    Z_CLASS(TGLActor, TGLBaseMesh)
    Z_PUBLISHED {
        p.Property(L"StartFrame", &TGLActor::StartFrame, &TGLActor::SetStartFrame).Default(0);
        p.Property(L"EndFrame", &TGLActor::EndFrame, &TGLActor::SetEndFrame).Default(0);
        p.Property(L"Reference", &TGLActor::Reference, &TGLActor::SetReference).Default(aarMorph);
        p.Property(L"CurrentFrame", &TGLActor::CurrentFrame, &TGLActor::SetCurrentFrame).Default(0);
        p.Property(L"CurrentFrameDelta", &TGLActor::CurrentFrameDelta, &TGLActor::SetCurrentFrameDelta).Default(0.0);
        p.Property(L"FrameInterpolation", &TGLActor::FrameInterpolation, &TGLActor::SetFrameInterpolation)
            .Default(afpLinear);
        p.Property(L"Interval", &TGLActor::Interval, &TGLActor::SetInterval).Default(100);
        p.Property(L"AnimationMode", &TGLActor::AnimationMode, &TGLActor::SetAnimationMode).Default(aamNone);
        p.Event(L"OnFrameChanged", &TGLActor::OnFrameChanged);
        p.Event(L"OnEndFrameReached", &TGLActor::OnEndFrameReached);
        p.Event(L"OnStartFrameReached", &TGLActor::OnStartFrameReached);
        p.Property(L"Animations", &TGLActor::Animations, &TGLActor::SetAnimations).Stored(&TGLActor::AnimationsStored);
        p.Property(L"OverlaySkeleton", &TGLActor::OverlaySkeleton, &TGLActor::SetOverlaySkeleton).Default(false);
        p.Property(L"Options", &TGLActor::Options, &TGLActor::SetOptions)
            .Default(TGLActorOptions{aoSkeletonNormalizeNormals});
    }

public:
    // Drawn directly: the pose changes between frames without a structure change.
    explicit TGLActor(TComponent* owner);
    ~TGLActor() override;

    // ---- frames ----
    // Morph targets, skeleton frames or none, by Reference.
    Integer FrameCount() const;
    Integer StartFrame() const { return startFrame_; }
    // Ignores values outside the frames; the end and the current frame follow the start.
    void SetStartFrame(Integer value);
    Integer EndFrame() const { return endFrame_; }
    // Ignores values outside the frames; the current frame follows the end.
    void SetEndFrame(Integer value);
    TActorAnimationReference Reference() const { return reference_; }
    void SetReference(TActorAnimationReference value);
    Integer CurrentFrame() const { return currentFrame_; }
    // Clamped to the frames; resets the delta, may end play-once and turn bouncing round, then
    // OnFrameChanged.
    void SetCurrentFrame(Integer value);
    // The fraction of the way to the next frame.
    Single CurrentFrameDelta() const { return currentFrameDelta_; }
    void SetCurrentFrameDelta(Single value);
    TActorFrameInterpolation FrameInterpolation() const { return frameInterpolation_; }
    void SetFrameInterpolation(TActorFrameInterpolation value);
    // Milliseconds a frame.
    Integer Interval() const { return interval_; }
    void SetInterval(Integer value) { interval_ = value; }
    TActorAnimationMode AnimationMode() const { return animationMode_; }
    void SetAnimationMode(TActorAnimationMode value);
    TGLActorOptions Options() const { return options_; }
    void SetOptions(TGLActorOptions value);

    // The frame the current one moves to next, by the mode.
    Integer NextFrameIndex() const;
    // n steps, each followed by OnEndFrameReached or OnStartFrameReached when it reached that
    // frame.
    void NextFrame(Integer n = 1);

    // ---- animations ----
    TActorAnimations* Animations() const { return animations_; }
    void SetAnimations(TActorAnimations* value) { animations_->Assign(value); }
    // Smooth: taken over at the next frame step. Otherwise at once: reference, range, start.
    void SelectAnimation(TActorAnimation* animation, bool smooth = false);
    // A name no animation has changes nothing.
    void SelectAnimationByName(const String& name, bool smooth = false);
    // The animation waiting for the next frame step; nullptr when none.
    TActorAnimation* TargetAnimation() const { return targetAnimation_; }
    // Copies the other actor's range, place, mode and pending animation (by name), and its
    // skeleton's pose when both have frames.
    void SynchronizeWith(TGLActor* other);

    // ---- controllers (owned by their owners; they leave the list when freed) ----
    void AddControler(TGLBaseAnimationControler* controler);
    void RemoveControler(TGLBaseAnimationControler* controler);
    Integer ControlerCount() const { return Integer(controlers_.size()); }

    // ---- events ----
    TNotifyEvent OnFrameChanged, OnEndFrameReached, OnStartFrameReached;

    // ---- scene object ----
    // Advances by the elapsed time: whole frames step, the rest stays in the delta.
    void DoProgress(const TProgressStepTimes& times) override;
    // Poses the mesh objects for the current place, draws them, then the bones on top when
    // OverlaySkeleton is set.
    void BuildList(TRenderContextInfo& rci) override;
    void PrepareBuildList(TRenderContextInfo& rci) override {}
    // A named load first forgets the animations.
    void LoadFromStream(const String& fileName, TStream* stream) override;
    // The base mesh's copy, then an actor's animations, mode and place.
    void Assign(TPersistent* source) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // The range becomes every frame and the current frame the first.
    void AfterDataLoaded() override;

private:
    friend class TActorAnimation;
    bool AnimationsStored() const { return animations_->Count() > 0; }
    void FireEvent(const TNotifyEvent& event) {
        if (event) event(this);
    }
    // Clamps a frame index into the frames the skeleton has, for drawing.
    Integer SkeletonFrameIndex(Integer index) const;
    void PoseSkeleton(Integer next);

    Integer startFrame_ = 0, endFrame_ = 0;
    TActorAnimationReference reference_ = aarMorph;
    Integer currentFrame_ = 0;
    Single currentFrameDelta_ = 0;
    TActorFrameInterpolation frameInterpolation_ = afpLinear;
    Integer interval_ = 100;
    TActorAnimationMode animationMode_ = aamNone;
    TActorAnimations* animations_;
    TActorAnimation* targetAnimation_ = nullptr;
    std::vector<TGLBaseAnimationControler*> controlers_;
    TGLActorOptions options_{aoSkeletonNormalizeNormals};
};
