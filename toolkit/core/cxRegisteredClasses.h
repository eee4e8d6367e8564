#pragma once
// Class registries: companion classes found through inheritance, and classes listed with their
// user-visible descriptions.

#include <vector>

#include "StringList.h"
#include "SysObject.h"

class TcxRegisteredClassListItemData : public TObject {
    Z_CLASS(TcxRegisteredClassListItemData, TObject)
public:
    TClass ItemClass = nullptr;
    TClass RegisteredClass = nullptr;
};

// Maps a class to a companion class; the most derived registered ancestor of a class wins, and
// among pairs for one class the last added.
class TcxRegisteredClassList : public TObject {
    Z_CLASS(TcxRegisteredClassList, TObject)
public:
    TcxRegisteredClassList() = default;
    ~TcxRegisteredClassList() override;

    virtual bool FindByClass(TClass itemClass, int& index) const;
    virtual void AddPair(TClass itemClass, TClass registeredClass);
    virtual void RemovePair(TClass itemClass, TClass registeredClass);
    TClass LookupRegisteredClass(TClass itemClass) const;
    void Clear();

    int Count() const { return int(items_.size()); }
    const TcxRegisteredClassListItemData* ItemAt(int index) const { return items_.at(size_t(index)); }

private:
    std::vector<TcxRegisteredClassListItemData*> items_;
};

class TcxRegisteredClasses;

// The registry's entries: descriptions with their classes as objects.
class TcxRegisteredClassesStringList : public TStringList {
    Z_CLASS(TcxRegisteredClassesStringList, TStringList)
public:
    explicit TcxRegisteredClassesStringList(TcxRegisteredClasses* registeredClasses)
        : registeredClasses_(registeredClasses) {}
    TcxRegisteredClasses* RegisteredClasses() const { return registeredClasses_; }

private:
    TcxRegisteredClasses* registeredClasses_;
};

class TcxRegisteredClasses : public TObject {
    Z_CLASS(TcxRegisteredClasses, TObject)
public:
    // registerClasses: added classes are also registered for streaming.
    explicit TcxRegisteredClasses(bool registerClasses = false);
    ~TcxRegisteredClasses() override;

    void AddClass(TClass cls, const String& description);
    void RemoveClass(TClass cls);
    int IndexOfClass(TClass cls) const;
    int Count() const { return items_->Count(); }
    TClass ClassAt(int index) const;
    String Description(int index) const;  // the stored text up to its first "|"
    TClass FindByClassName(const String& name) const;

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);

    virtual int CompareDescriptions(int index1, int index2) const;
    virtual void SortByDescription();

private:
    TcxRegisteredClassesStringList* items_;
    bool registerClasses_;
    bool sorted_ = false;
};
