#pragma once
// TRzToolButton: the library's toolbar button, a windowless control that shows an image-list
// image with an optional caption, flat or raised, latching in groups, in three visual styles
// (classic, the visual style's toolbar, gradient selection colours), with a drop-down menu over
// the whole button or in a 14-pixel part beside a normal click area (a split button).
// TRzToolButtonActionLink ties Down and ImageIndex to an action.
//
// Sections: the button; the action link; the tick source of the reopen guard.

#include "ButtonTypes.h"
#include "ControlActionLink.h"
#include "ImageList.h"
#include "Menus.h"
#include "RzCommon.h"

Z_ENUM(TRzToolStyle, Byte, tsButton, tsDropDown)

// The button's state: the platform's TButtonState values, plus its drop-down menu showing.
constexpr Byte bsDropped = 4;

// The width of the drop-down part of a tsDropDown button.
constexpr int kToolDropDownWidth = 14;

// The private messages by which a toolbar would hand its settings to its buttons; no toolbar
// of this system sends them, and the buttons answer them with no effect.
constexpr Cardinal CM_TOOLBARSHOWCAPTION = 0xB3EA, CM_TOOLBARBUTTONLAYOUT = 0xB3EB, CM_TOOLBARBUTTONSIZE = 0xB3EC,
                   CM_TOOLBARVISUALSTYLE = 0xB3ED;

