#pragma once
// Image lists over the system's (comctl32) image lists: equal-sized images with masks, drawn by
// index. Users of a list hear its changes through change links. In a form description the list
// stores its images as "Bitmap", the system image list's own stream.
//
// Sections: change links, the image list, the published image list.

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "Colors.h"
#include "Component.h"
#include "Streams.h"
#include "TypInfo.h"

class TCustomImageList;

// --- change links

// A listener of one image list; freeing the link unregisters it.
class TChangeLink : public TObject {
    Z_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TCustomImageList* Sender() const { return sender_; }
    // Called by the list after each change; fires OnChange with the list as sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* sender_ = nullptr;
};

// --- the image list

Z_ENUM(TDrawingStyle, int, dsFocus, dsSelected, dsNormal, dsTransparent)
Z_ENUM(TImageType, int, itImage, itMask)

class TCustomImageList : public TComponent {
    Z_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* owner);
    TCustomImageList(TComponent* owner, Integer width, Integer height);
    ~TCustomImageList() override;

    // The system image list, created on demand (32-bit colour, with a mask when Masked).
    HIMAGELIST Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Takes over a system image list (destroyed with the list unless ShareImages); Width and
    // Height follow its image size.
    void SetHandle(HIMAGELIST value);

    Integer Count() const;
    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    // Changing the size clears the images.
    void SetWidth(Integer value) { SetSize(value, height_); }
    void SetHeight(Integer value) { SetSize(width_, value); }
    void SetSize(Integer width, Integer height);
    Integer AllocBy() const { return allocBy_; }
    void SetAllocBy(Integer value);
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value);
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool value) { shareImages_ = value; }

    // Adds the image (a strip of several images when it is wider than Width) with its mask
    // (nullptr: every pixel opaque). Returns the index of the first image added; raises
    // EInvalidOperation when the system list refuses it.
    Integer Add(TBitmap* image, TBitmap* mask);
    // Adds the image with every pixel of maskColor transparent; the image is not changed.
    Integer AddMasked(TBitmap* image, TColor maskColor);
    // Removes one image; -1 removes all. Raises EInvalidOperation for another index outside the list.
    void Delete(Integer index);
    void Clear() { Delete(-1); }
    // Draws the image onto the bitmap, sized to Width x Height; false for an invalid index.
    bool GetBitmap(Integer index, TBitmap* image);

    // Draws an image at x, y; a disabled image is drawn embossed in the button shadow and
    // highlight colours.
    void Draw(TCanvas* canvas, Integer x, Integer y, Integer index, bool enabled = true);
    void Draw(TCanvas* canvas, Integer x, Integer y, Integer index, TDrawingStyle style, TImageType type,
              bool enabled = true);
    // Draws an image as Draw does with BkColor set to background, for this drawing only: the list
    // keeps its colour and its clients hear of no change (a client drawing from its paint would
    // otherwise be told to paint again, and so would every other client of a shared list).
    void DrawOnBackground(TCanvas* canvas, Integer x, Integer y, Integer index, TColor background, bool enabled = true);

    // Folds the change notifications of a batch into one, given when the outermost bracket ends.
    void BeginUpdate();
    void EndUpdate();

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    // From another image list: its properties and a copy of its images.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    // The stored images: the system image list's stream.
    virtual void ReadData(TStream* stream);
    virtual void WriteData(TStream* stream);

    TNotifyEvent OnChange;

protected:
    // Tells the change links, then OnChange (folded while an update bracket is open).
    virtual void Change();
    // Draws one image with ImageList_DrawEx flags.
    virtual void DoDraw(Integer index, TCanvas* canvas, Integer x, Integer y, UINT style, bool enabled);

private:
    void FreeHandle();
    void Recreate();
    UINT DrawFlags(TDrawingStyle style, TImageType type) const;

    HIMAGELIST handle_ = nullptr;
    Integer width_ = 16, height_ = 16, allocBy_ = 4;
    TColor bkColor_ = clNone, blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    bool masked_ = true, shareImages_ = false;
    std::vector<TChangeLink*> links_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

// An image list that can show one of its images under the cursor while something is dragged
// (the system's drag image). The base of the image lists that other layers derive from.
class TDragImageList : public TCustomImageList {
    Z_CLASS(TDragImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
    ~TDragImageList() override;

    // The image to drag and its point that sits under the cursor; false for an invalid index.
    bool SetDragImage(Integer index, Integer hotSpotX, Integer hotSpotY);
    Integer DragIndex() const { return dragIndex_; }
    TPoint DragHotspot() const { return dragHotspot_; }
    // Shows the drag image at x, y (coordinates of window, whose updates it locks; null: the
    // screen) until EndDrag; false when the system refuses.
    bool BeginDrag(HWND window, Integer x, Integer y);
    bool DragMove(Integer x, Integer y);
    bool EndDrag();
    bool Dragging() const { return dragging_; }
    void HideDragImage();
    void ShowDragImage();

private:
    Integer dragIndex_ = 0;
    TPoint dragHotspot_{};
    bool dragging_ = false;
    HWND dragWindow_ = nullptr;
};

// --- the published image list

class TImageList : public TDragImageList {
    Z_CLASS(TImageList, TDragImageList)
    Z_PUBLISHED {
        p.Property(L"AllocBy", &TImageList::AllocBy, &TImageList::SetAllocBy).Default(4);
        p.Property(L"BlendColor", &TImageList::BlendColor, &TImageList::SetBlendColor).Default(clNone);
        p.Property(L"BkColor", &TImageList::BkColor, &TImageList::SetBkColor).Default(clNone);
        p.Property(L"DrawingStyle", &TImageList::DrawingStyle, &TImageList::SetDrawingStyle).Default(dsNormal);
        p.Property(L"Height", &TImageList::Height, &TImageList::SetHeight).Default(16);
        p.Property(L"ImageType", &TImageList::ImageType, &TImageList::SetImageType).Default(itImage);
        p.Property(L"Masked", &TImageList::Masked, &TImageList::SetMasked).Default(true);
        p.Property(L"ShareImages", &TImageList::ShareImages, &TImageList::SetShareImages).Default(false);
        p.Property(L"Width", &TImageList::Width, &TImageList::SetWidth).Default(16);
        p.Event(L"OnChange", &TImageList::OnChange);
    }

public:
    using TDragImageList::TDragImageList;
};
