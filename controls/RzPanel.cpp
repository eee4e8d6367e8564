#include "RzPanel.h"

#include <algorithm>

#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "Font.h"
#include "RzOldPropReader.h"

namespace {

// Pixels one frame style takes on one side.
int FrameWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
        case fsNone:
            return 0;
        case fsFlat:
            return 1;
        case fsStatus:
        case fsPopup:
            return bevelWidth;
        default:
            return 2;
    }
}

}  // namespace

TRzCustomPanel::TRzCustomPanel(TComponent* AOwner) : TCustomControl(AOwner), enabledList_(new TStringList) {
    TControlStyle style = ControlStyle();
    style += csAcceptsControls;
    style -= csSetCaption;
    style -= csParentBackground;
    style += csOpaque;
    SetControlStyle(style);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetParentColor(false);
}

TRzCustomPanel::~TRzCustomPanel() {
    if (frameController_) frameController_->RemoveControl(this);
    delete enabledList_;
}

// ---- frame and layout ----

void TRzCustomPanel::AdjustRectForBorders(TRect& r, bool includeBorderWidth) const {
    if (includeBorderWidth) InflateRect(&r, -borderWidth_, -borderWidth_);
    int w = FrameWidth(borderOuter_, bevelWidth_) + FrameWidth(borderInner_, bevelWidth_);
    if (borderSides_.Contains(sdLeft)) r.left += w;
    if (borderSides_.Contains(sdTop)) r.top += w;
    if (borderSides_.Contains(sdRight)) r.right -= w;
    if (borderSides_.Contains(sdBottom)) r.bottom -= w;
}

void TRzCustomPanel::GetCursorPosition(TPoint& p) const {
    POINT screen{};
    GetCursorPos(&screen);
    p = ScreenToClient(TPoint{screen.x, screen.y});
}

void TRzCustomPanel::GetGradientColors(TColor& start, TColor& stop) const {
    if (gradientColorStyle_ == gcsCustom) {
        start = gradientColorStart_;
        stop = gradientColorStop_;
    } else {
        GetBarGradientColors(gradientColorStyle_, start, stop);
    }
}

void TRzCustomPanel::GetFrameColors(TColor& flatColor, int& adjustment) const {
    if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
        flatColor = GetXPFrameColor(gradientColorStyle_);
        adjustment = 0;
    } else {
        flatColor = flatColor_;
        adjustment = flatColorAdjustment_;
    }
}

// Our windows have no non-client border band, so BorderWidth is taken from the client area here.
void TRzCustomPanel::AlignControls(TControl* AControl, TRect& rect) {
    AdjustRectForBorders(rect, true);
    TCustomControl::AlignControls(AControl, rect);
}

void TRzCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    if (DockSite()) AdjustRectForBorders(rect, true);
}

TDockTree* TRzCustomPanel::CreateDockManager() {
    SetDoubleBuffered(true);
    return new TRzPanelDockManager(this);
}

void TRzCustomPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // A panel docked to the bottom or right grows toward the top or left.
    if (Align() == alBottom && AHeight != Height() && ATop == Top()) ATop = Top() + Height() - AHeight;
    if (Align() == alRight && AWidth != Width() && ALeft == Left()) ALeft = Left() + Width() - AWidth;
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TRzCustomPanel::FrameControllerChanged() {
    TRzFrameController* fc = frameController_;
    if (!fc || !fc->FrameVisible()) return;
    const TRzFrameControllerNotifications& n = frameControllerNotifications_;
    if (n.Contains(fcpFrameStyle)) borderOuter_ = fc->FrameStyle();
    if (n.Contains(fcpFrameSides)) borderSides_ = fc->FrameSides();
    if (n.Contains(fcpFrameColor)) {
        flatColor_ = fc->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (n.Contains(fcpColor)) SetColor(fc->Color());
    if (n.Contains(fcpParentColor)) SetParentColor(fc->ParentColor());
    if (n.Contains(fcpColor)) {
        borderHighlight_ = BrightenColor(Color(), 100);
        borderShadow_ = DarkenColor(Color(), 50);
    }
    Realign();
    Invalidate();
}

// ---- setters ----

void TRzCustomPanel::SetAlignment(TAlignment v) { AssignAndInvalidate(alignment_, v); }
void TRzCustomPanel::SetAlignmentVertical(TAlignmentVertical v) { AssignAndInvalidate(alignmentVertical_, v); }
void TRzCustomPanel::SetBevelWidth(int v) {
    if (v < 1) v = 1;
    if (AssignAndInvalidate(bevelWidth_, v)) Realign();
}
void TRzCustomPanel::SetBorderColor(TColor v) { AssignAndInvalidate(borderColor_, v); }
void TRzCustomPanel::SetBorderHighlight(TColor v) { AssignAndInvalidate(borderHighlight_, v); }
void TRzCustomPanel::SetBorderShadow(TColor v) { AssignAndInvalidate(borderShadow_, v); }
void TRzCustomPanel::SetBorderInner(TFrameStyleEx v) {
    if (AssignAndInvalidate(borderInner_, v)) Realign();
}
void TRzCustomPanel::SetBorderOuter(TFrameStyleEx v) {
    if (AssignAndInvalidate(borderOuter_, v)) Realign();
}
void TRzCustomPanel::SetBorderSides(TSides v) {
    if (AssignAndInvalidate(borderSides_, v)) Realign();
}
void TRzCustomPanel::SetBorderWidth(int v) {
    if (v < 0) v = 0;
    if (AssignAndInvalidate(borderWidth_, v)) Realign();
}
void TRzCustomPanel::SetFlatColor(TColor v) { AssignAndInvalidate(flatColor_, v); }
void TRzCustomPanel::SetFlatColorAdjustment(int v) { AssignAndInvalidate(flatColorAdjustment_, v); }
void TRzCustomPanel::SetGradientColorStyle(TRzGradientColorStyle v) { AssignAndInvalidate(gradientColorStyle_, v); }
void TRzCustomPanel::SetGradientColorStart(TColor v) {
    if (AssignAndInvalidate(gradientColorStart_, v)) InvalidateTransparentChildren(this);
}
void TRzCustomPanel::SetGradientColorStop(TColor v) {
    if (AssignAndInvalidate(gradientColorStop_, v)) InvalidateTransparentChildren(this);
}
void TRzCustomPanel::SetGradientDirection(TGradientDirection v) {
    if (AssignAndInvalidate(gradientDirection_, v)) InvalidateTransparentChildren(this);
}
void TRzCustomPanel::SetGridColor(TColor v) { AssignAndInvalidate(gridColor_, v); }
void TRzCustomPanel::SetGridStyle(int v) { AssignAndInvalidate(gridStyle_, v); }
void TRzCustomPanel::SetGridXSize(Word v) { AssignAndInvalidate(gridXSize_, v); }
void TRzCustomPanel::SetGridYSize(Word v) { AssignAndInvalidate(gridYSize_, v); }
void TRzCustomPanel::SetPaintClientArea(bool v) { AssignAndInvalidate(paintClientArea_, v); }
void TRzCustomPanel::SetShowGrid(bool v) { AssignAndInvalidate(showGrid_, v); }
void TRzCustomPanel::SetTextMargin(int v) { AssignAndInvalidate(textMargin_, v); }
void TRzCustomPanel::SetTextMarginVertical(int v) { AssignAndInvalidate(textMarginVertical_, v); }
void TRzCustomPanel::SetWordWrap(bool v) { AssignAndInvalidate(wordWrap_, v); }
void TRzCustomPanel::SetVisualStyle(TRzVisualStyle v) { AssignAndInvalidate(visualStyle_, v); }

void TRzCustomPanel::SetTransparent(bool v) {
    if (transparent_ == v) return;
    transparent_ = v;
    TControlStyle style = ControlStyle();
    if (v)
        style -= csOpaque;
    else
        style += csOpaque;
    SetControlStyle(style);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TRzCustomPanel::SetFrameController(TRzFrameController* v) {
    if (!TRzFrameController::Switch(frameController_, v, this)) return;
    Invalidate();
}

void TRzCustomPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == frameController_) frameController_ = nullptr;
}

