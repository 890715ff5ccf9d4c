// Compares two renderings of one plot made at different sizes by different
// routes: each picture is cut to the box of its ink, laid on a grid of cells,
// and the cells with ink and the cells filled with ink are compared.
//
//   picture_compare [--cells N] [--missing F] [--filled F] <a> <b>
//
// Pictures are PNG (ink: not white), PBM (ink: black) or the library's palette
// TIFF (ink: an index other than 0). Prints the counts; exit 0 when the
// pictures agree, 1 when they differ, 2 when one cannot be read.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Mask {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> ink;
    bool at(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x] != 0; }
};

std::vector<unsigned char> read_bytes(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool read_png(const char* name, Mask& m)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, name))
        return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    m.width = static_cast<int>(image.width);
    m.height = static_cast<int>(image.height);
    png_image_free(&image);
    if (!ok)
        return false;
    m.ink.resize(static_cast<std::size_t>(m.width) * m.height);
    for (std::size_t i = 0; i < m.ink.size(); ++i)
        m.ink[i] = rgb[3 * i] < 200 || rgb[3 * i + 1] < 200 || rgb[3 * i + 2] < 200;
    return true;
}

// Raw PBM (P4): a header of words and comments, then rows of bits, 1 black.
bool read_pbm(const std::vector<unsigned char>& bytes, Mask& m)
{
    std::size_t at = 2;
    int numbers[2] = {0, 0};
    for (int& n : numbers) {
        while (at < bytes.size() && (std::isspace(bytes[at]) || bytes[at] == '#')) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else
                ++at;
        }
        while (at < bytes.size() && std::isdigit(bytes[at]))
            n = n * 10 + (bytes[at++] - '0');
    }
    ++at;
    m.width = numbers[0];
    m.height = numbers[1];
    std::size_t row = (static_cast<std::size_t>(m.width) + 7) / 8;
    if (m.width <= 0 || m.height <= 0 || bytes.size() < at + row * m.height)
        return false;
    m.ink.resize(static_cast<std::size_t>(m.width) * m.height);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            m.ink[static_cast<std::size_t>(y) * m.width + x] = (bytes[at + y * row + x / 8] >> (7 - x % 8)) & 1;
    return true;
}

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int size)
{
    if (at + size > b.size())
        return 0;
    return size == 2 ? b[at] | b[at + 1] << 8 : b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Little-endian 8-bit TIFF with one row per strip, as the library writes it.
bool read_tiff(const std::vector<unsigned char>& b, Mask& m)
{
    std::uint32_t ifd = le(b, 4, 4);
    int entries = static_cast<int>(le(b, ifd, 2));
    std::uint32_t offsets = 0;
    int offset_type = 4;
    for (int i = 0; i < entries; ++i) {
        std::size_t e = ifd + 2 + 12 * static_cast<std::size_t>(i);
        int tag = static_cast<int>(le(b, e, 2));
        int type = static_cast<int>(le(b, e + 2, 2));
        std::uint32_t value = type == 3 ? le(b, e + 8, 2) : le(b, e + 8, 4);
        if (tag == 256)
            m.width = static_cast<int>(value);
        else if (tag == 257)
            m.height = static_cast<int>(value);
        else if (tag == 273) {
            offsets = le(b, e + 8, 4);
            offset_type = type == 3 ? 2 : 4;
        }
    }
    if (m.width <= 0 || m.height <= 0 || offsets == 0)
        return false;
    m.ink.resize(static_cast<std::size_t>(m.width) * m.height);
    for (int y = 0; y < m.height; ++y) {
        std::uint32_t row = m.height == 1 ? offsets : le(b, offsets + static_cast<std::size_t>(y) * offset_type, offset_type);
        if (row + static_cast<std::size_t>(m.width) > b.size())
            return false;
        for (int x = 0; x < m.width; ++x)
            m.ink[static_cast<std::size_t>(y) * m.width + x] = b[row + x] != 0;
    }
    return true;
}

bool read_mask(const char* name, Mask& m)
{
    std::vector<unsigned char> bytes = read_bytes(name);
    if (bytes.size() > 8 && bytes[0] == 0x89 && bytes[1] == 'P')
        return read_png(name, m);
    if (bytes.size() > 2 && bytes[0] == 'P' && bytes[1] == '4')
        return read_pbm(bytes, m);
    if (bytes.size() > 8 && bytes[0] == 'I' && bytes[1] == 'I')
        return read_tiff(bytes, m);
    return false;
}

// The ink on a grid of cells over the box of the ink: per cell the share of
// ink pixels. Cells are square; the longer side of the box has n cells.
struct Grid {
    int columns = 0;
    int rows = 0;
    std::vector<double> share;
    long ink_pixels = 0;
    double at(int c, int r) const { return share[static_cast<std::size_t>(r) * columns + c]; }
};

Grid grid_of(const Mask& m, int n)
{
    int x0 = m.width, y0 = m.height, x1 = -1, y1 = -1;
    Grid g;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
                ++g.ink_pixels;
            }
    if (x1 < 0)
        return g;
    double w = x1 - x0 + 1;
    double h = y1 - y0 + 1;
    double cell = std::max(w, h) / n;
    g.columns = std::max(1, static_cast<int>(std::ceil(w / cell)));
    g.rows = std::max(1, static_cast<int>(std::ceil(h / cell)));
    std::vector<long> ink(static_cast<std::size_t>(g.columns) * g.rows);
    std::vector<long> all(ink.size());
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            int c = std::min(g.columns - 1, static_cast<int>((x - x0) / cell));
            int r = std::min(g.rows - 1, static_cast<int>((y - y0) / cell));
            std::size_t i = static_cast<std::size_t>(r) * g.columns + c;
            ++all[i];
            ink[i] += m.at(x, y) ? 1 : 0;
        }
    g.share.resize(ink.size());
    for (std::size_t i = 0; i < ink.size(); ++i)
        g.share[i] = all[i] ? static_cast<double>(ink[i]) / all[i] : 0.0;
    return g;
}

