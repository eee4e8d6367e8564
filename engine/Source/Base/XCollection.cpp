#include "XCollection.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "Filer.h"
#include "Format.h"

// ---- the registry of item classes ------------------------------------------------------------

TXCollectionDestroyedEvent XCollectionDestroyed;

namespace {

std::vector<TXCollectionItemClass>& ItemClassRegistry() {
    static std::vector<TXCollectionItemClass> registry;
    return registry;
}

}  // namespace

void RegisterXCollectionItemClass(TXCollectionItemClass itemClass) {
    auto& registry = ItemClassRegistry();
    if (std::find(registry.begin(), registry.end(), itemClass) == registry.end()) registry.push_back(itemClass);
}

void UnregisterXCollectionItemClass(TXCollectionItemClass itemClass) { std::erase(ItemClassRegistry(), itemClass); }

TXCollectionItemClass FindXCollectionItemClass(const String& name) {
    for (TXCollectionItemClass c : ItemClassRegistry())
        if (c->ClassName() == name) return c;
    return nullptr;
}

// ---- TXCollectionItem ------------------------------------------------------------------------

TXCollectionItem* TXCollectionItemMeta::CreateItem(TXCollection* owner) const {
    if (owner && !owner->AcceptsItemClass(this))
        Assert(false, L"Addition of " + ClassName() + L" to " + owner->ClassName() + L" rejected.");
    TXCollectionItem* item = NewItem(owner);
    item->SetName(ClassCaption());
    return item;
}

TXCollectionItem::TXCollectionItem(TXCollection* owner) : owner_(owner) {
    if (owner_) {
        owner_->list_.Add(this);
        owner_->count_ = owner_->list_.Count();
    }
}

TXCollectionItem::~TXCollectionItem() {
    if (owner_) {
        owner_->list_.Remove(this);
        owner_->count_ = owner_->list_.Count();
    }
}

Integer TXCollectionItem::Index() const {
    return owner_ ? owner_->list_.IndexOf(const_cast<TXCollectionItem*>(this)) : -1;
}

void TXCollectionItem::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TXCollectionItem*>(source)) {
        SetName(other->name_);
        return;
    }
    TGLInterfacedPersistent::Assign(source);
}

TPersistent* TXCollectionItem::GetOwner() const { return owner_; }

String TXCollectionItem::GetNamePath() const {
    if (!owner_) return TGLInterfacedPersistent::GetNamePath();
    return Format(L"%s[%d]", {owner_->GetNamePath(), Index()});
}

void TXCollectionItem::WriteToWriter(TWriter* writer) {
    writer->WriteInteger(0);
    writer->WriteString(name_);
}

void TXCollectionItem::ReadFromReader(TReader* reader) {
    Integer version = reader->ReadInteger();
    Assert(version == 0, L"XCollection: unknown item archive version " + IntToStr(version));
    SetName(reader->ReadString());
}

// ---- TXCollection ----------------------------------------------------------------------------

TXCollection::TXCollection(TPersistent* owner) : owner_(owner) {}

TXCollection::~TXCollection() {
    if (XCollectionDestroyed) XCollectionDestroyed(this);
    Clear();
}

void TXCollection::Clear() {
    for (void* p : list_) {
        auto* item = static_cast<TXCollectionItem*>(p);
        item->owner_ = nullptr;  // so that it does not take itself out of the list
        FreeObject(item);
    }
    list_.Clear();
    count_ = 0;
}

bool TXCollection::AcceptsItemClass(TXCollectionItemClass itemClass) const {
    if (!itemClass->CanAddTo(const_cast<TXCollection*>(this))) return false;
    for (void* p : list_) {
        TXCollectionItemClass present = static_cast<TXCollectionItem*>(p)->ClassType();
        if (itemClass->IsUnique() && present->InheritsFrom(itemClass)) return false;
        if (present->IsUnique() && itemClass->InheritsFrom(present)) return false;
    }
    return true;
}

void TXCollection::Assign(TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    if (source->ClassType() != ClassType()) {
        TPersistent::Assign(source);
        return;
    }
    auto* other = static_cast<TXCollection*>(source);
    Clear();
    list_.SetCapacity(other->Count());
    for (Integer i = 0; i < other->Count(); ++i) {
        TXCollectionItem* from = other->GetItem(i);
        from->ClassType()->CreateItem(this)->Assign(from);
    }
    count_ = list_.Count();
}

void TXCollection::NotifyItemsLoaded() {
    for (void* p : list_) static_cast<TXCollectionItem*>(p)->NotifyLoaded();
}

String TXCollection::GetNamePath() const {
    if (owner_) {
        String path = owner_->GetNamePath();
        if (!path.empty()) return path + L".XCollection";
    }
    return ClassName();
}

void TXCollection::WriteToWriter(TWriter* writer) {
    writer->WriteInteger(count_);
    std::vector<TClass> classes;
    for (void* p : list_) {
        auto* item = static_cast<TXCollectionItem*>(p);
        auto found = std::find(classes.begin(), classes.end(), item->ClassType());
        if (found == classes.end()) {
            classes.push_back(item->ClassType());
            writer->WriteString(item->ClassName());
        } else {
            writer->WriteInteger(Integer(found - classes.begin()));
        }
        item->WriteToWriter(writer);
    }
}

void TXCollection::ReadFromReader(TReader* reader) {
    Clear();
    Integer n = reader->ReadInteger();
    std::vector<TXCollectionItemClass> classes;
    for (Integer i = 0; i < n; ++i) {
        TXCollectionItemClass itemClass;
        if (reader->NextValue() == vaString) {
            String name = reader->ReadString();
            itemClass = FindXCollectionItemClass(name);
            if (!itemClass) Assert(false, L"Class " + name + L" unknown. Add the relevant unit to your \"uses\".");
            classes.push_back(itemClass);
        } else {
            Integer position = reader->ReadInteger();
            if (position < 0 || position >= Integer(classes.size()))
                TList::Error(L"List index out of bounds (%d)", position);
            itemClass = classes[position];
        }
        // A half-read item is freed, which takes it out of the list.
        std::unique_ptr<TXCollectionItem> item(itemClass->CreateItem(this));
        item->ReadFromReader(reader);
        item.release();
    }
    count_ = list_.Count();
}
