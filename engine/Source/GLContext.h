#pragma once
// Rendering contexts, the context manager and the OpenGL objects that live in a context.
//
// A TGLContext holds the pixel-format settings, nests activations, shares display lists with
// other contexts and owns the handles of the OpenGL objects created while it was current. Every
// context is made through the process-wide manager, which creates instances of the platform's
// context class (the Windows one registers itself at start-up).
//
//     TGLContext* rc = GLContextManager()->CreateContextInstance();
//     rc->CreateForDevice(dc);
//     rc->Activate(); ... rc->Deactivate();
//
// Sections: settings types; TGLContext; handles; TGLContextManager.

#include <vector>

#include "OpenGL1x.h"
#include "Events.h"
#include "SysObject.h"
#include "Threads.h"
#include "TypInfo.h"

Z_EXCEPTION(EGLContext, Exception)
Z_EXCEPTION(EGLShader, EGLContext)

// ---- Settings types ----

enum TContextBufferOption { cboDoubleBuffered, cboStereo };

struct TContextBufferOptions {
    unsigned bits = 0;
    TContextBufferOptions() = default;
    TContextBufferOptions(std::initializer_list<TContextBufferOption> options) {
        for (auto o : options) bits |= 1u << o;
    }
    bool Contains(TContextBufferOption o) const { return bits & (1u << o); }
    friend bool operator==(TContextBufferOptions, TContextBufferOptions) = default;
};

Z_ENUM(TGLAntiAliasing, int, aaDefault, aaNone, aa2x, aa2xHQ, aa4x, aa4xHQ)
enum TContextAcceleration { caUndetermined, caHardware, caGeneric };

class TGLContextHandle;

// ---- TGLContext ----

class TGLContext : public TObject {
    Z_CLASS(TGLContext, TObject)
public:
    TGLContext();
    ~TGLContext() override;
    // Tears the context down while the platform operations are still reachable.
    void BeforeDestruction() override;

    int ColorBitCount() const { return colorBits_; }
    void SetColorBitCount(int value);
    int AlphaBitCount() const { return alphaBits_; }
    void SetAlphaBitCount(int value);
    int DepthBitCount() const { return depthBits_; }
    void SetDepthBitCount(int value);
    int StencilBitCount() const { return stencilBits_; }
    void SetStencilBitCount(int value);
    int AccumBitCount() const { return accumBits_; }
    void SetAccumBitCount(int value);
    int AuxBufferCount() const { return auxBuffers_; }
    void SetAuxBufferCount(int value);
    TContextBufferOptions BufferOptions() const { return options_; }
    void SetBufferOptions(TContextBufferOptions value);
    TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
    void SetAntiAliasing(TGLAntiAliasing value);
    TContextAcceleration AccelerationKind() const { return acceleration_; }

    // Makes the platform context for a device; raises EGLContext "Context already created" when
    // there is one.
    void CreateForDevice(HDC device);
    // An off-screen context of the given size.
    void CreateOffscreen(HDC device, int width, int height, int bufferCount = 1);
    // Shares display lists with another created context; every member of the group then lists
    // the same contexts.
    void ShareListsWith(TGLContext* other);
    TGLContext* FirstSharingContext() const;
    const std::vector<TGLContext*>& SharingContexts() const { return sharing_; }
    const std::vector<TGLContextHandle*>& OwnedHandles() const { return handles_; }

    // Activations nest; only the outermost one makes the context current.
    void Activate();
    void Deactivate();
    bool IsActive() const { return activations_ > 0; }
    int ActivationCount() const { return activations_; }
    bool ForceActive(bool wish);
    // Moves transferable handles to a sharing context, deletes the others, destroys the
    // platform context. Leaves the context that was current before current again.
    void Teardown();

    virtual bool HasPlatformContext() const = 0;
    virtual void SwapFrameBuffers() {}
    virtual HDC OutputDeviceHandle() const = 0;

protected:
    virtual void ActivatePlatform() = 0;
    virtual void DeactivatePlatform() = 0;
    virtual void CreatePlatformContext(HDC device) = 0;
    virtual void CreatePlatformMemoryContext(HDC device, int width, int height, int bufferCount) = 0;
    virtual void SharePlatformLists(TGLContext* other) = 0;
    virtual void DestroyPlatformContext() = 0;
    void SetAccelerationKind(TContextAcceleration value) { acceleration_ = value; }

private:
    friend class TGLContextHandle;
    void CheckNotActive() const;
    void SpreadSharedList();
    void ApplySetting(int& field, int value);

    int colorBits_ = 32, alphaBits_ = 0, depthBits_ = 0, stencilBits_ = 0, accumBits_ = 0, auxBuffers_ = 0;
    TContextBufferOptions options_;
    TGLAntiAliasing antiAliasing_ = aaDefault;
    TContextAcceleration acceleration_ = caUndetermined;
    int activations_ = 0;
    std::vector<TGLContext*> sharing_;
    std::vector<TGLContextHandle*> handles_;
};

// The context current on this program's rendering thread, or nullptr.
TGLContext* ActiveGLContext();

// ---- Handles ----

