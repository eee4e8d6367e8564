#include "dxRibbonColorSchemes.h"

#include "dxCore.h"
#include "dxOffice11.h"

// Sections: shared pieces · Blue · Black · Silver · registration.

// ---- shared pieces -------------------------------------------------------------------------

namespace {

// Two one-pixel lines at the ribbon's bottom edge.
void DrawTwoLines(HDC dc, const TRect& r, TColor upper, TColor lower) {
    TRect line{r.left, r.top, r.right, r.bottom - 1};
    FillRectSolid(dc, line, upper);
    OffsetRect(&line, 0, 1);
    FillRectSolid(dc, line, lower);
}

bool InRange(int state, int first, int last) { return state >= first && state <= last; }

// Part 66 has colours for the normal and the hot state only.
TColor HighlightTextColor(int state, TColor normal, TColor hot) {
    if (state == 0) return normal;
    if (state == 2) return hot;
    throw EdxException(String());
}

}  // namespace

// ---- Blue ----------------------------------------------------------------------------------

GpImage* TdxBlueRibbonSkin::LoadSchemeImage() { return LoadAtlasResource(L"RIBBONBLUE"); }
GpImage* TdxBlueRibbonSkin::LoadFormImage() { return LoadAtlasResource(L"FORMBLUE"); }

void TdxBlueRibbonSkin::DrawRibbonBottomBorder(HDC dc, const TRect& r) { DrawTwoLines(dc, r, 0xEBC3A4, 0xF3E2D5); }

TColor TdxBlueRibbonSkin::PartColor(int part, int state) {
    const TColor inherited = TdxCustomRibbonSkin::PartColor(part, state);
    if (LowColor()) return inherited;
    const int s = state;
    switch (part) {
        case 9:
            return s == 0                       ? TColor(0xFBF2EA)
                   : s == 1                     ? TColor(0xEFEFEF)
                   : InRange(s, 2, 5) || s == 8 ? TColor(0xFFFFFF)
                                                : inherited;
        case 10:
            return s == 0                       ? TColor(0xDEC1AB)
                   : s == 1                     ? TColor(0xC6BBB1)
                   : InRange(s, 2, 5) || s == 8 ? TColor(0xE1C7B3)
                                                : inherited;
        case 12:
            switch (s) {
                case 0:
                    return 0xDEC1AB;
                case 1:
                case 8:
                    return 0xC6BBB1;
                case 2:
                    return 0x99CEDB;
                case 3:
                    return 0xDEC7AD;
                case 4:
                    return 0x45667B;
                case 5:
                    return 0x6B99A5;
                default:
                    return inherited;
            }
        case 19:
            return 0xDAD5D2;
        case 20:
            return 0xEFE7DE;
        case 41:
            return 0xDDBB9E;
        case 51:
            return s == 2 || s == 3 ? 0xFBF3EC : 0xF8E6D4;
        case 52:
            return 0xEDD0B9;
        case 66:
            return HighlightTextColor(s, 0x6E1500, 0xFF6600);
        case 362:
            return s == 1 || s == 8 ? inherited : TColor(0x6E1500);
        case 425:
            return s == 3 ? TColor(0x85B6CA) : s == 8 ? TColor(0xCDCDCD) : inherited;
        case 455:
            return 0xEDD3BE;
        case 456:
            return 0xFFFFFF;
        case 457:
            return 0xCAAF9B;
        case 10018:
            return 0xEBC3A4;
        case 10065:
            return 0xFFDBBF;
        case 10066:
            return 0xF3E2D5;
        case 10098:
            return 0x805D45;
        case 10099:
            return 0xE8C9B1;
        case 10130:
            return s == 0 ? 0xAA6A3E : 0xA0A0A0;
        case 10131:
            return s == 0 ? 0x797069 : 0xA0A0A0;
        case 10132:
        case 10133:
            return 0x8B4215;
        case 10134:
            return 0xAA6A3E;
        case 10138:
            return s == 0 || s == 2 ? 0x8B4215 : 0x8D8D8D;
        default:
            return inherited;
    }
}

// ---- Black ---------------------------------------------------------------------------------

GpImage* TdxBlackRibbonSkin::LoadSchemeImage() { return LoadAtlasResource(L"RIBBONBLACK"); }
GpImage* TdxBlackRibbonSkin::LoadFormImage() { return LoadAtlasResource(L"FORMBLACK"); }

void TdxBlackRibbonSkin::DrawRibbonBottomBorder(HDC dc, const TRect& r) { DrawTwoLines(dc, r, 0x4F4F4F, 0x626262); }

