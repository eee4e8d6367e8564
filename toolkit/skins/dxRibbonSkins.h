#pragma once
// The base of the ribbon's colour schemes. A scheme cuts its parts out of three PNG atlases
// (the common one shared by every scheme, and its own scheme and form atlases) as the part
// table says (dxRibbonSkinParts.inc), then draws every piece of a ribbon-styled window from
// them: frame and caption, tabs and groups, buttons, menus, progress bars, the status bar; and
// it answers the ribbon's part colours. On a screen of 256 colours or fewer it draws flat
// shapes in system colours instead.
//
// Sections: states and the form record · the scheme · construction · frame and caption ·
// application button and menu · tabs and groups · quick access toolbar · help and MDI buttons ·
// ribbon background · galleries · buttons · arrows · menus · progress and screen tip · status
// bar · metrics and colours.

#include <array>
#include <memory>

#include "Colors.h"
#include "dxBarSkin.h"
#include "dxRibbonSkinParts.h"

// ---- states and the form record ------------------------------------------------------------

// The state of an element as the bar manager numbers it; the ribbon passes it on unchanged.
// The skin treats 1 as disabled in its colours; in low colour 2, 6 and 7 draw as hot and 4 as
// pressed.
enum TdxRibbonElementState : int {
    resNormal = 0,
    resDisabled = 1,
    resHot = 2,
    resActive = 3,  // dropped down
    resPressed = 4,
    resChecked = 5,
    resCheckedHot = 6,
    resHotChecked = 7,
    resActiveDisabled = 8,
};

// The caption buttons of the form frame.
enum TdxRibbonBorderIcon : int { rbiMinimize = 0, rbiMaximize, rbiRestore, rbiClose, rbiHelp };

// What the ribbon form fills in for its frame and caption painting. Packed with fixed-width
// fields so that both targets lay it out alike: the window handle is kept in 32 bits, which
// every handle of a window fits (the system shares them between 32- and 64-bit programs).
#pragma pack(push, 1)
struct FormPaintData {
    Byte IsActive;         // non-zero when the window is drawn active
    TRect FormBounds;      // the window rectangle moved to (0, 0)
    Byte BorderStyle;      // 0 none, 1 single, 2 sizeable, 3 dialog, 4 tool window, 5 sizeable tool window
    Integer WindowHandle;  // see Window() and SetWindow()
    Byte WindowState;      // 0 normal, 1 minimized, 2 maximized
    Byte FormStyle;        // 1 = MDI child
    Byte NoComposition;    // non-zero when desktop composition must not be used for this window

    HWND Window() const { return static_cast<HWND>(LongToHandle(WindowHandle)); }
    void SetWindow(HWND window) { WindowHandle = HandleToLong(window); }
    // Single, dialog and tool windows and MDI children have the dialog frame.
    bool IsDialogFrame() const { return BorderStyle == 1 || BorderStyle == 3 || BorderStyle == 4 || FormStyle == 1; }
};
#pragma pack(pop)
static_assert(sizeof(FormPaintData) == 25, "FormPaintData is a packed record of 25 bytes");

// ---- the scheme ----------------------------------------------------------------------------

class TdxCustomRibbonSkin : public TdxCustomBarSkin {
    Z_CLASS(TdxCustomRibbonSkin, TdxCustomBarSkin)
public:
    TdxCustomRibbonSkin();

    // Names the skin (GetName) and cuts its parts: the form atlas, then the common one, then the
    // scheme's own; each atlas is freed once its parts are cut. Runs once, right after the
    // constructor (a constructor cannot reach the overrides); raises when an atlas is missing,
    // undecodable or too small. CreateRibbonSkin does both.
    void Initialize();

    // The scheme's word: "Blue", "Black", "Silver".
    virtual String GetName() const = 0;

    // True when the screen had 256 colours or fewer at construction; the scheme then draws flat
    // shapes in system colours. Tests set it themselves.
    bool LowColor() const { return lowColor_; }
    void SetLowColor(bool value) { lowColor_ = value; }

    // The part index of a group's entry (a state, or an image of a pair or a stack); 0 when the
    // group has no part there (index 0 is the caption band, which no strip contains).
    int PartIndex(TdxRibbonPartGroup group, int entry) const;

