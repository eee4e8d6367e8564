// The ribbon form's non-client handling: frame insets, window region, hit test, activation,
// composition frame, system menu and the caption text.
//
// Sections: shell binding · life · caption helper and paint data · non-client painting ·
// composition frame · regions and insets · system menu · messages · unit.

#include "dxRibbonForm.h"

#include <windowsx.h>

#include <algorithm>

#include "Application.h"
#include "cxDWMApi.h"
#include "dxRibbon.h"
#include "dxUxTheme.h"

namespace {

TdxAppBarMessageFunction appBarMessage = nullptr;

UINT_PTR CallAppBarMessage(DWORD message, PAPPBARDATA data) {
    return appBarMessage ? appBarMessage(message, data) : SHAppBarMessage(message, data);
}

bool IsPlatformAbove5() { return LOBYTE(LOWORD(GetVersion())) > 5; }

TPoint CursorPoint() {
    POINT p;
    GetCursorPos(&p);
    return TPoint{p.x, p.y};
}

TPoint MessagePoint(const TMessage& message) {
    return TPoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
}

}  // namespace

// ---- shell binding -------------------------------------------------------------------------

TdxAppBarMessageFunction SetAppBarMessageFunction(TdxAppBarMessageFunction function) {
    TdxAppBarMessageFunction previous = appBarMessage;
    appBarMessage = function;
    return previous;
}

// ---- life ----------------------------------------------------------------------------------

// The description is read in AfterConstruction, once the defaults below are in place.
TdxCustomRibbonForm::TdxCustomRibbonForm(TComponent* owner) : TForm(owner) { InitRibbonForm(); }

TdxCustomRibbonForm::TdxCustomRibbonForm(TComponent* owner, TCreateNew) : TForm(owner, CreateNew) {
    InitRibbonForm();
}

void TdxCustomRibbonForm::InitRibbonForm() {
    SetKeyPreview(true);
    for (HRGN& corner : sizingCorners_) corner = CreateRectRgn(0, 0, 0, 0);
}

TdxCustomRibbonForm::~TdxCustomRibbonForm() { DeleteSizingCorners(); }

void TdxCustomRibbonForm::DeleteSizingCorners() {
    for (HRGN& corner : sizingCorners_) {
        if (corner) DeleteObject(corner);
        corner = nullptr;
    }
}

bool TdxCustomRibbonForm::IsReadingOrLoading() const {
    return ComponentState().Contains(csReading) || ComponentState().Contains(csLoading);
}

void TdxCustomRibbonForm::SetUseSkinColor(bool value) {
    if (useSkinColor_ == value) return;
    useSkinColor_ = value;
    Invalidate();
}

void TdxCustomRibbonForm::DoCreate() {
    if (captionHelper_ && CanAdjustLayout()) AdjustLayoutForRibbon();
    TForm::DoCreate();
}

void TdxCustomRibbonForm::CreateWnd() {
    extendedFrameHeight_ = -1;
    TForm::CreateWnd();
    if (captionHelper_) captionHelper_->SetBorderIcons(GetVisibleBorderIcons());
    GetSystemMenu(Handle(), TRUE);
}

void TdxCustomRibbonForm::DestroyWindowHandle() {
    if (ComponentState().Contains(csDestroying)) SetCaptionHelper(nullptr);
    TForm::DestroyWindowHandle();
}

void TdxCustomRibbonForm::AdjustClientRect(TRect& rect) {
    TForm::AdjustClientRect(rect);
    if (HandleAllocated() && IsZoomed(Handle()) && captionHelper_ && UsesCompositionFrame()) rect.top += 4;
}

void TdxCustomRibbonForm::KeyDown(Word& key, TShiftState shift) {
    TForm::KeyDown(key, shift);
    if (!KeyPreview() || key == 0) return;
    TWinControl* host = this;
    if (FormStyle() == fsMDIChild && Application && Application->MainForm()) host = Application->MainForm();
    for (int i = 0; i < host->ControlCount() && key != 0; ++i)
        if (auto* ribbon = As<TdxCustomRibbon>(host->Controls(i))) ribbon->FormKeyDown(key, shift);
}

