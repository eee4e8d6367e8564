#pragma once
// Where every part of the ribbon lies: the application button, the quick access toolbar, the tab
// row with its headers, the help button and the groups area; whether the ribbon hides itself in
// a small form; its height; the paint order; and the hit test the controller uses.
//
// The tab row lays its headers out at their optimal widths when they fit, narrows them step by
// step (separators fading in) when they do not, and scrolls them with two buttons when even
// their minimum widths do not fit.
//
// Sections: hit codes · one tab header · the tab row · the ribbon's layout.

#include <memory>
#include <vector>

#include "Sets.h"
#include "cxGraphics.h"

class TdxCustomRibbon;
class TdxRibbonTab;
class TdxRibbonViewInfo;

// ---- hit codes -----------------------------------------------------------------------------

enum TdxRibbonHitTest : Byte {
    rhtNone = 0,
    rhtTab = 1,
    rhtApplicationButton = 2,
    rhtTabScrollLeft = 3,
    rhtTabScrollRight = 4,
    rhtGroupScrollLeft = 5,
    rhtGroupScrollRight = 6,
    rhtHelpButton = 7,
    rhtMDIMinimize = 8,
    rhtMDIRestore = 9,
    rhtMDIClose = 10,
};

struct TdxRibbonHitInfo {
    TdxRibbonHitTest hitTest = rhtNone;
    TdxRibbonTab* tab = nullptr;  // only with rhtTab
};

// The draw states of a tab header.
enum TdxRibbonTabState : int { rtsNormal = 0, rtsHot, rtsActive, rtsActiveHot, rtsFocused };

// ---- one tab header ------------------------------------------------------------------------

class TdxRibbonTabViewInfo : public TObject {
    Z_CLASS(TdxRibbonTabViewInfo, TObject)
public:
    TdxRibbonTabViewInfo(TdxRibbonTab* tab, TdxRibbonViewInfo* owner);

    TdxRibbonTab* Tab() const { return tab_; }
    // Measures the caption in the tab header font.
    virtual void CalculateWidths(TcxCanvas* canvas);
    // Sets the widths as CalculateWidths would for a caption textWidth wide whose first three
    // characters are prefixWidth wide.
    void SetWidths(int textWidth, int prefixWidth);
    void Calculate(const TRect& bounds, int separatorAlpha);
    virtual TdxRibbonTabState GetState() const;
    // The state of the caption's colour: 3 active with groups visible, 2 hot, else 0.
    int GetFontState() const;
    bool ShowsSeparator() const { return canHaveSeparator_ && separatorAlpha_ > 0; }
    void Paint(TcxCanvas* canvas);

    int MinWidth() const { return minWidth_; }
    int OptimalWidth() const { return optimalWidth_; }
    int TextWidth() const { return textWidth_; }
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int SeparatorAlpha() const { return separatorAlpha_; }
    bool CanHaveSeparator() const { return canHaveSeparator_; }
    void SetCanHaveSeparator(bool value) { canHaveSeparator_ = value; }
    const TRect& Bounds() const { return bounds_; }
    const TRect& TextBounds() const { return textBounds_; }
    const TRect& SeparatorBounds() const { return separatorBounds_; }

private:
    TdxRibbonTab* tab_;
    TdxRibbonViewInfo* owner_;
    bool canHaveSeparator_ = false;
    int minWidth_ = 27, optimalWidth_ = 27, textWidth_ = 0, width_ = 0;
    int separatorAlpha_ = 0;
    TRect bounds_{}, textBounds_{}, separatorBounds_{};
};

// ---- the tab row ---------------------------------------------------------------------------

Z_ENUM(TdxRibbonScrollButton, int, rsbLeft, rsbRight)
using TdxRibbonScrollButtons = TSet<TdxRibbonScrollButton>;

class TdxRibbonTabsViewInfo : public TObject {
    Z_CLASS(TdxRibbonTabsViewInfo, TObject)
public:
    explicit TdxRibbonTabsViewInfo(TdxRibbonViewInfo* owner);
    ~TdxRibbonTabsViewInfo() override;

    // One header per visible tab, in collection order.
    void Rebuild();
    void Clear();
    int Count() const { return int(items_.size()); }
    TdxRibbonTabViewInfo* Items(int index) const { return items_.at(size_t(index)); }
    TdxRibbonTabViewInfo* Find(const TdxRibbonTab* tab) const;

    // Measures every header, then arranges them in r.
    void Calculate(const TRect& r);
    // Arranges the measured headers in r: optimal, narrowed or scrolled.
    void Arrange(const TRect& r);
    // Codes 1 (with the tab), 3 or 4; answers whether the point hit one of them.
    bool HitTest(int x, int y, TdxRibbonHitInfo& info) const;
    // The row without the shown scroll buttons.
    TRect GetVisibleArea() const;
    // Scrolls the tab's header into view, leaving room for a scroll button where more follow.
    void MakeTabVisible(TdxRibbonTab* tab);
    // Clamped to 0..MaxScrollOffset; a change recalculates the ribbon.
    void SetScrollOffset(int value);
    void ScrollBy(int delta) { SetScrollOffset(scrollOffset_ + delta); }
    void Paint(TcxCanvas* canvas);

