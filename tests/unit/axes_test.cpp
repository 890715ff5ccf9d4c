// Axis systems: parameter checks, the transformation, automatic scaling,
// ticks, labels, titles, crossed axes and the settings.
#include "tests/unit/routines_test_support.hpp"

#include "plot/routines/axes.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/clipping.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/symbols.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

struct Segment {
    double x0, y0, x1, y1;
};

std::vector<Segment> segments(const std::vector<PlotPointRecord>& points)
{
    std::vector<Segment> out;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].draw)
            out.push_back({points[i - 1].x, points[i - 1].y, points[i].x, points[i].y});
    return out;
}

// Vertical segments from y0 to y1 (either way round).
int vertical_count(const std::vector<Segment>& segs, double y0, double y1)
{
    int n = 0;
    for (const Segment& s : segs) {
        if (std::fabs(s.x0 - s.x1) > 0.01)
            continue;
        if ((std::fabs(s.y0 - y0) < 0.6 && std::fabs(s.y1 - y1) < 0.6) ||
            (std::fabs(s.y0 - y1) < 0.6 && std::fabs(s.y1 - y0) < 0.6))
            ++n;
    }
    return n;
}

std::vector<std::string> label_texts(int axis)
{
    const PlotState& s = state();
    const AxisSettings& set = s.axes.axis[static_cast<std::size_t>(axis)];
    const AxisTransform& t = s.axes.transform[static_cast<std::size_t>(axis)];
    std::vector<std::string> out;
    for (double v : label_values(t))
        out.push_back(label_text(v, set.label_type, set.digits, axis, number_style(), set, 0));
    return out;
}

using AxesTest = PlotTest;

// Default page: axis lengths 1980 x 1400, lower left corner (494, 1799).
TEST_F(AxesTest, DefaultAxisSystemLabelsAndTicks)
{
    open_plot();
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    EXPECT_EQ(state().level, 2);
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
    EXPECT_EQ(label_texts(1), (std::vector<std::string>{"0.0", "1.0", "2.0", "3.0", "4.0", "5.0"}));
    endgrf();
    EXPECT_EQ(state().level, 1);
    auto segs = segments(close_plot());
    EXPECT_EQ(kept_output_, "");
    // Bottom: 6 major ticks (24) and 5 minor ticks (16) pointing down to the labels;
    // top: the same pointing up.
    EXPECT_EQ(vertical_count(segs, 1799, 1823), 6);
    EXPECT_EQ(vertical_count(segs, 1799, 1815), 5);
    EXPECT_EQ(vertical_count(segs, 400, 376), 6);
    EXPECT_EQ(vertical_count(segs, 400, 384), 5);
}

TEST_F(AxesTest, RejectedAndWarnedScalings)
{
    open_plot();
    graf(0, 10, 0, 0, 0, 5, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   9: Step equal zero in graf!\n");
    EXPECT_EQ(state().level, 1);
    graf(0, 0, 0, 1, 0, 5, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  10: Begin and end of scaling are equal in graf!\n");
    EXPECT_EQ(state().level, 1);
    nxposn(1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in nxposn!   (   1)\n");
    // A start label outside the axis and a step of the wrong sign: warned, drawn.
    long before = state().vector_count;
    graf(0, 10, 12, 2, 0, 5, 0, -1);
    EXPECT_EQ(take_output(), " <<<< Warning  12: Startlabel out of scaling in graf!\n"
                             " <<<< Warning  50: Incorrect sign for step in graf!\n");
    EXPECT_EQ(state().level, 2);
    EXPECT_GT(state().vector_count, before + 100);
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"0.0", "2.0", "4.0", "6.0", "8.0", "10.0"}));
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in graf!   (   2)\n");
    endgrf();
    // A reversed axis runs from right to left.
    graf(10, 0, 10, -2, 0, 5, 0, 1);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(nxposn(10), 494);
    EXPECT_EQ(nxposn(0), 494 + 1979);
    endgrf();
}

TEST_F(AxesTest, TransformationAtBothEnds)
{
    open_plot();
    graf(-3, 7, -3, 1, 100, 200, 100, 20);
    EXPECT_EQ(nxposn(-3), 494);
    EXPECT_EQ(nxposn(7), 494 + 1980 - 1);
    EXPECT_EQ(nyposn(100), 1799);
    EXPECT_EQ(nyposn(200), 1799 - 1400 + 1);
    EXPECT_DOUBLE_EQ(xposn(2), 494 + 1979 / 2.0);
    EXPECT_NEAR(xinvrs(nxposn(2.5)), 2.5, 0.01);
    EXPECT_NEAR(yinvrs(nyposn(150)), 150, 0.1);
    endgrf();
    scale("LOG", "X");
    graf(-1, 3, -1, 1, 0, 1, 0, 1);
    EXPECT_EQ(nxposn(0.1), 494);
    EXPECT_EQ(nxposn(1000), 494 + 1979);
    EXPECT_NEAR(xinvrs(nxposn(10)), 10, 0.05);
    // Non-positive values on a log axis fall far off the axis instead of failing.
    EXPECT_LT(nxposn(0), -100000);
    EXPECT_LT(nxposn(-5), -100000);
    endgrf();
}

