// 3-D boxes: AXIS3D, the viewpoint rules of VIEW3D and GRAF3D, the
// projection, the conversion functions, the box axes with their first labels
// (FLAB3D) and the grids on the planes of the box (GRID3D).
#include "tests/unit/curves_test_support.hpp"

#include <limits>

#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/grids.hpp"
#include "plot/routines/projection.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using Axes3dTest = PlotTest;

void open_box() { graf3d(0, 10, 0, 2, 0, 20, 0, 5, -1, 1, -1, 0.5); }

TEST_F(Axes3dTest, Axis3dNeedsPositiveLengths)
{
    open_plot();
    axis3d(0, 2, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in axis3d!\n");
    axis3d(2, -1, 2);
    axis3d(2, 2, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in axis3d!\n"
                             " <<<< Warning   2: Incorrect parameter in axis3d!\n");
    EXPECT_EQ(state().shading.box, (std::array<double, 3>{2, 2, 2}));
    axis3d(3, 2, 1);
    EXPECT_EQ(state().shading.box, (std::array<double, 3>{3, 2, 1}));
    reset("AXIS3D");
    EXPECT_EQ(state().shading.box, (std::array<double, 3>{2, 2, 2}));
    korfin();
}

TEST_F(Axes3dTest, DefaultViewpointAndWarningForOneInsideTheBox)
{
    open_plot();
    open_box();
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().level, 3);
    EXPECT_EQ(state().shading.eye, (BoxPoint{4, -5, 4}));
    endgrf();
    view3d(0.5, 0.5, 0.5, "ABS");
    open_box();
    EXPECT_EQ(take_output(), " <<<< Warning  33: Incorrect viewpoint in graf3d!\n");
    EXPECT_EQ(state().shading.eye, (BoxPoint{4, -5, 4}));
    endgrf();
    view3d(std::numeric_limits<double>::quiet_NaN(), 5, 5, "ABS");
    open_box();
    EXPECT_EQ(take_output(), " <<<< Warning  33: Incorrect viewpoint in graf3d!\n");
    endgrf();
    view3d(1, 2, 3, "BOGUS");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in view3d!   (BOGUS)\n");
    korfin();
}

TEST_F(Axes3dTest, UserAndAngleViewpoints)
{
    open_plot();
    view3d(20, 40, 3, "USER");  // x: 20 of 0..10 is 3 box units; y: 40 of 0..20 is 3; z: 3 of -1..1 is 3
    open_box();
    EXPECT_EQ(take_output(), "");
    BoxPoint e = state().shading.eye;
    EXPECT_NEAR(e[0], 3, 1e-9);
    EXPECT_NEAR(e[1], 3, 1e-9);
    EXPECT_NEAR(e[2], 3, 1e-9);
    endgrf();
    view3d(90, 0, 6, "ANGL");
    open_box();
    e = state().shading.eye;
    EXPECT_NEAR(e[0], 6, 1e-9);
    EXPECT_NEAR(e[1], 0, 1e-9);
    EXPECT_NEAR(e[2], 0, 1e-9);
    endgrf();
    korfin();
}

