#include "Scene.h"

#include <algorithm>

#include "Filer.h"
#include "GLContext.h"
#include "GLDirectOpenGL.h"
#include "GLNonVisualViewer.h"
#include "GLProxyObject.h"
#include "GLRenderPoint.h"
#include "GeometryBB.h"
#include "PersistentObjectList.h"
#include "VectorGeometry.h"

namespace {

constexpr Cardinal FirstGLLight = 0x4000;  // GL_LIGHT0
constexpr Integer LightSlotCount = 8;

}  // namespace

// ---- TGLSceneRootObject ----------------------------------------------------------------------

TGLSceneRootObject::TGLSceneRootObject(TComponent* owner) : TGLBaseSceneObject(owner) {
    auto* scene = dynamic_cast<TGLScene*>(owner);
    Assert(scene != nullptr, L"The root of a scene is owned by its scene");
    SetObjectStyle(ObjectStyle() + osDirectDraw);
    SetScene(scene);
}

// ---- TGLScene --------------------------------------------------------------------------------

TGLScene::TGLScene(TComponent* owner) : TGLUpdateAbleComponent(owner) {
    root_ = new TGLSceneRootObject(this);
    root_->SetName(L"ObjectRoot");
    lights_ = new TPersistentObjectList();
    lights_->SetCount(LightSlotCount);
}

TGLScene::~TGLScene() { TearDown(); }

void TGLScene::BeforeDestruction() {
    TearDown();
    TGLUpdateAbleComponent::BeforeDestruction();
}

void TGLScene::TearDown() {
    if (tornDown_) return;
    tornDown_ = true;
    Destroying();  // nothing reaches the buffers from here on
    initializableObjects_.Clear();
    root_->DestroyHandles();
    TGLSceneRootObject* root = root_;
    FreeObject(root);  // the tree goes with it; lights still unregister meanwhile
    root_ = nullptr;
    FreeAndNil(lights_);
}

void TGLScene::BeginUpdate() { ++updateCount_; }

void TGLScene::EndUpdate() {
    Assert(updateCount_ > 0, L"Unbalanced Begin/EndUpdate");
    if (--updateCount_ == 0) ReportChange(this);
}

bool TGLScene::IsUpdating() const {
    return updateCount_ > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying);
}

void TGLScene::ReportChange(TObject* sender) {
    if (IsUpdating() || buffers_.empty()) return;
    // A buffer may unregister while it hears the change.
    std::vector<IGLSceneBuffer*> buffers = buffers_;
    for (IGLSceneBuffer* buffer : buffers) buffer->ReportChange(this);
}

TGLBaseSceneObject* TGLScene::FindObjectByName(const String& name) const {
    return root_ ? root_->FindChild(name, false) : nullptr;
}

void TGLScene::Progress(Double deltaTime, Double newTime) {
    if (root_) root_->DoProgress({deltaTime, newTime});
}

TGLBaseSceneObject* TGLScene::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector,
                                               TVector4f* intersectPoint, TVector4f* intersectNormal) {
    Single best = 1e20f;
    TGLBaseSceneObject* bestObject = nullptr;
    const TAffineVector start{rayStart.X, rayStart.Y, rayStart.Z};
    const TAffineVector vector{rayVector.X, rayVector.Y, rayVector.Z};

    auto visit = [&](auto& self, TGLBaseSceneObject* object) -> void {
        if (!object->Visible()) return;
        TAxisAlignedBox box = object->AbsoluteAxisAlignedBox();
        Single tNear, tFar;
        if (!RayHitsAABB(start, vector, box, tNear, tFar)) return;
        if (tNear * tNear > best && !AABBContainsPoint(start, box)) return;
        TVector4f point, normal;
        if (object->IntersectRay(rayStart, rayVector, &point, &normal)) {
            TVector4f d = SubtractVectors4(point, rayStart);
            Single d2 = Single(SquaredLengthVector4xyz(d));
            if (d2 < best) {
                best = d2;
                bestObject = object;
                if (intersectPoint) *intersectPoint = point;
                if (intersectNormal) *intersectNormal = normal;
            }
        }
        for (Integer i = 0; i < object->GetChildCount(); ++i) self(self, object->GetChild(i));
    };
    for (Integer i = 0; i < root_->GetChildCount(); ++i) visit(visit, root_->GetChild(i));
    return bestObject;
}

