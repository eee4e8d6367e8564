#pragma once
// The quick access toolbar's window and its items. The toolbar is a toolbar of the bar manager
// docked in the ribbon's quick access dock control; its window shows the links in one row of
// small buttons and, at its right end, the mark that opens the "Customize Quick Access Toolbar"
// menu: one check entry per link of the toolbar (showing or hiding it), then the ribbon's own
// quick access commands. Links that do not fit are cut off (ItemsCut).

#include <functional>
#include <memory>

#include "ComponentList.h"
#include "dxBarAccessibility.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonQuickAccessGroupButton.h"

class TBitmap;
class TcxBitmap;
class TdxBarPopupMenu;
class TdxCustomRibbon;
class TdxRibbonQuickAccessBarControl;
class TdxRibbonQuickAccessToolbar;

// ---- painters ------------------------------------------------------------------------------

class TdxRibbonQuickAccessPainter : public TdxRibbonBarPainter {
    Z_CLASS(TdxRibbonQuickAccessPainter, TdxRibbonBarPainter)
public:
    static constexpr int PartMarkBackground = 3, PartMarkContent = 336, PartGroupButton = 520;

    explicit TdxRibbonQuickAccessPainter(TdxCustomRibbon* ribbon) : TdxRibbonBarPainter(ribbon) {}
    explicit TdxRibbonQuickAccessPainter(TcxLookAndFeelPainterClass data) : TdxRibbonBarPainter(data) {}

    // Half the group row height (plus one), always odd.
    virtual int GetMarkWidth() const;
    // The gap the colour scheme keeps before the mark (depends on the application button and
    // on where the toolbar stands).
    virtual int GetMarkOffset() const;
    int GetMarkSize() const override { return GetMarkWidth() + GetMarkOffset(); }
    // The client rectangle with its left edge at right - GetMarkWidth.
    void CalcMarkRect(W* window, TRect& rect) const override;
    // Normal: nothing; hot: part 3 in state 3; pressed: part 3 in state 4.
    void DrawMarkBk(W* window, HDC dc, const TRect& rect, int state) const override;
    // A group button: part 520 in the button's state, then the glyph inside the part's insets.
    virtual void DrawGroupButton(HDC dc, const TRect& r, int state, TBitmap* glyph) const;
    // The skin state of a button's draw parameters: 1 disabled, 4 pressed or dropped down,
    // 2 hot, else 0.
    static int ButtonPartState(bool enabled, bool pressed, bool hot);
};

class TdxRibbonQuickAccessPopupPainter : public TdxRibbonQuickAccessPainter {
    Z_CLASS(TdxRibbonQuickAccessPopupPainter, TdxRibbonQuickAccessPainter)
public:
    using TdxRibbonQuickAccessPainter::TdxRibbonQuickAccessPainter;
    int GetMarkOffset() const override { return 0; }
    int GetMarkSize() const override { return 0; }
    // Part 3 in the state (nothing in state 0), then the mark glyph, part 336 (3 drawn as 2).
    virtual void DrawCustomizeButton(HDC dc, const TRect& r, int state) const;
};

// ---- the toolbar window --------------------------------------------------------------------

class TdxRibbonQuickAccessBarControlViewInfo : public TdxBarControlViewInfo {
    Z_CLASS(TdxRibbonQuickAccessBarControlViewInfo, TdxBarControlViewInfo)
public:
    using TdxBarControlViewInfo::TdxBarControlViewInfo;
    // The placed links' controls; the toolbar shows no separators.
    void Calculate() override;
    bool ShowsSeparators() const { return false; }
};

class TdxRibbonQuickAccessBarControl : public TdxRibbonCustomBarControl {
    Z_CLASS(TdxRibbonQuickAccessBarControl, TdxRibbonCustomBarControl)
public:
    explicit TdxRibbonQuickAccessBarControl(TComponent* owner);
    ~TdxRibbonQuickAccessBarControl() override;
    void BeforeDestruction() override;

    TdxCustomRibbon* GetRibbon() const override;
    TdxRibbonQuickAccessPainter* QuickAccessPainter() const;
    // Not all the links fitted in the last layout.
    bool ItemsCut() const { return itemsCut_; }
    // The mark shows while the ribbon has quick access commands for its context menu.
    bool HasMark() const override;
    // The painter's mark size when the window has a mark, else 0.
    int GetQuickAccessMarkAreaSize() const;
    // The mark at the right end of the client area (empty without a mark).
    TRect GetMarkRect() const;
    // 0 normal, 1 hot, 2 pressed (its menu is open).
    int MarkState() const { return markState_; }
    void SetMarkState(int value);
    // The margins of the content: none (the overflow popup keeps 3 on every side).
    virtual TRect GetContentMargins() const { return TRect{0, 0, 0, 0}; }
    // The row height: the ribbon's group row height, or the tallest item when taller.
    int CalcRowSize();
    // The size the window takes within the width: the mark and as many links as fit.
    TSize ArrangeItems(int width);

