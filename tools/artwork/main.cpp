// Writes every picture the program ships, from the DejaVu fonts, into the
// directory given. The output is the same byte for byte on every run.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "colours.h"
#include "glyph_strip.h"
#include "help_chart.h"
#include "help_description.h"
#include "help_page.h"
#include "image_files.h"
#include "palette_layout.h"
#include "program_icon.h"
#include "tray_pictures.h"

int main(int argc, char** argv) {
    using namespace artwork;
    if (argc != 2) {
        std::cerr << "usage: artwork <output-dir>\n";
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        // Pure black on white: one bit per pixel loses nothing.
        for (int dpi : tamga::kPictureDpis)
            write_bmp(dir / glyph_strip_file(dpi), draw_glyph_strip(dpi), kBlackWhite, 1);
        std::vector<Canvas> icon_sizes;
        for (int size : kProgramIconSizes) icon_sizes.push_back(draw_program_icon(size));
        write_ico(dir / "tamgalik.ico", icon_sizes, kVga16);
        for (int size : tamga::kTrayPictureSizes) {
            const std::string name = size == 16 ? "tray_states.bmp" : "tray_states_" + std::to_string(size) + ".bmp";
            write_bmp(dir / name, draw_tray_states(size), kTrayColours, 24);
        }
        write_ico(dir / "tray_layout.ico", {draw_tray_layout_icon()}, kVga16);
        // Text pictures of every scale: packed, they take a tenth of the room.
        for (int dpi : tamga::kPictureDpis) {
            write_packed_bmp(dir / help_picture_file("frame", dpi), draw_help_frame(dpi), kBlackWhite, 1);
            write_packed_bmp(dir / help_picture_file("chart", dpi), draw_help_chart(dpi), kBlackWhite, 1);
            write_packed_bmp(dir / help_picture_file("description", dpi), draw_help_description(dpi), kBlackWhite, 1);
        }
    } catch (const std::exception& e) {
        std::cerr << "artwork: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
