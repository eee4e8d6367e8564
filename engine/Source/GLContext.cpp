#include "GLContext.h"

#include <algorithm>


namespace {

TGLContext* activeContext = nullptr;
TGLContextManager* manager = nullptr;
std::vector<TClass>* contextClasses = nullptr;

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
    if (manager) {
        try {
            manager->RemoveContext(this);
        } catch (const EGLContext&) {
        }
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

// ---- Handles ----

TGLContextHandle::~TGLContextHandle() {
    try {
        Deallocate();
    } catch (...) {
        // A destructor cannot report; the name is dropped with the handle.
    }
}

void TGLContextHandle::Allocate() {
    Assert(name_ == 0, kAssertionFailure);
    Assert(activeContext != nullptr, kAssertionFailure);
    name_ = CreateGLObject();
    if (name_ != 0) {
        owner_ = activeContext;
        owner_->handles_.push_back(this);
    }
}

void TGLContextHandle::Deallocate() {
    if (name_ == 0) return;
    TGLContext* owner = owner_;
    if (owner) Remove(owner->handles_, this);
    struct Clear {
        TGLContextHandle* self;
        ~Clear() {
            self->name_ = 0;
            self->owner_ = nullptr;
        }
    } clear{this};
    if (!owner) return;
    TGLContext* current = activeContext;
    if (current == owner || (current && Contains(current->sharing_, owner))) {
        DeleteGLObject();
        return;
    }
    // The object lives in another context: switch there for the deletion and back after it.
    int currentCount = current ? current->activations_ : 0;
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

GLuint TGLProgramHandle::CreateGLObject() {
    return GL.glCreateProgramObjectARB ? GL.glCreateProgramObjectARB() : 0;
}

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

// ---- TGLContextManager ----

TGLContext* TGLContextManager::CreateContextInstance() {
    if (!contextClasses || contextClasses->empty()) return nullptr;
    return As<TGLContext>(contextClasses->front()->Create());
}

void TGLContextManager::LockContextList() { lock_.Enter(); }
void TGLContextManager::UnlockContextList() { lock_.Leave(); }

int TGLContextManager::ContextCount() {
    LockContextList();
    int count = int(contexts_.size());
    UnlockContextList();
    return count;
}

void TGLContextManager::AddContext(TGLContext* context) {
    LockContextList();
    bool present = Contains(contexts_, context);
    if (!present) contexts_.push_back(context);
    UnlockContextList();
    if (present) throw EGLContext(L"Invalid context registration");
}

void TGLContextManager::RemoveContext(TGLContext* context) {
    LockContextList();
    bool present = Contains(contexts_, context);
    if (present) Remove(contexts_, context);
    UnlockContextList();
    if (!present) throw EGLContext(L"Invalid context registration");
}

TGLContextManager* GLContextManager() {
    if (!manager) manager = new TGLContextManager();
    return manager;
}

void AddContextClass(TClass contextClass) {
    if (!contextClasses) contextClasses = new std::vector<TClass>();
    contextClasses->push_back(contextClass);
}

void RemoveContextClass(TClass contextClass) {
    if (!contextClasses) return;
    auto found = std::find(contextClasses->begin(), contextClasses->end(), contextClass);
    if (found != contextClasses->end()) contextClasses->erase(found);
}

void InitializeGLContext() { GLContextManager(); }

void FinalizeGLContext() {
    // Contexts still registered keep the manager alive; their destruction must find it.
    if (manager && manager->ContextCount() == 0) {
        delete manager;
        manager = nullptr;
    }
    delete contextClasses;
    contextClasses = nullptr;
}
