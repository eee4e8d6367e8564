#pragma once
// Skeletons: every mesh (GLBaseMesh.h) owns a TSkeleton, a tree of bones with a list of
// animation frames, each frame holding one position and one rotation per bone id. The actor asks
// for a current frame (one frame, two interpolated, or a weighted blend), the skeleton turns it
// into a global matrix per bone, and the skeletal mesh objects (GLSkeletonMeshObject.h) deform
// their vertices with those matrices. Colliders attach a matrix to a bone.
//
// Sections: TSkeletonFrame(List) · TSkeletonBoneList, TSkeletonRootBoneList, TSkeletonBone ·
// TSkeletonCollider(List) · TSkeleton.
//
// Matrices are for row vectors (translation in the fourth row); angles are radians. Frame lists
// hold one entry per bone id from 0 to the largest id. Skeletons read from archives are
// untrusted: a bone id that no frame can pose is refused, and a bone whose id has no entry in
// the frame being shown stays at its parent's place rather than read past the frame.

#include <vector>

#include "PersistentObjectList.h"
#include "VectorLists.h"

class TGLBaseMesh;
class TSkeleton;
class TSkeletonBone;
class TSkeletonFrameList;
class TSkeletonColliderList;
struct TRenderContextInfo;

// ---- TSkeletonFrame ----

// How a frame stores its rotations.
enum TSkeletonFrameTransform : Byte {
    sftRotation,   // Euler angles (x, y, z) per bone
    sftQuaternion  // a quaternion per bone
};

class TSkeletonFrame : public TPersistentObject {
    Z_CLASS(TSkeletonFrame, TPersistentObject)
public:
    TSkeletonFrame();
    // A new frame appended to owner.
    explicit TSkeletonFrame(TSkeletonFrameList* owner);
    // Leaves its owner.
    ~TSkeletonFrame() override;

    TSkeletonFrameList* Owner() const { return owner_; }
    void SetOwner(TSkeletonFrameList* value) { owner_ = value; }
    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    // Indexed by bone id.
    TAffineVectorList* Position() const { return position_; }
    TAffineVectorList* Rotation() const { return rotation_; }
    TQuaternionList* Quaternion() const { return quaternion_; }
    TSkeletonFrameTransform TransformMode() const { return transformMode_; }
    void SetTransformMode(TSkeletonFrameTransform value) { transformMode_ = value; }

    // One matrix per entry of the rotation (or quaternion) list, built on first use and kept
    // until FlushLocalMatrices; a missing position counts as the origin.
    const std::vector<TMatrix4x4>& LocalMatrices();
    void FlushLocalMatrices();

    // Version 1; versions 0 (Euler angles only) and 1 are read. Reading flushes the matrices.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

    // Entries every list of the frame's transform mode holds: the bone ids it can pose.
    Integer PoseableCount() const;

private:
    TSkeletonFrameList* owner_ = nullptr;
    String name_;
    TAffineVectorList* position_;
    TAffineVectorList* rotation_;
    TQuaternionList* quaternion_;
    std::vector<TMatrix4x4> localMatrices_;
    bool localMatricesBuilt_ = false;
    TSkeletonFrameTransform transformMode_ = sftRotation;
};

// The frames of a skeleton; frees them.
class TSkeletonFrameList : public TPersistentObjectList {
    Z_CLASS(TSkeletonFrameList, TPersistentObjectList)
public:
    TSkeletonFrameList() = default;
    explicit TSkeletonFrameList(TSkeleton* owner) : owner_(owner) {}
    ~TSkeletonFrameList() override;

    TSkeleton* Owner() const { return owner_; }
    // Raises EListError outside 0 .. Count - 1.
    TSkeletonFrame* Frame(Integer index) const;
    // Frees the frames, then empties the list.
    void Clear();

    // Every item must be a frame; each gets this list as owner.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void ItemCreated(TObject* item) override;

private:
    TSkeleton* owner_ = nullptr;
};

// ---- bones ----

// A list of bones: the root of the tree, or a bone with its children. Frees the bones in it.
class TSkeletonBoneList : public TPersistentObjectList {
    Z_CLASS(TSkeletonBoneList, TPersistentObjectList)
public:
    ~TSkeletonBoneList() override;

    TSkeleton* Skeleton() const { return skeleton_; }
    void SetSkeleton(TSkeleton* value) { skeleton_ = value; }
    // Without range check.
    TSkeletonBone* Bone(Integer index) const;
    const TMatrix4x4& GlobalMatrix() const { return globalMatrix_; }
    void SetGlobalMatrix(const TMatrix4x4& value) { globalMatrix_ = value; }

