// The file table and the file functions FOPEN ... REWIND, GETS and PUTS.
#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/file_table.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {
FileEntry entries[file_table_capacity];

struct ModeRow {
    const char* mode;    // as written by the script, lower case
    const char* stream;  // as given to the stream
    int access;
};

constexpr ModeRow mode_rows[] = {
    {"r", "r", FC_TEXT_READ},      {"w", "w", FC_TEXT_WRITE},       {"w+", "w+", FC_TEXT_WRITE},
    {"a", "a", FC_TEXT_WRITE},     {"a+", "a+", FC_TEXT_WRITE},     {"rb", "rb", FC_BINARY_READ},
    {"br", "rb", FC_BINARY_READ},  {"wb", "wb", FC_BINARY_WRITE},   {"bw", "wb", FC_BINARY_WRITE},
    {"ab", "ab", FC_BINARY_WRITE}, {"ba", "ab", FC_BINARY_WRITE},   {"a+b", "a+b", FC_BINARY_WRITE},
    {"r+", "r+", FC_TEXT_UPDATE},  {"r+b", "r+b", FC_BINARY_UPDATE},
};

bool is_console_name(std::string_view name)
{
    if (name.size() < 4)
        return false;
    std::string first;
    for (char c : name.substr(0, 4))
        first.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return first == "con:";
}

bool reads_from(const FileEntry& e) { return e.access == FC_TEXT_READ || e.access == FC_BINARY_READ; }

// The entry of argument i with the number and access checks; nullptr after the message.
FileEntry* entry_for(const Args& a, int i, std::initializer_list<int> allowed)
{
    FileEntry* e = checked_entry(a.value(i)->slot.i32, a.function);
    if (e == nullptr)
        return nullptr;
    if (allowed.size() > 0) {
        bool ok = false;
        for (int c : allowed)
            ok = ok || c == e->access;
        if (!ok) {
            report("Illegal file access in", a.function);
            return nullptr;
        }
    }
    return e;
}

std::FILE* input_of(const FileEntry& e) { return e.console ? stdin : e.stream; }

// The CHAR array variable of FGETS and GETS; nullptr after the message.
Value* char_array_argument(const Args& a, const char* must_be)
{
    if (!a.is_reference(0)) {
        report(must_be);
        return nullptr;
    }
    Value* v = a.defined(0);
    if (v == nullptr)
        return nullptr;
    if (v->type != T_CHAR_ARRAY) {
        report(must_be);
        return nullptr;
    }
    return v;
}
}  // namespace

FileEntry& file_entry(int n) { return entries[n]; }

FileEntry* checked_entry(int n, std::string_view function)
{
    if (n < 0 || n >= file_table_capacity) {
        report("Undefined file number in", function);
        return nullptr;
    }
    if (!entries[n].in_use) {
        report("File is not open in", function);
        return nullptr;
    }
    return &entries[n];
}

bool write_entry(FileEntry& e, std::string_view bytes)
{
    if (e.console) {
        win::print(bytes);
        return true;
    }
    if (bytes.empty())
        return true;
    return std::fwrite(bytes.data(), 1, bytes.size(), e.stream) == bytes.size();
}

void close_all_files()
{
    for (FileEntry& e : entries) {
        if (e.in_use && !e.console && e.stream != nullptr)
            std::fclose(e.stream);
        e = FileEntry{};
    }
}

namespace builtins {

bool fopen_fn(const Args& a)
{
    std::string name(text_of(*a.value(0)));
    std::string mode(text_of(*a.value(1)));
    int n = 0;
    while (n < file_table_capacity && entries[n].in_use)
        ++n;
    if (n == file_table_capacity) {
        report("Maximal number of open files is reachend");
        return result_int(a, -1);
    }
    std::string key;
    for (char c : mode.substr(0, 4))
        key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    const ModeRow* row = nullptr;
    for (const ModeRow& r : mode_rows) {
        if (key == r.mode)
            row = &r;
    }
    if (row == nullptr) {
        report("Undefined file mode in FOPEN", mode);
        return result_int(a, -1);
    }
    FileEntry e;
    e.access = row->access;
    if (is_console_name(name)) {
        if (front_end().interactive && row->access != FC_TEXT_WRITE) {
            report("Not allowed file mode in FOPEN", mode);
            return result_int(a, -1);
        }
        e.console = true;
    } else {
        e.stream = std::fopen(name.c_str(), row->stream);
        if (e.stream == nullptr) {
            report("Open error in", name);
            return result_int(a, -1);
        }
    }
    e.in_use = true;
    entries[n] = e;
    return result_int(a, n);
}

bool fclose_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    // Written data still in the buffer reaches the file here, or fails to.
    bool closed = true;
    if (!e->console && e->stream != nullptr) {
        errno = 0;
        closed = std::fclose(e->stream) == 0;
        if (!closed)
            report("Write error in FCLOSE:", std::strerror(errno != 0 ? errno : EIO));
    }
    *e = FileEntry{};
    return result_int(a, closed ? 0 : -1);
}

bool feof_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    std::FILE* f = e->console ? (reads_from(*e) ? stdin : nullptr) : e->stream;
    return result_int(a, f != nullptr && std::feof(f) ? 1 : 0);
}

bool fflush_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    if (e->console)
        return result_int(a, 0);
    return result_int(a, std::fflush(e->stream) == 0 ? 0 : -1);
}

