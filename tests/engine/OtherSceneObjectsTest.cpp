// The direct-OpenGL object, the render point, the proxy and the effects' render steps: what
// they draw and in which order, recorded; the proxy's ray test and barycenter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLDirectOpenGL.h"
#include "GLObjects.h"
#include "GLProxyObject.h"
#include "GLRecorder.h"
#include "GLRenderPoint.h"
#include "GLState.h"
#include "MathExpect.h"
#include "PersistentObjectList.h"
#include "PrimitiveFixtures.h"
#include "SceneBufferFixtures.h"
#include "SceneFixtures.h"

namespace {

// Everything drawn lands in one log, as "who:what".
std::vector<std::string>& ProxyAndEffectLog() {
    static std::vector<std::string> log;
    return log;
}

std::string NarrowName(const String& s) { return std::string(s.begin(), s.end()); }

// A direct-draw object that logs its drawing with the record's proxy flag.
class TLoggingObject : public TGLBaseSceneObject {
    Z_CLASS(TLoggingObject, TGLBaseSceneObject)
public:
    explicit TLoggingObject(TComponent* owner) : TGLBaseSceneObject(owner) {
        SetObjectStyle(TGLObjectStyle{osDirectDraw});
    }
    void BuildList(TRenderContextInfo& rci) override {
        ProxyAndEffectLog().push_back(NarrowName(Name()) + (rci.insideProxy ? ":draw in proxy" : ":draw"));
    }
};

class TLoggingEffect : public TGLObjectEffect {
    Z_CLASS(TLoggingEffect, TGLObjectEffect)
public:
    using TGLObjectEffect::TGLObjectEffect;
    void PreRender(TRenderContextInfo&) override { ProxyAndEffectLog().push_back("effect:pre"); }
    void Render(TRenderContextInfo&) override { ProxyAndEffectLog().push_back("effect:post"); }
};

class TLoggingAfterEffect : public TGLObjectAfterEffect {
    Z_CLASS(TLoggingAfterEffect, TGLObjectAfterEffect)
public:
    using TGLObjectAfterEffect::TGLObjectAfterEffect;
    void Render(TRenderContextInfo&) override { ProxyAndEffectLog().push_back("after effect"); }
};

class OtherObjectsTest : public testing::Test {
protected:
    void SetUp() override {
        ProxyAndEffectLog().clear();
        rci.GLStates = &states;
        rci.afterRenderEffects = &afterEffects;
        rci.scene = scene.scene;
    }
    std::vector<std::string> Render(TGLBaseSceneObject* object) {
        ProxyAndEffectLog().clear();
        object->Render(rci);
        return ProxyAndEffectLog();
    }

