#include "GLQuadrics.h"

#include <algorithm>
#include <cmath>

#include "Filer.h"
#include "GLContext.h"
#include "GLSceneBuffer.h"
#include "GLSilhouette.h"
#include "GLState.h"
#include "VectorGeometry.h"
#include "XOpenGL.h"

namespace {

constexpr Single cDegToRad = Single(3.14159265358979323846 / 180);

}  // namespace

// ---- TGLQuadricObject ----

void TGLQuadricObject::SetNormals(TNormalSmoothing value) {
    if (AssignIfChanged(normals_, value)) StructureChanged();
}

void TGLQuadricObject::SetNormalDirection(TNormalDirection value) {
    if (AssignIfChanged(normalDirection_, value)) StructureChanged();
}

void TGLQuadricObject::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLQuadricObject*>(source)) {
        normals_ = other->normals_;
        normalDirection_ = other->normalDirection_;
    }
    TGLSceneObject::Assign(source);
}

// ---- TGLSphere ----

TGLSphere::TGLSphere(TComponent* owner) : TGLQuadricObject(owner) {}

void TGLSphere::SetRadius(Single value) {
    if (AssignIfChanged(radius_, value)) StructureChanged();
}

void TGLSphere::SetSlices(Integer value) {
    value = std::max(value, 1);
    if (AssignIfChanged(slices_, value)) StructureChanged();
}

void TGLSphere::SetStacks(Integer value) {
    value = std::max(value, 1);
    if (AssignIfChanged(stacks_, value)) StructureChanged();
}

void TGLSphere::SetTop(TAngleLimit1 value) {
    value = std::clamp<TAngleLimit1>(value, -90, 90);
    if (AssignIfChanged(top_, value)) StructureChanged();
}

void TGLSphere::SetBottom(TAngleLimit1 value) {
    value = std::clamp<TAngleLimit1>(value, -90, 90);
    if (AssignIfChanged(bottom_, value)) StructureChanged();
}

void TGLSphere::SetStart(TAngleLimit2 value) {
    value = std::min<TAngleLimit2>(value, 360);
    if (value == start_) return;
    Assert(value <= stop_, L"Assertion failure");
    start_ = value;
    StructureChanged();
}

void TGLSphere::SetStop(TAngleLimit2 value) {
    value = std::min<TAngleLimit2>(value, 360);
    if (value == stop_) return;
    Assert(value >= start_, L"Assertion failure");
    stop_ = value;
    StructureChanged();
}

void TGLSphere::SetTopCap(TCapType value) {
    if (AssignIfChanged(topCap_, value)) StructureChanged();
}

void TGLSphere::SetBottomCap(TCapType value) {
    if (AssignIfChanged(bottomCap_, value)) StructureChanged();
}

void TGLSphere::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLSphere*>(source)) {
        radius_ = other->radius_;
        slices_ = other->slices_;
        stacks_ = other->stacks_;
        bottom_ = other->bottom_;
        top_ = other->top_;
        start_ = other->start_;
        stop_ = other->stop_;
    }
    TGLQuadricObject::Assign(source);
}

TVector4f TGLSphere::UnscaledDimensions() const {
    Single r = std::fabs(radius_);
    return {r, r, r, 0};
}

bool TGLSphere::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                             TVector4f* intersectNormal) {
    TVector4f s = AbsoluteToLocal(AsPoint(rayStart));
    TVector4f d = NormalizedVector4(AbsoluteToLocal(AsDirection(rayVector)));
    TVector4f hit1, hit2;
    if (RaySphereHits(s, d, TVector4f{0, 0, 0, 1}, radius_, hit1, hit2) == 0) return false;
    if (intersectPoint) *intersectPoint = LocalToAbsolute(AsPoint(hit1));
    if (intersectNormal) *intersectNormal = LocalToAbsolute(AsDirection(hit1));
    return true;
}