// Cells of a with ink where b has none in the cell or its neighbours.
long missing(const Grid& a, const Grid& b, long& inked)
{
    long count = 0;
    inked = 0;
    for (int r = 0; r < a.rows; ++r)
        for (int c = 0; c < a.columns; ++c) {
            if (a.at(c, r) <= 0)
                continue;
            ++inked;
            // The same place in b's grid, which may differ by a cell.
            int bc = static_cast<int>(std::lround((c + 0.5) * b.columns / a.columns - 0.5));
            int br = static_cast<int>(std::lround((r + 0.5) * b.rows / a.rows - 0.5));
            bool found = false;
            for (int dr = -1; dr <= 1 && !found; ++dr)
                for (int dc = -1; dc <= 1 && !found; ++dc) {
                    int x = bc + dc, y = br + dr;
                    found = x >= 0 && y >= 0 && x < b.columns && y < b.rows && b.at(x, y) > 0;
                }
            count += found ? 0 : 1;
        }
    return count;
}

long filled(const Grid& g)
{
    return std::count_if(g.share.begin(), g.share.end(), [](double s) { return s > 0.8; });
}

}  // namespace

int main(int argc, char** argv)
{
    int cells = 120;
    double missing_limit = 0.03;
    double filled_limit = 0.15;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-' && argv[i][1] == '-'; i += 2) {
        if (std::strcmp(argv[i], "--cells") == 0)
            cells = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--missing") == 0)
            missing_limit = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--filled") == 0)
            filled_limit = std::atof(argv[i + 1]);
    }
    if (argc - i != 2 || cells < 4) {
        std::fprintf(stderr, "usage: picture_compare [--cells N] [--missing F] [--filled F] <a> <b>\n");
        return 2;
    }
    Mask a, b;
    if (!read_mask(argv[i], a) || !read_mask(argv[i + 1], b)) {
        std::printf("cannot read %s\n", read_mask(argv[i], a) ? argv[i + 1] : argv[i]);
        return 2;
    }
    Grid ga = grid_of(a, cells);
    Grid gb = grid_of(b, cells);
    if (ga.share.empty() || gb.share.empty()) {
        std::printf("no ink in %s\n", ga.share.empty() ? argv[i] : argv[i + 1]);
        return 1;
    }
    long inked_a = 0, inked_b = 0;
    long lost = missing(ga, gb, inked_a);
    long added = missing(gb, ga, inked_b);
    long filled_a = filled(ga);
    long filled_b = filled(gb);
    double aspect_a = static_cast<double>(ga.columns) / ga.rows;
    double aspect_b = static_cast<double>(gb.columns) / gb.rows;
    std::printf("grid %dx%d / %dx%d, ink cells %ld / %ld, missing %ld, extra %ld, filled cells %ld / %ld\n", ga.columns,
                ga.rows, gb.columns, gb.rows, inked_a, inked_b, lost, added, filled_a, filled_b);
    bool same = std::fabs(aspect_a - aspect_b) < 0.05 * aspect_a && lost <= missing_limit * inked_a &&
                added <= missing_limit * inked_b &&
                std::labs(filled_a - filled_b) <= filled_limit * std::max(filled_a, filled_b) + 3;
    return same ? 0 : 1;
}
