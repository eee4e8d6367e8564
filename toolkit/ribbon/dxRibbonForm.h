#pragma once
// The ribbon form: a form whose caption and frame a ribbon on it may draw. Without an attached
// caption helper it is the platform's form. With one (the ribbon's SupportNonClientDrawing) it
// routes its non-client messages to the helper, in one of two modes:
// - the composition frame (desktop composition on, not an MDI child, no parent window): the
//   system keeps the glass frame and the caption buttons; the frame is extended into the client
//   area by the caption height, that band is painted black, and caption hit tests go to the
//   desktop window manager first;
// - the ribbon frame (otherwise): the system caption is removed, the window is clipped to a
//   region with rounded corners, and the ribbon paints frame and caption with its colour scheme.
//
// Sections: shell binding · the form · the published form.

#include <shellapi.h>

#include "Form.h"
#include "dxRibbonFormCaptionHelper.h"
#include "dxRibbonSkins.h"

// ---- shell binding -------------------------------------------------------------------------

// The shell's application-bar query (SHAppBarMessage), through which the form learns of an
// auto-hide taskbar. SetAppBarMessageFunction replaces it (nil: the system's) and returns the
// previous one, so that tests can stand in for the shell.
using TdxAppBarMessageFunction = UINT_PTR(WINAPI*)(DWORD message, PAPPBARDATA data);
TdxAppBarMessageFunction SetAppBarMessageFunction(TdxAppBarMessageFunction function);

// ---- the form ------------------------------------------------------------------------------

class TdxCustomRibbonForm : public TForm {
    Z_CLASS(TdxCustomRibbonForm, TForm)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), Z_MESSAGE(WM_NCHITTEST, WMNCHitTest),
                  Z_MESSAGE(WM_NCPAINT, WMNCPaint), Z_MESSAGE(WM_NCACTIVATE, WMNCActivate),
                  Z_MESSAGE(WM_SIZE, WMSize), Z_MESSAGE(WM_PAINT, WMPaint), Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd),
                  Z_MESSAGE(WM_SYSCOMMAND, WMSysCommand), Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                  Z_MESSAGE(WM_SHOWWINDOW, WMShowWindow), Z_MESSAGE(WM_INITMENU, WMInitMenu),
                  Z_MESSAGE(WM_QUERYOPEN, WMQueryOpen), Z_MESSAGE(WM_CANCELMODE, WMCancelMode),
                  Z_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged), Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown),
                  Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDown), Z_MESSAGE(WM_NCRBUTTONDOWN, WMNCRButtonDown),
                  Z_MESSAGE(WM_LBUTTONUP, WMLButtonUp), Z_MESSAGE(WM_RBUTTONDOWN, WMRButton),
                  Z_MESSAGE(WM_RBUTTONUP, WMRButton), Z_MESSAGE(WM_NCRBUTTONUP, WMRButton),
                  Z_MESSAGE(WM_DWMCOMPOSITIONCHANGED, WMDwmCompositionChanged), Z_MESSAGE(WM_SETTEXT, WMSetText),
                  Z_MESSAGE(WM_GETTEXT, WMGetText), Z_MESSAGE(WM_GETTEXTLENGTH, WMGetTextLength),
                  Z_MESSAGE(WM_MOUSEACTIVATE, WMRepaintFrameAfter), Z_MESSAGE(WM_SYNCPAINT, WMRepaintFrameAfter),
                  Z_MESSAGE(WM_NCLBUTTONDOWN, WMNCLButtonDown), Z_MESSAGE(0x00AE, WMThemedFrameRedraw),
                  Z_MESSAGE(0x00AF, WMThemedFrameRedraw), Z_MESSAGE(WM_NCMOUSELEAVE, WMNCMouseLeave),
                  Z_MESSAGE(0x0313, WMTaskbarSystemMenu), Z_MESSAGE(WM_ENTERSIZEMOVE, WMEnterSizeMove),
                  Z_MESSAGE(WM_EXITSIZEMOVE, WMExitSizeMove))
