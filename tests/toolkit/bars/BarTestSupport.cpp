#include "BarTestSupport.h"

void BarTest::SetUpTestSuite() { RegisterClass(TTestBarItem::StaticClass()); }

void BarTest::TearDownTestSuite() { UnRegisterClass(TTestBarItem::StaticClass()); }

void BarTest::SetUp() {
    WindowTest::SetUp();
    form.reset(CreateNewForm(nullptr));
    form->SetName(L"BarForm");
    manager = new TdxBarManager(form.get());
    manager->SetName(L"dxBarManager");
}

void BarTest::TearDown() {
    form.reset();
    manager = nullptr;
    WindowTest::TearDown();
}

TTestBarItem* BarTest::NewItem(const String& name, int category) {
    auto* item = new TTestBarItem(form.get());
    item->SetName(name);
    item->SetCategory(category);
    return item;
}