TEST_F(Axes3dTest, ConversionFunctions)
{
    x3dpos(1, 1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in x3dpos!   (   0)\n");
    open_plot();
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    EXPECT_EQ(z3dpos(1, 1, 1), 0);
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in z3dpos!\n");
    endgrf();
    open_box();
    EXPECT_DOUBLE_EQ(x3dpos(0, 0, 0), -1);
    EXPECT_DOUBLE_EQ(x3dpos(10, 0, 0), 1);
    EXPECT_DOUBLE_EQ(y3dpos(0, 5, 0), -0.5);
    EXPECT_DOUBLE_EQ(z3dpos(0, 0, 0.5), 0.5);
    const PlotState& s = state();
    // The box centre lies in the middle of the axis rectangle.
    EXPECT_DOUBLE_EQ(x3dabs(0, 0, 0), s.axes.nxa + s.axes.nxl / 2.0);
    EXPECT_DOUBLE_EQ(y3dabs(0, 0, 0), s.axes.nya - s.axes.nyl / 2.0);
    EXPECT_DOUBLE_EQ(x3drel(5, 10, 0), x3dabs(0, 0, 0));
    EXPECT_DOUBLE_EQ(y3drel(10, 0, 1), y3dabs(1, -1, 1));
    // Up is up, the X axis runs to the right, and the near corner looks larger
    // than the far one.
    EXPECT_LT(y3dabs(0, 0, 1), y3dabs(0, 0, -1));
    EXPECT_LT(x3dabs(-1, 0, 0), x3dabs(1, 0, 0));
    double near_edge = std::hypot(x3dabs(1, -1, 1) - x3dabs(1, -1, -1), y3dabs(1, -1, 1) - y3dabs(1, -1, -1));
    double far_edge = std::hypot(x3dabs(-1, 1, 1) - x3dabs(-1, 1, -1), y3dabs(-1, 1, 1) - y3dabs(-1, 1, -1));
    EXPECT_GT(near_edge, far_edge);
    EXPECT_EQ(take_output(), "");
    endgrf();
    korfin();
}

TEST_F(Axes3dTest, RejectedAxesAndDegenerateViews)
{
    open_plot();
    graf3d(0, 1, 0, 1, 0, 1, 0, 1, 2, 2, 2, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  10: Begin and end of scaling are equal in graf3d!\n");
    EXPECT_EQ(state().level, 1);
    // Straight from above, and a view point beside the box close to a corner.
    for (BoxPoint v : {BoxPoint{0, 0, 10}, BoxPoint{0, 0, -10}, BoxPoint{1.01, 0.9, 0.9}}) {
        view3d(v[0], v[1], v[2], "ABS");
        open_box();
        EXPECT_EQ(take_output(), "");
        for (double x : {-1.0, 1.0})
            for (double y : {-1.0, 1.0})
                for (double z : {-1.0, 1.0}) {
                    EXPECT_TRUE(std::isfinite(x3dabs(x, y, z)));
                    EXPECT_TRUE(std::isfinite(y3dabs(x, y, z)));
                }
        endgrf();
    }
    korfin();
}

TEST_F(Axes3dTest, BoxAxesCarryTicksLabelsAndNames)
{
    open_plot();
    long before = state().vector_count;
    nograf();
    open_box();
    EXPECT_EQ(state().vector_count, before);  // NOGRAF: nothing drawn
    endgrf();
    reset("NOGRAF");
    name("Distance", "X");
    open_box();
    std::vector<PlotPointRecord> with_name = close_plot();
    long drawn_with_name = static_cast<long>(with_name.size()) - before;
    // Three axis lines, 6 + 5 + 5 major ticks with minor ones between, labels and a name.
    EXPECT_GT(drawn_with_name, 3 * 2 + 2 * (11 + 9 + 9));
    Box b = box_of(with_name, static_cast<std::size_t>(before));
    const PlotState& s = state();
    EXPECT_GT(b.x0, s.axes.nxa - s.axes.nxl);
    EXPECT_LT(b.x1, s.axes.nxa + 2 * s.axes.nxl);
}

// Seen from the default viewpoint the Y axis starts where the X axis ends and
// the Z axis where the X axis starts: those first labels ("0", "0", "-1") are
// left out unless FLAB3D asks for them.
TEST_F(Axes3dTest, FirstLabelsWhereBoxAxesMeetFollowFlab3d)
{
    auto box_vectors = [&](bool corner_labels) {
        open_plot();
        intax();
        if (corner_labels)
            flab3d();
        long before = state().vector_count;
        open_box();
        long n = state().vector_count - before;
        endgrf();
        korfin();
        return n;
    };
    auto text_vectors = [&](const char* text) {
        open_plot();
        long before = state().vector_count;
        messag(text, 500, 500);
        long n = state().vector_count - before;
        korfin();
        return n;
    };
    long without = box_vectors(false);
    long with = box_vectors(true);
    EXPECT_EQ(with - without, 2 * text_vectors("0") + text_vectors("-1"));
    open_plot();
    flab3d();
    EXPECT_TRUE(state().shading.corner_labels);
    reset("FLAB3D");
    EXPECT_FALSE(state().shading.corner_labels);
    korfin();
    take_output();
}

// The grid lines of one GRID3D call as pairs of plot points.
struct GridLine {
    PlotPointRecord from;
    PlotPointRecord to;
};

class Grid3dTest : public Axes3dTest {
protected:
    std::vector<GridLine> grid_lines(int ix, int iy, const char* option)
    {
        long before = state().vector_count;
        grid3d(ix, iy, option);
        long after = state().vector_count;
        endgrf();
        std::vector<PlotPointRecord> all = close_plot();
        std::vector<GridLine> lines;
        for (long i = before; i + 1 < after; i += 2) {
            EXPECT_FALSE(all[static_cast<std::size_t>(i)].draw);
            lines.push_back({all[static_cast<std::size_t>(i)], all[static_cast<std::size_t>(i + 1)]});
        }
        return lines;
    }
};

bool at(const PlotPointRecord& p, double x, double y) { return std::fabs(p.x - x) < 0.01 && std::fabs(p.y - y) < 0.01; }

// A line between the user points (x0, y0, z0) and (x1, y1, z1) in either direction.
bool joins(const GridLine& l, double x0, double y0, double z0, double x1, double y1, double z1)
{
    double ax = x3drel(x0, y0, z0), ay = y3drel(x0, y0, z0);
    double bx = x3drel(x1, y1, z1), by = y3drel(x1, y1, z1);
    return (at(l.from, ax, ay) && at(l.to, bx, by)) || (at(l.from, bx, by) && at(l.to, ax, ay));
}

TEST_F(Grid3dTest, LinesOnTheFarPlanesOfTheBox)
{
    open_plot();
    grid3d(1, 1, "ALL");
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in grid3d!   (   1)\n");
    open_box();
    grid3d(-1, 1, "ALL");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in grid3d!   (  -1)\n");
    grid3d(1, 1, "TOP");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in grid3d!   (TOP)\n");
    // X 0..10 by 2: 6 lines; Y 0..20 by 5: 5; Z -1..1 by 0.5: 5. Seen from
    // (4, -5, 4) the far planes are z = -1, y = 20 and x = 0.
    std::vector<GridLine> all = grid_lines(1, 1, "ALL");
    EXPECT_EQ(all.size(), 11u + 11u + 10u);

    open_new_plot();
    open_box();
    std::vector<GridLine> bottom = grid_lines(2, 0, "BOTTOM");
    ASSERT_EQ(bottom.size(), 11u + 9u);  // steps of 1 along X and 2.5 along Y
    open_new_plot();
    open_box();
    EXPECT_TRUE(joins(bottom[3], 3, 0, -1, 3, 20, -1));
    EXPECT_TRUE(joins(bottom[11 + 1], 0, 2.5, -1, 10, 2.5, -1));
    std::vector<GridLine> back = grid_lines(0, 2, "BACK");
    ASSERT_EQ(back.size(), 9u);  // Z only, steps of 0.25
    open_new_plot();
    open_box();
    EXPECT_TRUE(joins(back[1], 0, 20, -0.75, 10, 20, -0.75));
    std::vector<GridLine> side = grid_lines(1, 0, "SIDE");
    ASSERT_EQ(side.size(), 5u);

    // From the other side the far planes are the top, y = 0 and x = 10.
    open_new_plot();
    view3d(-4, 5, -4, "ABS");
    open_box();
    std::vector<GridLine> seen_from_below = grid_lines(1, 1, "ALL");
    ASSERT_EQ(seen_from_below.size(), 32u);
    open_new_plot();
    view3d(-4, 5, -4, "ABS");
    open_box();
    EXPECT_TRUE(joins(seen_from_below[0], 0, 0, 1, 0, 20, 1));
    EXPECT_TRUE(joins(seen_from_below[11], 0, 0, -1, 0, 0, 1));
    EXPECT_TRUE(joins(seen_from_below[22], 10, 0, -1, 10, 0, 1));
    EXPECT_EQ(take_output(), "");
    endgrf();
    korfin();
}

}  // namespace
}  // namespace korvan::test
