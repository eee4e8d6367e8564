#pragma once
// TRzCustomPanel: a container that draws its own two-part frame on chosen sides and fills its
// client area flat, with a gradient or not at all; it can show a design grid and a word-wrapped
// caption, and it remembers which children were enabled while it is disabled. As a dock site it
// draws a caption strip with a close glyph for each docked client (TRzPanelDockManager).
//
// Sections: published properties; frame and layout; painting; messages; the dock manager.

#include "CustomControl.h"
#include "Docking.h"
#include "RzCommon.h"
#include "RzFrameController.h"
#include "RzGrafx.h"
#include "RzRegIniFile.h"
#include "StringList.h"

class TRzCustomPanel : public TCustomControl, public ICustomFraming {
    Z_CLASS(TRzCustomPanel, TCustomControl)
    Z_PUBLISHED {
        using C = TRzCustomPanel;
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter);
        p.Property(L"AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical).Default(avCenter);
        p.Property(L"BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
        p.Property(L"BorderColor", &C::BorderColor, &C::SetBorderColor).Default(clBtnFace);
        p.Property(L"BorderHighlight", &C::BorderHighlight, &C::SetBorderHighlight).Default(clBtnHighlight);
        p.Property(L"BorderInner", &C::BorderInner, &C::SetBorderInner).Default(fsNone);
        p.Property(L"BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsRaised);
        p.Property(L"BorderShadow", &C::BorderShadow, &C::SetBorderShadow).Default(clBtnShadow);
        p.Property(L"BorderSides", &C::BorderSides, &C::SetBorderSides).Default(sdAllSides);
        p.Property(L"BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        p.Property(L"FlatColor", &C::FlatColor, &C::SetFlatColor).Default(clBtnShadow);
        p.Property(L"FlatColorAdjustment", &C::FlatColorAdjustment, &C::SetFlatColorAdjustment).Default(30);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Property(L"FrameControllerNotifications", &C::FrameControllerNotifications,
                   &C::SetFrameControllerNotifications)
            .Default(fcpAllProperties);
        p.Property(L"FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(true);
        p.Property(L"GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyle).Default(gcsSystem);
        p.Property(L"GradientColorStart", &C::GradientColorStart, &C::SetGradientColorStart).Default(clWhite);
        p.Property(L"GradientColorStop", &C::GradientColorStop, &C::SetGradientColorStop).Default(clBtnFace);
        p.Property(L"GradientDirection", &C::GradientDirection, &C::SetGradientDirection).Default(gdHorizontalEnd);
        p.Property(L"GridColor", &C::GridColor, &C::SetGridColor).Default(clBtnShadow);
        p.Property(L"GridStyle", &C::GridStyle, &C::SetGridStyle).Default(0);
        p.Property(L"GridXSize", &C::GridXSize, &C::SetGridXSize).Default(8);
        p.Property(L"GridYSize", &C::GridYSize, &C::SetGridYSize).Default(8);
        p.Property(L"PaintClientArea", &C::PaintClientArea, &C::SetPaintClientArea).Default(true);
        p.Property(L"ShowDockClientCaptions", &C::ShowDockClientCaptions, &C::SetShowDockClientCaptions).Default(true);
        p.Property(L"ShowGrid", &C::ShowGrid, &C::SetShowGrid).Default(false);
        p.Property(L"TextMargin", &C::TextMargin, &C::SetTextMargin).Default(0);
        p.Property(L"TextMarginVertical", &C::TextMarginVertical, &C::SetTextMarginVertical).Default(0);
        p.Property(L"Transparent", &C::Transparent, &C::SetTransparent).Default(false);
        p.Property(L"VisualStyle", &C::VisualStyle, &C::SetVisualStyle).Default(vsWinXP);
        p.Property(L"WordWrap", &C::WordWrap, &C::SetWordWrap).Default(true);
        p.Event(L"OnPaint", &TRzCustomPanel::OnPaint);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                  Z_MESSAGE(WM_THEMECHANGED, WMThemeChanged), Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged),
                  Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged))

public:
    explicit TRzCustomPanel(TComponent* AOwner);
    ~TRzCustomPanel() override;

    // -- published state --
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    TColor BorderColor() const { return borderColor_; }
    virtual void SetBorderColor(TColor v);
    TColor BorderHighlight() const { return borderHighlight_; }
    virtual void SetBorderHighlight(TColor v);
    TColor BorderShadow() const { return borderShadow_; }
    virtual void SetBorderShadow(TColor v);
    TFrameStyleEx BorderInner() const { return borderInner_; }
    virtual void SetBorderInner(TFrameStyleEx v);
    TFrameStyleEx BorderOuter() const { return borderOuter_; }
    virtual void SetBorderOuter(TFrameStyleEx v);
    TSides BorderSides() const { return borderSides_; }
    virtual void SetBorderSides(TSides v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TColor FlatColor() const { return flatColor_; }
    virtual void SetFlatColor(TColor v);
    int FlatColorAdjustment() const { return flatColorAdjustment_; }
    virtual void SetFlatColorAdjustment(int v);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* v);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications v) { frameControllerNotifications_ = v; }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool v) { fullRepaint_ = v; }
    TRzGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TRzGradientColorStyle v);
    TColor GradientColorStart() const { return gradientColorStart_; }
    virtual void SetGradientColorStart(TColor v);
    TColor GradientColorStop() const { return gradientColorStop_; }
    virtual void SetGradientColorStop(TColor v);
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    virtual void SetGradientDirection(TGradientDirection v);
    TColor GridColor() const { return gridColor_; }
    virtual void SetGridColor(TColor v);
    int GridStyle() const { return gridStyle_; }
    virtual void SetGridStyle(int v);
    Word GridXSize() const { return gridXSize_; }
    virtual void SetGridXSize(Word v);
    Word GridYSize() const { return gridYSize_; }
    virtual void SetGridYSize(Word v);
    bool PaintClientArea() const { return paintClientArea_; }
    virtual void SetPaintClientArea(bool v);
    bool ShowDockClientCaptions() const { return showDockClientCaptions_; }
    void SetShowDockClientCaptions(bool v) { showDockClientCaptions_ = v; }
    bool ShowGrid() const { return showGrid_; }
    virtual void SetShowGrid(bool v);
    int TextMargin() const { return textMargin_; }
    virtual void SetTextMargin(int v);
    int TextMarginVertical() const { return textMarginVertical_; }
    virtual void SetTextMarginVertical(int v);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v);
    TRzVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TRzVisualStyle v);
    bool WordWrap() const { return wordWrap_; }
    virtual void SetWordWrap(bool v);

    TNotifyEvent OnPaint;

    // -- frame --
    // Shrinks r by the frame on the border sides (and by BorderWidth all round when asked).
    virtual void AdjustRectForBorders(TRect& r, bool includeBorderWidth) const;
    virtual TRect PanelRect() const { return TRect{0, 0, Width(), Height()}; }
    virtual void GetCursorPosition(TPoint& p) const;
    virtual void GetInvalidateMargin(TPoint& p) const { p = TPoint{1, 1}; }
    virtual void GetGradientColors(TColor& start, TColor& stop) const;
    virtual void GetFrameColors(TColor& flatColor, int& adjustment) const;
    // Takes the frame controller's settings that this panel listens to.
    virtual void FrameControllerChanged();
    void CustomFramingChanged() override { FrameControllerChanged(); }

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // A dock site's clients share the area inside the frame.
    void AdjustClientRect(TRect& rect) override;
    // Whether each child was enabled before the panel was disabled ("1"/"0", child as object).
    const TStringList* EnabledList() const { return enabledList_; }

