// The mesh scene object: files, auto scaling and centring, extents and rays, libraries and
// drawing.
//
// Sections: construction · files · geometry · libraries and notifications · drawing · copying.

#include "GLBaseMesh.h"

#include <cmath>
#include <limits>
#include <memory>

#include "GLBaseMeshSilhouette.h"
#include "GLContext.h"
#include "GLMeshObject.h"
#include "GLSkeleton.h"
#include "GLSkeletonMeshObject.h"
#include "GLState.h"
#include "Scene.h"
#include "VectorArithmetic.h"
#include "XOpenGL.h"

// ---- construction ----------------------------------------------------------------------------

TGLBaseMesh::TGLBaseMesh(TComponent* owner)
    : TGLSceneObject(owner),
      autoScaling_(new TGLCoordinates3(this, TVector4f{1, 1, 1, 0}, csPoint)),
      meshObjects_(new TMeshObjectList(this)),
      skeleton_(new TSkeleton(this)) {
    SetObjectStyle(ObjectStyle() + osDoesTemperWithColorsOrFaceWinding);
}

TGLBaseMesh::~TGLBaseMesh() {
    // The subtree goes first: children may still report through this object meanwhile.
    // Also drops the free notifications of both libraries, whose shared textures stay.
    BeforeDestruction();
    materialLibrary_ = lightmapLibrary_ = nullptr;
    FreeAndNil(connectivity_);
    FreeAndNil(meshObjects_);
    FreeAndNil(skeleton_);
    FreeAndNil(autoScaling_);
}

TGLFreeForm::TGLFreeForm(TComponent* owner) : TGLBaseMesh(owner) { SetUseMeshMaterials(true); }

// ---- files -----------------------------------------------------------------------------------

TVectorFile* TGLBaseMesh::CreateVectorFile(const String& fileName) {
    TVectorFileClass cls = GetVectorFileFormats()->FindFromFileName(fileName);
    auto* vectorFile = static_cast<TVectorFile*>(cls->Create(static_cast<TPersistent*>(this)));
    vectorFile->SetStoredName(fileName);
    return vectorFile;
}

void TGLBaseMesh::ReadVectorFile(TVectorFile* vectorFile, TStream* stream) {
    TGLScene* scene = Scene();
    if (scene) scene->BeginUpdate();
    try {
        vectorFile->LoadFromStream(stream);
    } catch (...) {
        if (scene) scene->EndUpdate();
        throw;
    }
    if (scene) scene->EndUpdate();
}

void TGLBaseMesh::LoadFromFile(const String& fileName) {
    lastLoadedFilename_.clear();
    if (fileName.empty()) return;
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    LoadFromStream(fileName, stream.get());
    lastLoadedFilename_ = fileName;
}

void TGLBaseMesh::LoadFromStream(const String& fileName, TStream* stream) {
    lastLoadedFilename_.clear();
    if (fileName.empty()) return;
    meshObjects_->Clear();
    skeleton_->Clear();
    std::unique_ptr<TVectorFile> vectorFile(CreateVectorFile(fileName));
    PrepareVectorFile(vectorFile.get());
    ReadVectorFile(vectorFile.get(), stream);
    lastLoadedFilename_ = fileName;
    vectorFile.reset();
    ApplyAutoScaling();
    ApplyAutoCentering();
    AfterDataLoaded();
}

void TGLBaseMesh::SaveToFile(const String& fileName) {
    if (fileName.empty()) return;
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    SaveToStream(fileName, stream.get());
}

void TGLBaseMesh::SaveToStream(const String& fileName, TStream* stream) {
    if (fileName.empty()) return;
    std::unique_ptr<TVectorFile> vectorFile(CreateVectorFile(fileName));
    PrepareVectorFile(vectorFile.get());
    vectorFile->SaveToStream(stream);
}

void TGLBaseMesh::AddDataFromFile(const String& fileName) {
    if (fileName.empty()) return;
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    AddDataFromStream(fileName, stream.get());
}

void TGLBaseMesh::AddDataFromStream(const String& fileName, TStream* stream) {
    if (fileName.empty()) return;
    std::unique_ptr<TVectorFile> vectorFile(CreateVectorFile(fileName));
    PrepareVectorFile(vectorFile.get());
    ReadVectorFile(vectorFile.get(), stream);
    vectorFile.reset();
    AfterDataLoaded();
}

