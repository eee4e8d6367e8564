#include "RzCheckBox.h"

#include <algorithm>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "RzGrafx.h"
#include "ShortCuts.h"
#include "Themes.h"

// Sections: TRzCustomGlyphButton (setters, glyph drawing, sizing, painting, messages);
// TRzCustomCheckBox (states, glyph, keys, action); the action link.

// ---- TRzCustomGlyphButton

TRzCustomGlyphButton::TRzCustomGlyphButton(TComponent* AOwner)
    : TRzCustomButton(AOwner), customGlyphs_(new TBitmap), imagesLink_(new TChangeLink), background_(new TBitmap) {
    SetControlStyle(ControlStyle() + csSetCaption + csReplicatable);
    customGlyphs_->OnChange = MakeEvent(this, &TRzCustomGlyphButton::CustomGlyphsBitmapChanged);
    imagesLink_->OnChange = MakeEvent(this, &TRzCustomGlyphButton::CustomGlyphImagesChanged);
}

TRzCustomGlyphButton::~TRzCustomGlyphButton() {
    if (frameController_) frameController_->RemoveControl(this);
    if (customGlyphImages_) customGlyphImages_->UnRegisterChanges(imagesLink_);
    delete background_;
    delete imagesLink_;
    delete customGlyphs_;
}

void TRzCustomGlyphButton::SetAutoSize(bool v) {
    if (AssignIfChanged(autoSize_, v)) AdjustBounds();
}

void TRzCustomGlyphButton::SetCustomGlyphs(TBitmap* v) {
    if (v) {
        customGlyphs_->Assign(v);
    } else {
        TBitmap none;
        customGlyphs_->Assign(&none);
    }
}

void TRzCustomGlyphButton::SetCustomGlyphImages(TCustomImageList* v) {
    if (customGlyphImages_) {
        customGlyphImages_->UnRegisterChanges(imagesLink_);
        customGlyphImages_->RemoveFreeNotification(this);
    }
    customGlyphImages_ = v;
    if (v) {
        v->RegisterChanges(imagesLink_);
        v->FreeNotification(this);
    }
    CustomGlyphsChanged();
}

void TRzCustomGlyphButton::CustomGlyphsChanged() {
    TCustomImageList* images = customGlyphImages_;
    if (images && images->Width() > 0 && images->Height() > 0 && images->Count() >= 1)
        SetUseCustomGlyphs(true);
    else
        SetUseCustomGlyphs(!customGlyphs_->Empty());
    updateBg_ = true;
    Invalidate();
}

void TRzCustomGlyphButton::SetUseCustomGlyphs(bool v) {
    useCustomGlyphs_ = v;
    if (v && customGlyphImages_) {
        glyphWidth_ = customGlyphImages_->Width();
        glyphHeight_ = customGlyphImages_->Height();
    } else if (v) {
        glyphWidth_ = numGlyphs_ > 0 ? customGlyphs_->Width() / numGlyphs_ : 0;
        glyphHeight_ = customGlyphs_->Height();
    } else {
        glyphWidth_ = 13;
        glyphHeight_ = 13;
    }
    // Switched off and on again, so that the size follows the new glyph.
    SetAutoSize(!autoSize_);
    SetAutoSize(!autoSize_);
    Invalidate();
}

void TRzCustomGlyphButton::SetFrameController(TRzFrameController* v) {
    if (!TRzFrameController::Switch(frameController_, v, this)) return;
    Invalidate();
}

void TRzCustomGlyphButton::SetTransparent(bool v) {
    updateBg_ = true;
    TRzCustomButton::SetTransparent(v);
}

void TRzCustomGlyphButton::CustomFramingChanged() {
    TRzFrameController* fc = frameController_;
    if (!fc || !fc->FrameVisible()) return;
    SetHotTrack(true);
    const TRzFrameControllerNotifications& n = frameControllerNotifications_;
    if (n.Contains(fcpColor)) fillColor_ = fc->Color();
    if (n.Contains(fcpFrameColor)) frameColor_ = fc->FrameColor();
    if (n.Contains(fcpFocusColor)) focusColor_ = fc->FocusColor();
    if (n.Contains(fcpDisabledColor)) disabledColor_ = fc->DisabledColor();
    if (n.Contains(fcpReadOnlyColor)) readOnlyColor_ = fc->ReadOnlyColor();
    if (n.Contains(fcpReadOnlyColorOnFocus)) readOnlyColorOnFocus_ = fc->ReadOnlyColorOnFocus();
    if (n.Contains(fcpFrameHotTrack)) hotTrackStyle_ = fc->FrameHotTrack() ? htsFrame : htsInterior;
    if (n.Contains(fcpFrameHotColor) && hotTrackStyle_ == htsFrame) SetHotTrackColor(fc->FrameHotColor());
    Invalidate();
}

