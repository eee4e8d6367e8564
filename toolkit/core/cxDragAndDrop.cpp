#include "cxDragAndDrop.h"

#include <cstdlib>

#include "Bitmap.h"
#include "Mouse.h"
#include "Screen.h"
#include "cxControl.h"
#include "cxGraphics.h"
#include "cxWindowHelpers.h"

// Sections: the drag-and-drop object · the platform drag objects · drag detection · TcxControl's
// drag-and-drop · TcxControl's platform drag.

namespace {
TDragObject* currentDragObject = nullptr;
}

TDragObject* CurrentDragObject() { return currentDragObject; }

// ---- the drag-and-drop object --------------------------------------------------------------

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* control) : control_(control), canvas_(control->cxCanvas()) {}

void TcxDragAndDropObject::SetDirty(bool value) {
    if (dirty_ == value) return;
    dirty_ = value;
    FeedbackChanged();
}

void TcxDragAndDropObject::Init() {
    curMousePos_ = prevMousePos_ = control_->ScreenToClient(Mouse->CursorPos());
    BeginFeedback();
}

void TcxDragAndDropObject::DoMove(TPoint p, bool& accepted) {
    prevMousePos_ = curMousePos_;
    curMousePos_ = p;
    MoveTo(p, accepted);
}

void TcxDragAndDropObject::DoFinish(bool accepted) {
    PrepareFinish(accepted);
    FinishDrop(accepted);
}

void TcxDragAndDropObject::MoveTo(TPoint, bool& accepted) {
    SetDirty(false);
    if (Screen) Screen->SetCursor(CursorFor(accepted));
}

// ---- the platform drag objects -------------------------------------------------------------

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
    auto* control = As<TcxControl>(Control());
    if (Accepted && control && control->IsCopyDragDrop()) return crcxDragCopy;
    return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
    try {
        TDragControlObject::Finished(Target, X, Y, Accepted);
    } catch (...) {
        delete this;
        throw;
    }
    delete this;
}

// ---- drag detection ------------------------------------------------------------------------

bool IsPointInDragDetectArea(TPoint pressPoint, int x, int y) {
    const int threshold = Mouse->DragThreshold();
    return std::abs(x - pressPoint.x) < threshold && std::abs(y - pressPoint.y) < threshold;
}

TcxDragDetectResult DetectDragStart(HWND window) {
    const int threshold = Mouse->DragThreshold();
    const TPoint start = Mouse->CursorPos();
    const TRect dragRect{start.x - threshold, start.y - threshold, start.x + threshold, start.y + threshold};
    SetCapture(window);
    TcxDragDetectResult result = ddrCancel;
    bool decided = false;
    while (!decided && GetCapture() == window) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));  // for the loop that runs the program
            break;
        }
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_ESCAPE) decided = true;
                break;
            case WM_MOUSEMOVE:
                if (msg.hwnd == window) {
                    POINT p{SmallInt(LOWORD(msg.lParam)), SmallInt(HIWORD(msg.lParam))};
                    ClientToScreen(window, &p);
                    if (!PtInRect(&dragRect, p)) {
                        result = ddrDrag;
                        decided = true;
                    }
                }
                break;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
                result = ddrClick;
                decided = true;
                break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (GetCapture() == window) ReleaseCapture();
    return result;
}

// ---- TcxControl's drag-and-drop ------------------------------------------------------------

TcxDragAndDropObjectClass TcxControl::DragAndDropObjectClass() const {
    return dragAndDropObjectClass_ ? dragAndDropObjectClass_ : TcxDragAndDropObject::StaticClass();
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
    if (!dragAndDropObject_) dragAndDropObject_ = DragAndDropObjectClass()->Create(this);
    return dragAndDropObject_;
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState value) {
    if (dragAndDropState_ == value) return;
    dragAndDropState_ = value;
    if (value == ddsNone && !finishingDragAndDrop_) CancelMouseOperations();
}

void TcxControl::BeginDragAndDrop() {
    TcxObjectLinkGuard self(this);
    DragAndDropObject()->Init();
    if (!self.Alive()) return;
    SetMouseCapture(true);
    dragAndDropPrevCursor_ = Screen ? Screen->Cursor() : crDefault;
    SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDropMove(TPoint p, bool& accepted) { DragAndDropObject()->DoMove(p, accepted); }

void TcxControl::EndDragAndDrop(bool accepted) {
    SetDragAndDropState(ddsNone);
    if (Screen) Screen->SetCursor(dragAndDropPrevCursor_);
    SetMouseCapture(false);
    SetMouseCaptureObject(nullptr);
    DragAndDropObject()->DoFinish(accepted);
}

void TcxControl::FinishDragAndDrop(bool accepted) {
    if (finishingDragAndDrop_) return;
    if (dragAndDropState_ == ddsNone && !dragAndDropObject_) return;
    finishingDragAndDrop_ = true;
    TcxObjectLinkGuard self(this);
    auto finish = [&] {
        if (!self.Alive()) return;
        delete dragAndDropObject_;
        dragAndDropObject_ = nullptr;
        finishingDragAndDrop_ = false;
    };
    try {
        if (dragAndDropState_ == ddsInProcess)
            EndDragAndDrop(accepted);
        else
            SetDragAndDropState(ddsNone);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// ---- TcxControl's platform drag ------------------------------------------------------------

TcxDragControlObjectClass TcxControl::DragControlObjectClass() const { return TcxDragControlObject::StaticClass(); }

TClass TcxControl::DragImageListClass() const { return TcxDragImageList::StaticClass(); }

bool TcxControl::IsCopyDragDrop() const { return IsCtrlKeyDown(); }

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
    TcxObjectLinkGuard self(this);
    Update();
    TCustomControl::DoStartDrag(DragObject);
    if (!self.Alive()) {
        delete DragObject;
        DragObject = nullptr;
        CancelDragStart();
        return;
    }
    if (!DragObject) DragObject = DragControlObjectClass()->Create(this);
    if (!AcceptsDragObject(DragObject)) {
        delete DragObject;
        DragObject = nullptr;
        CancelDragStart();
        return;
    }
    if (HasDragImages()) {
        if (!dragImages_)
            dragImages_ = static_cast<TDragImageList*>(DragImageListClass()->Create(static_cast<TComponent*>(nullptr)));
        InitDragImages(dragImages_);
    }
}

void TcxControl::InitDragImages(TDragImageList* images) {
    images->Clear();
    const TSize size = DragImageSize();
    images->SetSize(size.cx, size.cy);
    if (size.cx == 0 || size.cy == 0) return;
    TBitmap bitmap(size.cx, size.cy);
    TcxCanvas canvas(bitmap.Canvas());
    DrawDragImage(&canvas, TRect{0, 0, size.cx, size.cy});
    images->AddMasked(&bitmap, bitmap.TransparentColor());
}

TDragImageList* TcxControl::GetDragImages() { return dragImages_ && dragImages_->Count() > 0 ? dragImages_ : nullptr; }

void TcxControl::DoEndDrag(TObject* Target, int X, int Y) {
    TcxObjectLinkGuard self(this);
    TCustomControl::DoEndDrag(Target, X, Y);
    if (self.Alive()) FreeDragImages();
}

void TcxControl::FreeDragImages() { FreeAndNil(dragImages_); }

void TcxControl::CMDrag(TMessage& Message) {
    auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
    const auto kind = TDragMessage(Message.WParam);
    Inherited<TCustomControl>(Message);
    currentDragObject = (kind == dmDragEnter || kind == dmDragMove) && rec ? rec->Source : nullptr;
}