bool TdxCustomRibbonForm::CanAdjustLayout() const {
    return adjustLayoutForNonClientDrawing_ && !IsReadingOrLoading() && !ComponentState().Contains(csDestroying) &&
           !ComponentState().Contains(csDesigning);
}

void TdxCustomRibbonForm::AdjustLayoutForRibbon() {
    if (!captionHelper_) return;
    const int delta = captionHelper_->Owner()->Height() - captionHelper_->GetRibbonLoadedHeight();
    if (!HandleAllocated() || !IsZoomed(Handle()))
        SetClientHeight(ClientHeight() + delta - GetSystemMetrics(SM_CYCAPTION) -
                        GetDefaultFrameInsetsWithoutCaption(HandleAllocated() ? Handle() : nullptr).top);
    ShiftControls(delta);
}

void TdxCustomRibbonForm::ShiftControls(int delta) {
    if (delta == 0) return;
    DisableAlign();
    try {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* control = Controls(i);
            if (control->Align() != alNone && control->Align() != alCustom) continue;
            const TAnchors anchors = control->Anchors();
            if (anchors.Contains(akBottom) && anchors.Contains(akTop))
                control->SetBounds(control->Left(), control->Top() + delta, control->Width(),
                                   control->Height() - delta);
            else
                control->SetTop(control->Top() + delta);
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
}

// ---- caption helper and paint data ---------------------------------------------------------

UINT TdxCustomRibbonForm::RibbonNonClientChangedMessage() {
    static const UINT message = RegisterWindowMessageW(L"{B2CE3777-44D8-1321-4656-12C54AA613BB}");
    return message;
}

void TdxCustomRibbonForm::SetCaptionHelper(TdxRibbonFormCaptionHelper* helper) {
    if (helper == captionHelper_) return;
    const String caption = Caption();
    captionHelper_ = helper;
    ribbonNonClientActive_ = helper != nullptr;
    extendedFrameHeight_ = -1;
    if (ComponentState().Contains(csDestroying)) {
        ribbonNonClientActive_ = false;
        return;
    }
    if (helper) caption_ = caption;
    UpdateFormPaintData();
    if (HandleAllocated()) {
        HWND window = Handle();
        SendMessageW(window, RibbonNonClientChangedMessage(), WPARAM(ribbonNonClientActive_), 0);
        DisableAlign();
        try {
            SetWindowRgn(window, nullptr, TRUE);
            if (IsDwmCompositionActive()) {
                if (!IsWindowVisible(window)) Application->ProcessMessages();
                if (!helper) ExtendFrameAtTop(0);
            }
            // The system's own text follows again (or the ribbon's takes over).
            SetWindowTextW(window, caption.c_str());
            if (!helper) DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyWindowRegion();
            RedrawFrame();
        } catch (...) {
            EnableAlign();
            throw;
        }
        EnableAlign();
        if (helper) helper->SetBorderIcons(GetVisibleBorderIcons());
        GetSystemMenu(window, TRUE);
    }
    if (captionHelper_) captionHelper_->UpdateNonClientArea();
}

void TdxCustomRibbonForm::UpdateFormPaintData() {
    if (!ribbonNonClientActive_ || ComponentState().Contains(csDestroying)) return;
    FormPaintData data{};
    if (HandleAllocated()) {
        HWND window = Handle();
        data.SetWindow(window);
        RECT r;
        GetWindowRect(window, &r);
        data.FormBounds = TRect{0, 0, r.right - r.left, r.bottom - r.top};
        data.WindowState = IsIconic(window) ? 1 : IsZoomed(window) ? 2 : 0;
    }
    data.IsActive = nonClientActive_ ? 1 : 0;
    data.BorderStyle = Byte(BorderStyle());
    data.FormStyle = Byte(FormStyle());
    data.NoComposition = ParentWindow() != nullptr || Parent() != nullptr ? 1 : 0;
    formPaintData_ = data;
    if (captionHelper_) captionHelper_->SetFormData(formPaintData_);
}

bool TdxCustomRibbonForm::UsesCompositionFrame() const {
    return !formPaintData_.NoComposition && FormStyle() != fsMDIChild && HandleAllocated() &&
           IsDwmCompositionActive();
}

TColor TdxCustomRibbonForm::GetFormColor() const {
    if (ribbonNonClientActive_ && useSkinColor_ && captionHelper_) return captionHelper_->GetFormColor();
    return Color();
}

TBorderIcons TdxCustomRibbonForm::GetVisibleBorderIcons() const {
    TFormBorderStyle style = BorderStyle();
    if (FormStyle() == fsMDIChild && (style == bsNone || style == bsDialog)) style = bsSizeable;
    const TBorderIcons icons = BorderIcons();
    switch (style) {
        case bsNone:
            return TBorderIcons{};
        case bsDialog: {
            TBorderIcons result;
            if (icons.Contains(biSystemMenu)) result.Include(biSystemMenu);
            if (icons.Contains(biHelp)) result.Include(biHelp);
            return result;
        }
        case bsToolWindow:
        case bsSizeToolWin:
            return icons.Contains(biSystemMenu) ? TBorderIcons{biSystemMenu} : TBorderIcons{};
        default:
            return icons;
    }
}

bool TdxCustomRibbonForm::HandleCaptionMouse(bool isDown, TMouseButton button) {
    if (!ribbonNonClientActive_ || !captionHelper_) return false;
    const TPoint cursor = CursorPoint();
    if (!captionHelper_->IsInCaption(cursor)) return false;
    return isDown ? captionHelper_->CaptionMouseDown(cursor, button) : captionHelper_->CaptionMouseUp(cursor, button);
}

// ---- non-client painting -------------------------------------------------------------------

void TdxCustomRibbonForm::PaintNonClientTo(HDC dc, bool withCaption) {
    if (!captionHelper_) return;
    TdxDCCanvas canvas(dc);
    const int saved = SaveDC(dc);
    try {
        if (formPaintData_.WindowState == 1) {
            captionHelper_->Paint(canvas.Canvas());
        } else {
            if (formPaintData_.WindowState != 2) captionHelper_->DrawBorders(canvas.Canvas());
            if (withCaption) captionHelper_->DrawCaption(canvas.Canvas());
        }
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

void TdxCustomRibbonForm::PaintNonClientArea(bool withCaption, HRGN region) {
    if (!captionHelper_ || !HandleAllocated() || UsesCompositionFrame()) return;
    UpdateFormPaintData();
    HWND window = Handle();
    // The whole window's DC; a region the system hands over is taken as a copy (the DC owns it).
    HRGN clip = nullptr;
    if (region && region != HRGN(1)) {
        clip = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(clip, region, nullptr, RGN_COPY);
    }
    HDC dc = clip ? GetDCEx(window, clip, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_INTERSECTRGN)
                  : GetDCEx(window, nullptr, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) {
        if (clip) DeleteObject(clip);
        return;
    }
    try {
        PaintNonClientTo(dc, withCaption);
    } catch (...) {
        ReleaseDC(window, dc);
        throw;
    }
    ReleaseDC(window, dc);
}

void TdxCustomRibbonForm::RefreshNonClientArea() {
    UpdateFormPaintData();
    if (!ribbonNonClientActive_ || !HandleAllocated() || !IsWindowVisible(Handle())) return;
    PaintNonClientArea(false);
    captionHelper_->RedrawRibbon();
}

void TdxCustomRibbonForm::RedrawFrame() {
    if (HandleAllocated() && IsWindowVisible(Handle()))
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

// ---- composition frame ---------------------------------------------------------------------

void TdxCustomRibbonForm::ExtendFrameAtTop(int height) {
    if (height == extendedFrameHeight_ || !HandleAllocated()) return;
    HWND window = Handle();
    if (height > extendedFrameHeight_) {
        RECT r;
        GetWindowRect(window, &r);
        const int from = std::max(extendedFrameHeight_, 0);
        RECT band{changingVisibility_ ? 0 : 100, from, r.right - r.left, height};
        if (HDC dc = GetDC(window)) {
            FillRect(dc, &band, HBRUSH(GetStockObject(BLACK_BRUSH)));
            ReleaseDC(window, dc);
        }
    }
    extendedFrameHeight_ = height;
    const TcxDwmMargins margins{0, 0, height, 0};
    cxDwmExtendFrameIntoClientArea(window, &margins);
}

void TdxCustomRibbonForm::UpdateExtendedFrame(bool maximized) {
    if (!captionHelper_ || !HandleAllocated() || !UsesCompositionFrame()) return;
    int height = captionHelper_->GetCaptionHeight();
    if (maximized && height > 0) height += 4;
    ExtendFrameAtTop(height);
}

void TdxCustomRibbonForm::PaintExtendedFrameBand(HDC dc) {
    if (extendedFrameHeight_ <= 0) return;
    const RECT band{0, 0, ClientWidth(), extendedFrameHeight_};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, band.left, band.top, band.right, band.bottom);
    FillRect(dc, &band, HBRUSH(GetStockObject(BLACK_BRUSH)));
    RestoreDC(dc, saved);
    ExcludeClipRect(dc, band.left, band.top, band.right, band.bottom);
}

// ---- regions and insets --------------------------------------------------------------------

void TdxCustomRibbonForm::ApplyWindowRegion() {
    if (!captionHelper_ || !HandleAllocated()) return;
    HWND window = Handle();
    if (UsesCompositionFrame()) {
        if (IsZoomed(window)) SetWindowRgn(window, nullptr, TRUE);
        return;
    }
    if (IsIconic(window)) return;
    if (IsZoomed(window)) {
        RECT r;
        GetWindowRect(window, &r);
        const TRect insets = GetDefaultFrameInsetsWithoutCaption(window);
        SetWindowRgn(window,
                     CreateRectRgn(insets.left, insets.top, r.right - r.left - insets.right,
                                   r.bottom - r.top - insets.bottom),
                     TRUE);
        return;
    }
    SetWindowRgn(window, captionHelper_->GetWindowRegion(), TRUE);
    UpdateSizingCorners();
}

void TdxCustomRibbonForm::UpdateSizingCorners() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, region) == ERROR) {
        DeleteObject(region);
        region = CreateRectRgn(0, 0, w, h);
    }
    const int side = GetSystemMetrics(SM_CYCAPTION);
    const int fx = frameSize_.cx, fy = frameSize_.cy;
    // Each corner: the region minus itself moved toward that corner's inside, within the corner's square.
    const struct {
        int dx, dy;
        RECT square;
    } corners[4] = {{fx, fy, {0, 0, side, side}},
                    {-fx, fy, {w - side, 0, w, side}},
                    {-fx, -fy, {w - side, h - side, w, h}},
                    {fx, -fy, {0, h - side, side, h}}};
    for (int i = 0; i < 4; ++i) {
        HRGN inner = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(inner, region, nullptr, RGN_COPY);
        OffsetRgn(inner, corners[i].dx, corners[i].dy);
        CombineRgn(sizingCorners_[i], region, inner, RGN_DIFF);
        HRGN square = CreateRectRgnIndirect(&corners[i].square);
        CombineRgn(sizingCorners_[i], sizingCorners_[i], square, RGN_AND);
        DeleteObject(square);
        DeleteObject(inner);
    }
    DeleteObject(region);
}

