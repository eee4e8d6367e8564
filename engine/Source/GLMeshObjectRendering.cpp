// Drawing of mesh objects: the vertex arrays handed to OpenGL (from client memory or buffer
// objects), lightmap texturing, and BuildList for triangles, strips and face groups.
//
// Sections: helpers · arrays · lightmaps · BuildList.

#include "GLContext.h"
#include "GLFaceGroups.h"
#include "GLMaterial.h"
#include "GLMeshObject.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "XOpenGL.h"

// ---- helpers ---------------------------------------------------------------------------------

namespace {

// Each group-by-material draw marks the groups it drew with a number of its own.
Integer gMeshObjectRenderPass = 0;

// The texture-coordinate mapping in force, as one number: the mode, and the units for a list.
Integer CurrentMappingStamp() {
    TMapTexCoordMode mode = CurrentTexCoordMapping();
    return mode == mtcmArbitrary ? Integer(TexCoordUnitsMask()) << 8 | mode : Integer(mode);
}

// The array's address for OpenGL: offset 0 of its buffer (uploaded when its valid bit is clear)
// or the list's own memory.
const void* ArraySource(bool useBuffers, TGLVBOArrayBufferHandle*& buffer, TBaseList* list, Byte& valid, Byte bit) {
    if (!useBuffers) return list->BaseList();
    if (!buffer) {
        buffer = new TGLVBOArrayBufferHandle();
        buffer->Allocate();
    }
    buffer->Bind();
    if (!(valid & bit)) {
        buffer->UploadData(list->BaseList(), GLsizeiptrARB(list->Count()) * list->ItemSize(), GL_DYNAMIC_DRAW_ARB);
        valid |= bit;
    }
    return nullptr;
}

// Draws under the entry's material (nothing applied without one), once per pass it asks for;
// on failure the passes are abandoned and OpenGL is left as the material found it.
template <class F>
void DrawUnderLibMaterial(TGLLibMaterial* material, TRenderContextInfo& rci, F draw) {
    if (!material) {
        draw();
        return;
    }
    material->Apply(rci);
    try {
        do draw();
        while (material->Unapply(rci));
    } catch (...) {
        while (material->Unapply(rci)) {}
        throw;
    }
}

}  // namespace

// ---- arrays ----------------------------------------------------------------------------------

