// TGLSceneBuffer. Sections: construction and properties; context; frames; conversions.
#include "GLSceneBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Component.h"
#include "GLBehaviours.h"
#include "GLFogEnvironment.h"
#include "GLTexture.h"
#include "GLTextureImage.h"
#include "MatrixArithmetic.h"
#include "OpenGL1x.h"
#include "PersistentObjectList.h"
#include "SysExceptions.h"
#include "SysMath.h"
#include "VectorArithmetic.h"
#include "XOpenGL.h"

namespace {

// Restores a flag on every way out, failures included.
struct TFlagGuard {
    bool& flag;
    explicit TFlagGuard(bool& f) : flag(f) { flag = true; }
    ~TFlagGuard() { flag = false; }
};

struct TActivation {
    TGLContext* context;
    explicit TActivation(TGLContext* c) : context(c) { context->Activate(); }
    ~TActivation() { context->Deactivate(); }
};

void SetGLState(TGLStateCache* states, TCachedGLState state, bool on) {
    if (on) {
        states->EnableState(state);
        GL.glEnable(cGLStateToGLEnum[state]);
    } else {
        states->DisableState(state);
        GL.glDisable(cGLStateToGLEnum[state]);
    }
}

}  // namespace

Single FrameRate(Integer frameCount, Int64 elapsedTicks, Int64 frequency) {
    if (elapsedTicks <= 0) return 0;
    return Single(Extended(frameCount) * Extended(frequency) / Extended(elapsedTicks));
}

// --- Construction and properties ---

