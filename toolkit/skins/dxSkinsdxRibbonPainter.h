#pragma once
// Ribbon colour schemes drawn from a skin: one scheme for every skin painter in the registry of
// extended painters, registered in the bar skin manager under the skin's name beside the atlas
// schemes. A skin-driven scheme is a Black scheme whose operations draw the skin's element
// when the skin has it and do what Black does when it does not (or when the skin painter has
// gone). The schemes follow the registry: a painter registered later gets its scheme at once,
// an unregistered one loses it.

#include "cxExtendedStylePainters.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxLookAndFeel.h"
#include "dxRibbonColorSchemes.h"
#include "dxSkinElementCache.h"
#include "dxSkinInfo.h"

class TdxSkinRibbonPainter : public TdxBlackRibbonSkin {
    Z_CLASS(TdxSkinRibbonPainter, TdxBlackRibbonSkin)
public:
    explicit TdxSkinRibbonPainter(const String& skinName);
    ~TdxSkinRibbonPainter() override;

    TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_; }
    // The scheme's registered name: the skin's name.
    String GetName() const override;
    // The skin's name while its painter is registered; empty once it has gone.
    String GetSkinName() const override;
    // The info registered with the look-and-feel's skin painter, asked again on every call.
    bool GetSkinInfo(TdxSkinInfo*& info) const;
    bool HasSkinPainter() const;

    // Draws the element in drawRect on the shared bar canvas with the DC's clip replaced by
    // (clipOperation 0) or intersected with (1) clipRect; the DC's clip is restored afterwards.
    void DrawElementClipped(HDC dc, const TRect& clipRect, int imageIndex, int clipOperation, TdxSkinElementState state,
                            TdxSkinElement* element, const TRect& drawRect) const;

    int ApplicationButtonIndent() const;
    int StatusBarIndent() const { return 4; }

    void DrawFormCaption(HDC dc, const TRect& r, const FormPaintData& data) override;
    void DrawFormBorderIcon(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state) override;
    TRect GetWindowBordersWidth(bool hasStatusBar) const override;
    void DrawRibbonTopFrameArea(HDC dc, const TRect& r) override;
    void DrawApplicationButton(HDC dc, const TRect& r, int state) override;
    TSize GetApplicationButtonSize() const override;
    void AdjustApplicationButtonGlyphRect(TRect& r) const override;
    void DrawTab(HDC dc, const TRect& r, int state) override;
    void DrawTabGroupBackground(HDC dc, const TRect& r, int state) override;
    void DrawButton(HDC dc, const TRect& r, int state) override;
    void DrawLargeButton(HDC dc, const TRect& r, int state) override;
    void DrawButtonArrow(HDC dc, const TRect& r, int state) override;
    void DrawButtonGroupSeparator(HDC dc, const TRect& r, int state) override;
    void DrawFormBorders(HDC dc, const TRect& bordersWidth, int captionHeight, const FormPaintData& data) override;
    void DrawStatusBar(HDC dc, const TRect& r) override;
    void DrawStatusBarPanel(HDC dc, const TRect& bounds, const TRect& r, bool isLowered) override;
    TColor PartColor(int part, int state) override;
    // The skin's elements carry their own glyphs and separators: these draw nothing while the
    // skin painter is there.
    void DrawTabSeparator(HDC dc, const TRect& r, Byte alpha) override;
    void DrawGroupLaunchButtonGlyph(HDC dc, const TRect& r, int state) override;
    void DrawMenuScrollButton(HDC dc, const TRect& r, int state) override;
    void DrawMDIButtonGlyph(HDC dc, const TRect& r, int button, int state) override;
    void DrawTabGroupHeaderBackground(HDC dc, const TRect& r, int state) override;
    void DrawCollapsedGroup(HDC dc, const TRect& r, int state) override;
    void DrawCollapsedGroupGlyphBackground(HDC dc, const TRect& r, int state) override;
    void DrawGroupLaunchButtonBackground(HDC dc, const TRect& r, int state) override;
    void DrawTabScrollButton(HDC dc, const TRect& r, bool isLeft, int state) override;
    void DrawGroupScrollButton(HDC dc, const TRect& r, bool isLeft, int state) override;
    void DrawTabGroupsArea(HDC dc, const TRect& r) override;
    void DrawSplitButtonLeft(HDC dc, const TRect& r, int state) override;
    void DrawSplitButtonRight(HDC dc, const TRect& r, int state) override;
    void DrawLargeSplitButtonTop(HDC dc, const TRect& r, int state) override;
    void DrawLargeSplitButtonBottom(HDC dc, const TRect& r, int state) override;
    void DrawHelpButton(HDC dc, const TRect& r, int state) override;
    void DrawButtonGroupBorderLeft(HDC dc, const TRect& r) override;
    void DrawButtonGroupBorderRight(HDC dc, const TRect& r) override;
    void DrawMDIButton(HDC dc, const TRect& r, int button, int state) override;
    void DrawDropDownBorder(HDC dc, const TRect& r) override;
    void DrawMenuCheck(HDC dc, const TRect& r, int state) override;
    void DrawMenuCheckMark(HDC dc, const TRect& r, int state) override;
    void DrawScreenTip(HDC dc, const TRect& r) override;
    int GetMenuSeparatorSize() const override;
    void DrawQuickAccessToolbarGroupButtonGlyph(HDC dc, const TRect& r) override;
    void DrawQuickAccessToolbarPopup(HDC dc, const TRect& r) override;
    void DrawMarkArrow(HDC dc, const TRect& r, int state) override;
    void DrawDropDownGalleryBackground(HDC dc, const TRect& r) override;
    void DrawDropDownGalleryGroupHeader(HDC dc, const TRect& r) override;
    void DrawInRibbonGalleryPane(HDC dc, const TRect& r, int state) override;
    void DrawProgressBorder(HDC dc, const TRect& r) override;
    void DrawStatusBarPanelSeparator(HDC dc, const TRect& r) override;
    void DrawStatusBarToolbarSeparator(HDC dc, const TRect& r) override;
    int GetStatusBarSeparatorSize() const override;
    // The editor buttons of the ribbon's edits, through the skin look-and-feel painter.
    void DrawSkinEditorButton(HDC dc, const TRect& r, TcxEditBtnKind kind, int state);
    void DrawEditDropDownButton(HDC dc, const TRect& r, int state) override;
    void DrawEditEllipsisButton(HDC dc, const TRect& r, int state) override;
    void DrawSpinDownButton(HDC dc, const TRect& r, int state) override;
    void DrawSpinUpButton(HDC dc, const TRect& r, int state) override;
    void DrawFormStatusBarBorder(HDC dc, const TRect& r, bool isLeft, bool isActive, int partKind,
                                 bool isDialogFrame) override;
    void DrawApplicationMenuBorder(HDC dc, const TRect& r) override;
    void DrawApplicationMenuContentHeader(HDC dc, const TRect& r) override;
    void DrawApplicationMenuContentFooter(HDC dc, const TRect& r) override;
    void DrawApplicationMenuButton(HDC dc, const TRect& r, int state) override;
    void DrawRibbonBackground(HDC dc, const TRect& r) override;
    void DrawRibbonBottomBorder(HDC dc, const TRect& r) override;
    void DrawButtonGroupButton(HDC dc, const TRect& r, int state) override;
    // the quick access toolbar
    void DrawQuickAccessToolbar(HDC dc, const TRect& r, bool belowRibbon, bool inCaption, bool hasApplicationButton,
                                bool isActive, bool noGlass) override;
    void DrawQuickAccessToolbarGroupButton(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                           bool captionActive, int state) override;
    int QuickAccessToolbarLeftMargin(bool hasApplicationButton, bool useGlass) const override;
    int QuickAccessToolbarMarkOffset(bool hasApplicationButton, bool belowRibbon) const override;
    int QuickAccessToolbarExtraWidth(bool hasApplicationButton, bool useGlass) const override;
    int QuickAccessToolbarRightMargin(bool hasApplicationButton) const override;
    // The skin's word on whether the toolbar's customize button sits outside the toolbar.
    bool IsQATCustomizeButtonOutside(bool hasApplicationButton) const;
    // menus
    void DrawMenuContent(HDC dc, const TRect& r) override;
    void DrawMenuGlyphStrip(HDC dc, const TRect& r) override;
    void DrawMenuSeparatorHorz(HDC dc, const TRect& r) override;
    void DrawMenuSeparatorVert(HDC dc, const TRect& r) override;
    // galleries
    void DrawDropDownGallerySizePanelTop(HDC dc, const TRect& r) override;
    void DrawDropDownGallerySizePanelBottom(HDC dc, const TRect& r) override;
    void DrawDropDownGallerySizeGripTop(HDC dc, const TRect& r) override;
    void DrawDropDownGallerySizeGripBottom(HDC dc, const TRect& r) override;
    void DrawDropDownGalleryVerticalSizeGripTop(HDC dc, const TRect& r) override;
    void DrawDropDownGalleryVerticalSizeGripBottom(HDC dc, const TRect& r) override;
    void DrawDropDownGalleryFilterPanel(HDC dc, const TRect& r) override;
    void DrawInRibbonGalleryScrollButton(HDC dc, const TRect& r, int kind, int state) override;
    TRect GetPartContentOffsets(int part) const override;
    // progress and status bar
    void DrawProgressSolidBand(HDC dc, const TRect& r) override;
    void DrawProgressDiscreteBand(HDC dc, const TRect& r) override;
    void DrawStatusBarSizeGripBackground(HDC dc, const TRect& r) override;
    int GetCaptionFontSize(int size) const override;
    bool HasTransparentGroups() const override { return true; }
    bool NeedsScrollButtonArrows() const override { return false; }

    // Ribbon state 0 to 8 to element state (anything else is normal).
    static TdxSkinElementState ToElementState(int state);
    // The state itself when the element's image holds it, else the nearest one it may hold.
    static TdxSkinElementState AdjustLargeButtonState(TdxSkinElement* element, TdxSkinElementState state);

