// HUD objects. Sections: window-space matrices · TGLHUDSprite · TGLHUDText and variants ·
// registration.

#include "GLHUDObjects.h"

#include <cmath>

#include "GLSceneBuffer.h"
#include "GLState.h"
#include "XOpenGL.h"

// ---- window-space matrices ----

namespace {

// For its lifetime: the model-view holds the buffer's base projection, scaled so that one unit
// is one pixel with y upward and the origin at the window point (x, y) (y from the top); the
// projection is the identity.
class THUDWindowSpace {
public:
    THUDWindowSpace(const TRenderContextInfo& rci, Single x, Single y, Single z, Single rotation) {
        const Single f = HUDScale(rci);
        const Single vw = Single(rci.viewportWidth), vh = Single(rci.viewportHeight);
        GL.glPushMatrix();
        GL.glLoadMatrixf(rci.buffer ? &rci.buffer->BaseProjectionMatrix()[0].X : &IdentityMatrix[0].X);
        GL.glScalef(2 / vw, 2 / vh, 1);
        GL.glTranslatef(f * x - vw / 2, vh / 2 - f * y, z);
        if (rotation != 0) GL.glRotatef(rotation, 0, 0, 1);
        GL.glMatrixMode(GL_PROJECTION);
        GL.glPushMatrix();
        GL.glLoadIdentity();
        GL.glMatrixMode(GL_MODELVIEW);
    }
    ~THUDWindowSpace() {
        GL.glMatrixMode(GL_PROJECTION);
        GL.glPopMatrix();
        GL.glMatrixMode(GL_MODELVIEW);
        GL.glPopMatrix();
    }
    THUDWindowSpace(const THUDWindowSpace&) = delete;
    THUDWindowSpace& operator=(const THUDWindowSpace&) = delete;

    // Pixels at 96 dots per inch to pixels at the render resolution.
    static Single HUDScale(const TRenderContextInfo& rci) { return rci.renderDPI > 0 ? Single(rci.renderDPI) / 96 : 1; }
};

}  // namespace

// ---- TGLHUDSprite ----

TGLHUDSprite::TGLHUDSprite(TComponent* owner) : TGLSprite(owner) {
    SetWidth(16);
    SetHeight(16);
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
}

void TGLHUDSprite::SetXTiles(Integer value) {
    if (AssignIfChanged(xTiles_, value)) StructureChanged();
}

void TGLHUDSprite::SetYTiles(Integer value) {
    if (AssignIfChanged(yTiles_, value)) StructureChanged();
}

bool TGLHUDSprite::IsWidthStored() const { return std::fabs(Width() - 16) > 0.001f; }
bool TGLHUDSprite::IsHeightStored() const { return std::fabs(Height() - 16) > 0.001f; }

void TGLHUDSprite::DoRender(TRenderContextInfo& rci, bool, bool) {
    // Picking and colour-masked passes: the sprite and its subtree take no part.
    if (rci.ignoreMaterials) return;
    auto draw = [&] {
        if (AlphaChannel() != 1) {
            if (rci.lightingDisabledCounter > 0) {
                const TVector4f& d = Material()->ResolvedMaterial()->FrontProperties()->Diffuse()->Color();
                GL.glColor4f(d.X, d.Y, d.Z, AlphaChannel());
            } else {
                rci.GLStates->SetDiffuseAlpha(GL_FRONT, AlphaChannel());
            }
        }
        THUDWindowSpace windowSpace(rci, Position()->X(), Position()->Y(), Position()->Z(), Rotation());
        TEnableAttribScope enableBits(rci.GLStates);
        GL.glDisable(GL_DEPTH_TEST);
        GL.glDepthMask(GL_FALSE);
        const Single f = THUDWindowSpace::HUDScale(rci);
        const Single w = Width() * f, h = Height() * f;
        GL.glBegin(GL_QUADS);
        GL.glNormal3f(0, 1, 0);
        MappedTexCoord2f(0, 0);
        GL.glVertex2f(-w / 2, -h / 2);
        MappedTexCoord2f(Single(xTiles_), 0);
        GL.glVertex2f(w / 2, -h / 2);
        MappedTexCoord2f(Single(xTiles_), Single(yTiles_));
        GL.glVertex2f(w / 2, h / 2);
        MappedTexCoord2f(0, Single(yTiles_));
        GL.glVertex2f(-w / 2, h / 2);
        GL.glEnd();
        GL.glDepthMask(GL_TRUE);
    };
    Material()->Apply(rci);
    try {
        do draw();
        while (Material()->Unapply(rci));
    } catch (...) {
        while (Material()->Unapply(rci)) {}
        throw;
    }
    if (GetChildCount() > 0) RenderChildren(0, GetChildCount() - 1, rci);
}

