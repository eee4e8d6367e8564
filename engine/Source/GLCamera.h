#pragma once
// TGLCamera: the scene object a scene buffer looks through. It sets up the projection from its
// focal length, depth of view and the viewport, and the view from its absolute position towards
// its target object or along its own direction.

#include "Scene.h"

Z_ENUM(TGLCameraStyle, int, csPerspective, csOrthogonal, csOrtho2D, csCustom, csInfinitePerspective)

// A viewport in pixels: left, top, width, height.
struct TRectangle {
    Integer Left = 0, Top = 0, Width = 0, Height = 0;
};

// The projection of the csCustom style; it may adjust the viewport radius.
using TOnCustomPerspective = TEvent<void(TObject* Sender, const TRectangle& viewport, Integer width, Integer height,
                                         Integer DPI, Single& viewPortRadius)>;

class TGLCamera : public TGLBaseSceneObject, public IGLCameraObject {
    Z_CLASS(TGLCamera, TGLBaseSceneObject)
    Z_PUBLISHED {
        p.Property(L"FocalLength", &TGLCamera::FocalLength, &TGLCamera::SetFocalLength).Default(50);
        p.Property(L"SceneScale", &TGLCamera::SceneScale, &TGLCamera::SetSceneScale)
            .Stored(&TGLCamera::IsSceneScaleStored);
        p.Property(L"NearPlaneBias", &TGLCamera::NearPlaneBias, &TGLCamera::SetNearPlaneBias)
            .Stored(&TGLCamera::IsNearPlaneBiasStored);
        p.Property(L"DepthOfView", &TGLCamera::DepthOfView, &TGLCamera::SetDepthOfView).Default(100);
        p.Property(L"TargetObject", &TGLCamera::TargetObject, &TGLCamera::SetTargetObject);
        p.Property(L"CameraStyle", &TGLCamera::CameraStyle, &TGLCamera::SetCameraStyle).Default(csPerspective);
    }

public:
    explicit TGLCamera(TComponent* owner);
    ~TGLCamera() override;

    // Multiplies the current (projection) matrix by the style's projection for a viewport of
    // width x height pixels at DPI; nothing when either size is below 1.
    void ApplyPerspective(const TRectangle& viewport, Integer width, Integer height, Integer DPI);
    // Multiplies the current (model-view, normally identity) matrix by the view.
    void Apply();

    // Orbits around the target (degrees); nothing without one.
    void OrbitTarget(Single pitchDelta, Single turnDelta);
    // Moves along the line to the target, to ratio times the present distance.
    void ScaleDistanceToTarget(Single ratio);
    // The field of view across a viewport dimension (pixels), degrees; 0 with no focal length.
    Single GetFieldOfView(Single viewportDimension) const;
    // Angles outside (0, 180) degrees are ignored.
    void SetFieldOfView(Single viewportDimension, Single fieldOfView);

    Single FocalLength() const { return focalLength_; }
    void SetFocalLength(Single value);
    Single DepthOfView() const { return depthOfView_; }
    void SetDepthOfView(Single value);
    Single NearPlane() const { return nearPlane_; }
    Single NearPlaneBias() const { return nearPlaneBias_; }
    void SetNearPlaneBias(Single value);
    Single ViewPortRadius() const { return viewPortRadius_; }
    TGLBaseSceneObject* TargetObject() const { return targetObject_; }
    void SetTargetObject(TGLBaseSceneObject* value);
    // The absolute viewing direction of the last Apply.
    const TVector4f& LastDirection() const { return lastDirection_; }
    TGLCameraStyle CameraStyle() const { return cameraStyle_; }
    void SetCameraStyle(TGLCameraStyle value);
    Single SceneScale() const { return sceneScale_; }
    void SetSceneScale(Single value);
    bool IsSceneScaleStored() const { return sceneScale_ != 1; }
    bool IsNearPlaneBiasStored() const { return nearPlaneBias_ != 1; }

    // When set, Apply calls it in place of setting up the view.
    TNotifyEvent DeferredApply;
    TOnCustomPerspective OnCustomPerspective;

    // Only the children are drawn: a camera has no geometry.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override {
        return false;
    }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    Single focalLength_ = 50;
    Single depthOfView_ = 100;
    Single nearPlane_ = 0;
    Single nearPlaneBias_ = 1;
    Single viewPortRadius_ = 0;
    TGLBaseSceneObject* targetObject_ = nullptr;
    TVector4f lastDirection_ = {0, 0, -1, 0};
    TGLCameraStyle cameraStyle_ = csPerspective;
    Single sceneScale_ = 1;
};

// Makes the camera class known to form descriptions.
void InitializeGLCamera();
