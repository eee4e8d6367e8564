#include "Filer.h"

#include <algorithm>

#include "Collection.h"
#include "FormDescriptionLexer.h"
#include "SysUtils.h"

// Sections: TReader (set-up and the root · components · properties · values · references) ·
// TWriter.

namespace {

std::vector<String> SplitPath(const String& path) {
    std::vector<String> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = path.find(L'.', start);
        parts.push_back(path.substr(start, dot == String::npos ? String::npos : dot - start));
        if (dot == String::npos) return parts;
        start = dot + 1;
    }
}

bool ClassNamed(TClass cls, const String& name) {
    for (TClass c = cls; c; c = c->ClassParent())
        if (SameText(c->ClassName(), name)) return true;
    return false;
}

const wchar_t* KindText(TTypeKind kind) {
    switch (kind) {
        case tkInteger:
            return L"an integer";
        case tkEnumeration:
            return L"an identifier";
        case tkSet:
            return L"a set";
        case tkFloat:
            return L"a number";
        case tkString:
            return L"a string";
        case tkBoolean:
            return L"True or False";
        case tkClass:
            return L"a collection";
        case tkComponent:
            return L"a component name";
        case tkMethod:
            return L"a method name";
    }
    return L"a value";
}

}  // namespace

// ---- TReader: set-up and the root ----------------------------------------------------------

TReader::TReader(TStream* stream) : TFiler(stream) {
    TBytes bytes(size_t(stream->Size() - stream->Position()));
    if (!bytes.empty()) stream->ReadBuffer(bytes.data(), Integer(bytes.size()));
    lexer_ = std::make_unique<TFormDescriptionLexer>(bytes);
}

TReader::~TReader() = default;

void TReader::Error(const String& message) { ErrorAt(message, lexer_->Peek().Line); }

void TReader::ErrorAt(const String& message, int line) {
    throw EReadError(message + L" at line " + std::to_wstring(line));
}

// Runs action; a failure other than a read error (a setter refusing a value, a name clash)
// becomes a read error naming the line.
template <class F>
void TReader::Guarded(int line, F&& action) {
    try {
        action();
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        ErrorAt(e.Message(), line);
    }
}

TToken TReader::Expect(wchar_t symbol) {
    TToken t = lexer_->Next();
    if (!t.IsSymbol(symbol)) ErrorAt(String(L"'") + symbol + L"' expected", t.Line);
    return t;
}

TToken TReader::ExpectIdent(const wchar_t* what) {
    TToken t = lexer_->Next();
    if (t.Kind != ttIdent) ErrorAt(String(what) + L" expected", t.Line);
    return t;
}

// "Name: TClass" or, for an unnamed component, "TClass".
std::pair<String, String> TReader::ReadHeader() {
    TToken first = ExpectIdent(L"A component name");
    if (!lexer_->Peek().IsSymbol(L':')) return {String(), first.Text};
    lexer_->Next();
    return {first.Text, ExpectIdent(L"A class name").Text};
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    bool createdRoot = false;
    try {
        TToken start = lexer_->Next();
        if (!start.IsKeyword(L"object")) ErrorAt(L"'object' expected", start.Line);
        auto [name, className] = ReadHeader();
        if (!root) {
            TClass cls = GetClass(className);
            if (!cls) ErrorAt(L"Class " + className + L" not found", start.Line);
            if (!cls->InheritsFrom(TComponent::StaticClass()))
                ErrorAt(className + L" is not a component class", start.Line);
            Guarded(start.Line,
                    [&] { root = static_cast<TComponent*>(cls->Create(static_cast<TComponent*>(nullptr))); });
            createdRoot = true;
            created_.push_back(root);
        } else if (!ClassNamed(root->ClassType(), className)) {
            ErrorAt(L"A description of " + className + L" cannot be read into a " + root->ClassName(), start.Line);
        }
        root_ = root;
        owner_ = root;
        loaded_.push_back(root);
        root->SetStateFlag(csLoading, true);
        // A second instance of a form gets a name of its own among the loaded roots.
        String unique = name;
        for (int n = 1; !unique.empty(); ++n) {
            TComponent* other = FindGlobalComponent(unique);
            if (!other || other == root) break;
            unique = name + L"_" + std::to_wstring(n);
        }
        Guarded(start.Line, [&] { root->SetName(unique); });
        root->SetStateFlag(csReading, true);
        root->ReadState(this);
        root->SetStateFlag(csReading, false);
        if (lexer_->Peek().Kind != ttEnd) Error(L"Text after the end of the description");
        ResolveFixups();
    } catch (...) {
        FreeCreated();
        if (root && !createdRoot) {
            root->SetStateFlag(csLoading, false);
            root->SetStateFlag(csReading, false);
        }
        throw;
    }
    AddGlobalRoot(root);
    try {
        for (TComponent* c : loaded_) {
            c->Loaded();
            c->SetStateFlag(csLoading, false);
        }
    } catch (...) {
        if (createdRoot) FreeObject(root);
        throw;
    }
    return root;
}

