#pragma once
// What the bar painters read of the objects they draw: a bar, a bar window (toolbar, menu,
// popup) and an item control. The painters see them only through these narrow interfaces, so a
// painter can be driven by a small fake on a memory bitmap; the real bar windows and item
// controls answer them from their own state.
//
// Every answer has a neutral default (no bitmap, no caption, no mark ...) so that an object
// answers only what it has.

#include <windows.h>

#include "Colors.h"
#include "GraphicsTypes.h"
#include "dxBar.h"
#include "dxBarItem.h"

class TBitmap;
class TCustomImageList;
class TcxCanvas;
class TdxBarItemControl;
class TdxBarManager;
class TdxDockControl;
class IdxBarPaintedWindow;

// A bar as the painter sees it.
class IdxBarPaintedBar {
public:
    virtual ~IdxBarPaintedBar() = default;
    // BorderStyle bbsSingle (a frame and margins when docked) rather than bbsNone.
    virtual bool HasSingleBorder() const { return true; }
    // No border, docked at the bottom and taking the whole row.
    virtual bool IsStatusBar() const { return false; }
    // The bar's own colour; clDefault when not set.
    virtual TColor Color() const { return clDefault; }
    virtual TBitmap* BackgroundBitmap() const { return nullptr; }
    // The bar's window; nil while it has none.
    virtual IdxBarPaintedWindow* Window() const { return nullptr; }
    // The form's main menu bar, which skins draw with their own elements.
    virtual bool IsMainMenu() const { return false; }
};

// A bar window (toolbar, menu, popup) as the painter sees it.
class IdxBarPaintedWindow {
public:
    virtual ~IdxBarPaintedWindow() = default;

    virtual TdxBarManager* Manager() const { return nullptr; }
    // The manager's form is the active one (caption colours).
    virtual bool IsMainFormActive() const { return true; }
    // The bar shown; nil for menus and popups.
    virtual IdxBarPaintedBar* Bar() const { return nullptr; }
    virtual HWND WindowHandle() const { return nullptr; }
    // dsNone while floating, for menus and popups.
    virtual TdxBarDockingStyle DockingStyle() const { return dsNone; }
    virtual TRect ClientRect() const = 0;
    // 0 toolbar, 1 sub menu, 2 a menu with its own glyph column size (the window's kind).
    virtual int BarControlKind() const { return 0; }

