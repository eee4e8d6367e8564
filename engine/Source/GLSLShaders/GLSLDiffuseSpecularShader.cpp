// Diffuse-specular shaders. Sections: program texts · bases · the five shaders · registration.

#include "GLSLDiffuseSpecularShader.h"

#include "Format.h"
#include "GLContext.h"
#include "GLState.h"
#include "GLTexture.h"
#include "StringList.h"
#include "SysUtils.h"

// ---- program texts ----

namespace {

void AddLines(TStrings* code, std::initializer_list<const wchar_t*> lines) {
    for (const wchar_t* line : lines) code->Add(line);
}

}  // namespace

void GetVertexProgramCode(TStrings* code) {
    code->Clear();
    AddLines(code, {L"varying vec3 Normal; ", L"varying vec3 LightVector; ", L"varying vec3 CameraVector; ", L" ", L" ",
                    L"void main(void) ", L"{ ", L"  gl_Position = ftransform(); ",
                    L"  gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0; ",
                    L"  Normal = normalize(gl_NormalMatrix * gl_Normal); ",
                    L"  vec3 p = (gl_ModelViewMatrix * gl_Vertex).xyz; ",
                    L"  LightVector = normalize(gl_LightSource[0].position.xyz - p); ",
                    L"  CameraVector = normalize(p); ", L"} "});
}

void GetFragmentProgramCode(TStrings* code, bool separateSpecular, bool withOwnColors) {
    code->Clear();
    if (withOwnColors)
        AddLines(code, {L"uniform vec4 AmbientColor; ", L"uniform vec4 DiffuseColor; ", L"uniform vec4 SpecularColor; ",
                        L" "});
    AddLines(code,
             {L"uniform float LightIntensity; ", L"uniform float SpecPower; ", L"uniform sampler2D MainTexture; ", L" ",
              L"varying vec3 Normal; ", L"varying vec3 LightVector; ", L"varying vec3 CameraVector; ", L" ",
              L"void main(void) ", L"{ ", L"  vec4 TextureContrib = texture2D(MainTexture, gl_TexCoord[0].xy); "});
    code->Add(withOwnColors
                  ? L"  vec4 DiffuseContrib = clamp(DiffuseColor * dot(LightVector, Normal), 0.0, 1.0); "
                  : L"  vec4 DiffuseContrib = clamp(gl_LightSource[0].diffuse * dot(LightVector, Normal), 0.0, 1.0); ");
    AddLines(code, {L" ", L"  vec3 reflect_vec = reflect(CameraVector, -Normal); ",
                    L"  float Temp = dot(reflect_vec, LightVector); "});
    code->Add(withOwnColors
                  ? L"  vec4 SpecContrib = SpecularColor * clamp(pow(Temp, SpecPower), 0.0, 0.95); "
                  : L"  vec4 SpecContrib = gl_LightSource[0].specular * clamp(pow(Temp, SpecPower), 0.0, 0.95); ");
    code->Add(L" ");
    if (withOwnColors)
        code->Add(separateSpecular
                      ? L"  gl_FragColor = LightIntensity * (TextureContrib * (AmbientColor + DiffuseContrib) + "
                        L"SpecContrib); "
                      : L"  gl_FragColor = TextureContrib * LightIntensity * (AmbientColor + DiffuseContrib + "
                        L"SpecContrib); ");
    else
        code->Add(separateSpecular
                      ? L"  gl_FragColor = LightIntensity * (TextureContrib * (gl_LightSource[0].ambient + "
                        L"DiffuseContrib) + SpecContrib); "
                      : L"  gl_FragColor = TextureContrib * LightIntensity * (gl_LightSource[0].ambient + "
                        L"DiffuseContrib + SpecContrib); ");
    code->Add(L"} ");
}

