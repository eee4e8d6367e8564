// The gallery of the colour schemes: for each scheme a sheet with a ribbon-styled window put
// together from its operations (frame, caption and its buttons, quick access toolbar, tabs,
// groups with buttons, status bar; texts in the scheme's part colours), then every drawing
// operation in every state, at its natural size and stretched, and the low-colour forms. Every
// operation that draws must leave a mark. With ZARNIK_SKIN_GALLERY set to a folder, the sheets
// are saved there as <scheme>.bmp: scripts/skin-gallery.sh makes docs/skins/ that way.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "../bars/BarPainterFakes.h"
#include "SkinTestSupport.h"
#include "SysUtils.h"
#include "dxBarSkin.h"
#include "dxSkinLilian.h"
#include "dxSkinsdxBarPainter.h"
#include "dxOffice11.h"

namespace {

using TDraw = std::function<void(HDC, const TRect&)>;

constexpr DWORD kSheetColor = 0xFFF3F3F3;
constexpr int kSheetWidth = 1000, kMargin = 14, kLabelWidth = 236;

COLORREF Ref(TColor color) { return COLORREF(ColorToRGB(color)); }

// A sheet of cells, laid out row by row, with a small font for labels.
class TGallerySheet {
public:
    explicit TGallerySheet(int height) : dib_(kSheetWidth, height, kSheetColor) {
        font_ =
            CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
        bold_ =
            CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma");
        SetBkMode(dib_.DC(), TRANSPARENT);
    }
    ~TGallerySheet() {
        DeleteObject(font_);
        DeleteObject(bold_);
    }

    HDC DC() const { return dib_.DC(); }
    int Top() const { return y_; }
    void Skip(int pixels) { y_ += pixels; }

    void Text(const String& text, const TRect& r, TColor color, UINT flags = DT_LEFT | DT_VCENTER | DT_SINGLELINE,
              bool bold = false) {
        HGDIOBJ old = SelectObject(DC(), bold ? bold_ : font_);
        SetTextColor(DC(), Ref(color));
        TRect box = r;
        DrawTextW(DC(), text.c_str(), int(text.size()), &box, flags | DT_NOPREFIX);
        SelectObject(DC(), old);
    }

    int TextWidth(const String& text) {
        HGDIOBJ old = SelectObject(DC(), font_);
        SIZE size{};
        GetTextExtentPoint32W(DC(), text.c_str(), int(text.size()), &size);
        SelectObject(DC(), old);
        return size.cx;
    }

    void Heading(const String& text) {
        y_ += 10;
        Text(text, TRect{kMargin, y_, kSheetWidth - kMargin, y_ + 20}, 0x333333, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
             true);
        FillRectSolid(DC(), TRect{kMargin, y_ + 21, kSheetWidth - kMargin, y_ + 22}, 0xC8C8C8);
        y_ += 28;
    }

    // A row: the label, then cells (natural size first, stretched after) with their captions
    // below; a cell with `mustDraw` must change its pixels.
    struct TCell {
        TSize size;
        String caption;
        TDraw draw;
        bool mustDraw = true;
    };
    void Row(const String& label, const std::vector<TCell>& cells) {
        int x = kMargin + kLabelWidth, rowHeight = 0;
        const int top = y_;
        Text(label, TRect{kMargin, top, kMargin + kLabelWidth - 8, top + 16}, 0x333333);
        for (const TCell& cell : cells) {
            if (x + std::max<int>(cell.size.cx, TextWidth(cell.caption)) > kSheetWidth - kMargin) {  // wrap
                y_ += rowHeight + 16;
                x = kMargin + kLabelWidth;
                rowHeight = 0;
            }
            const TRect r{x, y_, x + cell.size.cx, y_ + cell.size.cy};
            CheckDraws(label, cell, r);
            cell.draw(DC(), r);
            SelectClipRgn(DC(), nullptr);
            const int captionWidth = TextWidth(cell.caption);
            Text(cell.caption, TRect{x, r.bottom + 1, x + captionWidth + 2, r.bottom + 14}, 0x777777,
                 DT_LEFT | DT_TOP | DT_SINGLELINE);
            x += std::max<int>(cell.size.cx, captionWidth) + 12;
            rowHeight = std::max<int>(rowHeight, cell.size.cy);
        }
        y_ += rowHeight + 22;
    }

    void Save(const String& folder, const String& name) const {
        // A 24-bit BMP of the used part of the sheet, bottom row first.
        const int width = dib_.Width(), height = y_ + kMargin;
        const int stride = (width * 3 + 3) & ~3;
        std::vector<Byte> data(size_t(stride) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const DWORD p = dib_.Pixel(x, y);
                Byte* out = &data[size_t(height - 1 - y) * stride + size_t(x) * 3];
                out[0] = Byte(p), out[1] = Byte(p >> 8), out[2] = Byte(p >> 16);
            }
        BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + data.size()), 0, 0,
                              DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
        BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, DWORD(data.size()), 0, 0, 0, 0};
        TFileStream out(folder + L"\\" + name + L".bmp", fmCreate);
        out.WriteBuffer(&file, sizeof(file));
        out.WriteBuffer(&info, sizeof(info));
        out.WriteBuffer(data.data(), Integer(data.size()));
    }

    // The marks checked are those of the atlas schemes; a skin-driven scheme's sheet is only drawn.
    void SetChecksMarks(bool value) { checksMarks_ = value; }

private:
    void CheckDraws(const String& label, const TCell& cell, const TRect& r) {
        if (!checksMarks_) return;
        constexpr DWORD kProbe = 0xFFFF00FF;
        TSkinDib alone(cell.size.cx + 8, cell.size.cy + 8, kProbe);
        cell.draw(alone.DC(), TRect{4, 4, 4 + cell.size.cx, 4 + cell.size.cy});
        SelectClipRgn(alone.DC(), nullptr);
        EXPECT_EQ(alone.ChangedFrom(kProbe), cell.mustDraw) << UTF8Encode(label) << " " << UTF8Encode(cell.caption);
    }

    TSkinDib dib_;
    HFONT font_, bold_;
    int y_ = kMargin;
    bool checksMarks_ = true;
};

using TCell = TGallerySheet::TCell;

// Cells of one operation over states: natural size then stretched.
std::vector<TCell> StateCells(TSize natural, TSize stretched, const std::vector<int>& states,
                              const std::function<void(HDC, const TRect&, int)>& draw,
                              const std::function<bool(int)>& draws = nullptr) {
    std::vector<TCell> cells;
    for (TSize size : {natural, stretched})
        for (int state : states)
            cells.push_back({size, L"s" + IntToStr(state), [=](HDC dc, const TRect& r) { draw(dc, r, state); },
                             draws ? draws(state) : true});
    return cells;
}

TCell Cell(TSize size, const String& caption, TDraw draw, bool mustDraw = true) {
    return TCell{size, caption, std::move(draw), mustDraw};
}

std::vector<int> Range(int first, int last) {
    std::vector<int> out;
    for (int i = first; i <= last; ++i) out.push_back(i);
    return out;
}

// A glyph standing in for an item's picture: a page with a coloured band.
void PictureGlyph(HDC dc, int x, int y, int size) {
    FillRectSolid(dc, TRect{x + 2, y, x + size - 2, y + size}, 0x8C7A6B);
    FillRectSolid(dc, TRect{x + 3, y + 1, x + size - 3, y + size - 1}, 0xFFFFFF);
    FillRectSolid(dc, TRect{x + 3, y + 1, x + size - 3, y + size / 3}, 0x3E9DE8);
    for (int line = y + size / 3 + 3; line < y + size - 3; line += 3)
        FillRectSolid(dc, TRect{x + 5, line, x + size - 5, line + 1}, 0xB8B0A8);
}

// ---- the window ----------------------------------------------------------------------------

