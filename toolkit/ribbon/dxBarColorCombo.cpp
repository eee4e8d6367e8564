// Sections: the colour table and the shared dialog · TdxBarColorCombo (colour and index,
// setters, entries, click) · TdxBarColorComboControl (custom-colour button, Ctrl+Enter).

#include "dxBarColorCombo.h"

#include "CommonDialogs.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarExtItemsShared.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarPainter.h"
#include "dxBarStrs.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

namespace {

const TColor colorComboTable[TdxBarColorCombo::ColorCount] = {
    TColor(0x000000), TColor(0x000080), TColor(0x008000), TColor(0x008080), TColor(0x800000), TColor(0x800080),
    TColor(0x808000), TColor(0x808080), TColor(0xC0C0C0), TColor(0x0000FF), TColor(0x00FF00), TColor(0x00FFFF),
    TColor(0xFF0000), TColor(0xFF00FF), TColor(0xFFFF00), TColor(0xFFFFFF),
};

const TResStringRec* const colorComboNames[TdxBarColorCombo::ColorCount] = {
    &dxSBAR_COLOR_STR_0,  &dxSBAR_COLOR_STR_1,  &dxSBAR_COLOR_STR_2,  &dxSBAR_COLOR_STR_3,
    &dxSBAR_COLOR_STR_4,  &dxSBAR_COLOR_STR_5,  &dxSBAR_COLOR_STR_6,  &dxSBAR_COLOR_STR_7,
    &dxSBAR_COLOR_STR_8,  &dxSBAR_COLOR_STR_9,  &dxSBAR_COLOR_STR_10, &dxSBAR_COLOR_STR_11,
    &dxSBAR_COLOR_STR_12, &dxSBAR_COLOR_STR_13, &dxSBAR_COLOR_STR_14, &dxSBAR_COLOR_STR_15,
};

// A system colour the custom entry shows no box for: 0xFF0000nn with nn a system colour index.
bool IsSystemColorValue(TColor color) {
    const unsigned value = unsigned(Integer(color));
    return (value >> 24) == 0xFF && (value & 0xFF) <= 25;
}

// The width of the colour box at the left of an entry.
constexpr int colorBoxWidth = 30;

}  // namespace

// ---- TdxBarColorCombo -----------------------------------------------------------------------------

TColor TdxBarColorCombo::TableColor(int index) {
    return index >= 0 && index < ColorCount ? colorComboTable[index] : clNone;
}

TdxBarColorCombo::TdxBarColorCombo(TComponent* owner) : TdxBarCustomCombo(owner) {
    autoColorText_ = BarString(dxSBAR_COLORAUTOTEXT);
    customColorText_ = BarString(dxSBAR_COLORCUSTOMTEXT);
    SetDropDownCount(ColorCount);
    LoadExtItemGlyph(Glyph(), L"DXBARCOLORCOMBO");
    RefreshColorNames();
    SetItemIndex(0);
    SetShowEditor(false);
}

bool TdxBarColorCombo::IsAutoColorTextStored() const { return autoColorText_ != BarString(dxSBAR_COLORAUTOTEXT); }

bool TdxBarColorCombo::IsCustomColorTextStored() const {
    return customColorText_ != BarString(dxSBAR_COLORCUSTOMTEXT);
}

void TdxBarColorCombo::RefreshColorNames() {
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    if (showAutoColor_) items->Add(autoColorText_);
    for (const TResStringRec* name : colorComboNames) items->Add(BarString(*name));
    items->EndUpdate();
}

TColor TdxBarColorCombo::ColorByIndex(int index) const {
    const int offset = int(showAutoColor_);
    if (index < 0 || index >= ColorCount + offset) return color_;
    if (showAutoColor_ && index == 0) return autoColor_;
    return colorComboTable[index - offset];
}

int TdxBarColorCombo::IndexOfColor(TColor color) const {
    if (showAutoColor_ && color == autoColor_) return 0;
    const Integer rgb = ColorToRGB(color);
    for (int i = 0; i < ColorCount; ++i)
        if (ColorToRGB(colorComboTable[i]) == rgb) return i + int(showAutoColor_);
    return -1;
}

void TdxBarColorCombo::SetItemIndexQuietly(int index) {
    settingColor_ = true;
    try {
        SetItemIndex(index);
    } catch (...) {
        settingColor_ = false;
        throw;
    }
    settingColor_ = false;
}

void TdxBarColorCombo::Change() {
    if (!settingColor_) color_ = ColorByIndex(ItemIndex());
    TdxBarCustomCombo::Change();
}

