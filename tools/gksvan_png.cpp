// gksvan_png <metafile> <picture.png> [width] [screen]: renders a GKSVAN plot
// file as PNG (white paper by default, "screen" for the black screen look).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/support/gksvan_raster.hpp"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: gksvan_png <metafile> <picture.png> [width] [screen]\n");
        return 2;
    }
    korvan::test::RasterOptions options;
    if (argc > 3)
        options.width = std::atoi(argv[3]);
    if (argc > 4 && std::strcmp(argv[4], "screen") == 0)
        options.paper = false;
    korvan::plat::Picture picture;
    korvan::test::RasterResult result = korvan::test::render_gksvan(argv[1], picture, options);
    if (!result.ok) {
        std::fprintf(stderr, "gksvan_png: %s is not a readable GKSVAN file\n", argv[1]);
        return 1;
    }
    if (!result.complete)
        std::fprintf(stderr, "gksvan_png: %s has no end field\n", argv[1]);
    if (int error = korvan::plat::write_png(argv[2], picture); error != 0) {
        std::fprintf(stderr, "gksvan_png: cannot write %s: %s\n", argv[2], std::strerror(error));
        return 1;
    }
    return 0;
}
