// Bar graphs: BARS with its orientation, positions, width, groups and labels.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

void bars(std::span<const float> x, std::span<const float> y1, std::span<const float> y2, int n);
void bartyp(std::string_view option);
void barpos(std::string_view option);
void bargrp(int n, double gap);

}  // namespace korvan