    const TRect& Bounds() const { return bounds_; }
    bool TextsTruncated() const { return textsTruncated_; }
    TdxRibbonScrollButtons ScrollButtons() const { return scrollButtons_; }
    const TRect& LeftScrollButtonBounds() const { return leftScrollButtonBounds_; }
    const TRect& RightScrollButtonBounds() const { return rightScrollButtonBounds_; }
    int ScrollOffset() const { return scrollOffset_; }
    int MaxScrollOffset() const { return maxScrollOffset_; }
    int SeparatorAlpha() const { return separatorAlpha_; }
    int TotalMinWidth() const { return totalMinWidth_; }
    int TotalOptimalWidth() const { return totalOptimalWidth_; }

private:
    void ResetScrolling();
    void PlaceTabs(int left, bool atMinimum);
    void LayoutOptimal();
    void LayoutReduced();
    void LayoutScrolled();
    void ReduceEvenly(int excess);
    void ReduceToText(int excess);

    TdxRibbonViewInfo* owner_;
    std::vector<TdxRibbonTabViewInfo*> items_;
    TRect bounds_{};
    bool hasTrailingButtons_ = false;
    bool textsTruncated_ = false;
    TRect leftScrollButtonBounds_{}, rightScrollButtonBounds_{};
    TdxRibbonScrollButtons scrollButtons_;
    int scrollOffset_ = 0, maxScrollOffset_ = 0;
    int separatorAlpha_ = 0;
    int totalMinWidth_ = 0, totalOptimalWidth_ = 0;
};

// ---- the ribbon's layout -------------------------------------------------------------------

class TdxRibbonViewInfo : public TObject {
    Z_CLASS(TdxRibbonViewInfo, TObject)
public:
    explicit TdxRibbonViewInfo(TdxCustomRibbon* ribbon);
    ~TdxRibbonViewInfo() override;

    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    TdxRibbonTabsViewInfo* TabsViewInfo() const { return tabsViewInfo_.get(); }

    void Calculate(const TRect& r);
    int GetRibbonHeight();
    void HitTest(int x, int y, TdxRibbonHitInfo& info) const;
    TdxRibbonTab* GetTabAt(int x, int y) const;
    void Paint(TcxCanvas* canvas);

    // -- what is shown (Force ignores the hidden state)
    bool IsActiveContext(bool force = false) const;
    bool AreTabHeadersShown(bool force = false) const;
    bool AreTabGroupsShown(bool force = false) const;
    bool IsQATVisible(bool force = false) const;
    bool IsQATBelow() const;
    bool IsQATInCaption(bool force = false) const;
    bool IsQATOnGlass() const { return UsesCompositionFrame() && IsQATInCaption(); }
    bool IsApplicationButtonShown(bool force = false) const;
    bool IsHelpButtonShown() const;
    bool AreMDIButtonsShown() const { return false; }
    bool ShowsBottomEdge() const;
    bool ShouldBeHidden() const;
    // The ribbon draws its form's caption (SupportNonClientDrawing on a ribbon form).
    bool DrawsFormCaption() const;
    // ... on the desktop composition frame.
    bool UsesCompositionFrame() const;
    bool IsFormActive() const;

    // 0 normal, 1 hot, 2 pressed, from the controller's hot and pressed elements.
    int GetElementState(TdxRibbonHitTest code) const;
    int GetApplicationButtonState() const;
    int GetTabRowHeight() const;
    int GetTopOffset() const;
    int GetCaptionAreaHeight() const;
    // The caption text: the document name, then " - " and the form's caption.
    String GetDocumentName() const;
    String GetFormCaptionPart() const;
    String GetCaptionText() const { return GetDocumentName() + GetFormCaptionPart(); }
    TRect GetCaptionBounds() const;
    TRect GetCaptionTextBounds() const;
    const TRect& CaptionTextBounds() const { return captionTextBounds_; }
    int GetScrollButtonWidth() const { return GetTabRowHeight() / 2 + 1; }
    int GetTabGroupsHeight(bool force = false) const;
    TRect GetTabGroupsMargins() const { return TRect{4, 3, 4, 4}; }
    TRect GetTabsBounds() const;
    TRect GetTabGroupsBounds() const;
    TRect GetQATBounds() const;
    // The quick access toolbar's room: the width its window may take, how far it reaches back
    // under the application button, its margins and its dock control's rectangle.
    int GetQATAvailableWidth() const;
    int GetQATOverlap(bool force = false) const;
    TRect GetQATMargins(bool force = false) const;
    TRect GetQATDockControlBounds() const;
    const TSize& QATSize() const { return qatSize_; }

    const TRect& Bounds() const { return bounds_; }
    const TRect& ApplicationButtonArea() const { return applicationButtonArea_; }
    const TRect& ApplicationButtonBounds() const { return applicationButtonBounds_; }
    const TRect& HelpButtonBounds() const { return helpButtonBounds_; }
    const TRect& TabGroupsBounds() const { return tabGroupsBounds_; }
    const TRect& QATBounds() const { return qatBounds_; }
    bool DesignPlaceholder() const { return designPlaceholder_; }

private:
    void CalculateApplicationButton();
    void CalculateQuickAccessToolbar();
    void CalculateTabGroups();
    void CalculateHelpButton();
    void CalculateTabs();
    TSize GetApplicationButtonSize() const;
    TRect GetApplicationButtonMargins() const;
    TSize GetQATSize() const;
    void PlaceQATDockControl();

    TdxCustomRibbon* ribbon_;
    std::unique_ptr<TdxRibbonTabsViewInfo> tabsViewInfo_;
    TRect bounds_{}, applicationButtonArea_{}, applicationButtonBounds_{}, helpButtonBounds_{};
    TRect tabGroupsBounds_{}, tabGroupsContentBounds_{}, qatBounds_{}, captionTextBounds_{};
    TSize qatSize_{};
    bool designPlaceholder_ = false;
    int calculateDepth_ = 0;
};
