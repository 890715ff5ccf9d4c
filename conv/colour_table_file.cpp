#include "conv/colour_table_file.hpp"

#include <cstdio>

#include "plat/line_reader.hpp"

namespace korvan::conv {

bool read_colour_table(const std::string& name, std::vector<std::array<double, 3>>& rows, std::string& message)
{
    rows.clear();
    std::FILE* in = std::fopen(name.c_str(), "r");
    if (in == nullptr) {
        message = " <<<< Open error in " + name + "!\n";
        return false;
    }
    plat::LineReader lines(in);
    std::string line;
    bool ok = true;
    while (lines.next(line, 255) == plat::LineReader::Status::line) {
        double r = 0;
        double g = 0;
        double b = 0;
        if (std::sscanf(line.c_str(), "%lf %lf %lf", &r, &g, &b) != 3)
            continue;  // blank or unreadable rows do not count
        if (rows.size() == colour_table_rows) {
            message = " <<<< Too many records in " + name + "!\n";
            ok = false;
            break;
        }
        rows.push_back({r, g, b});
    }
    if (lines.refused()) {
        message = " <<<< " + name + ": " + lines.refusal() + "!\n";
        ok = false;
    }
    std::fclose(in);
    return ok;
}

}  // namespace korvan::conv
