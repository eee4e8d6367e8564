#pragma once
// A list of item ID lists, each with a data pointer (the controls keep their tree node or list
// item there), kept in the order of a shell folder or in byte order.

#include <shlobj.h>

#include "Lists.h"
#include "StringList.h"

class TRzPidlList : public TObject {
    Z_CLASS(TRzPidlList, TObject)
public:
    TRzPidlList();
    ~TRzPidlList() override;

    virtual Integer Add(ITEMIDLIST* pidl);
    // Returns the entry's index; sorted lists insert in order (see Duplicates).
    virtual Integer AddObject(ITEMIDLIST* pidl, void* data);
    void Insert(Integer index, ITEMIDLIST* pidl, void* data);
    void Delete(Integer index);
    void Clear();
    // Binary search of a sorted list; index receives where the list has or would have it.
    bool Find(const ITEMIDLIST* pidl, Integer& index);
    Integer IndexOf(const ITEMIDLIST* pidl);
    void Sort();

    // The folder whose order sorts the list (not owned); null means byte order.
    IShellFolder* ShellFolder() const { return shellFolder_; }
    void SetShellFolder(IShellFolder* value) { shellFolder_ = value; }
    // Frees the lists on delete and clear when set; null leaves them to their owner.
    IMalloc* Malloc() const { return malloc_; }
    void SetMalloc(IMalloc* value) { malloc_ = value; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }

    Integer Count() const { return list_->Count(); }
    Integer Capacity() const { return list_->Capacity(); }
    void SetCapacity(Integer value) { list_->SetCapacity(value); }
    ITEMIDLIST* Pidls(Integer index) const;
    void* Objects(Integer index) const;

private:
    struct TEntry {
        ITEMIDLIST* pidl;
        void* data;
    };
    int Compare(const ITEMIDLIST* a, const ITEMIDLIST* b) const;
    TEntry* Entry(Integer index) const { return static_cast<TEntry*>(list_->Items(index)); }

    TList* list_;
    IShellFolder* shellFolder_ = nullptr;
    IMalloc* malloc_ = nullptr;
    bool sorted_ = false;
    TDuplicates duplicates_ = dupError;
};
