#include "RzPanel.h"

#include <algorithm>

#include "Canvas.h"
#include "Filer.h"
#include "RzOldPropReader.h"

namespace {

// Pixels one frame style takes on one side.
int FrameWidth(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
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
    if (v) style -= csOpaque;
    else style += csOpaque;
    SetControlStyle(style);
    Invalidate();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

void TRzCustomPanel::SetFrameController(TRzFrameController* v) {
    if (frameController_ == v) return;
    if (frameController_) {
        frameController_->RemoveControl(this);
        frameController_->RemoveFreeNotification(this);
    }
    frameController_ = v;
    if (v) {
        v->AddControl(this);
        v->FreeNotification(this);
    }
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
    r = PaintPanelBorders(canvas, r, borderOuter_, borderInner_, borderWidth_, borderSides_, bevelWidth_,
                          borderColor_, borderHighlight_, borderShadow_, flat, adjustment, Color(), parentColor,
                          transparent_);
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
    switch (alignment_) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    }
    TRect measured = area;
    int h = PaintText(canvas, caption, measured, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
    case avTop: area.bottom = std::min<LONG>(area.bottom, area.top + h); break;
    case avCenter:
        area.top = (area.top + area.bottom - h) / 2;
        area.bottom = std::min<LONG>(area.bottom, area.top + h);
        break;
    case avBottom: area.top = std::max<LONG>(area.top, area.bottom - h - 1); break;
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

void InitializeRzPanel() { RegisterClass(TRzCustomPanel::StaticClass()); }
