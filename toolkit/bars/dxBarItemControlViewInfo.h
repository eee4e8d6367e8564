#pragma once
// The layout state of one item control: its view level and the levels it may take, its bounds,
// row and button-group position as the layout sets them, and its width per level measured once
// until the control resets it. Bar and ribbon-group layouts read and set it.

#include "GraphicsTypes.h"
#include "TypInfo.h"
#include "dxBarForward.h"
#include "dxBarItemLinks.h"
#include "dxBarViewLevels.h"

class TdxBarItemControlViewInfo : public TObject {
    Z_CLASS(TdxBarItemControlViewInfo, TObject)
public:
    // Reads the control's levels: raises as GetCheckedPossibleViewLevels does.
    explicit TdxBarItemControlViewInfo(TdxBarItemControl* control);

    TdxBarItemControl* Control() const { return control_; }
    virtual void Hook() {}
    void CallHook() { Hook(); }
    void ResetCachedWidths();

    TdxBarItemViewLevels GetAllowedViewLevels() const { return allowedViewLevels_; }
    // The most reduced level the class can show, and the most reduced one the link allows
    // (the former when the link allows only the large level).
    TdxBarItemViewLevel GetMostReducedPossibleLevel() const { return mostReducedPossible_; }
    TdxBarItemViewLevel GetMinViewLevel() const { return mostReducedAllowed_; }
    TdxBarItemViewLevel GetViewLevel() const { return viewLevel_; }
    void SetViewLevel(TdxBarItemViewLevel level) { viewLevel_ = level; }
    // Measured once per level until ResetCachedWidths; EdxException "Testing! The level is not
    // allowed" for a level outside the allowed set.
    int GetWidthForLevel(TdxBarItemViewLevel level);

    TRect GetBounds() const { return bounds_; }
    void SetBounds(const TRect& r) { bounds_ = r; }
    int GetColumnRowCount() const { return columnRowCount_; }
    void SetColumnRowCount(int count) { columnRowCount_ = count; }
    int GetRowIndex() const { return rowIndex_; }
    void SetRowIndex(int row) { rowIndex_ = row; }
    TdxBarButtonGroupPosition GetResolvedButtonGroupPosition() const { return resolvedGroupPosition_; }
    void SetResolvedButtonGroupPosition(TdxBarButtonGroupPosition value) { resolvedGroupPosition_ = value; }

    // What the link says.
    bool BeginsNewGroup() const;
    bool IsDistributed() const;
    TdxBarItemPosition GetLinkPosition() const;
    // The link's group position when the control takes part in button groups, else bgpNone.
    TdxBarButtonGroupPosition GetButtonGroupPosition() const;

private:
    struct TWidthEntry {
        bool valid = false;
        int width = 0;
    };
    TdxBarItemControl* control_;
    TdxBarItemViewLevels allowedViewLevels_;
    TRect bounds_{};
    int columnRowCount_ = 0;
    TdxBarItemViewLevel mostReducedPossible_ = ivlLargeIconWithText;
    TdxBarButtonGroupPosition resolvedGroupPosition_ = bgpNone;
    int rowIndex_ = 0;
    TdxBarItemViewLevel viewLevel_ = ivlLargeIconWithText;
    TdxBarItemViewLevel mostReducedAllowed_ = ivlLargeIconWithText;
    TWidthEntry widths_[4];
};
