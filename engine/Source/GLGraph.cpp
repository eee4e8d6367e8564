// Sections: TGLSamplingScale · TGLXYZGrid · TGLHeightField.
#include "GLGraph.h"

#include <cmath>
#include <functional>
#include <vector>

#include "GLState.h"
#include "SysMath.h"
#include "VectorArithmetic.h"
#include "XOpenGL.h"

// ---- TGLSamplingScale ------------------------------------------------------------------------

void TGLSamplingScale::SetMin(Single value) {
    if (value == min_) return;
    min_ = value;
    if (max_ < value) max_ = value;
    ReportChange(this);
}

void TGLSamplingScale::SetMax(Single value) {
    if (value == max_) return;
    max_ = value;
    if (min_ > value) min_ = value;
    ReportChange(this);
}

void TGLSamplingScale::SetOrigin(Single value) {
    if (AssignIfChanged(origin_, value)) ReportChange(this);
}

void TGLSamplingScale::SetStep(Single value) {
    if (value <= 0) value = 1;
    if (AssignIfChanged(step_, value)) ReportChange(this);
}

void TGLSamplingScale::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLSamplingScale*>(source)) {
        min_ = other->min_;
        max_ = other->max_;
        origin_ = other->origin_;
        step_ = other->step_;
        ReportChange(this);
        return;
    }
    TGLUpdateAbleObject::Assign(source);
}

Single TGLSamplingScale::StepBase() const {
    if (origin_ == min_) return min_;
    const Single k = (origin_ - min_) / step_;
    // Whole negative k still steps one further, past Min.
    const Int64 n = k >= 0 ? Trunc(k) : Trunc(k) - 1;
    return Single(origin_ - Extended(n) * step_);
}

Integer TGLSamplingScale::MaxStepCount() const { return Integer(Round(Extended(max_ - min_) / step_ + 0.5)); }

void TGLSamplingScale::SetBaseStepMaxToVars(Single& base, Single& step, Single& max, bool samplingEnabled) const {
    step = step_;
    if (samplingEnabled) {
        base = StepBase();
        max = Single(max_ + ((max_ - base) / step_) * 0.000001);
    } else {
        base = origin_;
        max = origin_;
    }
}

// ---- TGLXYZGrid ------------------------------------------------------------------------------

TGLXYZGrid::TGLXYZGrid(TComponent* owner)
    : TGLLineBase(owner),
      xSamplingScale_(new TGLSamplingScale(this)),
      ySamplingScale_(new TGLSamplingScale(this)),
      zSamplingScale_(new TGLSamplingScale(this)) {}

TGLXYZGrid::~TGLXYZGrid() {
    delete zSamplingScale_;
    delete ySamplingScale_;
    delete xSamplingScale_;
}

void TGLXYZGrid::SetParts(TXYZGridParts value) {
    if (AssignIfChanged(parts_, value)) StructureChanged();
}

void TGLXYZGrid::SetLinesStyle(TXYZGridLinesStyle value) {
    if (AssignIfChanged(linesStyle_, value)) StructureChanged();
}

void TGLXYZGrid::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLXYZGrid*>(source)) {
        xSamplingScale_->Assign(other->xSamplingScale_);
        ySamplingScale_->Assign(other->ySamplingScale_);
        zSamplingScale_->Assign(other->zSamplingScale_);
        SetParts(other->parts_);
        SetLinesStyle(other->linesStyle_);
    }
    TGLLineBase::Assign(source);
}

void TGLXYZGrid::ReportChange(TObject* sender) {
    if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
    TGLLineBase::ReportChange(sender);
}

