// Settings that change how later drawing looks: the base transformation,
// GRACE, NEGLOG, NOFILL, NOLINE, RVYNAM, SETBAS/SETEXP, PAGHDR and GRDPOL,
// each checked on the points that reach the plot file.
#include "tests/unit/curves_test_support.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "plot/kernel/device.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/base_transforms.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/figures.hpp"
#include "plot/routines/grids.hpp"
#include "plot/routines/page_header.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class SettingsTest : public CurvePlotTest {
protected:
    static Box box_of_points(const Points& p) { return box_of(p); }
};

// TRFSHF, TRFROT and TRFSCL move what follows; TRFRES ends it; each step adds
// to the ones before.
TEST_F(SettingsTest, BaseTransformationMovesTheDrawing)
{
    open_new_plot();
    trfshf(100, 50);
    line(100, 100, 200, 100);  // to (200, 150)-(300, 150)
    trfres();
    trfrot(90, 500, 500);
    line(500, 500, 600, 500);  // turned upward on the page: to (500, 400)
    trfres();
    trfscl(2, 0.5);
    trfshf(10, 0);
    line(100, 1000, 200, 1000);  // scaled, then shifted: (210, 500)-(410, 500)
    trfres();
    line(10, 10, 20, 10);
    Points p = close_plot();
    ASSERT_EQ(p.size(), 8u);
    EXPECT_NEAR(p[0].x, 200, 0.01);
    EXPECT_NEAR(p[0].y, 150, 0.01);
    EXPECT_NEAR(p[1].x, 300, 0.01);
    EXPECT_NEAR(p[3].x, 500, 0.01);
    EXPECT_NEAR(p[3].y, 400, 0.01);
    EXPECT_NEAR(p[4].x, 210, 0.01);
    EXPECT_NEAR(p[4].y, 500, 0.01);
    EXPECT_NEAR(p[5].x, 410, 0.01);
    EXPECT_NEAR(p[7].x, 20, 0.01);
    EXPECT_NEAR(p[7].y, 10, 0.01);
    // A new plot starts without a transformation; a factor of 0 is refused.
    open_new_plot();
    trfscl(0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in trfscl!\n");
    EXPECT_FALSE(state().base_transform.active);
    close_plot();
}

// A device with a font of its own that keeps the texts it is asked to draw.
struct DeviceText {
    double x, y, height, angle;
};
class FontDevice : public Device {
public:
    explicit FontDevice(std::vector<DeviceText>* texts) : texts_(texts) {}
    void open() override {}
    void point(double, double, bool) override { ++points; }
    void colour(int) override {}
    void fill_rect(double, double, double, double, int) override {}
    void new_page() override {}
    bool has_hardware_font() const override { return true; }
    void hardware_text(double x, double y, std::string_view, double height, double angle) override
    {
        texts_->push_back({x, y, height, angle});
    }
    double hardware_text_length(std::string_view text, double height) const override
    {
        return 0.5 * height * static_cast<double>(text.size());
    }
    void close() override {}
    int points = 0;

private:
    std::vector<DeviceText>* texts_;
};

// HWFONT text follows the base transformation as lines do: shifted, turned
// and evenly scaled in the device's font; stretched, in the stroke font.
TEST_F(SettingsTest, HardwareTextFollowsTheBaseTransformation)
{
    std::vector<DeviceText> texts;
    open_new_plot();
    auto owned = std::make_unique<FontDevice>(&texts);
    FontDevice* device = owned.get();
    state().device = std::move(owned);
    hwfont();
    height(40);
    messag("A", 100, 100);  // base line at (100, 139)
    trfshf(100, 50);
    messag("A", 100, 100);
    trfres();
    trfrot(90, 100, 139);
    messag("A", 100, 100);
    trfres();
    trfscl(2, 2);
    messag("A", 100, 100);
    trfres();
    EXPECT_EQ(device->points, 0);
    trfscl(2, 1);
    messag("A", 100, 100);
    EXPECT_GT(device->points, 0);  // the stroke font, stretched
    trfres();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NEAR(texts[0].x, 100, 1e-9);
    EXPECT_NEAR(texts[0].y, 139, 1e-9);
    EXPECT_NEAR(texts[1].x, 200, 1e-9);
    EXPECT_NEAR(texts[1].y, 189, 1e-9);
    EXPECT_NEAR(texts[1].height, texts[0].height, 1e-9);
    EXPECT_NEAR(texts[1].angle, 0, 1e-9);
    EXPECT_NEAR(texts[2].x, 100, 1e-9);
    EXPECT_NEAR(texts[2].y, 139, 1e-9);
    EXPECT_NEAR(texts[2].angle, 90, 1e-9);
    EXPECT_NEAR(texts[3].x, 200, 1e-9);
    EXPECT_NEAR(texts[3].y, 278, 1e-9);
    EXPECT_NEAR(texts[3].height, 2 * texts[0].height, 1e-9);
    state().device.reset();
    korfin();
    take_output();
}

// GRACE lets a curve reach beyond the axis system before it is cut.
TEST_F(SettingsTest, GraceWidensTheCurveClipping)
{
    open_unit_axes();
    grace(20);
    std::vector<float> x{500, 1200};
    std::vector<float> y{500, 500};
    curve(x, y, 2);
    Points p = drawn();
    ASSERT_FALSE(p.empty());
    EXPECT_NEAR(p.back().x, unit_x(1000) + 20, 0.5);
}

// NEGLOG: values not above 0 on a log axis stand at its value instead of
// refusing the curve.
TEST_F(SettingsTest, NeglogDrawsNonPositiveValues)
{
    open_plot();
    setgrf("NONE", "NONE", "NONE", "NONE");
    frame(0);
    axspos(100, 1500);
    axslen(1001, 1001);
    scale("LOG", "Y");
    graf(0, 1000, 0, 100, -1, 2, -1, 1);
    std::vector<float> x{100, 200, 300};
    std::vector<float> y{10, 0, 10};
    mark();
    curve(x, y, 3);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in curve!\n");
    neglog(0.1);
    curve(x, y, 3);
    Points p = drawn();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NEAR(p[1].y, 1500, 0.5);  // 0.1 is the bottom of the axis
}

// NOFILL: a filled figure leaves only its outline.
TEST_F(SettingsTest, NofillDrawsOutlinesOnly)
{
    open_new_plot();
    shdpat(16);
    nofill();
    sector(500, 500, 0, 100, 0, 90, 3);
    Points p = close_plot();
    Box b = box_of(p);
    EXPECT_LT(p.size(), 40u);  // an outline, not hundreds of fill lines
    EXPECT_NEAR(b.x1, 600, 1);
    EXPECT_NEAR(b.y0, 400, 1);
}

// NOLINE leaves out the axis line; ticks stay. RVYNAM turns the Y name.
TEST_F(SettingsTest, NolineAndRvynamChangeTheAxes)
{
    open_new_plot();
    setgrf("NONE", "TICKS", "NONE", "NONE");
    frame(0);
    axspos(100, 1500);
    axslen(1001, 1001);
    noline("Y");
    graf(0, 1000, 0, 100, 0, 1000, 0, 200);
    endgrf();
    Points p = close_plot();
    // The ticks lie left of the axis; nothing runs along it.
    for (std::size_t i = 1; i < p.size(); ++i) {
        if (p[i].draw) {
            EXPECT_FALSE(near(p[i].x, p[i - 1].x, 0.01) && std::fabs(p[i].y - p[i - 1].y) > 100) << i;
        }
    }
    EXPECT_FALSE(p.empty());

    open_new_plot();
    setgrf("NONE", "NAME", "NONE", "NONE");
    frame(0);
    axspos(100, 1500);
    axslen(1001, 1001);
    name("Name", "Y");
    mark();
    graf(0, 1000, 0, 100, 0, 1000, 0, 200);
    endgrf();
    Box upward = box_of(drawn());
    open_new_plot();
    setgrf("NONE", "NAME", "NONE", "NONE");
    frame(0);
    axspos(100, 1500);
    axslen(1001, 1001);
    name("Name", "Y");
    rvynam();
    mark();
    graf(0, 1000, 0, 100, 0, 1000, 0, 200);
    endgrf();
    Box downward = box_of(drawn());
    // The same place beside the axis, the same extent.
    EXPECT_NEAR(downward.x0, upward.x0, 2);
    EXPECT_NEAR(downward.x1, upward.x1, 2);
    EXPECT_NEAR(downward.y0, upward.y0, 2);
    EXPECT_NEAR(downward.y1, upward.y1, 2);
}

// SETBAS moves raised text further up; SETEXP makes it smaller.
TEST_F(SettingsTest, RaisedTextAndZeroLabels)
{
    open_new_plot();
    mixalf();
    double plain = 0;
    {
        mark();
        messag("A[2", 100, 500);
        plain = box_of(drawn()).y0;
    }
    open_new_plot();
    mixalf();
    setbas(1.0);
    mark();
    messag("A[2", 100, 500);
    double higher = box_of(drawn()).y0;
    EXPECT_LT(higher, plain - 5);
    open_new_plot();
    mixalf();
    setexp(0.5);
    mark();
    messag("A[2", 100, 500);
    double smaller = box_of(drawn()).y0;
    EXPECT_GT(smaller, plain + 3);
    close_plot();
}

// PAGHDR: the header line in each corner, 40 units from the two edges (the
// glyphs' side bearings and the descender of "g" add up to some 12 units).
TEST_F(SettingsTest, PageHeaderInTheCorners)
{
    for (int corner = 1; corner <= 4; ++corner) {
        for (int direction = 0; direction <= 1; ++direction) {
            open_new_plot();
            paghdr("Run ", " draft", corner, direction);
            Box b = box_of(close_plot());
            double w = state().page_width;
            double h = state().page_height;
            bool left = corner == 1 || corner == 4;
            bool lower = corner == 1 || corner == 2;
            SCOPED_TRACE(testing::Message() << corner << " " << direction);
            EXPECT_GT(b.count, 100);
            if (left)
                EXPECT_NEAR(b.x0, 40, 15);
            else
                EXPECT_NEAR(b.x1, w - 40, 15);
            if (lower)
                EXPECT_NEAR(b.y1, h - 40, 15);
            else
                EXPECT_NEAR(b.y0, 40, 15);
            EXPECT_EQ(direction == 0, b.x1 - b.x0 > b.y1 - b.y0);
        }
    }
    open_new_plot();
    paghdr("", "", 5, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in paghdr!   (   5)\n");
    close_plot();
}

// GRDPOL: radial lines and circles around the middle of the axis system.
TEST_F(SettingsTest, PolarGridAroundTheMiddle)
{
    open_unit_axes();
    grdpol(4, 2);
    Points p = drawn();
    Box b = box_of(p);
    EXPECT_NEAR(b.x0, unit_x(0), 1);
    EXPECT_NEAR(b.x1, unit_x(1000), 1);
    EXPECT_NEAR(b.y0, unit_y(1000), 1);
    EXPECT_NEAR(b.y1, unit_y(0), 1);
    // The first radial line runs from the middle to the right side.
    ASSERT_GE(p.size(), 2u);
    EXPECT_NEAR(p[0].x, unit_x(500), 0.5);
    EXPECT_NEAR(p[1].x, unit_x(1000), 0.5);
    EXPECT_NEAR(p[1].y, unit_y(500), 0.5);
}

}  // namespace
}  // namespace korvan::test
