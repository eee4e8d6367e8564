#pragma once
// The part table of the ribbon's colour schemes (dxRibbonSkinParts.inc), as C++ values: one
// group of parts per row, each group with an array of nine part indexes, one per state.

#include <initializer_list>

#include "GraphicsTypes.h"
#include "SysTypes.h"

// The groups of parts, named as the rows of the table.
enum TdxRibbonPartGroup : int {
#define RIBBON_ATLAS(...)
#define RIBBON_PART(Name, ...) rpg##Name,
#include "dxRibbonSkinParts.inc"
#undef RIBBON_PART
#undef RIBBON_ATLAS
    rpgCount
};

// The three atlases a scheme is cut from.
enum class TdxRibbonAtlas : Byte { Form, Common, Scheme };

// Single: one part; Pair: active and inactive window (states 0 and 1); Stacked: three images
// (entries 0 to 2); Vertical or Horizontal: a strip of state images.
enum class TdxRibbonPartKind : Byte { Single, Pair, Stacked, Vertical, Horizontal };

// Up to nine small numbers, written as a parenthesised list in the table.
struct TdxRibbonNumbers {
    int count = 0;
    int values[9] = {};
    static constexpr TdxRibbonNumbers Of(std::initializer_list<int> list) {
        TdxRibbonNumbers result;
        for (int value : list) result.values[result.count++] = value;
        return result;
    }
    constexpr bool Contains(int value) const {
        for (int i = 0; i < count; ++i)
            if (values[i] == value) return true;
        return false;
    }
};

struct TdxRibbonPartRow {
    const char* name;
    TdxRibbonPartGroup group;
    TdxRibbonPartGroup into;  // the group whose state array receives the parts
    TdxRibbonAtlas atlas;
    TRect rect;  // image 0
    TdxRibbonPartKind kind;
    TdxRibbonNumbers states;  // empty: all nine
    TdxRibbonNumbers images;  // empty: the running number of the created states
    TRect margins;
    int interpolation;
    int baseId;
};

// The rows in creation order.
const TdxRibbonPartRow* RibbonPartRows();
int RibbonPartRowCount();
// The row of a group.
const TdxRibbonPartRow& RibbonPartRow(TdxRibbonPartGroup group);
// The atlas rectangle of image k of a row.
TRect RibbonPartImageRect(const TdxRibbonPartRow& row, int image);
// The sizes of the atlases in pixels.
TSize RibbonAtlasSize(TdxRibbonAtlas atlas);
