#pragma once
// The colour schemes "Blue", "Black" and "Silver", each cut from the common atlas and its own
// two ("RIBBON" and "FORM" + the scheme's word). Silver is a Black with lighter colours: what
// it does not answer itself, Black answers. The three are registered with the bar skin manager
// at start-up, when GDI+ is there.

#include "dxRibbonSkins.h"

class TdxBlueRibbonSkin : public TdxCustomRibbonSkin {
    Z_CLASS(TdxBlueRibbonSkin, TdxCustomRibbonSkin)
public:
    TdxBlueRibbonSkin() = default;
    String GetName() const override { return L"Blue"; }
    void DrawRibbonBottomBorder(HDC dc, const TRect& r) override;
    TColor PartColor(int part, int state) override;

protected:
    GpImage* LoadSchemeImage() override;
    GpImage* LoadFormImage() override;
};

class TdxBlackRibbonSkin : public TdxCustomRibbonSkin {
    Z_CLASS(TdxBlackRibbonSkin, TdxCustomRibbonSkin)
public:
    TdxBlackRibbonSkin() = default;
    String GetName() const override { return L"Black"; }
    void DrawRibbonBottomBorder(HDC dc, const TRect& r) override;
    TColor PartColor(int part, int state) override;

protected:
    GpImage* LoadSchemeImage() override;
    GpImage* LoadFormImage() override;
};

class TdxSilverRibbonSkin : public TdxBlackRibbonSkin {
    Z_CLASS(TdxSilverRibbonSkin, TdxBlackRibbonSkin)
public:
    TdxSilverRibbonSkin() = default;
    String GetName() const override { return L"Silver"; }
    void DrawRibbonBottomBorder(HDC dc, const TRect& r) override;
    TColor PartColor(int part, int state) override;

protected:
    GpImage* LoadSchemeImage() override;
    GpImage* LoadFormImage() override;
};

// The unit's start (registers the schemes through the units loader) and end (removes them).
void InitializeRibbonColorSchemes();
void FinalizeRibbonColorSchemes();