void DrawWindow(TGallerySheet& sheet, TdxCustomRibbonSkin* s, bool active) {
    const int left = kMargin, top = sheet.Top(), width = kSheetWidth - 2 * kMargin, height = 330;
    const int saved = SaveDC(sheet.DC());
    SetViewportOrgEx(sheet.DC(), left, top, nullptr);
    HDC dc = sheet.DC();
    FormPaintData data{};
    data.IsActive = active;
    data.FormBounds = TRect{0, 0, width, height};
    data.BorderStyle = 2;
    const int caption = 30, statusTop = height - 23;
    // The client area first: the frame's bottom border is clipped away after it is drawn.
    FillRectSolid(dc, TRect{4, caption, width - 4, height}, 0xFFFFFF);
    s->DrawFormCaption(dc, TRect{0, 0, width, caption}, data);
    const TRect borders = s->GetWindowBordersWidth(true);
    s->DrawFormBorders(dc, borders, caption, data);
    SelectClipRgn(dc, nullptr);

    // Caption: the quick access toolbar beside the application button, the title, the buttons.
    s->DrawQuickAccessToolbar(dc, TRect{44, 3, 150, 27}, false, true, true, active, true);
    for (int i = 0; i < 3; ++i) {
        PictureGlyph(dc, 62 + i * 22, 8, 14);
    }
    s->DrawMarkArrow(dc, TRect{128, 5, 141, 26}, 0);
    sheet.Text(L"Уровень 1 - Редактор Zarnik", TRect{160, 0, width - 110, caption}, s->PartColor(10130, active ? 0 : 1),
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const TdxRibbonBorderIcon icons[] = {rbiMinimize, rbiMaximize, rbiClose};
    for (int i = 0; i < 3; ++i)
        s->DrawFormBorderIcon(dc, TRect{width - 84 + i * 26, 3, width - 59 + i * 26, 28}, icons[i],
                              active ? (i == 2 ? 1 : 0) : 3);

    // The tab row; the tabs are drawn after the groups area, whose top border they cover.
    const int tabsTop = caption, tabsBottom = caption + 24;
    s->DrawRibbonBackground(dc, TRect{4, tabsTop, width - 4, tabsBottom + 100});
    const TRect area{6, tabsBottom, width - 6, tabsBottom + 98};
    s->DrawTabGroupsArea(dc, area);
    const struct {
        const wchar_t* text;
        int state, fontState;
    } tabs[] = {{L"Главная", 2, 3}, {L"Вид", 1, 2}, {L"Вставка", 0, 0}};
    int tabLeft = 60;
    for (const auto& tab : tabs) {
        const TRect r{tabLeft, tabsTop + 2, tabLeft + 76, tabsBottom + 1};
        s->DrawTab(dc, r, tab.state);
        sheet.Text(tab.text, TRect{r.left, r.top, r.right, r.bottom - 1}, s->PartColor(10132, tab.fontState),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        tabLeft += 78;
    }
    s->DrawTabSeparator(dc, TRect{tabLeft + 1, tabsTop + 2, tabLeft + 2, tabsBottom}, 255);
    s->DrawHelpButton(dc, TRect{width - 30, tabsTop + 2, width - 8, tabsBottom}, 1);
    s->DrawHelpButtonGlyph(dc, TRect{width - 30, tabsTop + 2, width - 8, tabsBottom});
    s->DrawApplicationButton(dc, TRect{6, 4, 48, 46}, 0);
    PictureGlyph(dc, 18, 16, 18);

    // The groups.
    const int groupTop = area.top + 3, groupBottom = area.bottom - 4, captionHeight = 17;
    auto group = [&](int x0, int x1, const wchar_t* name, int state) {
        s->DrawTabGroupBackground(dc, TRect{x0, groupTop, x1, groupBottom - captionHeight}, state);
        const TRect band{x0, groupBottom - captionHeight, x1, groupBottom};
        s->DrawTabGroupHeaderBackground(dc, band, state);
        sheet.Text(name, band, s->PartColor(10134, 0), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    };
    group(10, 262, L"Уровень", 2);
    group(266, 490, L"Блоки", 0);
    group(494, 650, L"Вид", 0);
    s->DrawGroupLaunchButtonGlyph(dc, TRect{246, groupBottom - 15, 258, groupBottom - 3}, 0);
    const TColor text = s->PartColor(10133, 0);
    const struct {
        const wchar_t* text;
        int state;
    } large[] = {{L"Создать", 0}, {L"Открыть", 2}, {L"Сохранить", 4}, {L"Сетка", 5}};
    for (int i = 0; i < 4; ++i) {
        const TRect r{14 + i * 61, groupTop + 2, 73 + i * 61, groupBottom - captionHeight - 2};
        s->DrawLargeButton(dc, r, large[i].state);
        PictureGlyph(dc, r.left + 9, r.top + 4, 32);
        sheet.Text(large[i].text, TRect{r.left, r.top + 40, r.right, r.bottom}, text,
                   DT_CENTER | DT_TOP | DT_SINGLELINE);
    }
    const struct {
        const wchar_t* text;
        int state;
    } small[] = {{L"Добавить", 0}, {L"Удалить", 2}, {L"Повернуть", 4}, {L"Свет", 5}, {L"Робот", 7}, {L"Камера", 1}};
    for (int i = 0; i < 6; ++i) {
        const int x = 270 + (i / 3) * 110, y = groupTop + 3 + (i % 3) * 23;
        const TRect r{x, y, x + 104, y + 22};
        s->DrawButton(dc, r, small[i].state);
        PictureGlyph(dc, x + 3, y + 3, 16);
        sheet.Text(small[i].text, TRect{x + 23, y, r.right, r.bottom},
                   small[i].state == 1 ? s->PartColor(335, 1) : text);
    }
    // A button group and a split button.
    int x = 500;
    const int y = groupTop + 4;
    s->DrawButtonGroupBorderLeft(dc, TRect{x, y, x + 2, y + 22});
    x += 2;
    for (int i = 0; i < 3; ++i) {
        s->DrawButtonGroupButton(dc, TRect{x, y, x + 24, y + 22}, i == 1 ? 2 : 0);
        PictureGlyph(dc, x + 4, y + 3, 16);
        x += 24;
        if (i < 2) {
            s->DrawButtonGroupSeparator(dc, TRect{x, y, x + 1, y + 22}, i == 0 ? 2 : 0);
            x += 1;
        }
    }
    s->DrawButtonGroupBorderRight(dc, TRect{x, y, x + 2, y + 22});
    s->DrawSplitButtonLeft(dc, TRect{500, y + 26, 580, y + 48}, 2);
    s->DrawSplitButtonRight(dc, TRect{580, y + 26, 594, y + 48}, 3);
    PictureGlyph(dc, 503, y + 29, 16);
    sheet.Text(L"Масштаб", TRect{523, y + 26, 580, y + 48}, text);
    s->DrawButtonArrow(dc, TRect{585, y + 35, 590, y + 39}, 2);
    s->DrawCollapsedGroup(dc, TRect{656, groupTop, 714, groupBottom}, 2);
    PictureGlyph(dc, 675, groupTop + 8, 20);
    sheet.Text(L"Свет", TRect{656, groupTop + 40, 714, groupTop + 58}, text, DT_CENTER | DT_TOP | DT_SINGLELINE);
    s->DrawArrowDown(dc, TRect{681, groupTop + 60, 688, groupTop + 64});
    s->DrawInRibbonGalleryPane(dc, TRect{722, groupTop + 4, 860, groupTop + 64}, 0);
    s->DrawInRibbonGalleryScrollButton(dc, TRect{860, groupTop + 4, 875, groupTop + 24}, 0, 0);
    s->DrawInRibbonGalleryScrollButton(dc, TRect{860, groupTop + 24, 875, groupTop + 44}, 1, 2);
    s->DrawInRibbonGalleryScrollButton(dc, TRect{860, groupTop + 44, 875, groupTop + 64}, 2, 0);
    for (int i = 0; i < 5; ++i) PictureGlyph(dc, 728 + i * 26, groupTop + 14, 22);
    s->DrawRibbonBottomBorder(dc, TRect{4, area.bottom, width - 4, area.bottom + 2});

    // A menu dropped down from the client area, with a screen tip.
    const TRect menu{560, 180, 760, 290};
    s->DrawDropDownBorder(dc, menu);
    s->DrawMenuGlyphStrip(dc, TRect{menu.left + 2, menu.top + 2, menu.left + 28, menu.bottom - 2});
    s->DrawMenuContent(dc, TRect{menu.left + 28, menu.top + 2, menu.right - 2, menu.bottom - 2});
    const TColor menuText = s->PartColor(362, 0);
    const wchar_t* items[] = {L"Показать сетку", L"Показать оси", L"Освещение", L"Свойства..."};
    for (int i = 0; i < 4; ++i) {
        const int iy = menu.top + 4 + i * 24 + (i == 3 ? 6 : 0);
        const TRect item{menu.left + 3, iy, menu.right - 3, iy + 22};
        if (i == 2) s->DrawButton(dc, item, 2);
        if (i < 2) {
            s->DrawMenuCheck(dc, TRect{item.left + 2, iy + 2, item.left + 22, iy + 20}, 0);
            s->DrawMenuCheckMark(dc, TRect{item.left + 2, iy + 1, item.left + 22, iy + 21}, 0);
        }
        sheet.Text(items[i], TRect{menu.left + 36, iy, menu.right - 6, iy + 22},
                   i == 3 ? s->PartColor(362, 1) : menuText);
    }
    s->DrawMenuSeparatorHorz(dc, TRect{menu.left + 30, menu.top + 79, menu.right - 4, menu.top + 81});
    s->DrawScreenTip(dc, TRect{300, 190, 520, 250});
    sheet.Text(L"Открыть уровень", TRect{308, 194, 516, 212}, 0x4C4C4C, DT_LEFT | DT_VCENTER | DT_SINGLELINE, true);
    sheet.Text(L"Открывает файл уровня с диска.", TRect{308, 214, 516, 232}, 0x4C4C4C);
    s->DrawProgressBorder(dc, TRect{40, 200, 240, 214});
    s->DrawProgressSolidBand(dc, TRect{42, 202, 150, 212});
    s->DrawProgressBorder(dc, TRect{40, 222, 240, 236});
    for (int i = 0; i < 9; ++i) s->DrawProgressDiscreteBand(dc, TRect{42 + i * 9, 224, 50 + i * 9, 234});

    // The status bar.
    s->DrawFormStatusBarBorder(dc, TRect{0, statusTop, 4, height - 1}, true, active, 0, false);
    s->DrawFormStatusBarBorder(dc, TRect{width - 4, statusTop, width, height - 1}, false, active, 0, false);
    s->DrawStatusBar(dc, TRect{4, statusTop, width - 4, height - 1});
    s->DrawStatusBarPanel(dc, TRect{}, TRect{4, statusTop, 200, height - 1}, true);
    sheet.Text(L"Готово", TRect{12, statusTop + 2, 200, height - 1}, s->PartColor(10138, 0));
    s->DrawStatusBarPanelSeparator(dc, TRect{200, statusTop, 203, height - 1});
    s->DrawStatusBarPanel(dc, TRect{}, TRect{203, statusTop, 360, height - 1}, false);
    sheet.Text(L"Блоков: 12", TRect{211, statusTop + 2, 360, height - 1}, s->PartColor(10138, 0));
    s->DrawStatusBarToolbarSeparator(dc, TRect{360, statusTop, 362, height - 1});
    s->DrawStatusBarSizeGripBackground(dc, TRect{width - 24, statusTop, width - 4, height - 1});
    s->DrawStatusBarSizeGrip(dc, TRect{width - 20, statusTop + 2, width - 6, height - 3});
    RestoreDC(sheet.DC(), saved);
    sheet.Skip(height + 12);
}

// ---- the operations ------------------------------------------------------------------------

FormPaintData FormOf(const TRect& r, bool active, Byte windowState = 0, Byte borderStyle = 2) {
    FormPaintData data{};
    data.IsActive = active;
    data.FormBounds = r;
    data.WindowState = windowState;
    data.BorderStyle = borderStyle;
    return data;
}

void DrawOperations(TGallerySheet& sheet, TdxCustomRibbonSkin* s) {
    using std::placeholders::_1;
    sheet.Heading(L"Frame and caption");
    sheet.Row(
        L"DrawFormCaption",
        {
            Cell({14, 31}, L"active", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, true)); }),
            Cell({14, 31}, L"inactive", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, false)); }),
            Cell({200, 31}, L"active", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, true)); }),
            Cell({200, 31}, L"inactive", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, false)); }),
            Cell({200, 26}, L"maximized",
                 [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, true, 2)); }),
            Cell({160, 26}, L"minimized",
                 [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, true, 1)); }),
        });
    auto frame = [=](bool active, int bottom, Byte style) {
        return [=](HDC dc, const TRect& r) {
            const int saved = SaveDC(dc);
            SetViewportOrgEx(dc, r.left, r.top, nullptr);
            const TRect bounds{0, 0, RectWidth(r), RectHeight(r)};
            s->DrawFormBorders(dc, TRect{4, 0, 4, bottom}, 24, FormOf(bounds, active, 0, style));
            RestoreDC(dc, saved);
        };
    };
    sheet.Row(L"DrawFormBorders", {
                                      Cell({100, 70}, L"active", frame(true, 4, 2)),
                                      Cell({100, 70}, L"inactive", frame(false, 4, 2)),
                                      Cell({100, 70}, L"status bar", frame(true, 1, 2)),
                                      Cell({100, 70}, L"dialog", frame(true, 4, 3)),
                                      Cell({180, 110}, L"stretched", frame(true, 4, 2)),
                                  });
    for (int icon = 0; icon <= 4; ++icon) {
        const wchar_t* names[] = {L"minimize", L"maximize", L"restore", L"close", L"help"};
        sheet.Row(
            String(L"DrawFormBorderIcon ") + names[icon],
            StateCells({25, 25}, {36, 30}, Range(0, 4), [=](HDC dc, const TRect& r, int state) {
                // Over the caption they stand on: states 3 and 4 are an inactive window's.
                s->DrawFormCaption(dc, TRect{r.left - 3, r.top - 3, r.right + 3, r.bottom + 3}, FormOf(r, state < 3));
                s->DrawFormBorderIcon(dc, r, TdxRibbonBorderIcon(icon), state);
            }));
    }
    std::vector<TCell> statusFrames;
    for (int k = 0; k < 8; ++k) {
        const bool left = k < 4, dialog = k % 2 == 1, active = (k / 2) % 2 == 0;
        statusFrames.push_back(
            Cell({4, 22}, String(left ? L"L" : L"R") + (dialog ? L"d" : L"") + (active ? L"" : L"i"),
                 [=](HDC dc, const TRect& r) { s->DrawFormStatusBarBorder(dc, r, left, active, 0, dialog); }));
        statusFrames.push_back(Cell({4, 40}, L"k1", [=](HDC dc, const TRect& r) {
            s->DrawFormStatusBarBorder(dc, r, left, active, 1, dialog);
        }));
    }
    sheet.Row(L"DrawFormStatusBarBorder", statusFrames);
    sheet.Row(L"DrawRibbonTopFrameArea",
              {Cell({2, 30}, L"", [=](HDC dc, const TRect& r) { s->DrawRibbonTopFrameArea(dc, r); }),
               Cell({200, 30}, L"", [=](HDC dc, const TRect& r) { s->DrawRibbonTopFrameArea(dc, r); })});

    sheet.Heading(L"Application button and menu");
    sheet.Row(L"DrawApplicationButton", StateCells({42, 42}, {56, 56}, {0, 1, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawApplicationButton(dc, r, st);
              }));
    sheet.Row(L"DrawApplicationMenuBorder",
              {Cell({8, 8}, L"", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuBorder(dc, r); }),
               Cell({160, 70}, L"", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuBorder(dc, r); })});
    sheet.Row(
        L"Header, footer",
        {
            Cell({2, 14}, L"header", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuContentHeader(dc, r); }),
            Cell({160, 14}, L"header", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuContentHeader(dc, r); }),
            Cell({2, 25}, L"footer", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuContentFooter(dc, r); }),
            Cell({160, 25}, L"footer", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuContentFooter(dc, r); }),
        });
    sheet.Row(L"DrawApplicationMenuButton", StateCells({6, 22}, {90, 22}, {0, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawApplicationMenuButton(dc, r, st);
              }));

    sheet.Heading(L"Tabs and groups");
    sheet.Row(L"DrawTab", StateCells({24, 23}, {80, 23}, Range(0, 4), [=](HDC dc, const TRect& r, int st) {
                  s->DrawRibbonBackground(dc, r);
                  s->DrawTab(dc, r, st);
              }));
    // Over the tab row, where it stands.
    auto separator = [=](Byte alpha) {
        return [=](HDC dc, const TRect& r) {
            s->DrawRibbonBackground(dc, TRect{r.left - 6, r.top, r.right + 6, r.bottom});
            s->DrawTabSeparator(dc, r, alpha);
        };
    };
    sheet.Row(L"DrawTabSeparator", {Cell({1, 22}, L"255", separator(255)), Cell({1, 40}, L"255", separator(255)),
                                    Cell({1, 40}, L"100", separator(100))});
    auto scrollCells = [=](TSize natural, TSize stretched, bool tab) {
        std::vector<TCell> cells;
        for (bool isLeft : {true, false}) {
            auto more = StateCells(natural, stretched, {0, 2, 4}, [=](HDC dc, const TRect& r, int st) {
                if (tab)
                    s->DrawTabScrollButton(dc, r, isLeft, st);
                else
                    s->DrawGroupScrollButton(dc, r, isLeft, st);
            });
            cells.insert(cells.end(), more.begin(), more.end());
        }
        return cells;
    };
    sheet.Row(L"DrawTabScrollButton", scrollCells({9, 24}, {14, 36}, true));
    sheet.Row(L"DrawGroupScrollButton", scrollCells({8, 92}, {12, 110}, false));
    sheet.Row(L"DrawTabGroupsArea",
              {Cell({11, 92}, L"", [=](HDC dc, const TRect& r) { s->DrawTabGroupsArea(dc, r); }),
               Cell({300, 100}, L"", [=](HDC dc, const TRect& r) { s->DrawTabGroupsArea(dc, r); })});
    sheet.Row(L"DrawTabGroupBackground",
              StateCells(
                  {8, 68}, {110, 80}, {0, 1, 2},
                  [=](HDC dc, const TRect& r, int st) { s->DrawTabGroupBackground(dc, r, st); },
                  [](int st) { return st != 1; }));
    sheet.Row(L"DrawTabGroupHeaderBackground",
              StateCells(
                  {8, 17}, {110, 17}, {0, 1, 2},
                  [=](HDC dc, const TRect& r, int st) { s->DrawTabGroupHeaderBackground(dc, r, st); },
                  [](int st) { return st != 1; }));
    sheet.Row(L"DrawCollapsedGroup", StateCells({7, 85}, {56, 85}, Range(0, 4), [=](HDC dc, const TRect& r, int st) {
                  s->DrawCollapsedGroup(dc, r, st);
              }));
    sheet.Row(L"DrawCollapsedGroupGlyphBackground",
              StateCells({10, 31}, {32, 32}, {0, 2, 3, 4},
                         [=](HDC dc, const TRect& r, int st) { s->DrawCollapsedGroupGlyphBackground(dc, r, st); }));
    sheet.Row(L"DrawGroupLaunchButtonBackground",
              StateCells(
                  {15, 14}, {30, 20}, {0, 2, 3, 4},
                  [=](HDC dc, const TRect& r, int st) { s->DrawGroupLaunchButtonBackground(dc, r, st); },
                  [](int st) { return st != 0; }));
    sheet.Row(L"DrawGroupLaunchButtonGlyph",
              StateCells({12, 12}, {20, 20}, Range(0, 4),
                         [=](HDC dc, const TRect& r, int st) { s->DrawGroupLaunchButtonGlyph(dc, r, st); }));

    sheet.Heading(L"Quick access toolbar");
    auto qat = [=](bool below, bool inCaption, bool app, bool active) {
        return [=](HDC dc, const TRect& r) {
            if (inCaption)
                s->DrawFormCaption(dc, TRect{r.left - 4, r.top - 3, r.right + 4, r.bottom + 4}, FormOf(r, active));
            s->DrawQuickAccessToolbar(dc, r, below, inCaption, app, active, true);
        };
    };
    sheet.Row(L"DrawQuickAccessToolbar", {
                                             Cell({140, 24}, L"in caption", qat(false, true, true, true)),
                                             Cell({140, 24}, L"inactive", qat(false, true, true, false)),
                                             Cell({140, 24}, L"no application button", qat(false, true, false, true)),
                                             Cell({200, 26}, L"below the ribbon", qat(true, false, true, true)),
                                             Cell({20, 24}, L"20 x 24: nothing", qat(false, false, true, true), false),
                                         });
    for (bool active : {true, false})
        sheet.Row(
            active ? L"QAT group button (active)" : L"QAT group button",
            StateCells({22, 22}, {30, 30}, {0, 1, 2, 3, 4, 5, 8}, [=](HDC dc, const TRect& r, int st) {
                // Shown over the caption, where they stand.
                s->DrawFormCaption(dc, TRect{r.left - 3, r.top - 3, r.right + 3, r.bottom + 3}, FormOf(r, active));
                s->DrawQuickAccessToolbarGroupButton(dc, r, false, true, active, st);
            }));
    sheet.Row(
        L"Group button glyph, popup",
        {
            Cell({16, 16}, L"glyph", [=](HDC dc, const TRect& r) { s->DrawQuickAccessToolbarGroupButtonGlyph(dc, r); }),
            Cell({6, 28}, L"popup", [=](HDC dc, const TRect& r) { s->DrawQuickAccessToolbarPopup(dc, r); }),
            Cell({160, 28}, L"popup", [=](HDC dc, const TRect& r) { s->DrawQuickAccessToolbarPopup(dc, r); }),
        });
    sheet.Row(L"DrawMarkArrow", StateCells({13, 22}, {20, 35}, {0, 2, 4},
                                           [=](HDC dc, const TRect& r, int st) { s->DrawMarkArrow(dc, r, st); }));
    sheet.Row(L"DrawMarkTruncated", StateCells({13, 22}, {20, 35}, {0, 2, 4}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawMarkTruncated(dc, r, st);
              }));

    sheet.Heading(L"Help and MDI buttons, background");
    sheet.Row(L"DrawHelpButton + glyph", StateCells({22, 22}, {30, 30}, {0, 1, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawHelpButton(dc, r, st);
                  s->DrawHelpButtonGlyph(dc, r);
              }));
    for (int button = 0; button <= 2; ++button)
        sheet.Row(L"DrawMDIButton " + IntToStr(button),
                  StateCells({17, 17}, {24, 24}, Range(0, 3), [=](HDC dc, const TRect& r, int st) {
                      s->DrawMDIButton(dc, r, button, st);
                      s->DrawMDIButtonGlyph(dc, r, button, st);
                  }));
    sheet.Row(L"Background, bottom border",
              {
                  Cell({120, 24}, L"background", [=](HDC dc, const TRect& r) { s->DrawRibbonBackground(dc, r); }),
                  Cell({120, 2}, L"bottom border", [=](HDC dc, const TRect& r) { s->DrawRibbonBottomBorder(dc, r); }),
              });

    sheet.Heading(L"Galleries");
    sheet.Row(L"DrawInRibbonGalleryPane", StateCells({60, 40}, {140, 60}, {0, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawInRibbonGalleryPane(dc, r, st);
              }));
    for (int kind = 0; kind <= 2; ++kind)
        sheet.Row(L"Gallery scroll button " + IntToStr(kind),
                  StateCells({15, 20}, {20, 28}, {0, 1, 2, 4}, [=](HDC dc, const TRect& r, int st) {
                      s->DrawInRibbonGalleryScrollButton(dc, r, kind, st);
                  }));
    sheet.Row(
        L"Drop-down gallery",
        {
            Cell({140, 40}, L"background", [=](HDC dc, const TRect& r) { s->DrawDropDownGalleryBackground(dc, r); }),
            Cell({4, 13}, L"filter", [=](HDC dc, const TRect& r) { s->DrawDropDownGalleryFilterPanel(dc, r); }),
            Cell({140, 20}, L"filter panel", [=](HDC dc, const TRect& r) { s->DrawDropDownGalleryFilterPanel(dc, r); }),
            Cell({4, 4}, L"group", [=](HDC dc, const TRect& r) { s->DrawDropDownGalleryGroupHeader(dc, r); }),
            Cell({140, 18}, L"group header", [=](HDC dc, const TRect& r) { s->DrawDropDownGalleryGroupHeader(dc, r); }),
        });
    sheet.Row(L"Size panels and grips",
              {
                  Cell({4, 11}, L"top", [=](HDC dc, const TRect& r) { s->DrawDropDownGallerySizePanelTop(dc, r); }),
                  Cell({140, 11}, L"top panel + grip",
                       [=](HDC dc, const TRect& r) {
                           s->DrawDropDownGallerySizePanelTop(dc, r);
                           s->DrawDropDownGallerySizeGripTop(dc, r);
                       }),
                  Cell({140, 11}, L"bottom panel + grip",
                       [=](HDC dc, const TRect& r) {
                           s->DrawDropDownGallerySizePanelBottom(dc, r);
                           s->DrawDropDownGallerySizeGripBottom(dc, r);
                       }),
                  Cell({140, 8}, L"vertical grip top",
                       [=](HDC dc, const TRect& r) {
                           s->DrawDropDownGallerySizePanelTop(dc, r);
                           s->DrawDropDownGalleryVerticalSizeGripTop(dc, r);
                       }),
                  Cell({140, 8}, L"vertical grip bottom",
                       [=](HDC dc, const TRect& r) {
                           s->DrawDropDownGallerySizePanelBottom(dc, r);
                           s->DrawDropDownGalleryVerticalSizeGripBottom(dc, r);
                       }),
              });

    sheet.Heading(L"Buttons");
    auto buttonStates = Range(0, 8);
    auto hotOnly = [](int st) { return st >= 2; };
    sheet.Row(L"DrawButton", StateCells(
                                 {22, 22}, {64, 26}, buttonStates,
                                 [=](HDC dc, const TRect& r, int st) { s->DrawButton(dc, r, st); }, hotOnly));
    sheet.Row(L"DrawSplitButtonLeft + Right",
              StateCells(
                  {41, 22}, {80, 26}, buttonStates,
                  [=](HDC dc, const TRect& r, int st) {
                      s->DrawSplitButtonLeft(dc, TRect{r.left, r.top, r.right - 12, r.bottom}, st);
                      s->DrawSplitButtonRight(dc, TRect{r.right - 12, r.top, r.right, r.bottom}, st);
                  },
                  hotOnly));
    sheet.Row(L"DrawLargeButton", StateCells(
                                      {42, 66}, {56, 80}, buttonStates,
                                      [=](HDC dc, const TRect& r, int st) { s->DrawLargeButton(dc, r, st); }, hotOnly));
    sheet.Row(L"DrawLargeSplitButtonTop + Bottom",
              StateCells(
                  {42, 66}, {56, 80}, buttonStates,
                  [=](HDC dc, const TRect& r, int st) {
                      const int split = r.top + RectHeight(r) * 39 / 66;
                      s->DrawLargeSplitButtonTop(dc, TRect{r.left, r.top, r.right, split}, st);
                      s->DrawLargeSplitButtonBottom(dc, TRect{r.left, split, r.right, r.bottom}, st);
                  },
                  hotOnly));
    sheet.Row(L"Button group", StateCells({58, 22}, {100, 26}, buttonStates, [=](HDC dc, const TRect& r, int st) {
                  const int third = (RectWidth(r) - 5) / 3;
                  int x = r.left;
                  s->DrawButtonGroupBorderLeft(dc, TRect{x, r.top, x + 2, r.bottom});
                  x += 2;
                  s->DrawButtonGroupButton(dc, TRect{x, r.top, x + third, r.bottom}, 0);
                  x += third;
                  s->DrawButtonGroupSeparator(dc, TRect{x, r.top, x + 1, r.bottom}, st);
                  x += 1;
                  s->DrawButtonGroupButton(dc, TRect{x, r.top, x + third, r.bottom}, st);
                  x += third;
                  s->DrawButtonGroupSplitButtonSeparator(dc, TRect{x, r.top, x + 2, r.bottom}, st);
                  x += 2;
                  s->DrawButtonGroupButton(dc, TRect{x, r.top, r.right - 2, r.bottom}, 0);
                  s->DrawButtonGroupBorderRight(dc, TRect{r.right - 2, r.top, r.right, r.bottom});
              }));
    sheet.Row(L"DrawEditButton", StateCells({12, 20}, {17, 24}, {0, 1, 2, 3, 4, 5, 8},
                                            [=](HDC dc, const TRect& r, int st) { s->DrawEditButton(dc, r, st); }));
    sheet.Row(
        L"Edit and spin buttons",
        {
            Cell(
                {17, 20}, L"drop-down", [=](HDC dc, const TRect& r) { s->DrawEditDropDownButton(dc, r, 2); }, false),
            Cell(
                {17, 20}, L"ellipsis", [=](HDC dc, const TRect& r) { s->DrawEditEllipsisButton(dc, r, 2); }, false),
            Cell(
                {17, 10}, L"spin up", [=](HDC dc, const TRect& r) { s->DrawSpinUpButton(dc, r, 2); }, false),
            Cell(
                {17, 10}, L"spin down", [=](HDC dc, const TRect& r) { s->DrawSpinDownButton(dc, r, 2); }, false),
        });

    sheet.Heading(L"Arrows");
    sheet.Row(L"DrawButtonArrow", StateCells({5, 4}, {9, 6}, buttonStates,
                                             [=](HDC dc, const TRect& r, int st) { s->DrawButtonArrow(dc, r, st); }));
    sheet.Row(L"Arrows", {
                             Cell({7, 4}, L"down", [=](HDC dc, const TRect& r) { s->DrawArrowDown(dc, r); }),
                             Cell({11, 6}, L"down", [=](HDC dc, const TRect& r) { s->DrawArrowDown(dc, r); }),
                             Cell({4, 7}, L"right", [=](HDC dc, const TRect& r) { s->DrawArrowRight(dc, r); }),
                             Cell({6, 11}, L"right", [=](HDC dc, const TRect& r) { s->DrawArrowRight(dc, r); }),
                             Cell({5, 3}, L"scroll", [=](HDC dc, const TRect& r) { s->DrawScrollArrow(dc, r); }),
                             Cell({9, 5}, L"scroll", [=](HDC dc, const TRect& r) { s->DrawScrollArrow(dc, r); }),
                         });

    sheet.Heading(L"Menus");
    sheet.Row(L"Menu pieces",
              {
                  Cell({8, 8}, L"border", [=](HDC dc, const TRect& r) { s->DrawDropDownBorder(dc, r); }),
                  Cell({120, 60}, L"border", [=](HDC dc, const TRect& r) { s->DrawDropDownBorder(dc, r); }),
                  Cell({3, 4}, L"strip", [=](HDC dc, const TRect& r) { s->DrawMenuGlyphStrip(dc, r); }),
                  Cell({26, 60}, L"strip", [=](HDC dc, const TRect& r) { s->DrawMenuGlyphStrip(dc, r); }),
                  Cell({3, 4}, L"content", [=](HDC dc, const TRect& r) { s->DrawMenuContent(dc, r); }),
                  Cell({90, 60}, L"content", [=](HDC dc, const TRect& r) { s->DrawMenuContent(dc, r); }),
                  Cell({90, 2}, L"separator", [=](HDC dc, const TRect& r) { s->DrawMenuSeparatorHorz(dc, r); }),
                  Cell({2, 40}, L"separator", [=](HDC dc, const TRect& r) { s->DrawMenuSeparatorVert(dc, r); }),
                  Cell({16, 16}, L"mark", [=](HDC dc, const TRect& r) { s->DrawMenuMarkGlyph(dc, r); }),
              });
    sheet.Row(L"DrawMenuDetachCaption", StateCells({5, 5}, {90, 8}, {0, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawMenuDetachCaption(dc, r, st);
              }));
    sheet.Row(L"DrawMenuCheck + CheckMark", StateCells({20, 20}, {26, 26}, {0, 1}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawMenuCheck(dc, r, st);
                  s->DrawMenuCheckMark(dc, r, st);
              }));
    sheet.Row(
        L"DrawMenuScrollButton", StateCells({6, 12}, {90, 14}, {0, 2, 4}, [=](HDC dc, const TRect& r, int st) {
            s->DrawMenuScrollButton(dc, r, st);
            s->DrawScrollArrow(dc, TRect{(r.left + r.right) / 2 - 2, r.top + 5, (r.left + r.right) / 2 + 3, r.top + 8});
        }));

    sheet.Heading(L"Progress bar and screen tip");
    sheet.Row(L"Progress",
              {
                  Cell({7, 7}, L"border", [=](HDC dc, const TRect& r) { s->DrawProgressBorder(dc, r); }),
                  Cell({86, 8}, L"solid", [=](HDC dc, const TRect& r) { s->DrawProgressSolidBand(dc, r); }),
                  Cell({5, 8}, L"block", [=](HDC dc, const TRect& r) { s->DrawProgressDiscreteBand(dc, r); }),
                  Cell({200, 16}, L"solid, 60 %",
                       [=](HDC dc, const TRect& r) {
                           s->DrawProgressBorder(dc, r);
                           s->DrawProgressSolidBand(dc, TRect{r.left + 2, r.top + 2, r.left + 2 + 118, r.bottom - 2});
                       }),
                  Cell({200, 16}, L"blocks",
                       [=](HDC dc, const TRect& r) {
                           s->DrawProgressBorder(dc, r);
                           for (int i = 0; i < 12; ++i)
                               s->DrawProgressDiscreteBand(
                                   dc, TRect{r.left + 2 + i * 9, r.top + 2, r.left + 10 + i * 9, r.bottom - 2});
                       }),
              });
    sheet.Row(L"DrawScreenTip", {Cell({6, 165}, L"", [=](HDC dc, const TRect& r) { s->DrawScreenTip(dc, r); }),
                                 Cell({220, 70}, L"", [=](HDC dc, const TRect& r) { s->DrawScreenTip(dc, r); })});

    sheet.Heading(L"Status bar");
    sheet.Row(L"Status bar",
              {
                  Cell({2, 22}, L"bar", [=](HDC dc, const TRect& r) { s->DrawStatusBar(dc, r); }),
                  Cell({120, 22}, L"bar", [=](HDC dc, const TRect& r) { s->DrawStatusBar(dc, r); }),
                  Cell({120, 22}, L"lowered", [=](HDC dc, const TRect& r) { s->DrawStatusBarPanel(dc, r, r, true); }),
                  Cell({120, 22}, L"raised", [=](HDC dc, const TRect& r) { s->DrawStatusBarPanel(dc, r, r, false); }),
                  Cell({3, 22}, L"panel sep.", [=](HDC dc, const TRect& r) { s->DrawStatusBarPanelSeparator(dc, r); }),
                  Cell({2, 22}, L"bar sep.", [=](HDC dc, const TRect& r) { s->DrawStatusBarToolbarSeparator(dc, r); }),
                  Cell({5, 22}, L"grip", [=](HDC dc, const TRect& r) { s->DrawStatusBarSizeGripBackground(dc, r); }),
                  Cell({24, 22}, L"grip",
                       [=](HDC dc, const TRect& r) {
                           s->DrawStatusBarSizeGripBackground(dc, r);
                           s->DrawStatusBarSizeGrip(dc, TRect{r.left + 4, r.top + 2, r.right - 2, r.bottom - 3});
                       }),
              });
}

