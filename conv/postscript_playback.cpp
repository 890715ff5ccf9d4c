#include "conv/postscript_playback.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <numbers>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plat/line_reader.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/images.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"

namespace korvan::conv {

namespace {

constexpr double plot_units_per_point = 3.514598;
// Points of a path before it is drawn and continued from its last point.
constexpr std::size_t path_limit = 100;
// Numbers kept before an operator (the longest operator takes nine).
constexpr std::size_t number_limit = 16;
// Longest word or string taken; the rest of a longer one is dropped.
constexpr std::size_t word_limit = 4096;
// Arc length in plot units of one segment of a ring sector's arcs.
constexpr double arc_step = 5.0;
constexpr int arc_segment_limit = 1000;
// Largest width and height of a picture taken (the rasters hold at most 2000).
constexpr int image_limit = 10000;
constexpr double degree = std::numbers::pi / 180.0;
// Plot units of one millimetre.
constexpr double page_millimetres = 10.0;

struct Point {
    double x;
    double y;
};

int hex_value(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The device fills the page with its background colour on ERASE.
bool erases_page(int code) { return code <= 200 || (code >= 601 && code <= 700); }

class Player {
public:
    Player(const PostScriptPage& page, const PageSelection& pages, const PostScriptImage& image)
        : page_(page), pages_(pages), image_(image), palette_(file_palette(page.white_paper))
    {
        drawing_ = selected(1);
    }

    // A word of the body: a number, an operator or anything else.
    void word(std::string_view w)
    {
        if (finished_)
            return;
        std::string text(w);
        char* end = nullptr;
        double v = std::strtod(text.c_str(), &end);
        if (end != text.c_str() && *end == '\0' && std::isfinite(v)) {
            if (numbers_.size() < number_limit)
                numbers_.push_back(v);
            return;
        }
        operate(text);
        numbers_.clear();
    }

    // A string operand, its bytes decoded.
    void string(std::string bytes)
    {
        string_ = std::move(bytes);
        numbers_.clear();
    }

    void finish() { draw_path(); }

    // The bytes per pixel of the image whose data follow in the file, once; 0 when none.
    int take_image_request() { return std::exchange(image_request_, 0); }

    // The image data: hexadecimal bytes, one (grey) or three (red, green,
    // blue) per pixel, rows from the top, read up to the image's size or the
    // first character that is no hexadecimal digit; each pixel becomes the
    // target pixel at the same place, in the nearest colour of the table.
    void image(std::FILE* in, int bytes_per_pixel)
    {
        draw_path();
        int width = std::clamp(image_.width, 0, image_limit);
        int height = std::clamp(image_.height, 0, image_limit);
        bool shown = drawing_ && width > 0 && height > 0;
        if (shown)
            imgini();
        std::vector<std::uint8_t> row(static_cast<std::size_t>(std::max(width, 0)));
        std::uint8_t pixel[3] = {0, 0, 0};
        int last_rgb = -1;
        int last_index = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int k = 0; k < bytes_per_pixel; ++k)
                    if (!hex_byte(in, pixel[k])) {
                        if (shown) {
                            wpxrow(std::span<const std::uint8_t>(row.data(), static_cast<std::size_t>(x)), 0, y, x);
                            imgfin();
                        }
                        return;
                    }
                if (bytes_per_pixel == 1)
                    pixel[1] = pixel[2] = pixel[0];
                int rgb = pixel[0] << 16 | pixel[1] << 8 | pixel[2];
                if (rgb != last_rgb) {
                    last_rgb = rgb;
                    last_index = nearest_colour(palette_, pixel[0], pixel[1], pixel[2]);
                }
                row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(last_index);
            }
            if (shown)
                wpxrow(row, 0, y, width);
        }
        if (shown)
            imgfin();
    }

private:
    // The numbers before an operator: n of them, the last ones.
    const double* last(std::size_t n) const { return numbers_.size() >= n ? numbers_.data() + numbers_.size() - n : nullptr; }

    bool selected(int page) const
    {
        return page >= pages_.first_page && (pages_.count <= 0 || page < pages_.first_page + pages_.count);
    }

