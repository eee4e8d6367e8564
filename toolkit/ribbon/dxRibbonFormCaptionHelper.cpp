// The caption of a ribbon-styled form: geometry, hit test, caption buttons, system menu,
// window region and painting through the ribbon.
//
// Sections: canvas over a DC · standard frame insets · life · geometry · mouse · painting ·
// the ribbon's window procedure.

#include "dxRibbonFormCaptionHelper.h"

#include <windowsx.h>

#include <algorithm>

#include "Canvas.h"
#include "Timer.h"
#include "cxBitmap.h"
#include "cxDWMApi.h"
#include "dxRibbonForm.h"

namespace {

// The caption buttons' hot state is checked this often while the mouse is over them.
constexpr UINT CaptionMouseTimerInterval = 20;
// The window manager's attribute of the caption buttons' bounds.
constexpr DWORD CaptionButtonBoundsAttribute = 5;
// The corner ellipses of the window region.
constexpr int CornerEllipse = 9;

const TdxRibbonFormButton CaptionButtonsFromRight[] = {rfbClose, rfbHelp, rfbMaximize, rfbMinimize};

bool RectHoldsPoint(const TRect& r, TPoint p) { return PtInRect(&r, POINT{p.x, p.y}) != 0; }

HRGN RectRegion(const TRect& r) { return CreateRectRgn(r.left, r.top, r.right, r.bottom); }

void SubtractRect(HRGN region, const TRect& r) {
    HRGN cut = RectRegion(r);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
}

}  // namespace

// ---- canvas over a DC ----------------------------------------------------------------------

TdxDCCanvas::TdxDCCanvas(HDC dc) : canvas_(std::make_unique<TCanvas>()) {
    canvas_->SetHandle(dc);
    cxCanvas_ = std::make_unique<TcxCanvas>(canvas_.get());
}

TdxDCCanvas::~TdxDCCanvas() {
    cxCanvas_.reset();
    canvas_->SetHandle(nullptr);
}

// ---- standard frame insets -----------------------------------------------------------------

TRect GetDefaultFrameInsets(HWND window) {
    if (!window || IsIconic(window)) return TRect{};
    RECT r{0, 0, 500, 500};
    DefWindowProcW(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    return TRect{r.left, r.top, 500 - r.right, 500 - r.bottom};
}

TRect GetDefaultFrameInsetsWithoutCaption(HWND window) {
    TRect r = GetDefaultFrameInsets(window);
    if (r.left != 0 || r.top != 0 || r.right != 0 || r.bottom != 0) r.top -= GetSystemMetrics(SM_CYCAPTION);
    return r;
}

// ---- life ----------------------------------------------------------------------------------

TdxRibbonFormCaptionHelper::TdxRibbonFormCaptionHelper(TWinControl* owner, IdxRibbonFormNonClientPainter* painter)
    : owner_(owner), painter_(painter), captionBitmap_(std::make_unique<TcxBitmap>()) {
    previousWindowProc_ = owner_->WindowProc();
    owner_->SetWindowProc(MakeEvent(this, &TdxRibbonFormCaptionHelper::HookWindowProc));
}

TdxRibbonFormCaptionHelper::~TdxRibbonFormCaptionHelper() {
    mouseTimer_.reset();
    if (owner_->WindowProc() == MakeEvent(this, &TdxRibbonFormCaptionHelper::HookWindowProc))
        owner_->SetWindowProc(previousWindowProc_);
    DeleteRegions();
}

TdxCustomRibbonForm* TdxRibbonFormCaptionHelper::Form() const {
    return As<TdxCustomRibbonForm>(owner_->GetParentForm());
}

void TdxRibbonFormCaptionHelper::SetFormData(const FormPaintData& data) {
    if (memcmp(&data, &formData_, sizeof(FormPaintData)) == 0) return;
    formData_ = data;
    if (HasWindow()) Recalculate();
}

void TdxRibbonFormCaptionHelper::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
    hotButton_ = pressedButton_ = rfbNone;
    Recalculate();
}

