#pragma once
// Ready-made per-pixel lighting shaders: they write their own vertex and fragment program texts
// when they are prepared and feed their uniforms when applied.
//
//   TGLSLDiffuseSpecularShader      one light, the material's texture
//   TGLSLDiffuseSpecularShaderMT    one light, a texture named in a material library
//   TGLSLDiffuseSpecularShaderAM    one light, a texture and colours of its own
//   TGLSLMLDiffuseSpecularShader    several lights, the material's texture
//   TGLSLMLDiffuseSpecularShaderMT  several lights, a library texture
//
// Sections: program texts · bases · the five shaders and their "Custom" bases · registration.

#include "GLColor.h"
#include "GLSLShader.h"

class TGLMaterialLibrary;
class TStrings;

Z_EXCEPTION(EGLSLDiffuseSpecularShaderException, EGLSLShaderException)

// ---- program texts ----

// One light, for every single-light shader.
void GetVertexProgramCode(TStrings* code);
// One light with the light's own colours (withOwnColors false) or the shader's uniforms.
void GetFragmentProgramCode(TStrings* code, bool separateSpecular, bool withOwnColors);
// Several lights.
void GetMLVertexProgramCode(TStrings* code);
// The final colour is scaled by (compensation * (count - 1) + 1) / count unless there is one
// light or no compensation; the factor is written with one decimal and a '.' whatever the
// user's locale, or the program would not compile.
void GetMLFragmentProgramCode(TStrings* code, Integer lightCount, Single lightCompensation, bool separateSpecular);

// ---- bases ----

class TGLBaseCustomGLSLDiffuseSpecular : public TGLCustomGLSLShader {
    Z_CLASS(TGLBaseCustomGLSLDiffuseSpecular, TGLCustomGLSLShader)
public:
    using TGLCustomGLSLShader::TGLCustomGLSLShader;

    Single SpecularPower() const { return specularPower_; }
    void SetSpecularPower(Single value) { specularPower_ = value; }
    Single LightPower() const { return lightPower_; }
    void SetLightPower(Single value) { lightPower_ = value; }
    // Whether the specular part is added after the texture is applied.
    bool SeparateSpecular() const { return separateSpecular_; }
    void SetSeparateSpecular(bool value) { separateSpecular_ = value; }

protected:
    // The program in use, with SpecPower and LightIntensity.
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    bool DoUnapply(TRenderContextInfo& rci) override;
    // Writes the program texts (inside an update bracket, so that writing them does not release
    // the shader being prepared), then compiles them.
    void PrepareHook() override;
    virtual void WriteProgramTexts() = 0;

private:
    Single specularPower_ = 8;
    Single lightPower_ = 1;
    bool separateSpecular_ = false;
};

// The texture comes from a material library entry, by name.
class TGLBaseGLSLDiffuseSpecularShaderMT : public TGLBaseCustomGLSLDiffuseSpecular, public IGLMaterialLibrarySource {
    Z_CLASS(TGLBaseGLSLDiffuseSpecularShaderMT, TGLBaseCustomGLSLDiffuseSpecular)
public:
    using TGLBaseCustomGLSLDiffuseSpecular::TGLBaseCustomGLSLDiffuseSpecular;
    ~TGLBaseGLSLDiffuseSpecularShaderMT() override;

    TGLMaterialLibrary* MaterialLibrary() const override { return materialLibrary_; }
    // Resolves a name that waits for a library; nil drops it.
    virtual void SetMaterialLibrary(TGLMaterialLibrary* value);
    TGLTexture* MainTexture() const { return mainTexture_; }
    void SetMainTexture(TGLTexture* value) { mainTexture_ = value; }
    // The library entry name of MainTexture. Without a library the name waits for one; outside
    // loading that raises "Error: Material Library not defined!".
    String MainTextureName() const;
    void SetMainTextureName(const String& value);

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Without a main texture nothing of the program is used: the object draws with its
    // material's colours rather than sampling whatever texture unit 0 holds.
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    bool HasMainTexture() const { return mainTexture_ != nullptr; }

private:
    TGLMaterialLibrary* materialLibrary_ = nullptr;
    TGLTexture* mainTexture_ = nullptr;
    String pendingTextureName_;
};

// ---- the five shaders ----

class TGLCustomGLSLDiffuseSpecularShader : public TGLBaseCustomGLSLDiffuseSpecular {
    Z_CLASS(TGLCustomGLSLDiffuseSpecularShader, TGLBaseCustomGLSLDiffuseSpecular)
public:
    using TGLBaseCustomGLSLDiffuseSpecular::TGLBaseCustomGLSLDiffuseSpecular;

protected:
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    void WriteProgramTexts() override;
};

