#include "cxSystemPaletteChangedNotifier.h"

#include <algorithm>
#include <vector>

#include "MessageWindow.h"
#include "dxOffice11.h"

// The process's one listener, made by the first notifier and freed with the last.
class TcxSystemPaletteChangedListener : public TObject {
public:
    TcxSystemPaletteChangedListener() {
        AcquireOffice11ColorTables();
        window_ = AllocateHWnd(MakeEvent(this, &TcxSystemPaletteChangedListener::WndProc));
    }
    ~TcxSystemPaletteChangedListener() override {
        DeallocateHWnd(window_);
        ReleaseOffice11ColorTables();
    }
    HWND Window() const { return window_; }
    void Add(TcxSystemPaletteChangedNotifier* notifier) { ListOf(notifier).push_back(notifier); }
    void Remove(TcxSystemPaletteChangedNotifier* notifier) {
        auto& list = ListOf(notifier);
        list.erase(std::remove(list.begin(), list.end(), notifier), list.end());
    }
    bool Empty() const { return primary_.empty() && plain_.empty(); }
    // While a change is being told, the last notifier's going only marks the listener; it is
    // freed once the telling is over.
    bool telling = false, freeAfterTelling = false;

private:
    std::vector<TcxSystemPaletteChangedNotifier*>& ListOf(TcxSystemPaletteChangedNotifier* notifier) {
        return notifier->IsPrimary() ? primary_ : plain_;
    }
    void WndProc(TMessage& message) {
        if (message.Msg == WM_SYSCOLORCHANGE) {
            RecalcOffice11ColorTables();
            telling = true;
            for (auto* list : {&primary_, &plain_})
                for (size_t i = list->size(); i-- > 0;)
                    if (i < list->size()) (*list)[i]->DoChanged();
            telling = false;
        }
        message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
        if (freeAfterTelling) delete this;
    }

    HWND window_ = nullptr;
    std::vector<TcxSystemPaletteChangedNotifier*> primary_, plain_;
};

namespace {

TcxSystemPaletteChangedListener* paletteListener = nullptr;

}  // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool isPrimary) : isPrimary_(isPrimary) {
    if (!paletteListener) paletteListener = new TcxSystemPaletteChangedListener();
    paletteListener->Add(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
    if (!paletteListener) return;
    paletteListener->Remove(this);
    if (!paletteListener->Empty()) return;
    if (paletteListener->telling)
        paletteListener->freeAfterTelling = true;
    else
        delete paletteListener;
    paletteListener = nullptr;
}

void TcxSystemPaletteChangedNotifier::DoChanged() {
    if (OnSystemPaletteChanged.Assigned()) OnSystemPaletteChanged();
}

HWND SystemPaletteListenerWindow() { return paletteListener ? paletteListener->Window() : nullptr; }
