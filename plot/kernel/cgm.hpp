// Binary CGM: big-endian 16-bit words written through the record buffer in
// blocks of 80 bytes. One picture holds every page: NEWPAG moves the drawing
// to the right along a strip of pages.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace korvan {

class Device;

// VDC are 16-bit integers from -32767 to 32767: 65534 units of 0.05 mm.
inline constexpr int cgm_vdc_low = -32767;
inline constexpr int cgm_vdc_span = 65534;
// Points of one POLYLINE element.
inline constexpr int cgm_polyline_limit = 50;
// Plot units between two pages of the strip.
inline constexpr int cgm_page_gap = 100;

// Element classes and ids.
inline constexpr int cgm_class_delimiter = 0;
inline constexpr int cgm_id_begin_metafile = 1;
inline constexpr int cgm_id_end_metafile = 2;
inline constexpr int cgm_class_primitive = 4;
inline constexpr int cgm_id_polyline = 1;
inline constexpr int cgm_class_attribute = 5;
inline constexpr int cgm_id_line_colour = 4;
// The short-form length that announces a long-form length word.
inline constexpr int cgm_long_form = 31;

// The 104 bytes every file starts with: metafile descriptor, picture and
// picture body start.
std::string_view cgm_header();

// A device coordinate (plot units times the device scale) as a VDC; values
// outside the VDC space are put on its edge.
int cgm_vdc(double scaled);

std::unique_ptr<Device> make_cgm_device();

}  // namespace korvan
