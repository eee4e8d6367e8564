#pragma once
// The item control: the part of a link that a bar window shows. This is its base as far as the
// layout needs it: which view levels the control can show and the link allows, the width it
// takes at a level, and the three objects it owns for others: the view info (its layout state),
// the draw parameters (what the painter reads) and the glyph cache.
//
// Controls are made through their class reference, `cls->CreateForLink(link)`, by the link
// when its bar window builds its controls; the item class registry (dxBarItemRegistry.h) names
// the class for each item class.
//
// Ownership: the control owns the view info, the draw parameters and the glyph cache; the link
// and the item belong to their collection and owner, the bar window to its manager.

#include <memory>
#include <type_traits>
#include <vector>

#include "Control.h"
#include "ImageList.h"
#include "Interfaces.h"
#include "ShortCuts.h"
#include "SysExceptions.h"
#include "TypInfo.h"
#include "cxComponent.h"
#include "dxBarForward.h"
#include "dxBarPaintedObjects.h"
#include "dxBarViewLevels.h"
#include "dxFading.h"

class TcxCanvas;
struct IdxBarAccessibilityHelper;
class TcxAccessibilityHelperMeta;
class TdxBarAccessibilityHelper;
class TdxBarItemControlViewInfo;
class TdxBarItemControlDrawParams;
class TdxBarPainter;
class TdxCachedImageOptions;

// The class reference of the item controls: its virtual constructor, which also runs the steps
// that need the descendant's virtual operations.
class TdxBarItemControlMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TdxBarItemControl* CreateForLink(TdxBarItemLink* link) const = 0;
};

template <class C>
class TMetaClassOf<TdxBarItemControlMeta, C> final : public TdxBarItemControlMeta {
public:
    using TdxBarItemControlMeta::TdxBarItemControlMeta;
    TdxBarItemControl* CreateForLink(TdxBarItemLink* link) const override;
};

using TdxBarItemControlClass = const TdxBarItemControlMeta*;

class TdxBarItemControl : public TcxIUnknownObject, public IdxFadingObject, public IdxBarPaintedControl {
    Z_CLASS_FAMILY(TdxBarItemControl, TcxIUnknownObject, TdxBarItemControlMeta)
public:
    // Remembers the link and its bar window; CreateForLink finishes the creation.
    explicit TdxBarItemControl(TdxBarItemLink* link);
    ~TdxBarItemControl() override;

    TdxBarItemLink* Link() const { return link_; }
    TdxBarItem* Item() const;
    TCustomdxBarControl* BarControl() const { return barControl_; }
    TdxBarManager* GetManager() const;
    TdxBarPainter* GetPainter() const;
    // The link's item rectangle, in the bar window's client coordinates.
    TRect GetBounds() const;

    // The levels this class of control can show: small icon with text, and the icon alone when
    // the item has an image.
    virtual TdxBarItemViewLevels GetPossibleViewLevels() const;
    // The possible levels; EdxException "<class>.GetPossibleViewLevels = []" when there are none.
    TdxBarItemViewLevels GetCheckedPossibleViewLevels() const;
    // The possible levels the link allows; all possible ones when the link allows none of them.
    TdxBarItemViewLevels GetAllowedViewLevels() const;
    // The width at the level: the view info shows that level for the time of the measuring.
    int CalcWidthForViewLevel(TdxBarItemViewLevel level);
    virtual bool SupportsButtonGroups() const { return false; }

    // Marks the glyph cache stale and, when asked, forgets the widths measured per level.
    void ResetCachedSizes(bool widths);

    // -- what the item's changes do: relayout (the bar window's UpdateBar) when a size can
    // change, else a repaint
    void RequestBarUpdate();
    virtual void CaptionChanged();
    // The window under the cursor tracks again; a disabled selected control loses the selection.
    virtual void EnabledChanged();
    // Relayout when the allowed levels or the icon of the drawn structure changed.
    virtual void GlyphOrImageChanged();
    virtual void HotGlyphChanged() {}
    virtual void LargeGlyphChanged();
    virtual void ImagesChanged();
    virtual void LayoutChanged() { RequestBarUpdate(); }
    virtual void WidthChanged() {}

    // -- what the painter reads of the control while drawing it
    IdxBarPaintedWindow* PaintedWindow() const override;
    TRect Part(int index) const override;
    TRect Bounds() const override { return GetBounds(); }
    TSize GlyphSize(int viewSize) const override;
    bool GetImageInfo(int viewSize, TBitmap*& glyph, TCustomImageList*& images, int& index) const override;
    TdxBarGlyphLayout GlyphLayout() const override;