    // The first bone with that id (or name, letter case counting) in this subtree, depth first;
    // nullptr when none.
    virtual TSkeletonBone* BoneByID(Integer id);
    virtual TSkeletonBone* BoneByName(const String& name);
    // 1 + the children's counts: a bone counts itself, the root list counts one too many.
    Integer BoneCount() const;
    // Draws the bones as points joined to their parents.
    virtual void BuildList(TRenderContextInfo& rci) = 0;
    // The global matrices of the bones below, parents first.
    virtual void PrepareGlobalMatrices();

    // The child bones' list archive, then this list's version 0.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;
    // Frees the bones of the list (and theirs), then empties it.
    void FreeBones();

protected:
    TSkeletonBoneList() = default;
    // Every item must be a bone; it joins this list and its skeleton.
    void ItemCreated(TObject* item) override;

private:
    TSkeleton* skeleton_ = nullptr;
    TMatrix4x4 globalMatrix_ = IdentityMatrix;
};

// The top of the tree; its global matrix stays the identity.
class TSkeletonRootBoneList : public TSkeletonBoneList {
    Z_CLASS(TSkeletonRootBoneList, TSkeletonBoneList)
public:
    TSkeletonRootBoneList() = default;
    explicit TSkeletonRootBoneList(TSkeleton* skeleton) { SetSkeleton(skeleton); }

    // Lighting and colour material off, every bone drawn, the enable group restored.
    void BuildList(TRenderContextInfo& rci) override;

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;
};

// A bone is the list of its child bones.
class TSkeletonBone : public TSkeletonBoneList {
    Z_CLASS(TSkeletonBone, TSkeletonBoneList)
public:
    TSkeletonBone() = default;
    // A new bone appended to owner (a parent bone or the root list), in owner's skeleton.
    explicit TSkeletonBone(TSkeletonBoneList* owner);
    // Leaves its owner; the children are freed.
    ~TSkeletonBone() override;

    TSkeletonBoneList* Owner() const { return owner_; }
    void SetOwner(TSkeletonBoneList* value) { owner_ = value; }
    Integer BoneID() const { return boneID_; }
    void SetBoneID(Integer value);
    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    // Red in the low byte, then green, blue, alpha; opaque white at first.
    Cardinal Color() const { return color_; }
    void SetColor(Cardinal value) { color_ = value; }

    TSkeletonBone* BoneByID(Integer id) override;
    TSkeletonBone* BoneByName(const String& name) override;
    // A point of size 5 in the bone's colour, a line from the parent, then the children.
    void BuildList(TRenderContextInfo& rci) override;
    // Unless the skeleton's bones are frozen: the local matrix of this bone's id in the
    // skeleton's current frame times the owner's global matrix; then the children.
    void PrepareGlobalMatrices() override;
    // Id 0, no name, no children.
    void Clean();

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TSkeletonBoneList* owner_ = nullptr;
    Integer boneID_ = 0;
    String name_;
    Cardinal color_ = 0xFFFFFFFF;
};

// ---- colliders ----

// A matrix attached to a bone.
class TSkeletonCollider : public TPersistentObject {
    Z_CLASS(TSkeletonCollider, TPersistentObject)
public:
    TSkeletonCollider() = default;
    // A new collider appended to owner.
    explicit TSkeletonCollider(TSkeletonColliderList* owner);
    ~TSkeletonCollider() override;

    TSkeletonColliderList* Owner() const { return owner_; }
    void SetOwner(TSkeletonColliderList* value) { owner_ = value; }
    TSkeletonBone* Bone() const { return bone_; }
    void SetBone(TSkeletonBone* value);
    // -1 without a bone.
    Integer BoneID() const { return boneID_; }
    const TMatrix4x4& LocalMatrix() const { return localMatrix_; }
    void SetLocalMatrix(const TMatrix4x4& value) { localMatrix_ = value; }
    const TMatrix4x4& GlobalMatrix() const { return globalMatrix_; }
    bool AutoUpdate() const { return autoUpdate_; }
    void SetAutoUpdate(bool value) { autoUpdate_ = value; }

    // Global := local times (the bone's global matrix times the mesh's absolute matrix); local
    // alone without a bone.
    virtual void AlignCollider();

    // Version 0: the bone id and the local matrix's 64 bytes.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    friend class TSkeletonColliderList;
    TSkeletonColliderList* owner_ = nullptr;
    TSkeletonBone* bone_ = nullptr;
    Integer boneID_ = -1;
    TMatrix4x4 localMatrix_ = IdentityMatrix;
    TMatrix4x4 globalMatrix_ = IdentityMatrix;
    bool autoUpdate_ = true;
};