bool TdxRibbonFormCaptionHelper::UsesCompositionFrame() const {
    TdxCustomRibbonForm* form = Form();
    return form && form->UsesCompositionFrame();
}

bool TdxRibbonFormCaptionHelper::IsButtonVisible(TdxRibbonFormButton button) const {
    switch (button) {
        case rfbClose:
            return borderIcons_.Contains(biSystemMenu);
        case rfbMinimize:
            return borderIcons_.Contains(biMinimize);
        case rfbMaximize:
            return borderIcons_.Contains(biMaximize);
        case rfbHelp:
            return borderIcons_.Contains(biHelp);
        default:
            return false;
    }
}

// ---- geometry ------------------------------------------------------------------------------

void TdxRibbonFormCaptionHelper::Recalculate() {
    CalculateRegions();
    CalculateButtons();
    CalculateSystemIcon();
    CalculateTextRect();
}

int TdxRibbonFormCaptionHelper::GetCaptionHeight() const {
    if (FormMinimized()) return RectHeight(formData_.FormBounds);
    return painter_->GetRibbonFormCaptionHeight();
}

TRect TdxRibbonFormCaptionHelper::GetWindowBordersWidth() const { return painter_->GetWindowBordersWidth(); }

String TdxRibbonFormCaptionHelper::GetCaptionText() const { return painter_->GetRibbonFormCaptionText(); }

TColor TdxRibbonFormCaptionHelper::GetFormColor() const {
    if (painter_) return painter_->GetRibbonFormColor();
    if (TCustomForm* form = owner_->GetParentForm()) return form->Color();
    return clBtnFace;
}

HRGN TdxRibbonFormCaptionHelper::GetWindowRegion() const {
    TCustomForm* form = owner_->GetParentForm();
    if (!form || !form->HandleAllocated()) return nullptr;
    RECT window;
    GetWindowRect(form->Handle(), &window);
    const int w = RectWidth(window) + 1, h = RectHeight(window) + 1;
    const TFormBorderStyle style = form->BorderStyle();
    const bool allCorners =
        form->FormStyle() != fsMDIChild && (style == bsNone || style == bsSizeable || style == bsSizeToolWin);
    if (allCorners) return CreateRoundRectRgn(0, 0, w, h, CornerEllipse, CornerEllipse);
    HRGN region = CreateRoundRectRgn(0, 0, w, 2 * CornerEllipse, CornerEllipse, CornerEllipse);
    HRGN body = CreateRectRgn(0, CornerEllipse, w, h);
    CombineRgn(region, region, body, RGN_OR);
    DeleteObject(body);
    return region;
}

TRect TdxRibbonFormCaptionHelper::GetSystemIconArea() const {
    const int top = GetDefaultFrameInsetsWithoutCaption(formData_.Window()).top;
    if (UsesCompositionFrame()) return TRect{0, top, GetSystemMetrics(SM_CYCAPTION), top + GetSystemMetrics(SM_CYCAPTION)};
    return TRect{0, top, GetSystemMetrics(SM_CYSIZE) + 2, GetCaptionHeight() - 2};
}

void TdxRibbonFormCaptionHelper::DeleteRegions() {
    for (HRGN* region : {&captionRegion_, &clientCaptionRegion_, &transparentRegion_}) {
        if (*region) DeleteObject(*region);
        *region = nullptr;
    }
}

