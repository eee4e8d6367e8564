#include "ImageList.h"

#include <objidl.h>

#include <algorithm>

#include "Filer.h"

// --- change links

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

// --- the image list

namespace {

COLORREF ListColor(TColor color) {
    if (color == clNone) return CLR_NONE;
    if (color == clDefault) return CLR_DEFAULT;
    return ColorToRGB(color) & 0xFFFFFF;
}

}  // namespace

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, Integer width, Integer height) : TComponent(owner) {
    SetSize(width, height);
}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : links_) link->sender_ = nullptr;
    links_.clear();
    FreeHandle();
}

void TCustomImageList::FreeHandle() {
    if (handle_ && !shareImages_) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

HIMAGELIST TCustomImageList::Handle() {
    if (!handle_) {
        handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | (masked_ ? ILC_MASK : 0), allocBy_, allocBy_);
        if (!handle_) throw EOutOfResources(L"Out of system resources");
        ImageList_SetBkColor(handle_, ListColor(bkColor_));
    }
    return handle_;
}

void TCustomImageList::SetHandle(HIMAGELIST value) {
    if (value == handle_) return;
    FreeHandle();
    handle_ = value;
    if (handle_) {
        int w = 0, h = 0;
        ImageList_GetIconSize(handle_, &w, &h);
        width_ = w;
        height_ = h;
        bkColor_ = ImageList_GetBkColor(handle_) == CLR_NONE ? clNone : TColor(ImageList_GetBkColor(handle_));
    }
    Change();
}

// A new empty system list with the current properties, when one existed.
void TCustomImageList::Recreate() {
    if (!handle_) return;
    FreeHandle();
    Handle();
}

Integer TCustomImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::SetSize(Integer width, Integer height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Recreate();
    Change();
}

void TCustomImageList::SetAllocBy(Integer value) {
    value = std::max(value, 1);
    if (value == allocBy_) return;
    allocBy_ = value;
    // Only the growth of lists created from now on follows it.
    Change();
}

void TCustomImageList::SetBkColor(TColor value) {
    if (value == bkColor_) return;
    bkColor_ = value;
    if (handle_) ImageList_SetBkColor(handle_, ListColor(value));
    Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
    if (value == blendColor_) return;
    blendColor_ = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == drawingStyle_) return;
    drawingStyle_ = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == imageType_) return;
    imageType_ = value;
    Change();
}

void TCustomImageList::SetMasked(bool value) {
    if (value == masked_) return;
    masked_ = value;
    Recreate();
    Change();
}

Integer TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) throw EInvalidOperation(L"Unable to insert an image");
    HIMAGELIST list = Handle();
    const Integer first = ImageList_Add(list, image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
    if (first < 0) throw EInvalidOperation(L"Unable to insert an image");
    Change();
    return first;
}

Integer TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) throw EInvalidOperation(L"Unable to insert an image");
    if (maskColor == clNone) return Add(image, nullptr);
    // The system blackens the masked pixels of the bitmap it is given: give it a copy.
    TBitmap copy;
    copy.Assign(image);
    const Integer first = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor) & 0xFFFFFF);
    if (first < 0) throw EInvalidOperation(L"Unable to insert an image");
    Change();
    return first;
}

void TCustomImageList::Delete(Integer index) {
    if (index < -1 || index >= Count()) throw EInvalidOperation(L"Invalid image list index");
    if (handle_) ImageList_Remove(handle_, index);
    Change();
}

bool TCustomImageList::GetBitmap(Integer index, TBitmap* image) {
    if (!image || index < 0 || index >= Count()) return false;
    image->SetSize(width_, height_);
    image->Canvas()->Brush()->SetColor(bkColor_ == clNone ? clWhite : bkColor_);
    image->Canvas()->FillRect(Rect(0, 0, width_, height_));
    ImageList_DrawEx(handle_, index, image->Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL);
    image->Changed(image);
    return true;
}

UINT TCustomImageList::DrawFlags(TDrawingStyle style, TImageType type) const {
    static const UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    return styles[style] | (type == itMask ? ILD_MASK : 0);
}

void TCustomImageList::Draw(TCanvas* canvas, Integer x, Integer y, Integer index, bool enabled) {
    Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, Integer x, Integer y, Integer index, TDrawingStyle style, TImageType type,
                            bool enabled) {
    if (index < 0 || index >= Count()) return;
    DoDraw(index, canvas, x, y, DrawFlags(style, type), enabled);
}

void TCustomImageList::DrawOnBackground(TCanvas* canvas, Integer x, Integer y, Integer index, TColor background,
                                        bool enabled) {
    const TColor saved = bkColor_;
    auto setBk = [this](TColor color) {
        bkColor_ = color;
        if (handle_) ImageList_SetBkColor(handle_, ListColor(color));
    };
    setBk(background);
    try {
        Draw(canvas, x, y, index, enabled);
    } catch (...) {
        setBk(saved);
        throw;
    }
    setBk(saved);
}

