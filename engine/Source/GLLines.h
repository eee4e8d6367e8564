#pragma once
// Line-drawing objects. TGLLineBase holds the line style (colour, stipple pattern, width,
// smoothing) that every line object and the grid draw with; TGLNodedLines adds editable nodes,
// drawn as markers; TGLLines joins its nodes as a polyline, separate segments, a loop, a cubic
// spline or a Bezier curve (or a NURBS curve where GLU has the renderer).

#include "GLColor.h"
#include "GLCustomSceneObject.h"
#include "GLNodes.h"

class TGLNodedLines;
class TSingleList;

// ---- TGLLineBase ----

class TGLLineBase : public TGLImmaterialSceneObject {
    Z_CLASS(TGLLineBase, TGLImmaterialSceneObject)
    Z_PUBLISHED {
        p.Property(L"AntiAliased", &TGLLineBase::AntiAliased, &TGLLineBase::SetAntiAliased).Default(false);
        p.Property(L"LineColor", &TGLLineBase::LineColor);
        p.Property(L"LinePattern", &TGLLineBase::LinePattern, &TGLLineBase::SetLinePattern).Default(65535);
        p.Property(L"LineWidth", &TGLLineBase::LineWidth, &TGLLineBase::SetLineWidth).Default(1.0f);
        p.Property(L"Visible", &TGLLineBase::Visible, &TGLLineBase::SetVisible).Default(true);
    }

public:
    explicit TGLLineBase(TComponent* owner);
    ~TGLLineBase() override;

    bool AntiAliased() const { return antiAliased_; }
    void SetAntiAliased(bool value);
    // Opaque white by default.
    TGLColor* LineColor() const { return lineColor_; }
    void SetLineColor(TGLColor* value);
    // A 16-bit stipple pattern; 65535 draws solid lines.
    Word LinePattern() const { return linePattern_; }
    void SetLinePattern(Word value);
    Single LineWidth() const { return lineWidth_; }
    void SetLineWidth(Single value);

    void Assign(TPersistent* source) override;
    // A change of the line colour changes the compiled geometry.
    void ReportChange(TObject* sender) override;

    // Lighting off, the pattern, smoothing, width and colour, inside pushed attributes.
    void SetupLineStyle(TRenderContextInfo& rci);
    void RestoreLineStyle(TRenderContextInfo& rci);

private:
    bool antiAliased_ = false;
    TGLColor* lineColor_;
    Word linePattern_ = 65535;
    Single lineWidth_ = 1;
};

// ---- nodes with a colour ----

class TGLLinesNode : public TGLNode {
    Z_CLASS(TGLLinesNode, TGLNode)
    Z_PUBLISHED { p.Property(L"Color", &TGLLinesNode::Color).Stored(&TGLLinesNode::IsColorStored); }

public:
    // Takes the node colour of the lines that own the collection.
    explicit TGLLinesNode(TCollection* collection);
    ~TGLLinesNode() override;

    TGLColor* Color() const { return color_; }
    void SetColor(TGLColor* value) { color_->Assign(value); }
    // Stored only when it differs from the owning lines' node colour.
    bool IsColorStored() const;

    void Assign(TPersistent* source) override;

private:
    void ColorChanged(TObject*) { NotifyCollection(); }
    TGLNodedLines* OwnerLines() const;

    TGLColor* color_;
};

// Every change of the nodes changes the owner's geometry.
class TGLLinesNodes : public TGLNodes {
    Z_CLASS(TGLLinesNodes, TGLNodes)
public:
    explicit TGLLinesNodes(TPersistent* owner) : TGLNodes(owner, TGLLinesNode::StaticClass()) {}
    TGLLinesNode* Items(int index) const { return static_cast<TGLLinesNode*>(TGLNodes::Items(index)); }
    TGLLinesNode* Add() { return static_cast<TGLLinesNode*>(TGLNodes::Add()); }
    void NotifyChange() override;
};

// ---- TGLNodedLines ----

Z_ENUM(TLineNodesAspect, int, lnaInvisible, lnaAxes, lnaCube, lnaDodecahedron)

