#include "RzComboBox.h"

#include <algorithm>

#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "RzGrafx.h"
#include "SysUtils.h"
#include "Themes.h"
#include "Timer.h"

// Sections: the search interval; creation; colours; frame; search and completion; keys and
// mouse; drop-down and items; painting; messages; TRzComboBox.

// ---- the search interval

namespace {
int searchInterval = 1500;
}  // namespace

int ComboSearchInterval() { return searchInterval; }
void SetComboSearchInterval(int milliseconds) { searchInterval = milliseconds; }

// ---- creation

TRzCustomComboBox::TRzCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner), searchTimer_(new TTimer(nullptr)) {
    searchTimer_->SetEnabled(false);
    searchTimer_->SetOnTimer(MakeEvent(this, &TRzCustomComboBox::SearchTimerFired));
}

TRzCustomComboBox::~TRzCustomComboBox() {
    if (frameController_) frameController_->RemoveControl(this);
    delete searchTimer_;
}

void TRzCustomComboBox::CreateWnd() {
    TCustomComboBox::CreateWnd();
    if (readOnly_ && EditHandle()) SendMessageW(EditHandle(), EM_SETREADONLY, TRUE, 0);
    UpdateTextHint();
}

void TRzCustomComboBox::Loaded() {
    TCustomComboBox::Loaded();
    UpdateColors();
}

void TRzCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == frameController_) frameController_ = nullptr;
}

