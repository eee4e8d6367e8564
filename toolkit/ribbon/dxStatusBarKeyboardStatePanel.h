#pragma once
// The keyboard state panel style: one box per watched key (Caps Lock, Num Lock, Scroll Lock,
// Insert), whose caption and colour show whether the key is toggled on. A watcher reads the
// keys' states every 100 ms and has the bar redrawn when one changed.
//
// Sections: key appearances · the key watcher · the style.

#include <vector>

#include "Sets.h"
#include "dxStatusBarPanelStyle.h"

class TTimer;
class TdxCustomStatusBar;

Z_ENUM(TdxStatusBarKeyboardState, Byte, dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert)
using TdxStatusBarKeyboardStates = TSet<TdxStatusBarKeyboardState>;

// ---- key appearances -----------------------------------------------------------------------

// How one key's box looks while the key is on (active) and off. The captions are fixed texts.
class TdxStatusBarKeyStateAppearance : public TPersistent {
    Z_CLASS(TdxStatusBarKeyStateAppearance, TPersistent)
    Z_PUBLISHED {
        p.Property(L"ActiveFontColor", &TdxStatusBarKeyStateAppearance::ActiveFontColor,
                   &TdxStatusBarKeyStateAppearance::SetActiveFontColor);
        p.Property(L"InactiveFontColor", &TdxStatusBarKeyStateAppearance::InactiveFontColor,
                   &TdxStatusBarKeyStateAppearance::SetInactiveFontColor)
            .Default(clBtnShadow);
        p.Property(L"ActiveCaption", &TdxStatusBarKeyStateAppearance::ActiveCaption,
                   &TdxStatusBarKeyStateAppearance::SetActiveCaption);
        p.Property(L"InactiveCaption", &TdxStatusBarKeyStateAppearance::InactiveCaption,
                   &TdxStatusBarKeyStateAppearance::SetInactiveCaption);
    }

public:
    TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState id, int code, TColor activeFontColor,
                                   const String& activeCaption, const String& inactiveCaption);
    void Assign(TPersistent* source) override;

    TdxStatusBarKeyboardState Id() const { return id_; }
    int Code() const { return code_; }
    TColor ActiveFontColor() const { return activeFontColor_; }
    void SetActiveFontColor(TColor value);
    TColor InactiveFontColor() const { return inactiveFontColor_; }
    void SetInactiveFontColor(TColor value);
    const String& ActiveCaption() const { return activeCaption_; }
    void SetActiveCaption(const String& value);
    const String& InactiveCaption() const { return inactiveCaption_; }
    void SetInactiveCaption(const String& value);

    TNotifyEvent OnChange;

private:
    void Change();

    TdxStatusBarKeyboardState id_;
    int code_;
    TColor activeFontColor_;
    TColor inactiveFontColor_ = clBtnShadow;
    String activeCaption_, inactiveCaption_;
};

// ---- the key watcher -----------------------------------------------------------------------

// The state byte of a key as the watcher last saw it.
struct TdxStatusBarKeyboardStateWatchedKey {
    int Code;
    Byte State;
};

// Reads the watched keys' states every 100 ms (a timer of the GUI thread) and recalculates the
// bar once when any of them changed.
class TdxStatusBarKeyboardStateNotifier : public TObject {
    Z_CLASS(TdxStatusBarKeyboardStateNotifier, TObject)
public:
    explicit TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* bar);
    ~TdxStatusBarKeyboardStateNotifier() override;

    // Watches the key from its current state (an entry of the same code is replaced).
    void AddKey(int code);
    void RemoveKey(int code);
    const std::vector<TdxStatusBarKeyboardStateWatchedKey>& Keys() const { return keys_; }
    // One reading of the keys, as the timer makes it.
    void CheckKeys();

private:
    void TimerTick(TObject* sender) { CheckKeys(); }

    TdxCustomStatusBar* bar_;
    TTimer* timer_;
    std::vector<TdxStatusBarKeyboardStateWatchedKey> keys_;
};

