// Draws every element of the stored skins, in each image set and each state it holds, at a
// typical size, into one PNG sheet a group: <folder>/<Skin>-<Group>.png. An element with a text
// colour shows a sample text in its content area. Run by scripts/skin-gallery.sh.
//
//     skin_gallery.exe <folder>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "PlatformUnits.h"
#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"
#include "dxGDIPlusClasses.h"
#include "dxSkinInfo.h"
#include "dxSkinsCore.h"

namespace {

const wchar_t* const stateNames[] = {L"normal",  L"hot",     L"pressed",     L"disabled", L"active",       L"focused",
                                     L"dropped", L"checked", L"hot checked", L"inactive", L"check pressed"};

constexpr int sheetMargin = 14, nameWidth = 210, cellGap = 14, captionHeight = 14, rowGap = 12, sheetWidth = 1180;

// A small picture of several states or image sets without text of its own: a check mark, a
// selection frame, a small button; painters draw these about their own size.
bool IsSmallButton(TdxSkinElement* element) {
    const TSize size = element->Image()->FrameSize();
    return size.cx <= 20 && size.cy <= 20 && !IsSkinColorAssigned(element->TextColor()) &&
           (element->ImageCount() > 1 || element->Image()->StateCount() > 1 || !element->Glyph()->Empty());
}

// The size an element is shown at: a picture drawn at its own size, or a small button, as it
// is; a thin strip along its length; anything else a little larger than its frame; a colour as
// a swatch.
TSize TypicalSize(TdxSkinElement* element) {
    TdxSkinImage* image = element->Image();
    TSize size = image->FrameSize();
    if (image->Empty()) {
        size = element->Glyph()->Empty() ? TSize{56, 20} : element->Glyph()->FrameSize();
    } else if (image->Stretch() != smNoResize && !IsSmallButton(element)) {
        if (size.cx <= 8)
            size.cy = std::max<LONG>(size.cy, 40);
        else if (size.cy <= 8)
            size.cx = std::max<LONG>(size.cx, 64);
        else
            size = TSize{std::max<LONG>(size.cx, 56), std::max<LONG>(size.cy, 24)};
    }
    size.cx = std::max<LONG>(size.cx, element->MinSize()->Width());
    size.cy = std::max<LONG>(size.cy, element->MinSize()->Height());
    return size;
}

TdxSkinElementStates ShownStates(TdxSkinElement* element) {
    TdxSkinElementStates states = element->Image()->States();
    if (element->Image()->Empty() && !element->Glyph()->Empty()) states = element->Glyph()->States();
    if (states.Empty()) states = TdxSkinElementStates{esNormal};
    return states;
}

struct TCell {
    int slotLeft;  // where its caption starts
    TRect bounds;  // where the element is drawn
    int imageIndex;
    TdxSkinElementState state;
};

struct TRow {
    TdxSkinElement* element;
    int top, height;
    std::vector<TCell> cells;
};

// Places the cells of each element, wrapping a row that does not fit; answers the sheet height.
int LayOut(TdxSkinControlGroup* group, std::vector<TRow>& rows) {
    int y = sheetMargin + 30;
    for (int e = 0; e < group->ElementCount(); ++e) {
        TRow row{group->Elements(e), y, 0, {}};
        const TSize size = TypicalSize(row.element);
        int x = sheetMargin + nameWidth, lineTop = y;
        const TdxSkinElementStates states = ShownStates(row.element);
        for (int index = 0; index < row.element->ImageCount(); ++index)
            for (int s = 0; s < dxSkinElementStateCount; ++s) {
                if (!states.Contains(TdxSkinElementState(s))) continue;
                // room for the caption above the cell
                const int width = std::max<int>(size.cx, row.element->ImageCount() > 1 ? 76 : 58);
                if (x + width > sheetWidth - sheetMargin && x > sheetMargin + nameWidth) {
                    x = sheetMargin + nameWidth;
                    lineTop += captionHeight + size.cy + rowGap;
                }
                const int left = x + std::min<int>(10, (width - size.cx) / 2);
                row.cells.push_back(
                    {x, TRect{left, lineTop + captionHeight, left + size.cx, lineTop + captionHeight + size.cy}, index,
                     TdxSkinElementState(s)});
                x += width + cellGap;
            }
        row.height = lineTop - y + captionHeight + size.cy;
        y += row.height + rowGap;
        rows.push_back(row);
    }
    return y + sheetMargin;
}

void DrawSheet(TdxSkinInfo& info, TdxSkinControlGroup* group, const String& path) {
    std::vector<TRow> rows;
    const int height = LayOut(group, rows);
    TBitmap sheet(sheetWidth, height, pf24bit);
    TCanvas* canvas = sheet.Canvas();
    const TColor background = info.FormContent ? info.FormContent->Color() : clWhite;
    const TColor text = info.ContentTextColor ? info.ContentTextColor->Value() : TColor(0x40302A);
    canvas->Brush()->SetColor(background);
    canvas->FillRect(TRect{0, 0, sheetWidth, height});
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetName(L"Tahoma");
    canvas->Font()->SetHeight(-16);
    canvas->Font()->SetStyle({fsBold});
    canvas->Font()->SetColor(text);
    canvas->TextOut(sheetMargin, sheetMargin, info.Skin()->Name() + L" \u00B7 " + group->Name());
    canvas->Font()->SetStyle({});
    for (TRow& row : rows) {
        TdxSkinElement* element = row.element;
        canvas->Font()->SetHeight(-12);
        canvas->Font()->SetColor(text);
        canvas->TextOut(sheetMargin, row.top + captionHeight + 2, element->Name());
        for (const TCell& cell : row.cells) {
            canvas->Font()->SetHeight(-10);
            canvas->Font()->SetColor(TColor(0x8A7C78));
            String caption = stateNames[cell.state];
            if (element->ImageCount() > 1) caption = L"#" + std::to_wstring(cell.imageIndex) + L" " + caption;
            canvas->TextOut(cell.slotLeft, cell.bounds.top - captionHeight, caption);
            element->DrawInRect(canvas->Handle(), cell.bounds, cell.imageIndex, cell.state);
            if (element->Image()->Empty() && element->Glyph()->Empty()) {  // a colour: outline the swatch
                canvas->Brush()->SetColor(TColor(0xC8C0BC));
                canvas->FrameRect(InflateRectSides(cell.bounds, 1, 1, 1, 1));
                canvas->Brush()->SetStyle(bsClear);
            }
            if (IsSkinColorAssigned(element->TextColor())) {
                const TRect& offset = element->ContentOffset()->Rect();
                TRect content = InflateRectSides(cell.bounds, -offset.left, -offset.top, -offset.right, -offset.bottom);
                canvas->Font()->SetHeight(-11);
                canvas->Font()->SetColor(element->TextColor());
                canvas->TextRect(content, L"Text", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
        }
    }
    TdxPNGImage png;
    png.AssignFromPersistent(&sheet);
    TFileStream file(path, fmCreate);
    png.SaveToStream(&file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_gallery <folder>\n");
        return 2;
    }
    InitializePlatformUnits();
    InitializeToolkitCoreUnits();
    InitializeToolkitSkinsUnits();
    const String folder = argv[1];
    for (const wchar_t* name : {L"Lilian", L"DefaultUserSkinData"}) {
        TdxSkinInfo info(new TdxSkin(name, true, GetModuleHandleW(nullptr)));
        for (int g = 0; g < info.Skin()->GroupCount(); ++g) {
            TdxSkinControlGroup* group = info.Skin()->Groups(g);
            DrawSheet(info, group, folder + L"\\" + name + L"-" + group->Name() + L".png");
        }
    }
    return 0;
}
