#include "TestBarWindow.h"

#include "dxBarButton.h"
#include "dxBarItem.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"

void TTestBarWindowViewInfo::Calculate() {
    ClearItems();
    TdxBarItemLinks* links = BarControl()->ItemLinks();
    if (!links) return;
    for (int i = 0; i < links->GetShownLinkCount(); ++i) {
        TdxBarItemLink* link = links->GetShownLink(i);
        TdxBarItemControl* control = link->Control();
        const TRect r = link->ItemRect();
        if (!control || IsRectEmpty(&r)) continue;
        control->ViewInfo()->SetBounds(r);
        AppendItemViewInfo(control->ViewInfo());
        if (i > 0 && link->BeginGroup())
            AppendSeparatorData(TRect{r.left, r.top - TTestBarWindow::GroupGap, r.right, r.top}, 0, control);
    }
}

TTestBarWindow::~TTestBarWindow() { DestroyLog().push_back(tag); }

std::vector<std::string>& TTestBarWindow::DestroyLog() {
    static std::vector<std::string> log;
    return log;
}

void TTestBarWindow::CreateParams(TCreateParams& params) {
    TCustomdxBarControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WndParent = nullptr;
}

void TTestBarWindow::CreateWnd() {
    TCustomdxBarControl::CreateWnd();
    Relayout();
}

void TTestBarWindow::Relayout() {
    CalcLayout();
    UpdateViewInfo();
    if (HandleAllocated()) Invalidate();
}

void TTestBarWindow::Rebuild(bool recreate) {
    ++rebuilds;
    TCustomdxBarControl::Rebuild(recreate);
    Relayout();
}

void TTestBarWindow::FillBk(HDC dc, const TRect& r, bool, TColor, HBRUSH) {
    HBRUSH brush = CreateSolidBrush(COLORREF(BackgroundColor));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TTestBarWindow::Paint() {
    DrawItems();
    // The items are out of the clip now: the background leaves them alone.
    FillBk(Canvas()->Handle(), ClientRect(), false, clNone, nullptr);
}

void TTestBarWindow::DoHideMenu() {
    TCustomdxBarControl::DoHideMenu();
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    ++hides;
    ShowWindow(Handle(), SW_HIDE);
}

void TTestBarWindow::HandleKeyDown(Word& key, TShiftState shift) {
    if (key == VK_ESCAPE) {
        CloseOnEscape();
        return;
    }
    TCustomdxBarControl::HandleKeyDown(key, shift);
}

void TTestBarWindow::PressItemControl(TdxBarItemControl* control) {
    if (kind == 0 && control && control->IsEnabled()) {
        SetCapture(Handle());
        SetClickedControl(control);
        SetActive(true);
    }
    TCustomdxBarControl::PressItemControl(control);
}

int TBarWindowTestControl::CalcHeight() {
    auto* window = As<TTestBarWindow>(BarControl());
    return window && window->itemHeight > 0 ? window->itemHeight : TdxBarItemControl::CalcHeight();
}

void TBarWindowTestControl::DrawContent(const TRect& r, Byte) {
    ++paints;
    TdxBarItem* item = Item();
    int index = item ? item->ImageIndex() : -1;
    TColor color = index >= 0 ? TBarTestForm::GlyphColor(index) : clBlack;
    TRect wide = r;
    InflateRect(&wide, 4, 4);
    HBRUSH brush = CreateSolidBrush(COLORREF(color));
    FillRect(GetDrawCanvas()->GetCanvasHandle(), &wide, brush);
    DeleteObject(brush);
}

TBarWindowControlRegistration::TBarWindowControlRegistration(TClass controlClass) {
    TdxBarItemList* registry = ItemRegistryInstance();
    if (!registry) return;
    saved_ = registry->ControlClassOf(TdxBarButton::StaticClass());
    if (saved_) UnregisterItemControlClass(TdxBarButton::StaticClass());
    RegisterItemControlClass(TdxBarButton::StaticClass(),
                             controlClass ? controlClass : TBarWindowTestControl::StaticClass(), false);
    registered_ = true;
}

TBarWindowControlRegistration::~TBarWindowControlRegistration() {
    if (!registered_) return;
    UnregisterItemControlClass(TdxBarButton::StaticClass());
    if (saved_)
        RegisterItemControlClass(TdxBarButton::StaticClass(), saved_, true);
    else
        // Unregistering also took the class out of the stream registry, where the bar unit keeps it.
        RegisterClass(TdxBarButton::StaticClass());
}
