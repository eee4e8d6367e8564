#pragma once
// TGLWaterPlane: a square water surface (-0.5 .. 0.5 on X and Z, scaled by the object) whose
// heights follow a ripple simulation on a Resolution x Resolution grid. The cadencer advances it
// at a fixed simulation frequency, catching up at most MaximumCatchupIterations extra steps per
// progress call; random rain drops fall at RainTimeInterval; a mask picture locks the cells it
// marks dry (green below 128), which are neither simulated nor drawn. Nothing runs while the
// plane is inactive or invisible.

#include <vector>

#include "GLCustomSceneObject.h"
#include "Sets.h"

class TPicture;

Z_ENUM(TGLWaterPlaneOption, int, wpoTextured)
using TGLWaterPlaneOptions = TSet<TGLWaterPlaneOption>;

class TGLWaterPlane : public TGLSceneObject {
    Z_CLASS(TGLWaterPlane, TGLSceneObject)
    Z_PUBLISHED {
        p.Property(L"Active", &TGLWaterPlane::Active, &TGLWaterPlane::SetActive).Default(true);
        p.Property(L"RainTimeInterval", &TGLWaterPlane::RainTimeInterval, &TGLWaterPlane::SetRainTimeInterval)
            .Default(500);
        p.Property(L"RainForce", &TGLWaterPlane::RainForce, &TGLWaterPlane::SetRainForce).Default(5000.0f);
        p.Property(L"Viscosity", &TGLWaterPlane::Viscosity, &TGLWaterPlane::SetViscosity).Default(0.99f);
        p.Property(L"Elastic", &TGLWaterPlane::Elastic, &TGLWaterPlane::SetElastic).Default(10.0f);
        p.Property(L"Resolution", &TGLWaterPlane::Resolution, &TGLWaterPlane::SetResolution).Default(64);
        p.Property(L"Options", &TGLWaterPlane::Options, &TGLWaterPlane::SetOptions)
            .Default(TGLWaterPlaneOptions{wpoTextured});
        p.Property(L"Mask", &TGLWaterPlane::Mask, &TGLWaterPlane::SetMask);
        p.Property(L"SimulationFrequency", &TGLWaterPlane::SimulationFrequency, &TGLWaterPlane::SetSimulationFrequency)
            .Default(100.0f);
        p.Property(L"MaximumCatchupIterations", &TGLWaterPlane::MaximumCatchupIterations,
                   &TGLWaterPlane::SetMaximumCatchupIterations)
            .Default(1);
    }

public:
    explicit TGLWaterPlane(TComponent* owner);
    ~TGLWaterPlane() override;

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    // Milliseconds between rain drops (0: no rain); values outside 0..1000000 are ignored.
    Integer RainTimeInterval() const { return rainTimeInterval_; }
    void SetRainTimeInterval(Integer value);
    // The velocity a ripple gives its cell; values outside 0..1000000 are ignored.
    Single RainForce() const { return rainForce_; }
    void SetRainForce(Single value);
    // Values outside 0..1 are ignored.
    Single Viscosity() const { return viscosity_; }
    void SetViscosity(Single value);
    Single Elastic() const { return elastic_; }
    void SetElastic(Single value) { elastic_ = value; }
    // Cells a side, at least 16; a change rebuilds the grid.
    Integer Resolution() const { return resolution_; }
    void SetResolution(Integer value);
    TGLWaterPlaneOptions Options() const { return options_; }
    void SetOptions(TGLWaterPlaneOptions value);
    TPicture* Mask() const { return mask_; }
    void SetMask(TPicture* value);
    // Steps a second, at least 1.
    Single SimulationFrequency() const { return simulationFrequency_; }
    void SetSimulationFrequency(Single value);
    Integer MaximumCatchupIterations() const { return maximumCatchupIterations_; }
    void SetMaximumCatchupIterations(Integer value) { maximumCatchupIterations_ = value; }

    // Gives the cell the rain force as its velocity; border cells are left alone.
    void CreateRippleAtGridPos(Integer column, Integer row);
    // At a random interior cell (row, then column, from the runtime's generator).
    void CreateRippleRandom();
    // Heights and velocities to 0, locks from the mask, strips rebuilt.
    void Reset();

    // The simulation state, cell index = column + row * Resolution.
    const std::vector<Single>& Heights() const { return heights_; }
    const std::vector<Single>& Velocities() const { return velocities_; }
    const std::vector<bool>& Locks() const { return locks_; }
    const std::vector<TAffineVector>& Vertices() const { return vertices_; }
    const std::vector<TAffineVector>& Normals() const { return normals_; }
    // The quad strips drawn, as pairs of cell indices.
    const std::vector<std::vector<Cardinal>>& Strips() const { return strips_; }
    // Seconds to the next simulation step and to the next rain drop.
    Single TimeToNextUpdate() const { return timeToNextUpdate_; }
    Single TimeToNextRainDrop() const { return timeToNextRainDrop_; }
    // The duration of the last simulation step, in seconds.
    Single LastUpdateTime() const { return lastUpdateTime_; }

    void Assign(TPersistent* source) override;
    void DoProgress(const TProgressStepTimes& times) override;
    TVector4f UnscaledDimensions() const override { return {0.5f, 0, 0.5f, 0}; }
    void BuildList(TRenderContextInfo& rci) override;

private:
    void RebuildGrid();
    void SimulationStep();
    void MaskChanged(TObject*);

    bool active_ = true;
    Integer rainTimeInterval_ = 500;
    Single rainForce_ = 5000;
    Single viscosity_ = 0.99f;
    Single elastic_ = 10;
    Integer resolution_ = 64;
    TGLWaterPlaneOptions options_{wpoTextured};
    TPicture* mask_;
    Single simulationFrequency_ = 100;
    Integer maximumCatchupIterations_ = 1;

    std::vector<Single> heights_, velocities_;
    std::vector<bool> locks_;
    std::vector<TAffineVector> vertices_, normals_;
    std::vector<TTexPoint> texCoords_;
    std::vector<std::vector<Cardinal>> strips_;
    Single timeToNextUpdate_ = 0, timeToNextRainDrop_ = 0;
    Single lastUpdateTime_ = 0;
};

void InitializeGLWaterPlane();
