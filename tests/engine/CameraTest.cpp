// The camera: projections from focal length, depth of view and viewport read back from OpenGL,
// views towards a target or along its own direction, orbiting and zooming.
#include <gtest/gtest.h>

#include <cmath>

#include "GLCamera.h"
#include "HiddenGLWindow.h"
#include "SceneFixtures.h"

namespace {

void ExpectMatrixNear(const TMatrix4x4& actual, const TMatrix4x4& expected, double tolerance) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR((&actual[r].X)[c], (&expected[r].X)[c], tolerance) << "at " << r << "," << c;
}

TVector4f Transformed(const TMatrix4x4& m, TVector4f v) { return TransformVector4(v, m); }

class CameraGL : public THiddenGLWindow {
protected:
    TSceneFixture fixture;
    TGLCamera* camera = fixture.Add<TGLCamera>(nullptr, L"camera");

    TMatrix4x4 Projection(const TRectangle& viewport, Integer width, Integer height, Integer dpi) {
        GL.glMatrixMode(GL_PROJECTION);
        GL.glLoadIdentity();
        camera->ApplyPerspective(viewport, width, height, dpi);
        TMatrix4x4 m = ReadMatrix(GL_PROJECTION_MATRIX);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
        return m;
    }
    TMatrix4x4 Expected(bool ortho, double l, double r, double b, double t, double n, double f) {
        GL.glMatrixMode(GL_PROJECTION);
        GL.glLoadIdentity();
        if (ortho)
            GL.glOrtho(l, r, b, t, n, f);
        else
            GL.glFrustum(l, r, b, t, n, f);
        TMatrix4x4 m = ReadMatrix(GL_PROJECTION_MATRIX);
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
        return m;
    }
    TMatrix4x4 View() {
        GL.glLoadIdentity();
        camera->Apply();
        TMatrix4x4 m = ReadMatrix(GL_MODELVIEW_MATRIX);
        GL.glLoadIdentity();
        return m;
    }
};

TEST_F(CameraGL, ProjectionFollowsFocalLengthDepthAndViewport) {
    struct Case {
        const char* what;
        TGLCameraStyle style;
        TRectangle viewport;
        Integer width, height, dpi;
        Single focal, depth, bias, scale;
        double l, r, b, t, n;
    };
    const Case cases[] = {
        // 50 mm at 96 DPI on an 854 x 470 view: near 377.95276 / 854.
        {"editor view",
         csPerspective,
         {0, 0, 854, 470},
         854,
         470,
         96,
         50,
         100,
         1,
         1,
         -0.5,
         0.5,
         -0.2751756,
         0.2751756,
         0.4425676},
        {"orthogonal",
         csOrthogonal,
         {0, 0, 854, 470},
         854,
         470,
         96,
         50,
         100,
         1,
         1,
         -1,
         1,
         -0.5503513,
         0.5503513,
         0.4425676},
        {"longer lens, scaled scene",
         csPerspective,
         {0, 0, 400, 400},
         400,
         400,
         120,
         100,
         20,
         1,
         2,
         -0.25,
         0.25,
         -0.25,
         0.25,
         2.3622047},
        {"near plane bias", csPerspective, {0, 0, 200, 100}, 200, 100, 96, 50, 10, 2, 1, -1, 1, -0.5, 0.5, 3.7795276},
        {"viewport shifted right",
         csPerspective,
         {100, 0, 854, 470},
         854,
         470,
         96,
         50,
         100,
         1,
         1,
         -654.0 / 1708,
         1054.0 / 1708,
         -0.2751756,
         0.2751756,
         0.4425676},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        camera->SetCameraStyle(c.style);
        camera->SetFocalLength(c.focal);
        camera->SetDepthOfView(c.depth);
        camera->SetNearPlaneBias(c.bias);
        camera->SetSceneScale(c.scale);
        TMatrix4x4 actual = Projection(c.viewport, c.width, c.height, c.dpi);
        EXPECT_NEAR(camera->NearPlane(), c.n, 1e-5);
        ExpectMatrixNear(actual, Expected(c.style == csOrthogonal, c.l, c.r, c.b, c.t, c.n, c.n + c.depth), 1e-4);
        EXPECT_NEAR(camera->ViewPortRadius(), std::sqrt(c.t * c.t + c.r * c.r) / c.n, 1e-3);
    }
}

