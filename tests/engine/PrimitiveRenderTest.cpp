// The basic scene objects drawn for real through the scene and read back.

#include "HiddenGLWindow.h"
#include "PrimitiveFixtures.h"

namespace {

class PrimitiveRender : public THiddenGLWindow {
protected:
    void SetUp() override {
        THiddenGLWindow::SetUp();
        // A 90-degree view from the origin along -Z, back faces culled.
        GL.glMatrixMode(GL_PROJECTION);
        GL.glLoadIdentity();
        gluPerspective(90, 1, 0.1, 500);
        GL.glMatrixMode(GL_MODELVIEW);
        rci_.bufferFaceCull = true;
        states_.EnableState(stCullFace);
        GL.glCullFace(GL_BACK);
    }
    void Draw() {
        GL.glClearColor(0, 0, 0, 1);
        GL.glClear(GL_COLOR_BUFFER_BIT);
        fixture.Root()->Render(rci_);
        GL.glFinish();
    }
    bool Lit(int x, int y) { return Pixel(x, y).X > 0.5f; }
    template <class T>
    T* AddUnlit() {
        T* object = fixture.Add<T>(nullptr);
        object->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
        object->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 1, 1});
        return object;
    }
    TSceneFixture fixture;
};

// A library material "unlitRed": plain red whatever the lights.
void AddUnlitRed(TGLMaterialLibrary& library) {
    TGLLibMaterial* unlitRed = library.Materials()->Add();
    unlitRed->SetName(L"unlitRed");
    unlitRed->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    unlitRed->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 0, 0, 1});
}

}  // namespace

TEST_F(PrimitiveRender, SkySphereSeenFromInsideCoversOnlyTheUpperHalf) {
    auto* sky = AddUnlit<TGLSphere>();
    sky->SetRadius(80);
    sky->SetNormalDirection(ndInside);
    sky->SetBottom(0);
    Draw();
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
    for (int x : {2, kSize / 2, kSize - 3}) {
        SCOPED_TRACE(x);
        EXPECT_TRUE(Lit(x, kSize - 3));  // above the horizon: the sky's inside
        EXPECT_TRUE(Lit(x, kSize / 2 + 3));
        EXPECT_FALSE(Lit(x, kSize / 2 - 3));  // below: the cut-away half
        EXPECT_FALSE(Lit(x, 2));
    }
    // Seen from outside the same sphere's inside faces are culled away.
    sky->SetNormalDirection(ndOutside);
    Draw();
    EXPECT_FALSE(Lit(kSize / 2, kSize - 3));
}

TEST_F(PrimitiveRender, CubeSeenFromTheFront) {
    auto* cube = AddUnlit<TGLCube>();
    cube->Position()->SetPoint(0, 0, -4);
    cube->SetCubeWidth(2);
    cube->SetCubeHeight(2);
    Draw();
    // The front face at z = -3.5 spans 1 / 3.5 of the half view: about 4.6 pixels each way.
    EXPECT_TRUE(Lit(kSize / 2, kSize / 2));
    EXPECT_TRUE(Lit(kSize / 2 + 3, kSize / 2 - 3));
    EXPECT_FALSE(Lit(kSize / 2 + 7, kSize / 2));
    EXPECT_FALSE(Lit(2, 2));
    // The back face alone turns away from the viewer and is culled.
    cube->SetParts(TCubeParts{cpBack});
    Draw();
    EXPECT_FALSE(Lit(kSize / 2, kSize / 2));
}

TEST_F(PrimitiveRender, AmalgamatedDummyCubeReplaysItsSubtreeUntilItsStructureChanges) {
    auto* group = fixture.Add<TGLDummyCube>(nullptr);
    group->SetAmalgamate(true);
    EXPECT_TRUE(group->ObjectStyle().Contains(osDoesTemperWithColorsOrFaceWinding));
    auto* cube = fixture.Add<TGLCube>(group);
    cube->Material()->SetMaterialOptions(TMaterialOptions{moNoLighting});
    cube->Position()->SetPoint(0, 0, -4);
    Draw();
    GLuint list = group->AmalgamatedList()->Handle();
    EXPECT_NE(list, 0u);
    EXPECT_TRUE(Lit(kSize / 2, kSize / 2));
    Draw();
    EXPECT_EQ(group->AmalgamatedList()->Handle(), list);  // replayed, not compiled again
    EXPECT_TRUE(Lit(kSize / 2, kSize / 2));

    group->StructureChanged();
    EXPECT_EQ(group->AmalgamatedList()->Handle(), 0u);
    cube->SetVisible(false);
    Draw();
    EXPECT_NE(group->AmalgamatedList()->Handle(), 0u);
    EXPECT_FALSE(Lit(kSize / 2, kSize / 2));

    group->SetAmalgamate(false);
    EXPECT_EQ(group->AmalgamatedList()->Handle(), 0u);
    EXPECT_FALSE(group->ObjectStyle().Contains(osDoesTemperWithColorsOrFaceWinding));
    EXPECT_EQ(GL.glGetError(), GLenum(GL_NO_ERROR));
}

