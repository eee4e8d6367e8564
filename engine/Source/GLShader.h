#pragma once
// The shader base (TGLShader) that library materials apply around their own material, with its
// style (TGLShaderStyle) and what a failed set-up does (TGLShaderFailedInitAction).

#include <vector>

#include "BaseClasses.h"
#include "GLContextHandles.h"
#include "TypInfo.h"

class TGLLibMaterial;
struct TRenderContextInfo;

Z_ENUM(TGLShaderStyle, Byte, ssHighLevel, ssLowLevel, ssReplace)
Z_ENUM(TGLShaderFailedInitAction, Byte, fiaSilentDisable, fiaRaiseStandardException, fiaRaiseHandledException,
       fiaReRaiseException)

Z_EXCEPTION(EGLShaderException, Exception)

class TGLShader : public TGLUpdateAbleComponent {
    Z_CLASS(TGLShader, TGLUpdateAbleComponent)
    Z_PUBLISHED { p.Property(L"Enabled", &TGLShader::Enabled, &TGLShader::SetEnabled).Default(true); }

public:
    explicit TGLShader(TComponent* owner);
    ~TGLShader() override;

    void Assign(TPersistent* source) override;
    // Every user entry tells its users, then the shader is set up afresh on its next Apply.
    void ReportChange(TObject* sender) override;

    void Apply(TRenderContextInfo& rci, TObject* sender);
    // True asks for another pass.
    bool Unapply(TRenderContextInfo& rci);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TGLShaderStyle ShaderStyle() const { return shaderStyle_; }
    void SetShaderStyle(TGLShaderStyle value) { shaderStyle_ = value; }
    TGLShaderFailedInitAction FailedInitAction() const { return failedInitAction_; }
    void SetFailedInitAction(TGLShaderFailedInitAction value) { failedInitAction_ = value; }
    bool Active() const { return active_; }
    bool Initialized() const { return initialized_; }

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void AddUser(TGLLibMaterial* user);
    void RemoveUser(TGLLibMaterial* user);
    const std::vector<TGLLibMaterial*>& Users() const { return users_; }

    void PrepareShader();
    void ReleaseShader();
    virtual void HandleInitFailure(const String& message);
    virtual String NotSupportedMessage() const;
    virtual bool IsSupported() { return true; }

protected:
    virtual void DoApply(TRenderContextInfo& rci, TObject* sender) = 0;
    virtual bool DoUnapply(TRenderContextInfo& rci) = 0;
    virtual void PrepareHook() {}
    virtual void ReleaseHook() {}

private:
    void OnAllocate(TObject*, GLuint& handle) { handle = 1; }
    void OnDestroy(TObject*, GLuint& handle);

    bool enabled_ = true;
    std::vector<TGLLibMaterial*> users_;
    TGLVirtualHandle* virtualHandle_;
    TGLShaderStyle shaderStyle_ = ssLowLevel;
    Integer updateCount_ = 0;
    bool active_ = false;
    bool initialized_ = false;
    TGLShaderFailedInitAction failedInitAction_ = fiaRaiseStandardException;
};
