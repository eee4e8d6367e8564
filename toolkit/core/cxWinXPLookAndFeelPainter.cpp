// Every operation opens the theme of its kind of object and draws a part in a state; when the
// theme cannot be opened, the operation falls back to the standard painter (the base one where
// the standard painter has nothing of its own).
//
// Sections: parts, states and theme helpers · colours and borders · buttons · check and radio
// boxes · headers and footers · small buttons and tabs · scroll bars, indicators and grips ·
// calendar, progress, navigation and panels · themed text.

#include "cxWinXPLookAndFeelPainter.h"

#include "cxBitmap.h"
#include "cxFlatLookAndFeelPainter.h"
#include "cxImageStates.h"
#include "cxTextMeasuring.h"
#include "cxUltraFlatLookAndFeelPainter.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"

namespace {

// ---- parts, states and theme helpers -------------------------------------------------------

// Parts of the theme classes.
enum : int {
    xpPushButton = 1,
    xpRadioButton = 2,
    xpCheckBox = 3,  // Button
    xpArrowButton = 1,
    xpThumbHorz = 2,
    xpThumbVert = 3,
    xpLowerTrackHorz = 4,
    xpUpperTrackHorz = 5,
    xpLowerTrackVert = 6,
    xpUpperTrackVert = 7,
    xpGripperHorz = 8,
    xpGripperVert = 9,
    xpSizeBox = 10,  // ScrollBar
    xpHeaderItem = 1,
    xpHeaderItemRight = 3,  // Header
    xpTreeGlyph = 2,        // TreeView
    xpChevronExpanded = 6,
    xpChevronCollapsed = 7,  // ExplorerBar
    xpListViewBorder = 5,    // ListView
    xpSmallClose = 19,       // Window
    xpDropDownButton = 1,    // ComboBox
    xpTabItem = 1,
    xpTabPane = 9,     // Tab
    xpToolButton = 1,  // ToolBar
    xpTrack = 1,       // TrackBar
    xpProgressBar = 1,
    xpProgressChunk = 3,  // Progress
};
// Theme properties.
constexpr int xpBorderColor = 3801, xpTextColor = 3803, xpButtonFaceColor = 204;
// Sizes of a part.
constexpr int xpMinSize = 0, xpTrueSize = 1;

// Button states (default, normal, hot, pressed, disabled) to theme states.
constexpr int kXpPushButtonStates[] = {5, 1, 2, 3, 4};
constexpr int kXpPlainStates[] = {1, 1, 2, 3, 4};
constexpr int kXpHeaderStates[] = {1, 1, 2, 3, 1};
constexpr int kXpNavigatorStates[] = {2, 2, 5, 3, 4};
constexpr int kXpChevronStates[] = {1, 1, 2, 3, 1};
int XpPushButtonState(TcxButtonState s) { return kXpPushButtonStates[s]; }
int XpPlainState(TcxButtonState s) { return kXpPlainStates[s]; }
int XpHeaderState(TcxButtonState s) { return kXpHeaderStates[s]; }
int XpNavigatorState(TcxButtonState s) { return kXpNavigatorStates[s]; }
int XpChevronState(TcxButtonState s) { return kXpChevronStates[s]; }
int XpArrowState(TcxButtonState s, TcxArrowDirection d) { return XpPlainState(s) + 4 * int(d); }

HTHEME XpTheme(TdxThemedObjectType type) { return GetThemeHandle(type); }
HDC XpScreenDC() { return SharedScreenCanvas()->GetCanvasHandle(); }

void XpDraw(TcxCanvas* canvas, HTHEME theme, int part, int state, const TRect& r, const TRect* clip = nullptr) {
    DrawThemeBackground(theme, canvas->GetCanvasHandle(), part, state, &r, clip);
}

// The content rect of a part within bounds.
bool XpContentRect(HTHEME theme, int part, int state, const TRect& bounds, TRect& content) {
    return SUCCEEDED(GetThemeBackgroundContentRect(theme, XpScreenDC(), part, state, &bounds, &content));
}

// The offsets of a part's content within a 100 x 100 rect: left, top, right, bottom.
bool XpContentOffsets(HTHEME theme, int part, int state, TRect& offsets) {
    TRect content{};
    if (!XpContentRect(theme, part, state, TRect{0, 0, 100, 100}, content)) return false;
    offsets = TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
    return true;
}

bool XpPartSize(HTHEME theme, int part, int state, int sizeKind, TSize& size) {
    return SUCCEEDED(GetThemePartSize(theme, XpScreenDC(), part, state, nullptr, sizeKind, &size));
}

bool XpColor(HTHEME theme, int part, int state, int property, TColor& color) {
    COLORREF value = 0;
    if (FAILED(GetThemeColor(theme, part, state, property, &value))) return false;
    color = TColor(value);
    return true;
}

using TStandard = TcxStandardLookAndFeelPainter;
using TBase = TcxCustomLookAndFeelPainter;

}  // namespace

