#pragma once
// The bar painter of skins: docks, toolbars, floating bars, menus, separators, status bars,
// screen tips and MDI buttons are drawn from the elements of the skin's group "Bars"; editor
// buttons, size grips, progress bars and caption buttons through the skin look-and-feel
// painter the painter is made with. The bar manager uses it for its skinned style while the
// skins' units run.
//
// The skin info is looked up on every use, so a painter whose skin painter has left the
// registry draws what the base bar painter draws where it can, and leaves out the rest.

#include "dxBarPainter.h"
#include "dxSkinInfo.h"
#include "dxSkinsLookAndFeelPainter.h"

class TdxBarSkinPainter : public TdxBarPainter {
    Z_CLASS(TdxBarSkinPainter, TdxBarPainter)
public:
    explicit TdxBarSkinPainter(TcxLookAndFeelPainterClass skinPainter);

    TcxLookAndFeelPainterClass SkinPainter() const { return skinPainter_; }
    // The info registered with the skin painter; nil when it is not registered.
    TdxSkinInfo* GetSkinInfo() const;
    // The skin look-and-feel painter; nil when the painter was made with another kind.
    const TdxSkinLookAndFeelPainter* LookAndFeelPainter() const;

    // The element a bar window is drawn with: "PopupMenu" for a popup, "StatusBar" for a status
    // bar, "MainMenu" or "MainMenuVertical" for a main menu, "Bar" or "BarVertical" for a
    // toolbar, "Dock" for a toolbar without border.
    TdxSkinElement* GetBarElement(W* window) const;
    static bool IsVerticalWindow(W* window);
    static bool IsMainMenuWindow(W* window);

    // The state an item is drawn in: in a menu (paint kind 1) hot or disabled; elsewhere checked
    // when not selected, else by down and pressed.
    static TdxSkinElementState GetLinkState(int paintKind, bool enabled, bool selected, bool down, bool pressed);
    // The state of the frame around a glyph.
    static TdxSkinElementState GetGlyphFrameState(bool selected, bool down, bool pressed, bool droppedDown);
    // Manager button states 0 normal, 1 hot, 2 pressed.
    static TdxSkinElementState GetMDIButtonState(int state);
    // The glyph image of MDI buttons 0 minimize, 1 restore, 2 close.
    static int GetMDIButtonImageIndex(int button);

    // Draws the element in r (an image index beyond its last set draws the last); false
    // without an element.
    static bool DrawSkinElement(TdxSkinElement* element, HDC dc, TdxSkinElementState state, int imageIndex,
                                const TRect& r);
    // The element's minimum size when set, else its frame size; (0, 0) without an element.
    static TSize GetSkinElementSize(TdxSkinElement* element);
    // Draws the element clipped to r; a rectangle narrower than the element's side margins gets
    // the element's right end (image 0).
    static void DrawSkinElementFitted(TdxSkinElement* element, HDC dc, TdxSkinElementState state, const TRect& r);
    // Draws the element so that its content area covers r, clipped to r.
    static void DrawSkinElementInContent(TdxSkinElement* element, HDC dc, TdxSkinElementState state, const TRect& r);

