// Where the palette's buttons sit, which letter each stands for, and how a
// button picture is cut from the glyph strip.
#include "letter_table.h"
#include "palette_layout.h"

#include <gtest/gtest.h>

#include <set>

using namespace tamga;

TEST(PaletteLayout, ButtonNumbersMapOneToOneOntoRowsAndPositions) {
    std::set<std::pair<int, int>> seen;
    for (int number = 1; number <= kButtonCount; ++number) {
        const ButtonSlot slot = button_slot(number);
        EXPECT_GE(slot.position, 1);
        EXPECT_LE(slot.position, 16);
        EXPECT_EQ(button_number(slot), number);
        seen.insert({slot.row, slot.position});
    }
    EXPECT_EQ(seen.size(), 32u);
    EXPECT_EQ(button_slot(16), (ButtonSlot{1, 16}));
    EXPECT_EQ(button_slot(17), (ButtonSlot{2, 1}));
}

TEST(PaletteLayout, CapitalsSitAboveTheirSmallLetters) {
    EXPECT_EQ(button_rect(1), (Rect{8, 8, 41, 41}));
    EXPECT_EQ(button_rect(2), (Rect{8, 48, 41, 81}));
    EXPECT_EQ(button_rect(15), (Rect{288, 8, 321, 41}));
    EXPECT_EQ(button_rect(16), (Rect{288, 48, 321, 81}));
    // É over é in the first column, Ž over ž in the eighth.
    EXPECT_EQ(letter_at(kLatinRow, 1), 0x00C9u);
    EXPECT_EQ(letter_at(kLatinRow, 2), 0x00E9u);
    EXPECT_EQ(letter_at(kLatinRow, 15), 0x017Du);
    EXPECT_EQ(letter_at(kLatinRow, 16), 0x017Eu);
    EXPECT_EQ(letter_at(kLatinRow, 6), 0x0069u);  // the dotted capital's partner is a plain i
    EXPECT_EQ(letter_at(kCyrillicRow, 1), 0x04D8u);
    EXPECT_EQ(letter_at(kCyrillicRow, 16), 0x04BBu);
}

TEST(PaletteLayout, StripCellsOverlapByTwoPixels) {
    EXPECT_EQ(strip_cell({1, 1}), (Rect{4, 3, 34, 33}));
    EXPECT_EQ(strip_cell({2, 1}), (Rect{4, 31, 34, 61}));
    EXPECT_EQ(strip_cell({1, 2}).left, strip_cell({1, 1}).right - 2);
    EXPECT_EQ(strip_cell({2, 16}), (Rect{424, 31, 454, 61}));
    EXPECT_LE(strip_cell({2, 16}).right, kStripWidth);
    EXPECT_LE(strip_cell({2, 16}).bottom, kStripHeight);
}

namespace {

// A strip whose every pixel tells where it came from.
Pixels numbered_strip() {
    Pixels strip{kStripWidth, kStripHeight, std::vector<std::uint32_t>(kStripWidth * kStripHeight)};
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x) strip.at(x, y) = static_cast<std::uint32_t>(y << 12 | x);
    return strip;
}

}  // namespace

TEST(PaletteLayout, ButtonPictureIsTheCellAtTopLeftWithAWhiteMargin) {
    const Pixels strip = numbered_strip();
    for (ButtonSlot slot : {ButtonSlot{1, 1}, ButtonSlot{1, 9}, ButtonSlot{2, 16}}) {
        const Pixels picture = cut_button_picture(strip, slot);
        ASSERT_EQ(picture.width, 33);
        ASSERT_EQ(picture.height, 33);
        const Rect cell = strip_cell(slot);
        for (int y = 0; y < 33; ++y) {
            for (int x = 0; x < 33; ++x) {
                if (x < 30 && y < 30)
                    ASSERT_EQ(picture.at(x, y), strip.at(cell.left + x, cell.top + y)) << x << "," << y;
                else
                    ASSERT_EQ(picture.at(x, y), kWhite) << x << "," << y;
            }
        }
        // The button draws the bottom-left pixel's colour as transparent.
        EXPECT_EQ(picture.at(0, 32), kWhite);
    }
}

TEST(PaletteLayout, AShortStripLeavesWhiteRatherThanReadingPastIt) {
    const Pixels tiny{10, 10, std::vector<std::uint32_t>(100, 0)};
    const Pixels picture = cut_button_picture(tiny, {2, 16});
    for (std::uint32_t p : picture.rgb) EXPECT_EQ(p, kWhite);
}

TEST(DisplayScale, LengthsRoundToTheNearestPixelAlikeForBothSigns) {
    EXPECT_EQ(scaled(33, 96), 33);
    EXPECT_EQ(scaled(33, 144), 50);  // 49.5
    EXPECT_EQ(scaled(321, 144), 482);
    EXPECT_EQ(scaled(106, 144), 159);
    EXPECT_EQ(scaled(33, 120), 41);  // 41.25
    EXPECT_EQ(scaled(33, 192), 66);
    EXPECT_EQ(scaled(-11, 144), -17);  // a font height grows like a length
    EXPECT_EQ(scaled(-11, 96), -11);
    EXPECT_EQ(scaled(0, 192), 0);
}

