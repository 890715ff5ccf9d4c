#include "plot/win/screen.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "plat/console.hpp"
#include "plat/exit_status.hpp"
#include "plat/window_console.hpp"
#include "plat/written_file.hpp"
#include "plot/win/driver.hpp"
#include "plot/win/dump_header.hpp"

namespace korvan::win {

namespace {
// Largest backing bitmap a window gets; beyond it the window has none.
constexpr long long bitmap_pixel_limit = 32LL * 1024 * 1024;
constexpr int bitmap_side_limit = 16384;

std::string numbered(const char* format, int n)
{
    char text[80];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

void put_rgb(plat::Picture& picture, int x, int y, std::uint32_t rgb)
{
    std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                      static_cast<std::size_t>(x)) * 3;
    picture.rgb[at] = static_cast<std::uint8_t>(rgb >> 16);
    picture.rgb[at + 1] = static_cast<std::uint8_t>(rgb >> 8);
    picture.rgb[at + 2] = static_cast<std::uint8_t>(rgb);
}

// Cuts the segment to the rectangle [0, w-1] x [0, h-1]; false when nothing is left.
bool clip_segment(double& x0, double& y0, double& x1, double& y1, int w, int h)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0, (w - 1) - x0, y0, (h - 1) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const double ax = x0 + t0 * dx;
    const double ay = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = ax;
    y0 = ay;
    return true;
}

std::string (*picture_namer)(const std::string&) = nullptr;
bool converter_rules = false;

std::unique_ptr<Screen>& screen_instance()
{
    static std::unique_ptr<Screen> instance;
    return instance;
}

// The user can still close the output window to end a wait that has no other end.
bool output_window_can_end_waits()
{
    plat::WindowConsole* console = plat::active_window_console();
    return console != nullptr && console->output_window_shown();
}
}  // namespace

Screen::Screen(plat::Graphics& graphics) : graphics_(graphics), info_(graphics.screen()) {}

Screen::~Screen() { release_all(); }

Screen::Slot* Screen::current_slot()
{
    if (current_ < 1 || current_ > window_slots || !slots_[current_ - 1].open)
        return nullptr;
    return &slots_[current_ - 1];
}

unsigned long Screen::native_window_id() const
{
    const Slot* slot = current_slot();
    return slot != nullptr && slot->window ? slot->window->native_id() : 0;
}

const Screen::Slot* Screen::current_slot() const
{
    if (current_ < 1 || current_ > window_slots || !slots_[current_ - 1].open)
        return nullptr;
    return &slots_[current_ - 1];
}

const Bitmap* Screen::bitmap(int n) const
{
    if (n < 1 || n > window_slots || !slots_[n - 1].open)
        return nullptr;
    return slots_[n - 1].bitmap.get();
}

std::string Screen::title(int n) const
{
    if (n < 1 || n > window_slots || !slots_[n - 1].open || !slots_[n - 1].window)
        return {};
    return slots_[n - 1].window->title();
}

bool Screen::is_open(int n) const { return n >= 1 && n <= window_slots && slots_[n - 1].open; }

void Screen::show_title(int n, const std::string& text)
{
    Slot& slot = slots_[n - 1];
    if (slot.open && slot.window)
        slot.window->set_title(text);
}

void Screen::plain_title(int n)
{
    if (n < 1 || n > window_slots || !slots_[n - 1].open || slots_[n - 1].user_titled)
        return;
    show_title(n, numbered("KORVAN %d", n));
}

void Screen::refresh(int n)
{
    if (n < 1 || n > window_slots || !slots_[n - 1].open || !slots_[n - 1].window)
        return;
    slots_[n - 1].window->refresh();
}

void Screen::release_slot(int n)
{
    Slot& slot = slots_[n - 1];
    if (n == current_) {
        polyline_.clear();
        pending_draw_ = false;
        if (pixel_active_) {
            pixel_active_ = false;
            pixel_buffer_.clear();
        }
    }
    slot.window.reset();
    slot.bitmap.reset();
    slot.open = false;
    slot.user_titled = false;
    slot.user_title.clear();
}

