// PRINTF, FPRINTF, SPRINTF, SCANF, FSCANF and SSCANF.
//
// Format strings come from scripts. Every conversion is parsed and checked
// against its value here, and only a conversion rebuilt from its parsed parts
// ("%", "-", width, ".", precision, letter) ever reaches snprintf.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "interp/builtins_internal.hpp"
#include "interp/elements.hpp"
#include "interp/file_table.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/variable_table.hpp"
#include "plat/line_reader.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl::builtins {

namespace {

// Widths and precisions have at most this many digits: a conversion's own
// output stays below a thousand characters.
constexpr std::size_t max_number_digits = 3;

struct Conversion {
    char letter = 0;      // lower case
    char c_letter = 0;    // the letter given to snprintf
    bool left = false;    // "-"
    std::string width;    // digits as written (a leading 0 is the zero flag)
    bool has_precision = false;
    std::string precision;

    std::string c_format() const
    {
        std::string f = "%";
        if (left)
            f += '-';
        f += width;
        if (has_precision)
            f += '.' + precision;
        f += c_letter;
        return f;
    }
    int width_value() const { return width.empty() ? 0 : std::stoi(width); }
};

struct Piece {
    bool is_conversion = false;
    std::string text;  // ordinary characters, "\n" already turned into a line end
    Conversion conversion;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Parses the format; false on a syntax error in a conversion.
bool parse_format(std::string_view format, bool input, std::vector<Piece>& pieces)
{
    pieces.clear();
    std::string text;
    auto flush = [&]() {
        if (!text.empty()) {
            Piece p;
            p.text = text;
            pieces.push_back(p);
            text.clear();
        }
    };
    std::size_t i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c == '\\' && i + 1 < format.size() && format[i + 1] == 'n') {
            text += '\n';
            i += 2;
            continue;
        }
        if (c != '%') {
            text += c;
            ++i;
            continue;
        }
        flush();
        ++i;
        Conversion conv;
        // The characters "-", digits and "." in the order flag, width, precision.
        while (i < format.size() && format[i] == '-') {
            conv.left = true;
            ++i;
        }
        while (i < format.size() && is_digit(format[i]))
            conv.width += format[i++];
        if (i < format.size() && format[i] == '.') {
            conv.has_precision = true;
            ++i;
            while (i < format.size() && is_digit(format[i]))
                conv.precision += format[i++];
        }
        if (conv.width.size() > max_number_digits || conv.precision.size() > max_number_digits || i >= format.size())
            return false;
        char letter = format[i++];
        char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        const char* letters = input ? "cdiefs" : "cdioxefs";
        if (std::strchr(letters, lower) == nullptr || lower == '\0')
            return false;
        conv.letter = lower;
        // X and E keep their case; the other letters have no upper-case form here.
        conv.c_letter = (letter == 'X' || letter == 'E') ? letter : lower;
        Piece p;
        p.is_conversion = true;
        p.conversion = conv;
        pieces.push_back(p);
    }
    flush();
    return true;
}

int conversion_count(const std::vector<Piece>& pieces)
{
    int n = 0;
    for (const Piece& p : pieces)
        n += p.is_conversion ? 1 : 0;
    return n;
}

template <typename T>
std::string formatted(const std::string& f, T value)
{
    int n = std::snprintf(nullptr, 0, f.c_str(), value);
    if (n <= 0)
        return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), f.c_str(), value);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// The format argument's text; false after "Format specifier must be a string in".
bool format_text(const Args& a, int i, std::string& format)
{
    Value* v = a.value(i);
    if (v == nullptr) {
        report("Undefined identifier", a.name(i));
        return false;
    }
    if (!is_text(*v) || !is_terminated(*v)) {
        report("Format specifier must be a string in", a.function);
        return false;
    }
    format = text_of(*v);
    return true;
}

