#pragma once
// The system's common dialogs as components: colour, font, open and save.
//
// Execute shows the dialog modally over the active form (or the main form) and answers true when
// the user confirmed it; the dialog's properties then hold the choice. Cancelling (Escape, the
// Cancel button) leaves them as they were. A dialog that the system cannot show raises
// EInvalidOperation with the common dialogs' error code.

#include <windows.h>

#include <commdlg.h>

#include "Font.h"
#include "StringList.h"
#include "TypInfo.h"

class TCommonDialog : public TComponent {
    Z_CLASS(TCommonDialog, TComponent)
public:
    explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
    bool Execute();
    // Shows the dialog owned by the window.
    virtual bool Execute(HWND ParentWnd) = 0;

protected:
    // Raises for a failure that was not a cancel.
    static void CheckDialogError(const wchar_t* dialog);
};

// ---- colour ----

Z_ENUM(TColorDialogOption, Byte, cdFullOpen, cdPreventFullOpen, cdSolidColor, cdAnyColor)
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
    Z_CLASS(TColorDialog, TCommonDialog)
    Z_PUBLISHED {
        p.Property(L"Color", &TColorDialog::Color, &TColorDialog::SetColor).Default(clBlack);
        p.Property(L"Options", &TColorDialog::Options, &TColorDialog::SetOptions).Default(TColorDialogOptions{});
    }

public:
    explicit TColorDialog(TComponent* AOwner);
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TColorDialogOptions Options() const { return options_; }
    void SetOptions(TColorDialogOptions v) { options_ = v; }
    using TCommonDialog::Execute;
    bool Execute(HWND ParentWnd) override;

private:
    TColor color_ = clBlack;
    TColorDialogOptions options_;
    COLORREF customColors_[16];
};

// ---- font ----

Z_ENUM(TFontDialogOption, Byte, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoSimulations)
using TFontDialogOptions = TSet<TFontDialogOption>;

class TFontDialog : public TCommonDialog {
    Z_CLASS(TFontDialog, TCommonDialog)
    Z_PUBLISHED {
        p.Property(L"Font", &TFontDialog::Font);
        p.Property(L"Options", &TFontDialog::Options, &TFontDialog::SetOptions).Default(TFontDialogOptions{fdEffects});
    }

public:
    explicit TFontDialog(TComponent* AOwner);
    ~TFontDialog() override;
    // The font shown first, and the one chosen.
    TFont* Font() const { return font_; }
    void SetFont(TFont* v) { font_->Assign(v); }
    TFontDialogOptions Options() const { return options_; }
    void SetOptions(TFontDialogOptions v) { options_ = v; }
    using TCommonDialog::Execute;
    bool Execute(HWND ParentWnd) override;

private:
    TFont* font_;
    TFontDialogOptions options_{fdEffects};
};

// ---- open and save ----

Z_ENUM(TOpenOption, Byte, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
       ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware,
       ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoDereferenceLinks, ofForceShowHidden)
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
    Z_CLASS(TOpenDialog, TCommonDialog)
    Z_PUBLISHED {
        p.Property(L"DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
        p.Property(L"FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
        p.Property(L"Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
        p.Property(L"FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
        p.Property(L"InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
        p.Property(L"Options", &TOpenDialog::Options, &TOpenDialog::SetOptions).Default(TOpenOptions{ofHideReadOnly});
        p.Property(L"Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    }

public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;

    // Without a dot: "level" makes a typed "Level01" into "Level01.level".
    const String& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const String& v) { defaultExt_ = v; }
    // The first chosen file (full path); the name shown first.
    const String& FileName() const { return fileName_; }
    void SetFileName(const String& v) { fileName_ = v; }
    // Every chosen file (full paths), in the order the dialog gave them.
    TStrings* Files() const { return files_; }
    // Pairs of a description and its masks, all separated by "|":
    // "Уровни (*.level)|*.level|Все файлы|*.*".
    const String& Filter() const { return filter_; }
    void SetFilter(const String& v) { filter_ = v; }
    // 1-based: the pair shown first, and the one the user left selected.
    Integer FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(Integer v) { filterIndex_ = v; }
    const String& InitialDir() const { return initialDir_; }
    void SetInitialDir(const String& v) { initialDir_ = v; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions v) { options_ = v; }
    // The window caption; empty: the system's.
    const String& Title() const { return title_; }
    void SetTitle(const String& v) { title_ = v; }

    using TCommonDialog::Execute;
    bool Execute(HWND ParentWnd) override;

protected:
    // Runs the system's dialog on the prepared record (the open one here).
    virtual BOOL RunDialog(OPENFILENAMEW& record);

private:
    String defaultExt_, fileName_, filter_, initialDir_, title_;
    Integer filterIndex_ = 1;
    TOpenOptions options_{ofHideReadOnly};
    TStrings* files_;
};

class TSaveDialog : public TOpenDialog {
    Z_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
    BOOL RunDialog(OPENFILENAMEW& record) override;
};
