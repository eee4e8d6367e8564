// Sections: image infos · the info collection · the image list: construction and updates ·
// adding and deleting · reading images · drawing · assignment and rebuilding · stored form.

#include "cxImageList.h"

#include <cstring>
#include <memory>

#include "Filer.h"
#include "cxImageStates.h"
#include "dxCore.h"

// ---- image infos ---------------------------------------------------------------------------

TcxImageInfo::TcxImageInfo() : image_(new TcxCustomBitmap()), mask_(new TcxCustomBitmap()) {}

TcxImageInfo::~TcxImageInfo() {
    delete image_;
    delete mask_;
}

void TcxImageInfo::Assign(TPersistent* source) {
    auto* other = As<TcxImageInfo>(source);
    if (!other) {
        inherited::Assign(source);
        return;
    }
    SetImage(other->image_);
    SetMask(other->mask_);
    maskColor_ = other->maskColor_;
}

namespace {

// A copy with its own handle made at once, so that it no longer shares the source's image.
void CopyInto(TcxCustomBitmap* dest, TBitmap* source) {
    if (!source || source->Empty()) {
        dest->SetSize(0, 0);
        return;
    }
    dest->Assign(source);
    dest->Handle();
}

}  // namespace

void TcxImageInfo::SetImage(TBitmap* value) { CopyInto(image_, value); }
void TcxImageInfo::SetMask(TBitmap* value) { CopyInto(mask_, value); }

TcxImageInfoItem::TcxImageInfoItem(TCollection* collection) : TCollectionItem(collection), info_(new TcxImageInfo()) {
    if (auto* infos = As<TcxImageInfoCollection>(collection)) SetCompressData(infos->CompressData());
}

TcxImageInfoItem::~TcxImageInfoItem() { delete info_; }

void TcxImageInfoItem::Assign(TPersistent* source) {
    if (auto* other = As<TcxImageInfoItem>(source)) {
        info_->Assign(other->info_);
        return;
    }
    inherited::Assign(source);
}

void TcxImageInfoItem::SetCompressData(bool value) {
    Image()->SetCompressData(value);
    Mask()->SetCompressData(value);
}

// ---- the info collection -------------------------------------------------------------------

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* owner)
    : TOwnedCollection(owner, TcxImageInfoItem::StaticClass()), imageList_(owner) {}

TcxImageInfoItem* TcxImageInfoCollection::AddInfo(TBitmap* image, TBitmap* mask, TColor maskColor) {
    auto* item = static_cast<TcxImageInfoItem*>(Add());
    item->Info()->SetImage(image);
    item->Info()->SetMask(mask);
    item->SetMaskColor(maskColor);
    return item;
}

void TcxImageInfoCollection::DeleteInfo(int index) {
    if (index == -1)
        Clear();
    else if (index >= 0 && index < Count())
        Delete(index);
}

void TcxImageInfoCollection::SetCompressData(bool value) {
    if (value == compressData_) return;
    compressData_ = value;
    for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(value);
}

// ---- the image list: construction and updates ----------------------------------------------

TcxImageList::TcxImageList(TComponent* owner) : TDragImageList(owner) { Initialize(); }

TcxImageList::TcxImageList(TComponent* owner, Integer width, Integer height) : TDragImageList(owner, width, height) {
    Initialize();
}

TcxImageList::~TcxImageList() {
    delete infos_;
    infos_ = nullptr;
}

void TcxImageList::Initialize() {
    infos_ = new TcxImageInfoCollection(this);
    Handle();  // 32-bit colour with a mask
}

void TcxImageList::SetSize(Integer width, Integer height) {
    if (width == Width() && height == Height()) return;
    BeginUpdate();
    TDragImageList::SetSize(width, height);
    infos_->Clear();
    EndUpdate(true);
}

void TcxImageList::EndUpdate(bool notify) {
    if (lockCount_ > 0) --lockCount_;
    if (notify) Change();
}

void TcxImageList::Change() {
    if (IsUpdating()) return;
    TDragImageList::Change();
}

// ---- adding and deleting -------------------------------------------------------------------

namespace {

struct TCell {
    std::unique_ptr<TcxCustomBitmap> image, mask;
};

bool IsGridOf(TBitmap* image, int width, int height) {
    int w = image->Width(), h = image->Height();
    return width > 0 && height > 0 && w % width == 0 && h % height == 0 && (w > width || h > height);
}

// The cells of a grid, row by row from the top, left to right within a row.
std::vector<TCell> CutIntoCells(TBitmap* image, TBitmap* mask, int width, int height) {
    std::vector<TCell> cells;
    bool withMask = mask && !mask->Empty();
    for (int y = 0; y + height <= image->Height(); y += height)
        for (int x = 0; x + width <= image->Width(); x += width) {
            TCell cell;
            cell.image = std::make_unique<TcxCustomBitmap>(width, height, image->PixelFormat());
            CopyDCRect(cell.image->Canvas()->Handle(), image->Canvas()->Handle(), TRect{0, 0, width, height}, SRCCOPY,
                       TPoint{x, y});
            if (withMask) {
                cell.mask = std::make_unique<TcxCustomBitmap>(width, height, mask->PixelFormat());
                cell.mask->ClearBitmap();
                CopyDCRect(cell.mask->Canvas()->Handle(), mask->Canvas()->Handle(), TRect{0, 0, width, height}, SRCCOPY,
                           TPoint{x, y});
            }
            cells.push_back(std::move(cell));
        }
    return cells;
}

bool IsMultiRowGrid(TBitmap* image, int width, int height) {
    return IsGridOf(image, width, height) && image->Height() > height;
}

}  // namespace