void TdxRibbonFormCaptionHelper::CalculateRegions() {
    DeleteRegions();
    const int captionHeight = GetCaptionHeight();
    const TRect borders = GetWindowBordersWidth();
    const TRect& bounds = formData_.FormBounds;
    if (HasWindow()) {
        captionRegion_ = CreateRectRgn(bounds.left, bounds.top, bounds.right, bounds.top + captionHeight);
        clientCaptionRegion_ = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(clientCaptionRegion_, captionRegion_, nullptr, RGN_COPY);
        if (!FormMaximized()) {
            SubtractRect(clientCaptionRegion_, TRect{0, 0, borders.left, captionHeight});
            SubtractRect(clientCaptionRegion_,
                         TRect{bounds.right - borders.right, 0, bounds.right, captionHeight});
        }
        OffsetRgn(clientCaptionRegion_, -borders.left, -borders.top);
        transparentRegion_ = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(transparentRegion_, clientCaptionRegion_, nullptr, RGN_COPY);
        if (!FormMinimized())
            if (HRGN button = painter_->GetRibbonApplicationButtonRegion()) {
                CombineRgn(transparentRegion_, transparentRegion_, button, RGN_DIFF);
                DeleteObject(button);
            }
    }
    const TRect client = owner_->ClientRect();
    if (FormMinimized())
        captionRect_ = TRect{client.left, client.top, client.right + borders.left, client.bottom};
    else
        captionRect_ = TRect{client.left - borders.left, client.top - borders.top, client.right + borders.right,
                             client.top - borders.top + captionHeight};
    captionBitmap_->SetSize(std::max<int>(RectWidth(captionRect_), 0), std::max(captionHeight, 0));
}

void TdxRibbonFormCaptionHelper::CalculateButtons() {
    for (TRect& r : buttonRects_) r = TRect{};
    if (UsesCompositionFrame()) {
        RECT bounds{};
        if (HasWindow()) cxDwmGetWindowAttribute(formData_.Window(), CaptionButtonBoundsAttribute, &bounds, sizeof(bounds));
        buttonsArea_ = bounds;
        return;
    }
    const bool toolWindow = formData_.BorderStyle == bsToolWindow || formData_.BorderStyle == bsSizeToolWin;
    const int width = GetSystemMetrics(toolWindow ? SM_CXSMSIZE : SM_CXSIZE);
    const int height = GetSystemMetrics(toolWindow ? SM_CYSMSIZE : SM_CYSIZE);
    const int h = GetCaptionHeight();
    const int d = (h - height) / 2;
    const int right = owner_->ClientRect().right;
    TRect current{right - width, h - height - d, right, h - d};
    if (FormMinimized()) current.bottom -= 1;
    buttonsArea_ = TRect{right, 0, right, h};
    for (TdxRibbonFormButton button : CaptionButtonsFromRight) {
        if (!IsButtonVisible(button)) continue;
        buttonRects_[button] = current;
        buttonsArea_.left = current.left;
        OffsetRect(&current, -width, 0);
    }
}

void TdxRibbonFormCaptionHelper::CalculateSystemIcon() {
    systemIconArea_ = systemIconRect_ = TRect{};
    HWND window = formData_.Window();
    if (!window || !(GetWindowLongPtrW(window, GWL_STYLE) & WS_SYSMENU)) return;
    if (formData_.BorderStyle != bsSingle && formData_.BorderStyle != bsSizeable) return;
    systemIconArea_ = GetSystemIconArea();
    if (UsesCompositionFrame()) {
        const int side = (RectHeight(systemIconArea_) - 3) & ~1;
        systemIconRect_ = TRect{systemIconArea_.left, systemIconArea_.top, systemIconArea_.left + side,
                                systemIconArea_.top + side};
        return;
    }
    const int side = GetSystemMetrics(SM_CYSMICON);
    const int top = GetDefaultFrameInsetsWithoutCaption(window).top;
    systemIconRect_ = TRect{0, top, side, top + side};
    OffsetRect(&systemIconRect_, 0, (RectHeight(systemIconArea_) - side) / 2);
    if (FormMinimized()) OffsetRect(&systemIconRect_, 4, 2);
}

void TdxRibbonFormCaptionHelper::CalculateTextRect() {
    const TRect client = owner_->ClientRect();
    const bool anyButton = !IsRectEmpty(&buttonsArea_) && RectWidth(buttonsArea_) > 0;
    textRect_ = TRect{systemIconRect_.right, client.top + 1, anyButton ? buttonsArea_.left : client.right,
                      GetCaptionHeight()};
}

TdxRibbonFormButton TdxRibbonFormCaptionHelper::ButtonAt(TPoint p) const {
    for (TdxRibbonFormButton button : CaptionButtonsFromRight)
        if (IsButtonVisible(button) && RectHoldsPoint(buttonRects_[button], p)) return button;
    return rfbNone;
}