const TcxWinXPLookAndFeelPainter* TcxWinXPLookAndFeelPainter::Instance() {
    static const TcxWinXPLookAndFeelPainter painter;
    return &painter;
}

// ---- colours and borders -------------------------------------------------------------------

TcxLookAndFeelStyle TcxWinXPLookAndFeelPainter::PainterStyleCode() const { return lfsNative; }

TColor TcxWinXPLookAndFeelPainter::SchedulerBorderColor() const {
    TColor color = TStandard::SchedulerBorderColor();
    if (HTHEME theme = XpTheme(totComboBox)) XpColor(theme, xpDropDownButton, 1, xpBorderColor, color);
    return color;
}

TColor TcxWinXPLookAndFeelPainter::SchedulerViewColor() const { return TColor(0xD5FFFF); }

void TcxWinXPLookAndFeelPainter::DrawArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                 TcxArrowDirection direction, bool framedFace) const {
    if (HTHEME theme = XpTheme(totScrollBar))
        XpDraw(canvas, theme, xpArrowButton, XpArrowState(state, direction), r);
    else
        TBase::DrawArrowButton(canvas, r, state, direction, framedFace);
}

void TcxWinXPLookAndFeelPainter::DrawArrowButtonFace(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    if (HTHEME theme = XpTheme(totButton))
        XpDraw(canvas, theme, xpPushButton, XpPushButtonState(state), r);
    else
        TBase::DrawArrowButtonFace(canvas, r, state);
}

int TcxWinXPLookAndFeelPainter::BorderWidth() const { return XpTheme(totListView) ? 1 : TStandard::BorderWidth(); }

void TcxWinXPLookAndFeelPainter::DrawControlBorder(TcxCanvas* canvas, const TRect& r) const {
    HTHEME theme = XpTheme(totListView);
    if (!theme) {
        TStandard::DrawControlBorder(canvas, r);
        return;
    }
    canvas->PushDC();
    canvas->ExcludeRectFromClip(InflateRectSides(r, -1, -1, -1, -1));
    XpDraw(canvas, theme, xpListViewBorder, 0, r);
    canvas->PopDC();
}

TRect TcxWinXPLookAndFeelPainter::AdjustButtonRectInGroup(const TRect& r, int buttonCount, int buttonIndex) const {
    TRect result = TStandard::AdjustButtonRectInGroup(r, buttonCount, buttonIndex);
    HTHEME theme = XpTheme(totButton);
    if (theme && IsThemeBackgroundPartiallyTransparent(theme, xpPushButton, 1))
        result = InflateRectSides(result, 1, 1, 1, 1);
    return result;
}

// ---- buttons -------------------------------------------------------------------------------

int TcxWinXPLookAndFeelPainter::ButtonBorderWidth(TcxButtonState state) const {
    TRect offsets{};
    HTHEME theme = XpTheme(totButton);
    if (theme && XpContentOffsets(theme, xpPushButton, XpPushButtonState(state), offsets)) return offsets.left;
    return TStandard::ButtonBorderWidth(cxbsNormal);
}

// The themes define no face colour for push buttons: the button face stays unless one answers.
TColor TcxWinXPLookAndFeelPainter::ButtonFaceColor(TcxButtonState state) const {
    TColor color = TBase::ButtonFaceColor(state);
    if (HTHEME theme = XpTheme(totButton))
        XpColor(theme, xpPushButton, XpPushButtonState(state), xpButtonFaceColor, color);
    return color;
}

TRect TcxWinXPLookAndFeelPainter::ButtonFocusRectangle(TcxCanvas* canvas, const TRect& r) const {
    TRect content{};
    HTHEME theme = XpTheme(totButton);
    if (theme && XpContentRect(theme, xpPushButton, 1, r, content)) return content;
    return TBase::ButtonFocusRectangle(canvas, r);
}

