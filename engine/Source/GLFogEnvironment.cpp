#include "GLFogEnvironment.h"

#include "GLContext.h"
#include "Scene.h"

#ifndef GL_FOG_DISTANCE_MODE_NV
#define GL_FOG_DISTANCE_MODE_NV 0x855A
#define GL_EYE_RADIAL_NV 0x855B
#define GL_EYE_PLANE_ABSOLUTE_NV 0x855C
#endif

TGLFogEnvironment::TGLFogEnvironment(TPersistent* owner)
    : TGLUpdateAbleObject(owner), fogColor_(new TGLColor(this, {0, 0, 0, 1})) {}

TGLFogEnvironment::~TGLFogEnvironment() { delete fogColor_; }

void TGLFogEnvironment::SetFogColor(TGLColor* value) {
    if (!value) return;
    fogColor_->Assign(value);
    ReportChange(this);
}

void TGLFogEnvironment::SetFogStart(Single value) {
    if (fogStart_ == value) return;
    fogStart_ = value;
    ReportChange(this);
}

void TGLFogEnvironment::SetFogEnd(Single value) {
    if (fogEnd_ == value) return;
    fogEnd_ = value;
    ReportChange(this);
}

void TGLFogEnvironment::SetFogMode(TFogMode value) {
    if (fogMode_ == value) return;
    fogMode_ = value;
    ReportChange(this);
}

void TGLFogEnvironment::SetFogDistance(TFogDistance value) {
    if (fogDistance_ == value) return;
    fogDistance_ = value;
    ReportChange(this);
}

void TGLFogEnvironment::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TGLFogEnvironment*>(source);
    if (!other) {
        TGLUpdateAbleObject::Assign(source);
        return;
    }
    fogColor_->StoreColorVector(other->fogColor_->Color());
    fogStart_ = other->fogStart_;
    fogEnd_ = other->fogEnd_;
    fogMode_ = other->fogMode_;
    fogDistance_ = other->fogDistance_;
    ReportChange(this);
}

void TGLFogEnvironment::ApplyFog() {
    auto* buffer = dynamic_cast<IGLSceneBuffer*>(Owner());
    TGLContext* context = buffer ? buffer->RenderingContext() : nullptr;
    if (!context) return;
    const bool activate = !context->IsActive();
    if (activate) context->Activate();
    try {
        switch (fogMode_) {
            case fmLinear:
                GL.glFogi(GL_FOG_MODE, GL_LINEAR);
                break;
            case fmExp:
            case fmExp2:
                GL.glFogi(GL_FOG_MODE, fogMode_ == fmExp ? GL_EXP : GL_EXP2);
                GL.glFogf(GL_FOG_DENSITY, fogColor_->Color().W);
                break;
        }
        GL.glFogfv(GL_FOG_COLOR, fogColor_->ColorVectorAddress());
        GL.glFogf(GL_FOG_START, fogStart_);
        GL.glFogf(GL_FOG_END, fogEnd_);
        if (GL.GL_NV_fog_distance) {
            // Read before this environment first changes it, so that fdDefault always means
            // the driver's own mode, whichever distance was applied first.
            if (driverFogDistance_ == 0) GL.glGetIntegerv(GL_FOG_DISTANCE_MODE_NV, &driverFogDistance_);
            switch (fogDistance_) {
                case fdDefault:
                    GL.glFogi(GL_FOG_DISTANCE_MODE_NV, driverFogDistance_);
                    break;
                case fdEyeRadial:
                    GL.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV);
                    break;
                case fdEyePlane:
                    GL.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE_ABSOLUTE_NV);
                    break;
                default:
                    Assert(false, L"Unknown fog distance");
            }
        }
    } catch (...) {
        if (activate) context->Deactivate();
        throw;
    }
    if (activate) context->Deactivate();
}
