// The places bar's folders.

#include "RzShellPlaces.h"

#include <shlobj.h>

#include "Registry.h"
#include "RzShellUtils.h"
#include "SysUtils.h"

const wchar_t* const kRzPlacesPolicyKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\Placesbar";

std::unique_ptr<TRzPlaceData> TRzPlaceData::CreateForFolder(Integer folder) {
    auto place = std::make_unique<TRzPlaceData>();
    place->SpecialFolder = Byte(folder);
    PItemIDList pidl = nullptr;
    if (SUCCEEDED(GetSpecialFolderPidl(nullptr, folder, pidl)) && pidl) {
        place->Caption = GetAbsolutePidlDisplayName(pidl);
        if (place->Caption.empty()) place->Caption = GetPidlDisplayName(nullptr, pidl, snkNormal);
        place->ImageIndex = GetPidlIconIndex(pidl, SHGFI_LARGEICON);
        ShellMemFree(pidl);
    }
    return place;
}

std::unique_ptr<TRzPlaceData> TRzPlaceData::CreateForPath(const String& path) {
    auto place = std::make_unique<TRzPlaceData>();
    wchar_t expanded[32768];
    DWORD length = ExpandEnvironmentStringsW(path.c_str(), expanded, DWORD(std::size(expanded)));
    place->Path = length > 0 && length <= std::size(expanded) ? String(expanded) : path;
    if (place->Path.size() > 3) {
        place->Caption = ExtractFileName(ExcludeTrailingPathDelimiter(place->Path));
    } else {
        PItemIDList pidl = nullptr;
        if (SUCCEEDED(PathToPidl(place->Path, pidl)) && pidl) {
            place->Caption = GetPidlDisplayName(nullptr, pidl, snkNormal);
            ShellMemFree(pidl);
        }
        if (place->Caption.empty()) place->Caption = place->Path;
    }
    place->ImageIndex = GetPathIconIndex(place->Path, SHGFI_LARGEICON);
    return place;
}

TRzPlaces LoadPlaces() {
    TRzPlaces places;
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.OpenKeyReadOnly(kRzPlacesPolicyKey)) {
        for (Integer folder : {CSIDL_RECENT, CSIDL_DESKTOP, CSIDL_PERSONAL, CSIDL_DRIVES, CSIDL_NETWORK})
            places.push_back(TRzPlaceData::CreateForFolder(folder));
        return places;
    }
    for (int n = 0; n < 5; ++n) {
        const String name = L"Place" + std::to_wstring(n);
        if (!registry.ValueExists(name)) continue;
        const TRegDataType type = registry.GetDataType(name);
        if (type == rdString || type == rdExpandString)
            places.push_back(TRzPlaceData::CreateForPath(registry.ReadString(name)));
        else
            places.push_back(TRzPlaceData::CreateForFolder(registry.ReadInteger(name)));
    }
    return places;
}
