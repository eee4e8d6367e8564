// The actor: frame stepping by the cadencer's ticks, animation modes and events, frame setters,
// animations and their selection, controllers, copies.
#include <gtest/gtest.h>

#include <memory>

#include "GLAnimationControler.h"
#include "MathExpect.h"
#include "SkeletonFixtures.h"
#include "TestSupport.h"

namespace {

// An actor with one bone and `frames` skeleton frames, counting its events.
class ActorSteps : public testing::Test {
protected:
    void Make(Integer frames) {
        frameChanges = endsReached = startsReached = 0;
        actor.reset(new TGLActor(nullptr));
        GiveSkeletonFrames(actor.get(), frames);
        actor->OnFrameChanged = MakeEvent(this, &ActorSteps::FrameChanged);
        actor->OnEndFrameReached = MakeEvent(this, &ActorSteps::EndReached);
        actor->OnStartFrameReached = MakeEvent(this, &ActorSteps::StartReached);
    }
    void Tick(Double seconds) {
        clock += seconds;
        actor->DoProgress({seconds, clock});
    }
    // The frames reached by single steps.
    std::vector<Integer> Steps(int n) {
        std::vector<Integer> frames;
        for (int i = 0; i < n; ++i) {
            actor->NextFrame();
            frames.push_back(actor->CurrentFrame());
        }
        return frames;
    }
    void FrameChanged(TObject*) { ++frameChanges; }
    void EndReached(TObject*) { ++endsReached; }
    void StartReached(TObject*) { ++startsReached; }

    std::unique_ptr<TGLActor> actor;
    Double clock = 0;
    int frameChanges = 0, endsReached = 0, startsReached = 0;
};

}  // namespace

TEST_F(ActorSteps, TicksAdvanceWholeFramesAndKeepTheRest) {
    Make(20);
    actor->SetAnimationMode(aamLoop);
    Tick(0.25);  // 2.5 frames of 100 ms
    EXPECT_EQ(actor->CurrentFrame(), 2);
    EXPECT_EQ(actor->CurrentFrameDelta(), 0.5f);
    Tick(0.25);
    EXPECT_EQ(actor->CurrentFrame(), 5);
    EXPECT_EQ(actor->CurrentFrameDelta(), 0);

    Tick(0.1);  // exactly one frame's time: the delta reaches 1 but does not pass it
    EXPECT_EQ(actor->CurrentFrame(), 5);
    EXPECT_EQ(actor->CurrentFrameDelta(), 1);
    Tick(0.001);
    EXPECT_EQ(actor->CurrentFrame(), 6);

    // Nothing moves without a mode, with an interval of 0, or over a single frame.
    struct Case {
        const char* what;
        TActorAnimationMode mode;
        Integer interval, start, end;
    };
    for (const Case& c : {Case{"no mode", aamNone, 100, 0, 19}, Case{"interval 0", aamLoop, 0, 0, 19},
                          Case{"one frame", aamLoop, 100, 4, 4}}) {
        Make(20);
        actor->SetAnimationMode(c.mode);
        actor->SetInterval(c.interval);
        actor->SetEndFrame(c.end);
        actor->SetStartFrame(c.start);
        const Integer before = actor->CurrentFrame();
        Tick(1);
        EXPECT_EQ(actor->CurrentFrame(), before) << c.what;
        EXPECT_EQ(actor->CurrentFrameDelta(), 0) << c.what;
    }
}

TEST_F(ActorSteps, ModesWalkTheirRanges) {
    struct Case {
        const char* what;
        TActorAnimationMode mode;
        Integer start, end, from;
        std::vector<Integer> frames;
        TActorAnimationMode modeAfter;
    };
    const Case cases[] = {
        {"loop", aamLoop, 3, 7, 5, {6, 7, 3, 4}, aamLoop},
        {"loop backward", aamLoopBackward, 3, 7, 3, {7, 6}, aamLoopBackward},
        {"bounce", aamBounceForward, 3, 5, 3, {4, 5, 4, 3, 4}, aamBounceForward},
        {"bounce, turned at the end", aamBounceForward, 3, 5, 4, {5}, aamBounceBackward},
        {"play once", aamPlayOnce, 0, 3, 1, {2, 3, 3, 3}, aamNone},
        {"none", aamNone, 0, 3, 1, {2, 3, 3}, aamNone},
        {"external", aamExternal, 0, 9, 4, {4, 4}, aamExternal},
    };
    for (const Case& c : cases) {
        Make(10);
        actor->SetStartFrame(c.start);
        actor->SetEndFrame(c.end);
        actor->SetCurrentFrame(c.from);
        actor->SetAnimationMode(c.mode);
        EXPECT_EQ(Steps(int(c.frames.size())), c.frames) << c.what;
        EXPECT_EQ(actor->AnimationMode(), c.modeAfter) << c.what;
    }
}

