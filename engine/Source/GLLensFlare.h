#pragma once
// TGLLensFlare: the flare of a bright light seen through a camera lens — a glow disc, a ring,
// streaks, rays and a row of secondary discs along the line through the screen centre — drawn
// in window space over the scene with additive blending. The shapes come from the runtime's
// random generator seeded with Seed; the generator's state is saved and restored around them,
// so the same seed always gives the same shapes and the program's own sequence is untouched.
// The flare grows and shrinks over time as its light comes into view or is hidden, and it
// tests its own visibility: with an occlusion query or test where the driver has one, else by
// reading the depth buffer under its centre. With a PreRenderPoint drawn before it, the rays
// are drawn once into a texture there and shown as one textured square afterwards.

#include <vector>

#include "GLBaseSceneObject.h"
#include "GLColor.h"
#include "GLRenderPoint.h"
#include "Sets.h"

class TGLOcclusionQueryHandle;
class TGLTextureHandle;

// A colour ramp from the centre of an element to its rim.
class TGLFlareGradient : public TGLUpdateAbleObject {
    Z_CLASS(TGLFlareGradient, TGLUpdateAbleObject)
    Z_PUBLISHED {
        p.Property(L"FromColor", &TGLFlareGradient::FromColor, &TGLFlareGradient::SetFromColor);
        p.Property(L"ToColor", &TGLFlareGradient::ToColor, &TGLFlareGradient::SetToColor);
    }

public:
    explicit TGLFlareGradient(TPersistent* owner);
    TGLFlareGradient(TPersistent* owner, const TVector4f& fromColor, const TVector4f& toColor);
    ~TGLFlareGradient() override;

    TGLColor* FromColor() const { return fromColor_; }
    void SetFromColor(TGLColor* value) { fromColor_->Assign(value); }
    TGLColor* ToColor() const { return toColor_; }
    void SetToColor(TGLColor* value) { toColor_->Assign(value); }
    void Assign(TPersistent* source) override;

private:
    TGLColor* fromColor_;
    TGLColor* toColor_;
};

Z_ENUM(TFlareElement, int, feGlow, feRing, feStreaks, feRays, feSecondaries)
using TFlareElements = TSet<TFlareElement>;

class TGLLensFlare : public TGLBaseSceneObject {
    Z_CLASS(TGLLensFlare, TGLBaseSceneObject)
    Z_PUBLISHED {
        p.Property(L"GlowGradient", &TGLLensFlare::GlowGradient, &TGLLensFlare::SetGlowGradient);
        p.Property(L"RingGradient", &TGLLensFlare::RingGradient);
        p.Property(L"StreaksGradient", &TGLLensFlare::StreaksGradient);
        p.Property(L"RaysGradient", &TGLLensFlare::RaysGradient);
        p.Property(L"SecondariesGradient", &TGLLensFlare::SecondariesGradient);
        p.Property(L"Size", &TGLLensFlare::Size, &TGLLensFlare::SetSize).Default(50);
        p.Property(L"Seed", &TGLLensFlare::Seed, &TGLLensFlare::SetSeed);
        p.Property(L"Squeeze", &TGLLensFlare::Squeeze, &TGLLensFlare::SetSqueeze)
            .Stored(&TGLLensFlare::IsSqueezeStored);
        p.Property(L"NumStreaks", &TGLLensFlare::NumStreaks, &TGLLensFlare::SetNumStreaks).Default(4);
        p.Property(L"StreakWidth", &TGLLensFlare::StreakWidth, &TGLLensFlare::SetStreakWidth)
            .Stored(&TGLLensFlare::IsStreakWidthStored);
        p.Property(L"StreakAngle", &TGLLensFlare::StreakAngle, &TGLLensFlare::SetStreakAngle).Default(0.0f);
        p.Property(L"NumSecs", &TGLLensFlare::NumSecs, &TGLLensFlare::SetNumSecs).Default(8);
        p.Property(L"Resolution", &TGLLensFlare::Resolution, &TGLLensFlare::SetResolution).Default(64);
        p.Property(L"AutoZTest", &TGLLensFlare::AutoZTest, &TGLLensFlare::SetAutoZTest).Default(true);
        p.Property(L"FlareIsNotOccluded", &TGLLensFlare::FlareIsNotOccluded, &TGLLensFlare::SetFlareIsNotOccluded);
        p.Property(L"Elements", &TGLLensFlare::Elements, &TGLLensFlare::SetElements)
            .Default(TFlareElements{feGlow, feRing, feStreaks, feRays, feSecondaries});
        p.Property(L"Dynamic", &TGLLensFlare::Dynamic, &TGLLensFlare::SetDynamic).Default(true);
        p.Property(L"PreRenderPoint", &TGLLensFlare::PreRenderPoint, &TGLLensFlare::SetPreRenderPoint);
    }

public:
    explicit TGLLensFlare(TComponent* owner);
    ~TGLLensFlare() override;