void TGLBaseMesh::PrepareVectorFile(TVectorFile* vectorFile) { vectorFile->SetNormalsOrientation(normalsOrientation_); }

void TGLBaseMesh::AfterDataLoaded() { StructureChanged(); }

void TGLBaseMesh::ApplyAutoScaling() {
    const TVector4f& s = autoScaling_->AsVector();
    if (s.X == 1 && s.Y == 1 && s.Z == 1) return;
    const TAffineVector factors{s.X, s.Y, s.Z};
    for (Integer i = 0; i < meshObjects_->Count(); ++i)
        meshObjects_->GetMeshObject(i)->Vertices()->ScaleComponents(factors);
}

void TGLBaseMesh::ApplyAutoCentering() {
    TAffineVector delta{0, 0, 0};
    if (autoCentering_.Contains(macUseBarycenter)) {
        TAffineVector sum{0, 0, 0};
        Integer count = 0;
        for (Integer i = 0; i < meshObjects_->Count(); ++i)
            meshObjects_->GetMeshObject(i)->ContributeToBarycenter(sum, count);
        if (count > 0) delta = {-sum.X / count, -sum.Y / count, -sum.Z / count};
    } else {
        TAffineVector min, max;
        GetExtents(min, max);
        if (autoCentering_.Contains(macCenterX)) delta.X = -(min.X + max.X) / 2;
        if (autoCentering_.Contains(macCenterY)) delta.Y = -(min.Y + max.Y) / 2;
        if (autoCentering_.Contains(macCenterZ)) delta.Z = -(min.Z + max.Z) / 2;
    }
    meshObjects_->Translate(delta);
}

// ---- geometry --------------------------------------------------------------------------------

void TGLBaseMesh::GetExtents(TAffineVector& min, TAffineVector& max) const {
    const Single inf = std::numeric_limits<Single>::infinity();
    min = {inf, inf, inf};
    max = {-inf, -inf, -inf};
    for (Integer i = 0; i < meshObjects_->Count(); ++i) {
        TAffineVector lo, hi;
        meshObjects_->GetMeshObject(i)->GetExtents(lo, hi);
        for (int k = 0; k < 3; ++k) {
            if ((&lo.X)[k] < (&min.X)[k]) (&min.X)[k] = (&lo.X)[k];
            if ((&hi.X)[k] > (&max.X)[k]) (&max.X)[k] = (&hi.X)[k];
        }
    }
}

TVector4f TGLBaseMesh::UnscaledDimensions() const {
    if (dimensionsCache_.X < 0) {
        TAffineVector min, max;
        meshObjects_->GetExtents(min, max);
        dimensionsCache_ = {(max.X - min.X) / 2, (max.Y - min.Y) / 2, (max.Z - min.Z) / 2, 0};
    }
    return dimensionsCache_;
}

TVector4f TGLBaseMesh::Barycenter() {
    TAffineVector min, max;
    meshObjects_->GetExtents(min, max);
    return LocalToAbsolute(TVector4f{(min.X + max.X) / 2, (min.Y + max.Y) / 2, (min.Z + max.Z) / 2, 1});
}

bool TGLBaseMesh::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                               TVector4f* intersectNormal) {
    std::unique_ptr<TAffineVectorList> triangles(meshObjects_->ExtractTriangles());
    const TVector4f localStart = AbsoluteToLocal(TVector4f{rayStart.X, rayStart.Y, rayStart.Z, 1});
    const TVector4f localVector = AbsoluteToLocal(TVector4f{rayVector.X, rayVector.Y, rayVector.Z, 0});
    bool found = false;
    Extended bestDistance = 0;
    TVector4f bestPoint{}, bestNormal{};
    const TAffineVector* corner = triangles->List();
    for (Integer i = 0; i + 2 < triangles->Count(); i += 3) {
        TVector4f point, normal;
        if (!RayTriangleHit(localStart, localVector, corner[i], corner[i + 1], corner[i + 2], &point, &normal))
            continue;
        const TVector4f offset = SubtractVectors4(point, localStart);
        const Extended distance = SquaredLengthVector4xyz(offset);
        if (!found || distance < bestDistance) {
            found = true;
            bestDistance = distance;
            bestPoint = point;
            bestNormal = normal;
        }
    }
    if (!found) return false;
    if (intersectPoint) *intersectPoint = LocalToAbsolute(TVector4f{bestPoint.X, bestPoint.Y, bestPoint.Z, 1});
    if (intersectNormal) {
        TVector4f n = LocalToAbsolute(TVector4f{bestNormal.X, bestNormal.Y, bestNormal.Z, 0});
        if (normalsOrientation_ == mnoInvert) n = {-n.X, -n.Y, -n.Z, 0};
        *intersectNormal = n;
    }
    return true;
}

