#pragma once
// The basic scene objects: the camera-invariant base, the dummy cube (a grouping node), the
// plane, the camera-facing sprite, the cube and the sphere.
//
// Sections: enumerations · TGLCameraInvariantObject · TGLDummyCube · TGLPlane · TGLSprite ·
// TGLCube · TGLQuadricObject · TGLSphere · class registration.
//
// Geometry setters call StructureChanged (the cached geometry is stale); appearance and
// placement setters call ReportChange. Ray tests take the ray into the object's local frame and
// answer in world coordinates.

#include "GLColor.h"
#include "GLCustomSceneObject.h"

class TGLListHandle;

// ---- enumerations ----

Z_ENUM(TGLCameraInvarianceMode, int, cimNone, cimPosition, cimOrientation)

Z_ENUM(TPlaneStyle, int, psSingleQuad, psTileTexture)
using TPlaneStyles = TSet<TPlaneStyle>;

Z_ENUM(TNormalDirection, int, ndInside, ndOutside)

Z_ENUM(TCubePart, int, cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight)
using TCubeParts = TSet<TCubePart>;

Z_ENUM(TNormalSmoothing, int, nsFlat, nsSmooth, nsNone)

Z_ENUM(TCapType, int, ctNone, ctCenter, ctFlat)

using TAngleLimit1 = ShortInt;  // -90 .. 90
using TAngleLimit2 = Word;      // 0 .. 360

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

// ---- TGLPlane ----

// A rectangle in the local XY plane facing +Z.
class TGLPlane : public TGLSceneObject {
    Z_CLASS(TGLPlane, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"Height", &TGLPlane::Height, &TGLPlane::SetHeight).Default(1.0f);
        p.Property(L"Width", &TGLPlane::Width, &TGLPlane::SetWidth).Default(1.0f);
        p.Property(L"XOffset", &TGLPlane::XOffset, &TGLPlane::SetXOffset).Default(0.0f);
        p.Property(L"XScope", &TGLPlane::XScope, &TGLPlane::SetXScope).Default(1.0f);
        p.Property(L"XTiles", &TGLPlane::XTiles, &TGLPlane::SetXTiles).Default(1);
        p.Property(L"YOffset", &TGLPlane::YOffset, &TGLPlane::SetYOffset).Default(0.0f);
        p.Property(L"YScope", &TGLPlane::YScope, &TGLPlane::SetYScope).Default(1.0f);
        p.Property(L"YTiles", &TGLPlane::YTiles, &TGLPlane::SetYTiles).Default(1);
        p.Property(L"Style", &TGLPlane::Style, &TGLPlane::SetStyle)
            .Default(TPlaneStyles{psSingleQuad, psTileTexture});
        p.Property(L"NoZWrite", &TGLPlane::NoZWrite, &TGLPlane::SetNoZWrite);
    }

public:
    explicit TGLPlane(TComponent* owner);

    Single Height() const { return height_; }
    void SetHeight(Single value);
    Single Width() const { return width_; }
    void SetWidth(Single value);
    Single XOffset() const { return xOffset_; }
    void SetXOffset(Single value);
    Single XScope() const { return xScope_; }
    // Values above 1 become 1.
    void SetXScope(Single value);
    Cardinal XTiles() const { return xTiles_; }
    void SetXTiles(Cardinal value);
    Single YOffset() const { return yOffset_; }
    void SetYOffset(Single value);
    Single YScope() const { return yScope_; }
    void SetYScope(Single value);
    Cardinal YTiles() const { return yTiles_; }
    void SetYTiles(Cardinal value);
    TPlaneStyles Style() const { return style_; }
    void SetStyle(TPlaneStyles value);
    bool NoZWrite() const { return noZWrite_; }
    void SetNoZWrite(bool value);

    void Assign(TPersistent* source) override;
    TVector4f UnscaledDimensions() const override;
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override;
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters) override;
    void BuildList(TRenderContextInfo& rci) override;

private:
    void SetSingle(Single& field, Single value);
    Single width_ = 1, height_ = 1;
    Single xOffset_ = 0, yOffset_ = 0;
    Single xScope_ = 1, yScope_ = 1;
    Cardinal xTiles_ = 1, yTiles_ = 1;
    TPlaneStyles style_{psSingleQuad, psTileTexture};
    bool noZWrite_ = false;
};

