#pragma once
// The registry of painters that are not built in: named painter classes (the skin painters, one
// per loaded skin), each with a data object the entry owns. Entries are kept in name order;
// names are unique without regard to the case of ASCII letters. Listeners hear of every painter
// that is added or removed. There is one registry per process, alive while the painters' unit
// runs.

#include <vector>

#include "cxComponent.h"
#include "cxCustomLookAndFeelPainter.h"

// Hears when a painter is registered or unregistered (a plain interface: not counted).
class IcxPainterRegistryListener {
public:
    virtual void PainterChanged(TcxLookAndFeelPainterClass painter) = 0;

protected:
    ~IcxPainterRegistryListener() = default;
};

class TcxExtendedStylePainterInfo : public TObject {
    Z_CLASS(TcxExtendedStylePainterInfo, TObject)
public:
    // Takes the data object over; it is freed with the entry.
    TcxExtendedStylePainterInfo(const String& name, TObject* data, TcxLookAndFeelPainterClass painter);
    ~TcxExtendedStylePainterInfo() override;

    const String& Name() const { return name_; }
    TcxLookAndFeelPainterClass Painter() const { return painter_; }
    TObject* Data() const { return data_; }

private:
    String name_;
    TObject* data_;
    TcxLookAndFeelPainterClass painter_;
};

class TcxExtendedStylePainters : public TcxObjectList {
    Z_CLASS(TcxExtendedStylePainters, TcxObjectList)
public:
    TcxExtendedStylePainters() = default;

    // False, with nothing changed and the data left with the caller, when the name is taken;
    // otherwise the registry owns the data, re-sorts and tells every listener.
    bool RegisterPainter(const String& name, TcxLookAndFeelPainterClass painter, TObject* data);
    // False when the name is not registered. Otherwise the entry leaves the list, the listeners
    // are told with its painter, and the entry is freed with its data.
    bool UnregisterPainter(const String& name);
    // Lookups: by name (leaves painter alone when not found), and by painter class identity
    // (the first entry; name and data are cleared first).
    bool GetPainterByName(const String& name, TcxLookAndFeelPainterClass& painter) const;
    bool FindPainterName(TcxLookAndFeelPainterClass painter, String& name) const;
    bool FindPainterData(TcxLookAndFeelPainterClass painter, TObject*& data) const;

    TcxExtendedStylePainterInfo* ItemAt(int index) const {
        return static_cast<TcxExtendedStylePainterInfo*>(TcxObjectList::ItemAt(index));
    }
    const String& NameAt(int index) const { return ItemAt(index)->Name(); }
    TcxLookAndFeelPainterClass PainterAt(int index) const { return ItemAt(index)->Painter(); }

    void RegisterListener(IcxPainterRegistryListener* listener);
    void UnregisterListener(IcxPainterRegistryListener* listener);
    int ListenerCount() const { return int(listeners_.size()); }

private:
    int IndexOfName(const String& name) const;
    // From the last listener to the first, so that one may unregister itself while being told.
    void NotifyListeners(TcxLookAndFeelPainterClass painter);

    std::vector<IcxPainterRegistryListener*> listeners_;
};

// The process's registry; nil before the painters' unit starts and after it ends.
TcxExtendedStylePainters* GlobalExtendedStylePainters();
void CreateExtendedStylePainters();
void FreeExtendedStylePainters();