class TSkeletonColliderList : public TPersistentObjectList {
    Z_CLASS(TSkeletonColliderList, TPersistentObjectList)
public:
    TSkeletonColliderList() = default;
    explicit TSkeletonColliderList(TSkeleton* owner) : owner_(owner) {}
    ~TSkeletonColliderList() override;

    TSkeleton* Owner() const { return owner_; }
    TSkeletonCollider* Collider(Integer index) const { return static_cast<TSkeletonCollider*>(GetItem(index)); }
    void Clear();
    // AlignCollider of every collider that updates itself.
    void AlignColliders();

    // Every item must be a collider; each gets this list as owner and, in a skeleton, its bone.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void ItemCreated(TObject* item) override;

private:
    TSkeleton* owner_ = nullptr;
};

// ---- TSkeleton ----

// One input of a blend: two frames and the factor between them, a weight, and lists that
// replace the frames' interpolation when set (not owned).
struct TSkeletonLerpInfo {
    Integer FrameIndex1 = 0, FrameIndex2 = 0;
    Single LerpFactor = 0;
    Single Weight = 0;
    TAffineVectorList* ExternalPositions = nullptr;
    TAffineVectorList* ExternalRotations = nullptr;
    TQuaternionList* ExternalQuaternions = nullptr;
};

class TSkeleton : public TPersistentObject {
    Z_CLASS(TSkeleton, TPersistentObject)
public:
    TSkeleton();
    explicit TSkeleton(TGLBaseMesh* owner);
    ~TSkeleton() override;

    TGLBaseMesh* Owner() const { return owner_; }
    TSkeletonRootBoneList* RootBones() const { return rootBones_; }
    TSkeletonFrameList* Frames() const { return frames_; }
    TSkeletonColliderList* Colliders() const { return colliders_; }
    // While true the global matrices are left as they are.
    bool BonesFrozen() const { return bonesFrozen_; }
    void SetBonesFrozen(bool value) { bonesFrozen_ = value; }
    // While true hidden skeletal mesh objects are deformed too.
    bool DeformHiddenParts() const { return deformHiddenParts_; }
    void SetDeformHiddenParts(bool value) { deformHiddenParts_ = value; }

    // The pose shown, owned by the skeleton and outside the frame list: made from frame 0 on
    // first use (an empty frame, which poses nothing, while there are no frames).
    TSkeletonFrame* CurrentFrame();
    // The current frame becomes a copy of frame.
    void SetCurrentFrame(TSkeletonFrame* frame);
    // The current frame becomes frames index1 and index2 interpolated at t (Euler angles
    // through rotations, quaternions by slerp), in index1's transform mode.
    void LerpFrames(Integer index1, Integer index2, Single t);
    // The current frame becomes the first input's interpolation, scaled by its weight, plus
    // every other input's interpolation (or external lists). No input fails an assertion.
    void BlendedLerps(const std::vector<TSkeletonLerpInfo>& infos);
    // Spreads the drift of bone 0 between the two frames back over the frames in between, so
    // that the skeleton keeps its place over the range.
    void RemoveRootDrift(Integer startFrame, Integer endFrame);

    // The bone of that id through a cache built on first use; nullptr for an id without a bone,
    // EListError "List index out of bounds (id)" beyond the largest id.
    TSkeletonBone* BoneByID(Integer id);
    // The same without raising: nullptr outside the ids.
    TSkeletonBone* FindBoneByID(Integer id);
    TSkeletonBone* BoneByName(const String& name) { return rootBones_->BoneByName(name); }
    // Forgets the cache; made again on the next lookup. Bones made or freed call it.
    void FlushBoneCache();

    // Poses the owner's skeletal mesh objects in the current frame: global matrices, colliders,
    // then every visible (or every) skeletal mesh object's vertices.
    void MorphMesh(bool normalize);
    // Takes the current frame of reference and poses the mesh.
    void Synchronize(TSkeleton* reference);
    // No bones, frames, current frame or colliders.
    void Clear();

    // Version 1 when there are colliders, else 0; both read. A skeleton whose bone ids lie
    // beyond its frames (or, without frames, beyond its bone count) is refused with EReadError
    // and left empty.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    void ReplaceCurrentFrame(TSkeletonFrame* frame);
    TSkeletonFrame* NewCurrentFrame(Integer modeFrameIndex);
    void CheckBoneIDs();

    TGLBaseMesh* owner_ = nullptr;
    TSkeletonRootBoneList* rootBones_;
    TSkeletonFrameList* frames_;
    TSkeletonFrame* currentFrame_ = nullptr;
    std::vector<TSkeletonBone*> boneCache_;
    bool boneCacheBuilt_ = false;
    TSkeletonColliderList* colliders_;
    bool bonesFrozen_ = false;
    bool deformHiddenParts_ = false;
};