TEST_F(CameraGL, OtherStylesAndEmptyViewports) {
    // A view of no pixels leaves the projection alone.
    GL.glMatrixMode(GL_PROJECTION);
    GL.glLoadIdentity();
    GL.glTranslatef(1, 2, 3);
    TMatrix4x4 before = ReadMatrix(GL_PROJECTION_MATRIX);
    camera->ApplyPerspective({0, 0, 0, 100}, 0, 100, 96);
    camera->ApplyPerspective({0, 0, 100, 0}, 100, 0, 96);
    ExpectMatrixNear(ReadMatrix(GL_PROJECTION_MATRIX), before, 0);
    GL.glMatrixMode(GL_MODELVIEW);

    camera->SetCameraStyle(csOrtho2D);
    TMatrix4x4 ortho2D = Projection({0, 0, 300, 400}, 300, 400, 96);
    ExpectMatrixNear(ortho2D, Expected(true, 0, 300, 0, 400, -1, 1), 1e-6);
    EXPECT_EQ(camera->NearPlane(), -1);
    EXPECT_NEAR(camera->ViewPortRadius(), 250, 1e-4);

    camera->SetCameraStyle(csInfinitePerspective);
    TMatrix4x4 infinite = Projection({0, 0, 854, 470}, 854, 470, 96);
    const double n = 0.4425676;
    EXPECT_NEAR(infinite[0].X, 2 * n, 1e-5);
    EXPECT_NEAR(infinite[2].Z, 0.0001 - 1, 1e-6);
    EXPECT_EQ(infinite[2].W, -1);
    EXPECT_NEAR(infinite[3].Z, (0.0001 - 2) * n, 1e-5);

    camera->SetCameraStyle(csCustom);
    Single seen = 0;
    struct THandler {
        Single* seen;
        void Handle(TObject*, const TRectangle&, Integer, Integer, Integer, Single& radius) {
            *seen = radius;
            radius = 7;
        }
    } handler{&seen};
    camera->OnCustomPerspective = MakeEvent(&handler, &THandler::Handle);
    Projection({0, 0, 300, 400}, 300, 400, 96);
    EXPECT_NEAR(seen, 250, 1e-4);
    EXPECT_EQ(camera->ViewPortRadius(), 7);
}

TEST_F(CameraGL, ViewLooksAtTheTargetFromWhereverTheCameraIs) {
    // The editor's set-up: the camera under the target dummy, looking at it.
    auto* target = fixture.Add(nullptr, L"dcTarget");
    target->Position()->SetPoint(7, 0, 4);
    camera->MoveTo(target);
    camera->Position()->SetPoint(4, 2, 0);
    camera->SetTargetObject(target);
    for (int move = 0; move < 2; ++move) {
        SCOPED_TRACE(move);
        TMatrix4x4 view = View();
        TVector4f eye = camera->GetAbsolutePosition();
        TVector4f centre = target->GetAbsolutePosition();
        double distance = std::sqrt(SquaredLengthVector4xyz(SubtractVectors4(centre, eye)));
        TVector4f eyeSeen = Transformed(view, eye), centreSeen = Transformed(view, centre);
        EXPECT_NEAR(LengthVector4xyz(eyeSeen), 0, 1e-4);
        EXPECT_NEAR(centreSeen.X, 0, 1e-4);
        EXPECT_NEAR(centreSeen.Y, 0, 1e-4);
        EXPECT_NEAR(centreSeen.Z, -distance, 1e-4);
        TVector4f last = camera->LastDirection();
        EXPECT_NEAR(last.X * distance, centre.X - eye.X, 1e-4);
        camera->Position()->SetPoint(-3, 5, 2);
    }
}