// First pass and output: the text the format gives with the values from
// argument first on; measured is the length the SPRINTF check counts.
bool build_output(const Args& a, int format_index, std::string& out, std::size_t& measured)
{
    std::string format;
    if (!format_text(a, format_index, format))
        return false;
    std::vector<Piece> pieces;
    if (!parse_format(format, false, pieces)) {
        report("Syntax error in format specification in", a.function);
        return false;
    }
    int values = a.count - format_index - 1;
    int conversions = conversion_count(pieces);
    if (conversions > values) {
        report("More format specifications than variables in", a.function);
        return false;
    }
    if (conversions < values) {
        report("More variables than format specifications in", a.function);
        return false;
    }
    out.clear();
    measured = 0;
    int next = format_index + 1;
    for (const Piece& p : pieces) {
        if (!p.is_conversion) {
            out += p.text;
            measured += p.text.size();
            continue;
        }
        const Conversion& c = p.conversion;
        Value* v = a.value(next);
        if (v == nullptr) {
            report("Undefined identifier", a.name(next));
            return false;
        }
        ++next;
        std::string piece;
        if (c.letter == 's') {
            if (!is_text(*v) || !is_terminated(*v)) {
                report("Parameter mismatch in", a.function);
                return false;
            }
            std::string s(text_of(*v));
            piece = formatted(c.c_format(), s.c_str());
            measured += std::max(s.size(), static_cast<std::size_t>(c.width_value()));
        } else if (c.letter == 'e' || c.letter == 'f') {
            if (v->type != T_DOUBLE && v->type != T_INT && v->type != T_FLOAT) {
                report("Parameter mismatch in", a.function);
                return false;
            }
            piece = formatted(c.c_format(), slot_real(v->slot, v->type));
            measured += piece.size();
        } else {
            if (!is_integer_scalar(v->type)) {
                report("Parameter mismatch in", a.function);
                return false;
            }
            int x = static_cast<int>(slot_real(v->slot, v->type));
            if (c.letter == 'o' || c.letter == 'x')
                piece = formatted(c.c_format(), static_cast<unsigned>(x));
            else
                piece = formatted(c.c_format(), x);
            measured += piece.size();
        }
        out += piece;
    }
    return true;
}

}  // namespace

bool printf_fn(const Args& a)
{
    if (a.count < 1) {
        report("Missing parameters in", a.function);
        return result_int(a, -1);
    }
    std::string out;
    std::size_t measured = 0;
    if (!build_output(a, 0, out, measured))
        return result_int(a, -1);
    if (!out.empty())
        win::print(out);
    return result_int(a, 0);
}

bool fprintf_fn(const Args& a)
{
    if (a.count < 2) {
        report("Missing parameters in", a.function);
        return result_int(a, -1);
    }
    Value* n = a.value(0);
    if (n == nullptr || n->type != T_INT) {
        report("File number in FPRINTF must be an integer");
        return result_int(a, -1);
    }
    FileEntry* e = checked_entry(n->slot.i32, a.function);
    if (e == nullptr)
        return result_int(a, -1);
    if (e->access != FC_TEXT_WRITE && e->access != FC_TEXT_UPDATE) {
        report("Illegal file access in", a.function);
        return result_int(a, -1);
    }
    std::string out;
    std::size_t measured = 0;
    if (!build_output(a, 1, out, measured))
        return result_int(a, -1);
    return result_int(a, write_entry(*e, out) ? 0 : -1);
}

bool sprintf_fn(const Args& a)
{
    if (a.count < 2) {
        report("Missing parameters in SPRINTF");
        return result_int(a, -1);
    }
    Value* target = a.is_reference(0) ? a.value(0) : nullptr;
    if (target == nullptr || target->type != T_CHAR_ARRAY) {
        report("Parameter 1 in SPRINTF must be a character array");
        return result_int(a, -1);
    }
    std::string out;
    std::size_t measured = 0;
    if (!build_output(a, 1, out, measured))
        return result_int(a, -1);
    std::size_t room = static_cast<std::size_t>(target->count);
    if (measured + 1 > room || out.size() + 1 > room) {
        report("Not enough memory in parameter 1 in SPRINTF");
        return result_int(a, -1);
    }
    char* block = static_cast<char*>(target->slot.block);
    std::memcpy(block, out.data(), out.size());
    block[out.size()] = '\0';
    return result_int(a, 0);
}

// --- input ------------------------------------------------------------------

