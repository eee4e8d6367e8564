#include "dxSkinProperties.h"

#include <memory>

#include "SysUtils.h"
#include "dxSkinCanvas.h"
#include "dxSkinStreams.h"

namespace {

// Removes every occurrence of part, ignoring the case of ASCII letters.
String RemoveTextIgnoringCase(const String& text, const String& part) {
    String result = text;
    const String upperPart = UpperCase(part);
    for (size_t at = UpperCase(result).find(upperPart); at != String::npos; at = UpperCase(result).find(upperPart))
        result.erase(at, part.size());
    return result;
}

}  // namespace

// ---- TdxSkinProperty -----------------------------------------------------------------------

TdxSkinProperty::TdxSkinProperty(TPersistent* owner, const String& name) : TdxSkinCustomPersistentObject(owner, name) {}

void TdxSkinProperty::ReadFromStream(TStream* stream) {
    name_ = ReadSkinString(stream);
    ReadData(stream);
}

void TdxSkinProperty::WriteToStream(TStream* stream) {
    WriteSkinString(stream, ClassName());
    WriteSkinString(stream, name_);
    WriteData(stream);
}

String TdxSkinProperty::GetDescription() const {
    return RemoveTextIgnoringCase(RemoveTextIgnoringCase(ClassName(), L"TdxSkin"), L"Property");
}

bool TdxSkinProperty::IsSameKindAndName(TdxSkinProperty* other) const {
    return other && other->ClassType() == ClassType() && other->Name() == name_;
}

// ---- value properties ----------------------------------------------------------------------

void TdxSkinIntegerProperty::ReadData(TStream* stream) { value_ = ReadSkinValue(stream); }
void TdxSkinIntegerProperty::WriteData(TStream* stream) { WriteSkinInteger(stream, value_); }

void TdxSkinBooleanProperty::ReadData(TStream* stream) {
    Byte stored = 0;
    stream->ReadBuffer(&stored, 1);
    value_ = stored != 0;
}

void TdxSkinBooleanProperty::WriteData(TStream* stream) { WriteSkinByte(stream, value_ ? 1 : 0); }

void TdxSkinColor::ReadData(TStream* stream) { value_ = ReadSkinValue(stream); }
void TdxSkinColor::WriteData(TStream* stream) { WriteSkinInteger(stream, value_); }

void TdxSkinStringProperty::ReadData(TStream* stream) { value_ = ReadSkinString(stream); }
void TdxSkinStringProperty::WriteData(TStream* stream) { WriteSkinString(stream, value_); }

// ---- TdxSkinRectProperty -------------------------------------------------------------------

TdxSkinRectProperty::TdxSkinRectProperty(TPersistent* owner, const String& name)
    : TdxSkinProperty(owner, name), value_(new TcxRect(this)) {
    value_->OnChange = MakeEvent(this, &TdxSkinRectProperty::ValueChanged);
}

TdxSkinRectProperty::~TdxSkinRectProperty() { delete value_; }

void TdxSkinRectProperty::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkinRectProperty>(source))
        SetValue(other->Value()->Rect());
    else
        TdxSkinProperty::Assign(source);
}

void TdxSkinRectProperty::ReadData(TStream* stream) {
    TRect r;
    r.left = ReadSkinValue(stream);
    r.top = ReadSkinValue(stream);
    r.right = ReadSkinValue(stream);
    r.bottom = ReadSkinValue(stream);
    *value_->GetRectPointer() = r;
}

void TdxSkinRectProperty::WriteData(TStream* stream) {
    const TRect& r = value_->Rect();
    WriteSkinInteger(stream, r.left);
    WriteSkinInteger(stream, r.top);
    WriteSkinInteger(stream, r.right);
    WriteSkinInteger(stream, r.bottom);
}

bool TdxSkinRectProperty::IsEqual(TdxSkinProperty* other) {
    return IsSameKindAndName(other) && static_cast<TdxSkinRectProperty*>(other)->value_->EqualsRect(value_->Rect());
}

// ---- TdxSkinSizeProperty -------------------------------------------------------------------

void TdxSkinSizeProperty::SetCx(Integer value) { SetValue(TSize{value, value_.cy}); }
void TdxSkinSizeProperty::SetCy(Integer value) { SetValue(TSize{value_.cx, value}); }

void TdxSkinSizeProperty::SetValue(const TSize& value) {
    if (value.cx == value_.cx && value.cy == value_.cy) return;
    value_ = value;
    DoChange();
}

void TdxSkinSizeProperty::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkinSizeProperty>(source))
        SetValue(other->Value());
    else
        TdxSkinProperty::Assign(source);
}