void Screen::release_all()
{
    for (int n = 1; n <= window_slots; ++n)
        if (slots_[n - 1].open)
            release_slot(n);
    current_ = 0;
    korini_window_ = 0;
    end_wait_over_ = true;
    page_wait_over_ = true;
}

std::uint32_t Screen::rgb_of_stored(int stored) const
{
    switch (mode_) {
    case 3:
        return table_[static_cast<std::size_t>(pixel_read(3, reduction_, false, stored))];
    case 1:
    case 2: {
        const int p = stored - stored_offset(mode_);
        if (p >= 0 && p < static_cast<int>(palette_.size()))
            return palette_[static_cast<std::size_t>(p)];
        return 0;
    }
    default:
        return stored == 0 ? 0 : 0xFFFFFF;
    }
}

std::uint32_t Screen::shown_rgb(int stored) const { return rgb_of_stored(stored); }

void Screen::repaint_bitmap(Bitmap& b)
{
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            put_rgb(b.picture, x, y, rgb_of_stored(b.plane[static_cast<std::size_t>(y) * b.width + x]));
}

int Screen::fill_stored(int index) const
{
    if (mode_ == 3)
        return pixel_store(3, kind_, reduction_, false, index);
    return std::min(pen_palette_index(mode_, kind_, reduction_, index) + stored_offset(mode_), 255);
}

DrawingSize Screen::open_window(const OpenRequest& request)
{
    flush();
    reduction_ = std::clamp(request.reduction, 0, 2);
    screen_mode_ = request.screen_mode;
    // The palette is set up by the first window opened.
    if (!palette_ready_) {
        palette_ready_ = true;
        mode_ = palette_mode_for_depth(info_.bits_per_pixel);
        palette_.assign(mode_ == 1 || mode_ == 2 ? static_cast<std::size_t>(palette_size(mode_)) : 0, 0);
        pen_rgb_ = 0xFFFFFF;
        pen_stored_ = mode_ == 3 ? pixel_store(3, kind_, reduction_, false, 255)
                                 : stored_offset(mode_) + std::max(palette_size(mode_) - 1, 1) % 256;
    }

    // Each plot's window is cleared in its own background: white in reverse
    // screen mode (the table loaded after the opening is not shown by what is
    // already drawn on a true-colour screen).
    if (!request.further && mode_ == 3)
        table_[0] = screen_mode_ == 2 ? 0xFFFFFF : 0;

    const WindowGeometry g = window_geometry(info_, request);
    const int n = g.number;
    if (slots_[n - 1].open)
        release_slot(n);
    if (current_ != 0 && current_ != n)
        plain_title(current_);

    Slot& slot = slots_[n - 1];
    slot.bitmap = std::make_unique<Bitmap>();
    bitmap_failed_ = false;
    if (g.width <= bitmap_side_limit && g.height <= bitmap_side_limit &&
        static_cast<long long>(g.width) * g.height <= bitmap_pixel_limit) {
        Bitmap& b = *slot.bitmap;
        b.width = g.width;
        b.height = g.height;
        b.plane.assign(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height), 0);
        b.picture.resize(g.width, g.height);
        const int stored = fill_stored(0);
        fill(b, 0, 0, b.width, b.height, stored, mode_ == 3 ? table_[0] : rgb_of_stored(stored));
    } else {
        bitmap_failed_ = true;
        plat::console().message_box("korini", "Cannot create Bitmap");
    }
    slot.window = graphics_.open_window({n, g.x, g.y, g.width, g.height},
                                        numbered("KORVAN %d / Working", n),
                                        &slot.bitmap->picture, this);
    slot.open = true;
    slot.user_titled = false;
    slot.user_title.clear();
    current_ = n;
    if (!request.further)
        korini_window_ = n;
    plotting_ = true;
    polyline_.clear();
    pending_draw_ = false;
    refresh(n);
    return {g.width - 1, g.height - 1};
}

