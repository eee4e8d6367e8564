#include "dxSkinsdxRibbonPainter.h"

#include <algorithm>
#include <memory>

#include "cxBitmap.h"
#include "cxDWMApi.h"
#include "cxImageStates.h"
#include "cxRegion.h"
#include "dxBarCanvas.h"
#include "dxBarSkin.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

TdxSkinsRibbonCacheManager* ribbonCache = nullptr;
TdxSkinsRibbonPainterManager* ribbonPainterManager = nullptr;

TdxSkinElementState MapState(int state, const TdxSkinElementState (&map)[9]) {
    return state >= 0 && state <= 8 ? map[state] : esNormal;
}

const TdxSkinElementState buttonStates[9] = {esNormal,  esDisabled, esHot,      esHot,           esPressed,
                                             esChecked, esChecked,  esHotCheck, esActiveDisabled};
const TdxSkinElementState buttonArrowStates[9] = {esNormal, esDisabled, esHot,    esActive, esNormal,
                                                  esNormal, esNormal,   esNormal, esNormal};

// The shared bar canvas begun on a DC for the life of the object: the DC's state, its clip
// included, comes back however the drawing ends.
class TSkinSchemeCanvasEntry {
public:
    explicit TSkinSchemeCanvasEntry(HDC dc) : canvas_(BarCanvasInstance()) { canvas_->BeginDraw(dc); }
    ~TSkinSchemeCanvasEntry() { canvas_->EndDraw(); }
    TSkinSchemeCanvasEntry(const TSkinSchemeCanvasEntry&) = delete;
    TSkinSchemeCanvasEntry& operator=(const TSkinSchemeCanvasEntry&) = delete;
    TdxBarCanvas* operator->() const { return canvas_; }
    TdxBarCanvas* Canvas() const { return canvas_; }

private:
    TdxBarCanvas* canvas_;
};

TRect SkinMarginsOf(TdxSkinElement* element) { return element->Image()->Margins()->Rect(); }
TRect SkinContentOffsetOf(TdxSkinElement* element) { return element->ContentOffset()->Rect(); }

TdxSkinElementState CaptionButtonState(int state) {
    static const TdxSkinElementState map[] = {esNormal, esHot, esPressed, esActive, esHot};
    return state >= 0 && state <= 4 ? map[state] : esNormal;
}

}  // namespace

// ---- the scheme ----------------------------------------------------------------------------

TdxSkinRibbonPainter::TdxSkinRibbonPainter(const String& skinName) : lookAndFeel_(new TcxLookAndFeel(nullptr)) {
    lookAndFeel_->SetNativeStyle(false);
    lookAndFeel_->SetSkinName(skinName);
}

TdxSkinRibbonPainter::~TdxSkinRibbonPainter() { delete lookAndFeel_; }

String TdxSkinRibbonPainter::GetName() const { return lookAndFeel_->SkinName(); }

String TdxSkinRibbonPainter::GetSkinName() const { return HasSkinPainter() ? lookAndFeel_->SkinName() : String(); }

bool TdxSkinRibbonPainter::HasSkinPainter() const {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    TcxLookAndFeelPainterClass painter = nullptr;
    // asked of the registry itself, so that a painter unregistered a moment ago is gone here
    // whatever order the registry's listeners are told in
    return registry && registry->GetPainterByName(lookAndFeel_->SkinName(), painter) && painter;
}

bool TdxSkinRibbonPainter::GetSkinInfo(TdxSkinInfo*& info) const {
    info = nullptr;
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    TcxLookAndFeelPainterClass painter = nullptr;
    if (!registry || !registry->GetPainterByName(lookAndFeel_->SkinName(), painter)) return false;
    TObject* data = nullptr;
    if (!registry->FindPainterData(painter, data)) return false;
    info = dynamic_cast<TdxSkinInfo*>(data);
    return info != nullptr;
}

void TdxSkinRibbonPainter::DrawElementClipped(HDC dc, const TRect& clipRect, int imageIndex, int clipOperation,
                                              TdxSkinElementState state, TdxSkinElement* element,
                                              const TRect& drawRect) const {
    if (!element) return;
    TSkinSchemeCanvasEntry canvas(dc);
    // the clip is given in the drawing's (logical) coordinates, as drawRect is
    canvas->ApplyClipRegion(TcxRegion::CreateFromRect(clipRect), clipOperation == 0 ? roSet : roIntersect);
    element->DrawInRect(canvas->GetCanvasHandle(), drawRect, imageIndex, state);
}

int TdxSkinRibbonPainter::ApplicationButtonIndent() const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info)) return 0;
    return info->RibbonFormAppButtonRightIndent + info->RibbonQATInRibbonBackgroundOffset + 10;
}

TdxSkinElementState TdxSkinRibbonPainter::ToElementState(int state) {
    static const TdxSkinElementState map[9] = {esNormal,  esDisabled, esHot,      esActive,        esPressed,
                                               esChecked, esChecked,  esHotCheck, esActiveDisabled};
    return MapState(state, map);
}

TdxSkinElementState TdxSkinRibbonPainter::AdjustLargeButtonState(TdxSkinElement* element, TdxSkinElementState state) {
    if (int(state) <= 15 && element->Image()->States().Contains(state)) return state;
    switch (state) {
        case esActive:
        case esHotCheck:
            return esHot;
        case esChecked:
        case esCheckPressed:
            return esPressed;
        case esActiveDisabled:
            return esDisabled;
        default:
            return state;
    }
}

void TdxSkinRibbonPainter::DrawFormCaption(HDC dc, const TRect& r, const FormPaintData& data) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonFormCaption) return TdxBlackRibbonSkin::DrawFormCaption(dc, r, data);
    ribbonCache->CaptionCache()->DrawEx(dc, info->RibbonFormCaption, r, esNormal, data.IsActive ? 0 : 1);
}

void TdxSkinRibbonPainter::DrawFormBorderIcon(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int state) {
    // icons minimize, maximize, restore, close, help; the info's buttons are help 1 to close 5
    static const int buttonOfIcon[] = {2, 3, 4, 5, 1};
    TdxSkinInfo* info;
    TdxSkinElement* button = GetSkinInfo(info) && icon >= rbiMinimize && icon <= rbiHelp
                                 ? info->FormButtons[dxSkinNormalCaption][buttonOfIcon[icon]]
                                 : nullptr;
    if (!button) return TdxBlackRibbonSkin::DrawFormBorderIcon(dc, r, icon, state);
    button->DrawInRect(dc, InflateRectSides(r, -1, -1, -1, -1), 0, CaptionButtonState(state));
}

