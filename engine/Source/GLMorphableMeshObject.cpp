#include "GLMorphableMeshObject.h"

#include "SysUtils.h"

// ---- TMeshMorphTarget ------------------------------------------------------------------------

TMeshMorphTarget::TMeshMorphTarget(TMeshMorphTargetList* owner) : owner_(owner) {
    if (owner) owner->Add(this);
}

TMeshMorphTarget::~TMeshMorphTarget() {
    if (owner_) owner_->Remove(this);
}

void TMeshMorphTarget::WriteToArchive(TVirtualWriter* writer) {
    TBaseMeshObject::WriteToArchive(writer);
    writer->WriteInteger(0);
}

void TMeshMorphTarget::ReadFromArchive(TVirtualReader* reader) {
    TBaseMeshObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
}

// ---- TMeshMorphTargetList --------------------------------------------------------------------

TMeshMorphTargetList::~TMeshMorphTargetList() { Clear(); }

void TMeshMorphTargetList::Clear() {
    for (Integer i = Count() - 1; i >= 0; --i) {
        TMeshMorphTarget* target = Target(i);
        if (!target) continue;
        target->SetOwner(nullptr);
        FreeObject(target);
    }
    TPersistentObjectList::Clear();
}

void TMeshMorphTargetList::Translate(const TAffineVector& delta) {
    for (Integer i = 0; i < Count(); ++i) Target(i)->Translate(delta);
}

void TMeshMorphTargetList::ItemCreated(TObject* item) {
    auto* target = dynamic_cast<TMeshMorphTarget*>(item);
    if (!target) throw EReadError(item->ClassName() + L" is not a morph target class");
    target->SetOwner(this);
}

void TMeshMorphTargetList::ReadFromArchive(TVirtualReader* reader) {
    Clear();
    ReadListWithoutEmptyEntries(this, reader, L"morph target");
}

// ---- TMorphableMeshObject --------------------------------------------------------------------

TMorphableMeshObject::TMorphableMeshObject() : morphTargets_(new TMeshMorphTargetList(this)) {}

TMorphableMeshObject::TMorphableMeshObject(TMeshObjectList* owner)
    : TMeshObject(owner), morphTargets_(new TMeshMorphTargetList(this)) {}

TMorphableMeshObject::~TMorphableMeshObject() { delete morphTargets_; }

void TMorphableMeshObject::MorphTo(Integer index) {
    if (index == 0 && morphTargets_->Count() == 0) return;
    Assert(index >= 0 && index < morphTargets_->Count(), L"GLVectorFileObjects: morph target index out of range");
    TMeshMorphTarget* target = morphTargets_->Target(index);
    if (target->Vertices()->Count() > 0) {
        SetVertices(target->Vertices());
        validBuffers_ &= Byte(~kVerticesValid);
    }
    if (target->Normals()->Count() > 0) {
        SetNormals(target->Normals());
        validBuffers_ &= Byte(~kNormalsValid);
    }
}

void TMorphableMeshObject::Lerp(Integer index1, Integer index2, Single t) {
    const Integer count = morphTargets_->Count();
    Assert(index1 >= 0 && index1 < count && index2 >= 0 && index2 < count,
           L"GLVectorFileObjects: morph target index out of range");
    if (t == 0) {
        MorphTo(index1);
        return;
    }
    if (t == 1) {
        MorphTo(index2);
        return;
    }
    TMeshMorphTarget* a = morphTargets_->Target(index1);
    TMeshMorphTarget* b = morphTargets_->Target(index2);
    if (a->Vertices()->Count() > 0) {
        Vertices()->Lerp(a->Vertices(), b->Vertices(), t);
        validBuffers_ &= Byte(~kVerticesValid);
    }
    if (a->Normals()->Count() > 0) {
        Normals()->Lerp(a->Normals(), b->Normals(), t);
        Normals()->Normalize();
        validBuffers_ &= Byte(~kNormalsValid);
    }
}

void TMorphableMeshObject::Clear() {
    TMeshObject::Clear();
    morphTargets_->Clear();
}

void TMorphableMeshObject::Translate(const TAffineVector& delta) {
    TMeshObject::Translate(delta);
    morphTargets_->Translate(delta);
    validBuffers_ &= Byte(~kVerticesValid);
}

void TMorphableMeshObject::Assign(TPersistent* source) {
    TMeshObject::Assign(source);
    auto* other = dynamic_cast<TMorphableMeshObject*>(source);
    if (!other) return;
    morphTargets_->Clear();
    for (Integer i = 0; i < other->morphTargets_->Count(); ++i)
        (new TMeshMorphTarget(morphTargets_))->Assign(other->morphTargets_->Target(i));
}

void TMorphableMeshObject::WriteToArchive(TVirtualWriter* writer) {
    TMeshObject::WriteToArchive(writer);
    writer->WriteInteger(0);
    morphTargets_->WriteToArchive(writer);
}

void TMorphableMeshObject::ReadFromArchive(TVirtualReader* reader) {
    TMeshObject::ReadFromArchive(reader);
    const Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    morphTargets_->ReadFromArchive(reader);
    for (Integer i = 0; i < morphTargets_->Count(); ++i) {
        const Integer count = morphTargets_->Target(i)->Vertices()->Count();
        if (count > 0 && count != Vertices()->Count())
            throw EReadError(ClassName() + L", morph target " + IntToStr(i) + L" holds " + IntToStr(count) +
                             L" vertices for " + IntToStr(Vertices()->Count()));
    }
}