bool Screen::select_window(int n)
{
    if (!is_open(n))
        return false;
    if (n == current_)
        return true;
    flush();
    plain_title(current_);
    if (!slots_[n - 1].user_titled)
        show_title(n, numbered("KORVAN %d / Working", n));
    if (pixel_active_) {
        pixel_active_ = false;
        pixel_buffer_.clear();
    }
    current_ = n;
    polyline_.clear();
    pending_draw_ = false;
    return true;
}

bool Screen::close_window(int n)
{
    if (!is_open(n))
        return false;
    if (n == current_)
        flush();
    release_slot(n);
    if (n == korini_window_)
        korini_window_ = 0;
    current_ = is_open(korini_window_) ? korini_window_ : 0;
    return true;
}

void Screen::set_title(std::string_view text)
{
    Slot* slot = current_slot();
    if (slot == nullptr)
        return;
    slot->user_title = std::string(text.substr(0, user_title_limit));
    slot->user_titled = true;
    slot->window->set_title(slot->user_title);
}

void Screen::put_pixel(Bitmap& b, int x, int y)
{
    if (x < 0 || y < 0 || x >= b.width || y >= b.height)
        return;
    b.plane[static_cast<std::size_t>(y) * b.width + x] = static_cast<std::uint8_t>(pen_stored_);
    put_rgb(b.picture, x, y, pen_rgb_);
}

void Screen::draw_line(Bitmap& b, Point from, Point to)
{
    int x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < b.width && y < b.height; };
    if (!inside(x0, y0) || !inside(x1, y1)) {
        double ax = x0, ay = y0, bx = x1, by = y1;
        if (!clip_segment(ax, ay, bx, by, b.width, b.height))
            return;
        x0 = static_cast<int>(std::lround(ax));
        y0 = static_cast<int>(std::lround(ay));
        x1 = static_cast<int>(std::lround(bx));
        y1 = static_cast<int>(std::lround(by));
    }
    const int dx = std::abs(x1 - x0);
    const int dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    for (;;) {
        put_pixel(b, x0, y0);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x0 += sx;
        }
        if (e2 < dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Screen::draw_polyline()
{
    Slot* slot = current_slot();
    const bool drawable = slot != nullptr && !slot->bitmap->empty();
    if (polyline_.size() >= 2) {
        if (drawable)
            for (std::size_t i = 1; i < polyline_.size(); ++i)
                draw_line(*slot->bitmap, polyline_[i - 1], polyline_[i]);
        if (record_)
            recorded_.push_back(polyline_);
    } else if (polyline_.size() == 1 && pending_draw_) {
        if (drawable)
            put_pixel(*slot->bitmap, polyline_[0].x, polyline_[0].y);
        if (record_)
            recorded_.push_back(polyline_);
    }
    pending_draw_ = false;
}

void Screen::move_to(int x, int y)
{
    draw_polyline();
    polyline_.assign(1, Point{x, y});
}

void Screen::draw_to(int x, int y)
{
    const Point p{x, y};
    pending_draw_ = true;
    if (polyline_.empty() || !(polyline_.back() == p))
        polyline_.push_back(p);
    if (static_cast<int>(polyline_.size()) >= polyline_limit) {
        draw_polyline();
        polyline_.assign(1, p);
    }
}

void Screen::flush()
{
    draw_polyline();
    if (polyline_.size() > 1)
        polyline_.assign(1, polyline_.back());
}

void Screen::set_colour(int index)
{
    flush();
    if (mode_ == 0 || !palette_ready_)
        return;
    if (mode_ == 3) {
        pen_stored_ = pixel_store(3, kind_, reduction_, false, index);
        pen_rgb_ = table_[static_cast<std::size_t>(colour_index(index))];
        return;
    }
    pen_stored_ = fill_stored(index);
    pen_rgb_ = rgb_of_stored(pen_stored_);
}

void Screen::fill(Bitmap& b, int x, int y, int w, int h, int stored, std::uint32_t rgb)
{
    const long long x0 = std::max(0, x);
    const long long y0 = std::max(0, y);
    const long long x1 = std::min(static_cast<long long>(x) + w, static_cast<long long>(b.width));
    const long long y1 = std::min(static_cast<long long>(y) + h, static_cast<long long>(b.height));
    for (long long yy = y0; yy < y1; ++yy)
        for (long long xx = x0; xx < x1; ++xx) {
            b.plane[static_cast<std::size_t>(yy * b.width + xx)] = static_cast<std::uint8_t>(stored);
            put_rgb(b.picture, static_cast<int>(xx), static_cast<int>(yy), rgb);
        }
}

void Screen::fill_rect(int x, int y, int w, int h, int index)
{
    flush();
    Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty() || w <= 0 || h <= 0)
        return;
    const int stored = fill_stored(index);
    const std::uint32_t rgb = mode_ == 3 ? table_[static_cast<std::size_t>(colour_index(index))]
                                         : rgb_of_stored(stored);
    fill(*slot->bitmap, x, y, w, h, stored, rgb);
}

