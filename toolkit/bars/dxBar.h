#pragma once
// The toolbars of a bar manager: TdxBar, one toolbar, and TdxBars, the manager's collection of
// them, which also makes and holds the four side dock controls of the manager's form.
//
// A toolbar is a model object: its links, where they are shown (a row of a dock, or floating at
// a screen position) and the rules the user changes it by. While it is visible a toolbar window
// (TdxBarControl) shows it; the bar owns that window and frees it when hidden. A hidden docked
// bar stays in its dock row, so showing it again puts it back where it was.

#include <functional>
#include <vector>

#include "Colors.h"
#include "TypInfo.h"
#include "cxComponentCollection.h"
#include "dxBarForward.h"
#include "dxBarItemLinks.h"

Z_ENUM(TdxBarDockingStyle, Byte, dsNone, dsLeft, dsTop, dsRight, dsBottom)
using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
Z_ENUM(TdxBarBorderStyle, Byte, bbsNone, bbsSingle)

class TdxBarCaptionButtons;
class TdxBarControl;
class TdxDockRow;

class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner {
    Z_CLASS(TdxBar, TcxComponentCollectionItem)
    // Declared in the source file: the dock control class is complete there.
    Z_PUBLISHED;
public:
    explicit TdxBar(TComponent* owner);
    ~TdxBar() override;
    void BeforeDestruction() override;

    TdxBarManager* BarManager() const;
    TdxBars* GetBars() const;
    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    void SetItemLinks(TdxBarItemLinks* value);
    // The bar's window; nil while the bar is hidden.
    TdxBarControl* BarControl() const { return barControl_; }