TRect TdxSkinRibbonPainter::GetWindowBordersWidth(bool hasStatusBar) const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info)) return TdxBlackRibbonSkin::GetWindowBordersWidth(hasStatusBar);
    auto sizeOf = [](TdxSkinElement* e) { return e ? e->Size() : TSize{0, 0}; };
    return TRect{sizeOf(info->RibbonFormFrameLeft).cx, 0, sizeOf(info->RibbonFormFrameRight).cx,
                 hasStatusBar ? 1 : sizeOf(info->RibbonFormFrameBottom).cy};
}

void TdxSkinRibbonPainter::DrawRibbonTopFrameArea(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonFormCaption) return TdxBlackRibbonSkin::DrawRibbonTopFrameArea(dc, r);
    const TRect margins = info->RibbonFormCaption->Image()->Margins()->Rect();
    DrawElementClipped(dc, r, 0, 1, esNormal, info->RibbonFormCaption,
                       TRect{r.left - margins.left, r.top, r.right + margins.right, r.bottom});
}

void TdxSkinRibbonPainter::DrawApplicationButton(HDC dc, const TRect& r, int state) {
    static const TdxSkinElementState map[] = {esNormal, esHot, esPressed};
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonFormAppButton)
        return TdxBlackRibbonSkin::DrawApplicationButton(dc, r, state);
    info->RibbonFormAppButton->DrawInRect(dc, r, 0, state >= 0 && state <= 2 ? map[state] : esNormal);
}

TSize TdxSkinRibbonPainter::GetApplicationButtonSize() const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonFormAppButton) return TdxBlackRibbonSkin::GetApplicationButtonSize();
    return info->RibbonFormAppButton->Size();
}

void TdxSkinRibbonPainter::AdjustApplicationButtonGlyphRect(TRect& r) const {
    if (!HasSkinPainter()) TdxBlackRibbonSkin::AdjustApplicationButtonGlyphRect(r);
}

void TdxSkinRibbonPainter::DrawTab(HDC dc, const TRect& r, int state) {
    static const TdxSkinElementState map[] = {esNormal, esHot, esActive, esFocused, esFocused};
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonTab) return TdxBlackRibbonSkin::DrawTab(dc, r, state);
    info->RibbonTab->DrawInRect(dc, TRect{r.left + 1, r.top + 2, r.right - 1, r.bottom}, 0,
                                state >= 0 && state <= 4 ? map[state] : esNormal);
}

void TdxSkinRibbonPainter::DrawTabGroupBackground(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonTabGroup) return TdxBlackRibbonSkin::DrawTabGroupBackground(dc, r, state);
    ribbonCache->GroupCaches()->DrawElement(dc, info->RibbonTabGroup, r, state == 2 ? esHot : esNormal, 0);
}

void TdxSkinRibbonPainter::DrawButton(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButton) return TdxBlackRibbonSkin::DrawButton(dc, r, state);
    ribbonCache->ButtonCache()->DrawEx(dc, info->RibbonButton, r, MapState(state, buttonStates), 0);
}

void TdxSkinRibbonPainter::DrawLargeButton(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonLargeButton) return TdxBlackRibbonSkin::DrawLargeButton(dc, r, state);
    info->RibbonLargeButton->DrawInRect(dc, r, 0,
                                        AdjustLargeButtonState(info->RibbonLargeButton, ToElementState(state)));
}

void TdxSkinRibbonPainter::DrawButtonArrow(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButtonArrow) return TdxBlackRibbonSkin::DrawButtonArrow(dc, r, state);
    info->RibbonButtonArrow->DrawInRect(dc, r, 0, MapState(state, buttonArrowStates));
}

void TdxSkinRibbonPainter::DrawButtonGroupSeparator(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButtonGroupSeparator)
        return TdxBlackRibbonSkin::DrawButtonGroupSeparator(dc, r, state);
    info->RibbonButtonGroupSeparator->DrawInRect(dc, r, 0, ToElementState(state));
}

void TdxSkinRibbonPainter::DrawFormBorders(HDC dc, const TRect& bordersWidth, int captionHeight,
                                           const FormPaintData& data) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info)) return TdxBlackRibbonSkin::DrawFormBorders(dc, bordersWidth, captionHeight, data);
    const TRect& f = data.FormBounds;
    const bool dialog = data.IsDialogFrame();
    TdxSkinElement* const frames[4] = {dialog ? info->RibbonDialogFrameLeft : info->RibbonFormFrameLeft,
                                       info->RibbonFormCaption,
                                       dialog ? info->RibbonDialogFrameRight : info->RibbonFormFrameRight,
                                       dialog ? info->RibbonDialogFrameBottom : info->RibbonFormFrameBottom};
    const int t = bordersWidth.top + captionHeight;
    const TRect sides[4] = {
        {f.left, t, f.left + bordersWidth.left, f.bottom},
        {f.left, f.top, f.right, t},
        {f.right - bordersWidth.right, t, f.right, f.bottom},
        {f.left + 4, f.bottom - bordersWidth.bottom, f.right - 4, f.bottom},
    };
    TSkinSchemeCanvasEntry canvas(dc);
    canvas->PushClipRegion();
    canvas->ExcludeRectFromClip(TRect{f.left + bordersWidth.left, f.top + bordersWidth.top,
                                      f.right - bordersWidth.right, f.bottom - bordersWidth.bottom});
    const int image = data.IsActive ? 0 : 1;
    for (int side = 0; side < 4; ++side) {
        if ((side == dxSkinFrameCaption && captionHeight == 0) || !frames[side]) continue;
        ribbonCache->FrameCache(side)->DrawEx(dc, frames[side], sides[side],
                                              data.IsActive ? esActive : esActiveDisabled, image);
    }
    if (bordersWidth.bottom > 1) {
        // the bottom corners: the ends of the side frames, below the bottom border's top
        const int b = f.bottom - bordersWidth.bottom;
        if (TdxSkinElement* left = frames[dxSkinFrameLeft]) {
            const int h = left->Size().cy;
            DrawElementClipped(dc, TRect{f.left, b, f.left + 4, f.bottom}, image, 0, esNormal, left,
                               TRect{f.left, b - h, f.left + 4, f.bottom});
        }
        if (TdxSkinElement* right = frames[dxSkinFrameRight]) {
            const int h = right->Size().cy;
            DrawElementClipped(dc, TRect{f.right - 4, b, f.right, f.bottom}, image, 0, esNormal, right,
                               TRect{f.right - 4, b - h, f.right, f.bottom});
        }
    }
    canvas->PopClipRegion();
}

