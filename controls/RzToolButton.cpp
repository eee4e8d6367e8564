#include "RzToolButton.h"

#include <algorithm>

#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "Pen.h"
#include "RzGrafx.h"
#include "RzOldPropReader.h"
#include "Screen.h"
#include "Themes.h"
#include "WinControl.h"

// Sections: tick source; setters; toolbar pick-up; mouse and messages; drop-down menu; content
// rectangles; painting; actions and stored forms.

// ---- tick source

namespace {

TToolButtonTickSource tickSource = nullptr;
DWORD Ticks() { return tickSource ? tickSource() : GetTickCount(); }

// The 8 x 8 brush of a latched button: the second colour where column and row are both even or
// both odd.
HBRUSH CreateLatchBrush(TColor back, TColor dots) {
    TBitmap pattern(8, 8);
    TCanvas* c = pattern.Canvas();
    c->Brush()->SetColor(back);
    c->FillRect(TRect{0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (x % 2 == y % 2) c->SetPixels(x, y, dots);
    return CreatePatternBrush(pattern.Handle());
}

}  // namespace

void SetToolButtonTickSource(TToolButtonTickSource source) { tickSource = source; }

// ---- setters

TRzToolButton::TRzToolButton(TComponent* AOwner) : TGraphicControl(AOwner), imagesLink_(new TChangeLink) {
    SetControlStyle(TControlStyle{csCaptureMouse});
    SetBounds(0, 0, 25, 25);
    SetColor(clBtnFace);
    SetParentColor(false);
    imagesLink_->OnChange = MakeEvent(this, &TRzToolButton::ImagesChanged);
}

TRzToolButton::~TRzToolButton() {
    if (images_) images_->UnRegisterChanges(imagesLink_);
    delete imagesLink_;
}

bool TRzToolButton::IsSplitButton() const { return toolStyle_ == tsDropDown && (bool(OnClick) || Action() != nullptr); }

void TRzToolButton::BroadcastGroup() {
    if (groupIndex_ == 0 || !Parent()) return;
    TWinControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i)
        parent->Controls(i)->Perform(CM_BUTTONPRESSED, WPARAM(groupIndex_), reinterpret_cast<LPARAM>(this));
}

void TRzToolButton::SetDown(bool v) {
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    // A latched button is released by another of its group, unless all may be up.
    if (down_ && !allowAllUp_) return;
    down_ = v;
    if (v) {
        if (state_ == bsUp) Invalidate();
        state_ = bsExclusive;
        BroadcastGroup();
    } else {
        state_ = bsUp;
        Repaint();
    }
}

void TRzToolButton::CMButtonPressed(TMessage& Message) {
    auto* sender = As<TRzToolButton>(reinterpret_cast<TObject*>(Message.LParam));
    if (!sender || sender == this || int(Message.WParam) != groupIndex_) return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

void TRzToolButton::SetAllowAllUp(bool v) {
    if (AssignIfChanged(allowAllUp_, v)) BroadcastGroup();
}

void TRzToolButton::SetGroupIndex(int v) {
    if (v == groupIndex_) return;
    // A button with a drop-down menu does not latch.
    groupIndex_ = toolStyle_ == tsDropDown ? 0 : v;
    BroadcastGroup();
}

void TRzToolButton::SetToolStyle(TRzToolStyle v) {
    if (!AssignIfChanged(toolStyle_, v)) return;
    groupIndex_ = 0;
    if (!IsLoading()) {
        bool keep = useToolbarButtonSize_;
        SetButtonWidth(Width() + (v == tsDropDown ? kToolDropDownWidth : -kToolDropDownWidth));
        useToolbarButtonSize_ = keep;
    }
    Invalidate();
}

void TRzToolButton::SetButtonWidth(int v) {
    if (v == Width()) return;
    SetWidth(v);
    if (!IsLoading()) useToolbarButtonSize_ = false;
    Invalidate();
}

void TRzToolButton::SetButtonHeight(int v) {
    if (v == Height()) return;
    SetHeight(v);
    if (!IsLoading()) useToolbarButtonSize_ = false;
    Invalidate();
}

void TRzToolButton::SetLayout(TButtonLayout v) {
    if (!AssignAndInvalidate(layout_, v)) return;
    if (!InState(csReadingState)) useToolbarButtonLayout_ = false;
}

void TRzToolButton::SetShowCaption(bool v) {
    if (!AssignAndInvalidate(showCaption_, v)) return;
    useToolbarShowCaption_ = false;
}

void TRzToolButton::SetVisualStyle(TRzVisualStyle v) {
    if (!AssignAndInvalidate(visualStyle_, v)) return;
    useToolbarVisualStyle_ = false;
}

void TRzToolButton::SetFlat(bool v) {
    if (AssignIfChanged(flat_, v)) Repaint();
}

void TRzToolButton::SetDropDownMenu(TPopupMenu* v) {
    if (dropDownMenu_ == v) return;
    if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
    dropDownMenu_ = v;
    if (v) v->FreeNotification(this);
}

void TRzToolButton::SetImages(TCustomImageList* v) {
    if (images_) {
        images_->UnRegisterChanges(imagesLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = v;
    if (v) {
        v->RegisterChanges(imagesLink_);
        v->FreeNotification(this);
        FitToImages();
    }
    Invalidate();
}

void TRzToolButton::ImagesChanged(TObject*) {
    FitToImages();
    Invalidate();
}

void TRzToolButton::FitToImages() {
    if (!images_) return;
    int w = std::max(Width(), int(images_->Width())), h = std::max(Height(), int(images_->Height()));
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TRzToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == images_) SetImages(nullptr);
    if (AComponent == dropDownMenu_) dropDownMenu_ = nullptr;
}

// ---- toolbar pick-up

void TRzToolButton::UseToolbarChange(bool& field, bool value, Cardinal message) {
    if (!AssignIfChanged(field, value)) return;
    if (Parent() && !InState(csReadingState)) Perform(message);
}

void TRzToolButton::ApplyToolbarStyles() {
    for (Cardinal m : {CM_TOOLBARSHOWCAPTION, CM_TOOLBARBUTTONLAYOUT, CM_TOOLBARBUTTONSIZE, CM_TOOLBARVISUALSTYLE})
        Perform(m);
}

void TRzToolButton::Loaded() {
    TGraphicControl::Loaded();
    ApplyToolbarStyles();
}

void TRzToolButton::SetParent(TWinControl* AParent) {
    TGraphicControl::SetParent(AParent);
    if (AParent && !IsLoading()) ApplyToolbarStyles();
}

// ---- mouse and messages

bool TRzToolButton::InDropDownPart(int x) const {
    return rightToLeft_ ? x <= kToolDropDownWidth : x >= Width() - kToolDropDownWidth;
}

void TRzToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (toolStyle_ == tsDropDown && dropDownMenu_ && Shift == TShiftState{ssLeft} &&
        (InDropDownPart(X) || !IsSplitButton())) {
        if (dropTime_ != 0 && Ticks() < dropTime_ + 100) {
            // The press that closed the menu does not open it again.
            treatAsNormal_ = true;
            dropTime_ = 0;
            SetMouseCapture(false);
        } else {
            state_ = bsDropped;
            Repaint();
            ShowDropDownMenu();
            treatAsNormal_ = false;
            dropTime_ = Ticks();
        }
        MouseUp(Button, Shift, X, Y);
        return;
    }
    if (toolStyle_ == tsDropDown && !treatAsNormal_) {
        // The first press after a menu shown from this button only ends that menu's business.
        treatAsNormal_ = true;
        return;
    }
    if (Button != mbLeft || !Enabled()) return;
    if (toolStyle_ == tsButton ? !(down_ && state_ != bsExclusive) : !down_) {
        state_ = bsDown;
        Invalidate();
    }
    tracking_ = true;
}

void TRzToolButton::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (tracking_) {
        bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
        Byte wanted = down_ ? Byte(bsExclusive) : inside ? Byte(bsDown) : Byte(bsUp);
        if (wanted != state_) {
            state_ = wanted;
            Invalidate();
        }
    } else if (!mouseOver_) {
        UpdateHotState();
    }
}

void TRzToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (tracking_) {
        tracking_ = false;
        bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight();
        bool clicks = inside;
        if (groupIndex_ == 0) {
            state_ = bsUp;
            mouseOver_ = false;
            if (inside) Repaint();
        } else if (inside) {
            bool was = down_;
            SetDown(!down_);
            if (down_) {
                state_ = bsExclusive;
                Repaint();
            }
            clicks = down_ != was;
        } else {
            state_ = down_ ? Byte(bsExclusive) : Byte(bsUp);
            Repaint();
        }
        if (clicks) Click();
        UpdateHotState();
    }
    if (toolStyle_ == tsDropDown) {
        POINT cursor{};
        GetCursorPos(&cursor);
        TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
        if (p.x < 0 || p.y < 0 || p.x >= ClientWidth() || p.y >= ClientHeight()) treatAsNormal_ = true;
        state_ = bsUp;
        Repaint();
        UpdateHotState();
    }
}

