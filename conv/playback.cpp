#include "conv/playback.hpp"

#include "conv/postscript_playback.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "plot/kernel/cgm_reader.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/gksvan_reader.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plat/console.hpp"

namespace korvan::conv {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File open_input(const std::string& name) { return File(std::fopen(name.c_str(), "rb")); }

// The message of an input line too long to be read.
std::string refused(const Settings& s, const std::string& refusal) { return " <<<< " + s.input + ": " + refusal + "!\n"; }

void vector_to(double x, double y, bool draw) { plot_vector(x, y, draw ? 2 : 3); }

// --- GKSVAN ---------------------------------------------------------------------

class MetafilePlayer final : public GksvanReader::Sink {
public:
    MetafilePlayer(double longer, double height) : longer_(longer), height_(height) {}
    void point(double x, double y, bool draw) override { vector_to(longer_ * x, height_ - longer_ * y, draw); }
    void colour(int index) override { setclr(index); }

private:
    double longer_;
    double height_;
};

// --- CGM ----------------------------------------------------------------------------

class CgmPlayer final : public CgmReader::Sink {
public:
    void point(double x, double y, bool draw) override { vector_to(x, y, draw); }
    void colour(int index) override { setclr(index); }
};

// --- HPGL ---------------------------------------------------------------------------

struct HpglCommand {
    char name[2];
    int count = 0;  // numbers given
    long values[2] = {0, 0};
};

// Calls visit for every command: ";" separates them, blanks and line ends are
// ignored, two letters then up to two unsigned numbers separated by a comma.
// A command too long to be read ends the reading: returns what was refused,
// empty when the whole file was read.
template <typename Visit>
std::string read_hpgl(std::FILE* in, Visit visit)
{
    plat::LineReader commands(in, plat::LineReader::default_bound, ';');
    std::string raw;
    std::string text;
    while (commands.next(raw) == plat::LineReader::Status::line) {
        text.clear();
        for (char c : raw)
            if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && text.size() < 64)
                text.push_back(c);
        if (text.size() < 2)
            continue;
        HpglCommand command;
        command.name[0] = text[0];
        command.name[1] = text[1];
        std::string_view rest = std::string_view(text).substr(2);
        while (!rest.empty() && command.count < 2) {
            std::size_t comma = rest.find(',');
            std::string number(rest.substr(0, comma));
            if (!number.empty()) {
                command.values[command.count++] =
                    std::clamp(std::strtol(number.c_str(), nullptr, 10), 0L, 100000000L);
            }
            if (comma == std::string_view::npos)
                break;
            rest = rest.substr(comma + 1);
        }
        visit(command);
    }
    return commands.refused() ? commands.refusal("command") : std::string();
}

bool is_pen(const HpglCommand& c, char second) { return c.name[0] == 'P' && c.name[1] == second; }

// --- Sizes ---------------------------------------------------------------------------

struct PageSize {
    double width = 0;
    double height = 0;
};

// False when a command too long to be read ended the reading (refusal says which).
bool hpgl_size(std::FILE* in, PageSize& size, std::string& refusal)
{
    double max_x = 0;
    double max_y = 0;
    refusal = read_hpgl(in, [&](const HpglCommand& c) {
        if ((is_pen(c, 'D') || is_pen(c, 'U')) && c.count == 2) {
            max_x = std::max(max_x, c.values[0] / 4.0);
            max_y = std::max(max_y, c.values[1] / 4.0);
        }
    });
    size = {std::round(max_x + 1), std::round(max_y + 1)};
    return refusal.empty();
}

void apply_colour_table(const Settings& s, const InputFile& input)
{
    if (!s.table)
        return;
    if (*s.table < 0) {
        if (s.user_table.size() < 9)
            setvlt("SMAL");
        for (std::size_t i = 0; i < s.user_table.size(); ++i)
            setind(static_cast<int>(i), s.user_table[i][0], s.user_table[i][1], s.user_table[i][2]);
        return;
    }
    if (*s.table != 1 || input.kind == InputKind::postscript)
        setvlt(table_names[*s.table]);
}

}  // namespace

