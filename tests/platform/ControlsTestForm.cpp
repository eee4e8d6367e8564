#include "ControlsTestForm.h"

TColor TControlsTestForm::EntryColor(const String& text) {
    if (text == L"Красный") return clRed;
    if (text == L"Зелёный") return clLime;
    if (text == L"Синий") return clBlue;
    if (text == L"Жёлтый") return clYellow;
    return clGray;
}

void TControlsTestForm::ColorDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = static_cast<TSystemControl*>(control)->Canvas();
    TStrings* items = Is<TCustomListBox>(control) ? static_cast<TCustomListBox*>(control)->Items()
                                                  : static_cast<TCustomComboBox*>(control)->Items();
    canvas->Brush()->SetColor(EntryColor(items->Get(index)));
    canvas->FillRect(rect);
}

void TControlsTestForm::FormCreate(TObject*) {
    auto* list = Find<TListView>(L"lvFiles");
    const wchar_t* names[] = {L"Уровень01.level", L"readme.txt", L"Ёлка.bmp", L"zarnik.ini"};
    for (int i = 0; i < 4; ++i) {
        TListItem* item = list->Items()->Add();
        item->SetCaption(names[i]);
        item->SubItems()->Add(IntToStr(sizes[i]));
        item->SetData(&sizes[i]);
    }
    auto* tree = Find<TTreeView>(L"tvFolders");
    for (const wchar_t* name : {L"Текстуры", L"Модели"}) tree->Items()->AddChild(nullptr, name)->SetHasChildren(true);

    // The toolbar's images: a red square, a green disc and a blue cross on white.
    auto* images = new TImageList(this);
    images->SetName(L"ilTools");
    TBitmap strip;
    strip.SetSize(48, 16);
    TCanvas* canvas = strip.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, 48, 16});
    canvas->Brush()->SetColor(ToolImageColors[0]);
    canvas->FillRect(TRect{2, 2, 14, 14});
    canvas->Brush()->SetColor(ToolImageColors[1]);
    canvas->Pen()->SetColor(ToolImageColors[1]);
    canvas->Ellipse(18, 2, 30, 14);
    canvas->Brush()->SetColor(ToolImageColors[2]);
    canvas->FillRect(TRect{39, 2, 41, 14});
    canvas->FillRect(TRect{34, 7, 46, 9});
    images->AddMasked(&strip, clWhite);
    Find<TToolBar>(L"tbTools")->SetImages(images);

    // The help button's glyph: a navy square, and a grey one for the disabled cell, on fuchsia.
    TBitmap* glyph = Find<TBitBtn>(L"bbHelp")->Glyph();
    glyph->SetSize(32, 16);
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(TRect{0, 0, 32, 16});
    glyph->Canvas()->Brush()->SetColor(clNavy);
    glyph->Canvas()->FillRect(TRect{3, 3, 13, 13});
    glyph->Canvas()->Brush()->SetColor(clGray);
    glyph->Canvas()->FillRect(TRect{19, 3, 29, 13});
}

void TControlsTestForm::ListSelectItem(TObject*, TListItem* item, bool selected) {
    events.push_back("lvFiles." + std::string(selected ? "select " : "unselect ") + Utf8(item->Caption()));
}

void TControlsTestForm::TreeExpanding(TObject*, TTreeNode* node, bool&) {
    events.push_back("tvFolders.expanding " + Utf8(node->Text()));
    if (node->Count() > 0 || node->Level() > 0) return;
    // The children arrive when the folder is first opened.
    for (const wchar_t* name : {L"Камень", L"Трава", L"Вода"}) node->Owner()->AddChild(node, name);
}

void StandardControlsTest::SetUp() {
    WindowTest::SetUp();
    RegisterClass(TControlsTestForm::StaticClass());
    form = static_cast<TControlsTestForm*>(TControlsTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    PumpUntilIdle();
}

void StandardControlsTest::TearDown() {
    FreeObject(form);
    UnRegisterClass(TControlsTestForm::StaticClass());
    WindowTest::TearDown();
}
