#pragma once
// Morph targets: a morphable mesh object keeps complete alternative vertex and normal sets and
// takes one of them, or an interpolation of two, as its current shape. The actor's morph frames
// are these targets.

#include "GLMeshObject.h"

class TMeshMorphTargetList;
class TMorphableMeshObject;

// One alternative shape: a name, vertices and normals.
class TMeshMorphTarget : public TBaseMeshObject {
    Z_CLASS(TMeshMorphTarget, TBaseMeshObject)
public:
    TMeshMorphTarget() = default;
    // A new target appended to owner.
    explicit TMeshMorphTarget(TMeshMorphTargetList* owner);
    // Leaves its owner.
    ~TMeshMorphTarget() override;

    TMeshMorphTargetList* Owner() const { return owner_; }
    void SetOwner(TMeshMorphTargetList* value) { owner_ = value; }

    // The base mesh object's archive, then version 0.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TMeshMorphTargetList* owner_ = nullptr;
};

// The targets of a morphable mesh object; frees them.
class TMeshMorphTargetList : public TPersistentObjectList {
    Z_CLASS(TMeshMorphTargetList, TPersistentObjectList)
public:
    TMeshMorphTargetList() = default;
    explicit TMeshMorphTargetList(TMorphableMeshObject* owner) : owner_(owner) {}
    ~TMeshMorphTargetList() override;

    TMorphableMeshObject* Owner() const { return owner_; }
    // Without range check.
    TMeshMorphTarget* Target(Integer index) const { return static_cast<TMeshMorphTarget*>(GetItem(index)); }
    void Clear();
    void Translate(const TAffineVector& delta);

    // Every item must be a morph target; each gets this list as owner.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void ItemCreated(TObject* item) override;

private:
    TMorphableMeshObject* owner_ = nullptr;
};

class TMorphableMeshObject : public TMeshObject {
    Z_CLASS(TMorphableMeshObject, TMeshObject)
public:
    TMorphableMeshObject();
    explicit TMorphableMeshObject(TMeshObjectList* owner);
    ~TMorphableMeshObject() override;

    TMeshMorphTargetList* MorphTargets() const { return morphTargets_; }

    // The target's vertices and normals (those it has) become the object's. Index 0 without
    // targets does nothing; an index outside the targets fails an assertion.
    virtual void MorphTo(Integer index);
    // The two targets' vertices and normals interpolated at t (normals normalized); t = 0 and
    // t = 1 are exactly MorphTo of either end.
    virtual void Lerp(Integer index1, Integer index2, Single t);

    void Clear() override;
    // The vertices and every target.
    void Translate(const TAffineVector& delta) override;
    // With the targets.
    void Assign(TPersistent* source) override;

    // The mesh object's archive, then version 0 and the targets. A target whose vertex count
    // differs from the object's is refused: morphing to it would let the face groups index past
    // the vertices.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TMeshMorphTargetList* morphTargets_;
};