// ---- mouse ---------------------------------------------------------------------------------

TPoint TdxRibbonFormCaptionHelper::ToOwner(TPoint screen) const { return owner_->ScreenToClient(screen); }

bool TdxRibbonFormCaptionHelper::IsInCaption(TPoint screen) const {
    if (!captionRegion_ || !owner_->HandleAllocated() || !IsWindowVisible(owner_->Handle())) return false;
    if (FormMinimized()) return true;
    const TPoint p = ToOwner(screen);
    return transparentRegion_ && PtInRegion(transparentRegion_, p.x, p.y);
}

LRESULT TdxRibbonFormCaptionHelper::HitTest(TPoint screen) {
    const TPoint p = ToOwner(screen);
    if (RectHoldsPoint(buttonsArea_, p)) {
        if (!mouseTimer_) {
            mouseTimer_ = std::make_unique<TTimer>(nullptr);
            mouseTimer_->SetEnabled(false);
            mouseTimer_->SetInterval(CaptionMouseTimerInterval);
            mouseTimer_->SetOnTimer(MakeEvent(this, &TdxRibbonFormCaptionHelper::MouseTimerTick));
        }
        mouseTimer_->SetEnabled(true);
        const TdxRibbonFormButton button = ButtonAt(p);
        if (button != rfbNone) {
            SetHotButton(button);
            return HTNOWHERE;
        }
    } else if (RectHoldsPoint(systemIconArea_, p)) {
        SetHotButton(rfbNone);
        return HTSYSMENU;
    }
    SetHotButton(rfbNone);
    return HTCAPTION;
}

void TdxRibbonFormCaptionHelper::SetHotButton(TdxRibbonFormButton button) {
    if (hotButton_ == button) return;
    hotButton_ = button;
    RedrawButtons();
}

void TdxRibbonFormCaptionHelper::StopMouseTimer() {
    if (mouseTimer_) mouseTimer_->SetEnabled(false);
}

