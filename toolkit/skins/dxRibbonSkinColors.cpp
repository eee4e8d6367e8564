// The part colours every scheme starts from: flat system colours in low colour, otherwise the
// few colours shared by all schemes (the schemes answer the rest).

#include "dxRibbonSkins.h"

namespace {

TColor ByState3(int state, TColor normal, TColor disabled, TColor other) {
    return state == 0 ? normal : state == 1 ? disabled : other;
}

}  // namespace

TColor TdxCustomRibbonSkin::PartColor(int part, int state) {
    return LowColor() ? LowColorPartColor(part, state) : BasePartColor(part, state);
}

TColor TdxCustomRibbonSkin::LowColorPartColor(int part, int state) {
    TColor color;
    switch (part) {
        case 10:
        case 12:
            color = state > 1 ? clWhite : clBtnShadow;
            break;
        case 19:
            color = 0xDAD5D2;
            break;
        case 20:
            color = 0xEFE7DE;
            break;
        case 41:
            color = 0xDDBB9E;
            break;
        case 64:
        case 362:
            color = ByState3(state, clMenuText, clGrayText, clHighlightText);
            break;
        case 67:
        case 68:
            color = clHighlight;
            break;
        case 335:
        case 10133:
        case 10138:
            color = ByState3(state, clWindowText, clGrayText, clHighlightText);
            break;
        case 10134:
            color = clWindowText;
            break;
        case 10018:
            color = clBtnShadow;
            break;
        case 425:
            color = state == 3 ? TColor(0x85B6CA) : state == 8 ? TColor(0xCDCDCD) : clDefault;
            break;
        case 455:
            color = 0xEDD3BE;
            break;
        case 456:
            color = clWhite;
            break;
        case 457:
            color = 0xCAAF9B;
            break;
        case 10066:
            color = 0xF3E2D5;
            break;
        case 10130:
        case 10131:
            color = state == 0 ? clCaptionText : clInactiveCaptionText;
            break;
        case 10132:
            color = state == 0 ? clWindowText : clHighlightText;
            break;
        default:
            color = clBtnFace;
            break;
    }
    return color == clDefault ? color : TColor(ColorToRGB(color));
}

TColor TdxCustomRibbonSkin::BasePartColor(int part, int state) {
    switch (part) {
        case 56:
            return 0xFAFAFA;
        case 64:
            return PartColor(362, 0);
        case 67:
            return state == 2   ? TColor(0x3694F2)
                   : state == 6 ? TColor(0x1048EF)
                   : state == 7 ? TColor(0x3695F2)
                                : clDefault;
        case 68:
            return state == 2 || state == 6 ? TColor(0x94E2FF) : state == 7 ? TColor(0x95E3FF) : clDefault;
        case 335:
            return state == 1 || state == 8 ? TColor(0x8D8D8D) : PartColor(10133, 0);
        case 362:
            return state == 1 || state == 8 ? TColor(0xA7A7A7) : clDefault;
        case 375:
            return 0xF7F7F7;
        case 395:
            return 0xEEEAE9;
        case 420:
            return 0xBDB6A5;
        case 451:
            return 0xF5F5F5;
        default:
            return clDefault;
    }
}