TGLSilhouette* TGLBaseMesh::BuildSilhouette(const TSilhouetteParameters& parameters) {
    TGLSilhouette* silhouette = nullptr;
    if (connectivity_) {
        connectivity_->CreateSilhouette(parameters, silhouette, false);
        return silhouette;
    }
    TGLBaseMeshConnectivity connectivity(this);
    connectivity.CreateSilhouette(parameters, silhouette, false);
    return silhouette;
}

// ---- libraries and notifications -------------------------------------------------------------

void TGLBaseMesh::SetMaterialLibrary(TGLMaterialLibrary* value) {
    if (value == materialLibrary_) return;
    if (materialCachePrepared_) DropMaterialCache();
    if (materialLibrary_) {
        DestroyHandle();
        materialLibrary_->RemoveFreeNotification(this);
    }
    materialLibrary_ = value;
    if (value) value->FreeNotification(this);
    if (!ComponentState().Contains(csDestroying)) StructureChanged();
}

void TGLBaseMesh::SetLightmapLibrary(TGLMaterialLibrary* value) {
    if (value == lightmapLibrary_) return;
    if (lightmapLibrary_) {
        DestroyHandle();
        lightmapLibrary_->RemoveFreeNotification(this);
    }
    lightmapLibrary_ = value;
    if (value) value->FreeNotification(this);
    if (!ComponentState().Contains(csDestroying)) StructureChanged();
}

void TGLBaseMesh::SetNormalsOrientation(TMeshNormalsOrientation value) {
    Assert(value == mnoDefault || value == mnoInvert, L"GLVectorFileObjects: unknown normals orientation");
    if (value == normalsOrientation_) return;
    normalsOrientation_ = value;
    StructureChanged();
}

void TGLBaseMesh::SetUseMeshMaterials(bool value) {
    if (value == useMeshMaterials_) return;
    useMeshMaterials_ = value;
    if (!value && materialCachePrepared_) DropMaterialCache();
    StructureChanged();
}

void TGLBaseMesh::SetOverlaySkeleton(bool value) {
    if (value == overlaySkeleton_) return;
    overlaySkeleton_ = value;
    ReportChange(this);
}

void TGLBaseMesh::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component && (component == materialLibrary_ || component == lightmapLibrary_)) {
        // As setting nil, except that the library going away is not asked to release its
        // OpenGL objects: it frees them itself and may be half destroyed already.
        if (component == materialLibrary_) {
            DropMaterialCache();
            materialLibrary_ = nullptr;
        }
        if (component == lightmapLibrary_) lightmapLibrary_ = nullptr;
        DestroyHandle();
        StructureChanged();
    }
    TGLSceneObject::Notification(component, operation);
}

void TGLBaseMesh::CoordinatesChanged(TGLCustomCoordinates* sender) {
    // The scaling applies to the next load; nothing shown changes now.
    if (sender == autoScaling_) return;
    TGLSceneObject::CoordinatesChanged(sender);
}

// ---- drawing ---------------------------------------------------------------------------------

void TGLBaseMesh::PrepareMaterialCache() {
    meshObjects_->PrepareMaterialCache(materialLibrary_);
    materialCachePrepared_ = true;
}

void TGLBaseMesh::DropMaterialCache() {
    meshObjects_->DropMaterialCache();
    materialCachePrepared_ = false;
}

void TGLBaseMesh::StructureChanged() {
    dimensionsCache_.X = -1;
    DropMaterialCache();
    meshObjects_->Prepare();
    TGLSceneObject::StructureChanged();
}

void TGLBaseMesh::DestroyHandle() {
    if (materialLibrary_) materialLibrary_->ReleaseGLObjects();
    if (lightmapLibrary_) lightmapLibrary_->ReleaseGLObjects();
    TGLSceneObject::DestroyHandle();
}

void TGLBaseMesh::PrepareBuildList(TRenderContextInfo& rci) {
    meshObjects_->PrepareBuildList(rci);
    if (lightmapLibrary_) lightmapLibrary_->Materials()->PrepareTextures();
}

void TGLBaseMesh::BuildList(TRenderContextInfo& rci) { meshObjects_->BuildList(rci); }

