#include "DragDrop.h"

#include <cstdlib>
#include <utility>

#include "ImageList.h"
#include "MessageWindow.h"
#include "Screen.h"
#include "WinControl.h"

// Sections: drag objects; the running drag (TDragSession); entry points.

// ---- drag objects ----

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

void TDragObject::HideDragImage() {
    if (TDragImageList* images = GetDragImages()) images->HideDragImage();
}

void TDragObject::ShowDragImage() {
    if (TDragImageList* images = GetDragImages()) images->ShowDragImage();
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    return Accepted ? Control()->DragCursor() : TDragObject::GetDragCursor(false, X, Y);
}

TDragImageList* TDragControlObject::GetDragImages() { return Control()->GetDragImages(); }

void TDragControlObject::Finished(TObject* Target, int X, int Y, bool) { Control()->DoEndDrag(Target, X, Y); }

TObject* DragSourceObject(TDragObject* dragObject) {
    if (auto* control = As<TBaseDragControlObject>(dragObject)) return control->Control();
    return dragObject;
}

// ---- the running drag ----

// One drag from its start to its end. The capture window hears the mouse (and the keys, which
// the application hands to the window that holds the capture).
class TDragSession {
public:
    TDragSession(TDragObject* object, bool ownsObject, TControl* source, int threshold)
        : object_(object), ownsObject_(ownsObject), source_(source), threshold_(threshold) {
        GetCursorPos(&start_);
        window_ = AllocateHWnd(MakeEvent(this, &TDragSession::WndProc));
        SetCapture(window_);
    }

    TDragObject* Object() const { return object_; }
    TControl* Source() const { return source_; }
    HWND Window() const { return window_; }

    void MoveTo(TPoint p);
    // Ends the drag; the session is gone when it returns.
    void Finish(bool drop);
    // The control goes away: forget it without sending it anything more.
    void Forget(TControl* control);

private:
    void WndProc(TMessage& message);
    bool SendDrag(TControl* target, TDragMessage kind, TPoint p);
    void UpdateImage(TPoint p);

    TDragObject* object_;
    bool ownsObject_;
    TControl* source_;
    int threshold_;
    TPoint start_{};
    HWND window_ = nullptr;
    bool active_ = false;    // the mouse has left the threshold
    bool accepted_ = false;  // the current target accepts
    bool imageShown_ = false;
    HWND imageWindow_ = nullptr;  // the window the drag image is drawn on
    bool finishing_ = false;
};

namespace {
TDragSession* currentDrag = nullptr;
bool dragStartCancelled = false;
}  // namespace

bool TDragSession::SendDrag(TControl* target, TDragMessage kind, TPoint p) {
    TDragRec rec{p, object_};
    return target->Perform(CM_DRAG, kind, reinterpret_cast<LPARAM>(&rec)) != 0;
}

void TDragSession::MoveTo(TPoint p) {
    if (!active_) {
        if (std::abs(p.x - start_.x) < threshold_ && std::abs(p.y - start_.y) < threshold_) return;
        active_ = true;
    }
    object_->dragPos_ = p;
    TControl* target = FindDragTarget(p, false);
    TControl* old = object_->dragTarget_;
    if (target != old) {
        object_->dragTarget_ = nullptr;
        if (old) SendDrag(old, dmDragLeave, p);
        // The leave handler may have ended the drag.
        if (currentDrag != this) return;
        object_->dragTarget_ = target;
        accepted_ = target && SendDrag(target, dmDragEnter, p);
    } else {
        accepted_ = target && SendDrag(target, dmDragMove, p);
    }
    if (currentDrag != this) return;
    TPoint local = target ? target->ScreenToClient(p) : p;
    ::SetCursor(Screen->Cursors(object_->GetDragCursor(accepted_, local.x, local.y)));
    UpdateImage(p);
}

