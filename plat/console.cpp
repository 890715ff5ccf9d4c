#include "plat/console.hpp"

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
