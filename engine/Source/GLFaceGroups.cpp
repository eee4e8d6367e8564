// Face groups: conversion to triangles, drawing, index checks and archives.
//
// Sections: conversion · TFaceGroup · TFGVertexIndexList · TFGVertexNormalTexIndexList ·
// TFGIndexTexCoordList · TFaceGroups.

#include "GLFaceGroups.h"

#include "GLContext.h"
#include "GLMaterial.h"
#include "GLMeshObject.h"
#include "GLRenderContextInfo.h"
#include "GLTexture.h"
#include "GLTextureImage.h"
#include "MeshUtils.h"
#include "SysUtils.h"
#include "XOpenGL.h"

// ---- conversion ------------------------------------------------------------------------------

namespace {

// The OpenGL primitive of an indexed face-group mode; other modes fail the assertion.
GLenum FaceGroupPrimitive(Byte mode) {
    switch (mode) {
        case fgmmTriangles:
        case fgmmFlatTriangles:
            return GL_TRIANGLES;
        case fgmmTriangleStrip:
            return GL_TRIANGLE_STRIP;
        case fgmmTriangleFan:
            return GL_TRIANGLE_FAN;
        case fgmmQuads:
            return GL_QUADS;
        default:
            Assert(false, L"GLVectorFileObjects: unknown face group mode");
            return GL_TRIANGLES;
    }
}

// Raises EReadError when an index of the list lies outside 0 .. count - 1.
void CheckIndexRange(const TIntegerList* indices, Integer count, const wchar_t* what) {
    for (Integer i = 0; i < indices->Count(); ++i) {
        Integer index = (*indices)[i];
        if (index < 0 || index >= count)
            throw EReadError(String(L"Face group ") + what + L" index " + IntToStr(index) + L" beyond its array");
    }
}

// The indices 0 .. n - 1, for converting a list that is used in its own order.
void FillIdentityIndices(TIntegerList& indices, Integer n) {
    indices.SetCount(n);
    for (Integer i = 0; i < n; ++i) indices[i] = i;
}

}  // namespace

void ConvertToTriangles(Byte mode, const TAffineVectorList* source, TAffineVectorList* destination,
                        const TIntegerList* indices) {
    const Integer n = indices->Count();
    if (!destination || n <= 2) return;
    const Integer* index = indices->List();
    if (source->Count() == 0) {
        // As many zero corners as the conversion makes, so parallel lists stay aligned.
        switch (mode) {
            case fgmmTriangles:
            case fgmmFlatTriangles:
                destination->AppendZeroed((n / 3) * 3);
                return;
            case fgmmTriangleStrip:
            case fgmmTriangleFan:
                destination->AppendZeroed(3 * n - 6);
                return;
            case fgmmQuads:
                destination->AppendZeroed((n / 4) * 6);
                return;
            default:
                Assert(false, L"GLVectorFileObjects: unknown face group mode");
                return;
        }
    }
    const TAffineVector* v = source->List();
    switch (mode) {
        case fgmmTriangles:
        case fgmmFlatTriangles: {
            const Integer corners = (n / 3) * 3;
            destination->ReserveCapacity(destination->Count() + corners);
            for (Integer k = 0; k < corners; ++k) destination->Add(v[index[k]]);
            break;
        }
        case fgmmTriangleStrip:
            ConvertIndexedStripToList(source, indices, destination);
            break;
        case fgmmTriangleFan:
            destination->ReserveCapacity(destination->Count() + 3 * n - 6);
            for (Integer k = 2; k < n; ++k) destination->AddThree(v[index[0]], v[index[k - 1]], v[index[k]]);
            break;
        case fgmmQuads:
            destination->ReserveCapacity(destination->Count() + (n / 4) * 6);
            for (Integer k = 0; k + 3 < n; k += 4) {
                destination->AddThree(v[index[k]], v[index[k + 1]], v[index[k + 2]]);
                destination->AddThree(v[index[k]], v[index[k + 2]], v[index[k + 3]]);
            }
            break;
        default:
            Assert(false, L"GLVectorFileObjects: unknown face group mode");
    }
}

// ---- TFaceGroup ------------------------------------------------------------------------------