    // ---- constants and flags
    bool NeedsDoubleBuffering() const override { return true; }
    bool UsesItemTextColor(P*) const override { return true; }
    int GlyphDrawOption() const override { return 1; }
    bool IsFlatStyle() const override { return true; }
    bool IsFlatButtonLook() const override { return false; }
    bool UsesNativeBk(W*, const TRect&) const override { return true; }
    bool DrawsCaptionTransparent() const override { return true; }
    bool AlignsQuickPopupToBar() const override { return true; }
    bool HasMenuSideStrip() const override { return true; }
    bool ShowsColorComboCustomButton() const override { return true; }
    bool IsFlatDateNavigator() const override { return true; }
    int GetStatusBarTopIndent() const override { return 0; }
    bool FillsButtonBk(P*) const override { return false; }
    bool DrawsArrowHighlighted(BP*) const override { return false; }
    int GetEditBorderWidth() const override { return 0; }
    bool IsMenuEditHighlighted(P*) const override { return false; }
    bool IsMenuEditActive(P* params) const override { return IsMenuEditHighlighted(params); }
    bool InPlaceArrowHighlighted() const override { return false; }
    int GetPopupBorderWidth() const override { return 1; }
    int GetFloatBorderWidth() const override { return 2; }
    int GetFloatBorderHeight() const override { return 2; }
    int GetDockRowSpacing() const override { return 1; }
    int CalcComboArrowWidth(int size) const override { return size + 11; }
    void AdjustMenuItemSize(int& value) const override { value += 5; }
    void AdjustMenuItemWidth(int& value) const override { value += 9; }
    int GetMenuArrowsOffset() const override { return 1; }
    int GetDetachCaptionHeight(W* menu) const override;
    void InsetDetachCaption(W* menu, TRect& rect) const override;
    int GetColorButtonWidth(int, const TRect&) const override { return 17; }
    int CalcSpinButtonsWidth(int, const TRect&) const override { return 17; }
    int GetProgressBarHeight() const override { return 24; }
    void GetPartMargins(int paintKind, TRect& rect) const override;
    void GetColorComboMargins(int paintKind, TRect& rect) const override;
    void GetSpinButtonMargins(int paintKind, TRect& rect) const override;
    int GetMenuGroupIndent() const override;
    int GetMenuTextIndent(P* params) const override;
    void DrawComboListItem(TCustomdxBarCombo* combo, TcxCanvas* canvas, int index, const TRect& rect, UINT state,
                           bool flag) const override;
    void DrawMarkContent(W*, HDC, const TRect&) const override {}
    void DrawMenuInnerBorder(W*, HDC, const TRect&, HBRUSH) const override {}
    void CalcSpinEditTextWidth(P*, TRect&) const override {}

    // ---- sizes and margins
    int GetDragAreaSize(W* window) const override;
    int GetSeparatorSize() const override;
    int GetMarkSize() const override;
    int GetMenuSeparatorHeight() const override;
    int GetSeparatorItemHeight() const override;
    int GetScreenTipSeparatorHeight() const override;
    void GetSizeGripWidth(TdxBarManager* manager, TSize& size) const override;
    void GetDockedBarMargins(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle, TRect& rect) const override;
    void GetStatusBarMargins(TRect& rect) const override;
    void CalcExpandButtonMetrics(TcxCanvas* canvas, int textSize, int& arrowWidth, int& height) const override;
    void GetStaticBorderWidths(C* control, int style, TRect& rect) const override;
    void CalcBeginGroupRect(W* menu, C* control, const TRect& itemRect, TRect& rect) const override;
    void CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const override;
    // The mark takes in the bar's docked margins (a status bar's margins), so that it reaches
    // the window's edge; a borderless bar's mark is only moved past its margin.
    void CalcMarkRect(W* window, TRect& rect) const override;
    void GetMarkDrawRect(W* window, TRect& rect) const override;
    // A docked bar's mark reaches into its frame, which is repainted too.
    void InvalidateMark(W* window) const override;

