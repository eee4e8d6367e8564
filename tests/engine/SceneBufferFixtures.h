#pragma once
// A square drawn with direct OpenGL calls, for the tests of the scene
// buffer and its viewer, which render whole frames for real.
#include <functional>

#include "GLCamera.h"
#include "HiddenGLWindow.h"
#include "Scene.h"
#include "OpenGL1x.h"
#include "SceneFixtures.h"

// A square of side 2 around its origin, facing +Z, in one flat colour.
class TColouredSquare : public TGLSceneObject {
    Z_CLASS(TColouredSquare, TGLSceneObject)
public:
    explicit TColouredSquare(TComponent* owner) : TGLSceneObject(owner) {
        SetObjectStyle(TGLObjectStyle{osDirectDraw});
    }
    void BuildList(TRenderContextInfo& rci) override {
        ++draws;
        drawState = rci.drawState;
        if (onDraw) onDraw();
        GL.glColor3f(colour.X, colour.Y, colour.Z);
        GL.glBegin(GL_QUADS);
        GL.glVertex3f(-1, -1, 0);
        GL.glVertex3f(1, -1, 0);
        GL.glVertex3f(1, 1, 0);
        GL.glVertex3f(-1, 1, 0);
        GL.glEnd();
    }
    TVector4f colour = {1, 0, 0, 1};
    int draws = 0;
    Byte drawState = 255;
    std::function<void()> onDraw;
};

// The square at the origin, seen by a camera 20 units up the Z axis (beyond the near plane of
// the default focal length).
struct TSquareScene {
    TSquareScene() {
        target = fixture.Add<TGLBaseSceneObject>(nullptr, L"target");
        square = fixture.Add<TColouredSquare>(nullptr, L"square");
        camera = fixture.Add<TGLCamera>(nullptr, L"camera");
        camera->Position()->SetPoint(0, 0, 20);
        camera->SetTargetObject(target);
    }
    TSceneFixture fixture;
    TGLBaseSceneObject* target = nullptr;
    TColouredSquare* square = nullptr;
    TGLCamera* camera = nullptr;
};
