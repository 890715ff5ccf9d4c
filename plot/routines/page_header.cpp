// PAGHDR.
#include "plot/routines/page_header.hpp"

#include <string>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

constexpr double margin = 40;  // from the page edges, plot units

}  // namespace

void paghdr(std::string_view cstr1, std::string_view cstr2, int iopt, int idir)
{
    if (level_check(1, 3, "paghdr") || range_check(iopt, 1, 4) || range_check(idir, 0, 1))
        return;
    PlotState& s = state();
    flush_pending();
    std::string line(cstr1);
    line += date_string() + "  " + time_string() + "  Page " + std::to_string(s.page_number);
    line += cstr2;
    TextRequest request;
    request.justification = 0;
    request.angle = idir == 0 ? 0 : 90;
    double length = text_length(line, request);
    double h = s.text.height;
    double width = s.page_width;
    double height = s.page_height;
    bool left = iopt == 1 || iopt == 4;
    bool lower = iopt == 1 || iopt == 2;
    double x = 0;
    double y = 0;
    if (idir == 0) {
        x = left ? margin : width - margin - length;
        y = lower ? height - margin - h : margin;
    } else {
        // Reading upward: the upper left corner is the lower end of the text.
        x = left ? margin : width - margin - h;
        y = lower ? height - margin : margin + length;
    }
    draw_text(line, x, y, request);
}

}  // namespace korvan
