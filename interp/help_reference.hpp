// The reference of the manual as HELP reads it: the entries of the Markdown
// files of a reference directory, each under a heading "### NAME[, NAME ...]".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::kfl {

struct HelpEntry {
    std::vector<std::string> names;  // upper case as written in the heading
    std::string group;               // the title of the file ("# Title")
    std::vector<std::string> lines;  // the entry's text below the heading
};

// Reads every "*.md" file of the directory in name order; an empty result when
// the directory holds none.
std::vector<HelpEntry> read_help_entries(const std::string& directory);

// The first reference directory that exists: $KORVAN/hlp/reference, the
// built-in installation directory's, then hlp/reference beside the program's
// directory (the installation or the build tree it runs from).
std::optional<std::string> find_help_directory();

// The entry text as printed at the prompt: code fences dropped, code indented,
// backticks and bold marks removed, the synopsis' middle dots shown as "-",
// ended by one empty line.
std::string format_help_entry(const HelpEntry& entry);

// Names that are close to the word (small edit distance or a common start), at most eight.
std::vector<std::string> close_help_names(const std::vector<HelpEntry>& entries, std::string_view word);

}  // namespace korvan::kfl