    // -- background
    virtual HBRUSH BkBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }
    // Paints the window's background over the rectangle: its background picture, else the
    // brush, else the colour. WholeBackground asks for the picture aligned to the whole window.
    virtual void FillBk(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeBackground) = 0;
    // The background picture of the window itself (a menu's), nil without one.
    virtual TBitmap* BackgroundBitmap() const { return nullptr; }
    virtual bool HasBackgroundImage() const { return BackgroundBitmap() != nullptr; }
    // The dock the window sits in and its position there (its left and top bounds).
    virtual TdxDockControl* DockControl() const { return nullptr; }
    virtual TPoint PositionInDock() const { return TPoint{}; }
    // Lets the dock paint its background under the window from the origin rectangle (in dock
    // coordinates); false when there is no dock to do it.
    virtual bool FillDockBk(HDC /*dc*/, const TRect& /*paintRect*/, const TRect& /*origin*/) { return false; }
    // The brush the window's owner keeps for its background.
    virtual HBRUSH OwnerBrush() const { return BkBrush(); }
    virtual HBRUSH SelBrush() const { return HBRUSH(INT_PTR(COLOR_HIGHLIGHT + 1)); }
    virtual HBRUSH DownedBrush() const { return BkBrush(); }
    virtual HBRUSH DownedSelBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }
    // The brush of the window's extra part (the quick-customization part), and its rectangle.
    virtual HBRUSH PartBrush() const { return BkBrush(); }
    virtual TRect ExtraPartRect() const { return TRect{}; }

    // -- text metrics
    // The height of a line of text in the window's font (its "text size").
    virtual int TextSize() const { return 16; }
    // The font's Height: negative for a character height.
    virtual int FontHeight() const { return -11; }
    virtual int FontSize() const { return 8; }
    virtual double SizeRatio() const { return 1.0; }
    virtual int IconAreaWidth() const { return 0; }
    virtual bool UsesLargeMenuItems() const { return false; }
    virtual bool ShowsLargeIcons() const { return false; }

    // -- floating frames, captions and marks
    virtual bool ShowsDragGrip() const { return false; }
    virtual bool ShowsFloatCaption() const { return true; }
    virtual bool HasCloseButton() const { return false; }
    virtual bool ShowsMark() const { return false; }
    // The window could not show all the links of its bar.
    virtual bool IsTruncated() const { return false; }
    // The area of the caption buttons (close button and mark) of a floating caption.
    virtual TRect CaptionButtonsRect() const { return TRect{}; }
    // The size kept for the mark (the painter's GetMarkSize unless the window says otherwise).
    virtual int MarkSize() const { return 11; }
    virtual int MarkState() const { return 0; }
    virtual String Caption() const { return String(); }
    // A new font for the floating caption; the caller frees it.
    virtual HFONT CreateCaptionFont() const { return nullptr; }
    // Draws the close button of the floating caption into the rectangle.
    virtual void DrawFloatCloseButton(HDC /*dc*/, const TRect& /*rect*/) {}
    // Draws the mark of the floating caption at once into a window DC.
    virtual void DrawFloatMarkNow() {}
    // While the mark fades, draws the fading image into the rectangle and answers true.
    virtual bool DrawMarkFading(HDC /*dc*/, const TRect& /*rect*/) { return false; }
    // The screen position of a screen tip for an item rectangle given in screen coordinates.
    virtual TPoint ScreenTipPos(const TRect& itemScreenRect) const { return TPoint{itemScreenRect.left, itemScreenRect.bottom}; }
    // The combo arrow width and the menu arrow height of the window.
    virtual int ComboArrowWidth() const { return 11; }
    virtual int MenuArrowHeight() const { return 5; }

    // -- menus
    // The canvas the menu paints on (the expand button is copied onto it); nil without one.
    virtual TcxCanvas* PaintCanvas() const { return nullptr; }
    // The width of the side bar of the menu's owner; 0 without one.
    virtual int SideBarWidth() const { return 0; }
    // The background of a menu's recently used items (non-recent items have the window's BkBrush).
    virtual HBRUSH MenuBkBrush() const { return BkBrush(); }
    // The expand button's selected face.
    virtual HBRUSH LightBrush() const { return HBRUSH(INT_PTR(COLOR_3DLIGHT + 1)); }
    // The height of the strip above an item that begins a group.
    virtual int BeginGroupSize() const { return 0; }
    // A detachable menu shows a detach caption at its top: its rectangle and state (1 active).
    virtual bool IsDetachable() const { return false; }
    virtual TRect DetachCaptionRect() const { return TRect{}; }
    virtual int DetachCaptionState() const { return 0; }
    // The first and last item controls shown between the scroll buttons; nil when none.
    virtual TdxBarItemControl* FirstVisibleItemControl() const { return nullptr; }
    virtual TdxBarItemControl* LastVisibleItemControl() const { return nullptr; }
    // The expand button's chevron size and its height.
    virtual int ExpandArrowSize() const { return 3; }
    virtual int ExpandButtonHeight() const { return 14; }

    // -- what the style painters (raised, flat, Office-style, themed) read
    // The bar can be dragged away: false when docking is off for all five styles. Its grip is
    // drawn only then.
    virtual bool CanMove() const { return true; }
    virtual bool IsMainMenu() const { return false; }
    // A toolbar that shows the MDI child's minimize, restore and close buttons.
    virtual bool HasMDIButtons() const { return false; }
    // The floating caption's close button: 0 normal, 1 hot, 2 pressed.
    virtual int CloseButtonState() const { return 0; }
    // Customizing popups and toolbar lists; quick-customization menus; windows that float as
    // popups (menus) and cast a shadow.
    virtual bool IsInternalMenu() const { return false; }
    virtual bool IsQuickCustMenu() const { return false; }
    virtual bool IsPopupWindow() const { return false; }
    // The one-pixel strip of the owner's edge the window touches (outside: on the owner's
    // side, in screen coordinates; else the window's own edge row); empty without an owner.
    virtual TRect OwnerGapRect(bool /*outside*/) const { return TRect{}; }
    // The popup the bar's mark opened; nil while none is open.
    virtual IdxBarPaintedWindow* MarkPopup() const { return nullptr; }
    // The window's rectangle (0, 0, width, height) in its own window coordinates.
    virtual TRect WindowBounds() const { return ClientRect(); }
    // The dock's client rectangle and its cached background picture (nil when the window is not
    // docked); the picture is emptied when the dock changes size.
    virtual TRect DockClientRect() const { return TRect{}; }
    virtual TBitmap* DockBkBitmap() const { return nullptr; }
};

