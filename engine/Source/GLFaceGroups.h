#pragma once
// Face groups: the faces of a mesh object in face-group mode. Each group names a material of
// the mesh's material library (and optionally a lightmap) and indexes into its mesh object's
// vertex, normal and texture-coordinate arrays with one primitive mode.
//
// Sections: modes · TFaceGroup · TFGVertexIndexList · TFGVertexNormalTexIndexList ·
// TFGIndexTexCoordList · TFaceGroups.

#include "PersistentObjectList.h"
#include "VectorLists.h"

class TFaceGroups;
class TGLLibMaterial;
class TGLMaterialLibrary;
class TGLVBOElementArrayHandle;
class TMeshObject;
struct TRenderContextInfo;

// ---- modes ----

// The primitive of an indexed face group; other values fail an assertion where they are used.
enum TFaceGroupMeshMode : Byte {
    fgmmTriangles,      // GL_TRIANGLES, n div 3 triangles
    fgmmTriangleStrip,  // GL_TRIANGLE_STRIP, max(n - 2, 0)
    fgmmFlatTriangles,  // GL_TRIANGLES, n div 3
    fgmmTriangleFan,    // GL_TRIANGLE_FAN, max(n - 2, 0)
    fgmmQuads           // GL_QUADS, n div 2
};

// Appends to destination the triangle corners that the indexed primitive makes of source. An
// empty source gives as many zero items as the conversion would have made, so that lists built
// from one group stay aligned; no destination or fewer than three indices give nothing. Every
// index must name an item of a non-empty source.
void ConvertToTriangles(Byte mode, const TAffineVectorList* source, TAffineVectorList* destination,
                        const TIntegerList* indices);

// ---- TFaceGroup ----

class TFaceGroup : public TPersistentObject {
    Z_CLASS(TFaceGroup, TPersistentObject)
public:
    TFaceGroup() = default;
    // A new group appended to owner (when given).
    explicit TFaceGroup(TFaceGroups* owner);
    // Leaves the owner.
    ~TFaceGroup() override;

    TFaceGroups* Owner() const { return owner_; }
    void SetOwner(TFaceGroups* value) { owner_ = value; }
    // The mesh object of the owning list; nullptr for a free-standing group.
    TMeshObject* MeshObject() const;
    const String& MaterialName() const { return materialName_; }
    void SetMaterialName(const String& value) { materialName_ = value; }
    TGLLibMaterial* MaterialCache() const { return materialCache_; }
    // -1: none.
    Integer LightMapIndex() const { return lightMapIndex_; }
    void SetLightMapIndex(Integer value) { lightMapIndex_ = value; }
    Integer RenderPass() const { return renderPass_; }
    void SetRenderPass(Integer value) { renderPass_ = value; }

    // The entry of that exact name in the library; nullptr for an empty name or no library.
    void PrepareMaterialCache(TGLMaterialLibrary* library);
    void DropMaterialCache() { materialCache_ = nullptr; }
    // Binds the group's lightmap on texture unit 1 unless the mesh object has it bound already.
    void ApplyLightmap(TRenderContextInfo& rci);

    virtual void BuildList(TRenderContextInfo& rci) = 0;
    // Appends the group's triangle corners (and texture coordinates and normals) to each list
    // given.
    virtual void AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords = nullptr,
                                TAffineVectorList* normals = nullptr) {}
    virtual Integer TriangleCount() const = 0;
    virtual void Reverse() {}
    virtual void Prepare() {}
    // Raises EReadError unless every index names an item of the mesh object's arrays; run on
    // groups read from an archive, before anything indexes with them.
    virtual void CheckIndices(const TMeshObject* meshObject) const {}

    // Version 0 without a lightmap, 1 with its index.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TFaceGroups* owner_ = nullptr;
    String materialName_;
    TGLLibMaterial* materialCache_ = nullptr;
    Integer lightMapIndex_ = -1;
    Integer renderPass_ = 0;
};

// ---- TFGVertexIndexList ----

