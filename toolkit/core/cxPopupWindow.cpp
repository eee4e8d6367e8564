#include "cxPopupWindow.h"

#include <algorithm>

#include "cxWindowHelpers.h"

TcxPopupWindow::TcxPopupWindow(TComponent* AOwner) : TForm(AOwner, CreateNew) {
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetPosition(poDesigned);
    cxCanvas_ = new TcxCanvas(Canvas());
}

TcxPopupWindow::~TcxPopupWindow() {
    SetOwnerParent(nullptr);
    FreeAndNil(cxCanvas_);
}

void TcxPopupWindow::SetFrameStyle(TcxPopupFrameStyle v) {
    if (frameStyle_ == v) return;
    frameStyle_ = v;
    Invalidate();
}

void TcxPopupWindow::SetFrameColor(TColor v) {
    if (frameColor_ == v) return;
    frameColor_ = v;
    Invalidate();
}

void TcxPopupWindow::SetOwnerParent(TControl* v) {
    if (ownerParent_ == v) return;
    // The owner parent may go away while the popup lives.
    if (ownerParent_) ownerParent_->RemoveFreeNotification(this);
    ownerParent_ = v;
    if (ownerParent_) ownerParent_->FreeNotification(this);
}

void TcxPopupWindow::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation == opRemove && component == ownerParent_) ownerParent_ = nullptr;
}

void TcxPopupWindow::Popup() {
    InitPopup();
    CalculateSize();
    TPoint p{};
    CalculatePosition(p);
    SetBounds(p.x, p.y, Width(), Height());
    Show();
}

void TcxPopupWindow::ClosePopup() { Hide(); }

void TcxPopupWindow::InitPopup() {
    if (ownerParent_) Font()->Assign(ownerParent_->Font());
}

TRect TcxPopupWindow::OwnerScreenBounds() const {
    if (!ownerParent_) return ownerBounds_;
    TPoint topLeft = ownerParent_->ClientToScreen(TPoint{ownerBounds_.left, ownerBounds_.top});
    TPoint bottomRight = ownerParent_->ClientToScreen(TPoint{ownerBounds_.right, ownerBounds_.bottom});
    return TRect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int TcxPopupWindow::FrameWidthOf(TcxPopupSide) const {
    switch (frameStyle_) {
        case pfsFlat:
        case pfsSingle:
            return 1;
        case pfsDouble:
            return 2;
        default:
            return 0;
    }
}

int TcxPopupWindow::BorderSpaceOf(TcxPopupSide side) const { return FrameWidthOf(side) + borderSpace_; }

TRect TcxPopupWindow::ContentRect() const {
    TRect r = ClientRect();
    r.left += BorderSpaceOf(psLeft);
    r.top += BorderSpaceOf(psTop);
    r.right -= BorderSpaceOf(psRight);
    r.bottom -= BorderSpaceOf(psBottom);
    return r;
}

void TcxPopupWindow::CalculateSize() {
    if (!adjustable_) return;
    TPoint offset{BorderSpaceOf(psLeft), BorderSpaceOf(psTop)};
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        // Measured where the child was placed, not where the last sizing moved it.
        int left = child->Left() - childOffset_.x, top = child->Top() - childOffset_.y;
        right = std::max(right, left + child->Width());
        bottom = std::max(bottom, top + child->Height());
        child->SetBounds(left + offset.x, top + offset.y, child->Width(), child->Height());
    }
    childOffset_ = offset;
    if (ControlCount() > 0 || right != 0 || bottom != 0)
        SetBounds(Left(), Top(), offset.x + right + BorderSpaceOf(psRight),
                  offset.y + bottom + BorderSpaceOf(psBottom));
}

void TcxPopupWindow::CalculatePosition(TPoint& position) {
    const TRect o = OwnerScreenBounds();
    const int width = Width(), height = Height();
    TcxPopupAlignHorz horz = alignHorz_;
    TcxPopupAlignVert vert = alignVert_;
    int x = 0, y = 0;
    TPoint reference{o.left, o.top};

    if (horz == pahCenter) x = (o.left + o.right - width) / 2;
    if (vert == pavCenter) y = (o.top + o.bottom - height) / 2;
    auto place = [&] {
        if (direction_ == pdVertical) {
            if (horz == pahLeft)
                x = o.left, reference.x = o.left;
            else if (horz == pahRight)
                x = o.right - width, reference.x = o.right;
            if (vert == pavTop)
                y = o.top - height, reference.y = o.top;
            else if (vert == pavBottom)
                y = o.bottom, reference.y = o.bottom;
        } else {
            if (horz == pahLeft)
                x = o.left - width, reference.x = o.left;
            else if (horz == pahRight)
                x = o.right, reference.x = o.right;
            if (vert == pavTop)
                y = o.top, reference.y = o.top;
            else if (vert == pavBottom)
                y = o.bottom - height, reference.y = o.bottom;
        }
    };
    place();
    const TRect w = WorkAreaAtPoint(reference);

    if (direction_ == pdVertical) {
        int below = w.bottom - o.bottom, above = o.top - w.top;
        if (vert == pavBottom && y + height > w.bottom && below < above)
            vert = pavTop, place();
        else if (vert == pavTop && y < w.top && below >= above)
            vert = pavBottom, place();
    } else {
        int right = w.right - o.right, left = o.left - w.left;
        if (horz == pahRight && x + width > w.right && right < left)
            horz = pahLeft, place();
        else if (horz == pahLeft && x < w.left && right >= left)
            horz = pahRight, place();
    }

    if (direction_ == pdVertical || horz == pahCenter) {
        if (x + width > w.right) x = w.right - width;
        if (x < w.left) x = w.left;
    }
    if (direction_ == pdHorizontal || vert == pavCenter) {
        if (y + height > w.bottom) y = w.bottom - height;
        if (y < w.top) y = w.top;
    }
    position = TPoint{x, y};
}

void TcxPopupWindow::Paint() {
    TForm::Paint();
    DrawFrame();
}

void TcxPopupWindow::DrawFrame() {
    TRect r{0, 0, Width(), Height()};
    switch (frameStyle_) {
        case pfsFlat:
            cxCanvas_->FrameRectBorders(r, frameColor_);
            break;
        case pfsSingle:
            cxCanvas_->DrawBevelBorders(r, false, false);
            break;
        case pfsDouble:
            cxCanvas_->DrawBevelBorders(r, false, true);
            InflateRect(&r, -1, -1);
            cxCanvas_->DrawBevelBorders(r, false, false);
            break;
        default:
            break;
    }
}

void TcxPopupWindow::WMActivate(TMessage& Message) {
    if (LOWORD(Message.WParam) != WA_INACTIVE) {
        // Keep the caption of the window we took the activation from looking active.
        previousActiveWindow_ = reinterpret_cast<HWND>(Message.LParam);
        if (previousActiveWindow_ && IsWindow(previousActiveWindow_))
            SendMessageW(previousActiveWindow_, WM_NCACTIVATE, TRUE, 0);
    }
    Inherited<TForm>(Message);
}

void TcxPopupWindow::WMActivateApp(TMessage& Message) {
    Inherited<TForm>(Message);
    if (Message.WParam) return;
    if (previousActiveWindow_ && IsWindow(previousActiveWindow_))
        SendMessageW(previousActiveWindow_, WM_NCACTIVATE, FALSE, 0);
    ClosePopup();
}

void TcxPopupWindow::Deactivate() {
    TForm::Deactivate();
    ClosePopup();
}

void TcxPopupWindow::CMShowingChanged(TMessage& Message) {
    Inherited<TForm>(Message);
    VisibilityChanged();
}
