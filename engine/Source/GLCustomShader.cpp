#include "GLCustomShader.h"

#include "StringList.h"

// ---- TGLShaderProgram ----

TGLShaderProgram::TGLShaderProgram(TGLCustomShader* shader) : shader_(shader), code_(new TStringList()) {
    code_->OnChange = MakeEvent(this, &TGLShaderProgram::CodeChanged);
}

TGLShaderProgram::~TGLShaderProgram() {
    code_->OnChange = nullptr;
    delete code_;
}

TPersistent* TGLShaderProgram::GetOwner() const { return shader_; }

void TGLShaderProgram::SetCode(TStringList* value) { code_->Assign(value); }

void TGLShaderProgram::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (enabled_) NotifyShaderChange();
}

// New code must be compiled even when the program was enabled already.
void TGLShaderProgram::CodeChanged(TObject*) {
    if (enabled_)
        NotifyShaderChange();
    else
        SetEnabled(true);
}

// Through the shader's change report: its users redraw, and nothing happens while the shader
// brackets changes of its own.
void TGLShaderProgram::NotifyShaderChange() {
    if (shader_) shader_->ReportChange(this);
}

void TGLShaderProgram::Assign(TPersistent* source) {
    if (!source) return;
    if (auto* other = As<TGLShaderProgram>(source)) {
        // The code first: new code enables a program, and the source's flag must win.
        code_->Assign(other->code_);
        SetEnabled(other->enabled_);
    } else {
        TPersistent::Assign(source);
    }
}

// ---- TGLCustomShader ----

TGLCustomShader::TGLCustomShader(TComponent* owner)
    : TGLShader(owner), fragmentProgram_(new TGLShaderProgram(this)), vertexProgram_(new TGLShaderProgram(this)) {}

TGLCustomShader::~TGLCustomShader() {
    delete fragmentProgram_;
    delete vertexProgram_;
}

void TGLCustomShader::Assign(TPersistent* source) {
    if (auto* other = As<TGLCustomShader>(source)) {
        fragmentProgram_->Assign(other->fragmentProgram_);
        vertexProgram_->Assign(other->vertexProgram_);
    }
    TGLShader::Assign(source);
}

void InitializeGLCustomShader() { RegisterClasses({TGLCustomShader::StaticClass(), TGLShaderProgram::StaticClass()}); }
