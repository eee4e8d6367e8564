#pragma once
// TGLFogEnvironment: the fog settings of a scene buffer, applied by the buffer when its fog is
// on. Every change tells the owner (the buffer, which repaints).

#include "BaseClasses.h"
#include "GLColor.h"
#include "OpenGL1x.h"
#include "TypInfo.h"

Z_ENUM(TFogMode, int, fmLinear, fmExp, fmExp2)
Z_ENUM(TFogDistance, int, fdDefault, fdEyeRadial, fdEyePlane)

class TGLFogEnvironment : public TGLUpdateAbleObject {
    Z_CLASS(TGLFogEnvironment, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"FogColor", &TGLFogEnvironment::FogColor);
        p.Property(L"FogStart", &TGLFogEnvironment::FogStart, &TGLFogEnvironment::SetFogStart).Default(10);
        p.Property(L"FogEnd", &TGLFogEnvironment::FogEnd, &TGLFogEnvironment::SetFogEnd).Default(1000);
        p.Property(L"FogMode", &TGLFogEnvironment::FogMode, &TGLFogEnvironment::SetFogMode).Default(fmLinear);
        p.Property(L"FogDistance", &TGLFogEnvironment::FogDistance, &TGLFogEnvironment::SetFogDistance)
            .Default(fdDefault);
    }

public:
    // The owner is the scene buffer: its IGLSceneBuffer gives the context to apply in.
    explicit TGLFogEnvironment(TPersistent* owner);
    ~TGLFogEnvironment() override;

    TGLColor* FogColor() const { return fogColor_; }
    // Copies the colour; null is ignored.
    void SetFogColor(TGLColor* value);
    Single FogStart() const { return fogStart_; }
    void SetFogStart(Single value);
    Single FogEnd() const { return fogEnd_; }
    void SetFogEnd(Single value);
    TFogMode FogMode() const { return fogMode_; }
    void SetFogMode(TFogMode value);
    TFogDistance FogDistance() const { return fogDistance_; }
    void SetFogDistance(TFogDistance value);

    // Colour, start, end, mode and distance, then one notification.
    void Assign(TPersistent* source) override;
    // Sends the fog settings in the owner's context (activated when it is not current);
    // nothing while the owner has no context. With exponential modes the colour's alpha is
    // the density.
    void ApplyFog();

private:
    TGLColor* fogColor_;
    Single fogStart_ = 10;
    Single fogEnd_ = 1000;
    TFogMode fogMode_ = fmLinear;
    TFogDistance fogDistance_ = fdDefault;
    GLint driverFogDistance_ = 0;  // the driver's own mode, read on the first use; 0 until then
};