class TGLNodedLines : public TGLLineBase {
    Z_CLASS(TGLNodedLines, TGLLineBase)
    Z_PUBLISHED {
        p.Property(L"NodeColor", &TGLNodedLines::NodeColor);
        p.Property(L"Nodes", &TGLNodedLines::Nodes);
        p.Property(L"NodesAspect", &TGLNodedLines::NodesAspect, &TGLNodedLines::SetNodesAspect).Default(lnaAxes);
        p.Property(L"NodeSize", &TGLNodedLines::NodeSize, &TGLNodedLines::SetNodeSize).Default(1.0f);
    }

public:
    explicit TGLNodedLines(TComponent* owner);
    ~TGLNodedLines() override;

    // Opaque blue by default. Nodes that still had the old node colour follow a change.
    TGLColor* NodeColor() const { return nodeColor_; }
    void SetNodeColor(TGLColor* value);
    TGLLinesNodes* Nodes() const { return nodes_; }
    void SetNodes(TGLLinesNodes* value);
    TLineNodesAspect NodesAspect() const { return nodesAspect_; }
    void SetNodesAspect(TLineNodesAspect value);
    Single NodeSize() const { return nodeSize_; }
    // A value of 0 or below becomes 1.
    void SetNodeSize(Single value);

    void Assign(TPersistent* source) override;
    // A node colour read from a description is the one that nodes follow from then on.
    void Loaded() override;
    // Per axis, the largest absolute node coordinate.
    TVector4f UnscaledDimensions() const override;

protected:
    // The markers of the nodes, unless they are invisible.
    void DrawNodes(TRenderContextInfo& rci);

private:
    void NodeColorChanged(TObject*);

    TGLColor* nodeColor_;
    TGLLinesNodes* nodes_;
    TLineNodesAspect nodesAspect_ = lnaAxes;
    Single nodeSize_ = 1;
    TVector4f oldNodeColor_;
};

// ---- TGLLines ----

Z_ENUM(TLineSplineMode, int, lsmLines, lsmCubicSpline, lsmBezierSpline, lsmNURBSCurve, lsmSegments, lsmLoop)
Z_ENUM(TLinesOption, int, loUseNodeColorForLines)
using TLinesOptions = TSet<TLinesOption>;

class TGLLines : public TGLNodedLines {
    Z_CLASS(TGLLines, TGLNodedLines)
    Z_PUBLISHED {
        p.Property(L"Division", &TGLLines::Division, &TGLLines::SetDivision).Default(10);
        p.Property(L"SplineMode", &TGLLines::SplineMode, &TGLLines::SetSplineMode).Default(lsmLines);
        p.Property(L"Options", &TGLLines::Options, &TGLLines::SetOptions).Default(TLinesOptions{});
    }

public:
    explicit TGLLines(TComponent* owner);
    ~TGLLines() override;

    // Points per segment of a spline or curve; values below 1 become 1.
    Integer Division() const { return division_; }
    void SetDivision(Integer value);
    TLineSplineMode SplineMode() const { return splineMode_; }
    void SetSplineMode(TLineSplineMode value);
    TLinesOptions Options() const { return options_; }
    void SetOptions(TLinesOptions value);

    // The NURBS curve of lsmNURBSCurve: order, sampling tolerance (pixels) and knots.
    Integer NurbsCurveOrder() const { return nurbsCurveOrder_; }
    void SetNurbsCurveOrder(Integer value) { nurbsCurveOrder_ = value; }
    Single NurbsSamplingTolerance() const { return nurbsSamplingTolerance_; }
    void SetNurbsSamplingTolerance(Single value) { nurbsSamplingTolerance_ = value; }
    TSingleList* NurbsKnotList() const { return nurbsKnots_; }

    void Assign(TPersistent* source) override;
    // Nothing with fewer than two nodes.
    void BuildList(TRenderContextInfo& rci) override;

private:
    void DrawNurbsCurve(const std::vector<GLfloat>& controlPoints);

    Integer division_ = 10;
    TLineSplineMode splineMode_ = lsmLines;
    TLinesOptions options_;
    Integer nurbsCurveOrder_ = 0;
    Single nurbsSamplingTolerance_ = 50;
    TSingleList* nurbsKnots_;
};

void InitializeGLLines();
