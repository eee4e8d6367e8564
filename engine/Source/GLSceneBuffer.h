#pragma once
// TGLSceneBuffer: turns a scene into pixels. It owns the rendering context of a viewer, sets up
// buffers and states, renders one frame through a camera (matrices, lights, fog, render record,
// tree), swaps, measures the frame rate and converts between window pixels and world space.
// Its owner is the viewer; a scene change ends here and goes on to the viewer's OnChange.

#include <vector>

#include "BaseClasses.h"
#include "Colors.h"
#include "Sets.h"
#include "TypInfo.h"
#include "GLColor.h"
#include "GLContext.h"
#include "GLRenderContextInfo.h"
#include "GLCamera.h"
#include "GLFogEnvironment.h"
#include "GLState.h"
#include "VectorTypes.h"

class TGLCamera;
class TGLTexture;
class TPersistentObjectList;

Z_ENUM(TContextOption, int, roDoubleBuffer, roStencilBuffer, roRenderToWindow, roTwoSideLighting, roStereo,
       roDestinationAlpha, roNoColorBuffer, roNoColorBufferClear, roNoSwapBuffers, roNoDepthBufferClear)
using TContextOptions = TSet<TContextOption>;
Z_ENUM(TGLDepthPrecision, int, dpDefault, dp16bits, dp24bits, dp32bits)
Z_ENUM(TGLColorDepth, int, cdDefault, cd8bits, cd16bits, cd24bits, cdFloat64bits, cdFloat128bits)
Z_ENUM(TGLShadeModel, int, smDefault, smSmooth, smFlat)

class TGLSceneBuffer : public TGLUpdateAbleObject, public IGLSceneBuffer {
    Z_CLASS(TGLSceneBuffer, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"FaceCulling", &TGLSceneBuffer::FaceCulling, &TGLSceneBuffer::SetFaceCulling).Default(true);
        p.Property(L"FogEnable", &TGLSceneBuffer::FogEnable, &TGLSceneBuffer::SetFogEnable).Default(false);
        p.Property(L"Lighting", &TGLSceneBuffer::Lighting, &TGLSceneBuffer::SetLighting).Default(true);
        p.Property(L"DepthTest", &TGLSceneBuffer::DepthTest, &TGLSceneBuffer::SetDepthTest).Default(true);
        p.Property(L"BackgroundColor", &TGLSceneBuffer::BackgroundColor, &TGLSceneBuffer::SetBackgroundColor)
            .Default(clBtnFace);
        p.Property(L"AmbientColor", &TGLSceneBuffer::AmbientColor);
        p.Property(L"AntiAliasing", &TGLSceneBuffer::AntiAliasing, &TGLSceneBuffer::SetAntiAliasing).Default(aaDefault);
        p.Property(L"DepthPrecision", &TGLSceneBuffer::DepthPrecision, &TGLSceneBuffer::SetDepthPrecision)
            .Default(dpDefault);
        p.Property(L"ColorDepth", &TGLSceneBuffer::ColorDepth, &TGLSceneBuffer::SetColorDepth).Default(cdDefault);
        p.Property(L"ContextOptions", &TGLSceneBuffer::ContextOptions, &TGLSceneBuffer::SetContextOptions)
            .Default(TContextOptions{roDoubleBuffer, roRenderToWindow});
        p.Property(L"ShadeModel", &TGLSceneBuffer::ShadeModel, &TGLSceneBuffer::SetShadeModel).Default(smDefault);
        p.Property(L"FogEnvironment", &TGLSceneBuffer::FogEnvironment);
        p.Property(L"AccumBufferBits", &TGLSceneBuffer::AccumBufferBits, &TGLSceneBuffer::SetAccumBufferBits)
            .Default(0);
    }