void TReader::FreeCreated() {
    // Owners come before what they own, so the newest goes first.
    while (!created_.empty()) {
        TComponent* c = created_.back();
        created_.pop_back();
        FreeObject(c);
    }
    loaded_.clear();
    fixups_.clear();
}

// ---- TReader: components -------------------------------------------------------------------

void TReader::ReadData(TComponent* instance) {
    for (;;) {
        const TToken& t = lexer_->Peek();
        if (t.Kind == ttEnd) ErrorAt(L"'end' of " + instance->Name() + L" expected", t.Line);
        bool statement = t.Kind == ttIdent && !lexer_->Peek(1).IsSymbol(L'=');
        if (statement && lexer_->Peek().IsKeyword(L"end")) {
            lexer_->Next();
            return;
        }
        if (statement && lexer_->Peek().IsKeyword(L"object")) {
            TComponent* oldOwner = owner_;
            TComponent* oldParent = parent_;
            owner_ = instance->GetChildOwner();
            if (!owner_) owner_ = root_;
            parent_ = instance->GetChildParent();
            ReadComponent(instance);
            owner_ = oldOwner;
            parent_ = oldParent;
            continue;
        }
        ReadProperty(instance);
    }
}

TComponent* TReader::ReadComponent(TComponent*) {
    TToken start = lexer_->Next();  // "object"
    auto [name, className] = ReadHeader();
    TClass cls = GetClass(className);
    if (!cls) ErrorAt(L"Class " + className + L" not found", start.Line);
    if (!cls->InheritsFrom(TComponent::StaticClass())) ErrorAt(className + L" is not a component class", start.Line);
    TComponent* c = nullptr;
    Guarded(start.Line, [&] { c = static_cast<TComponent*>(cls->Create(owner_)); });
    created_.push_back(c);
    loaded_.push_back(c);
    c->SetStateFlag(csLoading, true);
    Guarded(start.Line, [&] {
        c->SetName(name);
        if (parent_) c->SetParentComponent(parent_);
    });
    c->SetStateFlag(csReading, true);
    c->ReadState(this);
    c->SetStateFlag(csReading, false);
    return c;
}

// ---- TReader: properties -------------------------------------------------------------------