void TdxRibbonFormCaptionHelper::MouseTimerTick(TObject*) {
    if (!owner_->HandleAllocated() || !IsWindowVisible(owner_->Handle())) {
        StopMouseTimer();
        return;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    bool left = !RectHoldsPoint(buttonsArea_, ToOwner(TPoint{cursor.x, cursor.y}));
    if (!left) {
        TCustomForm* form = owner_->GetParentForm();
        HWND under = WindowFromPoint(cursor);
        if (FormMinimized())
            left = !form || under != form->Handle();
        else
            left = under != owner_->Handle() && !(form && under == form->Handle());
    }
    if (!left) return;
    hotButton_ = rfbNone;
    StopMouseTimer();
    RedrawButtons();
}

bool TdxRibbonFormCaptionHelper::CaptionMouseDown(TPoint screen, TMouseButton button) {
    if (button != mbLeft || !owner_->Visible() || UsesCompositionFrame()) return false;
    const TPoint p = ToOwner(screen);
    if (!RectHoldsPoint(buttonsArea_, p)) return false;
    // Between or beside the buttons nothing is pressed (nor closed).
    const TdxRibbonFormButton pressed = ButtonAt(p);
    if (pressed == rfbNone) return false;
    pressedButton_ = pressed;
    RedrawButtons();
    if (TCustomForm* form = owner_->GetParentForm()) SetCapture(form->Handle());
    captured_ = true;
    return true;
}

bool TdxRibbonFormCaptionHelper::CaptionMouseUp(TPoint screen, TMouseButton button) {
    const TPoint p = ToOwner(screen);
    if (button == mbRight) {
        if (RectHoldsPoint(buttonsArea_, p)) return false;
        TrackSystemMenu(screen);
        return true;
    }
    bool result = false;
    TCustomForm* form = owner_->GetParentForm();
    if (!UsesCompositionFrame() && RectHoldsPoint(buttonsArea_, p) && pressedButton_ != rfbNone) {
        if (ButtonAt(p) == pressedButton_ && form) {
            WPARAM command = 0;
            switch (pressedButton_) {
                case rfbClose:
                    command = SC_CLOSE;
                    break;
                case rfbMinimize:
                    command = FormMinimized() ? SC_RESTORE : SC_MINIMIZE;
                    break;
                case rfbMaximize:
                    command = FormMaximized() ? SC_RESTORE : SC_MAXIMIZE;
                    break;
                case rfbHelp:
                    command = SC_CONTEXTHELP;
                    break;
                default:
                    break;
            }
            PostMessageW(form->Handle(), WM_SYSCOMMAND, command, 0);
        }
        pressedButton_ = rfbNone;
        RedrawButtons();
        result = true;
    }
    ReleaseFormCapture();
    return result;
}

void TdxRibbonFormCaptionHelper::TrackSystemMenu(TPoint screen) {
    TCustomForm* form = owner_->GetParentForm();
    if (!form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    const UINT command = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                                             screen.x, screen.y, 0, window, nullptr));
    PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

void TdxRibbonFormCaptionHelper::ReleaseFormCapture() {
    TCustomForm* form = owner_->GetParentForm();
    if (captured_ && form && form->HandleAllocated() && GetCapture() == form->Handle()) {
        captured_ = false;
        ReleaseCapture();
    }
}

void TdxRibbonFormCaptionHelper::ReleasePressedButton() {
    // A press that ends away from the caption gives the capture back too.
    ReleaseFormCapture();
    captured_ = false;
    if (pressedButton_ == rfbNone) return;
    pressedButton_ = rfbNone;
    RedrawButtons();
}

// ---- painting ------------------------------------------------------------------------------

int TdxRibbonFormCaptionHelper::ButtonState(TdxRibbonFormButton button) const {
    const bool hot = hotButton_ == button;
    if (!formData_.IsActive) return hot ? 4 : 3;
    if (pressedButton_ == button) return hot ? 2 : 0;
    return hot && pressedButton_ == rfbNone ? 1 : 0;
}

void TdxRibbonFormCaptionHelper::DrawButtons(TcxCanvas* canvas) {
    for (TdxRibbonFormButton button : CaptionButtonsFromRight) {
        if (!IsButtonVisible(button)) continue;
        TdxRibbonBorderIcon icon = rbiClose;
        switch (button) {
            case rfbMinimize:
                icon = FormMinimized() ? rbiRestore : rbiMinimize;
                break;
            case rfbMaximize:
                icon = FormMaximized() ? rbiRestore : rbiMaximize;
                break;
            case rfbHelp:
                icon = rbiHelp;
                break;
            default:
                break;
        }
        painter_->DrawRibbonFormBorderIcon(canvas, buttonRects_[button], icon, ButtonState(button));
    }
}

void TdxRibbonFormCaptionHelper::DrawBorders(TcxCanvas* canvas) {
    painter_->DrawRibbonFormBorders(canvas, GetWindowBordersWidth(), formData_);
}

void TdxRibbonFormCaptionHelper::Paint(TcxCanvas* canvas) {
    if (captionBitmap_->Width() <= 0 || captionBitmap_->Height() <= 0) return;
    HDC dc = canvas->GetCanvasHandle();
    const int saved = SaveDC(dc);
    captionBitmap_->ClearBitmap();
    TcxCanvas* bitmapCanvas = captionBitmap_->cxCanvas();
    // The bitmap's origin is the ribbon's client origin.
    const TPoint oldOrigin = bitmapCanvas->GetWindowOrigin();
    bitmapCanvas->SetWindowOrigin(TPoint{captionRect_.left, captionRect_.top});
    painter_->DrawRibbonFormCaption(bitmapCanvas, captionRect_, formData_);
    if (!UsesCompositionFrame()) DrawButtons(bitmapCanvas);
    bitmapCanvas->SetWindowOrigin(oldOrigin);
    if (!FormMinimized() && clientCaptionRegion_) {
        HRGN clip = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(clip, clientCaptionRegion_, nullptr, RGN_COPY);
        POINT origin{0, 0};
        LPtoDP(dc, &origin, 1);
        OffsetRgn(clip, origin.x, origin.y);
        ExtSelectClipRgn(dc, clip, RGN_AND);
        DeleteObject(clip);
    }
    BitBlt(dc, captionRect_.left, captionRect_.top, RectWidth(captionRect_), captionBitmap_->Height(),
           bitmapCanvas->GetCanvasHandle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TdxRibbonFormCaptionHelper::DrawCaption(TcxCanvas* canvas, bool inOwnerPaint) {
    if (!owner_->HandleAllocated() || !IsWindowVisible(owner_->Handle())) return;
    if (clientDrawing_ || inOwnerPaint || UsesCompositionFrame()) {
        HDC dc = canvas->GetCanvasHandle();
        if (!clientCaptionRegion_) return;
        const int saved = SaveDC(dc);
        HRGN clip = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(clip, clientCaptionRegion_, nullptr, RGN_COPY);
        POINT origin{0, 0};
        LPtoDP(dc, &origin, 1);
        OffsetRgn(clip, origin.x, origin.y);
        ExtSelectClipRgn(dc, clip, RGN_AND);
        painter_->DrawRibbonFormCaption(canvas, captionRect_, formData_);
        if (!UsesCompositionFrame()) DrawButtons(canvas);
        RestoreDC(dc, saved);
        ExtSelectClipRgn(dc, clip, RGN_DIFF);
        DeleteObject(clip);
        return;
    }
    if (FormMinimized()) {
        Paint(canvas);
        return;
    }
    HDC ownerDC = GetDC(owner_->Handle());
    {
        TdxDCCanvas ownerCanvas(ownerDC);
        Paint(ownerCanvas.Canvas());
    }
    ReleaseDC(owner_->Handle(), ownerDC);
}

void TdxRibbonFormCaptionHelper::RedrawButtons() {
    if (UsesCompositionFrame() || !owner_->HandleAllocated() || !IsWindowVisible(owner_->Handle())) return;
    if (IsRectEmpty(&buttonsArea_)) return;
    TCustomForm* form = owner_->GetParentForm();
    const bool minimized = FormMinimized();
    HWND window = minimized && form ? form->Handle() : owner_->Handle();
    HDC dc = minimized ? GetWindowDC(window) : GetDC(window);
    {
        TdxDCCanvas canvas(dc);
        IntersectClipRect(dc, buttonsArea_.left, buttonsArea_.top, buttonsArea_.right, buttonsArea_.bottom);
        Paint(canvas.Canvas());
    }
    ReleaseDC(window, dc);
}

void TdxRibbonFormCaptionHelper::UpdateNonClientDrawing() {
    Recalculate();
    painter_->UpdateNonClientDrawing();
}

// ---- the ribbon's window procedure ---------------------------------------------------------

void TdxRibbonFormCaptionHelper::HookWindowProc(TMessage& message) {
    if (owner_->ComponentState().Contains(csDestroying)) {
        previousWindowProc_(message);
        return;
    }
    switch (message.Msg) {
        case WM_SIZE:
            Recalculate();
            break;
        case WM_PAINT:
            clientDrawing_ = true;
            try {
                previousWindowProc_(message);
            } catch (...) {
                clientDrawing_ = false;
                throw;
            }
            clientDrawing_ = false;
            return;
        case WM_ERASEBKGND:
            // The ribbon paints every pixel of its own.
            message.Result = 1;
            return;
        case WM_SHOWWINDOW:
            hotButton_ = pressedButton_ = rfbNone;
            if (message.WParam) Recalculate();
            break;
        case WM_NCHITTEST: {
            const TPoint p = ToOwner(TPoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
            if (!GetCapture() && transparentRegion_ && PtInRegion(transparentRegion_, p.x, p.y)) {
                message.Result = HTTRANSPARENT;
                return;
            }
            break;
        }
        default:
            break;
    }
    previousWindowProc_(message);
}

bool TdxRibbonFormCaptionHelper::MouseTimerRunning() const { return mouseTimer_ && mouseTimer_->Enabled(); }
