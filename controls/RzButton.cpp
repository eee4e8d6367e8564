#include "RzButton.h"

#include <array>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlsStringIds.h"
#include "Filer.h"
#include "RzGrafx.h"
#include "ShortCuts.h"
#include "Themes.h"

// Sections: TRzCustomButton (setters, caption text, mouse and messages); TRzButton (setters,
// press and click, keys and dialog messages, painting); TRzBitBtn (kind, glyph, rectangles,
// painting); kind glyphs.

// ---- TRzCustomButton

TRzCustomButton::TRzCustomButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csOpaque, csDoubleClicks, csReplicatable, csReflector});
    SetBounds(0, 0, 115, 17);
    SetTabStop(true);
}

bool TRzCustomButton::UsesThemes() const { return themeAware_ && ThemesActive(); }

void TRzCustomButton::SetAlignmentVertical(TAlignmentVertical v) { AssignAndInvalidate(alignmentVertical_, v); }
void TRzCustomButton::SetHotTrack(bool v) { AssignAndInvalidate(hotTrack_, v); }
void TRzCustomButton::SetHighlightColor(TColor v) { AssignAndInvalidate(highlightColor_, v); }
void TRzCustomButton::SetLightTextStyle(bool v) { AssignAndInvalidate(lightTextStyle_, v); }
void TRzCustomButton::SetTextStyle(TTextStyle v) { AssignAndInvalidate(textStyle_, v); }
void TRzCustomButton::SetTextHighlightColor(TColor v) { AssignAndInvalidate(textHighlightColor_, v); }
void TRzCustomButton::SetTextShadowColor(TColor v) { AssignAndInvalidate(textShadowColor_, v); }
void TRzCustomButton::SetTextShadowDepth(int v) { AssignAndInvalidate(textShadowDepth_, v); }
void TRzCustomButton::SetThemeAware(bool v) { AssignAndInvalidate(themeAware_, v); }
void TRzCustomButton::SetTransparent(bool v) { AssignAndInvalidate(transparent_, v); }

void TRzCustomButton::DrawCaptionText(TCanvas* canvas, TRect r, UINT flags) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    String caption = Caption();
    TRect measured = r;
    int h = PaintText(canvas, caption, measured, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    switch (alignmentVertical_) {
        case avTop:
            r.bottom = r.top + h;
            break;
        case avCenter:
            r.top = (r.top + r.bottom - h) / 2;
            r.bottom = r.top + h;
            break;
        case avBottom:
            r.top = r.bottom - h - 1;
            break;
    }
    auto textAt = [&](TColor color, int dx, int dy) {
        canvas->Font()->SetColor(color);
        TRect moved = r;
        OffsetRect(&moved, dx, dy);
        PaintText(canvas, caption, moved, flags);
    };
    if (Enabled()) {
        switch (textStyle_) {
            case tsRaised:
                if (!lightTextStyle_) textAt(textShadowColor_, 1, 1);
                textAt(textHighlightColor_, -1, -1);
                break;
            case tsRecessed:
                textAt(textHighlightColor_, 1, 1);
                if (!lightTextStyle_) textAt(textShadowColor_, -1, -1);
                break;
            case tsShadow:
                if (flags & DT_RIGHT)
                    textAt(textShadowColor_, 0, textShadowDepth_);
                else
                    textAt(textShadowColor_, textShadowDepth_, textShadowDepth_);
                break;
            case tsNormal:
                break;
        }
        canvas->Font()->SetColor(Font()->Color());
        // Right-aligned text keeps room for a shadow on its right, whatever the style.
        if (flags & DT_RIGHT) OffsetRect(&r, -textShadowDepth_, 0);
    } else {
        canvas->Font()->SetColor(ColorsAreClose(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
    }
    PaintText(canvas, caption, r, flags);
    canvas->Brush()->SetStyle(bsSolid);
}

void TRzCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (HandleAllocated() && CanFocus()) ::SetFocus(WindowHandle());
    if (Focused()) {
        pressedLook_ = true;
        RepaintState();
        tracking_ = true;
    }
}

void TRzCustomButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!tracking_) return;
    bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
    if (inside != pressedLook_) {
        pressedLook_ = inside;
        RepaintState();
    }
}

void TRzCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!tracking_) return;
    tracking_ = false;
    pressedLook_ = false;
    if (X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight()) ClickFromPress();
    RepaintState();
}

void TRzCustomButton::InvalidateHotTrackRect() {
    if (!HandleAllocated() || !(hotTrack_ || UsesThemes())) return;
    TRect r = GetHotTrackRect();
    InvalidateRect(WindowHandle(), &r, FALSE);
}

void TRzCustomButton::MouseEnter() {
    mouseOver_ = true;
    TCustomControl::MouseEnter();
    InvalidateHotTrackRect();
}

void TRzCustomButton::MouseLeave() {
    mouseOver_ = false;
    TCustomControl::MouseLeave();
    InvalidateHotTrackRect();
}

void TRzCustomButton::CMEnabledChanged(TMessage& Message) {
    if (!Enabled() && Parent())
        if (TCustomForm* form = GetParentForm()) form->DefocusControl(this, false);
    if (HandleAllocated()) EnableWindow(WindowHandle(), Enabled());
    Invalidate();
    Inherited<TCustomControl>(Message);
}

void TRzCustomButton::CMTextChanged(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    Repaint();
}

void TRzCustomButton::WMSetFocus(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    FocusRepaint();
}

void TRzCustomButton::WMKillFocus(TMessage& Message) {
    Inherited<TCustomControl>(Message);
    FocusRepaint();
}

void TRzCustomButton::WMEraseBkgnd(TMessage& Message) {
    if (transparent_) {
        PaintTransparentBackground(HDC(Message.WParam));
        Message.Result = 1;
        return;
    }
    Inherited<TCustomControl>(Message);
}

// ---- TRzButton

TRzButton::TRzButton(TComponent* AOwner) : TRzCustomButton(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
    SetParentColor(false);
}

TRzButton::~TRzButton() = default;

void TRzButton::SetDefault(bool v) {
    default_ = v;
    if (HandleAllocated())
        if (TCustomForm* form = GetParentForm())
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TRzButton::SetAllowAllUp(bool v) {
    if (!AssignIfChanged(allowAllUp_, v)) return;
    SendGroupMessage();
}

void TRzButton::SetGroupIndex(int v) {
    if (!AssignIfChanged(groupIndex_, v)) return;
    SendGroupMessage();
}

void TRzButton::SetDown(bool v) {
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    // A latched member of a group is released only by another member, unless all may be up.
    if (down_ && groupIndex_ != 0 && !allowAllUp_) return;
    down_ = v;
    state_ = v ? bsExclusive : bsUp;
    Invalidate();
    if (v) SendGroupMessage();
}

void TRzButton::SetHotTrack(bool v) {
    TRzCustomButton::SetHotTrack(v);
    SetTransparent(v);
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TRzButton::SendGroupMessage() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage message{CM_RZBUTTONGROUP, WPARAM(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        parent->Controls(i)->Perform(message.Msg, message.WParam, message.LParam);
}

void TRzButton::CMButtonGroup(TMessage& Message) {
    auto* sender = reinterpret_cast<TRzButton*>(Message.LParam);
    if (int(Message.WParam) != groupIndex_ || sender == this || !sender) return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

void TRzButton::ClickFromPress() {
    if (groupIndex_ != 0)
        SetDown(!down_);
    else
        RepaintState();
    clicking_ = true;
    try {
        Click();
    } catch (...) {
        clicking_ = false;
        throw;
    }
    clicking_ = false;
}

void TRzButton::Click() {
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
    TRzCustomButton::Click();
}

void TRzButton::CreateWnd() {
    TRzCustomButton::CreateWnd();
    active_ = default_;
}

void TRzButton::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE && !Shift.Contains(ssAlt)) {
        armed_ = true;
        SetPressedLook(true);
        RepaintState();
    }
    TRzCustomButton::KeyDown(Key, Shift);
}

void TRzButton::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        SetPressedLook(false);
        if (armed_) ClickFromPress();
        RepaintState();
    }
    TRzCustomButton::KeyUp(Key, Shift);
}