class TGLCustomGLSLDiffuseSpecularShaderMT : public TGLBaseGLSLDiffuseSpecularShaderMT {
    Z_CLASS(TGLCustomGLSLDiffuseSpecularShaderMT, TGLBaseGLSLDiffuseSpecularShaderMT)
public:
    using TGLBaseGLSLDiffuseSpecularShaderMT::TGLBaseGLSLDiffuseSpecularShaderMT;

protected:
    void WriteProgramTexts() override;
};

class TGLCustomGLSLDiffuseSpecularShaderAM : public TGLBaseGLSLDiffuseSpecularShaderMT {
    Z_CLASS(TGLCustomGLSLDiffuseSpecularShaderAM, TGLBaseGLSLDiffuseSpecularShaderMT)
public:
    explicit TGLCustomGLSLDiffuseSpecularShaderAM(TComponent* owner);
    ~TGLCustomGLSLDiffuseSpecularShaderAM() override;

    TGLColor* AmbientColor() const { return ambientColor_; }
    void SetAmbientColor(TGLColor* value) { ambientColor_->Assign(value); }
    TGLColor* DiffuseColor() const { return diffuseColor_; }
    void SetDiffuseColor(TGLColor* value) { diffuseColor_->Assign(value); }
    TGLColor* SpecularColor() const { return specularColor_; }
    void SetSpecularColor(TGLColor* value) { specularColor_->Assign(value); }
    // The mean of the three colours' alphas; writing sets all three.
    Single Alpha() const;
    void SetAlpha(Single value);

protected:
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    void WriteProgramTexts() override;

private:
    TGLColor* ambientColor_;
    TGLColor* diffuseColor_;
    TGLColor* specularColor_;
};

// The light settings of the multi-light shaders. Changing them rewrites the texts on next use.
class TGLMultiLightSettings {
public:
    Integer LightCount() const { return lightCount_; }
    Single LightCompensation() const { return lightCompensation_; }

protected:
    // Below 1 fails an assertion and is not stored.
    void StoreLightCount(Integer value);
    void StoreLightCompensation(Single value) { lightCompensation_ = value; }

private:
    Integer lightCount_ = 1;
    Single lightCompensation_ = 1;
};

class TGLCustomGLSLMLDiffuseSpecularShader : public TGLBaseCustomGLSLDiffuseSpecular, public TGLMultiLightSettings {
    Z_CLASS(TGLCustomGLSLMLDiffuseSpecularShader, TGLBaseCustomGLSLDiffuseSpecular)
public:
    using TGLBaseCustomGLSLDiffuseSpecular::TGLBaseCustomGLSLDiffuseSpecular;
    void SetLightCount(Integer value);
    void SetLightCompensation(Single value);

protected:
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    void WriteProgramTexts() override;
};

class TGLCustomGLSLMLDiffuseSpecularShaderMT : public TGLBaseGLSLDiffuseSpecularShaderMT, public TGLMultiLightSettings {
    Z_CLASS(TGLCustomGLSLMLDiffuseSpecularShaderMT, TGLBaseGLSLDiffuseSpecularShaderMT)
public:
    using TGLBaseGLSLDiffuseSpecularShaderMT::TGLBaseGLSLDiffuseSpecularShaderMT;
    void SetLightCount(Integer value);
    void SetLightCompensation(Single value);

protected:
    void WriteProgramTexts() override;
};

class TGLSLDiffuseSpecularShader : public TGLCustomGLSLDiffuseSpecularShader {
    Z_CLASS(TGLSLDiffuseSpecularShader, TGLCustomGLSLDiffuseSpecularShader)
    Z_PUBLISHED {
        p.Property(L"SpecularPower", &TGLSLDiffuseSpecularShader::SpecularPower,
                   &TGLSLDiffuseSpecularShader::SetSpecularPower)
            .Default(8.0f);
        p.Property(L"LightPower", &TGLSLDiffuseSpecularShader::LightPower, &TGLSLDiffuseSpecularShader::SetLightPower)
            .Default(1.0f);
    }

public:
    using TGLCustomGLSLDiffuseSpecularShader::TGLCustomGLSLDiffuseSpecularShader;
};

class TGLSLDiffuseSpecularShaderMT : public TGLCustomGLSLDiffuseSpecularShaderMT {
    Z_CLASS(TGLSLDiffuseSpecularShaderMT, TGLCustomGLSLDiffuseSpecularShaderMT)
    Z_PUBLISHED {
        p.Property(L"MainTextureName", &TGLSLDiffuseSpecularShaderMT::MainTextureName,
                   &TGLSLDiffuseSpecularShaderMT::SetMainTextureName);
        p.Property(L"SpecularPower", &TGLSLDiffuseSpecularShaderMT::SpecularPower,
                   &TGLSLDiffuseSpecularShaderMT::SetSpecularPower)
            .Default(8.0f);
        p.Property(L"LightPower", &TGLSLDiffuseSpecularShaderMT::LightPower,
                   &TGLSLDiffuseSpecularShaderMT::SetLightPower)
            .Default(1.0f);
    }

public:
    using TGLCustomGLSLDiffuseSpecularShaderMT::TGLCustomGLSLDiffuseSpecularShaderMT;
};

