// The reader of the map data files (bdta<n>.dat).
#include <cmath>
#include <string>
#include <vector>

#include "plot/routines/map_data.hpp"
#include "tests/fuzz/fuzz_targets.hpp"

namespace korvan::fuzz {

void fuzz_map_data(Bytes input)
{
    std::vector<std::int32_t> values = map_values(input);
    require(values.size() == input.size() / 4, "map values of part words");
    for (const MapRing& ring : decode_map_data(values)) {
        require(ring.points.size() >= 2, "map line of one point");
        for (const FillPoint& p : ring.points)
            require(std::fabs(p.x) <= 360 && std::fabs(p.y) <= 180, "map point beyond the globe");
    }
    // The same bytes as the file the routines read.
    write_file("bdta9.dat", input);
    std::vector<MapRing> rings;
    std::string name;
    read_map_file(9, rings, name);
}

}  // namespace korvan::fuzz
