#pragma once
// Window items: bar items whose shown control hosts an in-place editor window (edits and combo
// boxes on toolbars and in menus). The item keeps the committed Text and fires the change, focus
// and key events; the item controls own the editor windows and call the item's event steps.
//
// Classes: TdxBarWindowItem · TdxCustomBarEdit · TdxBarEdit. Combos build on TdxBarEdit
// (dxBarCombo.h).

#include "Control.h"
#include "dxBarItem.h"

class TdxBarWindowItem : public TdxBarItem {
    Z_CLASS(TdxBarWindowItem, TdxBarItem)
    Z_PUBLISHED {
        p.Event(L"OnChange", &TdxBarWindowItem::OnChange);
        p.Event(L"OnCurChange", &TdxBarWindowItem::OnCurChange);
        p.Event(L"OnEnter", &TdxBarWindowItem::OnEnter);
        p.Event(L"OnExit", &TdxBarWindowItem::OnExit);
        p.Event(L"OnKeyDown", &TdxBarWindowItem::OnKeyDown);
        p.Event(L"OnKeyPress", &TdxBarWindowItem::OnKeyPress);
        p.Event(L"OnKeyUp", &TdxBarWindowItem::OnKeyUp);
    }

public:
    explicit TdxBarWindowItem(TComponent* owner) : TdxBarItem(owner) {}

    virtual String GetText() const { return text_; }
    // Stores a different text (exact comparison) and fires OnChange between two repaints.
    virtual void SetText(const String& value);
    // Hook (item controls): the first link whose control is a windowed control (on a visible
    // bar window with onlyOnVisibleBar) is selected, activated and clicked at its origin.
    virtual void ActivateEditor(bool onlyOnVisibleBar) { (void)onlyOnVisibleBar; }
    // The link whose windowed control has its editor open; nil when none.
    TdxBarItemLink* GetEditingLink() const;

    // The event steps the item controls call; each passes the item as the sender.
    virtual void Change();  // not while loading
    virtual void CurChange();
    virtual void DoEnter() { Fire(OnEnter); }
    virtual void DoExit() { Fire(OnExit); }
    virtual void DoKeyDown(Word& key, TShiftState shift) {
        if (OnKeyDown) OnKeyDown(this, key, shift);
    }
    virtual void DoKeyPress(wchar_t& key) {
        if (OnKeyPress) OnKeyPress(this, key);
    }
    virtual void DoKeyUp(Word& key, TShiftState shift) {
        if (OnKeyUp) OnKeyUp(this, key, shift);
    }

    bool ClickableByShortCut() const override { return false; }

    TNotifyEvent OnChange, OnCurChange, OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    void Fire(const TNotifyEvent& event) {
        if (event) event(this);
    }
    String text_;
};

class TdxCustomBarEdit : public TdxBarWindowItem {
    Z_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
    Z_PUBLISHED {
        p.Property(L"Glyph", &TdxCustomBarEdit::Glyph, &TdxCustomBarEdit::SetGlyph);
        p.Property(L"ImageIndex", &TdxCustomBarEdit::ImageIndex, &TdxCustomBarEdit::SetImageIndex).Default(-1);
        p.Property(L"ShowCaption", &TdxCustomBarEdit::ShowCaption, &TdxCustomBarEdit::SetShowCaption).Default(false);
        p.Property(L"Width", &TdxCustomBarEdit::GetWidth, &TdxCustomBarEdit::SetWidth).Default(100);
        p.Event(L"OnClick", &TdxCustomBarEdit::OnClick);
    }

public:
    explicit TdxCustomBarEdit(TComponent* owner);
    // Unchanged and non-positive widths are ignored.
    void SetWidth(int value) override;
    int GetStyleCount() const override { return 2; }
    // On a toolbar only an edit that shows its caption can be reached by its accelerator.
    bool CanShowLink(TdxBarItemLink* link) const override;
    // The first reading clears the glyph a constructor may have set.
    void ReadState(TReader* reader) override;
    // In the Customize dialog's command list: caption, frame and interior.
    void DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected) override;

private:
    bool glyphClearedOnRead_ = false;
};

class TdxBarEdit : public TdxCustomBarEdit {
    Z_CLASS(TdxBarEdit, TdxCustomBarEdit)
    Z_PUBLISHED {
        p.Property(L"MaxLength", &TdxBarEdit::MaxLength, &TdxBarEdit::SetMaxLength).Default(0);
        p.Property(L"ReadOnly", &TdxBarEdit::ReadOnly, &TdxBarEdit::SetReadOnly).Default(false);
        p.Property(L"StyleEdit", &TdxBarEdit::StyleEdit, &TdxBarEdit::SetStyleEdit);
        p.Property(L"Text", &TdxBarEdit::GetText, &TdxBarEdit::SetText);
    }

public:
    explicit TdxBarEdit(TComponent* owner) : TdxCustomBarEdit(owner) {}
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TcxStyle* StyleEdit() const { return GetStyleByIndex(1); }
    void SetStyleEdit(TcxStyle* value) { SetStyleByIndex(1, value); }

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
};
