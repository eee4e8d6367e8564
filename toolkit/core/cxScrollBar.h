#pragma once
// TcxScrollBar: a scroll bar that the look-and-feel painter draws instead of the system. Two
// arrow buttons, a thumb and the two page areas between them, with hot tracking, auto-repeat
// while an arrow or page area is held (a step at once, after 400 ms, then every 60 ms), thumb
// dragging that snaps back when the pointer strays too far from the bar, and the system scroll
// bar's scroll codes and OnScroll event. It paints through an off-screen bitmap.
//
// Sections: view info (the geometry) · the scroll bar.

#include "Bitmap.h"
#include "CustomControl.h"
#include "cxClasses.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxGraphics.h"
#include "cxLookAndFeel.h"

class TcxScrollBar;
class TcxTimer;
class TdxThemeChangedNotificator;

// ---- view info -----------------------------------------------------------------------------

// The class reference of view infos: a derived scroll bar answers its own in ViewInfoClass.
class TcxScrollBarViewInfo;
using TcxScrollBarViewInfoClass = const TcxArgClassMeta<TcxScrollBarViewInfo, TcxScrollBar*>*;

// Where each part of a scroll bar lies, in its client coordinates. Empty rectangles stand for
// parts that are not there (no thumb on a disabled bar or a track too short for one).
class TcxScrollBarViewInfo : public TObject {
    Z_ARG_FAMILY_CLASS(TcxScrollBarViewInfo, TObject, TcxScrollBarViewInfo, TcxScrollBar*)
public:
    explicit TcxScrollBarViewInfo(TcxScrollBar* scrollBar) : scrollBar_(scrollBar) {}
    // The whole geometry from the bar's size, range, position and metrics.
    virtual void Calculate();
    virtual void Recalculate() { Calculate(); }
    // The thumb at the bar's position again (the arrows stay).
    void CalculateThumbnailRect();
    // The page areas between the arrows and the thumb.
    void CalculatePageRects();

    TcxScrollBar* ScrollBar() const { return scrollBar_; }
    const TRect& TopLeftArrowRect() const { return topLeftArrowRect_; }
    const TRect& BottomRightArrowRect() const { return bottomRightArrowRect_; }
    const TRect& PageUpRect() const { return pageUpRect_; }
    const TRect& PageDownRect() const { return pageDownRect_; }
    const TRect& ThumbnailRect() const { return thumbnailRect_; }
    void SetThumbnailRect(const TRect& r) { thumbnailRect_ = r; }
    int ThumbnailSize() const { return thumbnailSize_; }
    void SetThumbnailSize(int v) { thumbnailSize_ = v; }
    // The track between the two arrows, along the bar: its start and its length.
    int TrackStart() const;
    int TrackLength() const;
    // The thumb's start and length along the bar.
    int ThumbStart() const;
    int ThumbLength() const;

private:
    TcxScrollBar* scrollBar_;
    TRect bottomRightArrowRect_{}, pageDownRect_{}, pageUpRect_{}, thumbnailRect_{}, topLeftArrowRect_{};
    int thumbnailSize_ = 0;  // the least length of a thumb
};

// ---- the scroll bar ------------------------------------------------------------------------

class TcxScrollBar : public TCustomControl {
    Z_CLASS(TcxScrollBar, TCustomControl)
    Z_PUBLISHED {
        p.Property(L"Kind", &TcxScrollBar::Kind, &TcxScrollBar::SetKind).Default(sbHorizontal);
        p.Property(L"LargeChange", &TcxScrollBar::LargeChange, &TcxScrollBar::SetLargeChange).Default(1);
        p.Property(L"LookAndFeel", &TcxScrollBar::LookAndFeel);
        p.Property(L"Max", &TcxScrollBar::Max, &TcxScrollBar::SetMax).Default(100);
        p.Property(L"Min", &TcxScrollBar::Min, &TcxScrollBar::SetMin).Default(0);
        p.Property(L"PageSize", &TcxScrollBar::PageSize, &TcxScrollBar::SetPageSize).Default(0);
        p.Property(L"Position", &TcxScrollBar::Position, &TcxScrollBar::SetPosition).Default(0);
        p.Property(L"SmallChange", &TcxScrollBar::SmallChange, &TcxScrollBar::SetSmallChange).Default(1);
        p.Property(L"UnlimitedTracking", &TcxScrollBar::UnlimitedTracking, &TcxScrollBar::SetUnlimitedTracking)
            .Default(false);
        p.Event(L"OnChange", &TcxScrollBar::OnChange);
        p.Event(L"OnScroll", &TcxScrollBar::OnScroll);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_CANCELMODE, WMCancelMode),
                  Z_MESSAGE(CN_HSCROLL, CNScroll), Z_MESSAGE(CN_VSCROLL, CNScroll),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged),
                  Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange), Z_MESSAGE(CM_CTL3DCHANGED, CMCtl3DChanged),
                  Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave))
