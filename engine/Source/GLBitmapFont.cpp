// Bitmap fonts. Sections: ranges · font (life, users, tables, glyph texture, drawing) ·
// properties · registration.

#include "GLBitmapFont.h"

#include <algorithm>

#include "Bitmap.h"
#include "Canvas.h"
#include "Format.h"
#include "GLBaseSceneObject.h"
#include "GLContext.h"
#include "GLFlatText.h"
#include "GLRenderContextInfo.h"
#include "GLState.h"
#include "GLUtils.h"
#include "Picture.h"
#include "SysMath.h"
#include "SysUtils.h"

// ---- ranges ----

void TBitmapFontRange::SetStartASCII(Byte value) {
    if (value == startASCII_) return;
    startASCII_ = value;
    if (startASCII_ > stopASCII_) stopASCII_ = startASCII_;
    Changed(false);
}

void TBitmapFontRange::SetStopASCII(Byte value) {
    if (value == stopASCII_) return;
    stopASCII_ = value;
    if (stopASCII_ < startASCII_) startASCII_ = stopASCII_;
    Changed(false);
}

void TBitmapFontRange::SetStartGlyphIdx(Integer value) {
    value = std::max<Integer>(value, 0);
    if (AssignIfChanged(startGlyphIdx_, value)) Changed(false);
}

String TBitmapFontRange::DisplayName() const {
    return Format(L"ASCII [#%d, #%d] -> Glyphs [%d, %d]",
                  {Integer(startASCII_), Integer(stopASCII_), startGlyphIdx_,
                   Integer(stopASCII_) - Integer(startASCII_) + startGlyphIdx_});
}

void TBitmapFontRange::Assign(TPersistent* source) {
    if (auto* other = As<TBitmapFontRange>(source)) {
        startASCII_ = other->startASCII_;
        stopASCII_ = other->stopASCII_;
        startGlyphIdx_ = other->startGlyphIdx_;
    } else {
        TCollectionItem::Assign(source);
    }
}

TBitmapFontRange* TBitmapFontRanges::Add(Byte startASCII, Byte stopASCII) {
    TBitmapFontRange* range = Add();
    range->SetStartASCII(startASCII);
    range->SetStopASCII(stopASCII);
    return range;
}

Integer TBitmapFontRanges::CharacterCount() const {
    Integer count = 0;
    for (int i = 0; i < Count(); ++i) count += Integer(Items(i)->StopASCII()) - Items(i)->StartASCII() + 1;
    return count;
}

void TBitmapFontRanges::Update(TCollectionItem*) {
    if (auto* owner = dynamic_cast<TGLBaseSceneObject*>(GetOwner())) owner->ReportChange(this);
}

// ---- font: life ----

TGLCustomBitmapFont::TGLCustomBitmapFont(TComponent* owner)
    : TGLUpdateAbleComponent(owner),
      ranges_(new TBitmapFontRanges(this)),
      glyphs_(new TPicture()),
      texture_(new TGLTextureHandle()) {
    glyphs_->OnChange = MakeEvent(this, &TGLCustomBitmapFont::GlyphsChanged);
}

TGLCustomBitmapFont::~TGLCustomBitmapFont() {
    TearDown();
    users_.clear();
    FreeTexture();
    delete texture_;
    delete ranges_;
    delete glyphs_;
}

void TGLCustomBitmapFont::TearDown() {
    if (tornDown_) return;
    tornDown_ = true;
    TGLUpdateAbleComponent::BeforeDestruction();
}

void TGLCustomBitmapFont::BeforeDestruction() {
    TearDown();
    Assert(users_.empty(), kAssertionFailure);
}

void TGLCustomBitmapFont::ReportChange(TObject* sender) {
    FreeTexture();
    NotifyFontChanged();
    TGLUpdateAbleComponent::ReportChange(sender);
}

// ---- users ----

void TGLCustomBitmapFont::AddFontUser(TGLBaseSceneObject* user) {
    Assert(std::find(users_.begin(), users_.end(), user) == users_.end(), kAssertionFailure);
    users_.push_back(user);
}

void TGLCustomBitmapFont::RemoveFontUser(TGLBaseSceneObject* user) { std::erase(users_, user); }

void TGLCustomBitmapFont::NotifyFontChanged() {
    FillCharWidths(-1);
    glyphRects_.clear();
    for (size_t i = users_.size(); i-- > 0;)
        if (i < users_.size()) users_[i]->ReportChange(this);
}

// ---- tables ----

Integer TGLCustomBitmapFont::CharWidthOf(Byte code) {
    if (charWidths_.empty()) FillCharWidths(-1);
    return charWidths_[code];
}

void TGLCustomBitmapFont::FillCharWidths(Integer width) { charWidths_.assign(256, width < 0 ? charWidth_ : width); }

void TGLCustomBitmapFont::SetCharWidthOf(Byte code, Integer width) {
    if (charWidths_.empty()) FillCharWidths(-1);
    charWidths_[code] = width;
}