void TRzCustomPanel::DefineProperties(TFiler* filer) {
    TCustomControl::DefineProperties(filer);
    filer->DefineProperty(L"FrameSides", &TRzOldPropReader::ReadOldIdentProp, nullptr, false);
    filer->DefineProperty(L"ThemeAware", &TRzOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty(
        L"UseGradients",
        [this](TReader* reader) {
            if (reader->ReadBoolean()) SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// ---- painting ----

void TRzCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = PanelRect();
    TColor flat;
    int adjustment;
    GetFrameColors(flat, adjustment);
    TColor parentColor = Parent() ? Parent()->Color() : clBtnFace;
    r = PaintPanelBorders(canvas, r, borderOuter_, borderInner_, borderWidth_, borderSides_, bevelWidth_, borderColor_,
                          borderHighlight_, borderShadow_, flat, adjustment, Color(), parentColor, transparent_);
    if (!transparent_ && paintClientArea_) {
        bool rounded = (borderOuter_ == fsFlatRounded && borderInner_ == fsNone && borderWidth_ == 0) ||
                       borderInner_ == fsFlatRounded;
        auto grow = [&](int by) {
            if (borderSides_.Contains(sdLeft)) r.left -= by;
            if (borderSides_.Contains(sdTop)) r.top -= by;
            if (borderSides_.Contains(sdRight)) r.right += by;
            if (borderSides_.Contains(sdBottom)) r.bottom += by;
        };
        if (rounded) grow(1);
        if (visualStyle_ == vsGradient) {
            TColor start, stop;
            GetGradientColors(start, stop);
            PaintGradient(canvas, r, gradientDirection_, start, stop);
        } else {
            canvas->Brush()->SetColor(Color());
            canvas->Brush()->SetStyle(bsSolid);
            canvas->FillRect(r);
        }
        if (rounded) {
            TColor corner = AdjustColorLightness(flat, adjustment);
            auto has = [&](TSide s) { return borderSides_.Contains(s); };
            if (has(sdLeft) && has(sdTop)) canvas->SetPixels(r.left, r.top, corner);
            if (has(sdRight) && has(sdTop)) canvas->SetPixels(r.right - 1, r.top, corner);
            if (has(sdLeft) && has(sdBottom)) canvas->SetPixels(r.left, r.bottom - 1, corner);
            if (has(sdRight) && has(sdBottom)) canvas->SetPixels(r.right - 1, r.bottom - 1, corner);
            grow(-1);
        }
    }
    if (showGrid_) DrawGrid(r);
    canvas->Brush()->SetStyle(bsClear);
    DrawCaption(r);
    canvas->Brush()->SetStyle(bsSolid);
    if (OnPaint) OnPaint(this);
}

void TRzCustomPanel::DrawCaption(const TRect& r) {
    String caption = Caption();
    if (caption.empty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    TRect area = r;
    InflateRect(&area, -textMargin_, -textMarginVertical_);
    UINT flags = DT_EXPANDTABS | DT_VCENTER;
    if (wordWrap_) flags |= DT_WORDBREAK;
    flags |= DrawTextAlignment(alignment_);
    TRect measured = area;
    int h = PaintText(canvas, caption, measured, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
        case avTop:
            area.bottom = std::min<LONG>(area.bottom, area.top + h);
            break;
        case avCenter:
            area.top = (area.top + area.bottom - h) / 2;
            area.bottom = std::min<LONG>(area.bottom, area.top + h);
            break;
        case avBottom:
            area.top = std::max<LONG>(area.top, area.bottom - h - 1);
            break;
    }
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    PaintText(canvas, caption, area, flags);
}

void TRzCustomPanel::DrawGrid(const TRect& r) {
    TCanvas* canvas = Canvas();
    int cols = gridXSize_ ? RectWidth(r) / gridXSize_ : 0;
    int rows = gridYSize_ ? RectHeight(r) / gridYSize_ : 0;
    if (gridStyle_ == 0) {
        for (int i = 1; i <= cols; ++i)
            for (int j = 1; j <= rows; ++j)
                canvas->SetPixels(r.left + i * gridXSize_ - 1, r.top + j * gridYSize_ - 1, gridColor_);
        return;
    }
    bool solid = gridStyle_ == 2;
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (solid) {
            canvas->Pen()->SetColor(gridColor_);
            canvas->MoveTo(x0, y0);
            canvas->LineTo(x1, y1);
            return;
        }
        // Every second pixel, starting one after the line's start.
        if (x0 == x1)
            for (int y = y0 + 1; y < y1; y += 2) canvas->SetPixels(x0, y, gridColor_);
        else
            for (int x = x0 + 1; x < x1; x += 2) canvas->SetPixels(x, y0, gridColor_);
    };
    for (int i = 1; i <= cols; ++i) {
        int x = r.left + i * gridXSize_ - 1;
        line(x, r.top, x, r.bottom);
    }
    for (int j = 1; j <= rows; ++j) {
        int y = r.top + j * gridYSize_ - 1;
        line(r.left, y, r.right, y);
    }
}

// ---- messages ----

void TRzCustomPanel::WMEraseBkgnd(TMessage& Message) {
    if (transparent_ && paintClientArea_) {
        PaintParentBackground(this, HDC(Message.WParam), false);
        Message.Result = 1;
        return;
    }
    // Paint covers the whole window; erasing first would only flicker.
    Message.Result = 1;
}

void TRzCustomPanel::WMWindowPosChanged(TMessage& Message) {
    // The frame moves with the edges, so the whole panel is drawn again.
    Invalidate();
    Inherited<TCustomControl>(Message);
}

void TRzCustomPanel::WMThemeChanged(TMessage& Message) {
    DetectXPColorScheme();
    Inherited<TCustomControl>(Message);
}

void TRzCustomPanel::CMEnabledChanged(TMessage& Message) {
    if (!Enabled()) {
        enabledList_->Clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            enabledList_->AddObject(c->Enabled() ? L"1" : L"0", c);
        }
        for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
    } else {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            int at = enabledList_->IndexOfObject(c);
            c->SetEnabled(at < 0 || enabledList_->Strings(at) != L"0");
        }
        enabledList_->Clear();
    }
    Inherited<TCustomControl>(Message);
    Invalidate();
}

void TRzCustomPanel::CMTextChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    Invalidate();
}

