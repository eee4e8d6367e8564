#include "dxBarAccessibility.h"
#include "dxRibbonAccessibility.h"
#include "dxRibbon.h"

#include "dxRibbonBarPainter.h"

#include <algorithm>

#include "Application.h"
#include "ComponentList.h"
#include "Filer.h"
#include "Format.h"
#include "Form.h"
#include "cxGeometry.h"
#include "cxTextMeasuring.h"
#include "dxBarStrs.h"
#include "dxFading.h"
#include "dxGDIPlusAPI.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonController.h"
#include "dxRibbonForm.h"
#include "dxRibbonPainter.h"
#include "dxRibbonPopupMenu.h"
#include "dxRibbonQuickAccess.h"
#include "dxRibbonQuickAccessDesign.h"
#include "dxRibbonTabGroupsPopupWindow.h"
#include "dxRibbonViewInfo.h"

namespace {

bool HasState(const TComponent* c, TComponentStateItem flag) { return c->ComponentState().Contains(flag); }

// Every ribbon alive, so that the bar-skin manager's change reaches them.
std::vector<TdxCustomRibbon*>& LiveRibbons() {
    static std::vector<TdxCustomRibbon*> ribbons;
    return ribbons;
}

// The first scheme of the bar-skin manager that is a ribbon scheme, in registration order.
TdxCustomRibbonSkin* FirstRibbonScheme() {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    for (int i = 0; i < manager->SkinCount(); ++i)
        if (auto* scheme = As<TdxCustomRibbonSkin>(manager->Skins(i))) return scheme;
    return nullptr;
}

bool IsRegisteredScheme(const TdxCustomBarSkin* scheme) {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    for (int i = 0; i < manager->SkinCount(); ++i)
        if (manager->Skins(i) == scheme) return true;
    return false;
}

// The watcher of the bar-skin manager: after every change each ribbon checks its scheme.
class TRibbonSchemeWatcher : public TObject {
public:
    void SkinsChanged(TObject*, const void*) {
        for (TdxCustomRibbon* ribbon : std::vector<TdxCustomRibbon*>(LiveRibbons()))
            if (ribbon->ColorScheme() && !IsRegisteredScheme(ribbon->ColorScheme()))
                ribbon->SchemeRemoved(ribbon->ColorScheme());
    }
};
TRibbonSchemeWatcher* schemeWatcher = nullptr;

// Part 1 (a ribbon group): the insets of its content.
constexpr int GroupLeftInset = 2, GroupTopInset = 2, GroupRightInset = 3, GroupBottomGap = 3;

}  // namespace

// ---- construction --------------------------------------------------------------------------

TdxCustomRibbon::TdxCustomRibbon(TComponent* owner, TClass ribbonClass)
    : TcxControl(CheckedRibbonOwner(owner, ribbonClass ? ribbonClass : StaticClass())) {
    creating_ = true;
    SetDoubleBuffered(true);
    painter_ = std::make_unique<TdxRibbonPainter>(this);
    viewInfo_ = std::make_unique<TdxRibbonViewInfo>(this);
    groupsSite_ = new TdxRibbonGroupsDockControlSite(this);
    groupsSite_->SetParent(this);
    fonts_ = new TdxRibbonFonts(this);
    tabs_ = new TdxRibbonTabCollection(this);
    SetAlign(alTop);
    SetTabStop(false);  // the ribbon never takes the focus
    applicationButton_ = new TdxRibbonApplicationButton(this);
    quickAccessToolbar_ = new TdxRibbonQuickAccessToolbar(this);
    quickAccessToolbar_->DockControl()->SetParent(this);
    controller_ = std::make_unique<TdxRibbonController>(this);
    colorSchemeListeners_ = std::make_unique<TcxEventHandlerCollection>();
    popupMenuButtons_ = std::make_unique<TComponentList>(true);
    if (TdxCustomRibbonSkin* scheme = FirstRibbonScheme()) colorScheme_ = scheme;
    creating_ = false;
    LiveRibbons().push_back(this);
}

TComponent* TdxCustomRibbon::CheckedRibbonOwner(TComponent* owner, TClass ribbonClass) {
    const String name = ribbonClass->ClassName();
    if (!GdiPlusUsable()) throw EdxException(Format(BarString(dxSBAR_GDIPLUSNEEDED), {name}));
    if (!owner && Application) owner = Application->MainForm();
    if (!dynamic_cast<TCustomForm*>(owner))
        throw EdxException(Format(L"%s should have TCustomForm as its Owner", {name}));
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (owner->Components(i)->InheritsFrom(ribbonClass))
            throw EdxException(Format(L"There should be only one %s instance on the form", {name}));
    return owner;
}

