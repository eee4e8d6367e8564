// Skeletons: frames and their local matrices, the bone tree, colliders, the current frame and its
// interpolations, and the archives of all of them.
//
// Sections: TSkeletonFrame · TSkeletonFrameList · bone lists · TSkeletonBone · colliders ·
// TSkeleton.

#include "GLSkeleton.h"

#include <cmath>
#include <memory>

#include "GLBaseMesh.h"
#include "GLMeshObject.h"
#include "GLSkeletonMeshObject.h"
#include "GLState.h"
#include "MatrixArithmetic.h"
#include "OpenGL1x.h"
#include "QuaternionArithmetic.h"
#include "SysUtils.h"

namespace {

// The rotation about one axis by angle radians, built from its sine and cosine.
TMatrix4x4 SkeletonAxisRotation(TMatrix4x4 (*builder)(Single, Single), Single angle) {
    return builder(Single(std::sin(Extended(angle))), Single(std::cos(Extended(angle))));
}

// Rows of x, then y, then z rotation, each only when its angle is not zero.
TMatrix4x4 EulerRotationMatrix(const TAffineVector& r) {
    TMatrix4x4 m = IdentityMatrix;
    if (r.X != 0) m = SkeletonAxisRotation(&RotationMatrixX, r.X);
    if (r.Y != 0) m = MultiplyMatrices(m, SkeletonAxisRotation(&RotationMatrixY, r.Y));
    if (r.Z != 0) m = MultiplyMatrices(m, SkeletonAxisRotation(&RotationMatrixZ, r.Z));
    return m;
}

}  // namespace

// ---- TSkeletonFrame --------------------------------------------------------------------------

TSkeletonFrame::TSkeletonFrame()
    : position_(new TAffineVectorList), rotation_(new TAffineVectorList), quaternion_(new TQuaternionList) {}

TSkeletonFrame::TSkeletonFrame(TSkeletonFrameList* owner) : TSkeletonFrame() {
    owner_ = owner;
    if (owner) owner->Add(this);
}

TSkeletonFrame::~TSkeletonFrame() {
    delete quaternion_;
    delete rotation_;
    delete position_;
    if (owner_) owner_->Remove(this);
}

Integer TSkeletonFrame::PoseableCount() const {
    return transformMode_ == sftRotation ? rotation_->Count() : quaternion_->Count();
}

const std::vector<TMatrix4x4>& TSkeletonFrame::LocalMatrices() {
    if (localMatricesBuilt_) return localMatrices_;
    const Integer count = PoseableCount();
    localMatrices_.assign(size_t(count), TMatrix4x4{});
    for (Integer i = 0; i < count; ++i) {
        TMatrix4x4& m = localMatrices_[size_t(i)];
        m = transformMode_ == sftRotation ? EulerRotationMatrix((*rotation_)[i])
                                          : QuaternionToMatrix4((*quaternion_)[i]);
        const TAffineVector p = i < position_->Count() ? (*position_)[i] : NullAffineVector;
        m[3] = {p.X, p.Y, p.Z, 1};
    }
    localMatricesBuilt_ = true;
    return localMatrices_;
}

void TSkeletonFrame::FlushLocalMatrices() {
    localMatrices_.clear();
    localMatrices_.shrink_to_fit();
    localMatricesBuilt_ = false;
}

void TSkeletonFrame::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObject::WriteToArchive(writer);
    writer->WriteInteger(1);
    writer->WriteString(StringToAnsi(name_));
    position_->WriteToArchive(writer);
    rotation_->WriteToArchive(writer);
    quaternion_->WriteToArchive(writer);
    writer->WriteInteger(transformMode_);
}

void TSkeletonFrame::ReadFromArchive(TVirtualReader* reader) {
    TPersistentObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0 && version != 1) RaiseArchiveVersionError(version);
    FlushLocalMatrices();
    name_ = AnsiToString(reader->ReadString());
    position_->ReadFromArchive(reader);
    rotation_->ReadFromArchive(reader);
    if (version == 0) {
        quaternion_->Clear();
        transformMode_ = sftRotation;
        return;
    }
    quaternion_->ReadFromArchive(reader);
    const Integer mode = reader->ReadInteger();
    if (mode != sftRotation && mode != sftQuaternion)
        throw EReadError(ClassName() + L", unknown transform mode " + IntToStr(mode));
    transformMode_ = TSkeletonFrameTransform(mode);
}