TEST_F(CameraGL, ViewWithoutTargetTurnsWithTheParent) {
    auto* rig = fixture.Add(nullptr, L"rig");
    camera->MoveTo(rig);
    rig->Position()->SetPoint(1, 0, 0);
    // Straight ahead along the camera's own direction (-Z): a point there is seen ahead.
    TMatrix4x4 view = View();
    TVector4f ahead = Transformed(view, {1, 0, -5, 1});
    EXPECT_NEAR(ahead.X, 0, 1e-4);
    EXPECT_NEAR(ahead.Z, -5, 1e-4);
    // Turning the parent a quarter turns the view with it.
    rig->SetTurnAngle(90);
    view = View();
    TVector4f d = camera->LastDirection();
    TVector4f nowAhead = Transformed(view, {1 + 5 * d.X, 5 * d.Y, 5 * d.Z, 1});
    EXPECT_NEAR(std::fabs(d.X), 1, 1e-4);  // sideways now
    EXPECT_NEAR(nowAhead.X, 0, 1e-4);
    EXPECT_NEAR(nowAhead.Z, -5, 1e-4);
}

TEST(Camera, FocalLengthAndFieldOfView) {
    TSceneFixture fixture;
    auto* camera = fixture.Add<TGLCamera>(nullptr, L"camera");
    EXPECT_EQ(camera->Direction()->AsVector().Z, -1);
    camera->SetFocalLength(-5);
    EXPECT_EQ(camera->FocalLength(), 1);
    camera->SetFocalLength(0);
    EXPECT_EQ(camera->FocalLength(), 1);
    camera->SetNearPlaneBias(-2);
    EXPECT_EQ(camera->NearPlaneBias(), 1);
    camera->SetSceneScale(0);
    EXPECT_EQ(camera->SceneScale(), 1);
    // The editor's stored field of view for its 470-pixel-high view.
    camera->SetFieldOfView(470, 155.97705f);
    EXPECT_NEAR(camera->FocalLength(), 50, 1e-3);
    EXPECT_NEAR(camera->GetFieldOfView(470), 155.97705, 1e-3);
    for (Single degrees : {0.0f, -10.0f, 180.0f, 200.0f}) {
        camera->SetFieldOfView(470, degrees);
        EXPECT_NEAR(camera->FocalLength(), 50, 1e-3) << degrees;
    }
    camera->LocalMatrix();  // matrices up to date: the next change is reported
    int before = fixture.buffer.changes;
    camera->SetDepthOfView(50);
    EXPECT_GT(fixture.buffer.changes, before);
}

TEST(Camera, ZoomAndOrbitAroundTheTarget) {
    TSceneFixture fixture;
    auto* target = fixture.Add(nullptr, L"dcTarget");
    target->Position()->SetPoint(7, 0, 4);
    auto* camera = fixture.Add<TGLCamera>(target, L"camera");
    camera->Position()->SetPoint(4, 2, 0);
    // Nothing moves without a target.
    camera->ScaleDistanceToTarget(2);
    camera->OrbitTarget(10, 10);
    EXPECT_EQ(camera->Position()->AsVector().X, 4);

    camera->SetTargetObject(target);
    const TVector4f start = camera->GetAbsolutePosition();
    camera->ScaleDistanceToTarget(1.1f);
    TVector4f away = camera->GetAbsolutePosition();
    EXPECT_NEAR(away.X, 7 + 4 * 1.1, 1e-4);
    EXPECT_NEAR(away.Y, 2 * 1.1, 1e-4);
    camera->ScaleDistanceToTarget(1.1f);
    camera->ScaleDistanceToTarget(1 / 1.21f);
    TVector4f back = camera->GetAbsolutePosition();
    EXPECT_NEAR(back.X, start.X, 1e-4);
    EXPECT_NEAR(back.Y, start.Y, 1e-4);
    EXPECT_NEAR(back.Z, start.Z, 1e-4);

    // Orbiting keeps the distance and never passes over the target's up axis.
    const double distance = std::sqrt(20.0);
    camera->OrbitTarget(-500, 45);
    TVector4f above = SubtractVectors4(camera->GetAbsolutePosition(), target->GetAbsolutePosition());
    EXPECT_NEAR(LengthVector4xyz(above), distance, 1e-3);
    EXPECT_NEAR(std::fabs(above.Y) / distance, std::cos(0.025), 1e-3);
}

TEST(Camera, AFreedTargetIsForgotten) {
    TSceneFixture fixture;
    auto* camera = fixture.Add<TGLCamera>(nullptr, L"camera");
    auto* target = fixture.Add(nullptr, L"target");
    camera->SetTargetObject(target);
    FreeObject(target);
    EXPECT_EQ(camera->TargetObject(), nullptr);
    camera->ScaleDistanceToTarget(2);  // no target, no move
}

}  // namespace
