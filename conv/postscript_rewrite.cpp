#include "conv/postscript_rewrite.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "conv/file_failure.hpp"
#include "conv/text_lines.hpp"
#include "plat/written_file.hpp"
#include "plot/kernel/kernel.hpp"

namespace korvan::conv {

namespace {

constexpr double points_per_unit = 0.14226378;  // PostScript points per device unit
constexpr double plot_units_per_point = 3.514598;

// The scale factor of the placement line: the number before "scale".
double placement_factor(const std::string& line)
{
    std::vector<std::string> t = words_of(line);
    for (std::size_t i = 1; i < t.size(); ++i)
        if (t[i] == "scale")
            return std::atof(t[i - 1].c_str());
    return 1.0;
}

}  // namespace

bool rewrite_postscript(const std::string& input, std::string& output, const RewriteRequest& request,
                        std::string& message)
{
    std::FILE* in = std::fopen(input.c_str(), "rb");
    if (in == nullptr) {
        message = " <<<< Open error in file " + input + "\n";
        return false;
    }
    plat::LineReader lines(in);
    std::string line1, line2, line3, line4;
    read_text_line(lines, line1);
    read_text_line(lines, line2);
    read_text_line(lines, line3);
    read_text_line(lines, line4);
    if (line3.find("%%Creator: KORVAN") == std::string::npos) {
        std::fclose(in);
        message = " <<<< The PostScript file is not created by KORVAN!\n";
        return false;
    }
    output = file_version(output);
    plat::WrittenFile written;
    if (!written.create(output)) {
        std::fclose(in);
        message = file_failure_message("Open", output, written.error());
        return false;
    }
    std::FILE* out = written.stream();
    bool rescale = std::fabs(request.scaling - 1.0) > 0.001;
    double c = 1.0;
    std::fprintf(out, "%s\n", line1.c_str());
    if (rescale) {
        char word[64];
        double llx = 0, lly = 0, urx = 0, ury = 0;
        std::sscanf(line2.c_str(), "%63s %lf %lf %lf %lf", word, &llx, &lly, &urx, &ury);
        double width = (urx - llx) * plot_units_per_point;
        double height = (ury - lly) * plot_units_per_point;
        double fit = std::min(2800 / std::max(height, 1.0), 1950 / std::max(width, 1.0));
        c = std::min(request.scaling, fit);
        std::fprintf(out, "%%%%BoundingBox: %10.2f %10.2f %10.2f %10.2f\n", llx, lly,
                     llx + 2 * width * c * points_per_unit, lly + 2 * height * c * points_per_unit);
    } else {
        std::fprintf(out, "%s\n", line2.c_str());
    }
    std::fprintf(out, "%s\n", line3.c_str());
    std::fprintf(out, "%%%%CreationDate: %s , %s\n", date_string().c_str(), time_string().c_str());

    // The prolog is copied up to the placement line; the pages follow it.
    std::string line;
    bool in_body = false;
    int page = 1;
    int last_page = request.page_count > 0 ? request.first_page + request.page_count - 1 : 0;
    bool done = false;
    while (!done && read_text_line(lines, line)) {
        if (!in_body) {
            if (line.find("translate") != std::string::npos && line.find("setlinewidth") != std::string::npos) {
                in_body = true;
                if (rescale) {
                    double f = placement_factor(line) * c;
                    std::fprintf(out, "%5d cm %5d cm translate 5 cm setlinewidth%10.6f%10.6f scale\n", 150, 200, f, f);
                    continue;
                }
            }
            std::fprintf(out, "%s\n", line.c_str());
            continue;
        }
        if (page >= request.first_page && line.find("copypage") == std::string::npos) {
            std::fprintf(out, "%s\n", line.c_str());
            continue;
        }
        // Pages end at "copypage": the pages before the first are left out,
        // the last wanted one ends the file with "showpage".
        std::string kept;
        for (const std::string& token : words_of(line)) {
            if (token == "copypage") {
                if (page < request.first_page) {
                    ++page;
                    continue;
                }
                if (page == last_page) {
                    kept += "showpage ";
                    done = true;
                    break;
                }
                ++page;
                kept += "copypage ";
                continue;
            }
            if (page >= request.first_page)
                kept += token + " ";
        }
        if (!kept.empty())
            std::fprintf(out, "%s\n", kept.c_str());
    }
    std::fclose(in);
    if (int error = written.close(); error != 0) {
        message = file_failure_message("Write", output, error);
        return false;
    }
    if (lines.refused()) {
        message = " <<<< " + input + ": " + lines.refusal() + "!\n";
        return false;
    }
    return true;
}

}  // namespace korvan::conv
