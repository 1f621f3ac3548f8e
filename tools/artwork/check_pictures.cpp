// Reads the committed pictures back with a reader of its own and checks what
// the program relies on: the file headers Windows loads, the exact colours,
// the glyph strip's empty shared cell edges and the tray pictures' strokes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <zlib.h>

#include "help_page.h"
#include "palette_layout.h"

namespace {

int failures = 0;

void expect(bool ok, const std::string& file, const std::string& what) {
    if (!ok) {
        std::printf("FAIL %s: %s\n", file.c_str(), what.c_str());
        ++failures;
    }
}

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
    return v;
}

// A decoded picture: 0xRRGGBB per pixel, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

// Decodes a BITMAPINFOHEADER image at `at` (colour rows only; height_factor 2 for icons).
Picture decode_dib(const std::vector<unsigned char>& b, std::size_t at, std::size_t pixels_at, int height_factor) {
    Picture p;
    p.width = static_cast<int>(le(b, at + 4, 4));
    p.height = static_cast<int>(le(b, at + 8, 4)) / height_factor;
    const int bpp = static_cast<int>(le(b, at + 14, 2));
    const std::size_t stride = ((static_cast<std::size_t>(p.width) * bpp + 31) / 32) * 4;
    const std::size_t palette_at = at + 40;
    for (int y = 0; y < p.height; ++y) {
        const std::size_t row = pixels_at + static_cast<std::size_t>(p.height - 1 - y) * stride;
        for (int x = 0; x < p.width; ++x) {
            // Stored blue, green, red: read little-endian that is 0xRRGGBB.
            if (bpp == 24) {
                p.rgb.push_back(le(b, row + 3 * x, 3));
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const unsigned index = (b[row + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                p.rgb.push_back(le(b, palette_at + 4 * index, 3));
            }
        }
    }
    return p;
}

std::vector<unsigned char> read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Picture check_bmp_bytes(const std::vector<unsigned char>& b, const std::string& name, int width, int height, int bpp) {
    const std::uint32_t colours = bpp == 24 ? 0 : 1u << bpp;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    const std::size_t offset = 54 + 4 * colours;
    expect(b.size() == offset + stride * height, name, "file size");
    if (b.size() != offset + stride * height) return {};
    expect(b[0] == 'B' && b[1] == 'M' && le(b, 2, 4) == b.size() && le(b, 10, 4) == offset, name, "file header");
    expect(le(b, 14, 4) == 40 && le(b, 18, 4) == static_cast<std::uint32_t>(width) &&
               le(b, 22, 4) == static_cast<std::uint32_t>(height) && le(b, 26, 2) == 1 && le(b, 28, 2) == static_cast<std::uint32_t>(bpp),
           name, "size or depth");
    expect(le(b, 30, 4) == 0 && le(b, 38, 4) == 3780 && le(b, 42, 4) == 3780, name, "uncompressed at 96 dpi");
    if (bpp == 1) expect(le(b, 54, 4) == 0 && le(b, 58, 4) == 0xFFFFFF, name, "palette black, white");
    return decode_dib(b, 14, offset, 1);
}

Picture check_bmp(const std::filesystem::path& dir, const std::string& name, int width, int height, int bpp) {
    return check_bmp_bytes(read(dir / name), name, width, height, bpp);
}

std::uint64_t fnv1a(const std::vector<unsigned char>& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (unsigned char b : bytes) hash = (hash ^ b) * 0x100000001b3;
    return hash;
}

// A black-and-white BMP packed as one zlib stream, unpacked here by zlib
// itself. At 96 DPI it must unpack to exactly the picture the program
// always showed.
void check_help_picture(const std::filesystem::path& dir, const std::string& name, int width, int height, int dpi,
                        std::uint64_t hash_at_96) {
    const std::string file = artwork::help_picture_file(name, dpi);
    const std::vector<unsigned char> packed = read(dir / file);
    width = tamga::scaled(width, dpi);
    height = tamga::scaled(height, dpi);
    std::vector<unsigned char> bmp(62 + ((static_cast<std::size_t>(width) + 31) / 32) * 4 * height + 1);
    uLongf size = static_cast<uLongf>(bmp.size());
    const bool unpacked = uncompress(bmp.data(), &size, packed.data(), static_cast<uLong>(packed.size())) == Z_OK;
    expect(unpacked, file, "one whole zlib stream");
    if (!unpacked) return;
    bmp.resize(size);
    const Picture picture = check_bmp_bytes(bmp, file, width, height, 1);
    expect(std::find(picture.rgb.begin(), picture.rgb.end(), 0u) != picture.rgb.end(), file, "some ink");
    if (dpi == 96) expect(fnv1a(bmp) == hash_at_96, file, "the 96 DPI picture as it always was");
}

// An icon file holding one 4-bit opaque image per size, in this order;
// returns the image of size `wanted`.
Picture check_ico(const std::filesystem::path& dir, const std::string& name, const std::vector<int>& sizes,
                  int wanted) {
    const std::vector<unsigned char> b = read(dir / name);
    const std::size_t directory = 6 + 16 * sizes.size();
    std::size_t total = directory;
    for (int size : sizes)
        total += 40 + 64 + ((static_cast<std::size_t>(size) * 4 + 31) / 32) * 4 * size + ((static_cast<std::size_t>(size) + 31) / 32) * 4 * size;
    expect(b.size() == total, name, "file size");
    if (b.size() != total) return {};
    expect(le(b, 0, 2) == 0 && le(b, 2, 2) == 1 && le(b, 4, 2) == sizes.size(), name, "icon directory");
    Picture found;
    std::size_t offset = directory;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const int size = sizes[i];
        const std::size_t entry = 6 + 16 * i;
        const std::size_t mask_bytes = ((static_cast<std::size_t>(size) + 31) / 32) * 4 * size;
        const std::size_t bytes = 40 + 64 + ((static_cast<std::size_t>(size) * 4 + 31) / 32) * 4 * size + mask_bytes;
        expect(b[entry] == (size & 0xFF) && b[entry + 1] == (size & 0xFF) && b[entry + 2] == 16 &&
                   le(b, entry + 6, 2) == 4 && le(b, entry + 8, 4) == bytes && le(b, entry + 12, 4) == offset,
               name, "directory entry " + std::to_string(size));
        expect(le(b, offset, 4) == 40 && le(b, offset + 4, 4) == static_cast<std::uint32_t>(size) &&
                   le(b, offset + 8, 4) == 2u * size && le(b, offset + 14, 2) == 4,
               name, "image header (height counts the mask) " + std::to_string(size));
        bool opaque = true;
        for (std::size_t m = offset + bytes - mask_bytes; m < offset + bytes; ++m) opaque = opaque && b[m] == 0;
        expect(opaque, name, "every pixel opaque at " + std::to_string(size));
        if (size == wanted) found = decode_dib(b, offset, offset + 40 + 64, 2);
        offset += bytes;
    }
    return found;
}

bool only_colours(const Picture& p, std::uint32_t a, std::uint32_t b) {
    for (std::uint32_t c : p.rgb)
        if (c != a && c != b) return false;
    return !p.rgb.empty();
}

void check_glyph_strip(const Picture& p, const std::string& name, int dpi) {
    if (p.rgb.empty()) return;
    expect(only_colours(p, 0x000000, 0xFFFFFF), name, "pure black and white");
    expect(p.at(0, p.height - 1) == 0xFFFFFF, name, "bottom-left pixel white (the transparent colour)");
    // Ink only inside each cell's inner area, off the edges neighbours share;
    // one letter in every cell.
    const tamga::StripGeometry g = tamga::strip_geometry(dpi);
    const int shared = g.cell - g.pitch;
    auto inner = [&](int row, int pos, int x, int y) {
        const tamga::Rect cell = tamga::strip_cell({row, pos}, dpi);
        return x >= cell.left + shared && x < cell.right - shared && y >= cell.top + shared && y < cell.bottom - shared;
    };
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            bool in_some_cell = false;
            for (int row = 1; row <= 2; ++row)
                for (int pos = 1; pos <= 16; ++pos) in_some_cell = in_some_cell || inner(row, pos, x, y);
            if (!in_some_cell && p.at(x, y) != 0xFFFFFF) {
                expect(false, name, "ink at (" + std::to_string(x) + "," + std::to_string(y) + ") outside a cell's inner area");
                return;
            }
        }
    for (int row = 1; row <= 2; ++row)
        for (int pos = 1; pos <= 16; ++pos) {
            int ink = 0;
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x) ink += inner(row, pos, x, y) && p.at(x, y) == 0;
            expect(ink > 10 * dpi * dpi / (96 * 96), name,
                   "cell " + std::to_string(row) + "," + std::to_string(pos) + " holds a letter");
        }
}

