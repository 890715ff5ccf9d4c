// The interpreter's readers: statements, scripts (the loader and the statement
// assembly), data files and the formatted input of FSCANF, SSCANF and FGETS.
#include <string>
#include <vector>

#include "interp/data_file.hpp"
#include "interp/executor.hpp"
#include "interp/front_end.hpp"
#include "interp/loader.hpp"
#include "interp/startup.hpp"
#include "tests/fuzz/fuzz_targets.hpp"
#include "tests/fuzz/statement_fuzz_setup.hpp"

namespace korvan::fuzz {

namespace {

void run(const std::vector<std::string>& statements)
{
    prepare_statement_fuzzing();
    for (const std::string& statement : statements)
        kfl::execute(statement);
}

// Text that may stand inside a quoted KFL string: printable, no quotes.
std::string quotable(std::string_view text, std::size_t limit)
{
    std::string out;
    for (char c : text) {
        if (out.size() == limit)
            break;
        if (c >= ' ' && c <= '~' && c != '\'' && c != '"')
            out.push_back(c);
    }
    return out;
}

// The assembled statements are not run: running them is the statement target's part.
void discard_statement(std::string_view) {}

}  // namespace

void fuzz_statement(Bytes input)
{
    prepare_statement_fuzzing();
    run_statements(text_of(input));
}

void fuzz_script(Bytes input)
{
    write_file("script.kfl", input);
    kfl::reset_front_end();
    kfl::StatementExecutor previous = kfl::set_statement_executor(&discard_statement);
    if (kfl::open_main_script("script.kfl"))
        kfl::run_statement_loop();
    kfl::front_end().inputs.close_all();
    kfl::set_statement_executor(previous);
}

void fuzz_data_file(Bytes input)
{
    write_file("input.kdf", input);
    kfl::reset_data_file();
    run({"N = DATFIL('input.kdf')", "R = DATCNT('ROWS')", "C = DATCNT('COLUMNS')", "B = DATCNT('BLOCKS')",
         "H = DATHDR()", "M = DATMAT()", "V = DATRAY(1)", "W = DATRAY(2)", "X = DATVAR('X')",
         "Y = DATVAR('NAME')", "N = DATBLK(2)", "M = DATMAT()", "N = DATBLK(3)", "V = DATRAY(1)",
         "N = DATCLS()"});
    kfl::reset_data_file();
}

// The first line is the format, the rest the text read with it.
void fuzz_formatted_input(Bytes input)
{
    std::string_view text = text_of(input);
    std::size_t end = text.find('\n');
    std::string format = quotable(text.substr(0, end), 120);
    std::string_view data = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    write_file("input.txt", Bytes(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
    const std::string scan = "'" + format + "', A, B, W, D)";
    run({"CHAR W[32]", "U = FOPEN('input.txt', 'r')", "N = FSCANF(U, " + scan, "N = FSCANF(U, " + scan,
         "N = FGETS(W, 32, U)", "N = FGETC(U)", "N = FSCANF(U, " + scan, "N = FGETS(W, 32, U)",
         "N = FCLOSE(U)", "N = SSCANF('" + quotable(data, 200) + "', " + scan});
}

}  // namespace korvan::fuzz
