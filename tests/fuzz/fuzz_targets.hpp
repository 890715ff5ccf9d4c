// The fuzz targets: one function for every reader of outside input, taking
// any bytes. The libFuzzer binaries (tests/fuzz/run_all.sh, clang) and the
// replay of the committed corpora (fuzz_replay, every compiler) call the same
// functions. A target aborts where a reader delivers what it never may.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvan::fuzz {

using Bytes = std::span<const std::uint8_t>;

struct Target {
    const char* name;  // also the corpus directory tests/fuzz/corpora/<name>
    void (*run)(Bytes input);
};

// Every target, in a fixed order.
std::span<const Target> targets();
// The target of that name; nullptr when there is none.
const Target* find_target(std::string_view name);

// Once per process: output to nowhere, no display, a scratch directory as the
// current directory (the targets write their files there).
void prepare_process();
// A fresh plot state and window driver, started as kflrun starts them
// (a korconv run leaves its driver ended).
void fresh_plot_state();
// The scratch directory (under /tmp, made by prepare_process).
const std::string& scratch_dir();
// Writes the bytes to a file in the scratch directory.
void write_file(const std::string& name, Bytes input);
std::string_view text_of(Bytes input);
// Stops the run when a reader broke a promise (the fuzzer reports it as a crash).
void require(bool condition, const char* what);

// The targets.
void fuzz_statement(Bytes input);
void fuzz_script(Bytes input);
void fuzz_gksvan(Bytes input);
void fuzz_cgm(Bytes input);
void fuzz_hpgl(Bytes input);
void fuzz_postscript(Bytes input);
void fuzz_incfil(Bytes input);
void fuzz_tiff(Bytes input);
void fuzz_bitmap_dump(Bytes input);
void fuzz_data_file(Bytes input);
void fuzz_formatted_input(Bytes input);
void fuzz_map_data(Bytes input);
void fuzz_korconv_command_line(Bytes input);

}  // namespace korvan::fuzz
