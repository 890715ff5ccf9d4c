// The graphics side of the screen window driver: up to five graphics windows,
// each drawing into a backing bitmap that the screen is refreshed from, the
// palette of 4- and 8-bit screens, the waits at the end of a plot and between
// pages, pixel access and the bitmap dump.
//
// The kernel's screen device calls the free functions at the end of this file;
// coordinates are pixels of the current window's drawing area, origin at the
// upper left corner. A plot on a screen device runs:
//   KORINI   open_window({code, page w, h, window flag, x, y, w, h, screen mode,
//            reduction}) -> drawing size for the device scale; load_colour_table;
//            set_colour
//   vectors  move_to / draw_to (rounded device pixels); set_colour; fill_rect
//   SENDBF   update;  ERASE  erase;  NEWPAG  next_page_wait (it clears the page)
//   OPNWIN   open_window with further = true;  SELWIN/CLSWIN/WINTIT
//            select_window / close_window / set_window_title
//   KORFIN   end_of_plot_wait(window mode)
// Without a display every wait returns at once and the end-of-plot wait (and
// each page) saves the window pictures as PNG files.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plat/graphics.hpp"
#include "plot/win/geometry.hpp"
#include "plot/win/palette.hpp"

namespace korvan::win {

inline constexpr int window_slots = 5;
inline constexpr std::size_t user_title_limit = 60;
inline constexpr int polyline_limit = 50;

// Result codes of load_bitmap.
enum DumpResult { dump_ok = 0, dump_cannot_open = 1, dump_no_memory = 2, dump_not_bitmap = 3,
                  dump_other_depth = 4 };

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct DrawingSize {
    int width = 0;   // drawing area size minus one, as the library scales to it
    int height = 0;
};

// A window's backing bitmap: the stored value of each pixel (palette index
// plus offset, see palette.hpp) and the picture shown on the screen.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> plane;
    plat::Picture picture;

    bool empty() const { return width <= 0 || height <= 0; }
    int bytes_per_row() const { return (width + 1) / 2 * 2; }
};

class Screen final : public plat::WindowEvents {
public:
    explicit Screen(plat::Graphics& graphics);
    ~Screen() override;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Window management.
    DrawingSize open_window(const OpenRequest& request);
    bool is_open(int n) const;
    int current_window() const { return current_; }
    // The window system's identifiers of the current window and of the display.
    unsigned long native_window_id() const;
    long display_id() const { return graphics_.display_id(); }
    bool select_window(int n);
    bool close_window(int n);
    void set_title(std::string_view text);
    void release_all();

    // Drawing into the current window.
    void move_to(int x, int y);
    void draw_to(int x, int y);
    void flush();
    void set_colour(int index);
    void fill_rect(int x, int y, int w, int h, int index);
    // Sets the pixels of an ink mask (w x h bytes, rows from the top, nonzero
    // is ink) in the pen's colour with its upper left pixel at (x, y); what
    // falls outside the window is left out.
    void draw_ink(int x, int y, int w, int h, const std::uint8_t* ink);
    void erase();
    void load_colour_table(TableKind kind, const std::array<std::uint32_t, 256>& rgb);
    void update();

    // Waits.
    void end_of_plot_wait(int end_mode);
    void next_page_wait();
    // A headless run ending while a plot is still being drawn (no KORFIN)
    // saves its window pictures.
    void save_unfinished_pictures();

    // Pixel access on a copy of the current window's bitmap.
    bool begin_pixels();
    void end_pixels();
    bool pixels_active() const { return pixel_active_; }
    bool write_pixel(int x, int y, int index);
    int read_pixel(int x, int y) const;  // -1 outside the window
    void write_pixels(const std::uint8_t* values, int x, int y, int nw, int nh);
    void read_pixels(std::uint8_t* values, int x, int y, int nw, int nh) const;
    void write_row(const std::uint8_t* values, int x, int y, int n) { write_pixels(values, x, y, n, 1); }
    void read_row(std::uint8_t* values, int x, int y, int n) const { read_pixels(values, x, y, n, 1); }

    // The bitmap dump of the current window. save_bitmap returns 0, or the
    // error number of the failure (ENOMEM: no window bitmap).
    int save_bitmap(const std::string& path) const;
    int load_bitmap(const std::string& path);

    // State seen by the library and by tests.
    const plat::ScreenInfo& screen_info() const { return info_; }
    int palette_mode() const { return mode_; }
    int reduction() const { return reduction_; }
    TableKind table_kind() const { return kind_; }
    int pen_stored() const { return pen_stored_; }
    const Bitmap* bitmap(int n) const;
    std::string title(int n) const;
    bool plotting() const { return plotting_; }
    std::uint32_t shown_rgb(int stored) const;  // the RGB a stored value shows

