// Mesh objects and the mesh-object list: data, copies, triangles, extents and archives. Their
// drawing is in GLMeshObjectRendering.cpp.
//
// Sections: archive helpers · TBaseMeshObject · TMeshObject · TMeshObjectList.

#include "GLMeshObject.h"

#include <memory>

#include "GLContext.h"
#include "GLFaceGroups.h"
#include "GLSkeletonMeshObject.h"
#include "MeshUtils.h"
#include "SysUtils.h"

bool DefaultMeshObjectsUseBufferObjects = true;

// ---- archive helpers -------------------------------------------------------------------------

namespace {

// Old archives keep lightmap coordinates as texture points: (s, t) becomes (s, t, 0).
void ReadTexPointsAsAffine(TVirtualReader* reader, TAffineVectorList* list) {
    TTexPointList points;
    points.ReadFromArchive(reader);
    list->Clear();
    list->ReserveCapacity(points.Count());
    for (Integer i = 0; i < points.Count(); ++i) list->AddXY(points[i].S, points[i].T);
}

// The smallest list archive: version, list start, count, item size (2 bytes each at least).
constexpr Int64 kSmallestVectorListArchive = 8;

}  // namespace

// ---- TBaseMeshObject -------------------------------------------------------------------------

TBaseMeshObject::TBaseMeshObject() : vertices_(new TAffineVectorList), normals_(new TAffineVectorList) {}

TBaseMeshObject::~TBaseMeshObject() {
    delete normals_;
    delete vertices_;
}

void TBaseMeshObject::SetVertices(const TAffineVectorList* list) {
    vertices_->Assign(const_cast<TAffineVectorList*>(list));
}

void TBaseMeshObject::SetNormals(const TAffineVectorList* list) {
    normals_->Assign(const_cast<TAffineVectorList*>(list));
}

void TBaseMeshObject::ContributeToBarycenter(TAffineVector& sum, Integer& count) {
    TAffineVector s = vertices_->Sum();
    sum = {sum.X + s.X, sum.Y + s.Y, sum.Z + s.Z};
    count += vertices_->Count();
}

void TBaseMeshObject::Clear() {
    normals_->Clear();
    vertices_->Clear();
}

void TBaseMeshObject::Translate(const TAffineVector& delta) { vertices_->Translate(delta); }

TAffineVectorList* TBaseMeshObject::ExtractTriangles(TAffineVectorList*, TAffineVectorList* normals) {
    auto* result = new TAffineVectorList;
    if (vertices_->Count() % 3 == 0) {
        result->Assign(vertices_);
        if (normals) normals->Assign(normals_);
    }
    return result;
}

void TBaseMeshObject::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBaseMeshObject*>(source)) {
        name_ = other->name_;
        vertices_->Assign(other->vertices_);
        normals_->Assign(other->normals_);
        return;
    }
    TPersistentObject::Assign(source);
}

void TBaseMeshObject::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObject::WriteToArchive(writer);
    writer->WriteInteger(1);
    writer->WriteString(StringToAnsi(name_));
    vertices_->WriteToArchive(writer);
    normals_->WriteToArchive(writer);
    writer->WriteBoolean(visible_);
}

void TBaseMeshObject::ReadFromArchive(TVirtualReader* reader) {
    TPersistentObject::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0 && version != 1) RaiseArchiveVersionError(version);
    name_ = AnsiToString(reader->ReadString());
    vertices_->ReadFromArchive(reader);
    normals_->ReadFromArchive(reader);
    visible_ = version >= 1 ? reader->ReadBoolean() : true;
}

// ---- TMeshObject -----------------------------------------------------------------------------

TMeshObject::TMeshObject()
    : texCoords_(new TAffineVectorList),
      lightMapTexCoords_(new TAffineVectorList),
      colors_(new TVectorList),
      faceGroups_(new TFaceGroups(this)),
      useBufferObjects_(DefaultMeshObjectsUseBufferObjects) {}

TMeshObject::TMeshObject(TMeshObjectList* owner) : TMeshObject() {
    owner_ = owner;
    if (owner) owner->Add(this);
}

TMeshObject::~TMeshObject() {
    FreeBuffers();
    delete faceGroups_;
    delete colors_;
    delete lightMapTexCoords_;
    delete texCoords_;
    for (TVectorList* set : extraTexCoords_) delete set;
    if (owner_) owner_->Remove(this);
}