    // -- the customize menu
    // The menu the mark opens (made on first use).
    TdxBarPopupMenu* CustomizeMenu();
    // Fills the menu's links: the caption separator and one check entry per link of the
    // toolbar (none for an empty toolbar), then the ribbon's quick access commands.
    void AddQuickCustItems(TdxBarItemLinks* links);
    // The items made for the customize menu (freed with it or with the next filling).
    TComponentList* MenuItemsOwned() const { return menuItemsOwned_.get(); }
    // Fills the customize menu and opens it under the mark; nothing without a mark.
    void ShowCustomizeMenu();
    // The toolbar's links changed (added, removed, shown or hidden): the shown links get their
    // controls and the ribbon makes room for the toolbar again.
    void LinksChanged();
    void AssignItemLinks(TdxBarItemLinks* links) override;

    TCustomdxBarControlViewInfoClass GetViewInfoClass() const override {
        return TdxRibbonQuickAccessBarControlViewInfo::StaticClass();
    }
    TdxBarPainter* GetPainter() const override;
    void CalcLayout() override;
    void CalcItemLayout() override {}
    Byte GetItemViewLevel(TdxBarItemControl* control) const override;
    void FillBk(HDC dc, const TRect& r, bool flag, TColor color, HBRUSH brush) override;
    bool IsQuickAccessBar() const { return true; }
    // The toolbar is drawn into the ribbon's caption on glass.
    bool IsOnGlass() const;
    // The glyph of items that have none.
    TBitmap* GetDefaultGlyph() const { return blankItemGlyph_.get(); }
    // Keyboard navigation: the window's helper, and the mark's (made on first request, released
    // with the window).
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;
    IdxBarAccessibilityHelper* ObtainMarkAccessibilityHelper();

    // The width of a link's control at the toolbar's small level: its own measure, or a square
    // button as high as the row for a control that does not measure itself.
    int LinkWidth(TdxBarItemLink* link);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& r) override;
    void HandleMouseDown(TMouseButton button, TShiftState shift, const TPoint& p, TdxBarItemControl* control) override;
    void Rebuild(bool recreate) override;

private:
    void DrawBlankItemGlyph();
    void CustomizeMenuClosed(TObject* sender);
    void ItemLinksChanged(TObject* sender) { LinksChanged(); }

    std::unique_ptr<TBitmap> blankItemGlyph_;
    std::unique_ptr<TComponentList> menuItemsOwned_;
    std::unique_ptr<TcxBitmap> glassBitmap_;
    IPtr<TdxBarAccessibilityHelper> markHelper_;
    TdxBarPopupMenu* customizeMenu_ = nullptr;
    bool itemsCut_ = false;
    bool windowBeingCreated_ = false;
    int markState_ = 0;
};

// A check entry of the customize menu: its Tag is the toolbar link it shows or hides.
class TdxRibbonQuickAccessPopupSubItemButton : public TdxBarButton {
    Z_CLASS(TdxRibbonQuickAccessPopupSubItemButton, TdxBarButton)
public:
    explicit TdxRibbonQuickAccessPopupSubItemButton(TComponent* owner) : TdxBarButton(owner) {}
    TdxBarItemLink* ShownLink() const { return shownLink_; }
    void SetShownLink(TdxBarItemLink* link) { shownLink_ = link; }
    // The entry's new Down becomes its link's Visible.
    void DirectClick() override;

private:
    TdxBarItemLink* shownLink_ = nullptr;
};

class TdxRibbonQuickAccessPopupSubItemButtonControl : public TdxBarButtonControl {
    Z_CLASS(TdxRibbonQuickAccessPopupSubItemButtonControl, TdxBarButtonControl)
public:
    explicit TdxRibbonQuickAccessPopupSubItemButtonControl(TdxBarItemLink* link) : TdxBarButtonControl(link) {}
};

// The ribbon unit's start and end for the quick access item classes.
void RegisterRibbonQuickAccessClasses();
void UnregisterRibbonQuickAccessClasses();
