#pragma once
// The shell open and save dialogs: non-visual components that run the open/save form modally,
// hand it every setting before it shows and take the chosen names and the form's geometry back
// after it closes. TRzShellDialog holds what any shell dialog needs, TRzFileDialog the file
// settings and the run; the open and save classes set their options and captions.
//
// Sections: TRzShellDialog; TRzFileDialog; the open and save dialogs.

#include "Component.h"
#include "Form.h"
#include "RzCommon.h"
#include "RzShellDialogOptions.h"
#include "RzShellList.h"
#include "StringList.h"

class TRzShellOpenSaveForm;
class TStream;

class TRzShellDialog : public TComponent {
    Z_CLASS(TRzShellDialog, TComponent)
    Z_PUBLISHED {
        using C = TRzShellDialog;
        p.Property(L"FormPosition", &C::FormPosition, &C::SetFormPosition).Default(poScreenCenter);
        p.Property(L"FormLeft", &C::FormLeft, &C::SetFormLeft).Default(-1);
        p.Property(L"FormTop", &C::FormTop, &C::SetFormTop).Default(-1);
        p.Property(L"FormWidth", &C::FormWidth, &C::SetFormWidth).Default(-1);
        p.Property(L"FormHeight", &C::FormHeight, &C::SetFormHeight).Default(-1);
        p.Property(L"FormWindowState", &C::FormWindowState, &C::SetFormWindowState).Default(wsNormal);
        p.Property(L"Title", &C::Title, &C::SetTitle);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor).Default(clBtnShadow);
        p.Property(L"FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false);
        p.Property(L"FramingPreference", &C::FramingPreference, &C::SetFramingPreference).Default(fpXPThemes);
        p.Property(L"ButtonColor", &C::ButtonColor, &C::SetButtonColor).Default(clBtnFace);
        p.Property(L"ShowButtonGlyphs", &C::ShowButtonGlyphs, &C::SetShowButtonGlyphs).Default(false);
        p.Property(L"HighlightColor", &C::HighlightColor, &C::SetHighlightColor).Default(clHighlight);
        p.Property(L"HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
        p.Property(L"HotTrackColor", &C::HotTrackColor, &C::SetHotTrackColor).Default(TColor(0x00149BF0));
        p.Property(L"HotTrackColorType", &C::HotTrackColorType, &C::SetHotTrackColorType).Default(htctActual);
        p.Property(L"ToolBtnGradientColorStyle", &C::ToolBtnGradientColorStyle, &C::SetToolBtnGradientColorStyle)
            .Default(gcsSystem);
        p.Property(L"ToolBtnSelectionColorStart", &C::ToolBtnSelectionColorStart, &C::SetToolBtnSelectionColorStart)
            .Default(clBtnFace);
        p.Property(L"ToolBtnSelectionColorStop", &C::ToolBtnSelectionColorStop, &C::SetToolBtnSelectionColorStop)
            .Default(clBtnShadow);
        p.Property(L"ToolBtnSelectionFrameColor", &C::ToolBtnSelectionFrameColor, &C::SetToolBtnSelectionFrameColor)
            .Default(cl3DDkShadow);
        p.Property(L"ToolBtnVisualStyle", &C::ToolBtnVisualStyle, &C::SetToolBtnVisualStyle).Default(vsWinXP);
        p.Event(L"OnInitialized", &C::OnInitialized);
        p.Event(L"OnFormShow", &C::OnFormShow);
        p.Event(L"OnFormClose", &C::OnFormClose);
    }

public:
    explicit TRzShellDialog(TComponent* AOwner) : TComponent(AOwner) {}

    // Shows the dialog modally; true when the user accepted a name. Raises "<class> already
    // executing" when the dialog runs already.
    bool Execute();
    bool Executing() const { return executing_; }

    TPosition FormPosition() const { return formPosition_; }
    void SetFormPosition(TPosition v) { formPosition_ = v; }
    Integer FormLeft() const { return formLeft_; }
    void SetFormLeft(Integer v) { formLeft_ = v; }
    Integer FormTop() const { return formTop_; }
    void SetFormTop(Integer v) { formTop_ = v; }
    Integer FormWidth() const { return formWidth_; }
    void SetFormWidth(Integer v) { formWidth_ = v; }
    Integer FormHeight() const { return formHeight_; }
    void SetFormHeight(Integer v) { formHeight_ = v; }
    TWindowState FormWindowState() const { return formWindowState_; }
    void SetFormWindowState(TWindowState v) { formWindowState_ = v; }
    const String& Title() const { return title_; }
    void SetTitle(const String& v) { title_ = v; }
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor v) { frameColor_ = v; }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle v) { frameStyle_ = v; }
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool v) { frameVisible_ = v; }
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference v) { framingPreference_ = v; }
    TColor ButtonColor() const { return buttonColor_; }
    void SetButtonColor(TColor v) { buttonColor_ = v; }
    bool ShowButtonGlyphs() const { return showButtonGlyphs_; }
    void SetShowButtonGlyphs(bool v) { showButtonGlyphs_ = v; }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor v) { highlightColor_ = v; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool v) { hotTrack_ = v; }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor v) { hotTrackColor_ = v; }
    TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TRzHotTrackColorType v) { hotTrackColorType_ = v; }
    TRzGradientColorStyle ToolBtnGradientColorStyle() const { return toolBtnGradientColorStyle_; }
    void SetToolBtnGradientColorStyle(TRzGradientColorStyle v) { toolBtnGradientColorStyle_ = v; }
    TColor ToolBtnSelectionColorStart() const { return toolBtnSelectionColorStart_; }
    void SetToolBtnSelectionColorStart(TColor v) { toolBtnSelectionColorStart_ = v; }
    TColor ToolBtnSelectionColorStop() const { return toolBtnSelectionColorStop_; }
    void SetToolBtnSelectionColorStop(TColor v) { toolBtnSelectionColorStop_ = v; }
    TColor ToolBtnSelectionFrameColor() const { return toolBtnSelectionFrameColor_; }
    void SetToolBtnSelectionFrameColor(TColor v) { toolBtnSelectionFrameColor_ = v; }
    TRzVisualStyle ToolBtnVisualStyle() const { return toolBtnVisualStyle_; }
    void SetToolBtnVisualStyle(TRzVisualStyle v) { toolBtnVisualStyle_ = v; }

    // The form-state record: Int32 left, top, width, height, byte window state, byte position
    // (little-endian). Reading refuses (EReadError, nothing stored) bytes outside the enumerations.
    virtual void ReadFormState(TStream* stream);
    virtual void WriteFormState(TStream* stream);

    TNotifyEvent OnInitialized, OnFormShow, OnFormClose;

