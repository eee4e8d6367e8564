#pragma once
// Values sampled on regular axes. TGLSamplingScale describes one axis (range, step and the
// origin the samples align with); TGLXYZGrid draws lines along up to three axes at the samples
// of the others; TGLHeightField samples z = f(x, y) on a lattice and draws it as triangle
// strips with computed normals.

#include "GLLines.h"

// ---- TGLSamplingScale ----

class TGLSamplingScale : public TGLUpdateAbleObject {
    Z_CLASS(TGLSamplingScale, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"Min", &TGLSamplingScale::Min, &TGLSamplingScale::SetMin);
        p.Property(L"Max", &TGLSamplingScale::Max, &TGLSamplingScale::SetMax);
        p.Property(L"Origin", &TGLSamplingScale::Origin, &TGLSamplingScale::SetOrigin);
        p.Property(L"Step", &TGLSamplingScale::Step, &TGLSamplingScale::SetStep);
    }

public:
    explicit TGLSamplingScale(TPersistent* owner) : TGLUpdateAbleObject(owner) {}

    Single Min() const { return min_; }
    // Max follows when it would lie below.
    void SetMin(Single value);
    Single Max() const { return max_; }
    // Min follows when it would lie above.
    void SetMax(Single value);
    Single Origin() const { return origin_; }
    void SetOrigin(Single value);
    Single Step() const { return step_; }
    // A value of 0 or below is stored as 1.
    void SetStep(Single value);

    void Assign(TPersistent* source) override;

    // The first sample at or above Min that lies a whole number of steps from Origin; Min
    // itself only when that distance is a whole, non-negative number of steps (an origin a
    // whole number of steps below Min gives Min + Step).
    Single StepBase() const;
    // (Max - Min) / Step + 0.5, rounded half to even.
    Integer MaxStepCount() const;
    // Max differs from Min.
    bool IsValid() const { return max_ != min_; }
    // The loop over the axis: enabled, from StepBase to Max (with a little slack, so that a
    // sample at Max survives rounding); disabled, the single position Origin.
    void SetBaseStepMaxToVars(Single& base, Single& step, Single& max, bool samplingEnabled) const;

private:
    Single min_ = 0, max_ = 0, origin_ = 0, step_ = 0.1f;
};

// ---- TGLXYZGrid ----

Z_ENUM(TXYZGridPart, int, gpX, gpY, gpZ)
using TXYZGridParts = TSet<TXYZGridPart>;
Z_ENUM(TXYZGridLinesStyle, int, davLine, davSegments)

class TGLXYZGrid : public TGLLineBase {
    Z_CLASS(TGLXYZGrid, TGLLineBase)
    Z_PUBLISHED {
        p.Property(L"XSamplingScale", &TGLXYZGrid::XSamplingScale);
        p.Property(L"YSamplingScale", &TGLXYZGrid::YSamplingScale);
        p.Property(L"ZSamplingScale", &TGLXYZGrid::ZSamplingScale);
        p.Property(L"Parts", &TGLXYZGrid::Parts, &TGLXYZGrid::SetParts).Default(TXYZGridParts{gpX, gpY});
        p.Property(L"LinesStyle", &TGLXYZGrid::LinesStyle, &TGLXYZGrid::SetLinesStyle).Default(davSegments);
        // Read from old descriptions only: it sets AntiAliased.
        p.Property(L"LinesSmoothing", &TGLXYZGrid::AntiAliased, &TGLXYZGrid::SetLinesSmoothing).Stored(false);
    }

public:
    explicit TGLXYZGrid(TComponent* owner);
    ~TGLXYZGrid() override;

    TGLSamplingScale* XSamplingScale() const { return xSamplingScale_; }
    TGLSamplingScale* YSamplingScale() const { return ySamplingScale_; }
    TGLSamplingScale* ZSamplingScale() const { return zSamplingScale_; }
    void SetXSamplingScale(TGLSamplingScale* value) { xSamplingScale_->Assign(value); }
    void SetYSamplingScale(TGLSamplingScale* value) { ySamplingScale_->Assign(value); }
    void SetZSamplingScale(TGLSamplingScale* value) { zSamplingScale_->Assign(value); }
    TXYZGridParts Parts() const { return parts_; }
    void SetParts(TXYZGridParts value);
    TXYZGridLinesStyle LinesStyle() const { return linesStyle_; }
    void SetLinesStyle(TXYZGridLinesStyle value);
    void SetLinesSmoothing(bool value) { SetAntiAliased(value); }