void GetMLVertexProgramCode(TStrings* code) {
    code->Clear();
    AddLines(code, {L"varying vec3 Normal; ", L"varying vec3 LightVector; ", L"varying vec3 ViewDirection; ", L" ",
                    L" ", L"void main(void) ", L"{ ", L"  gl_Position = ftransform(); ",
                    L"  gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0; ",
                    L"  Normal = normalize(gl_NormalMatrix * gl_Normal); ",
                    L"  ViewDirection = (gl_ModelViewMatrix * gl_Vertex).xyz; ", L"} "});
}

void GetMLFragmentProgramCode(TStrings* code, Integer lightCount, Single lightCompensation, bool separateSpecular) {
    code->Clear();
    AddLines(code,
             {L"uniform float LightIntensity; ", L"uniform float SpecPower; ", L"uniform sampler2D MainTexture; ", L" ",
              L"varying vec3 Normal; ", L"varying vec3 ViewDirection; ", L" ", L"void main(void) ", L"{ ",
              L"  vec3 LightVector; ", L"  vec3 reflect_vec; ", L"  float Temp; ",
              L"  vec4 TextureContrib = texture2D(MainTexture, gl_TexCoord[0].st); ",
              L"  vec3 CameraVector = normalize(ViewDirection); ", L" ", L"  vec4 DiffuseContrib = vec4(0, 0, 0, 0); ",
              L"  vec4 SpecContrib    = vec4(0, 0, 0, 0); ", L"  vec4 AmbientContrib = vec4(0, 0, 0, 0); "});
    for (Integer i = 0; i < lightCount; ++i) {
        const String n = IntToStr(i);
        code->Add(L"  LightVector = normalize(gl_LightSource[" + n + L"].position.xyz - ViewDirection); ");
        code->Add(L"  AmbientContrib = AmbientContrib + gl_LightSource[" + n + L"].ambient; ");
        code->Add(L"  DiffuseContrib = min(DiffuseContrib + clamp(gl_LightSource[" + n +
                  L"].diffuse * dot(LightVector, Normal), 0.0, 1.0), 1.0); ");
        code->Add(L"  reflect_vec = reflect(CameraVector, -Normal); ");
        code->Add(L"  Temp = dot(reflect_vec, LightVector); ");
        code->Add(L"  SpecContrib = min(SpecContrib + gl_LightSource[" + n +
                  L"].specular * clamp(pow(Temp, SpecPower), 0.0, 0.95), 1.0); ");
    }
    if (lightCount == 1 || lightCompensation == 1) {
        code->Add(separateSpecular
                      ? L"  gl_FragColor = LightIntensity * (TextureContrib * (AmbientContrib + DiffuseContrib) + "
                        L"SpecContrib); "
                      : L"  gl_FragColor = LightIntensity * TextureContrib  * (AmbientContrib + DiffuseContrib  + "
                        L"SpecContrib); ");
    } else {
        const Extended factor = (Extended(lightCompensation) * (lightCount - 1) + 1) / lightCount;
        const String f = FloatToStrF(factor, ffFixed, 15, 1, TFormatSettings::Invariant());
        code->Add(separateSpecular
                      ? L"  gl_FragColor = (LightIntensity * TextureContrib * (AmbientContrib + DiffuseContrib) + "
                        L"SpecContrib) * " +
                            f + L"; "
                      : L"  gl_FragColor =  LightIntensity * TextureContrib * (AmbientContrib + DiffuseContrib  + "
                        L"SpecContrib) * " +
                            f + L"; ");
    }
    code->Add(L"} ");
}

// ---- bases ----

void TGLBaseCustomGLSLDiffuseSpecular::DoApply(TRenderContextInfo&, TObject*) {
    GetProgram()->UseProgram();
    Param("SpecPower")->SetFloat(specularPower_);
    Param("LightIntensity")->SetFloat(lightPower_);
}

bool TGLBaseCustomGLSLDiffuseSpecular::DoUnapply(TRenderContextInfo&) {
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    GetProgram()->EndUseProgram();
    return false;
}

