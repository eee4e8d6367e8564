#include "cxScrollBar.h"

#include <algorithm>

#include "Mouse.h"
#include "cxClasses.h"
#include "cxPainterImages.h"
#include "cxTimer.h"
#include "dxThemeManager.h"

// Sections: geometry (view info) · construction and properties · scrolling · painting · mouse
// and the repeat timer · messages.

namespace {

// How far the pointer may stray while it drags the thumb: along the bar beyond its ends, and
// across it on either side. Beyond that the thumb goes back to where the drag began.
constexpr int kThumbTrackSlackAlong = 34;
constexpr int kThumbTrackSlackAcross = 136;
constexpr Cardinal kFirstRepeatDelay = 400;
constexpr Cardinal kRepeatInterval = 60;

bool IsRectEmptyArea(const TRect& r) { return r.right <= r.left || r.bottom <= r.top; }

// MulDiv with the zero divisor that a full-length thumb or a range equal to the page gives:
// nothing to distribute, so 0 (the system's MulDiv answers -1 there).
int ScaleOrZero(int value, int numerator, int denominator) {
    return denominator == 0 ? 0 : MulDiv(value, numerator, denominator);
}

}  // namespace

// ---- geometry (view info) ------------------------------------------------------------------

int TcxScrollBarViewInfo::TrackStart() const {
    return scrollBar_->Kind() == sbHorizontal ? topLeftArrowRect_.right : topLeftArrowRect_.bottom;
}

int TcxScrollBarViewInfo::TrackLength() const {
    return scrollBar_->Kind() == sbHorizontal ? bottomRightArrowRect_.left - topLeftArrowRect_.right
                                              : bottomRightArrowRect_.top - topLeftArrowRect_.bottom;
}

int TcxScrollBarViewInfo::ThumbStart() const {
    return scrollBar_->Kind() == sbHorizontal ? thumbnailRect_.left : thumbnailRect_.top;
}

int TcxScrollBarViewInfo::ThumbLength() const {
    return scrollBar_->Kind() == sbHorizontal ? RectWidth(thumbnailRect_) : RectHeight(thumbnailRect_);
}

void TcxScrollBarViewInfo::Calculate() {
    const TRect client{0, 0, scrollBar_->Width(), scrollBar_->Height()};
    // Arrow buttons are square to the bar's thickness, but share a bar too short for two.
    if (scrollBar_->Kind() == sbHorizontal) {
        int size = std::min<int>(GetSystemMetrics(SM_CYHSCROLL), client.right / 2);
        topLeftArrowRect_ = TRect{0, 0, size, client.bottom};
        bottomRightArrowRect_ = TRect{client.right - size, 0, client.right, client.bottom};
    } else {
        int size = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.bottom / 2);
        topLeftArrowRect_ = TRect{0, 0, client.right, size};
        bottomRightArrowRect_ = TRect{0, client.bottom - size, client.right, client.bottom};
    }
    CalculateThumbnailRect();
}

