#pragma once
// TdxBarFontNameCombo: a drop-down list of the installed font families (each once, sorted),
// marked as TrueType or not, whose click opens the font dialog. While it is edited, a typed
// name is completed to the family it starts (letter case ignored); a name that shares not even
// its first letter with any family is refused. It uses the plain combo control.

#include "dxBarCombo.h"

class TdxBarFontNameCombo : public TdxBarCustomCombo {
    Z_CLASS(TdxBarFontNameCombo, TdxBarCustomCombo)
    Z_PUBLISHED {
        p.Property(L"DropDownCount", &TdxBarFontNameCombo::DropDownCount, &TdxBarFontNameCombo::SetDropDownCount)
            .Default(12);
        p.Property(L"DropDownWidth", &TdxBarFontNameCombo::DropDownWidth, &TdxBarFontNameCombo::SetDropDownWidth)
            .Default(0);
        p.Property(L"ItemHeight", &TdxBarFontNameCombo::ItemHeight, &TdxBarFontNameCombo::SetItemHeight).Default(0);
        p.Property(L"ShowEditor", &TdxBarFontNameCombo::ShowEditor, &TdxBarFontNameCombo::SetShowEditor)
            .Default(false);
        p.Property(L"Width", &TdxBarFontNameCombo::GetWidth, &TdxBarFontNameCombo::SetWidth).Default(160);
    }

public:
    explicit TdxBarFontNameCombo(TComponent* owner);

    // Lists the font families of the default printer, else of the screen.
    void RefreshFontNames();
    static bool IsTrueTypeEntry(TObject* object) { return object != nullptr; }

    void SetText(const String& value) override;
    // The base click, then the font dialog (without an OnClick handler and when not read-only).
    void CallClickHandler() override;
    void DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect) override;
    void MeasureItemWidth(int index, int& width) override;
};
