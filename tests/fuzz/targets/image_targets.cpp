// The readers of pictures: TIFF files (RTIFF) and bitmap dumps (RIMAGE).
#include <vector>

#include "plot/kernel/raster.hpp"
#include "plot/kernel/raster_dump.hpp"
#include "plot/kernel/tiff.hpp"
#include "tests/fuzz/fuzz_targets.hpp"

namespace korvan::fuzz {

void fuzz_tiff(Bytes input)
{
    write_file("picture.tif", input);
    TiffReader reader;
    if (reader.open("picture.tif") != TiffStatus::ok)
        return;
    require(reader.width() >= 1 && reader.height() >= 1, "TIFF image without pixels");
    std::vector<std::uint8_t> row(static_cast<std::size_t>(reader.width()));
    for (int y = 0; y < reader.height(); ++y)
        if (!reader.read_row(y, row.data()))
            return;
}

void fuzz_bitmap_dump(Bytes input)
{
    write_file("picture.dmp", input);
    Raster raster;
    require(raster.create(37, 23), "no raster");
    read_raster_dump("picture.dmp", raster);
    require(raster.width() == 37 && raster.height() == 23, "the dump changed the raster's size");
}

}  // namespace korvan::fuzz
