#pragma once
// TdxBarSkinnedPainter: bars, buttons, menus, edits and the other items drawn by a skin. The
// painter is made with a skinned object (the ribbon, for instance) and asks it for IdxSkin
// (dxBarSkinContract.h) on every operation; each piece is a numbered part drawn in a numbered
// state, so the object alone decides how it looks. The manager never picks this class for a
// style: the ribbon's bar painters derive from it and make it with their skin object.
//
// It keeps every answer of the Office-style and flat looks it does not replace. The sources:
// dxBarSkinnedPainter.cpp (the skin contract, bars, buttons, glyphs, texts, marks) and
// dxBarSkinnedPainterMenus.cpp (menus, the application menu, edits, spin edits, progress bars,
// static items, screen tips).

#include "dxBarOffice11Painter.h"
#include "dxBarSkinContract.h"

class TdxBarSkinnedPainter : public TdxBarOffice11Painter, public IdxBarSkinPainter {
    Z_CLASS(TdxBarSkinnedPainter, TdxBarOffice11Painter)
public:
    // The parts the painter asks its skin for.
    enum TPart : int {
        spBar = 1,
        spButton = 3, spSplitButtonDropDown = 4, spSplitButtonMain = 5,
        spLargeButton = 6, spLargeSplitButtonDropDown = 7, spLargeSplitButtonMain = 8,
        spEditBack = 9, spEditFrame = 10, spEditButton = 11, spEditButtonFrame = 12,
        spComboButton = 13, spColorComboCustomButton = 14, spSpinDown = 15, spSpinUp = 16,
        spDateNavigatorHeader = 19, spSeparatorCaption = 20,
        spProgressSolid = 30, spProgressBlock = 31, spProgressBk = 32,
        spScreenTip = 40, spScreenTipSeparator = 41,
        spItemText = 335, spMarkContent = 336, spTruncatedMarkContent = 337, spDropDownArrow = 340,
        spScrollButton = 360, spMenuItemText = 362, spScaledArrow = 365, spScaledArrowRight = 366,
        spDetachCaption = 370, spDetachCaptionArea = 375, spMenuGlyphColumn = 380, spMenuContent = 390,
        spAppMenuExtraPane = 395, spMenuSeparator = 400, spMenuSideStrip = 410, spMenuSplitLine = 420,
        spMenuEditLine = 425, spMenuGlyphCheck = 430, spMenuCheckMark = 440, spExpandButton = 442,
        spScrollButtonFrame = 446, spMenuBorder = 450, spAppMenuBorder = 452, spAppMenuTopBand = 453,
        spAppMenuBottomBand = 454, spAppMenuSideBand = 455, spAppMenuOuterRing = 456,
        spAppMenuInnerRing = 457, spAppMenuButton = 458,
        spGroupButton = 460, spGroupLeftEdge = 470, spGroupSeparator = 480, spGroupRightEdge = 490,
        spGroupSplitSeparator = 500,
    };
    // The states the painter draws parts in.
    enum TState : int {
        ssNormal = 0, ssDisabled = 1, ssHot = 2, ssActive = 3, ssPressed = 4, ssDroppedDown = 5, ssChecked = 6,
        ssHotChecked = 7, ssDisabledActive = 8,
    };
    // A button's position in its button group, as the draw parameters carry it.
    enum TGroupPosition : Byte { gpNone = 0, gpFirst = 1, gpMiddle = 2, gpLast = 3, gpAlone = 4 };

    explicit TdxBarSkinnedPainter(TObject* skinnedObject);
    // Made through the class reference: no skinned object, so nothing is drawn by a skin.
    explicit TdxBarSkinnedPainter(TcxLookAndFeelPainterClass data);

    TObject* SkinnedObject() const { return skinnedObject_; }
    // The skinned object's skin; a skin that draws nothing when the object has none, so a
    // painter made without one never reaches through a nil interface.
    IdxSkin* GetSkin() const;
    bool IsNamedSkin() const;
    static int GetSmallGlyphSize() { return 16; }

