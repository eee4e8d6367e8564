// The drawing of a ribbon-styled window's frame and caption, and of the ribbon's own elements:
// application button and menu, tabs and groups, quick access toolbar, help and MDI buttons,
// background and galleries.
//
// Sections: frame and caption · low-colour frame · application button and menu · tabs and
// groups · quick access toolbar · help and MDI buttons · ribbon background · galleries.

#include "cxDWMApi.h"
#include "dxOffice11.h"
#include "dxRibbonSkins.h"

namespace {

// The image of a pair for the window's activity: 0 active, 1 inactive.
int ActivityImage(bool active) { return active ? 0 : 1; }

}  // namespace

// ---- frame and caption ---------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawFormCaption(HDC dc, const TRect& r, const FormPaintData& data) {
    if (LowColor()) {
        DrawFormCaptionLowColor(dc, r, data);
        return;
    }
    const int image = ActivityImage(data.IsActive != 0);
    if (data.WindowState == 2) {
        DrawGroupImage(dc, r, rpgFormCaptionMaximized, image);
    } else if (data.WindowState == 1) {
        DrawGroupImage(dc, TRect{r.left, r.top, r.right, r.bottom - 1}, rpgFormCaption, image);
        DrawGroupImage(dc, TRect{r.left, r.bottom - 1, r.right, r.bottom}, rpgFormBorderBottomThin, image);
    } else {
        DrawGroupImage(dc, r, rpgFormCaption, image);
    }
}

void TdxCustomRibbonSkin::DrawFormBorders(HDC dc, const TRect& bordersWidth, int captionHeight,
                                          const FormPaintData& data) {
    if (LowColor()) {
        DrawFormBordersLowColor(dc, bordersWidth, data);
        return;
    }
    const int image = ActivityImage(data.IsActive != 0);
    const TRect& bounds = data.FormBounds;
    if (captionHeight > 0) {
        DrawGroupImage(dc, TRect{bounds.left, bounds.top, bounds.left + bordersWidth.left, captionHeight},
                       rpgFormBorderTopLeft, image);
        DrawGroupImage(dc, TRect{bounds.right - bordersWidth.right, bounds.top, bounds.right, captionHeight},
                       rpgFormBorderTopRight, image);
    }
    if (bordersWidth.bottom < 2) {
        DrawGroupImage(dc,
                       TRect{bounds.left + bordersWidth.left, bounds.bottom - bordersWidth.bottom,
                             bounds.right - bordersWidth.right, bounds.bottom},
                       rpgFormBorderBottomThin, image);
    } else {
        const TRect band{bounds.left, bounds.bottom - bordersWidth.bottom, bounds.right, bounds.bottom};
        DrawGroupImage(dc, band, data.IsDialogFrame() ? rpgDialogBorderBottom : rpgFormBorderBottom, image);
        ExcludeClipRect(dc, band.left, band.top, band.right, band.bottom);
    }
    const int top = bordersWidth.top + captionHeight;
    const int bottom = data.IsDialogFrame() ? bounds.bottom : bounds.bottom - 1;
    DrawGroupImage(dc, TRect{bounds.left, top, bounds.left + bordersWidth.left, bottom}, rpgFormBorderLeft, image);
    DrawGroupImage(dc, TRect{bounds.right - bordersWidth.right, top, bounds.right, bottom}, rpgFormBorderRight, image);
}

void TdxCustomRibbonSkin::DrawFormBorderIcon(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state) {
    if (LowColor()) {
        DrawFormBorderIconLowColor(dc, r, icon, state);
        return;
    }
    // Backgrounds: hot, pressed, inactive hot; the other states show the caption through.
    const int background = state == 1 ? 0 : state == 2 ? 1 : state == 4 ? 2 : -1;
    if (background >= 0) DrawGroupImage(dc, r, rpgBorderIconBackground, background);
    const int glyph = state == 1 ? 1 : state == 2 ? 2 : state == 3 || state == 4 ? 3 : 0;
    DrawBorderIconGlyph(dc, r, icon, glyph);
}

