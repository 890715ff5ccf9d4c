// Line styles (LINTYP, the named styles, MYLINE) and the pen through which the
// drawing routines draw lines: the current dash pattern with its phase carried
// from line to line, an optional clipping rectangle, and the vector primitive.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "plot/kernel/clip.hpp"
#include "plot/routines/fill.hpp"

namespace korvan {

void lintyp(int n);
void solid();
void dot();
void dash();
void chndsh();
void chndot();
void dashm();
void dotl();
void dashl();
void myline(std::span<const int> pattern, int n);
// The LINTYP number of the current line style (8 for a pattern of MYLINE).
int gettyp();

// The clipping rectangle of the open axis system.
ClipRect axis_clip_rect();

class LinePen {
public:
    // dashed: walk the current line style (otherwise solid); clip: nullptr for none.
    explicit LinePen(bool dashed = true, const ClipRect* clip = nullptr);

    void move(double x, double y);
    void draw(double x, double y);

    // Where the device pen stands after the last piece drawn (known: a piece was drawn).
    struct DevicePen {
        bool known = false;
        double x = 0;
        double y = 0;
    };
    DevicePen device_pen() const { return {pen_known_, pen_x_, pen_y_}; }
    // Continues a polyline that an earlier pen left at p: after move(), a piece
    // starting where the device pen stands is drawn on without a move.
    void resume(const DevicePen& p)
    {
        pen_known_ = p.known;
        pen_x_ = p.x;
        pen_y_ = p.y;
    }

private:
    void walk(double x, double y);
    void emit(double ax, double ay, double bx, double by);

    bool dashed_;
    ClipRect clip_{};
    double x_ = 0;  // current point
    double y_ = 0;
    bool pen_known_ = false;  // where the device pen stands
    double pen_x_ = 0;
    double pen_y_ = 0;
};

// A polyline in plot coordinates.
using LinePath = std::vector<FillPoint>;

// Takes polylines point by point: begin() starts a path at a point, next()
// continues it with a line to the point.
class PathSink {
public:
    virtual void begin(FillPoint p) = 0;
    virtual void next(FillPoint p) = 0;

protected:
    ~PathSink() = default;
};

// Hands polylines to a sink, the same ones on every call: lets a caller draw
// paths it computes as they are drawn instead of holding them all.
using PathWalk = std::function<void(PathSink&)>;

// Draws the paths in the current line style `thickness` times, shifted by 0,
// +1, -1, +2, -2 ... plot units across each segment, every pass starting at
// the same phase of the dash pattern; cut to clip, or to the clipping window
// when clip is nullptr.
void draw_paths(const PathWalk& walk, int thickness, const ClipRect* clip);
void draw_paths(std::span<const LinePath> paths, int thickness, const ClipRect* clip);

}  // namespace korvan