void TdxCustomRibbonForm::UpdateMaximizedInsets() {
    maximizedInsets_ = TRect{};
    APPBARDATA data{};
    data.cbSize = sizeof(data);
    if (!(CallAppBarMessage(ABM_GETSTATE, &data) & ABS_AUTOHIDE)) return;
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar || !HandleAllocated() ||
        MonitorFromWindow(taskbar, MONITOR_DEFAULTTONEAREST) != MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST))
        return;
    APPBARDATA position{};
    position.cbSize = sizeof(position);
    position.hWnd = taskbar;
    CallAppBarMessage(ABM_GETTASKBARPOS, &position);
    const bool composition = captionHelper_ && UsesCompositionFrame();
    switch (position.uEdge) {
        case ABE_LEFT:
            maximizedInsets_.left = 1;
            break;
        case ABE_TOP:
            if (!composition) maximizedInsets_.top = 1;
            break;
        case ABE_RIGHT:
            maximizedInsets_.right = composition ? 2 : 1;
            break;
        case ABE_BOTTOM:
            maximizedInsets_.bottom = 1;
            break;
        default:
            break;
    }
}

// ---- system menu ---------------------------------------------------------------------------

void TdxCustomRibbonForm::ShowSystemMenu(bool atCursor) {
    if (!captionHelper_) return;
    TPoint p;
    if (atCursor) {
        p = CursorPoint();
    } else {
        const TRect& icon = captionHelper_->SystemIconRect();
        p = captionHelper_->Owner()->ClientToScreen(TPoint{icon.left, icon.bottom});
    }
    captionHelper_->TrackSystemMenu(p);
}

