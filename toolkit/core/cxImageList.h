#pragma once
// The toolkit's image list: a system image list (32-bit colour with a mask) that also keeps
// every image as a pair of bitmaps (image and mask) with a mask colour. The pairs are what the
// list stores in a form description (optionally compressed) and what it rebuilds the system
// list from when it is read back. Images are drawn through PaintImageWithState, so 32-bit
// images with alpha are blended and disabled ones greyed.
//
// Sections: image infos · the info collection · the image list.

#include "Collection.h"
#include "ImageList.h"
#include "cxCustomBitmap.h"

class TcxImageList;

// ---- image infos ---------------------------------------------------------------------------

class TcxImageInfo : public TPersistent {
    Z_CLASS(TcxImageInfo, TPersistent)
public:
    TcxImageInfo();
    ~TcxImageInfo() override;
    void Assign(TPersistent* source) override;

    TcxCustomBitmap* Image() const { return image_; }
    TcxCustomBitmap* Mask() const { return mask_; }
    TColor MaskColor() const { return maskColor_; }
    // Copies of the bitmaps given (nullptr empties).
    virtual void SetImage(TBitmap* value);
    virtual void SetMask(TBitmap* value);
    void SetMaskColor(TColor value) { maskColor_ = value; }

private:
    TcxCustomBitmap* image_;
    TcxCustomBitmap* mask_;
    TColor maskColor_ = clNone;
};

class TcxImageInfoItem : public TCollectionItem {
    Z_CLASS(TcxImageInfoItem, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Image", &TcxImageInfoItem::Image);
        p.Property(L"Mask", &TcxImageInfoItem::Mask);
        p.Property(L"MaskColor", &TcxImageInfoItem::MaskColor, &TcxImageInfoItem::SetMaskColor).Default(clNone);
    }

public:
    explicit TcxImageInfoItem(TCollection* collection);
    ~TcxImageInfoItem() override;
    void Assign(TPersistent* source) override;

    TcxImageInfo* Info() const { return info_; }
    TcxCustomBitmap* Image() const { return info_->Image(); }
    TcxCustomBitmap* Mask() const { return info_->Mask(); }
    TColor MaskColor() const { return info_->MaskColor(); }
    void SetMaskColor(TColor value) { info_->SetMaskColor(value); }
    // Both bitmaps store their data compressed.
    bool CompressData() const { return Image()->CompressData() && Mask()->CompressData(); }
    void SetCompressData(bool value);

private:
    TcxImageInfo* info_;
};

// ---- the info collection -------------------------------------------------------------------

class TcxImageInfoCollection : public TOwnedCollection {
    Z_CLASS(TcxImageInfoCollection, TOwnedCollection)
public:
    explicit TcxImageInfoCollection(TcxImageList* owner);

    TcxImageList* ImageList() const { return imageList_; }
    TcxImageInfoItem* Items(int index) const { return static_cast<TcxImageInfoItem*>(TCollection::Items(index)); }
    // A new item with copies of the bitmaps (mask nullptr: none).
    TcxImageInfoItem* AddInfo(TBitmap* image, TBitmap* mask, TColor maskColor);
    // -1 deletes all.
    void DeleteInfo(int index);
    bool CompressData() const { return compressData_; }
    void SetCompressData(bool value);

private:
    TcxImageList* imageList_;
    bool compressData_ = false;
};

// ---- the image list ------------------------------------------------------------------------

class TcxImageList : public TDragImageList {
    Z_CLASS(TcxImageList, TDragImageList)
    Z_PUBLISHED {
        p.Property(L"BlendColor", &TcxImageList::BlendColor, &TcxImageList::SetBlendColor).Default(clNone);
        p.Property(L"BkColor", &TcxImageList::BkColor, &TcxImageList::SetBkColor).Default(clNone);
        p.Property(L"CompressData", &TcxImageList::CompressData, &TcxImageList::SetCompressData).Default(false);
        p.Property(L"DrawingStyle", &TcxImageList::DrawingStyle, &TcxImageList::SetDrawingStyle).Default(dsNormal);
        p.Property(L"Height", &TcxImageList::Height, &TcxImageList::SetHeight).Default(16);
        p.Property(L"ImageType", &TcxImageList::ImageType, &TcxImageList::SetImageType).Default(itImage);
        p.Property(L"ShareImages", &TcxImageList::ShareImages, &TcxImageList::SetShareImages).Default(false);
        p.Property(L"Width", &TcxImageList::Width, &TcxImageList::SetWidth).Default(16);
        p.Event(L"OnChange", &TcxImageList::OnChange);
    }

public:
    explicit TcxImageList(TComponent* owner);
    TcxImageList(TComponent* owner, Integer width, Integer height);
    ~TcxImageList() override;

    // A new size clears the images and their infos.
    void SetWidth(Integer value) { SetSize(value, Height()); }
    void SetHeight(Integer value) { SetSize(Width(), value); }
    void SetSize(Integer width, Integer height);

    TcxImageInfoCollection* ImageInfos() const { return infos_; }
    bool CompressData() const { return infos_->CompressData(); }
    void SetCompressData(bool value) { infos_->SetCompressData(value); }
    Integer FormatVersion() const { return formatVersion_; }
    Integer DesignInfo() const { return designInfo_; }
    void SetDesignInfo(Integer value) { designInfo_ = value; }

    // Changes inside a bracket are folded; EndUpdate gives one when asked to.
    void BeginUpdate() { ++lockCount_; }
    void EndUpdate(bool notify = true);
    bool IsUpdating() const { return lockCount_ > 0; }

    // The image (a strip or a grid of cells) with its mask (nullptr: every pixel opaque);
    // the index of the first image added, -1 when the system list refuses it.
    Integer AddBitmap(TBitmap* image, TBitmap* mask);
    // The image with every pixel of the colour transparent (clNone: none).
    Integer AddMaskedBitmap(TBitmap* image, TColor maskColor);
    // -1 deletes all.
    void DeleteImage(Integer index);
    void ClearImages() { DeleteImage(-1); }
    Integer AddFromInfo(TcxImageInfo* info);
    // An invalid index gives empty bitmaps and no mask colour.
    void CopyInfoAt(Integer index, TcxImageInfo* info);
    // The kept image and mask of index into the bitmaps given (either may be nullptr).
    void GetImage(Integer index, TBitmap* image, TBitmap* mask);
    static void ReadImageListBitmaps(HIMAGELIST list, Integer index, TBitmap* image, TBitmap* mask);
    static Integer ImageListBitsPerPixel(HIMAGELIST list);
    // exact: the image fills rect; otherwise it is centred in it.
    void DrawImage(Integer index, TCanvas* canvas, const TRect& rect, TDrawingStyle style, bool exact, bool smooth,
                   bool enabled);

    void RefillInfosFromList();
    void RebuildFromInfos();
    bool SameImagesAs(TCustomImageList* list);

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    // Data written by the platform's image list; the infos follow it.
    void ReadData(TStream* stream) override;

protected:
    void Initialize();
    void Change() override;
    void DoDraw(Integer index, TCanvas* canvas, Integer x, Integer y, UINT style, bool enabled) override;
    void AddToInfos(TBitmap* image, TBitmap* mask, TColor maskColor);

private:
    TcxImageInfoCollection* infos_ = nullptr;
    Integer formatVersion_ = 0;
    Integer designInfo_ = 0;
    int lockCount_ = 0;
    bool synchronizing_ = false;
};

// Unit start-up: image lists and their images are re-created by class name from form descriptions.
void InitializecxImageList();