    // Made on first use, so that a descendant's view levels answer.
    TdxBarItemControlViewInfo* ViewInfo();
    TdxBarItemControlViewInfo* ViewInfoIfMade() const { return viewInfo_.get(); }
    TdxBarItemControlDrawParams* DrawParams();
    TdxCachedImageOptions* CachedImage() const { return cachedImage_.get(); }

    // -- the hot part and fading
    // The part under the mouse: -1 none, 100 inside but in no part.
    int HotPart() const { return hotPart_; }
    // Takes the part under the point as the hot part; entering the control from outside starts
    // a fade in, leaving it a fade out, a move between its parts only repaints.
    void UpdateHotPart(const TPoint& p);
    virtual bool IsEnabled() const;
    // The fader of the bar window; nil without one.
    virtual TdxFader* GetFader() const;
    bool CanFade() override { return false; }
    void FadingRepaint() override { RepaintControl(); }
    void FadingBegin(IdxFadingElementData* data) override { fadingData_ = data; }
    void FadingEnd() override { fadingData_ = nullptr; }
    void GetFadingImages(TBitmap*& normal, TBitmap*& hot, int& inFrames, int& inDelay, int& outFrames,
                         int& outDelay) override {
        CreateFadingImages(normal, hot, inFrames, inDelay, outFrames, outDelay);
    }
    IdxFadingElementData* FadingData() const { return fadingData_; }

    // -- the mouse, as the bar window hands it over
    virtual void MouseEnter(TShiftState /*shift*/, int x, int y) { UpdateHotPart(TPoint{x, y}); }
    virtual void MouseMove(TShiftState /*shift*/, int x, int y) { UpdateHotPart(TPoint{x, y}); }
    virtual void MouseLeave() { UpdateHotPart(TPoint{-1, -1}); }

    // -- layout and sizes
    // The draw parameters without item data, then the part rectangles.
    void Recalculate();
    virtual void CalcDrawParams(bool withItemData);
    virtual void CalcParts();
    int GetPartCount() const { return int(partRects_.size()); }
    const TRect& GetPartRect(int index) const { return partRects_.at(size_t(index)); }
    int CalcLayoutHeight();
    int MeasureHeight();
    // The text height of the style font when the item's style sets one, else the bar window's.
    int GetActualTextSize() const;
    // The display size of the current view level: 0 small, 1 large icons, 2 large.
    Byte GetViewSize();
    virtual Byte GetDisplaySize() const;
    // Bit 0 icon, bit 1 text, for the current view level.
    virtual Byte GetViewLevelStyle();
    virtual Byte GetViewStructure() const { return 0; }
    virtual Byte GetPaintKind() const;
    bool IsRotated() const;
    // The glyph's or image list's size at the display size; (20, 20) at size 2 and the manager's
    // glyph size otherwise when there is neither.
    virtual TSize CalcGlyphSize(Byte displaySize);
    bool HasImageAt(Byte displaySize);
    // The image list and index of the display size.
    virtual TCustomImageList* GetImageListForSize(Byte displaySize);
    virtual int GetImageIndexForSize(Byte displaySize);
    bool UsesLargeImages(Byte displaySize) const;
    TSize MeasureText(const String& text);

    // -- drawing: PaintOn clips nothing itself; the bar window has clipped the canvas already
    void PaintOn(TcxCanvas* canvas, const TRect& r, Byte paintKind);
    TcxCanvas* GetDrawCanvas() const;
    TcxCanvas* PaintCanvas() const { return paintCanvas_; }
    // The bar window's handle is going: windowed controls let go of their windows.
    virtual void ReleaseWindows() {}
    virtual bool IsSkippedWhenCust() const { return false; }

    // -- hints: the hint before its first "|" and the shortcut as " (Ctrl+S)", while the bar
    // window looks inactive and this control is under the cursor
    virtual bool GetHintTexts(bool& noHint, String& hint, String& shortCutText);
    virtual String GetItemHint() const;
    virtual TShortCut GetShortCut() const;

    // -- clicks: each step may free the control, so the next one runs only while it lives
    virtual void ClickAt(bool byMouse, bool extra);
    virtual void ControlPress(bool /*byMouse*/, bool /*extra*/) {}
    virtual void ControlClick(bool byMouse);
    virtual bool IsClickable() const { return true; }
    virtual bool ClosesMenuOnClick() const { return true; }
    bool HeldPressed() const { return heldPressed_; }

