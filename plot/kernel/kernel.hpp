// Kernel services used by every library routine: the level check, warnings,
// keyword matching, the range check, message output, the vector primitive,
// colour selection and the file naming rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plot/kernel/state.hpp"

namespace korvan {

inline constexpr int warning_table_size = 58;
inline constexpr const char* korvan_version_patch = "B";
inline constexpr double korvan_version = 6.3;

// The text of warning number n (1..58); entry 0 is a single blank.
const char* warning_table_text(int n);

// Level check: records the routine name; returns 0 to go on, 1 to stop
// (warning 3 with the level printed).
int level_check(int low, int high, const char* routine);
// The soft form: levels 1..3, warns at level 0, and the routine goes on.
void soft_level_check(const char* routine);

// Warnings in their three print forms.
void warning(int number);
void warning_text(int number, std::string_view argument);
void warning_int(int number, int argument);
// Installs the text used by the next warning with a number above 100.
void set_warning_text(std::string_view text);

// The 1-based index of the argument's first four letters (upper-cased,
// blank-padded) in a list "AAAA+BBBB+..."; 0 and warning 2 with the argument
// when it is not there.
int keyword_lookup(std::string_view list, int count, std::string_view argument);
// The first four characters of an argument, upper-cased and blank-padded.
std::string keyword4(std::string_view argument);

// 0 when low <= value <= high (no upper bound when high < low), otherwise
// warning 2 with the value and 1.
int range_check(int value, int low, int high);

// A file the library could not create or write completely: warning 36 "File
// error" with the name and the system's reason for the error number (0 when
// the system gave none). When warnings go to the error file the warning is
// shown on the text output as well, so that the user sees it.
void file_error(std::string_view name, int error);
// Warning 36 whose argument is the file name alone: the reason follows on a
// line of its own, " <<<< name: reason!"; both go where the warnings go.
void named_file_error(std::string_view name, int error);
// The same for the plot's own file: the plot counts as not written, so the
// end protocol names no file.
void plot_file_error(std::string_view name, int error);

// Writes text to the message stream (text output or the error file),
// at most 256 characters a print.
void message_print(std::string_view text);
// Counts n characters of a text that no font of the device has (each drawn
// as a replacement) in one warning for the text.
void warn_missing_characters(int n, std::string_view text);

// The vector primitive: one point in plot coordinates to the device; an even
// pen code draws, an odd one moves.
void plot_vector(double x, double y, int pen);
// Whether points of the page reach the device moved: carried onto a plane of
// the 3-D box (GRFINI) or by the base transformation (TRFSHF ...).
bool page_transformed();
// A page point where the device draws it: onto the plane, then through the
// base transformation.
void page_to_device(double& x, double& y);
// Selects colour index 0..255 on the device (the body of SETCLR).
void select_colour(int index);
// Whether the device draws colours outside the table.
bool direct_colours_available();
// Draws in colour 0xRRGGBB from now on, where the device can; the current
// colour index stays as it was, so the caller selects one again afterwards.
void select_direct_colour(std::uint32_t rgb);
// Sends the pending drawing to the device.
void flush_pending();

// The attribute reset: key "ALL " resets every attribute, another RESET key
// (four letters) only the attributes of the routine it names.
void reset_attributes(std::string_view key);

// Warning number of features this build does not have (printed with its own text).
inline constexpr int warning_not_available = 110;
// Warning number of pixels written while drawings land on a plane of the box.
inline constexpr int warning_pixels_on_plane = 130;

// The name to create for a file: kept when absent, otherwise the file mode
// decides (COUNT a new version name, DELETE removes the file, BREAK stops).
std::string file_version(std::string_view name, int file_mode, std::string_view caption);
// The file version rule with the plot state's file mode.
std::string file_version(std::string_view name);
// A name without a directory part prefixed with the current directory.
std::string make_absolute(std::string_view name);

// The default extension of a device code ("" for none).
const char* default_extension(int device_code);
// The command line SYMFIL hands to the host.
std::string symfil_command(std::string_view device, std::string_view status);

// Date "dd.mm.yy" and time "hh:mm:ss" of the local clock.
std::string date_string();
std::string time_string();

// Applies the first-use defaults once.
void first_use_init();

}  // namespace korvan