TEST(DisplayScale, PicturesAreNeverLargerThanTheScaleAsks) {
    EXPECT_EQ(picture_dpi_for(96), 96);
    EXPECT_EQ(picture_dpi_for(72), 96);  // below the design: the design's pictures
    EXPECT_EQ(picture_dpi_for(119), 96);
    EXPECT_EQ(picture_dpi_for(120), 120);
    EXPECT_EQ(picture_dpi_for(144), 144);
    EXPECT_EQ(picture_dpi_for(167), 144);
    EXPECT_EQ(picture_dpi_for(168), 168);
    EXPECT_EQ(picture_dpi_for(192), 192);
    EXPECT_EQ(picture_dpi_for(288), 192);
    for (int dpi = 96; dpi <= 300; ++dpi)
        EXPECT_LE(strip_geometry(picture_dpi_for(dpi)).button, button_rect(1, dpi).right - button_rect(1, dpi).left)
            << dpi;
}

TEST(DisplayScale, EveryStripHoldsItsCellsWithInkFreeSharedEdges) {
    for (int dpi : kPictureDpis) {
        const StripGeometry g = strip_geometry(dpi);
        const int shared = g.cell - g.pitch;
        EXPECT_GE(shared, 2) << dpi;
        EXPECT_GT(g.cell - 2 * shared, g.cell / 2) << dpi << ": room left for a letter";
        EXPECT_GT(g.button, g.cell) << dpi << ": a white margin for the transparent colour";
        const Rect last = strip_cell({2, 16}, dpi);
        EXPECT_LE(last.right, g.width) << dpi;
        EXPECT_LE(last.bottom, g.height) << dpi;
        EXPECT_EQ(strip_cell({1, 2}, dpi).left, strip_cell({1, 1}, dpi).right - shared);
        EXPECT_EQ(strip_cell({2, 1}, dpi).top, strip_cell({1, 1}, dpi).bottom - shared);
    }
    // At 96 DPI the design's strip exactly.
    const StripGeometry design = strip_geometry(96);
    EXPECT_EQ(design.width, kStripWidth);
    EXPECT_EQ(design.height, kStripHeight);
    EXPECT_EQ(design.button, kButtonSize);
    EXPECT_EQ(design.cell, kCellSize);
}

TEST(DisplayScale, ButtonsAndTheirPicturesGrowWithTheScale) {
    EXPECT_EQ(button_rect(1, 144), (Rect{12, 12, 62, 62}));
    EXPECT_EQ(button_rect(16, 144), (Rect{432, 72, 482, 122}));
    EXPECT_EQ(button_rect(16, 192), (Rect{576, 96, 642, 162}));
    for (int position = 1; position <= 16; ++position) EXPECT_EQ(button_rect(position, 96), button_rect(position));
    // Every button lies inside the scaled palette panel.
    for (int dpi : {96, 120, 144, 168, 192, 240})
        for (int position = 1; position <= 16; ++position) {
            EXPECT_LE(button_rect(position, dpi).bottom, scaled(kPaletteHeight, dpi)) << dpi;
            EXPECT_LE(button_rect(position, dpi).right, scaled(kPanelWidth, dpi)) << dpi;
        }

    const StripGeometry g = strip_geometry(144);
    Pixels strip{g.width, g.height, std::vector<std::uint32_t>(static_cast<std::size_t>(g.width) * g.height)};
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) strip.at(x, y) = static_cast<std::uint32_t>(y << 12 | x);
    const Pixels picture = cut_button_picture(strip, {2, 9}, 144);
    ASSERT_EQ(picture.width, 50);
    ASSERT_EQ(picture.height, 50);
    const Rect cell = strip_cell({2, 9}, 144);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(picture.at(x, y), x < g.cell && y < g.cell ? strip.at(cell.left + x, cell.top + y) : kWhite)
                << x << "," << y;
}

TEST(DisplayScale, TheFrameShowsTheWholePaletteAndKeepsTheDesignAt96Dpi) {
    // Classic frame at 96 DPI: caption, menu bar and borders of 44 or 45 px
    // give the design's 134.
    EXPECT_EQ(palette_outer_height(44, 96), 134);
    EXPECT_EQ(palette_outer_height(45, 96), 134);
    // A thicker frame (Windows 10's caption and menu) grows the window, so
    // the palette is never cut.
    EXPECT_EQ(palette_outer_height(51, 96), 140);
    // At 150 % the palette is 134 px; the frame decides past the design's 201.
    EXPECT_EQ(palette_outer_height(62, 144), 201);
    EXPECT_EQ(palette_outer_height(76, 144), 210);
    for (int dpi : {96, 120, 144, 192})
        for (int frame = 30; frame < 120; ++frame)
            EXPECT_GE(palette_outer_height(frame, dpi) - frame, scaled(kPaletteHeight, dpi));
}
