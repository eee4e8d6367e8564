#include "cxRadioButtonImageList.h"

#include "cxOffice11LookAndFeelPainter.h"
#include "cxPainterImages.h"
#include "dxOffice11.h"

namespace {

TcxRadioButtonImageList* sharedRadioButtonImages = nullptr;

// The pixels of a 32-bit bitmap, top row first.
DWORD* RadioScanLine(TBitmap& bitmap, int y) {
    GdiFlush();
    return static_cast<DWORD*>(bitmap.ScanLine(y));
}

DWORD RgbPixelOf(TColor color) {
    DWORD rgb = ColorToRGB(color) & 0xFFFFFF;  // $00BBGGRR
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// The colours of the seven template roles for one image.
struct TRadioColors {
    TColor role[7];
};

TRadioColors RadioColorsOf(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool focused, bool emphasized) {
    const bool disabled = state == cxbsDisabled;
    const bool hotOrPressed = state == cxbsHot || state == cxbsPressed;
    TColor body;
    if (kind == lfOffice11)
        body = state == cxbsNormal ? clWindow : TcxOffice11LookAndFeelPainter::Instance()->ButtonFaceColor(state);
    else if (disabled)
        body = clBtnFace;
    else if (kind == lfUltraFlat)
        body = state == cxbsNormal ? clWindow : TcxUltraFlatLookAndFeelPainter::Instance()->ButtonFaceColor(state);
    else
        body = state == cxbsPressed ? clBtnFace : clWindow;

    TColor outerUL, outerLR, innerUL, innerLR;
    switch (kind) {
        case lfFlat:
            outerUL = clBtnShadow, outerLR = clBtnHighlight, innerUL = cl3DLight, innerLR = cl3DLight;
            break;
        case lfStandard:
            outerUL = clBtnShadow, outerLR = clBtnHighlight, innerUL = cl3DDkShadow, innerLR = cl3DLight;
            break;
        case lfUltraFlat:
            outerUL = outerLR = emphasized || hotOrPressed || (focused && !disabled) ? clHighlight : clBtnShadow;
            innerUL = innerLR = body;
            break;
        default: {
            const TdxOffice11Colors& office = Office11Colors();
            outerUL = outerLR = disabled                                ? office.DisabledGlyphColor
                                : emphasized || focused || hotOrPressed ? office.SelectionBorderColor
                                                                        : clBtnText;
            innerUL = innerLR = body;
        }
    }
    TColor dot = body;
    if (checked && disabled)
        dot = kind == lfOffice11 ? Office11Colors().DisabledGlyphColor : clBtnShadow;
    else if (checked)
        dot = clWindowText;
    return TRadioColors{{clBlack, outerUL, outerLR, innerUL, innerLR, body, dot}};
}

}  // namespace

TcxRadioButtonImageList::TcxRadioButtonImageList() {
    Measure();
    BuildTemplate();
    BuildMask();
    images_ = new TCustomImageList(nullptr, width_, height_);
    BuildImages();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() {
    delete images_;
    delete mask_;
}

// The system's flat radio button: the black pixels of its mask give its place and size in a
// check-box cell, and the window-text pixels around its centre in the checked image give the
// dot. The cell starts white for the mask, so only the mask's own black pixels count.
void TcxRadioButtonImageList::Measure() {
    TSize cell = SystemCheckBoxSize();
    TBitmap bitmap(cell.cx, cell.cy, pf32bit);
    TCanvas* canvas = bitmap.Canvas();
    TRect r{0, 0, cell.cx, cell.cy};
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(r);
    DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    int left = cell.cx, top = cell.cy, right = -1, bottom = -1;
    for (int y = 0; y < cell.cy; ++y) {
        DWORD* row = RadioScanLine(bitmap, y);
        for (int x = 0; x < cell.cx; ++x)
            if ((row[x] & 0xFFFFFF) == 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    }
    if (right < 0) left = top = 0, right = cell.cx - 1, bottom = cell.cy - 1;
    width_ = right - left + 1;
    height_ = bottom - top + 1;

    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(r);
    DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    const DWORD dotPixel = RgbPixelOf(clWindowText);
    auto isDot = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < cell.cx && y < cell.cy && (RadioScanLine(bitmap, y)[x] & 0xFFFFFF) == dotPixel;
    };
    int vx = left + width_ / 2 - 1, vy = top + height_ / 2 - 2;
    int hx = left + width_ / 2 - 2, hy = top + height_ / 2 - 1;
    TRect dot{hx, vy, hx, vy};
    if (isDot(vx, vy) && isDot(hx, hy)) {
        int y0 = vy, y1 = vy, x0 = hx, x1 = hx;
        while (isDot(vx, y0 - 1)) --y0;
        while (isDot(vx, y1 + 1)) ++y1;
        while (isDot(x0 - 1, hy)) --x0;
        while (isDot(x1 + 1, hy)) ++x1;
        dot = TRect{x0, y0, x1 + 1, y1 + 1};
    } else {
        // No dot where the system draws one: a centred dot of a third of the button.
        int size = std::max(2, (width_ + 1) / 3);
        dot = CenteredRect(TRect{left, top, right + 1, bottom + 1}, size, size);
    }
    dot_ = ShiftRect(dot, -left, -top);
}

void TcxRadioButtonImageList::BuildTemplate() {
    const int w = width_, h = height_;
    template_.assign(size_t(w * h), rOutside);
    auto at = [&](int x, int y) -> Byte& { return template_[size_t(y * w + x)]; };
    auto lowerRight = [&](int x, int y, bool onDiagonalCounts) {
        long long left = (long long)(h - 1) * (w - 1 - x), right = (long long)y * (w - 1);
        return left < right || (left == right && onDiagonalCounts && x > w / 2 - 1);
    };

    TBitmap outline(w, h, pf32bit);
    TCanvas* canvas = outline.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, w, h});
    canvas->Pen()->SetColor(clBlack);
    canvas->RoundRect(0, 0, w, h, w - 1, h - 1);
    for (int y = 0; y < h; ++y) {
        DWORD* row = RadioScanLine(outline, y);
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xFFFFFF) == 0) at(x, y) = lowerRight(x, y, false) ? rOuterLowerRight : rOuterUpperLeft;
    }
    // The body: from the middle column outward to the outline, on every row but the first and last.
    for (int y = 1; y < h - 1; ++y) {
        if (at(w / 2, y) != rOutside) continue;
        for (int x = w / 2; x >= 0 && at(x, y) == rOutside; --x) at(x, y) = rBody;
        for (int x = w / 2 + 1; x < w && at(x, y) == rOutside; ++x) at(x, y) = rBody;
    }
    // The inner ring: the body pixels next to the outline, seen along rows and columns, and the
    // whole first and last rows and columns of the body.
    std::vector<std::pair<int, int>> ring;
    int firstRow = h, lastRow = -1, firstColumn = w, lastColumn = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (at(x, y) == rBody) {
                firstRow = std::min(firstRow, y), lastRow = std::max(lastRow, y);
                firstColumn = std::min(firstColumn, x), lastColumn = std::max(lastColumn, x);
            }
    for (int y = 0; y < h; ++y) {
        int x0 = -1, x1 = -1;
        for (int x = 0; x < w; ++x)
            if (at(x, y) == rBody) {
                if (x0 < 0) x0 = x;
                x1 = x;
                if (y == firstRow || y == lastRow) ring.emplace_back(x, y);
            }
        if (x0 >= 0) ring.emplace_back(x0, y), ring.emplace_back(x1, y);
    }
    for (int x = 0; x < w; ++x) {
        int y0 = -1, y1 = -1;
        for (int y = 0; y < h; ++y)
            if (at(x, y) == rBody) {
                if (y0 < 0) y0 = y;
                y1 = y;
                if (x == firstColumn || x == lastColumn) ring.emplace_back(x, y);
            }
        if (y0 >= 0) ring.emplace_back(x, y0), ring.emplace_back(x, y1);
    }
    for (auto [x, y] : ring) at(x, y) = lowerRight(x, y, true) ? rInnerLowerRight : rInnerUpperLeft;

    TBitmap dotShape(w, h, pf32bit);
    canvas = dotShape.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, w, h});
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clBlack);
    canvas->Ellipse(dot_);
    for (int y = 0; y < h; ++y) {
        DWORD* row = RadioScanLine(dotShape, y);
        for (int x = 0; x < w; ++x)
            if ((row[x] & 0xFFFFFF) == 0) at(x, y) = rDot;
    }
}