void TcxScrollBarViewInfo::CalculateThumbnailRect() {
    thumbnailRect_ = TRect{};
    const TcxScrollBar* bar = scrollBar_;
    const int track = TrackLength();
    const int range = bar->Max() - bar->Min();
    int length = 0, offset = 0;
    bool hasThumb = false;
    if (bar->Enabled()) {
        if (bar->PageSize() > 0) {
            length = std::min(track, MulDiv(bar->PageSize(), track, range + 1));
            if (track >= thumbnailSize_ && range != 0) {
                hasThumb = true;
                length = std::max(length, thumbnailSize_);
                const int d = range - bar->PageSize() + 1;
                offset = ScaleOrZero(track - length, std::min(bar->Position() - bar->Min(), d), d);
            }
        } else {
            length = GetSystemMetrics(bar->Kind() == sbHorizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
            if (track >= length) {
                hasThumb = true;
                offset =
                    (track == length || range == 0) ? 0 : MulDiv(track - length, bar->Position() - bar->Min(), range);
            }
        }
    }
    if (hasThumb) {
        const int start = TrackStart() + offset;
        if (bar->Kind() == sbHorizontal)
            thumbnailRect_ = TRect{start, 0, start + length, bar->Height()};
        else
            thumbnailRect_ = TRect{0, start, bar->Width(), start + length};
    }
    CalculatePageRects();
}

void TcxScrollBarViewInfo::CalculatePageRects() {
    pageUpRect_ = pageDownRect_ = TRect{};
    if (IsRectEmptyArea(thumbnailRect_)) return;
    if (scrollBar_->Kind() == sbHorizontal) {
        pageUpRect_ = TRect{topLeftArrowRect_.right, 0, thumbnailRect_.left, scrollBar_->Height()};
        pageDownRect_ = TRect{thumbnailRect_.right, 0, bottomRightArrowRect_.left, scrollBar_->Height()};
    } else {
        pageUpRect_ = TRect{0, topLeftArrowRect_.bottom, scrollBar_->Width(), thumbnailRect_.top};
        pageDownRect_ = TRect{0, thumbnailRect_.bottom, scrollBar_->Width(), bottomRightArrowRect_.top};
    }
}

// ---- construction and properties -----------------------------------------------------------

TcxScrollBar::TcxScrollBar(TComponent* AOwner)
    : TCustomControl(AOwner),
      lookAndFeel_(new TcxLookAndFeel(this)),
      bitmap_(new TBitmap),
      bitmapCanvas_(nullptr),
      themeNotificator_(new TdxThemeChangedNotificator),
      repeatTimer_(new TcxTimer(nullptr)) {
    SetControlStyle(TControlStyle{csCaptureMouse, csFramed, csOpaque});
    bitmap_->SetPixelFormat(pfDevice);
    bitmapCanvas_ = new TcxCanvas(bitmap_->Canvas());
    lookAndFeel_->OnChanged = MakeEvent(this, &TcxScrollBar::LookAndFeelChanged);
    themeNotificator_->OnThemeChanged = MakeEvent(this, &TcxScrollBar::ThemeChanged);
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(kFirstRepeatDelay);
    repeatTimer_->SetOnTimer(MakeEvent(this, &TcxScrollBar::RepeatTimerTick));
    SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYHSCROLL));
    realCtl3D_ = Ctl3D();
    realParentCtl3D_ = ParentCtl3D();
}

TcxScrollBar::~TcxScrollBar() {
    ResetObjectLinks(this);
    // The window goes first: its last messages may still reach the parts below.
    if (HandleAllocated()) DestroyHandle();
    delete repeatTimer_;
    delete themeNotificator_;
    delete viewInfo_;
    delete bitmapCanvas_;
    delete bitmap_;
    delete lookAndFeel_;
}

TcxScrollBarViewInfo* TcxScrollBar::ViewInfo() const {
    // Made on first need rather than in the constructor, so that a derived bar's own class is
    // the one made.
    if (!viewInfo_) {
        viewInfo_ = ViewInfoClass()->Create(const_cast<TcxScrollBar*>(this));
        ViewInfo()->SetThumbnailSize(MinThumbnailSize());
        ViewInfo()->Calculate();
    }
    return viewInfo_;
}

void TcxScrollBar::Loaded() {
    TCustomControl::Loaded();
    ViewInfo()->Calculate();
}

void TcxScrollBar::SetKind(TScrollBarKind value) {
    if (kind_ == value) return;
    kind_ = value;
    if (IsLoading()) {
        ViewInfo()->Recalculate();
    } else {
        // The same bar turned by a quarter: a horizontal bar becomes a vertical one as long.
        SetBounds(Left(), Top(), Height(), Width());
        ViewInfo()->SetThumbnailSize(MinThumbnailSize());
        ViewInfo()->Recalculate();
    }
    Invalidate();
}

void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool resized = AWidth != Width() || AHeight != Height();
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && Width() > 0 && Height() > 0) {
        bitmap_->SetSize(Width(), Height());
        if (viewInfo_) viewInfo_->Recalculate();
    }
}