void TdxCustomRibbon::BeforeDestruction() {
    CloseGroupsPopup();
    SetSupportNonClientDrawing(false);
    UnhookForm();
    auto& ribbons = LiveRibbons();
    ribbons.erase(std::remove(ribbons.begin(), ribbons.end(), this), ribbons.end());
    ReleaseAccessibilityHelper(accessibilityHelper_);
    TcxControl::BeforeDestruction();
}

TdxCustomRibbon::~TdxCustomRibbon() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    // Deleted without FreeObject: the form still lets go of the caption helper first.
    // A ribbon deleted without FreeObject must still leave the list a scheme change walks.
    auto& ribbons = LiveRibbons();
    ribbons.erase(std::remove(ribbons.begin(), ribbons.end(), this), ribbons.end());
    if (formCaptionHelper_) {
        if (TdxCustomRibbonForm* form = GetRibbonForm()) form->SetCaptionHelper(nullptr);
        formCaptionHelper_.reset();
        supportNonClientDrawing_ = false;
    }
    controller_.reset();
    // The context menu's buttons go while their manager is still known; the menu itself goes
    // with the ribbon's components.
    popupMenuButtons_.reset();
    SetBarManager(nullptr);
    delete applicationButton_;
    applicationButton_ = nullptr;
    delete quickAccessToolbar_;
    quickAccessToolbar_ = nullptr;
    delete tabs_;
    tabs_ = nullptr;
    activeTab_ = nullptr;
    delete fonts_;
    fonts_ = nullptr;
}

// ---- model ---------------------------------------------------------------------------------

int TdxCustomRibbon::VisibleTabCount() const {
    int n = 0;
    for (int i = 0; tabs_ && i < tabs_->Count(); ++i)
        if (tabs_->Items(i)->Visible()) ++n;
    return n;
}

TdxRibbonTab* TdxCustomRibbon::GetVisibleTab(int index) const {
    for (int i = 0; tabs_ && i < tabs_->Count(); ++i)
        if (tabs_->Items(i)->Visible() && index-- == 0) return tabs_->Items(i);
    return nullptr;
}

void TdxCustomRibbon::TabAdded(TdxRibbonTab* tab) {
    tab->SetRibbon(this);
    if (!activeTab_) SetActiveTab(tab);
    Changed();
}

void TdxCustomRibbon::TabRemoving(TdxRibbonTab* tab) {
    tab->SetRibbon(nullptr);
    if (tab == activeTab_) ActivateNearestTab(tab);
    if (hotTab_ == tab) hotTab_ = nullptr;
    Changed();
}

void TdxCustomRibbon::ActivateNearestTab(TdxRibbonTab* tab) {
    const bool destroying = HasState(tab, csDestroying);
    const bool saved = creating_;
    creating_ = destroying;
    int index = destroying ? tab->IndexBeforeDestroy() : tab->IndexInCollection();
    TdxRibbonTab* nearest = nullptr;
    for (int i = std::max(index, 0); i < tabs_->Count() && !nearest; ++i)
        if (tabs_->Items(i) != tab && tabs_->Items(i)->Visible()) nearest = tabs_->Items(i);
    for (int i = std::min(index, tabs_->Count()) - 1; i >= 0 && !nearest; --i)
        if (tabs_->Items(i) != tab && tabs_->Items(i)->Visible()) nearest = tabs_->Items(i);
    try {
        if (nearest) {
            SetActiveTab(nearest);
        } else {
            // No visible tab is left to take over.
            if (activeTab_) activeTab_->DeactivateGroups();
            activeTab_ = nullptr;
        }
    } catch (...) {
        creating_ = saved;
        throw;
    }
    creating_ = saved;
}

void TdxCustomRibbon::SetActiveTab(TdxRibbonTab* tab) {
    if (tab == activeTab_ || HasState(this, csDestroying)) return;
    if (!IsDesigning()) {
        if (TdxFader* fader = FaderInstance()) fader->Clear();
        if (!DoTabChanging(tab)) return;
    }
    if (activeTab_) activeTab_->DeactivateGroups();
    activeTab_ = tab;
    const bool siteRedraw = groupsSite_->HandleAllocated();
    if (siteRedraw) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 0, 0);
    try {
        if (tab) tab->ActivateGroups();
        Changed();
        DoTabChanged();
    } catch (...) {
        if (siteRedraw) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 1, 0);
        Changed();
        throw;
    }
    if (siteRedraw) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 1, 0);
    Changed();
}

bool TdxCustomRibbon::DoTabChanging(TdxRibbonTab* newTab) {
    bool allow = true;
    if (OnTabChanging) OnTabChanging(this, newTab, allow);
    return allow;
}

void TdxCustomRibbon::DoTabChanged() {
    if (OnTabChanged) OnTabChanged(this);
}

void TdxCustomRibbon::DoHelpButtonClick() {
    if (OnHelpButtonClick) OnHelpButtonClick(this);
}

