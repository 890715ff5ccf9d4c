// Output device selection, plot file naming and the vector primitive.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "plat/host.hpp"
#include "plat/paths.hpp"
#include "plot/devices/paper_device.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/shield_state.hpp"

namespace korvan {

namespace {

struct DeviceKeyword {
    const char* keyword;
    int code;
};

constexpr DeviceKeyword device_keywords[] = {
    {"GKSV", 201}, {"CGM ", 211}, {"KYOC", 301}, {"HPGL", 401}, {"HPA4", 402}, {"HPA3", 403},
    {"HPA2", 404}, {"HPA1", 405}, {"CONS", 80},  {"TEKT", 151}, {"VT34", 103}, {"LN03", 161},
    {"POST", 501}, {"PSCL", 502}, {"XWIN", 75},  {"XWI1", 75},  {"XWI2", 76},  {"XWI3", 77},
    {"XWI4", 78},  {"XWI5", 79},  {"XWND", 80},  {"TIFF", 601}, {"IMAG", 602}, {"VIRT", 603},
    {"PDF ", 801}, {"SVG ", 802}, {"PNG ", 803},
};

bool readable(const std::string& name)
{
    std::FILE* f = std::fopen(name.c_str(), "r");
    if (f == nullptr)
        return false;
    std::fclose(f);
    return true;
}

int digit_count(int n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

const char* default_extension(int code)
{
    if (code == 151)
        return "tek";
    if (code == 161)
        return "ln3";
    if (code == 201 || code == 250)
        return "met";
    if (code == 211)
        return "cgm";
    if (code == 301 || code == 350)
        return "kyo";
    if (code >= 401 && code <= 500)
        return "hpg";
    if (code >= 501 && code <= 600)
        return "psc";
    if (code == 601)
        return "tif";
    if (code == 602)
        return "img";
    if (code == dev_pdf)
        return "pdf";
    if (code == dev_svg)
        return "svg";
    if (code == dev_png)
        return "png";
    return "";
}

std::string file_version(std::string_view name, int file_mode, std::string_view caption)
{
    std::string file(name);
    if (!readable(file))
        return file;
    if (file_mode == 1) {
        std::remove(file.c_str());
        return file;
    }
    if (file_mode == 2)
        plat::fatal_exit(caption, "File " + file + " does exist");

    std::size_t dir_len = plat::directory_part_length(file);
    std::size_t dot = file.find('.', dir_len);
    std::string dir = file.substr(0, dir_len);
    std::string base = file.substr(dir_len, dot == std::string::npos ? std::string::npos : dot - dir_len);
    std::string ext = dot == std::string::npos ? std::string() : file.substr(dot);
    for (int n = 1; n <= 999; ++n) {
        std::size_t keep = static_cast<std::size_t>(7 - digit_count(n));
        std::string candidate = dir + base.substr(0, std::min(keep, base.size())) + "_" + std::to_string(n) + ext;
        if (!readable(candidate))
            return candidate;
    }
    plat::fatal_exit(caption, "More than 999 file versions!");
}

std::string file_version(std::string_view name)
{
    const PlotState& s = state();
    return file_version(name, s.file_mode, s.routine_name);
}

std::string make_absolute(std::string_view name)
{
    std::string file(name);
    if (plat::directory_part_length(file) > 0)
        return file;
    std::error_code failed;
    const std::filesystem::path dir = std::filesystem::current_path(failed);
    if (failed)
        return file;
    return plat::join_path(dir.string(), file);
}

bool page_transformed()
{
    const PlotState& s = state();
    return s.plane.active || s.base_transform.active;
}

void page_to_device(double& x, double& y)
{
    const PlotState& s = state();
    if (s.plane.active)
        s.plane.apply(x, y);
    if (s.base_transform.active)
        s.base_transform.apply(x, y);
}

namespace {

// A point to the device, through the plane and base transformations.
void device_point(PlotState& s, double x, double y, bool draw)
{
    page_to_device(x, y);
    s.device->point(x, y, draw);
}

// A line to (x, y) with regions in force: only its pieces outside them reach
// the device, each starting with a move unless the device pen stands there.
void draw_around_shields(PlotState& s, double x, double y)
{
    ShieldState& sh = s.shields;
    static std::vector<ShieldPiece> pieces;
    double ax = sh.pen_x;
    double ay = sh.pen_y;
    unshielded_pieces(sh, ax, ay, x, y, pieces);
    bool at_end = false;
    for (const ShieldPiece& piece : pieces) {
        bool from_pen = piece.t0 == 0.0 && sh.device_at_pen;
        if (!from_pen)
            device_point(s, ax + piece.t0 * (x - ax), ay + piece.t0 * (y - ay), false);
        if (piece.t1 == 1.0) {
            device_point(s, x, y, true);
            at_end = true;
        } else {
            device_point(s, ax + piece.t1 * (x - ax), ay + piece.t1 * (y - ay), true);
        }
    }
    sh.device_at_pen = at_end;
}

}  // namespace

void plot_vector(double x, double y, int pen)
{
    PlotState& s = state();
    ++s.vector_count;
    bool draw = (pen & 1) == 0;
    ShieldState& sh = s.shields;
    if (s.device) {
        if (sh.in_force == 0) {
            // Back from a cut line: the device pen first goes where the line starts.
            if (draw && !sh.device_at_pen)
                device_point(s, sh.pen_x, sh.pen_y, false);
            device_point(s, x, y, draw);
            sh.device_at_pen = true;
        } else if (!draw) {
            sh.device_at_pen = false;  // the move waits for a piece to draw
        } else {
            draw_around_shields(s, x, y);
        }
    }
    sh.pen_x = x;
    sh.pen_y = y;
}

void select_colour(int index)
{
    PlotState& s = state();
    if (s.device)
        s.device->colour(index);
    s.current_colour = index;
}

bool direct_colours_available()
{
    const PlotState& s = state();
    return s.device && s.device->has_direct_colour();
}

void select_direct_colour(std::uint32_t rgb)
{
    PlotState& s = state();
    if (s.device && s.device->has_direct_colour())
        s.device->direct_colour(rgb);
}

void flush_pending()
{
    PlotState& s = state();
    if (s.device)
        s.device->flush();
}

std::string symfil_command(std::string_view device, std::string_view status)
{
    static constexpr const char* table_names[] = {"smal", "rain", "spec", "grey", "rrai", "rspe", "rgre", "vga"};
    const PlotState& s = state();
    std::string dev(device);
    if (dev == "KYOC")
        dev = "KYO1";
    const char* program = "korconv";
    if (s.device_code > 600 && s.device_code <= 700)
        program = "korhpj";
    else if (s.device_code > 700 && s.device_code <= 800)
        program = "kordot";
    int table = std::clamp(s.colour_table_index, 0, 7);
    std::string command = program;
    command += ' ';
    command += s.output_file;
    command += ' ';
    command += dev;
    command += ' ';
    command.append(status);
    command += ' ';
    command += table_names[table];
    return command;
}

// --- Library routines -------------------------------------------------------

void metafl(std::string_view keyword)
{
    if (level_check(0, 0, "metafl"))
        return;
    PlotState& s = state();
    s.message_unit = 6;
    s.message_stream = nullptr;
    std::string kw = keyword4(keyword);
    int code = 0;
    if (kw.compare(0, 3, "MET") == 0 && kw[3] >= '1' && kw[3] <= '9') {
        code = 80;
    } else {
        for (const DeviceKeyword& entry : device_keywords) {
            if (kw == entry.keyword) {
                code = entry.code;
                break;
            }
        }
    }
    if (code == 0) {
        warning_text(2, keyword);
        return;
    }
    s.device_code = code;
    std::memcpy(s.file_format, kw.c_str(), 5);
    s.device_chosen = true;
}

void setfil(std::string_view name)
{
    if (level_check(0, 0, "setfil"))
        return;
    PlotState& s = state();
    // The name is taken whole: a cut name would be another file.
    s.output_file.assign(name);
    s.setfil_state = 1;
}

void filmod(std::string_view keyword)
{
    if (level_check(0, 3, "filmod"))
        return;
    int n = keyword_lookup("COUN+DELE+BREA", 3, keyword);
    if (n > 0)
        state().file_mode = n - 1;
}

void symfil(std::string_view device, std::string_view status)
{
    if (level_check(0, 0, "symfil"))
        return;
    PlotState& s = state();
    if (s.device_code <= 150) {
        warning(20);
        return;
    }
    if (s.closed_flag == 0) {
        warning(21);
        return;
    }
    if (s.closed_flag == -1) {
        warning(22);
        return;
    }
    std::string dev = keyword4(device);
    std::string st = keyword4(status);
    if (st == "NODE")
        st = "KEEP";
    if (st != "DELE" && st != "KEEP") {
        warning_text(2, status);
        st = "KEEP";
    }
    if (dev == "NONE") {
        if (st == "DELE") {
            std::remove(s.output_file.c_str());
            s.closed_flag = -1;
        }
        return;
    }
    plat::host_command(symfil_command(dev, st));
    if (st == "DELE")
        s.closed_flag = -1;
}

void scrmod(std::string_view keyword)
{
    if (level_check(0, 0, "scrmod"))
        return;
    int n = keyword_lookup("ERAS+NOER+REVE", 3, keyword);
    if (n > 0)
        state().screen_mode = n - 1;
}

void winmod(std::string_view keyword)
{
    soft_level_check("winmod");
    int n = keyword_lookup("FULL+NOER+NONE", 3, keyword);
    if (n > 0)
        state().window_mode = n - 1;
}

void window(int nx, int ny, int nw, int nh)
{
    if (level_check(0, 3, "window"))
        return;
    if (nx < 0 || ny < 0) {
        warning_int(2, std::min(nx, ny));
        return;
    }
    if (nw <= 0 || nh <= 0) {
        warning_int(2, std::min(nw, nh));
        return;
    }
    PlotState& s = state();
    s.window_x = nx;
    s.window_y = ny;
    s.window_w = nw;
    s.window_h = nh;
    s.window_flag = 1;
}

void winsiz(int nw, int nh)
{
    if (level_check(0, 3, "winsiz"))
        return;
    if (nw <= 0 || nh <= 0) {
        warning_int(2, std::min(nw, nh));
        return;
    }
    PlotState& s = state();
    s.window_w = nw;
    s.window_h = nh;
    s.window_flag = 2;
}

void x11mod(std::string_view keyword)
{
    if (level_check(0, 0, "x11mod"))
        return;
    int n = keyword_lookup("STOR+NOST", 2, keyword);
    if (n > 0)
        state().backing_store = n - 1;
}

std::string getfil()
{
    soft_level_check("getfil");
    return state().output_file;
}

std::string getmfl()
{
    soft_level_check("getmfl");
    return state().file_format;
}

void getpag(int& nx, int& ny)
{
    soft_level_check("getpag");
    const PlotState& s = state();
    nx = s.page_width + 1;
    ny = s.page_height + 1;
}

}  // namespace korvan
