#include "plot/routines/fonts.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "plot/routines/font_data.hpp"

namespace korvan {

namespace {

constexpr std::array<std::string_view, stroke_font_count> font_names = {
    "KORALF", "SIMPLX", "DUPLX", "TRIPLX", "COMPLX", "SERIF", "HELVE", "HELVES", "GOTHIC"};
constexpr std::array<std::string_view, alphabet_count> alphabet_keywords = {
    "STAN", "GREE", "MATH", "ITAL", "SCRI", "RUSS"};
constexpr std::array<std::string_view, national_set_count> national_keywords = {
    "GERM", "DANI", "SPAN", "FREN", "ACUT", "GRAV", "CIRC"};

// Decoded glyphs of one alphabet table.
struct Table {
    std::vector<GlyphPoint> points;
    std::vector<GlyphStroke> strokes;
    std::vector<Glyph> glyphs;
    AlphabetMetrics metrics;
};

void decode(const font_data::AlphabetRecord& record, Table& table) {
    // Count first so that the spans handed out never move.
    std::size_t point_count = 0;
    std::size_t stroke_count = 0;
    for (int g = 0; g < record.glyph_count; ++g) {
        const auto& r = record.glyphs[g];
        if (r.length > 0) {
            ++stroke_count;
        }
        for (std::uint32_t i = r.offset; i < r.offset + r.length; ++i) {
            if (record.strokes[i] == ' ') {
                ++stroke_count;
            } else {
                ++point_count;
            }
        }
    }
    table.points.reserve(point_count / 2);
    table.strokes.reserve(stroke_count);
    table.glyphs.reserve(static_cast<std::size_t>(record.glyph_count));

    for (int g = 0; g < record.glyph_count; ++g) {
        const auto& r = record.glyphs[g];
        Glyph glyph;
        glyph.code = r.code;
        glyph.left = r.left;
        glyph.right = r.right;
        const std::size_t first_stroke = table.strokes.size();
        std::uint32_t i = r.offset;
        const std::uint32_t end = r.offset + r.length;
        while (i < end) {
            const std::size_t first_point = table.points.size();
            while (i + 1 < end && record.strokes[i] != ' ') {
                table.points.push_back({record.strokes[i] - font_data::coordinate_offset,
                                        record.strokes[i + 1] - font_data::coordinate_offset});
                i += 2;
            }
            table.strokes.emplace_back(table.points.data() + first_point, table.points.size() - first_point);
            if (i < end && record.strokes[i] == ' ') {
                ++i;
            }
        }
        glyph.strokes = std::span<const GlyphStroke>(table.strokes.data() + first_stroke,
                                                     table.strokes.size() - first_stroke);
        bool first = true;
        for (const GlyphStroke& stroke : glyph.strokes) {
            for (const GlyphPoint& p : stroke) {
                if (first) {
                    glyph.ink_left = glyph.ink_right = p.x;
                    glyph.ink_bottom = glyph.ink_top = p.y;
                    first = false;
                }
                glyph.ink_left = std::min(glyph.ink_left, p.x);
                glyph.ink_right = std::max(glyph.ink_right, p.x);
                glyph.ink_bottom = std::min(glyph.ink_bottom, p.y);
                glyph.ink_top = std::max(glyph.ink_top, p.y);
            }
        }
        table.glyphs.push_back(glyph);
    }
    table.metrics.cap_height = record.cap_height;
    table.metrics.x_height = record.x_height;
    table.metrics.ascent = record.ascent;
    table.metrics.descent = record.descent;
}

const std::vector<Table>& tables() {
    static const std::vector<Table> decoded = [] {
        std::vector<Table> result(static_cast<std::size_t>(font_data::alphabet_table_count));
        for (int t = 0; t < font_data::alphabet_table_count; ++t) {
            decode(font_data::alphabet_tables[t], result[static_cast<std::size_t>(t)]);
        }
        return result;
    }();
    return decoded;
}

int table_index(StrokeFont font, Alphabet alphabet) {
    return font_data::font_alphabets[static_cast<int>(font)][static_cast<int>(alphabet)];
}

const Table& table_of(StrokeFont font, Alphabet alphabet) {
    return tables()[static_cast<std::size_t>(table_index(font, alphabet))];
}

const Glyph* search(const Table& table, char32_t code) {
    auto it = std::lower_bound(table.glyphs.begin(), table.glyphs.end(), code,
                               [](const Glyph& g, char32_t c) { return g.code < c; });
    if (it == table.glyphs.end() || it->code != code) {
        return nullptr;
    }
    return &*it;
}

// Compares the first four letters of a keyword, ignoring case, with a four-letter
// (or shorter, blank-padded) word.
bool keyword_matches(std::string_view keyword, std::string_view word) {
    for (std::size_t i = 0; i < 4; ++i) {
        const char k = i < keyword.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(keyword[i]))) : ' ';
        const char w = i < word.size() ? word[i] : ' ';
        if (k != w) {
            return false;
        }
    }
    return true;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

struct NationalForm {
    char letter;
    char32_t code;
};

constexpr NationalForm german[] = {{'A', 0xC4}, {'O', 0xD6}, {'U', 0xDC}, {'a', 0xE4},
                                   {'o', 0xF6}, {'u', 0xFC}, {'s', 0xDF}};
constexpr NationalForm danish[] = {{'A', 0xC5}, {'E', 0xC6}, {'O', 0xD8},
                                   {'a', 0xE5}, {'e', 0xE6}, {'o', 0xF8}};
constexpr NationalForm spanish[] = {{'N', 0xD1}, {'n', 0xF1}, {'!', 0xA1}, {'?', 0xBF}};
constexpr NationalForm french[] = {{'C', 0xC7}, {'c', 0xE7}};
constexpr NationalForm acute[] = {{'A', 0xC1}, {'E', 0xC9}, {'I', 0xCD}, {'O', 0xD3}, {'U', 0xDA}, {'Y', 0xDD},
                                  {'a', 0xE1}, {'e', 0xE9}, {'i', 0xED}, {'o', 0xF3}, {'u', 0xFA}, {'y', 0xFD}};
constexpr NationalForm grave[] = {{'A', 0xC0}, {'E', 0xC8}, {'I', 0xCC}, {'O', 0xD2}, {'U', 0xD9},
                                  {'a', 0xE0}, {'e', 0xE8}, {'i', 0xEC}, {'o', 0xF2}, {'u', 0xF9}};
constexpr NationalForm circumflex[] = {{'A', 0xC2}, {'E', 0xCA}, {'I', 0xCE}, {'O', 0xD4}, {'U', 0xDB},
                                       {'a', 0xE2}, {'e', 0xEA}, {'i', 0xEE}, {'o', 0xF4}, {'u', 0xFB}};

std::span<const NationalForm> national_forms(NationalSet set) {
    switch (set) {
        case NationalSet::german: return german;
        case NationalSet::danish: return danish;
        case NationalSet::spanish: return spanish;
        case NationalSet::french: return french;
        case NationalSet::acute: return acute;
        case NationalSet::grave: return grave;
        case NationalSet::circumflex: return circumflex;
    }
    return {};
}

}  // namespace