TFaceGroup::TFaceGroup(TFaceGroups* owner) : owner_(owner) {
    if (owner) owner->Add(this);
}

TFaceGroup::~TFaceGroup() {
    if (owner_) owner_->Remove(this);
}

TMeshObject* TFaceGroup::MeshObject() const { return owner_ ? owner_->Owner() : nullptr; }

void TFaceGroup::PrepareMaterialCache(TGLMaterialLibrary* library) {
    materialCache_ = library && !materialName_.empty() ? library->Materials()->FindByName(materialName_) : nullptr;
}

void TFaceGroup::ApplyLightmap(TRenderContextInfo& rci) {
    TMeshObject* meshObject = MeshObject();
    if (!GL.GL_ARB_multitexture || rci.ignoreMaterials || !rci.lightmapLibrary || !meshObject) return;
    if (meshObject->CurrentLightmapIndex() == lightMapIndex_) return;
    meshObject->SetCurrentLightmapIndex(lightMapIndex_);
    if (lightMapIndex_ < 0) {
        meshObject->DisableLightmaps();
        return;
    }
    TGLLibMaterials* materials = rci.lightmapLibrary->Materials();
    Assert(lightMapIndex_ < materials->Count(), L"GLVectorFileObjects: lightmap index beyond the library");
    TGLTexture* texture = materials->ItemAt(lightMapIndex_)->Material()->Texture();
    Assert(texture->Image()->ClassType()->TextureTarget() == GL_TEXTURE_2D,
           L"GLVectorFileObjects: a lightmap must be a 2D texture");
    GL.glActiveTextureARB(GL_TEXTURE1_ARB);
    GL.glBindTexture(GL_TEXTURE_2D, texture->EnsureUploaded());
    GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    meshObject->EnableLightmaps();
}

void TFaceGroup::WriteToArchive(TVirtualWriter* writer) {
    TPersistentObject::WriteToArchive(writer);
    if (lightMapIndex_ < 0) {
        writer->WriteInteger(0);
        writer->WriteString(StringToAnsi(materialName_));
    } else {
        writer->WriteInteger(1);
        writer->WriteString(StringToAnsi(materialName_));
        writer->WriteInteger(lightMapIndex_);
    }
}

void TFaceGroup::ReadFromArchive(TVirtualReader* reader) {
    TPersistentObject::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0 && version != 1) RaiseArchiveVersionError(version);
    materialName_ = AnsiToString(reader->ReadString());
    lightMapIndex_ = version == 1 ? reader->ReadInteger() : -1;
}

// ---- TFGVertexIndexList ----------------------------------------------------------------------

TFGVertexIndexList::TFGVertexIndexList() : vertexIndices_(new TIntegerList) {}

TFGVertexIndexList::TFGVertexIndexList(TFaceGroups* owner) : TFaceGroup(owner), vertexIndices_(new TIntegerList) {}

TFGVertexIndexList::~TFGVertexIndexList() {
    FreeAndNil(indexBuffer_);
    delete vertexIndices_;
}

void TFGVertexIndexList::SetVertexIndices(const TIntegerList* list) {
    vertexIndices_->Assign(const_cast<TIntegerList*>(list));
    indexBufferValid_ = false;
}

void TFGVertexIndexList::Add(Integer index) {
    vertexIndices_->Add(index);
    indexBufferValid_ = false;
}

void TFGVertexIndexList::Reverse() {
    vertexIndices_->Reverse();
    indexBufferValid_ = false;
}

Integer TFGVertexIndexList::TriangleCount() const {
    const Integer n = vertexIndices_->Count();
    switch (mode_) {
        case fgmmTriangles:
        case fgmmFlatTriangles:
            return n / 3;
        case fgmmTriangleStrip:
        case fgmmTriangleFan:
            return n > 2 ? n - 2 : 0;
        case fgmmQuads:
            return n / 2;
        default:
            Assert(false, L"GLVectorFileObjects: unknown face group mode");
            return 0;
    }
}

