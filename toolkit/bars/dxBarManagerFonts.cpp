// The manager's fonts: Font (the system menu font while UseSystemFont), the caption font of
// floating bars and the edit font of in-place edits.

#include "dxBarManager.h"
#include "dxBarUtils.h"

namespace {
LONG IconTitleFontHeight() {
    LOGFONTW font{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
    return font.lfHeight;
}

// Sets a flag for a scope, putting its old value back at the end (also when an exception passes).
struct TFlagSet {
    bool& flag;
    bool old;
    explicit TFlagSet(bool& f) : flag(f), old(f) { flag = true; }
    ~TFlagSet() { flag = old; }
};
}  // namespace

void TdxBarManager::UpdateSystemFont() {
    NONCLIENTMETRICSW metrics = ReadNonClientMetrics();
    if (useSystemFont_) {
        TFlagSet internal(internalFontChange_);
        font_->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
    } else if (scaled_) {
        font_->SetHeight(metrics.lfMenuFont.lfHeight);
    }
}

void TdxBarManager::SetUseSystemFont(bool value) {
    if (AssignIfChanged(useSystemFont_, value) && value) UpdateSystemFont();
}

void TdxBarManager::SetScaled(bool value) {
    if (AssignIfChanged(scaled_, value) && value && !useSystemFont_) UpdateSystemFont();
}

void TdxBarManager::FontChanged(TObject*) {
    if (!internalFontChange_) useSystemFont_ = false;
    if (scaled_) {
        // The height follows the menu font; that change must not come back here.
        TNotifyEvent saved = font_->OnChange;
        font_->OnChange = nullptr;
        try {
            UpdateSystemFont();
        } catch (...) {
            font_->OnChange = saved;
            throw;
        }
        font_->OnChange = saved;
    }

    editFont_->Assign(font_);
    if (scaled_) {
        LONG height = IconTitleFontHeight();
        editFont_->SetHeight(height >= -10 ? -11 : height);
    }

    NONCLIENTMETRICSW metrics = ReadNonClientMetrics();
    captionFont_->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
    if (!useSystemFont_) {
        LONG height = metrics.lfMenuFont.lfHeight;
        captionFont_->SetHeight(height < -10 ? height : -11);
        captionFont_->SetName(font_->Name());
    }

    FireSystemFontChanged();
    // Hook (toolbars, popup menus): every bar, then every popup menu, that does not use its own
    // font takes Font; the others re-apply their own.
}