void TRzButton::WMKillFocus(TMessage& Message) {
    Inherited<TRzCustomButton>(Message);
    armed_ = false;
    SetPressedLook(false);
    RepaintState();
}

void TRzButton::CMDialogKey(TMessage& Message) {
    bool enter = Message.WParam == VK_RETURN && active_;
    bool escape = Message.WParam == VK_ESCAPE && cancel_;
    bool shifted = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
    if ((enter || escape) && !shifted && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    Inherited<TRzCustomButton>(Message);
}

void TRzButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    Inherited<TRzCustomButton>(Message);
}

void TRzButton::CMFocusChanged(TMessage& Message) {
    auto* sender = reinterpret_cast<TControl*>(Message.LParam);
    bool active = sender && Is<TRzButton>(sender) ? sender == this : default_;
    if (active != active_) {
        active_ = active;
        Repaint();
    }
    Inherited<TRzCustomButton>(Message);
}

void TRzButton::DefineProperties(TFiler* filer) {
    TRzCustomButton::DefineProperties(filer);
    filer->DefineProperty(
        L"FrameFlat", [this](TReader* reader) { SetHotTrack(reader->ReadBoolean()); }, nullptr, false);
}

bool TRzButton::LooksPressed() const { return state_ == bsDown || state_ == bsExclusive || PressedLook(); }

TRect TRzButton::GetCaptionRect() {
    TRect r = ClientRect();
    InflateRect(&r, -5, -5);
    if (!HotTrack() && !UsesThemes() && LooksPressed()) OffsetRect(&r, 1, 1);
    return r;
}

void TRzButton::PaintCaption() {
    DrawCaptionText(Canvas(), GetCaptionRect(), DT_WORDBREAK | DT_EXPANDTABS | DrawTextAlignment(alignment_));
}

void TRzButton::BuildDownPattern(TBitmap* bitmap) {
    bitmap->SetSize(8, 8);
    TColor dots = ColorToRGB(Color()) == 0xC0C0C0 ? TColor(0x808080) : TColor(0xC0C0C0);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(TRect{0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x % 2) == (y % 2)) canvas->SetPixels(x, y, dots);
}

void TRzButton::Paint() {
    TCanvas* canvas = Canvas();
    bool pressed = LooksPressed();
    bool grouped = groupIndex_ != 0;
    TRect r = ClientRect();
    TRect focus = r;
    InflateRect(&focus, HotTrack() || UsesThemes() ? -3 : -4, HotTrack() || UsesThemes() ? -3 : -4);
    if (grouped && pressed) OffsetRect(&focus, 1, 1);

    if (UsesThemes()) {
        int state = PBS_NORMAL;
        if (!Enabled())
            state = PBS_DISABLED;
        else if (pressed)
            state = PBS_PRESSED;
        else if (MouseOver())
            state = PBS_HOT;
        else if (grouped || !(active_ || Focused()) || PressedLook())
            state = PBS_NORMAL;
        else
            state = PBS_DEFAULTED;
        TThemeData theme(L"BUTTON", WindowHandle());
        if (theme.IsBackgroundPartiallyTransparent(BP_PUSHBUTTON, state))
            DrawThemeParentBackgroundOf(WindowHandle(), canvas->Handle(), &r);
        theme.DrawBackground(canvas->Handle(), BP_PUSHBUTTON, state, r);
    } else if (HotTrack()) {
        r = PaintHotTrackLook(r, pressed);
    } else {
        r = PaintClassicLook(r, pressed);
    }

    if (grouped && state_ == bsExclusive && showDownPattern_) {
        TRect area = UsesThemes() ? ClientRect() : r;
        TBitmap pattern;
        BuildDownPattern(&pattern);
        HBRUSH brush = CreatePatternBrush(pattern.Handle());
        ::FillRect(canvas->Handle(), &area, brush);
        DeleteObject(brush);
    }

    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    PaintCaption();
    if (Focused() && showFocusRect_) PaintDottedFocusBorder(canvas, focus);
}