void TdxCustomRibbon::SetHotTab(TdxRibbonTab* tab) {
    if (hotTab_ == tab) return;
    TdxRibbonTab* old = hotTab_;
    hotTab_ = tab;
    if (old) old->InvalidateHeader();
    if (tab) tab->InvalidateHeader();
}

// ---- bar manager and colour scheme ---------------------------------------------------------

void TdxCustomRibbon::SetBarManager(TdxBarManager* value) {
    if (barManager_ == value) return;
    if (HasBarManager()) {
        barManager_->RemoveFreeNotification(this);
        RegisterLayoutHandlers(false);
    }
    barManager_ = value;
    if (HasBarManager()) {
        barManager_->FreeNotification(this);
        RegisterLayoutHandlers(true);
        fonts_->UpdateFonts();
    }
    for (int i = 0; tabs_ && i < tabs_->Count(); ++i) tabs_->Items(i)->SetBarManager(value);
    if (quickAccessToolbar_) quickAccessToolbar_->DockControl()->SetBarManager(value);
    Changed();
}

String TdxCustomRibbon::ColorSchemeName() const { return colorScheme_ ? colorScheme_->SkinName() : String(); }

void TdxCustomRibbon::SetColorSchemeName(const String& value) {
    auto* scheme = As<TdxCustomRibbonSkin>(BarSkinManagerInstance()->FindSkin(value));
    if (!scheme || scheme == colorScheme_) return;
    colorScheme_ = scheme;
    ColorSchemeChanged();
}

void TdxCustomRibbon::SchemeRemoved(TdxCustomBarSkin* scheme) {
    if (scheme != colorScheme_) return;
    // The pointer is stale: never read through it again.
    colorScheme_ = FirstRibbonScheme();
    ColorSchemeChanged();
}

void TdxCustomRibbon::ColorSchemeChanged() {
    auto* form = As<TCustomForm>(Owner());
    const bool formRedraw = form && form->HandleAllocated() && form->Visible();
    if (formRedraw) SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    try {
        fonts_->UpdateFonts();
        Changed();
    } catch (...) {
        colorSchemeListeners_->CallHandlers(this);
        if (formRedraw) SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
        throw;
    }
    colorSchemeListeners_->CallHandlers(this);
    if (formRedraw) {
        SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
        // The frame's widths may differ between schemes.
        if (supportNonClientDrawing_)
            SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
    }
}

// ---- options -------------------------------------------------------------------------------

void TdxCustomRibbon::SetDocumentName(const String& value) {
    if (documentName_ == value) return;
    documentName_ = value;
    Changed();
}

void TdxCustomRibbon::SetShowTabGroups(bool value) {
    if (showTabGroups_ == value) return;
    CloseGroupsPopup();
    showTabGroups_ = value;
    if (!value && activeTab_) activeTab_->DeactivateGroups();
    if (value && activeTab_) activeTab_->ActivateGroups();
    Changed();
}

void TdxCustomRibbon::ShowGroupsPopup() {
    if (!activeTab_ || !HandleAllocated() || hidden_) return;
    if (!groupsPopupWindow_) groupsPopupWindow_ = new TdxRibbonTabGroupsPopupWindow(this);
    // The press that closed the popup last time was taken by the popup: nobody asked for it.
    groupsPopupWindow_->ConsumeClosedByOwnerClick();
    groupsPopupWindow_->ShowPopup(nullptr);
}

void TdxCustomRibbon::CloseGroupsPopup() {
    if (groupsPopupWindow_ && groupsPopupWindow_->IsShown()) groupsPopupWindow_->ClosePopup();
}

void TdxCustomRibbon::GroupsPopupShowing(bool shown) {
    groupsPopupShown_ = shown;
    Invalidate();
}

void TdxCustomRibbon::SetShowTabHeaders(bool value) {
    if (showTabHeaders_ == value) return;
    showTabHeaders_ = value;
    Changed();
    Invalidate();
}

void TdxCustomRibbon::SetFadingEnabled(bool value) {
    if (fadingEnabled_ == value) return;
    fadingEnabled_ = value;
    if (!value)
        if (TdxFader* fader = FaderInstance()) fader->Clear();
    Invalidate();
}

bool TdxCustomRibbon::IsFadingAllowed() const {
    TdxFader* fader = FaderInstance();
    return fadingEnabled_ && !IsLocked() && !IsDesigning() && fader && fader->IsFadingAvailable();
}

// ---- update bracket and recalculation ------------------------------------------------------

void TdxCustomRibbon::BeginUpdate() {
    if (++lockCount_ == 1 && groupsSite_->HandleAllocated()) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 0, 0);
}

void TdxCustomRibbon::EndUpdate() {
    if (--lockCount_ != 0 || HasState(this, csDestroying)) return;
    Changed();
    if (groupsSite_->HandleAllocated()) {
        SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 1, 0);
        if (Visible()) InvalidateWithChildren();
    }
}

