#include "pixels_bitmap.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tamga {
namespace {

BITMAPINFO top_down_32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

Pixels pixels_of(HBITMAP bitmap) {
    BITMAP header{};
    if (!GetObjectW(bitmap, sizeof header, &header)) return {};
    Pixels pixels{header.bmWidth, header.bmHeight,
                  std::vector<std::uint32_t>(static_cast<std::size_t>(header.bmWidth) * header.bmHeight)};
    BITMAPINFO info = top_down_32(pixels.width, pixels.height);
    WindowDC screen;
    GetDIBits(screen.dc(), bitmap, 0, pixels.height, pixels.rgb.data(), &info, DIB_RGB_COLORS);
    for (auto& p : pixels.rgb) p &= 0xFFFFFF;  // BGRA in memory is 0x00RRGGBB
    return pixels;
}

UniqueBitmap bitmap_of(const Pixels& pixels) {
    BITMAPINFO info = top_down_32(pixels.width, pixels.height);
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memcpy(bits, pixels.rgb.data(), pixels.rgb.size() * sizeof(std::uint32_t));
    return bitmap;
}

UniqueBitmap mask_of(const Pixels& pixels) {
    const int stride = (pixels.width + 15) / 16 * 2;  // monochrome rows are word-aligned
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * pixels.height, 0xFF);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (pixels.at(x, y) != kWhite) bits[static_cast<std::size_t>(y) * stride + x / 8] &= ~(0x80 >> x % 8);
    return UniqueBitmap(CreateBitmap(pixels.width, pixels.height, 1, 1, bits.data()));
}

}  // namespace tamga