void TRzToolButton::DoClick() {
    if (toolStyle_ == tsDropDown && !treatAsNormal_) return;
    TGraphicControl::DoClick();
}

void TRzToolButton::UpdateHotState() {
    if (!UsesFlatLook() || !Enabled()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (FindDragTarget(TPoint{cursor.x, cursor.y}, true) == this)
        Perform(CM_MOUSEENTER);
    else
        Perform(CM_MOUSELEAVE);
}

void TRzToolButton::CMMouseEnter(TMessage& Message) {
    mouseOver_ = true;
    Inherited<TGraphicControl>(Message);
    if (UsesFlatLook()) Repaint();
}

void TRzToolButton::CMMouseLeave(TMessage& Message) {
    // The pointer on the open menu does not take the hot look away.
    if (!inDropDown_) mouseOver_ = false;
    Inherited<TGraphicControl>(Message);
    if (UsesFlatLook()) Repaint();
}

void TRzToolButton::CMDialogChar(TMessage& Message) {
    if (IsAccel(wchar_t(Message.WParam), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        if (toolStyle_ == tsButton || IsSplitButton())
            Click();
        else
            ShowDropDownMenu();
        Message.Result = 1;
        return;
    }
    Inherited<TGraphicControl>(Message);
}

void TRzToolButton::CMEnabledChanged(TMessage& Message) {
    Inherited<TGraphicControl>(Message);
    Invalidate();
}

void TRzToolButton::CMTextChanged(TMessage& Message) {
    Inherited<TGraphicControl>(Message);
    Invalidate();
    if (!IsLoading()) ApplyToolbarStyles();
}

// ---- drop-down menu

int TRzToolButton::MenuTextWidth() {
    if (!dropDownMenu_) return 56;
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, Screen->MenuFont()->Handle());
    int widest = 0;
    TMenuItem* items = dropDownMenu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        const String& caption = items->Items(i)->Caption();
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return widest + 56;
}

void TRzToolButton::ShowDropDownMenu() {
    if (!dropDownMenu_) return;
    inDropDown_ = true;
    try {
        NotifyDropDown();
        TPoint p = ClientToScreen(TPoint{rightToLeft_ ? Width() : 0, Height()});
        int width = MenuTextWidth();
        int limit;
        if (HMONITOR monitor = MonitorAtPoint(p)) {
            limit = WorkAreaOfMonitor(monitor).right;
        } else {
            WindowWorkArea(Parent() ? Parent()->Handle() : nullptr, &limit);
        }
        // A menu that would cross the work area's edge ends under the button's right edge.
        if (p.x + width > limit) p.x = p.x + Width() - width;
        dropDownMenu_->SetPopupComponent(this);
        dropDownMenu_->Popup(p.x, p.y);
    } catch (...) {
        inDropDown_ = false;
        throw;
    }
    inDropDown_ = false;
}

// ---- content rectangles

TPoint TRzToolButton::GetImageSize() {
    if (imageIndex_ != -1 && images_) return TPoint{images_->Width(), images_->Height()};
    return TPoint{0, 0};
}

void TRzToolButton::CalcContentRects(TRect& imageRect, TRect& captionRect) {
    TRect r = ClientRect();
    if (toolStyle_ == tsDropDown) {
        if (rightToLeft_)
            r.left += kToolDropDownWidth;
        else
            r.right -= kToolDropDownWidth;
    }
    InflateRect(&r, -2, -2);
    TPoint g = GetImageSize();
    int gw = g.x, gh = g.y, w = RectWidth(r), h = RectHeight(r);
    int d;
    if (!ShowsCaption()) {
        imageRect = RectCenteredIn(r, gw, gh);
        captionRect = TRect{};
        d = imageRect.left - 4;
    } else {
        TRect measure = r;
        switch (layout_) {
            case blGlyphLeft:
                measure.left += gw;
                break;
            case blGlyphRight:
                measure.right -= gw;
                break;
            case blGlyphTop:
                measure.top += gh;
                break;
            case blGlyphBottom:
                measure.bottom -= gh;
                break;
        }
        Canvas()->SetFont(Font());
        String caption = Caption();
        Canvas()->TextRect(TRect{0, 0, 0, 0}, 0, 0, String());  // brings the font into the context
        DrawTextW(Canvas()->Handle(), caption.c_str(), -1, &measure,
                  DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
        int tw = RectWidth(measure), th = RectHeight(measure);
        int ix = 0, iy = 0, cx = 0, cy = 0;
        switch (layout_) {
            case blGlyphLeft:
                ix = r.left + (w - gw - tw - 4) / 2;
                cx = ix + gw + 4;
                break;
            case blGlyphRight:
                ix = r.right - gw - (w - gw - tw - 4) / 2;
                cx = ix - tw - 4;
                break;
            case blGlyphTop:
                iy = r.top + (h - gh - th - 4) / 2;
                cy = iy + gh + 4;
                break;
            case blGlyphBottom:
                iy = r.bottom - gh - (h - gh - th - 4) / 2;
                cy = iy - th - 4;
                break;
        }
        if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
            iy = r.top + (h - gh) / 2;
            cy = r.top + (h - th) / 2;
            d = gw != 0 ? ix - 4 : ix;
        } else {
            ix = r.left + (w - gw) / 2;
            cx = r.left + (w - tw) / 2;
            d = std::min(ix, cx) - 4;
        }
        imageRect = TRect{ix, iy, ix + gw, iy + gh};
        captionRect = TRect{cx, cy, cx + tw, cy + th};
    }
    int shift = alignment_ == taLeftJustify ? -d : alignment_ == taRightJustify ? d : 0;
    OffsetRect(&imageRect, shift, 0);
    OffsetRect(&captionRect, shift, 0);
    bool pushed = state_ == bsDown || state_ == bsExclusive || (state_ == bsDropped && !IsSplitButton());
    if (pushed && visualStyle_ != vsGradient) {
        int dy = ThemedLook() ? 0 : 1;
        OffsetRect(&imageRect, 1, dy);
        OffsetRect(&captionRect, 1, dy);
    }
}

// ---- painting

bool TRzToolButton::ThemedLook() const { return visualStyle_ == vsWinXP && ThemesActive(); }

bool TRzToolButton::ActiveLook() const {
    return state_ == bsDown || state_ == bsExclusive || state_ == bsDropped || (mouseOver_ && state_ != bsDisabled);
}

void TRzToolButton::SelectionColors(TColor& frame, TColor& start, TColor& stop) const {
    if (gradientColorStyle_ == gcsCustom) {
        frame = selectionFrameColor_;
        start = selectionColorStart_;
        stop = selectionColorStop_;
    } else {
        GetSelectionColors(gradientColorStyle_, frame, start, stop);
    }
}

void TRzToolButton::Paint() {
    if (!Enabled()) {
        state_ = bsDisabled;
        tracking_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? Byte(bsExclusive) : Byte(bsUp);
    }
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    PaintButtonFace(r);
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    if (visualStyle_ != vsGradient && !ThemedLook() && state_ == bsExclusive && !(flat_ && mouseOver_)) {
        HBRUSH brush = transparent_ ? CreateLatchBrush(clBtnFace, clBtnHighlight)
                                    : CreateLatchBrush(Color(), BrightenColor(Color(), 20));
        ::FillRect(canvas->Handle(), &r, brush);
        DeleteObject(brush);
    }
    if (toolStyle_ == tsDropDown) PaintDropDownPart();
    TRect imageRect, captionRect;
    CalcContentRects(imageRect, captionRect);
    PaintButtonImage(imageRect);
    PaintButtonCaption(captionRect);
}

void TRzToolButton::PaintButtonFace(TRect& r) {
    TCanvas* canvas = Canvas();
    bool active = ActiveLook();
    bool split = IsSplitButton();
    if (ThemedLook()) {
        if (flat_) {
            TThemeData theme(L"TOOLBAR", Parent() ? Parent()->Handle() : nullptr);
            int state = TS_NORMAL;
            if (active) {
                if (state_ == bsDown || (state_ == bsDropped && !split))
                    state = TS_PRESSED;
                else if (state_ == bsExclusive)
                    state = mouseOver_ ? TS_HOTCHECKED : TS_CHECKED;
                else
                    state = TS_HOT;
            }
            TRect face = r;
            if (split) {
                if (rightToLeft_)
                    face.left += kToolDropDownWidth;
                else
                    face.right -= kToolDropDownWidth;
            }
            theme.DrawBackground(canvas->Handle(), split ? TP_SPLITBUTTON : TP_BUTTON, state, face);
        } else {
            TThemeData theme(L"BUTTON", Parent() ? Parent()->Handle() : nullptr);
            int state = PBS_NORMAL;
            if (!Enabled())
                state = PBS_DISABLED;
            else if (state_ == bsDown || state_ == bsExclusive)
                state = PBS_PRESSED;
            else if (mouseOver_)
                state = PBS_HOT;
            theme.DrawBackground(canvas->Handle(), BP_PUSHBUTTON, state, r);
        }
        return;
    }
    if (UsesFlatLook()) {
        bool drawn = state_ == bsDown || state_ == bsExclusive || (mouseOver_ && state_ != bsDisabled);
        if (!drawn) return;
        if (visualStyle_ == vsGradient) {
            TColor frame, start, stop;
            SelectionColors(frame, start, stop);
            r = PaintBoxOutline(canvas, r, frame);
            TColor top = start, bottom = stop;
            if (state_ == bsDown || state_ == bsDropped) {
                top = stop;
                bottom = start;
            } else if (state_ == bsExclusive) {
                if (!mouseOver_)
                    top = DarkenColor(stop, 40), bottom = start;
                else if (down_)
                    top = stop, bottom = start;
            }
            PaintGradient(canvas, r, gdHorizontalEnd, top, bottom, 1);
        } else {
            r = PaintFrameStyle(canvas, r, state_ == bsDown || state_ == bsExclusive ? fsStatus : fsPopup);
        }
        return;
    }
    r = PaintFrameStyle(canvas, r, state_ == bsDown || state_ == bsExclusive ? fsLowered : fsButtonUp);
}

void TRzToolButton::PaintDropDownPart() {
    TCanvas* canvas = Canvas();
    int w = Width(), h = Height();
    int x = rightToLeft_ ? kToolDropDownWidth : w - kToolDropDownWidth;
    bool split = IsSplitButton();
    if (ThemedLook() && split) {
        TThemeData theme(L"TOOLBAR", Parent() ? Parent()->Handle() : nullptr);
        int state = TS_NORMAL;
        if (!Enabled())
            state = TS_DISABLED;
        else if (state_ == bsDown || state_ == bsDropped)
            state = TS_PRESSED;
        else if (mouseOver_ && state_ != bsDisabled)
            state = TS_HOT;
        TRect part = rightToLeft_ ? TRect{0, 0, kToolDropDownWidth, h} : TRect{w - kToolDropDownWidth, 0, w, h};
        theme.DrawBackground(canvas->Handle(), TP_SPLITBUTTONDROPDOWN, state, part);
        return;
    }
    if (!ThemedLook()) {
        if (state_ == bsDropped) {
            TRect part = ClientRect();
            if (split) {
                int n = visualStyle_ == vsGradient ? 15 : 14;
                if (rightToLeft_)
                    part.right = n;
                else
                    part.left = w - n;
            }
            if (visualStyle_ == vsGradient) {
                TColor frame, start, stop;
                SelectionColors(frame, start, stop);
                part = PaintBoxOutline(canvas, part, frame);
                PaintGradient(canvas, part, gdHorizontalEnd, stop, start, 1);
            } else {
                PaintFrameStyle(canvas, part, fsStatus);
            }
        } else if (Enabled() && ((UsesFlatLook() && mouseOver_) || !UsesFlatLook())) {
            if (visualStyle_ != vsGradient && state_ == bsDown) ++x;
            if (split) {
                auto column = [&](int at, TColor color) {
                    canvas->Pen()->SetColor(color);
                    canvas->MoveTo(at, 0);
                    canvas->LineTo(at, h);
                };
                if (visualStyle_ == vsGradient) {
                    TColor frame, start, stop;
                    SelectionColors(frame, start, stop);
                    column(x - 1, frame);
                } else {
                    if (state_ != bsDown) column(x, clBtnHighlight);
                    column(x - 1, clBtnShadow);
                }
            }
        }
    }
    // The arrow: a small filled triangle pointing down.
    int a = rightToLeft_ ? 6 : w - 8, b = h / 2 + 2;
    if ((state_ == bsDown || state_ == bsDropped) && visualStyle_ != vsGradient) {
        ++a;
        ++b;
    }
    TColor color = Enabled() ? clWindowText : clBtnShadow;
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->Polygon({TPoint{a, b}, TPoint{a - 2, b - 2}, TPoint{a + 2, b - 2}});
}

void TRzToolButton::PaintButtonImage(const TRect& r) {
    if (!images_ || imageIndex_ == -1) return;
    bool pushed = state_ == bsDown || state_ == bsExclusive || (state_ == bsDropped && !IsSplitButton());
    if (pushed && downIndex_ != -1) {
        images_->Draw(Canvas(), r.left, r.top, downIndex_, true);
        return;
    }
    if (disabledIndex_ == -1) {
        int index = hotIndex_ != -1 && mouseOver_ && Enabled() ? hotIndex_ : imageIndex_;
        images_->Draw(Canvas(), r.left, r.top, index, Enabled());
        return;
    }
    int index = !Enabled() ? disabledIndex_ : hotIndex_ != -1 && mouseOver_ ? hotIndex_ : imageIndex_;
    images_->Draw(Canvas(), r.left, r.top, index, true);
}

void TRzToolButton::PaintButtonCaption(const TRect& r) {
    if (!showCaption_) return;
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    if (visualStyle_ != vsGradient && state_ == bsDown) canvas->Font()->SetColor(clHighlightText);
    if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
    UINT flags = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS;
    if (rightToLeft_) flags |= DT_RTLREADING;
    PaintText(canvas, Caption(), r, flags);
    canvas->Brush()->SetStyle(bsSolid);
}

// ---- actions and stored forms

TClass TRzToolButton::GetActionLinkClass() const { return TRzToolButtonActionLink::StaticClass(); }

void TRzToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* action = As<TCustomAction>(Sender);
    if (!action) return;
    if (!CheckDefaults || !down_) SetDown(action->Checked());
    if (!CheckDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
}

void TRzToolButton::AssignTo(TPersistent* dest) {
    TGraphicControl::AssignTo(dest);
    if (auto* action = As<TCustomAction>(dest)) {
        action->SetChecked(down_);
        action->SetImageIndex(imageIndex_);
    }
}

bool TRzToolButton::IsDownStored() const { return !(ActionLink() && ActionLink()->IsCheckedLinked()); }
bool TRzToolButton::IsImageIndexStored() const { return !(ActionLink() && ActionLink()->IsImageIndexLinked()); }

void TRzToolButton::DefineProperties(TFiler* filer) {
    TGraphicControl::DefineProperties(filer);
    auto colour = [](TReader* reader) {
        if (reader->NextValue() == vaIdent) {
            TColor c = clNone;
            IdentToColor(reader->ReadIdent(), c);
            return c;
        }
        return TColor(reader->ReadInteger());
    };
    filer->DefineProperty(L"GradientColorDefault", &TRzOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty(L"ThemeAware", &TRzOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty(
        L"GradientColorStart", [=, this](TReader* r) { SetSelectionColorStart(colour(r)); }, nullptr, false);
    filer->DefineProperty(
        L"GradientColorStop", [=, this](TReader* r) { SetSelectionColorStop(colour(r)); }, nullptr, false);
    filer->DefineProperty(
        L"FrameColor", [=, this](TReader* r) { SetSelectionFrameColor(colour(r)); }, nullptr, false);
    filer->DefineProperty(
        L"UseGradients",
        [this](TReader* r) {
            if (r->ReadBoolean()) SetVisualStyle(vsGradient);
        },
        nullptr, false);
}

// ---- The action link

void TRzToolButtonActionLink::AssignClient(TObject* client) {
    TControlActionLink::AssignClient(client);
    button_ = As<TRzToolButton>(client);
    if (!button_) throw EInvalidCast(L"Invalid class typecast");
}

bool TRzToolButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && CustomAction()->Checked() == button_->Down();
}

bool TRzToolButtonActionLink::IsImageIndexLinked() const {
    return TControlActionLink::IsImageIndexLinked() && CustomAction()->ImageIndex() == button_->ImageIndex();
}

void TRzToolButtonActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) button_->SetDown(value);
}

void TRzToolButtonActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) button_->SetImageIndex(value);
}

void InitializeRzToolButton() { RegisterClass(TRzToolButton::StaticClass()); }
