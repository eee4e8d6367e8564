#pragma once
// The unfold and slide animations of a menu window: a worker thread grows the window frame by
// frame and fills it from a picture of the finished menu drawn once before it starts. The worker
// knows the menu only by its window handle and the record below (position, sizes, directions);
// the final placement runs on the interface thread through the menu's FinishAnimation. The fade
// animation is the system's AnimateWindow, bound by name and replaceable for the tests.

#include <windows.h>

#include "Threads.h"
#include "cxWindowHelpers.h"
#include "dxBarManager.h"

class TdxBarSubMenuControl;

struct TdxBarMenuAnimationParams {
    HWND window = nullptr;
    TdxBarMenuAnimations animation = maNone;
    bool opensLeftward = false, opensUpward = false;
    int finalLeft = 0, finalTop = 0;
    int finalClientWidth = 0, finalClientHeight = 0;
    int borderWidth = 0, borderHeight = 0;
    int firstValue = 0, extent = 0, step = 1;
    TRect previousClientRect{};
};

// The record for a menu at its final bounds (window rectangle and client size).
TdxBarMenuAnimationParams CalcMenuAnimationParams(TdxBarMenuAnimations animation, const TRect& windowBounds,
                                                  int clientWidth, int clientHeight, bool opensLeftward,
                                                  bool opensUpward);
// Extent div step: a menu shorter than one step plays no frame.
int MenuAnimationFrameCount(const TdxBarMenuAnimationParams& params);
// The client size of frame i (1-based) and the window bounds it takes.
TSize MenuAnimationFrameSize(const TdxBarMenuAnimationParams& params, int frame);
TRect MenuAnimationFrameBounds(const TdxBarMenuAnimationParams& params, int frame);

class TdxBarAnimationThread : public TThread {
    Z_CLASS(TdxBarAnimationThread, TThread)
public:
    // Renders the whole menu into a memory bitmap of the final client size (on the interface
    // thread, before the menu knows the thread). The menu owns the thread and frees it.
    TdxBarAnimationThread(TdxBarSubMenuControl* menu, const TdxBarMenuAnimationParams& params);
    ~TdxBarAnimationThread() override;
    const TdxBarMenuAnimationParams& Params() const { return params_; }
    // Frames drawn so far (read after the thread ended).
    int FramesPlayed() const { return framesPlayed_; }

protected:
    void Execute() override;
    // The menu forgets the thread, then puts its window at the final bounds.
    void DoTerminate() override;

private:
    void DrawAnimationFrame(int frame);
    TdxBarSubMenuControl* menu_;  // touched only on the interface thread
    TdxBarMenuAnimationParams params_;
    HDC memoryDC_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldObject_ = nullptr;
    int framesPlayed_ = 0;
};

// Stops the thread from the interface thread and frees it: a running one still places the window.
void StopAnimationThread(TdxBarAnimationThread* thread);

// Observes each finished showing (tests): the frames the thread played.
using TdxBarAnimationObserver = void (*)(const TdxBarMenuAnimationParams& params, int framesPlayed);
void SetMenuAnimationObserver(TdxBarAnimationObserver observer);

// The AnimateWindow a fading menu calls: the toolkit's binding, unless a test set its own.
TAnimateWindowProc MenuAnimateWindowProc();
// Sets the function menus call (nil: the toolkit's binding again); returns the previous setting.
TAnimateWindowProc SetMenuAnimateWindowProc(TAnimateWindowProc proc);