    TSceneFixture scene;
    TGLRecorder recorder;
    TGLStateCache states;
    TPersistentObjectList afterEffects;
    TRenderContextInfo rci;
};

// ---- direct OpenGL ---------------------------------------------------------------------------

struct TRenderHandler : TObject {
    void Draw(TObject* sender, TRenderContextInfo& rci) {
        senders.push_back(sender);
        GL.glVertex3f(7, 7, 7);
    }
    std::vector<TObject*> senders;
};

TEST_F(OtherObjectsTest, DirectOpenGLHandsItsDrawingToTheEvent) {
    auto* direct = scene.Add<TGLDirectOpenGL>(nullptr, L"Direct");
    EXPECT_TRUE(direct->ObjectStyle().Contains(osDirectDraw));
    EXPECT_TRUE(direct->ObjectStyle().Contains(osDoesTemperWithColorsOrFaceWinding));
    TRenderHandler handler;
    direct->OnRender = MakeEvent(&handler, &TRenderHandler::Draw);
    Render(direct);
    Render(direct);
    EXPECT_EQ(handler.senders, (std::vector<TObject*>{direct, direct}));  // every frame
    EXPECT_EQ(CallsNamed(recorder.Calls(), "glVertex3f").size(), 2u);

    direct->SetUseBuildList(true);  // compiled once into a display list from now on
    EXPECT_FALSE(direct->ObjectStyle().Contains(osDirectDraw));
    direct->SetUseBuildList(false);
    EXPECT_TRUE(direct->ObjectStyle().Contains(osDirectDraw));
    EXPECT_FALSE(direct->IsBlended());
    direct->SetBlend(true);
    EXPECT_TRUE(direct->IsBlended());
    EXPECT_TRUE(Near(direct->UnscaledDimensions(), TVector4f{0, 0, 0, 1}));
}

// ---- render point ----------------------------------------------------------------------------

struct TCallbackOwner : TObject {
    explicit TCallbackOwner(std::string name) : name(std::move(name)) {}
    void Render(TObject*, TRenderContextInfo&) { ProxyAndEffectLog().push_back(name + ":render"); }
    void Freed(TObject* sender) {
        ProxyAndEffectLog().push_back(name + ":freed");
        point = sender;
    }
    std::string name;
    TObject* point = nullptr;
};

TEST_F(OtherObjectsTest, RenderPointCallsItsRegistrationsInOrder) {
    auto* point = scene.Add<TGLRenderPoint>(nullptr, L"Point");
    TCallbackOwner a("a"), b("b"), c("c");
    point->RegisterCallBack(MakeEvent(&a, &TCallbackOwner::Render), MakeEvent(&a, &TCallbackOwner::Freed));
    point->RegisterCallBack(MakeEvent(&b, &TCallbackOwner::Render), MakeEvent(&b, &TCallbackOwner::Freed));
    point->RegisterCallBack(MakeEvent(&c, &TCallbackOwner::Render), MakeEvent(&c, &TCallbackOwner::Freed));
    EXPECT_EQ(Render(point), (std::vector<std::string>{"a:render", "b:render", "c:render"}));

    // Unknown: nothing happens. Known: its pair goes, the others close up.
    TCallbackOwner stranger("x");
    point->UnRegisterCallBack(MakeEvent(&stranger, &TCallbackOwner::Render));
    EXPECT_EQ(point->CallBackCount(), 3);
    point->UnRegisterCallBack(MakeEvent(&b, &TCallbackOwner::Render));
    EXPECT_EQ(Render(point), (std::vector<std::string>{"a:render", "c:render"}));

    point->RegisterCallBack(MakeEvent(&b, &TCallbackOwner::Render), MakeEvent(&b, &TCallbackOwner::Freed));
    ProxyAndEffectLog().clear();
    point->Clear();
    EXPECT_EQ(ProxyAndEffectLog(), (std::vector<std::string>{"b:freed", "c:freed", "a:freed"}));  // last first
    EXPECT_EQ(a.point, point);
    EXPECT_EQ(point->CallBackCount(), 0);

    // Freeing the point lets go of what is still registered.
    point->RegisterCallBack(MakeEvent(&a, &TCallbackOwner::Render), MakeEvent(&a, &TCallbackOwner::Freed));
    ProxyAndEffectLog().clear();
    FreeObject(point);
    EXPECT_EQ(ProxyAndEffectLog(), (std::vector<std::string>{"a:freed"}));
}

// ---- proxy -----------------------------------------------------------------------------------

TEST_F(OtherObjectsTest, ProxyDrawsItsMasterInItsOwnPlace) {
    auto* master = scene.Add<TLoggingObject>(nullptr, L"master");
    scene.Add<TLoggingObject>(master, L"masterChild");
    master->Position()->SetPoint(1, 2, 3);
    auto* proxy = scene.Add<TGLProxyObject>(nullptr, L"proxy");
    scene.Add<TLoggingObject>(proxy, L"proxyChild");
    proxy->SetMasterObject(master);
    EXPECT_EQ(proxy->ProxyOptions(), (TGLProxyObjectOptions{pooEffects, pooObjects, pooTransformation}));

    recorder.Clear();
    EXPECT_EQ(Render(proxy),
              (std::vector<std::string>{"master:draw in proxy", "masterChild:draw in proxy", "proxyChild:draw"}));
    EXPECT_FALSE(rci.insideProxy);
    // The proxy's own matrix, then the master's on top of it.
    const TGLCalls matrices = CallsNamed(recorder.Calls(), "glMultMatrixf");
    ASSERT_GE(matrices.size(), 2u);
    EXPECT_EQ(matrices[1], "glMultMatrixf([1,0,0,0,0,1,0,0,0,0,1,0,1,2,3,1])");

    // Picking: names inside the proxy are pushed on the proxy's, and popped again.
    rci.drawState = dsPicking;
    recorder.Clear();
    Render(proxy);
    const TGLCalls names = CallsNamed(recorder.Calls(), "glPushName");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], Call("glPushName", master->GetChild(0)->PickingName()));
    EXPECT_EQ(CallsNamed(recorder.Calls(), "glPopName").size(), 1u);
    EXPECT_EQ(CallsNamed(recorder.Calls(), "glLoadName").front(), Call("glLoadName", proxy->PickingName()));
    rci.drawState = dsRendering;

    proxy->SetProxyOptions({pooEffects});
    EXPECT_EQ(Render(proxy), (std::vector<std::string>{"proxyChild:draw"}));

    // A freed master is forgotten.
    proxy->SetProxyOptions({pooObjects});
    FreeObject(master);
    EXPECT_EQ(proxy->MasterObject(), nullptr);
    EXPECT_EQ(Render(proxy), (std::vector<std::string>{"proxyChild:draw"}));
}

