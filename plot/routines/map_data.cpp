// Reading the map data files.
#include "plot/routines/map_data.hpp"

#include <cerrno>
#include <cstdio>
#include <string>

#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan {

namespace {

constexpr std::int32_t new_line = -1;  // values below start a new polyline
constexpr std::int32_t land_form = -2000;
constexpr std::int32_t lake_form = -3000;
constexpr std::int32_t end_of_data = -9000;
constexpr std::int32_t country_mark = -100000;  // minus the country number
constexpr std::int32_t country_limit = 999;
constexpr std::size_t block_bytes = 80;  // 20 values
// More than any outline file holds: a longer file is read this far.
constexpr std::size_t file_limit = 16u << 20;

}  // namespace

std::vector<std::int32_t> map_values(std::span<const unsigned char> bytes)
{
    std::vector<std::int32_t> values(bytes.size() / 4);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const unsigned char* b = bytes.data() + 4 * i;
        std::uint32_t u = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                          static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
        values[i] = static_cast<std::int32_t>(u);
    }
    return values;
}

std::vector<MapRing> decode_map_data(std::span<const std::int32_t> values)
{
    std::vector<MapRing> rings;
    MapRing ring;
    bool half = false;
    double x = 0;
    auto finish = [&]() {
        if (ring.points.size() >= 2)
            rings.push_back(ring);
        ring.points.clear();
        half = false;
    };
    for (std::int32_t v : values) {
        if (v < new_line) {
            finish();
            if (v == end_of_data)
                break;
            if (v == land_form)
                ring.form = MapForm::land;
            else if (v == lake_form)
                ring.form = MapForm::lake;
            else if (v < country_mark && v >= country_mark - country_limit)
                ring.country = country_mark - v;
            continue;
        }
        if (!half) {
            x = v * 0.001 - 180;
            half = true;
            continue;
        }
        half = false;
        double y = v * 0.001 - 90;
        if (x < -180 || x > 180 || y < -90 || y > 90) {
            finish();  // not on the globe: the outline breaks here
            continue;
        }
        ring.points.push_back({x, y});
    }
    finish();
    return rings;
}

int read_map_file(int number, std::vector<MapRing>& rings, std::string& name)
{
    char file[32];
    std::snprintf(file, sizeof file, "bdta%d.dat", number);
    name = plat::join_path(plat::installation_dir(), file);
    errno = 0;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    const int error = f == nullptr ? (errno != 0 ? errno : EIO) : 0;
    if (f == nullptr)
        f = std::fopen(file, "rb");
    if (f == nullptr)
        return error;
    std::vector<unsigned char> bytes;
    unsigned char block[block_bytes];
    std::size_t got = 0;
    while (bytes.size() < file_limit && (got = std::fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(f);
    rings = decode_map_data(map_values(bytes));
    return 0;
}

}  // namespace korvan