void Screen::draw_ink(int x, int y, int w, int h, const std::uint8_t* ink)
{
    flush();
    Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty() || ink == nullptr || w <= 0 || h <= 0)
        return;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (ink[static_cast<std::size_t>(j) * w + i] != 0)
                put_pixel(*slot->bitmap, x + i, y + j);
}

void Screen::erase()
{
    flush();
    Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty())
        return;
    fill_rect(0, 0, slot->bitmap->width, slot->bitmap->height, 0);
}

void Screen::load_colour_table(TableKind kind, const std::array<std::uint32_t, 256>& rgb)
{
    kind_ = kind;
    if (mode_ == 0)
        return;
    table_ = rgb;
    if (mode_ == 3)
        return;
    const int entries = std::min(palette_entries_loaded(mode_, kind), static_cast<int>(palette_.size()));
    for (int i = 0; i < entries; ++i)
        palette_[static_cast<std::size_t>(i)] =
            rgb[static_cast<std::size_t>(palette_source_entry(mode_, kind, reduction_, i))] & 0xFFFFFF;
    // A palette screen shows every pixel in the new colours at once.
    pen_rgb_ = rgb_of_stored(pen_stored_);
    for (int n = 1; n <= window_slots; ++n) {
        if (!slots_[n - 1].open)
            continue;
        repaint_bitmap(*slots_[n - 1].bitmap);
        refresh(n);
    }
}

void Screen::update()
{
    flush();
    refresh(current_);
}

void Screen::save_pictures()
{
    for (int n = 1; n <= window_slots; ++n) {
        const Slot& slot = slots_[n - 1];
        if (!slot.open || slot.bitmap->empty())
            continue;
        const std::string name = picture_file_name(n);
        if (name.empty()) {
            print(" Cannot write window picture " + name + "\n");
            continue;
        }
        if (const int error = plat::write_png(name, slot.bitmap->picture); error == 0)
            print(" Window picture: " + name + "\n");
        else
            print(" Cannot write window picture " + name + ": " + std::strerror(error) + "\n");
    }
}

void Screen::save_unfinished_pictures()
{
    if (!plotting_ || !graphics_.headless())
        return;
    flush();
    save_pictures();
    plotting_ = false;
}

void Screen::end_of_plot_wait(int end_mode)
{
    Slot* slot = current_slot();
    if (slot == nullptr)
        return;
    end_mode_ = (end_mode == 1 || end_mode == 2) ? end_mode : 0;
    plotting_ = false;
    // The click is taken from the moment the title asks for it: showing the
    // title and the picture already processes events.
    const bool waits = !graphics_.headless() && end_mode_ != 2 && !bitmap_failed_;
    end_waiting_ = waits;
    end_wait_over_ = false;
    if (!slot->user_titled)
        show_title(current_, numbered(end_mode_ == 2 ? "KORVAN %d" : "KORVAN %d / Click MB2 to continue ...",
                                      current_));
    flush();
    refresh(current_);
    if (graphics_.headless()) {
        save_pictures();
        if (end_mode_ == 0)
            release_all();
        return;
    }
    if (!waits)
        return;
    graphics_.wait_until([this] { return end_wait_over_; });
    end_waiting_ = false;
    if (end_mode_ == 0)
        release_all();
}

