#include "StringList.h"

#include <algorithm>
#include <numeric>

#include "Filer.h"
#include "Format.h"
#include "Streams.h"

// ---- TStrings: the lines -------------------------------------------------------------------

void TStrings::Error(const String& messageFormat, Integer data) const {
    throw EStringListError(Format(messageFormat, {data}));
}

void TStrings::Put(Integer index, const String& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

Integer TStrings::AddObject(const String& s, TObject* object) {
    Integer index = Count();
    InsertObject(index, s, object);
    return index;
}

void TStrings::AddStrings(const TStrings* strings) {
    BeginUpdate();
    for (Integer i = 0; i < strings->Count(); ++i) AddObject(strings->Get(i), strings->GetObject(i));
    EndUpdate();
}

void TStrings::AddStrings(std::initializer_list<String> strings) {
    BeginUpdate();
    for (const String& s : strings) Add(s);
    EndUpdate();
}

void TStrings::DefineProperties(TFiler* filer) {
    inherited::DefineProperties(filer);
    filer->DefineProperty(
        L"Strings",
        [this](TReader* reader) {
            BeginUpdate();
            try {
                Clear();
                reader->ReadListBegin();
                while (!reader->EndOfList()) Add(reader->ReadString());
                reader->ReadListEnd();
            } catch (...) {
                EndUpdate();
                throw;
            }
            EndUpdate();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (Integer i = 0; i < Count(); ++i) writer->WriteString(Get(i));
            writer->WriteListEnd();
        },
        Count() > 0);
}

void TStrings::Assign(TPersistent* persistent) {
    auto* source = dynamic_cast<TStrings*>(persistent);
    if (!source) {
        TPersistent::Assign(persistent);
        return;
    }
    if (source == this) return;
    BeginUpdate();
    Clear();
    nameValueSeparator_ = source->nameValueSeparator_;
    delimiter_ = source->delimiter_;
    quoteChar_ = source->quoteChar_;
    strictDelimiter_ = source->strictDelimiter_;
    AddStrings(source);
    EndUpdate();
}

void TStrings::Move(Integer curIndex, Integer newIndex) {
    if (curIndex == newIndex) return;
    BeginUpdate();
    String s = Get(curIndex);
    TObject* object = GetObject(curIndex);
    if (newIndex < 0 || newIndex >= Count()) Error(L"List index out of bounds (%d)", newIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
    EndUpdate();
}

void TStrings::Exchange(Integer index1, Integer index2) {
    BeginUpdate();
    String s1 = Get(index1), s2 = Get(index2);
    TObject* o1 = GetObject(index1);
    TObject* o2 = GetObject(index2);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
    EndUpdate();
}

Integer TStrings::IndexOf(const String& s) const {
    for (Integer i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfObject(TObject* object) const {
    for (Integer i = 0; i < Count(); ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

bool TStrings::Equals(const TStrings* other) const {
    if (Count() != other->Count()) return false;
    for (Integer i = 0; i < Count(); ++i)
        if (Get(i) != other->Get(i)) return false;
    return true;
}

// ---- TStrings: name=value pairs ------------------------------------------------------------

String TStrings::Names(Integer index) const {
    String s = Get(index);
    size_t at = s.find(nameValueSeparator_);
    return at == String::npos ? String() : s.substr(0, at);
}

String TStrings::ValueFromIndex(Integer index) const {
    String s = Get(index);
    size_t at = s.find(nameValueSeparator_);
    return at == String::npos ? String() : s.substr(at + 1);
}

void TStrings::SetValueFromIndex(Integer index, const String& value) {
    String s = Get(index);
    size_t at = s.find(nameValueSeparator_);
    String name = at == String::npos ? String() : s.substr(0, at);
    if (value.empty())
        Delete(index);
    else
        Put(index, name + nameValueSeparator_ + value);
}

Integer TStrings::IndexOfName(const String& name) const {
    for (Integer i = 0; i < Count(); ++i) {
        String s = Get(i);
        size_t at = s.find(nameValueSeparator_);
        if (at != String::npos && CompareStrings(s.substr(0, at), name) == 0) return i;
    }
    return -1;
}

String TStrings::Values(const String& name) const {
    Integer index = IndexOfName(name);
    return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValue(const String& name, const String& value) {
    Integer index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    String line = name + nameValueSeparator_ + value;
    if (index >= 0)
        Put(index, line);
    else
        Add(line);
}

// ---- TStrings: text ------------------------------------------------------------------------

String TStrings::Text() const {
    String out;
    for (Integer i = 0; i < Count(); ++i) {
        out += Get(i);
        out += L"\r\n";
    }
    return out;
}

void TStrings::SetText(const String& text) {
    BeginUpdate();
    Clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        size_t start = i;
        while (i < n && text[i] != L'\r' && text[i] != L'\n') ++i;
        Add(text.substr(start, i - start));
        if (i < n && text[i] == L'\r') ++i;
        if (i < n && text[i] == L'\n') ++i;
    }
    EndUpdate();
}

namespace {

String QuotedString(const String& s, wchar_t quote) {
    String out(1, quote);
    for (wchar_t c : s) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}

}  // namespace

String TStrings::DelimitedText() const { return DelimitedTextWith(delimiter_, quoteChar_, strictDelimiter_); }

void TStrings::SetDelimitedText(const String& text) {
    SetDelimitedTextWith(text, delimiter_, quoteChar_, strictDelimiter_);
}

String TStrings::DelimitedTextWith(wchar_t delimiter, wchar_t quoteChar, bool strict) const {
    if (Count() == 1 && Get(0).empty()) return String(2, quoteChar);
    String out;
    for (Integer i = 0; i < Count(); ++i) {
        String s = Get(i);
        bool quote = std::any_of(s.begin(), s.end(), [&](wchar_t c) {
            return c == quoteChar || c == delimiter || (!strict && c <= L' ') || c < L' ';
        });
        if (i > 0) out += delimiter;
        out += quote ? QuotedString(s, quoteChar) : s;
    }
    return out;
}

void TStrings::SetDelimitedTextWith(const String& text, wchar_t delimiter, wchar_t quoteChar, bool strict) {
    auto blank = [&](wchar_t c) { return c >= 1 && c <= L' '; };
    BeginUpdate();
    Clear();
    size_t i = 0, n = text.size();
    if (!strict)
        while (i < n && blank(text[i])) ++i;
    while (i < n) {
        String item;
        if (text[i] == quoteChar) {
            // A quoted part: doubled quotes stand for one; it ends at a single quote.
            ++i;
            while (i < n) {
                if (text[i] == quoteChar) {
                    if (i + 1 < n && text[i + 1] == quoteChar) {
                        item += quoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            size_t start = i;
            while (i < n && text[i] != delimiter && (strict || !blank(text[i]))) ++i;
            item = text.substr(start, i - start);
        }
        Add(item);
        if (!strict)
            while (i < n && blank(text[i])) ++i;
        if (i < n && text[i] == delimiter) {
            if (i + 1 == n) Add(String());
            ++i;
            if (!strict)
                while (i < n && blank(text[i])) ++i;
        }
    }
    EndUpdate();
}

String TStrings::CommaText() const { return DelimitedTextWith(L',', L'"', false); }
void TStrings::SetCommaText(const String& text) { SetDelimitedTextWith(text, L',', L'"', false); }

// ---- TStrings: files and streams -----------------------------------------------------------

void TStrings::LoadFromStream(TStream* stream) {
    TBytes bytes;
    Int64 size = stream->Size() - stream->Position();
    if (size > 0) {
        bytes.resize(size_t(size));
        stream->ReadBuffer(bytes.data(), Integer(size));
    }
    String text;
    const Byte* p = bytes.data();
    size_t n = bytes.size();
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        text = UTF8ToString(AnsiString(reinterpret_cast<const char*>(p + 3), n - 3));
    } else if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        text.resize((n - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i) text[i] = wchar_t(p[2 + 2 * i] | (p[3 + 2 * i] << 8));
    } else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
        text.resize((n - 2) / 2);
        for (size_t i = 0; i < text.size(); ++i) text[i] = wchar_t((p[2 + 2 * i] << 8) | p[3 + 2 * i]);
    } else {
        text = AnsiToString(AnsiString(reinterpret_cast<const char*>(p), n));
    }
    SetText(text);
}

void TStrings::SaveToStream(TStream* stream) const {
    String text = Text();
    if (CanEncodeAnsi(text)) {
        AnsiString bytes = StringToAnsi(text);
        stream->WriteBuffer(bytes.data(), Integer(bytes.size()));
        return;
    }
    TBytes bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (wchar_t c : text) {
        bytes.push_back(Byte(c & 0xFF));
        bytes.push_back(Byte(c >> 8));
    }
    stream->WriteBuffer(bytes.data(), Integer(bytes.size()));
}

void TStrings::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TStrings::SaveToFile(const String& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(&file);
}

// ---- TStrings: updates ---------------------------------------------------------------------

void TStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    Assert(updateCount_ > 0, L"EndUpdate without BeginUpdate");
    if (--updateCount_ == 0) SetUpdateState(false);
}

// ---- TStringList ---------------------------------------------------------------------------

TStringList::~TStringList() = default;

void TStringList::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) Error(L"List index out of bounds (%d)", index);
}

String TStringList::Get(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)].text;
}

void TStringList::Put(Integer index, const String& s) {
    if (sorted_) throw EStringListError(L"Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[size_t(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)].object;
}

void TStringList::PutObject(Integer index, TObject* object) {
    CheckIndex(index);
    Changing();
    items_[size_t(index)].object = object;
    Changed();
}

Integer TStringList::AddObject(const String& s, TObject* object) {
    Integer index = Count();
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EStringListError(L"String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::InsertObject(Integer index, const String& s, TObject* object) {
    if (sorted_) throw EStringListError(L"Operation not allowed on sorted list");
    if (index < 0 || index > Count()) Error(L"List index out of bounds (%d)", index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(Integer index, const String& s, TObject* object) {
    Changing();
    items_.insert(items_.begin() + index, TItem{s, object});
    Changed();
}

void TStringList::Delete(Integer index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

void TStringList::Exchange(Integer index1, Integer index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[size_t(index1)], items_[size_t(index2)]);
    Changed();
}

void TStringList::Move(Integer curIndex, Integer newIndex) {
    if (sorted_) throw EStringListError(L"Operation not allowed on sorted list");
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    Changing();
    TItem item = std::move(items_[size_t(curIndex)]);
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, std::move(item));
    Changed();
}

Integer TStringList::IndexOf(const String& s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    Integer index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, Integer& index) const {
    // The first line not before s; with duplicates it is the first of the equal ones.
    Integer low = 0, high = Count();
    while (low < high) {
        Integer mid = (low + high) / 2;
        if (CompareStrings(items_[size_t(mid)].text, s) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    index = low;
    return low < Count() && CompareStrings(items_[size_t(low)].text, s) == 0;
}

int TStringList::CompareStrings(const String& a, const String& b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, Integer i1, Integer i2) {
        return list->CompareStrings(list->items_[size_t(i1)].text, list->items_[size_t(i2)].text);
    });
}

void TStringList::CustomSort(TStringListSortCompare compare) {
    if (Count() < 2) return;
    Changing();
    // The comparison reads the list by index, so the order is worked out first and applied after.
    std::vector<Integer> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return compare(this, a, b) < 0; });
    std::vector<TItem> sorted;
    sorted.reserve(items_.size());
    for (Integer i : order) sorted.push_back(std::move(items_[size_t(i)]));
    items_ = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (sorted_ == value) return;
    if (value) Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (caseSensitive_ == value) return;
    caseSensitive_ = value;
    if (sorted_) Sort();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}
