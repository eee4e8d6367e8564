// The scene tree: child operations, lookup by name, the change road to the buffers, progress,
// lights, copying and form descriptions.
#include <gtest/gtest.h>

#include <cwchar>

#include "FormDescription.h"
#include "SceneFixtures.h"
#include "SysExceptions.h"
#include "SysUtils.h"

namespace {

TEST(SceneTree, PickingNamesFindTheirLiveObjectsOnly) {
    TSceneFixture f;
    auto* a = f.Add(nullptr, L"a");
    auto* b = f.Add(a, L"b");
    ASSERT_NE(a->PickingName(), 0u);
    ASSERT_NE(a->PickingName(), b->PickingName());
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(a->PickingName()), a);
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(b->PickingName()), b);
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(0), nullptr);
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(0xFFFFFFFFu), nullptr);
    const GLuint freed = b->PickingName();
    FreeObject(b);
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(freed), nullptr);
    // A later object may take the freed slot, and then that name finds it.
    auto* c = f.Add(nullptr, L"c");
    EXPECT_EQ(TGLBaseSceneObject::FindByPickingName(c->PickingName()), c);
}

TEST(SceneTree, FindByNameSearchesSubtreesBeforeALaterDirectMatch) {
    TSceneFixture f;
    auto* a = f.Add(nullptr, L"x");
    auto* b = f.Add(nullptr, L"B");
    auto* c = f.Add(b, L"X_");
    // Names are unique per owner, letter case ignored: the deep "X" has an owner of its own.
    TComponent otherOwner(nullptr);
    auto* deep = static_cast<TGLBaseSceneObject*>(TGLBaseSceneObject::StaticClass()->Create(&otherOwner));
    deep->SetName(L"X");
    c->AddChild(deep);

    struct Case {
        const wchar_t* name;
        bool ownOnly;
        TGLBaseSceneObject* expected;
    };
    const Case cases[] = {
        {L"x", false, deep},  // inside B's subtree wins over the direct child A
        {L"x", true, a},     {L"b", true, b}, {L"x_", false, c}, {L"nothing", false, nullptr},
    };
    for (const Case& k : cases)
        EXPECT_EQ(f.Root()->FindChild(k.name, k.ownOnly), k.expected) << AnsiString(k.name, k.name + wcslen(k.name));
    EXPECT_EQ(f.scene->FindObjectByName(L"X"), deep);
    deep->MoveTo(nullptr);
    FreeObject(deep);
}

TEST(SceneTree, RemoveWithKeepChildrenMovesThemLastFirst) {
    TSceneFixture f;
    auto* p = f.Add(nullptr, L"P");
    auto* k = f.Add(p, L"K");
    f.Add(p, L"Q");
    for (const wchar_t* n : {L"k1", L"k2", L"k3"}) f.Add(k, n);

    p->Remove(k, true);
    EXPECT_EQ(ChildNames(p), (std::vector<String>{L"Q", L"k3", L"k2", L"k1"}));
    EXPECT_EQ(k->Parent(), nullptr);
    EXPECT_EQ(k->Scene(), nullptr);  // detached: its changes go nowhere
    EXPECT_EQ(k->GetChildCount(), 0);
    EXPECT_EQ(p->GetChild(3)->Scene(), f.scene);

    auto* q = p->GetChild(0);
    f.Add(q, L"q1");
    p->Remove(q, false);
    EXPECT_EQ(ChildNames(q), std::vector<String>{L"q1"});
    FreeObject(k);
    FreeObject(q);
    EXPECT_EQ(f.scene->FindComponent(L"q1"), nullptr);  // freed with its parent
}

