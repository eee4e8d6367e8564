#pragma once
// The toolbars of a bar manager: TdxBar, one toolbar, and TdxBars, the manager's collection of
// them, which also holds the four side dock controls.
//
// The toolbar grows with the parts that show it (links, its window, docking, layout storage);
// here it has what the manager's lists and lookups use: its name, caption and docking limits.

#include "TypInfo.h"
#include "cxComponentCollection.h"
#include "dxBarForward.h"

Z_ENUM(TdxBarDockingStyle, Byte, dsNone, dsLeft, dsTop, dsRight, dsBottom)
using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;

class TdxBar : public TcxComponentCollectionItem {
    Z_CLASS(TdxBar, TcxComponentCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Caption", &TdxBar::Caption, &TdxBar::SetCaption);
        p.Property(L"NotDocking", &TdxBar::NotDocking, &TdxBar::SetNotDocking);
    }

public:
    explicit TdxBar(TComponent* owner) : TcxComponentCollectionItem(owner) {}

    TdxBarManager* BarManager() const;
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value) { caption_ = value; }
    // Docking styles this bar may not take.
    TdxBarDockingStyles NotDocking() const { return notDocking_; }
    void SetNotDocking(TdxBarDockingStyles value) { notDocking_ = value; }

    String GetDisplayText() const override { return caption_; }

    // -- where the bar is docked (the bar window shows it there once it exists)
    TdxDockControl* DockControl() const { return dockControl_; }
    // Watches the dock: a freed dock leaves the bar undocked.
    void SetDockControl(TdxDockControl* value);
    TdxDockControl* DockedDockControl() const { return dockedDockControl_; }
    void SetDockedDockControl(TdxDockControl* value);
    TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
    void SetDockingStyle(TdxBarDockingStyle value) { dockingStyle_ = value; }
    TdxBarDockingStyle DockedDockingStyle() const { return dockedDockingStyle_; }
    void SetDockedDockingStyle(TdxBarDockingStyle value) { dockedDockingStyle_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }

protected:
    TcxComponentCollection* CollectionFromParent(TComponent* parent) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    String caption_;
    TdxBarDockingStyles notDocking_;
    TdxDockControl* dockControl_ = nullptr;
    TdxDockControl* dockedDockControl_ = nullptr;
    TdxBarDockingStyle dockingStyle_ = dsNone;
    TdxBarDockingStyle dockedDockingStyle_ = dsNone;
    bool visible_ = true;
};

class TdxBars : public TcxComponentCollection {
    Z_CLASS(TdxBars, TcxComponentCollection)
public:
    explicit TdxBars(TdxBarManager* manager);

    TdxBarManager* BarManager() const;
    TdxBar* Add() { return static_cast<TdxBar*>(AddNew()); }
    TdxBar* Items(int index) const { return static_cast<TdxBar*>(ItemAt(index)); }
    int Count() const { return ItemCount(); }

    // The side dock control of a docking style (nil for dsNone and while there is none).
    TdxDockControl* DockControls(TdxBarDockingStyle style) const;
    void SetDockControl(TdxBarDockingStyle style, TdxDockControl* dockControl);

private:
    TdxDockControl* dockControls_[5] = {};
};