void TdxBarColorCombo::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    const int index = IndexOfColor(value);
    if (index == ItemIndex()) {
        // The index stays (a colour outside the table again): the new colour is still news.
        InvalidateLinkControls();
        settingColor_ = true;
        try {
            Change();
        } catch (...) {
            settingColor_ = false;
            throw;
        }
        settingColor_ = false;
    } else {
        SetItemIndexQuietly(index);
    }
}

void TdxBarColorCombo::SetAutoColor(TColor value) {
    if (value == autoColor_) return;
    autoColor_ = value;
    if (!showAutoColor_) return;
    struct TRepaint {
        TdxBarColorCombo* combo;
        ~TRepaint() { combo->InvalidateLinkControls(); }
    } repaint{this};
    SetItemIndexQuietly(IndexOfColor(color_));
}

void TdxBarColorCombo::SetShowAutoColor(bool value) {
    if (value == showAutoColor_) return;
    const int oldDefaultCount = ColorCount + int(showAutoColor_);
    showAutoColor_ = value;
    settingColor_ = true;
    try {
        if (value)
            Items()->Insert(0, autoColorText_);
        else
            Items()->Delete(0);
    } catch (...) {
        settingColor_ = false;
        throw;
    }
    settingColor_ = false;
    if (DropDownCount() == oldDefaultCount) SetDropDownCount(ColorCount + int(value));
    SetItemIndexQuietly(IndexOfColor(color_));
    InvalidateLinkControls();
}

void TdxBarColorCombo::SetAutoColorText(const String& value) {
    if (value == autoColorText_) return;
    autoColorText_ = value;
    if (!showAutoColor_) return;
    Items()->Put(0, value);
    InvalidateLinkControls();
}

void TdxBarColorCombo::SetCustomColorText(const String& value) {
    if (value == customColorText_) return;
    customColorText_ = value;
    InvalidateLinkControls();
}

void TdxBarColorCombo::SetShowCustomColorButton(bool value) {
    if (value == showCustomColorButton_) return;
    showCustomColorButton_ = value;
    // The controls lay their parts out again.
    ImagesChanged();
}

void TdxBarColorCombo::CallClickHandler() {
    struct TClearExchange {
        TdxBarColorCombo* combo;
        ~TClearExchange() { combo->hasExchangeColor_ = false; }
    } clear{this};
    const bool dialog = !OnClick && !ReadOnly();
    TcxObjectLinkGuard self(this);
    TdxBarCustomCombo::CallClickHandler();
    if (!self.Alive() || !dialog) return;
    TColorDialog* colorDialog = dxBarColorDialog();
    colorDialog->SetColor(hasExchangeColor_ ? exchangeColor_ : color_);
    if (colorDialog->Execute() && self.Alive()) SetColor(colorDialog->Color());
}

void TdxBarColorCombo::DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect) {
    if (OnDrawItem) {
        TdxBarCustomCombo::DrawItem(painter, index, state, rect);
        return;
    }
    TcxCanvas* canvas = DrawItemCanvas();
    HDC dc = canvas->GetCanvasHandle();
    TBrush* brush = canvas->GetCanvasBrush();
    const TColor brushColor = brush->Color();
    const String text = index == -1 ? customColorText_ : Items()->Strings(index);
    const bool box = !(index == -1 && IsSystemColorValue(color_));
    TRect textArea = rect;
    if (box) textArea.left = rect.left + colorBoxWidth;
    FillRect(dc, &textArea, brush->Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.length()), &extent);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF textColor = SetTextColor(dc, ColorToRGB(canvas->GetCanvasFont()->Color()));
    ExtTextOutW(dc, textArea.left + 1, (rect.top + rect.bottom - extent.cy) / 2, ETO_CLIPPED, &textArea, text.c_str(),
                UINT(text.length()), nullptr);
    SetTextColor(dc, textColor);
    SetBkMode(dc, mode);
    if (box) {
        TRect r{rect.left, rect.top, textArea.left, rect.bottom};
        FrameRect(dc, &r, brush->Handle());
        InflateRect(&r, -1, -1);
        HBRUSH shadow = CreateSolidBrush(ColorToRGB(clBtnShadow));
        FrameRect(dc, &r, shadow);
        DeleteObject(shadow);
        InflateRect(&r, -1, -1);
        HBRUSH fill = CreateSolidBrush(ColorToRGB(ColorByIndex(index)));
        FillRect(dc, &r, fill);
        DeleteObject(fill);
    }
    brush->SetColor(brushColor);
    if (state.Contains(odFocused)) DrawFocusRect(dc, &rect);
}

