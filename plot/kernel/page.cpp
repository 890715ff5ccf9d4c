// Opening and closing a plot, the page, the end protocol and RESET.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "plat/graphics.hpp"
#include "plat/host.hpp"
#include "plot/kernel/colour_tables.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/images.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/screen_device.hpp"
#include "plot/win/driver.hpp"
#include "plot/win/screen.hpp"

namespace korvan {

namespace {

struct PageFormat {
    const char* name;  // first three letters
    int width;
    int height;
};

constexpr PageFormat page_formats[] = {
    {"DA4", 2970, 2100}, {"DA3", 4200, 2970}, {"DA2", 5940, 4200}, {"DA1", 8400, 5940}, {"KY4", 2870, 2000},
    {"HP4", 2717, 1900}, {"HP3", 3990, 2717}, {"HP2", 5340, 3360}, {"HP1", 7570, 5340}, {"PS4", 2800, 1950},
};

// RESET keys: the first letters of the routines whose settings RESET restores.
constexpr const char reset_keys[] =
    "ALL +ANGL+AUTR+AX3L+AXCL+AXEN+AXIS+AXSL+AXSP+BARD+BARG+BARP+BART+BARW+BASA+CENT+"
    "CHAA+CHAB+CHAS+CHAW+CHNC+CHNP+CIRC+CLPB+CLPM+CLPW+CLRC+COLM+COLO+COLR+CONG+CONM+"
    "DIGI+EUSH+EXPZ+FILB+FILC+FIXS+FLAB+FRAM+FRME+GAPC+GRAC+HEIG+HNAM+HTIT+IANG+INTA+"
    "LABC+LABD+LABE+LABJ+LABP+LABT+LEGC+LFTT+LINC+LINS+LOGT+MAPM+MAPP+MAPR+MAPS+MDFM+"
    "MIXA+MIXL+MYLA+NAMD+NAME+NEGL+NEWM+NOAR+NOBA+NOBG+NOCH+NOCL+NOFI+NOGR+NOHI+NOLI+"
    "NUMF+NUMO+ORIG+PATC+PIEE+PIEL+PIEV+POLC+PROJ+RGTL+RVYN+SCAL+SETB+SETC+SETE+SETG+"
    "SETM+SETR+SETS+SHDC+SHDP+SHIE+SHLS+SMXA+SPLM+SURC+SURS+SURV+SYMR+THKC+TICK+TICL+"
    "TICP+TIMO+TITL+UNIT+VIEW+VKXB+VKYB+VKYT+WIDB+WIND+WINM+WINS+ZSCA";
constexpr int reset_key_count = (sizeof reset_keys) / 5;

bool is_window_device(int code) { return code >= 75 && code <= 100; }

// The window a screen plot was opened in.
int own_window(int code) { return code >= 75 && code <= 79 ? code - 74 : 1; }

void default_axis(PlotState& s)
{
    s.axis_length_x = static_cast<int>(std::lround((s.page_width + 1) * 2.0 / 3.0));
    s.axis_length_y = static_cast<int>(std::lround((s.page_height + 1) * 2.0 / 3.0));
}

void default_axis_position(PlotState& s)
{
    s.axis_pos_x = (s.page_width - s.axis_length_x) / 2;
    s.axis_pos_y = s.page_height - 300;
}

// The default colour table: the rainbow, or the reversed grey ramp for
// black-and-white PostScript; then its foreground colour is selected.
void default_colours(PlotState& s)
{
    load_named_colour_table(s.device_code == 501 ? ColourTableName::rgre : ColourTableName::rain);
}

void report_not_available(const PlotState& s)
{
    std::string text = "Output format ";
    text += s.file_format;
    text += " is not available in this version";
    set_warning_text(text);
    warning(warning_not_available);
}

// Opens the screen window or the plot file of the device and writes its header.
void open_output(PlotState& s)
{
    if (s.device_code <= 100) {
        s.device = make_device(s.device_code);
        if (s.device)
            s.device->open();
        else
            report_not_available(s);
        return;
    }
    if (s.setfil_state == 1) {
        s.saved_file = s.output_file;
        s.setfil_state = 2;
    } else if (s.setfil_state == 2) {
        s.output_file = s.saved_file;
    } else {
        s.output_file = std::string("korvan.") + default_extension(s.device_code);
    }
    s.device = make_device(s.device_code);
    if (!s.device) {
        s.output_file.clear();
        report_not_available(s);
        return;
    }
    if (s.device_code >= 601) {
        s.device->open();
        return;
    }
    std::string name = file_version(s.output_file);
    if (!s.out.open(name, s.device_code == dev_cgm)) {
        // Nothing is written to a file that could not be created.
        s.device.reset();
        s.output_file = name;
        plot_file_error(name, s.out.error());
        return;
    }
    s.output_file = make_absolute(name);
    s.device->open();
}

void open_error_file(PlotState& s)
{
    std::string name = file_version("korvan.err");
    errno = 0;
    std::FILE* file = std::fopen(name.c_str(), "w");
    if (file == nullptr) {
        s.message_unit = 6;
        file_error(name, errno);
        return;
    }
    s.error_file_name = name;
    s.error_file_written = false;
    s.message_unit = 15;
    s.message_stream = file;
}

// Whether the end protocol names the plot file: a file device's, when it was written.
bool names_file(const PlotState& s)
{
    return s.device_code > 100 && s.device_code != 603 && !s.output_failed;
}

void boxed_end_protocol(const PlotState& s)
{
    std::string frame = "\n " + std::string(66, '<');
    std::string vectors = std::to_string(s.vector_count);
    std::string warnings = std::to_string(s.warning_count);
    std::string metafile = "Metafile: ";
    if (names_file(s))
        metafile += s.output_file.substr(0, 48);
    char line[160];
    message_print(frame);
    std::snprintf(line, sizeof line, "\n <<                END OF KORVAN / VERSION %4.1f %s                <<",
                  korvan_version, korvan_version_patch);
    message_print(line);
    std::snprintf(line, sizeof line, "\n <<  Date    : %8s   Time    : %8s   Pageformat: %4s  <<",
                  date_string().c_str(), time_string().c_str(), s.page_format);
    message_print(line);
    std::snprintf(line, sizeof line, "\n <<  Vectors : %-10s Warnings: %-8s   Fileformat: %4s  <<", vectors.c_str(),
                  warnings.c_str(), s.file_format);
    message_print(line);
    std::snprintf(line, sizeof line, "\n <<  %-58s  <<", metafile.c_str());
    message_print(line);
    message_print(frame + "\n");
    message_print("\n");
}

// One message; printed whole so that no file name is lost.
void plain_end_protocol(const PlotState& s, bool error_file_kept)
{
    char head[80];
    std::snprintf(head, sizeof head, "           END OF KORVAN / VERSION %4.1f %s\n ", korvan_version,
                  korvan_version_patch);
    std::string text = head;
    text += "\n Date          : " + date_string();
    text += "\n Time          : " + time_string();
    text += std::string("\n Pageformat: ") + s.page_format;
    text += "\n Vectors      : " + std::to_string(s.vector_count);
    text += "\n Warnings  : " + std::to_string(s.warning_count);
    text += std::string("\n Fileformat  : ") + s.file_format;
    if (s.device_code > 200 && names_file(s))
        text += "\n Metafile     : " + s.output_file;
    if (error_file_kept)
        text += "\n Error file    : " + s.error_file_name;
    win::print(text);
}

}  // namespace

// --- The attribute reset -----------------------------------------------------

void reset_attributes(std::string_view key)
{
    PlotState& s = state();
    bool all = key == "ALL ";
    if (all) {
        s.current_colour = 0;
        default_colours(s);
    }
    if (all || key == "UNIT") {
        if (s.message_unit != 15)
            s.message_unit = 6;
    }
    if (all || key == "ORIG") {
        s.origin_x = 0;
        s.origin_y = 0;
    }
    if (all || key == "AXSL")
        default_axis(s);
    if (all || key == "AXSP")
        default_axis_position(s);
    if (all || key == "FILB") {
        s.filbox_x = 0;
        s.filbox_y = 0;
        s.filbox_w = 0;
        s.filbox_h = 0;
    }
    if (all || key == "FILC")
        s.filclr_none = false;
    reset_drawing_attributes(s, key);
    reset_postscript_attributes(s, key);
}

// --- Opening and closing -----------------------------------------------------

void korini()
{
    if (level_check(0, 0, "korini"))
        return;
    PlotState& s = state();
    if (!s.window_ready)
        plat::fatal_exit("korini", " winini is missing before");
    s.level = 1;
    s.vector_count = 0;
    s.page_number = 1;
    // A new plot has no shielded regions, no base transformation and no plane.
    s.shields = ShieldState{};
    s.base_transform = BaseTransform{};
    s.plane = PlaneTransform{};
    s.warning_count = 0;
    s.closed_flag = 0;
    s.output_failed = false;
    if (s.device_code == 0) {
        s.device_code = dev_gksvan;
        std::memcpy(s.file_format, "GKSV", 5);
    }
    default_axis(s);
    default_axis_position(s);
    if (s.error_file_flag)
        open_error_file(s);
    else
        s.message_unit = 6;
    open_output(s);
    reset_attributes("ALL ");
}

namespace {

// Finishes the output of the open plot and closes the library; the end
// protocol follows when asked for and the message unit is not off.
void finish_plot(bool protocol)
{
    PlotState& s = state();
    flush_pending();
    end_image_access();
    if (s.device)
        s.device->close();
    if (s.device_code > 100 && s.device_code <= 600 && s.out.is_open()) {
        if (int error = s.out.flush_close(); error != 0)
            plot_file_error(s.output_file, error);
    }
    s.device.reset();
    s.level = 0;
    s.closed_flag = 1;

    if (!s.error_file_flag) {
        if (protocol && s.message_unit != 0)
            boxed_end_protocol(s);
        return;
    }
    bool kept = false;
    if (s.message_stream != nullptr) {
        std::FILE* error_file = std::exchange(s.message_stream, nullptr);
        const bool clean = std::ferror(error_file) == 0;
        errno = 0;
        const bool written = std::fclose(error_file) == 0 && clean;
        kept = s.error_file_written;
        if (!kept)
            std::remove(s.error_file_name.c_str());
        else if (!written)
            file_error(s.error_file_name, errno);  // now on the text output
    }
    if (protocol && s.message_unit != 0)
        plain_end_protocol(s, kept);
    if (s.message_unit == 15)
        s.message_unit = 6;
}

}  // namespace

void korfin()
{
    if (level_check(1, 3, "korfin"))
        return;
    finish_plot(true);
}

void close_open_plot()
{
    PlotState& s = state();
    if (s.level < 1)
        return;
    s.routine_name = "korfin";
    finish_plot(false);
}

// --- The page ----------------------------------------------------------------

void setpag(std::string_view name)
{
    if (level_check(0, 0, "setpag"))
        return;
    std::string kw = keyword4(name);
    const PageFormat* found = nullptr;
    for (const PageFormat& format : page_formats) {
        if (kw.compare(0, 3, format.name) == 0 && (kw[3] == 'L' || kw[3] == 'P')) {
            found = &format;
            break;
        }
    }
    if (found == nullptr) {
        warning_text(2, name);
        return;
    }
    PlotState& s = state();
    bool portrait = kw[3] == 'P';
    s.page_width = (portrait ? found->height : found->width) - 1;
    s.page_height = (portrait ? found->width : found->height) - 1;
    std::memcpy(s.page_format, kw.c_str(), 5);
    if (!s.device_chosen) {
        s.device_code = dev_gksvan;
        std::memcpy(s.file_format, "GKSV", 5);
    }
}

void page(int nx, int ny)
{
    if (level_check(0, 0, "page"))
        return;
    if (nx <= 0 || ny <= 0) {
        warning(2);
        return;
    }
    PlotState& s = state();
    s.page_width = nx - 1;
    s.page_height = ny - 1;
    std::memcpy(s.page_format, "PAGE", 5);
}

void pagmod(std::string_view keyword)
{
    if (level_check(0, 0, "pagmod"))
        return;
    static constexpr int modes[] = {0, 1, 0, 1, 2};
    int n = keyword_lookup("COMI+MOVI+LAND+PORT+NONE", 5, keyword);
    if (n > 0)
        state().page_mode = modes[n - 1];
}

void sclfac(double factor)
{
    if (level_check(0, 0, "sclfac"))
        return;
    if (!(factor > 0)) {
        warning(2);
        return;
    }
    PlotState& s = state();
    s.scaling_factor = static_cast<float>(factor);
    s.scaling_mode = 0;
}

void sclmod(std::string_view keyword)
{
    if (level_check(0, 0, "sclmod"))
        return;
    int n = keyword_lookup("DOWN+FULL+NONE", 3, keyword);
    if (n > 0)
        state().scaling_mode = n - 1;
}

void hwpage(int nx, int ny)
{
    if (level_check(0, 0, "hwpage"))
        return;
    if (nx <= 0 || ny <= 0) {
        warning(2);
        return;
    }
    PlotState& s = state();
    s.hw_page = true;
    s.hw_width = nx;
    s.hw_height = ny;
}

void origin(int nx, int ny)
{
    if (level_check(1, 1, "origin"))
        return;
    PlotState& s = state();
    s.origin_x = nx;
    s.origin_y = ny;
}

void getor(int& nx, int& ny)
{
    soft_level_check("getor");
    nx = state().origin_x;
    ny = state().origin_y;
}

void unit(int n)
{
    soft_level_check("unit");
    if (n < 0 || n > 1000 || n == 15 || n == 16) {
        warning_int(2, n);
        return;
    }
    state().message_unit = n;
}

int getlev() { return state().level; }

int getuni() { return state().message_unit; }

double getver() { return korvan_version; }

void newpag()
{
    if (level_check(1, 1, "newpag"))
        return;
    PlotState& s = state();
    flush_pending();
    ++s.page_number;
    if (!s.device)
        return;
    if (s.device_code >= 101 && s.device_code <= 150)
        s.device->fill_rect(0, 0, s.page_width + 1, s.page_height + 1, 0);  // terminals erase
    else
        s.device->new_page();
}

void erase()
{
    if (level_check(1, 3, "erase"))
        return;
    PlotState& s = state();
    flush_pending();
    bool clears = s.device_code <= 200 || (s.device_code >= 601 && s.device_code <= 700);
    if (clears && s.device)
        s.device->fill_rect(0, 0, s.page_width + 1, s.page_height + 1, 0);
}

void sendbf()
{
    if (level_check(1, 3, "sendbf"))
        return;
    flush_pending();
}

void pagera()
{
    if (level_check(1, 3, "pagera"))
        return;
    const PlotState& s = state();
    double w = s.page_width;
    double h = s.page_height;
    plot_vector(0, 0, 3);
    plot_vector(0, h, 2);
    plot_vector(w, h, 2);
    plot_vector(w, 0, 2);
    plot_vector(0, 0, 2);
}

void reset(std::string_view name)
{
    soft_level_check("reset");
    int n = keyword_lookup(reset_keys, reset_key_count, name);
    if (n > 0)
        reset_attributes(std::string_view(reset_keys + (n - 1) * 5, 4));
}

void resatt()
{
    soft_level_check("resatt");
    reset_attributes("ALL ");
}

// --- Screen windows ----------------------------------------------------------

namespace {
// Levels 1-3 and a screen window device; false after the warning.
bool window_routine(const char* routine)
{
    if (level_check(1, 3, routine))
        return false;
    if (!is_window_device(state().device_code)) {
        warning(56);
        return false;
    }
    return true;
}

void window_warning(int number, const char* format, int n)
{
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    set_warning_text(text);
    warning(number);
}
}  // namespace

void opnwin(int n)
{
    if (!window_routine("opnwin"))
        return;
    if (n < 1 || n > 5) {
        warning_int(2, n);
        return;
    }
    if (n == own_window(state().device_code) || screen_window_open(n)) {
        window_warning(101, "Window %d is already open", n);
        return;
    }
    flush_pending();
    open_screen_window(n);
}

void selwin(int n)
{
    if (!window_routine("selwin"))
        return;
    if (!screen_window_open(n)) {
        window_warning(103, "Window %d is not open", n);
        return;
    }
    flush_pending();
    select_screen_window(n);
}

void clswin(int n)
{
    if (!window_routine("clswin"))
        return;
    if (n == own_window(state().device_code)) {
        window_warning(102, "Window %d cannot be closed", n);
        return;
    }
    if (!close_screen_window(n))
        window_warning(103, "Window %d is not open", n);
}

void wintit(std::string_view text)
{
    if (!window_routine("wintit"))
        return;
    set_screen_window_title(text);
}

int winid()
{
    soft_level_check("winid");
    int code = state().device_code;
    if (!is_window_device(code))
        return 0;
    int n = current_screen_window();
    return n != 0 ? n : own_window(code);
}

std::string getdsp()
{
    soft_level_check("getdsp");
    return plat::display_available() ? "XWIN" : "NONE";
}

int getxid(std::string_view option)
{
    soft_level_check("getxid");
    int n = keyword_lookup("WIND+DISP", 2, option);
    if (n == 0)
        return 0;
    if (n == 2)
        return static_cast<int>(win::display_id());
    if (!is_window_device(state().device_code))
        return 0;
    return static_cast<int>(win::native_window_id());
}

void getwin(int& x, int& y, int& w, int& h)
{
    soft_level_check("getwin");
    // While a screen plot is open: where its current window really is.
    if (current_screen_window_placement(x, y, w, h))
        return;
    const PlotState& s = state();
    x = s.window_x;
    y = s.window_y;
    w = s.window_w;
    h = s.window_h;
}

}  // namespace korvan
