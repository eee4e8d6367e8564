// Sections: TGLLineBase · nodes with a colour · TGLNodedLines and the node markers · TGLLines.
#include "GLLines.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "GLObjects.h"
#include "GLPoints.h"
#include "GLState.h"
#include "Spline.h"
#include "VectorGeometry.h"
#include "VectorLists.h"

// ---- TGLLineBase -----------------------------------------------------------------------------

TGLLineBase::TGLLineBase(TComponent* owner)
    : TGLImmaterialSceneObject(owner), lineColor_(new TGLColor(this, {1, 1, 1, 1})) {}

TGLLineBase::~TGLLineBase() { delete lineColor_; }

void TGLLineBase::SetAntiAliased(bool value) {
    if (AssignIfChanged(antiAliased_, value)) StructureChanged();
}

void TGLLineBase::SetLineColor(TGLColor* value) {
    lineColor_->Assign(value);
    StructureChanged();
}

void TGLLineBase::SetLinePattern(Word value) {
    if (AssignIfChanged(linePattern_, value)) StructureChanged();
}

void TGLLineBase::SetLineWidth(Single value) {
    if (AssignIfChanged(lineWidth_, value)) StructureChanged();
}

void TGLLineBase::ReportChange(TObject* sender) {
    // The colour is compiled into the display list with the lines.
    if (sender == lineColor_) StructureChanged();
    TGLImmaterialSceneObject::ReportChange(sender);
}

void TGLLineBase::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLLineBase*>(source)) {
        SetLineColor(other->lineColor_);
        SetLinePattern(other->linePattern_);
        SetLineWidth(other->lineWidth_);
        SetAntiAliased(other->antiAliased_);
    }
    TGLImmaterialSceneObject::Assign(source);
}

void TGLLineBase::SetupLineStyle(TRenderContextInfo&) {
    GL.glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    GL.glDisable(GL_LIGHTING);
    bool blending = false;
    auto blend = [&] {
        GL.glEnable(GL_BLEND);
        GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        blending = true;
    };
    if (linePattern_ != 65535) {
        GL.glEnable(GL_LINE_STIPPLE);
        blend();
        GL.glLineStipple(1, linePattern_);
    }
    if (antiAliased_) {
        GL.glEnable(GL_LINE_SMOOTH);
        blend();
    } else {
        GL.glDisable(GL_LINE_SMOOTH);
    }
    GL.glLineWidth(lineWidth_);
    const TVector4f& color = lineColor_->Color();
    if (color.W != 1) {
        if (!blending) blend();
        GL.glColor4fv(&color.X);
    } else {
        GL.glColor3fv(&color.X);
    }
}

void TGLLineBase::RestoreLineStyle(TRenderContextInfo&) { GL.glPopAttrib(); }

// ---- nodes with a colour ---------------------------------------------------------------------

TGLLinesNode::TGLLinesNode(TCollection* collection) : TGLNode(collection) {
    TGLNodedLines* lines = OwnerLines();
    color_ = new TGLColor(this, lines ? lines->NodeColor()->Color() : TVector4f{0, 0, 1, 1},
                          MakeEvent(this, &TGLLinesNode::ColorChanged));
}

TGLLinesNode::~TGLLinesNode() { delete color_; }

TGLNodedLines* TGLLinesNode::OwnerLines() const {
    return Collection() ? dynamic_cast<TGLNodedLines*>(Collection()->GetOwner()) : nullptr;
}

bool TGLLinesNode::IsColorStored() const {
    TGLNodedLines* lines = OwnerLines();
    return !lines || !SameVector4(color_->Color(), lines->NodeColor()->Color());
}

void TGLLinesNode::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLLinesNode*>(source)) color_->StoreColorVector(other->color_->Color());
    TGLNode::Assign(source);
}

void TGLLinesNodes::NotifyChange() {
    if (UpdateCount() > 0) return;
    if (auto* object = dynamic_cast<TGLBaseSceneObject*>(GetOwner())) object->StructureChanged();
}

