#pragma once
// Every length of the program's layouts is designed at 96 DPI; at another
// display scale it is the design length times dpi/96, to the nearest pixel
// (halves away from zero, so a -11 font height and a 33 px button grow alike).
#include <string>

namespace tamga {

inline constexpr int kDesignDpi = 96;

constexpr int scaled(int design, int dpi) {
    const int product = design * dpi;
    return (product >= 0 ? product + kDesignDpi / 2 : product - kDesignDpi / 2) / kDesignDpi;
}

// The resource of a picture drawn for one of the picture scales: `base` at
// 96 DPI, `base` followed by the DPI at the others (GLYPHS, GLYPHS120, ...).
inline std::wstring picture_resource_name(const wchar_t* base, int picture_dpi) {
    return picture_dpi == kDesignDpi ? base : base + std::to_wstring(picture_dpi);
}

}  // namespace tamga