    // ---- frame and caption -----------------------------------------------------------------
    virtual void DrawFormCaption(HDC dc, const TRect& r, const FormPaintData& data);
    // bordersWidth holds the frame's widths left, top, right, bottom; a bottom border of two
    // pixels or more is excluded from the DC's clip region afterwards.
    virtual void DrawFormBorders(HDC dc, const TRect& bordersWidth, int captionHeight, const FormPaintData& data);
    // State 0 normal, 1 hot, 2 pressed, 3 inactive, 4 inactive hot.
    virtual void DrawFormBorderIcon(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state);
    // partKind (0 or 1) is what the status bar reports for that end.
    virtual void DrawFormStatusBarBorder(HDC dc, const TRect& r, bool isLeft, bool isActive, int partKind,
                                         bool isDialogFrame);
    virtual TRect GetWindowBordersWidth(bool hasStatusBar) const;
    virtual void DrawRibbonTopFrameArea(HDC dc, const TRect& r);

    virtual void DrawFormCaptionLowColor(HDC dc, const TRect& r, const FormPaintData& data);
    virtual void DrawFormBordersLowColor(HDC dc, const TRect& bordersWidth, const FormPaintData& data);
    virtual void DrawFormBorderIconLowColor(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state);

    // ---- application button and menu -------------------------------------------------------
    // State 0 normal, 1 hot, 2 pressed.
    virtual void DrawApplicationButton(HDC dc, const TRect& r, int state);
    virtual void DrawApplicationButtonLowColor(HDC dc, const TRect& r, int state);
    virtual void AdjustApplicationButtonGlyphRect(TRect& r) const;
    virtual TSize GetApplicationButtonSize() const;
    virtual void DrawApplicationMenuBorder(HDC dc, const TRect& r);
    virtual void DrawApplicationMenuBorderLowColor(HDC dc, const TRect& r);
    virtual void DrawApplicationMenuContentHeader(HDC dc, const TRect& r);
    virtual void DrawApplicationMenuContentFooter(HDC dc, const TRect& r);
    virtual void DrawApplicationMenuButton(HDC dc, const TRect& r, int state);

    // ---- tabs and groups -------------------------------------------------------------------
    // Tab states: 0 normal, 1 hot, 2 active, 3 active hot, 4 focused.
    virtual void DrawTab(HDC dc, const TRect& r, int state);
    virtual void DrawTabSeparator(HDC dc, const TRect& r, Byte alpha);
    // Scroll button states: 2 hot, 4 pressed, anything else normal.
    virtual void DrawTabScrollButton(HDC dc, const TRect& r, bool isLeft, int state);
    virtual void DrawGroupScrollButton(HDC dc, const TRect& r, bool isLeft, int state);
    // True: the ribbon draws the scroll buttons' arrows itself.
    virtual bool NeedsScrollButtonArrows() const { return true; }
    virtual void DrawTabGroupsArea(HDC dc, const TRect& r);
    virtual void DrawTabGroupBackground(HDC dc, const TRect& r, int state);
    virtual void DrawTabGroupHeaderBackground(HDC dc, const TRect& r, int state);
    virtual void DrawCollapsedGroup(HDC dc, const TRect& r, int state);
    virtual void DrawCollapsedGroupGlyphBackground(HDC dc, const TRect& r, int state);
    virtual void DrawGroupLaunchButtonBackground(HDC dc, const TRect& r, int state);
    virtual void DrawGroupLaunchButtonGlyph(HDC dc, const TRect& r, int state);
    // False: group bars are painted directly, not over a copy of the groups area.
    virtual bool HasTransparentGroups() const { return false; }

    // ---- quick access toolbar --------------------------------------------------------------
    virtual void DrawQuickAccessToolbar(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                        bool hasApplicationButton, bool isActive, bool noGlass);
    virtual void DrawQuickAccessToolbarGroupButton(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                                   bool captionActive, int state);
    virtual void DrawQuickAccessToolbarGroupButtonGlyph(HDC dc, const TRect& r);
    virtual void DrawQuickAccessToolbarPopup(HDC dc, const TRect& r);
    // The glyphs of a toolbar's customize button.
    virtual void DrawMarkArrow(HDC dc, const TRect& r, int state);
    virtual void DrawMarkTruncated(HDC dc, const TRect& r, int state);
    virtual int QuickAccessToolbarLeftMargin(bool hasApplicationButton, bool useGlass) const { return 0; }
    virtual int QuickAccessToolbarMarkOffset(bool hasApplicationButton, bool belowRibbon) const;
    virtual int QuickAccessToolbarExtraWidth(bool hasApplicationButton, bool useGlass) const;
    virtual int QuickAccessToolbarRightMargin(bool hasApplicationButton) const { return 0; }