    // ---- skin states ------------------------------------------------------------------------
    // 2 while the mouse is over the bar window, else 0.
    static int GetBarSkinState(W* window);
    static int GetItemSkinState(P* params, int part);
    // Part 0 the main face, 1 the drop-down part.
    static int GetButtonPartSkinState(BP* params, int part);
    // Kind 0 the edit, 3 the combo button, 4 the custom-colour button.
    static int GetEditPartSkinState(P* params, int kind);
    // Button 3 up, 4 down.
    static int GetSpinButtonSkinState(P* params, int button);

    // The bar window's caption band with its text.
    virtual void DrawSkinCaption(W* window, HDC dc) const;

    // ---- IdxBarSkinPainter ------------------------------------------------------------------
    bool AreFadingImagesOpaque() const override { return false; }
    void DrawBarPartState(W* window, HDC dc, const TRect& rect, int state) const override;
    void DrawSkinButtonFace(BP* params) const override;

    // ---- bars and captions ------------------------------------------------------------------
    void DrawBarBk(W* window) const override;
    void DrawBarNonClientArea(W* window) const override;
    void CalcFloatCaptionRect(const TRect& windowRect, TRect& captionRect) const override;
    bool PaintsNonClientArea() const override { return true; }
    void CalcBarNonClientOffsets(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle, bool withSizeGrip,
                                 TRect& rect) const override;
    int GetBarGap() const override;
    int GetBarEdgeKind() const override { return 2; }
    int CalcBarItemHeight(W* window) const override;
    bool CutsShadowAtOwner(W* /*window*/) const override { return false; }
    void FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                         TColor color) const override;
    void SetBarWindowRegion(W* window) const override;
    void FillBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                   TColor color) const override;
    void DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const override;
    void DrawMarkContent(W* window, HDC dc, const TRect& rect) const override;

    // ---- buttons, glyphs and texts ----------------------------------------------------------
    bool AllowsLargeIcons() const override { return false; }
    void CalcButtonTextRect(BP* params, TRect& rect, const TRect& glyphRect, int& align) const override;
    TColor GetItemTextColor(C* control, bool selected, bool flat) const override;
    void GetDisabledItemTextColors(C* control, bool selected, bool flat, TColor& highlight,
                                   TColor& main) const override;
    TColor GetBarItemTextColor(C* control, bool selected, bool flat) const override {
        return TdxBarPainter::GetItemTextColor(control, selected, flat);
    }
    void DrawItemCaption(BP* params, const TRect& rect, int align, UINT flags) const override;
    void GetGlyphMargins(TRect& rect) const override { rect = Rect(3, 0, 2, 0); }
    void CalcCaptionTextRect(P* params, TRect& rect) const override;
    void AddCaptionIndent(BP* params, int& x) const override;
    int GetColorButtonWidth(int paintKind, const TRect& rect) const override;
    void CalcDropDownArrowRect(BP* params, TRect* parts, int partsHigh, const TRect& rect) const override;
    void CalcSpinEditLayout(P* params, TRect* parts, int partsHigh, const TRect& rect) const override;
    int CalcTextItemHeight(TcxCanvas* canvas) const override;
    void CalcLargeGlyphRect(C* control, const TSize& glyphSize, const TRect& area, int paintKind,
                            Byte viewStructure, TdxBarGlyphLayout glyphLayout, TRect& rect) const override;
    void DrawItemGlyph(C* control, HDC dc, const TRect& area, const TRect& glyphRect, int paintKind, TBitmap* glyph,
                       TCustomImageList* images, int imageIndex, bool noGlyph, bool selected, bool down,
                       bool pressed, bool droppedDown, bool plainBk, bool grayGlyph, bool split) const override;
    int GetCheckedExtraSize() const override { return 0; }
    int GetDropDownArrowWidth(TdxBarManager* /*manager*/) const override { return 13; }
    int CalcComboArrowWidth(int size) const override;
    int GetItemTextIndent(P* params) const override;
    int GetButtonExtraHeight() const override;
    int GetButtonExtraWidth() const override;
    int CalcButtonHeight(int glyphSize, int textSize) const override;
    int CalcButtonWidth(int glyphSize, int textSize) const override;
    void GetSmallArrowSize(TSize& size) const override { size = TSize{5, 4}; }
    void AdjustMenuItemSize(int& /*value*/) const override {}
    void DrawButtonControl(BP* params, const TRect& rect) const override;
    void DrawButtonArrow(BP* params, const TRect& rect) const override;
    void DrawSplitDropDownPart(BP* params, const TRect& rect) const override;
    void DrawWholeButtonArrow(BP* params, const TRect& rect) const override { DrawButtonArrow(params, rect); }
    int GetEditBorderWidth() const override { return 0; }

    // ---- menus --------------------------------------------------------------------------------
    void FillScrollButton(TcxCanvas* canvas, const TRect& rect, TColor color) const override;
    void DrawScrollButtonBack(W* /*menu*/, TcxCanvas* /*canvas*/, bool /*bottom*/) const override {}
    int GetScrollButtonHeight(W* menu) const override;
    void CalcScrollArrowSize(int height, int& size, int& remainder) const override;
    void DrawExpandButtonContent(W* menu, HDC dc, const TRect& rect, bool selected) const override;
    void DrawExpandButtonSelection(W* menu, HDC dc, const TRect& rect) const override;
    bool OmitsMenuInnerBorder() const override { return true; }
    void DrawSpinArrow(P* params, const TPoint& pos, int button) const override;
    void DrawMenuItemBk(P* params, const TRect& rect) const override;
    bool HasMenuSideStrip() const override { return true; }
    int CalcMenuArrowWidth(int textSize) const override { return textSize; }
    int GetMenuSeparatorHeight() const override { return 3; }
    int GetMenuBorderWidth() const override { return 2; }
    int GetMenuContentIndent() const override { return 0; }
    int GetDetachCaptionHeight(W* menu) const override;
    int GetIconAreaWidth(W* menu) const override;
    int GetMenuItemExtraHeight() const override { return 2; }
    int GetMenuItemExtraIndent() const override { return 1; }
    int GetMinMenuItemHeight() const override { return 22; }
    void CalcMenuGlyphRect(const TRect& itemRect, int iconAreaWidth, TRect& rect) const override {
        TdxBarPainter::CalcMenuGlyphRect(itemRect, iconAreaWidth, rect);
    }
    int GetMenuTextIndent(P* params) const override;
    void DrawScrollButtonFrame(W* menu, TcxCanvas* canvas, bool bottom) const override;
    void FillMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const override;
    void DrawMenuBorder(W* menu, HDC dc, const TRect& rect) const override;
    void DrawMenuInnerBorder(W* /*menu*/, HDC /*dc*/, const TRect& /*rect*/, HBRUSH /*brush*/) const override {}
    void DrawDetachCaption(W* menu, HDC dc, const TRect& rect, int state) const override;
    void DrawItemSeparator(W* menu, C* control, TcxCanvas* canvas, const TRect& rect) const override;
    void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
    int CalcMenuTextItemHeight(TcxCanvas* canvas) const override;

    // ---- the application menu -----------------------------------------------------------------
    void DrawAppMenuBorder(W* menu, HDC dc, const TRect& rect) const override;
    void DrawAppMenuButton(W* menu, HDC dc, const TRect& rect, int state) const override;
    void DrawAppMenuBk(W* menu, TcxCanvas* canvas, const TRect& rect, const TRect& excludedRect) const override;
    void GetAppMenuMargins(TRect& rect) const override { rect = Rect(4, 16, 4, 27); }
    void DrawExtraPaneBk(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush, TColor color) const override;
    void DrawExtraPaneSeparator(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush,
                                bool horizontal) const override;

    // ---- edits and combos ---------------------------------------------------------------------
    void AssignLookAndFeel(TdxBarManager* manager, TcxLookAndFeel* lookAndFeel) const override;
    TColor GetEditBackColor(P* params) const override;
    bool IsNotSkinned() const override { return false; }
    int GetSkinPropertyA(int /*kind*/) const override { return IsNamedSkin() ? 0 : 1; }
    int GetSkinPropertyB(int /*kind*/) const override { return IsNamedSkin() ? 0 : 1; }
    bool IsItemDrawSel(P* /*params*/) const override { return true; }
    int GetSplitOffsets(int /*kind*/) const override { return 1; }
    void AdjustSkinnedSize(P* params, TSize& size) const override;
    void DrawStateFace(P* params, HDC dc, const TRect& rect, int state) const override;
    void DrawStateBorder(P* params, HDC dc, const TRect& rect, int state) const override;
    // The frame of the states 2 to 7 in unnamed skins around rect; hands back what is inside.
    void DrawSkinStateBorder(P* params, HDC dc, int state, TRect& rect, TRect& inner) const;
    void DrawEditBk(P* params) const override;
    void DrawEditBoxFrame(P* params, TRect& rect) const override;
    void DrawEditMenuSelection(P* params, const TRect& rect) const override;
    bool IsMenuEditHighlighted(P* /*params*/) const override { return false; }
    bool IsMenuEditActive(P* /*params*/) const override { return false; }
    bool ShowsEditGlyph() const override { return true; }
    void GetEditMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(0, 0, 0, 0); }
    void DrawComboButton(P* params, const TRect& rect, int kind) const override;
    void DrawDropDownListBorder(HDC dc, TColor color, const TRect& rect) const override;
    bool ShowsColorComboCustomButton() const override { return true; }
    void GetColorComboMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(0, 0, 0, 0); }
    void DrawColorComboCustomButton(P* params, const TRect& rect) const override;
    void DrawColorComboColorBox(P* /*params*/, const TRect& /*rect*/) const override {}
    TColor GetDateNavigatorHeaderColor() const override;

    // ---- spin edits ---------------------------------------------------------------------------
    void CalcSpinArrowPos(P* params, const TRect& rect, int button, TPoint& pos) const override;
    void CalcSpinEditTextWidth(P* /*params*/, TRect& /*rect*/) const override {}
    void CalcSpinArrowSize(int /*height*/, TSize& size) const override { size = TSize{5, 3}; }
    void CalcSpinButtonRect(P* params, const TRect& rect, int part, TRect& buttonRect) const override;
    void GetSpinButtonMargins(int /*paintKind*/, TRect& rect) const override { rect = Rect(0, 0, 0, 0); }
    int CalcSpinButtonsWidth(int paintKind, const TRect& rect) const override;
    void DrawSpinButton(P* params, const TRect& rect, int button) const override;
    void FillSpinEditBk(P* params, const TRect& rect) const override;

    // ---- progress bars, in-place sub items, static items, screen tips ------------------------
    bool AllowsPartialProgressUpdate() const override { return false; }
    void DrawProgressBk(P* params, const TRect& rect) const override;
    void GetProgressContentRect(P* /*params*/, TRect& rect) const override { InflateRect(&rect, -2, -2); }
    void DrawProgressSolid(P* params, const TRect& rect, HBRUSH brush) const override;
    void DrawProgressBlock(P* params, const TRect& rect, HBRUSH brush) const override;
    int GetInPlaceSubItemTextSize(P* params) const override;
    void DrawInPlaceSubItemArrow(P* params, int direction, const TRect& rect) const override;
    void DrawInPlaceSubItemBk(P* params, const TRect& rect) const override;
    void DrawStaticBorder(P* params, TRect& rect) const override;
    bool StaticHasOwnBrush(P* /*params*/) const override { return false; }
    void DrawSeparatorCaption(P* params, const TRect& rect) const override;
    void DrawScreenTipBk(HDC dc, const TRect& rect) const override;
    void DrawScreenTipSeparator(HDC dc, const TRect& rect) const override;

    // The arrow of a menu item or an in-place sub item, scaled by the window's size ratio:
    // direction 3 points right (its own part), the others share one part.
    void DrawScaledArrow(W* window, HDC dc, const TRect& area, int direction) const;

private:
    // Helpers both sources share: a fill in a colour (nothing for clNone), a rectangle of the
    // size centred in the area, and two one-pixel lines through the middle of rect (across: the
    // first colour on the middle row, the second below; down: the second colour on the middle
    // column, the first right of it).
    static void FillColor(HDC dc, const TRect& rect, TColor color);
    static TRect Centered(const TRect& area, int width, int height);
    static void DrawSeparatorLines(HDC dc, const TRect& rect, bool horizontal, TColor first, TColor second);
    // The skin parts and group borders of a button's face (whole or its two halves).
    void DrawButtonFaceParts(BP* params, HDC dc) const;
    // The combo button (kind 3) or the custom-colour button (kind 4).
    void DrawEditButton(P* params, const TRect& rect, int kind) const;

    TObject* skinnedObject_ = nullptr;
};