bool play_back(const Settings& s, const InputFile& input, const Target& target, std::string& output,
               std::string& message)
{
    File in = open_input(s.input);
    if (!in) {
        message = " <<<< " + s.input + " doesn't exist!\n";
        return false;
    }
    const std::string incompatible = " <<<< File and printer formats are not compatible!";
    // First pass: the page of the input.
    PageSize size;
    GksvanReader metafile(in.get());
    CgmReader cgm(in.get());
    CgmReader::Extent extent;
    PostScriptPage postscript;
    switch (input.kind) {
    case InputKind::gksvan:
        if (!metafile.read_header(size.width, size.height)) {
            message = metafile.refused() ? refused(s, metafile.refusal()) : " <<<< READ-Error in GKSVAN file!\n";
            return false;
        }
        size.width += 1;
        size.height += 1;
        break;
    case InputKind::cgm:
        cgm.scan(extent);
        size = {extent.page_width(), extent.page_height()};
        break;
    case InputKind::hpgl: {
        std::string refusal;
        if (!hpgl_size(in.get(), size, refusal)) {
            message = refused(s, refusal);
            return false;
        }
        break;
    }
    case InputKind::postscript:
        if (!created_by_korvan(in.get())) {
            message = " <<<< The PostScript file is not created by KORVAN!\n";
            return false;
        }
        if (!read_postscript_page(in.get(), postscript)) {
            message = incompatible;
            return false;
        }
        size = {postscript.width, postscript.height};
        break;
    default:
        message = incompatible;
        return false;
    }

    if (input.kind == InputKind::cgm || input.kind == InputKind::hpgl) {
        // Whole millimetres, so that a metafile header (centimetres with one
        // decimal) written from the page still holds the whole drawing.
        size.width = 10.0 * std::ceil(size.width / 10.0);
        size.height = 10.0 * std::ceil(size.height / 10.0);
    }
    page(static_cast<int>(std::lround(std::clamp(size.width, 1.0, 1e6))),
         static_cast<int>(std::lround(std::clamp(size.height, 1.0, 1e6))));
    metafl(target.format);
    setfil(output);
    if (input.kind != InputKind::postscript) {
        sclfac(s.scaling);
        if (s.rotation == 1)
            pagmod("port");
        else if (s.rotation == 2)
            pagmod("none");
        if (s.full_scaling)
            sclmod("full");
        if (s.reverse)
            scrmod("revers");
    } else if (input.image) {
        if (target.code >= 100 && target.code <= 600) {
            message = " <<<< File and device formats are not compatible\n";
            return false;
        }
        if (input.image_width > 0 && input.image_height > 0)
            winsiz(input.image_width, input.image_height);
    } else if (postscript.white_paper) {
        // The converted drawing stays on white paper as the file's is.
        scrmod("revers");
    }
    if (s.window_size_given)
        winsiz(s.window_width, s.window_height);
    korini();
    apply_colour_table(s, input);

    // Second pass: the drawing.
    std::rewind(in.get());
    switch (input.kind) {
    case InputKind::gksvan: {
        double w = 0;
        double h = 0;
        GksvanReader replay(in.get());
        replay.read_header(w, h);
        MetafilePlayer player(std::max(w, h), h);
        if (replay.play(player) == GksvanReader::Result::incomplete)
            message = replay.refused() ? refused(s, replay.refusal()) : " <<<< The GKSVAN file is not complete!\n";
        break;
    }
    case InputKind::cgm: {
        CgmPlayer player;
        cgm.play(extent.max_y, player);
        break;
    }
    case InputKind::hpgl: {
        double height = state().page_height;
        std::string refusal = read_hpgl(in.get(), [&](const HpglCommand& c) {
            if (is_pen(c, 'D') || is_pen(c, 'U')) {
                if (c.count == 2)
                    vector_to(c.values[0] / 4.0, height - c.values[1] / 4.0, is_pen(c, 'D'));
            } else if (c.name[0] == 'S' && c.name[1] == 'P') {
                setclr(static_cast<int>(std::min(c.values[0], 255L)));
            } else {
                char text[64];
                std::snprintf(text, sizeof text, " <<<< Unknown command %c%c in HPGL file!\n", c.name[0], c.name[1]);
                plat::console().message_box("korconv", text);
            }
        });
        if (!refusal.empty())
            message = refused(s, refusal);
        break;
    }
    case InputKind::postscript: {
        std::string refusal =
            play_postscript(in.get(), postscript, PageSelection{s.first_page, s.page_count},
                            PostScriptImage{input.image ? input.image_width : 0, input.image ? input.image_height : 0});
        if (!refusal.empty())
            message = refused(s, refusal);
        break;
    }
    default:
        break;
    }
    // What was drawn is kept in the output also when the input ended early.
    // The plot is closed without the end protocol; a file that could not be
    // written has been reported by the library.
    close_open_plot();
    output = state().output_file;  // the name really written; images get theirs at the end
    return message.empty() && !state().output_failed;
}

}  // namespace korvan::conv
