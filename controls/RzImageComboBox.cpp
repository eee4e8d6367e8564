#include "RzImageComboBox.h"

#include <algorithm>

#include "Brush.h"
#include "Canvas.h"
#include "Form.h"
#include "SysUtils.h"

// Sections: TRzImageComboBoxItem; items; item height; drawing.

// ---- TRzImageComboBoxItem

void TRzImageComboBoxItem::Repaint() {
    if (owner_) owner_->Invalidate();
}

void TRzImageComboBoxItem::SetImageIndex(int v) {
    if (AssignIfChanged(imageIndex_, v)) Repaint();
}

void TRzImageComboBoxItem::SetOverlayIndex(int v) {
    if (AssignIfChanged(overlayIndex_, v)) Repaint();
}

void TRzImageComboBoxItem::SetCaption(const String& v) {
    if (AssignIfChanged(caption_, v)) Repaint();
}

// ---- items

TRzCustomImageComboBox::TRzCustomImageComboBox(TComponent* AOwner)
    : TRzCustomComboBox(AOwner), imagesLink_(new TChangeLink) {
    SetStyle(csOwnerDrawFixed);
    SetShowFocus(false);
    imagesLink_->OnChange = MakeEvent(this, &TRzCustomImageComboBox::ImagesChanged);
}

TRzCustomImageComboBox::~TRzCustomImageComboBox() {
    // The window's own deletions report nothing: the items go here.
    if (HandleAllocated()) DestroyHandle();
    for (int i = 0; i < Items()->Count(); ++i) {
        auto* item = As<TRzImageComboBoxItem>(Items()->Objects(i));
        Items()->PutObject(i, nullptr);
        if (item && OnDeleteImageItem) OnDeleteImageItem(this, item);
        delete item;
    }
    if (images_) images_->UnRegisterChanges(imagesLink_);
    delete imagesLink_;
}

TRzImageComboBoxItem* TRzCustomImageComboBox::AddItem(const String& caption, int imageIndex, int indentLevel) {
    auto* item = new TRzImageComboBoxItem(this);
    item->caption_ = caption;
    item->imageIndex_ = imageIndex;
    item->indentLevel_ = indentLevel;
    item->index_ = Items()->AddObject(caption, item);
    Renumber();
    return item;
}

TRzImageComboBoxItem* TRzCustomImageComboBox::ItemAt(int index) const {
    return As<TRzImageComboBoxItem>(Items()->Objects(index));
}

void TRzCustomImageComboBox::Renumber() {
    for (int i = 0; i < Items()->Count(); ++i)
        if (TRzImageComboBoxItem* item = ItemAt(i)) item->index_ = i;
}

void TRzCustomImageComboBox::Delete(int index) {
    TRzImageComboBoxItem* item = ItemAt(index);
    freeObjOnDelete_ = true;
    freedByWindow_ = nullptr;
    try {
        Items()->Delete(index);
    } catch (...) {
        freeObjOnDelete_ = false;
        throw;
    }
    freeObjOnDelete_ = false;
    // Without a window no deletion message came: the item is reported and freed here.
    if (item && freedByWindow_ != item) {
        if (OnDeleteImageItem) OnDeleteImageItem(this, item);
        delete item;
    }
    Renumber();
}

