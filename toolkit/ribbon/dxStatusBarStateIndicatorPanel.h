#pragma once
// The state indicator panel style: a row of small lamps (17 x 8 bitmaps from the program's
// resources, grey for off), each shown or hidden, with a spacing around them.
//
// Sections: indicators · the style.

#include "Collection.h"
#include "dxStatusBarPanelStyle.h"

class TBitmap;
class TdxStatusBarStateIndicatorPanelStyle;

Z_ENUM(TdxStatusBarStateIndicatorType, Byte, sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple)

// ---- indicators ----------------------------------------------------------------------------

class TdxStatusBarStateIndicatorItem : public TCollectionItem {
    Z_CLASS(TdxStatusBarStateIndicatorItem, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"IndicatorType", &TdxStatusBarStateIndicatorItem::IndicatorType,
                   &TdxStatusBarStateIndicatorItem::SetIndicatorType)
            .Default(sitOff);
        p.Property(L"Visible", &TdxStatusBarStateIndicatorItem::Visible, &TdxStatusBarStateIndicatorItem::SetVisible)
            .Default(true);
    }

public:
    explicit TdxStatusBarStateIndicatorItem(TCollection* collection);
    ~TdxStatusBarStateIndicatorItem() override;
    void Assign(TPersistent* source) override;

    TdxStatusBarStateIndicatorType IndicatorType() const { return indicatorType_; }
    // Loads the lamp of the type.
    void SetIndicatorType(TdxStatusBarStateIndicatorType value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // The lamp; empty when its resource could not be loaded (it then takes no room).
    TBitmap* Bitmap() const { return bitmap_; }

private:
    void LoadBitmap();

    TdxStatusBarStateIndicatorType indicatorType_ = sitOff;
    bool visible_ = true;
    TBitmap* bitmap_;
};

// The name of the bitmap resource of a lamp type: "DXSTATUSBAR_GRAY" for sitOff, and so on; an
// empty name for a value outside the type.
const wchar_t* StateIndicatorBitmapName(TdxStatusBarStateIndicatorType type);

// Every change reports a change of the style's panel.
class TdxStatusBarStateIndicators : public TOwnedCollection {
    Z_CLASS(TdxStatusBarStateIndicators, TOwnedCollection)
public:
    explicit TdxStatusBarStateIndicators(TdxStatusBarStateIndicatorPanelStyle* style);
    TdxStatusBarStateIndicatorItem* Add() { return static_cast<TdxStatusBarStateIndicatorItem*>(TCollection::Add()); }
    TdxStatusBarStateIndicatorItem* Items(int index) const {
        return static_cast<TdxStatusBarStateIndicatorItem*>(TCollection::Items(index));
    }

protected:
    void Update(TCollectionItem* item) override;

private:
    TdxStatusBarStateIndicatorPanelStyle* style_;
};

// ---- the style -----------------------------------------------------------------------------

class TdxStatusBarStateIndicatorPanelStyle : public TdxStatusBarPanelStyle {
    Z_CLASS(TdxStatusBarStateIndicatorPanelStyle, TdxStatusBarPanelStyle)
    Z_PUBLISHED {
        p.Property(L"Color", &TdxStatusBarStateIndicatorPanelStyle::Color,
                   &TdxStatusBarStateIndicatorPanelStyle::SetColor)
            .Stored(&TdxStatusBarStateIndicatorPanelStyle::IsColorStored);
        p.Property(L"Indicators", &TdxStatusBarStateIndicatorPanelStyle::Indicators,
                   &TdxStatusBarStateIndicatorPanelStyle::SetIndicators);
        p.Property(L"Spacing", &TdxStatusBarStateIndicatorPanelStyle::Spacing,
                   &TdxStatusBarStateIndicatorPanelStyle::SetSpacing)
            .Default(4);
    }

public:
    explicit TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* owner);
    ~TdxStatusBarStateIndicatorPanelStyle() override;

    TdxStatusBarStateIndicators* Indicators() const { return indicators_; }
    void SetIndicators(TdxStatusBarStateIndicators* value) { indicators_->Assign(value); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    bool CanSize() const override { return false; }
    // Spacing, then each shown lamp and a spacing; 20 without indicators.
    int GetMinWidth() override;
    void DoAssign(TdxStatusBarPanelStyle* source) override;
    void DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) override;
    void RestoreDefaults() override;

private:
    // The lamp of a visible indicator that has one, else nil.
    TBitmap* ShownLamp(int index) const;

    TdxStatusBarStateIndicators* indicators_;
    int spacing_ = 4;
};
