#include "GLContext.h"

#include <algorithm>

#include "GLContextManager.h"

namespace {

TGLContext* activeContext = nullptr;

template <class T>
bool Contains(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T>
void Remove(std::vector<T*>& list, const T* item) {
    auto found = std::find(list.begin(), list.end(), item);
    if (found != list.end()) list.erase(found);
}

}  // namespace

TGLContext* ActiveGLContext() { return activeContext; }

// ---- TGLContext ----

TGLContext::TGLContext() { GLContextManager()->AddContext(this); }

TGLContext::~TGLContext() {
    // A platform class tears its context down in its own destructor; this catches the rest.
    if (TGLContextManager* manager = ExistingGLContextManager()) {
        try {
            manager->RemoveContext(this);
        } catch (const EGLContext&) {}
    }
    if (activeContext == this) activeContext = nullptr;
}

void TGLContext::BeforeDestruction() {
    if (HasPlatformContext()) Teardown();
}

void TGLContext::CheckNotActive() const {
    if (IsActive()) throw EGLContext(L"Cannot alter an active context");
}

void TGLContext::ApplySetting(int& field, int value) {
    CheckNotActive();
    field = value;
}

void TGLContext::SetColorBitCount(int value) { ApplySetting(colorBits_, value); }
void TGLContext::SetAlphaBitCount(int value) { ApplySetting(alphaBits_, value); }
void TGLContext::SetDepthBitCount(int value) { ApplySetting(depthBits_, value); }
void TGLContext::SetStencilBitCount(int value) { ApplySetting(stencilBits_, value); }
void TGLContext::SetAccumBitCount(int value) { ApplySetting(accumBits_, value); }
void TGLContext::SetAuxBufferCount(int value) { ApplySetting(auxBuffers_, value); }

void TGLContext::SetBufferOptions(TContextBufferOptions value) {
    CheckNotActive();
    options_ = value;
}

void TGLContext::SetAntiAliasing(TGLAntiAliasing value) {
    CheckNotActive();
    antiAliasing_ = value;
}

void TGLContext::CreateForDevice(HDC device) {
    if (HasPlatformContext()) throw EGLContext(L"Context already created");
    acceleration_ = caUndetermined;
    CreatePlatformContext(device);
    if (!Contains(sharing_, this)) sharing_.push_back(this);
}

void TGLContext::CreateOffscreen(HDC device, int width, int height, int bufferCount) {
    if (HasPlatformContext()) throw EGLContext(L"Context already created");
    acceleration_ = caUndetermined;
    CreatePlatformMemoryContext(device, width, height, bufferCount);
    if (!Contains(sharing_, this)) sharing_.push_back(this);
}

void TGLContext::ShareListsWith(TGLContext* other) {
    if (!HasPlatformContext()) throw EGLContext(L"Context not created");
    if (!other || Contains(sharing_, other)) return;
    SharePlatformLists(other);
    sharing_.push_back(other);
    SpreadSharedList();
}

void TGLContext::SpreadSharedList() {
    for (TGLContext* member : sharing_)
        if (member != this) member->sharing_ = sharing_;
}

TGLContext* TGLContext::FirstSharingContext() const {
    for (TGLContext* member : sharing_)
        if (member != this) return member;
    return nullptr;
}

void TGLContext::Activate() {
    if (activations_ == 0) {
        if (!HasPlatformContext()) throw EGLContext(L"Context not created");
        ActivatePlatform();
        activeContext = this;
    } else {
        Assert(activeContext == this, kAssertionFailure);
    }
    ++activations_;
}

void TGLContext::Deactivate() {
    Assert(activeContext == this && activations_ > 0, kAssertionFailure);
    if (--activations_ == 0) {
        // The platform context stays current on the thread until another one is made current.
        activeContext = nullptr;
        if (!HasPlatformContext()) throw EGLContext(L"Context not created");
    }
}

bool TGLContext::ForceActive(bool wish) {
    while (IsActive() != wish) {
        if (wish)
            Activate();
        else
            Deactivate();
    }
    return IsActive();
}

void TGLContext::Teardown() {
    // Activations stranded below another context that became current end here.
    if (activeContext != this) activations_ = 0;
    TGLContext* previous = activeContext == this ? nullptr : activeContext;
    int previousCount = 0;
    if (previous) {
        previousCount = previous->activations_;
        previous->ForceActive(false);
    }
    Activate();
    try {
        TGLContext* sharer = FirstSharingContext();
        // Last first, each taken off the list before it is handled: forgetting one object may
        // release others of this context (a shader's program with its shader), which then leave
        // the list themselves.
        while (!handles_.empty()) {
            TGLContextHandle* handle = handles_.back();
            handles_.pop_back();
            if (sharer && handle->IsTransferable()) {
                handle->owner_ = sharer;
                sharer->handles_.push_back(handle);
            } else {
                handle->ForgetGLObject();
            }
        }
        Remove(sharing_, this);
        SpreadSharedList();
        sharing_.clear();
        ForceActive(false);
        DestroyPlatformContext();
    } catch (...) {
        activations_ = 0;
        if (activeContext == this) activeContext = nullptr;
        acceleration_ = caUndetermined;
        if (previous)
            for (int i = 0; i < previousCount; ++i) previous->Activate();
        throw;
    }
    acceleration_ = caUndetermined;
    if (previous)
        for (int i = 0; i < previousCount; ++i) previous->Activate();
}