class TGLSLDiffuseSpecularShaderAM : public TGLCustomGLSLDiffuseSpecularShaderAM {
    Z_CLASS(TGLSLDiffuseSpecularShaderAM, TGLCustomGLSLDiffuseSpecularShaderAM)
    // MainTexture is a reference to a texture owned elsewhere: code sets it, a form does not.
    Z_PUBLISHED {
        p.Property(L"AmbientColor", &TGLSLDiffuseSpecularShaderAM::AmbientColor,
                   &TGLSLDiffuseSpecularShaderAM::SetAmbientColor);
        p.Property(L"DiffuseColor", &TGLSLDiffuseSpecularShaderAM::DiffuseColor,
                   &TGLSLDiffuseSpecularShaderAM::SetDiffuseColor);
        p.Property(L"SpecularColor", &TGLSLDiffuseSpecularShaderAM::SpecularColor,
                   &TGLSLDiffuseSpecularShaderAM::SetSpecularColor);
        p.Property(L"Alpha", &TGLSLDiffuseSpecularShaderAM::Alpha, &TGLSLDiffuseSpecularShaderAM::SetAlpha)
            .Stored(false);
        p.Property(L"MainTexture", &TGLSLDiffuseSpecularShaderAM::MainTexture,
                   &TGLSLDiffuseSpecularShaderAM::SetMainTexture)
            .Stored(false);
        p.Property(L"SpecularPower", &TGLSLDiffuseSpecularShaderAM::SpecularPower,
                   &TGLSLDiffuseSpecularShaderAM::SetSpecularPower)
            .Default(8.0f);
        p.Property(L"LightPower", &TGLSLDiffuseSpecularShaderAM::LightPower,
                   &TGLSLDiffuseSpecularShaderAM::SetLightPower)
            .Default(1.0f);
    }

public:
    using TGLCustomGLSLDiffuseSpecularShaderAM::TGLCustomGLSLDiffuseSpecularShaderAM;
};

class TGLSLMLDiffuseSpecularShader : public TGLCustomGLSLMLDiffuseSpecularShader {
    Z_CLASS(TGLSLMLDiffuseSpecularShader, TGLCustomGLSLMLDiffuseSpecularShader)
    Z_PUBLISHED {
        p.Property(L"LightCount", &TGLSLMLDiffuseSpecularShader::LightCount,
                   &TGLSLMLDiffuseSpecularShader::SetLightCount)
            .Default(1);
        p.Property(L"LightCompensation", &TGLSLMLDiffuseSpecularShader::LightCompensation,
                   &TGLSLMLDiffuseSpecularShader::SetLightCompensation)
            .Default(1.0f);
        p.Property(L"SpecularPower", &TGLSLMLDiffuseSpecularShader::SpecularPower,
                   &TGLSLMLDiffuseSpecularShader::SetSpecularPower)
            .Default(8.0f);
        p.Property(L"LightPower", &TGLSLMLDiffuseSpecularShader::LightPower,
                   &TGLSLMLDiffuseSpecularShader::SetLightPower)
            .Default(1.0f);
    }

public:
    using TGLCustomGLSLMLDiffuseSpecularShader::TGLCustomGLSLMLDiffuseSpecularShader;
};

class TGLSLMLDiffuseSpecularShaderMT : public TGLCustomGLSLMLDiffuseSpecularShaderMT {
    Z_CLASS(TGLSLMLDiffuseSpecularShaderMT, TGLCustomGLSLMLDiffuseSpecularShaderMT)
    Z_PUBLISHED {
        p.Property(L"MainTextureName", &TGLSLMLDiffuseSpecularShaderMT::MainTextureName,
                   &TGLSLMLDiffuseSpecularShaderMT::SetMainTextureName);
        p.Property(L"LightCount", &TGLSLMLDiffuseSpecularShaderMT::LightCount,
                   &TGLSLMLDiffuseSpecularShaderMT::SetLightCount)
            .Default(1);
        p.Property(L"LightCompensation", &TGLSLMLDiffuseSpecularShaderMT::LightCompensation,
                   &TGLSLMLDiffuseSpecularShaderMT::SetLightCompensation)
            .Default(1.0f);
        p.Property(L"SpecularPower", &TGLSLMLDiffuseSpecularShaderMT::SpecularPower,
                   &TGLSLMLDiffuseSpecularShaderMT::SetSpecularPower)
            .Default(8.0f);
        p.Property(L"LightPower", &TGLSLMLDiffuseSpecularShaderMT::LightPower,
                   &TGLSLMLDiffuseSpecularShaderMT::SetLightPower)
            .Default(1.0f);
    }

public:
    using TGLCustomGLSLMLDiffuseSpecularShaderMT::TGLCustomGLSLMLDiffuseSpecularShaderMT;
};

void InitializeGLSLDiffuseSpecularShader();
