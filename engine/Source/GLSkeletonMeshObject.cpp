// Skeletal mesh objects: weight rows, vertex lookup by bone and place, bind-pose meshes, posing
// and the archive.

#include "GLSkeletonMeshObject.h"

#include <algorithm>
#include <cstring>

#include "GLBaseMesh.h"
#include "GLSkeleton.h"
#include "MatrixArithmetic.h"
#include "SysUtils.h"

namespace {

bool SameBits(const TAffineVector& a, const TAffineVector& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TAffineVector XyzOf(const TVector4f& v) { return {v.X, v.Y, v.Z}; }

}  // namespace

TSkeletonMeshObject::~TSkeletonMeshObject() { FreeBindPoseMeshes(); }

TSkeleton* TSkeletonMeshObject::OwnerSkeleton() const {
    if (!Owner() || !Owner()->Owner()) return nullptr;
    return Owner()->Owner()->Skeleton();
}

// ---- weight rows -----------------------------------------------------------------------------

void TSkeletonMeshObject::Reallocate(Integer capacity, Integer bonesPerVertex) {
    std::vector<TVertexBoneWeight> block;
    if (Int64(capacity) * bonesPerVertex > 0) {
        block.assign(size_t(capacity) * size_t(bonesPerVertex), TVertexBoneWeight{0, 0});
        // Every row the old block held keeps its first entries: rows added since the last
        // reallocation are data too.
        const Integer rows = std::min(capacity, capacity_);
        const Integer entries = std::min(bonesPerVertex, bonesPerVertex_);
        for (Integer i = 0; i < rows; ++i)
            for (Integer j = 0; j < entries; ++j)
                block[size_t(i) * size_t(bonesPerVertex) + size_t(j)] =
                    weights_[size_t(i) * size_t(bonesPerVertex_) + size_t(j)];
    }
    weights_.swap(block);
    capacity_ = capacity;
    bonesPerVertex_ = bonesPerVertex;
}

void TSkeletonMeshObject::SetVertexWeightCount(Integer value) {
    Assert(value >= 0, L"GLVectorFileObjects: negative vertex weight count");
    if (value == weightCount_) return;
    const Integer old = weightCount_;
    if (capacity_ < value) SetCapacity(value + 16);
    weightCount_ = value;
    // Rows taken into use start empty, whatever an earlier, longer count left in them.
    for (Integer i = old; i < value; ++i)
        for (Integer j = 0; j < bonesPerVertex_; ++j) VertexBoneWeights(i)[j] = {0, 0};
}

void TSkeletonMeshObject::SetCapacity(Integer value) {
    Assert(value >= 0, L"GLVectorFileObjects: negative vertex weight capacity");
    if (value == capacity_) return;
    Reallocate(value, bonesPerVertex_);
    weightCount_ = std::min(weightCount_, capacity_);
}

void TSkeletonMeshObject::SetBonesPerVertex(Integer value) {
    Assert(value >= 0, L"GLVectorFileObjects: negative bones per vertex");
    if (value == bonesPerVertex_) return;
    Reallocate(capacity_, value);
}

void TSkeletonMeshObject::AddWeightedBone(Integer boneId, Single weight) {
    if (bonesPerVertex_ == 0) SetBonesPerVertex(1);
    SetVertexWeightCount(weightCount_ + 1);
    VertexBoneWeights(weightCount_ - 1)[0] = {boneId, weight};
}

void TSkeletonMeshObject::AddWeightedBones(const TVertexBoneWeightDynArray& weights) {
    if (bonesPerVertex_ < Integer(weights.size())) SetBonesPerVertex(Integer(weights.size()));
    SetVertexWeightCount(weightCount_ + 1);
    std::copy(weights.begin(), weights.end(), VertexBoneWeights(weightCount_ - 1));
}

Integer TSkeletonMeshObject::FindOrAdd(Integer boneId, const TAffineVector& vertex, const TAffineVector& normal) {
    if (bonesPerVertex_ >= 2) return FindOrAddWeights({{boneId, 1}}, vertex, normal);
    const Integer rows = bonesPerVertex_ == 0 ? 0 : std::min({weightCount_, Vertices()->Count(), Normals()->Count()});
    for (Integer i = 0; i < rows; ++i)
        if (VertexBoneWeights(i)[0].BoneID == boneId && SameBits((*Vertices())[i], vertex) &&
            SameBits((*Normals())[i], normal))
            return i;
    AddWeightedBone(boneId, 1);
    Normals()->Add(normal);
    return Vertices()->Add(vertex);
}

Integer TSkeletonMeshObject::FindOrAddWeights(const TVertexBoneWeightDynArray& weights, const TAffineVector& vertex,
                                              const TAffineVector& normal) {
    const Integer compared = Integer(weights.size());
    if (compared <= bonesPerVertex_) {
        const Integer rows = std::min({weightCount_, Vertices()->Count(), Normals()->Count()});
        for (Integer i = 0; i < rows; ++i) {
            const TVertexBoneWeight* row = VertexBoneWeights(i);
            bool same = SameBits((*Vertices())[i], vertex) && SameBits((*Normals())[i], normal);
            for (Integer j = 0; same && j < compared; ++j)
                same = row[j].BoneID == weights[size_t(j)].BoneID && row[j].Weight == weights[size_t(j)].Weight;
            if (same) return i;
        }
    }
    AddWeightedBones(weights);
    Normals()->Add(normal);
    return Vertices()->Add(vertex);
}

// ---- posing ----------------------------------------------------------------------------------

void TSkeletonMeshObject::FreeBindPoseMeshes() {
    for (TBaseMeshObject* mesh : bindPoseMeshes_) delete mesh;
    bindPoseMeshes_.clear();
}

void TSkeletonMeshObject::PrepareBindPoseMeshes() {
    FreeBindPoseMeshes();
    TSkeleton* skeleton = OwnerSkeleton();
    const Integer rows = std::min(weightCount_, Vertices()->Count());
    for (Integer j = 0; j < bonesPerVertex_; ++j) {
        auto* mesh = new TBaseMeshObject;
        bindPoseMeshes_.push_back(mesh);
        mesh->SetVertices(Vertices());
        mesh->SetNormals(Normals());
        if (!skeleton) continue;
        for (Integer i = 0; i < rows; ++i) {
            TSkeletonBone* bone = skeleton->RootBones()->BoneByID(VertexBoneWeights(i)[j].BoneID);
            if (!bone) continue;
            TMatrix4x4 inverse = bone->GlobalMatrix();
            InvertMatrixInPlace(inverse);
            const TAffineVector v = (*mesh->Vertices())[i];
            (*mesh->Vertices())[i] = XyzOf(TransformVector4({v.X, v.Y, v.Z, 1}, inverse));
            if (i >= mesh->Normals()->Count()) continue;
            TMatrix4x4 rotation = bone->GlobalMatrix();
            rotation[3] = {0, 0, 0, 1};
            InvertMatrixInPlace(rotation);
            const TAffineVector n = (*mesh->Normals())[i];
            (*mesh->Normals())[i] = XyzOf(TransformVector4({n.X, n.Y, n.Z, 0}, rotation));
        }
    }
}

void TSkeletonMeshObject::ApplyCurrentFrame(bool normalize) {
    TSkeleton* skeleton = OwnerSkeleton();
    if (bindPoseMeshes_.empty() || !skeleton) return;
    TAffineVectorList* vertices = Vertices();
    TAffineVectorList* normals = Normals();
    const Integer rows = std::min({weightCount_, vertices->Count(), bindPoseMeshes_[0]->Vertices()->Count()});
    for (Integer i = 0; i < rows; ++i) {
        const TVertexBoneWeight* row = VertexBoneWeights(i);
        const bool withNormal = i < normals->Count() && i < bindPoseMeshes_[0]->Normals()->Count();
        if (bonesPerVertex_ == 1) {
            const TSkeletonBone* bone = skeleton->FindBoneByID(row[0].BoneID);
            const TMatrix4x4& m = bone ? bone->GlobalMatrix() : IdentityMatrix;
            (*vertices)[i] = TransformAffinePoint((*bindPoseMeshes_[0]->Vertices())[i], m);
            if (withNormal) {
                const TAffineVector n = (*bindPoseMeshes_[0]->Normals())[i];
                (*normals)[i] = XyzOf(TransformVector4({n.X, n.Y, n.Z, 0}, m));
            }
            continue;
        }
        Extended v[3] = {0, 0, 0}, n[3] = {0, 0, 0};
        for (Integer j = 0; j < bonesPerVertex_; ++j) {
            const Single w = row[j].Weight;
            if (w == 0) continue;
            const TSkeletonBone* bone = skeleton->FindBoneByID(row[j].BoneID);
            const TMatrix4x4& m = bone ? bone->GlobalMatrix() : IdentityMatrix;
            const TAffineVector bv = (*bindPoseMeshes_[size_t(j)]->Vertices())[i];
            const TVector4f pv = TransformVector4({bv.X, bv.Y, bv.Z, 1}, m);
            v[0] += w * Extended(pv.X), v[1] += w * Extended(pv.Y), v[2] += w * Extended(pv.Z);
            if (!withNormal) continue;
            const TAffineVector bn = (*bindPoseMeshes_[size_t(j)]->Normals())[i];
            const TVector4f pn = TransformVector4({bn.X, bn.Y, bn.Z, 0}, m);
            n[0] += w * Extended(pn.X), n[1] += w * Extended(pn.Y), n[2] += w * Extended(pn.Z);
        }
        (*vertices)[i] = {Single(v[0]), Single(v[1]), Single(v[2])};
        if (withNormal) (*normals)[i] = {Single(n[0]), Single(n[1]), Single(n[2])};
    }
    if (normalize) normals->Normalize();
    // The pose changes without a structure change when a controller moves it: the buffers must
    // be filled again in every case.
    validBuffers_ &= Byte(~(kVerticesValid | kNormalsValid));
}

// ---- clearing, copying, archives -------------------------------------------------------------

void TSkeletonMeshObject::Clear() {
    TMorphableMeshObject::Clear();
    weightCount_ = 0;
    bonesPerVertex_ = 0;
    weights_.clear();
    weights_.shrink_to_fit();
    FreeBindPoseMeshes();
}

void TSkeletonMeshObject::Assign(TPersistent* source) {
    TMorphableMeshObject::Assign(source);
    auto* other = dynamic_cast<TSkeletonMeshObject*>(source);
    if (!other) return;
    weights_ = other->weights_;
    weightCount_ = other->weightCount_;
    capacity_ = other->capacity_;
    bonesPerVertex_ = other->bonesPerVertex_;
    FreeBindPoseMeshes();
    for (TBaseMeshObject* mesh : other->bindPoseMeshes_) {
        bindPoseMeshes_.push_back(new TBaseMeshObject);
        bindPoseMeshes_.back()->Assign(mesh);
    }
}

void TSkeletonMeshObject::WriteToArchive(TVirtualWriter* writer) {
    TMorphableMeshObject::WriteToArchive(writer);
    writer->WriteInteger(0);
    writer->WriteInteger(weightCount_);
    writer->WriteInteger(bonesPerVertex_);
    writer->WriteInteger(capacity_);
    for (Integer i = 0; i < weightCount_ && bonesPerVertex_ > 0; ++i)
        writer->Write(VertexBoneWeights(i), bonesPerVertex_ * Integer(sizeof(TVertexBoneWeight)));
}

void TSkeletonMeshObject::ReadFromArchive(TVirtualReader* reader) {
    TMorphableMeshObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    const Integer count = reader->ReadInteger();
    const Integer bonesPerVertex = reader->ReadInteger();
    const Integer capacity = reader->ReadInteger();
    if (count < 0 || capacity < 0 || bonesPerVertex < 0 || bonesPerVertex > kMaxBonesPerVertex)
        throw EReadError(ClassName() + L", bad vertex weight sizes " + IntToStr(count) + L", " +
                         IntToStr(bonesPerVertex) + L", " + IntToStr(capacity));
    reader->CheckPayload(Int64(count) * bonesPerVertex, Int64(sizeof(TVertexBoneWeight)));
    FreeBindPoseMeshes();
    weights_.assign(size_t(count) * size_t(bonesPerVertex), TVertexBoneWeight{0, 0});
    weightCount_ = capacity_ = count;
    bonesPerVertex_ = bonesPerVertex;
    if (!weights_.empty()) reader->Read(weights_.data(), Integer(weights_.size() * sizeof(TVertexBoneWeight)));
}
