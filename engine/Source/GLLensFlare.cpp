// The lens flare. Sections: gradient · life and properties · visibility and size · elements ·
// rays texture · registration.

#include "GLLensFlare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "GLContext.h"
#include "GLSceneBuffer.h"
#include "GLState.h"
#include "SysMath.h"

// ---- gradient ----

TGLFlareGradient::TGLFlareGradient(TPersistent* owner)
    : TGLUpdateAbleObject(owner), fromColor_(new TGLColor(this)), toColor_(new TGLColor(this)) {}

TGLFlareGradient::TGLFlareGradient(TPersistent* owner, const TVector4f& fromColor, const TVector4f& toColor)
    : TGLUpdateAbleObject(owner), fromColor_(new TGLColor(this, fromColor)), toColor_(new TGLColor(this, toColor)) {}

TGLFlareGradient::~TGLFlareGradient() {
    delete fromColor_;
    delete toColor_;
}

void TGLFlareGradient::Assign(TPersistent* source) {
    if (auto* other = As<TGLFlareGradient>(source)) {
        fromColor_->Assign(other->fromColor_);
        toColor_->Assign(other->toColor_);
    } else {
        TGLUpdateAbleObject::Assign(source);
    }
}

// ---- life and properties ----

TGLLensFlare::TGLLensFlare(TComponent* owner)
    : TGLBaseSceneObject(owner),
      glowGradient_(new TGLFlareGradient(this, {1, 1, 0.8f, 0.3f}, {1, 0.2f, 0, 0})),
      ringGradient_(new TGLFlareGradient(this, {0.5f, 0.2f, 0, 0.1f}, {0.5f, 0.4f, 0, 0.1f})),
      streaksGradient_(new TGLFlareGradient(this, {1, 1, 1, 0.2f}, {0.2f, 0, 1, 0})),
      raysGradient_(new TGLFlareGradient(this, {1, 0.8f, 0.5f, 0.05f}, {0.5f, 0.2f, 0, 0})),
      secondariesGradient_(new TGLFlareGradient(this, {0, 0.2f, 1, 0}, {0, 0.8f, 0.2f, 0.15f})),
      raysTexture_(new TGLTextureHandle()) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
    BuildTables();
}

TGLLensFlare::~TGLLensFlare() {
    SetPreRenderPoint(nullptr);
    // The subtree goes first: children may still report through this object meanwhile.
    BeforeDestruction();
    delete glowGradient_;
    delete ringGradient_;
    delete streaksGradient_;
    delete raysGradient_;
    delete secondariesGradient_;
    delete occlusionQuery_;
    delete raysTexture_;
}

void TGLLensFlare::SetGlowGradient(TGLFlareGradient* value) {
    glowGradient_->Assign(value);
    StructureChanged();
}

void TGLLensFlare::SetStructureValue(Integer& field, Integer value) {
    field = value;
    StructureChanged();
}

void TGLLensFlare::SetStructureValue(Single& field, Single value) {
    field = value;
    StructureChanged();
}

void TGLLensFlare::SetSize(Integer value) { SetStructureValue(size_, value); }
void TGLLensFlare::SetSeed(Integer value) { SetStructureValue(seed_, value); }
void TGLLensFlare::SetSqueeze(Single value) { SetStructureValue(squeeze_, value); }
void TGLLensFlare::SetNumStreaks(Integer value) { SetStructureValue(numStreaks_, value); }
void TGLLensFlare::SetStreakWidth(Single value) { SetStructureValue(streakWidth_, value); }
void TGLLensFlare::SetStreakAngle(Single value) { SetStructureValue(streakAngle_, value); }
void TGLLensFlare::SetNumSecs(Integer value) { SetStructureValue(numSecs_, value); }

void TGLLensFlare::SetResolution(Integer value) {
    // A table needs two entries (its first and last directions); fewer would divide by zero.
    value = std::max<Integer>(value, 2);
    if (value == resolution_) return;
    resolution_ = value;
    StructureChanged();
    BuildTables();
}

void TGLLensFlare::SetAutoZTest(bool value) {
    if (AssignIfChanged(autoZTest_, value)) StructureChanged();
}

void TGLLensFlare::SetElements(TFlareElements value) {
    if (AssignIfChanged(elements_, value)) StructureChanged();
}

