// Shared by the curve, symbol, spline and legend tests: a plot with an axis
// system whose user units are plot units, and the vectors drawn by one call.
#pragma once

#include "tests/unit/routines_test_support.hpp"

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "plot/routines/axes.hpp"
#include "plot/routines/colour_axes.hpp"

namespace korvan::test {

// The plot point of a user point in the unit axis system.
inline double unit_x(double x) { return 100 + x; }
inline double unit_y(double y) { return 1500 - y; }

class CurvePlotTest : public PlotTest {
protected:
    // Opens the plot and an axis system from 0 to 1000 on both axes with its
    // lower left corner at (100, 1500): user (x, y) is plot (100 + x, 1500 - y).
    // Nothing of the axis system is drawn. A plot file of an earlier plot goes.
    void open_unit_axes()
    {
        std::filesystem::remove("plot.met");
        open_plot();
        setgrf("NONE", "NONE", "NONE", "NONE");
        frame(0);
        axspos(100, 1500);
        axslen(1001, 1001);
        graf(0, 1000, 0, 100, 0, 1000, 0, 100);
        start_ = state().vector_count;
    }
    // Marks the start of the vectors of interest.
    void mark() { start_ = state().vector_count; }
    // Closes the plot; the points drawn since the mark.
    std::vector<PlotPointRecord> drawn()
    {
        long from = start_;
        std::vector<PlotPointRecord> all = close_plot();
        if (from > static_cast<long>(all.size()))
            return {};
        return {all.begin() + from, all.end()};
    }
    long start_ = 0;
};

class ColourAxesPlotTest : public CurvePlotTest {
protected:
    // A GRAF3 axis system like the unit axes: user (x, y) is plot
    // (100 + x, 1500 - y); Z runs from 0 to 10; nothing of it is drawn.
    void open_colour_axes()
    {
        open_plot();
        setgrf("NONE", "NONE", "NONE", "NONE");
        frame(0);
        nobar();
        axspos(100, 1500);
        axslen(1001, 1001);
        graf3(0, 1000, 0, 100, 0, 1000, 0, 100, 0, 10, 0, 1);
        mark();
    }
    // The boxes of the points drawn, per colour.
    static std::map<int, Box> boxes_by_colour(const std::vector<PlotPointRecord>& points)
    {
        std::map<int, Box> boxes;
        for (const PlotPointRecord& p : points)
            boxes[p.colour].add(p.x, p.y);
        return boxes;
    }
};

// Polylines of a point list: each move starts a new one.
inline std::vector<std::vector<PlotPointRecord>> polylines(const std::vector<PlotPointRecord>& points)
{
    std::vector<std::vector<PlotPointRecord>> out;
    for (const PlotPointRecord& p : points) {
        if (!p.draw || out.empty())
            out.emplace_back();
        out.back().push_back(p);
    }
    return out;
}

inline bool near(double a, double b, double tolerance = 0.01) { return std::fabs(a - b) <= tolerance; }

}  // namespace korvan::test
