#pragma once
// TToolBar and TToolButton: a row of buttons over the common controls' toolbar class. Each
// button is a windowless TToolButton child of the toolbar (so form descriptions nest them, and
// hints and actions work as for any control); the toolbar's window draws and clicks them, and
// their bounds follow the window's layout.

#include <vector>

#include "ImageList.h"
#include "SystemControl.h"

class TToolBar;

Z_ENUM(TToolButtonStyle, Byte, tbsButton, tbsCheck, tbsSeparator)

class TToolButton : public TGraphicControl {
    Z_CLASS(TToolButton, TGraphicControl)
    Z_PUBLISHED {
        p.Property(L"Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
        p.Property(L"ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
        p.Property(L"Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CM_TEXTCHANGED, CMChanged), Z_MESSAGE(CM_ENABLEDCHANGED, CMChanged),
                  Z_MESSAGE(CM_VISIBLECHANGED, CMChanged))

public:
    explicit TToolButton(TComponent* AOwner);
    TToolBar* ToolBar() const;
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // A check button that is pressed in.
    bool Down() const { return down_; }
    void SetDown(bool v);
    // The button's command identifier in the toolbar's window.
    int CommandId() const { return commandId_; }

protected:
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
    friend class TToolBar;
    void CMChanged(TMessage& Message);
    void Changed();

    TToolButtonStyle style_ = tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    int commandId_;
};

class TToolBar : public TSystemControl {
    Z_CLASS(TToolBar, TSystemControl)
    Z_PUBLISHED {
        p.Property(L"Align", &TToolBar::Align, &TToolBar::SetAlign).Default(alTop);
        p.Property(L"Images", &TToolBar::Images, &TToolBar::SetImages);
        p.Property(L"Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
        p.Property(L"ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
        p.Property(L"ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
        p.Property(L"ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CM_CONTROLLISTCHANGE, CMControlListChange),
                  Z_MESSAGE(WM_SIZE, WMSize))

public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton* Buttons(int index) const;
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    // Buttons without edges until the mouse is over them.
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);

protected:
    const wchar_t* SystemClassName() const override { return TOOLBARCLASSNAMEW; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    // Mouse messages go to the window, which presses its buttons itself.
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TToolButton;
    void CNCommand(TMessage& Message);
    void CMControlListChange(TMessage& Message);
    void WMSize(TMessage& Message);
    void ImageListChanged(TObject*);
    // Gives the window the buttons again and the buttons their bounds.
    void ShowButtons();
    void PlaceButtons();

    std::vector<TToolButton*> buttons_;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imageChangeLink_;
    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
};
