#pragma once
// TGLLightSource: a scene object that stands for one OpenGL light. The scene keeps up to eight
// of them in its light table and sets them up before each frame (TGLScene::SetupLights). A
// spot light's position and direction are taken in its parent's frame: turning the light
// itself does not turn its cone; a parallel light shines along SpotDirection in its own frame.

#include "GLColor.h"
#include "Scene.h"

Z_ENUM(TLightStyle, int, lsSpot, lsOmni, lsParallel)

class TGLLightSource : public TGLBaseSceneObject, public IGLLightSourceSlot {
    Z_CLASS(TGLLightSource, TGLBaseSceneObject)
    Z_PUBLISHED {
        p.Property(L"Ambient", &TGLLightSource::Ambient);
        p.Property(L"ConstAttenuation", &TGLLightSource::ConstAttenuation, &TGLLightSource::SetConstAttenuation)
            .Default(1);
        p.Property(L"Diffuse", &TGLLightSource::Diffuse);
        p.Property(L"LinearAttenuation", &TGLLightSource::LinearAttenuation, &TGLLightSource::SetLinearAttenuation)
            .Default(0);
        p.Property(L"QuadraticAttenuation", &TGLLightSource::QuadraticAttenuation,
                   &TGLLightSource::SetQuadraticAttenuation)
            .Default(0);
        p.Property(L"LightStyle", &TGLLightSource::LightStyle, &TGLLightSource::SetLightStyle).Default(lsSpot);
        p.Property(L"Shining", &TGLLightSource::Shining, &TGLLightSource::SetShining).Default(true);
        p.Property(L"Specular", &TGLLightSource::Specular);
        p.Property(L"SpotCutOff", &TGLLightSource::SpotCutOff, &TGLLightSource::SetSpotCutOff).Default(180);
        p.Property(L"SpotDirection", &TGLLightSource::SpotDirection);
        p.Property(L"SpotExponent", &TGLLightSource::SpotExponent, &TGLLightSource::SetSpotExponent).Default(0);
    }

public:
    explicit TGLLightSource(TComponent* owner);
    ~TGLLightSource() override;

    // GL_LIGHT0 + the light's entry in the scene's table; 0 without an entry.
    Cardinal LightID() const override { return lightID_; }
    void SetLightID(Cardinal value) override { lightID_ = value; }

    TGLCoordinates3* SpotDirection() const { return spotDirection_; }
    // Taken as a direction (W = 0).
    void SetSpotDirection(TGLCoordinates3* value);
    Single SpotExponent() const { return spotExponent_; }
    void SetSpotExponent(Single value);
    Single SpotCutOff() const { return spotCutOff_; }
    // Degrees in [0, 90], or 180 for no cone; other values are ignored.
    void SetSpotCutOff(Single value);
    Single ConstAttenuation() const { return constAttenuation_; }
    void SetConstAttenuation(Single value);
    Single LinearAttenuation() const { return linearAttenuation_; }
    void SetLinearAttenuation(Single value);
    Single QuadraticAttenuation() const { return quadraticAttenuation_; }
    void SetQuadraticAttenuation(Single value);
    bool Shining() const { return shining_; }
    void SetShining(bool value);
    TGLColor* Ambient() const { return ambient_; }
    void SetAmbient(TGLColor* value) { ambient_->Assign(value); }
    TGLColor* Diffuse() const { return diffuse_; }
    void SetDiffuse(TGLColor* value) { diffuse_->Assign(value); }
    TGLColor* Specular() const { return specular_; }
    void SetSpecular(TGLColor* value) { specular_->Assign(value); }
    TLightStyle LightStyle() const { return lightStyle_; }
    void SetLightStyle(TLightStyle value);

    // Sends this light's position, colours, cone and attenuation; the model-view matrix must
    // hold the camera's view.
    void SetupLight();

    // A light has no geometry: only its children are drawn, and rays never hit it.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    GLuint DisplayListFor(TRenderContextInfo&) override { return 0; }
    bool IntersectRay(const TVector4f&, const TVector4f&, TVector4f* = nullptr, TVector4f* = nullptr) override {
        return false;
    }
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters&) override { return nullptr; }
    void CoordinatesChanged(TGLCustomCoordinates* sender) override;

private:
    Cardinal lightID_ = 0;
    TGLCoordinates3* spotDirection_;
    Single spotExponent_ = 0;
    Single spotCutOff_ = 180;
    Single constAttenuation_ = 1;
    Single linearAttenuation_ = 0;
    Single quadraticAttenuation_ = 0;
    bool shining_ = true;
    TGLColor* ambient_;
    TGLColor* diffuse_;
    TGLColor* specular_;
    TLightStyle lightStyle_ = lsSpot;
};

// Makes the light class known to form descriptions.
void InitializeGLLightSource();
