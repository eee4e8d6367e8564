#pragma once
// TRzCustomImageComboBox: a combo box whose entries are an image, an indent level and a caption
// (TRzImageComboBoxItem objects, owned by the combo). The base of the shell combo.

#include "ImageList.h"
#include "RzComboBox.h"

class TRzCustomImageComboBox;

class TRzImageComboBoxItem : public TObject {
    Z_CLASS(TRzImageComboBoxItem, TObject)
public:
    explicit TRzImageComboBoxItem(TRzCustomImageComboBox* owner) : owner_(owner) {}

    TRzCustomImageComboBox* Owner() const { return owner_; }
    // The item's place in the combo's Items.
    int Index() const { return index_; }
    int IndentLevel() const { return indentLevel_; }
    void SetIndentLevel(int v) { indentLevel_ = v; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // -1: no overlay.
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int v);
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    // For the owner's use (the shell combo keeps its folder here); not freed with the item.
    void* Data() const { return data_; }
    void SetData(void* v) { data_ = v; }

private:
    friend class TRzCustomImageComboBox;
    void Repaint();

    TRzCustomImageComboBox* owner_;
    int index_ = -1;
    int indentLevel_ = 0;
    int imageIndex_ = -1;
    int overlayIndex_ = -1;
    String caption_;
    void* data_ = nullptr;
};

using TRzImageComboBoxItemEvent = TEvent<void(TObject* Sender, TRzImageComboBoxItem* Item)>;

class TRzCustomImageComboBox : public TRzCustomComboBox {
    Z_CLASS(TRzCustomImageComboBox, TRzCustomComboBox)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(CM_FONTCHANGED, CMFontChanged))

public:
    explicit TRzCustomImageComboBox(TComponent* AOwner);
    ~TRzCustomImageComboBox() override;

    // Adds an entry; the combo owns the item.
    TRzImageComboBoxItem* AddItem(const String& caption, int imageIndex, int indentLevel);
    TRzImageComboBoxItem* ItemAt(int index) const;
    // Deletes an entry, or all of them (last to first); each item is freed after OnDeleteItem.
    void Delete(int index);
    void ClearItems();

    bool AutoSizeHeight() const { return autoSizeHeight_; }
    void SetAutoSizeHeight(bool v);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    // Pixels per indent level.
    int ItemIndent() const { return itemIndent_; }
    void SetItemIndent(int v) {
        if (AssignIfChanged(itemIndent_, v)) Invalidate();
    }
    // The height the entries take: the font's line plus 4, at least the images' height.
    int AutoItemHeight() const;

    // Compares the items' captions without letter case.
    int IndexOfText(const String& text) override;

    // Fired with the item before it is freed (the platform's OnDeleteItem gets it untyped).
    TRzImageComboBoxItemEvent OnDeleteImageItem;
    // Fired with an item before it is drawn.
    TRzImageComboBoxItemEvent OnGetItemData;

protected:
    virtual void DoGetItemData(TRzImageComboBoxItem* item) {
        if (OnGetItemData) OnGetItemData(this, item);
    }
    void DoDeleteItem(void* item) override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMEraseBkgnd(TMessage& Message);
    void CMFontChanged(TMessage& Message);

private:
    void ImagesChanged(TObject*);
    void FitItemHeight();
    void Renumber();

    bool autoSizeHeight_ = true;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imagesLink_;
    int itemIndent_ = 12;
    bool freeObjOnDelete_ = false;
    TRzImageComboBoxItem* freedByWindow_ = nullptr;
};
