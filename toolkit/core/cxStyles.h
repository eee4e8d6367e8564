#pragma once
// Styles: small components (TcxCustomStyle, TcxStyle) holding a background colour, a text
// colour, a font and a background bitmap, each of which may be left unassigned; their observers
// (IcxStyleObserver); and style sets (TcxCustomStyles) that use styles by value index. The style
// sheets, which carry a style set for other sets to follow, and the style repository, which
// owns styles and sheets and streams them as its children, are in cxStyleRepository.h.
//
// A style tells its observers about every change (once per update bracket); a style set reports
// the change by value index to its owning sheet, which passes it to every set that follows it.
//
// Sections: values and observers · styles · style sets · unit.

#include <vector>

#include "Bitmap.h"
#include "Colors.h"
#include "Font.h"
#include "Interfaces.h"
#include "Sets.h"
#include "TypInfo.h"
#include "cxComponent.h"

class TcxCustomStyle;
class TcxCustomStyles;
class TcxCustomStyleSheet;
class TcxStyleRepository;

// ---- Values and observers -----------------------------------------------------------------

Z_ENUM(TcxStyleValue, int, svBitmap, svColor, svFont, svTextColor)
using TcxStyleValues = TSet<TcxStyleValue>;

struct IcxStyleObserver : virtual IInterface {
    virtual void StyleValueChanged(TcxCustomStyle* style) = 0;
    // The style is going away: the observer must stop observing it (DetachObserver).
    virtual void StyleDetached(TcxCustomStyle* style) = 0;
};

// ---- Styles -------------------------------------------------------------------------------

class TcxCustomStyle : public TComponent {
    Z_CLASS(TcxCustomStyle, TComponent)
public:
    explicit TcxCustomStyle(TComponent* owner) : TComponent(owner) {}
    ~TcxCustomStyle() override;
    void BeforeDestruction() override;

    virtual void NotifyChanged();
    virtual void AttachObserver(IcxStyleObserver* observer);
    virtual void DetachObserver(IcxStyleObserver* observer);
    virtual void ResetValues() {}
    int ObserverCount() const { return int(observers_.size()); }

    // Changes inside a bracket reach the observers once, when the outermost bracket ends.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    TcxStyleRepository* Repository() const { return repository_; }
    void SetRepository(TcxStyleRepository* repository);

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return repository_ != nullptr; }
    void SetParentComponent(TComponent* parent) override;
    void ReadState(TReader* reader) override;

private:
    std::vector<IPtr<IcxStyleObserver>> observers_;
    TcxStyleRepository* repository_ = nullptr;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

class TcxStyle : public TcxCustomStyle {
    Z_CLASS(TcxStyle, TcxCustomStyle)
    Z_PUBLISHED {
        p.Property(L"AssignedValues", &TcxStyle::AssignedValues, &TcxStyle::SetAssignedValues);
        p.Property(L"Color", &TcxStyle::Color, &TcxStyle::SetColor).Stored(&TcxStyle::IsColorStored);
        p.Property(L"Bitmap", &TcxStyle::Bitmap, &TcxStyle::SetBitmap).Stored(&TcxStyle::IsBitmapStored);
        p.Property(L"Font", &TcxStyle::Font, &TcxStyle::SetFont).Stored(&TcxStyle::IsFontStored);
        p.Property(L"TextColor", &TcxStyle::TextColor, &TcxStyle::SetTextColor).Stored(&TcxStyle::IsTextColorStored);
    }

public:
    explicit TcxStyle(TComponent* owner);
    ~TcxStyle() override;

    TcxStyleValues AssignedValues() const { return assignedValues_; }
    void SetAssignedValues(TcxStyleValues value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);  // clDefault unassigns it
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* value);  // copies; an empty bitmap unassigns it
    TFont* Font() const { return font_; }
    void SetFont(TFont* value);  // copies
    TColor TextColor() const { return textColor_; }
    void SetTextColor(TColor value);  // clDefault unassigns it

    void Assign(TPersistent* source) override;
    void ResetValues() override;
    void ReadState(TReader* reader) override;

private:
    bool IsColorStored() const { return assignedValues_.Contains(svColor); }
    bool IsBitmapStored() const { return assignedValues_.Contains(svBitmap); }
    bool IsFontStored() const { return assignedValues_.Contains(svFont); }
    bool IsTextColorStored() const { return assignedValues_.Contains(svTextColor); }
    // clDefault leaves the value unassigned.
    void ChangeColor(TColor& field, TColor value, TcxStyleValue flag);
    void BitmapChanged(TObject* sender);
    void FontChanged(TObject* sender);

    TcxStyleValues assignedValues_;
    TColor color_ = clDefault;
    TColor textColor_ = clDefault;
    TBitmap* bitmap_ = nullptr;
    TFont* font_ = nullptr;
};

using TcxStyleClass = TClass;

// ---- Style sets ---------------------------------------------------------------------------

struct TcxStyleEntry {
    Integer Index;
    TcxCustomStyle* Style;
};

class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleObserver {
    Z_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
public:
    explicit TcxCustomStyles(TPersistent* owner) : TcxInterfacedPersistent(owner) {}
    ~TcxCustomStyles() override;

    // IcxStyleObserver
    void StyleValueChanged(TcxCustomStyle* style) override;
    void StyleDetached(TcxCustomStyle* style) override;

    virtual void ValueChanged(Integer index) { (void)index; }
    virtual void NotifyValueChanged(Integer index);

    void DeleteEntry(int i);
    void ClearEntries();
    int EntryCount() const { return int(entries_.size()); }
    const TcxStyleEntry& EntryAt(int i) const { return entries_.at(size_t(i)); }

    void Assign(TPersistent* source) override;
    // Follows the sheet (or none); a sheet that is not acceptable is ignored.
    void AssignStyleSheet(TcxCustomStyleSheet* sheet);
    bool CanUseStyleSheet(TcxCustomStyleSheet* sheet) const;
    TcxCustomStyleSheet* StyleSheet() const { return styleSheet_; }
    TcxCustomStyleSheet* OwningStyleSheet() const { return owningSheet_; }

protected:
    // Entries are the business of descendants: each entry's style is observed while it is used.
    void AddEntry(Integer index, TcxCustomStyle* style);

private:
    friend class TcxCustomStyleSheet;
    // The value indexes of the sheet's styles and of the sheets they follow in turn.
    static void CollectIndexes(TcxCustomStyleSheet* sheet, std::vector<Integer>& indexes);

    std::vector<TcxStyleEntry> entries_;
    TcxCustomStyleSheet* owningSheet_ = nullptr;
    TcxCustomStyleSheet* styleSheet_ = nullptr;
    bool destroying_ = false;
};

using TcxCustomStylesClass = TClass;

// ---- Unit ---------------------------------------------------------------------------------

void InitializecxStyles();

// moved: the style sheets and the repository are in cxStyleRepository.h; included here until no
// file expects them from this header.
#include "cxStyleRepository.h"
