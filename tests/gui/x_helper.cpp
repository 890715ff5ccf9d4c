// Helper of the GUI tests: reads screenshots written by xwd and asks windows
// to close the way a window manager does.
//
//   x_helper count <file.xwd> <RRGGBB>   prints how many pixels have that colour
//   x_helper size <file.xwd>             prints width and height
//   x_helper png <file.xwd> <file.png>   converts the screenshot for viewing
//   x_helper boxes <file.xwd> <RRGGBB[,RRGGBB...]> <min> [max]
//                                        prints "x y w h pixels" of every connected
//                                        area of those colours with min..max pixels,
//                                        top to bottom, then left to right
//   x_helper close <window id>           sends WM_DELETE_WINDOW
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plat/graphics.hpp"

namespace {

struct Shot {
    std::uint32_t field[25] = {};
    std::vector<unsigned char> data;
    std::size_t image = 0;  // offset of the image data
};

std::uint32_t be32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

bool load(const char* path, Shot& shot)
{
    std::ifstream in(path, std::ios::binary);
    shot.data.assign(std::istreambuf_iterator<char>(in), {});
    if (shot.data.size() < 100)
        return false;
    for (int i = 0; i < 25; ++i)
        shot.field[i] = be32(shot.data.data() + 4 * i);
    const std::uint32_t header_size = shot.field[0], ncolors = shot.field[19];
    const std::uint64_t bytes_per_line = shot.field[12], height = shot.field[5];
    shot.image = header_size + static_cast<std::size_t>(ncolors) * 12;
    if (shot.field[1] != 7 || shot.field[2] != 2 || shot.field[11] != 32)
        return false;
    return shot.image + bytes_per_line * height <= shot.data.size();
}

int shift_of(std::uint32_t mask)
{
    int s = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++s;
    }
    return s;
}

std::uint32_t pixel_rgb(const Shot& shot, std::uint32_t x, std::uint32_t y)
{
    const unsigned char* p = shot.data.data() + shot.image + y * shot.field[12] + x * 4;
    const std::uint32_t v = shot.field[7] == 0
                                ? (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0]
                                : be32(p);
    const std::uint32_t rm = shot.field[14], gm = shot.field[15], bm = shot.field[16];
    const std::uint32_t r = (v & rm) >> shift_of(rm), g = (v & gm) >> shift_of(gm), b = (v & bm) >> shift_of(bm);
    return (r << 16) | (g << 8) | b;
}

int close_window(const char* id)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 2;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::strtoul(id, nullptr, 0));
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}

struct Area {
    std::uint32_t x0, y0, x1, y1;
    long pixels;
};

// The 4-connected areas whose pixels have one of the colours.
std::vector<Area> areas_of(const Shot& shot, const std::vector<std::uint32_t>& colours)
{
    const std::uint32_t width = shot.field[4], height = shot.field[5];
    std::vector<char> in(static_cast<std::size_t>(width) * height, 0);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            in[static_cast<std::size_t>(y) * width + x] =
                std::find(colours.begin(), colours.end(), pixel_rgb(shot, x, y)) != colours.end();
    std::vector<Area> areas;
    std::vector<std::size_t> stack;
    for (std::size_t start = 0; start < in.size(); ++start) {
        if (in[start] == 0)
            continue;
        Area a{width, height, 0, 0, 0};
        in[start] = 0;
        stack.push_back(start);
        while (!stack.empty()) {
            const std::size_t p = stack.back();
            stack.pop_back();
            const std::uint32_t x = static_cast<std::uint32_t>(p % width), y = static_cast<std::uint32_t>(p / width);
            a.x0 = std::min(a.x0, x);
            a.y0 = std::min(a.y0, y);
            a.x1 = std::max(a.x1, x);
            a.y1 = std::max(a.y1, y);
            ++a.pixels;
            const std::array<std::size_t, 4> next = {x > 0 ? p - 1 : p, x + 1 < width ? p + 1 : p,
                                                     y > 0 ? p - width : p, y + 1 < height ? p + width : p};
            for (std::size_t q : next) {
                if (in[q] != 0) {
                    in[q] = 0;
                    stack.push_back(q);
                }
            }
        }
        areas.push_back(a);
    }
    return areas;
}

int print_boxes(const Shot& shot, const char* colour_list, long min_pixels, long max_pixels)
{
    std::vector<std::uint32_t> colours;
    for (const char* p = colour_list; *p != '\0';) {
        char* end = nullptr;
        colours.push_back(static_cast<std::uint32_t>(std::strtoul(p, &end, 16)));
        p = *end == ',' ? end + 1 : end;
        if (end == p && *p != '\0')
            return 2;
    }
    std::vector<Area> areas = areas_of(shot, colours);
    // Found in reading order of their first pixel: top to bottom, left to right.
    for (const Area& a : areas)
        if (a.pixels >= min_pixels && a.pixels <= max_pixels)
            std::printf("%u %u %u %u %ld\n", a.x0, a.y0, a.x1 - a.x0 + 1, a.y1 - a.y0 + 1, a.pixels);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "close") == 0)
        return close_window(argv[2]);
    Shot shot;
    if (argc < 3 || !load(argv[2], shot)) {
        std::fprintf(stderr, "x_helper: cannot read %s\n", argc >= 3 ? argv[2] : "(nothing)");
        return 2;
    }
    const std::uint32_t width = shot.field[4], height = shot.field[5];
    if (std::strcmp(argv[1], "size") == 0) {
        std::printf("%u %u\n", width, height);
        return 0;
    }
    if (std::strcmp(argv[1], "png") == 0 && argc == 4) {
        korvan::plat::Picture picture;
        picture.resize(static_cast<int>(width), static_cast<int>(height));
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint32_t rgb = pixel_rgb(shot, x, y);
                unsigned char* p = picture.rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
                p[0] = static_cast<unsigned char>(rgb >> 16);
                p[1] = static_cast<unsigned char>(rgb >> 8);
                p[2] = static_cast<unsigned char>(rgb);
            }
        return korvan::plat::write_png(argv[3], picture) == 0 ? 0 : 1;
    }
    if (std::strcmp(argv[1], "boxes") == 0 && (argc == 5 || argc == 6))
        return print_boxes(shot, argv[3], std::atol(argv[4]), argc == 6 ? std::atol(argv[5]) : 1L << 40);
    if (std::strcmp(argv[1], "count") == 0 && argc == 4) {
        const std::uint32_t want = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 16));
        long count = 0;
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x)
                count += pixel_rgb(shot, x, y) == want;
        std::printf("%ld\n", count);
        return 0;
    }
    std::fprintf(stderr, "x_helper: unknown command\n");
    return 2;
}
