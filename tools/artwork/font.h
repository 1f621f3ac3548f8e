// One typeface at one pixel size, rendered without smoothing (FreeType mono
// mode) so every pixel is fully ink or fully paper.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "canvas.h"

namespace artwork {

// Where the Debian package fonts-dejavu-core puts them.
inline constexpr const char* kSansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr const char* kSansBoldPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
inline constexpr const char* kSerifPath = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";

// Ink extent relative to the pen's start on the baseline; y grows downwards,
// right and bottom exclusive.
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct TextMetrics {
    int advance = 0;
    InkBox ink;
};

class Font {
public:
    // Throws with the path named when the font file is missing or unreadable.
    Font(const std::string& path, int pixel_size);

    TextMetrics measure(std::u32string_view text) const;
    // Pen starts at x on baseline y; ink off the canvas throws.
    void draw(Canvas& canvas, int x, int baseline, std::u32string_view text, std::uint8_t ink) const;
    // Centres the text's advance width on centre_x.
    void draw_centred(Canvas& canvas, int centre_x, int baseline, std::u32string_view text, std::uint8_t ink) const;

private:
    template <class PixelSink>
    int for_each_pixel(std::u32string_view text, PixelSink sink) const;

    struct LibraryDeleter { void operator()(FT_Library lib) const { FT_Done_FreeType(lib); } };
    struct FaceDeleter { void operator()(FT_Face face) const { FT_Done_Face(face); } };
    std::string path_;
    // Declared library first so the face is released before it.
    std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library_;
    std::unique_ptr<FT_FaceRec_, FaceDeleter> face_;
};

}  // namespace artwork