void TFGVertexIndexList::BuildList(TRenderContextInfo& rci) {
    const Integer n = vertexIndices_->Count();
    TMeshObject* meshObject = MeshObject();
    if (n == 0 || !meshObject) return;
    const GLenum primitive = FaceGroupPrimitive(mode_);
    meshObject->DeclareArrays(rci);
    ApplyLightmap(rci);
    if (meshObject->UseBufferObjects()) {
        const GLsizeiptrARB bytes = GLsizeiptrARB(n) * GLsizeiptrARB(sizeof(Integer));
        if (!indexBuffer_) {
            indexBuffer_ = TGLBufferObjectHandle::CreateWithData<TGLVBOElementArrayHandle>(vertexIndices_->List(),
                                                                                           bytes, GL_STATIC_DRAW_ARB);
        } else if (!indexBufferValid_) {
            indexBuffer_->BindAndUpload(vertexIndices_->List(), bytes, GL_STATIC_DRAW_ARB);
        }
        indexBufferValid_ = true;
        indexBuffer_->Bind();
        GL.glDrawElements(primitive, n, GL_UNSIGNED_INT, nullptr);
        indexBuffer_->Unbind();
    } else {
        GL.glDrawElements(primitive, n, GL_UNSIGNED_INT, vertexIndices_->List());
    }
}

void TFGVertexIndexList::AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords,
                                        TAffineVectorList* normals) {
    TMeshObject* meshObject = MeshObject();
    if (!meshObject) return;
    ConvertToTriangles(mode_, meshObject->Vertices(), vertices, vertexIndices_);
    ConvertToTriangles(mode_, meshObject->TexCoords(), texCoords, vertexIndices_);
    ConvertToTriangles(mode_, meshObject->Normals(), normals, vertexIndices_);
}

void TFGVertexIndexList::CheckIndices(const TMeshObject* meshObject) const {
    // Every array is read through the vertex indices, when drawn and when triangles are taken.
    CheckIndexRange(vertexIndices_, meshObject->Vertices()->Count(), L"vertex");
    if (meshObject->TexCoords()->Count() > 0)
        CheckIndexRange(vertexIndices_, meshObject->TexCoords()->Count(), L"vertex");
    if (meshObject->Normals()->Count() > 0) CheckIndexRange(vertexIndices_, meshObject->Normals()->Count(), L"vertex");
}

void TFGVertexIndexList::WriteToArchive(TVirtualWriter* writer) {
    TFaceGroup::WriteToArchive(writer);
    writer->WriteInteger(0);
    vertexIndices_->WriteToArchive(writer);
    writer->WriteInteger(mode_);
}

void TFGVertexIndexList::ReadFromArchive(TVirtualReader* reader) {
    TFaceGroup::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    vertexIndices_->ReadFromArchive(reader);
    Integer mode = reader->ReadInteger();
    // Refused here rather than failing at every later use.
    if (mode < fgmmTriangles || mode > fgmmQuads) throw EReadError(ClassName() + L", unknown mode " + IntToStr(mode));
    mode_ = Byte(mode);
    indexBufferValid_ = false;
}

// ---- TFGVertexNormalTexIndexList -------------------------------------------------------------

TFGVertexNormalTexIndexList::TFGVertexNormalTexIndexList()
    : normalIndices_(new TIntegerList), texCoordIndices_(new TIntegerList) {}

TFGVertexNormalTexIndexList::TFGVertexNormalTexIndexList(TFaceGroups* owner)
    : TFGVertexIndexList(owner), normalIndices_(new TIntegerList), texCoordIndices_(new TIntegerList) {}

TFGVertexNormalTexIndexList::~TFGVertexNormalTexIndexList() {
    delete texCoordIndices_;
    delete normalIndices_;
}

void TFGVertexNormalTexIndexList::Add(Integer vertexIndex, Integer normalIndex, Integer texCoordIndex) {
    TFGVertexIndexList::Add(vertexIndex);
    normalIndices_->Add(normalIndex);
    texCoordIndices_->Add(texCoordIndex);
}

