#pragma once
// The quadric objects: TGLQuadricObject, the base with its normals (TNormalSmoothing,
// TNormalDirection), and TGLSphere with its limits (TAngleLimit1/2) and caps (TCapType).
//
// Sections: TGLQuadricObject · TGLSphere.

#include "GLObjects.h"

Z_ENUM(TNormalSmoothing, int, nsFlat, nsSmooth, nsNone)

Z_ENUM(TCapType, int, ctNone, ctCenter, ctFlat)

using TAngleLimit1 = ShortInt;  // -90 .. 90
using TAngleLimit2 = Word;      // 0 .. 360

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