void Screen::next_page_wait()
{
    if (current_slot() == nullptr)
        return;
    const int n = current_;
    const bool waits = !graphics_.headless() && !bitmap_failed_;
    page_waiting_ = waits;
    page_wait_over_ = false;
    show_title(n, numbered("KORVAN %d / Click MB2 for next page ...", n));
    flush();
    refresh(n);
    if (graphics_.headless())
        save_pictures();
    else if (waits)
        graphics_.wait_until([this] { return page_wait_over_; });
    page_waiting_ = false;
    Slot* slot = current_slot();
    if (slot == nullptr || current_ != n)
        return;
    erase();
    if (slot->user_titled)
        show_title(n, slot->user_title);
    else
        show_title(n, numbered("KORVAN %d", n));
    refresh(n);
}

void Screen::right_button_released(int window_number)
{
    if (window_number != current_)
        return;
    if (page_waiting_) {
        page_wait_over_ = true;
        return;
    }
    if (!end_waiting_ || (plotting_ && !converter_rules))
        return;
    if (end_mode_ == 0)
        end_wait_over_ = true;
    // Without an output window to close, the click ends the NOER wait too
    // (the picture stays).
    else if (end_mode_ == 1 && !output_window_can_end_waits())
        end_wait_over_ = true;
}

void Screen::close_requested(int)
{
    if (!converter_rules)
        return;
    release_all();
    if (plat::WindowConsole* console = plat::active_window_console(); console != nullptr)
        console->hide_output_window();
    plat::end_process();
}

void set_converter_rules(bool on) { converter_rules = on; }

// Pixel access.

bool Screen::begin_pixels()
{
    Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty() || pixel_active_)
        return false;
    flush();
    pixel_buffer_ = slot->bitmap->plane;
    pixel_mapping_ = pixel_mapping_active(mode_, kind_);
    pixel_active_ = true;
    return true;
}

void Screen::end_pixels()
{
    if (!pixel_active_)
        return;
    pixel_active_ = false;
    Slot* slot = current_slot();
    if (slot != nullptr && slot->bitmap->plane.size() == pixel_buffer_.size()) {
        Bitmap& b = *slot->bitmap;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * b.width + x;
                if (b.plane[at] == pixel_buffer_[at])
                    continue;
                b.plane[at] = pixel_buffer_[at];
                put_rgb(b.picture, x, y, rgb_of_stored(b.plane[at]));
            }
        refresh(current_);
    }
    pixel_buffer_.clear();
    pixel_buffer_.shrink_to_fit();
}

bool Screen::write_pixel(int x, int y, int index)
{
    const Slot* slot = current_slot();
    if (!pixel_active_ || slot == nullptr)
        return false;
    const Bitmap& b = *slot->bitmap;
    if (x < 0 || y < 0 || x >= b.width || y >= b.height)
        return false;
    pixel_buffer_[static_cast<std::size_t>(y) * b.width + x] =
        static_cast<std::uint8_t>(pixel_store(mode_, kind_, reduction_, pixel_mapping_, index));
    return true;
}

int Screen::read_pixel(int x, int y) const
{
    const Slot* slot = current_slot();
    if (!pixel_active_ || slot == nullptr)
        return -1;
    const Bitmap& b = *slot->bitmap;
    if (x < 0 || y < 0 || x >= b.width || y >= b.height)
        return -1;
    return pixel_read(mode_, reduction_, pixel_mapping_,
                      pixel_buffer_[static_cast<std::size_t>(y) * b.width + x]);
}