// Indices into the mesh object's arrays, all arrays sharing them, drawn with glDrawElements.
class TFGVertexIndexList : public TFaceGroup {
    Z_CLASS(TFGVertexIndexList, TFaceGroup)
public:
    TFGVertexIndexList();
    explicit TFGVertexIndexList(TFaceGroups* owner);
    ~TFGVertexIndexList() override;

    TIntegerList* VertexIndices() const { return vertexIndices_; }
    void SetVertexIndices(const TIntegerList* list);
    Byte Mode() const { return mode_; }
    void SetMode(Byte value) { mode_ = value; }

    void Add(Integer index);
    void Reverse() override;
    void BuildList(TRenderContextInfo& rci) override;
    void AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords = nullptr,
                        TAffineVectorList* normals = nullptr) override;
    Integer TriangleCount() const override;
    void CheckIndices(const TMeshObject* meshObject) const override;

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void InvalidateIndexBuffer() { indexBufferValid_ = false; }

private:
    TIntegerList* vertexIndices_;
    TGLVBOElementArrayHandle* indexBuffer_ = nullptr;
    bool indexBufferValid_ = false;
    Byte mode_ = fgmmTriangles;
};

// ---- TFGVertexNormalTexIndexList ----

// Separate indices for vertices, normals and texture coordinates, drawn in immediate mode.
class TFGVertexNormalTexIndexList : public TFGVertexIndexList {
    Z_CLASS(TFGVertexNormalTexIndexList, TFGVertexIndexList)
public:
    TFGVertexNormalTexIndexList();
    explicit TFGVertexNormalTexIndexList(TFaceGroups* owner);
    ~TFGVertexNormalTexIndexList() override;

    TIntegerList* NormalIndices() const { return normalIndices_; }
    TIntegerList* TexCoordIndices() const { return texCoordIndices_; }

    using TFGVertexIndexList::Add;
    void Add(Integer vertexIndex, Integer normalIndex, Integer texCoordIndex);
    void BuildList(TRenderContextInfo& rci) override;
    void AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords = nullptr,
                        TAffineVectorList* normals = nullptr) override;
    void CheckIndices(const TMeshObject* meshObject) const override;

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TIntegerList* normalIndices_;
    TIntegerList* texCoordIndices_;
};

// ---- TFGIndexTexCoordList ----

// Vertex indices with texture coordinates of its own, one per index, drawn in immediate mode.
class TFGIndexTexCoordList : public TFGVertexIndexList {
    Z_CLASS(TFGIndexTexCoordList, TFGVertexIndexList)
public:
    TFGIndexTexCoordList();
    explicit TFGIndexTexCoordList(TFaceGroups* owner);
    ~TFGIndexTexCoordList() override;

    TAffineVectorList* TexCoords() const { return texCoords_; }

    using TFGVertexIndexList::Add;
    void Add(Integer index, const TAffineVector& texCoord);
    void Add(Integer index, Single s, Single t);
    void BuildList(TRenderContextInfo& rci) override;
    void AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords = nullptr,
                        TAffineVectorList* normals = nullptr) override;
    void CheckIndices(const TMeshObject* meshObject) const override;

    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

private:
    TAffineVectorList* texCoords_;
};

// ---- TFaceGroups ----

// The face groups of a mesh object, owned by the list.
class TFaceGroups : public TPersistentObjectList {
    Z_CLASS(TFaceGroups, TPersistentObjectList)
public:
    TFaceGroups() = default;
    explicit TFaceGroups(TMeshObject* owner) : owner_(owner) {}
    ~TFaceGroups() override;

    TMeshObject* Owner() const { return owner_; }
    TFaceGroup* GetFaceGroup(Integer index) const { return static_cast<TFaceGroup*>(GetItem(index)); }
    TFaceGroup* operator[](Integer index) const { return GetFaceGroup(index); }

    // Frees the groups.
    void Clear();
    void PrepareMaterialCache(TGLMaterialLibrary* library);
    void DropMaterialCache();
    void AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords = nullptr,
                        TAffineVectorList* normals = nullptr);

    // The list archive; every item must be a face group, and each gets this list as owner.
    void ReadFromArchive(TVirtualReader* reader) override;

protected:
    void ItemCreated(TObject* item) override;

private:
    TMeshObject* owner_ = nullptr;
};
