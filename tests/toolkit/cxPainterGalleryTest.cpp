// Every built-in painter draws its buttons, check and radio boxes, arrows, headers, scroll-bar
// parts, grips and small buttons side by side, one painter a row. Each element must leave
// something on the canvas. With ZARNIK_PAINTER_GALLERY set to a file name the picture is saved
// there as a BMP, and the themed run saves the visual-style painter's row under
// ZARNIK_PAINTER_GALLERY_THEMED: scripts/painter-gallery.sh makes docs/painters.png that way.

#include <gtest/gtest.h>

#include <cstdlib>

#include "PainterTestSupport.h"
#include "SysUtils.h"
#include "dxThemeManager.h"
#include "cxFlatLookAndFeelPainter.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "cxStandardLookAndFeelPainter.h"
#include "cxUltraFlatLookAndFeelPainter.h"
#include "cxWinXPLookAndFeelPainter.h"

namespace {

using P = TcxLookAndFeelPainterClass;

struct TGalleryElement {
    const char* name;
    int width;
    std::function<void(P painter, TcxCanvas* canvas, const TRect& cell)> draw;
};

void GalleryHeaders(P p, TcxCanvas* c, const TRect& r) {
    const int w = RectWidth(r) / 3;
    const TcxButtonState states[] = {cxbsNormal, cxbsHot, cxbsPressed};
    for (int i = 0; i < 3; ++i) {
        TRect cell{r.left + i * w, r.top, r.left + (i + 1) * w, r.bottom};
        TcxNeighbors neighbors;
        if (i > 0) neighbors += nLeft;
        if (i < 2) neighbors += nRight;
        p->DrawHeaderCell(c, cell, InflateRectSides(cell, -3, -2, -14, -2), states[i], neighbors,
                          p->HeaderBorders(neighbors), taLeftJustify, vaCenter, false, true, L"Col", nullptr,
                          p->HeaderTextColor(), p->HeaderColor(), nullptr, i == 2);
        TSize mark = p->SortMarkSize();
        p->DrawSortMark(c, TRect{cell.right - 14, cell.top, cell.right - 14 + std::max(mark.cx, 10L), cell.bottom},
                        i != 1);
    }
}

void GalleryScrollBar(P p, TcxCanvas* c, const TRect& r) {
    const int x = r.left, y = r.top, w = 17, h = RectHeight(r);
    // A vertical bar with its arrow hot, and a horizontal bar beside it with a pressed arrow.
    p->DrawScrollBarElement(c, TRect{x, y, x + w, y + 17}, cxbsHot, false, sbpLineUp);
    p->DrawScrollBarElement(c, TRect{x, y + 17, x + w, y + 23}, cxbsNormal, false, sbpPageUp);
    p->DrawScrollBarElement(c, TRect{x, y + 23, x + w, y + h - 23}, cxbsNormal, false, sbpThumbnail);
    p->DrawScrollBarElement(c, TRect{x, y + h - 23, x + w, y + h - 17}, cxbsNormal, false, sbpPageDown);
    p->DrawScrollBarElement(c, TRect{x, y + h - 17, x + w, y + h}, cxbsNormal, false, sbpLineDown);
    const int hx = x + w + 4, hy = y + (h - 17) / 2;
    p->DrawScrollBarElement(c, TRect{hx, hy, hx + 17, hy + 17}, cxbsPressed, true, sbpLineUp);
    p->DrawScrollBarElement(c, TRect{hx + 17, hy, hx + 40, hy + 17}, cxbsPressed, true, sbpPageUp);
    p->DrawScrollBarElement(c, TRect{hx + 40, hy, hx + 60, hy + 17}, cxbsHot, true, sbpThumbnail);
    p->DrawScrollBarElement(c, TRect{hx + 60, hy, hx + 77, hy + 17}, cxbsNormal, true, sbpLineDown);
}

std::vector<TGalleryElement> GalleryElements() {
    auto centred = [](const TRect& cell, int w, int h) { return CenteredRect(cell, w, h); };
    return {
        {"buttons", 250,
         [=](P p, TcxCanvas* c, const TRect& r) {
             const TcxButtonState states[] = {cxbsNormal, cxbsHot, cxbsPressed, cxbsDefault, cxbsDisabled};
             const wchar_t* captions[] = {L"Normal", L"Hot", L"Pressed", L"Default", L"Off"};
             for (int i = 0; i < 5; ++i)
                 p->DrawCaptionButton(c, TRect{r.left + i * 50 + 2, r.top + 18, r.left + i * 50 + 48, r.bottom - 18},
                                      states[i], captions[i], true);
         }},
        {"check boxes", 60,
         [=](P p, TcxCanvas* c, const TRect& r) {
             const TcxCheckBoxState states[] = {cbsUnchecked, cbsChecked, cbsGrayed};
             TSize size = p->CheckBoxSize();
             for (int i = 0; i < 3; ++i)
                 p->DrawCheckBoxGlyph(
                     c, centred(TRect{r.left + i * 20, r.top, r.left + i * 20 + 20, r.bottom}, size.cx, size.cy),
                     i == 1 ? cxbsHot : cxbsNormal, states[i]);
         }},
        {"radio buttons", 60,
         [=](P p, TcxCanvas* c, const TRect& r) {
             TSize size = p->RadioButtonImageSize();
             for (int i = 0; i < 3; ++i) {
                 TRect box = centred(TRect{r.left + i * 20, r.top, r.left + i * 20 + 20, r.bottom}, size.cx, size.cy);
                 p->DrawRadioButton(c, box.left, box.top, i == 2 ? cxbsDisabled : cxbsNormal, i > 0, false, false);
             }
         }},
        {"arrow buttons", 84,
         [=](P p, TcxCanvas* c, const TRect& r) {
             for (int d = adUp; d <= adRight; ++d)
                 p->DrawArrowButton(c, centred(TRect{r.left + d * 21, r.top, r.left + d * 21 + 21, r.bottom}, 17, 17),
                                    d == adRight ? cxbsHot : cxbsNormal, TcxArrowDirection(d), true);
         }},
        {"headers", 180, [=](P p, TcxCanvas* c, const TRect& r) { GalleryHeaders(p, c, centred(r, 180, 20)); }},
        {"scroll bars", 106,
         [=](P p, TcxCanvas* c, const TRect& r) { GalleryScrollBar(p, c, InflateRectSides(r, 0, -1, 0, -1)); }},
        {"size grip", 24,
         [=](P p, TcxCanvas* c, const TRect& r) {
             TSize grip = p->SizeGripExtent();
             p->DrawSizeGripArea(c, centred(r, grip.cx, grip.cy), p->ContentColor());
         }},
        {"tree buttons and chevron", 60,
         [=](P p, TcxCanvas* c, const TRect& r) {
             int size = std::max(p->PlusMinusButtonSize(), 9);
             c->PushClipRegion();
             p->DrawPlusMinusButton(c, centred(TRect{r.left, r.top, r.left + 20, r.bottom}, size, size), clDefault,
                                    false);
             p->DrawPlusMinusButton(c, centred(TRect{r.left + 20, r.top, r.left + 40, r.bottom}, size, size), clDefault,
                                    true);
             c->PopClipRegion();
             p->DrawGroupChevronButton(c, centred(TRect{r.left + 40, r.top, r.left + 60, r.bottom}, 18, 18), cxbsHot,
                                       true);
         }},
        {"small buttons", 60,
         [=](P p, TcxCanvas* c, const TRect& r) {
             p->DrawFilterArrowButton(c, centred(TRect{r.left, r.top, r.left + 20, r.bottom}, 15, 18), cxbsNormal,
                                      true);
             p->DrawSmallCloseButton(c, centred(TRect{r.left + 20, r.top, r.left + 40, r.bottom}, 16, 15), cxbsHot);
             p->DrawNavigatorPushButton(c, centred(TRect{r.left + 40, r.top, r.left + 60, r.bottom}, 18, 18), cxbsHot);
         }},
    };
}

struct TGalleryRow {
    const char* name;
    P painter;
};

constexpr int kGalleryRowHeight = 60, kGalleryLabelWidth = 78, kGalleryGap = 6;

// Draws the rows and checks each element left its mark; returns the picture.
std::unique_ptr<TPaintSurface> DrawGallery(const std::vector<TGalleryRow>& rows) {
    std::vector<TGalleryElement> elements = GalleryElements();
    int width = kGalleryLabelWidth;
    for (const TGalleryElement& e : elements) width += e.width + kGalleryGap;
    auto gallery = std::make_unique<TPaintSurface>(width, kGalleryRowHeight * int(rows.size()), clBtnFace);
    TcxCanvas* canvas = gallery->Canvas();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int top = int(i) * kGalleryRowHeight;
        canvas->GetCanvasFont()->SetColor(clBtnText);
        canvas->GetCanvasBrush()->SetStyle(bsClear);
        canvas->DrawTextInRect(UTF8ToString(rows[i].name), TRect{4, top, kGalleryLabelWidth, top + kGalleryRowHeight},
                               cxAlignLeft | cxAlignVCenter | cxSingleLine);
        canvas->GetCanvasBrush()->SetStyle(bsSolid);
        int left = kGalleryLabelWidth;
        for (const TGalleryElement& e : elements) {
            TRect cell{left, top, left + e.width, top + kGalleryRowHeight};
            TPaintSurface alone(e.width, kGalleryRowHeight, clFuchsia);
            e.draw(rows[i].painter, alone.Canvas(), alone.Bounds());
            EXPECT_FALSE(alone.IsBlank(clFuchsia)) << rows[i].name << ": " << e.name;
            canvas->PushClipRegion();
            canvas->IntersectClipWithRect(cell);
            e.draw(rows[i].painter, canvas, cell);
            canvas->PopClipRegion();
            left += e.width + kGalleryGap;
        }
    }
    return gallery;
}

