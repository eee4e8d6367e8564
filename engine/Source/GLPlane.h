#pragma once
// The plane (TGLPlane): a rectangle in the local XY plane, drawn as one quad or tiled
// (TPlaneStyle(s)).

#include "GLCustomSceneObject.h"

Z_ENUM(TPlaneStyle, int, psSingleQuad, psTileTexture)
using TPlaneStyles = TSet<TPlaneStyle>;

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
        p.Property(L"Style", &TGLPlane::Style, &TGLPlane::SetStyle).Default(TPlaneStyles{psSingleQuad, psTileTexture});
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
