// Splines: point counts and warnings, exact ends, reproduction of
// polynomials, the chord-length form, log spacing, SPLMOD and degenerate input.
#include "tests/unit/curves_test_support.hpp"

#include <limits>

#include "plot/routines/curves.hpp"
#include "plot/routines/splines.hpp"

namespace korvan::test {
namespace {

class SplinesTest : public CurvePlotTest {
protected:
    // SPLINE into blocks of `size` points; the number produced.
    int run(const std::vector<float>& x, const std::vector<float>& y, int n, int size = 201)
    {
        xs.assign(static_cast<std::size_t>(size), -99.0f);
        ys.assign(static_cast<std::size_t>(size), -99.0f);
        int nspl = -1;
        spline(x, y, n, xs, ys, nspl);
        return nspl;
    }
    std::vector<float> xs;
    std::vector<float> ys;
};

double cubic(double x) { return 0.5 * x * x * x - 2 * x * x + x - 3; }

TEST_F(SplinesTest, FourPointsGive201WithExactEnds)
{
    open_plot();
    std::vector<float> x = {1, 2, 4, 7};
    std::vector<float> y = {3, -1, 2, 5.5f};
    ASSERT_EQ(run(x, y, 4), 201);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(xs[0], 1.0f);
    EXPECT_EQ(ys[0], 3.0f);
    EXPECT_EQ(xs[200], 7.0f);
    EXPECT_EQ(ys[200], 5.5f);
    // Even spacing of the parameter; the curve passes through the data points.
    EXPECT_NEAR(xs[1], 1.03, 1e-5);
    EXPECT_NEAR(xs[100], 4.0, 1e-5);
    EXPECT_NEAR(ys[100], 2.0, 1e-4);
    // 2 lies at j = 200 / 6.
    double at2 = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        if (xs[i] <= 2.0f && xs[i + 1] > 2.0f)
            at2 = ys[i] + (ys[i + 1] - ys[i]) * (2.0 - xs[i]) / (xs[i + 1] - xs[i]);
    EXPECT_NEAR(at2, -1.0, 0.05);
}

TEST_F(SplinesTest, WrongPointCountsWarn31)
{
    open_plot();
    std::vector<float> x(143);
    std::vector<float> y(143);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = static_cast<float>(i);
        y[i] = static_cast<float>(i % 5);
    }
    EXPECT_EQ(run(x, y, 3), 0);
    EXPECT_EQ(run(x, y, 143), 0);
    EXPECT_EQ(run(x, y, 0), 0);
    EXPECT_EQ(run(x, y, -4), 0);
    EXPECT_EQ(take_output(), " <<<< Warning  31: Incorrect number of points for spline interpolation in spline!   (   3)\n"
                             " <<<< Warning  31: Incorrect number of points for spline interpolation in spline!   ( 143)\n"
                             " <<<< Warning  31: Incorrect number of points for spline interpolation in spline!   (   0)\n"
                             " <<<< Warning  31: Incorrect number of points for spline interpolation in spline!   (  -4)\n");
    // 142 points fit exactly (142 * 7 = 994).
    EXPECT_EQ(run(x, y, 142), 201);
    EXPECT_EQ(ys[200], y[141]);
    // More points than the arrays hold, or a block too small for the result.
    EXPECT_EQ(run({1, 2, 3, 4}, {1, 2, 3, 4}, 5), 0);
    EXPECT_EQ(run(x, y, 10, 200), 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in spline!   (   5)\n"
                             " <<<< Warning   2: Incorrect parameter in spline!   ( 200)\n");
}

TEST_F(SplinesTest, RepeatedXWarns32)
{
    open_plot();
    EXPECT_EQ(run({1, 2, 2, 3}, {1, 2, 3, 4}, 4), 0);
    EXPECT_EQ(run({1, 3, 2, 4}, {1, 2, 3, 4}, 4), 0);
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(run({1, 2, nan, 4}, {1, 2, 3, 4}, 4), 0);
    std::string warn32 = " <<<< Warning  32: No increasing x coordinates for spline interpolation in spline!\n";
    EXPECT_EQ(take_output(), warn32 + warn32 + warn32);
    // The chord-length form has no such condition.
    polcrv("PSPL");
    EXPECT_EQ(run({1, 2, 2, 3}, {1, 2, 3, 4}, 4), 201);
    EXPECT_EQ(take_output(), "");
}

TEST_F(SplinesTest, CubicPolynomialIsReproduced)
{
    open_plot();
    std::vector<float> x = {-2, -1.5f, 0, 0.25f, 1, 2.5f, 3, 4.75f, 5};
    std::vector<float> y;
    for (float v : x)
        y.push_back(static_cast<float>(cubic(v)));
    ASSERT_EQ(run(x, y, static_cast<int>(x.size())), 201);
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(ys[i], cubic(xs[i]), 2e-4) << "at " << xs[i];
    // Degree 2 reproduces a parabola (odd order: knots at midpoints).
    splmod(2, 50);
    for (std::size_t i = 0; i < x.size(); ++i)
        y[i] = static_cast<float>(3 * x[i] * x[i] - x[i] + 1);
    ASSERT_EQ(run(x, y, static_cast<int>(x.size())), 51);
    for (std::size_t i = 0; i < 51; ++i)
        EXPECT_NEAR(ys[i], 3 * xs[i] * xs[i] - xs[i] + 1, 2e-4);
    // Degree 5 with its minimum of six points reproduces a quintic.
    splmod(5, 30);
    std::vector<float> x6 = {0, 0.5f, 1.5f, 2, 3, 3.5f};
    std::vector<float> y6;
    for (float v : x6)
        y6.push_back(static_cast<float>(v * v * v * v * v / 10 - v));
    ASSERT_EQ(run(x6, y6, 6), 31);
    for (std::size_t i = 0; i < 31; ++i)
        EXPECT_NEAR(ys[i], xs[i] * xs[i] * xs[i] * xs[i] * xs[i] / 10 - xs[i], 1e-3);
}

TEST_F(SplinesTest, SplmodRangesAndReset)
{
    open_plot();
    splmod(1, 200);
    splmod(11, 200);
    splmod(3, 4);
    splmod(3, 30001);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in splmod!   (   1)\n"
                             " <<<< Warning   2: Incorrect parameter in splmod!   (  11)\n"
                             " <<<< Warning   2: Incorrect parameter in splmod!   (   4)\n"
                             " <<<< Warning   2: Incorrect parameter in splmod!   (30001)\n");
    EXPECT_EQ(state().curves.spline_degree, 3);
    EXPECT_EQ(state().curves.spline_points, 200);
    splmod(10, 5);
    // Degree 10 needs 11 points and 11 * 21 = 231 reals of band.
    std::vector<float> x(11);
    std::vector<float> y(11);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = static_cast<float>(i * i);
        y[i] = static_cast<float>(std::sin(i));
    }
    EXPECT_EQ(run(x, y, 10), 0);
    EXPECT_EQ(run(x, y, 11), 6);
    EXPECT_EQ(ys[5], y[10]);
    take_output();
    reset("SPLMOD");
    EXPECT_EQ(state().curves.spline_degree, 3);
    EXPECT_EQ(state().curves.spline_points, 200);
}

