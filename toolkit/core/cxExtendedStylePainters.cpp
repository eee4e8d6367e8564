#include "cxExtendedStylePainters.h"

#include <algorithm>

#include "SysUtils.h"

namespace {

TcxExtendedStylePainters* globalExtendedStylePainters = nullptr;

}  // namespace

TcxExtendedStylePainterInfo::TcxExtendedStylePainterInfo(const String& name, TObject* data,
                                                         TcxLookAndFeelPainterClass painter)
    : name_(name), data_(data), painter_(painter) {}

TcxExtendedStylePainterInfo::~TcxExtendedStylePainterInfo() { FreeObject(data_); }

// Names match when they have the same length and differ at most in the case of ASCII letters.
int TcxExtendedStylePainters::IndexOfName(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(NameAt(i), name)) return i;
    return -1;
}

bool TcxExtendedStylePainters::RegisterPainter(const String& name, TcxLookAndFeelPainterClass painter, TObject* data) {
    if (IndexOfName(name) >= 0) return false;
    Add(new TcxExtendedStylePainterInfo(name, data, painter));
    Sort([](void* a, void* b) {
        return AnsiCompareStr(static_cast<TcxExtendedStylePainterInfo*>(a)->Name(),
                              static_cast<TcxExtendedStylePainterInfo*>(b)->Name());
    });
    NotifyListeners(painter);
    return true;
}

bool TcxExtendedStylePainters::UnregisterPainter(const String& name) {
    int index = IndexOfName(name);
    if (index < 0) return false;
    TcxExtendedStylePainterInfo* info = ItemAt(index);
    Delete(index);
    NotifyListeners(info->Painter());
    FreeObject(info);
    return true;
}

bool TcxExtendedStylePainters::GetPainterByName(const String& name, TcxLookAndFeelPainterClass& painter) const {
    int index = IndexOfName(name);
    if (index < 0) return false;
    painter = PainterAt(index);
    return true;
}

bool TcxExtendedStylePainters::FindPainterName(TcxLookAndFeelPainterClass painter, String& name) const {
    name.clear();
    for (int i = 0; i < Count(); ++i)
        if (PainterAt(i) == painter) {
            name = NameAt(i);
            return true;
        }
    return false;
}

bool TcxExtendedStylePainters::FindPainterData(TcxLookAndFeelPainterClass painter, TObject*& data) const {
    data = nullptr;
    for (int i = 0; i < Count(); ++i)
        if (PainterAt(i) == painter) {
            data = ItemAt(i)->Data();
            return true;
        }
    return false;
}

void TcxExtendedStylePainters::RegisterListener(IcxPainterRegistryListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void TcxExtendedStylePainters::UnregisterListener(IcxPainterRegistryListener* listener) {
    auto it = std::find(listeners_.begin(), listeners_.end(), listener);
    if (it != listeners_.end()) listeners_.erase(it);
}

void TcxExtendedStylePainters::NotifyListeners(TcxLookAndFeelPainterClass painter) {
    for (size_t i = listeners_.size(); i-- > 0;)
        if (i < listeners_.size()) listeners_[i]->PainterChanged(painter);
}

TcxExtendedStylePainters* GlobalExtendedStylePainters() { return globalExtendedStylePainters; }

void CreateExtendedStylePainters() {
    if (!globalExtendedStylePainters) globalExtendedStylePainters = new TcxExtendedStylePainters();
}

void FreeExtendedStylePainters() {
    delete globalExtendedStylePainters;
    globalExtendedStylePainters = nullptr;
}