TEST(SceneTree, InsertMoveToAndIndexOperations) {
    TSceneFixture f;
    auto* p1 = f.Add(nullptr, L"P1");
    auto* p2 = f.Add(nullptr, L"P2");
    auto* o = f.Add(p1, L"O");
    f.Add(p2, L"Z1");
    f.Add(p2, L"Z2");

    // A bad index fails before anything moves.
    EXPECT_THROW(p2->Insert(5, o), EListError);
    EXPECT_EQ(o->Parent(), p1);

    p2->Insert(1, o);
    EXPECT_EQ(p1->GetChildCount(), 0);
    EXPECT_EQ(ChildNames(p2), (std::vector<String>{L"Z1", L"O", L"Z2"}));
    EXPECT_EQ(o->Index(), 1);

    o->SetIndex(99);  // clamped
    EXPECT_EQ(ChildNames(p2), (std::vector<String>{L"Z1", L"Z2", L"O"}));
    o->SetIndex(-4);
    EXPECT_EQ(o->Index(), 0);
    EXPECT_EQ(o->Owner(), f.scene);  // the root's owner owns what it creates; moving in place keeps it

    int before = f.buffer.changes;
    o->MoveTo(p2);  // the current parent: nothing happens
    EXPECT_EQ(o->Index(), 0);
    EXPECT_EQ(f.buffer.changes, before);

    o->MoveTo(p1);
    EXPECT_EQ(o->Parent(), p1);
    o->MoveTo(nullptr);
    EXPECT_EQ(o->Parent(), nullptr);
    EXPECT_EQ(o->Scene(), nullptr);
    EXPECT_EQ(o->Index(), -1);

    // AddChild of an object that still has a parent takes it out first.
    p1->AddChild(o);
    p2->AddChild(o);
    EXPECT_EQ(p1->GetChildCount(), 0);
    EXPECT_EQ(p2->GetChild(2), o);

    // No node may go under itself.
    auto* oChild = f.Add(o, L"OC");
    EXPECT_THROW(oChild->AddChild(o), EAssertionFailed);
    EXPECT_THROW(o->AddChild(o), EAssertionFailed);
    EXPECT_THROW(o->MoveTo(oChild), EAssertionFailed);
    EXPECT_EQ(o->Parent(), p2);
    EXPECT_THROW(p2->GetChild(3), EListError);
}

TEST(SceneTree, DeleteChildrenFreesCamerasFirstAndReportsNothing) {
    TSceneFixture f;
    auto* top = f.Add(nullptr, L"Top");
    auto* a = f.Add<TLoggedObject>(top, L"A");
    f.Add<TTestCamera>(a, L"Cam1");
    f.Add<TLoggedObject>(top, L"B");
    auto* cam2 = f.Add<TTestCamera>(top, L"Cam2");
    f.Add<TLoggedObject>(cam2, L"UnderCam2");

    FreedLog().clear();
    int before = f.buffer.changes;
    top->DeleteChildren();
    ASSERT_EQ(FreedLog().size(), 5u);
    EXPECT_EQ(FreedLog()[0], L"Cam1");
    EXPECT_EQ(FreedLog()[1], L"Cam2");
    EXPECT_EQ(top->GetChildCount(), 0);
    EXPECT_EQ(f.scene->ComponentCount(), 2);  // the root and Top
    EXPECT_EQ(f.buffer.changes, before);

    // The next change of any object repaints.
    top->SetVisible(false);
    EXPECT_EQ(f.buffer.changes, before + 1);
}