void TGLXYZGrid::BuildList(TRenderContextInfo& rci) {
    SetupLineStyle(rci);
    Single xBase, xStep, xMax, yBase, yStep, yMax, zBase, zStep, zMax;
    xSamplingScale_->SetBaseStepMaxToVars(xBase, xStep, xMax, parts_.Contains(gpX));
    ySamplingScale_->SetBaseStepMaxToVars(yBase, yStep, yMax, parts_.Contains(gpY));
    zSamplingScale_->SetBaseStepMaxToVars(zBase, zStep, zMax, parts_.Contains(gpZ));
    const bool segments = linesStyle_ == davSegments;
    // One strip along an axis: every sample (segments) or its two ends (line).
    auto strip = [&](const TGLSamplingScale* scale, Single base, Single step, Single max, auto vertex) {
        GL.glBegin(GL_LINE_STRIP);
        if (segments) {
            for (Single v = base; v <= max; v += step) vertex(v);
        } else {
            vertex(scale->Min());
            vertex(scale->Max());
        }
        GL.glEnd();
    };
    if (parts_.Contains(gpX))
        for (Single y = yBase; y <= yMax; y += yStep)
            for (Single z = zBase; z <= zMax; z += zStep)
                strip(xSamplingScale_, xBase, xStep, xMax, [&](Single x) { GL.glVertex3f(x, y, z); });
    if (parts_.Contains(gpY))
        for (Single x = xBase; x <= xMax; x += xStep)
            for (Single z = zBase; z <= zMax; z += zStep)
                strip(ySamplingScale_, yBase, yStep, yMax, [&](Single y) { GL.glVertex3f(x, y, z); });
    if (parts_.Contains(gpZ))
        for (Single x = xBase; x <= xMax; x += xStep)
            for (Single y = yBase; y <= yMax; y += yStep)
                strip(zSamplingScale_, zBase, zStep, zMax, [&](Single z) { GL.glVertex3f(x, y, z); });
    RestoreLineStyle(rci);
}

// ---- TGLHeightField --------------------------------------------------------------------------

namespace {

struct THeightFieldSample {
    TVector4f color;
    Single z;
    TTexPoint texPoint;
    TAffineVector normal;
};
using THeightFieldRow = std::vector<THeightFieldSample>;

// The field shown without a height event: a ripple spreading from the origin.
void DefaultHeight(Single x, Single y, Single& z, TVector4f& color, TTexPoint&) {
    const Extended n = Extended(x) * x + Extended(y) * y;
    z = Single(std::cos(12 * n) / (2 * (6.28 * n + 1)));
    color = {0.8f, 0.8f, 0.8f, 1};
}

// The normals of a row from its neighbours in x and, where there are rows, in y.
void ComputeRowNormals(THeightFieldRow& row, Integer count, const THeightFieldRow* before, const THeightFieldRow* after,
                       Single xStep, Single yStep) {
    for (Integer i = 0; i < count; ++i) {
        Extended dx = 0, dy = 0;
        if (i > 0) dx += (row[i - 1].z - row[i].z) / Extended(xStep);
        if (i < count - 1) dx += (row[i].z - row[i + 1].z) / Extended(xStep);
        if (before) dy += ((*before)[i].z - row[i].z) / Extended(yStep);
        if (after) dy += (row[i].z - (*after)[i].z) / Extended(yStep);
        TAffineVector n{Single(dx), Single(dy), 1};
        NormalizeAffineInPlace(n);
        row[i].normal = n;
    }
}

}  // namespace

TGLHeightField::TGLHeightField(TComponent* owner)
    : TGLSceneObject(owner), xSamplingScale_(new TGLSamplingScale(this)), ySamplingScale_(new TGLSamplingScale(this)) {
    SetObjectStyle(ObjectStyle() + osDoesTemperWithColorsOrFaceWinding);
}

TGLHeightField::~TGLHeightField() {
    delete ySamplingScale_;
    delete xSamplingScale_;
}

void TGLHeightField::SetColorMode(THeightFieldColorMode value) {
    if (AssignIfChanged(colorMode_, value)) StructureChanged();
}

void TGLHeightField::SetOptions(THeightFieldOptions value) {
    if (AssignIfChanged(options_, value)) StructureChanged();
}

void TGLHeightField::SetOnGetHeight(const THeightFieldGetHeightEvent& value) {
    onGetHeight_ = value;
    StructureChanged();
}

void TGLHeightField::SetOnGetHeight2(const THeightFieldGetHeight2Event& value) {
    onGetHeight2_ = value;
    StructureChanged();
}

void TGLHeightField::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLHeightField*>(source)) {
        xSamplingScale_->Assign(other->xSamplingScale_);
        ySamplingScale_->Assign(other->ySamplingScale_);
        SetOnGetHeight(other->onGetHeight_);
        SetOptions(other->options_);
        SetColorMode(other->colorMode_);
    }
    TGLSceneObject::Assign(source);
}

void TGLHeightField::ReportChange(TObject* sender) {
    if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
    TGLSceneObject::ReportChange(sender);
}