    void operate(const std::string& op)
    {
        if (op == "u") {
            if (const double* a = last(2)) {
                draw_path();
                path_.push_back(plot_point(a[0], a[1]));
            }
        } else if (op == "d") {
            if (const double* a = last(2)) {
                if (path_.size() >= path_limit) {
                    Point kept = path_.back();
                    draw_path();
                    path_.push_back(kept);
                }
                path_.push_back(plot_point(a[0], a[1]));
            }
        } else if (op == "p") {
            draw_path();
        } else if (op == "f") {
            if (const double* a = last(3)) {
                draw_path();
                // Pages left out change no colour of the output; the last
                // colour is taken up where the drawing starts.
                int colour = nearest_colour(palette_, a[0], a[1], a[2]);
                if (drawing_)
                    setclr(colour);
                else
                    skipped_colour_ = colour;
            }
        } else if (op == "e") {
            if (const double* a = last(7)) {
                draw_path();
                if (drawing_)
                    fill_rectangle(a);
            }
        } else if (op == "sec") {
            if (const double* a = last(9)) {
                draw_path();
                if (drawing_)
                    fill_sector(a);
            }
        } else if (op == "c") {
            if (const double* a = last(4)) {
                draw_path();
                if (drawing_) {
                    char code = static_cast<char>(static_cast<int>(std::clamp(a[0], 0.0, 255.0)));
                    text(postscript_font_text(std::string_view(&code, 1), symbol_font_), a[1], a[2], a[3], true);
                }
            }
        } else if (op == "text") {
            if (const double* a = last(4)) {
                draw_path();
                if (drawing_)
                    text(postscript_font_text(string_, symbol_font_), a[0], a[1], a[2], a[3] > 0);
            }
        } else if (op == "font") {
            if (const double* a = last(1))
                font_size_ = a[0];
            // Greek letters and signs are written in the Symbol font.
            symbol_font_ = string_ == "Symbol";
        } else if (op == "copypage") {
            next_page();
        } else if (op == "image" || op == "colorimage") {
            // The data follow the operator in the file.
            image_request_ = op == "image" ? 1 : 3;
        } else if (op == "erasepage") {
            draw_path();
            if (drawing_)
                erase_page();
        }
        // Everything else (setlinewidth, showpage, font names, ReEncodeSmall)
        // only ends its operands: line widths have no meaning on the targets.
    }

    Point plot_point(double dx, double dy) const
    {
        if (page_.turned)
            return {0.5 * dy, 0.5 * dx};
        return {0.5 * dx, page_.height - 1 - 0.5 * dy};
    }

    // Angles in the file are counter-clockwise on the paper, 90 degrees more on a turned page.
    double plot_angle(double device_angle) const { return page_.turned ? device_angle - 90.0 : device_angle; }

    void draw_path()
    {
        if (drawing_)
            for (std::size_t i = 0; i < path_.size(); ++i)
                plot_vector(path_[i].x, path_[i].y, i > 0 ? 2 : 3);
        path_.clear();
    }

    void next_page()
    {
        draw_path();
        bool was = drawing_;
        ++page_number_;
        drawing_ = selected(page_number_);
        if (!was && drawing_ && skipped_colour_ >= 0)
            setclr(skipped_colour_);
        if (was && drawing_)
            newpag();
        else if (was && !drawing_)
            finished_ = true;  // the pages asked for are drawn
    }

    // ERASE on the devices that have a page to erase.
    void erase_page()
    {
        PlotState& s = state();
        flush_pending();
        if (s.device && erases_page(s.device_code))
            s.device->fill_rect(0, 0, s.page_width + 1, s.page_height + 1, 0);
    }

    // x y w v r g b e: the rectangle between two corners in a colour. A black
    // rectangle over the whole page is the screen look of a colour file: the
    // page's own background, which devices with a page erase to.
    void fill_rectangle(const double* a)
    {
        PlotState& s = state();
        if (!s.device)
            return;
        Point p = plot_point(a[0], a[1]);
        Point q = plot_point(a[2], a[3]);
        double x = std::min(p.x, q.x);
        double y = std::min(p.y, q.y);
        double w = std::fabs(q.x - p.x);
        double h = std::fabs(q.y - p.y);
        bool whole_page = w >= page_.drawing_width - 2 && h >= page_.drawing_height - 2;
        if (whole_page && a[4] == 0 && a[5] == 0 && a[6] == 0) {
            erase_page();
            return;
        }
        flush_pending();
        s.device->fill_rect(x, y, w, h, nearest_colour(palette_, a[4], a[5], a[6]));
    }

