// The attribute reset of the map projection attributes.
#include "plot/kernel/map_state.hpp"

#include "plot/kernel/member_copy.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

void reset_map_attributes(PlotState& s, std::string_view key)
{
    using M = MapAttributes;
    AttributeReset<M>(s.maps, key)
        .on("PROJ", &M::projection)
        .on("MAPP", &M::centre_lon, &M::centre_lat)
        .on("MAPR", &M::reference1, &M::reference2, &M::reference_given)
        .on("MAPS", &M::sphere_limit)
        .on("MAPM", &M::line_mode);
}

}  // namespace korvan
