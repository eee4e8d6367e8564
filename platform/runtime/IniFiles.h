#pragma once
// INI files: the abstract TCustomIniFile, TIniFile over the system's profile functions, and
// TMemIniFile, which holds the whole file in memory and writes it on UpdateFile.
//
// Typed values are text: integers in decimal (read also as "0x" hexadecimal), Booleans as "1"
// and "0" (any other integer reads as true), floats in the user's decimal separator, binary data
// as upper-case hexadecimal. A value that is missing or does not parse reads as the default.

#include <memory>
#include <vector>

#include "StringList.h"

class TStream;

Z_EXCEPTION(EIniFileException, Exception)

class TCustomIniFile : public TObject {
    Z_CLASS(TCustomIniFile, TObject)
public:
    explicit TCustomIniFile(const String& fileName) : fileName_(fileName) {}
    const String& FileName() const { return fileName_; }

    virtual String ReadString(const String& section, const String& ident, const String& defaultValue) = 0;
    // Raises EIniFileException when the value cannot be stored.
    virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
    virtual Integer ReadInteger(const String& section, const String& ident, Integer defaultValue);
    virtual void WriteInteger(const String& section, const String& ident, Integer value);
    virtual bool ReadBool(const String& section, const String& ident, bool defaultValue);
    virtual void WriteBool(const String& section, const String& ident, bool value);
    // In the user's decimal separator; a value written with '.' under another separator still
    // reads, so a file moved between machines keeps its numbers.
    virtual Double ReadFloat(const String& section, const String& ident, Double defaultValue);
    virtual void WriteFloat(const String& section, const String& ident, Double value);
    // Hexadecimal text of the stream's bytes. Reading appends the bytes at the stream's position
    // and returns their number (0 when the value is missing or not hexadecimal).
    virtual Integer ReadBinaryStream(const String& section, const String& ident, TStream* value);
    virtual void WriteBinaryStream(const String& section, const String& ident, TStream* value);

    // The names of the keys of a section, of the sections, and a section's name=value lines;
    // each replaces the list's content.
    virtual void ReadSection(const String& section, TStrings* strings) = 0;
    virtual void ReadSections(TStrings* strings) = 0;
    virtual void ReadSectionValues(const String& section, TStrings* strings) = 0;
    bool SectionExists(const String& section);
    virtual bool ValueExists(const String& section, const String& ident);
    virtual void EraseSection(const String& section) = 0;
    virtual void DeleteKey(const String& section, const String& ident) = 0;
    // Makes sure what was written is in the file.
    virtual void UpdateFile() = 0;

protected:
    String fileName_;
};

// Each call reads or writes one key in the file at once. The file name is made absolute first:
// given a bare name, the profile functions would use the Windows folder.
class TIniFile : public TCustomIniFile {
    Z_CLASS(TIniFile, TCustomIniFile)
public:
    explicit TIniFile(const String& fileName);
    ~TIniFile() override;

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    void UpdateFile() override;
};

// The whole file in memory: reads and writes touch only memory until UpdateFile writes the file.
// With an empty file name it is a store of its own, never written. Section and key names are
// compared without letter case; lines beginning with ';' are comments and are dropped.
class TMemIniFile : public TCustomIniFile {
    Z_CLASS(TMemIniFile, TCustomIniFile)
public:
    explicit TMemIniFile(const String& fileName);
    ~TMemIniFile() override;

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    void UpdateFile() override;  // raises EFCreateError when the file cannot be written

    void Clear();
    // The whole content as lines of an INI file, and back.
    void GetStrings(TStrings* list);
    void SetStrings(const TStrings* list);
    // Switches to another file; with reload its content replaces what is in memory.
    void Rename(const String& fileName, bool reload);

private:
    struct TSection {
        String name;
        std::unique_ptr<TStringList> values;
    };
    TStringList* FindSection(const String& section) const;
    TStringList* AddSection(const String& section);
    void LoadValues();
    std::vector<TSection> sections_;
};
