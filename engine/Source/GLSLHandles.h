#pragma once
// The handles of shader objects: TGLSLHandle (the info log), TGLShaderHandle with its vertex and
// fragment kinds, and TGLProgramHandle, which compiles, attaches, links and uses them.

#include "GLContextHandles.h"

Z_EXCEPTION(EGLShader, EGLContext)

class TGLSLHandle : public TGLContextHandle {
    Z_CLASS(TGLSLHandle, TGLContextHandle)
public:
    ~TGLSLHandle() override { Deallocate(); }
    // The object's info log; empty when it has none.
    String ReadInfoLog();

protected:
    void DeleteGLObject() override;
};

class TGLShaderHandle : public TGLSLHandle {
    Z_CLASS(TGLShaderHandle, TGLSLHandle)
public:
    virtual GLenum ShaderKind() const = 0;
    void SetSourceText(const AnsiString& text);
    // True when the source compiled.
    bool CompileSource();

protected:
    GLuint CreateGLObject() override;
};

class TGLVertexShaderHandle : public TGLShaderHandle {
    Z_CLASS(TGLVertexShaderHandle, TGLShaderHandle)
public:
    GLenum ShaderKind() const override { return GL_VERTEX_SHADER_ARB; }
};

class TGLFragmentShaderHandle : public TGLShaderHandle {
    Z_CLASS(TGLFragmentShaderHandle, TGLShaderHandle)
public:
    GLenum ShaderKind() const override { return GL_FRAGMENT_SHADER_ARB; }
};

class TGLProgramHandle : public TGLSLHandle {
    Z_CLASS(TGLProgramHandle, TGLSLHandle)
public:
    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }

    // Compiles a shader of the class and attaches it; raises EGLShader with the shader's log
    // when it fails to compile (or warns, when warnings count as errors).
    void CompileAndAttach(TClass shaderClass, const AnsiString& source, bool treatWarningsAsErrors = false);
    void AttachShader(TGLShaderHandle* shader);
    bool LinkObjects();
    bool ValidateObjects();
    // The uniform's location; an assertion failure when the program does not use it.
    GLint LocateUniform(const AnsiString& uniformName);
    void UseProgram();
    void EndUseProgram();

protected:
    GLuint CreateGLObject() override;

private:
    String name_ = L"DefaultShaderName";
};
