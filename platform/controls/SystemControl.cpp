#include "SystemControl.h"

#include <commctrl.h>

#include "ImageList.h"

void InitCommonControlClasses() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)loaded;
}

int FontLineHeight(TFont* font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

void EnableWindowDrawing(HWND window, bool redraw) {
    if (!window) return;
    ::SendMessageW(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) InvalidateRect(window, nullptr, TRUE);
}

TSystemControl::TSystemControl(TComponent* AOwner) : TWinControl(AOwner) {
    // The window tracks the mouse and reports clicks itself.
    SetControlStyle(ControlStyle() - csCaptureMouse - csClickEvents);
}

TSystemControl::~TSystemControl() { FreeObject(canvas_); }

void TSystemControl::SetBorderStyle(TBorderStyle v) {
    if (AssignIfChanged(borderStyle_, v)) RecreateWnd();
}

TCanvas* TSystemControl::Canvas() {
    if (!canvas_) canvas_ = new TControlCanvas(this);
    return canvas_;
}

void TSystemControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    InitCommonControlClasses();
    CreateSubClass(Params, SystemClassName());
    if (borderStyle_ == bsSingle) {
        if (Ctl3D())
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

void TSystemControl::CreateWnd() {
    IncludeState(csCreating);
    try {
        TWinControl::CreateWnd();
        FillWindow();
    } catch (...) {
        ExcludeState(csCreating);
        throw;
    }
    ExcludeState(csCreating);
}

void TSystemControl::DestroyWnd() {
    SaveWindowState();
    if (canvas_) canvas_->FreeHandle();
    TWinControl::DestroyWnd();
}

void TSystemControl::DrawOnCanvas(HDC dc, const std::function<void()>& draw) {
    TCanvas* canvas = Canvas();
    TCanvasPaintScope scope(canvas, dc);
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    draw();
}

void TSystemControl::DrawOwnerDrawnItem(const DRAWITEMSTRUCT& item,
                                        const std::function<void(int, TRect, TOwnerDrawState)>& drawItem) {
    TOwnerDrawState state = OwnerDrawStateFromBits(item.itemState);
    DrawOnCanvas(item.hDC, [&] {
        TCanvas* canvas = Canvas();
        if (state.Contains(odSelected)) {
            canvas->Brush()->SetColor(clHighlight);
            canvas->Font()->SetColor(clHighlightText);
        }
        TRect rect = item.rcItem;
        if (int(item.itemID) >= 0)
            drawItem(int(item.itemID), rect, state);
        else
            canvas->FillRect(rect);
        if (state.Contains(odFocused)) canvas->DrawFocusRect(rect);
    });
}

void TSystemControl::CMCtl3DChanged(TMessage& Message) {
    if (borderStyle_ == bsSingle) RecreateWnd();
    Inherited<TWinControl>(Message);
}

void TSystemControl::CMColorChanged(TMessage& Message) {
    Inherited<TWinControl>(Message);
    ApplyColors();
}

void TSystemControl::CMFontChanged(TMessage& Message) {
    Inherited<TWinControl>(Message);
    ApplyColors();
}

void TSystemControl::CMWantSpecialKey(TMessage& Message) {
    if (IsEditing()) Message.Result = 1;
}

bool TSystemControl::ChangeImageList(TCustomImageList*& field, TCustomImageList* value, TChangeLink* link) {
    if (field == value) return false;
    if (field) {
        field->UnRegisterChanges(link);
        field->RemoveFreeNotification(this);
    }
    field = value;
    if (value) {
        value->RegisterChanges(link);
        value->FreeNotification(this);
    }
    return true;
}
