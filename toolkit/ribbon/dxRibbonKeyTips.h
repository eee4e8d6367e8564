#pragma once
// The labels of the ribbon's key tips: one small topmost window per key tip, drawn with the
// ribbon skin's screen-tip background, and the manager that the navigation controller asks for
// them (IdxBarKeyTipWindowsManager). The labels never take the mouse; a disabled one is
// translucent.

#include <memory>
#include <vector>

#include "CustomControl.h"
#include "Interfaces.h"
#include "dxBarAccessibility.h"

class TdxCustomRibbon;
class TdxCustomRibbonSkin;

class TdxRibbonKeyTipWindow : public TCustomControl {
    Z_CLASS(TdxRibbonKeyTipWindow, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
                  Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged))
public:
    // The label text's colour (red, green and blue 76 each).
    static constexpr TColor TextColor = TColor(0x004C4C4C);
    static constexpr int MinWidth = 16;

    // No owner: the manager frees it.
    explicit TdxRibbonKeyTipWindow(TdxCustomRibbonSkin* skin);
    TdxCustomRibbonSkin* KeyTipSkin() const { return skin_; }
    // The size the text needs: its width + 6 (at least 16) by its height + 2.
    TSize CalcSize();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;

private:
    void WMNCHitTest(TMessage& message);
    void CMEnabledChanged(TMessage& message);
    void CMTextChanged(TMessage& message);

    TdxCustomRibbonSkin* skin_;
};

class TdxRibbonKeyTipWindows : public TInterfacedObject, public IdxBarKeyTipWindowsManager {
public:
    explicit TdxRibbonKeyTipWindows(TdxCustomRibbon* ribbon);
    ~TdxRibbonKeyTipWindows() override;

    TdxCustomRibbon* OwnerRibbon() const { return ribbon_; }
    int Count() const { return int(windows_.size()); }
    TdxRibbonKeyTipWindow* Items(int index) const { return windows_[size_t(index)].get(); }

    // IdxBarKeyTipWindowsManager
    // Made with the ribbon's skin, sized by its text and placed by the alignments.
    void AddWindow(const String& text, const TPoint& anchor, Byte horizontalAlignment, Byte verticalAlignment,
                   bool enabled, TObject*& window) override;
    // Raises EdxException (empty) for a window this manager does not hold.
    void RemoveWindow(TObject* window) override;
    // Places all labels topmost in one batch, without activating them.
    void ShowWindows() override;

    // Where a label of that size goes for the anchor and alignments.
    static TPoint PlaceWindow(const TPoint& anchor, const TSize& size, Byte horizontalAlignment,
                              Byte verticalAlignment);

private:
    TdxCustomRibbon* ribbon_;
    std::vector<std::unique_ptr<TdxRibbonKeyTipWindow>> windows_;
};

// The key tip of the quick access toolbar's entry at a position from 0: "1" to "9", then "09"
// down to "01", then "0A" to "0Z"; none after those 44.
String GetQuickAccessPositionalKeyTip(int position);
