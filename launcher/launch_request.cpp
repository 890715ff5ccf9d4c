#include "launcher/launch_request.hpp"

#include <cstdio>

#include <unistd.h>

#include "plat/paths.hpp"

namespace korvan::launcher {

namespace {

std::string field(const std::string& text) { return text.substr(0, field_limit); }

}  // namespace

std::string launch_command(const LaunchRequest& r, const std::string& installation_dir, const std::string& kflrun)
{
    std::string line = kflrun.empty() ? plat::join_path(plat::join_path(installation_dir, "win"), "kflrun") : kflrun;
    if (!field(r.script).empty())
        line += " " + field(r.script);
    if (!field(r.data_file).empty())
        line += " -F=" + field(r.data_file);
    if (!field(r.include_file).empty())
        line += " -I=" + field(r.include_file);
    if (r.device > 0 && r.device < static_cast<int>(device_names.size()))
        line += std::string(" -D=") + device_names[static_cast<std::size_t>(r.device)];
    if (r.output_window)
        line += " -o";
    if (!field(r.arguments).empty())
        line += " " + field(r.arguments);
    return line;
}

std::string kflrun_program(const std::string& installation_dir, const std::string& launcher_dir)
{
    const std::string installed = plat::join_path(plat::join_path(installation_dir, "win"), "kflrun");
    if (access(installed.c_str(), X_OK) == 0)
        return installed;
    if (!launcher_dir.empty()) {
        const std::string beside = plat::join_path(launcher_dir, "kflrun");
        if (access(beside.c_str(), X_OK) == 0)
            return beside;
    }
    return "";
}

std::string start_failure_message(int result)
{
    char text[80];
    std::snprintf(text, sizeof text, "WinExec failed; error code %d", result);
    return std::string(text) + "\nThe environment KORVAN may not be defined!";
}

}  // namespace korvan::launcher