void TRzCustomGlyphButton::Notification(TComponent* AComponent, TOperation Operation) {
    TRzCustomButton::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == frameController_) frameController_ = nullptr;
    if (AComponent == customGlyphImages_) SetCustomGlyphImages(nullptr);
}

TClass TRzCustomGlyphButton::GetActionLinkClass() const { return TRzCheckedActionLink::StaticClass(); }

// ---- glyph drawing

TPoint TRzCustomGlyphButton::GlyphPosition() const {
    int x = GlyphAtRight() ? Width() - glyphWidth_ : 0;
    int y = 0;
    switch (AlignmentVertical()) {
        case avTop:
            y = 2;
            break;
        case avCenter:
            y = (Height() - glyphHeight_) / 2;
            break;
        case avBottom:
            y = Height() - glyphHeight_ - 2;
            break;
    }
    return TPoint{x, y};
}

TRect TRzCustomGlyphButton::GetHotTrackRect() {
    TPoint at = GlyphPosition();
    return TRect{at.x, at.y, at.x + glyphWidth_, at.y + glyphHeight_};
}

void TRzCustomGlyphButton::ExtractGlyph(int index, TBitmap* dest, int height, int width, TBitmap* source) {
    dest->SetSize(width, height);
    dest->Canvas()->CopyRect(TRect{0, 0, width, height}, source->Canvas(),
                             TRect{index * width, 0, index * width + width, height});
}

void TRzCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
    int w = glyphWidth_, h = glyphHeight_;
    if (w <= 0 || h <= 0) return;
    TPoint at = GlyphPosition();
    TRect cell{0, 0, w, h};
    bool styleDrawsGlyph = !useCustomGlyphs_ && UsesThemes();
    TBitmap result(w, h);
    if (Transparent()) {
        result.Canvas()->CopyRect(cell, canvas, TRect{at.x, at.y, at.x + w, at.y + h});
        if (styleDrawsGlyph) {
            DrawGlyphBitmap(&result);
        } else {
            TBitmap glyph(w, h);
            DrawGlyphBitmap(&glyph);
            StretchBitmapTransparent(result.Canvas(), &glyph, cell, cell, transparentColor_);
        }
    } else {
        TBitmap glyph(w, h);
        DrawGlyphBitmap(&glyph);
        result.Canvas()->Brush()->SetColor(Color());
        result.Canvas()->BrushCopy(cell, &glyph, cell, transparentColor_);
    }
    if (useCustomGlyphs_) {
        // The custom glyphs' mask colour shows the window colour.
        TBitmap masked(w, h);
        masked.Canvas()->Brush()->SetColor(clWindow);
        masked.Canvas()->BrushCopy(cell, &result, cell, winMaskColor_);
        canvas->Draw(at.x, at.y, &masked);
        return;
    }
    if (Transparent() && !styleDrawsGlyph) AdjustTransparentGlyph(&result);
    canvas->Draw(at.x, at.y, &result);
}

// ---- sizing

void TRzCustomGlyphButton::AdjustBounds() {
    if (!HandleAllocated() || InState(csReadingState) || IsLoading() || !autoSize_) return;
    TRect r = ClientRect();
    InflateRect(&r, -1, -1);
    r.right -= glyphWidth_ + 4;
    if (r.right - r.left < 2) r.right = r.left + 2;
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    String caption = Caption();
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    int height = std::max<int>(glyphHeight_ + 2, RectHeight(r) + 2);
    int width = RectWidth(r) + glyphWidth_ + 6;
    int left = GlyphAtRight() ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}

void TRzCustomGlyphButton::CreateWnd() {
    TRzCustomButton::CreateWnd();
    AdjustBounds();
}

void TRzCustomGlyphButton::Loaded() {
    TRzCustomButton::Loaded();
    AdjustBounds();
}

// ---- painting

TRect TRzCustomGlyphButton::CaptionRect() const {
    TRect r = ClientRect();
    InflateRect(&r, -1, -1);
    if (GlyphAtRight())
        r.right -= glyphWidth_ + 4;
    else
        r.left += glyphWidth_ + 4;
    return r;
}

