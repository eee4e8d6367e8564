#pragma once
// TdxBarProgressItem: a static item with a progress bar after its caption. Position stays within
// Min .. Max; a changed position repaints only the band of the bar that changed where the
// painter allows it. Step is kept for the application; the item itself never steps.

#include "dxBarStatic.h"

class TdxBarProgressControlDrawParams;

class TdxBarProgressItem : public TdxBarStatic {
    Z_CLASS(TdxBarProgressItem, TdxBarStatic)
    Z_PUBLISHED {
        p.Property(L"BorderStyle", &TdxBarProgressItem::BorderStyle, &TdxBarProgressItem::SetBorderStyle)
            .Default(sbsLowered);
        p.Property(L"Color", &TdxBarProgressItem::Color, &TdxBarProgressItem::SetColor).Default(clDefault);
        p.Property(L"Max", &TdxBarProgressItem::Max, &TdxBarProgressItem::SetMax).Default(100);
        p.Property(L"Min", &TdxBarProgressItem::Min, &TdxBarProgressItem::SetMin).Default(0);
        p.Property(L"Position", &TdxBarProgressItem::Position, &TdxBarProgressItem::SetPosition).Default(0);
        p.Property(L"Smooth", &TdxBarProgressItem::Smooth, &TdxBarProgressItem::SetSmooth).Default(false);
        p.Property(L"Step", &TdxBarProgressItem::Step, &TdxBarProgressItem::SetStep).Default(10);
    }

public:
    explicit TdxBarProgressItem(TComponent* owner);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Max() const { return max_; }
    // Max below Min takes Min down with it; Min above Max takes Max up.
    void SetMax(int value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Position() const { return position_; }
    // Clamped to Min .. Max.
    void SetPosition(int value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }

private:
    void SetRange(int minValue, int maxValue);

    TColor color_ = clDefault;
    int max_ = 100;
    int min_ = 0;
    int position_ = 0;
    bool smooth_ = false;
    int step_ = 10;
};

class TdxBarProgressControl : public TdxBarStaticControl {
    Z_CLASS(TdxBarProgressControl, TdxBarStaticControl)
public:
    explicit TdxBarProgressControl(TdxBarItemLink* link) : TdxBarStaticControl(link) {}

    TdxBarProgressItem* Progress() const;
    // Color, or the painter's progress colour for clDefault.
    virtual TColor GetBarColor() const;

    bool HasOwnContent() const override { return true; }
    TAlignment GetAlignment() const override { return taLeftJustify; }
    TdxBarItemViewLevels GetPossibleViewLevels() const override;
    void CalcDrawParams(bool withItemData) override;
    void DrawStaticInterior(const TRect& rect) override;

    // The bar's rectangle in the bar window, and the filled length of the position along it
    // (0 when Min equals Max).
    TRect GetBarRect();
    int PositionLength(const TRect& barRect) const;
    // Repaints the bar for a new position: all of it, or only the band that changed.
    void UpdateBar();
    void InvalidateBar();
    int PrevPos() const { return prevPos_; }

    int CalcRowHeight() override;
    int CalcRowWidth() override;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;

private:
    bool BarIsVertical() const;
    void InvalidateBarWindowRect(const TRect& r);
    int prevPos_ = 0;
};
