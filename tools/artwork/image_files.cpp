#include "image_files.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>

#include <zlib.h>

namespace artwork {

namespace {

constexpr std::uint32_t kPixelsPerMetre96Dpi = 3780;

void save_bytes(const std::filesystem::path& file, const std::vector<char>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

class ByteWriter {
public:
    void u8(std::uint32_t v) { bytes_.push_back(static_cast<char>(v & 0xFF)); }
    void u16(std::uint32_t v) { u8(v); u8(v >> 8); }
    void u32(std::uint32_t v) { u16(v); u16(v >> 16); }
    std::size_t size() const { return bytes_.size(); }
    const std::vector<char>& bytes() const { return bytes_; }
    void save(const std::filesystem::path& file) const { save_bytes(file, bytes_); }

private:
    std::vector<char> bytes_;
};

std::uint32_t row_stride(int width, int bits_per_pixel) {
    return ((static_cast<std::uint32_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

void check_palette(const Canvas& canvas, const Palette& palette, int bits_per_pixel) {
    const std::size_t limit = bits_per_pixel == 24 ? palette.size() : std::min<std::size_t>(palette.size(), 1u << bits_per_pixel);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) >= limit) throw std::logic_error("pixel colour outside the palette");
}

void bitmap_info_header(ByteWriter& w, int width, int height, int bits_per_pixel, std::uint32_t image_size,
                        std::uint32_t pixels_per_metre, std::uint32_t colours_used) {
    w.u32(40);
    w.u32(static_cast<std::uint32_t>(width));
    w.u32(static_cast<std::uint32_t>(height));
    w.u16(1);
    w.u16(static_cast<std::uint32_t>(bits_per_pixel));
    w.u32(0);  // BI_RGB
    w.u32(image_size);
    w.u32(pixels_per_metre);
    w.u32(pixels_per_metre);
    w.u32(colours_used);
    w.u32(0);
}

void palette_entries(ByteWriter& w, const Palette& palette) {
    for (const Rgb& c : palette) { w.u8(c.b); w.u8(c.g); w.u8(c.r); w.u8(0); }
}

// Bottom-up pixel rows, each padded with zero bytes to the stride.
void pixel_rows(ByteWriter& w, const Canvas& canvas, const Palette& palette, int bits_per_pixel) {
    const std::uint32_t stride = row_stride(canvas.width(), bits_per_pixel);
    for (int y = canvas.height() - 1; y >= 0; --y) {
        const std::size_t start = w.size();
        if (bits_per_pixel == 24) {
            for (int x = 0; x < canvas.width(); ++x) {
                const Rgb& c = palette[canvas.at(x, y)];
                w.u8(c.b); w.u8(c.g); w.u8(c.r);
            }
        } else {
            const int per_byte = 8 / bits_per_pixel;
            for (int x = 0; x < canvas.width(); x += per_byte) {
                std::uint32_t byte = 0;
                for (int i = 0; i < per_byte; ++i) {
                    const std::uint32_t index = x + i < canvas.width() ? canvas.at(x + i, y) : 0;
                    byte |= index << (8 - bits_per_pixel * (i + 1));
                }
                w.u8(byte);
            }
        }
        while (w.size() - start < stride) w.u8(0);
    }
}

ByteWriter bmp_file(const Canvas& canvas, const Palette& palette, int bits_per_pixel) {
    if (bits_per_pixel != 1 && bits_per_pixel != 4 && bits_per_pixel != 24)
        throw std::logic_error("unsupported BMP depth");
    check_palette(canvas, palette, bits_per_pixel);
    const std::uint32_t colours = bits_per_pixel == 24 ? 0 : static_cast<std::uint32_t>(palette.size());
    const std::uint32_t image_size = row_stride(canvas.width(), bits_per_pixel) * canvas.height();
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    ByteWriter w;
    w.u8('B'); w.u8('M');
    w.u32(offset + image_size);
    w.u32(0);  // two reserved words
    w.u32(offset);
    bitmap_info_header(w, canvas.width(), canvas.height(), bits_per_pixel, image_size, kPixelsPerMetre96Dpi, colours);
    if (colours != 0) palette_entries(w, palette);
    pixel_rows(w, canvas, palette, bits_per_pixel);
    return w;
}

}  // namespace

void write_bmp(const std::filesystem::path& file, const Canvas& canvas, const Palette& palette, int bits_per_pixel) {
    bmp_file(canvas, palette, bits_per_pixel).save(file);
}

void write_packed_bmp(const std::filesystem::path& file, const Canvas& canvas, const Palette& palette,
                      int bits_per_pixel) {
    const ByteWriter file_bytes = bmp_file(canvas, palette, bits_per_pixel);
    const std::vector<char>& bmp = file_bytes.bytes();
    uLongf packed_size = compressBound(static_cast<uLong>(bmp.size()));
    std::vector<char> packed(packed_size);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(bmp.data()),
                  static_cast<uLong>(bmp.size()), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("cannot pack " + file.string());
    packed.resize(packed_size);
    save_bytes(file, packed);
}

void write_ico(const std::filesystem::path& file, const std::vector<Canvas>& images, const Palette& palette) {
    if (palette.size() != 16 || images.empty()) throw std::logic_error("icons here are 16-colour");
    ByteWriter w;
    // ICONDIR, then one ICONDIRENTRY per image, then the images in order.
    w.u16(0); w.u16(1); w.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    auto image_bytes = [](const Canvas& c) {
        return 40 + 4 * 16 + row_stride(c.width(), 4) * c.height() + row_stride(c.width(), 1) * c.height();
    };
    for (const Canvas& canvas : images) {
        if (canvas.width() > 256 || canvas.height() > 256) throw std::logic_error("icons are at most 256 pixels");
        check_palette(canvas, palette, 4);
        w.u8(static_cast<std::uint32_t>(canvas.width() & 0xFF));  // 0 stands for 256
        w.u8(static_cast<std::uint32_t>(canvas.height() & 0xFF));
        w.u8(16); w.u8(0);
        w.u16(1); w.u16(4);
        w.u32(image_bytes(canvas));
        w.u32(offset);
        offset += image_bytes(canvas);
    }
    for (const Canvas& canvas : images) {
        const std::uint32_t colour_bytes = row_stride(canvas.width(), 4) * canvas.height();
        const std::uint32_t mask_bytes = row_stride(canvas.width(), 1) * canvas.height();
        // The image's header counts the colour bitmap and the mask: twice the height.
        bitmap_info_header(w, canvas.width(), 2 * canvas.height(), 4, colour_bytes + mask_bytes, 0, 16);
        palette_entries(w, palette);
        pixel_rows(w, canvas, palette, 4);
        for (std::uint32_t i = 0; i < mask_bytes; ++i) w.u8(0);
    }
    w.save(file);
}

}  // namespace artwork