void TdxCustomRibbon::EndUpdateNoRecalc() {
    if (--lockCount_ != 0 || HasState(this, csDestroying)) return;
    if (groupsSite_->HandleAllocated()) SendMessageW(groupsSite_->Handle(), WM_SETREDRAW, 1, 0);
}

bool TdxCustomRibbon::IsLocked() const {
    return lockCount_ > 0 || !HandleAllocated() || HasState(this, csLoading) || HasState(this, csDestroying);
}

void TdxCustomRibbon::Changed() {
    if (IsLocked() || creating_) return;
    ++changeCount_;
    if (!IsDesigning())
        if (TdxFader* fader = FaderInstance()) fader->Clear();
    CalculateCaptionHeight();
    if (formCaptionHelper_) formCaptionHelper_->Recalculate();
    viewInfo_->Calculate(ClientRect());
    Invalidate();
}

void TdxCustomRibbon::FullInvalidate() {
    if (HasState(this, csDestroying) || !HandleAllocated() || !Visible()) return;
    quickAccessToolbar_->UpdateDockControl();
    if (activeTab_) activeTab_->RecalculateGroups();
    groupsSite_->Invalidate();
    Invalidate();
}

void TdxCustomRibbon::AdjustHeight() {
    if (HasState(this, csLoading)) return;
    // A hidden ribbon keeps only the form caption's part.
    const int height = hidden_ && !IsDesigning() ? FormCaptionHeight() : viewInfo_->GetRibbonHeight();
    if (Height() != height) SetHeight(height);
}

void TdxCustomRibbon::ConstrainedResize(int& width, int& height) {
    TcxControl::ConstrainedResize(width, height);
    if (!HasState(this, csLoading) && viewInfo_)
        height = hidden_ && !IsDesigning() ? FormCaptionHeight() : viewInfo_->GetRibbonHeight();
}

void TdxCustomRibbon::Resize() {
    TcxControl::Resize();
    Changed();
}

void TdxCustomRibbon::CreateWnd() {
    TcxControl::CreateWnd();
    InstallRibbonWheelHook();
    Changed();
}

void TdxCustomRibbon::NotifyFontListeners() {
    TdxRibbonUpdateLock update(this);
    TcxControl::NotifyFontListeners();
    fonts_->UpdateFonts();
}

// ---- group metrics -------------------------------------------------------------------------

int TdxCustomRibbon::GetGroupCaptionHeight() {
    // The height of "Qq" in the group header font (at least 8 points), plus 1.
    TFont* font = fonts_->GetGroupHeaderFont();
    return FontTextHeight(font, L"Qq", font->Size() < 8 ? 8 : 0) + 1;
}

int TdxCustomRibbon::GetGroupRowHeight() {
    // A small (16-pixel) glyph with the button's content offsets (3 above and below), made even.
    int s = 16, extra = 6;
    return s + extra + ((s % 2) != (extra % 2) ? 1 : 0);
}

TdxRibbonBarPainter* TdxCustomRibbon::GroupsPainter() {
    if (!groupsPainter_) groupsPainter_ = std::make_unique<TdxRibbonBarPainter>(this);
    return groupsPainter_.get();
}

void TdxCustomRibbon::DoTabGroupCollapsed(TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
    if (OnTabGroupCollapsed) OnTabGroupCollapsed(this, tab, group);
}

void TdxCustomRibbon::DoTabGroupExpanded(TdxRibbonTab* tab, TdxRibbonTabGroup* group) {
    if (OnTabGroupExpanded) OnTabGroupExpanded(this, tab, group);
}

int TdxCustomRibbon::GetGroupHeight() { return GetGroupRowsHeight() + GroupTopInset + GetGroupCaptionHeight() + 4; }

// ---- keys ----------------------------------------------------------------------------------

void TdxCustomRibbon::FormKeyDown(Word& key, TShiftState shift) {
    if (HasState(this, csDestroying) || !HandleAllocated()) return;
    if (key == VK_F1 && shift.Contains(ssCtrl) && !IsGroupsPopupShown()) {
        SetShowTabGroups(!showTabGroups_);
        key = 0;
    }
}

void TdxCustomRibbon::KeyDown(Word& key, TShiftState shift) {
    TcxControl::KeyDown(key, shift);
    FormKeyDown(key, shift);
}

// ---- IdxSkin -------------------------------------------------------------------------------