TRect TRzButton::PaintHotTrackLook(TRect r, bool pressed) {
    TCanvas* canvas = Canvas();
    TColor parentColor = Parent() ? Parent()->Color() : clBtnFace;
    TColor a = Enabled() ? DarkenColor(parentColor, 20) : parentColor;
    TColor z = Enabled() ? BrightenColor(parentColor, 20) : parentColor;
    auto line = [&](TColor c, int x0, int y0, int x1, int y1) {
        canvas->Pen()->SetColor(c);
        canvas->MoveTo(x0, y0);
        canvas->LineTo(x1, y1);
    };
    // Outer ring with cut corners: dark on the left and top, light on the right and bottom.
    line(a, r.left, r.top + 2, r.left, r.bottom - 2);
    line(a, r.left + 2, r.top, r.right - 2, r.top);
    line(z, r.right - 1, r.top + 2, r.right - 1, r.bottom - 2);
    line(z, r.left + 2, r.bottom - 1, r.right - 2, r.bottom - 1);
    canvas->SetPixels(r.left + 1, r.top + 1, a);
    canvas->SetPixels(r.right - 2, r.top + 1, a);
    canvas->SetPixels(r.left + 1, r.bottom - 2, a);
    canvas->SetPixels(r.right - 2, r.bottom - 2, z);
    InflateRect(&r, -1, -1);

    TColor frame = frameColor_;
    if (!Enabled()) frame = Color() == clBtnFace ? BrightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80);
    line(frame, r.left, r.top + 1, r.left, r.bottom - 1);
    line(frame, r.left + 1, r.top, r.right - 1, r.top);
    line(frame, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
    line(frame, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
    InflateRect(&r, -1, -1);

    canvas->Brush()->SetStyle(bsSolid);
    if (!Enabled()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        return r;
    }
    if (pressed) {
        canvas->Brush()->SetColor(DarkenColor(Color(), 10));
        canvas->FillRect(r);
        return r;
    }
    line(DarkenColor(Color(), 20), r.left, r.bottom - 2, r.right, r.bottom - 2);
    line(DarkenColor(Color(), 30), r.left, r.bottom - 1, r.right, r.bottom - 1);
    TRect face{r.left, r.top, r.right, r.bottom - 2};
    if (IsHighColorDisplay()) {
        PaintGradient(canvas, face, gdHorizontalEnd, BrightenColor(Color(), 30), DarkenColor(Color(), 10));
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(face);
    }
    if (MouseOver()) {
        if (HotTrackColorType() == htctActual) {
            PaintHighlightRing(canvas, r, gdHorizontalEnd, BlendColors(clWhite, HotTrackColor(), 190), HotTrackColor());
        } else {
            TColor o = OppositeHueColor(HotTrackColor(), 180);
            PaintHighlightRing(canvas, r, gdHorizontalEnd, o, DarkenColor(o, 30));
        }
    } else if (groupIndex_ == 0 && (active_ || Focused()) && !PressedLook()) {
        TColor k = ColorsAreClose(HighlightColor(), clBtnFace) ? DarkenColor(HighlightColor(), 30) : HighlightColor();
        TColor l = BrightenColor(Color(), 30);
        PaintHighlightRing(canvas, r, gdHorizontalEnd, BlendColors(k, l, 60), BlendColors(k, l, 160));
    }
    return r;
}

TRect TRzButton::PaintClassicLook(TRect r, bool pressed) {
    TCanvas* canvas = Canvas();
    bool grouped = groupIndex_ != 0;
    if (!grouped && (((active_ || Focused()) && !PressedLook()) || clicking_)) {
        canvas->Brush()->SetColor(clWindowFrame);
        canvas->FrameRect(r);
        InflateRect(&r, -1, -1);
    }
    if (Color() == clBtnFace) {
        if (grouped)
            r = PaintFrameStyle(canvas, r, pressed ? fsLowered : fsButtonUp);
        else
            r = PaintButtonFrame(canvas, r, PressedLook());
    } else if (!grouped) {
        r = PaintColorButtonFrame(canvas, r, Color(), PressedLook());
    } else if (pressed) {
        r = PaintColorFrameStyle(canvas, r, Color(), fsLowered);
    } else {
        r = PaintColorButtonFrame(canvas, r, Color(), false);
    }
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    return r;
}

void TRzButton::PaintTransparentBackground(HDC dc) {
    if (!Transparent()) return;
    int d = Enabled() ? 1 : 2;
    TRect r1 = ClientRect();
    InflateRect(&r1, -d, -d);
    TRect r2{r1.left - 1, r1.top + 1, r1.right + 1, r1.bottom - 1};
    TRect r3{r2.left + 2, r2.top - 2, r2.right - 2, r2.bottom + 2};
    int saved = SaveDC(dc);
    for (const TRect& r : {r1, r2, r3}) ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    PaintParentBackground(this, dc, false);
    RestoreDC(dc, saved);
}

// ---- TRzBitBtn

TRzBitBtn::TRzBitBtn(TComponent* AOwner) : TRzButton(AOwner), glyph_(new TBitmap), imagesLink_(new TChangeLink) {
    glyph_->OnChange = MakeEvent(this, &TRzBitBtn::GlyphChanged);
    imagesLink_->OnChange = MakeEvent(this, &TRzBitBtn::ImagesChanged);
}

TRzBitBtn::~TRzBitBtn() {
    delete imagesLink_;
    delete glyph_;
}

void TRzBitBtn::GlyphChanged(TObject*) {
    int h = glyph_->Height(), w = glyph_->Width();
    if (h != 0 && w % h == 0) {
        int n = w / h;
        numGlyphs_ = n >= 1 && n <= 4 ? n : 1;
    }
    Invalidate();
}

void TRzBitBtn::ImagesChanged(TObject* Sender) {
    if (Sender == images_) Update();
}

void TRzBitBtn::SetGlyph(TBitmap* v) {
    glyph_->Assign(v);
    modifiedGlyph_ = true;
}

void TRzBitBtn::SetMargin(int v) {
    if (v < -1) return;
    AssignAndInvalidate(margin_, v);
}

void TRzBitBtn::SetImages(TCustomImageList* v) {
    if (images_) {
        images_->UnRegisterChanges(imagesLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = v;
    if (images_) {
        images_->RegisterChanges(imagesLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

void TRzBitBtn::Notification(TComponent* AComponent, TOperation Operation) {
    TRzButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

TBitBtnKind TRzBitBtn::Kind() {
    if (kind_ != bkCustom) {
        bool isDefault = kind_ == bkOK || kind_ == bkYes;
        bool isCancel = kind_ == bkCancel || kind_ == bkNo;
        if (Default() != isDefault || Cancel() != isCancel || ModalResult() != KindModalResult(kind_) || modifiedGlyph_)
            kind_ = bkCustom;
    }
    return kind_;
}

void TRzBitBtn::SetKind(TBitBtnKind v) {
    if (v == kind_) return;
    if (v != bkCustom) {
        SetDefault(v == bkOK || v == bkYes);
        SetCancel(v == bkCancel || v == bkNo);
        // A caption read before the kind keeps its own text.
        if (!(IsLoading() && !Caption().empty())) SetCaption(KindCaption(v));
        SetModalResult(KindModalResult(v));
        if (TBitmap* glyph = KindGlyph(v)) glyph_->Assign(glyph);
        numGlyphs_ = 2;
        modifiedGlyph_ = false;
    }
    kind_ = v;
    Invalidate();
}

bool TRzBitBtn::IsCancelStored() const { return const_cast<TRzBitBtn*>(this)->Kind() == bkCustom; }
bool TRzBitBtn::IsDefaultStored() const { return const_cast<TRzBitBtn*>(this)->Kind() == bkCustom; }
bool TRzBitBtn::IsModalResultStored() const { return const_cast<TRzBitBtn*>(this)->Kind() == bkCustom; }
bool TRzBitBtn::IsGlyphStored() const { return const_cast<TRzBitBtn*>(this)->Kind() == bkCustom && !glyph_->Empty(); }

void TRzBitBtn::ActionChange(TObject* Sender, bool CheckDefaults) {
    TRzButton::ActionChange(Sender, CheckDefaults);
    if (auto* action = As<TCustomAction>(Sender))
        if (!CheckDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
}

void TRzBitBtn::ScaleBy(int M, int D) {
    margin_ = MulDiv(margin_, M, D);
    spacing_ = MulDiv(spacing_, M, D);
}

TPoint TRzBitBtn::GetGlyphSize() {
    if (HasImage()) return TPoint{images_->Width(), images_->Height()};
    return TPoint{numGlyphs_ > 0 ? glyph_->Width() / numGlyphs_ : 0, glyph_->Height()};
}

int TRzBitBtn::GlyphCell() const {
    if (numGlyphs_ == 4 && State() == bsExclusive) return 3;
    if (numGlyphs_ >= 3 && (State() == bsDown || PressedLook())) return 2;
    if (numGlyphs_ >= 2 && !Enabled()) return 1;
    return 0;
}

int TRzBitBtn::CaptionHeight(const TRect& r) {
    Canvas()->SetFont(Font());
    TRect measured = r;
    return PaintText(Canvas(), Caption(), measured,
                     DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
}

TRect TRzBitBtn::GetCaptionRect() {
    TRect c = TRzButton::GetCaptionRect();
    if (!HasImage() && glyph_->Empty()) return c;
    TPoint g = GetGlyphSize();
    int m = margin_, s = spacing_, h = Height();
    switch (layout_) {
        case blGlyphLeft:
            c.left += m >= 0 ? m + g.x + s : g.x + s - 1;
            break;
        case blGlyphRight:
            c.right -= m >= 0 ? m + g.x + s : g.x + s - 1;
            break;
        case blGlyphTop:
            if (m >= 0)
                c.top += m + g.y + s;
            else {
                int th = CaptionHeight(c);
                c.top = c.top + (h - th - g.y - s) / 2 + g.y;
                c.bottom = c.top + th;
            }
            break;
        case blGlyphBottom:
            if (m >= 0)
                c.bottom -= m + g.y + s;
            else {
                int th = CaptionHeight(c);
                c.top = c.top + (h - th - g.y - s) / 2;
                c.bottom = c.top + th;
            }
            break;
    }
    return c;
}

TRect TRzBitBtn::GetGlyphRect() {
    TRect c = TRzButton::GetCaptionRect();
    bool themed = UsesThemes();
    if (PressedLook()) OffsetRect(&c, -1, themed ? 0 : -1);
    TPoint g = GetGlyphSize();
    int m = margin_, s = spacing_, h = Height();
    int th = (layout_ == blGlyphTop || layout_ == blGlyphBottom) && m < 0 ? CaptionHeight(c) : 0;
    switch (layout_) {
        case blGlyphLeft:
            if (m >= 0) c.left += m;
            break;
        case blGlyphRight:
            c.left = m >= 0 ? c.right - m - g.x : c.right - g.x;
            break;
        case blGlyphTop:
            c.top = m >= 0 ? c.top + m : (h - th - g.y - s) / 2;
            break;
        case blGlyphBottom:
            c.top = m >= 0 ? c.bottom - m - g.y : c.top + th + (h - th - g.y - s) / 2;
            break;
    }
    if (layout_ == blGlyphTop || layout_ == blGlyphBottom)
        c.left += (c.right - c.left - g.x + 1) / 2;
    else
        c.top += (c.bottom - c.top - g.y + 1) / 2;
    c.right = c.left + g.x;
    c.bottom = c.top + g.y;
    if (PressedLook()) OffsetRect(&c, themed ? 2 : 1, themed ? 0 : 1);
    return c;
}

void TRzBitBtn::PaintCaption() {
    TRzButton::PaintCaption();
    if (Kind() == bkCustom && HasImage())
        PaintImage(GetGlyphRect());
    else if (!glyph_->Empty())
        PaintGlyph(GetGlyphRect());
}

void TRzBitBtn::PaintImage(const TRect& r) {
    int index = imageIndex_;
    bool enabledLook = Enabled();
    if (disabledIndex_ != -1) {
        index = Enabled() ? imageIndex_ : disabledIndex_;
        enabledLook = true;
    }
    if (index == -1) return;
    images_->Draw(Canvas(), r.left, r.top, index, enabledLook);
}

void TRzBitBtn::PaintGlyph(const TRect& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    TBitmap work;
    work.SetSize(w, h);
    work.Canvas()->CopyRect(TRect{0, 0, w, h}, Canvas(), r);
    int cell = GlyphCell();
    TPoint g = GetGlyphSize();
    TRect source{cell * g.x, 0, cell * g.x + g.x, g.y};
    StretchBitmapTransparent(work.Canvas(), glyph_, TRect{0, 0, w, h}, source, glyph_->TransparentColor());
    Canvas()->Draw(r.left, r.top, &work);
}

// ---- Kind glyphs

namespace {

struct TKindInfo {
    const wchar_t* Caption;
    TModalResult Result;
    const wchar_t* Resource;
};

const std::array<TKindInfo, 11> kKindTable{{
    {L"", mrNone, nullptr},
    {L"OK", mrOk, L"RZCOMMON_OK"},
    {L"Cancel", mrCancel, L"RZCOMMON_CANCEL"},
    {L"&Help", mrNone, L"RZCOMMON_HELP"},
    {L"&Yes", mrYes, L"RZCOMMON_YES"},
    {L"&No", mrNo, L"RZCOMMON_NO"},
    {L"&Close", mrNone, L"RZCOMMON_CLOSE"},
    {L"Abort", mrAbort, L"RZCOMMON_ABORT"},
    {L"&Retry", mrRetry, L"RZCOMMON_RETRY"},
    {L"&Ignore", mrIgnore, L"RZCOMMON_IGNORE"},
    {L"&All", mrAll, L"RZCOMMON_ALL"},
}};

std::array<TBitmap*, 11> kindGlyphs{};
// The kinds' captions from the program's string table, read at start-up.
std::array<String, 11> kindCaptions{};

}  // namespace

String KindCaption(TBitBtnKind kind) {
    const String& loaded = kindCaptions[size_t(kind)];
    return loaded.empty() ? String(kKindTable[size_t(kind)].Caption) : loaded;
}
TModalResult KindModalResult(TBitBtnKind kind) { return kKindTable[size_t(kind)].Result; }

TBitmap* KindGlyph(TBitBtnKind kind) {
    const TKindInfo& info = kKindTable[size_t(kind)];
    if (!info.Resource) return nullptr;
    TBitmap*& slot = kindGlyphs[size_t(kind)];
    if (!slot) {
        auto* bitmap = new TBitmap;
        try {
            bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), info.Resource);
        } catch (...) {
            delete bitmap;
            throw;
        }
        slot = bitmap;
    }
    return slot;
}

void InitializeRzButton() {
    for (size_t kind = 1; kind < kKindTable.size(); ++kind)
        kindCaptions[kind] = LoadControlsString(RZSTR_KINDCAPTION + int(kind) - 1, kKindTable[kind].Caption);
    RegisterClass(TRzButton::StaticClass());
    RegisterClass(TRzBitBtn::StaticClass());
}

void FinalizeRzButton() {
    for (String& caption : kindCaptions) String().swap(caption);
    for (TBitmap*& slot : kindGlyphs) {
        delete slot;
        slot = nullptr;
    }
}