void TcxScrollBar::SetScrollParams(int min, int max, int position, int pageSize, bool redraw) {
    if (max < min || max < pageSize) throw EInvalidOperation(L"Scrollbar property out of range");
    redraw = redraw && HandleAllocated();
    position = std::clamp(position, min, max);
    if (min == min_ && max == max_ && position == position_ && pageSize == pageSize_) return;
    min_ = min;
    max_ = max;
    pageSize_ = pageSize;
    if (position == position_) {
        ViewInfo()->CalculateThumbnailRect();
        if (redraw) Redraw();
        return;
    }
    SetEnabled(true);
    position_ = position;
    ViewInfo()->CalculateThumbnailRect();
    if (redraw) Redraw();
    Change();
}

void TcxScrollBar::Change() {
    if (OnChange) OnChange(this);
}

void TcxScrollBar::UpdateGeometry() {
    ViewInfo()->SetThumbnailSize(MinThumbnailSize());
    ViewInfo()->Recalculate();
    Invalidate();
}

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
    ApplySkinCtl3D();
    UpdateGeometry();
}

void TcxScrollBar::ApplySkinCtl3D() {
    const bool skinned = lookAndFeel_->SkinPainter() && Painter() == lookAndFeel_->SkinPainter();
    switchingCtl3D_ = true;
    try {
        if (skinned) {
            if (Ctl3D()) SetCtl3D(false);
        } else if (Ctl3D() != realCtl3D_ || ParentCtl3D() != realParentCtl3D_) {
            SetCtl3D(realCtl3D_);
            SetParentCtl3D(realParentCtl3D_);
        }
    } catch (...) {
        switchingCtl3D_ = false;
        throw;
    }
    switchingCtl3D_ = false;
}

void TcxScrollBar::ThemeChanged() {
    UpdateGeometry();
    UpdateScrollBarPatterns();
    if (Parent()) Parent()->Realign();
}

// ---- scrolling -----------------------------------------------------------------------------

void TcxScrollBar::Scroll(TScrollCode code) {
    int position = position_;
    switch (code) {
        case scLineUp:
            position -= smallChange_;
            break;
        case scLineDown:
            position += smallChange_;
            break;
        case scPageUp:
            position -= largeChange_;
            break;
        case scPageDown:
            position += largeChange_;
            break;
        case scTop:
            position = min_;
            break;
        case scBottom:
            position = max_;
            break;
        default:
            break;
    }
    position = std::clamp(position, min_, max_);
    // The handler may free the bar (the control it scrolls may go away).
    TcxObjectLinkGuard self(this);
    DoScroll(code, position);
    if (!self.Alive()) return;
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    if (code == scTrack) {
        position_ = position;
        ViewInfo()->CalculateThumbnailRect();
        Redraw();
    } else {
        SetPosition(position);
    }
}

void TcxScrollBar::DoScroll(TScrollCode code, int& position) {
    if (OnScroll) OnScroll(this, code, position);
}

int TcxScrollBar::PositionFromThumb() const {
    const int range = max_ - min_ + (pageSize_ > 0 ? 1 - pageSize_ : 0);
    const int offset = ViewInfo()->ThumbStart() - ViewInfo()->TrackStart();
    return min_ + ScaleOrZero(range, offset, ViewInfo()->TrackLength() - ViewInfo()->ThumbLength());
}

TcxScrollBarPart TcxScrollBar::HitTest(TPoint p) const {
    const TRect client{0, 0, Width(), Height()};
    auto in = [&p](const TRect& r) { return PtInRect(&r, p) != FALSE; };
    if (!in(client)) return sbpNone;
    if (in(ViewInfo()->TopLeftArrowRect())) return sbpLineUp;
    if (in(ViewInfo()->BottomRightArrowRect())) return sbpLineDown;
    if (IsRectEmptyArea(ViewInfo()->ThumbnailRect())) return sbpNone;
    if (in(ViewInfo()->ThumbnailRect())) return sbpThumbnail;
    if (in(ViewInfo()->PageUpRect())) return sbpPageUp;
    if (in(ViewInfo()->PageDownRect())) return sbpPageDown;
    return sbpNone;
}

void TcxScrollBar::ScrollByPart(TcxScrollBarPart part) {
    switch (part) {
        case sbpLineUp:
            Scroll(scLineUp);
            break;
        case sbpLineDown:
            Scroll(scLineDown);
            break;
        case sbpPageUp:
            Scroll(scPageUp);
            break;
        case sbpPageDown:
            Scroll(scPageDown);
            break;
        default:
            break;
    }
}

