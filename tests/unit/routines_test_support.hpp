// Shared by the tests of colours, text and axes: a plot opened into a metafile
// in a temporary directory, and the metafile read back as plot points.
#pragma once

#include "tests/unit/kernel_test_support.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/gksvan_reader.hpp"
#include "plot/routines/axes.hpp"

namespace korvan::test {

struct PlotPointRecord {
    double x;
    double y;
    bool draw;
    int colour;
};

// The points of a metafile in plot coordinates of the current page (the
// header's sizes are rounded to millimetres, so the page is taken from the state).
inline std::vector<PlotPointRecord> read_plot_points(const std::string& file)
{
    struct Sink : GksvanReader::Sink {
        std::vector<PlotPointRecord> points;
        int current = -1;
        double longer = 1;
        double height = 0;
        void point(double x, double y, bool draw) override
        {
            points.push_back({x * longer, height - y * longer, draw, current});
        }
        void colour(int index) override { current = index; }
    } sink;
    std::FILE* in = std::fopen(file.c_str(), "r");
    if (in == nullptr)
        return {};
    GksvanReader reader(in);
    double w = 0;
    double h = 0;
    if (reader.read_header(w, h)) {
        const PlotState& s = state();
        sink.longer = std::max(s.page_width, s.page_height);
        sink.height = s.page_height;
        reader.play(sink);
    }
    std::fclose(in);
    return sink.points;
}

struct Box {
    double x0 = 1e300;
    double y0 = 1e300;
    double x1 = -1e300;
    double y1 = -1e300;
    long count = 0;
    void add(double x, double y)
    {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
        ++count;
    }
};

inline Box box_of(const std::vector<PlotPointRecord>& points, std::size_t from = 0,
                  std::size_t to = static_cast<std::size_t>(-1))
{
    Box b;
    for (std::size_t i = from; i < points.size() && i < to; ++i)
        b.add(points[i].x, points[i].y);
    return b;
}

// A test that opens a plot into "plot.met" and closes it on demand.
class PlotTest : public KernelTest {
protected:
    void open_plot()
    {
        metafl("GKSV");
        setfil("plot.met");
        korini();
    }
    // Closes the plot and returns its points; the end protocol is dropped.
    std::vector<PlotPointRecord> close_plot()
    {
        korfin();
        std::string text = take_output();
        std::size_t end = text.find("\n <<<<<<<<<<");
        kept_output_ = end == std::string::npos ? text : text.substr(0, end);
        return read_plot_points(path("plot.met"));
    }
    // The points that draw adds to the open plot; an axis system still open
    // is closed (ENDGRF draws nothing), then the plot.
    template <typename Draw>
    std::vector<PlotPointRecord> points_added_by(Draw draw)
    {
        long from = state().vector_count;
        draw();
        long to = state().vector_count;
        if (state().level >= 2)
            endgrf();
        std::vector<PlotPointRecord> all = close_plot();
        to = std::min<long>(to, static_cast<long>(all.size()));
        return std::vector<PlotPointRecord>(all.begin() + std::min(from, to), all.begin() + to);
    }
    // A plot opened afresh into "plot.met".
    void open_new_plot()
    {
        std::filesystem::remove("plot.met");
        open_plot();
    }
    std::string kept_output_;  // what was printed before the end protocol
};

}  // namespace korvan::test
