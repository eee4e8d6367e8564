#include "GLCustomSceneObject.h"

TGLCustomSceneObject::TGLCustomSceneObject(TComponent* owner)
    : TGLBaseSceneObject(owner), material_(new TGLMaterial(this)) {}

TGLCustomSceneObject::~TGLCustomSceneObject() {
    // The subtree goes first: children may still report through this object meanwhile.
    BeforeDestruction();
    delete material_;
}

void TGLCustomSceneObject::DestroyHandle() {
    TGLBaseSceneObject::DestroyHandle();
    material_->ReleaseGLObjects();
}

void TGLCustomSceneObject::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLCustomSceneObject*>(source)) {
        material_->Assign(other->material_);
        hint_ = other->hint_;
    }
    TGLBaseSceneObject::Assign(source);
}
