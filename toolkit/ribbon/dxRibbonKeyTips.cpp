#include "dxRibbonKeyTips.h"

#include <algorithm>

#include "Application.h"
#include "Canvas.h"
#include "Screen.h"
#include "dxBarWindowHelpers.h"
#include "dxCore.h"
#include "dxRibbon.h"
#include "dxRibbonSkins.h"

namespace {

constexpr Byte DisabledKeyTipAlpha = 153;
constexpr UINT KeyTipTextFormat = DT_SINGLELINE | DT_NOPREFIX;

}  // namespace

// ---- the label window ----------------------------------------------------------------------

TdxRibbonKeyTipWindow::TdxRibbonKeyTipWindow(TdxCustomRibbonSkin* skin) : TCustomControl(nullptr), skin_(skin) {
    Canvas()->Font()->Assign(Screen->HintFont());
    Canvas()->Brush()->SetStyle(bsClear);
}

void TdxRibbonKeyTipWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP;
    params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TdxRibbonKeyTipWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    if (!Enabled()) SetWindowAlphaBlend(Handle(), DisabledKeyTipAlpha);
}

TSize TdxRibbonKeyTipWindow::CalcSize() {
    // Measured on the screen with the label's own font, one line, '&' shown as it is.
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Canvas()->Font()->Handle());
    const String text = Caption();
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, KeyTipTextFormat | DT_CALCRECT);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return TSize{std::max<int>(r.right - r.left + 6, MinWidth), int(r.bottom - r.top) + 2};
}

void TdxRibbonKeyTipWindow::Paint() {
    const TRect r = ClientRect();
    HDC dc = Canvas()->Handle();
    if (skin_) skin_->DrawScreenTip(dc, r);
    HGDIOBJ oldFont = SelectObject(dc, Canvas()->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(76, 76, 76));
    RECT textRect = r;
    const String text = Caption();
    DrawTextW(dc, text.c_str(), int(text.size()), &textRect, KeyTipTextFormat | DT_CENTER | DT_VCENTER);
    SelectObject(dc, oldFont);
}

void TdxRibbonKeyTipWindow::WMNCHitTest(TMessage& message) { message.Result = HTTRANSPARENT; }

void TdxRibbonKeyTipWindow::CMEnabledChanged(TMessage& message) {
    Inherited<TCustomControl>(message);
    // Translucency is set as the window is made.
    if (HandleAllocated()) RecreateWnd();
}

void TdxRibbonKeyTipWindow::CMTextChanged(TMessage& message) {
    Inherited<TCustomControl>(message);
    const TSize size = CalcSize();
    SetBounds(Left(), Top(), size.cx, size.cy);
}

// ---- the manager ---------------------------------------------------------------------------

TdxRibbonKeyTipWindows::TdxRibbonKeyTipWindows(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {}

TdxRibbonKeyTipWindows::~TdxRibbonKeyTipWindows() = default;

TPoint TdxRibbonKeyTipWindows::PlaceWindow(const TPoint& anchor, const TSize& size, Byte horizontalAlignment,
                                           Byte verticalAlignment) {
    TPoint p = anchor;
    switch (horizontalAlignment) {
        case 0: p.x = anchor.x - size.cx; break;
        case 2: p.x = anchor.x - size.cx / 2; break;
        default: break;
    }
    switch (verticalAlignment) {
        case 0: p.y = anchor.y - size.cy; break;
        case 2: p.y = anchor.y - size.cy / 2; break;
        default: break;
    }
    return p;
}

void TdxRibbonKeyTipWindows::AddWindow(const String& text, const TPoint& anchor, Byte horizontalAlignment,
                                       Byte verticalAlignment, bool enabled, TObject*& window) {
    auto label = std::make_unique<TdxRibbonKeyTipWindow>(ribbon_ ? ribbon_->ColorScheme() : nullptr);
    // Shown only by ShowWindows, owned by the application window so that it stays with it.
    label->SetVisible(false);
    label->SetParentWindow(Application ? Application->Handle() : nullptr);
    label->SetCaption(text);
    label->SetEnabled(enabled);
    const TPoint p = PlaceWindow(anchor, TSize{label->Width(), label->Height()}, horizontalAlignment,
                                 verticalAlignment);
    label->SetBounds(p.x, p.y, label->Width(), label->Height());
    window = label.get();
    windows_.push_back(std::move(label));
}

void TdxRibbonKeyTipWindows::RemoveWindow(TObject* window) {
    auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.get() == window; });
    if (it == windows_.end()) throw EdxException(L"");
    std::unique_ptr<TdxRibbonKeyTipWindow> label = std::move(*it);
    windows_.erase(it);
}

void TdxRibbonKeyTipWindows::ShowWindows() {
    if (windows_.empty()) return;
    for (auto& label : windows_) label->HandleNeeded();
    HDWP batch = BeginDeferWindowPos(int(windows_.size()));
    for (auto& label : windows_)
        if (batch)
            batch = DeferWindowPos(batch, label->Handle(), HWND_TOPMOST, label->Left(), label->Top(), label->Width(),
                                   label->Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (batch) EndDeferWindowPos(batch);
    for (auto& label : windows_) {
        HRGN region = CreateRoundRectRgn(0, 0, label->Width() + 1, label->Height() + 1, 2, 2);
        if (region && !SetWindowRgn(label->Handle(), region, TRUE)) DeleteObject(region);
        label->Invalidate();
    }
}

// ---- quick access toolbar positions --------------------------------------------------------

String GetQuickAccessPositionalKeyTip(int position) {
    if (position < 0) return String();
    if (position < 9) return String(1, wchar_t(L'1' + position));
    if (position < 18) return String(L"0") + wchar_t(L'9' - (position - 9));
    if (position < 44) return String(L"0") + wchar_t(L'A' + (position - 18));
    return String();
}