void TGLBaseCustomGLSLDiffuseSpecular::PrepareHook() {
    BeginUpdate();
    try {
        WriteProgramTexts();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    TGLCustomGLSLShader::PrepareHook();
}

TGLBaseGLSLDiffuseSpecularShaderMT::~TGLBaseGLSLDiffuseSpecularShaderMT() {
    if (materialLibrary_) materialLibrary_->RemoveFreeNotification(this);
}

void TGLBaseGLSLDiffuseSpecularShaderMT::SetMaterialLibrary(TGLMaterialLibrary* value) {
    if (value == materialLibrary_) return;
    if (materialLibrary_) materialLibrary_->RemoveFreeNotification(this);
    materialLibrary_ = value;
    if (!materialLibrary_) {
        pendingTextureName_.clear();
        return;
    }
    materialLibrary_->FreeNotification(this);
    if (!pendingTextureName_.empty()) {
        const String name = pendingTextureName_;
        SetMainTextureName(name);
    }
}

String TGLBaseGLSLDiffuseSpecularShaderMT::MainTextureName() const {
    return TGLMaterialLibrary::EntryNameOfTexture(materialLibrary_, mainTexture_);
}

void TGLBaseGLSLDiffuseSpecularShaderMT::SetMainTextureName(const String& value) {
    if (!materialLibrary_) {
        pendingTextureName_ = value;
        if (!ComponentState().Contains(csLoading))
            throw EGLSLDiffuseSpecularShaderException(L"Error: Material Library not defined!");
        return;
    }
    mainTexture_ = TGLMaterialLibrary::TextureOfEntry(materialLibrary_, value);
    pendingTextureName_.clear();
}

void TGLBaseGLSLDiffuseSpecularShaderMT::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == materialLibrary_) {
        if (mainTexture_ && materialLibrary_->Materials()->IndexOfTexture(mainTexture_) >= 0) mainTexture_ = nullptr;
        materialLibrary_ = nullptr;
    }
    TGLBaseCustomGLSLDiffuseSpecular::Notification(component, operation);
}

void TGLBaseGLSLDiffuseSpecularShaderMT::DoApply(TRenderContextInfo& rci, TObject* sender) {
    if (!mainTexture_) return;
    TGLBaseCustomGLSLDiffuseSpecular::DoApply(rci, sender);
    BindShaderTexture(Param("MainTexture"), 0, mainTexture_);
    // The texture went to unit 0 behind the state cache's back.
    rci.GLStates->ResetTextureCache();
}

// ---- the five shaders ----

void TGLCustomGLSLDiffuseSpecularShader::DoApply(TRenderContextInfo& rci, TObject* sender) {
    TGLBaseCustomGLSLDiffuseSpecular::DoApply(rci, sender);
    Param("MainTexture")->SetInt(0);
}

void TGLCustomGLSLDiffuseSpecularShader::WriteProgramTexts() {
    GetVertexProgramCode(VertexProgram()->Code());
    GetFragmentProgramCode(FragmentProgram()->Code(), SeparateSpecular(), false);
}

void TGLCustomGLSLDiffuseSpecularShaderMT::WriteProgramTexts() {
    GetVertexProgramCode(VertexProgram()->Code());
    GetFragmentProgramCode(FragmentProgram()->Code(), SeparateSpecular(), false);
}

TGLCustomGLSLDiffuseSpecularShaderAM::TGLCustomGLSLDiffuseSpecularShaderAM(TComponent* owner)
    : TGLBaseGLSLDiffuseSpecularShaderMT(owner),
      ambientColor_(new TGLColor(this, {0.2f, 0.2f, 0.2f, 1})),
      diffuseColor_(new TGLColor(this, {1, 1, 1, 1})),
      specularColor_(new TGLColor(this, {1, 1, 1, 1})) {}

TGLCustomGLSLDiffuseSpecularShaderAM::~TGLCustomGLSLDiffuseSpecularShaderAM() {
    delete ambientColor_;
    delete diffuseColor_;
    delete specularColor_;
}