TEST_F(AxesTest, AutomaticScalingExamples)
{
    open_plot();
    const float a[] = {0.37f, 2.0f, 8.2f};
    setscl(a, 3, "X");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    double start = 0, end = 0, first = 0, step = 0;
    getgrf(start, end, first, step, "X");
    EXPECT_NEAR(start, 0.37, 1e-6);
    EXPECT_NEAR(end, 8.2, 1e-6);
    EXPECT_DOUBLE_EQ(first, 1);
    EXPECT_DOUBLE_EQ(step, 1);
    int dx = 0, dy = 0, dz = 0;
    getdig(dx, dy, dz);
    EXPECT_EQ(dx, -1);
    EXPECT_EQ(label_texts(0).front(), "1");
    EXPECT_EQ(label_texts(0).back(), "8");
    endgrf();

    const float b[] = {0.0f, 1.0f};
    setscl(b, 2, "X");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    getgrf(start, end, first, step, "X");
    EXPECT_DOUBLE_EQ(first, 0);
    EXPECT_NEAR(step, 0.2, 1e-12);
    getdig(dx, dy, dz);
    EXPECT_EQ(dx, 1);
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}));
    endgrf();

    const float c[] = {5.0f, 5.0f};
    setscl(c, 2, "XY");
    EXPECT_EQ(take_output(), " <<<< Warning  25: Minimum equal maximum (added -1 and +1) in setscl!\n");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    getgrf(start, end, first, step, "X");
    EXPECT_DOUBLE_EQ(start, 4);
    EXPECT_DOUBLE_EQ(end, 6);
    EXPECT_DOUBLE_EQ(first, 4);
    EXPECT_DOUBLE_EQ(step, 0.5);
    getgrf(start, end, first, step, "Y");
    EXPECT_DOUBLE_EQ(start, 4);
    EXPECT_DOUBLE_EQ(end, 6);
    endgrf();

    setscl(c, 2, "RESET");
    scale("LOG", "X");
    const float d[] = {0.0f, 10.0f, 1000.0f};
    setscl(d, 3, "X");
    take_output();
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  23: Non positive minimum for log scaling (set to 0.1) in graf!\n");
    getgrf(start, end, first, step, "X");
    EXPECT_DOUBLE_EQ(start, -1);
    EXPECT_DOUBLE_EQ(end, 3);
    EXPECT_DOUBLE_EQ(first, -1);
    EXPECT_DOUBLE_EQ(step, 1);
    endgrf();
    // Automatic scaling stays until switched off.
    setscl(d, 3, "XRESET");
    graf(0, 2, 0, 1, 0, 1, 0, 1);
    getgrf(start, end, first, step, "X");
    EXPECT_DOUBLE_EQ(end, 2);
    endgrf();
    setscl(d, 3, "X");
    EXPECT_EQ(take_output(), "");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  23: Non positive minimum for log scaling (set to 0.1) in graf!\n");
}

TEST(AutomaticScale, PureCases)
{
    // Leading digit 2 on a short axis: the step halves only when there is room.
    AutoScale r = automatic_scale(0, 20, false, false, 1980, 200);
    EXPECT_DOUBLE_EQ(r.step, 5);
    EXPECT_EQ(r.digits, -1);
    r = automatic_scale(0, 20, false, false, 600, 200);
    EXPECT_DOUBLE_EQ(r.step, 10);
    // Leading digit 9 on a short axis: the step doubles.
    r = automatic_scale(0, 0.09, false, false, 800, 200);
    EXPECT_NEAR(r.step, 0.02, 1e-15);
    EXPECT_EQ(r.digits, 2);
    // A negative start: the first multiple of the step inside the range.
    r = automatic_scale(-3.7, 4.1, false, false, 1980, 200);
    EXPECT_DOUBLE_EQ(r.first, -3);
    // Log data wholly below zero: one decade instead of an empty range.
    r = automatic_scale(-1, 0.05, true, false, 1980, 200);
    EXPECT_TRUE(r.min_warning);
    EXPECT_DOUBLE_EQ(r.start, -1);
    EXPECT_DOUBLE_EQ(r.end, 0);
    // Time axes: 2 hours in steps of 15 minutes; 50 seconds in steps of 5.
    r = automatic_scale(0, 7200, false, true, 1980, 200);
    EXPECT_DOUBLE_EQ(r.step, 1800);
    r = automatic_scale(3, 53, false, true, 1980, 200);
    EXPECT_DOUBLE_EQ(r.step, 10);
    EXPECT_DOUBLE_EQ(r.first, 10);
    r = automatic_scale(0, 3599, false, true, 1980, 200);
    EXPECT_DOUBLE_EQ(r.step, 600);
}

TEST_F(AxesTest, SidesAx2grfSetgrfAndNograf)
{
    open_plot();
    ax2grf();
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    endgrf();
    auto segs = segments(close_plot());
    EXPECT_EQ(vertical_count(segs, 1799, 1823), 6);
    EXPECT_EQ(vertical_count(segs, 400, 376), 0);  // no top side
    // The left axis line, and the frame around the rectangle.
    EXPECT_EQ(vertical_count(segs, 400, 1799), 3);

    open_plot();
    setgrf("NONE", "NONE", "NONE", "NONE");
    frame(0);
    long before = state().vector_count;
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    EXPECT_EQ(state().vector_count, before);
    EXPECT_EQ(nxposn(10), 494 + 1979);
    endgrf();
    setgrf("LINE", "TICK", "LABE", "NAMES");
    setgrf("LINE", "TICK", "LABE", "FULL");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setgrf!   (FULL)\n");
    EXPECT_EQ(state().axes.sides[3], 4);
    reset("SETGRF");
    nograf();
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    EXPECT_EQ(state().vector_count, before);
    EXPECT_EQ(state().level, 2);
    endgrf();
    korfin();
    setgrf("NONE", "NONE", "NONE", "NONE");
    EXPECT_NE(take_output().find(" <<<< Warning   3: Incorrect level in setgrf!   (   0)\n"), std::string::npos);
}

TEST_F(AxesTest, LogarithmicTicksAndLabels)
{
    open_plot();
    scale("LOG", "X");
    labels("LOG", "X");
    digits(-1, "X");
    graf(-1, 2, -1, 1, 0, 5, 0, 1);
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"10[-1$", "10[0$", "10[1$", "10[2$"}));
    labels("ELOG", "X");
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"-1", "0", "1", "2"}));
    labels("FLOA", "X");
    digits(1, "X");
    EXPECT_EQ(label_texts(0), (std::vector<std::string>{"0.1", "1.0", "10.0", "100.0"}));
    labels("EXP", "X");
    EXPECT_EQ(label_texts(0)[3], "1.0$*10[2$");
    endgrf();
    auto segs = segments(close_plot());
    // Four decades of major ticks and 8 minor ticks in each of the three decades between.
    EXPECT_EQ(vertical_count(segs, 1799, 1823), 4);
    EXPECT_EQ(vertical_count(segs, 1799, 1815), 24);
}

