// Assembly of statement texts from records: comments, blank runs, quotes,
// parentheses and "@" continuation.
#pragma once

#include <string>
#include <string_view>

namespace korvan::kfl {

class StatementAssembler {
public:
    static constexpr std::size_t text_limit = 1024;

    // Scans one record into the assembly text.
    void feed(std::string_view record);

    // The record ended in a continuation mark: the next record continues the statement.
    bool continues() const { return continuation_; }

    // The first assembly fault in order of checking, or nullptr when the text is sound.
    const char* fault() const;

    const std::string& text() const { return text_; }

    // Empties the text and clears quote, parenthesis and overflow state. The
    // blank run is kept: it carries over into the next statement.
    void discard();

private:
    std::string text_;
    bool in_quotes_ = false;
    char quote_ = 0;
    int depth_ = 0;
    bool overflow_ = false;
    bool continuation_ = false;
    int blank_run_ = 0;

    void copy(char c);
};

}  // namespace korvan::kfl
