#pragma once
// The registry: TRegistry opens keys and reads and writes typed values; TRegistryIniFile is an
// INI file whose sections are keys and whose entries are values.
//
// Key paths are written with backslashes. A path that starts with "\" is taken from the root key
// (HKEY_CURRENT_USER unless RootKey says otherwise); any other path is taken from the key that
// is open.

#include "IniFiles.h"

Z_EXCEPTION(ERegistryException, Exception)

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
    Z_CLASS(TRegistry, TObject)
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}
    ~TRegistry() override { CloseKey(); }

    HKEY RootKey() const { return rootKey_; }
    // Closes the open key.
    void SetRootKey(HKEY value);
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM value) { access_ = value; }
    HKEY CurrentKey() const { return currentKey_; }
    // The open key's path from the root, without a leading backslash; empty when none is open.
    const String& CurrentPath() const { return currentPath_; }

    // Opens the key (created when missing and canCreate); false when it cannot be opened.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);
    void CloseKey();
    // Creates the key without opening it; false when it cannot be made.
    bool CreateKey(const String& key);
    // Deletes the key and everything below it; false when it could not be deleted.
    bool DeleteKey(const String& key);
    bool KeyExists(const String& key);

    // The open key's values and sub-keys. Each raises ERegistryException without an open key.
    bool ValueExists(const String& name);
    bool DeleteValue(const String& name);
    void GetKeyNames(TStrings* strings);
    void GetValueNames(TStrings* strings);
    // rdUnknown for a missing value or a type this class does not read.
    TRegDataType GetDataType(const String& name);
    // The size of the value's data in bytes; -1 when missing.
    int GetDataSize(const String& name);

    // Reading a value of another type raises ERegistryException "Invalid data type for '<name>'";
    // a missing string reads as empty, a missing number or binary raises "Failed to get data for
    // '<name>'". Writing that fails raises "Failed to set data for '<name>'".
    String ReadString(const String& name);
    void WriteString(const String& name, const String& value);
    void WriteExpandString(const String& name, const String& value);
    Integer ReadInteger(const String& name);
    void WriteInteger(const String& name, Integer value);
    bool ReadBool(const String& name) { return ReadInteger(name) != 0; }
    void WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // Copies up to size bytes of a binary value into buffer and returns the value's size.
    int ReadBinaryData(const String& name, void* buffer, int size);
    void WriteBinaryData(const String& name, const void* buffer, int size);

private:
    // The full path of key from the root (without leading or trailing backslashes).
    String FullPath(const String& key) const;
    HKEY RequireKey() const;
    DWORD QueryType(const String& name, DWORD* size) const;
    void PutData(const String& name, DWORD type, const void* data, DWORD size);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    REGSAM access_;
    HKEY currentKey_ = nullptr;
    String currentPath_;
};

// An INI file in the registry: the file name is a key path from the root, each section a key
// below it (or, written with a leading "\", a key path from the root), each entry a value.
// Integers and Booleans are stored as numbers, binary streams as binary data, the rest as
// strings; a number or string reads back as either.
class TRegistryIniFile : public TCustomIniFile {
    Z_CLASS(TRegistryIniFile, TCustomIniFile)
public:
    explicit TRegistryIniFile(const String& fileName, REGSAM access = KEY_ALL_ACCESS);
    TRegistry* RegIniFile() { return &registry_; }

    String ReadString(const String& section, const String& ident, const String& defaultValue) override;
    void WriteString(const String& section, const String& ident, const String& value) override;
    Integer ReadInteger(const String& section, const String& ident, Integer defaultValue) override;
    void WriteInteger(const String& section, const String& ident, Integer value) override;
    void WriteBool(const String& section, const String& ident, bool value) override;
    Integer ReadBinaryStream(const String& section, const String& ident, TStream* value) override;
    void WriteBinaryStream(const String& section, const String& ident, TStream* value) override;
    void ReadSection(const String& section, TStrings* strings) override;
    void ReadSections(TStrings* strings) override;
    void ReadSectionValues(const String& section, TStrings* strings) override;
    bool ValueExists(const String& section, const String& ident) override;
    void EraseSection(const String& section) override;
    void DeleteKey(const String& section, const String& ident) override;
    // The registry keeps what is written at once.
    void UpdateFile() override {}

private:
    String SectionKey(const String& section) const;
    // Opens the section's key for reading (false when missing) or for writing (created).
    bool OpenSection(const String& section, bool forWriting);

    TRegistry registry_;
};