void TdxCustomRibbonForm::UpdateSystemMenu(HMENU menu) {
    if (!menu || BorderStyle() == bsNone || !BorderIcons().Contains(biSystemMenu) || FormStyle() == fsMDIChild) return;
    if (BorderStyle() == bsDialog) {
        DeleteMenu(menu, SC_TASKLIST, MF_BYCOMMAND);
        DeleteMenu(menu, 7, MF_BYPOSITION);
        DeleteMenu(menu, 5, MF_BYPOSITION);
        for (UINT command : {SC_MAXIMIZE, SC_MINIMIZE, SC_SIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);
    } else {
        HWND window = HandleAllocated() ? Handle() : nullptr;
        const bool minimized = window && IsIconic(window);
        const bool maximized = window && IsZoomed(window);
        auto grey = [menu](UINT command, bool off) {
            EnableMenuItem(menu, command, MF_BYCOMMAND | (off ? MF_GRAYED : MF_ENABLED));
        };
        grey(SC_MINIMIZE, !BorderIcons().Contains(biMinimize) || minimized);
        grey(SC_MAXIMIZE, !BorderIcons().Contains(biMaximize) || maximized);
        if (maximized) {
            grey(SC_SIZE, true);
            grey(SC_MOVE, true);
            grey(SC_RESTORE, false);
        } else if (!minimized) {
            grey(SC_RESTORE, true);
        }
    }
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
}

// ---- messages ------------------------------------------------------------------------------

void TdxCustomRibbonForm::CallDefault(TMessage& message) {
    message.Result = HandleAllocated() ? DefWindowProcW(Handle(), message.Msg, message.WParam, message.LParam) : 0;
}

void TdxCustomRibbonForm::WMNCCalcSize(TMessage& message) {
    HWND window = HandleAllocated() ? Handle() : nullptr;
    if (!captionHelper_ || !window || !IsWindowVisible(window) || IsIconic(window) || IsReadingOrLoading() ||
        !message.WParam) {
        Inherited<TForm>(message);
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    RECT& proposed = params->rgrc[0];
    if (UsesCompositionFrame()) {
        const LONG top = proposed.top;
        Inherited<TForm>(message);
        proposed.top = top;
        message.Result = 0;
        return;
    }
    const bool zoomed = IsZoomed(window);
    TRect insets;
    if (zoomed) {
        insets = GetDefaultFrameInsetsWithoutCaption(window);
        if (FormStyle() == fsMDIChild) insets.top = 0;
    } else {
        insets = captionHelper_->GetWindowBordersWidth();
    }
    proposed.left += insets.left;
    proposed.top += insets.top;
    proposed.right -= insets.right;
    proposed.bottom -= insets.bottom;
    if (zoomed) {
        if (FormStyle() == fsMDIChild) {
            proposed.top += GetDefaultFrameInsets(window).top - captionHelper_->GetCaptionHeight();
        } else {
            UpdateMaximizedInsets();
            proposed.left += maximizedInsets_.left;
            proposed.top += maximizedInsets_.top;
            proposed.right -= maximizedInsets_.right;
            proposed.bottom -= maximizedInsets_.bottom;
        }
    }
    message.Result = 0;
}

void TdxCustomRibbonForm::WMNCHitTest(TMessage& message) {
    if (!captionHelper_ || !HandleAllocated()) {
        Inherited<TForm>(message);
        return;
    }
    HWND window = Handle();
    const bool composition = UsesCompositionFrame();
    message.Result = 0;
    if (composition) {
        LRESULT result = 0;
        if (!cxDwmDefWindowProc(window, message.Msg, message.WParam, message.LParam, &result)) {
            Inherited<TForm>(message);
            result = message.Result;
        }
        message.Result = result == HTCLIENT || result == HTCAPTION ? 0 : result;
        if (message.Result != 0) return;
    }
    const TPoint screen = MessagePoint(message);
    RECT wr;
    GetWindowRect(window, &wr);
    const int x = screen.x - wr.left, y = screen.y - wr.top;
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    const TFormBorderStyle style = BorderStyle();
    if ((style == bsSizeable || style == bsSizeToolWin) && !IsZoomed(window) && !IsIconic(window)) {
        static const LRESULT cornerCodes[4] = {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMRIGHT, HTBOTTOMLEFT};
        for (int i = 0; i < 4 && message.Result == 0; ++i)
            if (PtInRegion(sizingCorners_[i], x, y)) message.Result = cornerCodes[i];
        if (message.Result == 0 && y >= 0 && y < frameSize_.cy) message.Result = HTTOP;
        if (message.Result == 0 && !composition) {
            if (x >= w - frameSize_.cx && x < w)
                message.Result = HTRIGHT;
            else if (y >= h - frameSize_.cy && y < h)
                message.Result = HTBOTTOM;
            else if (x >= 0 && x < frameSize_.cx)
                message.Result = HTLEFT;
        }
    }
    if (message.Result == 0 && captionHelper_->IsInCaption(screen)) message.Result = captionHelper_->HitTest(screen);
    if (message.Result == 0) message.Result = HTCLIENT;
}

void TdxCustomRibbonForm::WMNCPaint(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    if (UsesCompositionFrame()) {
        Inherited<TForm>(message);
        return;
    }
    PaintNonClientArea(false, reinterpret_cast<HRGN>(message.WParam));
    message.Result = 0;
}

void TdxCustomRibbonForm::WMNCActivate(TMessage& message) {
    nonClientActive_ = message.WParam != 0;
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    UpdateFormPaintData();
    HWND window = Handle();
    if (FormStyle() == fsMDIChild || UsesCompositionFrame()) {
        // Without WS_VISIBLE the system leaves its own frame unpainted.
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        SetWindowLongPtrW(window, GWL_STYLE, style & ~WS_VISIBLE);
        message.Result = DefWindowProcW(window, WM_NCACTIVATE, message.WParam, 0);
        SetWindowLongPtrW(window, GWL_STYLE, style);
    } else {
        message.Result = 1;
    }
    if (ComponentState().Contains(csDestroying)) return;
    if (!nonClientActive_) captionHelper_->ReleasePressedButton();
    RefreshNonClientArea();
}

void TdxCustomRibbonForm::WMSize(TMessage& message) {
    Inherited<TForm>(message);
    if (!captionHelper_ || IsReadingOrLoading()) return;
    UpdateFormPaintData();
    captionHelper_->UpdateNonClientDrawing();
    frameSize_ = SIZE{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)};
    if (UsesCompositionFrame()) {
        if (message.WParam == SIZE_MAXIMIZED) SetWindowRgn(Handle(), nullptr, TRUE);
        UpdateExtendedFrame(message.WParam == SIZE_MAXIMIZED);
        return;
    }
    ApplyWindowRegion();
}

void TdxCustomRibbonForm::WMPaint(TMessage& message) {
    if (captionHelper_) {
        UpdateFormPaintData();
        if (UsesCompositionFrame() && message.WParam) PaintExtendedFrameBand(reinterpret_cast<HDC>(message.WParam));
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMEraseBkgnd(TMessage& message) {
    const bool composition = captionHelper_ && UsesCompositionFrame();
    if (captionHelper_ && (composition || !DoubleBuffered() || message.WParam == WPARAM(message.LParam))) {
        TRect r = ClientRect();
        if (composition) r.top += std::max(extendedFrameHeight_, 0);
        if (!IsRectEmpty(&r)) {
            HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(GetFormColor())));
            FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush);
            DeleteObject(brush);
        }
        message.Result = 1;
        return;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMSysCommand(TMessage& message) {
    if (captionHelper_ && (message.WParam & 0xFFF0) == SC_KEYMENU && message.LParam == 32) {
        ShowSystemMenu(false);
        message.Result = 0;
        return;
    }
    const WPARAM command = message.WParam & 0xFFF0;
    const bool animationOff = captionHelper_ && FormStyle() == fsMDIChild &&
                              (command == SC_MINIMIZE || command == SC_MAXIMIZE || command == SC_RESTORE);
    ANIMATIONINFO animation{sizeof(ANIMATIONINFO), 0};
    if (animationOff) {
        SystemParametersInfoW(SPI_GETANIMATION, sizeof(animation), &animation, 0);
        ANIMATIONINFO off{sizeof(ANIMATIONINFO), 0};
        SystemParametersInfoW(SPI_SETANIMATION, sizeof(off), &off, 0);
    }
    try {
        Inherited<TForm>(message);
    } catch (...) {
        if (animationOff) SystemParametersInfoW(SPI_SETANIMATION, sizeof(animation), &animation, 0);
        throw;
    }
    if (animationOff) SystemParametersInfoW(SPI_SETANIMATION, sizeof(animation), &animation, 0);
    if (!captionHelper_) return;
    if (command == SC_MAXIMIZE || command == SC_RESTORE)
        RefreshNonClientArea();
    else
        UpdateFormPaintData();
}

void TdxCustomRibbonForm::WMWindowPosChanged(TMessage& message) {
    if (captionHelper_) UpdateFormPaintData();
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMShowWindow(TMessage& message) {
    Inherited<TForm>(message);
    if (!captionHelper_ || !message.WParam || !HandleAllocated()) return;
    HWND window = Handle();
    if (IsIconic(window) || IsZoomed(window)) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    captionHelper_->SetBorderIcons(GetVisibleBorderIcons());
    UpdateFormPaintData();
    captionHelper_->UpdateNonClientArea();
}

void TdxCustomRibbonForm::WMInitMenu(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    HMENU menu = GetSystemMenu(Handle(), FALSE);
    message.WParam = WPARAM(menu);
    CallDefault(message);
    UpdateSystemMenu(menu);
}

void TdxCustomRibbonForm::WMQueryOpen(TMessage& message) {
    if (captionHelper_) GetSystemMenu(Handle(), TRUE);
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMCancelMode(TMessage& message) {
    if (captionHelper_) captionHelper_->ReleasePressedButton();
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMCaptureChanged(TMessage& message) {
    if (captionHelper_ && HWND(message.LParam) != Handle()) {
        captionHelper_->ReleasePressedButton();
        inSizeMove_ = false;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMLButtonDown(TMessage& message) {
    if (HandleCaptionMouse(true, mbLeft)) {
        RefreshNonClientArea();
        message.Result = 0;
        return;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMLButtonUp(TMessage& message) {
    if (HandleCaptionMouse(false, mbLeft)) {
        message.Result = 0;
        return;
    }
    if (captionHelper_) captionHelper_->ReleasePressedButton();
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMRButton(TMessage& message) {
    const bool isDown = message.Msg == WM_RBUTTONDOWN;
    if (HandleCaptionMouse(isDown, mbRight)) {
        message.Result = 0;
        return;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMNCRButtonDown(TMessage& message) {
    // The system would follow the button itself until its release and swallow that: the
    // release must reach WMRButton to open the system menu where it happened.
    if (captionHelper_ && message.WParam == HTCAPTION && captionHelper_->IsInCaption(CursorPoint())) {
        message.Result = 0;
        return;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMDwmCompositionChanged(TMessage& message) {
    CallDefault(message);
    if (!captionHelper_) return;
    UpdateFormPaintData();
    HWND window = Handle();
    if (UsesCompositionFrame() && IsWindowVisible(window)) {
        SetWindowRgn(window, nullptr, TRUE);
        extendedFrameHeight_ = -1;
        RECT r;
        GetWindowRect(window, &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        // A size change forces the system to measure the frame again.
        HDWP batch = BeginDeferWindowPos(2);
        batch = DeferWindowPos(batch, window, nullptr, 0, 0, w - 1, h - 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        batch = DeferWindowPos(batch, window, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (batch) EndDeferWindowPos(batch);
        extendedFrameHeight_ = -1;
        RedrawFrame();
    }
    message.Result = 0;
}

void TdxCustomRibbonForm::SetWindowTextQuietly(const String& text) {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, style & ~WS_VISIBLE);
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SetWindowLongPtrW(window, GWL_STYLE, style);
}

void TdxCustomRibbonForm::WMSetText(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    const wchar_t* text = reinterpret_cast<const wchar_t*>(message.LParam);
    caption_ = text ? text : L"";
    message.Result = 1;
    UpdateFormPaintData();
    captionHelper_->UpdateNonClientArea();
    Perform(CM_TEXTCHANGED, 0, 0);
    if (HandleAllocated() && (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW))
        SetWindowTextQuietly(captionHelper_->GetCaptionText());
}

void TdxCustomRibbonForm::WMGetText(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    if (message.WParam == 0) {
        message.Result = 0;
        return;
    }
    const size_t n = std::min(caption_.size(), size_t(message.WParam) - 1);
    auto* out = reinterpret_cast<wchar_t*>(message.LParam);
    caption_.copy(out, n);
    out[n] = 0;
    message.Result = LRESULT(n);
}

void TdxCustomRibbonForm::WMGetTextLength(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    message.Result = LRESULT(caption_.size());
}

void TdxCustomRibbonForm::WMRepaintFrameAfter(TMessage& message) {
    Inherited<TForm>(message);
    if (captionHelper_) PaintNonClientArea(true);
}

void TdxCustomRibbonForm::WMNCLButtonDown(TMessage& message) {
    if (captionHelper_ && !UsesCompositionFrame()) Update();
    Inherited<TForm>(message);
    if (captionHelper_ && HandleAllocated() && IsIconic(Handle())) {
        PaintNonClientArea(true);
        message.Result = 0;
    }
}

void TdxCustomRibbonForm::WMThemedFrameRedraw(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    if (UsesCompositionFrame()) {
        LRESULT result = 0;
        cxDwmDefWindowProc(Handle(), message.Msg, message.WParam, message.LParam, &result);
    }
    PaintNonClientArea(true);
    message.Result = 0;
}

void TdxCustomRibbonForm::WMNCMouseLeave(TMessage& message) {
    if (captionHelper_ && UsesCompositionFrame()) {
        LRESULT result = 0;
        cxDwmDefWindowProc(Handle(), message.Msg, message.WParam, message.LParam, &result);
        message.Result = result;
        return;
    }
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMTaskbarSystemMenu(TMessage& message) {
    if (!captionHelper_) {
        Inherited<TForm>(message);
        return;
    }
    ShowSystemMenu(true);
    message.Result = 0;
}

void TdxCustomRibbonForm::WMEnterSizeMove(TMessage& message) {
    inSizeMove_ = true;
    Inherited<TForm>(message);
}

void TdxCustomRibbonForm::WMExitSizeMove(TMessage& message) {
    inSizeMove_ = false;
    Inherited<TForm>(message);
    if (captionHelper_) RefreshNonClientArea();
}

// ---- unit ----------------------------------------------------------------------------------

void InitializedxRibbonForm() {
    if (IsPlatformAbove5()) BufferedPaintInit();
}

void FinalizedxRibbonForm() {
    if (IsPlatformAbove5()) BufferedPaintUnInit();
}