TEST_F(ActorSteps, PlayOnceStopsAtTheEndAndSaysSoOnce) {
    Make(10);
    actor->SetEndFrame(3);
    actor->SetAnimationMode(aamPlayOnce);
    frameChanges = 0;
    Tick(1.0);  // ten frames' time over four frames
    EXPECT_EQ(actor->CurrentFrame(), 3);
    EXPECT_EQ(actor->AnimationMode(), aamNone);
    EXPECT_EQ(endsReached, 1);
    EXPECT_EQ(frameChanges, 3);
    Tick(1.0);  // stopped: nothing more
    actor->NextFrame(5);
    EXPECT_EQ(endsReached, 1);

    // Again from the start: once more.
    actor->SetCurrentFrame(0);
    EXPECT_EQ(startsReached, 0);  // set, not reached by a step
    actor->SetAnimationMode(aamPlayOnce);
    Tick(1.0);
    EXPECT_EQ(endsReached, 2);

    // A loop reports each end and each start it reaches.
    Make(10);
    actor->SetEndFrame(2);
    actor->SetAnimationMode(aamLoop);
    actor->NextFrame(6);  // 1, 2, 0, 1, 2, 0
    EXPECT_EQ(endsReached, 2);
    EXPECT_EQ(startsReached, 2);
}

TEST_F(ActorSteps, FrameSettersIgnoreOrClampValuesOutsideTheFrames) {
    Make(10);
    actor->SetStartFrame(2);
    actor->SetEndFrame(6);
    for (Integer bad : {-1, 10, 99}) {
        actor->SetStartFrame(bad);
        actor->SetEndFrame(bad);
        EXPECT_EQ(actor->StartFrame(), 2) << bad;
        EXPECT_EQ(actor->EndFrame(), 6) << bad;
    }
    actor->SetCurrentFrame(99);
    EXPECT_EQ(actor->CurrentFrame(), 9);
    actor->SetCurrentFrame(-5);
    EXPECT_EQ(actor->CurrentFrame(), 0);

    // The current frame follows the range; the end follows the start.
    actor->SetCurrentFrame(8);
    actor->SetEndFrame(7);
    EXPECT_EQ(actor->CurrentFrame(), 7);
    actor->SetStartFrame(8);
    EXPECT_EQ(actor->EndFrame(), 8);
    EXPECT_EQ(actor->CurrentFrame(), 8);

    // Without frames of the reference's kind.
    actor->SetReference(aarNone);
    EXPECT_EQ(actor->FrameCount(), 0);
    actor->SetReference(aarMorph);
    EXPECT_EQ(actor->FrameCount(), 0);
}

TEST_F(ActorSteps, AnimationsAreSelectedByNameAtOnceOrAtTheNextStep) {
    Make(20);
    AddAnimation(actor.get(), L"walk", 2, 5);
    AddAnimation(actor.get(), L"run", 10, 14);
    EXPECT_EQ(actor->Animations()->GetAnimation(1)->DisplayName(), L"1 - run [10 - 14]");

    actor->SelectAnimationByName(L"RUN");
    EXPECT_EQ(actor->StartFrame(), 10);
    EXPECT_EQ(actor->EndFrame(), 14);
    EXPECT_EQ(actor->CurrentFrame(), 10);
    EXPECT_EQ(actor->Reference(), aarSkeleton);

    actor->SelectAnimationByName(L"jump");  // no such animation
    EXPECT_EQ(actor->StartFrame(), 10);
    EXPECT_EQ(actor->CurrentFrame(), 10);

    // Smoothly: the range stays until the next frame step, which starts the new animation.
    actor->SetAnimationMode(aamLoop);
    Tick(0.05);
    actor->SelectAnimationByName(L"walk", true);
    EXPECT_EQ(actor->CurrentFrameDelta(), 0);
    EXPECT_EQ(actor->StartFrame(), 10);
    EXPECT_EQ(actor->NextFrameIndex(), 2);
    Tick(0.15);
    EXPECT_EQ(actor->TargetAnimation(), nullptr);
    EXPECT_EQ(actor->StartFrame(), 2);
    EXPECT_EQ(actor->EndFrame(), 5);
    EXPECT_EQ(actor->CurrentFrame(), 2);

    // A pending animation that is freed is forgotten.
    actor->SelectAnimationByName(L"run", true);
    actor->Animations()->Delete(1);
    EXPECT_EQ(actor->TargetAnimation(), nullptr);
}