void TGLCustomBitmapFont::SetGlyphRect(Byte code, const TGlyphTexRect& rect) {
    if (glyphRects_.size() < 256) glyphRects_.resize(256, TGlyphTexRect{});
    glyphRects_[code] = rect;
}

AnsiString TGLCustomBitmapFont::TextCodes(const String& text) const { return StringToAnsi(text, CodePage()); }

Integer TGLCustomBitmapFont::TextWidth(const String& text) { return CodesWidth(TextCodes(text)); }

Integer TGLCustomBitmapFont::CodesWidth(const AnsiString& codes) {
    if (codes.empty()) return 0;
    Integer width = Integer(codes.size()) * (hSpace_ + extraCharSpacing_) - hSpace_;
    for (char c : codes) width += CharWidthOf(Byte(c));
    return width;
}

Integer TGLCustomBitmapFont::GlyphsPerRow() const {
    const Integer sheetWidth = glyphs_->Width();
    if (sheetWidth <= 0) return 0;
    return (sheetWidth + glyphsIntervalX_) / (glyphsIntervalX_ + charWidth_);
}

TGlyphTexRect TGLCustomBitmapFont::GlyphTexRect(Byte code) {
    if (glyphRects_.empty()) BuildGlyphRects();
    return glyphRects_[code];
}

void TGLCustomBitmapFont::BuildGlyphRects() {
    glyphRects_.assign(256, TGlyphTexRect{});
    const Integer perRow = GlyphsPerRow();
    // A sheet narrower than one cell has no cells: every rectangle stays zero (a division by
    // zero otherwise).
    if (perRow <= 0) return;
    const Single w = Single(textureWidth_), h = Single(textureHeight_);
    for (int i = 0; i < ranges_->Count(); ++i) {
        const TBitmapFontRange* range = ranges_->Items(i);
        if (range->StopASCII() < range->StartASCII()) continue;
        for (Integer code = range->StartASCII(); code <= range->StopASCII(); ++code) {
            const Integer cell = range->StartGlyphIdx() + (code - range->StartASCII());
            const Integer px = (cell % perRow) * (charWidth_ + glyphsIntervalX_);
            const Integer py = (cell / perRow) * (charHeight_ + glyphsIntervalY_);
            glyphRects_[code] = {(px + 0.05f) / w, (h - (py + 0.05f)) / h, (px + CharWidthOf(Byte(code)) - 0.05f) / w,
                                 (h - (py + charHeight_ - 0.05f)) / h};
        }
    }
}

// ---- glyph texture ----

void TGLCustomBitmapFont::FreeTexture() {
    textureInvalid_ = true;
    texture_->Deallocate();
}

void TGLCustomBitmapFont::BuildGlyphImage() {
    const Integer width = Integer(NextPowerOfTwo(glyphs_->Width()));
    const Integer height = Integer(NextPowerOfTwo(glyphs_->Height()));
    TGLBitmap32 image;
    {
        TBitmap sheet(width, height, pf24bit);
        sheet.Canvas()->Draw(0, 0, glyphs_->Graphic());
        image.Assign(&sheet);
    }
    switch (glyphsAlpha_) {
        case tiaAlphaFromIntensity:
        case tiaLuminance:
            image.AlphaFromLuminance();
            break;
        case tiaSuperBlackTransparent:
            image.KeyAlphaRGB(TGLPixel32{0, 0, 0, 0});
            break;
        case tiaLuminanceSqrt:
            image.AlphaFromLuminanceSqrt();
            break;
        case tiaOpaque:
            image.FillAlpha(255);
            break;
        case tiaDefault:
        case tiaTopLeftPointColorTransparent:
            // The sheet's own corner: rows are stored bottom first, so its top-left pixel
            // starts the last row.
            if (image.Data()) image.PixelKeyAlpha(image.RowAddress(image.Height() - 1)[0]);
            break;
        default:
            Assert(false, kAssertionFailure);
    }
    image.UploadAsTexture(GL_TEXTURE_2D, minFilter_, GlyphTextureFormat(), textureWidth_, textureHeight_);
}

namespace {

const GLenum kGlyphMinFilters[] = {GL_NEAREST,
                                   GL_LINEAR,
                                   GL_NEAREST_MIPMAP_NEAREST,
                                   GL_LINEAR_MIPMAP_NEAREST,
                                   GL_NEAREST_MIPMAP_LINEAR,
                                   GL_LINEAR_MIPMAP_LINEAR};

}  // namespace

void TGLCustomBitmapFont::SetTextureParameters() {
    GL.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    GL.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GL.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    GL.glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    GL.glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(kGlyphMinFilters[minFilter_]));
    GL.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter_ == maNearest ? GL_NEAREST : GL_LINEAR);
}

// ---- drawing ----