    void Assign(TPersistent* source) override;
    // A change of a sampling scale changes the geometry.
    void ReportChange(TObject* sender) override;
    // One line strip along each enabled axis for every sample position of the other two.
    void BuildList(TRenderContextInfo& rci) override;

private:
    TGLSamplingScale* xSamplingScale_;
    TGLSamplingScale* ySamplingScale_;
    TGLSamplingScale* zSamplingScale_;
    TXYZGridParts parts_{gpX, gpY};
    TXYZGridLinesStyle linesStyle_ = davSegments;
};

// ---- TGLHeightField ----

Z_ENUM(THeightFieldColorMode, int, hfcmNone, hfcmEmission, hfcmAmbient, hfcmDiffuse, hfcmAmbientAndDiffuse)
Z_ENUM(THeightFieldOption, int, hfoTextureCoordinates, hfoTwoSided)
using THeightFieldOptions = TSet<THeightFieldOption>;

// The height (and colour and texture point) at (x, y); texPoint comes preset to (x, y).
using THeightFieldGetHeightEvent =
    TEvent<void(const Single x, const Single y, Single& z, TVector4f& color, TTexPoint& texPoint)>;
using THeightFieldGetHeight2Event =
    TEvent<void(TObject* Sender, const Single x, const Single y, Single& z, TVector4f& color, TTexPoint& texPoint)>;

class TGLHeightField : public TGLSceneObject {
    Z_CLASS(TGLHeightField, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"XSamplingScale", &TGLHeightField::XSamplingScale);
        p.Property(L"YSamplingScale", &TGLHeightField::YSamplingScale);
        p.Property(L"ColorMode", &TGLHeightField::ColorMode, &TGLHeightField::SetColorMode).Default(hfcmNone);
        p.Property(L"Options", &TGLHeightField::Options, &TGLHeightField::SetOptions)
            .Default(THeightFieldOptions{hfoTwoSided});
        p.Property(L"OnGetHeight", &TGLHeightField::OnGetHeight, &TGLHeightField::SetOnGetHeight);
        p.Property(L"OnGetHeight2", &TGLHeightField::OnGetHeight2, &TGLHeightField::SetOnGetHeight2);
    }

public:
    explicit TGLHeightField(TComponent* owner);
    ~TGLHeightField() override;

    TGLSamplingScale* XSamplingScale() const { return xSamplingScale_; }
    TGLSamplingScale* YSamplingScale() const { return ySamplingScale_; }
    void SetXSamplingScale(TGLSamplingScale* value) { xSamplingScale_->Assign(value); }
    void SetYSamplingScale(TGLSamplingScale* value) { ySamplingScale_->Assign(value); }
    THeightFieldColorMode ColorMode() const { return colorMode_; }
    void SetColorMode(THeightFieldColorMode value);
    THeightFieldOptions Options() const { return options_; }
    void SetOptions(THeightFieldOptions value);
    // Without either event (or at design time) the field shows a built-in ripple. The events
    // are set through setters, not assigned as fields: a new height source changes the geometry.
    const THeightFieldGetHeightEvent& OnGetHeight() const { return onGetHeight_; }
    void SetOnGetHeight(const THeightFieldGetHeightEvent& value);
    const THeightFieldGetHeight2Event& OnGetHeight2() const { return onGetHeight2_; }
    void SetOnGetHeight2(const THeightFieldGetHeight2Event& value);

    void Assign(TPersistent* source) override;
    // A change of a sampling scale changes the geometry.
    void ReportChange(TObject* sender) override;
    // Nothing unless both scales are valid.
    void BuildList(TRenderContextInfo& rci) override;

private:
    TGLSamplingScale* xSamplingScale_;
    TGLSamplingScale* ySamplingScale_;
    THeightFieldColorMode colorMode_ = hfcmNone;
    THeightFieldOptions options_{hfoTwoSided};
    THeightFieldGetHeightEvent onGetHeight_;
    THeightFieldGetHeight2Event onGetHeight2_;
};

void InitializeGLGraph();