// ---- the dock manager

TRzPanelDockManager::TRzPanelDockManager(TRzCustomPanel* panel)
    : TDockTree(panel), panel_(panel), font_(new TFont), closeFont_(new TFont) {
    SetGrabberSize(14);
    font_->SetName(L"Verdana");
    font_->SetSize(8);
    closeFont_->SetName(L"Marlett");
    // Marlett is a symbol font: asked for with the default character set, the font mapper
    // (Wine's at least) passes it over for a text font.
    closeFont_->SetCharset(SYMBOL_CHARSET);
    closeFont_->SetSize(8);
    savedWndProc_ = panel->WindowProc();
    panel->SetWindowProc(MakeEvent(this, &TRzPanelDockManager::SiteWndProc));
}

TRzPanelDockManager::~TRzPanelDockManager() {
    panel_->SetWindowProc(savedWndProc_);
    delete closeFont_;
    delete font_;
}

void TRzPanelDockManager::SiteWndProc(TMessage& Message) {
    if ((Message.Msg == WM_COMMAND || Message.Msg == WM_MOUSEACTIVATE) && panel_->HandleAllocated())
        panel_->Invalidate();
    savedWndProc_(Message);
}

bool TRzPanelDockManager::CaptionsAtLeft() const { return panel_->Align() == alTop || panel_->Align() == alBottom; }

void TRzPanelDockManager::AdjustDockRect(TControl* control, TRect& rect) {
    if (CaptionsAtLeft())
        rect.left = std::min<LONG>(rect.left + GrabberSize(), rect.right);
    else
        rect.top = std::min<LONG>(rect.top + GrabberSize(), rect.bottom);
}

void TRzPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) {
    if (!panel_->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(canvas, control, rect);
        return;
    }
    // A windowed client shows the active colours only while it holds the focus.
    bool active = true;
    if (auto* windowed = As<TWinControl>(control)) {
        HWND focus = GetFocus();
        active = windowed->HandleAllocated() && focus &&
                 (focus == windowed->WindowHandle() || IsChild(windowed->WindowHandle(), focus));
    }
    TColor back = active ? clActiveCaption : clInactiveCaption;
    TColor text = active ? clCaptionText : clInactiveCaptionText;
    int g = GrabberSize();
    String caption = control->Caption();
    HDC dc = canvas->Handle();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(back);
    canvas->Font()->Assign(font_);
    canvas->Font()->SetColor(text);
    TRect strip, close;
    if (CaptionsAtLeft()) {
        strip = TRect{rect.left, rect.top, rect.left + g, rect.bottom};
        close = TRect{rect.left + 1, rect.top + 1, rect.left + 12, rect.top + 12};
        canvas->FillRect(strip);
        // The text runs upward from the strip's bottom, on its baseline near the right edge.
        HFONT rotated = CreateRotatedFont(font_, 90);
        HGDIOBJ oldFont = SelectObject(dc, rotated);
        UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        SetTextColor(dc, ColorToRGB(text));
        SetBkMode(dc, TRANSPARENT);
        ExtTextOutW(dc, strip.right - 2, strip.bottom - 3, ETO_CLIPPED, &strip, caption.c_str(), UINT(caption.size()),
                    nullptr);
        SetTextAlign(dc, oldAlign);
        SelectObject(dc, oldFont);
        DeleteObject(rotated);
    } else {
        strip = TRect{rect.left, rect.top, rect.right, rect.top + g};
        close = TRect{rect.right - 15, rect.top + 1, rect.right - 2, rect.top + 12};
        canvas->FillRect(strip);
        TRect textArea{strip.left + 2, strip.top, close.left, strip.bottom};
        canvas->Brush()->SetStyle(bsClear);
        PaintText(canvas, caption, textArea, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(closeFont_);
    canvas->Font()->SetColor(text);
    PaintText(canvas, L"r", close, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
}

void InitializeRzPanel() { RegisterClass(TRzCustomPanel::StaticClass()); }