TEST(LabelTexts, TimeMapAndUserLabels)
{
    AxisSettings linear;
    NumberStyle style;
    auto text = [&](double v, LabelType type, int digits, int axis) {
        return label_text(v, type, digits, axis, style, linear, 1);
    };
    EXPECT_EQ(text(3661, LabelType::time, 1, 0), "01:01");
    EXPECT_EQ(text(3661, LabelType::seco, 1, 0), "01:01:01");
    EXPECT_EQ(text(7200, LabelType::hour, 1, 0), "2");
    EXPECT_EQ(text(-1, LabelType::seco, 1, 0), "23:59:59");
    EXPECT_EQ(text(86400 + 60, LabelType::time, 1, 0), "00:01");
    EXPECT_EQ(text(3570, LabelType::time, 1, 0), "01:00");  // 59.5 minutes carry into the hour
    EXPECT_EQ(text(12.5, LabelType::map, 1, 0), "12.5[o$ E");
    EXPECT_EQ(text(-12.5, LabelType::map, 1, 0), "12.5[o$ W");
    EXPECT_EQ(text(40, LabelType::map, -1, 1), "40[o$ N");
    EXPECT_EQ(text(-40, LabelType::lmap, -1, 1), "40[o$ s");
    EXPECT_EQ(text(0, LabelType::map, -1, 1), "0[o$");
    EXPECT_EQ(text(-12.5, LabelType::dmap, 1, 0), "-12.5[o$  ");
    EXPECT_EQ(text(1500, LabelType::fexp, 1, 0), "1.5$E3");
    EXPECT_EQ(text(3, LabelType::none, 1, 0), "");
    linear.mylab[0] = "Jan";
    linear.mylab_count = 1;
    EXPECT_EQ(label_text(1, LabelType::myla, 1, 0, style, linear, 1), "Jan");
    EXPECT_EQ(label_text(2, LabelType::myla, 1, 0, style, linear, 2), "");
}

TEST_F(AxesTest, UserLabelsAndLabelEnds)
{
    open_plot();
    labels("MYLA", "X");
    mylab("Mon", 1, "X");
    mylab("Tue", 2, "X");
    mylab("Wed", 3, "X");
    mylab("Thu", 51, "X");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in mylab!   (  51)\n");
    long before = state().vector_count;
    graf(1, 3, 1, 1, 0, 5, 0, 1);
    long with_labels = state().vector_count - before;
    endgrf();
    axends("NOEN", "X");
    before = state().vector_count;
    graf(1, 3, 1, 1, 0, 5, 0, 1);
    long middle_only = state().vector_count - before;
    endgrf();
    // Without the first and last label the difference is Mon and Wed (labels on the bottom only).
    long mon = 0;
    long wed = 0;
    for (const char* t : {"Mon", "Wed"}) {
        before = state().vector_count;
        messag(t, 100, 100);
        (std::string(t) == "Mon" ? mon : wed) = state().vector_count - before;
    }
    EXPECT_EQ(with_labels - middle_only, mon + wed);
}

TEST_F(AxesTest, TitleLinesAboveTheAxisSystem)
{
    open_plot();
    titlin("FIRST LINE", 1);
    titlin("Fourth line", -4);
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    long before = state().vector_count;
    title();
    std::size_t from = static_cast<std::size_t>(before);
    EXPECT_EQ(gethgt(), 36);
    htitle(50);
    titlin("x", 5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in titlin!   (   5)\n");
    endgrf();
    auto points = close_plot();
    // Line 4 stands three heights above the top (y = 1799 - 1400 - 108 = 291), line 1
    // three line spacings (3 * 54) above it; line 4 is underlined at 291 + 43.2.
    Box all = box_of(points, from);
    EXPECT_NEAR(all.y0, 291 - 162, 1.5);
    EXPECT_NEAR(all.y1, 291 + 43.2, 0.6);
    double w = 0;
    {
        TextRequest r;
        w = text_length("Fourth line", r);
    }
    double x = 494 + (1980 - w) / 2;
    EXPECT_NEAR(all.x0, x - 18, 0.6);
    EXPECT_NEAR(all.x1, x + w + 18, 0.6);
}

TEST_F(AxesTest, CrossedAxes)
{
    open_plot();
    axstyp("CROS");
    graf(-5, 5, -5, 1, -2, 2, -2, 1);
    EXPECT_EQ(state().level, 2);
    EXPECT_EQ(state().axes.cross_x, nxposn(0));
    EXPECT_EQ(state().axes.cross_y, nyposn(0));
    endgrf();
    graf(1, 5, 1, 1, -2, 2, -2, 1);
    EXPECT_EQ(take_output(), " <<<< Warning 105: No origin found for crossed axis system in graf!\n");
    EXPECT_EQ(state().level, 1);
    scale("LOG", "Y");
    graf(-5, 5, -5, 1, -2, 2, -2, 1);
    EXPECT_EQ(take_output(), " <<<< Warning 104: Crossed axis systems must have linear scaling in graf!\n");
    EXPECT_EQ(state().level, 1);
    scale("LIN", "Y");
    axsorg(1000, 900);
    axsorg(5000, 900);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in axsorg!   (5000)\n");
    graf(-5, 5, -5, 1, -2, 2, -2, 1);
    EXPECT_EQ(nxposn(0), 1000);
    EXPECT_NEAR(nyposn(0), 900, 1);
    endgrf();
    auto segs = segments(close_plot());
    // The X axis of the last system runs through the crossing point's height.
    bool found = false;
    for (const Segment& s : segs)
        if (std::fabs(s.y0 - 900) < 0.6 && std::fabs(s.y1 - 900) < 0.6 && std::fabs(s.x1 - s.x0) > 1900)
            found = true;
    EXPECT_TRUE(found);
}

TEST_F(AxesTest, SettingsGettersAndResets)
{
    open_plot();
    int a = 0, b = 0, c = 0;
    ticks(5, "XZ");
    ticks(1001, "X");
    digits(3, "Y");
    digits(-2, "Y");
    axslen(1, 500);
    ticlen(0, 5);
    hname(0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in ticks!   (1001)\n"
                             " <<<< Warning   2: Incorrect parameter in digits!   (  -2)\n"
                             " <<<< Warning  11: Axis length < 2 in axslen!   (   1)\n"
                             " <<<< Warning   2: Incorrect parameter in ticlen!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in hname!   (   0)\n");
    gettic(a, b, c);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 5);
    getdig(a, b, c);
    EXPECT_EQ(b, 3);
    intax();
    getdig(a, b, c);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(c, -1);
    reset("DIGITS");
    getdig(a, b, c);
    EXPECT_EQ(a, 1);
    axspos(100, 1500);
    axslen(1000, 1200);
    getpos(a, b);
    EXPECT_EQ(a, 100);
    EXPECT_EQ(b, 1500);
    getlen(a, b, c);
    EXPECT_EQ(a, 1000);
    EXPECT_EQ(b, 1200);
    reset("AXSLEN");
    getlen(a, b, c);
    EXPECT_EQ(a, 1980);
    scale("LOG", "Y");
    scale("SQRT", "Y");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in scale!   (SQRT)\n");
    getscl(a, b, c);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    labels("TIME", "X");
    labels("CLOG", "yz");
    std::string lx, ly, lz;
    getlab(lx, ly, lz);
    EXPECT_EQ(lx, "TIME");
    EXPECT_EQ(ly, "CLOG");
    EXPECT_EQ(lz, "CLOG");
    // Bar, pie and contour label styles are not axis settings.
    labels("FIRS", "BARS");
    EXPECT_EQ(take_output(), "");
    getlab(lx, ly, lz);
    EXPECT_EQ(lx, "TIME");
    reset("ALL");
    getlab(lx, ly, lz);
    EXPECT_EQ(lx, "FLOA");
    getscl(a, b, c);
    EXPECT_EQ(b, 0);
}

