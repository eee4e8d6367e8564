// The cadencer: its clock arithmetic on an external clock, re-entrancy, and the fast mode under
// a real message loop.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "Application.h"
#include "FormDescription.h"
#include "GLCadencer.h"
#include "SceneFixtures.h"
#include "WindowTesting.h"

namespace {

struct TStep {
    Double delta, time;
};

class TStepRecorder : public TGLCadenceAbleComponent {
    Z_CLASS(TStepRecorder, TGLCadenceAbleComponent)
public:
    using TGLCadenceAbleComponent::TGLCadenceAbleComponent;
    void DoProgress(const TProgressStepTimes& times) override {
        steps.push_back({times.DeltaTime, times.NewTime});
        if (action) action();
    }
    std::vector<TStep> steps;
    std::function<void()> action;
};

// A manual cadencer on the external clock, with a recording subscriber.
struct TClockFixture {
    TClockFixture() : cadencer(new TGLCadencer(nullptr)), recorder(new TStepRecorder(nullptr)) {
        cadencer->SetMode(cmManual);
        cadencer->SetTimeReference(cmExternal);
        cadencer->Subscribe(recorder.get());
    }
    std::vector<TStep> StepAt(Double clock) {
        cadencer->SetCurrentTime(clock);
        recorder->steps.clear();
        cadencer->Progress();
        return recorder->steps;
    }
    std::unique_ptr<TGLCadencer> cadencer;
    std::unique_ptr<TStepRecorder> recorder;
};

void ExpectSteps(const std::vector<TStep>& actual, const std::vector<TStep>& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].delta, expected[i].delta, 1e-9) << what << " step " << i;
        EXPECT_NEAR(actual[i].time, expected[i].time, 1e-9) << what << " step " << i;
    }
}

TEST(Cadencer, StepsFollowTheDeltaLimits) {
    {
        TClockFixture f;
        f.cadencer->SetFixedDeltaTime(0.01);
        ExpectSteps(f.StepAt(0.035), {{0.01, 0.01}, {0.01, 0.02}, {0.01, 0.03}}, "fixed steps");
        ExpectSteps(f.StepAt(0.036), {}, "the remainder carries over");
        ExpectSteps(f.StepAt(0.041), {{0.01, 0.04}}, "and counts next time");
    }
    {
        TClockFixture f;
        f.cadencer->SetMaxDeltaTime(0.1);
        ExpectSteps(f.StepAt(2), {{0.1, 0.1}}, "a stall gives one capped step");
        EXPECT_NEAR(f.cadencer->OriginTime(), 1.9, 1e-9);
        EXPECT_NEAR(f.cadencer->GetCurrentTime(), 0.1, 1e-9);
        ExpectSteps(f.StepAt(2.05), {{0.05, 0.15}}, "then time runs on");
    }
    {
        TClockFixture f;
        f.cadencer->SetMinDeltaTime(0.05);
        ExpectSteps(f.StepAt(0.03), {}, "below the minimum");
        ExpectSteps(f.StepAt(0.06), {{0.06, 0.06}}, "one step of everything since");
    }
}

TEST(Cadencer, PausingAndTheMultiplierKeepTheTimeContinuous) {
    TClockFixture f;
    f.cadencer->SetCurrentTime(1);
    EXPECT_DOUBLE_EQ(f.cadencer->GetCurrentTime(), 1);

    f.cadencer->SetEnabled(false);
    ExpectSteps(f.StepAt(6), {}, "disabled");
    f.cadencer->SetEnabled(true);
    EXPECT_DOUBLE_EQ(f.cadencer->GetCurrentTime(), 1);  // the 5 seconds off do not count

    f.cadencer->SetTimeMultiplier(0);
    EXPECT_FALSE(f.cadencer->Enabled());
    f.cadencer->SetCurrentTime(10);
    f.cadencer->SetTimeMultiplier(2);
    EXPECT_TRUE(f.cadencer->Enabled());
    EXPECT_DOUBLE_EQ(f.cadencer->GetCurrentTime(), 1);  // frozen while at 0
    f.cadencer->SetCurrentTime(11);
    EXPECT_DOUBLE_EQ(f.cadencer->GetCurrentTime(), 3);  // then twice as fast

    // Switching clocks goes on from the last reading.
    f.cadencer->SetTimeReference(cmPerformanceCounter);
    EXPECT_NEAR(f.cadencer->GetCurrentTime(), 3, 0.05);
}

TEST(Cadencer, AdvancesTheSceneAndIsNotReenteredFromIt) {
    TSceneFixture scene;
    TClockFixture f;
    f.cadencer->SetScene(scene.scene);
    TGLBaseSceneObject* ball = scene.Add(nullptr, L"Ball");

    struct TListener : TObject {
        void Progressed(TObject*, Double delta, Double newTime) {
            times.push_back(newTime);
            if (cadencer) cadencer->Progress();  // ignored: the scene is being advanced
        }
        std::vector<Double> times;
        TGLCadencer* cadencer = nullptr;
    } listener;
    listener.cadencer = f.cadencer.get();
    ball->OnProgress = MakeEvent(&listener, &TListener::Progressed);

    f.StepAt(0.5);
    EXPECT_EQ(listener.times, std::vector<Double>{0.5});
    EXPECT_FALSE(f.cadencer->IsBusy());

    // A freed scene is forgotten.
    FreeObject(scene.scene);
    scene.scene = nullptr;
    EXPECT_EQ(f.cadencer->Scene(), nullptr);
}

