#pragma once
// TGLDirectOpenGL: a scene object that hands its drawing to an event, for code that draws with
// OpenGL itself. The event runs every frame, or once into a display list with UseBuildList.

#include "GLCustomSceneObject.h"

class TGLDirectOpenGL : public TGLCustomSceneObject {
    Z_CLASS(TGLDirectOpenGL, TGLCustomSceneObject)
    Z_PUBLISHED {
        p.Property(L"UseBuildList", &TGLDirectOpenGL::UseBuildList, &TGLDirectOpenGL::SetUseBuildList).Default(false);
        p.Event(L"OnRender", &TGLDirectOpenGL::OnRender);
        p.Property(L"Blend", &TGLDirectOpenGL::Blend, &TGLDirectOpenGL::SetBlend).Default(false);
    }

public:
    explicit TGLDirectOpenGL(TComponent* owner);

    bool UseBuildList() const { return useBuildList_; }
    // True compiles the event's output into a display list; false calls it every frame.
    void SetUseBuildList(bool value);
    bool Blend() const { return blend_; }
    // Tells the sorting of the parent whether the object draws blended.
    void SetBlend(bool value);

    void Assign(TPersistent* source) override;
    // OnRender(self, rci), with texture coordinates on the main unit.
    void BuildList(TRenderContextInfo& rci) override;
    TVector4f UnscaledDimensions() const override { return {0, 0, 0, 1}; }
    bool IsBlended() const override { return blend_; }

    // Draws the object, with (self, rci). A display list (UseBuildList) is not rebuilt when
    // the event changes: call StructureChanged.
    TDirectRenderEvent OnRender;

private:
    bool useBuildList_ = false;
    bool blend_ = false;
};
