#pragma once
// The controls of items that cannot be clicked: TdxBarCustomStaticControl shows a label (and is
// the base of the static and progress controls), TdxBarSeparatorControl a separator, which in a
// menu can carry its caption as a bold group heading.

#include "Font.h"
#include "dxBarItemControl.h"

class TcxCanvas;

class TdxBarCustomStaticControl : public TdxBarItemControl {
    Z_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
public:
    explicit TdxBarCustomStaticControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}

    // Clicking never fires the item.
    bool IsClickable() const override { return false; }
    // Selectable (to be moved or edited) only while the manager customizes or designs.
    bool IsNavigable() const override;
    // Bit 0 icon (the item has an image), bit 1 text (the item shows its caption).
    Byte GetViewStructure() const override;
    // Is the control shown in a menu (its link's collection is a menu's)?
    bool IsInMenu() const;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
};

class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
    Z_CLASS(TdxBarSeparatorControl, TdxBarCustomStaticControl)
public:
    explicit TdxBarSeparatorControl(TdxBarItemLink* link) : TdxBarCustomStaticControl(link) {}

    // The caption only in a menu and only with ShowCaption; on a toolbar nothing.
    Byte GetViewStructure() const override;
    // The link is the first shown link of its collection.
    bool IsFirstShownLink() const;
    // A separator never takes the large menu size and has no glyph column.
    bool UsesLargeMenuSize() const { return false; }
    int GetGlyphAreaWidth() const { return 0; }
    // In a menu: with a caption one separator line above (none for the first shown link) and one
    // below the height of a menu item; without caption the begin-group gap.
    int CalcMenuItemHeight() override;

    // The heading's font bracket: the canvas font becomes bold; the style it had comes back.
    TFontStyles GetStyleFont(TcxCanvas* canvas) const;
    void RestoreStyleFont(TcxCanvas* canvas, TFontStyles saved) const;

    void CalcDrawParams(bool withItemData) override;

protected:
    TdxBarItemControlDrawParams* CreateDrawParams() override;
    void DrawContent(const TRect& r, Byte paintKind) override;
    // The height of a normal menu item and the begin-group gap of the bar window.
    virtual int GetNormalMenuItemHeight() const;
    virtual int GetBeginGroupSize() const;
    // On a toolbar: a line of text high, a begin-group gap wide.
    int CalcRowHeight() override { return GetActualTextSize(); }
    int CalcMinWidth() const override;
};