void TGLCustomBitmapFont::DrawString(TRenderContextInfo& rci, const String& text, TAlignment alignment,
                                     TGLTextLayout layout, const TVector4f& color) {
    if (glyphs_->Width() <= 0 || glyphs_->Height() <= 0 || text.empty()) return;
    TGLStateCache* states = rci.GLStates;
    if (textureInvalid_ || texture_->Handle() == 0) {
        if (texture_->Handle() == 0) {
            texture_->Allocate();
            Assert(texture_->Handle() != 0, kAssertionFailure);
        }
        states->BindTextureCached(0, GL_TEXTURE_2D, texture_->Handle());
        if (glyphs_->Width() > 0 && glyphs_->Height() > 0) {
            BuildGlyphImage();
            SetTextureParameters();
        }
        textureInvalid_ = false;
    }

    const AnsiString codes = TextCodes(text);
    // The horizontal start of each line, by its own width.
    std::vector<Integer> lineStarts;
    for (size_t begin = 0;;) {
        size_t end = codes.find('\r', begin);
        const Integer width = CodesWidth(codes.substr(begin, end == AnsiString::npos ? AnsiString::npos : end - begin));
        switch (alignment) {
            case taLeftJustify:
                lineStarts.push_back(0);
                break;
            case taRightJustify:
                lineStarts.push_back(-width);
                break;
            default:
                lineStarts.push_back(-Integer(Round(width * 0.5L)));
                break;
        }
        if (end == AnsiString::npos) break;
        begin = end + 1;
    }
    const Integer lines = Integer(lineStarts.size());
    const Integer blockHeight = lines * (charHeight_ + vSpace_) - vSpace_;
    Single y = 0;
    switch (layout) {
        case tlTop:
            y = 0;
            break;
        case tlBottom:
            y = Single(blockHeight);
            break;
        default:
            y = Single(Round(blockHeight * 0.5L));
            break;
    }
    Single x = Single(lineStarts[0]);
    const Single lineAdvance = -Single(charHeight_ + vSpace_);
    const Single spaceAdvance = Single(CharWidthOf(32) + extraCharSpacing_ + hSpace_);

    states->EnableState(stTexture2D);
    states->DisableState(stLighting);
    states->EnableState(stBlend);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    states->BindTextureCached(0, GL_TEXTURE_2D, texture_->Handle());
    GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    GL.glPushAttrib(GL_CURRENT_BIT);
    GL.glColor4fv(&color.X);
    GL.glBegin(GL_QUADS);
    Integer line = 0;
    for (char c : codes) {
        const Byte code = Byte(c);
        if (code == 13) {
            ++line;
            x = Single(lineStarts[size_t(line)]);
            y += lineAdvance;
        } else if (code == 32) {
            x += spaceAdvance;
        } else if (code >= 33) {
            const Integer advance = CharWidthOf(code);
            if (advance <= 0) continue;
            const TGlyphTexRect r = GlyphTexRect(code);
            const Single lower = y - charHeight_;
            GL.glTexCoord2f(r.left, r.top);
            GL.glVertex2f(x, y);
            GL.glTexCoord2f(r.left, r.bottom);
            GL.glVertex2f(x, lower);
            GL.glTexCoord2f(r.right, r.bottom);
            GL.glVertex2f(x + advance, lower);
            GL.glTexCoord2f(r.right, r.top);
            GL.glVertex2f(x + advance, y);
            x += advance + hSpace_;
        }
    }
    GL.glEnd();
    GL.glPopAttrib();
    states->BindTextureCached(0, GL_TEXTURE_2D, 0);
    states->ResetMaterialColors();
}

// ---- properties ----

void TGLCustomBitmapFont::SetRanges(TBitmapFontRanges* value) {
    ranges_->Assign(value);
    ReportChange(this);
}

void TGLCustomBitmapFont::SetGlyphs(TPicture* value) { glyphs_->Assign(value); }

void TGLCustomBitmapFont::SetGeometryValue(Integer& field, Integer value) {
    if (AssignIfChanged(field, value)) ReportChange(this);
}

void TGLCustomBitmapFont::SetCharWidth(Integer value) { SetGeometryValue(charWidth_, std::max<Integer>(value, 1)); }
void TGLCustomBitmapFont::SetCharHeight(Integer value) { SetGeometryValue(charHeight_, std::max<Integer>(value, 1)); }
void TGLCustomBitmapFont::SetGlyphsIntervalX(Integer value) {
    SetGeometryValue(glyphsIntervalX_, std::max<Integer>(value, 0));
}
void TGLCustomBitmapFont::SetGlyphsIntervalY(Integer value) {
    SetGeometryValue(glyphsIntervalY_, std::max<Integer>(value, 0));
}
void TGLCustomBitmapFont::SetHSpace(Integer value) { SetGeometryValue(hSpace_, std::max<Integer>(value, 0)); }
void TGLCustomBitmapFont::SetVSpace(Integer value) { SetGeometryValue(vSpace_, std::max<Integer>(value, 0)); }

void TGLCustomBitmapFont::SetMinFilter(TGLMinFilter value) {
    if (AssignIfChanged(minFilter_, value)) ReportChange(this);
}

void TGLCustomBitmapFont::SetMagFilter(TGLMagFilter value) {
    if (AssignIfChanged(magFilter_, value)) ReportChange(this);
}

// ---- registration ----

void InitializeGLBitmapFont() { RegisterClasses({TGLBitmapFont::StaticClass(), TGLFlatText::StaticClass()}); }
