#pragma once
// TdxBarDragInfo: the link drag of customizing mode, one per manager. DragItem runs it as a
// modal loop on the interface thread that holds the mouse capture: moving the mouse finds the
// bar window and link under it and shows where the link would go (an insertion mark drawn with
// an inverting pen, so drawing it twice erases it), Ctrl copies instead of moving, Escape or a
// lost capture cancel, and the release drops: on nothing the dragged link goes (its item stays),
// on its own place a drag of more than three pixels along the bar sets or clears its group line,
// elsewhere a new link is inserted (and, for a move, the dragged one removed).

#include "SysObject.h"
#include "Control.h"
#include "GraphicsTypes.h"
#include "dxBarForward.h"

class TCustomdxBarControl;

// What the drag is about to do, as the cursor shows it.
enum TdxBarDragState : Byte {
    dsdNone = 0,
    dsdNothingToDrop,  // a release deletes the dragged link
    dsdSamePlace,      // a release toggles the group line by the move's direction
    dsdCategoryList,   // over the Customize dialog's category list
    dsdCopy,
    dsdMove
};

// Where a drop would go in a bar window, as its hit test reports it.
struct TdxBarDropPosition {
    TdxBarItemLink* link = nullptr;
    bool vertical = false;
    bool firstPart = false;   // the point lies in the first half of the link along the layout
    bool beginGroup = false;  // the drop would begin a group before the link
};

class TdxBarDragInfo : public TObject {
    Z_CLASS(TdxBarDragInfo, TObject)
public:
    explicit TdxBarDragInfo(TdxBarManager* manager) : manager_(manager) {}
    ~TdxBarDragInfo() override;

    void BeginDrag(TdxBarItem* item, TdxBarItemLink* link);
    void DragLoop();
    void EndDrag();

    // -- the decisions, also used by the tests through the setters below
    bool CanDropHere() const;
    bool IsCopy() const;
    bool IsSamePlace() const;
    void Drop();
    void DropInsertsLink();
    // The insertion mark's rectangle and side in the drag-over window's client coordinates.
    void CalcDragLineRect(TRect& rect, bool& firstPart) const;
    // Draws the six segments of the mark with the inverting pen.
    static void DrawDragLine(HDC dc, const TRect& rect, bool vertical, bool firstPart);

    TdxBarDragState State() const { return state_; }
    void SetState(TdxBarDragState state);
    TdxBarItem* DraggingItem() const { return item_; }
    TdxBarItemLink* DraggingLink() const { return link_; }
    void SetDragging(TdxBarItem* item, TdxBarItemLink* link) {
        item_ = item;
        link_ = link;
    }
    TCustomdxBarControl* DragOverWindow() const { return overWindow_; }
    const TdxBarDropPosition& DropPosition() const { return over_; }
    void SetDropTarget(TCustomdxBarControl* window, const TdxBarDropPosition& position);
    bool IsDragLineVisible() const { return lineVisible_; }
    // A link being freed is forgotten (the dragged one, the one under the mouse).
    void LinkFreed(TdxBarItemLink* link);

private:
    void HandleMouseMove();
    void UpdateDropTarget(const TPoint& screen);
    TCustomdxBarControl* FindDropTargetWindow(const TPoint& screen) const;
    void UpdateCursor();
    void ShowDragLine();
    void HideDragLine();
    void DeleteDraggedLink();
    void UpdateBeginGroupByDrag();

    TdxBarManager* manager_;
    TdxBarItem* item_ = nullptr;
    TdxBarItemLink* link_ = nullptr;
    TPoint dragDownPoint_{};
    TCursor defaultCursor_ = 0;
    HWND captureWindow_ = nullptr;
    TdxBarDragState state_ = dsdNone;
    int cursorLock_ = 0;
    // Ctrl as the loop's own key messages tell it (the loop dispatches no key message).
    bool ctrlDown_ = false;
    bool cursorModified_ = false;
    TCustomdxBarControl* overWindow_ = nullptr;
    TCustomdxBarControl* lineWindow_ = nullptr;
    TdxBarDropPosition over_;
    bool lineVisible_ = false, lineVertical_ = false, lineFirstPart_ = false;
    TRect lineRect_{};
};
