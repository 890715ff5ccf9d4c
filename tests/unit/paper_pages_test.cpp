// The file names of the pages of SVG and PNG plots.
#include <gtest/gtest.h>

#include "plot/devices/paper_device.hpp"

namespace korvan {
namespace {

TEST(PaperPages, PagesAreNumberedBeforeTheExtension)
{
    EXPECT_EQ(page_file_name("korvan.svg", 2), "korvan-2.svg");
    EXPECT_EQ(page_file_name("korvan_1.png", 12), "korvan_1-12.png");
    EXPECT_EQ(page_file_name("out/figure.v2.svg", 2), "out/figure.v2-2.svg");
    // A dot of a directory is no extension.
    EXPECT_EQ(page_file_name("/tmp/run.d/plot", 3), "/tmp/run.d/plot-3");
    EXPECT_EQ(page_file_name("dir.x\\pic", 2), "dir.x\\pic-2");
    EXPECT_EQ(page_file_name("plot", 2), "plot-2");
}

}  // namespace
}  // namespace korvan
