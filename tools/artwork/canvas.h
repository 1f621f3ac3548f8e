// A palette-indexed raster: every picture is drawn with a handful of exact
// colours, so pixels hold palette indices and the writers map them to bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

struct Rgb {
    std::uint8_t r, g, b;
};

struct Point {
    int x, y;
};

class Canvas {
public:
    Canvas(int width, int height, std::uint8_t fill);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    std::uint8_t at(int x, int y) const;
    // Out-of-range writes throw: a clipped letter is a fault, never a silent loss.
    void set(int x, int y, std::uint8_t colour);

    void hline(int x0, int x1, int y, std::uint8_t colour);  // inclusive ends
    void vline(int x, int y0, int y1, std::uint8_t colour);  // inclusive ends
    // Shapes may run past the edges (a close-up crops them), so these clip.
    void line(Point a, Point b, std::uint8_t colour);
    void fill_polygon(const std::vector<Point>& corners, std::uint8_t colour);

    Canvas region(int x, int y, int w, int h) const;

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace artwork