TEST_F(AxesTest, NamesVerticalLabelsAndColours)
{
    open_plot();
    name("Distance", "X");
    name("Height", "Y");
    axclrs(50, "NAME", "XY");
    axclrs(60, "LABELS", "X");
    labtyp("VERT", "X");
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    endgrf();
    auto points = close_plot();
    Box names;
    Box xlabels;
    for (const PlotPointRecord& p : points) {
        if (p.colour == 50)
            names.add(p.x, p.y);
        if (p.colour == 60)
            xlabels.add(p.x, p.y);
    }
    // Vertical labels below the bottom axis, the name below them; the Y name left of the axis.
    EXPECT_GT(xlabels.count, 100);
    EXPECT_GE(xlabels.y0, 1799 + 24 + 24 - 1);
    EXPECT_GT(xlabels.y1 - xlabels.y0, 60);  // "10.0" read upwards
    EXPECT_GT(names.count, 100);
    EXPECT_LT(names.x0, 494 - 60);
    EXPECT_GT(names.y1, xlabels.y1 + 30);
}

}  // namespace
}  // namespace korvan::test

namespace korvan::test {
namespace {

// Every setting changed, then the attribute reset: the defaults again.
TEST_F(AxesTest, ResetRestoresTextAndAxisDefaults)
{
    open_plot();
    height(50);
    angle(30);
    txtjus("CENT");
    chaang(20);
    chaspc(0.3);
    chawth(0.7);
    fixspc(1.2);
    linesp(2);
    mixalf();
    newmix();
    mixleg();
    numfmt("EXP");
    numode("COMM", "SPAC", "PLUS", "EQUA");
    basalf("ITAL");
    smxalf("GREE", "{", "}", 1);
    eushft("GERM", "\"");
    gothic();
    scale("LOG", "XYZ");
    digits(3, "XYZ");
    ticks(5, "XYZ");
    labels("EXP", "XYZ");
    ticpos("CENT", "XYZ");
    name("Name", "XYZ");
    namdis(50, "XYZ");
    labdis(50, "XYZ");
    namjus("LEFT", "XYZ");
    labtyp("VERT", "XYZ");
    labpos("CENT", "XYZ");
    axends("NOEN", "XYZ");
    logtic("FULL");
    axclrs(30, "ALL", "XYZ");
    mylab("A", 1, "XYZ");
    ticlen(40, 30);
    setgrf("NONE", "LINE", "LINE", "NONE");
    ax2grf();
    nograf();
    frame(3);
    hname(50);
    titlin("T", 1);
    htitle(60);
    titjus("LEFT");
    titpos("BELO");
    vkytit(20);
    axstyp("CROS");
    axsorg(100, 100);
    const float v[] = {1, 2};
    setscl(v, 2, "XYZ");
    EXPECT_EQ(take_output(), "");

    // Single keys first.
    reset("HEIGHT");
    EXPECT_EQ(state().text.height, 36);
    EXPECT_EQ(state().text.angle, 30);
    reset("TICLEN");
    EXPECT_EQ(state().axes.major_tick, 24);
    EXPECT_EQ(state().axes.frame, 3);
    reset("SETSCL");
    EXPECT_FALSE(state().axes.axis[1].auto_scale);
    EXPECT_EQ(state().axes.axis[1].ticks, 5);
    reset("TITLIN");
    EXPECT_TRUE(state().axes.title[0].empty());
    EXPECT_EQ(state().axes.title_height, 60);

    reset("ALL");
    const TextAttributes& t = state().text;
    const TextAttributes dt;
    EXPECT_EQ(t.angle, dt.angle);
    EXPECT_EQ(t.justification, dt.justification);
    EXPECT_EQ(t.slant, dt.slant);
    EXPECT_EQ(t.spacing, dt.spacing);
    EXPECT_EQ(t.width, dt.width);
    EXPECT_EQ(t.fixed, dt.fixed);
    EXPECT_EQ(t.line_spacing, dt.line_spacing);
    EXPECT_EQ(t.control_on, dt.control_on);
    EXPECT_EQ(t.raise, dt.raise);
    EXPECT_EQ(t.legend_control, dt.legend_control);
    EXPECT_EQ(t.number_format, dt.number_format);
    EXPECT_EQ(t.decimal, dt.decimal);
    EXPECT_EQ(t.group, dt.group);
    EXPECT_EQ(t.sign, dt.sign);
    EXPECT_EQ(t.equal_widths, dt.equal_widths);
    EXPECT_EQ(t.base_alphabet, dt.base_alphabet);
    EXPECT_EQ(t.mix[0].alphabet, -1);
    EXPECT_EQ(t.national[0], 0);
    EXPECT_EQ(t.font, 0);
    const AxisAttributes& a = state().axes;
    const AxisAttributes da;
    for (const AxisSettings& x : a.axis) {
        EXPECT_EQ(x.scaling, 0);
        EXPECT_EQ(x.digits, 1);
        EXPECT_EQ(x.ticks, 2);
        EXPECT_EQ(x.label_type, LabelType::floa);
        EXPECT_EQ(x.tick_position, 0);
        EXPECT_TRUE(x.name.empty());
        EXPECT_EQ(x.name_distance, 30);
        EXPECT_EQ(x.label_distance, 24);
        EXPECT_EQ(x.name_justification, 0);
        EXPECT_FALSE(x.vertical_labels);
        EXPECT_EQ(x.label_position, 0);
        EXPECT_EQ(x.label_ends, 0);
        EXPECT_FALSE(x.full_log_ticks);
        EXPECT_EQ(x.colours[2], -1);
        EXPECT_EQ(x.mylab_count, 0);
    }
    EXPECT_EQ(a.sides, da.sides);
    EXPECT_FALSE(a.two_sides);
    EXPECT_FALSE(a.no_graf);
    EXPECT_EQ(a.frame, 1);
    EXPECT_EQ(a.name_height, 36);
    EXPECT_EQ(a.title_height, 0);
    EXPECT_EQ(a.title_justification, 0);
    EXPECT_FALSE(a.title_below);
    EXPECT_EQ(a.title_shift, 0);
    EXPECT_EQ(a.axis_type, 0);
    EXPECT_FALSE(a.origin_given);
}

}  // namespace
}  // namespace korvan::test