void TcxRadioButtonImageList::BuildMask() {
    delete mask_;
    mask_ = new TBitmap(width_, height_, pf1bit);
    TCanvas* canvas = mask_->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, width_, height_});
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clBlack);
    canvas->Ellipse(0, 0, width_, height_);
}

void TcxRadioButtonImageList::BuildImages() {
    images_->Clear();
    TBitmap image(width_, height_, pf32bit);
    for (int b = 0; b <= 1; ++b)
        for (int a = 0; a <= 1; ++a)
            for (int kind = lfFlat; kind <= lfOffice11; ++kind)
                for (int checked = 0; checked <= 1; ++checked)
                    for (int state = cxbsNormal; state <= cxbsDisabled; ++state) {
                        TRadioColors colors = RadioColorsOf(TcxLookAndFeelKind(kind), TcxButtonState(state),
                                                            checked != 0, a != 0, b != 0);
                        DWORD pixels[7];
                        for (int i = 0; i < 7; ++i) pixels[i] = RgbPixelOf(colors.role[i]);
                        for (int y = 0; y < height_; ++y) {
                            DWORD* row = RadioScanLine(image, y);
                            for (int x = 0; x < width_; ++x) row[x] = pixels[RoleAt(x, y)];
                        }
                        indexMap_[state + 8 * kind + 32 * a + 64 * b + 4 * checked - 1] = images_->Add(&image, mask_);
                    }
}

