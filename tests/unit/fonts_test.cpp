#include "plot/routines/fonts.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace korvan {
namespace {

constexpr StrokeFont all_fonts[] = {StrokeFont::koralf, StrokeFont::simplx, StrokeFont::duplx,
                                    StrokeFont::triplx, StrokeFont::complx, StrokeFont::serif,
                                    StrokeFont::helve,  StrokeFont::helves, StrokeFont::gothic};
constexpr Alphabet all_alphabets[] = {Alphabet::standard, Alphabet::greek,  Alphabet::math,
                                      Alphabet::italic,   Alphabet::script, Alphabet::russian};
constexpr Alphabet latin_alphabets[] = {Alphabet::standard, Alphabet::italic, Alphabet::script};

std::string label(StrokeFont f, Alphabet a, char32_t c) {
    return std::string(font_name(f)) + "/" + std::string(alphabet_keyword(a)) + " code " +
           std::to_string(static_cast<unsigned>(c));
}

int point_count(const Glyph& g) {
    int n = 0;
    for (const GlyphStroke& s : g.strokes) {
        n += static_cast<int>(s.size());
    }
    return n;
}

bool same_strokes(const Glyph& a, const Glyph& b) {
    if (a.strokes.size() != b.strokes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.strokes.size(); ++i) {
        if (!std::equal(a.strokes[i].begin(), a.strokes[i].end(), b.strokes[i].begin(), b.strokes[i].end(),
                        [](GlyphPoint p, GlyphPoint q) { return p.x == q.x && p.y == q.y; })) {
            return false;
        }
    }
    return true;
}

// --- Coverage and extents -------------------------------------------------------------

TEST(Fonts, EveryPrintableCharacterHasAGlyphInEveryFontAndAlphabet) {
    for (StrokeFont f : all_fonts) {
        for (Alphabet a : all_alphabets) {
            for (char32_t c = 32; c < 127; ++c) {
                const Glyph* g = find_glyph(f, a, c);
                ASSERT_NE(g, nullptr) << label(f, a, c);
                EXPECT_EQ(g->code, c) << label(f, a, c);
                EXPECT_GT(g->advance(), 0) << label(f, a, c);
                // In the standard alphabet only the blank is empty.
                if (a == Alphabet::standard) {
                    EXPECT_EQ(g->blank(), c == U' ') << label(f, a, c);
                }
            }
        }
    }
}

TEST(Fonts, GlyphExtentsAndInkAreSane) {
    for (StrokeFont f : all_fonts) {
        for (Alphabet a : all_alphabets) {
            const AlphabetMetrics m = alphabet_metrics(f, a);
            EXPECT_EQ(m.cap_height, 21) << font_name(f) << alphabet_keyword(a);
            EXPECT_GT(m.x_height, 7);
            EXPECT_LT(m.x_height, m.cap_height);
            EXPECT_GE(m.ascent, m.cap_height);
            EXPECT_LT(m.descent, 0);
            EXPECT_GT(m.space_advance, 0);
            for (const Glyph& g : alphabet_glyphs(f, a)) {
                const std::string where = label(f, a, g.code);
                EXPECT_LT(g.left, 0) << where;
                EXPECT_GT(g.right, 0) << where;
                EXPECT_LE(g.advance(), 80) << where;
                if (g.blank()) {
                    continue;
                }
                EXPECT_LE(g.ink_left, g.ink_right) << where;
                EXPECT_LE(g.ink_bottom, g.ink_top) << where;
                EXPECT_LE(g.ink_top, m.ascent) << where;
                EXPECT_GE(g.ink_bottom, m.descent) << where;
                // Ink stays near the glyph's own cell (italics lean out a little).
                EXPECT_GE(g.ink_left, g.left - 12) << where;
                EXPECT_LE(g.ink_right, g.right + 12) << where;
                for (const GlyphStroke& s : g.strokes) {
                    EXPECT_FALSE(s.empty()) << where;
                }
            }
        }
    }
}

TEST(Fonts, CapitalsStandOnTheBaseLineAtCapHeight) {
    for (StrokeFont f : all_fonts) {
        for (Alphabet a : latin_alphabets) {
            const AlphabetMetrics m = alphabet_metrics(f, a);
            const Glyph& h = glyph(f, a, U'H');
            EXPECT_EQ(h.ink_top, m.cap_height) << font_name(f);
            EXPECT_EQ(h.ink_bottom, 0) << font_name(f);
            const Glyph& x = glyph(f, a, U'x');
            EXPECT_EQ(x.ink_top, m.x_height) << font_name(f);
            // Descenders go below the base line, ascenders reach cap height.
            EXPECT_LT(glyph(f, a, U'p').ink_bottom, -4) << font_name(f);
            EXPECT_GE(glyph(f, a, U'd').ink_top, m.cap_height - 1) << font_name(f);
        }
    }
}

TEST(Fonts, GlyphsDifferBetweenCharactersAndFonts) {
    // Every character of the standard alphabet is its own shape, except that the
    // sans-serif fonts draw I and l as the same bar.
    for (StrokeFont f : all_fonts) {
        for (char32_t c = 33; c < 127; ++c) {
            for (char32_t d = c + 1; d < 127; ++d) {
                if (c == U'I' && d == U'l') {
                    continue;
                }
                const Glyph& a = glyph(f, Alphabet::standard, c);
                const Glyph& b = glyph(f, Alphabet::standard, d);
                EXPECT_FALSE(same_strokes(a, b)) << font_name(f) << " " << char(c) << " and " << char(d);
            }
        }
    }
    // Heavier fonts draw more strokes than the simplex one.
    const int simplex = point_count(glyph(StrokeFont::simplx, Alphabet::standard, U'A'));
    EXPECT_GT(point_count(glyph(StrokeFont::duplx, Alphabet::standard, U'A')), simplex);
    EXPECT_GT(point_count(glyph(StrokeFont::triplx, Alphabet::standard, U'A')), simplex);
    EXPECT_GT(point_count(glyph(StrokeFont::complx, Alphabet::standard, U'A')), simplex);
    EXPECT_FALSE(same_strokes(glyph(StrokeFont::complx, Alphabet::standard, U'g'),
                              glyph(StrokeFont::gothic, Alphabet::standard, U'g')));
    EXPECT_EQ(glyph_source(StrokeFont::simplx, Alphabet::standard), "rowmans");
    EXPECT_EQ(glyph_source(StrokeFont::gothic, Alphabet::standard), "gothiceng");
}

// --- Alphabets ----------------------------------------------------------------------

TEST(Fonts, GreekAndCyrillicRemapLettersAndKeepTheRest) {
    for (StrokeFont f : all_fonts) {
        for (Alphabet a : {Alphabet::greek, Alphabet::russian}) {
            for (char32_t c : {U'b', U'D', U'p', U'W'}) {
                EXPECT_FALSE(same_strokes(glyph(f, a, c), glyph(f, Alphabet::standard, c))) << label(f, a, c);
            }
            // Digits and punctuation are the font's own.
            for (char32_t c : {U'0', U'7', U'.', U'(', U'+', U' '}) {
                EXPECT_EQ(&glyph(f, a, c), &glyph(f, Alphabet::standard, c)) << label(f, a, c);
            }
        }
        // Letters without a Greek counterpart are blank, but take up room.
        for (char32_t c : {U'J', U'V', U'j', U'v'}) {
            const Glyph& g = glyph(f, Alphabet::greek, c);
            EXPECT_TRUE(g.blank()) << label(f, Alphabet::greek, c);
            EXPECT_GT(g.advance(), 0);
        }
    }
    // Greek letters follow the symbol keyboard: p is pi, P is Pi, q is theta.
    const Glyph& pi = glyph(StrokeFont::simplx, Alphabet::greek, U'P');
    EXPECT_EQ(pi.ink_top, 21);
    EXPECT_EQ(pi.ink_bottom, 0);
    // Small Greek letters sit in the x-height (pi) or rise above it (beta, theta).
    EXPECT_LE(glyph(StrokeFont::simplx, Alphabet::greek, U'p').ink_top, 15);
    EXPECT_GT(glyph(StrokeFont::simplx, Alphabet::greek, U'b').ink_top, 15);
    EXPECT_GT(glyph(StrokeFont::simplx, Alphabet::greek, U'q').ink_top, 15);
    // Italic and script are their own sets; math holds symbols in place of punctuation.
    EXPECT_FALSE(same_strokes(glyph(StrokeFont::simplx, Alphabet::italic, U'a'),
                              glyph(StrokeFont::simplx, Alphabet::standard, U'a')));
    EXPECT_FALSE(same_strokes(glyph(StrokeFont::simplx, Alphabet::script, U'a'),
                              glyph(StrokeFont::simplx, Alphabet::italic, U'a')));
    EXPECT_FALSE(same_strokes(glyph(StrokeFont::simplx, Alphabet::math, U'!'),
                              glyph(StrokeFont::simplx, Alphabet::standard, U'!')));
}

TEST(Fonts, GreekAndCyrillicLettersAlsoStandAtTheirUnicodeCodes) {
    for (StrokeFont f : all_fonts) {
        // alpha, pi, Omega, psi by key letter and by code.
        const std::pair<char32_t, char32_t> greek[] = {{U'a', 0x3B1}, {U'p', 0x3C0}, {U'W', 0x3A9}, {U'y', 0x3C8},
                                                       {U'S', 0x3A3}, {U's', 0x3C3}, {U'Z', 0x396}};
        for (auto [key, code] : greek) {
            EXPECT_TRUE(same_strokes(glyph(f, Alphabet::greek, key), glyph(f, Alphabet::greek, code)))
                << label(f, Alphabet::greek, code);
        }
        // The final-sigma gap holds nothing.
        EXPECT_EQ(find_glyph(f, Alphabet::greek, 0x3A2), nullptr);
        // All 64 Russian letters, each its own shape; A is A, Z is shcha.
        for (char32_t c = 0x410; c < 0x450; ++c) {
            const Glyph* g = find_glyph(f, Alphabet::russian, c);
            ASSERT_NE(g, nullptr) << label(f, Alphabet::russian, c);
            EXPECT_FALSE(g->blank()) << label(f, Alphabet::russian, c);
            if (c != 0x410 && c != 0x430) {
                EXPECT_FALSE(same_strokes(*g, glyph(f, Alphabet::russian, c - 1))) << label(f, Alphabet::russian, c);
            }
        }
        EXPECT_TRUE(same_strokes(glyph(f, Alphabet::russian, U'Z'), glyph(f, Alphabet::russian, 0x429)));
        EXPECT_TRUE(same_strokes(glyph(f, Alphabet::russian, U'b'), glyph(f, Alphabet::russian, 0x431)));
        // Ya is a capital: on the base line at cap height; small ya in the x-height.
        const AlphabetMetrics m = alphabet_metrics(f, Alphabet::russian);
        EXPECT_EQ(glyph(f, Alphabet::russian, 0x42F).ink_top, m.cap_height);
        EXPECT_EQ(glyph(f, Alphabet::russian, 0x42F).ink_bottom, 0);
        EXPECT_EQ(glyph(f, Alphabet::russian, 0x44F).ink_top, m.x_height);
    }
}

TEST(Fonts, KeywordsAndNames) {
    EXPECT_EQ(alphabet_by_keyword("STAN"), Alphabet::standard);
    EXPECT_EQ(alphabet_by_keyword("greek"), Alphabet::greek);
    EXPECT_EQ(alphabet_by_keyword("Russian"), Alphabet::russian);
    EXPECT_EQ(alphabet_by_keyword("scri"), Alphabet::script);
    EXPECT_EQ(alphabet_by_keyword("GRE"), std::nullopt);
    EXPECT_EQ(alphabet_by_keyword(""), std::nullopt);
    EXPECT_EQ(alphabet_by_keyword("INST"), std::nullopt);
    EXPECT_EQ(national_set_by_keyword("GERMAN"), NationalSet::german);
    EXPECT_EQ(national_set_by_keyword("circ"), NationalSet::circumflex);
    EXPECT_EQ(national_set_by_keyword("ITAL"), std::nullopt);
    for (StrokeFont f : all_fonts) {
        EXPECT_EQ(font_by_name(font_name(f)), f);
    }
    EXPECT_EQ(font_by_name("helves"), StrokeFont::helves);
    EXPECT_EQ(font_by_name("HELV"), std::nullopt);
    EXPECT_EQ(font_by_name("HWFONT"), std::nullopt);
    for (Alphabet a : all_alphabets) {
        EXPECT_EQ(alphabet_by_keyword(alphabet_keyword(a)), a);
    }
}

TEST(Fonts, UnknownCharactersAreBlank) {
    EXPECT_EQ(find_glyph(StrokeFont::complx, Alphabet::standard, U'\t'), nullptr);
    EXPECT_EQ(find_glyph(StrokeFont::complx, Alphabet::greek, 0x4E00), nullptr);
    EXPECT_TRUE(glyph(StrokeFont::complx, Alphabet::greek, 0x4E00).blank());
    EXPECT_EQ(glyph(StrokeFont::complx, Alphabet::standard, 127).code, U' ');
}

// --- National characters ------------------------------------------------------------

TEST(Fonts, NationalShiftSelectsTheNationalForm) {
    EXPECT_EQ(national_character(NationalSet::german, U'A'), 0xC4u);
    EXPECT_EQ(national_character(NationalSet::german, U'o'), 0xF6u);
    EXPECT_EQ(national_character(NationalSet::german, U'U'), 0xDCu);
    EXPECT_EQ(national_character(NationalSet::german, U's'), 0xDFu);
    EXPECT_EQ(national_character(NationalSet::german, U'e'), 0u);
    EXPECT_EQ(national_character(NationalSet::danish, U'A'), 0xC5u);
    EXPECT_EQ(national_character(NationalSet::danish, U'o'), 0xF8u);
    EXPECT_EQ(national_character(NationalSet::danish, U'E'), 0xC6u);
    EXPECT_EQ(national_character(NationalSet::spanish, U'n'), 0xF1u);
    EXPECT_EQ(national_character(NationalSet::spanish, U'?'), 0xBFu);
    EXPECT_EQ(national_character(NationalSet::french, U'c'), 0xE7u);
    EXPECT_EQ(national_character(NationalSet::acute, U'e'), 0xE9u);
    EXPECT_EQ(national_character(NationalSet::grave, U'A'), 0xC0u);
    EXPECT_EQ(national_character(NationalSet::circumflex, U'o'), 0xF4u);
    EXPECT_EQ(national_character(NationalSet::circumflex, U'y'), 0u);
    EXPECT_EQ(national_character(NationalSet::acute, 0xC4), 0u);
}

TEST(Fonts, NationalCharactersAreComposedInEveryLatinAlphabet) {
    for (StrokeFont f : all_fonts) {
        for (Alphabet a : latin_alphabets) {
            const AlphabetMetrics m = alphabet_metrics(f, a);
            for (int s = 0; s < national_set_count; ++s) {
                for (char32_t letter = 33; letter < 127; ++letter) {
                    const char32_t code = national_character(static_cast<NationalSet>(s), letter);
                    if (code == 0) {
                        continue;
                    }
                    const Glyph* g = find_glyph(f, a, code);
                    ASSERT_NE(g, nullptr) << label(f, a, code);
                    EXPECT_FALSE(g->blank()) << label(f, a, code);
                    EXPECT_FALSE(same_strokes(*g, glyph(f, a, letter))) << label(f, a, code);
                    EXPECT_LE(g->ink_top, m.ascent);
                }
            }
            // Marks sit above the letter: above cap height on capitals, above the
            // x-height on small letters.
            for (char32_t code : {0xC4u, 0xC9u, 0xD4u, 0xC5u, 0xD1u}) {
                EXPECT_GT(glyph(f, a, code).ink_top, m.cap_height) << label(f, a, code);
            }
            for (char32_t code : {0xE4u, 0xE9u, 0xF4u, 0xE5u, 0xF1u, 0xFCu}) {
                const Glyph& g = glyph(f, a, code);
                EXPECT_GT(g.ink_top, m.x_height + 1) << label(f, a, code);
                EXPECT_LE(g.ink_top, m.cap_height + 2) << label(f, a, code);
            }
            // The cedilla hangs below the base line; the accented letter keeps its width.
            EXPECT_LT(glyph(f, a, 0xC7).ink_bottom, 0);
            EXPECT_EQ(glyph(f, a, 0xC7).advance(), glyph(f, a, U'C').advance());
            EXPECT_EQ(glyph(f, a, 0xE4).advance(), glyph(f, a, U'a').advance());
            EXPECT_EQ(glyph(f, a, 0xD6).advance(), glyph(f, a, U'O').advance());
            // The sharp s stands on the base line and reaches the ascender.
            EXPECT_GE(glyph(f, a, 0xDF).ink_top, m.cap_height - 1);
            EXPECT_EQ(glyph(f, a, 0xDF).ink_bottom, 0);
            // Inverted question mark: the hook hangs below the base line.
            EXPECT_LT(glyph(f, a, 0xBF).ink_bottom, 0);
        }
    }
}

// --- Placement ----------------------------------------------------------------------

TEST(Fonts, PlacementScalesRotatesAndSlants) {
    const AlphabetMetrics m = alphabet_metrics(StrokeFont::simplx, Alphabet::standard);
    EXPECT_DOUBLE_EQ(glyph_scale(m, 42.0), 2.0);
    const Glyph& h = glyph(StrokeFont::simplx, Alphabet::standard, U'H');

    GlyphPlacement p;
    p.x = 100;
    p.y = 500;
    p.scale = 2;
    // Left edge on the base line, top of the capital at one character height above.
    PlotPoint q = place_glyph_point(p, h, {h.left, 0});
    EXPECT_DOUBLE_EQ(q.x, 100);
    EXPECT_DOUBLE_EQ(q.y, 500);
    q = place_glyph_point(p, h, {h.right, m.cap_height});
    EXPECT_DOUBLE_EQ(q.x, 100 + 2.0 * h.advance());
    EXPECT_DOUBLE_EQ(q.y, 500 - 42);
    EXPECT_DOUBLE_EQ(glyph_advance(p, h), 2.0 * h.advance());

    // Width factor stretches along the line only; shear moves the top sideways.
    p.width_factor = 0.5;
    p.shear = 0.25;
    q = place_glyph_point(p, h, {h.right, m.cap_height});
    EXPECT_DOUBLE_EQ(q.x, 100 + h.advance() + 0.25 * 42);
    EXPECT_DOUBLE_EQ(q.y, 500 - 42);
    EXPECT_DOUBLE_EQ(glyph_advance(p, h), h.advance());

    // Turned by 90 degrees counter-clockwise the text runs upward and "up" is left.
    p.width_factor = 1;
    p.shear = 0;
    p.cos_angle = 0;
    p.sin_angle = 1;
    q = place_glyph_point(p, h, {h.right, 0});
    EXPECT_NEAR(q.x, 100, 1e-9);
    EXPECT_NEAR(q.y, 500 - 2.0 * h.advance(), 1e-9);
    q = place_glyph_point(p, h, {h.left, m.cap_height});
    EXPECT_NEAR(q.x, 100 - 42, 1e-9);
    EXPECT_NEAR(q.y, 500, 1e-9);
}

TEST(Fonts, FixedCellsCentreTheInk) {
    GlyphPlacement p;
    p.scale = 2;
    p.width_factor = 0.5;
    for (char32_t c : {U'i', U'W', U'1', U'm'}) {
        const Glyph& g = glyph(StrokeFont::complx, Alphabet::standard, c);
        const double inset = fixed_cell_inset(p, g, 30);
        p.x = 100 + inset;
        p.y = 0;
        const double left = place_glyph_point(p, g, {g.ink_left, 0}).x;
        const double right = place_glyph_point(p, g, {g.ink_right, 0}).x;
        EXPECT_NEAR((left + right) / 2, 115, 1e-9) << char(c);
    }
    // A narrow i goes further into its cell than a wide W.
    EXPECT_GT(fixed_cell_inset(p, glyph(StrokeFont::complx, Alphabet::standard, U'i'), 30),
              fixed_cell_inset(p, glyph(StrokeFont::complx, Alphabet::standard, U'W'), 30) + 5);
    const Glyph& blank = glyph(StrokeFont::complx, Alphabet::standard, U' ');
    EXPECT_DOUBLE_EQ(fixed_cell_inset(p, blank, 30), 15 - blank.advance() / 2.0);
}

// --- Rendered check -----------------------------------------------------------------

// A grey-level picture with anti-aliasing-free thick lines, enough to look at text.
struct Raster {
    int width;
    int height;
    std::vector<unsigned char> pixels;
    Raster(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), 255) {}

