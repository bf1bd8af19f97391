#include "tests/support/face_support.h"

#include <cstdio>
#include <vector>

std::string compareRegions(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h)
{
    int differing = 0;
    char first[160] = {};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF pa = GetPixel(a, ax + x, ay + y);
            const COLORREF pb = GetPixel(b, bx + x, by + y);
            if (pa != pb && differing++ == 0)
                std::snprintf(first, sizeof first, "first at offset (%d,%d): %06lX vs %06lX", x, y,
                              static_cast<unsigned long>(pa), static_cast<unsigned long>(pb));
        }
    }
    if (differing == 0)
        return std::string();
    return std::to_string(differing) + " of " + std::to_string(w * h) + " pixels differ, " + first;
}

int countDifferences(HDC a, int ax, int ay, HDC b, int bx, int by, int w, int h)
{
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            differing += GetPixel(a, ax + x, ay + y) != GetPixel(b, bx + x, by + y);
    return differing;
}

ScratchSurface::ScratchSurface(int width, int height) : width_(width), height_(height)
{
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
}

ScratchSurface::~ScratchSurface()
{
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void ScratchSurface::fill(COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

bool writeBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& colourAt)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &pixels[static_cast<size_t>(height - 1 - y) * stride]; // bottom-up
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colourAt(x, y);
            row[x * 3 + 0] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

bool writeTextFile(const std::string& path, const std::string& text)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && ok;
}