TColor TdxBlackRibbonSkin::PartColor(int part, int state) {
    const TColor inherited = TdxCustomRibbonSkin::PartColor(part, state);
    if (LowColor()) return inherited;
    const int s = state;
    switch (part) {
        case 9:
            return s == 0                       ? TColor(0xE8E8E8)
                   : s == 1                     ? TColor(0xEFEFEF)
                   : InRange(s, 2, 5) || s == 8 ? TColor(0xFFFFFF)
                                                : inherited;
        case 10:
            return s == 0                       ? TColor(0x898989)
                   : s == 1                     ? TColor(0xCCCCCC)
                   : InRange(s, 2, 5) || s == 8 ? TColor(0x898989)
                                                : inherited;
        case 12:
            switch (s) {
                case 0:
                    return 0x898989;
                case 1:
                case 8:
                    return 0xCCCCCC;
                case 2:
                    return 0x99CEDB;
                case 3:
                    return 0xB7B7B7;
                case 4:
                    return 0x45667B;
                case 5:
                    return 0x6B99A5;
                default:
                    return inherited;
            }
        case 19:
            return 0xDAD5D2;
        case 20:
            return 0xEFEBEF;
        case 41:
            return 0xA49991;
        case 51:
            return s == 2 || s == 3 ? 0xF7F7F7 : 0xE2E2DA;
        case 52:
            return 0xACACAC;
        case 66:
            return HighlightTextColor(s, 0xFFFFFF, 0x32D2FF);
        case 362:
            return s == 1 || s == 8 ? inherited : TColor(0x464646);
        case 425:
            return s == 3 ? TColor(0x85B6CA) : s == 8 ? TColor(0xCDCDCD) : inherited;
        case 455:
            return 0x504F4F;
        case 456:
            return 0x716C6B;
        case 457:
            return 0x414243;
        case 10018:
            return 0x696969;
        case 10065:
            return 0x535353;
        case 10066:
            return 0x626262;
        case 10098:
            return 0x252525;
        case 10099:
            return 0xCCCCCC;
        case 10130:
            return s == 0 ? 0xFFD1AE : 0xE1E1E1;
        case 10131:
            return s == 0 ? 0xFFFFFF : 0xE1E1E1;
        case 10132:
            return s == 3 ? 0x000000 : 0xFFFFFF;
        case 10133:
            return 0x464646;
        case 10134:
            return 0xFFFFFF;
        case 10138:
            return s == 0 ? TColor(0xFFFFFF) : s == 2 ? TColor(0x000000) : TColor(0xC2C2C2);
        default:
            return inherited;
    }
}

// ---- Silver --------------------------------------------------------------------------------

GpImage* TdxSilverRibbonSkin::LoadSchemeImage() { return LoadAtlasResource(L"RIBBONSILVER"); }
GpImage* TdxSilverRibbonSkin::LoadFormImage() { return LoadAtlasResource(L"FORMSILVER"); }

void TdxSilverRibbonSkin::DrawRibbonBottomBorder(HDC dc, const TRect& r) { DrawTwoLines(dc, r, 0x808080, 0xDCE1EB); }

TColor TdxSilverRibbonSkin::PartColor(int part, int state) {
    const TColor inherited = TdxBlackRibbonSkin::PartColor(part, state);
    if (LowColor()) return inherited;
    const int s = state;
    switch (part) {
        case 51:
            return s == 2 || s == 3 ? 0xF2F1F0 : 0xECEAE8;
        case 52:
            return s == 2 || s == 3 ? 0xA4A4A4 : 0xB8B1A9;
        case 66:
            return HighlightTextColor(s, 0xFFFFFF, 0x32D2FF);
        case 362:
            return s == 1 || s == 8 ? inherited : TColor(0x5C534C);
        case 455:
            return 0xD8D2CD;
        case 456:
            return 0xFAFAFA;
        case 457:
            return 0xB4AEA9;
        case 10018:
            return 0xB5AEAA;
        case 10065:
            return 0xDDD4D0;
        case 10066:
            return 0x808080;
        // The size grip's dots; a colour value's high byte must be 0 (RGB) or 0xFF (system).
        case 10098:
            return 0xE77670;
        case 10099:
            return 0xD9D0CD;
        case 10130:
            return s == 0 ? 0xAA6E35 : 0x8A8A8A;
        case 10131:
            return s == 0 ? 0x6A625C : 0x8A8A8A;
        case 10132:
            return 0x595453;
        case 10133:
        case 10134:
            return 0x5C534C;
        case 10138:
            return s == 0 || s == 2 ? 0x595453 : 0x8D8D8D;
        default:
            return inherited;
    }
}

// ---- registration --------------------------------------------------------------------------

namespace {

template <class TSkin>
void RegisterScheme() {
    TSkin* skin = CreateRibbonSkin<TSkin>();
    if (BarSkinManagerInstance()->AddSkin(skin) < 0) delete skin;
}

void RegisterRibbonColorSchemes() {
    if (!GdiPlusUsable()) return;
    RegisterScheme<TdxBlueRibbonSkin>();
    RegisterScheme<TdxBlackRibbonSkin>();
    RegisterScheme<TdxSilverRibbonSkin>();
}

void UnregisterRibbonColorSchemes() {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    for (int i = manager->SkinCount() - 1; i >= 0; --i)
        if (auto* skin = dynamic_cast<TdxCustomRibbonSkin*>(manager->Skins(i))) manager->RemoveSkin(skin);
}

}  // namespace

void InitializeRibbonColorSchemes() {
    GlobalUnitsLoader()->RegisterUnit(&RegisterRibbonColorSchemes, &UnregisterRibbonColorSchemes);
}

void FinalizeRibbonColorSchemes() { GlobalUnitsLoader()->UnregisterUnit(&UnregisterRibbonColorSchemes); }
