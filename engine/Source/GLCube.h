#pragma once
// The cube (TGLCube): an axis-aligned box with the faces it draws (TCubePart(s)) and the way its
// normals point (TNormalDirection, in GLObjects.h).

#include "GLObjects.h"

Z_ENUM(TCubePart, int, cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight)
using TCubeParts = TSet<TCubePart>;

// An axis-aligned box; its three sizes are stored together as "CubeSize".
class TGLCube : public TGLSceneObject {
    Z_CLASS(TGLCube, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"CubeWidth", &TGLCube::CubeWidth, &TGLCube::SetCubeWidth).Stored(false);
        p.Property(L"CubeHeight", &TGLCube::CubeHeight, &TGLCube::SetCubeHeight).Stored(false);
        p.Property(L"CubeDepth", &TGLCube::CubeDepth, &TGLCube::SetCubeDepth).Stored(false);
        p.Property(L"NormalDirection", &TGLCube::NormalDirection, &TGLCube::SetNormalDirection).Default(ndOutside);
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