void TdxCustomRibbon::DrawSkinPart(HDC dc, const TRect& r, int part, int state) {
    TdxCustomRibbonSkin* s = colorScheme_;
    if (!s || IsRectEmpty(&r)) return;
    switch (part) {
        case 1: {
            // The group body, then its caption band below it.
            TRect body = r;
            body.bottom -= GetGroupCaptionHeight() + GroupBottomGap;
            s->DrawTabGroupBackground(dc, body, state);
            s->DrawTabGroupHeaderBackground(dc, TRect{r.left, body.bottom, r.right, r.bottom}, state);
            break;
        }
        case 3:
            s->DrawButton(dc, r, state);
            break;
        case 4:
            s->DrawSplitButtonRight(dc, r, state);
            break;
        case 5:
            s->DrawSplitButtonLeft(dc, r, state);
            break;
        case 6:
            s->DrawLargeButton(dc, r, state);
            break;
        case 7:
            s->DrawLargeSplitButtonBottom(dc, r, state);
            break;
        case 8:
            s->DrawLargeSplitButtonTop(dc, r, state);
            break;
        case 11:
            s->DrawEditButton(dc, r, state);
            break;
        case 13:
            s->DrawEditDropDownButton(dc, r, state);
            break;
        case 14:
            s->DrawEditEllipsisButton(dc, r, state);
            break;
        case 15:
            s->DrawSpinDownButton(dc, r, state);
            break;
        case 16:
            s->DrawSpinUpButton(dc, r, state);
            break;
        case 30:
            s->DrawProgressSolidBand(dc, r);
            break;
        case 31:
            s->DrawProgressDiscreteBand(dc, r);
            break;
        case 32:
            s->DrawProgressBorder(dc, r);
            break;
        case 40:
            s->DrawScreenTip(dc, r);
            break;
        case 50:
            s->DrawInRibbonGalleryPane(dc, r, state);
            break;
        case 53:
        case 54:
        case 55:
            s->DrawInRibbonGalleryScrollButton(dc, r, part - 53, state);
            break;
        case 56:
            s->DrawDropDownGalleryBackground(dc, r);
            break;
        case 57:
            s->DrawDropDownGallerySizePanelTop(dc, r);
            break;
        case 58:
            s->DrawDropDownGallerySizePanelBottom(dc, r);
            break;
        case 59:
            s->DrawDropDownGallerySizeGripTop(dc, r);
            break;
        case 60:
            s->DrawDropDownGallerySizeGripBottom(dc, r);
            break;
        case 61:
            s->DrawDropDownGalleryVerticalSizeGripTop(dc, r);
            break;
        case 62:
            s->DrawDropDownGalleryVerticalSizeGripBottom(dc, r);
            break;
        case 63:
            s->DrawDropDownGalleryGroupHeader(dc, r);
            break;
        case 65:
            s->DrawDropDownGalleryFilterPanel(dc, r);
            break;
        case 336:
            s->DrawMarkArrow(dc, r, state);
            break;
        case 337:
            s->DrawMarkTruncated(dc, r, state);
            break;
        case 340:
            s->DrawButtonArrow(dc, r, state);
            break;
        case 360:
            s->DrawScrollArrow(dc, r);
            break;
        case 365:
            s->DrawArrowDown(dc, r);
            break;
        case 366:
            s->DrawArrowRight(dc, r);
            break;
        case 370:
            s->DrawMenuDetachCaption(dc, r, state);
            break;
        case 380:
            s->DrawMenuGlyphStrip(dc, r);
            break;
        case 390:
            s->DrawMenuContent(dc, r);
            break;
        case 400:
            s->DrawMenuSeparatorHorz(dc, r);
            break;
        case 410:
            s->DrawMenuSeparatorVert(dc, r);
            break;
        case 430:
            s->DrawMenuCheck(dc, r, state);
            break;
        case 440:
            s->DrawMenuCheckMark(dc, r, state);
            break;
        case 442:
            s->DrawMenuMarkGlyph(dc, r);
            break;
        case 446:
            s->DrawMenuScrollButton(dc, r, state);
            break;
        case 450:
            s->DrawDropDownBorder(dc, r);
            break;
        // Hook (application menu): the pressed application button is drawn over the menu after
        // its border and its content header.
        case 452:
            s->DrawApplicationMenuBorder(dc, r);
            break;
        case 453:
            s->DrawApplicationMenuContentHeader(dc, r);
            break;
        case 454:
            s->DrawApplicationMenuContentFooter(dc, r);
            break;
        case 458:
            s->DrawApplicationMenuButton(dc, r, state);
            break;
        case 460:
            s->DrawButtonGroupButton(dc, r, state);
            break;
        case 470:
            s->DrawButtonGroupBorderLeft(dc, r);
            break;
        case 480:
            s->DrawButtonGroupSeparator(dc, r, state);
            break;
        case 490:
            s->DrawButtonGroupBorderRight(dc, r);
            break;
        case 500:
            s->DrawButtonGroupSplitButtonSeparator(dc, r, state);
            break;
        case 510:
            s->DrawGroupLaunchButtonGlyph(dc, r, state);
            break;
        case 515:
            s->DrawGroupLaunchButtonBackground(dc, r, state);
            break;
        case 520:
            s->DrawQuickAccessToolbarGroupButton(dc, r, viewInfo_->IsQATBelow(), viewInfo_->DrawsFormCaption(), false,
                                                 state);
            break;
        case 1000:
            s->DrawCollapsedGroup(dc, r, state);
            break;
        case 1001:
            s->DrawCollapsedGroupGlyphBackground(dc, r, state);
            break;
        default:
            break;  // every other part draws nothing
    }
}