void TdxSkinRibbonPainter::DrawStatusBar(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonStatusBarBackground) return TdxBlackRibbonSkin::DrawStatusBar(dc, r);
    DrawElementClipped(dc, r, 0, 1, esNormal, info->RibbonStatusBarBackground,
                       InflateRectSides(r, StatusBarIndent(), 0, StatusBarIndent(), 0));
}

void TdxSkinRibbonPainter::DrawStatusBarPanel(HDC dc, const TRect& bounds, const TRect& r, bool isLowered) {
    TdxSkinInfo* info;
    TdxSkinElement* background = GetSkinInfo(info) ? info->RibbonStatusBarBackground : nullptr;
    if (!background) return TdxBlackRibbonSkin::DrawStatusBarPanel(dc, bounds, r, isLowered);
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    if (w <= 0 || h <= 0) return;
    // the panel's own slice of a background that starts 4 pixels left of the status bar
    auto bitmap = std::make_unique<TcxBitmap>(w, h);
    const int shift = bounds.left + StatusBarIndent();
    const TRect d{-shift, 0, std::max<int>(w, background->Size().cx - shift) + StatusBarIndent(), h};
    background->DrawInRect(bitmap->Canvas()->Handle(), d, isLowered ? 0 : 1, esNormal);
    CopyDCRect(dc, bitmap->Canvas()->Handle(), r, SRCCOPY, TPoint{0, 0});
}

TColor TdxSkinRibbonPainter::PartColor(int part, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info)) return TdxBlackRibbonSkin::PartColor(part, state);
    auto value = [](TdxSkinColor* c) { return c ? c->Value() : clDefault; };
    auto text = [](TdxSkinElement* e) { return e ? e->TextColor() : clDefault; };
    TColor color = clDefault;
    switch (part) {
        case 9:
        case 20:
            color = value(info->ContentColor);
            break;
        case 10:
            color = value(state == 3 ? info->ContainerHighlightBorderColor : info->ContainerBorderColor);
            break;
        case 41:
        case 457:
            color = value(info->ContainerBorderColor);
            break;
        case 64:
        case 66:
            color = text(info->RibbonDropDownGalleryGroupHeader);
            break;
        case 335:
            color = state == 1 ? info->RibbonButtonDisabledColor : text(info->RibbonButton);
            break;
        case 362:
            color = state == 1 ? value(info->BarDisabledTextColor) : text(info->PopupMenu);
            break;
        case 395:
            color = value(info->RibbonAppMenuExtraPaneColor);
            break;
        case 455:
        case 456:
        case 10018:
            color = info->FormContent ? info->FormContent->Color() : clDefault;
            break;
        case 10130:
            color = state == 0 ? text(info->RibbonFormCaption) : info->RibbonCaptionTextColor[1];
            break;
        case 10131:
            color = state == 0 ? info->RibbonDocumentNameTextColor[0] : info->RibbonCaptionTextColor[1];
            break;
        case 10132:
            color = state == 3 ? info->RibbonTabTextColorSelected : text(info->RibbonTab);
            break;
        case 10133:
            color = text(info->RibbonButton);
            break;
        case 10134:
            color = text(info->RibbonTabGroupCaption);
            break;
        case 10138:
            color = state == 0   ? info->RibbonStatusBarTextColor
                    : state == 1 ? info->RibbonStatusBarTextColorDisabled
                    : state == 2 ? info->RibbonStatusBarTextColorHot
                                 : clDefault;
            break;
        default:
            break;
    }
    return color == clDefault ? TdxBlackRibbonSkin::PartColor(part, state) : color;
}

void TdxSkinRibbonPainter::DrawTabSeparator(HDC dc, const TRect& r, Byte alpha) {
    if (!HasSkinPainter()) TdxBlackRibbonSkin::DrawTabSeparator(dc, r, alpha);
}

void TdxSkinRibbonPainter::DrawGroupLaunchButtonGlyph(HDC dc, const TRect& r, int state) {
    if (!HasSkinPainter()) TdxBlackRibbonSkin::DrawGroupLaunchButtonGlyph(dc, r, state);
}

void TdxSkinRibbonPainter::DrawMenuScrollButton(HDC dc, const TRect& r, int state) {
    if (!HasSkinPainter()) TdxBlackRibbonSkin::DrawMenuScrollButton(dc, r, state);
}

void TdxSkinRibbonPainter::DrawMDIButtonGlyph(HDC dc, const TRect& r, int button, int state) {
    if (!HasSkinPainter()) TdxBlackRibbonSkin::DrawMDIButtonGlyph(dc, r, button, state);
}

bool TdxSkinRibbonPainter::DrawSkinElement(HDC dc, TdxSkinElement* TdxSkinInfo::*member, const TRect& r,
                                           TdxSkinElementState state, int imageIndex) const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !(info->*member)) return false;
    (info->*member)->DrawInRect(dc, r, imageIndex, state);
    return true;
}

namespace {

const TdxSkinElementState splitButtonStates[9] = {esNormal,  esNormal, esHot, esActive, esPressed,
                                                  esFocused, esActive, esHot, esNormal};
const TdxSkinElementState largeSplitTopStates[9] = {esNormal,      esNormal, esHot, esActive,        esPressed,
                                                    esDroppedDown, esActive, esHot, esActiveDisabled};
const TdxSkinElementState largeSplitBottomStates[9] = {esNormal,  esNormal, esHot, esActive,        esPressed,
                                                       esPressed, esActive, esHot, esActiveDisabled};
const TdxSkinElementState launchButtonStates[9] = {esNormal, esNormal, esHot,    esHot,   esPressed,
                                                   esNormal, esNormal, esNormal, esNormal};

TdxSkinElementState GroupState(int state) { return state == 2 ? esHot : esNormal; }

}  // namespace

// Each of these draws one element of the info in r, or does what Black does.
#define SKIN_ELEMENT_OPERATION(Operation, Params, Member, Rect, State, Image, BlackArgs)                             \
    void TdxSkinRibbonPainter::Operation Params {                                                                    \
        if (!DrawSkinElement(dc, &TdxSkinInfo::Member, Rect, State, Image)) TdxBlackRibbonSkin::Operation BlackArgs; \
    }
