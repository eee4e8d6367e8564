#pragma once
// Further item kinds of the bar manager. TdxBarLargeButton: a button that can show a large
// glyph with its caption under it (every command button of a ribbon group is one); its small
// image follows its large one until an explicit small image is given. Its control,
// TdxBarLargeButtonControl, adds the large view level and takes the item's fixed height.

#include "dxBarButton.h"
#include "dxBarButtonControl.h"

class TdxBarLargeButton : public TdxBarButton {
    Z_CLASS(TdxBarLargeButton, TdxBarButton)
    Z_PUBLISHED {
        p.Property(L"AutoGrayScale", &TdxBarLargeButton::AutoGrayScale, &TdxBarLargeButton::SetAutoGrayScale)
            .Default(true);
        p.Property(L"GlyphLayout", &TdxBarLargeButton::GlyphLayout, &TdxBarLargeButton::SetGlyphLayout)
            .Default(glTop);
        p.Property(L"Height", &TdxBarLargeButton::Height, &TdxBarLargeButton::SetHeight).Default(0);
        p.Property(L"HotImageIndex", &TdxBarLargeButton::HotImageIndex, &TdxBarLargeButton::SetHotImageIndex)
            .Default(-1);
        // Written as the stream property "ImageIndex" only while not synchronised.
        p.Property(L"ImageIndex", &TdxBarLargeButton::ImageIndex, &TdxBarLargeButton::SetImageIndex).Stored(false);
        p.Property(L"LargeImageIndex", &TdxBarLargeButton::LargeImageIndex, &TdxBarLargeButton::SetLargeImageIndex)
            .Default(-1)
            .Stored(&TdxBarLargeButton::IsImageIndexStored);
        p.Property(L"ShowCaption", &TdxBarLargeButton::ShowCaption, &TdxBarLargeButton::SetShowCaption).Default(true);
        p.Property(L"SyncImageIndex", &TdxBarLargeButton::SyncImageIndex, &TdxBarLargeButton::SetSyncImageIndex)
            .Default(true);
        p.Property(L"Width", &TdxBarLargeButton::GetWidth, &TdxBarLargeButton::SetWidth).Default(0);
    }

public:
    explicit TdxBarLargeButton(TComponent* owner);

    bool AutoGrayScale() const { return autoGrayScale_; }
    void SetAutoGrayScale(bool value);
    int Height() const { return height_; }
    void SetHeight(int value);  // a negative height is ignored
    int HotImageIndex() const { return hotImageIndex_; }
    void SetHotImageIndex(int value);
    bool SyncImageIndex() const { return syncImageIndex_; }
    void SetSyncImageIndex(bool value);

    void SetImageIndex(int value) override;
    void SetLargeImageIndex(int value) override;

    int GetDisplayImageIndex() const override { return LargeImageIndex(); }
    void SetDisplayImageIndex(int value) override { SetLargeImageIndex(value); }
    bool HasHotImage() const override { return hotImageIndex_ >= 0; }
    bool HasImage() const override { return LargeImageIndex() >= 0; }
    Word GetSupportedActions() override;

protected:
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void LargeGlyphChanged() override;
    void WidthChanged() override;

private:
    bool Loading() const { return IsLoading() && !synchronising_; }

    bool autoGrayScale_ = true;
    int height_ = 0;
    int hotImageIndex_ = -1;
    bool syncImageIndex_ = true;
    // Set while reading a stored item: which of the three the description gave.
    bool imageIndexLoaded_ = false, largeImageIndexLoaded_ = false, syncImageIndexLoaded_ = false;
    // Guards the copy from one index to the other.
    bool synchronising_ = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
    Z_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
public:
    explicit TdxBarLargeButtonControl(TdxBarItemLink* link) : TdxBarButtonControl(link) {}

    TdxBarLargeButton* LargeButton() const;
    TdxBarItemViewLevels GetPossibleViewLevels() const override;
    Byte GetDisplaySize() const override;
    Byte GetViewStructure() const override;
    void HotGlyphChanged() override { LargeGlyphChanged(); }
    void LargeGlyphChanged() override;
    // The glyph shows grey until the control is hot.
    bool DrawsGrayGlyph() const;

protected:
    int CalcRowHeight() override;
    // The item's Width when set; at the large level the glyph and caption as laid out by
    // GlyphLayout, with 10 pixels of frame; at the small levels a 22-pixel icon and the caption.
    int CalcWidth() override;

private:
    bool InSubMenu() const;
};

class TBitmap;
// The font-name combo's marks for outline fonts and for the others (13 x 13, magenta shows
// through); loaded when the unit starts.
TBitmap* dxBarTrueTypeFontBitmap();
TBitmap* dxBarNonTrueTypeFontBitmap();

void InitializedxBarExtItems();
void FinalizedxBarExtItems();
