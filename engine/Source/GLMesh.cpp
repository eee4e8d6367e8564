#include "GLMesh.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "GLContext.h"
#include "GLState.h"
#include "PersistentObjectList.h"
#include "SysUtils.h"

// ---- TVertexList -----------------------------------------------------------------------------

TVertexList::TVertexList(TPersistent* owner) : TGLUpdateAbleObject(owner) {}

TVertexList::~TVertexList() {
    SetLocked(false);
    std::free(records_);
}

void TVertexList::SetCapacity(Integer value) {
    records_ = static_cast<TVertexData*>(ReallocListBlock(records_, value, sizeof(TVertexData)));
    capacity_ = value;
}

void TVertexList::AddVertex(const TVertexData& vertex) {
    if (count_ == capacity_) {
        Assert(!Locked(), L"Cannot add to a locked list !");
        SetCapacity(capacity_ + growthDelta_);
    }
    records_[count_++] = vertex;
    ReportChange(this);
}

void TVertexList::AddVertex(const TAffineVector& coord, const TAffineVector& normal, const TVector4f& color,
                            const TTexPoint& texPoint) {
    AddVertex(TVertexData{texPoint, color, normal, coord});
}

void TVertexList::AddVertex(const TAffineVector& coord, const TAffineVector& normal, const TVector4f& color) {
    AddVertex(TVertexData{{0, 0}, color, normal, coord});
}

TVertexData& TVertexList::At(Integer index) {
    if (index < 0 || index >= count_) throw EListError(L"List index out of bounds (" + IntToStr(index) + L")");
    return records_[index];
}

const TVertexData& TVertexList::Vertex(Integer index) const { return const_cast<TVertexList*>(this)->At(index); }

void TVertexList::SetVertex(Integer index, const TVertexData& value) {
    At(index) = value;
    ReportChange(this);
}

void TVertexList::SetVertexCoord(Integer index, const TAffineVector& value) {
    At(index).Coord = value;
    ReportChange(this);
}

void TVertexList::SetVertexNormal(Integer index, const TAffineVector& value) {
    At(index).Normal = value;
    ReportChange(this);
}

void TVertexList::SetVertexColor(Integer index, const TVector4f& value) {
    At(index).Color = value;
    ReportChange(this);
}

void TVertexList::SetVertexTexCoord(Integer index, const TTexPoint& value) {
    At(index).TextCoord = value;
    ReportChange(this);
}

void TVertexList::SetLocked(bool value) {
    if (value == Locked()) return;
    if (value) {
        if (!GL.GL_NV_vertex_array_range || !ActiveGLContext() || !GL.wglAllocateMemoryNV || count_ == 0) return;
        auto* fast =
            static_cast<TVertexData*>(GL.wglAllocateMemoryNV(count_ * GLsizei(sizeof(TVertexData)), 0, 0, 0.5f));
        if (!fast) return;
        std::memcpy(fast, records_, size_t(count_) * sizeof(TVertexData));
        ordinaryRecords_ = records_;
        ordinaryCapacity_ = capacity_;
        records_ = fast;
        capacity_ = count_;
    } else {
        if (GL.wglFreeMemoryNV) GL.wglFreeMemoryNV(records_);
        records_ = ordinaryRecords_;
        capacity_ = ordinaryCapacity_;
        if (count_ > capacity_) count_ = capacity_;
        ordinaryRecords_ = nullptr;
        ordinaryCapacity_ = 0;
    }
}

void TVertexList::EnterLockSection() {
    if (!Locked()) return;
    GL.glVertexArrayRangeNV(count_ * GLsizei(sizeof(TVertexData)), records_);
    GL.glEnableClientState(GL_VERTEX_ARRAY_RANGE_NV);
}

void TVertexList::LeaveLockSection() {
    if (!Locked()) return;
    GL.glDisableClientState(GL_VERTEX_ARRAY_RANGE_NV);
    GL.glFlushVertexArrayRangeNV();
}

void TVertexList::GetExtents(TAffineVector& min, TAffineVector& max) const {
    min = {1e38f, 1e38f, 1e38f};
    max = {-1e38f, -1e38f, -1e38f};
    for (Integer i = 0; i < count_; ++i) {
        const TAffineVector& c = records_[i].Coord;
        for (int k = 0; k < 3; ++k) {
            if ((&c.X)[k] < (&min.X)[k]) (&min.X)[k] = (&c.X)[k];
            if ((&c.X)[k] > (&max.X)[k]) (&max.X)[k] = (&c.X)[k];
        }
    }
}

void TVertexList::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TVertexList*>(source)) {
        if (other == this) return;
        Assert(!Locked(), L"Cannot add to a locked list !");
        SetCapacity(other->count_);
        if (other->count_) std::memcpy(records_, other->records_, size_t(other->count_) * sizeof(TVertexData));
        count_ = other->count_;
        ReportChange(this);
        return;
    }
    TGLUpdateAbleObject::Assign(source);
}

