#include "interp/tokenizer.hpp"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "interp/messages.hpp"
#include "interp/token_cache.hpp"

namespace korvan::kfl {

namespace {

// ASCII classes; the C library's locale-aware ones cost more than the scan itself.
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }
bool is_hex_digit(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Decimal digits with at most one "." and no exponent, at most 15 digits: the
// value is exact as an integer and one division by an exact power of ten rounds
// it correctly. Anything else goes to strtod.
bool fast_decimal(const char* text, double& value)
{
    static constexpr double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::int64_t mantissa = 0;
    int digits = 0, fraction = 0;
    bool dot = false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '.') {
            if (dot)
                return false;
            dot = true;
        } else if (is_digit(*p)) {
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + (*p - '0');
            fraction += dot ? 1 : 0;
        } else {
            return false;
        }
    }
    value = static_cast<double>(mantissa) / powers[fraction];
    return true;
}

int lexical_error(const Tokenizer& t)
{
    if (!t.quiet)
        report("Syntax error");
    return TK_ERROR;
}

int scan_name(Tokenizer& t, bool system)
{
    char name[16] = {};
    std::size_t n = 0;
    if (system) {
        name[n++] = '%';
        ++t.pos;
    }
    while (t.pos < t.text.size() && is_name_char(t.text[t.pos])) {
        if (n < name_capacity)
            name[n++] = upper(t.text[t.pos]);
        ++t.pos;
    }
    std::memcpy(t.record.name, name, sizeof name);  // zero-padded: names compare as 16 bytes
    t.name_length = n;
    return TK_IDENT;
}

int scan_number(Tokenizer& t)
{
    char text[number_text_capacity + 1];
    std::size_t n = 0;
    bool too_long = false;
    int dots = 0;
    bool exponent = false;
    bool hex = false;
    while (t.pos < t.text.size()) {
        char c = t.text[t.pos];
        if (!(is_hex_digit(c) || c == '.' || c == 'E' || c == 'e' || c == 'X' || c == 'x'))
            break;
        if (n < number_text_capacity)
            text[n++] = c;
        else
            too_long = true;
        ++t.pos;
        if (c == '.')
            ++dots;
        else if (c == 'X' || c == 'x')
            hex = true;
        else if (c == 'E' || c == 'e') {
            exponent = true;
            if (t.pos < t.text.size() && (t.text[t.pos] == '+' || t.text[t.pos] == '-')) {
                if (n < number_text_capacity)
                    text[n++] = t.text[t.pos];
                else
                    too_long = true;
                ++t.pos;
            }
        }
    }
    text[n] = '\0';
    if (too_long) {
        return lexical_error(t);
    }
    Value& r = t.record;
    r.name[0] = '\0';
    r.dims = 0;
    r.count = 1;
    if (dots > 0 || exponent) {
        if (!((dots == 1 || exponent) && !hex)) {
            return lexical_error(t);
        }
        r.type = T_DOUBLE;
        if (!fast_decimal(text, r.slot.f64))
            r.slot.f64 = std::strtod(text, nullptr);
        return TK_REAL;
    }
    r.type = T_INT;
    if (hex) {
        errno = 0;
        unsigned long long v = std::strtoull(text, nullptr, 16);
        if (errno == ERANGE || v > UINT32_MAX)
            v = UINT32_MAX;
        r.slot.i32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    } else {
        // Leading decimal digits; the value stops growing at the INT maximum.
        std::int64_t v = 0;
        for (const char* p = text; is_digit(*p); ++p) {
            v = v * 10 + (*p - '0');
            if (v > INT32_MAX)
                v = INT32_MAX;
        }
        r.slot.i32 = static_cast<std::int32_t>(v);
    }
    return TK_INTEGER;
}

int scan_string(Tokenizer& t)
{
    char quote = t.text[t.pos++];
    std::size_t n = 0;
    while (t.pos < t.text.size() && t.text[t.pos] != quote) {
        if (n < string_literal_capacity)
            t.literal[n++] = t.text[t.pos];
        ++t.pos;
    }
    if (t.pos < t.text.size())
        ++t.pos;  // the closing quote; a missing one ends the literal at the end of the text
    t.literal[n] = '\0';
    Value& r = t.record;
    r.name[0] = '\0';
    r.type = T_STRING;
    r.dims = 1;
    r.count = static_cast<std::int32_t>(n);
    r.slot.text = t.literal;  // not owned: pushing makes the heap copy
    return TK_STRING;
}

// Two-character operator when the next character is 'second', else the single one.
int pair(Tokenizer& t, char second, int both, int single)
{
    ++t.pos;
    if (t.pos < t.text.size() && t.text[t.pos] == second) {
        ++t.pos;
        return both;
    }
    return single;
}

