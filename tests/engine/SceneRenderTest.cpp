// Drawing of scene objects: child order by sorting mode, culling, picking names, depth and
// state handling on a recording OpenGL table; display lists and material passes for real.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "GLMaterial.h"
#include "GLRecorder.h"
#include "HiddenGLWindow.h"
#include "SceneFixtures.h"

namespace {

std::vector<std::string>& DrawLog() {
    static std::vector<std::string> log;
    return log;
}

// Logs its name each time its geometry is emitted; drawn directly unless told otherwise.
class TDrawnObject : public TGLSceneObject {
    Z_CLASS(TDrawnObject, TGLSceneObject)
public:
    explicit TDrawnObject(TComponent* owner) : TGLSceneObject(owner) { SetObjectStyle(TGLObjectStyle{osDirectDraw}); }
    void BuildList(TRenderContextInfo& rci) override {
        DrawLog().push_back(Utf8(Name()));
        ++builds;
        depthTestWhileDrawn = rci.GLStates && rci.GLStates->IsEnabled(stDepthTest);
        lightingOffWhileDrawn = rci.lightingDisabledCounter;
        if (onBuild) onBuild();
    }
    bool IsBlended() const override { return blended || TGLSceneObject::IsBlended(); }

    bool blended = false;
    int builds = 0;
    bool depthTestWhileDrawn = false;
    Integer lightingOffWhileDrawn = 0;
    std::function<void()> onBuild;
};

struct SceneRender : testing::Test {
    void SetUp() override {
        DrawLog().clear();
        rci.GLStates = &states;
    }

    TDrawnObject* Add(TGLBaseSceneObject* parent, const char* name, TVector4f position, bool blended = false) {
        auto* object = fixture.Add<TDrawnObject>(parent, String(name, name + strlen(name)));
        object->Position()->AssignVector(position);
        object->blended = blended;
        return object;
    }
    void RenderRoot() {
        TGLRecorder recorder;
        fixture.Root()->RenderChildren(0, fixture.Root()->Count() - 1, rci);
        calls = recorder.Take();
    }

    TSceneFixture fixture;
    TRenderContextInfo rci;
    TGLStateCache states;
    TGLCalls calls;
};

// Distances from the camera at the origin: 10, 2, 5 and 1.
TEST_F(SceneRender, ChildrenDrawInTheOrderOfTheSortingMode) {
    struct Case {
        TGLObjectsSorting sorting;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {osNone, {"group", "opaqueFar", "blendedNear", "blendedFar", "opaqueNear"}},
        {osRenderFarthestFirst, {"group", "opaqueFar", "blendedFar", "blendedNear", "opaqueNear"}},
        {osRenderNearestFirst, {"group", "opaqueNear", "blendedNear", "blendedFar", "opaqueFar"}},
        // Opaque ones at once in list order, then the blended ones farthest first.
        {osRenderBlendedLast, {"group", "opaqueFar", "opaqueNear", "blendedFar", "blendedNear"}},
    };
    auto* group = fixture.Add<TDrawnObject>(nullptr, L"group");
    Add(group, "opaqueFar", {0, 0, -10, 1});
    Add(group, "blendedNear", {0, 2, 0, 1}, true);
    Add(group, "hidden", {0, 0, -1, 1})->SetVisible(false);
    Add(group, "blendedFar", {0, 0, 5, 1}, true);
    Add(group, "opaqueNear", {-1, 0, 0, 1});
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.sorting));
        DrawLog().clear();
        rci.objectsSorting = c.sorting;
        RenderRoot();
        EXPECT_EQ(DrawLog(), c.order);
        EXPECT_EQ(rci.objectsSorting, c.sorting);  // restored
    }
    // An object's own sorting wins over the record's for its children.
    DrawLog().clear();
    group->SetObjectsSorting(osRenderNearestFirst);
    rci.objectsSorting = osNone;
    RenderRoot();
    EXPECT_EQ(DrawLog(), cases[2].order);
}

