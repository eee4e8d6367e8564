#pragma once
// What an item control hands the painter for one measuring or drawing: refilled by the control
// before each, read by the painter instead of asking the control. Controls of other kinds add
// their own fields in descendants.

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
