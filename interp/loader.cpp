#include "interp/loader.hpp"

#include <cctype>

#include "interp/executor.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/shutdown.hpp"
#include "interp/statement_plan.hpp"
#include "plat/host.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {

StatementExecutor& executor()
{
    static StatementExecutor current = &execute;
    return current;
}

std::optional<std::string> read_literal_operand(std::string_view operands);

IncludeOperandReader& operand_reader()
{
    static IncludeOperandReader current = &read_literal_operand;
    return current;
}

std::string_view trim_blanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Reads a single quoted string; full expressions arrive with the evaluator.
std::optional<std::string> read_literal_operand(std::string_view operands)
{
    std::string_view rest = trim_blanks(operands);
    if (rest.empty()) {
        report("Missing parameter in INCLUDE statement");
        return std::nullopt;
    }
    char quote = rest.front();
    std::size_t close = (quote == '\'' || quote == '"') ? rest.find(quote, 1) : std::string_view::npos;
    if (close == std::string_view::npos) {
        report("Parameter of INCLUDE must be a string");
        return std::nullopt;
    }
    std::string name(rest.substr(1, close - 1));
    std::string_view after = trim_blanks(rest.substr(close + 1));
    if (!after.empty()) {
        if (after.front() == ',')
            report("Too many parameters in INCLUDE statement");
        else
            report("Expected end of statement in INCLUDE");
    }
    return name;
}

// Reads the next record of the current input; false at the end of a file.
bool read_next_record(std::string& record)
{
    FrontEnd& fe = front_end();
    if (fe.interactive) {
        if (!win::read_input_line(record))
            terminate_run(0);  // end of console input acts like EXIT
        return true;
    }
    return fe.inputs.read_record(record);
}

// End of the current file. Returns true when the statement loop goes on.
bool handle_end_of_input()
{
    FrontEnd& fe = front_end();
    if (fe.inputs.depth() > 1 && (fe.inputs.top().by_include || fe.inputs.top().by_inckfl)) {
        pop_input_file();
        return true;
    }
    if (current_routine_level() > 0) {
        report("Missing END statement");
        // Executed as if read: the executor also stores it in store mode.
        executor()("END");
        return true;
    }
    if (open_if_blocks() > 0)
        report("Missing END IF");
    return false;
}

bool is_comment_record(std::string_view record)
{
    return (!record.empty() && record[0] == '#') || record.starts_with("//");
}

void execute_pending_statements()
{
    FrontEnd& fe = front_end();
    StatementBuffer& buffer = fe.buffer;
    std::string text;
    bool planned = executor() == &execute && statement_plans_usable();
    while (buffer.current < buffer.count()) {
        if (!planned || !run_stored_statement(buffer, buffer.current)) {
            // Copy: the statement may free buffer entries while it runs.
            text.assign(buffer.at(buffer.current));
            executor()(text);
        }
        ++buffer.current;
    }
}

}  // namespace

StatementExecutor set_statement_executor(StatementExecutor next)
{
    StatementExecutor old = executor();
    executor() = next != nullptr ? next : &execute;
    return old;
}

IncludeOperandReader set_include_operand_reader(IncludeOperandReader next)
{
    IncludeOperandReader old = operand_reader();
    operand_reader() = next != nullptr ? next : &read_literal_operand;
    return old;
}

void run_statement_loop()
{
    FrontEnd& fe = front_end();
    fe.keep_reading = true;
    std::string record;
    for (;;) {
        if (!read_next_record(record)) {
            // A callback routine ended by a supplied END ends its loop too.
            if (handle_end_of_input() && fe.keep_reading)
                continue;
            return;
        }
        ++fe.inputs.record_number;
        if (fe.interactive && fe.log_file != nullptr) {
            std::string_view line = record;
            if (!line.empty() && line.back() == '\n')
                line.remove_suffix(1);
            std::fprintf(fe.log_file, "%.*s\n", static_cast<int>(line.size()), line.data());
        }
        if (!record.empty() && record[0] == '$') {
            std::string_view command = std::string_view(record).substr(1);
            command = command.substr(0, command.find_first_of("\r\n"));
            plat::host_command(command);
            if (fe.interactive)
                win::print("\n");
            continue;
        }
        if (is_comment_record(record))
            continue;
        fe.assembler.feed(record);
        if (fe.assembler.continues())
            continue;
        if (const char* fault = fe.assembler.fault()) {
            report(fault);
        } else {
            if (!fe.assembler.text().empty()) {
                std::string text = fe.assembler.text();
                fe.assembler.discard();
                executor()(text);
            }
            execute_pending_statements();
        }
        fe.assembler.discard();
        if (!fe.keep_reading)
            return;
    }
}

bool is_include_statement(std::string_view text)
{
    constexpr std::string_view word = "INCLUDE";
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (text.size() - i < word.size())
        return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (std::toupper(static_cast<unsigned char>(text[i + k])) != word[k])
            return false;
    }
    std::size_t after = i + word.size();
    if (after == text.size())
        return true;
    unsigned char next = static_cast<unsigned char>(text[after]);
    return !(std::isalnum(next) || next == '_' || next == '$' || next == '%');
}

void include_statement(std::string_view text)
{
    FrontEnd& fe = front_end();
    std::string name;
    if (fe.options.include_given && !fe.include_used) {
        fe.include_used = true;
        name = fe.options.include_file_name;
    } else {
        std::size_t start = text.find_first_not_of(' ');
        std::string_view operands = text.substr(start + 7);  // past the word INCLUDE
        std::optional<std::string> operand = operand_reader()(operands);
        if (!operand)
            return;
        name = std::move(*operand);
    }
    if (open_input_file(add_extension(name), true))
        fe.interactive = false;
}

bool open_input_file(std::string_view name, bool by_include)
{
    return front_end().inputs.open_file(name, by_include);
}

bool open_inckfl_file(std::string_view name)
{
    FrontEnd& fe = front_end();
    if (!fe.inputs.open_file(name, false))
        return false;
    fe.inputs.top().by_inckfl = true;
    return true;
}

void pop_input_file()
{
    FrontEnd& fe = front_end();
    fe.inputs.pop();
    if (fe.inputs.depth() == 1)
        fe.interactive = fe.saved_interactive;
}

}  // namespace korvan::kfl