// The flat forms a screen of 256 colours or fewer gets.
void DrawLowColor(TGallerySheet& sheet, TdxCustomRibbonSkin* s) {
    s->SetLowColor(true);
    sheet.Heading(L"Low colour");
    sheet.Row(
        L"Caption, frame",
        {
            Cell({160, 26}, L"caption", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, true)); }),
            Cell({160, 26}, L"inactive", [=](HDC dc, const TRect& r) { s->DrawFormCaption(dc, r, FormOf(r, false)); }),
            Cell({100, 60}, L"frame",
                 [=](HDC dc, const TRect& r) {
                     const int saved = SaveDC(dc);
                     SetViewportOrgEx(dc, r.left, r.top, nullptr);
                     s->DrawFormBorders(dc, TRect{4, 0, 4, 4}, 20,
                                        FormOf(TRect{0, 0, RectWidth(r), RectHeight(r)}, true));
                     RestoreDC(dc, saved);
                 }),
        });
    sheet.Row(L"Caption buttons", StateCells({25, 25}, {32, 28}, Range(0, 2), [=](HDC dc, const TRect& r, int st) {
                  s->DrawFormBorderIcon(dc, r, rbiClose, st);
              }));
    sheet.Row(L"Application button", StateCells({42, 42}, {48, 48}, {0, 1, 2}, [=](HDC dc, const TRect& r, int st) {
                  s->DrawApplicationButton(dc, r, st);
              }));
    sheet.Row(L"Tabs", StateCells({60, 23}, {80, 23}, Range(0, 4),
                                  [=](HDC dc, const TRect& r, int st) { s->DrawTab(dc, r, st); }));
    sheet.Row(L"Groups",
              {
                  Cell({120, 60}, L"area", [=](HDC dc, const TRect& r) { s->DrawTabGroupsArea(dc, r); }),
                  Cell({100, 60}, L"group",
                       [=](HDC dc, const TRect& r) {
                           s->DrawTabGroupBackground(dc, TRect{r.left, r.top, r.right, r.bottom - 16}, 0);
                           s->DrawTabGroupHeaderBackground(dc, TRect{r.left, r.bottom - 16, r.right, r.bottom}, 0);
                       }),
                  Cell({120, 60}, L"menu border", [=](HDC dc, const TRect& r) { s->DrawApplicationMenuBorder(dc, r); }),
              });
    sheet.Row(L"Buttons (strips)", StateCells(
                                       {42, 30}, {60, 30}, Range(0, 8),
                                       [=](HDC dc, const TRect& r, int st) { s->DrawLargeButton(dc, r, st); },
                                       [](int st) { return st >= 2; }));
    sheet.Row(L"Arrows, status bar",
              {
                  Cell({11, 8}, L"down", [=](HDC dc, const TRect& r) { s->DrawArrowDown(dc, r); }),
                  Cell({8, 11}, L"right", [=](HDC dc, const TRect& r) { s->DrawArrowRight(dc, r); }),
                  Cell({120, 22}, L"status bar",
                       [=](HDC dc, const TRect& r) {
                           s->DrawStatusBar(dc, r);
                           s->DrawStatusBarPanelSeparator(dc, TRect{r.left + 60, r.top, r.left + 63, r.bottom});
                       }),
              });
    s->SetLowColor(false);
}

