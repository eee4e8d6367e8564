#pragma once
// TGLMesh: a scene object that draws a list of vertex records (texture coordinate, colour,
// normal, position) kept in one interleaved array, with one primitive for the whole list.
// While locked, the array lives in the driver's fast memory (where the vertex-array-range
// extension exists).

#include "GLCustomSceneObject.h"

// One vertex, in OpenGL's GL_T2F_C4F_N3F_V3F interleaved layout (48 bytes).
struct TVertexData {
    TTexPoint TextCoord;
    TVector4f Color;
    TAffineVector Normal;
    TAffineVector Coord;
};
static_assert(sizeof(TVertexData) == 48, "the interleaved layout has 48 bytes per vertex");

Z_ENUM(TMeshMode, int, mmTriangleStrip, mmTriangleFan, mmTriangles, mmQuadStrip, mmQuads, mmPolygon)

// Which parts of the records are drawn: vertices, normals, colours, texture coordinates.
Z_ENUM(TVertexMode, int, vmV, vmVN, vmVNC, vmVNCT, vmVNT, vmVT)

// The records of a mesh; every change is reported to the owner.
class TVertexList : public TGLUpdateAbleObject {
    Z_CLASS(TVertexList, TGLUpdateAbleObject)
public:
    explicit TVertexList(TPersistent* owner);
    // Unlocks first.
    ~TVertexList() override;

    Integer Count() const { return count_; }
    Integer Capacity() const { return capacity_; }
    Integer GrowthDelta() const { return growthDelta_; }

    // Grows by the growth delta when full; a locked list cannot grow (an assertion failure).
    void AddVertex(const TVertexData& vertex);
    void AddVertex(const TAffineVector& coord, const TAffineVector& normal, const TVector4f& color,
                   const TTexPoint& texPoint);
    void AddVertex(const TAffineVector& coord, const TAffineVector& normal, const TVector4f& color);

    // Indexes are checked: EListError beyond the list.
    const TVertexData& Vertex(Integer index) const;
    void SetVertex(Integer index, const TVertexData& value);
    void SetVertexCoord(Integer index, const TAffineVector& value);
    void SetVertexNormal(Integer index, const TAffineVector& value);
    void SetVertexColor(Integer index, const TVector4f& value);
    void SetVertexTexCoord(Integer index, const TTexPoint& value);

    // The interleaved array and the addresses of its parts, for OpenGL.
    TVertexData* FirstEntry() const { return records_; }
    const Single* FirstColor() const { return &records_[0].Color.X; }
    const Single* FirstNormal() const { return &records_[0].Normal.X; }
    const Single* FirstVertex() const { return &records_[0].Coord.X; }

    // Locking needs the vertex-array-range extension and a current context; when the driver's
    // memory cannot be had the list stays unlocked. Unlocking returns to the records as they
    // were before locking.
    bool Locked() const { return ordinaryRecords_ != nullptr; }
    void SetLocked(bool value);
    // Around drawing: declares and enables the range while locked, then disables and flushes.
    void EnterLockSection();
    void LeaveLockSection();

    // The smallest and largest position coordinates per axis.
    void GetExtents(TAffineVector& min, TAffineVector& max) const;

    // From another vertex list: its records (capacity = count).
    void Assign(TPersistent* source) override;

private:
    void SetCapacity(Integer value);
    TVertexData& At(Integer index);

    TVertexData* records_ = nullptr;
    Integer count_ = 0;
    Integer capacity_ = 0;
    Integer growthDelta_ = 256;
    // While locked: the ordinary array and its capacity, set aside.
    TVertexData* ordinaryRecords_ = nullptr;
    Integer ordinaryCapacity_ = 0;
};

class TGLMesh : public TGLSceneObject {
    Z_CLASS(TGLMesh, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"Mode", &TGLMesh::Mode, &TGLMesh::SetMode);
        p.Property(L"VertexMode", &TGLMesh::VertexMode, &TGLMesh::SetVertexMode).Default(vmVNCT);
    }

public:
    // Holds one triangle: (1, 0, 0), (0, 1, 0), (0, 0, 1), normals +Z, colour and texture
    // coordinate zero.
    explicit TGLMesh(TComponent* owner);
    ~TGLMesh() override;

    TVertexList* Vertices() const { return vertices_; }
    void SetVertices(TVertexList* value) { vertices_->Assign(value); }
    TMeshMode Mode() const { return mode_; }
    void SetMode(TMeshMode value);
    TVertexMode VertexMode() const { return vertexMode_; }
    void SetVertexMode(TVertexMode value);

    // For each axis the larger of |minimum| and |maximum| of the positions.
    TVector4f UnscaledDimensions() const override;
    void BuildList(TRenderContextInfo& rci) override;
    void StructureChanged() override;
    // A change of the vertex list is a change of the geometry.
    void ReportChange(TObject* sender) override;
    // From another mesh: the vertex list, Mode and VertexMode.
    void Assign(TPersistent* source) override;

private:
    TVertexList* vertices_;
    TMeshMode mode_ = mmTriangleStrip;
    TVertexMode vertexMode_ = vmVNCT;
    mutable TVector4f halfExtents_ = {-1, 0, 0, 0};
};

// Unit start-up: TGLMesh by name.
void InitializeGLMesh();
