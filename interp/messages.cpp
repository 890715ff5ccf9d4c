#include "interp/messages.hpp"

#include <string>

#include "interp/front_end.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {
void emit(const std::string& body)
{
    FrontEnd& fe = front_end();
    if (fe.interactive) {
        win::print(" >>>> " + body + "\n");
        if (fe.log_file != nullptr)
            std::fprintf(fe.log_file, " // >>>> %s\n", body.c_str());
        return;
    }
    std::string line = " >>>> " + body + " in record " + std::to_string(fe.inputs.record_number + 1) + " (";
    if (!fe.inputs.empty())
        line += fe.inputs.top().name;
    line += ")\n";
    win::print(line);
}
}  // namespace

void report(std::string_view text) { emit(std::string(text)); }

void report(std::string_view text, std::string_view name)
{
    emit(std::string(text) + " " + std::string(name));
}

void report(std::string_view text, char character)
{
    emit(std::string(text) + " '" + character + "'");
}

void report_file_problem(std::string_view text, std::string_view name)
{
    win::print(" >>>> " + std::string(text) + " " + std::string(name) + "\n");
}

}  // namespace korvan::kfl
