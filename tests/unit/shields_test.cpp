// Shielded regions: their shapes, the cutting of lines at their outlines, and
// the regions the library's own drawings register.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "plot/kernel/routines.hpp"
#include "plot/kernel/shield_state.hpp"
#include "plot/routines/figures.hpp"
#include "plot/routines/shields.hpp"
#include "plot/routines/symbols.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class ShieldsTest : public PlotTest {};

// The pieces of a line outside the regions of a state holding one region.
std::vector<ShieldPiece> pieces_around(ShieldRegion region, double ax, double ay, double bx, double by)
{
    ShieldState shields;
    shields.regions.push_back(std::move(region));
    count_shields_in_force(shields);
    std::vector<ShieldPiece> pieces;
    unshielded_pieces(shields, ax, ay, bx, by, pieces);
    return pieces;
}

TEST(ShieldShapes, PointsInsideEachShape)
{
    // An ellipse 100 x 50 turned by 90 degrees stands upright.
    ShieldRegion upright = shield_ellipse(500, 500, 100, 50, 90);
    EXPECT_TRUE(inside_shield(upright, 500, 420));
    EXPECT_FALSE(inside_shield(upright, 580, 500));
    // A sector from 0 to 90 degrees is the upper right quarter (y downward).
    ShieldRegion quarter = shield_sector(0, 0, 100, 0, 90);
    EXPECT_TRUE(inside_shield(quarter, 50, -50));
    EXPECT_FALSE(inside_shield(quarter, 50, 50));
    EXPECT_FALSE(inside_shield(quarter, -50, -50));
    // A sector through 0 degrees (300 to 420).
    ShieldRegion through = shield_sector(0, 0, 100, 300, 420);
    EXPECT_TRUE(inside_shield(through, 50, 10));
    EXPECT_TRUE(inside_shield(through, 50, -10));
    EXPECT_FALSE(inside_shield(through, -50, 0));
    // A rectangle turned by 90 degrees about its upper left corner lies above it.
    ShieldRegion turned = shield_rectangle(100, 100, 200, 50, 90);
    EXPECT_TRUE(inside_shield(turned, 125, 0));
    EXPECT_FALSE(inside_shield(turned, 200, 125));
    // A concave polygon: the notch is outside.
    ShieldRegion notch = shield_polygon({{0, 0}, {100, 0}, {100, 100}, {50, 50}, {0, 100}});
    EXPECT_TRUE(inside_shield(notch, 10, 80));
    EXPECT_FALSE(inside_shield(notch, 50, 80));
}

TEST(ShieldShapes, LinesAreCutAtTheOutline)
{
    // Through a circle of radius 100 around (500, 500) along y 500.
    std::vector<ShieldPiece> p = pieces_around(shield_ellipse(500, 500, 100, 100, 0), 300, 500, 700, 500);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_DOUBLE_EQ(p[0].t0, 0.0);
    EXPECT_NEAR(300 + 400 * p[0].t1, 400, 1e-9);
    EXPECT_NEAR(300 + 400 * p[1].t0, 600, 1e-9);
    EXPECT_DOUBLE_EQ(p[1].t1, 1.0);
    // A line ending inside keeps only its first piece; one wholly inside has none.
    p = pieces_around(shield_ellipse(500, 500, 100, 100, 0), 300, 500, 500, 500);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_NEAR(300 + 200 * p[0].t1, 400, 1e-9);
    EXPECT_TRUE(pieces_around(shield_ellipse(500, 500, 100, 100, 0), 450, 500, 550, 500).empty());
    // A line that passes by is whole.
    p = pieces_around(shield_ellipse(500, 500, 100, 100, 0), 300, 700, 700, 700);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_DOUBLE_EQ(p[0].t1, 1.0);
    // Through the notch of a concave polygon: three pieces.
    p = pieces_around(shield_polygon({{0, 0}, {100, 0}, {100, 100}, {50, 50}, {0, 100}}), -50, 80, 150, 80);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NEAR(-50 + 200 * p[0].t1, 0, 1e-9);
    EXPECT_NEAR(-50 + 200 * p[1].t0, 20, 1e-9);
    EXPECT_NEAR(-50 + 200 * p[1].t1, 80, 1e-9);
    EXPECT_NEAR(-50 + 200 * p[2].t0, 100, 1e-9);
}

// A circle's line, cut in the plot file: move, draw to the outline, move
// across, draw on; the next line starts with its own move.
TEST_F(ShieldsTest, CutLinesInThePlotFile)
{
    open_new_plot();
    shlcir(1000, 500, 200);
    line(500, 500, 1500, 500);
    strtpt(500, 900);
    connpt(1500, 900);
    // More points reach the file than the routines sent: all of them, then.
    Points p = close_plot();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_FALSE(p[0].draw);
    EXPECT_TRUE(p[1].draw);
    EXPECT_NEAR(p[1].x, 800, 0.5);
    EXPECT_FALSE(p[2].draw);
    EXPECT_NEAR(p[2].x, 1200, 0.5);
    EXPECT_TRUE(p[3].draw);
    EXPECT_NEAR(p[3].x, 1500, 0.5);
    EXPECT_FALSE(p[4].draw);
    EXPECT_NEAR(p[4].y, 900, 0.5);
}

// SHIELD registers the regions of texts and symbols drawn while it is on;
// DEFINE keeps new ones out of force, RESET removes them, SHLDEL(0) every
// region; a new plot starts without any and with automatic shielding off.
TEST_F(ShieldsTest, AutomaticRegionsAndTheirDeletion)
{
    open_new_plot();
    const ShieldState& sh = state().shields;
    shield("SYMBOL", "ON");
    symbol(3, 500, 500);
    messag("ABC", 100, 100);
    EXPECT_EQ(sh.regions.size(), 1u);
    EXPECT_EQ(sh.regions[0].area, static_cast<unsigned>(shield_symbols));
    shield("ALL", "ON");
    messag("ABC", 100, 100);
    shlcir(900, 900, 50);
    EXPECT_EQ(sh.regions.size(), 3u);
    EXPECT_EQ(sh.regions.back().id, 1);  // the script's first region
    shield("MESSAG", "RESET");
    EXPECT_EQ(sh.regions.size(), 2u);
    shlvis(1, "OFF");
    EXPECT_EQ(sh.in_force, 1);
    shield("SYMBOL", "DEFINE");
    symbol(3, 700, 700);
    EXPECT_EQ(sh.regions.size(), 3u);
    EXPECT_FALSE(sh.regions.back().in_force);
    shldel(0);
    EXPECT_TRUE(sh.regions.empty());
    EXPECT_EQ(sh.in_force, 0);
    reset("SHIELD");
    EXPECT_EQ(sh.automatic, 0u);
    shlsur();
    shlcir(900, 900, 50);
    close_plot();
    open_new_plot();
    EXPECT_TRUE(state().shields.regions.empty());
    EXPECT_EQ(state().shields.automatic, 0u);  // the attribute reset of KORINI
    close_plot();
}

}  // namespace
}  // namespace korvan::test
