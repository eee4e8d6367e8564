#pragma once
// Mesh objects: the geometry of a mesh (TGLBaseMesh) as a list of objects that each own their
// vertex, normal, colour and texture-coordinate arrays and draw them as a triangle list, a
// triangle strip or through their face groups (GLFaceGroups.h), which index into the arrays and
// name library materials.
//
// Sections: TBaseMeshObject · TMeshObject · TMeshObjectList.
//
// A mesh object draws with OpenGL client-side vertex arrays, moved into buffer objects when the
// driver offers them; an array is uploaded again only after Prepare cleared its valid bit.
// Archives are read as untrusted data: every face-group index is checked against the array it
// names before anything uses it.

#include "PersistentObjectList.h"
#include "Sets.h"
#include "VectorLists.h"

class TFaceGroups;
class TGLBaseMesh;
class TGLMaterialLibrary;
class TGLVBOArrayBufferHandle;
class TMeshObjectList;
struct TRenderContextInfo;

// ---- TBaseMeshObject ----

// A named set of vertices and normals: the base of every mesh object and morph target.
class TBaseMeshObject : public TPersistentObject {
    Z_CLASS(TBaseMeshObject, TPersistentObject)
public:
    TBaseMeshObject();
    ~TBaseMeshObject() override;

    const String& Name() const { return name_; }
    void SetName(const String& value) { name_ = value; }
    TAffineVectorList* Vertices() const { return vertices_; }
    // Copy the given list.
    void SetVertices(const TAffineVectorList* list);
    TAffineVectorList* Normals() const { return normals_; }
    void SetNormals(const TAffineVectorList* list);
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

    // sum += the sum of the vertices; count += the vertex count.
    virtual void ContributeToBarycenter(TAffineVector& sum, Integer& count);
    virtual void Clear();
    // Adds delta to every vertex.
    virtual void Translate(const TAffineVector& delta);
    // A new list (the caller owns it) of three corners per triangle. Here: a copy of the
    // vertices when their count is a multiple of three (normals, when given, receive a copy of
    // the normals), else an empty list.
    virtual TAffineVectorList* ExtractTriangles(TAffineVectorList* texCoords = nullptr,
                                                TAffineVectorList* normals = nullptr);

    // From a TBaseMeshObject: name, vertices and normals.
    void Assign(TPersistent* source) override;
    // Version 1; versions 0 (always visible) and 1 are read.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    String name_;
    TAffineVectorList* vertices_;
    TAffineVectorList* normals_;
    bool visible_ = true;
};

// ---- TMeshObject ----

// How a mesh object's vertices make triangles.
enum TMeshObjectMode : Byte {
    momTriangles,      // every three vertices
    momTriangleStrip,  // one strip over all vertices
    momFaceGroups      // the face groups index into the arrays
};

enum TMeshObjectRenderingOption { moroGroupByMaterial };
using TMeshObjectRenderingOptions = TSet<TMeshObjectRenderingOption>;

// Whether new mesh objects may move their arrays into buffer objects.
extern bool DefaultMeshObjectsUseBufferObjects;

class TMeshObject : public TBaseMeshObject {
    Z_CLASS(TMeshObject, TBaseMeshObject)
public:
    TMeshObject();
    // A new object appended to owner.
    explicit TMeshObject(TMeshObjectList* owner);
    // Frees the buffers and the arrays and leaves the owner.
    ~TMeshObject() override;

    TMeshObjectList* Owner() const { return owner_; }
    void SetOwner(TMeshObjectList* value) { owner_ = value; }
    // s, t and a third value that drawing ignores.
    TAffineVectorList* TexCoords() const { return texCoords_; }
    void SetTexCoords(const TAffineVectorList* list);
    // s, t used.
    TAffineVectorList* LightMapTexCoords() const { return lightMapTexCoords_; }
    void SetLightMapTexCoords(const TAffineVectorList* list);
    // RGBA, one per vertex.
    TVectorList* Colors() const { return colors_; }
    void SetColors(const TVectorList* list);
    TFaceGroups* FaceGroups() const { return faceGroups_; }
    TMeshObjectMode Mode() const { return mode_; }
    void SetMode(TMeshObjectMode value) { mode_ = value; }
    TMeshObjectRenderingOptions RenderingOptions() const { return renderingOptions_; }
    void SetRenderingOptions(TMeshObjectRenderingOptions value) { renderingOptions_ = value; }
    // Texture units kept with the object for shaders that want extra vectors; nothing here uses
    // them. Negative values fail an assertion.
    Integer FirstAuxiliaryTexUnit() const { return auxiliaryTexUnits_[0]; }
    void SetFirstAuxiliaryTexUnit(Integer value);
    Integer SecondAuxiliaryTexUnit() const { return auxiliaryTexUnits_[1]; }
    void SetSecondAuxiliaryTexUnit(Integer value);
    bool UseBufferObjects() const { return useBufferObjects_; }
    void SetUseBufferObjects(bool value) { useBufferObjects_ = value; }
    // The extra texture-coordinate sets (four singles per vertex), created up to index on demand.
    TVectorList* GetExtraTexCoords(Integer index);
    Integer ExtraTexCoordsCount() const { return Integer(extraTexCoords_.size()); }