// ---- TSkeletonFrameList ----------------------------------------------------------------------

TSkeletonFrameList::~TSkeletonFrameList() { Clear(); }

TSkeletonFrame* TSkeletonFrameList::Frame(Integer index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return static_cast<TSkeletonFrame*>(GetItem(index));
}

void TSkeletonFrameList::Clear() {
    for (Integer i = Count() - 1; i >= 0; --i) {
        auto* frame = static_cast<TSkeletonFrame*>(GetItem(i));
        if (!frame) continue;
        frame->SetOwner(nullptr);
        FreeObject(frame);
    }
    TPersistentObjectList::Clear();
}

void TSkeletonFrameList::ItemCreated(TObject* item) {
    auto* frame = dynamic_cast<TSkeletonFrame*>(item);
    if (!frame) throw EReadError(item->ClassName() + L" is not a skeleton frame class");
    frame->SetOwner(this);
}

void TSkeletonFrameList::ReadFromArchive(TVirtualReader* reader) {
    Clear();
    ReadListWithoutEmptyEntries(this, reader, L"frame");
}

// ---- bone lists ------------------------------------------------------------------------------

TSkeletonBoneList::~TSkeletonBoneList() { FreeBones(); }

TSkeletonBone* TSkeletonBoneList::Bone(Integer index) const { return static_cast<TSkeletonBone*>(GetItem(index)); }

void TSkeletonBoneList::FreeBones() {
    for (Integer i = Count() - 1; i >= 0; --i) {
        TSkeletonBone* bone = Bone(i);
        if (!bone) continue;
        bone->SetOwner(nullptr);
        FreeObject(bone);
    }
    TPersistentObjectList::Clear();
}

TSkeletonBone* TSkeletonBoneList::BoneByID(Integer id) {
    for (Integer i = 0; i < Count(); ++i)
        if (TSkeletonBone* found = Bone(i)->BoneByID(id)) return found;
    return nullptr;
}

TSkeletonBone* TSkeletonBoneList::BoneByName(const String& name) {
    for (Integer i = 0; i < Count(); ++i)
        if (TSkeletonBone* found = Bone(i)->BoneByName(name)) return found;
    return nullptr;
}

Integer TSkeletonBoneList::BoneCount() const {
    Integer count = 1;
    for (Integer i = 0; i < Count(); ++i) count += Bone(i)->BoneCount();
    return count;
}

void TSkeletonBoneList::PrepareGlobalMatrices() {
    for (Integer i = 0; i < Count(); ++i) Bone(i)->PrepareGlobalMatrices();
}

void TSkeletonBoneList::ItemCreated(TObject* item) {
    auto* bone = dynamic_cast<TSkeletonBone*>(item);
    if (!bone) throw EReadError(item->ClassName() + L" is not a skeleton bone class");
    bone->SetOwner(this);
    bone->SetSkeleton(skeleton_);
}

void TSkeletonBoneList::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObjectList::WriteToArchive(writer);
    writer->WriteInteger(0);
}

void TSkeletonBoneList::ReadFromArchive(TVirtualReader* reader) {
    FreeBones();
    ReadListWithoutEmptyEntries(this, reader, L"bone");
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
}

void TSkeletonRootBoneList::BuildList(TRenderContextInfo& rci) {
    TEnableAttribScope scope(rci.GLStates);
    if (rci.GLStates) {
        rci.GLStates->DisableState(stColorMaterial);
        rci.GLStates->DisableState(stLighting);
    }
    GL.glColor3f(1, 1, 1);
    for (Integer i = 0; i < Count(); ++i) Bone(i)->BuildList(rci);
}

void TSkeletonRootBoneList::WriteToArchive(TVirtualWriter* writer) {
    TSkeletonBoneList::WriteToArchive(writer);
    writer->WriteInteger(0);
}

void TSkeletonRootBoneList::ReadFromArchive(TVirtualReader* reader) {
    TSkeletonBoneList::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
}