void TMeshObject::FreeBuffers() {
    FreeAndNil(vertexBuffer_);
    FreeAndNil(normalBuffer_);
    FreeAndNil(colorBuffer_);
    FreeAndNil(texCoordBuffer_);
    FreeAndNil(lightmapBuffer_);
    for (TGLVBOArrayBufferHandle*& buffer : extraBuffers_) FreeAndNil(buffer);
    extraBuffers_.clear();
    validBuffers_ = 0;
}

void TMeshObject::SetTexCoords(const TAffineVectorList* list) {
    texCoords_->Assign(const_cast<TAffineVectorList*>(list));
}

void TMeshObject::SetLightMapTexCoords(const TAffineVectorList* list) {
    lightMapTexCoords_->Assign(const_cast<TAffineVectorList*>(list));
}

void TMeshObject::SetColors(const TVectorList* list) { colors_->Assign(const_cast<TVectorList*>(list)); }

void TMeshObject::SetFirstAuxiliaryTexUnit(Integer value) {
    Assert(value >= 0, L"GLVectorFileObjects: negative texture unit");
    auxiliaryTexUnits_[0] = value;
}

void TMeshObject::SetSecondAuxiliaryTexUnit(Integer value) {
    Assert(value >= 0, L"GLVectorFileObjects: negative texture unit");
    auxiliaryTexUnits_[1] = value;
}

TVectorList* TMeshObject::GetExtraTexCoords(Integer index) {
    while (Integer(extraTexCoords_.size()) <= index) extraTexCoords_.push_back(new TVectorList);
    return extraTexCoords_[size_t(index)];
}

void TMeshObject::Assign(TPersistent* source) {
    TBaseMeshObject::Assign(source);
    auto* other = dynamic_cast<TMeshObject*>(source);
    if (!other) return;
    texCoords_->Assign(other->texCoords_);
    lightMapTexCoords_->Assign(other->lightMapTexCoords_);
    colors_->Assign(other->colors_);
    faceGroups_->Assign(other->faceGroups_);
    mode_ = other->mode_;
    renderingOptions_ = other->renderingOptions_;
    auxiliaryTexUnits_[0] = other->auxiliaryTexUnits_[0];
    auxiliaryTexUnits_[1] = other->auxiliaryTexUnits_[1];
    for (TVectorList* set : extraTexCoords_) delete set;
    extraTexCoords_.clear();
    for (TVectorList* set : other->extraTexCoords_) {
        extraTexCoords_.push_back(new TVectorList);
        extraTexCoords_.back()->Assign(set);
    }
    validBuffers_ = 0;
}

void TMeshObject::Clear() {
    TBaseMeshObject::Clear();
    faceGroups_->Clear();
    colors_->Clear();
    texCoords_->Clear();
    lightMapTexCoords_->Clear();
    for (TVectorList* set : extraTexCoords_) set->Clear();
}

TAffineVectorList* TMeshObject::ExtractTriangles(TAffineVectorList* texCoords, TAffineVectorList* normals) {
    switch (mode_) {
        case momTriangles: {
            TAffineVectorList* result = TBaseMeshObject::ExtractTriangles(texCoords, normals);
            if (texCoords && Vertices()->Count() % 3 == 0) texCoords->Assign(texCoords_);
            return result;
        }
        case momTriangleStrip: {
            std::unique_ptr<TAffineVectorList> result(new TAffineVectorList);
            ConvertStripToList(Vertices(), result.get());
            if (texCoords) ConvertStripToList(texCoords_, texCoords);
            if (normals) ConvertStripToList(Normals(), normals);
            return result.release();
        }
        case momFaceGroups: {
            std::unique_ptr<TAffineVectorList> result(new TAffineVectorList);
            faceGroups_->AddToTriangles(result.get(), texCoords, normals);
            return result.release();
        }
        default:
            Assert(false, L"GLVectorFileObjects: unknown mesh object mode");
            return nullptr;
    }
}

Integer TMeshObject::TriangleCount() const {
    switch (mode_) {
        case momTriangles:
            return Vertices()->Count() / 3;
        case momTriangleStrip:
            return Vertices()->Count() > 2 ? Vertices()->Count() - 2 : 0;
        case momFaceGroups: {
            Integer sum = 0;
            for (Integer i = 0; i < faceGroups_->Count(); ++i) sum += faceGroups_->GetFaceGroup(i)->TriangleCount();
            return sum;
        }
        default:
            Assert(false, L"GLVectorFileObjects: unknown mesh object mode");
            return 0;
    }
}

