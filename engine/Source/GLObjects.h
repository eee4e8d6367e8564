#pragma once
// The basic scene objects. Here: the camera-invariant base (TGLCameraInvariantObject) and the
// dummy cube (TGLDummyCube, a grouping node), and the start-up that registers every basic
// object. The others have a header each: GLPlane.h (TGLPlane), GLSprite.h (TGLSprite, the
// camera-facing quad), GLCube.h (TGLCube), GLQuadrics.h (TGLQuadricObject, TGLSphere).
//
// Sections: enumerations · TGLCameraInvariantObject · TGLDummyCube · class registration.
//
// Geometry setters call StructureChanged (the cached geometry is stale); appearance and
// placement setters call ReportChange. Ray tests take the ray into the object's local frame and
// answer in world coordinates.

#include "GLColor.h"
#include "GLCustomSceneObject.h"

class TGLListHandle;

// ---- enumerations ----

Z_ENUM(TGLCameraInvarianceMode, int, cimNone, cimPosition, cimOrientation)

// Which way the normals of a closed object point (the cube, the quadrics).
Z_ENUM(TNormalDirection, int, ndInside, ndOutside)

// Asked before each render of a dummy cube; false skips it and its subtree.
using TGLVisibilityDeterminationEvent = TEvent<bool(TObject* Sender, TRenderContextInfo& rci)>;

// ---- TGLCameraInvariantObject ----

// Rendered from the camera's position (cimPosition) or ignoring the camera (cimOrientation).
class TGLCameraInvariantObject : public TGLImmaterialSceneObject {
    Z_CLASS(TGLCameraInvariantObject, TGLImmaterialSceneObject)
    Z_PUBLISHED {
        p.Property(L"CamInvarianceMode", &TGLCameraInvariantObject::CamInvarianceMode,
                   &TGLCameraInvariantObject::SetCamInvarianceMode)
            .Default(cimNone);
    }

public:
    using TGLImmaterialSceneObject::TGLImmaterialSceneObject;

    TGLCameraInvarianceMode CamInvarianceMode() const { return camInvarianceMode_; }
    void SetCamInvarianceMode(TGLCameraInvarianceMode value);

    void Assign(TPersistent* source) override;
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

private:
    TGLCameraInvarianceMode camInvarianceMode_ = cimNone;
};

// ---- TGLDummyCube ----

// The twelve edges of a cube of edge size around the origin, in the colour, smoothed and
// blended, stippled 0xCCCC when asked; lighting off; restores what it changes.
void CubeWireframeBuildList(TRenderContextInfo& rci, Single size, bool stipple, const TVector4f& color);

class TGLDummyCube : public TGLCameraInvariantObject {
    Z_CLASS(TGLDummyCube, TGLCameraInvariantObject)
    Z_PUBLISHED {
        p.Property(L"CubeSize", &TGLDummyCube::CubeSize, &TGLDummyCube::SetCubeSize);
        p.Property(L"EdgeColor", &TGLDummyCube::EdgeColor);
        p.Property(L"VisibleAtRunTime", &TGLDummyCube::VisibleAtRunTime, &TGLDummyCube::SetVisibleAtRunTime)
            .Default(false);
        p.Property(L"Amalgamate", &TGLDummyCube::Amalgamate, &TGLDummyCube::SetAmalgamate).Default(false);
        p.Event(L"OnVisibilityDetermination", &TGLDummyCube::OnVisibilityDetermination);
    }

public:
    explicit TGLDummyCube(TComponent* owner);
    ~TGLDummyCube() override;

    Single CubeSize() const { return cubeSize_; }
    void SetCubeSize(Single value);
    TGLColor* EdgeColor() const { return edgeColor_; }
    void SetEdgeColor(TGLColor* value);
    bool VisibleAtRunTime() const { return visibleAtRunTime_; }
    void SetVisibleAtRunTime(bool value);
    bool Amalgamate() const { return amalgamate_; }
    void SetAmalgamate(bool value);
    TGLVisibilityDeterminationEvent OnVisibilityDetermination;
    // The display list of the amalgamated subtree.
    TGLListHandle* AmalgamatedList() const { return groupList_; }

    void Assign(TPersistent* source) override;
    // The mean of the children's barycenters; the own position without children.
    TVector4f Barycenter() override;
    TVector4f UnscaledDimensions() const override;
    // A container is never hit, so ray tests pass through to its children.
    bool IntersectRay(const TVector4f&, const TVector4f&, TVector4f* = nullptr, TVector4f* = nullptr) override {
        return false;
    }
    // The dotted wire cube, at design time or with VisibleAtRunTime only.
    void BuildList(TRenderContextInfo& rci) override;
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    void StructureChanged() override;

private:
    Single cubeSize_ = 1;
    TGLColor* edgeColor_;
    bool visibleAtRunTime_ = false;
    bool amalgamate_ = false;
    TGLListHandle* groupList_;
};

// ---- class registration ----

void InitializeGLObjects();

// moved: each of these objects has its own header now; included here until no file expects
// them from this header.
#include "GLPlane.h"
#include "GLSprite.h"
#include "GLCube.h"
#include "GLQuadrics.h"
