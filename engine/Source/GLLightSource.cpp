#include "GLLightSource.h"

#include <algorithm>

#include "PersistentObjectList.h"

namespace {
constexpr Cardinal FirstGLLight = GL_LIGHT0;
constexpr Integer LightTableSize = 8;
}  // namespace

TGLLightSource::TGLLightSource(TComponent* owner)
    : TGLBaseSceneObject(owner),
      spotDirection_(new TGLCoordinates3(this, {0, 0, -1, 0}, csVector)),
      ambient_(new TGLColor(this)),
      diffuse_(new TGLColor(this, {1, 1, 1, 1})),
      specular_(new TGLColor(this)) {}

TGLLightSource::~TGLLightSource() {
    // The subtree goes while the light is whole.
    BeforeDestruction();
    delete spotDirection_;
    delete ambient_;
    delete diffuse_;
    delete specular_;
}

// ---- properties ------------------------------------------------------------------------------

void TGLLightSource::SetSpotDirection(TGLCoordinates3* value) {
    TVector4f v = value->AsVector();
    v.W = 0;
    spotDirection_->AssignVector(v);
}

void TGLLightSource::SetSpotExponent(Single value) {
    if (spotExponent_ == value) return;
    spotExponent_ = value;
    ReportChange(this);
}

void TGLLightSource::SetSpotCutOff(Single value) {
    if (spotCutOff_ == value) return;
    // OpenGL accepts nothing else; the value in use stays.
    if (!((value >= 0 && value <= 90) || value == 180)) return;
    spotCutOff_ = value;
    ReportChange(this);
}

void TGLLightSource::SetConstAttenuation(Single value) {
    if (constAttenuation_ == value) return;
    constAttenuation_ = value;
    ReportChange(this);
}

void TGLLightSource::SetLinearAttenuation(Single value) {
    if (linearAttenuation_ == value) return;
    linearAttenuation_ = value;
    ReportChange(this);
}

void TGLLightSource::SetQuadraticAttenuation(Single value) {
    if (quadraticAttenuation_ == value) return;
    quadraticAttenuation_ = value;
    ReportChange(this);
}

void TGLLightSource::SetShining(bool value) {
    if (shining_ == value) return;
    shining_ = value;
    ReportChange(this);
}

void TGLLightSource::SetLightStyle(TLightStyle value) {
    if (lightStyle_ == value) return;
    lightStyle_ = value;
    ReportChange(this);
}

void TGLLightSource::CoordinatesChanged(TGLCustomCoordinates* sender) {
    if (sender == spotDirection_) {
        TransformationChanged();
        ReportChange(this);
        return;
    }
    TGLBaseSceneObject::CoordinatesChanged(sender);
}

void TGLLightSource::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (renderChildren) RenderChildren(0, GetChildCount() - 1, rci);
}

// ---- set-up ----------------------------------------------------------------------------------

void TGLLightSource::SetupLight() {
    const GLenum light = lightID_;
    LocalMatrix();  // brought up to date
    TGLBaseSceneObject* frame = lightStyle_ == lsParallel ? this : Parent();
    if (frame) GL.glMultMatrixf(&frame->AbsoluteMatrix()[0].X);
    if (lightStyle_ == lsParallel) {
        TVector4f direction = spotDirection_->AsVector();
        direction.W = 0;
        GL.glLightfv(light, GL_POSITION, &direction.X);
    } else {
        TVector4f position = Position()->AsVector();
        position.W = 1;
        GL.glLightfv(light, GL_POSITION, &position.X);
    }
    GL.glLightfv(light, GL_AMBIENT, ambient_->ColorVectorAddress());
    GL.glLightfv(light, GL_DIFFUSE, diffuse_->ColorVectorAddress());
    GL.glLightfv(light, GL_SPECULAR, specular_->ColorVectorAddress());
    if (lightStyle_ == lsSpot) {
        if (spotCutOff_ != 180) {
            TVector4f direction = spotDirection_->AsVector();
            GL.glLightfv(light, GL_SPOT_DIRECTION, &direction.X);
            GL.glLightf(light, GL_SPOT_EXPONENT, spotExponent_);
        }
        GL.glLightf(light, GL_SPOT_CUTOFF, spotCutOff_);
    } else {
        GL.glLightf(light, GL_SPOT_CUTOFF, 180);
    }
    GL.glLightf(light, GL_CONSTANT_ATTENUATION, constAttenuation_);
    GL.glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation_);
    GL.glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation_);
}

void TGLScene::SetupLights(Integer maxLights) {
    const Integer n = std::min(LightTableSize, maxLights);
    GL.glPushMatrix();
    for (Integer i = 0; i < n; ++i) {
        auto* light = i < lights_->Count() ? dynamic_cast<TGLLightSource*>(lights_->GetItem(i)) : nullptr;
        if (!light || light->LightID() == 0) {
            GL.glDisable(FirstGLLight + Cardinal(i));
        } else if (!light->Shining()) {
            GL.glDisable(light->LightID());
        } else {
            GL.glEnable(light->LightID());
            // Each light from the camera's view.
            GL.glPopMatrix();
            GL.glPushMatrix();
            light->SetupLight();
        }
    }
    GL.glPopMatrix();
    for (Integer i = n; i < maxLights; ++i) GL.glDisable(FirstGLLight + Cardinal(i));
}

void InitializeGLLightSource() { RegisterClasses({TGLLightSource::StaticClass()}); }