TEST(SceneTree, ChangesReachTheBuffersOncePerBracket) {
    TSceneFixture f;
    auto* o = f.Add(nullptr, L"O");
    auto* c = f.Add(o, L"C");
    TComponent looseOwner(nullptr);
    auto* loose = static_cast<TGLBaseSceneObject*>(TGLBaseSceneObject::StaticClass()->Create(&looseOwner));

    auto toggle = [](TGLBaseSceneObject* x, int times) {
        for (int i = 0; i < times; ++i) x->SetVisible(!x->Visible());
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        int expected;
    };
    const Case cases[] = {
        {"one change", [&] { toggle(c, 1); }, 1},
        {"200 changes in a scene bracket",
         [&] {
             f.scene->BeginUpdate();
             toggle(c, 200);
             f.scene->EndUpdate();
         },
         1},
        {"nested scene brackets",
         [&] {
             f.scene->BeginUpdate();
             f.scene->BeginUpdate();
             toggle(o, 3);
             f.scene->EndUpdate();
             toggle(o, 3);
             f.scene->EndUpdate();
         },
         1},
        {"nested object brackets",
         [&] {
             o->BeginUpdate();
             o->BeginUpdate();
             toggle(o, 5);
             o->EndUpdate();
             o->EndUpdate();
         },
         1},
        {"a detached object", [&] { toggle(loose, 4); }, 0},
        {"while the scene loads",
         [&] {
             f.scene->SetStateFlag(csLoading, true);
             toggle(c, 3);
             f.scene->SetStateFlag(csLoading, false);
         },
         0},
        {"while the object is read",
         [&] {
             c->SetStateFlag(csLoading, true);
             toggle(c, 3);
             c->SetStateFlag(csLoading, false);
         },
         0},
        {"a move of a clean object",
         [&] {
             c->AbsoluteMatrix();
             c->Position()->SetX(3);
             c->Position()->SetY(3);  // the matrices are already stale: no second report
         },
         1},
        {"a move of the parent",
         [&] {
             o->AbsoluteMatrix();
             c->AbsoluteMatrix();
             o->Position()->SetZ(1);
         },
         1},
    };
    for (const Case& k : cases) {
        int before = f.buffer.changes;
        k.act();
        EXPECT_EQ(f.buffer.changes - before, k.expected) << k.what;
    }
    // The parent's move reached the child's absolute position.
    EXPECT_FLOAT_EQ(c->GetAbsolutePosition().Z, 1);

    try {
        o->EndUpdate();
        ADD_FAILURE() << "unbalanced EndUpdate passed";
    } catch (const EAssertionFailed& e) {
        EXPECT_NE(e.Message().find(L"Unbalanced Begin/EndUpdate"), String::npos);
    }
    EXPECT_THROW(f.scene->EndUpdate(), EAssertionFailed);
    FreeObject(loose);
}

class TProgressLog : public TGLBehaviour {
    Z_CLASS(TProgressLog, TGLBehaviour)
public:
    using TGLBehaviour::TGLBehaviour;
    void DoProgress(const TProgressStepTimes& times) override { Log().push_back(L"behaviour"); }
    static std::vector<String>& Log() {
        static std::vector<String> log;
        return log;
    }
};

class TEffectLog : public TGLObjectEffect {
    Z_CLASS(TEffectLog, TGLObjectEffect)
public:
    using TGLObjectEffect::TGLObjectEffect;
    void DoProgress(const TProgressStepTimes& times) override { TProgressLog::Log().push_back(L"effect"); }
};

struct TProgressListener : TObject {
    void Progressed(TObject* sender, Double delta, Double newTime) {
        TProgressLog::Log().push_back(static_cast<TComponent*>(sender)->Name() + L"@" + IntToStr(Integer(newTime)));
        lastDelta = delta;
    }
    Double lastDelta = 0;
};

TEST(SceneTree, ProgressRunsChildrenLastFirstThenBehavioursEffectsAndTheEvent) {
    TSceneFixture f;
    TProgressListener listener;
    auto* p = f.Add(nullptr, L"P");
    for (const wchar_t* n : {L"C1", L"C2"})
        f.Add(p, n)->OnProgress = MakeEvent(&listener, &TProgressListener::Progressed);
    TProgressLog::StaticClass()->CreateItem(p->Behaviours());
    TEffectLog::StaticClass()->CreateItem(p->Effects());
    p->OnProgress = MakeEvent(&listener, &TProgressListener::Progressed);

    TProgressLog::Log().clear();
    f.scene->Progress(0.25, 2);
    EXPECT_EQ(TProgressLog::Log(), (std::vector<String>{L"C2@2", L"C1@2", L"behaviour", L"effect", L"P@2"}));
    EXPECT_EQ(listener.lastDelta, 0.25);

    // Each collection takes only its own kind.
    EXPECT_THROW(TEffectLog::StaticClass()->CreateItem(p->Behaviours()), EAssertionFailed);
    EXPECT_THROW(TProgressLog::StaticClass()->CreateItem(p->Effects()), EAssertionFailed);
    EXPECT_EQ(p->Behaviours()->GetNamePath(), L"P.Behaviours");
    EXPECT_EQ(p->Effects()->GetNamePath(), L"P.Effects");
}

