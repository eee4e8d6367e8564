#pragma once
// A pen: colour, width, line style, and the mix mode the canvas applies while it is selected.

#include <windows.h>

#include "Colors.h"
#include "GraphicsObject.h"

Z_ENUM(TPenStyle, int, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
// In the order of the R2_ codes, from R2_BLACK (1) to R2_WHITE (16).
Z_ENUM(TPenMode, int, pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask, pmMask,
       pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite)

class TPen : public TGraphicsObject {
    Z_CLASS(TPen, TGraphicsObject)
    Z_PUBLISHED {
        p.Property(L"Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
        p.Property(L"Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
        p.Property(L"Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
        p.Property(L"Width", &TPen::Width, &TPen::SetWidth).Default(1);
    }

public:
    TPen() = default;

    void Assign(TPersistent* source) override;

    HPEN Handle() { return static_cast<HPEN>(GdiHandle()); }
    // Takes ownership of the handle and reads its colour, width and style back.
    void SetHandle(HPEN handle);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    Integer Width() const { return width_; }
    void SetWidth(Integer value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    // The R2_ code of Mode, for SetROP2.
    int Rop2() const { return int(mode_) + 1; }

protected:
    HGDIOBJ CreateGdiHandle() override;

private:
    TColor color_ = clBlack;
    Integer width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};
