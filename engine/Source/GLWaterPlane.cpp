// The water plane. Sections: life and properties · grid, mask and strips · progress and
// simulation · drawing · registration.

#include "GLWaterPlane.h"

#include <algorithm>

#include "Bitmap.h"
#include "Canvas.h"
#include "Picture.h"
#include "SysMath.h"
#include "XOpenGL.h"

// ---- life and properties ----

TGLWaterPlane::TGLWaterPlane(TComponent* owner) : TGLSceneObject(owner), mask_(new TPicture()) {
    SetObjectStyle(ObjectStyle() + osDirectDraw);
    mask_->OnChange = MakeEvent(this, &TGLWaterPlane::MaskChanged);
    RebuildGrid();
}

TGLWaterPlane::~TGLWaterPlane() {
    // The subtree goes first: children may still report through this object meanwhile.
    BeforeDestruction();
    delete mask_;
}

void TGLWaterPlane::SetRainTimeInterval(Integer value) {
    if (value >= 0 && value <= 1000000) rainTimeInterval_ = value;
}

void TGLWaterPlane::SetRainForce(Single value) {
    if (value >= 0 && value <= 1000000) rainForce_ = value;
}

void TGLWaterPlane::SetViscosity(Single value) {
    if (value >= 0 && value <= 1) viscosity_ = value;
}

void TGLWaterPlane::SetResolution(Integer value) {
    value = std::max<Integer>(value, 16);
    if (AssignIfChanged(resolution_, value)) RebuildGrid();
}

void TGLWaterPlane::SetOptions(TGLWaterPlaneOptions value) {
    if (AssignIfChanged(options_, value)) StructureChanged();
}

void TGLWaterPlane::SetMask(TPicture* value) { mask_->Assign(value); }

void TGLWaterPlane::MaskChanged(TObject*) {
    Reset();
    StructureChanged();
}

void TGLWaterPlane::SetSimulationFrequency(Single value) {
    value = std::max(value, 1.0f);
    if (AssignIfChanged(simulationFrequency_, value)) timeToNextUpdate_ = 0;
}

void TGLWaterPlane::Assign(TPersistent* source) {
    if (auto* other = As<TGLWaterPlane>(source)) {
        active_ = other->active_;
        SetRainTimeInterval(other->rainTimeInterval_);
        SetRainForce(other->rainForce_);
        SetViscosity(other->viscosity_);
    }
    TGLSceneObject::Assign(source);
}

// ---- grid, mask and strips ----

void TGLWaterPlane::RebuildGrid() {
    const Integer n = resolution_;
    const size_t cells = size_t(n) * size_t(n);
    vertices_.resize(cells);
    texCoords_.resize(cells);
    for (Integer a = 0; a < n; ++a) {
        for (Integer b = 0; b < n; ++b) {
            const size_t i = size_t(a) * size_t(n) + size_t(b);
            texCoords_[i] = {Single(a) / n, Single(b) / n};
            vertices_[i] = {(a - n / 2.0f) / n, 0, (b - n / 2.0f) / n};
        }
    }
    normals_.assign(cells, TAffineVector{0, 2048, 0});
    heights_.resize(cells);
    velocities_.resize(cells);
    locks_.resize(cells);
    Reset();
    SimulationStep();
    StructureChanged();
}

void TGLWaterPlane::Reset() {
    const Integer n = resolution_;
    std::fill(heights_.begin(), heights_.end(), 0.0f);
    std::fill(velocities_.begin(), velocities_.end(), 0.0f);
    std::fill(locks_.begin(), locks_.end(), false);
    if (mask_->Graphic() && !mask_->Graphic()->Empty()) {
        TBitmap cells(n, n, pf32bit);
        cells.Canvas()->StretchDraw(Rect(0, 0, n, n), mask_->Graphic());
        for (Integer row = 0; row < n; ++row) {
            // Bitmap rows count from the top; grid rows from the bottom.
            const auto* pixels = static_cast<const Cardinal*>(cells.ScanLine(n - 1 - row));
            for (Integer column = 0; column < n; ++column)
                locks_[size_t(column) + size_t(row) * size_t(n)] = (pixels[column] & 0x8000) == 0;
        }
    }

    strips_.clear();
    for (Integer row = 0; row + 1 < n; ++row) {
        std::vector<Cardinal> strip;
        for (Integer column = 0; column < n; ++column) {
            const size_t p = size_t(column) + size_t(n) * size_t(row);
            bool dry = locks_[p] && locks_[p + size_t(n)];
            if (column < n - 1) dry = dry && locks_[p + 1] && locks_[p + size_t(n) + 1];
            // A strip with an odd number of pairs needs one more to close its last quad.
            if ((strip.size() / 2) % 2 == 1) dry = false;
            if (!dry) {
                strip.push_back(Cardinal(p));
                strip.push_back(Cardinal(p + size_t(n)));
            } else if (!strip.empty()) {
                strips_.push_back(std::move(strip));
                strip.clear();
            }
        }
        if (!strip.empty()) strips_.push_back(std::move(strip));
    }
}

