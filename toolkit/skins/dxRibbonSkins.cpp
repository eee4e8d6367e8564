#include "dxRibbonSkins.h"

#include <utility>

#include "Format.h"
#include "cxCustomLookAndFeelPainter.h"
#include "dxCore.h"
#include "dxOffice11.h"

// Sections: construction · cutting the atlases · drawing helpers.

// ---- construction --------------------------------------------------------------------------

namespace {

struct TAtlasOwner {
    GpImage* image;
    ~TAtlasOwner() {
        if (image) GdipDisposeImage(image);
    }
};

}  // namespace

TdxCustomRibbonSkin::TdxCustomRibbonSkin() : TdxCustomBarSkin(String()) {}

void TdxCustomRibbonSkin::Initialize() {
    SetSkinName(GetName());
    {
        TAtlasOwner atlas{LoadFormImage()};
        InitializeFormParts(atlas.image);
    }
    {
        TAtlasOwner atlas{LoadCommonImage()};
        InitializeCommonParts(atlas.image);
    }
    {
        TAtlasOwner atlas{LoadSchemeImage()};
        InitializeSchemeParts(atlas.image);
    }
    HDC screen = GetDC(nullptr);
    lowColor_ = GetDeviceCaps(screen, BITSPIXEL) < 9;
    ReleaseDC(nullptr, screen);
}

GpImage* TdxCustomRibbonSkin::LoadAtlasResource(const wchar_t* name) {
    TResourceStream stream(GetModuleHandleW(nullptr), name, RT_RCDATA);
    return CreateGpImageFromStream(&stream);
}

GpImage* TdxCustomRibbonSkin::LoadCommonImage() { return LoadAtlasResource(L"RIBBONCOMMON"); }

void TdxCustomRibbonSkin::InitializeFormParts(GpImage* atlas) { CutParts(TdxRibbonAtlas::Form, atlas); }

void TdxCustomRibbonSkin::InitializeCommonParts(GpImage* atlas) { CutParts(TdxRibbonAtlas::Common, atlas); }

void TdxCustomRibbonSkin::InitializeSchemeParts(GpImage* atlas) { CutParts(TdxRibbonAtlas::Scheme, atlas); }

// ---- cutting the atlases -------------------------------------------------------------------

void TdxCustomRibbonSkin::CutParts(TdxRibbonAtlas which, GpImage* atlas) {
    GdipAssert(atlas != nullptr);
    UINT width = 0, height = 0;
    CheckGdipStatus(GdipGetImageWidth(atlas, &width));
    CheckGdipStatus(GdipGetImageHeight(atlas, &height));
    const TRect bounds{0, 0, LONG(width), LONG(height)};
    for (int i = 0; i < RibbonPartRowCount(); ++i) {
        const TdxRibbonPartRow& row = RibbonPartRows()[i];
        if (row.atlas != which) continue;
        TdxRibbonNumbers states = row.states;
        if (row.kind == TdxRibbonPartKind::Single) states = TdxRibbonNumbers::Of({0});
        if (row.kind == TdxRibbonPartKind::Pair) states = TdxRibbonNumbers::Of({0, 1});
        if (row.kind == TdxRibbonPartKind::Stacked) states = TdxRibbonNumbers::Of({0, 1, 2});
        // Both images of a window's frame piece keep hard pixels when stretched.
        const int interpolation = row.kind == TdxRibbonPartKind::Pair ? 5 : row.interpolation;
        int created = 0;
        for (int state = 0; state < 9; ++state) {
            if (states.count > 0 && !states.Contains(state)) continue;
            const int image = row.images.count == 0        ? created
                              : created < row.images.count ? row.images.values[created]
                                                           : 0;
            const TRect r = RibbonPartImageRect(row, image);
            TRect inside;
            // A damaged or foreign atlas may be smaller than the table expects.
            if (!IntersectRect(&inside, &r, &bounds) || !EqualRect(&inside, &r))
                throw EdxException(Format(L"The ribbon atlas (%d x %d) has no room for part %d",
                                          {int(width), int(height), row.baseId + state}));
            parts_[size_t(row.into)][size_t(state)] =
                AddPartWithMargins(atlas, r, row.margins, row.baseId + state, String(), interpolation);
            ++created;
        }
    }
}

int TdxCustomRibbonSkin::PartIndex(TdxRibbonPartGroup group, int entry) const {
    if (group < 0 || group >= rpgCount || entry < 0 || entry > 8) return 0;
    return parts_[size_t(group)][size_t(entry)];
}

// ---- drawing helpers -----------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawPart(HDC dc, const TRect& r, int index, Byte alpha) { Parts(index)->Draw(dc, r, alpha); }

void TdxCustomRibbonSkin::DrawGroupImage(HDC dc, const TRect& r, TdxRibbonPartGroup group, int entry, Byte alpha) {
    DrawPart(dc, r, parts_[size_t(group)][size_t(entry)], alpha);
}

void TdxCustomRibbonSkin::DrawStrip(HDC dc, const TRect& r, TdxRibbonPartGroup group, int state) {
    const int index = PartIndex(group, state);
    if (index == 0) return;
    if (!lowColor_) {
        DrawPart(dc, r, index);
    } else if (state == resHot || state == resCheckedHot || state == resHotChecked) {
        FrameAndFill(dc, r, clHighlight, 15, clWhite);
    } else if (state == resPressed) {
        FrameAndFill(dc, r, clHighlight, 15, clBtnShadow);
    } else {
        FrameAndFill(dc, r, clBtnFace, 15, clBtnShadow);
    }
}

void TdxCustomRibbonSkin::FrameAndFill(HDC dc, const TRect& r, TColor fillColor, int sides, TColor borderColor) {
    if (IsRectEmpty(&r)) return;
    TRect inner = r;
    if (sides & 1) {
        FillRectSolid(dc, TRect{r.left, r.top, r.left + 1, r.bottom}, borderColor);
        ++inner.left;
    }
    if (sides & 2) {
        FillRectSolid(dc, TRect{r.left, r.top, r.right, r.top + 1}, borderColor);
        ++inner.top;
    }
    if (sides & 4) {
        FillRectSolid(dc, TRect{r.right - 1, r.top, r.right, r.bottom}, borderColor);
        --inner.right;
    }
    if (sides & 8) {
        FillRectSolid(dc, TRect{r.left, r.bottom - 1, r.right, r.bottom}, borderColor);
        --inner.bottom;
    }
    if (fillColor != clNone && !IsRectEmpty(&inner)) FillRectSolid(dc, inner, fillColor);
}

void TdxCustomRibbonSkin::DrawLowColorArrow(HDC dc, const TRect& r, bool down) {
    TcxArrowPoints p = TcxCustomLookAndFeelPainter::ComputeArrowTriangle(r, 4, false, down ? adDown : adRight);
    if (down) {
        --p[0].x;
        --p[2].x;
    }
    HRGN region = CreatePolygonRgn(p.data(), 3, WINDING);
    FillRgn(dc, region, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(region);
}

void TdxCustomRibbonSkin::DrawBorderIconGlyph(HDC dc, const TRect& r, TdxRibbonBorderIcon icon, int image) {
    const int left = r.left + (RectWidth(r) - 9) / 2;
    const int top = r.top + (RectHeight(r) - 9) / 2 + 1;
    const auto group = TdxRibbonPartGroup(rpgBorderIconMinimize + int(icon));
    DrawGroupImage(dc, TRect{left, top, left + 9, top + 9}, group, image);
}
