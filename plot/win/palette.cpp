#include "plot/win/palette.hpp"

#include <algorithm>

namespace korvan::win {

int colour_index(int index) { return ((index % 256) + 256) % 256; }

int palette_mode_for_depth(int bits_per_pixel)
{
    if (bits_per_pixel == 4)
        return 2;
    if (bits_per_pixel == 8)
        return 1;
    if (bits_per_pixel > 8)
        return 3;
    return 0;
}

int palette_size(int mode)
{
    switch (mode) {
    case 1: return 129;
    case 2: return 16;
    default: return 256;
    }
}

int stored_offset(int mode) { return (mode == 1 || mode == 3) ? 10 : 0; }

namespace {
// 1..254 spread over 1..14 and back.
int fold_to_16(int index)
{
    if (index == 0)
        return 0;
    if (index == 255)
        return 15;
    return static_cast<int>((index - 1) * 0.05138339920948616 + 1.5);
}

int unfold_from_16(int k)
{
    if (k == 0)
        return 0;
    if (k == 15)
        return 255;
    return static_cast<int>((k - 1) * 19.461538461538463 + 1.5);
}
}  // namespace

int pen_palette_index(int mode, TableKind kind, int reduction, int index)
{
    const int i = colour_index(index);
    switch (kind) {
    case TableKind::small:
        if (i == 0)
            return 0;
        return i % 8 == 0 ? 8 : i % 8;
    case TableKind::vga:
        return i % 16;
    case TableKind::full:
        break;
    }
    if (mode == 1) {
        if (reduction == 1)
            return i;
        if (reduction == 2)
            return i % 128;
        return (i + 1) / 2;
    }
    // 16 colours (and screens without a palette).
    return reduction != 0 ? i % 16 : fold_to_16(i);
}

int palette_entries_loaded(int mode, TableKind kind)
{
    if (kind == TableKind::small)
        return 9;
    if (kind == TableKind::vga)
        return 16;
    return palette_size(mode);
}

int palette_source_entry(int mode, TableKind kind, int reduction, int i)
{
    if (kind != TableKind::full || palette_size(mode) == 256)
        return std::clamp(i, 0, 255);
    if (reduction != 0)
        return std::clamp(i, 0, 255);
    if (mode == 2)
        return unfold_from_16(std::clamp(i, 0, 15));
    return i > 0 ? std::min(2 * i - 1, 255) : 0;
}

bool pixel_mapping_active(int mode, TableKind kind)
{
    return palette_size(mode) != 256 && kind == TableKind::full;
}

int pixel_store(int mode, TableKind kind, int reduction, bool mapping, int index)
{
    const int i = colour_index(index);
    if (mode == 2 || mode == 0) {
        // 16 colours hold palette indices only.
        if (mapping)
            return reduction != 0 ? i % 16 : fold_to_16(i);
        return pen_palette_index(mode, kind, reduction, i) & 15;
    }
    if (reduction == 1)
        return i;
    if (mode == 1 && mapping) {
        if (reduction == 2)
            return i % 128 + 10;
        return (i + 1) / 2 + 10;
    }
    return (i + 10) % 256;
}

int pixel_read(int mode, int reduction, bool mapping, int stored)
{
    const int s = stored & 0xFF;
    if (mode == 2 || mode == 0) {
        if (mapping && reduction == 0)
            return unfold_from_16(s & 15);
        return s;
    }
    if (reduction == 1)
        return s;
    // Stored values wrap like the byte they are, so that reads are exact.
    int k = (s + 246) % 256;
    if (mode == 1 && mapping && reduction == 0 && k > 0)
        k = std::min(2 * k - 1, 255);
    return k;
}

}  // namespace korvan::win
