#include "plot/kernel/image_settings.hpp"

#include "plot/kernel/state.hpp"

namespace korvan {

void reset_image_settings(PlotState& s, std::string_view key)
{
    if (key != "ALL ")
        return;
    // Pixel access is no attribute: it lasts from IMGINI to IMGFIN.
    const bool access = s.image.pixel_access;
    s.image = ImageSettings{};
    s.image.pixel_access = access;
}

}  // namespace korvan
