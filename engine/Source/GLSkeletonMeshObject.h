#pragma once
// Skeletal mesh objects: every vertex is bound to one or more bones of the mesh's skeleton
// (GLSkeleton.h) with weights. After loading, the vertices are taken back into each bone's own
// space (the bind-pose meshes); posing the skeleton then recomputes every vertex from them and
// the bones' global matrices.

#include <vector>

#include "GLMorphableMeshObject.h"

class TSkeleton;

// One bone a vertex follows, and how much.
struct TVertexBoneWeight {
    Integer BoneID;
    Single Weight;
};
static_assert(sizeof(TVertexBoneWeight) == 8);

using TVertexBoneWeightDynArray = std::vector<TVertexBoneWeight>;

// The most bones a vertex may follow in what the readers accept: posing keeps a copy of the
// vertices for every bone slot.
constexpr Integer kMaxBonesPerVertex = 32;

class TSkeletonMeshObject : public TMorphableMeshObject {
    Z_CLASS(TSkeletonMeshObject, TMorphableMeshObject)
public:
    TSkeletonMeshObject() = default;
    explicit TSkeletonMeshObject(TMeshObjectList* owner) : TMorphableMeshObject(owner) {}
    ~TSkeletonMeshObject() override;

    // ---- the weights: one row per vertex, BonesPerVertex entries a row, new entries zero ----
    // Rows in use; running out of rows reserves the new count plus 16.
    Integer VertexWeightCount() const { return weightCount_; }
    void SetVertexWeightCount(Integer value);
    // Rows reserved; a count above it follows it down. Negative values fail an assertion.
    Integer Capacity() const { return capacity_; }
    void SetCapacity(Integer value);
    // Entries a row; rows keep their first entries. Negative values fail an assertion.
    Integer BonesPerVertex() const { return bonesPerVertex_; }
    void SetBonesPerVertex(Integer value);
    // Without range check.
    TVertexBoneWeight* VertexBoneWeights(Integer vertex) {
        return weights_.data() + size_t(vertex) * size_t(bonesPerVertex_);
    }
    const TVertexBoneWeight* VertexBoneWeights(Integer vertex) const {
        return weights_.data() + size_t(vertex) * size_t(bonesPerVertex_);
    }

    // A new row whose first entry is (boneId, weight).
    void AddWeightedBone(Integer boneId, Single weight);
    // A new row holding the weights; BonesPerVertex grows to their number.
    void AddWeightedBones(const TVertexBoneWeightDynArray& weights);
    // The index of the first vertex bound to boneId alone with this exact position and normal,
    // or of a new one.
    Integer FindOrAdd(Integer boneId, const TAffineVector& vertex, const TAffineVector& normal);
    // The same for a vertex whose first entries are exactly these weights.
    Integer FindOrAddWeights(const TVertexBoneWeightDynArray& weights, const TAffineVector& vertex,
                             const TAffineVector& normal);

    // ---- posing ----
    // With the skeleton posed as the vertices are: one mesh per weight slot holding the
    // vertices and normals in the space of that slot's bone. A bone that the skeleton lacks
    // leaves the vertex as it is.
    void PrepareBindPoseMeshes();
    Integer BindPoseMeshCount() const { return Integer(bindPoseMeshes_.size()); }
    TBaseMeshObject* BindPoseMesh(Integer slot) const { return bindPoseMeshes_[size_t(slot)]; }
    // Every vertex and normal from the bind-pose meshes and the bones' global matrices, the
    // weights summed; normals normalized on request. A vertex whose bone the skeleton lacks keeps
    // its bind-pose place. The arrays are uploaded again on the next draw.
    void ApplyCurrentFrame(bool normalize);

    void Clear() override;
    // With the weights and the bind-pose meshes.
    void Assign(TPersistent* source) override;

    // The morphable object's archive, then version 0, the row count, bones per vertex, the
    // capacity and the rows raw. Reading reserves exactly the rows it reads and refuses more
    // than kMaxBonesPerVertex bones a vertex.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TSkeleton* OwnerSkeleton() const;
    void Reallocate(Integer capacity, Integer bonesPerVertex);
    void FreeBindPoseMeshes();

    std::vector<TVertexBoneWeight> weights_;  // capacity_ rows of bonesPerVertex_ entries
    Integer weightCount_ = 0;
    Integer capacity_ = 0;
    Integer bonesPerVertex_ = 0;
    std::vector<TBaseMeshObject*> bindPoseMeshes_;
};