// ---- TGLMesh ---------------------------------------------------------------------------------

TGLMesh::TGLMesh(TComponent* owner) : TGLSceneObject(owner), vertices_(new TVertexList(this)) {
    const TAffineVector normal{0, 0, 1};
    const TVector4f black{0, 0, 0, 0};
    vertices_->AddVertex({1, 0, 0}, normal, black);
    vertices_->AddVertex({0, 1, 0}, normal, black);
    vertices_->AddVertex({0, 0, 1}, normal, black);
    halfExtents_.X = -1;
}

TGLMesh::~TGLMesh() {
    BeforeDestruction();
    FreeAndNil(vertices_);
}

void TGLMesh::SetMode(TMeshMode value) {
    if (value == mode_) return;
    mode_ = value;
    StructureChanged();
}

void TGLMesh::SetVertexMode(TVertexMode value) {
    if (value == vertexMode_) return;
    vertexMode_ = value;
    StructureChanged();
}

void TGLMesh::StructureChanged() {
    halfExtents_.X = -1;
    TGLSceneObject::StructureChanged();
}

void TGLMesh::ReportChange(TObject* sender) {
    if (vertices_ && sender == vertices_)
        StructureChanged();
    else
        TGLSceneObject::ReportChange(sender);
}

TVector4f TGLMesh::UnscaledDimensions() const {
    if (halfExtents_.X < 0) {
        TAffineVector min, max;
        vertices_->GetExtents(min, max);
        halfExtents_ = {std::fmax(std::fabs(min.X), std::fabs(max.X)), std::fmax(std::fabs(min.Y), std::fabs(max.Y)),
                        std::fmax(std::fabs(min.Z), std::fabs(max.Z)), 0};
    }
    return halfExtents_;
}

void TGLMesh::BuildList(TRenderContextInfo& rci) {
    const bool lockSection = ObjectStyle().Contains(osDirectDraw);
    if (lockSection) vertices_->EnterLockSection();
    GL.glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    // The interleaved arrays enable client arrays that nothing else expects on.
    GL.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    try {
        const TVertexData* records = vertices_->FirstEntry();
        switch (vertexMode_) {
            case vmV:
                GL.glInterleavedArrays(GL_V3F, sizeof(TVertexData), vertices_->FirstVertex());
                break;
            case vmVN:
                GL.glInterleavedArrays(GL_N3F_V3F, sizeof(TVertexData), vertices_->FirstNormal());
                break;
            case vmVNC:
                GL.glInterleavedArrays(GL_C4F_N3F_V3F, sizeof(TVertexData), vertices_->FirstColor());
                break;
            case vmVNCT:
            case vmVNT:
                GL.glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, records);
                break;
            case vmVT:
                // No packed format holds texture coordinates and positions apart: two arrays.
                GL.glDisableClientState(GL_NORMAL_ARRAY);
                GL.glDisableClientState(GL_COLOR_ARRAY);
                GL.glVertexPointer(3, GL_FLOAT, sizeof(TVertexData), vertices_->FirstVertex());
                GL.glEnableClientState(GL_VERTEX_ARRAY);
                GL.glTexCoordPointer(2, GL_FLOAT, sizeof(TVertexData), records);
                GL.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                break;
            default:
                Assert(false, L"Interleaved Array format not supported yet. Sorry.");
        }
        if (vertexMode_ == vmVNC || vertexMode_ == vmVNCT) {
            GL.glEnable(GL_COLOR_MATERIAL);
            GL.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
            if (rci.GLStates) rci.GLStates->ResetMaterialColors();
        }
        GLenum primitive = GL_TRIANGLES;
        switch (mode_) {
            case mmTriangleStrip:
                primitive = GL_TRIANGLE_STRIP;
                break;
            case mmTriangleFan:
                primitive = GL_TRIANGLE_FAN;
                break;
            case mmTriangles:
                primitive = GL_TRIANGLES;
                break;
            case mmQuadStrip:
                primitive = GL_QUAD_STRIP;
                break;
            case mmQuads:
                primitive = GL_QUADS;
                break;
            case mmPolygon:
                primitive = GL_POLYGON;
                break;
            default:
                Assert(false, L"GLMesh: unknown mesh mode");
        }
        if (vertices_->Count() > 0) GL.glDrawArrays(primitive, 0, vertices_->Count());
    } catch (...) {
        GL.glPopClientAttrib();
        GL.glPopAttrib();
        if (lockSection) vertices_->LeaveLockSection();
        throw;
    }
    GL.glPopClientAttrib();
    GL.glPopAttrib();
    if (lockSection) vertices_->LeaveLockSection();
}

void TGLMesh::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLMesh*>(source)) {
        vertices_->Assign(other->vertices_);
        mode_ = other->mode_;
        vertexMode_ = other->vertexMode_;
        StructureChanged();
    }
    TGLSceneObject::Assign(source);
}

void InitializeGLMesh() { RegisterClass(TGLMesh::StaticClass()); }