class TRzToolButton : public TGraphicControl {
    Z_CLASS(TRzToolButton, TGraphicControl)
    Z_PUBLISHED {
        using C = TRzToolButton;
        p.Property(L"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp).Default(false);
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter);
        p.Property(L"DisabledIndex", &C::DisabledIndex, &C::SetDisabledIndex).Default(-1);
        p.Property(L"DownIndex", &C::DownIndex, &C::SetDownIndex).Default(-1);
        p.Property(L"GradientColorStyle", &C::GradientColorStyle, &C::SetGradientColorStyle)
            .Default(gcsSystem)
            .Stored(&C::IsGradientColorStyleStored);
        p.Property(L"SelectionColorStart", &C::SelectionColorStart, &C::SetSelectionColorStart).Default(clBtnFace);
        p.Property(L"SelectionColorStop", &C::SelectionColorStop, &C::SetSelectionColorStop).Default(clBtnShadow);
        p.Property(L"SelectionFrameColor", &C::SelectionFrameColor, &C::SetSelectionFrameColor).Default(cl3DDkShadow);
        p.Property(L"GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
        p.Property(L"Down", &C::Down, &C::SetDown).Default(false).Stored(&C::IsDownStored);
        p.Property(L"DropDownMenu", &C::DropDownMenu, &C::SetDropDownMenu);
        p.Property(L"Flat", &C::Flat, &C::SetFlat).Default(true);
        p.Property(L"Height", &C::Height, &C::SetButtonHeight).Default(25).Stored(true);
        p.Property(L"HotIndex", &C::HotIndex, &C::SetHotIndex).Default(-1);
        p.Property(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1).Stored(&C::IsImageIndexStored);
        p.Property(L"Images", &C::Images, &C::SetImages);
        p.Property(L"Layout", &C::Layout, &C::SetLayout).Default(blGlyphLeft);
        p.Property(L"ShowCaption", &C::ShowCaption, &C::SetShowCaption).Default(false).Stored(&C::IsShowCaptionStored);
        p.Property(L"Transparent", &C::Transparent, &C::SetTransparent).Default(true);
        p.Property(L"UseToolbarButtonLayout", &C::UseToolbarButtonLayout, &C::SetUseToolbarButtonLayout).Default(true);
        p.Property(L"UseToolbarButtonSize", &C::UseToolbarButtonSize, &C::SetUseToolbarButtonSize).Default(true);
        p.Property(L"UseToolbarShowCaption", &C::UseToolbarShowCaption, &C::SetUseToolbarShowCaption).Default(true);
        p.Property(L"UseToolbarVisualStyle", &C::UseToolbarVisualStyle, &C::SetUseToolbarVisualStyle).Default(true);
        p.Property(L"ToolStyle", &C::ToolStyle, &C::SetToolStyle).Default(tsButton);
        p.Property(L"VisualStyle", &C::VisualStyle, &C::SetVisualStyle).Default(vsWinXP);
        p.Property(L"Width", &C::Width, &C::SetButtonWidth).Default(25);
        p.Event(L"OnDropDown", &C::OnDropDown);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                  Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar), Z_MESSAGE(CM_BUTTONPRESSED, CMButtonPressed),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(CM_TOOLBARSHOWCAPTION, CMToolbarSetting),
                  Z_MESSAGE(CM_TOOLBARBUTTONLAYOUT, CMToolbarSetting),
                  Z_MESSAGE(CM_TOOLBARBUTTONSIZE, CMToolbarSetting), Z_MESSAGE(CM_TOOLBARVISUALSTYLE, CMToolbarSetting))

public:
    explicit TRzToolButton(TComponent* AOwner);
    ~TRzToolButton() override;

    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool v);
    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment v) { AssignAndInvalidate(alignment_, v); }
    TRzGradientColorStyle GradientColorStyle() const { return gradientColorStyle_; }
    virtual void SetGradientColorStyle(TRzGradientColorStyle v) { AssignAndInvalidate(gradientColorStyle_, v); }
    TColor SelectionColorStart() const { return selectionColorStart_; }
    virtual void SetSelectionColorStart(TColor v) { AssignAndInvalidate(selectionColorStart_, v); }
    TColor SelectionColorStop() const { return selectionColorStop_; }
    virtual void SetSelectionColorStop(TColor v) { AssignAndInvalidate(selectionColorStop_, v); }
    TColor SelectionFrameColor() const { return selectionFrameColor_; }
    virtual void SetSelectionFrameColor(TColor v) { AssignAndInvalidate(selectionFrameColor_, v); }
    // Only a button with a GroupIndex goes down; going down releases the group's other button.
    bool Down() const { return down_; }
    virtual void SetDown(bool v);
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    virtual void SetDropDownMenu(TPopupMenu* v);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool v);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int v);
    int HotIndex() const { return hotIndex_; }
    virtual void SetHotIndex(int v) { AssignAndInvalidate(hotIndex_, v); }
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int v) { AssignAndInvalidate(imageIndex_, v); }
    int DownIndex() const { return downIndex_; }
    virtual void SetDownIndex(int v) { AssignAndInvalidate(downIndex_, v); }
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int v) { AssignAndInvalidate(disabledIndex_, v); }
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* v);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout v);
    bool ShowCaption() const { return showCaption_; }
    virtual void SetShowCaption(bool v);
    TRzToolStyle ToolStyle() const { return toolStyle_; }
    virtual void SetToolStyle(TRzToolStyle v);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v) { AssignAndInvalidate(transparent_, v); }
    TRzVisualStyle VisualStyle() const { return visualStyle_; }
    virtual void SetVisualStyle(TRzVisualStyle v);
    bool UseToolbarButtonLayout() const { return useToolbarButtonLayout_; }
    virtual void SetUseToolbarButtonLayout(bool v) {
        UseToolbarChange(useToolbarButtonLayout_, v, CM_TOOLBARBUTTONLAYOUT);
    }
    bool UseToolbarButtonSize() const { return useToolbarButtonSize_; }
    virtual void SetUseToolbarButtonSize(bool v) { UseToolbarChange(useToolbarButtonSize_, v, CM_TOOLBARBUTTONSIZE); }
    bool UseToolbarShowCaption() const { return useToolbarShowCaption_; }
    virtual void SetUseToolbarShowCaption(bool v) {
        UseToolbarChange(useToolbarShowCaption_, v, CM_TOOLBARSHOWCAPTION);
    }
    bool UseToolbarVisualStyle() const { return useToolbarVisualStyle_; }
    virtual void SetUseToolbarVisualStyle(bool v) {
        UseToolbarChange(useToolbarVisualStyle_, v, CM_TOOLBARVISUALSTYLE);
    }
    // Width and Height set by hand stop following a toolbar's button size.
    virtual void SetButtonWidth(int v);
    virtual void SetButtonHeight(int v);

    // The platform has no bidirectional mode: a program mirrors a button by this switch (the
    // drop-down part and the menu then stand at the left).
    bool UseRightToLeftAlignment() const { return rightToLeft_; }
    void SetRightToLeft(bool v) { AssignAndInvalidate(rightToLeft_, v); }

    // A tsDropDown button with an OnClick handler or an action: it clicks outside its drop-down
    // part.
    bool IsSplitButton() const;
    // VisualStyle is not vsClassic, or Flat.
    bool UsesFlatLook() const { return visualStyle_ != vsClassic || flat_; }
    Byte State() const { return state_; }
    bool MouseOver() const { return mouseOver_; }
    bool Tracking() const { return tracking_; }

    // Shows DropDownMenu under the button (the menu's right edge kept inside the work area);
    // returns when the menu has closed.
    virtual void ShowDropDownMenu();
    virtual TPoint GetImageSize();
    virtual void CalcContentRects(TRect& imageRect, TRect& captionRect);
    // The widest top-level caption of the drop-down menu in the screen's menu font, plus 56.
    int MenuTextWidth();
    // Sends the private messages by which a toolbar would hand over its settings.
    virtual void ApplyToolbarStyles();
    void SetParent(TWinControl* AParent) override;

    // Fired with the drop-down menu as Sender before it shows.
    TNotifyEvent OnDropDown;

