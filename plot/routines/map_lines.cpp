// The map line drawing, CURVMP and GRIDMP.
#include "plot/routines/map_lines.hpp"

#include <algorithm>
#include <cmath>
#include <span>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/maps.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan {

namespace {

// The most intermediate points of one segment (a segment around the globe
// in steps of a degree).
constexpr int step_limit = 1000;

// The unit vector of a point on the sphere.
struct Vec {
    double x;
    double y;
    double z;
};

Vec unit_vector(double lon, double lat)
{
    double l = lon * map_degree;
    double p = lat * map_degree;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}

}  // namespace

MapLine::MapLine(int mode)
{
    mode_ = map_projected() ? mode : 0;
    seam_ = map_frame_has_seam();
}

void MapLine::end_piece()
{
    if (piece_.size() > 1)
        pieces_.push_back(std::move(piece_));
    piece_.clear();
}

void MapLine::move(double lon, double lat)
{
    end_piece();
    placed_ = true;
    lon_ = lon;
    lat_ = lat;
    FillPoint p{};
    visible_ = map_to_plot(lon, lat, p);
    sample_lon_ = lon;
    sample_lat_ = lat;
    if (visible_)
        piece_.push_back(p);
}

void MapLine::sample(double lon, double lat)
{
    FillPoint p{};
    bool visible = map_to_plot(lon, lat, p);
    if (visible != visible_) {
        // Where the step crosses the edge of the visible sphere.
        double in_lon = visible_ ? sample_lon_ : lon;
        double in_lat = visible_ ? sample_lat_ : lat;
        double out_lon = visible_ ? lon : sample_lon_;
        double out_lat = visible_ ? lat : sample_lat_;
        FillPoint edge{};
        bool found = false;
        for (int i = 0; i < 40; ++i) {
            double mid_lon = (in_lon + out_lon) / 2;
            double mid_lat = (in_lat + out_lat) / 2;
            FillPoint q{};
            if (map_to_plot(mid_lon, mid_lat, q)) {
                in_lon = mid_lon;
                in_lat = mid_lat;
                edge = q;
                found = true;
            } else {
                out_lon = mid_lon;
                out_lat = mid_lat;
            }
        }
        if (!found)
            found = map_to_plot(in_lon, in_lat, edge);
        if (visible_) {
            if (found)
                piece_.push_back(edge);
            end_piece();
        } else {
            end_piece();
            if (found)
                piece_.push_back(edge);
        }
    } else if (visible && seam_) {
        const MapAttributes& m = state().maps;
        FramePoint a = map_frame_point(m, sample_lon_, sample_lat_);
        FramePoint b = map_frame_point(m, lon, lat);
        if (std::fabs(b.lon - a.lon) > 180) {
            // Across the seam: the line runs to the edge of the map on one
            // side and goes on from the edge on the other.
            double edge = a.lon > 0 ? 180 : -180;
            double b_lon = a.lon + std::remainder(b.lon - a.lon, 360.0);
            double edge_lat = a.lat + (edge - a.lon) / (b_lon - a.lon) * (b.lat - a.lat);
            FillPoint q{};
            if (frame_to_plot({edge, edge_lat}, q))
                piece_.push_back(q);
            end_piece();
            if (frame_to_plot({-edge, edge_lat}, q))
                piece_.push_back(q);
        }
    }
    if (visible)
        piece_.push_back(p);
    visible_ = visible;
    sample_lon_ = lon;
    sample_lat_ = lat;
}

void MapLine::draw(double lon, double lat)
{
    if (!placed_) {
        move(lon, lat);
        return;
    }
    double dlon = lon - lon_;
    double dlat = lat - lat_;
    if (mode_ == 2) {
        // Along the great circle, in steps of at most a degree.
        Vec a = unit_vector(lon_, lat_);
        Vec b = unit_vector(lon, lat);
        double dot = std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.0, 1.0);
        double angle = std::acos(dot);
        if (std::sin(angle) > 1e-9) {
            int n = std::clamp(static_cast<int>(std::ceil(angle / map_degree)), 1, step_limit);
            for (int k = 1; k < n; ++k) {
                double t = static_cast<double>(k) / n;
                double wa = std::sin((1 - t) * angle) / std::sin(angle);
                double wb = std::sin(t * angle) / std::sin(angle);
                Vec v{wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z};
                double vlon = std::atan2(v.y, v.x) / map_degree;
                // The longitude nearest to the previous sample, so that a
                // path across the date line stays continuous.
                vlon = sample_lon_ + std::remainder(vlon - sample_lon_, 360.0);
                sample(vlon, std::asin(std::clamp(v.z, -1.0, 1.0)) / map_degree);
            }
        }
    } else if (mode_ == 1) {
        double length = std::sqrt(dlon * dlon + dlat * dlat);
        int n = std::isfinite(length) ? static_cast<int>(std::min(length, static_cast<double>(step_limit))) : 0;
        for (int k = 1; k < n; ++k)
            sample(lon_ + dlon * k / n, lat_ + dlat * k / n);
    }
    sample(lon, lat);
    lon_ = lon;
    lat_ = lat;
}

