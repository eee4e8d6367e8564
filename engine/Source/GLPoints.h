#pragma once
// TGLPoints: a cloud of OpenGL points, one per position, in one colour or one colour each, drawn
// square or round, plain or blended, optionally sized by distance (TGLPointParameters).

#include "GLCoordinates.h"
#include "GLCustomSceneObject.h"

class TAffineVectorList;
class TVectorList;

Z_ENUM(TGLPointStyle, int, psSquare, psRound, psSmooth, psSmoothAdditive, psSquareAdditive)

// Point sizes by distance, used only when enabled and when the context offers point parameters.
// The three sizes are stored together as the 12 bytes of "PointParams" (MinSize, MaxSize,
// FadeTresholdSize as singles), and only when one differs from its default.
class TGLPointParameters : public TGLUpdateAbleObject {
    Z_CLASS(TGLPointParameters, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TGLPointParameters::Enabled, &TGLPointParameters::SetEnabled).Default(false);
        p.Property(L"MinSize", &TGLPointParameters::MinSize, &TGLPointParameters::SetMinSize).Stored(false);
        p.Property(L"MaxSize", &TGLPointParameters::MaxSize, &TGLPointParameters::SetMaxSize).Stored(false);
        p.Property(L"FadeTresholdSize", &TGLPointParameters::FadeTresholdSize, &TGLPointParameters::SetFadeTresholdSize)
            .Stored(false);
        p.Property(L"DistanceAttenuation", &TGLPointParameters::DistanceAttenuation);
    }

public:
    explicit TGLPointParameters(TPersistent* owner);
    ~TGLPointParameters() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Negative sizes become 0.
    Single MinSize() const { return minSize_; }
    void SetMinSize(Single value);
    Single MaxSize() const { return maxSize_; }
    void SetMaxSize(Single value);
    Single FadeTresholdSize() const { return fadeTresholdSize_; }
    void SetFadeTresholdSize(Single value);
    // Constant, linear and quadratic factors; (1, 0, 0) by default.
    TGLCoordinates3* DistanceAttenuation() const { return distanceAttenuation_; }
    void SetDistanceAttenuation(TGLCoordinates3* value) { distanceAttenuation_->Assign(value); }

    // The three sizes and the attenuation; nothing from other sources.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

    // Around drawing, when enabled and the context offers point parameters: Apply sends the
    // settings, UnApply the defaults.
    void Apply();
    void UnApply();

private:
    void StoreSize(Single& field, Single value);

    bool enabled_ = false;
    Single minSize_ = 0, maxSize_ = 128, fadeTresholdSize_ = 1;
    TGLCoordinates3* distanceAttenuation_;
};

class TGLPoints : public TGLImmaterialSceneObject {
    Z_CLASS(TGLPoints, TGLImmaterialSceneObject)
    Z_PUBLISHED {
        p.Property(L"NoZWrite", &TGLPoints::NoZWrite, &TGLPoints::SetNoZWrite).Default(false);
        p.Property(L"Static", &TGLPoints::Static, &TGLPoints::SetStatic).Default(false);
        p.Property(L"Size", &TGLPoints::Size, &TGLPoints::SetSize).Default(1.0f);
        p.Property(L"Style", &TGLPoints::Style, &TGLPoints::SetStyle).Default(psSquare);
        p.Property(L"PointParameters", &TGLPoints::PointParameters);
    }

public:
    explicit TGLPoints(TComponent* owner);
    ~TGLPoints() override;

    bool NoZWrite() const { return noZWrite_; }
    void SetNoZWrite(bool value);
    bool Static() const { return static_; }
    // Static points are compiled into a display list; others are drawn anew every frame.
    void SetStatic(bool value);
    Single Size() const { return size_; }
    void SetSize(Single value);
    TGLPointStyle Style() const { return style_; }
    void SetStyle(TGLPointStyle value);
    TGLPointParameters* PointParameters() const { return pointParameters_; }
    void SetPointParameters(TGLPointParameters* value) { pointParameters_->Assign(value); }

    // One point at the origin at first.
    TAffineVectorList* PointPositions() const { return positions_; }
    // None: opaque white; one: all points; more: one per point (as many points as both lists
    // have).
    TVectorList* PointColors() const { return colors_; }

    void Assign(TPersistent* source) override;
    void BuildList(TRenderContextInfo& rci) override;

private:
    bool noZWrite_ = false;
    bool static_ = false;
    Single size_ = 1;
    TGLPointStyle style_ = psSquare;
    TGLPointParameters* pointParameters_;
    TAffineVectorList* positions_;
    TVectorList* colors_;
};