TRect TcxWinXPLookAndFeelPainter::ButtonGroupBorders(int buttonCount, int buttonIndex) const {
    TRect offsets{};
    HTHEME theme = XpTheme(totButton);
    if (!theme || !XpContentOffsets(theme, xpPushButton, 1, offsets))
        return TBase::ButtonGroupBorders(buttonCount, buttonIndex);
    if (IsThemeBackgroundPartiallyTransparent(theme, xpPushButton, 1))
        offsets = TRect{offsets.left - 1, offsets.top - 1, offsets.right - 1, offsets.bottom - 1};
    return offsets;
}

TColor TcxWinXPLookAndFeelPainter::ButtonGlyphColor(TcxButtonState state, TColor defaultColor) const {
    TColor color;
    HTHEME theme = XpTheme(totButton);
    if (theme && XpColor(theme, xpPushButton, XpPushButtonState(state), xpTextColor, color)) return color;
    return TBase::ButtonGlyphColor(state, defaultColor);
}

int TcxWinXPLookAndFeelPainter::ButtonTextMargin() const { return 2; }
int TcxWinXPLookAndFeelPainter::ButtonPressedTextShift() const { return 0; }

void TcxWinXPLookAndFeelPainter::DrawCaptionButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                   const String& caption, bool withBorder, TColor faceColor,
                                                   TColor textColor, bool wordWrap, TcxCaptionButtonKind kind) const {
    HTHEME theme = XpTheme(kind == cbkToolButton ? totToolBar : totButton);
    if (!theme) {
        TBase::DrawCaptionButton(canvas, r, state, caption, withBorder, faceColor, textColor, wordWrap, kind);
        return;
    }
    const int part = kind == cbkToolButton ? xpToolButton : xpPushButton, themeState = XpPushButtonState(state);
    XpDraw(canvas, theme, part, themeState, r);
    if (caption.empty()) return;
    canvas->RequireTools(true, false);
    DrawThemeText(theme, canvas->GetCanvasHandle(), part, themeState, caption.c_str(), int(caption.size()),
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &r);
}

void TcxWinXPLookAndFeelPainter::DrawPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor color,
                                                     bool expanded) const {
    HTHEME theme = XpTheme(totTreeView);
    if (!theme) {
        TStandard::DrawPlusMinusButton(canvas, r, color, expanded);
        return;
    }
    XpDraw(canvas, theme, xpTreeGlyph, expanded ? 2 : 1, r);
    canvas->ExcludeRectFromClip(r);
}

bool TcxWinXPLookAndFeelPainter::IsPlusMinusDrawnFirst() const { return false; }

void TcxWinXPLookAndFeelPainter::DrawGroupChevronButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                        bool expanded) const {
    if (HTHEME theme = XpTheme(totExplorerBar))
        XpDraw(canvas, theme, expanded ? xpChevronExpanded : xpChevronCollapsed, XpChevronState(state), r);
    else
        TStandard::DrawGroupChevronButton(canvas, r, state, expanded);
}

void TcxWinXPLookAndFeelPainter::DrawSmallPlusMinusButton(TcxCanvas* canvas, const TRect& r, TColor borderColor,
                                                          TColor faceColor, bool expanded) const {
    if (XpTheme(totTreeView))
        DrawPlusMinusButton(canvas, r, clDefault, expanded);
    else
        TBase::DrawSmallPlusMinusButton(canvas, r, borderColor, faceColor, expanded);
}

int TcxWinXPLookAndFeelPainter::PlusMinusButtonSize() const {
    TSize size{};
    HTHEME theme = XpTheme(totTreeView);
    if (theme && XpPartSize(theme, xpTreeGlyph, 1, xpTrueSize, size)) return size.cx;
    return TStandard::PlusMinusButtonSize();
}

int TcxWinXPLookAndFeelPainter::GroupChevronButtonSize() const {
    TSize size{};
    HTHEME theme = XpTheme(totExplorerBar);
    if (theme && XpPartSize(theme, xpChevronCollapsed, 1, xpTrueSize, size)) return size.cx;
    return TBase::GroupChevronButtonSize();
}

int TcxWinXPLookAndFeelPainter::SmallPlusMinusButtonSize() const {
    return XpTheme(totTreeView) ? PlusMinusButtonSize() : TBase::SmallPlusMinusButtonSize();
}

