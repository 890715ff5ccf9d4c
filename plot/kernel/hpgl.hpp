// HPGL for pen plotters: "HPGL" in plotter units (0.025 mm) and "HPA4" to
// "HPA1" fitted to the plotter paper. Commands end with ";" and carry no
// blanks; lines of at most 80 characters through the record buffer.
#pragma once

#include <memory>

namespace korvan {

class Device;

// The device scale of an HPGL device code for a page of W x H (plot
// coordinates, size minus one), scaling mode and scaling factor.
double hpgl_device_scale(int device_code, int width, int height, int scaling_mode, double factor);

std::unique_ptr<Device> make_hpgl_device(int device_code);

}  // namespace korvan
