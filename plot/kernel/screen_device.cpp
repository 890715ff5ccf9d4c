// The screen device: vectors, colours and fills go to the window driver in
// device pixels; KORINI opens the plot's window, NEWPAG and KORFIN wait in it.
#include "plot/kernel/screen_device.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "plot/kernel/characters.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/screen.hpp"
#include "plot/win/screen_text.hpp"

namespace korvan {

namespace {

// The longer side of the default page: a page drawn at the scaling factor 1
// fills a window of the default page's shape.
constexpr double default_page_side = 2969.0;

// Headless pictures are versioned like plot files.
std::string versioned_picture_name(const std::string& name) { return file_version(name); }

// The palette folds colour indices by the kind of table loaded last.
win::TableKind table_kind(int table_index)
{
    if (table_index == 0)
        return win::TableKind::small;
    if (table_index == 7)
        return win::TableKind::vga;
    return win::TableKind::full;
}

class ScreenDevice final : public Device {
public:
    explicit ScreenDevice(int code) : code_(code) {}

    void open() override;
    void point(double x, double y, bool draw) override;
    void colour(int index) override { win::set_colour(index); }
    void fill_rect(double x, double y, double w, double h, int index) override;
    void new_page() override { win::next_page_wait(); }
    void flush() override { win::update(); }
    void colour_table_changed() override;
    // HWFONT text in the screen's own font, when its file is installed.
    bool has_hardware_font() const override { return win::screen_font_available(); }
    void hardware_text(double x, double y, std::string_view text, double height, double angle) override;
    double hardware_text_length(std::string_view text, double height) const override
    {
        int missing = 0;
        return win::text_advance(characters_in_font(text, win::screen_font_has, missing)) * height;
    }
    void close() override;

    bool is_open(int n) const;
    void open_further(int n);
    bool select(int n);
    bool close_window(int n);
    int current() const { return current_; }
    bool placement(int& x, int& y, int& w, int& h) const;

private:
    struct Window {
        bool open = false;
        double scale = 0.0;
        win::DrawingSize size;
        win::WindowGeometry where;
    };

    void open_code(int code, bool further);
    void use(int n);
    // The pixel of a point in plot coordinates; false for a point that is no number.
    bool pixel(double x, double y, int& px, int& py) const;