void TdxSkinSizeProperty::ReadData(TStream* stream) {
    value_.cx = ReadSkinValue(stream);
    value_.cy = ReadSkinValue(stream);
}

void TdxSkinSizeProperty::WriteData(TStream* stream) {
    WriteSkinInteger(stream, value_.cx);
    WriteSkinInteger(stream, value_.cy);
}

bool TdxSkinSizeProperty::IsEqual(TdxSkinProperty* other) {
    if (!IsSameKindAndName(other)) return false;
    const TSize size = static_cast<TdxSkinSizeProperty*>(other)->value_;
    return size.cx == value_.cx && size.cy == value_.cy;
}

// ---- TdxSkinBorder -------------------------------------------------------------------------

TdxSkinBorder::TdxSkinBorder(TPersistent* owner, const String& name, TdxSkinBorderSide side)
    : TdxSkinProperty(owner, name), side_(side) {}

void TdxSkinBorder::SetColor(TColor value) {
    if (AssignIfChanged(color_, value)) DoChange();
}

void TdxSkinBorder::SetThin(Integer value) {
    if (AssignIfChanged(thin_, value)) DoChange();
}

TRect TdxSkinBorder::BandIn(const TRect& r) const {
    switch (side_) {
        case dxSkinBorderLeft:
            return TRect{r.left, r.top, r.left + thin_, r.bottom};
        case dxSkinBorderTop:
            return TRect{r.left, r.top, r.right, r.top + thin_};
        case dxSkinBorderRight:
            return TRect{r.right - thin_, r.top, r.right, r.bottom};
        default:
            return TRect{r.left, r.bottom - thin_, r.right, r.bottom};
    }
}

void TdxSkinBorder::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkinBorder>(source)) {
        SetColor(other->Color());
        SetThin(other->Thin());
    } else {
        TdxSkinProperty::Assign(source);
    }
}

void TdxSkinBorder::ReadFromStream(TStream* stream) {
    ReadSkinString(stream);  // the class name, always "TdxSkinBorder"
    name_ = ReadSkinString(stream);
    const TColor color = ReadSkinValue(stream);
    thin_ = ReadSkinValue(stream);
    SetColor(color);
}

void TdxSkinBorder::WriteData(TStream* stream) {
    WriteSkinInteger(stream, color_);
    WriteSkinInteger(stream, thin_);
}

bool TdxSkinBorder::IsEqual(TdxSkinProperty* other) {
    auto* border = As<TdxSkinBorder>(other);
    return border && Integer(border->color_) == Integer(color_) && border->side_ == side_ && border->thin_ == thin_;
}

void TdxSkinBorder::Draw(HDC dc, const TRect& r) {
    if (Integer(color_) == Integer(clNone)) return;
    TdxSkinCanvas canvas;
    canvas.BeginPaint(dc, r);
    try {
        DrawEx(&canvas, r);
    } catch (...) {
        canvas.EndPaint();
        throw;
    }
    canvas.EndPaint();
}

void TdxSkinBorder::DrawEx(TdxSkinCanvas* canvas, const TRect& r) {
    if (Integer(color_) != Integer(clNone)) canvas->FillRectByColor(BandIn(r), color_);
}

// ---- TdxSkinBorders ------------------------------------------------------------------------

TdxSkinBorders::TdxSkinBorders(TPersistent* owner, const String& name) : TdxSkinProperty(owner, name) {
    const wchar_t* names[4] = {L"Left", L"Top", L"Right", L"Bottom"};
    for (Byte side = 0; side < 4; ++side) {
        items_[side] = new TdxSkinBorder(this, names[side], side);
        items_[side]->OnChange = MakeEvent(this, &TdxSkinBorders::BorderChanged);
    }
}

TdxSkinBorders::~TdxSkinBorders() {
    for (TdxSkinBorder* border : items_) delete border;
}

void TdxSkinBorders::Assign(TPersistent* source) {
    if (auto* other = As<TdxSkinBorders>(source)) {
        for (Byte side = 0; side < 4; ++side) items_[side]->Assign(other->items_[side]);
    } else {
        TdxSkinProperty::Assign(source);
    }
}

bool TdxSkinBorders::IsEqual(TdxSkinProperty* other) {
    auto* borders = As<TdxSkinBorders>(other);
    if (!borders) return false;
    for (Byte side = 0; side < 4; ++side)
        if (!items_[side]->IsEqual(borders->items_[side])) return false;
    return true;
}

void TdxSkinBorders::DrawEx(TdxSkinCanvas* canvas, const TRect& r) {
    for (TdxSkinBorder* border : items_) border->DrawEx(canvas, r);
}
