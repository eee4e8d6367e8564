// Sections: values · drawing · stream record.

#include "dxSkinElement.h"

#include <algorithm>

#include "dxGDIPlusClasses.h"
#include "dxSkinCanvas.h"
#include "dxSkinControlGroup.h"
#include "dxSkinImage.h"
#include "dxSkinProperties.h"
#include "dxSkinStreams.h"

// ---- values --------------------------------------------------------------------------------

TdxSkinElement::TdxSkinElement(TPersistent* owner, const String& name)
    : TdxSkinPersistent(owner, name),
      borders_(new TdxSkinBorders(this, L"Borders")),
      canvas_(new TdxSkinCanvas()),
      contentOffset_(new TcxRect(this)),
      glyph_(new TdxSkinImage(this)),
      image_(new TdxSkinImage(this)),
      minSize_(new TcxSize(this)) {
    const TNotifyEvent partChanged = MakeEvent(this, &TdxSkinElement::PartChanged);
    borders_->OnChange = partChanged;
    contentOffset_->OnChange = partChanged;
    glyph_->OnChange = partChanged;
    image_->OnChange = partChanged;
    minSize_->OnChange = partChanged;
}

TdxSkinElement::~TdxSkinElement() {
    if (brush_) GdipDeleteBrush(brush_);
    delete minSize_;
    delete image_;
    delete glyph_;
    delete contentOffset_;
    delete canvas_;
    delete borders_;
}

void TdxSkinElement::SetAlpha(Byte value) {
    if (AssignIfChanged(alpha_, value)) SetColor(color_);
}

void TdxSkinElement::SetColor(TColor value) {
    color_ = value;
    hasColor_ = IsSkinColorAssigned(value);
    if (hasColor_) ApplyBrushColor();
    DoChange();
}

void TdxSkinElement::ApplyBrushColor() {
    if (!GdiPlusUsable()) return;
    const ARGB argb = ColorToARGB(color_, alpha_);
    if (brush_)
        CheckGdipStatus(GdipSetSolidFillColor(brush_, argb));
    else
        CheckGdipStatus(GdipCreateSolidFill(argb, &brush_));
}

void TdxSkinElement::SetImageCount(Integer value) {
    if (AssignIfChanged(imageCount_, std::max<Integer>(1, value))) {
        image_->MarkDirty();
        glyph_->MarkDirty();
        DoChange();
    }
}

void TdxSkinElement::SetTextColor(TColor value) {
    textColor_ = value;
    DoChange();
}

TdxSkinControlGroup* TdxSkinElement::Group() const { return As<TdxSkinControlGroup>(owner_); }

String TdxSkinElement::GetPath() const {
    TdxSkinControlGroup* group = Group();
    return (group ? group->Name() : String()) + L"\\";
}

TSize TdxSkinElement::Size() const { return image_->FrameSize(); }

bool TdxSkinElement::IsAlphaUsed() const {
    if (image_->Empty()) return alpha_ < 255;
    return image_->Picture()->UsesAlphaChannel();
}

void TdxSkinElement::Assign(TPersistent* source) {
    auto* other = As<TdxSkinElement>(source);
    if (!other) {
        TdxSkinPersistent::Assign(source);
        return;
    }
    image_->Assign(other->image_);
    glyph_->Assign(other->glyph_);
    SetColor(other->color_);
    SetAlpha(other->alpha_);
    contentOffset_->Assign(other->contentOffset_);
    SetImageCount(other->imageCount_);
    borders_->Assign(other->borders_);
    minSize_->Assign(other->minSize_);
    SetTextColor(other->textColor_);
    TdxSkinPersistent::Assign(source);
}