    // Copies of everything, the face groups and the extra sets included.
    void Assign(TPersistent* source) override;
    void Clear() override;
    // A new triangle list (the caller owns it): triangles and strips from the arrays, face
    // groups through their indices. texCoords and normals, when given, receive the matching
    // lists.
    TAffineVectorList* ExtractTriangles(TAffineVectorList* texCoords = nullptr,
                                        TAffineVectorList* normals = nullptr) override;
    virtual Integer TriangleCount() const;
    virtual void GetExtents(TAffineVector& min, TAffineVector& max);
    // Inside the box of GetExtents, bounds included.
    virtual bool PointInObject(const TAffineVector& point);
    // Every array is uploaded again on the next draw; the face groups prepare themselves.
    virtual void Prepare();

    void PrepareMaterialCache(TGLMaterialLibrary* library);
    void DropMaterialCache();
    // Mode face groups with a material library: the groups' materials prepare their textures.
    virtual void PrepareBuildList(TRenderContextInfo& rci);
    // Draws the object; needs a current context.
    virtual void BuildList(TRenderContextInfo& rci);

    // Hands the arrays to OpenGL (again, or when not yet done). Arrays shorter than the vertex
    // list are not handed over: drawing by index would read past their ends.
    void DeclareArrays(TRenderContextInfo& rci, bool again = false);
    void DisableArrays(TRenderContextInfo& rci);
    // Texturing on unit 1 for lightmaps; enabling needs declared arrays.
    void EnableLightmaps();
    void DisableLightmaps();
    bool ArraysDeclared() const { return arraysDeclared_; }
    Integer CurrentLightmapIndex() const { return currentLightmapIndex_; }
    void SetCurrentLightmapIndex(Integer value) { currentLightmapIndex_ = value; }

    // Version 3; versions 0 to 3 are read.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    // Buffer-valid bits.
    enum : Byte {
        kVerticesValid = 1,
        kNormalsValid = 2,
        kColorsValid = 4,
        kTexCoordsValid = 8,
        kLightmapValid = 16,
        kExtraValid = 32
    };
    Byte validBuffers_ = 0;

private:
    void DeclareTexCoordPointer(TRenderContextInfo& rci);
    void BuildFaceGroups(TRenderContextInfo& rci);
    void BuildImmediate(TRenderContextInfo& rci);
    // Raises EReadError unless every face-group index names an item of its array.
    void CheckFaceGroupIndices() const;
    void FreeBuffers();

    TMeshObjectList* owner_ = nullptr;
    TAffineVectorList* texCoords_;
    TAffineVectorList* lightMapTexCoords_;
    TVectorList* colors_;
    TFaceGroups* faceGroups_;
    TMeshObjectMode mode_ = momTriangles;
    TMeshObjectRenderingOptions renderingOptions_;
    bool arraysDeclared_ = false;
    bool arraysLocked_ = false;
    bool lightmapArrayEnabled_ = false;
    Byte declaredExtraUnits_ = 0;  // bit k: client unit k took an extra set
    bool lightmapsEnabled_ = false;
    Integer currentLightmapIndex_ = -1;
    std::vector<TVectorList*> extraTexCoords_;
    Integer auxiliaryTexUnits_[2] = {2, 1};
    Integer mappingStamp_ = 0;
    bool useBufferObjects_;
    TGLVBOArrayBufferHandle* vertexBuffer_ = nullptr;
    TGLVBOArrayBufferHandle* normalBuffer_ = nullptr;
    TGLVBOArrayBufferHandle* colorBuffer_ = nullptr;
    TGLVBOArrayBufferHandle* texCoordBuffer_ = nullptr;
    TGLVBOArrayBufferHandle* lightmapBuffer_ = nullptr;
    std::vector<TGLVBOArrayBufferHandle*> extraBuffers_;
};

// ---- TMeshObjectList ----

// The mesh objects of a mesh, owned by the list.
class TMeshObjectList : public TPersistentObjectList {
    Z_CLASS(TMeshObjectList, TPersistentObjectList)
public:
    TMeshObjectList() = default;
    explicit TMeshObjectList(TGLBaseMesh* owner) : owner_(owner) {}
    ~TMeshObjectList() override;

    TGLBaseMesh* Owner() const { return owner_; }
    // Without range check.
    TMeshObject* GetMeshObject(Integer index) const { return static_cast<TMeshObject*>(GetItem(index)); }
    TMeshObject* operator[](Integer index) const { return GetMeshObject(index); }

    // Drops the material caches and frees the mesh objects.
    void Clear();

    void PrepareMaterialCache(TGLMaterialLibrary* library);
    void DropMaterialCache();
    // On every visible object.
    virtual void PrepareBuildList(TRenderContextInfo& rci);
    virtual void BuildList(TRenderContextInfo& rci);

    // Merged per axis over every object, hidden ones included, from min (1e30, 1e30, 1e30) and
    // max (-1e30, -1e30, -1e30).
    void GetExtents(TAffineVector& min, TAffineVector& max);
    void Translate(const TAffineVector& delta);
    void Prepare();
    // Every object's triangles (and texture coordinates and normals when asked), in order; the
    // caller owns the result.
    TAffineVectorList* ExtractTriangles(TAffineVectorList* texCoords = nullptr, TAffineVectorList* normals = nullptr);
    Integer TriangleCount() const;

    // ---- morph targets (GLMorphableMeshObject.h): on every morphable object ----
    void MorphTo(Integer index);
    void Lerp(Integer index1, Integer index2, Single t);
    // The fewest targets a morphable object has; 0 without morphable objects.
    Integer MorphTargetCount() const;

    // The list archive; every item must be a mesh object, and each gets this list as owner.
    // The skeletal ones then take their bind pose from the mesh's skeleton.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void ItemCreated(TObject* item) override;

private:
    TGLBaseMesh* owner_ = nullptr;
};
