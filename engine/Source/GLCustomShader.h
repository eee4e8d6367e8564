#pragma once
// Shaders given as source text: a vertex and a fragment program owned by a shader component, and
// the abstract access to one uniform variable that a shading language implements.

#include "GLMaterial.h"
#include "VectorTypes.h"

class TGLCustomShader;
#include "StringList.h"

struct TVector2f {
    Single X, Y;
};
struct TVector2i {
    Integer X, Y;
};
struct TVector3i {
    Integer X, Y, Z;
};
struct TVector4i {
    Integer X, Y, Z, W;
};
struct TMatrix2f {
    Single M[2][2];
};
struct TMatrix3f {
    Single M[3][3];
};

// One program text of a shader. Editing the code enables the program; enabling it releases the
// owning shader, which then builds itself again on its next use.
class TGLShaderProgram : public TPersistent {
    Z_CLASS(TGLShaderProgram, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Code", &TGLShaderProgram::Code, &TGLShaderProgram::SetCode);
        p.Property(L"Enabled", &TGLShaderProgram::Enabled, &TGLShaderProgram::SetEnabled).Default(false);
    }

public:
    explicit TGLShaderProgram(TGLCustomShader* shader);
    ~TGLShaderProgram() override;

    TStringList* Code() const { return code_; }
    void SetCode(TStringList* value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TPersistent* GetOwner() const override;
    // From another program: Enabled and the code; nil does nothing.
    void Assign(TPersistent* source) override;
    // Releases the owning shader (unless it is inside its own update bracket).
    virtual void NotifyShaderChange();

private:
    void CodeChanged(TObject*);

    TGLCustomShader* shader_;
    TStringList* code_;
    bool enabled_ = false;
};

// A shader with a vertex and a fragment program.
class TGLCustomShader : public TGLShader {
    Z_CLASS(TGLCustomShader, TGLShader)
public:
    explicit TGLCustomShader(TComponent* owner);
    ~TGLCustomShader() override;

    TGLShaderProgram* FragmentProgram() const { return fragmentProgram_; }
    void SetFragmentProgram(TGLShaderProgram* value) { fragmentProgram_->Assign(value); }
    TGLShaderProgram* VertexProgram() const { return vertexProgram_; }
    void SetVertexProgram(TGLShaderProgram* value) { vertexProgram_->Assign(value); }

    // From another custom shader: both programs, then the shader's own settings.
    void Assign(TPersistent* source) override;

protected:
    void DoApply(TRenderContextInfo&, TObject*) override {}
    bool DoUnapply(TRenderContextInfo&) override { return false; }

private:
    TGLShaderProgram* fragmentProgram_;
    TGLShaderProgram* vertexProgram_;
};

// One uniform variable of a program. Getters read into the caller's storage, setters send one
// value of the size named; matrices go without transposition.
class TGLCustomShaderParameter : public TObject {
    Z_CLASS(TGLCustomShaderParameter, TObject)
public:
    virtual Single GetFloat() = 0;
    virtual Integer GetInt() = 0;
    virtual TVector2f GetVec2f() = 0;
    virtual TVector2i GetVec2i() = 0;
    virtual TAffineVector GetVec3f() = 0;
    virtual TVector3i GetVec3i() = 0;
    virtual TVector4f GetVec4f() = 0;
    virtual TVector4i GetVec4i() = 0;
    virtual void SetFloat(Single value) = 0;
    virtual void SetInt(Integer value) = 0;
    virtual void SetVec2i(const TVector2i& value) = 0;
    virtual void SetVec3i(const TVector3i& value) = 0;
    virtual void SetVec4i(const TVector4i& value) = 0;
    virtual void SetVec2f(const TVector2f& value) = 0;
    virtual void SetVec3f(const TAffineVector& value) = 0;
    virtual void SetVec4f(const TVector4f& value) = 0;
    virtual TMatrix2f GetMat2() = 0;
    virtual TMatrix3f GetMat3() = 0;
    virtual TMatrix4x4 GetMat4() = 0;
    virtual void SetMat2(const TMatrix2f& value) = 0;
    virtual void SetMat3(const TMatrix3f& value) = 0;
    virtual void SetMat4(const TMatrix4x4& value) = 0;
    // The integer uniform whose location is the texture index.
    virtual Integer GetTextureUnit(Integer textureIndex) = 0;
    // Binds the texture on unit textureIndex and sets the uniform to that unit; unit 0 is the
    // active one again afterwards.
    virtual void BindTexture(Integer textureIndex, GLenum target, GLuint textureName) = 0;
};

void InitializeGLCustomShader();