protected:
    virtual void DoInitialized() {
        if (OnInitialized) OnInitialized(this);
    }
    virtual bool ExecuteForm() = 0;

    TPosition formPosition_ = poScreenCenter;
    Integer formLeft_ = -1, formTop_ = -1, formWidth_ = -1, formHeight_ = -1;
    TWindowState formWindowState_ = wsNormal;

private:
    bool executing_ = false;
    String title_;
    TColor frameColor_ = clBtnShadow;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TColor buttonColor_ = clBtnFace;
    bool showButtonGlyphs_ = false;
    TColor highlightColor_ = clHighlight;
    bool hotTrack_ = false;
    TColor hotTrackColor_ = TColor(0x00149BF0);
    TRzHotTrackColorType hotTrackColorType_ = htctActual;
    TRzGradientColorStyle toolBtnGradientColorStyle_ = gcsSystem;
    TColor toolBtnSelectionColorStart_ = clBtnFace;
    TColor toolBtnSelectionColorStop_ = clBtnShadow;
    TColor toolBtnSelectionFrameColor_ = cl3DDkShadow;
    TRzVisualStyle toolBtnVisualStyle_ = vsWinXP;
};

class TRzFileDialog : public TRzShellDialog {
    Z_CLASS(TRzFileDialog, TRzShellDialog)
    Z_PUBLISHED {
        using C = TRzFileDialog;
        p.Property(L"DefaultExt", &C::DefaultExt, &C::SetDefaultExt);
        p.Property(L"FileName", &C::GetFileName, &C::SetFileName);
        p.Property(L"Filter", &C::Filter, &C::SetFilter);
        p.Property(L"FilterIndex", &C::FilterIndex, &C::SetFilterIndex).Default(1);
        p.Property(L"FormSplitterPos", &C::FormSplitterPos, &C::SetFormSplitterPos).Default(-1);
        p.Property(L"HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0);
        p.Property(L"InitialDir", &C::InitialDir, &C::SetInitialDir);
        p.Property(L"Options", &C::Options, &C::SetOptions).Default(DefaultOptions());
        p.Event(L"OnFolderChanged", &C::OnFolderChanged);
        p.Event(L"OnSelectionChanged", &C::OnSelectionChanged);
        p.Event(L"OnTypeChanged", &C::OnTypeChanged);
    }

public:
    explicit TRzFileDialog(TComponent* AOwner);
    ~TRzFileDialog() override;
    static TRzOpenSaveOptions DefaultOptions() {
        return {osoHideReadOnly, osoAllowTree, osoShowHints, osoOleDrag, osoOleDrop, osoShowHidden};
    }

    // The form's current name while it runs; otherwise the first of Files (empty when none).
    String GetFileName() const;
    // Files becomes the one name (none when empty); a running form shows it.
    void SetFileName(const String& v);
    TStringList* Files() const { return files_; }
    TStringList* HistoryList() const { return historyList_; }
    void SetHistoryList(TStrings* v) { historyList_->Assign(v); }
    TRzOpenSaveOptions Options() const { return options_; }
    void SetOptions(TRzOpenSaveOptions v);
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& v) { defaultExt_ = v; }
    const String& Filter() const { return filter_; }
    void SetFilter(const String& v);
    Integer FilterIndex() const;
    void SetFilterIndex(Integer v);
    Integer HelpContext() const { return helpContext_; }
    void SetHelpContext(Integer v) { helpContext_ = v; }
    const String& InitialDir() const { return initialDir_; }
    void SetInitialDir(const String& v) { initialDir_ = v; }
    Integer FormSplitterPos() const { return formSplitterPos_; }
    void SetFormSplitterPos(Integer v);
    TRzShellOpenSaveForm* Form() const { return form_; }

