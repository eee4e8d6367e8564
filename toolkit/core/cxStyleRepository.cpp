#include "cxStyleRepository.h"

#include <algorithm>

#include "Filer.h"
#include "SysExceptions.h"
#include "SysUtils.h"
#include "cxTextMeasuring.h"

// ---- Style sheets -------------------------------------------------------------------------

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* owner) : TcxComponent(owner) { builtIn_ = IsDesigning(); }

void TcxCustomStyleSheet::AfterConstruction() {
    TcxComponent::AfterConstruction();
    StylesObject();
}

TcxCustomStyles* TcxCustomStyleSheet::StylesObject() const {
    // Made on first use: the styles class is a virtual answer, not known inside the constructor.
    if (!styles_) {
        auto* self = const_cast<TcxCustomStyleSheet*>(this);
        TObject* created = StylesClassOf()->Create(static_cast<TPersistent*>(self));
        styles_ = dynamic_cast<TcxCustomStyles*>(created);
        if (!styles_) {
            FreeObject(created);
            throw EInvalidCast(L"Invalid class typecast");
        }
        styles_->owningSheet_ = self;
    }
    return styles_;
}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
    while (!users_.empty()) {
        TcxCustomStyles* user = users_.back();
        user->AssignStyleSheet(nullptr);
        std::erase(users_, user);  // in case it could not let go
    }
    SetRepository(nullptr);
    FreeAndNil(styles_);
}

void TcxCustomStyleSheet::AttachUser(TcxCustomStyles* user) {
    if (user && std::ranges::find(users_, user) == users_.end()) users_.push_back(user);
}

void TcxCustomStyleSheet::DetachUser(TcxCustomStyles* user) { std::erase(users_, user); }

void TcxCustomStyleSheet::NotifyUsers(Integer index) {
    std::vector<TcxCustomStyles*> users = users_;  // a user may stop following meanwhile
    for (TcxCustomStyles* user : users)
        if (std::ranges::find(users_, user) != users_.end()) user->NotifyValueChanged(index);
    RefreshFakeComponentLinks();
}

void TcxCustomStyleSheet::CollectFakeComponentLinks(TList* list) {
    if (!Owner()) return;
    TcxCustomStyles* styles = StylesObject();
    for (int i = 0; i < styles->EntryCount(); ++i) {
        TcxCustomStyle* style = styles->EntryAt(i).Style;
        TComponent* owner = style ? style->Owner() : nullptr;
        if (owner && owner != Owner() && list->IndexOf(owner) < 0) list->Add(owner);
    }
}

String TcxCustomStyleSheet::Caption() const { return caption_.empty() ? Name() : caption_; }

void TcxCustomStyleSheet::SetCaption(const String& value) {
    if (value == caption_) return;
    if (CompareText(value, Name()) == 0)
        caption_.clear();
    else
        caption_ = value;
}

void TcxCustomStyleSheet::SetRepository(TcxStyleRepository* repository) {
    if (repository_ == repository) return;
    if (repository_) repository_->RemoveSheet(this);
    repository_ = repository;
    if (repository_) repository_->AddSheet(this);
}

void TcxCustomStyleSheet::Assign(TPersistent* source) {
    auto* sheet = dynamic_cast<TcxCustomStyleSheet*>(source);
    if (!sheet) {
        TcxComponent::Assign(source);
        return;
    }
    SetCaption(sheet->Caption());
    StylesObject()->Assign(sheet->StylesObject());
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return repository_; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* parent) {
    if (ComponentState().Contains(csLoading)) return;
    SetRepository(RepositoryOf(parent));
}

void TcxCustomStyleSheet::ReadState(TReader* reader) {
    TcxComponent::ReadState(reader);
    SetRepository(dynamic_cast<TcxStyleRepository*>(reader->Parent()));
}

void TcxCustomStyleSheet::DefineProperties(TFiler* filer) {
    TcxComponent::DefineProperties(filer);
    filer->DefineProperty(
        L"BuiltIn", [this](TReader* r) { builtIn_ = r->ReadBoolean(); },
        [this](TWriter* w) { w->WriteBoolean(builtIn_); }, true);
}

// ---- Repository ---------------------------------------------------------------------------

void TcxStyleRepository::BeforeDestruction() {
    while (!styles_.empty()) FreeObject(styles_.back());
    while (!sheets_.empty()) FreeObject(sheets_.back());
    TComponent::BeforeDestruction();
}

TcxCustomStyle* TcxStyleRepository::NewStyle(TcxStyleClass styleClass) { return NewStyleOwned(styleClass, this); }

TcxCustomStyle* TcxStyleRepository::NewStyleOwned(TcxStyleClass styleClass, TComponent* owner) {
    TObject* created = styleClass->Create(owner);
    auto* style = dynamic_cast<TcxCustomStyle*>(created);
    if (!style) {
        FreeObject(created);
        throw EInvalidCast(L"Invalid class typecast");
    }
    style->SetRepository(this);
    return style;
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheet(TcxCustomStyleSheetClass sheetClass) {
    return NewStyleSheetOwned(sheetClass, this);
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheetOwned(TcxCustomStyleSheetClass sheetClass, TComponent* owner) {
    TObject* created = sheetClass->Create(owner);
    auto* sheet = dynamic_cast<TcxCustomStyleSheet*>(created);
    if (!sheet) {
        FreeObject(created);
        throw EInvalidCast(L"Invalid class typecast");
    }
    sheet->SetRepository(this);
    return sheet;
}

void TcxStyleRepository::AddStyle(TcxCustomStyle* style) {
    if (std::ranges::find(styles_, style) == styles_.end()) styles_.push_back(style);
}

void TcxStyleRepository::RemoveStyle(TcxCustomStyle* style) { std::erase(styles_, style); }

void TcxStyleRepository::AddSheet(TcxCustomStyleSheet* sheet) {
    if (std::ranges::find(sheets_, sheet) == sheets_.end()) sheets_.push_back(sheet);
}

void TcxStyleRepository::RemoveSheet(TcxCustomStyleSheet* sheet) { std::erase(sheets_, sheet); }

Integer TcxStyleRepository::ScaleToScreen(Integer value) const {
    if (!scalable_ || pixelsPerInch_ == 0) return value;
    Integer screen = ScreenPixelsPerInch(0);
    return screen == pixelsPerInch_ ? value : MulDiv(value, screen, pixelsPerInch_);
}

void TcxStyleRepository::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (TcxCustomStyle* style : std::vector<TcxCustomStyle*>(styles_))
        if (style->Owner() == root) proc(style);
    for (TcxCustomStyleSheet* sheet : std::vector<TcxCustomStyleSheet*>(sheets_))
        if (sheet->Owner() == root) proc(sheet);
}

void TcxStyleRepository::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        L"PixelsPerInch", [this](TReader* r) { pixelsPerInch_ = r->ReadInteger(); },
        [](TWriter* w) { w->WriteInteger(ScreenPixelsPerInch(0)); }, filer->Ancestor() == nullptr);
}

// The parent a style or sheet is given outside of reading must be a repository.
TcxStyleRepository* RepositoryOf(TComponent* parent) {
    auto* repository = dynamic_cast<TcxStyleRepository*>(parent);
    if (parent && !repository) throw EInvalidCast(L"Invalid class typecast");
    return repository;
}
