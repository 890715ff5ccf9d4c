// Lines in longitude and latitude on the open map: each segment drawn by the
// line mode (straight, interpolated in degrees, or along the great circle),
// cut where it leaves the visible sphere of an azimuthal map and where it
// crosses the seam of the map's frame (the back meridian of a map that wraps
// around the globe, the seam of a turned one).
#pragma once

#include <vector>

#include "plot/routines/line_styles.hpp"

namespace korvan {

class MapLine {
public:
    // mode: 0 STRA, 1 INTE, 2 GREA (CYLI always draws straight).
    explicit MapLine(int mode);

    void move(double lon, double lat);
    void draw(double lon, double lat);
    // Lifts the pen: the next draw starts a new line.
    void lift();
    // The plot polylines drawn so far.
    std::vector<LinePath> take();

private:
    void sample(double lon, double lat);
    void end_piece();

    int mode_;
    bool seam_;       // the map's frame has a seam: pieces end there
    bool placed_ = false;
    double lon_ = 0;  // the current point
    double lat_ = 0;
    bool visible_ = false;  // whether the last sample lies on the map
    double sample_lon_ = 0;
    double sample_lat_ = 0;
    LinePath piece_;
    std::vector<LinePath> pieces_;
};

}  // namespace korvan
