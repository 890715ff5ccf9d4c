// The page description language of Kyocera laser printers: text commands
// ending with ";", coordinates in dots (300 per inch) from the upper left
// corner of the paper, lines of at most 80 characters. Monochrome: filled
// rectangles are drawn in one of nine 8 x 8 dot patterns.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace korvan {

class Device;

inline constexpr int kyocera_pattern_count = 9;

// The eight row bytes of fill pattern p (1..9).
const std::array<std::uint8_t, 8>& kyocera_pattern(int p);

// The fill pattern of a colour 0xRRGGBB: its brightness in nine steps, so the
// foreground (white on the screen, black on paper) is solid and the
// background (black) is left empty (0).
int kyocera_fill_code(std::uint32_t rgb);

// The device scale for a page of W x H (plot coordinates, size minus one),
// scaling mode and scaling factor.
double kyocera_device_scale(int width, int height, int scaling_mode, double factor);

std::unique_ptr<Device> make_kyocera_device();

}  // namespace korvan