std::string_view font_name(StrokeFont font) { return font_names[static_cast<std::size_t>(font)]; }

std::optional<StrokeFont> font_by_name(std::string_view name) {
    for (std::size_t i = 0; i < font_names.size(); ++i) {
        if (equal_ignoring_case(name, font_names[i])) {
            return static_cast<StrokeFont>(i);
        }
    }
    return std::nullopt;
}

std::string_view alphabet_keyword(Alphabet alphabet) { return alphabet_keywords[static_cast<std::size_t>(alphabet)]; }

std::optional<Alphabet> alphabet_by_keyword(std::string_view keyword) {
    for (std::size_t i = 0; i < alphabet_keywords.size(); ++i) {
        if (keyword_matches(keyword, alphabet_keywords[i])) {
            return static_cast<Alphabet>(i);
        }
    }
    return std::nullopt;
}

std::string_view national_keyword(NationalSet set) { return national_keywords[static_cast<std::size_t>(set)]; }

std::optional<NationalSet> national_set_by_keyword(std::string_view keyword) {
    for (std::size_t i = 0; i < national_keywords.size(); ++i) {
        if (keyword_matches(keyword, national_keywords[i])) {
            return static_cast<NationalSet>(i);
        }
    }
    return std::nullopt;
}

std::string_view glyph_source(StrokeFont font, Alphabet alphabet) {
    return font_data::alphabet_tables[table_index(font, alphabet)].source;
}

AlphabetMetrics alphabet_metrics(StrokeFont font, Alphabet alphabet) {
    AlphabetMetrics metrics = table_of(font, alphabet).metrics;
    metrics.space_advance = glyph(font, alphabet, U' ').advance();
    return metrics;
}

const Glyph* find_glyph(StrokeFont font, Alphabet alphabet, char32_t code, Alphabet* found_in) {
    // The alphabet itself, the standard one, and for characters beyond ASCII
    // every other alphabet of the font: they hold Greek letters, math signs
    // and Cyrillic letters at their Unicode codes.
    const int last = code < 0x80 ? 1 : alphabet_count;
    for (int k = -1; k < last; ++k) {
        const Alphabet a = k < 0 ? alphabet : static_cast<Alphabet>(k);
        if (k >= 0 && a == alphabet) {
            continue;
        }
        if (const Glyph* g = search(table_of(font, a), code)) {
            if (found_in != nullptr) {
                *found_in = a;
            }
            return g;
        }
    }
    return nullptr;
}

const Glyph& glyph(StrokeFont font, Alphabet alphabet, char32_t code) {
    if (const Glyph* g = find_glyph(font, alphabet, code)) {
        return *g;
    }
    return *search(table_of(font, Alphabet::standard), U' ');
}

std::span<const Glyph> alphabet_glyphs(StrokeFont font, Alphabet alphabet) {
    return table_of(font, alphabet).glyphs;
}

char32_t national_character(NationalSet set, char32_t letter) {
    for (const NationalForm& form : national_forms(set)) {
        if (static_cast<char32_t>(static_cast<unsigned char>(form.letter)) == letter) {
            return form.code;
        }
    }
    return 0;
}

double glyph_scale(const AlphabetMetrics& metrics, double character_height) {
    return metrics.cap_height > 0 ? character_height / metrics.cap_height : 0.0;
}

PlotPoint place_glyph_point(const GlyphPlacement& placement, const Glyph& glyph, GlyphPoint point) {
    // Along the text direction and upward from the base line, in plot units.
    const double up = point.y * placement.scale;
    const double along = (point.x - glyph.left) * placement.scale * placement.width_factor + placement.shear * up;
    return {placement.x + along * placement.cos_angle - up * placement.sin_angle,
            placement.y - along * placement.sin_angle - up * placement.cos_angle};
}

double glyph_advance(const GlyphPlacement& placement, const Glyph& glyph) {
    return glyph.advance() * placement.scale * placement.width_factor;
}

double fixed_cell_inset(const GlyphPlacement& placement, const Glyph& glyph, double cell_width) {
    const double units = placement.scale * placement.width_factor;
    const double centre = glyph.blank() ? glyph.advance() / 2.0 : (glyph.ink_left + glyph.ink_right) / 2.0 - glyph.left;
    return cell_width / 2 - centre * units;
}

}  // namespace korvan
