// GLSL shaders. Sections: parameter · shader (life, set-up, application) · registration.

#include "GLSLShader.h"

#include "GLContext.h"
#include "GLTexture.h"
#include "StringList.h"
#include "SysUtils.h"

// ---- parameter ----

GLuint TGLSLShaderParameter::ProgramName() const { return program_ ? program_->Handle() : 0; }

void TGLSLShaderParameter::ReadFloats(GLfloat* values) { GL.glGetUniformfvARB(ProgramName(), location_, values); }
void TGLSLShaderParameter::ReadInts(GLint* values) { GL.glGetUniformivARB(ProgramName(), location_, values); }

Single TGLSLShaderParameter::GetFloat() {
    GLfloat v[1] = {};
    ReadFloats(v);
    return v[0];
}

Integer TGLSLShaderParameter::GetInt() {
    GLint v[1] = {};
    ReadInts(v);
    return v[0];
}

TVector2f TGLSLShaderParameter::GetVec2f() {
    GLfloat v[2] = {};
    ReadFloats(v);
    return {v[0], v[1]};
}

TVector2i TGLSLShaderParameter::GetVec2i() {
    GLint v[2] = {};
    ReadInts(v);
    return {v[0], v[1]};
}

TAffineVector TGLSLShaderParameter::GetVec3f() {
    GLfloat v[3] = {};
    ReadFloats(v);
    return {v[0], v[1], v[2]};
}

TVector3i TGLSLShaderParameter::GetVec3i() {
    GLint v[3] = {};
    ReadInts(v);
    return {v[0], v[1], v[2]};
}

TVector4f TGLSLShaderParameter::GetVec4f() {
    GLfloat v[4] = {};
    ReadFloats(v);
    return {v[0], v[1], v[2], v[3]};
}

TVector4i TGLSLShaderParameter::GetVec4i() {
    GLint v[4] = {};
    ReadInts(v);
    return {v[0], v[1], v[2], v[3]};
}

void TGLSLShaderParameter::SetFloat(Single value) { GL.glUniform1fARB(location_, value); }
void TGLSLShaderParameter::SetInt(Integer value) { GL.glUniform1iARB(location_, value); }
void TGLSLShaderParameter::SetVec2i(const TVector2i& v) { GL.glUniform2iARB(location_, v.X, v.Y); }
void TGLSLShaderParameter::SetVec3i(const TVector3i& v) { GL.glUniform3iARB(location_, v.X, v.Y, v.Z); }
void TGLSLShaderParameter::SetVec4i(const TVector4i& v) { GL.glUniform4iARB(location_, v.X, v.Y, v.Z, v.W); }
void TGLSLShaderParameter::SetVec2f(const TVector2f& v) { GL.glUniform2fARB(location_, v.X, v.Y); }
void TGLSLShaderParameter::SetVec3f(const TAffineVector& v) { GL.glUniform3fARB(location_, v.X, v.Y, v.Z); }
void TGLSLShaderParameter::SetVec4f(const TVector4f& v) { GL.glUniform4fARB(location_, v.X, v.Y, v.Z, v.W); }

TMatrix2f TGLSLShaderParameter::GetMat2() {
    TMatrix2f m{};
    ReadFloats(&m.M[0][0]);
    return m;
}

TMatrix3f TGLSLShaderParameter::GetMat3() {
    TMatrix3f m{};
    ReadFloats(&m.M[0][0]);
    return m;
}

TMatrix4x4 TGLSLShaderParameter::GetMat4() {
    TMatrix4x4 m{};
    ReadFloats(&m[0].X);
    return m;
}

void TGLSLShaderParameter::SetMat2(const TMatrix2f& m) { GL.glUniformMatrix2fvARB(location_, 1, GL_FALSE, &m.M[0][0]); }
void TGLSLShaderParameter::SetMat3(const TMatrix3f& m) { GL.glUniformMatrix3fvARB(location_, 1, GL_FALSE, &m.M[0][0]); }
void TGLSLShaderParameter::SetMat4(const TMatrix4x4& m) { GL.glUniformMatrix4fvARB(location_, 1, GL_FALSE, &m[0].X); }

Integer TGLSLShaderParameter::GetTextureUnit(Integer textureIndex) {
    GLint unit = 0;
    GL.glGetUniformivARB(ProgramName(), textureIndex, &unit);
    return unit;
}

