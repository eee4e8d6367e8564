#include "GLObjects.h"

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

TVector4f AsPoint(TVector4f v) {
    v.W = 1;
    return v;
}
TVector4f AsDirection(TVector4f v) {
    v.W = 0;
    return v;
}


}  // namespace

// ---- TGLCameraInvariantObject ----

void TGLCameraInvariantObject::SetCamInvarianceMode(TGLCameraInvarianceMode value) {
    if (AssignIfChanged(camInvarianceMode_, value)) ReportChange(this);
}

void TGLCameraInvariantObject::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLCameraInvariantObject*>(source)) camInvarianceMode_ = other->camInvarianceMode_;
    TGLImmaterialSceneObject::Assign(source);
}

void TGLCameraInvariantObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (camInvarianceMode_ == cimNone || (camInvarianceMode_ == cimPosition && !rci.modelViewMatrix)) {
        TGLImmaterialSceneObject::DoRender(rci, renderSelf, renderChildren);
        return;
    }
    GL.glPushMatrix();
    try {
        if (camInvarianceMode_ == cimPosition) {
            // Placed relative to the camera, still turned with the view.
            GL.glLoadMatrixf(&(*rci.modelViewMatrix)[0].X);
            GL.glTranslatef(rci.cameraPosition.X, rci.cameraPosition.Y, rci.cameraPosition.Z);
        } else {
            GL.glLoadIdentity();
            GL.glScalef(1, -1, -1);
        }
        GL.glMultMatrixf(&LocalMatrix()[0].X);
        // The subtree sees this model-view as the frame's (rci.modelViewMatrix is the buffer's).
        TMatrix4x4 modelView;
        GL.glGetFloatv(GL_MODELVIEW_MATRIX, &modelView[0].X);
        if (rci.buffer) rci.buffer->PushModelViewMatrix(modelView);
        try {
            TGLImmaterialSceneObject::DoRender(rci, renderSelf, renderChildren);
        } catch (...) {
            if (rci.buffer) rci.buffer->PopModelViewMatrix();
            throw;
        }
        if (rci.buffer) rci.buffer->PopModelViewMatrix();
    } catch (...) {
        GL.glPopMatrix();
        throw;
    }
    GL.glPopMatrix();
}

// ---- TGLDummyCube ----

TGLDummyCube::TGLDummyCube(TComponent* owner)
    : TGLCameraInvariantObject(owner),
      edgeColor_(new TGLColor(this, TVector4f{1, 1, 1, 1})),
      groupList_(new TGLListHandle()) {
    SetObjectStyle(ObjectStyle() + osDirectDraw);
}

TGLDummyCube::~TGLDummyCube() {
    FreeAndNil(groupList_);
    FreeAndNil(edgeColor_);
}

void TGLDummyCube::SetCubeSize(Single value) {
    if (AssignIfChanged(cubeSize_, value)) StructureChanged();
}

void TGLDummyCube::SetEdgeColor(TGLColor* value) {
    if (value == edgeColor_) return;
    edgeColor_->Assign(value);
    StructureChanged();
}

void TGLDummyCube::SetVisibleAtRunTime(bool value) {
    if (AssignIfChanged(visibleAtRunTime_, value)) StructureChanged();
}

void TGLDummyCube::SetAmalgamate(bool value) {
    if (value == amalgamate_) return;
    amalgamate_ = value;
    // The compiled subtree may leave colours and winding anywhere.
    if (value) {
        SetObjectStyle(ObjectStyle() + osDoesTemperWithColorsOrFaceWinding);
    } else {
        groupList_->Deallocate();
        SetObjectStyle(ObjectStyle() - osDoesTemperWithColorsOrFaceWinding);
    }
    TGLCameraInvariantObject::StructureChanged();
}

void TGLDummyCube::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLDummyCube*>(source)) {
        cubeSize_ = other->cubeSize_;
        edgeColor_->Assign(other->edgeColor_);
        visibleAtRunTime_ = other->visibleAtRunTime_;
        ReportChange(this);
    }
    TGLCameraInvariantObject::Assign(source);
}