void TdxCustomRibbonSkin::DrawFormStatusBarBorder(HDC dc, const TRect& r, bool isLeft, bool isActive, int partKind,
                                                  bool isDialogFrame) {
    if (LowColor()) {
        FillRectSolid(dc, r, clBtnFace);
        return;
    }
    const TdxRibbonPartGroup group = isLeft ? (isDialogFrame ? rpgStatusBarFrameLeftDialog : rpgStatusBarFrameLeft)
                                            : (isDialogFrame ? rpgStatusBarFrameRightDialog : rpgStatusBarFrameRight);
    const int image = partKind + 2 * ActivityImage(isActive);
    if (image >= 0 && image < 4) DrawGroupImage(dc, r, group, image);
}

TRect TdxCustomRibbonSkin::GetWindowBordersWidth(bool hasStatusBar) const {
    return TRect{4, 0, 4, hasStatusBar ? 1 : 4};
}

void TdxCustomRibbonSkin::DrawRibbonTopFrameArea(HDC dc, const TRect& r) { DrawGroupImage(dc, r, rpgRibbonTopArea, 0); }

// ---- low-colour frame ----------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawFormCaptionLowColor(HDC dc, const TRect& r, const FormPaintData& data) {
    if (data.WindowState != 2) {
        const TRect light{r.left, r.top, r.right, r.top + 1};
        const TRect face{r.left, r.top + 1, r.right, r.top + 2};
        FillRectSolid(dc, light, clBtnHighlight);
        FillRectSolid(dc, face, clBtnFace);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.top + 2);
    }
    FillRectSolid(dc, r, data.IsActive ? clActiveCaption : clInactiveCaption);
}

void TdxCustomRibbonSkin::DrawFormBordersLowColor(HDC dc, const TRect& bordersWidth, const FormPaintData& data) {
    const TRect& b = data.FormBounds;
    FillRectSolid(dc, TRect{b.left, b.top, b.left + 2, b.bottom}, clBtnHighlight);
    FillRectSolid(dc, TRect{b.left + 2, b.top, b.left + bordersWidth.left, b.bottom}, clBtnFace);
    FillRectSolid(dc, TRect{b.right - bordersWidth.right, b.top, b.right - 2, b.bottom}, clBtnFace);
    FillRectSolid(dc, TRect{b.right - 2, b.top, b.right - 1, b.bottom}, clBtnShadow);
    FillRectSolid(dc, TRect{b.right - 1, b.top, b.right, b.bottom}, cl3DDkShadow);
    // The rest of a wide bottom border would otherwise keep whatever was under it.
    FillRectSolid(
        dc,
        TRect{b.left + bordersWidth.left, b.bottom - bordersWidth.bottom, b.right - bordersWidth.right, b.bottom - 1},
        clBtnFace);
    FillRectSolid(dc, TRect{b.left, b.bottom - 1, b.right, b.bottom}, cl3DDkShadow);
}

void TdxCustomRibbonSkin::DrawFormBorderIconLowColor(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state) {
    static const UINT kinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE,
                                 DFCS_CAPTIONHELP};
    if (icon < rbiMinimize || icon > rbiHelp) return;
    TRect button{r.left + 1, r.top + 2, r.right - 1, r.bottom};
    DrawFrameControl(dc, &button, DFC_CAPTION, kinds[icon] | (state == 2 ? DFCS_PUSHED : 0));
}

// ---- application button and menu -----------------------------------------------------------

void TdxCustomRibbonSkin::DrawApplicationButton(HDC dc, const TRect& r, int state) {
    if (LowColor()) {
        DrawApplicationButtonLowColor(dc, r, state);
        return;
    }
    if (state >= 0 && state <= 2) DrawGroupImage(dc, r, rpgApplicationButton, state);
}

void TdxCustomRibbonSkin::DrawApplicationButtonLowColor(HDC dc, const TRect& r, int state) {
    const int saved = SaveDC(dc);
    const TRect e{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2};
    HPEN ring = CreatePen(PS_SOLID, 3, COLORREF(ColorToRGB(state == 2 ? clBtnShadow : clWhite)));
    HBRUSH fill = CreateSolidBrush(COLORREF(ColorToRGB(state != 0 ? clHighlight : clBtnFace)));
    SelectObject(dc, ring);
    SelectObject(dc, fill);
    Ellipse(dc, e.left, e.top, e.right, e.bottom);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Ellipse(dc, e.left, e.top, e.right, e.bottom);
    RestoreDC(dc, saved);
    DeleteObject(ring);
    DeleteObject(fill);
}