    int code_;
    std::array<Window, win::window_slots> windows_{};
    int current_ = 0;
    double scale_ = 0.0;
    bool turned_ = false;
    double page_width_ = 0.0;
    double page_height_ = 0.0;
};

void ScreenDevice::open()
{
    const PlotState& s = state();
    win::set_picture_namer(&versioned_picture_name);
    turned_ = s.page_mode == 1;
    page_width_ = s.page_width;
    page_height_ = s.page_height;
    open_code(code_, false);
    colour_table_changed();
}

void ScreenDevice::open_code(int code, bool further)
{
    const PlotState& s = state();
    win::OpenRequest request;
    request.device_code = code;
    request.page_width = s.page_width + 1.0;
    request.page_height = s.page_height + 1.0;
    request.window_flag = s.window_flag;
    request.x = s.window_x;
    request.y = s.window_y;
    request.width = s.window_w;
    request.height = s.window_h;
    request.screen_mode = s.screen_mode;
    request.reduction = s.colour_reduction;
    request.further = further;
    const win::DrawingSize size = win::open_window(request);
    const int n = win::window_number(code);
    Window& w = windows_[static_cast<std::size_t>(n - 1)];
    w.open = true;
    w.size = size;
    w.scale = screen_device_scale(size.width, size.height);
    w.where = win::window_geometry(win::screen().screen_info(), request);
    use(n);
}

// Each window has the scale at which the page fits it.
void ScreenDevice::use(int n)
{
    current_ = n;
    scale_ = windows_[static_cast<std::size_t>(n - 1)].scale;
    state().device_scale = scale_;
}

bool ScreenDevice::pixel(double x, double y, int& px, int& py) const
{
    return pixel_of_point(x, y, scale_, turned_, page_width_, px, py);
}

void ScreenDevice::point(double x, double y, bool draw)
{
    int px = 0;
    int py = 0;
    if (!pixel(x, y, px, py))
        return;
    if (draw)
        win::draw_to(px, py);
    else
        win::move_to(px, py);
}

void ScreenDevice::fill_rect(double x, double y, double w, double h, int index)
{
    if (current_ == 0)
        return;
    // The whole page is the whole window, also beside a page that does not fill it.
    if (x <= 0 && y <= 0 && x + w >= page_width_ + 1 && y + h >= page_height_ + 1) {
        const win::DrawingSize size = windows_[static_cast<std::size_t>(current_ - 1)].size;
        win::fill_rect(0, 0, size.width + 1, size.height + 1, index);
        return;
    }
    int ax = 0, ay = 0, bx = 0, by = 0;
    if (!pixel(x, y, ax, ay) || !pixel(x + w, y + h, bx, by))
        return;
    // Corners inclusive.
    win::fill_rect(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + 1, std::abs(by - ay) + 1, index);
}

// The character height is the height of the capital letters, as for the
// stroke fonts. A turned page turns the text with it.
void ScreenDevice::hardware_text(double x, double y, std::string_view text, double height, double angle)
{
    if (current_ == 0)
        return;
    int missing = 0;
    std::u32string characters = characters_in_font(text, win::screen_font_has, missing);
    if (missing > 0)
        warn_missing_characters(missing, text);
    const double dx = turned_ ? y : x;
    const double dy = turned_ ? page_width_ - x : y;
    win::draw_text(scale_ * dx, scale_ * dy, characters, height * scale_, turned_ ? angle + 90.0 : angle);
}

void ScreenDevice::colour_table_changed()
{
    const PlotState& s = state();
    win::load_colour_table(table_kind(s.colour_table_index), s.colour_table);
    // True colour takes the pen's colour when it is set: the current colour
    // shows its new value as on a palette screen.
    win::set_colour(s.current_colour);
}

void ScreenDevice::close()
{
    win::end_of_plot_wait(state().window_mode);
    windows_ = {};
    current_ = 0;
}

bool ScreenDevice::is_open(int n) const
{
    return n >= 1 && n <= win::window_slots && windows_[static_cast<std::size_t>(n - 1)].open &&
           win::window_is_open(n);
}

void ScreenDevice::open_further(int n)
{
    open_code(74 + n, true);
    win::set_colour(state().current_colour);
}

bool ScreenDevice::select(int n)
{
    if (!is_open(n) || !win::select_window(n))
        return false;
    use(n);
    win::set_colour(state().current_colour);
    return true;
}

bool ScreenDevice::close_window(int n)
{
    if (!is_open(n) || !win::close_window(n))
        return false;
    windows_[static_cast<std::size_t>(n - 1)] = Window{};
    const int now = win::current_window();
    if (is_open(now))
        use(now);
    else
        current_ = 0;
    return true;
}

bool ScreenDevice::placement(int& x, int& y, int& w, int& h) const
{
    if (!is_open(current_))
        return false;
    const win::WindowGeometry& g = windows_[static_cast<std::size_t>(current_ - 1)].where;
    x = g.x;
    y = g.y;
    w = g.width;
    h = g.height;
    return true;
}

ScreenDevice* screen_device() { return dynamic_cast<ScreenDevice*>(state().device.get()); }

}  // namespace

std::unique_ptr<Device> make_screen_device(int device_code) { return std::make_unique<ScreenDevice>(device_code); }

bool pixel_of_point(double x, double y, double scale, bool turned, double page_width, int& px, int& py)
{
    const double dx = turned ? y : x;
    const double dy = turned ? page_width - x : y;
    if (std::isnan(dx) || std::isnan(dy))
        return false;
    px = static_cast<int>(std::lround(std::clamp(scale * dx, -1e9, 1e9)));
    py = static_cast<int>(std::lround(std::clamp(scale * dy, -1e9, 1e9)));
    return true;
}

double screen_device_scale(int draw_width, int draw_height)
{
    const PlotState& s = state();
    double w = std::max(s.page_width, 1);
    double h = std::max(s.page_height, 1);
    if (s.page_mode == 1)
        std::swap(w, h);
    double scale = std::min(draw_width / w, draw_height / h);
    if (s.scaling_mode == 0) {
        const bool landscape = s.page_height < s.page_width;
        scale = std::min(scale, s.scaling_factor * (landscape ? draw_width : draw_height) / default_page_side);
    }
    return scale;
}

bool screen_window_open(int n)
{
    const ScreenDevice* device = screen_device();
    return device != nullptr && device->is_open(n);
}

void open_screen_window(int n)
{
    if (ScreenDevice* device = screen_device(); device != nullptr && n >= 1 && n <= win::window_slots)
        device->open_further(n);
}

bool select_screen_window(int n)
{
    ScreenDevice* device = screen_device();
    return device != nullptr && device->select(n);
}

bool close_screen_window(int n)
{
    ScreenDevice* device = screen_device();
    return device != nullptr && device->close_window(n);
}

void set_screen_window_title(std::string_view text)
{
    if (ScreenDevice* device = screen_device(); device != nullptr && device->is_open(device->current()))
        win::set_window_title(text);
}

int current_screen_window()
{
    const ScreenDevice* device = screen_device();
    return device != nullptr && device->is_open(device->current()) ? device->current() : 0;
}

bool current_screen_window_placement(int& x, int& y, int& w, int& h)
{
    const ScreenDevice* device = screen_device();
    return device != nullptr && device->placement(x, y, w, h);
}

// --- CLRMOD ------------------------------------------------------------------

void clrmod(std::string_view keyword)
{
    if (level_check(0, 0, "clrmod"))
        return;
    int n = keyword_lookup("NONE+FULL+CONT", 3, keyword);
    if (n > 0)
        state().colour_reduction = n - 1;
}

}  // namespace korvan
