// Map projections: the projection settings (PROJCT, MAPPOL, MAPREF, MAPSPH,
// MAPMOD), the map axis system GRAFMP with its axes XAXMAP and YAXMAP, curves
// and grids in longitude and latitude (CURVMP, GRIDMP), and the coastlines and
// shaded continents of the map data files (WORLD, SHDMAP), shaded countries
// of Europe (SHDEUR).
#pragma once

#include <span>
#include <string_view>

namespace korvan {

void projct(std::string_view keyword);
void mappol(double lon, double lat);
void mapref(double lat1, double lat2);
void mapsph(double angle);
void mapmod(std::string_view mode);

void grafmp(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep);
// A map axis of longitudes along the width of the map axis system at plot
// height ny, labels below it (it = 0) or above it (it = 1); YAXMAP a map axis
// of latitudes along its height at plot x nx, labels left (0) or right (1).
void xaxmap(double a, double b, double orig, double step, std::string_view cstr, int it, int ny);
void yaxmap(double a, double b, double orig, double step, std::string_view cstr, int it, int nx);

void curvmp(std::span<const float> x, std::span<const float> y, int n);
void gridmp(int nx, int ny);
void world();
void shdmap(std::string_view region);
// The countries INRAY[i] (ISO 3166-1 numeric codes; Kosovo 900, Northern
// Cyprus 901) of the country file bdta8.dat, i < n: each filled with SHDPAT
// pattern IPRAY[i] (0: none) in colour index ICRAY[i] and outlined in that
// colour. An unknown country, a bad pattern or colour, or n beyond the arrays
// warns and draws nothing; the current pattern and colour stay.
void shdeur(std::span<const int> inray, std::span<int> ipray, std::span<const int> icray, int n);

}  // namespace korvan
