#pragma once
// Rectangle and size value objects that can be stored in form descriptions, and the rectangle
// and point routines of the toolkit's drawing and layout. Routines never change their arguments.

#include "Events.h"
#include "GraphicsTypes.h"
#include "Persistent.h"
#include "TypInfo.h"

class TcxRect : public TPersistent {
    Z_CLASS(TcxRect, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Left", &TcxRect::Left, &TcxRect::SetLeft).Default(0);
        p.Property(L"Top", &TcxRect::Top, &TcxRect::SetTop).Default(0);
        p.Property(L"Right", &TcxRect::Right, &TcxRect::SetRight).Default(0);
        p.Property(L"Bottom", &TcxRect::Bottom, &TcxRect::SetBottom).Default(0);
        p.Event(L"OnChange", &TcxRect::OnChange);
    }

public:
    explicit TcxRect(TPersistent* owner) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

    int GetCoordinate(int index) const;  // 0 Left, 1 Top, 2 Right, anything else Bottom
    void SetCoordinate(int index, int value);
    int Left() const { return rect_.left; }
    int Top() const { return rect_.top; }
    int Right() const { return rect_.right; }
    int Bottom() const { return rect_.bottom; }
    void SetLeft(int value) { SetCoordinate(0, value); }
    void SetTop(int value) { SetCoordinate(1, value); }
    void SetRight(int value) { SetCoordinate(2, value); }
    void SetBottom(int value) { SetCoordinate(3, value); }

    const TRect& Rect() const { return rect_; }
    void AssignRect(const TRect& rect);  // fires OnChange only when the rectangle changes
    bool EqualsRect(const TRect& rect) const;
    bool SameAs(const TcxRect* other) const { return other && EqualsRect(other->rect_); }
    TRect* GetRectPointer() { return &rect_; }  // filled in place by the skin reader

    void Assign(TPersistent* source) override;  // from another TcxRect; anything else is ignored

    TNotifyEvent OnChange;

private:
    TPersistent* owner_;
    TRect rect_{};
};

class TcxSize : public TPersistent {
    Z_CLASS(TcxSize, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Width", &TcxSize::Width, &TcxSize::SetWidth).Stored(&TcxSize::IsWidthStored);
        p.Property(L"Height", &TcxSize::Height, &TcxSize::SetHeight).Stored(&TcxSize::IsHeightStored);
        p.Event(L"OnChange", &TcxSize::OnChange);
    }

public:
    explicit TcxSize(TPersistent* owner) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }

    // Index 1 is the width, 0 the height.
    virtual int GetExtent(int index) const { return index == 1 ? size_.cx : size_.cy; }
    void SetExtent(int index, int value);
    virtual bool IsExtentStored(int index) const { return GetExtent(index) != 0; }
    int Width() const { return GetExtent(1); }
    int Height() const { return GetExtent(0); }
    void SetWidth(int value) { SetExtent(1, value); }
    void SetHeight(int value) { SetExtent(0, value); }
    bool IsWidthStored() const { return IsExtentStored(1); }
    bool IsHeightStored() const { return IsExtentStored(0); }

    // Negative values become 0; OnChange fires only when the size changes.
    virtual void ApplySize(const TSize& size);
    TSize AsSize() const { return TSize{Width(), Height()}; }
    bool IsEmpty() const { return Width() == 0 && Height() == 0; }
    bool EqualsSize(const TSize& size) const { return size_.cx == size.cx && size_.cy == size.cy; }
    bool SameAs(const TcxSize* other) const { return other && EqualsSize(other->size_); }
    TSize* GetSizePointer() { return &size_; }

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    virtual void NotifyChanged();

private:
    TPersistent* owner_;
    TSize size_{};
};

// ---- Rectangle and point routines ---------------------------------------------------------

// Moves each side outward by its amount (negative amounts shrink).
inline TRect InflateRectSides(const TRect& r, int left, int top, int right, int bottom) {
    return TRect{r.left - left, r.top - top, r.right + right, r.bottom + bottom};
}
inline TRect ShiftRect(const TRect& r, int dx, int dy) {
    return TRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
inline bool RectsEqual(const TRect& a, const TRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool IsPointInRect(const TRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
inline TRect TransposeRect(const TRect& r) { return TRect{r.top, r.left, r.bottom, r.right}; }
inline TRect RectWithLeftAndWidth(const TRect& r, int left, int width) {
    return TRect{left, r.top, left + width, r.bottom};
}
// A rectangle of the size centred in bounds; the offsets are halved toward zero.
inline TRect CenteredRect(const TRect& bounds, int width, int height) {
    int left = (bounds.left + bounds.right - width) / 2;
    int top = (bounds.top + bounds.bottom - height) / 2;
    return TRect{left, top, left + width, top + height};
}
inline TPoint NegatePoint(const TPoint& p) { return TPoint{-p.x, -p.y}; }
inline TPoint MakePoint(int x, int y) { return TPoint{x, y}; }
inline bool PointsEqual(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
inline bool PointsEqual(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }

void InitializecxGeometry();
void FinalizecxGeometry();