// Cubes in a row that share a library material draw with it applied once; a cube between
// them with a material of its own, and everything after the row, sees the shared one undone.
TEST_F(PrimitiveRender, CubesSharingALibraryMaterialLeaveNoneOfItToOthers) {
    TGLMaterialLibrary library(nullptr);
    AddUnlitRed(library);
    const Single columns[4] = {-3, -1, 1, 3};
    const int pixels[4] = {7, 13, 18, 24};
    for (int i = 0; i < 4; ++i) {
        auto* cube = fixture.Add<TGLCube>(nullptr);
        cube->Position()->SetPoint(columns[i], 0, -6);
        if (i == 2) {
            // Lit, and no light is on: dark unless the red one's unlit state were left on.
            cube->Material()->FrontProperties()->Diffuse()->SetColorVector({1, 1, 1, 1});
            continue;
        }
        cube->Material()->SetMaterialLibrary(&library);
        cube->Material()->SetLibMaterialName(L"unlitRed");
    }
    states_.EnableState(stLighting);
    Draw();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TVector4f c = Pixel(pixels[i], kSize / 2);
        EXPECT_EQ(c.X > 0.5f, i != 2);
        EXPECT_LT(c.Y, 0.1f);
    }
    EXPECT_TRUE(states_.IsEnabled(stLighting));
    EXPECT_EQ(rci_.lightingDisabledCounter, 0);
    EXPECT_EQ(rci_.heldMaterial, nullptr);
    for (int i = 3; i >= 0; --i) FreeObject(fixture.Root()->GetChild(i));  // before the library goes
}

namespace {

// The depth of every object placed while a frame draws, in the order they are drawn.
std::vector<Single> placedDepths;
decltype(GL.glMultMatrixf) realMultMatrixf = nullptr;
void APIENTRY RecordingMultMatrixf(const GLfloat* m) {
    placedDepths.push_back(m[14]);
    realMultMatrixf(m);
}

}  // namespace

// Opaque cubes in a row with one library material are drawn nearest first, so that the depth
// test turns away what they hide before it is shaded; the picture stays that of the tree order.
// Without the depth test, or across a cube of another material, the order is the tree's.
TEST_F(PrimitiveRender, CubesSharingAMaterialAreDrawnNearestFirstOnlyWhereTheDepthTestHidesTheOrder) {
    TGLMaterialLibrary library(nullptr);
    AddUnlitRed(library);
    struct TCase {
        const char* what;
        bool depthTest;
        bool middleHasItsOwnMaterial;
        std::vector<Single> drawn;
    };
    const TCase cases[] = {
        // The root is placed first.
        {"one material, depth test", true, false, {0, -4, -7, -10}},
        {"one material, no depth test", false, false, {0, -10, -4, -7}},
        {"another material between", true, true, {0, -10, -4, -7}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Single depths[3] = {-10, -4, -7};
        for (int i = 0; i < 3; ++i) {
            auto* cube = fixture.Add<TGLCube>(nullptr);
            cube->Position()->SetPoint(0, 0, depths[i]);
            if (i == 1 && c.middleHasItsOwnMaterial) continue;
            cube->Material()->SetMaterialLibrary(&library);
            cube->Material()->SetLibMaterialName(L"unlitRed");
        }
        if (c.depthTest) {
            states_.EnableState(stDepthTest);
            GL.glClear(GL_DEPTH_BUFFER_BIT);
        }
        rci_.objectsSorting = osRenderBlendedLast;
        placedDepths.clear();
        realMultMatrixf = GL.glMultMatrixf;
        GL.glMultMatrixf = &RecordingMultMatrixf;
        Draw();
        GL.glMultMatrixf = realMultMatrixf;
        EXPECT_EQ(placedDepths, c.drawn);
        // What shows at the centre: red, unless the middle, nearest cube is the grey one.
        EXPECT_TRUE(Lit(kSize / 2, kSize / 2));
        EXPECT_EQ(Pixel(kSize / 2, kSize / 2).Y < 0.1f, !c.middleHasItsOwnMaterial);
        states_.DisableState(stDepthTest);
        EXPECT_EQ(rci_.heldMaterial, nullptr);
        for (int i = 2; i >= 0; --i) FreeObject(fixture.Root()->GetChild(i));  // before the library goes
    }
}
