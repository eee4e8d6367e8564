#pragma once
// Small scene objects and a recording buffer for the scene-tree tests.

#include <memory>
#include <vector>

#include "Scene.h"
#include "PersistentObjectList.h"

// Every destruction of a logged object lands here, by name.
inline std::vector<String>& FreedLog() {
    static std::vector<String> log;
    return log;
}

class TLoggedObject : public TGLBaseSceneObject {
    Z_CLASS(TLoggedObject, TGLBaseSceneObject)
public:
    using TGLBaseSceneObject::TGLBaseSceneObject;
    ~TLoggedObject() override { FreedLog().push_back(Name()); }
};

class TTestCamera : public TLoggedObject, public IGLCameraObject {
    Z_CLASS(TTestCamera, TLoggedObject)
public:
    using TLoggedObject::TLoggedObject;
};

class TTestLight : public TGLBaseSceneObject, public IGLLightSourceSlot {
    Z_CLASS(TTestLight, TGLBaseSceneObject)
public:
    using TGLBaseSceneObject::TGLBaseSceneObject;
    void SetLightID(Cardinal id) override { lightID_ = id; }
    Cardinal LightID() const override { return lightID_; }

private:
    Cardinal lightID_ = 0;
};

// A ball of a chosen radius (its half extents are radius / sqrt(3) on each axis, so that the
// bounding sphere has that radius).
class TTestBall : public TGLBaseSceneObject {
    Z_CLASS(TTestBall, TGLBaseSceneObject)
public:
    using TGLBaseSceneObject::TGLBaseSceneObject;
    void SetHalfExtent(Single value) {
        half_ = value;
        StructureChanged();
    }
    TVector4f UnscaledDimensions() const override { return {half_, half_, half_, 0}; }

private:
    Single half_ = 0.5f;
};

// Never hit itself, like a grouping container.
class TTestContainer : public TGLBaseSceneObject {
    Z_CLASS(TTestContainer, TGLBaseSceneObject)
public:
    using TGLBaseSceneObject::TGLBaseSceneObject;
    bool IntersectRay(const TVector4f&, const TVector4f&, TVector4f*, TVector4f*) override { return false; }
};

class TRecordingBuffer : public IGLSceneBuffer {
public:
    TGLContext* RenderingContext() const override { return nullptr; }
    void ReportChange(TObject*) override { ++changes; }
    int changes = 0;
};

// A form owning a scene with one recording buffer; objects are owned by the form.
struct TSceneFixture {
    TSceneFixture() : form(new TComponent(nullptr)), scene(new TGLScene(form.get())) { scene->AddBuffer(&buffer); }
    ~TSceneFixture() {
        if (scene) scene->RemoveBuffer(&buffer);
    }

    template <class T = TGLBaseSceneObject>
    T* Add(TGLBaseSceneObject* parent, const String& name = String()) {
        auto* object = static_cast<T*>((parent ? parent : scene->Objects())->AddNewChild(T::StaticClass()));
        if (!name.empty()) object->SetName(name);
        return object;
    }
    TGLSceneRootObject* Root() const { return scene->Objects(); }

    std::unique_ptr<TComponent> form;
    TGLScene* scene;
    TRecordingBuffer buffer;
};

inline std::vector<String> ChildNames(TGLBaseSceneObject* node) {
    std::vector<String> names;
    for (Integer i = 0; i < node->GetChildCount(); ++i) names.push_back(node->GetChild(i)->Name());
    return names;
}
