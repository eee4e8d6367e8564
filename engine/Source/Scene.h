#pragma once
// TGLScene: the non-visual component that holds one scene tree. It owns the root, keeps the
// table of the eight OpenGL lights, knows the buffers that render it, brackets batches of
// changes (one repaint per bracket), passes progress to the tree, finds objects by name and
// answers ray queries. Every change of the tree that reaches it goes on to its buffers.
//
// Including this header gives the whole scene tree (objects, behaviours, the scene).

#include <vector>

#include "GLBaseSceneObject.h"
#include "GLCustomSceneObject.h"

class TGLCamera;
class TGLContext;
class TGLScene;

// What the scene needs of a buffer that renders it: the context to share display lists with,
// and the change notification (the buffer's viewer then repaints).
class IGLSceneBuffer {
public:
    virtual TGLContext* RenderingContext() const = 0;
    virtual void ReportChange(TObject* sender) = 0;

protected:
    ~IGLSceneBuffer() = default;
};

// Objects queued on the scene to be initialized once, with the record of the next frame.
class IGLInitializable {
public:
    virtual void InitializeObject(TObject* sender, TRenderContextInfo& rci) = 0;

protected:
    ~IGLInitializable() = default;
};

class TGLInitializableObjectList {
public:
    void Add(IGLInitializable* object) { items_.push_back(object); }
    Integer Count() const { return Integer(items_.size()); }
    IGLInitializable* Items(Integer index) const { return items_.at(size_t(index)); }
    void Delete(Integer index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }

private:
    std::vector<IGLInitializable*> items_;
};

// The root of a scene's tree, named "ObjectRoot". Only a scene may own it; its matrices are
// never combined with its children's.
class TGLSceneRootObject : public TGLBaseSceneObject {
    Z_CLASS(TGLSceneRootObject, TGLBaseSceneObject)
public:
    explicit TGLSceneRootObject(TComponent* owner);
};

class TGLScene : public TGLUpdateAbleComponent {
    Z_CLASS(TGLScene, TGLUpdateAbleComponent)
    Z_PUBLISHED {
        p.Property(L"ObjectsSorting", &TGLScene::ObjectsSorting, &TGLScene::SetObjectsSorting)
            .Default(osRenderBlendedLast);
        p.Property(L"VisibilityCulling", &TGLScene::VisibilityCulling, &TGLScene::SetVisibilityCulling).Default(vcNone);
        p.Event(L"OnProgress", &TGLScene::OnProgress);
    }

public:
    explicit TGLScene(TComponent* owner);
    ~TGLScene() override;
    void BeforeDestruction() override;

    TGLSceneRootObject* Objects() const { return root_; }

    // A bracket of any number of changes ends in one notification of the buffers.
    void BeginUpdate();
    void EndUpdate();
    // While bracketed, loading or being destroyed.
    bool IsUpdating() const;
    // Tells every registered buffer, in registration order, unless updating.
    void ReportChange(TObject* sender) override;

    // Letter case ignored; a match inside an earlier subtree wins over a later direct child.
    TGLBaseSceneObject* FindObjectByName(const String& name) const;
    // Advances the tree (the cadencer's step).
    void Progress(Double deltaTime, Double newTime);
    void DoProgress(const TProgressStepTimes& times) override { Progress(times.DeltaTime, times.NewTime); }
    // The visible object nearest to the ray's start among those it hits, or null. The vector
    // should be of unit length: box distances are compared with hit distances.
    virtual TGLBaseSceneObject* RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector,
                                                 TVector4f* intersectPoint = nullptr,
                                                 TVector4f* intersectNormal = nullptr);

    // The table of OpenGL lights: entry i is lit as GL_LIGHT0 + i. Objects that are not light
    // sources are ignored; a light beyond the eighth gets no entry.
    void AddLight(TGLBaseSceneObject* light);
    void RemoveLight(TGLBaseSceneObject* light);
    void AddLights(TGLBaseSceneObject* subtree);
    void RemoveLights(TGLBaseSceneObject* subtree);
    TPersistentObjectList* Lights() const { return lights_; }
    // Before each frame, with the camera's view on the model-view matrix: enables and sends
    // every shining light of the table, disables the other entries and the context's lights
    // beyond the table (maxLights: the context's GL_MAX_LIGHTS).
    void SetupLights(Integer maxLights);

    // Buffers register when they render this scene; the first one's context is shared with
    // the others.
    void AddBuffer(IGLSceneBuffer* buffer);
    void RemoveBuffer(IGLSceneBuffer* buffer);
    Integer BufferCount() const { return Integer(buffers_.size()); }
    TGLContext* SharedContext() const { return sharedContext_; }

    TGLCamera* CurrentGLCamera() const { return currentCamera_; }
    void SetCurrentGLCamera(TGLCamera* camera) { currentCamera_ = camera; }
    IGLSceneBuffer* CurrentBuffer() const { return currentBuffer_; }
    void SetCurrentBuffer(IGLSceneBuffer* buffer) { currentBuffer_ = buffer; }
    TGLInitializableObjectList* InitializableObjects() { return &initializableObjects_; }

    TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
    void SetObjectsSorting(TGLObjectsSorting value);
    TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
    void SetVisibilityCulling(TGLVisibilityCulling value);
    TGLProgressEvent OnProgress;

    // Form streaming: the root's children are the scene's; references inside the scene resolve
    // against the owning form.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void ReadState(TReader* reader) override;

private:
    friend class TGLBaseSceneObject;  // holds the scene quiet while it deletes children
    void TearDown();

    Integer updateCount_ = 0;
    TGLSceneRootObject* root_ = nullptr;
    TGLContext* sharedContext_ = nullptr;
    TPersistentObjectList* lights_ = nullptr;
    std::vector<IGLSceneBuffer*> buffers_;
    TGLCamera* currentCamera_ = nullptr;
    IGLSceneBuffer* currentBuffer_ = nullptr;
    TGLObjectsSorting objectsSorting_ = osRenderBlendedLast;
    TGLVisibilityCulling visibilityCulling_ = vcNone;
    TGLInitializableObjectList initializableObjects_;
    bool tornDown_ = false;
};

void InitializeScene();