    void dot(double x, double y, double radius) {
        const int r = static_cast<int>(std::ceil(radius));
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                if (dx * dx + dy * dy > radius * radius + 0.25) {
                    continue;
                }
                const int px = static_cast<int>(std::lround(x)) + dx;
                const int py = static_cast<int>(std::lround(y)) + dy;
                if (px >= 0 && px < width && py >= 0 && py < height) {
                    pixels[static_cast<std::size_t>(py * width + px)] = 0;
                }
            }
        }
    }
    void line(PlotPoint a, PlotPoint b, double radius) {
        const int steps = std::max(1, static_cast<int>(std::ceil(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y)))));
        for (int i = 0; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            dot(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, radius);
        }
    }
    bool ink(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)] == 0; }
    bool write_pgm(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P5\n" << width << " " << height << "\n255\n";
        out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
        return static_cast<bool>(out);
    }
};

// Draws a string of character codes and returns the end of the base line.
double draw_text(Raster& r, StrokeFont f, Alphabet a, const std::u32string& text, double x, double y,
                 double height, double angle_degrees = 0) {
    const AlphabetMetrics m = alphabet_metrics(f, a);
    GlyphPlacement p;
    p.scale = glyph_scale(m, height);
    p.cos_angle = std::cos(angle_degrees * std::numbers::pi / 180);
    p.sin_angle = std::sin(angle_degrees * std::numbers::pi / 180);
    double along = 0;
    for (char32_t c : text) {
        const Glyph& g = glyph(f, a, c);
        p.x = x + along * p.cos_angle;
        p.y = y - along * p.sin_angle;
        for (const GlyphStroke& s : g.strokes) {
            if (s.size() == 1) {
                const PlotPoint q = place_glyph_point(p, g, s[0]);
                r.dot(q.x, q.y, 0.6);
            }
            for (std::size_t i = 1; i < s.size(); ++i) {
                r.line(place_glyph_point(p, g, s[i - 1]), place_glyph_point(p, g, s[i]), 0.6);
            }
        }
        along += glyph_advance(p, g);
    }
    return along;
}