Integer TcxImageList::AddBitmap(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    // The system list cuts an image along its width only: a grid of several rows goes in
    // cell by cell, so that the system list and the infos keep the same order.
    if (IsMultiRowGrid(image, Width(), Height())) {
        BeginUpdate();
        Integer first = -1;
        for (TCell& cell : CutIntoCells(image, mask, Width(), Height())) {
            Integer index = AddBitmap(cell.image.get(), cell.mask.get());
            if (first < 0) first = index;
        }
        EndUpdate(true);
        return first;
    }
    // Without a mask every pixel is opaque; the mask covers the whole strip.
    HBITMAP ownMask = nullptr;
    if (!mask || mask->Empty()) {
        std::vector<Byte> zeros(size_t((image->Width() + 15) / 16 * 2) * size_t(image->Height()), 0);
        ownMask = CreateBitmap(image->Width(), image->Height(), 1, 1, zeros.data());
    }
    Integer index = ImageList_Add(Handle(), image->Handle(), ownMask ? ownMask : mask->Handle());
    if (!synchronizing_ && index != -1) AddToInfos(image, ownMask ? nullptr : mask, clNone);
    if (ownMask) DeleteObject(ownMask);
    Change();
    return index;
}

Integer TcxImageList::AddMaskedBitmap(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    BeginUpdate();
    Integer index = -1;
    if (maskColor == clNone) {
        index = AddBitmap(image, nullptr);
    } else if (IsMultiRowGrid(image, Width(), Height())) {
        for (TCell& cell : CutIntoCells(image, nullptr, Width(), Height())) {
            Integer added = AddMaskedBitmap(cell.image.get(), maskColor);
            if (index < 0) index = added;
        }
    } else {
        // The system blackens the masked pixels of the bitmap it is given: give it a copy.
        TBitmap copy;
        copy.Assign(image);
        index = ImageList_AddMasked(Handle(), copy.Handle(), COLORREF(ColorToRGB(maskColor) & 0xFFFFFF));
        if (!synchronizing_ && index != -1) AddToInfos(image, nullptr, maskColor);
    }
    EndUpdate(true);
    return index;
}

void TcxImageList::AddToInfos(TBitmap* image, TBitmap* mask, TColor maskColor) {
    auto dormant = [](TcxImageInfoItem* item) { item->Image()->Dormant(); };
    if (IsGridOf(image, Width(), Height())) {
        for (TCell& cell : CutIntoCells(image, mask, Width(), Height()))
            dormant(infos_->AddInfo(cell.image.get(), cell.mask.get(), maskColor));
        return;
    }
    dormant(infos_->AddInfo(image, mask, maskColor));
}