    // x y r1 r2 a a2 r g b sec: the ring sector between two radii and two
    // angles (device units and degrees), filled as the library fills areas.
    void fill_sector(const double* a)
    {
        double r1 = std::max(a[2], 0.0);
        double r2 = std::max(a[3], 0.0);
        double from = a[4];
        double to = a[5];
        if (!(r2 > r1) || !std::isfinite(from) || !std::isfinite(to) || std::fabs(to - from) > 1e6)
            return;
        // As PostScript's arc: the end angle is raised by whole turns until it
        // is not below the start, in one step, since at large angles a single
        // turn is lost in rounding.
        if (to < from)
            to = std::max(to + 360.0 * std::ceil((from - to) / 360.0), from);
        auto arc = [&](double r, std::vector<Point>& out, bool backwards) {
            double span = (to - from) * degree;
            int n = static_cast<int>(std::clamp(0.5 * r * span / arc_step, 1.0, double{arc_segment_limit}));
            for (int i = 0; i <= n; ++i) {
                int k = backwards ? n - i : i;
                double t = from * degree + span * k / n;
                out.push_back(plot_point(a[0] + r * std::cos(t), a[1] + r * std::sin(t)));
            }
        };
        std::vector<Point> outline;
        arc(r2, outline, false);
        if (r1 > 0)
            arc(r1, outline, true);
        else
            outline.push_back(plot_point(a[0], a[1]));
        std::vector<FillPoint> polygon;
        for (const Point& p : outline)
            polygon.push_back({p.x, p.y});
        PlotState& s = state();
        int kept = s.current_colour;
        int colour = nearest_colour(palette_, a[6], a[7], a[8]);
        if (colour != kept)
            setclr(colour);
        fill_solid(polygon, nullptr);
        if (s.current_colour != kept)
            setclr(kept);
    }

    // Hardware text with its base line starting at, or centred on, a device
    // point, in the font HWFONT chose for the target: its own font where it
    // has one, otherwise the stroke font, at the same place, height and angle.
    void text(const std::string& shown, double dx, double dy, double device_angle, bool centred)
    {
        if (shown.empty() || !std::isfinite(device_angle))
            return;
        Point base = plot_point(dx, dy);
        double angle = plot_angle(device_angle);
        // The font size is a quarter of the character height in device units.
        double height = font_size_ > 0 ? 2.0 * font_size_ : state().text.height;
        TextRequest request;
        request.height = height;
        request.angle = angle;
        request.justification = centred ? 1 : 0;
        // draw_text takes the upper left corner of the text.
        draw_text(shown, base.x - (height - 1) * std::sin(angle * degree), base.y - (height - 1) * std::cos(angle * degree),
                  request);
    }

    // Two hexadecimal digits, blanks and line ends between them skipped.
    static bool hex_byte(std::FILE* in, std::uint8_t& byte)
    {
        int digits[2];
        for (int& d : digits) {
            int c;
            do
                c = std::fgetc(in);
            while (c == ' ' || c == '\n' || c == '\r' || c == '\t');
            d = hex_value(c);
            if (d < 0) {
                if (c != EOF)
                    std::ungetc(c, in);
                return false;
            }
        }
        byte = static_cast<std::uint8_t>(digits[0] * 16 + digits[1]);
        return true;
    }

    PostScriptPage page_;
    PageSelection pages_;
    PostScriptImage image_;
    ColourTable palette_;
    int image_request_ = 0;
    int page_number_ = 1;
    bool drawing_ = true;
    bool finished_ = false;
    std::vector<double> numbers_;
    std::vector<Point> path_;
    std::string string_;
    double font_size_ = 0;
    bool symbol_font_ = false;
    int skipped_colour_ = -1;  // the colour last set on a page left out
};

// Splits the body into words and strings: "(...)" with its escapes and
// nested parentheses, "<...>" hexadecimal; blanks and line ends separate.
class Scanner {
public:
    Scanner(std::FILE* in, Player& player) : in_(in), player_(player) {}