void TMeshObject::GetExtents(TAffineVector& min, TAffineVector& max) { Vertices()->GetExtents(min, max); }

bool TMeshObject::PointInObject(const TAffineVector& point) {
    TAffineVector min, max;
    GetExtents(min, max);
    return point.X >= min.X && point.Y >= min.Y && point.Z >= min.Z && point.X <= max.X && point.Y <= max.Y &&
           point.Z <= max.Z;
}

void TMeshObject::Prepare() {
    validBuffers_ = 0;
    for (Integer i = 0; i < faceGroups_->Count(); ++i) faceGroups_->GetFaceGroup(i)->Prepare();
}

void TMeshObject::PrepareMaterialCache(TGLMaterialLibrary* library) { faceGroups_->PrepareMaterialCache(library); }

void TMeshObject::DropMaterialCache() { faceGroups_->DropMaterialCache(); }

void TMeshObject::WriteToArchive(TVirtualWriter* writer) {
    TBaseMeshObject::WriteToArchive(writer);
    writer->WriteInteger(3);
    texCoords_->WriteToArchive(writer);
    lightMapTexCoords_->WriteToArchive(writer);
    colors_->WriteToArchive(writer);
    faceGroups_->WriteToArchive(writer);
    writer->WriteInteger(mode_);
    writer->WriteInteger(1);  // the size of the options set
    Byte options = Byte(renderingOptions_.Bits());
    writer->Write(&options, 1);
    writer->WriteInteger(Integer(extraTexCoords_.size()));
    for (TVectorList* set : extraTexCoords_) set->WriteToArchive(writer);
    writer->WriteInteger(auxiliaryTexUnits_[0]);
    writer->WriteInteger(auxiliaryTexUnits_[1]);
}

void TMeshObject::ReadFromArchive(TVirtualReader* reader) {
    TBaseMeshObject::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version < 0 || version > 3) RaiseArchiveVersionError(version);
    validBuffers_ = 0;
    texCoords_->ReadFromArchive(reader);
    if (version == 0)
        lightMapTexCoords_->Clear();
    else if (version < 3)
        ReadTexPointsAsAffine(reader, lightMapTexCoords_);
    else
        lightMapTexCoords_->ReadFromArchive(reader);
    colors_->ReadFromArchive(reader);
    faceGroups_->ReadFromArchive(reader);
    Integer mode = reader->ReadInteger();
    // Refused here rather than failing at every later use.
    if (mode < momTriangles || mode > momFaceGroups)
        throw EReadError(ClassName() + L", unknown mode " + IntToStr(mode));
    mode_ = TMeshObjectMode(mode);
    Assert(reader->ReadInteger() == 1, L"GLVectorFileObjects: wrong rendering options size");
    Byte options = 0;
    reader->Read(&options, 1);
    renderingOptions_ = TMeshObjectRenderingOptions::FromBits(options);
    for (TVectorList* set : extraTexCoords_) delete set;
    extraTexCoords_.clear();
    if (version >= 2) {
        Integer sets = reader->ReadInteger();
        reader->CheckPayload(sets, kSmallestVectorListArchive);
        for (Integer i = 0; i < sets; ++i) GetExtraTexCoords(i)->ReadFromArchive(reader);
        auxiliaryTexUnits_[0] = reader->ReadInteger();
        auxiliaryTexUnits_[1] = reader->ReadInteger();
    }
    CheckFaceGroupIndices();
}

void TMeshObject::CheckFaceGroupIndices() const {
    for (Integer i = 0; i < faceGroups_->Count(); ++i) faceGroups_->GetFaceGroup(i)->CheckIndices(this);
}

// ---- TMeshObjectList -------------------------------------------------------------------------

TMeshObjectList::~TMeshObjectList() { Clear(); }

void TMeshObjectList::Clear() {
    DropMaterialCache();
    for (Integer i = Count() - 1; i >= 0; --i) {
        auto* object = GetMeshObject(i);
        if (!object) continue;
        object->SetOwner(nullptr);
        FreeObject(object);
    }
    TPersistentObjectList::Clear();
}

