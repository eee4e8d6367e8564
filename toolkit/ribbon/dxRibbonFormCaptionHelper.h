#pragma once
// The caption of a ribbon-styled form. The helper sits between the ribbon form and the ribbon on
// it: it keeps the caption's geometry (caption band, caption buttons, system icon, text), hit
// tests and tracks the caption buttons, shows the system menu, builds the window region with
// rounded corners, and has the ribbon paint caption, frame and buttons through
// IdxRibbonFormNonClientPainter.
//
// Coordinates: the geometry (ButtonsArea, button rectangles, icon and text rectangles, the
// caption regions) is in the ribbon's client coordinates; the points handed to IsInCaption,
// HitTest and the caption mouse operations are screen points.
//
// Sections: the painter interface · the helper · the standard frame insets.

#include <memory>

#include "Form.h"
#include "Timer.h"
#include "cxBitmap.h"
#include "cxGraphics.h"
#include "dxRibbonSkins.h"

class TdxCustomRibbonForm;

// ---- the painter interface -----------------------------------------------------------------

// What the ribbon answers to the form whose caption and frame it paints.
class IdxRibbonFormNonClientPainter {
public:
    // The caption band, application button, quick access toolbar and caption text, into bounds.
    virtual void DrawRibbonFormCaption(TcxCanvas* canvas, const TRect& bounds, const FormPaintData& data) = 0;
    // The frame (and the pieces beside a status bar), in window coordinates.
    virtual void DrawRibbonFormBorders(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data) = 0;
    // One caption button; state as the colour scheme's border icons take it.
    virtual void DrawRibbonFormBorderIcon(TcxCanvas* canvas, const TRect& bounds, TdxRibbonBorderIcon icon,
                                          int state) = 0;
    // A new region of the application button (the caller owns it), or nil.
    virtual HRGN GetRibbonApplicationButtonRegion() = 0;
    virtual int GetRibbonFormCaptionHeight() = 0;
    virtual TColor GetRibbonFormColor() = 0;
    virtual int GetRibbonLoadedHeight() = 0;
    // The text for the caption and the taskbar.
    virtual String GetRibbonFormCaptionText() = 0;
    // The frame widths left, top, right, bottom.
    virtual TRect GetWindowBordersWidth() = 0;
    virtual bool HasStatusBar() = 0;
    // The form's text or state changed: relayout and redraw.
    virtual void UpdateNonClientArea() = 0;
    // The form was resized: re-check whether the ribbon shows.
    virtual void UpdateNonClientDrawing() = 0;
    virtual void RedrawRibbon() = 0;

protected:
    ~IdxRibbonFormNonClientPainter() = default;
};

// ---- the helper ----------------------------------------------------------------------------

// The caption buttons, laid out from the right as close, help, maximize, minimize.
enum TdxRibbonFormButton : int { rfbNone = -1, rfbClose = 0, rfbMinimize = 1, rfbMaximize = 2, rfbHelp = 3 };

class TdxRibbonFormCaptionHelper : public TObject {
    Z_CLASS(TdxRibbonFormCaptionHelper, TObject)
public:
    // owner is the ribbon's control; its window procedure is replaced until the helper is freed.
    TdxRibbonFormCaptionHelper(TWinControl* owner, IdxRibbonFormNonClientPainter* painter);
    ~TdxRibbonFormCaptionHelper() override;
    TdxRibbonFormCaptionHelper(const TdxRibbonFormCaptionHelper&) = delete;
    TdxRibbonFormCaptionHelper& operator=(const TdxRibbonFormCaptionHelper&) = delete;

    TWinControl* Owner() const { return owner_; }
    IdxRibbonFormNonClientPainter* Painter() const { return painter_; }
    // The ribbon form the owner lies on, or nil.
    TdxCustomRibbonForm* Form() const;