void TGLLensFlare::SetPreRenderPoint(TGLRenderPoint* value) {
    if (value == preRenderPoint_) return;
    if (preRenderPoint_) {
        preRenderPoint_->UnRegisterCallBack(MakeEvent(this, &TGLLensFlare::PrepareRaysTexture));
        preRenderPoint_->RemoveFreeNotification(this);
    }
    preRenderPoint_ = value;
    if (preRenderPoint_) {
        preRenderPoint_->RegisterCallBack(MakeEvent(this, &TGLLensFlare::PrepareRaysTexture),
                                          MakeEvent(this, &TGLLensFlare::PreRenderPointFreed));
        preRenderPoint_->FreeNotification(this);
    }
}

void TGLLensFlare::PreRenderPointFreed(TObject* sender) {
    if (sender != preRenderPoint_) return;
    preRenderPoint_->RemoveFreeNotification(this);
    preRenderPoint_ = nullptr;
}

void TGLLensFlare::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == preRenderPoint_) preRenderPoint_ = nullptr;
    TGLBaseSceneObject::Notification(component, operation);
}

bool TGLLensFlare::HasRaysTexture() const { return raysTexture_->Handle() != 0; }

void TGLLensFlare::BuildTables() {
    auto fill = [](std::vector<Single>& sines, std::vector<Single>& cosines, Integer count) {
        sines.resize(size_t(count));
        cosines.resize(size_t(count));
        const Extended step = 2 * std::numbers::pi_v<Extended> / (count - 1);
        for (Integer i = 0; i < count; ++i) {
            sines[size_t(i)] = Single(std::sin(i * step));
            cosines[size_t(i)] = Single(std::cos(i * step));
        }
    };
    fill(discSin_, discCos_, resolution_);
    fill(raySin_, rayCos_, resolution_ * 20);
}

void TGLLensFlare::DoProgress(const TProgressStepTimes& times) {
    TGLBaseSceneObject::DoProgress(times);
    deltaTime_ = Single(times.DeltaTime);
}

// ---- visibility and size ----

void TGLLensFlare::BuildList(TRenderContextInfo& rci) {
    if (rci.drawState == dsPicking || !rci.buffer) return;
    TGLSceneBuffer* buffer = rci.buffer;
    const TVector4f position = GetAbsolutePosition();
    const TAffineVector screen = buffer->WorldToScreen(AbsoluteAffinePosition());
    const Single vw = Single(rci.viewportWidth), vh = Single(rci.viewportHeight);
    const TVector4f toFlare = {position.X - rci.cameraPosition.X, position.Y - rci.cameraPosition.Y,
                               position.Z - rci.cameraPosition.Z, 0};
    const bool inFront =
        toFlare.X * rci.cameraDirection.X + toFlare.Y * rci.cameraDirection.Y + toFlare.Z * rci.cameraDirection.Z > 0;
    const bool inView = inFront && screen.X >= 0 && screen.X < vw && screen.Y >= 0 && screen.Y < vh;

    const bool designing = Owner() && Owner()->ComponentState().Contains(csDesigning);
    if (dynamic_ && !designing) {
        const Single step = deltaTime_ * 10 * size_;
        if (inView && flareIsNotOccluded_)
            currentSize_ = std::min(currentSize_ + step, Single(size_));
        else
            currentSize_ = std::max(currentSize_ - step, 0.0f);
    } else {
        currentSize_ = inView && flareIsNotOccluded_ ? Single(size_) : 0;
    }

    // Window space: one unit a pixel, the origin at the viewport's centre, y upward.
    GL.glPushMatrix();
    GL.glLoadMatrixf(&buffer->BaseProjectionMatrix()[0].X);
    GL.glMatrixMode(GL_PROJECTION);
    GL.glPushMatrix();
    GL.glLoadIdentity();
    GL.glScalef(2 / vw, 2 / vh, 1);
    GL.glMatrixMode(GL_MODELVIEW);
    const Single px = screen.X - vw / 2, py = screen.Y - vh / 2;
    try {
        if (autoZTest_) TestOcclusion(rci, px, py, screen.X, screen.Y);
        DrawElements(rci, px, py);
    } catch (...) {
        GL.glMatrixMode(GL_PROJECTION);
        GL.glPopMatrix();
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glPopMatrix();
        throw;
    }
    GL.glMatrixMode(GL_PROJECTION);
    GL.glPopMatrix();
    GL.glMatrixMode(GL_MODELVIEW);
    GL.glPopMatrix();
}