int TcxRadioButtonImageList::ImageIndex(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool focused,
                                        bool emphasized) const {
    // The default state has no image of its own; it was read outside the map before.
    if (state == cxbsDefault) state = cxbsNormal;
    return indexMap_[state + 8 * kind + 32 * int(focused) + 64 * int(emphasized) + 4 * int(checked) - 1];
}

void TcxRadioButtonImageList::Draw(TcxCanvas* canvas, int x, int y, TcxLookAndFeelKind kind, TcxButtonState state,
                                   bool checked, bool focused, bool emphasized, TColor backgroundColor) {
    int index = ImageIndex(kind, state, checked, focused, emphasized);
    if (backgroundColor == clDefault) {
        images_->Draw(canvas->Canvas(), x, y, index, dsTransparent, itImage);
        return;
    }
    TBitmap composed(width_, height_, pf32bit);
    composed.Canvas()->Brush()->SetColor(backgroundColor);
    composed.Canvas()->FillRect(TRect{0, 0, width_, height_});
    images_->Draw(composed.Canvas(), 0, 0, index, dsTransparent, itImage);
    canvas->Canvas()->Draw(x, y, &composed);
}

void TcxRadioButtonImageList::Reset() { BuildImages(); }

TcxRadioButtonImageList* RadioButtonImageList() {
    if (!sharedRadioButtonImages) sharedRadioButtonImages = new TcxRadioButtonImageList();
    return sharedRadioButtonImages;
}

void ResetRadioButtonImageList() {
    if (sharedRadioButtonImages) sharedRadioButtonImages->Reset();
}

void FreeRadioButtonImageList() {
    delete sharedRadioButtonImages;
    sharedRadioButtonImages = nullptr;
}
