#pragma once
// Windowed item controls: controls that own a real child window of their bar window, shown only
// while the control has the keyboard focus and drawn by the painter otherwise.
//
// TdxBarWinControl subclasses the window, routes its keys and mouse messages, moves the focus
// into the window and back out, and moves the text between the window and the item.
// TdxBarCustomEditControl lays out an edit-like control (glyph, caption, edit box) and draws it
// through the painter. TdxBarEditControl is the control of TdxBarEdit: a system EDIT window edits
// the text in place. Combos build on it (dxBarComboControl.h).
//
// The text goes to the item on Enter and Tab, and when the focus leaves only with the manager's
// AlwaysSaveText (never after Escape). Ownership: the control owns its window and destroys it
// when it goes; a window destroyed from outside is only forgotten.

#include <array>

#include "SubclassedWindow.h"
#include "dxBarItemControl.h"
#include "dxBarPaintedObjects.h"

class TdxBarEdit;
class TFont;

class TdxBarWinControl : public TdxBarItemControl {
    Z_CLASS(TdxBarWinControl, TdxBarItemControl)
public:
    explicit TdxBarWinControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}
    ~TdxBarWinControl() override;

    bool Focused() const { return focused_; }
    const TcxAccessibilityHelperMeta* GetAccessHelperClass() const override;
    // Set while the control loads text or moves the focus itself: no change event meanwhile.
    bool Focusing() const { return focusing_; }
    virtual HWND GetEditHandle() const = 0;
    bool EditWindowVisible() const;

    // -- the window's procedure and its text
    virtual void HookEditWindow();
    virtual void UnhookEditWindow(bool destroyWindow);
    // The whole text of the window; empty without a window.
    virtual void ReadEditText(String& text) const;
    virtual void WriteEditText(const String& text);
    virtual void LoadTextFromItem();
    // The window's text becomes the item's text (the item fires OnChange when it differs).
    virtual void StoreTextToItem();
    virtual void HideEditWindow(bool storeText) = 0;
    virtual void UpdateEditRect() {}

    // -- focus: arriving shows the window over the edit box and focuses it; leaving hides it,
    // stores the text as the manager says and gives the focus back to where it came from
    virtual void ChangeFocused(bool value);
    // The control stops being the active one of its bar window: the editor closes.
    void ControlInactivate(bool immediately) override;
    void EnabledChanged() override;
    void ReleaseWindows() override;

    // -- clicks: a press focuses the window; the item is never clicked
    void ControlPress(bool byMouse, bool extra) override;
    bool IsClickable() const override;
    bool ClosesMenuOnClick() const override { return false; }
    // The window is the bar window, one of its children, or this control's window.
    bool ContainsWindow(HWND window) const override;
    bool HasWindow() const override { return true; }
    // Outside customizing and menus the caption and the glyph take no press.
    bool AcceptsMouse() const override;

    // -- keys, as the window's messages hand them over
    void KeyDown(Word& key, TShiftState shift) override;
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);

    // Where the window lies in bar window coordinates: empty for a disabled control and for an
    // item that keeps no editor.
    TRect GetWindowRect() const;
    void SetWindowRect(const TRect& r);

protected:
    virtual void UpdateHotFromCursor(bool byMouse);
    virtual bool HandleKeyDown(Word& key, TShiftState shift);
    virtual void HandleKeyUp(Word& key);
    // The subclassed window's procedure; failures reach the application's handler.
    virtual void HandleEditMessage(TMessage& message);
    // Called when the window loses the focus to newFocus.
    virtual void EditKillFocus(HWND newFocus) { (void)newFocus; }
    // Shows the window over the edit box and gives it the focus.
    virtual void ShowEditWindow() = 0;
    // Does the item keep an editor? (combos may show none)
    virtual bool ItemShowsEditor() const { return true; }
    void CallDefault(TMessage& message) { subclass_.CallOriginal(message); }
    // The window went (WM_DESTROY): forgotten, not destroyed again.
    virtual void ForgetEditHandle() = 0;
    void SetFocusing(bool value) { focusing_ = value; }

    void TabOut();
    void AcceptEdit();
    void CancelEdit();
    // Closes the bar window's menu chain, which ends the editing.
    void HideBarMenuChain();
    // The bar window selects nothing (this control is inactivated).
    void ClearBarSelection();
    // The text must not go to the item when the focus leaves now (Escape).
    bool cancelling_ = false;

private:
    void SubclassProc(TMessage& message);
    // Gives the focus back to the window that had it before the editor.
    void RestoreFocus();
    bool HandleMouseMessage(TMessage& message);

    TSubclassedWindow subclass_;
    TRect windowRect_{};
    HWND savedFocus_ = nullptr;
    int keyPressedInside_ = 0;
    bool focused_ = false;
    bool focusing_ = false;
    bool focusLeaving_ = false;  // the focus is already going elsewhere: nothing to give back
};