public:
    explicit TGLSceneBuffer(TPersistent* owner);
    ~TGLSceneBuffer() override;

    // --- Context ---
    // Raises "Failed to create RenderingContext." without a context class; a failed platform
    // creation leaves no context and re-raises.
    void CreateRC(HDC device, bool memoryContext, Integer bufferCount = 1);
    void DestroyRC();
    bool RCInstantiated() const { return context_ != nullptr; }
    TGLContext* RenderingContext() const override { return context_; }
    TGLStateCache* GLStates() const { return states_; }

    // --- Viewport ---
    void Resize(Integer newWidth, Integer newHeight);
    void SetViewport(Integer left, Integer top, Integer width, Integer height);
    Integer Width() const { return viewport_.Width; }
    Integer Height() const { return viewport_.Height; }

    // --- Frames ---
    // One frame of the base object's subtree, or of the whole scene when null.
    void Render(TGLBaseSceneObject* baseObject = nullptr);
    // The picking names (object addresses) drawn inside the rectangle (window pixels, y from
    // the top), nearest first; the last frame's matrices stay as they were.
    std::vector<GLuint> PickObjects(const TRectangle& rect);
    bool Rendering() const { return rendering_; }
    Single FramesPerSecond() const { return framesPerSecond_; }
    Integer FrameCount() const { return frameCount_; }
    Single LastFrameTime() const { return lastFrameTime_; }
    void ResetPerformanceMonitor();
    // Copies width x height pixels of the frame from (xSrc, ySrc), y from the bottom, into the
    // texture at (xDest, yDest), in the buffer's context; nothing without one. target: the
    // texture image's own when 0; a cube-map face binds the cube map. Forced, or when the
    // texture has no OpenGL texture yet, the pixels are read and uploaded as the whole texture
    // (with mipmaps as its min filter asks); otherwise the region is copied into the texture.
    void CopyToTexture(TGLTexture* texture, Integer xSrc, Integer ySrc, Integer width, Integer height,
                       Integer xDest = 0, Integer yDest = 0, GLenum target = 0, bool forceUpload = false);
    void PushModelViewMatrix(const TMatrix4x4& newMatrix);
    void PopModelViewMatrix();

    // --- Conversions (unchanged without a camera) ---
    TAffineVector ScreenToWorld(Integer x, Integer y);              // y from the top; near plane
    TAffineVector ScreenToWorld(const TAffineVector& screenPoint);  // y from the bottom, depth in Z
    TAffineVector WorldToScreen(const TAffineVector& worldPoint);   // y from the bottom
    TAffineVector ScreenToVector(const TAffineVector& screenPoint);
    TVector4f ScreenToVector(Integer x, Integer y);  // y used unchanged; W = 0
    Single GetPixelDepth(Integer x, Integer y);      // y from the top
    Single PixelDepthToDistance(Integer x, Integer y);

    // Scene changes end here: OnChange unless a frame is rendering.
    void ReportChange(TObject* sender) override;

    // --- Properties ---
    TGLCamera* Camera() const { return camera_; }
    void SetCamera(TGLCamera* value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor value);
    Single BackgroundAlpha() const { return backgroundAlpha_; }
    void SetBackgroundAlpha(Single value);
    bool DepthTest() const { return depthTest_; }
    void SetDepthTest(bool value);
    bool FaceCulling() const { return faceCulling_; }
    void SetFaceCulling(bool value);
    bool Lighting() const { return lighting_; }
    void SetLighting(bool value);
    bool FogEnable() const { return fogEnable_; }
    void SetFogEnable(bool value);
    TGLShadeModel ShadeModel() const { return shadeModel_; }
    void SetShadeModel(TGLShadeModel value);
    TGLColor* AmbientColor() const { return ambientColor_; }
    void SetAmbientColor(TGLColor* value);
    TGLFogEnvironment* FogEnvironment() const { return fogEnvironment_; }
    void SetFogEnvironment(TGLFogEnvironment* value);
    TContextOptions ContextOptions() const { return contextOptions_; }
    void SetContextOptions(TContextOptions value);
    TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
    void SetAntiAliasing(TGLAntiAliasing value);
    TGLDepthPrecision DepthPrecision() const { return depthPrecision_; }
    void SetDepthPrecision(TGLDepthPrecision value);
    TGLColorDepth ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TGLColorDepth value);
    Integer AccumBufferBits() const { return accumBufferBits_; }
    void SetAccumBufferBits(Integer value);

    const TMatrix4x4& ProjectionMatrix() const { return projectionMatrix_; }
    // The projection before the camera's: the identity, or the picking rectangle while picking.
    // Window-space overlays draw through it.
    const TMatrix4x4& BaseProjectionMatrix() const { return baseProjectionMatrix_; }
    const TMatrix4x4& ModelViewMatrix() const { return modelViewMatrix_; }
    const TVector4f& CameraPosition() const { return cameraPosition_; }

    TNotifyEvent OnStructuralChange;
    TNotifyEvent OnPrepareGLContext;
    TNotifyEvent BeforeRender;
    TNotifyEvent OnBeforeRenderHook;  // the viewer's vertical sync
    TNotifyEvent PostRender;
    TNotifyEvent AfterRender;
    TDirectRenderEvent InitiateRendering;
    TDirectRenderEvent WrapUpRendering;

private:
    TAffineVector Project(const TAffineVector& point, bool inverse);
    void SetupRenderingStates();
    void ClearBuffers();
    void BaseRender(Byte drawState, TGLBaseSceneObject* baseObject, const TRectangle* pickRect);
    void RenderScene(TGLScene* scene, Byte drawState, TGLBaseSceneObject* baseObject);
    void NotifyStructuralChange();
    bool OwnerInDesignMode() const;
    void ChangeRenderingState(bool& field, bool value);

    TGLStateCache* states_;
    bool rendering_ = false;
    TGLContext* context_ = nullptr;
    TPersistentObjectList* afterRenderEffects_;
    TMatrix4x4 projectionMatrix_;
    TMatrix4x4 modelViewMatrix_;
    std::vector<TMatrix4x4> modelViewStack_;
    TMatrix4x4 baseProjectionMatrix_;
    TVector4f cameraPosition_ = {0, 0, 0, 1};
    TRectangle viewport_ = {0, 0, 1, 1};
    bool faceCulling_ = true, fogEnable_ = false, lighting_ = true, depthTest_ = true;
    TColor backgroundColor_ = clBtnFace;
    Single backgroundAlpha_ = 1;
    TGLColor* ambientColor_;
    TGLAntiAliasing antiAliasing_ = aaDefault;
    TGLDepthPrecision depthPrecision_ = dpDefault;
    TGLColorDepth colorDepth_ = cdDefault;
    TContextOptions contextOptions_ = {roDoubleBuffer, roRenderToWindow};
    TGLShadeModel shadeModel_ = smDefault;
    Integer renderDPI_ = 96;
    TGLFogEnvironment* fogEnvironment_;
    Integer accumBufferBits_ = 0;
    TGLCamera* camera_ = nullptr;
    TGLScene* registeredScene_ = nullptr;
    Single framesPerSecond_ = 0;
    Integer frameCount_ = 0;
    Int64 firstFrameTime_ = 0;
    Single lastFrameTime_ = 0;
};

// Frames per second of frameCount frames over elapsed performance-counter ticks; 0 when no
// time has passed.
Single FrameRate(Integer frameCount, Int64 elapsedTicks, Int64 frequency);
