#include "GraphicsObject.h"

#include "SysExceptions.h"

TGraphicsObject::~TGraphicsObject() {
    if (handle_) DeleteObject(handle_);
}

HGDIOBJ TGraphicsObject::GdiHandle() {
    if (!handle_) {
        handle_ = CreateGdiHandle();
        if (!handle_) throw EOutOfResources(L"Out of system resources");
    }
    return handle_;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle) {
    HGDIOBJ old = handle_;
    handle_ = handle;
    Notify();
    if (old && old != handle) DeleteObject(old);
}

void TGraphicsObject::Changed() {
    HGDIOBJ old = handle_;
    handle_ = nullptr;
    Notify();
    if (old) DeleteObject(old);
}

void TGraphicsObject::Notify() {
    if (OnChange) OnChange(this);
}
