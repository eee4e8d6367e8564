#pragma once
// Bitmap fonts: a sheet of glyph cells becomes one OpenGL texture, and strings are drawn as one
// textured quad per character.
//
// Sections: character ranges · TGLCustomBitmapFont · TGLBitmapFont · class registration.
//
// Character codes are 8-bit: a text is turned into codes through the font's code page (the
// ANSI code page unless a font says otherwise), and a range maps a run of codes onto
// consecutive cells of the sheet. Objects that draw with a font register as its users; every
// change of the font tells them, last registered first. The font's tables (advances, texture
// rectangles) are rebuilt on demand after each change; the texture before the next draw.

#include <array>
#include <vector>

#include "Alignment.h"
#include "BaseClasses.h"
#include "Collection.h"
#include "GLGraphics.h"
#include "GLTexture.h"
#include "TypInfo.h"

class TGLBaseSceneObject;
class TGLStateCache;
class TGLTextureHandle;
class TPicture;
struct TRenderContextInfo;

// ---- character ranges ----

// Maps the codes StartASCII..StopASCII onto the cells StartGlyphIdx.. of the sheet. The setters
// keep start <= stop by moving the other end.
class TBitmapFontRange : public TCollectionItem {
    Z_CLASS(TBitmapFontRange, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"StartASCII", &TBitmapFontRange::StartASCII, &TBitmapFontRange::SetStartASCII);
        p.Property(L"StopASCII", &TBitmapFontRange::StopASCII, &TBitmapFontRange::SetStopASCII);
        p.Property(L"StartGlyphIdx", &TBitmapFontRange::StartGlyphIdx, &TBitmapFontRange::SetStartGlyphIdx);
    }

public:
    explicit TBitmapFontRange(TCollection* collection) : TCollectionItem(collection) {}

    Byte StartASCII() const { return startASCII_; }
    void SetStartASCII(Byte value);
    Byte StopASCII() const { return stopASCII_; }
    void SetStopASCII(Byte value);
    // Negative values become 0.
    Integer StartGlyphIdx() const { return startGlyphIdx_; }
    void SetStartGlyphIdx(Integer value);

    // "ASCII [#start, #stop] -> Glyphs [first, last]".
    String DisplayName() const override;
    void Assign(TPersistent* source) override;

private:
    Byte startASCII_ = 0, stopASCII_ = 0;
    Integer startGlyphIdx_ = 0;
};

class TBitmapFontRanges : public TOwnedCollection {
    Z_CLASS(TBitmapFontRanges, TOwnedCollection)
public:
    explicit TBitmapFontRanges(TPersistent* owner) : TOwnedCollection(owner, TBitmapFontRange::StaticClass()) {}

    TBitmapFontRange* Items(int index) const { return static_cast<TBitmapFontRange*>(TCollection::Items(index)); }
    TBitmapFontRange* Add() { return static_cast<TBitmapFontRange*>(TCollection::Add()); }
    TBitmapFontRange* Add(Byte startASCII, Byte stopASCII);
    // The number of codes all ranges cover, overlaps counted twice.
    Integer CharacterCount() const;

protected:
    // Only an owner that is a scene object hears of a change; a font does not, so editing one
    // range leaves a font's tables as they are until the font itself changes.
    void Update(TCollectionItem* item) override;
};

// ---- TGLCustomBitmapFont ----

// The texture rectangle of a glyph: top-left (S, T), then bottom-right (S, T).
struct TGlyphTexRect {
    Single left, top, right, bottom;
    bool operator==(const TGlyphTexRect&) const = default;
};

class TGLCustomBitmapFont : public TGLUpdateAbleComponent {
    Z_CLASS(TGLCustomBitmapFont, TGLUpdateAbleComponent)
public:
    explicit TGLCustomBitmapFont(TComponent* owner);
    ~TGLCustomBitmapFont() override;
    // Fails an assertion when users remain after the free notifications, in which text
    // objects detach themselves. (Only FreeObject can report it; a destructor cannot raise.)
    void BeforeDestruction() override;

    // Any change of the font: the texture is freed and the users are told (NotifyFontChanged).
    void ReportChange(TObject* sender) override;

    // Makes the glyph texture from the sheet and uploads it to the bound 2D texture.
    virtual void BuildGlyphImage();
    // Registering an object twice fails an assertion.
    virtual void AddFontUser(TGLBaseSceneObject* user);
    virtual void RemoveFontUser(TGLBaseSceneObject* user);
    const std::vector<TGLBaseSceneObject*>& Users() const { return users_; }

    // The advance of a code; an empty table is first filled with the char width.
    Integer CharWidthOf(Byte code);
    // Every advance := width, or the char width when width is negative.
    void FillCharWidths(Integer width);
    void SetCharWidthOf(Byte code, Integer width);
    void SetGlyphRect(Byte code, const TGlyphTexRect& rect);
    // length * (HSpace + extra spacing) - HSpace + the sum of the advances; 0 for "".
    Integer TextWidth(const String& text);
    // Cells in one row of the sheet; 0 for an empty sheet.
    Integer GlyphsPerRow() const;
    // The code's rectangle; zero for a code outside every range.
    TGlyphTexRect GlyphTexRect(Byte code);
    // Refills the advances with the char width, empties the rectangles and tells the users.
    void NotifyFontChanged();
    // Draws the text with its reference point at the model-view origin, y growing upward: one
    // textured quad per glyph, lines broken at carriage returns.
    void DrawString(TRenderContextInfo& rci, const String& text, TAlignment alignment, TGLTextLayout layout,
                    const TVector4f& color);
    // The 8-bit codes of a text.
    AnsiString TextCodes(const String& text) const;