void TGLScene::AddLight(TGLBaseSceneObject* light) {
    auto* slot = dynamic_cast<IGLLightSourceSlot*>(light);
    if (!slot || !lights_) return;
    if (lights_->IndexOf(light) >= 0) return;  // one entry per light
    for (Integer i = 0; i < lights_->Count(); ++i)
        if (!lights_->GetItem(i)) {
            lights_->SetItem(i, light);
            slot->SetLightID(FirstGLLight + Cardinal(i));
            return;
        }
    slot->SetLightID(0);
}

void TGLScene::RemoveLight(TGLBaseSceneObject* light) {
    auto* slot = dynamic_cast<IGLLightSourceSlot*>(light);
    if (!slot || !lights_) return;
    Integer i = lights_->IndexOf(light);
    if (i < 0) return;
    lights_->SetItem(i, nullptr);
    slot->SetLightID(0);
}

void TGLScene::AddLights(TGLBaseSceneObject* subtree) {
    AddLight(subtree);
    for (Integer i = 0; i < subtree->GetChildCount(); ++i) AddLights(subtree->GetChild(i));
}

void TGLScene::RemoveLights(TGLBaseSceneObject* subtree) {
    RemoveLight(subtree);
    for (Integer i = 0; i < subtree->GetChildCount(); ++i) RemoveLights(subtree->GetChild(i));
}

void TGLScene::AddBuffer(IGLSceneBuffer* buffer) {
    if (!buffer || std::find(buffers_.begin(), buffers_.end(), buffer) != buffers_.end()) return;
    buffers_.push_back(buffer);
    if (buffers_.size() == 1) {
        sharedContext_ = buffer->RenderingContext();
    } else if (sharedContext_) {
        TGLContext* context = buffer->RenderingContext();
        if (context && context != sharedContext_) context->ShareListsWith(sharedContext_);
    }
}

void TGLScene::RemoveBuffer(IGLSceneBuffer* buffer) {
    auto found = std::find(buffers_.begin(), buffers_.end(), buffer);
    if (found == buffers_.end()) return;
    buffers_.erase(found);
    if (currentBuffer_ == buffer) currentBuffer_ = nullptr;
    sharedContext_ = buffers_.empty() ? nullptr : buffers_.front()->RenderingContext();
}

void TGLScene::SetObjectsSorting(TGLObjectsSorting value) {
    if (value == osInherited) value = osRenderBlendedLast;
    if (value == objectsSorting_) return;
    objectsSorting_ = value;
    ReportChange(this);
}

void TGLScene::SetVisibilityCulling(TGLVisibilityCulling value) {
    if (value == vcInherited) value = vcNone;
    if (value == visibilityCulling_) return;
    visibilityCulling_ = value;
    ReportChange(this);
}

void TGLScene::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (root_) root_->GetChildren(proc, root);
}

void TGLScene::SetChildOrder(TComponent* child, int order) {
    if (root_) root_->SetChildOrder(child, order);
}

void TGLScene::ReadState(TReader* reader) {
    TComponent* savedRoot = reader->Root();
    if (Owner()) reader->SetRoot(Owner());
    try {
        TGLUpdateAbleComponent::ReadState(reader);
    } catch (...) {
        reader->SetRoot(savedRoot);
        throw;
    }
    reader->SetRoot(savedRoot);
}

void InitializeScene() {
    RegisterClasses({TGLScene::StaticClass(), TGLSceneRootObject::StaticClass(), TGLSceneObject::StaticClass(),
                     TGLImmaterialSceneObject::StaticClass(), TGLProxyObject::StaticClass(),
                     TGLDirectOpenGL::StaticClass(), TGLRenderPoint::StaticClass(), TGLMemoryViewer::StaticClass()});
    RegisterBehaviourClasses();
}