void check_tray_states(const Picture& p) {
    const std::string name = "tray_states.bmp";
    if (p.rgb.empty()) return;
    constexpr std::uint32_t kBlue = 0x0A246A, kWhite = 0xFFFFFF;
    expect(only_colours(p, kBlue, kWhite), name, "white on dark blue only");
    for (int picture = 0; picture < 3; ++picture) {
        bool in_band = true, top_row = false, bottom_row = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (p.at(picture * 16 + x, y) == kWhite) {
                    in_band = in_band && y >= 4 && y <= 11;
                    top_row = top_row || y == 4;
                    bottom_row = bottom_row || y == 11;
                }
        expect(in_band && top_row && bottom_row, name, "picture " + std::to_string(picture) + " strokes fill rows 4 to 11");
    }
    bool cross = true;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool on_diagonal = x >= 4 && x <= 11 && y >= 4 && y <= 11 && (x == y || x + y == 15);
            cross = cross && (p.at(32 + x, y) == kWhite) == on_diagonal;
        }
    expect(cross, name, "picture 2 is the 8x8 diagonal cross");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_pictures <res-dir>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    for (int dpi : tamga::kPictureDpis) {
        const std::string name = dpi == 96 ? "glyphs.bmp" : "glyphs_" + std::to_string(dpi) + ".bmp";
        const tamga::StripGeometry g = tamga::strip_geometry(dpi);
        check_glyph_strip(check_bmp(dir, name, g.width, g.height, 1), name, dpi);
    }
    check_tray_states(check_bmp(dir, "tray_states.bmp", 48, 16, 24));
    for (int size : {20, 24, 32}) {
        const std::string name = "tray_states_" + std::to_string(size) + ".bmp";
        expect(only_colours(check_bmp(dir, name, 3 * size, size, 24), 0x0A246A, 0xFFFFFF), name,
               "white on dark blue only");
    }
    const Picture layout = check_ico(dir, "tray_layout.ico", {16}, 16);
    expect(only_colours(layout, 0x000080, 0xFFFFFF), "tray_layout.ico", "white on navy only");
    // Key tops, their two sides and the outlines and letters.
    // At 16 px the keys' narrow sides may lose a shade; 32 and 256 show all.
    for (int size : {32, 256}) {
        const Picture icon = check_ico(dir, "tamgalik.ico", {16, 20, 24, 32, 40, 48, 64, 256}, size);
        for (std::uint32_t colour : {0xFFFFFFu, 0xC0C0C0u, 0x808080u, 0x000000u})
            expect(std::find(icon.rgb.begin(), icon.rgb.end(), colour) != icon.rgb.end(), "tamgalik.ico",
                   std::to_string(size) + " px uses white, light grey, dark grey and black");
    }
    for (int dpi : tamga::kPictureDpis) {
        check_help_picture(dir, "frame", 430, 370, dpi, 0x1e6bf4f6cb96954c);
        check_help_picture(dir, "chart", 197, 583, dpi, 0x747facd3b0950864);
        check_help_picture(dir, "description", 430, 365, dpi, 0x507ea62e6ed1b7c0);
    }
    std::printf("%s\n", failures == 0 ? "all pictures check out" : "pictures do not check out");
    return failures == 0 ? 0 : 1;
}