public:
    // 121 pixels long and as high as the system's horizontal scroll bar; range 0 to 100.
    explicit TcxScrollBar(TComponent* AOwner);
    ~TcxScrollBar() override;

    // Sets the range, the position (brought into [min, max]) and the page at once; repaints
    // when redraw is asked and the window exists. Raises EInvalidOperation "Scrollbar property
    // out of range" and changes nothing when max < min or max < pageSize.
    void SetScrollParams(int min, int max, int position, int pageSize, bool redraw = true);
    // One scroll request as the system bar would make it: the new position goes through DoScroll
    // (OnScroll may change it) and is kept inside [Min, Max]. A thumb-track request moves the
    // thumb without Change; every other one goes through the Position setter.
    void Scroll(TScrollCode code);
    // The part under a client point.
    TcxScrollBarPart HitTest(TPoint p) const;
    // The position that the thumb's place on the track stands for.
    int PositionFromThumb() const;

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetScrollParams(value, max_, position_, pageSize_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetScrollParams(min_, value, position_, pageSize_); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetScrollParams(min_, max_, value, pageSize_); }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value) { SetScrollParams(min_, max_, position_, value); }
    SmallInt SmallChange() const { return smallChange_; }
    void SetSmallChange(SmallInt value) { smallChange_ = value; }
    SmallInt LargeChange() const { return largeChange_; }
    void SetLargeChange(SmallInt value) { largeChange_ = value; }
    // Whether a thumb drag goes on however far the pointer strays from the bar.
    bool UnlimitedTracking() const { return unlimitedTracking_; }
    void SetUnlimitedTracking(bool value) { unlimitedTracking_ = value; }
    TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
    void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
    TcxLookAndFeelPainterClass Painter() const { return lookAndFeel_->ActivePainter(); }
    TcxScrollBarViewInfo* ViewInfo() const;
    // The part the left button holds down, and the part under the pointer.
    TcxScrollBarPart PressedPart() const { return pressedPart_; }
    TcxScrollBarPart HotPart() const { return hotPart_; }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    // The position changed: OnChange.
    virtual void Change();
    virtual TcxScrollBarViewInfoClass ViewInfoClass() const { return TcxScrollBarViewInfo::StaticClass(); }
    // Draws every part into the off-screen canvas.
    virtual void DrawParts(TcxCanvas* canvas);
    virtual void DrawPart(TcxCanvas* canvas, const TRect& r, TcxScrollBarPart part, TcxButtonState state);
    virtual bool SupportsHotTrack() const { return Painter()->SupportsButtonHotTrack(); }
    // Fires OnScroll, which may change the position.
    virtual void DoScroll(TScrollCode code, int& position);
    virtual int MinThumbnailSize() const { return Painter()->ScrollBarMinThumbSize(kind_ == sbHorizontal); }
    // The look-and-feel changed: metrics and geometry again.
    virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues);

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;

    // Ends a press: a thumb drag reports its final position, the repeat stops, end-scroll.
    void CancelScroll();
    // Minimum thumb size and geometry again, then a repaint.
    void UpdateGeometry();

private:
    void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
    void WMCancelMode(TMessage& Message);
    void CNScroll(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMCtl3DChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    void RepeatTimerTick(TObject* Sender);
    void ThemeChanged();
    // A skin draws the bar's edges itself: while the look-and-feel draws with one, Ctl3D is
    // kept off, and the bar's own setting comes back when the skin goes.
    void ApplySkinCtl3D();
    // The step that pressing an arrow or page area makes.
    void ScrollByPart(TcxScrollBarPart part);
    // The thumb follows the pointer, or snaps back when the pointer left the tracking area.
    void TrackThumb(TPoint p);
    TcxButtonState PartState(TcxScrollBarPart part) const;
    bool IsRepeatingPart(TcxScrollBarPart part) const {
        return part == sbpLineUp || part == sbpLineDown || part == sbpPageUp || part == sbpPageDown;
    }
    void Redraw();

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0;
    SmallInt smallChange_ = 1, largeChange_ = 1;
    bool unlimitedTracking_ = false;
    TcxLookAndFeel* lookAndFeel_;
    TBitmap* bitmap_;
    TcxCanvas* bitmapCanvas_;
    mutable TcxScrollBarViewInfo* viewInfo_ = nullptr;
    TdxThemeChangedNotificator* themeNotificator_;
    TcxTimer* repeatTimer_;
    TcxScrollBarPart pressedPart_ = sbpNone, hotPart_ = sbpNone;
    TPoint downPoint_{};
    int savedPosition_ = 0;
    TPoint savedThumbTopLeft_{};
    // Ctl3D and ParentCtl3D as set on the bar, apart from the switch made for a skin.
    bool realCtl3D_ = true, realParentCtl3D_ = true;
    bool switchingCtl3D_ = false;
};