bool TdxSkinElement::IsEqual(TdxSkinElement* other) {
    return other && name_ == other->name_ && Integer(color_) == Integer(other->color_) &&
           imageCount_ == other->imageCount_ && alpha_ == other->alpha_ &&
           Integer(textColor_) == Integer(other->textColor_) && minSize_->SameAs(other->minSize_) &&
           contentOffset_->SameAs(other->contentOffset_) && borders_->IsEqual(other->borders_) &&
           ArePropertiesEqual(other) && image_->IsEqual(other->image_) && glyph_->IsEqual(other->glyph_);
}

String TdxSkinElement::GetImageFileName(TdxSkinImage* image) const {
    return name_ + (image == glyph_ ? L"_Glyph.png" : L"_Image.png");
}

// ---- drawing -------------------------------------------------------------------------------

void TdxSkinElement::DrawInRect(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state) {
    RECT area = r;
    if (IsRectEmpty(&area) || !RectVisible(dc, &area)) return;
    canvas_->BeginPaint(dc, r);
    try {
        DrawEx(canvas_, r, imageIndex, state);
    } catch (...) {
        canvas_->EndPaint();
        throw;
    }
    canvas_->EndPaint();
}

void TdxSkinElement::DrawEx(TdxSkinCanvas* canvas, const TRect& r, int imageIndex, TdxSkinElementState state) {
    FillBackground(canvas, r);
    image_->DrawEx(canvas, r, imageIndex, state);
    borders_->DrawEx(canvas, r);
    const TRect& offset = contentOffset_->Rect();
    glyph_->DrawEx(canvas, InflateRectSides(r, -offset.left, -offset.top, -offset.right, -offset.bottom), imageIndex,
                   state);
}

void TdxSkinElement::FillBackground(TdxSkinCanvas* canvas, const TRect& r) {
    if (!hasColor_ || !(image_->Empty() || image_->Stretch() == smNoResize || IsAlphaUsed())) return;
    if (alpha_ == 255) {
        canvas->FillRectByColor(r, color_);
    } else if (brush_) {
        // Blends with what is under it.
        CheckGdipStatus(GdipFillRectangleI(canvas->Graphics(), brush_, r.left, r.top, RectWidth(r), RectHeight(r)));
    }
}

// ---- stream record -------------------------------------------------------------------------

void TdxSkinElement::ReadData(TStream* stream, double version) {
    const TColor color = ReadSkinInteger(stream);
    alpha_ = ReadSkinByte(stream);
    // The layout divides by the count: a stored count below 1 is read as 1.
    imageCount_ = std::max<Integer>(1, ReadSkinInteger(stream));
    TRect& offset = *contentOffset_->GetRectPointer();
    offset.left = ReadSkinInteger(stream);
    offset.top = ReadSkinInteger(stream);
    offset.right = ReadSkinInteger(stream);
    offset.bottom = ReadSkinInteger(stream);
    glyph_->ReadData(stream, version);
    image_->ReadData(stream, version);
    for (Byte side = 0; side < 4; ++side) borders_->Items(side)->ReadFromStream(stream);
    SetColor(color);
    textColor_ = ReadSkinInteger(stream);
    TSize& minSize = *minSize_->GetSizePointer();
    minSize.cx = ReadSkinInteger(stream);
    minSize.cy = ReadSkinInteger(stream);
    ReadProperties(stream);
}

void TdxSkinElement::WriteData(TStream* stream) {
    WriteSkinInteger(stream, color_);
    WriteSkinByte(stream, alpha_);
    WriteSkinInteger(stream, imageCount_);
    const TRect& offset = contentOffset_->Rect();
    WriteSkinInteger(stream, offset.left);
    WriteSkinInteger(stream, offset.top);
    WriteSkinInteger(stream, offset.right);
    WriteSkinInteger(stream, offset.bottom);
    glyph_->WriteData(stream);
    image_->WriteData(stream);
    for (Byte side = 0; side < 4; ++side) borders_->Items(side)->WriteToStream(stream);
    WriteSkinInteger(stream, textColor_);
    WriteSkinInteger(stream, minSize_->Width());
    WriteSkinInteger(stream, minSize_->Height());
    WriteProperties(stream);
}