bool TcxWinXPLookAndFeelPainter::SupportsButtonHotTrack() const { return true; }

bool TcxWinXPLookAndFeelPainter::IsPointInGroupChevronButton(const TRect& r, const TPoint& p) const {
    HTHEME theme = XpTheme(totExplorerBar);
    HRGN region = nullptr;
    if (!theme || FAILED(GetThemeBackgroundRegion(theme, XpScreenDC(), xpChevronCollapsed, 1, &r, &region)) || !region)
        return TBase::IsPointInGroupChevronButton(r, p);
    bool inside = PtInRegion(region, p.x, p.y) != FALSE;
    DeleteObject(region);
    return inside;
}

// ---- check and radio boxes -----------------------------------------------------------------

int TcxWinXPLookAndFeelPainter::CheckBoxBorderWidth() const {
    return XpTheme(totButton) ? 0 : TStandard::CheckBoxBorderWidth();
}

TSize TcxWinXPLookAndFeelPainter::CheckBoxSize() const {
    TSize size{};
    HTHEME theme = XpTheme(totButton);
    if (theme && XpPartSize(theme, xpCheckBox, 1, xpTrueSize, size)) return size;
    return TStandard::CheckBoxSize();
}

void TcxWinXPLookAndFeelPainter::DrawCheckMark(TcxCanvas* canvas, const TRect& r, TcxButtonState state, bool drawMark,
                                               TColor color) const {
    if (HTHEME theme = XpTheme(totButton))
        XpDraw(canvas, theme, xpCheckBox, XpPlainState(state) + (drawMark ? 4 : 0), r);
    else
        TStandard::DrawCheckMark(canvas, r, state, drawMark, color);
}