void TdxCustomRibbonSkin::AdjustApplicationButtonGlyphRect(TRect& r) const { OffsetRect(&r, -1, -1); }

TSize TdxCustomRibbonSkin::GetApplicationButtonSize() const { return TSize{42, 42}; }

void TdxCustomRibbonSkin::DrawApplicationMenuBorder(HDC dc, const TRect& r) {
    if (LowColor())
        DrawApplicationMenuBorderLowColor(dc, r);
    else
        DrawGroupImage(dc, r, rpgAppMenuBorder, 0);
}

void TdxCustomRibbonSkin::DrawApplicationMenuBorderLowColor(HDC dc, const TRect& r) {
    FrameAndFill(dc, r, clMenu, 15, clBlack);
}

void TdxCustomRibbonSkin::DrawApplicationMenuContentHeader(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clMenu);
    else
        DrawGroupImage(dc, r, rpgAppMenuHeader, 0);
}

void TdxCustomRibbonSkin::DrawApplicationMenuContentFooter(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clMenu);
    else
        DrawGroupImage(dc, r, rpgAppMenuFooter, 0);
}

void TdxCustomRibbonSkin::DrawApplicationMenuButton(HDC dc, const TRect& r, int state) {
    if (state == resHot)
        DrawStrip(dc, r, rpgSmallButton, resHot);
    else
        DrawGroupImage(dc, r, rpgAppMenuButton, 0);
}

// ---- tabs and groups -----------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawTab(HDC dc, const TRect& r, int state) {
    if (LowColor()) {
        if (state == 0)
            FillRectSolid(dc, r, clBtnFace);
        else if (state == 2)
            FrameAndFill(dc, r, clHighlight, 1 | 2 | 4, clWhite);
        else
            FrameAndFill(dc, r, clHighlight, 2, clBtnFace);
        return;
    }
    if (state >= 0 && state <= 4) DrawGroupImage(dc, r, rpgTab, state);
}

void TdxCustomRibbonSkin::DrawTabSeparator(HDC dc, const TRect& r, Byte alpha) {
    DrawGroupImage(dc, r, rpgTabSeparator, 0, alpha);
}

namespace {

int ScrollButtonImage(int state) { return state == 2 ? 1 : state == 4 ? 2 : 0; }

}  // namespace

void TdxCustomRibbonSkin::DrawTabScrollButton(HDC dc, const TRect& r, bool isLeft, int state) {
    DrawGroupImage(dc, r, isLeft ? rpgTabScrollButtonLeft : rpgTabScrollButtonRight, ScrollButtonImage(state));
}

void TdxCustomRibbonSkin::DrawGroupScrollButton(HDC dc, const TRect& r, bool isLeft, int state) {
    DrawGroupImage(dc, r, isLeft ? rpgGroupScrollButtonLeft : rpgGroupScrollButtonRight, ScrollButtonImage(state));
}

void TdxCustomRibbonSkin::DrawTabGroupsArea(HDC dc, const TRect& r) {
    if (LowColor())
        FrameAndFill(dc, r, clBtnFace, 15, clBtnShadow);
    else
        DrawGroupImage(dc, r, rpgTabGroupsArea, 0);
}

void TdxCustomRibbonSkin::DrawTabGroupBackground(HDC dc, const TRect& r, int state) {
    if (LowColor())
        FrameAndFill(dc, r, clBtnFace, 1 | 2 | 4, clBtnShadow);
    else
        DrawStrip(dc, r, rpgGroupBackground, state);
}

void TdxCustomRibbonSkin::DrawTabGroupHeaderBackground(HDC dc, const TRect& r, int state) {
    if (LowColor()) {
        const TRect line{r.left + 4, r.top, r.right - 4, r.top + 1};
        FillRectSolid(dc, line, clBtnShadow);
        ExcludeClipRect(dc, line.left, line.top, line.right, line.bottom);
        FrameAndFill(dc, r, clBtnFace, 1 | 4 | 8, clBtnShadow);
    } else {
        DrawStrip(dc, r, rpgGroupCaption, state);
    }
}