void TRzCustomGlyphButton::Paint() {
    if (IsDestroying()) return;
    int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    if (updateBg_ || background_->Width() != w || background_->Height() != h) {
        background_->SetSize(w, h);
        TCanvas* bg = background_->Canvas();
        bg->Brush()->SetColor(Color());
        bg->FillRect(TRect{0, 0, w, h});
        if (Transparent()) PaintParentBackground(this, bg->Handle(), false);
        updateBg_ = false;
    }
    TBitmap buffer(w, h);
    TCanvas* canvas = buffer.Canvas();
    canvas->SetFont(Font());
    canvas->Draw(0, 0, background_);
    canvas->Brush()->SetColor(Color());
    DrawGlyph(canvas);
    TRect caption = CaptionRect();
    DrawCaptionText(canvas, caption, DT_WORDBREAK | DT_EXPANDTABS);
    if (Focused() && !Caption().empty()) {
        TRect focus = caption;
        InflateRect(&focus, 1, 1);
        PaintDottedFocusBorder(canvas, focus);
    }
    BitBlt(Canvas()->Handle(), 0, 0, w, h, canvas->Handle(), 0, 0, SRCCOPY);
}

void TRzCustomGlyphButton::PaintTransparentBackground(HDC dc) {
    if (Transparent()) PaintParentBackground(this, dc, false);
}

// ---- mouse and messages

void TRzCustomGlyphButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    usingMouse_ = true;
    TRzCustomButton::MouseDown(Button, Shift, X, Y);
}

void TRzCustomGlyphButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TRzCustomButton::MouseUp(Button, Shift, X, Y);
    usingMouse_ = false;
}

void TRzCustomGlyphButton::WMEraseBkgnd(TMessage& Message) {
    updateBg_ = true;
    if (Transparent()) {
        Inherited<TRzCustomButton>(Message);
        return;
    }
    Message.Result = 1;  // Paint covers the whole control
}

void TRzCustomGlyphButton::WMSize(TMessage& Message) {
    updateBg_ = true;
    Inherited<TRzCustomButton>(Message);
}

void TRzCustomGlyphButton::CMEnabledChanged(TMessage& Message) {
    updateBg_ = true;
    Inherited<TRzCustomButton>(Message);
}

void TRzCustomGlyphButton::CMColorChanged(TMessage& Message) {
    updateBg_ = true;
    Inherited<TRzCustomButton>(Message);
}

void TRzCustomGlyphButton::CMTextChanged(TMessage& Message) {
    Inherited<TRzCustomButton>(Message);
    AdjustBounds();
}

void TRzCustomGlyphButton::CMFontChanged(TMessage& Message) {
    Inherited<TRzCustomButton>(Message);
    AdjustBounds();
}

// ---- TRzCustomCheckBox

TRzCustomCheckBox::TRzCustomCheckBox(TComponent* AOwner) : TRzCustomGlyphButton(AOwner) {
    SetAlignmentVertical(avTop);
    SetNumGlyphs(9);
}

void TRzCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == checkState_) return;
    checkState_ = v;
    Repaint();
    if (!ClicksDisabled()) Click();
}

bool TRzCustomCheckBox::IsCheckedStored() const { return !(ActionLink() && ActionLink()->IsCheckedLinked()); }

int TRzCustomCheckBox::CustomGlyphIndex(bool withHotColumn) const {
    int s = int(checkState_);
    if (!Enabled()) return 6 + s;
    if (PressedLook()) return 3 + s;
    TCustomImageList* images = CustomGlyphImages();
    if (withHotColumn && MouseOver() && HotTrack() && images && images->Count() > 9) return 9 + s;
    return s;
}

void TRzCustomCheckBox::DrawGlyphBitmap(TBitmap* bitmap) {
    int w = GlyphWidth(), h = GlyphHeight();
    TCanvas* canvas = bitmap->Canvas();
    TRect r{0, 0, w, h};
    bool pressed = PressedLook();
    if (UseCustomGlyphs() && CustomGlyphImages()) {
        canvas->Brush()->SetColor(TransparentColor());
        canvas->FillRect(r);
        CustomGlyphImages()->Draw(canvas, 0, 0, CustomGlyphIndex(true));
    } else if (UseCustomGlyphs()) {
        ExtractGlyph(CustomGlyphIndex(false), bitmap, h, w, CustomGlyphs());
    } else if (UsesThemes()) {
        // A transparent box draws the element straight onto what lies under it.
        if (!Transparent()) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(r);
        }
        int part = 1 + 4 * int(checkState_);  // CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL
        if (!Enabled())
            part += 3;
        else if (pressed)
            part += 2;
        else if (MouseOver())
            part += 1;
        TThemeData theme(L"BUTTON", WindowHandle());
        theme.DrawBackground(canvas->Handle(), BP_CHECKBOX, part, r);
    } else if (HotTrack()) {
        TRzCheckGlyphKind kind = !Enabled() ? cgkDisabled : pressed ? cgkPressed : MouseOver() ? cgkHot : cgkNormal;
        TColor pale, dark;
        if (HotTrackColorType() == htctComplement) {
            pale = OppositeHueColor(HotTrackColor(), 180);
            dark = DarkenColor(pale, 30);
        } else {
            dark = HotTrackColor();
            pale = BlendColors(clWhite, HotTrackColor(), 190);
        }
        PaintCheckBoxGlyph(canvas, r, checkState_, kind, Focused(), HotTrackStyle(), FrameColor(), HighlightColor(),
                           FillColor(), FocusColor(), DisabledColor(), pale, dark, ReadOnly(), ReadOnlyColorOnFocus(),
                           ReadOnlyColor());
    } else {
        UINT flags = DFCS_BUTTONCHECK;
        if (checkState_ == cbChecked) flags |= DFCS_CHECKED;
        if (checkState_ == cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (pressed) flags |= DFCS_PUSHED;
        if (!Enabled()) flags |= DFCS_INACTIVE;
        DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, flags);
    }
}

