#include "canvas.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace artwork {

Canvas::Canvas(int width, int height, std::uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

std::uint8_t Canvas::at(int x, int y) const {
    if (!contains(x, y))
        throw std::out_of_range("pixel (" + std::to_string(x) + "," + std::to_string(y) + ") is off the canvas");
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, std::uint8_t colour) {
    if (!contains(x, y))
        throw std::out_of_range("pixel (" + std::to_string(x) + "," + std::to_string(y) + ") is off the canvas");
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void Canvas::hline(int x0, int x1, int y, std::uint8_t colour) {
    for (int x = x0; x <= x1; ++x) set(x, y, colour);
}

void Canvas::vline(int x, int y0, int y1, std::uint8_t colour) {
    for (int y = y0; y <= y1; ++y) set(x, y, colour);
}

void Canvas::line(Point a, Point b, std::uint8_t colour) {
    // Bresenham: integer steps only, so the result never depends on rounding modes.
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (Point p = a;;) {
        if (contains(p.x, p.y)) set(p.x, p.y, colour);
        if (p.x == b.x && p.y == b.y) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; p.x += sx; }
        if (e2 <= dx) { err += dx; p.y += sy; }
    }
}

void Canvas::fill_polygon(const std::vector<Point>& corners, std::uint8_t colour) {
    // Even-odd rule sampled at pixel centres, in exact integer arithmetic
    // (coordinates doubled so the centre x + 0.5 stays whole).
    for (int y = 0; y < height_; ++y) {
        const long cy = 2L * y + 1;
        for (int x = 0; x < width_; ++x) {
            const long cx = 2L * x + 1;
            bool inside = false;
            for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                const long yi = 2L * corners[i].y, yj = 2L * corners[j].y;
                const long xi = 2L * corners[i].x, xj = 2L * corners[j].x;
                if ((yi > cy) == (yj > cy)) continue;
                // cx < xi + (cy - yi) * (xj - xi) / (yj - yi), without division
                const long lhs = (cx - xi) * (yj - yi), rhs = (cy - yi) * (xj - xi);
                if (yj > yi ? lhs < rhs : lhs > rhs) inside = !inside;
            }
            if (inside) set(x, y, colour);
        }
    }
}

Canvas Canvas::region(int x, int y, int w, int h) const {
    Canvas part(w, h, 0);
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col) part.set(col, row, at(x + col, y + row));
    return part;
}

}  // namespace artwork
