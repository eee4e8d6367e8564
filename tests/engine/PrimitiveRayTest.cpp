// Ray tests of the basic scene objects: hits, misses, starts inside or in the surface, edges,
// and objects moved, turned and scaled.

#include <cmath>

#include "MathExpect.h"
#include "PrimitiveFixtures.h"
#include "VectorGeometry.h"

namespace {

struct RayCase {
    const char* name;
    TVector4f start, vector;
    bool hit;
    TVector4f point, normal;
};

// Runs each case against the object and checks the point and the normal on a hit.
void CheckRays(TGLBaseSceneObject* object, const std::vector<RayCase>& cases) {
    for (const RayCase& c : cases) {
        SCOPED_TRACE(c.name);
        TVector4f point = {9, 9, 9, 9}, normal = {9, 9, 9, 9};
        ASSERT_EQ(object->IntersectRay(c.start, c.vector, &point, &normal), c.hit);
        if (!c.hit) continue;
        EXPECT_TRUE(Near(point, c.point, 1e-5));
        EXPECT_TRUE(Near(normal, c.normal, 1e-5));
        EXPECT_TRUE(object->IntersectRay(c.start, c.vector));  // the outputs are optional
    }
}

}  // namespace

TEST(PlaneRay, HitsFromEitherSideInsideTheRectangleOnly) {
    TSceneFixture f;
    auto* plane = f.Add<TGLPlane>(nullptr);
    plane->SetWidth(2);
    plane->SetHeight(1);
    CheckRays(
        plane,
        {
            {"from the front", {0, 0, 5, 1}, {0, 0, -1, 0}, true, {0, 0, 0, 1}, {0, 0, 1, 0}},
            {"from behind", {0.5f, 0.25f, -5, 1}, {0, 0, 2, 0}, true, {0.5f, 0.25f, 0, 1}, {0, 0, -1, 0}},
            {"oblique", {0, 0, 2, 1}, {0.5f, 0, -2, 0}, true, {0.5f, 0, 0, 1}, {0, 0, 1, 0}},
            {"on the corner", {1, 0.5f, 3, 1}, {0, 0, -1, 0}, true, {1, 0.5f, 0, 1}, {0, 0, 1, 0}},
            {"beside the rectangle", {1.01f, 0, 3, 1}, {0, 0, -1, 0}, false, {}, {}},
            {"pointing away", {0, 0, 5, 1}, {0, 0, 1, 0}, false, {}, {}},
            {"pointing away from behind", {0, 0, -5, 1}, {0, 0, -1, 0}, false, {}, {}},
            {"parallel", {0, 0, 5, 1}, {1, 0, 0, 0}, false, {}, {}},
            {"parallel inside the plane", {0, 0, 0, 1}, {1, 0, 0, 0}, false, {}, {}},
            // A start in the plane counts as the front side.
            {"in the plane heading back", {0.9f, 0.4f, 0, 1}, {0, 0, -1, 0}, true, {0.9f, 0.4f, 0, 1}, {0, 0, 1, 0}},
            {"in the plane heading forward", {0.9f, 0.4f, 0, 1}, {0, 0, 1, 0}, false, {}, {}},
        });
}

TEST(PlaneRay, PickingPlaneLaidFlatAndMoved) {
    // Like the editor's hidden picking plane: lying in XZ, raised, cast at from above.
    TSceneFixture f;
    auto* plane = f.Add<TGLPlane>(nullptr);
    plane->SetWidth(50);
    plane->SetHeight(50);
    plane->SetPitchAngle(90);
    plane->Position()->SetPoint(0, 3, 0);
    TVector4f axis = NormalizedVector4(plane->AbsoluteDirection());
    ASSERT_NEAR(std::fabs(axis.Y), 1, 1e-5);
    TVector4f point, normal;
    ASSERT_TRUE(plane->IntersectRay({2.5f, 10, -4, 1}, {0, -1, 0, 0}, &point, &normal));
    EXPECT_TRUE(Near(point, {2.5f, 3, -4, 1}, 1e-5));
    EXPECT_NEAR(normal.Y, 1, 1e-5);  // towards the side the ray came from
    ASSERT_TRUE(plane->IntersectRay({2.5f, -10, -4, 1}, {0, 1, 0, 0}, &point, &normal));
    EXPECT_NEAR(normal.Y, -1, 1e-5);
    EXPECT_FALSE(plane->IntersectRay({30, 10, 0, 1}, {0, -1, 0, 0}));
}

