#pragma once
// The ribbon tests' fixture: a shown form with a bar manager and a ribbon bound to it (fading
// off, so that every paint is final), and helpers for toolbars, tabs and groups.

#include <functional>
#include <memory>

#include "../ToolkitTestSupport.h"
#include "Form.h"
#include "WindowTesting.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonViewInfo.h"

// The message of what the action raised.
inline String ExceptionText(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return L"(nothing raised)";
}

class RibbonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(600, 400));
        form->SetName(L"RibbonForm");
        manager = new TdxBarManager(form.get());
        manager->SetName(L"dxBarManager");
        // The tab row follows the manager's font: Tahoma of height -11 everywhere.
        manager->Font()->SetName(L"Tahoma");
        manager->Font()->SetHeight(-11);
        ribbon = new TdxRibbon(form.get());
        ribbon->SetName(L"dxRibbon1");
        ribbon->SetFadingEnabled(false);
        ribbon->SetParent(form.get());
        ribbon->SetBarManager(manager);
        ribbon->SetColorSchemeName(L"Blue");
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }

    TdxBar* NewBar(const String& name) {
        TdxBar* bar = manager->Bars()->Add();
        bar->SetName(name);
        bar->SetCaption(name);
        return bar;
    }
    TdxRibbonTab* NewTab(const String& caption) {
        TdxRibbonTab* tab = ribbon->Tabs()->Add();
        tab->SetCaption(caption);
        return tab;
    }
    TdxRibbonTabGroup* AddGroup(TdxRibbonTab* tab, TdxBar* bar) {
        TdxRibbonTabGroup* group = tab->Groups()->Add();
        group->SetToolBar(bar);
        return group;
    }
    TdxRibbonViewInfo* ViewInfo() const { return ribbon->ViewInfo(); }

    std::unique_ptr<TForm> form;
    TdxBarManager* manager = nullptr;  // owned by the form
    TdxRibbon* ribbon = nullptr;       // owned by the form
};