int scan(Tokenizer& t)
{
    while (t.pos < t.text.size() && t.text[t.pos] == ' ')
        ++t.pos;
    t.token_start = t.pos;
    if (t.pos >= t.text.size())
        return TK_END;
    char c = t.text[t.pos];
    if (is_letter(c))
        return scan_name(t, false);
    if (is_digit(c) || c == '.')
        return scan_number(t);
    if (c == '"' || c == '\'')
        return scan_string(t);
    int prev = t.previous;
    switch (c) {
    case '%':
        if (t.pos + 1 < t.text.size() && is_letter(t.text[t.pos + 1]) && prev != TK_IDENT && prev != TK_INTEGER)
            return scan_name(t, true);
        ++t.pos;
        return TK_MOD;
    case '+':
        ++t.pos;
        return (prev == TK_IDENT || prev == TK_INTEGER || prev == TK_REAL || prev == TK_STRING || prev == TK_RPAREN ||
                prev == TK_RBRACKET)
                   ? TK_PLUS
                   : TK_UPLUS;
    case '-':
        ++t.pos;
        return (prev == TK_IDENT || prev == TK_INTEGER || prev == TK_REAL || prev == TK_RPAREN ||
                prev == TK_RBRACKET)
                   ? TK_MINUS
                   : TK_UMINUS;
    case '!':
        return pair(t, '=', TK_NE, TK_NOT);
    case '=':
        return pair(t, '=', TK_EQ, TK_ASSIGN);
    case '<':
        return pair(t, '=', TK_LE, TK_LT);
    case '>':
        return pair(t, '=', TK_GE, TK_GT);
    case '&':
        return pair(t, '&', TK_AND, TK_AMP);
    case '|':
        return pair(t, '|', TK_OR, TK_BAR);
    case '*':
        return pair(t, '*', TK_POWER, TK_STAR);
    case '#':
    case '$':
    case '(':
    case ')':
    case ',':
    case '/':
    case ':':
    case '[':
    case ']':
    case '{':
    case '}':
        ++t.pos;
        return static_cast<unsigned char>(c);
    default:
        ++t.pos;
        return lexical_error(t);
    }
}

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// Texts of stored statements and their tokens; a text with a lexical error maps
// to nullptr. The statement running is looked up once; texts within it are its parts.
struct TokenCache {
    std::unordered_map<std::string, std::shared_ptr<TokenList>, TextHash, std::equal_to<>> lists;
    // Lists dropped from the map while statements run, which the tokenizer may still replay.
    std::vector<std::shared_ptr<TokenList>> retired;
    TokenList* statement = nullptr;
    std::string_view statement_text;
    int depth = 0;  // statements running (nested through routine calls)
    bool on = false;
    bool allowed = true;
};

// Beyond this many texts the cache starts again (a long script stores many loops in turn).
constexpr std::size_t token_cache_capacity = 4096;

TokenCache cache_state;

TokenCache& token_cache() { return cache_state; }

// Scans the whole text without reporting; nullptr when it holds a lexical error.
std::shared_ptr<TokenList> scan_ahead(std::string_view text)
{
    Tokenizer s;
    s.text = text;
    s.quiet = true;
    auto list = std::make_shared<TokenList>();
    list->text = text;
    for (;;) {
        s.previous = s.token;
        s.token = scan(s);
        if (s.token == TK_ERROR)
            return nullptr;
        TokenSnapshot snap{s.token, static_cast<std::uint32_t>(s.pos), static_cast<std::uint32_t>(s.token_start),
                           static_cast<std::uint32_t>(s.name_length), 0, 0, s.record};
        if (s.token == TK_STRING) {
            snap.literal_length = static_cast<std::uint32_t>(s.record.count);
            snap.literal_offset = static_cast<std::uint32_t>(list->literals.size());
            list->literals.append(s.literal, static_cast<std::size_t>(s.record.count));
            snap.record.slot.text = nullptr;
        }
        list->tokens.push_back(snap);
        if (s.token == TK_END)
            return list;
    }
}

std::shared_ptr<TokenList> cached_tokens(std::string_view text)
{
    TokenCache& c = token_cache();
    auto found = c.lists.find(text);
    if (found != c.lists.end())
        return found->second;
    if (c.lists.size() >= token_cache_capacity)
        clear_token_cache();
    return c.lists.emplace(std::string(text), scan_ahead(text)).first->second;
}

// The tokens of a text inside the running statement's text.
TokenList* part_tokens(TokenList& statement, std::size_t offset, std::string_view text)
{
    for (const TokenList::Part& p : statement.parts) {
        if (p.offset == offset && p.size == text.size())
            return p.list.get();
    }
    statement.parts.push_back({offset, text.size(), scan_ahead(text)});
    return statement.parts.back().list.get();
}