TEST_F(OtherObjectsTest, ProxiesThatLeadBackToThemselvesDrawOnce) {
    auto* self = scene.Add<TGLProxyObject>(nullptr, L"self");
    scene.Add<TLoggingObject>(self, L"selfChild");
    self->SetMasterObject(self);
    EXPECT_EQ(Render(self), (std::vector<std::string>{"selfChild:draw"}));

    auto* a = scene.Add<TGLProxyObject>(nullptr, L"a");
    auto* b = scene.Add<TGLProxyObject>(nullptr, L"b");
    scene.Add<TLoggingObject>(a, L"aChild");
    scene.Add<TLoggingObject>(b, L"bChild");
    a->SetMasterObject(b);
    b->SetMasterObject(a);
    // a draws b, whose master a is already drawing: b's own children, then a's.
    EXPECT_EQ(Render(a), (std::vector<std::string>{"bChild:draw in proxy", "aChild:draw"}));
}

TEST_F(OtherObjectsTest, ProxyAnswersRaysForItsMasterWhereItStands) {
    auto* master = scene.Add<TGLPlane>(nullptr, L"plane");  // 1 x 1, facing +Z
    master->SetWidth(2);
    master->SetHeight(2);
    auto* proxy = scene.Add<TGLProxyObject>(nullptr, L"proxy");
    proxy->Position()->SetPoint(10, 0, 0);
    EXPECT_FALSE(proxy->IntersectRay({10, 0, 5, 1}, {0, 0, -1, 0}));  // no master yet
    proxy->SetMasterObject(master);
    const struct {
        TVector4f start, vector;
        bool hit;
        TVector4f point, normal;
    } cases[] = {
        {{10, 0, 5, 1}, {0, 0, -1, 0}, true, {10, 0, 0, 1}, {0, 0, 1, 0}},
        {{10.5f, -0.5f, 5, 1}, {0, 0, -4, 0}, true, {10.5f, -0.5f, 0, 1}, {0, 0, 1, 0}},
        {{0, 0, 5, 1}, {0, 0, -1, 0}, false, {}, {}},  // where the master stands, not the proxy
        {{12, 0, 5, 1}, {0, 0, -1, 0}, false, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start);
        TVector4f point, normal;
        ASSERT_EQ(proxy->IntersectRay(c.start, c.vector, &point, &normal), c.hit);
        if (!c.hit) continue;
        EXPECT_TRUE(Near(point, c.point, 1e-5));
        EXPECT_TRUE(Near(normal, c.normal, 1e-5));
    }
    // Turned a quarter about Y, the proxy faces +X.
    proxy->SetTurnAngle(90);
    TVector4f point, normal;
    ASSERT_TRUE(proxy->IntersectRay({15, 0.5f, 0.25f, 1}, {-1, 0, 0, 0}, &point, &normal));
    EXPECT_TRUE(Near(point, TVector4f{10, 0.5f, 0.25f, 1}, 1e-5));
    EXPECT_NEAR(std::fabs(normal.X), 1, 1e-5);
    EXPECT_TRUE(Near(proxy->UnscaledDimensions(), master->UnscaledDimensions()));
}