TEST(SceneTree, LightsTakeTheFirstFreeOfEightSlots) {
    TSceneFixture f;
    auto* group = f.Add(nullptr, L"G");
    std::vector<TTestLight*> lights;
    for (int i = 0; i < 9; ++i) lights.push_back(f.Add<TTestLight>(group));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lights[i]->LightID(), 0x4000u + i);
    EXPECT_EQ(lights[8]->LightID(), 0u);  // never lit

    group->Remove(lights[3], false);
    EXPECT_EQ(lights[3]->LightID(), 0u);
    EXPECT_EQ(f.scene->Lights()->GetItem(3), nullptr);
    lights[8]->MoveTo(f.Root());  // re-registered: takes the freed slot
    EXPECT_EQ(lights[8]->LightID(), 0x4003u);

    // A detached subtree registers all its lights when it joins the scene.
    TComponent owner(nullptr);
    auto* loose = static_cast<TGLBaseSceneObject*>(TGLBaseSceneObject::StaticClass()->Create(&owner));
    auto* inner = static_cast<TTestLight*>(loose->AddNewChild(TTestLight::StaticClass()));
    EXPECT_EQ(inner->LightID(), 0u);
    group->Remove(lights[0], false);
    f.Root()->AddChild(loose);
    EXPECT_EQ(inner->LightID(), 0x4000u);
    FreeObject(lights[3]);
    FreeObject(lights[0]);
}

TEST(SceneTree, AssignCopiesTheSubtree) {
    TSceneFixture f;
    auto* src = f.Add(nullptr, L"Src");
    src->Position()->SetPoint(1, 2, 3);
    src->SetPitchAngle(30);
    src->SetVisible(false);
    src->SetTagFloat(2.5f);
    auto* child = f.Add<TTestBall>(src, L"Child");
    child->Position()->SetPoint(0, 5, 0);
    f.Add<TTestLight>(child, L"Lamp");
    TProgressLog::StaticClass()->CreateItem(src->Behaviours());

    auto* copy = f.Add(nullptr, L"Copy");
    f.Add(copy, L"Old");
    copy->Assign(src);
    EXPECT_EQ(f.scene->FindComponent(L"Old"), nullptr);
    ASSERT_EQ(copy->GetChildCount(), 1);
    EXPECT_EQ(copy->GetChild(0)->ClassType(), TTestBall::StaticClass());
    ASSERT_EQ(copy->GetChild(0)->GetChildCount(), 1);
    EXPECT_EQ(copy->GetChild(0)->GetChild(0)->ClassType(), TTestLight::StaticClass());
    EXPECT_FLOAT_EQ(copy->GetChild(0)->Position()->Y(), 5);
    EXPECT_FLOAT_EQ(copy->Position()->Z(), 3);
    EXPECT_FLOAT_EQ(copy->PitchAngle(), 30);
    EXPECT_FALSE(copy->Visible());
    EXPECT_FLOAT_EQ(copy->TagFloat(), 2.5f);
    EXPECT_EQ(copy->Behaviours()->Count(), 1);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(copy->LocalMatrix()[r][c], src->LocalMatrix()[r][c], 1e-6);
    EXPECT_THROW(child->Assign(src), EAssertionFailed);
}