void SaveGalleryIfAsked(const char* variable, TPaintSurface& gallery) {
    if (const char* file = std::getenv(variable)) gallery.Bitmap()->SaveToFile(UTF8ToString(file));
}

TEST(cxPainterGallery, EveryPainterDrawsItsElements) {
    auto gallery = DrawGallery({{"Standard", TcxStandardLookAndFeelPainter::Instance()},
                                {"Flat", TcxFlatLookAndFeelPainter::Instance()},
                                {"Ultra-flat", TcxUltraFlatLookAndFeelPainter::Instance()},
                                {"Office 11", TcxOffice11LookAndFeelPainter::Instance()},
                                {"Native (off)", TcxWinXPLookAndFeelPainter::Instance()}});
    SaveGalleryIfAsked("ZARNIK_PAINTER_GALLERY", *gallery);
}

TEST(cxPainterGalleryThemed, NativePainterUnderTheLightTheme) {
    if (!AreThemesAvailable()) GTEST_SKIP() << "visual styles are off";
    auto gallery = DrawGallery(
        {{"Native", TcxWinXPLookAndFeelPainter::Instance()}, {"Office 11", TcxOffice11LookAndFeelPainter::Instance()}});
    SaveGalleryIfAsked("ZARNIK_PAINTER_GALLERY_THEMED", *gallery);
}

}  // namespace
