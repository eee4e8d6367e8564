#pragma once
// The item control: the part of a link that a bar window shows. This is its base as far as the
// layout needs it: which view levels the control can show and the link allows, the width it
// takes at a level, and the three objects it owns for others: the view info (its layout state),
// the draw parameters (what the painter reads) and the glyph cache.
//
// Ownership: the control owns the view info, the draw parameters and the glyph cache; the link
// and the item belong to their collection and owner.

#include <memory>

#include "TypInfo.h"
#include "cxComponent.h"
#include "dxBarForward.h"
#include "dxBarViewLevels.h"
#include "dxFading.h"

class TdxBarItemControlViewInfo;
class TdxBarItemControlDrawParams;
class TdxCachedImageOptions;

class TdxBarItemControl : public TcxIUnknownObject, public IdxFadingObject {
    Z_CLASS(TdxBarItemControl, TcxIUnknownObject)
public:
    explicit TdxBarItemControl(TdxBarItemLink* link);
    ~TdxBarItemControl() override;

    TdxBarItemLink* Link() const { return link_; }
    TdxBarItem* Item() const;

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
    // The item's image changed: the cached glyph is of the old image.
    void GlyphOrImageChanged() { ResetCachedSizes(false); }

    // Made on first use, so that a descendant's view levels answer.
    TdxBarItemControlViewInfo* ViewInfo();
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
    virtual TdxFader* GetFader() const { return nullptr; }
    bool CanFade() override { return false; }
    void FadingRepaint() override { RepaintControl(); }
    void FadingBegin(IdxFadingElementData* data) override { fadingData_ = data; }
    void FadingEnd() override { fadingData_ = nullptr; }
    void GetFadingImages(TBitmap*& normal, TBitmap*& hot, int& inFrames, int& inDelay, int& outFrames,
                         int& outDelay) override {
        CreateFadingImages(normal, hot, inFrames, inDelay, outFrames, outDelay);
    }
    IdxFadingElementData* FadingData() const { return fadingData_; }

protected:
    // The layout width at the view info's current level.
    virtual int CalcWidth() { return 0; }
    // The part at the point: 100 inside the view info's bounds, -1 outside.
    virtual int HitTestPart(const TPoint& p);
    virtual void RepaintControl() {}
    // The normal and hot looks for a fade; the base has none, so nothing fades.
    virtual void CreateFadingImages(TBitmap*& /*normal*/, TBitmap*& /*hot*/, int& /*inFrames*/, int& /*inDelay*/,
                                    int& /*outFrames*/, int& /*outDelay*/) {}

private:
    TdxBarItemLink* link_;
    int hotPart_ = -1;
    IdxFadingElementData* fadingData_ = nullptr;
    TdxFader* usedFader_ = nullptr;
    std::unique_ptr<TdxBarItemControlViewInfo> viewInfo_;
    std::unique_ptr<TdxBarItemControlDrawParams> drawParams_;
    std::unique_ptr<TdxCachedImageOptions> cachedImage_;
};