void MakeSheetOf(const String& name, TdxCustomRibbonSkin* scheme, bool checksMarks) {
    TGallerySheet sheet(6000);
    sheet.SetChecksMarks(checksMarks);
    sheet.Text(L"Colour scheme \"" + name + L"\"", TRect{kMargin, kMargin, kSheetWidth, kMargin + 22}, 0x222222,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE, true);
    sheet.Skip(30);
    DrawWindow(sheet, scheme, true);
    DrawOperations(sheet, scheme);
    DrawLowColor(sheet, scheme);
    EXPECT_LT(sheet.Top(), 6000);
    if (const char* folder = std::getenv("ZARNIK_SKIN_GALLERY")) sheet.Save(UTF8ToString(folder), name);
}

void MakeSheet(const String& name) { MakeSheetOf(name, NewSchemeNamed(name).get(), true); }

// The look-and-feel controls drawn by the "Lilian" skin painter: every cell must leave a mark.
// Saved as LilianControls.bmp.
TDraw OnCanvas(std::function<void(TcxCanvas*, const TRect&)> draw) {
    return [draw](HDC dc, const TRect& r) {
        // the painters leave their brush, font and background mode in the DC: the sheet's own
        // captions want it back as it was
        const int saved = SaveDC(dc);
        TCanvas canvas;
        canvas.SetHandle(dc);
        TcxCanvas cxCanvas(&canvas);
        draw(&cxCanvas, r);
        canvas.SetHandle(nullptr);
        RestoreDC(dc, saved);
    };
}

