#include "dxRibbonSkinParts.h"

#include <iterator>

namespace {

#define RIBBON_NUMBERS(...) TdxRibbonNumbers::Of({__VA_ARGS__})
#define RIBBON_PART(Name, Into, Atlas, L, T, R, B, Kind, States, Images, ML, MT, MR, MB, Interpolation, BaseId) \
    {#Name,                                                                                                     \
     rpg##Name,                                                                                                 \
     rpg##Into,                                                                                                 \
     TdxRibbonAtlas::Atlas,                                                                                     \
     {L, T, R, B},                                                                                              \
     TdxRibbonPartKind::Kind,                                                                                   \
     RIBBON_NUMBERS States,                                                                                     \
     RIBBON_NUMBERS Images,                                                                                     \
     {ML, MT, MR, MB},                                                                                          \
     Interpolation,                                                                                             \
     BaseId},

#define RIBBON_ATLAS(...)
constexpr TdxRibbonPartRow kRows[] = {
#include "dxRibbonSkinParts.inc"
};
#undef RIBBON_ATLAS

#undef RIBBON_PART
#undef RIBBON_NUMBERS

static_assert(std::size(kRows) == rpgCount, "one row per group");

}  // namespace

const TdxRibbonPartRow* RibbonPartRows() { return kRows; }

int RibbonPartRowCount() { return int(std::size(kRows)); }

const TdxRibbonPartRow& RibbonPartRow(TdxRibbonPartGroup group) { return kRows[group]; }

TRect RibbonPartImageRect(const TdxRibbonPartRow& row, int image) {
    TRect r = row.rect;
    if (row.kind == TdxRibbonPartKind::Horizontal)
        OffsetRect(&r, image * RectWidth(row.rect), 0);
    else
        OffsetRect(&r, 0, image * RectHeight(row.rect));
    return r;
}

TSize RibbonAtlasSize(TdxRibbonAtlas atlas) {
#define RIBBON_ATLAS(Atlas, Width, Height) \
    if (atlas == TdxRibbonAtlas::Atlas) return TSize{Width, Height};
#define RIBBON_PART(...)
#include "dxRibbonSkinParts.inc"
#undef RIBBON_PART
#undef RIBBON_ATLAS
    return TSize{0, 0};
}
