#include "GLObjects.h"

#include <algorithm>
#include <cmath>

#include "Filer.h"
#include "GLContext.h"
#include "GLCube.h"
#include "GLPlane.h"
#include "GLQuadrics.h"
#include "GLSceneBuffer.h"
#include "GLSilhouette.h"
#include "GLSprite.h"
#include "GLState.h"
#include "VectorGeometry.h"
#include "XOpenGL.h"

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

// ---- class registration ----

void InitializeGLObjects() {
    RegisterClasses({TGLSphere::StaticClass(), TGLCube::StaticClass(), TGLPlane::StaticClass(),
                     TGLSprite::StaticClass(), TGLDummyCube::StaticClass()});
}
