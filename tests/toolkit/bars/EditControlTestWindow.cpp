#include "EditControlTestWindow.h"

#include <windowsx.h>

#include <cstdlib>
#include <fstream>

#include "dxBarItemLinks.h"
#include "dxBarSubItem.h"

void EditControlTest::SetUp() {
    WindowTest::SetUp();
    form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
    manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
    ASSERT_NE(manager, nullptr);
    owner = static_cast<TdxBarSubItem*>(manager->AddItem(TdxBarSubItem::StaticClass()));
    // The manager's form is shown and active, as in the program: a bar window hands the focus
    // back to it.
    form->SetPosition(poDesigned);
    form->SetBounds(0, 300, 300, 200);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpUntil([&] { return GetForegroundWindow() == form->Handle(); });
}

void EditControlTest::TearDown() {
    form.reset();
    WindowTest::TearDown();
}

void EditControlTest::ShowWindowWith(const std::vector<TdxBarItem*>& items, int kind) {
    for (TdxBarItem* item : items) owner->ItemLinks()->AddItem(item);
    window = new TEditTestBarWindow(manager);
    window->kind = kind;
    window->AssignItemLinks(owner->ItemLinks());
    window->SetBounds(100, 100, 220, 24 * int(items.size()) + 4);
    SetWindowPos(window->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    window->Relayout();
    PumpUntilIdle();
}

TdxBarItemLink* EditControlTest::LinkOf(TdxBarItem* item) const {
    TdxBarItemLinks* links = owner->ItemLinks();
    for (int i = 0; i < links->Count(); ++i)
        if (links->GetLink(i)->Item() == item) return links->GetLink(i);
    return nullptr;
}

TPoint EditControlTest::ScreenCentre(const TRect& r) const {
    return window->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

String EditControlTest::ReadEditor(TdxBarWinControl* control) {
    String text;
    control->ReadEditText(text);
    return text;
}

int EditControlTest::CountColor(const TControlSnapshot& shot, const TRect& r, TColor color) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (shot.Pixel(x, y) == color) ++count;
    return count;
}

void EditControlTest::SaveScreenPicture(const std::string& name, const TRect& r) {
    const char* shots = std::getenv("ZARNIK_SHOTS");
    if (!shots) return;
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(size_t(stride) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = GetPixel(screen, r.left + x, r.top + height - 1 - y);
            char* p = &pixels[size_t(y) * size_t(stride) + size_t(x) * 3];
            p[0] = char(GetBValue(c)), p[1] = char(GetGValue(c)), p[2] = char(GetRValue(c));
        }
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, DWORD(pixels.size()), 0, 0, 0, 0};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = DWORD(file.bfOffBits + pixels.size());
    std::ofstream out(std::string(shots) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), std::streamsize(pixels.size()));
}