SKIN_ELEMENT_OPERATION(DrawTabGroupHeaderBackground, (HDC dc, const TRect& r, int state), RibbonTabGroupCaption, r,
                       GroupState(state), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawCollapsedGroup, (HDC dc, const TRect& r, int state), RibbonTabGroupCollapsed, r,
                       ToElementState(state), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawCollapsedGroupGlyphBackground, (HDC dc, const TRect& r, int state),
                       RibbonTabGroupCollapsedBox, r, esNormal, 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawGroupLaunchButtonBackground, (HDC dc, const TRect& r, int state), RibbonTabGroupButton,
                       (TRect{r.left + 1, r.top + 2, r.right - 1, r.bottom}), MapState(state, launchButtonStates), 0,
                       (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawTabScrollButton, (HDC dc, const TRect& r, bool isLeft, int state), RibbonButton, r,
                       ToElementState(state), 0, (dc, r, isLeft, state))
SKIN_ELEMENT_OPERATION(DrawSplitButtonLeft, (HDC dc, const TRect& r, int state), RibbonSplitButtonLeft, r,
                       MapState(state, splitButtonStates), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawSplitButtonRight, (HDC dc, const TRect& r, int state), RibbonSplitButtonRight, r,
                       MapState(state, splitButtonStates), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawLargeSplitButtonTop, (HDC dc, const TRect& r, int state), RibbonLargeSplitButtonTop, r,
                       MapState(state, largeSplitTopStates), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawLargeSplitButtonBottom, (HDC dc, const TRect& r, int state), RibbonLargeSplitButtonBottom, r,
                       MapState(state, largeSplitBottomStates), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawButtonGroupBorderLeft, (HDC dc, const TRect& r), RibbonButtonGroup, r, esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawDropDownBorder, (HDC dc, const TRect& r), PopupMenu, r, esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawMenuCheck, (HDC dc, const TRect& r, int state), PopupMenuCheck, r, esNormal, 1,
                       (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawMenuCheckMark, (HDC dc, const TRect& r, int state), PopupMenuCheck, r, esNormal, 0,
                       (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawScreenTip, (HDC dc, const TRect& r), ScreenTipWindow, r, esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawQuickAccessToolbarGroupButtonGlyph, (HDC dc, const TRect& r), RibbonQATButtonGlyph, r,
                       esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawQuickAccessToolbarPopup, (HDC dc, const TRect& r), RibbonQATOverflow, r, esNormal, 0,
                       (dc, r))
SKIN_ELEMENT_OPERATION(DrawMarkArrow, (HDC dc, const TRect& r, int state), RibbonQATCustomizeButton, r, esNormal, 0,
                       (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawDropDownGalleryBackground, (HDC dc, const TRect& r), RibbonDropDownGalleryBackground, r,
                       esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawDropDownGalleryGroupHeader, (HDC dc, const TRect& r), RibbonDropDownGalleryGroupHeader, r,
                       esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawInRibbonGalleryPane, (HDC dc, const TRect& r, int state), RibbonInRibbonGalleryPane, r,
                       ToElementState(state), 0, (dc, r, state))
SKIN_ELEMENT_OPERATION(DrawProgressBorder, (HDC dc, const TRect& r), ProgressBorder, r, esNormal, 0, (dc, r))
SKIN_ELEMENT_OPERATION(DrawStatusBarPanelSeparator, (HDC dc, const TRect& r), RibbonStatusBarSeparator, r, esNormal, 0,
                       (dc, r))
SKIN_ELEMENT_OPERATION(DrawStatusBarToolbarSeparator, (HDC dc, const TRect& r), RibbonStatusBarSeparator, r, esNormal,
                       0, (dc, r))
#undef SKIN_ELEMENT_OPERATION

void TdxSkinRibbonPainter::DrawGroupScrollButton(HDC dc, const TRect& r, bool isLeft, int state) {
    if (!DrawSkinElement(
            dc, isLeft ? &TdxSkinInfo::RibbonTabGroupLeftScrollButton : &TdxSkinInfo::RibbonTabGroupRightScrollButton,
            r, ToElementState(state)))
        TdxBlackRibbonSkin::DrawGroupScrollButton(dc, r, isLeft, state);
}

void TdxSkinRibbonPainter::DrawTabGroupsArea(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonTabPanel) return TdxBlackRibbonSkin::DrawTabGroupsArea(dc, r);
    TRect area = r;
    if (info->RibbonTabHeaderDownGrow != 0) area.top -= info->RibbonTabHeaderDownGrow - 1;
    ribbonCache->TabPanelCache()->DrawEx(dc, info->RibbonTabPanel, area, esNormal, 0);
}

void TdxSkinRibbonPainter::DrawHelpButton(HDC dc, const TRect& r, int state) {
    static const int buttonStates[] = {0, 2, 4};
    if (HasSkinPainter())
        DrawButton(dc, r, state >= 0 && state <= 2 ? buttonStates[state] : 0);
    else
        TdxBlackRibbonSkin::DrawHelpButton(dc, r, state);
}

void TdxSkinRibbonPainter::DrawButtonGroupBorderRight(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButtonGroup) return TdxBlackRibbonSkin::DrawButtonGroupBorderRight(dc, r);
    const int width = r.right - r.left;
    if (width <= 0 || r.bottom <= r.top) return;
    const int d = info->RibbonButtonGroup->Size().cx * info->RibbonButtonGroup->Image()->Margins()->Right() / width;
    DrawElementClipped(dc, r, 0, 0, esNormal, info->RibbonButtonGroup, TRect{r.right - d, r.top, r.right, r.bottom});
}

void TdxSkinRibbonPainter::DrawMDIButton(HDC dc, const TRect& r, int button, int state) {
    static const int buttonOf[] = {2, 4, 5};  // minimize, restore, close
    TdxSkinInfo* info;
    TdxSkinElement* element = GetSkinInfo(info) && button >= 0 && button <= 2
                                  ? info->FormButtons[dxSkinNormalCaption][buttonOf[button]]
                                  : nullptr;
    if (!element) return TdxBlackRibbonSkin::DrawMDIButton(dc, r, button, state);
    element->DrawInRect(dc, InflateRectSides(r, -1, -1, -1, -1), 0, CaptionButtonState(state));
}

int TdxSkinRibbonPainter::GetMenuSeparatorSize() const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->PopupMenuSeparator) return TdxBlackRibbonSkin::GetMenuSeparatorSize();
    return info->PopupMenuSeparator->Size().cy;
}

