#include "GLColor.h"

TGLColor::TGLColor(TPersistent* owner) : TGLUpdateAbleObject(owner), color_{0, 0, 0, 1} {}

TGLColor::TGLColor(TPersistent* owner, const TVector4f& color, const TNotifyEvent& onChange)
    : TGLUpdateAbleObject(owner), color_(color) {
    OnChange = onChange;
}

void TGLColor::SetColorVector(const TVector4f& color) {
    color_ = color;
    ReportChange(this);
}

void TGLColor::AssignRGBA(Single red, Single green, Single blue, Single alpha) {
    color_ = {red, green, blue, alpha};
    ReportChange(this);
}

void TGLColor::SetColorComponent(int index, Single value) {
    if (color_[index] == value) return;
    color_[index] = value;
    ReportChange(this);
}

void TGLColor::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLColor*>(source)) {
        color_ = other->color_;
        ReportChange(this);
        return;
    }
    TGLUpdateAbleObject::Assign(source);
}

void TGLColor::ReportChange(TObject* sender) {
    if (auto* owner = dynamic_cast<IChangeNotifiable*>(Owner())) owner->ReportChange(this);
    TGLUpdateAbleObject::ReportChange(sender);
}

void TGLColor::DefineProperties(TFiler* filer) {
    TGLUpdateAbleObject::DefineProperties(filer);
    DefineVector4Property(filer, L"Color", color_);
}

TVector4f WinColorToVector(TColor winColor, Single alpha) {
    constexpr Extended inv255 = 1.0L / 255;
    Integer rgb = ColorToRGB(winColor);
    return {Single(RedOfWinColor(rgb) * inv255), Single(GreenOfWinColor(rgb) * inv255),
            Single(BlueOfWinColor(rgb) * inv255), alpha};
}