    TGLFlareGradient* GlowGradient() const { return glowGradient_; }
    void SetGlowGradient(TGLFlareGradient* value);
    TGLFlareGradient* RingGradient() const { return ringGradient_; }
    TGLFlareGradient* StreaksGradient() const { return streaksGradient_; }
    TGLFlareGradient* RaysGradient() const { return raysGradient_; }
    TGLFlareGradient* SecondariesGradient() const { return secondariesGradient_; }
    // Radius in pixels.
    Integer Size() const { return size_; }
    void SetSize(Integer value);
    Integer Seed() const { return seed_; }
    void SetSeed(Integer value);
    // Vertical scale of the glow, the rays and the streaks.
    Single Squeeze() const { return squeeze_; }
    void SetSqueeze(Single value);
    bool IsSqueezeStored() const { return squeeze_ != 1; }
    Integer NumStreaks() const { return numStreaks_; }
    void SetNumStreaks(Integer value);
    Single StreakWidth() const { return streakWidth_; }
    void SetStreakWidth(Single value);
    bool IsStreakWidthStored() const { return streakWidth_ != 2; }
    // Degrees.
    Single StreakAngle() const { return streakAngle_; }
    void SetStreakAngle(Single value);
    Integer NumSecs() const { return numSecs_; }
    void SetNumSecs(Integer value);
    // Segments of the discs; values below 2 become 2.
    Integer Resolution() const { return resolution_; }
    void SetResolution(Integer value);
    bool AutoZTest() const { return autoZTest_; }
    void SetAutoZTest(bool value);
    // The last visibility test's answer; with an occlusion query it lags one frame.
    bool FlareIsNotOccluded() const { return flareIsNotOccluded_; }
    void SetFlareIsNotOccluded(bool value) { flareIsNotOccluded_ = value; }
    TFlareElements Elements() const { return elements_; }
    void SetElements(TFlareElements value);
    // Fade in and out over time rather than show and hide at once.
    bool Dynamic() const { return dynamic_; }
    void SetDynamic(bool value) { dynamic_ = value; }
    // Where the rays texture is made, the first time the point draws (it must draw before the
    // flare); without one the rays are drawn as lines every frame.
    TGLRenderPoint* PreRenderPoint() const { return preRenderPoint_; }
    void SetPreRenderPoint(TGLRenderPoint* value);
    // Whether the rays are shown from their texture.
    bool HasRaysTexture() const;

    // The flare's size now, in pixels: what fades it.
    Single CurrentSize() const { return currentSize_; }
    void DoProgress(const TProgressStepTimes& times) override;
    // Draws the flare in window space (nothing while picking); the children are drawn by
    // DoRender as for any object.
    void BuildList(TRenderContextInfo& rci) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void BuildTables();
    // Lines from the centre in the rays directions, each of a random length up to size (1.5
    // times that for every other one).
    void DrawRays(Single size);
    void DrawDisc(Single cx, Single cy, Single radius, Single squeeze, const TGLFlareGradient* gradient);
    void TestOcclusion(TRenderContextInfo& rci, Single px, Single py, Single sx, Single sy);
    void DrawElements(TRenderContextInfo& rci, Single px, Single py);
    void SetStructureValue(Integer& field, Integer value);
    void SetStructureValue(Single& field, Single value);
    // The render point's callbacks: the rays texture is made once, at the frame's corner; the
    // point lets go of the flare.
    void PrepareRaysTexture(TObject* sender, TRenderContextInfo& rci);
    void PreRenderPointFreed(TObject* sender);

    TGLFlareGradient* glowGradient_;
    TGLFlareGradient* ringGradient_;
    TGLFlareGradient* streaksGradient_;
    TGLFlareGradient* raysGradient_;
    TGLFlareGradient* secondariesGradient_;
    Integer size_ = 50;
    Integer seed_ = 1465;
    Single squeeze_ = 1;
    Integer numStreaks_ = 4;
    Single streakWidth_ = 2;
    Single streakAngle_ = 0;
    Integer numSecs_ = 8;
    Integer resolution_ = 64;
    bool autoZTest_ = true;
    bool flareIsNotOccluded_ = true;
    TFlareElements elements_{feGlow, feRing, feStreaks, feRays, feSecondaries};
    bool dynamic_ = true;
    Single currentSize_ = 0;
    Single deltaTime_ = 0;
    std::vector<Single> discSin_, discCos_, raySin_, rayCos_;
    TGLTextureHandle* raysTexture_;
    TGLOcclusionQueryHandle* occlusionQuery_ = nullptr;
    TGLRenderPoint* preRenderPoint_ = nullptr;
};

// The side of the rays texture for a flare of that size: the power of two that holds the
// flare's radius, twice that when the longer rays (1.5 times the radius) would not fit, and no
// more than the largest texture.
Integer LensFlareRaysTextureSize(Integer size, Integer maxTextureSize);

void InitializeGLLensFlare();