// ---- painting ------------------------------------------------------------------------------

TcxButtonState TcxScrollBar::PartState(TcxScrollBarPart part) const {
    if (!Enabled()) return cxbsDisabled;
    if (part == sbpThumbnail && !SupportsHotTrack()) return cxbsNormal;
    if (pressedPart_ != sbpNone) return (part == pressedPart_ && hotPart_ == part) ? cxbsPressed : cxbsNormal;
    if (part == hotPart_ && !ComponentState().Contains(csDesigning)) return cxbsHot;
    return cxbsNormal;
}

void TcxScrollBar::DrawParts(TcxCanvas* canvas) {
    const TcxScrollBarViewInfo* v = ViewInfo();
    if (!IsRectEmptyArea(v->ThumbnailRect())) {
        DrawPart(canvas, v->ThumbnailRect(), sbpThumbnail, PartState(sbpThumbnail));
    } else {
        // No thumb: the whole bar is track, under the arrows drawn next.
        DrawPart(canvas, TRect{0, 0, Width(), Height()}, sbpPageUp, Enabled() ? cxbsNormal : cxbsDisabled);
    }
    DrawPart(canvas, v->TopLeftArrowRect(), sbpLineUp, PartState(sbpLineUp));
    DrawPart(canvas, v->BottomRightArrowRect(), sbpLineDown, PartState(sbpLineDown));
    if (!IsRectEmptyArea(v->PageUpRect())) DrawPart(canvas, v->PageUpRect(), sbpPageUp, PartState(sbpPageUp));
    if (!IsRectEmptyArea(v->PageDownRect())) DrawPart(canvas, v->PageDownRect(), sbpPageDown, PartState(sbpPageDown));
}

void TcxScrollBar::DrawPart(TcxCanvas* canvas, const TRect& r, TcxScrollBarPart part, TcxButtonState state) {
    Painter()->DrawScrollBarElement(canvas, r, state, kind_ == sbHorizontal, part);
}

void TcxScrollBar::Paint() {
    if (Width() <= 0 || Height() <= 0) return;
    if (bitmap_->Width() != Width() || bitmap_->Height() != Height()) bitmap_->SetSize(Width(), Height());
    DrawParts(bitmapCanvas_);
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), bitmap_->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TcxScrollBar::Redraw() {
    if (!HandleAllocated()) return;
    Invalidate();
    Update();
}

// ---- mouse and the repeat timer ------------------------------------------------------------

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    const TcxScrollBarPart part = HitTest(TPoint{X, Y});
    if (part == sbpNone) return;
    TcxObjectLinkGuard self(this);
    pressedPart_ = hotPart_ = part;
    if (part == sbpThumbnail) {
        downPoint_ = TPoint{X, Y};
        savedPosition_ = position_;
        savedThumbTopLeft_ = TPoint{ViewInfo()->ThumbnailRect().left, ViewInfo()->ThumbnailRect().top};
        Scroll(scTrack);
    } else {
        ScrollByPart(part);
        if (!self.Alive()) return;
        repeatTimer_->SetInterval(kFirstRepeatDelay);
        repeatTimer_->SetEnabled(true);
    }
    if (self.Alive()) Redraw();
}

void TcxScrollBar::RepeatTimerTick(TObject*) {
    if (!MouseCapture() || !IsRepeatingPart(pressedPart_)) {
        CancelScroll();
        return;
    }
    repeatTimer_->SetInterval(kRepeatInterval);
    TPoint p = ScreenToClient(Mouse->CursorPos());
    if (HitTest(p) != pressedPart_) {
        // Paused until the pointer comes back over the part.
        repeatTimer_->SetEnabled(false);
        return;
    }
    ScrollByPart(pressedPart_);
}

