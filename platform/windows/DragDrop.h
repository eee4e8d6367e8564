#pragma once
// Drag and drop between controls of the program.
//
// A drag begins with BeginDrag (or a press on a control whose DragMode is dmAutomatic): the
// source's DoStartDrag (OnStartDrag) may supply a drag object, otherwise a TDragControlObject
// is made for the source. A hidden window takes the mouse; while the button is held, every move
// finds the control under the cursor and asks it through CM_DRAG (OnDragOver with dsDragEnter,
// dsDragMove, and dsDragLeave for the one it leaves) whether it accepts; the drag object picks
// the cursor (crDrag or crNoDrop by default) and may show images under it. Releasing the button
// over an accepting control drops there (OnDragDrop); then the drag object is finished, which
// for a control's object fires the source's OnEndDrag with the target (null when nothing took
// it). Escape, a right button or a lost capture cancel.
//
// Sections: messages; drag objects; the running drag.

#include "Control.h"

class TDragImageList;

// ---- messages ----

// CM_DRAG: WParam is a TDragMessage, LParam a TDragRec*; the answer to enter and move is
// non-zero when the control accepts the source.
enum TDragMessage : Byte { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel };

struct TDragRec {
    TPoint Pos;  // screen coordinates of the cursor
    TDragObject* Source;
};

// ---- drag objects ----

class TDragObject : public TObject {
    Z_CLASS(TDragObject, TObject)
public:
    TDragObject() = default;

    // Where the cursor is (screen), the control under it, and how the drag ended.
    TPoint DragPos() const { return dragPos_; }
    TControl* DragTarget() const { return dragTarget_; }
    bool Dropped() const { return dropped_; }
    bool Cancelling() const { return cancelling_; }

    // The cursor over the target at X, Y (its client coordinates): crDrag when it accepts,
    // crNoDrop when not.
    virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
    // The images shown under the cursor; null for none.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // Hide and show the drag image (a target repainting under it calls them around its paint).
    virtual void HideDragImage();
    virtual void ShowDragImage();
    // Called once when the drag ended, with the target that took the drop (null when none) and
    // the point in the target's client coordinates.
    virtual void Finished(TObject* Target, int X, int Y, bool Accepted) {}

private:
    friend class TDragSession;
    TPoint dragPos_{};
    TControl* dragTarget_ = nullptr;
    bool dropped_ = false;
    bool cancelling_ = false;
};

// A drag object that carries a control.
class TBaseDragControlObject : public TDragObject {
    Z_CLASS(TBaseDragControlObject, TDragObject)
public:
    explicit TBaseDragControlObject(TControl* control) : control_(control) {}
    TControl* Control() const { return control_; }

private:
    TControl* control_;
};

// The drag object of a dragged control: its DragCursor over an accepting target, its drag
// images, and its OnEndDrag when the drag is finished.
class TDragControlObject : public TBaseDragControlObject {
    Z_CLASS(TDragControlObject, TBaseDragControlObject)
public:
    explicit TDragControlObject(TControl* control) : TBaseDragControlObject(control) {}
    TCursor GetDragCursor(bool Accepted, int X, int Y) override;
    TDragImageList* GetDragImages() override;
    void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};

// The drag object of a control being docked (the dock events carry it): where in the site it
// goes, beside which client.
class TDragDockObject : public TBaseDragControlObject {
    Z_CLASS(TDragDockObject, TBaseDragControlObject)
public:
    explicit TDragDockObject(TControl* control, TAlign dropAlign = alNone, TControl* dropOnControl = nullptr)
        : TBaseDragControlObject(control), dropAlign_(dropAlign), dropOnControl_(dropOnControl) {}
    TAlign DropAlign() const { return dropAlign_; }
    TControl* DropOnControl() const { return dropOnControl_; }

private:
    TAlign dropAlign_;
    TControl* dropOnControl_;
};

// What the drag events name as Source: the control of a control's drag object, else the object.
TObject* DragSourceObject(TDragObject* dragObject);

// ---- the running drag ----

// The drag object of the running drag; null when none runs.
TDragObject* DragObject();
// The control whose drag runs; null when none, or when the drag object carries no control.
TControl* DragSourceControl();
// The hidden window that holds the mouse during a drag (keys go to it); null when none.
HWND DragCaptureWindow();
// Starts dragging control (see TControl::BeginDrag).
void StartDragOf(TControl* control, bool immediate, int threshold);
// Called from a DoStartDrag override: the drag does not start (the override has freed any
// object it supplied).
void CancelDragStart();
// Ends the running drag: dropped at the cursor, or cancelled.
void FinishDrag(bool drop);
// Internal: a control is being destroyed; a drag from or over it ends without its events.
void DragControlDestroyed(TControl* control);
