// Placement of scene objects: angles and their signs, matrices and inverses, Direction/Up
// fix-up, boxes, the default ray test, the orbit, and the scene's nearest-hit ray query.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "MathExpect.h"
#include "SceneFixtures.h"
#include "GLSilhouette.h"
#include "SysExceptions.h"
#include "VectorGeometry.h"

namespace {

testing::AssertionResult MatrixNear(const TMatrix4x4& a, const TMatrix4x4& e, double tol = 1e-5) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(a[r][c] - e[r][c]) > tol) return testing::AssertionFailure() << a << " vs " << e;
    return testing::AssertionSuccess();
}

TEST(ScenePlacement, AngleSettersAndOrientationAnglesTurnOppositeWays) {
    struct Case {
        const char* what;
        std::function<void(TGLBaseSceneObject*)> act;
        TVector4f direction, up;
    };
    const Case cases[] = {
        {"PitchAngle 90 lays a plane flat, facing up",
         [](auto* o) { o->SetPitchAngle(90); },
         {0, 1, 0, 0},
         {0, 0, -1, 0}},
        {"SetOrientationAngles pitch 90 tilts the other way",
         [](auto* o) { o->SetOrientationAngles(90, 0, 0); },
         {0, -1, 0, 0},
         {0, 0, 1, 0}},
        {"TurnAngle 90", [](auto* o) { o->SetTurnAngle(90); }, {1, 0, 0, 0}, {0, 1, 0, 0}},
        {"SetOrientationAngles turn 90",
         [](auto* o) { o->SetOrientationAngles(0, 90, 0); },
         {-1, 0, 0, 0},
         {0, 1, 0, 0}},
        {"RollAngle 90", [](auto* o) { o->SetRollAngle(90); }, {0, 0, 1, 0}, {-1, 0, 0, 0}},
        {"PitchAngle 90 then back to 0",
         [](auto* o) {
             o->SetPitchAngle(90);
             o->SetPitchAngle(0);
         },
         {0, 0, 1, 0},
         {0, 1, 0, 0}},
        {"Direction (0,1,0) along Up falls back to Z x Up",
         [](auto* o) { o->Direction()->SetVector(0, 1, 0); },
         {0, 1, 0, 0},
         {0, 0, -1, 0}},
        {"Up set to (1,1,0) is normalized and Direction stays at right angles",
         [](auto* o) { o->Up()->SetVector(1, 1, 0); },
         {0, 0, 1, 0},
         {0.70710678f, 0.70710678f, 0, 0}},
        {"a zero Direction becomes +Z",
         [](auto* o) { o->Direction()->SetVector(0, 0, 0); },
         {0, 0, 1, 0},
         {0, 1, 0, 0}},
    };
    for (const Case& k : cases) {
        TGLBaseSceneObject o(nullptr);
        k.act(&o);
        EXPECT_TRUE(Near(o.Direction()->AsVector(), k.direction, 1e-6)) << k.what;
        EXPECT_TRUE(Near(o.Up()->AsVector(), k.up, 1e-6)) << k.what;
        EXPECT_NEAR(DotVector4xyz(o.Direction()->AsVector(), o.Up()->AsVector()), 0, 1e-6) << k.what;
    }

    TGLBaseSceneObject o(nullptr);
    for (auto [set, stored] : {std::pair{370.f, 10.f}, {-190.f, 170.f}, {180.f, 180.f}, {45.f, 45.f}}) {
        o.SetPitchAngle(set);
        EXPECT_FLOAT_EQ(o.PitchAngle(), stored) << set;
    }
    o.SetOrientationAngles(10, 380, -20);
    EXPECT_TRUE(Near(o.Rotation()->AsVector(), {10, 20, -20, 0}, 1e-4));

    // Null vectors handed to the property setters change nothing.
    TGLCoordinates3 zero(nullptr, NullVector4, csVector);
    TVector4f before = o.Direction()->AsVector();
    o.SetDirection(&zero);
    o.SetUp(&zero);
    EXPECT_TRUE(Near(o.Direction()->AsVector(), before, 0));
}

