#pragma once
// Shaders in the OpenGL Shading Language, through the ARB shader objects: the program is
// compiled and linked from the vertex and fragment program texts when the shader is first
// applied in a context, and used between Apply and Unapply. Set-up failures go through the
// shader's failed-init action (TGLShader): ignore, raise the standard "not supported" text, or
// raise with the driver's info log.

#include "GLCustomShader.h"

class TGLProgramHandle;
class TGLTexture;
class TGLCustomGLSLShader;

Z_EXCEPTION(EGLSLShaderException, EGLShaderException)

using TGLSLShaderEvent = TEvent<void(TGLCustomGLSLShader* Shader)>;
using TGLSLShaderUnUplyEvent = TEvent<void(TGLCustomGLSLShader* Shader, bool& ThereAreMorePasses)>;

// A uniform of a linked program, by location (-1: none; OpenGL then ignores the calls).
class TGLSLShaderParameter : public TGLCustomShaderParameter {
    Z_CLASS(TGLSLShaderParameter, TGLCustomShaderParameter)
public:
    TGLProgramHandle* Program() const { return program_; }
    void SetProgram(TGLProgramHandle* value) { program_ = value; }
    GLint Location() const { return location_; }
    void SetLocation(GLint value) { location_ = value; }

    Single GetFloat() override;
    Integer GetInt() override;
    TVector2f GetVec2f() override;
    TVector2i GetVec2i() override;
    TAffineVector GetVec3f() override;
    TVector3i GetVec3i() override;
    TVector4f GetVec4f() override;
    TVector4i GetVec4i() override;
    void SetFloat(Single value) override;
    void SetInt(Integer value) override;
    void SetVec2i(const TVector2i& value) override;
    void SetVec3i(const TVector3i& value) override;
    void SetVec4i(const TVector4i& value) override;
    void SetVec2f(const TVector2f& value) override;
    void SetVec3f(const TAffineVector& value) override;
    void SetVec4f(const TVector4f& value) override;
    TMatrix2f GetMat2() override;
    TMatrix3f GetMat3() override;
    TMatrix4x4 GetMat4() override;
    void SetMat2(const TMatrix2f& value) override;
    void SetMat3(const TMatrix3f& value) override;
    void SetMat4(const TMatrix4x4& value) override;
    Integer GetTextureUnit(Integer textureIndex) override;
    void BindTexture(Integer textureIndex, GLenum target, GLuint textureName) override;

private:
    GLuint ProgramName() const;
    void ReadFloats(GLfloat* values);
    void ReadInts(GLint* values);

    TGLProgramHandle* program_ = nullptr;
    GLint location_ = -1;
};

class TGLCustomGLSLShader : public TGLCustomShader {
    Z_CLASS(TGLCustomGLSLShader, TGLCustomShader)
public:
    explicit TGLCustomGLSLShader(TComponent* owner);
    ~TGLCustomGLSLShader() override;

    // From another GLSL shader the compiled program is dropped and built anew on next use.
    void Assign(TPersistent* source) override;
    // The ARB shader objects with vertex and fragment shaders.
    bool IsSupported() override;

    // The program; nullptr until the shader is prepared, and after a failed set-up.
    TGLProgramHandle* GetProgram() const { return program_; }
    TGLSLShaderParameter* GetParameterObject() const { return parameter_; }
    // The one parameter object, pointed at the uniform of that name: valid until the next call.
    TGLSLShaderParameter* Param(const AnsiString& uniformName);
    // Uploads the texture when needed and binds it to the sampler on the unit.
    void BindShaderTexture(TGLSLShaderParameter* parameter, Integer textureIndex, TGLTexture* texture);

    TGLSLShaderEvent OnApply;
    TGLSLShaderUnUplyEvent OnUnApply;
    TGLSLShaderEvent OnInitialize;

protected:
    void DoApply(TRenderContextInfo& rci, TObject* sender) override;
    bool DoUnapply(TRenderContextInfo& rci) override;
    // OnInitialize with the program in use.
    virtual void DoInitialPass();
    // Compiles, attaches and links the enabled programs, then validates.
    void PrepareHook() override;
    void ReleaseHook() override;

private:
    void FreeProgram();
    // A failed set-up leaves the shader disabled and without a program before the failed-init
    // action runs, so that a raised failure never leaves a freed program to be used.
    void FailInitialization(const String& message);

    TGLProgramHandle* program_ = nullptr;
    TGLSLShaderParameter* parameter_;
};

class TGLSLShader : public TGLCustomGLSLShader {
    Z_CLASS(TGLSLShader, TGLCustomGLSLShader)
    Z_PUBLISHED {
        p.Property(L"FragmentProgram", &TGLSLShader::FragmentProgram, &TGLSLShader::SetFragmentProgram);
        p.Property(L"VertexProgram", &TGLSLShader::VertexProgram, &TGLSLShader::SetVertexProgram);
        p.Event(L"OnApply", &TGLSLShader::OnApply);
        p.Event(L"OnUnApply", &TGLSLShader::OnUnApply);
        p.Event(L"OnInitialize", &TGLSLShader::OnInitialize);
        p.Property(L"ShaderStyle", &TGLSLShader::ShaderStyle, &TGLSLShader::SetShaderStyle).Default(ssLowLevel);
        p.Property(L"FailedInitAction", &TGLSLShader::FailedInitAction, &TGLSLShader::SetFailedInitAction)
            .Default(fiaRaiseStandardException);
    }

public:
    using TGLCustomGLSLShader::TGLCustomGLSLShader;
};

void InitializeGLSLShader();