void TReader::ReadProperty(TPersistent* instance) {
    TToken nameToken = ExpectIdent(L"A property name");
    Expect(L'=');
    std::vector<String> parts = SplitPath(nameToken.Text);
    TPersistent* target = instance;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const TPropInfo* p = target->PublishedTable().FindProperty(parts[i]);
        if (!p) ErrorAt(L"Property " + parts[i] + L" does not exist in " + target->ClassName(), nameToken.Line);
        TObject* sub = (p->Kind == tkClass || p->Kind == tkComponent) ? p->GetObject(target) : nullptr;
        auto* component = As<TComponent>(sub);
        // Only objects that belong to the target are written into; a reference is not.
        if (!sub || (p->Kind == tkComponent && !(component && component->ComponentStyle().Contains(csSubComponent))))
            ErrorAt(L"Property " + parts[i] + L" of " + target->ClassName() + L" has no object to read into",
                    nameToken.Line);
        target = static_cast<TPersistent*>(As<TPersistent>(sub));
    }
    ReadPropValue(target, parts.back(), nameToken.Line);
}

void TReader::ReadPropValue(TPersistent* instance, const String& name, int line) {
    const TPropInfo* p = instance->PublishedTable().FindProperty(name);
    if (!p) {
        definedName_ = name;
        definedFound_ = false;
        Guarded(line, [&] { instance->DefineProperties(this); });
        definedName_.clear();
        if (!definedFound_) ErrorAt(L"Property " + name + L" does not exist in " + instance->ClassName(), line);
        return;
    }
    if (p->Kind != tkClass && !p->Writable) ErrorAt(L"Property " + name + L" is read-only", line);
    const TToken& v = lexer_->Peek();
    auto wrongKind = [&] {
        ErrorAt(L"Invalid value for property " + name + L": " + KindText(p->Kind) + L" expected", v.Line);
    };
    switch (p->Kind) {
        case tkInteger:
        case tkEnumeration:
        case tkSet:
        case tkBoolean:
            ReadOrdinalValue(instance, *p);
            break;
        case tkFloat: {
            if (!v.IsNumber()) wrongKind();
            TToken t = lexer_->Next();
            Extended value = t.Number();
            Guarded(t.Line, [&] { p->SetFloat(instance, value); });
            break;
        }
        case tkString: {
            if (v.Kind != ttString) wrongKind();
            TToken t = lexer_->Next();
            Guarded(t.Line, [&] { p->SetString(instance, t.Text); });
            break;
        }
        case tkClass: {
            auto* collection = As<TCollection>(p->GetObject(instance));
            if (!collection)
                ErrorAt(L"Property " + name + L" holds an object: give its properties as " + name + L".<name>", v.Line);
            if (!v.IsSymbol(L'<')) wrongKind();
            ReadCollection(collection);
            break;
        }
        case tkComponent: {
            if (v.Kind != ttIdent) wrongKind();
            TToken t = lexer_->Next();
            if (t.IsKeyword(L"nil"))
                Guarded(t.Line, [&] { p->SetObject(instance, nullptr); });
            else
                fixups_.push_back({instance, p, t.Text, t.Line, root_});
            break;
        }
        case tkMethod: {
            if (v.Kind != ttIdent) wrongKind();
            TToken t = lexer_->Next();
            const TMethodInfo* m = nullptr;
            if (!t.IsKeyword(L"nil")) {
                m = root_->PublishedTable().FindMethod(t.Text);
                if (!m) ErrorAt(L"Method " + t.Text + L" not found in " + root_->ClassName(), t.Line);
                if (m->EventType != p->EventType)
                    ErrorAt(L"Method " + t.Text + L" does not match event " + name, t.Line);
            }
            Guarded(t.Line, [&] { p->SetMethod(instance, m, root_); });
            break;
        }
    }
}