TEST(ScenePlacement, LocalAndAbsoluteMatricesFollowParents) {
    TSceneFixture f;
    auto* parent = f.Add(nullptr, L"P");
    auto* child = f.Add(parent, L"C");
    child->Position()->SetPoint(0, 0, 2);
    child->Scale()->SetVector(1, 3, 1);

    // Rows: Right * sx, Up * sy, Direction * sz, Position.
    EXPECT_TRUE(MatrixNear(child->LocalMatrix(), {{{1, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 1}}}));

    parent->Position()->SetPoint(1, 0, 0);
    EXPECT_TRUE(Near(child->GetAbsolutePosition(), {1, 0, 2, 1}));
    EXPECT_TRUE(Near(child->Position()->AsVector(), {0, 0, 2, 1}));  // its own coordinates stay

    parent->SetTurnAngle(90);  // Direction +Z turns to +X
    EXPECT_TRUE(Near(parent->Direction()->AsVector(), {1, 0, 0, 0}, 1e-6));
    EXPECT_TRUE(Near(child->GetAbsolutePosition(), {3, 0, 0, 1}, 1e-6));
    EXPECT_TRUE(Near(child->AbsoluteDirection(), {1, 0, 0, 0}, 1e-6));
    EXPECT_TRUE(Near(child->AbsoluteUp(), {0, 1, 0, 0}, 1e-6));
    EXPECT_TRUE(Near(child->LocalToAbsolute({0, 0, 1, 0}), {1, 0, 0, 0}, 1e-6));  // directions skip the translation
    EXPECT_TRUE(Near(child->AbsoluteToLocal({3, 3, 0, 1}), {0, 1, 0, 1}, 1e-6));

    // The scene's root never takes part.
    f.Root()->Position()->SetPoint(100, 0, 0);
    EXPECT_TRUE(Near(parent->GetAbsolutePosition(), {1, 0, 0, 1}));
}

TEST(ScenePlacement, RigidAndGeneralInversesAgree) {
    TSceneFixture f;
    auto* a = f.Add(nullptr);
    auto* b = f.Add(a);
    a->Position()->SetPoint(1, 2, 3);
    a->SetOrientationAngles(20, 30, 40);
    b->Position()->SetPoint(-4, 0.5f, 2);
    b->SetOrientationAngles(-50, 10, 0);

    TMatrix4x4 general = b->AbsoluteMatrix();
    InvertMatrixInPlace(general);
    EXPECT_TRUE(MatrixNear(b->InvAbsoluteMatrix(), general));  // unit scale: the rigid path
    EXPECT_TRUE(MatrixNear(MultiplyMatrices(b->AbsoluteMatrix(), b->InvAbsoluteMatrix()), IdentityMatrix));

    b->Scale()->SetVector(2, 0.5f, 4);  // now the general inverse
    EXPECT_TRUE(MatrixNear(MultiplyMatrices(b->AbsoluteMatrix(), b->InvAbsoluteMatrix()), IdentityMatrix));
    // Moving the parent makes the child's inverse stale too.
    a->Position()->SetX(10);
    EXPECT_TRUE(MatrixNear(MultiplyMatrices(b->AbsoluteMatrix(), b->InvAbsoluteMatrix()), IdentityMatrix));
}

TEST(ScenePlacement, LocalMatrixRoundTripAndResetRotations) {
    TGLBaseSceneObject source(nullptr);
    source.Position()->SetPoint(1, 2, 3);
    source.Scale()->SetVector(2, 3, 4);
    source.SetOrientationAngles(15, 25, 35);
    TGLBaseSceneObject copy(nullptr);
    copy.SetLocalMatrix(source.LocalMatrix());
    EXPECT_TRUE(Near(copy.Scale()->AsVector(), {2, 3, 4, 0}, 1e-5));
    EXPECT_TRUE(Near(copy.Position()->AsVector(), {1, 2, 3, 1}));
    EXPECT_TRUE(MatrixNear(copy.LocalMatrix(), source.LocalMatrix()));

    copy.ResetRotations();
    EXPECT_TRUE(MatrixNear(copy.LocalMatrix(), {{{2, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 4, 0}, {1, 2, 3, 1}}}));
    EXPECT_TRUE(Near(copy.Direction()->AsVector(), ZVector4));
    EXPECT_FLOAT_EQ(copy.PitchAngle(), 0);
}

