// Stored statement texts that loops, labels and routines replay.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::kfl {

struct TokenList;

class StatementBuffer {
public:
    static constexpr int capacity = 3000;

    // Appends a copy; an empty text is ignored. When full, reports
    // "Too many statements in the statement buffer" and returns false.
    bool append(std::string_view text);

    // Frees the entries from position to the end.
    void free_from(int position);
    void clear();

    int count() const { return static_cast<int>(entries_.size()); }
    const std::string& at(int position) const { return entries_[static_cast<std::size_t>(position)]; }
    // The entry's cached tokens: those of its text, empty until the entry runs again.
    std::shared_ptr<TokenList>& tokens_at(int position) { return tokens_[static_cast<std::size_t>(position)]; }

    // True while fresh input (not a stored statement) is being executed.
    bool executing_fresh() const { return current == count(); }

    int current = 0;          // index of the entry being executed
    bool store_mode = false;  // statements read from input are appended before they run

private:
    std::vector<std::string> entries_;
    std::vector<std::shared_ptr<TokenList>> tokens_;
};

}  // namespace korvan::kfl
