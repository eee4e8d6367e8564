#pragma once
// The painters of the status bar: how a bar's frame, panels, separators and size grip look in
// each paint style. Like the look-and-feel painters, a painter is a class used only through its
// class: each has one stateless object (Instance()), a painter is passed as a pointer to it
// (TdxStatusBarPainterClass), and every operation is const and receives what it needs.
//
// Argument order, the same in every operation: the bar, the canvas, the rectangle (by reference
// where the operation shrinks it), then the rest. The bar chooses its painter by its effective
// paint style (TdxCustomStatusBar::GetPainterClass).
//
// Sections: the painter interface · standard · flat · Office-style · visual-style (themed).

#include "Colors.h"
#include "GraphicsTypes.h"
#include "TypInfo.h"

class TcxCanvas;
class TdxCustomStatusBar;
class TdxStatusBarPanel;
class TdxStatusBarContainerPanelStyle;

// The frame of a panel.
Z_ENUM(TdxStatusBarPanelBevel, Byte, dxpbNone, dxpbLowered, dxpbRaised)

class TdxStatusBarPainter;
using TdxStatusBarPainterClass = const TdxStatusBarPainter*;

class TdxStatusBarPainter {
public:
    static TdxStatusBarPainterClass Instance();
    TdxStatusBarPainter(const TdxStatusBarPainter&) = delete;
    TdxStatusBarPainter& operator=(const TdxStatusBarPainter&) = delete;
    virtual ~TdxStatusBarPainter() = default;

    // Paints a container panel's child window: the bar's frame and top indent as they lie behind
    // it, then the panel's background over its client area.
    virtual void DrawContainerControl(TdxStatusBarContainerPanelStyle* style) const;
    // True: panels keep their full rectangles and the grip is kept safe by clipping; false: the
    // last panel's content gives up the grip's width (AdjustContentRect).
    virtual bool ClipsSizeGrip() const { return true; }
    // A chance to change the colour of a panel's text (active: a key-state caption that is on).
    virtual void AdjustPanelTextColor(TdxCustomStatusBar* bar, TColor& color, bool active) const {}
    // The widths of the frame on each side (left, top, right, bottom) inside the client area.
    virtual TRect GetBorderMargins(TdxCustomStatusBar* bar) const;
    // Whether the grip is drawn before the panels (and clipped out of their way).
    virtual bool SizeGripFirst() const { return true; }
    virtual TSize GetSizeGripSize() const { return TSize{16, 16}; }
    virtual TSize GetSizeGripCornerSize() const { return TSize{12, 12}; }
    virtual int GetSeparatorSize() const { return 2; }
    virtual int GetPanelSeparatorWidth(TdxCustomStatusBar* bar) const { return GetSeparatorSize(); }
    virtual int GetTopIndent() const { return 2; }

    // The top indent and the border frame; r shrinks to the area inside them.
    virtual void DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const;
    // What a bar without visible panels shows.
    virtual void DrawEmptyPanel(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const;
    // One panel: its bevel, then its custom drawing or its style's content.
    virtual void DrawPanel(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r, TdxStatusBarPanel* panel) const;
    // The frame of a bevel; r shrinks to the area inside it.
    virtual void DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                                 TdxStatusBarPanelBevel bevel) const {}
    virtual void DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const {}
    // The size grip in the bottom-right corner of r (the area inside the border), taken out of
    // the canvas's clip region afterwards. overlapped: the panels fill the bar up to its edge.
    virtual void DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r, bool overlapped) const;
    virtual void FillTopIndent(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const;
    // A panel's background (panel may be nil: the bar's own).
    virtual void FillPanelBackground(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                                     TdxStatusBarPanel* panel) const {}
    virtual TdxStatusBarPanelBevel GetPanelBevel(TdxStatusBarPanel* panel) const;
    virtual TColor GetPanelColor(TdxCustomStatusBar* bar, TdxStatusBarPanel* panel) const;
    // Where a text panel's text goes inside r.
    virtual TRect AdjustPanelTextRect(TdxCustomStatusBar* bar, TdxStatusBarPanel* panel, const TRect& r) const {
        return r;
    }

protected:
    TdxStatusBarPainter() = default;
};

// Classic: sunken and raised window edges, separators and grip in the bar's colour.
class TdxStatusBarStandardPainter : public TdxStatusBarPainter {
public:
    static const TdxStatusBarStandardPainter* Instance();
    void DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                         TdxStatusBarPanelBevel bevel) const override;
    void DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const override;
    void FillPanelBackground(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                             TdxStatusBarPanel* panel) const override;

protected:
    TdxStatusBarStandardPainter() = default;
};

// As the standard one, with every bevel a one-pixel shadow frame.
class TdxStatusBarFlatPainter : public TdxStatusBarStandardPainter {
public:
    static const TdxStatusBarFlatPainter* Instance();
    void DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                         TdxStatusBarPanelBevel bevel) const override;

protected:
    TdxStatusBarFlatPainter() = default;
};

// The Office-style look: a gradient behind everything, framed panels, the dotted grip.
class TdxStatusBarOffice11Painter : public TdxStatusBarPainter {
public:
    static const TdxStatusBarOffice11Painter* Instance();
    TRect GetBorderMargins(TdxCustomStatusBar* bar) const override { return TRect{1, 1, 1, 1}; }
    void DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const override;
    void DrawPanelBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r,
                         TdxStatusBarPanelBevel bevel) const override;
    void DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r, bool overlapped) const override;

protected:
    TdxStatusBarOffice11Painter() = default;
};

// The system's visual style: the status-bar theme's background, panes and gripper.
class TdxStatusBarXPPainter : public TdxStatusBarPainter {
public:
    static const TdxStatusBarXPPainter* Instance();
    TRect GetBorderMargins(TdxCustomStatusBar* bar) const override;
    TSize GetSizeGripSize() const override;
    int GetSeparatorSize() const override;
    void DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const override;
    void DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const override;
    void DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r, bool overlapped) const override;

protected:
    TdxStatusBarXPPainter() = default;
};
