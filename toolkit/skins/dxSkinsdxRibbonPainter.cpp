#include "dxSkinsdxRibbonPainter.h"

#include "dxBarSkin.h"
#include "dxGDIPlusAPI.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

TdxSkinsRibbonCacheManager* ribbonCache = nullptr;
TdxSkinsRibbonPainterManager* ribbonPainterManager = nullptr;

TdxSkinElementState MapState(int state, const TdxSkinElementState (&map)[9]) {
    return state >= 0 && state <= 8 ? map[state] : esNormal;
}

const TdxSkinElementState buttonStates[9] = {esNormal,  esDisabled, esHot,     esHot,           esPressed,
                                             esChecked, esChecked,  esHotCheck, esActiveDisabled};
const TdxSkinElementState buttonArrowStates[9] = {esNormal, esDisabled, esHot,    esActive, esNormal,
                                                  esNormal, esNormal,   esNormal, esNormal};

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
                                              const TRect& drawRect) {
    if (!element) return;
    const int saved = SaveDC(dc);
    // the clip is given in logical coordinates; regions are in device ones
    POINT corners[2] = {{clipRect.left, clipRect.top}, {clipRect.right, clipRect.bottom}};
    LPtoDP(dc, corners, 2);
    HRGN region = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    ExtSelectClipRgn(dc, region, clipOperation == 0 ? RGN_COPY : RGN_AND);
    DeleteObject(region);
    element->DrawInRect(dc, drawRect, imageIndex, state);
    RestoreDC(dc, saved);
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

TdxSkinElementState TdxSkinRibbonPainter::AdjustLargeButtonState(TdxSkinElement* element,
                                                                 TdxSkinElementState state) {
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
    if (!GetSkinInfo(info) || !info->RibbonFormAppButton) return TdxBlackRibbonSkin::DrawApplicationButton(dc, r, state);
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
    info->RibbonLargeButton->DrawInRect(dc, r, 0, AdjustLargeButtonState(info->RibbonLargeButton, ToElementState(state)));
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

// ---- the shared caches ---------------------------------------------------------------------

TdxSkinsRibbonCacheManager::TdxSkinsRibbonCacheManager()
    : captionCache_(nullptr), buttonCache_(nullptr), groupCaches_(nullptr), tabPanelCache_(nullptr) {
    buttonCache_ = new TdxSkinElementCache();
    captionCache_ = new TdxSkinElementCache();
    groupCaches_ = new TdxSkinElementCacheList();
    tabPanelCache_ = new TdxSkinElementCache();
    for (TdxSkinElementCache*& cache : frameCaches_) cache = new TdxSkinElementCache();
}

TdxSkinsRibbonCacheManager::~TdxSkinsRibbonCacheManager() {
    for (TdxSkinElementCache* cache : frameCaches_) delete cache;
    delete tabPanelCache_;
    delete groupCaches_;
    delete captionCache_;
    delete buttonCache_;
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