    // Appends the show-tree byte and Int32 splitter position to the record (23 bytes in all).
    void ReadFormState(TStream* stream) override;
    void WriteFormState(TStream* stream) override;

    TRzShAddItemEvent OnAddListItem, OnAddTreeItem, OnAddComboItem;
    TNotifyEvent OnFolderChanged, OnSelectionChanged, OnTypeChanged;
    THelpEvent OnHelp;

protected:
    bool ExecuteForm() override;
    virtual TRzShellOpenSaveForm* CreateDialogForm();
    virtual void PrepareForm(TRzShellOpenSaveForm* form);
    virtual void ReadFormResults(TRzShellOpenSaveForm* form);

    TRzOpenSaveOptions options_ = DefaultOptions();

private:
    TStringList* files_;
    TStringList* historyList_;
    String defaultExt_, filter_, initialDir_;
    Integer filterIndex_ = 1;
    Integer helpContext_ = 0;
    Integer formSplitterPos_ = -1;
    TRzShellOpenSaveForm* form_ = nullptr;
};

class TRzCustomOpenDialog : public TRzFileDialog {
    Z_CLASS(TRzCustomOpenDialog, TRzFileDialog)
public:
    using TRzFileDialog::TRzFileDialog;

protected:
    void PrepareForm(TRzShellOpenSaveForm* form) override;
};

class TRzCustomSaveDialog : public TRzFileDialog {
    Z_CLASS(TRzCustomSaveDialog, TRzFileDialog)
public:
    using TRzFileDialog::TRzFileDialog;

protected:
    void PrepareForm(TRzShellOpenSaveForm* form) override;
};

class TRzOpenDialog : public TRzCustomOpenDialog {
    Z_CLASS(TRzOpenDialog, TRzCustomOpenDialog)
public:
    using TRzCustomOpenDialog::TRzCustomOpenDialog;
};

class TRzSaveDialog : public TRzCustomSaveDialog {
    Z_CLASS(TRzSaveDialog, TRzCustomSaveDialog)
public:
    using TRzCustomSaveDialog::TRzCustomSaveDialog;
};

void InitializeRzShellDialogs();