    // ---- help and MDI buttons --------------------------------------------------------------
    // State 1 hot, 2 pressed, anything else normal; button 0 minimize, 1 restore, 2 close.
    virtual void DrawHelpButton(HDC dc, const TRect& r, int state);
    virtual void DrawHelpButtonGlyph(HDC dc, const TRect& r);
    virtual void DrawMDIButton(HDC dc, const TRect& r, int button, int state);
    virtual void DrawMDIButtonGlyph(HDC dc, const TRect& r, int button, int state);

    // ---- ribbon background -----------------------------------------------------------------
    virtual void DrawRibbonBackground(HDC dc, const TRect& r);
    // Two one-pixel lines in each scheme; nothing here.
    virtual void DrawRibbonBottomBorder(HDC dc, const TRect& r) {}

    // ---- galleries -------------------------------------------------------------------------
    virtual void DrawInRibbonGalleryPane(HDC dc, const TRect& r, int state);
    // Kind 0 up, 1 down, 2 drop-down.
    virtual void DrawInRibbonGalleryScrollButton(HDC dc, const TRect& r, int kind, int state);
    virtual void DrawDropDownGalleryBackground(HDC dc, const TRect& r);
    virtual void DrawDropDownGallerySizePanelTop(HDC dc, const TRect& r);
    virtual void DrawDropDownGallerySizePanelBottom(HDC dc, const TRect& r);
    virtual void DrawDropDownGallerySizeGripTop(HDC dc, const TRect& r);
    virtual void DrawDropDownGallerySizeGripBottom(HDC dc, const TRect& r);
    virtual void DrawDropDownGalleryVerticalSizeGripTop(HDC dc, const TRect& r);
    virtual void DrawDropDownGalleryVerticalSizeGripBottom(HDC dc, const TRect& r);
    virtual void DrawDropDownGalleryFilterPanel(HDC dc, const TRect& r);
    virtual void DrawDropDownGalleryGroupHeader(HDC dc, const TRect& r);

    // ---- buttons ---------------------------------------------------------------------------
    virtual void DrawButton(HDC dc, const TRect& r, int state);
    virtual void DrawSplitButtonLeft(HDC dc, const TRect& r, int state);
    virtual void DrawSplitButtonRight(HDC dc, const TRect& r, int state);
    virtual void DrawLargeButton(HDC dc, const TRect& r, int state);
    virtual void DrawLargeSplitButtonTop(HDC dc, const TRect& r, int state);
    virtual void DrawLargeSplitButtonBottom(HDC dc, const TRect& r, int state);
    virtual void DrawButtonGroupButton(HDC dc, const TRect& r, int state);
    virtual void DrawEditButton(HDC dc, const TRect& r, int state);
    // Drawn by the skin-driven schemes only.
    virtual void DrawEditDropDownButton(HDC dc, const TRect& r, int state) {}
    virtual void DrawEditEllipsisButton(HDC dc, const TRect& r, int state) {}
    virtual void DrawSpinDownButton(HDC dc, const TRect& r, int state) {}
    virtual void DrawSpinUpButton(HDC dc, const TRect& r, int state) {}
    virtual void DrawButtonGroupBorderLeft(HDC dc, const TRect& r);
    virtual void DrawButtonGroupBorderRight(HDC dc, const TRect& r);
    virtual void DrawButtonGroupSeparator(HDC dc, const TRect& r, int state);
    virtual void DrawButtonGroupSplitButtonSeparator(HDC dc, const TRect& r, int state);

    // ---- arrows ----------------------------------------------------------------------------
    virtual void DrawButtonArrow(HDC dc, const TRect& r, int state);
    virtual void DrawArrowDown(HDC dc, const TRect& r);
    virtual void DrawArrowRight(HDC dc, const TRect& r);
    virtual void DrawScrollArrow(HDC dc, const TRect& r);

    // ---- menus -----------------------------------------------------------------------------
    virtual void DrawMenuContent(HDC dc, const TRect& r);
    virtual void DrawMenuGlyphStrip(HDC dc, const TRect& r);
    virtual void DrawMenuSeparatorHorz(HDC dc, const TRect& r);
    virtual void DrawMenuSeparatorVert(HDC dc, const TRect& r);
    virtual void DrawMenuMarkGlyph(HDC dc, const TRect& r);
    virtual void DrawDropDownBorder(HDC dc, const TRect& r);
    virtual void DrawMenuDetachCaption(HDC dc, const TRect& r, int state);
    virtual void DrawMenuCheck(HDC dc, const TRect& r, int state);
    virtual void DrawMenuCheckMark(HDC dc, const TRect& r, int state);
    virtual void DrawMenuScrollButton(HDC dc, const TRect& r, int state);
    virtual int GetMenuSeparatorSize() const { return 2; }

