#include "GLDirectOpenGL.h"

#include "XOpenGL.h"

TGLDirectOpenGL::TGLDirectOpenGL(TComponent* owner) : TGLCustomSceneObject(owner) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osDoesTemperWithColorsOrFaceWinding);
}

void TGLDirectOpenGL::SetUseBuildList(bool value) {
    if (value == useBuildList_) return;
    useBuildList_ = value;
    SetObjectStyle(value ? ObjectStyle() - osDirectDraw : ObjectStyle() + osDirectDraw);
    StructureChanged();
}

void TGLDirectOpenGL::SetBlend(bool value) {
    if (AssignIfChanged(blend_, value)) StructureChanged();
}

void TGLDirectOpenGL::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLDirectOpenGL*>(source)) {
        SetUseBuildList(other->useBuildList_);
        OnRender = other->OnRender;
        SetBlend(other->blend_);
    }
    TGLCustomSceneObject::Assign(source);
}

void TGLDirectOpenGL::BuildList(TRenderContextInfo& rci) {
    if (!OnRender) return;
    SelectMainTexCoordMapping();
    OnRender(this, rci);
}