void TReader::ReadOrdinalValue(TPersistent* instance, const TPropInfo& p) {
    TToken t = lexer_->Next();
    auto wrong = [&] {
        ErrorAt(L"Invalid value for property " + p.Name + L": " + KindText(p.Kind) + L" expected", t.Line);
    };
    Int64 value = 0;
    switch (p.Kind) {
        case tkInteger:
            if (t.Kind == ttInteger)
                value = t.Integer;
            else if (!(t.Kind == ttIdent && p.Idents && p.Idents->IdentToInt(t.Text, value)))
                wrong();
            // $FF00000F fills the sign bit of a 32-bit colour, as the same constant does in code.
            if (t.Hex && p.MinValue < 0 && value > p.MaxValue && value <= p.MaxValue * 2 + 1)
                value -= (p.MaxValue + 1) * 2;
            if (value < p.MinValue || value > p.MaxValue)
                ErrorAt(L"Value " + std::to_wstring(value) + L" out of range for property " + p.Name, t.Line);
            break;
        case tkBoolean:
            if (t.IsKeyword(L"True"))
                value = 1;
            else if (!t.IsKeyword(L"False"))
                wrong();
            break;
        case tkEnumeration:
            if (t.Kind != ttIdent) wrong();
            value = p.EnumType->OrdinalOf(t.Text);
            if (value < 0) ErrorAt(L"Invalid value " + t.Text + L" for property " + p.Name, t.Line);
            break;
        case tkSet:
            if (!t.IsSymbol(L'[')) wrong();
            while (!lexer_->Peek().IsSymbol(L']')) {
                if (value != 0) Expect(L',');
                TToken member = ExpectIdent(L"A set member");
                int ordinal = p.EnumType->OrdinalOf(member.Text);
                if (ordinal < 0 || ordinal > 63)
                    ErrorAt(L"Invalid set member " + member.Text + L" for property " + p.Name, member.Line);
                if (value & (Int64(1) << ordinal)) ErrorAt(L"Set member " + member.Text + L" given twice", member.Line);
                value |= Int64(1) << ordinal;
            }
            lexer_->Next();
            break;
        default:
            wrong();
    }
    Guarded(t.Line, [&] { p.SetOrd(instance, value); });
}

void TReader::ReadCollection(TCollection* collection) {
    Expect(L'<');
    int line = lexer_->Peek().Line;
    collection->BeginUpdate();
    try {
        collection->Clear();
        while (!lexer_->Peek().IsSymbol(L'>')) {
            TToken start = lexer_->Next();
            if (!start.IsKeyword(L"item")) ErrorAt(L"'item' or '>' expected", start.Line);
            TCollectionItem* item = nullptr;
            Guarded(start.Line, [&] { item = collection->Add(); });
            for (;;) {
                const TToken& t = lexer_->Peek();
                if (t.Kind == ttEnd) ErrorAt(L"'end' of item expected", t.Line);
                if (t.IsKeyword(L"end") && !lexer_->Peek(1).IsSymbol(L'=')) break;
                ReadProperty(item);
            }
            lexer_->Next();
        }
        lexer_->Next();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    Guarded(line, [&] { collection->EndUpdate(); });
}

void TReader::DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool) {
    if (definedFound_ || definedName_.empty() || !readData || !SameText(name, definedName_)) return;
    definedFound_ = true;
    readData(this);
}

void TReader::DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc&, bool) {
    if (definedFound_ || definedName_.empty() || !readData || !SameText(name, definedName_)) return;
    definedFound_ = true;
    if (lexer_->Peek().Kind != ttBinary) Error(L"Invalid value for property " + name + L": binary data expected");
    TToken t = lexer_->Next();
    TMemoryStream data;
    if (!t.Bytes.empty()) data.WriteBuffer(t.Bytes.data(), Integer(t.Bytes.size()));
    data.SetPosition(0);
    Guarded(t.Line, [&] { readData(&data); });
}

// ---- TReader: values -----------------------------------------------------------------------

TValueType TReader::NextValue() {
    const TToken& t = lexer_->Peek();
    switch (t.Kind) {
        case ttInteger:
            return vaInt;
        case ttFloat:
            return vaExtended;
        case ttString:
            return vaString;
        case ttBinary:
            return vaBinary;
        case ttIdent:
            if (t.IsKeyword(L"True")) return vaTrue;
            if (t.IsKeyword(L"False")) return vaFalse;
            if (t.IsKeyword(L"nil")) return vaNil;
            return vaIdent;
        case ttSymbol:
            if (t.IsSymbol(L'(')) return vaList;
            if (t.IsSymbol(L'[')) return vaSet;
            if (t.IsSymbol(L'<')) return vaCollection;
            return vaNull;
        case ttEnd:
            return vaNull;
    }
    return vaNull;
}