void TFGVertexNormalTexIndexList::BuildList(TRenderContextInfo&) {
    TMeshObject* meshObject = MeshObject();
    const Integer n = VertexIndices()->Count();
    if (!meshObject) return;
    Assert(normalIndices_->Count() == 0 || normalIndices_->Count() >= n,
           L"GLVectorFileObjects: fewer normal indices than vertex indices");
    Assert(texCoordIndices_->Count() == 0 || texCoordIndices_->Count() >= n,
           L"GLVectorFileObjects: fewer texture indices than vertex indices");
    GLenum primitive = GL_TRIANGLES;
    switch (Mode()) {
        case fgmmTriangles:
        case fgmmFlatTriangles:
            primitive = GL_TRIANGLES;
            break;
        case fgmmTriangleStrip:
            primitive = GL_TRIANGLE_STRIP;
            break;
        case fgmmTriangleFan:
            primitive = GL_TRIANGLE_FAN;
            break;
        default:
            Assert(false, L"GLVectorFileObjects: unknown face group mode");
    }
    const TAffineVectorList* vertices = meshObject->Vertices();
    const TAffineVectorList* normals = meshObject->Normals();
    const TAffineVectorList* texCoords = meshObject->TexCoords();
    const Integer* vertexIndex = VertexIndices()->List();
    GL.glBegin(primitive);
    for (Integer k = 0; k < n; ++k) {
        // An index without an item sends nothing for that attribute: the mesh may have no
        // normals or texture coordinates at all.
        Integer normal = normalIndices_->Count() ? (*normalIndices_)[k] : vertexIndex[k];
        if (normal >= 0 && normal < normals->Count()) GL.glNormal3fv(&(*normals)[normal].X);
        if (texCoords->Count() > 0) {
            Integer tex = texCoordIndices_->Count() ? (*texCoordIndices_)[k] : vertexIndex[k];
            if (tex >= 0 && tex < texCoords->Count()) MappedTexCoord2fv(&(*texCoords)[tex].X);
        }
        GL.glVertex3fv(&(*vertices)[vertexIndex[k]].X);
    }
    GL.glEnd();
}

void TFGVertexNormalTexIndexList::AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords,
                                                 TAffineVectorList* normals) {
    TMeshObject* meshObject = MeshObject();
    if (!meshObject) return;
    ConvertToTriangles(Mode(), meshObject->Vertices(), vertices, VertexIndices());
    ConvertToTriangles(Mode(), meshObject->TexCoords(), texCoords, texCoordIndices_);
    ConvertToTriangles(Mode(), meshObject->Normals(), normals, normalIndices_);
}

void TFGVertexNormalTexIndexList::CheckIndices(const TMeshObject* meshObject) const {
    CheckIndexRange(VertexIndices(), meshObject->Vertices()->Count(), L"vertex");
    if (meshObject->Normals()->Count() > 0) CheckIndexRange(normalIndices_, meshObject->Normals()->Count(), L"normal");
    if (meshObject->TexCoords()->Count() > 0)
        CheckIndexRange(texCoordIndices_, meshObject->TexCoords()->Count(), L"texture");
}

void TFGVertexNormalTexIndexList::WriteToArchive(TVirtualWriter* writer) {
    TFGVertexIndexList::WriteToArchive(writer);
    writer->WriteInteger(0);
    normalIndices_->WriteToArchive(writer);
    texCoordIndices_->WriteToArchive(writer);
}

void TFGVertexNormalTexIndexList::ReadFromArchive(TVirtualReader* reader) {
    TFGVertexIndexList::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    normalIndices_->ReadFromArchive(reader);
    texCoordIndices_->ReadFromArchive(reader);
}

// ---- TFGIndexTexCoordList --------------------------------------------------------------------

TFGIndexTexCoordList::TFGIndexTexCoordList() : texCoords_(new TAffineVectorList) {}

TFGIndexTexCoordList::TFGIndexTexCoordList(TFaceGroups* owner)
    : TFGVertexIndexList(owner), texCoords_(new TAffineVectorList) {}

TFGIndexTexCoordList::~TFGIndexTexCoordList() { delete texCoords_; }

void TFGIndexTexCoordList::Add(Integer index, const TAffineVector& texCoord) {
    TFGVertexIndexList::Add(index);
    texCoords_->Add(texCoord);
}

void TFGIndexTexCoordList::Add(Integer index, Single s, Single t) { Add(index, TAffineVector{s, t, 0}); }

