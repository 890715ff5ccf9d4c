#include "plat/scroll_steps.hpp"

#include <algorithm>

namespace korvan::plat {

ScrollbarPart scrollbar_part(int pos, int length, int thickness, double slider_size, double fraction)
{
    int track_start = 0;
    int track = length;
    if (length >= 3 * thickness) {
        track_start = thickness;
        track = length - 2 * thickness;
    }
    const int at = pos - track_start;
    if (at < 0)
        return ScrollbarPart::back_arrow;
    if (at >= track)
        return ScrollbarPart::forward_arrow;
    // The thumb is never shorter than half the thickness plus one.
    const int thumb = std::max(static_cast<int>(slider_size * track + 0.5), thickness / 2 + 1);
    int thumb_start = 0;
    if (fraction >= 1.0)
        thumb_start = track - thumb;
    else if (fraction > 0.0)
        thumb_start = static_cast<int>(fraction * (track - thumb) + 0.5);
    if (at < thumb_start)
        return ScrollbarPart::back_page;
    if (at >= thumb_start + thumb)
        return ScrollbarPart::forward_page;
    return ScrollbarPart::thumb;
}

int stepped_value(int value, int delta, int minimum, int maximum)
{
    const long long next = static_cast<long long>(value) + delta;
    return static_cast<int>(std::clamp<long long>(next, minimum, std::max(minimum, maximum)));
}

}  // namespace korvan::plat
