#pragma once
// Dragging in toolkit controls, two kinds of it.
//
// The toolkit's own drag-and-drop moves something inside a control (a derived control decides
// where it may start, StartDragAndDropAt, and what it means): the control's mouse handling
// drives it through a state (none, starting, in progress) and a TcxDragAndDropObject that gives
// feedback, picks the cursor and applies or discards the result (FinishDrop).
//
// The platform's drag (dragging a control to other controls) starts only after DetectDragStart
// has seen a real drag gesture, uses a TcxDragControlObject that frees itself, shows the copy
// cursor while Ctrl is held, and may carry drag images the control draws.

#include "DragDrop.h"
#include "ImageList.h"
#include "cxClasses.h"

class TcxControl;
class TcxCanvas;

// ---- the toolkit's drag-and-drop -----------------------------------------------------------

class TcxDragAndDropObject : public TObject {
    Z_ARG_FAMILY_CLASS(TcxDragAndDropObject, TObject, TcxDragAndDropObject, TcxControl*)
public:
    explicit TcxDragAndDropObject(TcxControl* control);

    TcxControl* Control() const { return control_; }
    TcxCanvas* Canvas() const { return canvas_; }
    bool Dirty() const { return dirty_; }
    void SetDirty(bool value);
    // In the control's client coordinates; (-1, -1) before the first move.
    TPoint CurMousePos() const { return curMousePos_; }
    TPoint PrevMousePos() const { return prevMousePos_; }

    // The drag-and-drop begins: both positions are the cursor's, then BeginFeedback.
    void Init();
    void DoMove(TPoint p, bool& accepted);
    void DoFinish(bool accepted);

    // Whether a press on a draggable spot begins the drag-and-drop at once (without waiting
    // for the pointer to leave the drag threshold).
    virtual bool StartsImmediately() const { return false; }

protected:
    // Called whenever Dirty changes and when the drag-and-drop begins.
    virtual void FeedbackChanged() {}
    // The platform's no-drop cursor when not accepted, its drag cursor when accepted.
    virtual TCursor CursorFor(bool accepted) const { return accepted ? crDrag : crNoDrop; }
    // Applies (accepted) or discards the result.
    virtual void FinishDrop(bool accepted) { (void)accepted; }
    virtual void BeginFeedback() { FeedbackChanged(); }
    // Derived objects decide `accepted` before calling the base, which sets the screen cursor.
    virtual void MoveTo(TPoint p, bool& accepted);
    virtual void PrepareFinish(bool accepted) {
        (void)accepted;
        SetDirty(true);
    }

private:
    TcxControl* control_;
    TcxCanvas* canvas_;
    bool dirty_ = false;
    TPoint curMousePos_{-1, -1}, prevMousePos_{-1, -1};
};

// ---- the platform drag ---------------------------------------------------------------------

// The platform drag object of a TcxControl. It frees itself once the drag has finished.
class TcxDragControlObject : public TDragControlObject {
    Z_ARG_FAMILY_CLASS(TcxDragControlObject, TDragControlObject, TDragObject, TControl*)
public:
    explicit TcxDragControlObject(TControl* control) : TDragControlObject(control) {}
    // The copy cursor over an accepting target while the control copies (Ctrl held).
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};

// The image list a control's drag images are drawn into.
class TcxDragImageList : public TDragImageList {
    Z_CLASS(TcxDragImageList, TDragImageList)
public:
    explicit TcxDragImageList(TComponent* AOwner) : TDragImageList(AOwner) {}
};

// What DetectDragStart saw.
enum TcxDragDetectResult : Byte { ddrClick, ddrDrag, ddrCancel };

// A modal loop on the window (which takes the mouse) until the pointer leaves a square of twice
// the drag threshold around where it was (a drag), a button is released (a click), or Escape,
// a lost capture or the end of the program cancels.
TcxDragDetectResult DetectDragStart(HWND window);
// Whether (x, y) lies less than the drag threshold from the press point on both axes.
bool IsPointInDragDetectArea(TPoint pressPoint, int x, int y);
// The platform drag object while a platform drag moves over toolkit controls (their painting
// hides its image meanwhile); nil when none.
TDragObject* CurrentDragObject();
