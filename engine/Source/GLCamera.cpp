#include "GLCamera.h"

#include <algorithm>
#include <cmath>

#include "VectorGeometry.h"

TGLCamera::TGLCamera(TComponent* owner) : TGLBaseSceneObject(owner) { Direction()->SetInitialVector({0, 0, -1, 0}); }

TGLCamera::~TGLCamera() {
    if (targetObject_) targetObject_->RemoveFreeNotification(this);
}

// ---- projection and view ---------------------------------------------------------------------

void TGLCamera::ApplyPerspective(const TRectangle& viewport, Integer width, Integer height, Integer DPI) {
    if (width < 1 || height < 1) return;
    const Single halfDiagonal = Single(std::sqrt(Double(width) * width + Double(height) * height) / 2);
    if (cameraStyle_ == csOrtho2D) {
        GL.gluOrtho2D(0, width, 0, height);
        nearPlane_ = -1;
        viewPortRadius_ = halfDiagonal;
        return;
    }
    if (cameraStyle_ == csCustom) {
        viewPortRadius_ = halfDiagonal;
        if (OnCustomPerspective) OnCustomPerspective(this, viewport, width, height, DPI, viewPortRadius_);
        return;
    }
    const Double maxDim = std::max(width, height);
    auto ratioFor = [&](Integer size) {
        if (cameraStyle_ == csOrthogonal) return Double(nearPlaneBias_) * 100 / (size * focalLength_ * sceneScale_);
        return Double(nearPlaneBias_) / (size * sceneScale_);
    };
    const Double rx = ratioFor(width), ry = ratioFor(height);
    const Double right = width * (2.0 * viewport.Left + 2.0 * viewport.Width - width) * rx / (2 * maxDim);
    const Double left = -width * (width - 2.0 * viewport.Left) * rx / (2 * maxDim);
    const Double top = height * (2.0 * viewport.Top + 2.0 * viewport.Height - height) * ry / (2 * maxDim);
    const Double bottom = -height * (height - 2.0 * viewport.Top) * ry / (2 * maxDim);
    nearPlane_ = Single(focalLength_ * 2.0 * DPI / (25.4 * maxDim) * nearPlaneBias_);
    const Double farPlane = Double(nearPlane_) + depthOfView_;
    switch (cameraStyle_) {
        case csPerspective:
            GL.glFrustum(left, right, bottom, top, nearPlane_, farPlane);
            break;
        case csOrthogonal:
            GL.glOrtho(left, right, bottom, top, nearPlane_, farPlane);
            break;
        case csInfinitePerspective: {
            // The far plane at infinity, kept a hair inside so that depth stays below 1.
            const Double n = nearPlane_, epsilon = 0.0001;
            TMatrix4x4 m{};
            m[0].X = Single(2 * n / (right - left));
            m[1].Y = Single(2 * n / (top - bottom));
            m[2] = {Single((right + left) / (right - left)), Single((top + bottom) / (top - bottom)),
                    Single(epsilon - 1), -1};
            m[3].Z = Single((epsilon - 2) * n);
            GL.glMultMatrixf(&m[0].X);
            break;
        }
        default:
            Assert(false, L"Unknown camera style");
    }
    viewPortRadius_ = Single(std::sqrt(top * top + right * right) / nearPlane_);
}

void TGLCamera::Apply() {
    if (DeferredApply) {
        DeferredApply(this);
        return;
    }
    const TVector4f p = GetAbsolutePosition();
    if (targetObject_) {
        const TVector4f t = targetObject_->GetAbsolutePosition();
        TVector4f d = SubtractVectors4(t, p);
        d.W = 0;
        lastDirection_ = NormalizedVector4(d);
        const TVector4f& u = Up()->AsVector();
        GL.gluLookAt(p.X, p.Y, p.Z, t.X, t.Y, t.Z, u.X, u.Y, u.Z);
    } else {
        const TMatrix4x4& parentMatrix = Parent() ? Parent()->AbsoluteMatrix() : IdentityMatrix;
        const TVector4f d = TransformVector4(Direction()->AsVector(), parentMatrix);
        const TVector4f u = TransformVector4(Up()->AsVector(), parentMatrix);
        lastDirection_ = d;
        GL.gluLookAt(p.X, p.Y, p.Z, p.X + d.X, p.Y + d.Y, p.Z + d.Z, u.X, u.Y, u.Z);
    }
    ClearStructureChanged();
}

// ---- moving around the target ----------------------------------------------------------------

void TGLCamera::OrbitTarget(Single pitchDelta, Single turnDelta) {
    if (targetObject_) MoveAroundTarget(targetObject_, pitchDelta, turnDelta);
}

void TGLCamera::ScaleDistanceToTarget(Single ratio) {
    if (!targetObject_) return;
    const TVector4f t = targetObject_->GetAbsolutePosition();
    const TVector4f p = GetAbsolutePosition();
    TVector4f v{t.X + (p.X - t.X) * ratio, t.Y + (p.Y - t.Y) * ratio, t.Z + (p.Z - t.Z) * ratio, 1};
    if (Parent()) v = Parent()->AbsoluteToLocal(v);
    Position()->AssignVector(v);
}

Single TGLCamera::GetFieldOfView(Single viewportDimension) const {
    if (focalLength_ == 0) return 0;
    return RadiansToDegreesSingle(Single(2 * std::atan((viewportDimension / 2.0) / focalLength_)));
}

void TGLCamera::SetFieldOfView(Single viewportDimension, Single fieldOfView) {
    // No lens has a view of nothing or of a half-space or more: the focal length would be
    // infinite (or negative) and the projection unusable.
    if (!(fieldOfView > 0 && fieldOfView < 180)) return;
    SetFocalLength(Single(viewportDimension / (2 * std::tan(DegreesToRadians(fieldOfView) / 2))));
}

// ---- properties ------------------------------------------------------------------------------

void TGLCamera::SetFocalLength(Single value) {
    if (value <= 0) value = 1;
    if (focalLength_ == value) return;
    focalLength_ = value;
    if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetDepthOfView(Single value) {
    if (depthOfView_ == value) return;
    depthOfView_ = value;
    if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetNearPlaneBias(Single value) {
    if (value <= 0) value = 1;
    if (nearPlaneBias_ == value) return;
    nearPlaneBias_ = value;
    ReportChange(this);
}

void TGLCamera::SetTargetObject(TGLBaseSceneObject* value) {
    if (targetObject_ == value) return;
    if (targetObject_) targetObject_->RemoveFreeNotification(this);
    targetObject_ = value;
    if (targetObject_) targetObject_->FreeNotification(this);
    if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetCameraStyle(TGLCameraStyle value) {
    if (cameraStyle_ == value) return;
    cameraStyle_ = value;
    ReportChange(this);
}

void TGLCamera::SetSceneScale(Single value) {
    if (value == 0) value = 1;
    if (sceneScale_ == value) return;
    sceneScale_ = value;
    ReportChange(this);
}

void TGLCamera::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (renderChildren) RenderChildren(0, GetChildCount() - 1, rci);
}

void TGLCamera::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == targetObject_) targetObject_ = nullptr;
    TGLBaseSceneObject::Notification(component, operation);
}

void InitializeGLCamera() { RegisterClasses({TGLCamera::StaticClass()}); }
