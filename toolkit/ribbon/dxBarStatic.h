#pragma once
// TdxBarStatic: a caption and/or glyph without a command, with an optional border, indents
// before and after its content and an optional fixed size. Its control, TdxBarStaticControl,
// lays the content out and draws it through the painter's static operations; the progress
// item's control builds on it.

#include "Alignment.h"
#include "dxBarItem.h"
#include "dxBarStaticControl.h"

// Each bar window of the kinds that shows a link of the item lays itself out again, except an
// active window whose selected control is the link's.
void UpdateBarsShowingItem(TdxBarItem* item, TdxBarControlKinds kinds);

Z_ENUM(TdxBarStaticBorderStyle, Byte, sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump)

class TdxBarStatic : public TdxBarItem {
    Z_CLASS(TdxBarStatic, TdxBarItem)
    Z_PUBLISHED {
        p.Property(L"Alignment", &TdxBarStatic::Alignment, &TdxBarStatic::SetAlignment).Default(taCenter);
        p.Property(L"AllowClick", &TdxBarStatic::AllowClick, &TdxBarStatic::SetAllowClick).Default(false);
        p.Property(L"BorderStyle", &TdxBarStatic::BorderStyle, &TdxBarStatic::SetBorderStyle).Default(sbsNone);
        p.Property(L"Glyph", &TdxBarStatic::Glyph, &TdxBarStatic::SetGlyph);
        p.Property(L"ImageIndex", &TdxBarStatic::ImageIndex, &TdxBarStatic::SetImageIndex).Default(-1);
        p.Property(L"LeftIndent", &TdxBarStatic::LeftIndent, &TdxBarStatic::SetLeftIndent).Default(0);
        p.Property(L"RightIndent", &TdxBarStatic::RightIndent, &TdxBarStatic::SetRightIndent).Default(0);
        p.Property(L"Width", &TdxBarStatic::GetWidth, &TdxBarStatic::SetWidth).Default(0);
        p.Property(L"Height", &TdxBarStatic::Height, &TdxBarStatic::SetHeight).Default(0);
        p.Property(L"ShowCaption", &TdxBarStatic::ShowCaption, &TdxBarStatic::SetShowCaption).Default(true);
        p.Event(L"OnClick", &TdxBarStatic::OnClick);
    }

public:
    explicit TdxBarStatic(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AllowClick() const { return allowClick_; }
    void SetAllowClick(bool value) { allowClick_ = value; }
    TdxBarStaticBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TdxBarStaticBorderStyle value);
    // The four sizes: negative values are stored as 0; nothing is recalculated while loading.
    int LeftIndent() const { return sizes_[0]; }
    void SetLeftIndent(int value) { SetSize(0, value); }
    int RightIndent() const { return sizes_[1]; }
    void SetRightIndent(int value) { SetSize(1, value); }
    int GetWidth() const override { return sizes_[2]; }
    void SetWidth(int value) override { SetSize(2, value); }
    int Height() const { return sizes_[3]; }
    void SetHeight(int value) { SetSize(3, value); }
    bool HasFixedSize() const { return sizes_[2] != 0 && sizes_[3] != 0; }

    // A static item is clicked (by the mouse or its shortcut) only with AllowClick.
    bool ClickableByShortCut() const override { return allowClick_; }
    bool UsesStyleColors() const override { return true; }
    // Each bar window of the kinds that shows a link lays itself out again, except an active
    // window whose selected control is the link's.
    void RecalcLinkBars(TdxBarControlKinds kinds) override;

private:
    void SetSize(int index, int value);

    TAlignment alignment_ = taCenter;
    bool allowClick_ = false;
    TdxBarStaticBorderStyle borderStyle_ = sbsNone;
    int sizes_[4] = {0, 0, 0, 0};  // LeftIndent, RightIndent, Width, Height
};

class TdxBarStaticControl : public TdxBarCustomStaticControl {
    Z_CLASS(TdxBarStaticControl, TdxBarCustomStaticControl)
public:
    explicit TdxBarStaticControl(TdxBarItemLink* link) : TdxBarCustomStaticControl(link) {}

    TdxBarStatic* Static() const;
    // A descendant that paints something of its own beside the caption answers True.
    virtual bool HasOwnContent() const { return false; }
    virtual TAlignment GetAlignment() const;

    bool IsClickable() const override;
    bool ClosesMenuOnClick() const override { return IsClickable(); }
    bool CanHotTrack() const override;
    void CaptionChanged() override;
    void CalcDrawParams(bool withItemData) override;
    void DrawStaticInterior(const TRect& rect) override;
    // The border widths of the item's BorderStyle as the painter draws them.
    TRect BorderWidths() const;
    bool InSubMenu() const;

    // The sizes across and along the bar without rotation, and as laid out.
    int CalcRowHeight() override;
    virtual int CalcRowWidth();
    int CalcHeight() override;
    int CalcWidth() override;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
    // The content with the glyph extent given, borders and indents included.
    int CalcContentHeight(int glyph);
    int CalcContentWidth(int glyph);
    // The glyph's extent across (height) and along (width) the bar for the orientation.
    int GlyphHeight();
    int GlyphWidth();
};
