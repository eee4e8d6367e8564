#pragma once
// Rendering contexts: TGLContext and its settings types (buffer options, anti-aliasing,
// acceleration).
//
// A TGLContext holds the pixel-format settings, nests activations, shares display lists with
// other contexts and owns the handles of the OpenGL objects created while it was current. Every
// context is made through the process-wide manager (GLContextManager.h), which creates instances
// of the platform's context class (the Windows one registers itself at start-up).
//
//     TGLContext* rc = GLContextManager()->CreateContextInstance();
//     rc->CreateForDevice(dc);
//     rc->Activate(); ... rc->Deactivate();

#include <vector>

#include "GLContextHandles.h"
#include "OpenGL1x.h"
#include "SysObject.h"
#include "TypInfo.h"

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

// moved: the shader handles are in GLSLHandles.h, the manager in GLContextManager.h; included
// here until no file expects them from this header.
#include "GLSLHandles.h"
#include "GLContextManager.h"
