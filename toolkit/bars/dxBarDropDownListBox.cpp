#include "dxBarDropDownListBox.h"

#include <windowsx.h>

#include "cxObjectLinks.h"
#include "dxBarCanvas.h"
#include "dxBarCombo.h"
#include "dxBarComboControl.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxCustomBarControl.h"

TdxBarDropDownListBox::TdxBarDropDownListBox(TComponent* owner, TdxBarCustomCombo* combo)
    : TCustomListBox(owner), combo_(combo) {
    SetBorderStyle(bsNone);
    SetStyle(lbOwnerDrawVariable);
    SetTabStop(false);
    SetVisible(false);
}

TdxBarPainter* TdxBarDropDownListBox::GetPainter() const {
    TdxBarItemLink* link = combo_ ? combo_->GetEditingLink() : nullptr;
    if (link && link->GetBarControl()) return link->GetBarControl()->GetPainter();
    TdxBarManager* manager = combo_ ? combo_->BarManager() : nullptr;
    return manager ? manager->Painter() : nullptr;
}

void TdxBarDropDownListBox::CreateParams(TCreateParams& params) {
    TCustomListBox::CreateParams(params);
    // A window of its own above everything, owned by the bar window that shows the combo: the
    // list tells that window its draw and selection notifications.
    params.Style = (params.Style & ~(WS_CHILD | WS_TABSTOP)) | WS_POPUP;
    params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    params.WindowClass.style |= CS_SAVEBITS;
    params.WndParent = ParentWindow();
}

void TdxBarDropDownListBox::CreateWnd() {
    TCustomListBox::CreateWnd();
    // The list shows its selection as if it had the focus, which it never takes.
    CallWindowProcW(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TdxBarDropDownListBox::WMNCCalcSize(TMessage& m) {
    TdxBarPainter* painter = GetPainter();
    int border = painter ? painter->GetDropDownListBorderSize() : 2;
    auto* r = reinterpret_cast<RECT*>(m.LParam);
    InflateRect(r, -border, -border);
    m.Result = 0;
}

void TdxBarDropDownListBox::WMNCPaint(TMessage& m) {
    DefaultHandler(m);
    TdxBarPainter* painter = GetPainter();
    if (!painter) return;
    HDC dc = GetWindowDC(Handle());
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    OffsetRect(&window, -window.left, -window.top);
    TdxBarCanvas* canvas = BarCanvasInstance();
    canvas->BeginDraw(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    painter->DrawDropDownListBorder(dc, Color(), window);
    canvas->EndDraw();
    ReleaseDC(Handle(), dc);
}

void TdxBarDropDownListBox::WMMouseMove(TMessage& m) {
    TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TRect client = ClientRect();
    if (GetCapture() == Handle() && waitForCapture_ && PtInRect(&client, p)) {
        waitForCapture_ = false;
        CallWindowProcW(DefWndProc(), Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(p.x, p.y));
    }
    DefaultHandler(m);
    // Hot tracking: the entry under the pointer is the chosen one.
    int index = ItemAtPos(p, true);
    if (index >= 0 && index != ItemIndex()) {
        SetItemIndex(index);
        DoClick();
    }
}

void TdxBarDropDownListBox::WMCaptureChanged(TMessage& m) {
    DefaultHandler(m);
    waitForCapture_ = false;
}

void TdxBarDropDownListBox::WMLButtonUp(TMessage& m) {
    DefaultHandler(m);
    if (waitForCapture_) {
        // The press that opened the list ends outside it: nothing is chosen.
        ReleaseCapture();
        return;
    }
    int index = ItemIndex();
    TdxBarCustomCombo* combo = combo_;
    TdxBarItemLink* link = combo->GetEditingLink();
    if (link) link->GetSourceLink()->MarkUsed(true);
    // Closing the open menus ends the editing and closes the list.
    TcxObjectLinkGuard comboAlive(combo);
    CloseActiveBarControlMenus();
    if (!comboAlive.Alive()) return;
    link = combo->GetEditingLink();
    if (link)
        if (auto* control = As<TCustomdxBarComboControl>(link->Control())) control->ControlInactivate(true);
    if (comboAlive.Alive() && index >= 0) combo->SetItemIndex(index);
}

void TdxBarDropDownListBox::DoClick() {
    int index = ItemIndex();
    if (index < 0) return;
    TdxBarItemLink* link = combo_->GetEditingLink();
    // The edit previews the entry while the list is open.
    if (auto* control = link ? As<TdxBarComboControl>(link->Control()) : nullptr) control->SetLocalItemIndex(index);
}

void TdxBarDropDownListBox::WMKeyDown(TMessage& m) {
    // The first arrow key moves from the top shown entry, not from before the first one.
    if (ItemIndex() < 0 && Count() > 0) SetItemIndex(TopIndex());
    DefaultHandler(m);
}

void TdxBarDropDownListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    combo_->DrawItem(GetPainter(), index, state, rect);
}