TokenList* tokens_of(std::string_view text)
{
    TokenCache& c = token_cache();
    const char* start = c.statement_text.data();
    if (c.statement && text.data() >= start && text.data() + text.size() <= start + c.statement_text.size()) {
        auto offset = static_cast<std::size_t>(text.data() - start);
        if (offset == 0 && text.size() == c.statement_text.size())
            return c.statement;
        return part_tokens(*c.statement, offset, text);
    }
    return cached_tokens(text).get();
}

// Writes what scanning the token wrote: the fields of its kind of record only.
void replay_token(Tokenizer& t, const TokenList& list, std::size_t index)
{
    const TokenSnapshot& s = list.tokens[index];
    t.token = s.token;
    t.pos = s.pos;
    t.token_start = s.token_start;
    Value& r = t.record;
    switch (s.token) {
    case TK_IDENT:
        std::memcpy(r.name, s.record.name, sizeof r.name);
        t.name_length = s.name_length;
        break;
    case TK_INTEGER:
    case TK_REAL:
        r.name[0] = '\0';
        r.dims = 0;
        r.count = 1;
        r.type = s.record.type;
        if (s.token == TK_REAL)
            r.slot.f64 = s.record.slot.f64;
        else
            r.slot.i32 = s.record.slot.i32;
        break;
    case TK_STRING:
        std::memcpy(t.literal, list.literals.data() + s.literal_offset, s.literal_length);
        t.literal[s.literal_length] = '\0';
        r.name[0] = '\0';
        r.type = T_STRING;
        r.dims = 1;
        r.count = static_cast<std::int32_t>(s.literal_length);
        r.slot.text = t.literal;
        break;
    default:
        break;
    }
}

}  // namespace

namespace detail {
Tokenizer the_tokenizer;
}

StatementTokens::StatementTokens(std::string_view text, std::shared_ptr<TokenList>* tokens)
{
    TokenCache& c = token_cache();
    ++c.depth;
    previous_on_ = c.on;
    previous_statement_ = c.statement;
    previous_text_ = c.statement_text;
    c.on = tokens != nullptr && c.allowed;
    c.statement = nullptr;
    c.statement_text = {};
    if (!c.on)
        return;
    if (!*tokens || (*tokens)->text != text)
        *tokens = cached_tokens(text);
    statement_ = *tokens;
    c.statement = statement_.get();
    c.statement_text = text;
}

StatementTokens::~StatementTokens()
{
    TokenCache& c = token_cache();
    c.on = previous_on_;
    c.statement = previous_statement_;
    c.statement_text = previous_text_;
    if (--c.depth == 0)
        c.retired.clear();
}

VariableMemo* statement_target_memo()
{
    TokenCache& c = token_cache();
    return c.statement != nullptr && tokenizer().replay == c.statement ? &c.statement->target : nullptr;
}

void allow_token_cache(bool allowed) { token_cache().allowed = allowed; }

bool token_cache_allowed() { return token_cache().allowed; }

TokenList* statement_part_tokens(TokenList& statement, std::string_view text)
{
    auto offset = static_cast<std::size_t>(text.data() - statement.text.data());
    if (offset == 0 && text.size() == statement.text.size())
        return &statement;
    return part_tokens(statement, offset, text);
}

void clear_token_cache()
{
    TokenCache& c = token_cache();
    for (auto& entry : c.lists)
        c.retired.push_back(std::move(entry.second));
    c.lists.clear();
    if (c.depth == 0)
        c.retired.clear();
}

void reset_tokenizer(std::string_view text)
{
    Tokenizer& t = tokenizer();
    t.text = text;
    t.pos = 0;
    t.token_start = 0;
    t.previous = TK_END;
    t.token = TK_END;
    t.replay_next = 0;
    if (token_cache().on)
        t.replay = tokens_of(text);
    else
        t.replay = nullptr;
}

int next_token()
{
    Tokenizer& t = tokenizer();
    t.previous = t.token;
    if (t.replay) {
        const TokenList& list = *t.replay;
        std::size_t last = list.tokens.size() - 1;
        replay_token(t, list, t.replay_next < last ? t.replay_next : last);
        ++t.replay_next;
    } else {
        t.token = scan(t);
    }
    return t.token;
}

void replay_to(std::size_t index)
{
    Tokenizer& t = tokenizer();
    const TokenList& list = *t.replay;
    t.previous = index == 0 ? TK_END : list.tokens[index - 1].token;
    replay_token(t, list, index);
    t.replay_next = index + 1;
}

char peek_character()
{
    const Tokenizer& t = tokenizer();
    std::size_t p = t.pos;
    while (p < t.text.size() && t.text[p] == ' ')
        ++p;
    return p < t.text.size() ? t.text[p] : '\0';
}

bool expect(int code, char character)
{
    if (current_token() != code) {
        report("Syntax error - Expected", character);
        return false;
    }
    next_token();
    return true;
}

}  // namespace korvan::kfl