void TGLSLShaderParameter::BindTexture(Integer textureIndex, GLenum target, GLuint textureName) {
    GL.glActiveTextureARB(GLenum(GL_TEXTURE0_ARB + textureIndex));
    GL.glBindTexture(target, textureName);
    GL.glUniform1iARB(location_, textureIndex);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}

// ---- shader: life ----

TGLCustomGLSLShader::TGLCustomGLSLShader(TComponent* owner)
    : TGLCustomShader(owner), parameter_(new TGLSLShaderParameter()) {}

TGLCustomGLSLShader::~TGLCustomGLSLShader() {
    // The base releases the shader (and with it the program) through the hook, which must
    // still be this class's while the program exists.
    ReleaseShader();
    FreeProgram();
    delete parameter_;
}

void TGLCustomGLSLShader::Assign(TPersistent* source) {
    TGLCustomShader::Assign(source);
    if (Is<TGLCustomGLSLShader>(source)) {
        ReleaseShader();
        FreeProgram();
    }
}

bool TGLCustomGLSLShader::IsSupported() {
    return GL.GL_ARB_shader_objects && GL.GL_ARB_vertex_program && GL.GL_ARB_vertex_shader && GL.GL_ARB_fragment_shader;
}

void TGLCustomGLSLShader::FreeProgram() {
    delete program_;
    program_ = nullptr;
    parameter_->SetProgram(nullptr);
}

TGLSLShaderParameter* TGLCustomGLSLShader::Param(const AnsiString& uniformName) {
    parameter_->SetLocation(program_ ? GL.glGetUniformLocationARB(program_->Handle(), uniformName.c_str()) : -1);
    return parameter_;
}

void TGLCustomGLSLShader::BindShaderTexture(TGLSLShaderParameter* parameter, Integer textureIndex,
                                            TGLTexture* texture) {
    parameter->BindTexture(textureIndex, GL_TEXTURE_2D, texture->EnsureUploaded());
}

// ---- shader: set-up ----

void TGLCustomGLSLShader::FailInitialization(const String& message) {
    FreeProgram();
    SetEnabled(false);
    HandleInitFailure(message);
}

void TGLCustomGLSLShader::PrepareHook() {
    if (!IsSupported()) {
        FailInitialization(String());
        return;
    }
    try {
        const bool vertex = VertexProgram()->Enabled(), fragment = FragmentProgram()->Enabled();
        if (vertex || fragment) {
            program_ = new TGLProgramHandle();
            program_->Allocate();
            parameter_->SetProgram(program_);
            program_->SetName(Name().empty() ? ClassName() : Name());
        }
        if (vertex)
            program_->CompileAndAttach(TGLVertexShaderHandle::StaticClass(),
                                       StringToAnsi(VertexProgram()->Code()->Text()));
        if (fragment)
            program_->CompileAndAttach(TGLFragmentShaderHandle::StaticClass(),
                                       StringToAnsi(FragmentProgram()->Code()->Text()));
        if (program_ && !program_->LinkObjects()) throw EGLSLShaderException(program_->ReadInfoLog());
    } catch (const Exception& e) {
        FailInitialization(e.Message());
        return;
    }
    if (!program_) {
        SetEnabled(false);
        return;
    }
    try {
        DoInitialPass();
        if (!program_->ValidateObjects()) throw EGLSLShaderException(program_->ReadInfoLog());
    } catch (const Exception& e) {
        FailInitialization(e.Message());
    }
}

void TGLCustomGLSLShader::ReleaseHook() {
    TGLCustomShader::ReleaseHook();
    FreeProgram();
}

void TGLCustomGLSLShader::DoInitialPass() {
    if (!OnInitialize) return;
    program_->UseProgram();
    try {
        OnInitialize(this);
    } catch (...) {
        program_->EndUseProgram();
        throw;
    }
    program_->EndUseProgram();
}

// ---- shader: application ----

void TGLCustomGLSLShader::DoApply(TRenderContextInfo&, TObject*) {
    program_->UseProgram();
    if (OnApply) OnApply(this);
}

bool TGLCustomGLSLShader::DoUnapply(TRenderContextInfo&) {
    bool morePasses = false;
    if (OnUnApply) OnUnApply(this, morePasses);
    if (!morePasses) program_->EndUseProgram();
    return morePasses;
}

// ---- registration ----

void InitializeGLSLShader() { RegisterClasses({TGLCustomGLSLShader::StaticClass(), TGLSLShader::StaticClass()}); }
