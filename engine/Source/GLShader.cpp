#include "GLShader.h"

#include <algorithm>

#include "GLContext.h"
#include "GLMaterialLibrary.h"

TGLShader::TGLShader(TComponent* owner) : TGLUpdateAbleComponent(owner) { virtualHandle_ = new TGLVirtualHandle; }

TGLShader::~TGLShader() {
    virtualHandle_->Deallocate();
    ReleaseShader();
    for (size_t i = users_.size(); i-- > 0;)
        if (i < users_.size()) users_[i]->SetShader(nullptr);
    users_.clear();
    FreeAndNil(virtualHandle_);
}

void TGLShader::Assign(TPersistent* source) {
    if (auto* other = As<TGLShader>(source)) {
        shaderStyle_ = other->shaderStyle_;
        failedInitAction_ = other->failedInitAction_;
        SetEnabled(other->enabled_);
    } else {
        TGLUpdateAbleComponent::Assign(source);
    }
}

void TGLShader::ReportChange(TObject*) {
    if (updateCount_ != 0) return;
    for (size_t i = users_.size(); i-- > 0;) users_[i]->BroadcastChange();
    ReleaseShader();
}

void TGLShader::EndUpdate() {
    Assert(updateCount_ > 0, L"Unbalanced Begin/EndUpdate");
    --updateCount_;
}

// The handle is being deleted (in its own context): only the shader's side is released here.
void TGLShader::OnDestroy(TObject*, GLuint& handle) {
    if (initialized_) {
        initialized_ = false;
        ReleaseHook();
    }
    handle = 0;
}

void TGLShader::PrepareShader() {
    if (virtualHandle_->Handle() != 0) return;
    virtualHandle_->OnCreateObject = MakeEvent(this, &TGLShader::OnAllocate);
    virtualHandle_->OnDestroyObject = MakeEvent(this, &TGLShader::OnDestroy);
    virtualHandle_->Allocate();
    initialized_ = true;
    PrepareHook();
}

void TGLShader::ReleaseShader() {
    if (virtualHandle_->Handle() == 0 || !initialized_) return;
    TGLContext* context = virtualHandle_->RenderingContext();
    const bool activated = context && ActiveGLContext() != context;
    if (activated) context->Activate();
    initialized_ = false;
    try {
        ReleaseHook();
    } catch (...) {
        if (activated) context->Deactivate();
        throw;
    }
    if (activated) context->Deactivate();
    virtualHandle_->Deallocate();
}

void TGLShader::Apply(TRenderContextInfo& rci, TObject* sender) {
    Assert(!active_, L"Unbalanced shader application.");
    if (enabled_ && virtualHandle_->Handle() == 0) PrepareShader();
    if (enabled_) DoApply(rci, sender);
    active_ = true;
}

bool TGLShader::Unapply(TRenderContextInfo& rci) {
    Assert(active_, L"Unbalanced shader application.");
    if (!enabled_) {
        active_ = false;
        return false;
    }
    const bool again = DoUnapply(rci);
    if (!again) active_ = false;
    return again;
}

void TGLShader::SetEnabled(bool value) {
    Assert(!active_, L"Shader is active.");
    if (value == enabled_) return;
    enabled_ = value;
    ReportChange(this);
}

void TGLShader::AddUser(TGLLibMaterial* user) {
    if (std::find(users_.begin(), users_.end(), user) == users_.end()) users_.push_back(user);
}

void TGLShader::RemoveUser(TGLLibMaterial* user) { std::erase(users_, user); }

String TGLShader::NotSupportedMessage() const {
    return L"Your hardware/driver doesn't support shader " + ClassName() + L"!";
}

void TGLShader::HandleInitFailure(const String& message) {
    switch (failedInitAction_) {
        case fiaSilentDisable:
            break;
        case fiaRaiseStandardException:
            throw EGLShaderException(NotSupportedMessage());
        case fiaRaiseHandledException:
            try {
                throw EGLShaderException(NotSupportedMessage());
            } catch (const EGLShaderException&) {}
            break;
        case fiaReRaiseException:
            throw EGLShaderException(message.empty() ? NotSupportedMessage() : message);
        default:
            Assert(false, L"Error: Unknown type!");
    }
}