void TdxCustomRibbonSkin::DrawCollapsedGroup(HDC dc, const TRect& r, int state) {
    if (LowColor()) {
        DrawStrip(dc, r, rpgCollapsedGroup, state);
        return;
    }
    const bool hasImage = state == 0 || state == 2 || state == 3 || state == 4;
    DrawGroupImage(dc, r, rpgCollapsedGroup, hasImage ? state : 0);
}

void TdxCustomRibbonSkin::DrawCollapsedGroupGlyphBackground(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgCollapsedGroupGlyphFrame, state);
}

void TdxCustomRibbonSkin::DrawGroupLaunchButtonBackground(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgLaunchButtonBackground, state);
}

void TdxCustomRibbonSkin::DrawGroupLaunchButtonGlyph(HDC dc, const TRect& r, int state) {
    DrawStrip(dc, r, rpgLaunchGlyph, state);
}

// ---- quick access toolbar ------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawQuickAccessToolbar(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                                 bool hasApplicationButton, bool isActive, bool noGlass) {
    if (belowRibbon) {
        DrawGroupImage(dc, r, rpgQATBelowBackground, 0);
        return;
    }
    const int h = RectHeight(r) / 2;
    if (RectWidth(r) < 2 * h) return;
    const int image = ActivityImage(!(inCaption && !isActive));
    TdxRibbonPartGroup leftEnd = hasApplicationButton ? rpgQATCaptionAppButtonEnd : rpgQATCaptionLeftEnd;
    TdxRibbonPartGroup body = rpgQATCaptionBody;
    int leftImage = image, bodyImage = image;
    TRect left{r.left, r.top + 3, r.left + (hasApplicationButton ? 15 : 7), r.bottom - 4};
    if (inCaption) {
        if (IsDwmCompositionActive() && !noGlass) {
            // The glass pieces have one image only.
            leftEnd = hasApplicationButton ? rpgQATGlassAppButtonEnd : rpgQATGlassLeftEnd;
            body = rpgQATGlassBody;
            leftImage = bodyImage = 0;
        }
        OffsetRect(&left, 0, 1);
    }
    DrawGroupImage(dc, left, leftEnd, leftImage);
    DrawGroupImage(dc, TRect{left.right, left.top, r.right - h, left.bottom}, body, bodyImage);
}

void TdxCustomRibbonSkin::DrawQuickAccessToolbarGroupButton(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                                            bool captionActive, int state) {
    const bool inactive = belowRibbon || (inCaption && !captionActive);
    DrawStrip(dc, r, inactive ? rpgQATGroupButton : rpgQATGroupButtonActive, state);
}

void TdxCustomRibbonSkin::DrawQuickAccessToolbarGroupButtonGlyph(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clBtnFace);
    else
        DrawGroupImage(dc, r, rpgQATGroupButtonGlyph, 0);
}

void TdxCustomRibbonSkin::DrawQuickAccessToolbarPopup(HDC dc, const TRect& r) {
    if (LowColor())
        FillRectSolid(dc, r, clBtnFace);
    else
        DrawGroupImage(dc, r, rpgQATPopup, 0);
}

void TdxCustomRibbonSkin::DrawMarkArrow(HDC dc, const TRect& r, int state) {
    const int u = RectHeight(r) / 7;
    DrawStrip(dc, TRect{r.left + 3, r.top + 3 * u, r.right - 3, r.bottom - 2 * u}, rpgMarkArrow, state);
}

void TdxCustomRibbonSkin::DrawMarkTruncated(HDC dc, const TRect& r, int state) {
    const int u = RectHeight(r) / 7;
    DrawStrip(dc, TRect{r.left + u + 1, r.top + 3 * u, r.right - u + 1, r.bottom - 2 * u}, rpgMarkTruncated, state);
}

int TdxCustomRibbonSkin::QuickAccessToolbarMarkOffset(bool hasApplicationButton, bool belowRibbon) const {
    return belowRibbon ? 5 : 12;
}

int TdxCustomRibbonSkin::QuickAccessToolbarExtraWidth(bool hasApplicationButton, bool useGlass) const {
    return hasApplicationButton ? 14 : 0;
}