int TdxSkinRibbonPainter::GetStatusBarSeparatorSize() const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonStatusBarSeparator) return TdxBlackRibbonSkin::GetStatusBarSeparatorSize();
    int size = info->RibbonStatusBarSeparator->MinSize()->Width();
    if (size == 0) size = info->RibbonStatusBarSeparator->Size().cx;
    return size != 0 ? size : TdxBlackRibbonSkin::GetStatusBarSeparatorSize();
}

void TdxSkinRibbonPainter::DrawSkinEditorButton(HDC dc, const TRect& r, TcxEditBtnKind kind, int state) {
    static const TcxButtonState editorStates[9] = {cxbsNormal,  cxbsDisabled, cxbsHot,     cxbsNormal,  cxbsPressed,
                                                   cxbsPressed, cxbsDefault,  cxbsDefault, cxbsDisabled};
    TcxLookAndFeelPainterClass painter = nullptr;
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    auto skinPainter = registry && registry->GetPainterByName(lookAndFeel_->SkinName(), painter)
                           ? dynamic_cast<const TdxSkinLookAndFeelPainter*>(painter)
                           : nullptr;
    if (!skinPainter) return DrawEditButton(dc, r, state);
    TSkinSchemeCanvasEntry canvas(dc);
    skinPainter->DrawEditorButtonFace(canvas.Canvas(), r, state >= 0 && state <= 8 ? editorStates[state] : cxbsNormal,
                                      kind);
}

void TdxSkinRibbonPainter::DrawEditDropDownButton(HDC dc, const TRect& r, int state) {
    DrawSkinEditorButton(dc, r, cxbkComboBtn, state);
}
void TdxSkinRibbonPainter::DrawEditEllipsisButton(HDC dc, const TRect& r, int state) {
    DrawSkinEditorButton(dc, r, cxbkEllipsisBtn, state);
}
void TdxSkinRibbonPainter::DrawSpinDownButton(HDC dc, const TRect& r, int state) {
    DrawSkinEditorButton(dc, r, cxbkSpinDownBtn, state);
}
void TdxSkinRibbonPainter::DrawSpinUpButton(HDC dc, const TRect& r, int state) {
    DrawSkinEditorButton(dc, r, cxbkSpinUpBtn, state);
}

// ---- frame ends, application menu and ribbon area -------------------------------------------

namespace {

// r widened away from its side toward the inside of the bar: a left end reaches right, a right
// end reaches left, by the element's margin on that side or to its full width.
TRect SkinEndDrawRect(const TRect& r, TdxSkinElement* element, bool isLeft) {
    const TRect margins = SkinMarginsOf(element);
    const int width = std::max<int>(element->MinSize()->Width(), margins.left + margins.right);
    TRect d = r;
    if (isLeft)
        d.right = std::max<int>(r.right + margins.right, r.left + width);
    else
        d.left = std::min<int>(r.left - margins.left, r.right - width);
    return d;
}

TRect WidenedByMargins(const TRect& r, TdxSkinElement* element) {
    const TRect margins = SkinMarginsOf(element);
    return TRect{r.left - margins.left, r.top, r.right + margins.right, r.bottom};
}

}  // namespace

void TdxSkinRibbonPainter::DrawFormStatusBarBorder(HDC dc, const TRect& r, bool isLeft, bool isActive, int partKind,
                                                   bool isDialogFrame) {
    TdxSkinInfo* info;
    TdxSkinElement* end = nullptr;
    if (GetSkinInfo(info))
        end = isDialogFrame ? info->FormFrames[dxSkinNormalCaption][isLeft ? dxSkinFrameLeft : dxSkinFrameRight]
                            : info->RibbonStatusBarBackground;
    if (!end)
        return TdxBlackRibbonSkin::DrawFormStatusBarBorder(dc, r, isLeft, isActive, partKind, isDialogFrame);
    const TdxSkinElementState state = isActive ? esActive : esActiveDisabled;
    DrawElementClipped(dc, r, partKind, 0, state, end, SkinEndDrawRect(r, end, isLeft));
    if (!isDialogFrame) return;
    // a dialog frame's bottom corner below the side
    if (TdxSkinElement* bottom = info->FormFrames[dxSkinNormalCaption][dxSkinFrameBottom]) {
        TRect corner = r;
        corner.top = std::max<int>(r.top, r.bottom - bottom->Size().cy);
        DrawElementClipped(dc, corner, 0, 0, state, bottom, SkinEndDrawRect(corner, bottom, isLeft));
    }
}

void TdxSkinRibbonPainter::DrawApplicationMenuBorder(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonAppMenuBackground || !info->RibbonAppMenuBackgroundBottom)
        return TdxBlackRibbonSkin::DrawApplicationMenuBorder(dc, r);
    const int bottom = r.bottom - info->RibbonAppMenuBackgroundBottom->Size().cy;
    info->RibbonAppMenuBackground->DrawInRect(dc, TRect{r.left, r.top, r.right, bottom}, 0, esNormal);
    info->RibbonAppMenuBackgroundBottom->DrawInRect(dc, TRect{r.left, bottom, r.right, r.bottom}, 0, esNormal);
}

void TdxSkinRibbonPainter::DrawApplicationMenuContentHeader(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* background = GetSkinInfo(info) ? info->RibbonAppMenuBackground : nullptr;
    if (!background) return TdxBlackRibbonSkin::DrawApplicationMenuContentHeader(dc, r);
    DrawElementClipped(dc, r, 0, 0, esNormal, background,
                       TRect{r.left - 3, r.top - 3, r.right + 3, r.bottom + SkinMarginsOf(background).bottom});
}

void TdxSkinRibbonPainter::DrawApplicationMenuContentFooter(HDC dc, const TRect& r) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::RibbonAppMenuBackgroundBottom,
                         TRect{r.left - 3, r.top, r.right + 3, r.bottom + 3}, esNormal))
        TdxBlackRibbonSkin::DrawApplicationMenuContentFooter(dc, r);
}

void TdxSkinRibbonPainter::DrawApplicationMenuButton(HDC dc, const TRect& r, int state) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::CommonButton, r, state == 2 ? esHot : esNormal))
        TdxBlackRibbonSkin::DrawApplicationMenuButton(dc, r, state);
}