void TDragSession::UpdateImage(TPoint p) {
    TDragImageList* images = object_->GetDragImages();
    if (!images || images->Count() == 0) return;
    TControl* target = object_->dragTarget_;
    bool wanted = target && target->HasStyle(csDisplayDragImage);
    // The image is drawn on the target's top-level window (the screen's own surface lies under
    // every window), so it moves to another window with the target.
    HWND lock = nullptr;
    if (target) {
        auto* windowed = As<TWinControl>(target);
        if (!windowed) windowed = target->Parent();
        if (windowed && windowed->HandleAllocated()) lock = GetAncestor(windowed->WindowHandle(), GA_ROOT);
    }
    if (images->Dragging() && lock && lock != imageWindow_) images->EndDrag();
    if (lock && lock != imageWindow_) imageWindow_ = lock;
    RECT frame{};
    if (imageWindow_) GetWindowRect(imageWindow_, &frame);
    int x = p.x - frame.left, y = p.y - frame.top;
    if (!images->Dragging()) {
        if (!wanted || !imageWindow_) return;
        images->BeginDrag(imageWindow_, x, y);
        imageShown_ = true;
    } else {
        images->DragMove(x, y);
    }
    if (wanted != imageShown_) {
        imageShown_ = wanted;
        if (wanted)
            images->ShowDragImage();
        else
            images->HideDragImage();
    }
}

void TDragSession::Finish(bool drop) {
    if (finishing_) return;
    finishing_ = true;
    currentDrag = nullptr;
    TControl* target = object_->dragTarget_;
    bool accepted = drop && active_ && accepted_ && target;
    object_->dropped_ = accepted;
    object_->cancelling_ = !drop;
    if (TDragImageList* images = object_->GetDragImages()) images->EndDrag();
    HWND window = window_;
    window_ = nullptr;
    if (GetCapture() == window) ReleaseCapture();
    DeallocateHWnd(window);
    ::SetCursor(Screen->Cursors(crDefault));

    TPoint p = object_->dragPos_;
    TPoint local = target ? target->ScreenToClient(p) : p;
    // A later drag may start from these handlers: nothing of this session is touched after them
    // but the object it owns.
    TDragObject* object = object_;
    bool owns = ownsObject_;
    delete this;
    try {
        if (target) {
            TDragRec rec{p, object};
            target->Perform(CM_DRAG, accepted ? dmDragDrop : dmDragLeave, reinterpret_cast<LPARAM>(&rec));
        }
        object->Finished(accepted ? target : nullptr, local.x, local.y, accepted);
    } catch (...) {
        if (owns) delete object;
        throw;
    }
    if (owns) delete object;
}

void TDragSession::Forget(TControl* control) {
    if (object_->dragTarget_ == control) {
        object_->dragTarget_ = nullptr;
        accepted_ = false;
    }
    if (source_ == control) {
        source_ = nullptr;
        if (ownsObject_) {
            // The object made for the control would report to it: end with a plain one, so the
            // control that is going away hears nothing more.
            delete object_;
            object_ = new TDragObject();
        }
        Finish(false);
    }
}

void TDragSession::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_MOUSEMOVE: {
            POINT p = MessagePoint(message.LParam);
            ::ClientToScreen(window_, &p);
            MoveTo(p);
            return;
        }
        case WM_LBUTTONUP:
            Finish(true);
            return;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            Finish(false);
            return;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(message.LParam) != window_) Finish(false);
            return;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (message.WParam == VK_ESCAPE) {
                Finish(false);
            } else if (active_ && (message.WParam == VK_CONTROL || message.WParam == VK_SHIFT)) {
                // The drag object's cursor may depend on the modifier keys.
                POINT p;
                GetCursorPos(&p);
                MoveTo(p);
            }
            return;
    }
    message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
}

// ---- entry points ----

TDragObject* DragObject() { return currentDrag ? currentDrag->Object() : nullptr; }

TControl* DragSourceControl() { return currentDrag ? currentDrag->Source() : nullptr; }

HWND DragCaptureWindow() { return currentDrag ? currentDrag->Window() : nullptr; }

void StartDragOf(TControl* control, bool immediate, int threshold) {
    if (currentDrag) return;
    TDragObject* object = nullptr;
    dragStartCancelled = false;
    control->DoStartDrag(object);
    if (std::exchange(dragStartCancelled, false)) return;
    if (currentDrag) return;  // the handler started another drag
    bool owns = object == nullptr;
    if (owns) object = new TDragControlObject(control);
    currentDrag = new TDragSession(object, owns, control, immediate ? 0 : threshold);
    if (immediate) {
        POINT p;
        GetCursorPos(&p);
        currentDrag->MoveTo(p);
    }
}

void CancelDragStart() { dragStartCancelled = true; }

void FinishDrag(bool drop) {
    if (currentDrag) currentDrag->Finish(drop);
}

void DragControlDestroyed(TControl* control) {
    if (currentDrag) currentDrag->Forget(control);
}
