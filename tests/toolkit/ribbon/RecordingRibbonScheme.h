#pragma once
// A ribbon colour scheme that draws nothing and records every drawing call it gets: the
// operation's name, its rectangle and its state (-1 for operations without one).

#include <string>
#include <vector>

#include "dxRibbonSkins.h"

struct TRecordedCall {
    std::string op;
    TRect r;
    int state;
};

class TRecordingRibbonScheme : public TdxCustomRibbonSkin {
public:
    explicit TRecordingRibbonScheme(const String& name = L"Recorder") { SetSkinName(name); }
    String GetName() const override { return SkinName(); }

    std::vector<TRecordedCall> calls;

#define Z_RECORD_STATE(Op) \
    void Op(HDC, const TRect& r, int state) override { calls.push_back({#Op, r, state}); }
#define Z_RECORD(Op) \
    void Op(HDC, const TRect& r) override { calls.push_back({#Op, r, -1}); }
    Z_RECORD_STATE(DrawButton)
    Z_RECORD_STATE(DrawSplitButtonRight)
    Z_RECORD_STATE(DrawSplitButtonLeft)
    Z_RECORD_STATE(DrawLargeButton)
    Z_RECORD_STATE(DrawLargeSplitButtonBottom)
    Z_RECORD_STATE(DrawLargeSplitButtonTop)
    Z_RECORD_STATE(DrawEditButton)
    Z_RECORD_STATE(DrawEditDropDownButton)
    Z_RECORD_STATE(DrawEditEllipsisButton)
    Z_RECORD_STATE(DrawSpinDownButton)
    Z_RECORD_STATE(DrawSpinUpButton)
    Z_RECORD(DrawProgressSolidBand)
    Z_RECORD(DrawProgressDiscreteBand)
    Z_RECORD(DrawProgressBorder)
    Z_RECORD(DrawScreenTip)
    Z_RECORD_STATE(DrawInRibbonGalleryPane)
    Z_RECORD(DrawDropDownGalleryBackground)
    Z_RECORD(DrawDropDownGallerySizePanelTop)
    Z_RECORD(DrawDropDownGallerySizePanelBottom)
    Z_RECORD(DrawDropDownGallerySizeGripTop)
    Z_RECORD(DrawDropDownGallerySizeGripBottom)
    Z_RECORD(DrawDropDownGalleryVerticalSizeGripTop)
    Z_RECORD(DrawDropDownGalleryVerticalSizeGripBottom)
    Z_RECORD(DrawDropDownGalleryGroupHeader)
    Z_RECORD(DrawDropDownGalleryFilterPanel)
    Z_RECORD_STATE(DrawMarkArrow)
    Z_RECORD_STATE(DrawMarkTruncated)
    Z_RECORD_STATE(DrawButtonArrow)
    Z_RECORD(DrawScrollArrow)
    Z_RECORD(DrawArrowDown)
    Z_RECORD(DrawArrowRight)
    Z_RECORD_STATE(DrawMenuDetachCaption)
    Z_RECORD(DrawMenuGlyphStrip)
    Z_RECORD(DrawMenuContent)
    Z_RECORD(DrawMenuSeparatorHorz)
    Z_RECORD(DrawMenuSeparatorVert)
    Z_RECORD_STATE(DrawMenuCheck)
    Z_RECORD_STATE(DrawMenuCheckMark)
    Z_RECORD(DrawMenuMarkGlyph)
    Z_RECORD_STATE(DrawMenuScrollButton)
    Z_RECORD(DrawDropDownBorder)
    Z_RECORD(DrawApplicationMenuBorder)
    Z_RECORD(DrawApplicationMenuContentHeader)
    Z_RECORD(DrawApplicationMenuContentFooter)
    Z_RECORD_STATE(DrawApplicationMenuButton)
    Z_RECORD_STATE(DrawButtonGroupButton)
    Z_RECORD(DrawButtonGroupBorderLeft)
    Z_RECORD_STATE(DrawButtonGroupSeparator)
    Z_RECORD(DrawButtonGroupBorderRight)
    Z_RECORD_STATE(DrawButtonGroupSplitButtonSeparator)
    Z_RECORD_STATE(DrawGroupLaunchButtonGlyph)
    Z_RECORD_STATE(DrawGroupLaunchButtonBackground)
    Z_RECORD_STATE(DrawCollapsedGroup)
    Z_RECORD_STATE(DrawCollapsedGroupGlyphBackground)
    Z_RECORD_STATE(DrawTabGroupBackground)
    Z_RECORD_STATE(DrawTabGroupHeaderBackground)
#undef Z_RECORD
#undef Z_RECORD_STATE
    void DrawInRibbonGalleryScrollButton(HDC, const TRect& r, int kind, int state) override {
        calls.push_back({"DrawInRibbonGalleryScrollButton" + std::to_string(kind), r, state});
    }
    void DrawQuickAccessToolbarGroupButton(HDC, const TRect& r, bool, bool, bool, int state) override {
        calls.push_back({"DrawQuickAccessToolbarGroupButton", r, state});
    }
    TRect GetPartContentOffsets(int part) const override { return TRect{part, 1, 2, 3}; }
    String GetSkinName() const override { return L"RecordedSkin"; }
    TColor PartColor(int part, int state) override { return TColor(part * 10 + state); }

protected:
    GpImage* LoadSchemeImage() override { return nullptr; }
    GpImage* LoadFormImage() override { return nullptr; }
};
