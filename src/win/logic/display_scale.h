#pragma once
// Every length of the program's layouts is designed at 96 DPI; at another
// display scale it is the design length times dpi/96, to the nearest pixel
// (halves away from zero, so a -11 font height and a 33 px button grow alike).
namespace tamga {

inline constexpr int kDesignDpi = 96;

constexpr int scaled(int design, int dpi) {
    const int product = design * dpi;
    return (product >= 0 ? product + kDesignDpi / 2 : product - kDesignDpi / 2) / kDesignDpi;
}

}  // namespace tamga
