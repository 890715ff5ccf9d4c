#include "conv/input_kind.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace korvan::conv {

namespace {

// One text line of at most `limit` characters (a longer one's rest is skipped).
bool read_line(std::FILE* in, std::string& line, std::size_t limit = 256)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(in)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (line.size() < limit)
            line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

std::vector<std::string> words_of(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

void look_for_image(std::FILE* in, InputFile& file)
{
    std::string line;
    for (int i = 0; i < 10 && read_line(in, line); ++i) {
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
        std::string line;
        if (!read_line(in, line)) {
            file.kind = InputKind::unknown;
        } else if (line.starts_with("!R!")) {
            file.kind = InputKind::kyocera;
        } else if (line.starts_with(" SP1")) {
            file.kind = InputKind::hpgl;
        } else if (line.starts_with("%!PS-Adobe")) {
            file.kind = InputKind::postscript;
            look_for_image(in, file);
        } else {
            file.kind = InputKind::gksvan;
        }
    }
    std::fclose(in);
    return file;
}

}  // namespace korvan::conv