    // False when a word or string too long to be read ended the reading.
    bool run()
    {
        int c;
        std::string word;
        std::size_t length = 0;  // of the word, also beyond what is kept
        auto end_word = [&] {
            if (!word.empty())
                player_.word(word);
            word.clear();
            length = 0;
        };
        while (!refused_ && (c = std::fgetc(in_)) != EOF) {
            if (c == '(') {
                end_word();
                player_.string(literal());
            } else if (c == '<') {
                end_word();
                player_.string(hex());
            } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f') {
                end_word();
                if (int bytes = player_.take_image_request())
                    player_.image(in_, bytes);
            } else if (++length > plat::LineReader::default_bound) {
                refused_ = true;
            } else if (word.size() < word_limit) {
                word.push_back(static_cast<char>(c));
            }
        }
        if (!refused_)
            end_word();
        return !refused_;
    }

private:
    std::string literal()
    {
        std::string bytes;
        int depth = 1;
        int c;
        std::size_t length = 0;
        while ((c = std::fgetc(in_)) != EOF) {
            if (++length > plat::LineReader::default_bound) {
                refused_ = true;
                break;
            }
            if (c == '\\') {
                c = std::fgetc(in_);
                if (c == EOF)
                    break;
                if (c >= '0' && c <= '7') {
                    int v = c - '0';
                    for (int i = 0; i < 2; ++i) {
                        int d = std::fgetc(in_);
                        if (d < '0' || d > '7') {
                            if (d != EOF)
                                std::ungetc(d, in_);
                            break;
                        }
                        v = v * 8 + (d - '0');
                    }
                    c = v & 0xFF;
                } else if (c == 'n') {
                    c = '\n';
                } else if (c == 't') {
                    c = '\t';
                }
            } else if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                break;
            }
            if (bytes.size() < word_limit)
                bytes.push_back(static_cast<char>(c));
        }
        return bytes;
    }

    std::string hex()
    {
        std::string bytes;
        int high = -1;
        int c;
        std::size_t length = 0;
        while ((c = std::fgetc(in_)) != EOF && c != '>') {
            if (++length > plat::LineReader::default_bound) {
                refused_ = true;
                break;
            }
            int v = hex_value(c);
            if (v < 0)
                continue;
            if (high < 0) {
                high = v;
            } else {
                if (bytes.size() < word_limit)
                    bytes.push_back(static_cast<char>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0 && bytes.size() < word_limit)
            bytes.push_back(static_cast<char>(high * 16));
        return bytes;
    }

    std::FILE* in_;
    Player& player_;
    bool refused_ = false;
};

// The scale factor of the placement line ("... translate 5 cm setlinewidth
// f f scale"); 1 when there is none or it makes no sense.
double placement_factor(std::FILE* in)
{
    std::rewind(in);
    char line[512];
    for (int i = 0; i < 200 && std::fgets(line, sizeof line, in) != nullptr; ++i) {
        std::string_view text(line);
        std::size_t at = text.find("setlinewidth");
        if (text.find("translate") == std::string_view::npos || at == std::string_view::npos)
            continue;
        double factor = 0;
        if (std::sscanf(line + at + 12, "%lf", &factor) == 1 && factor > 1e-3 && factor < 1e3)
            return factor;
        return 1.0;
    }
    return 1.0;
}

// Skips the header up to and including the placement line (the one with
// "translate" and "setlinewidth"); false when there is none.
bool skip_to_body(plat::LineReader& lines)
{
    std::string line;
    while (lines.next(line, word_limit) == plat::LineReader::Status::line)
        if (line.find("translate") != std::string::npos && line.find("setlinewidth") != std::string::npos)
            return true;
    return false;
}

// Whether a drawing is on white paper: its body does not begin with a black
// rectangle over the whole drawing ("x y w v 0 0 0 e"), the black page of a
// colour file. A picture (no placement line) has no paper: its pixels carry
// their own colours.
bool on_white_paper(std::FILE* in, const PostScriptPage& page)
{
    std::rewind(in);
    plat::LineReader lines(in);
    if (!skip_to_body(lines))
        return false;
    double a[7];
    char op[8];
    if (std::fscanf(in, "%lf %lf %lf %lf %lf %lf %lf %7s", &a[0], &a[1], &a[2], &a[3], &a[4], &a[5], &a[6], op) != 8 ||
        std::string_view(op) != "e" || a[4] != 0 || a[5] != 0 || a[6] != 0)
        return true;
    // Device units are half plot units; a turned page has its sides exchanged.
    double w = 0.5 * std::fabs(a[2] - a[0]);
    double h = 0.5 * std::fabs(a[3] - a[1]);
    if (page.turned)
        std::swap(w, h);
    return w < page.drawing_width - 2 || h < page.drawing_height - 2;
}

}  // namespace

