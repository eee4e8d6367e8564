#include "dxBarImageOptions.h"

#include "AssignIfChanged.h"
#include "cxImageStates.h"

TdxBarImageOptions::TdxBarImageOptions(TPersistent* owner) : owner_(owner) {
    freeNotificator_ = new TcxFreeNotificator(nullptr);
    freeNotificator_->OnFreeNotification = MakeEvent(this, &TdxBarImageOptions::ListFreed);
    imagesLink_ = NewLink(&TdxBarImageOptions::SmallListChanged);
    disabledImagesLink_ = NewLink(&TdxBarImageOptions::SmallListChanged);
    largeImagesLink_ = NewLink(&TdxBarImageOptions::LargeListChanged);
    disabledLargeImagesLink_ = NewLink(&TdxBarImageOptions::LargeListChanged);
    hotImagesLink_ = NewLink(&TdxBarImageOptions::HotListChanged);
    UpdateGlyphSize();
}

TdxBarImageOptions::~TdxBarImageOptions() {
    // The lists let go of the links and the notifier before these are freed.
    for (TCustomImageList** list : {&images_, &disabledImages_, &largeImages_, &disabledLargeImages_, &hotImages_})
        if (*list) {
            (*list)->RemoveFreeNotification(freeNotificator_);
            for (TChangeLink* link :
                 {imagesLink_, disabledImagesLink_, largeImagesLink_, disabledLargeImagesLink_, hotImagesLink_})
                (*list)->UnRegisterChanges(link);
        }
    for (TChangeLink* link :
         {imagesLink_, disabledImagesLink_, largeImagesLink_, disabledLargeImagesLink_, hotImagesLink_})
        delete link;
    delete freeNotificator_;
}

TChangeLink* TdxBarImageOptions::NewLink(void (TdxBarImageOptions::*handler)(TObject*)) {
    auto* link = new TChangeLink;
    link->OnChange = MakeEvent(this, handler);
    return link;
}

void TdxBarImageOptions::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TdxBarImageOptions*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetDisabledImages(other->disabledImages_);
    SetDisabledLargeImages(other->disabledLargeImages_);
    SetHotImages(other->hotImages_);
    SetImages(other->images_);
    SetLargeImages(other->largeImages_);
    SetImageListBkColor(other->imageListBkColor_);
    SetLargeIcons(other->largeIcons_);
    SetMakeDisabledImagesFaded(other->makeDisabledImagesFaded_);
    SetSmoothGlyphs(other->smoothGlyphs_);
    SetStretchGlyphs(other->stretchGlyphs_);
    SetUseLargeImagesForLargeIcons(other->useLargeImagesForLargeIcons_);
    SetUseLeftBottomPixelAsTransparent(other->useLeftBottomPixelAsTransparent_);
}

void TdxBarImageOptions::UpdateGlyphSize() {
    if (!largeIcons_)
        glyphSize_ = 16;
    else if (useLargeImagesForLargeIcons_ && largeImages_)
        glyphSize_ = largeImages_->Width();
    else
        glyphSize_ = 32;
}

bool TdxBarImageOptions::AnyImageListLoading() const {
    for (TCustomImageList* list : {images_, disabledImages_, largeImages_, disabledLargeImages_, hotImages_})
        if (list && list->ComponentState().Contains(csLoading)) return true;
    return false;
}

void TdxBarImageOptions::SetDisabledImages(TCustomImageList* value) {
    ReplaceLinkedImageList(value, disabledImages_, disabledImagesLink_, freeNotificator_);
}

void TdxBarImageOptions::SetDisabledLargeImages(TCustomImageList* value) {
    ReplaceLinkedImageList(value, disabledLargeImages_, disabledLargeImagesLink_, freeNotificator_);
}

void TdxBarImageOptions::SetHotImages(TCustomImageList* value) {
    ReplaceLinkedImageList(value, hotImages_, hotImagesLink_, freeNotificator_);
}

void TdxBarImageOptions::SetImages(TCustomImageList* value) {
    ReplaceLinkedImageList(value, images_, imagesLink_, freeNotificator_);
}

void TdxBarImageOptions::SetLargeImages(TCustomImageList* value) {
    if (value == largeImages_) return;
    ReplaceLinkedImageList(value, largeImages_, largeImagesLink_, freeNotificator_);
    if (UsesLargeImagesForLargeIcons()) GlyphSizeChanged();
}

void TdxBarImageOptions::SetImageListBkColor(TColor value) {
    if (AssignIfChanged(imageListBkColor_, value)) Changed();
}

void TdxBarImageOptions::SetLargeIcons(bool value) {
    if (AssignIfChanged(largeIcons_, value)) GlyphSizeChanged();
}

void TdxBarImageOptions::SetMakeDisabledImagesFaded(bool value) {
    if (AssignIfChanged(makeDisabledImagesFaded_, value)) Changed();
}

// With large icons on, the glyph size depends on this too: it is measured again.
void TdxBarImageOptions::SetUseLargeImagesForLargeIcons(bool value) {
    if (!AssignIfChanged(useLargeImagesForLargeIcons_, value)) return;
    Changed();
    if (largeIcons_) GlyphSizeChanged();
}

void TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool value) {
    if (AssignIfChanged(useLeftBottomPixelAsTransparent_, value)) Changed();
}

void TdxBarImageOptions::Changed() {
    if (OnChanged) OnChanged(this);
}

void TdxBarImageOptions::GlyphSizeChanged() {
    UpdateGlyphSize();
    if (OnGlyphSizeChanged) OnGlyphSizeChanged(this);
}

void TdxBarImageOptions::SmallListChanged(TObject* sender) {
    if (OnSmallImagesChanged) OnSmallImagesChanged(sender);
}

void TdxBarImageOptions::LargeListChanged(TObject* sender) {
    if (OnLargeImagesChanged) OnLargeImagesChanged(sender);
}

void TdxBarImageOptions::HotListChanged(TObject* sender) {
    if (OnHotImagesChanged) OnHotImagesChanged(sender);
}

void TdxBarImageOptions::ListFreed(TObject*, TComponent* component) {
    for (TCustomImageList** list : {&disabledLargeImages_, &disabledImages_, &hotImages_, &images_, &largeImages_})
        if (*list == component) *list = nullptr;
}