public:
    explicit TdxCustomRibbonForm(TComponent* owner);
    TdxCustomRibbonForm(TComponent* owner, TCreateNew);
    ~TdxCustomRibbonForm() override;

    // -- properties
    bool AdjustLayoutForNonClientDrawing() const { return adjustLayoutForNonClientDrawing_; }
    void SetAdjustLayoutForNonClientDrawing(bool value) { adjustLayoutForNonClientDrawing_ = value; }
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);
    // Automatic scrolling stays off whatever is asked.
    bool AutoScroll() const { return false; }
    void SetAutoScroll(bool) {}

    // -- the caption helper
    TdxRibbonFormCaptionHelper* CaptionHelper() const { return captionHelper_; }
    bool RibbonNonClientActive() const { return ribbonNonClientActive_; }
    // Called by the ribbon when it starts (helper) or stops (nil) drawing the non-client area.
    void SetCaptionHelper(TdxRibbonFormCaptionHelper* helper);

    // -- state
    const FormPaintData& PaintData() const { return formPaintData_; }
    void UpdateFormPaintData();
    bool UsesCompositionFrame() const;
    TColor GetFormColor() const;
    // The caption buttons shown for the border style and icons.
    virtual TBorderIcons GetVisibleBorderIcons() const;
    int ExtendedFrameHeight() const { return extendedFrameHeight_; }
    const TRect& MaximizedInsets() const { return maximizedInsets_; }
    bool NonClientActive() const { return nonClientActive_; }

    // -- non-client painting
    // Paints frame (and, when withCaption, the caption) on the window's DC, clipped to region
    // when given (a copy of it is taken).
    void PaintNonClientArea(bool withCaption, HRGN region = nullptr);
    // The same drawing into any DC whose origin is the window's top-left corner.
    void PaintNonClientTo(HDC dc, bool withCaption);
    void RefreshNonClientArea();
    void RedrawFrame();
    // Shows the system menu at the cursor, or under the system icon.
    void ShowSystemMenu(bool atCursor);
    // Applies the item states and deletions of the ribbon form to a system menu.
    virtual void UpdateSystemMenu(HMENU menu);

    // The message the form sends itself when the ribbon starts or stops drawing its frame
    // (wParam: whether it now does).
    static UINT RibbonNonClientChangedMessage();

protected:
    void DoCreate() override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void AdjustClientRect(TRect& rect) override;
    // With KeyPreview every key goes to the ribbons of the form (of the main form for an MDI
    // child) too: Ctrl+F1 shows or hides the groups wherever the focus is.
    void KeyDown(Word& key, TShiftState shift) override;

    virtual bool CanAdjustLayout() const;
    virtual void AdjustLayoutForRibbon();
    virtual bool HandleCaptionMouse(bool isDown, TMouseButton button);
    virtual void ShiftControls(int delta);

    void WMNCCalcSize(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMNCActivate(TMessage& message);
    void WMSize(TMessage& message);
    void WMPaint(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSysCommand(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void WMShowWindow(TMessage& message);
    void WMInitMenu(TMessage& message);
    void WMQueryOpen(TMessage& message);
    void WMCancelMode(TMessage& message);
    void WMCaptureChanged(TMessage& message);
    void WMLButtonDown(TMessage& message);
    void WMLButtonUp(TMessage& message);
    void WMRButton(TMessage& message);
    void WMNCRButtonDown(TMessage& message);
    void WMDwmCompositionChanged(TMessage& message);
    void WMSetText(TMessage& message);
    void WMGetText(TMessage& message);
    void WMGetTextLength(TMessage& message);
    void WMRepaintFrameAfter(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void WMThemedFrameRedraw(TMessage& message);
    void WMNCMouseLeave(TMessage& message);
    void WMTaskbarSystemMenu(TMessage& message);
    void WMEnterSizeMove(TMessage& message);
    void WMExitSizeMove(TMessage& message);

private:
    void InitRibbonForm();
    bool IsReadingOrLoading() const;
    void CallDefault(TMessage& message);
    void ExtendFrameAtTop(int height);
    void UpdateExtendedFrame(bool maximized);
    void PaintExtendedFrameBand(HDC dc);
    void UpdateSizingCorners();
    void DeleteSizingCorners();
    void UpdateMaximizedInsets();
    void ApplyWindowRegion();
    // Sets the window's own text without the system repainting its caption.
    void SetWindowTextQuietly(const String& text);

    TdxRibbonFormCaptionHelper* captionHelper_ = nullptr;
    bool ribbonNonClientActive_ = false;
    bool adjustLayoutForNonClientDrawing_ = true;
    bool useSkinColor_ = true;
    FormPaintData formPaintData_{};
    bool nonClientActive_ = false;
    int extendedFrameHeight_ = -1;
    TRect maximizedInsets_{};
    SIZE frameSize_{};
    HRGN sizingCorners_[4]{};
    bool changingVisibility_ = false;
    bool inSizeMove_ = false;
    // The caption while the ribbon answers the window's text.
    String caption_;
};

// ---- the published form --------------------------------------------------------------------

class TdxRibbonForm : public TdxCustomRibbonForm {
    Z_CLASS(TdxRibbonForm, TdxCustomRibbonForm)
    Z_PUBLISHED {
        p.Property(L"AdjustLayoutForNonClientDrawing", &TdxRibbonForm::AdjustLayoutForNonClientDrawing,
                   &TdxRibbonForm::SetAdjustLayoutForNonClientDrawing)
            .Default(true);
        p.Property(L"UseSkinColor", &TdxRibbonForm::UseSkinColor, &TdxRibbonForm::SetUseSkinColor).Default(true);
        p.Property(L"KeyPreview", &TdxRibbonForm::KeyPreview, &TdxRibbonForm::SetKeyPreview).Default(true);
    }

public:
    explicit TdxRibbonForm(TComponent* owner) : TdxCustomRibbonForm(owner) {}
    TdxRibbonForm(TComponent* owner, TCreateNew) : TdxCustomRibbonForm(owner, CreateNew) {}
};

void InitializedxRibbonForm();
void FinalizedxRibbonForm();
