#pragma once
// The text panel style: an optional image from the bar's image list and a line of text, which
// may be shortened at its end or in the middle of a path. One text panel of a bar may take the
// application's hints (AutoHint).

#include "ImageList.h"
#include "dxStatusBarPanelStyle.h"

Z_ENUM(TdxStatusBarEllipsisType, Byte, dxetNone, dxetTruncate, dxetSmartPath)

// May change the text about to be drawn in r.
using TdxStatusBarTextEvent = TEvent<void(TObject* sender, const TRect& r, String& text)>;

class TdxStatusBarTextPanelStyle : public TdxStatusBarPanelStyle {
    Z_CLASS(TdxStatusBarTextPanelStyle, TdxStatusBarPanelStyle)
    Z_PUBLISHED {
        p.Property(L"Alignment", &TdxStatusBarTextPanelStyle::Alignment, &TdxStatusBarTextPanelStyle::SetAlignment)
            .Default(taLeftJustify);
        p.Property(L"AutoHint", &TdxStatusBarTextPanelStyle::AutoHint, &TdxStatusBarTextPanelStyle::SetAutoHint)
            .Default(false);
        p.Property(L"Color", &TdxStatusBarTextPanelStyle::Color, &TdxStatusBarTextPanelStyle::SetColor)
            .Stored(&TdxStatusBarTextPanelStyle::IsColorStored);
        p.Property(L"ImageIndex", &TdxStatusBarTextPanelStyle::ImageIndex, &TdxStatusBarTextPanelStyle::SetImageIndex)
            .Default(-1);
        p.Property(L"EllipsisType", &TdxStatusBarTextPanelStyle::EllipsisType,
                   &TdxStatusBarTextPanelStyle::SetEllipsisType)
            .Default(dxetNone);
        p.Property(L"Font", &TdxStatusBarTextPanelStyle::Font, &TdxStatusBarTextPanelStyle::SetFont)
            .Stored(&TdxStatusBarTextPanelStyle::IsFontStored);
        p.Property(L"ParentFont", &TdxStatusBarTextPanelStyle::ParentFont, &TdxStatusBarTextPanelStyle::SetParentFont)
            .Default(true);
        p.Event(L"OnGetText", &TdxStatusBarTextPanelStyle::OnGetText);
    }

public:
    explicit TdxStatusBarTextPanelStyle(TdxStatusBarPanel* owner) : TdxStatusBarPanelStyle(owner) {}

    bool AutoHint() const { return autoHint_; }
    // Setting it takes it from every other text panel of the bar: one panel shows the hints.
    void SetAutoHint(bool value);
    TdxStatusBarEllipsisType EllipsisType() const { return ellipsisType_; }
    void SetEllipsisType(TdxStatusBarEllipsisType value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    void DoAssign(TdxStatusBarPanelStyle* source) override;
    void DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) override;
    void RestoreDefaults() override;

    TdxStatusBarTextEvent OnGetText;

private:
    bool autoHint_ = false;
    TdxStatusBarEllipsisType ellipsisType_ = dxetNone;
    int imageIndex_ = -1;
};
