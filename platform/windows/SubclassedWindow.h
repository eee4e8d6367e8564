#pragma once
// TSubclassedWindow: puts a method of ours in front of a window of another window class (the
// edit part of a combo box, the header of a list view), so that the control that owns the
// window sees its messages first. Every message passes the callback barrier, then the method,
// which hands what it does not take to CallOriginal; a message whose handler failed goes no
// further. The original procedure comes back on
// Release, on destruction, and by itself when the window is destroyed.

#include "Messages.h"

class TSubclassedWindow {
public:
    TSubclassedWindow() = default;
    ~TSubclassedWindow() { Release(); }
    TSubclassedWindow(const TSubclassedWindow&) = delete;
    TSubclassedWindow& operator=(const TSubclassedWindow&) = delete;

    // Installs proc as the window procedure of window (a window already subclassed by this
    // object is released first).
    void Attach(HWND window, const TWndMethod& proc);
    void Release();
    HWND Handle() const { return window_; }
    bool Attached() const { return window_ != nullptr; }
    // Passes the message to the window's original procedure and stores its answer.
    void CallOriginal(TMessage& Message);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    TWndMethod proc_;
};
