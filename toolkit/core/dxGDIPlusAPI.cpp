// Sections: bound functions · loading · encoders and checks · units' start-up.

#include "dxGDIPlusAPI.h"

#include "SysExceptions.h"
#include "SysUtils.h"
#include "dxUnitsLoader.h"

// ---- bound functions -----------------------------------------------------------------------

#define DX_GDIPLUS_DEFINE(Name, Result, Params) T##Name Name = nullptr;
DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_DEFINE)
#undef DX_GDIPLUS_DEFINE

namespace {

struct TGdipEntry {
    const char* name;
    void** slot;
};

#define DX_GDIPLUS_ENTRY(Name, Result, Params) {#Name, reinterpret_cast<void**>(&Name)},
const TGdipEntry gdipEntries[] = {DX_GDIPLUS_FUNCTIONS(DX_GDIPLUS_ENTRY)};
#undef DX_GDIPLUS_ENTRY

HMODULE gdiPlusLibrary = nullptr;
bool usable = false;
ULONG_PTR startupToken = 0;
ULONG_PTR hookToken = 0;
GdiplusStartupOutput startupOutput{};

void ClearEntries() {
    for (const TGdipEntry& entry : gdipEntries) *entry.slot = nullptr;
}

// A failed load leaves nothing behind, so the next attempt starts clean.
void ReleaseLibrary() {
    ClearEntries();
    if (gdiPlusLibrary) FreeLibrary(gdiPlusLibrary);
    gdiPlusLibrary = nullptr;
    usable = false;
}

}  // namespace

const wchar_t* GdiPlusLibraryName = L"gdiplus.dll";

// ---- loading -------------------------------------------------------------------------------

bool GdiPlusUsable() {
    if (!usable) LoadGdiPlus();
    return usable;
}

void* BindGdipEntry(const char* name) {
    if (!usable) return nullptr;
    void* address = reinterpret_cast<void*>(GetProcAddress(gdiPlusLibrary, name));
    usable = address != nullptr;
    return address;
}

void LoadGdiPlus() {
    if (usable) return;
    UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    gdiPlusLibrary = LoadLibraryW(GdiPlusLibraryName);
    SetErrorMode(oldMode);
    usable = gdiPlusLibrary != nullptr;
    if (!usable) return;
    for (const TGdipEntry& entry : gdipEntries) *entry.slot = BindGdipEntry(entry.name);
    if (!usable) {
        ReleaseLibrary();
        return;
    }
    GdiplusStartupInput input{1, nullptr, TRUE, FALSE};
    startupOutput = {};
    if (GdiplusStartup(&startupToken, &input, &startupOutput) != GpOk) {
        startupOutput = {};
        ReleaseLibrary();
        return;
    }
    if (!startupOutput.NotificationHook || startupOutput.NotificationHook(&hookToken) != GpOk) {
        GdiplusShutdown(startupToken);
        startupOutput = {};
        ReleaseLibrary();
    }
}

void UnloadGdiPlus() {
    if (usable) {
        if (startupOutput.NotificationUnhook) startupOutput.NotificationUnhook(hookToken);
        GdiplusShutdown(startupToken);
    }
    startupOutput = {};
    hookToken = startupToken = 0;
    ReleaseLibrary();
    GdipPngEncoder = CLSID{};
}

// ---- encoders and checks -------------------------------------------------------------------

CLSID GdipPngEncoder{};

int FindEncoderClsid(const String& mimeType, CLSID& clsid) {
    if (!GdiPlusUsable()) return 1;
    UINT count = 0, size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != GpOk || size == 0) return 1;
    std::vector<Byte> buffer(size);
    auto* codecs = reinterpret_cast<GpImageCodecInfo*>(buffer.data());
    if (GdipGetImageEncoders(count, size, codecs) != GpOk) return 1;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType && SameText(String(codecs[i].MimeType), mimeType)) {
            clsid = codecs[i].Clsid;
            return 0;
        }
    return 1;
}

void FindPngEncoder() {
    const DWORD* first = reinterpret_cast<const DWORD*>(&GdipPngEncoder);
    if (first[0] == 0 && first[1] == 0) FindEncoderClsid(L"image/png", GdipPngEncoder);
}

void GdipAssert(bool condition) {
    if (!condition) AssertionFailed(L"Invalid operation in GDI+", "dxGDIPlusApi", 1003);
}

namespace {
void ResetUsable() { usable = false; }
}  // namespace

void InitializedxGDIPlusAPI() { GlobalUnitsLoader()->RegisterUnit(&ResetUsable, &UnloadGdiPlus); }

void FinalizedxGDIPlusAPI() { FreeGlobalUnitsLoader(); }