void MakeControlsSheet() {
    const TdxLilianPainter* p = TdxLilianPainter::Instance();
    ASSERT_NE(p->PainterSkinInfo(), nullptr);
    TGallerySheet sheet(2000);
    sheet.Text(L"Look-and-feel controls drawn with the skin \"Lilian\"",
               TRect{kMargin, kMargin, kSheetWidth, kMargin + 22}, 0x222222, DT_LEFT | DT_VCENTER | DT_SINGLELINE, true);
    sheet.Skip(30);
    const std::pair<TcxButtonState, const wchar_t*> states[] = {
        {cxbsNormal, L"normal"}, {cxbsHot, L"hot"}, {cxbsPressed, L"pressed"}, {cxbsDisabled, L"disabled"}};
    std::vector<TCell> buttons, checks, editors;
    for (const auto& [state, name] : states) {
        buttons.push_back(Cell({75, 23}, name, OnCanvas([p, state = state](TcxCanvas* c, const TRect& r) {
                                   p->DrawCaptionButton(c, r, state, L"Кнопка", true);
                               })));
        for (TcxCheckBoxState check : {cbsUnchecked, cbsChecked, cbsGrayed})
            checks.push_back(Cell(p->CheckBoxSize(), name, OnCanvas([p, state = state, check](TcxCanvas* c, const TRect& r) {
                                      p->DrawCheckBoxGlyph(c, r, state, check);
                                  })));
        for (bool checked : {false, true})
            checks.push_back(Cell(p->RadioButtonImageSize(), name,
                                  OnCanvas([p, state = state, checked](TcxCanvas* c, const TRect& r) {
                                      p->DrawRadioButton(c, r.left, r.top, state, checked, false, false);
                                  })));
    }
    const std::pair<TcxEditBtnKind, const wchar_t*> kinds[] = {{cxbkComboBtn, L"combo"},     {cxbkEditorBtn, L"editor"},
                                                               {cxbkEllipsisBtn, L"ellipsis"}, {cxbkSpinUpBtn, L"up"},
                                                               {cxbkSpinDownBtn, L"down"},   {cxbkCloseBtn, L"close"}};
    for (const auto& [kind, name] : kinds)
        for (const auto& [state, stateName] : states)
            editors.push_back(Cell({17, 20}, name, OnCanvas([p, kind = kind, state = state](TcxCanvas* c, const TRect& r) {
                                       p->DrawEditorButtonFace(c, r, state, kind);
                                   })));
    sheet.Row(L"Caption buttons", buttons);
    sheet.Row(L"Check boxes, radio buttons", checks);
    sheet.Row(L"Editor buttons", editors);
    sheet.Row(L"Headers, footers",
              {
                  Cell({90, 20}, L"header", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawHeaderCell(c, r, r, cxbsNormal, TcxNeighbors{}, cxBordersAll, taCenter, vaCenter,
                                             false, false, L"Заголовок", nullptr, clDefault, clWindow);
                       })),
                  Cell({90, 20}, L"hot header", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawHeaderCell(c, r, r, cxbsHot, TcxNeighbors{}, cxBordersAll, taCenter, vaCenter,
                                             false, false, L"Заголовок", nullptr, clDefault, clWindow);
                       })),
                  Cell({20, 20}, L"indicator", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawIndicatorItem(c, r, ikArrow, clWindow);
                       })),
                  Cell({90, 20}, L"footer cell", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawFooterCell(c, r, taRightJustify, vaCenter, false, L"12", nullptr, clDefault,
                                             clWindow);
                       })),
                  Cell({140, 26}, L"calendar header", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawCalendarHeader(c, r, L"Декабрь 2026", TcxNeighbors{}, TcxViewParams{}, haBoth, 4);
                       })),
              });
    sheet.Row(L"Scroll bar, progress, track bar",
              {
                  Cell({17, 17}, L"line up", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawScrollBarElement(c, r, cxbsNormal, false, sbpLineUp);
                       })),
                  Cell({17, 60}, L"thumb", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawScrollBarElement(c, r, cxbsHot, false, sbpThumbnail);
                       })),
                  Cell({140, 18}, L"progress", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           const TRect m = p->ProgressIndicatorMargins();
                           p->DrawProgressIndicator(c, r, TRect{r.left + m.left, r.top + m.top, r.left + 80,
                                                                r.bottom - m.bottom},
                                                    false, clWindow);
                       })),
                  Cell({120, 24}, L"track bar", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           const int t = p->TrackBarTrackThickness(), y = (r.top + r.bottom - t) / 2;
                           p->DrawTrackBarTrack(c, TRect{r.left, y, r.right, y + t}, TRect{}, false, true, true);
                           const TSize thumb = p->TrackBarThumbSize(true);
                           p->DrawTrackBarThumb(c, TRect{r.left + 40, r.top, r.left + 40 + thumb.cx, r.top + thumb.cy},
                                                cxbsNormal, true, tbtaDown);
                       })),
                  Cell({60, 60}, L"clock", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawClockFace(c, r, TDateTime(10.25 / 24.0), clWindow);
                       })),
                  Cell({16, 16}, L"size grip", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawSizeGripArea(c, r, clWindow);
                       })),
              });
    sheet.Row(L"Panels",
              {
                  Cell({160, 80}, L"group panel", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawGroupPanelFrame(c, r, cxgpTop, cxBordersAll);
                       })),
                  Cell({160, 80}, L"panel", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawPanelSurface(c, r, true);
                       })),
                  Cell({8, 80}, L"splitter", OnCanvas([p](TcxCanvas* c, const TRect& r) {
                           p->DrawSplitter(c, r, false, false, false);
                       })),
              });
    if (const char* folder = std::getenv("ZARNIK_SKIN_GALLERY"))
        sheet.Save(UTF8ToString(folder), L"LilianControls");
}