// ---- TGLHUDText ----

TGLHUDText::TGLHUDText(TComponent* owner)
    : TGLImmaterialSceneObject(owner), modulateColor_(new TGLColor(this, {1, 1, 1, 1})) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
}

TGLHUDText::~TGLHUDText() {
    SetBitmapFont(nullptr);
    delete modulateColor_;
    modulateColor_ = nullptr;
}

void TGLHUDText::SetBitmapFont(TGLCustomBitmapFont* value) {
    if (value == bitmapFont_) return;
    if (bitmapFont_) bitmapFont_->RemoveFontUser(this);
    bitmapFont_ = value;
    if (bitmapFont_) {
        bitmapFont_->AddFontUser(this);
        bitmapFont_->FreeNotification(this);
    }
    StructureChanged();
}

void TGLHUDText::SetText(const String& value) {
    text_ = value;
    StructureChanged();
}

void TGLHUDText::SetRotation(Single value) {
    rotation_ = value;
    StructureChanged();
}

void TGLHUDText::SetAlignment(TAlignment value) {
    alignment_ = value;
    StructureChanged();
}

void TGLHUDText::SetLayout(TGLTextLayout value) {
    layout_ = value;
    StructureChanged();
}

void TGLHUDText::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == bitmapFont_) {
        bitmapFont_->RemoveFontUser(this);
        bitmapFont_ = nullptr;
    }
    TGLImmaterialSceneObject::Notification(component, operation);
}

void TGLHUDText::DrawTextAt(TRenderContextInfo& rci, Single x, Single y, Single z) {
    if (!bitmapFont_ || text_.empty()) return;
    rci.GLStates->SetPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    THUDWindowSpace windowSpace(rci, x, y, z, rotation_);
    const Single f = THUDWindowSpace::HUDScale(rci);
    GL.glScalef(f * Scale()->X(), f * Scale()->Y(), 1);
    TEnableAttribScope enableBits(rci.GLStates);
    GL.glDisable(GL_DEPTH_TEST);
    bitmapFont_->DrawString(rci, text_, alignment_, layout_, modulateColor_->Color());
}

void TGLHUDText::RenderAllChildren(TRenderContextInfo& rci) {
    if (GetChildCount() > 0) RenderChildren(0, GetChildCount() - 1, rci);
}

void TGLHUDText::DoRender(TRenderContextInfo& rci, bool, bool) {
    DrawTextAt(rci, Position()->X(), Position()->Y(), Position()->Z());
    RenderAllChildren(rci);
}

TGLResolutionIndependantHUDText::TGLResolutionIndependantHUDText(TComponent* owner) : TGLHUDText(owner) {
    Position()->SetX(0.5f);
    Position()->SetY(0.5f);
}

void TGLResolutionIndependantHUDText::DoRender(TRenderContextInfo& rci, bool, bool) {
    DrawTextAt(rci, Position()->X() * rci.viewportWidth, Position()->Y() * rci.viewportHeight, Position()->Z());
    RenderAllChildren(rci);
}

void TGLAbsoluteHUDText::DoRender(TRenderContextInfo& rci, bool, bool) {
    if (rci.buffer) {
        const TAffineVector screen = rci.buffer->WorldToScreen(AbsoluteAffinePosition());
        DrawTextAt(rci, screen.X, rci.viewportHeight - screen.Y, screen.Z);
    }
    RenderAllChildren(rci);
}

// ---- registration ----

void InitializeGLHUDObjects() {
    RegisterClasses({TGLHUDText::StaticClass(), TGLHUDSprite::StaticClass(),
                     TGLResolutionIndependantHUDText::StaticClass(), TGLAbsoluteHUDText::StaticClass()});
}