void TdxSkinRibbonPainter::DrawRibbonBackground(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* background = GetSkinInfo(info) ? info->RibbonTabBackground : nullptr;
    if (!background) return TdxBlackRibbonSkin::DrawRibbonBackground(dc, r);
    // a see-through background lets its bottom edge fall below the area
    TRect d = r;
    if (background->IsAlphaUsed()) d.bottom += SkinMarginsOf(background).bottom;
    DrawElementClipped(dc, r, 0, 1, esNormal, background, d);
}

void TdxSkinRibbonPainter::DrawRibbonBottomBorder(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* panel = GetSkinInfo(info) ? info->RibbonTabPanel : nullptr;
    if (!panel) return TdxBlackRibbonSkin::DrawRibbonBottomBorder(dc, r);
    TRect d = WidenedByMargins(r, panel);
    d.bottom = r.top + panel->Size().cy;
    DrawElementClipped(dc, r, 0, 0, esNormal, panel, d);
}

void TdxSkinRibbonPainter::DrawButtonGroupButton(HDC dc, const TRect& r, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButtonGroup || !info->RibbonButtonGroupButton)
        return TdxBlackRibbonSkin::DrawButtonGroupButton(dc, r, state);
    DrawElementClipped(dc, r, 0, 0, esNormal, info->RibbonButtonGroup, WidenedByMargins(r, info->RibbonButtonGroup));
    const TRect offset = SkinContentOffsetOf(info->RibbonButtonGroup);
    info->RibbonButtonGroupButton->DrawInRect(dc, TRect{r.left, r.top + offset.top, r.right, r.bottom - offset.bottom},
                                              0, ToElementState(state));
}

// ---- quick access toolbar ------------------------------------------------------------------

void TdxSkinRibbonPainter::DrawQuickAccessToolbar(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                                  bool hasApplicationButton, bool isActive, bool noGlass) {
    TdxSkinInfo* info;
    TdxSkinElement* background = nullptr;
    if (GetSkinInfo(info))
        background = belowRibbon            ? info->RibbonQATBelowBackground
                     : hasApplicationButton ? info->RibbonQATInRibbonBackground
                                            : info->RibbonQATAboveBackground;
    // on glass the toolbar is drawn the way the atlas schemes draw it
    const bool onGlass = inCaption && !noGlass && !belowRibbon && IsDwmCompositionActive();
    if (!background || onGlass)
        return TdxBlackRibbonSkin::DrawQuickAccessToolbar(dc, r, belowRibbon, inCaption, hasApplicationButton,
                                                          isActive, noGlass);
    TRect d = r;
    if (!belowRibbon) {
        int extra = 0;
        if (TdxSkinElement* caption = info->RibbonFormCaption) {
            const TRect offset = SkinContentOffsetOf(caption);
            d.top += offset.top;
            d.bottom -= offset.bottom;
            extra = QuickAccessToolbarRightMargin(hasApplicationButton);
        }
        if (IsQATCustomizeButtonOutside(hasApplicationButton))
            extra -= 12 + QuickAccessToolbarMarkOffset(hasApplicationButton, belowRibbon);
        d.right += extra;
    }
    background->DrawInRect(dc, d, 0, esNormal);
}

void TdxSkinRibbonPainter::DrawQuickAccessToolbarGroupButton(HDC dc, const TRect& r, bool belowRibbon, bool inCaption,
                                                             bool captionActive, int state) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonButtonGroup || !info->RibbonButtonGroupButton)
        return TdxBlackRibbonSkin::DrawQuickAccessToolbarGroupButton(dc, r, belowRibbon, inCaption, captionActive,
                                                                     state);
    info->RibbonButtonGroup->DrawInRect(dc, r, 0, esNormal);
    const TRect offset = SkinContentOffsetOf(info->RibbonButtonGroup);
    info->RibbonButtonGroupButton->DrawInRect(
        dc, TRect{r.left + offset.left, r.top + offset.top, r.right - offset.right, r.bottom - offset.bottom}, 0,
        ToElementState(state));
}

bool TdxSkinRibbonPainter::IsQATCustomizeButtonOutside(bool hasApplicationButton) const {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info)) return false;
    TdxSkinBooleanProperty* outside = info->QATShowsCustomizeButtonOutside[hasApplicationButton ? 1 : 0];
    return outside && outside->Value();
}

int TdxSkinRibbonPainter::QuickAccessToolbarLeftMargin(bool hasApplicationButton, bool useGlass) const {
    TdxSkinInfo* info;
    if (!hasApplicationButton || useGlass || !GetSkinInfo(info))
        return TdxBlackRibbonSkin::QuickAccessToolbarLeftMargin(hasApplicationButton, useGlass);
    const int offset = info->RibbonQATInRibbonBackground ? SkinContentOffsetOf(info->RibbonQATInRibbonBackground).left : 0;
    return offset - 15 + ApplicationButtonIndent();
}

int TdxSkinRibbonPainter::QuickAccessToolbarMarkOffset(bool hasApplicationButton, bool belowRibbon) const {
    TdxSkinInfo* info;
    TdxSkinIntegerProperty* indent =
        !belowRibbon && GetSkinInfo(info) ? info->QATIndentBeforeCustomizeButton[hasApplicationButton ? 1 : 0] : nullptr;
    if (!indent) return TdxBlackRibbonSkin::QuickAccessToolbarMarkOffset(hasApplicationButton, belowRibbon);
    int offset = indent->Value();
    if (IsQATCustomizeButtonOutside(hasApplicationButton)) offset += QuickAccessToolbarRightMargin(hasApplicationButton);
    return offset;
}

int TdxSkinRibbonPainter::QuickAccessToolbarExtraWidth(bool hasApplicationButton, bool useGlass) const {
    TdxSkinInfo* info;
    if (!hasApplicationButton || useGlass || !GetSkinInfo(info))
        return TdxBlackRibbonSkin::QuickAccessToolbarExtraWidth(hasApplicationButton, useGlass);
    return QuickAccessToolbarLeftMargin(true, useGlass) + 15 - ApplicationButtonIndent();
}

