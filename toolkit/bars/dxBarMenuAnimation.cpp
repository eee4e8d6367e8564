#include "dxBarMenuAnimation.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "dxBarSubMenuControl.h"

namespace {
TdxBarAnimationObserver menuAnimationObserver = nullptr;
TAnimateWindowProc menuAnimateWindow = nullptr;
}  // namespace

void SetMenuAnimationObserver(TdxBarAnimationObserver observer) { menuAnimationObserver = observer; }

TAnimateWindowProc MenuAnimateWindowProc() { return menuAnimateWindow ? menuAnimateWindow : AnimateWindowProc(); }

TAnimateWindowProc SetMenuAnimateWindowProc(TAnimateWindowProc proc) { return std::exchange(menuAnimateWindow, proc); }

// ---- Parameters and frames ----------------------------------------------------------------

TdxBarMenuAnimationParams CalcMenuAnimationParams(TdxBarMenuAnimations animation, const TRect& windowBounds,
                                                  int clientWidth, int clientHeight, bool opensLeftward,
                                                  bool opensUpward) {
    TdxBarMenuAnimationParams p;
    p.animation = animation;
    p.opensLeftward = opensLeftward;
    p.opensUpward = opensUpward;
    p.finalLeft = windowBounds.left;
    p.finalTop = windowBounds.top;
    p.finalClientWidth = clientWidth;
    p.finalClientHeight = clientHeight;
    p.borderWidth = RectWidth(windowBounds) - clientWidth;
    p.borderHeight = RectHeight(windowBounds) - clientHeight;
    if (animation == maUnfold) {
        p.firstValue = clientHeight - clientWidth;
        if (p.firstValue <= 0) {
            p.previousClientRect = TRect{0, 0, -p.firstValue, 0};
            p.extent = clientHeight;
        } else {
            p.previousClientRect = TRect{0, 0, 0, p.firstValue};
            p.extent = clientWidth;
        }
        p.step = 8;
    } else {
        p.firstValue = 0;
        p.previousClientRect = TRect{0, 0, clientWidth, 0};
        p.extent = clientHeight;
        p.step = 17;
    }
    return p;
}

int MenuAnimationFrameCount(const TdxBarMenuAnimationParams& params) {
    return params.step > 0 ? params.extent / params.step : 0;
}

TSize MenuAnimationFrameSize(const TdxBarMenuAnimationParams& params, int frame) {
    const int a = frame * params.step;
    if (params.firstValue < 0) return TSize{a + std::abs(params.firstValue), a};
    const int w = params.animation == maSlide ? params.finalClientWidth : a;
    return TSize{w, a + params.firstValue};
}

TRect MenuAnimationFrameBounds(const TdxBarMenuAnimationParams& params, int frame) {
    const TSize s = MenuAnimationFrameSize(params, frame);
    // The edge that does not move: the right one when opening leftward, the bottom one upward.
    const int left = params.opensLeftward ? params.finalLeft + params.finalClientWidth - s.cx : params.finalLeft;
    const int top = params.opensUpward ? params.finalTop + params.finalClientHeight - s.cy : params.finalTop;
    return TRect{left, top, left + params.borderWidth + s.cx, top + params.borderHeight + s.cy};
}

// ---- The thread ---------------------------------------------------------------------------

TdxBarAnimationThread::TdxBarAnimationThread(TdxBarSubMenuControl* menu, const TdxBarMenuAnimationParams& params)
    : menu_(menu), params_(params) {
    HDC screen = GetDC(nullptr);
    memoryDC_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, std::max(params.finalClientWidth, 1), std::max(params.finalClientHeight, 1));
    ReleaseDC(nullptr, screen);
    oldObject_ = SelectObject(memoryDC_, bitmap_);
    menu->PaintTo(memoryDC_);
}

TdxBarAnimationThread::~TdxBarAnimationThread() {
    if (memoryDC_) {
        SelectObject(memoryDC_, oldObject_);
        DeleteDC(memoryDC_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

void TdxBarAnimationThread::Execute() {
    const int frames = MenuAnimationFrameCount(params_);
    for (int i = 1; i <= frames && !Terminated(); ++i) {
        const DWORD tick = GetTickCount();
        DrawAnimationFrame(i);
        ++framesPlayed_;
        Sleep(1);
        // Each frame lasts at least one tick of the system timer.
        while (GetTickCount() == tick && !Terminated()) {
        }
    }
}

void TdxBarAnimationThread::DrawAnimationFrame(int frame) {
    const TRect bounds = MenuAnimationFrameBounds(params_, frame);
    SetWindowPos(params_.window, nullptr, bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    const TSize s = MenuAnimationFrameSize(params_, frame);
    const int cw = std::min<int>(s.cx, params_.finalClientWidth), ch = std::min<int>(s.cy, params_.finalClientHeight);
    // The whole visible part of the picture each frame: anchored at the picture's bottom while
    // the window grows downward (the menu slides out of its top edge), at its top while it grows
    // upward, at its right while it grows leftward.
    const int sourceX = params_.opensLeftward && !params_.opensUpward ? params_.finalClientWidth - cw : 0;
    const int sourceY = params_.opensUpward ? 0 : params_.finalClientHeight - ch;
    HDC dc = GetDCEx(params_.window, nullptr, DCX_CACHE);
    if (!dc) return;
    BitBlt(dc, 0, 0, cw, ch, memoryDC_, sourceX, sourceY, SRCCOPY);
    ReleaseDC(params_.window, dc);
    params_.previousClientRect = TRect{0, 0, cw, ch};
}

void TdxBarAnimationThread::DoTerminate() {
    // One synchronized step forgets the thread and places the window: between two steps the
    // interface thread could free the menu.
    const TRect final{params_.finalLeft, params_.finalTop,
                      params_.finalLeft + params_.borderWidth + params_.finalClientWidth,
                      params_.finalTop + params_.borderHeight + params_.finalClientHeight};
    TdxBarSubMenuControl* menu = menu_;
    const TdxBarMenuAnimationParams params = params_;
    const int played = framesPlayed_;
    Synchronize([menu, final, params, played] {
        if (menuAnimationObserver) menuAnimationObserver(params, played);
        menu->AnimationThreadTerminated(nullptr);
        menu->FinishAnimation(final);
    });
}

void StopAnimationThread(TdxBarAnimationThread* thread) {
    thread->Terminate();
    thread->WaitFor();
    delete thread;
}