void MapLine::lift()
{
    end_piece();
    placed_ = false;
}

std::vector<LinePath> MapLine::take()
{
    end_piece();
    return std::move(pieces_);
}

void curvmp(std::span<const float> x, std::span<const float> y, int n)
{
    if (level_check(2, 3, "curvmp"))
        return;
    PlotState& s = state();
    const CurveAttributes& c = s.curves;
    if (n <= 0 || (n == 1 && c.marker_step >= 0)) {
        warning(2);
        return;
    }
    auto count = static_cast<std::size_t>(n);
    if (count > x.size() || count > y.size()) {
        warning_int(2, n);
        return;
    }
    CurveScope scope;
    ClipRect clip = axis_clip_rect();
    if (c.marker_step != 0) {
        std::size_t step = static_cast<std::size_t>(std::min(std::labs(static_cast<long>(c.marker_step)), 1L << 30));
        for (std::size_t i = 0; i < count; i += step) {
            FillPoint p{};
            if (map_to_plot(x[i], y[i], p))
                draw_symbol(c.symbol, std::trunc(p.x + 0.5), std::trunc(p.y + 0.5), c.symbol_height, &clip);
        }
    }
    if (c.marker_step >= 0) {
        MapLine line(s.maps.line_mode);
        for (std::size_t i = 0; i < count; ++i) {
            if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
                line.lift();  // at points that are not numbers
                continue;
            }
            line.draw(x[i], y[i]);
        }
        draw_paths(line.take(), c.thickness, &clip);
    }
}

void gridmp(int nx, int ny)
{
    if (level_check(2, 3, "gridmp"))
        return;
    if (range_check(nx, 1, 0) || range_check(ny, 1, 0))
        return;
    const PlotState& s = state();
    const AxisAttributes& a = s.axes;
    const MapAttributes& m = s.maps;
    bool globe = map_projected() && m.projection >= 10;
    double xa = globe ? -180 : std::min(a.graf_x[0], a.graf_x[1]);
    double xe = globe ? 180 : std::max(a.graf_x[0], a.graf_x[1]);
    double ya = globe ? -90 : std::min(a.graf_y[0], a.graf_y[1]);
    double ye = globe ? 90 : std::max(a.graf_y[0], a.graf_y[1]);
    // Straight grid lines on cylindrical maps, curved ones through points a
    // degree apart on the others.
    bool straight = !map_projected() || map_class(m.projection) == MapClass::cylindrical;
    MapLine line(straight ? 0 : 1);
    auto run = [&](bool parallel, double v) {
        double from = parallel ? xa : ya;
        double to = parallel ? xe : ye;
        auto at = [&](double t) {
            if (parallel)
                line.draw(t, v);
            else
                line.draw(v, t);
        };
        if (parallel)
            line.move(from, v);
        else
            line.move(v, from);
        if (!straight)
            for (double t = std::floor(from) + 1; t < to; t += 1)
                at(t);
        at(to);
    };
    auto lines = [&](double first, double step, double low, double high, bool parallel) {
        step = std::fabs(step);
        if (!(step > 0) || !std::isfinite(first))
            return;
        double d0 = std::ceil((low - first) / step - 1e-9);
        double d1 = std::floor((high - first) / step + 1e-9);
        if (!(d1 - d0 <= 10000) || std::fabs(d0) > 1e15)
            return;
        for (auto i = static_cast<long>(d0); i <= static_cast<long>(d1); ++i) {
            double v = first + static_cast<double>(i) * step;
            if (parallel && globe && std::fabs(v) >= 90 - 1e-9)
                continue;  // a pole is no line
            run(parallel, v);
        }
    };
    lines(a.graf_y[2], a.graf_y[3] / ny, ya, ye, true);
    lines(a.graf_x[2], a.graf_x[3] / nx, xa, xe, false);
    ClipRect clip = axis_clip_rect();
    draw_paths(line.take(), 1, &clip);
}

}  // namespace korvan
