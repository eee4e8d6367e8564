#pragma once
// TPersistent: the root of everything that can be assigned to another object of its kind and
// streamed into a form description (published properties plus the properties a class defines
// itself through DefineProperties).

#include "AssignIfChanged.h"
#include "SysObject.h"

class TFiler;
class TPublishedTable;

class TPersistent : public TObject {
    Z_CLASS(TPersistent, TObject)
public:
    // Copies source into this object. A class that knows how to copy from source overrides
    // Assign; one that knows how to copy itself into another kind overrides AssignTo. When
    // neither does, raises EConvertError "Cannot assign a <source> to a <target>".
    virtual void Assign(TPersistent* source);

    // The object that owns this one for naming and streaming (a component's owner, a
    // collection item's collection); null when it has none.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // The dotted path that names this object within its owners, e.g. "Form1.Button1.Font".
    virtual String GetNamePath() const;

    // Declares the properties the class streams itself (binary data, lists) to a reader or
    // writer; the default declares none.
    virtual void DefineProperties(TFiler* filer);

    // The published properties and methods of this object's class and its ancestors; a class
    // declares its own with Z_PUBLISHED (TypInfo.h).
    static const TPublishedTable& StaticPublished();
    virtual const TPublishedTable& PublishedTable() const { return StaticPublished(); }

protected:
    virtual void AssignTo(TPersistent* dest);
    [[noreturn]] void AssignError(const TPersistent* source) const;
};