std::vector<String> shownBoxes;

int RecordBox(HWND, const String& text, const String&, UINT) {
    shownBoxes.push_back(text);
    return IDOK;
}

TEST(Cadencer, FastModeTicksThroughTheMessageLoopAndLetsGoOfItsWindow) {
    TSceneFixture scene;
    auto cadencer = std::make_unique<TGLCadencer>(nullptr);
    TStepRecorder recorder(nullptr);
    cadencer->Subscribe(&recorder);
    EXPECT_EQ(CadencerTickWindow(), nullptr);  // no scene: not running
    cadencer->SetScene(scene.scene);
    HWND window = CadencerTickWindow();
    ASSERT_NE(window, nullptr);

    EXPECT_TRUE(PumpUntil([&] { return recorder.steps.size() >= 3; }));
    cadencer->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([] { return CadencerTickWindow() == nullptr; }));  // at the next tick
    EXPECT_FALSE(IsWindow(window));

    // An exception in a step is shown once and stops that cadencer.
    shownBoxes.clear();
    TMessageBoxFunction previous = SetMessageBoxFunction(&RecordBox);
    recorder.action = [] { throw Exception(L"step failed"); };
    cadencer->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return !cadencer->Enabled(); }));
    EXPECT_TRUE(PumpUntil([] { return CadencerTickWindow() == nullptr; }));
    SetMessageBoxFunction(previous);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0], L"step failed");

    // Freed while registered: it leaves the list.
    recorder.action = nullptr;
    cadencer->SetEnabled(true);
    cadencer.reset();
    EXPECT_TRUE(PumpUntil([] { return CadencerTickWindow() == nullptr; }));
}

}  // namespace

namespace {

TEST(Cadencer, StoredInAFormItStartsOnceLoaded) {
    AnsiString text;
    {
        TComponent form(nullptr);
        form.SetName(L"Form1");
        auto* scene = new TGLScene(&form);
        scene->SetName(L"Scene1");
        auto* cadencer = new TGLCadencer(&form);
        cadencer->SetName(L"GLCadencer1");
        cadencer->SetScene(scene);
        text = WriteComponentToText(&form);
        cadencer->SetTimeMultiplier(2);
        EXPECT_NE(WriteComponentToText(&form).find("TimeMultiplier = 2"), AnsiString::npos);
    }
    EXPECT_NE(text.find("Scene = Scene1"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("TimeMultiplier"), AnsiString::npos);  // the defaults are not written
    EXPECT_EQ(text.find("Mode"), AnsiString::npos);
    EXPECT_TRUE(PumpUntil([] { return CadencerTickWindow() == nullptr; }));

    auto form = std::make_unique<TComponent>(nullptr);
    ReadComponentFromText(text, form.get());
    auto* cadencer = dynamic_cast<TGLCadencer*>(form->FindComponent(L"GLCadencer1"));
    ASSERT_NE(cadencer, nullptr);
    EXPECT_EQ(cadencer->Scene(), form->FindComponent(L"Scene1"));
    EXPECT_NE(CadencerTickWindow(), nullptr);
    form.reset();
    EXPECT_TRUE(PumpUntil([] { return CadencerTickWindow() == nullptr; }));
}

}  // namespace

namespace {

TEST(Cadencer, IdleModeRunsFromTheApplicationsIdleStep) {
    ASSERT_NE(Application, nullptr);
    TSceneFixture scene;
    TGLCadencer cadencer(nullptr);
    TStepRecorder recorder(nullptr);
    cadencer.Subscribe(&recorder);
    cadencer.SetMode(cmApplicationIdle);
    cadencer.SetScene(scene.scene);
    EXPECT_EQ(CadencerTickWindow(), nullptr);
    ASSERT_TRUE(bool(Application->OnIdle));

    bool done = true;
    Application->OnIdle(Application, done);
    EXPECT_FALSE(done);  // keeps the idle step coming
    EXPECT_EQ(recorder.steps.size(), 1u);

    // Leaving the mode clears only its own handler.
    cadencer.SetMode(cmManual);
    EXPECT_FALSE(bool(Application->OnIdle));
    cadencer.SetMode(cmApplicationIdle);
    TGLCadencer other(nullptr);
    other.SetMode(cmApplicationIdle);
    other.SetScene(scene.scene);  // the last one registered runs
    cadencer.SetEnabled(false);
    EXPECT_TRUE(bool(Application->OnIdle));
    other.SetMode(cmManual);
    EXPECT_FALSE(bool(Application->OnIdle));
}

}  // namespace
