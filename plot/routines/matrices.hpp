// Matrices whose points are spread evenly over the axis system: CONMAT draws
// contour lines of them, CRVMAT coloured cells; MDFMAT sets the smoothing of
// matrices made from scattered points.
#pragma once

#include <span>
#include <vector>

namespace korvan {

struct AxisTransform;

// CONMAT(ZMAT, N, M, ZLEV): the contour line of level zlev through the n by m
// matrix z (z[i * m + j]), whose point (i, j) stands at the i-th of n values
// spread evenly from the start to the end of the X axis and the j-th of m
// values along the Y axis (evenly in the exponent on a log axis); otherwise
// as CONTUR, with its checks and labels. Level 2 or 3.
void conmat(std::span<const float> z, int n, int m, double zlev);

// CRVMAT(ZMAT, N, M, IXPTS, IYPTS): the matrix as coloured cells in a GRAF3
// axis system (level 3). The matrix points are spread over the axes as in
// CONMAT; every cell between four of them gets ixpts by iypts points whose Z
// values are interpolated bilinearly from its corners, so that
// (n - 1) * ixpts + 1 by (m - 1) * iypts + 1 points cover the axis system.
// Each point is a rectangle centred on it in the colour of its Z value on the
// colour bar, as CURVE3 draws: as large as SETRES or AUTRES say, and without
// either as large as the distance between the points, so that they tile the
// axis system (cut at its edges).
void crvmat(std::span<const float> z, int n, int m, int ixpts, int iypts);

// MDFMAT(NITER, NSTEP, WEIGHT): the smoothing of matrices made from scattered
// points: niter passes (>= 1), each averaging the points within nstep grid
// steps (>= 1), weighted by the inverse distance to the power weight (>= 0).
// Defaults 4, 1 and 2; RESET("MDFMAT") restores them. No routine of the
// routine table makes matrices from scattered points (there is no gridding
// routine), so the settings are only kept in the plot state, checked and
// reset, and no drawing depends on them.
void mdfmat(int niter, int nstep, double weight);

// n user values spread evenly from the start to the end of an axis (evenly in
// the exponent on a log axis).
std::vector<float> spread_over_axis(const AxisTransform& t, int n);

}  // namespace korvan