TEST(ScenePlacement, BoxesAndContainment) {
    TSceneFixture f;
    auto* o = f.Add(nullptr);
    o->Scale()->SetVector(2, 1, 1);
    TAxisAlignedBox box = o->GetAxisAlignedBox(false);
    EXPECT_TRUE(Near(box.Min, {-1, -0.5f, -0.5f}));
    EXPECT_TRUE(Near(box.Max, {1, 0.5f, 0.5f}));

    auto* child = f.Add(o);
    child->Position()->SetPoint(3, 0, 0);
    box = o->GetAxisAlignedBox(true);  // the child's box, in o's unscaled axes, then scaled
    EXPECT_TRUE(Near(box.Max, {7, 0.5f, 0.5f}));

    EXPECT_FLOAT_EQ(o->BoundingSphereRadius(), std::sqrt(1.5f));
    EXPECT_TRUE(o->ContainsPoint({0.9f, 0, 0, 1}));
    EXPECT_TRUE(o->ContainsPoint({0, 0.5f, 0, 1}));  // bounds included
    EXPECT_FALSE(o->ContainsPoint({0, 0.6f, 0, 1}));

    // World box of the object and its subtree, kept up to date when a child moves.
    TAxisAlignedBox world = o->AbsoluteAxisAlignedBox();
    EXPECT_TRUE(Near(world.Max, {7, 0.5f, 0.5f}, 1e-5));
    child->Position()->SetX(5);
    world = o->AbsoluteAxisAlignedBox();
    EXPECT_TRUE(Near(world.Max, {11, 0.5f, 0.5f}, 1e-5));
    o->Position()->SetY(10);
    world = o->AbsoluteAxisAlignedBox();
    EXPECT_TRUE(Near(world.Min, {-1, 9.5f, -0.5f}, 1e-5));
}

TEST(ScenePlacement, DefaultRayTestIsTheBoundingSphere) {
    TGLBaseSceneObject o(nullptr);
    o.Position()->SetPoint(0, 0, 0);
    TVector4f point, normal;
    const Single r = std::sqrt(0.75f);
    ASSERT_TRUE(o.IntersectRay({-5, 0, 0, 1}, {2, 0, 0, 0}, &point, &normal));  // any length
    EXPECT_TRUE(Near(point, {-r, 0, 0, 1}, 1e-5));
    EXPECT_TRUE(Near(normal, {-1, 0, 0, 0}, 1e-6));
    EXPECT_FALSE(o.IntersectRay({-5, 1, 0, 1}, {1, 0, 0, 0}));
    EXPECT_FALSE(o.IntersectRay({-5, 0, 0, 1}, {-1, 0, 0, 0}));  // behind the start
}

TEST(ScenePlacement, OrbitKeepsTheDistanceAndStopsShortOfTheUpAxis) {
    TSceneFixture f;
    auto* target = f.Add(nullptr);
    target->Position()->SetPoint(1, 0, 0);
    auto* eye = f.Add(nullptr);
    eye->Position()->SetPoint(1, 0, 5);

    eye->MoveAroundTarget(target, 0, 90);
    TVector4f p = eye->GetAbsolutePosition();
    EXPECT_NEAR(p.Y, 0, 1e-5);
    EXPECT_NEAR(std::fabs(p.X - 1), 5, 1e-5);
    EXPECT_NEAR(p.Z, 0, 1e-5);

    eye->MoveAroundTarget(target, -500, 0);  // would pass over the top
    p = eye->GetAbsolutePosition();
    TVector4f offset{p.X - 1, p.Y, p.Z, 0};
    EXPECT_NEAR(LengthVector4xyz(offset), 5, 1e-4);
    EXPECT_NEAR(std::acos(offset.Y / 5), 0.025, 1e-4);

    eye->MoveAroundTarget(target, 500, 0);  // and under the bottom
    p = eye->GetAbsolutePosition();
    EXPECT_NEAR(std::acos(p.Y / 5), 3.1165926, 1e-4);

    // With a parent the new place is written in the parent's coordinates.
    auto* holder = f.Add(nullptr);
    holder->Position()->SetPoint(0, 0, 10);
    auto* moon = f.Add(holder);
    moon->Position()->SetPoint(1, 0, -5);  // absolute (1, 0, 5)
    moon->MoveAroundTarget(target, 0, 180);
    EXPECT_TRUE(Near(moon->GetAbsolutePosition(), {1, 0, -5, 1}, 1e-4));
    EXPECT_TRUE(Near(moon->Position()->AsVector(), {1, 0, -15, 1}, 1e-4));
    moon->MoveAroundTarget(nullptr, 10, 10);  // no target: nothing
    EXPECT_TRUE(Near(moon->Position()->AsVector(), {1, 0, -15, 1}, 1e-4));
}