void TdxCustomRibbon::DrawSkinPartCaption(HDC dc, const String& text, const TRect& r, int part, int /*state*/) {
    if (part != 1) return;
    TFont* font = fonts_->GetGroupHeaderFont();
    HGDIOBJ oldFont = SelectObject(dc, font->Handle());
    const COLORREF oldColor = SetTextColor(dc, ColorToRGB(font->Color()));
    SetBkMode(dc, TRANSPARENT);
    TRect textRect = r;
    textRect.top += 1;
    DrawTextInDC(dc, text, textRect, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

void TdxCustomRibbon::CalcSkinCaptionRect(const TRect& r, int part, TRect& captionRect) {
    if (part != 1) {
        captionRect = TRect{};
        return;
    }
    captionRect = TRect{r.left + GroupLeftInset, r.top, r.right - GroupRightInset, r.bottom - GroupBottomGap};
    captionRect.top = captionRect.bottom - GetGroupCaptionHeight();
}

void TdxCustomRibbon::GetSkinPartContentOffsets(int part, TRect& offsets) {
    switch (part) {
        case 1:
            offsets =
                TRect{GroupLeftInset, GroupTopInset, GroupRightInset, GetGroupCaptionHeight() + 1 + GroupBottomGap};
            break;
        case 3:
        case 520:
            offsets = TRect{3, 3, 3, 3};
            break;
        case 65:
            offsets = colorScheme_ ? colorScheme_->GetPartContentOffsets(65) : TRect{};
            break;
        case 1000:
            offsets = TRect{2, 2, 2, 2};
            break;
        case 1001:
            offsets = TRect{7, 4, 7, 11};
            break;
        default:
            offsets = TRect{};
            break;
    }
}

void TdxCustomRibbon::GetSkinName(String& name) { name = colorScheme_ ? colorScheme_->GetSkinName() : String(); }

TColor TdxCustomRibbon::GetSkinPartColor(int part, int state) {
    return colorScheme_ ? colorScheme_->PartColor(part, state) : clDefault;
}

int TdxCustomRibbon::GetSkinPartOffset(int part) {
    if (part == 1) return 2;
    if (part == 460) return 3;
    return 0;
}

// ---- painting and input --------------------------------------------------------------------

// ---- the form's caption and frame ----------------------------------------------------------

TdxCustomRibbonForm* TdxCustomRibbon::GetRibbonForm() const {
    auto* form = As<TdxCustomRibbonForm>(Owner());
    return form && !HasState(form, csDestroying) ? form : nullptr;
}

void TdxCustomRibbon::SetSupportNonClientDrawing(bool value) {
    if (supportNonClientDrawing_ == value) return;
    supportNonClientDrawing_ = value;
    TdxCustomRibbonForm* form = GetRibbonForm();
    if (value) {
        formCaptionHelper_ = std::make_unique<TdxRibbonFormCaptionHelper>(this, this);
        UpdateNonClientState();
        return;
    }
    // The form lets go of the helper before it is freed.
    formCaptionHeight_ = 0;
    if (form) form->SetCaptionHelper(nullptr);
    formCaptionHelper_.reset();
    if (!HasState(this, csDestroying)) UpdateNonClientState();
}

void TdxCustomRibbon::UpdateNonClientState() {
    TdxCustomRibbonForm* form = GetRibbonForm();
    if (form && !HasState(this, csDestroying)) {
        CalculateCaptionHeight();
        form->SetCaptionHelper(formCaptionHelper_.get());
    }
    if (!HasState(this, csDestroying)) Changed();
}

void TdxCustomRibbon::CalculateCaptionHeight() {
    if (!supportNonClientDrawing_ || !GetRibbonForm()) {
        formCaptionHeight_ = 0;
        return;
    }
    TdxCustomRibbonForm* form = GetRibbonForm();
    int height = form->UsesCompositionFrame() && form->HandleAllocated()
                     ? GetDefaultFrameInsets(form->Handle()).top
                     : std::max(GetSystemMetrics(SM_CYCAPTION) - 1, GetSystemMetrics(SM_CYSIZE)) + 6;
    height = std::max(height, 2 * std::abs(fonts_->GetFormCaptionFont(true)->Height()));
    height = std::max(height, 2 * std::abs(fonts_->GetFormCaptionFont(false)->Height()));
    formCaptionHeight_ = height;
}

String TdxCustomRibbon::GetFormCaptionText() const {
    TdxCustomRibbonForm* form = GetRibbonForm();
    if (form && form->FormStyle() == fsMDIForm) {
        String text = form->Caption();
        if (!documentName_.empty()) text += L" - " + documentName_;
        return text;
    }
    return viewInfo_->GetCaptionText();
}

void TdxCustomRibbon::FormCaptionChanged() {
    if (!GetRibbonForm()) return;
    if (IsLocked()) return;
    viewInfo_->Calculate(ClientRect());
    RedrawRibbon();
}

void TdxCustomRibbon::UpdateNonClientDrawing() {
    if (viewInfo_->ShouldBeHidden() != hidden_) Changed();
}

void TdxCustomRibbon::RedrawRibbon() {
    if (HandleAllocated() && IsWindowVisible(Handle()))
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TdxCustomRibbon::RegisterPart(IdxRibbonStatusBarPart* part) {
    if (std::find(nonClientParts_.begin(), nonClientParts_.end(), part) == nonClientParts_.end())
        nonClientParts_.push_back(part);
}

void TdxCustomRibbon::UnregisterPart(IdxRibbonStatusBarPart* part) {
    nonClientParts_.erase(std::remove(nonClientParts_.begin(), nonClientParts_.end(), part), nonClientParts_.end());
}

IdxRibbonStatusBarPart* TdxCustomRibbon::GetStatusBarPart() const {
    TdxCustomRibbonForm* form = GetRibbonForm();
    if (!supportNonClientDrawing_ || !form || !form->HandleAllocated() || form->UsesCompositionFrame()) return nullptr;
    HWND window = form->Handle();
    if (IsIconic(window) || IsZoomed(window)) return nullptr;
    for (IdxRibbonStatusBarPart* part : nonClientParts_)
        if (part->IsOnForm(form)) return part;
    return nullptr;
}

void TdxCustomRibbon::DrawRibbonFormCaption(TcxCanvas* canvas, const TRect& bounds, const FormPaintData& data) {
    painter_->DrawRibbonFormCaption(canvas, bounds, data);
}

void TdxCustomRibbon::DrawRibbonFormBorders(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data) {
    DrawStatusBarFramePieces(canvas, bordersWidth, data);
    painter_->DrawRibbonFormBorders(canvas, bordersWidth, data);
}

void TdxCustomRibbon::DrawStatusBarFramePieces(TcxCanvas* canvas, const TRect& bordersWidth,
                                               const FormPaintData& data) {
    IdxRibbonStatusBarPart* part = data.WindowState == 0 ? GetStatusBarPart() : nullptr;
    if (!part || !colorScheme_) return;
    const int w = RectWidth(data.FormBounds), h = RectHeight(data.FormBounds);
    const bool sizeable = data.BorderStyle != bsSingle && data.BorderStyle != bsDialog &&
                          data.BorderStyle != bsToolWindow && data.FormStyle != fsMDIChild;
    const int top = h - part->GetHeight() - 1, bottom = sizeable ? h - 1 : h;
    const TRect pieces[2] = {{0, top, bordersWidth.left, bottom}, {w - bordersWidth.right, top, w, bottom}};
    for (int i = 0; i < 2; ++i) {
        const bool isLeft = i == 0;
        colorScheme_->DrawFormStatusBarBorder(canvas->GetCanvasHandle(), pieces[i], isLeft, data.IsActive != 0,
                                              part->IsFrameRaised(isLeft), !sizeable);
        canvas->ExcludeRectFromClip(pieces[i]);
    }
}

void TdxCustomRibbon::DrawRibbonFormBorderIcon(TcxCanvas* canvas, const TRect& bounds, TdxRibbonBorderIcon icon,
                                               int state) {
    painter_->DrawRibbonFormBorderIcon(canvas, bounds, icon, state);
}

HRGN TdxCustomRibbon::GetRibbonApplicationButtonRegion() {
    if (!viewInfo_->IsApplicationButtonShown()) return nullptr;
    const TRect& r = viewInfo_->ApplicationButtonArea();
    return CreateRectRgn(r.left, r.top, r.right, r.bottom);
}

TColor TdxCustomRibbon::GetRibbonFormColor() { return colorScheme_ ? colorScheme_->PartColor(10018, 0) : clBtnFace; }

TRect TdxCustomRibbon::GetWindowBordersWidth() {
    return colorScheme_ ? colorScheme_->GetWindowBordersWidth(HasStatusBar()) : TRect{4, 0, 4, 4};
}

void TdxCustomRibbon::Paint() {
    if (TcxCanvas* canvas = cxCanvas()) viewInfo_->Paint(canvas);
}

void TdxCustomRibbon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TcxControl::MouseDown(button, shift, x, y);
    controller_->MouseDown(button, shift, x, y);
}

void TdxCustomRibbon::MouseMove(TShiftState shift, int x, int y) {
    TcxControl::MouseMove(shift, x, y);
    controller_->MouseMove(shift, x, y);
}

void TdxCustomRibbon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TcxControl::MouseUp(button, shift, x, y);
    controller_->MouseUp(button, shift, x, y);
}

void TdxCustomRibbon::DblClick() {
    TcxControl::DblClick();
    controller_->DblClick();
}

void TdxCustomRibbon::FireMouseLeave(TControl* control) {
    TcxControl::FireMouseLeave(control);
    if (controller_) controller_->MouseLeave();
}

bool TdxCustomRibbon::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TcxControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    return controller_->MouseWheel(wheelDelta < 0);
}