// ---- progress and simulation ----

void TGLWaterPlane::CreateRippleAtGridPos(Integer column, Integer row) {
    const Integer n = resolution_;
    if (column > 0 && column < n - 1 && row > 0 && row < n - 1)
        velocities_[size_t(column) + size_t(row) * size_t(n)] = rainForce_;
}

void TGLWaterPlane::CreateRippleRandom() {
    const Integer row = 2 + Random(resolution_ - 3);
    const Integer column = 2 + Random(resolution_ - 3);
    CreateRippleAtGridPos(column, row);
}

void TGLWaterPlane::DoProgress(const TProgressStepTimes& times) {
    TGLSceneObject::DoProgress(times);
    if (!active_ || !Visible()) return;
    const Single delta = Single(times.DeltaTime);

    if (rainTimeInterval_ > 0) {
        const Single interval = rainTimeInterval_ / 1000.0f;
        timeToNextRainDrop_ -= delta;
        Integer catchUp = maximumCatchupIterations_;
        while (timeToNextRainDrop_ <= 0) {
            CreateRippleRandom();
            timeToNextRainDrop_ += interval;
            if (--catchUp < 0) {
                if (timeToNextRainDrop_ < 0) timeToNextRainDrop_ = interval;
                break;
            }
        }
    }

    timeToNextUpdate_ -= delta;
    if (timeToNextUpdate_ > 0) return;
    const Single interval = 1 / simulationFrequency_;
    Integer catchUp = maximumCatchupIterations_;
    while (timeToNextUpdate_ <= 0) {
        SimulationStep();
        timeToNextUpdate_ += interval;
        if (--catchUp < 0) {
            if (timeToNextUpdate_ < 0) timeToNextUpdate_ = interval;
            break;
        }
    }
    StructureChanged();
}

void TGLWaterPlane::SimulationStep() {
    if (!Visible()) return;
    const Int64 start = ReadPrecisionCounter();
    const Integer n = resolution_;
    const size_t row = size_t(n);
    const Single elastic = elastic_ * 0.01f;
    for (Integer y = 1; y < n - 1; ++y) {
        for (Integer x = 1; x < n - 1; ++x) {
            const size_t i = size_t(x) + size_t(y) * row;
            if (locks_[i]) continue;
            const Single sides = heights_[i - 1] + heights_[i + 1] + heights_[i - row] + heights_[i + row];
            const Single corners =
                heights_[i - row - 1] + heights_[i - row + 1] + heights_[i + row - 1] + heights_[i + row + 1];
            velocities_[i] += (heights_[i] - (4 * sides + corners) * 0.05f) * elastic;
        }
    }
    const Single fall = n * 0.02f;
    const Single lift = 0.0001f / n;
    for (size_t i = 0; i < heights_.size(); ++i) {
        if (locks_[i]) continue;
        heights_[i] -= fall * velocities_[i];
        velocities_[i] *= viscosity_;
        vertices_[i].Y = lift * heights_[i];
    }
    for (Integer y = 1; y < n - 1; ++y) {
        for (Integer x = 1; x < n - 1; ++x) {
            const size_t i = size_t(x) + size_t(y) * row;
            normals_[i].X = heights_[i + 1] - heights_[i - 1];
            normals_[i].Z = heights_[i + row] - heights_[i - row];
        }
    }
    lastUpdateTime_ = Single(SecondsSinceCounter(start));
}

// ---- drawing ----

void TGLWaterPlane::BuildList(TRenderContextInfo&) {
    GL.glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    GL.glEnableClientState(GL_VERTEX_ARRAY);
    GL.glVertexPointer(3, GL_FLOAT, 0, vertices_.data());
    GL.glEnableClientState(GL_NORMAL_ARRAY);
    GL.glNormalPointer(GL_FLOAT, 0, normals_.data());
    if (options_.Contains(wpoTextured)) {
        MappedTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
        MappedEnableClientState(GL_TEXTURE_COORD_ARRAY);
    } else {
        MappedDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    const bool lock = GL.GL_EXT_compiled_vertex_array;
    if (lock) GL.glLockArraysEXT(0, GLsizei(vertices_.size()));
    for (const auto& strip : strips_)
        GL.glDrawElements(GL_QUAD_STRIP, GLsizei(strip.size()), GL_UNSIGNED_INT, strip.data());
    if (lock) GL.glUnlockArraysEXT();
    GL.glPopClientAttrib();
}

// ---- registration ----

void InitializeGLWaterPlane() { RegisterClasses({TGLWaterPlane::StaticClass()}); }