TEST_F(SceneRender, ObjectsOutsideTheFrustumAreCulled) {
    // The cube from -1 to 1 on every axis, planes positive inside.
    rci.frustum = {{1, 0, 0, 1}, {0, -1, 0, 1}, {-1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 0, -1, 1}};
    Add(nullptr, "inside", {0, 0, 0, 1});
    auto* outside = Add(nullptr, "outside", {10, 0, 0, 1});
    Add(outside, "childBack", {-10, 0, 0, 1});  // back at the origin: inside
    auto* forced = Add(nullptr, "forced", {0, 10, 0, 1});
    forced->SetObjectStyle(TGLObjectStyle{osDirectDraw, osNoVisibilityCulling});
    struct Case {
        TGLVisibilityCulling culling;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {vcNone, {"inside", "outside", "childBack", "forced"}},
        {vcInherited, {"inside", "outside", "childBack", "forced"}},
        // Each object by its own sphere; children are visited whatever the parent.
        {vcObjectBased, {"inside", "childBack", "forced"}},
        // The box of the object with its children, in world axes: "outside" reaches back to
        // the origin through its child, so both draw.
        {vcHierarchical, {"inside", "outside", "childBack", "forced"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.culling));
        DrawLog().clear();
        rci.visibilityCulling = c.culling;
        RenderRoot();
        EXPECT_EQ(DrawLog(), c.drawn);
    }
}

TEST_F(SceneRender, HierarchicalCullingTestsTheBoxWhereTheObjectIs) {
    rci.frustum = {{1, 0, 0, 1}, {0, -1, 0, 1}, {-1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 0, -1, 1}};
    auto* moved = Add(nullptr, "moved", {10, 0, 0, 1});
    Add(moved, "child", {1, 0, 0, 1});
    fixture.Root()->SetVisibilityCulling(vcHierarchical);
    RenderRoot();
    // Its box around its own origin would lie inside; where it stands it is far outside, and
    // its children are skipped with it.
    EXPECT_EQ(DrawLog(), std::vector<std::string>{});
    EXPECT_EQ(rci.visibilityCulling, vcInherited);  // restored after the children
    moved->Position()->SetPoint(0.5f, 0, 0);
    RenderRoot();
    EXPECT_EQ(DrawLog(), (std::vector<std::string>{"moved", "child"}));
}

TEST_F(SceneRender, EachObjectDrawsInItsOwnMatrixAndPickingName) {
    auto* a = Add(nullptr, "a", {2, 3, 4, 1});
    auto* hidden = Add(nullptr, "hidden", {0, 0, 0, 1});
    Add(hidden, "underHidden", {0, 0, 0, 1});
    hidden->SetVisible(false);
    rci.drawState = dsPicking;
    rci.ignoreMaterials = true;
    RenderRoot();
    EXPECT_EQ(DrawLog(), std::vector<std::string>{"a"});  // an invisible subtree is skipped
    EXPECT_EQ(calls, (std::vector<std::string>{
                         Call("glPushMatrix"),
                         Call("glMultMatrixf", Floats{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 3, 4, 1}),
                         Call("glLoadName", a->PickingName()),
                         Call("glPopMatrix"),
                     }));

    // Inside a proxy the names nest.
    rci.insideProxy = true;
    RenderRoot();
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glPushName", a->PickingName())), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glPopName")), calls.end());
}

TEST_F(SceneRender, DepthTestIsSuspendedAndCachesResetAsTheStyleAsks) {
    rci.ignoreMaterials = true;  // only the reset sends material colours
    {
        TGLRecorder recorder;
        states.EnableState(stDepthTest);
    }
    auto* overlay = Add(nullptr, "overlay", {0, 0, 0, 1});
    overlay->SetObjectStyle(TGLObjectStyle{osDirectDraw, osIgnoreDepthBuffer, osDoesTemperWithColorsOrFaceWinding});
    auto* plain = Add(nullptr, "plain", {0, 0, 0, 1});
    RenderRoot();
    EXPECT_FALSE(overlay->depthTestWhileDrawn);
    EXPECT_TRUE(plain->depthTestWhileDrawn);
    EXPECT_TRUE(states.IsEnabled(stDepthTest));
    // The colours were sent again after the object that tampered with them.
    auto firstMaterial =
        std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("glMaterialfv", 0) == 0; });
    EXPECT_NE(firstMaterial, calls.end());
}

