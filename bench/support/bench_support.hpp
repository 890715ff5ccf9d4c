// What the benchmark programs share: the plotting kernel started quietly
// (no end protocol, no windows), a work directory of their own, the clock,
// and gnuplot as the peer they are compared with.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace korvan::bench {

// Makes a new directory below base, named prefix and six more characters,
// and goes into it; an empty path (and the reason on stderr) when it cannot.
std::filesystem::path enter_work_directory(const std::filesystem::path& base, const char* prefix);
// Goes back to base and removes the work directory.
void leave_work_directory(const std::filesystem::path& base, const std::filesystem::path& dir);

// A console that shows nothing and the window driver without windows: the
// messages and the end protocol are not part of the measurements.
void start_quiet_plotting();

double seconds_since(std::chrono::steady_clock::time_point start);

// The first line gnuplot prints for --version, or "" when it cannot be run.
std::string gnuplot_version();

// Writes a gnuplot script and runs it (its messages into gnuplot.log): the
// seconds taken, or a negative value when it fails or, where an output file
// is named, does not write it.
double run_gnuplot(const char* name, const std::string& text, const char* output = nullptr);

}  // namespace korvan::bench