// The handle of one OpenGL object of a context. The object is made in the current context by
// Allocate and deleted by Deallocate (switching to its context when needed); a handle whose
// class overrides DeleteGLObject must call Deallocate in its own destructor.
class TGLContextHandle : public TObject {
    Z_CLASS(TGLContextHandle, TObject)
public:
    TGLContextHandle() = default;
    ~TGLContextHandle() override;

    GLuint Handle() const { return name_; }
    TGLContext* RenderingContext() const { return owner_; }
    virtual bool IsTransferable() const { return true; }

    void Allocate();
    void Deallocate();
    // A new handle of the class, allocated in the current context; raises EGLContext
    // "Auto-allocation failed" when asked to and no object could be made.
    static TGLContextHandle* CreateAllocated(TClass handleClass, bool failWhenUnallocated = true);
    template <class H>
    static H* CreateAllocated(bool failWhenUnallocated = true) {
        return static_cast<H*>(CreateAllocated(H::StaticClass(), failWhenUnallocated));
    }

protected:
    virtual GLuint CreateGLObject() = 0;
    virtual void DeleteGLObject() {}

private:
    friend class TGLContext;
    void ForgetGLObject();
    GLuint name_ = 0;
    TGLContext* owner_ = nullptr;
};

using TGLHandleEvent = TEvent<void(TObject* Sender, GLuint& handle)>;

// An object made and deleted by its events; deletes nothing when OnDestroyObject is unassigned.
class TGLVirtualHandle : public TGLContextHandle {
    Z_CLASS(TGLVirtualHandle, TGLContextHandle)
public:
    ~TGLVirtualHandle() override { Deallocate(); }
    TGLHandleEvent OnCreateObject;
    TGLHandleEvent OnDestroyObject;

protected:
    GLuint CreateGLObject() override;
    void DeleteGLObject() override;
};

class TGLListHandle : public TGLContextHandle {
    Z_CLASS(TGLListHandle, TGLContextHandle)
public:
    ~TGLListHandle() override { Deallocate(); }

protected:
    GLuint CreateGLObject() override;
    void DeleteGLObject() override;
};

class TGLTextureHandle : public TGLContextHandle {
    Z_CLASS(TGLTextureHandle, TGLContextHandle)
public:
    ~TGLTextureHandle() override { Deallocate(); }

protected:
    GLuint CreateGLObject() override;
    void DeleteGLObject() override;
};

class TGLOcclusionQueryHandle : public TGLContextHandle {
    Z_CLASS(TGLOcclusionQueryHandle, TGLContextHandle)
public:
    ~TGLOcclusionQueryHandle() override { Deallocate(); }
    bool IsTransferable() const override { return false; }
    bool Active() const { return active_; }
    void BeginQuery();
    void EndQuery();
    // Pixels written between BeginQuery and EndQuery.
    GLuint QueryPixelCount();

protected:
    GLuint CreateGLObject() override;
    void DeleteGLObject() override;

private:
    bool active_ = false;
};

class TGLBufferObjectHandle : public TGLContextHandle {
    Z_CLASS(TGLBufferObjectHandle, TGLContextHandle)
public:
    ~TGLBufferObjectHandle() override { Deallocate(); }
    virtual GLenum BufferTarget() const = 0;
    void Bind();
    void Unbind();
    void UploadData(const void* data, GLsizeiptrARB size, GLenum usage);
    void BindAndUpload(const void* data, GLsizeiptrARB size, GLenum usage);
    // A new buffer of the class, allocated, filled and unbound.
    template <class H>
    static H* CreateWithData(const void* data, GLsizeiptrARB size, GLenum usage) {
        H* handle = new H();
        try {
            handle->Allocate();
            handle->Bind();
            handle->UploadData(data, size, usage);
            handle->Unbind();
        } catch (...) {
            delete handle;
            throw;
        }
        return handle;
    }

protected:
    GLuint CreateGLObject() override;
    void DeleteGLObject() override;
};

class TGLVBOHandle : public TGLBufferObjectHandle {
    Z_CLASS(TGLVBOHandle, TGLBufferObjectHandle)
};

class TGLVBOArrayBufferHandle : public TGLVBOHandle {
    Z_CLASS(TGLVBOArrayBufferHandle, TGLVBOHandle)
public:
    GLenum BufferTarget() const override { return GL_ARRAY_BUFFER_ARB; }
};

class TGLVBOElementArrayHandle : public TGLVBOHandle {
    Z_CLASS(TGLVBOElementArrayHandle, TGLVBOHandle)
public:
    GLenum BufferTarget() const override { return GL_ELEMENT_ARRAY_BUFFER_ARB; }
};

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

// ---- TGLContextManager ----

class TGLContextManager : public TObject {
    Z_CLASS(TGLContextManager, TObject)
public:

    // A new context of the first registered class; nullptr when none is registered.
    TGLContext* CreateContextInstance();
    void LockContextList();
    void UnlockContextList();
    int ContextCount();
    void AddContext(TGLContext* context);
    void RemoveContext(TGLContext* context);

private:
    TCriticalSection lock_;
    std::vector<TGLContext*> contexts_;
};

// The process-wide manager, made when the unit starts (or on first use).
TGLContextManager* GLContextManager();
void AddContextClass(TClass contextClass);
void RemoveContextClass(TClass contextClass);

void InitializeGLContext();
void FinalizeGLContext();