// ---- the form ------------------------------------------------------------------------------

TCustomForm* TopLevelFormOf(TControl* control) {
    TCustomForm* form = nullptr;
    for (TControl* c = control; c; c = c->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(c)) form = f;
    return form;
}

void TdxCustomRibbon::SetParent(TWinControl* parent) {
    TCustomForm* form = TopLevelFormOf(parent);
    UnhookForm();
    TcxControl::SetParent(form ? form : parent);
    if (form) {
        SetTop(0);
        HookForm(form);
    }
}

void TdxCustomRibbon::HookForm(TCustomForm* form) {
    hookedForm_ = form;
    form->FreeNotification(this);
    previousFormProc_ = form->WindowProc();
    form->SetWindowProc(MakeEvent(this, &TdxCustomRibbon::FormWindowProc));
}

void TdxCustomRibbon::UnhookForm() {
    if (!hookedForm_) return;
    // Only the procedure put in last can be taken out again.
    if (hookedForm_->WindowProc() == MakeEvent(this, &TdxCustomRibbon::FormWindowProc))
        hookedForm_->SetWindowProc(previousFormProc_);
    hookedForm_->RemoveFreeNotification(this);
    hookedForm_ = nullptr;
}

void TdxCustomRibbon::FormWindowProc(TMessage& message) {
    previousFormProc_(message);
    if (message.Msg == WM_SIZE && !HasState(this, csDestroying) && viewInfo_->ShouldBeHidden() != hidden_) Changed();
}

