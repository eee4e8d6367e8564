#include "GLPlane.h"

#include <algorithm>
#include <cmath>

#include "Filer.h"
#include "GLContext.h"
#include "GLSceneBuffer.h"
#include "GLSilhouette.h"
#include "GLState.h"
#include "VectorGeometry.h"
#include "XOpenGL.h"

TGLPlane::TGLPlane(TComponent* owner) : TGLSceneObject(owner) { SetObjectStyle(ObjectStyle() + osDirectDraw); }

void TGLPlane::SetSingle(Single& field, Single value) {
    if (AssignIfChanged(field, value)) StructureChanged();
}

void TGLPlane::SetHeight(Single value) { SetSingle(height_, value); }
void TGLPlane::SetWidth(Single value) { SetSingle(width_, value); }
void TGLPlane::SetXOffset(Single value) { SetSingle(xOffset_, value); }
void TGLPlane::SetYOffset(Single value) { SetSingle(yOffset_, value); }
void TGLPlane::SetXScope(Single value) { SetSingle(xScope_, std::min(value, 1.0f)); }
void TGLPlane::SetYScope(Single value) { SetSingle(yScope_, std::min(value, 1.0f)); }

void TGLPlane::SetXTiles(Cardinal value) {
    if (AssignIfChanged(xTiles_, value)) StructureChanged();
}

void TGLPlane::SetYTiles(Cardinal value) {
    if (AssignIfChanged(yTiles_, value)) StructureChanged();
}

void TGLPlane::SetStyle(TPlaneStyles value) {
    if (AssignIfChanged(style_, value)) StructureChanged();
}

void TGLPlane::SetNoZWrite(bool value) {
    if (AssignIfChanged(noZWrite_, value)) StructureChanged();
}

void TGLPlane::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLPlane*>(source)) {
        width_ = other->width_;
        height_ = other->height_;
    }
    TGLSceneObject::Assign(source);
}

TVector4f TGLPlane::UnscaledDimensions() const { return {std::fabs(width_) * 0.5f, std::fabs(height_) * 0.5f, 0, 0}; }

bool TGLPlane::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                            TVector4f* intersectNormal) {
    TVector4f s = AbsoluteToLocal(AsPoint(rayStart));
    TVector4f v = AbsoluteToLocal(AsDirection(rayVector));
    bool positiveSide = s.Z >= 0;
    // The ray must head for the plane; a parallel ray never meets it.
    if (positiveSide ? !(v.Z < 0) : !(v.Z > 0)) return false;
    Single t = s.Z / v.Z;
    Single x = s.X - t * v.X, y = s.Y - t * v.Y;
    if (std::fabs(x) > width_ * 0.5f || std::fabs(y) > height_ * 0.5f) return false;
    if (intersectNormal) {
        TVector4f n = NormalizedVector4(AsDirection(AbsoluteMatrix()[2]));
        *intersectNormal = positiveSide ? n : NegatedVector4(n);
        intersectNormal->W = 0;
    }
    if (intersectPoint) *intersectPoint = LocalToAbsolute({x, y, 0, 1});
    return true;
}

TGLSilhouette* TGLPlane::BuildSilhouette(const TSilhouetteParameters& parameters) {
    auto* silhouette = new TGLSilhouette();
    Single w = width_ * 0.5f, h = height_ * 0.5f;
    TVectorList* v = silhouette->Vertices();
    v->Add(MakeVector4(w, h, 0, 1));
    v->Add(MakeVector4(w, -h, 0, 1));
    v->Add(MakeVector4(-w, -h, 0, 1));
    v->Add(MakeVector4(-w, h, 0, 1));
    for (Integer i = 0; i < 4; ++i) {
        silhouette->Indices()->Add(i);
        silhouette->Indices()->Add((i + 1) % 4);
    }
    if (parameters.CappingRequired) {
        for (Integer i : {0, 1, 2, 2, 3, 0}) silhouette->CapIndices()->Add(i);
    }
    return silhouette;
}

void TGLPlane::BuildList(TRenderContextInfo&) {
    Single s0, s1, t0, t1;
    if (style_.Contains(psTileTexture)) {
        s0 = xOffset_;
        s1 = Single(xTiles_) * xScope_ + xOffset_;
        t0 = yOffset_;
        t1 = Single(yTiles_) * yScope_ + yOffset_;
    } else {
        s0 = 0;
        s1 = xScope_;
        t0 = 0;
        t1 = yScope_;
    }
    Single w = width_ * 0.5f, h = height_ * 0.5f;
    GL.glNormal3f(0, 0, 1);
    if (noZWrite_) GL.glDepthMask(GL_FALSE);
    if (style_.Contains(psSingleQuad)) {
        GL.glBegin(GL_QUADS);
        MappedTexCoord2f(s1, t1);
        GL.glVertex2f(w, h);
        MappedTexCoord2f(s0, t1);
        GL.glVertex2f(-w, h);
        MappedTexCoord2f(s0, t0);
        GL.glVertex2f(-w, -h);
        MappedTexCoord2f(s1, t0);
        GL.glVertex2f(w, -h);
        GL.glEnd();
    } else if (xTiles_ > 0) {
        // Without columns a row has no width: nothing to draw (and nothing to divide by).
        Single dT = (t1 - t0) / Single(yTiles_);
        for (Cardinal r = 0; r < yTiles_; ++r) {
            Single yLow = Single(r) * height_ / Single(yTiles_) - h;
            Single yHigh = Single(r + 1) * height_ / Single(yTiles_) - h;
            Single tLow = t0 + Single(r) * dT, tHigh = t0 + Single(r + 1) * dT;
            GL.glBegin(GL_TRIANGLE_STRIP);
            for (Cardinal c = 0; c <= xTiles_; ++c) {
                Single x = Single(c) * width_ / Single(xTiles_) - w;
                Single s = s0 + Single(c) * (s1 - s0) / Single(xTiles_);
                MappedTexCoord2f(s, tHigh);
                GL.glVertex2f(x, yHigh);
                MappedTexCoord2f(s, tLow);
                GL.glVertex2f(x, yLow);
            }
            GL.glEnd();
        }
    }
    if (noZWrite_) GL.glDepthMask(GL_TRUE);
}