// Renders one character alone and reports its ink pixels.
Raster render_one(StrokeFont f, char32_t c) {
    Raster r(60, 60);
    draw_text(r, f, Alphabet::standard, std::u32string(1, c), 10, 45, 30);
    return r;
}

TEST(Fonts, RenderedTextLooksLikeLettersNotBoxes) {
    for (StrokeFont f : all_fonts) {
        // The middle of an O is empty; the middle of an H's crossbar is inked, the
        // point above it is not (a box would ink the top edge).
        const Raster o = render_one(f, U'O');
        const Glyph& og = glyph(f, Alphabet::standard, U'O');
        const double scale = 30.0 / 21;
        const int ocx = static_cast<int>(std::lround(10 + ((og.ink_left + og.ink_right) / 2.0 - og.left) * scale));
        const int ocy = static_cast<int>(std::lround(45 - (og.ink_top + og.ink_bottom) / 2.0 * scale));
        EXPECT_FALSE(o.ink(ocx, ocy)) << font_name(f);
        const Raster h = render_one(f, U'H');
        const Glyph& hg = glyph(f, Alphabet::standard, U'H');
        const int hcx = static_cast<int>(std::lround(10 + ((hg.ink_left + hg.ink_right) / 2.0 - hg.left) * scale));
        bool bar = false;
        for (int py = 45 - 16; py <= 45 - 12; ++py) {
            bar = bar || h.ink(hcx, py);
        }
        EXPECT_TRUE(bar) << font_name(f);
        EXPECT_FALSE(h.ink(hcx, 45 - 27)) << font_name(f);

        const Raster l = render_one(f, U'l');
        const Raster m = render_one(f, U'm');
        int l_ink = 0;
        int m_ink = 0;
        for (std::size_t i = 0; i < l.pixels.size(); ++i) {
            l_ink += l.pixels[i] == 0;
            m_ink += m.pixels[i] == 0;
        }
        // An m carries far more ink than an l, and neither fills its cell.
        EXPECT_GT(m_ink, l_ink * 3 / 2) << font_name(f);
        EXPECT_LT(m_ink, 60 * 60 / 4) << font_name(f);

        // Letters sit on the base line: nothing of an x below it, something of a g.
        const Raster x = render_one(f, U'x');
        const Raster g = render_one(f, U'g');
        bool x_below = false;
        bool g_below = false;
        for (int px = 0; px < 60; ++px) {
            for (int py = 48; py < 60; ++py) {
                x_below = x_below || x.ink(px, py);
                g_below = g_below || g.ink(px, py);
            }
        }
        EXPECT_FALSE(x_below) << font_name(f);
        EXPECT_TRUE(g_below) << font_name(f);
    }
}