// ---- TSkeletonBone ---------------------------------------------------------------------------

TSkeletonBone::TSkeletonBone(TSkeletonBoneList* owner) : owner_(owner) {
    if (!owner) return;
    owner->Add(this);
    SetSkeleton(owner->Skeleton());
    if (Skeleton()) Skeleton()->FlushBoneCache();
}

TSkeletonBone::~TSkeletonBone() {
    // The cache of the skeleton must not keep the address of a freed bone.
    if (Skeleton()) Skeleton()->FlushBoneCache();
    if (owner_) owner_->Remove(this);
}

void TSkeletonBone::SetBoneID(Integer value) {
    boneID_ = value;
    if (Skeleton()) Skeleton()->FlushBoneCache();
}

TSkeletonBone* TSkeletonBone::BoneByID(Integer id) {
    if (boneID_ == id) return this;
    return TSkeletonBoneList::BoneByID(id);
}

TSkeletonBone* TSkeletonBone::BoneByName(const String& name) {
    if (name_ == name) return this;
    return TSkeletonBoneList::BoneByName(name);
}

void TSkeletonBone::BuildList(TRenderContextInfo& rci) {
    const TVector4f& place = GlobalMatrix()[3];
    GL.glColor4f((color_ & 0xFF) / 255.0f, ((color_ >> 8) & 0xFF) / 255.0f, ((color_ >> 16) & 0xFF) / 255.0f,
                 (color_ >> 24) / 255.0f);
    GL.glPointSize(5);
    GL.glBegin(GL_POINTS);
    GL.glVertex3f(place.X, place.Y, place.Z);
    GL.glEnd();
    GL.glPointSize(1);
    if (auto* parent = dynamic_cast<TSkeletonBone*>(owner_)) {
        const TVector4f& from = parent->GlobalMatrix()[3];
        GL.glBegin(GL_LINES);
        GL.glVertex3f(from.X, from.Y, from.Z);
        GL.glVertex3f(place.X, place.Y, place.Z);
        GL.glEnd();
    }
    for (Integer i = 0; i < Count(); ++i) Bone(i)->BuildList(rci);
}

void TSkeletonBone::PrepareGlobalMatrices() {
    TSkeleton* skeleton = Skeleton();
    if (skeleton && skeleton->BonesFrozen()) return;
    TMatrix4x4 local = IdentityMatrix;
    if (skeleton) {
        const std::vector<TMatrix4x4>& matrices = skeleton->CurrentFrame()->LocalMatrices();
        // A frame without an entry for this id leaves the bone at its parent's place.
        if (boneID_ >= 0 && boneID_ < Integer(matrices.size())) local = matrices[size_t(boneID_)];
    }
    SetGlobalMatrix(MultiplyMatrices(local, owner_ ? owner_->GlobalMatrix() : IdentityMatrix));
    TSkeletonBoneList::PrepareGlobalMatrices();
}

void TSkeletonBone::Clean() {
    boneID_ = 0;
    name_.clear();
    FreeBones();
    if (Skeleton()) Skeleton()->FlushBoneCache();
}

void TSkeletonBone::WriteToArchive(TVirtualWriter* writer) {
    TSkeletonBoneList::WriteToArchive(writer);
    writer->WriteInteger(0);
    writer->WriteString(StringToAnsi(name_));
    writer->WriteInteger(boneID_);
    writer->WriteInteger(Integer(color_));
}

void TSkeletonBone::ReadFromArchive(TVirtualReader* reader) {
    TSkeletonBoneList::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    name_ = AnsiToString(reader->ReadString());
    SetBoneID(reader->ReadInteger());
    color_ = Cardinal(reader->ReadInteger());
}

// ---- colliders -------------------------------------------------------------------------------

TSkeletonCollider::TSkeletonCollider(TSkeletonColliderList* owner) : owner_(owner) {
    if (owner) owner->Add(this);
}

TSkeletonCollider::~TSkeletonCollider() {
    if (owner_) owner_->Remove(this);
}

void TSkeletonCollider::SetBone(TSkeletonBone* value) {
    bone_ = value;
    boneID_ = value ? value->BoneID() : -1;
}

