#pragma once
// TGLBaseMesh: the scene object that shows a model held as a list of mesh objects and a skeleton
// (GLSkeleton.h) that poses the skeletal ones. It loads and saves them through the model-file
// registry (GLVectorFileFormats.h), can re-centre and re-scale what it loads, takes the
// materials its face groups name from a material library, and draws its mesh objects inside its
// own material. TGLFreeForm is the static mesh; TGLActor (GLActor.h) the animated one.
//
//     auto* form = static_cast<TGLFreeForm*>(scene->Objects()->AddNewChild(TGLFreeForm::StaticClass()));
//     form->SetMaterialLibrary(library);
//     form->LoadFromFile(L"models\\crate.glsm");

#include "GLCustomSceneObject.h"
#include "GLVectorFileFormats.h"

class TGLBaseMeshConnectivity;
class TGLMaterialLibrary;
class TMeshObjectList;
class TSkeleton;

Z_ENUM(TMeshAutoCentering, int, macCenterX, macCenterY, macCenterZ, macUseBarycenter)
using TMeshAutoCenterings = TSet<TMeshAutoCentering>;

class TGLBaseMesh : public TGLSceneObject {
    Z_CLASS(TGLBaseMesh, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"AutoCentering", &TGLBaseMesh::AutoCentering, &TGLBaseMesh::SetAutoCentering)
            .Default(TMeshAutoCenterings{});
        p.Property(L"AutoScaling", &TGLBaseMesh::AutoScaling);
        p.Property(L"MaterialLibrary", &TGLBaseMesh::MaterialLibrary, &TGLBaseMesh::SetMaterialLibrary);
        p.Property(L"LightmapLibrary", &TGLBaseMesh::LightmapLibrary, &TGLBaseMesh::SetLightmapLibrary);
        p.Property(L"NormalsOrientation", &TGLBaseMesh::NormalsOrientation, &TGLBaseMesh::SetNormalsOrientation)
            .Default(mnoDefault);
        p.Property(L"UseMeshMaterials", &TGLBaseMesh::UseMeshMaterials, &TGLBaseMesh::SetUseMeshMaterials)
            .Default(true);
    }

public:
    explicit TGLBaseMesh(TComponent* owner);
    ~TGLBaseMesh() override;

    TMeshObjectList* MeshObjects() const { return meshObjects_; }
    TSkeleton* Skeleton() const { return skeleton_; }
    TMeshNormalsOrientation NormalsOrientation() const { return normalsOrientation_; }
    void SetNormalsOrientation(TMeshNormalsOrientation value);
    // Not owned; forgotten when the library is freed.
    TGLMaterialLibrary* MaterialLibrary() const { return materialLibrary_; }
    void SetMaterialLibrary(TGLMaterialLibrary* value);
    TGLMaterialLibrary* LightmapLibrary() const { return lightmapLibrary_; }
    void SetLightmapLibrary(TGLMaterialLibrary* value);
    bool UseMeshMaterials() const { return useMeshMaterials_; }
    void SetUseMeshMaterials(bool value);
    bool OverlaySkeleton() const { return overlaySkeleton_; }
    void SetOverlaySkeleton(bool value);
    // While true, texture files that fail to load while a model reads its materials are skipped.
    bool IgnoreMissingTextures() const { return ignoreMissingTextures_; }
    void SetIgnoreMissingTextures(bool value) { ignoreMissingTextures_ = value; }
    TMeshAutoCenterings AutoCentering() const { return autoCentering_; }
    void SetAutoCentering(TMeshAutoCenterings value) { autoCentering_ = value; }
    // Applied to what a load reads (not to data added); (1, 1, 1) leaves it alone.
    TGLCoordinates3* AutoScaling() const { return autoScaling_; }
    void SetAutoScaling(TGLCoordinates3* value) { autoScaling_->Assign(value); }
    // The name of the last file loaded, folder included; empty after a failed load.
    const String& LastLoadedFilename() const { return lastLoadedFilename_; }

    // ---- files: a name without a registered extension raises EInvalidVectorFile ----
    // Replaces the mesh objects and empties the skeleton. An empty name only forgets the last
    // file name.
    virtual void LoadFromFile(const String& fileName);
    virtual void LoadFromStream(const String& fileName, TStream* stream);
    virtual void SaveToFile(const String& fileName);
    virtual void SaveToStream(const String& fileName, TStream* stream);
    // Reads into the mesh objects and skeleton there are, without scaling or centring.
    virtual void AddDataFromFile(const String& fileName);
    virtual void AddDataFromStream(const String& fileName, TStream* stream);

    // ---- geometry ----
    // Infinite bounds for a mesh without vertices.
    void GetExtents(TAffineVector& min, TAffineVector& max) const;
    TVector4f UnscaledDimensions() const override;
    TVector4f Barycenter() override;
    // The nearest hit among the triangles of every mesh object.
    bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint = nullptr,
                      TVector4f* intersectNormal = nullptr) override;
    // The silhouette of the mesh objects' face groups; the caller owns it.
    TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters) override;

    // ---- drawing ----
    void PrepareMaterialCache();
    void DropMaterialCache();
    virtual void PrepareBuildList(TRenderContextInfo& rci);
    void BuildList(TRenderContextInfo& rci) override;
    void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
    void StructureChanged() override;
    // The display list and the OpenGL objects of both libraries' materials.
    void DestroyHandle() override;

    void Assign(TPersistent* source) override;
    void Notification(TComponent* component, TOperation operation) override;
    void CoordinatesChanged(TGLCustomCoordinates* sender) override;

protected:
    virtual void PrepareVectorFile(TVectorFile* vectorFile);
    // After every load and every addition: StructureChanged.
    virtual void AfterDataLoaded();
    virtual void ApplyAutoScaling();
    virtual void ApplyAutoCentering();

private:
    // A new reader or writer for the file's extension, owned by the caller.
    TVectorFile* CreateVectorFile(const String& fileName);
    // Runs the vector file's reading inside the scene's update bracket.
    void ReadVectorFile(TVectorFile* vectorFile, TStream* stream);
    void DrawGeometry(TRenderContextInfo& rci);

    TMeshNormalsOrientation normalsOrientation_ = mnoDefault;
    TGLMaterialLibrary* materialLibrary_ = nullptr;
    TGLMaterialLibrary* lightmapLibrary_ = nullptr;
    mutable TVector4f dimensionsCache_ = {-1, 0, 0, 0};
    bool useMeshMaterials_ = true;
    bool overlaySkeleton_ = false;
    bool ignoreMissingTextures_ = false;
    TMeshAutoCenterings autoCentering_;
    TGLCoordinates3* autoScaling_;
    bool materialCachePrepared_ = false;
    TGLBaseMeshConnectivity* connectivity_ = nullptr;
    String lastLoadedFilename_;
    TMeshObjectList* meshObjects_;
    TSkeleton* skeleton_;
};

// The static mesh.
class TGLFreeForm : public TGLBaseMesh {
    Z_CLASS(TGLFreeForm, TGLBaseMesh)
public:
    explicit TGLFreeForm(TComponent* owner);
};