    // ---- properties (TGLBitmapFont publishes them) ----
    TBitmapFontRanges* Ranges() const { return ranges_; }
    void SetRanges(TBitmapFontRanges* value);
    TPicture* Glyphs() const { return glyphs_; }
    void SetGlyphs(TPicture* value);
    Integer CharWidth() const { return charWidth_; }
    void SetCharWidth(Integer value);
    Integer CharHeight() const { return charHeight_; }
    void SetCharHeight(Integer value);
    Integer GlyphsIntervalX() const { return glyphsIntervalX_; }
    void SetGlyphsIntervalX(Integer value);
    Integer GlyphsIntervalY() const { return glyphsIntervalY_; }
    void SetGlyphsIntervalY(Integer value);
    Integer HSpace() const { return hSpace_; }
    void SetHSpace(Integer value);
    Integer VSpace() const { return vSpace_; }
    void SetVSpace(Integer value);
    TGLMinFilter MinFilter() const { return minFilter_; }
    void SetMinFilter(TGLMinFilter value);
    TGLMagFilter MagFilter() const { return magFilter_; }
    void SetMagFilter(TGLMagFilter value);
    TGLTextureImageAlpha GlyphsAlpha() const { return glyphsAlpha_; }
    void SetGlyphsAlpha(TGLTextureImageAlpha value) { glyphsAlpha_ = value; }
    Integer ExtraCharSpacing() const { return extraCharSpacing_; }
    Integer TextureWidth() const { return textureWidth_; }
    Integer TextureHeight() const { return textureHeight_; }
    TGLTextureHandle* Texture() const { return texture_; }
    bool TextureInvalid() const { return textureInvalid_; }

protected:
    // Destroys the texture's OpenGL name; the texture is rebuilt before the next draw.
    virtual void FreeTexture();
    // The texture's internal format.
    virtual GLenum GlyphTextureFormat() const { return GL_RGBA; }
    // The code page texts are turned into codes with.
    virtual UINT CodePage() const { return CP_ACP; }
    // Without a change report: for fonts that size their cells themselves.
    void StoreCharSize(Integer width, Integer height) {
        charWidth_ = width;
        charHeight_ = height;
    }
    void StoreExtraCharSpacing(Integer value) { extraCharSpacing_ = value; }
    void GlyphsChanged(TObject*) { ReportChange(this); }

private:
    void TearDown();
    Integer CodesWidth(const AnsiString& codes);
    void SetGeometryValue(Integer& field, Integer value);
    void BuildGlyphRects();
    void SetTextureParameters();

    TBitmapFontRanges* ranges_;
    TPicture* glyphs_;
    Integer charWidth_ = 16, charHeight_ = 16;
    Integer glyphsIntervalX_ = 0, glyphsIntervalY_ = 0;
    Integer hSpace_ = 1, vSpace_ = 1;
    Integer extraCharSpacing_ = 0;
    std::vector<TGLBaseSceneObject*> users_;
    TGLTextureHandle* texture_;
    bool textureInvalid_ = true;
    TGLMinFilter minFilter_ = miLinear;
    TGLMagFilter magFilter_ = maLinear;
    Integer textureWidth_ = 0, textureHeight_ = 0;
    TGLTextureImageAlpha glyphsAlpha_ = tiaDefault;
    bool tornDown_ = false;
    std::vector<Integer> charWidths_;        // 256 entries once filled
    std::vector<TGlyphTexRect> glyphRects_;  // 256 entries once built
};

// ---- TGLBitmapFont ----

// A font whose glyph sheet is a picture drawn by hand.
class TGLBitmapFont : public TGLCustomBitmapFont {
    Z_CLASS(TGLBitmapFont, TGLCustomBitmapFont)
    Z_PUBLISHED {
        p.Property(L"Glyphs", &TGLBitmapFont::Glyphs, &TGLBitmapFont::SetGlyphs);
        p.Property(L"GlyphsIntervalX", &TGLBitmapFont::GlyphsIntervalX, &TGLBitmapFont::SetGlyphsIntervalX).Default(0);
        p.Property(L"GlyphsIntervalY", &TGLBitmapFont::GlyphsIntervalY, &TGLBitmapFont::SetGlyphsIntervalY).Default(0);
        p.Property(L"Ranges", &TGLBitmapFont::Ranges, &TGLBitmapFont::SetRanges);
        p.Property(L"CharWidth", &TGLBitmapFont::CharWidth, &TGLBitmapFont::SetCharWidth).Default(16);
        p.Property(L"CharHeight", &TGLBitmapFont::CharHeight, &TGLBitmapFont::SetCharHeight).Default(16);
        p.Property(L"HSpace", &TGLBitmapFont::HSpace, &TGLBitmapFont::SetHSpace).Default(1);
        p.Property(L"VSpace", &TGLBitmapFont::VSpace, &TGLBitmapFont::SetVSpace).Default(1);
        p.Property(L"MagFilter", &TGLBitmapFont::MagFilter, &TGLBitmapFont::SetMagFilter).Default(maLinear);
        p.Property(L"MinFilter", &TGLBitmapFont::MinFilter, &TGLBitmapFont::SetMinFilter).Default(miLinear);
        p.Property(L"GlyphsAlpha", &TGLBitmapFont::GlyphsAlpha, &TGLBitmapFont::SetGlyphsAlpha).Default(tiaDefault);
    }

public:
    using TGLCustomBitmapFont::TGLCustomBitmapFont;
};

// ---- class registration ----

void InitializeGLBitmapFont();
