#include "GLContextHandles.h"

#include <algorithm>

#include "GLContext.h"

TGLContextHandle::~TGLContextHandle() {
    try {
        Deallocate();
    } catch (...) {
        // A destructor cannot report; the name is dropped with the handle.
    }
}

void TGLContextHandle::Allocate() {
    Assert(name_ == 0, kAssertionFailure);
    Assert(ActiveGLContext() != nullptr, kAssertionFailure);
    name_ = CreateGLObject();
    if (name_ != 0) {
        owner_ = ActiveGLContext();
        owner_->handles_.push_back(this);
    }
}

void TGLContextHandle::Deallocate() {
    if (name_ == 0) return;
    TGLContext* owner = owner_;
    if (owner) std::erase(owner->handles_, this);
    struct Clear {
        TGLContextHandle* self;
        ~Clear() {
            self->name_ = 0;
            self->owner_ = nullptr;
        }
    } clear{this};
    if (!owner) return;
    TGLContext* current = ActiveGLContext();
    if (current == owner ||
        (current && std::ranges::find(current->SharingContexts(), owner) != current->SharingContexts().end())) {
        DeleteGLObject();
        return;
    }
    // The object lives in another context: switch there for the deletion and back after it.
    int currentCount = current ? current->ActivationCount() : 0;
    if (current) current->ForceActive(false);
    owner->Activate();
    try {
        DeleteGLObject();
    } catch (...) {
        owner->Deactivate();
        for (int i = 0; i < currentCount; ++i) current->Activate();
        throw;
    }
    owner->Deactivate();
    for (int i = 0; i < currentCount; ++i) current->Activate();
}

void TGLContextHandle::ForgetGLObject() {
    try {
        DeleteGLObject();
    } catch (...) {
        name_ = 0;
        owner_ = nullptr;
        throw;
    }
    name_ = 0;
    owner_ = nullptr;
}

TGLContextHandle* TGLContextHandle::CreateAllocated(TClass handleClass, bool failWhenUnallocated) {
    auto* handle = As<TGLContextHandle>(handleClass->Create());
    Assert(handle != nullptr, L"Not a context handle class");
    try {
        handle->Allocate();
        if (failWhenUnallocated && handle->name_ == 0) throw EGLContext(L"Auto-allocation failed");
    } catch (...) {
        delete handle;
        throw;
    }
    return handle;
}

GLuint TGLVirtualHandle::CreateGLObject() {
    GLuint name = 0;
    if (OnCreateObject) OnCreateObject(this, name);
    return name;
}

void TGLVirtualHandle::DeleteGLObject() {
    GLuint name = Handle();
    if (OnDestroyObject) OnDestroyObject(this, name);
}

GLuint TGLListHandle::CreateGLObject() { return GL.glGenLists(1); }

void TGLListHandle::DeleteGLObject() {
    if (GL.glDeleteLists) GL.glDeleteLists(Handle(), 1);
}

GLuint TGLTextureHandle::CreateGLObject() {
    GLuint name = 0;
    GL.glGenTextures(1, &name);
    return name;
}

void TGLTextureHandle::DeleteGLObject() {
    GLuint name = Handle();
    if (GL.glDeleteTextures) GL.glDeleteTextures(1, &name);
}

GLuint TGLOcclusionQueryHandle::CreateGLObject() {
    GLuint name = 0;
    if (GL.glGenOcclusionQueriesNV) GL.glGenOcclusionQueriesNV(1, &name);
    return name;
}

void TGLOcclusionQueryHandle::DeleteGLObject() {
    GLuint name = Handle();
    if (GL.glDeleteOcclusionQueriesNV) GL.glDeleteOcclusionQueriesNV(1, &name);
}

void TGLOcclusionQueryHandle::BeginQuery() {
    Assert(Handle() != 0, kAssertionFailure);
    GL.glBeginOcclusionQueryNV(Handle());
    active_ = true;
}

void TGLOcclusionQueryHandle::EndQuery() {
    active_ = false;
    Assert(Handle() != 0, kAssertionFailure);
    GL.glEndOcclusionQueryNV();
}

GLuint TGLOcclusionQueryHandle::QueryPixelCount() {
    Assert(Handle() != 0, kAssertionFailure);
    GLuint count = 0;
    GL.glGetOcclusionQueryuivNV(Handle(), GL_PIXEL_COUNT_NV, &count);
    return count;
}

GLuint TGLBufferObjectHandle::CreateGLObject() {
    GLuint name = 0;
    if (GL.glGenBuffersARB) GL.glGenBuffersARB(1, &name);
    return name;
}

void TGLBufferObjectHandle::DeleteGLObject() {
    GLuint name = Handle();
    if (GL.glDeleteBuffersARB) GL.glDeleteBuffersARB(1, &name);
}

void TGLBufferObjectHandle::Bind() { GL.glBindBufferARB(BufferTarget(), Handle()); }
void TGLBufferObjectHandle::Unbind() { GL.glBindBufferARB(BufferTarget(), 0); }

void TGLBufferObjectHandle::UploadData(const void* data, GLsizeiptrARB size, GLenum usage) {
    GL.glBufferDataARB(BufferTarget(), size, data, usage);
}

void TGLBufferObjectHandle::BindAndUpload(const void* data, GLsizeiptrARB size, GLenum usage) {
    Bind();
    UploadData(data, size, usage);
}