int TdxSkinRibbonPainter::QuickAccessToolbarRightMargin(bool hasApplicationButton) const {
    TdxSkinInfo* info;
    TdxSkinElement* background = nullptr;
    if (GetSkinInfo(info))
        background = hasApplicationButton ? info->RibbonQATInRibbonBackground : info->RibbonQATAboveBackground;
    if (!background) return TdxBlackRibbonSkin::QuickAccessToolbarRightMargin(hasApplicationButton);
    return SkinContentOffsetOf(background).right;
}

// ---- menus ---------------------------------------------------------------------------------

void TdxSkinRibbonPainter::DrawMenuContent(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->PopupMenu) return TdxBlackRibbonSkin::DrawMenuContent(dc, r);
    TSkinSchemeCanvasEntry canvas(dc);
    canvas->FillRectWithColor(r, info->PopupMenu->Color());
}

void TdxSkinRibbonPainter::DrawMenuGlyphStrip(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* strip = GetSkinInfo(info) ? info->PopupMenuSideStrip : nullptr;
    if (!strip) return TdxBlackRibbonSkin::DrawMenuGlyphStrip(dc, r);
    // the strip's right edge is the separator: kept outside r
    DrawElementClipped(dc, r, 0, 0, esNormal, strip,
                       TRect{r.left, r.top, r.right + std::max<int>(SkinMarginsOf(strip).right, 2), r.bottom});
}

void TdxSkinRibbonPainter::DrawMenuSeparatorVert(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* strip = GetSkinInfo(info) ? info->PopupMenuSideStrip : nullptr;
    if (!strip) return TdxBlackRibbonSkin::DrawMenuSeparatorVert(dc, r);
    // only the strip's right edge
    DrawElementClipped(dc, r, 0, 0, esNormal, strip,
                       TRect{r.right - std::max<int>(strip->Size().cx, 2), r.top, r.right, r.bottom});
}

void TdxSkinRibbonPainter::DrawMenuSeparatorHorz(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* separator = GetSkinInfo(info) ? info->PopupMenuSeparator : nullptr;
    if (!separator) return TdxBlackRibbonSkin::DrawMenuSeparatorHorz(dc, r);
    if (separator->IsAlphaUsed()) DrawMenuContent(dc, r);
    separator->DrawInRect(dc, r, 0, esNormal);
}

// ---- galleries -----------------------------------------------------------------------------

void TdxSkinRibbonPainter::DrawDropDownGallerySizePanelTop(HDC dc, const TRect& r) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::RibbonDropDownGallerySizePanel, r, esNormal))
        TdxBlackRibbonSkin::DrawDropDownGallerySizePanelTop(dc, r);
}

void TdxSkinRibbonPainter::DrawDropDownGallerySizePanelBottom(HDC dc, const TRect& r) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::RibbonDropDownGallerySizePanel, r, esNormal))
        TdxBlackRibbonSkin::DrawDropDownGallerySizePanelBottom(dc, r);
}

void TdxSkinRibbonPainter::DrawDropDownGalleryFilterPanel(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    if (!GetSkinInfo(info) || !info->RibbonDropDownGallerySizePanel)
        return TdxBlackRibbonSkin::DrawDropDownGalleryFilterPanel(dc, r);
    DrawDropDownGallerySizePanelBottom(dc, r);
}

bool TdxSkinRibbonPainter::DrawGallerySizeGrip(HDC dc, const TRect& r, int imageIndex) const {
    TRect grip{r.left, r.top + 3, r.right - 2, r.bottom - 1};
    grip.left = grip.right - (grip.bottom - grip.top);
    return DrawSkinElement(dc, &TdxSkinInfo::RibbonDropDownGallerySizeGrip, grip, esNormal, imageIndex);
}

void TdxSkinRibbonPainter::DrawDropDownGallerySizeGripBottom(HDC dc, const TRect& r) {
    if (!DrawGallerySizeGrip(dc, r, 1)) TdxBlackRibbonSkin::DrawDropDownGallerySizeGripBottom(dc, r);
}

void TdxSkinRibbonPainter::DrawDropDownGallerySizeGripTop(HDC dc, const TRect& r) {
    if (!DrawGallerySizeGrip(dc, r, 2)) TdxBlackRibbonSkin::DrawDropDownGallerySizeGripTop(dc, r);
}

void TdxSkinRibbonPainter::DrawDropDownGalleryVerticalSizeGripTop(HDC dc, const TRect& r) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::RibbonDropDownGallerySizeGrip, r, esNormal))
        TdxBlackRibbonSkin::DrawDropDownGalleryVerticalSizeGripTop(dc, r);
}

void TdxSkinRibbonPainter::DrawDropDownGalleryVerticalSizeGripBottom(HDC dc, const TRect& r) {
    if (!DrawSkinElement(dc, &TdxSkinInfo::RibbonDropDownGallerySizeGrip, r, esNormal))
        TdxBlackRibbonSkin::DrawDropDownGalleryVerticalSizeGripBottom(dc, r);
}

void TdxSkinRibbonPainter::DrawInRibbonGalleryScrollButton(HDC dc, const TRect& r, int kind, int state) {
    static TdxSkinElement* TdxSkinInfo::*const buttons[] = {&TdxSkinInfo::RibbonInRibbonGalleryButtonUp,
                                                            &TdxSkinInfo::RibbonInRibbonGalleryButtonDown,
                                                            &TdxSkinInfo::RibbonInRibbonGalleryButtonDropDown};
    if (kind < 0 || kind > 2 || !DrawSkinElement(dc, buttons[kind], r, ToElementState(state)))
        TdxBlackRibbonSkin::DrawInRibbonGalleryScrollButton(dc, r, kind, state);
}

TRect TdxSkinRibbonPainter::GetPartContentOffsets(int part) const {
    TdxSkinInfo* info;
    const int sizePanelPart = 65;
    if (part != sizePanelPart || !GetSkinInfo(info) || !info->RibbonDropDownGallerySizePanel)
        return TdxBlackRibbonSkin::GetPartContentOffsets(part);
    return SkinMarginsOf(info->RibbonDropDownGallerySizePanel);
}

// ---- progress, status bar and caption font -------------------------------------------------

void TdxSkinRibbonPainter::DrawProgressSolidBand(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* chunk = GetSkinInfo(info) ? info->ProgressChunk : nullptr;
    if (!chunk) return TdxBlackRibbonSkin::DrawProgressSolidBand(dc, r);
    // the chunk fills the border's inside, two pixels of which the band's rectangle leaves out
    TRect d = r;
    if (info->ProgressBorder) {
        const TRect offset = SkinContentOffsetOf(info->ProgressBorder);
        d = TRect{r.left - 2 + offset.left, r.top - 2 + offset.top, r.right + 2 - offset.right,
                  r.bottom + 2 - offset.bottom};
    }
    DrawElementClipped(dc, r, 0, 0, esNormal, chunk, d);
}

