// The fonts of text on paper (PDF, SVG, PNG): the 35 standard PostScript fonts
// as the URW base-35 files that stand in for them, with the names an SVG
// reader finds them by, and their metrics read with FreeType.
#pragma once

#include <string>
#include <string_view>

typedef struct FT_FaceRec_* FT_Face;

namespace korvan {

struct PaperFont {
    const char* file;     // file name in the font directory
    const char* family;   // family name of the file
    int weight;           // CSS weight
    bool italic;
};

// The font that stands in for a PostScript font name (Times-Roman for a
// name outside the standard set).
const PaperFont& paper_font(std::string_view postscript_name);

// The face of a font, loaded once; nullptr when its file is missing.
FT_Face paper_face(const PaperFont& font);

// The directory of the font files (a build setting).
std::string paper_font_directory();

// True when the face has a glyph for the character.
bool paper_font_has(const PaperFont& font, char32_t c);

// The advance of a UTF-8 text at font size 1 (em units of 1).
double paper_text_advance(const PaperFont& font, std::string_view utf8);

}  // namespace korvan
