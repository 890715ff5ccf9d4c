// INCFIL: including a plot file into the current plot; FILBOX and FILCLR.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "plot/kernel/cgm_reader.hpp"
#include "plot/kernel/gksvan_reader.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/win/driver.hpp"
#include "plat/host.hpp"

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

// Puts the points of an included file onto the page: a box reaching the page
// edge spans one unit more than the page's last coordinate, so points are
// kept on the page.
class PagePlacer {
public:
    explicit PagePlacer(bool colours) : colours_(colours)
    {
        const PlotState& s = state();
        right_ = s.page_width;
        bottom_ = s.page_height;
    }

    void place(double x, double y, bool draw) const
    {
        plot_vector(std::clamp(x, 0.0, right_), std::clamp(y, 0.0, bottom_), draw ? 2 : 3);
    }

    void select(int index) const
    {
        if (colours_)
            select_colour(index);
    }

private:
    double right_ = 0;
    double bottom_ = 0;
    bool colours_;
};

// The box of the page into which a file is scaled (FILBOX, else the page).
struct TargetBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

TargetBox target_box()
{
    const PlotState& s = state();
    if (s.filbox_w > 0)
        return {static_cast<double>(s.filbox_x), static_cast<double>(s.filbox_y), static_cast<double>(s.filbox_w),
                static_cast<double>(s.filbox_h)};
    return {0, 0, s.page_width + 1.0, s.page_height + 1.0};
}

// A metafile's points (0..1 of the longer side, origin lower left) in the box.
class MetafileSink final : public GksvanReader::Sink {
public:
    MetafileSink(const TargetBox& box, double t, double longer, double height, bool colours)
        : x0_(box.x), top_(box.y + t * height), scale_(t * longer), placer_(colours)
    {
    }

    void point(double x, double y, bool draw) override { placer_.place(x0_ + scale_ * x, top_ - scale_ * y, draw); }
    void colour(int index) override { placer_.select(index); }

private:
    double x0_;
    double top_;
    double scale_;
    PagePlacer placer_;
};

// A CGM file's points (plot coordinates of its page) in the box.
class CgmSink final : public CgmReader::Sink {
public:
    CgmSink(const TargetBox& box, double t, bool colours) : x0_(box.x), y0_(box.y), t_(t), placer_(colours) {}

    void point(double x, double y, bool draw) override { placer_.place(x0_ + t_ * x, y0_ + t_ * y, draw); }
    void colour(int index) override { placer_.select(index); }

private:
    double x0_;
    double y0_;
    double t_;
    PagePlacer placer_;
};

void say_refusal(const GksvanReader& reader)
{
    if (reader.refused())
        win::print(" <<<< " + reader.refusal() + "!\n");
}

void include_metafile(std::FILE* in)
{
    GksvanReader reader(in);
    double width = 0;
    double height = 0;
    if (!reader.read_header(width, height)) {
        say_refusal(reader);
        warning(56);
        return;
    }
    TargetBox box = target_box();
    double t = std::min(box.width / width, box.height / height);
    MetafileSink sink(box, t, std::max(width, height), height, !state().filclr_none);
    if (reader.play(sink) == GksvanReader::Result::incomplete) {
        say_refusal(reader);
        win::print(" <<<< The GKSVAN file is not complete!\n");
    }
}

// A truncated file stops the program: what could be read is drawn and the
// plot file is finished first, so that nothing drawn is lost.
void include_cgm(std::FILE* in)
{
    CgmReader reader(in);
    CgmReader::Extent extent;
    CgmReader::Result scanned = reader.scan(extent);
    TargetBox box = target_box();
    double t = std::min(box.width / extent.page_width(), box.height / extent.page_height());
    CgmSink sink(box, t, !state().filclr_none);
    CgmReader::Result played = reader.play(extent.max_y, sink);
    if (scanned == CgmReader::Result::truncated || played == CgmReader::Result::truncated) {
        std::fclose(in);
        close_open_plot();
        plat::fatal_exit("incfil", ">>>> Unexpected end of CGM file!\n");
    }
}

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
    if (kind == FileKind::gksvan || kind == FileKind::cgm) {
        flush_pending();
        if (kind == FileKind::cgm)
            include_cgm(in);
        else
            include_metafile(in);
    } else {
        warning(56);
    }
    std::fclose(in);
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
