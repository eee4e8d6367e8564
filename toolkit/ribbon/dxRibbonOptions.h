#pragma once
// The ribbon's settings objects: the quick access toolbar (a toolbar of the bar manager docked
// in its own dock control), the application button and the three ribbon fonts, which follow the
// bar manager's font and the colour scheme's colours until the user sets them.

#include "Bitmap.h"
#include "Font.h"
#include "Persistent.h"
#include "Sets.h"
#include "TypInfo.h"
#include "dxBar.h"
#include "dxRibbonPopupMenuItems.h"

class TdxCustomRibbon;
class TdxRibbonQuickAccessDockControl;
struct IdxBarAccessibilityHelper;
class TdxBarAccessibilityHelper;

Z_ENUM(TdxQuickAccessToolbarPosition, Byte, qtpAboveRibbon, qtpBelowRibbon)

// ---- the quick access toolbar --------------------------------------------------------------

class TdxRibbonQuickAccessToolbar : public TPersistent {
    Z_CLASS(TdxRibbonQuickAccessToolbar, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Position", &TdxRibbonQuickAccessToolbar::Position, &TdxRibbonQuickAccessToolbar::SetPosition)
            .Default(qtpAboveRibbon);
        p.Property(L"Toolbar", &TdxRibbonQuickAccessToolbar::Toolbar, &TdxRibbonQuickAccessToolbar::SetToolbar);
        p.Property(L"Visible", &TdxRibbonQuickAccessToolbar::Visible, &TdxRibbonQuickAccessToolbar::SetVisible)
            .Default(true);
    }

public:
    explicit TdxRibbonQuickAccessToolbar(TdxCustomRibbon* ribbon);
    ~TdxRibbonQuickAccessToolbar() override;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    TdxRibbonQuickAccessDockControl* DockControl() const { return dockControl_; }
    TdxQuickAccessToolbarPosition Position() const { return position_; }
    void SetPosition(TdxQuickAccessToolbarPosition value);
    TdxBar* Toolbar() const { return toolbar_; }
    // Every group that shows the new toolbar is deleted; the old toolbar is undocked.
    void SetToolbar(TdxBar* value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // The ribbon recalculates with its redraw off, then repaints in full.
    void Changed();
    virtual void UpdateDockControl();
    // Told by the ribbon when the toolbar component goes.
    void ToolbarRemoved() { toolbar_ = nullptr; }

    // -- the context menu's view of the toolbar (dxRibbonContextMenu.cpp)
    // Shown: Visible with a toolbar.
    bool IsShown() const { return visible_ && toolbar_; }
    // The ribbon's effective context-menu parts without the add/remove command.
    virtual TdxRibbonPopupMenuItems GetPopupMenuItems() const;
    // The ribbon's commands appended to a menu of the toolbar.
    void FillPopupMenu(TdxBarItemLinks* links);
    // The toolbar's links hold the link, or the link it was made from.
    bool ContainsLink(TdxBarItemLink* link) const;
    // The toolbar's links hold a group button standing for bar (false for nil or without a toolbar).
    bool HasGroupButtonFor(TdxBar* bar) const;

private:
    TdxCustomRibbon* ribbon_;
    TdxRibbonQuickAccessDockControl* dockControl_ = nullptr;
    TdxQuickAccessToolbarPosition position_ = qtpAboveRibbon;
    TdxBar* toolbar_ = nullptr;
    bool visible_ = true;
};

// ---- the application button ----------------------------------------------------------------

class TdxRibbonApplicationButton : public TPersistent {
    Z_CLASS(TdxRibbonApplicationButton, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Glyph", &TdxRibbonApplicationButton::Glyph, &TdxRibbonApplicationButton::SetGlyph);
        p.Property(L"KeyTip", &TdxRibbonApplicationButton::KeyTip, &TdxRibbonApplicationButton::SetKeyTip);
        p.Property(L"StretchGlyph", &TdxRibbonApplicationButton::StretchGlyph,
                   &TdxRibbonApplicationButton::SetStretchGlyph)
            .Default(true);
        p.Property(L"Visible", &TdxRibbonApplicationButton::Visible, &TdxRibbonApplicationButton::SetVisible)
            .Default(true);
    }

public:
    explicit TdxRibbonApplicationButton(TdxCustomRibbon* ribbon);
    ~TdxRibbonApplicationButton() override;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    TBitmap* Glyph() const { return glyph_; }
    // A bitmap of fewer than 32 bits is kept as a 32-bit one with premultiplied alpha (its
    // transparent colour cleared); a 32-bit one is kept as it is.
    void SetGlyph(TBitmap* value);
    const String& KeyTip() const { return keyTip_; }
    void SetKeyTip(const String& value) { keyTip_ = value; }
    bool StretchGlyph() const { return stretchGlyph_; }
    void SetStretchGlyph(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    void Changed();
    // The button's keyboard-navigation helper, made on the first request.
    IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

private:
    void GlyphChanged(TObject* sender);

    TdxCustomRibbon* ribbon_;
    TBitmap* glyph_;
    String keyTip_;
    bool stretchGlyph_ = true;
    bool visible_ = true;
    bool assigningGlyph_ = false;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
};

// ---- fonts ---------------------------------------------------------------------------------

Z_ENUM(TdxRibbonAssignedFont, int, afTabHeader, afGroup, afGroupHeader)
using TdxRibbonAssignedFonts = TSet<TdxRibbonAssignedFont>;

class TdxRibbonFonts : public TPersistent {
    Z_CLASS(TdxRibbonFonts, TPersistent)
    Z_PUBLISHED {
        p.Property(L"AssignedFonts", &TdxRibbonFonts::AssignedFonts, &TdxRibbonFonts::SetAssignedFonts);
        p.Property(L"DocumentNameColor", &TdxRibbonFonts::DocumentNameColor, &TdxRibbonFonts::SetDocumentNameColor)
            .Default(clDefault);
        p.Property(L"Group", &TdxRibbonFonts::Group, &TdxRibbonFonts::SetGroup).Stored(&TdxRibbonFonts::IsGroupStored);
        p.Property(L"GroupHeader", &TdxRibbonFonts::GroupHeader, &TdxRibbonFonts::SetGroupHeader)
            .Stored(&TdxRibbonFonts::IsGroupHeaderStored);
        p.Property(L"TabHeader", &TdxRibbonFonts::TabHeader, &TdxRibbonFonts::SetTabHeader)
            .Stored(&TdxRibbonFonts::IsTabHeaderStored);
    }

public:
    explicit TdxRibbonFonts(TdxCustomRibbon* ribbon);
    ~TdxRibbonFonts() override;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;

