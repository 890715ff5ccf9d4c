// SHIELD, SHLCIR, SHLELL, SHLPIE, SHLPOL, SHLRCT, SHLREC, SHLSUR, SHLVIS, SHLDEL.
#include "plot/routines/shields.hpp"

#include <algorithm>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/shield_state.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr unsigned all_areas = shield_texts | shield_symbols | shield_bars | shield_pies | shield_legends;

void add_region(ShieldRegion region)
{
    add_shield(state(), std::move(region));
}

double page_x(int nx) { return static_cast<double>(nx) + state().origin_x; }
double page_y(int ny) { return static_cast<double>(ny) + state().origin_y; }

// The region of a script number; warning 2 with the number when there is none.
std::vector<ShieldRegion>::iterator find_region(int id)
{
    std::vector<ShieldRegion>& regions = state().shields.regions;
    auto it = std::find_if(regions.begin(), regions.end(),
                           [id](const ShieldRegion& r) { return r.area == 0 && r.id == id; });
    if (it == regions.end())
        warning_int(2, id);
    return it;
}

}  // namespace

void shield(std::string_view area, std::string_view mode)
{
    soft_level_check("shield");
    int a = keyword_lookup("MESS+SYMB+BARS+PIE +LEGE+ALL ", 6, area);
    if (a == 0)
        return;
    int m = keyword_lookup("ON  +OFF +RESE+DEFI", 4, mode);
    if (m == 0)
        return;
    static constexpr unsigned areas[] = {shield_texts, shield_symbols, shield_bars, shield_pies, shield_legends,
                                         all_areas};
    unsigned bits = areas[a - 1];
    ShieldState& shields = state().shields;
    if (m == 1 || m == 4) {
        shields.automatic |= bits;
        if (m == 1)
            shields.defined_only &= ~bits;
        else
            shields.defined_only |= bits;
    } else if (m == 2) {
        shields.automatic &= ~bits;
    } else {
        std::erase_if(shields.regions, [bits](const ShieldRegion& r) { return (r.area & bits) != 0; });
        count_shields_in_force(shields);
    }
}

void shlcir(int nx, int ny, int nr)
{
    if (level_check(1, 3, "shlcir") || range_check(nr, 1, 0))
        return;
    add_region(shield_ellipse(page_x(nx), page_y(ny), nr, nr, 0));
}

void shlell(int nx, int ny, int na, int nb, double theta)
{
    if (level_check(1, 3, "shlell") || range_check(na, 1, 0) || range_check(nb, 1, 0))
        return;
    add_region(shield_ellipse(page_x(nx), page_y(ny), na, nb, theta));
}

void shlpie(int nx, int ny, int nr, double alpha, double beta)
{
    if (level_check(1, 3, "shlpie") || range_check(nr, 1, 0))
        return;
    if (!(beta > alpha)) {
        warning(8);
        return;
    }
    add_region(shield_sector(page_x(nx), page_y(ny), nr, alpha, beta));
}

void shlpol(std::span<const int> nx, std::span<const int> ny, int n)
{
    if (level_check(1, 3, "shlpol"))
        return;
    if (n < 3 || static_cast<std::size_t>(n) > nx.size() || static_cast<std::size_t>(n) > ny.size()) {
        warning_int(30, n);
        return;
    }
    std::vector<ShieldPoint> points(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = {page_x(nx[i]), page_y(ny[i])};
    add_region(shield_polygon(std::move(points)));
}

void shlrct(int nx, int ny, int nw, int nh, double theta)
{
    if (level_check(1, 3, "shlrct") || range_check(nw, 1, 0) || range_check(nh, 1, 0))
        return;
    add_region(shield_rectangle(page_x(nx), page_y(ny), nw, nh, theta));
}

void shlrec(int nx, int ny, int nw, int nh)
{
    if (level_check(1, 3, "shlrec") || range_check(nw, 1, 0) || range_check(nh, 1, 0))
        return;
    add_region(shield_rectangle(page_x(nx), page_y(ny), nw, nh, 0));
}

void shlsur()
{
    soft_level_check("shlsur");
    state().shields.automatic |= shield_surfaces;
}

void shlvis(int id, std::string_view visibility)
{
    if (level_check(1, 3, "shlvis"))
        return;
    int v = keyword_lookup("ON  +OFF ", 2, visibility);
    if (v == 0)
        return;
    ShieldState& shields = state().shields;
    if (id == 0) {
        for (ShieldRegion& r : shields.regions)
            r.in_force = v == 1;
    } else {
        auto it = find_region(id);
        if (it == shields.regions.end())
            return;
        it->in_force = v == 1;
    }
    count_shields_in_force(shields);
}

void shldel(int id)
{
    if (level_check(1, 3, "shldel"))
        return;
    ShieldState& shields = state().shields;
    if (id == 0) {
        shields.regions.clear();
    } else {
        auto it = find_region(id);
        if (it == shields.regions.end())
            return;
        shields.regions.erase(it);
    }
    count_shields_in_force(shields);
}

}  // namespace korvan
