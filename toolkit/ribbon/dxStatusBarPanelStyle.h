#pragma once
// The panel style: what a status-bar panel shows and how wide it wants to be. Every panel owns
// one style object, made from a style class chosen by name from the panel style registry
// (text, container, keyboard state and state indicator here; the ribbon status bar adds its
// toolbar style). A style class is asked two things through its class reference: to make a
// style for a panel, and whether it needs the ribbon status bar.
//
// Sections: the class family · the style base · the registry.

#include "Alignment.h"
#include "Font.h"
#include "Persistent.h"

class TcxCanvas;
class TcxRegisteredClasses;
class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarPanelStyle;
class TdxStatusBarPainter;
using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

// ---- the class family ----------------------------------------------------------------------

class TdxStatusBarPanelStyleMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    // A new style of this class for the panel, owned by it.
    virtual TdxStatusBarPanelStyle* CreateStyle(TdxStatusBarPanel* owner) const = 0;
    virtual bool RequiresRibbonStatusBar() const = 0;
};

template <class C>
class TMetaClassOf<TdxStatusBarPanelStyleMeta, C> final : public TdxStatusBarPanelStyleMeta {
public:
    using TdxStatusBarPanelStyleMeta::TdxStatusBarPanelStyleMeta;
    TdxStatusBarPanelStyle* CreateStyle(TdxStatusBarPanel* owner) const override { return new C(owner); }
    bool RequiresRibbonStatusBar() const override { return C::RequiresRibbonStatusBar(); }
};

using TdxStatusBarPanelStyleClass = const TdxStatusBarPanelStyleMeta*;

// ---- the style base ------------------------------------------------------------------------

class TdxStatusBarPanelStyle : public TPersistent {
    Z_CLASS_FAMILY(TdxStatusBarPanelStyle, TPersistent, TdxStatusBarPanelStyleMeta)
public:
    // Takes the bar's font (ParentFont is on).
    explicit TdxStatusBarPanelStyle(TdxStatusBarPanel* owner);
    ~TdxStatusBarPanelStyle() override;

    TdxStatusBarPanel* Owner() const { return owner_; }
    TdxCustomStatusBar* StatusBar() const;
    TPersistent* GetOwner() const override;
    // Copies another style's settings (DoAssign) inside an update of the panels.
    void Assign(TPersistent* source) override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The assigned colour, else DefaultColor (the bar's).
    TColor Color() const { return colorAssigned_ ? color_ : DefaultColor(); }
    void SetColor(TColor value);
    bool IsColorStored() const { return colorAssigned_; }
    TFont* Font() const { return font_; }
    void SetFont(TFont* value) { font_->Assign(value); }
    bool IsFontStored() const { return !parentFont_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // -- the style's operations, in the order derived styles meet them
    // A colour of clDefault is the bar's to choose (the ribbon status bar's scheme).
    virtual void AdjustTextColor(TColor& color, bool active);
    // False refuses to let the style go (a container that an ancestor form introduced).
    virtual bool CanDelete() const { return true; }
    // False: the panel's Width, MinWidth and Fixed are ignored (width = minimum width, fixed).
    virtual bool CanSize() const { return true; }
    // The panel changed (its width or its look).
    virtual void Changed();
    // The last panel of the bar gives up the grip's width while the grip shows.
    virtual void AdjustContentRect(TRect& r);
    virtual TColor DefaultColor() const;
    virtual void DoAssign(TdxStatusBarPanelStyle* source);
    // The panel's content in r (inside its bevel): here its background.
    virtual void DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter);
    virtual int GetMinWidth() { return 20; }
    static bool RequiresRibbonStatusBar() { return false; }
    virtual bool DrawsOwnBorders() const { return false; }
    // After the bar has been read from a description.
    virtual void Loaded() {}
    // After the panel was shown or hidden.
    virtual void VisibleChanged() {}
    // The bar's font changed: a style that follows it takes it again.
    virtual void ParentFontChanged();
    virtual void RestoreDefaults();

private:
    void FontChanged(TObject* sender);

    TdxStatusBarPanel* owner_;
    TAlignment alignment_ = taLeftJustify;
    TFont* font_;
    TColor color_ = clBtnFace;
    bool colorAssigned_ = false;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
};

// ---- the registry --------------------------------------------------------------------------

// The style classes with their display names, made on first use; the status bar's unit fills it
// at start-up and frees it at the end.
TcxRegisteredClasses* GetRegisteredStatusBarPanelStyles();
void FreeRegisteredStatusBarPanelStyles();
// The registered style class of that exact class name, or nil.
TdxStatusBarPanelStyleClass FindStatusBarPanelStyleClass(const String& className);