bool ftell_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    if (e->console)
        return result_int(a, -1);
    long pos = std::ftell(e->stream);
    return result_int(a, pos > INT32_MAX ? -1 : static_cast<std::int32_t>(pos));
}

bool fseek_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    std::int32_t pos = a.value(1)->slot.i32;
    if (pos < 0) {
        report("Negative offset in FSEEK");
        return result_int(a, -1);
    }
    if (e->console)
        return result_int(a, -1);
    return result_int(a, std::fseek(e->stream, pos, SEEK_SET) == 0 ? 0 : -1);
}

bool rewind_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {});
    if (e == nullptr)
        return result_int(a, -1);
    if (!e->console)
        std::rewind(e->stream);
    return result_int(a, 0);
}

bool fgetc_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 0, {FC_TEXT_READ});
    if (e == nullptr)
        return result_int(a, -1);
    int c = std::fgetc(input_of(*e));
    return result_int(a, c == EOF ? -1 : c);
}

bool fgets_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 2, {FC_TEXT_READ});
    if (e == nullptr)
        return result_int(a, -1);
    Value* v = char_array_argument(a, "A CHAR array must be passed to FGETS");
    if (v == nullptr)
        return result_int(a, -1);
    std::int32_t k = a.value(1)->slot.i32;
    if (k > v->count) {
        report("Not enough array elements in FGETS");
        return result_int(a, -1);
    }
    if (k < 1)  // no room even for the zero byte
        return result_int(a, -1);
    char* buffer = static_cast<char*>(v->slot.block);
    if (std::fgets(buffer, k, input_of(*e)) == nullptr) {
        buffer[0] = '\0';
        return result_int(a, -1);
    }
    return result_int(a, 0);
}

bool gets_fn(const Args& a)
{
    if (front_end().interactive) {
        report("GETS cannot be used in interactive mode");
        return result_int(a, -1);
    }
    Value* v = char_array_argument(a, "A CHAR array must be passed to GETS");
    if (v == nullptr)
        return result_int(a, -1);
    char* buffer = static_cast<char*>(v->slot.block);
    if (v->count < 1)
        return result_int(a, -1);
    std::string line;
    if (!win::has_output_window() || !win::read_input_line(line)) {
        buffer[0] = '\0';
        return result_int(a, -1);
    }
    std::size_t n = std::min(line.size(), static_cast<std::size_t>(v->count - 1));
    std::memcpy(buffer, line.data(), n);
    buffer[n] = '\0';
    return result_int(a, 0);
}

bool fputc_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 1, {FC_TEXT_WRITE, FC_TEXT_UPDATE});
    if (e == nullptr)
        return result_int(a, -1);
    char c = static_cast<char>(a.value(0)->slot.i32);
    return result_int(a, write_entry(*e, std::string_view(&c, 1)) ? 0 : -1);
}

bool fputs_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 1, {FC_TEXT_WRITE, FC_TEXT_UPDATE});
    if (e == nullptr)
        return result_int(a, -1);
    Value* s = a.defined(0);
    if (s == nullptr)
        return result_int(a, -1);
    return result_int(a, write_entry(*e, text_of(*s)) ? 0 : -1);
}

bool puts_fn(const Args& a)
{
    Value* s = a.defined(0);
    if (s == nullptr)
        return result_int(a, -1);
    win::print(std::string(text_of(*s)) + "\n");
    return result_int(a, 0);
}

namespace {
// The array argument of FREAD and FWRITE; nullptr after the message.
Value* block_argument(const Args& a, std::int32_t& k)
{
    std::string fn(a.function);
    Value* v = a.defined(0);
    if (v == nullptr)
        return nullptr;
    if (!is_array_type(v->type) || v->type == T_COMPLEX_ARRAY) {
        report("Parameter 1 in " + fn + " must be an array");
        return nullptr;
    }
    k = a.value(1)->slot.i32;
    if (k < 1) {
        report("Non positive value in " + fn + " paramter 2");
        return nullptr;
    }
    if (k > v->count) {
        report("Not enough array elements in " + fn);
        return nullptr;
    }
    return v;
}
}  // namespace

bool fread_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 2, {FC_BINARY_READ});
    if (e == nullptr)
        return result_int(a, -1);
    std::int32_t k = 0;
    Value* v = block_argument(a, k);
    if (v == nullptr)
        return result_int(a, -1);
    std::size_t got = std::fread(v->slot.block, static_cast<std::size_t>(element_size(v->type)),
                                 static_cast<std::size_t>(k), input_of(*e));
    return result_int(a, got == 0 ? -1 : static_cast<std::int32_t>(got));
}

bool fwrite_fn(const Args& a)
{
    FileEntry* e = entry_for(a, 2, {FC_BINARY_WRITE});
    if (e == nullptr)
        return result_int(a, -1);
    std::int32_t k = 0;
    Value* v = block_argument(a, k);
    if (v == nullptr)
        return result_int(a, -1);
    std::size_t bytes = static_cast<std::size_t>(k) * static_cast<std::size_t>(element_size(v->type));
    bool ok = write_entry(*e, std::string_view(static_cast<const char*>(v->slot.block), bytes));
    return result_int(a, ok ? 0 : -1);
}

}  // namespace builtins
}  // namespace korvan::kfl