void TFGIndexTexCoordList::BuildList(TRenderContextInfo&) {
    TMeshObject* meshObject = MeshObject();
    const Integer n = VertexIndices()->Count();
    if (!meshObject) return;
    Assert(n == texCoords_->Count(), L"GLVectorFileObjects: one texture coordinate per index expected");
    const GLenum primitive = FaceGroupPrimitive(Mode());
    const TAffineVectorList* vertices = meshObject->Vertices();
    const TAffineVectorList* normals = meshObject->Normals();
    const TVectorList* colors = meshObject->Colors();
    const bool withColors = colors->Count() == vertices->Count();
    const bool withNormals = normals->Count() == vertices->Count();
    const Integer* index = VertexIndices()->List();
    GL.glBegin(primitive);
    for (Integer k = 0; k < n; ++k) {
        MappedTexCoord2fv(&(*texCoords_)[k].X);
        if (withColors) GL.glColor4fv(&(*colors)[index[k]].X);
        if (withNormals) GL.glNormal3fv(&(*normals)[index[k]].X);
        GL.glVertex3fv(&(*vertices)[index[k]].X);
    }
    GL.glEnd();
    RaiseGLErrorIfAny();
}

void TFGIndexTexCoordList::AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords,
                                          TAffineVectorList* normals) {
    TMeshObject* meshObject = MeshObject();
    if (!meshObject) return;
    ConvertToTriangles(Mode(), meshObject->Vertices(), vertices, VertexIndices());
    ConvertToTriangles(Mode(), meshObject->Normals(), normals, VertexIndices());
    if (texCoords) {
        Assert(Mode() != fgmmQuads, L"GLVectorFileObjects: quads give no texture-coordinate triangles");
        // The group's own coordinates, in their own order.
        TIntegerList order;
        FillIdentityIndices(order, texCoords_->Count());
        ConvertToTriangles(Mode(), texCoords_, texCoords, &order);
    }
}

void TFGIndexTexCoordList::CheckIndices(const TMeshObject* meshObject) const {
    CheckIndexRange(VertexIndices(), meshObject->Vertices()->Count(), L"vertex");
    if (meshObject->Normals()->Count() > 0) CheckIndexRange(VertexIndices(), meshObject->Normals()->Count(), L"vertex");
    if (texCoords_->Count() != VertexIndices()->Count())
        throw EReadError(ClassName() + L", one texture coordinate per index expected");
}

void TFGIndexTexCoordList::WriteToArchive(TVirtualWriter* writer) {
    TFGVertexIndexList::WriteToArchive(writer);
    writer->WriteInteger(0);
    texCoords_->WriteToArchive(writer);
}

void TFGIndexTexCoordList::ReadFromArchive(TVirtualReader* reader) {
    TFGVertexIndexList::ReadFromArchive(reader);
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    texCoords_->ReadFromArchive(reader);
}

// ---- TFaceGroups -----------------------------------------------------------------------------

TFaceGroups::~TFaceGroups() { Clear(); }

void TFaceGroups::Clear() {
    for (Integer i = Count() - 1; i >= 0; --i) {
        TFaceGroup* group = GetFaceGroup(i);
        if (!group) continue;
        group->SetOwner(nullptr);
        FreeObject(group);
    }
    TPersistentObjectList::Clear();
}

void TFaceGroups::PrepareMaterialCache(TGLMaterialLibrary* library) {
    for (Integer i = 0; i < Count(); ++i) GetFaceGroup(i)->PrepareMaterialCache(library);
}

void TFaceGroups::DropMaterialCache() {
    for (Integer i = 0; i < Count(); ++i) GetFaceGroup(i)->DropMaterialCache();
}

void TFaceGroups::AddToTriangles(TAffineVectorList* vertices, TAffineVectorList* texCoords,
                                 TAffineVectorList* normals) {
    for (Integer i = 0; i < Count(); ++i) GetFaceGroup(i)->AddToTriangles(vertices, texCoords, normals);
}

void TFaceGroups::ItemCreated(TObject* item) {
    auto* group = dynamic_cast<TFaceGroup*>(item);
    if (!group) throw EReadError(item->ClassName() + L" is not a face group class");
    group->SetOwner(this);
}

void TFaceGroups::ReadFromArchive(TVirtualReader* reader) {
    Clear();
    ReadListWithoutEmptyEntries(this, reader, L"face group");
}