void TMeshObjectList::PrepareMaterialCache(TGLMaterialLibrary* library) {
    for (Integer i = 0; i < Count(); ++i) GetMeshObject(i)->PrepareMaterialCache(library);
}

void TMeshObjectList::DropMaterialCache() {
    for (Integer i = 0; i < Count(); ++i)
        if (TMeshObject* object = GetMeshObject(i)) object->DropMaterialCache();
}

void TMeshObjectList::PrepareBuildList(TRenderContextInfo& rci) {
    for (Integer i = 0; i < Count(); ++i)
        if (GetMeshObject(i)->Visible()) GetMeshObject(i)->PrepareBuildList(rci);
}

void TMeshObjectList::BuildList(TRenderContextInfo& rci) {
    for (Integer i = 0; i < Count(); ++i)
        if (GetMeshObject(i)->Visible()) GetMeshObject(i)->BuildList(rci);
}

void TMeshObjectList::GetExtents(TAffineVector& min, TAffineVector& max) {
    min = {1e30f, 1e30f, 1e30f};
    max = {-1e30f, -1e30f, -1e30f};
    for (Integer i = 0; i < Count(); ++i) {
        TAffineVector lo, hi;
        GetMeshObject(i)->GetExtents(lo, hi);
        for (int k = 0; k < 3; ++k) {
            if ((&lo.X)[k] < (&min.X)[k]) (&min.X)[k] = (&lo.X)[k];
            if ((&hi.X)[k] > (&max.X)[k]) (&max.X)[k] = (&hi.X)[k];
        }
    }
}

void TMeshObjectList::Translate(const TAffineVector& delta) {
    for (Integer i = 0; i < Count(); ++i) GetMeshObject(i)->Translate(delta);
}

void TMeshObjectList::Prepare() {
    for (Integer i = 0; i < Count(); ++i) GetMeshObject(i)->Prepare();
}

TAffineVectorList* TMeshObjectList::ExtractTriangles(TAffineVectorList* texCoords, TAffineVectorList* normals) {
    std::unique_ptr<TAffineVectorList> result(new TAffineVectorList);
    for (Integer i = 0; i < Count(); ++i) {
        TAffineVectorList objectTexCoords, objectNormals;
        std::unique_ptr<TAffineVectorList> triangles(GetMeshObject(i)->ExtractTriangles(
            texCoords ? &objectTexCoords : nullptr, normals ? &objectNormals : nullptr));
        if (!triangles) continue;
        result->AddList(triangles.get());
        if (texCoords) texCoords->AddList(&objectTexCoords);
        if (normals) normals->AddList(&objectNormals);
    }
    return result.release();
}

Integer TMeshObjectList::TriangleCount() const {
    Integer sum = 0;
    for (Integer i = 0; i < Count(); ++i) sum += GetMeshObject(i)->TriangleCount();
    return sum;
}

void TMeshObjectList::MorphTo(Integer index) {
    for (Integer i = 0; i < Count(); ++i)
        if (auto* object = dynamic_cast<TMorphableMeshObject*>(GetMeshObject(i))) object->MorphTo(index);
}

void TMeshObjectList::Lerp(Integer index1, Integer index2, Single t) {
    for (Integer i = 0; i < Count(); ++i)
        if (auto* object = dynamic_cast<TMorphableMeshObject*>(GetMeshObject(i))) object->Lerp(index1, index2, t);
}

Integer TMeshObjectList::MorphTargetCount() const {
    Integer fewest = -1;
    for (Integer i = 0; i < Count(); ++i)
        if (auto* object = dynamic_cast<TMorphableMeshObject*>(GetMeshObject(i)))
            if (fewest < 0 || object->MorphTargets()->Count() < fewest) fewest = object->MorphTargets()->Count();
    return fewest < 0 ? 0 : fewest;
}

void TMeshObjectList::ItemCreated(TObject* item) {
    auto* object = dynamic_cast<TMeshObject*>(item);
    if (!object) throw EReadError(item->ClassName() + L" is not a mesh object class");
    object->SetOwner(this);
}

void TMeshObjectList::ReadFromArchive(TVirtualReader* reader) {
    Clear();
    ReadListWithoutEmptyEntries(this, reader, L"mesh object");
    for (Integer i = 0; i < Count(); ++i)
        if (auto* object = dynamic_cast<TSkeletonMeshObject*>(GetMeshObject(i))) object->PrepareBindPoseMeshes();
}
