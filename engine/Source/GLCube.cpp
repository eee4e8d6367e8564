#include "GLCube.h"

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

struct TCubeFace {
    TCubePart part;
    Single normal[3];      // times the normal direction's sign
    Single corners[4][5];  // s, t, then x, y, z in half sizes
};

// Every face shows the whole texture once.
const TCubeFace cCubeFaces[6] = {
    {cpFront, {0, 0, 1}, {{1, 1, 1, 1, 1}, {0, 1, -1, 1, 1}, {0, 0, -1, -1, 1}, {1, 0, 1, -1, 1}}},
    {cpBack, {0, 0, -1}, {{0, 1, 1, 1, -1}, {0, 0, 1, -1, -1}, {1, 0, -1, -1, -1}, {1, 1, -1, 1, -1}}},
    {cpLeft, {-1, 0, 0}, {{1, 1, -1, 1, 1}, {0, 1, -1, 1, -1}, {0, 0, -1, -1, -1}, {1, 0, -1, -1, 1}}},
    {cpRight, {1, 0, 0}, {{0, 1, 1, 1, 1}, {0, 0, 1, -1, 1}, {1, 0, 1, -1, -1}, {1, 1, 1, 1, -1}}},
    {cpTop, {0, 1, 0}, {{0, 1, -1, 1, -1}, {0, 0, -1, 1, 1}, {1, 0, 1, 1, 1}, {1, 1, 1, 1, -1}}},
    {cpBottom, {0, -1, 0}, {{0, 0, -1, -1, -1}, {1, 0, 1, -1, -1}, {1, 1, 1, -1, 1}, {0, 1, -1, -1, 1}}},
};

}  // namespace

TGLCube::TGLCube(TComponent* owner) : TGLSceneObject(owner) { SetObjectStyle(ObjectStyle() + osDirectDraw); }

void TGLCube::SetSize(int axis, Single value) {
    if (value == size_[axis]) return;
    size_[axis] = value;
    StructureChanged();
}

void TGLCube::SetNormalDirection(TNormalDirection value) {
    if (AssignIfChanged(normalDirection_, value)) StructureChanged();
}

void TGLCube::SetParts(TCubeParts value) {
    if (AssignIfChanged(parts_, value)) StructureChanged();
}

void TGLCube::DefineProperties(TFiler* filer) {
    TGLSceneObject::DefineProperties(filer);
    bool hasData = size_.X != 1 || size_.Y != 1 || size_.Z != 1;
    filer->DefineBinaryProperty(
        L"CubeSize",
        [this](TStream* stream) {
            stream->ReadBuffer(&size_, 12);
            StructureChanged();
        },
        [this](TStream* stream) { stream->WriteBuffer(&size_, 12); }, hasData);
}

void TGLCube::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLCube*>(source)) {
        size_ = other->size_;
        parts_ = other->parts_;
        normalDirection_ = other->normalDirection_;
    }
    TGLSceneObject::Assign(source);
}

TVector4f TGLCube::UnscaledDimensions() const { return {size_.X * 0.5f, size_.Y * 0.5f, size_.Z * 0.5f, 0}; }

bool TGLCube::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                           TVector4f* intersectNormal) {
    TVector4f s = AbsoluteToLocal(AsPoint(rayStart));
    TVector4f d = NormalizedVector4(AbsoluteToLocal(AsDirection(rayVector)));
    // A small tolerance so that a hit on an edge is not lost to rounding.
    const Single bounds[3] = {size_.X * 0.5001f, size_.Y * 0.5001f, size_.Z * 0.5001f};
    for (int k = 0; k < 6; ++k) {
        int axis = k % 3;
        Single sign = k < 3 ? 1.0f : -1.0f;
        Single nd = sign * d[axis];
        if (!(nd > 0)) continue;
        Single t = -(sign * s[axis] + size_[axis] * 0.5f) / nd;
        TVector4f p = {s.X + t * d.X, s.Y + t * d.Y, s.Z + t * d.Z, 1};
        if (std::fabs(p.X) > bounds[0] || std::fabs(p.Y) > bounds[1] || std::fabs(p.Z) > bounds[2]) continue;
        if (DotVector4xyz(SubtractVectors4(p, s), d) <= 0) continue;  // behind the start
        if (intersectPoint) *intersectPoint = LocalToAbsolute(p);
        if (intersectNormal) {
            TVector4f n = {0, 0, 0, 0};
            n[axis] = -sign;
            *intersectNormal = LocalToAbsolute(n);
        }
        return true;
    }
    return false;
}

TGLSilhouette* TGLCube::BuildSilhouette(const TSilhouetteParameters& parameters) {
    TConnectivity connectivity(true);
    Single half[3] = {size_.X * 0.5f, size_.Y * 0.5f, size_.Z * 0.5f};
    for (const TCubeFace& face : cCubeFaces) {
        if (!parts_.Contains(face.part)) continue;
        TAffineVector p[4];
        for (int i = 0; i < 4; ++i)
            p[i] = {face.corners[i][2] * half[0], face.corners[i][3] * half[1], face.corners[i][4] * half[2]};
        connectivity.AddQuad(p[0], p[1], p[2], p[3]);
    }
    TGLSilhouette* silhouette = nullptr;
    connectivity.CreateSilhouette(parameters, silhouette, false);
    return silhouette;
}

void TGLCube::BuildList(TRenderContextInfo&) {
    Single w = size_.X * 0.5f, h = size_.Y * 0.5f, d = size_.Z * 0.5f;
    Single sign = normalDirection_ == ndInside ? -1.0f : 1.0f;
    GL.glBegin(GL_QUADS);
    for (const TCubeFace& face : cCubeFaces) {
        if (!parts_.Contains(face.part)) continue;
        GL.glNormal3f(face.normal[0] * sign, face.normal[1] * sign, face.normal[2] * sign);
        for (const auto& c : face.corners) {
            MappedTexCoord2f(c[0], c[1]);
            GL.glVertex3f(c[2] * w, c[3] * h, c[4] * d);
        }
    }
    GL.glEnd();
}
