#pragma once
// An off-screen view for pixel tests: a memory viewer (a pbuffer, no window) of a given size that
// looks through a camera and reads its frames back. Lighting is off and the background black, so
// what an object draws is what the pixels show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "GLCamera.h"
#include "GLNonVisualViewer.h"
#include "OpenGL1x.h"

class TOffscreenView {
public:
    TOffscreenView(int width, int height, TGLCamera* camera) : viewer(nullptr) {
        viewer.SetWidth(width);
        viewer.SetHeight(height);
        viewer.Buffer()->SetBackgroundColor(clBlack);
        viewer.Buffer()->SetLighting(false);
        viewer.SetCamera(camera);
    }

    // One frame of the camera's scene (or of the base object's subtree).
    void Render(TGLBaseSceneObject* baseObject = nullptr) { viewer.Render(baseObject); }

    // The colour at (x, y), y from the bottom, as 0xRRGGBB.
    unsigned Pixel(int x, int y) {
        GLubyte p[4] = {};
        TGLContext* context = viewer.Buffer()->RenderingContext();
        context->Activate();
        GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        context->Deactivate();
        return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
    }
    // The brightest channel at (x, y).
    int Brightness(int x, int y) {
        const unsigned c = Pixel(x, y);
        return int(std::max({c >> 16, (c >> 8) & 0xFF, c & 0xFF}));
    }
    // The brightest channel within radius pixels of (x, y): thin anti-aliased lines spread over
    // the pixels beside them.
    int BrightnessNear(int x, int y, int radius = 1) {
        int best = 0;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) best = std::max(best, Brightness(x + dx, y + dy));
        return best;
    }
    // Where a world point lands in the last frame, y from the bottom, rounded to a pixel.
    TPoint PixelOf(const TAffineVector& world) {
        TAffineVector s = viewer.Buffer()->WorldToScreen(world);
        return {int(std::lround(s.X - 0.5f)), int(std::lround(s.Y - 0.5f))};
    }

    TGLMemoryViewer viewer;
};