    TdxRibbonAssignedFonts AssignedFonts() const { return assignedFonts_; }
    // Re-applies the defaults to the fonts no longer assigned.
    void SetAssignedFonts(TdxRibbonAssignedFonts value);
    TColor DocumentNameColor() const { return documentNameColor_; }
    void SetDocumentNameColor(TColor value);
    TFont* Group() const { return fonts_[afGroup]; }
    void SetGroup(TFont* value) { fonts_[afGroup]->Assign(value); }
    TFont* GroupHeader() const { return fonts_[afGroupHeader]; }
    void SetGroupHeader(TFont* value) { fonts_[afGroupHeader]->Assign(value); }
    TFont* TabHeader() const { return fonts_[afTabHeader]; }
    void SetTabHeader(TFont* value) { fonts_[afTabHeader]->Assign(value); }
    TFont* CaptionFont() const { return captionFont_; }

    // Each answer is a work font the next call overwrites.
    virtual TFont* GetFormCaptionFont(bool isActive);
    virtual TFont* GetGroupFont();
    virtual TFont* GetGroupHeaderFont();
    virtual TFont* GetTabHeaderFont(int state);
    TColor GetFormCaptionTextColor(bool isActive);

    // The caption font from the system; every font not assigned from the ribbon's font, the
    // bar manager's and the colour scheme's colours.
    void UpdateFonts();

private:
    bool IsGroupStored() const { return assignedFonts_.Contains(afGroup); }
    bool IsGroupHeaderStored() const { return assignedFonts_.Contains(afGroupHeader); }
    bool IsTabHeaderStored() const { return assignedFonts_.Contains(afTabHeader); }
    void UpdateDefaultFont(TdxRibbonAssignedFont index);
    void FontChanged(TObject* sender);
    void ApplyFontChange();
    void Changed();

    TdxCustomRibbon* ribbon_;
    TFont* captionFont_;
    TFont* workFont_;
    TFont* fonts_[3];
    TdxRibbonAssignedFonts assignedFonts_;
    TColor documentNameColor_ = clDefault;
    bool locked_ = false;
};
