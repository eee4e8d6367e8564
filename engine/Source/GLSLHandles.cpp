#include "GLSLHandles.h"

#include <algorithm>
#include <cwctype>

void TGLSLHandle::DeleteGLObject() {
    if (GL.glDeleteObjectARB) GL.glDeleteObjectARB(Handle());
}

String TGLSLHandle::ReadInfoLog() {
    GLint length = 0;
    GL.glGetObjectParameterivARB(Handle(), GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    if (length <= 0) return {};
    AnsiString log(size_t(length), '\0');
    GLsizei written = 0;
    GL.glGetInfoLogARB(Handle(), length, &written, log.data());
    log.resize(size_t(std::clamp<GLsizei>(written, 0, length)));
    return String(log.begin(), log.end());
}

GLuint TGLShaderHandle::CreateGLObject() {
    return GL.glCreateShaderObjectARB ? GL.glCreateShaderObjectARB(ShaderKind()) : 0;
}

void TGLShaderHandle::SetSourceText(const AnsiString& text) {
    const GLcharARB* source = text.c_str();
    GL.glShaderSourceARB(Handle(), 1, &source, nullptr);
}

bool TGLShaderHandle::CompileSource() {
    GL.glCompileShaderARB(Handle());
    GLint status = 0;
    GL.glGetObjectParameterivARB(Handle(), GL_OBJECT_COMPILE_STATUS_ARB, &status);
    return status != 0;
}

GLuint TGLProgramHandle::CreateGLObject() { return GL.glCreateProgramObjectARB ? GL.glCreateProgramObjectARB() : 0; }

void TGLProgramHandle::CompileAndAttach(TClass shaderClass, const AnsiString& source, bool treatWarningsAsErrors) {
    auto* shader = static_cast<TGLShaderHandle*>(CreateAllocated(shaderClass, true));
    try {
        shader->SetSourceText(source);
        bool compiled = shader->CompileSource();
        String log = shader->ReadInfoLog();
        String lowered = log;
        for (auto& c : lowered) c = wchar_t(towlower(c));
        if (compiled && (!treatWarningsAsErrors || lowered.find(L"warning") == String::npos)) {
            AttachShader(shader);
            // Deleting an attached shader only marks it: it lives as long as the program.
            delete shader;
            shader = nullptr;
            RaiseGLErrorIfAny();
        } else {
            throw EGLShader(name_ + L" (" + shaderClass->ClassName() + L"): \r\n" + log);
        }
    } catch (...) {
        delete shader;
        throw;
    }
}

void TGLProgramHandle::AttachShader(TGLShaderHandle* shader) { GL.glAttachObjectARB(Handle(), shader->Handle()); }

bool TGLProgramHandle::LinkObjects() {
    GL.glLinkProgramARB(Handle());
    GLint status = 0;
    GL.glGetObjectParameterivARB(Handle(), GL_OBJECT_LINK_STATUS_ARB, &status);
    return status != 0;
}

bool TGLProgramHandle::ValidateObjects() {
    GL.glValidateProgramARB(Handle());
    GLint status = 0;
    GL.glGetObjectParameterivARB(Handle(), GL_OBJECT_VALIDATE_STATUS_ARB, &status);
    return status != 0;
}

GLint TGLProgramHandle::LocateUniform(const AnsiString& uniformName) {
    GLint location = GL.glGetUniformLocationARB(Handle(), uniformName.c_str());
    Assert(location >= 0,
           L"Unknown uniform \"" + String(uniformName.begin(), uniformName.end()) + L"\" or program not in use");
    return location;
}

void TGLProgramHandle::UseProgram() { GL.glUseProgramObjectARB(Handle()); }
void TGLProgramHandle::EndUseProgram() { GL.glUseProgramObjectARB(0); }
