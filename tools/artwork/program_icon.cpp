#include "program_icon.h"

#include <array>
#include <string>

#include "colours.h"
#include "display_scale.h"
#include "font.h"

namespace artwork {

namespace {

constexpr int kDesignSize = 32;
// A close-up: the keys around the middle one run past the icon's edges, so
// they are drawn on a larger sheet and the middle is cut out.
constexpr int kSheetMargin = 24;

// A key top is the parallelogram P, P+along, P+along+across, P+across; rows
// run along (lower left to upper right), the next row lies one step across.
constexpr Point kAlong{14, -5};
constexpr Point kAcross{5, 14};
constexpr Point kDepth{0, 4};
constexpr Point kKeyStep{17, -6};
constexpr Point kRowStep{5, 19};
// Top-left corner of the middle key, in icon pixels: its top is centred a
// little above the icon's middle, leaving room for its sides below.
constexpr Point kMiddleKey{7, 10};
constexpr int kLetterPixelSize = 11;

// Three rows of three keys, back row first so nearer keys cover it.
constexpr std::array<std::u32string_view, 3> kKeyLetters{U"ÖŽŊ", U"ŞÜĞ", U"ŽÉÖ"};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator*(int k, Point a) { return {k * a.x, k * a.y}; }

// The 32 px design at another size: every length scaled alike.
struct Scale {
    int dpi;
    int operator()(int v) const { return tamga::scaled(v, dpi); }
    Point operator()(Point p) const { return {(*this)(p.x), (*this)(p.y)}; }
};

void draw_key(Canvas& sheet, const Font& font, const Scale& s, Point p, char32_t letter) {
    const Point along = s(kAlong), across = s(kAcross), depth = s(kDepth);
    const Point a = p + along, c = p + along + across, b = p + across;
    // Seen from the front left: the left side lit, the front side in shade.
    sheet.fill_polygon({p, b, b + depth, p + depth}, vga::kLightGrey);
    sheet.fill_polygon({b, c, c + depth, b + depth}, vga::kDarkGrey);
    sheet.fill_polygon({p, a, c, b}, vga::kWhite);
    const std::vector<Point> silhouette{p, a, c, c + depth, b + depth, p + depth};
    for (std::size_t i = 0; i < silhouette.size(); ++i)
        sheet.line(silhouette[i], silhouette[(i + 1) % silhouette.size()], vga::kBlack);
    // The letter sits in the middle of the key top.
    const std::u32string text(1, letter);
    const InkBox ink = font.measure(text).ink;
    const int centre_x = (2 * p.x + along.x + across.x) / 2, centre_y = (2 * p.y + along.y + across.y) / 2;
    font.draw(sheet, centre_x - ink.width() / 2 - ink.left, centre_y - ink.height() / 2 - ink.top, text, vga::kBlack);
}

}  // namespace

Canvas draw_program_icon(int size) {
    const Scale s{size * tamga::kDesignDpi / kDesignSize};
    const int margin = s(kSheetMargin);
    Canvas sheet(size + 2 * margin, size + 2 * margin, vga::kWhite);
    const Font font(kSansBoldPath, s(kLetterPixelSize));
    const Point middle = s(kMiddleKey) + Point{margin, margin};
    for (int row = -1; row <= 1; ++row)
        for (int column = -1; column <= 1; ++column)
            draw_key(sheet, font, s, middle + row * s(kRowStep) + column * s(kKeyStep), kKeyLetters[row + 1][column + 1]);
    return sheet.region(margin, margin, size, size);
}

}  // namespace artwork