    // -- published values
    bool AllowClose() const { return allowClose_; }
    void SetAllowClose(bool value) { allowClose_ = value; }
    bool AllowCustomizing() const { return allowCustomizing_; }
    void SetAllowCustomizing(bool value) { allowCustomizing_ = value; }
    bool AllowQuickCustomizing() const { return allowQuickCustomizing_; }
    void SetAllowQuickCustomizing(bool value);
    // Buttons in the caption of a ribbon group made from the bar; assignment copies them.
    TdxBarCaptionButtons* CaptionButtons() const { return captionButtons_; }
    void SetCaptionButtons(TdxBarCaptionButtons* value);
    // The buttons changed: the window lays them out again.
    void UpdateCaptionButtons();
    bool AllowReset() const { return allowReset_; }
    void SetAllowReset(bool value) { allowReset_ = value; }
    TdxBarBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TdxBarBorderStyle value);
    const String& Caption() const { return caption_; }
    // A caption another bar of the manager has is refused: the old one stays.
    void SetCaption(const String& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool Hidden() const { return hidden_; }
    void SetHidden(bool value) { hidden_ = value; }
    bool IsMainMenu() const { return isMainMenu_; }
    // The key tip of the bar shown as a ribbon group.
    const String& KeyTip() const { return keyTip_; }
    void SetKeyTip(const String& value) { keyTip_ = value; }
    // The form has one main menu: making this bar it clears the flag on the previous one.
    void SetIsMainMenu(bool value);
    bool MultiLine() const { return multiLine_; }
    // A main menu always wraps: clearing is refused while IsMainMenu holds.
    void SetMultiLine(bool value);
    // Docking styles this bar may not take.
    TdxBarDockingStyles NotDocking() const { return notDocking_; }
    void SetNotDocking(TdxBarDockingStyles value);
    bool OneOnRow() const { return oneOnRow_; }
    void SetOneOnRow(bool value) { oneOnRow_ = value; }
    bool RotateWhenVertical() const { return rotateWhenVertical_; }
    void SetRotateWhenVertical(bool value);
    bool ShowMark() const { return showMark_; }
    void SetShowMark(bool value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    bool UseRestSpace() const { return useRestSpace_; }
    void SetUseRestSpace(bool value);
    bool WholeRow() const { return wholeRow_; }
    void SetWholeRow(bool value);

    // -- where the bar is
    TdxDockControl* DockControl() const;
    // A dock of another manager is ignored; nil keeps the docking style (the side dock).
    void SetDockControl(TdxDockControl* value);
    TdxDockControl* DockedDockControl() const { return dockedDockControl_; }
    void SetDockedDockControl(TdxDockControl* value);
    TdxBarDockingStyle DockingStyle() const;
    void SetDockingStyle(TdxBarDockingStyle value);
    // The style of DockedDockControl when one is set.
    TdxBarDockingStyle DockedDockingStyle() const;
    void SetDockedDockingStyle(TdxBarDockingStyle value) { dockedDockingStyle_ = value; }
    // A standard dock counts as nil: the style decides unless another dock is named.
    void SetDockState(TdxBarDockingStyle style, TdxDockControl* dock);
    // DockControl, or the manager's side dock of the docking style; nil while floating.
    TdxDockControl* GetEffectiveDockControl() const;
    int DockedLeft() const { return dockedLeft_; }
    void SetDockedLeft(int value);  // negative values become 0
    int DockedTop() const { return dockedTop_; }
    void SetDockedTop(int value);
    int FloatLeft() const { return floatLeft_; }
    void SetFloatLeft(int value);  // a screen position: negative values are kept
    int FloatTop() const { return floatTop_; }
    void SetFloatTop(int value);
    int FloatClientWidth() const { return floatClientWidth_; }
    void SetFloatClientWidth(int value);
    int FloatClientHeight() const { return floatClientHeight_; }
    void SetFloatClientHeight(int value);
    // The index of the bar's row in its dock; the stored value while it is in none.
    int Row() const;
    // Negative values become 0; a value past the last row makes one new last row (while the
    // manager is locked or applies loaded bars, rows are appended up to the value).
    void SetRow(int value);
    TdxDockRow* DockRow() const { return dockRow_; }
    // The bar leaves its row (freed when emptied) and joins the given one.
    void SetDockRow(TdxDockRow* row);

    bool Visible() const;
    void SetVisible(bool value);

    // -- what other parts ask
    bool IsStatusBar() const { return borderStyle_ == bbsNone && DockingStyle() == dsBottom && wholeRow_; }
    bool CanClose() const;
    bool CanMove() const;
    bool CanReset() const { return predefined_ && allowReset_; }
    void SetPredefined(bool value) { predefined_ = value; }
    // Reads the bar's start-up state back; a bar whose caption names no saved bar stays.
    void Reset();

    // -- merging: raise EdxException for a merge that cannot be made (nothing changes then)
    void Merge(TdxBar* bar) { MergeBar(bar, true); }
    void Unmerge(TdxBar* bar) { UnmergeBar(bar, true); }
    void MergeBar(TdxBar* bar, bool rememberVisibility);
    void UnmergeBar(TdxBar* bar, bool restoreVisibility);
    TdxBar* MergedInto() const { return mergedInto_; }
    // Records the bar as merged into this one without taking its links (an application that
    // merges menus itself), remembering its visibility and hiding it.
    void RecordMergedBar(TdxBar* bar);
    // What Visible was when the bar was merged into another (the stored layout keeps it).
    bool VisibleBeforeMerging() const { return visibleBeforeMerging_; }
    const std::vector<TdxBar*>& MergedBars() const { return mergedBars_; }
    // The bars merged into this one, remembered while merging is suspended (a remembered bar
    // that is freed meanwhile leaves the list).
    void SaveMergedBars() { savedMergedBars_ = mergedBars_; }
    const std::vector<TdxBar*>& SavedMergedBars() const { return savedMergedBars_; }
    void ClearSavedBars() { savedMergedBars_.clear(); }
    void SavedBarDestroyed(TdxBar* bar);
    void SetVisibleKeepingForm(bool value);

    // -- the window
    // Creates the window (hidden bars have none), places it and shows it.
    void ShowBarControl();
    // The window stores its place into the bar, then goes.
    void HideBarControl();
    // The window's place into the bar: dock and row position, or the floating rectangle.
    void StoreBarControlPosition();
    // Applies DockedLeft/DockedTop or the floating position to the window.
    void UpdateControlPosition();
    void PlaceBarControl();
    // After a drag: the bar takes the window's dock, docking style and place, keeping the window.
    void FollowWindow();

    String GetDisplayText() const override { return caption_; }

    // IdxBarLinksOwner
    bool CanAddItem(TdxBarItem* item, String& errorText) override;
    TCustomdxBarControl* CreateBarControl() override;
    TComponent* GetOwnerObject() override { return this; }
    TdxBarItemLinks* GetOwnerItemLinks() override { return itemLinks_; }

    // The sub items that must hear of the bar's destruction.
    void AddDetachingSubItem(TdxBarItem* item);
    void RemoveDetachingSubItem(TdxBarItem* item);

    // The manager applies the values read while loading.
    void ApplyLoadedState();

protected:
    TcxComponentCollection* CollectionFromParent(TComponent* parent) override;
    void MoveToCollection(TcxComponentCollection* collection) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool IsManagerLoading() const;
    bool StoresDockingStyle() const { return !dockControl_; }
    // Docks the form cannot name (the ribbon's own) are not written.
    bool StoresDockControl() const;
    // A visible bar placed in a dock that shows bar windows gets its window.
    void ShowIfPlaced();
    bool StoresDockedDockingStyle() const { return !dockedDockControl_; }
    // Re-lays out the window (when there is one).
    void UpdateBarControl();
    // Hides and shows the window around a change of its place.
    void ReshowAround(const std::function<void()>& change);
    void Changed();

    TdxBarItemLinks* itemLinks_ = nullptr;
    TdxBarCaptionButtons* captionButtons_ = nullptr;
    TdxBarControl* barControl_ = nullptr;
    TdxDockRow* dockRow_ = nullptr;
    String caption_;
    TdxBarDockingStyles notDocking_;
    TdxDockControl* dockControl_ = nullptr;
    TdxDockControl* dockedDockControl_ = nullptr;
    TdxDockControl* loadedDockControl_ = nullptr;
    TdxBarDockingStyle dockingStyle_ = dsNone;
    TdxBarDockingStyle loadedDockingStyle_ = dsNone;
    TdxBarDockingStyle dockedDockingStyle_ = dsTop;
    TColor color_ = clDefault;
    TdxBarBorderStyle borderStyle_ = bbsSingle;
    int dockedLeft_ = 0, dockedTop_ = 0;
    int floatLeft_ = 0, floatTop_ = 0, floatClientWidth_ = 0, floatClientHeight_ = 0;
    int row_ = 0;
    TdxBar* mergedInto_ = nullptr;
    std::vector<TdxBar*> mergedBars_;
    std::vector<TdxBar*> savedMergedBars_;
    std::vector<TdxBarItem*> detachingSubItems_;
    bool visibleBeforeMerging_ = false;
    bool allowClose_ = true, allowCustomizing_ = true, allowQuickCustomizing_ = true, allowReset_ = true;
    String keyTip_;
    bool hidden_ = false, isMainMenu_ = false, multiLine_ = false, oneOnRow_ = false;
    bool rotateWhenVertical_ = true, showMark_ = true, sizeGrip_ = true, useRestSpace_ = false;
    bool wholeRow_ = false;
    bool visible_ = true, loadedVisible_ = true;
    bool predefined_ = false;
    bool changingDockingStyle_ = false;
    bool storingPosition_ = false;
};

class TdxBars : public TcxComponentCollection {
    Z_CLASS(TdxBars, TcxComponentCollection)
public:
    explicit TdxBars(TdxBarManager* manager);
    ~TdxBars() override;

    // How far beyond a dock's edge a dragged bar is caught.
    static constexpr int DockingZoneSize = 23;

    TdxBarManager* BarManager() const;
    TdxBar* Add() { return static_cast<TdxBar*>(AddNew()); }
    TdxBar* Items(int index) const { return static_cast<TdxBar*>(ItemAt(index)); }
    TdxBar* GetBar(int index) const { return Items(index); }
    int Count() const { return ItemCount(); }

    // Makes the four side docks on the manager's form (none when the manager's owner is not
    // a windowed control).
    void CreateDockControls();
    // The side dock control of a docking style (nil for dsNone and while there is none).
    TdxDockControl* DockControls(TdxBarDockingStyle style) const;
    void SetDockControl(TdxBarDockingStyle style, TdxDockControl* dockControl);
    // Re-lays out every bar that has a window.
    void UpdateAllBars();

    // -- dragging a toolbar window (dxBarDragging.cpp)
    // The modal drag: the window follows the mouse until the button is released, Escape is
    // pressed or the capture goes, jumping into a dock it comes near and out of it.
    void DragBar(TdxBarControl* window);
    // One step of the drag: the window to the screen point (the cursor plus the grab offset).
    void MoveBarTo(TdxBarControl* window, TPoint point);
    // The dock (style and dock, dsNone for none) that takes the bar at the screen point.
    void FindDockingTarget(TdxBar* bar, const TPoint& point, TdxBarDockingStyle& style, TdxDockControl*& dock) const;
    TdxDockControl* FindDockOfStyle(TdxBar* bar, TdxBarDockingStyle style, const TPoint& point) const;
    TdxBarControl* DraggedWindow() const { return draggedWindow_; }
    void SetDraggedWindow(TdxBarControl* window) { draggedWindow_ = window; }
    bool IsMoving() const { return moving_; }
    TdxBarDockingStyle DragStartStyle() const { return dragStartStyle_; }
    TPoint GrabOffset() const { return grabOffset_; }
    TPoint CursorOffset() const { return cursorOffset_; }

private:
    // The step the docking timer runs when the cursor rested over a dock.
    void DockingTimerStep();
    friend void DockingTimerStepFor(TdxBars* bars);

    TdxDockControl* dockControls_[5] = {};
    TdxBarControl* draggedWindow_ = nullptr;
    bool moving_ = false, dockingTimerStep_ = false;
    TdxBarDockingStyle dragStartStyle_ = dsNone;
    TPoint grabOffset_{}, cursorOffset_{};
};
