// The 22 plot symbols.
#include "plot/routines/symbols.hpp"

#include <cmath>
#include <cstdio>
#include <span>
#include <utility>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/user_points.hpp"

namespace korvan {

namespace {

struct Offset {
    int x;
    int y;
};

// Outlines in hundredths of the symbol height, y downward; closed ones repeat
// their first point.
constexpr Offset square[] = {{-50, -50}, {-50, 50}, {50, 50}, {50, -50}, {-50, -50}};
constexpr Offset octagon[] = {{-20, -50}, {-50, -20}, {-50, 20}, {-20, 50}, {20, 50},
                              {50, 20},   {50, -20},  {20, -50}, {-20, -50}};
constexpr Offset triangle_up[] = {{0, -50}, {50, 50}, {-50, 50}, {0, -50}};
constexpr Offset plus_h[] = {{-50, 0}, {50, 0}};
constexpr Offset plus_v[] = {{0, -50}, {0, 50}};
constexpr Offset cross_a[] = {{-50, -50}, {50, 50}};
constexpr Offset cross_b[] = {{50, -50}, {-50, 50}};
constexpr Offset diamond[] = {{0, -50}, {50, 0}, {0, 50}, {-50, 0}, {0, -50}};
constexpr Offset triangle_down[] = {{-50, -50}, {0, 50}, {50, -50}, {-50, -50}};
constexpr Offset circle[] = {{49, -9},  {42, -27}, {27, -42}, {9, -49},  {-9, -49}, {-27, -42},
                             {-42, -27}, {-49, -9}, {-49, 9},  {-42, 27}, {-27, 42}, {-9, 49},
                             {9, 49},    {27, 42},  {42, 27},  {49, 9},   {49, -9}};

using Shape = std::span<const Offset>;

struct SymbolParts {
    Shape parts[4];
    int count;
};

SymbolParts parts_of(int n)
{
    switch (n) {
    case 0:
    case 16:
        return {{square}, 1};
    case 1:
    case 17:
        return {{octagon}, 1};
    case 2:
    case 18:
        return {{triangle_up}, 1};
    case 3:
        return {{plus_h, plus_v}, 2};
    case 4:
        return {{cross_a, cross_b}, 2};
    case 5:
    case 19:
        return {{diamond}, 1};
    case 6:
    case 20:
        return {{triangle_down}, 1};
    case 7:
        return {{square, cross_a, cross_b}, 3};
    case 8:
        return {{plus_h, plus_v, cross_a, cross_b}, 4};
    case 9:
        return {{diamond, plus_h, plus_v}, 3};
    case 10:
        return {{octagon, plus_h, plus_v}, 3};
    case 11:
        return {{triangle_down, triangle_up}, 2};
    case 12:
        return {{square, plus_h, plus_v}, 3};
    case 13:
        return {{octagon, cross_a, cross_b}, 3};
    case 14:
        return {{square, triangle_up}, 2};
    default:
        return {{circle}, 1};
    }
}

}  // namespace

void draw_symbol(int n, double x, double y, double height, const ClipRect* clip)
{
    if (n < 0 || n >= symbol_count)
        return;
    double angle = state().curves.symbol_angle;
    double c = 1.0;
    double s = 0.0;
    if (angle != 0.0) {
        double r = angle * M_PI / 180.0;
        c = std::cos(r);
        s = std::sin(r);
    }
    auto place = [&](const Offset& o) {
        double dx = o.x * height / 100.0;
        double dy = o.y * height / 100.0;
        if (angle != 0.0) {
            double rx = dx * c + dy * s;
            double ry = -dx * s + dy * c;
            dx = rx;
            dy = ry;
        }
        return FillPoint{x + dx, y + dy};
    };
    SymbolParts parts = parts_of(n);
    LinePen pen(false, clip);
    for (int k = 0; k < parts.count; ++k) {
        bool first = true;
        for (const Offset& o : parts.parts[k]) {
            FillPoint p = place(o);
            if (first)
                pen.move(p.x, p.y);
            else
                pen.draw(p.x, p.y);
            first = false;
        }
    }
    if (n < 16)
        return;
    // Filled symbols: the outline (without its repeated first point) filled.
    std::vector<FillPoint> outline;
    Shape shape = parts.parts[0];
    for (std::size_t i = 0; i + 1 < shape.size(); ++i)
        outline.push_back(place(shape[i]));
    scanline_fill(outline, 0.75, 24, [&](double from, double to, double fy, int) {
        pen.move(from, fy);
        pen.draw(to, fy);
    });
}

namespace {

// SYMBOL's body: the symbol centred on (nx, ny) plus the origin of ORIGIN;
// a point off the page is reported under the routine's name and drawn.
void symbol_at(int nsym, int nx, int ny, const char* routine)
{
    if (range_check(nsym, 0, symbol_count - 1))
        return;
    PlotState& s = state();
    int x = nx + s.origin_x;
    int y = ny + s.origin_y;
    if (x < 0 || x > s.page_width || y < 0 || y > s.page_height) {
        ++s.warning_count;
        if (s.message_unit != 0) {
            char line[96];
            std::snprintf(line, sizeof line, " >>>> (%d/%d) out of page in %s!\n", nx, ny, routine);
            message_print(line);
        }
    }
    draw_symbol(nsym, x, y, s.curves.symbol_height, nullptr);
    if ((s.shields.automatic & shield_symbols) != 0) {
        // The symbol's square, turned with it about its centre.
        double half = s.curves.symbol_height / 2.0;
        double r = s.curves.symbol_angle * M_PI / 180.0;
        double c = std::cos(r);
        double sn = std::sin(r);
        std::vector<ShieldPoint> square;
        for (auto [dx, dy] : {std::pair{-half, -half}, {half, -half}, {half, half}, {-half, half}})
            square.push_back({x + dx * c + dy * sn, y - dx * sn + dy * c});
        add_automatic_shield(shield_symbols, shield_polygon(std::move(square)));
    }
}

}  // namespace

void symbol(int nsym, int nx, int ny)
{
    if (level_check(1, 3, "symbol"))
        return;
    symbol_at(nsym, nx, ny, "symbol");
}

void rlsymb(int nsym, double x, double y)
{
    if (level_check(2, 3, "rlsymb"))
        return;
    int nx = 0;
    int ny = 0;
    if (user_point_for_plot_routine(x, y, nx, ny))
        symbol_at(nsym, nx, ny, "rlsymb");
}

void symrot(double angle)
{
    soft_level_check("symrot");
    state().curves.symbol_angle = angle;
}

}  // namespace korvan
