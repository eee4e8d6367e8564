#include "GLSprite.h"

#include <algorithm>
#include <cmath>

#include "Filer.h"
#include "GLContext.h"
#include "GLSceneBuffer.h"
#include "GLSilhouette.h"
#include "GLState.h"
#include "VectorGeometry.h"
#include "XOpenGL.h"

TGLSprite::TGLSprite(TComponent* owner) : TGLSceneObject(owner) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
}

void TGLSprite::SetWidth(Single value) {
    if (AssignIfChanged(width_, value)) ReportChange(this);
}

void TGLSprite::SetHeight(Single value) {
    if (AssignIfChanged(height_, value)) ReportChange(this);
}

void TGLSprite::SetRotation(Single value) {
    if (AssignIfChanged(rotation_, value)) ReportChange(this);
}

void TGLSprite::SetAlphaChannel(Single value) {
    if (value == alphaChannel_) return;
    alphaChannel_ = std::clamp(value, 0.0f, 1.0f);
    ReportChange(this);
}

void TGLSprite::SetNoZWrite(bool value) {
    noZWrite_ = value;
    ReportChange(this);
}

void TGLSprite::SetMirrorU(bool value) {
    mirrorU_ = value;
    ReportChange(this);
}

void TGLSprite::SetMirrorV(bool value) {
    mirrorV_ = value;
    ReportChange(this);
}

void TGLSprite::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLSprite*>(source)) {
        width_ = other->width_;
        height_ = other->height_;
        rotation_ = other->rotation_;
        alphaChannel_ = other->alphaChannel_;
        noZWrite_ = other->noZWrite_;
    }
    TGLSceneObject::Assign(source);
}

TVector4f TGLSprite::UnscaledDimensions() const {
    Single w = std::fabs(width_) * 0.5f;
    return {w, std::fabs(height_) * 0.5f, w, 0};
}

void TGLSprite::BuildList(TRenderContextInfo& rci) {
    if (alphaChannel_ != 1 && rci.GLStates) rci.GLStates->SetDiffuseAlpha(GL_FRONT, alphaChannel_);
    if (noZWrite_) GL.glDepthMask(GL_FALSE);
    GLfloat m[16] = {};
    GL.glGetFloatv(GL_MODELVIEW_MATRIX, m);
    // The camera's right and up axes in object space, sized to half the sprite.
    TAffineVector vx = {m[0], m[4], m[8]};
    TAffineVector vy = {m[1], m[5], m[9]};
    if (!IsNullAffine(vx)) vx = ScaledAffine(NormalizedAffine(vx), width_ * 0.5f);
    if (!IsNullAffine(vy)) vy = ScaledAffine(NormalizedAffine(vy), height_ * 0.5f);
    if (rotation_ != 0) {
        GL.glPushMatrix();
        GL.glRotatef(rotation_, m[2], m[6], m[10]);
    }
    Single u0 = mirrorU_ ? 1 : 0, u1 = 1 - u0;
    Single v0 = mirrorV_ ? 1 : 0, v1 = 1 - v0;
    GL.glBegin(GL_QUADS);
    MappedTexCoord2f(u1, v1);
    GL.glVertex3f(vx.X + vy.X, vx.Y + vy.Y, vx.Z + vy.Z);
    MappedTexCoord2f(u0, v1);
    GL.glVertex3f(-vx.X + vy.X, -vx.Y + vy.Y, -vx.Z + vy.Z);
    MappedTexCoord2f(u0, v0);
    GL.glVertex3f(-vx.X - vy.X, -vx.Y - vy.Y, -vx.Z - vy.Z);
    MappedTexCoord2f(u1, v0);
    GL.glVertex3f(vx.X - vy.X, vx.Y - vy.Y, vx.Z - vy.Z);
    GL.glEnd();
    if (rotation_ != 0) GL.glPopMatrix();
    if (noZWrite_) GL.glDepthMask(GL_TRUE);
}
