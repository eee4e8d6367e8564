#include "dxResourceStrings.h"

#include "SysExceptions.h"

namespace {
TdxResourceStringsRepository* repository = nullptr;
}

String ResolveResourceString(const TResStringRec* reference) {
    if (!reference) return String();
    if (repository) {
        String replacement;
        for (int i = 0; i < repository->ProductCount(); ++i)
            if (repository->ProductAt(i)->FindReplacement(reference, replacement)) return replacement;
    }
    return LoadResourceStringText(reference);
}

String LoadResourceStringText(const TResStringRec* reference) {
    if (!reference) return String();
    HMODULE module = reference->Module ? reference->Module : GetModuleHandleW(nullptr);
    const wchar_t* text = nullptr;
    // With a zero buffer length LoadStringW answers a pointer into the resource itself.
    int length = LoadStringW(module, reference->Identifier, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return String();
    return String(text, size_t(length));
}

TdxProductResourceStrings::TdxProductResourceStrings(const String& name,
                                                     TdxRegisterProductResourceStringsProc registration)
    : name_(name), names_(new TStringList), registration_(registration) {
    names_->SetSorted(true);
    names_->SetDuplicates(dupIgnore);
}

TdxProductResourceStrings::~TdxProductResourceStrings() { FreeObject(names_); }

void TdxProductResourceStrings::RegisterString(const String& name, const TResStringRec* reference) {
    // The object slot carries the record's address; the repository never frees it.
    names_->AddObject(name, reinterpret_cast<TObject*>(const_cast<TResStringRec*>(reference)));
}

const TResStringRec* TdxProductResourceStrings::ReferenceOf(const String& name) const {
    int index = names_->IndexOf(name);
    return index < 0 ? nullptr : reinterpret_cast<const TResStringRec*>(names_->Objects(index));
}

bool TdxProductResourceStrings::SetReplacement(const String& name, const String& text) {
    const TResStringRec* reference = ReferenceOf(name);
    if (!reference) return false;
    for (auto& [held, replacement] : replacements_)
        if (held == reference) {
            replacement = text;
            return true;
        }
    replacements_.emplace_back(reference, text);
    return true;
}

void TdxProductResourceStrings::RemoveReplacement(const String& name) {
    const TResStringRec* reference = ReferenceOf(name);
    std::erase_if(replacements_, [&](const auto& entry) { return entry.first == reference; });
}

bool TdxProductResourceStrings::FindReplacement(const TResStringRec* reference, String& text) const {
    for (const auto& [held, replacement] : replacements_)
        if (held == reference) {
            text = replacement;
            return true;
        }
    return false;
}

TdxResourceStringsRepository::~TdxResourceStringsRepository() {
    for (auto* product : products_) FreeObject(product);
}

void TdxResourceStringsRepository::AddProduct(const String& name, TdxRegisterProductResourceStringsProc registration) {
    auto* product = new TdxProductResourceStrings(name, registration);
    try {
        if (registration) registration(product);
    } catch (...) {
        FreeObject(product);
        throw;
    }
    products_.push_back(product);
}

void TdxResourceStringsRepository::RemoveProduct(const String& name) {
    int index = IndexOfProduct(name);
    if (index < 0) return;
    TdxProductResourceStrings* product = products_[size_t(index)];
    products_.erase(products_.begin() + index);
    FreeObject(product);
}

int TdxResourceStringsRepository::IndexOfProduct(const String& name) const {
    for (size_t i = 0; i < products_.size(); ++i)
        if (products_[i]->Name() == name) return int(i);
    return -1;
}

TdxProductResourceStrings* TdxResourceStringsRepository::ProductAt(int index) const {
    if (index < 0 || index >= ProductCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
    return products_[size_t(index)];
}

void TdxResourceStringsRepository::AddListener(IdxResourceStringsListener* listener) {
    if (!listener) return;
    for (auto& held : listeners_)
        if (held.get() == listener) return;
    listeners_.emplace_back(listener);
}

void TdxResourceStringsRepository::RemoveListener(IdxResourceStringsListener* listener) {
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
        if (it->get() == listener) {
            IPtr<IdxResourceStringsListener> keep = std::move(*it);  // released after the erase
            listeners_.erase(it);
            return;
        }
}

TdxResourceStringsRepository* GetResourceStringsRepository() {
    if (!repository) repository = new TdxResourceStringsRepository;
    return repository;
}

void FinalizedxResourceStrings() { FreeAndNil(repository); }
