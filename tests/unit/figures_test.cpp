// Geometric figures drawn into a metafile and read back as plot points.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/figures.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class FiguresTest : public PlotTest {
protected:
    static double distance(const PlotPointRecord& p, double x, double y) { return std::hypot(p.x - x, p.y - y); }
};

// CIRCLE(1000, 1000, 100) at the default spacing of 10 has 62 segments ending
// where it starts; CIRCSP(1) on a large circle stops at 1000 segments; RESET
// brings the spacing back.
TEST_F(FiguresTest, CircleSegments)
{
    open_plot();
    Points circle_points = points_added_by([] { circle(1000, 1000, 100); });
    ASSERT_EQ(circle_points.size(), 63u);
    EXPECT_FALSE(circle_points.front().draw);
    for (const PlotPointRecord& p : circle_points)
        EXPECT_NEAR(distance(p, 1000, 1000), 100, 0.01);
    EXPECT_NEAR(circle_points.front().x, 1100, 0.01);
    EXPECT_NEAR(circle_points.back().x, circle_points.front().x, 0.01);
    EXPECT_NEAR(circle_points.back().y, circle_points.front().y, 0.01);
    // A quarter of the way round lies above the centre: y grows downwards.
    EXPECT_NEAR(circle_points[62 / 4 + 1].y, 900, 10);

    open_new_plot();
    circsp(1);
    Points fine = points_added_by([] { circle(1000, 1000, 1000); });
    EXPECT_EQ(fine.size(), 1001u);

    open_plot();
    circsp(0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in circsp!   (   0)\n");
    circsp(50);
    reset("CIRCSP");
    EXPECT_EQ(state().figures.arc_spacing, 10);
    close_plot();
}

// An open quarter arc without a shading pattern; with one it becomes a
// filled slice closed through the centre. Angles 300 to 30 go through 0.
TEST_F(FiguresTest, ArcsOpenClosedAndThroughZero)
{
    open_plot();
    Points open_arc = points_added_by([] { arcell(500, 500, 100, 50, 0, 90, 0); });
    ASSERT_GE(open_arc.size(), 3u);
    EXPECT_NEAR(open_arc.front().x, 600, 0.01);
    EXPECT_NEAR(open_arc.front().y, 500, 0.01);
    EXPECT_NEAR(open_arc.back().x, 500, 0.01);
    EXPECT_NEAR(open_arc.back().y, 450, 0.01);
    for (const PlotPointRecord& p : open_arc)
        EXPECT_FALSE(std::fabs(p.x - 500) < 0.5 && std::fabs(p.y - 500) < 0.5) << "through the centre";

    open_new_plot();
    shdpat(16);
    Points slice = points_added_by([] { arcell(500, 500, 100, 50, 0, 90, 0); });
    std::size_t outline = open_arc.size() + 2;
    ASSERT_GT(slice.size(), outline + 10);  // the outline and the filling lines
    EXPECT_NEAR(slice[outline - 2].x, 500, 0.01);
    EXPECT_NEAR(slice[outline - 2].y, 500, 0.01);
    EXPECT_NEAR(slice[outline - 1].x, 600, 0.01);
    Box fill = box_of(slice, outline);
    EXPECT_GE(fill.x0, 500 - 0.5);
    EXPECT_LE(fill.x1, 600 + 0.5);
    EXPECT_GE(fill.y0, 450 - 0.5);
    EXPECT_LE(fill.y1, 500 + 0.5);

    open_new_plot();
    Points wrapped = points_added_by([] { arcell(1000, 1000, 100, 100, 300, 30, 0); });
    ASSERT_FALSE(wrapped.empty());
    // 90 degrees of arc: trunc(100 * pi / 2 / 10) = 15 segments.
    EXPECT_EQ(wrapped.size(), 16u);
    EXPECT_NEAR(wrapped.front().x, 1050, 0.01);
    EXPECT_NEAR(wrapped.front().y, 1000 + 100 * std::sqrt(3.0) / 2, 0.01);
    EXPECT_NEAR(wrapped.back().y, 950, 0.01);
    bool through_zero = false;
    for (const PlotPointRecord& p : wrapped)
        through_zero = through_zero || (p.x > 1099 && std::fabs(p.y - 1000) < 11);
    EXPECT_TRUE(through_zero);

    // Turned by 90 degrees counter-clockwise the arc starts above the centre.
    open_new_plot();
    Points turned = points_added_by([] { arcell(500, 500, 100, 50, 0, 90, 90); });
    ASSERT_FALSE(turned.empty());
    EXPECT_NEAR(turned.front().x, 500, 0.01);
    EXPECT_NEAR(turned.front().y, 400, 0.01);
    EXPECT_NEAR(turned.back().x, 450, 0.01);

    open_plot();
    arcell(500, 500, 0, 50, 0, 90, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in arcell!   (   0)\n");
    ellips(500, 500, 10, -1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in ellips!   (  -1)\n");
    close_plot();
}

// Rectangles: zero sizes warn and draw nothing, negative sizes lie on the
// other side of the corner, NOARLN without a pattern leaves nothing visible.
TEST_F(FiguresTest, RectanglesAndOutlines)
{
    open_plot();
    Points none = points_added_by([&] {
        rectan(100, 100, 0, 50);
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in rectan!   (   0)\n");
    });
    EXPECT_TRUE(none.empty());

    open_new_plot();
    Points r = points_added_by([] { rectan(100, 200, 50, 20); });
    ASSERT_EQ(r.size(), 5u);
    Box b = box_of(r);
    EXPECT_NEAR(b.x0, 100, 0.01);
    EXPECT_NEAR(b.x1, 149, 0.01);
    EXPECT_NEAR(b.y0, 200, 0.01);
    EXPECT_NEAR(b.y1, 219, 0.01);

    open_new_plot();
    Box mirrored = box_of(points_added_by([] { rectan(100, 200, -50, -20); }));
    EXPECT_NEAR(mirrored.x0, 51, 0.01);
    EXPECT_NEAR(mirrored.x1, 100, 0.01);
    EXPECT_NEAR(mirrored.y0, 181, 0.01);
    EXPECT_NEAR(mirrored.y1, 200, 0.01);

    // ORIGIN moves figures in plot coordinates, as it moves texts.
    open_new_plot();
    origin(100, 50);
    Box moved = box_of(points_added_by([] { rectan(0, 0, 10, 10); }));
    EXPECT_NEAR(moved.x0, 100, 0.01);
    EXPECT_NEAR(moved.y1, 59, 0.01);

    open_new_plot();
    Points hidden = points_added_by([] {
        noarln();
        rectan(100, 200, 50, 20);
        circle(500, 500, 40);
    });
    EXPECT_TRUE(hidden.empty());

    // A pattern fills inside the outline; the line style is the user's after it.
    open_new_plot();
    dash();
    int style = state().curves.line_style;
    shdpat(16);
    Points filled = points_added_by([&] {
        rectan(100, 200, 50, 20);
        EXPECT_EQ(state().curves.line_style, style);
    });
    EXPECT_GT(filled.size(), 10u);
    Box fb = box_of(filled);
    EXPECT_GE(fb.x0, 100 - 0.5);
    EXPECT_LE(fb.x1, 149 + 0.5);

    open_plot();
    noarln();
    reset("NOARLN");
    EXPECT_TRUE(state().figures.outline);
    EXPECT_EQ(take_output(), "");
    close_plot();
}

// RECFLL and POINT fill in their own colour and select the previous one again.
TEST_F(FiguresTest, FilledRectanglesAndPoints)
{
    open_plot();
    setclr(50);
    Points rect = points_added_by([&] {
        recfll(100, 100, 40, 10, 200);
        EXPECT_EQ(state().current_colour, 50);
    });
    ASSERT_FALSE(rect.empty());
    for (const PlotPointRecord& p : rect)
        EXPECT_EQ(p.colour, 200);
    Box rb = box_of(rect);
    EXPECT_NEAR(rb.x0, 100, 0.5);
    EXPECT_NEAR(rb.x1, 140, 0.5);
    EXPECT_NEAR(rb.y0, 100, 0.5);
    EXPECT_NEAR(rb.y1, 110, 1);

    // A 10 by 6 point at (500, 500): x from 496 to 505 wide, y from 497.
    open_new_plot();
    Box pb = box_of(points_added_by([] { point(500, 500, 10, 6, 30); }));
    EXPECT_NEAR(pb.x0, 496, 0.5);
    EXPECT_NEAR(pb.x1, 506, 0.5);
    EXPECT_NEAR(pb.y0, 497, 0.5);

    open_plot();
    recfll(100, 100, 10, 10, 256);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in recfll!   ( 256)\n");
    close_plot();
}

// STRTPT and CONNPT draw a path piece by piece; LINE at level 0 is refused;
// THKCRV thickens figure lines like curves.
TEST_F(FiguresTest, LinesPathsAndThickness)
{
    open_plot();
    Points path = points_added_by([] {
        connpt(10, 10);  // nothing to connect yet
        strtpt(100.5, 100);
        connpt(200, 100);
        connpt(200, 150.25);
    });
    ASSERT_GE(path.size(), 3u);
    EXPECT_FALSE(path[0].draw);
    EXPECT_NEAR(path[0].x, 100.5, 0.01);
    EXPECT_NEAR(path[1].x, 200, 0.01);
    EXPECT_NEAR(path.back().y, 150.25, 0.01);
    EXPECT_TRUE(path.back().draw);
    Box b = box_of(path);
    EXPECT_NEAR(b.x0, 100.5, 0.01);  // nothing from (10, 10)

    open_new_plot();
    thkcrv(3);
    Points thick = points_added_by([] { line(100, 100, 300, 100); });
    ASSERT_EQ(thick.size(), 6u);
    Box tb = box_of(thick);
    EXPECT_NEAR(tb.y0, 99, 0.01);
    EXPECT_NEAR(tb.y1, 101, 0.01);

    line(1, 2, 3, 4);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in line!   (   0)\n");
}

// CONNPT continues the open polyline: one move, then only draws; a line drawn
// in between ends it, and the next CONNPT starts again with a move.
TEST_F(FiguresTest, ConnptContinuesThePolyline)
{
    open_new_plot();
    Points path = points_added_by([] {
        strtpt(100, 100);
        connpt(200, 100);
        connpt(200, 200);
        connpt(300, 250);
    });
    ASSERT_EQ(path.size(), 4u);
    EXPECT_FALSE(path[0].draw);
    EXPECT_TRUE(path[1].draw && path[2].draw && path[3].draw);
    EXPECT_NEAR(path[3].x, 300, 0.01);

    open_new_plot();
    Points broken = points_added_by([] {
        strtpt(300, 250);
        connpt(350, 250);
        line(500, 500, 600, 500);
        connpt(400, 300);
        connpt(400, 400);
    });
    ASSERT_EQ(broken.size(), 7u);
    EXPECT_FALSE(broken[4].draw);  // back to (350, 250) after the LINE
    EXPECT_NEAR(broken[4].x, 350, 0.01);
    EXPECT_NEAR(broken[4].y, 250, 0.01);
    EXPECT_TRUE(broken[5].draw && broken[6].draw);
}

// The RL forms in an axis system: user points converted, points outside the
// scaling listed and still drawn, non-positive values on a log axis refused.
TEST_F(FiguresTest, UserCoordinateForms)
{
    open_plot();
    graf(0, 10, 0, 2, 0, 10, 0, 2);
    take_output();
    double x0 = state().axes.transform[0].origin;
    double y0 = state().axes.transform[1].origin;
    double fx = state().axes.transform[0].factor;
    double fy = state().axes.transform[1].factor;
    long from = state().vector_count;
    rline(0, 0, 12, 5);
    EXPECT_EQ(take_output().substr(0, 7), " <<<< (");
    rlrec(2, 8, 4, 2);
    rlcirc(5, 5, 1);
    long to = state().vector_count;
    endgrf();
    Points all = close_plot();
    Points drawn(all.begin() + from, all.begin() + to);
    ASSERT_GE(drawn.size(), 2u + 5u + 10u);
    EXPECT_NEAR(drawn[0].x, x0, 0.01);
    EXPECT_NEAR(drawn[1].x, x0 + 12 * fx, 0.01);
    EXPECT_NEAR(drawn[1].y, y0 - 5 * fy, 0.01);
    // The rectangle hangs down from its upper left corner (2, 8).
    Box rect = box_of(drawn, 2, 7);
    EXPECT_NEAR(rect.x0, std::lround(x0 + 2 * fx), 0.01);
    EXPECT_NEAR(rect.y0, std::lround(y0 - 8 * fy), 0.01);
    EXPECT_NEAR(rect.x1 - rect.x0 + 1, std::lround(4 * fx), 1.01);
    Box circle_box = box_of(drawn, 7);
    EXPECT_NEAR((circle_box.x1 - circle_box.x0) / 2, std::lround(fx), 0.5);

    open_new_plot();
    scale("LOG", "X");
    graf(0, 2, 0, 1, 0, 10, 0, 2);
    take_output();
    from = state().vector_count;
    rline(0, 1, 10, 2);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in rline!\n");
    rlpoin(50, 20, 5, 5, 10);  // outside the Y scaling: listed, not drawn
    EXPECT_EQ(take_output().substr(0, 7), " <<<< (");
    EXPECT_EQ(state().vector_count, from);
    const std::vector<float> ax{1, 10, 10};
    const std::vector<float> ay{1, 1, 5};
    rlarea(ax, ay, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in rlarea!   (   1)\n");
    endgrf();
    close_plot();
}

// Sectors, pie slices, rounded rectangles and arrows.
TEST_F(FiguresTest, SectorsPiesRoundedRectanglesAndArrows)
{
    open_plot();
    Points slice = points_added_by([] { pie(1000, 1000, 100, 0, 90); });
    ASSERT_GE(slice.size(), 4u);
    EXPECT_NEAR(slice[slice.size() - 2].x, 1000, 0.01);  // closed through the centre
    EXPECT_NEAR(slice.back().x, 1100, 0.01);

    open_new_plot();
    Points ring = points_added_by([] { sector(1000, 1000, 50, 100, 0, 360, 40); });
    int coloured = 0;
    for (const PlotPointRecord& p : ring) {
        double d = distance(p, 1000, 1000);
        if (p.colour == 40) {
            ++coloured;
            EXPECT_LE(d, 100.5);
        }
    }
    EXPECT_GT(coloured, 50);
    // No filling inside the inner radius.
    for (const PlotPointRecord& p : ring) {
        if (p.colour == 40 && p.draw) {
            EXPECT_FALSE(std::fabs(p.y - 1000) < 1 && std::fabs(p.x - 1000) < 40);
        }
    }

    open_new_plot();
    Box rounded = box_of(points_added_by([] { rndrec(100, 100, 200, 100, 20); }));
    EXPECT_NEAR(rounded.x0, 100, 0.01);
    EXPECT_NEAR(rounded.x1, 299, 0.01);
    EXPECT_NEAR(rounded.y1, 199, 0.01);

    open_new_plot();
    Points arrow = points_added_by([] { vector(100, 500, 300, 500, 2001); });
    Box ab = box_of(arrow);
    EXPECT_NEAR(ab.x1, 300, 0.01);
    EXPECT_NEAR(ab.y0, 500 - 20 * std::tan(15 * std::acos(-1.0) / 180), 0.01);
    bool wing = false;
    for (const PlotPointRecord& p : arrow)
        wing = wing || (std::fabs(p.x - 280) < 0.01 && p.y > 500.5);
    EXPECT_TRUE(wing);

    open_plot();
    vector(0, 0, 10, 10, 35);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in vector!   (  35)\n");
    sector(0, 0, 100, 50, 0, 90, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in sector!   ( 100)\n");
    close_plot();
}

}  // namespace
}  // namespace korvan::test