    // -- state handed over by the form
    const FormPaintData& FormData() const { return formData_; }
    // Copies a changed record and, when it carries a window, recalculates.
    void SetFormData(const FormPaintData& data);
    // biSystemMenu stands for the close button.
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);

    // -- geometry
    void Recalculate();
    int GetCaptionHeight() const;
    TRect GetWindowBordersWidth() const;
    String GetCaptionText() const;
    TColor GetFormColor() const;
    // A new region for the form's window (the caller owns it): all corners rounded for a
    // sizeable or borderless form, only the top ones for the others and for an MDI child.
    HRGN GetWindowRegion() const;
    TRect GetSystemIconArea() const;
    const TRect& ButtonsArea() const { return buttonsArea_; }
    const TRect& ButtonRect(TdxRibbonFormButton button) const { return buttonRects_[button]; }
    const TRect& SystemIconArea() const { return systemIconArea_; }
    const TRect& SystemIconRect() const { return systemIconRect_; }
    const TRect& TextRect() const { return textRect_; }
    const TRect& CaptionRect() const { return captionRect_; }
    HRGN ClientCaptionRegion() const { return clientCaptionRegion_; }
    // The visible button at a point of the ribbon's client area, else rfbNone.
    TdxRibbonFormButton ButtonAt(TPoint p) const;

    // -- mouse
    TdxRibbonFormButton HotButton() const { return hotButton_; }
    TdxRibbonFormButton PressedButton() const { return pressedButton_; }
    bool IsInCaption(TPoint screen) const;
    // HTCAPTION, HTSYSMENU, or HTNOWHERE over a visible caption button (which becomes hot).
    LRESULT HitTest(TPoint screen);
    bool CaptionMouseDown(TPoint screen, TMouseButton button);
    bool CaptionMouseUp(TPoint screen, TMouseButton button);
    // Shows the form's system menu at the point and posts the chosen command to the form.
    void TrackSystemMenu(TPoint screen);
    void ReleasePressedButton();
    // Gives back the mouse capture the caption took for a press, if the form still holds it.
    void ReleaseFormCapture();
    // The timer that clears the hot button once the mouse has left the buttons.
    bool MouseTimerRunning() const;

    // -- painting
    void DrawBorders(TcxCanvas* canvas);
    // The caption part inside the ribbon's client area (the ribbon draws its own text);
    // inOwnerPaint: the canvas is the ribbon's own, during its painting.
    void DrawCaption(TcxCanvas* canvas, bool inOwnerPaint = false);
    // Paints the caption through the caption bitmap onto the canvas.
    void Paint(TcxCanvas* canvas);
    void RedrawButtons();
    bool ClientDrawing() const { return clientDrawing_; }

    void UpdateNonClientArea() { painter_->UpdateNonClientArea(); }
    void UpdateNonClientDrawing();
    void RedrawRibbon() { painter_->RedrawRibbon(); }
    int GetRibbonLoadedHeight() const { return painter_->GetRibbonLoadedHeight(); }

private:
    bool UsesCompositionFrame() const;
    bool FormMinimized() const { return formData_.WindowState == 1; }
    bool FormMaximized() const { return formData_.WindowState == 2; }
    bool HasWindow() const { return formData_.WindowHandle != 0; }
    bool IsButtonVisible(TdxRibbonFormButton button) const;
    TPoint ToOwner(TPoint screen) const;
    void DeleteRegions();
    void CalculateRegions();
    void CalculateButtons();
    void CalculateSystemIcon();
    void CalculateTextRect();
    void DrawButtons(TcxCanvas* canvas);
    int ButtonState(TdxRibbonFormButton button) const;
    void SetHotButton(TdxRibbonFormButton button);
    void MouseTimerTick(TObject* sender);
    void StopMouseTimer();
    void HookWindowProc(TMessage& message);

    TWinControl* owner_;
    IdxRibbonFormNonClientPainter* painter_;
    TWndMethod previousWindowProc_;
    FormPaintData formData_{};
    TBorderIcons borderIcons_;
    TRect buttonsArea_{};
    TRect buttonRects_[4]{};
    TRect systemIconArea_{}, systemIconRect_{}, textRect_{}, captionRect_{};
    HRGN captionRegion_ = nullptr;
    HRGN clientCaptionRegion_ = nullptr;
    HRGN transparentRegion_ = nullptr;
    TdxRibbonFormButton hotButton_ = rfbNone;
    TdxRibbonFormButton pressedButton_ = rfbNone;
    bool captured_ = false;
    bool clientDrawing_ = false;
    std::unique_ptr<TcxBitmap> captionBitmap_;
    std::unique_ptr<TTimer> mouseTimer_;
};

// ---- the standard frame insets -------------------------------------------------------------

// The insets the system's frame (with caption) takes from a 500 x 500 window; zero for a
// minimized window.
TRect GetDefaultFrameInsets(HWND window);
// The same without the caption's height.
TRect GetDefaultFrameInsetsWithoutCaption(HWND window);

// A toolkit canvas over a borrowed device context, for the scope of one drawing.
class TdxDCCanvas {
public:
    explicit TdxDCCanvas(HDC dc);
    ~TdxDCCanvas();
    TdxDCCanvas(const TdxDCCanvas&) = delete;
    TdxDCCanvas& operator=(const TdxDCCanvas&) = delete;
    TcxCanvas* Canvas() const { return cxCanvas_.get(); }

private:
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<TcxCanvas> cxCanvas_;
};
