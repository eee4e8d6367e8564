#pragma once
// The sprite (TGLSprite): a quad that always faces the camera.

#include "GLCustomSceneObject.h"

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