Int64 TReader::ReadInt64() {
    if (lexer_->Peek().Kind != ttInteger) Error(L"Integer value expected");
    return lexer_->Next().Integer;
}

Integer TReader::ReadInteger() {
    int line = lexer_->Peek().Line;
    Int64 value = ReadInt64();
    if (value < INT32_MIN || value > INT32_MAX) ErrorAt(L"Integer value out of range", line);
    return Integer(value);
}

Extended TReader::ReadFloat() {
    TToken t = lexer_->Next();
    if (!t.IsNumber()) ErrorAt(L"Floating-point value expected", t.Line);
    return t.Number();
}

String TReader::ReadString() {
    TToken t = lexer_->Next();
    if (t.Kind != ttString) ErrorAt(L"String value expected", t.Line);
    return t.Text;
}

String TReader::ReadIdent() { return ExpectIdent(L"Identifier").Text; }

bool TReader::ReadBoolean() {
    TToken t = lexer_->Next();
    if (t.IsKeyword(L"True")) return true;
    if (!t.IsKeyword(L"False")) ErrorAt(L"True or False expected", t.Line);
    return false;
}

void TReader::ReadListBegin() { Expect(L'('); }
bool TReader::EndOfList() { return lexer_->Peek().IsSymbol(L')'); }
void TReader::ReadListEnd() { Expect(L')'); }

void TReader::SkipValue() {
    switch (NextValue()) {
        case vaList:
            ReadListBegin();
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            return;
        case vaSet:
            lexer_->Next();
            while (!lexer_->Peek().IsSymbol(L']')) {
                if (lexer_->Peek().Kind == ttEnd) Error(L"']' expected");
                lexer_->Next();
            }
            lexer_->Next();
            return;
        case vaCollection:
            lexer_->Next();
            while (!lexer_->Peek().IsSymbol(L'>')) {
                TToken start = lexer_->Next();
                if (!start.IsKeyword(L"item")) ErrorAt(L"'item' or '>' expected", start.Line);
                while (!(lexer_->Peek().IsKeyword(L"end") && !lexer_->Peek(1).IsSymbol(L'='))) {
                    ExpectIdent(L"A property name");
                    Expect(L'=');
                    SkipValue();
                }
                lexer_->Next();
            }
            lexer_->Next();
            return;
        case vaNull:
            Error(L"Value expected");
        default:
            lexer_->Next();
    }
}

// ---- TReader: references -------------------------------------------------------------------

TComponent* TReader::ResolveReference(TComponent* root, const String& name) {
    std::vector<String> parts = SplitPath(name);
    TComponent* c = root;
    for (const String& part : parts)
        if (c) c = c->FindComponent(part);
    if (c) return c;
    if (SameText(parts[0], root->Name())) {
        c = root;
        for (size_t i = 1; i < parts.size() && c; ++i) c = c->FindComponent(parts[i]);
        if (c) return c;
    }
    return FindGlobalComponent(name);
}

void TReader::ResolveFixups() {
    for (const TFixup& f : fixups_) {
        TComponent* c = ResolveReference(f.root, f.name);
        if (!c) ErrorAt(L"Component " + f.name + L" not found", f.line);
        if (!c->InheritsFrom(f.property->ClassType))
            ErrorAt(L"Invalid value for property " + f.property->Name + L": " + f.name + L" is not a " +
                        f.property->ClassType->ClassName(),
                    f.line);
        Guarded(f.line, [&] { f.property->SetObject(f.instance, c); });
    }
    fixups_.clear();
}

