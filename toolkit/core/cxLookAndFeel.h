#pragma once
// Look-and-feel settings: what tells a toolkit control how to draw itself. A TcxLookAndFeel
// holds Kind, NativeStyle and SkinName and chooses the painter the control draws with. Every
// value it does not set itself (AssignedValues) follows its master look-and-feel, or, without
// one, the application-wide root look-and-feel, which a TcxLookAndFeelController on a form
// edits. A change travels down the chain of masters to every dependant and from each to the
// control that owns it (OnChanged).
//
// Sections: values · listener interface · TcxLookAndFeel · TcxLookAndFeelController · unit.

#include <vector>

#include "Component.h"
#include "Sets.h"
#include "TypInfo.h"
#include "cxComponent.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxExtendedStylePainters.h"
#include "dxThemeManager.h"

class TcxLookAndFeel;
class TcxSystemPaletteChangedNotifier;

// ---- values --------------------------------------------------------------------------------

Z_ENUM(TcxLookAndFeelValue, Byte, lfvKind, lfvNativeStyle, lfvSkinName)
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
inline const TcxLookAndFeelValues cxLookAndFeelValueAll{lfvKind, lfvNativeStyle, lfvSkinName};
using TdxSkinName = String;

using TcxLookAndFeelChangedEvent = TEvent<void(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues)>;

// ---- listener interface --------------------------------------------------------------------

// Hears a look-and-feel's changes: its dependants and the controllers (a plain interface).
class IcxLookAndFeelChangeListener {
public:
    virtual TObject* GetObject() = 0;
    virtual void MasterLookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) = 0;
    virtual void MasterLookAndFeelDestroying(TcxLookAndFeel* sender) = 0;

protected:
    ~IcxLookAndFeelChangeListener() = default;
};