void TdxSkinRibbonPainter::DrawProgressDiscreteBand(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* chunk = GetSkinInfo(info) ? info->ProgressChunk : nullptr;
    if (!chunk) return TdxBlackRibbonSkin::DrawProgressDiscreteBand(dc, r);
    TRect d = r;
    if (info->ProgressBorder) {
        const TRect offset = SkinContentOffsetOf(info->ProgressBorder);
        d.top = r.top - 2 + offset.top;
        d.bottom = r.bottom + 2 - offset.bottom;
    }
    // each block shows the chunk's middle only
    d = WidenedByMargins(d, chunk);
    DrawElementClipped(dc, r, 0, 0, esNormal, chunk, d);
}

void TdxSkinRibbonPainter::DrawStatusBarSizeGripBackground(HDC dc, const TRect& r) {
    TdxSkinInfo* info;
    TdxSkinElement* background = GetSkinInfo(info) ? info->RibbonStatusBarBackground : nullptr;
    if (!background) return TdxBlackRibbonSkin::DrawStatusBarSizeGripBackground(dc, r);
    DrawElementClipped(dc, r, 1, 0, esNormal, background, WidenedByMargins(r, background));
    if (info->SizeGrip) {
        const TRect offset = SkinContentOffsetOf(background);
        info->SizeGrip->DrawInRect(
            dc, TRect{r.left + offset.left, r.top + offset.top, r.right - offset.right, r.bottom - offset.bottom}, 0,
            esNormal);
    }
    // the status bar painted afterwards leaves the grip alone
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

int TdxSkinRibbonPainter::GetCaptionFontSize(int size) const {
    TdxSkinInfo* info;
    const int black = TdxBlackRibbonSkin::GetCaptionFontSize(size);
    if (!GetSkinInfo(info) || !info->RibbonCaptionFontDelta) return black;
    return black + info->RibbonCaptionFontDelta->Value();
}

// ---- the shared caches ---------------------------------------------------------------------

TdxSkinsRibbonCacheManager::TdxSkinsRibbonCacheManager() { CreateCaches(); }

TdxSkinsRibbonCacheManager::~TdxSkinsRibbonCacheManager() { FreeCaches(); }

void TdxSkinsRibbonCacheManager::Clear() {
    FreeCaches();
    CreateCaches();
}

void TdxSkinsRibbonCacheManager::CreateCaches() {
    buttonCache_ = new TdxSkinElementCache();
    captionCache_ = new TdxSkinElementCache();
    groupCaches_ = new TdxSkinElementCacheList();
    tabPanelCache_ = new TdxSkinElementCache();
    for (TdxSkinElementCache*& cache : frameCaches_) cache = new TdxSkinElementCache();
}

void TdxSkinsRibbonCacheManager::FreeCaches() {
    for (TdxSkinElementCache*& cache : frameCaches_) {
        delete cache;
        cache = nullptr;
    }
    delete tabPanelCache_;
    delete groupCaches_;
    delete captionCache_;
    delete buttonCache_;
    tabPanelCache_ = captionCache_ = buttonCache_ = nullptr;
    groupCaches_ = nullptr;
}

// ---- the manager ---------------------------------------------------------------------------

TdxSkinsRibbonPainterManager::TdxSkinsRibbonPainterManager() {
    if (TcxExtendedStylePainters* registry = GlobalExtendedStylePainters()) registry->RegisterListener(this);
    AddMissingSchemes();
}

TdxSkinsRibbonPainterManager::~TdxSkinsRibbonPainterManager() {
    if (TcxExtendedStylePainters* registry = GlobalExtendedStylePainters()) registry->UnregisterListener(this);
    RemoveAllSchemes();
}

void TdxSkinsRibbonPainterManager::AddScheme(const String& name) {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    if (manager->FindSkin(name)) return;
    auto scheme = CreateRibbonSkin<TdxSkinRibbonPainter>(name);
    if (manager->AddSkin(scheme) < 0) delete scheme;
}

void TdxSkinsRibbonPainterManager::AddMissingSchemes() {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (!registry) return;
    for (int i = 0; i < registry->Count(); ++i) AddScheme(registry->NameAt(i));
}

void TdxSkinsRibbonPainterManager::RemoveAllSchemes() {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    for (int i = manager->SkinCount() - 1; i >= 0; --i)
        if (auto* scheme = dynamic_cast<TdxSkinRibbonPainter*>(manager->Skins(i))) manager->RemoveSkin(scheme);
}

void TdxSkinsRibbonPainterManager::PainterChanged(TcxLookAndFeelPainterClass painter) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    String name;
    if (registry && registry->FindPainterName(painter, name)) {
        AddScheme(name);
        return;
    }
    // the painter has just been unregistered: its scheme no longer finds a skin
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    for (int i = manager->SkinCount() - 1; i >= 0; --i)
        if (auto* scheme = dynamic_cast<TdxSkinRibbonPainter*>(manager->Skins(i)))
            if (scheme->GetSkinName().empty()) manager->RemoveSkin(scheme);
}

// ---- unit ----------------------------------------------------------------------------------

TdxSkinsRibbonCacheManager* SkinsRibbonCache() { return ribbonCache; }
TdxSkinsRibbonPainterManager* SkinsRibbonPainterManager() { return ribbonPainterManager; }

namespace {

void StartSkinRibbonSchemes() {
    if (!GdiPlusUsable()) return;
    ribbonCache = new TdxSkinsRibbonCacheManager();
    ribbonPainterManager = new TdxSkinsRibbonPainterManager();
}

void StopSkinRibbonSchemes() {
    delete ribbonPainterManager;
    ribbonPainterManager = nullptr;
    delete ribbonCache;
    ribbonCache = nullptr;
}

}  // namespace

void InitializedxSkinsdxRibbonPainter() {
    GlobalUnitsLoader()->RegisterUnit(&StartSkinRibbonSchemes, &StopSkinRibbonSchemes);
}
void FinalizedxSkinsdxRibbonPainter() { GlobalUnitsLoader()->UnregisterUnit(&StopSkinRibbonSchemes); }