void TcxWinXPLookAndFeelPainter::DrawCheckBoxBorder(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    if (!XpTheme(totButton)) TStandard::DrawCheckBoxBorder(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::DrawRadioButton(TcxCanvas* canvas, int x, int y, TcxButtonState state, bool checked,
                                                 bool focused, bool emphasized, TColor backgroundColor) const {
    HTHEME theme = XpTheme(totButton);
    if (!theme) {
        TBase::DrawRadioButton(canvas, x, y, state, checked, focused, emphasized, backgroundColor);
        return;
    }
    TSize size = RadioButtonImageSize();
    TRect r{x, y, x + size.cx, y + size.cy};
    if (backgroundColor != clDefault) FillRectColor(canvas, r, backgroundColor);
    XpDraw(canvas, theme, xpRadioButton, XpPlainState(state) + (checked ? 4 : 0), r);
}

TSize TcxWinXPLookAndFeelPainter::RadioButtonImageSize() const {
    TSize size{};
    HTHEME theme = XpTheme(totButton);
    if (theme && XpPartSize(theme, xpRadioButton, 1, xpTrueSize, size)) return size;
    return TBase::RadioButtonImageSize();
}

// ---- headers and footers -------------------------------------------------------------------

// The right-end part suits the last item only under the blue and olive schemes.
void TcxWinXPLookAndFeelPainter::DrawHeaderCell(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                bool showEndEllipsis, const String& text, TFont* font, TColor textColor,
                                                TColor backgroundColor, const TcxDrawBackgroundEvent& onDrawBackground,
                                                bool isLast, bool isGroup) const {
    HTHEME theme = XpTheme(totHeader);
    if (!theme) {
        TStandard::DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz, alignVert,
                                  multiLine, showEndEllipsis, text, font, textColor, backgroundColor, onDrawBackground,
                                  isLast, isGroup);
        return;
    }
    const int themeState = XpHeaderState(state);
    const Byte scheme = Office11Scheme();
    const int part = isLast && themeState == 1 && (scheme == 1 || scheme == 2) ? xpHeaderItemRight : xpHeaderItem;
    XpDraw(canvas, theme, part, themeState, bounds);
    DrawThemedTextContent(canvas, state == cxbsPressed ? ShiftRect(textBounds, 1, 1) : textBounds, theme, part,
                          themeState, text, font, textColor, alignHorz, alignVert, multiLine, showEndEllipsis, false);
}

void TcxWinXPLookAndFeelPainter::InvertHeaderRect(TcxCanvas*, const TRect&) const {}

void TcxWinXPLookAndFeelPainter::DrawHeaderSection(TcxCanvas* canvas, const TRect& bounds, const TRect& textBounds,
                                                   TcxButtonState state, TcxNeighbors neighbors, TcxBorders borders,
                                                   TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                   bool showEndEllipsis, const String& text, TFont* font,
                                                   TColor textColor, TColor backgroundColor) const {
    FillRectColor(canvas, bounds, clBtnFace);
    DrawHeaderCell(canvas, bounds, textBounds, state, neighbors, borders, alignHorz, alignVert, multiLine,
                   showEndEllipsis, text, font, textColor, backgroundColor);
}

void TcxWinXPLookAndFeelPainter::DrawSortMark(TcxCanvas* canvas, const TRect& r, bool ascending) const {
    TcxUltraFlatLookAndFeelPainter::Instance()->DrawSortMark(canvas, r, ascending);
}

TSize TcxWinXPLookAndFeelPainter::SortMarkSize() const {
    return TcxUltraFlatLookAndFeelPainter::Instance()->SortMarkSize();
}

int TcxWinXPLookAndFeelPainter::HeaderBorderWidth() const {
    TRect offsets{};
    HTHEME theme = XpTheme(totHeader);
    if (theme && XpContentOffsets(theme, xpHeaderItem, 1, offsets))
        return std::max(1, int((offsets.left + offsets.top) / 2));
    return TStandard::HeaderBorderWidth();
}

int TcxWinXPLookAndFeelPainter::HeaderSectionBorderWidth(TcxButtonState) const { return HeaderBorderWidth(); }

TRect TcxWinXPLookAndFeelPainter::HeaderSectionContentBounds(const TRect& bounds, TcxButtonState) const {
    int w = HeaderBorderWidth();
    return InflateRectSides(bounds, -w, -w, -w, -w);
}

bool TcxWinXPLookAndFeelPainter::SupportsHeaderHotTrack() const { return true; }

void TcxWinXPLookAndFeelPainter::DrawFooterBorder(TcxCanvas* canvas, const TRect& r) const {
    if (HTHEME theme = XpTheme(totEdit))
        DrawThemeEdge(theme, canvas->GetCanvasHandle(), 0, 0, &r, BDR_RAISEDINNER, BF_RECT, nullptr);
    else
        TStandard::DrawFooterBorder(canvas, r);
}

void TcxWinXPLookAndFeelPainter::DrawFooterCell(TcxCanvas* canvas, const TRect& r, TAlignment alignHorz,
                                                TcxAlignmentVert alignVert, bool multiLine, const String& text,
                                                TFont* font, TColor textColor, TColor backgroundColor,
                                                const TcxDrawBackgroundEvent& onDrawBackground) const {
    HTHEME theme = XpTheme(totTrackBar);
    if (!theme) {
        TStandard::DrawFooterCell(canvas, r, alignHorz, alignVert, multiLine, text, font, textColor, backgroundColor,
                                  onDrawBackground);
        return;
    }
    XpDraw(canvas, theme, xpTrack, 1, r);
    DrawThemedTextContent(canvas, FooterCellTextBounds(r), theme, xpTrack, 1, text, font, textColor, alignHorz,
                          alignVert, multiLine, false, false);
}

int TcxWinXPLookAndFeelPainter::FooterBorderWidth() const { return 1; }

int TcxWinXPLookAndFeelPainter::FooterCellBorderWidth() const {
    TRect offsets{};
    HTHEME theme = XpTheme(totTrackBar);
    if (theme && XpContentOffsets(theme, xpTrack, 1, offsets)) return offsets.left;
    return TStandard::FooterCellBorderWidth();
}

int TcxWinXPLookAndFeelPainter::FooterCellSpacing() const { return 1; }
bool TcxWinXPLookAndFeelPainter::IsFooterCellDrawnFirst() const { return false; }

// ---- small buttons and tabs ----------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state) const {
    if (HTHEME theme = XpTheme(totWindow))
        XpDraw(canvas, theme, xpSmallClose, XpPlainState(state), r);
    else
        TStandard::DrawSmallCloseButton(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::DrawFilterArrowButton(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                       bool active) const {
    if (HTHEME theme = XpTheme(totComboBox))
        XpDraw(canvas, theme, xpDropDownButton, XpPlainState(state), r);
    else
        TStandard::DrawFilterArrowButton(canvas, r, state, active);
}

TSize TcxWinXPLookAndFeelPainter::FilterActivateButtonExtent() const {
    TSize size{};
    HTHEME theme = XpTheme(totButton);
    if (theme && XpPartSize(theme, xpCheckBox, 1, xpTrueSize, size)) return size;
    return TStandard::FilterActivateButtonExtent();
}

TSize TcxWinXPLookAndFeelPainter::SmallCloseButtonSize() const {
    TSize size{};
    HTHEME theme = XpTheme(totWindow);
    if (theme && XpPartSize(theme, xpSmallClose, 1, xpTrueSize, size)) return TSize{size.cx + 4, size.cy + 4};
    return TStandard::SmallCloseButtonSize();
}

void TcxWinXPLookAndFeelPainter::DrawTabItem(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                             const String& text, TFont* font, TColor textColor, TColor backgroundColor,
                                             bool vertical, bool showPrefix, TcxBorders borders) const {
    HTHEME theme = XpTheme(totTab);
    if (!theme) {
        TStandard::DrawTabItem(canvas, r, state, text, font, textColor, backgroundColor, vertical, showPrefix, borders);
        return;
    }
    const int themeState = XpPlainState(state);
    const bool selected = state == cxbsPressed;
    // Worked out as for a horizontal tab; a vertical one is drawn in a turned bitmap.
    TRect tab = vertical ? TransposeRect(r) : r;
    TRect themed = tab, clip = tab;
    if (!borders.Contains(vertical ? bTop : bLeft)) themed.left -= 2;
    if (!borders.Contains(vertical ? bBottom : bRight)) themed.right += 2;
    if (selected)
        ++themed.bottom;
    else
        --clip.bottom;
    if (!vertical) {
        XpDraw(canvas, theme, xpTabItem, themeState, themed, &clip);
    } else {
        TcxBitmap bitmap(RectWidth(r), RectHeight(r));
        bitmap.Canvas()->CopyRect(TRect{0, 0, RectWidth(r), RectHeight(r)}, canvas->Canvas(), r);
        bitmap.Rotate(1, true);  // mirrored: a transpose
        TPoint origin{tab.left, tab.top};
        TRect local = ShiftRect(themed, -origin.x, -origin.y), localClip = ShiftRect(clip, -origin.x, -origin.y);
        XpDraw(bitmap.cxCanvas(), theme, xpTabItem, themeState, local, &localClip);
        bitmap.Rotate(1, true);
        canvas->Canvas()->CopyRect(r, bitmap.Canvas(), TRect{0, 0, RectWidth(r), RectHeight(r)});
    }
    TRect textRect = r;
    if (selected) (vertical ? textRect.right : textRect.bottom) -= 2;
    DrawThemedTextContent(canvas, textRect, theme, xpTabItem, themeState, text, font, textColor, taCenter, vaCenter,
                          false, false, showPrefix);
}

void TcxWinXPLookAndFeelPainter::DrawTabFrame(TcxCanvas* canvas, const TRect& r, bool vertical, TcxBorders borders,
                                              int side) const {
    if (!XpTheme(totTab)) TStandard::DrawTabFrame(canvas, r, vertical, borders, side);
}

// The pane's edge: the pane is drawn in a rect reaching beyond the strip, clipped to the strip.
void TcxWinXPLookAndFeelPainter::DrawTabStrip(TcxCanvas* canvas, const TRect& r, bool vertical,
                                              TcxBorders borders) const {
    HTHEME theme = XpTheme(totTab);
    if (!theme) {
        TStandard::DrawTabStrip(canvas, r, vertical, borders);
        return;
    }
    TRect margins{};
    XpContentOffsets(theme, xpTabPane, 0, margins);
    TRect pane = vertical ? TRect{r.left, r.top - margins.top, r.right + 10, r.bottom + margins.bottom}
                          : TRect{r.left - margins.left, r.top, r.right + margins.right, r.bottom + 10};
    XpDraw(canvas, theme, xpTabPane, 0, pane, &r);
}

bool TcxWinXPLookAndFeelPainter::IsTabDrawingSupported(bool vertical) const {
    return XpTheme(totTab) ? true : TStandard::IsTabDrawingSupported(vertical);
}

bool TcxWinXPLookAndFeelPainter::SupportsTabHotTrack(bool vertical) const {
    return XpTheme(totTab) ? true : TStandard::SupportsTabHotTrack(vertical);
}

int TcxWinXPLookAndFeelPainter::TabBorderWidth(bool) const { return 1; }

// ---- scroll bars, indicators and grips -----------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* canvas, const TRect& r, TcxIndicatorKind kind,
                                                   TColor backgroundColor,
                                                   const TcxDrawBackgroundEvent& onDrawBackground) const {
    TcxFlatLookAndFeelPainter::Instance()->DrawIndicatorItem(canvas, r, kind, backgroundColor, onDrawBackground);
}

int TcxWinXPLookAndFeelPainter::ScrollBarMinThumbSize(bool horizontal) const {
    HTHEME theme = XpTheme(totScrollBar);
    const int part = horizontal ? xpGripperVert : xpGripperHorz;
    TSize minimum{}, actual{};
    if (!theme || !XpPartSize(theme, part, 1, xpMinSize, minimum)) return 8;
    int size = horizontal ? minimum.cx : minimum.cy;
    if (XpPartSize(theme, part, 1, xpTrueSize, actual))
        size = std::max(size, int(horizontal ? actual.cx : actual.cy) + 4);
    return std::max(size, 8);
}

void TcxWinXPLookAndFeelPainter::DrawScrollBarElement(TcxCanvas* canvas, const TRect& r, TcxButtonState state,
                                                      bool horizontal, TcxScrollBarPart part) const {
    if (IsRectEmpty(&r)) return;
    HTHEME theme = XpTheme(totScrollBar);
    if (!theme) {
        TStandard::DrawScrollBarElement(canvas, r, state, horizontal, part);
        return;
    }
    switch (part) {
        case sbpLineUp:
        case sbpLineDown:
            DrawArrowButton(canvas, r, state, ScrollBarArrowDirection(horizontal, part), true);
            break;
        case sbpThumbnail:
            XpDraw(canvas, theme, horizontal ? xpThumbHorz : xpThumbVert, XpPlainState(state), r);
            XpDraw(canvas, theme, horizontal ? xpGripperHorz : xpGripperVert, 0, r);
            break;
        case sbpPageUp:
            XpDraw(canvas, theme, horizontal ? xpLowerTrackHorz : xpLowerTrackVert, XpPlainState(state), r);
            break;
        case sbpPageDown:
            XpDraw(canvas, theme, horizontal ? xpUpperTrackHorz : xpUpperTrackVert, XpPlainState(state), r);
            break;
        default:
            break;
    }
}

void TcxWinXPLookAndFeelPainter::DrawSizeGripArea(TcxCanvas* canvas, const TRect& r, TColor color) const {
    HTHEME theme = XpTheme(totScrollBar);
    if (!theme) {
        TStandard::DrawSizeGripArea(canvas, r, color);
        return;
    }
    FillRectColor(canvas, r, color);
    XpDraw(canvas, theme, xpSizeBox, 1, r);
}

// ---- calendar, progress, navigation and panels ---------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawCalendarHeader(TcxCanvas* canvas, const TRect& r, const String& text,
                                                    TcxNeighbors neighbors, const TcxViewParams& viewParams,
                                                    TcxHeaderArrows arrows, int arrowOffset,
                                                    const TcxDrawBackgroundEvent& onDrawBackground) const {
    DrawHeaderCell(canvas, r, r, cxbsNormal, neighbors, cxBordersAll, taCenter, vaCenter, false, false, text,
                   viewParams.font, viewParams.textColor, viewParams.color, onDrawBackground,
                   !neighbors.Contains(nRight));
    DrawHeaderSideArrows(canvas, r, clWindowText, arrowOffset, arrows);
}

