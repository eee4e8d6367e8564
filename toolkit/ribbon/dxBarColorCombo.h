#pragma once
// TdxBarColorCombo: a drop-down list of sixteen named colours, optionally led by an automatic
// entry, whose click opens the colour dialog for any other colour. Color and ItemIndex follow
// each other; a colour that is not in the list leaves ItemIndex at -1 and survives list moves
// (the list shows the custom-colour caption with that colour's box).
//
// TdxBarColorComboControl: its item control. Beside the combo button it may show a button that
// opens the colour dialog (part 4); Ctrl+Enter in the editor does the same, preset with the
// colour of the entry the editor shows.

#include "dxBarCombo.h"
#include "dxBarComboControl.h"

class TdxBarColorCombo : public TdxBarCustomCombo {
    Z_CLASS(TdxBarColorCombo, TdxBarCustomCombo)
    Z_PUBLISHED {
        p.Property(L"AutoColor", &TdxBarColorCombo::AutoColor, &TdxBarColorCombo::SetAutoColor).Default(clWindowText);
        p.Property(L"AutoColorText", &TdxBarColorCombo::AutoColorText, &TdxBarColorCombo::SetAutoColorText)
            .Stored(&TdxBarColorCombo::IsAutoColorTextStored);
        p.Property(L"Color", &TdxBarColorCombo::Color, &TdxBarColorCombo::SetColor);
        p.Property(L"CustomColorText", &TdxBarColorCombo::CustomColorText, &TdxBarColorCombo::SetCustomColorText)
            .Stored(&TdxBarColorCombo::IsCustomColorTextStored);
        p.Property(L"DropDownCount", &TdxBarColorCombo::DropDownCount, &TdxBarColorCombo::SetDropDownCount)
            .Stored(&TdxBarColorCombo::IsDropDownCountStored);
        p.Property(L"ShowAutoColor", &TdxBarColorCombo::ShowAutoColor, &TdxBarColorCombo::SetShowAutoColor)
            .Default(false);
        p.Property(L"ShowCustomColorButton", &TdxBarColorCombo::ShowCustomColorButton,
                   &TdxBarColorCombo::SetShowCustomColorButton)
            .Default(false);
        p.Property(L"ShowEditor", &TdxBarColorCombo::ShowEditor, &TdxBarColorCombo::SetShowEditor).Default(false);
        p.Property(L"Text", &TdxBarColorCombo::GetText, &TdxBarColorCombo::SetText).Stored(false);
    }

public:
    static constexpr int ColorCount = 16;
    // The table's colours in list order (0x00BBGGRR).
    static TColor TableColor(int index);

    explicit TdxBarColorCombo(TComponent* owner);

    TColor AutoColor() const { return autoColor_; }
    void SetAutoColor(TColor value);
    String AutoColorText() const { return autoColorText_; }
    void SetAutoColorText(const String& value);
    TColor Color() const { return color_; }
    // Selects the colour's entry (-1 for a colour outside the table) and notifies.
    void SetColor(TColor value);
    String CustomColorText() const { return customColorText_; }
    void SetCustomColorText(const String& value);
    bool ShowAutoColor() const { return showAutoColor_; }
    // Inserts or deletes the automatic entry; an untouched DropDownCount follows.
    void SetShowAutoColor(bool value);
    bool ShowCustomColorButton() const { return showCustomColorButton_; }
    void SetShowCustomColorButton(bool value);

    // The colour of an entry; any index outside the list answers Color.
    TColor ColorByIndex(int index) const;
    // The automatic entry (0) for AutoColor, else the first table entry of the same RGB value
    // (system colours as they resolve now); -1 for none.
    int IndexOfColor(TColor color) const;

    // Color follows ItemIndex before OnChange fires (except while the item moves it itself).
    void Change() override;
    // The base click, then the colour dialog (without an OnClick handler and when not read-only).
    void CallClickHandler() override;
    // Entry drawing and measuring without OnDrawItem/OnMeasureItem: a colour box and the caption.
    void DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect) override;
    void MeasureItem(int index, int& height) override;
    void MeasureItemWidth(int index, int& width) override;

    // The colour the next dialog starts with (one click only).
    void SetExchangeColor(TColor color) {
        exchangeColor_ = color;
        hasExchangeColor_ = true;
    }

private:
    bool IsAutoColorTextStored() const;
    bool IsCustomColorTextStored() const;
    bool IsDropDownCountStored() const { return DropDownCount() != ColorCount + int(showAutoColor_); }
    void RefreshColorNames();
    // Moves ItemIndex without Color following it.
    void SetItemIndexQuietly(int index);

    TColor autoColor_ = clWindowText;
    String autoColorText_;
    TColor color_ = clBlack;
    String customColorText_;
    TColor exchangeColor_ = clBlack;
    bool hasExchangeColor_ = false;
    bool settingColor_ = false;
    bool showAutoColor_ = false;
    bool showCustomColorButton_ = false;
};

class TdxBarColorComboControl : public TdxBarComboControl {
    Z_CLASS(TdxBarColorComboControl, TdxBarComboControl)
public:
    explicit TdxBarColorComboControl(TdxBarItemLink* link) : TdxBarComboControl(link) {}

    static constexpr int CustomButtonPart = 4;

    TdxBarColorCombo* ColorCombo() const;
    bool Pressed() const { return pressed_; }
    // A pressed control repaints and closes its drop-down list.
    void SetPressed(bool value);
    bool ShowsSelected() const override;
    void CalcDrawParams(bool withItemData) override;
    void DrawEditContent() override;
    // Opens the colour dialog preset with the colour of the entry shown in the editor.
    void OpenColorDialog();

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    void CalcEditParts(TRect* parts) override;
    void AdjustDropDownButtonWidth(TRect& frameRect) override;
    void HandleEditMessage(TMessage& message) override;

private:
    bool pressed_ = false;
};
