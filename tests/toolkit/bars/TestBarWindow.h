#pragma once
// A small bar window for the tests: a borderless popup that stacks the shown links of one link
// collection from the top in the bar window base's vertical layout, with a group gap of 6
// pixels, and paints its items first and its background after them (the items are out of the
// clip by then). TBarWindowTestControl is the item control the tests register for the bar test
// form's buttons: it fills a rectangle 4 pixels larger than it is given with its image's glyph
// colour, so that a snapshot shows both the order of drawing and the clipping.

#include <string>
#include <vector>

#include "BarTestForm.h"
#include "dxBarItemControl.h"
#include "dxCustomBarControl.h"

class TTestBarWindowViewInfo : public TCustomdxBarControlViewInfo {
    Z_CLASS(TTestBarWindowViewInfo, TCustomdxBarControlViewInfo)
public:
    using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
    // The placed links' controls, and a separator above each that begins a group.
    void Calculate() override;
};

class TTestBarWindow : public TCustomdxBarControl {
    Z_CLASS(TTestBarWindow, TCustomdxBarControl)
public:
    explicit TTestBarWindow(TComponent* manager, std::string tag = "") : TCustomdxBarControl(manager), tag(tag) {}
    ~TTestBarWindow() override;

    static constexpr TColor BackgroundColor = 0xF0E0D0;
    static constexpr int GroupGap = 6;
    std::string tag;
    int itemHeight = 20;  // 0: the item control measures itself
    bool partial = false, rotated = false;
    int rebuilds = 0;
    // Tags of the windows destroyed, in order.
    static std::vector<std::string>& DestroyLog();

    void Relayout();
    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override { return TTestBarWindowViewInfo::StaticClass(); }
    bool IsMainMenu() const override { return false; }
    bool IsStatusBar() const override { return false; }
    int GetBarControlKind() const override { return 2; }
    bool IsRotated() const override { return rotated; }
    bool IsPopupWindow() const override { return true; }
    bool IsPopupLike() const override { return true; }
    bool AllowsPartialItem(const TRect&) const override { return partial; }
    int GetBeginGroupSize() const override { return GroupGap; }
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    void CalcLayout() override {
        CalcItemsRect();
        CalcVisibleItems(1, 0);
    }
    using TCustomdxBarControl::CalcVisibleItemsRange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void UpdateFont() override {}
    void Paint() override;
    void Rebuild(bool recreate) override;
};

class TBarWindowTestControl : public TdxBarItemControl {
    Z_CLASS(TBarWindowTestControl, TdxBarItemControl)
public:
    explicit TBarWindowTestControl(TdxBarItemLink* link) : TdxBarItemControl(link), serial(++made) {}
    static inline int made = 0;
    const int serial;
    int paints = 0;

protected:
    int CalcHeight() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
};

// Registers TBarWindowTestControl for the buttons while it lives, unless their class has a control
// class already.
class TBarWindowControlRegistration {
public:
    TBarWindowControlRegistration();
    ~TBarWindowControlRegistration();

private:
    bool registered_ = false;
};