TVector4f TGLDummyCube::Barycenter() {
    Integer n = GetChildCount();
    if (n == 0) return GetAbsolutePosition();
    TVector4f sum{0, 0, 0, 0};
    for (Integer i = 0; i < n; ++i) AddToVector4(sum, GetChild(i)->Barycenter());
    return ScaledVector4(sum, 1.0f / Single(n));
}

TVector4f TGLDummyCube::UnscaledDimensions() const {
    Single h = std::fabs(cubeSize_) * 0.5f;
    return {h, h, h, 0};
}

void CubeWireframeBuildList(TRenderContextInfo& rci, Single size, bool stipple, const TVector4f& color) {
    const Single h = size * 0.5f;
    GL.glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    GL.glDisable(GL_LIGHTING);
    GL.glEnable(GL_LINE_SMOOTH);
    if (stipple) GL.glEnable(GL_LINE_STIPPLE);
    GL.glEnable(GL_BLEND);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GL.glLineWidth(1);
    if (stipple) GL.glLineStipple(1, 0xCCCC);
    if (rci.GLStates) rci.GLStates->ResetMaterialColors();
    GL.glColorMaterial(GL_FRONT, GL_EMISSION);
    GL.glEnable(GL_COLOR_MATERIAL);
    GL.glColor4fv(&color.X);
    GL.glBegin(GL_LINE_STRIP);
    GL.glVertex3f(h, -h, -h);
    GL.glVertex3f(h, h, -h);
    GL.glVertex3f(h, h, h);
    GL.glVertex3f(h, -h, h);
    GL.glVertex3f(h, -h, -h);
    GL.glVertex3f(-h, -h, -h);
    GL.glVertex3f(-h, -h, h);
    GL.glVertex3f(-h, h, h);
    GL.glVertex3f(-h, h, -h);
    GL.glVertex3f(h, h, -h);
    GL.glEnd();
    GL.glBegin(GL_LINES);
    GL.glVertex3f(h, h, h);
    GL.glVertex3f(-h, h, h);
    GL.glVertex3f(-h, -h, -h);
    GL.glVertex3f(-h, h, -h);
    GL.glVertex3f(h, -h, h);
    GL.glVertex3f(-h, -h, h);
    GL.glEnd();
    GL.glPopAttrib();
}

void TGLDummyCube::BuildList(TRenderContextInfo& rci) {
    if (!ComponentState().Contains(csDesigning) && !visibleAtRunTime_) return;
    CubeWireframeBuildList(rci, cubeSize_, true, edgeColor_->Color());
}

void TGLDummyCube::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (OnVisibilityDetermination.Assigned() && !OnVisibilityDetermination(this, rci)) return;
    if (!amalgamate_ || rci.amalgamating) {
        TGLCameraInvariantObject::DoRender(rci, renderSelf, renderChildren);
        return;
    }
    if (groupList_->Handle() == 0) {
        groupList_->Allocate();
        Assert(groupList_->Handle() != 0, L"Handle=0 for " + ClassName());
        GL.glNewList(groupList_->Handle(), GL_COMPILE);
        rci.amalgamating = true;
        try {
            TGLCameraInvariantObject::DoRender(rci, renderSelf, renderChildren);
        } catch (...) {
            rci.amalgamating = false;
            GL.glEndList();
            throw;
        }
        rci.amalgamating = false;
        GL.glEndList();
    }
    GL.glCallList(groupList_->Handle());
}

void TGLDummyCube::StructureChanged() {
    if (amalgamate_) groupList_->Deallocate();
    TGLCameraInvariantObject::StructureChanged();
}

// ---- TGLPlane ----

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

TVector4f TGLPlane::UnscaledDimensions() const {
    return {std::fabs(width_) * 0.5f, std::fabs(height_) * 0.5f, 0, 0};
}

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

// ---- TGLSprite ----

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

// ---- TGLCube ----

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

// ---- class registration ----

void InitializeGLObjects() {
    RegisterClasses({TGLSphere::StaticClass(), TGLCube::StaticClass(), TGLPlane::StaticClass(),
                     TGLSprite::StaticClass(), TGLDummyCube::StaticClass()});
}