TGLSceneBuffer::TGLSceneBuffer(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      states_(new TGLStateCache),
      afterRenderEffects_(new TPersistentObjectList),
      projectionMatrix_(IdentityMatrix),
      modelViewMatrix_(IdentityMatrix),
      baseProjectionMatrix_(IdentityMatrix),
      ambientColor_(new TGLColor(this, {0.2f, 0.2f, 0.2f, 1})),
      fogEnvironment_(new TGLFogEnvironment(this)) {}

TGLSceneBuffer::~TGLSceneBuffer() {
    DestroyRC();
    delete fogEnvironment_;
    delete ambientColor_;
    delete afterRenderEffects_;
    delete states_;
}

void TGLSceneBuffer::ReportChange(TObject*) {
    if (!rendering_ && OnChange) OnChange(this);
}

void TGLSceneBuffer::ChangeRenderingState(bool& field, bool value) {
    if (AssignIfChanged(field, value)) ReportChange(this);
}

void TGLSceneBuffer::SetDepthTest(bool value) { ChangeRenderingState(depthTest_, value); }
void TGLSceneBuffer::SetFaceCulling(bool value) { ChangeRenderingState(faceCulling_, value); }
void TGLSceneBuffer::SetLighting(bool value) { ChangeRenderingState(lighting_, value); }
void TGLSceneBuffer::SetFogEnable(bool value) { ChangeRenderingState(fogEnable_, value); }

void TGLSceneBuffer::SetBackgroundColor(TColor value) {
    if (backgroundColor_ == value) return;
    backgroundColor_ = value;
    ReportChange(this);
}

void TGLSceneBuffer::SetBackgroundAlpha(Single value) {
    if (backgroundAlpha_ == value) return;
    backgroundAlpha_ = value;
    ReportChange(this);
}

void TGLSceneBuffer::SetShadeModel(TGLShadeModel value) {
    if (shadeModel_ == value) return;
    shadeModel_ = value;
    ReportChange(this);
}

void TGLSceneBuffer::SetCamera(TGLCamera* value) {
    if (camera_ == value) return;
    // A buffer that rendered another scene stops hearing its changes.
    if (registeredScene_ && (!value || value->Scene() != registeredScene_)) {
        registeredScene_->RemoveBuffer(this);
        registeredScene_ = nullptr;
    }
    camera_ = value;
    ReportChange(this);
}

void TGLSceneBuffer::SetAmbientColor(TGLColor* value) {
    if (value) ambientColor_->Assign(value);
}

void TGLSceneBuffer::SetFogEnvironment(TGLFogEnvironment* value) {
    if (value) fogEnvironment_->Assign(value);
    ReportChange(this);
}

void TGLSceneBuffer::NotifyStructuralChange() {
    if (OnStructuralChange) OnStructuralChange(this);
}

void TGLSceneBuffer::SetContextOptions(TContextOptions value) {
    if (contextOptions_ == value) return;
    contextOptions_ = value;
    NotifyStructuralChange();
}

void TGLSceneBuffer::SetAntiAliasing(TGLAntiAliasing value) {
    if (antiAliasing_ == value) return;
    antiAliasing_ = value;
    NotifyStructuralChange();
}

void TGLSceneBuffer::SetDepthPrecision(TGLDepthPrecision value) {
    if (depthPrecision_ == value) return;
    depthPrecision_ = value;
    NotifyStructuralChange();
}

void TGLSceneBuffer::SetColorDepth(TGLColorDepth value) {
    if (colorDepth_ == value) return;
    colorDepth_ = value;
    NotifyStructuralChange();
}

void TGLSceneBuffer::SetAccumBufferBits(Integer value) {
    if (accumBufferBits_ == value) return;
    accumBufferBits_ = value;
    NotifyStructuralChange();
}

bool TGLSceneBuffer::OwnerInDesignMode() const {
    auto* component = dynamic_cast<TComponent*>(Owner());
    return component && component->ComponentState().Contains(csDesigning);
}

// --- Context ---

void TGLSceneBuffer::CreateRC(HDC device, bool memoryContext, Integer bufferCount) {
    DestroyRC();
    TFlagGuard guard(rendering_);
    TGLContext* context = GLContextManager()->CreateContextInstance();
    if (!context) throw Exception(L"Failed to create RenderingContext.");
    try {
        TContextBufferOptions options;
        if (contextOptions_.Contains(roDoubleBuffer)) options.bits |= 1u << cboDoubleBuffered;
        if (contextOptions_.Contains(roStereo)) options.bits |= 1u << cboStereo;
        context->SetBufferOptions(options);
        static const int kColorBits[] = {24, 8, 16, 24, 64, 128};
        static const int kDepthBits[] = {24, 16, 24, 32};
        context->SetColorBitCount(contextOptions_.Contains(roNoColorBuffer) ? 0 : kColorBits[colorDepth_]);
        context->SetDepthBitCount(kDepthBits[depthPrecision_]);
        context->SetStencilBitCount(contextOptions_.Contains(roStencilBuffer) ? 8 : 0);
        context->SetAlphaBitCount(contextOptions_.Contains(roDestinationAlpha) ? 8 : 0);
        context->SetAccumBitCount(accumBufferBits_);
        context->SetAuxBufferCount(0);
        context->SetAntiAliasing(antiAliasing_);
        if (OnPrepareGLContext) OnPrepareGLContext(this);
        if (memoryContext)
            context->CreateOffscreen(device, viewport_.Width, viewport_.Height, bufferCount);
        else
            context->CreateForDevice(device);
    } catch (...) {
        delete context;
        throw;
    }
    context_ = context;
    TActivation active(context_);
    const char* version = reinterpret_cast<const char*>(GL.glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2 || major * 100 + minor < 101)
        throw EOpenGLError(L"Need at least OpenGL version 1.1");
    GL.glViewport(0, 0, viewport_.Width, viewport_.Height);
    SetupRenderingStates();
    TVector4f c = WinColorToVector(backgroundColor_);
    GL.glClearColor(c.X, c.Y, c.Z, 1);
}

void TGLSceneBuffer::DestroyRC() {
    if (registeredScene_) {
        registeredScene_->RemoveBuffer(this);
        registeredScene_ = nullptr;
    }
    delete context_;
    context_ = nullptr;
}

void TGLSceneBuffer::Resize(Integer newWidth, Integer newHeight) {
    viewport_.Width = newWidth > 0 ? newWidth : 1;
    viewport_.Height = newHeight > 0 ? newHeight : 1;
    if (context_) {
        TActivation active(context_);
        GL.glViewport(0, 0, viewport_.Width, viewport_.Height);
    }
}

void TGLSceneBuffer::SetViewport(Integer left, Integer top, Integer width, Integer height) {
    viewport_ = {left, top, width > 0 ? width : 1, height > 0 ? height : 1};
}

// --- Frames ---

void TGLSceneBuffer::SetupRenderingStates() {
    const TVector4f& ambient = ambientColor_->Color();
    GL.glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &ambient.X);
    GL.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, contextOptions_.Contains(roTwoSideLighting) ? GL_TRUE : GL_FALSE);
    SetGLState(states_, stNormalize, true);
    SetGLState(states_, stDepthTest, depthTest_);
    SetGLState(states_, stCullFace, faceCulling_);
    SetGLState(states_, stLighting, lighting_);
    SetGLState(states_, stFog, fogEnable_);
    GLint blueBits = 0;
    GL.glGetIntegerv(GL_BLUE_BITS, &blueBits);
    SetGLState(states_, stDither, blueBits < 8);
    GL.glDepthFunc(GL_LEQUAL);
    GL.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    switch (shadeModel_) {
        case smDefault:
        case smSmooth:
            GL.glShadeModel(GL_SMOOTH);
            break;
        case smFlat:
            GL.glShadeModel(GL_FLAT);
            break;
        default:
            Assert(false, L"Unknown shade model");
    }
}