    // ---- progress and screen tip -----------------------------------------------------------
    virtual void DrawProgressSolidBand(HDC dc, const TRect& r);
    virtual void DrawProgressDiscreteBand(HDC dc, const TRect& r);
    virtual void DrawProgressBorder(HDC dc, const TRect& r);
    virtual void DrawScreenTip(HDC dc, const TRect& r);

    // ---- status bar ------------------------------------------------------------------------
    virtual void DrawStatusBar(HDC dc, const TRect& r);
    virtual void DrawStatusBarSizeGripBackground(HDC dc, const TRect& r);
    // Draws into r; bounds, the panel in the status bar's coordinates, is for the skin-driven
    // schemes. Every bevel but a raised one is lowered.
    virtual void DrawStatusBarPanel(HDC dc, const TRect& bounds, const TRect& r, bool isLowered);
    virtual void DrawStatusBarPanelSeparator(HDC dc, const TRect& r);
    virtual void DrawStatusBarToolbarSeparator(HDC dc, const TRect& r);
    virtual void DrawStatusBarSizeGrip(HDC dc, const TRect& r);
    virtual int GetStatusBarSeparatorSize() const { return 3; }

    // ---- metrics and colours ---------------------------------------------------------------
    virtual int GetCaptionFontSize(int size) const { return size; }
    virtual TRect GetPartContentOffsets(int part) const { return TRect{0, 0, 0, 0}; }
    // The skin a skin-driven scheme draws from; empty for the atlas schemes.
    virtual String GetSkinName() const { return String(); }
    // The colour of a numbered part of the ribbon or the bar painter in a state; clDefault
    // (0x20000000) leaves the caller its own colour. With LowColor every answer comes from the
    // system colours.
    virtual TColor PartColor(int part, int state);

protected:
    // One atlas each; the caller disposes the image (GdipDisposeImage).
    virtual GpImage* LoadCommonImage();
    virtual GpImage* LoadSchemeImage() = 0;
    virtual GpImage* LoadFormImage() = 0;
    virtual void InitializeFormParts(GpImage* atlas);
    virtual void InitializeCommonParts(GpImage* atlas);
    virtual void InitializeSchemeParts(GpImage* atlas);

    // An RCDATA PNG resource of the program, decoded.
    static GpImage* LoadAtlasResource(const wchar_t* name);

    // Draws part `index` into r (nothing for index 0 when it stands for "no image").
    void DrawPart(HDC dc, const TRect& r, int index, Byte alpha = 255);
    // Draws the group's part of an entry (a pair's activity, a stack's image) directly.
    void DrawGroupImage(HDC dc, const TRect& r, TdxRibbonPartGroup group, int entry, Byte alpha = 255);
    // A state strip: nothing when the group has no image for the state; in low colour a framed
    // flat rectangle (hot, pressed or normal) instead of the image.
    void DrawStrip(HDC dc, const TRect& r, TdxRibbonPartGroup group, int state);
    // A one-pixel border on the sides (bit 0 left, 1 top, 2 right, 3 bottom) and the rest filled,
    // unless fillColor is clNone. System colours are resolved.
    static void FrameAndFill(HDC dc, const TRect& r, TColor fillColor, int sides, TColor borderColor);
    // The low-colour arrow: a black triangle of size 4 pointing down or right.
    static void DrawLowColorArrow(HDC dc, const TRect& r, bool down);
    // The 9 x 9 glyph of a caption button centred in r.
    void DrawBorderIconGlyph(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int image);

private:
    void CutParts(TdxRibbonAtlas atlas, GpImage* image);
    TColor LowColorPartColor(int part, int state);
    TColor BasePartColor(int part, int state);

    std::array<std::array<int, 9>, rpgCount> parts_{};
    bool lowColor_ = false;
};

// Creates a scheme and cuts its parts.
template <class TSkin, class... TArgs>
TSkin* CreateRibbonSkin(TArgs&&... args) {
    std::unique_ptr<TSkin> skin(new TSkin(std::forward<TArgs>(args)...));
    skin->Initialize();
    return skin.release();
}
