// What the launcher's fields ask for, and the kflrun command line made of it.
#pragma once

#include <array>
#include <string>

namespace korvan::launcher {

// The device list in its order; "None" gives no device option.
inline constexpr std::array<const char*, 9> device_names = {"None", "CONS", "XWIN", "GKSV", "CGM",
                                                            "POST", "PSCL", "HPGL", "KYOC"};

// Fields are read with at most this many characters.
inline constexpr std::size_t field_limit = 79;

struct LaunchRequest {
    std::string script;
    std::string data_file;
    std::string include_file;
    int device = 0;  // index into device_names
    bool output_window = false;
    std::string arguments;
};

// The command line: the installation directory's "win" sub-directory with
// kflrun (or the program given), then the script, -F=, -I=, -D=, -o and the
// arguments, each only when given.
std::string launch_command(const LaunchRequest& request, const std::string& installation_dir,
                           const std::string& kflrun = "");

// The kflrun to start: the installation's "win/kflrun" when it exists,
// otherwise the kflrun beside the launcher (a build tree) when that exists,
// otherwise "" (the installation's path is used and its start fails).
std::string kflrun_program(const std::string& installation_dir, const std::string& launcher_dir);

// The message of a failed start with the start call's result.
std::string start_failure_message(int result);

}  // namespace korvan::launcher
