#include "plot/kernel/colour_tables.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace korvan {
namespace {

struct Expected {
    int index;
    int red;
    int green;
    int blue;
};

void expect_entry(const ColourTable& t, Expected e, const char* what) {
    const std::uint32_t c = t[static_cast<std::size_t>(e.index)];
    EXPECT_EQ(red_of(c), e.red) << what << " entry " << e.index;
    EXPECT_EQ(green_of(c), e.green) << what << " entry " << e.index;
    EXPECT_EQ(blue_of(c), e.blue) << what << " entry " << e.index;
}

constexpr ColourTableName all_names[] = {ColourTableName::smal, ColourTableName::rain, ColourTableName::spec,
                                         ColourTableName::grey, ColourTableName::rrai, ColourTableName::rspe,
                                         ColourTableName::rgre, ColourTableName::vga};

// --- Built-in tables ----------------------------------------------------------------

TEST(ColourTables, SmallVgaAndGreyHoldTheirColours) {
    ASSERT_EQ(small_colours().size(), 9u);
    EXPECT_EQ(small_colours()[0], 0x000000u);
    EXPECT_EQ(small_colours()[1], 0xFFFFFFu);
    EXPECT_EQ(small_colours()[6], 0xFF5500u);
    EXPECT_EQ(small_colours()[8], 0xFF00FFu);
    ASSERT_EQ(vga_colours().size(), 16u);
    EXPECT_EQ(vga_colours()[1], 0x0000AAu);
    EXPECT_EQ(vga_colours()[6], 0xAA5500u);
    EXPECT_EQ(vga_colours()[9], 0x5555FFu);
    EXPECT_EQ(vga_colours()[15], 0xFFFFFFu);
    for (int i = 0; i < 256; ++i) {
        expect_entry(grey_colours(), {i, i, i, i}, "GREY");
    }
}

TEST(ColourTables, SpectrumEndsCornersAndRamp) {
    const ColourTable& s = spectrum_colours();
    expect_entry(s, {0, 0, 0, 0}, "SPEC");
    expect_entry(s, {255, 255, 255, 255}, "SPEC");
    expect_entry(s, {1, 255, 0, 255}, "SPEC");
    expect_entry(s, {254, 255, 0, 0}, "SPEC");
    expect_entry(s, {52, 0, 0, 255}, "SPEC");
    expect_entry(s, {102, 0, 255, 255}, "SPEC");
    expect_entry(s, {153, 0, 255, 0}, "SPEC");
    expect_entry(s, {204, 255, 255, 0}, "SPEC");
    // Inside the parts the ramp follows u = (i-1)*1275/253.
    expect_entry(s, {2, 250, 0, 255}, "SPEC");     // u = 5.04
    expect_entry(s, {27, 124, 0, 255}, "SPEC");    // u = 131.03
    expect_entry(s, {53, 0, 7, 255}, "SPEC");      // u = 262.06
    expect_entry(s, {128, 0, 255, 125}, "SPEC");   // u = 640.02
    expect_entry(s, {180, 137, 255, 0}, "SPEC");   // u = 902.08
    expect_entry(s, {230, 255, 121, 0}, "SPEC");   // u = 1154.05
    // Each step moves exactly one channel by a few units; the others stay put.
    for (int i = 2; i <= 254; ++i) {
        const std::uint32_t a = s[static_cast<std::size_t>(i - 1)];
        const std::uint32_t b = s[static_cast<std::size_t>(i)];
        const int dr = std::abs(red_of(a) - red_of(b));
        const int dg = std::abs(green_of(a) - green_of(b));
        const int db = std::abs(blue_of(a) - blue_of(b));
        EXPECT_LE(dr + dg + db, 8) << "SPEC step " << i;
        EXPECT_GE(dr + dg + db, 2) << "SPEC step " << i;
        EXPECT_LE((dr > 0) + (dg > 0) + (db > 0), 2) << "SPEC step " << i;
    }
}

TEST(ColourTables, RainbowPassesThroughEveryTellingRowSmoothly) {
    const ColourTable& r = rainbow_colours();
    const Expected rows[] = {
        {0, 0, 0, 0},        {1, 34, 0, 68},      {2, 38, 0, 77},      {16, 41, 0, 190},   {32, 0, 8, 255},
        {48, 0, 68, 255},    {64, 0, 132, 255},   {80, 0, 192, 255},   {96, 0, 255, 255},  {112, 0, 255, 191},
        {128, 0, 255, 82},   {144, 51, 255, 0},   {160, 123, 255, 0},  {176, 191, 255, 0}, {192, 255, 255, 0},
        {208, 255, 187, 0},  {224, 255, 123, 0},  {240, 255, 58, 0},   {253, 255, 4, 0},   {254, 255, 0, 0},
        {255, 255, 255, 255}};
    for (const Expected& e : rows) {
        expect_entry(r, e, "RAIN");
    }
    // Between the rows no channel jumps.
    for (int i = 2; i <= 254; ++i) {
        const std::uint32_t a = r[static_cast<std::size_t>(i - 1)];
        const std::uint32_t b = r[static_cast<std::size_t>(i)];
        EXPECT_LE(std::abs(red_of(a) - red_of(b)), 9) << "RAIN step " << i;
        EXPECT_LE(std::abs(green_of(a) - green_of(b)), 9) << "RAIN step " << i;
        EXPECT_LE(std::abs(blue_of(a) - blue_of(b)), 9) << "RAIN step " << i;
    }
    // Interpolated entries lie between their rows: half-way from 32 to 48.
    expect_entry(r, {40, 0, 38, 255}, "RAIN");
}

// --- Loading, reversing, pen maps ---------------------------------------------------

TEST(ColourTables, LoadingOverwritesOnlyTheTablesEntries) {
    ColourTable t;
    t.fill(0x123456);
    load_colour_table(ColourTableName::smal, t);
    EXPECT_EQ(t[8], 0xFF00FFu);
    EXPECT_EQ(t[9], 0x123456u);  // SMAL's highest index shows the previous entry
    EXPECT_EQ(t[255], 0x123456u);
    load_colour_table(ColourTableName::vga, t);
    EXPECT_EQ(t[15], 0xFFFFFFu);
    EXPECT_EQ(t[16], 0x123456u);
    load_colour_table(ColourTableName::spec, t);
    EXPECT_EQ(t, spectrum_colours());
}

TEST(ColourTables, ReversedTablesRunEndForEnd) {
    ColourTable t{};
    load_colour_table(ColourTableName::rrai, t);
    EXPECT_EQ(t[0], 0xFFFFFFu);
    EXPECT_EQ(t[255], 0x000000u);
    EXPECT_EQ(t[1], rainbow_colours()[254]);
    EXPECT_EQ(t[254], rainbow_colours()[1]);
    EXPECT_EQ(t[127], rainbow_colours()[128]);
    EXPECT_EQ(t[128], rainbow_colours()[127]);
    load_colour_table(ColourTableName::rgre, t);
    for (int i = 0; i < 256; ++i) {
        expect_entry(t, {i, 255 - i, 255 - i, 255 - i}, "RGRE");
    }
    load_colour_table(ColourTableName::rspe, t);
    EXPECT_EQ(t[1], 0xFF0000u);
    EXPECT_EQ(t[254], 0xFF00FFu);
    EXPECT_EQ(t[255 - 52], 0x0000FFu);
    // Reversing twice gives the table back.
    reverse_colour_table(t);
    EXPECT_EQ(t, spectrum_colours());
}

TEST(ColourTables, PenMapsNameTheirColours) {
    EXPECT_EQ(pen_map(ColourTableName::smal), (PenMap{1, 2, 3, 5, 4, 6, 7, 8, 1}));
    EXPECT_EQ(pen_map(ColourTableName::rain), (PenMap{255, 254, 138, 192, 30, 223, 96, 13, 0}));
    EXPECT_EQ(pen_map(ColourTableName::spec), (PenMap{255, 254, 154, 205, 53, 235, 103, 1, 0}));
    EXPECT_EQ(pen_map(ColourTableName::grey), (PenMap{255, 230, 185, 150, 95, 215, 175, 110, 255}));
    EXPECT_EQ(pen_map(ColourTableName::vga), (PenMap{15, 4, 2, 14, 1, 12, 3, 5, 0}));
    EXPECT_EQ(pen_map(ColourTableName::rrai), (PenMap{255, 1, 117, 63, 225, 32, 159, 242, 0}));
    EXPECT_EQ(pen_map(ColourTableName::rgre), (PenMap{255, 25, 70, 105, 160, 40, 80, 145, 255}));

    // The named pens of the colourful tables point at the colours they name.
    ColourTable t{};
    for (ColourTableName n : {ColourTableName::smal, ColourTableName::vga, ColourTableName::rain,
                              ColourTableName::spec}) {
        load_colour_table(n, t);
        const PenMap p = pen_map(n);
        const std::uint32_t red = t[static_cast<std::size_t>(p[1])];
        const std::uint32_t blue = t[static_cast<std::size_t>(p[4])];
        const std::uint32_t yellow = t[static_cast<std::size_t>(p[3])];
        EXPECT_GT(red_of(red), 160) << colour_table_title(n);
        EXPECT_LT(blue_of(red), 90) << colour_table_title(n);
        EXPECT_GT(blue_of(blue), 160) << colour_table_title(n);
        EXPECT_LT(red_of(blue), 90) << colour_table_title(n);
        EXPECT_GT(red_of(yellow), 160) << colour_table_title(n);
        EXPECT_GT(green_of(yellow), 160) << colour_table_title(n);
    }
    // A reversed table's pens show the same colours as the table it reverses.
    const std::pair<ColourTableName, ColourTableName> pairs[] = {{ColourTableName::rain, ColourTableName::rrai},
                                                                 {ColourTableName::spec, ColourTableName::rspe},
                                                                 {ColourTableName::grey, ColourTableName::rgre}};
    for (auto [base, reversed] : pairs) {
        ColourTable a{};
        ColourTable b{};
        load_colour_table(base, a);
        load_colour_table(reversed, b);
        const PenMap pa = pen_map(base);
        const PenMap pb = pen_map(reversed);
        for (std::size_t k = 1; k <= 7; ++k) {
            EXPECT_EQ(a[static_cast<std::size_t>(pa[k])], b[static_cast<std::size_t>(pb[k])])
                << colour_table_title(reversed) << " pen " << k;
        }
    }
}

TEST(ColourTables, DevicesGetTheTablesTheyCanShow) {
    EXPECT_EQ(table_for_device(ColourTableName::rain, 301), ColourTableName::smal);
    EXPECT_EQ(table_for_device(ColourTableName::vga, 399), ColourTableName::smal);
    EXPECT_EQ(table_for_device(ColourTableName::rain, 401), ColourTableName::rain);
    EXPECT_EQ(table_for_device(ColourTableName::rgre, 501), ColourTableName::rgre);
    ColourTable t{};
    load_colour_table_for_device(ColourTableName::smal, 501, t);
    EXPECT_EQ(t[0], 0xFFFFFFu);
    EXPECT_EQ(t[1], 0x000000u);
    EXPECT_EQ(t[2], 0xFF0000u);
    load_colour_table_for_device(ColourTableName::smal, 502, t);
    EXPECT_EQ(t[0], 0x000000u);
    EXPECT_EQ(t[1], 0xFFFFFFu);
    load_colour_table_for_device(ColourTableName::grey, 501, t);
    EXPECT_EQ(t, grey_colours());
}

TEST(ColourTables, CycleForegroundAndLimits) {
    const PenMap p = pen_map(ColourTableName::rain);
    EXPECT_EQ(colour_cycle_entry(p, 1), 255);
    EXPECT_EQ(colour_cycle_entry(p, 2), 254);
    EXPECT_EQ(colour_cycle_entry(p, 8), 13);
    EXPECT_EQ(colour_cycle_entry(p, 9), 255);  // BLAC is never used
    EXPECT_EQ(colour_cycle_entry(p, 30), colour_cycle_entry(p, 6));

    EXPECT_EQ(foreground_slot(ColourTableName::smal), 1);
    EXPECT_EQ(foreground_slot(ColourTableName::vga), 15);
    EXPECT_EQ(foreground_slot(ColourTableName::rgre), 255);
    EXPECT_EQ(foreground_index(ColourTableName::rain, 501), 0);
    EXPECT_EQ(foreground_index(ColourTableName::grey, 501), 0);
    EXPECT_EQ(foreground_index(ColourTableName::rgre, 501), 255);
    EXPECT_EQ(foreground_index(ColourTableName::rain, 502), 255);
    EXPECT_EQ(foreground_index(ColourTableName::smal, 501), 1);
    EXPECT_EQ(highest_colour_index(ColourTableName::smal), 9);
    EXPECT_EQ(highest_colour_index(ColourTableName::vga), 15);
    EXPECT_EQ(highest_colour_index(ColourTableName::rspe), 255);

    ColourTable t{};
    load_colour_table(ColourTableName::vga, t);
    exchange_background(t, ColourTableName::vga);
    EXPECT_EQ(t[0], 0xFFFFFFu);
    EXPECT_EQ(t[15], 0x000000u);

    const char* titles[] = {"SMALL", "RAIN", "SPEC", "GREY", "RRAIN", "RSPEC", "RGREY", "VGA"};
    for (int i = 0; i < colour_table_name_count; ++i) {
        EXPECT_EQ(colour_table_title(all_names[i]), titles[i]);
        EXPECT_EQ(static_cast<int>(all_names[i]), i);
    }
}

TEST(ColourTables, FractionsRoundHalfAwayFromZeroAndAreChecked) {
    EXPECT_EQ(rgb_from_fractions(0, 0, 0), 0x000000u);
    EXPECT_EQ(rgb_from_fractions(1, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(rgb_from_fractions(0.5, 0, 0), 0x800000u);  // 127.5 -> 128
    EXPECT_EQ(rgb_from_fractions(0, 0.498, 0), 0x007F00u);  // 126.99 -> 127
    EXPECT_EQ(rgb_from_fractions(0, 0, 1 + 1e-36), 0x0000FFu);
    EXPECT_EQ(rgb_from_fractions(-1e-36, 0, 0), 0x000000u);
    EXPECT_EQ(rgb_from_fractions(1.0001, 0, 0), std::nullopt);
    EXPECT_EQ(rgb_from_fractions(0, -0.01, 0), std::nullopt);
    EXPECT_EQ(rgb_from_fractions(0, 0, std::nan("")), std::nullopt);
}

TEST(ColourTables, MetafileAndPlotterColourSelection) {
    // 256 = 2 * 89 + 78 for index 0; 89 and 178 need one field fewer than their quotient.
    EXPECT_EQ(metafile_colour_fields(0), "99.000000099.000000087.0000000");
    EXPECT_EQ(metafile_colour_fields(1), "10.0000000");
    EXPECT_EQ(metafile_colour_fields(88), "97.0000000");
    EXPECT_EQ(metafile_colour_fields(89), "98.0000000");
    EXPECT_EQ(metafile_colour_fields(90), "99.000000010.0000000");
    EXPECT_EQ(metafile_colour_fields(178), "99.000000098.0000000");
    EXPECT_EQ(metafile_colour_fields(255), "99.000000099.000000086.0000000");
    // Every "99" field stands for 89, the last field for its value less 9.
    for (int i = 1; i < 256; ++i) {
        const std::string f = metafile_colour_fields(i);
        ASSERT_EQ(f.size() % 10, 0u) << i;
        double sum = 0;
        for (std::size_t k = 0; k < f.size(); k += 10) {
            const double v = std::stod(f.substr(k, 10));
            const bool last = k + 10 == f.size();
            EXPECT_GE(v, 10.0) << i;
            EXPECT_LE(v, last ? 98.0 : 99.0) << i;
            if (!last) {
                EXPECT_EQ(v, 99.0) << i;
            }
            sum += last ? v - 9 : 89;
        }
        EXPECT_DOUBLE_EQ(sum, i) << i;
    }
    EXPECT_EQ(hpgl_pen_select(3), "SP3;");
    EXPECT_EQ(hpgl_pen_select(255), "SP255;");
}

// --- HSV and RGB --------------------------------------------------------------------

void expect_rgb(std::optional<Rgb> c, double r, double g, double b) {
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->red, r, 1e-12);
    EXPECT_NEAR(c->green, g, 1e-12);
    EXPECT_NEAR(c->blue, b, 1e-12);
}

void expect_hsv(std::optional<Hsv> c, double h, double s, double v) {
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(c->hue, h, 1e-9);
    EXPECT_NEAR(c->saturation, s, 1e-12);
    EXPECT_NEAR(c->value, v, 1e-12);
}

TEST(ColourTables, RgbToHsvOfThePrimariesAndMixtures) {
    expect_hsv(rgb_to_hsv(0, 0, 1), 240, 1, 1);
    expect_hsv(rgb_to_hsv(1, 0, 0), 0, 1, 1);
    expect_hsv(rgb_to_hsv(0, 1, 0), 120, 1, 1);
    expect_hsv(rgb_to_hsv(1, 1, 0), 60, 1, 1);
    expect_hsv(rgb_to_hsv(0, 1, 1), 180, 1, 1);
    expect_hsv(rgb_to_hsv(1, 0, 1), 300, 1, 1);
    expect_hsv(rgb_to_hsv(1, 0.5, 0), 30, 1, 1);
    expect_hsv(rgb_to_hsv(1, 0, 0.5), 330, 1, 1);
    expect_hsv(rgb_to_hsv(0.25, 0.5, 0.5), 180, 0.5, 0.5);
    expect_hsv(rgb_to_hsv(0.4, 0.4, 0.4), 0, 0, 0.4);
    expect_hsv(rgb_to_hsv(0, 0, 0), 0, 0, 0);
    EXPECT_EQ(rgb_to_hsv(1.01, 0, 0), std::nullopt);
    EXPECT_EQ(rgb_to_hsv(0, -0.001, 0), std::nullopt);
    EXPECT_TRUE(rgb_to_hsv(1.00005, 0, -0.00005).has_value());
}

TEST(ColourTables, HsvToRgbSectorsAndLimits) {
    expect_rgb(hsv_to_rgb(0, 1, 1), 1, 0, 0);
    expect_rgb(hsv_to_rgb(60, 1, 1), 1, 1, 0);
    expect_rgb(hsv_to_rgb(120, 1, 1), 0, 1, 0);
    expect_rgb(hsv_to_rgb(180, 1, 1), 0, 1, 1);
    expect_rgb(hsv_to_rgb(240, 1, 1), 0, 0, 1);
    expect_rgb(hsv_to_rgb(300, 1, 1), 1, 0, 1);
    expect_rgb(hsv_to_rgb(30, 1, 1), 1, 0.5, 0);
    expect_rgb(hsv_to_rgb(90, 0.5, 0.8), 0.6, 0.8, 0.4);
    expect_rgb(hsv_to_rgb(200, 0, 0.3), 0.3, 0.3, 0.3);
    expect_rgb(hsv_to_rgb(360, 1, 1), 1, 0, 0);
    expect_rgb(hsv_to_rgb(360.00005, 0.5, 1), 1, 0.5, 0.5);
    expect_rgb(hsv_to_rgb(-0.00005, 1, 1.00005), 1, 0, 0);
    EXPECT_EQ(hsv_to_rgb(360.01, 1, 1), std::nullopt);
    EXPECT_EQ(hsv_to_rgb(-0.01, 1, 1), std::nullopt);
    EXPECT_EQ(hsv_to_rgb(10, 1.01, 1), std::nullopt);
    EXPECT_EQ(hsv_to_rgb(10, 1, -0.01), std::nullopt);
}

TEST(ColourTables, HsvAndRgbAreInverse) {
    for (int r = 0; r <= 10; ++r) {
        for (int g = 0; g <= 10; ++g) {
            for (int b = 0; b <= 10; ++b) {
                const auto hsv = rgb_to_hsv(r / 10.0, g / 10.0, b / 10.0);
                ASSERT_TRUE(hsv.has_value());
                EXPECT_GE(hsv->hue, 0);
                EXPECT_LT(hsv->hue, 360);
                const auto rgb = hsv_to_rgb(hsv->hue, hsv->saturation, hsv->value);
                ASSERT_TRUE(rgb.has_value());
                EXPECT_NEAR(rgb->red, r / 10.0, 1e-9) << r << " " << g << " " << b;
                EXPECT_NEAR(rgb->green, g / 10.0, 1e-9) << r << " " << g << " " << b;
                EXPECT_NEAR(rgb->blue, b / 10.0, 1e-9) << r << " " << g << " " << b;
            }
        }
    }
}

// --- Values to colours --------------------------------------------------------------

TEST(ColourTables, ValuesMapAlongARisingAxis) {
    const ColourScaling s = colour_scaling(0, 254, false, 1, 254);
    const ColourIndexLimits limits{0, 255};
    EXPECT_DOUBLE_EQ(s.factor, 1.0);
    EXPECT_EQ(value_to_colour(-0.5, s, limits), 0);
    EXPECT_EQ(value_to_colour(254.5, s, limits), 255);
    EXPECT_EQ(value_to_colour(0, s, limits), 1);
    EXPECT_EQ(value_to_colour(0.99, s, limits), 1);
    EXPECT_EQ(value_to_colour(1, s, limits), 2);
    EXPECT_EQ(value_to_colour(100.7, s, limits), 101);
    EXPECT_EQ(value_to_colour(253.9, s, limits), 254);
    EXPECT_EQ(value_to_colour(254, s, limits), 254);  // one past the range comes back

    // A smaller colour range on an axis of another length.
    const ColourScaling t = colour_scaling(-1, 1, false, 10, 19);
    EXPECT_DOUBLE_EQ(t.factor, 5.0);
    EXPECT_EQ(value_to_colour(-1, t, limits), 10);
    EXPECT_EQ(value_to_colour(0, t, limits), 15);
    EXPECT_EQ(value_to_colour(1, t, limits), 19);
    EXPECT_EQ(value_to_colour(std::numeric_limits<double>::infinity(), t, limits), 255);
    EXPECT_EQ(value_to_colour(std::nan(""), t, limits), 0);
}

TEST(ColourTables, ValuesMapAlongAReversedAxis) {
    // The axis runs from 10 down to 0: the first colour is at 10.
    const ColourScaling s = colour_scaling(10, 0, false, 1, 254);
    const ColourIndexLimits limits{0, 255};
    EXPECT_DOUBLE_EQ(s.low, 0);
    EXPECT_DOUBLE_EQ(s.high, 10);
    EXPECT_EQ(value_to_colour(-1, s, limits), 255);  // below the data range: highest
    EXPECT_EQ(value_to_colour(11, s, limits), 0);    // above it: lowest
    EXPECT_EQ(value_to_colour(10, s, limits), 1);
    EXPECT_EQ(value_to_colour(0, s, limits), 254);
    EXPECT_EQ(value_to_colour(5, s, limits), 128);
    EXPECT_GT(value_to_colour(2, s, limits), value_to_colour(8, s, limits));
}

TEST(ColourTables, ValuesMapAlongALogarithmicAxis) {
    // Axis from 10^0 to 10^3 with a colour range of 30 entries: ten per decade.
    const ColourScaling s = colour_scaling(0, 3, true, 1, 30);
    const ColourIndexLimits limits{0, 255};
    EXPECT_DOUBLE_EQ(s.low, 1);
    EXPECT_DOUBLE_EQ(s.high, 1000);
    EXPECT_EQ(value_to_colour(1, s, limits), 1);
    EXPECT_EQ(value_to_colour(10, s, limits), 11);
    EXPECT_EQ(value_to_colour(100, s, limits), 21);
    EXPECT_EQ(value_to_colour(1000, s, limits), 30);
    EXPECT_EQ(value_to_colour(0.5, s, limits), 0);
    EXPECT_EQ(value_to_colour(0, s, limits), 0);
    EXPECT_EQ(value_to_colour(-5, s, limits), 0);
    EXPECT_EQ(value_to_colour(1001, s, limits), 255);
    // Reversed logarithmic axis.
    const ColourScaling r = colour_scaling(3, 0, true, 1, 30);
    EXPECT_EQ(value_to_colour(1000, r, limits), 1);
    EXPECT_EQ(value_to_colour(1, r, limits), 30);
    EXPECT_EQ(value_to_colour(0.5, r, limits), 255);
}

TEST(ColourTables, ArraysOfValuesMapEntryByEntry) {
    const ColourScaling s = colour_scaling(0, 1, false, 1, 100);
    const float values[] = {-1.0f, 0.0f, 0.5f, 1.0f, 2.0f};
    int colours[6] = {-7, -7, -7, -7, -7, -7};
    values_to_colours(values, std::span<int>(colours, 5), s, {0, 255});
    EXPECT_EQ(colours[0], 0);
    EXPECT_EQ(colours[1], 1);
    EXPECT_EQ(colours[2], 51);
    EXPECT_EQ(colours[3], 100);
    EXPECT_EQ(colours[4], 255);
    EXPECT_EQ(colours[5], -7);
    // A short output array limits the count.
    int two[2] = {-7, -7};
    values_to_colours(values, two, s, {0, 255});
    EXPECT_EQ(two[1], 1);
}

TEST(ColourTables, DegenerateAxesAndRangesStayInRange) {
    const ColourIndexLimits limits{0, 15};
    // An axis of no length maps its one value to the first colour.
    const ColourScaling z = colour_scaling(2, 2, false, 1, 14);
    EXPECT_EQ(value_to_colour(2, z, limits), 1);
    EXPECT_EQ(value_to_colour(1, z, limits), 15);
    EXPECT_EQ(value_to_colour(3, z, limits), 0);
    // A colour range given high to low runs the colours backwards.
    const ColourScaling b = colour_scaling(0, 10, false, 14, 1);
    EXPECT_EQ(value_to_colour(0, b, limits), 14);
    EXPECT_EQ(value_to_colour(10, b, limits), 1);
    for (double v = 0; v <= 10; v += 0.25) {
        const int k = value_to_colour(v, b, limits);
        EXPECT_GE(k, 1);
        EXPECT_LE(k, 14);
    }
}

}  // namespace
}  // namespace korvan