TEST(SceneRayQuery, NearestVisibleHitWins) {
    TSceneFixture f;
    auto ball = [&](TGLBaseSceneObject* parent, const wchar_t* name, Single x, Single y, Single z) {
        auto* b = f.Add<TTestBall>(parent, name);
        b->Position()->SetPoint(x, y, z);
        return b;
    };
    auto* farBall = ball(nullptr, L"Far", 0, 0, 10);
    auto* nearBall = ball(nullptr, L"Near", 0, 0, 5);
    auto* hidden = ball(nullptr, L"Hidden", 0, 0, 2);
    hidden->SetVisible(false);
    ball(hidden, L"UnderHidden", 0, 0, 0);  // skipped with its invisible parent
    auto* box = f.Add<TTestContainer>(nullptr, L"Box");
    box->Position()->SetPoint(0, 0, 20);
    auto* inBox = ball(box, L"InBox", 3, 0, 0);
    auto* twin1 = ball(nullptr, L"Twin1", 0, 7, 30);
    ball(nullptr, L"Twin2", 0, 7, 30);

    struct Case {
        TVector4f start, vector;
        TGLBaseSceneObject* expected;
    };
    const Case cases[] = {
        {{0, 0, -10, 1}, {0, 0, 1, 0}, nearBall},
        {{0, 0, 40, 1}, {0, 0, -1, 0}, farBall},  // from behind: Far comes first
        {{3, 0, 0, 1}, {0, 0, 1, 0}, inBox},      // found inside a container
        {{0, 7, 0, 1}, {0, 0, 1, 0}, twin1},      // equal distances: the first
        {{0, 50, 0, 1}, {0, 0, 1, 0}, nullptr},
    };
    for (const Case& k : cases) EXPECT_EQ(f.scene->RayCastIntersect(k.start, k.vector), k.expected) << k.start;

    TVector4f point, normal;
    EXPECT_EQ(f.scene->RayCastIntersect({0, 0, -10, 1}, {0, 0, 1, 0}, &point, &normal), nearBall);
    EXPECT_TRUE(Near(point, {0, 0, 5 - std::sqrt(0.75f), 1}, 1e-5));
    EXPECT_TRUE(Near(normal, {0, 0, -1, 0}, 1e-6));
}

}  // namespace

namespace {

TEST(ScenePlacement, SilhouetteIsACircleAroundTheBoundingSphere) {
    TGLBaseSceneObject o(nullptr);  // unscaled radius sqrt(0.75)
    const Single r = std::sqrt(0.75f);
    struct Case {
        Byte style;
        TAffineVector seen;
        bool capped;
        Single radius;
    };
    const Case cases[] = {
        {ssParallel, {0, 0, 1}, false, r},
        {ssParallel, {1, 0, 0}, true, r},  // along X: the second axis comes from Y
        {ssOmni, {0, 0, 2}, false, r * 2 / std::sqrt(4 - 0.75f)},
    };
    for (const Case& k : cases) {
        TSilhouetteParameters p{};
        p.LightDirection = k.seen;
        p.Style = k.style;
        p.CappingRequired = k.capped;
        std::unique_ptr<TGLSilhouette> s(o.BuildSilhouette(p));
        ASSERT_EQ(s->Vertices()->Count(), k.capped ? 22 : 21);
        EXPECT_EQ(s->Indices()->Count(), 42);
        EXPECT_EQ(s->CapIndices()->Count(), k.capped ? 63 : 0);
        EXPECT_EQ(s->Indices()->GetItem(41), 0);  // the last edge closes the circle
        for (int i = 0; i < 21; ++i) {
            TVector4f v = s->Vertices()->GetItem(i);
            EXPECT_NEAR(LengthVector4xyz(v), 0.98 * k.radius, 1e-5);
            EXPECT_NEAR(DotAffine({v.X, v.Y, v.Z}, k.seen), 0, 1e-5);  // at right angles to the view
        }
    }
    TSilhouetteParameters bad{};
    bad.Style = 7;
    EXPECT_THROW(delete o.BuildSilhouette(bad), EAssertionFailed);
}

TEST(ScenePlacement, StructureChangesReportOnceUnlessDrawnDirectly) {
    TSceneFixture f;
    auto* o = f.Add(nullptr);
    auto* direct = f.Add(nullptr);
    direct->SetObjectStyle(TGLObjectStyle{osDirectDraw});
    for (auto* x : {o, direct}) x->ClearStructureChanged();
    int before = f.buffer.changes;
    o->StructureChanged();
    o->StructureChanged();  // already pending: the list is rebuilt once anyway
    EXPECT_EQ(f.buffer.changes, before + 1);
    direct->StructureChanged();
    direct->StructureChanged();
    EXPECT_EQ(f.buffer.changes, before + 3);
    EXPECT_TRUE(o->Changes().Contains(ocStructure));
    o->ClearStructureChanged();
    EXPECT_FALSE(o->Changes().Contains(ocStructure));
}

}  // namespace
