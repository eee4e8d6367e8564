#include "dxRibbonController.h"

#include "CallbackBarrier.h"
#include "Form.h"
#include "Mouse.h"
#include "cxClasses.h"
#include "dxCore.h"
#include "dxRibbon.h"
#include "dxRibbonViewInfo.h"

TdxRibbonController::TdxRibbonController(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {
    repeatTimer_ = new TTimer(nullptr);
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetOnTimer(MakeEvent(this, &TdxRibbonController::RepeatTimerTick));
}

TdxRibbonController::~TdxRibbonController() {
    HideHint();  // the manager must not ask a gone controller for its text
    delete repeatTimer_;
}

void TdxRibbonController::SetHotElement(const TdxRibbonHitInfo& info) {
    const TdxRibbonHitTest old = hotElement_;
    hotElement_ = info.hitTest;
    ribbon_->SetHotTab(info.hitTest == rhtTab ? info.tab : nullptr);
    if (old != hotElement_) ribbon_->Invalidate();
}

void TdxRibbonController::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    HideHint();
    if (button == mbRight) {
        RightButtonDown(x, y);
        return;
    }
    if (button != mbLeft) return;
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(x, y, info);
    pressedElement_ = info.hitTest;
    switch (info.hitTest) {
        case rhtTab:
            TabMouseDown(info.tab, shift);
            break;
        case rhtTabScrollLeft:
            ScrollStep(info.hitTest, -TabScrollStep);
            break;
        case rhtTabScrollRight:
            ScrollStep(info.hitTest, TabScrollStep);
            break;
        default:
            break;
    }
    ribbon_->Invalidate();
}

void TdxRibbonController::RightButtonDown(int x, int y) {
    if (ribbon_->ComponentState().Contains(csDesigning)) return;
    TdxRibbonViewInfo* viewInfo = ribbon_->ViewInfo();
    TdxRibbonHitInfo info;
    viewInfo->HitTest(x, y, info);
    const POINT p{x, y};
    const TRect tabRow = viewInfo->GetTabsBounds();
    const TRect qat = viewInfo->QATBounds();
    if (info.hitTest == rhtTab || (viewInfo->AreTabHeadersShown() && PtInRect(&tabRow, p)) ||
        (viewInfo->IsQATVisible() && viewInfo->IsQATBelow() && PtInRect(&qat, p)))
        ribbon_->ShowRibbonContextMenu();
}

void TdxRibbonController::TabMouseDown(TdxRibbonTab* tab, TShiftState shift) {
    ribbon_->SetActiveTab(tab);
    // A press on the active tab of an open popup never gets here: the popup closes and takes
    // the press, so that the click that closed it does not open it again.
    if (shift.Contains(ssDouble) || ribbon_->ShowTabGroups() || ribbon_->ActiveTab() != tab) return;
    ribbon_->ShowGroupsPopup();
}

void TdxRibbonController::MouseMove(TShiftState /*shift*/, int x, int y) {
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(x, y, info);
    SetHotElement(info);
    SetHintElement(info);
}

void TdxRibbonController::MouseUp(TMouseButton button, TShiftState /*shift*/, int x, int y) {
    if (button != mbLeft) return;
    const TdxRibbonHitTest pressed = pressedElement_;
    pressedElement_ = rhtNone;
    StopScrolling();
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(x, y, info);
    if (pressed == rhtHelpButton && info.hitTest == rhtHelpButton) ribbon_->DoHelpButtonClick();
    ribbon_->Invalidate();
}

void TdxRibbonController::MouseLeave() {
    if (HasHint(hintElement_)) ResetHint();
    SetHotElement(TdxRibbonHitInfo{});
}

bool TdxRibbonController::HasHint(TdxRibbonHitTest code) {
    switch (code) {
        case rhtTab:
        case rhtApplicationButton:
        case rhtHelpButton:
        case rhtMDIMinimize:
        case rhtMDIRestore:
        case rhtMDIClose:
            return true;
        default:
            return false;
    }
}

void TdxRibbonController::SetHintElement(const TdxRibbonHitInfo& info) {
    if (ribbon_->IsLocked() || !ribbon_->HasBarManager()) return;
    TdxRibbonTab* tab = info.hitTest == rhtTab ? info.tab : nullptr;
    if (info.hitTest == hintElement_ && tab == hintTab_) return;
    const TdxRibbonHitTest old = hintElement_;
    hintElement_ = info.hitTest;
    hintTab_ = tab;
    // The manager asks back for the text (GetHint) once its show delay has passed.
    if (HasHint(hintElement_))
        ribbon_->BarManager()->ShowItemHint(true, String(), this);
    else if (HasHint(old))
        HideHint();
}

bool TdxRibbonController::GetHint(bool& hideShown, String& hint, String& shortCut) {
    hideShown = true;
    shortCut.clear();
    // The tab may have gone since the mouse was over it.
    bool tabLives = false;
    for (int i = 0; i < ribbon_->Tabs()->Count() && !tabLives; ++i) tabLives = ribbon_->Tabs()->Items(i) == hintTab_;
    if (hintElement_ == rhtTab && !tabLives) return false;
    hint = HintTextFor(TdxRibbonHitInfo{hintElement_, hintTab_});
    return !hint.empty();
}

void TdxRibbonController::HideHint() {
    if (ribbon_->HasBarManager() && ribbon_->BarManager()->HintObject() == this) ribbon_->BarManager()->HideItemHint();
}

void TdxRibbonController::ResetHint() {
    hintElement_ = rhtNone;
    hintTab_ = nullptr;
    HideHint();
}