TEST_F(SceneRender, MaterialsAreAppliedAroundEachObjectOnly) {
    auto* parent = Add(nullptr, "parent", {0, 0, 0, 1});
    parent->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    auto* child = Add(parent, "child", {0, 0, 0, 1});
    {
        TGLRecorder recorder;
        states.EnableState(stLighting);
    }
    RenderRoot();
    EXPECT_EQ(parent->lightingOffWhileDrawn, 1);
    EXPECT_EQ(child->lightingOffWhileDrawn, 0);  // the parent's material is gone before its children
    EXPECT_EQ(rci.lightingDisabledCounter, 0);
    EXPECT_TRUE(states.IsEnabled(stLighting));

    rci.ignoreMaterials = true;
    RenderRoot();
    EXPECT_EQ(parent->lightingOffWhileDrawn, 0);
}

TEST_F(SceneRender, AxesAreDrawnForObjectsThatShowThem) {
    Add(nullptr, "a", {0, 0, 0, 1})->SetShowAxes(true);
    rci.nearClippingDistance = 1;
    rci.farClippingDistance = 5;
    RenderRoot();
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glLineStipple", 1, 0xCCCC)), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glVertex3f", 4.0f, 0.0f, 0.0f)), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), Call("glVertex3f", 0.0f, 0.0f, -4.0f)), calls.end());
}

// ---- drawn for real ----

class TCountingPassShader : public TGLShader {
public:
    using TGLShader::TGLShader;
    int passes = 2;

protected:
    void DoApply(TRenderContextInfo&, TObject*) override {}
    bool DoUnapply(TRenderContextInfo&) override { return --passes > 0; }
};

// A red quad over the whole view, compiled into the object's list.
class TQuadObject : public TDrawnObject {
    Z_CLASS(TQuadObject, TDrawnObject)
public:
    explicit TQuadObject(TComponent* owner) : TDrawnObject(owner) { SetObjectStyle(TGLObjectStyle{}); }
    void BuildList(TRenderContextInfo& rci) override {
        TDrawnObject::BuildList(rci);
        GL.glColor3f(red, 0, 0);
        GL.glBegin(GL_QUADS);
        GL.glVertex2f(-1, -1), GL.glVertex2f(1, -1), GL.glVertex2f(1, 1), GL.glVertex2f(-1, 1);
        GL.glEnd();
    }
    Single red = 1;
};

class SceneRenderGL : public THiddenGLWindow {
protected:
    void Draw() {
        GL.glClearColor(0, 0, 0, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        fixture.Root()->Render(rci_);
        GL.glFinish();
    }
    TSceneFixture fixture;
};

TEST_F(SceneRenderGL, StructureChangesRecompileTheListAndPlainChangesDoNot) {
    auto* quad = fixture.Add<TQuadObject>(nullptr, L"quad");
    quad->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    Draw();
    Draw();
    EXPECT_EQ(quad->builds, 1);
    EXPECT_TRUE(quad->HasValidDisplayList());
    EXPECT_NEAR(Pixel(kSize / 2, kSize / 2).X, 1, 0.01);  // the replayed list drew

    quad->red = 0.5f;
    quad->Position()->SetPoint(0, 0, 0.1f);  // placement only: the list stays
    quad->SetShowAxes(false);
    Draw();
    EXPECT_EQ(quad->builds, 1);
    EXPECT_NEAR(Pixel(kSize / 2, kSize / 2).X, 1, 0.01);

    quad->StructureChanged();
    EXPECT_FALSE(quad->HasValidDisplayList());
    Draw();
    Draw();
    EXPECT_EQ(quad->builds, 2);
    EXPECT_NEAR(Pixel(kSize / 2, kSize / 2).X, 0.5, 0.01);

    // A failing build closes the compile and leaves the list to be built again.
    quad->StructureChanged();
    quad->onBuild = [] { throw Exception(L"broken geometry"); };
    EXPECT_THROW(Draw(), Exception);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(quad->HasValidDisplayList());
    quad->onBuild = nullptr;
    Draw();
    EXPECT_EQ(quad->builds, 4);
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneRenderGL, AMaterialWithTwoPassesDrawsTheGeometryTwice) {
    TGLMaterialLibrary library(nullptr);
    TCountingPassShader shader(nullptr);
    TGLLibMaterial* entry = library.Materials()->Add();
    entry->SetShader(&shader);
    auto* quad = fixture.Add<TDrawnObject>(nullptr, L"quad");
    quad->Material()->SetMaterialLibrary(&library);
    quad->Material()->SetLibMaterialName(entry->Name());
    Draw();
    EXPECT_EQ(quad->builds, 2);
    entry->SetShader(nullptr);
}

}  // namespace