protected:
    virtual void PaintButtonFace(TRect& r);
    virtual void PaintButtonImage(const TRect& r);
    virtual void PaintDropDownPart();
    virtual void PaintButtonCaption(const TRect& r);
    virtual void NotifyDropDown() {
        if (OnDropDown) OnDropDown(dropDownMenu_);
    }
    void Paint() override;
    // A tsDropDown button clicks only while it treats presses as normal ones.
    void DoClick() override;
    void AssignTo(TPersistent* dest) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* filer) override;
    TClass GetActionLinkClass() const override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    bool IsGradientColorStyleStored() const { return !useToolbarVisualStyle_; }
    bool IsShowCaptionStored() const { return !useToolbarShowCaption_; }
    bool IsDownStored() const;
    bool IsImageIndexStored() const;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMButtonPressed(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMToolbarSetting(TMessage& Message) { Message.Result = 0; }

private:
    void UseToolbarChange(bool& field, bool value, Cardinal message);
    void UpdateHotState();
    void BroadcastGroup();
    void ImagesChanged(TObject*);
    // Width and height grow to hold an image of the list.
    void FitToImages();
    bool InDropDownPart(int x) const;
    bool ShowsCaption() const { return showCaption_ && !Caption().empty(); }
    bool ThemedLook() const;
    // The look of a button the mouse is over or that is pressed, latched or dropped.
    bool ActiveLook() const;
    void SelectionColors(TColor& frame, TColor& start, TColor& stop) const;

    bool allowAllUp_ = false;
    bool down_ = false;
    bool tracking_ = false;
    bool flat_ = true;
    int groupIndex_ = 0;
    int imageIndex_ = -1, downIndex_ = -1, disabledIndex_ = -1, hotIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imagesLink_;
    TButtonLayout layout_ = blGlyphLeft;
    bool mouseOver_ = false;
    TPopupMenu* dropDownMenu_ = nullptr;
    DWORD dropTime_ = 0;
    bool treatAsNormal_ = true;
    TRzToolStyle toolStyle_ = tsButton;
    bool showCaption_ = false;
    bool transparent_ = true;
    bool inDropDown_ = false;
    TAlignment alignment_ = taCenter;
    TRzVisualStyle visualStyle_ = vsWinXP;
    TRzGradientColorStyle gradientColorStyle_ = gcsSystem;
    TColor selectionColorStart_ = clBtnFace;
    TColor selectionColorStop_ = clBtnShadow;
    TColor selectionFrameColor_ = cl3DDkShadow;
    bool useToolbarButtonLayout_ = true, useToolbarButtonSize_ = true, useToolbarShowCaption_ = true,
         useToolbarVisualStyle_ = true;
    Byte state_ = bsUp;
    bool rightToLeft_ = false;
};

// ---- The action link

// Follows the action's Checked (as Down) and ImageIndex while the button still shows them.
class TRzToolButtonActionLink : public TControlActionLink {
    Z_CLASS(TRzToolButtonActionLink, TControlActionLink)
public:
    void AssignClient(TObject* client) override;
    bool IsCheckedLinked() const override;
    bool IsImageIndexLinked() const override;
    void SetChecked(bool value) override;
    void SetImageIndex(int value) override;

private:
    TRzToolButton* button_ = nullptr;
};

// ---- The tick source of the reopen guard

// The milliseconds clock the button compares menu closings with; tests put their own in place
// (null restores GetTickCount).
using TToolButtonTickSource = DWORD (*)();
void SetToolButtonTickSource(TToolButtonTickSource source);

void InitializeRzToolButton();
