#include "font.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>

namespace artwork {

namespace {

std::string code_point_name(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

}  // namespace

Font::Font(const std::string& path, int pixel_size) : path_(path) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("cannot start FreeType");
    library_.reset(lib);
    FT_Face face = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &face) != 0)
        throw std::runtime_error("cannot open font " + path + " (install fonts-dejavu-core)");
    face_.reset(face);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixel_size)) != 0)
        throw std::runtime_error("cannot size font " + path);
}

template <class PixelSink>
int Font::for_each_pixel(std::u32string_view text, PixelSink sink) const {
    FT_Face face = face_.get();
    int pen = 0;
    FT_UInt previous = 0;
    for (char32_t c : text) {
        const FT_UInt index = FT_Get_Char_Index(face, c);
        // A missing letter would come out as an empty box: refuse instead.
        if (index == 0) throw std::runtime_error(path_ + " has no glyph for " + code_point_name(c));
        if (previous != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<int>(kern.x >> 6);
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
            throw std::runtime_error("cannot render " + code_point_name(c) + " from " + path_);
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0)
            throw std::runtime_error("FreeType did not render " + code_point_name(c) + " in mono");
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const unsigned char* bits = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
            for (unsigned col = 0; col < bitmap.width; ++col)
                if (bits[col / 8] & (0x80 >> (col % 8)))
                    sink(pen + slot->bitmap_left + static_cast<int>(col), static_cast<int>(row) - slot->bitmap_top);
        }
        pen += static_cast<int>((slot->advance.x + 32) >> 6);
        previous = index;
    }
    return pen;
}

TextMetrics Font::measure(std::u32string_view text) const {
    InkBox box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const int advance = for_each_pixel(text, [&](int x, int y) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
    });
    if (box.left == INT_MAX) box = InkBox{};
    return {advance, box};
}

void Font::draw(Canvas& canvas, int x, int baseline, std::u32string_view text, std::uint8_t ink) const {
    for_each_pixel(text, [&](int px, int py) { canvas.set(x + px, baseline + py, ink); });
}

void Font::draw_centred(Canvas& canvas, int centre_x, int baseline, std::u32string_view text, std::uint8_t ink) const {
    draw(canvas, centre_x - measure(text).advance / 2, baseline, text, ink);
}

}  // namespace artwork
