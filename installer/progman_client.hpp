// The installer's side of the program-group conversation: starts the program
// manager stand-in, hands it the command string and waits for its answers,
// each at most a given time.
#pragma once

#include <string>

namespace korvan::installer {

struct GroupResult {
    enum class Status { done, no_answer, refused };
    Status status = Status::no_answer;
    std::string reason;  // the stand-in's reason when it refused the commands
};

// The stand-in to start: $KORVAN_PROGMAN, or "kflprogman" beside this program.
std::string program_manager_path();

GroupResult register_group(const std::string& program_manager, const std::string& commands, int answer_timeout_ms);

}  // namespace korvan::installer
