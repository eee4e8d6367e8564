#include "PersistentObjectList.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "PersistentClasses.h"
#include "SysUtils.h"

TPersistentObjectList::~TPersistentObjectList() { Clear(); }

void TPersistentObjectList::Grow() { SetCapacity(capacity_ + growthDelta_); }

Integer TPersistentObjectList::Add(TObject* item) {
    if (count_ == capacity_) Grow();
    items_[count_] = item;
    return count_++;
}

void TPersistentObjectList::Insert(Integer index, TObject* item) {
    if (count_ == capacity_) Grow();
    if (index < count_) std::memmove(items_ + index + 1, items_ + index, size_t(count_ - index) * sizeof(TObject*));
    items_[index] = item;
    ++count_;
}

void TPersistentObjectList::Delete(Integer index) {
    --count_;
    if (index < count_) std::memmove(items_ + index, items_ + index + 1, size_t(count_ - index) * sizeof(TObject*));
}

Integer TPersistentObjectList::IndexOf(const TObject* item) const {
    for (Integer i = 0; i < count_; ++i)
        if (items_[i] == item) return i;
    return -1;
}

Integer TPersistentObjectList::Remove(TObject* item) {
    Integer index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* ReallocListBlock(void* block, Integer count, size_t itemSize) {
    if (count < 0) throw EListError(L"Invalid list capacity (" + IntToStr(count) + L")");
    if (count == 0 || itemSize == 0) {
        std::free(block);
        return nullptr;
    }
    if (size_t(count) > SIZE_MAX / itemSize) throw EOutOfResources(L"Out of memory");
    void* grown = std::realloc(block, size_t(count) * itemSize);
    if (!grown) throw EOutOfResources(L"Out of memory");
    return grown;
}

void TPersistentObjectList::SetCapacity(Integer value) {
    if (value == capacity_) return;
    items_ = static_cast<TObject**>(ReallocListBlock(items_, value, sizeof(TObject*)));
    if (value < count_) count_ = value;
    capacity_ = value;
}

void TPersistentObjectList::SetCount(Integer value) {
    if (value < 0) throw EListError(L"Invalid list count (" + IntToStr(value) + L")");
    if (capacity_ < value) SetCapacity(value);
    for (Integer i = count_; i < value; ++i) items_[i] = nullptr;
    count_ = value;
}

void TPersistentObjectList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

TObject* TPersistentObjectList::Pop() {
    if (count_ < 1) return nullptr;
    return items_[--count_];
}

void TPersistentObjectList::FreeItems() {
    for (Integer i = count_ - 1; i >= 0; --i) FreeObject(items_[i]);
}

void TPersistentObjectList::Clean() {
    FreeItems();
    Clear();
}

void TPersistentObjectList::CleanFree(TPersistentObjectList*& list) {
    if (!list) return;
    list->Clean();
    FreeAndNil(list);
}

void TPersistentObjectList::IndexError(Integer index) const { throw EListError(L"Invalid list index"); }

void TPersistentObjectList::WriteToArchive(TVirtualWriter* writer) {
    writer->WriteInteger(0);
    writer->WriteListBegin();
    std::vector<TClass> classes;
    for (Integer i = 0; i < count_; ++i) {
        TObject* item = items_[i];
        if (!item) {
            writer->WriteBoolean(false);
            writer->WriteInteger(0);
        } else if (auto* object = dynamic_cast<TPersistentObject*>(item)) {
            TClass cls = item->ClassType();
            Integer position = 0;
            while (position < Integer(classes.size()) && classes[position] != cls) ++position;
            if (position == Integer(classes.size())) {
                classes.push_back(cls);
                writer->WriteString(StringToAnsi(cls->ClassName()));
            } else {
                writer->WriteInteger(position);
            }
            object->WriteToArchive(writer);
        } else {
            // Not storable: only the reference goes in, which no reader turns back into one.
            writer->WriteBoolean(false);
            writer->WriteInteger(Integer(reinterpret_cast<std::intptr_t>(item)));
        }
    }
    writer->WriteListEnd();
}

void TPersistentObjectList::ReadFromArchive(TVirtualReader* reader) {
    ReadItemsFromArchive(reader, MakeEvent(this, &TPersistentObjectList::ItemCreated));
}

void TPersistentObjectList::ReadItemsFromArchive(TVirtualReader* reader,
                                                 const TPersistentObjectCreatedEvent& itemCreated) {
    Clean();
    Integer version = reader->ReadInteger();
    if (version != 0) RaiseArchiveVersionError(version);
    reader->ReadListBegin();
    std::vector<TClass> classes;
    while (!reader->AtListEnd()) {
        TClass cls = nullptr;
        switch (reader->PeekValueTag()) {
            case atInt8:
            case atInt16:
            case atInt32: {
                Integer position = reader->ReadInteger();
                if (position < 0 || position >= Integer(classes.size()))
                    throw EListError(L"List index out of bounds (" + IntToStr(position) + L")");
                cls = classes[position];
                break;
            }
            case atString:
            case atLString:
            case atWString:
            case atUTF8String:
                cls = FindClass(AnsiToString(reader->ReadString()));
                if (!cls->InheritsFrom(TPersistentObject::StaticClass()))
                    throw EReadError(cls->ClassName() + L" is not a persistent object class");
                classes.push_back(cls);
                break;
            case atFalse:
            case atTrue:
                reader->ReadBoolean();
                // Only null is meaningful here: any other value was a reference of the
                // writing process and stays null.
                reader->ReadInteger();
                Add(nullptr);
                continue;
            default:
                throw Exception(L"Broken ObjectList archive");
        }
        std::unique_ptr<TObject> created(cls->Create());
        auto* object = static_cast<TPersistentObject*>(created.get());
        if (itemCreated) itemCreated(object);
        object->ReadFromArchive(reader);
        Add(created.release());
    }
    reader->ReadListEnd();
}

namespace {

// True when there were any.
bool RemoveEmptyListEntries(TPersistentObjectList* list) {
    bool found = false;
    for (Integer i = list->Count() - 1; i >= 0; --i)
        if (!list->GetItem(i)) {
            list->Delete(i);
            found = true;
        }
    return found;
}

}  // namespace

void ReadListWithoutEmptyEntries(TPersistentObjectList* list, TVirtualReader* reader, const String& itemKind) {
    try {
        list->TPersistentObjectList::ReadFromArchive(reader);
    } catch (...) {
        RemoveEmptyListEntries(list);
        throw;
    }
    if (RemoveEmptyListEntries(list)) throw EReadError(list->ClassName() + L", a " + itemKind + L" is missing");
}

void InitializePersistentObjectList() { RegisterClass(TPersistentObjectList::StaticClass()); }