    // Every polyline drawn, for tests (off by default).
    void record_polylines(bool on) { record_ = on; recorded_.clear(); }
    const std::vector<std::vector<Point>>& recorded_polylines() const { return recorded_; }

    // Events from the back end.
    void right_button_released(int window_number) override;
    void close_requested(int window_number) override;

private:
    struct Slot {
        bool open = false;
        std::unique_ptr<Bitmap> bitmap;
        std::unique_ptr<plat::ScreenWindow> window;  // after bitmap: goes first
        bool user_titled = false;
        std::string user_title;
    };

    Slot* current_slot();
    const Slot* current_slot() const;
    void release_slot(int n);
    void show_title(int n, const std::string& text);
    void plain_title(int n);
    void draw_polyline();
    void put_pixel(Bitmap& b, int x, int y);
    void draw_line(Bitmap& b, Point from, Point to);
    void fill(Bitmap& b, int x, int y, int w, int h, int stored, std::uint32_t rgb);
    int fill_stored(int index) const;
    std::uint32_t rgb_of_stored(int stored) const;
    void repaint_bitmap(Bitmap& b);
    void refresh(int n);
    void save_pictures();

    plat::Graphics& graphics_;
    plat::ScreenInfo info_;
    bool palette_ready_ = false;
    int mode_ = 0;
    int reduction_ = 0;
    int screen_mode_ = 0;
    TableKind kind_ = TableKind::full;
    std::array<std::uint32_t, 256> table_{};   // palette table (modes 1-3)
    std::vector<std::uint32_t> palette_;       // logical palette (modes 1, 2)

    int pen_stored_ = 0;
    std::uint32_t pen_rgb_ = 0xFFFFFF;

    std::array<Slot, window_slots> slots_;
    int current_ = 0;
    int korini_window_ = 0;

    std::vector<Point> polyline_;
    bool pending_draw_ = false;

    bool plotting_ = false;
    int end_mode_ = 0;
    bool end_waiting_ = false;
    bool end_wait_over_ = false;
    bool page_waiting_ = false;
    bool page_wait_over_ = false;
    bool bitmap_failed_ = false;

    bool pixel_active_ = false;
    bool pixel_mapping_ = false;
    std::vector<std::uint8_t> pixel_buffer_;

    bool record_ = false;
    std::vector<std::vector<Point>> recorded_;
};

// The converter's rules: the close box of a graphics window ends the program
// (after releasing every window), and a right-button release ends the
// end-of-plot wait even while the plot is still being drawn.
void set_converter_rules(bool on);

// The driver's screen, made on first use with the chosen graphics back end.
Screen& screen();
bool screen_exists();
// Forgets the screen (its windows are released); the next use makes a new one.
void reset_screen();

// The name under which a headless run saves a window picture; the default
// takes "korvan_win<n>.png", or the first free "korvan_win<n>_<k>.png".
// The plotting library may install its own file version rule.
void set_picture_namer(std::string (*namer)(const std::string& name));
std::string picture_file_name(int window_number);

// The API of the kernel's screen device (all act on screen()).
DrawingSize open_window(const OpenRequest& request);
bool select_window(int n);
bool close_window(int n);
bool window_is_open(int n);
int current_window();
// The window system's identifiers of the current window and of the display (0: none).
unsigned long native_window_id();
long display_id();
void set_window_title(std::string_view text);
void move_to(int x, int y);
void draw_to(int x, int y);
void flush_polyline();
void set_colour(int index);
void fill_rect(int x, int y, int w, int h, int index);
void draw_ink(int x, int y, int w, int h, const std::uint8_t* ink);
void erase();
void load_colour_table(TableKind kind, const std::array<std::uint32_t, 256>& rgb);
void end_of_plot_wait(int end_mode);
void next_page_wait();
void update();
bool begin_pixel_access();
void end_pixel_access();
bool write_pixel(int x, int y, int index);
int read_pixel(int x, int y);
void write_pixels(const std::uint8_t* values, int x, int y, int nw, int nh);
void read_pixels(std::uint8_t* values, int x, int y, int nw, int nh);
void write_row(const std::uint8_t* values, int x, int y, int n);
void read_row(std::uint8_t* values, int x, int y, int n);
int save_bitmap(const std::string& path);
int load_bitmap(const std::string& path);

}  // namespace korvan::win
