// Legends: the legend buffer of the caller with one text line per curve, and
// the box drawn with each curve's pattern, symbol and colour beside its text.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

void legini(std::span<char> buffer, int nlin, int nmaxln);
void leglin(std::span<char> buffer, std::string_view text, int ilin);
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

// Warning number of "Undefined legend line" (printed with its own text).
inline constexpr int warning_undefined_legend_line = 106;

}  // namespace korvan