void TSkeletonCollider::AlignCollider() {
    TSkeleton* skeleton = owner_ ? owner_->Owner() : nullptr;
    if (!bone_ || !skeleton) {
        if (!bone_) globalMatrix_ = localMatrix_;
        return;
    }
    TMatrix4x4 m = bone_->GlobalMatrix();
    if (TGLBaseMesh* mesh = skeleton->Owner()) m = MultiplyMatrices(m, mesh->AbsoluteMatrix());
    globalMatrix_ = MultiplyMatrices(localMatrix_, m);
}

void TSkeletonCollider::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObject::WriteToArchive(writer);
    writer->WriteInteger(0);
    writer->WriteInteger(bone_ ? bone_->BoneID() : -1);
    writer->Write(&localMatrix_, Integer(sizeof localMatrix_));
}

void TSkeletonCollider::ReadFromArchive(TVirtualReader* reader) {
    TPersistentObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    bone_ = nullptr;
    boneID_ = reader->ReadInteger();
    reader->Read(&localMatrix_, Integer(sizeof localMatrix_));
}

TSkeletonColliderList::~TSkeletonColliderList() { Clear(); }

void TSkeletonColliderList::Clear() {
    for (Integer i = Count() - 1; i >= 0; --i) {
        TSkeletonCollider* collider = Collider(i);
        if (!collider) continue;
        collider->SetOwner(nullptr);
        FreeObject(collider);
    }
    TPersistentObjectList::Clear();
}

void TSkeletonColliderList::AlignColliders() {
    for (Integer i = 0; i < Count(); ++i)
        if (Collider(i)->AutoUpdate()) Collider(i)->AlignCollider();
}

void TSkeletonColliderList::ItemCreated(TObject* item) {
    auto* collider = dynamic_cast<TSkeletonCollider*>(item);
    if (!collider) throw EReadError(item->ClassName() + L" is not a skeleton collider class");
    collider->SetOwner(this);
}

void TSkeletonColliderList::ReadFromArchive(TVirtualReader* reader) {
    Clear();
    ReadListWithoutEmptyEntries(this, reader, L"collider");
    if (!owner_) return;
    for (Integer i = 0; i < Count(); ++i) {
        TSkeletonCollider* collider = Collider(i);
        if (collider->boneID_ != -1) collider->bone_ = owner_->BoneByID(collider->boneID_);
    }
}

// ---- TSkeleton -------------------------------------------------------------------------------

TSkeleton::TSkeleton()
    : rootBones_(new TSkeletonRootBoneList(this)),
      frames_(new TSkeletonFrameList(this)),
      colliders_(new TSkeletonColliderList(this)) {}

TSkeleton::TSkeleton(TGLBaseMesh* owner) : TSkeleton() { owner_ = owner; }

TSkeleton::~TSkeleton() {
    Clear();
    delete colliders_;
    delete frames_;
    delete rootBones_;
}

void TSkeleton::ReplaceCurrentFrame(TSkeletonFrame* frame) {
    FreeAndNil(currentFrame_);
    currentFrame_ = frame;
}

TSkeletonFrame* TSkeleton::CurrentFrame() {
    if (!currentFrame_)
        currentFrame_ =
            frames_->Count() > 0 ? static_cast<TSkeletonFrame*>(frames_->Frame(0)->Duplicate()) : new TSkeletonFrame;
    return currentFrame_;
}

void TSkeleton::SetCurrentFrame(TSkeletonFrame* frame) {
    ReplaceCurrentFrame(frame ? static_cast<TSkeletonFrame*>(frame->Duplicate()) : nullptr);
}

TSkeletonFrame* TSkeleton::NewCurrentFrame(Integer modeFrameIndex) {
    auto* frame = new TSkeletonFrame;
    ReplaceCurrentFrame(frame);
    frame->SetTransformMode(frames_->Frame(modeFrameIndex)->TransformMode());
    return frame;
}