// ---- TWriter -------------------------------------------------------------------------------

TWriter::~TWriter() {
    try {
        FlushBuffer();
    } catch (...) {
        // A destructor cannot report; WriteRootComponent has flushed already in the normal case.
    }
}

void TWriter::FlushBuffer() {
    if (text_.empty()) return;
    String text = std::exchange(text_, String());
    text += L"\r\n";
    std::vector<Byte> bytes = EncodeUtf8(text);
    stream_->WriteBuffer(bytes.data(), Integer(bytes.size()));
}

void TWriter::WriteRootComponent(TComponent* root) {
    root_ = root;
    WriteComponent(root);
    FlushBuffer();
}

void TWriter::WriteComponent(TComponent* component) {
    component->SetStateFlag(csWriting, true);
    try {
        component->WriteState(this);
    } catch (...) {
        component->SetStateFlag(csWriting, false);
        throw;
    }
    component->SetStateFlag(csWriting, false);
}

void TWriter::WriteData(TComponent* instance) {
    NewLine();
    text_ += L"object ";
    if (!instance->Name().empty()) text_ += instance->Name() + L": ";
    text_ += instance->ClassName();
    ++indent_;
    WriteProperties(instance, L"");
    instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    --indent_;
    NewLine();
    text_ += L"end";
}

void TWriter::WriteProperties(TPersistent* instance, const String& prefix) {
    for (const TPropInfo* p : instance->PublishedTable().Properties())
        if (p->IsStored(instance)) WriteProperty(instance, *p, prefix);
    String outer = std::exchange(prefix_, prefix);
    instance->DefineProperties(this);
    prefix_ = outer;
}

void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& p, const String& prefix) {
    String path = prefix + p.Name;
    switch (p.Kind) {
        case tkClass: {
            TObject* sub = p.GetObject(instance);
            if (auto* collection = As<TCollection>(sub)) {
                if (collection->Count() == 0) return;
                BeginProperty(path);
                WriteCollection(collection);
            } else if (auto* persistent = As<TPersistent>(sub)) {
                WriteProperties(persistent, path + L".");
            }
            return;
        }
        case tkComponent: {
            auto* c = As<TComponent>(p.GetObject(instance));
            if (!c) return;
            if (c->ComponentStyle().Contains(csSubComponent) && c->GetOwner() == instance) {
                WriteProperties(c, path + L".");
                return;
            }
            if (!p.Writable) return;
            BeginProperty(path);
            WriteIdent(ReferenceName(c));
            return;
        }
        case tkMethod: {
            if (!p.Writable || !p.MethodAssigned(instance)) return;
            // Only handlers that are published methods of the root can be written; others were
            // assigned in code and are assigned again by code.
            for (const TMethodInfo* m : root_->PublishedTable().Methods())
                if (m->EventType == p.EventType && p.MethodIs(instance, *m, root_)) {
                    BeginProperty(path);
                    WriteIdent(m->Name);
                    return;
                }
            return;
        }
        default:
            break;
    }
    // A value that could not be read back is not written.
    if (!p.Writable || p.IsDefault(instance)) return;
    BeginProperty(path);
    switch (p.Kind) {
        case tkInteger: {
            Int64 value = p.GetOrd(instance);
            String ident;
            if (p.Idents && p.Idents->IntToIdent(value, ident))
                WriteIdent(ident);
            else
                WriteInteger(value);
            break;
        }
        case tkBoolean:
            WriteBoolean(p.GetOrd(instance) != 0);
            break;
        case tkEnumeration: {
            Int64 value = p.GetOrd(instance);
            String ident = p.EnumType->NameOf(value);
            if (ident.empty())
                throw EWriteError(L"Value " + std::to_wstring(value) + L" of property " + p.Name +
                                  L" is not a member of " + p.EnumType->Name());
            WriteIdent(ident);
            break;
        }
        case tkSet: {
            BeginValue();
            UInt64 bits = UInt64(p.GetOrd(instance));
            text_ += L'[';
            bool first = true;
            for (int i = 0; i < 64; ++i)
                if (bits & (UInt64(1) << i)) {
                    String member = p.EnumType->NameOf(i);
                    if (member.empty())
                        throw EWriteError(L"Property " + p.Name + L" holds a member outside " + p.EnumType->Name());
                    if (!first) text_ += L", ";
                    text_ += member;
                    first = false;
                }
            text_ += L']';
            break;
        }
        case tkFloat:
            BeginValue();
            text_ += FormatFloatValue(double(p.GetFloat(instance)), p.FloatType == ftSingle);
            break;
        case tkString:
            WriteString(p.GetString(instance));
            break;
        default:
            break;
    }
}