// ---- TcxLookAndFeel ------------------------------------------------------------------------

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelChangeListener,
                       public IcxPainterRegistryListener {
    Z_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
    Z_PUBLISHED {
        p.Property(L"AssignedValues", &TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues)
            .Stored(false);
        p.Property(L"Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind).Stored(&TcxLookAndFeel::IsKindStored);
        p.Property(L"NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle)
            .Stored(&TcxLookAndFeel::IsNativeStyleStored);
        p.Property(L"SkinName", &TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName)
            .Stored(&TcxLookAndFeel::IsSkinNameStored);
    }

public:
    // Follows the root (when there is one) from the start; nothing is notified meanwhile.
    explicit TcxLookAndFeel(TPersistent* owner);
    ~TcxLookAndFeel() override;

    // From another look-and-feel: its own values, its assigned values and its master.
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

    // --- values (the effective ones; setters mark the value assigned)
    TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
    void SetAssignedValues(TcxLookAndFeelValues value);
    void ResetAssignedValues() { SetAssignedValues({}); }
    TcxLookAndFeelKind Kind() const { return current_.kind; }
    void SetKind(TcxLookAndFeelKind value);
    bool NativeStyle() const { return current_.nativeStyle; }
    void SetNativeStyle(bool value);
    const TdxSkinName& SkinName() const { return current_.skinName; }
    void SetSkinName(const TdxSkinName& value);
    // Style codes: 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office 11.
    void ApplyStyleCode(int code);
    void NotifyChangedAll() { NotifyChanged(cxLookAndFeelValueAll); }

    // --- masters and listeners
    TcxLookAndFeel* MasterLookAndFeel() const { return master_; }
    void SetMasterLookAndFeel(TcxLookAndFeel* value);
    // The look-and-feel whose values this one follows: nil for the root, else the master or the root.
    TcxLookAndFeel* EffectiveMaster() const;
    void AddChangeListener(IcxLookAndFeelChangeListener* listener);
    void RemoveChangeListener(IcxLookAndFeelChangeListener* listener);
    int ChangeListenerCount() const { return int(listeners_.size()); }
    bool IsRoot() const { return isRoot_; }

    // --- painters
    // The painter that controls draw with.
    TcxLookAndFeelPainterClass ActivePainter() const { return current_.painter; }
    // The skin painter the skin name resolves to (nil when none, or while the style is native).
    TcxLookAndFeelPainterClass SkinPainter() const { return skinPainter_; }
    // The painter chosen as ActivePainter is, but asking that the theme of one kind of themed
    // object be available for the native one.
    TcxLookAndFeelPainterClass PainterForThemedObject(TdxThemedObjectType type) const;

    TcxLookAndFeelChangedEvent OnChanged;

    // --- IcxLookAndFeelChangeListener, IcxPainterRegistryListener
    TObject* GetObject() override { return this; }
    void MasterLookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
    void MasterLookAndFeelDestroying(TcxLookAndFeel* sender) override;
    void PainterChanged(TcxLookAndFeelPainterClass painter) override;

protected:
    // The effective values: the own value when assigned, else the effective master's, else (for
    // the root, or with no root) ultra-flat, no native style, no skin.
    virtual TcxLookAndFeelKind ResolveKind() const;
    virtual bool ResolveNativeStyle() const;
    virtual TdxSkinName ResolveSkinName() const;
    virtual TcxLookAndFeelPainterClass ResolveSkinPainter() const;
    // True with the registered painter of a non-empty name (ASCII letters in any case).
    virtual bool FindSkinPainter(const TdxSkinName& name, TcxLookAndFeelPainterClass& painter) const;
    // A system colour change: the native painter may have come or gone.
    virtual void SystemPaletteChanged();

    void NotifyChanged(TcxLookAndFeelValues changedValues);

private:
    friend void InitializecxLookAndFeel();
    struct TData {
        TcxLookAndFeelKind kind = lfUltraFlat;
        bool nativeStyle = false;
        TdxSkinName skinName;
        TcxLookAndFeelPainterClass painter = nullptr;
    };

    TcxLookAndFeelPainterClass ChoosePainter(TdxThemedObjectTypes nativeTypes) const;
    void UpdateCurrentState();
    void SaveState();
    void CheckStateChanges();
    // Moves to another master without telling anyone.
    void ChangeMaster(TcxLookAndFeel* value);
    bool IsKindStored() const { return assignedValues_.Contains(lfvKind); }
    bool IsNativeStyleStored() const { return assignedValues_.Contains(lfvNativeStyle); }
    bool IsSkinNameStored() const { return assignedValues_.Contains(lfvSkinName); }

    TcxLookAndFeelValues assignedValues_;
    std::vector<IcxLookAndFeelChangeListener*> listeners_;
    TData current_, own_, previous_;
    bool destroying_ = false;
    bool isRoot_ = false;
    TcxLookAndFeel* master_ = nullptr;
    TcxLookAndFeelPainterClass skinPainter_ = nullptr;
    TcxSystemPaletteChangedNotifier* paletteNotifier_ = nullptr;
    int controllerCount_ = 0;  // the root's controllers
};

// The application-wide root; nil before its unit starts and after it ends.
TcxLookAndFeel* GetRootLookAndFeel();

// ---- TcxLookAndFeelController --------------------------------------------------------------

// A component on a form that edits the root look-and-feel. Removing the last one returns the
// application to the defaults.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelChangeListener {
    Z_CLASS(TcxLookAndFeelController, TComponent)
    Z_PUBLISHED {
        p.Property(L"Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind).Default(lfUltraFlat);
        p.Property(L"NativeStyle", &TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle)
            .Default(false);
        p.Property(L"SkinName", &TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName);
    }

public:
    explicit TcxLookAndFeelController(TComponent* owner);
    ~TcxLookAndFeelController() override;

    // Forwarded to the root: the defaults without one, and writes do nothing.
    TcxLookAndFeelKind Kind() const;
    void SetKind(TcxLookAndFeelKind value);
    bool NativeStyle() const;
    void SetNativeStyle(bool value);
    TdxSkinName SkinName() const;
    void SetSkinName(const TdxSkinName& value);

    TObject* GetObject() override { return this; }
    void MasterLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override {}
    // At design time a form's designer would be told the form changed; at run time nothing.
    void MasterLookAndFeelDestroying(TcxLookAndFeel*) override {}
};

// ---- unit ----------------------------------------------------------------------------------

// Start makes the root; the end frees it (after the look-and-feels that depend on it).
void InitializecxLookAndFeel();
void FinalizecxLookAndFeel();
