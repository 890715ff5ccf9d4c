// Legends: the legend buffer of the caller with one text line per curve, and
// the box drawn with each curve's pattern, symbol and colour beside its text.
#pragma once

#include <span>
#include <string>
#include <utility>
#include <string_view>

namespace korvan {

void legini(std::span<char> buffer, int nlin, int nmaxln);
// The buffer's lines hold characters: a line with UTF-8 text is longer in
// bytes, and the buffer grows or shrinks to keep the lines that follow.
void leglin(std::string& buffer, std::string_view text, int ilin);
void legtit(std::string_view title);
void legpos(int nx, int ny);
void legopt(double xf1, double xf2, double xf3);
void legclr();
// The pattern of one legend line given explicitly instead of its curve's:
// line style (-1 none), thickness, symbol (-1 none), colour, shading pattern
// (-1 none).
void legpat(int ityp, int ithk, int isym, int iclr, int ipat, int ilin);
void legend(std::span<const char> buffer, int ncor);
int nxlegn(std::string_view buffer);
int nylegn(std::string_view buffer);

// The bytes of line i (1-based) of a legend buffer: where it starts and where
// the next line begins. Lines hold NMAXLN characters, not bytes.
std::pair<std::size_t, std::size_t> legend_line_bytes(std::string_view buffer, int i);

// Warning number of "Undefined legend line" (printed with its own text).
inline constexpr int warning_undefined_legend_line = 106;

}  // namespace korvan