void TSkeleton::LerpFrames(Integer index1, Integer index2, Single t) {
    TSkeletonFrame* a = frames_->Frame(index1);
    TSkeletonFrame* b = frames_->Frame(index2);
    TSkeletonFrame* frame = NewCurrentFrame(index1);
    frame->Position()->Lerp(a->Position(), b->Position(), t);
    if (frame->TransformMode() == sftRotation)
        frame->Rotation()->LerpLists(a->Rotation(), b->Rotation(), t);
    else
        frame->Quaternion()->Lerp(a->Quaternion(), b->Quaternion(), t);
}

void TSkeleton::BlendedLerps(const std::vector<TSkeletonLerpInfo>& infos) {
    Assert(!infos.empty(), L"GLVectorFileObjects: BlendedLerps without an input");
    const TSkeletonLerpInfo& first = infos[0];
    if (infos.size() == 1) {
        LerpFrames(first.FrameIndex1, first.FrameIndex2, first.LerpFactor);
        return;
    }
    auto frameOf = [&](Integer index) { return frames_->Frame(index); };
    TSkeletonFrame* frame = NewCurrentFrame(first.FrameIndex1);

    frame->Position()->Lerp(frameOf(first.FrameIndex1)->Position(), frameOf(first.FrameIndex2)->Position(),
                            first.LerpFactor);
    if (first.Weight != 1) frame->Position()->Scale(first.Weight);
    for (size_t i = 1; i < infos.size(); ++i) {
        const TSkeletonLerpInfo& info = infos[i];
        if (info.ExternalPositions) {
            frame->Position()->Combine(info.ExternalPositions, 1);
        } else {
            TAffineVectorList lerped;
            lerped.Lerp(frameOf(info.FrameIndex1)->Position(), frameOf(info.FrameIndex2)->Position(), info.LerpFactor);
            frame->Position()->CombineLists(&lerped, 1);
        }
    }

    if (frame->TransformMode() == sftRotation) {
        frame->Rotation()->LerpLists(frameOf(first.FrameIndex1)->Rotation(), frameOf(first.FrameIndex2)->Rotation(),
                                     first.LerpFactor);
        for (size_t i = 1; i < infos.size(); ++i) {
            const TSkeletonLerpInfo& info = infos[i];
            if (info.ExternalRotations) {
                frame->Rotation()->CombineLists(info.ExternalRotations, 1);
            } else {
                TAffineVectorList lerped;
                lerped.LerpLists(frameOf(info.FrameIndex1)->Rotation(), frameOf(info.FrameIndex2)->Rotation(),
                                 info.LerpFactor);
                frame->Rotation()->CombineLists(&lerped, 1);
            }
        }
    } else {
        frame->Quaternion()->Lerp(frameOf(first.FrameIndex1)->Quaternion(), frameOf(first.FrameIndex2)->Quaternion(),
                                  first.LerpFactor);
        for (size_t i = 1; i < infos.size(); ++i) {
            const TSkeletonLerpInfo& info = infos[i];
            if (info.ExternalQuaternions) {
                frame->Quaternion()->Combine(info.ExternalQuaternions, 1);
            } else {
                TQuaternionList lerped;
                lerped.Lerp(frameOf(info.FrameIndex1)->Quaternion(), frameOf(info.FrameIndex2)->Quaternion(),
                            info.LerpFactor);
                frame->Quaternion()->Combine(&lerped, 1);
            }
        }
    }
}

void TSkeleton::RemoveRootDrift(Integer startFrame, Integer endFrame) {
    if (startFrame >= endFrame) return;
    TAffineVectorList* first = frames_->Frame(startFrame)->Position();
    TAffineVectorList* last = frames_->Frame(endFrame)->Position();
    if (first->Count() == 0 || last->Count() == 0) return;
    const TAffineVector d{(*last)[0].X - (*first)[0].X, (*last)[0].Y - (*first)[0].Y, (*last)[0].Z - (*first)[0].Z};
    const Extended span = endFrame - startFrame;
    for (Integer k = startFrame; k <= endFrame; ++k) {
        TSkeletonFrame* frame = frames_->Frame(k);
        TAffineVectorList* position = frame->Position();
        if (position->Count() == 0) continue;
        const Extended f = (k - startFrame) / span;
        TAffineVector& p = (*position)[0];
        p = {Single(p.X - d.X * f), Single(p.Y - d.Y * f), Single(p.Z - d.Z * f)};
        frame->FlushLocalMatrices();
    }
}