// ---- help and MDI buttons ------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawHelpButton(HDC dc, const TRect& r, int state) {
    if (state == 1)
        DrawButton(dc, r, resHot);
    else if (state == 2)
        DrawButton(dc, r, resPressed);
    else
        FillRectSolid(dc, r, PartColor(10065, 0));
}

void TdxCustomRibbonSkin::DrawHelpButtonGlyph(HDC dc, const TRect& r) {
    const int left = r.left + (RectWidth(r) - 16) / 2, top = r.top + (RectHeight(r) - 16) / 2;
    DrawGroupImage(dc, TRect{left, top, left + 16, top + 16}, rpgHelpGlyph, 0);
}

void TdxCustomRibbonSkin::DrawMDIButton(HDC dc, const TRect& r, int button, int state) { DrawHelpButton(dc, r, state); }

void TdxCustomRibbonSkin::DrawMDIButtonGlyph(HDC dc, const TRect& r, int button, int state) {
    static const TdxRibbonBorderIcon icons[] = {rbiMinimize, rbiRestore, rbiClose};
    if (button < 0 || button > 2) return;
    DrawBorderIconGlyph(dc, r, icons[button], state >= 1 && state <= 3 ? state : 0);
}

// ---- ribbon background ---------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawRibbonBackground(HDC dc, const TRect& r) { FillRectSolid(dc, r, PartColor(10065, 0)); }

// ---- galleries -----------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawInRibbonGalleryPane(HDC dc, const TRect& r, int state) {
    FrameAndFill(dc, r, PartColor(51, state), 15, PartColor(52, state));
}

void TdxCustomRibbonSkin::DrawInRibbonGalleryScrollButton(HDC dc, const TRect& r, int kind, int state) {
    static const TdxRibbonPartGroup groups[] = {rpgGalleryScrollUp, rpgGalleryScrollDown, rpgGalleryDropDown};
    if (kind >= 0 && kind <= 2) DrawStrip(dc, r, groups[kind], state);
}

void TdxCustomRibbonSkin::DrawDropDownGalleryBackground(HDC dc, const TRect& r) {
    FillRectSolid(dc, r, PartColor(56, 0));
}

void TdxCustomRibbonSkin::DrawDropDownGallerySizePanelTop(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgGallerySizePanelTop, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGallerySizePanelBottom(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgGallerySizePanelBottom, 0);
}

namespace {

// The grip is a square at the right end of g.
TRect SquareAtRight(TRect g) {
    g.left = g.right - RectHeight(g);
    return g;
}

// The vertical grip (18 x 7 at its natural size) at the height of r, centred across it.
TRect VerticalGripRect(const TRect& r) {
    const int width = RectHeight(r) * 18 / 7;
    const int left = r.left + (RectWidth(r) - width) / 2;
    return TRect{left, r.top, left + width, r.bottom};
}

}  // namespace

void TdxCustomRibbonSkin::DrawDropDownGallerySizeGripTop(HDC dc, const TRect& r) {
    DrawGroupImage(dc, SquareAtRight(TRect{r.left, r.top + 1, r.right - 2, r.bottom - 3}), rpgGallerySizeGripTop, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGallerySizeGripBottom(HDC dc, const TRect& r) {
    DrawGroupImage(dc, SquareAtRight(TRect{r.left, r.top + 3, r.right - 2, r.bottom - 1}), rpgGallerySizeGripBottom, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGalleryVerticalSizeGripTop(HDC dc, const TRect& r) {
    DrawGroupImage(dc, VerticalGripRect(TRect{r.left, r.top, r.right, r.bottom - 1}), rpgGalleryVerticalSizeGrip, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGalleryVerticalSizeGripBottom(HDC dc, const TRect& r) {
    DrawGroupImage(dc, VerticalGripRect(TRect{r.left, r.top + 1, r.right, r.bottom}), rpgGalleryVerticalSizeGrip, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGalleryFilterPanel(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgGalleryFilterPanel, 0);
}

void TdxCustomRibbonSkin::DrawDropDownGalleryGroupHeader(HDC dc, const TRect& r) {
    DrawGroupImage(dc, r, rpgGalleryGroupHeader, 0);
}
