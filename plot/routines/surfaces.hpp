// Surfaces in the GRAF3D box: SURFCE and SURMAT as meshes of lines with
// hidden lines removed, SURSHD as cells filled in the colours of their Z
// values as the surface shading of SHDMOD says, painted from back to front;
// SURVIS, SURCLR and SURSZE.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

void surfce(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z);
void surmat(std::span<const float> z, int nx, int ny, int ixp, int iyp);
void surshd(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z);
// SURFCE and SURMAT draw every line of the mesh, also those that the
// surface hides (no covering of the cells behind); SURVIS still chooses the
// sides shown, SURSHD is not affected.
void nohide();
void survis(std::string_view option);
void surclr(int top, int bottom);
void sursze(double xa, double xe, double ya, double ye);

// The most cells the hidden-line buffer holds: each cell takes four bytes
// there while the surface is drawn.
inline constexpr long surface_cell_limit = 16000000;

}  // namespace korvan