TEST_F(ActorSteps, AnimationFramesStayInsideTheirKind) {
    Make(6);
    TActorAnimation* animation = actor->Animations()->Add();
    animation->SetReference(aarSkeleton);
    animation->SetStartFrame(-3);
    EXPECT_EQ(animation->StartFrame(), 0);
    animation->SetEndFrame(40);
    EXPECT_EQ(animation->EndFrame(), 5);
    animation->SetStartFrame(9);
    EXPECT_EQ(animation->StartFrame(), 5);
    EXPECT_EQ(animation->EndFrame(), 5);
    animation->SetEndFrame(1);
    EXPECT_EQ(animation->StartFrame(), 1);
    // Morph frames: there are none.
    animation->SetReference(aarMorph);
    EXPECT_EQ(animation->StartFrame(), -1);
    EXPECT_EQ(animation->EndFrame(), -1);
    EXPECT_EQ(actor->Animations()->FindName(L""), animation);
}

TEST_F(ActorSteps, ControllersBlendTheirAnimationIntoThePose) {
    Make(20);
    AddAnimation(actor.get(), L"wave", 10, 18);
    TComponent owner(nullptr);
    auto* controler = new TGLAnimationControler(&owner);
    TSkeletonLerpInfo info;

    controler->SetActor(actor.get());
    EXPECT_EQ(actor->ControlerCount(), 1);
    EXPECT_FALSE(controler->Apply(info));  // no animation name
    controler->SetAnimationName(L"Wave");
    EXPECT_TRUE(controler->Apply(info));  // the actor's lookup ignores letter case

    struct Case {
        Single ratio;
        Integer frame1, frame2;
        Single factor;
    };
    for (const Case& c : {Case{0.25f, 12, 13, 0}, Case{0, 10, 10, 0}, Case{1, 18, 18, 0}, Case{0.3f, 12, 13, 0.4f},
                          Case{7, 18, 18, 0}}) {
        controler->SetRatio(c.ratio);
        info = TSkeletonLerpInfo{};
        ASSERT_TRUE(controler->Apply(info)) << c.ratio;
        EXPECT_EQ(info.FrameIndex1, c.frame1) << c.ratio;
        EXPECT_EQ(info.FrameIndex2, c.frame2) << c.ratio;
        EXPECT_NEAR(info.LerpFactor, c.factor, 1e-5) << c.ratio;
        EXPECT_EQ(info.Weight, 1) << c.ratio;
    }

    // Drawn at frame 3 with the controller at frame 12: bone 0 at (3, 0, 0) + (12, 0, 0).
    controler->SetRatio(0.25f);
    actor->SetCurrentFrame(3);
    actor->SetFrameInterpolation(afpNone);
    TRenderContextInfo rci{};
    actor->BuildList(rci);  // no mesh objects: posing only, no OpenGL
    EXPECT_TRUE(Near(actor->Skeleton()->CurrentFrame()->Position()->GetItem(0), {15, 0, 0}));
    controler->SetEnabled(false);
    actor->BuildList(rci);
    EXPECT_TRUE(Near(actor->Skeleton()->CurrentFrame()->Position()->GetItem(0), {3, 0, 0}));

    // A freed controller leaves the actor; a freed actor leaves its controllers.
    FreeObject(controler);
    EXPECT_EQ(actor->ControlerCount(), 0);
    auto* second = new TGLAnimationControler(&owner);
    second->SetActor(actor.get());
    actor.reset();
    EXPECT_EQ(second->Actor(), nullptr);
}

TEST_F(ActorSteps, CopiesTakeTheRangeModeAndPose) {
    Make(12);
    AddAnimation(actor.get(), L"walk", 2, 5);
    AddAnimation(actor.get(), L"run", 6, 9);
    actor->SelectAnimationByName(L"walk");
    actor->SetAnimationMode(aamBounceForward);
    actor->SetCurrentFrame(4);
    actor->SelectAnimationByName(L"run", true);

    std::unique_ptr<TGLActor> copy(new TGLActor(nullptr));
    copy->Assign(actor.get());
    EXPECT_EQ(copy->Animations()->Count(), 2);
    EXPECT_EQ(copy->Animations()->GetAnimation(1)->Name(), L"run");
    EXPECT_EQ(copy->StartFrame(), 2);
    EXPECT_EQ(copy->EndFrame(), 5);
    EXPECT_EQ(copy->CurrentFrame(), 4);
    EXPECT_EQ(copy->AnimationMode(), aamBounceForward);
    EXPECT_EQ(copy->Reference(), aarSkeleton);
    ASSERT_NE(copy->TargetAnimation(), nullptr);
    EXPECT_EQ(copy->TargetAnimation()->Collection(), copy->Animations());  // its own "run"
    EXPECT_EQ(copy->Skeleton()->Frames()->Count(), 12);
}
