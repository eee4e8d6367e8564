#pragma once
// The painters of the Customize dialog's lists: a command drawn as a menu shows it (side strip
// with its glyph, caption, sub-menu arrow, drop-down part) or as an edit (caption box, frame,
// interior, combo button), and the check square of a toolbar. One family of four looks that
// follows the manager's painter; each look is used as a class: one stateless object per class,
// reached through TdxBarCustomizationFormPainterClass.

#include <windows.h>

#include "Colors.h"
#include "GraphicsTypes.h"
#include "TypInfo.h"
#include "SysTypes.h"

class TCanvas;
class TdxBarItem;
class TdxBarManager;

class TdxBarCustomizationFormPainter : public TObject {
    Z_CLASS(TdxBarCustomizationFormPainter, TObject)
public:
    TdxBarCustomizationFormPainter() = default;

    virtual void DrawEditCaption(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item) const;
    virtual void DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item) const;
    virtual void DrawEditBody(TCanvas* canvas, TRect rect, bool hasButton, bool selected, TdxBarItem* item) const;
    virtual void DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item,
                                const String& text) const;
    virtual void DrawEditInterior(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const;
    virtual void CalcEntryRects(TdxBarItem* item, const TRect& rect, TRect& arrowRect, TRect& textRect,
                                TRect& sideStripRect) const;
    virtual void DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const;
    virtual void DrawEntryBackground(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& arrowRect,
                                     const TRect& sideStripRect, const TRect& rect) const;
    virtual void DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const;
    virtual void DrawSubMenuArrow(TCanvas* canvas, int x, bool selected, int y) const;
    virtual void DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected, const String& caption,
                               TdxBarItem* item) const;
    virtual void DrawCheckBox(TCanvas* canvas, const TRect& rect, bool checked, bool enabled) const;
    virtual void DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& rect) const;
    virtual void DrawEditEntry(TCanvas* canvas, const TRect& rect, TdxBarItem* item, bool selected,
                               bool hasButton) const;
    virtual void DrawFocusFrame(TCanvas* canvas, const TRect& rect, TdxBarItem* item) const;
    virtual TColor GetBkColor(bool selected, TdxBarItem* item) const;
    virtual TColor GetTextColor(bool selected) const;
    virtual TColor GetListColor() const;
    virtual TColor GetSideStripColor(bool selected, TdxBarItem* item) const;
    virtual int GetEntryHeight() const { return 22; }
    virtual int GetComboButtonWidth() const { return 12; }

    // The item's Glyph size, or its image list's when the glyph is empty.
    static TSize GetGlyphSize(TdxBarItem* item);
    static bool HasGlyph(TdxBarItem* item);
    // A drop-down button, a sub item, or a container that opens a menu of its own.
    static bool HasArrow(TdxBarItem* item);

protected:
    // The caption of an entry (in parentheses for a container that shows its contents in place).
    void DrawEntryCaption(TCanvas* canvas, const TRect& rect, bool selected, const String& caption,
                          TdxBarItem* item) const;
};

using TdxBarCustomizationFormPainterClass = const TdxBarCustomizationFormPainter*;

class TdxBarCustomizationFormStandardPainter : public TdxBarCustomizationFormPainter {
    Z_CLASS(TdxBarCustomizationFormStandardPainter, TdxBarCustomizationFormPainter)
public:
    void DrawFocusFrame(TCanvas* canvas, const TRect& rect, TdxBarItem* item) const override;
};

class TdxBarCustomizationFormFlatPainter : public TdxBarCustomizationFormPainter {
    Z_CLASS(TdxBarCustomizationFormFlatPainter, TdxBarCustomizationFormPainter)
public:
    TColor GetBkColor(bool selected, TdxBarItem* item) const override;
    TColor GetTextColor(bool selected) const override;
    TColor GetSideStripColor(bool selected, TdxBarItem* item) const override;
    void DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected, const String& caption,
                       TdxBarItem* item) const override;
    void DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item,
                        const String& text) const override;
    void DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& rect) const override;
    void DrawFocusFrame(TCanvas*, const TRect&, TdxBarItem*) const override {}
};

class TdxBarCustomizationFormOffice11Painter : public TdxBarCustomizationFormFlatPainter {
    Z_CLASS(TdxBarCustomizationFormOffice11Painter, TdxBarCustomizationFormFlatPainter)
public:
    TColor GetBkColor(bool selected, TdxBarItem* item) const override;
    TColor GetTextColor(bool selected) const override;
    TColor GetListColor() const override;
    void DrawEntryBackground(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& arrowRect,
                             const TRect& sideStripRect, const TRect& rect) const override;
    void DrawMenuEntry(TCanvas* canvas, const TRect& rect, bool selected, const String& caption,
                       TdxBarItem* item) const override;
    void DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawCaptionBox(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item,
                        const String& text) const override;
    void DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& rect) const override;
};

class TdxBarCustomizationFormXPPainter : public TdxBarCustomizationFormPainter {
    Z_CLASS(TdxBarCustomizationFormXPPainter, TdxBarCustomizationFormPainter)
public:
    void DrawDropDownPart(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawEntryGlyph(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawComboButton(TCanvas* canvas, TdxBarItem* item, bool selected, const TRect& rect) const override;
    void DrawEditFrame(TCanvas* canvas, TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawEditInterior(TCanvas* canvas, const TRect& rect, bool selected, TdxBarItem* item) const override;
    void DrawFocusFrame(TCanvas* canvas, const TRect& rect, TdxBarItem* item) const override;
    int GetComboButtonWidth() const override { return 13; }
};

// The one object of each look.
template <class P>
TdxBarCustomizationFormPainterClass CustomizationFormPainterClassOf() {
    static const P painter;
    return &painter;
}

// The look for the manager's painter class: flat, Office-style or XP for exactly those painter
// classes, standard for every other (nil manager: standard).
TdxBarCustomizationFormPainterClass CustomizationFormPainterFor(const TdxBarManager* manager);
