#pragma once
// The fixtures of the bar manager's tests: a hidden form that carries a manager, an item class
// that publishes what the item kinds publish, a designer that records what it is asked, and a
// recorder of the manager's and items' events.
//
// Later bar tests extend these rather than making their own: BarTest gives each test a fresh
// form and manager (and frees them with the items they own), with the message boxes the
// application shows recorded (WindowTest).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "Interfaces.h"
#include "TestSupport.h"
#include "WindowTesting.h"
#include "dxBarItem.h"
#include "dxBarManager.h"

// An item with the properties the item kinds publish, streamable as "TTestBarItem".
class TTestBarItem : public TdxBarItem {
    Z_CLASS(TTestBarItem, TdxBarItem)
    Z_PUBLISHED {
        p.Property(L"ImageIndex", &TTestBarItem::ImageIndex, &TTestBarItem::SetImageIndex).Default(-1);
        p.Property(L"ShortCut", &TTestBarItem::ShortCut, &TTestBarItem::SetShortCut).Default(0);
        p.Property(L"Width", &TTestBarItem::GetWidth, &TTestBarItem::SetWidth).Default(0);
        p.Event(L"OnClick", &TTestBarItem::OnClick);
    }

public:
    explicit TTestBarItem(TComponent* owner) : TdxBarItem(owner) {}
    // Counts of the change steps, so that tests see which one a setter took.
    int captionChanges = 0, shortCutChanges = 0, widthChanges = 0;
    std::vector<TdxBarItemStyleChange> styleChanges;

protected:
    void CaptionChanged() override {
        ++captionChanges;
        TdxBarItem::CaptionChanged();
    }
    void ShortCutChanged() override {
        ++shortCutChanges;
        TdxBarItem::ShortCutChanged();
    }
    void WidthChanged() override {
        ++widthChanges;
        TdxBarItem::WidthChanged();
    }

public:
    void StylesChanged(TdxBarItemStyleChange change) override {
        styleChanges.push_back(change);
        TdxBarItem::StylesChanged(change);
    }
};

// A designer that answers as told and records the selection it is asked to make.
class TRecordingDesigner : public TInterfacedObject, public IdxBarDesigner {
public:
    bool canRemove = true;
    std::vector<TObject*> selected;
    std::vector<std::pair<TObject*, Integer>> selections;  // ApplyComponentSelection calls
    std::vector<TdxBarItem*> openedHandlers;
    String uniqueName;  // answered by MakeUniqueName when not empty

    bool CanRemoveComponent(TComponent*) override { return canRemove; }
    void CollectSelection(TList* list) override {
        for (TObject* o : selected) list->Add(o);
    }
    Integer QuerySelectionState(TObject* object) override { return IsInSelection(object) ? 1 : 0; }
    bool IsInSelection(TObject* object) override {
        return std::find(selected.begin(), selected.end(), object) != selected.end();
    }
    void ApplyComponentSelection(TObject* object, Integer operation) override {
        selections.emplace_back(object, operation);
    }
    void ReplaceSelection(TList* list) override {
        selected.clear();
        for (int i = 0; i < list->Count(); ++i) selected.push_back(static_cast<TObject*>(list->Items(i)));
    }
    void OpenDefaultHandler(TdxBarItem* item) override { openedHandlers.push_back(item); }
    bool MakeUniqueName(const String&, String& name) override {
        name = uniqueName;
        return !uniqueName.empty();
    }
};

// Records the order in which handlers ran, as short texts.
class TEventRecorder : public TObject {
public:
    std::vector<std::string> log;
    void ItemClicked(TObject* sender, TdxBarItem* item) { log.push_back("OnClickItem " + Utf8(item->Name())); }
    void Clicked(TObject* sender) { log.push_back("OnClick " + Utf8(static_cast<TComponent*>(sender)->Name())); }
    void Executed(TObject* sender) { log.push_back("OnExecute"); }
    void Raise(TObject* sender) {
        log.push_back("raise");
        throw Exception(L"Команда не выполнена");
    }
    void AfterLoad(TObject* sender) { log.push_back("OnAfterLoad"); }
    void Destroyed(TObject* sender) { log.push_back("OnDestroy"); }
};

// A hidden form with a manager; items made through NewItem belong to the form.
class BarTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // An item of the form, named, in category 0 unless told otherwise.
    TTestBarItem* NewItem(const String& name, int category = 0);

    std::unique_ptr<TForm> form;
    TdxBarManager* manager = nullptr;  // owned by the form
    TEventRecorder recorder;
};