void TGLSceneBuffer::ClearBuffers() {
    GLbitfield mask = 0;
    if (!contextOptions_.Contains(roNoDepthBufferClear)) mask |= GL_DEPTH_BUFFER_BIT;
    if (!contextOptions_.Contains(roNoColorBuffer) && !contextOptions_.Contains(roNoColorBufferClear))
        mask |= GL_COLOR_BUFFER_BIT;
    if (contextOptions_.Contains(roStencilBuffer)) mask |= GL_STENCIL_BUFFER_BIT;
    GL.glClear(mask);
}

void TGLSceneBuffer::ResetPerformanceMonitor() {
    framesPerSecond_ = 0;
    frameCount_ = 0;
    firstFrameTime_ = 0;
}

void TGLSceneBuffer::CopyToTexture(TGLTexture* texture, Integer xSrc, Integer ySrc, Integer width, Integer height,
                                   Integer xDest, Integer yDest, GLenum target, bool forceUpload) {
    if (!context_ || !texture || width <= 0 || height <= 0) return;
    TActivation active(context_);
    if (target == 0) target = texture->Image()->ClassType()->TextureTarget();
    const bool cubeFace = target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X && target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z;
    const bool upload = forceUpload || !texture->HasGLTexture();
    const GLuint name = texture->HasGLTexture() ? texture->Handle() : texture->CreateGLTexture();
    GL.glBindTexture(cubeFace ? GL_TEXTURE_CUBE_MAP : target, name);
    if (upload) {
        std::vector<Byte> pixels(size_t(width) * size_t(height) * 4);
        GL.glReadPixels(xSrc, ySrc, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        UploadRGBAPixels(target, texture->MinFilter(), texture->ChooseInternalFormat(), width, height, pixels.data());
    } else {
        GL.glCopyTexSubImage2D(target, 0, xDest, yDest, xSrc, ySrc, width, height);
    }
    FlushGLErrors();
}

void TGLSceneBuffer::PushModelViewMatrix(const TMatrix4x4& newMatrix) {
    modelViewStack_.push_back(modelViewMatrix_);
    modelViewMatrix_ = newMatrix;
}

void TGLSceneBuffer::PopModelViewMatrix() {
    Assert(!modelViewStack_.empty(), L"Unbalanced PopModelViewMatrix");
    modelViewMatrix_ = modelViewStack_.back();
    modelViewStack_.pop_back();
}

void TGLSceneBuffer::Render(TGLBaseSceneObject* baseObject) {
    if (rendering_ || !context_) return;
    Int64 t0 = PerformanceCounter();
    if (camera_ && camera_->Scene()) {
        camera_->AbsoluteMatrix();
        if (registeredScene_ != camera_->Scene()) {
            if (registeredScene_) registeredScene_->RemoveBuffer(this);
            registeredScene_ = camera_->Scene();
            registeredScene_->AddBuffer(this);
        }
    }
    {
        TFlagGuard guard(rendering_);
        TActivation active(context_);
        if (frameCount_ == 0) firstFrameTime_ = t0;
        renderDPI_ = 96;
        FlushGLErrors();
        SetupRenderingStates();
        TVector4f c = WinColorToVector(backgroundColor_);
        GL.glClearColor(c.X, c.Y, c.Z, backgroundAlpha_);
        ClearBuffers();
        RaiseGLErrorIfAny();
        BaseRender(dsRendering, baseObject, nullptr);
        RaiseGLErrorIfAny();
        if (!contextOptions_.Contains(roNoSwapBuffers)) context_->SwapFrameBuffers();
        ++frameCount_;
        Int64 t1 = PerformanceCounter();
        Int64 frequency = PerformanceFrequency();
        lastFrameTime_ = Single(Extended(t1 - t0) / Extended(frequency));
        if (t1 - firstFrameTime_ > 0) framesPerSecond_ = FrameRate(frameCount_, t1 - firstFrameTime_, frequency);
        RaiseGLErrorIfAny();
    }
    if (AfterRender && dynamic_cast<TComponent*>(Owner()) && !OwnerInDesignMode()) AfterRender(this);
}

std::vector<GLuint> TGLSceneBuffer::PickObjects(const TRectangle& rect) {
    std::vector<GLuint> names;
    if (rendering_ || !context_) return names;
    const TMatrix4x4 projection = projectionMatrix_, modelView = modelViewMatrix_;
    std::vector<GLuint> selection(4096);
    GLint hits = 0;
    {
        TFlagGuard guard(rendering_);
        TActivation active(context_);
        FlushGLErrors();
        GL.glSelectBuffer(GLsizei(selection.size()), selection.data());
        GL.glRenderMode(GL_SELECT);
        GL.glInitNames();
        GL.glPushName(0);
        try {
            SetupRenderingStates();
            BaseRender(dsPicking, nullptr, &rect);
        } catch (...) {
            GL.glRenderMode(GL_RENDER);
            projectionMatrix_ = projection;
            modelViewMatrix_ = modelView;
            throw;
        }
        hits = GL.glRenderMode(GL_RENDER);  // negative when the selection buffer overflowed
        projectionMatrix_ = projection;
        modelViewMatrix_ = modelView;
        FlushGLErrors();
    }
    // Records: name count, minimum and maximum depth, the name stack.
    std::vector<std::pair<GLuint, GLuint>> found;  // depth, innermost name
    size_t at = 0;
    for (GLint i = 0; i < hits && at + 3 <= selection.size(); ++i) {
        const GLuint count = selection[at];
        if (at + 3 + count > selection.size()) break;
        if (count > 0 && selection[at + 2 + count] != 0)
            found.push_back({selection[at + 1], selection[at + 2 + count]});
        at += 3 + count;
    }
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (auto& hit : found) names.push_back(hit.second);
    return names;
}

void TGLSceneBuffer::BaseRender(Byte drawState, TGLBaseSceneObject* baseObject, const TRectangle* pickRect) {
    const bool runEvents = !OwnerInDesignMode();
    GL.glMatrixMode(GL_PROJECTION);
    GL.glLoadIdentity();
    if (pickRect) {
        GLint viewport[4] = {0, 0, viewport_.Width, viewport_.Height};
        GL.gluPickMatrix(pickRect->Left + pickRect->Width / 2.0,
                         viewport_.Height - (pickRect->Top + pickRect->Height / 2.0), pickRect->Width, pickRect->Height,
                         viewport);
    }
    GL.glGetFloatv(GL_PROJECTION_MATRIX, &baseProjectionMatrix_[0].X);
    if (camera_) {
        camera_->ApplyPerspective(viewport_, viewport_.Width, viewport_.Height, renderDPI_);
        GL.glGetFloatv(GL_PROJECTION_MATRIX, &projectionMatrix_[0].X);
    } else {
        projectionMatrix_ = baseProjectionMatrix_;
    }
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glLoadIdentity();
    if (camera_) {
        if (camera_->Scene()) camera_->Scene()->SetCurrentGLCamera(camera_);
        camera_->Apply();
        cameraPosition_ = camera_->GetAbsolutePosition();
    }
    GL.glGetFloatv(GL_MODELVIEW_MATRIX, &modelViewMatrix_[0].X);
    // Texture coordinates start every frame on the main unit, whatever the last one left.
    SelectNullTexCoordMapping();
    SelectMainTexCoordMapping();
    if (OnBeforeRenderHook) OnBeforeRenderHook(this);
    if (BeforeRender && runEvents) BeforeRender(this);
    if (camera_ && camera_->Scene()) {
        GLint maxLights = 8;
        GL.glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
        camera_->Scene()->SetupLights(maxLights);
        if (fogEnable_) {
            SetGLState(states_, stFog, true);
            fogEnvironment_->ApplyFog();
        } else {
            SetGLState(states_, stFog, false);
        }
        RenderScene(camera_->Scene(), drawState, baseObject);
    }
    if (PostRender && runEvents) PostRender(this);
    if (!modelViewStack_.empty()) {
        // Reported once: the next frame starts from a balanced stack again.
        modelViewMatrix_ = modelViewStack_.front();
        modelViewStack_.clear();
        Assert(false, L"Unbalance Push/PopModelViewMatrix.");
    }
}

void TGLSceneBuffer::RenderScene(TGLScene* scene, Byte drawState, TGLBaseSceneObject* baseObject) {
    afterRenderEffects_->Clear();
    scene->SetCurrentBuffer(this);
    TRenderContextInfo rci;
    rci.scene = scene;
    rci.buffer = this;
    rci.afterRenderEffects = afterRenderEffects_;
    rci.objectsSorting = scene->ObjectsSorting();
    rci.visibilityCulling = scene->VisibilityCulling();
    rci.bufferFaceCull = faceCulling_;
    rci.drawState = drawState;
    rci.ambientColor = ambientColor_->Color();
    rci.cameraPosition = cameraPosition_;
    rci.cameraDirection = NormalizedVector4(camera_->AbsoluteDirection());
    rci.cameraDirection.W = 0;
    TVector4f up = camera_->AbsoluteUp();
    rci.cameraUp = NormalizedVector4(CrossVector4(CrossVector4(rci.cameraDirection, up), rci.cameraDirection));
    rci.clippingOrigin = cameraPosition_;
    rci.clippingDirection = rci.cameraDirection;
    rci.viewportRadius = camera_->ViewPortRadius();
    rci.nearClippingDistance = camera_->NearPlane();
    rci.farClippingDistance = camera_->NearPlane() + camera_->DepthOfView();
    FrustumFromMatrix(MultiplyMatrices(modelViewMatrix_, projectionMatrix_), rci.frustum);
    rci.viewportWidth = viewport_.Width;
    rci.viewportHeight = viewport_.Height;
    rci.renderDPI = renderDPI_;
    rci.modelViewMatrix = &modelViewMatrix_;
    rci.GLStates = states_;
    states_->ResetAll();
    rci.insideProxy = false;
    rci.ignoreMaterials = contextOptions_.Contains(roNoColorBuffer) || drawState == dsPicking;
    const GLboolean mask = rci.ignoreMaterials ? GL_FALSE : GL_TRUE;
    GL.glColorMask(mask, mask, mask, mask);
    if (InitiateRendering) InitiateRendering(this, rci);
    TGLInitializableObjectList* queue = scene->InitializableObjects();
    for (Integer i = queue->Count() - 1; i >= 0; --i) {
        IGLInitializable* object = queue->Items(i);
        queue->Delete(i);
        object->InitializeObject(this, rci);
    }
    if (baseObject)
        baseObject->Render(rci);
    else
        scene->Objects()->Render(rci);
    GL.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    for (Integer i = 0; i < afterRenderEffects_->Count(); ++i)
        static_cast<TGLObjectEffect*>(afterRenderEffects_->GetItem(i))->Render(rci);
    if (WrapUpRendering) WrapUpRendering(this, rci);
    states_->DisableState(stBlend);
    GL.glDisable(GL_BLEND);
    states_->DisableState(stTexture2D);
    GL.glDisable(GL_TEXTURE_2D);
    states_->DisableState(stTextureRect);
    GL.glDisable(GL_TEXTURE_RECTANGLE_ARB);
    states_->EnableState(stAlphaTest);
    GL.glEnable(GL_ALPHA_TEST);
    GL.glAlphaFunc(GL_GREATER, 0);
}

// --- Conversions ---

// Through GLU with the matrices and viewport of the last frame; unchanged without a camera.
TAffineVector TGLSceneBuffer::Project(const TAffineVector& point, bool inverse) {
    if (!camera_) return point;
    TMatrix4x4d mv, proj;
    MatrixToDoubles(modelViewMatrix_, mv);
    MatrixToDoubles(projectionMatrix_, proj);
    GLint viewport[4] = {0, 0, viewport_.Width, viewport_.Height};
    GLdouble x = 0, y = 0, z = 0;
    if (inverse)
        GL.gluUnProject(point.X, point.Y, point.Z, &mv.M[0][0], &proj.M[0][0], viewport, &x, &y, &z);
    else
        GL.gluProject(point.X, point.Y, point.Z, &mv.M[0][0], &proj.M[0][0], viewport, &x, &y, &z);
    return {Single(x), Single(y), Single(z)};
}

TAffineVector TGLSceneBuffer::ScreenToWorld(const TAffineVector& screenPoint) { return Project(screenPoint, true); }

TAffineVector TGLSceneBuffer::ScreenToWorld(Integer x, Integer y) {
    return ScreenToWorld(TAffineVector{Single(x), Single(viewport_.Height - y), 0});
}

TAffineVector TGLSceneBuffer::WorldToScreen(const TAffineVector& worldPoint) { return Project(worldPoint, false); }

TAffineVector TGLSceneBuffer::ScreenToVector(const TAffineVector& screenPoint) {
    TAffineVector world = ScreenToWorld(screenPoint);
    return {world.X - cameraPosition_.X, world.Y - cameraPosition_.Y, world.Z - cameraPosition_.Z};
}

TVector4f TGLSceneBuffer::ScreenToVector(Integer x, Integer y) {
    TAffineVector v = ScreenToVector(TAffineVector{Single(x), Single(y), 0});
    return {v.X, v.Y, v.Z, 0};
}

Single TGLSceneBuffer::GetPixelDepth(Integer x, Integer y) {
    if (!camera_ || !context_) return 0;
    TActivation active(context_);
    GLfloat depth = 0;
    GL.glReadPixels(x, viewport_.Height - y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

Single TGLSceneBuffer::PixelDepthToDistance(Integer x, Integer y) {
    const Extended z = GetPixelDepth(x, y);
    if (!camera_) return 0;
    const Extended n = camera_->NearPlane();
    const Extended d = camera_->CameraStyle() == csOrtho2D ? 2 : camera_->DepthOfView();
    const Extended f = n + d;
    const Extended distance = n * f / (f - d * z);
    TVector4f through = NormalizedVector4(ScreenToVector(x, y));
    TVector4f centre = NormalizedVector4(ScreenToVector(viewport_.Width / 2, viewport_.Height / 2));
    const Extended cosine = through.X * centre.X + through.Y * centre.Y + through.Z * centre.Z;
    return Single(cosine > 0 ? distance / cosine : distance);
}