// ---- TGLSprite ----

// A quad that always faces the camera.
class TGLSprite : public TGLSceneObject {
    Z_CLASS(TGLSprite, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"Width", &TGLSprite::Width, &TGLSprite::SetWidth).Default(1.0f);
        p.Property(L"Height", &TGLSprite::Height, &TGLSprite::SetHeight).Default(1.0f);
        p.Property(L"Rotation", &TGLSprite::Rotation, &TGLSprite::SetRotation).Default(0.0f);
        p.Property(L"AlphaChannel", &TGLSprite::AlphaChannel, &TGLSprite::SetAlphaChannel).Default(1.0f);
        p.Property(L"NoZWrite", &TGLSprite::NoZWrite, &TGLSprite::SetNoZWrite).Default(false);
        p.Property(L"MirrorU", &TGLSprite::MirrorU, &TGLSprite::SetMirrorU).Default(false);
        p.Property(L"MirrorV", &TGLSprite::MirrorV, &TGLSprite::SetMirrorV).Default(false);
    }

public:
    explicit TGLSprite(TComponent* owner);

    Single Width() const { return width_; }
    void SetWidth(Single value);
    Single Height() const { return height_; }
    void SetHeight(Single value);
    // Degrees about the view axis (hides the node's rotation angles, which a sprite ignores).
    Single Rotation() const { return rotation_; }
    void SetRotation(Single value);
    Single AlphaChannel() const { return alphaChannel_; }
    // Clamped to 0 .. 1.
    void SetAlphaChannel(Single value);
    bool NoZWrite() const { return noZWrite_; }
    void SetNoZWrite(bool value);
    bool MirrorU() const { return mirrorU_; }
    void SetMirrorU(bool value);
    bool MirrorV() const { return mirrorV_; }
    void SetMirrorV(bool value);

    void Assign(TPersistent* source) override;
    TVector4f UnscaledDimensions() const override;
    void BuildList(TRenderContextInfo& rci) override;

private:
    Single width_ = 1, height_ = 1, rotation_ = 0, alphaChannel_ = 1;
    bool noZWrite_ = false, mirrorU_ = false, mirrorV_ = false;
};

// ---- TGLCube ----

// An axis-aligned box; its three sizes are stored together as "CubeSize".
class TGLCube : public TGLSceneObject {
    Z_CLASS(TGLCube, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"CubeWidth", &TGLCube::CubeWidth, &TGLCube::SetCubeWidth).Stored(false);
        p.Property(L"CubeHeight", &TGLCube::CubeHeight, &TGLCube::SetCubeHeight).Stored(false);
        p.Property(L"CubeDepth", &TGLCube::CubeDepth, &TGLCube::SetCubeDepth).Stored(false);
        p.Property(L"NormalDirection", &TGLCube::NormalDirection, &TGLCube::SetNormalDirection)
            .Default(ndOutside);
        p.Property(L"Parts", &TGLCube::Parts, &TGLCube::SetParts)
            .Default(TCubeParts{cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight});
    }

public:
    explicit TGLCube(TComponent* owner);

    Single CubeWidth() const { return size_.X; }
    void SetCubeWidth(Single value) { SetSize(0, value); }
    Single CubeHeight() const { return size_.Y; }
    void SetCubeHeight(Single value) { SetSize(1, value); }
    Single CubeDepth() const { return size_.Z; }
    void SetCubeDepth(Single value) { SetSize(2, value); }
    TNormalDirection NormalDirection() const { return normalDirection_; }
    void SetNormalDirection(TNormalDirection value);
    TCubeParts Parts() const { return parts_; }
    void SetParts(TCubeParts value);

    void DefineProperties(TFiler* filer) override;
    void Assign(TPersistent* source) override;
    TVector4f UnscaledDimensions() const override;
    // Faces are hit from outside only: a ray starting inside the box misses it.
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override;
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters) override;
    void BuildList(TRenderContextInfo& rci) override;
    bool DrawsGeometryOnly() const override { return true; }