TEST(CubeRay, FacesAreHitFromOutsideOnly) {
    TSceneFixture f;
    auto* cube = f.Add<TGLCube>(nullptr);
    CheckRays(cube,
              {
                  {"through the centre along -Z", {0, 0, 5, 1}, {0, 0, -1, 0}, true, {0, 0, 0.5f, 1}, {0, 0, 1, 0}},
                  {"unnormalised vector", {0, 0, 5, 1}, {0, 0, -10, 0}, true, {0, 0, 0.5f, 1}, {0, 0, 1, 0}},
                  {"along +Z", {0.2f, 0.1f, -5, 1}, {0, 0, 1, 0}, true, {0.2f, 0.1f, -0.5f, 1}, {0, 0, -1, 0}},
                  {"along -X", {5, 0, 0, 1}, {-1, 0, 0, 0}, true, {0.5f, 0, 0, 1}, {1, 0, 0, 0}},
                  {"along +Y", {0, -5, 0, 1}, {0, 1, 0, 0}, true, {0, -0.5f, 0, 1}, {0, -1, 0, 0}},
                  {"along -Y", {0.3f, 5, -0.3f, 1}, {0, -1, 0, 0}, true, {0.3f, 0.5f, -0.3f, 1}, {0, 1, 0, 0}},
                  {"diagonal into the top", {0, 2, 0, 1}, {0.1f, -1, 0, 0}, true, {0.15f, 0.5f, 0, 1}, {0, 1, 0, 0}},
                  {"on an edge", {0.5f, 0.5f, 5, 1}, {0, 0, -1, 0}, true, {0.5f, 0.5f, 0.5f, 1}, {0, 0, 1, 0}},
                  {"beside", {0.6f, 0, 5, 1}, {0, 0, -1, 0}, false, {}, {}},
                  {"pointing away", {0, 0, 5, 1}, {0, 0, 1, 0}, false, {}, {}},
                  {"from inside", {0, 0, 0, 1}, {0, 0, -1, 0}, false, {}, {}},
                  {"from inside near a face", {0.1f, 0.2f, 0.45f, 1}, {1, 1, 1, 0}, false, {}, {}},
              });
}

TEST(CubeRay, SizedMovedAndTurned) {
    TSceneFixture f;
    auto* cube = f.Add<TGLCube>(nullptr);
    cube->SetCubeWidth(2);
    cube->SetCubeHeight(4);
    cube->SetCubeDepth(6);
    cube->Position()->SetPoint(10, 0, 0);
    CheckRays(cube, {
                        {"depth", {10, 0, 10, 1}, {0, 0, -1, 0}, true, {10, 0, 3, 1}, {0, 0, 1, 0}},
                        {"height", {10.5f, 10, 1, 1}, {0, -1, 0, 0}, true, {10.5f, 2, 1, 1}, {0, 1, 0, 0}},
                        {"width", {0, 0, 0, 1}, {1, 0, 0, 0}, true, {9, 0, 0, 1}, {-1, 0, 0, 0}},
                        {"missing the moved box", {0, 0, 10, 1}, {0, 0, -1, 0}, false, {}, {}},
                    });
    cube->SetTurnAngle(90);  // the depth now lies along X
    TVector4f point, normal;
    ASSERT_TRUE(cube->IntersectRay({0, 0, 0, 1}, {1, 0, 0, 0}, &point, &normal));
    EXPECT_NEAR(point.X, 7, 1e-5);
    EXPECT_TRUE(Near(normal, {-1, 0, 0, 0}, 1e-5));
}

TEST(SphereRay, WholeSphereWhateverTheCuts) {
    TSceneFixture f;
    auto* sphere = f.Add<TGLSphere>(nullptr);
    sphere->SetRadius(2);
    sphere->SetBottom(0);  // cuts are ignored
    sphere->SetStop(90);
    const std::vector<RayCase> cases = {
        {"from the front", {0, 0, 5, 1}, {0, 0, -3, 0}, true, {0, 0, 2, 1}, {0, 0, 2, 0}},
        {"from below into the cut half", {0, -5, 0, 1}, {0, 1, 0, 0}, true, {0, -2, 0, 1}, {0, -2, 0, 0}},
        {"from inside: the exit", {0, 0, 0, 1}, {1, 0, 0, 0}, true, {2, 0, 0, 1}, {2, 0, 0, 0}},
        {"beside", {2.1f, 0, 5, 1}, {0, 0, -1, 0}, false, {}, {}},
        {"pointing away", {0, 0, 5, 1}, {0, 0, 1, 0}, false, {}, {}},
    };
    CheckRays(sphere, cases);

    sphere->SetRadius(1);
    sphere->Scale()->SetVector(2, 2, 2);
    sphere->Position()->SetPoint(1, 0, 0);
    CheckRays(sphere, {{"scaled and moved", {1, 0, 5, 1}, {0, 0, -1, 0}, true, {1, 0, 2, 1}, {0, 0, 2, 0}}});
}

TEST(DummyCubeRay, NeverHitButMeasuredAndCentredOnItsChildren) {
    TSceneFixture f;
    auto* dummy = f.Add<TGLDummyCube>(nullptr);
    dummy->SetCubeSize(-3);
    EXPECT_TRUE(Near(dummy->UnscaledDimensions(), {1.5f, 1.5f, 1.5f, 0}));
    EXPECT_FALSE(dummy->IntersectRay({0, 0, 5, 1}, {0, 0, -1, 0}));
    dummy->Position()->SetPoint(1, 1, 1);
    EXPECT_TRUE(Near(dummy->Barycenter(), {1, 1, 1, 1}));
    auto* a = f.Add<TGLCube>(dummy);
    auto* b = f.Add<TGLCube>(dummy);
    a->Position()->SetPoint(2, 0, 0);
    b->Position()->SetPoint(0, 4, 0);
    EXPECT_TRUE(Near(dummy->Barycenter(), {2, 3, 1, 1}));
    // The child inside the container is still hit.
    EXPECT_TRUE(a->IntersectRay({3, 1, 5, 1}, {0, 0, -1, 0}));
}