// ---- streaming -----------------------------------------------------------------------------

void TdxCustomRibbon::ReadState(TReader* reader) {
    if (!tabsReadStarted_) {
        tabs_->DeleteAll();
        tabsReadStarted_ = true;
    }
    TcxControl::ReadState(reader);
    loadedHeight_ = Height();
}

void TdxCustomRibbon::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (int i = 0; i < tabs_->Count(); ++i)
        if (tabs_->Items(i)->Owner() == root) proc(tabs_->Items(i));
}

void TdxCustomRibbon::Loaded() {
    TdxRibbonUpdateLock update(this);
    for (int i = 0; i < tabs_->Count(); ++i) tabs_->Items(i)->SetBarManager(barManager_);
    TcxControl::Loaded();
    if (activeTab_) activeTab_->DockGroupToolbars();
}

void TdxCustomRibbon::Notification(TComponent* component, TOperation operation) {
    TcxControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == hookedForm_) hookedForm_ = nullptr;
    if (component == contextMenu_) contextMenu_ = nullptr;
    if (component == barManager_) {
        SetBarManager(nullptr);
        if (!HasState(this, csDestroying) && quickAccessToolbar_) quickAccessToolbar_->SetToolbar(nullptr);
    }
    if (quickAccessToolbar_ && component == quickAccessToolbar_->Toolbar()) quickAccessToolbar_->ToolbarRemoved();
}

// ---- the unit ------------------------------------------------------------------------------

const std::vector<TdxCustomRibbon*>& GetLiveRibbons() { return LiveRibbons(); }

IdxBarAccessibilityHelper* TdxCustomRibbon::ObtainAccessibilityHelper() {
    if (HasState(this, csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxRibbonAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

void InitializedxRibbon() {
    RegisterRibbonRootHelperLookup();
    RegisterClasses({TdxRibbon::StaticClass(), TdxRibbonTab::StaticClass()});
    RegisterRibbonQuickAccessClasses();
    RegisterRibbonQuickAccessDesignHelper();
    schemeWatcher = new TRibbonSchemeWatcher();
    BarSkinManagerInstance()->ChangeHandlers().AddHandler(
        MakeEvent(schemeWatcher, &TRibbonSchemeWatcher::SkinsChanged));
}

void FinalizedxRibbon() {
    UnregisterRibbonRootHelperLookup();
    UnregisterRibbonQuickAccessClasses();
    UnregisterRibbonQuickAccessDesignHelper();
    RemoveRibbonWheelHook();
    if (!schemeWatcher) return;
    BarSkinManagerInstance()->ChangeHandlers().RemoveHandler(
        MakeEvent(schemeWatcher, &TRibbonSchemeWatcher::SkinsChanged));
    delete schemeWatcher;
    schemeWatcher = nullptr;
}
