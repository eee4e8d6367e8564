#include "dxRibbonQuickAccessAccessibility.h"

#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarNavigationController.h"
#include "dxRibbon.h"
#include "dxRibbonKeyTips.h"
#include "dxRibbonQuickAccess.h"

namespace {

constexpr Integer StateInvisible = 0x8000;

}  // namespace

// ---- the toolbar window --------------------------------------------------------------------

TdxRibbonQuickAccessBarControl* TdxRibbonQuickAccessBarControlAccessibilityHelper::ToolbarWindow() const {
    return static_cast<TdxRibbonQuickAccessBarControl*>(OwnerObject());
}

TdxBarAccessibilityHelper* TdxRibbonQuickAccessBarControlAccessibilityHelper::MarkHelper() {
    if (!IsOwnerObjectLive() || !ToolbarWindow()->HasMark()) return nullptr;
    return GetHelperObject(ToolbarWindow()->ObtainMarkAccessibilityHelper());
}

TcxAccessibilityHelper* TdxRibbonQuickAccessBarControlAccessibilityHelper::DoGetChild(Integer index) {
    const Integer items = TdxBarPlainControlAccessibilityHelper::DoGetChildCount();
    return index < items ? TdxBarPlainControlAccessibilityHelper::DoGetChild(index) : MarkHelper();
}

Integer TdxRibbonQuickAccessBarControlAccessibilityHelper::DoGetChildCount() {
    return TdxBarPlainControlAccessibilityHelper::DoGetChildCount() + (MarkHelper() ? 1 : 0);
}

Integer TdxRibbonQuickAccessBarControlAccessibilityHelper::DoGetChildIndex(TcxAccessibilityHelper* child) {
    if (child && child == MarkHelper()) return TdxBarPlainControlAccessibilityHelper::DoGetChildCount();
    return TdxBarPlainControlAccessibilityHelper::DoGetChildIndex(child);
}

TcxAccessibilityHelper* TdxRibbonQuickAccessBarControlAccessibilityHelper::DoGetParentHelper() {
    TdxCustomRibbon* ribbon = ToolbarWindow()->GetRibbon();
    return ribbon ? GetHelperObject(ribbon->ObtainAccessibilityHelper()) : nullptr;
}

void TdxRibbonQuickAccessBarControlAccessibilityHelper::CollectChildKeyTips(TdxBarKeyTipDataList& list) {
    if (!IsVisibleByState()) return;
    TdxRibbonQuickAccessBarControl* window = ToolbarWindow();
    TdxBarItemLinks* links = window->ItemLinks();
    int position = 0;
    for (int i = 0; links && i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        TdxBarAccessibilityHelper* helper = GetLinkHelper(link);
        if (!helper) continue;
        const String text = GetQuickAccessPositionalKeyTip(position++);
        if (text.empty()) break;  // past the last positional key tip
        std::unique_ptr<TdxBarKeyTipData> data = helper->CreateKeyTipData();
        data->Info.Text = text;
        // A link cut off the toolbar keeps its key tip, without a label.
        const TRect r = link->ItemRect();
        data->Info.IsVisible = data->Info.IsVisible && !IsRectEmpty(&r);
        list.push_back(std::move(data));
    }
    if (window->ItemsCut())
        if (TdxBarAccessibilityHelper* mark = MarkHelper()) mark->AddKeyTipData(list);
}

void TdxRibbonQuickAccessBarControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control,
                                                                              TPoint& anchor,
                                                                              Byte& horizontalAlignment,
                                                                              Byte& verticalAlignment) {
    TdxBarPlainControlAccessibilityHelper::GetItemKeyTipPosition(control, anchor, horizontalAlignment,
                                                                 verticalAlignment);
    horizontalAlignment = 1;
}

// ---- the mark ------------------------------------------------------------------------------

TdxRibbonQuickAccessBarControl* TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::ToolbarWindow() const {
    return static_cast<TdxRibbonQuickAccessBarControl*>(OwnerObject());
}

TdxBarManager* TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::GetBarManager() {
    return IsOwnerObjectLive() ? ToolbarWindow()->GetManager() : nullptr;
}

TcxAccessibilityHelper* TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::DoGetParentHelper() {
    return GetHelperObject(ToolbarWindow()->ObtainAccessibilityHelper());
}

HWND TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::DoGetOwnerWindow() {
    return ToolbarWindow()->HandleAllocated() ? ToolbarWindow()->Handle() : nullptr;
}

RECT TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::DoGetScreenBounds() {
    TdxRibbonQuickAccessBarControl* window = ToolbarWindow();
    if (!window->HandleAllocated()) return RECT{};
    const TRect mark = window->GetMarkRect();
    const TPoint topLeft = window->ClientToScreen(TPoint{mark.left, mark.top});
    return RECT{topLeft.x, topLeft.y, topLeft.x + RectWidth(mark), topLeft.y + RectHeight(mark)};
}

Integer TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::DoGetState() {
    TdxRibbonQuickAccessBarControl* window = ToolbarWindow();
    const bool shown = window->HandleAllocated() && IsWindowVisible(window->Handle()) && window->HasMark();
    return shown ? 0 : StateInvisible;
}

String TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::GetDefaultKeyTip() {
    return IsOwnerObjectLive() && ToolbarWindow()->ItemsCut() ? L"00" : String();
}

void TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::FillKeyTipInfo(TdxBarKeyTipInfo& info) {
    TdxBarAccessibilityHelper::FillKeyTipInfo(info);
    const RECT r = GetScreenBounds(0);
    info.Anchor = TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    info.HorizontalAlignment = 2;
    info.VerticalAlignment = 1;
    info.IsEnabled = true;
}

bool TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::AcceptsNavigationKey(Word key) {
    return key == VK_RETURN || key == VK_SPACE || TdxBarAccessibilityHelper::AcceptsNavigationKey(key);
}

bool TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::ProcessNavigationKey(Word& key) {
    if (key != VK_RETURN && key != VK_SPACE) return TdxBarAccessibilityHelper::ProcessNavigationKey(key);
    ExecuteKeyTip();
    return true;
}

void TdxRibbonQuickAccessBarControlMarkAccessibilityHelper::ExecuteKeyTip() {
    if (!IsOwnerObjectLive()) return;
    // The window may go while keyboard mode ends: it is asked again afterwards.
    IPtr<TdxBarAccessibilityHelper> self(this);
    if (TdxBarNavigationController* controller = GetNavigationController()) controller->LeaveKeyboardMode();
    if (IsOwnerObjectLive()) ToolbarWindow()->ShowCustomizeMenu();
}
