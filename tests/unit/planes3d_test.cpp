// Drawing on planes of the 3-D box (GRFINI, GRFFIN): the levels around the
// plane, curves and areas carried onto a tilted plane, and GETGRF answering
// for the axis system that is open.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "plot/kernel/device.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/base_transforms.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/curves3d.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/planes3d.hpp"

namespace korvan::test {
namespace {

using Planes3dTest = PlotTest;

std::array<double, 4> graf_values(const char* axis)
{
    std::array<double, 4> v{};
    getgrf(v[0], v[1], v[2], v[3], axis);
    return v;
}

using Values = std::array<double, 4>;

void open_box() { graf3d(0, 10, 0, 2, 0, 20, 0, 5, -1, 1, -1, 0.5); }

// The tilted plane: the front edge of the box bottom (y = 0, z = -1) up to
// the back edge of its top (y = 20, z = 1).
void open_tilted_plane() { grfini(0, 0, -1, 10, 0, -1, 10, 20, 1); }

struct Expected {
    double x;
    double y;
};

// The plot point of a user point of the box (at level 3).
Expected projected(double x, double y, double z) { return {x3drel(x, y, z), y3drel(x, y, z)}; }

TEST_F(Planes3dTest, GetgrfAnswersForTheOpenAxisSystem)
{
    open_plot();
    graf(0, 1, 0, 0.5, 0, 2, 0, 1);
    endgrf();
    graf3(0, 10, 0, 2, 0, 20, 0, 5, -1, 1, -1, 0.5);
    EXPECT_EQ(graf_values("X"), (Values{0, 10, 0, 2}));
    EXPECT_EQ(graf_values("Y"), (Values{0, 20, 0, 5}));
    EXPECT_EQ(graf_values("Z"), (Values{-1, 1, -1, 0.5}));
    endgrf();
    graf3d(5, 15, 5, 5, 100, 200, 100, 50, 0, 4, 0, 1);
    EXPECT_EQ(graf_values("X"), (Values{5, 15, 5, 5}));
    EXPECT_EQ(graf_values("Y"), (Values{100, 200, 100, 50}));
    EXPECT_EQ(graf_values("Z"), (Values{0, 4, 0, 1}));
    EXPECT_EQ(take_output(), "");
    graf_values("Q");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in getgrf!   (Q)\n");
    endgrf();
    korfin();
}

TEST_F(Planes3dTest, LevelDropsToOneOnThePlaneAndReturnsToThree)
{
    grffin();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in grffin!   (   0)\n");
    open_plot();
    grffin();
    EXPECT_EQ(take_output(), " <<<< Warning  34: No call to grfini before in grffin!\n");
    open_tilted_plane();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in grfini!   (   1)\n");
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    open_tilted_plane();
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in grfini!\n");
    endgrf();
    open_box();
    grfini(0, 0, -1, 5, 10, 0, 10, 20, 1);  // three points on one line
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in grfini!\n");
    EXPECT_EQ(state().level, 3);

    open_tilted_plane();
    EXPECT_EQ(state().level, 1);
    x3drel(1, 1, 1);  // the box routines wait for GRFFIN
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in x3drel!   (   1)\n");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(state().level, 2);
    EXPECT_EQ(graf_values("X"), (Values{0, 1, 0, 1}));
    grffin();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in grffin!   (   2)\n");
    endgrf();
    grffin();
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().level, 3);
    EXPECT_EQ(graf_values("X"), (Values{0, 10, 0, 2}));
    EXPECT_EQ(graf_values("Z"), (Values{-1, 1, -1, 0.5}));
    endgrf();
    korfin();
}

// A square in the middle of a 2-D axis system on the tilted plane lands on the
// box points that its user coordinates name; after GRFFIN curves land on the
// box again.
TEST_F(Planes3dTest, SquareLandsOnTheTiltedPlane)
{
    std::vector<Expected> corners;
    Expected box_point{};
    std::vector<PlotPointRecord> square;
    std::vector<PlotPointRecord> after;
    open_new_plot();
    open_box();
    for (auto [s, t] : {std::pair{0.25, 0.25}, {0.75, 0.25}, {0.75, 0.75}, {0.25, 0.75}})
        corners.push_back(projected(10 * s, 20 * t, -1 + 2 * t));
    box_point = projected(2, 4, 0.5);
    Expected centre = projected(5, 10, 0);
    open_tilted_plane();
    nograf();
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    // The square, then its centre, which perspective puts where the
    // diagonals cross rather than at the mean of the corners.
    const std::vector<float> x{0.25f, 0.75f, 0.75f, 0.25f, 0.25f, 0.5f};
    const std::vector<float> y{0.25f, 0.25f, 0.75f, 0.75f, 0.25f, 0.5f};
    square = points_added_by([&] { curve(x, y, 6); });
    ASSERT_EQ(square.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        // The axis system rounds user points to whole plot units before they
        // are carried onto the plane.
        EXPECT_NEAR(square[i].x, corners[i % 4].x, 1.0) << i;
        EXPECT_NEAR(square[i].y, corners[i % 4].y, 1.0) << i;
    }
    EXPECT_NEAR(square[5].x, centre.x, 1.0);
    EXPECT_NEAR(square[5].y, centre.y, 1.0);
    double mean_y = (corners[0].y + corners[1].y + corners[2].y + corners[3].y) / 4;
    EXPECT_GT(std::fabs(centre.y - mean_y), 3);

    open_new_plot();
    open_box();
    open_tilted_plane();
    grffin();
    const std::vector<float> bx{2, 2};
    const std::vector<float> by{4, 4};
    const std::vector<float> bz{0.5f, 0.5f};
    after = points_added_by([&] { curv3d(bx, by, bz, 2); });
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NEAR(after[0].x, box_point.x, 0.01);
    EXPECT_NEAR(after[0].y, box_point.y, 0.01);
}

// A device that keeps the corners of the areas it is asked to fill.
class AreaDevice : public Device {
public:
    explicit AreaDevice(std::vector<std::vector<AreaPoint>>* areas) : areas_(areas) {}
    void open() override {}
    void point(double, double, bool) override {}
    void colour(int) override {}
    void fill_rect(double, double, double, double, int) override {}
    bool has_area_fill() const override { return true; }
    void fill_area(std::span<const AreaPoint> corners) override { areas_->emplace_back(corners.begin(), corners.end()); }
    void new_page() override {}
    void close() override {}

private:
    std::vector<std::vector<AreaPoint>>* areas_;
};

// Filled areas reach the device with their corners on the plane: the axis
// rectangle of the plane fills the whole tilted plane. Off the plane they
// follow TRFSHF as lines do.
TEST_F(Planes3dTest, AreasAreFilledOnThePlane)
{
    std::vector<std::vector<AreaPoint>> areas;
    open_plot();
    open_box();
    std::vector<Expected> corners = {projected(0, 0, -1), projected(10, 0, -1), projected(10, 20, 1),
                                     projected(0, 20, 1)};
    open_tilted_plane();
    state().device = std::make_unique<AreaDevice>(&areas);
    const PlotState& s = state();
    double left = s.axis_pos_x;
    double bottom = s.axis_pos_y;
    double right = left + s.axis_length_x - 1;
    double top = bottom - s.axis_length_y + 1;
    fill_rectangle(left, top, right - left, bottom - top);
    const FillPoint quad[4] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    fill_device_area(quad);
    ASSERT_EQ(areas.size(), 2u);
    ASSERT_EQ(areas[0].size(), 4u);
    // The rectangle from its upper left corner, the polygon as given.
    const int rectangle_order[4] = {3, 2, 1, 0};
    for (std::size_t k = 0; k < 4; ++k) {
        const Expected& e = corners[static_cast<std::size_t>(rectangle_order[k])];
        EXPECT_NEAR(areas[0][k].x, e.x, 1e-6) << k;
        EXPECT_NEAR(areas[0][k].y, e.y, 1e-6) << k;
        EXPECT_NEAR(areas[1][k].x, corners[k].x, 1e-6) << k;
        EXPECT_NEAR(areas[1][k].y, corners[k].y, 1e-6) << k;
    }
    grffin();
    // Off the plane areas still follow the base transformation.
    trfshf(100, 50);
    fill_device_area(quad);
    ASSERT_EQ(areas.size(), 3u);
    EXPECT_NEAR(areas[2][0].x, left + 100, 1e-9);
    EXPECT_NEAR(areas[2][0].y, bottom + 50, 1e-9);
    trfres();
    state().device.reset();
    endgrf();
    korfin();
    take_output();
}

}  // namespace
}  // namespace korvan::test
