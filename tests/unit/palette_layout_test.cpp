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