protected:
    void Paint() override;
    virtual void DrawCaption(const TRect& r);
    virtual void DrawGrid(const TRect& r);
    void AlignControls(TControl* AControl, TRect& rect) override;
    // A dock site with UseDockManager gets a TRzPanelDockManager and paints double-buffered.
    TDockTree* CreateDockManager() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Reads, and never writes, the settings of older form descriptions.
    void DefineProperties(TFiler* filer) override;

    void WMEraseBkgnd(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMThemeChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);

private:
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAllProperties;
    bool paintClientArea_ = true;
    TSides borderSides_ = sdAllSides;
    TColor borderColor_ = clBtnFace;
    TColor borderHighlight_ = clBtnHighlight;
    TColor borderShadow_ = clBtnShadow;
    TFrameStyleEx borderOuter_ = fsRaised;
    TFrameStyleEx borderInner_ = fsNone;
    TColor flatColor_ = clBtnShadow;
    int flatColorAdjustment_ = 30;
    TAlignmentVertical alignmentVertical_ = avCenter;
    bool showGrid_ = false;
    TColor gridColor_ = clBtnShadow;
    int gridStyle_ = 0;
    Word gridXSize_ = 8;
    Word gridYSize_ = 8;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool wordWrap_ = true;
    TRzVisualStyle visualStyle_ = vsWinXP;
    TRzGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor gradientColorStart_ = clWhite;
    TColor gradientColorStop_ = clBtnFace;
    TGradientDirection gradientDirection_ = gdHorizontalEnd;
    bool showDockClientCaptions_ = true;
    bool transparent_ = false;
    bool fullRepaint_ = true;
    TAlignment alignment_ = taCenter;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TStringList* enabledList_;
};

// ---- The dock manager

// Draws a caption strip for each docked client of a panel: at the top of the client, or at its
// left (the text turned upright) in a panel aligned to the top or the bottom. The strip shows the
// client's text and a close glyph, in the active caption colours while the client has the focus.
class TRzPanelDockManager : public TDockTree {
    Z_CLASS(TRzPanelDockManager, TDockTree)
public:
    explicit TRzPanelDockManager(TRzCustomPanel* panel);
    ~TRzPanelDockManager() override;

    TRzCustomPanel* Panel() const { return panel_; }
    TFont* Font() const { return font_; }
    TFont* CloseFont() const { return closeFont_; }
    // The caption strip stands at the left of each client (panels aligned top or bottom).
    bool CaptionsAtLeft() const;

    void AdjustDockRect(TControl* control, TRect& rect) override;
    void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) override;

private:
    // The dock site's messages pass here first: a command or an activation may move the focus,
    // so the captions are drawn again.
    void SiteWndProc(TMessage& Message);

    TRzCustomPanel* panel_;
    TFont* font_;
    TFont* closeFont_;
    TWndMethod savedWndProc_;
};

void InitializeRzPanel();
