// The drawing of the elements inside the ribbon's groups and menus: buttons and button groups,
// arrows, menu pieces, the progress bar, the screen tip and the status bar.
//
// Sections: buttons · arrows · menus · progress and screen tip · status bar.

#include "dxOffice11.h"
#include "dxRibbonSkins.h"

// ---- buttons -------------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawButton(HDC dc, const TRect& r, int state) { DrawStrip(dc, r, rpgSmallButton, state); }

void TdxCustomRibbonSkin::DrawSplitButtonLeft(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgSplitButtonMain, state);
}

void TdxCustomRibbonSkin::DrawSplitButtonRight(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgSplitButtonDropDown, state);
}

void TdxCustomRibbonSkin::DrawLargeButton(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgLargeButton, state);
}

void TdxCustomRibbonSkin::DrawLargeSplitButtonTop(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgLargeSplitButtonTop, state);
}

void TdxCustomRibbonSkin::DrawLargeSplitButtonBottom(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgLargeSplitButtonBottom, state);
}

void TdxCustomRibbonSkin::DrawButtonGroupButton(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgButtonGroupButton, state);
}

void TdxCustomRibbonSkin::DrawEditButton(HDC dc, const TRect& r, int state) { DrawStrip(dc, r, rpgEditButton, state); }

void TdxCustomRibbonSkin::DrawButtonGroupBorderLeft(HDC dc, const TRect& r) {
    if (!LowColor()) DrawGroupImage(dc, r, rpgButtonGroupBorderLeft, 0);
}

void TdxCustomRibbonSkin::DrawButtonGroupBorderRight(HDC dc, const TRect& r) {
    if (!LowColor()) DrawGroupImage(dc, r, rpgButtonGroupBorderRight, 0);
}

void TdxCustomRibbonSkin::DrawButtonGroupSeparator(HDC dc, const TRect& r, int state) {
    if (!LowColor()) DrawStrip(dc, r, rpgButtonGroupSeparator, state);
}

void TdxCustomRibbonSkin::DrawButtonGroupSplitButtonSeparator(HDC dc, const TRect& r, int state) {
    if (!LowColor()) DrawStrip(dc, r, rpgButtonGroupSplitSeparator, state);
}

// ---- arrows --------------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawButtonArrow(HDC dc, const TRect& r, int state) {
    if (LowColor())
        DrawLowColorArrow(dc, r, true);
    else
        DrawStrip(dc, r, rpgButtonArrow, state);
}

void TdxCustomRibbonSkin::DrawArrowDown(HDC dc, const TRect& r) {
    if (LowColor())
        DrawLowColorArrow(dc, r, true);
    else
        DrawGroupImage(dc, r, rpgArrowDown, 0);
}

void TdxCustomRibbonSkin::DrawArrowRight(HDC dc, const TRect& r) {
    if (LowColor())
        DrawLowColorArrow(dc, r, false);
    else
        DrawGroupImage(dc, r, rpgArrowRight, 0);
}

void TdxCustomRibbonSkin::DrawScrollArrow(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgScrollArrow, 0); }

// ---- menus ---------------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawMenuContent(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgMenuContent, 0); }

void TdxCustomRibbonSkin::DrawMenuGlyphStrip(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgMenuGlyphStrip, 0); }

void TdxCustomRibbonSkin::DrawMenuSeparatorHorz(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgMenuSeparatorHorz, 0);
}

void TdxCustomRibbonSkin::DrawMenuSeparatorVert(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgMenuSeparatorVert, 0);
}

void TdxCustomRibbonSkin::DrawMenuMarkGlyph(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgMenuMarkGlyph, 0); }

void TdxCustomRibbonSkin::DrawDropDownBorder(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgDropDownBorder, 0); }

void TdxCustomRibbonSkin::DrawMenuDetachCaption(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgDetachCaption, state);
}

void TdxCustomRibbonSkin::DrawMenuCheck(HDC dc, const TRect& r, int state) { DrawStrip(dc, r, rpgMenuCheck, state); }

void TdxCustomRibbonSkin::DrawMenuCheckMark(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgMenuCheckMark, state);
}

void TdxCustomRibbonSkin::DrawMenuScrollButton(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgMenuScrollButton, state);
}

// ---- progress and screen tip ---------------------------------------------------------------

void TdxCustomRibbonSkin::DrawProgressSolidBand(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgProgressSolid, 0); }

void TdxCustomRibbonSkin::DrawProgressDiscreteBand(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgProgressBlock, 0);
}

void TdxCustomRibbonSkin::DrawProgressBorder(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgProgressBorder, 0); }

void TdxCustomRibbonSkin::DrawScreenTip(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgScreenTip, 0); }

// ---- status bar ----------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawStatusBar(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clBtnFace);
    else
        DrawGroupImage(dc, r, rpgStatusBar, 0);
}

void TdxCustomRibbonSkin::DrawStatusBarSizeGripBackground(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clBtnFace);
    else
        DrawGroupImage(dc, r, rpgStatusBarGripBackground, 0);
}

void TdxCustomRibbonSkin::DrawStatusBarPanel(HDC dc, const TRect& bounds, const TRect& r, bool isLowered) {
    if (LowColor())
        FillRectSolid(dc, r, clBtnFace);
    else
        DrawGroupImage(dc, r, isLowered ? rpgStatusBar : rpgStatusBarPanelRaised, 0);
}

void TdxCustomRibbonSkin::DrawStatusBarPanelSeparator(HDC dc, const TRect& r) {
    if (LowColor()) {
        FillRectSolid(dc, r, clBtnFace);
        FillRectSolid(dc, TRect{r.left, r.top + 1, r.left + 1, r.bottom - 1}, clBtnShadow);
    } else {
        DrawGroupImage(dc, r, rpgStatusBarPanelSeparator, 0);
    }
}

void TdxCustomRibbonSkin::DrawStatusBarToolbarSeparator(HDC dc, const TRect& r) {
    if (LowColor()) {
        FillRectSolid(dc, r, clBtnFace);
        FillRectSolid(dc, TRect{r.left, r.top, r.left + 1, r.bottom - 1}, clBtnShadow);
    } else {
        DrawGroupImage(dc, r, rpgStatusBarToolbarSeparator, 0);
    }
}

void TdxCustomRibbonSkin::DrawStatusBarSizeGrip(HDC dc, const TRect& r) {
    Office11DrawResizeGrip(dc, r, PartColor(10098, 0), PartColor(10099, 0));
}