// ---- TGLNodedLines ---------------------------------------------------------------------------

namespace {

// The dodecahedron of the node markers, around the origin.
void DodecahedronBuildList() {
    constexpr Single a = 0.485410f, b = 0.185410f, c = 0.3f;
    static const TAffineVector vertices[20] = {{-a, 0, b},  {-a, 0, -b}, {a, 0, -b},  {a, 0, b},    {b, -a, 0},
                                               {-b, -a, 0}, {-b, a, 0},  {b, a, 0},   {0, b, -a},   {0, -b, -a},
                                               {0, -b, a},  {0, b, a},   {-c, -c, c}, {-c, -c, -c}, {c, -c, -c},
                                               {c, -c, c},  {-c, c, c},  {-c, c, -c}, {c, c, -c},   {c, c, c}};
    static const Byte faces[12][5] = {{0, 12, 10, 11, 16}, {1, 17, 8, 9, 13}, {2, 14, 9, 8, 18},  {3, 19, 11, 10, 15},
                                      {4, 14, 2, 3, 15},   {5, 12, 0, 1, 13}, {6, 17, 1, 0, 16},  {7, 19, 3, 2, 18},
                                      {8, 17, 6, 7, 18},   {9, 14, 4, 5, 13}, {10, 12, 5, 4, 15}, {11, 19, 7, 6, 16}};
    for (const auto& face : faces) {
        const TAffineVector& v0 = vertices[face[0]];
        TAffineVector normal =
            CrossAffine(SubtractAffine(vertices[face[1]], v0), SubtractAffine(vertices[face[2]], v0));
        NormalizeAffineInPlace(normal);
        GL.glBegin(GL_TRIANGLE_FAN);
        GL.glNormal3fv(&normal.X);
        for (Byte index : face) GL.glVertex3fv(&vertices[index].X);
        GL.glEnd();
    }
}

}  // namespace

TGLNodedLines::TGLNodedLines(TComponent* owner)
    : TGLLineBase(owner),
      nodeColor_(new TGLColor(this, {0, 0, 1, 1}, MakeEvent(this, &TGLNodedLines::NodeColorChanged))),
      nodes_(new TGLLinesNodes(this)),
      oldNodeColor_{0, 0, 1, 1} {}

TGLNodedLines::~TGLNodedLines() {
    delete nodes_;
    delete nodeColor_;
}

void TGLNodedLines::NodeColorChanged(TObject*) {
    // Nodes that had the old node colour follow it; nodes with colours of their own keep them.
    const TVector4f color = nodeColor_->Color();
    if (SameVector4(color, oldNodeColor_)) return;
    nodes_->BeginUpdate();
    for (int i = 0; i < nodes_->Count(); ++i) {
        TGLColor* nodeColor = nodes_->Items(i)->Color();
        if (SameVector4(nodeColor->Color(), oldNodeColor_)) nodeColor->StoreColorVector(color);
    }
    oldNodeColor_ = color;
    nodes_->EndUpdate();
}

void TGLNodedLines::SetNodeColor(TGLColor* value) {
    nodeColor_->Assign(value);
    StructureChanged();
}

void TGLNodedLines::SetNodes(TGLLinesNodes* value) {
    nodes_->Assign(value);
    StructureChanged();
}

void TGLNodedLines::SetNodesAspect(TLineNodesAspect value) {
    if (AssignIfChanged(nodesAspect_, value)) StructureChanged();
}

void TGLNodedLines::SetNodeSize(Single value) {
    if (value <= 0) value = 1;
    if (AssignIfChanged(nodeSize_, value)) StructureChanged();
}

void TGLNodedLines::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLNodedLines*>(source)) {
        SetNodes(other->nodes_);
        SetNodesAspect(other->nodesAspect_);
        SetNodeColor(other->nodeColor_);
        SetNodeSize(other->nodeSize_);
    }
    TGLLineBase::Assign(source);
}

