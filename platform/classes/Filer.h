#pragma once
// TFiler, TReader and TWriter: reading and writing component trees as form descriptions (the
// text format of docs/FORM-DESCRIPTIONS.md).
//
// Sections: TFiler and defined properties · TReader · TWriter.
//
// A class streams data that is not a published property by overriding DefineProperties:
//
//     void TImageStrip::DefineProperties(TFiler* filer) {
//         inherited::DefineProperties(filer);
//         filer->DefineBinaryProperty(L"Bits", [this](TStream* s) { ReadBits(s); },
//                                     [this](TStream* s) { WriteBits(s); }, !bits_.empty());
//         filer->DefineProperty(L"Version", [this](TReader* r) { version_ = r->ReadInteger(); },
//                               [this](TWriter* w) { w->WriteInteger(version_); }, version_ != 0);
//     }
//
// The reader calls DefineProperties when it meets a name that is not published and runs the
// read procedure of the matching definition; the writer runs each write procedure whose hasData
// is true.

#include <functional>
#include <memory>
#include <vector>

#include "Component.h"
#include "Streams.h"

class TCollection;
class TFormDescriptionLexer;
struct TToken;

using TReaderProc = std::function<void(TReader* reader)>;
using TWriterProc = std::function<void(TWriter* writer)>;
using TStreamProc = std::function<void(TStream* stream)>;

// ---- TFiler --------------------------------------------------------------------------------

class TFiler : public TObject {
    Z_CLASS(TFiler, TObject)
public:
    explicit TFiler(TStream* stream) : stream_(stream) {}

    TStream* Stream() const { return stream_; }
    TComponent* Root() const { return root_; }
    // A component that reads its own part against another root (a scene reading as its owning
    // form) sets it here and restores it afterwards; references and events read meanwhile
    // resolve against that root.
    void SetRoot(TComponent* root) { root_ = root; }
    // The object a description is compared against to write only differences; forms here never
    // inherit, so it is always null and every stored value is written.
    TPersistent* Ancestor() const { return nullptr; }

    // A property read and written through the filer's value routines.
    virtual void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                                bool hasData) = 0;
    // A property of raw bytes, given to the procedures as a memory stream (written as hexadecimal).
    virtual void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                                      bool hasData) = 0;

protected:
    TStream* stream_;
    TComponent* root_ = nullptr;
};

// ---- TReader -------------------------------------------------------------------------------

enum TValueType {
    vaNull,
    vaList,
    vaInt,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaNil,
    vaCollection
};

// Reads one description from the stream's position to its end. Every fault raises EReadError
// whose message ends with " at line n"; a failed read frees every component it created.
class TReader : public TFiler {
    Z_CLASS(TReader, TFiler)
public:
    explicit TReader(TStream* stream);
    ~TReader() override;

    // Reads a whole description into root, or, when root is null, creates the root from the
    // registered class the description names. Components are created under their owners,
    // properties set, references resolved, events bound to root's published methods; then
    // Loaded runs on root and every created component in creation order. The root joins the
    // global roots. Returns the root.
    TComponent* ReadRootComponent(TComponent* root);

    // Reads instance's properties and then its child components, up to its "end". Called from
    // TComponent::ReadState.
    void ReadData(TComponent* instance);

    // Owner and parent of the components being read at this level.
    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }

    // Value routines for defined properties.
    TValueType NextValue();
    Integer ReadInteger();
    Int64 ReadInt64();
    Extended ReadFloat();
    String ReadString();
    String ReadIdent();
    bool ReadBoolean();
    void ReadListBegin();  // "("
    bool EndOfList();      // at ")"
    void ReadListEnd();
    void SkipValue();
    // Reads a "<item ... end ...>" value into collection, replacing its items.
    void ReadCollection(TCollection* collection);

    // Raises EReadError with message and " at line n" for the current position.
    [[noreturn]] void Error(const String& message);

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

private:
    struct TFixup {
        TPersistent* instance;
        const TPropInfo* property;
        String name;
        int line;
        TComponent* root;  // the root at the time of reading
    };

    std::pair<String, String> ReadHeader();
    TComponent* ReadComponent(TComponent* parentInstance);
    void ReadProperty(TPersistent* instance);
    void ReadPropValue(TPersistent* instance, const String& name, int line);
    void ReadOrdinalValue(TPersistent* instance, const TPropInfo& p);
    static TComponent* ResolveReference(TComponent* root, const String& name);
    void ResolveFixups();
    void FreeCreated();
    TToken Expect(wchar_t symbol);
    TToken ExpectIdent(const wchar_t* what);
    [[noreturn]] void ErrorAt(const String& message, int line);
    template <class F>
    void Guarded(int line, F&& action);

    std::unique_ptr<TFormDescriptionLexer> lexer_;
    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    std::vector<TComponent*> created_;  // in creation order
    std::vector<TComponent*> loaded_;   // root first, then created_
    std::vector<TFixup> fixups_;
    // The defined property being looked for, and whether DefineProperties offered it.
    String definedName_;
    bool definedFound_ = false;
};

// ---- TWriter -------------------------------------------------------------------------------

// Writes descriptions as UTF-8 text to the stream: the stored, non-default published properties
// of each component, its defined properties, then its children. The value routines may also be
// used on their own to write a sequence of values that a TReader reads back; the text reaches the
// stream when WriteRootComponent ends, at FlushBuffer, or when the writer is freed.
class TWriter : public TFiler {
    Z_CLASS(TWriter, TFiler)
public:
    explicit TWriter(TStream* stream) : TFiler(stream) {}
    ~TWriter() override;

    void WriteRootComponent(TComponent* root);
    void WriteComponent(TComponent* component);
    // The properties and children of instance. Called from TComponent::WriteState.
    void WriteData(TComponent* instance);
    // Moves the text written so far to the stream.
    void FlushBuffer();

    // Value routines for defined properties.
    void WriteInteger(Int64 value);
    void WriteFloat(Extended value);
    void WriteString(const String& value);
    void WriteIdent(const String& ident);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteCollection(TCollection* collection);

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

private:
    void WriteProperties(TPersistent* instance, const String& prefix);
    void WriteProperty(TPersistent* instance, const TPropInfo& p, const String& prefix);
    void BeginProperty(const String& name);
    void BeginValue();
    void NewLine();
    void WriteBinary(const TBytes& bytes);
    String ReferenceName(TComponent* component) const;

    String text_;
    int indent_ = 0;
    // Inside a list, each value starts its own line.
    std::vector<bool> listFirst_;
    String prefix_;  // path of the sub-object whose defined properties are being written
};