void TcxWinXPLookAndFeelPainter::DrawProgressIndicator(TcxCanvas* canvas, const TRect& r, const TRect& doneRect,
                                                       bool transparent, TColor backgroundColor) const {
    HTHEME theme = XpTheme(totProgress);
    if (!theme) {
        TStandard::DrawProgressIndicator(canvas, r, doneRect, transparent, backgroundColor);
        return;
    }
    XpDraw(canvas, theme, xpProgressBar, 1, r);
    XpDraw(canvas, theme, xpProgressChunk, 1, doneRect);
}

TRect TcxWinXPLookAndFeelPainter::ProgressIndicatorMargins() const { return TRect{3, 3, 3, 3}; }

void TcxWinXPLookAndFeelPainter::DrawNavigatorPushButton(TcxCanvas* canvas, const TRect& r,
                                                         TcxButtonState state) const {
    if (HTHEME theme = XpTheme(totToolBar))
        XpDraw(canvas, theme, xpToolButton, XpNavigatorState(state), r);
    else
        TStandard::DrawNavigatorPushButton(canvas, r, state);
}

// A sideways tab: drawn upright in a turned copy of the area, then turned back.
void TcxWinXPLookAndFeelPainter::DrawNavigationButtonContent(TcxCanvas* canvas, const TRect& r, const TRect& arrowRect,
                                                             TcxButtonState state, bool isNext) const {
    HTHEME theme = XpTheme(totTab);
    if (!theme) {
        TStandard::DrawNavigationButtonContent(canvas, r, arrowRect, state, isNext);
        return;
    }
    const int w = RectWidth(r), h = RectHeight(r);
    TcxBitmap bitmap(w, h);
    bitmap.Canvas()->CopyRect(TRect{0, 0, w, h}, canvas->Canvas(), r);
    bitmap.Rotate(isNext ? 2 : 1);
    XpDraw(bitmap.cxCanvas(), theme, xpTabItem, XpPlainState(state), TRect{0, 0, h, w});
    bitmap.Rotate(isNext ? 1 : 2);
    canvas->Canvas()->CopyRect(r, bitmap.Canvas(), TRect{0, 0, w, h});
    DrawNavigationArrow(canvas, arrowRect, ButtonGlyphColor(state), isNext);
}