namespace korvan::test {
namespace {

// A step tiny against the axis would mean billions of ticks and labels: the
// axis is drawn without them instead of drawing for ever.
TEST_F(AxesTest, StepsTinyAgainstTheAxisDrawNoMarks)
{
    open_plot();
    long before = state().vector_count;
    graf(0, 1e12, 0, 1, 0, 1, 0, 0.5);
    EXPECT_EQ(state().level, 2);
    EXPECT_TRUE(label_values(state().axes.transform[0]).empty());
    EXPECT_LT(state().vector_count - before, 2000);
    endgrf();
    scale("LOG", "Y");
    graf(0, 1, 0, 0.5, -300, 300, -300, 1);
    EXPECT_EQ(state().level, 2);
    endgrf();
    // NaN data are left out of automatic scaling; only NaN is refused.
    const float v[] = {std::nanf(""), 2.0f, 7.0f};
    setscl(v, 3, "X");
    const float nan_only[] = {std::nanf("")};
    setscl(nan_only, 1, "Y");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setscl!   (   1)\n");
    EXPECT_EQ(state().axes.axis[0].auto_min, 2.0);
    EXPECT_FALSE(state().axes.axis[1].auto_scale);
}

}  // namespace
}  // namespace korvan::test

namespace korvan::test {
namespace {

// LABPOS "SHIF" keeps the end labels within the axis length.
TEST_F(AxesTest, ShiftedEndLabelsStayWithinTheAxis)
{
    open_plot();
    setgrf("LABE", "NONE", "NONE", "NONE");
    frame(0);
    ticks(0, "X");
    labpos("SHIF", "X");
    long from = state().vector_count;
    graf(0, 10, 0, 5, 0, 1, 0, 1);
    endgrf();
    labpos("TICK", "X");
    long middle = state().vector_count;
    graf(0, 10, 0, 5, 0, 1, 0, 1);
    endgrf();
    labpos("BOTH", "X");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in labpos!   (BOTH)\n");
    auto points = close_plot();
    Box shifted = box_of(points, static_cast<std::size_t>(from), static_cast<std::size_t>(middle));
    Box centred = box_of(points, static_cast<std::size_t>(middle));
    EXPECT_GE(shifted.x0, 494 - 0.5);
    EXPECT_LE(shifted.x1, 494 + 1979 + 0.5);
    EXPECT_LT(centred.x0, 494 - 10);
    EXPECT_GT(centred.x1, 494 + 1979 + 10);
}


// TIMOPT drops the ":" of time labels until RESET.
TEST_F(AxesTest, TimeLabelsWithoutSeparator)
{
    open_plot();
    AxisSettings linear;
    NumberStyle style;
    timopt();
    EXPECT_EQ(label_text(3661, LabelType::time, 1, 0, style, linear, 1), "0101");
    EXPECT_EQ(label_text(3661, LabelType::seco, 1, 0, style, linear, 1), "010101");
    EXPECT_EQ(label_text(3570, LabelType::time, 1, 0, style, linear, 1), "0100");
    EXPECT_EQ(label_text(7200, LabelType::hour, 1, 0, style, linear, 1), "2");
    reset("TIMOPT");
    EXPECT_EQ(label_text(3661, LabelType::time, 1, 0, style, linear, 1), "01:01");
    timopt();
    reset("ALL");
    EXPECT_EQ(label_text(3661, LabelType::seco, 1, 0, style, linear, 1), "01:01:01");
    EXPECT_EQ(take_output(), "");
    close_plot();
}

// AX3LEN sets a Z length of its own, which GETLEN and the colour bar use;
// without it the Z axis follows the Y axis length.
TEST_F(AxesTest, ZAxisLength)
{
    open_plot();
    int a = 0, b = 0, c = 0;
    axslen(1500, 1000);
    getlen(a, b, c);
    EXPECT_EQ(c, 1000);
    ax3len(1200, 900, 600);
    getlen(a, b, c);
    EXPECT_EQ(a, 1200);
    EXPECT_EQ(b, 900);
    EXPECT_EQ(c, 600);
    ax3len(1200, 900, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  11: Axis length < 2 in ax3len!   (   1)\n");
    getlen(a, b, c);
    EXPECT_EQ(c, 600);
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 10, 0, 2);
    EXPECT_EQ(state().level, 3);
    EXPECT_NEAR(state().shading.z.factor, 599.0 / 10.0, 1e-9);
    endgrf();
    reset("AX3LEN");
    getlen(a, b, c);
    EXPECT_EQ(c, 900);
    close_plot();
}

class AxisLabelTest : public PlotTest {
protected:
    // One label "5.0" on the X axis; returns the points of GRAF's labels.
    std::vector<PlotPointRecord> single_x_label(std::string_view labtyp_option, std::string_view labpos_option);
};

std::vector<PlotPointRecord> AxisLabelTest::single_x_label(std::string_view labtyp_option,
                                                           std::string_view labpos_option)
{
    std::filesystem::remove("plot.met");  // each plot into the same file, not a new version
    open_plot();
    setgrf("LABE", "NONE", "NONE", "NONE");
    frame(0);
    ticks(0, "X");
    labtyp(labtyp_option, "X");
    labpos(labpos_option, "X");
    long from = state().vector_count;
    graf(0, 10, 5, 100, 0, 1, 0, 1);
    long to = state().vector_count;
    endgrf();
    auto points = close_plot();
    // Leave out the axis line: its two points come first.
    return std::vector<PlotPointRecord>(points.begin() + from + 2, points.begin() + to);
}

// Labels turned by 270 degrees are those turned by 90 rotated half a turn
// about their centre, in the same place below the axis.
TEST_F(AxisLabelTest, LabelsTurnedBy270Degrees)
{
    auto up = single_x_label("VERT", "TICK");
    auto down = single_x_label("OUTW", "TICK");
    ASSERT_FALSE(up.empty());
    ASSERT_EQ(up.size(), down.size());
    Box bu = box_of(up);
    Box bd = box_of(down);
    // Both stand in the frame from the label distance below the axis over the
    // label's length, centred on the tick (the ink keeps a small margin).
    double w = text_length("5.0", TextRequest{});
    double tick = 494 + 989.5;
    for (const Box& b : {bu, bd}) {
        EXPECT_GE(b.y0, 1799 + 24 - 0.5);
        EXPECT_LE(b.y1, 1799 + 24 + w + 0.5);
        EXPECT_GE(b.x0, tick - 18 - 2);
        EXPECT_LE(b.x1, tick + 18 + 2);
    }
    // Half a turn about the frame's centre takes one into the other.
    double cx = 2 * tick;
    double cy = 2 * (1799 + 24) + w;
    for (const PlotPointRecord& p : down) {
        double best = 1e300;
        for (const PlotPointRecord& q : up)
            best = std::min(best, std::hypot(cx - p.x - q.x, cy - p.y - q.y));
        EXPECT_LT(best, 1.5) << p.x << " " << p.y;
    }
    EXPECT_GT(std::fabs(bu.y0 - bd.y0) + std::fabs(bu.x0 - bd.x0), 0.5);  // not the same drawing
    // INWA on the bottom axis reads upwards, like VERT.
    auto in = single_x_label("INWA", "TICK");
    ASSERT_EQ(in.size(), up.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        EXPECT_NEAR(in[i].x, up[i].x, 1e-6);
        EXPECT_NEAR(in[i].y, up[i].y, 1e-6);
    }
}

// LABPOS "INSI" and the named sides put the labels on either side of the
// axis line; LABTYP "LEFT" and "RIGH" start or end them at their tick.
TEST_F(AxisLabelTest, LabelSidesAndJustification)
{
    Box outside = box_of(single_x_label("HORI", "OUTS"));
    EXPECT_NEAR(outside.y0, 1799 + 24, 8);
    Box inside = box_of(single_x_label("HORI", "INSI"));
    EXPECT_LT(inside.y1, 1799 - 24 + 1);
    EXPECT_GT(inside.y0, 1799 - 24 - 36 - 2);
    Box above = box_of(single_x_label("HORI", "ABOV"));
    EXPECT_NEAR(above.y0, inside.y0, 1e-6);
    Box below = box_of(single_x_label("HORI", "BELO"));
    EXPECT_NEAR(below.y0, outside.y0, 1e-6);
    Box auto_side = box_of(single_x_label("HORI", "AUTO"));
    EXPECT_NEAR(auto_side.y0, outside.y0, 1e-6);
    double tick = 494 + 989.5;
    EXPECT_LT(outside.x0, tick - 10);
    EXPECT_GT(outside.x1, tick + 10);
    Box left_just = box_of(single_x_label("LEFT", "TICK"));
    EXPECT_NEAR(left_just.x0, tick, 8);
    EXPECT_GT(left_just.x0, tick - 0.5);
    Box right_just = box_of(single_x_label("RIGH", "TICK"));
    EXPECT_NEAR(right_just.x1, tick, 8);
    EXPECT_LT(right_just.x1, tick + 0.5);
    Box centred = box_of(single_x_label("TYPS", "TICK"));
    EXPECT_NEAR(centred.x0, outside.x0, 1e-6);
    open_plot();
    labtyp("DIAG", "X");
    labpos("MIDD", "X");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in labtyp!   (DIAG)\n"
                             " <<<< Warning   2: Incorrect parameter in labpos!   (MIDD)\n");
    close_plot();
}

// Y axis labels on the right of the left axis line with LABPOS "RIGH", and
// in their column left-justified with LABTYP "LEFT".
TEST_F(AxisLabelTest, YAxisLabelSidesAndColumn)
{
    auto draw = [&](std::string_view typ, std::string_view pos) {
        std::filesystem::remove("plot.met");
        open_plot();
        setgrf("NONE", "LABE", "NONE", "NONE");
        frame(0);
        ticks(0, "Y");
        labtyp(typ, "Y");
        labpos(pos, "Y");
        long from = state().vector_count;
        graf(0, 1, 0, 1, 0, 10, 0, 10);
        long to = state().vector_count;
        endgrf();
        auto points = close_plot();
        return std::vector<PlotPointRecord>(points.begin() + from + 2, points.begin() + to);
    };
    // Label "0.0" at the bottom (y near 1799), "10.0" at the top (y near 400).
    auto split = [](const std::vector<PlotPointRecord>& pts, bool low) {
        std::vector<PlotPointRecord> out;
        for (const PlotPointRecord& p : pts)
            if ((p.y > 1100) == low)
                out.push_back(p);
        return box_of(out);
    };
    auto normal = draw("TYPS", "AUTO");
    EXPECT_NEAR(split(normal, true).x1, 494 - 24, 8);
    EXPECT_NEAR(split(normal, true).x1, split(normal, false).x1, 1);
    EXPECT_LT(split(normal, false).x0, split(normal, true).x0 - 10);
    // Left edges agree up to the glyphs' own margins ("1" against "0").
    auto column = draw("LEFT", "AUTO");
    EXPECT_NEAR(split(column, true).x0, split(column, false).x0, 6);
    EXPECT_LT(split(column, true).x1, 494 - 24 - 10);
    auto right_side = draw("TYPS", "RIGH");
    EXPECT_NEAR(split(right_side, true).x0, 494 + 24, 8);
    EXPECT_GT(split(right_side, true).x0, 494 + 24 - 0.5);
    EXPECT_NEAR(split(right_side, true).x0, split(right_side, false).x0, 6);
}


// Label points of one axis system, the axis line left out.
class LabelColumnTest : public PlotTest {
protected:
    std::vector<PlotPointRecord> labels_of(std::string_view axis, std::initializer_list<std::string_view> types,
                                           std::string_view position, double step)
    {
        std::filesystem::remove("plot.met");
        open_plot();
        bool x = axis == "X";
        setgrf(x ? "LABE" : "NONE", x ? "NONE" : "LABE", "NONE", "NONE");
        frame(0);
        ticks(0, axis);
        for (std::string_view t : types)
            labtyp(t, axis);
        labpos(position, axis);
        long from = state().vector_count;
        graf(0, 10, 0, x ? step : 5, 0, 10, 0, x ? 5 : step);
        long to = state().vector_count;
        endgrf();
        auto points = close_plot();
        return std::vector<PlotPointRecord>(points.begin() + from + 2, points.begin() + to);
    }
    // The box of the label drawn nearest to an axis position (plot units).
    static Box label_near(const std::vector<PlotPointRecord>& pts, bool x, double at, double half_room)
    {
        Box b;
        for (const PlotPointRecord& p : pts)
            if (std::fabs((x ? p.x : p.y) - at) < half_room)
                b.add(p.x, p.y);
        return b;
    }
};

// Turned labels below an X axis stand in a column as long as the longest
// label: flush with the axis by default and with "RIGH" (they read upwards,
// ending near the axis), flush with the far side with "LEFT", centred with
// "CENT"; the axis name moves below the whole column.
TEST_F(LabelColumnTest, TurnedXLabelsJustifiedInTheirColumn)
{
    const double five = 494 + 989.5;
    const double ten = 494 + 1979;
    auto boxes = [&](std::string_view just) {
        auto pts = labels_of("X", {"VERT", just}, "TICK", 5);
        return std::pair{label_near(pts, true, five, 300), label_near(pts, true, ten, 300)};
    };
    auto [near5, near10] = boxes("TYPS");
    ASSERT_GT(near5.count, 0);
    ASSERT_GT(near10.count, 0);
    EXPECT_NEAR(near5.y0, 1799 + 24, 6);
    EXPECT_NEAR(near5.y0, near10.y0, 3);
    // The glyphs' own margins differ up to 6 units ("1" against "5").
    double longer = text_length("10.0", TextRequest{}) - text_length("5.0", TextRequest{});
    EXPECT_GT(longer, 20);
    EXPECT_NEAR((near10.y1 - near10.y0) - (near5.y1 - near5.y0), longer, 7);
    auto [right5, right10] = boxes("RIGH");
    EXPECT_NEAR(right5.y0, near5.y0, 1e-6);
    auto [far5, far10] = boxes("LEFT");
    EXPECT_NEAR(far5.y1, far10.y1, 7);
    EXPECT_NEAR(far5.y0 - near5.y0, longer, 0.01);
    EXPECT_NEAR(far10.y0, near10.y0, 1e-6);
    auto [mid5, mid10] = boxes("CENT");
    EXPECT_NEAR(mid5.y0 - near5.y0, longer / 2, 0.01);
    EXPECT_NEAR(mid10.y0, near10.y0, 1e-6);
    // Labels turned to read downwards start at the axis: "LEFT" keeps them there.
    auto down = labels_of("X", {"OUTW", "LEFT"}, "TICK", 5);
    Box down5 = label_near(down, true, five, 300);
    Box down10 = label_near(down, true, ten, 300);
    EXPECT_NEAR(down5.y0, down10.y0, 7);
    EXPECT_NEAR(down5.y0, 1799 + 24, 6);
}

// LABPOS "EXTE" lets the end labels reach beyond the axis, "INTE" keeps
// them inside it, "ALIG" makes them flush with its ends; inner labels stay
// on their ticks; "EXTE" and the attribute reset undo it.
TEST_F(LabelColumnTest, EndLabelsBeyondInsideOrFlush)
{
    const double start = 494;
    const double end = 494 + 1979;
    const double middle = 494 + 989.5;
    auto ends = [&](std::string_view position) {
        auto pts = labels_of("X", {"HORI"}, position, 5);
        return std::array{label_near(pts, true, start, 150), label_near(pts, true, middle, 150),
                          label_near(pts, true, end, 150)};
    };
    auto free_ends = ends("EXTE");
    EXPECT_LT(free_ends[0].x0, start - 10);
    EXPECT_GT(free_ends[2].x1, end + 10);
    auto inside = ends("INTE");
    EXPECT_GE(inside[0].x0, start - 0.5);
    EXPECT_LT(inside[0].x0, start + 6);
    EXPECT_LE(inside[2].x1, end + 0.5);
    EXPECT_GT(inside[2].x1, end - 6);
    EXPECT_NEAR(inside[1].x0, free_ends[1].x0, 1e-6);
    auto flush = ends("ALIG");
    EXPECT_NEAR(flush[0].x0, inside[0].x0, 1e-6);
    EXPECT_NEAR(flush[2].x1, inside[2].x1, 1e-6);

    // A label at the end that fits is moved by "ALIG" but not by "INTE":
    // "LEFT" labels start at their tick, so the last one overhangs and the
    // first one does not.
    auto left_inside = labels_of("X", {"LEFT"}, "INTE", 5);
    auto left_flush = labels_of("X", {"LEFT"}, "ALIG", 5);
    EXPECT_NEAR(label_near(left_inside, true, start, 150).x0, label_near(left_flush, true, start, 150).x0, 1e-6);
    EXPECT_LE(label_near(left_inside, true, end, 150).x1, end + 0.5);

    // Turned labels along a Y axis, reading upwards and downwards, keep inside
    // the axis's length (page Y from 1799 up to 1799 - 1399).
    for (std::string_view turn : {"VERT", "INWA"}) {
        auto pts = labels_of("Y", {turn}, "INTE", 5);
        Box all = box_of(pts);
        EXPECT_LE(all.y1, 1799 + 0.5) << turn;
        EXPECT_GE(all.y0, 1799 - 1399 - 0.5) << turn;
        auto free_pts = labels_of("Y", {turn}, "EXTE", 5);
        Box loose = box_of(free_pts);
        EXPECT_GT(loose.y1, 1799 + 10) << turn;
        EXPECT_LT(loose.y0, 1799 - 1399 - 10) << turn;
    }

    open_plot();
    labpos("ALIG", "XYZ");
    reset("LABPOS");
    EXPECT_EQ(state().axes.axis[0].label_extent, 0);
    labpos("INTE", "Y");
    EXPECT_EQ(state().axes.axis[0].label_extent, 0);
    EXPECT_EQ(state().axes.axis[1].label_extent, 1);
    EXPECT_EQ(take_output(), "");
    close_plot();
}

// The clipping window cuts lines drawn without a rectangle of their own;
// NOCLIP suspends it; GRAF keeps it and ENDGRF brings it back.
TEST_F(AxesTest, ClippingWindow)
{
    auto symbol_box = [&](bool suspend) {
        std::filesystem::remove("plot.met");
        open_plot();
        clpwin(100, 100, 200, 200);
        if (suspend)
            noclip();
        hsymbl(400);
        symbol(0, 300, 300);  // a square from 100 to 500
        return box_of(close_plot());
    };
    Box cut = symbol_box(false);
    EXPECT_NEAR(cut.x0, 100, 0.01);
    EXPECT_NEAR(cut.y0, 100, 0.01);
    EXPECT_NEAR(cut.x1, 299, 0.01);
    EXPECT_NEAR(cut.y1, 299, 0.01);
    Box whole = symbol_box(true);
    EXPECT_NEAR(whole.x1, 500, 0.01);
    EXPECT_NEAR(whole.y1, 500, 0.01);
    EXPECT_EQ(take_output(), "");

    std::filesystem::remove("plot.met");
    open_plot();
    int x = 0, y = 0, w = 0, h = 0;
    getclp(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{0, 0, 2970, 2100}));
    clpwin(10, 20, 300, 400);
    clpwin(10, 20, 0, 400);
    clpbor("AXIS");
    clpbor("EDGE");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in clpwin!   (   0)\n"
                             " <<<< Warning   3: Incorrect level in clpbor!   (   1)\n"
                             " <<<< Warning   2: Incorrect parameter in clpbor!   (EDGE)\n");
    getclp(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{10, 20, 300, 400}));
    graf(0, 10, 0, 2, 0, 5, 0, 1);
    clpbor("AXIS");
    getclp(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{494, 400, 1980, 1400}));
    endgrf();
    getclp(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{10, 20, 300, 400}));
    clpbor("PAGE");
    getclp(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{0, 0, 2970, 2100}));
    clpwin(10, 20, 300, 400);
    reset("CLPWIN");
    getclp(x, y, w, h);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(w, 2970);
    close_plot();
}