void TGLLensFlare::TestOcclusion(TRenderContextInfo& rci, Single px, Single py, Single sx, Single sy) {
    if (!(dynamic_ && (GL.GL_NV_occlusion_query || GL.GL_HP_occlusion_test))) {
        // The depth already drawn under the flare's centre, as a distance from the camera.
        const Single pixelDistance =
            rci.buffer->PixelDepthToDistance(Integer(Round(sx)), Integer(Round(rci.viewportHeight - sy)));
        const TVector4f position = GetAbsolutePosition();
        const Single dx = position.X - rci.cameraPosition.X, dy = position.Y - rci.cameraPosition.Y,
                     dz = position.Z - rci.cameraPosition.Z;
        flareIsNotOccluded_ = std::sqrt(dx * dx + dy * dy + dz * dz) - pixelDistance < 1;
        return;
    }
    // A tiny quad at the far plane passes the depth test only where nothing was drawn yet.
    flareIsNotOccluded_ = true;
    GL.glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    GL.glDepthMask(GL_FALSE);
    bool queryRunning = false, hpTest = false;
    if (GL.GL_NV_occlusion_query) {
        if (!occlusionQuery_) occlusionQuery_ = new TGLOcclusionQueryHandle();
        if (occlusionQuery_->Handle() == 0) {
            occlusionQuery_->Allocate();
            occlusionQuery_->BeginQuery();
            queryRunning = true;
        } else if (occlusionQuery_->RenderingContext() == ActiveGLContext()) {
            // The result of the previous frame's query.
            flareIsNotOccluded_ = occlusionQuery_->QueryPixelCount() > 0;
            occlusionQuery_->BeginQuery();
            queryRunning = true;
        } else {
            hpTest = GL.GL_HP_occlusion_test;
        }
    } else {
        hpTest = true;
    }
    if (hpTest) GL.glEnable(GL_OCCLUSION_TEST_HP);
    GL.glDepthFunc(GL_LEQUAL);
    GL.glBegin(GL_QUADS);
    GL.glVertex3f(px + 2, py, 1);
    GL.glVertex3f(px, py + 2, 1);
    GL.glVertex3f(px - 2, py, 1);
    GL.glVertex3f(px, py - 2, 1);
    GL.glEnd();
    GL.glDepthFunc(GL_LESS);
    if (queryRunning) {
        occlusionQuery_->EndQuery();
    } else if (hpTest) {
        GL.glDisable(GL_OCCLUSION_TEST_HP);
        GLboolean visible = GL_TRUE;
        GL.glGetBooleanv(GL_OCCLUSION_TEST_RESULT_HP, &visible);
        flareIsNotOccluded_ = visible != GL_FALSE;
    }
    GL.glDepthMask(GL_TRUE);
    GL.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// ---- elements ----

void TGLLensFlare::DrawDisc(Single cx, Single cy, Single radius, Single squeeze, const TGLFlareGradient* gradient) {
    GL.glBegin(GL_TRIANGLE_FAN);
    GL.glColor4fv(gradient->FromColor()->ColorVectorAddress());
    GL.glVertex2f(cx, cy);
    GL.glColor4fv(gradient->ToColor()->ColorVectorAddress());
    for (size_t i = 0; i < discSin_.size(); ++i)
        GL.glVertex2f(cx + radius * discCos_[i], cy + radius * squeeze * discSin_[i]);
    GL.glEnd();
}

void TGLLensFlare::DrawRays(Single size) {
    GL.glLineWidth(1);
    GL.glBegin(GL_LINES);
    for (size_t i = 0; i < raySin_.size(); ++i) {
        Single length = Single(Random()) * size;
        if (i % 2 == 1) length *= 1.5f;
        GL.glColor4fv(raysGradient_->FromColor()->ColorVectorAddress());
        GL.glVertex2f(0, 0);
        GL.glColor4fv(raysGradient_->ToColor()->ColorVectorAddress());
        GL.glVertex2f(length * rayCos_[i], length * raySin_[i] * squeeze_);
    }
    GL.glEnd();
}

void TGLLensFlare::DrawElements(TRenderContextInfo& rci, Single px, Single py) {
    const Integer savedSeed = RandSeed;
    RandSeed = seed_;
    // Line width and texture environment are put back with the enables.
    GL.glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_TEXTURE_BIT);
    GL.glDisable(GL_LIGHTING);
    GL.glDisable(GL_DEPTH_TEST);
    GL.glDisable(GL_FOG);
    GL.glDisable(GL_COLOR_MATERIAL);
    GL.glDisable(GL_CULL_FACE);
    GL.glDepthMask(GL_FALSE);
    GL.glEnable(GL_BLEND);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const Single s = currentSize_;
    try {
        if (elements_.Contains(feGlow) || elements_.Contains(feRing) || elements_.Contains(feStreaks) ||
            elements_.Contains(feRays)) {
            GL.glTranslatef(px, py, 0);
            if (elements_.Contains(feGlow)) DrawDisc(0, 0, s, squeeze_, glowGradient_);
            if (elements_.Contains(feStreaks)) {
                GL.glEnable(GL_LINE_SMOOTH);
                GL.glLineWidth(streakWidth_);
                GL.glBegin(GL_LINES);
                const Extended first = streakAngle_ * std::numbers::pi_v<Extended> / 180;
                for (Integer k = 0; k < numStreaks_; ++k) {
                    const Extended angle = first + k * 2 * std::numbers::pi_v<Extended> / numStreaks_;
                    GL.glColor4fv(streaksGradient_->FromColor()->ColorVectorAddress());
                    GL.glVertex2f(0, 0);
                    GL.glColor4fv(streaksGradient_->ToColor()->ColorVectorAddress());
                    GL.glVertex2f(Single(1.5L * s * std::cos(angle)), Single(squeeze_ * 1.5L * s * std::sin(angle)));
                }
                GL.glEnd();
                GL.glDisable(GL_LINE_SMOOTH);
            }
            if (elements_.Contains(feRays)) {
                if (raysTexture_->Handle() != 0) {
                    rci.GLStates->BindTextureCached(0, GL_TEXTURE_2D, raysTexture_->Handle());
                    GL.glEnable(GL_TEXTURE_2D);
                    GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
                    GL.glBegin(GL_QUADS);
                    GL.glTexCoord2f(0, 0);
                    GL.glVertex2f(-s, -s);
                    GL.glTexCoord2f(1, 0);
                    GL.glVertex2f(s, -s);
                    GL.glTexCoord2f(1, 1);
                    GL.glVertex2f(s, s);
                    GL.glTexCoord2f(0, 1);
                    GL.glVertex2f(-s, s);
                    GL.glEnd();
                    rci.GLStates->BindTextureCached(0, GL_TEXTURE_2D, 0);
                } else {
                    DrawRays(s);
                }
            }
            if (elements_.Contains(feRing)) {
                const Single w = s / 15;
                Single prevX = 0.6f, prevY = 0;
                GL.glBegin(GL_QUADS);
                for (size_t i = 0; i < discSin_.size(); ++i) {
                    const Single x = 0.6f * discCos_[i], y = 0.6f * discSin_[i] * squeeze_;
                    const Single* ringColor = ringGradient_->FromColor()->ColorVectorAddress();
                    const Single* rimColor = glowGradient_->ToColor()->ColorVectorAddress();
                    GL.glColor4fv(rimColor);
                    GL.glVertex2f((s - w) * prevX, (s - w) * prevY);
                    GL.glColor4fv(ringColor);
                    GL.glVertex2f(s * prevX, s * prevY);
                    GL.glVertex2f(s * x, s * y);
                    GL.glColor4fv(rimColor);
                    GL.glVertex2f((s - w) * x, (s - w) * y);

                    GL.glColor4fv(ringColor);
                    GL.glVertex2f(s * prevX, s * prevY);
                    GL.glVertex2f(s * x, s * y);
                    GL.glColor4fv(rimColor);
                    GL.glVertex2f((s + w) * x, (s + w) * y);
                    GL.glVertex2f((s + w) * prevX, (s + w) * prevY);
                    prevX = x;
                    prevY = y;
                }
                GL.glEnd();
            }
            GL.glLoadMatrixf(&rci.buffer->BaseProjectionMatrix()[0].X);
        }
        if (elements_.Contains(feSecondaries)) {
            for (Integer k = 1; k <= numSecs_; ++k) {
                Single t = Single(2 * Random() - 1);
                if (t >= 0) t *= 0.8f;
                const TGLFlareGradient* gradient = k % 3 == 0 ? glowGradient_ : secondariesGradient_;
                const Single radius = Single((Random() + 0.1) * s * 0.25);
                DrawDisc(px * t, py * t, radius, 1, gradient);
            }
        }
    } catch (...) {
        GL.glPopAttrib();
        GL.glDepthMask(GL_TRUE);
        RandSeed = savedSeed;
        throw;
    }
    GL.glPopAttrib();
    GL.glDepthMask(GL_TRUE);
    RandSeed = savedSeed;
    // The pop put back the binding the square's texture replaced, behind the cache's back.
    if (elements_.Contains(feRays) && HasRaysTexture()) rci.GLStates->ResetTextureCache();
}