void TcxWinXPLookAndFeelPainter::DrawSplitterBorder(TcxCanvas* canvas, const TRect& r, bool horizontal,
                                                    const TcxViewParams& background) const {
    HTHEME comboBox = XpTheme(totComboBox);
    if (!XpTheme(totListView) || !comboBox) {
        TStandard::DrawSplitterBorder(canvas, r, horizontal, background);
        return;
    }
    TColor line = clBtnShadow;
    XpColor(comboBox, xpDropDownButton, 1, xpBorderColor, line);
    canvas->FrameRectBorders(r, line, 1, horizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
    FillViewParams(canvas, horizontal ? InflateRectSides(r, 1, -1, 1, -1) : InflateRectSides(r, -1, 1, -1, 1),
                   background);
}

void TcxWinXPLookAndFeelPainter::DrawPanelBackdrop(TcxCanvas* canvas, const TRect& r, TControl* control, TColor color1,
                                                   TColor) const {
    if (color1 == clDefault)
        DrawParentBackground(control, canvas, r);
    else
        FillRectColor(canvas, r, color1);
}

// ---- themed text ---------------------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawThemedTextContent(TcxCanvas* canvas, const TRect& textRect, HTHEME theme, int part,
                                                       int state, const String& text, TFont* font, TColor textColor,
                                                       TAlignment alignHorz, TcxAlignmentVert alignVert, bool multiLine,
                                                       bool showEndEllipsis, bool showPrefix) const {
    if (text.empty()) return;
    if (font) canvas->SetCanvasFont(font);
    if (textColor != clDefault) canvas->GetCanvasFont()->SetColor(textColor);
    TRect r = textRect;
    if (alignVert != vaTop) {
        TRect measured = r;
        canvas->CalcTextRect(text, measured, TextFlags(alignHorz, vaTop, multiLine, showEndEllipsis));
        int height = RectHeight(measured);
        r.top = alignVert == vaCenter ? (r.top + r.bottom - height) / 2 : r.bottom - height;
        r.bottom = r.top + height;
    }
    static const UINT horizontal[] = {0, DT_RIGHT, DT_CENTER};
    static const UINT vertical[] = {0, DT_BOTTOM, DT_VCENTER};
    UINT flags = horizontal[alignHorz] | vertical[alignVert] | DT_EDITCONTROL |
                 (multiLine ? DT_WORDBREAK : DT_SINGLELINE) | (showEndEllipsis ? DT_END_ELLIPSIS : 0) |
                 (showPrefix ? 0 : DT_NOPREFIX);
    canvas->RequireTools(true, false);
    DrawThemeText(theme, canvas->GetCanvasHandle(), part, state, text.c_str(), int(text.size()), flags, 0, &r);
}
