#include "interp/executor.hpp"

#include <cctype>
#include <string>

#include "interp/front_end.hpp"
#include "interp/loader.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl {

void execute(std::string_view text)
{
    if (text.empty())
        return;
    if (is_include_statement(text)) {
        include_statement(text);
        return;
    }
    FrontEnd& fe = front_end();
    if (fe.buffer.store_mode && fe.buffer.executing_fresh())
        fe.buffer.append(text);
    std::size_t end = 0;
    while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_'))
        ++end;
    std::string word(text.substr(0, end));
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    report("Undefined command", word);
}

int open_if_blocks() { return 0; }

int current_routine_level() { return 0; }

}  // namespace korvan::kfl
