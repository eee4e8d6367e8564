// Typed file names of the open and save dialogs.

#include "RzShellNames.h"

#include <windows.h>

#include "Format.h"
#include "SysUtils.h"

const wchar_t* const SRzFileNotFound = L"%s\nFile not found.\nPlease verify the correct file name was given.";
const wchar_t* const SRzCreatePrompt = L"%s\nThis file does not exist.\n\nCreate the file?";
const wchar_t* const SRzReadOnlyExists =
    L"%s\nThis file exists with Read Only attributes.\nPlease use a different file name.";
const wchar_t* const SRzOverwritePrompt = L"%s already exists.\nDo you want to replace it?";
const wchar_t* const SRzDuplicateName =
    L"More than one file has the name '%s'.\n\nChoose one from the list of files.";
const wchar_t* const SRzInvalidFileName = L"%s\nThe above file name is invalid.";

TRzPathKind ClassifyPath(const String& name) {
    if (name.empty()) return pkEmpty;
    if (name.size() >= 2 && name[1] == L':') return pkDriveBased;
    if (name.size() > 2 && name[0] == L'\\' && name[1] == L'\\') return pkUNC;
    if (name[0] != L'\\') return pkRelative;
    return pkRootRelative;
}

namespace {

// Length of the part of a full folder name that ".." never leaves: "C:" or "\\server\share".
std::size_t RootLength(const String& folder) {
    switch (ClassifyPath(folder)) {
    case pkDriveBased: return 2;
    case pkUNC: {
        std::size_t server = folder.find(L'\\', 2);
        if (server == String::npos) return folder.size();
        std::size_t share = folder.find(L'\\', server + 1);
        return share == String::npos ? folder.size() : share;
    }
    default: return 0;
    }
}

std::vector<String> SplitAtBackslashes(const String& text) {
    std::vector<String> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\\', start);
        if (end == String::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool OnlyDots(const String& part) { return part.find_first_not_of(L'.') == String::npos; }

String CombineRelative(const String& folder, const String& typed) {
    const std::size_t rootLength = RootLength(folder);
    const String root = folder.substr(0, rootLength);
    std::vector<String> parts = SplitAtBackslashes(folder.substr(rootLength));
    for (const String& part : SplitAtBackslashes(typed)) {
        if (OnlyDots(part)) {
            for (std::size_t up = part.size() - 1; up > 0 && !parts.empty(); --up) parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    String result = root;
    for (const String& part : parts) result += (result.empty() ? L"" : L"\\") + part;
    // A drive alone names the drive's current folder: its root is meant.
    if (result.size() == 2 && result[1] == L':') result += L'\\';
    return result;
}

}  // namespace

String CombinePath(const String& folderIn, const String& typed) {
    String folder = folderIn;
    if (folder.size() > 2 && folder.back() == L'\\') folder.pop_back();
    switch (ClassifyPath(typed)) {
    case pkEmpty: return String();
    case pkUNC: return typed;
    case pkDriveBased: return typed.size() == 2 ? typed + L'\\' : typed;
    case pkRootRelative: {
        // Resolved from the root like a relative name, so "\\x" or "\..\x" stay under it.
        const TRzPathKind kind = ClassifyPath(folder);
        if (kind == pkDriveBased || kind == pkUNC) return CombineRelative(folder.substr(0, RootLength(folder)), typed);
        return typed;
    }
    case pkRelative: return CombineRelative(folder, typed);
    }
    return typed;
}

namespace {

String TrimNameEnd(String name) {
    while (!name.empty() && name.back() <= L' ') name.pop_back();
    return name;
}

}  // namespace

std::vector<String> SplitQuotedNames(const String& text) {
    enum { betweenNames, unquoted, quoted } state = betweenNames;
    std::vector<String> names;
    String current;
    auto finish = [&] {
        String name = TrimNameEnd(current);
        if (!name.empty()) names.push_back(name);
        current.clear();
    };
    for (wchar_t c : text) {
        switch (state) {
        case betweenNames:
            if (c == L' ' || c == L'\t') break;
            if (c == L'"') {
                state = quoted;
            } else {
                current += c;
                state = unquoted;
            }
            break;
        case unquoted:
            if (c == L'"') {
                finish();
                state = quoted;
            } else {
                current += c;
            }
            break;
        case quoted:
            if (c == L'"') {
                finish();
                state = betweenNames;
            } else {
                current += c;
            }
            break;
        }
    }
    finish();
    return names;
}

bool IsValidFileName(const String& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'/' || c == L'<' || c == L'>' || c == L'|') return false;
        if (i >= 2 && c == L'\\' && text[i - 1] == L'\\') return false;
    }
    return true;
}

String NamePart(const String& text) {
    const std::size_t cut = text.find_last_of(L"\\:");
    return cut == String::npos ? text : text.substr(cut + 1);
}

String FolderPart(const String& text) {
    const std::size_t cut = text.find_last_of(L"\\:");
    return cut == String::npos ? String() : text.substr(0, cut + 1);
}

bool HasWildcard(const String& text) { return NamePart(text).find_first_of(L"*?") != String::npos; }

String MaskExtension(const String& mask) {
    const String first = mask.substr(0, mask.find(L';'));
    const String extension = ExtractFileExt(first);
    if (extension.size() < 2 || extension.find_first_of(L"*?") != String::npos) return String();
    return extension;
}

String ApplyDefaultExtension(const String& name, const String& defaultExt, const String& typeExtension,
                             bool& extensionDifferent) {
    auto withExtension = [&](const String& extension) {  // extension without its dot
        return (!name.empty() && name.back() == L'.' ? name : name + L'.') + extension;
    };
    if (!typeExtension.empty()) {
        if (SameText(ExtractFileExt(name), typeExtension)) return name;
        extensionDifferent = !SameText(typeExtension, L"." + defaultExt);
        return withExtension(typeExtension.substr(1));
    }
    extensionDifferent = false;
    return withExtension(defaultExt);
}

bool IsRegisteredExtension(const String& extension) {
    HKEY key = nullptr;
    if (extension.size() < 2 || RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

String CheckDefaultExtension(const String& name, const String& defaultExt, const String& typeExtension,
                             bool& extensionDifferent) {
    if (defaultExt.empty()) return name;
    const String extension = ExtractFileExt(name);
    if (extension.size() > 1 && IsRegisteredExtension(extension)) {
        extensionDifferent = true;
        return name;
    }
    return ApplyDefaultExtension(name, defaultExt, typeExtension, extensionDifferent);
}

bool CheckFile(const String& fullName, TRzOpenSaveOptions options, const TRzDialogMessage& message) {
    const DWORD attributes = GetFileAttributesW(fullName.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (exists) {
        if ((attributes & FILE_ATTRIBUTE_READONLY) && options.Contains(osoNoReadOnlyReturn)) {
            message(Format(SRzReadOnlyExists, {fullName}), mtWarning, TMsgDlgButtons{mbOK});
            return false;
        }
        if (options.Contains(osoOverwritePrompt))
            return message(Format(SRzOverwritePrompt, {fullName}), mtWarning, TMsgDlgButtons{mbYes, mbNo}) == mrYes;
        return true;
    }
    if (options.Contains(osoFileMustExist)) {
        message(Format(SRzFileNotFound, {fullName}), mtWarning, TMsgDlgButtons{mbOK});
        return false;
    }
    if (options.Contains(osoCreatePrompt))
        return message(Format(SRzCreatePrompt, {NamePart(fullName)}), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) ==
               mrYes;
    return true;
}
