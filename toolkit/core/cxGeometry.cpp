#include "cxGeometry.h"

#include <algorithm>

int TcxRect::GetCoordinate(int index) const {
    switch (index) {
        case 0:
            return rect_.left;
        case 1:
            return rect_.top;
        case 2:
            return rect_.right;
        default:
            return rect_.bottom;
    }
}

void TcxRect::SetCoordinate(int index, int value) {
    TRect r = rect_;
    switch (index) {
        case 0:
            r.left = value;
            break;
        case 1:
            r.top = value;
            break;
        case 2:
            r.right = value;
            break;
        case 3:
            r.bottom = value;
            break;
        default:
            break;
    }
    AssignRect(r);
}

void TcxRect::AssignRect(const TRect& rect) {
    if (EqualsRect(rect)) return;
    rect_ = rect;
    if (OnChange.Assigned()) OnChange(this);
}

bool TcxRect::EqualsRect(const TRect& rect) const { return RectsEqual(rect_, rect); }

void TcxRect::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TcxRect*>(source)) AssignRect(other->rect_);
}

// ---- TcxSize ------------------------------------------------------------------------------

void TcxSize::SetExtent(int index, int value) {
    TSize size = AsSize();
    if (index == 1)
        size.cx = value;
    else
        size.cy = value;
    ApplySize(size);
}

void TcxSize::ApplySize(const TSize& size) {
    TSize clamped{std::max<LONG>(size.cx, 0), std::max<LONG>(size.cy, 0)};
    if (EqualsSize(clamped)) return;
    size_ = clamped;
    NotifyChanged();
}

void TcxSize::NotifyChanged() {
    if (OnChange.Assigned()) OnChange(this);
}

void TcxSize::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TcxSize*>(source))
        ApplySize(other->AsSize());
    else
        TPersistent::Assign(source);
}

void InitializecxGeometry() { RegisterClasses({TcxRect::StaticClass(), TcxSize::StaticClass()}); }

void FinalizecxGeometry() {
    UnRegisterClass(TcxSize::StaticClass());
    UnRegisterClass(TcxRect::StaticClass());
}