void TcxImageList::DeleteImage(Integer index) {
    BeginUpdate();
    try {
        Delete(index);
        if (!synchronizing_) infos_->DeleteInfo(index);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

Integer TcxImageList::AddFromInfo(TcxImageInfo* info) {
    if (!info->Mask()->Empty()) return AddBitmap(info->Image(), info->Mask());
    return AddMaskedBitmap(info->Image(), info->MaskColor());
}

void TcxImageList::CopyInfoAt(Integer index, TcxImageInfo* info) {
    if (index >= 0 && index < infos_->Count()) {
        info->Assign(infos_->Items(index)->Info());
        return;
    }
    info->SetImage(nullptr);
    info->SetMask(nullptr);
    info->SetMaskColor(clNone);
}

// ---- reading images ------------------------------------------------------------------------

void TcxImageList::ReadImageListBitmaps(HIMAGELIST list, Integer index, TBitmap* image, TBitmap* mask) {
    ::ReadImageListBitmaps(list, index, image, mask);
}

Integer TcxImageList::ImageListBitsPerPixel(HIMAGELIST list) { return ::ImageListBitsPerPixel(list); }

void TcxImageList::GetImage(Integer index, TBitmap* image, TBitmap* mask) {
    if (index < 0 || index >= infos_->Count()) return;
    TcxImageInfo* info = infos_->Items(index)->Info();
    if (BitsPerPixelOf(info->Image()) == 32 || PlatformFlags.Win9xFamily) {
        for (auto [dest, kept] : {std::pair{image, info->Image()}, std::pair{mask, info->Mask()}}) {
            if (!dest) continue;
            // An image added by colour keeps no mask of its own: the system list's is the one.
            if (kept->Empty()) {
                ::ReadImageListBitmaps(Handle(), index, nullptr, dest);
                continue;
            }
            dest->SetSize(kept->Width(), kept->Height());
            DrawBitmapToDC(dest->Canvas()->Handle(), kept, kept->GetImageRect(), SRCCOPY, TPoint{0, 0});
            dest->Changed(dest);
        }
    } else {
        ::ReadImageListBitmaps(Handle(), index, image, mask);
    }
    info->Image()->Dormant();
}

// ---- drawing -------------------------------------------------------------------------------

void TcxImageList::DrawImage(Integer index, TCanvas* canvas, const TRect& rect, TDrawingStyle, bool exact, bool smooth,
                             bool enabled) {
    TRect imageRect = rect;
    if (!exact) {
        imageRect.left = rect.left + (RectWidth(rect) - Width()) / 2;
        imageRect.top = rect.top + (RectHeight(rect) - Height()) / 2;
        imageRect.right = imageRect.left + Width();
        imageRect.bottom = imageRect.top + Height();
    }
    PaintImageWithState(canvas->Handle(), imageRect, rect, nullptr, this, index, enabled ? idmNormal : idmDisabled,
                        smooth, nullptr, clNone, true);
}

void TcxImageList::DoDraw(Integer index, TCanvas* canvas, Integer x, Integer y, UINT, bool enabled) {
    DrawImage(index, canvas, TRect{x, y, x + Width(), y + Height()}, DrawingStyle(), false, false, enabled);
}

// ---- assignment and rebuilding -------------------------------------------------------------

void TcxImageList::Assign(TPersistent* source) {
    auto* other = As<TCustomImageList>(source);
    if (!other || other == this) return;
    BeginUpdate();
    try {
        TDragImageList::Assign(source);
        DeleteImage(-1);
        if (auto* cx = As<TcxImageList>(source)) {
            TcxImageInfo info;
            for (int i = 0; i < cx->infos_->Count(); ++i) {
                cx->CopyInfoAt(i, &info);
                AddFromInfo(&info);
            }
        } else {
            for (int i = 0; i < other->Count(); ++i) {
                TBitmap image(Width(), Height(), pf32bit), mask(Width(), Height(), pf1bit);
                ReadImageListBitmaps(other->Handle(), i, &image, &mask);
                AddBitmap(&image, &mask);
            }
        }
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TcxImageList::RefillInfosFromList() {
    infos_->BeginUpdate();
    infos_->Clear();
    for (int i = 0; i < Count(); ++i) {
        TBitmap image(Width(), Height(), pf32bit), mask(Width(), Height(), pf1bit);
        ReadImageListBitmaps(Handle(), i, &image, &mask);
        infos_->AddInfo(&image, &mask, clNone)->Image()->Dormant();
    }
    infos_->EndUpdate();
}

void TcxImageList::RebuildFromInfos() {
    BeginUpdate();
    synchronizing_ = true;
    try {
        Delete(-1);
        for (int i = 0; i < infos_->Count(); ++i) {
            TcxImageInfo* info = infos_->Items(i)->Info();
            AddFromInfo(info);
            info->Image()->Dormant();
        }
    } catch (...) {
        synchronizing_ = false;
        EndUpdate(false);
        throw;
    }
    synchronizing_ = false;
    EndUpdate(true);
}

bool TcxImageList::SameImagesAs(TCustomImageList* list) {
    if (!list || list->Count() != Count()) return false;
    if (Count() == 0) return true;
    TMemoryStream mine, theirs;
    WriteData(&mine);
    list->WriteData(&theirs);
    return mine.Size() == theirs.Size() && std::memcmp(mine.Memory(), theirs.Memory(), size_t(mine.Size())) == 0;
}

// ---- stored form ---------------------------------------------------------------------------

void TcxImageList::DefineProperties(TFiler* filer) {
    filer->DefineProperty(
        L"FormatVersion", [this](TReader* r) { formatVersion_ = r->ReadInteger(); },
        [this](TWriter* w) {
            formatVersion_ = 1;
            w->WriteInteger(formatVersion_);
        },
        true);
    // Descriptions written by the platform's list load too; ours do not repeat its data.
    if (Is<TReader>(filer))
        TDragImageList::DefineProperties(filer);
    else
        TComponent::DefineProperties(filer);
    auto* ancestor = As<TcxImageList>(filer->Ancestor());
    filer->DefineProperty(
        L"DesignInfo", [this](TReader* r) { designInfo_ = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(designInfo_); }, !ancestor || ancestor->designInfo_ != designInfo_);
    auto* ancestorList = As<TCustomImageList>(filer->Ancestor());
    filer->DefineProperty(
        L"ImageInfo",
        [this](TReader* r) {
            infos_->Clear();
            r->ReadCollection(infos_);
            RebuildFromInfos();
        },
        [this](TWriter* w) { w->WriteCollection(infos_); }, ancestorList ? !SameImagesAs(ancestorList) : Count() > 0);
}

void TcxImageList::ReadData(TStream* stream) {
    TDragImageList::ReadData(stream);
    RefillInfosFromList();
}

void InitializecxImageList() { RegisterClasses({TcxImageList::StaticClass(), TcxImageInfoItem::StaticClass()}); }