bool created_by_korvan(std::FILE* in)
{
    std::rewind(in);
    char line[256];
    for (int i = 0; i < 3; ++i)
        if (std::fgets(line, sizeof line, in) == nullptr)
            return false;
    return std::string_view(line).find("%%Creator: KORVAN") != std::string_view::npos;
}

bool read_postscript_page(std::FILE* in, PostScriptPage& page)
{
    std::rewind(in);
    char line[256];
    double llx = 0, lly = 0, urx = 0, ury = 0;
    bool box = false;
    for (int i = 0; i < 4 && std::fgets(line, sizeof line, in) != nullptr; ++i) {
        std::string_view text(line);
        if (text.starts_with("%%BoundingBox:"))
            box = std::sscanf(line + 14, "%lf %lf %lf %lf", &llx, &lly, &urx, &ury) == 4;
        if (text.starts_with("%%Creator: KORVAN")) {
            std::string_view flags = text.substr(17);
            page.turned = flags.find('L') != std::string_view::npos;
        }
    }
    // The box holds the drawing scaled by the factor of the placement line;
    // the body's coordinates are without it.
    double factor = placement_factor(in);
    page.width = (urx - llx) * plot_units_per_point / factor;
    page.height = (ury - lly) * plot_units_per_point / factor;
    if (page.turned)
        std::swap(page.width, page.height);
    if (!box || !(page.width >= 1 && page.height >= 1 && page.width < 1e6 && page.height < 1e6))
        return false;
    page.drawing_width = page.width;
    page.drawing_height = page.height;
    page.white_paper = on_white_paper(in, page);
    // Whole millimetres, so that a metafile header (in centimetres with one
    // decimal) written from the page still holds the whole drawing.
    page.width = page_millimetres * std::ceil((page.width + 1) / page_millimetres);
    page.height = page_millimetres * std::ceil((page.height + 1) / page_millimetres);
    return true;
}

std::string play_postscript(std::FILE* in, const PostScriptPage& page, const PageSelection& pages,
                            const PostScriptImage& image)
{
    std::rewind(in);
    plat::LineReader lines(in);
    if (!skip_to_body(lines)) {
        if (lines.refused())
            return lines.refusal();
        // A picture file has no placement line: all of it is read.
        if (image.width <= 0 || image.height <= 0)
            return {};
        std::rewind(in);
    }
    // Texts are drawn as HWFONT draws them on the target.
    hwfont();
    Player player(page, pages, image);
    bool whole = Scanner(in, player).run();
    player.finish();
    if (!whole)
        return "a word longer than " + std::to_string(plat::LineReader::default_bound) +
               " characters; it and the rest of the file are not read";
    return {};
}

ColourTable file_palette(bool white_paper)
{
    const PlotState& s = state();
    ColourTable palette = s.colour_table;
    if (white_paper != colour_table_reversed())
        exchange_background(palette, static_cast<ColourTableName>(
                                         std::clamp(s.colour_table_index, 0, colour_table_name_count - 1)));
    return palette;
}

int nearest_colour(const ColourTable& palette, double r, double g, double b)
{
    int best = 0;
    double best_distance = 1e300;
    for (int i = 0; i < 256; ++i) {
        std::uint32_t rgb = palette[static_cast<std::size_t>(i)];
        double dr = ((rgb >> 16) & 0xFF) - r;
        double dg = ((rgb >> 8) & 0xFF) - g;
        double db = (rgb & 0xFF) - b;
        double d = dr * dr + dg * dg + db * db;
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    return best;
}

}  // namespace korvan::conv
