#include "conv/colour_table_file.hpp"

#include <cstdio>

namespace korvan::conv {

bool read_colour_table(const std::string& name, std::vector<std::array<double, 3>>& rows, std::string& message)
{
    rows.clear();
    std::FILE* in = std::fopen(name.c_str(), "r");
    if (in == nullptr) {
        message = " <<<< Open error in " + name + "!\n";
        return false;
    }
    char line[256];
    bool ok = true;
    while (std::fgets(line, sizeof line, in) != nullptr) {
        double r = 0;
        double g = 0;
        double b = 0;
        if (std::sscanf(line, "%lf %lf %lf", &r, &g, &b) != 3)
            continue;  // blank or unreadable rows do not count
        if (rows.size() == colour_table_rows) {
            message = " <<<< Too many records in " + name + "!\n";
            ok = false;
            break;
        }
        rows.push_back({r, g, b});
    }
    std::fclose(in);
    return ok;
}

}  // namespace korvan::conv