TSkeletonBone* TSkeleton::FindBoneByID(Integer id) {
    if (!boneCacheBuilt_) {
        boneCache_.clear();
        // Each bone before its children; a later bone with the same id takes the entry.
        std::vector<TSkeletonBoneList*> pending{rootBones_};
        while (!pending.empty()) {
            TSkeletonBoneList* list = pending.back();
            pending.pop_back();
            for (Integer i = list->Count() - 1; i >= 0; --i) pending.push_back(list->Bone(i));
            auto* bone = dynamic_cast<TSkeletonBone*>(list);
            if (!bone || bone->BoneID() < 0) continue;
            if (Integer(boneCache_.size()) <= bone->BoneID()) boneCache_.resize(size_t(bone->BoneID()) + 1, nullptr);
            boneCache_[size_t(bone->BoneID())] = bone;
        }
        boneCacheBuilt_ = true;
    }
    if (id < 0 || id >= Integer(boneCache_.size())) return nullptr;
    return boneCache_[size_t(id)];
}

TSkeletonBone* TSkeleton::BoneByID(Integer id) {
    TSkeletonBone* bone = FindBoneByID(id);
    if (id < 0 || id >= Integer(boneCache_.size())) ListIndexError(id);
    return bone;
}

void TSkeleton::FlushBoneCache() {
    boneCache_.clear();
    boneCache_.shrink_to_fit();
    boneCacheBuilt_ = false;
}

void TSkeleton::MorphMesh(bool normalize) {
    if (!owner_ || owner_->MeshObjects()->Count() == 0) return;
    rootBones_->PrepareGlobalMatrices();
    if (colliders_->Count() > 0) colliders_->AlignColliders();
    TMeshObjectList* objects = owner_->MeshObjects();
    for (Integer i = 0; i < objects->Count(); ++i) {
        auto* object = dynamic_cast<TSkeletonMeshObject*>(objects->GetMeshObject(i));
        if (object && (object->Visible() || deformHiddenParts_)) object->ApplyCurrentFrame(normalize);
    }
}

void TSkeleton::Synchronize(TSkeleton* reference) {
    CurrentFrame()->Assign(reference->CurrentFrame());
    MorphMesh(true);
}

void TSkeleton::Clear() {
    FlushBoneCache();
    rootBones_->FreeBones();
    frames_->Clear();
    FreeAndNil(currentFrame_);
    colliders_->Clear();
}

void TSkeleton::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObject::WriteToArchive(writer);
    const bool withColliders = colliders_->Count() > 0;
    writer->WriteInteger(withColliders ? 1 : 0);
    rootBones_->WriteToArchive(writer);
    frames_->WriteToArchive(writer);
    if (withColliders) colliders_->WriteToArchive(writer);
}

void TSkeleton::ReadFromArchive(TVirtualReader* reader) {
    TPersistentObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0 && version != 1) RaiseArchiveVersionError(version);
    Clear();
    try {
        rootBones_->ReadFromArchive(reader);
        frames_->ReadFromArchive(reader);
        CheckBoneIDs();
        if (version == 1) colliders_->ReadFromArchive(reader);
    } catch (...) {
        // A half-read skeleton may hold ids that no frame can pose.
        Clear();
        throw;
    }
}

void TSkeleton::CheckBoneIDs() {
    Integer poseable = rootBones_->BoneCount() - 1;
    if (frames_->Count() > 0) {
        poseable = frames_->Frame(0)->PoseableCount();
        for (Integer i = 1; i < frames_->Count(); ++i)
            poseable = std::min(poseable, frames_->Frame(i)->PoseableCount());
    }
    std::vector<TSkeletonBoneList*> pending{rootBones_};
    while (!pending.empty()) {
        TSkeletonBoneList* list = pending.back();
        pending.pop_back();
        for (Integer i = 0; i < list->Count(); ++i) {
            TSkeletonBone* bone = list->Bone(i);
            if (bone->BoneID() < 0 || bone->BoneID() >= poseable)
                throw EReadError(ClassName() + L", bone id " + IntToStr(bone->BoneID()) + L" beyond its frames");
            pending.push_back(bone);
        }
    }
}