void TRzCustomComboBox::DefineProperties(TFiler* filer) {
    TCustomComboBox::DefineProperties(filer);
    DefineObsoleteFrameProperties(filer,
                                  {[this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
                                   [this](TFrameStyle v) { SetFrameHotStyle(v); }});
}

// ---- colours

void TRzCustomComboBox::UpdateColors() {
    if (IsLoading() || updatingColor_) return;
    updatingColor_ = true;
    SetColor(colors_.Choose(Enabled(), inControl_, readOnly_));
    updatingColor_ = false;
}

void TRzCustomComboBox::SetDisabledColor(TColor v) {
    if (AssignIfChanged(colors_.Disabled, v) && !Enabled()) UpdateColors();
}

void TRzCustomComboBox::SetFocusColor(TColor v) {
    if (AssignIfChanged(colors_.Focus, v) && inControl_) UpdateColors();
}

void TRzCustomComboBox::SetReadOnlyColor(TColor v) {
    if (AssignIfChanged(colors_.ReadOnly, v) && readOnly_) UpdateColors();
}

void TRzCustomComboBox::SetReadOnlyColorOnFocus(bool v) {
    if (AssignIfChanged(colors_.ReadOnlyOnFocus, v)) UpdateColors();
}

bool TRzCustomComboBox::StoredUnlessControlled(TRzFrameControllerProperty p) const {
    return !frameController_ || !frameControllerNotifications_.Contains(p);
}

bool TRzCustomComboBox::IsFocusColorStored() const {
    return StoredUnlessControlled(fcpFocusColor) && ColorToRGB(colors_.Focus) != ColorToRGB(Color());
}

void TRzCustomComboBox::CMColorChanged(TMessage& Message) {
    if (!updatingColor_) colors_.TakeNormal(Color());
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::CMParentColorChanged(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    if (ParentColor() && !updatingColor_) colors_.TakeNormal(Color());
}

void TRzCustomComboBox::CMEnabledChanged(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    UpdateColors();
}

// ---- frame

bool TRzCustomComboBox::UsingXPThemes() const { return framingPreference_ == fpXPThemes && ThemesActive(); }

void TRzCustomComboBox::SetFrameHotTrack(bool v) {
    if (!AssignIfChanged(frameHotTrack_, v)) return;
    if (v) {
        SetFrameVisible(true);
        if (!IsLoading()) frameSides_ = sdAllSides;
    }
    Invalidate();
}

void TRzCustomComboBox::SetFrameVisible(bool v) {
    if (!AssignIfChanged(frameVisible_, v)) return;
    SetParentCtl3D(!v);
    SetCtl3D(!v);
    Invalidate();
}

void TRzCustomComboBox::SetFramingPreference(TFramingPreference v) {
    if (AssignIfChanged(framingPreference_, v) && v == fpCustomFraming) Invalidate();
}

void TRzCustomComboBox::SetFrameController(TRzFrameController* v) {
    TRzFrameController::Switch(frameController_, v, this);
}

void TRzCustomComboBox::UpdateFrame(bool isMouse, bool value) {
    (isMouse ? overControl_ : inControl_) = value;
    if ((flatButtons_ || frameHotTrack_) && !DroppedDown() && HandleAllocated()) {
        TRect r = ClientRect();
        if (!frameHotTrack_) r.left = r.right - GetSystemMetrics(SM_CXVSCROLL) - 2;
        RedrawWindow(WindowHandle(), &r, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    UpdateColors();
}

// ---- search and completion

int TRzCustomComboBox::FindItem(const String& text) {
    // Every entry begins with the empty text (the system's search finds none for it).
    if (text.empty()) return Items()->Count() > 0 ? 0 : -1;
    if (!HandleAllocated()) {
        for (int i = 0; i < Items()->Count(); ++i)
            if (AnsiCompareText(Items()->Strings(i).substr(0, text.size()), text) == 0) return i;
        return -1;
    }
    return int(SendMessageW(WindowHandle(), CB_FINDSTRING, WPARAM(-1), LPARAM(text.c_str())));
}

int TRzCustomComboBox::IndexOfText(const String& text) { return Items()->IndexOf(text); }

void TRzCustomComboBox::InvalidKeyPressed() {
    if (beepOnInvalidKey_) MessageBeep(0);
}

void TRzCustomComboBox::FireClickAndChange() {
    Click();
    Change();
}

void TRzCustomComboBox::SearchAndSelect(const String& text) {
    int index = FindItem(text);
    if (index < 0) {
        InvalidKeyPressed();
        return;
    }
    SetItemIndex(index);
    searchString_ = text;
    FireClickAndChange();
}

void TRzCustomComboBox::SearchTimerFired(TObject*) {
    if (keyCount_ > 0) return;
    searchTimer_->SetEnabled(false);
    searchString_.clear();
}

void TRzCustomComboBox::SearchKey(wchar_t key) {
    if (key == VK_BACK) {
        if (searchString_.empty()) {
            InvalidKeyPressed();
            SearchAndSelect(String());
            return;
        }
        searchString_.pop_back();
        if (!searchString_.empty()) {
            SearchAndSelect(searchString_);
        } else {
            SetItemIndex(0);
            FireClickAndChange();
        }
        return;
    }
    ++keyCount_;
    SearchAndSelect(searchString_ + key);
    // Each character within the interval adds to the search.
    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(Cardinal(searchInterval));
    searchTimer_->SetEnabled(true);
    --keyCount_;
}

void TRzCustomComboBox::SetEditSelection(int start, int end) {
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

bool TRzCustomComboBox::AutoCompleteSearch(const String& text) {
    int index = FindItem(text);
    if (index < 0) return false;
    int before = ItemIndex();
    typing_ = true;
    if (keepSearchCase_) {
        String entry = Items()->Strings(index);
        SetText(text + entry.substr(std::min(text.size(), entry.size())));
    } else {
        SetItemIndex(-1);
        SetItemIndex(index);
    }
    typing_ = false;
    FireClickAndChange();
    SetEditSelection(int(text.size()), -1);
    if (ItemIndex() != before) DoMatch();
    return true;
}

void TRzCustomComboBox::SetTextWithoutCompletion(const String& text) {
    if (Text() == text) return;
    autoComplete_ = false;
    SetText(text);
    autoComplete_ = true;
}

bool TRzCustomComboBox::CompletionKeyDown(TMessage& Message) {
    if (Message.Msg == WM_SYSKEYDOWN) {
        sysKeyDown_ = true;
        return false;
    }
    DWORD start = 0, end = 0;
    SendMessageW(EditHandle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    switch (Message.WParam) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            typing_ = true;
            searchString_.clear();
            return false;
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_RIGHT:
            searchString_ = Text();
            return false;
        case VK_INSERT:
            if (GetKeyState(VK_SHIFT) < 0) pasting_ = true;
            return !allowEdit_;
        case VK_DELETE: {
            String text = Text();
            if (end > start)
                text.erase(start, end - start);
            else if (start < text.size())
                text.erase(start, 1);
            searchString_ = text;
            // Without AllowEdit only a text chosen whole may be deleted.
            bool all = start == 0 && end >= Text().size();
            return !allowEdit_ && !all;
        }
    }
    return false;
}

bool TRzCustomComboBox::CompletionChar(TMessage& Message) {
    if (sysKeyDown_) {
        // The character of an Alt chord passes as it is.
        sysKeyDown_ = false;
        return false;
    }
    wchar_t key = wchar_t(Message.WParam);
    DWORD start = 0, end = 0;
    SendMessageW(EditHandle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    switch (key) {
        case VK_BACK: {
            if (searchString_.empty()) {
                InvalidKeyPressed();
                return false;
            }
            String text = Text();
            if (start >= searchString_.size()) {
                searchString_.pop_back();
            } else if (!allowEdit_) {
                InvalidKeyPressed();
                return true;
            } else if (end > start) {
                searchString_ = text.erase(start, end - start);
            } else if (start > 0) {
                searchString_ = text.erase(start - 1, 1);
            }
            Change();
            if (searchString_.empty()) {
                typing_ = true;
                SetItemIndex(-1);
                SetText(String());
                typing_ = false;
                FireClickAndChange();
                return true;
            }
            if (AutoCompleteSearch(searchString_)) return true;
            // Nothing completes what is left: it stays as typed.
            typing_ = true;
            SetText(searchString_);
            typing_ = false;
            SetEditSelection(int(searchString_.size()), int(searchString_.size()));
            return true;
        }
        case VK_RETURN:
            if (DroppedDown()) DoSelEndOk();
            enterPressed_ = true;
            return false;
        case 0x16:  // Ctrl+V
        case 0x18:  // Ctrl+X
            if (!allowEdit_) return true;
            pasting_ = true;
            return false;
        case VK_ESCAPE:
            searchString_.clear();
            return !DroppedDown();
    }
    if (key < 32) return false;
    if (DoKeyPress(Message)) return true;
    key = wchar_t(Message.WParam);
    String search = searchString_;
    if (end > start && start < search.size()) search.erase(start, std::min<size_t>(end, search.size()) - start);
    search.insert(std::min<size_t>(start, search.size()), 1, key);
    if (AutoCompleteSearch(search)) {
        searchString_ = search;
        return true;
    }
    if (!allowEdit_) {
        InvalidKeyPressed();
        return true;
    }
    searchString_ = search;
    typing_ = true;
    DefaultEditHandler(Message);
    typing_ = false;
    if (AutoDropDown() && !DroppedDown()) SetDroppedDown(true);
    return true;
}

// ---- keys and mouse

bool TRzCustomComboBox::ReadOnlyDropsEditMessage(TMessage& Message) {
    switch (Message.Msg) {
        case WM_KEYDOWN:
            switch (Message.WParam) {
                case VK_PRIOR:
                case VK_NEXT:
                case VK_LEFT:
                case VK_UP:
                case VK_RIGHT:
                case VK_DOWN:
                case VK_F4:
                    return true;
            }
            return false;
        case WM_SYSKEYDOWN:
            return Message.WParam != VK_F4;
        case WM_CHAR:
            if (Message.WParam == VK_RETURN && tabOnEnter_ && !DroppedDown()) {
                PostMessageW(EditHandle(), WM_KEYDOWN, VK_TAB, 0);
                return true;
            }
            return Message.WParam != 3;  // Ctrl+C still copies
    }
    return false;
}

void TRzCustomComboBox::EditWndProc(TMessage& Message) {
    if (readOnly_ && ReadOnlyDropsEditMessage(Message)) return;
    bool completing = autoComplete_ && (Style() == csDropDown || Style() == csSimple);
    if (completing) {
        switch (Message.Msg) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                if (CompletionKeyDown(Message)) return;
                break;
            case WM_CHAR:
                if (CompletionChar(Message)) return;
                break;
            case WM_LBUTTONDOWN:
                if (Style() == csDropDown) searchString_ = Text();
                break;
        }
    }
    TCustomComboBox::EditWndProc(Message);
    // A paste or a cut lands in the text; what it left completes like typing.
    if (completing && pasting_ && (Message.Msg == WM_CHAR || Message.Msg == WM_KEYDOWN)) {
        pasting_ = false;
        searchString_ = Text();
        AutoCompleteSearch(searchString_);
    }
}

void TRzCustomComboBox::KeyPress(wchar_t& Key) {
    if (Key == L'\r' && tabOnEnter_ && !DroppedDown()) {
        Key = 0;
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    // A full edit takes no more characters while nothing is selected.
    if (Style() == csDropDown && MaxLength() > 0 && Key >= 32 && int(Text().size()) >= MaxLength() &&
        SelLength() == 0) {
        InvalidKeyPressed();
        Key = 0;
        return;
    }
    TCustomComboBox::KeyPress(Key);
}

void TRzCustomComboBox::WMChar(TMessage& Message) {
    if (readOnly_) return;
    if (!IsListStyle() || (Message.WParam < 32 && Message.WParam != VK_BACK)) {
        Inherited<TCustomComboBox>(Message);
        return;
    }
    if (DoKeyPress(Message)) return;
    SearchKey(wchar_t(Message.WParam));
}

void TRzCustomComboBox::WMKeyDown(TMessage& Message) {
    if (readOnly_) return;
    if (Message.WParam == VK_ESCAPE || (Message.WParam >= 33 && Message.WParam <= 40)) searchString_.clear();
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::WMLButtonDown(TMessage& Message) {
    if (readOnly_) return;
    if (Style() == csDropDown) searchString_ = Text();
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::WMCut(TMessage& Message) {
    if (!allowEdit_) return;
    searchString_ = Text();
    AutoCompleteSearch(searchString_);
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::WMPaste(TMessage& Message) {
    if (!allowEdit_) return;
    Inherited<TCustomComboBox>(Message);
    searchString_ = Text();
    AutoCompleteSearch(searchString_);
}

bool TRzCustomComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TCustomComboBox::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (readOnly_) return true;
    if (DroppedDown()) {
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        int top = int(SendMessageW(WindowHandle(), CB_GETTOPINDEX, 0, 0));
        top = std::max(0, top + (WheelDelta > 0 ? -int(lines) : int(lines)));
        SendMessageW(WindowHandle(), CB_SETTOPINDEX, WPARAM(top), 0);
        return true;
    }
    int index = ItemIndex(), count = Items()->Count();
    if (count == 0) return true;
    if (WheelDelta < 0) {
        // At the last entry the wheel keeps it, without events.
        if (index >= count - 1) {
            SetItemIndex(count - 1);
            return true;
        }
        SetItemIndex(index + 1);
    } else {
        if (index <= 0) {
            SetItemIndex(0);
            return true;
        }
        SetItemIndex(index - 1);
    }
    FireClickAndChange();
    return true;
}

void TRzCustomComboBox::SetReadOnly(bool v) {
    if (!AssignIfChanged(readOnly_, v)) return;
    if (EditHandle()) SendMessageW(EditHandle(), EM_SETREADONLY, v ? TRUE : FALSE, 0);
    UpdateColors();
    Invalidate();
}

// ---- drop-down and items

void TRzCustomComboBox::DropDown() {
    TCustomComboBox::DropDown();
    int width = dropDownWidth_;
    if (width <= 0) {
        TCanvas* canvas = Canvas();
        canvas->SetFont(Font());
        int widest = 0;
        for (int i = 0; i < Items()->Count(); ++i) widest = std::max(widest, canvas->TextWidth(Items()->Strings(i)));
        if (Items()->Count() > DropDownCount()) widest += GetSystemMetrics(SM_CXVSCROLL);
        width = std::max(widest + 8, Width());
    }
    actualDropDownWidth_ = width;
    SendMessageW(WindowHandle(), CB_SETDROPPEDWIDTH, WPARAM(width), 0);
}

void TRzCustomComboBox::CloseUp() {
    TCustomComboBox::CloseUp();
    Invalidate();
}

void TRzCustomComboBox::SetTextHint(const String& v) {
    if (textHint_ == v) return;
    textHint_ = v;
    if (!IsLoading()) UpdateTextHint();
}

void TRzCustomComboBox::UpdateTextHint() {
    if (!ThemesActive() || !HandleAllocated()) return;
    if (IsWindowsVersionOrLater(7))
        SendMessageW(WindowHandle(), CB_SETCUEBANNER, 0, LPARAM(textHint_.c_str()));
    else if (IsWindowsVersionOrLater(5) && EditHandle())
        SendMessageW(EditHandle(), EM_SETCUEBANNER, 0, LPARAM(textHint_.c_str()));
}

// ---- painting

void TRzCustomComboBox::PaintFrame(HDC dc) {
    bool themes = ThemesActive();
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect client = ClientRect();
    int b = themes ? 1 : 2;
    int buttonWidth = GetSystemMetrics(SM_CXVSCROLL);
    TRect button{client.right - b - buttonWidth, client.top + b, client.right - b, client.bottom - b};
    TColor color = Color();
    bool customFrame = frameVisible_ && !UsingXPThemes();
    TRect text = client;
    text.right = button.left;
    InflateRect(&text, -1, -1);
    if (customFrame) {
        if (themes) {
            PaintBoxOutline(&canvas, client, color);
            PaintBevel(&canvas, text, color, color, 2, sdAllSides);
        } else {
            PaintBevel(&canvas, client, color, color, 2, sdAllSides);
        }
    } else if (themes && ColorToRGB(color) != 0xFFFFFF) {
        PaintBevel(&canvas, text, color, color, 2, sdAllSides);
    }
    if (themes && Style() != csSimple && (IsWindowsVersion(5) || (IsWindowsVersion(7) && Style() == csDropDown))) {
        TRect widened = button;
        widened.left -= 2;
        canvas.Brush()->SetColor(color);
        canvas.FillRect(widened);
    }
    if (Style() != csSimple && readOnly_) {
        canvas.Brush()->SetColor(color);
        canvas.FillRect(button);
    } else if (Style() != csSimple && flatButtons_) {
        bool active = inControl_ || overControl_;
        bool dropped = DroppedDown();
        if (!active) {
            canvas.Brush()->SetColor(color);
            canvas.FillRect(button);
            PaintDropDownGlyph(&canvas, button, themes ? vsWinXP : vsClassic, Enabled());
        } else if (themes) {
            TThemeData theme(L"COMBOBOX", WindowHandle());
            theme.DrawBackground(dc, CP_DROPDOWNBUTTON, dropped ? CBXS_PRESSED : CBXS_HOT, button);
        } else {
            TRect inner;
            if (flatButtonColor_ == clBtnFace)
                inner = PaintBevel(&canvas, button, dropped ? clBtnShadow : clBtnHighlight,
                                   dropped ? clBtnHighlight : clBtnShadow, 1, sdAllSides);
            else
                inner = PaintColorFrameStyle(&canvas, button, flatButtonColor_, dropped ? fsStatus : fsPopup);
            canvas.Brush()->SetColor(flatButtonColor_);
            canvas.FillRect(inner);
            PaintDropDownGlyph(&canvas, inner, vsClassic, Enabled());
        }
    }
    if (customFrame) {
        bool hot = frameHotTrack_ && (inControl_ || overControl_);
        TFrameStyle style = hot ? frameHotStyle_ : frameStyle_;
        TColor frame = hot ? frameHotColor_ : frameColor_;
        if (style == fsFlat)
            PaintSides(&canvas, client, frame, frame, frameSides_);
        else if (style == fsFlatBold)
            PaintBevel(&canvas, client, frame, frame, 2, frameSides_);
        else if (color == clWindow)
            PaintFrameStyleSides(&canvas, client, style, frameSides_);
        else
            PaintColorFrameStyleSides(&canvas, client, color, style, frameSides_);
    }
    canvas.SetHandle(nullptr);
}

void TRzCustomComboBox::WMPaint(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    HDC dc = Message.WParam ? HDC(Message.WParam) : GetDC(WindowHandle());
    PaintFrame(dc);
    if (!Message.WParam) ReleaseDC(WindowHandle(), dc);
}

void TRzCustomComboBox::CNDrawItem(TMessage& Message) {
    const DRAWITEMSTRUCT& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state = OwnerDrawStateFromBits(item.itemState);
    DrawOnCanvas(item.hDC, [&] {
        TCanvas* canvas = Canvas();
        TRect rect = item.rcItem;
        bool selected = state.Contains(odSelected);
        if (int(item.itemID) >= 0) {
            if (selected) {
                canvas->Brush()->SetColor(clHighlight);
                canvas->Font()->SetColor(clHighlightText);
            }
            DrawItem(int(item.itemID), rect, state);
            if (selected && showFocus_) PaintDottedFocusBorder(canvas, rect);
        } else if (selected) {
            PaintDottedFocusBorder(canvas, rect);
        } else {
            canvas->FillRect(rect);
        }
    });
    Message.Result = 1;
}

// ---- messages

void TRzCustomComboBox::CNCommand(TMessage& Message) {
    switch (Message.WParamHi()) {
        case CBN_SELENDOK:
            typing_ = true;
            DoSelEndOk();
            break;
        case CBN_SELENDCANCEL:
            DoSelEndCancel();
            break;
    }
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::WMSize(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    if (frameVisible_ && !UsingXPThemes()) Invalidate();
}

void TRzCustomComboBox::WMDeleteItem(TMessage& Message) {
    auto* deleted = reinterpret_cast<DELETEITEMSTRUCT*>(Message.LParam);
    if (deleted && deleted->itemData) {
        DoDeleteItem(reinterpret_cast<void*>(deleted->itemData));
        deleted->itemData = 0;
    }
    Inherited<TCustomComboBox>(Message);
}

void TRzCustomComboBox::CMEnter(TMessage& Message) {
    isFocused_ = true;
    Inherited<TCustomComboBox>(Message);
    UpdateFrame(false, true);
}

void TRzCustomComboBox::CMExit(TMessage& Message) {
    isFocused_ = false;
    searchString_.clear();
    Inherited<TCustomComboBox>(Message);
    UpdateFrame(false, false);
    // A typed text that no entry holds is reported when the user leaves.
    if (Style() == csDropDown && !Text().empty() && IndexOfText(Text()) < 0) DoNotInList();
}

void TRzCustomComboBox::CMMouseEnter(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    UpdateFrame(true, true);
}

void TRzCustomComboBox::CMMouseLeave(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    UpdateFrame(true, false);
}

void TRzCustomComboBox::CMTextChanged(TMessage& Message) {
    Inherited<TCustomComboBox>(Message);
    if (autoComplete_ && !typing_ && Style() == csDropDown && HandleAllocated() && !DroppedDown()) {
        // A text set from outside completes like a typed one.
        if (!enterPressed_) searchString_ = Text();
        enterPressed_ = false;
        int index = searchString_.empty() ? -1 : FindItem(searchString_);
        if (index >= 0) {
            typing_ = true;
            SetItemIndex(index);
            typing_ = false;
            SetEditSelection(int(searchString_.size()), -1);
        }
    }
    typing_ = false;
}

void TRzCustomComboBox::CMWantSpecialKey(TMessage& Message) {
    if (Message.WParam == VK_RETURN && tabOnEnter_ && !DroppedDown())
        Message.Result = 1;
    else
        Inherited<TCustomComboBox>(Message);
}

// ---- TRzComboBox

TRzComboBox::TRzComboBox(TComponent* AOwner) : TRzCustomComboBox(AOwner), values_(new TStringList) {
    values_->OnChange = MakeEvent(this, &TRzComboBox::ValuesChanged);
}

TRzComboBox::~TRzComboBox() { delete values_; }

void TRzComboBox::SetItemHeight(int v) {
    if (Style() == csOwnerDrawFixed || Style() == csOwnerDrawVariable) TRzCustomComboBox::SetItemHeight(v);
}

String TRzComboBox::GetItemValue(int index) {
    if (index >= 0 && index < values_->Count() && !values_->Strings(index).empty()) return values_->Strings(index);
    if (index >= 0 && index < Items()->Count()) return Items()->Strings(index);
    return String();
}

String TRzComboBox::GetValue() {
    int index;
    if (Style() == csDropDown || Style() == csSimple)
        index = Text().empty() ? -1 : Items()->IndexOf(Text());
    else
        index = ItemIndex();
    if (index >= 0 && index < values_->Count() && !values_->Strings(index).empty()) return values_->Strings(index);
    return Text();
}

void TRzComboBox::ApplyValue(const String& v, bool force) {
    if (!force && v == value_) return;
    inSetValue_ = true;
    forceSetValue_ = force;
    int found = -1;
    for (int i = 0; i < Items()->Count() && found < 0; ++i)
        if (GetItemValue(i) == v) found = i;
    SetItemIndex(found);
    inSetValue_ = false;
    forceSetValue_ = false;
    value_ = v;
}

void TRzComboBox::ValuesChanged(TObject*) { ApplyValue(GetValue(), true); }

void TRzComboBox::Change() {
    TRzCustomComboBox::Change();
    if (!inSetValue_ && !forceSetValue_) value_ = GetValue();
}

void TRzComboBox::DoClick() {
    TRzCustomComboBox::DoClick();
    if (!inSetValue_) value_ = GetValue();
}

void InitializeRzComboBox() { RegisterClass(TRzComboBox::StaticClass()); }
