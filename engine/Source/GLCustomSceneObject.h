#pragma once
// Scene objects with a material: TGLCustomSceneObject owns one (and a hint text),
// TGLSceneObject publishes it, TGLImmaterialSceneObject keeps it unpublished for objects that
// draw without one.

#include "GLBaseSceneObject.h"
#include "GLMaterial.h"

class TGLCustomSceneObject : public TGLBaseSceneObject {
    Z_CLASS(TGLCustomSceneObject, TGLBaseSceneObject)
    Z_PUBLISHED { p.Property(L"Hint", &TGLCustomSceneObject::Hint, &TGLCustomSceneObject::SetHint); }

public:
    explicit TGLCustomSceneObject(TComponent* owner);
    ~TGLCustomSceneObject() override;

    TGLMaterial* Material() const { return material_; }
    // Copies the given material into the object's own.
    void SetMaterial(TGLMaterial* value) { material_->Assign(value); }
    const String& Hint() const { return hint_; }
    void SetHint(const String& value) { hint_ = value; }

    bool IsBlended() const override { return material_->IsBlended(); }
    // Between the material's Apply and Unapply, once per pass the material asks for.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    TGLLibMaterial* HoldableMaterial(const TRenderContextInfo& rci) override;
    // True for classes whose drawing only sends geometry (vertices, normals, texture
    // coordinates) and changes no OpenGL state: their material may then stay applied.
    virtual bool DrawsGeometryOnly() const { return false; }
    // The display list and the material's textures.
    void DestroyHandle() override;
    void Assign(TPersistent* source) override;

private:
    TGLMaterial* material_;
    String hint_;
};

class TGLSceneObject : public TGLCustomSceneObject {
    Z_CLASS(TGLSceneObject, TGLCustomSceneObject)
    Z_PUBLISHED { p.Property(L"Material", &TGLSceneObject::Material); }

public:
    using TGLCustomSceneObject::TGLCustomSceneObject;
};

class TGLImmaterialSceneObject : public TGLCustomSceneObject {
    Z_CLASS(TGLImmaterialSceneObject, TGLCustomSceneObject)
public:
    using TGLCustomSceneObject::TGLCustomSceneObject;
    // Draws without touching its material.
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
};