// ---- rays texture ----

Integer LensFlareRaysTextureSize(Integer size, Integer maxTextureSize) {
    Int64 side = 1;
    while (side < size && side < maxTextureSize) side *= 2;
    if (1.5L * size > side) side *= 2;
    return Integer(std::max<Int64>(std::min<Int64>(side, maxTextureSize), 1));
}

namespace {

// For its lifetime: window pixels with the origin at the bottom-left corner, and the pushed
// enables, colour, line and pixel-store state; depth writes come back on afterwards.
class TRaysTexturePass {
public:
    TRaysTexturePass(Integer width, Integer height) {
        GL.glMatrixMode(GL_PROJECTION);
        GL.glPushMatrix();
        GL.glLoadIdentity();
        GL.glOrtho(0, width, 0, height, -1, 1);
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glPushMatrix();
        GL.glLoadIdentity();
        GL.glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
        GL.glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    }
    ~TRaysTexturePass() {
        GL.glPopClientAttrib();
        GL.glPopAttrib();
        GL.glDepthMask(GL_TRUE);
        GL.glMatrixMode(GL_PROJECTION);
        GL.glPopMatrix();
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glPopMatrix();
    }
    TRaysTexturePass(const TRaysTexturePass&) = delete;
    TRaysTexturePass& operator=(const TRaysTexturePass&) = delete;
};

}  // namespace

