// Data files: the ".kdf" text format with a header of named values and blocks
// of numbers, read by DATFIL, DATCNT, DATBLK, DATHDR, DATMAT, DATRAY, DATVAR
// and DATCLS. Their messages are lines of their own.
#include "interp/data_file.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "interp/block_numbers.hpp"
#include "interp/builtins_internal.hpp"
#include "interp/command_line.hpp"
#include "interp/decimal_number.hpp"
#include "interp/messages.hpp"
#include "interp/print_list.hpp"
#include "interp/tokenizer.hpp"
#include "plat/line_reader.hpp"
#include "plat/host.hpp"
#include "plat/paths.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {

// The current block: its shape and its numbers, read once when the block is
// scanned so that DATMAT and every DATRAY column come from memory.
struct DataBlock {
    std::int64_t rows = 0;
    std::int64_t columns = 0;
    std::int64_t values = 0;
    BlockNumbers numbers;
};

struct DataFileState {
    std::FILE* file = nullptr;
    std::string path;
    bool startup_pending = false;  // opened from the command line, no DATFIL yet
    int block = 1;                 // survives closing and reopening
    DataBlock current;
};

DataFileState& state()
{
    static DataFileState s;
    return s;
}

void say(const std::string& line) { win::print(" >>>> " + line + "\n"); }

// Reads whole lines of the data file from its start: a long line is never
// split, so a number is never cut in two. The line end is removed. A line too
// long to be read ends the reading, and is reported.
class LineReader {
public:
    explicit LineReader(std::FILE* f) : lines_((std::rewind(f), f)) {}

    bool next(std::string_view& line)
    {
        plat::LineReader::Status status = lines_.next(text_);
        if (status == plat::LineReader::Status::refused)
            say("Data file " + state().path + ": " + lines_.refusal());
        if (status != plat::LineReader::Status::line)
            return false;
        std::size_t len = text_.size();
        while (len > 0 && text_[len - 1] == '\r')
            --len;
        line = std::string_view(text_.data(), len);
        return true;
    }
    int number() const { return static_cast<int>(lines_.line_number()); }

private:
    plat::LineReader lines_;
    std::string text_;
};

bool starts_upper(std::string_view line, std::string_view word)
{
    if (line.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(line[i])) != word[i])
            return false;
    }
    return true;
}

bool is_comment(std::string_view line) { return line.starts_with("//"); }
bool is_data_line(std::string_view line) { return starts_upper(line, "%DATA"); }
bool is_end_line(std::string_view line) { return starts_upper(line, "%END"); }
bool is_number_char(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e'; }
bool is_separator(char c) { return c == ' ' || c == ','; }

// Content of a data line: cut at "//".
std::string_view data_content(std::string_view line)
{
    std::size_t cut = line.find("//");
    return cut == std::string_view::npos ? line : line.substr(0, cut);
}

// Moves the reader to the line after the n-th "%DATA" line. blocks receives the
// number of "%DATA" lines seen (all of them when the block is missing).
bool find_block(LineReader& r, int n, int& blocks)
{
    blocks = 0;
    std::string_view line;
    while (r.next(line)) {
        if (is_data_line(line) && ++blocks == n)
            return true;
    }
    return false;
}

// The column count line of a block (comment lines aside). False when the block
// ends first or the line gives no positive count.
bool read_columns(LineReader& r, std::int64_t& columns, bool& section_line)
{
    std::string_view line;
    section_line = false;
    while (r.next(line)) {
        if (is_comment(line))
            continue;
        if (!line.empty() && line[0] == '%') {
            section_line = true;
            return false;
        }
        std::string content(data_content(line));
        char* end = nullptr;
        long long c = std::strtoll(content.c_str(), &end, 10);
        if (end == content.c_str() || c < 1 || c > INT32_MAX)
            return false;
        columns = c;
        return true;
    }
    return false;
}

// Scans block n: checks every character and reads its numbers.
bool scan_block(int n, DataBlock& block)
{
    DataFileState& s = state();
    LineReader r(s.file);
    int blocks = 0;
    if (!find_block(r, n, blocks)) {
        if (blocks > 0)
            say("Cannot find block " + std::to_string(n) + " in data file " + s.path);
        else
            say("Missing '%DATA' in data file " + s.path);
        return false;
    }
    bool section = false;
    std::int64_t columns = 0;
    if (!read_columns(r, columns, section)) {
        say("Syntax error in data file " + s.path + " in record " + std::to_string(r.number()));
        return false;
    }
    BlockNumbers numbers;
    std::string_view line;
    while (r.next(line)) {
        if (is_comment(line))
            continue;
        if (!line.empty() && line[0] == '%') {
            if (is_end_line(line) || is_data_line(line))
                break;
            say("Syntax error in data file " + s.path + " in record " + std::to_string(r.number()));
            return false;
        }
        std::string_view content = data_content(line);
        std::size_t i = 0;
        while (i < content.size()) {
            if (is_separator(content[i])) {
                ++i;
                continue;
            }
            if (!is_number_char(content[i])) {
                say("Syntax error in data file " + s.path + " in record " + std::to_string(r.number()));
                return false;
            }
            std::size_t start = i;
            while (i < content.size() && is_number_char(content[i]))
                ++i;
            numbers.push_back(static_cast<float>(decimal_number(content.substr(start, i - start))));
        }
    }
    std::int64_t values = numbers.size();
    if (values % columns != 0) {
        say("Count error");
        return false;
    }
    block.columns = columns;
    block.values = values;
    block.rows = values / columns;
    block.numbers = std::move(numbers);
    return true;
}

// The file for the name: as given, then in $KFL_DATA. The last path tried is kept.
std::FILE* open_named(std::string_view name, std::string& path)
{
    std::string with_extension = add_extension(name, ".kdf");
    path = with_extension;
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) {
        if (auto dir = plat::get_env("KFL_DATA")) {
            path = plat::join_path(*dir, with_extension);
            f = std::fopen(path.c_str(), "r");
        }
    }
    return f;
}

