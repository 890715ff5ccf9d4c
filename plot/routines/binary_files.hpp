// Binary files of the library: a script opens a file under a unit number of
// its choice and reads and writes raw bytes from and into its arrays.
//
// Units are 0..99; at most 20 files are open at once. Modes of
// OPENFL: 0 read an existing file, 1 write a new file (an existing one is
// emptied), 2 append (the file is made when missing), 3 read and write an
// existing file in place. Nothing is made or emptied in modes 0 and 3.
// Every function returns -1 on failure and warns: a unit or mode out of range
// or a byte count out of range of the array gives warning 2 with the value,
// a unit that is not open (or already open for OPENFL) its own warning, a
// file that cannot be opened warning 36 with its name.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace korvan {

inline constexpr int binary_unit_limit = 99;

// Opens the file under unit nlu in mode irw; returns 0.
int openfl(std::string_view name, int nlu, int irw);
// Closes the unit; 0.
int closfl(int nlu);
// Reads up to n bytes into the array; returns the number read (0 at the end).
int readfl(int nlu, std::span<std::byte> bytes, int n);
// Writes the first n bytes of the array; returns the number written.
int writfl(int nlu, std::span<const std::byte> bytes, int n);
// Moves n bytes on (back for a negative n); returns the new position.
int skipfl(int nlu, int n);
// The current position in bytes from the start.
int tellfl(int nlu);
// Moves to byte npos from the start; returns 0.
int posifl(int nlu, int npos);

}  // namespace korvan