private:
    // Draws the element of the info member in r with the state, or returns false (no info or
    // no element) so that the caller does what Black does.
    bool DrawSkinElement(HDC dc, TdxSkinElement* TdxSkinInfo::*member, const TRect& r, TdxSkinElementState state,
                         int imageIndex = 0) const;
    // The dropped-down gallery's size grip in a square at the right of r.
    bool DrawGallerySizeGrip(HDC dc, const TRect& r, int imageIndex) const;

    TcxLookAndFeel* lookAndFeel_;
};

// The rendered-element caches that all skin-driven schemes share.
class TdxSkinsRibbonCacheManager : public TObject {
    Z_CLASS(TdxSkinsRibbonCacheManager, TObject)
public:
    TdxSkinsRibbonCacheManager();
    ~TdxSkinsRibbonCacheManager() override;

    TdxSkinElementCache* FrameCache(int side) const { return frameCaches_[side]; }
    TdxSkinElementCache* CaptionCache() const { return captionCache_; }
    TdxSkinElementCache* ButtonCache() const { return buttonCache_; }
    TdxSkinElementCacheList* GroupCaches() const { return groupCaches_; }
    TdxSkinElementCache* TabPanelCache() const { return tabPanelCache_; }
    // Forgets every rendering, so that the next drawing of each element renders it again.
    void Clear();

private:
    void CreateCaches();
    void FreeCaches();

    TdxSkinElementCache* frameCaches_[4] = {};
    TdxSkinElementCache* captionCache_ = nullptr;
    TdxSkinElementCache* buttonCache_ = nullptr;
    TdxSkinElementCacheList* groupCaches_ = nullptr;
    TdxSkinElementCache* tabPanelCache_ = nullptr;
};

// Keeps one scheme per registered skin painter in the bar skin manager.
class TdxSkinsRibbonPainterManager : public TcxIUnknownObject, public IcxPainterRegistryListener {
    Z_CLASS(TdxSkinsRibbonPainterManager, TcxIUnknownObject)
public:
    TdxSkinsRibbonPainterManager();
    ~TdxSkinsRibbonPainterManager() override;

    void AddMissingSchemes();
    void RemoveAllSchemes();
    void PainterChanged(TcxLookAndFeelPainterClass painter) override;

private:
    static void AddScheme(const String& name);
};

// While the unit runs: the shared caches and the manager (nil otherwise).
TdxSkinsRibbonCacheManager* SkinsRibbonCache();
TdxSkinsRibbonPainterManager* SkinsRibbonPainterManager();

void InitializedxSkinsdxRibbonPainter();
void FinalizedxSkinsdxRibbonPainter();