// Opens, checks the first line and scans the current block.
bool open_data_file(std::string_view name)
{
    close_data_file();
    DataFileState& s = state();
    std::string path;
    std::FILE* f = open_named(name, path);
    if (f == nullptr) {
        say("Open error in file " + path);
        return false;
    }
    s.file = f;
    s.path = path;
    {
        LineReader r(f);
        std::string_view first;
        if (!r.next(first) || !starts_upper(first, "%KFL-ASC")) {
            say("Not allowed file format in " + path);
            close_data_file();
            return false;
        }
    }
    DataBlock block;
    if (!scan_block(s.block, block)) {
        close_data_file();
        return false;
    }
    s.current = std::move(block);
    return true;
}

bool no_file()
{
    if (state().file != nullptr)
        return false;
    say("Missing routine DATFIL");
    return true;
}

// A FLOAT array result: rows by columns (two dimensions) or rows elements.
bool float_result(std::int64_t count, std::int64_t rows, std::int64_t columns, Value& out)
{
    if (count > INT32_MAX) {
        report("Not enough memory");
        return false;
    }
    std::int32_t sizes[2] = {static_cast<std::int32_t>(rows), static_cast<std::int32_t>(columns)};
    return make_array(out, T_FLOAT_ARRAY, static_cast<std::int32_t>(count), columns > 0 ? 2 : 1, sizes);
}

bool empty_float_array(const Args& a)
{
    Value out{};
    if (!make_array(out, T_FLOAT_ARRAY, 0, 1, nullptr))
        return false;
    return result_moved(a, out);
}

// Removes blanks, tabs and line ends outside quotes and cuts at "//" outside
// quotes. False when a quote is not closed.
bool compact_header_line(std::string_view line, std::string& out)
{
    out.clear();
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quote != 0) {
            out += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            out += c;
        } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            break;
        } else if (c != ' ' && c != '\t' && c != '\n' && c != '\r') {
            out += c;
        }
    }
    return quote == 0;
}

enum class HeaderValue { skipped, found, failed };

// Parses one compacted header line with the tokenizer; on the requested name
// leaves the value in out.
HeaderValue header_value(const std::string& line, std::string_view wanted, int record, Value& out)
{
    const std::string where = " in record " + std::to_string(record) + " (" + state().path + ")";
    reset_tokenizer(line);
    if (next_token() != TK_IDENT) {
        say("Syntax error" + where);
        return HeaderValue::skipped;
    }
    std::string name(token_name());
    if (next_token() != TK_ASSIGN) {
        say("Expected '='" + where);
        return HeaderValue::skipped;
    }
    if (name != wanted)
        return HeaderValue::skipped;
    int t = next_token();
    bool negative = false;
    if (t == TK_MINUS || t == TK_UMINUS || t == TK_PLUS || t == TK_UPLUS) {
        negative = t == TK_MINUS || t == TK_UMINUS;
        t = next_token();
    }
    const Value& r = tokenizer().record;
    if (t == TK_INTEGER) {
        out.type = T_INT;
        out.count = 1;
        // Negated through unsigned arithmetic: the most negative INT has no positive twin.
        out.slot.i32 = negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(r.slot.i32)) : r.slot.i32;
        return HeaderValue::found;
    }
    if (t == TK_REAL) {
        out.type = T_DOUBLE;
        out.count = 1;
        out.slot.f64 = negative ? -r.slot.f64 : r.slot.f64;
        return HeaderValue::found;
    }
    // A string longer than a literal holds would come back cut: refused instead.
    bool too_long = t == TK_STRING && tokenizer().pos - tokenizer().token_start > string_literal_capacity + 2;
    if (t == TK_STRING && !negative && !too_long) {
        if (!set_string(out, tokenizer().literal))
            return HeaderValue::failed;
        return HeaderValue::found;
    }
    say("Syntax error" + where);
    return HeaderValue::failed;
}

}  // namespace

bool open_startup_data_file(std::string_view name)
{
    if (!open_data_file(name))
        return false;
    state().startup_pending = true;
    return true;
}