namespace {

// A character source with one character of push-back.
class Reader {
public:
    explicit Reader(std::FILE* f) : file_(f) {}
    Reader(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

    int get()
    {
        if (file_ != nullptr)
            return std::fgetc(file_);
        return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : EOF;
    }
    void unget(int c)
    {
        if (c == EOF)
            return;
        if (file_ != nullptr)
            std::ungetc(c, file_);
        else
            --pos_;
    }

private:
    std::FILE* file_ = nullptr;
    std::string_view text_;
    std::size_t pos_ = 0;
};

// refused: more blanks before a value than a line may hold (an endless
// device, a damaged file); the reading stops there.
enum class ReadStatus { ok, no_match, end, refused };

// The most blanks skipped before one value: as many as one line of any
// other reader may hold.
constexpr std::size_t blank_bound = plat::LineReader::default_bound;

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The result of one conversion: an INT, a DOUBLE or a word.
struct Item {
    int type = T_INT;
    std::int32_t i = 0;
    double d = 0;
    std::string word;
};

// Reads one conversion. limit bounds the characters of a word (s).
ReadStatus read_conversion(Reader& r, const Conversion& c, std::size_t limit, Item& item)
{
    std::size_t width = c.width.empty() ? 0 : static_cast<std::size_t>(c.width_value());
    int ch = r.get();
    if (c.letter == 'c') {
        if (ch == EOF)
            return ReadStatus::end;
        item.type = T_INT;
        item.i = static_cast<unsigned char>(ch);
        return ReadStatus::ok;
    }
    for (std::size_t blanks = 0; ch != EOF && is_blank(ch); ch = r.get())
        if (++blanks > blank_bound)
            return ReadStatus::refused;
    if (ch == EOF)
        return ReadStatus::end;
    std::string run;
    auto room = [&](std::size_t cap) { return (width == 0 || run.size() < width) && run.size() < cap; };
    if (c.letter == 's') {
        while (ch != EOF && !is_blank(ch) && room(limit)) {
            run += static_cast<char>(ch);
            ch = r.get();
        }
        r.unget(ch);
        item.type = T_CHAR_ARRAY;
        item.word = run;
        return ReadStatus::ok;
    }
    constexpr std::size_t number_cap = 400;  // longer numbers are not read further
    bool digits = false;
    if ((ch == '+' || ch == '-') && room(number_cap)) {
        run += static_cast<char>(ch);
        ch = r.get();
    }
    while (ch != EOF && is_digit(static_cast<char>(ch)) && room(number_cap)) {
        run += static_cast<char>(ch);
        digits = true;
        ch = r.get();
    }
    if (c.letter == 'e' || c.letter == 'f') {
        if (ch == '.' && room(number_cap)) {
            run += '.';
            ch = r.get();
            while (ch != EOF && is_digit(static_cast<char>(ch)) && room(number_cap)) {
                run += static_cast<char>(ch);
                digits = true;
                ch = r.get();
            }
        }
        if (digits && (ch == 'e' || ch == 'E') && room(number_cap)) {
            run += static_cast<char>(ch);
            ch = r.get();
            if ((ch == '+' || ch == '-') && room(number_cap)) {
                run += static_cast<char>(ch);
                ch = r.get();
            }
            while (ch != EOF && is_digit(static_cast<char>(ch)) && room(number_cap)) {
                run += static_cast<char>(ch);
                ch = r.get();
            }
        }
    }
    r.unget(ch);
    if (!digits)
        return ReadStatus::no_match;
    if (c.letter == 'e' || c.letter == 'f') {
        item.type = T_DOUBLE;
        item.d = std::strtod(run.c_str(), nullptr);
    } else {
        long long v = std::strtoll(run.c_str(), nullptr, 10);
        item.type = T_INT;
        item.i = static_cast<std::int32_t>(v);
    }
    return ReadStatus::ok;
}

// Stores a read value into the variable argument i, creating it when needed.
void store_item(const Args& a, int i, const Item& item)
{
    if (item.type == T_CHAR_ARRAY) {
        Value* v = a.value(i);
        char* block = static_cast<char*>(v->slot.block);
        std::size_t n = std::min(item.word.size(), static_cast<std::size_t>(v->count - 1));
        std::memcpy(block, item.word.data(), n);
        block[n] = '\0';
        return;
    }
    Value record{};
    record.type = static_cast<std::int8_t>(item.type);
    record.count = 1;
    if (item.type == T_INT)
        record.slot.i32 = item.i;
    else
        record.slot.f64 = item.d;
    int index = a.variable_index(i);
    if (index < 0 || variable(index).type == T_FREE)
        index = find_variable(a.name(i));  // created by an earlier conversion of this call
    if (index < 0) {
        set_name(record, a.name(i));
        int created = store_variable(record, -1);
        if (created >= 0)
            a.record(i).slot.ref = created;
        return;
    }
    move_value(variable(index), record);
}

// The checks before reading: format, variables, counts. Fills pieces.
// Returns false after a message (the result is then 0).
bool check_input(const Args& a, int format_index, std::vector<Piece>& pieces, bool& unterminated)
{
    unterminated = false;
    Value* f = a.value(format_index);
    if (f != nullptr && f->type == T_CHAR_ARRAY && !is_terminated(*f)) {
        unterminated = true;
        return false;
    }
    std::string format;
    if (!format_text(a, format_index, format))
        return false;
    if (!parse_format(format, true, pieces)) {
        report("Syntax error in format specification in", a.function);
        return false;
    }
    for (int i = format_index + 1; i < a.count; ++i) {
        if (!a.is_reference(i)) {
            report("Variables must be used in", a.function);
            return false;
        }
    }
    int variables = a.count - format_index - 1;
    int conversions = conversion_count(pieces);
    if (conversions > variables) {
        report("More format specifications than variables in", a.function);
        return false;
    }
    if (conversions < variables) {
        report("More variables than format specifications in", a.function);
        return false;
    }
    int next = format_index + 1;
    for (const Piece& p : pieces) {
        if (!p.is_conversion)
            continue;
        if (p.conversion.letter == 's') {
            Value* v = a.value(next);
            if (v == nullptr || v->type != T_CHAR_ARRAY || v->count < 1) {
                report("A character array must be used in", a.function);
                return false;
            }
        }
        ++next;
    }
    return true;
}

std::size_t word_limit(const Args& a, int i)
{
    Value* v = a.value(i);
    return v != nullptr && v->type == T_CHAR_ARRAY && v->count > 0 ? static_cast<std::size_t>(v->count - 1) : 0;
}

void report_blank_refusal(const Args& a)
{
    report("Blanks longer than " + std::to_string(blank_bound) + " characters in " + std::string(a.function) +
           ", the value is not read");
}

// SCANF and FSCANF: reads the conversions from a stream.
bool scan_stream(const Args& a, std::FILE* stream, int format_index)
{
    std::vector<Piece> pieces;
    bool unterminated = false;
    if (!check_input(a, format_index, pieces, unterminated))
        return result_int(a, unterminated ? -1 : 0);
    long start = std::ftell(stream);
    Reader reader(stream);
    int next = format_index + 1;
    for (const Piece& p : pieces) {
        if (!p.is_conversion)
            continue;
        Item item;
        ReadStatus s = read_conversion(reader, p.conversion, word_limit(a, next), item);
        if (s == ReadStatus::refused)
            report_blank_refusal(a);
        if (s == ReadStatus::end || s == ReadStatus::refused)
            return result_int(a, -1);
        if (s == ReadStatus::no_match) {
            report("Read error in", a.function);
            if (start >= 0) {
                std::clearerr(stream);
                std::fseek(stream, start, SEEK_SET);
            }
            return result_int(a, 0);
        }
        store_item(a, next, item);
        ++next;
    }
    return result_int(a, a.count - format_index - 1);
}

}  // namespace

bool scanf_fn(const Args& a)
{
    if (a.count < 2) {
        report("Missing parameters in", a.function);
        return result_int(a, 0);
    }
    if (front_end().interactive) {
        report("SCANF cannot be used in interactive mode");
        return result_int(a, -1);
    }
    return scan_stream(a, stdin, 0);
}

bool fscanf_fn(const Args& a)
{
    if (a.count < 2) {
        report("Missing parameters in", a.function);
        return result_int(a, 0);
    }
    Value* n = a.value(0);
    if (n == nullptr || n->type != T_INT) {
        report("File number in FSCANF must be an integer");
        return result_int(a, 0);
    }
    FileEntry* e = checked_entry(n->slot.i32, a.function);
    if (e == nullptr)
        return result_int(a, -1);
    if (e->access != FC_TEXT_READ) {
        report("Illegal file access in", a.function);
        return result_int(a, 0);
    }
    return scan_stream(a, e->console ? stdin : e->stream, 1);
}

bool sscanf_fn(const Args& a)
{
    if (a.count < 2) {
        report("Missing parameters in", a.function);
        return result_int(a, 0);
    }
    Value* s = a.value(0);
    if (s == nullptr || !is_text(*s)) {
        report("Parameter 1 in SSCANF must be a string");
        return result_int(a, 0);
    }
    std::string text(text_of(*s));
    std::vector<Piece> pieces;
    bool unterminated = false;
    if (!check_input(a, 1, pieces, unterminated))
        return result_int(a, unterminated ? -1 : 0);
    std::size_t field = 0;
    bool first = true;
    int next = 2;
    for (const Piece& p : pieces) {
        if (!p.is_conversion)
            continue;
        if (!first) {
            // Past the current blank-delimited field, to the blank after it.
            while (field < text.size() && is_blank(static_cast<unsigned char>(text[field])))
                ++field;
            while (field < text.size() && !is_blank(static_cast<unsigned char>(text[field])))
                ++field;
        }
        first = false;
        Reader reader(text, field);
        Item item;
        ReadStatus st = read_conversion(reader, p.conversion, word_limit(a, next), item);
        if (st == ReadStatus::refused) {
            report_blank_refusal(a);
            return result_int(a, -1);
        }
        if (st == ReadStatus::end) {
            report("End of string is reached in SSCANF");
            return result_int(a, -1);
        }
        if (st == ReadStatus::no_match) {
            report("Read error in SSCANF");
            return result_int(a, 0);
        }
        store_item(a, next, item);
        ++next;
    }
    return result_int(a, a.count - 2);
}

}  // namespace korvan::kfl::builtins