void TGLLensFlare::PrepareRaysTexture(TObject*, TRenderContextInfo& rci) {
    if (HasRaysTexture() || rci.viewportWidth <= 0 || rci.viewportHeight <= 0) return;
    GLint maxTextureSize = 0;
    GL.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
    const Integer c = LensFlareRaysTextureSize(size_, maxTextureSize);
    // The rays are drawn at the frame's corner, in a square of c + 4 pixels, which gets its
    // pixels back once the texture holds them.
    const GLsizei keptWidth = std::min<GLsizei>(c + 4, rci.viewportWidth);
    const GLsizei keptHeight = std::min<GLsizei>(c + 4, rci.viewportHeight);
    std::vector<Byte> corner(size_t(keptWidth) * size_t(keptHeight) * 4);
    {
        TRaysTexturePass pass(rci.viewportWidth, rci.viewportHeight);
        GL.glPixelStorei(GL_PACK_ALIGNMENT, 1);
        GL.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        GL.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        GL.glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        GL.glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        GL.glReadPixels(0, 0, keptWidth, keptHeight, GL_RGBA, GL_UNSIGNED_BYTE, corner.data());
        GL.glDisable(GL_LIGHTING);
        GL.glDisable(GL_DEPTH_TEST);
        GL.glDisable(GL_FOG);
        GL.glDisable(GL_COLOR_MATERIAL);
        GL.glDisable(GL_CULL_FACE);
        GL.glDisable(GL_TEXTURE_2D);
        GL.glDepthMask(GL_FALSE);

        GL.glDisable(GL_BLEND);
        GL.glColor4f(0, 0, 0, 0);
        GL.glBegin(GL_QUADS);
        GL.glVertex2f(0, 0);
        GL.glVertex2f(Single(c + 4), 0);
        GL.glVertex2f(Single(c + 4), Single(c + 4));
        GL.glVertex2f(0, Single(c + 4));
        GL.glEnd();
        GL.glEnable(GL_BLEND);
        GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        GL.glTranslatef(c / 2.0f + 2, c / 2.0f + 2, 0);
        // The same rays whenever the texture is made, and the program's sequence untouched.
        const Integer savedSeed = RandSeed;
        RandSeed = seed_;
        DrawRays(c / 2.0f);
        RandSeed = savedSeed;

        raysTexture_->Allocate();
        rci.GLStates->BindTextureCached(0, GL_TEXTURE_2D, raysTexture_->Handle());
        const GLint wrap = GL.GL_VERSION_1_2 || GL.GL_EXT_texture_edge_clamp ? GL_CLAMP_TO_EDGE : GL_CLAMP;
        GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        GL.glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, c, c, 0);
        rci.GLStates->BindTextureCached(0, GL_TEXTURE_2D, 0);

        GL.glDisable(GL_BLEND);
        GL.glLoadIdentity();
        GL.glRasterPos2i(0, 0);
        GL.glDrawPixels(keptWidth, keptHeight, GL_RGBA, GL_UNSIGNED_BYTE, corner.data());
    }
    RaiseGLErrorIfAny();
}

// ---- registration ----

void InitializeGLLensFlare() { RegisterClasses({TGLLensFlare::StaticClass()}); }
