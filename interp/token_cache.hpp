// Tokens of statement texts scanned once and replayed: while a stored statement
// runs again, reset_tokenizer finds the tokens of its text (and of the parts of
// it that statements tokenize on their own, as operands and conditions) here,
// and next_token copies them instead of scanning. Texts with a lexical error are
// not cached, so their messages come from the scanner as before.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "interp/statement_plan.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

struct CompiledExpression;

// What the scanner leaves in the tokenizer after one token.
struct TokenSnapshot {
    int token;
    std::uint32_t pos;
    std::uint32_t token_start;
    std::uint32_t name_length;
    std::uint32_t literal_length;  // string literals: characters kept in the list's literals
    std::uint32_t literal_offset;
    Value record;
};

struct TokenList {
    std::string text;
    std::vector<TokenSnapshot> tokens;  // the last one is TK_END
    std::string literals;
    // Compiled expressions by the index of their first token (filled as they are met).
    std::vector<std::shared_ptr<CompiledExpression>> expressions;
    std::vector<std::uint8_t> expression_tried;
    // Parts of the text tokenized on their own, by their place in the text.
    struct Part {
        std::size_t offset;
        std::size_t size;
        std::shared_ptr<TokenList> list;
    };
    std::vector<Part> parts;
    VariableMemo target;  // the variable an assignment statement of this text stores into
    StatementPlan plan;   // what the statement is, once it runs again from the buffer
};

// While it lives, texts tokenized are looked up in the cache when text is a
// stored statement running again (tokens: its buffer entry's list, found or
// filled in here); with tokens nullptr (a fresh statement) the cache is off.
// The previous statement's setting returns at its end (statements nest through
// routine calls).
class StatementTokens {
public:
    StatementTokens(std::string_view text, std::shared_ptr<TokenList>* tokens);
    ~StatementTokens();
    StatementTokens(const StatementTokens&) = delete;
    StatementTokens& operator=(const StatementTokens&) = delete;

private:
    std::shared_ptr<TokenList> statement_;  // kept while the statement runs (it may free its entry)
    bool previous_on_;
    TokenList* previous_statement_;
    std::string_view previous_text_;
};

// The memo of the variable that the running statement assigns to, when it is a
// stored statement running again; nullptr otherwise.
VariableMemo* statement_target_memo();

// Allows the cache (the default) or keeps it off for the statements that start
// afterwards: runs without it show what the cache must not change.
void allow_token_cache(bool allowed);

bool token_cache_allowed();

// The tokens of a part of a cached statement's text (text lies within
// statement.text), scanned on first use; nullptr when the part holds a lexical error.
TokenList* statement_part_tokens(TokenList& statement, std::string_view text);

// Empties the cache (texts in use by the tokenizer stay valid).
void clear_token_cache();

// Sets the tokenizer as the parser would leave it after scanning the replayed
// text's token at index (previous and current token, position, token record).
void replay_to(std::size_t index);

}  // namespace korvan::kfl