TEST(dxRibbonSkinGallery, TheLilianSkinPainterDrawsEveryControl) { MakeControlsSheet(); }

// The skin bar painter with "Lilian": toolbars, menus, combo and spin edits, progress bars,
// status bar and screen tip, over bar windows and items standing in for the bars'. Every cell
// must leave a mark. Saved as LilianBars.bmp.
void MakeBarsSheet() {
    TdxBarSkinPainter painter(TdxLilianPainter::Instance());
    ASSERT_NE(painter.GetSkinInfo(), nullptr);
    const TdxBarSkinPainter* p = &painter;
    TFakeBar toolbar, borderless, statusBar, popupBar;
    TFakeBarWindow bar, menu, status;
    bar.bar = &toolbar;
    toolbar.window = &bar;
    borderless.singleBorder = false;
    statusBar.statusBar = true;
    status.bar = &statusBar;
    statusBar.window = &status;
    menu.kind = 2;
    menu.bar = &popupBar;
    menu.iconAreaWidth = 24;
    bar.dragGrip = true;
    TFakeItemControl onBar(&bar), onMenu(&menu), onStatus(&status);
    auto dcCell = [](std::function<void(HDC, const TRect&)> draw) { return TDraw(std::move(draw)); };
    // a docked toolbar's background in the bar's own coordinates
    auto docked = [&](TdxBarDockingStyle docking) {
        return TDraw([&, docking](HDC dc, const TRect& r) {
            bar.dockingStyle = docking;
            bar.client = TRect{0, 0, RectWidth(r), RectHeight(r)};
            SetViewportOrgEx(dc, r.left, r.top, nullptr);
            p->FillDockedBarBk(&bar, dc, bar.client, bar.client, nullptr, clNone);
            SetViewportOrgEx(dc, 0, 0, nullptr);
            bar.dockingStyle = dsTop;
        });
    };

    TGallerySheet sheet(1400);
    sheet.Text(L"The skin bar painter drawing with the skin \"Lilian\"",
               TRect{kMargin, kMargin, kSheetWidth, kMargin + 22}, 0x222222, DT_LEFT | DT_VCENTER | DT_SINGLELINE, true);
    sheet.Skip(30);
    sheet.Row(L"Toolbars",
              {
                  Cell({220, 26}, L"docked, with grip", docked(dsTop)),
                  Cell({26, 110}, L"vertical", docked(dsLeft)),
                  Cell({8, 26}, L"separator", dcCell([&](HDC dc, const TRect& r) {
                           p->DrawBarSeparator(&bar, dc, r, nullptr, false);
                       })),
                  Cell({14, 26}, L"mark", dcCell([&](HDC dc, const TRect& r) { p->DrawMarkBk(&bar, dc, r, 0); })),
                  Cell({14, 26}, L"hot mark", dcCell([&](HDC dc, const TRect& r) { p->DrawMarkBk(&bar, dc, r, 1); })),
              });
    std::vector<TCell> buttons;
    const struct {
        bool selected, down, pressed;
        const wchar_t* name;
    } buttonStates[] = {{true, false, false, L"hot"},
                        {true, false, true, L"pressed"},
                        {false, true, false, L"checked"},
                        {true, true, false, L"hot checked"},
                        {true, true, true, L"checked pressed"}};
    for (const auto& b : buttonStates)
        buttons.push_back(Cell({40, 24}, b.name, OnCanvas([&, b](TcxCanvas* c, const TRect& r) {
                                   TdxBarButtonLikeControlDrawParams params(&onBar);
                                   params.canvas = c;
                                   params.enabled = true;
                                   params.drawSelected = b.selected;
                                   params.down = b.down;
                                   params.pressed = b.pressed;
                                   p->DrawButtonBk(&params, r, nullptr);
                               })));
    for (int state : {0, 1, 2})
        for (int button : {0, 1, 2})
            buttons.push_back(Cell({18, 18}, state == 0 ? L"MDI" : state == 1 ? L"hot" : L"pressed",
                                   dcCell([&, state, button](HDC dc, const TRect& r) {
                                       p->DrawMDIButton(&bar, button, state, dc, r);
                                   })));
    sheet.Row(L"Buttons, MDI buttons", buttons);
    sheet.Row(L"Menus",
              {
                  Cell({170, 110}, L"menu with side strip", OnCanvas([&](TcxCanvas* c, const TRect& r) {
                           TRect content = r;
                           InflateRect(&content, -2, -2);
                           p->FillMenuBk(&menu, c, content, nullptr, clNone);
                           p->DrawMenuBorder(&menu, c->GetCanvasHandle(), r);
                       })),
                  Cell({150, 22}, L"selected item", OnCanvas([&](TcxCanvas* c, const TRect& r) {
                           TdxBarItemControlDrawParams params(&onMenu);
                           params.canvas = c;
                           params.enabled = true;
                           params.drawSelected = true;
                           p->DrawMenuItemBk(&params, r);
                       })),
                  Cell({150, 22}, L"selected, disabled", OnCanvas([&](TcxCanvas* c, const TRect& r) {
                           TdxBarItemControlDrawParams params(&onMenu);
                           params.canvas = c;
                           params.drawSelected = true;
                           p->DrawMenuItemBk(&params, r);
                       })),
                  Cell({22, 22}, L"check", dcCell([&](HDC dc, const TRect& r) {
                           p->DrawMenuCheckMark(&onMenu, dc, r, 1, true);
                       })),
                  Cell({24, 24}, L"checked glyph", dcCell([&](HDC dc, const TRect& r) {
                           p->DrawGlyphFrame(&onMenu, dc, nullptr, true, r, 1, false, false, true, false, false,
                                             false);
                       })),
                  Cell({150, 9}, L"separator", OnCanvas([&](TcxCanvas* c, const TRect& r) {
                           p->DrawItemSeparator(&menu, &onMenu, c, r);
                       })),
              });
    std::vector<TCell> edits;
    const std::pair<int, const wchar_t*> comboStates[] = {{0, L"combo"}, {1, L"hot"}, {2, L"dropped"}, {3, L"disabled"}};
    for (const auto& [state, name] : comboStates)
        edits.push_back(Cell({110, 22}, name, OnCanvas([&, state = state](TcxCanvas* c, const TRect& r) {
                                 TdxBarEditLikeControlDrawParams params(&onBar);
                                 params.canvas = c;
                                 params.enabled = state != 3;
                                 params.drawSelected = state >= 1;
                                 params.droppedDown = state == 2;
                                 TRect box = r;
                                 InflateRect(&box, -1, -1);
                                 c->FillRectWithColor(box, clWindow);
                                 p->DrawEditBoxFrame(&params, box);
                                 p->DrawComboButton(&params, TRect{r.right - 18, r.top + 2, r.right - 1, r.bottom - 2},
                                                    0);
                             })));
    for (int active : {0, 3, 4})
        edits.push_back(Cell({60, 22}, active == 0 ? L"spin" : active == 3 ? L"up pressed" : L"down pressed",
                             OnCanvas([&, active](TcxCanvas* c, const TRect& r) {
                                 TdxBarSpinEditDrawParams params(&onBar);
                                 params.canvas = c;
                                 params.enabled = true;
                                 params.activeButton = active;
                                 const int middle = (r.top + r.bottom) / 2;
                                 p->FillSpinEditBk(&params, TRect{r.left, r.top, r.right - 17, r.bottom});
                                 p->DrawSpinButton(&params, TRect{r.right - 17, r.top, r.right, middle}, 3);
                                 p->DrawSpinButton(&params, TRect{r.right - 17, middle, r.right, r.bottom}, 4);
                             })));
    sheet.Row(L"Combo and spin edits", edits);
    std::vector<TCell> progress;
    for (int position : {0, 40, 100})
        progress.push_back(Cell({160, 20}, IntToStr(position) + L" %", OnCanvas([&, position](TcxCanvas* c,
                                                                                              const TRect& r) {
                                    TdxBarProgressControlDrawParams params(&onBar);
                                    params.canvas = c;
                                    params.solid = true;
                                    params.position = position;
                                    p->DrawProgressBar(&params, r, clHighlight);
                                })));
    sheet.Row(L"Progress bars", progress);
    sheet.Row(L"Status bar, screen tip",
              {
                  Cell({300, 24}, L"status bar with a static item", OnCanvas([&](TcxCanvas* c, const TRect& r) {
                           HDC dc = c->GetCanvasHandle();
                           p->DrawStatusBarBk(&status, dc, r, TRect{0, 0, RectWidth(r), RectHeight(r)},
                                              TRect{0, 0, RectWidth(r), RectHeight(r)}, nullptr, clNone);
                           TdxBarStaticLikeControlDrawParams params(&onStatus);
                           params.canvas = c;
                           p->DrawStaticBk(&params, TRect{r.left + 4, r.top + 3, r.left + 120, r.bottom - 3});
                       })),
                  Cell({160, 60}, L"screen tip", dcCell([&](HDC dc, const TRect& r) {
                           p->DrawScreenTipBk(dc, r);
                           p->DrawScreenTipSeparator(dc, TRect{r.left + 6, r.top + 30, r.right - 6, r.top + 32});
                       })),
              });
    EXPECT_LT(sheet.Top(), 1400);
    if (const char* folder = std::getenv("ZARNIK_SKIN_GALLERY")) sheet.Save(UTF8ToString(folder), L"LilianBars");
}

TEST(dxRibbonSkinGallery, TheSkinBarPainterDrawsLilianBars) { MakeBarsSheet(); }

TEST(dxRibbonSkinGallery, BlueDrawsEveryOperation) { MakeSheet(L"Blue"); }
TEST(dxRibbonSkinGallery, BlackDrawsEveryOperation) { MakeSheet(L"Black"); }
TEST(dxRibbonSkinGallery, SilverDrawsEveryOperation) { MakeSheet(L"Silver"); }
// The skin-driven scheme "Lilian", as the bar skin manager holds it.
TEST(dxRibbonSkinGallery, LilianDrawsItsSheet) {
    auto* lilian = dynamic_cast<TdxCustomRibbonSkin*>(BarSkinManagerInstance()->FindSkin(L"Lilian"));
    ASSERT_NE(lilian, nullptr);
    MakeSheetOf(L"Lilian", lilian, false);
}

}  // namespace
