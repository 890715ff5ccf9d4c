// The output formats of this build, by device code.
#include "plot/devices/paper_device.hpp"
#include "plot/kernel/cgm.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/hpgl.hpp"
#include "plot/kernel/kyocera.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/raster_device.hpp"
#include "plot/kernel/screen_device.hpp"

namespace korvan {

std::unique_ptr<Device> make_device(int device_code)
{
    switch (device_code) {
    case 201:  // GKSVAN metafile
    case 250:  // its converter variant
        return make_gksvan_device();
    case 211:  // CGM
        return make_cgm_device();
    case 301:  // Kyocera
    case 350:  // its converter variant
        return make_kyocera_device();
    case 401: case 402: case 403: case 404: case 405:  // HPGL, plain and fitted to A4..A1
        return make_hpgl_device(device_code);
    case 501:  // PostScript, black and white
    case 502:  // PostScript, colour
        return make_postscript_device(device_code);
    case 75: case 76: case 77: case 78: case 79: case 80:  // screen windows
        return make_screen_device(device_code);
    case 601: case 602: case 603:  // rasters written as TIFF, as a dump, or kept in memory
        return make_raster_device(device_code);
    case dev_pdf:
        return make_pdf_device();
    case dev_svg:
        return make_svg_device();
    case dev_png:
        return make_png_device();
    default:
        // Terminal emulations have no writer in this build.
        return nullptr;
    }
}

}  // namespace korvan