void TdxBarColorCombo::MeasureItem(int index, int& height) {
    if (OnMeasureItem) {
        TdxBarCustomCombo::MeasureItem(index, height);
        return;
    }
    TcxCanvas* canvas = DrawItemCanvas();
    SIZE extent{};
    HDC dc = canvas->GetCanvasHandle();
    HGDIOBJ old = SelectObject(dc, canvas->GetCanvasFont()->Handle());
    GetTextExtentPoint32W(dc, L"0", 1, &extent);
    SelectObject(dc, old);
    height = extent.cy + 4;
}

void TdxBarColorCombo::MeasureItemWidth(int index, int& width) {
    TdxBarCustomCombo::MeasureItemWidth(index, width);
    width += colorBoxWidth;
}

// ---- TdxBarColorComboControl ----------------------------------------------------------------------

TdxBarColorCombo* TdxBarColorComboControl::ColorCombo() const { return As<TdxBarColorCombo>(Item()); }

TdxBarItemControlDrawParams* TdxBarColorComboControl::CreateDrawParams() {
    return new TdxBarColorComboControlDrawParams(this);
}

void TdxBarColorComboControl::CalcDrawParams(bool withItemData) {
    TdxBarComboControl::CalcDrawParams(withItemData);
    auto* params = dynamic_cast<TdxBarColorComboControlDrawParams*>(DrawParams());
    if (!params) return;
    if (withItemData) params->pressed = pressed_;
    TdxBarColorCombo* combo = ColorCombo();
    params->showsCustomButton = combo && combo->ShowCustomColorButton();
}

void TdxBarColorComboControl::CalcEditParts(TRect* parts) {
    CalcDrawParams(true);
    TdxBarComboControl::CalcEditParts(parts);
    if (TdxBarPainter* painter = GetPainter())
        painter->CalcColorComboLayout(DrawParams(), parts, CustomButtonPart, CalcEditRect());
}

void TdxBarColorComboControl::AdjustDropDownButtonWidth(TRect& frameRect) {
    TdxBarComboControl::AdjustDropDownButtonWidth(frameRect);
    if (TdxBarPainter* painter = GetPainter()) painter->CalcColorComboCustomButtonRect(DrawParams(), frameRect);
}

void TdxBarColorComboControl::DrawEditContent() {
    TdxBarComboControl::DrawEditContent();
    TdxBarPainter* painter = GetPainter();
    TcxCanvas* canvas = GetDrawCanvas();
    if (!painter || !canvas) return;
    TdxBarItemControlDrawParams* params = DrawParams();
    if (!painter->HasColorComboCustomButton(params)) return;
    TRect margins;
    painter->GetColorComboMargins(params->paintKind, margins);
    const TRect edit = EditPart(0);
    const TRect box{edit.left - margins.left, edit.top - margins.top, edit.right + margins.right,
                    edit.bottom + margins.bottom};
    HDC dc = canvas->GetCanvasHandle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    painter->DrawColorComboColorBox(params, box);
    RestoreDC(dc, saved);
    painter->DrawColorComboCustomButton(params, EditPart(CustomButtonPart));
}

bool TdxBarColorComboControl::ShowsSelected() const { return TdxBarComboControl::ShowsSelected() || pressed_; }

void TdxBarColorComboControl::SetPressed(bool value) {
    if (value == pressed_) return;
    pressed_ = value;
    RepaintControl();
    if (value) ChangeDroppedDown(false);
}

void TdxBarColorComboControl::OpenColorDialog() {
    TdxBarColorCombo* combo = ColorCombo();
    if (!combo) return;
    combo->SetExchangeColor(combo->ColorByIndex(Focused() ? LocalItemIndex() : combo->ItemIndex()));
    if (TdxBarItemLink* link = Link()) link->GetSourceLink()->MarkUsed(true);
    TCustomdxBarControl* bar = BarControl();
    TcxObjectLinkGuard self(this);
    if (bar && bar->GetBarControlKind() == 0)
        SetPressed(true);
    else
        CloseActiveBarControlMenus();
    // The dialog's modal loop may take the control (and its bar window) away.
    TcxObjectLinkGuard item(combo);
    combo->DirectClick();
    if (self.Alive()) SetPressed(false);
}

void TdxBarColorComboControl::HandleEditMessage(TMessage& message) {
    const bool buttonPress = (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) &&
                             HitTestEditMessage(message) == CustomButtonPart;
    const bool ctrlEnter = message.Msg == WM_KEYDOWN && message.WParam == VK_RETURN && GetKeyState(VK_CONTROL) < 0;
    if (buttonPress || ctrlEnter) {
        // The line feed that Ctrl+Enter types never reaches the editor.
        if (ctrlEnter) DropPendingCharMessages(GetEditHandle());
        OpenColorDialog();
        return;
    }
    TdxBarComboControl::HandleEditMessage(message);
}
