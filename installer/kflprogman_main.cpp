// kflprogman: the program manager stand-in that kflinst talks to. It answers
// the installer's conversation on its standard input and output and turns the
// program-group commands into desktop menu entries.
#include <cstdio>
#include <string>

#include "installer/desktop_entries.hpp"
#include "installer/group_command_parser.hpp"
#include "installer/progman_protocol.hpp"

namespace {

using namespace korvan::installer;

bool read_line(std::string& line)
{
    line.clear();
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') {
        if (line.size() > 200)
            return false;
        line += static_cast<char>(c);
    }
    return c == '\n';
}

void answer(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The answer to one command string.
std::string run_commands(const std::string& text)
{
    std::string error;
    auto commands = parse_group_commands(text, error);
    if (!commands)
        return protocol::nack + error;
    DesktopGroups groups(user_applications_dir());
    std::string failure = groups.execute(*commands);
    return failure.empty() ? std::string(protocol::ack) : protocol::nack + failure;
}

}  // namespace

int main()
{
    std::string line;
    if (!read_line(line) || line + "\n" != protocol::initiate)
        return 1;
    answer(protocol::ack);
    while (read_line(line)) {
        if (line + "\n" == protocol::terminate)
            return 0;
        const std::string execute = protocol::execute;
        if (!line.starts_with(execute) || line.size() == execute.size() || line.size() > execute.size() + 6 ||
            line.find_first_not_of("0123456789", execute.size()) != std::string::npos) {
            answer(protocol::nack + std::string("bad request"));
            return 1;
        }
        const unsigned long length = std::stoul(line.substr(execute.size()));
        if (length > protocol::max_execute_length) {
            answer(protocol::nack + std::string("command string too long"));
            return 1;
        }
        std::string text(length, '\0');
        if (std::fread(text.data(), 1, length, stdin) != length)
            return 1;
        answer(run_commands(text));
    }
    return 0;
}
