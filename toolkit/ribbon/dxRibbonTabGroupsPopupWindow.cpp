#include "dxRibbonTabGroupsPopupWindow.h"

#include "Mouse.h"
#include "cxWindowHelpers.h"
#include "dxRibbon.h"
#include "dxRibbonViewInfo.h"

TdxRibbonTabGroupsPopupWindow::TdxRibbonTabGroupsPopupWindow(TdxCustomRibbon* ribbon)
    : TcxCustomPopupWindow(ribbon), ribbon_(ribbon) {
    SetModalMode(false);
}

void TdxRibbonTabGroupsPopupWindow::CreateParams(TCreateParams& params) {
    TcxCustomPopupWindow::CreateParams(params);
    params.WindowClass.style |= CS_SAVEBITS;
}

TRect TdxRibbonTabGroupsPopupWindow::OwnerScreenBounds() const {
    if (!ribbon_->HandleAllocated()) return TRect{};
    const TPoint topLeft = ribbon_->ClientToScreen(TPoint{0, 0});
    return TRect{topLeft.x, topLeft.y, topLeft.x + ribbon_->Width(), topLeft.y + ribbon_->Height()};
}

TRect TdxRibbonTabGroupsPopupWindow::CalculateBounds() const {
    TdxRibbonViewInfo* info = ribbon_->ViewInfo();
    const TRect ribbon = OwnerScreenBounds();
    const int headersBottom = ribbon.top + info->TabsViewInfo()->Bounds().bottom;
    const int headersTop = ribbon.top + info->TabsViewInfo()->Bounds().top;
    const int height = info->GetTabGroupsHeight(true);
    TRect r{ribbon.left, headersBottom - 1, ribbon.right, headersBottom - 1 + height};
    const TRect workArea = WorkAreaAtPoint(Mouse->CursorPos());
    // Kept inside the work area; above the headers when it would pass the bottom.
    if (r.right > workArea.right) OffsetRect(&r, workArea.right - r.right, 0);
    if (r.left < workArea.left) OffsetRect(&r, workArea.left - r.left, 0);
    if (r.bottom > workArea.bottom) OffsetRect(&r, 0, headersTop - r.bottom);
    return r;
}

void TdxRibbonTabGroupsPopupWindow::CalculateSize() {
    const TRect r = CalculateBounds();
    SetBounds(Left(), Top(), RectWidth(r), RectHeight(r));
}

void TdxRibbonTabGroupsPopupWindow::CalculatePosition(TPoint& position) {
    const TRect r = CalculateBounds();
    position = TPoint{r.left, r.top};
}

void TdxRibbonTabGroupsPopupWindow::DoShowing() {
    ribbon_->GroupsPopupShowing(true);
    TcxCustomPopupWindow::DoShowing();
    TdxRibbonTab* tab = ribbon_->ActiveTab();
    if (!tab) return;
    TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsSite();
    const TRect r = CalculateBounds();
    site->SetParent(this);
    site->SetBounds(0, 0, RectWidth(r), RectHeight(r));
    site->SetVisible(true);
    TdxRibbonGroupsDockControl* dock = tab->DockControl();
    const TRect area = tab->GetDockControlBounds();
    dock->GroupsViewInfo()->Reset();
    dock->SetBoundsRect(area);
    dock->HandleNeeded();
    dock->CalculateGroups(TRect{0, 0, RectWidth(area), RectHeight(area)});
    dock->SetVisible(true);
}

void TdxRibbonTabGroupsPopupWindow::DoClosed() {
    ribbon_->GroupsPopupShowing(false);
    TcxCustomPopupWindow::DoClosed();
    if (TdxRibbonTab* tab = ribbon_->ActiveTab()) tab->DockControl()->SetVisible(false);
    TdxRibbonGroupsDockControlSite* site = ribbon_->GroupsSite();
    site->SetBounds(0, 0, 0, 0);
    site->SetParent(ribbon_);
    ribbon_->Invalidate();
}

void TdxRibbonTabGroupsPopupWindow::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_ESCAPE) {
        key = 0;
        ClosePopup();
        return;
    }
    TcxCustomPopupWindow::KeyDown(key, shift);
}

bool TdxRibbonTabGroupsPopupWindow::IgnoresMouseMessage(HWND window, UINT message, TPoint point, TShiftState) {
    if (message != WM_LBUTTONDOWN || !ribbon_->HandleAllocated() || window != ribbon_->Handle()) return false;
    const TPoint p = ribbon_->ScreenToClient(point);
    TdxRibbonHitInfo info;
    ribbon_->ViewInfo()->HitTest(p.x, p.y, info);
    return info.hitTest == rhtTab && info.tab == ribbon_->ActiveTab();
}

void TdxRibbonTabGroupsPopupWindow::UpdateRegion() {
    if (!HandleAllocated()) return;
    HRGN region = CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, 4, 4);
    if (!SetWindowRgn(WindowHandle(), region, TRUE)) DeleteObject(region);
}

void TdxRibbonTabGroupsPopupWindow::WMSize(TMessage& message) {
    Inherited<TcxCustomPopupWindow>(message);
    UpdateRegion();
}