TEST(SceneTree, SceneStoresItsTreeInAFormDescriptionAndReadsItBack) {
    RegisterClasses({TTestBall::StaticClass(), TGLBaseSceneObject::StaticClass()});
    RegisterXCollectionItemClass(TProgressLog::StaticClass());
    AnsiString text;
    {
        TComponent form(nullptr);
        form.SetName(L"Form1");
        auto* scene = new TGLScene(&form);
        scene->SetName(L"Scene1");
        scene->SetObjectsSorting(osRenderFarthestFirst);
        auto* ball = static_cast<TTestBall*>(scene->Objects()->AddNewChild(TTestBall::StaticClass()));
        ball->SetName(L"Ball");
        ball->Position()->SetPoint(1, 2, 3);
        ball->SetPitchAngle(90);
        ball->SetVisible(false);
        TProgressLog::StaticClass()->CreateItem(ball->Behaviours());
        auto* inner = ball->AddNewChild(TGLBaseSceneObject::StaticClass());
        inner->SetName(L"Inner");
        inner->Scale()->SetVector(2, 2, 2);
        text = WriteComponentToText(&form);
    }
    EXPECT_NE(text.find("BehavioursData"), AnsiString::npos);
    EXPECT_EQ(text.find("EffectsData"), AnsiString::npos);  // written only with items
    EXPECT_EQ(text.find("ObjectRoot"), AnsiString::npos);   // the root is the scene's own

    TComponent form(nullptr);
    ReadComponentFromText(text, &form);
    auto* scene = dynamic_cast<TGLScene*>(form.FindComponent(L"Scene1"));
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->ObjectsSorting(), osRenderFarthestFirst);
    auto* ball = dynamic_cast<TTestBall*>(form.FindComponent(L"Ball"));
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->Parent(), scene->Objects());
    EXPECT_EQ(ball->Scene(), scene);
    EXPECT_EQ(ball->GetParentComponent(), scene);
    EXPECT_FALSE(ball->Visible());
    EXPECT_FLOAT_EQ(ball->Position()->Z(), 3);
    EXPECT_FLOAT_EQ(ball->Position()->W(), 1);
    EXPECT_FLOAT_EQ(ball->PitchAngle(), 90);
    EXPECT_NEAR(ball->Direction()->Y(), 1, 1e-6);  // read as stored, not turned again
    EXPECT_NEAR(ball->Up()->Z(), -1, 1e-6);
    ASSERT_EQ(ball->Behaviours()->Count(), 1);
    EXPECT_EQ(ball->Behaviours()->GetItem(0)->ClassType(), TProgressLog::StaticClass());
    auto* inner = dynamic_cast<TGLBaseSceneObject*>(form.FindComponent(L"Inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Parent(), ball);
    EXPECT_FLOAT_EQ(inner->Scale()->X(), 2);
    EXPECT_FALSE(inner->ComponentState().Contains(csLoading));
}

TEST(SceneTree, RootBelongsOnlyToAScene) {
    TSceneFixture f;
    EXPECT_EQ(f.Root()->Name(), L"ObjectRoot");
    EXPECT_EQ(f.Root()->Scene(), f.scene);
    EXPECT_TRUE(f.Root()->ObjectStyle().Contains(osDirectDraw));
    EXPECT_THROW(TGLSceneRootObject(f.form.get()), EAssertionFailed);

    f.scene->SetObjectsSorting(osInherited);
    EXPECT_EQ(f.scene->ObjectsSorting(), osRenderBlendedLast);
    f.scene->SetVisibilityCulling(vcInherited);
    EXPECT_EQ(f.scene->VisibilityCulling(), vcNone);

    TRecordingBuffer second;
    f.scene->AddBuffer(&second);
    f.scene->AddBuffer(&second);
    EXPECT_EQ(f.scene->BufferCount(), 2);
    f.Add(nullptr)->SetVisible(false);
    EXPECT_EQ(second.changes, 1);
    f.scene->RemoveBuffer(&second);
    EXPECT_EQ(f.scene->BufferCount(), 1);
}

}  // namespace

namespace {

TEST(SceneObjectMaterial, MaterialChangesReachTheSceneAndTravelWithTheObject) {
    TSceneFixture f;
    auto* o = f.Add<TGLSceneObject>(nullptr, L"Lit");
    int before = f.buffer.changes;
    o->Material()->FrontProperties()->Diffuse()->SetAlpha(0.5f);
    EXPECT_GT(f.buffer.changes, before);
    EXPECT_FALSE(o->IsBlended());
    o->Material()->SetBlendingMode(bmTransparency);
    EXPECT_TRUE(o->IsBlended());
    o->SetHint(L"подсказка");

    auto* copy = f.Add<TGLSceneObject>(nullptr, L"Copy");
    copy->Assign(o);
    EXPECT_EQ(copy->Material()->BlendingMode(), bmTransparency);
    EXPECT_FLOAT_EQ(copy->Material()->FrontProperties()->Diffuse()->Alpha(), 0.5f);
    EXPECT_EQ(copy->Hint(), L"подсказка");

    AnsiString text = WriteComponentToText(f.form.get());
    EXPECT_NE(text.find("Material.BlendingMode = bmTransparency"), AnsiString::npos) << text;
}

}  // namespace
