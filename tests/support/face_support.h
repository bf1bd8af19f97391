// Helpers for tests of the face: pixel comparisons between surfaces, scratch
// surfaces, bitmap files and throw-away directories.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Compares a w x h region of two device contexts pixel by pixel. Empty when
// equal, else how many pixels differ and the first one.
std::string compareRegions(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h);
// Number of pixels of the region that differ between the two.
int countDifferences(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h);

// A memory surface with its own bitmap, compatible with the screen.
class ScratchSurface {
public:
    ScratchSurface(int width, int height);
    ~ScratchSurface();
    ScratchSurface(const ScratchSurface&) = delete;
    ScratchSurface& operator=(const ScratchSurface&) = delete;
    HDC dc() const { return dc_; }
    void fill(COLORREF colour);

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    int width_;
    int height_;
};

// A 24-bit bitmap file whose pixels come from `colourAt`.
bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& colourAt);
bool writeTextFile(const std::string& path, const std::string& text);