void TRzCustomCheckBox::ClickFromPress() {
    if (UsingMouse() && ReadOnly()) return;
    switch (checkState_) {
        case cbUnchecked:
            SetState(allowGrayed_ ? cbGrayed : cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
    }
}

void TRzCustomCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    TRzCustomGlyphButton::KeyDown(Key, Shift);
    if (ReadOnly()) return;
    switch (Key) {
        case VK_SPACE:
            armed_ = true;
            SetPressedLook(true);
            RepaintState();
            break;
        case VK_ESCAPE:
            if (armed_) {
                armed_ = false;
                SetPressedLook(false);
                RepaintState();
            }
            break;
        case VK_RETURN:
            if (TabOnEnter()) {
                Key = 0;
                PostMessageW(WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
            }
            break;
    }
}

void TRzCustomCheckBox::KeyUp(Word& Key, TShiftState Shift) {
    TRzCustomGlyphButton::KeyUp(Key, Shift);
    if (Key != VK_SPACE || ReadOnly()) return;
    SetPressedLook(false);
    if (armed_) {
        armed_ = false;
        ClickFromPress();
    }
    RepaintState();
}

void TRzCustomCheckBox::CMWantSpecialKey(TMessage& Message) {
    // Escape that cancels a held Space, and Enter that moves on, belong to the box, not the form.
    if ((Message.WParam == VK_ESCAPE && armed_) || (Message.WParam == VK_RETURN && TabOnEnter() && !ReadOnly()))
        Message.Result = 1;
    else
        Inherited<TRzCustomGlyphButton>(Message);
}

void TRzCustomCheckBox::CMExit(TMessage& Message) {
    armed_ = false;
    SetPressedLook(false);
    RepaintState();
    Inherited<TRzCustomGlyphButton>(Message);
}

void TRzCustomCheckBox::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused() && !ReadOnly()) ClickFromPress();
        Message.Result = 1;
        return;
    }
    Inherited<TRzCustomGlyphButton>(Message);
}

void TRzCustomCheckBox::ActionChange(TObject* Sender, bool CheckDefaults) {
    TRzCustomGlyphButton::ActionChange(Sender, CheckDefaults);
    auto* action = As<TCustomAction>(Sender);
    if (!action || (CheckDefaults && Checked())) return;
    // Taking the action's state is no click: it would run the action again.
    SetClicksDisabled(true);
    SetChecked(action->Checked());
    SetClicksDisabled(false);
}

void TRzCustomCheckBox::DefineProperties(TFiler* filer) {
    TRzCustomGlyphButton::DefineProperties(filer);
    filer->DefineProperty(
        L"Flat", [this](TReader* reader) { SetHotTrack(reader->ReadBoolean()); }, nullptr, false);
}

// ---- The action link

void TRzCheckedActionLink::AssignClient(TObject* client) {
    TWinControlActionLink::AssignClient(client);
    button_ = As<TRzCustomGlyphButton>(client);
    if (!button_) throw EInvalidCast(L"Invalid class typecast");
}

bool TRzCheckedActionLink::IsCheckedLinked() const {
    return TWinControlActionLink::IsCheckedLinked() && button_->Checked() == CustomAction()->Checked();
}

void TRzCheckedActionLink::SetChecked(bool value) {
    if (!IsCheckedLinked()) return;
    bool saved = button_->ClicksDisabled();
    button_->SetClicksDisabled(true);
    button_->SetChecked(value);
    button_->SetClicksDisabled(saved);
}

void InitializeRzCheckBox() { RegisterClass(TRzCheckBox::StaticClass()); }