void TMeshObject::DeclareArrays(TRenderContextInfo& rci, bool again) {
    const bool withMaterials = !rci.ignoreMaterials;
    const Integer vertexCount = Vertices()->Count();
    // Only arrays that cover every vertex: glDrawElements reads each enabled array at each index.
    auto covers = [vertexCount](const TBaseList* list) { return list->Count() > 0 && list->Count() >= vertexCount; };
    if (arraysDeclared_ && !again) {
        // A material between two face groups may have moved the coordinates to other units.
        if (withMaterials && rci.drawState != dsPicking && covers(texCoords_) && mappingStamp_ != CurrentMappingStamp())
            DeclareTexCoordPointer(rci);
        return;
    }
    GLint compiling = 0;
    GL.glGetIntegerv(GL_LIST_INDEX, &compiling);
    // Kept: an object first drawn into a display list never uses buffers afterwards.
    useBufferObjects_ = useBufferObjects_ && GL.GL_ARB_vertex_buffer_object && compiling == 0;
    const bool useBuffers = useBufferObjects_;

    if (vertexCount > 0) {
        GL.glVertexPointer(3, GL_FLOAT, 0,
                           ArraySource(useBuffers, vertexBuffer_, Vertices(), validBuffers_, kVerticesValid));
        GL.glEnableClientState(GL_VERTEX_ARRAY);
    } else {
        GL.glDisableClientState(GL_VERTEX_ARRAY);
    }
    lightmapArrayEnabled_ = false;
    declaredExtraUnits_ = 0;
    if (!withMaterials) {
        GL.glDisableClientState(GL_NORMAL_ARRAY);
        GL.glDisableClientState(GL_COLOR_ARRAY);
        MappedDisableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        if (covers(Normals())) {
            GL.glNormalPointer(GL_FLOAT, 0,
                               ArraySource(useBuffers, normalBuffer_, Normals(), validBuffers_, kNormalsValid));
            GL.glEnableClientState(GL_NORMAL_ARRAY);
        } else {
            GL.glDisableClientState(GL_NORMAL_ARRAY);
        }
        if (covers(colors_)) {
            GL.glColorPointer(4, GL_FLOAT, 0,
                              ArraySource(useBuffers, colorBuffer_, colors_, validBuffers_, kColorsValid));
            GL.glEnableClientState(GL_COLOR_ARRAY);
        } else {
            GL.glDisableClientState(GL_COLOR_ARRAY);
        }
        if (covers(texCoords_)) {
            DeclareTexCoordPointer(rci);
        } else {
            MappedDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
        if (GL.GL_ARB_multitexture) {
            if (covers(lightMapTexCoords_)) {
                GL.glClientActiveTextureARB(GL_TEXTURE1_ARB);
                GL.glTexCoordPointer(
                    2, GL_FLOAT, 12,
                    ArraySource(useBuffers, lightmapBuffer_, lightMapTexCoords_, validBuffers_, kLightmapValid));
                GL.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                lightmapArrayEnabled_ = true;
            }
            extraBuffers_.resize(extraTexCoords_.size(), nullptr);
            for (size_t i = 0; i < extraTexCoords_.size() && i < 8; ++i) {
                if (!covers(extraTexCoords_[i])) continue;
                GL.glClientActiveTextureARB(GLenum(GL_TEXTURE0_ARB + i));
                // The extra sets share one valid bit: all of them are uploaded together.
                Byte valid = validBuffers_;
                GL.glTexCoordPointer(4, GL_FLOAT, 16,
                                     ArraySource(useBuffers, extraBuffers_[i], extraTexCoords_[i], valid, kExtraValid));
                GL.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                declaredExtraUnits_ |= Byte(1u << i);
            }
            if (declaredExtraUnits_) validBuffers_ |= kExtraValid;
            GL.glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
    }
    if (useBuffers) {
        GL.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        RaiseGLErrorIfAny();
    }
    arraysLocked_ =
        GL.GL_EXT_compiled_vertex_array && lightMapTexCoords_->Count() == 0 && !useBuffers && vertexCount > 0;
    if (arraysLocked_) GL.glLockArraysEXT(0, vertexCount);
    currentLightmapIndex_ = -1;
    arraysDeclared_ = true;
    lightmapsEnabled_ = false;
    if (rci.drawState != dsPicking) mappingStamp_ = CurrentMappingStamp();
}

void TMeshObject::DeclareTexCoordPointer(TRenderContextInfo& rci) {
    const void* source = ArraySource(useBufferObjects_, texCoordBuffer_, texCoords_, validBuffers_, kTexCoordsValid);
    MappedTexCoordPointer(2, GL_FLOAT, 12, source);
    MappedEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (useBufferObjects_) GL.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    if (rci.drawState != dsPicking) mappingStamp_ = CurrentMappingStamp();
}

void TMeshObject::DisableArrays(TRenderContextInfo& rci) {
    if (!arraysDeclared_) return;
    DisableLightmaps();
    if (arraysLocked_) GL.glUnlockArraysEXT();
    arraysLocked_ = false;
    GL.glDisableClientState(GL_VERTEX_ARRAY);
    if (!rci.ignoreMaterials) {
        GL.glDisableClientState(GL_NORMAL_ARRAY);
        GL.glDisableClientState(GL_COLOR_ARRAY);
        MappedDisableClientState(GL_TEXTURE_COORD_ARRAY);
        if (GL.GL_ARB_multitexture && (lightmapArrayEnabled_ || declaredExtraUnits_)) {
            if (lightmapArrayEnabled_) {
                GL.glClientActiveTextureARB(GL_TEXTURE1_ARB);
                GL.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
            for (unsigned i = 0; i < 8; ++i) {
                if (!(declaredExtraUnits_ & (1u << i))) continue;
                GL.glClientActiveTextureARB(GL_TEXTURE0_ARB + i);
                GL.glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            }
            GL.glClientActiveTextureARB(GL_TEXTURE0_ARB);
        }
    }
    if (useBufferObjects_) GL.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    lightmapArrayEnabled_ = false;
    declaredExtraUnits_ = 0;
    arraysDeclared_ = false;
}

// ---- lightmaps -------------------------------------------------------------------------------

void TMeshObject::EnableLightmaps() {
    Assert(arraysDeclared_, L"GLVectorFileObjects: arrays must be declared before lightmaps");
    if (lightmapsEnabled_ || !GL.GL_ARB_multitexture) return;
    GL.glActiveTextureARB(GL_TEXTURE1_ARB);
    GL.glEnable(GL_TEXTURE_2D);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    lightmapsEnabled_ = true;
}

void TMeshObject::DisableLightmaps() {
    if (!lightmapsEnabled_ || !GL.GL_ARB_multitexture) return;
    GL.glActiveTextureARB(GL_TEXTURE1_ARB);
    GL.glDisable(GL_TEXTURE_2D);
    GL.glActiveTextureARB(GL_TEXTURE0_ARB);
    lightmapsEnabled_ = false;
}

// ---- BuildList -------------------------------------------------------------------------------

void TMeshObject::PrepareBuildList(TRenderContextInfo& rci) {
    if (mode_ != momFaceGroups || !rci.materialLibrary) return;
    for (Integer i = 0; i < faceGroups_->Count(); ++i)
        if (TGLLibMaterial* material = faceGroups_->GetFaceGroup(i)->MaterialCache()) material->PrepareTexture();
}

void TMeshObject::BuildList(TRenderContextInfo& rci) {
    arraysDeclared_ = false;
    mappingStamp_ = 0;
    const bool perVertexColors = colors_->Count() > 0 && colors_->Count() == Vertices()->Count();
    if (perVertexColors) {
        GL.glPushAttrib(GL_ENABLE_BIT);
        GL.glEnable(GL_COLOR_MATERIAL);
        GL.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        if (rci.GLStates) rci.GLStates->ResetMaterialColors();
    }
    try {
        if (mode_ == momFaceGroups)
            BuildFaceGroups(rci);
        else if (Vertices()->Count() > 0)
            BuildImmediate(rci);
    } catch (...) {
        if (perVertexColors) GL.glPopAttrib();
        DisableArrays(rci);
        throw;
    }
    if (perVertexColors) GL.glPopAttrib();
    DisableArrays(rci);
}

void TMeshObject::BuildFaceGroups(TRenderContextInfo& rci) {
    const Integer n = faceGroups_->Count();
    if (!rci.materialLibrary) {
        for (Integer i = 0; i < n; ++i) faceGroups_->GetFaceGroup(i)->BuildList(rci);
        return;
    }
    if (renderingOptions_.Contains(moroGroupByMaterial)) {
        const Integer pass = ++gMeshObjectRenderPass;
        for (Integer i = 0; i < n; ++i) {
            TFaceGroup* first = faceGroups_->GetFaceGroup(i);
            if (first->RenderPass() == pass) continue;
            TGLLibMaterial* material = first->MaterialCache();
            DrawUnderLibMaterial(material, rci, [&] {
                for (Integer j = i; j < n; ++j) {
                    TFaceGroup* group = faceGroups_->GetFaceGroup(j);
                    if (group->MaterialCache() != material) continue;
                    // Every pass of the material draws the groups again; the mark only keeps
                    // the outer loop from starting on them a second time.
                    group->BuildList(rci);
                    group->SetRenderPass(pass);
                }
            });
        }
    } else {
        Integer i = 0;
        while (i < n) {
            TGLLibMaterial* material = faceGroups_->GetFaceGroup(i)->MaterialCache();
            Integer last = i;
            if (material)
                while (last + 1 < n && faceGroups_->GetFaceGroup(last + 1)->MaterialCache() == material) ++last;
            DrawUnderLibMaterial(material, rci, [&] {
                for (Integer j = i; j <= last; ++j) faceGroups_->GetFaceGroup(j)->BuildList(rci);
            });
            i = last + 1;
        }
    }
    // Materials may have switched culling; the buffer's setting holds again.
    if (TGLStateCache* states = rci.GLStates) {
        if (states->IsEnabled(stCullFace) && !rci.bufferFaceCull)
            states->DisableState(stCullFace);
        else if (!states->IsEnabled(stCullFace) && rci.bufferFaceCull)
            states->EnableState(stCullFace);
    }
}

void TMeshObject::BuildImmediate(TRenderContextInfo& rci) {
    DeclareArrays(rci);
    const Integer n = Vertices()->Count();
    const TAffineVector* vertices = Vertices()->List();
    const TAffineVector* normals = Normals()->Count() == n ? Normals()->List() : nullptr;
    const TVector4f* colors = colors_->Count() == n ? colors_->List() : nullptr;
    const TAffineVector* texCoords = texCoords_->Count() == n ? texCoords_->List() : nullptr;
    const bool multiTexture = GL.GL_ARB_multitexture;
    GL.glBegin(mode_ == momTriangles ? GL_TRIANGLES : GL_TRIANGLE_STRIP);
    for (Integer v = 0; v < n; ++v) {
        if (normals) GL.glNormal3fv(&normals[v].X);
        if (colors) GL.glColor4fv(&colors[v].X);
        if (extraTexCoords_.empty()) {
            if (texCoords) MappedTexCoord2fv(&texCoords[v].X);
        } else if (multiTexture) {
            // The extra sets take the units from 0 up, set 0 in place of the plain coordinates.
            for (size_t k = 0; k < extraTexCoords_.size() && k < 8; ++k) {
                const TVectorList* set = extraTexCoords_[k];
                if (set->Count() >= n) GL.glMultiTexCoord4fvARB(GLenum(GL_TEXTURE0_ARB + k), &(*set)[v].X);
            }
        }
        GL.glVertex3fv(&vertices[v].X);
    }
    GL.glEnd();
}
