#pragma once
// TdxBarImageOptions: the manager's image lists (normal, large, hot, disabled and disabled
// large) and how glyphs are drawn from them. It tells the manager when an option changes and
// when the glyph size does, and drops a list that is freed while referenced.

#include "Colors.h"
#include "ImageList.h"
#include "Persistent.h"
#include "TypInfo.h"
#include "cxComponent.h"

class TdxBarImageOptions : public TPersistent {
    Z_CLASS(TdxBarImageOptions, TPersistent)
    Z_PUBLISHED {
        p.Property(L"CacheGlyphs", &TdxBarImageOptions::CacheGlyphs, &TdxBarImageOptions::SetCacheGlyphs).Default(true);
        p.Property(L"DisabledImages", &TdxBarImageOptions::DisabledImages, &TdxBarImageOptions::SetDisabledImages);
        p.Property(L"DisabledLargeImages", &TdxBarImageOptions::DisabledLargeImages,
                   &TdxBarImageOptions::SetDisabledLargeImages);
        p.Property(L"HotImages", &TdxBarImageOptions::HotImages, &TdxBarImageOptions::SetHotImages);
        p.Property(L"ImageListBkColor", &TdxBarImageOptions::ImageListBkColor, &TdxBarImageOptions::SetImageListBkColor)
            .Default(clFuchsia);
        p.Property(L"Images", &TdxBarImageOptions::Images, &TdxBarImageOptions::SetImages);
        p.Property(L"LargeImages", &TdxBarImageOptions::LargeImages, &TdxBarImageOptions::SetLargeImages);
        p.Property(L"LargeIcons", &TdxBarImageOptions::LargeIcons, &TdxBarImageOptions::SetLargeIcons).Default(false);
        p.Property(L"MakeDisabledImagesFaded", &TdxBarImageOptions::MakeDisabledImagesFaded,
                   &TdxBarImageOptions::SetMakeDisabledImagesFaded)
            .Default(false);
        p.Property(L"SmoothGlyphs", &TdxBarImageOptions::SmoothGlyphs, &TdxBarImageOptions::SetSmoothGlyphs)
            .Default(false);
        p.Property(L"StretchGlyphs", &TdxBarImageOptions::StretchGlyphs, &TdxBarImageOptions::SetStretchGlyphs)
            .Default(true);
        p.Property(L"UseLargeImagesForLargeIcons", &TdxBarImageOptions::UseLargeImagesForLargeIcons,
                   &TdxBarImageOptions::SetUseLargeImagesForLargeIcons)
            .Default(false);
        p.Property(L"UseLeftBottomPixelAsTransparent", &TdxBarImageOptions::UseLeftBottomPixelAsTransparent,
                   &TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent)
            .Default(true);
    }

public:
    explicit TdxBarImageOptions(TPersistent* owner);
    ~TdxBarImageOptions() override;

    TPersistent* GetOwner() const override { return owner_; }
    // Copies everything but CacheGlyphs from other image options.
    void Assign(TPersistent* source) override;

    // 16, or with LargeIcons the width of LargeImages (when used for large icons) or 32.
    int GlyphSize() const { return glyphSize_; }
    void UpdateGlyphSize();
    bool UsesLargeImagesForLargeIcons() const { return largeIcons_ && useLargeImagesForLargeIcons_; }
    // Whether one of the five lists is still being loaded.
    bool AnyImageListLoading() const;

    TCustomImageList* DisabledImages() const { return disabledImages_; }
    void SetDisabledImages(TCustomImageList* value);
    TCustomImageList* DisabledLargeImages() const { return disabledLargeImages_; }
    void SetDisabledLargeImages(TCustomImageList* value);
    TCustomImageList* HotImages() const { return hotImages_; }
    void SetHotImages(TCustomImageList* value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* value);

    bool CacheGlyphs() const { return cacheGlyphs_; }
    void SetCacheGlyphs(bool value) { cacheGlyphs_ = value; }
    TColor ImageListBkColor() const { return imageListBkColor_; }
    void SetImageListBkColor(TColor value);
    bool LargeIcons() const { return largeIcons_; }
    void SetLargeIcons(bool value);
    bool MakeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
    void SetMakeDisabledImagesFaded(bool value);
    bool SmoothGlyphs() const { return smoothGlyphs_; }
    void SetSmoothGlyphs(bool value) { smoothGlyphs_ = value; }
    bool StretchGlyphs() const { return stretchGlyphs_; }
    void SetStretchGlyphs(bool value) { stretchGlyphs_ = value; }
    bool UseLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
    void SetUseLargeImagesForLargeIcons(bool value);
    bool UseLeftBottomPixelAsTransparent() const { return useLeftBottomPixelAsTransparent_; }
    void SetUseLeftBottomPixelAsTransparent(bool value);

    // The owner hears of changed options, of a changed glyph size, and of changes of the lists:
    // the small ones (Images, DisabledImages), the large ones and the hot one (the sender is
    // the list).
    TNotifyEvent OnChanged, OnGlyphSizeChanged, OnSmallImagesChanged, OnLargeImagesChanged, OnHotImagesChanged;

private:
    void Changed();
    void GlyphSizeChanged();
    void SmallListChanged(TObject* sender);
    void LargeListChanged(TObject* sender);
    void HotListChanged(TObject* sender);
    void ListFreed(TObject* sender, TComponent* component);
    TChangeLink* NewLink(void (TdxBarImageOptions::*handler)(TObject*));

    TPersistent* owner_;
    TcxFreeNotificator* freeNotificator_;
    TChangeLink *imagesLink_, *disabledImagesLink_, *largeImagesLink_, *disabledLargeImagesLink_, *hotImagesLink_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* disabledImages_ = nullptr;
    TCustomImageList* largeImages_ = nullptr;
    TCustomImageList* disabledLargeImages_ = nullptr;
    TCustomImageList* hotImages_ = nullptr;
    bool cacheGlyphs_ = true, largeIcons_ = false, makeDisabledImagesFaded_ = false, smoothGlyphs_ = false;
    bool stretchGlyphs_ = true, useLargeImagesForLargeIcons_ = false, useLeftBottomPixelAsTransparent_ = true;
    TColor imageListBkColor_ = clFuchsia;
    int glyphSize_ = 16;
};
