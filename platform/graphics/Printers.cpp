#include "Printers.h"

#include <memory>
#include <vector>

#include <winspool.h>

TPrinter::~TPrinter() {
    if (handle_) DeleteDC(handle_);
}

TStrings* TPrinter::Printers() {
    printers_.Clear();
    DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return &printers_;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return &printers_;
    auto* info = reinterpret_cast<PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) printers_.Add(info[i].pPrinterName);
    return &printers_;
}

namespace {
String DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return String();
    std::vector<wchar_t> name(size);
    if (!GetDefaultPrinterW(name.data(), &size)) return String();
    return name.data();
}
}  // namespace

int TPrinter::PrinterIndex() {
    String name = DefaultPrinterName();
    return name.empty() ? -1 : Printers()->IndexOf(name);
}

HDC TPrinter::Handle() {
    if (handle_) return handle_;
    String name = DefaultPrinterName();
    if (!name.empty()) handle_ = CreateICW(nullptr, name.c_str(), nullptr, nullptr);
    if (!handle_) throw EPrinter(L"There is no default printer currently selected");
    return handle_;
}

TPrinter* Printer() {
    static std::unique_ptr<TPrinter> printer = std::make_unique<TPrinter>();
    return printer.get();
}