void TGLHeightField::BuildList(TRenderContextInfo& rci) {
    if (!xSamplingScale_->IsValid() || !ySamplingScale_->IsValid()) return;
    const bool designing = Owner() && Owner()->ComponentState().Contains(csDesigning);
    std::function<void(Single, Single, Single&, TVector4f&, TTexPoint&)> height = DefaultHeight;
    if (onGetHeight_ && !designing)
        height = [this](Single x, Single y, Single& z, TVector4f& c, TTexPoint& t) { onGetHeight_(x, y, z, c, t); };
    else if (onGetHeight2_ && !designing)
        height = [this](Single x, Single y, Single& z, TVector4f& c, TTexPoint& t) {
            onGetHeight2_(this, x, y, z, c, t);
        };

    const Integer columns = xSamplingScale_->MaxStepCount() + 1;
    THeightFieldRow rows[3];
    for (auto& row : rows) row.assign(size_t(columns), THeightFieldSample{});
    THeightFieldRow* earlier = &rows[0];  // two rows back
    THeightFieldRow* previous = &rows[1];
    THeightFieldRow* current = &rows[2];
    std::vector<Single> xs(static_cast<size_t>(columns));
    Integer count = 0;
    const Single xStep = xSamplingScale_->Step(), yStep = ySamplingScale_->Step();

    const bool pushed = options_.Contains(hfoTwoSided) || colorMode_ != hfcmNone;
    if (pushed) GL.glPushAttrib(GL_ENABLE_BIT);
    if (options_.Contains(hfoTwoSided)) {
        GL.glDisable(GL_CULL_FACE);
        static const GLenum polygonModes[] = {GL_FILL, GL_LINE, GL_POINT};
        const GLenum mode = polygonModes[Material()->FrontProperties()->PolygonMode()];
        if (rci.GLStates)
            rci.GLStates->SetPolygonMode(GL_FRONT_AND_BACK, mode);
        else
            GL.glPolygonMode(GL_FRONT_AND_BACK, mode);
    }
    if (colorMode_ != hfcmNone) {
        static const GLenum colorMaterials[] = {0, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_AMBIENT_AND_DIFFUSE};
        GL.glColorMaterial(GL_FRONT_AND_BACK, colorMaterials[colorMode_]);
        GL.glEnable(GL_COLOR_MATERIAL);
        if (rci.GLStates) rci.GLStates->ResetMaterialColors();
    }

    // The strip between two rows: for each column the later row's sample, then the earlier's.
    auto drawStrip = [&](const THeightFieldRow& first, Single yFirst, const THeightFieldRow& later, Single yLater) {
        GL.glBegin(GL_TRIANGLE_STRIP);
        for (Integer i = 0; i < count; ++i)
            for (auto [row, y] : {std::pair{&later, yLater}, std::pair{&first, yFirst}}) {
                const THeightFieldSample& s = (*row)[size_t(i)];
                GL.glNormal3fv(&s.normal.X);
                if (colorMode_ != hfcmNone) GL.glColor4fv(&s.color.X);
                if (options_.Contains(hfoTextureCoordinates)) MappedTexCoord2fv(&s.texPoint.S);
                GL.glVertex3f(xs[size_t(i)], y, s.z);
            }
        GL.glEnd();
    };

    try {
        Integer rowIndex = 0;
        Single yEarlier = 0, yPrevious = 0, yCurrent = 0;
        for (Single y = ySamplingScale_->StepBase(); y <= ySamplingScale_->Max(); y += yStep) {
            std::swap(earlier, previous);  // the oldest buffer takes the new row
            std::swap(previous, current);
            yEarlier = yPrevious;
            yPrevious = yCurrent;
            yCurrent = y;
            count = 0;
            for (Single x = xSamplingScale_->StepBase(); x <= xSamplingScale_->Max() && count < columns; x += xStep) {
                THeightFieldSample& s = (*current)[size_t(count)];
                s.texPoint = {x, y};
                height(x, y, s.z, s.color, s.texPoint);
                xs[size_t(count++)] = x;
            }
            if (rowIndex >= 1)
                ComputeRowNormals(*previous, count, rowIndex >= 2 ? earlier : nullptr, current, xStep, yStep);
            if (rowIndex >= 2) drawStrip(*earlier, yEarlier, *previous, yPrevious);
            ++rowIndex;
        }
        if (rowIndex >= 1)
            ComputeRowNormals(*current, count, rowIndex >= 2 ? previous : nullptr, nullptr, xStep, yStep);
        if (rowIndex >= 2) drawStrip(*previous, yPrevious, *current, yCurrent);
    } catch (...) {
        if (pushed) GL.glPopAttrib();
        throw;
    }
    if (pushed) GL.glPopAttrib();
}

void InitializeGLGraph() { RegisterClasses({TGLHeightField::StaticClass(), TGLXYZGrid::StaticClass()}); }
