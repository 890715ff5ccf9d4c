#include "conv/input_kind.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "conv/text_lines.hpp"

namespace korvan::conv {

namespace {

void look_for_image(plat::LineReader& lines, InputFile& file)
{
    std::string line;
    for (int i = 0; i < 10 && read_text_line(lines, line, 256); ++i) {
        if (line.find("scale") != std::string::npos && line.find('[') != std::string::npos) {
            std::vector<std::string> w = words_of(line);
            if (w.size() >= 5) {
                file.image_width = static_cast<int>(std::lround(std::atof(w[3].c_str())));
                file.image_height = static_cast<int>(std::lround(std::atof(w[4].c_str())));
            }
        }
        if (line.find("colorimage") != std::string::npos) {
            file.image = true;
            file.colour_image = true;
        } else if (line.find("image") != std::string::npos) {
            file.image = true;
        }
    }
}

}  // namespace

int input_code(InputKind kind)
{
    switch (kind) {
    case InputKind::gksvan: return 201;
    case InputKind::cgm: return 211;
    case InputKind::kyocera: return 301;
    case InputKind::hpgl: return 401;
    case InputKind::postscript: return 501;
    default: return 0;
    }
}

InputFile detect_input(const std::string& name)
{
    InputFile file;
    std::FILE* in = std::fopen(name.c_str(), "rb");
    if (in == nullptr)
        return file;
    unsigned char head[80] = {};
    std::size_t n = std::fread(head, 1, sizeof head, in);
    std::rewind(in);
    if (n >= 2 && head[0] == 0 && head[1] == '!') {
        file.kind = InputKind::cgm;
    } else {
        plat::LineReader lines(in);
        std::string line;
        if (!read_text_line(lines, line, 256)) {
            file.kind = InputKind::unknown;
        } else if (line.starts_with("!R!")) {
            file.kind = InputKind::kyocera;
        } else if (line.starts_with(" SP1")) {
            file.kind = InputKind::hpgl;
        } else if (line.starts_with("%!PS-Adobe")) {
            file.kind = InputKind::postscript;
            look_for_image(lines, file);
        } else {
            file.kind = InputKind::gksvan;
        }
        if (lines.refused())
            file.refusal = lines.refusal();
    }
    std::fclose(in);
    return file;
}

}  // namespace korvan::conv