void TRzCustomImageComboBox::ClearItems() {
    Items()->BeginUpdate();
    try {
        for (int i = Items()->Count() - 1; i >= 0; --i) Delete(i);
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
}

void TRzCustomImageComboBox::DoDeleteItem(void* data) {
    auto* item = As<TRzImageComboBoxItem>(static_cast<TObject*>(data));
    TRzCustomComboBox::DoDeleteItem(data);
    if (!item) return;
    if (OnDeleteImageItem) OnDeleteImageItem(this, item);
    if (freeObjOnDelete_) {
        freedByWindow_ = item;
        delete item;
    }
}

int TRzCustomImageComboBox::IndexOfText(const String& text) {
    for (int i = 0; i < Items()->Count(); ++i)
        if (TRzImageComboBoxItem* item = ItemAt(i); item && AnsiCompareText(item->Caption(), text) == 0) return i;
    return -1;
}

void TRzCustomImageComboBox::SetImages(TCustomImageList* v) {
    if (images_ == v) return;
    if (images_) {
        images_->UnRegisterChanges(imagesLink_);
        images_->RemoveFreeNotification(this);
    }
    images_ = v;
    if (v) {
        v->RegisterChanges(imagesLink_);
        v->FreeNotification(this);
    }
    ImagesChanged(nullptr);
}

void TRzCustomImageComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TRzCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

// ---- item height

int TRzCustomImageComboBox::AutoItemHeight() const {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int height = std::abs(int(tm.tmHeight)) + 4;
    if (images_) height = std::max(height, int(images_->Height()));
    return height;
}

void TRzCustomImageComboBox::FitItemHeight() {
    if (autoSizeHeight_ && !IsLoading()) SetItemHeight(AutoItemHeight());
}

void TRzCustomImageComboBox::SetAutoSizeHeight(bool v) {
    if (AssignIfChanged(autoSizeHeight_, v)) FitItemHeight();
}

void TRzCustomImageComboBox::ImagesChanged(TObject*) {
    FitItemHeight();
    Invalidate();
}

void TRzCustomImageComboBox::CreateWnd() {
    // The height is settled before the window exists, so that it needs no second window.
    if (autoSizeHeight_ && !IsLoading()) {
        int height = AutoItemHeight();
        if (height != ItemHeight()) TRzCustomComboBox::SetItemHeight(height);
    }
    TRzCustomComboBox::CreateWnd();
    SendMessageW(WindowHandle(), CB_SETEXTENDEDUI, TRUE, 0);
}

void TRzCustomImageComboBox::CMFontChanged(TMessage& Message) {
    Inherited<TRzCustomComboBox>(Message);
    if (HandleAllocated()) FitItemHeight();
}

void TRzCustomImageComboBox::WMEraseBkgnd(TMessage& Message) {
    auto* form = As<TCustomForm>(Owner());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(form ? form->Color() : clWindow));
    RECT r;
    GetClientRect(WindowHandle(), &r);
    FillRect(HDC(Message.WParam), &r, brush);
    DeleteObject(brush);
    Message.Result = 1;
}

// ---- drawing

void TRzCustomImageComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TRzImageComboBoxItem* item = Index >= 0 && Index < Items()->Count() ? ItemAt(Index) : nullptr;
    if (!item) return;
    DoGetItemData(item);
    TCanvas* canvas = Canvas();
    bool selected = State.Contains(odSelected);
    int level = State.Contains(odComboBoxEdit) ? 0 : item->IndentLevel();
    int indent = itemIndent_ * level;
    // Only the caption shows the selection.
    TColor selectionBrush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect);
    if (images_) {
        // On the control's colour without changing the list: a change would repaint every client
        // of the list, this combo included, without end.
        int y = Rect.top + (RectHeight(Rect) - images_->Height()) / 2;
        images_->DrawOnBackground(canvas, Rect.left + 2 + indent, y, item->ImageIndex(), Color(), Enabled());
        if (item->OverlayIndex() >= 0)
            ImageList_DrawEx(images_->Handle(), item->ImageIndex(), canvas->Handle(), Rect.left + 2 + indent, y, 0, 0,
                             CLR_NONE, CLR_NONE, ILD_TRANSPARENT | INDEXTOOVERLAYMASK(item->OverlayIndex() + 1));
    }
    TRect caption = Rect;
    caption.left = Rect.left + 1 + indent + (images_ ? images_->Width() + 4 : 4);
    caption.right = caption.left + canvas->TextWidth(item->Caption()) + 3;
    caption.bottom = Rect.bottom - 1;
    canvas->Brush()->SetColor(selected ? selectionBrush : Color());
    if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
    canvas->TextRect(caption, caption.left + 1, caption.top + 1, item->Caption());
}
