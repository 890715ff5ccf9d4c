// The input stack: the main script or the console, included files and routine files.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "plat/line_reader.hpp"

namespace korvan::kfl {

struct InputEntry {
    std::FILE* file = nullptr;  // nullptr: the console
    std::string name;           // the path that opened, as searched
    int saved_record = 0;       // record number of the entry below
    bool by_include = false;
    // Read through INCKFL: not an INCLUDE, but at its end the file below goes on.
    bool by_inckfl = false;
    plat::LineReader lines{nullptr};  // the records of the file
};

class InputStack {
public:
    static constexpr int capacity = 8;
    // The characters of a header record that are looked at.
    static constexpr std::size_t header_limit = 131;

    bool empty() const { return entries_.empty(); }
    int depth() const { return static_cast<int>(entries_.size()); }
    InputEntry& top() { return entries_.back(); }
    const InputEntry& top() const { return entries_.back(); }

    // Pushes the first entry (main script or console); the record number is kept.
    void push_first(std::FILE* file, std::string name);

    // Opens an included or routine file: the name as written, then $KFL_PATH,
    // then the installation's "kfl" directory, then the directory of the file
    // on top of the stack (the one that includes or calls); the header must be "%KFL".
    // Reports its own failures and returns false.
    bool open_file(std::string_view name, bool by_include);

    // Closes the current entry and restores the record number of the one below.
    void pop();

    // Closes every entry.
    void close_all();

    // Reads the next record of the current file: one whole line without its
    // line end. Returns false at the end of the file and after a line too long
    // to be read (reported).
    bool read_record(std::string& record);

    int record_number = 0;  // records read from the current entry after its header

private:
    std::vector<InputEntry> entries_;
};

// The search of script, include and routine files: the name, $KFL_PATH/name,
// then <installation>/kfl/name, then beside/name when beside is given and the
// name is relative. Returns the open file and the path that opened.
std::FILE* search_and_open(std::string_view name, std::string& opened_path, std::string_view beside = {});

// A header record: upper-cased it begins "%KFL" but not "%KFL-".
bool is_kfl_header(std::string_view record);

}  // namespace korvan::kfl