void TGLNodedLines::Loaded() {
    TGLLineBase::Loaded();
    oldNodeColor_ = nodeColor_->Color();
}

TVector4f TGLNodedLines::UnscaledDimensions() const {
    TVector4f extent{0, 0, 0, 0};
    for (int i = 0; i < nodes_->Count(); ++i) {
        const TVector4f& v = nodes_->Items(i)->AsVector();
        extent.X = std::max(extent.X, std::fabs(v.X));
        extent.Y = std::max(extent.Y, std::fabs(v.Y));
        extent.Z = std::max(extent.Z, std::fabs(v.Z));
    }
    return extent;
}

void TGLNodedLines::DrawNodes(TRenderContextInfo& rci) {
    if (nodesAspect_ == lnaInvisible) return;
    GL.glPushAttrib(GL_ENABLE_BIT);
    if (!rci.ignoreBlendingRequests) {
        GL.glEnable(GL_BLEND);
        GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    GL.glDisable(GL_TEXTURE_2D);
    if (GL.GL_ARB_texture_cube_map) GL.glDisable(GL_TEXTURE_CUBE_MAP);
    static const TVector4f black{0, 0, 0, 1}, ambient{0.2f, 0.2f, 0.2f, 1};
    for (int i = 0; i < nodes_->Count(); ++i) {
        TGLLinesNode* node = nodes_->Items(i);
        GL.glPushMatrix();
        GL.glTranslatef(node->X(), node->Y(), node->Z());
        switch (nodesAspect_) {
            case lnaAxes:
                AxesBuildList(rci, 0xCCCC, nodeSize_ * 0.5f);
                break;
            case lnaCube:
                CubeWireframeBuildList(rci, nodeSize_, false, node->Color()->Color());
                break;
            case lnaDodecahedron:
                if (rci.GLStates)
                    rci.GLStates->SetMaterialColors(GL_FRONT, black, ambient, node->Color()->Color(), black, 0);
                if (nodeSize_ != 1) GL.glScalef(nodeSize_, nodeSize_, nodeSize_);
                DodecahedronBuildList();
                break;
            default:
                Assert(false, kAssertionFailure);
        }
        GL.glPopMatrix();
    }
    GL.glPopAttrib();
}

// ---- TGLLines --------------------------------------------------------------------------------

TGLLines::TGLLines(TComponent* owner) : TGLNodedLines(owner), nurbsKnots_(new TSingleList()) {}

TGLLines::~TGLLines() { delete nurbsKnots_; }

void TGLLines::SetDivision(Integer value) {
    value = std::max(value, 1);
    if (AssignIfChanged(division_, value)) StructureChanged();
}

void TGLLines::SetSplineMode(TLineSplineMode value) {
    if (AssignIfChanged(splineMode_, value)) StructureChanged();
}

void TGLLines::SetOptions(TLinesOptions value) {
    options_ = value;
    StructureChanged();
}

void TGLLines::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLLines*>(source)) {
        SetDivision(other->division_);
        SetSplineMode(other->splineMode_);
        SetOptions(other->options_);
    }
    TGLNodedLines::Assign(source);
}

void TGLLines::DrawNurbsCurve(const std::vector<GLfloat>& controlPoints) {
    // GLU takes as many control points as there are knots beyond the order: more than the
    // nodes would be read past them, so such a curve is not drawn.
    const Integer controlCount = nurbsKnots_->Count() - nurbsCurveOrder_;
    if (controlCount < 1 || size_t(controlCount) * 3 > controlPoints.size()) return;
    // GLU may come without a NURBS renderer (Wine's has none): then there is no curve.
    GLUnurbs* renderer = GL.gluNewNurbsRenderer ? GL.gluNewNurbsRenderer() : nullptr;
    if (!renderer) return;
    try {
        GL.gluNurbsProperty(renderer, GLU_SAMPLING_TOLERANCE, nurbsSamplingTolerance_);
        GL.gluNurbsProperty(renderer, GLU_DISPLAY_MODE, GLU_FILL);
        GL.gluBeginCurve(renderer);
        GL.gluNurbsCurve(renderer, nurbsKnots_->Count(), nurbsKnots_->List(), 3,
                         const_cast<GLfloat*>(controlPoints.data()), nurbsCurveOrder_, GL_MAP1_VERTEX_3);
        GL.gluEndCurve(renderer);
    } catch (...) {
        GL.gluDeleteNurbsRenderer(renderer);
        throw;
    }
    GL.gluDeleteNurbsRenderer(renderer);
}

