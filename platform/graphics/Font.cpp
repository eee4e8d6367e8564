#include "Font.h"

#include <cwchar>

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) {}

Integer TFont::ScreenPixelsPerInch() {
    static Integer ppi = [] {
        HDC dc = GetDC(nullptr);
        Integer value = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
        if (dc) ReleaseDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return ppi;
}

void TFont::Assign(TPersistent* source) {
    if (auto* font = As<TFont>(source)) {
        if (font == this) return;
        name_ = font->name_;
        height_ = MulDiv(font->height_, pixelsPerInch_, font->pixelsPerInch_);
        style_ = font->style_;
        color_ = font->color_;
        charset_ = font->charset_;
        pitch_ = font->pitch_;
        orientation_ = font->orientation_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

LOGFONTW TFont::LogFont() const {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = orientation_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic) ? 1 : 0;
    lf.lfUnderline = style_.Contains(fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = style_.Contains(fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    return lf;
}

HGDIOBJ TFont::CreateGdiHandle() {
    LOGFONTW lf = LogFont();
    return CreateFontIndirectW(&lf);
}

void TFont::SetHandle(HFONT handle) {
    LOGFONTW lf{};
    if (handle && GetObjectW(handle, sizeof(lf), &lf) == 0) throw EInvalidGraphicOperation(L"Invalid font handle");
    if (handle) {
        name_ = lf.lfFaceName;
        height_ = lf.lfHeight;
        style_ = {};
        if (lf.lfWeight >= FW_BOLD) style_ += fsBold;
        if (lf.lfItalic) style_ += fsItalic;
        if (lf.lfUnderline) style_ += fsUnderline;
        if (lf.lfStrikeOut) style_ += fsStrikeOut;
        charset_ = lf.lfCharSet;
        switch (lf.lfPitchAndFamily & 3) {
            case FIXED_PITCH:
                pitch_ = fpFixed;
                break;
            case VARIABLE_PITCH:
                pitch_ = fpVariable;
                break;
            default:
                pitch_ = fpDefault;
        }
        orientation_ = lf.lfEscapement;
    }
    AdoptHandle(handle);
}

void TFont::SetName(const String& value) {
    if (value == name_ || value.empty()) return;
    name_ = value;
    Changed();
}

void TFont::SetHeight(Integer value) {
    if (value == height_) return;
    height_ = value;
    Changed();
}

Integer TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(Integer value) { SetHeight(-MulDiv(value, pixelsPerInch_, 72)); }

void TFont::SetStyle(TFontStyles value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Notify();  // the canvas's text colour, not part of the handle
}

void TFont::SetCharset(TFontCharset value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value) {
    if (value == pitch_) return;
    pitch_ = value;
    Changed();
}

void TFont::SetOrientation(Integer value) {
    if (value == orientation_) return;
    orientation_ = value;
    Changed();
}
