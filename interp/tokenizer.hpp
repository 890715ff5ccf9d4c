// The expression tokenizer: one global scanner over the current statement text.
#pragma once

#include <cstddef>
#include <string_view>

#include "interp/value.hpp"

namespace korvan::kfl {

// Token codes.
enum : int {
    TK_END = -1,
    TK_NOT = 33,
    TK_HASH = 35,
    TK_DOLLAR = 36,
    TK_MOD = 37,
    TK_AMP = 38,
    TK_LPAREN = 40,
    TK_RPAREN = 41,
    TK_STAR = 42,
    TK_PLUS = 43,
    TK_COMMA = 44,
    TK_MINUS = 45,
    TK_SLASH = 47,
    TK_COLON = 58,
    TK_ASSIGN = 61,
    TK_LBRACKET = 91,
    TK_RBRACKET = 93,
    TK_LBRACE = 123,
    TK_BAR = 124,
    TK_RBRACE = 125,
    TK_IDENT = 256,
    TK_INTEGER = 259,
    TK_REAL = 260,
    TK_STRING = 262,
    TK_UMINUS = 263,
    TK_UPLUS = 264,
    TK_POWER = 265,
    TK_EQ = 301,
    TK_NE = 302,
    TK_GE = 303,
    TK_LE = 304,
    TK_GT = 305,
    TK_LT = 306,
    TK_AND = 307,
    TK_OR = 308,
    TK_ERROR = 999,
};

constexpr std::size_t string_literal_capacity = 132;
constexpr std::size_t number_text_capacity = 64;

struct TokenList;

struct Tokenizer {
    std::string_view text;
    std::size_t pos = 0;
    std::size_t token_start = 0;  // where the current token begins in the text
    int previous = TK_END;        // code of the token before the current one
    int token = TK_END;           // code of the current token
    Value record{};               // identifier name (zero-padded) or literal value
    std::size_t name_length = 0;  // length of the identifier name
    char literal[string_literal_capacity + 1]{};  // text of a string literal
    TokenList* replay = nullptr;        // the text's cached tokens, replayed instead of scanned
    std::size_t replay_next = 0;        // index of the next token to replay
    bool quiet = false;                 // scanning ahead: lexical errors are not reported
};

namespace detail {
extern Tokenizer the_tokenizer;
}

// The one tokenizer (inline: the parser asks for it at every token).
inline Tokenizer& tokenizer() { return detail::the_tokenizer; }

// Starts scanning a text: position 0, no previous token.
void reset_tokenizer(std::string_view text);

// Scans and returns the next token; sets the token record.
int next_token();

// The current token's code.
inline int current_token() { return tokenizer().token; }

// The identifier text of the current token (upper case, at most 15 characters).
inline std::string_view token_name() { return std::string_view(tokenizer().record.name, tokenizer().name_length); }

// The next character that is not a blank, without consuming it ('\0' at the end).
char peek_character();

// Advances when the current token has the code; otherwise reports
// "Syntax error - Expected" with the character and returns false.
bool expect(int code, char character);

}  // namespace korvan::kfl
