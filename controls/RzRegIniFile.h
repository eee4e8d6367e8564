#pragma once
// The description of a settings store (an INI file or a registry key). It carries only its
// configuration; a change marks the store for re-creation on next use.

#include "Component.h"
#include "RzCommon.h"

class TRzRegIniFile : public TComponent {
    Z_CLASS(TRzRegIniFile, TComponent)
    Z_PUBLISHED {
        p.Property(L"Path", &TRzRegIniFile::Path, &TRzRegIniFile::SetPath);
        p.Property(L"PathType", &TRzRegIniFile::PathType, &TRzRegIniFile::SetPathType).Default(ptIniFile);
        p.Property(L"RegKey", &TRzRegIniFile::RegKey, &TRzRegIniFile::SetRegKey).Default(hkeyCurrentUser);
        p.Property(L"RegAccess", &TRzRegIniFile::RegAccess, &TRzRegIniFile::SetRegAccess)
            .Default(TRzRegAccess{keyAllAccess});
        p.Property(L"SpecialFolder", &TRzRegIniFile::SpecialFolder, &TRzRegIniFile::SetSpecialFolder).Default(sfNone);
        p.Property(L"FileEncoding", &TRzRegIniFile::FileEncoding, &TRzRegIniFile::SetFileEncoding).Default(feDefault);
    }

public:
    explicit TRzRegIniFile(TComponent* owner) : TComponent(owner) {}

    const String& Path() const { return path_; }
    virtual void SetPath(const String& value) { Change(path_, value); }
    TRzPathType PathType() const { return pathType_; }
    virtual void SetPathType(TRzPathType value) { Change(pathType_, value); }
    TRzRegKey RegKey() const { return regKey_; }
    virtual void SetRegKey(TRzRegKey value) { Change(regKey_, value); }
    TRzRegAccess RegAccess() const { return regAccess_; }
    virtual void SetRegAccess(TRzRegAccess value) { Change(regAccess_, value); }
    TRzSpecialFolder SpecialFolder() const { return specialFolder_; }
    virtual void SetSpecialFolder(TRzSpecialFolder value) { Change(specialFolder_, value); }
    TRzIniFileEncoding FileEncoding() const { return fileEncoding_; }
    virtual void SetFileEncoding(TRzIniFileEncoding value) { Change(fileEncoding_, value); }

    // Set by every change: the store must be made again before it is used.
    bool NeedsRecreate() const { return recreate_; }

private:
    template <class T>
    void Change(T& field, const T& value) {
        if (AssignIfChanged(field, value)) recreate_ = true;
    }

    String path_;
    TRzPathType pathType_ = ptIniFile;
    TRzRegKey regKey_ = hkeyCurrentUser;
    TRzRegAccess regAccess_{keyAllAccess};
    TRzSpecialFolder specialFolder_ = sfNone;
    TRzIniFileEncoding fileEncoding_ = feDefault;
    bool recreate_ = true;
};