void Screen::write_pixels(const std::uint8_t* values, int x, int y, int nw, int nh)
{
    if (values == nullptr || nw <= 0 || nh <= 0)
        return;
    for (int j = 0; j < nh; ++j)
        for (int i = 0; i < nw; ++i)
            write_pixel(x + i, y + j, values[static_cast<std::size_t>(j) * nw + i]);
}

void Screen::read_pixels(std::uint8_t* values, int x, int y, int nw, int nh) const
{
    if (values == nullptr || nw <= 0 || nh <= 0)
        return;
    for (int j = 0; j < nh; ++j)
        for (int i = 0; i < nw; ++i) {
            const int v = read_pixel(x + i, y + j);
            if (v >= 0)
                values[static_cast<std::size_t>(j) * nw + i] = static_cast<std::uint8_t>(v);
        }
}

// The bitmap dump: an 80-byte header and the stored values, rows from the top.

int Screen::save_bitmap(const std::string& path) const
{
    const Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty())
        return ENOMEM;
    const Bitmap& b = *slot->bitmap;
    const std::vector<std::uint8_t>& plane = pixel_active_ ? pixel_buffer_ : b.plane;
    plat::WrittenFile file;
    if (!file.create(path))
        return file.error();
    bool ok = file.write(dump_header("WIN", {b.width, b.height, 8, b.bytes_per_row(), info_.bits_per_pixel, 32, 0, 0,
                                             stored_offset(mode_)}));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(b.bytes_per_row()), 0);
    for (int y = 0; ok && y < b.height; ++y) {
        std::copy_n(plane.begin() + static_cast<std::ptrdiff_t>(y) * b.width, b.width, row.begin());
        ok = file.write(row.data(), row.size());
    }
    return file.close();
}


int Screen::load_bitmap(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return dump_cannot_open;
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{file};

    char header[80];
    if (std::fread(header, 1, sizeof header, file) != sizeof header ||
        std::memcmp(header, "!Bitmap KORVAN", 14) != 0)
        return dump_not_bitmap;
    std::array<long, 9> v{};
    if (!dump_header_numbers(header, v))
        return dump_not_bitmap;
    const long file_width = v[0], file_height = v[1], file_row = v[3], file_bits = v[4];
    const long file_mapped = v[7], file_offset = v[8];
    if (file_bits != info_.bits_per_pixel)
        return dump_other_depth;
    constexpr long size_limit = 1L << 24;
    if (file_width < 1 || file_height < 1 || file_row < 1 || file_width > size_limit ||
        file_row > size_limit || file_height > size_limit)
        return dump_not_bitmap;

    Slot* slot = current_slot();
    if (slot == nullptr || slot->bitmap->empty())
        return dump_no_memory;
    Bitmap& b = *slot->bitmap;
    const int rows = static_cast<int>(std::min<long>(file_height, b.height));
    // Bytes past the file's width only pad its rows.
    const int bytes = static_cast<int>(std::min({file_row, file_width, static_cast<long>(b.width)}));
    std::unique_ptr<std::uint8_t[]> row(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(file_row)]);
    if (!row)
        return dump_no_memory;
    std::vector<std::uint8_t> plane = pixel_active_ ? pixel_buffer_ : b.plane;
    const bool mapping = pixel_mapping_active(mode_, kind_);
    const int own_offset = stored_offset(mode_);
    for (int y = 0; y < rows; ++y) {
        // A file shorter than its header says changes nothing.
        if (std::fread(row.get(), 1, static_cast<std::size_t>(file_row), file) !=
            static_cast<std::size_t>(file_row))
            return dump_not_bitmap;
        for (int x = 0; x < bytes; ++x) {
            int value = row[static_cast<std::size_t>(x)];
            if (file_mapped == 1)
                value = pixel_store(mode_, kind_, reduction_, mapping, value);
            else if (file_offset != own_offset)
                value = static_cast<int>(((value + own_offset - file_offset) % 256 + 256) % 256);
            plane[static_cast<std::size_t>(y) * b.width + x] = static_cast<std::uint8_t>(value);
        }
    }
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < bytes; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * b.width + x;
            b.plane[at] = plane[at];
            put_rgb(b.picture, x, y, rgb_of_stored(plane[at]));
            if (pixel_active_)
                pixel_buffer_[at] = plane[at];
        }
    refresh(current_);
    return dump_ok;
}