// An item control as the painter sees it.
class IdxBarPaintedControl {
public:
    virtual ~IdxBarPaintedControl() = default;
    virtual IdxBarPaintedWindow* PaintedWindow() const = 0;
    // The control's background brush, and whether it is its own (from its item style).
    virtual HBRUSH BkBrush() const { return PaintedWindow()->BkBrush(); }
    virtual bool HasOwnBrush() const { return false; }
    // The item's text colour from its style; clDefault when not set.
    virtual TColor StyleTextColor() const { return clDefault; }
    // A menu item shown as not recently used.
    virtual bool IsNonRecent() const { return false; }
    // The first item of a run that changes between recent and non-recent items.
    virtual bool StartsRecentChange() const { return false; }
    // A large menu item with its description shown; a menu item with its shortcut shown.
    virtual bool ShowsDescription() const { return false; }
    virtual bool ShowsShortCut() const { return false; }
    // The glyph's size and image for the view size; false when there is no image.
    virtual TSize GlyphSize(int /*viewSize*/) const { return TSize{16, 16}; }
    virtual bool GetImageInfo(int /*viewSize*/, TBitmap*& glyph, TCustomImageList*& images, int& index) const {
        glyph = nullptr;
        images = nullptr;
        index = -1;
        return false;
    }
    virtual bool HasLargeGlyph() const { return false; }
    virtual TdxBarGlyphLayout GlyphLayout() const { return glLeft; }
    virtual bool DrawsGlyphNormally(int /*paintKind*/) const { return true; }
    // Keeps the rectangle the glyph was drawn in (the control's image bounds).
    virtual void SetImageBounds(const TRect& /*rect*/) {}
    // A rectangle of the control's parts (part 1 of a split button is its drop-down part).
    virtual TRect Part(int /*index*/) const { return TRect{}; }
    // The control's whole rectangle and its edit rectangle (edits and combos).
    virtual TRect Bounds() const { return TRect{}; }
    virtual TRect EditRect() const { return Bounds(); }
    // The caption indent: half the bar window's font size.
    virtual int CaptionIndent() const { return PaintedWindow()->FontSize() / 2; }

    // -- edit-like and static controls
    virtual int GlyphAreaWidth() const { return 0; }
    virtual int CaptionWidth() const { return 0; }
    // The control draws its edit frame and its edit content (text or in-place window).
    virtual void DrawEditFrame() {}
    virtual void DrawEditContent() {}
    // The colours of the item's edit style; clDefault when not set.
    virtual TColor EditStyleColor() const { return clDefault; }
    virtual TColor EditStyleTextColor() const { return clDefault; }
    // The text being typed, while the control's in-place editor holds one.
    virtual bool GetEditingText(String& /*text*/) const { return false; }
    // The item paints its text in the canvas's font and brush.
    virtual void PaintEditText(TcxCanvas* /*canvas*/, const TRect& /*rect*/) {}
    // The control draws what lies inside a static control's border.
    virtual void DrawStaticInterior(const TRect& /*rect*/) {}
    // An in-place sub item is expanded.
    virtual bool IsExpanded() const { return false; }

    // -- what the style painters read
    // The window the control's drop-down opened (a sub menu, a button's drop-down); nil while
    // none is open.
    virtual IdxBarPaintedWindow* DropDownWindow() const { return nullptr; }
    // The control shows itself selected while customizing.
    virtual bool IsSelfSelected() const { return false; }
};