TEST_F(SplinesTest, ChordLengthFormThroughACircle)
{
    open_plot();
    polcrv("PSPL");
    std::vector<float> x;
    std::vector<float> y;
    for (int i = 0; i <= 12; ++i) {
        x.push_back(static_cast<float>(std::cos(i * M_PI / 6)));
        y.push_back(static_cast<float>(std::sin(i * M_PI / 6)));
    }
    ASSERT_EQ(run(x, y, 13), 201);
    EXPECT_EQ(xs[0], x[0]);
    EXPECT_EQ(ys[200], y[12]);
    for (std::size_t i = 0; i < 201; ++i)
        EXPECT_NEAR(std::hypot(xs[i], ys[i]), 1.0, 5e-3) << i;
    // Two equal points in a row make the system singular.
    EXPECT_EQ(run({0, 1, 1, 2, 3}, {0, 1, 1, 0, 1}, 5), 0);
    EXPECT_EQ(take_output(), " <<<< Warning  38: Singular matrix in spline!\n");
    float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(run({0, 1, inf, 2, 3}, {0, 1, 1, 0, 1}, 5), 0);
    EXPECT_EQ(take_output(), " <<<< Warning  38: Singular matrix in spline!\n");
}

TEST_F(SplinesTest, LogAxisSpacesXInDecades)
{
    open_plot();
    scale("LOG", "X");
    setgrf("NONE", "NONE", "NONE", "NONE");
    graf(0, 3, 0, 1, 0, 10, 0, 1);
    std::vector<float> x = {1, 10, 100, 1000};
    std::vector<float> y = {1, 2, 3, 4};
    ASSERT_EQ(run(x, y, 4), 201);
    EXPECT_NEAR(xs[100], std::pow(10.0, 1.5), 1e-3);
    EXPECT_NEAR(xs[200 / 3 + 1], std::pow(10.0, 3.0 * 67 / 200), 1e-3);
    EXPECT_EQ(xs[200], 1000.0f);
    // Without the axis system the spacing is even.
    endgrf();
    ASSERT_EQ(run(x, y, 4), 201);
    EXPECT_NEAR(xs[100], 500.5, 1e-3);
}

TEST_F(SplinesTest, SplineCurvesAreDrawnInTheAxisSystem)
{
    open_unit_axes();
    const float x[] = {100, 300, 500, 700, 900};
    const float y[] = {100, 800, 200, 900, 500};
    polcrv("SPLI");
    curve(x, y, 5);
    std::vector<PlotPointRecord> p = drawn();
    // 201 points, cut where they leave the axis system.
    EXPECT_GE(p.size(), 150u);
    EXPECT_TRUE(near(p.front().x, unit_x(100)) && near(p.front().y, unit_y(100)));
    EXPECT_TRUE(near(p.back().x, unit_x(900)) && near(p.back().y, unit_y(500)));
    for (const PlotPointRecord& q : p)
        EXPECT_LE(q.y, unit_y(0) + 0.01);
    take_output();
}

TEST_F(SplinesTest, SplineCurveWithTooFewPointsWarnsInCurve)
{
    open_unit_axes();
    const float x[] = {100, 300, 500};
    const float y[] = {100, 800, 200};
    polcrv("SPLI");
    incmrk(1);
    curve(x, y, 3);
    EXPECT_EQ(take_output(),
              " <<<< Warning  31: Incorrect number of points for spline interpolation in curve!   (   3)\n");
    // The symbols are there, the line is not.
    EXPECT_EQ(state().vector_count - start_, 15);
}

}  // namespace
}  // namespace korvan::test
