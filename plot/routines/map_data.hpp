// The map data files "bdta" + number + ".dat": blocks of 20 little-endian
// signed 32-bit integers. A value times 0.001 is a coordinate, in pairs
// (longitude + 180, latitude + 90); a value below -1 starts a new polyline,
// -2000 and -3000 select the drawing form (land outlines, lake shores),
// -(100000 + n) starts the outlines of country n (n from 1 to 999, the
// country file of SHDEUR) and -9000 ends the data.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plot/routines/fill.hpp"

namespace korvan {

enum class MapForm { land, lake };

// One polyline of a map data file, in degrees (x longitude, y latitude).
struct MapRing {
    MapForm form = MapForm::land;
    int country = 0;  // the country whose outlines it belongs to; 0 none
    std::vector<FillPoint> points;
};

// Polylines of the file's values, up to -9000 or the end. Pairs outside the
// globe and half pairs are dropped; a polyline needs two points.
std::vector<MapRing> decode_map_data(std::span<const std::int32_t> values);

// The values of the bytes of a map data file: whole 32-bit values only.
std::vector<std::int32_t> map_values(std::span<const unsigned char> bytes);

// Reads map data file `number`: from the KORVAN directory, else from the
// current directory. Returns 0, or when neither opens the system's error
// number of the first attempt; `name` is the file name tried first.
int read_map_file(int number, std::vector<MapRing>& rings, std::string& name);

}  // namespace korvan
