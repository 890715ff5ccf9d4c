// The attribute reset of the map projection attributes.
#include "plot/kernel/map_state.hpp"

#include "plot/kernel/state.hpp"

namespace korvan {

void reset_map_attributes(PlotState& s, std::string_view key)
{
    MapAttributes& a = s.maps;
    const MapAttributes d;
    bool all = key == "ALL ";
    if (all || key == "PROJ")
        a.projection = d.projection;
    if (all || key == "MAPP") {
        a.centre_lon = d.centre_lon;
        a.centre_lat = d.centre_lat;
    }
    if (all || key == "MAPR") {
        a.reference1 = d.reference1;
        a.reference2 = d.reference2;
        a.reference_given = d.reference_given;
    }
    if (all || key == "MAPS")
        a.sphere_limit = d.sphere_limit;
    if (all || key == "MAPM")
        a.line_mode = d.line_mode;
}

}  // namespace korvan