TEST_F(OtherObjectsTest, ProxyBarycenterIsShiftedAsTheMasters) {
    auto* master = scene.Add<TGLDummyCube>(nullptr, L"master");
    master->Position()->SetPoint(1, 0, 0);
    scene.Add<TGLBaseSceneObject>(master)->Position()->SetPoint(0, 2, 0);
    scene.Add<TGLBaseSceneObject>(master)->Position()->SetPoint(0, 4, 0);
    auto* holder = scene.Add<TGLBaseSceneObject>(nullptr, L"holder");
    holder->Scale()->SetVector(2, 2, 2);
    auto* proxy = scene.Add<TGLProxyObject>(holder, L"proxy");
    proxy->Position()->SetPoint(10, 0, 0);
    EXPECT_TRUE(Near(proxy->Barycenter(), TVector4f{20, 0, 0, 1}));  // no master: its position
    proxy->SetMasterObject(master);
    // The master's barycenter lies 3 above it; moved by that in the holder's frame (scale 2).
    EXPECT_TRUE(Near(proxy->Barycenter(), TVector4f{20, 6, 0, 1}, 1e-5));
    EXPECT_TRUE(Near(proxy->Position()->AsVector(), TVector4f{10, 0, 0, 1}));  // left as it was
}

// ---- effects ---------------------------------------------------------------------------------

TEST_F(OtherObjectsTest, EffectsDrawAroundTheirOwner) {
    auto* object = scene.Add<TLoggingObject>(nullptr, L"object");
    new TLoggingEffect(object->Effects());
    auto* after = new TLoggingAfterEffect(object->Effects());
    recorder.Clear();
    EXPECT_EQ(Render(object), (std::vector<std::string>{"effect:pre", "object:draw", "effect:post"}));
    // The after-render kind waits in the frame's list for the buffer.
    ASSERT_EQ(afterEffects.Count(), 1);
    EXPECT_EQ(afterEffects.GetItem(0), after);
    // The pre-render step's matrix changes are undone: push, pop, push, pop inside the object's.
    const TGLCalls& calls = recorder.Calls();
    TGLCalls stack;
    for (const std::string& call : calls)
        if (call == "glPushMatrix()" || call == "glPopMatrix()") stack.push_back(call);
    EXPECT_EQ(stack, (TGLCalls{"glPushMatrix()", "glPushMatrix()", "glPopMatrix()", "glPushMatrix()", "glPopMatrix()",
                               "glPopMatrix()"}));

    // A proxy runs its master's effects after drawing it.
    auto* proxy = scene.Add<TGLProxyObject>(nullptr, L"proxy");
    proxy->SetMasterObject(object);
    afterEffects.Clear();
    EXPECT_EQ(Render(proxy), (std::vector<std::string>{"object:draw in proxy", "effect:post"}));
    EXPECT_EQ(afterEffects.Count(), 1);
}

}  // namespace
