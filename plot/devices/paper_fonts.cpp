#include "plot/devices/paper_fonts.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <map>

#include "plot/kernel/characters.hpp"
#include "plot/kernel/postscript.hpp"

namespace korvan {

namespace {

// In the order of the standard font table.
constexpr std::array<PaperFont, postscript_standard_font_count> fonts = {{
    {"NimbusRoman-Regular.otf", "Nimbus Roman", 400, false},
    {"NimbusRoman-Bold.otf", "Nimbus Roman", 700, false},
    {"NimbusRoman-Italic.otf", "Nimbus Roman", 400, true},
    {"NimbusRoman-BoldItalic.otf", "Nimbus Roman", 700, true},
    {"NimbusSans-Regular.otf", "Nimbus Sans", 400, false},
    {"NimbusSans-Bold.otf", "Nimbus Sans", 700, false},
    {"NimbusSans-Italic.otf", "Nimbus Sans", 400, true},
    {"NimbusSans-BoldItalic.otf", "Nimbus Sans", 700, true},
    {"NimbusSansNarrow-Regular.otf", "Nimbus Sans Narrow", 400, false},
    {"NimbusSansNarrow-Bold.otf", "Nimbus Sans Narrow", 700, false},
    {"NimbusSansNarrow-Oblique.otf", "Nimbus Sans Narrow", 400, true},
    {"NimbusSansNarrow-BoldOblique.otf", "Nimbus Sans Narrow", 700, true},
    {"C059-Roman.otf", "C059", 400, false},
    {"C059-Italic.otf", "C059", 400, true},
    {"C059-Bold.otf", "C059", 700, false},
    {"C059-BdIta.otf", "C059", 700, true},
    {"Z003-MediumItalic.otf", "Z003", 500, true},
    {"D050000L.otf", "D050000L", 400, false},
    {"NimbusMonoPS-Regular.otf", "Nimbus Mono PS", 400, false},
    {"NimbusMonoPS-Bold.otf", "Nimbus Mono PS", 700, false},
    {"NimbusMonoPS-Italic.otf", "Nimbus Mono PS", 400, true},
    {"NimbusMonoPS-BoldItalic.otf", "Nimbus Mono PS", 700, true},
    {"URWGothic-Book.otf", "URW Gothic", 400, false},
    {"URWGothic-Demi.otf", "URW Gothic", 600, false},
    {"URWGothic-BookOblique.otf", "URW Gothic", 400, true},
    {"URWGothic-DemiOblique.otf", "URW Gothic", 600, true},
    {"URWBookman-Light.otf", "URW Bookman", 300, false},
    {"URWBookman-LightItalic.otf", "URW Bookman", 300, true},
    {"URWBookman-Demi.otf", "URW Bookman", 600, false},
    {"URWBookman-DemiItalic.otf", "URW Bookman", 600, true},
    {"P052-Roman.otf", "P052", 400, false},
    {"P052-Italic.otf", "P052", 400, true},
    {"P052-Bold.otf", "P052", 700, false},
    {"P052-BoldItalic.otf", "P052", 700, true},
    {"StandardSymbolsPS.otf", "Standard Symbols PS", 400, false},
}};

// The faces stay loaded for the life of the program: the PDF surface keeps
// using them until the file is finished.
struct Faces {
    FT_Library library = nullptr;
    std::map<const PaperFont*, FT_Face> loaded;

    ~Faces()
    {
        for (auto& entry : loaded)
            if (entry.second != nullptr)
                FT_Done_Face(entry.second);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

Faces& faces()
{
    static Faces f;
    return f;
}

}  // namespace

const PaperFont& paper_font(std::string_view postscript_name)
{
    int index = find_postscript_standard_font(postscript_name);
    return fonts[static_cast<std::size_t>(index < 0 ? 0 : index)];
}

std::string paper_font_directory() { return KORVAN_PAPER_FONT_DIR; }

FT_Face paper_face(const PaperFont& font)
{
    Faces& f = faces();
    auto found = f.loaded.find(&font);
    if (found != f.loaded.end())
        return found->second;
    FT_Face face = nullptr;
    if (f.library == nullptr && FT_Init_FreeType(&f.library) != 0)
        f.library = nullptr;
    if (f.library != nullptr) {
        std::string path = paper_font_directory() + "/" + font.file;
        if (FT_New_Face(f.library, path.c_str(), 0, &face) != 0 || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 ||
            face->units_per_EM == 0) {
            if (face != nullptr)
                FT_Done_Face(face);
            face = nullptr;
        }
    }
    f.loaded[&font] = face;
    return face;
}

bool paper_font_has(const PaperFont& font, char32_t c)
{
    FT_Face face = paper_face(font);
    return face != nullptr && FT_Get_Char_Index(face, c) != 0;
}

double paper_text_advance(const PaperFont& font, std::string_view utf8)
{
    FT_Face face = paper_face(font);
    if (face == nullptr)
        return 0.0;
    double sum = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        FT_UInt glyph = FT_Get_Char_Index(face, next_character(utf8, i));
        if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0)
            sum += static_cast<double>(face->glyph->metrics.horiAdvance);
    }
    return sum / face->units_per_EM;
}

}  // namespace korvan