// The low byte of the key's state: 1 when it is toggled on and not held down.
Byte KeyStateByte(int code);

// ---- the style -----------------------------------------------------------------------------

class TdxStatusBarKeyboardStatePanelStyle : public TdxStatusBarPanelStyle {
    Z_CLASS(TdxStatusBarKeyboardStatePanelStyle, TdxStatusBarPanelStyle)
    Z_PUBLISHED {
        p.Property(L"Color", &TdxStatusBarKeyboardStatePanelStyle::Color,
                   &TdxStatusBarKeyboardStatePanelStyle::SetColor)
            .Stored(&TdxStatusBarKeyboardStatePanelStyle::IsColorStored);
        p.Property(L"Font", &TdxStatusBarKeyboardStatePanelStyle::Font, &TdxStatusBarKeyboardStatePanelStyle::SetFont)
            .Stored(&TdxStatusBarKeyboardStatePanelStyle::IsFontStored);
        p.Property(L"KeyboardStates", &TdxStatusBarKeyboardStatePanelStyle::KeyboardStates,
                   &TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates)
            .Default(AllKeyboardStates());
        p.Property(L"FullRect", &TdxStatusBarKeyboardStatePanelStyle::FullRect,
                   &TdxStatusBarKeyboardStatePanelStyle::SetFullRect)
            .Default(false);
        p.Property(L"CapsLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::CapsLockKeyAppearance);
        p.Property(L"NumLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::NumLockKeyAppearance);
        p.Property(L"ScrollLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::ScrollLockKeyAppearance);
        p.Property(L"InsertKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::InsertKeyAppearance);
        p.Property(L"ParentFont", &TdxStatusBarKeyboardStatePanelStyle::ParentFont,
                   &TdxStatusBarKeyboardStatePanelStyle::SetParentFont)
            .Default(true);
    }

public:
    explicit TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* owner);
    ~TdxStatusBarKeyboardStatePanelStyle() override;

    static TdxStatusBarKeyboardStates AllKeyboardStates() {
        return {dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert};
    }
    TdxStatusBarKeyboardStates KeyboardStates() const { return keyboardStates_; }
    void SetKeyboardStates(TdxStatusBarKeyboardStates value);
    // On: the boxes share the panel's bevel; off: each box has its own.
    bool FullRect() const { return fullRect_; }
    void SetFullRect(bool value);
    TdxStatusBarKeyStateAppearance* Appearance(TdxStatusBarKeyboardState key) const { return appearances_[key]; }
    TdxStatusBarKeyStateAppearance* CapsLockKeyAppearance() const { return appearances_[dxksCapsLock]; }
    TdxStatusBarKeyStateAppearance* NumLockKeyAppearance() const { return appearances_[dxksNumLock]; }
    TdxStatusBarKeyStateAppearance* ScrollLockKeyAppearance() const { return appearances_[dxksScrollLock]; }
    TdxStatusBarKeyStateAppearance* InsertKeyAppearance() const { return appearances_[dxksInsert]; }
    TdxStatusBarKeyboardStateNotifier* Notifier() const { return notifier_; }

    bool CanSize() const override { return false; }
    bool DrawsOwnBorders() const override { return !fullRect_; }
    int GetMinWidth() override;
    void DoAssign(TdxStatusBarPanelStyle* source) override;
    void DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) override;
    void RestoreDefaults() override;

private:
    void AppearanceChanged(TObject*) { Changed(); }
    // The width of a key's box: the wider caption and 2 pixels each side.
    int KeyBoxWidth(TcxCanvas* canvas, TdxStatusBarKeyboardState key);

    TdxStatusBarKeyboardStates keyboardStates_ = AllKeyboardStates();
    bool fullRect_ = false;
    TdxStatusBarKeyStateAppearance* appearances_[4];
    TdxStatusBarKeyboardStateNotifier* notifier_ = nullptr;
};
