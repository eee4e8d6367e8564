#pragma once
// The styles of a bar item (Style, and StyleEdit for edit items) with a snapshot of the values
// each had when last looked at. It listens to its styles and tells the item whether a change
// needs a repaint (colours) or a new layout (the font); bitmaps are not reported. Changes under
// LockChanges are held back and reported once, the structural kind winning.

#include <vector>

#include "Colors.h"
#include "Events.h"
#include "Font.h"
#include "cxComponent.h"
#include "cxStyles.h"

// What a style change asks of the shown item: a repaint, or a new layout.
enum TdxBarItemStyleChange : Byte { iscDrawing = 0, iscStructure = 1 };
using TdxBarItemStylesChangedEvent = TEvent<void(TdxBarItemStyleChange change)>;

class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleObserver {
    Z_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)
public:
    TdxBarItemStylesData(int count, const TdxBarItemStylesChangedEvent& onChanged);
    // Empties every slot without reporting.
    ~TdxBarItemStylesData() override;

    int Count() const { return int(slots_.size()); }
    TcxStyle* GetStyle(int slot) const;  // nil outside the slots
    // Puts the style into the slot; a style is listened to once however many slots hold it.
    void SetStyle(int slot, TcxStyle* style);
    // The number of slots that hold the style.
    int CountStyleUses(TcxStyle* style) const;
    // Nests; the outermost unlock reports what was held back, once.
    void LockChanges(bool lock);

    // IcxStyleObserver
    void StyleValueChanged(TcxCustomStyle* style) override;
    void StyleDetached(TcxCustomStyle* style) override;

private:
    // The values of a style's font that a layout depends on.
    struct TFontSnapshot {
        Integer Height = 0, Orientation = 0;
        TFontPitch Pitch = fpDefault;
        TFontStyles Style;
        TFontCharset Charset = 0;
        String Name;  // at most 31 characters, as a LOGFONT holds it
    };
    struct TSlot {
        TcxStyle* Style = nullptr;
        TcxStyleValues Assigned;
        TColor Color = clNone, TextColor = clNone;
        TFontSnapshot Font;
    };
    static TFontSnapshot StoreFontSnapshot(TFont* font);
    static bool FontDiffersFromSnapshot(TFont* font, const TFontSnapshot& snapshot);
    // Compares the slot's snapshot with its style, takes the new values and reports.
    void CheckStyleChanges(int slot);
    void ReportChange(TdxBarItemStyleChange change);

    std::vector<TSlot> slots_;
    TdxBarItemStylesChangedEvent onChanged_;
    int lockCount_ = 0;
    int heldChange_ = 2;  // none
    bool destroying_ = false;
};