void TGLBaseMesh::DrawGeometry(TRenderContextInfo& rci) {
    if (ObjectStyle().Contains(osDirectDraw) || rci.amalgamating)
        BuildList(rci);
    else
        GL.glCallList(DisplayListFor(rci));
}

namespace {

// Puts the record's libraries back as they were, also when drawing fails.
struct TMeshLibrariesRestorer {
    explicit TMeshLibrariesRestorer(TRenderContextInfo& rci)
        : rci(rci), material(rci.materialLibrary), lightmap(rci.lightmapLibrary) {}
    ~TMeshLibrariesRestorer() {
        rci.materialLibrary = material;
        rci.lightmapLibrary = lightmap;
    }
    TRenderContextInfo& rci;
    TGLMaterialLibrary* material;
    TGLMaterialLibrary* lightmap;
};

// Forbids texture unit 1 to other texture coordinates while lightmaps use it.
struct TSecondUnitReservation {
    explicit TSecondUnitReservation(bool reserve) : reserved(reserve) {
        if (reserved) ForbidSecondTextureUnit();
    }
    ~TSecondUnitReservation() {
        if (reserved) AllowSecondTextureUnit();
    }
    bool reserved;
};

// Turns the front-face winding over for the meshes whose normals point inwards, and back.
struct TFrontFaceInversion {
    explicit TFrontFaceInversion(TGLStateCache* states) : states(states) {
        if (states) states->InvertFrontFace();
    }
    ~TFrontFaceInversion() {
        if (states) states->InvertFrontFace();
    }
    TGLStateCache* states;
};

}  // namespace

void TGLBaseMesh::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (renderSelf) {
        TSecondUnitReservation reservation(lightmapLibrary_ != nullptr);
        TFrontFaceInversion inversion(normalsOrientation_ == mnoInvert ? rci.GLStates : nullptr);
        if (rci.ignoreMaterials) {
            DrawGeometry(rci);
        } else {
            TMeshLibrariesRestorer restorer(rci);
            const bool direct = rci.amalgamating || ObjectStyle().Contains(osDirectDraw);
            // When the geometry is about to be built, the face groups look their materials up
            // afresh, so that no entry freed since the last build is used.
            if (useMeshMaterials_ && materialLibrary_) {
                if (!materialCachePrepared_ || direct || !HasValidDisplayList()) PrepareMaterialCache();
                rci.materialLibrary = materialLibrary_;
            } else {
                rci.materialLibrary = nullptr;
            }
            rci.lightmapLibrary = lightmapLibrary_;
            if (rci.amalgamating || (!HasValidDisplayList() && !ObjectStyle().Contains(osDirectDraw)))
                PrepareBuildList(rci);
            Material()->Apply(rci);
            try {
                do DrawGeometry(rci);
                while (Material()->Unapply(rci));
            } catch (...) {
                while (Material()->Unapply(rci)) {}
                throw;
            }
        }
    }
    if (renderChildren && GetChildCount() > 0) RenderChildren(0, GetChildCount() - 1, rci);
}

// ---- copying ---------------------------------------------------------------------------------

void TGLBaseMesh::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLBaseMesh*>(source)) {
        normalsOrientation_ = other->normalsOrientation_;
        // Through the setters, so that a freed library is forgotten here too.
        SetMaterialLibrary(other->materialLibrary_);
        SetLightmapLibrary(other->lightmapLibrary_);
        dimensionsCache_ = other->dimensionsCache_;
        useMeshMaterials_ = other->useMeshMaterials_;
        overlaySkeleton_ = other->overlaySkeleton_;
        ignoreMissingTextures_ = other->ignoreMissingTextures_;
        autoCentering_ = other->autoCentering_;
        autoScaling_->Assign(other->autoScaling_);
        skeleton_->Clear();
        skeleton_->Assign(other->skeleton_);
        meshObjects_->Assign(other->meshObjects_);
        // The copies' vertices may be posed away from the bind pose that reading them assumes:
        // the source's bind-pose meshes are taken as they are.
        for (Integer i = 0; i < meshObjects_->Count() && i < other->meshObjects_->Count(); ++i)
            if (auto* copy = dynamic_cast<TSkeletonMeshObject*>(meshObjects_->GetMeshObject(i)))
                copy->Assign(other->meshObjects_->GetMeshObject(i));
        skeleton_->RootBones()->PrepareGlobalMatrices();
    }
    TGLSceneObject::Assign(source);
}
