#include "GraphicsUnit.h"

#include <windows.h>

#include <commctrl.h>

#include "Bitmap.h"
#include "Icon.h"
#include "ImageList.h"
#include "JpegImage.h"
#include "Picture.h"

void InitializeGraphicsUnit() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterClasses({TBitmap::StaticClass(), TIcon::StaticClass(), TJPEGImage::StaticClass(), TPicture::StaticClass(),
                     TImageList::StaticClass()});
    TPicture::RegisterFileFormat(L"bmp", L"Bitmaps", TBitmap::StaticClass());
    TPicture::RegisterFileFormat(L"ico", L"Icons", TIcon::StaticClass());
    TPicture::RegisterFileFormat(L"jpg", L"JPEG Image File", TJPEGImage::StaticClass());
    TPicture::RegisterFileFormat(L"jpeg", L"JPEG Image File", TJPEGImage::StaticClass());
}

void FinalizeGraphicsUnit() {
    TPicture::UnregisterGraphicClass(TJPEGImage::StaticClass());
    TPicture::UnregisterGraphicClass(TIcon::StaticClass());
    TPicture::UnregisterGraphicClass(TBitmap::StaticClass());
}