void close_data_file()
{
    DataFileState& s = state();
    if (s.file != nullptr)
        std::fclose(s.file);
    s.file = nullptr;
    s.path.clear();
    s.startup_pending = false;
    s.current = DataBlock{};
}

void reset_data_file()
{
    close_data_file();
    state().block = 1;
}

namespace builtins {

bool datfil_fn(const Args& a)
{
    DataFileState& s = state();
    if (s.startup_pending) {
        s.startup_pending = false;
        return result_int(a, 0);
    }
    std::string name(text_of(*a.value(0)));
    return result_int(a, open_data_file(name) ? 0 : -1);
}

bool datcnt_fn(const Args& a)
{
    std::string word(text_of(*a.value(0)));
    if (no_file())
        return result_int(a, 0);
    std::string key;
    for (char c : word.substr(0, 3))
        key.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    const DataBlock& c = state().current;
    auto as_int = [](std::int64_t v) { return static_cast<std::int32_t>(v > INT32_MAX ? INT32_MAX : v); };
    if (key == "ROW")
        return result_int(a, as_int(c.rows));
    if (key == "COL")
        return result_int(a, as_int(c.columns));
    if (key == "FUL")
        return result_int(a, as_int(c.values));
    if (key == "BLO") {
        LineReader r(state().file);
        int blocks = 0;
        find_block(r, 0, blocks);
        return result_int(a, blocks);
    }
    say("Undefined parameter " + word + " in datcnt");
    return result_int(a, 0);
}

bool datblk_fn(const Args& a)
{
    DataFileState& s = state();
    std::int32_t n = a.value(0)->slot.i32;
    if (n <= 0) {
        say("Not allowed parameter " + std::to_string(n) + " in DATBLK");
        return result_int(a, -1);
    }
    if (n == s.block)
        return result_int(a, 0);
    if (s.file == nullptr) {
        s.block = n;
        return result_int(a, 0);
    }
    DataBlock block;
    if (!scan_block(n, block))
        return result_int(a, -1);
    s.block = n;
    s.current = std::move(block);
    return result_int(a, 0);
}

bool dathdr_fn(const Args& a)
{
    if (no_file())
        return result_int(a, -1);
    LineReader r(state().file);
    std::string_view line;
    bool header = false;
    std::string text;
    r.next(line);  // the format line
    while (r.next(line)) {
        if (is_data_line(line))
            break;
        if (header)
            text.append(line).append("\n");
        else if (starts_upper(line, "%HEADER"))
            header = true;
    }
    if (!header) {
        say("No header found in " + state().path);
        return result_int(a, -1);
    }
    print_lines(text);  // one print per line, as PRINT does
    return result_int(a, 0);
}

bool datmat_fn(const Args& a)
{
    if (no_file())
        return empty_float_array(a);
    const DataBlock& c = state().current;
    Value out{};
    if (!float_result(c.rows * c.columns, c.rows, c.columns, out))
        return false;
    c.numbers.copy(0, 1, out.count, static_cast<float*>(out.slot.block));
    return result_moved(a, out);
}

bool datray_fn(const Args& a)
{
    std::int32_t k = a.value(0)->slot.i32;
    if (no_file())
        return empty_float_array(a);
    const DataBlock& c = state().current;
    Value out{};
    if (!float_result(c.rows, c.rows, 0, out))
        return false;
    auto* column = static_cast<float*>(out.slot.block);
    if (k == 0)
        c.numbers.copy(0, 1, c.rows, column);
    else if (k >= 1 && k <= c.columns)
        c.numbers.copy(k - 1, c.columns, c.rows, column);
    return result_moved(a, out);
}

bool datvar_fn(const Args& a)
{
    std::string wanted;
    for (char ch : text_of(*a.value(0)))
        wanted.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
    if (wanted.size() > static_cast<std::size_t>(name_capacity))
        wanted.resize(name_capacity);
    if (no_file())
        return false;
    // The header is parsed with the expression tokenizer, which the statement
    // that called DATVAR is still using.
    Tokenizer saved = tokenizer();
    LineReader r(state().file);
    std::string_view line;
    bool header = false;
    HeaderValue result = HeaderValue::skipped;
    Value out{};
    std::string compact;
    r.next(line);
    while (result == HeaderValue::skipped && r.next(line)) {
        if (is_data_line(line))
            break;
        if (!header) {
            header = starts_upper(line, "%HEADER");
            continue;
        }
        if (is_comment(line))
            continue;
        if (!compact_header_line(line, compact)) {
            say("Syntax error in record " + std::to_string(r.number()) + " (" + state().path + ")");
            continue;
        }
        if (compact.empty())
            continue;
        result = header_value(compact, wanted, r.number(), out);
    }
    tokenizer() = saved;
    if (result == HeaderValue::found)
        return result_moved(a, out);
    if (result == HeaderValue::skipped) {
        if (header)
            say(wanted + " is not defined in " + state().path);
        else
            say("No header found in " + state().path);
    }
    return false;
}

bool datcls_fn(const Args& a)
{
    if (no_file())
        return result_int(a, -1);
    close_data_file();
    return result_int(a, 0);
}

}  // namespace builtins
}  // namespace korvan::kfl
