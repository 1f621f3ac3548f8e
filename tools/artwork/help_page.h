// Where the Help window's pictures land: each is centred in a 411x373 tab
// page (at 96 DPI; every length scales with the display), shifted by half the
// size difference truncated toward zero (so a wider picture loses 9 px on the
// left).
#pragma once

#include <string>

#include "display_scale.h"

namespace artwork {

inline constexpr int kHelpPageWidth = 411;
inline constexpr int kHelpPageHeight = 373;

// Page coordinate of a centred picture's left (or top) edge.
constexpr int centred_offset(int page_extent, int picture_extent) { return (page_extent - picture_extent) / 2; }

// A design length (96 DPI) at the picture's DPI.
struct HelpScale {
    int dpi;
    int operator()(int design) const { return tamga::scaled(design, dpi); }
    // A one-pixel rule of the design, in whole pixels: two from 200 %.
    int rule() const { return dpi / tamga::kDesignDpi; }
};

// help_<name>.bmp.z at 96 DPI, help_<name>_<dpi>.bmp.z at the others.
inline std::string help_picture_file(const std::string& name, int dpi) {
    return "help_" + name + (dpi == tamga::kDesignDpi ? "" : "_" + std::to_string(dpi)) + ".bmp.z";
}

}  // namespace artwork
