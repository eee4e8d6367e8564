#pragma once
// The places bar of the open and save dialogs: up to five folders from the system's places
// policy, or the five usual special folders when no policy is set.

#include <memory>
#include <vector>

#include "SysObject.h"
#include "SysTypes.h"

constexpr Byte kRzPlaceIsPath = 50;  // SpecialFolder of a place given by path

class TRzPlaceData : public TObject {
    Z_CLASS(TRzPlaceData, TObject)
public:
    // A special folder (CSIDL): its in-folder name (or its plain one) and its icon.
    static std::unique_ptr<TRzPlaceData> CreateForFolder(Integer folder);
    // A path with environment variables expanded: its last part as the caption (a drive root
    // shows the drive's name) and its icon.
    static std::unique_ptr<TRzPlaceData> CreateForPath(const String& path);

    Byte SpecialFolder = kRzPlaceIsPath;
    String Caption;
    String Path;
    Integer ImageIndex = 0;
};

using TRzPlaces = std::vector<std::unique_ptr<TRzPlaceData>>;

// The policy key under the current user's root.
extern const wchar_t* const kRzPlacesPolicyKey;

// Reads "Place0" .. "Place4" of the policy key in order (a missing value leaves no gap; a value
// neither text nor number raises the registry's data-type error); without the key, the recent
// documents, desktop, documents, computer and network.
TRzPlaces LoadPlaces();