private:
    void SetSize(int axis, Single value);
    // The four corners of each face in drawing order, with its texture coordinates.
    TAffineVector size_ = {1, 1, 1};
    TNormalDirection normalDirection_ = ndOutside;
    TCubeParts parts_{cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight};
};

// ---- TGLQuadricObject ----

class TGLQuadricObject : public TGLSceneObject {
    Z_CLASS(TGLQuadricObject, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"Normals", &TGLQuadricObject::Normals, &TGLQuadricObject::SetNormals).Default(nsSmooth);
        p.Property(L"NormalDirection", &TGLQuadricObject::NormalDirection, &TGLQuadricObject::SetNormalDirection)
            .Default(ndOutside);
    }

public:
    using TGLSceneObject::TGLSceneObject;

    TNormalSmoothing Normals() const { return normals_; }
    void SetNormals(TNormalSmoothing value);
    TNormalDirection NormalDirection() const { return normalDirection_; }
    void SetNormalDirection(TNormalDirection value);

    void Assign(TPersistent* source) override;

private:
    TNormalSmoothing normals_ = nsSmooth;
    TNormalDirection normalDirection_ = ndOutside;
};

// ---- TGLSphere ----

// A sphere that can be cut to a band of latitudes (Top, Bottom) and a range of longitudes
// (Start, Stop, longitude 0 on +Z) and closed with caps.
class TGLSphere : public TGLQuadricObject {
    Z_CLASS(TGLSphere, TGLQuadricObject)
    Z_PUBLISHED {
        p.Property(L"Radius", &TGLSphere::Radius, &TGLSphere::SetRadius).Default(0.5f);
        p.Property(L"Slices", &TGLSphere::Slices, &TGLSphere::SetSlices).Default(16);
        p.Property(L"Stacks", &TGLSphere::Stacks, &TGLSphere::SetStacks).Default(16);
        p.Property(L"Top", &TGLSphere::Top, &TGLSphere::SetTop).Default(90);
        p.Property(L"Bottom", &TGLSphere::Bottom, &TGLSphere::SetBottom).Default(-90);
        p.Property(L"Start", &TGLSphere::Start, &TGLSphere::SetStart).Default(0);
        p.Property(L"Stop", &TGLSphere::Stop, &TGLSphere::SetStop).Default(360);
        p.Property(L"TopCap", &TGLSphere::TopCap, &TGLSphere::SetTopCap).Default(ctNone);
        p.Property(L"BottomCap", &TGLSphere::BottomCap, &TGLSphere::SetBottomCap).Default(ctNone);
    }

public:
    explicit TGLSphere(TComponent* owner);

    Single Radius() const { return radius_; }
    void SetRadius(Single value);
    // Values below 1 become 1.
    Integer Slices() const { return slices_; }
    void SetSlices(Integer value);
    Integer Stacks() const { return stacks_; }
    void SetStacks(Integer value);
    // Latitudes in degrees, clamped to -90 .. 90.
    TAngleLimit1 Top() const { return top_; }
    void SetTop(TAngleLimit1 value);
    TAngleLimit1 Bottom() const { return bottom_; }
    void SetBottom(TAngleLimit1 value);
    // Longitudes in degrees, clamped to 0 .. 360; Start above Stop fails an assertion.
    TAngleLimit2 Start() const { return start_; }
    void SetStart(TAngleLimit2 value);
    TAngleLimit2 Stop() const { return stop_; }
    void SetStop(TAngleLimit2 value);
    TCapType TopCap() const { return topCap_; }
    void SetTopCap(TCapType value);
    TCapType BottomCap() const { return bottomCap_; }
    void SetBottomCap(TCapType value);

    void Assign(TPersistent* source) override;
    TVector4f UnscaledDimensions() const override;
    // Against the whole sphere: cuts and caps are ignored.
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override;
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters) override;
    void BuildList(TRenderContextInfo& rci) override;

private:
    Single radius_ = 0.5f;
    Integer slices_ = 16, stacks_ = 16;
    TAngleLimit1 top_ = 90, bottom_ = -90;
    TAngleLimit2 start_ = 0, stop_ = 360;
    TCapType topCap_ = ctNone, bottomCap_ = ctNone;
};

// ---- class registration ----

void InitializeGLObjects();