class TdxBarCustomEditControl : public TdxBarWinControl, public IdxBarPaintedControl {
    Z_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
public:
    explicit TdxBarCustomEditControl(TdxBarItemLink* link) : TdxBarWinControl(link) {}
    ~TdxBarCustomEditControl() override;

    // Part 0 the edit box, 1 the glyph area, 2 the caption, 3 a combo's drop-down button or a
    // spin edit's up button, 4 a spin edit's down button or a colour combo's custom button.
    static constexpr int EditPartCount = 5;
    TRect EditPart(int index) const {
        return index >= 0 && index < EditPartCount ? editParts_[size_t(index)] : TRect{};
    }
    // The edit box: the control's right part for a client-aligned item, else after the caption
    // and the glyph, GetEditWidth wide.
    virtual TRect CalcEditRect();
    int GetEditOffset() { return CalcEditRect().left - GetBounds().left; }
    virtual bool ShowsCaption() const;
    int CalcCaptionWidth();
    int GetGlyphAreaWidth();
    // The link's user width when it has one, else the item's width.
    int GetEditWidth() const;
    virtual int GetMinEditWidth() const = 0;
    // The item's StyleEdit font when it sets one, else the bar window's edit font.
    TFont* GetEditFont() const;
    // The brush Windows gets for the window's background: the painter's edit colour.
    HBRUSH GetEditBkBrush();

    Byte GetViewStructure() const override;
    TdxBarItemViewLevels GetPossibleViewLevels() const override;
    void CalcParts() override;

    // -- what the painter reads
    IdxBarPaintedWindow* PaintedWindow() const override;
    TRect Part(int index) const override { return EditPart(index); }
    TRect Bounds() const override { return GetBounds(); }
    TRect EditRect() const override { return const_cast<TdxBarCustomEditControl*>(this)->CalcEditRect(); }
    TSize GlyphSize(int viewSize) const override {
        return const_cast<TdxBarCustomEditControl*>(this)->CalcGlyphSize(Byte(viewSize));
    }
    int GlyphAreaWidth() const override { return const_cast<TdxBarCustomEditControl*>(this)->GetGlyphAreaWidth(); }
    int CaptionWidth() const override { return const_cast<TdxBarCustomEditControl*>(this)->CalcCaptionWidth(); }
    void DrawEditFrame() override;
    void DrawEditContent() override = 0;
    bool GetEditingText(String& text) const override;

protected:
    // Widens the edit frame (a combo's frame encloses its button).
    virtual void AdjustDropDownButtonWidth(TRect& frameRect) { (void)frameRect; }
    // How many part rectangles the painter lays out past the base ones.
    virtual void CalcEditParts(TRect* parts);
    int CalcWidth() override;
    int CalcHeight() override;
    int CalcMinWidth() const override;
    int HitTestPart(const TPoint& p) override;
    // The part under the point of a mouse message of the editor window (-1 outside the control).
    int HitTestEditMessage(const TMessage& message);
    void DrawContent(const TRect& r, Byte paintKind) override;

private:
    std::array<TRect, EditPartCount> editParts_{};
    HBRUSH editBrush_ = nullptr;
    TColor editBrushColor_ = clNone;
};

class TdxBarEditControl : public TdxBarCustomEditControl {
    Z_CLASS(TdxBarEditControl, TdxBarCustomEditControl)
public:
    explicit TdxBarEditControl(TdxBarItemLink* link) : TdxBarCustomEditControl(link) {}
    ~TdxBarEditControl() override;

    HWND EditHandle() const { return editHandle_; }
    HWND GetEditHandle() const override { return editHandle_; }
    TdxBarEdit* GetEditItem() const;
    // WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL: a multi-line edit keeps Enter and Escape.
    virtual DWORD GetEditStyle() const { return WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL; }
    // The painter draws the text unless the window shows it (focused and enabled).
    virtual bool DrawsText() const;
    int GetMinEditWidth() const override { return 20; }

    void HookEditWindow() override;
    void UnhookEditWindow(bool destroyWindow) override;
    void HideEditWindow(bool storeText) override;
    void UpdateEditRect() override;
    void ChangeFocused(bool value) override;
    void WriteEditText(const String& text) override;
    void ControlPress(bool byMouse, bool extra) override;
    void DrawEditContent() override;
    void PaintEditText(TcxCanvas* canvas, const TRect& rect) override;

protected:
    void AfterCreate() override;
    virtual void CreateEditHandle();
    virtual void DestroyEditHandle(bool destroyWindow);
    void ShowEditWindow() override;
    void ForgetEditHandle() override { DestroyEditHandle(false); }

private:
    HWND editHandle_ = nullptr;
};