// LABELS and DIGITS with the pie chart strings keep the pie label settings
// and leave the axes alone.
TEST_F(AxesTest, PieLabelSettings)
{
    open_plot();
    PieLabelSettings p = pie_label_settings();
    EXPECT_EQ(p.style, 1);
    EXPECT_EQ(p.data_digits, 1);
    EXPECT_EQ(p.percent_digits, 1);
    labels("BOTH", "PIE");
    digits(3, "DAT");
    digits(0, "PER");
    p = pie_label_settings();
    EXPECT_EQ(p.style, 3);
    EXPECT_EQ(p.data_digits, 3);
    EXPECT_EQ(p.percent_digits, 0);
    digits(-1, "PIE");
    p = pie_label_settings();
    EXPECT_EQ(p.data_digits, -1);
    EXPECT_EQ(p.percent_digits, -1);
    EXPECT_EQ(take_output(), "");
    labels("SLIC", "PIE");
    digits(101, "PIE");
    labels("DATA", "PER");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in labels!   (SLIC)\n"
                             " <<<< Warning   2: Incorrect parameter in digits!   ( 101)\n"
                             " <<<< Warning   2: Incorrect parameter in labels!   (PER)\n");
    p = pie_label_settings();
    EXPECT_EQ(p.style, 3);
    EXPECT_EQ(p.data_digits, -1);
    int x = 0, y = 0, z = 0;
    getdig(x, y, z);
    EXPECT_EQ((std::vector<int>{x, y, z}), (std::vector<int>{1, 1, 1}));
    std::string lx, ly, lz;
    getlab(lx, ly, lz);
    EXPECT_EQ(lx, "FLOA");
    reset("LABELS");
    reset("DIGITS");
    p = pie_label_settings();
    EXPECT_EQ(p.style, 1);
    EXPECT_EQ(p.data_digits, 1);
    EXPECT_EQ(p.percent_digits, 1);
    close_plot();
}

}  // namespace
}  // namespace korvan::test