TGLSilhouette* TGLSphere::BuildSilhouette(const TSilhouetteParameters& parameters) {
    auto* silhouette = new TGLSilhouette();
    Integer n = std::max(stacks_, slices_);
    TAffineVector a = CrossAffine(parameters.SeenFrom, XAffineVector);
    if (LengthAffine(a) < 0.001) a = CrossAffine(parameters.SeenFrom, YAffineVector);
    NormalizeAffineInPlace(a);
    TAffineVector b = CrossAffine(parameters.SeenFrom, a);
    NormalizeAffineInPlace(b);
    for (Integer k = 0; k < n; ++k) {
        double angle = k * 2 * 3.14159265358979323846 / n;
        Single c = Single(radius_ * std::cos(angle)), sn = Single(radius_ * std::sin(angle));
        silhouette->Vertices()->Add(PointFromAffine(CombineAffine(a, b, c, sn)));
        silhouette->Indices()->Add(k);
        silhouette->Indices()->Add((k + 1) % n);
        if (parameters.CappingRequired) {
            silhouette->CapIndices()->Add(n);
            silhouette->CapIndices()->Add(k);
            silhouette->CapIndices()->Add((k + 1) % n);
        }
    }
    if (parameters.CappingRequired) silhouette->Vertices()->Add(MakeVector4(0, 0, 0, 1));
    return silhouette;
}

void TGLSphere::BuildList(TRenderContextInfo& rci) {
    const bool inside = NormalDirection() == ndInside;
    const Single ns = inside ? -1.0f : 1.0f;
    const double top = top_ * double(cDegToRad), bottom = bottom_ * double(cDegToRad);
    const double a0 = start_ * double(cDegToRad), a1 = stop_ * double(cDegToRad);
    const double dA = (a1 - a0) / slices_, dV = (top - bottom) / stacks_;

    GL.glPushAttrib(GL_POLYGON_BIT);
    if (inside && rci.GLStates) rci.GLStates->InvertFrontFace();
    GL.glPushMatrix();
    GL.glScalef(radius_, radius_, radius_);

    // A cap closes the cut at latitude phi; the rim of the bottom cap runs backwards.
    auto cap = [&](TCapType type, double phi, Single axisY, bool backwards) {
        if (type != ctCenter && type != ctFlat) return;
        const Single sinPhi = Single(std::sin(phi)), cosPhi = Single(std::cos(phi));
        GL.glBegin(GL_TRIANGLE_FAN);
        MappedTexCoord2f(0.5f, 0.5f);
        GL.glNormal3f(0, axisY * ns, 0);
        GL.glVertex3f(0, type == ctFlat ? sinPhi : 0, 0);
        for (Integer j = 0; j <= slices_; ++j) {
            double theta = backwards ? a1 - j * dA : a0 + j * dA;
            Single st = Single(std::sin(theta)), ct = Single(std::cos(theta));
            TAffineVector v = {cosPhi * st, sinPhi, cosPhi * ct};
            MappedTexCoord2f(st * 0.5f + 0.5f, ct * 0.5f + 0.5f);
            TAffineVector n = {0, axisY, 0};
            if (type == ctCenter) n = SubtractAffine(n, ScaledAffine(v, Single(DotAffine(n, v))));
            GL.glNormal3f(n.X * ns, n.Y * ns, n.Z * ns);
            GL.glVertex3f(v.X, v.Y, v.Z);
        }
        GL.glEnd();
    };

    if (top_ < 90) cap(topCap_, top, 1, false);
    for (Integer i = 0; i < stacks_; ++i) {
        const double phi1 = top - i * dV, phi2 = phi1 - dV;
        const Single s1 = Single(std::sin(phi1)), c1 = Single(std::cos(phi1));
        const Single s2 = Single(std::sin(phi2)), c2 = Single(std::cos(phi2));
        const Single tUpper = 1 - Single(i) / Single(stacks_), tLower = 1 - Single(i + 1) / Single(stacks_);
        GL.glBegin(GL_TRIANGLE_STRIP);
        for (Integer j = 0; j <= slices_; ++j) {
            const double theta = a0 + j * dA;
            const Single st = Single(std::sin(theta)), ct = Single(std::cos(theta));
            const Single s = Single(j) / Single(slices_);
            MappedTexCoord2f(s, tUpper);
            GL.glNormal3f(c1 * st * ns, s1 * ns, c1 * ct * ns);
            GL.glVertex3f(c1 * st, s1, c1 * ct);
            MappedTexCoord2f(s, tLower);
            GL.glNormal3f(c2 * st * ns, s2 * ns, c2 * ct * ns);
            GL.glVertex3f(c2 * st, s2, c2 * ct);
        }
        GL.glEnd();
    }
    if (bottom_ > -90) cap(bottomCap_, bottom, -1, true);

    GL.glPopMatrix();
    if (inside && rci.GLStates) rci.GLStates->InvertFrontFace();
    GL.glPopAttrib();
}
