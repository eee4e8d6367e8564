#pragma once
// What an item control hands the painter for one measuring or drawing: refilled by the control
// before each, read by the painter instead of asking the control. Controls of other kinds add
// their own fields in descendants.

#include "Colors.h"
#include "GraphicsTypes.h"
#include "TypInfo.h"
#include "dxBarForward.h"

class TcxCanvas;

class TdxBarItemControlDrawParams : public TObject {
    Z_CLASS(TdxBarItemControlDrawParams, TObject)
public:
    explicit TdxBarItemControlDrawParams(TdxBarItemControl* control) : control_(control) {}

    TdxBarItemControl* GetItemControl() const { return control_; }
    TdxBarItemControl* GetOwnerControl() const { return control_; }
    // 0 small, 1 large icons, 2 large. A new size makes the cached glyph stale.
    Byte DisplaySize() const { return displaySize_; }
    void SetDisplaySize(Byte size);

    TcxCanvas* canvas = nullptr;
    String caption, description, shortCutText;
    Byte paintKind = 0;      // 0 horizontal bar, 1 menu, 2 rotated bar
    Byte viewStructure = 0;  // bit 0 icon, bit 1 text
    bool enabled = false, canSelect = false, drawSelected = false, droppedDown = false, isDropDown = false;
    int hotPart = -1;
    bool customizing = false, pressed = false, selectedByKey = false;
    TSize buttonSize{};

private:
    Byte displaySize_ = 0;
    TdxBarItemControl* control_;
};

// ---- the draw parameters of the item control kinds -----------------------------------------

// Buttons and sub items.
class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
    Z_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
    using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
    bool down = false;
    bool pressedOrOpen = false;  // buttons: pressed again; sub items: the sub menu is open
    bool flatOpenLook = false;   // a flat style with the drop-down open
    bool isButton = false;       // a button: its drop-down is a part of its own
    bool dropDownEnabled = true, drawsHot = false, usesItemTextColor = false, grayGlyph = false;
    bool lowered = false, inMainMenu = false;
    int arrowWidth = 0, arrowHeight = 0;
    Byte buttonGroupPosition = 0;
};

// Edits and combos.
class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
    Z_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
    using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
    bool focused = false, editsOnlyInMenus = false;
};

class TdxBarColorComboControlDrawParams : public TdxBarEditLikeControlDrawParams {
    Z_CLASS(TdxBarColorComboControlDrawParams, TdxBarEditLikeControlDrawParams)
public:
    using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
    Byte colorChoice = 0;
    bool showsCustomButton = true;
};

class TdxBarSpinEditDrawParams : public TdxBarEditLikeControlDrawParams {
    Z_CLASS(TdxBarSpinEditDrawParams, TdxBarEditLikeControlDrawParams)
public:
    using TdxBarEditLikeControlDrawParams::TdxBarEditLikeControlDrawParams;
    TSize arrowSize{};
    int activeButton = -1;  // the pressed spin button's part: 3 up, 4 down
};

// Labels and separators.
class TdxBarStaticLikeControlDrawParams : public TdxBarItemControlDrawParams {
    Z_CLASS(TdxBarStaticLikeControlDrawParams, TdxBarItemControlDrawParams)
public:
    using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
    Byte alignment = 0;  // TAlignment: left, right, centre
    bool centered = false, drawBorder = false;
    TRect borderWidths{};
    Byte borderStyle = 0;
};

class TdxBarSeparatorControlDrawParams : public TdxBarStaticLikeControlDrawParams {
    Z_CLASS(TdxBarSeparatorControlDrawParams, TdxBarStaticLikeControlDrawParams)
public:
    using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
    bool firstShownLink = false;
    bool noTopLine = false;
};

// Progress bars: a static control with a bar after its caption.
class TdxBarProgressControlDrawParams : public TdxBarStaticLikeControlDrawParams {
    Z_CLASS(TdxBarProgressControlDrawParams, TdxBarStaticLikeControlDrawParams)
public:
    using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
    int position = 0, min = 0, max = 100;
    TColor barColor = clDefault;
    bool solid = false;
};
