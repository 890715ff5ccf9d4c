// INCFIL: including a plot file into the current plot; FILBOX and FILCLR.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plot/kernel/gksvan_reader.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/win/driver.hpp"

namespace korvan {

namespace {

enum class FileKind { gksvan, cgm, kyocera, hpgl, postscript };

FileKind detect_kind(std::FILE* file)
{
    unsigned char word[2] = {0, 0};
    std::size_t got = std::fread(word, 1, 2, file);
    // BEGIN METAFILE: element class 0, id 1, any parameter length.
    if (got == 2 && word[0] == 0x00 && (word[1] & 0xE0) == 0x20)
        return FileKind::cgm;
    std::rewind(file);
    char line[16] = {};
    std::size_t n = std::fread(line, 1, sizeof line - 1, file);
    std::rewind(file);
    std::string_view text(line, n);
    if (text.starts_with("!R!"))
        return FileKind::kyocera;
    if (text.starts_with(" SP1"))
        return FileKind::hpgl;
    if (text.starts_with("%!PS-Adobe"))
        return FileKind::postscript;
    return FileKind::gksvan;
}

// Places the points of an included metafile into the target box.
class IncludeSink final : public GksvanReader::Sink {
public:
    IncludeSink(double x0, double y0, double t, double longer, double height, bool colours)
        : x0_(x0), top_(y0 + t * height), scale_(t * longer), colours_(colours)
    {
        const PlotState& s = state();
        right_ = s.page_width;
        bottom_ = s.page_height;
    }

    // A box reaching the page edge spans one unit more than the page's last
    // coordinate: points are kept on the page.
    void point(double x, double y, bool draw) override
    {
        double px = std::clamp(x0_ + scale_ * x, 0.0, right_);
        double py = std::clamp(top_ - scale_ * y, 0.0, bottom_);
        plot_vector(px, py, draw ? 2 : 3);
    }

    void colour(int index) override
    {
        if (colours_)
            select_colour(index);
    }

private:
    double x0_;
    double top_;
    double right_ = 0;
    double bottom_ = 0;
    double scale_;
    bool colours_;
};

}  // namespace

void incfil(std::string_view file)
{
    if (level_check(1, 3, "incfil"))
        return;
    std::string name(file);
    std::FILE* in = std::fopen(name.c_str(), "rb");
    if (in == nullptr) {
        warning(36);
        return;
    }
    FileKind kind = detect_kind(in);
    if (kind == FileKind::cgm) {
        std::fclose(in);
        set_warning_text("Inclusion of CGM files is not available in this version");
        warning(warning_not_available);
        return;
    }
    if (kind != FileKind::gksvan) {
        std::fclose(in);
        warning(56);
        return;
    }

    flush_pending();
    GksvanReader reader(in);
    double width = 0;
    double height = 0;
    if (!reader.read_header(width, height)) {
        std::fclose(in);
        warning(56);
        return;
    }
    const PlotState& s = state();
    double bx = 0;
    double by = 0;
    double bw = s.page_width + 1;
    double bh = s.page_height + 1;
    if (s.filbox_w > 0) {
        bx = s.filbox_x;
        by = s.filbox_y;
        bw = s.filbox_w;
        bh = s.filbox_h;
    }
    double t = std::min(bw / width, bh / height);
    IncludeSink sink(bx, by, t, std::max(width, height), height, !s.filclr_none);
    GksvanReader::Result result = reader.play(sink);
    std::fclose(in);
    if (result == GksvanReader::Result::incomplete)
        win::print(" <<<< The GKSVAN file is not complete!\n");
}

void filbox(int nx, int ny, int nw, int nh)
{
    soft_level_check("filbox");
    if (nx < 0 || ny < 0) {
        warning_int(1, std::min(nx, ny));
        return;
    }
    if (nw <= 0 || nh <= 0) {
        warning_int(2, std::min(nw, nh));
        return;
    }
    PlotState& s = state();
    if (static_cast<long>(nx) + nw > s.page_width + 1L || static_cast<long>(ny) + nh > s.page_height + 1L) {
        warning(2);
        return;
    }
    s.filbox_x = nx;
    s.filbox_y = ny;
    s.filbox_w = nw;
    s.filbox_h = nh;
}

void filclr(std::string_view keyword)
{
    soft_level_check("filclr");
    int n = keyword_lookup("ALL +NONE", 2, keyword);
    if (n > 0)
        state().filclr_none = n == 2;
}

}  // namespace korvan
