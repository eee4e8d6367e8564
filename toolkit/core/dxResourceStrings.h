#pragma once
// The repository of the toolkit's user-visible strings: a resource string (TResStringRec) is
// resolved when it is needed (ResolveResourceString); each library registers its strings as a
// product (TdxProductResourceStrings) with the repository (TdxResourceStringsRepository,
// GetResourceStringsRepository), which tells its listeners (IdxResourceStringsListener) of new
// translations.

#include <vector>

#include "Interfaces.h"
#include "StringList.h"
#include "SysObject.h"

// A string of the program's string-table resources: libraries pass its address, never the text.
struct TResStringRec {
    HMODULE Module;  // 0: the program's own module
    UINT Identifier;
};

// Returns the current text of a resource string: the replacement that a product of the
// repository holds for it, else its string-table text. Every user-visible string of the toolkit
// is obtained through it at the moment it is needed.
String ResolveResourceString(const TResStringRec* reference);
// The string-table text alone, for the few texts that must not follow replacements.
String LoadResourceStringText(const TResStringRec* reference);

// Objects that want to hear when the texts of the resource strings change.
struct IdxResourceStringsListener : virtual IInterface {
    virtual void TranslationChanged() = 0;
};

class TdxProductResourceStrings;
using TdxRegisterProductResourceStringsProc = void (*)(TdxProductResourceStrings* product);

class TdxProductResourceStrings : public TObject {
    Z_CLASS(TdxProductResourceStrings, TObject)
public:
    TdxProductResourceStrings(const String& name, TdxRegisterProductResourceStringsProc registration);
    ~TdxProductResourceStrings() override;

    const String& Name() const { return name_; }
    void RegisterString(const String& name, const TResStringRec* reference);
    // Sorted without letter case; each entry carries its resource string's address as object.
    const TStringList& Names() const { return *names_; }
    const TResStringRec* ReferenceOf(const String& name) const;

    // A text that ResolveResourceString answers for a registered name instead of its string-table
    // text (a translation); false, and nothing kept, for a name that is not registered.
    bool SetReplacement(const String& name, const String& text);
    void RemoveReplacement(const String& name);
    // The replacement kept for a resource string; false when there is none.
    bool FindReplacement(const TResStringRec* reference, String& text) const;

private:
    String name_;
    TStringList* names_;
    std::vector<std::pair<const TResStringRec*, String>> replacements_;
    TdxRegisterProductResourceStringsProc registration_;
    friend class TdxResourceStringsRepository;
};

class TdxResourceStringsRepository : public TObject {
    Z_CLASS(TdxResourceStringsRepository, TObject)
public:
    TdxResourceStringsRepository() = default;
    ~TdxResourceStringsRepository() override;

    // Registers a library's strings: the procedure runs before AddProduct returns.
    void AddProduct(const String& name, TdxRegisterProductResourceStringsProc registration);
    void RemoveProduct(const String& name);  // exact name; an unknown one is ignored
    int IndexOfProduct(const String& name) const;
    int ProductCount() const { return int(products_.size()); }
    TdxProductResourceStrings* ProductAt(int index) const;

    void AddListener(IdxResourceStringsListener* listener);
    void RemoveListener(IdxResourceStringsListener* listener);
    int ListenerCount() const { return int(listeners_.size()); }

private:
    std::vector<TdxProductResourceStrings*> products_;
    std::vector<IPtr<IdxResourceStringsListener>> listeners_;
};

TdxResourceStringsRepository* GetResourceStringsRepository();
// Unit end: frees the repository.
void FinalizedxResourceStrings();
