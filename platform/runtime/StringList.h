#pragma once
// String lists: the abstract TStrings and the stored TStringList.
//
// Sections: TStrings (the protocol every list of strings offers: lines with objects,
// name=value pairs, text, comma text, files and streams) · TStringList (storage, sorting,
// duplicates, change events).
//
// Text rules:
// - Text joins the lines with CR LF, each line ending with one; setting it splits at CR LF, CR
//   or LF (a final line end adds no empty line).
// - DelimitedText (CommaText: Delimiter ',' and QuoteChar '"') quotes an item that holds a blank,
//   a control character, the delimiter or the quote, doubling embedded quotes; a single empty item
//   is "". Reading splits at the delimiter and (unless StrictDelimiter) at blanks; a quoted part
//   keeps its blanks and delimiters; runs of blanks count as one separator; an empty item arises
//   only between two delimiters or after a final one.
// - Files are read as UTF-8 or UTF-16 when they start with a byte-order mark, else in the ANSI
//   code page; they are written in the ANSI code page unless the text holds characters it cannot
//   represent, which are written as UTF-16 with a byte-order mark.

#include <vector>

#include "Events.h"
#include "Persistent.h"
#include "SysUtils.h"

class TStream;

class TStrings : public TPersistent {
    Z_CLASS(TStrings, TPersistent)
public:
    // ---- the lines
    virtual Integer Count() const = 0;
    virtual String Get(Integer index) const = 0;
    // Replaces a line, keeping its object.
    virtual void Put(Integer index, const String& s);
    virtual TObject* GetObject(Integer index) const { return nullptr; }
    virtual void PutObject(Integer index, TObject* object) {}
    virtual void InsertObject(Integer index, const String& s, TObject* object) = 0;
    virtual void Delete(Integer index) = 0;
    virtual void Clear() = 0;

    String Strings(Integer index) const { return Get(index); }
    String operator[](Integer index) const { return Get(index); }
    TObject* Objects(Integer index) const { return GetObject(index); }
    void SetObjects(Integer index, TObject* object) { PutObject(index, object); }

    // Returns the index the line got.
    virtual Integer Add(const String& s) { return AddObject(s, nullptr); }
    virtual Integer AddObject(const String& s, TObject* object);
    void Insert(Integer index, const String& s) { InsertObject(index, s, nullptr); }
    void AddStrings(const TStrings* strings);
    void AddStrings(std::initializer_list<String> strings);
    // From another list: replaces the lines and objects with those of source.
    void Assign(TPersistent* source) override;
    // In form descriptions the lines are the defined property "Strings", a list of strings.
    void DefineProperties(TFiler* filer) override;
    virtual void Move(Integer curIndex, Integer newIndex);
    virtual void Exchange(Integer index1, Integer index2);
    // The first line equal to s under CompareStrings, or -1.
    virtual Integer IndexOf(const String& s) const;
    Integer IndexOfObject(TObject* object) const;
    bool Equals(const TStrings* other) const;

    // ---- name=value pairs
    wchar_t NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(wchar_t c) { nameValueSeparator_ = c; }
    // The part before the separator; empty when the line has none.
    String Names(Integer index) const;
    // The part after the separator; empty when the line has none.
    String ValueFromIndex(Integer index) const;
    void SetValueFromIndex(Integer index, const String& value);
    // The first line whose name equals name under CompareStrings, or -1.
    Integer IndexOfName(const String& name) const;
    String Values(const String& name) const;
    // Sets the pair's value, adding the pair when missing; an empty value removes the pair.
    void SetValue(const String& name, const String& value);

    // ---- text
    String Text() const;
    virtual void SetText(const String& text);
    wchar_t Delimiter() const { return delimiter_; }
    void SetDelimiter(wchar_t c) { delimiter_ = c; }
    wchar_t QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(wchar_t c) { quoteChar_ = c; }
    bool StrictDelimiter() const { return strictDelimiter_; }
    void SetStrictDelimiter(bool value) { strictDelimiter_ = value; }
    String DelimitedText() const;
    void SetDelimitedText(const String& text);
    // DelimitedText with ',' and '"', whatever Delimiter and QuoteChar are.
    String CommaText() const;
    void SetCommaText(const String& text);

    // ---- files and streams
    virtual void LoadFromStream(TStream* stream);
    virtual void SaveToStream(TStream* stream) const;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName) const;

    // ---- updates: changes between the outermost BeginUpdate and EndUpdate report once
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }

    // Compares two lines the way IndexOf and IndexOfName do: without letter case, by the user's
    // locale. TStringList can be made case-sensitive.
    virtual int CompareStrings(const String& a, const String& b) const { return AnsiCompareText(a, b); }

protected:
    // Called with true when the outermost BeginUpdate starts, false when EndUpdate ends it.
    virtual void SetUpdateState(bool updating) {}
    [[noreturn]] void Error(const String& messageFormat, Integer data) const;

private:
    String DelimitedTextWith(wchar_t delimiter, wchar_t quoteChar, bool strict) const;
    void SetDelimitedTextWith(const String& text, wchar_t delimiter, wchar_t quoteChar, bool strict);

private:
    Integer updateCount_ = 0;
    wchar_t nameValueSeparator_ = L'=';
    wchar_t delimiter_ = L',';
    wchar_t quoteChar_ = L'"';
    bool strictDelimiter_ = false;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// <0, 0 or >0 for the lines at index1 and index2 of list.
using TStringListSortCompare = int (*)(TStringList* list, Integer index1, Integer index2);

class TStringList : public TStrings {
    Z_CLASS(TStringList, TStrings)
public:
    TStringList() = default;
    ~TStringList() override;

    Integer Count() const override { return Integer(items_.size()); }
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;  // not on a sorted list
    TObject* GetObject(Integer index) const override;
    void PutObject(Integer index, TObject* object) override;
    // On a sorted list Add puts the line in its place (and follows Duplicates); Insert raises.
    Integer AddObject(const String& s, TObject* object) override;
    void InsertObject(Integer index, const String& s, TObject* object) override;
    void Delete(Integer index) override;
    void Clear() override;
    void Exchange(Integer index1, Integer index2) override;
    // Not on a sorted list (checked before anything moves, so no line is lost).
    void Move(Integer curIndex, Integer newIndex) override;
    Integer IndexOf(const String& s) const override;

    // Binary search of a sorted list: true when found; index is the match, or where s belongs.
    virtual bool Find(const String& s, Integer& index) const;
    virtual void Sort();
    // Sorts with compare (stable), whether or not the list is Sorted.
    virtual void CustomSort(TStringListSortCompare compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);  // sorts when turned on
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);  // re-sorts a sorted list

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int CompareStrings(const String& a, const String& b) const override;

protected:
    // Fire OnChanging / OnChange unless an update is in progress.
    virtual void Changing();
    virtual void Changed();
    void SetUpdateState(bool updating) override;

private:
    struct TItem {
        String text;
        TObject* object;
    };
    void CheckIndex(Integer index) const;
    void InsertItem(Integer index, const String& s, TObject* object);
    std::vector<TItem> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