TEST(Fonts, WritesASampleOfEveryFontForInspection) {
    const std::u32string pangram = U"Sphinx of black quartz, judge my vow! 0123456789 (x+y)=[a/b]";
    const std::u32string national = {U'G', U'r', 0xFC, 0xDF, U'e', U' ', 0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC,
                                     U' ', 0xC5, 0xD8, 0xC6, 0xE5, 0xF8, 0xE6, U' ', 0xD1, 0xF1, 0xBF, 0xA1,
                                     U' ', 0xC7, 0xE7, U' ', 0xE9, 0xE8, 0xEA, 0xEE, 0xED, 0xC9, 0xC8, 0xCA,
                                     U' ', U'4', U'5', 0xB0, U' ', 0xB1, U'1', U' ', U'2', 0xD7, U'3'};
    Raster r(1700, 1500);
    double y = 40;
    for (StrokeFont f : all_fonts) {
        const double end = draw_text(r, f, Alphabet::standard, pangram, 10, y, 22);
        EXPECT_GT(end, 600) << font_name(f);
        EXPECT_LT(end, 1650) << font_name(f);
        draw_text(r, f, Alphabet::standard, national, 10, y + 36, 22);
        y += 80;
    }
    const std::u32string accents = {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB,
                                    0xCC, 0xCD, 0xCE, 0xCF, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0xD9,
                                    0xDA, 0xDB, 0xDC, 0xDD, 0xDF, U' ', 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5,
                                    0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF1, 0xF2,
                                    0xF3, 0xF4, 0xF5, 0xF6, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFF};
    for (Alphabet a : {Alphabet::italic, Alphabet::script}) {
        draw_text(r, StrokeFont::complx, a, accents, 10, y, 22);
        y += 40;
    }
    std::u32string russian;
    for (char32_t c = 0x410; c < 0x450; ++c) {
        russian += c;
    }
    draw_text(r, StrokeFont::complx, Alphabet::russian, russian, 10, y, 22);
    y += 40;
    draw_text(r, StrokeFont::simplx, Alphabet::greek, U"ABGDEZHQIKLMNXOPRSTUFCYW abgdezhqiklmnxoprstufcyw", 10, y, 22);
    y += 40;
    // The alphabets of the complex font, and one turned line.
    const std::u32string letters = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz";
    for (Alphabet a : {Alphabet::greek, Alphabet::math, Alphabet::italic, Alphabet::script, Alphabet::russian}) {
        draw_text(r, StrokeFont::complx, a, letters, 10, y, 22);
        y += 40;
    }
    draw_text(r, StrokeFont::complx, Alphabet::math, U"!\"#$%&'*+<=>?@[]^_`{|}~", 10, y, 22);
    draw_text(r, StrokeFont::duplx, Alphabet::standard, U"turned 30 degrees", 1000, y + 40, 30, 30);
    const std::string path = "fonts_sample.pgm";
    ASSERT_TRUE(r.write_pgm(path));
    std::printf("text sample written to %s\n", std::filesystem::absolute(path).c_str());
}

// --- Generated tables ---------------------------------------------------------------

TEST(Fonts, GeneratedTablesMatchTheGenerator) {
    const std::filesystem::path root = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    const std::filesystem::path tool = root / "tools" / "make_stroke_fonts.py";
    if (!std::filesystem::exists(tool) || !std::filesystem::exists("/usr/share/hershey-fonts/rowmans.jhf") ||
        std::system("python3 --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "needs python3, the Hershey fonts and the source tree";
    }
    const std::string command = "python3 '" + tool.string() + "' --check >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << "plot/routines/font_data.cpp differs from the generator's output";
}

}  // namespace
}  // namespace korvan