void TdxRibbonController::DblClick() {
    const TPoint p = ribbon_->ScreenToClient(Mouse->CursorPos());
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(p.x, p.y, info);
    // A double click on the active tab minimizes the ribbon or restores it; one on the
    // application button closes the form.
    if (info.hitTest == rhtTab && info.tab == ribbon_->ActiveTab())
        ribbon_->SetShowTabGroups(!ribbon_->ShowTabGroups());
    if (info.hitTest == rhtApplicationButton)
        if (TCustomForm* form = TopLevelFormOf(ribbon_)) form->Close();
}

bool TdxRibbonController::MouseWheel(bool down) {
    const int count = ribbon_->VisibleTabCount();
    // A minimized or hidden ribbon keeps its tab.
    if (count == 0 || ribbon_->Hidden() || !ribbon_->ShowTabGroups() || ribbon_->IsGroupsPopupShown()) return false;
    TdxRibbonTab* active = ribbon_->ActiveTab();
    const int index = active ? active->VisibleIndex() : -1;
    const int next = down ? index + 1 : index - 1;
    if (next < 0 || next >= count) return false;  // no wrapping round
    ribbon_->SetActiveTab(ribbon_->GetVisibleTab(next));
    return true;
}

void TdxRibbonController::CancelMode() {
    ResetHint();
    pressedElement_ = rhtNone;
    StopScrolling();
}

String TdxRibbonController::GetHintText(int x, int y) const {
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(x, y, info);
    return HintTextFor(info);
}

String TdxRibbonController::HintTextFor(const TdxRibbonHitInfo& info) const {
    switch (info.hitTest) {
        case rhtTab:
            // A tab's hint only repeats a caption that may be cut.
            return info.tab && ribbon_->ViewInfo()->TabsViewInfo()->TextsTruncated() ? info.tab->Caption() : String();
        case rhtMDIMinimize:
            return L"Minimize Window";
        case rhtMDIRestore:
            return L"Восстановить окно";
        case rhtMDIClose:
            return L"Закрыть окно";
        default:
            return String();  // Hook (screen tips): the application and help buttons' headers
    }
}

void TdxRibbonController::ScrollStep(TdxRibbonHitTest element, int step) {
    ResetHint();
    scrollingElement_ = element;
    ribbon_->ViewInfo()->TabsViewInfo()->ScrollBy(step);
    repeating_ = false;
    repeatTimer_->SetInterval(ScrollDelay);
    repeatTimer_->SetEnabled(true);
}

void TdxRibbonController::RepeatTimerTick(TObject*) {
    if (scrollingElement_ == rhtNone) {
        StopScrolling();
        return;
    }
    if (!repeating_) {
        repeating_ = true;
        repeatTimer_->SetInterval(ScrollInterval);
    }
    // Off the button the scrolling pauses until the mouse comes back.
    const TPoint p = ribbon_->ScreenToClient(Mouse->CursorPos());
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(p.x, p.y, info);
    if (info.hitTest != scrollingElement_) return;
    TdxRibbonTabsViewInfo* tabs = ribbon_->ViewInfo()->TabsViewInfo();
    tabs->ScrollBy(scrollingElement_ == rhtTabScrollLeft ? -TabScrollRepeatStep : TabScrollRepeatStep);
    // The button went away at the end of the row.
    const auto side = scrollingElement_ == rhtTabScrollLeft ? rsbLeft : rsbRight;
    if (!tabs->ScrollButtons().Contains(side)) StopScrolling();
}

void TdxRibbonController::StopScrolling() {
    scrollingElement_ = rhtNone;
    repeating_ = false;
    repeatTimer_->SetEnabled(false);
}

// ---- the wheel hook ------------------------------------------------------------------------

namespace {

HHOOK wheelHook = nullptr;

// The ribbon whose window, or a child window of it, is at the point; only one that shows its
// tab headers or its groups and takes input.
TdxCustomRibbon* RibbonAt(const POINT& screen) {
    for (HWND window = WindowFromPoint(screen); window; window = GetParent(window))
        if (auto* ribbon = dynamic_cast<TdxCustomRibbon*>(FindControl(window))) {
            const bool shows = !ribbon->Hidden() && (ribbon->ShowTabHeaders() || ribbon->ShowTabGroups());
            return shows && IsWindowVisible(window) && IsWindowEnabled(window) ? ribbon : nullptr;
        }
    return nullptr;
}

LRESULT CALLBACK RibbonWheelHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const bool handled = CallbackBarrier(false, [&] {
        if (code != HC_ACTION || wParam != WM_MOUSEWHEEL) return false;
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
        TdxCustomRibbon* ribbon = RibbonAt(info->pt);
        if (!ribbon || ribbon->IsDesigning()) return false;
        const auto delta = short(HIWORD(info->mouseData));
        ribbon->Controller()->MouseWheel(delta < 0);
        return true;  // the wheel over a ribbon is the ribbon's
    });
    return handled ? 1 : CallNextHookEx(wheelHook, code, wParam, lParam);
}

}  // namespace

void InstallRibbonWheelHook() {
    if (wheelHook || (PlatformMajorVersion != 5 && PlatformMajorVersion != 6)) return;
    InstallThreadHook(wheelHook, WH_MOUSE, &RibbonWheelHookProc);
}

void RemoveRibbonWheelHook() { RemoveThreadHook(wheelHook); }

bool IsRibbonWheelHookInstalled() { return wheelHook != nullptr; }
