#include "plat/console.hpp"

#include <cctype>

#include "plat/terminal_console.hpp"

namespace korvan::plat {

namespace {
std::unique_ptr<Console>& current()
{
    static std::unique_ptr<Console> instance = std::make_unique<TerminalConsole>();
    return instance;
}
}  // namespace

Console& console() { return *current(); }

bool Console::ok_cancel_box(std::string_view caption, std::string_view text)
{
    message_box(caption, text);
    std::string answer;
    return read_input_line(answer) && answer_means_ok(answer);
}

bool answer_means_ok(std::string_view answer)
{
    const auto first = answer.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return true;
    answer = answer.substr(first, answer.find_last_not_of(" \t") - first + 1);
    std::string lower;
    for (char c : answer)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "ok" || lower == "o" || lower == "yes" || lower == "y";
}

namespace {
InputIdle idle_work = nullptr;
}

void set_input_idle(InputIdle idle) { idle_work = idle; }

InputIdle input_idle() { return idle_work; }

std::unique_ptr<Console> set_console(std::unique_ptr<Console> next)
{
    std::unique_ptr<Console> old = std::move(current());
    current() = std::move(next);
    return old;
}

}  // namespace korvan::plat
