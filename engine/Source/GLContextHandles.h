#pragma once
// The handles of the OpenGL objects that live in a context: TGLContextHandle, the base, which
// makes and deletes its object in the right context; TGLVirtualHandle (made by events),
// TGLListHandle, TGLTextureHandle, TGLOcclusionQueryHandle and the buffer objects
// (TGLBufferObjectHandle, TGLVBOHandle, TGLVBOArrayBufferHandle, TGLVBOElementArrayHandle).
// The shader objects' handles are in GLSLHandles.h. EGLContext, the error of contexts and their
// objects, is declared here, below both.

#include "Events.h"
#include "OpenGL1x.h"
#include "SysObject.h"

class TGLContext;

Z_EXCEPTION(EGLContext, Exception)

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