void TcxScrollBar::TrackThumb(TPoint p) {
    const bool horizontal = kind_ == sbHorizontal;
    TRect area{0, 0, Width(), Height()};
    if (horizontal)
        InflateRect(&area, kThumbTrackSlackAlong, kThumbTrackSlackAcross);
    else
        InflateRect(&area, kThumbTrackSlackAcross, kThumbTrackSlackAlong);
    if (!unlimitedTracking_ && !PtInRect(&area, p)) {
        TcxObjectLinkGuard self(this);
        SetPosition(savedPosition_);
        if (self.Alive()) Scroll(scTrack);
        return;
    }
    const int delta = horizontal ? p.x - downPoint_.x : p.y - downPoint_.y;
    const int length = ViewInfo()->ThumbLength();
    const int first = ViewInfo()->TrackStart();
    const int last = first + ViewInfo()->TrackLength() - length;
    const int start =
        std::clamp(int(horizontal ? savedThumbTopLeft_.x : savedThumbTopLeft_.y) + delta, first, std::max(first, last));
    TRect thumb = ViewInfo()->ThumbnailRect();
    if (horizontal)
        thumb = TRect{start, thumb.top, start + length, thumb.bottom};
    else
        thumb = TRect{thumb.left, start, thumb.right, start + length};
    ViewInfo()->SetThumbnailRect(thumb);
    ViewInfo()->CalculatePageRects();
    Redraw();
    const int position = PositionFromThumb();
    if (position != position_) {
        position_ = position;
        Scroll(scTrack);
    }
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const TPoint p{X, Y};
    if (pressedPart_ == sbpThumbnail) {
        TrackThumb(p);
        return;
    }
    const TcxScrollBarPart part = HitTest(p);
    if (IsRepeatingPart(pressedPart_)) repeatTimer_->SetEnabled(part == pressedPart_);
    if (part != hotPart_) {
        hotPart_ = part;
        if (SupportsHotTrack() || pressedPart_ != sbpNone) Redraw();
    }
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TcxObjectLinkGuard self(this);
    CancelScroll();
    if (!self.Alive()) return;
    hotPart_ = HitTest(TPoint{X, Y});
    Invalidate();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TcxScrollBar::CancelScroll() {
    if (pressedPart_ == sbpNone) return;
    const bool draggedThumb = pressedPart_ == sbpThumbnail;
    repeatTimer_->SetEnabled(false);
    pressedPart_ = hotPart_ = sbpNone;
    TcxObjectLinkGuard self(this);
    if (draggedThumb) {
        position_ = PositionFromThumb();
        Scroll(scPosition);
        if (!self.Alive()) return;
    }
    Scroll(scEndScroll);
    if (!self.Alive()) return;
    ViewInfo()->CalculateThumbnailRect();
    Invalidate();
}

// ---- messages ------------------------------------------------------------------------------

void TcxScrollBar::WMCancelMode(TMessage& Message) {
    TcxObjectLinkGuard self(this);
    CancelScroll();
    if (self.Alive()) Inherited<TCustomControl>(Message);
}

void TcxScrollBar::CNScroll(TMessage& Message) { Scroll(TScrollCode(LOWORD(Message.WParam))); }

void TcxScrollBar::CMEnabledChanged(TMessage& Message) {
    if (!Enabled()) CancelScroll();
    ViewInfo()->CalculateThumbnailRect();
    Inherited<TCustomControl>(Message);
}

void TcxScrollBar::CMVisibleChanged(TMessage& Message) {
    if (!Visible()) CancelScroll();
    Inherited<TCustomControl>(Message);
}

void TcxScrollBar::CMSysColorChange(TMessage& Message) {
    UpdateScrollBarPatterns();
    Inherited<TCustomControl>(Message);
}

void TcxScrollBar::CMCtl3DChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (switchingCtl3D_) return;
    // A change from outside (the bar's own setting or its parent's) is the real value.
    realCtl3D_ = Ctl3D();
    realParentCtl3D_ = ParentCtl3D();
    ApplySkinCtl3D();
    UpdateGeometry();
}

void TcxScrollBar::CMMouseEnter(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (Message.LParam == 0 && (SupportsHotTrack() || IsRepeatingPart(pressedPart_))) Invalidate();
}

void TcxScrollBar::CMMouseLeave(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    if (Message.LParam != 0) return;
    if (pressedPart_ != sbpThumbnail) hotPart_ = sbpNone;
    if (SupportsHotTrack() || IsRepeatingPart(pressedPart_)) Invalidate();
}