Single TGLCustomGLSLDiffuseSpecularShaderAM::Alpha() const {
    return (ambientColor_->Alpha() + diffuseColor_->Alpha() + specularColor_->Alpha()) / 3;
}

void TGLCustomGLSLDiffuseSpecularShaderAM::SetAlpha(Single value) {
    ambientColor_->SetAlpha(value);
    diffuseColor_->SetAlpha(value);
    specularColor_->SetAlpha(value);
}

void TGLCustomGLSLDiffuseSpecularShaderAM::DoApply(TRenderContextInfo& rci, TObject* sender) {
    if (!HasMainTexture()) return;
    TGLBaseGLSLDiffuseSpecularShaderMT::DoApply(rci, sender);
    Param("AmbientColor")->SetVec4f(ambientColor_->Color());
    Param("DiffuseColor")->SetVec4f(diffuseColor_->Color());
    Param("SpecularColor")->SetVec4f(specularColor_->Color());
}

void TGLCustomGLSLDiffuseSpecularShaderAM::WriteProgramTexts() {
    GetVertexProgramCode(VertexProgram()->Code());
    GetFragmentProgramCode(FragmentProgram()->Code(), SeparateSpecular(), true);
}

void TGLMultiLightSettings::StoreLightCount(Integer value) {
    Assert(value >= 1, L"Error: This shader needs at least one LightSource!");
    lightCount_ = value;
}

void TGLCustomGLSLMLDiffuseSpecularShader::SetLightCount(Integer value) {
    StoreLightCount(value);
    ReleaseShader();
}

void TGLCustomGLSLMLDiffuseSpecularShader::SetLightCompensation(Single value) {
    StoreLightCompensation(value);
    ReleaseShader();
}

void TGLCustomGLSLMLDiffuseSpecularShader::DoApply(TRenderContextInfo& rci, TObject* sender) {
    TGLBaseCustomGLSLDiffuseSpecular::DoApply(rci, sender);
    Param("MainTexture")->SetInt(0);
}

void TGLCustomGLSLMLDiffuseSpecularShader::WriteProgramTexts() {
    GetMLVertexProgramCode(VertexProgram()->Code());
    GetMLFragmentProgramCode(FragmentProgram()->Code(), LightCount(), LightCompensation(), SeparateSpecular());
}

void TGLCustomGLSLMLDiffuseSpecularShaderMT::SetLightCount(Integer value) {
    StoreLightCount(value);
    ReleaseShader();
}

void TGLCustomGLSLMLDiffuseSpecularShaderMT::SetLightCompensation(Single value) {
    StoreLightCompensation(value);
    ReleaseShader();
}

void TGLCustomGLSLMLDiffuseSpecularShaderMT::WriteProgramTexts() {
    GetMLVertexProgramCode(VertexProgram()->Code());
    GetMLFragmentProgramCode(FragmentProgram()->Code(), LightCount(), LightCompensation(), SeparateSpecular());
}

// ---- registration ----

void InitializeGLSLDiffuseSpecularShader() {
    RegisterClasses(
        {TGLCustomGLSLDiffuseSpecularShader::StaticClass(), TGLCustomGLSLDiffuseSpecularShaderMT::StaticClass(),
         TGLCustomGLSLDiffuseSpecularShaderAM::StaticClass(), TGLCustomGLSLMLDiffuseSpecularShader::StaticClass(),
         TGLCustomGLSLMLDiffuseSpecularShaderMT::StaticClass(), TGLSLDiffuseSpecularShader::StaticClass(),
         TGLSLDiffuseSpecularShaderMT::StaticClass(), TGLSLDiffuseSpecularShaderAM::StaticClass(),
         TGLSLMLDiffuseSpecularShader::StaticClass(), TGLSLMLDiffuseSpecularShaderMT::StaticClass()});
}