    // ---- colours
    TColor GetItemTextColor(C* control, bool selected, bool flat) const override;
    void GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                   TColor& main) const override;
    TColor GetBarCaptionTextColor(W* window) const override;
    TColor GetDateNavigatorHeaderColor() const override;
    TColor GetScreenTipTextColor() const override;
    TColor GetScreenTipTitleColor() const override;

    // ---- drawing
    void FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                         TColor color) const override;
    void FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                        TColor color) const override;
    void FillBarCaption(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawMDIButton(W* window, int button, int state, HDC dc, const TRect& rect) const override;
    void DrawStatusBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const override;
    void DrawBarSizeGrip(W* window, HDC dc, const TRect& gripRect, HBRUSH brush) const override;
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const override;
    void DrawDockBk(TdxDockControl* dock, HDC dc, const TRect& paintRect, const TRect& rect, const TRect& barRect,
                    HBRUSH brush, TColor color) const override;
    // The mark button of a floating bar's caption: "DockWindowButton" in the mark's state with
    // the mark glyph.
    void DrawFloatMark(W* window, HDC dc, const TRect& rect) const override;
    void DrawStatusBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, const TRect& barRect,
                         HBRUSH brush, TColor color) const override;
    void DrawFloatBorder(W* window, HDC dc, const TRect& windowRect, const TRect& clientRect,
                         HBRUSH brush) const override;
    void DrawFloatCaption(W* window, HDC dc, const TRect& captionRect, const TRect& areaRect,
                          HBRUSH brush) const override;
    // menus
    void FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const override;
    void DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const override;
    void DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const override;
    void DrawInPlaceSubItemBk(P* params, const TRect& rect) const override;
    void DrawDetachCaption(W* menu, HDC dc, const TRect& rect, int state) const override;
    void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
    void DrawExpandButtonContent(W* menu, HDC dc, const TRect& rect, bool selected) const override;
    void DrawExpandButtonSelection(W* menu, HDC dc, const TRect& rect) const override;
    void DrawMenuCheckMark(C* control, HDC dc, const TRect& rect, int paintKind, bool down) const override;
    void DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const override;
    // items
    void DrawButtonBk(BP* params, const TRect& rect, HBRUSH brush) const override;
    void DrawGlyphFrame(C* control, HDC dc, HBRUSH brush, bool hasRoom, const TRect& area, int paintKind,
                        bool noGlyph, bool selected, bool down, bool pressed, bool droppedDown,
                        bool split) const override;
    void DrawMenuItemBk(P* params, const TRect& rect) const override;
    // edits, combos and spin edits: the skin look-and-feel painter's editor buttons
    void DrawEditBk(P* params) const override;
    void DrawEditMenuSelection(P* params, const TRect& rect) const override;
    void DrawEditBoxFrame(P* params, TRect& rect) const override;
    void DrawComboButton(P* params, const TRect& rect, int kind) const override;
    void DrawColorComboCustomButton(P* params, const TRect& rect) const override;
    void DrawColorComboColorBox(P* params, const TRect& rect) const override;
    void DrawSpinButton(P* params, const TRect& rect, int button) const override;
    void FillSpinEditBk(P* params, const TRect& rect) const override;
    void DrawDateNavigatorButton(TdxBarItem* item, HDC dc, const TRect& rect, const String& text,
                                 bool pushed) const override;
    // progress bars and static items: the skin look-and-feel painter's progress, "LinkStatic"
    // on status bars
    void DrawProgressBk(P* params, const TRect& rect) const override;
    void GetProgressContentRect(P* params, TRect& rect) const override;
    void DrawProgressSolid(P* params, const TRect& rect, HBRUSH brush) const override;
    void DrawStaticBk(P* params, const TRect& rect) const override;
    void DrawStaticBorder(P* params, TRect& rect) const override;
    void DrawSeparatorCaption(P* params, const TRect& rect) const override;
    void DrawScreenTipBk(HDC dc, const TRect& rect) const override;
    void DrawScreenTipSeparator(HDC dc, const TRect& rect) const override;

private:
    // An item that is fading draws its background and glyph frame from the fading image; false
    // when there is none.
    static bool DrawFadingButtonBk(BP* params, const TRect& rect);
    static bool DrawFadingGlyphFrame(C* control, HDC dc, const TRect& rect);
    // The edit part of an edit item less the part margins.
    TRect EditBoxRect(P* params) const;
    // Whether the item sits on a status bar.
    static bool IsOnStatusBar(C* control);
    // The element of the skin info's member; nil without an info.
    TdxSkinElement* Element(TdxSkinElement* TdxSkinInfo::*member) const;

    TcxLookAndFeelPainterClass skinPainter_;
};

void InitializedxSkinsdxBarPainter();
void FinalizedxSkinsdxBarPainter();
