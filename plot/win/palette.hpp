// Colour folding of the screen driver: how colour indices 0..255 become
// palette indices on 4- and 8-bit screens, how a colour table fills the
// palette, and how pixel values are stored and read back.
#pragma once

namespace korvan::win {

// The colour table loaded last: the small table (9 colours), the VGA table
// (16 colours) or a table of 256 colours.
enum class TableKind { small, vga, full };

// Palette modes: 0 no palette, 1 palette of 129 entries (8 bits per pixel),
// 2 palette of 16 entries (4 bits per pixel), 3 true colour.
int palette_mode_for_depth(int bits_per_pixel);
// Entries of the palette (256 without a palette object).
int palette_size(int mode);
// Added to a palette index in the stored pixel value (the screen's fixed
// colours come first on 8-bit screens; true colour keeps the same offset).
int stored_offset(int mode);

// The palette index a pen or fill of colour index takes in modes 0-2.
int pen_palette_index(int mode, TableKind kind, int reduction, int index);

// Palette entries set when a table of this kind is loaded.
int palette_entries_loaded(int mode, TableKind kind);
// The colour-table entry that palette entry i takes.
int palette_source_entry(int mode, TableKind kind, int reduction, int i);

// Index mapping of pixel access: active with a palette of other than 256
// entries while a 256-colour table is loaded.
bool pixel_mapping_active(int mode, TableKind kind);
// The stored value of a pixel written with colour index.
int pixel_store(int mode, TableKind kind, int reduction, bool mapping, int index);
// The colour index read back from a stored value (0..255).
int pixel_read(int mode, int reduction, bool mapping, int stored);

// A colour index brought into 0..255 (remainder of 256, never negative).
int colour_index(int index);

}  // namespace korvan::win