void TGLLines::BuildList(TRenderContextInfo& rci) {
    const int n = Nodes()->Count();
    if (n < 2) return;
    const bool bezier = splineMode_ == lsmBezierSpline;
    const bool nurbs = splineMode_ == lsmNURBSCurve;
    const bool nodeColors = options_.Contains(loUseNodeColorForLines);
    SetupLineStyle(rci);
    std::vector<GLfloat> positions, colors;
    if (bezier || nurbs) {
        for (int i = 0; i < n; ++i) {
            TGLLinesNode* node = Nodes()->Items(i);
            positions.insert(positions.end(), {node->X(), node->Y(), node->Z()});
            const TVector4f& color = node->Color()->Color();
            colors.insert(colors.end(), {color.X, color.Y, color.Z, color.W});
        }
    }
    if (bezier) {
        GL.glPushAttrib(GL_EVAL_BIT);
        GL.glEnable(GL_MAP1_VERTEX_3);
        GL.glEnable(GL_MAP1_COLOR_4);
        GL.glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, n, positions.data());
        GL.glMap1f(GL_MAP1_COLOR_4, 0, 1, 4, n, colors.data());
    }
    try {
        if (!(nurbs && division_ >= 2)) {
            GL.glBegin(splineMode_ == lsmSegments ? GL_LINES : splineMode_ == lsmLoop ? GL_LINE_LOOP : GL_LINE_STRIP);
            if (division_ > 1 && splineMode_ == lsmCubicSpline) {
                std::unique_ptr<TCubicSpline> spline(Nodes()->CreateNewCubicSpline());
                const Integer last = (n - 1) * division_;
                for (Integer k = 0; k <= last; ++k) {
                    Single x, y, z;
                    spline->SplineXYZ(Single(k) / division_, x, y, z);
                    if (nodeColors) {
                        const Integer i = k / division_;
                        TVector4f color = Nodes()->Items(i)->Color()->Color();
                        if (i + 1 < n)
                            color = LerpVector4(color, Nodes()->Items(i + 1)->Color()->Color(),
                                                Single(k % division_) / division_);
                        GL.glColor4fv(&color.X);
                    }
                    GL.glVertex3f(x, y, z);
                }
            } else if (division_ > 1 && bezier) {
                for (Integer k = 0; k <= division_; ++k) GL.glEvalCoord1f(Single(k) / division_);
            } else {
                for (int i = 0; i < n; ++i) {
                    TGLLinesNode* node = Nodes()->Items(i);
                    if (nodeColors) GL.glColor4fv(&node->Color()->Color().X);
                    GL.glVertex3f(node->X(), node->Y(), node->Z());
                }
            }
            GL.glEnd();
        }
        if (nurbs && division_ >= 2 && nurbsCurveOrder_ > 0 && nurbsKnots_->Count() > 0) DrawNurbsCurve(positions);
    } catch (...) {
        if (bezier) GL.glPopAttrib();
        RestoreLineStyle(rci);
        throw;
    }
    if (bezier) GL.glPopAttrib();
    RestoreLineStyle(rci);
    DrawNodes(rci);
}

void InitializeGLLines() { RegisterClasses({TGLLines::StaticClass(), TGLPoints::StaticClass()}); }