    // -- selection and activation, which the bar window drives
    // The control is the active one of its bar window (its drop-down may open).
    bool IsActive() const { return active_; }
    virtual void ControlActivate(bool /*immediately*/) { active_ = true; }
    virtual void ControlInactivate(bool /*immediately*/) { active_ = false; }
    // The keyboard can select the control (not while customizing locks it).
    virtual bool IsNavigable() const { return true; }
    virtual bool CanHotTrack() const { return IsNavigable(); }
    // A press reaches the control: it can be selected or clicked.
    virtual bool AcceptsMouse() const { return IsNavigable() || IsClickable(); }
    // The selected control takes the key itself (KeyDown) instead of the bar window.
    virtual bool MatchesAccelerator(Word /*key*/) const { return false; }
    virtual void KeyDown(Word& /*key*/, TShiftState /*shift*/) {}
    // The control has a window of its own (an in-place editor); none in the base.
    virtual bool HasWindow() const { return false; }
    virtual bool IsDroppedDown() const { return false; }
    virtual bool IsSubItem() const { return false; }
    // The bar window handles a double click on the control itself (designing, sub items).
    virtual bool HandlesDblClickInBar() const;
    virtual void DblClick() {}
    // The mouse buttons as the bar window hands them over; nothing in the base.
    virtual void MouseDown(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseUp(TMouseButton /*button*/, TShiftState /*shift*/, int /*x*/, int /*y*/) {}
    // Another window's activation closes the chain unless the control keeps it open.
    virtual bool AcceptsManager(TdxBarManager* /*manager*/) const { return true; }
    // The window is the bar window or one of its descendants.
    virtual bool ContainsWindow(HWND window) const;
    // The control asks its bar window to select it (the window's downed flag is cleared).
    virtual void SelectInParent();
    // The window's selected control, and enabled or not selected by the mouse.
    bool IsSelected() const;
    virtual bool ShowsSelected() const { return IsSelected(); }
    bool MouseSelected() const { return mouseSelected_; }
    void SetMouseSelected(bool value) { mouseSelected_ = value; }
    void SetPressed(bool value);
    virtual void DataChanged();

    // -- accessibility: the control's helper, made on first request from GetAccessHelperClass
    // and told that its owner is gone when the control goes.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();
    virtual const TcxAccessibilityHelperMeta* GetAccessHelperClass() const;

protected:
    // The steps of the creation that reach the descendant's operations.
    virtual void AfterCreate();
    // The draw parameters of the control's kind (made on first use).
    virtual TdxBarItemControlDrawParams* CreateDrawParams();
    // The layout width at the view info's current level.
    virtual int CalcWidth() { return 0; }
    virtual int CalcHeight();
    virtual int CalcRowHeight();
    virtual int CalcSmallHeight();
    virtual int CalcLargeHeight();
    virtual int CalcMenuItemHeight();
    virtual int GetMinHeight() const { return 1; }
    virtual int CalcMinWidth() const { return 1; }
    void SetPartRects(std::vector<TRect> rects) { partRects_ = std::move(rects); }
    // Nothing in the base: each kind of control draws itself through the painter.
    virtual void DrawContent(const TRect& /*r*/, Byte /*paintKind*/) {}
    // The part at the point: -1 outside the bounds, the first part holding it, 100 in none.
    virtual int HitTestPart(const TPoint& p);
    // Asks the bar window to invalidate the control's rectangle; never draws at once.
    virtual void RepaintControl();
    // The normal and hot looks for a fade; the base has none, so nothing fades.
    virtual void CreateFadingImages(TBitmap*& /*normal*/, TBitmap*& /*hot*/, int& /*inFrames*/, int& /*inDelay*/,
                                    int& /*outFrames*/, int& /*outDelay*/) {}

private:
    template <class, class>
    friend class TMetaClassOf;
    TdxBarItemLink* link_;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
    TCustomdxBarControl* barControl_ = nullptr;
    TcxCanvas* paintCanvas_ = nullptr;
    std::vector<TRect> partRects_;
    bool heldPressed_ = false;
    bool mouseSelected_ = false;
    bool active_ = false;
    int hotPart_ = -1;
    IdxFadingElementData* fadingData_ = nullptr;
    TdxFader* usedFader_ = nullptr;
    std::unique_ptr<TdxBarItemControlViewInfo> viewInfo_;
    std::unique_ptr<TdxBarItemControlDrawParams> drawParams_;
    std::unique_ptr<TdxCachedImageOptions> cachedImage_;
};

template <class C>
TdxBarItemControl* TMetaClassOf<TdxBarItemControlMeta, C>::CreateForLink(TdxBarItemLink* link) const {
    // As the other virtual constructors: a class without the link constructor raises.
    if constexpr (std::is_constructible_v<C, TdxBarItemLink*> && !std::is_abstract_v<C>) {
        std::unique_ptr<C> control(new C(link));
        static_cast<TdxBarItemControl*>(control.get())->AfterCreate();
        return control.release();
    } else {
        (void)link;
        throw EInvalidOperation(L"Cannot create an instance of " + ClassName() + L" for a link");
    }
}