// The driver's screen and the library's API.

Screen& screen()
{
    if (!screen_instance()) {
        screen_instance() = std::make_unique<Screen>(plat::graphics());
        // Windows on a display keep repainting while the prompt waits for a line.
        if (!plat::graphics().headless())
            plat::set_input_idle([] { plat::graphics().poll(); });
    }
    return *screen_instance();
}

bool screen_exists() { return static_cast<bool>(screen_instance()); }

void reset_screen() { screen_instance().reset(); }

void set_picture_namer(std::string (*namer)(const std::string& name)) { picture_namer = namer; }

std::string picture_file_name(int window_number)
{
    const std::string base = "korvan_win" + std::to_string(window_number);
    if (picture_namer != nullptr)
        return picture_namer(base + ".png");
    auto exists = [](const std::string& name) {
        std::FILE* f = std::fopen(name.c_str(), "rb");
        if (f != nullptr)
            std::fclose(f);
        return f != nullptr;
    };
    if (!exists(base + ".png"))
        return base + ".png";
    for (int k = 1; k <= 999; ++k) {
        std::string name = base + "_" + std::to_string(k) + ".png";
        if (!exists(name))
            return name;
    }
    return {};
}

DrawingSize open_window(const OpenRequest& request) { return screen().open_window(request); }
bool select_window(int n) { return screen().select_window(n); }
bool close_window(int n) { return screen().close_window(n); }
bool window_is_open(int n) { return screen_exists() && screen().is_open(n); }
int current_window() { return screen_exists() ? screen().current_window() : 0; }
unsigned long native_window_id() { return screen_exists() ? screen().native_window_id() : 0; }
long display_id() { return screen_exists() ? screen().display_id() : 0; }
void set_window_title(std::string_view text) { screen().set_title(text); }
void move_to(int x, int y) { screen().move_to(x, y); }
void draw_to(int x, int y) { screen().draw_to(x, y); }
void flush_polyline() { screen().flush(); }
void set_colour(int index) { screen().set_colour(index); }
void fill_rect(int x, int y, int w, int h, int index) { screen().fill_rect(x, y, w, h, index); }
void draw_ink(int x, int y, int w, int h, const std::uint8_t* ink) { screen().draw_ink(x, y, w, h, ink); }
void erase() { screen().erase(); }
void load_colour_table(TableKind kind, const std::array<std::uint32_t, 256>& rgb)
{
    screen().load_colour_table(kind, rgb);
}
void end_of_plot_wait(int end_mode) { screen().end_of_plot_wait(end_mode); }
void next_page_wait() { screen().next_page_wait(); }
void update() { screen().update(); }
bool begin_pixel_access() { return screen().begin_pixels(); }
void end_pixel_access() { screen().end_pixels(); }
bool write_pixel(int x, int y, int index) { return screen().write_pixel(x, y, index); }
int read_pixel(int x, int y) { return screen().read_pixel(x, y); }
void write_pixels(const std::uint8_t* values, int x, int y, int nw, int nh)
{
    screen().write_pixels(values, x, y, nw, nh);
}
void read_pixels(std::uint8_t* values, int x, int y, int nw, int nh)
{
    screen().read_pixels(values, x, y, nw, nh);
}
void write_row(const std::uint8_t* values, int x, int y, int n) { screen().write_row(values, x, y, n); }
void read_row(std::uint8_t* values, int x, int y, int n) { screen().read_row(values, x, y, n); }
int save_bitmap(const std::string& path) { return screen().save_bitmap(path); }
int load_bitmap(const std::string& path) { return screen().load_bitmap(path); }

}  // namespace korvan::win