String TWriter::ReferenceName(TComponent* component) const {
    // The owner chain up to the root, or up to the top owner for a component of another form.
    String path;
    for (TComponent* c = component; c; c = c->Owner()) {
        if (c->Name().empty()) throw EWriteError(L"Cannot write a reference to an unnamed " + c->ClassName());
        if (c == root_ && c != component) break;
        path = path.empty() ? c->Name() : c->Name() + L"." + path;
    }
    return path;
}

void TWriter::NewLine() {
    if (!text_.empty()) text_ += L"\r\n";
    text_.append(size_t(indent_) * 2, L' ');
}

void TWriter::BeginProperty(const String& name) {
    NewLine();
    text_ += name + L" = ";
}

void TWriter::BeginValue() {
    if (!listFirst_.empty()) {
        listFirst_.back() = false;
        NewLine();
    } else if (!text_.empty() && text_.back() != L' ' && text_.back() != L'\n') {
        text_ += L' ';  // values written one after another
    }
}

void TWriter::WriteInteger(Int64 value) {
    BeginValue();
    text_ += std::to_wstring(value);
}

void TWriter::WriteFloat(Extended value) {
    BeginValue();
    text_ += FormatFloatValue(double(value), false);
}

void TWriter::WriteString(const String& value) {
    BeginValue();
    text_ += QuoteString(value);
}

void TWriter::WriteIdent(const String& ident) {
    BeginValue();
    text_ += ident;
}

void TWriter::WriteBoolean(bool value) { WriteIdent(value ? L"True" : L"False"); }

void TWriter::WriteListBegin() {
    BeginValue();
    text_ += L'(';
    ++indent_;
    listFirst_.push_back(true);
}

void TWriter::WriteListEnd() {
    listFirst_.pop_back();
    --indent_;
    text_ += L')';
}

void TWriter::WriteBinary(const TBytes& bytes) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    BeginValue();
    text_ += L'{';
    ++indent_;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0) NewLine();
        text_ += digits[bytes[i] >> 4];
        text_ += digits[bytes[i] & 15];
    }
    --indent_;
    text_ += L'}';
}

void TWriter::WriteCollection(TCollection* collection) {
    BeginValue();
    std::vector<bool> outerLists = std::exchange(listFirst_, {});
    text_ += L'<';
    ++indent_;
    for (int i = 0; i < collection->Count(); ++i) {
        NewLine();
        text_ += L"item";
        ++indent_;
        WriteProperties(collection->Items(i), L"");
        --indent_;
        NewLine();
        text_ += L"end";
    }
    --indent_;
    text_ += L'>';
    listFirst_ = std::move(outerLists);
}

void TWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    BeginProperty(prefix_ + name);
    std::vector<bool> outerLists = std::exchange(listFirst_, {});
    writeData(this);
    listFirst_ = std::move(outerLists);
}

void TWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData, bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream data;
    writeData(&data);
    BeginProperty(prefix_ + name);
    std::vector<bool> outerLists = std::exchange(listFirst_, {});
    WriteBinary(StreamBytes(&data));
    listFirst_ = std::move(outerLists);
}