void TCustomImageList::DoDraw(Integer index, TCanvas* canvas, Integer x, Integer y, UINT style, bool enabled) {
    HDC dc = canvas->Handle();
    if (enabled) {
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, ListColor(bkColor_), ListColor(blendColor_), style);
        return;
    }
    // Disabled: the image's shape (its mask) in the highlight colour one pixel down and right,
    // then in the shadow colour in place.
    HDC maskDC = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(width_, height_, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    PatBlt(maskDC, 0, 0, width_, height_, WHITENESS);
    ImageList_DrawEx(handle_, index, maskDC, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    for (int pass = 0; pass < 2; ++pass) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(pass == 0 ? clBtnHighlight : clBtnShadow) & 0xFFFFFF);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        // Where the mask is black (the image), paint the brush: ((D xor P) and not S) xor D.
        BitBlt(dc, x + 1 - pass, y + 1 - pass, width_, height_, maskDC, 0, 0, 0x00B8074A);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBk);
    SelectObject(maskDC, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDC);
}

// --- change notification

void TCustomImageList::BeginUpdate() { ++updateCount_; }

void TCustomImageList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        Change();
    }
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link || link->sender_ == this) return;
    if (link->sender_) link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end()) return;
    links_.erase(it);
    link->sender_ = nullptr;
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    // A link may unregister itself (or others) while it is told.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
    if (OnChange) OnChange(this);
}

// --- assignment and stored data

void TCustomImageList::Assign(TPersistent* source) {
    auto* other = As<TCustomImageList>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    FreeHandle();
    width_ = other->width_;
    height_ = other->height_;
    allocBy_ = other->allocBy_;
    bkColor_ = other->bkColor_;
    blendColor_ = other->blendColor_;
    drawingStyle_ = other->drawingStyle_;
    imageType_ = other->imageType_;
    masked_ = other->masked_;
    shareImages_ = false;
    if (other->handle_) {
        handle_ = ImageList_Duplicate(other->handle_);
        if (!handle_) {
            EndUpdate();
            throw EOutOfResources(L"Out of system resources");
        }
    }
    Change();
    EndUpdate();
}

void TCustomImageList::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    filer->DefineBinaryProperty(
        L"Bitmap", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, Count() > 0);
}

void TCustomImageList::ReadData(TStream* stream) {
    const Int64 size = stream->Size() - stream->Position();
    if (size <= 0) {
        Clear();
        return;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, SIZE_T(size));
    if (!memory) throw EOutOfResources(L"Out of system resources");
    void* bytes = GlobalLock(memory);
    try {
        stream->ReadBuffer(bytes, Integer(size));
    } catch (...) {
        GlobalUnlock(memory);
        GlobalFree(memory);
        throw;
    }
    GlobalUnlock(memory);
    IStream* source = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &source))) {
        GlobalFree(memory);
        throw EOutOfResources(L"Out of system resources");
    }
    HIMAGELIST list = ImageList_Read(source);
    source->Release();
    if (!list) throw EReadError(L"Failed to read ImageList data from stream");
    // Keep the list's own properties over what the data says about colours.
    shareImages_ = false;
    SetHandle(list);
    ImageList_SetBkColor(handle_, ListColor(bkColor_));
}

void TCustomImageList::WriteData(TStream* stream) {
    IStream* target = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &target))) throw EOutOfResources(L"Out of system resources");
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    const bool ok = ImageList_Write(Handle(), target) && SUCCEEDED(GetHGlobalFromStream(target, &memory)) &&
                    SUCCEEDED(target->Stat(&stat, STATFLAG_NONAME));
    if (!ok) {
        target->Release();
        throw EWriteError(L"Failed to write ImageList data to stream");
    }
    const Integer size = Integer(stat.cbSize.QuadPart);
    const void* bytes = GlobalLock(memory);
    try {
        stream->WriteBuffer(bytes, size);
    } catch (...) {
        GlobalUnlock(memory);
        target->Release();
        throw;
    }
    GlobalUnlock(memory);
    target->Release();
}

// ---- the drag image ----

TDragImageList::~TDragImageList() { EndDrag(); }

bool TDragImageList::SetDragImage(Integer index, Integer hotSpotX, Integer hotSpotY) {
    if (index < 0 || index >= Count()) return false;
    dragIndex_ = index;
    dragHotspot_ = TPoint{hotSpotX, hotSpotY};
    return true;
}

bool TDragImageList::BeginDrag(HWND window, Integer x, Integer y) {
    if (dragging_ || dragIndex_ >= Count()) return false;
    if (!ImageList_BeginDrag(Handle(), dragIndex_, dragHotspot_.x, dragHotspot_.y)) return false;
    if (!ImageList_DragEnter(window, x, y)) {
        ImageList_EndDrag();
        return false;
    }
    dragging_ = true;
    dragWindow_ = window;
    return true;
}

bool TDragImageList::DragMove(Integer x, Integer y) { return dragging_ && ImageList_DragMove(x, y); }

bool TDragImageList::EndDrag() {
    if (!dragging_) return false;
    dragging_ = false;
    ImageList_DragLeave(dragWindow_);
    ImageList_EndDrag();
    dragWindow_ = nullptr;
    return true;
}

void TDragImageList::HideDragImage() {
    if (dragging_) ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
    if (dragging_) ImageList_DragShowNolock(TRUE);
}
